// CPriceLadderListCtrl: white margins, whole repaint on scrolling, cell clicks to the parent.
#include "market/PriceLadderListCtrl.h"
#include "lists/CellHitTest.h"

IMPLEMENT_DYNCREATE(CPriceLadderListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CPriceLadderListCtrl, CListCtrl)
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

CPriceLadderListCtrl::CPriceLadderListCtrl() : m_rcLadder(0, 0, 0, 0)
{
}

BOOL CPriceLadderListCtrl::HitTestEx(CPoint& point, int* pnRow, int* pnCol) const
{
    return HitTestReportCell(*this, point, pnRow, pnCol);
}

void CPriceLadderListCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    int nRow = -1;
    int nCol = -1;
    // Outside every cell the click is swallowed: the selection stays as it is.
    if (!HitTestEx(point, &nRow, &nCol))
        return;
    HWND hWnd = m_hWnd;
    CListCtrl::OnLButtonDown(nFlags, point);
    if (!::IsWindow(hWnd))
        return;
    if (nRow != -1 && (GetItemState(nRow, LVIS_FOCUSED) & LVIS_FOCUSED))
    {
        HWND hParent = ::GetParent(m_hWnd);
        if (hParent != nullptr)
            ::SendMessageA(hParent, WM_LIST_CELLREQUEST, MAKEWPARAM(nRow & 0xFFFF, nCol & 0xFFFF), 0);
    }
}

BOOL CPriceLadderListCtrl::OnEraseBkgnd(CDC* pDC)
{
    const int nCount = GetItemCount();
    CRect rcClip;
    const int nRegion = pDC->GetClipBox(&rcClip);
    if (nCount == 0 || nRegion == NULLREGION || nRegion == ERROR || rcClip.IsRectEmpty())
        return CListCtrl::OnEraseBkgnd(pDC);

    const int nFirst = GetTopIndex();
    int nLast = nFirst + GetCountPerPage();
    if (nLast > nCount - 1)
        nLast = nCount - 1;
    CRect rcFirst;
    CRect rcLast;
    if (!GetItemRect(nFirst, &rcFirst, LVIR_BOUNDS) || !GetItemRect(nLast, &rcLast, LVIR_BOUNDS))
        return CListCtrl::OnEraseBkgnd(pDC);

    const COLORREF crWhite = RGB(255, 255, 255);
    CRect rcAbove(rcClip.left, rcClip.top, rcClip.right, rcFirst.top);
    CRect rcBelow(rcClip.left, rcLast.bottom, rcClip.right, rcClip.bottom);
    CRect rcRight(rcFirst.right, rcFirst.top, rcClip.right, rcLast.bottom);
    if (rcAbove.bottom > rcAbove.top)
        pDC->FillSolidRect(&rcAbove, crWhite);
    if (rcBelow.bottom > rcBelow.top)
        pDC->FillSolidRect(&rcBelow, crWhite);
    if (rcRight.right > rcRight.left && rcRight.bottom > rcRight.top)
        pDC->FillSolidRect(&rcRight, crWhite);
    return TRUE;
}

void CPriceLadderListCtrl::OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar)
{
    Invalidate(TRUE);
    CListCtrl::OnVScroll(nSBCode, nPos, pScrollBar);
}

BOOL CPriceLadderListCtrl::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    Invalidate(TRUE);
    return CListCtrl::OnMouseWheel(nFlags, zDelta, pt);
}
