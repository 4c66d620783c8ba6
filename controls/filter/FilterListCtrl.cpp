// CFilterListCtrl: the row store (map and display array), owner-data answers, insertion,
// deletion, populating and re-filtering of single rows, and the cell texts. The filter bar,
// keyboard, menus and the value popup are in FilterListCtrlFilters.cpp.
#include "filter/FilterListCtrl.h"
#include "filter/FilterText.h"
#include "filter/FormulaColumn.h"
#include "host/AliveScope.h"
#include "host/ControlBlock.h"

#include <algorithm>
#include <cstring>
#include <climits>
#include <unordered_map>
#include <unordered_set>
#include <string>

IMPLEMENT_DYNAMIC(CFilterListCtrl, CCommonListCtrl)

namespace
{
// Small records of all filter lists (row records, trend records), carved from blocks of 4,096
// slots of one size. Freed records are reused; the blocks go back to the heap when the last
// record of the pool is freed (every list emptied or gone). Made once and never destroyed, so
// that a list destroyed late at exit can still give its records back.
template <class TRecord>
class CRecordPool
{
public:
    CRecordPool() { ::InitializeSRWLock(&m_lock); }

    void* Take(size_t nSize)
    {
        if (nSize > sizeof(sSlot))
            return ::operator new(nSize);   // a record grown past the slots
        ::AcquireSRWLockExclusive(&m_lock);
        sSlot* pSlot = m_pFree;
        if (pSlot != nullptr)
            m_pFree = pSlot->pNext;
        else
        {
            if (m_nUsedInLast == kBlockSlots)
            {
                sSlot* pBlock = nullptr;
                try
                {
                    pBlock = static_cast<sSlot*>(::operator new(kBlockSlots * sizeof(sSlot)));
                    m_blocks.push_back(pBlock);
                }
                catch (...)
                {
                    ::operator delete(pBlock);
                    ::ReleaseSRWLockExclusive(&m_lock);
                    throw;
                }
                m_nUsedInLast = 0;
            }
            pSlot = m_blocks.back() + m_nUsedInLast++;
        }
        ++m_nLive;
        ::ReleaseSRWLockExclusive(&m_lock);
        return pSlot;
    }

    void Give(void* p, size_t nSize)
    {
        if (nSize > sizeof(sSlot))
        {
            ::operator delete(p);
            return;
        }
        ::AcquireSRWLockExclusive(&m_lock);
        sSlot* pSlot = static_cast<sSlot*>(p);
        pSlot->pNext = m_pFree;
        m_pFree = pSlot;
        if (--m_nLive == 0)
        {
            for (sSlot* pBlock : m_blocks)
                ::operator delete(pBlock);
            m_blocks.clear();
            m_blocks.shrink_to_fit();
            m_pFree = nullptr;
            m_nUsedInLast = kBlockSlots;
        }
        ::ReleaseSRWLockExclusive(&m_lock);
    }

private:
    union sSlot
    {
        sSlot* pNext;
        alignas(TRecord) unsigned char record[sizeof(TRecord)];
    };
    static const size_t kBlockSlots = 4096;
    SRWLOCK m_lock;
    std::vector<sSlot*> m_blocks;
    sSlot* m_pFree = nullptr;
    size_t m_nUsedInLast = kBlockSlots;
    size_t m_nLive = 0;
};

template <class TRecord>
CRecordPool<TRecord>& RecordPool()
{
    static CRecordPool<TRecord>* s_pPool = new CRecordPool<TRecord>;
    return *s_pPool;
}
}  // namespace

void* CFilterListCtrl::sColInfo::operator new(size_t nSize)
{
    return RecordPool<sColInfo>().Take(nSize);
}

void CFilterListCtrl::sColInfo::operator delete(void* p, size_t nSize) noexcept
{
    if (p != nullptr)
        RecordPool<sColInfo>().Give(p, nSize);
}

void* sTrendValues::operator new(size_t nSize)
{
    return RecordPool<sTrendValues>().Take(nSize);
}

void sTrendValues::operator delete(void* p, size_t nSize) noexcept
{
    if (p != nullptr)
        RecordPool<sTrendValues>().Give(p, nSize);
}

namespace
{
// The formula cell algorithm reads the other cells of the row through the list.
class CFilterListCellSource : public CFormulaCellSource
{
public:
    CFilterListCellSource(CFilterListCtrl& list, ULONGLONG dwItemData, int nBuiltIn)
        : m_list(list), m_dwItemData(dwItemData), m_nBuiltIn(nBuiltIn)
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
        unsigned long clrText = (unsigned long)-1, clrBack = (unsigned long)-1;
        int nImage = -1;
        return m_list.CallBackForText(m_dwItemData, nColumn, strText, clrText, clrBack, nImage) != 0;
    }
    void ReportError(LPCTSTR pszMessage) override { AfxMessageBox(pszMessage); }

private:
    CFilterListCtrl& m_list;
    ULONGLONG m_dwItemData;
    int m_nBuiltIn;
};
}  // namespace

// --- construction --------------------------------------------------------------------------------

CFilterListCtrl::CFilterListCtrl()
    : m_bUseFilter(0),
      m_bDoFilter(1),
      m_bFilterBarShown(0),
      m_bExactThisPass(0),
      m_bMatchExactly(0),
      m_bDrawShades(false),
      m_bReverseDisplay(false),
      m_bShowCustomColumns(true),
      m_bTrendRunning(false),
      m_nFilterEditPos(0),
      m_nLinesPerRow(1),
      m_nDisplayCount(0),
      m_pfnColumnText(nullptr),
      m_pfnColumnTextMember(nullptr),
      m_nRepaintTimer(0),
      m_bAlternateRowColors(0),
      m_bCustomDraw(0),
      m_bGreyRows(0),
      m_bMarkedText(0),
      m_clrEvenRow(RGB(240, 247, 249)),
      m_clrOddRow(RGB(230, 230, 250)),
      m_nSortDataColumn(-1),
      m_bTrendEnabled(true),
      m_bSortOnChecked(false),
      m_nTrendType(1),
      m_clrTrendPos(RGB(0, 255, 0)),
      m_clrTrendNeg(RGB(255, 0, 0)),
      m_nTrendInterval(0),
      m_mapTrend(10)
{
    m_pfnGetTextColor = static_cast<PFN_GETTEXTCOLOR>(&CFilterListCtrl::GetTextColorForItem);
}

CFilterListCtrl::~CFilterListCtrl()
{
    CAliveScope::Deleted(m_pbAlive);
    CFilterText::ListGone(this);
    for (INT_PTR i = 0; i < m_arrMap.GetSize(); ++i)
        delete m_arrMap[i];
    m_arrMap.RemoveAll();
    m_arrDisplay.RemoveAll();
    FreeTrendValues(true);
}

void CFilterListCtrl::SubclassHeader()
{
    if (m_hWnd == nullptr || m_HeaderCtrl.m_hWnd != nullptr)
        return;
    HWND hHeader = (HWND)::SendMessageA(m_hWnd, LVM_GETHEADER, 0, 0);
    if (hHeader != nullptr)
        m_HeaderCtrl.SubclassWindow(hHeader);
}

int CFilterListCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    int nResult = CCommonListCtrl::OnCreate(lpCreateStruct);
    if (nResult != -1)
        SubclassHeader();
    return nResult;
}

void CFilterListCtrl::PreSubclassWindow()
{
    CCommonListCtrl::PreSubclassWindow();
    SubclassHeader();
}

void CFilterListCtrl::OnDestroy()
{
    if (m_nRepaintTimer != 0)
        KillTimer(FILTER_REPAINT_TIMER);
    m_nRepaintTimer = 0;
    // A loop asking the host's routine for texts (a sort, a filter pass) stops when the host
    // destroys the list from inside the routine: it sees the rows changed.
    ++m_nRowChanges;
    CFilterText::ListGone(this);
    CCommonListCtrl::OnDestroy();
}

// --- helpers -------------------------------------------------------------------------------------

void CFilterListCtrl::ReportError(LPCTSTR pszMessage)
{
    AfxMessageBox(pszMessage);
}

void CFilterListCtrl::SyncPlatformCount()
{
    if (m_hWnd == nullptr)
        return;
    if (!m_bCountPending)
    {
        m_bCountPending = true;
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);   // handed over at the latest when this arrives
    }
}

void CFilterListCtrl::FlushPlatformCount()
{
    m_bCountPending = false;
    // Outside filter mode the platform's rows are the host's own (filter mode off empties them).
    if (m_bUseFilter && m_hWnd != nullptr && CListCtrl::GetItemCount() != m_nDisplayCount)
        SetItemCountEx(m_nDisplayCount, LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
    if (m_scrollTarget.bPending)
        ScrollToPendingRow();
}

bool CFilterListCtrl::HasFocusNow()
{
    // The focus comes and goes with a message to the list: asked once per message.
    if (m_nFocusKnown < 0)
        m_nFocusKnown = m_hWnd != nullptr && ::GetFocus() == m_hWnd ? 1 : 0;
    return m_nFocusKnown == 1;
}

void CFilterListCtrl::RequestRowInView(const sColInfo* pRecord, int nMapIndex)
{
    // Scrolling hands the count to the platform (slow under Wine): a fill of many rows scrolls
    // once, to the row asked for last, when the count goes over at the next message.
    m_scrollTarget.bPending = true;
    m_scrollTarget.pRecord = pRecord;
    m_scrollTarget.nMapIndex = nMapIndex;
    SyncPlatformCount();
}

void CFilterListCtrl::ScrollToPendingRow()
{
    const sScrollTarget target = m_scrollTarget;
    m_scrollTarget = sScrollTarget();
    if (!m_bUseFilter || m_hWnd == nullptr || m_nDisplayCount <= 0)
        return;
    int nScreenRow = 0;   // no record: the top row
    if (target.pRecord != nullptr)
    {
        // The row may have moved or gone since it was asked for.
        const int m = MapIndexOfRecord(target.pRecord, target.nMapIndex);
        const int d = m >= 0 ? DisplayIndexOfMapIndex(m) : -1;
        if (d < 0 || d >= m_nDisplayCount)
            return;
        nScreenRow = Mirror(d);
    }
    const int nTopBefore = GetTopIndex();
    EnsureVisible(nScreenRow, FALSE);
    // Rows that moved while the page stood still were invalidated as they moved; a scroll shows
    // rows that were not on the page then.
    if (GetTopIndex() != nTopBefore)
        InvalidateFromRow(nScreenRow);
}

LRESULT CFilterListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Rows gathered for invalidation go first, while the page is still the one they were
    // measured on (a scroll moves the invalid region with the rows).
    FlushRowsInvalid();
    // Painting a row sends the list several queries (its font, colours, state images): forgetting
    // the cell edges at each made every row read every header item again.
    if (!IsReadOnlyQuery(message))
    {
        m_bPageKnown = false;
        m_bCellEdgesKnown = false;
        m_nFocusKnown = -1;
    }
    if (message == WM_PAINT)
        m_bClientInvalid = false;   // the paint validates what was invalidated before it
    // Geometry queries of the page and of rows the platform already has do not depend on the
    // count: a stream of repaints that invalidates rows hands the count over once, not per row.
    // While a scroll waits for the count, the page a host asks about is the page after it; the
    // list's own queries between two rows of a fill leave both waiting.
    const bool bPageQuery =
        message == LVM_GETTOPINDEX || message == LVM_GETCOUNTPERPAGE || message == LVM_GETITEMRECT;
    if (m_bCountPending && message != LVM_SETITEMCOUNT &&
        (!bPageQuery || (m_scrollTarget.bPending && m_nOwnPageQueries == 0)))
        FlushPlatformCount();
    if (m_bCheckedCountStale)
    {
        m_bCheckedCountStale = false;
        if (m_bCheckedHeaderText && m_bUseFilter)
            WriteCheckedHeaderText();
    }
    return CCommonListCtrl::WindowProc(message, wParam, lParam);
}

void CFilterListCtrl::CheckedCountChanged()
{
    // Counting walks the map: once per message, not once per row deleted or checked.
    if (!m_bCheckedHeaderText || m_hWnd == nullptr || m_bCheckedCountStale)
        return;
    m_bCheckedCountStale = true;
    ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
}

int CFilterListCtrl::HeaderPositionOf(int nColumn) const
{
    if (nColumn < 0 || nColumn >= m_arrColPosition.GetSize())
        return -1;
    return m_arrColPosition[nColumn];
}

bool CFilterListCtrl::IsDisplayAscending()
{
    if (!m_bAscendingKnown)
    {
        m_bAscending = true;
        for (INT_PTR d = 1; d < m_arrDisplay.GetSize() && m_bAscending; ++d)
            m_bAscending = m_arrDisplay[d - 1] < m_arrDisplay[d];
        m_bAscendingKnown = true;
    }
    return m_bAscending;
}

int CFilterListCtrl::DisplayIndexOfMapIndex(int nMapIndex)
{
    const INT_PTR nMap = m_arrMap.GetSize();
    if (!m_bInverseValid || m_nInverseMapSize != nMap)
    {
        for (INT_PTR m = 0; m < nMap; ++m)
        {
            if (m_arrMap[m] != nullptr)
                m_arrMap[m]->nDisplay = -1;
        }
        for (INT_PTR d = 0; d < m_arrDisplay.GetSize(); ++d)
        {
            int m = m_arrDisplay[d];
            if (m >= 0 && m < nMap && m_arrMap[m] != nullptr && m_arrMap[m]->nDisplay == -1)
                m_arrMap[m]->nDisplay = (int)d;
        }
        m_bInverseValid = true;
        m_nInverseMapSize = nMap;
        m_nShifts = 0;
        m_nShiftedFrom = INT_MAX;
    }
    if (nMapIndex < 0 || nMapIndex >= nMap)
        return -1;
    sColInfo* pRecord = m_arrMap[nMapIndex];
    if (pRecord == nullptr)
    {
        for (INT_PTR d = 0; d < m_arrDisplay.GetSize(); ++d)
        {
            if (m_arrDisplay[d] == nMapIndex)
                return (int)d;
        }
        return -1;
    }
    const int h = pRecord->nDisplay;
    if (h < 0)
        return -1;
    const int nSize = (int)m_arrDisplay.GetSize();
    const int* pDisplay = m_arrDisplay.GetData();
    if (h < nSize && pDisplay[h] == nMapIndex)
        return h;
    // Rows that left or came back since the last renumbering moved the others by one place
    // each: the row is at most that many places from where its record last saw it, most often
    // a few (leaving and returning rows cancel out).
    for (int nStep = 1; nStep <= m_nShifts; ++nStep)
    {
        const int nDown = h + nStep, nUp = h - nStep;
        if (nDown < nSize && nDown >= 0 && pDisplay[nDown] == nMapIndex)
        {
            pRecord->nDisplay = nDown;
            return nDown;
        }
        if (nUp >= 0 && nUp < nSize && pDisplay[nUp] == nMapIndex)
        {
            pRecord->nDisplay = nUp;
            return nUp;
        }
    }
    m_bInverseValid = false;   // changed behind our back: look again
    return DisplayIndexOfMapIndex(nMapIndex);
}

void CFilterListCtrl::DisplayShiftedAt(INT_PTR nAt)
{
    // The records behind a row that left or came back learn their new places only when too many
    // rows moved for a record to be found near its old place (a renumbering walks the records
    // from there on, one at every few hundred single-row changes instead of one at each).
    if (!m_bInverseValid)
        return;
    if (nAt < m_nShiftedFrom)
        m_nShiftedFrom = nAt;
    if (++m_nShifts > kMaxShifts)
    {
        RenumberDisplayFrom(m_nShiftedFrom);
        m_nShifts = 0;
        m_nShiftedFrom = INT_MAX;
    }
}

void CFilterListCtrl::RenumberDisplayFrom(INT_PTR nFrom)
{
    const INT_PTR nMap = m_arrMap.GetSize();
    for (INT_PTR k = nFrom; k < m_arrDisplay.GetSize(); ++k)
    {
        const int m = m_arrDisplay[k];
        if (m >= 0 && m < nMap && m_arrMap[m] != nullptr)
            m_arrMap[m]->nDisplay = (int)k;
    }
}

int CFilterListCtrl::MapIndexOfRecord(const sColInfo* pRecord, int nHint) const
{
    if (nHint >= 0 && nHint < m_arrMap.GetSize() && m_arrMap[nHint] == pRecord)
        return nHint;
    for (INT_PTR m = 0; m < m_arrMap.GetSize(); ++m)
    {
        if (m_arrMap[m] == pRecord)
            return (int)m;
    }
    return -1;
}

int CFilterListCtrl::RowPlacement(int nScreenRow)
{
    if (m_hWnd == nullptr)
        return kRowHidden;
    // Only a message can scroll, size or show the list, so the page is read again after any
    // message reached it (see WindowProc): a stream of repaints reads it once.
    if (!m_bPageKnown)
    {
        const sOwnPageQuery own(m_nOwnPageQueries);
        m_bPageVisible = ::IsWindowVisible(m_hWnd) != FALSE;
        // The vertical scroll bar of a report list counts rows: its position is the top row and
        // its page the rows per page. Reading it sends the list nothing (a message would hand
        // over a pending count first).
        SCROLLINFO si = {};
        si.cbSize = sizeof(si);
        si.fMask = SIF_POS | SIF_PAGE;
        if ((GetStyle() & WS_VSCROLL) && ::GetScrollInfo(m_hWnd, SB_VERT, &si))
        {
            m_nPageTop = si.nPos;
            m_nPageRows = (int)si.nPage;
        }
        else
        {
            m_nPageTop = GetTopIndex();
            m_nPageRows = GetCountPerPage();
        }
        // The top row's rectangle gives every row's on the page (rows are of one height).
        m_rcPageTop.SetRectEmpty();
        if (m_bPageVisible && m_nPageTop >= 0 && m_nPageTop < m_nDisplayCount)
            GetItemRect(m_nPageTop, &m_rcPageTop, LVIR_BOUNDS);
        m_bPageKnown = true;   // after the messages above, which forget it
    }
    if (!m_bPageVisible)
        return kRowHidden;
    if (nScreenRow < m_nPageTop)
        return kRowAbove;
    return nScreenRow <= m_nPageTop + m_nPageRows ? kRowOnPage : kRowBelow;
}

bool CFilterListCtrl::IsRowOnScreen(int nScreenRow)
{
    return nScreenRow >= 0 && RowPlacement(nScreenRow) == kRowOnPage;
}

bool CFilterListCtrl::RowRect(int nScreenRow, CRect& rc)
{
    const sOwnPageQuery own(m_nOwnPageQueries);
    if (RowPlacement(nScreenRow) == kRowOnPage && !m_rcPageTop.IsRectEmpty())
    {
        rc = m_rcPageTop;
        rc.OffsetRect(0, (nScreenRow - m_nPageTop) * m_rcPageTop.Height());
        return true;
    }
    return GetItemRect(nScreenRow, &rc, LVIR_BOUNDS) != FALSE;
}

void CFilterListCtrl::InvalidateDisplayRow(int nScreenRow)
{
    if (m_hWnd == nullptr || nScreenRow < 0 || m_bClientInvalid || RowPlacement(nScreenRow) == kRowHidden)
        return;
    CRect rc;
    if (!RowRect(nScreenRow, rc))
        return;
    // Under Wine every invalidation is a round trip to the window server (4 us to 2 ms on a
    // loaded machine): the rows of a stream of quotes are gathered and invalidated together
    // before the next message reaches the list, which is before any paint.
    if (m_bRowsInvalidPending)
        m_rcRowsInvalid.UnionRect(&m_rcRowsInvalid, &rc);
    else
    {
        m_rcRowsInvalid = rc;
        m_bRowsInvalidPending = true;
        if (!m_bCountPending)
            ::PostMessageA(m_hWnd, WM_NULL, 0, 0);   // a count waiting has posted one already
    }
}

void CFilterListCtrl::FlushRowsInvalid()
{
    if (!m_bRowsInvalidPending)
        return;
    m_bRowsInvalidPending = false;
    if (m_hWnd != nullptr)
        ::InvalidateRect(m_hWnd, &m_rcRowsInvalid, FALSE);
}

void CFilterListCtrl::InvalidateFromRow(int nScreenRow)
{
    int nPlacement = RowPlacement(nScreenRow < 0 ? 0 : nScreenRow);
    if (nPlacement == kRowHidden || nPlacement == kRowBelow)
        return;   // nothing on screen moves
    // Rows streaming in on top invalidate the whole client again and again until it is painted:
    // once is enough (each invalidation is a round trip to the window manager).
    if (m_bClientInvalid)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    if (nPlacement == kRowAbove)
    {
        InvalidateRect(&rcClient, FALSE);   // every row on the page moves
        m_bClientInvalid = true;
        return;
    }
    CRect rc;
    const bool bWhole = nScreenRow <= m_nPageTop;   // from the top row of the page down
    if (nScreenRow >= 0 && RowRect(nScreenRow, rc))
    {
        rcClient.top = rc.top > rcClient.top ? rc.top : rcClient.top;
        if (rcClient.top >= rcClient.bottom)
            return;
    }
    InvalidateRect(&rcClient, FALSE);
    m_bClientInvalid = bWhole;
}

#ifndef NDEBUG
void CFilterListCtrl::DebugCheckInvariants(bool bWhole)
{
    if (!m_bUseFilter)
        return;
    // The whole check walks the display array: run after every change it made a debug fill
    // quadratic. Walking once the changes since the last walk reach the map's size keeps the cost
    // a constant per change, and a broken state is still caught within one map's worth of them.
    if (bWhole || ++m_nChangesSinceWalk >= m_arrMap.GetSize())
    {
        m_nChangesSinceWalk = 0;
        CString reason;
        if (!CheckInvariants(&reason))
        {
            CControlBlock::Get()->Log("Filter list invariant broken: " + reason);
            ASSERT(!"filter list invariant broken");
        }
        return;
    }
    ASSERT(m_nDisplayCount == m_arrDisplay.GetSize());
    ASSERT(m_nDisplayCount <= m_arrMap.GetSize());
}
#endif

BOOL CFilterListCtrl::CheckInvariants(CString* pReason)
{
    CString reason;
    INT_PTR nMap = m_arrMap.GetSize();
    if (m_arrFilteredCols.GetSize() != m_arrFilterTexts.GetSize())
        reason = "filter arrays out of step";
    if (m_bUseFilter)
    {
        if (m_nDisplayCount != m_arrDisplay.GetSize())
            reason.Format("display count %d, display array %d", m_nDisplayCount, (int)m_arrDisplay.GetSize());
        std::vector<bool> seen((size_t)nMap, false);
        for (INT_PTR d = 0; d < m_arrDisplay.GetSize() && reason.IsEmpty(); ++d)
        {
            int m = m_arrDisplay[d];
            if (m < 0 || m >= nMap)
                reason.Format("display entry %d holds %d, map size %d", (int)d, m, (int)nMap);
            else if (seen[(size_t)m])
                reason.Format("map index %d shown twice", m);
            else
                seen[(size_t)m] = true;
        }
        // A count still waiting for the next message is not asked for (asking would hand it over).
        if (reason.IsEmpty() && m_hWnd != nullptr && !m_bCountPending && CListCtrl::GetItemCount() != m_nDisplayCount)
            reason.Format("platform count %d, display count %d", CListCtrl::GetItemCount(), m_nDisplayCount);
        ForEachTrendArray([&](int nColumn, CTrendValueArray& values) {
            if (reason.IsEmpty() && values.GetSize() != nMap)
                reason.Format("trend array of column %d has %d values for %d rows", nColumn, (int)values.GetSize(), (int)nMap);
        });
    }
    if (pReason != nullptr)
        *pReason = reason;
    return reason.IsEmpty();
}

// --- texts ---------------------------------------------------------------------------------------

int CFilterListCtrl::CallBackForText(ULONGLONG dwItemData, int nColumn, CString& text, unsigned long& clrText,
                                     unsigned long& clrBack, int& nImage)
{
    if (m_pfnColumnTextMember != nullptr)
    {
        CWnd* pTarget = GetOwnerWnd();
        if (pTarget == nullptr)
            pTarget = GetParent();
        if (pTarget == nullptr)
            return 0;
        return (pTarget->*m_pfnColumnTextMember)(dwItemData, nColumn, text, clrText, clrBack, nImage);
    }
    if (m_pfnColumnText != nullptr)
        return m_pfnColumnText(dwItemData, nColumn, text, clrText, clrBack, nImage);
    return 0;
}

int CFilterListCtrl::GetColumnText(ULONGLONG dwItemData, int nColumn, CString& text, unsigned long& clrText,
                                   unsigned long& clrBack, int& nImage)
{
    if (!HasDataDescriptor())
        return 0;
    int nBuiltIn = m_nBuiltInColumns > 0 ? m_nBuiltInColumns : (int)m_arrColInfo.GetSize();
    if (nColumn > nBuiltIn - 1 && m_arrColInfo.GetSize() > 0)
    {
        GetCustomColumnText(dwItemData, nColumn, text);
        return 1;
    }
    if (nColumn < 0)
        return 0;
    return CallBackForText(dwItemData, nColumn, text, clrText, clrBack, nImage);
}

void CFilterListCtrl::GetCustomColumnText(ULONGLONG dwItemData, int nColumn, CString& text)
{
    int nBuiltIn = m_nBuiltInColumns > 0 ? m_nBuiltInColumns : (int)m_arrColInfo.GetSize();
    if (nColumn <= nBuiltIn - 1)
        return;
    if (nColumn >= m_arrColInfo.GetSize())
    {
        text.Empty();   // no column record: nothing to compute
        return;
    }
    CFilterListCellSource source(*this, dwItemData, nBuiltIn);
    GetFormulaCellText(source, nColumn, text);
}

CString CFilterListCtrl::GetItemText(int nItem, int nSubItem)
{
    if (!m_bUseFilter)
        return CCommonListCtrl::GetItemText(nItem, nSubItem);
    if (nItem < 0 || nItem >= m_nDisplayCount || nItem >= m_arrDisplay.GetSize())
        return CString();
    int d = Mirror(nItem);
    int m = m_arrDisplay[d];
    int nColumn = ColumnAtPosition(nSubItem);
    if (!HasDataDescriptor())
        return CString(FILTER_NO_DESCRIPTOR_TEXT);
    if (m < 0 || m >= m_arrMap.GetSize() || m_arrMap[m] == nullptr)
        return CString();
    CString text;
    DWORD_PTR dwData = m_arrMap[m]->dwItemData;
    if (dwData != 0)
    {
        unsigned long clrText = (unsigned long)-1, clrBack = (unsigned long)-1;
        int nImage = -1;
        GetColumnText(dwData, nColumn, text, clrText, clrBack, nImage);
    }
    return text;
}

void CFilterListCtrl::OnLvnGetdispinfo(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (pNMHDR->code == LVN_GETDISPINFOW)
    {
        NMLVDISPINFOW* pInfo = reinterpret_cast<NMLVDISPINFOW*>(pNMHDR);
        LVITEMW& item = pInfo->item;
        if (item.iItem > m_nDisplayCount)
            return;
        if (item.mask & LVIF_IMAGE)
        {
            item.iImage = 0;
            item.state = INDEXTOSTATEIMAGEMASK(2);
            item.stateMask = 0xF000;
        }
        if ((item.mask & LVIF_TEXT) && item.pszText != nullptr && item.cchTextMax > 0)
        {
            CString text = GetItemText(item.iItem, item.iSubItem);
            if (::MultiByteToWideChar(CP_ACP, 0, text, -1, item.pszText, item.cchTextMax) == 0)
                item.pszText[item.cchTextMax - 1] = 0;
        }
        return;
    }
    NMLVDISPINFOA* pInfo = reinterpret_cast<NMLVDISPINFOA*>(pNMHDR);
    LVITEMA& item = pInfo->item;
    if (item.iItem > m_nDisplayCount)
        return;
    if (item.mask & LVIF_IMAGE)
    {
        item.iImage = 0;
        item.state = INDEXTOSTATEIMAGEMASK(2);
        item.stateMask = 0xF000;
    }
    if ((item.mask & LVIF_TEXT) && item.pszText != nullptr && item.cchTextMax > 0)
    {
        CString text = GetItemText(item.iItem, item.iSubItem);
        lstrcpynA(item.pszText, text, item.cchTextMax);
    }
}

void CFilterListCtrl::OnLvnOdfinditem(NMHDR*, LRESULT* pResult)
{
    *pResult = GetSelectionMark();
}

// --- rows ----------------------------------------------------------------------------------------

int CFilterListCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage)
{
    if (!m_bUseFilter)
        return CListCtrl::InsertItem(nItem, lpszItem, nImage);
    if (!HasDataDescriptor())
        return 0;
    sColInfo* pRecord = new sColInfo{ 0, 0 };
    ++m_nRowChanges;
    ++m_nDisplayCount;
    int nMapIndex;
    if (nItem <= 0 || nItem >= m_arrMap.GetSize())
    {
        // Position 0 (and anything not inside the map) appends.
        nMapIndex = (int)m_arrMap.Add(pRecord);
        m_arrDisplay.Add(nMapIndex);
        // The new map index is the greatest: an ascending display array stays ascending.
        const bool bWasAscending = m_bAscendingKnown && m_bAscending;
        if (m_bInverseValid && m_nInverseMapSize == nMapIndex)
        {
            pRecord->nDisplay = (int)m_arrDisplay.GetSize() - 1;
            m_nInverseMapSize = nMapIndex + 1;
        }
        else
            DisplayChanged();
        m_bAscendingKnown = bWasAscending || m_arrDisplay.GetSize() == 1;
        m_bAscending = m_bAscendingKnown;
    }
    else
    {
        nMapIndex = nItem;
        m_arrMap.InsertAt(nMapIndex, pRecord);
        for (INT_PTR d = 0; d < m_arrDisplay.GetSize(); ++d)
        {
            int& m = m_arrDisplay[d];
            if (m == -1)
            {
                ReportError("Insert Item: Reindexing Error");
                DeleteAllItems();
                return 0;
            }
            if (m >= nMapIndex)
                ++m;
        }
        INT_PTR at = nItem < m_arrDisplay.GetSize() ? nItem : m_arrDisplay.GetSize();
        m_arrDisplay.InsertAt(at, nMapIndex);
        DisplayChanged();
    }
    InsertTrendRecords(nMapIndex);
    SyncPlatformCount();
    CheckedCountChanged();
    DebugCheckInvariants();
    return nMapIndex;
}

int CFilterListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    if (!m_bUseFilter)
        return CListCtrl::SetItemData(nItem, dwData);
    if (!HasDataDescriptor() || m_nDisplayCount <= 0 || m_arrDisplay.GetSize() != m_nDisplayCount)
        return 0;
    int nTarget = (nItem == 0 || nItem >= m_nDisplayCount || nItem < 0) ? m_nDisplayCount - 1 : nItem;
    int d = Mirror(nTarget);
    if (d < 0 || d >= m_arrDisplay.GetSize())
        return 0;
    int m = m_arrDisplay[d];
    if (m < 0 || m >= m_arrMap.GetSize() || m_arrMap[m] == nullptr)
        return 0;
    if (m_arrMap[m]->dwItemData == 0)
        m_arrMap[m]->dwItemData = dwData;
    else
    {
        if (nItem < 0 || nItem >= m_nDisplayCount)
            return 0;
        d = Mirror(nItem);
        m = m_arrDisplay[d];
        if (m < 0 || m >= m_arrMap.GetSize() || m_arrMap[m] == nullptr)
            return 0;
        m_arrMap[m]->dwItemData = dwData;
    }
    ++m_nRowChanges;
    const sColInfo* pRecord = m_arrMap[m];
    const unsigned nStamp = m_nRowChanges;
    CAliveScope alive(m_pbAlive);
    const bool bPass = CheckForFilteredData(dwData) != 0;
    if (!alive.Alive())
        return 0;
    if (nStamp != m_nRowChanges)
    {
        // The routine changed the rows: find the record again; gone, given other data or no
        // longer shown, it is the host's now.
        m = m_bUseFilter ? MapIndexOfRecord(pRecord, m) : -1;
        if (m < 0 || m_arrMap[m]->dwItemData != dwData)
            return 0;
        d = DisplayIndexOfMapIndex(m);
        if (d < 0 || d >= m_nDisplayCount)
            return 0;
    }
    int nScreenRow = Mirror(d);
    if (!bPass)
    {
        m_arrDisplay.RemoveAt(d);
        DisplayChanged();
        --m_nDisplayCount;
        SyncPlatformCount();
        InvalidateFromRow(m_bReverseDisplay ? 0 : d);
        return 0;
    }
    StartRepaintTimer();
    SyncPlatformCount();
    // Nothing is on screen while the list is hidden (a host fills it hidden, then shows it).
    if (m_hWnd == nullptr || !::IsWindowVisible(m_hWnd))
        return 1;
    if (m_bReverseDisplay && !HasFocusNow())
        RequestRowInView(m_arrMap[m], m);
    // The page as read once per message (see RowPlacement): a fill of many rows asks the
    // platform nothing per row.
    if (RowPlacement(nScreenRow) == kRowOnPage)
    {
        if (nScreenRow == m_nPageTop + m_nPageRows)
            InvalidateDisplayRow(nScreenRow);
        else
            InvalidateFromRow(nScreenRow);
    }
    return 1;
}

DWORD_PTR CFilterListCtrl::GetItemData(int nItem)
{
    if (!m_bUseFilter)
        return CCommonListCtrl::GetItemData(nItem);
    if (nItem < 0 || nItem >= m_nDisplayCount || nItem >= m_arrDisplay.GetSize())
        return 0;
    int m = m_arrDisplay[Mirror(nItem)];
    if (m < 0 || m >= m_arrMap.GetSize() || m_arrMap[m] == nullptr)
        return 0;
    return m_arrMap[m]->dwItemData;
}

DWORD_PTR CFilterListCtrl::GetMapItemData(int nMapIndex)
{
    if (nMapIndex < 0 || nMapIndex >= m_arrMap.GetSize() || m_arrMap[nMapIndex] == nullptr)
        return 0;
    return m_arrMap[nMapIndex]->dwItemData;
}

int CFilterListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText)
{
    if (!m_bUseFilter)
        return CListCtrl::SetItemText(nItem, nSubItem, lpszText);
    return HasDataDescriptor() ? 1 : 0;
}

int CFilterListCtrl::DeleteItem(int nItem)
{
    if (!m_bUseFilter)
        return CListCtrl::DeleteItem(nItem);
    if (nItem < 0 || nItem >= m_nDisplayCount || m_nDisplayCount > m_arrDisplay.GetSize())
        return 0;
    int d = Mirror(nItem);
    int m = m_arrDisplay[d];
    if (m == -1 || m < 0 || m >= m_arrMap.GetSize())
    {
        ReportError("Delete item: Item not found");
        return 0;
    }
    int nLast = (int)m_arrMap.GetSize() - 1;
    const bool bWasAscending = m_bAscendingKnown && m_bAscending;
    m_arrDisplay.RemoveAt(d);
    DisplayChanged();
    if (m != nLast)
    {
        for (INT_PTR k = 0; k < m_arrDisplay.GetSize(); ++k)
        {
            int& e = m_arrDisplay[k];
            if (e == m || e == -1)
            {
                ReportError("Delete item: Reindexing Error");
                DeleteAllItems();
                return 0;
            }
            if (e > m)
                --e;
        }
    }
    RemoveTrendRecords(m);
    delete m_arrMap[m];
    m_arrMap.RemoveAt(m);
    // Removing an entry and closing up the greater indexes keeps an ascending array ascending.
    m_bAscendingKnown = m_bAscending = bWasAscending;
    if (!IsAutoSortEnabled())
        m_nPrevSortColumn = -1;
    if (nItem < m_nDisplayCount)
        --m_nDisplayCount;
    SyncPlatformCount();
    CheckedCountChanged();
    StartRepaintTimer();
    if (m_bReverseDisplay && m_hWnd != nullptr && !HasFocusNow() && m_nDisplayCount > 0)
        RequestRowInView(nullptr, -1);
    DebugCheckInvariants();
    return 1;
}

int CFilterListCtrl::DeleteMapItem(int nMapIndex)
{
    if (nMapIndex == -1)
        return 0;
    if (!m_bUseFilter)
        return 1;
    if (nMapIndex < 0 || nMapIndex >= m_arrMap.GetSize())
        return 0;
    int d = DisplayIndexOfMapIndex(nMapIndex);
    if (d >= 0)
    {
        if (d >= m_nDisplayCount)
        {
            CControlBlock::Get()->Log("Error occured while deleting map item");
            return 0;
        }
        return DeleteItem(Mirror(d));
    }
    const bool bWasAscending = m_bAscendingKnown && m_bAscending;
    if (nMapIndex != m_arrMap.GetSize() - 1)
    {
        for (INT_PTR k = 0; k < m_arrDisplay.GetSize(); ++k)
        {
            if (m_arrDisplay[k] > nMapIndex)
                --m_arrDisplay[k];
        }
    }
    DisplayChanged();
    m_bAscendingKnown = m_bAscending = bWasAscending;
    RemoveTrendRecords(nMapIndex);
    delete m_arrMap[nMapIndex];
    m_arrMap.RemoveAt(nMapIndex);
    CheckedCountChanged();
    DebugCheckInvariants();
    return 1;
}

void CFilterListCtrl::FreeFilterStore()
{
    if (!m_bUseFilter)
        return;
    for (INT_PTR i = 0; i < m_arrMap.GetSize(); ++i)
        delete m_arrMap[i];
    m_arrMap.RemoveAll();
    m_arrDisplay.RemoveAll();
    DisplayChanged();
    // Nothing is displayed any more: a count left behind would show blank rows after the next
    // insert (the platform is told at the next message, without a repaint).
    m_nDisplayCount = 0;
    SyncPlatformCount();
    CheckedCountChanged();
    FreeTrendValues(false);   // the records went with their rows
}

int CFilterListCtrl::DeleteAllItems()
{
    if (!m_bUseFilter)
        return CListCtrl::DeleteAllItems();
    m_nDisplayCount = 0;
    SyncPlatformCount();
    FreeFilterStore();
    if (m_hWnd != nullptr)
        Invalidate();
    return 1;
}

int CFilterListCtrl::DeleteAllMapListItems()
{
    if (!m_bUseFilter)
        return 1;
    DeleteAllItems();
    if (m_hWnd != nullptr)
        CListCtrl::DeleteAllItems();
    return 1;
}

int CFilterListCtrl::GetItemCount()
{
    if (!m_bUseFilter)
        return CListCtrl::GetItemCount();
    return (int)m_arrMap.GetSize();
}

int CFilterListCtrl::GetMapIndexFromDisplayIndex(int nDisplayIndex)
{
    if (nDisplayIndex < 0 || nDisplayIndex >= m_arrDisplay.GetSize())
        return -1;
    return m_arrDisplay[nDisplayIndex];
}

int CFilterListCtrl::GetOriginalColNo(int nPosition)
{
    int nColumn = ColumnAtPosition(nPosition);
    return nColumn >= 0 ? nColumn : 1;
}

int CFilterListCtrl::GetCheck(int nItem)
{
    if (nItem < 0 || nItem >= m_nDisplayCount || nItem >= m_arrDisplay.GetSize())
        return 0;
    int m = m_arrDisplay[Mirror(nItem)];
    return (m >= 0 && m < m_arrMap.GetSize() && m_arrMap[m]) ? m_arrMap[m]->nCheck : 0;
}

int CFilterListCtrl::SetCheck(int nItem, int nCheck)
{
    if (nItem < 0 || nItem >= m_nDisplayCount || nItem >= m_arrDisplay.GetSize())
        return 0;
    int m = m_arrDisplay[Mirror(nItem)];
    if (m < 0 || m >= m_arrMap.GetSize() || m_arrMap[m] == nullptr)
        return 0;
    m_arrMap[m]->nCheck = nCheck;
    InvalidateDisplayRow(nItem);
    CheckedCountChanged();
    RowCheckChanged(nCheck ? 1 : 0);
    return 1;
}

int CFilterListCtrl::GetMapItemCheck(int nMapIndex)
{
    if (nMapIndex < 0 || nMapIndex >= m_arrMap.GetSize() || m_arrMap[nMapIndex] == nullptr)
        return 0;
    return m_arrMap[nMapIndex]->nCheck;
}

int CFilterListCtrl::SetMapItemCheck(int nMapIndex, int nCheck)
{
    if (nMapIndex < 0 || nMapIndex >= m_arrMap.GetSize() || m_arrMap[nMapIndex] == nullptr)
        return 0;
    m_arrMap[nMapIndex]->nCheck = nCheck;
    CheckedCountChanged();
    RowCheckChanged(nCheck ? 1 : 0);
    return 1;
}

int CFilterListCtrl::GetCheckedItemCount()
{
    int n = 0;
    for (INT_PTR i = 0; i < m_arrMap.GetSize(); ++i)
    {
        if (m_arrMap[i] != nullptr && m_arrMap[i]->nCheck)
            ++n;
    }
    return n;
}

void CFilterListCtrl::ResetCheckedItems()
{
    for (INT_PTR i = 0; i < m_arrMap.GetSize(); ++i)
    {
        if (m_arrMap[i] != nullptr)
            m_arrMap[i]->nCheck = 0;
    }
    CheckedCountChanged();
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
    RowCheckChanged(0);
}

// --- filtering single rows -----------------------------------------------------------------------

int CFilterListCtrl::RepaintMapItem(int nMapIndex)
{
    if (nMapIndex < 0 || nMapIndex >= m_arrMap.GetSize() || m_arrMap[nMapIndex] == nullptr)
        return 0;
    const sColInfo* pRecord = m_arrMap[nMapIndex];
    const DWORD_PTR dwData = pRecord->dwItemData;
    const unsigned nStamp = m_nRowChanges;
    CAliveScope alive(m_pbAlive);
    const bool bPass = dwData == 0 || Passes(dwData);
    if (!alive.Alive())
        return 0;
    if (nStamp != m_nRowChanges)
    {
        // The routine changed the rows: the record is looked for again (it may have moved, or be
        // gone with the rows the host deleted).
        nMapIndex = m_bUseFilter ? MapIndexOfRecord(pRecord, nMapIndex) : -1;
        if (nMapIndex < 0 || pRecord->dwItemData != dwData)
            return 0;
    }
    int d = DisplayIndexOfMapIndex(nMapIndex);
    if (d >= 0)
    {
        if (bPass)
        {
            int nScreenRow = Mirror(d);
            if (IsRowOnScreen(nScreenRow))
                InvalidateDisplayRow(nScreenRow);
            return 0;
        }
        int nScreenRow = Mirror(d);
        m_arrDisplay.RemoveAt(d);
        if (m_bInverseValid)
        {
            m_arrMap[nMapIndex]->nDisplay = -1;
            DisplayShiftedAt(d);
        }
        ++m_nRowChanges;
        --m_nDisplayCount;
        SyncPlatformCount();
        InvalidateFromRow(m_bReverseDisplay ? 0 : nScreenRow);
        DebugCheckInvariants();
        return -1;
    }
    if (dwData == 0 || !bPass)
        return 1;
    // Back in: before the first display entry with a greater map index (in an ascending display
    // array, where the binary search finds it, and the array stays ascending).
    INT_PTR at = m_arrDisplay.GetSize();
    const bool bAscending = IsDisplayAscending();
    if (bAscending)
    {
        const int* pBegin = m_arrDisplay.GetData();
        at = std::upper_bound(pBegin, pBegin + m_arrDisplay.GetSize(), nMapIndex) - pBegin;
    }
    else
    {
        for (INT_PTR k = 0; k < m_arrDisplay.GetSize(); ++k)
        {
            if (m_arrDisplay[k] > nMapIndex)
            {
                at = k;
                break;
            }
        }
    }
    m_arrDisplay.InsertAt(at, nMapIndex);
    if (m_bInverseValid)
    {
        m_arrMap[nMapIndex]->nDisplay = (int)at;
        DisplayShiftedAt(at);
    }
    ++m_nRowChanges;
    ++m_nDisplayCount;
    SyncPlatformCount();
    InvalidateFromRow(m_bReverseDisplay ? 0 : (int)at);
    DebugCheckInvariants();
    return 1;
}

int CFilterListCtrl::RepaintDisplayItem(int nItem)
{
    if (nItem < 0 || nItem >= m_nDisplayCount || nItem >= m_arrDisplay.GetSize())
        return 0;
    int d = Mirror(nItem);
    int m = m_arrDisplay[d];
    if (m < 0 || m >= m_arrMap.GetSize() || m_arrMap[m] == nullptr)
        return 0;
    const sColInfo* pRecord = m_arrMap[m];
    const DWORD_PTR dwData = pRecord->dwItemData;
    const unsigned nStamp = m_nRowChanges;
    CAliveScope alive(m_pbAlive);
    const bool bPass = dwData == 0 || Passes(dwData);
    if (!alive.Alive())
        return 0;
    if (nStamp != m_nRowChanges)
    {
        m = m_bUseFilter ? MapIndexOfRecord(pRecord, m) : -1;
        d = m >= 0 && pRecord->dwItemData == dwData ? DisplayIndexOfMapIndex(m) : -1;
        if (d < 0 || d >= m_nDisplayCount)
            return 0;
        nItem = Mirror(d);
    }
    if (bPass)
    {
        InvalidateDisplayRow(nItem);
        return 0;
    }
    m_arrDisplay.RemoveAt(d);
    DisplayChanged();
    --m_nDisplayCount;
    SyncPlatformCount();
    InvalidateFromRow(m_bReverseDisplay ? 0 : nItem);
    DebugCheckInvariants();
    return -1;
}

int CFilterListCtrl::InvalidateSetItemData(void* pData)
{
    if (m_hWnd == nullptr)
        return 0;
    int nTop = GetTopIndex();
    int nEnd = nTop + GetCountPerPage() + 1;
    for (int r = nTop < 0 ? 0 : nTop; r < nEnd && r < m_nDisplayCount; ++r)
    {
        if (GetItemData(r) == (DWORD_PTR)pData)
        {
            InvalidateDisplayRow(r);
            return 1;
        }
    }
    return 0;
}

void CFilterListCtrl::RearrangeArrayForDragDrop(int nFromRow, int nToRow)
{
    // Rows are screen rows: mirrored under reverse display like every row operation.
    int nFrom = nFromRow >= 0 && nFromRow < m_nDisplayCount ? GetMapIndexFromDisplayIndex(Mirror(nFromRow)) : -1;
    int nTo = nToRow >= 0 && nToRow < m_nDisplayCount ? GetMapIndexFromDisplayIndex(Mirror(nToRow)) : -1;
    if (nFrom < 0 || nTo < 0 || nFrom >= m_arrMap.GetSize() || nTo >= m_arrMap.GetSize() || nFrom == nTo)
        return;
    sColInfo* pRecord = m_arrMap[nFrom];
    m_arrMap.RemoveAt(nFrom);
    m_arrMap.InsertAt(nTo, pRecord);
    // The rows between moved by one; the trend values follow their rows.
    ForEachTrendArray([&](int, CTrendValueArray& values) {
        if (nFrom < values.GetSize() && nTo < values.GetSize())
        {
            sTrendValues* pValues = values.GetAt(nFrom);
            values.RemoveAt(nFrom);
            values.InsertAt(nTo, pValues);
        }
    });
    DisplayChanged();
    DebugCheckInvariants(true);
}

// --- populate ------------------------------------------------------------------------------------

void CFilterListCtrl::PrepareMatchers()
{
    bool bExact = m_bExactThisPass || m_bMatchExactly || m_bLastPassExact;
    bool bSame = m_bCompiledExact == bExact && m_nCompiledPicks == m_nPicksChanges &&
                 (INT_PTR)m_compiled.size() == m_arrFilteredCols.GetSize() &&
                 m_arrFilterTexts.GetSize() == m_arrFilteredCols.GetSize();
    // Asked before every row re-filtered on its own: the texts are compared in place (the arrays
    // are public, so a count of changes could miss a direct write).
    for (size_t k = 0; bSame && k < m_compiled.size(); ++k)
    {
        const CString& csCompiled = m_compiled[k].csText;
        const CString& csStored = m_arrFilterTexts[(INT_PTR)k];
        bSame = m_compiled[k].nColumn == m_arrFilteredCols[(INT_PTR)k] && csCompiled.GetLength() == csStored.GetLength();
        const char* pCompiled = csCompiled;
        const char* pStored = csStored;
        for (int i = 0; bSame && i < csStored.GetLength(); ++i)
            bSame = pCompiled[i] == pStored[i];
    }
    if (bSame)
        return;
    m_compiled.clear();
    INT_PTR n = m_arrFilteredCols.GetSize() < m_arrFilterTexts.GetSize() ? m_arrFilteredCols.GetSize() : m_arrFilterTexts.GetSize();
    m_compiled.resize((size_t)n);
    for (INT_PTR k = 0; k < n; ++k)
    {
        sCompiled& c = m_compiled[(size_t)k];
        c.nColumn = m_arrFilteredCols[k];
        c.csText = m_arrFilterTexts[k];
        c.matcher.Compile(c.csText, (size_t)c.csText.GetLength(), bExact);
        auto it = m_picks.find(c.nColumn);
        if (it != m_picks.end() && it->second.csBoxText == c.csText)
        {
            c.bPicks = true;
            for (const CString& value : it->second.values)
            {
                std::string key((LPCTSTR)value, (size_t)value.GetLength());
                for (char& ch : key)
                    ch = (ch >= 'A' && ch <= 'Z') ? (char)(ch - 'A' + 'a') : ch;
                c.picks.insert(std::move(key));
            }
        }
    }
    m_bCompiledExact = bExact;
    m_nCompiledPicks = m_nPicksChanges;
}

bool CFilterListCtrl::MatchCompiled(const sCompiled& c, const CString& text)
{
    if (!c.bPicks)
        return c.matcher.Match(text, (size_t)text.GetLength());
    std::string key((LPCTSTR)text, (size_t)text.GetLength());
    for (char& ch : key)
        ch = (ch >= 'A' && ch <= 'Z') ? (char)(ch - 'A' + 'a') : ch;
    return c.picks.count(key) != 0;
}

int CFilterListCtrl::FilterTextForRow(ULONGLONG dwItemData, int nColumn, CString& text)
{
    text.Empty();
    if (dwItemData == 0)
        return 0;
    unsigned long clrText = (unsigned long)-1, clrBack = (unsigned long)-1;
    int nImage = -1;
    return GetColumnText(dwItemData, nColumn, text, clrText, clrBack, nImage);
}

bool CFilterListCtrl::Passes(ULONGLONG dwItemData)
{
    if (!HasDataDescriptor())
        return true;
    PrepareMatchers();
    // One text buffer for all the rows of every list (a host's routine may call back into a list:
    // then a buffer of its own). It is not the list's own: the routine may delete the list. The
    // filters are read by index: a routine could change them.
    static CString s_csText;
    static int s_nDepth = 0;
    CString local;
    CString& text = s_nDepth++ == 0 ? s_csText : local;
    CAliveScope alive(m_pbAlive);
    bool bPass = true;
    for (size_t k = 0; k < m_compiled.size(); ++k)
    {
        FilterTextForRow(dwItemData, m_compiled[k].nColumn, text);
        if (!alive.Alive() || (k < m_compiled.size() && !MatchCompiled(m_compiled[k], text)))
        {
            bPass = false;
            break;
        }
    }
    --s_nDepth;
    return bPass;
}

int CFilterListCtrl::CheckForFilteredData(ULONGLONG dwItemData)
{
    return Passes(dwItemData) ? 1 : 0;
}

int CFilterListCtrl::IsItemMatchingFilter(CString& csText, CString& csFilter)
{
    CFilterMatcher matcher(csFilter, (size_t)csFilter.GetLength(), m_bExactThisPass || m_bMatchExactly);
    return matcher.Match(csText, (size_t)csText.GetLength()) ? 1 : 0;
}

void CFilterListCtrl::PopulateList()
{
    if (!HasDataDescriptor() || !m_bUseFilter || m_hWnd == nullptr)
        return;
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (pHeader == nullptr || pHeader->GetItemCount() <= 0)
        return;
    // The platform is told nothing until the rows are rebuilt (no message reaches it in between),
    // so it cannot draw a half-built list; switching its redraw off and on would only make it
    // recompute its scroll bars once more.
    ++m_nRowChanges;
    // This populate matches as its own flags say; what the last one used is forgotten.
    m_bLastPassExact = false;
    if (m_arrFilteredCols.GetSize() != m_arrFilterTexts.GetSize())
    {
        m_arrDisplay.RemoveAll();
        DisplayChanged();
        m_nDisplayCount = 0;
        SyncPlatformCount();
        Invalidate();
        ReportError("Error occured while filtering");
        return;
    }
    const INT_PTR nMap = m_arrMap.GetSize();
    if (m_arrFilteredCols.GetSize() == 0)
    {
        m_arrDisplay.SetSize(nMap);
        m_nDisplayCount = 0;
        for (INT_PTR i = 0; i < nMap; ++i)
        {
            if (m_arrMap[i] != nullptr)
                m_arrDisplay[m_nDisplayCount++] = (int)i;
        }
        m_arrDisplay.SetSize(m_nDisplayCount);
        DisplayChanged();
    }
    else
    {
        CAliveScope alive(m_pbAlive);
        if (!FilterAllRows(alive))
            return;   // the list, its window or filter mode went away inside the host's routine
    }
    // Rows re-filtered one by one (a quote's RepaintMapItem, SetItemData) match as this populate
    // did until the next one: an exact filter from the host stays exact for them.
    m_bLastPassExact = m_bExactThisPass != 0;
    m_bExactThisPass = 0;
    KeepSortAfterFilter();
    if (m_bSortOnChecked)
        SortOnChecked();
    SyncPlatformCount();
    Invalidate();
    DebugCheckInvariants(true);
}

bool CFilterListCtrl::FilterAllRows(const CAliveScope& alive)
{
    // The map is read in place for as long as no call into the host changes a row, and the
    // passing rows are collected apart, so the display array stays as it was until the end. The
    // first change sends the walk to the tracked one, which starts again from what the host left.
    PrepareMatchers();
    std::vector<int> shown;
    const unsigned nStamp = m_nRowChanges;
    CString text;
    for (INT_PTR i = 0; i < m_arrMap.GetSize(); ++i)
    {
        const sColInfo* pRecord = m_arrMap[i];
        if (pRecord == nullptr)
            continue;
        const DWORD_PTR dwData = pRecord->dwItemData;
        bool bPass = true;
        for (size_t k = 0; k < m_compiled.size(); ++k)
        {
            FilterTextForRow(dwData, m_compiled[k].nColumn, text);
            if (!alive.Alive())
                return false;
            if (nStamp != m_nRowChanges)
                return m_bUseFilter && m_hWnd != nullptr && FilterAllRowsTracked(alive);
            if (k < m_compiled.size() && !MatchCompiled(m_compiled[k], text))
            {
                bPass = false;
                break;
            }
        }
        if (bPass)
            shown.push_back((int)i);
    }
    m_arrDisplay.SetSize((INT_PTR)shown.size());
    if (!shown.empty())
        memcpy(m_arrDisplay.GetData(), shown.data(), shown.size() * sizeof(int));
    m_nDisplayCount = (int)m_arrDisplay.GetSize();
    DisplayChanged();
    return true;
}

bool CFilterListCtrl::FilterAllRowsTracked(const CAliveScope& alive)
{
    // The rows are tested by their records, taken before the first call into the host. The
    // display array stays as it was until the end, so whatever the host's routine does to the
    // rows meanwhile (insert, delete, refilter) works on a consistent list.
    PrepareMatchers();
    const INT_PTR nMap = m_arrMap.GetSize();
    std::vector<sColInfo*> records((size_t)nMap);
    std::vector<DWORD_PTR> data((size_t)nMap);
    std::vector<char> passed((size_t)nMap, 0);
    for (INT_PTR i = 0; i < nMap; ++i)
    {
        records[(size_t)i] = m_arrMap[i];
        data[(size_t)i] = m_arrMap[i] != nullptr ? m_arrMap[i]->dwItemData : 0;
    }
    std::unordered_set<const sColInfo*> live;   // the records still in the map, once rows changed
    bool bChanged = false;
    unsigned nStamp = m_nRowChanges;
    CString text;
    for (size_t j = 0; j < records.size(); ++j)
    {
        if (records[j] == nullptr)
            continue;
        bool bPass = true;
        for (size_t k = 0; k < m_compiled.size(); ++k)
        {
            FilterTextForRow(data[j], m_compiled[k].nColumn, text);
            if (!alive.Alive())
                return false;
            if (nStamp != m_nRowChanges)
            {
                if (!m_bUseFilter || m_hWnd == nullptr)
                    return false;
                bChanged = true;
                nStamp = m_nRowChanges;
                live.clear();
                for (INT_PTR i = 0; i < m_arrMap.GetSize(); ++i)
                    live.insert(m_arrMap[i]);
            }
            if (bChanged && (live.count(records[j]) == 0 || records[j]->dwItemData != data[j]))
            {
                bPass = false;   // deleted, or given new data (which filtered it again)
                break;
            }
            if (k < m_compiled.size() && !MatchCompiled(m_compiled[k], text))
            {
                bPass = false;
                break;
            }
        }
        passed[j] = bPass;
    }

    if (!bChanged)
    {
        m_arrDisplay.SetSize(0, nMap > 16 ? nMap : 16);
        for (size_t j = 0; j < records.size(); ++j)
        {
            if (passed[j])
                m_arrDisplay.Add((int)j);
        }
    }
    else
    {
        // The map as the host left it, in its order: a record that was tested shows when it
        // passed; one the host added meanwhile shows when its own insert left it displayed.
        std::unordered_map<const sColInfo*, size_t> tested;
        for (size_t j = 0; j < records.size(); ++j)
        {
            if (records[j] != nullptr)
                tested.emplace(records[j], j);
        }
        std::vector<char> shown((size_t)m_arrMap.GetSize(), 0);
        for (INT_PTR d = 0; d < m_arrDisplay.GetSize(); ++d)
        {
            if (m_arrDisplay[d] >= 0 && m_arrDisplay[d] < (int)shown.size())
                shown[(size_t)m_arrDisplay[d]] = 1;
        }
        CArray<int, int> display;
        for (INT_PTR i = 0; i < m_arrMap.GetSize(); ++i)
        {
            const sColInfo* pRecord = m_arrMap[i];
            if (pRecord == nullptr)
                continue;
            auto it = tested.find(pRecord);
            const bool bTested = it != tested.end() && data[it->second] == pRecord->dwItemData;
            if (bTested ? passed[it->second] != 0 : shown[(size_t)i] != 0)
                display.Add((int)i);
        }
        m_arrDisplay.Copy(display);
    }
    m_nDisplayCount = (int)m_arrDisplay.GetSize();
    DisplayChanged();
    return true;
}

void CFilterListCtrl::GetColumnUniques(int nColumn, CStringArray& values)
{
    values.RemoveAll();
    std::unordered_set<std::string> seen;
    CString text;
    // Rows the host's routine adds meanwhile are not waited for.
    const int nRows = m_nDisplayCount;
    for (int r = 0; r < nRows && r < m_nDisplayCount && r < m_arrDisplay.GetSize(); ++r)
    {
        int m = m_arrDisplay[Mirror(r)];
        if (m < 0 || m >= m_arrMap.GetSize() || m_arrMap[m] == nullptr || m_arrMap[m]->dwItemData == 0)
            continue;
        if (!FilterTextForRow(m_arrMap[m]->dwItemData, nColumn, text) || text.IsEmpty())
            continue;
        // One entry per value whatever its case, as the list box's exact search finds them.
        std::string key(text, (size_t)text.GetLength());
        for (char& c : key)
            c = (c >= 'A' && c <= 'Z') ? (char)(c - 'A' + 'a') : c;
        if (seen.insert(std::move(key)).second)
            values.Add(text);
    }
}

int CFilterListCtrl::PopulateComboBoxWithUniques(CComboBox* pCombo, int nColumn)
{
    if (pCombo == nullptr || pCombo->GetSafeHwnd() == nullptr)
        return 0;
    CStringArray values;
    GetColumnUniques(nColumn, values);
    pCombo->ResetContent();
    for (INT_PTR i = 0; i < values.GetSize(); ++i)
        pCombo->AddString(values[i]);
    pCombo->InsertString(0, "--ALL--");
    pCombo->SetCurSel(0);
    return 1;
}

// --- repaint timer -------------------------------------------------------------------------------

void CFilterListCtrl::StartRepaintTimer()
{
    if (m_nRepaintTimer != 0 || m_hWnd == nullptr)
        return;
    m_nRepaintTimer = (int)SetTimer(FILTER_REPAINT_TIMER, FILTER_REPAINT_PERIOD);
}

void CFilterListCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == FILTER_REPAINT_TIMER && m_nRepaintTimer != 0)
    {
        KillTimer(FILTER_REPAINT_TIMER);
        m_nRepaintTimer = 0;
        Invalidate(FALSE);
        // The base list's auto-sort uses the same timer id: give it its timer back.
        if (IsAutoSortEnabled())
            SetTimer(LIST_AUTOSORT_TIMER, m_nAutoSortTimer != 0 ? 5000 : 1000);
        return;
    }
    if (nIDEvent == FILTER_TREND_TIMER)
    {
        OnTrendTimer();
        return;
    }
    CCommonListCtrl::OnTimer(nIDEvent);
}
