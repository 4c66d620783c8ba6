#include "TestHost.h"

#include <sstream>

namespace TestHost
{
std::map<std::pair<std::string, std::string>, std::string>& Settings()
{
    static std::map<std::pair<std::string, std::string>, std::string> settings;
    return settings;
}

std::map<std::string, std::string>& MarketWatchColumns()
{
    static std::map<std::string, std::string> columns;
    return columns;
}

std::vector<std::string>& LogLines()
{
    static std::vector<std::string> lines;
    return lines;
}

std::map<int, std::string>& MarketTexts()
{
    static std::map<int, std::string> texts;
    return texts;
}

std::vector<std::string>& Calls()
{
    static std::vector<std::string> calls;
    return calls;
}

bool g_bFailSettings = false;
int g_nAppStatus = 0;
std::string g_csPeerText;
std::string g_csFailLoadLibrary;

void Reset()
{
    Settings().clear();
    MarketWatchColumns().clear();
    MarketTexts().clear();
    LogLines().clear();
    Calls().clear();
    g_bFailSettings = false;
    g_nAppStatus = 0;
    g_csPeerText.clear();
    g_csFailLoadLibrary.clear();
}
}  // namespace TestHost

using namespace TestHost;

// The callbacks, exported by name from the executable as a real host does.
#define HOST_EXPORT extern "C" __declspec(dllexport)

HOST_EXPORT HICON pu_get_application_iCon()
{
    Calls().push_back("pu_get_application_iCon()");
    return ::LoadIconA(nullptr, (LPCSTR)IDI_APPLICATION);
}

HOST_EXPORT void pu_get_peer_data(CString& first, CString& second, CString& peer)
{
    Calls().push_back("pu_get_peer_data()");
    first = "TestUser";
    second = "TestServer";
    peer = g_csPeerText.c_str();
}

HOST_EXPORT int UserSettingMWColumns(int mode, CString section, CString& value)
{
    Calls().push_back(std::string("UserSettingMWColumns(") + std::to_string(mode) + "," + (LPCTSTR)section + ")");
    if (g_bFailSettings)
        return 0;
    if (mode == 1)
    {
        MarketWatchColumns()[(LPCTSTR)section] = (LPCTSTR)value;
        return 1;
    }
    auto it = MarketWatchColumns().find((LPCTSTR)section);
    if (it == MarketWatchColumns().end())
        return 0;
    value = it->second.c_str();
    return 1;
}

HOST_EXPORT void AddToTabbedLog(CString text, int, int)
{
    LogLines().push_back((LPCTSTR)text);
}

HOST_EXPORT HMODULE orvou_call_LoadLibrary(CString fileName)
{
    Calls().push_back(std::string("orvou_call_LoadLibrary(") + (LPCTSTR)fileName + ")");
    if (!g_csFailLoadLibrary.empty() && std::string((LPCTSTR)fileName).find(g_csFailLoadLibrary) != std::string::npos)
        return nullptr;
    return ::LoadLibraryA(fileName);
}

HOST_EXPORT void FillShadeRect(CDC* pDC, CRect rect, COLORREF from, COLORREF to, int)
{
    // A vertical blend, one band per row of pixels.
    int h = rect.Height();
    for (int y = 0; y < h; ++y)
    {
        int r = GetRValue(from) + (GetRValue(to) - GetRValue(from)) * y / (h > 1 ? h - 1 : 1);
        int g = GetGValue(from) + (GetGValue(to) - GetGValue(from)) * y / (h > 1 ? h - 1 : 1);
        int b = GetBValue(from) + (GetBValue(to) - GetBValue(from)) * y / (h > 1 ? h - 1 : 1);
        pDC->FillSolidRect(rect.left, rect.top + y, rect.Width(), 1, RGB(r, g, b));
    }
}

HOST_EXPORT int orvou_add_extra_columns(int count, int nextIndex)
{
    Calls().push_back("orvou_add_extra_columns(" + std::to_string(count) + "," + std::to_string(nextIndex) + ")");
    return 1;
}

HOST_EXPORT int MrktWatchGetColumnText(CWnd*, void*, int columnId, CString& text)
{
    if (MarketTexts().empty())
    {
        text.Format("cell%d", columnId);
        return 1;
    }
    auto it = MarketTexts().find(columnId);
    if (it == MarketTexts().end())
        return 0;
    text = it->second.c_str();
    return 1;
}

HOST_EXPORT int UserSetting(int mode, CString section, CString& value, CString key)
{
    Calls().push_back(std::string("UserSetting(") + std::to_string(mode) + "," + (LPCTSTR)section + "," +
                      (LPCTSTR)key + ")");
    if (g_bFailSettings)
        return 0;
    auto k = std::make_pair(std::string((LPCTSTR)section), std::string((LPCTSTR)key));
    if (mode == 1)
    {
        Settings()[k] = (LPCTSTR)value;
        return 1;
    }
    auto it = Settings().find(k);
    if (it == Settings().end())
        return 0;
    value = it->second.c_str();
    return 1;
}

HOST_EXPORT int orvou_get_app_status()
{
    return g_nAppStatus;
}

HOST_EXPORT void* pu_get_find_menu_item_in_roles()
{
    return nullptr;
}

void HostTest::SetUp()
{
    TestHost::Reset();
    m_pPreviousScript = AfxSetModalScript(&m_script);
    ASSERT_TRUE(m_frame.CreateEx(0, nullptr, "Test host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480,
                                 nullptr, nullptr));
}

void HostTest::TearDown()
{
    if (m_frame.GetSafeHwnd() != nullptr)
        m_frame.DestroyWindow();
    AfxPumpPendingMessages();
    AfxDeleteTempMaps();
    AfxSetModalScript(m_pPreviousScript);
    AfxSetTestClock(FALSE);
}
