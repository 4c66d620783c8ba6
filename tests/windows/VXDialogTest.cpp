// CVXDialog with real dialogs from the test host's templates (1234 resizable, 1235 fixed size),
// a real position file and the tools library's application-data settings file, the test host's
// callbacks for the icon, log, status and peer text.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "OrvoTools.h"
#include "host/RecoveryFiles.h"
#include "TestHost.h"
#include "TestSupport.h"
#include "windows/VXDialog.h"

inline void PrintTo(const CRect& rc, std::ostream* os)
{
    *os << "(" << rc.left << "," << rc.top << ")-(" << rc.right << "," << rc.bottom << ")";
}

namespace {

const char kRecoveryFile[] = "vxdialog_tests.ini";
const char kSaved[] = "50,100,350,500,-1,-1,-1,-1,1";   // shown at (100,50)-(500,350)
const CRect kSavedRect(100, 50, 500, 350);

// Each notification as "event,text,data,reserved".
class CEventWatcher : public CWatcher
{
public:
    std::vector<std::string> m_events;
    void Notify(int nEvent, CString csText, void* pData, int nReserved) override
    {
        m_events.push_back(Event(nEvent, pData, csText, nReserved));
    }
    void Refresh() override {}
    static std::string Event(int nEvent, void* pData, const char* pszText = "", int nReserved = 0)
    {
        std::ostringstream s;
        s << nEvent << "," << pszText << "," << pData << "," << nReserved;
        return s.str();
    }
};

CRect WindowRect(CWnd* pWnd)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    return rc;
}

class VXDialogTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        char szTemp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, szTemp);
        m_csPosPath.Format("%svxdialog_positions_%lu.ini", szTemp, ::GetCurrentProcessId());
        m_csAppDataFile = orvou_get_appdata_folder() + "\\" + kRecoveryFile;
        RemoveFiles();
        SetRecoveryFileNames(kRecoveryFile, m_csPosPath);
    }
    void TearDown() override
    {
        orvou_set_settings_write_seam(nullptr);
        CVXDialog::SetLayoutWatcher(nullptr);
        RemoveFiles();
        HostTest::TearDown();
    }
    void RemoveFiles()
    {
        ::SetFileAttributesA(m_csPosPath, FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(m_csPosPath);
        ::DeleteFileA(m_csAppDataFile);
    }
    std::string PosFile() { return TestSettings::ReadFile((LPCTSTR)m_csPosPath); }

    std::unique_ptr<CVXDialog> Open(UINT nID, bool bShow = true, CWnd* pOwner = nullptr)
    {
        auto pDlg = std::make_unique<CVXDialog>(nID, pOwner ? pOwner : &m_frame);
        EXPECT_TRUE(pDlg->Create(nID, pOwner ? pOwner : &m_frame));
        if (bShow)
            pDlg->ShowWindow(SW_SHOW);
        return pDlg;
    }
    void WritePosition(LPCTSTR key, LPCTSTR value)
    {
        ASSERT_TRUE(::WritePrivateProfileStringA("DIALOG_POSITION", key, value, m_csPosPath));
    }
    std::string ReadPosition(LPCTSTR key)
    {
        char sz[1024] = "";
        ::GetPrivateProfileStringA("DIALOG_POSITION", key, "<none>", sz, sizeof(sz), m_csPosPath);
        return sz;
    }
    // The saved placement as the window rectangle it stands for; the show command in *pShow.
    CRect SavedRect(LPCTSTR key, std::string* pShow = nullptr)
    {
        std::vector<std::string> f;
        std::stringstream s(ReadPosition(key));
        for (std::string field; std::getline(s, field, ',');)
            f.push_back(field);
        EXPECT_EQ(9u, f.size());
        if (pShow)
            *pShow = f.size() == 9 ? f[8] : "<bad>";
        return f.size() < 4 ? CRect() : CRect(std::stoi(f[1]), std::stoi(f[0]), std::stoi(f[3]), std::stoi(f[2]));
    }
    void WriteMultiMonitor(LPCTSTR key, LPCTSTR value)
    {
        CString v = value, file = kRecoveryFile, error;
        ASSERT_TRUE(orvou_appdata_ini_file_operations(1, "MultiMonitor Settings", key, v, file, error));
    }
    std::string ReadMultiMonitor(LPCTSTR key)
    {
        CString v, file = kRecoveryFile, error;
        return orvou_appdata_ini_file_operations(0, "MultiMonitor Settings", key, v, file, error) ? (LPCTSTR)v : "<none>";
    }
    // Where a dialog opens when nothing is saved for it.
    CRect TemplateRect(UINT nID)
    {
        auto pDlg = std::make_unique<CVXDialog>(nID, &m_frame);
        pDlg->m_csDlgKey.Empty();
        EXPECT_TRUE(pDlg->Create(nID, &m_frame));
        pDlg->ShowWindow(SW_SHOW);
        return WindowRect(pDlg.get());
    }

    CString m_csPosPath;
    CString m_csAppDataFile;
};

// Open, check, move, close: what was saved (good, bad, off screen, minimised) decides where the
// dialog opens, and the closing placement is saved. One row per outcome: DialogPositionTest has
// every value.
TEST_F(VXDialogTest, SavedPlacementIsRestoredWhenShownAndTheClosingOneSaved)
{
    CRect area;   // the primary monitor's
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0));
    ASSERT_GE(area.Width(), 400);
    ASSERT_GE(area.Height(), 300);
    enum eHow { kShow, kSetWindowPos, kResourceId, kModal };
    const CRect kTemplate(INT_MIN, 0, INT_MIN, 0);   // where the template puts it
    const std::string error = "Error Occured While Reading saved Positions for 1234Dialog; Loading Defualt";
    const std::string none = "Could Not Find Saved Positions for 1234Dialog; Loading Defualt";
    const char kOffScreen[] = "-5000,-5000,-4700,-4600,-1,-1,-1,-1,1";
    // saved nullptr: no position file; shown without width: the template's size at that corner;
    // bMode: the multi-monitor setting ("YES" for 1234) was read; moveTo: left, top, width, height
    // (no width: moved, not sized; empty: left where it is).
    struct Case { const char* name; UINT nID; const char* saved; eHow how; CRect shown; bool bMode; std::string log; CRect moveTo, savedAfter; };
    const Case cases[] = {
        { "nothing saved", 1234, nullptr, kShow, kTemplate, false, "", CRect(100, 50, 400, 300), CRect(100, 50, 500, 350) },
        { "saved", 1234, kSaved, kShow, kSavedRect, true, "", CRect(30, 40, 300, 200), CRect(30, 40, 330, 240) },
        { "template given as a resource id shares the number's key", 1234, "60,110,360,510,-1,-1,-1,-1,1", kResourceId,
          CRect(110, 60, 510, 360), true, "", CRect(130, 70, 400, 300), CRect(130, 70, 530, 370) },
        { "fixed size keeps its size at the saved corner", 1235, kSaved, kShow, CRect(100, 50, 100, 50), true, "",
          CRect(40, 30, 0, 0), CRect() },
        { "shown by SetWindowPos, without WM_SHOWWINDOW", 1234, kSaved, kSetWindowPos, kSavedRect, true, "",
          CRect(30, 40, 300, 200), CRect(30, 40, 330, 240) },
        { "a modal run", 1234, nullptr, kModal, kTemplate, false, "", CRect(70, 80, 320, 240), CRect(70, 80, 390, 320) },
        { "minimised opens normally", 1234, "50,100,350,500,-32000,-32000,-32000,-32000,2", kShow, kSavedRect, true, "",
          CRect(), CRect() },
        { "a malformed field", 1234, "50,100,3x0,500,-1,-1,-1,-1,1", kShow, kTemplate, false, error, CRect(), CRect() },
        { "too few fields", 1234, "50,100,350", kShow, kTemplate, false, "", CRect(), CRect() },
        { "an empty value", 1234, "", kShow, kTemplate, true, none, CRect(), CRect() },
        { "off every monitor comes back onto the nearest", 1234, kOffScreen, kShow,
          CRect(area.left, area.top, area.left + 400, area.top + 300), true, "", CRect(), CRect() },
        { "fixed size off every monitor keeps its size", 1235, kOffScreen, kShow, CRect(area.TopLeft(), area.TopLeft()),
          true, "", CRect(), CRect() },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        RemoveFiles();
        WriteMultiMonitor("1234", "YES");
        CRect rcTemplate = TemplateRect(c.nID);
        if (c.saved)
            WritePosition(std::to_string(c.nID).c_str(), c.saved);
        TestHost::LogLines().clear();
        const CRect expected = c.shown == kTemplate ? rcTemplate
                               : c.shown.Width() == 0 ? CRect(c.shown.TopLeft(), rcTemplate.Size()) : c.shown;
        const CRect savedAfter = c.moveTo.IsRectNull() ? expected
                                 : c.savedAfter.IsRectNull() ? CRect(c.moveTo.TopLeft(), rcTemplate.Size()) : c.savedAfter;
        auto check = [&](CVXDialog* pDlg) {
            EXPECT_EQ(CString(std::to_string(c.nID).c_str()), pDlg->m_csDlgKey);
            EXPECT_EQ(expected, WindowRect(pDlg));
            EXPECT_TRUE(pDlg->IsWindowVisible() && !pDlg->IsIconic() && !pDlg->IsZoomed());
            EXPECT_EQ(c.bMode && c.nID == 1234, pDlg->m_bMultiMonitorMode);
            EXPECT_EQ(c.log.empty() ? std::vector<std::string>() : std::vector<std::string>{ c.log }, TestHost::LogLines());
            if (c.moveTo.IsRectNull())
                return;
            if (c.moveTo.right == 0)
                pDlg->SetWindowPos(nullptr, c.moveTo.left, c.moveTo.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            else
                pDlg->MoveWindow(c.moveTo.left, c.moveTo.top, c.moveTo.right, c.moveTo.bottom);
        };
        if (c.how == kModal)
        {
            CVXDialog dlg(c.nID, &m_frame);
            m_script.m_dialogAnswers.push_back([&](CDialog* pDlg) -> INT_PTR {
                pDlg->ShowWindow(SW_SHOW);
                check(static_cast<CVXDialog*>(pDlg));
                pDlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(pDlg->m_hWnd, IDOK));
                return -1;   // the dialog's own result wins once it has ended
            });
            EXPECT_EQ(IDOK, dlg.DoModal());
        }
        else
        {
            std::unique_ptr<CVXDialog> pDlg = c.how == kResourceId
                                                  ? std::make_unique<CVXDialog>(MAKEINTRESOURCE(c.nID), &m_frame)
                                                  : std::make_unique<CVXDialog>(c.nID, &m_frame);
            ASSERT_TRUE(c.how == kResourceId ? pDlg->Create(MAKEINTRESOURCE(c.nID), &m_frame) : pDlg->Create(c.nID, &m_frame));
            if (c.how == kSetWindowPos)
                pDlg->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
            else
                pDlg->ShowWindow(SW_SHOW);
            check(pDlg.get());
            EXPECT_TRUE(pDlg->DestroyWindow());
        }
        std::string show;
        EXPECT_EQ(savedAfter, SavedRect(std::to_string(c.nID).c_str(), &show));
        EXPECT_EQ("1", show);
        EXPECT_EQ(c.nID != 1234 || c.bMode ? "YES" : "NO", ReadMultiMonitor("1234"));
        EXPECT_TRUE(CVXDialog::AllDlgArray.IsEmpty());
    }
    // A named template keeps its name as the key.
    EXPECT_EQ(CString("ORDERS_DIALOG"), CVXDialog("ORDERS_DIALOG", &m_frame).m_csDlgKey);
    EXPECT_TRUE(m_script.m_records.size() == 1 && m_script.Count("dialog") == 1);
}

TEST_F(VXDialogTest, RefusedWritesKeepThePositionFileWhole)
{
    // Read-only, locked by another writer, and a full disk (logged: nobody waits for the result).
    WritePosition("1234", kSaved);
    ASSERT_TRUE(::WritePrivateProfileStringA("OTHER", "key", "value", m_csPosPath));
    const std::string before = PosFile();
    for (int nWay = 0; nWay < 3; ++nWay)
    {
        SCOPED_TRACE(nWay);
        TestHost::LogLines().clear();
        HANDLE hLock = nWay != 1 ? INVALID_HANDLE_VALUE
                                 : ::CreateFileA(m_csPosPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_TRUE(nWay == 0 ? ::SetFileAttributesA(m_csPosPath, FILE_ATTRIBUTE_READONLY) : nWay == 2 || hLock != INVALID_HANDLE_VALUE);
        auto pDlg = Open(1234);
        EXPECT_EQ(kSavedRect, WindowRect(pDlg.get()));
        pDlg->MoveWindow(10, 20, 250, 150);
        if (nWay == 2)
            orvou_set_settings_write_seam([](const char*) {
                SetLastError(ERROR_DISK_FULL);
                return 0;
            });
        EXPECT_TRUE(pDlg->DestroyWindow());
        orvou_set_settings_write_seam(nullptr);
        if (hLock != INVALID_HANDLE_VALUE)
            ::CloseHandle(hLock);
        ::SetFileAttributesA(m_csPosPath, FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(before, PosFile());
    }
    const std::vector<std::string>& log = TestHost::LogLines();
    ASSERT_EQ(2u, log.size());
    EXPECT_EQ(0u, log[0].find("Could not save the dialog placement [DIALOG_POSITION] 1234: "));
    EXPECT_EQ(0u, log[1].find("Could not save the multi-monitor mode [MultiMonitor Settings] 1234: "));
    EXPECT_TRUE(m_script.m_records.empty());

    // A position file in a missing folder is skipped, and the folder is not made.
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    SetRecoveryFileNames(kRecoveryFile, CString(szTemp) + "vxdialog_no_such_folder\\positions.ini");
    const CRect rcTemplate = TemplateRect(1234);
    auto pDlg = Open(1234);
    EXPECT_EQ(rcTemplate, WindowRect(pDlg.get()));
    EXPECT_TRUE(pDlg->DestroyWindow());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(CString(szTemp) + "vxdialog_no_such_folder"));
}

// Dialogs closed with their owner or deleted open were once neither saved nor unlisted, and a
// dialog never shown overwrote its saved placement with the hidden one when closed.
TEST_F(VXDialogTest, EveryWayOfClosingReportsAndUnlistsAndSavesOnlyWhatWasShown)
{
    enum eWay { kDestroy, kOwner, kDelete };
    struct Case { const char* name; eWay way; bool bShown; } cases[] = {
        { "closed", kDestroy, true }, { "closed with its owner", kOwner, true }, { "deleted open", kDelete, true },
        { "never shown, closed", kDestroy, false }, { "never shown, closed with its owner", kOwner, false },
        { "never shown, deleted", kDelete, false },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        RemoveFiles();
        WritePosition("1234", kSaved);
        CEventWatcher watcher;
        CVXDialog::SetLayoutWatcher(&watcher);
        CWnd owner;
        ASSERT_TRUE(owner.CreateEx(0, nullptr, "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
        auto pDlg = Open(1234, c.bShown, &owner);
        auto pOther = Open(1235);
        CVXDialog* pRaw = pDlg.get();
        pDlg->MoveWindow(120, 60, 300, 200);
        pDlg->SendMessage(WM_SYSCOMMAND, ID_VXDLG_MULTIMONITOR_MODE, 0);
        if (c.way == kOwner)
            owner.DestroyWindow();
        else if (c.way == kDelete)
            pDlg.reset();
        else
            EXPECT_TRUE(pDlg->DestroyWindow());
        if (pDlg)   // closing once more, or deleting the object, reports nothing more
        {
            EXPECT_FALSE(::IsWindow(pDlg->m_hWnd));
            EXPECT_FALSE(pDlg->DestroyWindow());
            pDlg.reset();
        }
        ASSERT_EQ(1, CVXDialog::AllDlgArray.GetSize());
        EXPECT_EQ(pOther.get(), CVXDialog::AllDlgArray[0]);
        EXPECT_EQ(c.bShown ? CRect(120, 60, 420, 260) : kSavedRect, SavedRect("1234"));
        EXPECT_TRUE(!c.bShown || ReadMultiMonitor("1234") == "YES");
        EXPECT_EQ((std::vector<std::string>{ watcher.Event(1, pRaw), watcher.Event(1, pOther.get()), watcher.Event(0, pRaw) }),
                  watcher.m_events);
        pOther.reset();
        CVXDialog::SetLayoutWatcher(nullptr);
    }
    // A dialog never shown writes nothing where nothing was saved.
    ::DeleteFileA(m_csPosPath);
    Open(1234, false)->DestroyWindow();
    EXPECT_EQ("<none>", ReadPosition("1234"));
}

TEST_F(VXDialogTest, MultiMonitorModeIsAMenuItemSavedOnlyInANamedSettingsFile)
{
    auto pDlg = Open(1234);
    HMENU hSys = ::GetSystemMenu(pDlg->m_hWnd, FALSE);
    for (bool bOn : { true, false, true })
    {
        pDlg->SendMessage(WM_SYSCOMMAND, 0x41, 0);
        EXPECT_EQ(bOn, pDlg->m_bMultiMonitorMode);
        EXPECT_EQ(bOn, (::GetMenuState(hSys, 0x41, MF_BYCOMMAND) & MF_CHECKED) != 0);
    }
    pDlg->DestroyWindow();
    EXPECT_EQ("YES", ReadMultiMonitor("1234"));
    pDlg = Open(1234);
    EXPECT_TRUE(::GetMenuState(::GetSystemMenu(pDlg->m_hWnd, FALSE), 0x41, MF_BYCOMMAND) & MF_CHECKED);
    pDlg->DestroyWindow();

    // Without a file name from the host it is neither read from nor written to the tools
    // library's last-used file.
    SetRecoveryFileNames("", m_csPosPath);
    pDlg = Open(1234);
    EXPECT_FALSE(pDlg->m_bMultiMonitorMode);
    pDlg->DestroyWindow();
    EXPECT_EQ("YES", ReadMultiMonitor("1234"));
    ::DeleteFileA(m_csAppDataFile);
    SetRecoveryFileNames("", "");
    pDlg = Open(1234);
    pDlg->SendMessage(WM_SYSCOMMAND, ID_VXDLG_MULTIMONITOR_MODE, 0);
    pDlg->DestroyWindow();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(m_csAppDataFile));
    EXPECT_TRUE(m_script.m_records.empty());
}

TEST_F(VXDialogTest, TitleCarriesTheShortenedPeerTextOnlyWithStatusFour)
{
    TestHost::g_csPeerText = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd";
    CString title;
    for (int nStatus : { 3, 4 })
    {
        TestHost::g_nAppStatus = nStatus;
        Open(1234)->GetWindowText(title);
        EXPECT_EQ(CString(nStatus == 3 ? "Orders" : "Orders - ABCDEFGHIJKLMNOPQRSTUVWXYZ0123.."), title);
    }

    TestHost::g_csPeerText = "Peer 7";
    auto pDetailed = std::make_unique<CVXDialog>(1235u, &m_frame);
    pDetailed->m_csTitleDetail = "Buy";
    ASSERT_TRUE(pDetailed->Create(1235, &m_frame));
    pDetailed->ShowWindow(SW_SHOW);
    pDetailed->GetWindowText(title);
    EXPECT_EQ(CString("Fixed - Peer 7( Buy )"), title);

    CWnd modifying;
    ASSERT_TRUE(modifying.CreateEx(0, nullptr, "Modifying Order", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    pDetailed->orvou_add_details_to_window_title(&modifying, "Buy");
    modifying.GetWindowText(title);
    EXPECT_EQ(CString("Modifying Order"), title);
    modifying.DestroyWindow();
}

}  // namespace
