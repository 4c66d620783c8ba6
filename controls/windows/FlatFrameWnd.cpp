#include "windows/FlatFrameWnd.h"

IMPLEMENT_DYNCREATE(CFlatFrameWnd, CFrameWnd)

BOOL CFlatFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    return TRUE;
}
