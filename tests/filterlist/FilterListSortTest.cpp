// Sorting of the filter list by header clicks and SortOn, checked rows first, the row check boxes
// and the click-toggle selection mode: driven with real header and row clicks, checked on the rows
// the platform list shows.
#include "FilterListFixture.h"

#include <algorithm>

namespace
{
// The group index of each shown text (equal values form a group; their order is free); -1: none.
std::vector<int> Groups(const Texts& shown, const std::vector<Texts>& groups)
{
    std::vector<int> ranks;
    for (const std::string& text : shown)
    {
        auto at = std::find_if(groups.begin(), groups.end(),
                               [&](const Texts& g) { return std::find(g.begin(), g.end(), text) != g.end(); });
        ranks.push_back(at == groups.end() ? -1 : (int)(at - groups.begin()));
    }
    return ranks;
}

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
    std::vector<int> ShownChecks()
    {
        std::vector<int> checks;
        for (int r = 0; r < m_list.GetDisplayCount(); ++r)
            checks.push_back(m_list.GetCheck(r));
        return checks;
    }
};
}  // namespace

// Header clicks on the price column typed as each case says: ascending, then exactly the reverse.
// Equal values keep the map-index tie-break (the higher map index first when ascending).
TEST_F(FilterListSortTest, EachDataTypeSortsByItsOwnComparisonWithTheMapIndexTieBreak)
{
    // Rows M0, M1, ... with these prices; their ascending order.
    const struct { const char* pszName; int nType; Texts prices, ascending; } cases[] = {
        { "decimals; texts that are no number count as 0", 2, { "10", "2.5", "-3", "100", "abc", "" },
          { "M2", "M5", "M4", "M1", "M0", "M3" } },
        { "not-a-number below minus infinity, plus infinity at the top", 2, { "1e308", "-1e309", "nan", "1e309", "\xE9\xE8" },
          { "M2", "M1", "M4", "M0", "M3" } },
        { "atol: 5.9 ties with 5", 4, { "5", "5", "1", "5.9", "1" }, { "M4", "M2", "M3", "M1", "M0" } },
        { "decimals: 5.9 above 5", 5, { "5", "5", "1", "5.9", "1" }, { "M4", "M2", "M1", "M0", "M3" } },
        { "atol: ' 12x' is 12, '0x10' is 0", 1, { "7", "-7", " 12x", "0x10" }, { "M1", "M3", "M0", "M2" } },
        { "natural text", 3, { "a10", "a2", "b1", "a1" }, { "M3", "M1", "M0", "M2" } },
        { "a type without a comparison: the map index alone", 8, { "a10", "a2", "b1", "a1" }, { "M3", "M2", "M1", "M0" } },
    };
    Build();
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        Refill();
        SetType(1, c.nType);
        for (size_t i = 0; i < c.prices.size(); ++i)
            ASSERT_EQ(1, Add(("M" + std::to_string(i)).c_str(), c.prices[i].c_str()));
        m_list.m_nPrevSortColumn = -1;
        ClickHeader(1);
        EXPECT_EQ(c.ascending, Shown(0));
        EXPECT_EQ(0, HeaderImage(1));
        ClickHeader(1);
        EXPECT_EQ(Texts(c.ascending.rbegin(), c.ascending.rend()), Shown(0));
        EXPECT_EQ(1, HeaderImage(1));
        // The host's SortOn: order 1 ascends whatever came before, any other order descends; a host
        // holding the list as a common list gets the filter list's sort.
        CCommonListCtrl* pCommon = &m_list;
        for (int nOrder : { 1, 1, -5, 0 })
        {
            EXPECT_EQ(1, pCommon->SortOn(1, nOrder));
            EXPECT_EQ(nOrder == 1 ? c.ascending : Texts(c.ascending.rbegin(), c.ascending.rend()), Shown(0)) << nOrder;
        }
        ExpectInvariants();
    }
    EXPECT_TRUE(m_list.GetStyle() & WS_VISIBLE);   // redraw is on again after SortOn
    // Another column starts ascending; the former one loses its arrow. The library-wide value
    // arrays are empty between sorts.
    ClickHeader(2);
    EXPECT_EQ(0, HeaderImage(2));
    EXPECT_EQ(2, HeaderImage(1));
    EXPECT_EQ(0, CFilterListCtrl::g_SortDataDblArr.GetSize());
    EXPECT_EQ(0, CFilterListCtrl::g_SortDataLongArr.GetSize());
    EXPECT_EQ(0, CFilterListCtrl::g_SortDataStrArr.GetSize());
}

TEST_F(FilterListSortTest, WithRowDragTheWholeMapIsSortedAndFilteredAgain)
{
    Build();
    Rows({ { "A", "3", "NSE" }, { "B", "1", "BSE" }, { "C", "2", "NSE" }, { "D", "0", "NSE" } });
    m_list.m_bRowDrag = 1;
    MapFilter(2, "NSE", 1);
    SetTrends({ 1 });
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
    ExpectInvariants();
}

TEST_F(FilterListSortTest, CheckedRowsFirstWithCountsOfTheWholeMap)
{
    Build();
    Rows({ { "E", "1", "NSE" }, { "A", "1", "NSE" }, { "D", "1", "BSE" }, { "B" }, { "C" }, { "F" } });
    SetType(0, 3);
    for (int m : { 0, 2, 5 })   // E, D (filtered out below), F
        m_list.SetMapItemCheck(m, 1);
    MapFilter(2, "NSE", 1);
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
    EXPECT_EQ(0, m_list.SetCheck(-1, 1));
    EXPECT_EQ(1, m_list.SetMapItemCheck(4, 0));
    ClickHeader(1);   // descending
    EXPECT_EQ(Texts({ "F", "E", "C", "B", "A" }), Shown(0));
    // A populate keeps checked rows first; under reverse display the screen shows the same order,
    // and checks and data go by the row shown.
    m_list.RemoveAllFilters();
    m_list.PopulateList();
    EXPECT_EQ(Texts({ "F", "E", "D", "C", "B", "A" }), Shown(0));
    m_list.SetReverseDisplay(true);
    m_list.SortOnChecked();
    EXPECT_EQ(Texts({ "F", "E", "D", "C", "B", "A" }), Shown(0));
    EXPECT_EQ(std::vector<int>({ 1, 1, 1, 0, 0, 0 }), ShownChecks());
    EXPECT_EQ((DWORD_PTR)Row(2), m_list.GetItemData(2));
    EXPECT_EQ(1, m_list.SetCheck(5, 1));
    EXPECT_EQ(1, m_list.GetMapItemCheck(1));
    ExpectInvariants();
}

TEST_F(FilterListSortTest, CheckBoxClicksToggleAndUnderSortOnCheckedResortKeepingTheSelection)
{
    Build();
    Rows({ { "C" }, { "A" }, { "D" }, { "B" } });
    SetType(0, 3);
    m_host.Clear();
    // Without sort-on-checked: the box toggles, selects, and nothing moves.
    ClickRow(1, 4);
    EXPECT_EQ(1, m_list.GetMapItemCheck(1));
    EXPECT_EQ(std::vector<int>({ 1 }), SelectedRows());
    EXPECT_EQ(1, m_list.GetNextItem(-1, LVNI_FOCUSED));
    EXPECT_EQ(Texts({ "C", "A", "D", "B" }), Shown(0));
    ClickRow(1, 11);
    EXPECT_EQ(0, m_list.GetCheck(1));
    EXPECT_EQ(2u, m_host.Count(WM_NOTIFY, NM_CLICK));
    m_list.m_bSortOnChecked = true;
    m_list.SortOnChecked();
    ASSERT_EQ(Texts({ "A", "B", "C", "D" }), Shown(0));
    // A click on the label of row 2 (C) selects it, without checking it.
    ClickRow(2, 40);
    EXPECT_EQ(0, m_list.GetCheck(2));
    EXPECT_EQ(std::vector<int>({ 2 }), SelectedRows());
    // The check box of the same row: checked, moved to the top, still the selected one.
    ClickRow(2, 5);
    EXPECT_EQ(Texts({ "C", "A", "B", "D" }), Shown(0));
    EXPECT_EQ(std::vector<int>({ 0 }), SelectedRows());
    EXPECT_EQ(0, m_list.GetNextItem(-1, LVNI_FOCUSED));
    EXPECT_EQ("Symbol (1 / 4)", HeaderText(0));
    // Unchecking C by its box sends it back among the others; a click below the rows checks nothing.
    ClickRow(0, 5);
    EXPECT_EQ(Texts({ "A", "B", "C", "D" }), Shown(0));
    EXPECT_EQ(std::vector<int>({ 2 }), SelectedRows());
    CRect rc;
    m_list.GetItemRect(3, &rc, LVIR_BOUNDS);
    m_list.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(rc.left + 4, rc.bottom + 30));
    m_list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rc.left + 4, rc.bottom + 30));
    Pump();
    EXPECT_EQ("Symbol (0 / 4)", HeaderText(0));
    ExpectInvariants();
}

// With row dragging every click reaches the list twice: the platform's own, then the same click
// again, which is ignored. Each click toggles the row's selection; there are no check boxes.
TEST_F(FilterListSortTest, RowDragClicksToggleTheSelection)
{
    Build();
    Rows({ { "A" }, { "B" }, { "C" }, { "D" } });
    m_list.m_bRowDrag = 1;
    const struct { int nRow; std::vector<int> selected; } clicks[] = { { 1, { 1 } }, { 1, {} }, { 3, { 3 } }, { 3, {} } };
    for (const auto& c : clicks)
    {
        ClickRow(c.nRow, 40);
        CRect rc;
        m_list.GetItemRect(c.nRow, &rc, LVIR_BOUNDS);
        NMITEMACTIVATE again = {};
        again.hdr = { m_list.m_hWnd, 1001, (UINT)NM_CLICK };
        again.iItem = c.nRow;
        again.ptAction = CPoint(rc.left + 40, rc.CenterPoint().y);
        m_host.SendMessage(WM_NOTIFY, 1001, (LPARAM)&again);
        EXPECT_EQ(c.selected, SelectedRows()) << c.nRow;
        EXPECT_EQ(c.selected.size(), (size_t)m_list.m_arrSelection.GetSize());
        EXPECT_EQ(0, m_list.GetCheck(c.nRow));
    }
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
    Rows({ { "A" }, { "B" }, { "C" }, { "D" }, { "E" } });
    // A column-click notification or a SortOn naming a column that does not exist sorts position 0.
    ColumnClick(m_list, 50);
    EXPECT_EQ(0, m_list.GetSortColumn());
    EXPECT_EQ(0, m_list.m_nSortDataColumn);
    for (int nColumn : { 1, 99, 1, -1 })
    {
        EXPECT_EQ(1, m_list.SortOn(nColumn, 1));
        EXPECT_EQ(nColumn == 1 ? 1 : 0, m_list.GetSortColumn()) << nColumn;
    }
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
}

// Once saved, the first header's checked count came back as the column's name.
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
    ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, CRect(0, 0, 580, 380), &m_host, 1001));
    Build();
    ASSERT_EQ(3, m_list.GetHeaderCtrl()->GetItemCount());
    EXPECT_EQ("Symbol", HeaderText(0));
    EXPECT_EQ("Price", HeaderText(1));
}

// The filter list and the common list put the same texts in the same order under the same arrow:
// dates ascend with it, "nan" and infinities are ordered (not-a-number together at the low end).
TEST_F(FilterListSortTest, BothListsOrderDatesAndOddNumbersAlike)
{
    const struct { const char* pszName; int nDataType; Texts input; std::vector<Texts> ascending; } cases[] = {
        { "dates", 6,
          { "02/01/2024 10:00", "01/01/2024", "not a date", "31/12/2023 23:59:59" },
          { { "not a date" }, { "31/12/2023 23:59:59" }, { "01/01/2024" }, { "02/01/2024 10:00" } } },
        { "decimals with nan and infinities", 2,
          { "5", "nan", "inf", "-inf", "-3", "NAN", "1e999", "-1e999", "0.5", "nan(1)" },
          { { "nan(1)", "NAN", "nan" }, { "-1e999", "-inf" }, { "-3" }, { "0.5" }, { "5" }, { "1e999", "inf" } } },
    };
    Build();
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        // The filter list's price column and a common list's second column take the case's texts and type.
        Refill();
        SetType(1, c.nDataType);
        m_list.m_nPrevSortColumn = -1;   // the next click is a first one
        CCommonListCtrl common;
        ASSERT_TRUE(common.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 200), &m_host, 1002));
        for (int col = 0; col < 2; ++col)
        {
            sOrvoColInfo info = {};
            strlcpy(info.szColName, col == 0 ? "Key" : "Value", sizeof(info.szColName));
            info.nWidth = 80;
            info.nDataType = col == 0 ? 8 : c.nDataType;
            common.m_arrColInfo.Add(info);
        }
        common.m_csListName = "SortTwin";
        common.InsertColumnsForList(nullptr);
        for (size_t i = 0; i < c.input.size(); ++i)
        {
            ASSERT_EQ(1, Add(("R" + std::to_string(i)).c_str(), c.input[i].c_str()));
            common.InsertItem(LVIF_TEXT | LVIF_PARAM, (int)i, ("R" + std::to_string(i)).c_str(), 0, 0, 0, 1000 + (LPARAM)i);
            common.SetItemText((int)i, 1, c.input[i].c_str());
        }
        std::vector<int> expected;
        for (size_t g = 0; g < c.ascending.size(); ++g)
            expected.insert(expected.end(), c.ascending[g].size(), (int)g);
        for (const char* pszOrder : { "ascending", "descending" })
        {
            ColumnClick(m_list, 1);
            ColumnClick(common, 1);
            Pump();
            Texts commonTexts;
            for (int r = 0; r < common.GetItemCount(); ++r)
                commonTexts.push_back((LPCTSTR)common.CListCtrl::GetItemText(r, 1));
            EXPECT_EQ(expected, Groups(Shown(1), c.ascending)) << "filter list, " << pszOrder;
            EXPECT_EQ(expected, Groups(commonTexts, c.ascending)) << "common list, " << pszOrder;
            std::reverse(expected.begin(), expected.end());
        }
        common.DestroyWindow();
    }
}
