// The workbook export against the stand-in automation server: what the server is asked (sheet
// names, number formats, value arrays with their sizes and variant types, the save format) and
// what the user sees when the server fails. Exports too large for a list view read a table source.
#include "ExportFixture.h"
#include "export/VXExcel.h"

#include <algorithm>

namespace
{
const char kNoApplication[] = "Excel not installed in the system.\nDO you want to save as Text file?";

sTableSource Numbered(int nRows, int nColumns)
{
    sTableSource t;
    for (int c = 0; c < nColumns; ++c)
        t.headings.push_back("H" + std::to_string(c));
    t.nRows = nRows;
    t.cell = [](int r, int c) { return "r" + std::to_string(r) + "c" + std::to_string(c); };
    return t;
}
}  // namespace

class SpreadsheetExportTest : public ExportTest
{
protected:
    // Exports the table to a fresh path of this name in the temporary folder; returns the result.
    int ToWorkbook(sTableSource t, const char* name = "book.xls")
    {
        char temp[MAX_PATH];
        ::GetTempPathA(sizeof(temp), temp);
        m_path = std::string(temp) + name;
        ::DeleteFileA(m_path.c_str());
        AnswerFile(m_path);
        return t.Export();
    }
    std::string m_path;
};

TEST_F(SpreadsheetExportTest, SheetsHold65534RowsAndBlocksHold5000)
{
    const struct { int nRows; std::vector<std::string> sheets, values; } cases[] = {
        { 65534, { "Sheet(book).Name=book-Sheet1" },
          { "Range(A2[5000x2]).Value=array 5000x2 vt=[8|8] first=[r0c0|r0c1] last=[r4999c0|r4999c1]",
            "Range(A5002[5000x2]).Value=array 5000x2 vt=[8|8] first=[r5000c0|r5000c1] last=[r9999c0|r9999c1]" } },
        { 65535, { "Sheet(book).Name=book-Sheet1", "Sheet(Sheet2).Name=book-Sheet2" },
          { "Range(A2[1x2]).Value=array 1x2 vt=[8|8] first=[r65534c0|r65534c1] last=[r65534c0|r65534c1]" } },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nRows);
        m_server.Reset();
        EXPECT_EQ(1, ToWorkbook(Numbered(c.nRows, 2)));
        EXPECT_EQ(c.sheets, m_server.Calls(".Name="));
        std::vector<std::string> values = m_server.Calls("]).Value=");
        ASSERT_EQ(c.sheets.size() > 1 ? 15u : 14u, values.size());   // 14 blocks, then 1
        for (const std::string& expected : c.values)
            EXPECT_NE(values.end(), std::find(values.begin(), values.end(), expected)) << expected;
        EXPECT_EQ("Range(A65002[534x2]).Value=array 534x2 vt=[8|8] first=[r65000c0|r65000c1] last=[r65533c0|r65533c1]",
                  values[13]);
        EXPECT_EQ(c.sheets.size() > 1 ? 1u : 0u, m_server.Calls("Sheets.Add").size());
    }
}

TEST_F(SpreadsheetExportTest, ColumnTypesGiveNumberFormatsAndVariantTypes)
{
    sTableSource t;
    t.headings = { "Int", "Price", "Code", "Volume", "Note", "Other" };
    t.types = { 1, 2, 3, 4, 10, 8 };
    t.nRows = 2;
    t.cell = [](int r, int c) {
        static const char* rows[2][6] = { { "12", "3.25", "007", "70000", "x", "y" }, { "", "", "", "", "", "" } };
        return std::string(rows[r][c]);
    };
    EXPECT_EQ(1, ToWorkbook(t));
    EXPECT_EQ((std::vector<std::string>{ "Range(B1:B3).NumberFormat=0.00", "Range(C1:C3).NumberFormat=@",
                                         "Range(E1:E3).NumberFormat=General" }),
              m_server.Calls("NumberFormat"));
    EXPECT_EQ((std::vector<std::string>{ "Range(A1).Value=Int", "Range(B1).Value=Price", "Range(C1).Value=Code",
                                         "Range(D1).Value=Volume", "Range(E1).Value=Note", "Range(F1).Value=Other" }),
              m_server.Calls("1).Value="));
    EXPECT_EQ(std::vector<std::string>{ "Range(A2[2x6]).Value=array 2x6 vt=[22|5|8|3|8|8] first=[12|3.25|007|70000|x|y] "
                                        "last=[|||||]" },
              m_server.Calls("]).Value="));
}

// The extension decides, case-sensitively, between a text file and a workbook; a workbook is
// opened, saved in the format of the application's version and left visible to the user.
TEST_F(SpreadsheetExportTest, TheExtensionDecidesTheFormatAndTheVersionTheWorkbookFormat)
{
    const struct { const char* name; const char* version; std::vector<std::string> saves; } cases[] = {
        { "a.csv", "11.0", {} }, { "a.txt", "11.0", {} },
        { "a.CSV", "11.0", { "Sheet(a-Sheet1).SaveAs(Z:\\PATH,43,7 missing)" } },
        { "a.xls", "12.0", { "Sheet(a-Sheet1).SaveAs(Z:\\PATH,56,7 missing)" } },
        { "a", "", {} },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        m_server.Reset();
        m_server.SetVersion(c.version);
        EXPECT_EQ(1, ToWorkbook(Numbered(1, 2), c.name));
        std::vector<std::string> saves;
        for (std::string s : m_server.Calls("SaveAs"))
            saves.push_back(s.replace(s.find(m_path), m_path.size(), "Z:\\PATH"));
        EXPECT_EQ(c.saves, saves);
        std::vector<std::string> log = m_server.Log();
        if (strstr(c.name, ".csv") != nullptr || strstr(c.name, ".txt") != nullptr)
        {
            EXPECT_TRUE(log.empty());
            EXPECT_EQ("H0,H1\r\nr0c0,r0c1\r\n", TestSettings::ReadFile(m_path));
            continue;
        }
        ASSERT_GE(log.size(), 4u);
        EXPECT_EQ("Workbooks.Open(" + m_path + ",12 missing)", log[3]);
        EXPECT_EQ((std::vector<std::string>{ "App.Visible=True", "App.UserControl=True", "Workbook.Save",
                                             "Workbook.Saved=True" }),
                  std::vector<std::string>(log.end() - 4, log.end()));
    }
    EXPECT_EQ(0, m_server.Objects());   // every reference released
}

TEST_F(SpreadsheetExportTest, ServerFailuresShowTheirBoxes)
{
    // A failed save shows its box once per sheet and the export goes on.
    const struct { const char* description; std::string box; } cases[] = {
        { "Cannot access 'book.xls'.", "Server Error: Run-time error '1004':\n\nCannot access 'book.xls'." },
        { nullptr, "COM Error: " + std::string((LPCTSTR)COleException::StatusText(E_ACCESSDENIED)) },   // an OLE status
    };
    for (const auto& c : cases)
    {
        m_server.Reset();
        m_script.Clear();
        m_server.FailOn(VXExcel::DISPID_XL_SAVEAS, E_ACCESSDENIED, 1004, c.description);
        EXPECT_EQ(1, ToWorkbook(Numbered(65535, 1)));
        EXPECT_EQ(std::vector<std::string>(2, c.box), Boxes());
        std::vector<std::string> log = m_server.Log();
        EXPECT_EQ(1, std::count(log.begin(), log.end(), "Workbook.Save"));
    }
    // A server failing every call ends the export with its error.
    m_server.Reset();
    m_script.Clear();
    m_server.FailOn(DISPID_UNKNOWN, S_OK, 1004, "Automation is broken");
    EXPECT_EQ(0, ToWorkbook(Numbered(3, 2)));
    EXPECT_EQ(std::vector<std::string>{ "Server Error: Run-time error '1004':\n\nAutomation is broken" }, Boxes());
    EXPECT_EQ(0, m_server.Objects());
}

TEST_F(SpreadsheetExportTest, WithoutTheApplicationTheUserMaySaveTheRowsAsTextFailuresReported)
{
    m_server.FailCreate(REGDB_E_CLASSNOTREG);
    m_script.m_messageAnswers = { IDNO };
    EXPECT_EQ(0, ToWorkbook(Numbered(2, 2), "no.xls"));
    EXPECT_EQ(1u, m_script.Count("file"));
    m_script.Clear();
    m_script.m_messageAnswers = { IDYES };
    std::string fallback = TestSettings::TempFile("fallback.txt");
    AnswerFile(TestSettings::TempFile("yes.xls"));
    AnswerFile(fallback);
    EXPECT_EQ(1, Numbered(2, 2).Export());
    EXPECT_EQ(std::vector<CString>{ kNoApplication }, m_script.Messages());
    EXPECT_EQ("r0c0,r0c1\r\nr1c0,r1c1\r\n", TestSettings::ReadFile(fallback));
    // A fallback file that cannot be written, and a table without a text source, are reported.
    m_script.Clear();
    m_script.m_messageAnswers = { IDYES };
    char temp[MAX_PATH];
    ::GetTempPathA(sizeof(temp), temp);
    AnswerFile(TestSettings::TempFile("first.xls"));
    AnswerFile(temp);   // the fallback text file is asked for a folder
    EXPECT_EQ(0, Numbered(1, 1).Export());
    AnswerFile(TestSettings::TempFile("nosource.csv"));
    EXPECT_EQ(0, CListExporter(2, 1, nullptr, nullptr).Export());
    EXPECT_EQ((std::vector<CString>{ kNoApplication, "File OPen Failed", "CallBack Failed" }), m_script.Messages());
}

TEST_F(SpreadsheetExportTest, CellReferences)
{
    const struct { int row, column, size; const char* ref; } cases[] = {
        { 1, 1, 32, "A1" }, { 7, 26, 32, "Z7" }, { 2, 27, 32, "AA2" }, { 1, 52, 32, "AZ1" },
        { 65535, 53, 32, "BA65535" }, { 3, 702, 32, "ZZ3" }, { 3, 703, 32, "AAA3" }, { 12345, 1, 4, "A12" },
    };
    for (const auto& c : cases)
    {
        char buffer[32];
        EXPECT_EQ(1, GetColumnNumForExcel(c.row, c.column, buffer, c.size));
        EXPECT_STREQ(c.ref, buffer) << c.row << "," << c.column;
    }
}

TEST_F(SpreadsheetExportTest, LongWideAndHugeTablesArriveWhole)
{
    EXPECT_EQ(1, ToWorkbook(Numbered(200000, 1), "tall.csv"));
    std::string csv = TestSettings::ReadFile(m_path);
    EXPECT_EQ(200001, std::count(csv.begin(), csv.end(), '\n'));
    EXPECT_EQ(0u, csv.rfind("r199999c0\r\n") + 11 - csv.size());
    const std::string huge(100 * 1024, 'q');
    sTableSource wide = Numbered(2, 300);
    wide.cell = [&huge](int r, int c) { return r == 1 && c == 299 ? huge : "v" + std::to_string(c); };
    EXPECT_EQ(1, ToWorkbook(wide));
    EXPECT_EQ(std::vector<std::string>{ "Range(KN1).Value=H299" }, m_server.Calls("KN1).Value"));
    std::vector<std::string> values = m_server.Calls("]).Value=");
    ASSERT_EQ(1u, values.size());
    EXPECT_EQ(0u, values[0].find("Range(A2[2x300]).Value=array 2x300"));
    EXPECT_NE(std::string::npos, values[0].find("|" + huge + "]"));
}
