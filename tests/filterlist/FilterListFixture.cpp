#include "FilterListFixture.h"

int FilterListTest::s_nTextCalls = 0;
bool FilterListTest::s_bFailTexts = false;
size_t FilterListTest::s_nHugeText = 0;

int FilterListTest::ColumnText(ULONGLONG dwItemData, int nColumn, CString& text, unsigned long&, unsigned long&, int&)
{
    ++s_nTextCalls;
    if (s_bFailTexts)
        return 0;
    const sInstrument* p = reinterpret_cast<const sInstrument*>(dwItemData);
    if (s_nHugeText > 0)
    {
        text = std::string(s_nHugeText, 'H').c_str();
        return 1;
    }
    if (nColumn < 0 || nColumn > 2)
    {
        text.Empty();
        return 0;
    }
    text = (nColumn == 0 ? p->symbol : nColumn == 1 ? p->price : p->exchange).c_str();
    return 1;
}

void FilterListTest::SetUp()
{
    HostTest::SetUp();
    s_nTextCalls = 0;
    s_bFailTexts = false;
    s_nHugeText = 0;
    ASSERT_TRUE(m_host.CreateRecorder(&m_frame, CRect(0, 0, 600, 400), 0));
    m_host.m_answer = [this](const sRecordedMsg& record, LRESULT&) {
        if (m_bAutoPopulate && record.message == WM_NOTIFY && record.code == HDN_FILTERCHANGE &&
            record.hwndFrom == m_list.m_hWnd)
            m_list.PopulateList();
        return false;
    };
    ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | m_dwExtraStyle,
                              CRect(0, 0, 580, 380), &m_host, 1001));
}

void FilterListTest::TearDown()
{
    BYTE keys[256] = {};
    ::SetKeyboardState(keys);
    if (m_list.GetSafeHwnd() != nullptr)
        m_list.DestroyWindow();
    if (m_host.GetSafeHwnd() != nullptr)
        m_host.DestroyWindow();
    if (m_picture != nullptr)
        ::DeleteObject(m_picture);
    HostTest::TearDown();
}

void FilterListTest::Build(std::vector<std::string> formulas)
{
    static const char* const names[] = { "Symbol", "Price", "Exchange" };
    m_list.m_arrColInfo.RemoveAll();
    for (int c = 0; c < 3; ++c)
    {
        sOrvoColInfo info = {};
        strlcpy(info.szColName, names[c], sizeof(info.szColName));
        info.nWidth = 120;
        info.nFormat = LVCFMT_LEFT;
        info.nDataType = c == 1 ? 2 : 1;
        m_list.m_arrColInfo.Add(info);
    }
    m_list.m_csListName = "FilterGrid";
    m_list.InitColumnTextRtn(&FilterListTest::ColumnText);
    m_list.InsertColumnsForList(nullptr);
    // Formula columns follow the built-in ones and are shown after them.
    for (size_t i = 0; i < formulas.size(); ++i)
    {
        sOrvoColInfo info = {};
        snprintf(info.szColName, sizeof(info.szColName), "F%d", (int)i);
        info.nWidth = 80;
        info.csText1 = formulas[i].c_str();
        int c = (int)m_list.m_arrColInfo.Add(info);
        m_list.m_arrColPosition.SetAtGrow(c, c);
        m_list.InsertColumn(c, info.szColName, LVCFMT_LEFT, 80, c);
        sVisibleColumn v = { c, c };
        m_list.AddToVisibleArray(v);
    }
    m_list.SetUseFilter(TRUE);
}

int FilterListTest::Add(const char* symbol, const char* price, const char* exchange)
{
    m_rows.push_back({ symbol, price, exchange });
    m_list.InsertItem(0, "", 0);
    return m_list.SetItemData(0, (DWORD_PTR)&m_rows.back());
}

void FilterListTest::Rows(const std::vector<sInstrument>& rows)
{
    for (const sInstrument& r : rows)
        ASSERT_EQ(1, Add(r.symbol.c_str(), r.price.c_str(), r.exchange.c_str()));
}

std::vector<std::string> FilterListTest::Shown(int nPosition)
{
    std::vector<std::string> texts;
    int n = (int)m_list.SendMessage(LVM_GETITEMCOUNT);
    for (int r = 0; r < n; ++r)
    {
        char buffer[512] = "";
        LVITEMA item = {};
        item.iSubItem = nPosition;
        item.pszText = buffer;
        item.cchTextMax = sizeof(buffer);
        m_list.SendMessage(LVM_GETITEMTEXTA, (WPARAM)r, (LPARAM)&item);
        texts.push_back(buffer);
    }
    return texts;
}

std::vector<std::string> FilterListTest::MapSymbols()
{
    std::vector<std::string> symbols;
    for (INT_PTR m = 0; m < m_list.m_arrMap.GetSize(); ++m)
    {
        const sInstrument* p = reinterpret_cast<const sInstrument*>(m_list.GetMapItemData((int)m));
        symbols.push_back(p ? p->symbol : "<none>");
    }
    return symbols;
}

void FilterListTest::ExpectInvariants()
{
    CString reason;
    EXPECT_TRUE(m_list.CheckInvariants(&reason)) << (LPCTSTR)reason;
}

void FilterListTest::Pump(int nMilliseconds)
{
    DWORD start = ::GetTickCount();
    do
    {
        AfxPumpPendingMessages();
        if (nMilliseconds > 0)
            ::Sleep(5);
    } while ((int)(::GetTickCount() - start) < nMilliseconds);
    AfxPumpPendingMessages();
}

void FilterListTest::PressKey(UINT vk, bool bCtrl, bool bShift)
{
    // Down in order, up in reverse order.
    std::vector<WORD> keys;
    if (bCtrl)
        keys.push_back(VK_CONTROL);
    if (bShift)
        keys.push_back(VK_SHIFT);
    keys.push_back((WORD)vk);
    std::vector<INPUT> inputs(2 * keys.size());
    for (size_t i = 0; i < keys.size(); ++i)
    {
        inputs[i].type = inputs[inputs.size() - 1 - i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = inputs[inputs.size() - 1 - i].ki.wVk = keys[i];
        inputs[inputs.size() - 1 - i].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    ::SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
    Pump();
}

void FilterListTest::TypeText(const char* pszText)
{
    for (const char* p = pszText; *p; ++p)
    {
        SHORT scan = ::VkKeyScanA(*p);
        PressKey(LOBYTE(scan), false, (HIBYTE(scan) & 1) != 0);
    }
}

CPoint FilterListTest::FilterRowPoint(int nPosition, bool bButton)
{
    CRect rcItem, rcClient;
    m_list.GetColorHeader().GetItemRect(nPosition, &rcItem);
    m_list.GetColorHeader().GetClientRect(&rcClient);
    int nRow = rcClient.Height() / 2;
    return CPoint(bButton ? rcItem.right - 9 : rcItem.left + 10, nRow + nRow / 2);
}

void FilterListTest::ClickHeader(int nPosition)
{
    CHeaderCtrl* pHeader = m_list.GetHeaderCtrl();
    CRect rcItem, rcClient;
    pHeader->GetItemRect(nPosition, &rcItem);
    pHeader->GetClientRect(&rcClient);
    CPoint pt(rcItem.CenterPoint().x, rcClient.Height() / 4);
    pHeader->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    pHeader->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    Pump();
}

void FilterListTest::ColumnClick(CListCtrl& list, int nPosition)
{
    NMLISTVIEW view = {};
    view.hdr.hwndFrom = list.m_hWnd;
    view.hdr.idFrom = (UINT_PTR)list.GetDlgCtrlID();
    view.hdr.code = LVN_COLUMNCLICK;
    view.iItem = -1;
    view.iSubItem = nPosition;
    m_host.SendMessage(WM_NOTIFY, view.hdr.idFrom, (LPARAM)&view);
}

std::string FilterListTest::HeaderText(int nPosition)
{
    char buffer[128] = "";
    HDITEMA item = {};
    item.mask = HDI_TEXT;
    item.pszText = buffer;
    item.cchTextMax = sizeof(buffer);
    m_list.GetHeaderCtrl()->GetItem(nPosition, &item);
    return buffer;
}

std::string FilterListTest::FilterBox(int nPosition)
{
    CString box;
    m_list.GetHeaderText(nPosition, box);
    return (LPCTSTR)box;
}

void FilterListTest::Refill(std::vector<std::string> symbols)
{
    m_list.DeleteAllItems();
    m_rows.clear();
    for (const std::string& s : symbols)
        Add(s.c_str());
}

void FilterListTest::SetTrends(std::vector<int> columns)
{
    CArray<int, int> arr;
    for (int c : columns)
        arr.Add(c);
    m_list.SetTrendColumns(&arr);
}

void FilterListTest::Repaint()
{
    m_list.Invalidate(FALSE);
    m_list.UpdateWindow();
}

void FilterListTest::Shoot()
{
    if (m_picture != nullptr)
        ::DeleteObject(m_picture);
    m_picture = WindowPicture::Render(m_list.m_hWnd);
    ASSERT_NE(nullptr, m_picture);
}

int FilterListTest::Count(const CRect& rc, COLORREF clr)
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            n += Pixel(x, y) == clr;
    return n;
}

CRect FilterListTest::Cell(int nRow, int nHeaderItem)
{
    CRect rc;
    EXPECT_TRUE(m_list.GetCellRect(nRow, nHeaderItem, rc)) << nRow << "," << nHeaderItem;
    return rc;
}

int FilterListTest::Filter(int nPosition, const char* pszText, int bExact)
{
    CString text = pszText;
    return m_list.SetVisibleColumnFilter(nPosition, text, bExact);
}

int FilterListTest::MapFilter(int nColumn, const char* pszText, int bExact)
{
    CString text = pszText;
    return m_list.SetMapColumnFilter(nColumn, text, bExact);
}
