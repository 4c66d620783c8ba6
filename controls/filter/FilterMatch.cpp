// The filter list's matching rule (see FilterMatch.h).
#include "filter/FilterMatch.h"
#include "lists/ListSortRules.h"

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

bool ReadFilterNumber(const char* pszText, double& dValue)
{
    // The common plain decimals are read here; the rest by "%lf" scanning itself, not strtod:
    // the two differ on texts such as "0xz" (scanning consumes "0x" and fails; strtod reads 0).
    switch (ListQuickReadDecimal(pszText, dValue))
    {
    case LIST_QUICK_NUMBER:
        return true;
    case LIST_QUICK_NO_NUMBER:
        return false;
    case LIST_QUICK_UNDECIDED:
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
