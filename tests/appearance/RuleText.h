// Keyword rules of an appearance record, added and read back as text for comparing:
// "keyword=colour;" per rule and "keyword=text/back;" per user keyword, "<none>" without arrays.
#pragma once

#include "lists/AppearanceText.h"

#include <cstdio>
#include <string>

inline void AddRule(cCustomizedAppearanceSettings& record, const char* pszKeyword, COLORREF color)
{
    if (record.m_pKeywords == nullptr)
        record.ResetKeywordArrays();
    record.m_pKeywords->Add(pszKeyword);
    record.m_pKeywordColors->Add(color);
}

inline void AddUserKeyword(cCustomizedAppearanceSettings& record, const char* pszKeyword, COLORREF text, COLORREF back)
{
    if (record.m_pUserKeywords == nullptr)
        record.ResetUserArrays();
    record.m_pUserKeywords->Add(pszKeyword);
    record.m_pUserTextColors->Add(text);
    record.m_pUserBackColors->Add(back);
}

inline std::string Rules(const cCustomizedAppearanceSettings& a)
{
    if (a.m_pKeywords == nullptr || a.m_pKeywordColors == nullptr)
        return "<none>";
    std::string out;
    char sz[32];
    for (INT_PTR i = 0; i < a.m_pKeywords->GetSize() && i < a.m_pKeywordColors->GetSize(); ++i)
    {
        snprintf(sz, sizeof(sz), "=%lX;", (unsigned long)a.m_pKeywordColors->GetAt(i));
        out += a.m_pKeywords->GetAt(i).GetString() + std::string(sz);
    }
    return out;
}

inline std::string UserKeywords(const cCustomizedAppearanceSettings& a)
{
    if (a.m_pUserKeywords == nullptr)
        return "<none>";
    std::string out;
    char sz[48];
    for (INT_PTR i = 0; i < a.m_pUserKeywords->GetSize(); ++i)
    {
        snprintf(sz, sizeof(sz), "=%lX/%lX;", (unsigned long)a.m_pUserTextColors->GetAt(i),
                 (unsigned long)a.m_pUserBackColors->GetAt(i));
        out += a.m_pUserKeywords->GetAt(i).GetString() + std::string(sz);
    }
    return out;
}
