// CAlphaNumericEdit: one invalid character removed per EN_UPDATE.
#include "editors/AlphaNumericEdit.h"

#include "editors/EditReport.h"
#include "editors/NumRules.h"

IMPLEMENT_DYNAMIC(CAlphaNumericEdit, CEdit)

BEGIN_MESSAGE_MAP(CAlphaNumericEdit, CEdit)
    ON_CONTROL_REFLECT_EX(EN_UPDATE, OnUpdate)
    ON_WM_CHAR()
    ON_MESSAGE(WM_PASTE, OnPaste)
    ON_WM_RBUTTONDOWN()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CAlphaNumericEdit::CAlphaNumericEdit() = default;

BOOL CAlphaNumericEdit::OnUpdate()
{
    CString strText;
    GetWindowText(strText);
    const int nInvalid = FindNonAlphaNumeric(strText);
    if (nInvalid >= 0)
    {
        const int nLength = strText.GetLength();
        strText.Delete(nInvalid);
        // Raises EN_UPDATE again: further invalid characters go one per notification.
        SetWindowText(strText);
        SetSel(nLength - 1, nLength - 1);
        ReportInputError(this, L"Invalid Character", L"Special characters are not allowed for group name");
    }
    return TRUE;   // the parent never sees EN_UPDATE from this box
}

void CAlphaNumericEdit::OnChar(UINT, UINT, UINT)
{
    Default();
}

LRESULT CAlphaNumericEdit::OnPaste(WPARAM, LPARAM)
{
    return 0;
}

void CAlphaNumericEdit::OnRButtonDown(UINT, CPoint)
{
    // Swallowed: the context menu would offer Paste.
}

void CAlphaNumericEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
}
