// Where dragged rows end up after a drop. Window-free: the lists feed it row indexes and apply the
// order it returns.
//
// The rows move one after another in selection order: the first goes to the drop row's place
// (the rows between shift towards the place it left), each further one right after the row moved
// before it. The result is computed in one pass: the dragged rows form one block, in selection
// order, and the other rows keep their order around it.
#pragma once

#include <afx.h>

#include <vector>

// The new order of nRows rows: element i is the row (before the drop) that goes to row i.
// dragged: the dragged rows in selection order; rows outside 0..nRows-1 and repeats are ignored.
// nDrop: the row dropped on; outside the rows it means after the last row. With no valid dragged
// row, or fewer than two rows, the order is unchanged.
CONTROLS_API std::vector<int> RowDragOrder(int nRows, const std::vector<int>& dragged, int nDrop);
