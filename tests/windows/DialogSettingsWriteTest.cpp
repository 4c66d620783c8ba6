// A dialog's placement and multi-monitor mode are written when it closes, where nobody waits for
// the result: a refused write leaves the file whole and one line in the host's log.
#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include <string>
#include "OrvoTools.h"
#include "host/RecoveryFiles.h"
#include "TestHost.h"
#include "windows/VXDialog.h"

namespace
{
int FailTheWrite(const char*)
{
    SetLastError(ERROR_DISK_FULL);
    return 0;
}

int LogLinesWith(const char* pszText)
{
    const auto& lines = TestHost::LogLines();
    return (int)std::count_if(lines.begin(), lines.end(),
                              [pszText](const std::string& line) { return line.find(pszText) != std::string::npos; });
}

std::string Position(const CString& csPath, const char* pszKey)
{
    char sz[1024] = "";
    ::GetPrivateProfileStringA("DIALOG_POSITION", pszKey, "<none>", sz, sizeof(sz), csPath);
    return sz;
}

class DialogSettingsWrite : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        char szTemp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, szTemp);
        m_csPosPath.Format("%sdialog_write_%lu.ini", szTemp, ::GetCurrentProcessId());
        ::DeleteFileA(m_csPosPath);
        SetRecoveryFileNames("dialog_write_tests.ini", m_csPosPath);
    }
    void TearDown() override
    {
        orvou_set_settings_write_seam(nullptr);
        ::DeleteFileA(m_csPosPath);
        ::DeleteFileA(orvou_get_appdata_folder() + "\\dialog_write_tests.ini");
        HostTest::TearDown();
    }
    CString m_csPosPath;
};
}  // namespace

TEST_F(DialogSettingsWrite, RefusedPlacementAndModeWritesAreLoggedAndTheFileKept)
{
    ASSERT_TRUE(::WritePrivateProfileStringA("DIALOG_POSITION", "1234", "50,100,350,500,-1,-1,-1,-1,1", m_csPosPath));
    auto pDlg = std::make_unique<CVXDialog>(1234, &m_frame);
    ASSERT_TRUE(pDlg->Create(1234, &m_frame));
    pDlg->ShowWindow(SW_SHOW);
    pDlg->MoveWindow(10, 20, 250, 150);
    TestHost::LogLines().clear();
    // The disk is full when the dialog closes.
    orvou_set_settings_write_seam(FailTheWrite);
    EXPECT_TRUE(pDlg->DestroyWindow());
    orvou_set_settings_write_seam(nullptr);
    EXPECT_EQ("50,100,350,500,-1,-1,-1,-1,1", Position(m_csPosPath, "1234"));
    EXPECT_EQ(1, LogLinesWith("Could not save the dialog placement [DIALOG_POSITION] 1234"));
    EXPECT_EQ(1, LogLinesWith("Could not save the multi-monitor mode [MultiMonitor Settings] 1234"));
    EXPECT_TRUE(m_script.m_records.empty());

    // With room on the disk the same close stores the placement, and logs nothing.
    TestHost::LogLines().clear();
    pDlg = std::make_unique<CVXDialog>(1234, &m_frame);
    ASSERT_TRUE(pDlg->Create(1234, &m_frame));
    pDlg->ShowWindow(SW_SHOW);
    pDlg->MoveWindow(10, 20, 250, 150);
    EXPECT_TRUE(pDlg->DestroyWindow());
    EXPECT_EQ(0, LogLinesWith("Could not save"));
    EXPECT_NE("50,100,350,500,-1,-1,-1,-1,1", Position(m_csPosPath, "1234"));
}
