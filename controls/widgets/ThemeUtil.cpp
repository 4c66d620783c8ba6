#include "widgets/ThemeUtil.h"

#include "host/ControlBlock.h"

#include <new>
#include <string>

namespace
{
// The visual-styles functions, by the signatures the platform gives them.
typedef BOOL(WINAPI* PFN_IsThemeActive)();
typedef HANDLE(WINAPI* PFN_OpenThemeData)(HWND, LPCWSTR);
typedef HRESULT(WINAPI* PFN_CloseThemeData)(HANDLE);
typedef HRESULT(WINAPI* PFN_DrawThemeBackground)(HANDLE, HDC, int, int, const RECT*, const RECT*);
typedef HRESULT(WINAPI* PFN_GetThemeColor)(HANDLE, int, int, int, COLORREF*);
typedef HRESULT(WINAPI* PFN_GetThemeInt)(HANDLE, int, int, int, int*);
typedef HRESULT(WINAPI* PFN_GetThemeMargins)(HANDLE, HDC, int, int, int, const RECT*, _MY_MARGINS*);
typedef HRESULT(WINAPI* PFN_GetThemeFilename)(HANDLE, int, int, int, LPWSTR, int);
typedef HRESULT(WINAPI* PFN_GetCurrentThemeName)(LPWSTR, int, LPWSTR, int, LPWSTR, int);

template <class PFN>
PFN As(FARPROC proc)
{
    return reinterpret_cast<PFN>(reinterpret_cast<void*>(proc));
}

// The 8-bit (ANSI code page) form of a wide text; throws std::bad_alloc when memory runs out.
std::string Narrow(const wchar_t* psz)
{
    int n = ::WideCharToMultiByte(CP_ACP, 0, psz, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 0)
        return std::string();
    std::string s(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, psz, -1, &s[0], n, nullptr, nullptr);
    s.resize(static_cast<size_t>(n - 1));
    return s;
}
}  // namespace

CThemeUtil::CThemeUtil() : m_hUxTheme(nullptr), m_hThemeFile(nullptr), m_hTheme(nullptr)
{
    FreeLib();
    if (IsWinXP())
        m_hUxTheme = CControlBlock::Get()->CallLoadLibrary("UxTheme.dll");
}

CThemeUtil::~CThemeUtil()
{
    FreeLib();
}

BOOL CThemeUtil::IsThemeCapableVersion(DWORD dwMajor, DWORD dwMinor)
{
    // Wraps like the 32-bit sum it has always been.
    const int nValue = static_cast<int>(static_cast<unsigned>(dwMajor) + static_cast<unsigned>(dwMinor) * 65536u);
    return nValue >= 0x10005;
}

BOOL CThemeUtil::IsWinXP()
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
#if defined(__GNUC__)
#    pragma GCC diagnostic push
#    pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
    if (!::GetVersionExA(&info))
        return FALSE;
#if defined(__GNUC__)
#    pragma GCC diagnostic pop
#endif
    return IsThemeCapableVersion(info.dwMajorVersion, info.dwMinorVersion);
}

void CThemeUtil::FreeLib()
{
    CloseThemeData();
    if (m_hUxTheme != nullptr)
    {
        ::FreeLibrary(m_hUxTheme);
        m_hUxTheme = nullptr;
    }
}

FARPROC CThemeUtil::GetProc(const char* pszName) const
{
    return m_hUxTheme ? ::GetProcAddress(m_hUxTheme, pszName) : nullptr;
}

int CThemeUtil::OpenThemeData(HWND hWnd, const wchar_t* classList)
{
    if (m_hUxTheme == nullptr || hWnd == nullptr || m_hTheme != nullptr)
        return 0;
    PFN_IsThemeActive pIsThemeActive = As<PFN_IsThemeActive>(GetProc("IsThemeActive"));
    if (pIsThemeActive == nullptr || !pIsThemeActive())
        return 0;
    PFN_OpenThemeData pOpen = As<PFN_OpenThemeData>(GetProc("OpenThemeData"));
    if (pOpen != nullptr)
        m_hTheme = pOpen(hWnd, classList);
    if (m_hTheme == nullptr)
        return 0;

    wchar_t szFile[MAX_PATH] = {};
    wchar_t szColour[MAX_PATH] = {};
    wchar_t szSize[MAX_PATH] = {};
    if (GetCurrentThemeName(szFile, MAX_PATH, szColour, MAX_PATH, szSize, MAX_PATH))
    {
        try
        {
            std::string file = Narrow(szFile);
            if (!file.empty())
                m_hThemeFile = CControlBlock::Get()->CallLoadLibrary(file.c_str());
        }
        catch (const std::bad_alloc&)
        {
            m_hThemeFile = nullptr;
        }
        if (m_hThemeFile != nullptr)
            return 1;
    }
    CloseThemeData();
    return 0;
}

void CThemeUtil::CloseThemeData()
{
    if (m_hTheme != nullptr)
    {
        PFN_CloseThemeData pClose = As<PFN_CloseThemeData>(GetProc("CloseThemeData"));
        if (pClose != nullptr)
            pClose(m_hTheme);
        m_hTheme = nullptr;
    }
    if (m_hThemeFile != nullptr)
    {
        ::FreeLibrary(m_hThemeFile);
        m_hThemeFile = nullptr;
    }
}

int CThemeUtil::DrawThemePart(HDC hdc, int iPartId, int iStateId, const RECT* pRect)
{
    PFN_DrawThemeBackground p = As<PFN_DrawThemeBackground>(m_hTheme ? GetProc("DrawThemeBackground") : nullptr);
    if (p == nullptr)
        return 0;
    p(m_hTheme, hdc, iPartId, iStateId, pRect, nullptr);
    return 1;
}

int CThemeUtil::GetThemeColor(int iPartId, int iStateId, int iPropId, const COLORREF* pColor)
{
    PFN_GetThemeColor p = As<PFN_GetThemeColor>(m_hTheme ? GetProc("GetThemeColor") : nullptr);
    if (p == nullptr)
        return 0;
    p(m_hTheme, iPartId, iStateId, iPropId, const_cast<COLORREF*>(pColor));
    return 1;
}

int CThemeUtil::GetThemeInt(int iPartId, int iStateId, int iPropId, const int* piVal)
{
    PFN_GetThemeInt p = As<PFN_GetThemeInt>(m_hTheme ? GetProc("GetThemeInt") : nullptr);
    if (p == nullptr)
        return 0;
    p(m_hTheme, iPartId, iStateId, iPropId, const_cast<int*>(piVal));
    return 1;
}

int CThemeUtil::GetThemeMargins(int iPartId, int iStateId, int iPropId, const _MY_MARGINS* pMargins)
{
    PFN_GetThemeMargins p = As<PFN_GetThemeMargins>(m_hTheme ? GetProc("GetThemeMargins") : nullptr);
    if (p == nullptr)
        return 0;
    p(m_hTheme, nullptr, iPartId, iStateId, iPropId, nullptr, const_cast<_MY_MARGINS*>(pMargins));
    return 1;
}

int CThemeUtil::GetThemeEnumValue(int iPartId, int iStateId, int iPropId, const int* piVal)
{
    PFN_GetThemeInt p = As<PFN_GetThemeInt>(m_hTheme ? GetProc("GetThemeEnumValue") : nullptr);
    if (p == nullptr)
        return 0;
    p(m_hTheme, iPartId, iStateId, iPropId, const_cast<int*>(piVal));
    return 1;
}

int CThemeUtil::GetThemeFilename(int iPartId, int iStateId, int iPropId, wchar_t* pszThemeFileName,
                                 int cchMaxBuffChars)
{
    PFN_GetThemeFilename p = As<PFN_GetThemeFilename>(m_hTheme ? GetProc("GetThemeFilename") : nullptr);
    if (p == nullptr)
        return 0;
    p(m_hTheme, iPartId, iStateId, iPropId, pszThemeFileName, cchMaxBuffChars);
    return 1;
}

int CThemeUtil::GetCurrentThemeName(wchar_t* pszThemeFileName, int dwMaxNameChars, wchar_t* pszColorBuff,
                                    int cchMaxColorChars, wchar_t* pszSizeBuff, int cchMaxSizeChars)
{
    // Needs the library only, not an open theme: it reads the user's current choice.
    PFN_GetCurrentThemeName p = As<PFN_GetCurrentThemeName>(GetProc("GetCurrentThemeName"));
    if (p == nullptr)
        return 0;
    p(pszThemeFileName, dwMaxNameChars, pszColorBuff, cchMaxColorChars, pszSizeBuff, cchMaxSizeChars);
    return 1;
}

HBITMAP CThemeUtil::LoadBitmapA(wchar_t* name)
{
    if (m_hThemeFile == nullptr || name == nullptr)
        return nullptr;
    try
    {
        std::string resource = Narrow(name);
        for (char& c : resource)
        {
            if (c == '\\' || c == '.')
                c = '_';
        }
        return ::LoadBitmapA(m_hThemeFile, resource.c_str());
    }
    catch (const std::bad_alloc&)
    {
        return nullptr;
    }
}
