#include "lists/RowDragOrder.h"

std::vector<int> RowDragOrder(int nRows, const std::vector<int>& dragged, int nDrop)
{
    if (nRows < 0)
        nRows = 0;
    std::vector<int> order((size_t)nRows);
    for (int i = 0; i < nRows; ++i)
        order[(size_t)i] = i;
    if (nRows < 2)
        return order;

    std::vector<char> isDragged((size_t)nRows, 0);
    std::vector<int> block;
    block.reserve(dragged.size());
    for (int r : dragged)
    {
        if (r < 0 || r >= nRows || isDragged[(size_t)r])
            continue;
        isDragged[(size_t)r] = 1;
        block.push_back(r);
    }
    if (block.empty())
        return order;
    if (nDrop < 0 || nDrop >= nRows)
        nDrop = nRows - 1;

    // The first row moved from above the drop row lands on it, so the drop row itself stays
    // before the block; moved from below (or the drop row itself) it lands before it.
    int nLast = block.front() < nDrop ? nDrop : nDrop - 1;
    int nBefore = 0;   // rows that are not dragged and stay before the block
    for (int r = 0; r <= nLast; ++r)
        nBefore += isDragged[(size_t)r] ? 0 : 1;

    size_t k = 0;
    int nSeen = 0;
    for (int r = 0; r < nRows; ++r)
    {
        if (isDragged[(size_t)r])
            continue;
        if (nSeen == nBefore)
            for (int b : block)
                order[k++] = b;
        order[k++] = r;
        ++nSeen;
    }
    if (nSeen == nBefore)
        for (int b : block)
            order[k++] = b;
    return order;
}
