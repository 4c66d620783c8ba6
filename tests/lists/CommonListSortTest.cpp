// The header and the sort of a real grid: the header built from the defaults or with the profile
// option off (stored profiles are in tests/profiles), LoadHeaders and the rebuilt message; clicks
// and SortOn with the header images, item data, long and derived texts (the comparison of each
// type is in ListSortRulesTest), and auto-sort with its settings.
#include "ListFixture.h"

#include <algorithm>

namespace
{
const std::initializer_list<sTestColumn> kABC = { { "A", 41, 0, LIST_SORT_TEXT },
                                                  { "B", 42, 0x800, LIST_SORT_TEXT },
                                                  { "C", 43, 0, LIST_SORT_TEXT } };
}

TEST_F(ListTest, HeaderFromTheDefaultsTheProfileOrEveryColumn)
{
    // profile: nullptr: none stored
    struct Case { const char* name; std::vector<int> defaults; const char* profile; bool bProfileOption; Texts header; std::vector<int> widths; } const cases[] = {
        { "every column in order", {}, nullptr, true, { "A", "B", "C" }, { 41, 42, 43 } },
        { "profile ignored with the option off", {}, "0,-1,0,1,0,50", false, { "A", "B", "C" }, { 41, 42, 43 } },
        { "defaults by column index", { 2, 0 }, nullptr, true, { "C", "A" }, { 43, 41 } },
        { "a profile wins over the defaults", { 2, 0 }, "0,0,50,1,1,50,2,-1,0", true, { "A", "B" }, { 50, 50 } },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        TestHost::Calls().clear();
        CArray<int, int> defaults;
        for (int d : c.defaults)
            defaults.Add(d);
        if (!c.defaults.empty()) { EXPECT_EQ(1, m_list.SetDefaultCols(defaults)); }
        EXPECT_EQ(0, m_list.SetDefaultCols(0, nullptr));   // refused: the defaults stay
        if (c.profile)
            TestHost::Settings()[{ "TestGrid", "COLUMNPROFILE" }] = c.profile;
        else
            TestHost::Settings().erase({ "TestGrid", "COLUMNPROFILE" });
        m_list.m_bColumnProfile = c.bProfileOption;
        BuildColumns(kABC);
        EXPECT_EQ(c.header, HeaderTexts());
        for (size_t i = 0; i < c.widths.size(); ++i)
            EXPECT_EQ(c.widths[i], m_list.GetColumnWidth((int)i));
        if (c.profile == nullptr && c.defaults.empty())
        {
            EXPECT_EQ(1, std::count(TestHost::Calls().begin(), TestHost::Calls().end(),
                                    std::string("UserSetting(0,TestGrid,COLUMNPROFILE)")));
        }
    }
    // The blank header image marks the 0x800 format.
    EXPECT_EQ(-1, HeaderImage(0));
    EXPECT_EQ(2, HeaderImage(1));
}

TEST_F(ListTest, LoadHeadersRebuildsAndTellsTheDialog)
{
    BuildColumns(kABC);
    CArray<int, int> columns, widths;
    columns.Add(1);
    columns.Add(2);
    widths.Add(77);
    widths.Add(66);
    m_list.LoadHeaders(columns, widths);
    EXPECT_EQ((Texts{ "B", "C" }), HeaderTexts());
    EXPECT_EQ(77, m_list.GetColumnWidth(0));
    EXPECT_EQ((std::vector<WPARAM>{ 1001 }), m_dialog.m_rebuilt);
    // A grouped list tells its immediate parent, here the same dialog.
    m_list.m_bGroupedList = true;
    m_list.LoadHeaders(columns, widths);
    EXPECT_EQ((std::vector<WPARAM>{ 1001, 1001 }), m_dialog.m_rebuilt);
}

TEST_F(ListTest, UnsortableTypeKeepsRowsAndItemDataFollowsRowsEvenWhenShared)
{
    BuildColumns({ { "Key", 60, 0, LIST_SORT_TEXT }, { "Free", 80, 0, LIST_SORT_NONE } });
    const char* texts[] = { "e", "d", "c", "b", "a" };
    const DWORD_PTR data[] = { 1, 1, 0, 2, 1 };   // rows may share their item data
    for (int r = 0; r < 5; ++r)
    {
        m_list.InsertItem(LVIF_TEXT | LVIF_PARAM, r, texts[r], 0, 0, 0, (LPARAM)data[r]);
        m_list.SetItemText(r, 1, std::to_string(r).c_str());
    }
    ClickHeader(1);
    EXPECT_EQ((Texts{ "0", "1", "2", "3", "4" }), Column(1));
    ClickHeader(0);
    EXPECT_EQ((Texts{ "a", "b", "c", "d", "e" }), Column(0));
    std::vector<DWORD_PTR> after;
    for (int r = 0; r < 5; ++r)
        after.push_back(m_list.CListCtrl::GetItemData(r));
    EXPECT_EQ((std::vector<DWORD_PTR>{ 1, 2, 0, 1, 1 }), after);
}

TEST_F(ListTest, LongCellTextsAreReadAndSortedWhole)
{
    BuildColumns({ { "Key", 60, 0, LIST_SORT_TEXT } });
    const int lengths[] = { 1000, 255, 254, 256 };
    for (int n : lengths)
        AddRow({ std::string((size_t)n, (char)('a' + n % 7)).append("z").c_str() });
    for (int r = 0; r < 4; ++r)
        EXPECT_EQ(lengths[r] + 1, m_list.GetItemText(r, 0).GetLength());
    m_list.SortOn(0, 1);   // 'a' + n % 7: 1000 -> 'g', 255 -> 'd', 254 -> 'c', 256 -> 'e'
    std::vector<int> sorted;
    for (int r = 0; r < 4; ++r)
        sorted.push_back(m_list.GetItemText(r, 0).GetLength() - 1);
    EXPECT_EQ((std::vector<int>{ 254, 255, 256, 1000 }), sorted);
}

TEST_F(ListTest, ClicksAndSortOnSetDirectionColumnAndHeaderImages)
{
    BuildColumns({ { "A", 60, 0, LIST_SORT_TEXT }, { "B", 60, 0, LIST_SORT_INTEGER }, { "C", 60, 0, LIST_SORT_TEXT } });
    AddRow({ "x", "2", "q" });
    AddRow({ "y", "10", "p" });
    AddRow({ "z", "1", "r" });
    // nClick: a header click on this position, else SortOn below; nOrder: SortOn's arguments (anything but 1 is descending); images: header images by position; -2: a column never sorted, not checked
    struct Case { const char* name; int nClick; int nColumn, nOrder; Texts column1; int nSortColumn, nSortOrder; std::vector<int> images; } const cases[] = {
        { "first click: ascending", 1, 0, 0, { "1", "2", "10" }, 1, -1, { 2, 0, -2 } },
        { "second click: descending", 1, 0, 0, { "10", "2", "1" }, 1, 1, { 2, 1, -2 } },
        { "another column: blank on the former", 2, 0, 0, { "10", "2", "1" }, 2, -1, { 2, 2, 0 } },
        { "beyond the header: column 0", 7, 0, 0, { "2", "10", "1" }, 0, -1, { 0, 2, 2 } },
        { "SortOn ascending", -1, 1, 1, { "1", "2", "10" }, 1, -1, { 2, 0, 2 } },
        { "SortOn 0 is descending", -1, 1, 0, { "10", "2", "1" }, 1, 1, { 2, 1, 2 } },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        if (c.nClick >= 0)
            ClickHeader(c.nClick);
        else
            EXPECT_EQ(1, m_list.SortOn(c.nColumn, c.nOrder));
        EXPECT_EQ(c.column1, Column(1));
        EXPECT_EQ(c.nSortColumn, m_list.GetSortColumn());
        EXPECT_EQ(c.nSortOrder, m_list.GetSortOrder());
        for (int p = 0; p < 3; ++p)
        {
            if (c.images[p] != -2) { EXPECT_EQ(c.images[p], HeaderImage(p)) << "position " << p; }
        }
    }
}

// A grid that keeps its texts elsewhere: the sort reads them through the virtual GetItemText,
// and GetItemData answers with the data rows had before the sort while it runs.
class CDataGrid : public CCommonListCtrl
{
public:
    std::vector<std::string> m_prices;   // by item data - 1000
    std::vector<DWORD_PTR> m_dataSeen;
    CString GetItemText(int nItem, int nSubItem) override
    {
        if (nSubItem != 1)
            return CCommonListCtrl::GetItemText(nItem, nSubItem);
        DWORD_PTR data = GetItemData(nItem);
        m_dataSeen.push_back(data);
        return data >= 1000 && data - 1000 < m_prices.size() ? m_prices[data - 1000].c_str() : "";
    }
};

TEST_F(ListTest, DerivedTextsAreReadThroughTheVirtualSlots)
{
    CDataGrid grid;
    ASSERT_TRUE(grid.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 200), &m_dialog, 2001));
    grid.m_arrColInfo.Add(sOrvoColInfo{ "Sym", 60, 0, LIST_SORT_TEXT, "", "" });
    grid.m_arrColInfo.Add(sOrvoColInfo{ "Price", 60, 1, LIST_SORT_DECIMAL, "", "" });
    grid.InsertColumnsForList();
    grid.m_prices = { "30", "10", "20" };
    for (int i = 0; i < 3; ++i)
        grid.InsertItem(LVIF_TEXT | LVIF_PARAM, i, ("s" + std::to_string(i)).c_str(), 0, 0, 0, 1000 + i);

    grid.SortOn(1, 1);
    EXPECT_EQ((Texts{ "s1", "s2", "s0" }), (Texts{ (LPCTSTR)grid.GetItemText(0, 0), (LPCTSTR)grid.GetItemText(1, 0),
                                                   (LPCTSTR)grid.GetItemText(2, 0) }));
    ASSERT_GE(grid.m_dataSeen.size(), 3u);
    EXPECT_EQ((std::vector<DWORD_PTR>{ 1000, 1001, 1002 }),
              std::vector<DWORD_PTR>(grid.m_dataSeen.begin(), grid.m_dataSeen.begin() + 3));
}

TEST_F(ListTest, SortOnAHiddenColumnSortsPositionZero)
{
    int defaults[] = { 1, 0 };
    m_list.SetDefaultCols(2, defaults);
    BuildColumns({ { "A", 60, 0, LIST_SORT_TEXT }, { "B", 60, 0, LIST_SORT_TEXT }, { "Hidden", 60, 0, LIST_SORT_TEXT } });
    // Texts go by header position: position 0 shows column B.
    AddRow({ "b1", "a2" });
    AddRow({ "b2", "a1" });
    m_list.SortOn(2, -1);
    EXPECT_EQ(0, m_list.GetSortColumn());
    EXPECT_EQ((Texts{ "b2", "b1" }), Column(0));
}

TEST_F(ListTest, AutoSortSettingsAreWrittenOnDestroyAndReadBack)
{
    BuildColumns({ { "A", 60, 0, LIST_SORT_TEXT }, { "B", 60, 0, LIST_SORT_INTEGER }, { "C", 60, 0, LIST_SORT_TEXT } });
    m_list.EnableAutoSort(TRUE);
    AddRow({ "a", "1", "" });
    ClickHeader(2);
    ClickHeader(2);
    m_dialog.DestroyWindow();   // saves
    EXPECT_EQ("true", TestSettings::Get("TestGrid", "AutoSortTicked"));
    EXPECT_EQ("2", TestSettings::Get("TestGrid", "AutoSort"));
    EXPECT_EQ("1", TestSettings::Get("TestGrid", "AutoSortOrder"));

    struct Case { const char *ticked, *column, *order; int nResult, nColumn, nOrder; bool bEnabled; } const cases[] = {
        { "true", "2", "1", 1, 2, 1, true },       // as saved above
        { "true", "5", "-1", -1, 0, 1, true },     // beyond the columns: 0, and the order is not read
        { "true", "abc", "-1", 1, 0, -1, true },   // no number reads as 0, as atoi reads it
        { "yes", "1", "-1", 1, 1, -1, false },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.ticked) + " " + c.column + " " + c.order);
        TestHost::Settings()[{ "TestGrid", "AutoSortTicked" }] = c.ticked;
        TestHost::Settings()[{ "TestGrid", "AutoSort" }] = c.column;
        TestHost::Settings()[{ "TestGrid", "AutoSortOrder" }] = c.order;
        CCommonListCtrl other;
        other.m_csListName = "TestGrid";
        other.m_arrColInfo.SetSize(3);
        EXPECT_EQ(c.nResult, other.ReadAutoSort());
        EXPECT_EQ(c.bEnabled, other.IsAutoSortEnabled() != FALSE);
        EXPECT_EQ(c.nColumn, other.GetSortColumn());
        EXPECT_EQ(c.nOrder, other.GetSortOrder());
    }
}

TEST_F(ListTest, AutoSortSortsOnItsTimerAndAtOnceWhenStarted)
{
    TestHost::Settings()[{ "TestGrid", "AutoSortTicked" }] = "true";
    TestHost::Settings()[{ "TestGrid", "AutoSort" }] = "1";
    TestHost::Settings()[{ "TestGrid", "AutoSortOrder" }] = "-1";
    BuildColumns({ { "A", 60, 0, LIST_SORT_TEXT }, { "B", 60, 0, LIST_SORT_INTEGER } });
    EXPECT_TRUE(m_list.IsAutoSortEnabled());
    AddRow({ "x", "5" });
    AddRow({ "y", "-1" });
    AddRow({ "z", "3" });
    m_list.SendMessage(WM_TIMER, LIST_AUTOSORT_TIMER);
    EXPECT_EQ((Texts{ "-1", "3", "5" }), Column(1));
    // SortOnVisibleIndex sorts only with auto-sort on, and keeps the direction on the same column.
    m_list.SetItemText(0, 1, "9");
    EXPECT_EQ(1, m_list.SortOnVisibleIndex(1, 1));
    EXPECT_EQ((Texts{ "3", "5", "9" }), Column(1));
    EXPECT_EQ(-1, m_list.GetSortOrder());

    m_list.EnableAutoSort(FALSE);
    EXPECT_EQ(1, m_list.InitializeAutoSort());
    m_list.SetItemText(0, 1, "99");
    m_list.SendMessage(WM_TIMER, LIST_AUTOSORT_TIMER);
    m_list.SortOnVisibleIndex(1, 1);
    EXPECT_EQ((Texts{ "99", "5", "9" }), Column(1));
    // Started again with rows: sorted at once; the answer is the sort column.
    m_list.EnableAutoSort(TRUE);
    EXPECT_EQ(1, m_list.InitializeAutoSort());
    EXPECT_EQ((Texts{ "5", "9", "99" }), Column(1));
}
