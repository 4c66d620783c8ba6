// CInPlaceEdit: showing over a cell, keys that leave it, and the end-of-edit report.
#include "editors/InPlaceEdit.h"

#include "editors/EditReport.h"
#include "editors/InPlaceNotify.h"


CInPlaceEdit* CInPlaceEdit::m_pInPlaceEdit = nullptr;

BEGIN_MESSAGE_MAP(CInPlaceEdit, CEdit)
    ON_WM_CREATE()
    ON_WM_KILLFOCUS()
    ON_WM_DESTROY()
    ON_WM_CHAR()
    ON_MESSAGE(WM_PASTE, OnPaste)
    ON_CONTROL_REFLECT_EX(EN_UPDATE, OnUpdate)
END_MESSAGE_MAP()

CInPlaceEdit::CInPlaceEdit() : m_iRowIndex(-1), m_iColumnIndex(-1), m_bESC(FALSE), m_pListWnd(nullptr)
{
}

CInPlaceEdit::~CInPlaceEdit()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

CInPlaceEdit* CInPlaceEdit::GetInstance()
{
    if (m_pInPlaceEdit == nullptr)
        m_pInPlaceEdit = new CInPlaceEdit;
    return m_pInPlaceEdit;
}

void CInPlaceEdit::DeleteInstance()
{
    delete m_pInPlaceEdit;
    m_pInPlaceEdit = nullptr;
}

BOOL CInPlaceEdit::ShowEditCtrl(DWORD dwStyle, const RECT& rCellRect, CWnd* pParentWnd, UINT uiResourceID,
                                int iRowIndex, int iColumnIndex, CString& strValidChars, CString& rstrCurSelection,
                                CWnd* pListWnd)
{
    m_iRowIndex = iRowIndex;
    m_iColumnIndex = iColumnIndex;
    m_strValidChars = strValidChars;
    m_strWindowText = rstrCurSelection;
    m_pListWnd = pListWnd;
    m_bESC = FALSE;
    if (GetSafeHwnd() != nullptr)
        return TRUE;
    m_bEnded = false;
    if (Create(dwStyle | WS_CHILD, rCellRect, pParentWnd, uiResourceID))
        return TRUE;
    m_bEnded = true;
    return FALSE;
}

int CInPlaceEdit::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CEdit::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (CWnd* pParent = GetParent())
        SetFont(pParent->GetFont());
    ShowWindow(SW_SHOW);
    m_strLastValid = m_strWindowText;
    SetWindowText(m_strWindowText);
    SetSel(0, -1);
    SetFocus();
    return 0;
}

bool CInPlaceEdit::IsValidText(const CString& strText) const
{
    if (m_strValidChars.IsEmpty())
        return true;
    for (int i = 0; i < strText.GetLength(); ++i)
    {
        if (m_strValidChars.Find(strText[i]) < 0)
            return false;
    }
    return true;
}

void CInPlaceEdit::OnChar(UINT nChar, UINT, UINT)
{
    // Backspace and the copy, paste and cut controls pass; anything else must be in the set.
    const bool bControl = nChar == 8 || nChar == 3 || nChar == 22 || nChar == 24;
    if (!m_strValidChars.IsEmpty() && !bControl && (nChar > 255 || m_strValidChars.Find((TCHAR)nChar) < 0))
    {
        ReportInputError(this, L"Unacceptable Character", L"You can only type a number here.");
        return;
    }
    Default();
}

LRESULT CInPlaceEdit::OnPaste(WPARAM, LPARAM)
{
    if (m_strValidChars.IsEmpty() || !IsValidText(GetClipboardText(this)))
        return 0;
    return Default();
}

BOOL CInPlaceEdit::OnUpdate()
{
    // Text may arrive without WM_CHAR or WM_PASTE (the edit's own context menu, Shift+Insert
    // under Wine): put back the last accepted text when it broke the set.
    CString strText;
    GetWindowText(strText);
    if (IsValidText(strText))
    {
        m_strLastValid = strText;
        return FALSE;
    }
    SetWindowText(m_strLastValid);
    SetSel(m_strLastValid.GetLength(), m_strLastValid.GetLength());
    return FALSE;
}

BOOL CInPlaceEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN &&
        HandleInPlaceEditKey(this, (UINT)pMsg->wParam, m_iColumnIndex, m_pListWnd, m_bESC, false))
        return FALSE;
    // Enter and Escape end the edit and stop here: a dialog holding the list must not take them
    // for its default or cancel button.
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE))
        return TRUE;
    return CEdit::PreTranslateMessage(pMsg);
}

void CInPlaceEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    EndEdit(true);
}

void CInPlaceEdit::OnDestroy()
{
    EndEdit(false);
    CEdit::OnDestroy();
}

void CInPlaceEdit::EndEdit(bool bClose)
{
    if (m_bEnded)
        return;
    m_bEnded = true;
    ReportInPlaceEditEnd(this, m_iRowIndex, m_iColumnIndex, m_strWindowText, m_bESC, false, bClose);
}
