// Formulas as the grids compute them: the evaluator's operators, precedence, unary positions,
// statuses and bad input that must end quickly (its intermediate postfix texts are compared with the
// fuzz target's reference); formula cells (substituted operand texts, the "/" rule, integer divisions
// by zero, statuses shown or reported, failed fetches, formula columns on formula columns, cycles,
// the result text). The display/stored/check conversions are driven through the column dialog by its
// own tests.
#include <gtest/gtest.h>

#include "filter/FormulaColumn.h"
#include "filter/FormulaExpression.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

const double kUntouched = 12345.678;
const double kAnyValue = -98765.4321;   // the value is not checked

std::string Repeat(const std::string& s, int n)
{
    std::string r;
    while (n-- > 0)
        r += s;
    return r;
}

struct sExpr
{
    std::string text;
    int nStatus;
    double dValue;   // kUntouched: the result was not written
};

const sExpr kExpressions[] = {
    // A sign after "(" gets a leading 0; at the start it is read as a signed number; the look-back
    // skips white space. "*-" is no operator: "*" is a token, then the binary "-" lacks an operand.
    { "(-5)*3", FORMULA_OK, -15 }, { "-5*3", FORMULA_OK, -15 }, { "+5", FORMULA_OK, 5 },
    { "3 * -5", FORMULA_OK, -15 }, { "10 - -2", FORMULA_OK, 12 }, { "3*-5", FORMULA_ERR_OPERANDS, kAnyValue },
    // After a one-character operator before "(" the sign gets a 0; after "<<" it does not.
    { "2 * (- 3)", FORMULA_OK, -6 }, { "2 * (* 3)", FORMULA_OK, 0 }, { "2 << (- 3)", FORMULA_ERR_OPERANDS, kAnyValue },
    // Operators and precedence; equal precedence groups from the left, on the direct route and on the
    // textual one a sign after "(" takes.
    { "(-10)-3-2", FORMULA_OK, -15 },
    { "2^3^2", FORMULA_OK, 64 }, { "2+3*4", FORMULA_OK, 14 }, { "(2+3)*4", FORMULA_OK, 20 },
    { "7\\2", FORMULA_OK, 3 }, { "7%3", FORMULA_OK, 1 }, { "1<2", FORMULA_OK, 1 }, { "6-2-1", FORMULA_OK, 3 },
    { "10-3-2", FORMULA_OK, 5 }, { "2*3%4", FORMULA_OK, 2 }, { "1+2<<1", FORMULA_OK, 5 },
    { "1|2 && 0", FORMULA_OK, 0 }, { "1 < 2 == 1", FORMULA_OK, 1 }, { "7 / 2", FORMULA_OK, 3.5 },
    { "2^0.5", FORMULA_OK, std::sqrt(2.0) }, { "3>=3", FORMULA_OK, 1 }, { "2<=1", FORMULA_OK, 0 },
    { "1==1", FORMULA_OK, 1 }, { "2>1", FORMULA_OK, 1 }, { "2&&3", FORMULA_OK, 1 }, { "0||7", FORMULA_OK, 1 },
    // Integer operators truncate to 32 bits; shifts are arithmetic, counts modulo 32; out of range
    // converts as the x86 instruction does.
    { "5&3", FORMULA_OK, 1 }, { "5|3", FORMULA_OK, 7 }, { "-7.9 % 3", FORMULA_OK, -1 }, { "-7\\2", FORMULA_OK, -3 },
    { "-8>>1", FORMULA_OK, -4 }, { "1 << -1", FORMULA_OK, -2147483648.0 }, { "3>>34", FORMULA_OK, 0 },
    { "99999999999 & 1", FORMULA_OK, 0 },
    // "!" is no operator character; parentheses and operands; number tokens.
    { "1 != 2", FORMULA_ERR_NUMBER, kAnyValue }, { "!1", FORMULA_ERR_NUMBER, kAnyValue },
    { "(1+2", FORMULA_ERR_OPERANDS, kUntouched }, { "1+2)", FORMULA_ERR_OPERANDS, kAnyValue },
    { "1+", FORMULA_ERR_OPERANDS, kUntouched }, { "(())", FORMULA_ERR_OPERANDS, kUntouched },
    { "* 1", FORMULA_ERR_NUMBER, kAnyValue },   // at the start "*" is read as a number token
    { "", FORMULA_ERR_OPERANDS, kAnyValue }, { "1.2.3", FORMULA_ERR_NUMBER, kAnyValue },
    { "1,5", FORMULA_ERR_NUMBER, kAnyValue }, { "1 = 1", FORMULA_ERR_NUMBER, kAnyValue },
    { "1 + abc", FORMULA_ERR_NUMBER, kUntouched }, { "1e3", FORMULA_OK, 1000 }, { ".5+1.", FORMULA_OK, 1.5 },
    { "1 + \xE9", FORMULA_ERR_NUMBER, kAnyValue }, { std::string("1\0+2", 4), FORMULA_ERR_NUMBER, kAnyValue },
    { "1\t+\r\n2", FORMULA_OK, 3 },
    // Leftover operands write the top value.
    { "1 2", FORMULA_ERR_FAILED, 2 }, { "(1+2) (3)", FORMULA_ERR_FAILED, 3 },
    // Integer division by zero fails without writing; the divisor truncates first.
    { "7 % 0", FORMULA_ERR_FAILED, kUntouched }, { "7 % 0.5", FORMULA_ERR_FAILED, kAnyValue },
    { "7 \\ 0", FORMULA_ERR_FAILED, kAnyValue }, { "7 \\ 0.5", FORMULA_OK, 14 },
    { "-2147483648 % -1", FORMULA_OK, 0 }, { "1/0", FORMULA_OK, HUGE_VAL }, { "10^400", FORMULA_OK, HUGE_VAL },
    // Deep nesting and long texts end quickly. Runs of operator characters are no operators; single
    // ones are then read as tokens, and the first of them applied finds a missing operand.
    { std::string(100000, '(') + "1" + std::string(100000, ')'), FORMULA_OK, 1 },
    { std::string(100000, '('), FORMULA_ERR_OPERANDS, kAnyValue }, { "0" + Repeat("+1", 100000), FORMULA_OK, 100000 },
    { std::string(100000, ')'), FORMULA_ERR_OPERANDS, kAnyValue },
    { std::string(200000, '-'), FORMULA_ERR_OPERANDS, kAnyValue },
    { "1" + std::string(200000, '<') + "2", FORMULA_ERR_OPERANDS, kAnyValue },
    { "1" + std::string(200000, ' ') + "-", FORMULA_ERR_OPERANDS, kAnyValue },
};

TEST(FormulaExpression, StatusesAndValues)
{
    for (const sExpr& e : kExpressions)
    {
        SCOPED_TRACE("expression: " + e.text.substr(0, 40));
        double dValue = kUntouched;
        EXPECT_EQ(e.nStatus, EvaluateExpression(e.text, dValue));
        if (e.dValue != kAnyValue)
        {
            EXPECT_DOUBLE_EQ(e.dValue, dValue);
        }
    }
    double dNan = 0;
    EXPECT_TRUE(EvaluateExpression("0/0", dNan) == FORMULA_OK && std::isnan(dNan));
}

const char* const kInvalid = "Invalid Expression,while calculating value";
const char* const kZero = "Divided by ZERO error";

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

    // The cell text of a formula column, starting from "(before)".
    std::string Cell(int nColumn, int* pnResult = nullptr)
    {
        CString strText("(before)");
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

using Formulas = std::map<int, std::string>;
using Cells = std::map<int, std::string>;

const std::string kSum = " \"3\" * 2 + \"5\"";
// 11 -> 12 -> 13 -> 11, and 14 only uses the cycle.
const Formulas kCycle = { { 11, " \"12\" + 1" }, { 12, " \"13\" * 2" }, { 13, " \"11\" - 1" }, { 14, " \"11\" + 5" } };
// 10 fails with status 4, 11 uses it; 12 fails its fetch of column 4, 13 uses it; 14's divisor
// part is no number, 15 uses it; 16 divides by the failed 12.
const Formulas kInner = { { 10, " \"3\" 1" },       { 11, " \"10\" + 1" },       { 12, " \"3\" + \"4\"" },
                          { 13, " 5 * \"12\" - 1" }, { 14, " 8 / x" },            { 15, " \"14\" + \"3\"" },
                          { 16, " 10 / \"12\"" } };

struct sCellCase
{
    const char* pszName;
    Formulas formulas;
    Cells cells;
    int nColumn;
    std::string expected;         // "(before)": the text was left alone
    int nResult = 1;
    int nReports = 0;             // how many times the invalid-expression message was reported
    std::vector<int> fetched = { -1 };   // the columns fetched, in order; { -1 }: not checked
    int nFailing = -1;            // a column whose fetch fails
    UINT nOptions = 0;
};

const sCellCase kCellCases[] = {
    { "two column references", { { 10, kSum } }, { { 3, "10.25" }, { 5, "1" } }, 10, "21.50", 1, 0, { 3, 5 } },
    { "parentheses, below zero", { { 10, " (\"3\" - \"4\")*100" } }, { { 3, "101.25" }, { 4, "101.255" } }, 10, "-0.50" },
    { "a plain column is left alone", {}, {}, 3, "(before)", 1, 0, {} },
    // Empty, zero and non-numeric operands count as 0.
    { "empty operand", { { 10, kSum } }, { { 3, "" }, { 5, "1" } }, 10, "1.00" },
    { "minus zero operand", { { 10, kSum } }, { { 3, "-0" }, { 5, "1" } }, 10, "1.00" },
    { "text operand", { { 10, kSum } }, { { 3, "abc" }, { 5, "1" } }, 10, "1.00" },
    // The operand text goes in unchanged: "1,234.50" is no number, status 3 is not reported and
    // the result variable (0) shows; the zero test reads as atof does.
    { "a separator in the operand", { { 10, kSum } }, { { 3, "1,234.50" }, { 5, "1" } }, 10, "0.00" },
    { "a plus sign", { { 10, kSum } }, { { 3, "+3" }, { 5, "1" } }, 10, "7.00" },
    { "an exponent", { { 10, kSum } }, { { 3, " 1e3" }, { 5, "1" } }, 10, "2001.00" },
    { "a negative operand after a spaced operator", { { 10, kSum } }, { { 3, "-5" }, { 5, "1" } }, 10, "-9.00" },
    { "a negative operand right after an operator", { { 10, " 3*\"3\"" } }, { { 3, "-5" } }, 10, "0.00" },
    { "a negative operand, spaced", { { 10, " 3 * \"3\"" } }, { { 3, "-5" } }, 10, "-15.00" },
    // The "/" rule: only the part after the first "/" is checked for zero.
    { "divisor 0", { { 10, " \"3\" / \"5\"" } }, { { 3, "7" }, { 5, "0" } }, 10, kZero },
    { "text divisor", { { 10, " \"3\" / \"5\"" } }, { { 3, "7" }, { 5, "n/a" } }, 10, kZero },
    { "divisor 2", { { 10, " \"3\" / \"5\"" } }, { { 3, "7" }, { 5, "2" } }, 10, "3.50" },
    { "2/0 as divisor part is infinite, not zero", { { 10, " 1/2/0" } }, {}, 10, "inf" },
    { "a divisor part that fails inside parentheses", { { 10, " (\"3\"/\"5\")*2" } }, { { 3, "8" }, { 5, "4" } }, 10, kZero },
    { "a divisor part that is no number", { { 10, " 8 / x" } }, {}, 10, "(before)", 0 },
    // Integer divisions by zero read as a "/" by zero does, without a message per painted cell.
    { "% by 0", { { 10, " 7 % 0" } }, {}, 10, kZero },
    { "backslash by 0", { { 10, " 7 \\ 0" } }, {}, 10, kZero },
    { "% by 0.4, truncated to 0", { { 10, " \"3\" % \"5\"" } }, { { 3, "7" }, { 5, "0.4" } }, 10, kZero },
    { "backslash by 0 inside a sum", { { 10, " (\"3\" \\ \"5\") + 1" } }, { { 3, "7" }, { 5, "0" } }, 10, kZero },
    { "% by 0 inside the divisor part", { { 10, " 10 / (7 % 0)" } }, {}, 10, kZero },
    { "% by 3", { { 10, " 7 % 3" } }, {}, 10, "1.00" },
    // Statuses 1 and 3 show the result variable; status 4 is reported and leaves the text.
    { "unbalanced parenthesis", { { 10, " (1+2" } }, {}, 10, "0.00" },
    { "unbalanced, with a divisor part", { { 10, " (8/4" } }, {}, 10, "4.00" },
    { "bad number, with a divisor part", { { 10, " abc 8/4" } }, {}, 10, "4.00" },
    { "status 4", { { 10, " \"3\" 5" } }, { { 3, "2" } }, 10, "(before)", 0, 1 },
    { "a failed fetch stops", { { 10, " \"3\" + \"4\" + \"5\"" } }, {}, 10, "(before)", 0, 0, { 3, 4 }, 4 },
    { "references without a column record read empty",
      { { 10, " \"99\" + \"-1\" + \"abc\" + \"99999999999999999999\" + 1" } }, { { 0, "5" } }, 10, "6.00", 1, 0, { 0 } },
    { "quote runs count as one separator", { { 10, "\"\" 1 + \"\"3\"\" * 10" } }, { { 3, "2" } }, 10, "21.00" },
    // Without the leading blank the index is literal text and " * 2" the reference (index 0).
    { "no leading blank", { { 10, "\"3\" * 2" } }, { { 3, "2" } }, 10, "30.00" },
    { "formula columns on formula columns, never fetched",
      { { 10, " \"3\" * 2" }, { 11, " \"10\" + 1" }, { 12, " \"11\" * \"10\"" } }, { { 3, "5" } }, 12, "110.00", 1, 0, { 3, 3 } },
    { "shared operands are no cycle",
      { { 10, " \"3\" + \"3\"" }, { 11, " \"10\" + \"10\"" }, { 12, " \"11\" + \"10\" + \"11\"" } }, { { 3, "1" } }, 12, "10.00" },
    // A failed formula column is, to the columns on it, what the grid shows for it: empty, so 0.
    { "on a status-4 column: reported once", kInner, { { 3, "2" } }, 11, "1.00", 1, 1 },
    { "on a column whose fetch failed", kInner, { { 3, "2" } }, 13, "-1.00", 1, 0, { -1 }, 4 },
    { "on a column whose divisor part is no number", kInner, { { 3, "2" } }, 15, "2.00" },
    { "the failed column's own text", kInner, { { 3, "2" } }, 12, "(before)", 0, 0, { -1 }, 4 },
    { "a failed column as divisor", kInner, { { 3, "2" } }, 16, kZero, 1, 0, { -1 }, 4 },
    { "self reference is cut", { { 10, " \"10\" + 1" } }, {}, 10, "", 0 },
    { "a cycle of three", kCycle, {}, 11, "" , 0},
    { "a column that only uses a cycle", kCycle, {}, 14, "", 0 },
    // The multi-line list trims operands and stops on an empty one.
    { "trimmed", { { 10, " \"3\" + \"4\"" } }, { { 3, "  7 " }, { 4, "1" } }, 10, "8.00", 1, 0, { -1 }, -1, FCS_TRIM_OPERANDS },
    { "a blank operand stops", { { 10, " \"3\" + \"4\"" } }, { { 3, "7" }, { 4, "   " } }, 10, "", 1, 0, { -1 }, -1, FCS_TRIM_OPERANDS },
    { "a failed fetch empties", { { 10, " \"3\" + \"4\"" } }, { { 3, "7" } }, 10, "", 0, 0, { -1 }, 4, FCS_TRIM_OPERANDS },
    { "a failed inner column stops", kInner, { { 3, "2" } }, 11, "", 1, -1, { -1 }, -1, FCS_TRIM_OPERANDS },
};

TEST(FormulaCell, TextsResultsReportsAndFetches)
{
    for (const sCellCase& c : kCellCases)
    {
        SCOPED_TRACE(c.pszName);
        CTestRow row(c.nOptions);
        row.m_formulas = c.formulas;
        row.m_cells = c.cells;
        row.m_nFailingColumn = c.nFailing;
        int nResult = -1;
        EXPECT_EQ(c.expected, row.Cell(c.nColumn, &nResult));
        EXPECT_EQ(c.nResult, nResult);
        if (c.nReports >= 0)
        {
            EXPECT_EQ(std::vector<std::string>((size_t)c.nReports, kInvalid), row.m_reported);
        }
        if (c.fetched != std::vector<int>{ -1 })
        {
            EXPECT_EQ(c.fetched, row.m_fetched);
        }
    }
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
    EXPECT_EQ("", row.Cell(10));       // deeper than the nesting bound
    EXPECT_TRUE(row.m_reported.empty());
}

// The text is "%.2lf" of the value, whatever the value: ties at the third decimal, tiny negatives,
// huge magnitudes, overflow.
TEST(FormulaCell, ResultTextMatchesPrintfTwoDecimals)
{
    const std::pair<const char*, const char*> cases[] = {
        { "0.125", "1" }, { "2.675", "1" }, { "-0.005", "1" }, { "123456789.005", "1" }, { "1e300", "1" },
        { "-1e-300", "1" }, { "4503599627370497.5", "1" }, { "1e308", "10" }, { "99.995", "100" },
    };
    for (const auto& c : cases)
    {
        CTestRow row;
        row.m_cells[3] = c.first;
        row.m_formulas[10] = std::string(" \"3\" * ") + c.second;
        double dValue = 0;
        ASSERT_LE(EvaluateExpression(std::string(c.first) + " * " + c.second, dValue), FORMULA_ERR_NUMBER);
        char szExpected[400];
        std::snprintf(szExpected, sizeof(szExpected), "%.2lf", dValue);
        EXPECT_EQ(std::string(szExpected), row.Cell(10)) << c.first << " * " << c.second;
    }
}

} // namespace
