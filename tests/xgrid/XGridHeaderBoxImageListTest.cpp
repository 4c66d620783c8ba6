// The header check box of the extended grid once the host gives the grid its own small images (or
// takes them away): drawn where the header draws it, in the grid's look, and a click on it still
// sets the whole column.
#include "TestHost.h"
#include "WindowPicture.h"
#include "xgrid/XListCtrl.h"

using XGridHeaderBoxImageListTest = HostTest;

TEST_F(XGridHeaderBoxImageListTest, TheBoxStaysTheGridsWhateverSmallImagesTheHostSets)
{
    CImageList hostImages;   // three 16 x 16 icons: the header's indexes 1 and 2 exist in it too
    ASSERT_TRUE(hostImages.Create(16, 16, ILC_COLOR24, 3, 0));
    for (int i = 0; i < 3; ++i)
        hostImages.Add(::LoadIcon(nullptr, IDI_ERROR));
    for (CImageList* pImages : { &hostImages, (CImageList*)nullptr })
    {
        SCOPED_TRACE(pImages != nullptr ? "host images" : "images removed");
        CXListCtrl list;
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 200), &m_frame, 700));
        list.InsertColumn(0, "Symbol", LVCFMT_LEFT, 100);
        list.InsertColumn(1, "Alert", LVCFMT_LEFT, 60);
        for (int r = 0; r < 3; ++r)
            list.SetCheckbox(list.InsertItem(r, "INFY"), 1, 1);
        list.SetHeaderCheckedState(1, XHEADER_CHECK_CHECKED);
        list.SetImageList(pImages, LVSIL_SMALL);
        CRect rc;
        list.GetHeaderCtrl()->GetItemRect(1, &rc);
        const CPoint mark(rc.left + list.m_HeaderCtrl.GetSpacing() + XLIST_CHECKBOX_SIZE / 2, rc.CenterPoint().y);
        HBITMAP hPicture = WindowPicture::Render(list.m_HeaderCtrl.m_hWnd);
        EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), WindowPicture::PixelAt(hPicture, mark.x, mark.y));   // the tick
        ::DeleteObject(hPicture);
        ::PostMessageA(list.m_HeaderCtrl.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(mark.x, mark.y));
        ::SendMessageA(list.m_HeaderCtrl.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(mark.x, mark.y));
        AfxPumpPendingMessages();
        EXPECT_EQ(0, list.CountCheckedItems(1));
        EXPECT_EQ(XHEADER_CHECK_UNCHECKED, list.GetHeaderCheckedState(1));
        list.DestroyWindow();
    }
}
