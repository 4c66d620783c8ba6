// CInPlacePriceEditBase: showing, colours, keys and the report of the price and quantity editors.
#include "editors/InPlacePriceEditBase.h"

#include "editors/InPlaceNotify.h"


BEGIN_MESSAGE_MAP(CInPlacePriceEditBase, CPriceEdit)
    ON_WM_CREATE()
    ON_WM_KILLFOCUS()
    ON_WM_DESTROY()
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

CInPlacePriceEditBase::CInPlacePriceEditBase()
    : m_iRowIndex(-1), m_iColumnIndex(-1), m_bESC(FALSE), m_pListWnd(nullptr), m_crText(0),
      m_crBackGnd(::GetSysColor(COLOR_WINDOW))
{
}

CInPlacePriceEditBase::~CInPlacePriceEditBase()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
    m_brBackGnd.DeleteObject();
}

BOOL CInPlacePriceEditBase::ShowCtrl(DWORD dwStyle, const RECT& rCellRect, CWnd* pParentWnd, UINT uiResourceID,
                                     int iRowIndex, int iColumnIndex, CString& rstrCurSelection, CWnd* pListWnd)
{
    rstrCurSelection.Trim();
    m_iRowIndex = iRowIndex;
    m_iColumnIndex = iColumnIndex;
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

void CInPlacePriceEditBase::SetTextColor(COLORREF crText)
{
    m_crText = crText;
    if (GetSafeHwnd() != nullptr)
        Invalidate(TRUE);
}

void CInPlacePriceEditBase::SetBackColor(COLORREF crBackGnd)
{
    m_crBackGnd = crBackGnd;
    if (m_brBackGnd.GetSafeHandle() != nullptr)
        m_brBackGnd.DeleteObject();
    m_brBackGnd.CreateSolidBrush(crBackGnd);
    if (GetSafeHwnd() != nullptr)
        Invalidate(TRUE);
}

HBRUSH CInPlacePriceEditBase::CtlColor(CDC* pDC, UINT)
{
    if (m_brBackGnd.GetSafeHandle() == nullptr)
        return nullptr;
    pDC->SetTextColor(m_crText);
    pDC->SetBkColor(m_crBackGnd);
    return (HBRUSH)m_brBackGnd.GetSafeHandle();
}

int CInPlacePriceEditBase::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CPriceEdit::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (CWnd* pParent = GetParent())
        SetFont(pParent->GetFont());
    ShowWindow(SW_SHOW);
    SetWindowText(GetCommaData(m_strWindowText));
    SetSel(0, -1);
    SetFocus();
    SetBackColor(RGB(238, 232, 170));
    SetTextColor(RGB(139, 69, 19));
    return 0;
}

BOOL CInPlacePriceEditBase::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN &&
        HandleInPlaceEditKey(this, (UINT)pMsg->wParam, m_iColumnIndex, m_pListWnd, m_bESC, true))
        return FALSE;
    // Enter and Escape end the edit and stop here: a dialog holding the list must not take them
    // for its default or cancel button.
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE))
        return TRUE;
    return CPriceEdit::PreTranslateMessage(pMsg);
}

void CInPlacePriceEditBase::OnKillFocus(CWnd* pNewWnd)
{
    CPriceEdit::OnKillFocus(pNewWnd);
    EndEdit(true);
}

void CInPlacePriceEditBase::OnDestroy()
{
    EndEdit(false);
    CPriceEdit::OnDestroy();
}

void CInPlacePriceEditBase::EndEdit(bool bClose)
{
    if (m_bEnded)
        return;
    m_bEnded = true;
    ReportInPlaceEditEnd(this, m_iRowIndex, m_iColumnIndex, m_strWindowText, m_bESC, true, bClose);
}
