#include "lists/AppearanceText.h"

#include <cstdio>
#include <string>

namespace
{
// The fields of a stored value, one after the other: "a,b," holds "a", "b" and an empty third.
class CFieldReader
{
public:
    explicit CFieldReader(const CString& csValue) : m_p(csValue.GetString()), m_pEnd(m_p + csValue.GetLength()) {}

    // The next field; false when the value has no more fields.
    bool Next(CString& csField)
    {
        if (m_bDone)
            return false;
        const char* pStart = m_p;
        while (m_p < m_pEnd && *m_p != ',')
            ++m_p;
        csField = CString(pStart, (int)(m_p - pStart));
        if (m_p < m_pEnd)
            ++m_p;          // past the ","
        else
            m_bDone = true;
        return true;
    }

private:
    const char* m_p;
    const char* m_pEnd;
    bool m_bDone = false;
};

// A colour as "%lX" writes a COLORREF: one to six hexadecimal digits.
bool ReadColor(const CString& csField, COLORREF& color)
{
    int n = csField.GetLength();
    if (n < 1 || n > 6)
        return false;
    COLORREF value = 0;
    for (int i = 0; i < n; ++i)
    {
        char c = csField[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else
            return false;
        value = value * 16 + (COLORREF)digit;
    }
    color = value;
    return true;
}

// A decimal integer with an optional sign, as "%d" writes it.
bool ReadInt(const CString& csField, int& nValue)
{
    int n = csField.GetLength();
    int i = 0;
    bool bNegative = false;
    if (i < n && (csField[i] == '-' || csField[i] == '+'))
        bNegative = csField[i++] == '-';
    if (i == n || n - i > 9)
        return false;
    int value = 0;
    for (; i < n; ++i)
    {
        if (csField[i] < '0' || csField[i] > '9')
            return false;
        value = value * 10 + (csField[i] - '0');
    }
    nValue = bNegative ? -value : value;
    return true;
}

bool HasSeparatorOrBreak(const CString& cs)
{
    return cs.FindOneOf(",\r\n") >= 0;
}

bool IsStorableFontField(const CString& cs)
{
    return !cs.IsEmpty() && !HasSeparatorOrBreak(cs);
}

void AppendColor(std::string& out, COLORREF color)
{
    char sz[16];
    snprintf(sz, sizeof(sz), "%lX", (unsigned long)color);
    out += sz;
}

// Background, text colour, font name and size. False when reading must end here.
bool ReadScalars(CFieldReader& reader, cCustomizedAppearanceSettings& record)
{
    CString csField;
    COLORREF color = 0;
    if (!reader.Next(csField) || !ReadColor(csField, color))
        return false;
    record.m_clrBackground = color;
    if (!reader.Next(csField) || !ReadColor(csField, color))
        return false;
    record.m_clrText = color;
    if (!reader.Next(csField))
        return false;
    if (!csField.IsEmpty())
        record.m_csFontName = csField;
    if (!reader.Next(csField))
        return false;
    int nSize = 0;
    if (ReadInt(csField, nSize) && csField[0] != '+' && csField[0] != '-' && nSize >= APPEARANCE_MIN_FONT_SIZE &&
        nSize <= APPEARANCE_MAX_FONT_SIZE)
        record.m_csFontSize = csField;
    return true;
}

void AppendScalars(std::string& out, const cCustomizedAppearanceSettings& record)
{
    AppendColor(out, record.m_clrBackground);
    out += ',';
    AppendColor(out, record.m_clrText);
    out += ',';
    out += record.m_csFontName.GetString();
    out += ',';
    out += record.m_csFontSize.GetString();
}
}  // namespace

CString AppearanceKey(const CString& csListName, int nControlID)
{
    CString key;
    key.Format("%s-%d", csListName.GetString(), nControlID);
    return key;
}

bool IsStorableKeyword(const CString& csKeyword)
{
    return !csKeyword.IsEmpty() && !HasSeparatorOrBreak(csKeyword);
}

CString KeywordToStore(const CString& csKeyword)
{
    CString cs = csKeyword;
    cs.MakeLower();
    return cs;
}

bool FormatCustomizeLists(const cCustomizedAppearanceSettings& record, bool bWithRules, CString& csValue)
{
    if (!IsStorableFontField(record.m_csFontName) || !IsStorableFontField(record.m_csFontSize))
        return false;
    std::string out;
    AppendScalars(out, record);
    if (bWithRules)
    {
        char sz[24];
        snprintf(sz, sizeof(sz), ",%d,", record.m_nKeywordColumn);
        out += sz;
        INT_PTR nRules = 0;
        if (record.m_pKeywords != nullptr && record.m_pKeywordColors != nullptr)
            nRules = std::min(record.m_pKeywords->GetSize(), record.m_pKeywordColors->GetSize());
        for (INT_PTR i = 0; i < nRules; ++i)
        {
            const CString& csKeyword = record.m_pKeywords->GetAt(i);
            if (!IsStorableKeyword(csKeyword))
                return false;
            out += csKeyword.GetString();
            out += ',';
            AppendColor(out, record.m_pKeywordColors->GetAt(i));
            out += ',';
        }
    }
    csValue = CString(out.c_str(), (int)out.size());
    return true;
}

eAppearanceRead ParseCustomizeLists(const CString& csValue, cCustomizedAppearanceSettings& record)
{
    CFieldReader reader(csValue);
    if (!ReadScalars(reader, record))
        return APPEARANCE_READ_PARTIAL;
    CString csField;
    if (!reader.Next(csField))
        return APPEARANCE_READ_WHOLE;   // stored without a keyword column
    int nColumn = 0;
    if (!ReadInt(csField, nColumn))
        return APPEARANCE_READ_PARTIAL;
    if (nColumn < 0)
    {
        record.m_nKeywordColumn = -1;
        return APPEARANCE_READ_WHOLE;
    }
    record.m_nKeywordColumn = nColumn;
    if (!reader.Next(csField) || csField.IsEmpty())
        return APPEARANCE_READ_WHOLE;
    record.ResetKeywordArrays();
    do
    {
        CString csColor;
        COLORREF color = 0;
        if (!reader.Next(csColor) || !ReadColor(csColor, color))
        {
            // A keyword without its colour: none of the rules can be trusted.
            record.m_pKeywords->RemoveAll();
            record.m_pKeywordColors->RemoveAll();
            return APPEARANCE_READ_PARTIAL;
        }
        record.m_pKeywords->Add(KeywordToStore(csField));
        record.m_pKeywordColors->Add(color);
    } while (reader.Next(csField) && !csField.IsEmpty());
    return APPEARANCE_READ_WHOLE;
}

bool FormatUserCustomizeLists(const cCustomizedAppearanceSettings& record, CString& csValue)
{
    if (!IsStorableFontField(record.m_csFontName) || !IsStorableFontField(record.m_csFontSize))
        return false;
    std::string out;
    AppendScalars(out, record);
    INT_PTR nKeywords = 0;
    if (record.m_pUserKeywords != nullptr && record.m_pUserTextColors != nullptr && record.m_pUserBackColors != nullptr)
        nKeywords = std::min(record.m_pUserKeywords->GetSize(),
                             std::min(record.m_pUserTextColors->GetSize(), record.m_pUserBackColors->GetSize()));
    if (nKeywords > 0)
        out += ',';
    for (INT_PTR i = 0; i < nKeywords; ++i)
    {
        const CString& csKeyword = record.m_pUserKeywords->GetAt(i);
        if (!IsStorableKeyword(csKeyword))
            return false;
        out += csKeyword.GetString();
        out += ',';
        AppendColor(out, record.m_pUserTextColors->GetAt(i));
        out += ',';
        AppendColor(out, record.m_pUserBackColors->GetAt(i));
        out += ',';
    }
    csValue = CString(out.c_str(), (int)out.size());
    return true;
}

eAppearanceRead ParseUserCustomizeLists(const CString& csValue, cCustomizedAppearanceSettings& record)
{
    CFieldReader reader(csValue);
    if (!ReadScalars(reader, record))
        return APPEARANCE_READ_PARTIAL;
    CString csField;
    if (!reader.Next(csField) || csField.IsEmpty())
        return APPEARANCE_READ_WHOLE;
    record.ResetUserArrays();
    do
    {
        CString csText, csBack;
        COLORREF text = 0, back = 0;
        if (!reader.Next(csText) || !ReadColor(csText, text) || !reader.Next(csBack) || !ReadColor(csBack, back))
            return APPEARANCE_READ_PARTIAL;
        record.m_pUserKeywords->Add(KeywordToStore(csField));
        record.m_pUserTextColors->Add(text);
        record.m_pUserBackColors->Add(back);
    } while (reader.Next(csField) && !csField.IsEmpty());
    return APPEARANCE_READ_WHOLE;
}
