#include "market/CategoryPickerStart.h"

#include <cstdlib>
#include <vector>

namespace
{
std::vector<CString> Pieces(const CString& strText, const char* pszSeparators)
{
    std::vector<CString> pieces;
    int nStart = 0;
    const int nLength = strText.GetLength();
    for (int i = 0; i <= nLength; ++i)
    {
        if (i == nLength || strchr(pszSeparators, strText[i]) != nullptr)
        {
            if (i > nStart)
                pieces.push_back(strText.Mid(nStart, i - nStart));
            nStart = i + 1;
        }
    }
    return pieces;
}

int Field(const std::vector<CString>& pieces, size_t i)
{
    return i < pieces.size() ? atoi(pieces[i]) : 0;
}
}  // namespace

CTime CategoryPickerStart(const CString& strText, bool bTimeMode, const CTime& now)
{
    CString strTrimmed = strText;
    strTrimmed.Trim();
    if (strTrimmed.IsEmpty())
        return now;
    if (bTimeMode)
    {
        const std::vector<CString> pieces = Pieces(strTrimmed, ": ");
        int nHour = Field(pieces, 0);
        const int nMinute = Field(pieces, 1);
        const int nSecond = Field(pieces, 2);
        if (pieces.size() > 3)
        {
            CString strMarker = pieces[3];
            strMarker.MakeUpper();
            if (strMarker == "PM" && nHour != 12)
                nHour += 12;
            else if (strMarker == "AM" && nHour == 12)
                nHour = 24;
        }
        if (nHour < 0 || nHour > 24 || nMinute < 0 || nMinute > 59 || nSecond < 0 || nSecond > 59)
            return now;
        return CTime(now.GetYear(), now.GetMonth(), now.GetDay(), nHour, nMinute, nSecond);
    }
    const std::vector<CString> pieces = Pieces(strTrimmed, "/ ");
    const int nDay = Field(pieces, 0);
    const int nMonth = Field(pieces, 1);
    const int nYear = Field(pieces, 2);
    if (nDay < 1 || nDay > 31 || nMonth < 1 || nMonth > 12 || nYear < 1971 || nYear > 3000)
        return CTime(now.GetYear(), now.GetMonth(), now.GetDay(), 0, 0, 0);
    return CTime(nYear, nMonth, nDay, 0, 0, 0);
}
