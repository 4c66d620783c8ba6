// The header's filter bar driven as a user drives it: Ctrl+F, typing into the boxes, Tab and
// Shift+Tab between them, Enter; and the host's filter operations that write into the boxes.
#include "FilterListFixture.h"
#include "WindowPicture.h"
#include "dialogs/RepositionColumns.h"
#include "lists/CommonListHooks.h"

using Texts = std::vector<std::string>;

namespace
{
void Fill(FilterListTest* t, std::function<int(const char*, const char*, const char*)> add)
{
    (void)t;
    add("RELIANCE", "2500.50", "NSE");
    add("INFY", "1500.25", "NSE");
    add("RELCAP", "12.40", "BSE");
    add("RELINFRA", "1020", "BSE");
    add("TCS", "3400", "NSE");
}
}  // namespace

class FilterBarTest : public FilterListTest
{
protected:
    void SetUp() override
    {
        FilterListTest::SetUp();
        Build();
        Fill(this, [this](const char* a, const char* b, const char* c) { return Add(a, b, c); });
        m_frame.SetForegroundWindow();
        m_list.SetFocus();
        Pump();
    }
    HWND FocusBox()
    {
        HWND h = ::GetFocus();
        return h != nullptr && ::GetParent(h) == m_list.GetColorHeader().m_hWnd ? h : nullptr;
    }
    // Header position of the focused filter box, by its place under the header items.
    int FocusPosition()
    {
        HWND h = FocusBox();
        if (h == nullptr)
            return -1;
        CRect rcBox;
        ::GetWindowRect(h, &rcBox);
        CHeaderCtrl& header = m_list.GetColorHeader();
        for (int i = 0; i < header.GetItemCount(); ++i)
        {
            CRect rcItem;
            header.GetItemRect(i, &rcItem);
            header.ClientToScreen(&rcItem);
            if (rcBox.left >= rcItem.left && rcBox.right <= rcItem.right)
                return i;
        }
        return -2;
    }
    int HeaderHeight()
    {
        CRect rc;
        m_list.GetColorHeader().GetWindowRect(&rc);
        return rc.Height();
    }
};

TEST_F(FilterBarTest, CtrlFTypingTabAndEnterFilterTheRows)
{
    CHeaderCtrl& header = m_list.GetColorHeader();
    EXPECT_FALSE(header.GetStyle() & HDS_FILTERBAR);   // filter mode starts with the bar hidden
    int nPlain = HeaderHeight();
    PressKey('F', true);
    Pump(50);
    EXPECT_TRUE(header.GetStyle() & HDS_FILTERBAR);
    EXPECT_GT(HeaderHeight(), nPlain + nPlain / 2);       // a second row under the items
    ASSERT_NE(nullptr, FocusBox());
    EXPECT_EQ(0, FocusPosition());
    // Typing: nothing is reported before the timeout, then the change reaches the host.
    m_host.Clear();
    TypeText("rel");
    EXPECT_EQ(0u, m_host.Count(WM_NOTIFY, HDN_FILTERCHANGE));
    Pump(700);
    EXPECT_EQ(1u, m_host.Count(WM_NOTIFY, HDN_FILTERCHANGE));
    EXPECT_EQ(Texts({ "RELIANCE", "RELCAP", "RELINFRA" }), Shown());
    CString text;
    EXPECT_EQ(3, m_list.GetHeaderText(0, text));
    EXPECT_STREQ("rel", text);
    // Tab goes to the price box; Enter reports at once.
    PressKey(VK_TAB);
    Pump(20);
    EXPECT_EQ(1, FocusPosition());
    TypeText(">1000");
    PressKey(VK_RETURN);
    EXPECT_EQ(Texts({ "RELIANCE", "RELINFRA" }), Shown());
    EXPECT_EQ(2, m_list.GetFilterCount());
    // Enter ended the editing: the focus is back in the list.
    EXPECT_EQ(m_list.m_hWnd, ::GetFocus());
    // A click into the exchange box edits it; Shift+Tab goes back, Tab from the last wraps to 0.
    CPoint pt = FilterBoxPoint(2);
    header.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    header.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    Pump(20);
    EXPECT_EQ(2, FocusPosition());
    PressKey(VK_TAB, false, true);
    Pump(20);
    EXPECT_EQ(1, FocusPosition());
    PressKey(VK_TAB);
    Pump(20);
    PressKey(VK_TAB);
    Pump(20);
    EXPECT_EQ(0, FocusPosition());
    // Escape leaves the box without taking what was typed.
    TypeText("x");
    PressKey(VK_ESCAPE);
    Pump(600);
    EXPECT_EQ(Texts({ "RELIANCE", "RELINFRA" }), Shown());
    EXPECT_EQ(m_list.m_hWnd, ::GetFocus());
    // Ctrl+F from a box: the focus returns to the list and the bar hides.
    pt = FilterBoxPoint(1);
    header.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    Pump(20);
    ASSERT_EQ(1, FocusPosition());
    PressKey('F', true);
    Pump(20);
    EXPECT_EQ(m_list.m_hWnd, ::GetFocus());
    EXPECT_FALSE(header.GetStyle() & HDS_FILTERBAR);
    ExpectInvariants();
}

TEST_F(FilterBarTest, TheOwnerHearsEveryChangeFromTheList)
{
    m_bAutoPopulate = false;
    m_host.Clear();
    CString filter = "INFY";
    EXPECT_EQ(1, m_list.SetVisibleColumnFilter(0, filter, 0));
    auto changes = m_host.Of(WM_NOTIFY, HDN_FILTERCHANGE);
    ASSERT_EQ(1u, changes.size());
    EXPECT_EQ(m_list.m_hWnd, changes[0].hwndFrom);
    EXPECT_EQ(1001u, changes[0].idFrom);
    EXPECT_EQ(1001u, changes[0].wParam);
    EXPECT_EQ(1, m_list.GetFilterCount());
    // While the do-filter flag is off the change is neither stored nor passed on.
    m_list.SetDoFilter(0);
    filter = "TCS";
    m_list.SetVisibleColumnFilter(1, filter, 0);
    EXPECT_EQ(1u, m_host.Count(WM_NOTIFY, HDN_FILTERCHANGE));
    EXPECT_EQ(1, m_list.GetFilterCount());
    m_list.SetDoFilter(1);
    EXPECT_EQ(0, m_list.SetVisibleColumnFilter(-1, filter, 0));
}

TEST_F(FilterBarTest, HostFilterOperations)
{
    // By column index, shown column: through its box.
    CString text = "*CAP";
    EXPECT_EQ(1, m_list.SetMapColumnFilter(0, text, 0));
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
    CString box;
    m_list.GetHeaderText(0, box);
    EXPECT_STREQ("", box);                     // the old symbol filter is gone
    m_list.GetHeaderText(2, box);
    EXPECT_STREQ("NSE", box);
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
    EXPECT_EQ(0, m_list.GetFilterCount());
    EXPECT_EQ(5, m_list.GetDisplayCount());
    // Stored filters are ignored for columns that do not exist.
    CString any = "x";
    m_list.AddToFilteredCols(-1, any);
    m_list.AddToFilteredCols(1000000, any);
    EXPECT_EQ(0, m_list.GetFilterCount());
    EXPECT_EQ(1, m_list.SetMapColumnFilter(99, any, 0));
    EXPECT_EQ(0, m_list.GetFilterCount());
    ExpectInvariants();
}

TEST_F(FilterBarTest, HiddenColumnsAreFilteredThroughTheStore)
{
    // Hide the exchange column the way a profile does.
    m_list.DeleteColumn(2);
    m_list.m_arrColPosition[2] = -1;
    m_list.m_arrVisibleColumns.RemoveAt(2);
    CString text = "BSE";
    m_host.Clear();
    EXPECT_EQ(1, m_list.SetMapColumnFilter(2, text, 0));
    EXPECT_EQ(1u, m_host.Count(WM_NOTIFY, HDN_FILTERCHANGE));   // position 0 reported the change
    EXPECT_EQ(Texts({ "RELCAP", "RELINFRA" }), Shown());
    EXPECT_EQ(1, m_list.RemoveMapColumnFilter(2));
    EXPECT_EQ(0, m_list.GetFilterCount());
}

TEST_F(FilterBarTest, ExactMatchingOnceAndByMenuToggle)
{
    m_rows.push_back({ "REL", "1", "NSE" });
    m_list.InsertItem(0, "", 0);
    m_list.SetItemData(0, (DWORD_PTR)&m_rows.back());
    CString text = "rel";
    m_list.SetVisibleColumnFilter(0, text, 1);
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

TEST_F(FilterBarTest, LongFiltersAreCutAt255InTheHeader)
{
    std::string big(100 * 1024, 'R');
    CString text = ("REL" + big).c_str();
    EXPECT_EQ(1, m_list.SetVisibleColumnFilter(0, text, 0));
    CString box;
    EXPECT_EQ(255, m_list.GetHeaderText(0, box));
    EXPECT_EQ(std::string(("REL" + big).substr(0, 255)), std::string((LPCTSTR)box));
    EXPECT_EQ(0, m_list.GetDisplayCount());
    // Filters of only separators, only a star, unreadable numbers: no crash, the rule's result.
    for (const char* f : { "~", "~~~", "*", ">abc", "<" })
    {
        CString t = f;
        m_list.SetVisibleColumnFilter(1, t, 0);
        m_list.SetVisibleColumnFilter(0, CString() = "", 0);
        int expected = std::string(f) == "*" ? 5 : 0;
        EXPECT_EQ(expected, m_list.GetDisplayCount()) << f;
    }
    ExpectInvariants();
}

TEST_F(FilterBarTest, HeaderMenuItemsAndCommands)
{
    CRect rc;
    m_list.GetColorHeader().GetWindowRect(&rc);
    m_script.m_menuAnswers.push_back(ID_FILTER_MATCH_EXACTLY);
    m_list.SendMessage(WM_CONTEXTMENU, (WPARAM)m_list.GetColorHeader().m_hWnd, MAKELPARAM(rc.left + 5, rc.top + 3));
    ASSERT_EQ(1u, m_script.m_records.size());
    std::vector<std::string> items;
    for (const CModalMenuItem& item : m_script.m_records[0].menu)
        items.push_back(std::string(item.text) + ":" + std::to_string(item.id) + ((item.state & MF_CHECKED) ? "*" : ""));
    EXPECT_TRUE(SameSequence(items, { "Reposition Columns:2132", "Fit to Data:2129", "Fit to Header:2130",
                                      "Fit to Window:2131", ":0", "Reset Filters:33757", "Match Filter Exactly:33815",
                                      ":0", "Add Custom Columns:33771", "Delete Custom Columns:33772",
                                      "Modify Custom Columns:60338", "Set Trend Columns:33500" }));
    EXPECT_TRUE(m_list.GetMatchFilterExactly());
    // Checked now; "Reset Filters" clears the boxes.
    CString text = "INFY";
    m_list.SetVisibleColumnFilter(0, text, 0);
    m_script.Clear();
    m_script.m_menuAnswers.push_back(ID_FILTER_RESET_FILTERS);
    m_list.SendMessage(WM_CONTEXTMENU, (WPARAM)m_list.GetColorHeader().m_hWnd, MAKELPARAM(rc.left + 5, rc.top + 3));
    ASSERT_EQ(1u, m_script.m_records.size());
    EXPECT_EQ(MF_CHECKED, m_script.m_records[0].menu[6].state & MF_CHECKED);
    EXPECT_EQ(0, m_list.GetFilterCount());
    EXPECT_EQ(5, m_list.GetDisplayCount());
    // A command neither the list nor its base handles goes to the host.
    m_script.Clear();
    m_host.Clear();
    m_script.m_menuAnswers.push_back(ID_FILTER_ADD_CUSTOM);
    m_list.SendMessage(WM_CONTEXTMENU, (WPARAM)m_list.GetColorHeader().m_hWnd, MAKELPARAM(rc.left + 5, rc.top + 3));
    auto commands = m_host.Of(WM_COMMAND);
    ASSERT_EQ(1u, commands.size());
    EXPECT_EQ((WPARAM)ID_FILTER_ADD_CUSTOM, LOWORD(commands[0].wParam));
    // Outside the header: no menu. Without filter mode or custom columns: fewer items.
    m_script.Clear();
    CRect rcList;
    m_list.GetWindowRect(&rcList);
    m_list.SendMessage(WM_CONTEXTMENU, (WPARAM)m_list.m_hWnd, MAKELPARAM(rcList.left + 20, rcList.bottom - 20));
    EXPECT_TRUE(m_script.m_records.empty());
    m_list.ShowCustomColumns(false);
    m_list.m_bColumnProfile = 0;
    m_list.SendMessage(WM_CONTEXTMENU, (WPARAM)m_list.GetColorHeader().m_hWnd, MAKELPARAM(rc.left + 5, rc.top + 3));
    ASSERT_EQ(1u, m_script.m_records.size());
    EXPECT_EQ(CString("Fit To Data"), m_script.m_records[0].menu[0].text);
    EXPECT_EQ(7u, m_script.m_records[0].menu.size());
}

namespace
{
std::vector<std::pair<CCommonListCtrl*, bool>> g_columnDialogCalls;
void RecordColumnDialog(CCommonListCtrl* pList, bool bGroup) { g_columnDialogCalls.push_back({ pList, bGroup }); }
}  // namespace

TEST_F(FilterBarTest, GroupedListMenuOpensTheColumnDialogForOpenGroupsOrAll)
{
    CRect rc;
    m_list.GetColorHeader().GetWindowRect(&rc);
    m_list.m_bGroupedList = true;
    auto saved = CommonListHooks().pfnShowColumnDlg;
    CommonListHooks().pfnShowColumnDlg = RecordColumnDialog;
    g_columnDialogCalls.clear();
    m_script.m_menuAnswers.push_back(ID_LIST_REPOSITION_GROUPS);
    m_script.m_menuAnswers.push_back(ID_LIST_REPOSITION_COLUMNS);
    for (int i = 0; i < 2; ++i)
        m_list.SendMessage(WM_CONTEXTMENU, (WPARAM)m_list.GetColorHeader().m_hWnd, MAKELPARAM(rc.left + 5, rc.top + 3));
    CommonListHooks().pfnShowColumnDlg = saved;
    ASSERT_EQ(2u, m_script.m_records.size());
    std::vector<std::string> items;
    for (int i = 0; i < 4; ++i)
    {
        const CModalMenuItem& item = m_script.m_records[0].menu[(size_t)i];
        items.push_back(std::string(item.text) + ":" + std::to_string(item.id));
    }
    EXPECT_TRUE(SameSequence(items, { "Reposition Columns:33709", "Reposition Columns in all groups:2132",
                                      "Fit to Data:2129", "Fit to Header:2130" }));
    // "Reposition Columns" works on the open groups, the second item on all of them.
    ASSERT_EQ(2u, g_columnDialogCalls.size());
    EXPECT_EQ(&m_list, g_columnDialogCalls[0].first);
    EXPECT_TRUE(g_columnDialogCalls[0].second);
    EXPECT_FALSE(g_columnDialogCalls[1].second);
}

TEST_F(FilterBarTest, FilteredColumnsAreTintedInTheHeader)
{
    m_list.PutListFilter();
    Pump(30);
    CString text = "REL";
    m_list.SetVisibleColumnFilter(0, text, 0);
    Pump(30);
    HBITMAP hPicture = WindowPicture::Render(m_list.GetColorHeader().m_hWnd);
    ASSERT_NE(nullptr, hPicture);
    CRect rc0, rc1;
    m_list.GetColorHeader().GetItemRect(0, &rc0);
    m_list.GetColorHeader().GetItemRect(1, &rc1);
    CRect rcClient;
    m_list.GetColorHeader().GetClientRect(&rcClient);
    int y = rcClient.Height() / 4;   // inside the item row
    EXPECT_EQ(HEADER_FILTERED_COLOR, WindowPicture::PixelAt(hPicture, rc0.left + 4, y));
    EXPECT_EQ(HEADER_ANYFILTER_COLOR, WindowPicture::PixelAt(hPicture, rc1.left + 4, y));
    // The filter row: white boxes with the typed text.
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), WindowPicture::PixelAt(hPicture, rc1.left + 6, rcClient.Height() * 3 / 4));
    ::DeleteObject(hPicture);
    m_list.RemoveAllFilters();
    hPicture = WindowPicture::Render(m_list.GetColorHeader().m_hWnd);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), WindowPicture::PixelAt(hPicture, rc0.left + 4, y));
    ::DeleteObject(hPicture);
}

TEST_F(FilterBarTest, FilterModeOffClearsTheBarAndFallsBackToTheBase)
{
    m_list.PutListFilter();
    CString text = "REL";
    m_list.SetVisibleColumnFilter(0, text, 0);
    m_list.SetUseFilter(FALSE);
    EXPECT_FALSE(m_list.GetColorHeader().GetStyle() & HDS_FILTERBAR);
    CString box;
    EXPECT_EQ(0, m_list.GetHeaderText(0, box));
    EXPECT_FALSE(m_list.m_Appearance.m_bKeywordRulesAvailable);
    EXPECT_EQ(0, (int)m_list.SendMessage(LVM_GETITEMCOUNT));
    TestHost::Calls().clear();
    m_list.SetUseFilter(TRUE);
    EXPECT_TRUE(m_list.m_Appearance.m_bKeywordRulesAvailable);
    // Visual styles are switched off for the header through the host's library loader.
    EXPECT_EQ(1, std::count(TestHost::Calls().begin(), TestHost::Calls().end(),
                            std::string("orvou_call_LoadLibrary(UxTheme.dll)")));
}

TEST_F(FilterBarTest, RepositionViewClearsTheFilters)
{
    CString text = "REL";
    m_list.SetVisibleColumnFilter(0, text, 0);
    ASSERT_EQ(3, m_list.GetDisplayCount());
    m_list.ShowColumnDlg();
    ASSERT_NE(nullptr, m_list.m_pRepositionDlg);
    ASSERT_NE(nullptr, m_list.m_pRepositionDlg->GetSafeHwnd());
    m_host.Clear();
    HWND hView = ::GetDlgItem(m_list.m_pRepositionDlg->m_hWnd, 1533);
    m_list.m_pRepositionDlg->SendMessage(WM_COMMAND, MAKEWPARAM(1533, BN_CLICKED), (LPARAM)hView);
    Pump(20);
    EXPECT_EQ(0, m_list.GetFilterCount());
    CString box;
    EXPECT_EQ(0, m_list.GetHeaderText(0, box));
    EXPECT_GE(m_host.Count(WM_NOTIFY, HDN_FILTERCHANGE), 1u);   // the host filled the list again
    EXPECT_EQ(5, m_list.GetDisplayCount());
    EXPECT_EQ(Texts({ "Symbol", "Price", "Exchange" }).size(), (size_t)m_list.GetColorHeader().GetItemCount());
}
