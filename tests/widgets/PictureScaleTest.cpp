// The picture control keeps the image scaled to its client size between paints: a new size or a
// new image must show at the next paint, never the copy scaled for the old one.
#include "WidgetTest.h"

#include <widgets/PictureCtrl.h>

namespace
{
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

// A 32 x 16 bottom-up 24-bit BMP: the left half crLeft, the right half crRight.
std::vector<BYTE> HalvesBmp(COLORREF crLeft, COLORREF crRight)
{
    const int cx = 32, cy = 16, nRow = cx * 3;
    std::vector<BYTE> bmp(54 + (size_t)nRow * cy);
    auto put32 = [&](size_t at, DWORD v) { for (int i = 0; i < 4; i++) bmp[at + i] = (BYTE)(v >> (8 * i)); };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, (DWORD)bmp.size());
    put32(10, 54);
    put32(14, 40);
    put32(18, cx);
    put32(22, cy);
    bmp[26] = 1;
    bmp[28] = 24;
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
        {
            COLORREF cr = x < cx / 2 ? crLeft : crRight;
            BYTE* p = &bmp[54 + (size_t)y * nRow + (size_t)x * 3];
            p[0] = GetBValue(cr);
            p[1] = GetGValue(cr);
            p[2] = GetRValue(cr);
        }
    return bmp;
}
}  // namespace

class PictureScaleTest : public WidgetTest
{
protected:
    void TearDown() override
    {
        if (m_picture.GetSafeHwnd() != nullptr)
            m_picture.DestroyWindow();
        WidgetTest::TearDown();
    }
    CPictureCtrl m_picture;
};

TEST_F(PictureScaleTest, ANewSizeOrANewImageShowsAtTheNextPaint)
{
    ASSERT_TRUE(m_picture.Create("", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(10, 10, 210, 70), &m_parent, 1501));
    std::vector<BYTE> redBlue = HalvesBmp(kRed, kBlue);
    std::vector<BYTE> blueRed = HalvesBmp(kBlue, kRed);
    ASSERT_TRUE(m_picture.Load(redBlue.data(), redBlue.size()));
    const struct
    {
        int cx, cy;
        bool bSwap; // load the other image before this paint
        COLORREF crLeft, crRight;
    } steps[] = {
        { 200, 60, false, kRed, kBlue }, { 100, 60, false, kRed, kBlue }, { 300, 30, false, kRed, kBlue },
        { 300, 30, true, kBlue, kRed },  { 80, 90, false, kBlue, kRed },
    };
    for (const auto& s : steps)
    {
        SCOPED_TRACE(testing::Message() << s.cx << " x " << s.cy << (s.bSwap ? " swapped" : ""));
        m_picture.SetWindowPos(nullptr, 0, 0, s.cx, s.cy, SWP_NOMOVE | SWP_NOZORDER);
        if (s.bSwap)
        {
            ASSERT_TRUE(m_picture.Load(blueRed.data(), blueRed.size()));
        }
        HBITMAP hBitmap = Render(m_picture);
        ASSERT_NE(nullptr, hBitmap);
        const struct { int x, y; COLORREF cr; } probes[] = {
            { 0, 0, s.crLeft }, { s.cx / 4, s.cy / 2, s.crLeft }, { s.cx / 2 - s.cx / 8, s.cy - 1, s.crLeft },
            { s.cx / 2 + s.cx / 8, 0, s.crRight }, { s.cx * 3 / 4, s.cy / 2, s.crRight }, { s.cx - 1, s.cy - 1, s.crRight },
        };
        for (const auto& p : probes)
            EXPECT_TRUE(NearColor(Pixel(hBitmap, p.x, p.y), p.cr, 8))
                << "pixel " << p.x << "," << p.y << " is " << std::hex << Pixel(hBitmap, p.x, p.y);
        ::DeleteObject(hBitmap);
    }
}
