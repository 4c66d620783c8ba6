// The sample host: a small trading terminal built from the library. Headless (--headless, the
// default under `make demo`) it plays each scene's scripted session, writes pictures of the
// windows and the exported files to the output folder and exits; interactive (--interactive) it
// builds the same windows and runs until the main window is closed.
#include "DemoHost.h"
#include "DemoScene.h"
#include "WindowPicture.h"

#include "host/ControlBlock.h"
#include <algorithm>
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

namespace
{
// Interactive, the terminal's "Windows" menu opens each scene's windows again.
const UINT ID_SCENE_FIRST = 40000;
CDemoContext* g_pContext = nullptr;

class CMainFrame : public CWnd
{
public:
    afx_msg void OnDestroy()
    {
        ::PostQuitMessage(0);
    }
    // void OnScene(UINT nID)
    afx_msg void OnScene(UINT nID)
    {
        const size_t nScene = nID - ID_SCENE_FIRST;
        if (g_pContext != nullptr && nScene < DemoScenes().size())
            DemoScenes()[nScene].run(*g_pContext);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMainFrame, CWnd)
    ON_WM_DESTROY()
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
        for (size_t i = 0; i < scenes.size() && i < 100; ++i)
        {
            if (strcmp(scenes[i].name, "Terminal") != 0)
                ::AppendMenuA(hWindows, MF_STRING, ID_SCENE_FIRST + i, scenes[i].name);
        }
        ::AppendMenuA(hBar, MF_POPUP, (UINT_PTR)hWindows, "&Windows");
        ::SetMenu(frame.m_hWnd, hBar);
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
