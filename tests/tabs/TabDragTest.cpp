// Dragging tabs: a press on the selected tab held for the drag delay becomes a drag (move, or copy
// with Ctrl); the release moves or copies the tab and tells the parent.
#include "TabFixture.h"

#include <functional>

namespace
{
class TabDragTest : public TabTest
{
protected:
    void SetUp() override
    {
        TabTest::SetUp();
        Make(CTCS_AUTOHIDEBUTTONS | CTCS_DRAGMOVE | CTCS_DRAGCOPY);
    }
    void Make(DWORD dwStyle)
    {
        TabTest::Make(dwStyle, { "A", "B", "C", "D", "E" }, -1, CRect(0, 0, 500, 20));
        m_tabs->SetDragCursors(::LoadCursorA(nullptr, (LPCSTR)IDC_SIZEWE), ::LoadCursorA(nullptr, (LPCSTR)IDC_CROSS));
        m_tabs->SetCurSel(1);
    }
    // Presses on the tab and lets the drag delay pass (the strip's own timer message).
    void StartDrag(int nItem, UINT nFlags = 0)
    {
        Press(Center(nItem), nFlags);
        m_tabs->SendMessage(WM_TIMER, CTC_TIMER_DRAG, 0);
    }
    // Moves the pointer to the tab, one mouse message at a time as a hand does, and lets go.
    void DropOn(int nItem, UINT nFlags = 0, UINT nReleaseFlags = ~0u)
    {
        for (int i = 0; i < 10; ++i)
            Move(Center(nItem), MK_LBUTTON | nFlags);
        Release(Center(nItem), nReleaseFlags == ~0u ? nFlags : nReleaseFlags);
    }
};

TEST_F(TabDragTest, ReleaseMovesOrWithCtrlCopiesTheTab)
{
    // nFlags: held from the press on; nRelease: held at the release; nSelected afterwards
    const struct { const char* name; int nFrom, nTo; UINT nFlags, nRelease; const char* texts; int nSelected; const char* notes; } cases[] = {
        { "move towards the end", 1, 3, 0, 0, "ACDBE", 3, "-2:1 2:769" },   // source in the low byte, target in the next
        { "move towards the start", 3, 0, 0, 0, "DABCE", 0, "-2:3 2:3" },
        { "copy towards the end: after the target", 1, 3, MK_CONTROL, MK_CONTROL, "ABCDBE", 1, "-2:1 3:4" },
        { "copy towards the start: before it", 1, 0, MK_CONTROL, MK_CONTROL, "BABCDE", 2, "-2:1 3:0" },
        { "copy onto itself: right after it", 2, 2, MK_CONTROL, MK_CONTROL, "ABCCDE", 2, "-2:2 3:3" },
        { "a move released with Ctrl drops nothing", 1, 3, 0, MK_CONTROL, "ABCDE", 1, "-2:1" },
        { "a copy released without Ctrl drops nothing", 1, 3, MK_CONTROL, 0, "ABCDE", 1, "-2:1" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        Make(CTCS_AUTOHIDEBUTTONS | CTCS_DRAGMOVE | CTCS_DRAGCOPY);
        m_tabs->SetItemData(c.nFrom, 4242);
        m_tabs->SetCurSel(c.nFrom);
        StartDrag(c.nFrom, c.nFlags);
        EXPECT_EQ(c.nFlags ? m_tabs->m_hCursorCopy : m_tabs->m_hCursorMove, ::GetCursor());
        DropOn(c.nTo, c.nFlags, c.nRelease);
        std::string texts;
        for (const std::string& t : Texts())
            texts += t;
        EXPECT_EQ(c.texts, texts);
        EXPECT_EQ(c.nSelected, m_tabs->GetCurSel());
        EXPECT_EQ(c.notes, Notes());
        EXPECT_EQ(nullptr, CWnd::GetCapture());   // the drag is over
        int nWithData = 0;   // a copy carries the data too
        for (int i = 0; i < m_tabs->GetItemCount(); ++i)
        {
            DWORD_PTR data = 0;
            nWithData += m_tabs->GetItemData(i, data) == 0 && data == 4242;
        }
        EXPECT_EQ(texts.size() == 6 ? 2 : 1, nWithData);
    }
}

TEST_F(TabDragTest, NoDragWithoutSelectionStyleOrCursors)
{
    StartDrag(3);   // a press on a tab that is not selected only selects it
    EXPECT_EQ(CTCHT_NOWHERE, m_tabs->GetDragTarget());
    Release(Center(3));
    EXPECT_EQ(3, m_tabs->GetCurSel());
    // Without the copy style Ctrl+press does not start a drag; without cursors nothing does.
    Make(CTCS_AUTOHIDEBUTTONS | CTCS_DRAGMOVE);
    StartDrag(1, MK_CONTROL);
    EXPECT_EQ(CTCHT_NOWHERE, m_tabs->GetDragTarget());
    Release(Center(1), MK_CONTROL);
    m_tabs->SetDragCursors(nullptr, nullptr);
    StartDrag(1);
    EXPECT_EQ(CTCHT_NOWHERE, m_tabs->GetDragTarget());
    DropOn(3);
    EXPECT_EQ(Names({ "A", "B", "C", "D", "E" }), Texts());
    EXPECT_EQ("-2:1 -2:1", Notes());   // the presses only
}

TEST_F(TabDragTest, TabsChangedWhileDraggedLeaveTheDragOnItsTab)
{
    // The host moves or copies tabs while B is dragged: the drop still moves B.
    const struct { const char* name; std::function<void()> change; int nDropOn; const char* texts; } cases[] = {
        { "A moved to the end", [this] { m_tabs->MoveItem(0, 4); }, 3, "CDEBA" },
        { "A copied before it", [this] { m_tabs->CopyItem(0, 0); }, 4, "AACDBE" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        Make(CTCS_AUTOHIDEBUTTONS | CTCS_DRAGMOVE | CTCS_DRAGCOPY);
        StartDrag(1);
        for (int i = 0; i < 10; ++i)
            Move(Center(3), MK_LBUTTON);
        c.change();
        DropOn(c.nDropOn);
        std::string texts;
        for (const std::string& t : Texts())
            texts += t;
        EXPECT_EQ(c.texts, texts);
    }
}

TEST_F(TabDragTest, TabDeletedWhileDraggedEndsTheDrag)
{
    StartDrag(1);
    for (int i = 0; i < 10; ++i)
        Move(Center(3), MK_LBUTTON);
    EXPECT_EQ(3, m_tabs->GetDragTarget());
    m_tabs->DeleteItem(0);   // another tab: the drag stays on its tabs
    EXPECT_EQ(2, m_tabs->GetDragTarget());
    m_tabs->DeleteItem(0);   // the dragged tab: the drag ends
    EXPECT_EQ(CTCHT_NOWHERE, m_tabs->GetDragTarget());
    Release(Center(1));
    EXPECT_EQ(Names({ "C", "D", "E" }), Texts());
    EXPECT_EQ("-2:1", Notes());
    // The parent deleting every tab while a drop is reported.
    StartDrag(0);
    m_recorder.m_onNote = [&](const sTabNote& n) {
        if (n.code == CTCN_ITEMMOVE)
            m_tabs->DeleteAllItems();
    };
    DropOn(2);
    EXPECT_EQ(0, m_tabs->GetItemCount());
}
}  // namespace
