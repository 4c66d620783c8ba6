// Loading and unloading of Controls.dll: the library registers itself as an extension module so
// that its dialog templates and bitmaps are found along the resource chain after the host's own.
#include <afxwin.h>
#include <CommonListCtrl.h>

static AFX_EXTENSION_MODULE ControlsDLL = { FALSE, nullptr, nullptr };

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
        CCommonListCtrl::DestroyHeaderImageList();
        AfxTermExtensionModule(ControlsDLL);
    }
    return TRUE;
}
