// The terminal's brick bar: a strip under the market watch showing Bid, Ask, Last and Volume of
// the selected instrument, updated with every tick of the quote stream. The scripted session
// drags the first bar so that the Bid brick is 290 pixels wide, recolours the Last brick and
// gives the Bid brick another font through the bricks' context menu, then closes the bar (which
// saves it) and builds it again, as a restart of the terminal would: widths, colours and fonts
// come back from the settings file.
#include "DemoHost.h"
#include "DemoScene.h"

#include "market/MrktWatchListCtrl.h"
#include "windows/HolderView.h"
#include "windows/VXBrickBar.h"

#include <algorithm>
#include <cstring>
#include <functional>

// The terminal's quote stream (DemoTerminal.cpp).
void DemoTerminalFeedTick();

namespace
{
const int kBarHeight = 44;
// The terminal's field ids shown, in brick order.
const int kFields[] = { 4 /* Bid */, 5 /* Ask */, 2 /* Last */, 6 /* Volume */ };
const char* const kCaptions[] = { "Bid", "Ask", "Last", "Volume" };
HWND g_hBar = nullptr;   // the terminal's live bar, for the interactive terminal's layout and ticks

CMrktWatchListCtrl* FindMarketWatch(CWnd* pMain, HWND& hPane)
{
    hPane = ::FindWindowExA(pMain->m_hWnd, nullptr, nullptr, "Market Watch");
    CWnd* pList = CWnd::FromHandlePermanent(::GetDlgItem(hPane, 200));
    return pList != nullptr ? DYNAMIC_DOWNCAST(CMrktWatchListCtrl, pList) : nullptr;
}

CVXBrickBar* MakeBar(CDemoContext& context)
{
    CRect rc;
    context.m_pMainWnd->GetClientRect(&rc);
    CArray<CString, CString> captions;
    for (const char* psz : kCaptions)
        captions.Add(psz);
    auto* pBar = new CVXBrickBar;
    pBar->m_csName = "Terminal";
    pBar->m_bGroupDigits = 1;
    if (!pBar->CreateBrickBars(context.m_pMainWnd, 4, captions, CRect(0, rc.bottom - kBarHeight, rc.right, rc.bottom), TRUE))
    {
        delete pBar;
        return nullptr;
    }
    g_hBar = pBar->m_hWnd;
    return pBar;
}

// The selected instrument's fields into the bricks.
void ShowSelected(CVXBrickBar& bar, CMrktWatchListCtrl& list)
{
    const int nRow = list.GetNextItem(-1, LVNI_SELECTED);
    if (nRow < 0)
        return;
    const sMWStruct* pRow = reinterpret_cast<const sMWStruct*>(list.GetItemData(nRow));
    const int nColumns = list.GetHeaderCtrl()->GetItemCount();
    for (int b = 0; b < 4; ++b)
        for (int c = 0; c < nColumns; ++c)
            if (list.ColumnIdAt(c) == kFields[b])
                bar.SetText(b, list.GetCellText(pRow, c), 0);
}

void Stream(CVXBrickBar& bar, CMrktWatchListCtrl& list, CDemoContext& context, int nTicks)
{
    for (int t = 0; t < nTicks; ++t)
    {
        DemoTerminalFeedTick();
        ShowSelected(bar, list);
        context.Pump();
    }
}

// A right click on the brick, the menu item and the dialog answered by the script.
void UseMenu(CVXBrickBar& bar, int nBrick, UINT nCommand, std::function<INT_PTR(CCommonDialog*)> answer,
             CDemoContext& context)
{
    CWnd* pView = bar.GetSplitterWnd()->GetPane(0, nBrick);
    CRect rc;
    pView->GetWindowRect(&rc);
    context.m_pScript->m_menuAnswers.push_back(nCommand);
    context.m_pScript->m_commonAnswers.push_back(answer);
    pView->SendMessage(WM_CONTEXTMENU, (WPARAM)pView->m_hWnd, MAKELPARAM(rc.CenterPoint().x, rc.CenterPoint().y));
    context.Pump();
}

CString Widths(CVXBrickBar& bar)
{
    CString cs;
    for (int i = 0; i < bar.GetPaneCount(); ++i)
    {
        int cxCur = 0, cxMin = 0;
        bar.GetSplitterWnd()->GetColumnInfo(i, cxCur, cxMin);
        CString csOne;
        csOne.Format("%s%d", i ? ", " : "", cxCur);
        cs += csOne;
    }
    return cs;
}
CVXBrickBar* LiveBar()
{
    if (g_hBar == nullptr || !::IsWindow(g_hBar))
        return nullptr;
    return DYNAMIC_DOWNCAST(CVXBrickBar, CWnd::FromHandlePermanent(g_hBar));
}
}  // namespace

// The interactive terminal: the market watch takes the top cyMarket pixels of the window (all that
// is above the brick bar when cyMarket is negative), the brick bar the bottom strip.
void DemoTerminalLayout(CWnd* pMain, int cyMarket)
{
    HWND hPane = nullptr;
    if (FindMarketWatch(pMain, hPane) == nullptr && hPane == nullptr)
        return;
    CRect rc;
    pMain->GetClientRect(&rc);
    CVXBrickBar* pBar = LiveBar();
    const int cyBar = pBar != nullptr ? kBarHeight : 0;
    const int cyAbove = std::max(0, (int)rc.Height() - cyBar);
    ::MoveWindow(hPane, 0, 0, rc.Width(), cyMarket < 0 ? cyAbove : std::min(cyMarket, cyAbove), TRUE);
    if (pBar != nullptr)
        pBar->MoveWindow(0, rc.bottom - cyBar, rc.Width(), cyBar);
}

// The height the brick bar takes at the bottom of the terminal (0 without one).
int DemoBricksHeight()
{
    return LiveBar() != nullptr ? kBarHeight : 0;
}

// One tick of the interactive terminal's quote stream; the bricks follow the selected row.
void DemoTerminalTick(CWnd* pMain)
{
    DemoTerminalFeedTick();
    HWND hPane = nullptr;
    CMrktWatchListCtrl* pList = FindMarketWatch(pMain, hPane);
    CVXBrickBar* pBar = LiveBar();
    if (pList != nullptr && pBar != nullptr)
        ShowSelected(*pBar, *pList);
}

// The bricks' widths and the Last brick's colour, for the interactive terminal's log.
CString DemoBricksState()
{
    CVXBrickBar* pBar = LiveBar();
    if (pBar == nullptr)
        return CString();
    CString cs;
    CHolderView* pLast = DYNAMIC_DOWNCAST(CHolderView, pBar->GetSplitterWnd()->GetPane(0, 2));
    cs.Format("bricks %s; Last colour %06lX", (LPCTSTR)Widths(*pBar),
              pLast != nullptr ? (unsigned long)pLast->GetTitleColor() : 0ul);
    return cs;
}

DEMO_SCENE(TerminalBricks, 2)
{
    HWND hPane = nullptr;
    CMrktWatchListCtrl* pList = FindMarketWatch(context.m_pMainWnd, hPane);
    if (pList == nullptr)
    {
        context.Print("bricks: no market watch to follow");
        return;
    }
    CRect rc;
    context.m_pMainWnd->GetClientRect(&rc);
    ::MoveWindow(hPane, 0, 0, rc.Width(), rc.Height() - kBarHeight, TRUE);
    pList->SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    pList->EnsureVisible(0, FALSE);

    // The scripted session starts as a terminal that never had the bar (the settings file keeps
    // what the last run's trader left); the interactive terminal comes back as it was left.
    if (context.m_bHeadless)
        ::WritePrivateProfileStringA(BRICK_BAR_SECTION "Terminal", nullptr, nullptr, DemoHost::SettingsFile());
    CVXBrickBar* pBar = MakeBar(context);
    if (pBar == nullptr)
    {
        context.Print("bricks: could not create the brick bar");
        return;
    }
    ShowSelected(*pBar, *pList);
    if (!context.m_bHeadless)
        return;

    CString csFirst, csLine;
    pBar->GetTextWithCaption(2, csFirst);
    Stream(*pBar, *pList, context, 20);
    pBar->GetTextWithCaption(2, csLine);
    context.Print("bricks: streaming, widths %s, Last brick went from \"%s\" to \"%s\"", (LPCTSTR)Widths(*pBar),
                  (LPCTSTR)csFirst, (LPCTSTR)csLine);
    context.Capture(context.m_pMainWnd, "terminal_bricks_streaming");

    // The trader drags the first bar so that Bid is 290 pixels wide (the Volume brick, which takes
    // what is left, still holds a seven-digit volume), recolours Last and gives Bid a bold italic
    // font.
    CSplitterWnd* pSplitter = pBar->GetSplitterWnd();
    int cxBid = 0, cxMin = 0;
    pSplitter->GetColumnInfo(0, cxBid, cxMin);
    const CPoint ptFrom = pSplitter->GetBarRect(0).CenterPoint();
    const CPoint ptTo(ptFrom.x + 290 - cxBid, ptFrom.y);
    pSplitter->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptFrom.x, ptFrom.y));
    pSplitter->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptTo.x, ptTo.y));
    pSplitter->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptTo.x, ptTo.y));
    UseMenu(*pBar, 2, ID_BRICK_SET_COLOR, [](CCommonDialog* pDlg) {
        static_cast<CColorDialog*>(pDlg)->m_cc.rgbResult = RGB(0, 0, 170);
        return (INT_PTR)IDOK;
    }, context);
    UseMenu(*pBar, 0, ID_BRICK_SET_FONT, [](CCommonDialog* pDlg) {
        LOGFONT& lf = static_cast<CFontDialog*>(pDlg)->m_lf;
        lf.lfHeight = -17;
        lf.lfWeight = FW_BOLD;
        lf.lfItalic = TRUE;
        strcpy(lf.lfFaceName, "Tahoma");
        return (INT_PTR)IDOK;
    }, context);
    Stream(*pBar, *pList, context, 5);
    const CString csBefore = Widths(*pBar);
    context.Print("bricks: after the trader's changes, widths %s", (LPCTSTR)csBefore);
    context.Capture(context.m_pMainWnd, "terminal_bricks_customised");

    // Closing saves; the next bar under the same name reads it back.
    pBar->DestroyWindow();
    pBar = MakeBar(context);
    if (pBar == nullptr)
        return;
    Stream(*pBar, *pList, context, 5);
    const CString csAfter = Widths(*pBar);
    CHolderView* pLast = static_cast<CHolderView*>(pBar->GetSplitterWnd()->GetPane(0, 2));
    context.Print("bricks: after the restart, widths %s (%s), Last colour %06lX", (LPCTSTR)csAfter,
                  csAfter == csBefore ? "as saved" : "DIFFERENT", (unsigned long)pLast->GetTitleColor());
    context.Capture(context.m_pMainWnd, "terminal_bricks_restarted");
}
