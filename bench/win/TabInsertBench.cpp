// Inserting tabs into a visible strip: 10,000 against 1,000, each tab given its tooltip text as a
// host does right after inserting it, then one paint. The ratio shows how the time grows with the
// tabs (10.0 is linear; the goal is at most 12). Without tooltips the same, on a strip without
// the tooltip style. A second line per kind compares 40,000 tabs with 10,000 (4.0 is linear),
// where both sizes have long left the processor's caches. Each side is the best of several
// rounds, the sizes taking turns (1,000 tabs take about a millisecond, so they get more rounds:
// the machine is shared and one slice lost to another process doubles such a time).
// Line: bench <name> ratio=<ours/baseline> ours=<ns per fill> baseline=<ns per fill> n=<fills>
// where ours fills the larger strip and baseline the smaller; appended, each size's fastest
// inserts alone and first paint alone (layout and drawing) in ns per tab, to show which grows.
#include "BenchClock.h"
#include "windows/CustomTabCtrl.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace
{
const int kRounds = 9;

struct sFill
{
    double dInserts = 1e300, dPaint = 1e300, dTotal = 1e300;
    void Keep(const sFill& o)
    {
        dInserts = std::min(dInserts, o.dInserts);
        dPaint = std::min(dPaint, o.dPaint);
        dTotal = std::min(dTotal, o.dTotal);
    }
};

sFill Fill(CWnd& frame, int nTabs, bool bTooltips)
{
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | CTCS_AUTOHIDEBUTTONS | CTCS_FOURBUTTONS | CTCS_CLOSEBUTTON |
                          (bTooltips ? CTCS_TOOLTIPS : 0);
    auto tabs = std::make_unique<CCustomTabCtrl>();
    tabs->Create(dwStyle, CRect(0, 0, 1000, 22), &frame, 1);
    const double t0 = BenchNow();
    for (int i = 0; i < nTabs; ++i)
    {
        char text[32];
        snprintf(text, sizeof(text), "Chart SYM%05d", i);
        tabs->InsertItem(i, text, i);
        if (bTooltips)
        {
            snprintf(text, sizeof(text), "Chart of SYM%05d", i);
            tabs->SetItemTooltipText(i, text);
        }
    }
    const double t1 = BenchNow();
    tabs->UpdateWindow();
    sFill fill;
    fill.dTotal = BenchNow() - t0;
    fill.dInserts = t1 - t0;
    fill.dPaint = fill.dTotal - fill.dInserts;
    CRect rc;
    if (tabs->GetItemCount() != nTabs || tabs->GetItemRect(nTabs - 1, rc) != 0)
        printf("bench tab_strip_insert: the strip lost tabs\n");
    tabs->DestroyWindow();
    return fill;
}

void Report(const char* pszName, const char* pszKind, const sFill& big, int nBig, const sFill& small, int nSmall)
{
    printf("bench %s%s ratio=%.2f ours=%.0f baseline=%.0f n=1 inserts_ns_per_tab=%.0f/%.0f paint_ns_per_tab=%.0f/%.0f\n",
           pszName, pszKind, big.dTotal / small.dTotal, big.dTotal, small.dTotal, big.dInserts / nBig,
           small.dInserts / nSmall, big.dPaint / nBig, small.dPaint / nSmall);
}
}  // namespace

int main()
{
    CWnd frame;
    frame.CreateEx(0, nullptr, "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1100, 200, nullptr, nullptr);
    for (bool bTooltips : { false, true })
    {
        sFill f1k, f10k, f40k;
        for (int r = 0; r < kRounds; ++r)
        {
            for (int k = 0; k < 4; ++k)
                f1k.Keep(Fill(frame, 1000, bTooltips));
            f10k.Keep(Fill(frame, 10000, bTooltips));
            if (r % 2 == 0)
                f40k.Keep(Fill(frame, 40000, bTooltips));
        }
        const char* pszKind = bTooltips ? "_tooltips" : "";
        Report("tab_strip_insert_10k_vs_1k", pszKind, f10k, 10000, f1k, 1000);
        Report("tab_strip_insert_40k_vs_10k", pszKind, f40k, 40000, f10k, 10000);
        fflush(stdout);
    }
    frame.DestroyWindow();
    return 0;
}
