// The brick bar's two costs: building a bar (a window per brick, fonts, layout, settings read)
// against creating as many plain static windows, at 50 and at 500 bricks (the cost per brick
// must not grow with the count); and one quote reaching the bricks (SetText with digit grouping
// and the brick repainted) against SetWindowText and a repaint of a static.
#include "BenchClock.h"
#include "windows/VXBrickBar.h"

#include <cstdio>

namespace
{
const int kRounds = 10;
const int kTicks = 2000;

double BuildBars(CWnd& frame, int nBricks)
{
    CArray<CString, CString> captions;
    captions.Add("Bid");
    const double t0 = BenchNow();
    for (int r = 0; r < kRounds; ++r)
    {
        auto* pBar = new CVXBrickBar;
        pBar->m_bSaveOnDestroy = 0;
        pBar->CreateBrickBars(&frame, nBricks, captions, CRect(0, 0, 1000, 40), TRUE);
        pBar->DestroyWindow();   // deletes the bar
    }
    return BenchNow() - t0;
}

double BuildStatics(CWnd& frame, int nWindows)
{
    const double t0 = BenchNow();
    for (int r = 0; r < kRounds; ++r)
    {
        HWND hParent = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 1000, 40, frame.m_hWnd,
                                         nullptr, nullptr, nullptr);
        for (int i = 0; i < nWindows; ++i)
            ::CreateWindowExA(0, "STATIC", "Bid : ", WS_CHILD | WS_VISIBLE, i * 2, 0, 2, 40, hParent, nullptr,
                              nullptr, nullptr);
        ::DestroyWindow(hParent);
    }
    return BenchNow() - t0;
}
}  // namespace

int main()
{
    CWnd frame;
    frame.CreateEx(0, nullptr, "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1100, 200, nullptr, nullptr);

    for (int nBricks : { 50, 500 })
    {
        BuildBars(frame, nBricks);   // warm-up: window classes, fonts
        const double ours = BuildBars(frame, nBricks);
        const double baseline = BuildStatics(frame, nBricks);
        char name[64];
        snprintf(name, sizeof(name), "brick_bar_create_%d", nBricks);
        BenchReport(name, ours, baseline, (long)nBricks * kRounds);
    }

    CArray<CString, CString> captions;
    for (const char* psz : { "Bid", "Ask", "Last", "Volume" })
        captions.Add(psz);
    auto* pBar = new CVXBrickBar;
    pBar->m_bSaveOnDestroy = 0;
    pBar->m_bGroupDigits = 1;
    pBar->CreateBrickBars(&frame, 4, captions, CRect(0, 0, 1000, 40), TRUE);
    CWnd* pView = pBar->GetSplitterWnd()->GetPane(0, 2);
    HWND hStatic = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 50, 250, 40, frame.m_hWnd, nullptr,
                                     nullptr, nullptr);
    char text[32];
    double t0 = BenchNow();
    for (int i = 0; i < kTicks; ++i)
    {
        snprintf(text, sizeof(text), "%d.%02d", 1234567 + i, i % 100);
        pBar->SetText(2, text, 0);
        pView->UpdateWindow();
    }
    const double ours = BenchNow() - t0;
    t0 = BenchNow();
    for (int i = 0; i < kTicks; ++i)
    {
        snprintf(text, sizeof(text), " Last : %d.%02d", 1234567 + i, i % 100);
        ::SetWindowTextA(hStatic, text);
        ::UpdateWindow(hStatic);
    }
    const double baseline = BenchNow() - t0;
    BenchReport("brick_bar_tick", ours, baseline, kTicks);
    pBar->DestroyWindow();
    frame.DestroyWindow();
    return 0;
}
