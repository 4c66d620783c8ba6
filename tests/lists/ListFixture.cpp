#include "ListFixture.h"

BEGIN_MESSAGE_MAP(CGridTestDialog, CDialog)
    ON_MESSAGE(WM_LIST_COLUMNS_REBUILT, OnColumnsRebuilt)
END_MESSAGE_MAP()

void ListTest::SetUp()
{
    HostTest::SetUp();
    ASSERT_TRUE(m_dialog.Create(3100, &m_frame));
    ASSERT_TRUE(m_list.SubclassDlgItem(1001, &m_dialog));
}

void ListTest::TearDown()
{
    if (m_dialog.GetSafeHwnd() != nullptr)
        m_dialog.DestroyWindow();
    HostTest::TearDown();
}

void ListTest::BuildColumns(std::initializer_list<sTestColumn> columns)
{
    m_list.m_arrColInfo.RemoveAll();
    for (const sTestColumn& column : columns)
    {
        sOrvoColInfo info = {};
        strlcpy(info.szColName, column.name, sizeof(info.szColName));
        info.nWidth = column.width;
        info.nFormat = column.format;
        info.nDataType = column.dataType;
        m_list.m_arrColInfo.Add(info);
    }
    m_list.m_csListName = "TestGrid";
    m_list.InsertColumnsForList(nullptr);
}

int ListTest::AddRow(std::initializer_list<const char*> cells)
{
    int nRow = m_list.GetItemCount();
    int nSub = 0;
    for (const char* cell : cells)
    {
        if (nSub++ == 0)
            m_list.InsertItem(LVIF_TEXT | LVIF_PARAM, nRow, cell, 0, 0, 0, 1000 + nRow);
        else
            m_list.SetItemText(nRow, nSub - 1, cell);
    }
    return nRow;
}

Texts ListTest::Column(int nSubItem)
{
    Texts texts;
    for (int r = 0; r < m_list.GetItemCount(); ++r)
        texts.push_back((LPCTSTR)m_list.CListCtrl::GetItemText(r, nSubItem));
    return texts;
}

Texts ListTest::HeaderTexts()
{
    Texts texts;
    CHeaderCtrl* pHeader = m_list.GetHeaderCtrl();
    for (int i = 0; i < pHeader->GetItemCount(); ++i)
    {
        char text[128] = "";
        HDITEMA item = {};
        item.mask = HDI_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        pHeader->GetItem(i, &item);
        texts.push_back(text);
    }
    return texts;
}

int ListTest::HeaderImage(int nPosition)
{
    HDITEMA item = {};
    item.mask = HDI_IMAGE | HDI_FORMAT;
    if (!m_list.GetHeaderCtrl()->GetItem(nPosition, &item) || !(item.fmt & HDF_IMAGE))
        return -1;
    return item.iImage;
}

void ListTest::ClickHeader(int nPosition)
{
    // As the platform reports a click: LVN_COLUMNCLICK from the list to its parent.
    NMLISTVIEW view = {};
    view.hdr.hwndFrom = m_list.m_hWnd;
    view.hdr.idFrom = 1001;
    view.hdr.code = LVN_COLUMNCLICK;
    view.iItem = -1;
    view.iSubItem = nPosition;
    m_dialog.SendMessage(WM_NOTIFY, 1001, (LPARAM)&view);
}

void ListTest::PressKey(UINT vk, bool bCtrl, bool bShift)
{
    BYTE keys[256] = {};
    keys[VK_CONTROL] = keys[VK_LCONTROL] = bCtrl ? 0x80 : 0;
    keys[VK_SHIFT] = keys[VK_LSHIFT] = bShift ? 0x80 : 0;
    ::SetKeyboardState(keys);
    m_list.PostMessage(WM_KEYDOWN, vk, 1);
    AfxPumpPendingMessages();
    keys[VK_CONTROL] = keys[VK_LCONTROL] = keys[VK_SHIFT] = keys[VK_LSHIFT] = 0;
    ::SetKeyboardState(keys);
}

void PlainListTest::Make(DWORD dwStyle, std::initializer_list<const char*> columns,
                         std::initializer_list<const char*> rows)
{
    ASSERT_TRUE(m_parent.CreateRecorder(&m_frame, CRect(0, 0, 500, 300)));
    ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | dwStyle, CRect(0, 0, 480, 280), &m_parent, 1001));
    int c = 0;
    for (const char* name : columns)
        m_list.InsertColumn(c, name, c == 1 ? LVCFMT_RIGHT : LVCFMT_LEFT, 100, c), ++c;
    int r = 0;
    for (const char* text : rows)
        m_list.InsertItem(r++, text);
}

void PlainListTest::TearDown()
{
    if (m_list.GetSafeHwnd() != nullptr)
        m_list.DestroyWindow();
    if (m_parent.GetSafeHwnd() != nullptr)
        m_parent.DestroyWindow();
    HostTest::TearDown();
}

std::string PlainListTest::Rows()
{
    std::string s;
    for (int r = 0; r < m_list.GetItemCount(); ++r)
        s += (LPCTSTR)m_list.CListCtrl::GetItemText(r, 0);
    return s;
}
