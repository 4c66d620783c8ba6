// The test host: the executable side of the library's host interface. It exports every callback
// by name, keeps settings in memory and records log lines, so a test can read back exactly what
// the library wrote. Tests reset it between cases.
#pragma once

#include <afxwin.h>
#include <map>
#include <string>
#include <vector>

namespace TestHost
{
// UserSetting values keyed by section and key.
std::map<std::pair<std::string, std::string>, std::string>& Settings();
// UserSettingMWColumns values keyed by section.
std::map<std::string, std::string>& MarketWatchColumns();
std::vector<std::string>& LogLines();
// MrktWatchGetColumnText's answers by column id; when empty it answers "cell<id>" for every id.
// An id missing from a non-empty map fails the call (result 0, text untouched).
std::map<int, std::string>& MarketTexts();
// Every callback call, as "name(args)".
std::vector<std::string>& Calls();
// When set, the settings callbacks fail (return 0) without touching the value.
extern bool g_bFailSettings;
// The status orvou_get_app_status returns; the text pu_get_peer_data returns as its third string.
extern int g_nAppStatus;
extern std::string g_csPeerText;
// orvou_call_LoadLibrary fails (returns null) for file names containing this text, when not empty.
extern std::string g_csFailLoadLibrary;
void Reset();
}  // namespace TestHost

// Fixture base: a fresh test host, a recording modal script and a visible top-level window to
// parent controls.
#include <gtest/gtest.h>

class HostTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    CRecordingModalScript m_script;
    CWnd m_frame;
private:
    CModalScript* m_pPreviousScript = nullptr;
};
