// CMultiLineListCtrl: the row store and the line array, opening and closing rows, selection
// blocks, the cell texts and formula columns, filtering. Drawing, clicks, sorting, the menu and
// the export are in MultiLineListCtrlView.cpp.
#include "market/MultiLineListCtrl.h"
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
const int kMaxHeaderFilter = 255;
const int kHeaderFilterBuffer = 1024;
// The platform list takes an int item count; opening stops short of it.
const long long kMaxLines = INT_MAX / 2;

typedef HRESULT(WINAPI* PFN_SetWindowTheme)(HWND, LPCWSTR, LPCWSTR);

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
    bool bPass = Passes(dwValue);
    // The host's text routine may have changed the rows.
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
            pHeader->SetFilterChangeTimeout(500);
        }
        SyncPlatformCount();
        PutListFilter();   // the flag is set, so this hides the bar: filter mode starts without it
        m_Appearance.m_bKeywordRulesAvailable = true;
        if (pHeader != nullptr)
        {
            HMODULE hTheme = CControlBlock::Get()->CallLoadLibrary("UxTheme.dll");
            if (hTheme != nullptr)
            {
                PFN_SetWindowTheme pfn = (PFN_SetWindowTheme)(void*)::GetProcAddress(hTheme, "SetWindowTheme");
                if (pfn != nullptr)
                    pfn(pHeader->m_hWnd, L" ", L" ");
                ::FreeLibrary(hTheme);
            }
        }
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
    if (m_bFilterBarShown)
    {
        pHeader->ModifyStyle(HDS_FILTERBAR, 0);
        m_bFilterBarShown = 0;
    }
    else
    {
        pHeader->ModifyStyle(0, HDS_FILTERBAR);
        pHeader->SetFilterChangeTimeout(500);
        if (pHeader->GetItemCount() > 0)
            pHeader->PostMessage(HDM_EDITFILTER, 0, 0);
        m_bFilterBarShown = 1;
    }
    if (pHeader->GetItemCount() > 0)
    {
        int nWidth = GetColumnWidth(0);
        SetColumnWidth(0, nWidth + 1);
        SetColumnWidth(0, nWidth);
    }
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    pHeader->Invalidate();
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
    for (INT_PTR k = 0; k < m_arrFilteredCols.GetSize(); ++k)
    {
        if (m_arrFilteredCols[k] != nColumn)
            continue;
        if (csText.IsEmpty())
        {
            m_arrFilteredCols.RemoveAt(k);
            if (k < m_arrFilterTexts.GetSize())
                m_arrFilterTexts.RemoveAt(k);
        }
        else if (k < m_arrFilterTexts.GetSize())
            m_arrFilterTexts[k] = csText;
        return;
    }
    if (csText.IsEmpty())
        return;
    m_arrFilteredCols.Add(nColumn);
    m_arrFilterTexts.Add(csText);
}

void CMultiLineListCtrl::GetFileteredCols(CArray<int, int>& columns, CArray<CString, CString>& texts)
{
    columns.Copy(m_arrFilteredCols);
    texts.Copy(m_arrFilterTexts);
}

BOOL CMultiLineListCtrl::IsHeaderPositionFiltered(int nPosition)
{
    for (INT_PTR k = 0; k < m_arrFilteredCols.GetSize(); ++k)
        if (HeaderPositionOf(m_arrFilteredCols[k]) == nPosition)
            return TRUE;
    return FALSE;
}

int CMultiLineListCtrl::GetHeaderText(int nPosition, CString& csText)
{
    csText.Empty();
    if (m_hWnd == nullptr || nPosition < 0)
        return 0;
    CHeaderCtrl* pHeader = m_HeaderCtrl.m_hWnd ? &m_HeaderCtrl : GetHeaderCtrl();
    if (pHeader == nullptr || nPosition >= pHeader->GetItemCount())
        return 0;
    char buffer[kHeaderFilterBuffer] = "";
    HD_TEXTFILTERA filter = { buffer, kHeaderFilterBuffer };
    HDITEMA item = {};
    item.mask = HDI_FILTER;
    item.type = HDFT_ISSTRING;
    item.pvFilter = &filter;
    if (!pHeader->GetItem(nPosition, &item))
        return 0;
    buffer[kHeaderFilterBuffer - 1] = 0;
    csText = buffer;
    return csText.GetLength();
}

int CMultiLineListCtrl::SetVisibleColumnFilter(int nPosition, CString& csText, int bExact)
{
    if (nPosition < 0)
        return 0;
    m_bExactThisPass = bExact ? 1 : 0;
    m_bCompiledValid = false;
    CHeaderCtrl* pHeader = m_HeaderCtrl.m_hWnd ? &m_HeaderCtrl : GetHeaderCtrl();
    if (pHeader == nullptr)
        return 1;
    char buffer[kHeaderFilterBuffer] = "";
    int nLength = csText.GetLength() < kMaxHeaderFilter ? csText.GetLength() : kMaxHeaderFilter;
    memcpy(buffer, (LPCTSTR)csText, (size_t)nLength);
    buffer[nLength] = 0;
    HD_TEXTFILTERA filter = { buffer, kHeaderFilterBuffer };
    HDITEMA item = {};
    item.mask = HDI_FILTER;
    item.type = HDFT_ISSTRING;
    item.pvFilter = &filter;
    pHeader->SetItem(nPosition, &item);
    if (pHeader->m_hWnd != nullptr)
        pHeader->Invalidate();
    return 1;
}

int CMultiLineListCtrl::SetColumnFilter(int nColumn, CString& csText, int bExact)
{
    int nPosition = HeaderPositionOf(nColumn);
    m_bExactThisPass = bExact ? 1 : 0;
    if (nPosition == -1)
    {
        AddToFilteredCols(nColumn, csText);
        CString empty;
        SetVisibleColumnFilter(0, empty, bExact);
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
    {
        NMHEADERA forward = *pHeaderNM;
        forward.hdr.hwndFrom = m_hWnd;
        forward.hdr.idFrom = (UINT_PTR)GetDlgCtrlID();
        *pResult = ::SendNotifyMessageA(pTarget->m_hWnd, WM_NOTIFY, (WPARAM)GetDlgCtrlID(), (LPARAM)&forward);
    }
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
    CWnd* pTarget = GetOwnerWnd() ? GetOwnerWnd() : GetParent();
    if (pTarget != nullptr)
    {
        NMHDFILTERBTNCLICK forward = *pClick;
        forward.hdr.hwndFrom = m_hWnd;
        forward.hdr.idFrom = (UINT_PTR)GetDlgCtrlID();
        ::SendNotifyMessageA(pTarget->m_hWnd, WM_NOTIFY, (WPARAM)GetDlgCtrlID(), (LPARAM)&forward);
    }
    if (!::IsWindow(hSelf) || m_hWnd != hSelf)
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
    // One text buffer for every row (a host routine that calls back into the list gets one of
    // its own). The filters are read by index: the routine may change them.
    CString local;
    CString& text = m_nPassDepth++ == 0 ? m_csPassText : local;
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
        if (k < m_compiled.size() && !m_compiled[k].matcher.Match(text, (size_t)text.GetLength()))
        {
            bPass = false;
            break;
        }
    }
    --m_nPassDepth;
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
