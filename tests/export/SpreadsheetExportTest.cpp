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
    // Exports the table to a fresh path of this name in the temporary folder (then to the text
    // file, when one is asked for); returns the result.
    int ToWorkbook(sTableSource t, const char* name = "book.xls", const std::string& text = "")
    {
        char temp[MAX_PATH];
        ::GetTempPathA(sizeof(temp), temp);
        m_path = std::string(temp) + name;
        ::DeleteFileA(m_path.c_str());
        AnswerFile(m_path);
        if (!text.empty())
            AnswerFile(text);
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
    }
}

// Each column's reference in the header and its number format and variant type by its column type
// (text, type 8, when not listed); the last cell holds 100 KB.
TEST_F(SpreadsheetExportTest, CellReferencesAndNumberFormatsFollowTheColumns)
{
    const struct { int column, type; const char *cell, *ref, *format; int vt; } cases[] = {
        { 1, 1, "12", "A", nullptr, 22 }, { 2, 2, "3.25", "B", "0.00", 5 }, { 3, 3, "007", "C", "@", 8 },
        { 4, 4, "70000", "D", nullptr, 3 }, { 5, 10, "x", "E", "General", 8 }, { 26, 2, "1", "Z", "0.00", 5 },
        { 27, 3, "a", "AA", "@", 8 }, { 52, 10, "b", "AZ", "General", 8 }, { 53, 8, "c", "BA", nullptr, 8 },
        { 702, 2, "2.5", "ZZ", "0.00", 5 }, { 703, 8, "7", "AAA", nullptr, 8 },
    };
    sTableSource t = Numbered(2, 703);
    t.types.assign(703, 8);
    std::vector<std::string> cells(703, "y"), formats, vts(703, "8"), headings;
    for (const auto& c : cases)
    {
        t.types[c.column - 1] = c.type;
        cells[c.column - 1] = c.cell;
        vts[c.column - 1] = std::to_string(c.vt);
        headings.push_back("Range(" + std::string(c.ref) + "1).Value=H" + std::to_string(c.column - 1));
        if (c.format != nullptr)
            formats.push_back(std::string("Range(") + c.ref + "1:" + c.ref + "3).NumberFormat=" + c.format);
    }
    const std::string huge(100 * 1024, 'q');
    t.cell = [&](int r, int c) { return r == 0 ? cells[c] : c == 702 ? huge : std::string(); };
    EXPECT_EQ(1, ToWorkbook(t));
    for (const std::string& heading : headings)
        EXPECT_EQ(1u, m_server.Calls(heading).size()) << heading;
    EXPECT_EQ(formats, m_server.Calls("NumberFormat"));
    std::string vt, first;
    for (size_t i = 0; i < cells.size(); ++i)
        vt += (i ? "|" : "[") + vts[i], first += (i ? "|" : "[") + cells[i];
    const std::string expected = "Range(A2[2x703]).Value=array 2x703 vt=" + vt + "] first=" + first +
                                 "] last=[" + std::string(702, '|') + huge + "]";
    const std::vector<std::string> values = m_server.Calls("]).Value=");
    EXPECT_TRUE(values == std::vector<std::string>{ expected })
        << (values.empty() ? "none" : values[0].substr(0, 3000));
    char buffer[32];   // the reference alone: a row past the sheet, a buffer too short
    EXPECT_EQ(1, GetColumnNumForExcel(65535, 53, buffer, 32));
    EXPECT_STREQ("BA65535", buffer);
    EXPECT_EQ(1, GetColumnNumForExcel(12345, 1, buffer, 4));
    EXPECT_STREQ("A12", buffer);
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

// A failed save shows its box once per sheet and the export goes on; without the application the
// user may save the rows as text (answer: to that question; text: the file then asked for).
TEST_F(SpreadsheetExportTest, ServerFailuresShowTheirBoxes)
{
    const DISPID kCreate = DISPID_UNKNOWN - 1, kSave = VXExcel::DISPID_XL_SAVEAS;
    const std::string kNoApp = std::string("export_tests: ") + kNoApplication;
    const std::string kDenied = "Server Error: Run-time error '1004':\n\nCannot access 'book.xls'.";
    const std::string kOle = "COM Error: " + std::string((LPCTSTR)COleException::StatusText(E_ACCESSDENIED));
    char temp[MAX_PATH];
    ::GetTempPathA(sizeof(temp), temp);
    const struct { const char* name; DISPID dispid; HRESULT hr; const char* description; int nRows, answer;
                   std::string text; int result; std::vector<std::string> boxes; } cases[] = {
        { "a failed save", kSave, E_ACCESSDENIED, "Cannot access 'book.xls'.", 65535, 0, "", 1,
          { kDenied, kDenied } },
        { "an OLE status", kSave, E_ACCESSDENIED, nullptr, 65535, 0, "", 1, { kOle, kOle } },
        { "every call fails", DISPID_UNKNOWN, S_OK, "Automation is broken", 3, 0, "", 0,
          { "Server Error: Run-time error '1004':\n\nAutomation is broken" } },
        { "no application, no text", kCreate, REGDB_E_CLASSNOTREG, nullptr, 2, IDNO, "", 0, { kNoApp } },
        { "no application, saved as text", kCreate, REGDB_E_CLASSNOTREG, nullptr, 2, IDYES,
          TestSettings::TempFile("fallback.txt"), 1, { kNoApp } },
        { "no application, the text file cannot be written", kCreate, REGDB_E_CLASSNOTREG, nullptr, 2, IDYES,
          temp, 0, { kNoApp, "export_tests: File OPen Failed" } },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        m_server.Reset();
        m_script.Clear();
        if (c.dispid == kCreate)
            m_server.FailCreate(c.hr);
        else
            m_server.FailOn(c.dispid, c.hr, 1004, c.description);
        if (c.answer != 0)
            m_script.m_messageAnswers = { c.answer };
        EXPECT_EQ(c.result, ToWorkbook(Numbered(c.nRows, 2), "book.xls", c.text));
        EXPECT_EQ(c.boxes, Boxes());
        EXPECT_EQ(c.text.empty() ? 1u : 2u, m_script.Count("file"));
        std::vector<std::string> log = m_server.Log();
        EXPECT_EQ(c.dispid == kSave ? 1 : 0, std::count(log.begin(), log.end(), "Workbook.Save"));
        EXPECT_EQ(0, m_server.Objects());
        if (c.result == 1 && !c.text.empty())
        {
            EXPECT_EQ("r0c0,r0c1\r\nr1c0,r1c1\r\n", TestSettings::ReadFile(c.text));
        }
    }
    m_script.Clear();   // a table without a text source
    AnswerFile(TestSettings::TempFile("nosource.csv"));
    EXPECT_EQ(0, CListExporter(2, 1, nullptr, nullptr).Export());
    EXPECT_EQ(std::vector<CString>{ "CallBack Failed" }, m_script.Messages());
}

TEST_F(SpreadsheetExportTest, ATallTableArrivesWhole)
{
    EXPECT_EQ(1, ToWorkbook(Numbered(200000, 1), "tall.csv"));
    std::string csv = TestSettings::ReadFile(m_path);
    EXPECT_EQ(200001, std::count(csv.begin(), csv.end(), '\n'));
    EXPECT_EQ(0u, csv.rfind("r199999c0\r\n") + 11 - csv.size());
}
