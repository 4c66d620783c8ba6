// Frame windows: the top-level windows that hold a document's views, menus and control bars.
// Only what the library asks of them so far: being recognised as a frame (GetParentFrame).
#pragma once

#include "afxwin.h"

class AFX_API CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd() = default;
};
