// CPriceEdit: the box for a signed decimal price. It refuses any keystroke or paste that would
// make the text invalid, groups the integer digits with commas while the user types, limits the
// decimals and the significant digits, and keeps the value within its bounds. Each refusal shows
// an error balloon on the box and beeps. The owner creates or subclasses the edit control.
// Whatever way text arrives (typing, WM_PASTE, Ctrl+V, Shift+Insert, the context menu's Paste, Cut,
// Delete and Undo, the Delete key), a change that leaves an invalid text is undone.
#pragma once

#include <afxwin.h>

class CONTROLS_API CPriceEdit : public CEdit
{
    DECLARE_DYNAMIC(CPriceEdit)
public:
    CPriceEdit();

    void setPrecision(int nPrecision);
    void SetMaxDigit(int nMaxDigit);

    // Checks a comma-free text; reports its own failures.
    BOOL IsPriceValid(CString strText);
    CString GetTrueValue(CString strText);
    CString GetCommaData(CString& strText);
    // Replaces the window text by its display form.
    void SetDisplayText();
    // Keystroke pre-check for owners: 1 lets the character through, 0 refuses it.
    int processCharacter(unsigned int nChar);

    double m_dMaxDigit;          // significant digits allowed (integer plus decimals)
    CString m_strValidChars;     // every character of a valid text is one of these
    double m_dMinValue;
    double m_dMaxValue;
    bool m_bFormatEnabled;       // cleared while the box rewrites its own text
    int m_nPrecision;            // decimals allowed

protected:
    void ReportFailure(int nReport);
    // The report IsPriceValid would give a comma-free text (PRICE_VALID or one of A, B, C),
    // without reporting it.
    int CheckPrice(const CString& strText) const;
    // After a change: when the text is no longer valid, puts strBefore and its selection back.
    // FALSE when it did.
    BOOL KeepValidText(const CString& strBefore, int nStart, int nEnd);

    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg LRESULT OnPaste(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnUpdate();
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg LRESULT OnEditCommand(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
