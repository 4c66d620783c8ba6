// Formula cells against the shortest route to the same texts.
//   formula_cell:       GetFormulaCellText of (col 3 - col 4) * 100 over changing price texts,
//                       against strtod of the two texts, the arithmetic and "%.2lf".
//   formula_expression: EvaluateExpression of "(a - b) * 100" texts, against strtod of a and b
//                       and the arithmetic.
// Each line: bench <name> ratio=<ours/baseline> ours=<ns per item> baseline=<ns per item> n=<items>
#include "filter/FormulaColumn.h"
#include "filter/FormulaExpression.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const int kRows = 4096;
const int kRepeats = 50;
const int kRounds = 10;

struct sPrices
{
    CString strBid;
    CString strAsk;
};

class CBenchRow : public CFormulaCellSource
{
public:
    CBenchRow() : m_strFormula(" (\"3\" - \"4\") * 100") {}
    int GetColumnCount() const override { return 12; }
    BOOL IsFormulaColumn(int nColumn) const override { return nColumn >= 10; }
    LPCTSTR GetStoredFormula(int) const override { return m_strFormula; }
    BOOL GetColumnText(int nColumn, CString& strText) override
    {
        strText = nColumn == 3 ? m_pRow->strBid : m_pRow->strAsk;
        return TRUE;
    }
    void ReportError(LPCTSTR) override {}

    CString m_strFormula;
    const sPrices* m_pRow = nullptr;
};

volatile double g_dSink;
volatile int g_nSink;

// Fastest round of each side, the sides taking turns so that a load on the machine falls on both.
template <class F> double NanosPerItem(F& fnRun, int nItems)
{
    auto t0 = std::chrono::steady_clock::now();
    fnRun();
    auto t1 = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::nano>(t1 - t0).count() / nItems;
}

template <class F, class G> void BestNanosPerItem(F&& fnOurs, G&& fnBase, int nItems, double& dOurs, double& dBase)
{
    dOurs = dBase = 1e300;
    for (int r = 0; r < kRounds; ++r)
    {
        if (r % 2 == 0)
        {
            dOurs = std::min(dOurs, NanosPerItem(fnOurs, nItems));
            dBase = std::min(dBase, NanosPerItem(fnBase, nItems));
        }
        else
        {
            dBase = std::min(dBase, NanosPerItem(fnBase, nItems));
            dOurs = std::min(dOurs, NanosPerItem(fnOurs, nItems));
        }
    }
}

void Report(const char* pszName, double dOurs, double dBase, int nItems)
{
    std::printf("bench %s ratio=%.2f ours=%.1f baseline=%.1f n=%d\n", pszName, dOurs / dBase, dOurs, dBase, nItems);
}

} // namespace

int main()
{
    std::vector<sPrices> rows(kRows);
    std::vector<std::string> exprs(kRows);
    unsigned nSeed = 12345;
    for (int i = 0; i < kRows; ++i)
    {
        nSeed = nSeed * 1103515245u + 12345u;
        const double dBid = 50 + (nSeed >> 8) % 10000 / 100.0;
        nSeed = nSeed * 1103515245u + 12345u;
        const double dAsk = dBid + (nSeed >> 8) % 500 / 100.0;
        rows[i].strBid.Format("%.2f", dBid);
        rows[i].strAsk.Format("%.2f", dAsk);
        exprs[i] = std::string("(") + rows[i].strBid.GetString() + " - " + rows[i].strAsk.GetString() + ") * 100";
    }

    CBenchRow source;
    CString strCell;
    auto fnOurs = [&] {
        for (int k = 0; k < kRepeats; ++k)
            for (const sPrices& row : rows)
            {
                source.m_pRow = &row;
                GetFormulaCellText(source, 10, strCell);
                g_nSink = strCell.GetLength();
            }
    };
    auto fnBase = [&] {
        char szBuf[400];
        for (int k = 0; k < kRepeats; ++k)
            for (const sPrices& row : rows)
            {
                const double d = (std::strtod(row.strBid, nullptr) - std::strtod(row.strAsk, nullptr)) * 100;
                std::snprintf(szBuf, sizeof(szBuf), "%.2lf", d);
                strCell = szBuf;
                g_nSink = strCell.GetLength();
            }
    };

    // Both routes must give the same texts before their times mean anything.
    for (const sPrices& row : rows)
    {
        source.m_pRow = &row;
        CString strOurs;
        GetFormulaCellText(source, 10, strOurs);
        char szBuf[400];
        std::snprintf(szBuf, sizeof(szBuf), "%.2lf",
                      (std::strtod(row.strBid, nullptr) - std::strtod(row.strAsk, nullptr)) * 100);
        if (strOurs != szBuf)
        {
            std::fprintf(stderr, "formula_cell: %s vs %s for %s, %s\n", strOurs.GetString(), szBuf,
                         row.strBid.GetString(), row.strAsk.GetString());
            return 1;
        }
    }
    const int nItems = kRows * kRepeats;
    double dOurs = 0, dBase = 0;
    BestNanosPerItem(fnOurs, fnBase, nItems, dOurs, dBase);
    Report("formula_cell", dOurs, dBase, nItems);

    auto fnExprOurs = [&] {
        for (int k = 0; k < kRepeats; ++k)
            for (const std::string& s : exprs)
            {
                double d = 0;
                EvaluateExpression(s, d);
                g_dSink = d;
            }
    };
    auto fnExprBase = [&] {
        for (int k = 0; k < kRepeats; ++k)
            for (const sPrices& row : rows)
                g_dSink = (std::strtod(row.strBid, nullptr) - std::strtod(row.strAsk, nullptr)) * 100;
    };
    for (int i = 0; i < kRows; ++i)
    {
        double d = 0;
        if (EvaluateExpression(exprs[i], d) != FORMULA_OK
            || d != (std::strtod(rows[i].strBid, nullptr) - std::strtod(rows[i].strAsk, nullptr)) * 100)
        {
            std::fprintf(stderr, "formula_expression: %s differs\n", exprs[i].c_str());
            return 1;
        }
    }
    BestNanosPerItem(fnExprOurs, fnExprBase, nItems, dOurs, dBase);
    Report("formula_expression", dOurs, dBase, nItems);
    return 0;
}
