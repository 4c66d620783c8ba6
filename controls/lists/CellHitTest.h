// The cell of a report-view list under a point, found by walking the columns' widths from the
// row's left edge.
#pragma once

#include <afxcmn.h>

// Row = the platform's hit test of the point, column = 0; TRUE only in report view when the point
// lies in the row and within a column's span, whose index is then stored. The span is
// [left, left + width], so the pixel between two columns belongs to the left one. FALSE without
// touching either output when one is null.
BOOL HitTestReportCell(const CListCtrl& list, CPoint point, int* pRow, int* pColumn);
