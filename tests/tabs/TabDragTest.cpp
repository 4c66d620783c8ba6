// Dragging tabs: a press on the selected tab held for the drag delay becomes a drag (move, or copy
// with Ctrl), the drop target follows the pointer one tab at a time, and the release moves or
// copies the tab and tells the parent.
#include "TabFixture.h"

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
    void Make(DWORD dwStyle, int nTabs = 0)
    {
        TabTest::Make(dwStyle, { "A", "B", "C", "D", "E" }, -1, CRect(0, 0, 500, 20));
        if (nTabs)
        {
            m_tabs->DeleteAllItems();
            AddTabs(nTabs);
        }
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
    void WaitFor(std::function<bool()> done)
    {
        const DWORD dwStart = ::GetTickCount();
        while (!done() && ::GetTickCount() - dwStart < 3000)
        {
            AfxPumpPendingMessages();
            ::Sleep(5);
        }
    }
};

TEST_F(TabDragTest, DragMovesTheTabAndTheSelectionGoesWithIt)
{
    StartDrag(1);
    EXPECT_EQ(1, m_tabs->GetDragTarget());
    EXPECT_EQ(m_tabs->m_hCursorMove, ::GetCursor());
    for (int nTarget : { 2, 3, 3 })   // one tab a move
    {
        Move(Center(3), MK_LBUTTON);
        EXPECT_EQ(nTarget, m_tabs->GetDragTarget());
    }
    Release(Center(3));
    EXPECT_EQ(Names({ "A", "C", "D", "B", "E" }), Texts());
    EXPECT_EQ(3, m_tabs->GetCurSel());
    EXPECT_EQ("-2:1 2:769", Notes());   // source 1 in the low byte, target 3 in the next
    EXPECT_EQ(CTCHT_NOWHERE, m_tabs->GetDragTarget());
    EXPECT_EQ(nullptr, CWnd::GetCapture());
    // And back towards the start.
    m_recorder.m_notes.clear();
    StartDrag(3);
    DropOn(0);
    EXPECT_EQ(Names({ "B", "A", "C", "D", "E" }), Texts());
    EXPECT_EQ(0, m_tabs->GetCurSel());
    EXPECT_EQ("-2:3 2:3", Notes());
}

TEST_F(TabDragTest, CtrlDragCopiesTheTab)
{
    StartDrag(1, MK_CONTROL);
    EXPECT_EQ(m_tabs->m_hCursorCopy, ::GetCursor());
    DropOn(3, MK_CONTROL);
    // Dragged towards the end, the copy lands after the target.
    EXPECT_EQ(Names({ "A", "B", "C", "D", "B", "E" }), Texts());
    EXPECT_EQ("-2:1 3:4", Notes());
    EXPECT_EQ("B", m_recorder.m_notes[1].text);
    EXPECT_EQ(1, m_tabs->GetCurSel());
    DWORD_PTR original = 0, copy = 1;
    m_tabs->GetItemData(1, original);
    m_tabs->GetItemData(4, copy);
    EXPECT_EQ(original, copy);
    // Towards the start, before it; dropped on itself, right after it.
    m_recorder.m_notes.clear();
    StartDrag(1, MK_CONTROL);
    DropOn(0, MK_CONTROL);
    EXPECT_EQ(Names({ "B", "A", "B", "C", "D", "B", "E" }), Texts());
    EXPECT_EQ(2, m_tabs->GetCurSel());
    StartDrag(2, MK_CONTROL);
    Release(Center(2), MK_CONTROL);
    EXPECT_EQ(Names({ "B", "A", "B", "B", "C", "D", "B", "E" }), Texts());
    EXPECT_EQ("-2:1 3:0 -2:2 3:3", Notes());
}

TEST_F(TabDragTest, NoDragWithoutCursorsStyleOrSelectionAndMismatchedKeysDropNothing)
{
    StartDrag(3);   // a press on a tab that is not selected only selects it
    EXPECT_EQ(CTCHT_NOWHERE, m_tabs->GetDragTarget());
    Release(Center(3));
    EXPECT_EQ(3, m_tabs->GetCurSel());
    // A move drag released with Ctrl (and a copy drag without) drops nothing.
    StartDrag(3);
    DropOn(1, 0, MK_CONTROL);
    StartDrag(3, MK_CONTROL);
    DropOn(1, MK_CONTROL, 0);
    EXPECT_EQ(Names({ "A", "B", "C", "D", "E" }), Texts());
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
    for (const sTabNote& n : m_recorder.m_notes)
        EXPECT_TRUE(n.code == CTCN_LBUTTONDOWN || n.code == CTCN_CLICK) << n.code;
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

TEST_F(TabDragTest, DraggingPastTheEndScrollsTheStrip)
{
    Make(CTCS_AUTOHIDEBUTTONS | CTCS_DRAGMOVE, 40);
    m_tabs->SetCurSel(0);
    StartDrag(0);
    ASSERT_EQ(0, m_tabs->GetFirstVisibleItem());
    Move(CPoint(600, 10), MK_LBUTTON);
    Move(CPoint(610, 10), MK_LBUTTON);
    EXPECT_EQ(2, m_tabs->GetFirstVisibleItem());
    Move(CPoint(-20, 10), MK_LBUTTON);
    EXPECT_EQ(1, m_tabs->GetFirstVisibleItem());
    Release(CPoint(-20, 10));
}

TEST_F(TabDragTest, TheStripsOwnTimerStartsTheDrag)
{
    Press(Center(1));
    const DWORD dwStart = ::GetTickCount();
    WaitFor([&] { return m_tabs->GetDragTarget() != CTCHT_NOWHERE; });
    EXPECT_EQ(1, m_tabs->GetDragTarget());
    EXPECT_GE(::GetTickCount() - dwStart, 250u);
    // Resting beside the next tab, the 10-ms timer keeps moving the target on.
    ::PostMessageA(m_tabs->m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(Center(4).x, Center(4).y));
    WaitFor([&] { return m_tabs->GetDragTarget() == 4; });
    EXPECT_EQ(4, m_tabs->GetDragTarget());
    Release(Center(4));
    EXPECT_EQ(Names({ "A", "C", "D", "E", "B" }), Texts());
}
}  // namespace
