#include "lists/cCustomizedAppearanceSettings.h"

#include <unordered_map>

namespace
{
// Holders of each shared array. An array not in the map has exactly one holder.
std::unordered_map<const void*, int>& Holders()
{
    static std::unordered_map<const void*, int> holders;
    return holders;
}

template <class A>
A* Share(A* p)
{
    if (p != nullptr)
    {
        auto& holders = Holders();
        auto it = holders.find(p);
        if (it == holders.end())
            holders.emplace(p, 2);
        else
            ++it->second;
    }
    return p;
}

template <class A>
void Release(A*& p)
{
    if (p == nullptr)
        return;
    auto& holders = Holders();
    auto it = holders.find(p);
    if (it == holders.end())
    {
        delete p;
    }
    else if (--it->second == 1)
    {
        holders.erase(it);
    }
    p = nullptr;
}

template <class A>
void AssignArray(A*& dst, const A* src)
{
    if (src == nullptr)
        return;   // the destination keeps what it had
    A* copy = new A;
    copy->Copy(*src);
    Release(dst);
    dst = copy;
}

cCustomizedAppearanceSettings& Global()
{
    static cCustomizedAppearanceSettings global;
    return global;
}
}  // namespace

cCustomizedAppearanceSettings::cCustomizedAppearanceSettings()
    : m_clrBackground(0x000000), m_clrText(0x00FF00), m_pKeywordColors(nullptr), m_pKeywords(nullptr),
      m_pUserTextColors(nullptr), m_pUserBackColors(nullptr), m_pUserKeywords(nullptr), m_nKeywordColumn(-1),
      m_bKeywordRulesAvailable(false), m_csFontName("MS Shell Dlg 2"), m_csFontSize("8")
{
}

cCustomizedAppearanceSettings::cCustomizedAppearanceSettings(const cCustomizedAppearanceSettings& other)
    : m_clrBackground(other.m_clrBackground), m_clrText(other.m_clrText),
      m_pKeywordColors(Share(other.m_pKeywordColors)), m_pKeywords(Share(other.m_pKeywords)),
      m_pUserTextColors(Share(other.m_pUserTextColors)), m_pUserBackColors(Share(other.m_pUserBackColors)),
      m_pUserKeywords(Share(other.m_pUserKeywords)), m_nKeywordColumn(other.m_nKeywordColumn),
      m_bKeywordRulesAvailable(other.m_bKeywordRulesAvailable), m_csFontName(other.m_csFontName),
      m_csFontSize(other.m_csFontSize)
{
}

cCustomizedAppearanceSettings& cCustomizedAppearanceSettings::operator=(const cCustomizedAppearanceSettings& other)
{
    if (this == &other)
        return *this;
    m_clrBackground = other.m_clrBackground;
    m_clrText = other.m_clrText;
    AssignArray(m_pKeywordColors, other.m_pKeywordColors);
    AssignArray(m_pKeywords, other.m_pKeywords);
    AssignArray(m_pUserTextColors, other.m_pUserTextColors);
    AssignArray(m_pUserBackColors, other.m_pUserBackColors);
    AssignArray(m_pUserKeywords, other.m_pUserKeywords);
    m_nKeywordColumn = other.m_nKeywordColumn;
    m_bKeywordRulesAvailable = other.m_bKeywordRulesAvailable;
    m_csFontName = other.m_csFontName;
    m_csFontSize = other.m_csFontSize;
    return *this;
}

cCustomizedAppearanceSettings::~cCustomizedAppearanceSettings()
{
    ReleaseArrays();
}

void cCustomizedAppearanceSettings::EnsureArrays()
{
    if (m_pKeywordColors == nullptr)
        m_pKeywordColors = new CColorArray;
    if (m_pKeywords == nullptr)
        m_pKeywords = new CStringArray;
    if (m_pUserTextColors == nullptr)
        m_pUserTextColors = new CColorArray;
    if (m_pUserBackColors == nullptr)
        m_pUserBackColors = new CColorArray;
    if (m_pUserKeywords == nullptr)
        m_pUserKeywords = new CStringArray;
}

void cCustomizedAppearanceSettings::ReleaseArrays()
{
    Release(m_pKeywordColors);
    Release(m_pKeywords);
    Release(m_pUserTextColors);
    Release(m_pUserBackColors);
    Release(m_pUserKeywords);
}

void cCustomizedAppearanceSettings::ResetKeywordArrays()
{
    Release(m_pKeywordColors);
    Release(m_pKeywords);
    m_pKeywordColors = new CColorArray;
    m_pKeywords = new CStringArray;
}

void cCustomizedAppearanceSettings::ResetUserArrays()
{
    Release(m_pUserTextColors);
    Release(m_pUserBackColors);
    Release(m_pUserKeywords);
    m_pUserTextColors = new CColorArray;
    m_pUserBackColors = new CColorArray;
    m_pUserKeywords = new CStringArray;
}

cCustomizedAppearanceSettings Get_Apperance_setting()
{
    return cCustomizedAppearanceSettings(Global());
}

bool Set_Apperance_setting(const cCustomizedAppearanceSettings& settings)
{
    Global() = settings;
    return true;
}
