// Loading and unloading of Controls.dll: the library registers itself as an extension module so
// that its dialog templates and bitmaps are found along the resource chain after the host's own.
#include "host/ControlsModule.h"

#include <vector>

static AFX_EXTENSION_MODULE ControlsDLL = { FALSE, nullptr, nullptr };

static std::vector<PFN_LIBRARY_UNLOAD>& UnloadActions()
{
    static std::vector<PFN_LIBRARY_UNLOAD> actions;
    return actions;
}

void AddLibraryUnloadAction(PFN_LIBRARY_UNLOAD pfnAction)
{
    if (pfnAction != nullptr)
        UnloadActions().push_back(pfnAction);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH)
    {
        if (!AfxInitExtensionModule(ControlsDLL, hInstance))
            return FALSE;
        new CDynLinkLibrary(ControlsDLL);   // owned by the resource chain, deleted at termination
    }
    else if (dwReason == DLL_PROCESS_DETACH)
    {
        std::vector<PFN_LIBRARY_UNLOAD>& actions = UnloadActions();
        for (auto it = actions.rbegin(); it != actions.rend(); ++it)
            (*it)();
        actions.clear();
        AfxTermExtensionModule(ControlsDLL);
    }
    return TRUE;
}
