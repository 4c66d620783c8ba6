#include "widgets/VXFontDlg.h"

IMPLEMENT_DYNAMIC(CVXFontDlg, CFontDialog)

CVXFontDlg::CVXFontDlg(LPLOGFONT lplfInitial, DWORD dwFlags, CDC* pdcPrinter, CWnd* pParentWnd)
    : CFontDialog(lplfInitial, dwFlags, pdcPrinter, pParentWnd)
{
    m_cf.Flags |= CF_ENABLEHOOK;
    m_cf.lpfnHook = &CVXFontDlg::HookProc;
}

CRect CVXFontDlg::PlacementAfterInit(const CRect& rcWindow, CPoint ptClientOrigin)
{
    CRect rc(ptClientOrigin.x + VXFONTDLG_OFFSET, ptClientOrigin.y + VXFONTDLG_OFFSET, 0, 0);
    rc.right = rc.left + rcWindow.Width();
    rc.bottom = rc.top + rcWindow.Height() - VXFONTDLG_SHORTER;
    return rc;
}

UINT_PTR CALLBACK CVXFontDlg::HookProc(HWND hDlg, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
        return 0;
    CRect rcWindow;
    ::GetWindowRect(hDlg, &rcWindow);
    POINT origin = { 0, 0 };
    ::ClientToScreen(hDlg, &origin);
    CRect rc = PlacementAfterInit(rcWindow, CPoint(origin));
    ::SetWindowPos(hDlg, nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;   // the platform sets the focus
}
