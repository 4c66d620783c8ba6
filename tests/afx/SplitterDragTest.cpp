// A static splitter driven as a user does: the bars are dragged with the real mouse (SendInput) and
// the cursor over a bar is the sizing cursor. Views painting through WM_PAINT are the brick bar's.
#include <afxwin.h>
#include <afxext.h>
#include <gtest/gtest.h>

#include "TestHost.h"
#include "TestSupport.h"

namespace
{
class CPaneView : public CView
{
    DECLARE_DYNCREATE(CPaneView)
public:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CPaneView, CView)

const auto SendMouse = TestInput::Mouse;

class SplitterDragTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        m_frame.SetForegroundWindow();
        ASSERT_TRUE(m_splitter.CreateStatic(&m_frame, 1, 3));
        for (int col = 0; col < 3; ++col)
            ASSERT_TRUE(m_splitter.CreateView(0, col, RUNTIME_CLASS(CPaneView), CSize(100, 100), nullptr));
        m_splitter.SetColumnInfo(0, 100, 10);
        m_splitter.SetColumnInfo(1, 150, 10);
        m_splitter.MoveWindow(0, 0, 500, 100);
        AfxPumpPendingMessages();
    }
    void TearDown() override
    {
        SendMouse(MOUSEEVENTF_LEFTUP, CPoint(600, 600));
        HostTest::TearDown();
    }
    int PaneWidth(int col)
    {
        CRect rc;
        m_splitter.GetPane(0, col)->GetWindowRect(&rc);
        return rc.Width();
    }
    CPoint BarCentre(int nBar)
    {
        CPoint pt = m_splitter.GetBarRect(nBar).CenterPoint();
        m_splitter.ClientToScreen(&pt);
        return pt;
    }
    CSplitterWnd m_splitter;
};

TEST_F(SplitterDragTest, DraggingABarResizesTheColumnBeforeItAndTheLastTakesTheRest)
{
    struct Case { const char* name; int nBar; int dx; int cx0; int cx1; };
    const Case cases[] = {
        { "bar 0 right by 40", 0, 40, 140, 150 },
        { "bar 1 left by 50", 1, -50, 140, 100 },
        { "bar 0 below the minimum hides column 0", 0, -135, 0, 100 },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const CPoint pt = BarCentre(c.nBar);
        SendMouse(0, pt);
        EXPECT_EQ(::LoadCursorA(nullptr, (LPCSTR)IDC_SIZEWE), ::GetCursor());
        SendMouse(MOUSEEVENTF_LEFTDOWN, pt);
        SendMouse(0, CPoint(pt.x + c.dx / 2, pt.y));
        SendMouse(0, CPoint(pt.x + c.dx, pt.y + 30));   // off the bar vertically: still dragging
        SendMouse(MOUSEEVENTF_LEFTUP, CPoint(pt.x + c.dx, pt.y + 30));
        EXPECT_EQ(c.cx0, PaneWidth(0));
        EXPECT_EQ(c.cx1, PaneWidth(1));
        // Border 2 on each side, two gaps of 7.
        EXPECT_EQ(500 - 4 - 14 - c.cx0 - c.cx1, PaneWidth(2));
        int cxCur = 0, cxMin = 0;
        m_splitter.GetColumnInfo(1, cxCur, cxMin);
        EXPECT_EQ(c.cx1, cxCur);
        EXPECT_EQ(10, cxMin);
    }
    // A press away from the bars changes nothing.
    CPoint ptPane(20, 50);
    m_splitter.GetPane(0, 1)->ClientToScreen(&ptPane);
    SendMouse(MOUSEEVENTF_LEFTDOWN, ptPane);
    SendMouse(MOUSEEVENTF_LEFTUP, CPoint(ptPane.x + 60, ptPane.y));
    EXPECT_EQ(100, PaneWidth(1));
}

}  // namespace
