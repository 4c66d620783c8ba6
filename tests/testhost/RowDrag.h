// Row drags with the mouse as the platform delivers it: button down on a row, moves (beyond the
// drag distance, so the list view starts its drag), button up, all posted to the list (which holds
// the mouse while it drags) and pumped in order.
#pragma once

#include <afxwin.h>
#include <vector>

namespace RowDrag
{
inline void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        if (!AfxPreTranslateMessage(&msg))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

// A point on a row's first cell, clear of a check box at its left, in list client coordinates.
inline CPoint RowPoint(HWND hList, int nRow)
{
    RECT rc = {};
    rc.left = LVIR_BOUNDS;
    ::SendMessageA(hList, LVM_GETITEMRECT, (WPARAM)nRow, (LPARAM)&rc);
    return CPoint(rc.left + 50, (rc.top + rc.bottom) / 2);
}

inline void Post(HWND hList, UINT message, WPARAM wParam, CPoint pt)
{
    ::PostMessageA(hList, message, wParam, MAKELPARAM(pt.x, pt.y));
    Pump();
}

// Presses on the row and moves far enough for the list view to start a drag (the image is then
// under the cursor at `to`, the button still down).
inline void Begin(HWND hList, CPoint from, CPoint to)
{
    Post(hList, WM_MOUSEMOVE, 0, from);
    Post(hList, WM_LBUTTONDOWN, MK_LBUTTON, from);
    CPoint away(from.x + 12, from.y + 12);
    Post(hList, WM_MOUSEMOVE, MK_LBUTTON, away);
    Post(hList, WM_MOUSEMOVE, MK_LBUTTON, to);
}

inline void Release(HWND hList, CPoint at)
{
    Post(hList, WM_MOUSEMOVE, MK_LBUTTON, at);
    Post(hList, WM_LBUTTONUP, 0, at);
}

// A whole drag from one row's cell to a point.
inline void Drag(HWND hList, int nFromRow, CPoint to)
{
    CPoint from = RowPoint(hList, nFromRow);
    Begin(hList, from, to);
    Release(hList, to);
}
}  // namespace RowDrag
