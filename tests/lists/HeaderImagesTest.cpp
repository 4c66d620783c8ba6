// The library-wide header images: taken from the host's bitmaps when it has them, drawn by the
// library when it has not.
#include "TestHost.h"

#include "lists/CommonListCtrl.h"

#include <vector>

namespace
{
// Dark pixels per row of one image drawn over white.
std::vector<int> DarkPixelsPerRow(CImageList* pImages, int nImage)
{
    std::vector<int> rows(5, 0);
    HDC hdcScreen = ::GetDC(nullptr);
    HDC hdc = ::CreateCompatibleDC(hdcScreen);
    HBITMAP hbm = ::CreateCompatibleBitmap(hdcScreen, 9, 5);
    ::ReleaseDC(nullptr, hdcScreen);
    HGDIOBJ old = ::SelectObject(hdc, hbm);
    RECT rc = { 0, 0, 9, 5 };
    ::FillRect(hdc, &rc, (HBRUSH)::GetStockObject(WHITE_BRUSH));
    ImageList_Draw(pImages->GetSafeHandle(), nImage, hdc, 0, 0, ILD_NORMAL);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 9; ++x)
            if ((::GetPixel(hdc, x, y) & 0xFFFFFF) != 0xFFFFFF)
                ++rows[(size_t)y];
    ::SelectObject(hdc, old);
    ::DeleteObject(hbm);
    ::DeleteDC(hdc);
    return rows;
}

void ExpectUpDownBlank(CImageList* pImages)
{
    ASSERT_NE(nullptr, pImages);
    ASSERT_EQ(3, pImages->GetImageCount());
    std::vector<int> up = DarkPixelsPerRow(pImages, 0);
    std::vector<int> down = DarkPixelsPerRow(pImages, 1);
    std::vector<int> blank = DarkPixelsPerRow(pImages, 2);
    EXPECT_LT(up[0], up[4]);       // ascending: narrow at the top
    EXPECT_GT(down[0], down[4]);   // descending: narrow at the bottom
    EXPECT_EQ(std::vector<int>(5, 0), blank);
}
}  // namespace

class HeaderImagesTest : public HostTest
{
protected:
    void TearDown() override
    {
        AfxSetResourceHandle(nullptr);
        CCommonListCtrl::DestroyHeaderImageList();
        HostTest::TearDown();
    }
};

TEST_F(HeaderImagesTest, HostBitmapsGiveAnUpADownAndABlankImage)
{
    CCommonListCtrl::DestroyHeaderImageList();
    CImageList* pImages = CCommonListCtrl::GetHeaderImageList();
    ExpectUpDownBlank(pImages);
    int cx = 0, cy = 0;
    pImages->GetIconSize(&cx, &cy);
    EXPECT_EQ(9, cx);
    EXPECT_EQ(5, cy);

    // Drawn on red: the host's black pixels come out in the grey-text colour, its white ones are
    // masked.
    HDC hdcScreen = ::GetDC(nullptr);
    HDC hdc = ::CreateCompatibleDC(hdcScreen);
    HBITMAP hbm = ::CreateCompatibleBitmap(hdcScreen, 9, 5);
    ::ReleaseDC(nullptr, hdcScreen);
    HGDIOBJ old = ::SelectObject(hdc, hbm);
    const COLORREF grey = ::GetSysColor(COLOR_GRAYTEXT), red = RGB(255, 0, 0);
    HBRUSH hRed = ::CreateSolidBrush(red);
    RECT rc = { 0, 0, 9, 5 };
    ::FillRect(hdc, &rc, hRed);
    ImageList_Draw(pImages->GetSafeHandle(), 0, hdc, 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(grey, ::GetPixel(hdc, 4, 2));
    EXPECT_EQ(red, ::GetPixel(hdc, 0, 0));
    ::SelectObject(hdc, old);
    ::DeleteObject(hRed);
    ::DeleteObject(hbm);
    ::DeleteDC(hdc);

}

TEST_F(HeaderImagesTest, WithoutHostBitmapsTheLibraryDrawsItsOwnArrows)
{
    // A resource module with no bitmaps first in the chain, and Controls.dll has none either.
    ASSERT_EQ(nullptr, ::FindResourceA(::GetModuleHandleA("Afx.dll"), MAKEINTRESOURCE(32898), (LPCSTR)RT_BITMAP));
    AfxSetResourceHandle(::GetModuleHandleA("Afx.dll"));
    ASSERT_EQ(nullptr, AfxFindResourceHandle(MAKEINTRESOURCE(32898), RT_BITMAP));
    CCommonListCtrl::DestroyHeaderImageList();
    ExpectUpDownBlank(CCommonListCtrl::GetHeaderImageList());
}
