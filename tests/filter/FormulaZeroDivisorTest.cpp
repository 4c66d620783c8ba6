// Integer divisions by zero in formula cells read as a "/" by zero does: the cell says so and no
// message is shown (a message per painted cell would bury the trader in boxes).
#include <gtest/gtest.h>

#include "filter/FormulaColumn.h"

#include <string>
#include <vector>

namespace
{
// Columns 0 to 4 hold texts, columns 5 and up are formula columns.
class CZeroRow : public CFormulaCellSource
{
public:
    int GetColumnCount() const override { return 10; }
    BOOL IsFormulaColumn(int nColumn) const override { return nColumn >= 5; }
    LPCTSTR GetStoredFormula(int) const override { return m_formula.c_str(); }
    BOOL GetColumnText(int nColumn, CString& strText) override
    {
        strText = nColumn == 1 ? "0" : nColumn == 2 ? "0.4" : "7";
        return TRUE;
    }
    void ReportError(LPCTSTR pszMessage) override { m_reported.push_back(pszMessage); }

    std::string m_formula;
    std::vector<std::string> m_reported;
};
}  // namespace

TEST(FormulaZeroDivisor, IntegerDivisionsByZeroShowTheZeroDivisorText)
{
    struct
    {
        const char* pszFormula;
        const char* pszExpected;
    } const cases[] = {
        { " 7 % 0", "Divided by ZERO error" },
        { " 7 \\ 0", "Divided by ZERO error" },
        { " \"0\" % \"1\"", "Divided by ZERO error" },      // an operand cell holding 0
        { " \"0\" % \"2\"", "Divided by ZERO error" },      // 0.4 truncates to 0
        { " (\"0\" \\ \"1\") + 1", "Divided by ZERO error" },
        { " 10 / (7 % 0)", "Divided by ZERO error" },       // inside the divisor part of a "/"
        { " 7 % 3", "1.00" },                                 // the rest is unchanged
        { " 7 \\ 2", "3.00" },
        { " 7 / 0", "Divided by ZERO error" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszFormula);
        CZeroRow row;
        row.m_formula = c.pszFormula;
        CString text("(before)");
        EXPECT_EQ(1, GetFormulaCellText(row, 5, text));
        EXPECT_EQ(c.pszExpected, std::string(text.GetString()));
        EXPECT_TRUE(row.m_reported.empty()) << row.m_reported.front();
    }
}
