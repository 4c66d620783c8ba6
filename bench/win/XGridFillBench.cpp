// Filling an extended grid, 20 columns: InsertItem for each row and SetItemText for each of its
// other 19 cells, against a bare report list view doing the same inserts. Both lists are filled
// hidden and then shown (under Wine a visible list view pays for every insert, on both sides);
// arguments: the rows (default 100,000), then "visible" to fill them shown.
//   xgrid_fill_<rows>:           time, best of a few rounds with the sides taking turns.
//   xgrid_fill_memory_<rows>:    working-set growth per cell while both filled lists are alive
//                                (bytes per cell in the ours= and baseline= fields).
#include "BenchClock.h"
#include "xgrid/XListCtrl.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace
{
const int kColumns = 20;
const int kRounds = 3;

double WorkingSet()
{
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof(pmc);
    ::K32GetProcessMemoryInfo(::GetCurrentProcess(), &pmc, sizeof(pmc));
    return (double)pmc.WorkingSetSize;
}

bool g_bVisible = false;

template <class TList> std::unique_ptr<TList> Fill(CWnd& frame, int nRows, double& dTime)
{
    auto list = std::make_unique<TList>();
    list->Create(WS_CHILD | (g_bVisible ? WS_VISIBLE : 0) | LVS_REPORT, CRect(0, 0, 600, 300), &frame, 1);
    for (int c = 0; c < kColumns; ++c)
    {
        char szName[16];
        snprintf(szName, sizeof(szName), "Col %d", c);
        list->InsertColumn(c, szName, LVCFMT_LEFT, 60);
    }
    char text[32];
    const double t0 = BenchNow();
    for (int r = 0; r < nRows; ++r)
    {
        snprintf(text, sizeof(text), "SYM%06d", r);
        list->InsertItem(r, text);
        for (int c = 1; c < kColumns; ++c)
        {
            snprintf(text, sizeof(text), "%d.%02d", r + c, c);
            list->SetItemText(r, c, text);
        }
    }
    list->ShowWindow(SW_SHOW);
    list->UpdateWindow();
    dTime = BenchNow() - t0;
    if (list->GetItemCount() != nRows || list->GetItemText(nRows - 1, kColumns - 1) != text)
        printf("bench xgrid_fill: the list lost rows or texts\n");
    return list;
}
}  // namespace

int main(int argc, char** argv)
{
    const int nRows = argc > 1 ? atoi(argv[1]) : 100000;
    g_bVisible = argc > 2 && strcmp(argv[2], "visible") == 0;
    CWnd frame;
    frame.CreateEx(0, nullptr, "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 360, nullptr, nullptr);
    const double dCells = (double)nRows * kColumns;
    char szName[64];

    {
        double dTime = 0;
        const double d0 = WorkingSet();
        auto base = Fill<CListCtrl>(frame, nRows, dTime);
        const double d1 = WorkingSet();
        auto ours = Fill<CXListCtrl>(frame, nRows, dTime);
        const double d2 = WorkingSet();
        snprintf(szName, sizeof(szName), "xgrid_fill_memory_%s%d", g_bVisible ? "visible_" : "", nRows);
        printf("bench %s ratio=%.2f ours=%.0f baseline=%.0f n=%.0f\n", szName, (d2 - d1) / (d1 - d0), (d2 - d1) / dCells,
               (d1 - d0) / dCells, dCells);
        ours->DestroyWindow();
        base->DestroyWindow();
    }

    double dOurs = 1e300, dBase = 1e300;
    for (int r = 0; r < kRounds; ++r)
    {
        for (int side = 0; side < 2; ++side)
        {
            double dTime = 0;
            if ((side == 0) == (r % 2 == 0))
            {
                Fill<CXListCtrl>(frame, nRows, dTime)->DestroyWindow();
                dOurs = std::min(dOurs, dTime);
            }
            else
            {
                Fill<CListCtrl>(frame, nRows, dTime)->DestroyWindow();
                dBase = std::min(dBase, dTime);
            }
        }
    }
    snprintf(szName, sizeof(szName), "xgrid_fill_%s%d", g_bVisible ? "visible_" : "", nRows);
    BenchReport(szName, dOurs, dBase, (long)dCells);
    frame.DestroyWindow();
    return 0;
}
