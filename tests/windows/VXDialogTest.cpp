// CVXDialog with real dialogs from the test host's templates (1234 resizable, 1235 fixed size),
// a real position file and the tools library's application-data settings file, the test host's
// callbacks for the icon, log, status and peer text, and the real z-order for OK/Cancel.
#include <gtest/gtest.h>

#include <afxbcg.h>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "OrvoTools.h"
#include "host/RecoveryFiles.h"
#include "TestHost.h"
#include "windows/VXDialog.h"

// Readable rectangles in failure messages.
inline void PrintTo(const CRect& rc, std::ostream* os)
{
    *os << "(" << rc.left << "," << rc.top << ")-(" << rc.right << "," << rc.bottom << ")";
}

// Recognised by its run-time class name: its list views and headers take font changes.
class CSnapQuoteDlg : public CVXDialog
{
    DECLARE_DYNAMIC(CSnapQuoteDlg)
public:
    CSnapQuoteDlg() : CVXDialog(1234u) {}
};
IMPLEMENT_DYNAMIC(CSnapQuoteDlg, CVXDialog)

namespace {

const char kRecoveryFile[] = "vxdialog_tests.ini";

// A dialog whose WM_CTLCOLOR goes to the base's OnCtlColor, as derived dialogs map it.
class CColourDialog : public CVXDialog
{
public:
    CColourDialog() : CVXDialog(1234u) {}
protected:
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) { return CVXDialog::OnCtlColor(pDC, pWnd, nCtlColor); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CColourDialog, CVXDialog)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

class CEventWatcher : public CWatcher
{
public:
    struct sEvent
    {
        int nEvent;
        std::string text;
        void* pData;
        int nReserved;
    };
    std::vector<sEvent> m_events;
    void Notify(int nEvent, CString csText, void* pData, int nReserved) override
    {
        m_events.push_back({ nEvent, (LPCTSTR)csText, pData, nReserved });
    }
    void Refresh() override {}
};

std::string ReadFile(const CString& path)
{
    std::ifstream in((LPCTSTR)path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> Split(const std::string& text)
{
    std::vector<std::string> fields;
    std::stringstream s(text);
    std::string field;
    while (std::getline(s, field, ','))
        fields.push_back(field);
    return fields;
}

// Position of a top-level window in the z-order, 0 = topmost.
int ZIndex(HWND hWnd)
{
    int i = 0;
    for (HWND h = ::GetTopWindow(nullptr); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT), ++i)
        if (h == hWnd)
            return i;
    return -1;
}

CRect WindowRect(CWnd* pWnd)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    return rc;
}

// The work areas of the monitors, as the system reports them.
std::vector<CRect> WorkAreas()
{
    std::vector<CRect> areas;
    ::EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR hMonitor, HDC, LPRECT, LPARAM lParam) -> BOOL {
            MONITORINFO mi = {};
            mi.cbSize = sizeof(mi);
            if (::GetMonitorInfoA(hMonitor, &mi))
                reinterpret_cast<std::vector<CRect>*>(lParam)->push_back(mi.rcWork);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&areas));
    return areas;
}

// The work area that holds the whole rectangle, or an empty one.
CRect WorkAreaHolding(const CRect& rc)
{
    for (const CRect& area : WorkAreas())
        if (rc.left >= area.left && rc.top >= area.top && rc.right <= area.right && rc.bottom <= area.bottom)
            return area;
    return CRect();
}

COLORREF BrushColour(HBRUSH hBrush)
{
    LOGBRUSH lb = {};
    ::GetObjectA(hBrush, sizeof(lb), &lb);
    return lb.lbColor;
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
        ResetStatics();
    }
    void TearDown() override
    {
        ResetStatics();
        RemoveFiles();
        AfxSetMainWnd(nullptr);
        HostTest::TearDown();
    }
    void ResetStatics()
    {
        CVXDialog::m_bGlobalMmmMode = false;
        CVXDialog::ResetBWLDlgPtr();
        CVXDialog::m_bFocusStatus = false;
        CVXDialog::SetLayoutWatcher(nullptr);
        CBCGPVisualManager::SetDefaultManager(nullptr);
    }
    void RemoveFiles()
    {
        ::SetFileAttributesA(m_csPosPath, FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(m_csPosPath);
        ::DeleteFileA(m_csAppDataFile);
    }

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
    void WriteMultiMonitor(LPCTSTR key, LPCTSTR value)
    {
        CString v = value, file = kRecoveryFile, error;
        ASSERT_TRUE(orvou_appdata_ini_file_operations(1, "MultiMonitor Settings", key, v, file, error));
    }
    std::string ReadMultiMonitor(LPCTSTR key)
    {
        CString v, file = kRecoveryFile, error;
        if (!orvou_appdata_ini_file_operations(0, "MultiMonitor Settings", key, v, file, error))
            return "<none>";
        return (LPCTSTR)v;
    }
    // Where a dialog opens when nothing is saved for it.
    CRect TemplateRect(UINT nID)
    {
        auto pDlg = std::make_unique<CVXDialog>(nID, &m_frame);
        pDlg->m_csDlgKey.Empty();
        EXPECT_TRUE(pDlg->Create(nID, &m_frame));
        pDlg->ShowWindow(SW_SHOW);
        CRect rc = WindowRect(pDlg.get());
        pDlg->DestroyWindow();
        return rc;
    }

    CString m_csPosPath;
    CString m_csAppDataFile;
};

// --- placement ---------------------------------------------------------------------------------

TEST_F(VXDialogTest, PlacementIsSavedUnderTheTemplateIdAndRestored)
{
    auto pDlg = Open(1234);
    EXPECT_EQ(CString("1234"), pDlg->m_csDlgKey);
    pDlg->MoveWindow(100, 50, 400, 300);
    EXPECT_TRUE(pDlg->DestroyWindow());

    std::vector<std::string> fields = Split(ReadPosition("1234"));
    ASSERT_EQ(9u, fields.size());
    EXPECT_EQ((std::vector<std::string>{ "50", "100", "350", "500" }),
              std::vector<std::string>(fields.begin(), fields.begin() + 4));
    EXPECT_EQ("1", fields[8]);
    EXPECT_EQ("NO", ReadMultiMonitor("1234"));

    auto pAgain = Open(1234, false);
    // Restored on initialisation, applied when shown.
    EXPECT_EQ(CRect(100, 50, 500, 350), CRect(pAgain->m_wndPlacement.rcNormalPosition));
    pAgain->ShowWindow(SW_SHOW);
    EXPECT_EQ(CRect(100, 50, 500, 350), WindowRect(pAgain.get()));
    EXPECT_TRUE(TestHost::LogLines().empty());
}

TEST_F(VXDialogTest, TemplateGivenAsResourceIdSavesUnderTheIdLikeTheNumberForm)
{
    // The key is the id's decimal text, so both constructors share one saved placement.
    WritePosition("1234", "60,110,360,510,-1,-1,-1,-1,1");
    CVXDialog dlg(MAKEINTRESOURCE(1234), &m_frame);
    EXPECT_EQ(CString("1234"), dlg.m_csDlgKey);
    ASSERT_TRUE(dlg.Create(MAKEINTRESOURCE(1234), &m_frame));
    dlg.ShowWindow(SW_SHOW);
    EXPECT_EQ(CRect(110, 60, 510, 360), WindowRect(&dlg));
    dlg.MoveWindow(130, 70, 400, 300);
    EXPECT_TRUE(dlg.DestroyWindow());
    std::vector<std::string> fields = Split(ReadPosition("1234"));
    ASSERT_EQ(9u, fields.size());
    EXPECT_EQ("70", fields[0]);
    EXPECT_EQ("130", fields[1]);

    // A named template keeps its name as the key.
    CVXDialog named("ORDERS_DIALOG", &m_frame);
    EXPECT_EQ(CString("ORDERS_DIALOG"), named.m_csDlgKey);
}

TEST_F(VXDialogTest, MaximisedDialogIsRestoredMaximised)
{
    auto pDlg = Open(1234);
    pDlg->MoveWindow(120, 60, 300, 200);
    pDlg->ShowWindow(SW_MAXIMIZE);
    ASSERT_TRUE(pDlg->IsZoomed());
    pDlg->DestroyWindow();
    std::vector<std::string> fields = Split(ReadPosition("1234"));
    ASSERT_EQ(9u, fields.size());
    EXPECT_EQ("3", fields[8]);

    auto pAgain = Open(1234);
    EXPECT_TRUE(pAgain->IsZoomed());
    pAgain->ShowWindow(SW_RESTORE);
    EXPECT_EQ(CRect(120, 60, 420, 260), WindowRect(pAgain.get()));
}

TEST_F(VXDialogTest, FixedSizeDialogKeepsItsSizeAtTheSavedCorner)
{
    WritePosition("1235", "50,100,350,500,-1,-1,-1,-1,1");
    auto pDlg = Open(1235, false);
    CSize size = WindowRect(pDlg.get()).Size();
    ASSERT_NE(CSize(400, 300), size);
    pDlg->ShowWindow(SW_SHOW);
    EXPECT_EQ(CRect(CPoint(100, 50), size), WindowRect(pDlg.get()));
}

TEST_F(VXDialogTest, EmptyFieldsAreSkipped)
{
    WritePosition("1234", "50,,100,350,500,-1,-1,-1,-1,,1,");
    auto pDlg = Open(1234);
    EXPECT_EQ(CRect(100, 50, 500, 350), WindowRect(pDlg.get()));
    EXPECT_TRUE(TestHost::LogLines().empty());
}

TEST_F(VXDialogTest, BadSavedValuesLeaveTheTemplatePosition)
{
    const CRect rcTemplate = TemplateRect(1234);
    const std::string error = "Error Occured While Reading saved Positions for 1234Dialog; Loading Defualt";
    const std::string empty = "Could Not Find Saved Positions for 1234Dialog; Loading Defualt";
    struct sCase
    {
        const char* value;
        std::string log;      // the one line logged, or none
        bool bModeRead;       // the multi-monitor setting ("YES") was read
    };
    const sCase cases[] = {
        { "50,100,3x0,500,-1,-1,-1,-1,1", error, false },
        { "abc", error, false },
        { "50,100,350,500,-1,-1,-1,-1,1-", error, false },
        { "50,100, 350,500,-1,-1,-1,-1,1", error, false },
        { "50,100,99999999999,500,-1,-1,-1,-1,1", error, false },
        { "50,100,70000,500,-1,-1,-1,-1,1", error, false },
        { "-,100,350,500,-1,-1,-1,-1,1", error, false },
        { "50,100,350", "", false },
        { ",,,,", "", false },
        { "50,100,350,500,-1,-1,-1,-1,1,7", "", false },
        { "", empty, true },
    };
    WriteMultiMonitor("1234", "YES");
    for (const sCase& c : cases)
    {
        SCOPED_TRACE(std::string("saved value \"") + c.value + "\"");
        TestHost::LogLines().clear();
        WritePosition("1234", c.value);
        auto pDlg = Open(1234);
        EXPECT_EQ(rcTemplate, WindowRect(pDlg.get()));
        if (c.log.empty())
            EXPECT_TRUE(TestHost::LogLines().empty());
        else
            EXPECT_EQ(std::vector<std::string>{ c.log }, TestHost::LogLines());
        EXPECT_EQ(c.bModeRead, pDlg->m_bMultiMonitorMode);
        pDlg->m_csDlgKey.Empty();   // keep the bad value for the next dialog of the case
        pDlg->DestroyWindow();
    }
    EXPECT_TRUE(m_script.m_records.empty());
}

TEST_F(VXDialogTest, MissingPositionFileLeavesTheTemplatePositionThenIsCreated)
{
    const CRect rcTemplate = TemplateRect(1234);
    WriteMultiMonitor("1234", "YES");
    auto pDlg = Open(1234);
    EXPECT_EQ(rcTemplate, WindowRect(pDlg.get()));
    EXPECT_FALSE(pDlg->m_bMultiMonitorMode);   // not read when no position is saved
    EXPECT_TRUE(TestHost::LogLines().empty());
    pDlg->MoveWindow(30, 40, 300, 200);
    pDlg->DestroyWindow();
    EXPECT_EQ(0u, ReadPosition("1234").find("40,30,240,330,"));
}

TEST_F(VXDialogTest, UnwritablePositionFileKeepsWhatItHeld)
{
    WritePosition("1234", "50,100,350,500,-1,-1,-1,-1,1");
    ASSERT_TRUE(::WritePrivateProfileStringA("OTHER", "key", "value", m_csPosPath));
    const std::string before = ReadFile(m_csPosPath);

    // Read-only.
    ASSERT_TRUE(::SetFileAttributesA(m_csPosPath, FILE_ATTRIBUTE_READONLY));
    auto pDlg = Open(1234);
    EXPECT_EQ(CRect(100, 50, 500, 350), WindowRect(pDlg.get()));
    pDlg->MoveWindow(10, 20, 250, 150);
    EXPECT_TRUE(pDlg->DestroyWindow());
    EXPECT_EQ(before, ReadFile(m_csPosPath));
    ASSERT_TRUE(::SetFileAttributesA(m_csPosPath, FILE_ATTRIBUTE_NORMAL));

    // Locked by another writer: the write fails and nothing is lost.
    HANDLE hLock = ::CreateFileA(m_csPosPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hLock);
    pDlg = Open(1234);
    EXPECT_EQ(CRect(100, 50, 500, 350), WindowRect(pDlg.get()));
    pDlg->MoveWindow(10, 20, 250, 150);
    EXPECT_TRUE(pDlg->DestroyWindow());
    ::CloseHandle(hLock);
    EXPECT_EQ(before, ReadFile(m_csPosPath));
    EXPECT_TRUE(m_script.m_records.empty());
}

TEST_F(VXDialogTest, PositionFileInAMissingFolderIsSkipped)
{
    const CRect rcTemplate = TemplateRect(1234);
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    CString csPath = CString(szTemp) + "vxdialog_no_such_folder\\positions.ini";
    SetRecoveryFileNames(kRecoveryFile, csPath);
    auto pDlg = Open(1234);
    EXPECT_EQ(rcTemplate, WindowRect(pDlg.get()));
    EXPECT_TRUE(pDlg->DestroyWindow());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(CString(szTemp) + "vxdialog_no_such_folder"));
}

TEST_F(VXDialogTest, ModalRunSavesItsPlacement)
{
    CVXDialog dlg(1234u, &m_frame);
    m_script.m_dialogAnswers.push_back([](CDialog* pDlg) -> INT_PTR {
        pDlg->ShowWindow(SW_SHOW);
        pDlg->MoveWindow(70, 80, 320, 240);
        pDlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(pDlg->m_hWnd, IDOK));
        return -1;   // the dialog's own result wins once it has ended
    });
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(0u, ReadPosition("1234").find("80,70,320,390,"));
    EXPECT_TRUE(CVXDialog::AllDlgArray.IsEmpty());
}

TEST_F(VXDialogTest, PlacementOffEveryMonitorComesBackOntoTheNearest)
{
    const std::vector<CRect> areas = WorkAreas();
    ASSERT_FALSE(areas.empty());
    const CRect area = areas[0];
    ASSERT_GE(area.Width(), 400);
    ASSERT_GE(area.Height(), 300);
    struct sCase
    {
        const char* value;   // a 400 x 300 rectangle, or larger
        CRect expected;      // relative to the work area's top-left corner; width -1: the whole area
    };
    CString csFarLeft, csFarRight, csStraddling, csHuge;
    csFarLeft.Format("-5000,-5000,-4700,-4600,-1,-1,-1,-1,1");
    csFarRight.Format("%d,%d,%d,%d,-1,-1,-1,-1,1", area.top + 30000, area.left + 30000, area.top + 30300,
                      area.left + 30400);
    csStraddling.Format("%d,%d,%d,%d,-1,-1,-1,-1,1", area.top + 20, area.left - 150, area.top + 320, area.left + 250);
    csHuge.Format("%d,%d,%d,%d,-1,-1,-1,-1,1", area.top - 10, area.left - 10, area.bottom + 10, area.right + 10);
    const sCase cases[] = {
        { csFarLeft, CRect(0, 0, 400, 300) },
        { csFarRight, CRect(area.Width() - 400, area.Height() - 300, area.Width(), area.Height()) },
        { csStraddling, CRect(0, 20, 400, 320) },
        { csHuge, CRect(0, 0, area.Width(), area.Height()) },
    };
    for (const sCase& c : cases)
    {
        SCOPED_TRACE(std::string("saved value \"") + c.value + "\"");
        WritePosition("1234", c.value);
        auto pDlg = Open(1234);
        CRect expected = c.expected;
        expected.OffsetRect(area.TopLeft());
        EXPECT_EQ(expected, WindowRect(pDlg.get()));
        EXPECT_FALSE(WorkAreaHolding(WindowRect(pDlg.get())).IsRectEmpty());
        // What it saves is where the user saw it.
        EXPECT_TRUE(pDlg->DestroyWindow());
        std::vector<std::string> fields = Split(ReadPosition("1234"));
        ASSERT_EQ(9u, fields.size());
        EXPECT_EQ(expected, CRect(std::stoi(fields[1]), std::stoi(fields[0]), std::stoi(fields[3]), std::stoi(fields[2])));
    }

    // A fixed-size dialog keeps its size; one already on a monitor is left where it is.
    WritePosition("1235", "-5000,-5000,-4700,-4600,-1,-1,-1,-1,1");
    auto pFixed = Open(1235);
    EXPECT_EQ(area.TopLeft(), WindowRect(pFixed.get()).TopLeft());
    EXPECT_EQ(TemplateRect(1235).Size(), WindowRect(pFixed.get()).Size());
    pFixed->DestroyWindow();
    CString csInside;
    csInside.Format("%d,%d,%d,%d,-1,-1,-1,-1,1", area.top + 7, area.left + 9, area.top + 207, area.left + 309);
    WritePosition("1234", csInside);
    auto pInside = Open(1234);
    EXPECT_EQ(CRect(area.left + 9, area.top + 7, area.left + 309, area.top + 207), WindowRect(pInside.get()));
}

TEST_F(VXDialogTest, MinimisedOrHiddenSavedPlacementOpensNormally)
{
    for (const char* cmd : { "0", "2", "6", "7", "11", "12", "-3", "5" })
    {
        SCOPED_TRACE(std::string("show command ") + cmd);
        WritePosition("1234", (std::string("50,100,350,500,-32000,-32000,-32000,-32000,") + cmd).c_str());
        auto pDlg = Open(1234);
        EXPECT_TRUE(pDlg->IsWindowVisible());
        EXPECT_FALSE(pDlg->IsIconic());
        EXPECT_FALSE(pDlg->IsZoomed());
        EXPECT_EQ(CRect(100, 50, 500, 350), WindowRect(pDlg.get()));
        pDlg->DestroyWindow();
        std::vector<std::string> fields = Split(ReadPosition("1234"));
        ASSERT_EQ(9u, fields.size());
        EXPECT_EQ("1", fields[8]);
    }
    // Maximised stays maximised.
    WritePosition("1234", "50,100,350,500,-1,-1,-1,-1,3");
    auto pDlg = Open(1234);
    EXPECT_TRUE(pDlg->IsZoomed());
}

TEST_F(VXDialogTest, SavedRectangleWithoutAreaKeepsTheTemplateSize)
{
    const CSize size = TemplateRect(1234).Size();
    for (const char* value : { "50,100,50,500,-1,-1,-1,-1,1", "50,100,350,100,-1,-1,-1,-1,1",
                               "350,500,50,100,-1,-1,-1,-1,1" })
    {
        SCOPED_TRACE(value);
        WritePosition("1234", value);
        auto pDlg = Open(1234);
        CRect rc = WindowRect(pDlg.get());
        EXPECT_EQ(size, rc.Size());
        pDlg->m_csDlgKey.Empty();
        pDlg->DestroyWindow();
    }
}

TEST_F(VXDialogTest, DialogNeverShownLeavesTheSavedPlacementAlone)
{
    CEventWatcher watcher;
    CVXDialog::SetLayoutWatcher(&watcher);
    WritePosition("1234", "50,100,350,500,-1,-1,-1,-1,1");
    const std::string before = ReadFile(m_csPosPath);

    auto pDlg = Open(1234, false);
    pDlg->MoveWindow(0, 0, 200, 100);
    EXPECT_TRUE(pDlg->DestroyWindow());
    EXPECT_EQ(before, ReadFile(m_csPosPath));

    // Nor with its owner, nor by deleting the object.
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "Owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr));
    auto pOwned = Open(1234, false, &owner);
    owner.DestroyWindow();
    Open(1234, false).reset();
    EXPECT_EQ(before, ReadFile(m_csPosPath));

    // With nothing saved, nothing is written.
    ::DeleteFileA(m_csPosPath);
    Open(1234, false)->DestroyWindow();
    EXPECT_EQ("<none>", ReadPosition("1234"));
    // Every one of them was still reported closed.
    EXPECT_EQ(8u, watcher.m_events.size());
    EXPECT_TRUE(CVXDialog::AllDlgArray.IsEmpty());
}

TEST_F(VXDialogTest, DialogShownWithoutShowWindowTakesItsPlacementAndSavesIt)
{
    WritePosition("1234", "50,100,350,500,-1,-1,-1,-1,1");
    auto pDlg = Open(1234, false);
    // SetWindowPos shows a window without WM_SHOWWINDOW.
    pDlg->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_TRUE(pDlg->IsWindowVisible());
    EXPECT_EQ(CRect(100, 50, 500, 350), WindowRect(pDlg.get()));
    pDlg->MoveWindow(30, 40, 300, 200);
    pDlg->DestroyWindow();
    EXPECT_EQ(0u, ReadPosition("1234").find("40,30,240,330,"));
}

TEST_F(VXDialogTest, DialogClosedWithItsOwnerIsSavedReportedAndUnlisted)
{
    CEventWatcher watcher;
    CVXDialog::SetLayoutWatcher(&watcher);
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
    auto pDlg = Open(1234, true, &owner);
    auto pOther = Open(1235);
    pDlg->MoveWindow(100, 50, 400, 300);
    pDlg->SendMessage(WM_SYSCOMMAND, ID_VXDLG_MULTIMONITOR_MODE, 0);

    owner.DestroyWindow();
    EXPECT_FALSE(::IsWindow(pDlg->m_hWnd));
    ASSERT_EQ(1, CVXDialog::AllDlgArray.GetSize());
    EXPECT_EQ(pOther.get(), CVXDialog::AllDlgArray[0]);
    EXPECT_EQ(0u, ReadPosition("1234").find("50,100,350,500,"));
    EXPECT_EQ("YES", ReadMultiMonitor("1234"));
    ASSERT_EQ(3u, watcher.m_events.size());
    EXPECT_EQ(0, watcher.m_events[2].nEvent);
    EXPECT_EQ(pDlg.get(), watcher.m_events[2].pData);

    // Closing once more, or deleting the object, reports nothing more.
    EXPECT_FALSE(pDlg->DestroyWindow());
    pDlg.reset();
    EXPECT_EQ(3u, watcher.m_events.size());

    // Deleting a dialog whose window is open saves and reports it like closing it.
    pOther->MoveWindow(120, 60, 300, 200);
    CVXDialog* pRaw = pOther.get();
    pOther.reset();
    EXPECT_TRUE(CVXDialog::AllDlgArray.IsEmpty());
    EXPECT_EQ(0u, ReadPosition("1235").find("60,120,"));
    ASSERT_EQ(4u, watcher.m_events.size());
    EXPECT_EQ(0, watcher.m_events[3].nEvent);
    EXPECT_EQ(pRaw, watcher.m_events[3].pData);
}

TEST_F(VXDialogTest, MultiMonitorModeNeedsANamedSettingsFile)
{
    WritePosition("1234", "50,100,350,500,-1,-1,-1,-1,1");
    WriteMultiMonitor("1234", "YES");   // also makes it the tools library's last-used file
    SetRecoveryFileNames("", m_csPosPath);

    auto pDlg = Open(1234);
    EXPECT_FALSE(pDlg->m_bMultiMonitorMode);   // not read from a file the host did not name
    pDlg->DestroyWindow();
    EXPECT_EQ("YES", ReadMultiMonitor("1234"));   // nor written there

    ::DeleteFileA(m_csAppDataFile);
    SetRecoveryFileNames("", "");
    pDlg = Open(1234);
    pDlg->SendMessage(WM_SYSCOMMAND, ID_VXDLG_MULTIMONITOR_MODE, 0);
    pDlg->DestroyWindow();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(m_csAppDataFile));
    EXPECT_TRUE(m_script.m_records.empty());
}

// --- title, icon, system menu --------------------------------------------------------------------

TEST_F(VXDialogTest, TitleCarriesTheShortenedPeerTextWithStatusFour)
{
    TestHost::g_nAppStatus = 4;
    TestHost::g_csPeerText = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd";
    auto pDlg = Open(1234);
    CString title;
    pDlg->GetWindowText(title);
    EXPECT_EQ(CString("Orders - ABCDEFGHIJKLMNOPQRSTUVWXYZ0123.."), title);
    pDlg->ShowWindow(SW_HIDE);
    pDlg->ShowWindow(SW_SHOW);
    pDlg->GetWindowText(title);
    EXPECT_EQ(CString("Orders - ABCDEFGHIJKLMNOPQRSTUVWXYZ0123.."), title);

    TestHost::g_csPeerText = "Peer 7";
    auto pDetailed = std::make_unique<CVXDialog>(1235u, &m_frame);
    pDetailed->m_csTitleDetail = "Buy";
    ASSERT_TRUE(pDetailed->Create(1235, &m_frame));
    pDetailed->ShowWindow(SW_SHOW);
    pDetailed->GetWindowText(title);
    EXPECT_EQ(CString("Fixed - Peer 7( Buy )"), title);

    CWnd modifying;
    ASSERT_TRUE(modifying.CreateEx(0, nullptr, "Modifying Order", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    pDlg->orvou_add_details_to_window_title(&modifying, "Buy");
    modifying.GetWindowText(title);
    EXPECT_EQ(CString("Modifying Order"), title);
    modifying.DestroyWindow();
}

TEST_F(VXDialogTest, TitleIsLeftAloneWithOtherStatuses)
{
    TestHost::g_nAppStatus = 3;
    TestHost::g_csPeerText = "Peer 7";
    auto pDlg = Open(1234);
    CString title;
    pDlg->GetWindowText(title);
    EXPECT_EQ(CString("Orders"), title);
}

TEST_F(VXDialogTest, HostIconAndMultiMonitorMenuItem)
{
    auto pDlg = Open(1234);
    EXPECT_EQ(::LoadIconA(nullptr, (LPCSTR)IDI_APPLICATION), (HICON)pDlg->SendMessage(WM_GETICON, ICON_SMALL, 0));

    HMENU hSys = ::GetSystemMenu(pDlg->m_hWnd, FALSE);
    ASSERT_NE(nullptr, hSys);
    int nLast = ::GetMenuItemCount(hSys) - 1;
    EXPECT_EQ(0x41u, ::GetMenuItemID(hSys, nLast));
    EXPECT_TRUE(::GetMenuState(hSys, nLast - 1, MF_BYPOSITION) & MF_SEPARATOR);
    char szText[64] = "";
    ::GetMenuStringA(hSys, 0x41, szText, sizeof(szText), MF_BYCOMMAND);
    EXPECT_STREQ("Run in &MultiMonitor Mode", szText);
    EXPECT_FALSE(::GetMenuState(hSys, 0x41, MF_BYCOMMAND) & MF_CHECKED);

    pDlg->SendMessage(WM_SYSCOMMAND, 0x41, 0);
    EXPECT_TRUE(pDlg->m_bMultiMonitorMode);
    EXPECT_TRUE(::GetMenuState(hSys, 0x41, MF_BYCOMMAND) & MF_CHECKED);
    pDlg->SendMessage(WM_SYSCOMMAND, 0x41, 0);
    EXPECT_FALSE(pDlg->m_bMultiMonitorMode);
    EXPECT_FALSE(::GetMenuState(hSys, 0x41, MF_BYCOMMAND) & MF_CHECKED);
    pDlg->SendMessage(WM_SYSCOMMAND, 0x41, 0);
    pDlg->DestroyWindow();
    EXPECT_EQ("YES", ReadMultiMonitor("1234"));

    auto pAgain = Open(1234);
    EXPECT_TRUE(pAgain->m_bMultiMonitorMode);
    EXPECT_TRUE(::GetMenuState(::GetSystemMenu(pAgain->m_hWnd, FALSE), 0x41, MF_BYCOMMAND) & MF_CHECKED);
}

// --- registry of open dialogs, watcher, multi-monitor check ---------------------------------------

TEST_F(VXDialogTest, OpenDialogsAreListedAndWatched)
{
    CEventWatcher watcher;
    CVXDialog::SetLayoutWatcher(&watcher);
    auto pFirst = Open(1234);
    auto pSecond = Open(1235);
    ASSERT_EQ(2, CVXDialog::AllDlgArray.GetSize());
    EXPECT_EQ(pFirst.get(), CVXDialog::AllDlgArray[0]);
    EXPECT_EQ(pSecond.get(), CVXDialog::AllDlgArray[1]);

    pFirst->DestroyWindow();
    ASSERT_EQ(1, CVXDialog::AllDlgArray.GetSize());
    EXPECT_EQ(pSecond.get(), CVXDialog::AllDlgArray[0]);

    ASSERT_EQ(3u, watcher.m_events.size());
    const void* expected[] = { pFirst.get(), pSecond.get(), pFirst.get() };
    const int events[] = { 1, 1, 0 };
    for (size_t i = 0; i < 3; ++i)
    {
        EXPECT_EQ(events[i], watcher.m_events[i].nEvent);
        EXPECT_EQ("", watcher.m_events[i].text);
        EXPECT_EQ(expected[i], watcher.m_events[i].pData);
        EXPECT_EQ(0, watcher.m_events[i].nReserved);
    }

    // Destroyed with its owner rather than through DestroyWindow: no longer listed.
    m_frame.DestroyWindow();
    EXPECT_TRUE(CVXDialog::AllDlgArray.IsEmpty());
}

TEST_F(VXDialogTest, MultiMonitorDialogsAreSkippedOnlyInGlobalMode)
{
    auto pPlain = Open(1234);
    auto pMulti = Open(1235);
    pMulti->m_bMultiMonitorMode = true;
    CWnd* pTemp = CWnd::FromHandle(pMulti->m_hWnd);
    EXPECT_TRUE(pPlain->CheckforMultiMonitor(pMulti.get()));
    EXPECT_TRUE(pPlain->CheckforMultiMonitor(&m_frame));
    CVXDialog::m_bGlobalMmmMode = true;
    EXPECT_FALSE(pPlain->CheckforMultiMonitor(pMulti.get()));
    EXPECT_FALSE(pPlain->CheckforMultiMonitor(pTemp));
    EXPECT_TRUE(pPlain->CheckforMultiMonitor(pPlain.get()));
    EXPECT_TRUE(pPlain->CheckforMultiMonitor(&m_frame));
}

// --- OK and Cancel activation ---------------------------------------------------------------------

class VXDialogActivationTest : public VXDialogTest
{
protected:
    void SetUp() override
    {
        VXDialogTest::SetUp();
        ASSERT_TRUE(m_mainFrame.CreateEx(0, nullptr, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 600, 400,
                                         nullptr, nullptr));
        ASSERT_TRUE(m_bar.CreateEx(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 20,
                                   m_mainFrame.m_hWnd, (HMENU)77));
        ASSERT_TRUE(m_other.CreateEx(0, nullptr, "Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200,
                                     nullptr, nullptr));
        m_pMulti = Open(1235, true, &m_mainFrame);
        m_pMulti->m_bMultiMonitorMode = true;
        m_pDlg = Open(1234, true, &m_mainFrame);
        m_pDlg->SetForegroundWindow();
    }
    void TearDown() override
    {
        m_pDlg.reset();
        m_pMulti.reset();
        m_other.DestroyWindow();
        m_mainFrame.DestroyWindow();
        VXDialogTest::TearDown();
    }
    void Click(int nID)
    {
        HWND hButton = ::GetDlgItem(m_pDlg->m_hWnd, nID);
        m_pDlg->SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)hButton);
    }
    CFrameWnd m_mainFrame;
    CWnd m_bar;
    CWnd m_other;
    std::unique_ptr<CVXDialog> m_pMulti;
    std::unique_ptr<CVXDialog> m_pDlg;
};

TEST_F(VXDialogActivationTest, CancelWithTheAcceleratorMarkBringsUpTheWindowBelow)
{
    ASSERT_EQ(m_pDlg->m_hWnd, m_mainFrame.GetLastActivePopup()->m_hWnd);
    ASSERT_LT(ZIndex(m_pDlg->m_hWnd), ZIndex(m_pMulti->m_hWnd));
    ASSERT_LT(ZIndex(m_pMulti->m_hWnd), ZIndex(m_other.m_hWnd));

    CVXDialog::m_bGlobalMmmMode = true;
    Click(IDCANCEL);   // "&Cancel"
    EXPECT_FALSE(m_pDlg->IsWindowVisible());
    // The multi-monitor dialog right below was passed over.
    EXPECT_LT(ZIndex(m_other.m_hWnd), ZIndex(m_pMulti->m_hWnd));
    EXPECT_FALSE(CVXDialog::m_bFocusStatus);
}

TEST_F(VXDialogActivationTest, OkWithoutGlobalModeBringsUpTheDialogBelow)
{
    m_other.BringWindowToTop();
    m_pMulti->BringWindowToTop();
    m_pDlg->BringWindowToTop();
    m_pDlg->SetForegroundWindow();
    ASSERT_LT(ZIndex(m_pDlg->m_hWnd), ZIndex(m_pMulti->m_hWnd));
    Click(IDOK);
    EXPECT_FALSE(m_pDlg->IsWindowVisible());
    EXPECT_LT(ZIndex(m_pMulti->m_hWnd), ZIndex(m_other.m_hWnd));
}

TEST_F(VXDialogActivationTest, OtherButtonsAreNotWalked)
{
    CVXDialog::m_bGlobalMmmMode = true;
    m_pDlg->SetDlgItemText(IDCANCEL, "Close");
    Click(IDCANCEL);
    EXPECT_FALSE(m_pDlg->IsWindowVisible());   // still cancelled, by the default handling
    EXPECT_LT(ZIndex(m_pMulti->m_hWnd), ZIndex(m_other.m_hWnd));
}

TEST_F(VXDialogActivationTest, DialogBarTakesTheFocusBack)
{
    CVXDialog::m_pDgBar = &m_bar;
    CVXDialog::m_bGlobalMmmMode = true;
    Click(IDCANCEL);
    EXPECT_EQ(m_bar.m_hWnd, ::GetFocus());
    EXPECT_FALSE(CVXDialog::m_bFocusStatus);   // reset after a target other than the main window

    // Main window as the target: the bar is activated through ActivatePrevWindow.
    AfxSetMainWnd(&m_mainFrame);
    m_pMulti->m_bMultiMonitorMode = false;
    m_pMulti->DestroyWindow();
    m_other.DestroyWindow();
    m_pDlg->ShowWindow(SW_SHOW);
    m_pDlg->SetForegroundWindow();
    CVXDialog::m_bFocusStatus = false;
    ASSERT_EQ(::GetWindow(m_pDlg->m_hWnd, GW_HWNDNEXT), m_mainFrame.m_hWnd);
    m_pDlg->SetFocus(1001);
    ASSERT_NE(m_bar.m_hWnd, ::GetFocus());
    Click(IDOK);
    EXPECT_EQ(m_bar.m_hWnd, ::GetFocus());
    EXPECT_TRUE(CVXDialog::m_bFocusStatus);

    CVXDialog::ResetBWLDlgPtr();
    EXPECT_EQ(nullptr, CVXDialog::m_pDgBar);
}

TEST_F(VXDialogActivationTest, ActivatePrevWindowBringsUpTheNextEligibleWindow)
{
    CVXDialog::m_bGlobalMmmMode = true;
    EXPECT_TRUE(m_pDlg->ActivatePrevWindow(false));
    EXPECT_LT(ZIndex(m_other.m_hWnd), ZIndex(m_pMulti->m_hWnd));

    CVXDialog::m_pDgBar = &m_bar;
    EXPECT_FALSE(m_pDlg->ActivatePrevWindow(true));
    EXPECT_EQ(m_bar.m_hWnd, ::GetFocus());
}

// --- helpers and colours ---------------------------------------------------------------------------

TEST_F(VXDialogTest, FocusAndDisableHelpers)
{
    auto pDlg = Open(1234);
    pDlg->SetForegroundWindow();
    pDlg->SetFocus(1001);
    EXPECT_EQ(::GetDlgItem(pDlg->m_hWnd, 1001), ::GetFocus());
    pDlg->SetFocus(pDlg->GetDlgItem(IDCANCEL));
    EXPECT_EQ(::GetDlgItem(pDlg->m_hWnd, IDCANCEL), ::GetFocus());

    sEnumChildContext context = { nullptr, nullptr };
    pDlg->m_pEnumContext = &context;
    pDlg->EnumerateChildWindow();
    EXPECT_EQ(pDlg.get(), context.pDialog);
    for (int nID : { 1001, IDOK, IDCANCEL })
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(pDlg->m_hWnd, nID))) << nID;
    EXPECT_TRUE(pDlg->IsWindowEnabled());
}

TEST_F(VXDialogTest, FontChangeSkipsListsAndHeadersOutsideSnapQuote)
{
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, "Arial"));
    auto check = [&](CVXDialog& dlg, bool bListsToo) {
        HWND hList = ::CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT, 0, 0, 50, 50, dlg.m_hWnd,
                                       (HMENU)2001, nullptr, nullptr);
        HWND hHeader = ::CreateWindowExA(0, WC_HEADERA, "", WS_CHILD, 0, 0, 50, 20, dlg.m_hWnd, (HMENU)2002,
                                         nullptr, nullptr);
        dlg.EnumerateChildWindowForFontChange((HFONT)font.GetSafeHandle());
        HFONT hFont = (HFONT)font.GetSafeHandle();
        EXPECT_EQ(hFont, (HFONT)::SendMessageA(::GetDlgItem(dlg.m_hWnd, 1001), WM_GETFONT, 0, 0));
        EXPECT_EQ(hFont, (HFONT)::SendMessageA(::GetDlgItem(dlg.m_hWnd, IDOK), WM_GETFONT, 0, 0));
        EXPECT_EQ(bListsToo, hFont == (HFONT)::SendMessageA(hList, WM_GETFONT, 0, 0));
        EXPECT_EQ(bListsToo, hFont == (HFONT)::SendMessageA(hHeader, WM_GETFONT, 0, 0));
    };
    auto pDlg = Open(1234);
    check(*pDlg, false);
    pDlg->DestroyWindow();

    CSnapQuoteDlg snap;
    ASSERT_TRUE(snap.Create(1234, &m_frame));
    check(snap, true);
    snap.DestroyWindow();
}

TEST_F(VXDialogTest, SizeMoveClipsChildrenWhileItRuns)
{
    auto pDlg = Open(1234);
    const DWORD dwClip = WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    pDlg->ModifyStyle(dwClip, 0);
    pDlg->SendMessage(WM_ENTERSIZEMOVE);
    EXPECT_EQ(dwClip, pDlg->GetStyle() & dwClip);
    pDlg->SendMessage(WM_EXITSIZEMOVE);
    // The system keeps WS_CLIPSIBLINGS on every top-level window.
    EXPECT_EQ(0u, pDlg->GetStyle() & WS_CLIPCHILDREN);
}

TEST_F(VXDialogTest, BackgroundFollowsTheVisualManager)
{
    CColourDialog dlg;
    ASSERT_TRUE(dlg.Create(1234, &m_frame));
    CClientDC dc(&dlg);
    auto background = [&](UINT message, HWND hItem) {
        return (HBRUSH)dlg.SendMessage(message, (WPARAM)dc.GetSafeHdc(), (LPARAM)hItem);
    };
    struct sRow
    {
        CRuntimeClass* pClass;
        int nStyle;
        COLORREF clr;
    };
    const sRow rows[] = {
        { nullptr, 0, ::GetSysColor(COLOR_BTNFACE) },
        { RUNTIME_CLASS(CBCGPVisualManager2007), 0, RGB(193, 215, 245) },
        { RUNTIME_CLASS(CBCGPVisualManager2007), 1, RGB(225, 226, 229) },
        { RUNTIME_CLASS(CBCGPVisualManager2007), 2, RGB(212, 218, 233) },
        { RUNTIME_CLASS(CBCGPVisualManager2007), 3, RGB(208, 212, 221) },
        { RUNTIME_CLASS(CBCGPVisualManager2007), 9, RGB(193, 215, 245) },
        { RUNTIME_CLASS(CBCGPVisualManagerVS2005), 0, ::GetSysColor(COLOR_WINDOW) },
        { RUNTIME_CLASS(CBCGPVisualManager2003), 0, ::GetSysColor(COLOR_WINDOW) },
        { RUNTIME_CLASS(CBCGPVisualManagerXP), 0, ::GetSysColor(COLOR_WINDOW) },
        { RUNTIME_CLASS(CBCGPWinXPVisualManager), 0, ::GetSysColor(COLOR_WINDOW) },
        { RUNTIME_CLASS(CBCGPVisualManager), 0, ::GetSysColor(COLOR_BTNFACE) },
    };
    for (const sRow& row : rows)
    {
        SCOPED_TRACE(row.pClass ? row.pClass->m_lpszClassName : "no manager");
        CBCGPVisualManager::SetDefaultManager(row.pClass);
        CBCGPVisualManager2007::SetStyle((CBCGPVisualManager2007::Style)row.nStyle);
        CVXDialog::VisualizationColor();
        HBRUSH hBrush = background(WM_CTLCOLORDLG, dlg.m_hWnd);
        ASSERT_NE(nullptr, hBrush);
        EXPECT_EQ(row.clr, BrushColour(hBrush));
    }

    // Only the dialog background, unless the default colours are off.
    CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBCGPVisualManager2007));
    CBCGPVisualManager2007::SetStyle(CBCGPVisualManager2007::VS2007_LunaBlue);
    CVXDialog::VisualizationColor();
    HWND hEdit = ::GetDlgItem(dlg.m_hWnd, 1001);
    HBRUSH hDialogBrush = background(WM_CTLCOLORDLG, dlg.m_hWnd);
    EXPECT_NE(hDialogBrush, background(WM_CTLCOLOREDIT, hEdit));
    dlg.m_bDefaultColors = false;
    EXPECT_EQ(hDialogBrush, background(WM_CTLCOLOREDIT, hEdit));
    CBCGPVisualManager2007::SetStyle(CBCGPVisualManager2007::VS2007_LunaBlue);
    dlg.DestroyWindow();
}

}  // namespace
