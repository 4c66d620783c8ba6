// The appearance of a list: colours, font, and the keyword rules that colour rows or cells. Each
// list holds one; the library holds a global one that the host reads and sets.
//
// Ownership of the keyword arrays: assigning a record gives the destination its own copy of every
// array the source has (an array the source lacks leaves the destination's as it was); copy
// construction shares the source's arrays. Shared arrays are counted, so each is deleted once,
// when its last holder goes.
#pragma once

#include <afx.h>

typedef CArray<COLORREF, COLORREF> CColorArray;

class CONTROLS_API cCustomizedAppearanceSettings
{
public:
    cCustomizedAppearanceSettings();
    cCustomizedAppearanceSettings(const cCustomizedAppearanceSettings& other);
    cCustomizedAppearanceSettings& operator=(const cCustomizedAppearanceSettings& other);
    ~cCustomizedAppearanceSettings();

    COLORREF m_clrBackground;           // list background and text background
    COLORREF m_clrText;                 // list text
    CColorArray* m_pKeywordColors;      // colour of each keyword rule
    CStringArray* m_pKeywords;          // keyword of each rule, lower case
    CColorArray* m_pUserTextColors;     // text colour of each user keyword
    CColorArray* m_pUserBackColors;     // text background colour of each user keyword
    CStringArray* m_pUserKeywords;      // user keywords, lower case
    int m_nKeywordColumn;               // column whose text the rules test; -1 = no rules
    bool m_bKeywordRulesAvailable;      // the list uses its filter model
    CString m_csFontName;
    CString m_csFontSize;               // point size, as text

    // Gives each missing keyword array an empty one of its own (before rules are added).
    void EnsureArrays();
    // Releases the keyword arrays (this holder's share of them).
    void ReleaseArrays();
    // Gives the record new, empty keyword and keyword-colour arrays of its own (releasing its share
    // of the old ones); the same for the three user arrays.
    void ResetKeywordArrays();
    void ResetUserArrays();
};

// A copy of the global record that shares its arrays.
CONTROLS_API cCustomizedAppearanceSettings Get_Apperance_setting();
// Assigns the record to the global one (arrays duplicated); true.
CONTROLS_API bool Set_Apperance_setting(const cCustomizedAppearanceSettings& settings);
