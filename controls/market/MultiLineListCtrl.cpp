// CMultiLineListCtrl: the row store and the line array, opening and closing rows, selection
// blocks, the cell texts and formula columns. Filtering is in MultiLineListCtrlFilters.cpp;
// drawing, clicks, sorting, the menu and the export in MultiLineListCtrlView.cpp.
#include "market/MultiLineListCtrl.h"
#include "host/AliveScope.h"
#include "filter/FilterText.h"
#include "filter/FormulaColumn.h"
#include "host/ControlBlock.h"

#include <climits>
#include <string>
#include <unordered_map>
#include <unordered_set>

IMPLEMENT_DYNAMIC(CMultiLineListCtrl, CCommonListCtrl)

namespace
{
// The platform list takes an int item count; opening stops short of it.
const long long kMaxLines = INT_MAX / 2;

// Formula cells read the other cells of the same row and line through the descriptor.
class CMultiLineCellSource : public CFormulaCellSource
{
public:
    CMultiLineCellSource(CMultiLineListCtrl& list, ULONGLONG dwValue, int nLine, int nBuiltIn)
        : CFormulaCellSource(FCS_TRIM_OPERANDS), m_list(list), m_dwValue(dwValue), m_nLine(nLine), m_nBuiltIn(nBuiltIn)
    {
    }
    int GetColumnCount() const override { return (int)m_list.m_arrColInfo.GetSize(); }
    BOOL IsFormulaColumn(int nColumn) const override { return nColumn > m_nBuiltIn - 1; }
    LPCTSTR GetStoredFormula(int nColumn) const override
    {
        if (nColumn < 0 || nColumn >= m_list.m_arrColInfo.GetSize())
            return "";
        return m_list.m_arrColInfo[nColumn].csText1;
    }
    BOOL GetColumnText(int nColumn, CString& strText) override
    {
        if (m_list.m_pfnText == nullptr)
            return FALSE;
        unsigned long clrText = (unsigned long)-1, clrBack = (unsigned long)-1;
        int nImage = -1;
        return m_list.m_pfnText(m_dwValue, nColumn, strText, clrText, clrBack, nImage, m_nLine) != 0;
    }
    void ReportError(LPCTSTR pszMessage) override { AfxMessageBox(pszMessage); }

private:
    CMultiLineListCtrl& m_list;
    ULONGLONG m_dwValue;
    int m_nLine;
    int m_nBuiltIn;
};

// The value popup hands its filter to a multi-line list through this.
void SetPopupFilter(CCommonListCtrl* pList, int nPosition, CString& csText)
{
    if (!CCommonListCtrl::IsLiveList(pList) || pList->GetSafeHwnd() == nullptr ||
        !pList->IsKindOf(RUNTIME_CLASS(CMultiLineListCtrl)))
        return;
    static_cast<CMultiLineListCtrl*>(pList)->SetVisibleColumnFilter(nPosition, csText, 0);
}

const bool s_bPopupHooked = (CFilterText::SetOtherListFilterHook(&SetPopupFilter), true);
}  // namespace

// --- construction --------------------------------------------------------------------------------

CMultiLineListCtrl::CMultiLineListCtrl()
    : m_nShownRows(0),
      m_nChildLines(0),
      m_nLinesPerRow(1),
      m_pfnText(nullptr),
      m_bSingleSelection(false),
      m_bAllRowsOpened(false),
      m_clrGrid(MULTILINE_GRID_COLOR),
      m_nRepaintTimer(0),
      m_bUseFilter(0),
      m_bFilterBarShown(0),
      m_bExactThisPass(0),
      m_bReverseDisplay(false),
      m_bDrawShades(false),
      m_bShowCustomColumns(true),
      m_bActivateGuard(false)
{
    // Dotted connectors: every other pixel in the grid colour.
    LOGBRUSH brush = { BS_SOLID, m_clrGrid, 0 };
    m_penDotted.Attach(::ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &brush, 0, nullptr));
}

CMultiLineListCtrl::~CMultiLineListCtrl()
{
    CAliveScope::Deleted(m_pbAlive);
    CFilterText::ListGone(this);
    for (INT_PTR i = 0; i < m_arrRows.GetSize(); ++i)
        delete m_arrRows[i];
    m_arrRows.RemoveAll();
    m_arrLines.RemoveAll();
}

void CMultiLineListCtrl::SubclassHeader()
{
    if (m_hWnd == nullptr || m_HeaderCtrl.m_hWnd != nullptr)
        return;
    HWND hHeader = (HWND)::SendMessageA(m_hWnd, LVM_GETHEADER, 0, 0);
    if (hHeader != nullptr)
        m_HeaderCtrl.SubclassWindow(hHeader);
}

int CMultiLineListCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    int nResult = CCommonListCtrl::OnCreate(lpCreateStruct);
    if (nResult != -1)
        SubclassHeader();
    return nResult;
}

void CMultiLineListCtrl::PreSubclassWindow()
{
    CCommonListCtrl::PreSubclassWindow();
    SubclassHeader();
}

void CMultiLineListCtrl::OnDestroy()
{
    if (m_nRepaintTimer != 0)
        KillTimer(MULTILINE_REPAINT_TIMER);
    m_nRepaintTimer = 0;
    // A loop asking the host's routine for texts sees the rows changed and stops.
    Changed();
    CFilterText::ListGone(this);
    CCommonListCtrl::OnDestroy();
}

// --- helpers -------------------------------------------------------------------------------------

int CMultiLineListCtrl::ClampLines(int nLineCount) const
{
    if (nLineCount < 1)
        return 1;
    return nLineCount > MULTILINE_MAX_LINES ? MULTILINE_MAX_LINES : nLineCount;
}

void CMultiLineListCtrl::Changed()
{
    ++m_nGeneration;
}

void CMultiLineListCtrl::SyncPlatformCount()
{
    if (m_hWnd == nullptr || m_bCountPending)
        return;
    // Handed over before the next message reaches the platform list: a burst of inserts costs
    // one count update (slow in the platform), not one per row.
    m_bCountPending = true;
    ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
}

void CMultiLineListCtrl::FlushPlatformCount()
{
    m_bCountPending = false;
    if (m_hWnd != nullptr && m_bUseFilter && CListCtrl::GetItemCount() != GetVisibleCountEx())
        SetItemCountEx(GetVisibleCountEx(), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
}

LRESULT CMultiLineListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsReadOnlyQuery(message))
        m_bLabelEdgesKnown = false;
    if (m_bCountPending && message != LVM_SETITEMCOUNT && message != LVM_GETSELECTEDCOUNT)
        FlushPlatformCount();
    return CCommonListCtrl::WindowProc(message, wParam, lParam);
}

bool CMultiLineListCtrl::IsRowLive(const sMultiLineColInfo* pRow) const
{
    for (INT_PTR i = 0; i < m_arrRows.GetSize(); ++i)
        if (m_arrRows[i] == pRow)
            return true;
    return false;
}

int CMultiLineListCtrl::LineOfRow(const sMultiLineColInfo* pRow) const
{
    const INT_PTR v = (INT_PTR)pRow;
    for (INT_PTR i = 0; i < m_arrLines.GetSize(); ++i)
        if (m_arrLines[i] == v)
            return (int)i;
    return -1;
}

sMultiLineColInfo* CMultiLineListCtrl::RowOfLine(int nItem, int* pDistance) const
{
    if (nItem < 0 || nItem >= m_arrLines.GetSize())
        return nullptr;
    INT_PTR v = m_arrLines[nItem];
    int d = 0;
    if (v <= 0)
    {
        d = (int)-v;
        if (nItem - d < 0 || m_arrLines[nItem - d] <= 0)
            return nullptr;
        v = m_arrLines[nItem - d];
    }
    if (pDistance != nullptr)
        *pDistance = d;
    return reinterpret_cast<sMultiLineColInfo*>(v);
}

void CMultiLineListCtrl::SyncChildLines(int nFirstLine)
{
    sMultiLineColInfo* pRow = RowOfLine(nFirstLine);
    if (pRow == nullptr || m_arrLines[nFirstLine] <= 0)
        return;
    int nHave = 0;
    while (nFirstLine + 1 + nHave < m_arrLines.GetSize() && m_arrLines[nFirstLine + 1 + nHave] <= 0)
        ++nHave;
    int nWant = pRow->bOpen ? pRow->nLineCount - 1 : 0;
    if ((long long)GetVisibleCountEx() + nWant - nHave > kMaxLines)
    {
        // Refused: the list would outgrow the platform's count. The row stays closed.
        pRow->bOpen = false;
        nWant = 0;
    }
    if (nWant > nHave)
    {
        m_arrLines.InsertAt(nFirstLine + 1 + nHave, 0, nWant - nHave);
        for (int c = nHave; c < nWant; ++c)
            m_arrLines[nFirstLine + 1 + c] = -(INT_PTR)(c + 1);
    }
    else if (nWant < nHave)
        m_arrLines.RemoveAt(nFirstLine + 1 + nWant, nHave - nWant);
    m_nChildLines += nWant - nHave;
    Changed();
}

void CMultiLineListCtrl::RemoveShownRow(int nFirstLine)
{
    int nChildren = 0;
    while (nFirstLine + 1 + nChildren < m_arrLines.GetSize() && m_arrLines[nFirstLine + 1 + nChildren] <= 0)
        ++nChildren;
    m_arrLines.RemoveAt(nFirstLine, 1 + nChildren);
    --m_nShownRows;
    m_nChildLines -= nChildren;
    Changed();
    SyncPlatformCount();
    Invalidate();
}

void CMultiLineListCtrl::InvalidateLine(int nItem)
{
    if (m_hWnd == nullptr || nItem < 0)
        return;
    // While a new count waits to be handed over, asking for a line's rectangle would hand it over
    // now (once per row of a fill): the whole list is invalidated instead, painted once.
    if (m_bCountPending)
    {
        Invalidate(FALSE);
        return;
    }
    CRect rc;
    if (GetItemRect(nItem, &rc, LVIR_BOUNDS))
        InvalidateRect(&rc, FALSE);
}

void CMultiLineListCtrl::StartRepaintTimer()
{
    if (m_nRepaintTimer != 0 || m_hWnd == nullptr)
        return;
    m_nRepaintTimer = (int)SetTimer(MULTILINE_REPAINT_TIMER, MULTILINE_REPAINT_PERIOD);
}

void CMultiLineListCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == MULTILINE_REPAINT_TIMER && m_nRepaintTimer != 0)
    {
        KillTimer(MULTILINE_REPAINT_TIMER);
        m_nRepaintTimer = 0;
        Invalidate(FALSE);
        // The base list's auto-sort uses the same timer id: give it its timer back.
        if (IsAutoSortEnabled())
            SetTimer(LIST_AUTOSORT_TIMER, m_nAutoSortTimer != 0 ? 5000 : 1000);
        return;
    }
    CCommonListCtrl::OnTimer(nIDEvent);
}

BOOL CMultiLineListCtrl::CheckInvariants(CString* pReason)
{
    CString reason;
    int nShown = 0, nChildren = 0;
    std::unordered_set<INT_PTR> rows;
    for (INT_PTR i = 0; i < m_arrRows.GetSize(); ++i)
        rows.insert((INT_PTR)m_arrRows[i]);
    std::unordered_set<INT_PTR> seen;
    for (INT_PTR i = 0; i < m_arrLines.GetSize() && reason.IsEmpty();)
    {
        INT_PTR v = m_arrLines[i];
        if (v < 2 || rows.count(v) == 0 || !seen.insert(v).second)
        {
            reason.Format("line %d holds %lld, not a row's first line", (int)i, (long long)v);
            break;
        }
        const sMultiLineColInfo* pRow = reinterpret_cast<const sMultiLineColInfo*>(v);
        ++nShown;
        int nWant = pRow->bOpen ? pRow->nLineCount - 1 : 0;
        int c = 0;
        while (i + 1 + c < m_arrLines.GetSize() && m_arrLines[i + 1 + c] <= 0)
        {
            if (m_arrLines[i + 1 + c] != -(INT_PTR)(c + 1))
                reason.Format("line %d: child distance %lld, expected %d", (int)(i + 1 + c),
                              (long long)m_arrLines[i + 1 + c], -(c + 1));
            ++c;
        }
        if (c != nWant && reason.IsEmpty())
            reason.Format("row at line %d has %d child lines, expected %d", (int)i, c, nWant);
        nChildren += c;
        i += 1 + c;
    }
    if (reason.IsEmpty() && (nShown != m_nShownRows || nChildren != m_nChildLines))
        reason.Format("counters %d + %d, line array %d + %d", m_nShownRows, m_nChildLines, nShown, nChildren);
    if (reason.IsEmpty() && m_hWnd != nullptr && m_bUseFilter && !m_bCountPending &&
        CListCtrl::GetItemCount() != GetVisibleCountEx())
        reason.Format("platform count %d, lines %d", CListCtrl::GetItemCount(), GetVisibleCountEx());
    if (pReason != nullptr)
        *pReason = reason;
    return reason.IsEmpty();
}

// --- line model ----------------------------------------------------------------------------------

int CMultiLineListCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage)
{
    if (!m_bUseFilter)
        return CListCtrl::InsertItem(nItem, lpszItem, nImage);
    if (!HasDataDescriptor())
        return 0;
    sMultiLineColInfo* pRow = new sMultiLineColInfo{ 0, 0, 1, false, 0 };
    m_arrRows.Add(pRow);
    const int n = (int)m_arrLines.GetSize();
    int at;
    if (m_bReverseDisplay)
        at = nItem >= 0 && nItem < n ? nItem : n;
    else
        at = nItem <= 0 || nItem >= n ? n : nItem;
    // A row never goes between another row and its child lines.
    while (at < n && m_arrLines[at] <= 0)
        ++at;
    m_arrLines.InsertAt(at, (INT_PTR)pRow);
    ++m_nShownRows;
    Changed();
    SyncPlatformCount();
    StartRepaintTimer();
    return at;
}

int CMultiLineListCtrl::SetItemData(int nItem, DWORD_PTR dwValue, int nLineCount, int nExtra)
{
    if (!m_bUseFilter)
        return CListCtrl::SetItemData(nItem, dwValue);
    if (!HasDataDescriptor() || m_arrLines.GetSize() == 0)
        return 0;
    int nLine;
    if (nItem <= 0 || nItem >= m_nShownRows)
        nLine = m_bReverseDisplay ? 0 : (int)m_arrLines.GetSize() - 1;
    else
        nLine = nItem < m_arrLines.GetSize() ? nItem : (int)m_arrLines.GetSize() - 1;
    nLine = GetParentRow(nLine);
    sMultiLineColInfo* pRow = RowOfLine(nLine);
    if (pRow == nullptr)
        return 0;
    pRow->nExtra = nExtra;
    if (pRow->dwItemValue != 0 && pRow->dwItemValue == dwValue)
    {
        pRow->nLineCount = ClampLines(nLineCount);
        SyncChildLines(nLine);
        SyncPlatformCount();
        StartRepaintTimer();
        return 1;
    }
    pRow->dwItemValue = dwValue;
    pRow->nLineCount = ClampLines(nLineCount);
    const unsigned nGeneration = m_nGeneration;
    CAliveScope alive(m_pbAlive);
    bool bPass = Passes(dwValue);
    // The host's text routine may have deleted the list or changed the rows.
    if (!alive.Alive())
        return 0;
    if (m_nGeneration != nGeneration)
    {
        if (!IsRowLive(pRow))
            return 0;
        nLine = LineOfRow(pRow);
        if (nLine < 0)
            return 0;
    }
    if (!bPass)
    {
        RemoveShownRow(nLine);
        return 0;
    }
    SyncChildLines(nLine);
    SyncPlatformCount();
    InvalidateLine(nLine);
    return 1;
}

DWORD_PTR CMultiLineListCtrl::GetItemData(int nItem)
{
    if (!m_bUseFilter)
        return CCommonListCtrl::GetItemData(nItem);
    sMultiLineColInfo* pRow = RowOfLine(nItem);
    return pRow != nullptr ? pRow->dwItemValue : 0;
}

sMultiLineColInfo* CMultiLineListCtrl::GetMultiListItemData(int nShownRow)
{
    if (nShownRow < 0 || nShownRow >= m_nShownRows)
        return nullptr;
    int k = 0;
    for (INT_PTR i = 0; i < m_arrLines.GetSize(); ++i)
    {
        if (m_arrLines[i] > 0 && k++ == nShownRow)
            return reinterpret_cast<sMultiLineColInfo*>(m_arrLines[i]);
    }
    return nullptr;
}

sMultiLineColInfo* CMultiLineListCtrl::GetInternalItemData(int nItem)
{
    if (nItem < 0 || nItem >= m_arrLines.GetSize() || m_arrLines[nItem] <= 0)
        return nullptr;
    return reinterpret_cast<sMultiLineColInfo*>(m_arrLines[nItem]);
}

DWORD_PTR CMultiLineListCtrl::GetRowInfo(int nItem, int& nFirstLine, int& nLine)
{
    nFirstLine = 0;
    nLine = 0;
    int d = 0;
    sMultiLineColInfo* pRow = RowOfLine(nItem, &d);
    if (pRow == nullptr)
        return 0;
    if (d == 0)
        nFirstLine = 1;
    else
        nLine = pRow->nLineCount + 1 - d;
    return pRow->dwItemValue;
}

int CMultiLineListCtrl::GetParentRow(int nItem)
{
    int d = 0;
    if (RowOfLine(nItem, &d) == nullptr)
        return 0;
    return nItem - d;
}

BOOL CMultiLineListCtrl::IsRowParent(int nItem)
{
    return nItem >= 0 && nItem < m_arrLines.GetSize() && m_arrLines[nItem] > 0;
}

BOOL CMultiLineListCtrl::IsParentOpen(int nItem)
{
    return IsRowParent(nItem) && nItem + 1 < m_arrLines.GetSize() && m_arrLines[nItem + 1] <= 0;
}

BOOL CMultiLineListCtrl::IsRowExpanded(int nItem)
{
    sMultiLineColInfo* pRow = RowOfLine(nItem);
    return pRow != nullptr && pRow->nLineCount > 0 && nItem + 1 < m_arrLines.GetSize() && m_arrLines[nItem + 1] <= 0;
}

void CMultiLineListCtrl::OpenCloseRow(int nItem)
{
    sMultiLineColInfo* pRow = RowOfLine(nItem);
    if (pRow == nullptr)
        return;
    int nFirst = GetParentRow(nItem);
    bool bClosed = nFirst + 1 >= m_arrLines.GetSize() || m_arrLines[nFirst + 1] > 0;
    // Selected lines below move with their rows.
    std::vector<sSavedSelection> saved = SaveSelection();
    // A row of one line has nothing to open.
    pRow->bOpen = bClosed && pRow->nLineCount > 1;
    SyncChildLines(nFirst);
    SyncPlatformCount();
    RestoreSelection(saved);
    if (!m_bSingleSelection && m_hWnd != nullptr)
        SelectItemBlock(LVIS_SELECTED, nFirst);
    StartRepaintTimer();
}

std::vector<CMultiLineListCtrl::sSavedSelection> CMultiLineListCtrl::SaveSelection()
{
    std::vector<sSavedSelection> saved;
    // Asked before the pending count is handed over: with nothing selected a change of the rows
    // costs no count update.
    if (m_hWnd == nullptr || ::SendMessageA(m_hWnd, LVM_GETSELECTEDCOUNT, 0, 0) == 0)
        return saved;
    FlushPlatformCount();
    int nItem = -1;
    while ((nItem = GetNextItem(nItem, LVNI_SELECTED)) >= 0 && nItem < m_arrLines.GetSize())
    {
        int d = 0;
        sMultiLineColInfo* pRow = RowOfLine(nItem, &d);
        if (pRow != nullptr)
            saved.push_back({ pRow, d, LVIS_SELECTED });
    }
    return saved;
}

void CMultiLineListCtrl::RestoreSelection(const std::vector<sSavedSelection>& saved)
{
    if (m_hWnd == nullptr || saved.empty())
        return;
    FlushPlatformCount();
    SetItemState(-1, 0, LVIS_SELECTED);
    // Where each shown row starts now, found in one walk.
    std::unordered_map<const sMultiLineColInfo*, int> firstLines;
    for (INT_PTR i = 0; i < m_arrLines.GetSize(); ++i)
        if (m_arrLines[i] > 0)
            firstLines.emplace(reinterpret_cast<const sMultiLineColInfo*>(m_arrLines[i]), (int)i);
    for (const sSavedSelection& s : saved)
    {
        auto found = firstLines.find(s.pRow);
        if (found == firstLines.end())
            continue;
        int nFirst = found->second;
        int nLine = nFirst + s.nDistance;
        // A child line that went with its row's closing leaves the first line selected.
        if (s.nDistance > 0 && (nLine >= m_arrLines.GetSize() || m_arrLines[nLine] != -(INT_PTR)s.nDistance))
            nLine = nFirst;
        SetItemState(nLine, s.nState, LVIS_SELECTED);
    }
}

void CMultiLineListCtrl::OpenAllClosedRows()
{
    if (m_bAllRowsOpened || !m_bUseFilter)
        return;
    std::vector<sSavedSelection> saved = SaveSelection();
    for (INT_PTR i = 0; i < m_arrLines.GetSize(); ++i)
    {
        if (m_arrLines[i] <= 0)
            continue;
        sMultiLineColInfo* pRow = reinterpret_cast<sMultiLineColInfo*>(m_arrLines[i]);
        if (!pRow->bOpen && pRow->nLineCount > 1)
        {
            pRow->bOpen = true;
            SyncChildLines((int)i);
        }
    }
    m_bAllRowsOpened = true;
    SyncPlatformCount();
    RestoreSelection(saved);
    StartRepaintTimer();
}

void CMultiLineListCtrl::CloseAllOpenedRows()
{
    if (!m_bUseFilter)
        return;
    std::vector<sSavedSelection> saved = SaveSelection();
    for (INT_PTR i = 0; i < m_arrLines.GetSize(); ++i)
    {
        if (m_arrLines[i] <= 0)
            continue;
        sMultiLineColInfo* pRow = reinterpret_cast<sMultiLineColInfo*>(m_arrLines[i]);
        if (pRow->bOpen)
        {
            pRow->bOpen = false;
            SyncChildLines((int)i);
        }
    }
    SyncPlatformCount();
    RestoreSelection(saved);
    StartRepaintTimer();
}

int CMultiLineListCtrl::RedrawParentRow(DWORD_PTR dwValue, int nLineCount)
{
    if (dwValue == 0)
        return 0;
    for (INT_PTR i = 0; i < m_arrRows.GetSize(); ++i)
    {
        sMultiLineColInfo* pRow = m_arrRows[i];
        if (pRow->dwItemValue != dwValue)
            continue;
        pRow->nLineCount = ClampLines(nLineCount);
        int nFirst = LineOfRow(pRow);
        if (nFirst >= 0)
            SyncChildLines(nFirst);
        SyncPlatformCount();
        if (m_hWnd != nullptr)
            Invalidate();
        return 1;
    }
    return 0;
}

int CMultiLineListCtrl::DeleteItem(int nItem)
{
    if (!m_bUseFilter)
        return CListCtrl::DeleteItem(nItem);
    sMultiLineColInfo* pRow = RowOfLine(nItem);
    if (pRow == nullptr)
        return 0;
    std::vector<sSavedSelection> saved = SaveSelection();
    RemoveShownRow(GetParentRow(nItem));
    RestoreSelection(saved);
    for (INT_PTR i = 0; i < m_arrRows.GetSize(); ++i)
    {
        if (m_arrRows[i] == pRow)
        {
            m_arrRows.RemoveAt(i);
            break;
        }
    }
    delete pRow;
    Changed();
    return 1;
}

int CMultiLineListCtrl::DeleteAllItems()
{
    if (!m_bUseFilter)
        return CListCtrl::DeleteAllItems();
    for (INT_PTR i = 0; i < m_arrRows.GetSize(); ++i)
        delete m_arrRows[i];
    m_arrRows.RemoveAll();
    m_arrLines.RemoveAll();
    m_nShownRows = 0;
    m_nChildLines = 0;
    m_bAllRowsOpened = false;
    Changed();
    if (m_hWnd != nullptr)
    {
        m_bCountPending = false;
        SetItemCountEx(0, LVSICF_NOSCROLL);
        Invalidate();
    }
    return 1;
}

int CMultiLineListCtrl::GetItemCount()
{
    if (!m_bUseFilter)
        return CListCtrl::GetItemCount();
    return (int)m_arrRows.GetSize();
}

// --- selection -----------------------------------------------------------------------------------

void CMultiLineListCtrl::SelectItemBlock(UINT nState, int nItem)
{
    sMultiLineColInfo* pRow = RowOfLine(nItem);
    if (pRow == nullptr || m_hWnd == nullptr)
        return;
    int nFirst = nItem, nLast = nItem;
    if (IsParentOpen(GetParentRow(nItem)))
    {
        nFirst = GetParentRow(nItem);
        nLast = nFirst + pRow->nLineCount - 1;
        if (nLast >= m_arrLines.GetSize())
            nLast = (int)m_arrLines.GetSize() - 1;
    }
    FlushPlatformCount();
    for (int i = nFirst; i <= nLast; ++i)
        SetItemState(i, nState, LVIS_SELECTED);
}

void CMultiLineListCtrl::CheckandApplyControlClick(int nItem)
{
    ApplyClick(nItem, ::GetKeyState(VK_CONTROL) < 0);
}

void CMultiLineListCtrl::ApplyClick(int nItem, bool bCtrl)
{
    if (nItem < 0 || nItem >= GetVisibleCountEx() || m_hWnd == nullptr)
        return;
    if (bCtrl)
    {
        SelectItemBlock(IsSelected(nItem) ? LVIS_SELECTED : 0, nItem);
        return;
    }
    SetItemState(-1, 0, LVIS_SELECTED);
    SelectItemBlock(LVIS_SELECTED, nItem);
    SetItemState(nItem, LVIS_FOCUSED, LVIS_FOCUSED);
}

BOOL CMultiLineListCtrl::IsSelected(int nItem)
{
    if (m_hWnd == nullptr || nItem < 0 || nItem >= GetVisibleCountEx())
        return FALSE;
    return (GetItemState(nItem, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

int CMultiLineListCtrl::GetFirstSelectedParent()
{
    return GetNextSelectedParent(-1);
}

int CMultiLineListCtrl::GetNextSelectedParent(int nItem)
{
    for (int i = nItem + 1; i < m_arrLines.GetSize(); ++i)
        if (m_arrLines[i] > 0 && IsSelected(i))
            return i;
    return -1;
}

int CMultiLineListCtrl::GetCheck(int nItem)
{
    if (!m_bUseFilter)
        return CListCtrl::GetCheck(nItem);
    sMultiLineColInfo* pRow = RowOfLine(nItem);
    return pRow != nullptr ? pRow->nCheck : 0;
}

int CMultiLineListCtrl::SetCheck(int nItem, int nCheck)
{
    if (!m_bUseFilter)
        return CListCtrl::SetCheck(nItem, nCheck);
    sMultiLineColInfo* pRow = RowOfLine(nItem);
    if (pRow == nullptr)
        return 0;
    pRow->nCheck = nCheck;
    InvalidateLine(GetParentRow(nItem));
    return 1;
}

// --- texts ---------------------------------------------------------------------------------------

int CMultiLineListCtrl::GetColumnText(ULONGLONG dwItemValue, int nColumn, CString& text, unsigned long& clrText,
                                      unsigned long& clrBack, int& nImage, int nLine)
{
    if (!HasDataDescriptor())
        return 0;
    int nBuiltIn = m_nBuiltInColumns > 0 ? m_nBuiltInColumns : (int)m_arrColInfo.GetSize();
    if (nColumn > nBuiltIn - 1 && m_arrColInfo.GetSize() > 0)
    {
        GetCustomColumnText(dwItemValue, nColumn, text, nLine);
        return 1;
    }
    if (nColumn < 0)
        return 0;
    return m_pfnText(dwItemValue, nColumn, text, clrText, clrBack, nImage, nLine);
}

void CMultiLineListCtrl::GetCustomColumnText(ULONGLONG dwItemValue, int nColumn, CString& text, int nLine)
{
    text.Empty();
    int nBuiltIn = m_nBuiltInColumns > 0 ? m_nBuiltInColumns : (int)m_arrColInfo.GetSize();
    if (nColumn <= nBuiltIn - 1 || nColumn >= m_arrColInfo.GetSize())
        return;
    CMultiLineCellSource source(*this, dwItemValue, nLine, nBuiltIn);
    GetFormulaCellText(source, nColumn, text);
}

int CMultiLineListCtrl::GetOriginalColNo(int nPosition)
{
    int nColumn = ColumnAtPosition(nPosition);
    return nColumn >= 0 ? nColumn : 1;
}

CString CMultiLineListCtrl::GetItemText(int nItem, int nSubItem)
{
    if (!m_bUseFilter)
        return CCommonListCtrl::GetItemText(nItem, nSubItem);
    if (!HasDataDescriptor())
        return CString(MULTILINE_NO_DESCRIPTOR_TEXT);
    int d = 0;
    sMultiLineColInfo* pRow = RowOfLine(nItem, &d);
    if (pRow == nullptr)
        return CString();
    CString text;
    unsigned long clrText = (unsigned long)-1, clrBack = (unsigned long)-1;
    int nImage = -1;
    if (pRow->dwItemValue != 0)
        GetColumnText(pRow->dwItemValue, ColumnAtPosition(nSubItem), text, clrText, clrBack, nImage, d);
    if (d > 0)
        text = "   " + text;
    return text;
}

void CMultiLineListCtrl::OnLvnGetdispinfo(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (pNMHDR->code == LVN_GETDISPINFOW)
    {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(pNMHDR)->item;
        if ((item.mask & LVIF_TEXT) && item.pszText != nullptr && item.cchTextMax > 0)
        {
            CString text = GetItemText(item.iItem, item.iSubItem);
            if (::MultiByteToWideChar(CP_ACP, 0, text, -1, item.pszText, item.cchTextMax) == 0)
                item.pszText[item.cchTextMax - 1] = 0;
        }
        return;
    }
    LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(pNMHDR)->item;
    if ((item.mask & LVIF_TEXT) && item.pszText != nullptr && item.cchTextMax > 0)
    {
        CString text = GetItemText(item.iItem, item.iSubItem);
        lstrcpynA(item.pszText, text, item.cchTextMax);
    }
}

