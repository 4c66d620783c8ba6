// The focus-window stack: windows the host wants focus to return to, each with a value, top at
// the end. Entries whose window has gone are dropped when the top is asked for.
#pragma once

#include <afxwin.h>

struct FocusWndInfo
{
    CWnd* pWnd;
    int value;
};

// With a nonzero value, every entry of wnd is removed first; then {wnd, value} goes on top.
CONTROLS_API void AddToFocusWnd(CWnd* wnd, int value);
// The top window (entries of windows that no longer exist are dropped first) and its value;
// null, with value untouched, when the stack is empty. An entry's window is the one its object
// has now (so objects pushed before their window was created, or whose window was re-created,
// count), judged without touching the object, which may have been deleted.
CONTROLS_API CWnd* GetFocusWnd(int& value);
// Removes the topmost entry of wnd.
CONTROLS_API void RemoveFocusWnd(CWnd* wnd);
