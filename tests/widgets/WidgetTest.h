// Shared fixture of the small-control tests: a recording parent window (whose commands and cell
// requests are kept with what an observer read as they arrived), real mouse and keyboard input
// through SendInput, rendered pixels, and resource counts for leak checks.
#pragma once

#include "DrawInto.h"
#include "TestHost.h"
#include "TestSupport.h"
#include "WindowPicture.h"

#include <functional>
#include <string>
#include <vector>

// A command or cell request as the parent received it, with what the test's observer read then.
struct sReceived
{
    UINT message;   // WM_COMMAND or WM_LIST_CELLREQUEST
    WPARAM wParam;
    LPARAM lParam;
    int nObserved;
};

// GDI objects and windows as TestLeaks counts them, kernel handles by GetHandleInformation.
struct sResourceCounts
{
    int nGdiObjects, nHandles, nWindows;
    bool operator==(const sResourceCounts& o) const
    { return nGdiObjects == o.nGdiObjects && nHandles == o.nHandles && nWindows == o.nWindows; }
};
sResourceCounts CountResources();
// Bytes in busy blocks of the process heap (where GlobalAlloc and GDI+ allocate under Wine).
size_t HeapBusyBytes();
::std::ostream& operator<<(::std::ostream& os, const sResourceCounts& c);

// Colours equal within a tolerance per channel (lossy formats, resampling).
bool NearColor(COLORREF a, COLORREF b, int nTolerance = 40);
// Pixels of a colour in rc of a picture; pBox receives the box around them (empty when none).
int CountColour(HBITMAP hBitmap, const CRect& rc, COLORREF cr, CRect* pBox = nullptr);

class WidgetTest : public HostTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Real input: the cursor moves to the point (client coordinates of wnd), the button goes down
    // and up; keys go to the focused window, bCtrl holds Ctrl around the key. Queued input is
    // dispatched before they return.
    void Click(CWnd& wnd, CPoint ptClient) { MouseDown(wnd, ptClient), MouseUp(); }
    void MouseDown(CWnd& wnd, CPoint ptClient) { MouseMoveTo(wnd, ptClient, MOUSEEVENTF_LEFTDOWN); }
    void MouseMoveTo(CWnd& wnd, CPoint ptClient, DWORD dwFlags = 0);
    void MouseUp();
    void PressKey(WORD wVk, bool bCtrl = false);
    void Pump() { AfxPumpPendingMessages(); }
    // Composite picture of the window; the caller deletes it.
    HBITMAP Render(CWnd& wnd) { return WindowPicture::Render(wnd.GetSafeHwnd()); }
    COLORREF Pixel(HBITMAP hBitmap, int x, int y) { return WindowPicture::PixelAt(hBitmap, x, y); }
    // A fresh path in the temporary folder, deleted again after the test.
    std::string TempPath(const char* pszName);
    // The messages of one kind the parent received.
    std::vector<sReceived> Received(UINT message) const;

    CMessageRecorder m_parent;
    std::vector<sReceived> m_received;      // WM_COMMAND and WM_LIST_CELLREQUEST reaching m_parent
    std::function<int()> m_observer;        // read as each of them arrives; null: 0
    std::function<void()> m_onCommand;      // run after a WM_COMMAND is kept (e.g. destroy the sender)
    std::vector<std::string> m_files;
};
