#include "lists/KeywordRules.h"

#include <cctype>
#include <cstring>

namespace
{
inline int Fold(char c)
{
    return std::tolower(static_cast<unsigned char>(c));
}

// strstr without regard to case, allocating nothing: it runs for every painted row.
bool ContainsNoCase(const char* pszText, const CString& csKeyword)
{
    const int nKey = csKeyword.GetLength();
    const char* pszKey = csKeyword.GetString();
    if (nKey == 0)
        return false;
    const size_t nText = strlen(pszText);
    if ((size_t)nKey > nText)
        return false;
    const int first = Fold(pszKey[0]);
    for (size_t i = 0; i + (size_t)nKey <= nText; ++i)
    {
        if (Fold(pszText[i]) != first)
            continue;
        int k = 1;
        while (k < nKey && Fold(pszText[i + (size_t)k]) == Fold(pszKey[k]))
            ++k;
        if (k == nKey)
            return true;
    }
    return false;
}

bool EqualsNoCase(const char* pszText, const CString& csKeyword)
{
    const char* pszKey = csKeyword.GetString();
    for (; *pszText != '\0' && *pszKey != '\0'; ++pszText, ++pszKey)
    {
        if (Fold(*pszText) != Fold(*pszKey))
            return false;
    }
    return *pszText == '\0' && *pszKey == '\0';
}
}  // namespace

namespace KeywordRules
{
int GetTextColorForItem(const cCustomizedAppearanceSettings& record, LPCTSTR pszCellText, COLORREF& color)
{
    if (record.m_nKeywordColumn == -1 || record.m_pKeywordColors == nullptr || record.m_pKeywords == nullptr ||
        pszCellText == nullptr)
        return 1;
    const INT_PTR nRules = std::min(record.m_pKeywords->GetSize(), record.m_pKeywordColors->GetSize());
    for (INT_PTR i = 0; i < nRules; ++i)
    {
        if (ContainsNoCase(pszCellText, record.m_pKeywords->GetAt(i)))
        {
            color = record.m_pKeywordColors->GetAt(i);
            break;
        }
    }
    return 1;
}

int GetProperty(const cCustomizedAppearanceSettings& record, COLORREF& textColor, COLORREF& backColor,
                LPCTSTR pszCellText)
{
    if (record.m_pUserKeywords == nullptr || record.m_pUserTextColors == nullptr ||
        record.m_pUserBackColors == nullptr || pszCellText == nullptr)
        return 1;
    const INT_PTR nKeywords = std::min(record.m_pUserKeywords->GetSize(),
                                       std::min(record.m_pUserTextColors->GetSize(), record.m_pUserBackColors->GetSize()));
    for (INT_PTR i = 0; i < nKeywords; ++i)
    {
        const CString& csKeyword = record.m_pUserKeywords->GetAt(i);
        if (!csKeyword.IsEmpty() && EqualsNoCase(pszCellText, csKeyword))
        {
            textColor = record.m_pUserTextColors->GetAt(i);
            backColor = record.m_pUserBackColors->GetAt(i);
            break;
        }
    }
    return 1;
}
}  // namespace KeywordRules
