// Renaming the selected tab in place: the rename edit runs its own message loop, so each test
// queues its typing and keys as steps that the parent runs from inside that loop.
#include "TabFixture.h"

#include "Quarantine.h"

namespace
{
class TabRenameTest : public TabTest
{
protected:
    void SetUp() override
    {
        TabTest::SetUp();
        Make(CTCS_AUTOHIDEBUTTONS | CTCS_EDITLABELS, { "Market", "Orders", "Trades" }, 1);
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

TEST_F(TabRenameTest, HowARenameEndsAndWhenItIsRefused)
{
    const struct
    {
        const char* name;
        std::function<void()> steps;   // run inside the rename loop
        LRESULT lVeto;                 // the parent's answer to the rename notification
        const char* notes;
        const char* result;            // the tab's text after
        int nQuit = -1;                // the quit code left for the host's loop
    } cases[] = {
        { "Enter commits (typing replaces the selected old name)", [&] { Type("Open positions"); Key(VK_RETURN); }, 0, "4:1",
          "Open positions" },
        { "Enter, vetoed by the parent", [&] { Type("Rejected"); Key(VK_RETURN); }, 1, "4:1", "Orders" },
        { "Escape abandons", [&] { Type("Discarded"); Key(VK_ESCAPE); }, 0, "", "Orders" },
        { "focus loss abandons", [&] { Type("Lost"); m_recorder.Post([&] { m_recorder.SetFocus(); }); }, 0, "",
          "Orders" },
        { "a click in a non-client area commits",
          [&] { Type("Depth"); ::PostMessageA(m_frame.m_hWnd, WM_NCLBUTTONDOWN, HTNOWHERE, 0); }, 0, "4:1", "Depth" },
        { "names are cut at 29 characters", [&] { Type(std::string(40, 'n')); Key(VK_RETURN); }, 0, "4:1",
          "nnnnnnnnnnnnnnnnnnnnnnnnnnnnn" },
        { "an empty name is a name too",
          [&] { Key(VK_DELETE); ::PostMessageA(Edit(), WM_CHAR, VK_BACK, 1); Key(VK_RETURN); }, 0, "4:1", "" },
        { "a quit message ends it and is kept for the host", [&] { Type("Half"); ::PostQuitMessage(3); }, 0, "",
          "Orders", 3 },
        { "a click on another tab commits first, then selects that tab", [&] {
              Type("Book");
              const CPoint pt = Center(0);
              ::PostMessageA(m_tabs->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
              ::PostMessageA(m_tabs->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
          }, 0, "4:1 -2:0 0:0", "Book" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        m_tabs->SetItemText(1, "Orders");
        m_tabs->SetCurSel(1);
        m_recorder.m_notes.clear();
        m_recorder.m_lLabelResult = c.lVeto;
        m_recorder.Post(c.steps);
        EXPECT_EQ(0, m_tabs->EditLabel(1));
        AfxPumpPendingMessages();
        MSG msg = {};
        EXPECT_EQ(c.nQuit, ::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) ? (int)msg.wParam : -1);
        EXPECT_EQ(c.notes, Notes());
        if (!m_recorder.m_notes.empty()) { EXPECT_EQ("Orders", m_recorder.m_notes[0].text); }   // still the old name
        EXPECT_EQ(Names({ "Market", c.result, "Trades" }), Texts());
        EXPECT_EQ(nullptr, m_tabs->GetRenameEdit());
        CRect renamed, inserted;   // measured again: as wide as a tab inserted with that name
        m_tabs->InsertItem(3, c.result);
        m_tabs->GetItemRect(1, renamed);
        m_tabs->GetItemRect(3, inserted);
        EXPECT_EQ(inserted.Width(), renamed.Width());
        m_tabs->DeleteItem(3);
    }
    EXPECT_EQ(0, m_tabs->GetCurSel());   // by the click of the last case
    // Refused: a tab that is not selected, one that does not exist, a strip without the style.
    EXPECT_EQ(CTCERR_ITEMNOTSELECTED, m_tabs->EditLabel(1));
    EXPECT_EQ(CTCERR_INDEXOUTOFRANGE, m_tabs->EditLabel(3));
    m_tabs->ModifyStyle(CTCS_EDITLABELS, 0);
    EXPECT_EQ(CTCERR_NOEDITLABELSTYLE, m_tabs->EditLabel(0));
    EXPECT_EQ(nullptr, m_tabs->GetRenameEdit());
}

// The fault: a strip deleted by its host while its rename was open was read and written again.
TEST_F(TabRenameTest, AStripDeletedDuringItsRenameIsNotTouchedAgain)
{
    using CGoneTabs = CQuarantined<CCustomTabCtrl>;
    const int nWindows = TestLeaks::Windows() - 1;   // without the strip of the set-up
    for (bool bByRenameNotification : { false, true })
    {
        SCOPED_TRACE(bByRenameNotification ? "by the receiver of the rename notification" : "while typing");
        m_tabs.reset(new CGoneTabs);
        ASSERT_TRUE(m_tabs->Create(WS_CHILD | WS_VISIBLE | CTCS_EDITLABELS, CRect(0, 0, 400, 20), &m_recorder, 77));
        AddTabs({ "Market", "Orders" });
        m_tabs->SetCurSel(1);
        m_recorder.m_notes.clear();
        m_recorder.m_onNote = [this](const sTabNote& note) {
            if (note.code == CTCN_LABELUPDATE)
                m_tabs.reset();
        };
        m_recorder.Post([this, bByRenameNotification] {
            ::PostMessageA(Edit(), WM_CHAR, 'X', 1);
            if (bByRenameNotification)
                Key(VK_RETURN);
            else
                m_recorder.Post([this] { m_tabs.reset(); });
        });
        CCustomTabCtrl* pTabs = m_tabs.get();
        pTabs->EditLabel(1);
        m_recorder.m_onNote = nullptr;
        EXPECT_EQ(nullptr, m_tabs.get());
        EXPECT_EQ(bByRenameNotification ? "4:1" : "", Notes());
        EXPECT_EQ(0u, CGoneTabs::WrittenAfterDelete());
        EXPECT_EQ(nWindows, TestLeaks::Windows());
        CGoneTabs::Release();
    }
}
}  // namespace
