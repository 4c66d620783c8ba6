// What the common list paints: the erase-outside-items option fills only the black margins
// (checked by pixels), owner-drawn rows go to the owner window only when one is set.
#include "DrawInto.h"
#include "ListFixture.h"
#include "WindowPicture.h"

namespace
{
// An owner window that counts the WM_DRAWITEM messages it receives for the list (id 1001).
class CDrawOwner : public CWnd
{
public:
    int m_nDrawn = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_nDrawn += message == WM_DRAWITEM && wParam == 1001;
        return message == WM_DRAWITEM ? TRUE : CWnd::WindowProc(message, wParam, lParam);
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
    // Without an owner the reflected draws are consumed quietly; with one each row is passed on.
    m_list.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    EXPECT_EQ(0, owner.m_nDrawn);
    m_list.SetOwnerWnd(&owner);
    m_list.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    EXPECT_GE(owner.m_nDrawn, 3);
    m_list.SetOwnerWnd(nullptr);
    owner.DestroyWindow();
}
