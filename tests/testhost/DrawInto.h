// A blank top-down 32-bit picture, as WindowPicture::PixelAt reads it, drawn into by the caller
// through a memory DC; the caller deletes it.
#pragma once

#include <windows.h>

#include <functional>

inline HBITMAP DrawInto(int cx, int cy, const std::function<void(HDC)>& draw)
{
    BITMAPINFO bi = {};
    bi.bmiHeader = { sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0 };
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    HDC hDC = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    draw(hDC);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return hBitmap;
}
