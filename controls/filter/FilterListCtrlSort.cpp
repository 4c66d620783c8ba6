// CFilterListCtrl: sorting by a column (header clicks and SortOn), checked rows first, the row
// check boxes and the click-toggle selection mode, and the keyword colours.
//
// A sort reads each row's value once, through the column text routine, converted by the column's
// data type into the library-wide array of that type (by map index). The rows are then ordered by
// a comparison of those values with a tie-break on the map index, so no two rows ever compare
// equal and the order is fully determined: a first and a second row compare as
//   numbers:  o when the second is greater, 0 when equal, -o when smaller   (o = sort order,
//   natural text:  o * natural(second, first)                                 -1 ascending)
//   dates:  -CompareDateTime(first, second, o), as the common list compares them
//   other data types: equal
// and equal values as o * (+1 when the first map index is greater, else -1). Whole-map sorts of
// a list with row dragging under reverse display negate the result.
#include "filter/FilterListCtrl.h"
#include "lists/KeywordRules.h"
#include "lists/ListSortRules.h"
#include <OrvoTools.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

CArray<long, long> CFilterListCtrl::g_SortDataLongArr;
CArray<double, double> CFilterListCtrl::g_SortDataDblArr;
CStringArray CFilterListCtrl::g_SortDataStrArr;

namespace
{
// The list whose rows are being sorted: one sort at a time in the process.
CFilterListCtrl* s_pSortingList = nullptr;
// Click-toggle selection mode: one click reaches the list as two notifications.
int s_nToggleClicks = 0;

enum eSortKind
{
    kSortNone,
    kSortLong,
    kSortDouble,
    kSortNatural,
    kSortDate
};

eSortKind KindOfType(int nDataType)
{
    switch (nDataType)
    {
    case 1:
    case 4:
        return kSortLong;
    case 2:
    case 5:
        return kSortDouble;
    case 3:
        return kSortNatural;
    case 6:
        return kSortDate;
    default:
        return kSortNone;
    }
}

struct sLongKey
{
    long v;
    int m;
};

struct sDoubleKey
{
    double v;
    int m;
};

struct sTextKey
{
    const char* psz;
    int m;
};

// The order "a before b" of the comparison described above, for o = -1 (ascending): smaller
// values first, equal ones by the greater map index first; o = +1 is its exact reverse.
template <class T>
inline bool AscendingBefore(const T& a, const T& b)
{
    return a.v < b.v || (a.v == b.v && a.m > b.m);
}

// Not-a-number values tie with each other below every number (ListCompareNumbers).
inline bool AscendingBefore(const sDoubleKey& a, const sDoubleKey& b)
{
    const int r = ListCompareNumbers(a.v, b.v);
    return r < 0 || (r == 0 && a.m > b.m);
}

// Sorts keys so that a goes before b when the comparison is negative. bReverse: order +1, or a
// negated comparison (both at once cancel out).
template <class T>
void SortKeys(std::vector<T>& keys, bool bReverse)
{
    if (bReverse)
        std::sort(keys.begin(), keys.end(), [](const T& a, const T& b) { return AscendingBefore(b, a); });
    else
        std::sort(keys.begin(), keys.end(), [](const T& a, const T& b) { return AscendingBefore(a, b); });
}

// Scratch arrays are emptied whatever happens in between.
struct sSortScope
{
    explicit sSortScope(CFilterListCtrl* pList) { s_pSortingList = pList; }
    ~sSortScope()
    {
        CFilterListCtrl::g_SortDataLongArr.RemoveAll();
        CFilterListCtrl::g_SortDataDblArr.RemoveAll();
        CFilterListCtrl::g_SortDataStrArr.RemoveAll();
        s_pSortingList = nullptr;
    }
};
}  // namespace

// --- sorting -------------------------------------------------------------------------------------

bool CFilterListCtrl::SortMapIndexes(std::vector<int>& indexes, int nColumn, int nOrder, bool bNegate)
{
    if (indexes.size() < 2)
        return true;
    const int nDataType = nColumn >= 0 && nColumn < m_arrColInfo.GetSize() ? m_arrColInfo[nColumn].nDataType : 0;
    const eSortKind kind = KindOfType(nDataType);
    const INT_PTR nMap = m_arrMap.GetSize();
    const unsigned nStamp = m_nRowChanges;

    // The values, read once per row. A row without data, or whose text the routine does not
    // supply, has an empty text.
    switch (kind)
    {
    case kSortLong:
        g_SortDataLongArr.SetSize(nMap);
        break;
    case kSortDouble:
        g_SortDataDblArr.SetSize(nMap);
        break;
    case kSortNatural:
    case kSortDate:
        g_SortDataStrArr.SetSize(nMap);
        break;
    case kSortNone:
        break;
    }
    // The keys are made as the values are read, in the rows' order (no second pass reaching the
    // arrays by map index).
    std::vector<sLongKey> longKeys(kind == kSortLong ? indexes.size() : 0);
    std::vector<sDoubleKey> doubleKeys(kind == kSortDouble ? indexes.size() : 0);
    std::vector<sTextKey> textKeys(kind == kSortNatural || kind == kSortDate ? indexes.size() : 0);
    if (kind != kSortNone)
    {
        // The routine is handed an empty text for every row.
        CString text;
        // Rows in display order reach the map, the records and the value array at random once
        // the display is sorted: the memory of rows a little ahead is asked for early, so that
        // it arrives while the host's routine runs.
        const size_t nRows = indexes.size();
        sColInfo* const* pMap = m_arrMap.GetData();
        for (size_t i = 0; i < nRows; ++i)
        {
            if (i + 16 < nRows)
                __builtin_prefetch(pMap + indexes[i + 16]);
            if (i + 8 < nRows)
            {
                const int ahead = indexes[i + 8];
                __builtin_prefetch(pMap[ahead]);
                if (kind == kSortDouble)
                    __builtin_prefetch(g_SortDataDblArr.GetData() + ahead, 1);
                else if (kind == kSortLong)
                    __builtin_prefetch(g_SortDataLongArr.GetData() + ahead, 1);
                else
                    __builtin_prefetch(g_SortDataStrArr.GetData() + ahead, 1);
            }
            const int m = indexes[i];
            sColInfo* pRecord = m_arrMap[m];
            DWORD_PTR dwData = pRecord != nullptr ? pRecord->dwItemData : 0;
            unsigned long clrText = (unsigned long)-1, clrBack = (unsigned long)-1;
            int nImage = -1;
            text.Empty();
            bool bText = dwData != 0 && GetColumnText(dwData, nColumn, text, clrText, clrBack, nImage) != 0;
            // The routine belongs to the host: it may have changed the rows meanwhile.
            if (m_nRowChanges != nStamp)
                return false;
            const char* psz = bText ? (const char*)text : "";
            switch (kind)
            {
            case kSortLong:
                longKeys[i] = { g_SortDataLongArr[m] = atol(psz), m };
                break;
            case kSortDouble:
                doubleKeys[i] = { g_SortDataDblArr[m] = ListReadDecimal(psz), m };
                break;
            default:
                // The text itself moves into the array (its slot's empty text comes back).
                if (bText)
                    g_SortDataStrArr[m] = std::move(text);
                textKeys[i] = { (const char*)g_SortDataStrArr[m], m };
                break;
            }
        }
    }

    const int o = nOrder == 1 ? 1 : -1;
    // Order +1, or a negated comparison, reverses the ascending order.
    const bool bReverse = (o == 1) != bNegate;
    switch (kind)
    {
    case kSortLong:
    {
        std::vector<sLongKey>& keys = longKeys;
        SortKeys(keys, bReverse);
        for (size_t i = 0; i < keys.size(); ++i)
            indexes[i] = keys[i].m;
        break;
    }
    case kSortDouble:
    {
        std::vector<sDoubleKey>& keys = doubleKeys;
        SortKeys(keys, bReverse);
        for (size_t i = 0; i < keys.size(); ++i)
            indexes[i] = keys[i].m;
        break;
    }
    case kSortNatural:
    case kSortDate:
    {
        // Each row's text is reached straight from its key, not through the array.
        std::vector<sTextKey>& keys = textKeys;
        const bool bNatural = kind == kSortNatural;
        auto compare = [bNatural, o](const sTextKey& a, const sTextKey& b) {
            // Dates as the common list sorts them: ascending with the header's arrow.
            int r = bNatural ? o * ListNaturalCompare(b.psz, a.psz)
                             : -CompareDateTime(const_cast<char*>(a.psz), const_cast<char*>(b.psz), o);
            return r != 0 ? r : o * (a.m > b.m ? 1 : -1);
        };
        // A merge sort: whatever the texts, it never reads outside the rows.
        std::stable_sort(keys.begin(), keys.end(), [&compare, bNegate](const sTextKey& a, const sTextKey& b) {
            int r = compare(a, b);
            return (bNegate ? -r : r) < 0;
        });
        for (size_t i = 0; i < keys.size(); ++i)
            indexes[i] = keys[i].m;
        break;
    }
    case kSortNone:
    {
        // Every pair ties: the tie-break alone decides.
        std::sort(indexes.begin(), indexes.end(), [bReverse](int a, int b) { return bReverse ? a < b : a > b; });
        break;
    }
    }
    return true;
}

void CFilterListCtrl::WriteDisplayInScreenOrder(const std::vector<int>& screenOrder)
{
    const int n = (int)screenOrder.size();
    m_arrDisplay.SetSize(n);
    for (int r = 0; r < n; ++r)
        m_arrDisplay[m_bReverseDisplay ? n - 1 - r : r] = screenOrder[(size_t)r];
    m_nDisplayCount = n;
    DisplayChanged();
}

void CFilterListCtrl::OnLvnColumnclick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (!m_bUseFilter)
    {
        CCommonListCtrl::OnLvnColumnclick(pNMHDR, pResult);
        return;
    }
    if (m_nDisplayCount <= 0 || m_arrDisplay.GetSize() == 0 || s_pSortingList != nullptr)
        return;
    const NMLISTVIEW* pView = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    const int nHeaderCount = pHeader != nullptr ? pHeader->GetItemCount() : 0;
    const int p = pView->iSubItem >= 0 && pView->iSubItem < nHeaderCount ? pView->iSubItem : 0;

    const int nFormer = m_nPrevSortColumn;
    m_nSortColumn = p;
    if (p == m_nPrevSortColumn)
        m_nSortOrder = m_nSortOrder == 1 ? -1 : 1;
    else
        m_nSortOrder = -1;
    m_nPrevSortColumn = p;
    SetHeaderSortImage(p, m_nSortOrder == 1 ? 1 : 0);
    if (nFormer != p && nFormer != -1)
        SetHeaderSortImage(nFormer, 2);

    m_nSortDataColumn = ColumnAtPosition(p);
    const int nColumn = m_nSortDataColumn;
    m_nSortDataType = nColumn >= 0 && nColumn < m_arrColInfo.GetSize() ? m_arrColInfo[nColumn].nDataType : 0;
    if (m_bSortOnChecked)
    {
        SortOnChecked();
        DebugCheckInvariants();
        return;
    }

    if (m_bRowDrag)
    {
        // The whole map is put in order and filtered again.
        std::vector<int> order((size_t)m_arrMap.GetSize());
        for (size_t m = 0; m < order.size(); ++m)
            order[m] = (int)m;
        {
            sSortScope scope(this);
            if (!SortMapIndexes(order, nColumn, m_nSortOrder, m_bReverseDisplay))
                return;
        }
        CArray<sColInfo*, sColInfo*> records;
        records.SetSize((INT_PTR)order.size());
        for (size_t i = 0; i < order.size(); ++i)
            records[(INT_PTR)i] = m_arrMap[order[i]];
        m_arrMap.Copy(records);
        // Trend values follow their rows.
        ForEachTrendArray([&](int, CTrendValueArray& values) {
            if (values.GetSize() != (INT_PTR)order.size())
                return;
            CTrendValueArray sorted;
            sorted.SetSize(values.GetSize());
            for (size_t i = 0; i < order.size(); ++i)
                sorted[(INT_PTR)i] = values.GetAt(order[i]);
            values.Copy(sorted);
        });
        DisplayChanged();
        PopulateList();
        return;
    }

    // The displayed rows, top to bottom as the screen shows them.
    std::vector<int> rows((size_t)m_nDisplayCount);
    for (int r = 0; r < m_nDisplayCount; ++r)
        rows[(size_t)r] = m_arrDisplay[Mirror(r)];
    {
        sSortScope scope(this);
        if (!SortMapIndexes(rows, nColumn, m_nSortOrder, false))
            return;
    }
    WriteDisplayInScreenOrder(rows);
    m_nKeptSortPosition = p;
    if (m_hWnd != nullptr)
        Invalidate();
    DebugCheckInvariants();
}

void CFilterListCtrl::KeepSortAfterFilter()
{
    if (m_nKeptSortPosition < 0 || m_bSortOnChecked || m_bRowDrag || s_pSortingList != nullptr || m_nDisplayCount < 2 ||
        m_hWnd == nullptr)
        return;
    // Only while the header still shows that sort's arrow.
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    HDITEMA item = {};
    item.mask = HDI_FORMAT | HDI_IMAGE;
    const int nColumn = ColumnAtPosition(m_nKeptSortPosition);
    if (pHeader == nullptr || m_nKeptSortPosition >= pHeader->GetItemCount() || !pHeader->GetItem(m_nKeptSortPosition, &item) ||
        (item.fmt & HDF_IMAGE) == 0 || item.iImage != (m_nSortOrder == 1 ? 1 : 0) || nColumn < 0)
    {
        m_nKeptSortPosition = -1;
        return;
    }
    std::vector<int> rows((size_t)m_nDisplayCount);
    for (int r = 0; r < m_nDisplayCount; ++r)
        rows[(size_t)r] = m_arrDisplay[Mirror(r)];
    {
        sSortScope scope(this);
        if (!SortMapIndexes(rows, nColumn, m_nSortOrder, false))
            return;   // the rows changed while their texts were read: left in filter order
    }
    WriteDisplayInScreenOrder(rows);
}

int CFilterListCtrl::SortOn(int nColumn, int nOrder)
{
    if (!m_bUseFilter)
        return CCommonListCtrl::SortOn(nColumn, nOrder);
    if (m_nDisplayCount <= 0)
        return 1;
    int p = HeaderPositionOf(nColumn);
    if (p < 0)
        p = 0;
    // The click below reverses the order on the column it sorts last: so the opposite goes first.
    m_nSortOrder = nOrder == 1 ? 1 : -1;
    m_nPrevSortColumn = p;
    NMLISTVIEW view = {};
    view.hdr.hwndFrom = m_hWnd;
    view.hdr.idFrom = m_hWnd != nullptr ? (UINT_PTR)GetDlgCtrlID() : 0;
    view.hdr.code = LVN_COLUMNCLICK;
    view.iItem = -1;
    view.iSubItem = p;
    LRESULT lResult = 0;
    // No redraw off and on around the sort: nothing reaches the platform list while the rows are
    // ordered (the display array is written once, at the end), and every redraw-on makes Wine's
    // list recompute its scroll bars.
    OnLvnColumnclick(&view.hdr, &lResult);
    if (m_hWnd != nullptr)
        Invalidate();
    return 1;
}

void CFilterListCtrl::SortOnChecked()
{
    if (!m_bUseFilter || s_pSortingList != nullptr)
        return;
    // The row holding the selection mark, by its data.
    int nMark = m_hWnd != nullptr ? GetSelectionMark() : -1;
    DWORD_PTR dwMarkData = nMark >= 0 && nMark < m_nDisplayCount ? GetItemData(nMark) : 0;

    std::vector<int> checked, unchecked;
    for (int r = 0; r < m_nDisplayCount && r < m_arrDisplay.GetSize(); ++r)
    {
        int m = m_arrDisplay[Mirror(r)];
        if (m < 0 || m >= m_arrMap.GetSize())
            continue;
        (m_arrMap[m] != nullptr && m_arrMap[m]->nCheck ? checked : unchecked).push_back(m);
    }
    const int o = m_nSortOrder == 1 ? 1 : -1;
    {
        sSortScope scope(this);
        std::vector<int> all(checked);
        all.insert(all.end(), unchecked.begin(), unchecked.end());
        // The values of both groups are read in one pass, then each group is ordered on its own.
        if (!SortMapIndexes(all, 0, o, false))
            return;
        std::vector<char> isChecked((size_t)m_arrMap.GetSize(), 0);
        for (int m : checked)
            isChecked[(size_t)m] = 1;
        std::stable_partition(all.begin(), all.end(), [&isChecked](int m) { return isChecked[(size_t)m] != 0; });
        WriteDisplayInScreenOrder(all);
    }

    if (m_hWnd == nullptr)
        return;
    WriteCheckedHeaderText();
    if (dwMarkData != 0)
    {
        for (int r = 0; r < m_nDisplayCount; ++r)
        {
            if (GetItemData(r) != dwMarkData)
                continue;
            if (nMark != r)
                SetItemState(nMark, 0, LVIS_SELECTED | LVIS_FOCUSED);
            EnsureVisible(r, FALSE);
            SelectAndFocus(r);
            break;
        }
    }
    Invalidate();
}

void CFilterListCtrl::WriteCheckedHeaderText()
{
    CHeaderCtrl* pHeader = m_hWnd != nullptr ? GetHeaderCtrl() : nullptr;
    if (pHeader == nullptr || pHeader->GetItemCount() <= 0 || m_arrColInfo.GetSize() <= 0)
        return;
    CString csText;
    csText.Format("%s (%d / %d)", m_arrColInfo[0].szColName, GetCheckedItemCount(), (int)m_arrMap.GetSize());
    HDITEMA item = {};
    item.mask = HDI_TEXT;
    item.pszText = const_cast<char*>((const char*)csText);
    pHeader->SetItem(0, &item);
    m_bCheckedHeaderText = true;
}

bool CFilterListCtrl::RestoreFirstHeaderName()
{
    if (!m_bCheckedHeaderText)
        return false;
    m_bCheckedHeaderText = false;
    CHeaderCtrl* pHeader = m_hWnd != nullptr ? GetHeaderCtrl() : nullptr;
    const int nColumn = ColumnAtPosition(0);
    if (pHeader == nullptr || pHeader->GetItemCount() <= 0 || nColumn < 0 || nColumn >= m_arrColInfo.GetSize())
        return false;
    HDITEMA item = {};
    item.mask = HDI_TEXT;
    item.pszText = m_arrColInfo[nColumn].szColName;
    pHeader->SetItem(0, &item);
    return true;
}

// --- clicks and check boxes ----------------------------------------------------------------------

void CFilterListCtrl::SelectAndFocus(int nScreenRow)
{
    SetItemState(nScreenRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SetSelectionMark(nScreenRow);
}

BOOL CFilterListCtrl::OnNMClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (!m_bUseFilter || m_hWnd == nullptr)
        return FALSE;
    const NMITEMACTIVATE* pClick = reinterpret_cast<const NMITEMACTIVATE*>(pNMHDR);
    LVHITTESTINFO hit = {};
    hit.pt = pClick->ptAction;
    int nRow = HitTest(&hit);

    if (m_bRowDrag)
    {
        // One click arrives twice: every second notification is the same click again.
        if (++s_nToggleClicks >= 2)
        {
            s_nToggleClicks = 0;
            return FALSE;
        }
        if (nRow < 0 || nRow >= m_nDisplayCount)
            return FALSE;
        const int d = Mirror(nRow);
        for (INT_PTR i = 0; i < m_arrSelection.GetSize(); ++i)
        {
            if (m_arrSelection[i] == d)
            {
                SetItemState(nRow, 0, LVIS_SELECTED);
                m_arrSelection.RemoveAt(i);
                // Again once the platform has finished with the click (it may select the row).
                PostMessage(WM_FILTER_RESELECT, (WPARAM)nRow, 0);
                return FALSE;
            }
        }
        m_arrSelection.RemoveAll();
        for (int r = GetNextItem(-1, LVNI_SELECTED); r >= 0; r = GetNextItem(r, LVNI_SELECTED))
        {
            if (r != nRow && r < m_nDisplayCount)
                m_arrSelection.Add(Mirror(r));
        }
        m_arrSelection.Add(d);
        SelectAndFocus(nRow);
        return FALSE;
    }

    if (nRow < 0 || nRow >= m_nDisplayCount || !(hit.flags & LVHT_ONITEM))
        return FALSE;
    CRect rcRow;
    if (GetItemRect(nRow, &rcRow, LVIR_BOUNDS) && pClick->ptAction.x >= rcRow.left && pClick->ptAction.x < rcRow.left + 12)
    {
        // The check box sits in the first 12 pixels of the row.
        SetCheck(nRow, GetCheck(nRow) ? 0 : 1);
        if (m_bSortOnChecked)
        {
            int nMark = GetSelectionMark();
            DWORD_PTR dwMarkData = nMark >= 0 && nMark < m_nDisplayCount ? GetItemData(nMark) : 0;
            SortOnChecked();
            // The platform may still move the selection to the clicked place when the click ends.
            if (dwMarkData != 0)
                PostMessage(WM_FILTER_RESELECT, (WPARAM)nRow, (LPARAM)dwMarkData);
        }
        else
            SelectAndFocus(nRow);
        return FALSE;
    }
    SelectAndFocus(nRow);
    return FALSE;
}

LRESULT CFilterListCtrl::OnReselectAfterClick(WPARAM wParam, LPARAM lParam)
{
    const int nClicked = (int)wParam;
    const DWORD_PTR dwData = (DWORD_PTR)lParam;
    if (!m_bUseFilter)
        return 0;
    if (dwData == 0)
    {
        // A row the click-toggle selection mode deselected stays deselected.
        if (nClicked < 0 || nClicked >= m_nDisplayCount)
            return 0;
        for (INT_PTR i = 0; i < m_arrSelection.GetSize(); ++i)
        {
            if (m_arrSelection[i] == Mirror(nClicked))
                return 0;
        }
        SetItemState(nClicked, 0, LVIS_SELECTED);
        return 0;
    }
    for (int r = 0; r < m_nDisplayCount; ++r)
    {
        if (GetItemData(r) != dwData)
            continue;
        if (r != nClicked && nClicked >= 0 && nClicked < m_nDisplayCount)
            SetItemState(nClicked, 0, LVIS_SELECTED | LVIS_FOCUSED);
        EnsureVisible(r, FALSE);
        SelectAndFocus(r);
        break;
    }
    return 0;
}

// --- keyword colours -----------------------------------------------------------------------------

int CFilterListCtrl::GetTextColorForItem(ULONGLONG dwItemData, unsigned long& clrText, int, int)
{
    const cCustomizedAppearanceSettings& record = m_Appearance;
    if (record.m_nKeywordColumn == -1 || record.m_pKeywords == nullptr || record.m_pKeywordColors == nullptr ||
        dwItemData == 0)
        return 1;
    CString text;
    unsigned long clrCellText = (unsigned long)-1, clrBack = (unsigned long)-1;
    int nImage = -1;
    if (!GetColumnText(dwItemData, record.m_nKeywordColumn, text, clrCellText, clrBack, nImage))
        return 1;
    COLORREF clr = clrText;
    KeywordRules::GetTextColorForItem(record, text, clr);
    clrText = clr;
    return 1;
}

int CFilterListCtrl::GetProperty(unsigned long& clrText, unsigned long& clrBack, CString& csName)
{
    COLORREF text = clrText, back = clrBack;
    KeywordRules::GetProperty(m_Appearance, text, back, csName);
    clrText = text;
    clrBack = back;
    return 1;
}

int CFilterListCtrl::CallTextColorProvider(DWORD_PTR dwItemData, COLORREF& clrText, int nRow, int nColumn)
{
    if (m_pfnGetTextColor == nullptr)
        return 0;
    if (m_pfnGetTextColor == static_cast<PFN_GETTEXTCOLOR>(&CFilterListCtrl::GetTextColorForItem))
        return GetTextColorForItem(dwItemData, clrText, nRow, nColumn);
    CWnd* pParent = GetParent();
    return pParent != nullptr ? (pParent->*m_pfnGetTextColor)(dwItemData, clrText, nRow, nColumn) : 0;
}
