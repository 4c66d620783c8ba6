// A picture too large to decode whole into 32-bit pixels is scaled while it is decoded: it must
// still show the right colours in the right places (row order, channel order, premultiplying).
#include "WidgetTest.h"

#include <widgets/PictureCtrl.h>

namespace
{
// A bottom-up 24-bit BMP of cx x cy in four quarters, given top-left, top-right, bottom-left,
// bottom-right as seen.
std::vector<BYTE> QuartersBmp(int cx, int cy, const COLORREF (&quarters)[4])
{
    const size_t nRow = ((size_t)cx * 3 + 3) & ~(size_t)3;
    std::vector<BYTE> bmp(54 + nRow * (size_t)cy);
    auto put32 = [&](size_t at, DWORD v) { for (int i = 0; i < 4; i++) bmp[at + i] = (BYTE)(v >> (8 * i)); };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, (DWORD)bmp.size());
    put32(10, 54);
    put32(14, 40);
    put32(18, (DWORD)cx);
    put32(22, (DWORD)cy);
    bmp[26] = 1;
    bmp[28] = 24;
    for (int y = 0; y < cy; y++)   // y counts file rows: 0 is the bottom row seen
    {
        BYTE* p = &bmp[54 + nRow * (size_t)y];
        for (int x = 0; x < cx; x++, p += 3)
        {
            const COLORREF cr = quarters[(y < cy / 2 ? 2 : 0) + (x < cx / 2 ? 0 : 1)];
            p[0] = GetBValue(cr);
            p[1] = GetGValue(cr);
            p[2] = GetRValue(cr);
        }
    }
    return bmp;
}
}  // namespace

class PictureLargeTest : public WidgetTest
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

TEST_F(PictureLargeTest, APictureScaledWhileDecodingShowsEachQuarterInItsPlace)
{
    const COLORREF quarters[4] = { RGB(220, 30, 30), RGB(30, 200, 40), RGB(40, 50, 230), RGB(240, 230, 20) };
    // 17.6 million pixels: past what the control decodes whole.
    std::vector<BYTE> bmp = QuartersBmp(4200, 4200, quarters);
    ASSERT_TRUE(m_picture.Create("", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(10, 10, 130, 90), &m_parent, 1502));
    ASSERT_TRUE(m_picture.Load(bmp.data(), bmp.size()));
    bmp.clear();
    HBITMAP hBitmap = Render(m_picture);
    ASSERT_NE(nullptr, hBitmap);
    const struct { int x, y; COLORREF cr; } probes[] = {
        { 5, 5, quarters[0] },    { 30, 20, quarters[0] },   { 90, 20, quarters[1] },  { 114, 5, quarters[1] },
        { 30, 60, quarters[2] },  { 5, 74, quarters[2] },    { 90, 60, quarters[3] },  { 114, 74, quarters[3] },
    };
    for (const auto& p : probes)
        EXPECT_TRUE(NearColor(Pixel(hBitmap, p.x, p.y), p.cr, 8))
            << "pixel " << p.x << "," << p.y << " is " << std::hex << Pixel(hBitmap, p.x, p.y);
    ::DeleteObject(hBitmap);
}
