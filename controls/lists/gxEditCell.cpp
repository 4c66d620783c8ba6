// gxEditCell: the accepted characters, the keys that move to other rows, and the report.
#include "lists/gxEditCell.h"

#include "editors/EditReport.h"
#include "editors/InPlaceNotify.h"
#include "lists/gxListCtrl.h"

BEGIN_MESSAGE_MAP(gxEditCell, CEdit)
    ON_WM_CREATE()
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
    ON_WM_KEYUP()
    ON_WM_KILLFOCUS()
    ON_WM_DESTROY()
    ON_WM_GETDLGCODE()
    ON_MESSAGE(WM_PASTE, OnPaste)
    ON_CONTROL_REFLECT_EX(EN_UPDATE, OnUpdate)
END_MESSAGE_MAP()

namespace
{
bool IsAcceptedText(const CString& csText)
{
    return csText.SpanIncluding(GX_EDIT_CELL_CHARS).GetLength() == csText.GetLength();
}

bool IsCtrlDown()
{
    return (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
}
}  // namespace

gxEditCell::gxEditCell(gxListCtrl* pList, int nItem, int nSubItem, CString csInitText)
    : m_pListCtrl(pList), m_nItem(nItem), m_nSubItem(nSubItem), m_csInitText(csInitText), m_bEscape(FALSE)
{
}

int gxEditCell::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CEdit::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (m_pListCtrl != nullptr)
        SetFont(m_pListCtrl->GetFont());
    m_csLastValid = m_csInitText;
    SetWindowText(m_csInitText);
    SetFocus();
    SetSel(0, -1);
    return 0;
}

UINT gxEditCell::OnGetDlgCode()
{
    return CEdit::OnGetDlgCode() | DLGC_WANTARROWS | DLGC_WANTTAB;
}

BOOL gxEditCell::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN)
    {
        if (pMsg->wParam == VK_RETURN)
        {
            gxListCtrl* pList = m_pListCtrl;
            if (pList != nullptr)
            {
                pList->SetFocus();   // ends this edit; this object is gone now
                pList->OnEnter();
            }
            return TRUE;
        }
        if (pMsg->wParam == VK_DELETE || pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_UP ||
            pMsg->wParam == VK_DOWN || IsCtrlDown())
        {
            ::TranslateMessage(pMsg);
            ::DispatchMessageA(pMsg);
            return TRUE;
        }
    }
    return CEdit::PreTranslateMessage(pMsg);
}

void gxEditCell::OnChar(UINT nChar, UINT, UINT)
{
    if (nChar == VK_TAB)
        return;
    if (nChar == VK_RETURN || nChar == VK_ESCAPE)
    {
        if (nChar == VK_ESCAPE)
            m_bEscape = TRUE;
        if (m_pListCtrl != nullptr)
            m_pListCtrl->SetFocus();
        return;
    }
    const bool bAccepted = (nChar < 256 && strchr(GX_EDIT_CELL_CHARS, (int)nChar) != nullptr && nChar != 0) ||
                           nChar == VK_BACK || nChar == 3 || nChar == 24 ||
                           (nChar == 22 && IsAcceptedText(GetClipboardText(this)));
    if (!bAccepted)
    {
        if (nChar != 22)
            AfxMessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    Default();
    if (GetSafeHwnd() != nullptr)
        WidenEditToText(this, m_pListCtrl);
}

LRESULT gxEditCell::OnPaste(WPARAM, LPARAM)
{
    if (!IsAcceptedText(GetClipboardText(this)))
        return 0;
    return Default();
}

BOOL gxEditCell::OnUpdate()
{
    // Text may arrive without WM_CHAR or WM_PASTE (the edit's own context menu, Shift+Insert
    // under Wine): put back the last accepted text when it holds anything else.
    CString csText;
    GetWindowText(csText);
    if (IsAcceptedText(csText))
    {
        m_csLastValid = csText;
        return FALSE;
    }
    SetWindowText(m_csLastValid);
    SetSel(m_csLastValid.GetLength(), m_csLastValid.GetLength());
    return FALSE;
}

void gxEditCell::MoveToRow(int nRow)
{
    gxListCtrl* pList = m_pListCtrl;
    const int nSubItem = m_nSubItem;
    if (pList == nullptr)
        return;
    pList->SetFocus();   // ends this edit; this object is gone now
    if (::IsWindow(pList->GetSafeHwnd()))
        pList->EditSubItem(nRow, nSubItem);
}

void gxEditCell::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const int nCount = m_pListCtrl != nullptr ? m_pListCtrl->GetItemCount() : 0;
    switch (nChar)
    {
    case VK_UP:
        if (m_nItem > 0)
            MoveToRow(m_nItem - 1);
        return;
    case VK_DOWN:
        if (m_nItem + 1 < nCount)
            MoveToRow(m_nItem + 1);
        return;
    case VK_HOME:
        if (IsCtrlDown())
        {
            MoveToRow(0);
            return;
        }
        break;
    case VK_END:
        if (IsCtrlDown() && nCount > 0)
        {
            MoveToRow(nCount - 1);
            return;
        }
        break;
    default:
        break;
    }
    CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void gxEditCell::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if ((nChar == VK_PRIOR || nChar == VK_NEXT) && m_pListCtrl != nullptr)
    {
        const int nCount = m_pListCtrl->GetItemCount();
        const int nPage = m_pListCtrl->GetCountPerPage();
        int nRow = nChar == VK_PRIOR ? m_nItem - nPage : m_nItem + nPage;
        if (nRow < 0)
            nRow = 0;
        if (nRow > nCount - 1)
            nRow = nCount - 1;
        if (nRow >= 0)
            MoveToRow(nRow);
        return;
    }
    CEdit::OnKeyUp(nChar, nRepCnt, nFlags);
}

void gxEditCell::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    EndEdit(true);
}

void gxEditCell::OnDestroy()
{
    EndEdit(false);
    CEdit::OnDestroy();
}

void gxEditCell::EndEdit(bool bDestroy)
{
    if (m_bEnded)
        return;
    m_bEnded = true;
    CString csText;
    GetWindowText(csText);
    // The receiver may destroy the list, and with it this editor (which deletes itself): only the
    // handle is used after the report.
    const HWND hWnd = m_hWnd;
    if (m_pListCtrl != nullptr && ::IsWindow(m_pListCtrl->GetSafeHwnd()))
    {
        if (CWnd* pTarget = m_pListCtrl->GetParent())
            SendEndLabelEdit(pTarget, m_pListCtrl->GetSafeHwnd(), GX_EDIT_CELL_ID, m_pListCtrl, m_nItem, m_nSubItem,
                             m_bEscape ? nullptr : csText.GetBuffer(), csText.GetLength());
    }
    if (bDestroy && ::IsWindow(hWnd))
        ::DestroyWindow(hWnd);
}

void gxEditCell::PostNcDestroy()
{
    delete this;
}
