// Formula cells as the grids compute them (substituted operand texts, the "/" rule, statuses that
// are shown or reported, failed fetches, formula columns built on formula columns, cycles), and
// the display/stored/check conversions of the column dialogs.
#include <gtest/gtest.h>

#include "filter/FormulaColumn.h"

#include <map>
#include <string>
#include <vector>

namespace {

// One row of a grid: columns below nBuiltIn are plain cells, the others formula columns.
class CTestRow : public CFormulaCellSource
{
public:
    explicit CTestRow(UINT nOptions = 0) : CFormulaCellSource(nOptions) {}

    int GetColumnCount() const override { return m_nColumns; }
    BOOL IsFormulaColumn(int nColumn) const override { return nColumn >= m_nBuiltIn; }
    LPCTSTR GetStoredFormula(int nColumn) const override
    {
        auto it = m_formulas.find(nColumn);
        return it == m_formulas.end() ? "" : it->second.c_str();
    }
    BOOL GetColumnText(int nColumn, CString& strText) override
    {
        m_fetched.push_back(nColumn);
        if (nColumn == m_nFailingColumn)
            return FALSE;
        auto it = m_cells.find(nColumn);
        strText = it == m_cells.end() ? "" : it->second.c_str();
        return TRUE;
    }
    void ReportError(LPCTSTR pszMessage) override { m_reported.push_back(pszMessage); }

    // The cell text of a formula column, starting from strInitial.
    std::string Cell(int nColumn, const char* pszInitial = "(before)", int* pnResult = nullptr)
    {
        CString strText(pszInitial);
        int nResult = GetFormulaCellText(*this, nColumn, strText);
        if (pnResult)
            *pnResult = nResult;
        return strText.GetString();
    }

    int m_nColumns = 20;
    int m_nBuiltIn = 10;
    int m_nFailingColumn = -1;
    std::map<int, std::string> m_cells;
    std::map<int, std::string> m_formulas;
    std::vector<int> m_fetched;
    std::vector<std::string> m_reported;
};

TEST(FormulaCell, StoredFormulaWithTwoColumnReferences)
{
    CTestRow row;
    row.m_formulas[10] = " \"3\" * 2 + \"5\"";
    row.m_cells[3] = "10.25";
    row.m_cells[5] = "1";
    int nResult = 0;
    EXPECT_EQ("21.50", row.Cell(10, "", &nResult));
    EXPECT_EQ(1, nResult);
    EXPECT_EQ((std::vector<int>{ 3, 5 }), row.m_fetched);
    EXPECT_TRUE(row.m_reported.empty());
}

TEST(FormulaCell, DisplayLikeFormulaWithParentheses)
{
    CTestRow row;
    row.m_formulas[10] = " (\"3\" - \"4\")*100";
    row.m_cells[3] = "101.25";
    row.m_cells[4] = "99.5";
    EXPECT_EQ("175.00", row.Cell(10));
    row.m_cells[4] = "101.255";
    EXPECT_EQ("-0.50", row.Cell(10));
}

TEST(FormulaCell, NonFormulaColumnIsLeftAlone)
{
    CTestRow row;
    int nResult = 0;
    EXPECT_EQ("(before)", row.Cell(3, "(before)", &nResult));
    EXPECT_EQ(1, nResult);
    EXPECT_TRUE(row.m_fetched.empty());
}

TEST(FormulaCell, EmptyZeroAndNonNumericOperandsCountAsZero)
{
    CTestRow row;
    row.m_formulas[10] = " \"3\" * 2 + \"5\"";
    row.m_cells[5] = "1";
    for (const char* psz : { "", "0", "abc", "0.000", "  ", "-0" })
    {
        SCOPED_TRACE(std::string("operand text: '") + psz + "'");
        row.m_cells[3] = psz;
        EXPECT_EQ("1.00", row.Cell(10));
    }
    EXPECT_TRUE(row.m_reported.empty());
}

TEST(FormulaCell, OperandTextIsInsertedUnchanged)
{
    CTestRow row;
    row.m_formulas[10] = " \"3\" * 2 + \"5\"";
    row.m_cells[5] = "1";
    // "1,234.50" reads as 1 with atof, so it goes in as it is and the "," is no number: status
    // 3 is not reported and the result variable (0) is shown.
    row.m_cells[3] = "1,234.50";
    EXPECT_EQ("0.00", row.Cell(10));
    EXPECT_TRUE(row.m_reported.empty());
    // The test for 0 reads as atof does (white space, a "+" sign); the text goes in unchanged.
    row.m_cells[3] = "+3";
    EXPECT_EQ("7.00", row.Cell(10));
    row.m_cells[3] = " 1e3";
    EXPECT_EQ("2001.00", row.Cell(10));
    // A negative operand works after a spaced operator, not directly after one.
    row.m_cells[3] = "-5";
    EXPECT_EQ("-9.00", row.Cell(10));
    row.m_formulas[11] = " 3*\"3\"";
    EXPECT_EQ("0.00", row.Cell(11));
    row.m_formulas[11] = " 3 * \"3\"";
    EXPECT_EQ("-15.00", row.Cell(11));
}

TEST(FormulaCell, ZeroDivisorAfterTheFirstSlash)
{
    CTestRow row;
    row.m_formulas[10] = " \"3\" / \"5\"";
    row.m_cells[3] = "7";
    for (const char* psz : { "0", "", "n/a" })
    {
        SCOPED_TRACE(std::string("divisor text: '") + psz + "'");
        row.m_cells[5] = psz;
        EXPECT_EQ("Divided by ZERO error", row.Cell(10));
    }
    row.m_cells[5] = "2";
    EXPECT_EQ("3.50", row.Cell(10));
    EXPECT_TRUE(row.m_reported.empty());
}

TEST(FormulaCell, OnlyThePartAfterTheFirstSlashIsChecked)
{
    CTestRow row;
    // 1/2/0: the divisor part 2/0 is infinite, not zero, so the whole is evaluated.
    row.m_formulas[10] = " 1/2/0";
    EXPECT_EQ("inf", row.Cell(10));
    // Inside parentheses the divisor part "4)*2" fails with status 1 and leaves 0.
    row.m_formulas[11] = " (\"3\"/\"5\")*2";
    row.m_cells[3] = "8";
    row.m_cells[5] = "4";
    EXPECT_EQ("Divided by ZERO error", row.Cell(11));
}

TEST(FormulaCell, DivisorPartThatIsNoNumberLeavesTheText)
{
    CTestRow row;
    row.m_formulas[10] = " 8 / x";
    int nResult = 1;
    EXPECT_EQ("(before)", row.Cell(10, "(before)", &nResult));
    EXPECT_EQ(0, nResult);
    EXPECT_TRUE(row.m_reported.empty());
}

TEST(FormulaCell, UnreportedStatusShowsTheResultVariable)
{
    CTestRow row;
    row.m_formulas[10] = " (1+2";
    EXPECT_EQ("0.00", row.Cell(10));
    // With a "/" the variable holds the divisor part's value.
    row.m_formulas[11] = " (8/4";
    EXPECT_EQ("4.00", row.Cell(11));
    row.m_formulas[12] = " abc 8/4";
    EXPECT_EQ("4.00", row.Cell(12));
    EXPECT_TRUE(row.m_reported.empty());
}

TEST(FormulaCell, StatusFourIsReportedOnceAndLeavesTheText)
{
    CTestRow row;
    row.m_formulas[10] = " \"3\" 5";
    row.m_cells[3] = "2";
    int nResult = 1;
    EXPECT_EQ("(before)", row.Cell(10, "(before)", &nResult));
    EXPECT_EQ(0, nResult);
    EXPECT_EQ((std::vector<std::string>{ "Invalid Expression,while calculating value" }), row.m_reported);
}

TEST(FormulaCell, FailedFetchStopsAndKeepsTheText)
{
    CTestRow row;
    row.m_formulas[10] = " \"3\" + \"4\" + \"5\"";
    row.m_nFailingColumn = 4;
    int nResult = 1;
    EXPECT_EQ("(before)", row.Cell(10, "(before)", &nResult));
    EXPECT_EQ(0, nResult);
    EXPECT_EQ((std::vector<int>{ 3, 4 }), row.m_fetched);
}

TEST(FormulaCell, ReferenceWithoutColumnRecordReadsEmpty)
{
    CTestRow row;
    row.m_formulas[10] = " \"99\" + \"-1\" + \"abc\" + \"99999999999999999999\" + 1";
    row.m_cells[0] = "5"; // "abc" reads as index 0, as atoi reads it
    EXPECT_EQ("6.00", row.Cell(10));
    EXPECT_EQ((std::vector<int>{ 0 }), row.m_fetched);
}

TEST(FormulaCell, QuoteRunsCountAsOneSeparator)
{
    CTestRow row;
    row.m_cells[3] = "2";
    row.m_formulas[10] = "\"\" 1 + \"\"3\"\" * 10";
    EXPECT_EQ("21.00", row.Cell(10));
    // Without the leading space the index is literal text and " * 2" the reference (index 0,
    // an empty cell): the expression is "3" followed by "0".
    row.m_formulas[11] = "\"3\" * 2";
    EXPECT_EQ("30.00", row.Cell(11));
}

TEST(FormulaCell, FormulaColumnsBuiltOnFormulaColumns)
{
    CTestRow row;
    row.m_cells[3] = "5";
    row.m_formulas[10] = " \"3\" * 2";
    row.m_formulas[11] = " \"10\" + 1";
    row.m_formulas[12] = " \"11\" * \"10\"";
    EXPECT_EQ("110.00", row.Cell(12));
    EXPECT_EQ((std::vector<int>{ 3, 3 }), row.m_fetched); // formula columns are never fetched
}

// A formula column that fails is, to the columns built on it, what the grid shows for it: an
// empty text, which counts as 0. Its own failure is still reported once.
TEST(FormulaCell, FailedInnerFormulaColumnReadsAsZero)
{
    CTestRow row;
    row.m_cells[3] = "2";
    row.m_formulas[10] = " \"3\" 1"; // status 4: reported
    row.m_formulas[11] = " \"10\" + 1";
    int nResult = 0;
    EXPECT_EQ("1.00", row.Cell(11, "(before)", &nResult));
    EXPECT_EQ(1, nResult);
    EXPECT_EQ((std::vector<std::string>{ "Invalid Expression,while calculating value" }), row.m_reported);

    // A failed fetch inside the inner column, and an inner divisor part that is no number.
    row.m_reported.clear();
    row.m_formulas[12] = " \"3\" + \"4\"";
    row.m_nFailingColumn = 4;
    row.m_formulas[13] = " 5 * \"12\" - 1";
    EXPECT_EQ("-1.00", row.Cell(13, "(before)", &nResult));
    EXPECT_EQ(1, nResult);
    row.m_formulas[14] = " 8 / x";
    row.m_formulas[15] = " \"14\" + \"3\"";
    EXPECT_EQ("2.00", row.Cell(15));
    EXPECT_TRUE(row.m_reported.empty());

    // The inner column's own text still fails.
    EXPECT_EQ("(before)", row.Cell(12, "(before)", &nResult));
    EXPECT_EQ(0, nResult);

    // A divisor that is a failed formula column is a zero divisor.
    row.m_formulas[16] = " 10 / \"12\"";
    EXPECT_EQ("Divided by ZERO error", row.Cell(16));

    // In the multi-line list an empty operand stops the cell with an empty text.
    CTestRow lines(FCS_TRIM_OPERANDS);
    lines.m_cells[3] = "2";
    lines.m_formulas[10] = " \"3\" 1";
    lines.m_formulas[11] = " \"10\" + 1";
    EXPECT_EQ("", lines.Cell(11, "(before)", &nResult));
    EXPECT_EQ(1, nResult);
}

TEST(FormulaCell, SelfReferenceIsCutWithAnEmptyText)
{
    CTestRow row;
    row.m_formulas[10] = " \"10\" + 1";
    int nResult = 1;
    EXPECT_EQ("", row.Cell(10, "(before)", &nResult));
    EXPECT_EQ(0, nResult);

    row.m_formulas[11] = " \"12\" + 1";
    row.m_formulas[12] = " \"13\" * 2";
    row.m_formulas[13] = " \"11\" - 1";
    EXPECT_EQ("", row.Cell(11));
    EXPECT_EQ("", row.Cell(13));
    // A column that only uses a cycle is cut as well.
    row.m_formulas[14] = " \"11\" + 5";
    EXPECT_EQ("", row.Cell(14));
    EXPECT_TRUE(row.m_reported.empty());
}

TEST(FormulaCell, SharedOperandsAreNotACycle)
{
    CTestRow row;
    row.m_cells[3] = "1";
    row.m_formulas[10] = " \"3\" + \"3\"";
    row.m_formulas[11] = " \"10\" + \"10\"";
    row.m_formulas[12] = " \"11\" + \"10\" + \"11\"";
    EXPECT_EQ("10.00", row.Cell(12));
}

TEST(FormulaCell, NestingIsBoundedInDepthAndWork)
{
    // Column k uses column k+1 twice, so column k needs 2^(51-k) - 1 formula computations.
    CTestRow row;
    row.m_nColumns = 60;
    row.m_cells[3] = "1";
    for (int i = 10; i < 50; ++i)
        row.m_formulas[i] = " \"" + std::to_string(i + 1) + "\" + \"" + std::to_string(i + 1) + "\"";
    row.m_formulas[50] = " \"3\"";
    EXPECT_EQ("512.00", row.Cell(41)); // 1023 computations
    EXPECT_EQ("", row.Cell(40));       // 2047
    EXPECT_EQ("", row.Cell(30));
    EXPECT_EQ("", row.Cell(10));       // deeper than the nesting bound
    EXPECT_TRUE(row.m_reported.empty());
}

TEST(FormulaCell, MultiLineRulesTrimAndStopOnEmptyOperands)
{
    CTestRow row(FCS_TRIM_OPERANDS);
    row.m_formulas[10] = " \"3\" + \"4\"";
    row.m_cells[3] = "  7 ";
    row.m_cells[4] = "1";
    EXPECT_EQ("8.00", row.Cell(10));
    row.m_cells[4] = "   ";
    EXPECT_EQ("", row.Cell(10));
    row.m_nFailingColumn = 4;
    EXPECT_EQ("", row.Cell(10)); // emptied before it starts
}

// ---------------------------------------------------------------------------------------------

const sFormulaOperand kOperands[] = {
    { "Bid", 3 },
    { "Ask", 4 },
    { "Last Price", 7 },
    { "Bid", 9 },
};
const int kOperandCount = sizeof(kOperands) / sizeof(kOperands[0]);

struct sForms
{
    BOOL bOk;
    std::string strStored;
    std::string strCheck;
};

sForms Convert(const char* pszDisplay)
{
    CString strStored("x"), strCheck("y");
    sForms f;
    f.bOk = ConvertFormulaDisplayForm(pszDisplay, kOperands, kOperandCount, strStored, strCheck);
    f.strStored = strStored.GetString();
    f.strCheck = strCheck.GetString();
    return f;
}

TEST(FormulaForms, DisplayToStoredAndCheck)
{
    sForms f = Convert("(\"Bid\" - \"Ask\")*100");
    EXPECT_TRUE(f.bOk);
    EXPECT_EQ(" (\"3\" - \"4\")*100", f.strStored);
    EXPECT_EQ(" (3 - 4)*100", f.strCheck);
}

TEST(FormulaForms, DisplayBeginningWithAName)
{
    sForms f = Convert("\"Last Price\" * 2 + \"Ask\"");
    EXPECT_TRUE(f.bOk);
    EXPECT_EQ(" \"7\" * 2 + \"4\"", f.strStored);
    EXPECT_EQ(" 7 * 2 + 4", f.strCheck);
}

TEST(FormulaForms, NameListedTwiceResolvesToTheFirst)
{
    sForms f = Convert("\"Bid\"+1");
    EXPECT_TRUE(f.bOk);
    EXPECT_EQ(" \"3\"+1", f.strStored);
}

TEST(FormulaForms, UnknownNamesAreRefused)
{
    EXPECT_FALSE(Convert("\"bid\" + 1").bOk); // names compare exactly
    EXPECT_FALSE(Convert("\"Bid \" + 1").bOk);
    EXPECT_FALSE(Convert("1 + \"Volume\"").bOk);
    EXPECT_TRUE(Convert("1 + 2").bOk);
}

TEST(FormulaForms, CheckEvaluatesTheCheckForm)
{
    CString strStored, strCheck;
    EXPECT_TRUE(CheckFormulaDisplayForm("\"Bid\" * 2", kOperands, kOperandCount, strStored, strCheck));
    EXPECT_FALSE(CheckFormulaDisplayForm("\"Bid\" *", kOperands, kOperandCount, strStored, strCheck));
    EXPECT_FALSE(CheckFormulaDisplayForm("\"Bid\"*-\"Ask\"", kOperands, kOperandCount, strStored, strCheck));
    EXPECT_TRUE(CheckFormulaDisplayForm("\"Bid\"*(-\"Ask\")", kOperands, kOperandCount, strStored, strCheck));
    EXPECT_FALSE(CheckFormulaDisplayForm("\"Bid\" \"Ask\"", kOperands, kOperandCount, strStored, strCheck));
    EXPECT_FALSE(CheckFormulaDisplayForm("(\"Bid\"", kOperands, kOperandCount, strStored, strCheck));
    EXPECT_FALSE(CheckFormulaDisplayForm("", kOperands, kOperandCount, strStored, strCheck));
    EXPECT_FALSE(CheckFormulaDisplayForm("\"Volume\"", kOperands, kOperandCount, strStored, strCheck));
}

TEST(FormulaForms, StoredFormComputesWhatTheCheckFormComputes)
{
    // With each column holding its own index, the cell equals the check form's value.
    CString strStored, strCheck;
    ASSERT_TRUE(CheckFormulaDisplayForm("(\"Last Price\" - \"Ask\") * \"Bid\" % 5", kOperands, kOperandCount,
                                        strStored, strCheck));
    CTestRow row;
    row.m_cells[3] = "3";
    row.m_cells[4] = "4";
    row.m_cells[7] = "7";
    row.m_formulas[10] = strStored.GetString();
    EXPECT_EQ("4.00", row.Cell(10)); // (7-4)*3 % 5
}

} // namespace
