// "Write to Excel" from the terminal's market watch: the trader opens the row menu and chooses the
// command; the file dialog is answered by the script. Without a spreadsheet application the list
// goes to a CSV file, whose first lines are printed; then the stand-in automation server of the
// tests is registered as "Excel.Application" and the same command fills a workbook through it,
// and the sheets and value blocks the server received are printed.
#include "DemoScene.h"

#include "market/MrktWatchListCtrl.h"

#include <cstdio>
#include <sstream>
#include <string>

CMrktWatchListCtrl* DemoMarketWatch();

namespace
{
// The stand-in server built beside the demo (build/win/bin), or null when it was not built.
class CStandIn
{
public:
    CStandIn()
    {
        char path[MAX_PATH] = "";
        ::GetModuleFileNameA(nullptr, path, sizeof(path));
        std::string dir(path);
        dir = dir.substr(0, dir.find_last_of("\\/") + 1);
        m_hModule = ::LoadLibraryA((dir + "ExcelStandIn.dll").c_str());
        if (m_hModule != nullptr)
        {
            m_pfnRegister = (HRESULT(WINAPI*)())(void*)::GetProcAddress(m_hModule, "DllRegisterServer");
            m_pfnUnregister = (HRESULT(WINAPI*)())(void*)::GetProcAddress(m_hModule, "DllUnregisterServer");
            m_pfnLog = (const char* (*)())(void*)::GetProcAddress(m_hModule, "StandInLog");
        }
    }
    ~CStandIn()
    {
        if (m_hModule != nullptr)
            ::FreeLibrary(m_hModule);
    }
    bool Usable() const { return m_pfnRegister && m_pfnUnregister && m_pfnLog; }
    bool Register() { return m_pfnRegister() == S_OK; }
    void Unregister() { m_pfnUnregister(); }
    std::string Log() { return m_pfnLog(); }

private:
    HMODULE m_hModule = nullptr;
    HRESULT(WINAPI* m_pfnRegister)() = nullptr;
    HRESULT(WINAPI* m_pfnUnregister)() = nullptr;
    const char* (*m_pfnLog)() = nullptr;
};

// The row menu opened from the keyboard, "Write to Excel" chosen, the file dialog answered.
void WriteToExcel(CDemoContext& context, CMrktWatchListCtrl& list, const CString& csPath)
{
    context.m_pScript->Clear();
    context.m_pScript->m_menuAnswers = { ID_LIST_WRITE_TO_EXCEL };
    context.m_pScript->m_commonAnswers.push_back([csPath](CCommonDialog* pDlg) {
        static_cast<CFileDialog*>(pDlg)->m_strPathName = csPath;
        return (INT_PTR)IDOK;
    });
    list.SetFocus();
    list.PostMessage(WM_KEYDOWN, VK_APPS, 1);   // through the message loop, as a key press comes
    context.Pump();
    for (const CModalRecord& r : context.m_pScript->m_records)
        if (r.kind == "message")
            context.Print("export: box \"%s\"", (LPCTSTR)r.text);
        else
            context.Print("export: shown: %s", (LPCTSTR)r.kind);
}
}  // namespace

DEMO_SCENE(MarketWatchExport, 2)
{
    CMrktWatchListCtrl* pList = DemoMarketWatch();
    if (!context.m_bHeadless || pList == nullptr || pList->GetSafeHwnd() == nullptr)
        return;
    CStandIn server;
    if (server.Usable())
        server.Unregister();

    CString csCsv = context.OutputPath("marketwatch.csv");
    WriteToExcel(context, *pList, csCsv);
    FILE* f = fopen(csCsv, "rb");
    char line[512];
    for (int i = 0; f != nullptr && i < 4 && fgets(line, sizeof(line), f) != nullptr; ++i)
    {
        line[strcspn(line, "\r\n")] = '\0';
        context.Print("export: marketwatch.csv: %s", line);
    }
    if (f != nullptr)
        fclose(f);

    if (!server.Usable() || !server.Register())
    {
        context.Print("export: the stand-in automation server is not built; no workbook export");
        return;
    }
    WriteToExcel(context, *pList, context.OutputPath("marketwatch.xls"));
    std::istringstream log(server.Log());
    for (std::string call; std::getline(log, call);)
        if (call.find(".Name=") != std::string::npos || call.find("]).Value=") != std::string::npos ||
            call.find("SaveAs") != std::string::npos || call.find("NumberFormat") != std::string::npos)
            context.Print("export: server: %s", call.substr(0, 160).c_str());
    server.Unregister();
}
