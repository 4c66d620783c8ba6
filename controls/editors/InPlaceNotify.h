// What the in-place cell editors share: the navigation messages they post to their list and the
// end-of-edit report, an LVN_ENDLABELEDIT record sent to the list.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

// Posted (never sent) to the list with both parameters 0 when a key leaves the cell.
#define WM_INPLACE_NEXTCELL (WM_USER + 900)   // Tab
#define WM_INPLACE_PREVCELL (WM_USER + 901)   // Shift+Tab, Up
#define WM_INPLACE_DOWNCELL (WM_USER + 910)   // Down

// Column whose editors double (Up) and halve (Down) the value instead of leaving the cell.
#define INPLACE_STEP_COLUMN 7

// Sends WM_NOTIFY(LVN_ENDLABELEDIT) to pTarget: the header names hwndFrom and idFrom, the item
// row, column and text (pszText may be null; nTextLen is sent as given); wParam is the control id
// of pIdSource (the list). Returns the target's answer.
CONTROLS_API LRESULT SendEndLabelEdit(CWnd* pTarget, HWND hwndFrom, UINT_PTR idFrom, CWnd* pIdSource, int nRow,
                                      int nColumn, LPTSTR pszText, int nTextLen);

// The keys the text, price and quantity editors handle themselves: Escape, Enter, Up, Down, Tab.
// Returns true when Up or Down stepped the value of column 7 (the editor stays open: the caller
// returns FALSE); otherwise the caller goes on to its default processing, the focus having been
// given away where the key ends the edit. bStripCommas: the value is read without separators.
CONTROLS_API bool HandleInPlaceEditKey(CEdit* pEdit, UINT nKey, int nColumn, CWnd* pListWnd, BOOL& bESC,
                                       bool bStripCommas);
// The end-of-edit report of the text, price and quantity editors: the initial text when cancelled,
// else the window text (without separators with bStripCommas); bClose then posts WM_CLOSE.
CONTROLS_API void ReportInPlaceEditEnd(CEdit* pEdit, int nRow, int nColumn, const CString& strInitial, BOOL bESC,
                                       bool bStripCommas, bool bClose);

// Widens the editor to its text measured in pFontSource's font plus 5 pixels, when that no longer
// fits its client area: its right edge moves, at most to the right edge of its parent's client area.
CONTROLS_API void WidenEditToText(CEdit* pEdit, CWnd* pFontSource);

// True while Shift is held (the sign bit of its key state).
inline bool IsShiftDown()
{
    return (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
}
