// The filter list's matching rule (see FilterMatch.h).
#include "filter/FilterMatch.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{
inline char Fold(char c)
{
    return (c >= 'A' && c <= 'Z') ? (char)(c - 'A' + 'a') : c;
}

std::string Lower(const char* p, size_t n)
{
    std::string s(p, n);
    for (char& c : s)
        c = Fold(c);
    return s;
}

// Case-folded comparison of n bytes.
bool SameFolded(const char* a, const char* lowered, size_t n)
{
    for (size_t i = 0; i < n; ++i)
    {
        if (Fold(a[i]) != lowered[i])
            return false;
    }
    return true;
}

bool ContainsFolded(const char* text, size_t nText, const std::string& needle)
{
    size_t n = needle.size();
    if (n == 0)
        return true;
    if (n > nText)
        return false;
    const char first = needle[0];
    for (size_t i = 0; i + n <= nText; ++i)
    {
        if (Fold(text[i]) == first && SameFolded(text + i + 1, needle.data() + 1, n - 1))
            return true;
    }
    return false;
}
}  // namespace

namespace
{
// The powers of ten a double holds exactly.
const double kExactPowersOfTen[] = { 1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                     1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22 };

enum eQuickRead
{
    kQuickNoNumber,
    kQuickNumber,
    kQuickUndecided,   // only the full scanner can tell
};

// The plain decimals of a price or quantity column ("1234.50", " -7", "0.25 Cr"), read with the
// value "%lf" scanning gives them: blanks, a sign, digits with at most one point, and then
// anything but a letter. The digits (leading zeros included) must make an integer below 2^53 and
// at most 22 of them may follow the point: the integer and the power of ten are then both exact
// doubles, and their quotient, rounded once, is the correctly rounded value of the text. Anything
// else (exponents, hexadecimal, infinity, longer digit runs, bytes past ASCII) is left to the
// scanner.
eQuickRead QuickReadDecimal(const char* p, double& dValue)
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
            return kQuickUndecided;
        return kQuickNoNumber;
    }
    const uint64_t nLimit = (uint64_t)1 << 53;
    uint64_t nMantissa = 0;
    int nDigits = 0, nFraction = 0;
    for (; *p >= '0' && *p <= '9'; ++p, ++nDigits)
    {
        nMantissa = nMantissa * 10 + (uint64_t)(*p - '0');
        if (nMantissa >= nLimit)
            return kQuickUndecided;
    }
    if (*p == '.')
    {
        for (++p; *p >= '0' && *p <= '9'; ++p, ++nDigits, ++nFraction)
        {
            nMantissa = nMantissa * 10 + (uint64_t)(*p - '0');
            if (nMantissa >= nLimit || nFraction >= 22)
                return kQuickUndecided;
        }
    }
    const char next = *p;
    if (nDigits == 0 || (next >= 'a' && next <= 'z') || (next >= 'A' && next <= 'Z'))
        return kQuickUndecided;   // a lone point, an exponent, "0x"...
    double d = (double)nMantissa / kExactPowersOfTen[nFraction];
    dValue = bNegative ? -d : d;
    return kQuickNumber;
}
}  // namespace

bool ReadFilterNumber(const char* pszText, double& dValue)
{
    // The common plain decimals are read here; the rest by "%lf" scanning itself, not strtod:
    // the two differ on texts such as "0xz" (scanning consumes "0x" and fails; strtod reads 0).
    switch (QuickReadDecimal(pszText, dValue))
    {
    case kQuickNumber:
        return true;
    case kQuickNoNumber:
        return false;
    case kQuickUndecided:
        break;
    }
    double d = 0;
    if (sscanf(pszText, "%lf", &d) != 1)
        return false;
    dValue = d;
    return true;
}

void CFilterMatcher::Compile(const char* pszFilter, size_t nLength, bool bExact)
{
    m_alternatives.clear();
    m_bEmpty = nLength == 0;
    size_t start = 0;
    while (start < nLength)
    {
        size_t end = start;
        while (end < nLength && pszFilter[end] != '~')
            ++end;
        if (end > start)
        {
            const char* p = pszFilter + start;
            size_t n = end - start;
            sAlternative alt;
            if (bExact)
            {
                alt.kind = kExact;
                alt.text = Lower(p, n);
            }
            else if (p[0] == '*' && p[n - 1] == '*')
            {
                alt.kind = kContains;
                alt.text = n >= 2 ? Lower(p + 1, n - 2) : std::string();
            }
            else if (p[0] == '*')
            {
                alt.kind = kEndsWith;
                alt.text = Lower(p + 1, n - 1);
            }
            else if (p[0] == '>' || p[0] == '<')
            {
                alt.kind = p[0] == '>' ? kGreater : kLess;
                std::string rest(p + 1, n - 1);   // NUL-terminated copy for the number reader
                alt.bValue = ReadFilterNumber(rest.c_str(), alt.value);
            }
            else
            {
                alt.kind = kPrefix;
                alt.text = Lower(p, n);
            }
            m_alternatives.push_back(std::move(alt));
        }
        start = end + 1;
    }
}

bool CFilterMatcher::Match(const char* pszText, size_t nLength) const
{
    if (m_bEmpty)
        return true;
    bool bNumberRead = false, bNumber = false;
    double dText = 0;
    for (const sAlternative& alt : m_alternatives)
    {
        switch (alt.kind)
        {
        case kExact:
            if (alt.text.size() == nLength && SameFolded(pszText, alt.text.data(), nLength))
                return true;
            break;
        case kContains:
            if (ContainsFolded(pszText, nLength, alt.text))
                return true;
            break;
        case kEndsWith:
            if (alt.text.size() <= nLength && SameFolded(pszText + nLength - alt.text.size(), alt.text.data(), alt.text.size()))
                return true;
            break;
        case kGreater:
        case kLess:
            if (!bNumberRead)
            {
                bNumberRead = true;
                bNumber = ReadFilterNumber(pszText, dText);
            }
            if (bNumber && alt.bValue && (alt.kind == kGreater ? dText > alt.value : dText < alt.value))
                return true;
            break;
        case kPrefix:
            if (alt.text.size() <= nLength && SameFolded(pszText, alt.text.data(), alt.text.size()))
                return true;
            break;
        }
    }
    return false;
}

int FilterTextMatches(const char* pszText, const char* pszFilter, bool bExact)
{
    if (pszText == nullptr)
        pszText = "";
    if (pszFilter == nullptr)
        pszFilter = "";
    CFilterMatcher matcher(pszFilter, strlen(pszFilter), bExact);
    return matcher.Match(pszText, strlen(pszText)) ? 1 : 0;
}
