// CNumEdit: a box for a floating-point number with a range and at most two decimals. A keystroke
// that leaves an invalid text is undone and reported; a paste that would is dropped silently,
// whether it comes as WM_PASTE, Ctrl+V, Shift+Insert or from the context menu.
#pragma once

#include <afxwin.h>

class CONTROLS_API CNumEdit : public CEdit
{
public:
    CNumEdit();

    // The first argument receives the upper bound, the second the lower.
    virtual void GetRange(float& fMax, float& fMin);
    // Upper bound first, then lower.
    virtual void SetRange(float fMax, float fMin);
    // The flag serves the owner only; the box never consults it.
    virtual BOOL Verbose();
    virtual void Verbose(BOOL bVerbose);
    // 0 valid, 1 out of range, 2 not a number; text behind the number is ignored; no report.
    virtual int IsValid(const CString& strText);
    // The window text: 0 valid, 1 out of range or too many decimals, 2 not a number or a
    // character outside the allowed set; a failure on a non-empty text is reported.
    virtual int IsValid();
    // Sets the text with "%f" (six decimals).
    virtual void SetValue(float fValue);
    // 0.0 unless the window text is valid.
    virtual float GetValue();

    CString m_strValidChars;
    int m_nVerbose;
    float m_fMinValue;
    float m_fMaxValue;

protected:
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg LRESULT OnPaste(WPARAM wParam, LPARAM lParam);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg LRESULT OnEditCommand(WPARAM wParam, LPARAM lParam);
    // After a change: when the text is no longer valid, puts strBefore back, selects its last
    // character and reports as typing does. FALSE when it did.
    BOOL KeepValidText(const CString& strBefore);

    DECLARE_MESSAGE_MAP()
};
