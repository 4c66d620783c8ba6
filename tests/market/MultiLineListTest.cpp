// The multi-line list as a host drives it: an order book whose rows open into their fills, texts
// from the host's routine (which may change the rows), filters, sorting, clicks, pixels, export.
#include "TestHost.h"
#include "TestSupport.h"
#include "WindowPicture.h"
#include "market/MultiLineListCtrl.h"
#include "lists/CommonListHooks.h"
#include "filter/FilterText.h"
#include <OrvoTools.h>
#include <deque>

namespace
{
struct sOrder
{
    std::string symbol;
    std::string price;
    std::vector<std::string> fills;   // child line d shows fills[d - 1]
};

std::function<void()> g_onText;   // the host doing something odd from inside its text routine
size_t g_nHugeText = 0;
int g_nTextCalls = 0;

int OrderText(ULONGLONG dwValue, int nColumn, CString& text, unsigned long&, unsigned long&, int&, int nLine)
{
    ++g_nTextCalls;
    if (std::function<void()> act = g_onText)
        act();
    if (dwValue < 16)   // small values are the host's own numbers, not orders
    {
        text.Format("v%d", (int)dwValue);
        return 1;
    }
    const sOrder& order = *reinterpret_cast<const sOrder*>(dwValue);
    if (g_nHugeText > 0)
    {
        text = std::string(g_nHugeText, 'H').c_str();
        return 1;
    }
    if (nColumn == 0)
        text = nLine == 0 || nLine > (int)order.fills.size() ? order.symbol.c_str() : order.fills[(size_t)nLine - 1].c_str();
    else if (nColumn == 1)
        text = order.price.c_str();
    else
        return 0;
    return 1;
}
}  // namespace

class MultiLineListTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        g_onText = nullptr;
        g_nHugeText = 0;
        ASSERT_TRUE(m_host.CreateRecorder(&m_frame, CRect(0, 0, 600, 400), 0));
        m_host.m_answer = [this](const sRecordedMsg& r, LRESULT&) {
            if (r.message == WM_NOTIFY && r.code == HDN_FILTERCHANGE && r.hwndFrom == m_list.m_hWnd)
                m_list.PopulateList();
            return false;
        };
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS,
                                  CRect(0, 0, 580, 380), &m_host, 1002));
    }
    void TearDown() override
    {
        g_onText = nullptr;
        BYTE keys[256] = {};
        ::SetKeyboardState(keys);
        if (m_list.GetSafeHwnd() != nullptr)
            m_list.DestroyWindow();
        m_host.DestroyWindow();
        HostTest::TearDown();
    }
    // Columns Order (text) and Price (decimal, right-aligned), and a formula column F (stored form).
    void Build(const char* pszFormula = nullptr)
    {
        static const char* const names[] = { "Order", "Price" };
        for (int c = 0; c < 2; ++c)
        {
            sOrvoColInfo info = {};
            strlcpy(info.szColName, names[c], sizeof(info.szColName));
            info.nWidth = 150;
            info.nFormat = c == 0 ? LVCFMT_LEFT : LVCFMT_RIGHT;
            info.nDataType = c == 0 ? LIST_SORT_TEXT : LIST_SORT_DECIMAL;
            m_list.m_arrColInfo.Add(info);
        }
        m_list.m_csListName = "OrderBook";
        m_list.InitColumnTextRtn(&OrderText);
        m_list.InsertColumnsForList(nullptr);
        if (pszFormula != nullptr)
            AddFormulaColumn(pszFormula);
        m_list.SetUseFilter(TRUE);
    }
    // A formula column F (stored form) after the others.
    void AddFormulaColumn(const char* pszFormula)
    {
        sOrvoColInfo info = {};
        strlcpy(info.szColName, "F", sizeof(info.szColName));
        info.nWidth = 100;
        info.nDataType = LIST_SORT_DECIMAL;
        info.csText1 = pszFormula;
        int c = (int)m_list.m_arrColInfo.Add(info);
        m_list.m_arrColPosition.SetAtGrow(c, c);
        m_list.InsertColumn(c, info.szColName, LVCFMT_RIGHT, 100, c);
        sVisibleColumn v = { c, c };
        m_list.AddToVisibleArray(v);
    }
    // An order of the given fills appended as a host does (insert at 0, data of the new row).
    int Add(const char* symbol, const char* price, int nFills, int nLines = INT_MIN)
    {
        m_orders.push_back({ symbol, price, {} });
        for (int f = 0; f < nFills; ++f)
            m_orders.back().fills.push_back(std::string("fill ") + symbol + "." + std::to_string(f + 1));
        m_list.InsertItem(0, "");
        return m_list.SetItemData(0, (DWORD_PTR)&m_orders.back(), nLines != INT_MIN ? nLines : nFills + 1);
    }
    std::vector<std::string> Lines(int nPosition = 0)
    {
        std::vector<std::string> lines;
        for (int i = 0; i < m_list.GetVisibleCountEx(); ++i)
            lines.push_back((LPCTSTR)m_list.GetItemText(i, nPosition));
        return lines;
    }
    void Pump() { AfxPumpPendingMessages(); }
    void ExpectConsistent()
    {
        Pump();
        CString reason;
        EXPECT_TRUE(m_list.CheckInvariants(&reason)) << (LPCTSTR)reason;
    }
    void Filter(int nPosition, const char* text)
    {
        CString t(text);
        m_list.SetVisibleColumnFilter(nPosition, t, 0);
    }

    CMessageRecorder m_host;
    CMultiLineListCtrl m_list;
    std::deque<sOrder> m_orders;
};

TEST_F(MultiLineListTest, LinesOpenCloseAndDeleteWithTheirRows)
{
    Build();
    Add("ONE", "1", 0);
    Add("BUY", "2", 2);
    EXPECT_EQ(2, m_list.InsertItem(0, ""));   // index 0 appends after both rows
    m_list.DeleteItem(2);
    m_list.OpenCloseRow(0);   // a one-line row opens to nothing
    m_list.OpenCloseRow(1);
    EXPECT_EQ((std::vector<std::string>{ "ONE", "BUY", "   fill BUY.1", "   fill BUY.2" }), Lines());
    EXPECT_EQ((std::vector<std::string>{ "1", "2", "   2", "   2" }), Lines(1));
    int nFirst = -1, nLine = -1;
    EXPECT_EQ((DWORD_PTR)&m_orders[1], m_list.GetRowInfo(2, nFirst, nLine));
    EXPECT_EQ(0, nFirst);
    EXPECT_EQ(3, nLine);
    EXPECT_EQ((DWORD_PTR)&m_orders[1], m_list.GetItemData(3));
    // A fill arrives while the row is open; a record the list does not hold is refused.
    m_orders[1].fills.push_back("fill BUY.3");
    EXPECT_EQ(1, m_list.RedrawParentRow((DWORD_PTR)&m_orders[1], 4));
    EXPECT_EQ(5, m_list.GetVisibleCountEx());
    EXPECT_EQ(0, m_list.RedrawParentRow((DWORD_PTR)0x1234, 2));
    m_list.DeleteItem(3);   // a child line: its whole row goes
    EXPECT_EQ((std::vector<std::string>{ "ONE" }), Lines());
    ExpectConsistent();
}

TEST_F(MultiLineListTest, LineCountsAreKeptWithinLimitsAndSmallValuesAreRows)
{
    // Without the host's text routine nothing is taken.
    m_list.SetUseFilter(TRUE);
    EXPECT_EQ(0, m_list.InsertItem(0, ""));
    EXPECT_EQ(0, m_list.SetItemData(0, 5, 2));
    EXPECT_STREQ(MULTILINE_NO_DESCRIPTOR_TEXT, m_list.GetItemText(0, 0));
    Build();
    const struct { int nLines, nChildren; } cases[] = { { 0, 0 }, { -1, 0 }, { 1, 0 }, { 3, 2 },
                                                       { INT_MAX, MULTILINE_MAX_LINES - 1 } };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nLines);
        m_list.DeleteAllItems();
        Add("X", "1", 2, c.nLines);
        m_list.OpenCloseRow(0);
        EXPECT_EQ(c.nChildren, m_list.GetNumberOfChild());
        ExpectConsistent();
    }
    // Item values 0 and 1 are the host's to choose: the line array still knows its rows.
    m_list.DeleteAllItems();
    for (DWORD_PTR v : { (DWORD_PTR)1, (DWORD_PTR)0, (DWORD_PTR)1 })
    {
        m_list.InsertItem(0, "");
        m_list.SetItemData(0, v, 3);
    }
    m_list.OpenAllClosedRows();
    EXPECT_EQ((std::vector<std::string>{ "v1", "   v1", "   v1", "", "   ", "   ", "v1", "   v1", "   v1" }), Lines());
    ExpectConsistent();
}

// Rows opened, filtered out, added, re-counted, deleted by a child line and sorted in one another's
// way: the lines shown are those of the rows that pass, in order, open where they were left open.
TEST_F(MultiLineListTest, OpenFilteredCountedDeletedAndSortedRowsStayInStep)
{
    using V = std::vector<std::string>;
    Build();
    Add("A", "50", 2);
    Add("B", "5", 1);
    m_list.OpenAllClosedRows();
    Filter(1, ">10");   // B goes, still open
    EXPECT_EQ(0, Add("C", "7", 1));   // taken, not shown
    EXPECT_EQ(1, Add("D", "90", 1));
    m_list.m_bAllRowsOpened = false;
    m_list.OpenAllClosedRows();   // D opens; hidden C stays closed
    m_list.RedrawParentRow((DWORD_PTR)&m_orders[1], 3);   // hidden B gets a third line
    m_list.OpenCloseRow(1);   // a child line of A: A closes
    EXPECT_EQ((V{ "A", "D", "   fill D.1" }), Lines());
    ExpectConsistent();
    m_list.DeleteItem(2);   // D's child line: D goes
    Filter(1, "");
    EXPECT_EQ((V{ "A", "B", "   fill B.1", "   B", "C" }), Lines());
    m_list.SortOn(1, 0);   // descending by price; every row closes
    EXPECT_EQ((V{ "A", "C", "B" }), Lines());
    EXPECT_EQ(3, m_list.GetItemCount());
    ExpectConsistent();
}

TEST_F(MultiLineListTest, FiltersTheValuePopupAndTheResetCommand)
{
    using V = std::vector<std::string>;
    Build(" \"1\" * 2");
    Add("AAA", "10", 2);
    Add("BBB", "25", 1);
    Add("CCC", "30", 0);
    Add("BBB", "40", 0);
    m_list.OpenAllClosedRows();
    Filter(2, ">45");   // the formula column: price x 2
    EXPECT_EQ((V{ "BBB", "   fill BBB.1", "CCC", "BBB" }), Lines());
    EXPECT_EQ((V{ "50.00", "   50.00", "60.00", "80.00" }), Lines(2));
    // The value popup offers the first lines of the shown rows, each value once, and filters this list.
    NMHDFILTERBTNCLICK click = {};
    click.hdr.hwndFrom = m_list.GetColorHeader().m_hWnd;
    click.hdr.idFrom = (UINT_PTR)::GetDlgCtrlID(click.hdr.hwndFrom);
    click.hdr.code = HDN_FILTERBTNCLICK;
    m_list.SendMessage(WM_NOTIFY, click.hdr.idFrom, (LPARAM)&click);
    CListBox& values = CFilterText::Get().GetValueList();
    ASSERT_EQ(2, values.GetCount());
    CString text;
    values.GetText(0, text);
    EXPECT_STREQ("BBB", text);
    values.SetSel(0);
    CFilterText::Get().ApplySelection();
    EXPECT_EQ((V{ "BBB", "   fill BBB.1", "BBB" }), Lines());
    EXPECT_EQ(2, m_list.GetDisplayCount());
    EXPECT_EQ(4, m_list.GetItemCount());
    m_list.SendMessage(WM_COMMAND, ID_MULTILINE_RESET_FILTERS);
    EXPECT_EQ(0, m_list.GetFilterCount());
    EXPECT_EQ(7, m_list.GetVisibleCountEx());   // every row back, still open
    // A filter on a hidden column leaves position 0's filter in place.
    Filter(0, "BBB");
    m_list.DeleteColumn(2);   // the formula column hidden, as a profile hides it
    m_list.m_arrColPosition[2] = -1;
    m_list.m_arrVisibleColumns.RemoveAt(2);
    CString positive(">0");
    m_list.SetColumnFilter(2, positive, 0);
    EXPECT_EQ(2, m_list.GetFilterCount());
    EXPECT_EQ((V{ "BBB", "   fill BBB.1", "BBB" }), Lines());
    ExpectConsistent();
}

TEST_F(MultiLineListTest, HeaderClickClosesRowsAndSortsByColumnType)
{
    Build();
    Add("C", "9", 1);
    Add("A", "100", 2);
    Add("B", "-5", 0);
    m_list.OpenAllClosedRows();
    CHeaderCtrl* pHeader = m_list.GetHeaderCtrl();
    auto click = [&](int nPosition) {
        CRect rc;
        pHeader->GetItemRect(nPosition, &rc);
        pHeader->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rc.CenterPoint().x, 4));
        pHeader->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(rc.CenterPoint().x, 4));
        Pump();
    };
    // The Price header's image: the sort arrow up, down, or none once another column sorts.
    const struct { int nPosition; bool bReverse; std::vector<std::string> lines; int nImage; } clicks[] = {
        { 1, false, { "B", "C", "A" }, 0 },   // numbers, not texts
        { 1, false, { "A", "C", "B" }, 1 },
        { 0, false, { "A", "B", "C" }, 2 },
        { 0, true, { "A", "B", "C" }, 2 },   // descending, shown reversed
    };
    for (const auto& c : clicks)
    {
        m_list.SetReverseDisplay(c.bReverse);
        click(c.nPosition);
        EXPECT_EQ(c.lines, Lines());
        HDITEMA item = {};
        item.mask = HDI_IMAGE;
        pHeader->GetItem(1, &item);
        EXPECT_EQ(c.nImage, item.iImage);
    }
    ExpectConsistent();
}

TEST_F(MultiLineListTest, ClicksSelectBlocksAndADoubleClickTogglesOnce)
{
    Build();
    Add("A", "1", 2);
    Add("B", "2", 1);
    m_list.OpenCloseRow(0);
    Pump();
    auto click = [&](int nItem, bool bDouble, bool bCtrl) {
        BYTE keys[256] = {};
        keys[VK_CONTROL] = bCtrl ? 0x80 : 0;
        ::SetKeyboardState(keys);
        CRect rc;
        m_list.GetItemRect(nItem, &rc, LVIR_BOUNDS);
        const LPARAM lParam = MAKELPARAM(rc.left + 60, rc.CenterPoint().y);
        m_list.PostMessage(WM_LBUTTONUP, 0, lParam);
        m_list.SendMessage(bDouble ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, MK_LBUTTON | (bCtrl ? MK_CONTROL : 0), lParam);
        Pump();
    };
    auto selected = [&] {
        std::vector<int> lines;
        for (int i = 0; i < m_list.GetVisibleCountEx(); ++i)
            if (m_list.IsSelected(i))
                lines.push_back(i);
        return lines;
    };
    click(1, false, false);   // a child line of the open row: the whole row
    EXPECT_EQ((std::vector<int>{ 0, 1, 2 }), selected());
    click(3, false, true);    // Ctrl adds B
    EXPECT_EQ((std::vector<int>{ 0, 1, 2, 3 }), selected());
    click(2, false, true);    // Ctrl on a selected line takes A's block away
    EXPECT_EQ((std::vector<int>{ 3 }), selected());
    EXPECT_EQ(3, m_list.GetFirstSelectedParent());
    click(3, true, false);    // B has two lines: a double-click opens it once
    EXPECT_EQ(5, m_list.GetVisibleCountEx());
    click(3, true, false);
    EXPECT_EQ(4, m_list.GetVisibleCountEx());
    // Closing A moves B up two lines; B's selection moves with it.
    m_list.OpenCloseRow(0);
    Pump();
    EXPECT_EQ((std::vector<int>{ 0, 1 }), selected());
    ExpectConsistent();
}

TEST_F(MultiLineListTest, DrawingShowsFilterTintsBoxesConnectorsGroupedNumbersAndShades)
{
    Build();
    Add("CLOSED", "-1234567.5", 2);
    Add("OPEN", "1", 2);
    m_list.OpenCloseRow(1);
    m_list.SetItemState(-1, 0, LVIS_SELECTED);
    Filter(1, ">-9999999");   // every row passes; the header shows the filter
    Pump();
    m_list.UpdateWindow();
    HBITMAP hPicture = WindowPicture::Render(m_list.m_hWnd);
    CRect rcHeader;
    m_list.GetColorHeader().GetItemRect(1, &rcHeader);
    EXPECT_EQ(HEADER_FILTERED_COLOR, WindowPicture::PixelAt(hPicture, rcHeader.left + 4, rcHeader.top + 4));
    m_list.GetColorHeader().GetItemRect(0, &rcHeader);
    EXPECT_EQ(HEADER_ANYFILTER_COLOR, WindowPicture::PixelAt(hPicture, rcHeader.left + 4, rcHeader.top + 4));
    CRect rcLine;
    m_list.GetItemRect(1, &rcLine, LVIR_BOUNDS);
    const int h = rcLine.Height();
    // Grid-coloured pixels along a run of the first column's label (x = dx, y from y0 to y1, or
    // across when bAcross), relative to its left edge + 2.
    auto grid = [&](int nItem, int dx, int y0, int y1, bool bAcross = false) {
        CRect rc;
        m_list.GetSubItemRect(nItem, 0, LVIR_LABEL, rc);
        int n = 0;
        for (int t = y0; t < y1; ++t)
            n += WindowPicture::PixelAt(hPicture, rc.left + 2 + (bAcross ? t : dx), rc.top + (bAcross ? dx : t)) ==
                 MULTILINE_GRID_COLOR;
        return n;
    };
    const struct { const char* what; int nItem, dx, y0, y1; bool bAcross; int nMin, nMax; } probes[] = {
        { "box corner", 0, 0, 2, 3, false, 1, 1 }, { "box corner", 1, 8, 10, 11, false, 1, 1 },
        { "minus", 0, 3, 6, 7, false, 1, 1 }, { "minus", 1, 3, 6, 7, false, 1, 1 },
        { "closed: a plus", 0, 4, 5, 6, false, 1, 1 }, { "open: no plus", 1, 4, 5, 6, false, 0, 0 },
        { "open: connector down", 1, 4, 11, h, false, 1, h }, { "closed: no connector", 0, 4, 11, h, false, 0, 0 },
        { "middle child: down the line", 2, 4, 0, h, false, (h - 2) / 3 + 1, h },
        { "middle child: its tick", 2, 6, 5, 11, true, 1, h }, { "last child: stops at its tick", 3, 4, 8, h, false, 0, 0 },
    };
    for (const auto& p : probes)
    {
        const int n = grid(p.nItem, p.dx, p.y0, p.y1, p.bAcross);
        EXPECT_TRUE(n >= p.nMin && n <= p.nMax) << p.what << " line " << p.nItem << ": " << n;
    }
    // "-1,234,567.5" right-aligned: its ink spans the width of that text in the list's font.
    CRect rcCell;
    int nLeft = INT_MAX, nRight = -1;
    auto ink = [&](int nPosition = 1) {
        m_list.GetSubItemRect(0, nPosition, LVIR_LABEL, rcCell);
        const COLORREF back = WindowPicture::PixelAt(hPicture, rcCell.left + 1, rcCell.top + 2);
        nLeft = INT_MAX, nRight = -1;
        for (int x = rcCell.left; x < rcCell.right; ++x)
            for (int y = rcCell.top + 2; y < rcCell.bottom - 1; ++y)
                if (WindowPicture::PixelAt(hPicture, x, y) != back)
                    nLeft = std::min(nLeft, x), nRight = std::max(nRight, x);
    };
    ink();
    CClientDC dc(&m_list);
    CFont* pOld = dc.SelectObject(m_list.GetFont());
    EXPECT_NEAR(dc.GetTextExtent("-1,234,567.5").cx, nRight - nLeft + 1, 2);
    dc.SelectObject(pOld);
    EXPECT_NEAR(rcCell.right - 3, nRight + 1, 2);
    ::DeleteObject(hPicture);
    // The first column widened after a paint: the cells are drawn at its new edges; a column
    // added after a paint is drawn too.
    m_list.SetColumnWidth(0, m_list.GetColumnWidth(0) + 40);
    m_list.RedrawWindow();
    hPicture = WindowPicture::Render(m_list.m_hWnd);
    ink();
    EXPECT_NEAR(rcCell.right - 3, nRight + 1, 2);
    ::DeleteObject(hPicture);
    AddFormulaColumn(" \"1\" * 2");
    m_list.RedrawWindow();
    hPicture = WindowPicture::Render(m_list.m_hWnd);
    ink(2);   // "2", left-aligned as the column's format says
    EXPECT_NEAR(rcCell.left + 3, nLeft, 2) << "the added column's cell is not drawn";
    ::DeleteObject(hPicture);
    // Shades: the host's blend from the background to white, top to bottom of each cell.
    m_list.SetDrawShades(true);
    m_list.RedrawWindow();
    hPicture = WindowPicture::Render(m_list.m_hWnd);
    auto sum = [](COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); };
    EXPECT_GT(sum(WindowPicture::PixelAt(hPicture, rcCell.left + 2, rcCell.bottom - 1)),
              sum(WindowPicture::PixelAt(hPicture, rcCell.left + 2, rcCell.top + 2)) + 60);
    ::DeleteObject(hPicture);
}

TEST_F(MultiLineListTest, ExportWritesTheLinesAsShownAndAddCustomColumnsGoesToTheHost)
{
    Build();
    Add("AAA", "10", 1);
    Add("BBB", "20", 0);
    m_list.OpenCloseRow(0);
    std::string path = TestSettings::TempFile("orders.csv");
    m_script.m_commonAnswers.push_back([path](CCommonDialog* pDlg) {
        static_cast<CFileDialog*>(pDlg)->m_strPathName = path.c_str();
        return (INT_PTR)IDOK;
    });
    m_list.SendMessage(WM_COMMAND, ID_LIST_WRITE_TO_FILE);
    EXPECT_EQ("Order,Price\r\nAAA,10\r\n   fill AAA.1,   10\r\nBBB,20\r\n", TestSettings::ReadFile(path));
    EXPECT_EQ(std::vector<CString>{ "File is generated" }, m_script.Messages());
    m_host.Clear();
    m_script.m_menuAnswers.push_back(ID_MULTILINE_ADD_CUSTOM);
    m_list.ShowCustomColumns(true);
    CRect rc;
    m_list.GetWindowRect(&rc);
    m_list.SendMessage(WM_CONTEXTMENU, (WPARAM)m_list.m_hWnd, MAKELPARAM(rc.left + 20, rc.top + 60));
    EXPECT_EQ(1u, m_host.Count(WM_COMMAND));
}

// The host acts from inside its text routine. Deleting a row every seventh text while the list
// filters, draws and opens rows leaves it consistent; 1 MB texts draw. During a sort, once:
// the top row deleted or a row added, every order is there once with its own texts; the list
// destroyed, no text is asked for after (the sort once read every remaining text first).
TEST_F(MultiLineListTest, HostChangingRowsFromItsTextRoutineLeavesAConsistentList)
{
    Build();
    for (int i = 0; i < 20; ++i)
        Add(("R" + std::to_string(i)).c_str(), std::to_string(i).c_str(), 2);
    m_list.OpenAllClosedRows();
    int nCalls = 0;
    g_onText = [&] {
        if (++nCalls % 7 == 0 && m_list.GetVisibleCountEx() > 0)
            m_list.DeleteItem(m_list.GetVisibleCountEx() - 1);
    };
    Filter(1, ">3");
    m_list.Invalidate();
    m_list.UpdateWindow();
    m_list.OpenAllClosedRows();
    ExpectConsistent();
    g_onText = nullptr;
    Add("HUGE", "9", 1);
    g_nHugeText = 1 << 20;
    m_list.Invalidate();
    m_list.UpdateWindow();
    EXPECT_EQ((size_t)(1 << 20), (size_t)m_list.GetItemText(0, 0).GetLength());
    ExpectConsistent();
    g_nHugeText = 0;
    Filter(1, "");
    enum eAction { kDeleteTop, kAddRow, kDestroy };
    const struct { const char* name; eAction action; std::vector<std::string> rows; } cases[] = {
        { "top deleted", kDeleteTop, { "A/10", "B/20", "C/30", "E/50" } },
        { "row added", kAddRow, { "A/10", "B/20", "C/30", "D/40", "E/50", "Z/99" } },
        { "list destroyed", kDestroy, {} },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        m_list.DeleteAllItems();
        for (const char* s : { "D", "B", "E", "A", "C" })
            Add(s, std::to_string((s[0] - 'A' + 1) * 10).c_str(), 0);
        int nCallsAfter = -1;
        g_onText = [&] {
            g_onText = nullptr;
            if (c.action == kDeleteTop)
                m_list.DeleteItem(0);
            else if (c.action == kAddRow)
                Add("Z", "99", 0);
            else
                m_list.DestroyWindow();
            nCallsAfter = g_nTextCalls;
        };
        m_list.SortOn(0, 1);
        Pump();
        ASSERT_NE(-1, nCallsAfter);
        if (c.action == kDestroy)
        {
            EXPECT_EQ(nCallsAfter, g_nTextCalls);
            break;
        }
        std::vector<std::string> rows = Lines(), prices = Lines(1);
        for (size_t i = 0; i < rows.size(); ++i)
            rows[i] += "/" + prices[i];
        std::sort(rows.begin(), rows.end());
        EXPECT_EQ(c.rows, rows);
    }
}
