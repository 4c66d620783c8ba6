// The sample host: a small trading terminal built from the library. Headless (--headless, the
// default under `make demo`) it plays each scene's scripted session, writes pictures of the
// windows and the exported files to the output folder and exits; interactive (--interactive) it
// opens the terminal alone as a trader's screen (the market watch fed by a quote stream, the other
// grids as tabbed pages under a splitter, the brick bar at the bottom), offers the other scenes'
// windows from its "Windows" menu and runs until the terminal is closed; closing it closes every
// window it opened first, so that each one saves its layout, then the terminal and its pages.
#include "DemoHost.h"
#include "DemoScene.h"
#include "WindowPicture.h"

#include "host/ControlBlock.h"
#include "windows/CustomTabCtrl.h"

#include <commctrl.h>
#include <cstdlib>
#include <algorithm>
#include <map>
#include <vector>
#include <cstdarg>
#include <cstdio>
#include <cstring>

std::vector<CDemoSceneInfo>& DemoScenes()
{
    static std::vector<CDemoSceneInfo> scenes;
    return scenes;
}

bool CDemoContext::Capture(CWnd* pWnd, LPCTSTR lpszName) const
{
    Pump();
    CString path = OutputPath(CString(lpszName) + ".png");
    bool ok = WindowPicture::SavePng(pWnd->GetSafeHwnd(), path);
    Print("picture %s: %s", (LPCTSTR)path, ok ? "written" : "FAILED");
    return ok;
}

CString CDemoContext::OutputPath(LPCTSTR lpszFileName) const
{
    return m_csOutputDir + "\\" + lpszFileName;
}

void CDemoContext::Pump() const
{
    AfxPumpPendingMessages();
}

void CDemoContext::Print(LPCTSTR lpszFormat, ...) const
{
    char buffer[2048];
    va_list args;
    va_start(args, lpszFormat);
    vsnprintf(buffer, sizeof(buffer), lpszFormat, args);
    va_end(args);
    printf("demo: %s\n", buffer);
    fflush(stdout);
    CControlBlock::Get()->Log(buffer);
}

BOOL CDemoContext::CreateSceneWindow(CWnd& wnd, LPCTSTR lpszTitle, DWORD dwStyle, const CRect& rcFloating)
{
    if (m_pDockParent == nullptr)
        return wnd.CreateEx(WS_EX_TOOLWINDOW, nullptr, lpszTitle, dwStyle, rcFloating.left, rcFloating.top,
                            rcFloating.Width(), rcFloating.Height(), m_pMainWnd->m_hWnd, nullptr);
    // A page: no frame of its own, hidden until its tab is chosen.
    if (!wnd.CreateEx(0, nullptr, lpszTitle, WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, rcFloating.Width(),
                      rcFloating.Height(), m_pDockParent->m_hWnd, nullptr))
        return FALSE;
    CDemoPage page;
    page.csCaption = m_csDockCaption;
    page.hWnd = wnd.m_hWnd;
    m_pages.push_back(page);
    return TRUE;
}

void CDemoContext::SetPageState(std::function<CString()> state)
{
    if (m_pDockParent != nullptr && !m_pages.empty())
        m_pages.back().state = std::move(state);
}

CString DemoListState(CListCtrl& list)
{
    if (list.GetSafeHwnd() == nullptr)
        return CString();
    CHeaderCtrl* pHeader = list.GetHeaderCtrl();
    const int n = pHeader != nullptr ? pHeader->GetItemCount() : 0;
    std::vector<int> order((size_t)(n > 0 ? n : 1));
    if (n > 0)
        list.GetColumnOrderArray(order.data(), n);
    const int nRows = list.GetItemCount();
    CString csColumns, csWidths, csFirst;
    for (int i = 0; i < n; ++i)
    {
        char sz[80] = "";
        HDITEMA item = {};
        item.mask = HDI_TEXT;
        item.pszText = sz;
        item.cchTextMax = sizeof(sz);
        pHeader->GetItem(order[(size_t)i], &item);
        CString csWidth;
        csWidth.Format("%d", list.GetColumnWidth(order[(size_t)i]));
        const CString csSep = i ? ", " : "";
        csColumns += csSep + sz;
        csWidths += csSep + csWidth;
        if (nRows > 0)
            csFirst += (i ? " | " : "") + list.CListCtrl::GetItemText(0, order[(size_t)i]);
    }
    CPoint ptClient(0, 0);
    list.ClientToScreen(&ptClient);
    CRect rcLine(0, -1, 0, -1);
    if (nRows > 0)
        list.GetItemRect(0, &rcLine, LVIR_BOUNDS);
    CString cs;
    cs.Format("list at %d,%d; columns %s; widths %s; rows %d; line 0 at y %d height %d; first row %s",
              (int)ptClient.x, (int)ptClient.y, (LPCTSTR)csColumns, (LPCTSTR)csWidths, nRows, (int)rcLine.top,
              rcLine.Height(), (LPCTSTR)csFirst);
    return cs;
}

// The terminal's own windows (DemoTerminal.cpp, DemoBrickBar.cpp).
void DemoTerminalLayout(CWnd* pMain, int cyMarket);
int DemoBricksHeight();
void DemoTerminalTick(CWnd* pMain);
CString DemoTerminalState();
CString DemoTerminalDialogState();
CString DemoBricksState();

namespace
{
// Interactive, the terminal's "Windows" menu opens each scene's windows.
const UINT ID_SCENE_FIRST = 40000;
const UINT_PTR ID_FEED_TIMER = 1;
const UINT IDC_PAGE_TABS = 500;
// Scenes up to this order build the terminal itself; the others are reached from its menu.
const int kTerminalSceneLast = 2;
// The scenes docked as pages under the market watch, in tab order.
const struct
{
    const char* pszScene;
    const char* pszCaption;
} kDockedScenes[] = { { "FilterList", "Filters" }, { "OrderBook", "Orders" }, { "OrderBasket", "Basket" },
                      { "PriceAlerts", "Alerts" } };
// The bar between the market watch and the pages, and the least height either side keeps.
const int kSplitterBar = 5;
const int kMinPane = 60;
CDemoContext* g_pContext = nullptr;

bool IsDocked(const char* pszScene)
{
    for (const auto& docked : kDockedScenes)
        if (strcmp(docked.pszScene, pszScene) == 0)
            return true;
    return false;
}

BOOL CALLBACK CollectTopLevel(HWND hWnd, LPARAM lParam)
{
    auto* pWindows = reinterpret_cast<std::vector<HWND>*>(lParam);
    if (::IsWindowVisible(hWnd) && ::GetParent(hWnd) == nullptr)
        pWindows->push_back(hWnd);
    return TRUE;
}

// The text of the tooltip window the platform shows at the moment, if any.
BOOL CALLBACK FindShownTooltip(HWND hWnd, LPARAM lParam)
{
    char szClass[64] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (_stricmp(szClass, TOOLTIPS_CLASSA) != 0 || !::IsWindowVisible(hWnd))
        return TRUE;
    char szText[256] = "";
    ::SendMessageA(hWnd, WM_GETTEXT, sizeof(szText), (LPARAM)szText);
    if (szText[0] == '\0')
        return TRUE;
    *reinterpret_cast<CString*>(lParam) = szText;
    return FALSE;
}

int ReadTerminalSetting(LPCTSTR lpszKey, int nDefault)
{
    CString csValue;
    if (!CControlBlock::Get()->CallUserSetting(0, "Terminal", csValue, lpszKey) || csValue.IsEmpty())
        return nDefault;
    char* pEnd = nullptr;
    const long n = strtol(csValue, &pEnd, 10);
    return pEnd != nullptr && *pEnd == '\0' && n >= 0 && n < 100000 ? (int)n : nDefault;
}

void WriteTerminalSetting(LPCTSTR lpszKey, int nValue)
{
    CString csValue;
    csValue.Format("%d", nValue);
    if (!CControlBlock::Get()->CallUserSetting(1, "Terminal", csValue, lpszKey) && g_pContext != nullptr)
        g_pContext->Print("terminal: could not save %s", lpszKey);
}

// The terminal's window: the market watch at the top, the docked pages under a splitter bar with
// their tab strip above them, the brick bar at the bottom.
class CMainFrame : public CWnd
{
public:
    CString m_csLastState;
    CString m_csLastTip;
    CString m_csLastDialog;
    CCustomTabCtrl m_tabs;
    int m_nSplit = -1;        // the market watch's height; -1 until the pages are docked
    int m_nPage = 0;
    CRect m_rcSplitter;
    bool m_bSplitting = false;
    int m_nGrab = 0;          // where the bar was taken, from its top

    std::vector<CDemoPage>& Pages() { return g_pContext->m_pages; }

    // Docks the pages the scenes made: the tab strip, the saved splitter and page, then the layout.
    void DockPages()
    {
        if (g_pContext == nullptr || Pages().empty())
            return;
        if (!m_tabs.Create(WS_CHILD | WS_VISIBLE | CTCS_TOP | CTCS_AUTOHIDEBUTTONS | CTCS_TOOLTIPS, CRect(0, 0, 100, 22),
                           this, IDC_PAGE_TABS))
        {
            g_pContext->Print("terminal: could not create the page tabs");
            return;
        }
        for (size_t i = 0; i < Pages().size(); ++i)
            m_tabs.InsertItem((int)i, Pages()[i].csCaption, (LPARAM)i);
        CRect rc;
        GetClientRect(&rc);
        // A saved state that does not fit this window is brought inside it by the layout.
        m_nSplit = ReadTerminalSetting("Splitter", (rc.Height() - DemoBricksHeight()) * 11 / 20);
        m_nPage = ReadTerminalSetting("Page", 0);
        if (m_nPage >= (int)Pages().size())
            m_nPage = 0;
        Layout();
        ShowPage(m_nPage);
    }

    void Layout()
    {
        if (m_tabs.GetSafeHwnd() == nullptr)
        {
            DemoTerminalLayout(this, -1);
            return;
        }
        CRect rc;
        GetClientRect(&rc);
        const int nBottom = rc.bottom - DemoBricksHeight();
        const int nMost = nBottom - kSplitterBar - kMinPane;
        m_nSplit = std::max(kMinPane, std::min(m_nSplit, nMost));
        if (nMost < kMinPane)
            m_nSplit = std::max(0, nMost);
        DemoTerminalLayout(this, m_nSplit);
        m_rcSplitter.SetRect(0, m_nSplit, rc.right, m_nSplit + kSplitterBar);
        AFX_SIZEPARENTPARAMS params = {};
        params.rect = CRect(0, m_rcSplitter.bottom, rc.right, std::max((int)m_rcSplitter.bottom, nBottom));
        m_tabs.SendMessage(WM_SIZEPARENT, 0, (LPARAM)&params);
        const CRect rcPage(params.rect);
        for (CDemoPage& page : Pages())
        {
            if (!::IsWindow(page.hWnd))
                continue;
            ::MoveWindow(page.hWnd, rcPage.left, rcPage.top, rcPage.Width(), rcPage.Height(), TRUE);
            // A page holds one grid that fills it.
            if (HWND hGrid = ::GetWindow(page.hWnd, GW_CHILD))
                ::MoveWindow(hGrid, 0, 0, rcPage.Width(), rcPage.Height(), TRUE);
        }
        InvalidateRect(&m_rcSplitter);
    }

    void ShowPage(int nPage)
    {
        if (nPage < 0 || nPage >= (int)Pages().size())
            return;
        m_nPage = nPage;
        if (m_tabs.GetCurSel() != nPage)
            m_tabs.SetCurSel(nPage);
        for (size_t i = 0; i < Pages().size(); ++i)
            if (::IsWindow(Pages()[i].hWnd))
                ::ShowWindow(Pages()[i].hWnd, (int)i == nPage ? SW_SHOW : SW_HIDE);
    }

    // "splitter S; page P; tabs A x,y, B x,y" (client coordinates of the tabs' centres).
    CString DockState()
    {
        if (m_tabs.GetSafeHwnd() == nullptr)
            return "no pages";
        CString cs;
        cs.Format("splitter %d; page %s; tabs", m_nSplit, (LPCTSTR)Pages()[(size_t)m_nPage].csCaption);
        CRect rcStrip;
        m_tabs.GetWindowRect(&rcStrip);
        ScreenToClient(&rcStrip);
        for (int i = 0; i < m_tabs.GetItemCount(); ++i)
        {
            CRect rcTab;
            CString csText;
            m_tabs.GetItemRect(i, rcTab);
            m_tabs.GetItemText(i, csText);
            CString csOne;
            csOne.Format("%s %s %d,%d", i ? "," : "", (LPCTSTR)csText, (int)(rcStrip.left + rcTab.CenterPoint().x),
                         (int)(rcStrip.top + rcTab.CenterPoint().y));
            cs += csOne;
        }
        return cs;
    }

    afx_msg void OnDestroy()
    {
        ::KillTimer(m_hWnd, ID_FEED_TIMER);
        if (m_tabs.GetSafeHwnd() != nullptr)
        {
            WriteTerminalSetting("Splitter", m_nSplit);
            WriteTerminalSetting("Page", m_nPage);
        }
        ::PostQuitMessage(0);
    }
    afx_msg void OnSize(UINT, int, int)
    {
        Layout();
    }
    // The quote stream, and a log line whenever the trader changed what the terminal shows.
    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        if (nIDEvent != ID_FEED_TIMER || g_pContext == nullptr)
            return;
        DemoTerminalTick(this);
        CPoint ptClient(0, 0);
        ClientToScreen(&ptClient);
        CRect rcClient;
        GetClientRect(&rcClient);
        CString csState;
        csState.Format("client at %d,%d size %dx%d; %s; %s; %s", (int)ptClient.x, (int)ptClient.y, rcClient.Width(),
                       rcClient.Height(), (LPCTSTR)DemoTerminalState(), (LPCTSTR)DemoBricksState(),
                       (LPCTSTR)DockState());
        if (csState != m_csLastState)
            g_pContext->Print("terminal: %s", (LPCTSTR)csState);
        m_csLastState = csState;
        for (CDemoPage& page : Pages())
        {
            if (!page.state || !::IsWindow(page.hWnd))
                continue;
            const CString csPage = page.state();
            if (csPage != page.csLogged)
                g_pContext->Print("page %s: %s", (LPCTSTR)page.csCaption, (LPCTSTR)csPage);
            page.csLogged = csPage;
        }
        const CString csDialog = DemoTerminalDialogState();
        if (csDialog != m_csLastDialog)
            g_pContext->Print("terminal: %s", csDialog.IsEmpty() ? "formula dialog closed" : (LPCTSTR)csDialog);
        m_csLastDialog = csDialog;
        CString csTip;
        ::EnumThreadWindows(::GetCurrentThreadId(), &FindShownTooltip, (LPARAM)&csTip);
        if (!csTip.IsEmpty() && csTip != m_csLastTip)
            g_pContext->Print("terminal: tooltip shown \"%s\"", (LPCTSTR)csTip);
        m_csLastTip = csTip;
    }
    // Every other window the terminal opened closes first, saving its layout, then the terminal
    // with its pages.
    afx_msg void OnClose()
    {
        std::vector<HWND> windows;
        ::EnumThreadWindows(::GetCurrentThreadId(), &CollectTopLevel, (LPARAM)&windows);
        int nClosed = 0;
        for (HWND hWnd : windows)
        {
            if (hWnd != m_hWnd && ::IsWindow(hWnd))
            {
                ::DestroyWindow(hWnd);
                ++nClosed;
            }
        }
        if (g_pContext != nullptr)
            g_pContext->Print("terminal: closing, %d other windows closed first", nClosed);
        DestroyWindow();
    }
    // void OnScene(UINT nID)
    // A scene's windows are built once: choosing it again brings back the ones still open.
    afx_msg void OnScene(UINT nID)
    {
        const size_t nScene = nID - ID_SCENE_FIRST;
        if (g_pContext == nullptr || nScene >= DemoScenes().size())
            return;
        std::vector<HWND>& opened = m_sceneWindows[nScene];
        bool bShown = false;
        for (HWND hWnd : opened)
        {
            if (::IsWindow(hWnd))
            {
                ::ShowWindow(hWnd, SW_SHOWNORMAL);
                ::SetForegroundWindow(hWnd);
                bShown = true;
            }
        }
        if (bShown)
            return;
        std::vector<HWND> before;
        ::EnumThreadWindows(::GetCurrentThreadId(), &CollectTopLevel, (LPARAM)&before);
        DemoScenes()[nScene].run(*g_pContext);
        std::vector<HWND> after;
        ::EnumThreadWindows(::GetCurrentThreadId(), &CollectTopLevel, (LPARAM)&after);
        opened.clear();
        for (HWND hWnd : after)
            if (std::find(before.begin(), before.end(), hWnd) == before.end())
                opened.push_back(hWnd);
    }
    std::map<size_t, std::vector<HWND>> m_sceneWindows;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (wParam != IDC_PAGE_TABS)
            return CWnd::OnNotify(wParam, lParam, pResult);
        *pResult = 0;
        if ((int)reinterpret_cast<const NMHDR*>(lParam)->code == CTCN_CLICK)
            ShowPage(m_tabs.GetCurSel());
        return TRUE;
    }
    // The splitter bar: the mouse is captured from the press to the release, and the market watch
    // and the pages follow it as it moves.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message)
        {
        case WM_SETCURSOR:
        {
            CPoint pt;
            ::GetCursorPos(&pt);
            ScreenToClient(&pt);
            if ((HWND)wParam == m_hWnd && LOWORD(lParam) == HTCLIENT && (m_bSplitting || m_rcSplitter.PtInRect(pt)))
            {
                ::SetCursor(::LoadCursorA(nullptr, (LPCSTR)IDC_SIZENS));
                return TRUE;
            }
            break;
        }
        case WM_LBUTTONDOWN:
        {
            const CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
            if (m_tabs.GetSafeHwnd() != nullptr && m_rcSplitter.PtInRect(pt))
            {
                m_bSplitting = true;
                m_nGrab = pt.y - m_rcSplitter.top;
                SetCapture();
                return 0;
            }
            break;
        }
        case WM_MOUSEMOVE:
            if (m_bSplitting)
            {
                m_nSplit = (short)HIWORD(lParam) - m_nGrab;
                Layout();
                UpdateWindow();
                return 0;
            }
            break;
        case WM_LBUTTONUP:
            if (m_bSplitting)
            {
                m_bSplitting = false;
                ::ReleaseCapture();
                return 0;
            }
            break;
        case WM_CAPTURECHANGED:
            m_bSplitting = false;
            break;
        default:
            break;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMainFrame, CWnd)
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_TIMER()
    ON_WM_CLOSE()
    ON_COMMAND_RANGE(ID_SCENE_FIRST, ID_SCENE_FIRST + 99, OnScene)
END_MESSAGE_MAP()
}  // namespace

int main(int argc, char** argv)
{
    bool headless = true;
    CString outputDir = ".";
    for (int i = 1; i < argc; ++i)
    {
        CString arg = argv[i];
        if (arg == "--interactive")
            headless = false;
        else if (arg == "--headless")
            headless = true;
        else if (arg == "--out" && i + 1 < argc)
            outputDir = argv[++i];
    }
    ::CreateDirectoryA(outputDir, nullptr);
    DemoHost::Initialise(outputDir);

    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_DATE_CLASSES };
    ::InitCommonControlsEx(&icc);

    CRecordingModalScript script;
    if (headless)
        AfxSetModalScript(&script);

    CDemoContext context;
    context.m_csOutputDir = outputDir;
    context.m_bHeadless = headless;
    context.m_pScript = headless ? &script : nullptr;

    HMODULE hControls = ::GetModuleHandleA("Controls.dll");
    context.Print("Controls.dll %s; host callbacks %s", hControls ? "loaded" : "NOT loaded",
                  CControlBlock::Get()->UserSetting ? "found" : "missing");
#ifdef NDEBUG
    context.Print("build: Release (timings below are the optimized library's)");
#else
    context.Print("build: Debug (the library checks its own state as it goes; the 100,000-row filter list fill "
                  "measures about 1.1-1.2x the Release build's, bench/win/FilterFillBench.cpp)");
#endif

    CMainFrame frame;
    if (!frame.CreateEx(0, nullptr, "Controls Demo - simulated terminal", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                        1000, 700, nullptr, nullptr))
    {
        context.Print("could not create the main window");
        return 1;
    }
    AfxSetMainWnd(&frame);
    context.m_pMainWnd = &frame;

    auto& scenes = DemoScenes();
    std::stable_sort(scenes.begin(), scenes.end(),
                     [](const CDemoSceneInfo& a, const CDemoSceneInfo& b) { return a.order < b.order; });
    for (const CDemoSceneInfo& scene : scenes)
    {
        if (!headless && scene.order > kTerminalSceneLast)
            continue;   // docked or in the "Windows" menu
        context.Print("scene %s", scene.name);
        scene.run(context);
        context.Pump();
    }
    context.Capture(&frame, "terminal");
    g_pContext = &context;
    if (!headless)
    {
        // The order entry and the other windows, reachable from the terminal.
        HMENU hBar = ::CreateMenu();
        HMENU hWindows = ::CreatePopupMenu();
        CString csItems;
        for (size_t i = 0; i < scenes.size() && i < 100; ++i)
        {
            if (scenes[i].order > kTerminalSceneLast && !IsDocked(scenes[i].name))
            {
                ::AppendMenuA(hWindows, MF_STRING, ID_SCENE_FIRST + i, scenes[i].name);
                csItems += (csItems.IsEmpty() ? "" : ", ") + CString(scenes[i].name);
            }
        }
        context.Print("terminal: Windows menu: %s", (LPCTSTR)csItems);
        ::AppendMenuA(hBar, MF_POPUP, (UINT_PTR)hWindows, "&Windows");
        ::SetMenu(frame.m_hWnd, hBar);
        // The other grids: pages under the market watch, in tab order.
        context.m_pDockParent = &frame;
        for (const auto& docked : kDockedScenes)
        {
            for (const CDemoSceneInfo& scene : scenes)
            {
                if (strcmp(scene.name, docked.pszScene) != 0)
                    continue;
                context.m_csDockCaption = docked.pszCaption;
                const size_t nPages = context.m_pages.size();
                context.Print("scene %s (page %s)", scene.name, docked.pszCaption);
                scene.run(context);
                if (context.m_pages.size() == nPages)
                    context.Print("terminal: the scene %s made no page", scene.name);
            }
        }
        context.m_pDockParent = nullptr;
        frame.DockPages();
        frame.SetTimer(ID_FEED_TIMER, 500, nullptr);
        // Where the client area is on the screen, for a script that drives the terminal with real input.
        CPoint ptClient(0, 0);
        frame.ClientToScreen(&ptClient);
        context.Print("terminal: ready for the trader, client area at %d,%d", (int)ptClient.x, (int)ptClient.y);
    }

    int exitCode = 0;
    if (headless)
    {
        for (const CModalRecord& r : script.m_records)
            context.Print("modal %s: %s", (LPCTSTR)r.kind, (LPCTSTR)r.text);
        frame.DestroyWindow();
    }
    else
    {
        while (AfxPumpMessage())
        {
        }
    }
    context.Print("output in %s", (LPCTSTR)outputDir);
    AfxSetMainWnd(nullptr);
    AfxSetModalScript(nullptr);
    DemoHost::Shutdown();
    return exitCode;
}
