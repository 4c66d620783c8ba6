// The multi-line list against the filter list on the same rows, in one run:
//   ours:     a multi-line list of 100,000 orders of 3 lines each, every other row open
//             (200,000 lines shown before filtering);
//   baseline: a filter list of the same 100,000 rows (one line each), same columns, same host
//             texts.
// Two measurements, each side the fastest of five rounds in alternating order:
//   refilter  a price filter (">500") put in and the rows populated again, then the filter
//             taken out and populated again, the list on screen (cost per row);
//   repaint   one full synchronous repaint of the shown page (cost per painted line).
#include "BenchClock.h"
#include "filter/FilterListCtrl.h"
#include "market/MultiLineListCtrl.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace
{
const int kRows = 100000;
const int kColumns = 6;
const int kRounds = 5;

struct sBenchOrder
{
    char symbol[16];
    double price;
    int qty;
};
std::vector<sBenchOrder> g_orders;

void FormatCell(const sBenchOrder& o, int nColumn, int nLine, CString& text)
{
    switch (nColumn)
    {
    case 0:
        if (nLine == 0)
            text = o.symbol;
        else
            text.Format("fill %d", nLine);
        break;
    case 1:
        text.Format("%.2f", o.price);
        break;
    default:
        text.Format("%d", o.qty * nColumn);
        break;
    }
}

int MultiText(ULONGLONG dwValue, int nColumn, CString& text, unsigned long&, unsigned long&, int&, int nLine)
{
    FormatCell(g_orders[(size_t)dwValue - 1], nColumn, nLine, text);
    return 1;
}

int FilterText(ULONGLONG dwValue, int nColumn, CString& text, unsigned long&, unsigned long&, int&)
{
    FormatCell(g_orders[(size_t)dwValue - 1], nColumn, 0, text);
    return 1;
}

template <class L>
void AddColumns(L& list)
{
    for (int c = 0; c < kColumns; ++c)
    {
        sOrvoColInfo info = {};
        snprintf(info.szColName, sizeof(info.szColName), "Col%d", c);
        info.nWidth = 80;
        info.nFormat = c == 0 ? LVCFMT_LEFT : LVCFMT_RIGHT;
        info.nDataType = c == 0 ? LIST_SORT_TEXT : LIST_SORT_DECIMAL;
        list.m_arrColInfo.Add(info);
    }
    list.InsertColumnsForList();
    list.SetUseFilter(TRUE);
}

template <class L>
double Refilter(L& list)
{
    CString filter(">500"), none;
    double t = BenchNow();
    list.SetVisibleColumnFilter(1, filter, 0);
    list.PopulateList();
    list.SetVisibleColumnFilter(1, none, 0);
    list.PopulateList();
    AfxPumpPendingMessages();
    return BenchNow() - t;
}

// One list shown, the other hidden (both have the same place), and what that brings painted.
void ShowOnly(CWnd& shown, CWnd& hidden)
{
    hidden.ShowWindow(SW_HIDE);
    shown.ShowWindow(SW_SHOW);
    AfxPumpPendingMessages();
}

double Repaint(CWnd& list)
{
    double t = BenchNow();
    list.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return BenchNow() - t;
}
}  // namespace

int main()
{
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES };
    ::InitCommonControlsEx(&icc);
    CRecordingModalScript script;
    AfxSetModalScript(&script);
    CBenchRandom random(26);
    g_orders.resize(kRows);
    for (int r = 0; r < kRows; ++r)
    {
        snprintf(g_orders[(size_t)r].symbol, sizeof(g_orders[(size_t)r].symbol), "ORD%06d", r);
        g_orders[(size_t)r].price = (double)random.Next(100000) / 100.0;
        g_orders[(size_t)r].qty = 1 + random.Next(1000);
    }

    const CRect rc(0, 0, kColumns * 80 + 8, 760);
    CWnd frame;
    frame.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_POPUP, 0, 0, rc.Width(), rc.Height(), nullptr, nullptr);
    // The host does not answer the filter change: the bench populates itself.
    CMultiLineListCtrl multi;
    multi.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_OWNERDRAWFIXED, rc, &frame, 100);
    multi.InitColumnTextRtn(&MultiText);
    AddColumns(multi);
    CFilterListCtrl filter;
    filter.Create(WS_CHILD | LVS_REPORT | LVS_OWNERDATA | LVS_OWNERDRAWFIXED, rc, &frame, 101);
    filter.InitColumnTextRtn(&FilterText);
    AddColumns(filter);
    for (int r = 0; r < kRows; ++r)
    {
        multi.InsertItem(0, "");
        multi.SetItemData(0, (DWORD_PTR)(r + 1), 3);
        filter.InsertItem(0, "", 0);
        filter.SetItemData(0, (DWORD_PTR)(r + 1));
    }
    multi.SetSingleSelection(true);   // opening selects nothing here
    for (int line = 0; line < multi.GetVisibleCountEx(); line += 4)   // every other row: 1 + 2 lines + next row
        multi.OpenCloseRow(line);
    multi.SetItemState(-1, 0, LVIS_SELECTED);
    frame.ShowWindow(SW_SHOWNOACTIVATE);   // filled hidden, as a terminal loads its lists
    AfxPumpPendingMessages();
    printf("multi-line list: %d rows, %d lines shown\n", multi.GetDisplayCount(), multi.GetVisibleCountEx());

    double bestOurs = 1e300, bestBase = 1e300, paintOurs = 1e300, paintBase = 1e300;
    for (int round = 0; round < kRounds; ++round)
    {
        bool bOursFirst = round % 2 == 0;
        for (int side = 0; side < 2; ++side)
        {
            // The list being filtered is the one on screen, as a trader's is.
            bool bOurs = (side == 0) == bOursFirst;
            ShowOnly(bOurs ? static_cast<CWnd&>(multi) : filter, bOurs ? static_cast<CWnd&>(filter) : multi);
            if (bOurs)
                bestOurs = std::min(bestOurs, Refilter(multi));
            else
                bestBase = std::min(bestBase, Refilter(filter));
        }
    }
    BenchReport("multiline_refilter", bestOurs, bestBase, kRows);

    // Each list painted with the other hidden, at the same size.
    int nPage = multi.GetCountPerPage();
    for (int round = 0; round < kRounds; ++round)
    {
        bool bOursFirst = round % 2 == 0;
        for (int side = 0; side < 2; ++side)
        {
            bool bOurs = (side == 0) == bOursFirst;
            ShowOnly(bOurs ? static_cast<CWnd&>(multi) : filter, bOurs ? static_cast<CWnd&>(filter) : multi);
            if (bOurs)
                paintOurs = std::min(paintOurs, Repaint(multi));
            else
                paintBase = std::min(paintBase, Repaint(filter));
        }
    }
    char extra[64];
    snprintf(extra, sizeof(extra), " lines_per_page=%d", nPage);
    BenchReport("multiline_repaint", paintOurs, paintBase, nPage, extra);
    multi.DestroyWindow();
    filter.DestroyWindow();
    frame.DestroyWindow();
    return 0;
}
