#include "lists/ColumnProfileText.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{
// A whole field of optional '-' and decimal digits, within int range.
bool ParseInt(const CString& field, int& value)
{
    CString text = field;
    text.Trim();
    if (text.IsEmpty() || text.GetLength() != (int)strlen(text))
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

bool IsHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

int HexValue(char c)
{
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

bool IsEscapedChar(char c)
{
    return c == ',' || c == '#' || c == '\\';
}

// Length of the escape sequence starting at text[i] (a backslash), 0 when it is a plain backslash.
int EscapeLength(const char* text, int nLength, int i)
{
    if (i + 1 < nLength && IsEscapedChar(text[i + 1]))
        return 2;
    if (i + 3 < nLength && text[i + 1] == 'x' && IsHex(text[i + 2]) && IsHex(text[i + 3]))
        return 4;
    return 0;
}

// The fields of a stored value, split at every "," that is not escaped; escapes stay as they are.
std::vector<CString> SplitFields(const CString& value, char separator, int nMaxFields)
{
    std::vector<CString> fields;
    const char* text = value;
    int nLength = value.GetLength();
    int nStart = 0;
    for (int i = 0; i < nLength; ++i)
    {
        if (text[i] == '\\')
        {
            int n = EscapeLength(text, nLength, i);
            if (n > 0)
                i += n - 1;
            continue;
        }
        if (text[i] == separator && (int)fields.size() + 1 < nMaxFields)
        {
            fields.push_back(CString(text + nStart, i - nStart));
            nStart = i + 1;
        }
    }
    fields.push_back(CString(text + nStart, nLength - nStart));
    return fields;
}
}  // namespace

CString EscapeProfileText(const CString& text)
{
    CString stored;
    const char* p = text;
    int nLength = text.GetLength();
    for (int i = 0; i < nLength; ++i)
    {
        unsigned char c = (unsigned char)p[i];
        if (c == ',' || c == '#')
        {
            stored += '\\';
            stored += (char)c;
        }
        else if (c < 0x20 || c == 0x7F)
        {
            static const char digits[] = "0123456789ABCDEF";
            stored += "\\x";
            stored += digits[c >> 4];
            stored += digits[c & 15];
        }
        else if (c == '\\')
        {
            // A backslash is doubled only where it would otherwise start an escape: before a text
            // that reads as one ("x" and two hex digits), before a character stored escaped, and at
            // the end of the text (a separator follows it in the stored value).
            unsigned char next = i + 1 < nLength ? (unsigned char)p[i + 1] : 0;
            bool bDouble = i + 1 == nLength || IsEscapedChar((char)next) || next < 0x20 || next == 0x7F ||
                           (i + 3 < nLength && next == 'x' && IsHex(p[i + 2]) && IsHex(p[i + 3]));
            stored += bDouble ? "\\\\" : "\\";
        }
        else
        {
            stored += (char)c;
        }
    }
    return stored;
}

CString UnescapeProfileText(const CString& stored)
{
    CString text;
    const char* p = stored;
    int nLength = stored.GetLength();
    for (int i = 0; i < nLength; ++i)
    {
        if (p[i] == '\\')
        {
            int n = EscapeLength(p, nLength, i);
            if (n == 2)
            {
                text += p[i + 1];
                ++i;
                continue;
            }
            if (n == 4)
            {
                text += (char)(HexValue(p[i + 2]) * 16 + HexValue(p[i + 3]));
                i += 3;
                continue;
            }
        }
        text += p[i];
    }
    return text;
}

int ParseColumnProfile(const CString& value, int nBuiltInCount, CColumnProfileEntries& entries)
{
    entries.RemoveAll();
    std::vector<CString> fields = SplitFields(value, ',', INT_MAX);
    size_t i = 0;
    while (i + 2 < fields.size())
    {
        sColumnProfileEntry entry;
        if (!ParseInt(fields[i], entry.nColumn))
        {
            i += 1;
            continue;
        }
        // A field that is no number where an index belongs is skipped alone (a stray text, say a
        // definition cut at a ","); an entry with a bad position or width is skipped whole.
        bool bNumbers = ParseInt(fields[i + 1], entry.nPosition) && ParseInt(fields[i + 2], entry.nWidth);
        i += 3;
        if (!bNumbers)
            continue;
        int nDummy = 0;
        if (entry.nColumn >= nBuiltInCount && i < fields.size() && !ParseInt(fields[i], nDummy))
        {
            // name up to the first "#", text 1 up to the next, text 2 the rest ("#" included).
            std::vector<CString> texts = SplitFields(fields[i++], '#', 3);
            entry.bDefinition = true;
            entry.csName = UnescapeProfileText(texts[0]);
            if (texts.size() > 1)
                entry.csText1 = UnescapeProfileText(texts[1]);
            if (texts.size() > 2)
                entry.csText2 = UnescapeProfileText(texts[2]);
        }
        entries.Add(entry);
    }
    return (int)entries.GetSize();
}

CString FormatColumnProfile(const CColumnProfileEntries& entries)
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
            value += ',';
            value += EscapeProfileText(entry.csName);
            value += '#';
            value += EscapeProfileText(entry.csText1);
            value += '#';
            value += EscapeProfileText(entry.csText2);
        }
    }
    return value;
}

void CompactColumnPositions(CArray<int, int>& positions)
{
    std::vector<int> byPosition;
    for (INT_PTR c = 0; c < positions.GetSize(); ++c)
    {
        int p = positions[c];
        if (p < 0)
            continue;
        if ((size_t)p >= byPosition.size())
            byPosition.resize((size_t)p + 1, -1);
        if (byPosition[(size_t)p] == -1)
            byPosition[(size_t)p] = (int)c;
        else
            positions[c] = -1;
    }
    int nNext = 0;
    for (int c : byPosition)
    {
        if (c >= 0)
            positions[c] = nNext++;
    }
}

bool ResolveColumnProfile(const CString& value, int nBuiltInCount, const CArray<int, int>& defaultWidths,
                          sColumnLayout& layout)
{
    layout.positions.RemoveAll();
    layout.widths.RemoveAll();
    layout.added.RemoveAll();
    int nHeld = (int)defaultWidths.GetSize();
    if (nBuiltInCount < 0 || nBuiltInCount > nHeld)
        nBuiltInCount = nHeld;
    CColumnProfileEntries entries;
    ParseColumnProfile(value, nBuiltInCount, entries);

    // User-defined columns first: they make the set of columns the entries are checked against.
    std::vector<bool> usable((size_t)entries.GetSize(), true);
    for (INT_PTR i = 0; i < entries.GetSize(); ++i)
    {
        const sColumnProfileEntry& entry = entries[i];
        if (entry.nColumn < nBuiltInCount)
            continue;
        if (entry.nColumn < nHeld)
            continue;   // a user-defined column the list holds already keeps its own definition
        if (entry.bDefinition && entry.nColumn == nHeld + layout.added.GetSize())
            layout.added.Add(entry);
        else
            usable[(size_t)i] = false;
    }

    int nColumns = nHeld + (int)layout.added.GetSize();
    layout.positions.SetSize(nColumns);
    layout.widths.SetSize(nColumns);
    for (int c = 0; c < nColumns; ++c)
    {
        layout.positions[c] = -1;
        layout.widths[c] = COLUMN_PROFILE_UNNAMED_WIDTH;
    }
    bool bAny = false;
    std::vector<bool> seen((size_t)nColumns, false);
    for (INT_PTR i = 0; i < entries.GetSize(); ++i)
    {
        const sColumnProfileEntry& entry = entries[i];
        int c = entry.nColumn;
        if (!usable[(size_t)i] || c < 0 || c >= nColumns || seen[(size_t)c])
            continue;
        seen[(size_t)c] = true;
        bAny = true;
        layout.positions[c] = entry.nPosition >= 0 && entry.nPosition < nColumns ? entry.nPosition : -1;
        int nDefault = c < nHeld ? defaultWidths[c] : COLUMN_PROFILE_USER_WIDTH;
        layout.widths[c] = entry.nWidth >= 0 && entry.nWidth <= 10000 ? entry.nWidth : nDefault;
    }
    if (!bAny)
    {
        layout.positions.RemoveAll();
        layout.widths.RemoveAll();
        layout.added.RemoveAll();
        return false;
    }
    CompactColumnPositions(layout.positions);
    return true;
}

void ResolveDefaultColumns(const CArray<int, int>& defaultPositions, const CArray<int, int>& defaultWidths,
                           sColumnLayout& layout)
{
    layout.added.RemoveAll();
    INT_PTR nColumns = defaultWidths.GetSize();
    layout.positions.SetSize(nColumns);
    layout.widths.SetSize(nColumns);
    for (INT_PTR c = 0; c < nColumns; ++c)
    {
        if (defaultPositions.IsEmpty())
            layout.positions[c] = (int)c;
        else
            layout.positions[c] = c < defaultPositions.GetSize() ? defaultPositions[c] : -1;
        layout.widths[c] = defaultWidths[c];
    }
    CompactColumnPositions(layout.positions);
}

int ParseFactoryProfile(const CString& value, int nColumns, CArray<int, int>& columnsByPosition,
                        CArray<int, int>& widthsByPosition)
{
    columnsByPosition.RemoveAll();
    widthsByPosition.RemoveAll();
    if (nColumns <= 0)
        return 0;
    std::vector<CString> fields = SplitFields(value, ',', INT_MAX);

    int nFilled = 0;
    int nPosition = -1;
    int nWidth = 100;
    for (size_t i = 0; i < fields.size(); i += 3)
    {
        int nColumn = 0;
        if (!ParseInt(fields[i], nColumn))
            break;
        if (i + 1 < fields.size() && !ParseInt(fields[i + 1], nPosition))
            break;
        if (i + 2 < fields.size() && !ParseInt(fields[i + 2], nWidth))
            break;
        if (nPosition < 0 || nPosition >= nColumns || nColumn < 0 || nColumn >= nColumns)
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
