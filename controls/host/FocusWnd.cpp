#include "host/FocusWnd.h"

namespace
{
// Each entry also remembers the window handle it was pushed with, so that a window whose object
// was deleted is recognised without touching the object.
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

bool StillExists(const CFocusEntry& e)
{
    return e.hWnd != nullptr && ::IsWindow(e.hWnd) &&
           (CWnd::FromHandlePermanent(e.hWnd) == e.info.pWnd || CWnd::FromHandlePermanent(e.hWnd) == nullptr);
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
    CFocusEntry e = { { wnd, value }, wnd->GetSafeHwnd() };
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
