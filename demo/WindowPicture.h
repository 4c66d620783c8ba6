// Pictures of real windows, for the sample host and the tests. PrintWindow and WM_PRINT give blank
// images under Wine, so the picture is composed by hand: each visible window of the tree paints its
// client area (WM_ERASEBKGND, then WM_PRINTCLIENT) into a bitmap of its own, which is copied into
// the composite at the window's offset, children after their parent and bottom of the z-order
// first.
#pragma once

#include <afxwin.h>

namespace WindowPicture
{
// The composite of the window and its visible descendants, as a 32-bit top-down DIB section the
// caller deletes; null when the window has no area.
HBITMAP Render(HWND hWnd);
// Renders and saves as PNG through GDI+; true on success.
bool SavePng(HWND hWnd, LPCTSTR lpszPath);
bool SaveBitmapPng(HBITMAP hBitmap, LPCTSTR lpszPath);
// The colour of one pixel of a rendered bitmap (x, y relative to the window's top-left corner).
COLORREF PixelAt(HBITMAP hBitmap, int x, int y);
}  // namespace WindowPicture
