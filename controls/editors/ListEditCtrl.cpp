// CListEditCtrl: keys, widening and the end-of-edit report of the self-deleting label editor.
#include "editors/ListEditCtrl.h"

#include "editors/InPlaceNotify.h"

BEGIN_MESSAGE_MAP(CListEditCtrl, CEdit)
    ON_WM_CREATE()
    ON_WM_KILLFOCUS()
    ON_WM_DESTROY()
    ON_WM_CHAR()
END_MESSAGE_MAP()

CListEditCtrl::CListEditCtrl(int iItem, int iSubItem, CString sInitText)
    : m_iItem(iItem), m_iSubItem(iSubItem), m_sInitText(sInitText), m_bESC(FALSE)
{
}

int CListEditCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CEdit::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (CWnd* pParent = GetParent())
        SetFont(pParent->GetFont());
    SetWindowText(m_sInitText);
    SetFocus();
    SetSel(0, 0);
    return 0;
}

BOOL CListEditCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN)
    {
        if (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_DELETE || pMsg->wParam == VK_ESCAPE ||
            ::GetKeyState(VK_CONTROL) != 0)
        {
            ::TranslateMessage(pMsg);
            ::DispatchMessageA(pMsg);
            return TRUE;
        }
    }
    return CEdit::PreTranslateMessage(pMsg);
}

void CListEditCtrl::OnChar(UINT nChar, UINT, UINT)
{
    if (nChar == VK_ESCAPE || nChar == VK_RETURN)
    {
        if (nChar == VK_ESCAPE)
            m_bESC = TRUE;
        if (CWnd* pParent = GetParent())
            pParent->SetFocus();
        return;
    }
    Default();
    if (GetSafeHwnd() == nullptr)
        return;

    WidenEditToText(this, GetParent());
}

void CListEditCtrl::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    EndEdit(true);
}

void CListEditCtrl::OnDestroy()
{
    EndEdit(false);
    CEdit::OnDestroy();
}

void CListEditCtrl::EndEdit(bool bDestroy)
{
    if (m_bEnded)
        return;
    m_bEnded = true;
    CString strText;
    GetWindowText(strText);
    CWnd* pParent = GetParent();
    CWnd* pTarget = pParent != nullptr ? pParent->GetParent() : nullptr;
    // The receiver may destroy the list, and with it this editor (which deletes itself): only the
    // handle is used after the report.
    const HWND hWnd = m_hWnd;
    if (pTarget != nullptr)
        SendEndLabelEdit(pTarget, pParent->GetSafeHwnd(), GetDlgCtrlID(), pParent, m_iItem, m_iSubItem,
                         m_bESC ? nullptr : strText.GetBuffer(), strText.GetLength());
    if (bDestroy && ::IsWindow(hWnd))
        ::DestroyWindow(hWnd);
}

void CListEditCtrl::PostNcDestroy()
{
    delete this;
}
