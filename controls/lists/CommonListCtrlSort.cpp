// CCommonListCtrl: the column-click sort, the header sort images and auto-sort.
//
// While a sort runs, each row's item data is its index before the sort (its own data is kept in
// m_arrSavedItemData), so the comparison can name rows as they stood before. The cell texts are
// read once per row through the virtual GetItemText before the platform sorts; numeric types are
// converted once too. The result is the same as reading both texts in every comparison.
#include "lists/CommonListCtrl.h"
#include "host/ControlBlock.h"
#include "lists/ListSortRules.h"

#include <vector>

namespace
{
struct sSortContext
{
    int nDataType;
    int nOrder;
    std::vector<CString> texts;   // by row before the sort
    std::vector<double> keys;     // numeric types only
};

inline int Sign(double v)
{
    return v > 0 ? 1 : (v < 0 ? -1 : 0);
}
}  // namespace

int CALLBACK CommonListCompare(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort)
{
    const sSortContext& ctx = *reinterpret_cast<const sSortContext*>(lParamSort);
    size_t a = (size_t)lParam1, b = (size_t)lParam2;
    if (a >= ctx.texts.size() || b >= ctx.texts.size())
        return 0;
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
    {
        m_arrSavedItemData[r] = CListCtrl::GetItemData(r);
        CListCtrl::SetItemData(r, (DWORD_PTR)r);
    }
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
        // Types outside 1 to 9 tie every pair: the platform's sort then keeps the rows as they are.
        SortItems(CommonListCompare, (DWORD_PTR)&ctx);
        for (int r = 0; r < nRows; ++r)
        {
            DWORD_PTR nBefore = CListCtrl::GetItemData(r);
            CListCtrl::SetItemData(r, nBefore < (DWORD_PTR)nRows ? m_arrSavedItemData[(INT_PTR)nBefore] : 0);
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
        char* end = nullptr;
        long nColumn = strtol(value, &end, 10);
        if (end == (LPCTSTR)value || nColumn < 0 || nColumn >= m_arrColInfo.GetSize())
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
