// Shared fixture of the small-control tests: a recording parent window (whose commands and cell
// requests are kept with what an observer read as they arrived), real mouse and keyboard input
// through SendInput, in-memory dialog templates, rendered pixels, and the counts of the process's
// GDI objects, kernel handles, windows and heap bytes for leak checks.
#pragma once

#include "TestHost.h"
#include "TestSupport.h"

#include <string>
#include <vector>

// A command or cell request as the parent received it, with what the test's observer read at
// that moment (e.g. a split button's result member).
struct sReceived
{
    UINT message;       // WM_COMMAND or WM_LIST_CELLREQUEST
    WPARAM wParam;
    LPARAM lParam;
    int nObserved;
};

// An in-memory dialog template (DLGTEMPLATE with DS_SETFONT, then DWORD-aligned items).
class CTestDialogTemplate
{
public:
    CTestDialogTemplate(LPCWSTR lpszCaption, short cx, short cy);
    void AddItem(WORD wClassAtom, LPCWSTR lpszText, DWORD dwStyle, short x, short y, short cx, short cy, WORD wID);
    LPCDLGTEMPLATE Get() const { return reinterpret_cast<LPCDLGTEMPLATE>(m_words.data()); }

    static const WORD kButton = 0x0080;
    static const WORD kStatic = 0x0082;
    static const WORD kListBox = 0x0083;

private:
    void AppendString(LPCWSTR psz);
    std::vector<WORD> m_words;
    size_t m_nCountOffset = 0;
};

// Process-wide counts for leak checks (GetGuiResources reads 0 under Wine): GDI objects and windows
// as TestLeaks counts them, kernel handles found by GetHandleInformation.
struct sResourceCounts
{
    int nGdiObjects;
    int nHandles;
    int nWindows;
    bool operator==(const sResourceCounts& o) const
    { return nGdiObjects == o.nGdiObjects && nHandles == o.nHandles && nWindows == o.nWindows; }
};
sResourceCounts CountResources();
// Bytes in busy blocks of the process heap (where GlobalAlloc and GDI+ allocate under Wine).
size_t HeapBusyBytes();
::std::ostream& operator<<(::std::ostream& os, const sResourceCounts& c);

class WidgetTest : public HostTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A real click: the cursor moves to the point (client coordinates of wnd), the left button goes
    // down and up, and the queued input is dispatched.
    void Click(CWnd& wnd, CPoint ptClient);
    void MouseDown(CWnd& wnd, CPoint ptClient);
    void MouseMoveTo(CWnd& wnd, CPoint ptClient);
    void MouseUp();
    // Real key strokes to the focused window; bCtrl holds Ctrl around the key.
    void PressKey(WORD wVk, bool bCtrl = false);
    void Pump() { AfxPumpPendingMessages(); }
    // Composite picture of the window (WindowPicture::Render); the caller deletes it.
    HBITMAP Render(CWnd& wnd);
    COLORREF Pixel(HBITMAP hBitmap, int x, int y);
    // A folder of its own for files the test writes.
    std::string TempPath(const char* pszName) const;

    CMessageRecorder m_parent;
    std::vector<sReceived> m_received;      // WM_COMMAND and WM_LIST_CELLREQUEST reaching m_parent
    std::function<int()> m_observer;        // read as each of them arrives; null: 0
    std::function<void()> m_onCommand;      // run after a WM_COMMAND is kept (e.g. destroy the sender)
    std::string m_csTempDir;
};

// Colours equal within a tolerance per channel (lossy formats, resampling).
bool NearColor(COLORREF a, COLORREF b, int nTolerance = 40);
