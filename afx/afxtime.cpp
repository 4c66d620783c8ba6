#include "afxtime.h"

#include <cstring>

namespace {

bool ToLocal(__time64_t t, struct tm* ptm)
{
#ifdef _WIN32
    return _localtime64_s(ptm, &t) == 0;
#else
    time_t tt = static_cast<time_t>(t);
    return localtime_r(&tt, ptm) != nullptr;
#endif
}

bool ToGmt(__time64_t t, struct tm* ptm)
{
#ifdef _WIN32
    return _gmtime64_s(ptm, &t) == 0;
#else
    time_t tt = static_cast<time_t>(t);
    return gmtime_r(&tt, ptm) != nullptr;
#endif
}

CString FormatTm(LPCTSTR pszFormat, const struct tm* ptm)
{
    if (!pszFormat || !ptm)
        return CString();
    // MFC's buffer is 128 characters; longer output is allowed here rather than dropped.
    char buf[128];
    size_t n = std::strftime(buf, sizeof buf, pszFormat, ptm);
    if (n > 0 || *pszFormat == '\0')
        return CString(buf, static_cast<int>(n));
    CString str;
    for (int nSize = 1024; nSize <= 16384; nSize *= 4) {
        n = std::strftime(str.GetBuffer(nSize), static_cast<size_t>(nSize), pszFormat, ptm);
        str.ReleaseBuffer(static_cast<int>(n));
        if (n > 0)
            break;
    }
    return str;
}

} // namespace

CTime CTime::GetCurrentTime()
{
#ifdef _WIN32
    return CTime(_time64(nullptr));
#else
    return CTime(static_cast<__time64_t>(time(nullptr)));
#endif
}

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
{
    struct tm atm;
    std::memset(&atm, 0, sizeof atm);
    atm.tm_sec = nSec;
    atm.tm_min = nMin;
    atm.tm_hour = nHour;
    atm.tm_mday = nDay;
    atm.tm_mon = nMonth - 1;
    atm.tm_year = nYear - 1900;
    atm.tm_isdst = nDST;
#ifdef _WIN32
    m_time = _mktime64(&atm);
#else
    m_time = static_cast<__time64_t>(mktime(&atm));
#endif
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const
{
    return ptm && ToLocal(m_time, ptm) ? ptm : nullptr;
}

struct tm* CTime::GetGmtTm(struct tm* ptm) const
{
    return ptm && ToGmt(m_time, ptm) ? ptm : nullptr;
}

int CTime::LocalField(int tm::*pField) const
{
    struct tm atm;
    return ToLocal(m_time, &atm) ? atm.*pField : 0;
}

int CTime::GetYear() const { return LocalField(&tm::tm_year) + 1900; }
int CTime::GetMonth() const { return LocalField(&tm::tm_mon) + 1; }
int CTime::GetDay() const { return LocalField(&tm::tm_mday); }
int CTime::GetHour() const { return LocalField(&tm::tm_hour); }
int CTime::GetMinute() const { return LocalField(&tm::tm_min); }
int CTime::GetSecond() const { return LocalField(&tm::tm_sec); }
int CTime::GetDayOfWeek() const { return LocalField(&tm::tm_wday) + 1; }

CString CTime::Format(LPCTSTR pszFormat) const
{
    struct tm atm;
    return FormatTm(pszFormat, GetLocalTm(&atm));
}

CString CTime::FormatGmt(LPCTSTR pszFormat) const
{
    struct tm atm;
    return FormatTm(pszFormat, GetGmtTm(&atm));
}
