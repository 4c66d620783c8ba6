// Sorting of the filter list by header clicks and SortOn, checked rows first, the row check boxes
// and the click-toggle selection mode, and the keyword colours: driven with real header and row
// clicks, checked on the rows the platform list shows.
#include "FilterListFixture.h"

namespace
{
struct sRowTexts
{
    sRowTexts(const char* s, const char* p = "1", const char* e = "NSE") : symbol(s), price(p), exchange(e) {}
    const char* symbol;
    const char* price;
    const char* exchange;
};

CFilterListCtrl* s_pList = nullptr;
bool s_bDeleteWhileSorting = false;

class FilterListSortTest : public FilterListTest
{
protected:
    // A host routine that can delete rows while called.
    static int WatchingText(ULONGLONG dwItemData, int nColumn, CString& text, unsigned long& a, unsigned long& b, int& c)
    {
        if (s_bDeleteWhileSorting && s_pList->GetItemCount() > 2)
            s_pList->DeleteMapItem(0);
        return ColumnText(dwItemData, nColumn, text, a, b, c);
    }

    // Rows given as (symbol, price, exchange), appended in order: map index = position.
    void Rows(std::initializer_list<sRowTexts> rows)
    {
        for (const sRowTexts& r : rows)
            ASSERT_EQ(1, Add(r.symbol, r.price, r.exchange));
    }
    void SetType(int nColumn, int nDataType) { m_list.m_arrColInfo[nColumn].nDataType = nDataType; }

    // A click at x pixels from the row's left edge (the check box lies in the first 12).
    void ClickRow(int nRow, int x)
    {
        Pump();   // the platform count first
        CRect rc;
        ASSERT_TRUE(m_list.GetItemRect(nRow, &rc, LVIR_BOUNDS));
        const LPARAM lParam = MAKELPARAM(rc.left + x, rc.CenterPoint().y);
        // The list view tracks the mouse until the button comes up: queue that first.
        m_list.PostMessage(WM_LBUTTONUP, 0, lParam);
        m_list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lParam);
        Pump();
    }
    int HeaderImage(int nPosition)
    {
        HDITEMA item = {};
        item.mask = HDI_IMAGE | HDI_FORMAT;
        if (!m_list.GetHeaderCtrl()->GetItem(nPosition, &item) || !(item.fmt & HDF_IMAGE))
            return -1;
        return item.iImage;
    }
    std::vector<int> SelectedRows()
    {
        std::vector<int> rows;
        for (int r = m_list.GetNextItem(-1, LVNI_SELECTED); r >= 0; r = m_list.GetNextItem(r, LVNI_SELECTED))
            rows.push_back(r);
        return rows;
    }
    int FocusedRow() { return m_list.GetNextItem(-1, LVNI_FOCUSED); }
    std::vector<int> ShownChecks()
    {
        std::vector<int> checks;
        for (int r = 0; r < m_list.GetDisplayCount(); ++r)
            checks.push_back(m_list.GetCheck(r));
        return checks;
    }
    size_t ClicksSeenByParent()
    {
        size_t n = 0;
        for (const sRecordedMsg& r : m_host.Of(WM_NOTIFY, NM_CLICK))
            n += r.hwndFrom == m_list.m_hWnd;
        return n;
    }
};
}  // namespace

TEST_F(FilterListSortTest, HeaderClicksSortNumbersAscendingThenDescendingWithImages)
{
    Build();
    Rows({ { "A", "10" }, { "B", "2.5" }, { "C", "-3" }, { "D", "100" }, { "E", "abc" }, { "F", "" } });
    ClickHeader(1);
    // Texts that are not numbers count as 0; the two zeros keep the tie-break (higher map index
    // first when ascending).
    EXPECT_EQ(Texts({ "C", "F", "E", "B", "A", "D" }), Shown(0));
    EXPECT_EQ(0, HeaderImage(1));
    EXPECT_EQ(1, m_list.GetSortColumn());
    EXPECT_EQ(1, m_list.m_nSortDataColumn);
    ClickHeader(1);
    EXPECT_EQ(Texts({ "D", "A", "B", "E", "F", "C" }), Shown(0));
    EXPECT_EQ(1, HeaderImage(1));
    // Another column starts ascending; the former one loses its arrow.
    SetType(2, 3);
    Row(0)->exchange = "b";
    Row(3)->exchange = "a";
    ClickHeader(2);
    EXPECT_EQ(0, HeaderImage(2));
    EXPECT_EQ(2, HeaderImage(1));
    EXPECT_EQ(Texts({ "NSE", "NSE", "NSE", "NSE", "a", "b" }), Shown(2));
    // The library-wide value arrays are empty between sorts.
    EXPECT_EQ(0, CFilterListCtrl::g_SortDataDblArr.GetSize());
    EXPECT_EQ(0, CFilterListCtrl::g_SortDataLongArr.GetSize());
    EXPECT_EQ(0, CFilterListCtrl::g_SortDataStrArr.GetSize());
    ExpectInvariants();
}

TEST_F(FilterListSortTest, EqualValuesAreOrderedByMapIndex)
{
    Build();
    SetType(1, 4);   // atol
    Rows({ { "M0", "5" }, { "M1", "5" }, { "M2", "1" }, { "M3", "5.9" }, { "M4", "1" } });
    ClickHeader(1);
    EXPECT_EQ(Texts({ "M4", "M2", "M3", "M1", "M0" }), Shown(0));
    ClickHeader(1);
    EXPECT_EQ(Texts({ "M0", "M1", "M3", "M2", "M4" }), Shown(0));
    // Decimals: 5.9 is above 5 now.
    SetType(1, 5);
    ClickHeader(0);
    ClickHeader(1);
    EXPECT_EQ(Texts({ "M4", "M2", "M1", "M0", "M3" }), Shown(0));
    ExpectInvariants();
}

TEST_F(FilterListSortTest, EachDataTypeHasItsOwnComparison)
{
    Build();
    SetType(0, 3);   // natural text
    SetType(1, 1);   // atol: 2147483648 saturates or wraps, but only as the library's atol reads it
    SetType(2, 6);   // dates
    Rows({ { "a10", "7", "05/12/2026 10:00" }, { "a2", "-7", "4/12/2026" }, { "b1", " 12x", "not a date" },
           { "a1", "0x10", "31/12/2025 23:59:59" } });
    // The list starts sorted ascending by column 0: its first click goes descending.
    ClickHeader(0);
    EXPECT_EQ(Texts({ "b1", "a10", "a2", "a1" }), Shown(0));
    ClickHeader(0);
    EXPECT_EQ(Texts({ "a1", "a2", "a10", "b1" }), Shown(0));
    ClickHeader(1);
    // atol: " 12x" is 12, "0x10" is 0.
    EXPECT_EQ(Texts({ "-7", "0x10", "7", " 12x" }), Shown(1));
    // Dates ascend with the first click, as in the common list; a text that is no date first.
    ClickHeader(2);
    EXPECT_EQ(Texts({ "not a date", "31/12/2025 23:59:59", "4/12/2026", "05/12/2026 10:00" }), Shown(2));
    ClickHeader(2);
    EXPECT_EQ(Texts({ "05/12/2026 10:00", "4/12/2026", "31/12/2025 23:59:59", "not a date" }), Shown(2));
    // A type without a comparison ties every pair: the map index alone decides.
    SetType(0, 8);
    ClickHeader(0);
    EXPECT_EQ(Texts({ "a1", "b1", "a2", "a10" }), Shown(0));
    ClickHeader(0);
    EXPECT_EQ(Texts({ "a10", "a2", "b1", "a1" }), Shown(0));
    ExpectInvariants();
}

TEST_F(FilterListSortTest, SortOnOrderOneIsAscendingWhateverCameBefore)
{
    Build();
    SetType(0, 3);
    Rows({ { "A", "3" }, { "B", "1" }, { "C", "2" } });
    // Column, order, and the column shown afterwards; a column that does not exist sorts position 0.
    const struct { int nColumn, nOrder, nShown; Texts expected; } steps[] = {
        { 1, 1, 1, { "1", "2", "3" } }, { 1, 1, 1, { "1", "2", "3" } }, { 1, 0, 1, { "3", "2", "1" } },
        { 1, -5, 1, { "3", "2", "1" } }, { 99, 1, 0, { "A", "B", "C" } }, { -1, 0, 0, { "C", "B", "A" } },
    };
    for (const auto& s : steps)
    {
        EXPECT_EQ(1, m_list.SortOn(s.nColumn, s.nOrder));
        EXPECT_EQ(s.expected, Shown(s.nShown)) << s.nColumn << "," << s.nOrder;
        if (s.nOrder == -5)
        {
            EXPECT_EQ(1, HeaderImage(1));   // the descending arrow
        }
    }
    EXPECT_TRUE(m_list.GetStyle() & WS_VISIBLE);   // redraw is on again afterwards
    // A host holding the list as a common list gets the filter list's sort of its rows.
    CCommonListCtrl* pCommon = &m_list;
    EXPECT_EQ(1, pCommon->SortOn(1, 1));
    EXPECT_EQ(Texts({ "1", "2", "3" }), Shown(1));
    ExpectInvariants();
}

TEST_F(FilterListSortTest, ReverseDisplayShowsTheSameOrder)
{
    Build();
    Rows({ { "A", "3" }, { "B", "1" }, { "C", "2" }, { "D", "1" } });
    m_list.SetReverseDisplay(true);
    m_list.SetMapItemCheck(1, 1);   // B
    ClickHeader(1);
    EXPECT_EQ(Texts({ "D", "B", "C", "A" }), Shown(0));
    // Screen row 0 is the last display entry; checks and data agree with what is shown.
    EXPECT_EQ(3, m_list.GetMapIndexFromDisplayIndex(3));
    EXPECT_EQ(std::vector<int>({ 0, 1, 0, 0 }), ShownChecks());
    EXPECT_EQ((DWORD_PTR)Row(1), m_list.GetItemData(1));
    EXPECT_EQ(1, m_list.SetCheck(3, 1));
    EXPECT_EQ(1, m_list.GetMapItemCheck(0));
    EXPECT_EQ(2, m_list.GetCheckedItemCount());
    ClickHeader(1);
    EXPECT_EQ(Texts({ "A", "C", "B", "D" }), Shown(0));
    EXPECT_EQ(std::vector<int>({ 1, 0, 1, 0 }), ShownChecks());
    ExpectInvariants();
}

TEST_F(FilterListSortTest, WithRowDragTheWholeMapIsSortedAndFilteredAgain)
{
    Build();
    Rows({ { "A", "3", "NSE" }, { "B", "1", "BSE" }, { "C", "2", "NSE" }, { "D", "0", "NSE" } });
    m_list.m_bRowDrag = 1;
    CString csFilter = "NSE";
    m_list.SetMapColumnFilter(2, csFilter, 1);
    Pump();
    ASSERT_EQ(Texts({ "A", "C", "D" }), Shown(0));
    CArray<int, int> trendColumns;
    trendColumns.Add(1);
    m_list.SetTrendColumns(&trendColumns);
    ClickHeader(1);
    // The filtered-out row moved in the map as well.
    EXPECT_EQ(Texts({ "D", "B", "C", "A" }), MapSymbols());
    EXPECT_EQ(Texts({ "D", "C", "A" }), Shown(0));
    // Under reverse display the map goes the other way, so the screen shows the same order.
    m_list.SetReverseDisplay(true);
    ClickHeader(1);
    ClickHeader(1);
    EXPECT_EQ(Texts({ "A", "C", "B", "D" }), MapSymbols());
    EXPECT_EQ(Texts({ "D", "C", "A" }), Shown(0));
    m_list.SetReverseDisplay(false);
    m_list.m_bRowDrag = 0;
    ExpectInvariants();
}

TEST_F(FilterListSortTest, CheckedRowsFirstWithCountsOfTheWholeMap)
{
    Build();
    Rows({ { "E", "1", "NSE" }, { "A", "1", "NSE" }, { "D", "1", "BSE" }, { "B", "1", "NSE" }, { "C", "1", "NSE" },
           { "F", "1", "NSE" } });
    SetType(0, 3);
    m_list.SetMapItemCheck(0, 1);   // E
    m_list.SetMapItemCheck(2, 1);   // D, filtered out below
    m_list.SetMapItemCheck(5, 1);   // F
    CString csFilter = "NSE";
    m_list.SetMapColumnFilter(2, csFilter, 1);
    Pump();
    m_list.m_bSortOnChecked = true;
    ClickHeader(1);   // any column: column 0 orders each group
    EXPECT_EQ(Texts({ "E", "F", "A", "B", "C" }), Shown(0));
    EXPECT_EQ(std::vector<int>({ 1, 1, 0, 0, 0 }), ShownChecks());
    EXPECT_EQ("Symbol (3 / 6)", HeaderText(0));
    // Checks by display row reach the record shown there; past the end nothing changes.
    EXPECT_EQ(1, m_list.SetCheck(4, 1));   // C, map index 4
    EXPECT_EQ(1, m_list.GetMapItemCheck(4));
    EXPECT_EQ(4, m_list.GetCheckedItemCount());
    EXPECT_EQ(0, m_list.SetCheck(5, 1));
    EXPECT_EQ(0, m_list.GetCheck(5));
    EXPECT_EQ(0, m_list.SetCheck(-1, 1));
    EXPECT_EQ(1, m_list.SetMapItemCheck(4, 0));
    EXPECT_EQ(0, m_list.GetCheck(4));
    ClickHeader(1);   // descending
    EXPECT_EQ(Texts({ "F", "E", "C", "B", "A" }), Shown(0));
    // A populate keeps checked rows first.
    m_list.RemoveAllFilters();
    Pump();
    m_list.PopulateList();
    EXPECT_EQ(Texts({ "F", "E", "D", "C", "B", "A" }), Shown(0));
    m_list.SetReverseDisplay(true);
    m_list.SortOnChecked();
    EXPECT_EQ(Texts({ "F", "E", "D", "C", "B", "A" }), Shown(0));
    m_list.SetReverseDisplay(false);
    ExpectInvariants();
}

TEST_F(FilterListSortTest, ClickingACheckBoxUnderSortOnCheckedResortsAndKeepsTheSelection)
{
    Build();
    Rows({ { "C" }, { "A" }, { "D" }, { "B" } });
    SetType(0, 3);
    m_list.m_bSortOnChecked = true;
    m_list.SortOnChecked();
    ASSERT_EQ(Texts({ "A", "B", "C", "D" }), Shown(0));
    EXPECT_EQ("Symbol (0 / 4)", HeaderText(0));
    // A click on the label of row 2 (C) selects it, without checking it.
    ClickRow(2, 40);
    EXPECT_EQ(0, m_list.GetCheck(2));
    EXPECT_EQ(std::vector<int>({ 2 }), SelectedRows());
    // The check box of the same row: checked, moved to the top, still the selected one.
    ClickRow(2, 5);
    EXPECT_EQ(Texts({ "C", "A", "B", "D" }), Shown(0));
    EXPECT_EQ(1, m_list.GetCheck(0));
    EXPECT_EQ(std::vector<int>({ 0 }), SelectedRows());
    EXPECT_EQ(0, FocusedRow());
    EXPECT_EQ("Symbol (1 / 4)", HeaderText(0));
    // Checking D while C stays selected: D joins the checked rows, C keeps the selection.
    m_list.SetMapItemCheck(2, 1);
    m_list.SortOnChecked();
    EXPECT_EQ(Texts({ "C", "D", "A", "B" }), Shown(0));
    EXPECT_EQ(std::vector<int>({ 0 }), SelectedRows());
    // Unchecking C by its box sends it back among the others.
    ClickRow(0, 5);
    EXPECT_EQ(Texts({ "D", "A", "B", "C" }), Shown(0));
    EXPECT_EQ(std::vector<int>({ 3 }), SelectedRows());
    EXPECT_EQ("Symbol (1 / 4)", HeaderText(0));
    ExpectInvariants();
}

TEST_F(FilterListSortTest, CheckBoxClicksToggleAndSelectAndTheParentSeesThem)
{
    Build();
    Rows({ { "A" }, { "B" }, { "C" } });
    m_host.Clear();
    ClickRow(1, 4);
    EXPECT_EQ(1, m_list.GetCheck(1));
    EXPECT_EQ(1, m_list.GetMapItemCheck(1));
    EXPECT_EQ(std::vector<int>({ 1 }), SelectedRows());
    EXPECT_EQ(1, FocusedRow());
    ClickRow(1, 11);
    EXPECT_EQ(0, m_list.GetCheck(1));
    // Past the first 12 pixels the click only selects.
    ClickRow(2, 12);
    EXPECT_EQ(0, m_list.GetCheck(2));
    EXPECT_EQ(std::vector<int>({ 2 }), SelectedRows());
    EXPECT_EQ(Texts({ "A", "B", "C" }), Shown(0));   // no sort without sort-on-checked
    EXPECT_EQ(3u, ClicksSeenByParent());
    // Below the rows nothing changes.
    CRect rc;
    m_list.GetItemRect(2, &rc, LVIR_BOUNDS);
    LPARAM lParam = MAKELPARAM(rc.left + 4, rc.bottom + 30);
    m_list.PostMessage(WM_LBUTTONUP, 0, lParam);
    m_list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lParam);
    Pump();
    EXPECT_EQ(0, m_list.GetCheckedItemCount());
    ExpectInvariants();
}

TEST_F(FilterListSortTest, RowDragClicksToggleTheSelection)
{
    Build();
    Rows({ { "A" }, { "B" }, { "C" }, { "D" } });
    m_list.m_bRowDrag = 1;
    // With row dragging every click reaches the list twice; the second notification is the same
    // click again and is ignored. One click here: the platform's own, then its repetition.
    auto toggleClick = [this](int nRow) {
        ClickRow(nRow, 40);
        CRect rc;
        m_list.GetItemRect(nRow, &rc, LVIR_BOUNDS);
        NMITEMACTIVATE again = {};
        again.hdr.hwndFrom = m_list.m_hWnd;
        again.hdr.idFrom = 1001;
        again.hdr.code = NM_CLICK;
        again.iItem = nRow;
        again.ptAction = CPoint(rc.left + 40, rc.CenterPoint().y);
        m_host.SendMessage(WM_NOTIFY, 1001, (LPARAM)&again);
    };
    toggleClick(1);
    EXPECT_EQ(std::vector<int>({ 1 }), SelectedRows());
    EXPECT_EQ(0, m_list.GetCheck(1));   // no check boxes in this mode
    toggleClick(1);
    EXPECT_EQ(std::vector<int>(), SelectedRows());
    toggleClick(3);
    EXPECT_EQ(std::vector<int>({ 3 }), SelectedRows());
    EXPECT_EQ(1, (int)m_list.m_arrSelection.GetSize());
    toggleClick(3);
    EXPECT_EQ(std::vector<int>(), SelectedRows());
    EXPECT_EQ(0, (int)m_list.m_arrSelection.GetSize());
    m_list.m_bRowDrag = 0;
}

TEST_F(FilterListSortTest, BadInputNeverBreaksTheRows)
{
    Build();
    // No rows: a click changes nothing, not even the arrows.
    const int nImageBefore = HeaderImage(1);
    ClickHeader(1);
    EXPECT_EQ(nImageBefore, HeaderImage(1));
    EXPECT_EQ(0, m_list.GetSortColumn());
    EXPECT_EQ(1, m_list.SortOn(1, 1));
    m_list.SortOnChecked();
    Rows({ { "A", "1e308" }, { "B", "-1e309" }, { "C", "nan" }, { "D", "1e309" }, { "E", "\xE9\xE8" } });
    ClickHeader(1);
    // Not-a-number below minus infinity, plus infinity at the top.
    EXPECT_EQ(Texts({ "C", "B", "E", "A", "D" }), Shown(0));
    ExpectInvariants();
    // A column-click notification naming a header position that does not exist sorts position 0.
    ColumnClick(m_list, 50);
    EXPECT_EQ(0, m_list.GetSortColumn());
    EXPECT_EQ(0, m_list.m_nSortDataColumn);
    ExpectInvariants();
    // Without a column text routine every value ties: ascending puts the higher map index first.
    m_list.InitColumnTextRtn((CFilterListCtrl::PFN_COLUMNTEXT) nullptr);
    m_list.SortOn(1, 1);
    for (int d = 0; d < 5; ++d)
        EXPECT_EQ(4 - d, m_list.GetMapIndexFromDisplayIndex(d));
    m_list.SortOn(1, 0);
    for (int d = 0; d < 5; ++d)
        EXPECT_EQ(d, m_list.GetMapIndexFromDisplayIndex(d));
    ExpectInvariants();
    // A huge text in every cell.
    m_list.InitColumnTextRtn(&FilterListTest::ColumnText);
    s_nHugeText = 1 << 20;
    SetType(0, 3);
    m_list.SortOn(0, 1);
    s_nHugeText = 0;
    EXPECT_EQ(5, m_list.GetDisplayCount());
    ExpectInvariants();
}

TEST_F(FilterListSortTest, AHostThatDeletesWhileTheValuesAreReadStopsTheSort)
{
    Build();
    Rows({ { "A", "3" }, { "B", "1" }, { "C", "2" }, { "D", "0" } });
    s_pList = &m_list;
    m_list.InitColumnTextRtn(&WatchingText);
    s_bDeleteWhileSorting = true;
    ClickHeader(1);
    s_bDeleteWhileSorting = false;
    EXPECT_EQ(0, CFilterListCtrl::g_SortDataDblArr.GetSize());
    EXPECT_LE(m_list.GetItemCount(), 3);
    ExpectInvariants();
    m_list.InitColumnTextRtn(&FilterListTest::ColumnText);
}

TEST_F(FilterListSortTest, TheCheckedCountInTheFirstHeaderIsNotSavedAsItsName)
{
    Build();
    SetType(0, 3);
    Rows({ { "B" }, { "A" } });
    m_list.m_bSortOnChecked = true;
    m_list.SetMapItemCheck(0, 1);
    m_list.SortOnChecked();
    ASSERT_EQ("Symbol (1 / 2)", HeaderText(0));
    m_list.SaveColumnProfile();
    EXPECT_EQ("Symbol (1 / 2)", HeaderText(0));
    // The next list of that name is built from the saved profile: every column is still there.
    m_list.DestroyWindow();
    ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS,
                              CRect(0, 0, 580, 380), &m_host, 1001));
    Build();
    ASSERT_EQ(3, m_list.GetHeaderCtrl()->GetItemCount());
    EXPECT_EQ("Symbol", HeaderText(0));
    EXPECT_EQ("Price", HeaderText(1));
}
