// What a trader reads across a row: "heading=cell" of each column in the order the header shows them.
#pragma once

#include "lists/CommonListCtrl.h"

#include <string>
#include <vector>

inline std::vector<std::string> ShownColumns(CCommonListCtrl& list, int nRow = 0)
{
    CHeaderCtrl* pHeader = list.GetHeaderCtrl();
    std::vector<int> order(pHeader->GetItemCount());
    list.GetColumnOrderArray(order.data(), (int)order.size());
    std::vector<std::string> shown;
    for (int nColumn : order)
    {
        char sz[128] = "";
        HDITEMA item = {};
        item.mask = HDI_TEXT;
        item.pszText = sz;
        item.cchTextMax = sizeof(sz);
        pHeader->GetItem(nColumn, &item);
        shown.push_back(std::string(sz) + "=" + (LPCTSTR)list.GetItemText(nRow, nColumn));
    }
    return shown;
}
