// CMrktWatchListCtrl: rows dropped after a drag. The dragged rows are deleted (from the bottom up)
// and inserted again at their new places (from the top down), each with its stored texts, item
// data and check state. The host hears of each through the usual delete, insert and state
// notifications and may change the list meanwhile: after each, the row is found again by its item
// data, and the work stops when the window goes.
#include "market/MrktWatchListCtrl.h"

#include <algorithm>

namespace
{
struct sMovedRow
{
    int nTarget;               // row it goes to
    std::vector<CString> texts;   // by list column
    DWORD_PTR dwData;
    UINT nStateImage;          // the check box
    bool bGone = false;        // deleted by the host before it was taken out
};
}  // namespace

void CMrktWatchListCtrl::MoveDraggedRows(const std::vector<int>& nNewOrder, const CArray<UINT, UINT>& arrDragged)
{
    const int n = GetItemCount();
    if ((int)nNewOrder.size() != n || n < 2)
        return;
    std::vector<int> target((size_t)n, -1);
    for (int i = 0; i < n; ++i)
    {
        int r = nNewOrder[(size_t)i];
        if (r < 0 || r >= n)
            return;
        target[(size_t)r] = i;
    }
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    const int nColumns = pHeader != nullptr ? pHeader->GetItemCount() : 1;

    // Every dragged row is taken out and put back, also one that lands where it was.
    std::vector<int> rows;
    for (INT_PTR i = 0; i < arrDragged.GetSize(); ++i)
    {
        int r = (int)arrDragged[i];
        if (r >= 0 && r < n)
            rows.push_back(r);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (rows.empty())
        return;

    std::vector<sMovedRow> moved(rows.size());
    for (size_t k = 0; k < rows.size(); ++k)
    {
        int r = rows[k];
        sMovedRow& m = moved[k];
        m.nTarget = target[(size_t)r];
        m.dwData = CListCtrl::GetItemData(r);
        m.nStateImage = CListCtrl::GetItemState(r, LVIS_STATEIMAGEMASK);
        for (int c = 0; c < nColumns; ++c)
            m.texts.push_back(CListCtrl::GetItemText(r, c));
    }

    HWND hWnd = m_hWnd;
    auto alive = [&] { return IsLiveList(this) && ::IsWindow(hWnd) && m_hWnd == hWnd; };
    SetRedraw(FALSE);
    for (size_t k = rows.size(); k-- > 0;)
    {
        // A selected or focused row is told to the host as losing that state before it goes, and
        // the platform then deletes whatever row has its former number by then. So the state is
        // taken here, the row found again by its record, and only then deleted (with nothing left
        // to tell). A row the host deleted meanwhile stays deleted: its record may be gone.
        int nRow = FindRowByKey(rows[k], moved[k].dwData);
        if (nRow >= 0 && CListCtrl::GetItemState(nRow, LVIS_SELECTED | LVIS_FOCUSED) != 0)
        {
            CListCtrl::SetItemState(nRow, 0, LVIS_SELECTED | LVIS_FOCUSED);
            if (!alive())
                return;
            nRow = FindRowByKey(nRow, moved[k].dwData);
        }
        if (nRow < 0)
        {
            moved[k].bGone = true;
            continue;
        }
        CListCtrl::DeleteItem(nRow);
        if (!alive())
            return;
    }
    std::sort(moved.begin(), moved.end(), [](const sMovedRow& a, const sMovedRow& b) { return a.nTarget < b.nTarget; });
    for (sMovedRow& m : moved)
    {
        if (m.bGone)
            continue;
        int nAt = std::min(m.nTarget, GetItemCount());
        int nRow = CListCtrl::InsertItem(LVIF_TEXT | LVIF_PARAM | LVIF_STATE, nAt, !m.texts.empty() ? (LPCTSTR)m.texts[0] : "",
                                         m.nStateImage, LVIS_STATEIMAGEMASK, 0, (LPARAM)m.dwData);
        if (!alive())
            return;
        // The platform gives a new row an empty box whatever the insert says: set it again.
        if (nRow >= 0)
            nRow = FindRowByKey(nRow, m.dwData);
        if (nRow >= 0 && m.nStateImage != 0)
            CListCtrl::SetItemState(nRow, m.nStateImage, LVIS_STATEIMAGEMASK);
        if (!alive())
            return;
        // The host heard of the check box as well: find the row again before its texts go in.
        if (nRow >= 0)
            nRow = FindRowByKey(nRow, m.dwData);
        for (int c = 1; nRow >= 0 && c < (int)m.texts.size(); ++c)
            CListCtrl::SetItemText(nRow, c, m.texts[(size_t)c]);
    }
    SetRedraw(TRUE);
    Invalidate(FALSE);
}
