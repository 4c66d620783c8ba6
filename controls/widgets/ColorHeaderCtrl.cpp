// CColorHeaderCtrl: header items tinted by the filters of the list they belong to.
#include "widgets/ColorHeaderCtrl.h"

IMPLEMENT_DYNAMIC(CColorHeaderCtrl, CHeaderCtrl)

CColorHeaderCtrl::CColorHeaderCtrl() = default;

CColorHeaderCtrl::~CColorHeaderCtrl() = default;

CFilterHeaderSource* CColorHeaderCtrl::GetSource() const
{
    if (m_hWnd == nullptr)
        return nullptr;
    HWND hList = ::GetWindow(m_hWnd, GW_OWNER);
    if (hList == nullptr)
        hList = ::GetParent(m_hWnd);
    CWnd* pList = hList ? CWnd::FromHandlePermanent(hList) : nullptr;
    return pList ? dynamic_cast<CFilterHeaderSource*>(pList) : nullptr;
}

void CColorHeaderCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMCUSTOMDRAW* pDraw = reinterpret_cast<NMCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    if (pDraw->dwDrawStage == CDDS_PREPAINT)
    {
        *pResult = CDRF_NOTIFYITEMDRAW;
        return;
    }
    if (pDraw->dwDrawStage != CDDS_ITEMPREPAINT)
        return;
    CFilterHeaderSource* pSource = GetSource();
    if (pSource == nullptr)
        return;
    COLORREF back;
    if (pSource->IsHeaderPositionFiltered((int)pDraw->dwItemSpec))
        back = HEADER_FILTERED_COLOR;
    else if (pSource->GetFilterCount() > 0)
        back = HEADER_ANYFILTER_COLOR;
    else
        back = ::GetSysColor(COLOR_BTNFACE);
    ::SetTextColor(pDraw->hdc, RGB(0, 0, 0));
    ::SetBkColor(pDraw->hdc, back);
    // The platform fills the item with the background colour only where it draws text; the
    // whole item gets it here so that the tint shows.
    HBRUSH hBrush = ::CreateSolidBrush(back);
    RECT rc = pDraw->rc;
    ::InflateRect(&rc, -1, -1);
    ::FillRect(pDraw->hdc, &rc, hBrush);
    ::DeleteObject(hBrush);
    ::SetBkMode(pDraw->hdc, TRANSPARENT);
    *pResult = CDRF_NEWFONT;
}

BOOL CColorHeaderCtrl::OnEraseBkgnd(CDC* pDC)
{
    CFilterHeaderSource* pSource = GetSource();
    RECT rc;
    GetClientRect(&rc);
    COLORREF color = pSource != nullptr && pSource->PaintsHeaderBackground() && pSource->GetDisplayCount() > 0
                         ? HEADER_ANYFILTER_COLOR
                         : ::GetSysColor(COLOR_BTNFACE);
    pDC->FillSolidRect(&rc, color);
    return TRUE;
}

BEGIN_MESSAGE_MAP(CColorHeaderCtrl, CHeaderCtrl)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()
