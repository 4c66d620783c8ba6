// The sample terminal's main window: a market watch of 300 instruments filling the terminal, with
// two user formula columns (the spread and the change in per cent), fed by a generated quote
// stream that changes a few dozen instruments a tick and redraws only their visible rows. The
// host keeps the instruments and answers the grid's cell texts; the grid keeps its layout under
// the terminal's title. The scripted session streams for a while, drags a column, closes the grid
// (which saves the layout) and builds it again from the settings, as a restart would.
#include "DemoHost.h"
#include "DemoScene.h"
#include "DemoTerminal.h"

#include "dialogs/AddUserColDlg.h"
#include "host/ControlBlock.h"
#include "host/ExtraColumns.h"
#include "market/MarketWatchLayout.h"
#include "market/MrktWatchListCtrl.h"
#include "resources/UserColumnRes.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace
{
enum { fSymbol, fExchange, fLast, fChange, fBid, fAsk, fVolume, fTime, fCount };
const char* const kFieldNames[fCount] = { "Symbol", "Exch", "Last", "Change", "Bid", "Ask", "Volume", "Time" };
const int kFieldWidths[fCount] = { 120, 50, 80, 70, 80, 80, 90, 70 };

// The host's instrument: the library reads the two symbols at their fixed offsets.
struct sDemoInstrument
{
    char bytes[512];
    const char* Exchange;
    int nPrevClose;   // in paise
    int nLast;
    int nBid;
    int nAsk;
    int nVolume;
    int nSeconds;
    int nTrend;       // +1 rising, -1 falling, 0 unchanged since the last tick
};

CDemoRandom g_random(7319);
int Next(int nRange) { return g_random.Next(nRange); }

CString Money(int nPaise)
{
    CString cs;
    cs.Format("%s%d.%02d", nPaise < 0 ? "-" : "", (nPaise < 0 ? -nPaise : nPaise) / 100,
              (nPaise < 0 ? -nPaise : nPaise) % 100);
    return cs;
}

class CTerminalPane : public CWnd
{
public:
    std::unique_ptr<CMrktWatchListCtrl> m_pList;
    std::vector<sDemoInstrument> m_instruments;
    std::vector<sMWStruct> m_rows;
    int m_nTicks = 0;
    int m_nUpdates = 0;

    afx_msg void OnSize(UINT, int cx, int cy)
    {
        if (m_pList && m_pList->GetSafeHwnd() != nullptr)
            m_pList->MoveWindow(0, 0, cx, cy);
    }
    // void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct): the grid's rows
    afx_msg void OnDrawItem(int, LPDRAWITEMSTRUCT pDraw);

    // The user columns as the terminal keeps them ("MarketWatch"): the grid's formula dialog
    // reports a column added, edited or deleted; the terminal stores the new set and builds the
    // grid again once the dialog is done (a posted message), keeping the layout.
    // LRESULT OnUserColumn...(WPARAM wParam, LPARAM lParam): both parameters point to CStrings
    afx_msg LRESULT OnUserColumnAdded(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnUserColumnEdited(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnUserColumnDeleted(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRebuild(WPARAM, LPARAM);
    // The row tooltip: what the grid does not show of the instrument.
    int RowTip(int nRow, CString& text, CCommonListCtrl* pList);
    void QueueRebuild(const CArray<sMarketUserColumn, const sMarketUserColumn&>& columns);
    CString m_csPendingColumns;
    CDemoContext* m_pContext = nullptr;
    DECLARE_MESSAGE_MAP()
};

const UINT WM_TERMINAL_REBUILD = WM_APP + 21;

BEGIN_MESSAGE_MAP(CTerminalPane, CWnd)
    ON_WM_SIZE()
    ON_WM_DRAWITEM()
    ON_MESSAGE(WM_USERCOL_ADDED, OnUserColumnAdded)
    ON_MESSAGE(WM_USERCOL_EDITED, OnUserColumnEdited)
    ON_MESSAGE(WM_USERCOL_DELETED, OnUserColumnDeleted)
    ON_MESSAGE(WM_TERMINAL_REBUILD, OnRebuild)
END_MESSAGE_MAP()

CTerminalPane g_pane;

int CellText(CWnd*, void* pRecord, int nColumnId, CString& csText)
{
    sMWStruct* pRow = static_cast<sMWStruct*>(pRecord);
    if (pRow == nullptr || pRow->pInstrument == nullptr)
        return 0;
    if (nColumnId >= MARKET_FIRST_USER_COLUMN)
        return g_pane.m_pList ? g_pane.m_pList->GetCustomColumnText(pRow, nColumnId, csText) : 0;
    const sDemoInstrument& in = *reinterpret_cast<const sDemoInstrument*>(pRow->pInstrument);
    switch (nColumnId)
    {
    case fSymbol: csText = in.bytes + MW_SYMBOL_OFFSET; return 1;
    case fExchange: csText = in.Exchange; return 1;
    case fLast: csText = Money(in.nLast); return 1;
    case fChange: csText = Money(in.nLast - in.nPrevClose); return 1;
    case fBid: csText = Money(in.nBid); return 1;
    case fAsk: csText = Money(in.nAsk); return 1;
    case fVolume: csText.Format("%d", in.nVolume); return 1;
    case fTime: csText.Format("%02d:%02d:%02d", 9 + in.nSeconds / 3600, in.nSeconds / 60 % 60, in.nSeconds % 60); return 1;
    default: return 0;
    }
}

void CTerminalPane::OnDrawItem(int, LPDRAWITEMSTRUCT pDraw)
{
    if (!m_pList || pDraw->itemID == (UINT)-1)
        return;
    CMrktWatchListCtrl& list = *m_pList;
    CDC* pDC = CDC::FromHandle(pDraw->hDC);
    const int nRow = (int)pDraw->itemID;
    const bool bSelected = (pDraw->itemState & ODS_SELECTED) != 0;
    pDC->FillSolidRect(&pDraw->rcItem, bSelected ? RGB(0, 70, 140) : list.m_clrBk);
    const sMWStruct* pRow = reinterpret_cast<const sMWStruct*>(list.GetItemData(nRow));
    const sDemoInstrument* pIn = pRow ? reinterpret_cast<const sDemoInstrument*>(pRow->pInstrument) : nullptr;
    CHeaderCtrl* pHeader = list.GetHeaderCtrl();
    pDC->SetBkMode(TRANSPARENT);
    CFont* pOld = pDC->SelectObject(list.GetFont());
    for (int c = 0; c < pHeader->GetItemCount(); ++c)
    {
        CRect rc;
        list.GetSubItemRect(nRow, c, LVIR_BOUNDS, rc);
        if (c == 0)
            rc.right = rc.left + list.GetColumnWidth(0);
        rc.DeflateRect(4, 0);
        const int nId = list.ColumnIdAt(c);
        COLORREF clr = list.m_clrText;
        if (pIn != nullptr && (nId == fLast || nId == fChange || nId == fBid || nId == fAsk))
            clr = pIn->nTrend > 0 ? RGB(40, 220, 90) : pIn->nTrend < 0 ? RGB(255, 80, 80) : list.m_clrText;
        pDC->SetTextColor(clr);
        const CString csText = list.GetCellText(pRow, c);
        pDC->DrawText(csText, &rc, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS |
                                       (nId == fSymbol || nId == fExchange ? DT_LEFT : DT_RIGHT));
    }
    pDC->SelectObject(pOld);
}

int CTerminalPane::RowTip(int nRow, CString& text, CCommonListCtrl* pList)
{
    const sMWStruct* pRow = reinterpret_cast<const sMWStruct*>(pList->CListCtrl::GetItemData(nRow));
    if (pRow == nullptr || pRow->pInstrument == nullptr)
        return 0;
    const sDemoInstrument& in = *reinterpret_cast<const sDemoInstrument*>(pRow->pInstrument);
    text.Format("%s (%s) %s  previous close %s", in.bytes + MW_SYMBOL_OFFSET, in.Exchange,
                in.bytes + MW_TRADING_SYMBOL_OFFSET, (LPCTSTR)Money(in.nPrevClose));
    return 1;
}

void MakeInstruments(CTerminalPane& pane, int nCount)
{
    static const char* const roots[] = { "RELIANCE", "INFY", "TCS", "HDFCBANK", "ICICIBANK", "SBIN", "ITC", "LT",
                                         "NIFTY", "BANKNIFTY", "GOLD", "SILVER", "CRUDEOIL", "COPPER" };
    static const char* const exchanges[] = { "NSE", "BSE", "NFO", "MCX" };
    pane.m_instruments.resize((size_t)nCount);
    pane.m_rows.resize((size_t)nCount);
    for (int i = 0; i < nCount; ++i)
    {
        sDemoInstrument& in = pane.m_instruments[(size_t)i];
        memset(in.bytes, 0, sizeof(in.bytes));
        char szSymbol[64];
        snprintf(szSymbol, sizeof(szSymbol), i < 14 ? "%s" : "%s%02d", roots[i % 14], i / 14);
        strcpy(in.bytes + MW_SYMBOL_OFFSET, szSymbol);
        snprintf(in.bytes + MW_TRADING_SYMBOL_OFFSET, 64, "%s-EQ", szSymbol);
        in.Exchange = exchanges[Next(4)];
        in.nPrevClose = 5000 + Next(500000);
        in.nLast = in.nPrevClose + Next(2001) - 1000;
        in.nBid = in.nLast - 5 - Next(20);
        in.nAsk = in.nLast + 5 + Next(20);
        in.nVolume = Next(2000000);
        in.nSeconds = Next(6 * 3600);
        in.nTrend = 0;
        pane.m_rows[(size_t)i] = { nullptr, in.bytes };
    }
}

// One tick of the feed: a few dozen instruments trade; only their visible rows are redrawn.
void FeedTick(CTerminalPane& pane)
{
    CMrktWatchListCtrl& list = *pane.m_pList;
    const int nTop = list.GetTopIndex();
    const int nBottom = nTop + list.GetCountPerPage();
    for (sDemoInstrument& in : pane.m_instruments)
        in.nTrend = 0;
    for (int k = 0; k < 40; ++k)
    {
        const int i = Next((int)pane.m_instruments.size());
        sDemoInstrument& in = pane.m_instruments[(size_t)i];
        const int nMove = Next(41) - 20;
        in.nLast += nMove;
        in.nBid = in.nLast - 5 - Next(10);
        in.nAsk = in.nLast + 5 + Next(10);
        in.nVolume += Next(500);
        in.nSeconds += 1;
        in.nTrend = nMove > 0 ? 1 : nMove < 0 ? -1 : 0;
        ++pane.m_nUpdates;
        if (i >= nTop && i <= nBottom)
            list.RedrawItems(i, i);
    }
    ++pane.m_nTicks;
}

// The terminal's first user columns. Cell texts go into a formula unchanged, so a negative operand
// after a minus would read as "--": the percentage is taken of the last price.
void StoreDefaultUserColumns()
{
    CString csColumns;
    csColumns.Format("101%cSpread%c \"5\"-\"4\"%cAsk-Bid%c102%cChg %%%c \"3\"*100/\"2\"%cChange in per cent of Last",
                     MARKET_FIELD_SEPARATOR, MARKET_FIELD_SEPARATOR, MARKET_FIELD_SEPARATOR, MARKET_FIELD_SEPARATOR,
                     MARKET_FIELD_SEPARATOR, MARKET_FIELD_SEPARATOR, MARKET_FIELD_SEPARATOR);
    CControlBlock::Get()->CallUserSettingMWColumns(1, "MarketWatch", csColumns);
}

// Builds the grid as the host does: the stored layout under the terminal's title (or the default
// order the first time), the user columns, then the rows.
bool BuildMarketWatch(CTerminalPane& pane, CDemoContext& context, const CArray<int, int>* pPositions = nullptr,
                      const CArray<int, int>* pWidths = nullptr)
{
    pane.m_pList = std::make_unique<CMrktWatchListCtrl>();
    CMrktWatchListCtrl& list = *pane.m_pList;
    CRect rc;
    pane.GetClientRect(&rc);
    if (!list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS, rc, &pane, 200))
        return false;
    list.SetOwnerWnd(&pane);
    list.SetExtendedStyle(LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT);
    list.SetBkColor(RGB(0, 0, 0));
    list.SetTextColor(RGB(230, 230, 230));
    list.SetListFont("Tahoma", "9", FONT_STYLE_REGULAR);
    // The trader orders the watch by dragging rows, resting on a row tells more of it, and the
    // header's menu offers the trader's own formula columns.
    list.m_bRowDrag = 1;
    list.m_bCustomColumnsMenu = 1;
    list.InitToolTipRetFunc(static_cast<CCommonListCtrl::PFN_GETROWTOOLTIP>(&CTerminalPane::RowTip));
    for (int f = 0; f < fCount; ++f)
    {
        sOrvoColInfo info = {};
        strcpy(info.szColName, kFieldNames[f]);
        info.nWidth = kFieldWidths[f];
        info.nFormat = f <= fExchange ? LVCFMT_LEFT : LVCFMT_RIGHT;
        info.nDataType = f <= fExchange ? 3 : 2;
        list.m_arrColInfo.Add(info);
    }

    CString csTitle;
    context.m_pMainWnd->GetWindowText(csTitle);
    bool bStored = false;
    if (pPositions != nullptr && pWidths != nullptr)
    {
        list.m_arrColPosition.Copy(*pPositions);
        list.m_arrWidth.Copy(*pWidths);
    }
    else
        bStored = list.ReadColumnProfile(csTitle) != FALSE;
    if (list.m_arrColPosition.IsEmpty())
    {
        for (int f = 0; f < fCount; ++f)
        {
            list.m_arrColPosition.Add(f);
            list.m_arrWidth.Add(kFieldWidths[f]);
        }
    }
    // The user columns the trader defined: kept by the host's own setting.
    CString csColumns;
    if (!CControlBlock::Get()->CallUserSettingMWColumns(0, "MarketWatch", csColumns))
        StoreDefaultUserColumns();
    list.InsertColumnsForList();
    context.Print("terminal: market watch %s layout, %d columns (%d user columns), iMrktInfoColCount %d",
                  bStored ? "with its stored" : "with the default", list.GetHeaderCtrl()->GetItemCount(),
                  iMrktInfoColCount - 100, iMrktInfoColCount);

    list.SetRedraw(FALSE);
    for (size_t i = 0; i < pane.m_rows.size(); ++i)
        list.InsertItem(LVIF_TEXT | LVIF_PARAM, (int)i, LPSTR_TEXTCALLBACK, 0, 0, 0, (LPARAM)&pane.m_rows[i]);
    list.SetRedraw(TRUE);
    return true;
}

std::string HeaderOrder(CMrktWatchListCtrl& list)
{
    CHeaderCtrl* pHeader = list.GetHeaderCtrl();
    const int n = pHeader->GetItemCount();
    std::vector<int> order((size_t)n);
    list.GetColumnOrderArray(order.data(), n);
    std::string text;
    for (int i = 0; i < n; ++i)
    {
        char sz[64] = "";
        HDITEMA item = {};
        item.mask = HDI_TEXT;
        item.pszText = sz;
        item.cchTextMax = sizeof(sz);
        pHeader->GetItem(order[(size_t)i], &item);
        text += (i ? ", " : "") + std::string(sz);
    }
    return text;
}
void ReadUserColumns(CArray<sMarketUserColumn, const sMarketUserColumn&>& columns)
{
    CString csValue;
    if (CControlBlock::Get()->CallUserSettingMWColumns(0, "MarketWatch", csValue))
        ParseMarketUserColumns(csValue, columns);
}

LRESULT CTerminalPane::OnUserColumnAdded(WPARAM wParam, LPARAM lParam)
{
    const CString& csNameAndForm = *reinterpret_cast<const CString*>(wParam);
    const int nBar = csNameAndForm.Find('|');
    CArray<sMarketUserColumn, const sMarketUserColumn&> columns;
    ReadUserColumns(columns);
    sMarketUserColumn column;
    column.nId = MARKET_FIRST_USER_COLUMN + (int)columns.GetSize();
    column.csHeading = csNameAndForm.Left(nBar);
    column.csText1 = csNameAndForm.Mid(nBar + 1);
    column.csText2 = *reinterpret_cast<const CString*>(lParam);
    columns.Add(column);
    QueueRebuild(columns);
    return 0;
}

LRESULT CTerminalPane::OnUserColumnEdited(WPARAM wParam, LPARAM lParam)
{
    const CString& csNameAndForm = *reinterpret_cast<const CString*>(wParam);
    const int nBar = csNameAndForm.Find('|');
    CArray<sMarketUserColumn, const sMarketUserColumn&> columns;
    ReadUserColumns(columns);
    for (INT_PTR i = 0; i < columns.GetSize(); ++i)
    {
        if (columns[i].csHeading == csNameAndForm.Left(nBar))
        {
            columns[i].csText1 = csNameAndForm.Mid(nBar + 1);
            columns[i].csText2 = *reinterpret_cast<const CString*>(lParam);
        }
    }
    QueueRebuild(columns);
    return 0;
}

// The column goes with every column whose formula names it (directly or through another that
// goes); the rest are numbered again from 101 and their formulas follow the new ids.
LRESULT CTerminalPane::OnUserColumnDeleted(WPARAM wParam, LPARAM)
{
    CArray<sMarketUserColumn, const sMarketUserColumn&> columns;
    ReadUserColumns(columns);
    std::vector<bool> gone((size_t)columns.GetSize(), false);
    std::vector<CString> names(1, *reinterpret_cast<const CString*>(wParam));
    for (INT_PTR i = 0; i < columns.GetSize(); ++i)
        gone[(size_t)i] = columns[i].csHeading == names[0];
    while (!names.empty())
    {
        const CString csQuoted = "\"" + names.back() + "\"";
        names.pop_back();
        for (INT_PTR i = 0; i < columns.GetSize(); ++i)
        {
            if (!gone[(size_t)i] && columns[i].csText1.Find(csQuoted) >= 0)
            {
                gone[(size_t)i] = true;
                names.push_back(columns[i].csHeading);
            }
        }
    }
    std::vector<int> newId((size_t)columns.GetSize(), -1);
    CArray<sMarketUserColumn, const sMarketUserColumn&> kept;
    for (INT_PTR i = 0; i < columns.GetSize(); ++i)
    {
        if (gone[(size_t)i])
            continue;
        newId[(size_t)i] = MARKET_FIRST_USER_COLUMN + (int)kept.GetSize();
        kept.Add(columns[i]);
    }
    for (INT_PTR k = 0; k < kept.GetSize(); ++k)
    {
        // The stored form alternates literal text and quoted ids.
        sMarketUserColumn& column = kept[k];
        column.nId = MARKET_FIRST_USER_COLUMN + (int)k;
        CString csStored;
        int nStart = 0;
        bool bLiteral = true;
        for (;;)
        {
            const int nQuote = column.csText2.Find('"', nStart);
            CString csPiece = column.csText2.Mid(nStart, nQuote < 0 ? column.csText2.GetLength() - nStart : nQuote - nStart);
            if (!bLiteral)
            {
                const int nOld = atoi(csPiece);
                const INT_PTR nIndex = nOld - MARKET_FIRST_USER_COLUMN;
                if (nIndex >= 0 && nIndex < (INT_PTR)newId.size())
                    csPiece.Format("%d", newId[(size_t)nIndex]);
            }
            csStored += csPiece;
            if (nQuote < 0)
                break;
            csStored += '"';
            nStart = nQuote + 1;
            bLiteral = !bLiteral;
        }
        column.csText2 = csStored;
    }
    QueueRebuild(kept);
    return 0;
}

void CTerminalPane::QueueRebuild(const CArray<sMarketUserColumn, const sMarketUserColumn&>& columns)
{
    if (FormatMarketUserColumns(columns, m_csPendingColumns))
        PostMessage(WM_TERMINAL_REBUILD);
}

LRESULT CTerminalPane::OnRebuild(WPARAM, LPARAM)
{
    if (!m_pList || m_pContext == nullptr)
        return 0;
    CArray<int, int> positions, widths;
    positions.Copy(m_pList->m_arrColPosition);
    widths.Copy(m_pList->m_arrWidth);
    // The grid keeps the header items and widths it was built with; where the trader has dragged
    // or resized columns since, only its header knows: the new grid takes them from there.
    const int nItems = m_pList->GetHeaderCtrl()->GetItemCount();
    std::vector<int> order((size_t)(nItems > 0 ? nItems : 1));
    if (nItems > 0)
        m_pList->GetColumnOrderArray(order.data(), nItems);
    for (INT_PTR id = 0; id < positions.GetSize(); ++id)
    {
        const int nItem = positions[id];
        if (nItem < 0 || nItem >= nItems)
            continue;
        positions[id] = (int)(std::find(order.begin(), order.begin() + nItems, nItem) - order.begin());
        if (id < widths.GetSize())
            widths[id] = m_pList->GetColumnWidth(nItem);
    }
    const DWORD dwGridLines = m_pList->GetExtendedStyle() & LVS_EX_GRIDLINES;
    // The old grid saves itself as it goes; the new column set is stored after that.
    m_pList->DestroyWindow();
    m_pList.reset();
    CControlBlock::Get()->CallUserSettingMWColumns(1, "MarketWatch", m_csPendingColumns);
    if (!BuildMarketWatch(*this, *m_pContext, &positions, &widths))
        return 0;
    m_pList->SetExtendedStyle(m_pList->GetExtendedStyle() | dwGridLines);
    m_pList->SaveColumnProfile();
    if (!m_pContext->m_bHeadless)
    {
        // The first row under every heading, to read a new formula's result against its operands.
        CMrktWatchListCtrl& list = *m_pList;
        CString csCells;
        for (int c = 0; c < list.GetHeaderCtrl()->GetItemCount() && list.GetItemCount() > 0; ++c)
        {
            char sz[64] = "";
            HDITEMA item = {};
            item.mask = HDI_TEXT;
            item.pszText = sz;
            item.cchTextMax = sizeof(sz);
            list.GetHeaderCtrl()->GetItem(c, &item);
            csCells += (c ? ", " : "") + CString(sz) + "=" +
                       list.GetCellText(reinterpret_cast<const sMWStruct*>(list.GetItemData(0)), c);
        }
        m_pContext->Print("terminal: user columns rebuilt; first row %s", (LPCTSTR)csCells);
    }
    return 0;
}
}  // namespace

// The terminal's market watch, for the scenes that act on it (null before the terminal is built).
CMrktWatchListCtrl* DemoTerminalList()
{
    return g_pane.m_pList.get();
}

CMrktWatchListCtrl* DemoMarketWatch()
{
    return DemoTerminalList();
}

void DemoTerminalTicks(int nTicks)
{
    for (int t = 0; t < nTicks && g_pane.m_pList; ++t)
        FeedTick(g_pane);
}

void DemoTerminalRestart(CDemoContext& context, bool bDefaultColumns)
{
    if (g_pane.m_pList)
    {
        g_pane.m_pList->DestroyWindow();
        g_pane.m_pList.reset();
    }
    if (bDefaultColumns)
        StoreDefaultUserColumns();
    CMrktWatchListCtrl::s_nListsBuilt = 0;
    iMrktInfoColCount = 100;
    iNewDataArrCnt = 0;
    BuildMarketWatch(g_pane, context);
}

std::string DemoTerminalColumns()
{
    return g_pane.m_pList ? HeaderOrder(*g_pane.m_pList) : std::string();
}

DEMO_SCENE(Terminal, 1)
{
    CRect rc;
    context.m_pMainWnd->GetClientRect(&rc);
    if (!g_pane.CreateEx(0, nullptr, "Market Watch", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rc.left, rc.top,
                         rc.Width(), rc.Height(), context.m_pMainWnd->m_hWnd, nullptr))
        return;
    DemoHost::SetMarketTextProvider(&CellText);
    g_pane.m_pContext = &context;
    MakeInstruments(g_pane, 300);
    if (!BuildMarketWatch(g_pane, context))
    {
        context.Print("terminal: could not create the market watch");
        return;
    }
    CMrktWatchListCtrl& list = *g_pane.m_pList;
    context.Print("terminal: columns %s", HeaderOrder(list).c_str());
    context.Capture(context.m_pMainWnd, "terminal_marketwatch");
    if (!context.m_bHeadless)
        return;

    for (int t = 0; t < 50; ++t)
    {
        FeedTick(g_pane);
        context.Pump();
    }
    context.Print("terminal: streamed %d ticks, %d quote updates", g_pane.m_nTicks, g_pane.m_nUpdates);
    context.Capture(context.m_pMainWnd, "terminal_streaming");

    // The trader drags Change to the front; closing the grid saves that, and a new one reads it.
    CHeaderCtrl* pHeader = list.GetHeaderCtrl();
    const int n = pHeader->GetItemCount();
    std::vector<int> order((size_t)n);
    list.GetColumnOrderArray(order.data(), n);
    auto it = std::find(order.begin(), order.end(), list.m_arrColPosition[fChange]);
    if (it != order.end())
    {
        const int nItem = *it;
        order.erase(it);
        order.insert(order.begin(), nItem);
        list.SetColumnOrderArray(n, order.data());
    }
    context.Print("terminal: after the drag: %s", HeaderOrder(list).c_str());
    list.DestroyWindow();
    g_pane.m_pList.reset();
    CMrktWatchListCtrl::s_nListsBuilt = 0;   // a restarted terminal starts counting again
    iMrktInfoColCount = 100;
    iNewDataArrCnt = 0;
    if (!BuildMarketWatch(g_pane, context))
        return;
    context.Print("terminal: after the restart: %s", HeaderOrder(*g_pane.m_pList).c_str());
    for (int t = 0; t < 10; ++t)
        FeedTick(g_pane);
    context.Pump();
    context.Capture(context.m_pMainWnd, "terminal_restarted");
}

// What the trader sees of the market watch's layout: the column order with widths and the top
// rows' symbols. The interactive terminal writes it to its log whenever it changes.
CString DemoTerminalState()
{
    if (!g_pane.m_pList || g_pane.m_pList->GetSafeHwnd() == nullptr)
        return "";
    CMrktWatchListCtrl& list = *g_pane.m_pList;
    const int n = list.GetHeaderCtrl()->GetItemCount();
    std::vector<int> order((size_t)(n > 0 ? n : 1));
    list.GetColumnOrderArray(order.data(), n);
    CString csWidths;
    for (int i = 0; i < n; ++i)
    {
        CString csOne;
        csOne.Format("%s%d", i ? ", " : "", list.GetColumnWidth(order[(size_t)i]));
        csWidths += csOne;
    }
    // The top rows' symbols: a sort or a row drag changes them.
    CString csFirst, csNext;
    for (int r = 0; r < 4 && r < list.GetItemCount(); ++r)
    {
        const sMWStruct* pRow = reinterpret_cast<const sMWStruct*>(list.GetItemData(r));
        const char* pszSymbol = pRow != nullptr && pRow->pInstrument != nullptr
                                    ? reinterpret_cast<const sDemoInstrument*>(pRow->pInstrument)->bytes + MW_SYMBOL_OFFSET
                                    : "?";
        if (r == 0)
            csFirst = pszSymbol;
        else
            csNext += (r > 1 ? ", " : "") + CString(pszSymbol);
    }
    CRect rcLine(0, -1, 0, -1);
    if (list.GetItemCount() > 0)
        list.GetItemRect(0, &rcLine, LVIR_BOUNDS);
    CString cs;
    cs.Format("columns %s; widths %s; first row %s; next rows %s; grid lines %s; line 0 at y %d height %d",
              HeaderOrder(list).c_str(), (LPCTSTR)csWidths, (LPCTSTR)csFirst, (LPCTSTR)csNext,
              (list.GetExtendedStyle() & LVS_EX_GRIDLINES) ? "on" : "off", (int)rcLine.top, rcLine.Height());
    return cs;
}

// Where the fields of the market watch's formula dialog are while it is open ("" when closed).
CString DemoTerminalDialogState()
{
    CAddUserColDlg& dlg = AddUserColDlg();
    if (dlg.GetSafeHwnd() == nullptr || !dlg.IsWindowVisible())
        return CString();
    auto centre = [&dlg](int nID) {
        CRect rc;
        if (CWnd* pItem = dlg.GetDlgItem(nID))
            pItem->GetWindowRect(&rc);
        CString cs;
        cs.Format("%d,%d", (int)rc.CenterPoint().x, (int)rc.CenterPoint().y);
        return cs;
    };
    CString cs;
    cs.Format("formula dialog open; name at %s; expression at %s; add at %s", (LPCTSTR)centre(IDC_UCOL_NAME),
              (LPCTSTR)centre(IDC_UCOL_EXPRESSION), (LPCTSTR)centre(IDOK));
    return cs;
}

// Lets other scenes of the terminal stream quotes (the brick bar under the market watch).
void DemoTerminalFeedTick()
{
    if (g_pane.m_pList && g_pane.m_pList->GetSafeHwnd() != nullptr)
        FeedTick(g_pane);
}
