// libFuzzer target for the date/time comparison of the grids' date columns.
//
// Oracles: the result against a reference that reads the texts with a reader of its own and
// counts days with the civil-date formula (a day past the month's end reaches the next month's
// first day, so no table of month lengths is needed), on every pair of the input's three texts, with
// the order factor.
//
// Input layout: up to three texts cut at '\x01' (each as a C string: up to an embedded NUL).
#include "OrvoTools.h"
#include "FuzzOracle.h"

#include <cctype>
#include <cstring>

namespace {

int Compare(std::string a, std::string b, int order) { return CompareDateTime(&a[0], &b[0], order); }

// Days since 1970-01-01 of a proleptic Gregorian date.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = (unsigned)(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + (int64_t)doe - 719468;
}

// A cursor over a text with the grammar's pieces.
struct sReader
{
    const std::string& s;
    size_t i = 0;
    bool Digits(size_t nMin, size_t nMax, int& value)
    {
        size_t n = 0;
        value = 0;
        while (i < s.size() && std::isdigit((unsigned char)s[i]))
        {
            if (n == nMax)
                return false; // a longer run of digits
            value = value * 10 + (s[i] - '0');
            ++i;
            ++n;
        }
        return n >= nMin;
    }
    bool Char(char c)
    {
        const bool bHere = i < s.size() && s[i] == c;
        i += bHere;
        return bHere;
    }
    size_t Blanks()
    {
        size_t n = 0;
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
            ++i, ++n;
        return n;
    }
    bool AtEnd() const { return i == s.size(); }
};

bool ReadTime(sReader& r, int64_t& ms)
{
    int h, mi, sec = 0, frac = 0;
    if (!r.Digits(1, 2, h) || !r.Char(':') || !r.Digits(2, 2, mi))
        return false;
    if (r.Char(':'))
    {
        if (!r.Digits(2, 2, sec))
            return false;
        if (r.Char('.'))
        {
            const size_t start = r.i;
            if (!r.Digits(1, 3, frac))
                return false;
            for (size_t n = r.i - start; n < 3; ++n)
                frac *= 10;
        }
    }
    if (h > 23 || mi > 59 || sec > 59)
        return false;
    ms = ((h * 60LL + mi) * 60 + sec) * 1000 + frac;
    return true;
}

// The sort key of an accepted text: a time alone below every dated text.
bool ReferenceKey(const std::string& s, int64_t& key)
{
    sReader r{ s };
    r.Blanks();
    const size_t start = r.i;
    int d, m, y;
    char sep = 0;
    bool bDate = r.Digits(1, 2, d);
    if (bDate)
    {
        sep = r.i < s.size() ? s[r.i] : 0;
        bDate = (sep == '/' || sep == '-') && r.Char(sep) && r.Digits(1, 2, m) && r.Char(sep) && r.Digits(4, 4, y);
    }
    if (bDate)
    {
        if (y < 1 || m < 1 || m > 12 || d < 1)
            return false;
        // Valid when the day survives a round trip through the day count.
        const int64_t n = DaysFromCivil(y, (unsigned)m, (unsigned)d);
        const int64_t nNextMonth = m < 12 ? DaysFromCivil(y, (unsigned)m + 1, 1) : DaysFromCivil(y + 1, 1, 1);
        if (n >= nNextMonth)
            return false;
        int64_t ms = 0;
        if (r.Blanks() > 0 && !r.AtEnd() && !ReadTime(r, ms))
            return false;
        key = (n + 1000000) * 86400000LL + ms;
    }
    else
    {
        r.i = start;
        int64_t ms = 0;
        if (!ReadTime(r, ms))
            return false;
        key = ms;
    }
    r.Blanks();
    return r.AtEnd();
}

int Sign(int64_t v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

int Reference(const std::string& a, const std::string& b)
{
    int64_t ka = 0, kb = 0;
    const bool okA = ReferenceKey(a, ka);
    const bool okB = ReferenceKey(b, kb);
    if (okA && okB)
        return Sign(ka - kb);
    if (okA != okB)
        return okA ? 1 : -1;
    return Sign(std::strcmp(a.c_str(), b.c_str()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const std::vector<std::string> parts = Split(Text(pData, nSize), '\x01');
    const std::string texts[3] = { parts[0].c_str(), parts.size() > 1 ? parts[1].c_str() : "1/1/2024",
                                   parts.size() > 2 ? parts[2].c_str() : "0:00" };
    // The reference is a total order (acceptance, then the key or the text), so agreeing with it on
    // every pair makes the comparison reflexive, antisymmetric and transitive over the three texts.
    for (const std::string& a : texts)
        for (const std::string& b : texts)
        {
            const int r = Compare(a, b, 1);
            Check(r == Reference(a, b), "result differs from the reference");
            Check(Compare(a, b, -1) == -r, "order -1 does not reverse");
            Check(Compare(a, b, 7) == 7 * r, "order does not scale");
        }
    // Null texts read as empty, unaccepted texts.
    Check(CompareDateTime(nullptr, nullptr, 1) == 0, "null against null");
    std::string first = texts[0];
    Check(CompareDateTime(&first[0], nullptr, 1) == Reference(texts[0], ""), "text against null");
    return 0;
}
