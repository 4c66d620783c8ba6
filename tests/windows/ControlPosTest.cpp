// CControlPos on a real borderless parent (client size = window size) with real child controls,
// resized the way an owner's size handler would.
#include <gtest/gtest.h>

#include "windows/ControlPos.h"
#include "TestHost.h"

#include <vector>

namespace {

class ControlPosTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr));
        MakeChild(101, CRect(100, 10, 150, 30));   // a button at the top
        MakeChild(102, CRect(10, 40, 110, 240));   // a list
        MakeChild(103, CRect(10, 250, 60, 270));   // a button at the bottom
    }
    void TearDown() override
    {
        m_parent.DestroyWindow();
        HostTest::TearDown();
    }
    void MakeChild(int nID, const CRect& rc)
    {
        ::CreateWindowExA(0, "BUTTON", "b", WS_CHILD | WS_VISIBLE, rc.left, rc.top, rc.Width(), rc.Height(),
                          m_parent.m_hWnd, (HMENU)(INT_PTR)nID, nullptr, nullptr);
    }
    // Resizes the parent and lets the positioner react, as a WM_SIZE handler would.
    void Resize(CControlPos& pos, int cx, int cy)
    {
        m_parent.MoveWindow(0, 0, cx, cy);
        pos.MoveControls();
    }
    CRect ChildRect(int nID)
    {
        CRect rc;
        ::GetWindowRect(::GetDlgItem(m_parent.m_hWnd, nID), &rc);
        m_parent.ScreenToClient(&rc);
        return rc;
    }
    CWnd m_parent;
};

TEST_F(ControlPosTest, ControlsFollowTheParentsSizeFromTheReferenceLayout)
{
    struct Step { CSize size; CRect rc101, rc102, rc103; };
    struct Case { const char* name; BOOL bNegative; DWORD dw101, dw102; std::vector<Step> steps; } cases[] = {
        { "without negative moves never below the reference layout", FALSE, CP_MOVE_HORIZONTAL, 0,
          { { { 500, 300 }, { 200, 10, 250, 30 }, {}, {} }, { { 450, 300 }, { 150, 10, 200, 30 }, {}, {} },
            { { 250, 300 }, { 100, 10, 150, 30 }, {}, {} },
            // Growing again from below the reference counts from the reference size.
            { { 420, 300 }, { 120, 10, 170, 30 }, {}, {} } } },
        { "negative moves follow every change", TRUE, CP_MOVE_HORIZONTAL, 0,
          { { { 300, 300 }, { 0, 10, 50, 30 }, {}, {} }, { { 500, 300 }, { 200, 10, 250, 30 }, {}, {} },
            { { 450, 300 }, { 150, 10, 200, 30 }, {}, {} } } },
        { "resize both ways and move down", FALSE, CP_MOVE_HORIZONTAL | CP_RESIZE_VERTICAL,
          CP_RESIZE_HORIZONTAL | CP_RESIZE_VERTICAL,
          { { { 460, 340 }, { 160, 10, 210, 70 }, { 10, 40, 170, 280 }, { 10, 290, 60, 310 } },
            { { 400, 300 }, { 100, 10, 150, 30 }, { 10, 40, 110, 240 }, { 10, 250, 60, 270 } } } },
        // Height at reference 200 of 300: 100 pixels of the parent's height are not the control's.
        { "negative vertical resize keeps the reference margin", TRUE, 0, CP_RESIZE_VERTICAL,
          { { { 400, 250 }, { 100, 10, 150, 30 }, { 10, 40, 110, 190 }, {} },
            { { 400, 360 }, { 100, 10, 150, 30 }, { 10, 40, 110, 300 }, {} } } },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        m_parent.MoveWindow(0, 0, 400, 300);
        ::MoveWindow(::GetDlgItem(m_parent.m_hWnd, 101), 100, 10, 50, 20, TRUE);
        ::MoveWindow(::GetDlgItem(m_parent.m_hWnd, 102), 10, 40, 100, 200, TRUE);
        ::MoveWindow(::GetDlgItem(m_parent.m_hWnd, 103), 10, 250, 50, 20, TRUE);
        CControlPos pos;
        pos.SetParent(&m_parent);
        pos.SetNegativeMoves(c.bNegative);
        ASSERT_TRUE(!c.dw101 || pos.AddControl(101u, c.dw101));
        ASSERT_TRUE(!c.dw102 || pos.AddControl(CWnd::FromHandle(::GetDlgItem(m_parent.m_hWnd, 102)), c.dw102));
        ASSERT_TRUE(!(c.dw101 & CP_RESIZE_VERTICAL) || pos.AddControl(103u, CP_MOVE_VERTICAL));
        for (const Step& step : c.steps)
        {
            Resize(pos, step.size.cx, step.size.cy);
            SCOPED_TRACE(step.size.cx * 1000 + step.size.cy);
            const CRect rects[] = { step.rc101, step.rc102, step.rc103 };
            for (int i = 0; i < 3; ++i)
                EXPECT_TRUE(rects[i].IsRectNull() || rects[i] == ChildRect(101 + i)) << 101 + i;
        }
    }
}

}  // namespace
