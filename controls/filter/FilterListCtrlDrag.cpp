// CFilterListCtrl: check states for the header check box, and rows dropped after a drag. A drop
// rearranges the map (the records, their check states and trend values move together) and
// repopulates; under reverse display screen rows are mirrored as everywhere else.
#include "filter/FilterListCtrl.h"

#include <algorithm>

int CFilterListCtrl::GetRowCheck(int nRow)
{
    if (!m_bUseFilter)
        return CCommonListCtrl::GetRowCheck(nRow);
    return GetCheck(nRow);
}

void CFilterListCtrl::SetRowCheck(int nRow, int nCheck)
{
    if (!m_bUseFilter)
        CCommonListCtrl::SetRowCheck(nRow, nCheck);
    else
        SetCheck(nRow, nCheck);
}

DWORD_PTR CFilterListCtrl::RowKey(int nRow)
{
    if (!m_bUseFilter)
        return CCommonListCtrl::RowKey(nRow);
    // The row's record: the platform holds no item data for the rows the list gives it.
    if (nRow < 0 || nRow >= std::min(m_nDisplayCount, (int)m_arrDisplay.GetSize()))
        return 0;
    const int m = m_arrDisplay[Mirror(nRow)];
    return m >= 0 && m < m_arrMap.GetSize() ? (DWORD_PTR)m_arrMap[m] : 0;
}

void CFilterListCtrl::MoveDraggedRows(const std::vector<int>& nNewOrder, const CArray<UINT, UINT>& arrDragged)
{
    if (!m_bUseFilter)
        return;
    const int n = std::min(m_nDisplayCount, (int)m_arrDisplay.GetSize());
    if ((int)nNewOrder.size() != n || n < 2 || arrDragged.IsEmpty())
        return;
    if (arrDragged.GetSize() == 1)
    {
        // One row: its record moves to the map place of the row it lands on.
        int nFrom = (int)arrDragged[0];
        auto it = std::find(nNewOrder.begin(), nNewOrder.end(), nFrom);
        int nTo = it != nNewOrder.end() ? (int)(it - nNewOrder.begin()) : nFrom;
        if (nTo != nFrom)
            RearrangeArrayForDragDrop(nFrom, nTo);
        PopulateList();
        return;
    }

    // Several rows: the displayed records take the map places the displayed rows held, in their
    // new order; records filtered out stay where they are.
    const INT_PTR nMap = m_arrMap.GetSize();
    std::vector<int> slots((size_t)n), source((size_t)n);
    for (int j = 0; j < n; ++j)
    {
        slots[(size_t)j] = m_arrDisplay[j];
        int nOldScreen = nNewOrder[(size_t)Mirror(j)];
        if (nOldScreen < 0 || nOldScreen >= n)
            return;
        source[(size_t)j] = m_arrDisplay[Mirror(nOldScreen)];
    }
    std::sort(slots.begin(), slots.end());
    for (int j = 0; j < n; ++j)
    {
        if (slots[(size_t)j] < 0 || slots[(size_t)j] >= nMap || (j > 0 && slots[(size_t)j] == slots[(size_t)j - 1]))
            return;   // a display array out of step with the map: leave everything as it is
    }
    std::vector<sColInfo*> records((size_t)n);
    for (int j = 0; j < n; ++j)
        records[(size_t)j] = m_arrMap[source[(size_t)j]];
    for (int j = 0; j < n; ++j)
        m_arrMap[slots[(size_t)j]] = records[(size_t)j];
    ForEachTrendArray([&](int, CTrendValueArray& values) {
        if (values.GetSize() != nMap)
            return;
        std::vector<sTrendValues*> moved((size_t)n);
        for (int j = 0; j < n; ++j)
            moved[(size_t)j] = values[source[(size_t)j]];
        for (int j = 0; j < n; ++j)
            values[slots[(size_t)j]] = moved[(size_t)j];
    });
    DisplayChanged();
    PopulateList();
}
