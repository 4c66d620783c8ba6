// Visual styles for the library's owner-drawn controls, without a link-time dependency on the
// visual-styles library: "UxTheme.dll" is loaded at run time through the host, each of its
// functions is looked up by name when it is needed, and every operation answers 0 when visual
// styles are not available, so callers fall back to their plain drawing.
#pragma once

#include <afxwin.h>

// Margins as the visual-styles library reports them: left, right, top and bottom widths.
struct _MY_MARGINS
{
    int cxLeftWidth;
    int cxRightWidth;
    int cyTopHeight;
    int cyBottomHeight;
};

class CONTROLS_API CThemeUtil
{
public:
    CThemeUtil();
    virtual ~CThemeUtil();
    CThemeUtil(const CThemeUtil&) = delete;
    CThemeUtil& operator=(const CThemeUtil&) = delete;

    // 1 when a theme is open for the window's class list and the theme file is loaded.
    int OpenThemeData(HWND hWnd, const wchar_t* classList);
    // Closes the theme and frees the theme file.
    void CloseThemeData();

    // Each returns 1 when the platform's function was called (whatever it answered), 0 when no
    // theme is open or the function is missing.
    int DrawThemePart(HDC hdc, int iPartId, int iStateId, const RECT* pRect);
    int GetThemeColor(int iPartId, int iStateId, int iPropId, const COLORREF* pColor);
    int GetThemeInt(int iPartId, int iStateId, int iPropId, const int* piVal);
    int GetThemeMargins(int iPartId, int iStateId, int iPropId, const _MY_MARGINS* pMargins);
    int GetThemeEnumValue(int iPartId, int iStateId, int iPropId, const int* piVal);
    int GetThemeFilename(int iPartId, int iStateId, int iPropId, wchar_t* pszThemeFileName, int cchMaxBuffChars);
    int GetCurrentThemeName(wchar_t* pszThemeFileName, int dwMaxNameChars, wchar_t* pszColorBuff, int cchMaxColorChars,
                            wchar_t* pszSizeBuff, int cchMaxSizeChars);

    // A bitmap resource of the current theme file ("Blue\Tab.bmp" is looked up as "Blue_Tab_bmp");
    // null when no theme file is loaded. The caller owns the bitmap.
    HBITMAP LoadBitmapA(wchar_t* name);

    // The version rule of theme capability: major + minor * 65536, as a signed 32-bit value, at
    // least 0x10005. The minor version is the more significant half (so 5.1 passes and 6.0 does not).
    static BOOL IsThemeCapableVersion(DWORD dwMajor, DWORD dwMinor);

    HMODULE m_hUxTheme;      // "UxTheme.dll", null when not loaded
    HMODULE m_hThemeFile;    // the current theme file loaded as a module (for its bitmaps)
    HANDLE m_hTheme;         // the open theme, null when none

private:
    BOOL IsWinXP();
    void FreeLib();
    // The visual-styles function of that name, or null.
    FARPROC GetProc(const char* pszName) const;
};
