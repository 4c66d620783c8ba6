// CMultiLineListCtrl: filter mode, the header's filter bar and its notifications, the stored
// filters, the value popup, and populating the line array from the rows that pass.
#include "market/MultiLineListCtrl.h"
#include "host/AliveScope.h"
#include "filter/FilterText.h"
#include "filter/HeaderFilterBar.h"

#include <climits>
#include <string>
#include <unordered_set>

namespace
{
// The platform list takes an int item count; opening stops short of it.
const long long kMaxLines = INT_MAX / 2;
}  // namespace

// --- filters -------------------------------------------------------------------------------------

void CMultiLineListCtrl::SetUseFilter(BOOL bUse)
{
    m_bUseFilter = bUse ? 1 : 0;
    m_bFilterBarShown = m_bUseFilter;
    if (m_hWnd == nullptr)
        return;
    SubclassHeader();
    CHeaderCtrl* pHeader = m_HeaderCtrl.m_hWnd ? &m_HeaderCtrl : GetHeaderCtrl();
    CListCtrl::DeleteAllItems();
    if (bUse)
    {
        if (pHeader != nullptr)
        {
            pHeader->ModifyStyle(0, HDS_FILTERBAR);
            pHeader->SetFilterChangeTimeout(HeaderFilterBar::kChangeTimeout);
        }
        SyncPlatformCount();
        PutListFilter();   // the flag is set, so this hides the bar: filter mode starts without it
        m_Appearance.m_bKeywordRulesAvailable = true;
        HeaderFilterBar::DropVisualTheme(pHeader);
    }
    else
    {
        m_bFilterBarShown = 0;
        if (pHeader != nullptr)
        {
            pHeader->ClearAllFilters();
            pHeader->ModifyStyle(HDS_FILTERBAR, 0);
        }
        m_Appearance.m_bKeywordRulesAvailable = false;
    }
    SetRedraw(TRUE);
    Invalidate();
}

void CMultiLineListCtrl::PutListFilter()
{
    if (m_hWnd == nullptr)
        return;
    CHeaderCtrl* pHeader = m_HeaderCtrl.m_hWnd ? &m_HeaderCtrl : GetHeaderCtrl();
    if (pHeader == nullptr)
        return;
    HeaderFilterBar::ToggleBar(*this, pHeader, m_bFilterBarShown);
}

int CMultiLineListCtrl::HeaderPositionOf(int nColumn) const
{
    if (nColumn < 0 || nColumn >= m_arrColPosition.GetSize())
        return -1;
    return m_arrColPosition[nColumn];
}

void CMultiLineListCtrl::AddToFilteredCols(int nColumn, const CString& csText)
{
    if (nColumn < 0 || nColumn >= m_arrColInfo.GetSize())
        return;
    m_bCompiledValid = false;
    HeaderFilterBar::StoreFilter(m_arrFilteredCols, m_arrFilterTexts, nColumn, csText);
}

void CMultiLineListCtrl::GetFileteredCols(CArray<int, int>& columns, CArray<CString, CString>& texts)
{
    columns.Copy(m_arrFilteredCols);
    texts.Copy(m_arrFilterTexts);
}

BOOL CMultiLineListCtrl::IsHeaderPositionFiltered(int nPosition)
{
    return HeaderFilterBar::IsPositionFiltered(m_arrFilteredCols, nPosition,
                                               [this](int nColumn) { return HeaderPositionOf(nColumn); });
}

int CMultiLineListCtrl::GetHeaderText(int nPosition, CString& csText)
{
    csText.Empty();
    if (m_hWnd == nullptr || nPosition < 0)
        return 0;
    return HeaderFilterBar::ReadBox(m_HeaderCtrl.m_hWnd ? &m_HeaderCtrl : GetHeaderCtrl(), nPosition, csText);
}

int CMultiLineListCtrl::SetVisibleColumnFilter(int nPosition, CString& csText, int bExact)
{
    if (nPosition < 0)
        return 0;
    m_bExactThisPass = bExact ? 1 : 0;
    m_bCompiledValid = false;
    HeaderFilterBar::WriteBox(m_HeaderCtrl.m_hWnd ? &m_HeaderCtrl : GetHeaderCtrl(), nPosition, csText);
    return 1;
}

int CMultiLineListCtrl::SetColumnFilter(int nColumn, CString& csText, int bExact)
{
    int nPosition = HeaderPositionOf(nColumn);
    m_bExactThisPass = bExact ? 1 : 0;
    if (nPosition == -1)
    {
        AddToFilteredCols(nColumn, csText);
        // Position 0 is written to make the header report a change: with the filter its own
        // column has, so that filter stays.
        CString own;
        GetHeaderText(0, own);
        SetVisibleColumnFilter(0, own, bExact);
    }
    else
        SetVisibleColumnFilter(nPosition, csText, bExact);
    return 1;
}

int CMultiLineListCtrl::SetColumnFilter(CArray<int, int>* pColumns, CArray<CString, CString>* pTexts, int bExact)
{
    if (pColumns == nullptr || pTexts == nullptr || pColumns->GetSize() != pTexts->GetSize())
        return 0;
    for (INT_PTR k = 0; k < pColumns->GetSize(); ++k)
        if ((*pColumns)[k] < 0)
            return 0;
    // Every filter is stored first and written into its box without a change report; then one
    // report lets the host populate once.
    m_bDoFilter = 0;
    RemoveAllFilters();
    for (INT_PTR k = 0; k < pColumns->GetSize(); ++k)
    {
        AddToFilteredCols((*pColumns)[k], (*pTexts)[k]);
        int nPosition = HeaderPositionOf((*pColumns)[k]);
        if (nPosition >= 0)
            SetVisibleColumnFilter(nPosition, (*pTexts)[k], bExact);
    }
    m_bDoFilter = 1;
    m_bExactThisPass = bExact ? 1 : 0;
    CString text;
    GetHeaderText(0, text);
    SetVisibleColumnFilter(0, text, bExact);
    return 1;
}

int CMultiLineListCtrl::RemoveColumnFilter(int nColumn)
{
    int nPosition = HeaderPositionOf(nColumn);
    CString text;
    if (nPosition >= 0 && GetHeaderText(nPosition, text) > 0)
    {
        CString empty;
        SetVisibleColumnFilter(nPosition, empty, 0);
    }
    AddToFilteredCols(nColumn, CString());
    return 1;
}

int CMultiLineListCtrl::RemoveAllFilters()
{
    m_arrFilteredCols.RemoveAll();
    m_arrFilterTexts.RemoveAll();
    m_bCompiledValid = false;
    CHeaderCtrl* pHeader = m_HeaderCtrl.m_hWnd ? &m_HeaderCtrl : GetHeaderCtrl();
    if (pHeader != nullptr && m_hWnd != nullptr)
    {
        int nOld = m_bDoFilter;
        m_bDoFilter = 0;
        pHeader->ClearAllFilters();
        m_bDoFilter = nOld;
    }
    return 1;
}

void CMultiLineListCtrl::OnOptionResetFilter()
{
    RemoveAllFilters();
    // The owner repopulates on the change report, as after any filter change.
    CString empty;
    SetVisibleColumnFilter(0, empty, 0);
}

BOOL CMultiLineListCtrl::OnFilterChange(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (pNMHDR == nullptr || m_HeaderCtrl.m_hWnd == nullptr || pNMHDR->hwndFrom != m_HeaderCtrl.m_hWnd)
        return FALSE;
    if (!m_bDoFilter)
        return TRUE;
    NMHEADERA* pHeaderNM = reinterpret_cast<NMHEADERA*>(pNMHDR);
    int nPosition = pHeaderNM->iItem;
    if (nPosition >= 0 && nPosition < m_HeaderCtrl.GetItemCount() && HasDataDescriptor())
    {
        CString text;
        GetHeaderText(nPosition, text);
        for (INT_PTR i = 0; i < m_arrVisibleColumns.GetSize(); ++i)
        {
            if (m_arrVisibleColumns[i].nPosition == nPosition)
            {
                AddToFilteredCols(m_arrVisibleColumns[i].nColumn, text);
                break;
            }
        }
    }
    CWnd* pTarget = GetOwnerWnd() ? GetOwnerWnd() : GetParent();
    if (pTarget != nullptr)
        *pResult = HeaderFilterBar::ForwardToOwner(*this, pTarget, *pHeaderNM);
    return TRUE;
}

BOOL CMultiLineListCtrl::OnFilterButtonClicked(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (pNMHDR == nullptr || m_HeaderCtrl.m_hWnd == nullptr || pNMHDR->hwndFrom != m_HeaderCtrl.m_hWnd)
        return FALSE;
    NMHDFILTERBTNCLICK* pClick = reinterpret_cast<NMHDFILTERBTNCLICK*>(pNMHDR);
    int nPosition = pClick->iItem;
    HWND hSelf = m_hWnd;
    HeaderFilterBar::ForwardToOwner(*this, GetOwnerWnd() ? GetOwnerWnd() : GetParent(), *pClick);
    if (!IsLiveList(this) || !::IsWindow(hSelf) || m_hWnd != hSelf)
        return TRUE;
    CStringArray values;
    GetColumnUniques(GetOriginalColNo(nPosition), values);
    CPoint pt;
    ::GetCursorPos(&pt);
    CFilterText::OpenWithValues(this, nPosition, pt, values);
    return TRUE;
}

void CMultiLineListCtrl::PrepareMatchers()
{
    if (m_bCompiledValid)
        return;
    m_compiled.clear();
    INT_PTR n = m_arrFilteredCols.GetSize() < m_arrFilterTexts.GetSize() ? m_arrFilteredCols.GetSize()
                                                                          : m_arrFilterTexts.GetSize();
    m_compiled.resize((size_t)n);
    for (INT_PTR k = 0; k < n; ++k)
    {
        m_compiled[(size_t)k].nColumn = m_arrFilteredCols[k];
        const CString& text = m_arrFilterTexts[k];
        m_compiled[(size_t)k].matcher.Compile(text, (size_t)text.GetLength(), m_bExactThisPass != 0);
    }
    m_bCompiledValid = true;
}

bool CMultiLineListCtrl::Passes(ULONGLONG dwItemValue)
{
    if (!HasDataDescriptor())
        return true;
    PrepareMatchers();
    // One text buffer for every row of every list (a host routine that calls back into a list gets
    // one of its own). It is not the list's own: the routine may delete the list. The filters are
    // read by index: the routine may change them.
    static CString s_csText;
    static int s_nDepth = 0;
    CString local;
    CString& text = s_nDepth++ == 0 ? s_csText : local;
    CAliveScope alive(m_pbAlive);
    bool bPass = true;
    for (size_t k = 0; k < m_compiled.size(); ++k)
    {
        text.Empty();
        if (dwItemValue != 0)
        {
            unsigned long clrText = (unsigned long)-1, clrBack = (unsigned long)-1;
            int nImage = -1;
            GetColumnText(dwItemValue, m_compiled[k].nColumn, text, clrText, clrBack, nImage, 0);
        }
        if (!alive.Alive() || (k < m_compiled.size() && !m_compiled[k].matcher.Match(text, (size_t)text.GetLength())))
        {
            bPass = false;
            break;
        }
    }
    --s_nDepth;
    return bPass;
}

void CMultiLineListCtrl::PopulateList()
{
    if (!HasDataDescriptor() || !m_bUseFilter || m_hWnd == nullptr)
        return;
    if (m_arrFilteredCols.GetSize() != m_arrFilterTexts.GetSize())
    {
        AfxMessageBox("Error occured while filtering");
        return;
    }
    PrepareMatchers();
    const bool bFilters = !m_compiled.empty();
    std::vector<sSavedSelection> saved = SaveSelection();
    CAliveScope alive(m_pbAlive);   // the host's routine may delete the list
    // A host routine that changes the rows while they are tested makes the pass start again
    // (three times at most; then the line array is left as it was).
    for (int nAttempt = 0; nAttempt < 3; ++nAttempt)
    {
        const unsigned nGeneration = m_nGeneration;
        std::vector<sMultiLineColInfo*> rows;
        rows.reserve((size_t)m_arrRows.GetSize());
        bool bChanged = false;
        for (INT_PTR i = 0; i < m_arrRows.GetSize(); ++i)
        {
            sMultiLineColInfo* pRow = m_arrRows[i];
            bool bPass = !bFilters || Passes(pRow->dwItemValue);
            if (!alive.Alive())
                return;
            if (m_nGeneration != nGeneration)
            {
                bChanged = true;
                break;
            }
            if (bPass)
                rows.push_back(pRow);
        }
        if (bChanged)
            continue;
        long long nLines = 0;
        for (sMultiLineColInfo* pRow : rows)
            nLines += 1 + (pRow->bOpen ? pRow->nLineCount - 1 : 0);
        m_arrLines.SetSize(0, nLines > 16 ? (INT_PTR)nLines : 16);
        m_nShownRows = 0;
        m_nChildLines = 0;
        for (size_t k = 0; k < rows.size(); ++k)
        {
            sMultiLineColInfo* pRow = rows[m_bReverseDisplay ? rows.size() - 1 - k : k];
            m_arrLines.Add((INT_PTR)pRow);
            ++m_nShownRows;
            int nChildren = pRow->bOpen ? pRow->nLineCount - 1 : 0;
            if (GetVisibleCountEx() + (long long)nChildren > kMaxLines)
            {
                pRow->bOpen = false;
                nChildren = 0;
            }
            for (int c = 1; c <= nChildren; ++c)
                m_arrLines.Add(-(INT_PTR)c);
            m_nChildLines += nChildren;
        }
        break;
    }
    if (m_bExactThisPass)
    {
        m_bExactThisPass = 0;
        m_bCompiledValid = false;
    }
    Changed();
    SyncPlatformCount();
    RestoreSelection(saved);
    Invalidate();
}

void CMultiLineListCtrl::GetColumnUniques(int nColumn, CStringArray& values)
{
    values.RemoveAll();
    std::unordered_set<std::string> seen;
    std::vector<sMultiLineColInfo*> rows;
    for (INT_PTR i = 0; i < m_arrLines.GetSize(); ++i)
        if (m_arrLines[i] > 0)
            rows.push_back(reinterpret_cast<sMultiLineColInfo*>(m_arrLines[i]));
    const unsigned nGeneration = m_nGeneration;
    CString text;
    for (sMultiLineColInfo* pRow : rows)
    {
        if (m_nGeneration != nGeneration)
            break;   // the host changed the rows: what was read so far is offered
        if (pRow->dwItemValue == 0)
            continue;
        text.Empty();
        unsigned long clrText = (unsigned long)-1, clrBack = (unsigned long)-1;
        int nImage = -1;
        if (!GetColumnText(pRow->dwItemValue, nColumn, text, clrText, clrBack, nImage, 0) || text.IsEmpty())
            continue;
        if (seen.insert(std::string(text, (size_t)text.GetLength())).second)
            values.Add(text);
    }
}

int CMultiLineListCtrl::PopulateComboBoxWithUniques(CComboBox* pCombo, int nColumn)
{
    if (pCombo == nullptr || pCombo->GetSafeHwnd() == nullptr)
        return 0;
    pCombo->ResetContent();
    std::vector<std::pair<DWORD_PTR, int>> rows;
    for (INT_PTR i = 0; i < m_arrLines.GetSize(); ++i)
    {
        if (m_arrLines[i] <= 0)
            continue;
        const sMultiLineColInfo* pRow = reinterpret_cast<const sMultiLineColInfo*>(m_arrLines[i]);
        rows.push_back({ pRow->dwItemValue, pRow->nLineCount });
    }
    std::unordered_set<std::string> seen;
    CString text;
    for (const auto& row : rows)
    {
        if (row.first == 0)
            continue;
        text.Empty();
        unsigned long clrText = (unsigned long)-1, clrBack = (unsigned long)-1;
        int nImage = -1;
        // The descriptor is asked with the row's line count as line number.
        if (!GetColumnText(row.first, nColumn, text, clrText, clrBack, nImage, row.second) || text.IsEmpty())
            continue;
        if (seen.insert(std::string(text, (size_t)text.GetLength())).second)
            pCombo->AddString(text);
    }
    pCombo->InsertString(0, "--ALL--");
    pCombo->SetCurSel(0);
    return 1;
}
