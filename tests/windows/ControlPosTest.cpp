// CControlPos on a real borderless parent (client size = window size) with real child controls,
// resized the way an owner's size handler would.
#include <gtest/gtest.h>

#include "windows/ControlPos.h"
#include "TestHost.h"

namespace {

class ControlPosTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr));
        m_button = MakeChild(101, CRect(100, 10, 150, 30));
    }
    void TearDown() override
    {
        m_parent.DestroyWindow();
        HostTest::TearDown();
    }
    HWND MakeChild(int nID, const CRect& rc)
    {
        return ::CreateWindowExA(0, "BUTTON", "b", WS_CHILD | WS_VISIBLE, rc.left, rc.top, rc.Width(), rc.Height(),
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
    HWND m_button = nullptr;
};

TEST_F(ControlPosTest, WithoutNegativeMovesNeverGoesBelowTheReferenceLayout)
{
    CControlPos pos;
    pos.SetParent(&m_parent);
    ASSERT_TRUE(pos.AddControl(CWnd::FromHandle(m_button), CP_MOVE_HORIZONTAL));
    EXPECT_FALSE(pos.GetNegativeMoves());

    Resize(pos, 500, 300);
    EXPECT_EQ(CRect(200, 10, 250, 30), ChildRect(101));
    Resize(pos, 450, 300);
    EXPECT_EQ(CRect(150, 10, 200, 30), ChildRect(101));
    Resize(pos, 300, 300);
    EXPECT_EQ(CRect(100, 10, 150, 30), ChildRect(101));
    Resize(pos, 250, 300);
    EXPECT_EQ(CRect(100, 10, 150, 30), ChildRect(101));
    // Growing again from below the reference counts from the reference size.
    Resize(pos, 420, 300);
    EXPECT_EQ(CRect(120, 10, 170, 30), ChildRect(101));
}

TEST_F(ControlPosTest, NegativeMovesFollowEveryChange)
{
    CControlPos pos(&m_parent);
    pos.SetParent(&m_parent);
    pos.SetNegativeMoves(TRUE);
    EXPECT_TRUE(pos.GetNegativeMoves());
    ASSERT_TRUE(pos.AddControl(101u, CP_MOVE_HORIZONTAL));

    Resize(pos, 300, 300);
    EXPECT_EQ(CRect(0, 10, 50, 30), ChildRect(101));
    Resize(pos, 500, 300);
    EXPECT_EQ(CRect(200, 10, 250, 30), ChildRect(101));
    Resize(pos, 450, 300);
    EXPECT_EQ(CRect(150, 10, 200, 30), ChildRect(101));
}

TEST_F(ControlPosTest, ResizeAndVerticalFlags)
{
    MakeChild(102, CRect(10, 40, 110, 240));   // a list: stretches both ways
    MakeChild(103, CRect(10, 250, 60, 270));   // a button: stays at the bottom
    CControlPos pos;
    pos.SetParent(&m_parent);
    ASSERT_TRUE(pos.AddControl(102u, CP_RESIZE_HORIZONTAL | CP_RESIZE_VERTICAL));
    ASSERT_TRUE(pos.AddControl(103u, CP_MOVE_VERTICAL));
    ASSERT_TRUE(pos.AddControl(101u, CP_MOVE_HORIZONTAL | CP_RESIZE_VERTICAL));

    Resize(pos, 460, 340);
    EXPECT_EQ(CRect(10, 40, 170, 280), ChildRect(102));
    EXPECT_EQ(CRect(10, 290, 60, 310), ChildRect(103));
    EXPECT_EQ(CRect(160, 10, 210, 70), ChildRect(101));
    Resize(pos, 400, 300);
    EXPECT_EQ(CRect(10, 40, 110, 240), ChildRect(102));
    EXPECT_EQ(CRect(10, 250, 60, 270), ChildRect(103));
}

TEST_F(ControlPosTest, NegativeVerticalResizeKeepsTheReferenceMargin)
{
    MakeChild(102, CRect(10, 40, 110, 240));
    CControlPos pos;
    pos.SetParent(&m_parent);
    pos.SetNegativeMoves(TRUE);
    ASSERT_TRUE(pos.AddControl(102u, CP_RESIZE_VERTICAL));
    // Height at reference 200 of 300: 100 pixels of the parent's height are not the control's.
    Resize(pos, 400, 250);
    EXPECT_EQ(CRect(10, 40, 110, 190), ChildRect(102));
    Resize(pos, 400, 360);
    EXPECT_EQ(CRect(10, 40, 110, 300), ChildRect(102));
}

TEST_F(ControlPosTest, RecreatedControlIsFoundByItsId)
{
    CControlPos pos;
    pos.UpdateParentOriginalSize(CSize(400, 300));
    pos.SetNegativeMoves(TRUE);
    EXPECT_FALSE(pos.AddControl(101u, CP_MOVE_HORIZONTAL));   // no parent yet
    pos.SetParent(&m_parent);
    ASSERT_TRUE(pos.AddControl(101u, CP_MOVE_HORIZONTAL));
    ::DestroyWindow(m_button);
    MakeChild(101, CRect(20, 10, 70, 30));
    Resize(pos, 430, 300);
    EXPECT_EQ(CRect(50, 10, 100, 30), ChildRect(101));
}

TEST_F(ControlPosTest, RemovedControlsStayPut)
{
    MakeChild(102, CRect(10, 40, 110, 240));
    CControlPos pos;
    pos.SetParent(&m_parent);
    EXPECT_FALSE(pos.AddControl(999u, CP_MOVE_HORIZONTAL));
    EXPECT_FALSE(pos.AddControl(static_cast<CWnd*>(nullptr), CP_MOVE_HORIZONTAL));
    ASSERT_TRUE(pos.AddControl(CWnd::FromHandle(m_button), CP_MOVE_HORIZONTAL));
    ASSERT_TRUE(pos.AddControl(102u, CP_MOVE_HORIZONTAL));
    EXPECT_TRUE(pos.RemoveControl(CWnd::FromHandle(m_button)));
    EXPECT_FALSE(pos.RemoveControl(CWnd::FromHandle(m_button)));
    EXPECT_TRUE(pos.RemoveControl(102u));
    EXPECT_FALSE(pos.RemoveControl(102u));
    Resize(pos, 500, 300);
    EXPECT_EQ(CRect(100, 10, 150, 30), ChildRect(101));
    EXPECT_EQ(CRect(10, 40, 110, 240), ChildRect(102));

    pos.AddControl(101u, CP_MOVE_HORIZONTAL);
    pos.ResetControls();
    Resize(pos, 600, 300);
    EXPECT_EQ(CRect(100, 10, 150, 30), ChildRect(101));
}

}  // namespace
