// An order book in a multi-line list: each order row opens into its fills (child lines). The
// scripted session loads 2,000 orders, pictures them closed, opens a few orders, streams new
// fills into open and closed orders, filters the orders by price (the header tints the filtered
// column), sorts them by the value formula column (price x filled quantity) and pictures each
// stage.
#include "DemoScene.h"

#include "market/MultiLineListCtrl.h"

#include <cstdio>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

namespace
{
enum
{
    colOrder,
    colSide,
    colPrice,
    colFilled,
    colCount
};

struct sFill
{
    int qty;
    double price;
    char time[12];
};

struct sBookOrder
{
    char id[16];
    char symbol[16];
    bool bBuy;
    double price;
    std::vector<sFill> fills;
    int Filled() const
    {
        int n = 0;
        for (const sFill& f : fills)
            n += f.qty;
        return n;
    }
};

std::deque<sBookOrder> g_book;
CDemoRandom g_random(4321);
int Next(int nRange) { return g_random.Next(nRange); }

// The terminal's data descriptor: line 0 is the order, line d its fill d.
int OrderBookText(ULONGLONG dwValue, int nColumn, CString& text, unsigned long& clrText, unsigned long&, int&, int nLine)
{
    const sBookOrder& order = *reinterpret_cast<const sBookOrder*>(dwValue);
    const sFill* pFill = nLine > 0 && nLine <= (int)order.fills.size() ? &order.fills[(size_t)nLine - 1] : nullptr;
    switch (nColumn)
    {
    case colOrder:
        if (pFill != nullptr)
            text.Format("fill %d  %s", nLine, pFill->time);
        else
            text.Format("%s %s", order.id, order.symbol);
        return 1;
    case colSide:
        text = order.bBuy ? "BUY" : "SELL";
        clrText = order.bBuy ? RGB(80, 160, 255) : RGB(255, 90, 90);
        return 1;
    case colPrice:
        text.Format("%.2f", pFill != nullptr ? pFill->price : order.price);
        return 1;
    case colFilled:
        text.Format("%d", pFill != nullptr ? pFill->qty : order.Filled());
        return 1;
    default:
        return 0;
    }
}

class COrderBookWnd : public CWnd
{
public:
    CMultiLineListCtrl m_list;
    afx_msg void OnFilterChange(NMHDR*, LRESULT* pResult)
    {
        m_list.PopulateList();
        *pResult = 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COrderBookWnd, CWnd)
    ON_NOTIFY(HDN_FILTERCHANGE, 100, OnFilterChange)
END_MESSAGE_MAP()

void AddColumn(CMultiLineListCtrl& list, const char* name, int width, int format, int type, const char* formula = nullptr)
{
    sOrvoColInfo info = {};
    snprintf(info.szColName, sizeof(info.szColName), "%s", name);
    info.nWidth = width;
    info.nFormat = format;
    info.nDataType = type;
    if (formula != nullptr)
        info.csText1 = formula;
    list.m_arrColInfo.Add(info);
}

void AddFill(sBookOrder& order, int nTick)
{
    sFill fill = {};
    fill.qty = 10 * (1 + Next(20));
    fill.price = order.price + (double)(Next(21) - 10) / 100.0;
    snprintf(fill.time, sizeof(fill.time), "10:%02d:%02d", (nTick / 60) % 60, nTick % 60);
    order.fills.push_back(fill);
}
}  // namespace

DEMO_SCENE(OrderBook, 33)
{
    static COrderBookWnd wnd;
    CRect frame;
    context.m_pMainWnd->GetWindowRect(&frame);
    if (!context.CreateSceneWindow(wnd, "Order book", WS_OVERLAPPED | WS_CAPTION,
                                   CRect(CPoint(frame.left + 60, frame.top + 60), CSize(640, 420))))
    {
        context.Print("could not create the order book window");
        return;
    }
    CRect client;
    wnd.GetClientRect(&client);
    CMultiLineListCtrl& list = wnd.m_list;
    list.m_csListName = "DemoOrderFills";
    if (!list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS, client,
                     &wnd, 100))
    {
        context.Print("could not create the order book list");
        return;
    }
    AddColumn(list, "Order", 200, LVCFMT_LEFT, LIST_SORT_NATURAL);
    AddColumn(list, "Side", 60, LVCFMT_CENTER, LIST_SORT_TEXT);
    AddColumn(list, "Price", 110, LVCFMT_RIGHT, LIST_SORT_DECIMAL);
    AddColumn(list, "Filled", 90, LVCFMT_RIGHT, LIST_SORT_INTEGER);
    list.InitColumnTextRtn(&OrderBookText);
    list.InsertColumnsForList();
    // The value of the filled quantity: a formula column after the built-in ones. The list's saved
    // profile keeps it, so a restarted terminal finds it there and must not add it twice.
    int nValue = -1;
    for (INT_PTR c = 0; c < list.m_arrColInfo.GetSize(); ++c)
        if (strcmp(list.m_arrColInfo[c].szColName, "Value") == 0)
            nValue = (int)c;
    if (nValue < 0)
    {
        AddColumn(list, "Value", 130, LVCFMT_RIGHT, LIST_SORT_DECIMAL, " \"2\" * \"3\"");
        nValue = (int)list.m_arrColInfo.GetSize() - 1;
        list.m_arrColPosition.SetAtGrow(nValue, nValue);
        list.InsertColumn(nValue, "Value", LVCFMT_RIGHT, 130, nValue);
        sVisibleColumn visible = { nValue, nValue };
        list.AddToVisibleArray(visible);
    }
    list.SetUseFilter(TRUE);

    static const char* const symbols[] = { "RELIANCE", "INFY", "TCS", "NIFTY24DEC", "GOLD", "HDFCBANK", "ITC" };
    for (int i = 0; i < 2000; ++i)
    {
        g_book.push_back({});
        sBookOrder& order = g_book.back();
        snprintf(order.id, sizeof(order.id), "#%05d", 10001 + i);
        snprintf(order.symbol, sizeof(order.symbol), "%s", symbols[Next(7)]);
        order.bBuy = Next(2) == 0;
        order.price = (double)(50000 + Next(300000)) / 100.0;
        for (int f = Next(4); f > 0; --f)
            AddFill(order, i);
        list.InsertItem(0, "");
        list.SetItemData(0, (DWORD_PTR)&order, 1 + (int)order.fills.size());
    }
    wnd.ShowWindow(SW_SHOW);
    context.Pump();
    context.Print("multi-line order book: %d orders, %d lines", list.GetItemCount(), list.GetVisibleCountEx());
    context.Capture(&wnd, "orderbook_closed");
    if (!context.m_bHeadless)
    {
        // The lines shown tell the trader's opened and closed rows apart; the first line of a row
        // with fills is where one can be opened.
        context.SetPageState([&list] {
            int nParent = -1;
            for (int line = 0; line < list.GetVisibleCountEx() && nParent < 0; ++line)
            {
                const sMultiLineColInfo* pRow = list.GetInternalItemData(line);
                if (pRow != nullptr && pRow->nLineCount > 1 && list.IsRowParent(line))
                    nParent = line;
            }
            CString cs;
            cs.Format("%s; lines %d; first row with fills at line %d", (LPCTSTR)DemoListState(list),
                      list.GetVisibleCountEx(), nParent);
            return cs;
        });
        return;
    }

    // The trader opens the first orders that have fills.
    auto openFirst = [&list](int nOrders) {
        int nOpened = 0;
        for (int line = 0; line < list.GetVisibleCountEx() && nOpened < nOrders; ++line)
        {
            sMultiLineColInfo* pRow = list.GetInternalItemData(line);
            if (pRow != nullptr && pRow->nLineCount > 1 && !pRow->bOpen)
            {
                list.OpenCloseRow(line);
                ++nOpened;
            }
        }
    };
    openFirst(4);
    list.SetItemState(-1, 0, LVIS_SELECTED);
    context.Pump();
    context.Capture(&wnd, "orderbook_open");

    // Fills stream in, into open rows and closed ones alike.
    for (int tick = 0; tick < 200; ++tick)
    {
        sBookOrder& order = g_book[(size_t)Next(40)];
        AddFill(order, 3600 + tick);
        list.RedrawParentRow((DWORD_PTR)&order, 1 + (int)order.fills.size());
    }
    context.Pump();
    context.Print("multi-line order book: after 200 fills, %d lines (%d child lines)", list.GetVisibleCountEx(), list.GetNumberOfChild());
    context.Capture(&wnd, "orderbook_streamed");

    // Only orders above 3,000; then the largest filled value first.
    CString filter(">3000");
    list.SetVisibleColumnFilter(2, filter, 0);
    context.Pump();
    list.SortOn(nValue, 0);
    openFirst(3);
    list.SetItemState(-1, 0, LVIS_SELECTED);
    context.Pump();
    context.Print("multi-line order book: price >3000 shows %d of %d orders, sorted by value", list.GetDisplayCount(),
                  list.GetItemCount());
    context.Capture(&wnd, "orderbook_filtered_sorted");
}
