#include "editors/InPlaceDateText.h"

#include <cstdlib>
#include <cstring>

namespace
{
// The fields of the text separated by any of the characters of pszSeparators.
CStringArray& Split(const CString& strText, const char* pszSeparators, CStringArray& fields)
{
    fields.RemoveAll();
    int nPos = 0;
    for (CString strField = strText.Tokenize(pszSeparators, nPos); nPos != -1;
         strField = strText.Tokenize(pszSeparators, nPos))
        fields.Add(strField);
    return fields;
}

// A field's leading number, held to a range no date arithmetic overflows on.
int Field(const CStringArray& fields, int nIndex)
{
    if (nIndex >= fields.GetSize())
        return 0;
    long lValue = strtol(fields[nIndex], nullptr, 10);
    if (lValue > 100000)
        lValue = 100000;
    if (lValue < -100000)
        lValue = -100000;
    return (int)lValue;
}
}  // namespace

CString InPlaceTimeText(const CString& strWindowText, const CTime& today)
{
    CStringArray fields;
    Split(strWindowText, ": ", fields);
    int nHour = Field(fields, 0);
    const int nMinute = Field(fields, 1);
    const int nSecond = Field(fields, 2);
    const CString strDesignator = fields.GetSize() > 3 ? fields[3] : CString();
    if (strDesignator.CompareNoCase("PM") == 0 && nHour != 12)
        nHour += 12;
    else if (strDesignator.CompareNoCase("AM") == 0 && nHour == 12)
        nHour = 0;
    const CTime time(today.GetYear(), today.GetMonth(), today.GetDay(), nHour, nMinute, nSecond);
    return time.GetTime() == -1 ? CString() : time.Format("%H:%M:%S");
}

CString InPlaceDateText(const CString& strWindowText)
{
    CStringArray fields;
    Split(strWindowText, "/ ", fields);
    const int nDay = Field(fields, 0);
    const int nMonth = Field(fields, 1);
    const int nYear = Field(fields, 2);
    // Outside what every platform's calendar conversion handles alike: no date.
    if (nYear < 1970 || nYear > 3000 || nMonth < 1 || nMonth > 12 || nDay < 1 || nDay > 31)
        return CString();
    const CTime date(nYear, nMonth, nDay, 0, 0, 0);
    return date.GetTime() == -1 ? CString() : date.Format("%d/%m/%Y");
}

CString InPlaceInitialText(const CTime& initial, bool bTimeMode)
{
    return initial.Format(bTimeMode ? "%H:%M:%S" : "%d/%m/%Y");
}
