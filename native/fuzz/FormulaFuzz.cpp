// libFuzzer target for the formula language. Besides crashes, leaks and hangs it checks the fast
// evaluator against a slow reference written straight from the rules (std::string tokens, strtod
// only, operator runs measured to their end), and the cell algorithm, formula columns built on
// formula columns included, against a reference built on CString::Tokenize and atof: the cell
// text, the result and the number of error messages must all agree.
//
// Input layout: the bytes up to the first '\x01' are an expression; the rest, cut at '\x01', are
// the stored formulas of columns 4 to 7 and the texts of columns 0 to 3 of one row (a text that
// starts with '\x02' fails to fetch).
#include "filter/FormulaColumn.h"
#include "FuzzOracle.h"
#include "filter/FormulaExpression.h"

#include <cmath>
#include <cstring>

namespace ref {

struct sOp { const char* pszText; int nPrecedence; };

const sOp s_ops[22] = { { "*", 19 }, { "^", 19 }, { "/", 19 }, { "\\", 19 }, { "%", 18 }, { "<<", 17 },
                        { ">>", 17 }, { "-", 16 }, { "+", 16 }, { "^", 15 }, { "&", 15 }, { "|", 15 },
                        { "!|", 15 }, { "&&", 14 }, { "||", 14 }, { "!&", 15 }, { "==", 13 }, { "<", 13 },
                        { ">", 13 }, { ">=", 13 }, { "!=", 13 }, { "<=", 13 } };

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsOpChar(char c) { return std::strchr("<>=*/%+-^&|\\", c) != nullptr && c != '\0'; }
bool IsNumChar(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '.';
}

int Lookup(const std::string& s)
{
    for (int i = 0; i < 22; ++i)
        if (s == s_ops[i].pszText)
            return i;
    return -1;
}

std::string RunAt(const std::string& s, size_t i)
{
    size_t j = i;
    while (j < s.size() && IsOpChar(s[j]))
        ++j;
    return s.substr(i, j - i);
}

std::string TokenAt(const std::string& s, size_t i)
{
    size_t j = i + 1;
    while (j < s.size() && IsNumChar(s[j]))
        ++j;
    return s.substr(i, j - i);
}

int ToInt(double d)
{
    double t = std::trunc(d);
    if (!(t >= -2147483648.0 && t <= 2147483647.0))
        return INT32_MIN;
    return (int)t;
}

int InfixToPostfix(const std::string& s, std::string& out)
{
    std::vector<std::string> stack;
    std::string last;
    out.clear();
    for (size_t i = 0; i < s.size();)
    {
        if (IsSpace(s[i])) { ++i; continue; }
        if (s[i] == '(') { stack.push_back("("); ++i; continue; }
        if (s[i] == ')')
        {
            for (; !stack.empty() && stack.back() != "("; stack.pop_back())
                out += " " + stack.back();
            if (stack.empty())
                return 1;
            stack.pop_back();
            ++i;
            continue;
        }
        std::string op = RunAt(s, i);
        bool bOp = Lookup(op) >= 0;
        bool bUnary = false;
        if (bOp)
        {
            size_t j = i;
            while (j > 0 && IsSpace(s[j - 1]))
                --j;
            bUnary = j == 0 || Lookup(RunAt(s, j - 1)) >= 0;
        }
        if (!bOp || bUnary)
        {
            std::string tok = TokenAt(s, i);
            out += bUnary ? " (" + tok + ")" : " " + tok;
            last = tok;
            i += tok.size();
            continue;
        }
        if (out.empty() || (last.size() == 1 && Lookup(last) >= 0))
            out += " 0";
        last = op;
        int nPrec = s_ops[Lookup(op)].nPrecedence;
        while (!stack.empty() && stack.back() != "("
               && (Lookup(stack.back()) >= 0 ? s_ops[Lookup(stack.back())].nPrecedence : 1) >= nPrec)
        {
            out += " " + stack.back();
            stack.pop_back();
        }
        stack.push_back(op);
        i += op.size();
    }
    while (!stack.empty())
    {
        if (stack.back() == "(")
            return 1;
        out += " " + stack.back();
        stack.pop_back();
    }
    return 0;
}

// Set when an integer division by zero ended an evaluation (a cell then reads as divided by zero).
bool g_bZeroDivisor = false;

int EvaluatePostfix(const std::string& s, double& dResult)
{
    std::vector<double> stack;
    for (size_t i = 0; i < s.size();)
    {
        if (IsSpace(s[i]) || s[i] == '(' || s[i] == ')') { ++i; continue; }
        std::string op = RunAt(s, i);
        int k = Lookup(op);
        if (k >= 0 && !(i > 0 && s[i - 1] == '('))
        {
            if (stack.size() < 2)
                return 1;
            const double b = stack.back();
            stack.pop_back();
            const double a = stack.back();
            stack.pop_back();
            double r = 0;
            switch (k)
            {
            case 0: r = a * b; break;
            case 1: r = std::pow(a, b); break;
            case 2: r = a / b; break;
            case 3: if (b == 0) { g_bZeroDivisor = true; return 4; } r = ToInt(a / b); break;
            case 4: if (ToInt(b) == 0) { g_bZeroDivisor = true; return 4; } r = ToInt(b) == -1 ? 0 : ToInt(a) % ToInt(b); break;
            case 5: r = (int)((unsigned)ToInt(a) << (ToInt(b) & 31)); break;
            case 6: r = ToInt(a) >> (ToInt(b) & 31); break;
            case 7: r = a - b; break;
            case 8: r = a + b; break;
            case 10: r = ToInt(a) & ToInt(b); break;
            case 11: r = ToInt(a) | ToInt(b); break;
            case 13: r = (a != 0 && b != 0); break;
            case 14: r = !(a == 0 && b == 0); break;
            case 16: r = a == b; break;
            case 17: r = a < b; break;
            case 18: r = a > b; break;
            case 19: r = a >= b; break;
            case 21: r = a <= b; break;
            default: __builtin_trap(); // unreachable entries
            }
            stack.push_back(r);
            i += op.size();
            continue;
        }
        std::string tok = TokenAt(s, i);
        char* pEnd = nullptr;
        double d = std::strtod(tok.c_str(), &pEnd);
        if (pEnd != tok.c_str() + tok.size())
            return 3;
        stack.push_back(d);
        i += tok.size();
    }
    if (stack.empty())
        return 1;
    dResult = stack.back();
    stack.pop_back();
    return stack.empty() ? 0 : 4;
}

int EvaluateExpression(const std::string& s, double& dResult)
{
    std::string strPostfix;
    int n = InfixToPostfix(s, strPostfix);
    return n != 0 ? n : EvaluatePostfix(strPostfix, dResult);
}

} // namespace ref

namespace {

bool Same(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
}

class CFuzzRow : public CFormulaCellSource
{
public:
    explicit CFuzzRow(int nColumns, UINT nOptions = 0) : CFormulaCellSource(nOptions), m_nColumns(nColumns) {}
    int GetColumnCount() const override { return m_nColumns; }
    BOOL IsFormulaColumn(int nColumn) const override { return nColumn >= 4; }
    LPCTSTR GetStoredFormula(int nColumn) const override { return m_formulas[(size_t)(nColumn - 4) % 4]; }
    BOOL GetColumnText(int nColumn, CString& strText) override
    {
        if (nColumn < 0 || nColumn >= 4)
            std::abort(); // formula columns and columns without records are never fetched
        strText = m_cells[nColumn];
        return !(m_cells[nColumn].GetLength() > 0 && m_cells[nColumn][0] == '\x02');
    }
    void ReportError(LPCTSTR) override { ++m_nReports; }

    int m_nColumns;
    CString m_formulas[4];
    CString m_cells[4];
    int m_nReports = 0;
};

// The cell algorithm, written with CString::Tokenize and atof. A formula column already on the
// chain, a chain deeper than 32 or more than 1,024 formula computations cut the whole cell (empty
// text); a formula column that fails reads as an empty text (0) where it is used.
enum ERefResult { REF_DONE, REF_FAILED, REF_CUT };

struct sRefWalk
{
    std::vector<int> chain;
    int nBudget = 1024;
    int nReports = 0;
};

ERefResult ReferenceFormula(CFuzzRow& row, int nColumn, CString& strText, sRefWalk& walk);

ERefResult ReferenceCell(CFuzzRow& row, int nColumn, CString& strText, sRefWalk& walk)
{
    for (int n : walk.chain)
        if (n == nColumn)
            return REF_CUT;
    if (walk.chain.size() >= 32 || --walk.nBudget < 0)
        return REF_CUT;
    walk.chain.push_back(nColumn);
    ERefResult e = ReferenceFormula(row, nColumn, strText, walk);
    walk.chain.pop_back();
    return e;
}

ERefResult ReferenceFormula(CFuzzRow& row, int nColumn, CString& strText, sRefWalk& walk)
{
    const bool bTrim = (row.m_nOptions & FCS_TRIM_OPERANDS) != 0;
    if (bTrim)
        strText.Empty();
    CString strFormula = row.GetStoredFormula(nColumn);
    std::string strExpr;
    int iStart = 0;
    bool bLiteral = true;
    for (CString tok = strFormula.Tokenize("\"", iStart); iStart != -1; tok = strFormula.Tokenize("\"", iStart))
    {
        if (bLiteral)
            strExpr += tok.GetString();
        else
        {
            long long n = std::strtoll(tok, nullptr, 10);
            CString strValue;
            if (n < 0 || n >= row.GetColumnCount())
                ;
            else if (n >= 4)
            {
                ERefResult e = ReferenceCell(row, (int)n, strValue, walk);
                if (e == REF_CUT)
                    return e;
                if (e == REF_FAILED)
                    strValue.Empty();
            }
            else if (!row.GetColumnText((int)n, strValue))
                return REF_FAILED;
            if (bTrim)
            {
                strValue.Trim();
                if (strValue.IsEmpty())
                {
                    strText.Empty();
                    return REF_DONE;
                }
            }
            strExpr += std::atof(strValue) == 0.0 ? std::string("0") : std::string(strValue.GetString());
        }
        bLiteral = !bLiteral;
    }
    double d = 0;
    bool bZero = false;
    const size_t nSlash = strExpr.find('/');
    if (nSlash != std::string::npos)
    {
        ref::g_bZeroDivisor = false;
        if (ref::EvaluateExpression(strExpr.substr(nSlash + 1), d) >= 3 && !ref::g_bZeroDivisor)
            return REF_FAILED;
        bZero = ref::g_bZeroDivisor || d == 0.0;
    }
    ref::g_bZeroDivisor = false;
    if (!bZero && ref::EvaluateExpression(strExpr, d) > 3 && !ref::g_bZeroDivisor)
    {
        ++walk.nReports;
        return REF_FAILED;
    }
    if (bZero || ref::g_bZeroDivisor)
    {
        strText = "Divided by ZERO error";
        return REF_DONE;
    }
    char szBuf[400];
    std::snprintf(szBuf, sizeof(szBuf), "%.*lf", 2, d);
    strText = szBuf;
    return REF_DONE;
}

// GetFormulaCellText as the reference computes it; nReports counts the error messages.
int ReferenceCellText(CFuzzRow& row, int nColumn, CString& strText, int& nReports)
{
    sRefWalk walk;
    ERefResult e = ReferenceCell(row, nColumn, strText, walk);
    nReports = walk.nReports;
    if (e == REF_CUT)
        strText.Empty();
    return e == REF_DONE ? 1 : 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const std::vector<std::string> parts = Split(Text(pData, nSize), '\x01');

    // The evaluator against the reference, statuses and values alike.
    const std::string& strExpr = parts[0];
    std::string strPostfix, strRefPostfix;
    int nStatus = InfixToPostfix(strExpr, strPostfix);
    Check(nStatus == ref::InfixToPostfix(strExpr, strRefPostfix), "InfixToPostfix status");
    if (nStatus == 0)
        Check(strPostfix == strRefPostfix, "postfix text");
    double dOurs = 7.5, dRef = 7.5;
    nStatus = EvaluateExpression(strExpr, dOurs);
    Check(nStatus == ref::EvaluateExpression(strExpr, dRef), "EvaluateExpression status");
    Check(Same(dOurs, dRef), "EvaluateExpression value");
    dOurs = dRef = 7.5;
    Check(EvaluatePostfix(strExpr, dOurs) == ref::EvaluatePostfix(strExpr, dRef), "EvaluatePostfix status");
    Check(Same(dOurs, dRef), "EvaluatePostfix value");

    if (parts.size() >= 2)
    {
        // One formula column over four plain columns, then four formula columns over each other,
        // trimmed (the multi-line list) and not: against the reference, messages counted too.
        for (int nFormulas : { 1, 4 })
        {
            for (UINT nOptions : { 0u, (UINT)FCS_TRIM_OPERANDS })
            {
                CFuzzRow row(4 + nFormulas + (int)(nSize % 3), nOptions);
                for (size_t i = 0; i < 4; ++i)
                {
                    row.m_formulas[i] = i + 1 < parts.size() && (int)i < nFormulas ? parts[i + 1].c_str() : "";
                    row.m_cells[i] = i + 1 + (size_t)nFormulas < parts.size() ? parts[i + 1 + nFormulas].c_str() : "";
                }
                const int nColumn = 4 + (nFormulas == 1 ? 0 : (int)(nSize % 4));
                CString strOurs("(before)"), strRef("(before)");
                row.m_nReports = 0;
                int nOurs = GetFormulaCellText(row, nColumn, strOurs);
                const int nOurReports = row.m_nReports;
                int nRefReports = 0;
                int nRef = ReferenceCellText(row, nColumn, strRef, nRefReports);
                Check(nOurs == nRef, "formula cell result");
                Check(strOurs == strRef, "formula cell text");
                Check(nOurReports == nRefReports, "formula cell error messages");
            }
        }

        // Display form conversion with the texts as column names.
        sFormulaOperand operands[4];
        for (int i = 0; i < 4; ++i)
        {
            operands[i].strName = i + 2 < (int)parts.size() ? parts[(size_t)i + 2].c_str() : "";
            operands[i].nColumn = i * 7;
        }
        CString strStored, strCheck;
        CheckFormulaDisplayForm(parts[1].c_str(), operands, 4, strStored, strCheck);
    }
    return 0;
}
