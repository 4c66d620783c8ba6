// Date/time comparison used by the grids' date columns while sorting: each text is reduced to
// one 64-bit key (milliseconds since 1 January of year 1, dated texts offset by one day so that
// a time alone sorts first) without allocating.
#include "OrvoTools.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

const int64_t kMsPerDay = 86400000;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads minDigits..maxDigits decimal digits at p.
bool ReadNumber(const char*& p, int minDigits, int maxDigits, int& value)
{
    int n = 0;
    value = 0;
    while (n < maxDigits && IsDigit(*p))
    {
        value = value * 10 + (*p - '0');
        ++p;
        ++n;
    }
    return n >= minDigits && !IsDigit(*p);
}

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m)
{
    static const int days[12] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    return m == 2 && IsLeapYear(y) ? 29 : days[m - 1];
}

// Days from 1 January of year 1 (proleptic Gregorian calendar).
int64_t DayNumber(int y, int m, int d)
{
    static const int before[12] = { 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334 };
    const int64_t py = y - 1;
    int64_t n = py * 365 + py / 4 - py / 100 + py / 400 + before[m - 1] + (d - 1);
    if (m > 2 && IsLeapYear(y))
        ++n;
    return n;
}

bool ParseDate(const char*& p, int64_t& day)
{
    int d, m, y;
    if (!ReadNumber(p, 1, 2, d))
        return false;
    const char sep = *p;
    if (sep != '/' && sep != '-')
        return false;
    ++p;
    if (!ReadNumber(p, 1, 2, m) || *p != sep)
        return false;
    ++p;
    if (!ReadNumber(p, 4, 4, y))
        return false;
    if (y < 1 || m < 1 || m > 12 || d < 1 || d > DaysInMonth(y, m))
        return false;
    day = DayNumber(y, m, d);
    return true;
}

bool ParseTime(const char*& p, int64_t& ms)
{
    int h, mi, s = 0, frac = 0;
    if (!ReadNumber(p, 1, 2, h) || *p != ':')
        return false;
    ++p;
    if (!ReadNumber(p, 2, 2, mi))
        return false;
    if (*p == ':')
    {
        ++p;
        if (!ReadNumber(p, 2, 2, s))
            return false;
        if (*p == '.')
        {
            ++p;
            const char* start = p;
            if (!ReadNumber(p, 1, 3, frac))
                return false;
            for (std::ptrdiff_t digits = p - start; digits < 3; ++digits)
                frac *= 10;
        }
    }
    if (h > 23 || mi > 59 || s > 59)
        return false;
    ms = ((int64_t(h) * 60 + mi) * 60 + s) * 1000 + frac;
    return true;
}

bool ParseDateTime(const char* text, int64_t& key)
{
    if (!text)
        return false;
    const char* p = text;
    while (IsBlank(*p))
        ++p;

    int64_t day = 0, ms = 0;
    const char* q = p;
    if (ParseDate(q, day))
    {
        p = q;
        if (IsBlank(*p))
        {
            while (IsBlank(*p))
                ++p;
            if (*p && !ParseTime(p, ms))
                return false;
        }
        key = (day + 1) * kMsPerDay + ms;
    }
    else
    {
        if (!ParseTime(p, ms))
            return false;
        key = ms;
    }

    while (IsBlank(*p))
        ++p;
    return *p == '\0';
}

int Sign(int64_t v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

} // namespace

int CompareDateTime(char* a, char* b, int order)
{
    int64_t ka = 0, kb = 0;
    const bool okA = ParseDateTime(a, ka);
    const bool okB = ParseDateTime(b, kb);

    int result;
    if (okA && okB)
        result = Sign(ka - kb);
    else if (okA != okB)
        result = okA ? 1 : -1;
    else
        result = Sign(std::strcmp(a ? a : "", b ? b : ""));
    return result * order;
}
