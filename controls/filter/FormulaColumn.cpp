#include "filter/FormulaColumn.h"

#include "filter/FormulaExpression.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

// The next piece of a text cut at double quotes the way CString::Tokenize cuts it: runs of
// quotes count as one separator and quotes at the start are skipped, so pieces are never empty.
// iStart is the tokenizing position; false when no piece is left.
bool NextQuotePiece(const char* psz, int nLength, int& iStart, const char*& pPiece, int& nPiece)
{
    if (iStart < 0 || iStart >= nLength)
    {
        iStart = -1;
        return false;
    }
    int i = iStart;
    while (i < nLength && psz[i] == '"')
        ++i;
    if (i >= nLength)
    {
        iStart = -1;
        return false;
    }
    int j = i;
    while (j < nLength && psz[j] != '"')
        ++j;
    pPiece = psz + i;
    nPiece = j - i;
    iStart = j + 1;
    return true;
}

// atoi of a reference piece; an index that does not fit an int reads as -1 (no record).
int ReadColumnIndex(const char* pPiece, int nPiece)
{
    if (nPiece > 0 && nPiece <= 9)
    {
        // The common reference, a few plain digits, is read here.
        int nValue = 0;
        int i = 0;
        for (; i < nPiece && pPiece[i] >= '0' && pPiece[i] <= '9'; ++i)
            nValue = nValue * 10 + (pPiece[i] - '0');
        if (i == nPiece)
            return nValue;
    }
    char szSmall[32];
    std::string strLarge;
    const char* psz = szSmall;
    if (nPiece < (int)sizeof(szSmall))
    {
        std::memcpy(szSmall, pPiece, (size_t)nPiece);
        szSmall[nPiece] = '\0';
    }
    else
    {
        strLarge.assign(pPiece, (size_t)nPiece);
        psz = strLarge.c_str();
    }
    const long long nValue = std::strtoll(psz, nullptr, 10);
    return (nValue < INT_MIN || nValue > INT_MAX) ? -1 : (int)nValue;
}

double ReadCellValue(const CString& strText);

// Whether atof of a cell text is 0. A short plain decimal (blanks, a sign, digits with at most one
// point, then anything but an exponent or a hexadecimal mark) is zero exactly when all its digits
// are: with at most 64 characters no non-zero digit can underflow. Everything else is converted.
bool IsZeroValue(const CString& strText)
{
    const char* p = strText;
    const int nLength = strText.GetLength();
    if (nLength <= 64)
    {
        const char* pEnd = p + nLength;
        while (p < pEnd && (*p == ' ' || (*p >= '\t' && *p <= '\r')))
            ++p;
        if (p < pEnd && (*p == '-' || *p == '+'))
            ++p;
        bool bDigits = false;
        bool bNonZero = false;
        bool bPoint = false;
        for (; p < pEnd; ++p)
        {
            if (*p >= '0' && *p <= '9')
            {
                bDigits = true;
                bNonZero = bNonZero || *p != '0';
            }
            else if (*p == '.' && !bPoint)
                bPoint = true;
            else
                break;
        }
        const bool bMore = p < pEnd && (*p == 'e' || *p == 'E' || *p == 'x' || *p == 'X');
        if (bDigits && !bMore)
            return !bNonZero;
    }
    return ReadCellValue(strText) == 0.0;
}

// atof of a cell text. Texts that from_chars reads (decimal, the common case) skip strtod.
double ReadCellValue(const CString& strText)
{
    const char* p = strText;
    const char* pEnd = p + strText.GetLength();
    while (p < pEnd && (*p == ' ' || (*p >= '\t' && *p <= '\r')))
        ++p;
    const char* pDigits = (p < pEnd && *p == '-') ? p + 1 : p;
    const bool bHex = pEnd - pDigits >= 2 && pDigits[0] == '0' && (pDigits[1] == 'x' || pDigits[1] == 'X');
    if (p < pEnd && *p != '+' && !bHex)
    {
        double dValue = 0;
        if (std::from_chars(p, pEnd, dValue, std::chars_format::general).ec == std::errc())
            return dValue;
    }
    return std::atof(strText);
}

// The expression text of one cell: on the stack unless the formula or its operands are long.
class CExpressionText
{
public:
    CExpressionText() : m_p(m_szInline) {}
    CExpressionText(const CExpressionText&) = delete;
    CExpressionText& operator=(const CExpressionText&) = delete;

    void Append(const char* p, size_t n)
    {
        if (m_nLength + n > m_nCapacity)
        {
            size_t nNew = (m_nLength + n) * 2;
            std::unique_ptr<char[]> pNew(new char[nNew]);
            std::memcpy(pNew.get(), m_p, m_nLength);
            m_heap = std::move(pNew);
            m_p = m_heap.get();
            m_nCapacity = nNew;
        }
        std::memcpy(m_p + m_nLength, p, n);
        m_nLength += n;
    }
    const char* GetData() const { return m_p; }
    size_t GetLength() const { return m_nLength; }

private:
    char m_szInline[256];
    char* m_p;
    size_t m_nLength = 0;
    size_t m_nCapacity = sizeof(m_szInline);
    std::unique_ptr<char[]> m_heap;
};

enum ECellResult
{
    CELL_DONE,   // the text was set (or left alone on purpose)
    CELL_FAILED, // a fetch or the evaluation failed; the text keeps what it had
    CELL_CUT,    // the formula reaches itself again or nests too deeply
};

struct sCellWalk
{
    int arrChain[FORMULA_MAX_NESTING];
    int nDepth;
    int nBudget;
};

ECellResult ComputeCell(CFormulaCellSource& source, int nColumn, CString& strText, sCellWalk& walk);

// "%.2lf" of the result. to_chars gives the same digits (the exact value rounded half to even, as
// printf rounds) without printf's stream set-up; infinities and NaNs keep printf's spelling.
void FormatResult(double dResult, CString& strText)
{
    char szBuf[400]; // "%.2f" of the largest double has 312 characters
    int nLength = -1;
    if (std::isfinite(dResult))
    {
        const std::to_chars_result r =
            std::to_chars(szBuf, szBuf + sizeof(szBuf), dResult, std::chars_format::fixed, 2);
        if (r.ec == std::errc())
            nLength = (int)(r.ptr - szBuf);
    }
    if (nLength < 0)
    {
        nLength = std::snprintf(szBuf, sizeof(szBuf), "%.*lf", 2, dResult);
        if (nLength < 0 || nLength >= (int)sizeof(szBuf))
            nLength = 0;
    }
    if (nLength == 0)
        strText.Empty();
    else
        std::memcpy(strText.GetBufferSetLength(nLength), szBuf, (size_t)nLength);
}

ECellResult ComputeFormula(CFormulaCellSource& source, int nColumn, CString& strText, sCellWalk& walk)
{
    const bool bTrim = (source.m_nOptions & FCS_TRIM_OPERANDS) != 0;
    if (bTrim)
        strText.Empty();

    LPCTSTR pszFormula = source.GetStoredFormula(nColumn);
    if (!pszFormula)
        pszFormula = _T("");
    const size_t nFormulaLength = std::strlen(pszFormula);
    const int nFormula = nFormulaLength > (size_t)INT_MAX ? INT_MAX : (int)nFormulaLength;

    CExpressionText expr;
    CString strValue;
    int iStart = 0;
    bool bLiteral = true;
    const char* pPiece = nullptr;
    int nPiece = 0;
    while (NextQuotePiece(pszFormula, nFormula, iStart, pPiece, nPiece))
    {
        if (bLiteral)
            expr.Append(pPiece, (size_t)nPiece);
        else
        {
            const int nRef = ReadColumnIndex(pPiece, nPiece);
            strValue.Empty();
            if (nRef < 0 || nRef >= source.GetColumnCount())
                ; // no column record: an empty text
            else if (source.IsFormulaColumn(nRef))
            {
                // A formula column that fails reads, as the grid shows it, as an empty text.
                ECellResult eNested = ComputeCell(source, nRef, strValue, walk);
                if (eNested == CELL_CUT)
                    return eNested;
                if (eNested == CELL_FAILED)
                    strValue.Empty();
            }
            else if (!source.GetColumnText(nRef, strValue))
                return CELL_FAILED;

            if (bTrim)
            {
                strValue.Trim();
                if (strValue.IsEmpty())
                {
                    strText.Empty();
                    return CELL_DONE;
                }
            }
            if (IsZeroValue(strValue))
                expr.Append("0", 1);
            else
                expr.Append(strValue.GetString(), (size_t)strValue.GetLength());
        }
        bLiteral = !bLiteral;
    }

    double dResult = 0;
    const char* const pExpr = expr.GetData();
    const size_t nExpr = expr.GetLength();
    const char* pSlash = static_cast<const char*>(std::memchr(pExpr, '/', nExpr));
    if (pSlash)
    {
        // Only the part after the first "/" is checked for a zero divisor.
        bool bZeroDivisor = false;
        int nStatus = EvaluateExpression(pSlash + 1, (size_t)(pExpr + nExpr - pSlash - 1), dResult, bZeroDivisor);
        if (nStatus >= FORMULA_ERR_NUMBER && !bZeroDivisor)
            return CELL_FAILED;
        if (bZeroDivisor || dResult == 0.0)
        {
            strText = FORMULA_DIVIDED_BY_ZERO;
            return CELL_DONE;
        }
    }
    // Statuses 1 to 3 are not reported: the result variable is shown as it stands. An integer
    // division (`%`, backslash) by zero reads as a "/" by zero does, without a message.
    bool bZeroDivisor = false;
    if (EvaluateExpression(pExpr, nExpr, dResult, bZeroDivisor) > FORMULA_ERR_NUMBER)
    {
        if (bZeroDivisor)
        {
            strText = FORMULA_DIVIDED_BY_ZERO;
            return CELL_DONE;
        }
        source.ReportError(FORMULA_CALC_ERROR);
        return CELL_FAILED;
    }
    FormatResult(dResult, strText);
    return CELL_DONE;
}

ECellResult ComputeCell(CFormulaCellSource& source, int nColumn, CString& strText, sCellWalk& walk)
{
    for (int i = 0; i < walk.nDepth; ++i)
    {
        if (walk.arrChain[i] == nColumn)
            return CELL_CUT;
    }
    if (walk.nDepth >= FORMULA_MAX_NESTING || --walk.nBudget < 0)
        return CELL_CUT;
    walk.arrChain[walk.nDepth++] = nColumn;
    ECellResult eResult = ComputeFormula(source, nColumn, strText, walk);
    --walk.nDepth;
    return eResult;
}

int FindOperand(const sFormulaOperand* pOperands, int nOperands, const char* pName, int nName)
{
    for (int i = 0; i < nOperands; ++i)
    {
        const CString& strName = pOperands[i].strName;
        if (strName.GetLength() == nName && std::memcmp(strName.GetString(), pName, (size_t)nName) == 0)
            return i;
    }
    return -1;
}

} // namespace

CFormulaCellSource::CFormulaCellSource(UINT nOptions) : m_nOptions(nOptions)
{
}

CFormulaCellSource::~CFormulaCellSource()
{
}

int GetFormulaCellText(CFormulaCellSource& source, int nColumn, CString& strText)
{
    if (!source.IsFormulaColumn(nColumn))
        return 1;
    sCellWalk walk;
    walk.nDepth = 0;
    walk.nBudget = FORMULA_MAX_NESTED_CELLS;
    switch (ComputeCell(source, nColumn, strText, walk))
    {
    case CELL_DONE:
        return 1;
    case CELL_CUT:
        strText.Empty();
        return 0;
    default:
        return 0;
    }
}

BOOL ConvertFormulaDisplayForm(LPCTSTR pszDisplay, const sFormulaOperand* pOperands, int nOperands,
                               CString& strStored, CString& strCheck)
{
    // The leading space keeps a first piece that is a name from being read as literal text.
    CString strText(_T(" "));
    strText += pszDisplay ? pszDisplay : _T("");
    strStored.Empty();
    strCheck.Empty();

    int iStart = 0;
    bool bLiteral = true;
    const char* pPiece = nullptr;
    int nPiece = 0;
    while (NextQuotePiece(strText, strText.GetLength(), iStart, pPiece, nPiece))
    {
        if (bLiteral)
        {
            strStored.Append(pPiece, nPiece);
            strCheck.Append(pPiece, nPiece);
        }
        else
        {
            int i = FindOperand(pOperands, nOperands, pPiece, nPiece);
            if (i < 0)
                return FALSE;
            char szIndex[16];
            std::snprintf(szIndex, sizeof(szIndex), "%d", pOperands[i].nColumn);
            strStored += '"';
            strStored += szIndex;
            strStored += '"';
            strCheck += szIndex;
        }
        bLiteral = !bLiteral;
    }
    return TRUE;
}

BOOL CheckFormulaDisplayForm(LPCTSTR pszDisplay, const sFormulaOperand* pOperands, int nOperands,
                             CString& strStored, CString& strCheck)
{
    if (!ConvertFormulaDisplayForm(pszDisplay, pOperands, nOperands, strStored, strCheck))
        return FALSE;
    double dValue = 0;
    return EvaluateExpression(strCheck.GetString(), (size_t)strCheck.GetLength(), dValue) == FORMULA_OK;
}
