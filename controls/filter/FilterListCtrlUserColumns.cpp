// CFilterListCtrl: keeping the filters and trend columns, which are kept by column index, on their
// columns when the user-defined column dialog removes columns.
#include "filter/FilterListCtrl.h"

namespace
{
// The index a column has after the removal, -1 for a removed one (removed: ascending).
int IndexAfterRemoval(int nColumn, const CArray<int, int>& removed)
{
    int nBelow = 0;
    for (INT_PTR i = 0; i < removed.GetSize(); ++i)
    {
        if (removed[i] == nColumn)
            return -1;
        if (removed[i] < nColumn)
            ++nBelow;
    }
    return nColumn - nBelow;
}
}  // namespace

void CFilterListCtrl::OnUserColumnsRemoved(const CArray<int, int>& columns)
{
    if (columns.IsEmpty())
        return;
    bool bFiltersChanged = false;
    const INT_PTR nFilters = m_arrFilteredCols.GetSize() < m_arrFilterTexts.GetSize() ? m_arrFilteredCols.GetSize()
                                                                                       : m_arrFilterTexts.GetSize();
    for (INT_PTR k = nFilters - 1; k >= 0; --k)
    {
        const int nAfter = IndexAfterRemoval(m_arrFilteredCols[k], columns);
        if (nAfter == m_arrFilteredCols[k])
            continue;
        bFiltersChanged = true;
        if (nAfter < 0)
        {
            m_arrFilteredCols.RemoveAt(k);
            m_arrFilterTexts.RemoveAt(k);
        }
        else
        {
            m_arrFilteredCols[k] = nAfter;
        }
    }
    if (bFiltersChanged)
        PopulateList();

    if (m_mapTrend.IsEmpty())
        return;
    CArray<int, int> trends;
    bool bTrendsChanged = false;
    POSITION pos = m_mapTrend.GetStartPosition();
    while (pos != nullptr)
    {
        int nColumn = 0;
        CTrendValueArray* pArray = nullptr;
        m_mapTrend.GetNextAssoc(pos, nColumn, pArray);
        const int nAfter = IndexAfterRemoval(nColumn, columns);
        bTrendsChanged = bTrendsChanged || nAfter != nColumn;
        if (nAfter >= 0)
            trends.Add(nAfter);
    }
    if (bTrendsChanged)
        SetTrendColumns(&trends);
}
