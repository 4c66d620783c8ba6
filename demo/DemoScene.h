// The sample host's scenes. Each feature of the library that the sample terminal shows lives in
// its own source file and registers one scene; the host runs them in order. Headless, a scene
// plays its scripted session (typing, clicking, choosing menu items through the modal script) and
// captures pictures of its windows; interactive, it only builds its windows and leaves them open.
#pragma once

#include <afxwin.h>
#include <functional>
#include <vector>

class CListCtrl;

// A scene's window docked as a page of the interactive terminal's lower half: the terminal shows
// one page at a time under its tab strip, and writes each page's state to its log when it changes.
struct CDemoPage
{
    CString csCaption;                 // the tab's text
    HWND hWnd = nullptr;               // a child of the terminal's window
    std::function<CString()> state;    // what the trader sees of the page, for the log
    CString csLogged;                  // the state last written
};

class CDemoContext
{
public:
    CWnd* m_pMainWnd = nullptr;     // the terminal's top-level window
    CString m_csOutputDir;          // where pictures and exported files go (ends without a slash)
    bool m_bHeadless = true;
    CRecordingModalScript* m_pScript = nullptr;   // answers modal UI when headless
    // Interactive, set while the terminal builds a scene it docks: the scene's window becomes a
    // hidden child of this window, as the page m_csDockCaption, instead of a window of its own.
    CWnd* m_pDockParent = nullptr;
    CString m_csDockCaption;
    std::vector<CDemoPage> m_pages;

    // Creates a scene's window: a top-level tool window at rcFloating, owned by the terminal, or
    // the page being docked (dwStyle's frame bits are dropped then).
    BOOL CreateSceneWindow(CWnd& wnd, LPCTSTR lpszTitle, DWORD dwStyle, const CRect& rcFloating);
    // The state the terminal logs for the page just docked; nothing when the scene is not docked.
    void SetPageState(std::function<CString()> state);

    // Writes a PNG picture of the window and its children to <output>/<name>.png.
    bool Capture(CWnd* pWnd, LPCTSTR lpszName) const;
    // A path inside the output folder.
    CString OutputPath(LPCTSTR lpszFileName) const;
    // Dispatches pending messages (timers are not waited for).
    void Pump() const;
    // Prints a line to the console and the host's log.
    void Print(LPCTSTR lpszFormat, ...) const;
};

// A list as the trader sees it, for the interactive terminal's log: "list at X,Y; columns A, B;
// widths 1, 2; rows N; line 0 at y Y height H; first row a | b" (the list's client origin on the
// screen, the header in display order, the first row's texts in that order).
CString DemoListState(CListCtrl& list);

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
