// CFlatFrameWnd: a frame window without the sunken client edge frames get by default, for frames
// that sit inside another window (the brick bar).
#pragma once

#include <afxwin.h>

class CONTROLS_API CFlatFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CFlatFrameWnd)
public:
    CFlatFrameWnd() = default;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
};
