// The library-wide header images: taken from the host's bitmaps when it has them, drawn by the
// library when it has not.
#include "TestHost.h"

#include "lists/CommonListCtrl.h"

#include <vector>

namespace
{
// Draws one image over the background; the colours of its pixels, row by row.
std::vector<COLORREF> Draw(CImageList* pImages, int nImage, COLORREF back, UINT nStyle)
{
    HDC hdcScreen = ::GetDC(nullptr);
    HDC hdc = ::CreateCompatibleDC(hdcScreen);
    HBITMAP hbm = ::CreateCompatibleBitmap(hdcScreen, 9, 5);
    ::ReleaseDC(nullptr, hdcScreen);
    HGDIOBJ old = ::SelectObject(hdc, hbm);
    HBRUSH hBrush = ::CreateSolidBrush(back);
    RECT rc = { 0, 0, 9, 5 };
    ::FillRect(hdc, &rc, hBrush);
    ImageList_Draw(pImages->GetSafeHandle(), nImage, hdc, 0, 0, nStyle);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 9; ++x)
            pixels.push_back(::GetPixel(hdc, x, y) & 0xFFFFFF);
    ::SelectObject(hdc, old);
    ::DeleteObject(hBrush);
    ::DeleteObject(hbm);
    ::DeleteDC(hdc);
    return pixels;
}

// Non-white pixels per row of one image drawn over white.
std::vector<int> DarkPixelsPerRow(CImageList* pImages, int nImage)
{
    std::vector<COLORREF> pixels = Draw(pImages, nImage, RGB(255, 255, 255), ILD_NORMAL);
    std::vector<int> rows(5, 0);
    for (size_t i = 0; i < pixels.size(); ++i)
        rows[i / 9] += pixels[i] != 0xFFFFFF;
    return rows;
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

TEST_F(HeaderImagesTest, AnUpADownAndABlankImageWithOrWithoutHostBitmaps)
{
    for (bool bHostBitmaps : { true, false })
    {
        SCOPED_TRACE(bHostBitmaps ? "host bitmaps" : "drawn by the library");
        if (!bHostBitmaps)
        {
            // A resource module with no bitmaps first in the chain, and Controls.dll has none either.
            ASSERT_EQ(nullptr, ::FindResourceA(::GetModuleHandleA("Afx.dll"), MAKEINTRESOURCE(32898), (LPCSTR)RT_BITMAP));
            AfxSetResourceHandle(::GetModuleHandleA("Afx.dll"));
            ASSERT_EQ(nullptr, AfxFindResourceHandle(MAKEINTRESOURCE(32898), RT_BITMAP));
        }
        CCommonListCtrl::DestroyHeaderImageList();
        CImageList* pImages = CCommonListCtrl::GetHeaderImageList();
        ASSERT_NE(nullptr, pImages);
        ASSERT_EQ(3, pImages->GetImageCount());
        int cx = 0, cy = 0;
        pImages->GetIconSize(&cx, &cy);
        EXPECT_EQ(9, cx);
        EXPECT_EQ(5, cy);
        std::vector<int> up = DarkPixelsPerRow(pImages, 0), down = DarkPixelsPerRow(pImages, 1);
        EXPECT_LT(up[0], up[4]);       // ascending: narrow at the top
        EXPECT_GT(down[0], down[4]);   // descending: narrow at the bottom
        EXPECT_EQ(std::vector<int>(5, 0), DarkPixelsPerRow(pImages, 2));
        if (bHostBitmaps)
        {
            // Drawn on red: the host's black pixels come out in the grey-text colour, its white
            // ones are masked.
            std::vector<COLORREF> pixels = Draw(pImages, 0, RGB(255, 0, 0), ILD_TRANSPARENT);
            EXPECT_EQ(::GetSysColor(COLOR_GRAYTEXT), pixels[2 * 9 + 4]);
            EXPECT_EQ(RGB(255, 0, 0), pixels[0]);
        }
    }
}
