// Keys, menus and the clipboard of a real grid: WM_KEYDOWN through the message pump, menus as the
// modal seam records them, commands chosen from them, and the clipboard text.
#include "ListFixture.h"

using Texts = std::vector<std::string>;

namespace
{
struct sItem
{
    std::string text;
    UINT id;
    bool grayed;
};

std::vector<sItem> Items(const CModalRecord& record)
{
    std::vector<sItem> items;
    for (const CModalMenuItem& item : record.menu)
        items.push_back({ (LPCTSTR)item.text, item.id, !(item.state & MF_SEPARATOR) && (item.state & MF_GRAYED) != 0 });
    return items;
}

bool operator==(const sItem& a, const sItem& b)
{
    return a.text == b.text && a.id == b.id && a.grayed == b.grayed;
}

std::ostream& operator<<(std::ostream& os, const sItem& item)
{
    return os << "{\"" << item.text << "\", " << item.id << (item.grayed ? ", grayed}" : "}");
}
}  // namespace

class CDrawOwner : public CWnd
{
public:
    std::vector<std::pair<int, UINT>> m_seen;
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT p) { m_seen.push_back({ nIDCtl, p->itemID }); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDrawOwner, CWnd)
    ON_WM_DRAWITEM()
END_MESSAGE_MAP()

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

    void Select(std::initializer_list<int> rows)
    {
        m_list.SetItemState(-1, 0, LVIS_SELECTED);
        for (int r : rows)
            m_list.SetItemState(r, LVIS_SELECTED, LVIS_SELECTED);
    }

    const CModalRecord* LastMenu()
    {
        for (auto it = m_script.m_records.rbegin(); it != m_script.m_records.rend(); ++it)
            if (it->kind == "menu")
                return &*it;
        return nullptr;
    }
};

TEST_F(ListInputTest, CtrlCCopiesSelectedRowsWithATabAfterEveryCell)
{
    Select({ 0, 2 });
    PressKey('C', true);
    EXPECT_EQ("ABC\t10.5\tfirst\t\r\nQQQ\t7\tthird\t\r\n", TestClipboard::Text());
    EXPECT_EQ(TestClipboard::Text(), std::string((LPCTSTR)m_list.m_csClipboardText));

    Select({ 1 });
    PressKey('C', true);
    EXPECT_EQ("XYZ\t-\t\t\r\n", TestClipboard::Text());
}

TEST_F(ListInputTest, CtrlCWithoutSelectionEmptiesTheClipboard)
{
    TestClipboard::SetText("old text");
    Select({});
    PressKey('C', true);
    EXPECT_EQ("", TestClipboard::Text());
}

TEST_F(ListInputTest, PlainKeysDoNothing)
{
    TestClipboard::SetText("old text");
    Select({ 0 });
    PressKey('C');
    PressKey('A');
    PressKey('G');
    EXPECT_EQ("old text", TestClipboard::Text());
    EXPECT_EQ(1u, m_list.GetSelectedCount());
    EXPECT_FALSE(m_list.GetExtendedStyle() & LVS_EX_GRIDLINES);
}

TEST_F(ListInputTest, CtrlASelectsEveryRow)
{
    Select({ 1 });
    PressKey('A', true);
    EXPECT_EQ(3u, m_list.GetSelectedCount());
}

TEST_F(ListInputTest, ShiftGTogglesGridLines)
{
    PressKey('G', false, true);
    EXPECT_TRUE(m_list.GetExtendedStyle() & LVS_EX_GRIDLINES);
    PressKey('G', false, true);
    EXPECT_FALSE(m_list.GetExtendedStyle() & LVS_EX_GRIDLINES);
    PressKey('G', true, true);
    EXPECT_FALSE(m_list.GetExtendedStyle() & LVS_EX_GRIDLINES) << "not with Ctrl";
}

TEST_F(ListInputTest, CtrlShiftCCopiesToo)
{
    Select({ 2 });
    PressKey('C', true, true);
    EXPECT_EQ("QQQ\t7\tthird\t\r\n", TestClipboard::Text());
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

TEST_F(ListInputTest, ApplicationsKeyOpensTheRowMenu)
{
    PressKey(VK_APPS);
    const CModalRecord* pMenu = LastMenu();
    ASSERT_NE(nullptr, pMenu);
    std::vector<sItem> expected = {
        { "Write to Excel\tShift+E", 4006, false },
        { "Draw Grid Lines\tShift+G", 2222, false },
        { "Customize \t Ctrl+Shift+C", 33758, false },
        { "Copy to Clip Board\tCtrl+C", 33800, false },
    };
    EXPECT_EQ(expected, Items(*pMenu));
}

TEST_F(ListInputTest, RowMenuFollowsTheOptions)
{
    m_list.EnableWriteExcel(0);
    m_list.m_bEnableCustomize = 0;
    m_list.m_bUserCustomize = 1;
    PressKey(VK_APPS);
    ASSERT_NE(nullptr, LastMenu());
    std::vector<sItem> expected = {
        { "Write to Excel\tShift+E", 4006, true },
        { "Draw Grid Lines\tShift+G", 2222, false },
        { "User Customize", 35562, false },
        { "Copy to Clip Board\tCtrl+C", 33800, false },
    };
    EXPECT_EQ(expected, Items(*LastMenu()));

    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, 1, "Host item");
    m_list.AddRClickMenus(&menu);
    ASSERT_EQ(5, menu.GetMenuItemCount());
    EXPECT_EQ(1u, menu.GetMenuItemID(0));
    EXPECT_EQ(4006u, menu.GetMenuItemID(1));
    EXPECT_EQ(33800u, menu.GetMenuItemID(4));
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

TEST_F(ListInputTest, RowMenuCommandsRunOnTheList)
{
    Select({ 1 });
    m_script.m_menuAnswers = { 33800 };
    PressKey(VK_APPS);
    EXPECT_EQ("XYZ\t-\t\t\r\n", TestClipboard::Text());
    m_script.m_menuAnswers = { 2222 };
    PressKey(VK_APPS);
    EXPECT_TRUE(m_list.GetExtendedStyle() & LVS_EX_GRIDLINES);
}

TEST_F(ListInputTest, ProcessCommandKnowsTheRowCommandsOnly)
{
    m_list.ProcessCommand(2222);
    EXPECT_TRUE(m_list.GetExtendedStyle() & LVS_EX_GRIDLINES);
    Select({ 0 });
    m_list.ProcessCommand(33800);
    EXPECT_EQ("ABC\t10.5\tfirst\t\r\n", TestClipboard::Text());
    m_list.ProcessCommand(2131);   // a header command: ignored
    EXPECT_EQ(60, m_list.GetColumnWidth(0));
    m_list.DeleteAllItems();
    m_list.ProcessCommand(4006);
    EXPECT_EQ((std::vector<CString>{ "No Items in the List" }), m_script.Messages());
}

TEST_F(ListInputTest, HeaderMenuItemsByOptions)
{
    HWND hHeader = m_list.GetHeaderCtrl()->m_hWnd;
    auto showHeaderMenu = [&]() {
        m_script.Clear();
        m_list.SendMessage(WM_CONTEXTMENU, (WPARAM)hHeader, MAKELPARAM(10, 10));
        return LastMenu() ? Items(*LastMenu()) : std::vector<sItem>{};
    };
    EXPECT_EQ((std::vector<sItem>{ { "Reposition Columns", 2132, false },
                                   { "Fit to Data", 2129, false },
                                   { "Fit to Header", 2130, false },
                                   { "Fit to Window", 2131, false } }),
              showHeaderMenu());

    m_list.m_bColumnProfile = 0;
    m_list.m_bCustomColumnsMenu = 1;
    EXPECT_EQ((std::vector<sItem>{ { "Fit To Data", 2129, false },
                                   { "Fit to Header", 2130, false },
                                   { "Fit to Window", 2131, false },
                                   { "", 0, false },
                                   { "Add Custom Columns", 32859, false },
                                   { "Edit Custom Coloums", 60338, false },
                                   { "Delete Custom Coloums", 33406, false } }),
              showHeaderMenu());

    m_list.m_bGroupedList = true;
    m_list.m_bCustomColumnsMenu = 0;
    EXPECT_EQ((std::vector<sItem>{ { "Reposition Columns", 2132, false },
                                   { "Reposition Columns in open groups", 33709, false },
                                   { "Fit to Data", 2129, false },
                                   { "Fit to Header", 2130, false },
                                   { "Fit to Window", 2131, false } }),
              showHeaderMenu());
}

TEST_F(ListInputTest, HeaderMenuCommandFitsTheColumns)
{
    m_script.m_menuAnswers = { 2131 };
    m_list.SendMessage(WM_CONTEXTMENU, (WPARAM)m_list.GetHeaderCtrl()->m_hWnd, MAKELPARAM(10, 10));
    CRect client;
    m_list.GetClientRect(&client);
    EXPECT_EQ(client.Width() / 3, m_list.GetColumnWidth(1));
}

TEST_F(ListInputTest, ContextMenuShowsTheHeaderMenuOnlyOverTheHeader)
{
    // The same message from the list itself: over a row no menu at all, over the header its menu.
    CRect row, header;
    m_list.GetItemRect(1, &row, LVIR_BOUNDS);
    m_list.ClientToScreen(&row);
    m_list.SendMessage(WM_CONTEXTMENU, (WPARAM)m_list.m_hWnd, MAKELPARAM(row.left + 5, row.top + 2));
    EXPECT_EQ(nullptr, LastMenu());

    m_list.GetHeaderCtrl()->GetWindowRect(&header);
    m_list.SendMessage(WM_CONTEXTMENU, (WPARAM)m_list.m_hWnd, MAKELPARAM(header.left + 5, header.top + 2));
    const CModalRecord* pMenu = LastMenu();
    ASSERT_NE(nullptr, pMenu);
    ASSERT_FALSE(pMenu->menu.empty());
    EXPECT_EQ(2132u, pMenu->menu[0].id);
}

TEST_F(ListInputTest, OwnerDrawnRowsAreForwardedToTheOwner)
{
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_LISTVIEW;
    dis.CtlID = 1001;
    dis.itemID = 1;
    dis.hwndItem = m_list.m_hWnd;
    CDrawOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "Owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    // Without an owner the reflected draw is consumed quietly; with one it is passed on.
    m_dialog.SendMessage(WM_DRAWITEM, 1001, (LPARAM)&dis);
    EXPECT_TRUE(owner.m_seen.empty());
    m_list.SetOwnerWnd(&owner);
    m_dialog.SendMessage(WM_DRAWITEM, 1001, (LPARAM)&dis);
    EXPECT_EQ((std::vector<std::pair<int, UINT>>{ { 1001, 1u } }), owner.m_seen);
    owner.DestroyWindow();
}
