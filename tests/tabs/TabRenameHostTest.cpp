// A host that changes the tabs while one is being renamed: from a message it handles while the
// edit is open, or from the rename notification itself; the rename opened by a direct call or from
// the host's answer to a press on the tab. The new name goes to the tab that was being renamed
// wherever it now stands, or nowhere when it is gone; the press that opened the rename selects no
// neighbour afterwards; the edit never outlives the rename.
#include "TabFixture.h"

namespace
{
class TabRenameHostTest : public TabTest
{
protected:
    void SetUp() override
    {
        TabTest::SetUp();
        // One rename before counting: the system keeps a few objects of its own from the first edit.
        Make(CTCS_EDITLABELS, { "Market" }, 0);
        m_recorder.Post([this] {
            ::PostMessageA(m_tabs->GetRenameEdit()->m_hWnd, WM_CHAR, 'D', 1);
            ::PostMessageA(m_tabs->GetRenameEdit()->m_hWnd, WM_KEYDOWN, VK_RETURN, 1);
        });
        m_tabs->EditLabel(0);
        AfxPumpPendingMessages();
        m_tabs.reset();
    }
};

TEST_F(TabRenameHostTest, TheNewNameFollowsItsTabWhateverTheHostChanges)
{
    // The renamed tab is "Orders" (index 1, selected); "*" marks where it stands afterwards.
    const struct
    {
        const char* name;
        std::function<void(CCustomTabCtrl&)> act;
        Names after;
        int nRenamed;     // its index afterwards, -1 when it is gone
        int nSelected;
    } actions[] = {
        { "the renamed tab deleted", [](CCustomTabCtrl& t) { t.DeleteItem(1); }, { "Market", "Trades" }, -1, 1 },
        { "a tab before it deleted", [](CCustomTabCtrl& t) { t.DeleteItem(0); }, { "*", "Trades" }, 0, 0 },
        { "a tab inserted before it", [](CCustomTabCtrl& t) { t.InsertItem(0, "News"); },
          { "News", "Market", "*", "Trades" }, 2, 2 },
        { "every tab deleted", [](CCustomTabCtrl& t) { t.DeleteAllItems(); }, {}, -1, -1 },
    };
    const struct
    {
        const char* name;
        bool bCommits;
        std::function<void(CTabRecorder&, HWND hEdit, HWND hFrame)> end;
    } endings[] = {
        { "Enter", true, [](CTabRecorder&, HWND hEdit, HWND) { ::PostMessageA(hEdit, WM_KEYDOWN, VK_RETURN, 1); } },
        { "Escape", false, [](CTabRecorder&, HWND hEdit, HWND) { ::PostMessageA(hEdit, WM_KEYDOWN, VK_ESCAPE, 1); } },
        { "focus lost", false, [](CTabRecorder& r, HWND, HWND) { r.Post([&r] { r.SetFocus(); }); } },
        { "a click elsewhere", true,
          [](CTabRecorder&, HWND, HWND hFrame) { ::PostMessageA(hFrame, WM_NCLBUTTONDOWN, HTNOWHERE, 0); } },
    };
    enum When { kWhileOpen, kFromRenameNote };
    for (const auto& a : actions)
        for (const auto& e : endings)
            for (When when : { kWhileOpen, kFromRenameNote })
                for (bool bFromPress : { false, true })
                {
                    if (when == kFromRenameNote && !e.bCommits)
                        continue;   // nothing is told: there is no notification to act from
                    SCOPED_TRACE(std::string(a.name) + (when == kWhileOpen ? " while open" : " by the rename note") +
                                 ", ended by " + e.name +
                                 (bFromPress ? ", opened from the press note" : ", opened by the host"));
                    const int nGdi = TestLeaks::GdiObjects();
                    Make(CTCS_AUTOHIDEBUTTONS | CTCS_EDITLABELS, { "Market", "Orders", "Trades" }, 1);
                    const int nWindows = TestLeaks::Windows();
                    // Typing, then (while open) the host's change, then the end, all from inside the
                    // rename's own loop.
                    m_recorder.Post([&] {
                        const HWND hEdit = m_tabs->GetRenameEdit()->m_hWnd;
                        for (char c : std::string("Depth"))
                            ::PostMessageA(hEdit, WM_CHAR, (WPARAM)c, 1);
                        m_recorder.Post([&, hEdit] {
                            if (when == kWhileOpen)
                                a.act(*m_tabs);
                            e.end(m_recorder, hEdit, m_frame.m_hWnd);
                        });
                    });
                    m_recorder.m_onNote = [&](const sTabNote& note) {
                        if (note.code == CTCN_LBUTTONDOWN && bFromPress && note.nItem == m_tabs->GetCurSel())
                            m_tabs->EditLabel(note.nItem);
                        else if (note.code == CTCN_LABELUPDATE && when == kFromRenameNote)
                            a.act(*m_tabs);
                    };
                    if (bFromPress)
                        Click(Center(1));
                    else
                        EXPECT_EQ(0, m_tabs->EditLabel(1));
                    AfxPumpPendingMessages();
                    m_recorder.m_onNote = nullptr;

                    const bool bTold = e.bCommits && (when == kFromRenameNote || a.nRenamed >= 0);
                    const int nToldIndex = when == kFromRenameNote ? 1 : a.nRenamed;
                    std::string notes = bFromPress ? "-2:1" : "";
                    if (bTold)
                        notes += (notes.empty() ? "" : " ") + std::string("4:") + std::to_string(nToldIndex);
                    EXPECT_EQ(notes, Notes());
                    if (bTold) { EXPECT_EQ("Orders", m_recorder.m_notes.back().text); }   // the old name
                    Names expected = a.after;
                    for (std::string& t : expected)
                        if (t == "*")
                            t = e.bCommits ? "Depth" : "Orders";
                    EXPECT_EQ(expected, Texts());
                    EXPECT_EQ(a.nSelected, m_tabs->GetCurSel());
                    EXPECT_EQ(nullptr, m_tabs->GetRenameEdit());
                    EXPECT_EQ(nWindows, TestLeaks::Windows());
                    m_tabs.reset();
                    EXPECT_EQ(nGdi, TestLeaks::GdiObjects());
                }

    // Opened from the press and ended by a click on another tab: that click's selection stands.
    SCOPED_TRACE("opened from the press note, ended by a click on another tab");
    Make(CTCS_AUTOHIDEBUTTONS | CTCS_EDITLABELS, { "Market", "Orders", "Trades" }, 1);
    m_recorder.m_onNote = [&](const sTabNote& note) {
        if (note.code == CTCN_LBUTTONDOWN && note.nItem == 1 && m_tabs->GetCurSel() == 1)
            m_tabs->EditLabel(1);
    };
    m_recorder.Post([&] {
        ::PostMessageA(m_tabs->GetRenameEdit()->m_hWnd, WM_CHAR, 'D', 1);
        const CPoint pt = Center(0);
        ::PostMessageA(m_tabs->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        ::PostMessageA(m_tabs->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    });
    Click(Center(1));
    AfxPumpPendingMessages();
    m_recorder.m_onNote = nullptr;
    EXPECT_EQ("-2:1 4:1 -2:0 0:0", Notes());
    EXPECT_EQ(Names({ "Market", "D", "Trades" }), Texts());
    EXPECT_EQ(0, m_tabs->GetCurSel());
}
}  // namespace
