// Frame windows and views: a frame holds one pane (the child with id AFX_IDW_PANE_FIRST, a view
// or a splitter of views) that fills its client area; a view draws its client area in OnDraw.
// Both are heap objects that delete themselves once their window is gone, as the classic
// framework's do.
#pragma once

#include "afxwin.h"

// The first pane of a frame; a splitter numbers its panes from here (16 per row).
#define AFX_IDW_PANE_FIRST 0xE900
#define AFX_IDW_PANE_LAST  0xE9FF
// The style a view gets when nothing else is asked for.
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)

class CView;

// What a frame or splitter needs to create a view: the view's class.
struct CCreateContext
{
    CRuntimeClass* m_pNewViewClass = nullptr;
    CView* m_pLastView = nullptr;
};

class AFX_API CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd() = default;

    // Deleted by PostNcDestroy; a frame held by value (or not yet fully built) clears it.
    BOOL m_bAutoDelete = TRUE;

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = CRect(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0), CWnd* pParentWnd = nullptr,
                LPCTSTR lpszMenuName = nullptr, DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
    // Sizes the pane (AFX_IDW_PANE_FIRST) to the client area.
    virtual void RecalcLayout(BOOL bNotify = TRUE);

    // Frames get the framework's window class and a sunken client edge.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;

    // void OnSize(UINT nType, int cx, int cy)
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};

class AFX_API CView : public CWnd
{
    DECLARE_DYNAMIC(CView)
public:
    CView() = default;

    // Draws the client area: called with the paint DC (WM_PAINT) or the caller's DC (WM_PRINTCLIENT).
    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnPrepareDC(CDC* pDC) { (void)pDC; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;

    // void OnPaint()
    afx_msg void OnPaint();
    // LRESULT OnPrintClient(WPARAM hdc, LPARAM flags)
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// The framework's window class for frames and views ("AfxFrameOrView"): double clicks, the
// arrow cursor, the window colour.
AFX_API LPCTSTR AfxFrameOrViewClass();
