// Loading and unloading of Controls.dll. The library's subsystems clean up their library-wide
// objects (image lists, singleton windows) when it unloads; each registers its action here while
// the library loads, so the module code needs to know none of them.
#pragma once

#include <afxwin.h>

typedef void (*PFN_LIBRARY_UNLOAD)();

// Adds an action run when the library unloads; actions run in the reverse order of registration.
CONTROLS_API void AddLibraryUnloadAction(PFN_LIBRARY_UNLOAD pfnAction);
