// The library-wide header images (ascending, descending, blank): taken from the host's bitmaps
// when it has them, drawn by the library when it has not.
#include "TestHost.h"

#include "lists/CommonListCtrl.h"

#include <vector>

namespace
{
// Non-white pixels per row of one 9 x 5 image drawn over white.
std::vector<int> DarkPixelsPerRow(CImageList* pImages, int nImage)
{
    HDC hdcScreen = ::GetDC(nullptr);
    HDC hdc = ::CreateCompatibleDC(hdcScreen);
    HBITMAP hbm = ::CreateCompatibleBitmap(hdcScreen, 9, 5);
    ::ReleaseDC(nullptr, hdcScreen);
    HGDIOBJ old = ::SelectObject(hdc, hbm);
    RECT rc = { 0, 0, 9, 5 };
    ::FillRect(hdc, &rc, (HBRUSH)::GetStockObject(WHITE_BRUSH));
    ImageList_Draw(pImages->GetSafeHandle(), nImage, hdc, 0, 0, ILD_NORMAL);
    std::vector<int> rows(5, 0);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 9; ++x)
            rows[y] += (::GetPixel(hdc, x, y) & 0xFFFFFF) != 0xFFFFFF;
    ::SelectObject(hdc, old);
    ::DeleteObject(hbm);
    ::DeleteDC(hdc);
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

TEST_F(HeaderImagesTest, AnUpADownAndABlankArrowWithOrWithoutHostBitmaps)
{
    for (bool bHostBitmaps : { true, false })
    {
        SCOPED_TRACE(bHostBitmaps ? "host bitmaps" : "drawn by the library");
        if (!bHostBitmaps)
        {
            // A resource module with no bitmaps first in the chain, and Controls.dll has none either.
            AfxSetResourceHandle(::GetModuleHandleA("Afx.dll"));
            ASSERT_EQ(nullptr, AfxFindResourceHandle(MAKEINTRESOURCE(32898), RT_BITMAP));
        }
        CCommonListCtrl::DestroyHeaderImageList();
        CImageList* pImages = CCommonListCtrl::GetHeaderImageList();
        ASSERT_NE(nullptr, pImages);
        ASSERT_EQ(3, pImages->GetImageCount());
        std::vector<int> up = DarkPixelsPerRow(pImages, 0), down = DarkPixelsPerRow(pImages, 1);
        EXPECT_LT(up[0], up[4]);       // ascending: narrow at the top
        EXPECT_GT(down[0], down[4]);   // descending: narrow at the bottom
        EXPECT_EQ(std::vector<int>(5, 0), DarkPixelsPerRow(pImages, 2));
    }
}
