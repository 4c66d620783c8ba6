// CAlphaNumericEdit: invalid characters removed on EN_UPDATE, pastes refused on every route.
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
    ON_WM_KEYDOWN()
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

CAlphaNumericEdit::CAlphaNumericEdit() = default;

BOOL CAlphaNumericEdit::OnUpdate()
{
    CString strText;
    GetWindowText(strText);
    if (FindNonAlphaNumeric(strText) >= 0)
    {
        // Every invalid character goes in one pass and one text change. (Removing one per
        // notification nests a notification per character: thousands of pasted characters
        // would exhaust the stack and stay.) The new text raises EN_UPDATE once more, which
        // finds nothing left to remove.
        const CString strKept = RemoveNonAlphaNumeric(strText);
        SetWindowText(strKept);
        SetSel(strKept.GetLength(), strKept.GetLength());
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
    // Swallowed. The context menu still comes, from WM_CONTEXTMENU: the box's own.
}

void CAlphaNumericEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
}

void CAlphaNumericEdit::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (IsPasteKey(nChar))
        return;   // a paste, refused like WM_PASTE
    Default();
}

void CAlphaNumericEdit::OnContextMenu(CWnd*, CPoint point)
{
    RunEditCommand(this, TrackEditContextMenu(this, point, FALSE));
}
