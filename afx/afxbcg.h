// Stand-ins for the vendor dialog toolkit: the classes the library derives from or recognises by
// run-time class (IsKindOf), and the visual-manager query that decides a dialog's background.
#pragma once

#include "afxwin.h"

// A dialog of the toolkit; behaves as CDialog.
class AFX_API CBCGPDialog : public CDialog
{
    DECLARE_DYNAMIC(CBCGPDialog)
public:
    CBCGPDialog() = default;
    explicit CBCGPDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr) : CDialog(nIDTemplate, pParentWnd) {}
    explicit CBCGPDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr)
        : CDialog(lpszTemplateName, pParentWnd) {}
};

// A dockable bar that holds dialog controls.
class AFX_API CBCGPDialogBar : public CWnd
{
    DECLARE_DYNCREATE(CBCGPDialogBar)
public:
    CBCGPDialogBar() = default;
};

// The floating frame a control bar sits in once it is torn off its dock. Every live mini frame is
// known, so a floating bar can be found by its control id.
class AFX_API CBCGPMiniFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CBCGPMiniFrameWnd)
public:
    CBCGPMiniFrameWnd();
    ~CBCGPMiniFrameWnd() override;

    // The window with that control id inside any floating mini frame that has a window; null when
    // none floats.
    static CWnd* FindFloatingBarByID(UINT nID);
};

// Visual managers: the toolkit's drawing styles. One may be current (GetInstance); none is by
// default.
class AFX_API CBCGPVisualManager : public CObject
{
    DECLARE_DYNCREATE(CBCGPVisualManager)
public:
    CBCGPVisualManager() = default;

    // The current manager; null when none has been set.
    static CBCGPVisualManager* GetInstance();
    // Makes a new object of that class (DYNCREATE) the current manager, or none for null.
    static void SetDefaultManager(CRuntimeClass* pRTI);
};

class AFX_API CBCGPVisualManagerXP : public CBCGPVisualManager
{
    DECLARE_DYNCREATE(CBCGPVisualManagerXP)
};

class AFX_API CBCGPWinXPVisualManager : public CBCGPVisualManagerXP
{
    DECLARE_DYNCREATE(CBCGPWinXPVisualManager)
};

class AFX_API CBCGPVisualManager2003 : public CBCGPWinXPVisualManager
{
    DECLARE_DYNCREATE(CBCGPVisualManager2003)
};

class AFX_API CBCGPVisualManagerVS2005 : public CBCGPVisualManager2003
{
    DECLARE_DYNCREATE(CBCGPVisualManagerVS2005)
};

class AFX_API CBCGPVisualManager2007 : public CBCGPVisualManager2003
{
    DECLARE_DYNCREATE(CBCGPVisualManager2007)
public:
    enum Style
    {
        VS2007_LunaBlue = 0,
        VS2007_ObsidianBlack = 1,
        VS2007_Aqua = 2,
        VS2007_Silver = 3,
    };
    // The colour scheme of every 2007 manager (not per object).
    static void SetStyle(Style style);
    static Style GetStyle();
};
