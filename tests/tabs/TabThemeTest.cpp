// The theme utility and the strip's drawing, with visual styles off and with Wine's light theme
// on. The theme is read once per process when the visual-styles library loads, so each case runs
// in a child process of this program started while the registry says "no theme" or names the
// light theme (a new Wine 8 prefix turns the light theme on by itself); the parent puts the
// registry back when the child ends. The same way, the version rule is checked in children that
// Wine reports older versions to.
#include "TabFixture.h"

#include "WindowPicture.h"
#include "host/ControlBlock.h"
#include "widgets/ThemeUtil.h"

#include <cstdlib>
#include <string>

namespace
{
const char kThemeKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager";
const char kChildVariable[] = "TABS_THEME_CHILD";

// Theme parts and properties used below (the platform's values).
const int TABP_TABITEM_ = 1;
const int BP_PUSHBUTTON_ = 1;
const int TMT_IMAGEFILE_ = 3001;
const int TMT_TEXTCOLOR_ = 3803;
const int TMT_BGTYPE_ = 4001;
const int TMT_CONTENTMARGINS_ = 3602;
const int TMT_BORDERSIZE_ = 2403;

std::string ExeDirectory()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path);
    return s.substr(0, s.find_last_of('\\'));
}

std::string PicturePath(const char* pszName)
{
    const std::string dir = ExeDirectory() + "\\pictures";
    ::CreateDirectoryA(dir.c_str(), nullptr);
    return dir + "\\" + pszName + ".png";
}

std::string ChildMode()
{
    const char* p = std::getenv(kChildVariable);
    return p ? p : "";
}

// One registry value saved and put back as it was (or removed when there was none).
class CSavedValue
{
public:
    CSavedValue(HKEY hRoot, const std::string& key, const char* pszName) : m_hRoot(hRoot), m_key(key), m_name(pszName)
    {
        HKEY h;
        if (::RegOpenKeyExA(hRoot, key.c_str(), 0, KEY_READ, &h) == ERROR_SUCCESS)
        {
            char buffer[1024] = {};
            DWORD cb = sizeof(buffer) - 1;
            m_bExisted = ::RegQueryValueExA(h, pszName, nullptr, &m_type, (BYTE*)buffer, &cb) == ERROR_SUCCESS;
            m_value.assign(buffer, cb);
            ::RegCloseKey(h);
        }
    }
    ~CSavedValue()
    {
        HKEY h;
        if (::RegCreateKeyExA(m_hRoot, m_key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr) != ERROR_SUCCESS)
            return;
        if (m_bExisted)
            ::RegSetValueExA(h, m_name.c_str(), 0, m_type, (const BYTE*)m_value.data(), (DWORD)m_value.size());
        else
            ::RegDeleteValueA(h, m_name.c_str());
        ::RegCloseKey(h);
    }
    void Set(const std::string& value)
    {
        HKEY h;
        ASSERT_EQ(ERROR_SUCCESS,
                  ::RegCreateKeyExA(m_hRoot, m_key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr));
        ::RegSetValueExA(h, m_name.c_str(), 0, REG_SZ, (const BYTE*)value.c_str(), (DWORD)value.size() + 1);
        ::RegCloseKey(h);
    }

private:
    HKEY m_hRoot;
    std::string m_key;
    std::string m_name;
    bool m_bExisted = false;
    DWORD m_type = REG_SZ;
    std::string m_value;
};

// Runs this program again with a test filter and a child mode; returns its exit code.
int RunChild(const std::string& filter, const std::string& mode)
{
    char exe[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string command = std::string("\"") + exe + "\" --gtest_also_run_disabled_tests --gtest_filter=" + filter;
    ::SetEnvironmentVariableA(kChildVariable, mode.c_str());
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    const BOOL bStarted =
        ::CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    ::SetEnvironmentVariableA(kChildVariable, nullptr);
    if (!bStarted)
        return -1;
    DWORD dwExit = 99;
    if (::WaitForSingleObject(pi.hProcess, 120000) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(pi.hProcess, &dwExit);
    else
        ::TerminateProcess(pi.hProcess, 98);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return (int)dwExit;
}

bool Called(const std::string& call)
{
    for (const std::string& c : TestHost::Calls())
    {
        if (c == call)
            return true;
    }
    return false;
}

// Every operation of a utility with no theme open answers 0 and leaves its outputs alone.
void ExpectAllZero(CThemeUtil& theme)
{
    COLORREF clr = 12345;
    int n = 777;
    _MY_MARGINS margins = { 1, 2, 3, 4 };
    wchar_t name[64] = L"untouched";
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CRect rc(0, 0, 8, 8);
    EXPECT_EQ(0, theme.DrawThemePart(dc.m_hDC, TABP_TABITEM_, 1, &rc));
    EXPECT_EQ(0, theme.GetThemeColor(TABP_TABITEM_, 1, TMT_TEXTCOLOR_, &clr));
    EXPECT_EQ(0, theme.GetThemeInt(TABP_TABITEM_, 1, TMT_BORDERSIZE_, &n));
    EXPECT_EQ(0, theme.GetThemeMargins(TABP_TABITEM_, 1, TMT_CONTENTMARGINS_, &margins));
    EXPECT_EQ(0, theme.GetThemeEnumValue(TABP_TABITEM_, 1, TMT_BGTYPE_, &n));
    EXPECT_EQ(0, theme.GetThemeFilename(TABP_TABITEM_, 1, TMT_IMAGEFILE_, name, 64));
    wchar_t bitmap[] = L"Blue\\Button.bmp";
    EXPECT_EQ(nullptr, theme.LoadBitmapA(bitmap));
    EXPECT_EQ(12345u, clr);
    EXPECT_EQ(777, n);
    EXPECT_EQ(1, margins.cxLeftWidth);
    EXPECT_EQ(std::wstring(L"untouched"), std::wstring(name));
}

class ThemeUtilTest : public TabTest
{
};

// Cases that run only inside a child started in the given mode.
class PlainChild : public TabTest
{
protected:
    void SetUp() override
    {
        if (ChildMode() != "plain")
            GTEST_SKIP() << "runs in the child process of ThemeUtilTest.NoThemeInAChildProcess";
        TabTest::SetUp();
    }
};

TEST(ThemeUtilVersion, MinorVersionIsTheMoreSignificantHalf)
{
    EXPECT_TRUE(CThemeUtil::IsThemeCapableVersion(5, 1));
    EXPECT_TRUE(CThemeUtil::IsThemeCapableVersion(5, 2));
    EXPECT_TRUE(CThemeUtil::IsThemeCapableVersion(6, 1));
    EXPECT_FALSE(CThemeUtil::IsThemeCapableVersion(5, 0));
    EXPECT_FALSE(CThemeUtil::IsThemeCapableVersion(6, 0));
    EXPECT_FALSE(CThemeUtil::IsThemeCapableVersion(10, 0));
    EXPECT_FALSE(CThemeUtil::IsThemeCapableVersion(4, 1));
    // A minor version that overflows the signed value.
    EXPECT_FALSE(CThemeUtil::IsThemeCapableVersion(5, 0x8000));
}

TEST_F(PlainChild, DISABLED_WithoutAnActiveThemeEveryOperationAnswersZero)
{
    CThemeUtil theme;
    // Wine reports 6.1 here: the library is loaded, through the host.
    EXPECT_TRUE(Called("orvou_call_LoadLibrary(UxTheme.dll)"));
    EXPECT_NE(nullptr, theme.m_hUxTheme);
    EXPECT_EQ(0, theme.OpenThemeData(m_frame.m_hWnd, L"TAB"));
    EXPECT_EQ(0, theme.OpenThemeData(nullptr, L"TAB"));
    EXPECT_EQ(nullptr, theme.m_hTheme);
    EXPECT_EQ(nullptr, theme.m_hThemeFile);
    ExpectAllZero(theme);
    theme.CloseThemeData();
    EXPECT_EQ(nullptr, theme.m_hTheme);
}

TEST_F(ThemeUtilTest, AHostWithoutTheLoadCallbackGetsNoVisualStyles)
{
    // A callback table looked up on a module that exports none of the host's callbacks.
    CControlBlock bare(::GetModuleHandleA("Controls.dll"));
    ASSERT_EQ(nullptr, bare.orvou_call_LoadLibrary);
    CControlBlock* pPrevious = g_pControlBlock;
    g_pControlBlock = &bare;
    {
        CThemeUtil theme;
        EXPECT_EQ(nullptr, theme.m_hUxTheme);
        EXPECT_EQ(0, theme.OpenThemeData(m_frame.m_hWnd, L"TAB"));
        wchar_t file[MAX_PATH] = L"x", colour[MAX_PATH] = L"y", size[MAX_PATH] = L"z";
        EXPECT_EQ(0, theme.GetCurrentThemeName(file, MAX_PATH, colour, MAX_PATH, size, MAX_PATH));
        ExpectAllZero(theme);
    }
    g_pControlBlock = pPrevious;
    EXPECT_FALSE(Called("orvou_call_LoadLibrary(UxTheme.dll)"));
}

TEST_F(PlainChild, DISABLED_PlainStripPictureAndNoLeaksAcrossCreateDestroy)
{
    Create(CTCS_AUTOHIDEBUTTONS | CTCS_CLOSEBUTTON | CTCS_MULTIHIGHLIGHT, CRect(0, 0, 420, 22));
    AddTabs({ "Market watch", "Orders", "Trades", "Depth" });
    m_tabs->SetCurSel(1);
    m_tabs->HighlightItem(3, TRUE);
    EXPECT_FALSE(m_tabs->IsThemed());
    HBITMAP hbm = WindowPicture::Render(m_tabs->m_hWnd);
    ASSERT_NE(nullptr, hbm);
    WindowPicture::SaveBitmapPng(hbm, PicturePath("tabs_plain").c_str());
    // A plain unselected tab is the button face; the selected one the window colour.
    CRect r;
    m_tabs->GetItemRect(2, r);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), WindowPicture::PixelAt(hbm, r.left + 1, 3));
    m_tabs->GetItemRect(1, r);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), WindowPicture::PixelAt(hbm, r.left + 1, 3));
    // The highlighted one is tinted with the highlight colour.
    m_tabs->GetItemRect(3, r);
    const COLORREF clrTint = WindowPicture::PixelAt(hbm, r.left + 1, 3);
    EXPECT_NE(::GetSysColor(COLOR_BTNFACE), clrTint);
    EXPECT_GT(GetBValue(clrTint), GetRValue(clrTint));
    ::DeleteObject(hbm);
    m_tabs.reset();

    // One round first: the system cursors and the tooltip class make their objects once.
    auto round = [&](int i) {
        Create(CTCS_AUTOHIDEBUTTONS | CTCS_TOOLTIPS | CTCS_CLOSEBUTTON | CTCS_FOURBUTTONS | (i % 2 ? CTCS_VERTICAL : 0),
               i % 2 ? CRect(0, 0, 22, 200) : CRect(0, 0, 200, 22));
        AddTabs(12);
        m_tabs->SetItemTooltipText(3, "tip");
        m_tabs->SetDragCursors(::LoadCursorA(nullptr, (LPCSTR)IDC_SIZEWE), ::LoadCursorA(nullptr, (LPCSTR)IDC_CROSS));
        m_tabs->SetCurSel(11);
        m_tabs->UpdateWindow();
        ::DeleteObject(WindowPicture::Render(m_tabs->m_hWnd));
        LOGFONT lf = CCustomTabCtrl::GetDefaultFont();
        lf.lfHeight = -15;
        m_tabs->SetControlFont(lf, TRUE);
        m_tabs->UpdateWindow();
        m_tabs.reset();
        AfxPumpPendingMessages();
        AfxDeleteTempMaps();
    };
    round(0);
    round(1);
    const int nGdi = GdiObjectCount();
    const int nWindows = ThreadWindowCount();
    for (int i = 0; i < 20; ++i)
        round(i);
    AfxDeleteTempMaps();
    EXPECT_EQ(nGdi, GdiObjectCount());
    EXPECT_EQ(nWindows, ThreadWindowCount());
}

TEST_F(PlainChild, DISABLED_VerticalStripPicture)
{
    Create(CTCS_AUTOHIDEBUTTONS | CTCS_VERTICAL | CTCS_CLOSEBUTTON, CRect(0, 0, 22, 200));
    AddTabs({ "Market watch", "Orders", "Trades", "Depth", "News", "Alerts" });
    m_tabs->SetCurSel(1);
    m_tabs->UpdateWindow();
    ASSERT_TRUE(WindowPicture::SavePng(m_tabs->m_hWnd, PicturePath("tabs_vertical").c_str()));
}

// --- The children -----------------------------------------------------------------------------

// Runs the child cases with the theme registry set as given, then puts it back.
int RunThemeChild(const std::string& filter, const std::string& mode, bool bThemed)
{
    char windows[MAX_PATH] = {};
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string file = std::string(windows) + "\\resources\\themes\\light\\light.msstyles";
    if (::GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES)
        return -2;
    CSavedValue active(HKEY_CURRENT_USER, kThemeKey, "ThemeActive");
    CSavedValue dll(HKEY_CURRENT_USER, kThemeKey, "DllName");
    CSavedValue colour(HKEY_CURRENT_USER, kThemeKey, "ColorName");
    CSavedValue size(HKEY_CURRENT_USER, kThemeKey, "SizeName");
    active.Set(bThemed ? "1" : "0");
    dll.Set(file);
    colour.Set("");
    size.Set("");
    return RunChild(filter, mode);
}

std::string ThemeActiveValue()
{
    char buffer[16] = "<none>";
    DWORD cb = sizeof(buffer);
    ::RegGetValueA(HKEY_CURRENT_USER, kThemeKey, "ThemeActive", RRF_RT_REG_SZ, nullptr, buffer, &cb);
    return buffer;
}

TEST_F(ThemeUtilTest, NoThemeInAChildProcess)
{
    const std::string before = ThemeActiveValue();
    EXPECT_EQ(0, RunThemeChild("PlainChild.*", "plain", false));
    EXPECT_EQ(before, ThemeActiveValue());
}

TEST_F(ThemeUtilTest, LightThemeInAChildProcess)
{
    const std::string before = ThemeActiveValue();
    EXPECT_EQ(0, RunThemeChild("ThemedChild.*", "themed", true));
    EXPECT_EQ(before, ThemeActiveValue());
}

TEST_F(ThemeUtilTest, VersionRuleInChildrenGivenOlderVersions)
{
    char exe[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string name(exe);
    name = name.substr(name.find_last_of('\\') + 1);
    const std::string key = "Software\\Wine\\AppDefaults\\" + name;
    for (const char* pszVersion : { "vista", "winxp64" })
    {
        SCOPED_TRACE(pszVersion);
        int nExit;
        {
            CSavedValue version(HKEY_CURRENT_USER, key, "Version");
            version.Set(pszVersion);
            nExit = RunChild("VersionChild.*", pszVersion);
        }
        EXPECT_EQ(0, nExit);
    }
    HKEY h;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults", 0, KEY_WRITE, &h) == ERROR_SUCCESS)
    {
        ::RegDeleteKeyA(h, name.c_str());
        ::RegCloseKey(h);
    }
}

class ThemedChild : public TabTest
{
protected:
    void SetUp() override
    {
        if (ChildMode() != "themed")
            GTEST_SKIP() << "runs in the child process of ThemeUtilTest.LightThemeInAChildProcess";
        TabTest::SetUp();
    }
};

TEST_F(ThemedChild, DISABLED_ThemeUtilOpensTheLightTheme)
{
    CThemeUtil theme;
    ASSERT_EQ(1, theme.OpenThemeData(m_frame.m_hWnd, L"BUTTON"));
    EXPECT_NE(nullptr, theme.m_hTheme);
    EXPECT_NE(nullptr, theme.m_hThemeFile);
    EXPECT_TRUE(Called("orvou_call_LoadLibrary(UxTheme.dll)"));
    // A second open keeps the first theme.
    const HANDLE hFirst = theme.m_hTheme;
    EXPECT_EQ(0, theme.OpenThemeData(m_frame.m_hWnd, L"TAB"));
    EXPECT_EQ(hFirst, theme.m_hTheme);

    wchar_t file[MAX_PATH] = {}, colour[MAX_PATH] = {}, size[MAX_PATH] = {};
    EXPECT_EQ(1, theme.GetCurrentThemeName(file, MAX_PATH, colour, MAX_PATH, size, MAX_PATH));
    const std::wstring sFile(file);
    EXPECT_NE(std::wstring::npos, sFile.find(L"light.msstyles")) << std::string(sFile.begin(), sFile.end());
    bool bLoadedThemeFile = false;
    for (const std::string& c : TestHost::Calls())
        bLoadedThemeFile = bLoadedThemeFile || c.find("light.msstyles") != std::string::npos;
    EXPECT_TRUE(bLoadedThemeFile);

    // The push button's image lives in the theme file under its name with "\" and "." as "_".
    wchar_t image[MAX_PATH] = {};
    EXPECT_EQ(1, theme.GetThemeFilename(BP_PUSHBUTTON_, 1, TMT_IMAGEFILE_, image, MAX_PATH));
    const std::wstring sImage(image);
    EXPECT_NE(std::wstring::npos, sImage.find(L'.')) << std::string(sImage.begin(), sImage.end());
    wchar_t path[] = L"Blue\\Button.bmp";
    for (wchar_t* name : { image, path })
    {
        HBITMAP hbm = theme.LoadBitmapA(name);
        ASSERT_NE(nullptr, hbm);
        BITMAP bm = {};
        ::GetObjectA(hbm, sizeof(bm), &bm);
        EXPECT_GT(bm.bmWidth, 0);
        ::DeleteObject(hbm);
    }
    wchar_t missing[] = L"Blue\\NoSuchImage.bmp";
    EXPECT_EQ(nullptr, theme.LoadBitmapA(missing));

    // Properties and drawing are forwarded.
    int nType = -1;
    EXPECT_EQ(1, theme.GetThemeEnumValue(BP_PUSHBUTTON_, 1, TMT_BGTYPE_, &nType));
    EXPECT_EQ(0, nType);   // drawn from an image file
    COLORREF clr = 0x12345678;
    EXPECT_EQ(1, theme.GetThemeColor(BP_PUSHBUTTON_, 1, TMT_TEXTCOLOR_, &clr));
    EXPECT_NE(0x12345678u, clr);
    int n = 0;
    EXPECT_EQ(1, theme.GetThemeInt(BP_PUSHBUTTON_, 1, TMT_BORDERSIZE_, &n));
    _MY_MARGINS margins = {};
    EXPECT_EQ(1, theme.GetThemeMargins(BP_PUSHBUTTON_, 1, TMT_CONTENTMARGINS_, &margins));
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap target;
    target.Attach(::CreateBitmap(40, 20, 1, 32, nullptr));
    CBitmap* pOld = dc.SelectObject(&target);
    dc.FillSolidRect(0, 0, 40, 20, RGB(255, 0, 255));
    CRect rc(0, 0, 40, 20);
    EXPECT_EQ(1, theme.DrawThemePart(dc.m_hDC, BP_PUSHBUTTON_, 1, &rc));
    EXPECT_NE(RGB(255, 0, 255), dc.GetPixel(20, 10));
    dc.SelectObject(pOld);

    theme.CloseThemeData();
    EXPECT_EQ(nullptr, theme.m_hTheme);
    EXPECT_EQ(nullptr, theme.m_hThemeFile);
    ExpectAllZero(theme);
}

TEST_F(ThemedChild, DISABLED_ThemeFileThatFailsToLoadClosesTheTheme)
{
    TestHost::g_csFailLoadLibrary = ".msstyles";
    CThemeUtil theme;
    EXPECT_EQ(0, theme.OpenThemeData(m_frame.m_hWnd, L"TAB"));
    EXPECT_EQ(nullptr, theme.m_hTheme);
    EXPECT_EQ(nullptr, theme.m_hThemeFile);
    ExpectAllZero(theme);
    // The strip falls back to its plain drawing.
    Create(CTCS_AUTOHIDEBUTTONS, CRect(0, 0, 300, 22));
    EXPECT_FALSE(m_tabs->IsThemed());
}

TEST_F(ThemedChild, DISABLED_ThemedStripPictureAndNoLeaks)
{
    Create(CTCS_AUTOHIDEBUTTONS | CTCS_CLOSEBUTTON | CTCS_MULTIHIGHLIGHT, CRect(0, 0, 420, 22));
    AddTabs({ "Market watch", "Orders", "Trades", "Depth" });
    m_tabs->SetCurSel(1);
    m_tabs->HighlightItem(3, TRUE);
    ASSERT_TRUE(m_tabs->IsThemed());
    HBITMAP hbm = WindowPicture::Render(m_tabs->m_hWnd);
    ASSERT_NE(nullptr, hbm);
    WindowPicture::SaveBitmapPng(hbm, PicturePath("tabs_themed").c_str());
    // The highlighted tab is the theme's hot tab, pixel for pixel inside its outline.
    CRect r, rText;
    m_tabs->GetItemRect(3, rText);
    // The tab's outline reaches half the strip's height (22) beyond its text on either side.
    r = rText;
    r.InflateRect(11, 0);
    CThemeUtil theme;
    ASSERT_EQ(1, theme.OpenThemeData(m_frame.m_hWnd, L"TAB"));
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap hot;
    hot.Attach(::CreateBitmap(r.Width(), r.Height(), 1, 32, nullptr));
    CBitmap* pOld = dc.SelectObject(&hot);
    const CRect rHot(0, 0, r.Width(), r.Height());
    ASSERT_EQ(1, theme.DrawThemePart(dc.m_hDC, TABP_TABITEM_, 2, &rHot));
    int nSame = 0, nChecked = 0;
    // Right of the text (the last tab: nothing lies over it there), clear of the outline.
    for (int y = r.top + 1; y < r.top + 6; ++y)
    {
        for (int x = rText.right + 1; x < rText.right + 4; ++x)
        {
            ++nChecked;
            nSame += WindowPicture::PixelAt(hbm, x, y) == dc.GetPixel(x - r.left, y - r.top);
        }
    }
    dc.SelectObject(pOld);
    EXPECT_EQ(nChecked, nSame);
    ::DeleteObject(hbm);
    m_tabs.reset();

    auto round = [&](int i) {
        Create(CTCS_AUTOHIDEBUTTONS | (i % 2 ? CTCS_VERTICAL : 0), i % 2 ? CRect(0, 0, 22, 200) : CRect(0, 0, 200, 22));
        AddTabs(5);
        m_tabs->SetCurSel(2);
        m_tabs->SendMessage(WM_THEMECHANGED);
        m_tabs->UpdateWindow();
        ::DeleteObject(WindowPicture::Render(m_tabs->m_hWnd));
        m_tabs.reset();
        AfxPumpPendingMessages();
        AfxDeleteTempMaps();
    };
    round(0);
    round(1);
    const int nGdi = GdiObjectCount();
    for (int i = 0; i < 20; ++i)
        round(i);
    AfxDeleteTempMaps();
    EXPECT_EQ(nGdi, GdiObjectCount());
}

class VersionChild : public TabTest
{
};

TEST_F(VersionChild, DISABLED_OlderVersionDecidesWhetherUxThemeLoads)
{
    const std::string mode = ChildMode();
    if (mode.empty())
        GTEST_SKIP() << "runs in the children of ThemeUtilTest.VersionRuleInChildrenGivenOlderVersions";
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ::GetVersionExA(&info);
#pragma GCC diagnostic pop
    CThemeUtil theme;
    if (mode == "vista")
    {
        // 6.0 counts as 6: not theme-capable, so nothing is loaded and everything answers 0.
        ASSERT_EQ(6u, info.dwMajorVersion);
        ASSERT_EQ(0u, info.dwMinorVersion);
        EXPECT_FALSE(Called("orvou_call_LoadLibrary(UxTheme.dll)"));
        EXPECT_EQ(nullptr, theme.m_hUxTheme);
        EXPECT_EQ(0, theme.OpenThemeData(m_frame.m_hWnd, L"TAB"));
        wchar_t file[8], colour[8], size[8];
        EXPECT_EQ(0, theme.GetCurrentThemeName(file, 8, colour, 8, size, 8));
        ExpectAllZero(theme);
    }
    else
    {
        // 5.2 counts as 0x20005: the library is loaded.
        ASSERT_EQ(5u, info.dwMajorVersion);
        ASSERT_EQ(2u, info.dwMinorVersion);
        EXPECT_TRUE(Called("orvou_call_LoadLibrary(UxTheme.dll)"));
        EXPECT_NE(nullptr, theme.m_hUxTheme);
    }
}
}  // namespace
