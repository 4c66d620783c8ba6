// Trend highlighting in a filter list of 100,000 instruments: the trader picks LTP and Change as
// trend columns (background marks, one second), quotes stream in for a few seconds, and the
// pictures show rising cells in the positive colour and falling ones in the negative colour, then
// the same cells cleared once the second has passed. The list is then closed, which stores its
// trend settings in the terminal's settings file, and opened again: the settings come back from
// the stored profile and the stream marks the same columns. (The settings file is kept between
// runs, so a second run of the demo finds them already at the first opening, and says so.)
#include "DemoScene.h"

#include "filter/FilterListCtrl.h"

#include <cstdio>
#include <vector>

namespace
{
enum
{
    colSymbol,
    colLtp,
    colChange,
    colVolume,
    colExchange,
    colCount
};

struct sQuote
{
    char symbol[32];
    double ltp;
    double close;
    int volume;
    const char* exchange;
};

std::vector<sQuote> g_quotes;

int QuoteText(ULONGLONG dwItemData, int nColumn, CString& text, unsigned long&, unsigned long&, int&)
{
    if (dwItemData == 0 || dwItemData > g_quotes.size())
        return 0;
    const sQuote& q = g_quotes[(size_t)(dwItemData - 1)];
    switch (nColumn)
    {
    case colSymbol:
        text = q.symbol;
        return 1;
    case colLtp:
        text.Format("%.2f", q.ltp);
        return 1;
    case colChange:
        text.Format("%.2f", q.ltp - q.close);
        return 1;
    case colVolume:
        text.Format("%d", q.volume);
        return 1;
    case colExchange:
        text = q.exchange;
        return 1;
    default:
        return 0;
    }
}

CDemoRandom g_random(31337);
int Next(int nRange) { return g_random.Next(nRange); }

class CTrendWnd : public CWnd
{
public:
    CFilterListCtrl m_list;
    afx_msg void OnSize(UINT, int cx, int cy)
    {
        if (m_list.GetSafeHwnd() != nullptr)
            m_list.MoveWindow(0, 0, cx, cy);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTrendWnd, CWnd)
    ON_WM_SIZE()
END_MESSAGE_MAP()

void PumpFor(const CDemoContext& context, int nMilliseconds)
{
    DWORD start = ::GetTickCount();
    do
    {
        context.Pump();
        ::Sleep(5);
    } while ((int)(::GetTickCount() - start) < nMilliseconds);
}

CString TrendColumnsText(CFilterListCtrl& list)
{
    CString text;
    POSITION pos = list.m_mapTrend.GetStartPosition();
    while (pos != nullptr)
    {
        int nColumn;
        CTrendValueArray* pArray;
        list.m_mapTrend.GetNextAssoc(pos, nColumn, pArray);
        if (!text.IsEmpty())
            text += ", ";
        text += list.m_arrColInfo[nColumn].szColName;
    }
    return text.IsEmpty() ? CString("none") : text;
}

// Opens the list window: columns, rows, and (through InsertColumnsForList) the stored trend
// settings of "DemoTrends".
bool Open(CDemoContext& context, CTrendWnd& wnd)
{
    CRect frame;
    context.m_pMainWnd->GetWindowRect(&frame);
    if (!wnd.CreateEx(WS_EX_TOOLWINDOW, nullptr, "Trends", WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME,
                      frame.left + 60, frame.top + 100, 560, 360, context.m_pMainWnd->m_hWnd, nullptr))
        return false;
    CRect client;
    wnd.GetClientRect(&client);
    CFilterListCtrl& list = wnd.m_list;
    list.m_csListName = "DemoTrends";
    list.m_bApplyCustomColors = 0;   // the list's own colours: dark text on white, so marks stand out
    if (!list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS,
                     client, &wnd, 100))
        return false;
    list.SetBkColor(RGB(255, 255, 255));
    list.SetTextBkColor(RGB(255, 255, 255));
    list.SetTextColor(RGB(20, 20, 20));
    static const struct
    {
        const char* name;
        int width;
        int format;
        int type;
    } columns[] = { { "Symbol", 150, LVCFMT_LEFT, 3 },  { "LTP", 90, LVCFMT_RIGHT, 2 },
                    { "Change", 80, LVCFMT_RIGHT, 2 },  { "Volume", 100, LVCFMT_RIGHT, 1 },
                    { "Exchange", 80, LVCFMT_LEFT, 3 } };
    for (const auto& c : columns)
    {
        sOrvoColInfo info = {};
        snprintf(info.szColName, sizeof(info.szColName), "%s", c.name);
        info.nWidth = c.width;
        info.nFormat = c.format;
        info.nDataType = c.type;
        list.m_arrColInfo.Add(info);
    }
    list.InitColumnTextRtn(&QuoteText);
    list.InsertColumnsForList();
    list.SetUseFilter(TRUE);
    list.m_bAlternateRowColors = 1;
    for (size_t i = 0; i < g_quotes.size(); ++i)
    {
        list.InsertItem(0, "", 0);
        list.SetItemData(0, (DWORD_PTR)(i + 1));
    }
    wnd.ShowWindow(SW_SHOW);
    context.Pump();
    return true;
}

// Quotes for a while: a thousand updates a second over the whole list, and the rows on screen
// moving often enough to be seen.
void StreamQuotes(CDemoContext& context, CFilterListCtrl& list, int nMilliseconds)
{
    int nUpdates = 0;
    DWORD start = ::GetTickCount();
    for (DWORD now = 0; now < (DWORD)nMilliseconds; now = ::GetTickCount() - start)
    {
        while (nUpdates < (int)now)
        {
            int m = nUpdates % 3 == 0 ? list.GetMapIndexFromDisplayIndex(Next(16)) : Next((int)g_quotes.size());
            if (m >= 0)
            {
                sQuote& q = g_quotes[(size_t)(list.GetMapItemData(m) - 1)];
                q.ltp = q.ltp * (0.995 + (double)Next(11) / 1000.0);
                q.volume += Next(500);
                list.RepaintMapItem(m);
            }
            ++nUpdates;
        }
        context.Pump();
        ::Sleep(1);
    }
    context.Print("trends: %d quote updates in %d ms", nUpdates, nMilliseconds);
}

// The marks now showing among the rows on screen, by kind.
void CountMarks(CFilterListCtrl& list, int& nRising, int& nFalling)
{
    nRising = nFalling = 0;
    int nTop = list.GetTopIndex();
    int nLast = nTop + list.GetCountPerPage();
    POSITION pos = list.m_mapTrend.GetStartPosition();
    while (pos != nullptr)
    {
        int nColumn;
        CTrendValueArray* pArray;
        list.m_mapTrend.GetNextAssoc(pos, nColumn, pArray);
        for (int r = nTop; r < nLast && r < list.GetDisplayCount(); ++r)
        {
            int m = list.GetMapIndexFromDisplayIndex(r);
            const sTrendValues* v = m >= 0 && m < pArray->GetSize() ? pArray->GetAt(m) : nullptr;
            if (v == nullptr || v->nChangeTime == 0)
                continue;
            nRising += v->nState == 1;
            nFalling += v->nState == 2;
        }
    }
}
}  // namespace

DEMO_SCENE(TrendHighlighting, 32)
{
    static const char* const roots[] = { "RELIANCE", "INFY", "TCS", "NIFTY", "BANKNIFTY", "GOLD", "SILVER", "CRUDE" };
    static const char* const exchanges[] = { "NSE", "BSE", "MCX" };
    g_quotes.resize(100000);
    for (size_t i = 0; i < g_quotes.size(); ++i)
    {
        sQuote& q = g_quotes[i];
        snprintf(q.symbol, sizeof(q.symbol), "%s%d", roots[Next(8)], 100 + (int)i);
        q.close = (double)(1000 + Next(300000)) / 100.0;
        q.ltp = q.close;
        q.volume = Next(1000000);
        q.exchange = exchanges[Next(3)];
    }

    static CTrendWnd first;
    if (!Open(context, first))
    {
        context.Print("trends: could not open the list");
        return;
    }
    CFilterListCtrl& list = first.m_list;
    context.Print("trends: first opening, %d rows; trend columns from the stored profile: %s", list.GetItemCount(),
                  (LPCTSTR)TrendColumnsText(list));
    if (!context.m_bHeadless)
        return;

    // What the Trend Settings dialog's OK does: LTP and Change, background marks, one second.
    list.m_nTrendType = 1;
    list.m_clrTrendPos = RGB(0, 200, 0);
    list.m_clrTrendNeg = RGB(230, 40, 40);
    list.m_nTrendInterval = 1000;
    CArray<int, int> trendColumns;
    trendColumns.Add(colLtp);
    trendColumns.Add(colChange);
    list.SetTrendColumns(&trendColumns);
    context.Pump();
    context.Capture(&first, "trends_before_stream");

    StreamQuotes(context, list, 3000);
    int nRising = 0, nFalling = 0;
    CountMarks(list, nRising, nFalling);
    context.Print("trends: after the stream %d rising and %d falling cells marked on screen", nRising, nFalling);
    context.Capture(&first, "trends_marked");

    PumpFor(context, 1400);   // the interval passes; the 250 ms timer takes the marks away
    CountMarks(list, nRising, nFalling);
    context.Print("trends: 1.4 s later %d rising and %d falling cells marked", nRising, nFalling);
    context.Capture(&first, "trends_cleared");

    // Text marks instead of backgrounds, for a look at the other mode.
    list.m_nTrendType = 0;
    StreamQuotes(context, list, 800);
    context.Capture(&first, "trends_text_marks");
    list.m_nTrendType = 1;

    // A terminal whose list text is the same green as the rising mark: the marked cells draw
    // their values in black instead of green on green.
    list.SetTextColor(RGB(0, 200, 0));
    StreamQuotes(context, list, 800);
    context.Capture(&first, "trends_green_text_readable_on_green_marks");
    list.SetTextColor(RGB(20, 20, 20));

    // Closing the list stores its profile with the trend settings; opening it again reads them.
    first.DestroyWindow();
    context.Print("trends: list closed, trend settings stored");
    static CTrendWnd second;
    if (!Open(context, second))
    {
        context.Print("trends: could not open the list again");
        return;
    }
    CFilterListCtrl& again = second.m_list;
    context.Print("trends: opened again: trend columns %s, %s marks, rise 0x%06lX, fall 0x%06lX, interval %d ms, running %s",
                  (LPCTSTR)TrendColumnsText(again), again.m_nTrendType ? "background" : "text",
                  (unsigned long)again.m_clrTrendPos, (unsigned long)again.m_clrTrendNeg, again.m_nTrendInterval,
                  again.IsTrendRunning() ? "yes" : "no");
    StreamQuotes(context, again, 1500);
    CountMarks(again, nRising, nFalling);
    context.Print("trends: reopened list marks %d rising and %d falling cells", nRising, nFalling);
    context.Capture(&second, "trends_reopened");
    second.DestroyWindow();
    g_quotes.clear();
}
