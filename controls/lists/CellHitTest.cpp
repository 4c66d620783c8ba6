#include "lists/CellHitTest.h"

BOOL HitTestReportCell(const CListCtrl& list, CPoint point, int* pRow, int* pColumn)
{
    if (pRow == nullptr || pColumn == nullptr)
        return FALSE;
    *pRow = list.HitTest(point, nullptr);
    *pColumn = 0;
    if ((list.GetStyle() & LVS_TYPEMASK) != LVS_REPORT || *pRow < 0)
        return FALSE;
    CRect rcRow;
    if (!list.GetItemRect(*pRow, &rcRow, LVIR_BOUNDS) || !rcRow.PtInRect(point))
        return FALSE;
    CHeaderCtrl* pHeader = list.GetHeaderCtrl();
    const int nColumns = pHeader != nullptr ? pHeader->GetItemCount() : 0;
    int x = rcRow.left;
    for (int c = 0; c < nColumns; ++c)
    {
        const int nWidth = list.GetColumnWidth(c);
        if (point.x >= x && point.x <= x + nWidth)
        {
            *pColumn = c;
            return TRUE;
        }
        x += nWidth;
    }
    return FALSE;
}
