// CPriceEdit: the box for a signed decimal price. It refuses any keystroke or paste that would
// make the text invalid, groups the integer digits with commas while the user types, limits the
// decimals and the significant digits, and keeps the value within its bounds. Each refusal shows
// an error balloon on the box and beeps. The owner creates or subclasses the edit control.
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

    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg LRESULT OnPaste(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnUpdate();
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnKillFocus(CWnd* pNewWnd);

    DECLARE_MESSAGE_MAP()
};
