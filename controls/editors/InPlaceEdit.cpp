// CInPlaceEdit: showing over a cell, keys that leave it, and the end-of-edit report.
#include "editors/InPlaceEdit.h"

#include "editors/EditReport.h"
#include "editors/InPlaceNotify.h"

#include <cstdlib>

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
    if (pMsg->message != WM_KEYDOWN)
        return CEdit::PreTranslateMessage(pMsg);
    const UINT nKey = (UINT)pMsg->wParam;
    if (nKey != VK_ESCAPE && nKey != VK_RETURN && nKey != VK_UP && nKey != VK_DOWN && nKey != VK_TAB)
        return CEdit::PreTranslateMessage(pMsg);

    if (nKey == VK_ESCAPE)
        m_bESC = TRUE;
    if ((nKey == VK_UP || nKey == VK_DOWN) && m_iColumnIndex == INPLACE_STEP_COLUMN)
    {
        CString strText;
        GetWindowText(strText);
        // 32-bit arithmetic, as the value is kept.
        long lValue = atol(strText);
        if (nKey == VK_UP)
            lValue = (long)(int)((unsigned int)lValue * 2u);
        else if (lValue / 2 > 0)
            lValue /= 2;
        strText.Format("%ld", lValue);
        SetWindowText(strText);
        return FALSE;
    }
    if (nKey == VK_TAB && m_pListWnd != nullptr)
    {
        m_pListWnd->SetFocus();
        m_pListWnd->PostMessage(IsShiftDown() ? WM_INPLACE_PREVCELL : WM_INPLACE_NEXTCELL, 0, 0);
    }
    else if ((nKey == VK_UP || nKey == VK_DOWN) && m_pListWnd != nullptr)
    {
        m_pListWnd->SetFocus();
        m_pListWnd->PostMessage(nKey == VK_DOWN ? WM_INPLACE_DOWNCELL : WM_INPLACE_PREVCELL, 0, 0);
    }
    if (GetSafeHwnd() != nullptr && GetParent() != nullptr)
        GetParent()->SetFocus();
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
    CString strText = m_strWindowText;
    if (!m_bESC)
        GetWindowText(strText);
    CWnd* pParent = GetParent();
    if (pParent != nullptr)
        SendEndLabelEdit(pParent, pParent->GetSafeHwnd(), GetDlgCtrlID(), pParent, m_iRowIndex, m_iColumnIndex,
                         strText.GetBuffer(), strText.GetLength());
    strText.ReleaseBuffer();
    if (bClose && GetSafeHwnd() != nullptr)
        PostMessage(WM_CLOSE);
}
