// What a trader reads of a list's columns.
#pragma once

#include "lists/CommonListCtrl.h"

// "heading:width" of each header item (or the heading alone), in the list's column order.
inline std::vector<std::string> Headers(CListCtrl& list, bool bWidths = true)
{
    std::vector<std::string> texts;
    CHeaderCtrl* pHeader = list.GetHeaderCtrl();
    for (int i = 0; i < pHeader->GetItemCount(); ++i)
    {
        char sz[128] = "";
        HDITEMA item = {};
        item.mask = HDI_TEXT | HDI_WIDTH;
        item.pszText = sz;
        item.cchTextMax = sizeof(sz);
        pHeader->GetItem(i, &item);
        texts.push_back(std::string(sz) + (bWidths ? ":" + std::to_string(item.cxy) : ""));
    }
    return texts;
}

// "heading=cell" of each column of a row, in the order the header shows them.
inline std::vector<std::string> ShownColumns(CCommonListCtrl& list, int nRow = 0)
{
    const std::vector<std::string> headings = Headers(list, false);
    std::vector<int> order(headings.size());
    list.GetColumnOrderArray(order.data(), (int)order.size());
    std::vector<std::string> shown;
    for (int nColumn : order)
        shown.push_back(headings[(size_t)nColumn] + "=" + (LPCTSTR)list.GetItemText(nRow, nColumn));
    return shown;
}

// "symbol/last/record/check" of each row of a market watch whose rows hold records of the array
// `records` (x: ticked, .: not).
template <class TList, class TRecord>
std::vector<std::string> RowsWithRecords(TList& list, const TRecord* records)
{
    std::vector<std::string> rows;
    for (int r = 0; r < list.GetItemCount(); ++r)
        rows.push_back(std::string((LPCTSTR)list.CListCtrl::GetItemText(r, 0)) + "/" +
                       (LPCTSTR)list.CListCtrl::GetItemText(r, 1) + "/" +
                       std::to_string((const TRecord*)list.CListCtrl::GetItemData(r) - records) +
                       (list.GetCheck(r) ? "/x" : "/."));
    return rows;
}
