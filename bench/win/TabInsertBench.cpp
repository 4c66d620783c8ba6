// Inserting tabs into a visible strip: 10,000 against 1,000, each tab given its tooltip text as a
// host does right after inserting it, then one paint. The ratio shows how the time grows with the
// tabs (10.0 is linear; the goal is at most 12). Without tooltips the same, on a strip without
// the tooltip style. A second line per kind compares 40,000 tabs with 10,000 (4.0 is linear),
// where both sizes have long left the processor's caches. Each side is the best of several
// rounds, the sizes taking turns.
// Line: bench <name> ratio=<ours/baseline> ours=<ns per fill> baseline=<ns per fill> n=<fills>
// where ours fills the larger strip and baseline the smaller.
#include "BenchClock.h"
#include "windows/CustomTabCtrl.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace
{
const int kRounds = 5;

double Fill(CWnd& frame, int nTabs, bool bTooltips)
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
    tabs->UpdateWindow();
    const double dTime = BenchNow() - t0;
    CRect rc;
    if (tabs->GetItemCount() != nTabs || tabs->GetItemRect(nTabs - 1, rc) != 0)
        printf("bench tab_strip_insert: the strip lost tabs\n");
    tabs->DestroyWindow();
    return dTime;
}
}  // namespace

int main()
{
    CWnd frame;
    frame.CreateEx(0, nullptr, "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1100, 200, nullptr, nullptr);
    for (bool bTooltips : { false, true })
    {
        double d1k = 1e300, d10k = 1e300, d40k = 1e300;
        for (int r = 0; r < kRounds; ++r)
        {
            d1k = std::min(d1k, Fill(frame, 1000, bTooltips));
            d10k = std::min(d10k, Fill(frame, 10000, bTooltips));
            d40k = std::min(d40k, Fill(frame, 40000, bTooltips));
        }
        const char* pszKind = bTooltips ? "_tooltips" : "";
        printf("bench tab_strip_insert_10k_vs_1k%s ratio=%.2f ours=%.0f baseline=%.0f n=%d\n", pszKind, d10k / d1k, d10k,
               d1k, 1);
        printf("bench tab_strip_insert_40k_vs_10k%s ratio=%.2f ours=%.0f baseline=%.0f n=%d\n", pszKind, d40k / d10k,
               d40k, d10k, 1);
        fflush(stdout);
    }
    frame.DestroyWindow();
    return 0;
}
