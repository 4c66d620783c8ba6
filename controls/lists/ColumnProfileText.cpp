#include "lists/ColumnProfileText.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace
{
// A whole field of optional '-' and decimal digits, within int range.
bool ParseInt(const CString& field, int& value)
{
    CString text = field;
    text.Trim();
    if (text.IsEmpty())
        return false;
    const char* p = text;
    char* end = nullptr;
    errno = 0;
    long long v = strtoll(p, &end, 10);
    if (end == p || *end != '\0' || errno == ERANGE || v < INT_MIN || v > INT_MAX)
        return false;
    for (const char* q = p; q < end; ++q)
        if (*q != '-' && (*q < '0' || *q > '9'))
            return false;   // no "+", no blanks inside
    value = (int)v;
    return true;
}
}  // namespace

int ParseColumnProfile(const CString& value, int nBuiltInCount,
                       CArray<sColumnProfileEntry, const sColumnProfileEntry&>& entries)
{
    entries.RemoveAll();
    CStringArray fields;
    int nStart = 0;
    for (;;)
    {
        int nComma = value.Find(',', nStart);
        if (nComma < 0)
        {
            fields.Add(value.Mid(nStart));
            break;
        }
        fields.Add(value.Mid(nStart, nComma - nStart));
        nStart = nComma + 1;
    }

    INT_PTR i = 0;
    while (i + 2 < fields.GetSize())
    {
        sColumnProfileEntry entry;
        if (!ParseInt(fields[i], entry.nColumn) || !ParseInt(fields[i + 1], entry.nPosition) ||
            !ParseInt(fields[i + 2], entry.nWidth))
            break;
        i += 3;
        if (entry.nColumn >= nBuiltInCount)
        {
            if (i >= fields.GetSize())
                break;
            const CString& definition = fields[i++];
            int nHash1 = definition.Find('#');
            int nHash2 = nHash1 >= 0 ? definition.Find('#', nHash1 + 1) : -1;
            entry.bDefinition = true;
            if (nHash1 < 0)
            {
                entry.csName = definition;
            }
            else
            {
                entry.csName = definition.Left(nHash1);
                if (nHash2 < 0)
                {
                    entry.csText1 = definition.Mid(nHash1 + 1);
                }
                else
                {
                    entry.csText1 = definition.Mid(nHash1 + 1, nHash2 - nHash1 - 1);
                    entry.csText2 = definition.Mid(nHash2 + 1);
                }
            }
        }
        entries.Add(entry);
    }
    return (int)entries.GetSize();
}

CString FormatColumnProfile(const CArray<sColumnProfileEntry, const sColumnProfileEntry&>& entries)
{
    CString value;
    for (INT_PTR i = 0; i < entries.GetSize(); ++i)
    {
        const sColumnProfileEntry& entry = entries[i];
        CString part;
        part.Format(i == 0 ? "%d,%d,%d" : ",%d,%d,%d", entry.nColumn, entry.nPosition, entry.nWidth);
        value += part;
        if (entry.bDefinition)
        {
            part.Format(",%s#%s#%s", (LPCTSTR)entry.csName, (LPCTSTR)entry.csText1, (LPCTSTR)entry.csText2);
            value += part;
        }
    }
    return value;
}

int ParseFactoryProfile(const CString& value, int nColumns, CArray<int, int>& columnsByPosition,
                        CArray<int, int>& widthsByPosition)
{
    columnsByPosition.RemoveAll();
    widthsByPosition.RemoveAll();
    if (nColumns <= 0)
        return 0;
    CStringArray fields;
    int nStart = 0;
    for (;;)
    {
        int nComma = value.Find(',', nStart);
        if (nComma < 0)
        {
            fields.Add(value.Mid(nStart));
            break;
        }
        fields.Add(value.Mid(nStart, nComma - nStart));
        nStart = nComma + 1;
    }

    int nFilled = 0;
    int nPosition = -1;
    int nWidth = 100;
    for (INT_PTR i = 0; i < fields.GetSize(); i += 3)
    {
        int nColumn = 0;
        if (!ParseInt(fields[i], nColumn))
            break;
        if (i + 1 < fields.GetSize() && !ParseInt(fields[i + 1], nPosition))
            break;
        if (i + 2 < fields.GetSize() && !ParseInt(fields[i + 2], nWidth))
            break;
        if (nPosition == -1 || nPosition < 0 || nPosition >= nColumns || nColumn < 0 || nColumn >= nColumns)
            continue;
        if (columnsByPosition.GetSize() <= nPosition)
        {
            INT_PTR nOld = columnsByPosition.GetSize();
            columnsByPosition.SetSize(nPosition + 1);
            widthsByPosition.SetSize(nPosition + 1);
            for (INT_PTR p = nOld; p <= nPosition; ++p)
            {
                columnsByPosition[p] = -1;
                widthsByPosition[p] = 0;
            }
        }
        if (columnsByPosition[nPosition] == -1)
            ++nFilled;
        columnsByPosition[nPosition] = nColumn;
        widthsByPosition[nPosition] = nWidth >= 0 && nWidth <= 10000 ? nWidth : 100;
    }
    return nFilled;
}
