// CInPlaceCombo: showing over a cell, the items, keys and the end-of-edit report.
#include "editors/InPlaceCombo.h"

#include "editors/InPlaceNotify.h"

CInPlaceCombo* CInPlaceCombo::m_pInPlaceCombo = nullptr;

BEGIN_MESSAGE_MAP(CInPlaceCombo, CComboBox)
    ON_WM_CREATE()
    ON_WM_KILLFOCUS()
    ON_WM_DESTROY()
    ON_WM_CHAR()
    ON_CONTROL_REFLECT(CBN_CLOSEUP, OnCloseup)
    ON_CONTROL_REFLECT_EX(CBN_KILLFOCUS, OnKillFocusNotify)
END_MESSAGE_MAP()

CInPlaceCombo::CInPlaceCombo() : m_iRowIndex(-1), m_iColumnIndex(-1), m_bESC(FALSE), m_DropDownList(10)
{
}

CInPlaceCombo::~CInPlaceCombo()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

CInPlaceCombo* CInPlaceCombo::GetInstance()
{
    if (m_pInPlaceCombo == nullptr)
        m_pInPlaceCombo = new CInPlaceCombo;
    return m_pInPlaceCombo;
}

void CInPlaceCombo::DeleteInstance()
{
    delete m_pInPlaceCombo;
    m_pInPlaceCombo = nullptr;
}

BOOL CInPlaceCombo::ShowComboCtrl(DWORD dwStyle, const CRect& rCellRect, CWnd* pParentWnd, UINT uiResourceID,
                                  int iRowIndex, int iColumnIndex, CStringList* pDropDownList,
                                  CString strCurSelecction, int iCurSel)
{
    m_iRowIndex = iRowIndex;
    m_iColumnIndex = iColumnIndex;
    m_bESC = FALSE;
    m_DropDownList.RemoveAll();
    if (pDropDownList != nullptr)
        m_DropDownList.AddTail(pDropDownList);
    if (iCurSel == -1)
    {
        // With an empty text the remembered text stays as the previous edit left it.
        if (!strCurSelecction.IsEmpty())
            m_strWindowText = strCurSelecction;
    }
    else if (pDropDownList != nullptr && iCurSel >= 0)
    {
        POSITION pos = pDropDownList->FindIndex(iCurSel);
        m_strWindowText = pos != nullptr ? pDropDownList->GetAt(pos) : CString();
    }
    if (GetSafeHwnd() != nullptr)
        return TRUE;

    m_bEnded = false;
    if (!Create(dwStyle | WS_CHILD, rCellRect, pParentWnd, uiResourceID))
    {
        m_bEnded = true;
        return FALSE;
    }
    if (iCurSel == -1)
    {
        if (!strCurSelecction.IsEmpty())
            SelectString(0, strCurSelecction);
        else
            SetCurSel(0);
    }
    else
    {
        SetCurSel(iCurSel);
    }
    return TRUE;
}

int CInPlaceCombo::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CComboBox::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (CWnd* pParent = GetParent())
        SetFont(pParent->GetFont());
    SetFocus();
    ResetContent();
    for (POSITION pos = m_DropDownList.GetHeadPosition(); pos != nullptr;)
        AddString(m_DropDownList.GetNext(pos));
    return 0;
}

BOOL CInPlaceCombo::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN)
    {
        if (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE)
        {
            // Handled here and now, so that the combo's own WM_CHAR handling sees them; consumed,
            // so that a dialog holding the list does not press its default or cancel button.
            // With an edit part the key arrives at that part, whose characters never reach the
            // combo: it ends the edit here.
            if (pMsg->hwnd != m_hWnd)
            {
                EndOnKey((UINT)pMsg->wParam);
                return TRUE;
            }
            ::TranslateMessage(pMsg);
            ::DispatchMessageA(pMsg);
            return TRUE;
        }
        if (pMsg->wParam == VK_TAB)
        {
            if (CWnd* pOwner = GetOwner())
            {
                pOwner->SetFocus();
                pOwner->PostMessage(IsShiftDown() ? WM_INPLACE_PREVCELL : WM_INPLACE_NEXTCELL, 0, 0);
            }
        }
    }
    return CComboBox::PreTranslateMessage(pMsg);
}

void CInPlaceCombo::OnChar(UINT nChar, UINT, UINT)
{
    if (nChar == VK_ESCAPE || nChar == VK_RETURN)
    {
        EndOnKey(nChar);
        return;
    }
    Default();
}

void CInPlaceCombo::EndOnKey(UINT nChar)
{
    if (nChar == VK_ESCAPE)
        m_bESC = TRUE;
    if (CWnd* pParent = GetParent())
        pParent->SetFocus();
}

void CInPlaceCombo::OnCloseup()
{
    if (CWnd* pParent = GetParent())
        pParent->SetFocus();
}

void CInPlaceCombo::OnKillFocus(CWnd* pNewWnd)
{
    CComboBox::OnKillFocus(pNewWnd);
    // The focus moving between the box and its own edit or list part is not the end of the edit.
    if (pNewWnd != nullptr && ::IsChild(m_hWnd, pNewWnd->GetSafeHwnd()))
        return;
    EndEdit();
}

BOOL CInPlaceCombo::OnKillFocusNotify()
{
    const HWND hFocus = ::GetFocus();
    if (hFocus != m_hWnd && !::IsChild(m_hWnd, hFocus))
        EndEdit();
    return FALSE;
}

void CInPlaceCombo::OnDestroy()
{
    EndEdit(false);
    CComboBox::OnDestroy();
}

void CInPlaceCombo::EndEdit(bool bClose)
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
