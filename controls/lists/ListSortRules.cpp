#include "lists/ListSortRules.h"
#include "OrvoTools.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace
{
// The powers of ten a double holds exactly.
const double kExactPowersOfTen[] = { 1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                     1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22 };

inline bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

inline int Sign(long long v)
{
    return v > 0 ? 1 : (v < 0 ? -1 : 0);
}

// Reads a digit run as a 64-bit value, saturating instead of overflowing; advances p past it.
int64_t ReadRun(const char*& p, int& nLength)
{
    uint64_t value = 0;
    const char* start = p;
    while (IsDigit(*p))
    {
        if (value <= (uint64_t)INT64_MAX)
            value = value * 10 + (uint64_t)(*p - '0');
        ++p;
    }
    nLength = (int)(p - start);
    return value > (uint64_t)INT64_MAX ? INT64_MAX : (int64_t)value;
}

inline int CompareChars(char a, char b)
{
    signed char sa = (signed char)a, sb = (signed char)b;
    return sa < sb ? -1 : (sa > sb ? 1 : 0);
}

const char* DashAsMinusOne(const char* text)
{
    if (strcmp(text, "-") == 0 || strcmp(text, "NA") == 0)
        return "-1";
    return text;
}
}  // namespace

int ListNaturalCompare(const char* x, const char* y)
{
    if (x == nullptr || y == nullptr)
        return 0;
    while (*x != '\0' && *y != '\0')
    {
        bool dx = IsDigit(*x), dy = IsDigit(*y);
        if (dx && dy)
        {
            const char* runX = x;
            const char* runY = y;
            int lenX = 0, lenY = 0;
            int64_t vx = ReadRun(x, lenX);
            int64_t vy = ReadRun(y, lenY);
            if (vx == 2147483647 || vy == 2147483647 || vx == -2147483648LL || vy == -2147483648LL)
                return CompareChars(*runX, *runY);
            if (vx != vy)
                return vx < vy ? -1 : 1;
            if (lenX != lenY)
                return lenX > lenY ? -1 : 1;
            continue;
        }
        if (dx != dy)
            return dx ? -1 : 1;
        int c = CompareChars(*x, *y);
        if (c != 0)
            return c;
        ++x;
        ++y;
    }
    if (*x == '\0')
        return *y == '\0' ? 0 : -1;
    return 1;
}

bool ListIsNumericType(int nDataType)
{
    return nDataType == LIST_SORT_INTEGER || nDataType == LIST_SORT_DECIMAL || nDataType == LIST_SORT_LONG ||
           nDataType == LIST_SORT_DECIMAL_5 || nDataType == LIST_SORT_DECIMAL_7 || nDataType == LIST_SORT_DECIMAL_9;
}

double ListNumericKey(const char* text, int nDataType)
{
    if (text == nullptr)
        text = "";
    switch (nDataType)
    {
    case LIST_SORT_INTEGER:
        return (double)atoi(text);
    case LIST_SORT_LONG:
        return (double)atol(text);
    default:
        return ListReadDecimal(DashAsMinusOne(text));
    }
}

// The plain decimals of a price or quantity column ("1234.50", " -7", "0.25 Cr"), read with the
// value "%lf" scanning gives them: blanks, a sign, digits with at most one point, and then
// anything but a letter. The digits (leading zeros included) must make an integer below 2^53 and
// at most 22 of them may follow the point: the integer and the power of ten are then both exact
// doubles, and their quotient, rounded once, is the correctly rounded value of the text. Anything
// else (exponents, hexadecimal, infinity, longer digit runs, bytes past ASCII) is left to the
// scanner.
int ListQuickReadDecimal(const char* p, double& dValue)
{
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    bool bNegative = false;
    if (*p == '+' || *p == '-')
    {
        bNegative = *p == '-';
        ++p;
    }
    const unsigned char first = (unsigned char)*p;
    if (!(first >= '0' && first <= '9') && first != '.')
    {
        // No number can start here, unless "inf"/"nan" or a byte the scanner may take as a blank.
        if (first >= 0x80 || first == 'i' || first == 'I' || first == 'n' || first == 'N')
            return LIST_QUICK_UNDECIDED;
        return LIST_QUICK_NO_NUMBER;
    }
    const uint64_t nLimit = (uint64_t)1 << 53;
    uint64_t nMantissa = 0;
    int nDigits = 0, nFraction = 0;
    for (; *p >= '0' && *p <= '9'; ++p, ++nDigits)
    {
        nMantissa = nMantissa * 10 + (uint64_t)(*p - '0');
        if (nMantissa >= nLimit)
            return LIST_QUICK_UNDECIDED;
    }
    if (*p == '.')
    {
        for (++p; *p >= '0' && *p <= '9'; ++p, ++nDigits, ++nFraction)
        {
            nMantissa = nMantissa * 10 + (uint64_t)(*p - '0');
            if (nMantissa >= nLimit || nFraction >= 22)
                return LIST_QUICK_UNDECIDED;
        }
    }
    const char next = *p;
    if (nDigits == 0 || (next >= 'a' && next <= 'z') || (next >= 'A' && next <= 'Z'))
        return LIST_QUICK_UNDECIDED;   // a lone point, an exponent, "0x"...
    double d = (double)nMantissa / kExactPowersOfTen[nFraction];
    dValue = bNegative ? -d : d;
    return LIST_QUICK_NUMBER;
}

double ListReadDecimal(const char* text)
{
    if (text == nullptr)
        return 0.0;
    // Whatever the C run-time's atof makes of them (some read 0), "nan" and "inf" texts are the
    // values they name, as C99 reads them.
    const char* p = text;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    const bool bMinus = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    auto startsWith = [p](const char* word) {
        for (int i = 0; i < 3; ++i)
        {
            char c = p[i] >= 'A' && p[i] <= 'Z' ? (char)(p[i] - 'A' + 'a') : p[i];
            if (c != word[i])
                return false;
        }
        return true;
    };
    if (startsWith("inf"))
        return bMinus ? -HUGE_VAL : HUGE_VAL;
    if (startsWith("nan"))
        return std::numeric_limits<double>::quiet_NaN();
    double d = 0.0;
    switch (ListQuickReadDecimal(text, d))
    {
    case LIST_QUICK_NUMBER:
        return d;
    case LIST_QUICK_NO_NUMBER:
        return 0.0;
    default:
        return atof(text);
    }
}

int ListCompareNumbers(double x, double y)
{
    const bool bNanX = x != x, bNanY = y != y;
    if (bNanX || bNanY)
        return bNanX == bNanY ? 0 : (bNanX ? -1 : 1);
    return x < y ? -1 : (x > y ? 1 : 0);
}

int ListCompareTexts(const char* a, const char* b, int nDataType, int nOrder)
{
    if (a == nullptr)
        a = "";
    if (b == nullptr)
        b = "";
    switch (nDataType)
    {
    case LIST_SORT_INTEGER:
        return Sign((long long)nOrder * ((long long)atoi(b) - (long long)atoi(a)));
    case LIST_SORT_LONG:
        return Sign((long long)nOrder * ((long long)atol(b) - (long long)atol(a)));
    case LIST_SORT_DECIMAL:
    case LIST_SORT_DECIMAL_5:
    case LIST_SORT_DECIMAL_7:
    case LIST_SORT_DECIMAL_9:
        return nOrder * ListCompareNumbers(ListReadDecimal(DashAsMinusOne(b)), ListReadDecimal(DashAsMinusOne(a)));
    case LIST_SORT_NATURAL:
        return nOrder * ListNaturalCompare(b, a);
    case LIST_SORT_DATETIME:
        return -CompareDateTime(const_cast<char*>(a), const_cast<char*>(b), nOrder);
    case LIST_SORT_TEXT:
        return nOrder * Sign((long long)strcmp(b, a));
    default:
        return 0;
    }
}
