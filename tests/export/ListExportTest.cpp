// "Write to Excel" on a real grid: the command from the keyboard and the row menu, the file dialog
// answered by path, the comma-separated file as written on disk, the boxes the user sees, and a
// host that destroys the list or deletes its rows while the export reads it.
#include "ExportFixture.h"
#include "lists/CommonListCtrl.h"
#include "windows/VXBrickBar.h"
#include <OrvoTools.h>

namespace
{
const char kNotWritten[] = "export_tests: File generation Failed";
const char kNoFile[] = "File Open: Failed To open File";

// A grid whose host destroys it, or deletes its rows, when a given row is read.
class CSelfDestroyingList : public CCommonListCtrl
{
public:
    int m_nDestroyAtRow = -1;
    int m_nEmptyAtRow = -1;
    CString GetItemText(int nItem, int nSubItem) override
    {
        if (nItem == m_nDestroyAtRow && m_hWnd != nullptr)
            DestroyWindow();
        if (nItem == m_nEmptyAtRow && nSubItem == 0 && m_hWnd != nullptr)
            DeleteAllItems();
        return m_hWnd ? CCommonListCtrl::GetItemText(nItem, nSubItem) : CString();
    }
};
}  // namespace

class ListExportTest : public ExportTest
{
protected:
    void SetUp() override
    {
        ExportTest::SetUp();
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 400, 300), &m_frame, 1001));
        for (const auto& c : { std::make_pair("Symbol", 8), std::make_pair("Qty", 1), std::make_pair("Price", 2) })
        {
            sOrvoColInfo info = {};
            strlcpy(info.szColName, c.first, sizeof(info.szColName));
            info.nWidth = 80;
            info.nDataType = c.second;
            m_list.m_arrColInfo.Add(info);
        }
        m_list.m_csListName = "ExportGrid";
        m_list.InsertColumnsForList(nullptr);
    }
    void AddRows(std::initializer_list<std::initializer_list<const char*>> rows)
    {
        for (const auto& row : rows)
        {
            int r = m_list.GetItemCount(), c = 0;
            for (const char* cell : row)
                c == 0 ? (void)m_list.InsertItem(r, cell) : (void)m_list.SetItemText(r, c, cell), ++c;
        }
    }
    void PressShift(UINT vk)
    {
        BYTE keys[256] = {};
        keys[VK_SHIFT] = 0x80;
        ::SetKeyboardState(keys);
        m_list.PostMessage(WM_KEYDOWN, vk, 0);
        AfxPumpPendingMessages();
        keys[VK_SHIFT] = 0;
        ::SetKeyboardState(keys);
    }
    CSelfDestroyingList m_list;
};

TEST_F(ListExportTest, ShiftEWritesTheListAsTypedWithoutQuotingAndLeavesNothingBehind)
{
    m_server.Unregister();   // no spreadsheet application: files only
    AddRows({ { "A,B", "10", "1.5" }, { "say \"hi\"", "", "x\r\ny" }, { "", "-", "" } });
    std::string path = TestSettings::TempFile("grid.csv");
    AnswerFile(path);
    m_frame.SetFocus();
    PressShift('E');
    EXPECT_EQ("Symbol,Qty,Price\r\nA,B,10,1.5\r\nsay \"hi\",,x\r\ny\r\n,-,\r\n", TestSettings::ReadFile(path));
    EXPECT_EQ(std::vector<CString>{ "File is generated" }, m_script.Messages());
    EXPECT_EQ(m_list.m_hWnd, ::GetFocus());
    EXPECT_TRUE(m_server.Log().empty());
    // Once the list has painted and has the focus, another export leaves nothing behind.
    int nGdi = TestLeaks::GdiObjects(), nWindows = TestLeaks::Windows();
    AnswerFile(path);
    PressShift('E');
    EXPECT_EQ(nGdi, TestLeaks::GdiObjects());
    EXPECT_EQ(nWindows, TestLeaks::Windows());
}

TEST_F(ListExportTest, FailuresAreReportedAndNothingIsCalledGenerated)
{
    AddRows({ { "ABC", "1", "2" } });
    std::string readOnly = TestSettings::TempFile("locked.csv");
    FILE* f = fopen(readOnly.c_str(), "wb");
    ASSERT_NE(nullptr, f);
    fclose(f);
    ::SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    const struct { const char* name; std::string path; std::vector<std::string> boxes; } cases[] = {
        { "cancelled", "", { kNotWritten } },   // an empty path: the dialog is cancelled
        { "read-only", readOnly, { kNoFile, kNotWritten } },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        m_script.Clear();
        if (!c.path.empty())
            AnswerFile(c.path);
        m_list.ProcessCommand(ID_LIST_WRITE_TO_EXCEL);
        EXPECT_EQ(c.boxes, Boxes());
    }
    EXPECT_EQ("", TestSettings::ReadFile(readOnly));
    ::SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(readOnly.c_str());
}

TEST_F(ListExportTest, Command4007AppendsTheBrickBarPanesWithoutALineEnd)
{
    CArray<CString, CString> captions;
    for (const char* caption : { "Orders", "Trades", "Net" })
        captions.Add(caption);
    CVXBrickBar* pBar = new CVXBrickBar;   // deletes itself with its window
    ASSERT_EQ(1, pBar->CreateBrickBars(&m_frame, 3, captions, CRect(0, 300, 300, 330), 1));
    pBar->SetText(0, "3", 0);
    pBar->SetText(1, "12", 0);
    pBar->SetText(2, "-40.5", 0);
    m_list.m_pExportArg = pBar;
    AddRows({ { "ABC", "1", "2.5" } });
    std::string path = TestSettings::TempFile("panes.txt"), plain = TestSettings::TempFile("plain.txt");
    AnswerFile(path);
    AnswerFile(plain);
    PressShift('D');   // file export is off by default: the key does nothing
    EXPECT_EQ(0u, m_script.Count("file"));
    m_list.m_bEnableWriteFile = 1;
    PressShift('D');
    m_list.ProcessCommand(ID_LIST_WRITE_TO_EXCEL);   // 4006 never takes the bar
    EXPECT_EQ("Symbol,Qty,Price\r\nABC,1,2.5\r\n\r\n\r\n Orders : 3, Trades : 12, Net : -40.5",
              TestSettings::ReadFile(path));
    EXPECT_EQ("Symbol,Qty,Price\r\nABC,1,2.5\r\n", TestSettings::ReadFile(plain));
    pBar->DestroyWindow();
    m_list.m_pExportArg = nullptr;
}

// The faults: rows the host deleted while the list was exported came out stale, and a list the
// host destroyed meanwhile was reported as written.
TEST_F(ListExportTest, AHostThatDeletesRowsOrDestroysTheListDuringTheExport)
{
    m_server.Unregister();
    AddRows({ { "A", "1", "1" }, { "B", "2", "2" }, { "C", "3", "3" } });
    m_list.m_nEmptyAtRow = 1;
    std::string path = TestSettings::TempFile("emptied.csv");
    AnswerFile(path);
    m_list.ProcessCommand(ID_LIST_WRITE_TO_EXCEL);
    EXPECT_EQ("Symbol,Qty,Price\r\nA,1,1\r\n,,\r\n,,\r\n", TestSettings::ReadFile(path));
    EXPECT_EQ(std::vector<CString>{ "File is generated" }, m_script.Messages());

    m_script.Clear();
    m_list.m_nEmptyAtRow = -1;
    AddRows({ { "A", "1", "1" }, { "B", "2", "2" }, { "C", "3", "3" } });
    m_list.m_nDestroyAtRow = 1;
    AnswerFile(TestSettings::TempFile("gone.csv"));
    m_list.ProcessCommand(ID_LIST_WRITE_TO_EXCEL);
    EXPECT_FALSE(::IsWindow(m_list.m_hWnd));
    EXPECT_EQ(std::vector<CString>{ "File generation Failed" }, m_script.Messages());
}

TEST_F(ListExportTest, AnEmptyListAsksNothing)
{
    m_list.ProcessCommand(ID_LIST_WRITE_TO_EXCEL);
    EXPECT_EQ(std::vector<CString>{ "No Items in the List" }, m_script.Messages());
    EXPECT_EQ(0u, m_script.Count("file"));
}

// A file many times the exporter's write block: every row once and in order; a source that stops
// giving texts part way leaves the rows before it and the export reports the failure.
namespace
{
int g_nFailAtRow = -1;
int BlockText(void*, int nRow, int nColumn, CString& csText, int& nType)
{
    if (nRow == g_nFailAtRow)
        return 0;
    csText.Format("r%05dc%d-%.*s", nRow, nColumn, 30, "..............................");
    nType = -1;
    return 1;
}
}  // namespace

TEST_F(ListExportTest, ManyBlocksHoldEveryRowOnceAndAFailingSourceKeepsTheRowsBefore)
{
    m_server.Unregister();
    const int nRows = 6000;   // about 750 KB
    for (int nFailAt : { -1, 4321 })
    {
        SCOPED_TRACE(nFailAt);
        g_nFailAtRow = nFailAt;
        std::string path = TestSettings::TempFile("blocks.csv"), expected;
        AnswerFile(path);
        int dummy = 0;
        EXPECT_EQ(nFailAt < 0 ? 1 : 0, CListExporter(nRows, 3, &BlockText, &dummy).Export());
        for (int r = 0; r < (nFailAt < 0 ? nRows : nFailAt); ++r)
        {
            for (int c = 0; c < 3; ++c)
            {
                CString csText;
                int nType = 0;
                BlockText(nullptr, r, c, csText, nType);
                expected += (c ? "," : "") + std::string(csText);
            }
            expected += "\r\n";
        }
        EXPECT_TRUE(TestSettings::ReadFile(path) == expected) << "the file differs from the rows given";
        ::DeleteFileA(path.c_str());
    }
    g_nFailAtRow = -1;
}
