// CCommonListCtrl: the appearance record at work. Reading the "CUSTOMIZE_LISTS" and
// "USER_CUSTOMIZE_LISTS" entries while the list initialises, writing them, the default keyword
// rules of the host, fonts set by face and point size, and the global appearance pushed to every
// registered list.
#include "lists/CommonListCtrl.h"
#include "lists/AppearanceText.h"
#include "host/ControlBlock.h"
#include "host/ControlsModule.h"
#include "OrvoTools.h"
#include "SettingsRules.h"

#include <cstring>
#include <map>

namespace
{
const char kCustomizeSection[] = "CUSTOMIZE_LISTS";
const char kUserCustomizeSection[] = "USER_CUSTOMIZE_LISTS";

// Fonts made by SetListFontProperty, by window. A window keeps its font until it gets another
// one, is destroyed, or the library unloads.
std::map<HWND, HFONT>& ListFonts()
{
    static std::map<HWND, HFONT> fonts;
    return fonts;
}

void ReleaseAllListFonts()
{
    for (auto& entry : ListFonts())
        ::DeleteObject(entry.second);
    ListFonts().clear();
}

const bool s_bUnloadRegistered = (AddLibraryUnloadAction(&ReleaseAllListFonts), true);

void KeepListFont(HWND hWnd, HFONT hFont)
{
    auto& fonts = ListFonts();
    // Windows that went without telling us give their fonts back here.
    for (auto it = fonts.begin(); it != fonts.end();)
    {
        if (it->first != hWnd && !::IsWindow(it->first))
        {
            ::DeleteObject(it->second);
            it = fonts.erase(it);
        }
        else
        {
            ++it;
        }
    }
    auto it = fonts.find(hWnd);
    if (it != fonts.end())
    {
        ::DeleteObject(it->second);
        it->second = hFont;
    }
    else
    {
        fonts.emplace(hWnd, hFont);
    }
}

int CALLBACK FoundFamily(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM lParam)
{
    *reinterpret_cast<bool*>(lParam) = true;
    return 0;
}

// The platform's dialog-font names are aliases that no family enumerates under.
bool IsKnownFontFace(const CString& csFace)
{
    if (csFace.IsEmpty() || csFace.GetLength() >= LF_FACESIZE)
        return false;
    if (csFace.CompareNoCase("MS Shell Dlg 2") == 0 || csFace.CompareNoCase("MS Shell Dlg") == 0)
        return true;
    LOGFONTA lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    strlcpy(lf.lfFaceName, csFace, sizeof(lf.lfFaceName));
    bool bFound = false;
    HDC hdc = ::GetDC(nullptr);
    ::EnumFontFamiliesExA(hdc, &lf, FoundFamily, reinterpret_cast<LPARAM>(&bFound), 0);
    ::ReleaseDC(nullptr, hdc);
    return bFound;
}

bool ReadPointSize(const CString& csSize, int& nSize)
{
    if (csSize.IsEmpty() || csSize.GetLength() > 4)
        return false;
    nSize = 0;
    for (int i = 0; i < csSize.GetLength(); ++i)
    {
        if (csSize[i] < '0' || csSize[i] > '9')
            return false;
        nSize = nSize * 10 + (csSize[i] - '0');
    }
    return nSize >= APPEARANCE_MIN_FONT_SIZE && nSize <= APPEARANCE_MAX_FONT_SIZE;
}

void Log(const CString& csLine)
{
    CControlBlock::Get()->Log(csLine);
}

// Keywords as the record keeps them (lower case); false when one cannot be stored.
bool StorableKeywords(const CStringArray& keywords, CStringArray& stored)
{
    stored.RemoveAll();
    for (INT_PTR i = 0; i < keywords.GetSize(); ++i)
    {
        if (!IsStorableKeyword(keywords[i]))
            return false;
        stored.Add(KeywordToStore(keywords[i]));
    }
    return true;
}
}  // namespace

void CCommonListCtrl::ReleaseListFont(HWND hWnd)
{
    auto it = ListFonts().find(hWnd);
    if (it == ListFonts().end())
        return;
    ::DeleteObject(it->second);
    ListFonts().erase(it);
}

int CCommonListCtrl::SetListFontProperty(CWnd* pWnd, int nID, CString csFontName, CString csFontSize)
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return 0;
    // Either the list itself or its parent with the list's identifier.
    HWND hList = pWnd->m_hWnd;
    if (::GetDlgCtrlID(hList) != nID)
    {
        if (HWND hItem = ::GetDlgItem(hList, nID))
            hList = hItem;
    }
    HFONT hCurrent = (HFONT)::SendMessageA(hList, WM_GETFONT, 0, 0);
    int nSize = 0;
    LOGFONTA lf = {};
    if (hCurrent == nullptr || !ReadPointSize(csFontSize, nSize) || !IsKnownFontFace(csFontName) ||
        ::GetObjectA(hCurrent, sizeof(lf), &lf) == 0)
        return 0;
    strlcpy(lf.lfFaceName, csFontName, sizeof(lf.lfFaceName));
    HDC hdc = ::GetDC(hList);
    if (hdc == nullptr)
        return 0;
    lf.lfHeight = -::MulDiv(nSize, ::GetDeviceCaps(hdc, LOGPIXELSY), 72);
    lf.lfWidth = 0;
    HFONT hFont = ::CreateFontIndirectA(&lf);
    ::ReleaseDC(hList, hdc);
    if (hFont == nullptr)
        return 0;
    ::SendMessageA(hList, WM_SETFONT, (WPARAM)hFont, TRUE);
    KeepListFont(hList, hFont);
    return 1;
}

void CCommonListCtrl::ApplyAppearanceColors()
{
    if (!m_bApplyCustomColors || m_hWnd == nullptr)
        return;
    SetBkColor(m_Appearance.m_clrBackground);
    SetTextBkColor(m_Appearance.m_clrBackground);
    SetTextColor(m_Appearance.m_clrText);
    Invalidate();
}

void CCommonListCtrl::ReadAppearanceSettings()
{
    // A list without a name has no settings of its own.
    if (m_csListName.IsEmpty() || m_hWnd == nullptr)
        return;
    const CString csKey = AppearanceKey(m_csListName, GetDlgCtrlID());
    if (m_bRegistered)
    {
        CString csValue, csError, csFile = m_csGetRecoveryFile;
        if (!orvou_appdata_ini_file_operations(0, kCustomizeSection, csKey, csValue, csFile, csError))
        {
            m_Appearance = Get_Apperance_setting();
        }
        else
        {
            m_bCustomizeLoaded = true;
            const CString csFontName = m_Appearance.m_csFontName;
            if (ParseCustomizeLists(csValue, m_Appearance) != APPEARANCE_READ_WHOLE)
                Log("CUSTOMIZE_LISTS " + csKey + ": malformed value, read up to its first bad field: \"" +
                    CControlBlock::LogExcerpt(csValue) + "\"");
            if (!IsKnownFontFace(m_Appearance.m_csFontName))
            {
                Log("CUSTOMIZE_LISTS " + csKey + ": font \"" + CControlBlock::LogExcerpt(m_Appearance.m_csFontName) +
                    "\" is not installed");
                m_Appearance.m_csFontName = csFontName;
            }
        }
        SetListFontProperty(this, GetDlgCtrlID(), m_Appearance.m_csFontName, m_Appearance.m_csFontSize);
        ApplyAppearanceColors();
    }

    CString csValue, csError, csFile = m_csGetRecoveryFile;
    if (orvou_appdata_ini_file_operations(0, kUserCustomizeSection, csKey, csValue, csFile, csError))
    {
        const CString csFontName = m_Appearance.m_csFontName;
        if (ParseUserCustomizeLists(csValue, m_Appearance) != APPEARANCE_READ_WHOLE)
            Log("USER_CUSTOMIZE_LISTS " + csKey + ": malformed value \"" + CControlBlock::LogExcerpt(csValue) + "\"");
        if (!IsKnownFontFace(m_Appearance.m_csFontName))
            m_Appearance.m_csFontName = csFontName;
        ApplyAppearanceColors();
    }
}

bool CCommonListCtrl::WriteCustomizeSettings(bool bWithRules, const CString& csFile)
{
    if (m_csListName.IsEmpty() || m_hWnd == nullptr)
        return false;
    const CString csKey = AppearanceKey(m_csListName, GetDlgCtrlID());
    CString csValue;
    if (!FormatCustomizeLists(m_Appearance, bWithRules, csValue))
    {
        Log("CUSTOMIZE_LISTS " + csKey + ": not written, a keyword or the font name holds a \",\" or a line break");
        return false;
    }
    CString csError, csFileName = csFile;
    return orvou_appdata_ini_file_operations(1, kCustomizeSection, csKey, csValue, csFileName, csError) != 0;
}

CString CCommonListCtrl::CustomizeSettingsProblem(const cCustomizedAppearanceSettings& record, bool bWithRules,
                                                  bool bUser) const
{
    if (m_csListName.IsEmpty() || m_hWnd == nullptr)
        return CString();   // nothing is stored for such a list
    CString csValue;
    const bool bFormatted = bUser ? FormatUserCustomizeLists(record, csValue)
                                  : FormatCustomizeLists(record, bWithRules, csValue);
    if (!bFormatted)
        return "A keyword or the font name holds a \",\" or a line break";
    return orvou_check_settings_arguments(1, bUser ? kUserCustomizeSection : kCustomizeSection,
                                          AppearanceKey(m_csListName, ::GetDlgCtrlID(m_hWnd)), csValue);
}

bool CCommonListCtrl::WriteUserCustomizeSettings()
{
    if (m_csListName.IsEmpty() || m_hWnd == nullptr)
        return false;
    const CString csKey = AppearanceKey(m_csListName, GetDlgCtrlID());
    CString csValue;
    if (!FormatUserCustomizeLists(m_Appearance, csValue))
    {
        Log("USER_CUSTOMIZE_LISTS " + csKey + ": not written, a keyword or the font name holds a \",\" or a line break");
        return false;
    }
    CString csError, csFile = m_csGetRecoveryFile;
    return orvou_appdata_ini_file_operations(1, kUserCustomizeSection, csKey, csValue, csFile, csError) != 0;
}

int CCommonListCtrl::SetDefaultAttributes(int nColumn, const CStringArray& keywords, const CColorArray& colors)
{
    CStringArray stored;
    if (!StorableKeywords(keywords, stored))
    {
        Log("SetDefaultAttributes: refused, a keyword is empty or holds a \",\" or a line break");
        return 0;
    }
    if (m_Appearance.m_pKeywords == nullptr || m_Appearance.m_pKeywords->IsEmpty())
    {
        m_Appearance.m_nKeywordColumn = nColumn;
        if (m_Appearance.m_pKeywords == nullptr)
            m_Appearance.m_pKeywords = new CStringArray;
        m_Appearance.m_pKeywords->Copy(stored);
    }
    if (m_Appearance.m_pKeywordColors == nullptr || m_Appearance.m_pKeywordColors->IsEmpty())
    {
        if (m_Appearance.m_pKeywordColors == nullptr)
            m_Appearance.m_pKeywordColors = new CColorArray;
        m_Appearance.m_pKeywordColors->Copy(colors);
    }
    return 1;
}

int CCommonListCtrl::SetDefaultProperties(const CStringArray& keywords, const CColorArray& textColors,
                                          const CColorArray& backColors)
{
    CStringArray stored;
    if (!StorableKeywords(keywords, stored))
    {
        Log("SetDefaultProperties: refused, a keyword is empty or holds a \",\" or a line break");
        return 0;
    }
    if (m_Appearance.m_pUserKeywords == nullptr || m_Appearance.m_pUserKeywords->IsEmpty())
    {
        if (m_Appearance.m_pUserKeywords == nullptr)
            m_Appearance.m_pUserKeywords = new CStringArray;
        m_Appearance.m_pUserKeywords->Copy(stored);
    }
    if (m_Appearance.m_pUserTextColors == nullptr || m_Appearance.m_pUserTextColors->IsEmpty())
    {
        if (m_Appearance.m_pUserTextColors == nullptr)
            m_Appearance.m_pUserTextColors = new CColorArray;
        m_Appearance.m_pUserTextColors->Copy(textColors);
    }
    if (m_Appearance.m_pUserBackColors == nullptr || m_Appearance.m_pUserBackColors->IsEmpty())
    {
        if (m_Appearance.m_pUserBackColors == nullptr)
            m_Appearance.m_pUserBackColors = new CColorArray;
        m_Appearance.m_pUserBackColors->Copy(backColors);
    }
    return 1;
}

void CCommonListCtrl::ApplyGeneralSettings(bool bForce)
{
    const cCustomizedAppearanceSettings global = Get_Apperance_setting();
    // Copied first: writing settings may let a list come or go.
    CArray<CCommonListCtrl*, CCommonListCtrl*> lists;
    CList<CCommonListCtrl*, CCommonListCtrl*>& registered = RegisteredLists();
    for (POSITION pos = registered.GetHeadPosition(); pos != nullptr;)
        lists.Add(registered.GetNext(pos));
    for (INT_PTR i = 0; i < lists.GetSize(); ++i)
    {
        CCommonListCtrl* pList = lists[i];
        if (registered.Find(pList) == nullptr || pList->GetSafeHwnd() == nullptr)
            continue;
        if (pList->m_bCustomizeLoaded && !bForce)
            continue;
        SetListFontProperty(pList, pList->GetDlgCtrlID(), global.m_csFontName, global.m_csFontSize);
        pList->m_Appearance.m_csFontName = global.m_csFontName;
        pList->m_Appearance.m_csFontSize = global.m_csFontSize;
        if (pList->m_bApplyCustomColors)
        {
            pList->m_Appearance.m_clrBackground = global.m_clrBackground;
            pList->m_Appearance.m_clrText = global.m_clrText;
            pList->ApplyAppearanceColors();
        }
        if (pList->m_bCustomizeLoaded)
        {
            const cCustomizedAppearanceSettings& a = pList->m_Appearance;
            bool bWithRules = a.m_pKeywordColors != nullptr && !a.m_pKeywordColors->IsEmpty() &&
                              a.m_bKeywordRulesAvailable;
            // The tools library decides which file an empty name addresses (the last one named).
            pList->WriteCustomizeSettings(bWithRules, CString());
        }
        pList->RedrawWindow();
    }
}
