// The header's filter bar driven as a user drives it (Ctrl+F, typing into the boxes, Tab and
// Shift+Tab, Enter, Escape), the host's filter operations that write into the boxes, the header
// menu, the value popup of the filter buttons (picked values show exactly the rows holding them,
// whatever they contain, when one begins another, beyond the 255 characters of a box), and the rows
// agreeing with what the header says through the operations that used to leave them out of step
// (quotes after an exact filter, a hidden column's filter, filter mode off and on, a re-filter of
// sorted rows, the checked count, the filter store emptied before new rows).
#include "FilterListFixture.h"
#include "dialogs/RepositionColumns.h"
#include "filter/FilterText.h"
#include "lists/CommonListHooks.h"

#include <algorithm>

class FilterBarTest : public FilterListTest
{
protected:
    void SetUp() override
    {
        FilterListTest::SetUp();
        Build();
        Add("RELIANCE", "2500.50", "NSE");
        Add("INFY", "1500.25", "NSE");
        Add("RELCAP", "12.40", "BSE");
        Add("RELINFRA", "1020", "BSE");
        Add("TCS", "3400", "nse");   // same value in another case: one entry in the popup
        Add("WIPRO", "400", "");     // empty: no entry
        Add("ITC", "450", "MCX");
        m_frame.SetForegroundWindow();
        m_list.SetFocus();
        Pump();
    }
    void TearDown() override
    {
        if (Popup().GetSafeHwnd() != nullptr)
            Popup().ShowWindow(SW_HIDE);
        FilterListTest::TearDown();
    }
    // Header position of the focused filter box; -1: none.
    int FocusPosition()
    {
        HDHITTESTINFO hit = {};
        CRect rcBox;
        if (::GetFocus() == nullptr || ::GetParent(::GetFocus()) != m_list.GetColorHeader().m_hWnd)
            return -1;
        ::GetWindowRect(::GetFocus(), &rcBox);
        m_list.GetColorHeader().ScreenToClient(&rcBox);
        hit.pt = CPoint(rcBox.CenterPoint().x, 2);   // in the item row above the box
        return (int)m_list.GetColorHeader().SendMessage(HDM_HITTEST, 0, (LPARAM)&hit);
    }
    // A click on a box of the filter row, or on its button (the filter row shown first).
    CFilterText& ClickBox(int nPosition, bool bButton = false)
    {
        if (!(m_list.GetColorHeader().GetStyle() & HDS_FILTERBAR))
        {
            m_list.PutListFilter();
            Pump(20);
        }
        CPoint pt = FilterRowPoint(nPosition, bButton);
        m_list.GetColorHeader().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        m_list.GetColorHeader().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        Pump(20);
        return Popup();
    }
    // The header's context menu answered with nAnswer; the items shown, "text:id" and "*" when checked.
    Texts HeaderMenu(UINT nAnswer)
    {
        CRect rc;
        m_list.GetColorHeader().GetWindowRect(&rc);
        m_script.Clear();
        m_script.m_menuAnswers.push_back(nAnswer);
        m_list.SendMessage(WM_CONTEXTMENU, (WPARAM)m_list.GetColorHeader().m_hWnd, MAKELPARAM(rc.left + 5, rc.top + 3));
        Texts items;
        for (const CModalMenuItem& item : m_script.m_records.empty() ? std::vector<CModalMenuItem>() : m_script.m_records[0].menu)
            items.push_back(std::string(item.text) + ":" + std::to_string(item.id) + ((item.state & MF_CHECKED) ? "*" : ""));
        return items;
    }
    CFilterText& Popup() { return CFilterText::Get(); }
    // The item texts of a list box or a combo box.
    static Texts Items(CWnd& box, UINT nGetCount, UINT nGetText)
    {
        Texts items;
        for (int i = 0; i < (int)box.SendMessage(nGetCount); ++i)
        {
            char text[256] = "";
            box.SendMessage(nGetText, (WPARAM)i, (LPARAM)text);
            items.push_back(text);
        }
        return items;
    }
    Texts Values() { return Items(Popup().GetValueList(), LB_GETCOUNT, LB_GETTEXT); }
    // Selects the offered values that are among the picks.
    void Pick(const Texts& picks)
    {
        Texts values = Values();
        for (size_t i = 0; i < values.size(); ++i)
            if (std::find(picks.begin(), picks.end(), values[i]) != picks.end())
                Popup().GetValueList().SendMessage(LB_SETSEL, TRUE, (LPARAM)i);
    }
    void PressEnter()
    {
        Popup().GetValueList().SetFocus();
        Popup().GetValueList().PostMessage(WM_KEYDOWN, VK_RETURN, 0);
        Pump(20);
    }
};

TEST_F(FilterBarTest, CtrlFTypingTabAndEnterFilterTheRows)
{
    PressKey('F', true);
    Pump(50);
    EXPECT_TRUE(m_list.GetColorHeader().GetStyle() & HDS_FILTERBAR);
    EXPECT_EQ(0, FocusPosition());
    // Typing: nothing is reported before the timeout, then the change reaches the host.
    m_host.Clear();
    TypeText("rel");
    EXPECT_EQ(0u, m_host.Count(WM_NOTIFY, HDN_FILTERCHANGE));
    Pump(700);
    auto changes = m_host.Of(WM_NOTIFY, HDN_FILTERCHANGE);
    ASSERT_EQ(1u, changes.size());
    EXPECT_EQ(1001u, changes[0].idFrom);
    EXPECT_EQ(1001u, changes[0].wParam);
    EXPECT_EQ(Texts({ "RELIANCE", "RELCAP", "RELINFRA" }), Shown());
    // Tab goes to the price box; Enter reports at once and gives the focus back to the list.
    PressKey(VK_TAB);
    Pump(20);
    EXPECT_EQ(1, FocusPosition());
    TypeText(">1000");
    PressKey(VK_RETURN);
    EXPECT_EQ(Texts({ "RELIANCE", "RELINFRA" }), Shown());
    EXPECT_EQ(2, m_list.GetFilterCount());
    EXPECT_EQ(m_list.m_hWnd, ::GetFocus());
    // A click into the exchange box edits it; Shift+Tab goes back.
    ClickBox(2);
    EXPECT_EQ(2, FocusPosition());
    PressKey(VK_TAB, false, true);
    Pump(20);
    EXPECT_EQ(1, FocusPosition());
    // Escape leaves the box without taking what was typed.
    TypeText("x");
    PressKey(VK_ESCAPE);
    Pump(600);
    EXPECT_EQ(Texts({ "RELIANCE", "RELINFRA" }), Shown());
    EXPECT_EQ(m_list.m_hWnd, ::GetFocus());
    // Ctrl+F from a box: the focus returns to the list and the bar hides.
    ClickBox(1);
    ASSERT_EQ(1, FocusPosition());
    PressKey('F', true);
    Pump(20);
    EXPECT_EQ(m_list.m_hWnd, ::GetFocus());
    EXPECT_FALSE(m_list.GetColorHeader().GetStyle() & HDS_FILTERBAR);
    ExpectInvariants();
}

TEST_F(FilterBarTest, WhileDoFilterIsOffChangesAreNeitherStoredNorPassedOn)
{
    m_list.SetDoFilter(0);
    m_host.Clear();
    Filter(1, "TCS");
    EXPECT_EQ(0u, m_host.Count(WM_NOTIFY, HDN_FILTERCHANGE));
    EXPECT_EQ(0, m_list.GetFilterCount());
    m_list.SetDoFilter(1);
    EXPECT_EQ(0, Filter(-1, "TCS"));
}

TEST_F(FilterBarTest, HostFilterOperations)
{
    EXPECT_EQ(1, MapFilter(0, "*CAP"));   // a shown column: through its box
    EXPECT_EQ(Texts({ "RELCAP" }), Shown());
    // Arrays: replace everything; only the last write reaches the host.
    CArray<int, int> columns;
    CArray<CString, CString> texts;
    columns.Add(2);
    texts.Add("NSE");
    columns.Add(1);
    texts.Add(">2000");
    m_host.Clear();
    EXPECT_EQ(1, m_list.SetMapColumnFilter(&columns, &texts, 0));
    EXPECT_EQ(1u, m_host.Count(WM_NOTIFY, HDN_FILTERCHANGE));
    EXPECT_EQ(Texts({ "RELIANCE", "TCS" }), Shown());
    EXPECT_EQ("", FilterBox(0));   // the old symbol filter is gone
    EXPECT_EQ("NSE", FilterBox(2));
    // Arrays out of step or a negative column: refused, nothing changes.
    texts.Add("x");
    EXPECT_EQ(0, m_list.SetMapColumnFilter(&columns, &texts, 0));
    texts.RemoveAt(2);
    columns[0] = -4;
    EXPECT_EQ(0, m_list.SetMapColumnFilter(&columns, &texts, 0));
    EXPECT_EQ(0, m_list.SetMapColumnFilter(nullptr, &texts, 0));
    EXPECT_EQ(2, m_list.GetFilterCount());
    // One column's filter removed: its box is cleared and the rows come back.
    EXPECT_EQ(1, m_list.RemoveMapColumnFilter(1));
    EXPECT_EQ(Texts({ "RELIANCE", "INFY", "TCS" }), Shown());
    EXPECT_EQ(1, m_list.RemoveAllFilters());
    // Stored filters are ignored for columns that do not exist.
    CString any = "x";
    m_list.AddToFilteredCols(-1, any);
    m_list.AddToFilteredCols(1000000, any);
    EXPECT_EQ(1, MapFilter(99, "x"));
    EXPECT_EQ(0, m_list.GetFilterCount());
    ExpectInvariants();
}

TEST_F(FilterBarTest, AHiddenColumnIsFilteredThroughTheStoreAndKeepsPositionZerosFilter)
{
    Filter(0, "REL");
    m_list.DeleteColumn(2);   // the exchange column hidden, as a profile hides it
    m_list.m_arrColPosition[2] = -1;
    m_list.m_arrVisibleColumns.RemoveAt(2);
    m_host.Clear();
    EXPECT_EQ(1, MapFilter(2, "BSE"));
    EXPECT_EQ(1u, m_host.Count(WM_NOTIFY, HDN_FILTERCHANGE));   // position 0 reported the change
    EXPECT_EQ(Texts({ "RELCAP", "RELINFRA" }), Shown());
    EXPECT_EQ("REL", FilterBox(0));
    EXPECT_EQ(2, m_list.GetFilterCount());
    EXPECT_EQ(1, m_list.RemoveMapColumnFilter(2));
    EXPECT_EQ(1, m_list.GetFilterCount());
    m_list.PopulateList();
    EXPECT_EQ(Texts({ "RELIANCE", "RELCAP", "RELINFRA" }), Shown());
}

TEST_F(FilterBarTest, ExactFiltersHoldForQuotesUntilTheNextPopulateAndByMenuToggle)
{
    Add("REL", "1", "NSE");
    Row(2)->symbol = "X";   // RELCAP starts as something else...
    m_list.RepaintMapItem(2);
    EXPECT_EQ(1, MapFilter(0, "rel", 1));
    EXPECT_EQ(Texts({ "REL" }), Shown());
    Row(2)->symbol = "RELCAP";   // ...and a quote brings its real name: the exact filter holds
    m_list.RepaintMapItem(2);
    m_list.SetItemData(0, m_list.GetItemData(0));
    EXPECT_EQ(Texts({ "REL" }), Shown());
    // The exact flag applied once: the next populate matches prefixes again.
    m_list.PopulateList();
    EXPECT_EQ(Texts({ "RELIANCE", "RELCAP", "RELINFRA", "REL" }), Shown());
    // The menu's toggle stays on; the command re-applies the filters at once.
    m_list.SendMessage(WM_COMMAND, ID_FILTER_MATCH_EXACTLY, 0);
    EXPECT_TRUE(m_list.GetMatchFilterExactly());
    EXPECT_EQ(Texts({ "REL" }), Shown());
    m_list.PopulateList();
    EXPECT_EQ(Texts({ "REL" }), Shown());
    // Posted, it is taken before the command routing, once.
    m_list.PostMessage(WM_COMMAND, ID_FILTER_MATCH_EXACTLY, 0);
    Pump();
    EXPECT_FALSE(m_list.GetMatchFilterExactly());
    EXPECT_EQ(4, m_list.GetDisplayCount());
}

TEST_F(FilterBarTest, LongAndOddFilters)
{
    std::string big = "REL" + std::string(100 * 1024, 'R');
    EXPECT_EQ(1, Filter(0, big.c_str()));
    CString box;
    EXPECT_EQ(255, m_list.GetHeaderText(0, box));
    EXPECT_EQ(big.substr(0, 255), std::string((LPCTSTR)box));
    EXPECT_EQ(0, m_list.GetDisplayCount());
    ExpectInvariants();
}

namespace
{
using ColumnDialogCall = std::pair<CCommonListCtrl*, bool>;   // the list, and whether for the open groups
std::vector<ColumnDialogCall> g_columnDialogCalls;
void RecordColumnDialog(CCommonListCtrl* pList, bool bGroup) { g_columnDialogCalls.push_back({ pList, bGroup }); }
}  // namespace

TEST_F(FilterBarTest, HeaderMenuCommands)
{
    HeaderMenu(ID_FILTER_MATCH_EXACTLY);   // checked from then on; "Reset Filters" clears the boxes
    Filter(0, "INFY");
    Texts items = HeaderMenu(ID_FILTER_RESET_FILTERS);
    EXPECT_NE(items.end(), std::find(items.begin(), items.end(), "Match Filter Exactly:33815*"));
    EXPECT_EQ(0, m_list.GetFilterCount());
    EXPECT_EQ(7, m_list.GetDisplayCount());
    // A command neither the list nor its base handles goes to the host.
    m_host.Clear();
    HeaderMenu(ID_FILTER_ADD_CUSTOM);
    auto commands = m_host.Of(WM_COMMAND);
    ASSERT_EQ(1u, commands.size());
    EXPECT_EQ((WPARAM)ID_FILTER_ADD_CUSTOM, LOWORD(commands[0].wParam));
    // Outside the header: no menu.
    m_script.Clear();
    CRect rcList;
    m_list.GetWindowRect(&rcList);
    m_list.SendMessage(WM_CONTEXTMENU, (WPARAM)m_list.m_hWnd, MAKELPARAM(rcList.left + 20, rcList.bottom - 20));
    EXPECT_TRUE(m_script.m_records.empty());
    // A grouped list: "Reposition Columns" works on the open groups, the item after it on all.
    m_list.m_bGroupedList = true;
    auto saved = CommonListHooks().pfnShowColumnDlg;
    CommonListHooks().pfnShowColumnDlg = RecordColumnDialog;
    g_columnDialogCalls.clear();
    items = HeaderMenu(ID_LIST_REPOSITION_GROUPS);
    HeaderMenu(ID_LIST_REPOSITION_COLUMNS);
    CommonListHooks().pfnShowColumnDlg = saved;
    ASSERT_LE(2u, items.size());
    EXPECT_EQ(Texts({ "Reposition Columns:33709", "Reposition Columns in all groups:2132" }),
              Texts(items.begin(), items.begin() + 2));
    EXPECT_EQ((std::vector<ColumnDialogCall>{ { &m_list, true }, { &m_list, false } }), g_columnDialogCalls);
}

TEST_F(FilterBarTest, FilterModeOffAndOnForgetsTheFilters)
{
    m_list.PutListFilter();
    Filter(0, "REL");
    m_list.SetUseFilter(FALSE);
    EXPECT_FALSE(m_list.GetColorHeader().GetStyle() & HDS_FILTERBAR);
    CString box;
    EXPECT_EQ(0, m_list.GetHeaderText(0, box));
    EXPECT_EQ(0, (int)m_list.SendMessage(LVM_GETITEMCOUNT));
    TestHost::Calls().clear();
    m_list.SetUseFilter(TRUE);
    Pump();
    // Visual styles are switched off for the header through the host's library loader.
    EXPECT_EQ(1, std::count(TestHost::Calls().begin(), TestHost::Calls().end(),
                            std::string("orvou_call_LoadLibrary(UxTheme.dll)")));
    // No filter is left that no box shows.
    EXPECT_EQ(0, m_list.GetFilterCount());
    EXPECT_EQ(Texts({ "RELIANCE", "INFY", "RELCAP", "RELINFRA", "TCS", "WIPRO", "ITC" }), Shown());
    m_list.PopulateList();
    EXPECT_EQ(Texts({ "RELIANCE", "INFY", "RELCAP", "RELINFRA", "TCS", "WIPRO", "ITC" }), Shown());
    ExpectInvariants();
}

TEST_F(FilterBarTest, RepositionViewClearsTheFilters)
{
    Filter(0, "REL");
    ASSERT_EQ(3, m_list.GetDisplayCount());
    m_list.ShowColumnDlg();
    ASSERT_TRUE(m_list.m_pRepositionDlg != nullptr && m_list.m_pRepositionDlg->GetSafeHwnd() != nullptr);
    m_host.Clear();
    HWND hView = ::GetDlgItem(m_list.m_pRepositionDlg->m_hWnd, 1533);
    m_list.m_pRepositionDlg->SendMessage(WM_COMMAND, MAKEWPARAM(1533, BN_CLICKED), (LPARAM)hView);
    Pump(20);
    EXPECT_EQ(0, m_list.GetFilterCount());
    CString box;
    EXPECT_EQ(0, m_list.GetHeaderText(0, box));
    EXPECT_GE(m_host.Count(WM_NOTIFY, HDN_FILTERCHANGE), 1u);   // the host filled the list again
    EXPECT_EQ(7, m_list.GetDisplayCount());
    EXPECT_EQ(3, m_list.GetColorHeader().GetItemCount());
}

TEST_F(FilterBarTest, ARefilterKeepsTheSortTheArrowShows)
{
    m_list.m_arrColInfo[0].nDataType = 3;   // natural text
    ColumnClick(m_list, 0);
    const Texts sorted = Shown();
    ASSERT_NE(Texts({ "RELIANCE", "INFY", "RELCAP", "RELINFRA", "TCS", "WIPRO", "ITC" }), sorted);
    Filter(0, "R~I~T~W");   // every row passes: the order must not change
    EXPECT_EQ(sorted, Shown());
    Filter(0, "R~T~W~IT");
    Texts expected = sorted;
    expected.erase(std::find(expected.begin(), expected.end(), "INFY"));
    EXPECT_EQ(expected, Shown());
    ExpectInvariants();
}

TEST_F(FilterBarTest, TheCheckedCountFollowsResetsAndDeletes)
{
    m_list.m_bSortOnChecked = true;
    for (int m : { 0, 2, 3 })
        m_list.SetMapItemCheck(m, 1);
    m_list.SortOnChecked();
    EXPECT_EQ("Symbol (3 / 7)", HeaderText(0));
    m_list.DeleteMapItem(2);
    Pump();
    EXPECT_EQ("Symbol (2 / 6)", HeaderText(0));
    m_list.ResetCheckedItems();
    Pump();
    EXPECT_EQ("Symbol (0 / 6)", HeaderText(0));
}

TEST_F(FilterBarTest, AnEmptiedStoreTakesNewRowsWithoutBlankOnes)
{
    m_list.FreeFilterStore();
    Add("N0");
    Add("N1");
    Pump();
    ExpectInvariants();
    EXPECT_EQ(Texts({ "N0", "N1" }), Shown());
}

TEST_F(FilterBarTest, PickedValuesShowExactlyTheirRows)
{
    Texts many;
    for (int i = 0; i < 40; ++i)
        many.push_back("INSTRUMENT" + std::to_string(100 + i));   // 40 x 13 characters
    const struct
    {
        const char* pszName;
        Texts rows;
        Texts picks;
    } cases[] = {
        { "values that look like syntax", { "*X", "AX", ">5", "7", "A~B", "A", "B", "<1", "0" }, { "*X", ">5", "A~B", "<1" } },
        { "a value that begins another", { "ABC", "AB", "ABD", "A" }, { "ABC", "AB" } },
        { "more picks than a box holds", many, Texts(many.begin(), many.end() - 1) },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        m_list.RemoveAllFilters();
        Refill(c.rows);
        m_list.PopulateList();
        ClickBox(0, true);
        ASSERT_TRUE(Popup().IsWindowVisible());
        Pick(c.picks);
        PressEnter();
        Texts expected;
        for (const std::string& row : c.rows)
            if (std::find(c.picks.begin(), c.picks.end(), row) != c.picks.end())
                expected.push_back(row);
        EXPECT_EQ(expected, Shown());
        // Typing over the box ends the picks: the typed filter rules again.
        Filter(0, "A");
        for (const std::string& text : Shown())
            EXPECT_EQ('A', text[0]) << text;
        ExpectInvariants();
    }
}

TEST_F(FilterBarTest, ButtonOpensTheValuesOfTheColumnAndEnterFilters)
{
    m_host.Clear();
    CFilterText& popup = ClickBox(2, true);
    EXPECT_TRUE(popup.IsWindowVisible());
    EXPECT_EQ(1u, m_host.Count(WM_NOTIFY, HDN_FILTERBTNCLICK));   // the host heard the click
    EXPECT_EQ(Texts({ "NSE", "BSE", "MCX" }), Values());
    Pick({ "NSE", "MCX" });   // "NSE" stands for "nse" too
    PressEnter();
    EXPECT_FALSE(popup.IsWindowVisible());
    EXPECT_EQ("NSE~MCX", FilterBox(2));
    EXPECT_EQ(Texts({ "RELIANCE", "INFY", "TCS", "ITC" }), Shown());
    ExpectInvariants();
}

TEST_F(FilterBarTest, DoubleClickTakesTheSelectionAndSkipsContainedValues)
{
    Add("REL", "1", "X");
    CFilterText& popup = ClickBox(0, true);
    EXPECT_EQ(Texts({ "RELIANCE", "INFY", "RELCAP", "RELINFRA", "TCS", "WIPRO", "ITC", "REL" }), Values());
    // "REL" occurs inside "RELIANCE": it is not added again.
    Pick({ "RELIANCE", "REL", "TCS" });
    EXPECT_STREQ("RELIANCE~TCS", popup.BuildFilterText());
    CRect rcItem;
    popup.GetValueList().SendMessage(LB_GETITEMRECT, 0, (LPARAM)&rcItem);
    popup.GetValueList().SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(rcItem.left + 3, rcItem.top + 2));
    popup.GetValueList().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(rcItem.left + 3, rcItem.top + 2));
    Pump(20);
    EXPECT_FALSE(popup.IsWindowVisible());
    EXPECT_EQ("RELIANCE~TCS", FilterBox(0));
    EXPECT_EQ(Texts({ "RELIANCE", "TCS", "REL" }), Shown());   // exactly the picked values, REL included
}

TEST_F(FilterBarTest, OnlyShownRowsOfferValuesAndNothingSelectedDoesNothing)
{
    Filter(0, "REL");
    CFilterText& popup = ClickBox(2, true);
    EXPECT_EQ(Texts({ "NSE", "BSE" }), Values());
    popup.ApplySelection();
    EXPECT_TRUE(popup.IsWindowVisible());
    EXPECT_EQ("", FilterBox(2));
    ::SetActiveWindow(m_frame.m_hWnd);   // losing activation hides it
    Pump(20);
    EXPECT_FALSE(popup.IsWindowVisible());
}

TEST_F(FilterBarTest, RowsDeletedOrListDestroyedWhileOpen)
{
    CFilterText& popup = ClickBox(0, true);
    ASSERT_EQ(7u, Values().size());
    // Rows go while the popup is open: its texts are its own.
    m_list.DeleteAllItems();
    Pick({ "INFY" });
    popup.ApplySelection();
    EXPECT_EQ("INFY", FilterBox(0));
    ExpectInvariants();
    // The list goes while the popup is open: the popup forgets it.
    ClickBox(1, true);
    EXPECT_EQ(0u, Values().size());
    m_list.DestroyWindow();
    EXPECT_FALSE(popup.IsWindowVisible());
    EXPECT_EQ(nullptr, popup.m_pList);
    popup.ApplySelection();   // nothing to apply to
}

TEST_F(FilterBarTest, ComboBoxOfUniquesStartsWithAll)
{
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST, CRect(0, 0, 100, 200), &m_host, 77));
    EXPECT_EQ(1, m_list.PopulateComboBoxWithUniques(&combo, 2));
    EXPECT_EQ(Texts({ "--ALL--", "NSE", "BSE", "MCX" }), Items(combo, CB_GETCOUNT, CB_GETLBTEXT));
    EXPECT_EQ(0, m_list.PopulateComboBoxWithUniques(nullptr, 2));
}
