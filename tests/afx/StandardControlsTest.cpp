// Standard control wrappers on real controls: owner-drawn buttons painted through the reflected
// WM_DRAWITEM, wrappers without a window, and the check list box.
#include "TestHost.h"
#include "TestSupport.h"
#include "WindowPicture.h"

#include <afxcmn.h>

namespace
{
class CRedButton : public CButton
{
public:
    int m_nDraws = 0;
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override
    {
        ++m_nDraws;
        ::FillRect(lpDIS->hDC, &lpDIS->rcItem, m_brush);
    }
    CBrush m_brush{ RGB(255, 0, 0) };
};
}  // namespace

class StandardControlsTest : public HostTest
{
};

TEST_F(StandardControlsTest, OwnerDrawnButtonPaintsThroughItsOwnDrawItem)
{
    CRedButton button;
    ASSERT_TRUE(button.Create("Buy", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 90, 40), &m_frame, 300));
    HBITMAP hbm = WindowPicture::Render(button.m_hWnd);
    ASSERT_NE(nullptr, hbm);
    EXPECT_GT(button.m_nDraws, 0);
    EXPECT_EQ(RGB(255, 0, 0), WindowPicture::PixelAt(hbm, 40, 15));
    ::DeleteObject(hbm);
}

// A wrapper without a window, or with a destroyed one, asserts in debug builds instead of
// answering 0 ("inserted at row 0", "no items").
TEST_F(StandardControlsTest, WrappersWithoutAWindowAssertInDebugBuilds)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    CListCtrl list;
    EXPECT_DEBUG_DEATH(list.InsertItem(0, "row"), "IsWindow");
    CListBox box;
    ASSERT_TRUE(box.Create(WS_CHILD | LBS_NOTIFY, CRect(0, 0, 100, 80), &m_frame, 77));
    HWND hBox = box.m_hWnd;
    box.DestroyWindow();
    box.m_hWnd = hBox;   // a stale handle, as a wrapper kept past its window's end would hold
    EXPECT_DEBUG_DEATH(box.GetCount(), "IsWindow");
    box.m_hWnd = nullptr;
}

TEST_F(StandardControlsTest, CheckListBoxChecksFollowTheirItemsAndClicksTellTheParent)
{
    CMessageRecorder parent;
    ASSERT_TRUE(parent.CreateRecorder(&m_frame, CRect(0, 0, 300, 300), 0));
    CCheckListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_SORT | LBS_NOTIFY, CRect(5, 5, 200, 200), &parent, 400));
    for (const char* psz : { "MM", "CC" })
        list.AddString(psz);
    EXPECT_TRUE(list.SetCheck(1, 1));   // MM (sorted after CC)
    list.AddString("AA");               // lands first: MM's check moves to 2
    auto checks = [&]() {
        std::string s;
        for (int i = 0; i < list.GetCount(); ++i)
        {
            CString text;
            list.GetText(i, text);
            s += std::string((LPCTSTR)text) + (list.GetCheck(i) == 1 ? "* " : " ");
        }
        return s;
    };
    EXPECT_EQ("AA CC MM* ", checks());
    list.InsertString(0, "ZZ");
    list.DeleteString(1);
    EXPECT_EQ("ZZ CC MM* ", checks());
    EXPECT_TRUE(list.GetCheck(3) == -1 && list.GetCheck(-1) == -1 && !list.SetCheck(3, 1));
    EXPECT_EQ(0u, parent.Count(WM_COMMAND, CLBN_CHKCHANGE));   // SetCheck tells nobody

    // A click on the box toggles and notifies (the trend dialog's tests click boxes and texts).
    CPoint box = list.CheckBoxRect(1).CenterPoint();
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box.x, box.y));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(box.x, box.y));
    EXPECT_EQ("ZZ CC* MM* ", checks());
    ASSERT_EQ(1u, parent.Count(WM_COMMAND, CLBN_CHKCHANGE));
    EXPECT_EQ((WPARAM)MAKEWPARAM(400, CLBN_CHKCHANGE), parent.Of(WM_COMMAND, CLBN_CHKCHANGE)[0].wParam);
    list.SetCurSel(2);
    // Space toggles the caret entry.
    list.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    list.SendMessage(WM_CHAR, ' ', 0);
    EXPECT_EQ("ZZ CC* MM ", checks());
    EXPECT_EQ(2u, parent.Count(WM_COMMAND, CLBN_CHKCHANGE));
    list.ResetContent();
    list.AddString("NEW");
    EXPECT_EQ(0, list.GetCheck(0));   // no check left over from the old first entry
    list.DestroyWindow();
    parent.DestroyWindow();
}
