// The sample host's scenes. Each feature of the library that the sample terminal shows lives in
// its own source file and registers one scene; the host runs them in order. Headless, a scene
// plays its scripted session (typing, clicking, choosing menu items through the modal script) and
// captures pictures of its windows; interactive, it only builds its windows and leaves them open.
#pragma once

#include <afxwin.h>
#include <vector>

class CDemoContext
{
public:
    CWnd* m_pMainWnd = nullptr;     // the terminal's top-level window
    CString m_csOutputDir;          // where pictures and exported files go (ends without a slash)
    bool m_bHeadless = true;
    CRecordingModalScript* m_pScript = nullptr;   // answers modal UI when headless

    // Writes a PNG picture of the window and its children to <output>/<name>.png.
    bool Capture(CWnd* pWnd, LPCTSTR lpszName) const;
    // A path inside the output folder.
    CString OutputPath(LPCTSTR lpszFileName) const;
    // Dispatches pending messages (timers are not waited for).
    void Pump() const;
    // Prints a line to the console and the host's log.
    void Print(LPCTSTR lpszFormat, ...) const;
};

// The demo's reproducible numbers: the same seed gives the same sequence on every run.
class CDemoRandom
{
public:
    explicit CDemoRandom(unsigned nSeed) : m_nSeed(nSeed) {}
    // A number in [0, nRange).
    int Next(int nRange)
    {
        m_nSeed = m_nSeed * 1103515245u + 12345u;
        return (int)((m_nSeed >> 8) % (unsigned)nRange);
    }

private:
    unsigned m_nSeed;
};

typedef void (*PFN_DEMO_SCENE)(CDemoContext& context);

struct CDemoSceneInfo
{
    const char* name;
    int order;
    PFN_DEMO_SCENE run;
};

std::vector<CDemoSceneInfo>& DemoScenes();

struct CDemoSceneRegistrar
{
    CDemoSceneRegistrar(const char* name, int order, PFN_DEMO_SCENE run) { DemoScenes().push_back({ name, order, run }); }
};

// Registers a scene: DEMO_SCENE(MarketWatch, 20) { ... uses `context` ... }
#define DEMO_SCENE(name, order) \
    static void DemoScene_##name(CDemoContext& context); \
    static CDemoSceneRegistrar g_demoScene_##name(#name, order, &DemoScene_##name); \
    static void DemoScene_##name(CDemoContext& context)
