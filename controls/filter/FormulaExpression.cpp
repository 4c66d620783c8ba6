// Formula evaluator: infix to postfix with an operator stack, postfix evaluation with a value
// stack. Formula cells are evaluated on every paint, so both passes work on plain character
// ranges with inline buffers and allocate only for unusually long texts.
#include "filter/FormulaExpression.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>

namespace {

// A stack or text buffer holding N elements inline and growing on the heap beyond them.
template <class T, size_t N> class CSmallBuffer
{
public:
    CSmallBuffer() : m_p(m_inline) {}
    CSmallBuffer(const CSmallBuffer&) = delete;
    CSmallBuffer& operator=(const CSmallBuffer&) = delete;

    size_t GetSize() const { return m_nSize; }
    bool IsEmpty() const { return m_nSize == 0; }
    const T* GetData() const { return m_p; }
    T& Top() { return m_p[m_nSize - 1]; }
    void Push(T v)
    {
        if (m_nSize == m_nCapacity)
            Grow(m_nSize + 1);
        m_p[m_nSize++] = v;
    }
    T Pop() { return m_p[--m_nSize]; }
    void Append(const T* p, size_t n)
    {
        if (m_nSize + n > m_nCapacity)
            Grow(m_nSize + n);
        std::memcpy(m_p + m_nSize, p, n * sizeof(T));
        m_nSize += n;
    }

private:
    void Grow(size_t nMin)
    {
        size_t nNew = m_nCapacity * 2;
        if (nNew < nMin)
            nNew = nMin;
        std::unique_ptr<T[]> pNew(new T[nNew]);
        std::memcpy(pNew.get(), m_p, m_nSize * sizeof(T));
        m_heap = std::move(pNew);
        m_p = m_heap.get();
        m_nCapacity = nNew;
    }

    T m_inline[N];
    T* m_p;
    size_t m_nSize = 0;
    size_t m_nCapacity = N;
    std::unique_ptr<T[]> m_heap;
};

typedef CSmallBuffer<char, 256> CTextBuffer;

enum EOperator
{
    OP_MUL, OP_POW, OP_DIV, OP_IDIV, OP_MOD, OP_SHL, OP_SHR, OP_SUB, OP_ADD, OP_XOR, OP_AND,
    OP_OR, OP_NOR, OP_LAND, OP_LOR, OP_NAND, OP_EQ, OP_LT, OP_GT, OP_GE, OP_NE, OP_LE
};

struct sOperator
{
    char szText[3];
    int nLength;
    int nPrecedence;
    EOperator eOp;
};

// Looked up first-match: the second "^" (exclusive or) is shadowed by power, and the entries
// with "!" can never match because "!" is not an operator character.
const sOperator s_arrOperators[22] = {
    { "*", 1, 19, OP_MUL },  { "^", 1, 19, OP_POW },  { "/", 1, 19, OP_DIV },
    { "\\", 1, 19, OP_IDIV }, { "%", 1, 18, OP_MOD },  { "<<", 2, 17, OP_SHL },
    { ">>", 2, 17, OP_SHR }, { "-", 1, 16, OP_SUB },  { "+", 1, 16, OP_ADD },
    { "^", 1, 15, OP_XOR },  { "&", 1, 15, OP_AND },  { "|", 1, 15, OP_OR },
    { "!|", 2, 15, OP_NOR }, { "&&", 2, 14, OP_LAND }, { "||", 2, 14, OP_LOR },
    { "!&", 2, 15, OP_NAND }, { "==", 2, 13, OP_EQ }, { "<", 1, 13, OP_LT },
    { ">", 1, 13, OP_GT },   { ">=", 2, 13, OP_GE },  { "!=", 2, 13, OP_NE },
    { "<=", 2, 13, OP_LE },
};

const int OPEN_PAREN = -1; // operator stack entry for "("

inline bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

inline bool IsOperatorChar(char c)
{
    switch (c)
    {
    case '<': case '>': case '=': case '*': case '/': case '%':
    case '+': case '-': case '^': case '&': case '|': case '\\':
        return true;
    default:
        return false;
    }
}

inline bool IsNumberChar(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '.';
}

// Table index of exactly this text, or -1.
int LookupOperator(const char* p, size_t n)
{
    for (int i = 0; i < 22; ++i)
    {
        const sOperator& op = s_arrOperators[i];
        if ((size_t)op.nLength == n && op.szText[0] == p[0] && (n == 1 || op.szText[1] == p[1]))
            return i;
    }
    return -1;
}

// The operator whose text is the whole run of operator characters at p, or -1. Table texts have
// at most two characters, so a longer run is never one and need not be measured to its end.
int OperatorAt(const char* p, const char* pEnd)
{
    size_t n = 0;
    while (p + n < pEnd && n < 3 && IsOperatorChar(p[n]))
        ++n;
    if (n == 0 || n > 2)
        return -1;
    return LookupOperator(p, n);
}

// A number token: the first character whatever it is, then letters, digits and dots.
size_t NumberTokenLength(const char* p, const char* pEnd)
{
    if (p >= pEnd)
        return 0;
    const char* q = p + 1;
    while (q < pEnd && IsNumberChar(*q))
        ++q;
    return (size_t)(q - p);
}

// Converts a whole token as strtod does; false when characters remain unconverted.
// Tokens that from_chars reads completely (plain decimal, correctly rounded as strtod rounds)
// skip the copy; anything else (a "+" sign, hexadecimal, out of range) goes to strtod itself.
bool ConvertNumber(const char* p, size_t n, double& dValue)
{
    std::from_chars_result r = std::from_chars(p, p + n, dValue, std::chars_format::general);
    if (r.ec == std::errc() && r.ptr == p + n)
        return true;
    char szSmall[64];
    std::unique_ptr<char[]> pLarge;
    char* psz = szSmall;
    if (n >= sizeof(szSmall))
    {
        pLarge.reset(new char[n + 1]);
        psz = pLarge.get();
    }
    std::memcpy(psz, p, n);
    psz[n] = '\0';
    char* pStop = nullptr;
    dValue = std::strtod(psz, &pStop);
    return pStop == psz + n;
}

// Truncation toward zero to a signed 32-bit integer. A value out of range (or NaN) gives
// INT32_MIN, the "integer indefinite" that the x86 conversion instruction produces.
inline int32_t ToInt32(double d)
{
    if (d > -2147483649.0 && d < 2147483648.0)
        return (int32_t)d;
    return INT32_MIN;
}

// Applies one table operator; false for an integer division by zero.
bool Apply(EOperator eOp, double a, double b, double& dResult)
{
    switch (eOp)
    {
    case OP_MUL: dResult = a * b; return true;
    case OP_POW: dResult = std::pow(a, b); return true;
    case OP_DIV: dResult = a / b; return true;
    case OP_IDIV:
        if (b == 0.0)
            return false;
        dResult = ToInt32(a / b);
        return true;
    case OP_MOD:
    {
        int32_t nA = ToInt32(a), nB = ToInt32(b);
        if (nB == 0)
            return false;
        dResult = (nB == -1) ? 0 : nA % nB; // INT32_MIN % -1 traps on x86
        return true;
    }
    case OP_SHL: dResult = (int32_t)((uint32_t)ToInt32(a) << ((uint32_t)ToInt32(b) & 31u)); return true;
    case OP_SHR: dResult = ToInt32(a) >> ((uint32_t)ToInt32(b) & 31u); return true;
    case OP_SUB: dResult = a - b; return true;
    case OP_ADD: dResult = a + b; return true;
    case OP_XOR: dResult = ToInt32(a) ^ ToInt32(b); return true;
    case OP_AND: dResult = ToInt32(a) & ToInt32(b); return true;
    case OP_OR: dResult = ToInt32(a) | ToInt32(b); return true;
    case OP_NOR: dResult = ~(ToInt32(a) | ToInt32(b)); return true;
    case OP_LAND: dResult = (a != 0.0 && b != 0.0) ? 1 : 0; return true;
    case OP_LOR: dResult = (a == 0.0 && b == 0.0) ? 0 : 1; return true;
    case OP_NAND: dResult = ~(ToInt32(a) & ToInt32(b)); return true;
    case OP_EQ: dResult = (a == b) ? 1 : 0; return true;
    case OP_LT: dResult = (a < b) ? 1 : 0; return true;
    case OP_GT: dResult = (a > b) ? 1 : 0; return true;
    case OP_GE: dResult = (a >= b) ? 1 : 0; return true;
    case OP_NE: dResult = (a != b) ? 1 : 0; return true;
    case OP_LE: dResult = (a <= b) ? 1 : 0; return true;
    }
    return false;
}

inline void Emit(CTextBuffer& out, const char* p, size_t n)
{
    out.Push(' ');
    out.Append(p, n);
}

int InfixToPostfixCore(const char* pText, size_t nLength, CTextBuffer& out)
{
    const char* const pEnd = pText + nLength;
    CSmallBuffer<int, 64> stack;
    bool bLastIsShortOperator = false; // the last token is an operator text of one character

    const char* p = pText;
    while (p < pEnd)
    {
        const char c = *p;
        if (IsSpace(c))
        {
            ++p;
            continue;
        }
        if (c == '(')
        {
            stack.Push(OPEN_PAREN);
            ++p;
            continue;
        }
        if (c == ')')
        {
            for (;;)
            {
                if (stack.IsEmpty())
                    return FORMULA_ERR_OPERANDS;
                int nTop = stack.Pop();
                if (nTop == OPEN_PAREN)
                    break;
                Emit(out, s_arrOperators[nTop].szText, (size_t)s_arrOperators[nTop].nLength);
            }
            ++p;
            continue;
        }

        const int nOp = OperatorAt(p, pEnd);
        bool bUnary = false;
        if (nOp >= 0)
        {
            const char* q = p;
            while (q > pText && IsSpace(q[-1]))
                --q;
            bUnary = (q == pText) || OperatorAt(q - 1, pEnd) >= 0;
        }

        if (nOp < 0 || bUnary)
        {
            const size_t nToken = NumberTokenLength(p, pEnd);
            if (nToken == 0)
                return FORMULA_ERR_NUMBER;
            if (bUnary)
            {
                out.Append(" (", 2);
                out.Append(p, nToken);
                out.Push(')');
            }
            else
                Emit(out, p, nToken);
            bLastIsShortOperator = nToken == 1 && LookupOperator(p, 1) >= 0;
            p += nToken;
            continue;
        }

        // Binary operator. A leading zero makes a sign after "(" (or after a one-character
        // operator) subtract from 0.
        const sOperator& op = s_arrOperators[nOp];
        if (out.IsEmpty() || bLastIsShortOperator)
            out.Append(" 0", 2);
        bLastIsShortOperator = op.nLength == 1;
        while (!stack.IsEmpty() && stack.Top() != OPEN_PAREN
               && s_arrOperators[stack.Top()].nPrecedence >= op.nPrecedence)
        {
            int nTop = stack.Pop();
            Emit(out, s_arrOperators[nTop].szText, (size_t)s_arrOperators[nTop].nLength);
        }
        stack.Push(nOp);
        p += op.nLength;
    }

    while (!stack.IsEmpty())
    {
        int nTop = stack.Pop();
        if (nTop == OPEN_PAREN)
            return FORMULA_ERR_OPERANDS;
        Emit(out, s_arrOperators[nTop].szText, (size_t)s_arrOperators[nTop].nLength);
    }
    return FORMULA_OK;
}

int EvaluatePostfixCore(const char* pText, size_t nLength, double& dResult, bool* pbZeroDivisor = nullptr)
{
    const char* const pEnd = pText + nLength;
    CSmallBuffer<double, 64> stack;

    const char* p = pText;
    while (p < pEnd)
    {
        const char c = *p;
        if (IsSpace(c) || c == '(' || c == ')')
        {
            ++p;
            continue;
        }
        const int nOp = OperatorAt(p, pEnd);
        if (nOp >= 0 && !(p > pText && p[-1] == '('))
        {
            if (stack.IsEmpty())
                return FORMULA_ERR_OPERANDS;
            const double b = stack.Pop();
            if (stack.IsEmpty())
                return FORMULA_ERR_OPERANDS;
            const double a = stack.Pop();
            double dValue = 0;
            if (!Apply(s_arrOperators[nOp].eOp, a, b, dValue))
            {
                if (pbZeroDivisor != nullptr)
                    *pbZeroDivisor = true;   // Apply refuses integer divisions by zero only
                return FORMULA_ERR_FAILED;
            }
            stack.Push(dValue);
            p += s_arrOperators[nOp].nLength;
            continue;
        }
        // A token written as "(-5)" is read from its sign; the "(" was skipped above.
        const size_t nToken = NumberTokenLength(p, pEnd);
        double dValue = 0;
        if (!ConvertNumber(p, nToken, dValue))
            return FORMULA_ERR_NUMBER;
        stack.Push(dValue);
        p += nToken;
    }

    // No operand at all (an empty or all-parentheses text) counts as a missing operand.
    if (stack.IsEmpty())
        return FORMULA_ERR_OPERANDS;
    dResult = stack.Pop();
    return stack.IsEmpty() ? FORMULA_OK : FORMULA_ERR_FAILED;
}

// The common case in one pass: numbers that convert, binary operators and balanced
// parentheses, evaluated while the operator stack is unwound. Whenever the text needs any rule
// beyond that (unary position, the inserted " 0", a token that is no number, a missing or
// leftover operand, a failure) it gives up and the textual route decides; when it succeeds, the
// postfix text would have held exactly these tokens in this order, so the result is the same.
bool TryEvaluateDirect(const char* pText, size_t nLength, double& dResult)
{
    const char* const pEnd = pText + nLength;
    CSmallBuffer<int, 64> ops;
    CSmallBuffer<double, 64> values;
    bool bOutput = false;
    bool bLastIsShortOperator = false;

    auto fnApplyTop = [&]() -> bool {
        const int nTop = ops.Pop();
        if (values.GetSize() < 2)
            return false;
        const double b = values.Pop();
        const double a = values.Pop();
        double dValue = 0;
        if (!Apply(s_arrOperators[nTop].eOp, a, b, dValue))
            return false;
        values.Push(dValue);
        bOutput = true;
        return true;
    };

    const char* p = pText;
    while (p < pEnd)
    {
        const char c = *p;
        if (IsSpace(c))
        {
            ++p;
            continue;
        }
        if (c == '(')
        {
            ops.Push(OPEN_PAREN);
            ++p;
            continue;
        }
        if (c == ')')
        {
            for (;;)
            {
                if (ops.IsEmpty())
                    return false;
                if (ops.Top() == OPEN_PAREN)
                {
                    ops.Pop();
                    break;
                }
                if (!fnApplyTop())
                    return false;
            }
            ++p;
            continue;
        }
        const int nOp = OperatorAt(p, pEnd);
        if (nOp < 0)
        {
            const size_t nToken = NumberTokenLength(p, pEnd);
            double dValue = 0;
            if (!ConvertNumber(p, nToken, dValue))
                return false;
            values.Push(dValue);
            bOutput = true;
            bLastIsShortOperator = false;
            p += nToken;
            continue;
        }
        // A binary operator right after a value or ")"; anything else takes the textual route.
        const char* q = p;
        while (q > pText && IsSpace(q[-1]))
            --q;
        if (!bOutput || bLastIsShortOperator || q == pText || OperatorAt(q - 1, pEnd) >= 0)
            return false;
        const sOperator& op = s_arrOperators[nOp];
        bLastIsShortOperator = op.nLength == 1;
        while (!ops.IsEmpty() && ops.Top() != OPEN_PAREN
               && s_arrOperators[ops.Top()].nPrecedence >= op.nPrecedence)
        {
            if (!fnApplyTop())
                return false;
        }
        ops.Push(nOp);
        p += op.nLength;
    }
    while (!ops.IsEmpty())
    {
        if (ops.Top() == OPEN_PAREN || !fnApplyTop())
            return false;
    }
    if (values.GetSize() != 1)
        return false;
    dResult = values.Pop();
    return true;
}

} // namespace

int InfixToPostfix(const std::string& strInfix, std::string& strPostfix)
{
    try
    {
        CTextBuffer out;
        int nStatus = InfixToPostfixCore(strInfix.data(), strInfix.size(), out);
        strPostfix.assign(out.GetData(), out.GetSize());
        return nStatus;
    }
    catch (const std::exception&)
    {
        return FORMULA_ERR_FAILED;
    }
}

int EvaluatePostfix(const std::string& strPostfix, double& dResult)
{
    try
    {
        return EvaluatePostfixCore(strPostfix.data(), strPostfix.size(), dResult);
    }
    catch (const std::exception&)
    {
        return FORMULA_ERR_FAILED;
    }
}

int EvaluateExpression(const char* pszExpression, size_t nLength, double& dResult)
{
    bool bZeroDivisor = false;
    return EvaluateExpression(pszExpression, nLength, dResult, bZeroDivisor);
}

int EvaluateExpression(const char* pszExpression, size_t nLength, double& dResult, bool& bZeroDivisor)
{
    bZeroDivisor = false;
    try
    {
        if (TryEvaluateDirect(pszExpression, nLength, dResult))
            return FORMULA_OK;
        CTextBuffer postfix;
        int nStatus = InfixToPostfixCore(pszExpression, nLength, postfix);
        if (nStatus != FORMULA_OK)
            return nStatus;
        return EvaluatePostfixCore(postfix.GetData(), postfix.GetSize(), dResult, &bZeroDivisor);
    }
    catch (const std::exception&)
    {
        return FORMULA_ERR_FAILED;
    }
}

int EvaluateExpression(const std::string& strExpression, double& dResult)
{
    return EvaluateExpression(strExpression.data(), strExpression.size(), dResult);
}
