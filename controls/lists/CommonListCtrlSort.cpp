// CCommonListCtrl: the column-click sort, the header sort images and auto-sort.
//
// While a sort runs, GetItemData answers with the data each row had before the sort, by its index
// before the sort (m_arrSavedItemData). The cell texts are read once per row through the virtual
// GetItemText before the platform sorts (the base reads a row's item data in the same platform
// read where it can); numeric types are converted once too. The result is the
// same as reading both texts in every comparison. The platform's comparison names rows by their
// item data: where a row's data is its own, the sort looks its row up by it; a row whose data
// another row has too gets a temporary value of its own for the sort, and its data back after it.
// So rows with distinct data are sorted without writing to them (each write costs two
// notifications to the parent).
#include "lists/CommonListCtrl.h"
#include "host/ControlBlock.h"
#include "lists/ListSortRules.h"

#include <cstdint>
#include <vector>

namespace
{
// Rows before the sort by their item data during it: open addressing, a power-of-two table at
// least twice the rows, so a lookup costs a multiplication and a probe or two; or, while every
// value is a small number (row numbers, ids), a plain table indexed by it.
class CRowsByData
{
public:
    explicit CRowsByData(int nRows) : m_direct((size_t)nRows * 4 + 64, -1)
    {
        size_t nSize = 16;
        m_nShift = 60;
        while (nSize < (size_t)nRows * 2)
        {
            nSize *= 2;
            --m_nShift;
        }
        m_data.assign(nSize, 0);
        m_rows.assign(nSize, -1);
    }
    // False when the data is taken already.
    bool Add(DWORD_PTR data, int nRow)
    {
        if (m_bDirect && data >= m_direct.size())
        {
            // A value beyond the plain table: everything goes to the hashed one from now on.
            m_bDirect = false;
            for (size_t d = 0; d < m_direct.size(); ++d)
            {
                if (m_direct[d] >= 0)
                    AddHashed(d, m_direct[d]);
            }
            std::vector<int>().swap(m_direct);
        }
        if (m_bDirect)
        {
            if (m_direct[data] >= 0)
                return false;
            m_direct[data] = nRow;
            return true;
        }
        return AddHashed(data, nRow);
    }
    // -1 when no row has the data.
    int Find(DWORD_PTR data) const
    {
        if (m_bDirect)
            return data < m_direct.size() ? m_direct[data] : -1;
        for (size_t i = Slot(data); m_rows[i] >= 0; i = (i + 1) & (m_rows.size() - 1))
        {
            if (m_data[i] == data)
                return m_rows[i];
        }
        return -1;
    }

private:
    bool AddHashed(DWORD_PTR data, int nRow)
    {
        size_t i = Slot(data);
        for (; m_rows[i] >= 0; i = (i + 1) & (m_rows.size() - 1))
        {
            if (m_data[i] == data)
                return false;
        }
        m_data[i] = data;
        m_rows[i] = nRow;
        return true;
    }
    size_t Slot(DWORD_PTR data) const { return (size_t)(((uint64_t)data * 0x9E3779B97F4A7C15ull) >> m_nShift); }
    std::vector<int> m_direct;   // by data, while m_bDirect
    bool m_bDirect = true;
    std::vector<DWORD_PTR> m_data;
    std::vector<int> m_rows;
    int m_nShift;
};

struct sSortContext
{
    explicit sSortContext(int nRows) : rowOf(nRows) {}
    int nDataType = 0;
    int nOrder = 0;
    std::vector<CString> texts;   // by row before the sort
    std::vector<double> keys;     // numeric types only
    CRowsByData rowOf;            // row before the sort, by its item data in the sort
};
}  // namespace

int CALLBACK CommonListCompare(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort)
{
    const sSortContext& ctx = *reinterpret_cast<const sSortContext*>(lParamSort);
    int nA = ctx.rowOf.Find((DWORD_PTR)lParam1);
    int nB = ctx.rowOf.Find((DWORD_PTR)lParam2);
    if (nA < 0 || nB < 0)
        return 0;
    size_t a = (size_t)nA, b = (size_t)nB;
    if (!ctx.keys.empty())
        return ctx.nOrder * ListCompareNumbers(ctx.keys[b], ctx.keys[a]);
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
    // Each row's data before the sort: read with the row's text below where the platform gives
    // both at once, else on first need (GetItemData).
    m_arrSavedItemData.SetSize(nRows);
    m_savedKnown.assign((size_t)nRows, false);
    m_nPrevSortColumn = p;
    int nColumn = ColumnAtPosition(p);
    m_nSortDataType = nColumn >= 0 ? m_arrColInfo[nColumn].nDataType : 0;

    if (nRows > 0)
    {
        sSortContext ctx(nRows);
        ctx.nDataType = m_nSortDataType;
        ctx.nOrder = m_nSortOrder;
        ctx.texts.resize((size_t)nRows);
        for (int r = 0; r < nRows; ++r)
        {
            m_nSortReadRow = r;
            m_nSortReadColumn = p;
            ctx.texts[(size_t)r] = GetItemText(r, p);
        }
        m_nSortReadRow = m_nSortReadColumn = -1;
        for (int r = 0; r < nRows; ++r)
            CCommonListCtrl::GetItemData(r);   // the rows whose data did not come with the text
        if (ListIsNumericType(ctx.nDataType))
        {
            ctx.keys.resize((size_t)nRows);
            for (int r = 0; r < nRows; ++r)
                ctx.keys[(size_t)r] = ListNumericKey(ctx.texts[(size_t)r], ctx.nDataType);
        }
        // Each row is named by its item data; a second row with the same data gets a temporary
        // value no row has.
        std::vector<int> lent;
        for (int r = 0; r < nRows; ++r)
        {
            if (!ctx.rowOf.Add(m_arrSavedItemData[r], r))
                lent.push_back(r);
        }
        DWORD_PTR nNext = 0;
        for (int r : lent)
        {
            while (!ctx.rowOf.Add(nNext, r))
                ++nNext;
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
                int nBefore = ctx.rowOf.Find(CListCtrl::GetItemData(r));
                if (nBefore >= 0 && isLent[(size_t)nBefore])
                {
                    CListCtrl::SetItemData(r, m_arrSavedItemData[nBefore]);
                    --nLeft;
                }
            }
        }
    }
    m_arrSavedItemData.RemoveAll();
    m_savedKnown.clear();

    SetHeaderSortImage(p, m_nSortOrder == 1 ? 1 : 0);
    if (nFormer != p && nFormer != -1)
        SetHeaderSortImage(nFormer, 2);
    if (m_bHeaderCheckBox && (p == 0 || nFormer == 0))
        SetHeaderCheckbox();
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
    // Nobody waits for these writes: a refused one goes to the host's log, once per key.
    if (!pBlock->CallUserSetting(1, m_csListName, value, "AutoSortTicked"))
        pBlock->LogRefusedWrite("the auto-sort setting", m_csListName, "AutoSortTicked");
    if (!m_bAutoSort)
        return;
    value.Format("%d", m_nSortColumn);
    if (!pBlock->CallUserSetting(1, m_csListName, value, "AutoSort"))
        pBlock->LogRefusedWrite("the auto-sort setting", m_csListName, "AutoSort");
    value.Format("%d", m_nSortOrder);
    if (!pBlock->CallUserSetting(1, m_csListName, value, "AutoSortOrder"))
        pBlock->LogRefusedWrite("the auto-sort setting", m_csListName, "AutoSortOrder");
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
    if (nIDEvent == LIST_DRAG_SCROLL_TIMER)
    {
        ScrollForDrag();
        return;
    }
    if (nIDEvent != LIST_AUTOSORT_TIMER)
    {
        CListCtrl::OnTimer(nIDEvent);
        return;
    }
    if (m_nAutoSortTimer == 0 && GetItemCount() > 0)
        m_nAutoSortTimer = SetTimer(LIST_AUTOSORT_TIMER, 5000);
    SortOnVisibleIndex(m_nSortColumn, 1);
}
