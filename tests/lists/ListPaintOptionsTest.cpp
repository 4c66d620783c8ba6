// What the common list paints: the erase-outside-items option fills only the black margins
// (checked by pixels), owner-drawn rows go to the owner window only when one is set, and the
// library-wide header images (up, down, blank) from the host's bitmaps or drawn by the library.
#include "DrawInto.h"
#include "ListFixture.h"
#include "WindowPicture.h"

namespace
{
// An owner window that notes the control id and item of every WM_DRAWITEM it receives.
class CDrawOwner : public CWnd
{
public:
    std::vector<std::pair<WPARAM, UINT>> m_drawn;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_DRAWITEM)
            return CWnd::WindowProc(message, wParam, lParam);
        m_drawn.push_back({ wParam, reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->itemID });
        return TRUE;
    }
};
}  // namespace

TEST_F(PlainListTest, EraseOutsideItemsPaintsOnlyTheMargins)
{
    Make(0, { "Symbol", "Last" }, { "ROW", "ROW", "ROW" });
    m_list.m_bEraseOutsideItems = 1;
    m_list.SetBkColor(RGB(0, 0, 200));
    CRect client, last;
    m_list.GetClientRect(&client);
    m_list.GetItemRect(2, &last, LVIR_BOUNDS);
    HBITMAP hbm = DrawInto(client.Width(), client.Height(), [&](HDC hdc) {
        ::FillRect(hdc, &client, (HBRUSH)::GetStockObject(WHITE_BRUSH));
        EXPECT_TRUE(m_list.SendMessage(WM_ERASEBKGND, (WPARAM)hdc));
    });
    struct sPixel { const char* name; int x, y; COLORREF expected; } const pixels[] = {
        { "below the last row", 200, last.bottom + 5, RGB(0, 0, 0) },
        { "right of the last column", last.right + 20, last.top + 2, RGB(0, 0, 0) },
        { "left strip beside a row", 2, last.top + 2, RGB(0, 0, 0) },
        { "inside a row", 50, last.top + 2, RGB(255, 255, 255) },
        { "inside the first row", 60, (last.top + last.bottom) / 2 - last.Height() * 2, RGB(255, 255, 255) },
    };
    for (const sPixel& p : pixels)
        EXPECT_EQ(p.expected, WindowPicture::PixelAt(hbm, p.x, p.y)) << p.name;
    ::DeleteObject(hbm);
}

TEST_F(PlainListTest, OwnerDrawnRowsGoToTheOwnerWhenOneIsSet)
{
    Make(LVS_OWNERDRAWFIXED, { "Symbol", "Last" }, { "ROW", "ROW", "ROW" });
    CDrawOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, "STATIC", "", WS_CHILD, CRect(0, 0, 10, 10), &m_frame, 0));
    // Without an owner the reflected draws are consumed quietly; with one they are passed on.
    m_list.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    EXPECT_TRUE(owner.m_drawn.empty());
    m_list.SetOwnerWnd(&owner);
    m_list.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    ASSERT_FALSE(owner.m_drawn.empty());
    for (const auto& drawn : owner.m_drawn)
        EXPECT_EQ(1001u, drawn.first);
    m_list.SetOwnerWnd(nullptr);
    owner.DestroyWindow();
}

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
        ASSERT_EQ(3, pImages ? pImages->GetImageCount() : 0);
        std::vector<std::vector<int>> dark;   // non-white pixels per row of each 9 x 5 image, over white
        for (int nImage = 0; nImage < 3; ++nImage)
        {
            HBITMAP hbm = DrawInto(9, 5, [&](HDC hdc) {
                ::PatBlt(hdc, 0, 0, 9, 5, WHITENESS);
                ImageList_Draw(pImages->GetSafeHandle(), nImage, hdc, 0, 0, ILD_NORMAL);
            });
            dark.push_back(std::vector<int>(5, 0));
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 9; ++x)
                    dark.back()[y] += WindowPicture::PixelAt(hbm, x, y) != RGB(255, 255, 255);
            ::DeleteObject(hbm);
        }
        EXPECT_LT(dark[0][0], dark[0][4]);   // ascending: narrow at the top
        EXPECT_GT(dark[1][0], dark[1][4]);   // descending: narrow at the bottom
        EXPECT_EQ(std::vector<int>(5, 0), dark[2]);
    }
}
