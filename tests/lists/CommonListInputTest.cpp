// Keys, menus and the clipboard of a real grid: WM_KEYDOWN through the message pump, menus as the
// modal seam records them, commands chosen from them, and the clipboard text.
#include "ListFixture.h"

class ListInputTest : public ListTest
{
protected:
    void SetUp() override
    {
        ListTest::SetUp();
        BuildColumns({ { "Sym", 60, 0, LIST_SORT_TEXT }, { "Last", 60, 1, LIST_SORT_DECIMAL }, { "Note", 60, 0, LIST_SORT_TEXT } });
        AddRow({ "ABC", "10.5", "first" });
        AddRow({ "XYZ", "-", "" });
        AddRow({ "QQQ", "7", "third" });
    }
    void Select(std::vector<int> rows)
    {
        m_list.SetItemState(-1, 0, LVIS_SELECTED);
        for (int r : rows)
            m_list.SetItemState(r, LVIS_SELECTED, LVIS_SELECTED);
    }
    // The commands of the last menu shown ("g" after a grayed one, 0 a separator), "" without one.
    std::string LastMenu()
    {
        for (auto it = m_script.m_records.rbegin(); it != m_script.m_records.rend(); ++it)
        {
            if (it->kind != "menu")
                continue;
            std::string ids;
            for (const CModalMenuItem& item : it->menu)
                ids += (ids.empty() ? "" : " ") + std::to_string(item.id) +
                       (!(item.state & MF_SEPARATOR) && (item.state & MF_GRAYED) ? "g" : "");
            return ids;
        }
        return "";
    }
    void ShowHeaderMenu(CPoint pt = CPoint(10, 10), HWND hFrom = nullptr)
    {
        m_script.Clear();
        m_list.SendMessage(WM_CONTEXTMENU, (WPARAM)(hFrom ? hFrom : m_list.GetHeaderCtrl()->m_hWnd), MAKELPARAM(pt.x, pt.y));
    }
    bool GridLines() { return (m_list.GetExtendedStyle() & LVS_EX_GRIDLINES) != 0; }
};

TEST_F(ListInputTest, KeysCopySelectAndToggleGridLines)
{
    // clipboard: afterwards; the clipboard held "old text" before
    struct Case { const char* name; std::vector<int> selected; UINT vk; bool bCtrl, bShift; const char* clipboard; UINT nSelected; bool bGridLines; } const cases[] = {
        { "Ctrl+C: a tab after every cell", { 0, 2 }, 'C', true, false, "ABC\t10.5\tfirst\t\r\nQQQ\t7\tthird\t\r\n", 2, false },
        { "Ctrl+C: empty cells", { 1 }, 'C', true, false, "XYZ\t-\t\t\r\n", 1, false },
        { "Ctrl+C without selection empties the clipboard", {}, 'C', true, false, "", 0, false },
        { "Ctrl+Shift+C copies too", { 2 }, 'C', true, true, "QQQ\t7\tthird\t\r\n", 1, false },
        { "plain C", { 0 }, 'C', false, false, "old text", 1, false },
        { "Ctrl+A selects every row", { 1 }, 'A', true, false, "old text", 3, false },
        { "Shift+G: grid lines on", {}, 'G', false, true, "old text", 0, true },
        { "Shift+G: and off", {}, 'G', false, true, "old text", 0, false },
        { "Ctrl+Shift+G: not with Ctrl", {}, 'G', true, true, "old text", 0, false },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        TestClipboard::SetText("old text");
        Select(c.selected);
        PressKey(c.vk, c.bCtrl, c.bShift);
        EXPECT_EQ(c.clipboard, TestClipboard::Text());
        EXPECT_EQ(c.nSelected, m_list.GetSelectedCount());
        EXPECT_EQ(c.bGridLines, GridLines());
    }
}

TEST_F(ListInputTest, ShiftEAndShiftDExportOnlyWhenEnabled)
{
    m_list.DeleteAllItems();
    PressKey('E', false, true);
    EXPECT_EQ((std::vector<CString>{ "No Items in the List" }), m_script.Messages());
    PressKey('D', false, true);
    EXPECT_EQ(1u, m_script.Messages().size()) << "export to file is off by default";
    m_list.m_bEnableWriteFile = 1;
    PressKey('D', false, true);
    EXPECT_EQ(2u, m_script.Messages().size());
    m_list.EnableWriteExcel(0);
    PressKey('E', false, true);
    PressKey('E', true, true);
    EXPECT_EQ(2u, m_script.Messages().size());
}

TEST_F(ListInputTest, RowAndHeaderMenusFollowTheOptions)
{
    auto none = [](CCommonListCtrl&) {};
    // nFrom: 0 the Applications key, 1 the header, 2 the list itself over a row, 3 the list over the header
    struct Case { const char* name; std::function<void(CCommonListCtrl&)> options; int nFrom; const char* ids; } const cases[] = {
        { "row menu, no export, user customize",
          [](CCommonListCtrl& l) { l.EnableWriteExcel(0); l.m_bEnableCustomize = 0; l.m_bUserCustomize = 1; }, 0,
          "4006g 2222 35562 33800" },
        { "the list's own message over a row: no menu", none, 2, "" },
        { "the list's own message over the header", none, 3, "2132 2129 2130 2131" },
        { "header menu, custom columns", [](CCommonListCtrl& l) { l.m_bColumnProfile = 0; l.m_bCustomColumnsMenu = 1; }, 1,
          "2129 2130 2131 0 32859 60338 33406" },
        { "header menu, grouped list", [](CCommonListCtrl& l) { l.m_bGroupedList = true; l.m_bCustomColumnsMenu = 0; }, 1,
          "2132 33709 2129 2130 2131" },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        c.options(m_list);
        CRect rc;
        if (c.nFrom == 2)
            m_list.GetItemRect(1, &rc, LVIR_BOUNDS), m_list.ClientToScreen(&rc);
        else
            m_list.GetHeaderCtrl()->GetWindowRect(&rc);
        if (c.nFrom == 0)
            PressKey(VK_APPS);
        else if (c.nFrom == 1)
            ShowHeaderMenu();
        else
            ShowHeaderMenu(CPoint(rc.left + 5, rc.top + 2), m_list.m_hWnd);
        EXPECT_EQ(c.ids, LastMenu());
    }
    // A host's menu gets the row commands appended.
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, 1, "Host item");
    m_list.AddRClickMenus(&menu);
    EXPECT_EQ(4006u, menu.GetMenuItemID(1));
}

TEST_F(ListInputTest, MenuCommandsAndProcessCommandRunOnTheList)
{
    Select({ 1 });
    m_script.m_menuAnswers = { 33800 };
    PressKey(VK_APPS);
    EXPECT_EQ("XYZ\t-\t\t\r\n", TestClipboard::Text());
    m_script.m_menuAnswers = { 2222 };
    PressKey(VK_APPS);
    EXPECT_TRUE(GridLines());
    m_script.m_menuAnswers = { 2131 };
    ShowHeaderMenu();
    CRect client;
    m_list.GetClientRect(&client);
    EXPECT_EQ(client.Width() / 3, m_list.GetColumnWidth(1));

    m_list.ProcessCommand(2222);
    EXPECT_FALSE(GridLines());
    Select({ 0 });
    m_list.ProcessCommand(33800);
    EXPECT_EQ("ABC\t10.5\tfirst\t\r\n", TestClipboard::Text());
    m_list.ProcessCommand(2130);   // a header command: ignored
    EXPECT_EQ(client.Width() / 3, m_list.GetColumnWidth(1));
}

TEST_F(ListInputTest, ApplicationsKeyGoesToTheOwnerWindowWhenSet)
{
    CMessageRecorder owner;
    ASSERT_TRUE(owner.CreateRecorder());
    owner.m_bRecordReflected = true;   // the list itself answers NM_RCLICK with its row menu
    m_list.SetOwnerWnd(&owner);
    owner.Clear();
    PressKey(VK_APPS);
    EXPECT_TRUE(SameSequence(owner.Lines(), { "notify 1001 NM_RCLICK" }));
    ASSERT_EQ(1u, owner.m_records.size());
    EXPECT_EQ(m_list.m_hWnd, owner.m_records[0].hwndFrom);
    owner.DestroyWindow();
}
