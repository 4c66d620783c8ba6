#include "widgets/ClrButton.h"

IMPLEMENT_DYNAMIC(CClrButton, CButton)

namespace
{
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kEngraved = RGB(128, 128, 128);
const int kMaxCaption = 511;
}  // namespace

CClrButton::CClrButton() : m_nFontStyle(CLR_FONT_NO_STYLE)
{
    m_clrText = ::GetSysColor(COLOR_BTNTEXT);
    m_clrBackground = ::GetSysColor(COLOR_BTNFACE);
    m_clrDisabledBackground = m_clrBackground;
    m_clrLight = ::GetSysColor(COLOR_3DLIGHT);
    m_clrHighlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    m_clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    m_clrDarkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
}

CClrButton::~CClrButton() = default;

void CClrButton::Repaint()
{
    if (GetSafeHwnd() != nullptr)
        Invalidate(FALSE);
}

void CClrButton::SetColour(COLORREF clrText, COLORREF clrBackground)
{
    m_clrText = clrText;
    m_clrBackground = clrBackground;
    m_clrDisabledBackground = ::GetSysColor(COLOR_BTNFACE);
    Repaint();
}

void CClrButton::SetColour(COLORREF clrText, COLORREF clrBackground, COLORREF clrDisabledBackground)
{
    m_clrText = clrText;
    m_clrBackground = clrBackground;
    m_clrDisabledBackground = clrDisabledBackground;
    Repaint();
}

void CClrButton::ResetColour()
{
    m_clrText = ::GetSysColor(COLOR_BTNTEXT);
    m_clrBackground = ::GetSysColor(COLOR_BTNFACE);
    m_clrDisabledBackground = m_clrBackground;
    m_clrLight = ::GetSysColor(COLOR_3DLIGHT);
    m_clrHighlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    m_clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    m_clrDarkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
    Repaint();
}

CString CClrButton::DescribeFont(const CString& csFace, const CString& csSize, eFontStyle nStyle)
{
    if (nStyle == CLR_FONT_NO_STYLE)
        return csFace + " (" + csSize + ")";
    const char* pszStyle = "Regular";
    switch ((int)nStyle)
    {
    case CLR_FONT_BOLD:
        pszStyle = "Bold";
        break;
    case CLR_FONT_ITALIC:
        pszStyle = "Italic";
        break;
    case CLR_FONT_BOLD_ITALIC:
        pszStyle = "Bold Italic";
        break;
    default:
        break;
    }
    return csFace + " (" + pszStyle + " , " + csSize + ")";
}

void CClrButton::DisplayFont(CString csFace, CString csSize, eFontStyle nStyle)
{
    if (GetSafeHwnd() != nullptr)
        SetWindowText(DescribeFont(csFace, csSize, nStyle));
    SetFont(csFace);
    SetSize(csSize);
    SetFontStyle(nStyle);
}

void CClrButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    const UINT nState = lpDrawItemStruct->itemState;
    CRect rc(lpDrawItemStruct->rcItem);

    // The caption in the button's own font (the platform selects it already; a DC handed in by
    // someone else may not have it).
    HFONT hFont = GetSafeHwnd() != nullptr ? (HFONT)SendMessage(WM_GETFONT) : nullptr;
    HGDIOBJ hOldFont = hFont != nullptr ? ::SelectObject(pDC->m_hDC, hFont) : nullptr;

    const bool bDisabled = (nState & ODS_DISABLED) != 0;
    const bool bPressed = (nState & ODS_SELECTED) != 0;
    const bool bFocused = (nState & ODS_FOCUS) != 0;
    const bool bDefault = (nState & ODS_DEFAULT) != 0;

    DrawFilledRect(pDC, rc, bDisabled ? m_clrDisabledBackground : m_clrBackground);

    if (bPressed)
        DrawFrame(pDC, rc, FRAME_PRESSED);
    else if (!bDefault && !bFocused)
        DrawFrame(pDC, rc, FRAME_RAISED);
    else
    {
        CRect rcInner = rc;
        DrawFrame(pDC, rcInner, FRAME_OUTLINE);
        rcInner.DeflateRect(1, 1);
        DrawFrame(pDC, rcInner, FRAME_RAISED);
    }

    char szCaption[kMaxCaption + 1] = "";
    if (GetSafeHwnd() != nullptr)
        ::GetWindowTextA(m_hWnd, szCaption, sizeof(szCaption));
    CRect rcShifted = rc;
    rcShifted.OffsetRect(-1, -1);
    if (bDisabled)
    {
        DrawButtonText(pDC, rc, szCaption, kWhite);
        DrawButtonText(pDC, rcShifted, szCaption, kEngraved);
    }
    else if (bPressed)
        DrawButtonText(pDC, rc, szCaption, m_clrText);
    else
        DrawButtonText(pDC, rcShifted, szCaption, m_clrText);

    if (bFocused)
    {
        CRect rcFocus = rcShifted;
        rcFocus.DeflateRect(4, 4);
        pDC->DrawFocusRect(&rcFocus);
    }
    if (hOldFont != nullptr)
        ::SelectObject(pDC->m_hDC, hOldFont);
}

void CClrButton::DrawFrame(CDC* pDC, CRect rc, int nFrame)
{
    auto edges = [&](const CRect& r, COLORREF clrTopLeft, COLORREF clrBottomRight) {
        DrawLine(pDC, r.left, r.top, r.right, r.top, clrTopLeft);
        DrawLine(pDC, r.left, r.top, r.left, r.bottom, clrTopLeft);
        DrawLine(pDC, r.left, r.bottom - 1, r.right, r.bottom - 1, clrBottomRight);
        DrawLine(pDC, r.right - 1, r.top, r.right - 1, r.bottom, clrBottomRight);
    };
    switch (nFrame)
    {
    case FRAME_OUTLINE:
        edges(rc, kBlack, kBlack);
        break;
    case FRAME_PRESSED:
        edges(rc, m_clrDarkShadow, m_clrDarkShadow);
        rc.DeflateRect(1, 1);
        edges(rc, m_clrShadow, m_clrShadow);
        break;
    default:
        edges(rc, m_clrHighlight, m_clrDarkShadow);
        rc.DeflateRect(1, 1);
        edges(rc, m_clrLight, m_clrShadow);
        break;
    }
}

void CClrButton::DrawFilledRect(CDC* pDC, CRect rc, COLORREF clr)
{
    CBrush brush(clr);
    pDC->FillRect(&rc, &brush);
}

void CClrButton::DrawLine(CDC* pDC, long nStartX, long nStartY, long nEndX, long nEndY, COLORREF clr)
{
    CPen pen(PS_SOLID, 1, clr);
    CPen* pOld = pDC->SelectObject(&pen);
    pDC->MoveTo((int)nStartX, (int)nStartY);
    pDC->LineTo((int)nEndX, (int)nEndY);
    pDC->SelectObject(pOld);
}

void CClrButton::DrawButtonText(CDC* pDC, CRect rc, LPCTSTR lpszText, COLORREF clrText)
{
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF clrOld = pDC->SetTextColor(clrText);
    pDC->DrawText(lpszText, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(nOldMode);
}
