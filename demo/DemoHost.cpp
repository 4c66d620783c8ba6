// The sample terminal's side of the host interface: every callback the library looks up by name,
// with settings kept in a real INI file in the output folder, so that what the user changed in
// one run is there in the next.
#include "DemoHost.h"

#include <OrvoTools.h>
#include <cstdio>

namespace
{
CString g_csSettingsFile;
FILE* g_pLog = nullptr;
DemoHost::PFN_MARKET_TEXT g_pfnMarketText = nullptr;

// Settings values may hold any text; the INI file keeps one line per key.
int IniOperation(int mode, const CString& section, const CString& key, CString& value)
{
    CString file = g_csSettingsFile;
    CString error;
    return orvou_ini_file_operations(mode, section, key, value, file, error);
}
}  // namespace

void DemoHost::Initialise(const CString& outputDir)
{
    g_csSettingsFile = outputDir + "\\DemoSettings.ini";
    CString logPath = outputDir + "\\demo.log";
    g_pLog = fopen(logPath, "w");
}

void DemoHost::SetMarketTextProvider(PFN_MARKET_TEXT pfn)
{
    g_pfnMarketText = pfn;
}

DemoHost::PFN_MARKET_TEXT DemoHost::GetMarketTextProvider()
{
    return g_pfnMarketText;
}

CString DemoHost::SettingsFile()
{
    return g_csSettingsFile;
}

void DemoHost::Shutdown()
{
    if (g_pLog != nullptr)
        fclose(g_pLog);
    g_pLog = nullptr;
}

#define HOST_EXPORT extern "C" __declspec(dllexport)

HOST_EXPORT HICON pu_get_application_iCon()
{
    return ::LoadIconA(nullptr, (LPCSTR)IDI_APPLICATION);
}

HOST_EXPORT void pu_get_peer_data(CString& first, CString& second, CString& peer)
{
    first = "demo";
    second = "simulated exchange";
    peer = "SIM-PEER";
}

HOST_EXPORT int UserSettingMWColumns(int mode, CString section, CString& value)
{
    return IniOperation(mode, "MW_COLUMNS", section, value);
}

HOST_EXPORT void AddToTabbedLog(CString text, int, int)
{
    if (g_pLog != nullptr)
    {
        fprintf(g_pLog, "%s\n", (LPCTSTR)text);
        fflush(g_pLog);
    }
}

HOST_EXPORT HMODULE orvou_call_LoadLibrary(CString fileName)
{
    return ::LoadLibraryA(fileName);
}

HOST_EXPORT void FillShadeRect(CDC* pDC, CRect rect, COLORREF from, COLORREF to, int)
{
    TRIVERTEX v[2] = {};
    v[0].x = rect.left;
    v[0].y = rect.top;
    v[0].Red = (COLOR16)(GetRValue(from) << 8);
    v[0].Green = (COLOR16)(GetGValue(from) << 8);
    v[0].Blue = (COLOR16)(GetBValue(from) << 8);
    v[1].x = rect.right;
    v[1].y = rect.bottom;
    v[1].Red = (COLOR16)(GetRValue(to) << 8);
    v[1].Green = (COLOR16)(GetGValue(to) << 8);
    v[1].Blue = (COLOR16)(GetBValue(to) << 8);
    GRADIENT_RECT gr = { 0, 1 };
    ::GradientFill(pDC->GetSafeHdc(), v, 2, &gr, 1, GRADIENT_FILL_RECT_V);
}

HOST_EXPORT int orvou_add_extra_columns(int, int)
{
    return 1;
}

HOST_EXPORT int MrktWatchGetColumnText(CWnd* pListParent, void* pRecord, int columnId, CString& text)
{
    if (g_pfnMarketText == nullptr)
    {
        text.Empty();
        return 0;
    }
    return g_pfnMarketText(pListParent, pRecord, columnId, text);
}

HOST_EXPORT int UserSetting(int mode, CString section, CString& value, CString key)
{
    return IniOperation(mode, section, key, value);
}

HOST_EXPORT int orvou_get_app_status()
{
    return 4;
}

HOST_EXPORT void* pu_get_find_menu_item_in_roles()
{
    return nullptr;
}
