// CPriceLadderListCtrl: the report list of a price ladder. The host fills and paints the rows; the
// list keeps the area around them white without erasing the rows (no flicker on every tick),
// repaints whole on scrolling, and tells its parent which cell of the focused row was clicked.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

// Sent to the parent on a click in a cell of the focused row: wParam = MAKEWPARAM(row, column),
// lParam = 0.
#ifndef WM_LIST_CELLREQUEST
#define WM_LIST_CELLREQUEST (WM_APP + 1020)
#endif

class CONTROLS_API CPriceLadderListCtrl : public CListCtrl
{
    DECLARE_DYNCREATE(CPriceLadderListCtrl)
public:
    CPriceLadderListCtrl();

    // Row and column under a point (client coordinates). Only report view finds a cell: the point
    // must lie in the row's bounds and within a column's span [left, left + width], columns walked
    // by index. FALSE when either output is missing or no cell is hit.
    BOOL HitTestEx(CPoint& point, int* pnRow, int* pnCol) const;

    CRect m_rcLadder;   // kept for the host; the list does not use it

protected:
    // BOOL OnEraseBkgnd(CDC* pDC)
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    // void OnLButtonDown(UINT nFlags, CPoint point)
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    // void OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar)
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
    // BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);

    DECLARE_MESSAGE_MAP()
};
