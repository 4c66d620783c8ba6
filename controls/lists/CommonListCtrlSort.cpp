// CCommonListCtrl: the column-click sort, the header sort images and auto-sort.
//
// While a sort runs, GetItemData answers with the data each row had before the sort, by its index
// before the sort (m_arrSavedItemData). The cell texts are read once per row through the virtual
// GetItemText before the platform sorts; numeric types are converted once too. The result is the
// same as reading both texts in every comparison. The platform's comparison names rows by their
// item data: where a row's data is its own, the sort looks its row up by it; a row whose data
// another row has too gets a temporary value of its own for the sort, and its data back after it.
// So rows with distinct data are sorted without writing to them (each write costs two
// notifications to the parent).
#include "lists/CommonListCtrl.h"
#include "host/ControlBlock.h"
#include "lists/ListSortRules.h"

#include <unordered_map>
#include <vector>

namespace
{
struct sSortContext
{
    int nDataType;
    int nOrder;
    std::vector<CString> texts;   // by row before the sort
    std::vector<double> keys;     // numeric types only
    std::unordered_map<DWORD_PTR, int> rowOf;   // row before the sort, by its item data in the sort
};

inline int Sign(double v)
{
    return v > 0 ? 1 : (v < 0 ? -1 : 0);
}
}  // namespace

int CALLBACK CommonListCompare(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort)
{
    const sSortContext& ctx = *reinterpret_cast<const sSortContext*>(lParamSort);
    auto itA = ctx.rowOf.find((DWORD_PTR)lParam1);
    auto itB = ctx.rowOf.find((DWORD_PTR)lParam2);
    if (itA == ctx.rowOf.end() || itB == ctx.rowOf.end())
        return 0;
    size_t a = (size_t)itA->second, b = (size_t)itB->second;
    if (!ctx.keys.empty())
        return Sign(ctx.nOrder * (ctx.keys[b] - ctx.keys[a]));
    return ListCompareTexts(ctx.texts[a], ctx.texts[b], ctx.nDataType, ctx.nOrder);
}

void CCommonListCtrl::SortColumn(int nPosition, int nNewOrder)
{
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    int nHeaderCount = pHeader ? pHeader->GetItemCount() : 0;
    int p = nPosition >= 0 && nPosition < nHeaderCount ? nPosition : 0;
    int nFormer = m_nPrevSortColumn;
    m_nSortColumn = p;
    if (nNewOrder != 0)
        m_nSortOrder = nNewOrder;
    else if (p != m_nPrevSortColumn)
        m_nSortOrder = -1;
    else
        m_nSortOrder = -m_nSortOrder;

    SetRedraw(FALSE);
    int nRows = GetItemCount();
    m_arrSavedItemData.SetSize(nRows);
    for (int r = 0; r < nRows; ++r)
        m_arrSavedItemData[r] = CListCtrl::GetItemData(r);
    m_nPrevSortColumn = p;
    int nColumn = ColumnAtPosition(p);
    m_nSortDataType = nColumn >= 0 ? m_arrColInfo[nColumn].nDataType : 0;

    if (nRows > 0)
    {
        sSortContext ctx;
        ctx.nDataType = m_nSortDataType;
        ctx.nOrder = m_nSortOrder;
        ctx.texts.resize((size_t)nRows);
        for (int r = 0; r < nRows; ++r)
            ctx.texts[(size_t)r] = GetItemText(r, p);
        if (ListIsNumericType(ctx.nDataType))
        {
            ctx.keys.resize((size_t)nRows);
            for (int r = 0; r < nRows; ++r)
                ctx.keys[(size_t)r] = ListNumericKey(ctx.texts[(size_t)r], ctx.nDataType);
        }
        // Each row is named by its item data; a second row with the same data gets a temporary
        // value no row has.
        ctx.rowOf.reserve((size_t)nRows * 2);
        std::vector<int> lent;
        for (int r = 0; r < nRows; ++r)
        {
            if (!ctx.rowOf.emplace(m_arrSavedItemData[r], r).second)
                lent.push_back(r);
        }
        DWORD_PTR nNext = 0;
        for (int r : lent)
        {
            while (ctx.rowOf.count(nNext) != 0)
                ++nNext;
            ctx.rowOf.emplace(nNext, r);
            CListCtrl::SetItemData(r, nNext);
        }
        // Types outside 1 to 9 tie every pair: the platform's sort then keeps the rows as they are.
        SortItems(CommonListCompare, (DWORD_PTR)&ctx);
        if (!lent.empty())
        {
            std::vector<bool> isLent((size_t)nRows, false);
            for (int r : lent)
                isLent[(size_t)r] = true;
            size_t nLeft = lent.size();
            for (int r = 0; r < nRows && nLeft > 0; ++r)
            {
                auto it = ctx.rowOf.find(CListCtrl::GetItemData(r));
                if (it != ctx.rowOf.end() && isLent[(size_t)it->second])
                {
                    CListCtrl::SetItemData(r, m_arrSavedItemData[it->second]);
                    --nLeft;
                }
            }
        }
    }
    m_arrSavedItemData.RemoveAll();

    SetHeaderSortImage(p, m_nSortOrder == 1 ? 1 : 0);
    if (nFormer != p && nFormer != -1)
        SetHeaderSortImage(nFormer, 2);
    // Still to come with the header check box: refreshing its state when column 0 is involved.
    SetRedraw(TRUE);
    Invalidate();
}

void CCommonListCtrl::SetHeaderSortImage(int nPosition, int nImage)
{
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (pHeader == nullptr || nPosition < 0 || nPosition >= pHeader->GetItemCount())
        return;
    HDITEMA item = {};
    item.mask = HDI_FORMAT;
    pHeader->GetItem(nPosition, &item);
    item.mask = HDI_FORMAT | HDI_IMAGE;
    item.fmt |= HDF_STRING | HDF_IMAGE | HDF_BITMAP_ON_RIGHT;
    if (m_bHeaderCheckBox && nPosition == 0)
        item.fmt |= HDF_CHECKBOX;
    item.iImage = nImage;
    pHeader->SetItem(nPosition, &item);
}

void CCommonListCtrl::OnLvnColumnclick(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMLISTVIEW* pView = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    SortColumn(pView->iSubItem, 0);
    *pResult = 0;
}

int CCommonListCtrl::SortOn(int nColumn, int nOrder)
{
    int p = nColumn >= 0 && nColumn < m_arrColPosition.GetSize() ? m_arrColPosition[nColumn] : -1;
    SortColumn(p >= 0 ? p : 0, nOrder == 1 ? -1 : 1);
    return 1;
}

int CCommonListCtrl::SortOnVisibleIndex(int nPosition, int)
{
    if (!m_bAutoSort)
        return 1;
    // The click flips the direction on the current column; flip first so that it stays.
    if (nPosition == m_nSortColumn)
        m_nSortOrder = -m_nSortOrder;
    NMLISTVIEW view = {};
    view.hdr.hwndFrom = m_hWnd;
    view.hdr.idFrom = (UINT_PTR)GetDlgCtrlID();
    view.hdr.code = LVN_COLUMNCLICK;
    view.iItem = -1;
    view.iSubItem = nPosition;
    LRESULT lResult = 0;
    OnLvnColumnclick(&view.hdr, &lResult);
    return 1;
}

// --- auto-sort -----------------------------------------------------------------------------------

int CCommonListCtrl::ReadAutoSort()
{
    if (m_csListName.IsEmpty())
        return 1;
    CControlBlock* pBlock = CControlBlock::Get();
    CString value;
    if (pBlock->CallUserSetting(0, m_csListName, value, "AutoSortTicked"))
        m_bAutoSort = value == "true";
    if (pBlock->CallUserSetting(0, m_csListName, value, "AutoSort"))
    {
        // Read as atoi reads it (a text without digits is 0), but without overflow.
        long nColumn = strtol(value, nullptr, 10);
        if (nColumn < 0 || nColumn >= m_arrColInfo.GetSize())
        {
            m_nSortColumn = 0;
            return -1;
        }
        m_nSortColumn = (int)nColumn;
    }
    if (pBlock->CallUserSetting(0, m_csListName, value, "AutoSortOrder"))
    {
        m_nSortOrder = atoi(value) == 1 ? 1 : -1;
        if (m_nSortOrder == 1)
            m_nPrevSortColumn = m_nSortColumn;
    }
    return 1;
}

void CCommonListCtrl::SaveAutoSort()
{
    if (m_csListName.IsEmpty())
        return;
    CControlBlock* pBlock = CControlBlock::Get();
    CString value = m_bAutoSort ? "true" : "false";
    pBlock->CallUserSetting(1, m_csListName, value, "AutoSortTicked");
    if (!m_bAutoSort)
        return;
    value.Format("%d", m_nSortColumn);
    pBlock->CallUserSetting(1, m_csListName, value, "AutoSort");
    value.Format("%d", m_nSortOrder);
    pBlock->CallUserSetting(1, m_csListName, value, "AutoSortOrder");
}

int CCommonListCtrl::InitializeAutoSort()
{
    if (m_hWnd == nullptr)
        return m_nSortColumn;
    if (m_bAutoSort)
    {
        if (GetItemCount() > 0)
        {
            m_nAutoSortTimer = SetTimer(LIST_AUTOSORT_TIMER, 5000);
            SortOnVisibleIndex(m_nSortColumn, 1);
        }
        else
        {
            // Rows usually follow: look again in a second, then settle at five.
            SetTimer(LIST_AUTOSORT_TIMER, 1000);
            m_nAutoSortTimer = 0;
        }
    }
    else
    {
        KillTimer(LIST_AUTOSORT_TIMER);
        m_nAutoSortTimer = 0;
    }
    return m_nSortColumn;
}

void CCommonListCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != LIST_AUTOSORT_TIMER)
    {
        CListCtrl::OnTimer(nIDEvent);
        return;
    }
    if (m_nAutoSortTimer == 0 && GetItemCount() > 0)
        m_nAutoSortTimer = SetTimer(LIST_AUTOSORT_TIMER, 5000);
    SortOnVisibleIndex(m_nSortColumn, 1);
}
