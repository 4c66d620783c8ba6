#include "WindowPicture.h"

#include <gdiplus.h>
#include <string>
#include <vector>

namespace
{
struct CDib
{
    HBITMAP hBitmap = nullptr;
    DWORD* pBits = nullptr;
    int cx = 0;
    int cy = 0;
};

CDib CreateDib(int cx, int cy)
{
    CDib dib;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;   // top-down
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dib.hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    dib.pBits = static_cast<DWORD*>(bits);
    dib.cx = cx;
    dib.cy = cy;
    return dib;
}

// Paints one window (frame edge and client area) into the composite at its offset from the root.
void PaintInto(HDC hdcComposite, HWND hWnd, const RECT& rcRoot, bool isRoot)
{
    RECT rcWindow;
    ::GetWindowRect(hWnd, &rcWindow);
    RECT rcClient;
    ::GetClientRect(hWnd, &rcClient);
    POINT ptClient = { 0, 0 };
    ::ClientToScreen(hWnd, &ptClient);
    int cxWindow = rcWindow.right - rcWindow.left;
    int cyWindow = rcWindow.bottom - rcWindow.top;
    if (cxWindow <= 0 || cyWindow <= 0)
        return;

    // The non-client part: a plain face with an edge where the window has a border.
    LONG_PTR style = ::GetWindowLongPtrA(hWnd, GWL_STYLE);
    LONG_PTR exStyle = ::GetWindowLongPtrA(hWnd, GWL_EXSTYLE);
    RECT rcFrame = { rcWindow.left - rcRoot.left, rcWindow.top - rcRoot.top, rcWindow.right - rcRoot.left,
                     rcWindow.bottom - rcRoot.top };
    if (isRoot || (rcClient.right != cxWindow || rcClient.bottom != cyWindow))
    {
        ::FillRect(hdcComposite, &rcFrame, ::GetSysColorBrush(COLOR_BTNFACE));
        if (exStyle & WS_EX_CLIENTEDGE)
            ::DrawEdge(hdcComposite, &rcFrame, EDGE_SUNKEN, BF_RECT);
        else if (style & WS_BORDER)
            ::FrameRect(hdcComposite, &rcFrame, (HBRUSH)::GetStockObject(BLACK_BRUSH));
        // A title bar with the window's text, between the frame's top and the client area.
        if ((style & WS_CAPTION) == WS_CAPTION && ptClient.y > rcWindow.top + 2)
        {
            RECT rcCaption = { rcFrame.left + 1, rcFrame.top + 1, rcFrame.right - 1, ptClient.y - rcRoot.top - 1 };
            ::FillRect(hdcComposite, &rcCaption, ::GetSysColorBrush(COLOR_ACTIVECAPTION));
            char title[256] = "";
            ::GetWindowTextA(hWnd, title, sizeof(title));
            HGDIOBJ oldFont = ::SelectObject(hdcComposite, ::GetStockObject(DEFAULT_GUI_FONT));
            ::SetBkMode(hdcComposite, TRANSPARENT);
            ::SetTextColor(hdcComposite, ::GetSysColor(COLOR_CAPTIONTEXT));
            rcCaption.left += 6;
            ::DrawTextA(hdcComposite, title, -1, &rcCaption, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
            ::SelectObject(hdcComposite, oldFont);
        }
    }

    int cx = rcClient.right;
    int cy = rcClient.bottom;
    if (cx <= 0 || cy <= 0)
        return;
    HDC hdcScreen = ::GetDC(nullptr);
    HDC hdc = ::CreateCompatibleDC(hdcScreen);
    HBITMAP hbm = ::CreateCompatibleBitmap(hdcScreen, cx, cy);
    ::ReleaseDC(nullptr, hdcScreen);
    HGDIOBJ old = ::SelectObject(hdc, hbm);
    RECT rc = { 0, 0, cx, cy };
    ::FillRect(hdc, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
    ::SendMessageA(hWnd, WM_ERASEBKGND, (WPARAM)hdc, 0);
    ::SendMessageA(hWnd, WM_PRINTCLIENT, (WPARAM)hdc, PRF_CLIENT | PRF_ERASEBKGND);
    ::BitBlt(hdcComposite, ptClient.x - rcRoot.left, ptClient.y - rcRoot.top, cx, cy, hdc, 0, 0, SRCCOPY);
    ::SelectObject(hdc, old);
    ::DeleteObject(hbm);
    ::DeleteDC(hdc);
}

void PaintTree(HDC hdcComposite, HWND hWnd, const RECT& rcRoot, bool isRoot)
{
    PaintInto(hdcComposite, hWnd, rcRoot, isRoot);
    HWND hChild = ::GetWindow(hWnd, GW_CHILD);
    if (hChild == nullptr)
        return;
    // Bottom of the z-order first, so that windows above are painted over it.
    for (HWND h = ::GetWindow(hChild, GW_HWNDLAST); h != nullptr; h = ::GetWindow(h, GW_HWNDPREV))
    {
        if (::IsWindowVisible(h))
            PaintTree(hdcComposite, h, rcRoot, false);
    }
}

bool PngEncoder(CLSID* pClsid)
{
    UINT count = 0;
    UINT size = 0;
    Gdiplus::GetImageEncodersSize(&count, &size);
    if (size == 0)
        return false;
    std::vector<BYTE> buffer(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    Gdiplus::GetImageEncoders(count, size, codecs);
    for (UINT i = 0; i < count; ++i)
    {
        if (wcscmp(codecs[i].MimeType, L"image/png") == 0)
        {
            *pClsid = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

// GDI+ is started once for the process and left running.
bool EnsureGdiplus()
{
    static ULONG_PTR token = 0;
    if (token == 0)
    {
        Gdiplus::GdiplusStartupInput input;
        if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
            return false;
    }
    return true;
}
}  // namespace

namespace WindowPicture
{
HBITMAP Render(HWND hWnd)
{
    if (!::IsWindow(hWnd))
        return nullptr;
    RECT rcRoot;
    ::GetWindowRect(hWnd, &rcRoot);
    int cx = rcRoot.right - rcRoot.left;
    int cy = rcRoot.bottom - rcRoot.top;
    if (cx <= 0 || cy <= 0)
        return nullptr;
    CDib dib = CreateDib(cx, cy);
    if (dib.hBitmap == nullptr)
        return nullptr;
    HDC hdc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(hdc, dib.hBitmap);
    PaintTree(hdc, hWnd, rcRoot, true);
    ::GdiFlush();
    ::SelectObject(hdc, old);
    ::DeleteDC(hdc);
    return dib.hBitmap;
}

bool SaveBitmapPng(HBITMAP hBitmap, LPCTSTR lpszPath)
{
    if (hBitmap == nullptr || !EnsureGdiplus())
        return false;
    CLSID clsid;
    if (!PngEncoder(&clsid))
        return false;
    std::wstring path;
    int n = ::MultiByteToWideChar(CP_ACP, 0, lpszPath, -1, nullptr, 0);
    path.resize((size_t)n);
    ::MultiByteToWideChar(CP_ACP, 0, lpszPath, -1, &path[0], n);
    Gdiplus::Bitmap bitmap(hBitmap, nullptr);
    return bitmap.Save(path.c_str(), &clsid, nullptr) == Gdiplus::Ok;
}

bool SavePng(HWND hWnd, LPCTSTR lpszPath)
{
    HBITMAP hBitmap = Render(hWnd);
    bool ok = SaveBitmapPng(hBitmap, lpszPath);
    if (hBitmap != nullptr)
        ::DeleteObject(hBitmap);
    return ok;
}

COLORREF PixelAt(HBITMAP hBitmap, int x, int y)
{
    DIBSECTION ds = {};
    if (::GetObjectA(hBitmap, sizeof(ds), &ds) != sizeof(ds) || ds.dsBm.bmBits == nullptr)
        return CLR_INVALID;
    if (x < 0 || y < 0 || x >= ds.dsBm.bmWidth || y >= ds.dsBm.bmHeight)
        return CLR_INVALID;
    const DWORD* row = reinterpret_cast<const DWORD*>(static_cast<const BYTE*>(ds.dsBm.bmBits) +
                                                      (size_t)y * (size_t)ds.dsBm.bmWidthBytes);
    DWORD px = row[x];   // 0x00RRGGBB in a 32-bit DIB
    return RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF);
}
}  // namespace WindowPicture
