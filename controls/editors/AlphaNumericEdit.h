// CAlphaNumericEdit: a box that keeps only ASCII letters and digits (group names). An invalid
// character is deleted as soon as the text changes, with an error balloon; nothing can be pasted.
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

    DECLARE_MESSAGE_MAP()
};
