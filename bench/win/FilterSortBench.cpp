// Sorting the filter list by a column, against the plainest code that gives the same order:
//   numeric:  SortOn a price column ("%.2f" texts) over 100,000 rows, against reading the same
//             texts through the column text routine, converting them with atof and std::sort of
//             (value, row) pairs;
//   natural:  the same for a symbol column in natural text order, against the same texts in a
//             vector sorted by std::sort with the same comparison;
//   checked:  checked rows first (SortOnChecked, a tenth of the rows checked), informational.
// Before each measured sort the rows are put in another order (by a code column), so neither side
// starts from sorted rows. The list is visible, as on the trader's screen. One line per
// measurement.
#include "BenchClock.h"
#include "BenchRounds.h"
#include "filter/FilterListCtrl.h"
#include "lists/ListSortRules.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace
{
struct sRow
{
    char symbol[24];
    double price;
    int code;
};

std::vector<sRow> g_rows;

int ColumnText(ULONGLONG dwItemData, int nColumn, CString& text, unsigned long&, unsigned long&, int&)
{
    const sRow& row = g_rows[(size_t)(dwItemData - 1)];
    switch (nColumn)
    {
    case 0:
        text = row.symbol;
        return 1;
    case 1:
        text.Format("%.2f", row.price);
        return 1;
    case 2:
        text.Format("%d", row.code);
        return 1;
    default:
        return 0;
    }
}

CBenchRandom g_random(777);
int Next(int nRange) { return g_random.Next(nRange); }

struct sKey
{
    double v;
    int m;
};
}  // namespace

int main()
{
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES };
    ::InitCommonControlsEx(&icc);

    const int n = 100000;
    static const char* const roots[] = { "RELIANCE", "RELCAP", "INFY", "TCS", "NIFTY", "GOLD", "HDFC", "ITC" };
    g_rows.resize(n);
    for (int i = 0; i < n; ++i)
    {
        snprintf(g_rows[(size_t)i].symbol, sizeof(g_rows[(size_t)i].symbol), "%s%d", roots[Next(8)], 50 * (1 + Next(400)));
        g_rows[(size_t)i].price = (double)(100 + Next(300000)) / 100.0;
        g_rows[(size_t)i].code = Next(1000000);
    }

    CWnd frame;
    frame.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_OVERLAPPEDWINDOW, 0, 0, 700, 500, nullptr, nullptr);
    CFilterListCtrl list;
    list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, CRect(0, 0, 680, 460), &frame, 100);
    static const char* const names[] = { "Symbol", "Price", "Code" };
    static const int types[] = { 3, 2, 1 };
    for (int c = 0; c < 3; ++c)
    {
        sOrvoColInfo info = {};
        snprintf(info.szColName, sizeof(info.szColName), "%s", names[c]);
        info.nWidth = 120;
        info.nDataType = types[c];
        list.m_arrColInfo.Add(info);
    }
    list.InitColumnTextRtn(&ColumnText);
    list.InsertColumnsForList();
    list.SetUseFilter(TRUE);
    for (int i = 0; i < n; ++i)
    {
        list.InsertItem(0, "", 0);
        list.SetItemData(0, (DWORD_PTR)(i + 1));
    }
    frame.ShowWindow(SW_SHOW);
    AfxPumpPendingMessages();

    // The rows in the order the list shows them now, by their data.
    auto shownOrder = [&list]() {
        std::vector<int> rows((size_t)list.GetDisplayCount());
        for (int r = 0; r < list.GetDisplayCount(); ++r)
            rows[(size_t)r] = (int)list.GetItemData(r) - 1;
        return rows;
    };

    // --- numeric column ---
    double best = 1e300, bestBase = 1e300;
    // The machine is shared: many short rounds, each side's fastest kept, the order alternating.
    for (int round = 0; round < 9; ++round)
    {
        list.SortOn(2, round % 2);   // another order first
        AfxPumpPendingMessages();
        std::vector<int> before = shownOrder();
        std::vector<sKey> keys;
        auto plain = [&]() {
            double t = BenchNow();
            keys.resize(before.size());
            CString text;
            for (size_t i = 0; i < before.size(); ++i)
            {
                unsigned long c1 = 0, c2 = 0;
                int image = 0;
                ColumnText((ULONGLONG)before[i] + 1, 1, text, c1, c2, image);
                keys[i] = { atof(text), before[i] };
            }
            std::sort(keys.begin(), keys.end(), [](const sKey& a, const sKey& b) { return a.v < b.v || (a.v == b.v && a.m > b.m); });
            return BenchNow() - t;
        };
        auto ours = [&]() {
            double t = BenchNow();
            list.SortOn(1, 1);
            return BenchNow() - t;
        };
        BenchRound(round, ours, plain, best, bestBase);
        // Both must give the same order (values equal by price; the row numbers here are the map
        // indexes' data, so compare the prices).
        std::vector<int> after = shownOrder();
        for (size_t i = 0; i < after.size(); ++i)
        {
            if (g_rows[(size_t)after[i]].price != keys[i].v)
            {
                printf("numeric sort: row %d differs from the plain sort\n", (int)i);
                return 1;
            }
        }
        AfxPumpPendingMessages();
    }
    BenchReport("filterlist_sort_numeric_100k", best, bestBase, n);

    // --- natural text column ---
    best = 1e300;
    bestBase = 1e300;
    for (int round = 0; round < 9; ++round)
    {
        list.SortOn(2, round % 2);   // another order first
        AfxPumpPendingMessages();
        std::vector<int> before = shownOrder();
        auto plain = [&]() {
            double t = BenchNow();
            std::vector<CString> texts(before.size());
            std::vector<int> order(before.size());
            for (size_t i = 0; i < before.size(); ++i)
            {
                unsigned long c1 = 0, c2 = 0;
                int image = 0;
                ColumnText((ULONGLONG)before[i] + 1, 0, texts[i], c1, c2, image);
                order[i] = (int)i;
            }
            std::sort(order.begin(), order.end(), [&](int a, int b) {
                int r = ListNaturalCompare(texts[(size_t)a], texts[(size_t)b]);
                return r < 0 || (r == 0 && before[(size_t)a] > before[(size_t)b]);
            });
            return BenchNow() - t;
        };
        auto ours = [&]() {
            double t = BenchNow();
            list.SortOn(0, 1);
            return BenchNow() - t;
        };
        BenchRound(round, ours, plain, best, bestBase);
        AfxPumpPendingMessages();
    }
    BenchReport("filterlist_sort_natural_100k", best, bestBase, n);

    // --- checked rows first (informational: no baseline beyond the numeric one) ---
    for (int i = 0; i < n; i += 10)
        list.SetMapItemCheck(i, 1);
    double bestChecked = 1e300;
    for (int round = 0; round < 5; ++round)
    {
        list.SortOn(2, round % 2);
        AfxPumpPendingMessages();
        double t = BenchNow();
        list.SortOnChecked();
        double d = BenchNow() - t;
        bestChecked = d < bestChecked ? d : bestChecked;
        AfxPumpPendingMessages();
    }
    printf("bench filterlist_sort_checked_first_100k ms=%.2f n=%d\n", bestChecked / 1e6, n);

    list.DestroyWindow();
    frame.DestroyWindow();
    return 0;
}
