// CAlphaNumericEdit: a box that keeps only ASCII letters and digits (group names). Invalid
// characters are deleted as soon as the text changes, all at once, with one error balloon;
// nothing can be pasted, by WM_PASTE, Ctrl+V, Shift+Insert or the context menu.
#pragma once

#include <afxwin.h>

class CONTROLS_API CAlphaNumericEdit : public CEdit
{
    DECLARE_DYNAMIC(CAlphaNumericEdit)
public:
    CAlphaNumericEdit();

protected:
    afx_msg BOOL OnUpdate();
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg LRESULT OnPaste(WPARAM wParam, LPARAM lParam);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);

    DECLARE_MESSAGE_MAP()
};
