// The text of a formula result is "%.2lf" of the value, whatever the value: ties at the third
// decimal, tiny negatives, huge magnitudes, overflow.
#include <gtest/gtest.h>

#include "filter/FormulaColumn.h"
#include "filter/FormulaExpression.h"

#include <cstdio>
#include <string>

namespace {

class COneCellRow : public CFormulaCellSource
{
public:
    int GetColumnCount() const override { return 2; }
    BOOL IsFormulaColumn(int nColumn) const override { return nColumn == 1; }
    LPCTSTR GetStoredFormula(int) const override { return m_pszFormula; }
    BOOL GetColumnText(int, CString& strText) override
    {
        strText = m_pszCell;
        return TRUE;
    }
    void ReportError(LPCTSTR) override {}

    const char* m_pszFormula = "";
    const char* m_pszCell = "";
};

TEST(FormulaResultText, MatchesPrintfTwoDecimals)
{
    // The formula multiplies the cell by a factor; the expected text is "%.2lf" of what the
    // expression evaluates to.
    struct sCase
    {
        const char* pszCell;
        const char* pszFactor;
    };
    const sCase cases[] = {
        { "0.125", "1" },      { "0.375", "1" },       { "2.675", "1" },         { "-0.001", "1" },
        { "-0.005", "1" },     { "123456789.005", "1" }, { "1e300", "1" },        { "-1e-300", "1" },
        { "1.7976931348623157e308", "1" }, { "4503599627370497.5", "1" }, { "1e308", "10" },
        { "-1e308", "10" },    { "99.995", "100" },    { "0.000", "3" },
    };
    for (const sCase& c : cases)
    {
        const std::string strFormula = std::string(" \"0\" * ") + c.pszFactor;
        COneCellRow row;
        row.m_pszCell = c.pszCell;
        row.m_pszFormula = strFormula.c_str();
        CString strText("(before)");
        GetFormulaCellText(row, 1, strText);
        double dValue = 0;
        ASSERT_LE(EvaluateExpression(std::string(c.pszCell) + " * " + c.pszFactor, dValue), FORMULA_ERR_NUMBER);
        char szExpected[400];
        std::snprintf(szExpected, sizeof(szExpected), "%.2lf", dValue);
        EXPECT_EQ(std::string(szExpected), strText.GetString()) << c.pszCell << " * " << c.pszFactor;
    }
}

} // namespace
