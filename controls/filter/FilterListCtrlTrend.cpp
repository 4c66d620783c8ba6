// CFilterListCtrl: trend colouring. One record per (trend column, map index) remembers the value a
// cell showed when last drawn; a drawing that sees it rise or fall marks the cell in the rising or
// falling colour, and timer 4000 takes the marks of the shown columns away once they are older
// than the interval. The settings are kept under the list's name through the host's UserSetting.
//
// Times are clock() readings taken through AfxClock; two readings are compared by their difference
// as a signed 32-bit value, so a clock that wraps still measures short intervals right.
#include "filter/FilterListCtrl.h"
#include "host/ControlBlock.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <set>

namespace
{
// The id the last trend timer start returned, whichever filter list started it.
UINT_PTR g_nTrendTimer = 0;

const COLORREF kDefaultNegColor = 255;      // RGB(255, 0, 0)
const COLORREF kDefaultPosColor = 65280;    // RGB(0, 255, 0)

int ClockNow()
{
    return (int)AfxClock();
}

// Milliseconds from one reading to another, wrap-safe.
int ClockSince(int nThen)
{
    return (int)(unsigned)((unsigned)ClockNow() - (unsigned)nThen);
}

// A change time of 0 means "no mark pending": a change seen at clock 0 is stamped 1.
int ChangeStamp()
{
    int n = ClockNow();
    return n != 0 ? n : 1;
}

// The number at the start of a text as atoi and atol read it (blanks, a sign, digits; whatever
// follows is ignored, so "1000ms" is 1000), within [nMin, nMax]; false when the text does not
// start with a number or the number lies outside.
bool ParseWhole(const CString& csText, long long nMin, long long nMax, long long& nValue)
{
    const char* p = csText;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    const bool bMinus = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    if (*p < '0' || *p > '9')
        return false;
    while (*p == '0' && p[1] >= '0' && p[1] <= '9')
        ++p;
    long long n = 0;
    for (int nDigits = 0; *p >= '0' && *p <= '9'; ++p, ++nDigits)
    {
        if (nDigits >= 18)
            return false;   // far outside every range asked for
        n = n * 10 + (*p - '0');
    }
    if (bMinus)
        n = -n;
    if (n < nMin || n > nMax)
        return false;
    nValue = n;
    return true;
}

void LogBadSetting(const CString& csList, LPCTSTR pszKey, const CString& csValue, LPCTSTR pszTaken)
{
    CString csShown = CControlBlock::LogExcerpt(csValue);
    CControlBlock::Get()->Log("Trend settings of " + csList + ": " + pszKey + " \"" + csShown + "\" is not usable, " +
                              pszTaken);
}
}  // namespace

UINT_PTR CFilterListCtrl::TrendTimerHandle()
{
    return g_nTrendTimer;
}

// --- the trend map -------------------------------------------------------------------------------

void CFilterListCtrl::FreeTrendValues(bool bRemoveArrays)
{
    ForEachTrendArray([bRemoveArrays](int, CTrendValueArray& values) {
        for (INT_PTR i = 0; i < values.GetSize(); ++i)
            delete values.GetAt(i);
        values.RemoveAll();
        if (bRemoveArrays)
            delete &values;
    });
    if (bRemoveArrays)
        m_mapTrend.RemoveAll();
}

void CFilterListCtrl::InsertTrendRecords(int nMapIndex)
{
    ForEachTrendArray([nMapIndex](int, CTrendValueArray& values) {
        INT_PTR at = nMapIndex >= 0 && nMapIndex < values.GetSize() ? nMapIndex : values.GetSize();
        values.InsertAt(at, new sTrendValues{ 0, 0, 0, 0 });
    });
}

void CFilterListCtrl::RemoveTrendRecords(int nMapIndex)
{
    ForEachTrendArray([nMapIndex](int, CTrendValueArray& values) {
        if (nMapIndex >= 0 && nMapIndex < values.GetSize())
        {
            delete values.GetAt(nMapIndex);
            values.RemoveAt(nMapIndex);
        }
    });
}

void CFilterListCtrl::StartTrendTimer()
{
    if (GetSafeHwnd() == nullptr)
        return;
    if (g_nTrendTimer != 0)
        KillTimer(FILTER_TREND_TIMER);
    UINT_PTR nTimer = SetTimer(FILTER_TREND_TIMER, 250);
    if (nTimer != 0)
        g_nTrendTimer = nTimer;
}

int CFilterListCtrl::SetTrendColumns(CArray<int, int>* pColumns)
{
    if (pColumns == nullptr)
        return 1;
    FreeTrendValues(true);
    if (pColumns->GetSize() == 0)
    {
        m_bTrendRunning = false;
        if (g_nTrendTimer != 0 && GetSafeHwnd() != nullptr)
            KillTimer(FILTER_TREND_TIMER);
        return 1;
    }
    const INT_PTR nRecords = m_arrMap.GetSize();
    for (INT_PTR i = 0; i < pColumns->GetSize(); ++i)
    {
        int nColumn = pColumns->GetAt(i);
        CTrendValueArray* pOld = nullptr;
        if (m_mapTrend.Lookup(nColumn, pOld))
            continue;   // a column listed twice keeps one array
        CTrendValueArray* pArray = new CTrendValueArray;
        pArray->SetSize(nRecords);
        for (INT_PTR k = 0; k < nRecords; ++k)
            pArray->SetAt(k, new sTrendValues{ 0, 0, 0, 0 });
        m_mapTrend.SetAt(nColumn, pArray);
    }
    m_bTrendRunning = true;
    StartTrendTimer();
    return 1;
}

// --- settings ------------------------------------------------------------------------------------

void CFilterListCtrl::ReadTrendSettings(LPCTSTR lpszListName)
{
    CString csName = lpszListName != nullptr ? lpszListName : "";
    CControlBlock* pBlock = CControlBlock::Get();
    CString csValue;

    // Text or background: only "FALSE" means the text.
    csValue.Empty();
    if (pBlock->CallUserSetting(0, csName, csValue, "TrendType"))
        m_nTrendType = csValue == "FALSE" ? 0 : 1;
    else
        m_nTrendType = 1;

    // Colours: a COLORREF is 0x00BBGGRR; anything outside takes the default.
    long long n = 0;
    csValue.Empty();
    m_clrTrendNeg = kDefaultNegColor;
    if (pBlock->CallUserSetting(0, csName, csValue, "NegColor"))
    {
        if (ParseWhole(csValue, 0, 0xFFFFFF, n))
            m_clrTrendNeg = (COLORREF)n;
        else
            LogBadSetting(csName, "NegColor", csValue, "255 taken");
    }
    csValue.Empty();
    m_clrTrendPos = kDefaultPosColor;
    if (pBlock->CallUserSetting(0, csName, csValue, "PosColor"))
    {
        if (ParseWhole(csValue, 0, 0xFFFFFF, n))
            m_clrTrendPos = (COLORREF)n;
        else
            LogBadSetting(csName, "PosColor", csValue, "65280 taken");
    }

    // Interval in milliseconds, never negative.
    csValue.Empty();
    m_nTrendInterval = 0;
    if (pBlock->CallUserSetting(0, csName, csValue, "Interval"))
    {
        if (ParseWhole(csValue, 0, INT_MAX, n))
            m_nTrendInterval = (int)n;
        else
            LogBadSetting(csName, "Interval", csValue, "0 taken");
    }

    // Column ids, each followed by a space. Only ids of existing columns are kept, once each, in
    // the stored order; a value with none of them leaves the trend columns as they are.
    csValue.Empty();
    if (!pBlock->CallUserSetting(0, csName, csValue, "TrendColumns") || csValue.IsEmpty())
        return;
    CArray<int, int> columns;
    std::set<int> seen;
    bool bDropped = false;
    const INT_PTR nColumns = m_arrColInfo.GetSize();
    const char* p = csValue;
    const char* pEnd = p + csValue.GetLength();
    while (p < pEnd)
    {
        while (p < pEnd && (*p == ' ' || *p == '\0'))
            ++p;
        const char* pStart = p;
        while (p < pEnd && *p != ' ' && *p != '\0')
            ++p;
        if (p == pStart)
            break;
        CString csPiece(pStart, (int)(p - pStart));
        if (!ParseWhole(csPiece, 0, INT_MAX, n) || n >= nColumns)
        {
            bDropped = true;
            continue;
        }
        if (seen.insert((int)n).second)
            columns.Add((int)n);
    }
    if (bDropped)
        LogBadSetting(csName, "TrendColumns", csValue, "ids that are not columns of the list dropped");
    if (columns.GetSize() > 0)
        SetTrendColumns(&columns);
}

void CFilterListCtrl::InsertColumnsForList(int* pUnused)
{
    CCommonListCtrl::InsertColumnsForList(pUnused);
    m_nKeptSortPosition = -1;
    if (m_bTrendEnabled)
        ReadTrendSettings(m_csListName);
}

void CFilterListCtrl::SaveColumnProfile()
{
    const bool bCounted = RestoreFirstHeaderName();
    CCommonListCtrl::SaveColumnProfile();
    if (bCounted)
        WriteCheckedHeaderText();
    if (!m_bColumnsBuilt || !m_bTrendEnabled || !m_bTrendRunning || m_mapTrend.IsEmpty() || m_csListName.IsEmpty())
        return;
    CControlBlock* pBlock = CControlBlock::Get();
    CString csColumns;
    POSITION pos = m_mapTrend.GetStartPosition();
    while (pos != nullptr)
    {
        int nColumn;
        CTrendValueArray* pArray;
        m_mapTrend.GetNextAssoc(pos, nColumn, pArray);
        CString csId;
        csId.Format("%d ", nColumn);
        csColumns += csId;
    }
    CString csValues[5];
    csValues[0] = csColumns;
    csValues[1] = m_nTrendType ? "TRUE" : "FALSE";
    csValues[2].Format("%ld", (long)m_clrTrendNeg);
    csValues[3].Format("%ld", (long)m_clrTrendPos);
    csValues[4].Format("%d", m_nTrendInterval);
    const char* const kKeys[5] = { "TrendColumns", "TrendType", "NegColor", "PosColor", "Interval" };
    // Written at destruction, where nobody sees a failure: each refused key goes to the host's log.
    for (int i = 0; i < 5; ++i)
    {
        if (!pBlock->CallUserSetting(1, m_csListName, csValues[i], kKeys[i]))
            pBlock->LogRefusedWrite("the trend settings", m_csListName, kKeys[i]);
    }
}

// --- classification while drawing ----------------------------------------------------------------

COLORREF CFilterListCtrl::ClassifyTrendCell(int nScreenRow, int nColumn, const CString& csText)
{
    const COLORREF kNone = (COLORREF)-1;
    if (!m_bTrendEnabled || !m_bTrendRunning)
        return kNone;
    CTrendValueArray* pArray = nullptr;
    if (!m_mapTrend.Lookup(nColumn, pArray) || pArray == nullptr)
        return kNone;
    if (nScreenRow < 0 || nScreenRow >= m_nDisplayCount || m_nDisplayCount > m_arrDisplay.GetSize())
        return kNone;
    int m = m_arrDisplay[Mirror(nScreenRow)];
    if (m < 0 || m >= pArray->GetSize() || pArray->GetAt(m) == nullptr)
        return kNone;
    sTrendValues& v = *pArray->GetAt(m);
    v.dCurrent = atof(csText);
    if (v.nState == 0)
    {
        v.nState = 3;
        v.dPrevious = v.dCurrent;
        return kNone;
    }
    if (v.dCurrent > v.dPrevious)
    {
        v.nState = 1;
        v.nChangeTime = ChangeStamp();
        v.dPrevious = v.dCurrent;
        return m_clrTrendPos;
    }
    if (v.dPrevious > v.dCurrent)
    {
        v.nState = 2;
        v.nChangeTime = ChangeStamp();
        v.dPrevious = v.dCurrent;
        return m_clrTrendNeg;
    }
    if (v.nChangeTime == 0)
        return kNone;
    if (ClockSince(v.nChangeTime) >= m_nTrendInterval)
    {
        v.nState = 3;
        v.nChangeTime = 0;
        return kNone;
    }
    if (v.nState == 1)
        return m_clrTrendPos;
    if (v.nState == 2)
        return m_clrTrendNeg;
    return kNone;
}

// --- the clearing timer --------------------------------------------------------------------------

void CFilterListCtrl::OnTrendTimer()
{
    if (!m_bTrendRunning || m_hWnd == nullptr || !::IsWindowVisible(m_hWnd) || m_nDisplayCount > m_arrDisplay.GetSize())
        return;
    int nFirst = GetTopIndex();
    if (nFirst < 0)
        nFirst = 0;
    int nLast = nFirst + 1 + GetCountPerPage();
    if (nLast > m_nDisplayCount - 1)
        nLast = m_nDisplayCount - 1;
    if (nLast > m_arrDisplay.GetSize() - 1)
        nLast = (int)m_arrDisplay.GetSize() - 1;
    // The screen rows of the page by map index, to find the cells to repaint.
    std::vector<std::pair<int, int>> page;   // (map index, screen row)
    for (int r = nFirst; r <= nLast; ++r)
        page.emplace_back(m_arrDisplay[Mirror(r)], r);

    for (INT_PTR v = 0; v < m_arrVisibleColumns.GetSize(); ++v)
    {
        const sVisibleColumn column = m_arrVisibleColumns[v];
        CTrendValueArray* pArray = nullptr;
        if (!m_mapTrend.Lookup(column.nColumn, pArray) || pArray == nullptr)
            continue;
        for (INT_PTR k = 0; k < pArray->GetSize(); ++k)
        {
            sTrendValues* pValues = pArray->GetAt(k);
            if (pValues == nullptr || pValues->nChangeTime == 0 ||
                ClockSince(pValues->nChangeTime) < m_nTrendInterval)
                continue;
            pValues->nState = 3;
            pValues->nChangeTime = 0;
            pValues->dPrevious = pValues->dCurrent;
            for (const auto& entry : page)
            {
                if (entry.first != (int)k)
                    continue;
                CRect rc;
                if (GetCellRect(entry.second, column.nPosition, rc))
                    InvalidateRect(&rc, FALSE);
            }
        }
    }
}
