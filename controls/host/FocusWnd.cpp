#include "host/FocusWnd.h"

namespace
{
// Each entry also remembers the window its object had when last seen, so the usual question
// ("is that window still the object's?") is answered without a search.
struct CFocusEntry
{
    FocusWndInfo info;
    HWND hWnd;
};

CArray<CFocusEntry, const CFocusEntry&>& Stack()
{
    static CArray<CFocusEntry, const CFocusEntry&> stack;
    return stack;
}

// The object's current window, judged from the framework's maps of windows to objects only: the
// object itself is never touched, since it may have been deleted. Pushed before its window was
// created, or re-created since, it counts from the moment it has a window.
bool StillExists(CFocusEntry& e)
{
    if (e.hWnd != nullptr && ::IsWindow(e.hWnd) && CWnd::FromHandlePermanent(e.hWnd) == e.info.pWnd)
        return true;
    // Otherwise look the object up: it may have a new window, or be a wrapper FromHandle gave out
    // (valid until the message loop goes idle).
    e.hWnd = AfxFindWindowHandle(e.info.pWnd);
    return e.hWnd != nullptr && ::IsWindow(e.hWnd);
}
}  // namespace

void AddToFocusWnd(CWnd* wnd, int value)
{
    if (wnd == nullptr)
        return;
    auto& stack = Stack();
    if (value != 0)
    {
        for (INT_PTR i = stack.GetSize() - 1; i >= 0; --i)
            if (stack[i].info.pWnd == wnd)
                stack.RemoveAt(i);
    }
    CFocusEntry e = { { wnd, value }, AfxFindWindowHandle(wnd) };
    stack.Add(e);
}

CWnd* GetFocusWnd(int& value)
{
    auto& stack = Stack();
    while (stack.GetSize() > 0 && !StillExists(stack[stack.GetSize() - 1]))
        stack.RemoveAt(stack.GetSize() - 1);
    if (stack.GetSize() == 0)
        return nullptr;
    const CFocusEntry& top = stack[stack.GetSize() - 1];
    value = top.info.value;
    return top.info.pWnd;
}

void RemoveFocusWnd(CWnd* wnd)
{
    if (wnd == nullptr)
        return;
    auto& stack = Stack();
    for (INT_PTR i = stack.GetSize() - 1; i >= 0; --i)
    {
        if (stack[i].info.pWnd == wnd)
        {
            stack.RemoveAt(i);
            return;
        }
    }
}
