// Painting options of the common list: the erase-outside-items option fills only the three black
// margins (checked by pixels), owner-drawn rows go to the owner window, and row height follows
// the font, also after WM_SETFONT.
#include "TestHost.h"
#include "TestSupport.h"
#include "lists/CommonListCtrl.h"

#include <string>

namespace
{
// An owner window that notes the control id of every WM_DRAWITEM it receives.
class CDrawOwner : public CWnd
{
public:
    std::vector<WPARAM> m_drawn;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_DRAWITEM)
        {
            m_drawn.push_back(wParam);
            return TRUE;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};
}  // namespace

class ListPaintOptionsTest : public HostTest
{
protected:
    void Make(DWORD dwStyle)
    {
        ASSERT_TRUE(m_owner.CreateRecorder(&m_frame, CRect(0, 0, 500, 300)));
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | dwStyle, CRect(0, 0, 400, 260), &m_owner, 1007));
        m_list.InsertColumn(0, "Symbol", LVCFMT_LEFT, 100, 0);
        m_list.InsertColumn(1, "Last", LVCFMT_RIGHT, 100, 1);
        for (int r = 0; r < 3; ++r)
            m_list.InsertItem(r, "ROW");
    }
    void TearDown() override
    {
        if (m_list.GetSafeHwnd() != nullptr)
            m_list.DestroyWindow();
        if (m_owner.GetSafeHwnd() != nullptr)
            m_owner.DestroyWindow();
        HostTest::TearDown();
    }
    CMessageRecorder m_owner;
    CCommonListCtrl m_list;
};

TEST_F(ListPaintOptionsTest, EraseOutsideItemsPaintsOnlyTheMargins)
{
    Make(0);
    m_list.m_bEraseOutsideItems = 1;
    m_list.SetBkColor(RGB(0, 0, 200));
    CRect client, last;
    m_list.GetClientRect(&client);
    m_list.GetItemRect(2, &last, LVIR_BOUNDS);

    HDC hdcScreen = ::GetDC(nullptr);
    HDC hdc = ::CreateCompatibleDC(hdcScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hdcScreen, client.Width(), client.Height());
    ::ReleaseDC(nullptr, hdcScreen);
    HGDIOBJ hOld = ::SelectObject(hdc, hBitmap);
    RECT all = { 0, 0, client.Width(), client.Height() };
    ::FillRect(hdc, &all, (HBRUSH)::GetStockObject(WHITE_BRUSH));
    EXPECT_TRUE(m_list.SendMessage(WM_ERASEBKGND, (WPARAM)hdc));

    struct sPixel
    {
        const char* name;
        int x, y;
        COLORREF expected;
    };
    const sPixel pixels[] = {
        { "below the last row", 200, last.bottom + 5, RGB(0, 0, 0) },
        { "right of the last column", last.right + 20, last.top + 2, RGB(0, 0, 0) },
        { "left strip beside a row", 2, last.top + 2, RGB(0, 0, 0) },
        { "inside a row", 50, last.top + 2, RGB(255, 255, 255) },
        { "inside the first column of the first row", 60, (last.top + last.bottom) / 2 - last.Height() * 2,
          RGB(255, 255, 255) },
    };
    for (const sPixel& p : pixels)
    {
        SCOPED_TRACE(p.name);
        EXPECT_EQ(p.expected, ::GetPixel(hdc, p.x, p.y) & 0xFFFFFF);
    }
    ::SelectObject(hdc, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hdc);
}

TEST_F(ListPaintOptionsTest, OwnerDrawnRowsGoToTheOwnerAndFollowTheFont)
{
    Make(LVS_OWNERDRAWFIXED);
    CDrawOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, "STATIC", "", WS_CHILD, CRect(0, 0, 10, 10), &m_frame, 0));
    m_list.SetOwnerWnd(&owner);
    m_list.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    ASSERT_FALSE(owner.m_drawn.empty());
    for (WPARAM id : owner.m_drawn)
        EXPECT_EQ(1007u, id);
    m_list.SetOwnerWnd(nullptr);
    owner.DestroyWindow();

    CFont big;
    big.CreatePointFont(200, "Arial");
    m_list.SetFont(&big);
    HDC hdc = ::GetDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hdc, (HFONT)big.GetSafeHandle());
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(hdc, &tm);
    ::SelectObject(hdc, hOld);
    ::ReleaseDC(nullptr, hdc);
    CRect row;
    m_list.GetItemRect(0, &row, LVIR_BOUNDS);
    EXPECT_EQ(tm.tmHeight + tm.tmExternalLeading + 1, row.Height());
    m_list.SetFont(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
}
