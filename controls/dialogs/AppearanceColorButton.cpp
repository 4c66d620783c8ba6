#include "dialogs/AppearanceColorButton.h"

IMPLEMENT_DYNAMIC(CAppearanceColorButton, CButton)

void CAppearanceColorButton::SetColor(COLORREF clr)
{
    m_clr = clr;
    if (m_hWnd != nullptr)
        Invalidate();
}

void CAppearanceColorButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect rc(lpDrawItemStruct->rcItem);
    UINT nState = DFCS_BUTTONPUSH;
    if (lpDrawItemStruct->itemState & ODS_SELECTED)
        nState |= DFCS_PUSHED;
    if (lpDrawItemStruct->itemState & ODS_DISABLED)
        nState |= DFCS_INACTIVE;
    ::DrawFrameControl(pDC->GetSafeHdc(), &rc, DFC_BUTTON, nState);
    CString csText;
    GetWindowText(csText);
    CRect swatch = rc;
    swatch.DeflateRect(4, 4);
    if (!csText.IsEmpty())
        swatch.right = swatch.left + swatch.Height();
    pDC->FillSolidRect(&swatch, ::GetSysColor(COLOR_BTNSHADOW));
    swatch.DeflateRect(1, 1);
    pDC->FillSolidRect(&swatch, (lpDrawItemStruct->itemState & ODS_DISABLED) ? ::GetSysColor(COLOR_BTNFACE) : m_clr);
    if (!csText.IsEmpty())
    {
        CRect rcText(swatch.right + 5, rc.top, rc.right - 4, rc.bottom);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(::GetSysColor((lpDrawItemStruct->itemState & ODS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        pDC->DrawText(csText, &rcText, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    }
    if (lpDrawItemStruct->itemState & ODS_FOCUS)
    {
        CRect rcFocus = rc;
        rcFocus.DeflateRect(3, 3);
        pDC->DrawFocusRect(&rcFocus);
    }
}
