// Laying out and painting a tab strip of 1,000 tabs, scrolled a step each round, against the same
// number of plain DrawText calls into a memory DC with the same (bold) font. "full" re-measures
// every text (a font change); "cached" only lays out again (a scroll or a selection change), and
// its line also reports the time of one relayout.
#include "BenchClock.h"
#include "windows/CustomTabCtrl.h"

#include <cstdio>

namespace
{
const int kTabs = 1000;
const int kRounds = 40;

}  // namespace

int main()
{
    CWnd frame;
    frame.CreateEx(0, nullptr, "bench", WS_OVERLAPPEDWINDOW, 0, 0, 1100, 200, nullptr, nullptr);
    CCustomTabCtrl tabs;
    tabs.Create(WS_CHILD | WS_VISIBLE | CTCS_AUTOHIDEBUTTONS | CTCS_FOURBUTTONS | CTCS_CLOSEBUTTON,
                CRect(0, 0, 1000, 22), &frame, 1);
    tabs.SetRedraw(FALSE);
    for (int i = 0; i < kTabs; ++i)
    {
        char text[32];
        snprintf(text, sizeof(text), "Chart SYM%04d", i);
        tabs.InsertItem(i, text, i);
    }
    tabs.SetRedraw(TRUE);
    tabs.SetCurSel(0);

    CClientDC screen(&tabs);
    CDC mem;
    mem.CreateCompatibleDC(&screen);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&screen, 1000, 22);
    CBitmap* pOld = mem.SelectObject(&bmp);
    LOGFONT lf = CCustomTabCtrl::GetDefaultFont();

    auto paint = [&] { tabs.SendMessage(WM_PRINTCLIENT, (WPARAM)mem.m_hDC, PRF_CLIENT); };

    // Ours, full: every text measured again, laid out, scrolled a step, painted.
    paint();
    double t0 = BenchNow();
    for (int r = 0; r < kRounds; ++r)
    {
        tabs.SetControlFont(lf, FALSE);
        tabs.SetCurSel((r * 37) % kTabs);
        paint();
    }
    const double full = BenchNow() - t0;

    // Ours, cached widths: the selection moves (and the strip scrolls to it), laid out, painted.
    t0 = BenchNow();
    for (int r = 0; r < kRounds; ++r)
    {
        tabs.SetCurSel((r * 37 + 11) % kTabs);
        paint();
    }
    const double cached = BenchNow() - t0;

    // Layout alone, the cost of one relayout.
    t0 = BenchNow();
    for (int r = 0; r < kRounds; ++r)
        tabs.SetCurSel((r * 53 + 5) % kTabs);
    const double relayout = BenchNow() - t0;

    // Baseline: one DrawText a tab into the memory DC in the bold font.
    CFont* pOldFont = mem.SelectObject(&tabs.m_FontSelected);
    t0 = BenchNow();
    for (int r = 0; r < kRounds; ++r)
    {
        for (int i = 0; i < kTabs; ++i)
        {
            char text[32];
            const int n = snprintf(text, sizeof(text), "Chart SYM%04d", i);
            CRect rc(0, 0, 200, 22);
            mem.DrawText(text, n, &rc, DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER);
        }
    }
    const double baseline = BenchNow() - t0;
    mem.SelectObject(pOldFont);
    mem.SelectObject(pOld);

    BenchReport("tab_strip_full_layout_paint", full, baseline, kTabs * kRounds);
    BenchReport("tab_strip_cached_layout_paint", cached, baseline, kTabs * kRounds);
    printf("bench tab_strip relayout of %d tabs: %.1f us each (layout and paint with cached widths: %.1f us; "
           "with every text measured again: %.1f us)\n",
           kTabs, relayout / kRounds / 1000.0, cached / kRounds / 1000.0, full / kRounds / 1000.0);
    tabs.DestroyWindow();
    frame.DestroyWindow();
    return 0;
}
