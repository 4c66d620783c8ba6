// The sample host: a small trading terminal built from the library. Headless (--headless, the
// default under `make demo`) it plays each scene's scripted session, writes pictures of the
// windows and the exported files to the output folder and exits; interactive (--interactive) it
// opens the terminal alone (the market watch over its brick bar, fed by a quote stream), offers the
// other scenes' windows from its "Windows" menu and runs until the terminal is closed; closing it
// closes every window it opened first, so that each one saves its layout.
#include "DemoHost.h"
#include "DemoScene.h"
#include "WindowPicture.h"

#include "host/ControlBlock.h"
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

// The terminal's own windows (DemoTerminal.cpp, DemoBrickBar.cpp).
void DemoTerminalLayout(CWnd* pMain);
void DemoTerminalTick(CWnd* pMain);
CString DemoTerminalState();
CString DemoBricksState();

namespace
{
// Interactive, the terminal's "Windows" menu opens each scene's windows.
const UINT ID_SCENE_FIRST = 40000;
const UINT_PTR ID_FEED_TIMER = 1;
// Scenes up to this order build the terminal itself; the others are reached from its menu.
const int kTerminalSceneLast = 2;
CDemoContext* g_pContext = nullptr;

BOOL CALLBACK CollectTopLevel(HWND hWnd, LPARAM lParam)
{
    auto* pWindows = reinterpret_cast<std::vector<HWND>*>(lParam);
    if (::IsWindowVisible(hWnd) && ::GetParent(hWnd) == nullptr)
        pWindows->push_back(hWnd);
    return TRUE;
}

class CMainFrame : public CWnd
{
public:
    CString m_csLastState;

    afx_msg void OnDestroy()
    {
        ::KillTimer(m_hWnd, ID_FEED_TIMER);
        ::PostQuitMessage(0);
    }
    afx_msg void OnSize(UINT, int, int)
    {
        DemoTerminalLayout(this);
    }
    // The quote stream, and a log line whenever the trader changed what the terminal shows.
    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        if (nIDEvent != ID_FEED_TIMER)
            return;
        DemoTerminalTick(this);
        CPoint ptClient(0, 0);
        ClientToScreen(&ptClient);
        CRect rcClient;
        GetClientRect(&rcClient);
        CString csState;
        csState.Format("client at %d,%d size %dx%d; %s; %s", (int)ptClient.x, (int)ptClient.y, rcClient.Width(),
                       rcClient.Height(), (LPCTSTR)DemoTerminalState(), (LPCTSTR)DemoBricksState());
        if (csState != m_csLastState && g_pContext != nullptr)
            g_pContext->Print("terminal: %s", (LPCTSTR)csState);
        m_csLastState = csState;
    }
    // Every other window the terminal opened closes first, saving its layout, then the terminal.
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
            continue;
        context.Print("scene %s", scene.name);
        scene.run(context);
        context.Pump();
    }
    context.Capture(&frame, "terminal");
    g_pContext = &context;
    if (!headless)
    {
        // The order entry, the grids and the other windows, reachable from the terminal.
        HMENU hBar = ::CreateMenu();
        HMENU hWindows = ::CreatePopupMenu();
        CString csItems;
        for (size_t i = 0; i < scenes.size() && i < 100; ++i)
        {
            if (scenes[i].order > kTerminalSceneLast)
            {
                ::AppendMenuA(hWindows, MF_STRING, ID_SCENE_FIRST + i, scenes[i].name);
                csItems += (csItems.IsEmpty() ? "" : ", ") + CString(scenes[i].name);
            }
        }
        context.Print("terminal: Windows menu: %s", (LPCTSTR)csItems);
        ::AppendMenuA(hBar, MF_POPUP, (UINT_PTR)hWindows, "&Windows");
        ::SetMenu(frame.m_hWnd, hBar);
        DemoTerminalLayout(&frame);
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
