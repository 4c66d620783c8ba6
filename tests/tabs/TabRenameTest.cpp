// Renaming the selected tab in place: the rename edit runs its own message loop, so each test
// queues its typing and keys as steps that the parent runs from inside that loop.
#include "TabFixture.h"

namespace
{
class TabRenameTest : public TabTest
{
protected:
    void SetUp() override
    {
        TabTest::SetUp();
        Create(CTCS_AUTOHIDEBUTTONS | CTCS_EDITLABELS);
        AddTabs({ "Market", "Orders", "Trades" });
        m_tabs->SetCurSel(1);
        m_recorder.m_notes.clear();
    }
    HWND Edit() { return m_tabs->GetRenameEdit() ? m_tabs->GetRenameEdit()->m_hWnd : nullptr; }
    // Types into the rename edit the way the keyboard does: one WM_CHAR a character.
    void Type(const std::string& text)
    {
        for (char c : text)
            ::PostMessageA(Edit(), WM_CHAR, (WPARAM)(BYTE)c, 1);
    }
    void Key(UINT vk) { ::PostMessageA(Edit(), WM_KEYDOWN, vk, 1); }
};

TEST_F(TabRenameTest, EnterCommitsAndTheTabGrowsWhileTyping)
{
    const int nWindows = ThreadWindowCount();
    CRect before, during, edit;
    m_tabs->GetItemRect(1, before);
    m_recorder.Post([&] {
        ASSERT_NE(nullptr, Edit());
        // The whole old name is selected: typing replaces it.
        Type("Open positions");
        m_recorder.Post([&] {
            m_tabs->GetItemRect(1, during);
            ::GetWindowRect(Edit(), &edit);
            m_tabs->ScreenToClient(&edit);
            Key(VK_RETURN);
        });
    });
    EXPECT_EQ(0, m_tabs->EditLabel(1));
    EXPECT_EQ("4:1", Notes());
    EXPECT_EQ("Orders", m_recorder.m_notes[0].text);   // the record still has the old name
    EXPECT_EQ(std::vector<std::string>({ "Market", "Open positions", "Trades" }), Texts());
    EXPECT_GT(during.Width(), before.Width());
    EXPECT_EQ(during, edit);
    EXPECT_EQ(nullptr, m_tabs->GetRenameEdit());
    EXPECT_EQ(nWindows, ThreadWindowCount());
    // The tab keeps its new width once measured in the tab font.
    CRect after;
    m_tabs->GetItemRect(1, after);
    EXPECT_GT(after.Width(), before.Width());
}

TEST_F(TabRenameTest, ParentCanVetoTheNewName)
{
    m_recorder.m_lLabelResult = 1;
    m_recorder.Post([&] {
        Type("Rejected");
        Key(VK_RETURN);
    });
    EXPECT_EQ(0, m_tabs->EditLabel(1));
    EXPECT_EQ("4:1", Notes());
    EXPECT_EQ(std::vector<std::string>({ "Market", "Orders", "Trades" }), Texts());
}

TEST_F(TabRenameTest, EscapeOrFocusLossAbandons)
{
    m_recorder.Post([&] {
        Type("Discarded");
        Key(VK_ESCAPE);
    });
    EXPECT_EQ(0, m_tabs->EditLabel(1));
    m_recorder.Post([&] {
        Type("Also discarded");
        m_recorder.Post([&] { m_recorder.SetFocus(); });
    });
    EXPECT_EQ(0, m_tabs->EditLabel(1));
    EXPECT_EQ("", Notes());
    EXPECT_EQ(std::vector<std::string>({ "Market", "Orders", "Trades" }), Texts());
    EXPECT_EQ(nullptr, m_tabs->GetRenameEdit());
}

TEST_F(TabRenameTest, ClicksOutsideTheEditCommit)
{
    // A click in a non-client area.
    m_recorder.Post([&] {
        Type("Depth");
        ::PostMessageA(m_frame.m_hWnd, WM_NCLBUTTONDOWN, HTNOWHERE, 0);
    });
    EXPECT_EQ(0, m_tabs->EditLabel(1));
    EXPECT_EQ(std::vector<std::string>({ "Market", "Depth", "Trades" }), Texts());
    // A click on another tab: the rename is committed first, then the click selects that tab.
    m_recorder.Post([&] {
        Type("Book");
        const CPoint pt = Center(0);
        ::PostMessageA(m_tabs->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        ::PostMessageA(m_tabs->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    });
    EXPECT_EQ(0, m_tabs->EditLabel(1));
    AfxPumpPendingMessages();
    EXPECT_EQ(std::vector<std::string>({ "Market", "Book", "Trades" }), Texts());
    EXPECT_EQ("4:1 4:1 -2:0 0:0", Notes());
    EXPECT_EQ(0, m_tabs->GetCurSel());
}

TEST_F(TabRenameTest, NamesAreCutAtTwentyNineCharacters)
{
    m_recorder.Post([&] {
        Type(std::string(40, 'n'));
        Key(VK_RETURN);
    });
    EXPECT_EQ(0, m_tabs->EditLabel(1));
    EXPECT_EQ(std::string(29, 'n'), Texts()[1]);
    // An empty name is a name too.
    m_recorder.Post([&] {
        Key(VK_DELETE);
        ::PostMessageA(Edit(), WM_CHAR, VK_BACK, 1);
        Key(VK_RETURN);
    });
    EXPECT_EQ(0, m_tabs->EditLabel(1));
    EXPECT_EQ("", Texts()[1]);
}

TEST_F(TabRenameTest, RefusedWithoutStyleOrSelection)
{
    EXPECT_EQ(CTCERR_ITEMNOTSELECTED, m_tabs->EditLabel(0));
    EXPECT_EQ(CTCERR_INDEXOUTOFRANGE, m_tabs->EditLabel(3));
    EXPECT_EQ(CTCERR_INDEXOUTOFRANGE, m_tabs->EditLabel(-1));
    m_tabs->ModifyStyle(CTCS_EDITLABELS, 0);
    EXPECT_EQ(CTCERR_NOEDITLABELSTYLE, m_tabs->EditLabel(1));
    EXPECT_EQ(nullptr, m_tabs->GetRenameEdit());
}

TEST_F(TabRenameTest, TabOrStripGoneWhileRenaming)
{
    const int nGdi = GdiObjectCount();
    const int nWindows = ThreadWindowCount();
    m_recorder.Post([&] {
        Type("Lost");
        m_recorder.Post([&] { m_tabs->DeleteItem(1); });
    });
    EXPECT_EQ(0, m_tabs->EditLabel(1));
    EXPECT_EQ(std::vector<std::string>({ "Market", "Trades" }), Texts());
    EXPECT_EQ("", Notes());
    EXPECT_EQ(nullptr, m_tabs->GetRenameEdit());
    EXPECT_EQ(nWindows, ThreadWindowCount());

    // A rename that inserts before the renamed tab keeps renaming the same tab.
    m_recorder.Post([&] {
        m_tabs->InsertItem(0, "First");
        Type("Renamed");
        Key(VK_RETURN);
    });
    EXPECT_EQ(0, m_tabs->EditLabel(1));
    EXPECT_EQ(std::vector<std::string>({ "First", "Market", "Renamed" }), Texts());

    m_tabs->SetCurSel(0);
    m_recorder.Post([&] { m_tabs->DestroyWindow(); });
    EXPECT_EQ(0, m_tabs->EditLabel(0));
    EXPECT_EQ(nullptr, m_tabs->GetSafeHwnd());
    m_tabs.reset();
    EXPECT_EQ(nWindows - 1, ThreadWindowCount());
    EXPECT_LE(GdiObjectCount(), nGdi);
}

TEST_F(TabRenameTest, QuitMessageEndsTheRenameAndIsKeptForTheHost)
{
    m_recorder.Post([&] {
        Type("Half");
        ::PostQuitMessage(3);
    });
    EXPECT_EQ(0, m_tabs->EditLabel(1));
    EXPECT_EQ("Orders", Texts()[1]);
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(3u, msg.wParam);
}
}  // namespace
