#include "market/MarketWatchLayout.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

namespace
{
// A whole decimal number of the text, or false.
bool ReadInt(const CString& csText, long& lValue)
{
    if (csText.IsEmpty())
        return false;
    char* pEnd = nullptr;
    errno = 0;
    lValue = strtol(csText, &pEnd, 10);
    return errno == 0 && pEnd != nullptr && *pEnd == '\0' && lValue >= INT_MIN && lValue <= INT_MAX;
}
}  // namespace

void ParseMarketUserColumns(const CString& csValue, CArray<sMarketUserColumn, const sMarketUserColumn&>& columns)
{
    columns.RemoveAll();
    // Fields, runs of separators counting as one.
    std::vector<CString> fields;
    CString csField;
    bool bInField = false;
    for (int i = 0; i < csValue.GetLength(); ++i)
    {
        const char ch = csValue[i];
        if (ch == MARKET_FIELD_SEPARATOR)
        {
            if (bInField)
                fields.push_back(csField);
            csField.Empty();
            bInField = false;
            continue;
        }
        csField += ch;
        bInField = true;
    }
    if (bInField)
        fields.push_back(csField);

    std::vector<sMarketUserColumn> groups;
    for (size_t i = 0; i < fields.size(); i += 4)
    {
        sMarketUserColumn column;
        long lId = 0;
        if (!ReadInt(fields[i], lId) || lId < MARKET_FIRST_USER_COLUMN)
            continue;
        column.nId = (int)lId;
        // A field of one blank is how an empty field is written (see FormatMarketUserColumns).
        auto Field = [&fields](size_t n) { return n < fields.size() && fields[n] != " " ? fields[n] : CString(); };
        column.csHeading = Field(i + 1);
        column.csText2 = Field(i + 2);
        column.csText1 = Field(i + 3);
        groups.push_back(column);
    }
    std::stable_sort(groups.begin(), groups.end(),
                     [](const sMarketUserColumn& a, const sMarketUserColumn& b) { return a.nId < b.nId; });
    int nNext = MARKET_FIRST_USER_COLUMN;
    int nPreviousStored = -1;
    for (sMarketUserColumn column : groups)
    {
        if (column.nId == nPreviousStored)
            continue;   // a repeated id: its first group stands
        nPreviousStored = column.nId;
        // Ids are the columns' identities (formulas and layouts name them), so gaps stay; only an
        // id far past the others is taken as damage and moved to the next free id.
        if (column.nId - nNext > MARKET_MAX_USER_COLUMN_GAP)
            column.nId = nNext;
        columns.Add(column);
        nNext = column.nId + 1;
    }
}

CString CheckMarketUserColumn(const CString& csHeading, const CString& csText2, const CString& csText1)
{
    if (csHeading.IsEmpty())
        return "A user column needs a name";
    if (csHeading.GetLength() > MARKET_MAX_HEADING)
    {
        CString csWhy;
        csWhy.Format("The column name \"%s...\" is longer than %d characters", (LPCTSTR)csHeading.Left(20),
                     MARKET_MAX_HEADING);
        return csWhy;
    }
    for (const CString* pField : { &csHeading, &csText2, &csText1 })
    {
        if (pField->Find(MARKET_FIELD_SEPARATOR) >= 0)
            return "The user column \"" + csHeading.Left(MARKET_MAX_HEADING) + "\" holds the character \xA7, which cannot be stored";
        if ((int)strlen(*pField) != pField->GetLength())
            return "The user column \"" + csHeading.Left(MARKET_MAX_HEADING) + "\" holds a NUL character, which cannot be stored";
    }
    return CString();
}

BOOL FormatMarketUserColumns(const CArray<sMarketUserColumn, const sMarketUserColumn&>& columns, CString& csValue,
                             CArray<CString, const CString&>* pRefused)
{
    csValue.Empty();
    BOOL bAll = TRUE;
    for (INT_PTR i = 0; i < columns.GetSize(); ++i)
    {
        const sMarketUserColumn& column = columns[i];
        bool bStorable = true;
        for (const CString* pField : { &column.csHeading, &column.csText2, &column.csText1 })
        {
            if (pField->Find(MARKET_FIELD_SEPARATOR) >= 0 || (int)strlen(*pField) != pField->GetLength())
                bStorable = false;
        }
        if (!bStorable)
        {
            // Left out alone: every other column keeps its id, so nothing else shifts.
            bAll = FALSE;
            if (pRefused != nullptr)
                pRefused->Add(column.csHeading);
            continue;
        }
        // Runs of separators read as one, so an empty field would shift every later one: it is
        // written as one blank.
        auto Field = [](const CString& cs) { return cs.IsEmpty() ? CString(" ") : cs; };
        CString csGroup;
        csGroup.Format("%d%c%s%c%s%c%s", column.nId, MARKET_FIELD_SEPARATOR, (LPCTSTR)Field(column.csHeading),
                       MARKET_FIELD_SEPARATOR, (LPCTSTR)Field(column.csText2), MARKET_FIELD_SEPARATOR,
                       (LPCTSTR)Field(column.csText1));
        if (!csValue.IsEmpty())
            csValue += MARKET_FIELD_SEPARATOR;
        csValue += csGroup;
    }
    return bAll;
}

CString FormatMarketColumnProfile(const CArray<sMarketProfileEntry, const sMarketProfileEntry&>& entries)
{
    CString csValue;
    for (INT_PTR i = 0; i < entries.GetSize(); ++i)
    {
        CString csTriple;
        csTriple.Format("%s%d,%d,%d", i > 0 ? "," : "", (int)i, entries[i].nOrder, entries[i].nWidth);
        csValue += csTriple;
    }
    return csValue;
}

void ParseMarketColumnProfile(const CString& csValue, CArray<int, int>& positions, CArray<int, int>& widths)
{
    positions.RemoveAll();
    widths.RemoveAll();
    std::vector<long> numbers;
    int nStart = 0;
    while (nStart <= csValue.GetLength() && !csValue.IsEmpty())
    {
        int nComma = csValue.Find(',', nStart);
        const CString csField = nComma < 0 ? csValue.Mid(nStart) : csValue.Mid(nStart, nComma - nStart);
        long lValue = 0;
        if (!ReadInt(csField, lValue))
            break;
        numbers.push_back(lValue);
        if (nComma < 0)
            break;
        nStart = nComma + 1;
    }
    const int nTriples = (int)(numbers.size() / 3);
    for (int i = 0; i < nTriples; ++i)
    {
        if (numbers[(size_t)i * 3] != i)
            break;
        long lOrder = numbers[(size_t)i * 3 + 1];
        long lWidth = numbers[(size_t)i * 3 + 2];
        positions.Add(lOrder >= 0 && lOrder < nTriples ? (int)lOrder : -1);
        widths.Add(lWidth >= 0 && lWidth <= 10000 ? (int)lWidth : 0);
    }
}

namespace
{
bool NeedsEscape(unsigned char ch)
{
    return ch < 0x20 || ch == 0x7F || ch == '[' || ch == ']' || ch == '=' || ch == '%';
}
// The blanks a settings name may not end with (the settings files trim them).
bool IsTrailingBlank(unsigned char ch) { return ch == ' ' || ch == 0x85 || ch == 0xA0; }
}  // namespace

CString MarketWatchProfileSection(const CString& csTitle)
{
    // Escaped as "%XX" (hexadecimal, upper case), '%' itself included, so the mapping is one to
    // one; a title without those characters maps as it always did.
    int nEnd = csTitle.GetLength();
    while (nEnd > 0 && IsTrailingBlank((unsigned char)csTitle[nEnd - 1]))
        --nEnd;
    CString csSection = "MarketWatchNew_";
    for (int i = 0; i < csTitle.GetLength(); ++i)
    {
        const unsigned char ch = (unsigned char)csTitle[i];
        if (NeedsEscape(ch) || i >= nEnd)
        {
            CString csEscape;
            csEscape.Format("%%%02X", ch);
            csSection += csEscape;
        }
        else
            csSection += (char)ch;
    }
    return csSection;
}

CString MarketWatchLegacyProfileSection(const CString& csTitle)
{
    CString csSafe = csTitle;
    for (int i = 0; i < csSafe.GetLength(); ++i)
    {
        const unsigned char ch = (unsigned char)csSafe[i];
        if (ch < 0x20 || ch == '[' || ch == ']' || ch == '=')
            csSafe.SetAt(i, '_');
    }
    CString csSection;
    csSection.Format("MarketWatchNew_%s", (LPCTSTR)csSafe);
    return csSection;
}

void ResolveMarketLayout(CArray<int, int>& positions, CArray<int, int>& widths, int nMaxId,
                         CArray<int, int>& columnAtPosition, int& nFirstColumn, const CArray<BYTE, BYTE>* pUnused)
{
    auto IsUnused = [pUnused](INT_PTR id) { return pUnused != nullptr && id < pUnused->GetSize() && (*pUnused)[id] != 0; };
    columnAtPosition.RemoveAll();
    nFirstColumn = -1;
    if (positions.IsEmpty())
        return;
    if (nMaxId < 0)
        nMaxId = 0;
    // Widths follow the positions entry for entry.
    while (widths.GetSize() < positions.GetSize())
        widths.Add(0);

    // Stale entries: everything after nMaxId goes, and positions after a removed visible one close up.
    if (positions.GetSize() - 1 > nMaxId)
    {
        for (INT_PTR i = positions.GetSize() - 1; i > nMaxId; --i)
        {
            const int p = positions[i];
            positions.RemoveAt(i);
            if (p == -1)
                continue;
            for (INT_PTR j = 0; j < positions.GetSize(); ++j)
            {
                if (positions[j] > p)
                    positions[j]--;
            }
        }
        widths.SetSize(positions.GetSize());
    }
    widths.SetSize(positions.GetSize());

    // Used positions. A position past the columns reads as hidden, and one claimed twice stays
    // with the lower id.
    std::vector<int> shownAt;   // id by position, -1 free
    auto Note = [&shownAt](int p, int id) {
        if ((size_t)p >= shownAt.size())
            shownAt.resize((size_t)p + 1, -1);
        shownAt[(size_t)p] = id;
    };
    auto IsUsed = [&shownAt](int p) { return p >= 0 && (size_t)p < shownAt.size() && shownAt[(size_t)p] != -1; };
    for (INT_PTR i = 0; i < positions.GetSize(); ++i)
    {
        const int p = positions[i];
        if (p < 0 || p >= positions.GetSize() || IsUnused(i))
        {
            positions[i] = -1;
            continue;
        }
        if (IsUsed(p))
        {
            positions[i] = -1;
            continue;
        }
        Note(p, (int)i);
    }

    // User columns: new ones go last, others down to the lowest free position below theirs.
    for (int k = MARKET_FIRST_USER_COLUMN; k <= nMaxId; ++k)
    {
        if (IsUnused(k))
        {
            while (positions.GetSize() <= k)
            {
                positions.Add(-1);
                widths.Add(0);
            }
            continue;
        }
        if (k >= positions.GetSize())
        {
            int nUsed = 0;
            for (int id : shownAt)
                nUsed += id != -1;
            while (positions.GetSize() <= k)
            {
                positions.Add(-1);
                widths.Add(0);
            }
            // The count of used positions is free when the used ones are dense; otherwise the
            // first free one at or after it.
            int p = nUsed;
            while (IsUsed(p))
                ++p;
            positions[k] = p;
            widths[k] = MARKET_USER_COLUMN_WIDTH;
            Note(p, k);
            continue;
        }
        const int p = positions[k];
        if (p == -1)
            continue;
        for (int q = 0; q < p; ++q)
        {
            if (IsUsed(q))
                continue;
            shownAt[(size_t)p] = -1;
            positions[k] = q;
            widths[k] = MARKET_USER_COLUMN_WIDTH;
            Note(q, k);
            break;
        }
    }

    // Gaps close up, order kept.
    for (int id : shownAt)
    {
        if (id == -1)
            continue;
        positions[id] = (int)columnAtPosition.GetSize();
        columnAtPosition.Add(id);
    }
    if (!columnAtPosition.IsEmpty())
        nFirstColumn = columnAtPosition[0];
}
