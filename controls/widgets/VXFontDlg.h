// CVXFontDlg: the platform's font dialog, moved 300 pixels right and down from its client origin
// and 140 pixels shorter once it is initialised, which hides the lower part (effects, sample).
#pragma once

#include <afxwin.h>

#define VXFONTDLG_OFFSET    300
#define VXFONTDLG_SHORTER   140

class CONTROLS_API CVXFontDlg : public CFontDialog
{
    DECLARE_DYNAMIC(CVXFontDlg)
public:
    explicit CVXFontDlg(LPLOGFONT lplfInitial = nullptr, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS,
                        CDC* pdcPrinter = nullptr, CWnd* pParentWnd = nullptr);

    // The dialog's hook: after the platform's initialisation, moves and shortens the window.
    static UINT_PTR CALLBACK HookProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);
    // The placement the hook gives a dialog whose window rectangle and client origin are these.
    static CRect PlacementAfterInit(const CRect& rcWindow, CPoint ptClientOrigin);
};
