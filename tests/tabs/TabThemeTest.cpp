// The theme utility and the strip's drawing, with visual styles off and with Wine's light theme
// on. The theme is read once per process when the visual-styles library loads, so each case runs
// in a child process of this program started while the registry says "no theme" or names the
// light theme (a new Wine 8 prefix turns the light theme on by itself); the parent puts the
// registry back when the child ends. The same way, the version rule is checked in children that
// Wine reports older versions to.
#include "TabFixture.h"

#include "DrawInto.h"
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
const int TABP_TABITEM_ = 1, BP_PUSHBUTTON_ = 1, TMT_IMAGEFILE_ = 3001, TMT_TEXTCOLOR_ = 3803, TMT_BGTYPE_ = 4001,
          TMT_CONTENTMARGINS_ = 3602, TMT_BORDERSIZE_ = 2403;

std::string ChildMode()
{
    const char* p = std::getenv(kChildVariable);
    return p ? p : "";
}

std::string ExeName()
{
    char exe[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    return exe;
}

// Registry values set for a while and put back as they were (or removed when there were none).
class CSavedValues
{
public:
    void Set(const std::string& key, const char* pszName, const std::string& value)
    {
        char buffer[1024] = {};
        DWORD cb = sizeof(buffer) - 1, type = REG_SZ;
        const bool bExisted = ::RegGetValueA(HKEY_CURRENT_USER, key.c_str(), pszName, RRF_RT_ANY | RRF_NOEXPAND, &type,
                                             buffer, &cb) == ERROR_SUCCESS;
        m_saved.push_back({ key, pszName, type, std::string(buffer, bExisted ? cb : 0), bExisted });
        ASSERT_EQ(ERROR_SUCCESS, ::RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), pszName, REG_SZ, value.c_str(),
                                                   (DWORD)value.size() + 1));
    }
    ~CSavedValues()
    {
        for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it)
            it->bExisted ? (void)::RegSetKeyValueA(HKEY_CURRENT_USER, it->key.c_str(), it->name.c_str(), it->type,
                                                   it->value.data(), (DWORD)it->value.size())
                         : (void)::RegDeleteKeyValueA(HKEY_CURRENT_USER, it->key.c_str(), it->name.c_str());
    }

private:
    struct sSaved { std::string key, name; DWORD type; std::string value; bool bExisted; };
    std::vector<sSaved> m_saved;
};

// Runs this program again with a test filter and a child mode; returns its exit code.
int RunChild(const std::string& filter, const std::string& mode)
{
    std::string command = "\"" + ExeName() + "\" --gtest_also_run_disabled_tests --gtest_filter=" + filter;
    ::SetEnvironmentVariableA(kChildVariable, mode.c_str());
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    const BOOL bStarted = ::CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
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

bool Called(const std::string& part)
{
    for (const std::string& c : TestHost::Calls())
        if (c.find(part) != std::string::npos)
            return true;
    return false;
}

// Every operation of a utility with no theme open answers 0 and leaves its outputs alone.
void ExpectAllZero(CThemeUtil& theme)
{
    COLORREF clr = 12345;
    int n = 777;
    _MY_MARGINS margins = { 1, 2, 3, 4 };
    wchar_t name[64] = L"untouched", bitmap[] = L"Blue\\Button.bmp";
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CRect rc(0, 0, 8, 8);
    EXPECT_EQ(0, theme.DrawThemePart(dc.m_hDC, TABP_TABITEM_, 1, &rc));
    EXPECT_EQ(0, theme.GetThemeColor(TABP_TABITEM_, 1, TMT_TEXTCOLOR_, &clr));
    EXPECT_EQ(0, theme.GetThemeInt(TABP_TABITEM_, 1, TMT_BORDERSIZE_, &n));
    EXPECT_EQ(0, theme.GetThemeMargins(TABP_TABITEM_, 1, TMT_CONTENTMARGINS_, &margins));
    EXPECT_EQ(0, theme.GetThemeEnumValue(TABP_TABITEM_, 1, TMT_BGTYPE_, &n));
    EXPECT_EQ(0, theme.GetThemeFilename(TABP_TABITEM_, 1, TMT_IMAGEFILE_, name, 64));
    EXPECT_EQ(nullptr, theme.LoadBitmapA(bitmap));
    EXPECT_EQ(12345u, clr);
    EXPECT_EQ(777, n);
    EXPECT_EQ(1, margins.cxLeftWidth);
    EXPECT_EQ(std::wstring(L"untouched"), std::wstring(name));
}

// Creates and destroys strips of the given kinds, drawn and redrawn; GDI objects and windows stay
// as they were (one round first: the system cursors and the tooltip class make theirs once).
void ExpectNoLeaksOverRounds(const std::function<void(int)>& round)
{
    round(0);
    round(1);
    const int nGdi = TestLeaks::GdiObjects(), nWindows = TestLeaks::Windows();
    for (int i = 0; i < 20; ++i)
        round(i);
    AfxDeleteTempMaps();
    EXPECT_EQ(nGdi, TestLeaks::GdiObjects());
    EXPECT_EQ(nWindows, TestLeaks::Windows());
}

using ThemeUtilTest = TabTest;

// Cases that run only inside a child started in their mode.
template <const char* kMode>
class ChildTest : public TabTest
{
protected:
    void SetUp() override
    {
        if (ChildMode() != kMode)
            GTEST_SKIP() << "runs in a child process of ThemeUtilTest";
        TabTest::SetUp();
    }
    // The four-tab strip of the pictures: tab 1 selected, tab 3 highlighted.
    HBITMAP StripPicture()
    {
        Make(CTCS_AUTOHIDEBUTTONS | CTCS_CLOSEBUTTON | CTCS_MULTIHIGHLIGHT, { "Market watch", "Orders", "Trades", "Depth" },
             1, CRect(0, 0, 420, 22));
        m_tabs->HighlightItem(3, TRUE);
        return WindowPicture::Render(m_tabs->m_hWnd);
    }
};
const char kPlain[] = "plain";
const char kThemed[] = "themed";
using PlainChild = ChildTest<kPlain>;
using ThemedChild = ChildTest<kThemed>;

TEST(ThemeUtilVersion, MinorVersionIsTheMoreSignificantHalf)
{
    const struct { DWORD major, minor; bool bCapable; } cases[] = {
        { 5, 1, true }, { 5, 2, true }, { 6, 1, true }, { 5, 0, false }, { 6, 0, false }, { 10, 0, false },
        { 4, 1, false }, { 5, 0x8000, false },   // a minor version that overflows the signed value
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.bCapable, CThemeUtil::IsThemeCapableVersion(c.major, c.minor)) << c.major << "." << c.minor;
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

// Each child runs with its registry settings in place; they are put back when it ends. Wine
// reports the version of its AppDefaults entry to the child.
TEST_F(ThemeUtilTest, ChildrenWithoutAndWithTheLightThemeAndOnOlderVersions)
{
    char windows[MAX_PATH] = {};
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string file = std::string(windows) + "\\resources\\themes\\light\\light.msstyles";
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(file.c_str()));
    const std::string exe = ExeName(), appDefaults = "Software\\Wine\\AppDefaults\\" + exe.substr(exe.find_last_of('\\') + 1);
    auto themeActive = [] {
        char buffer[16] = "<none>";
        DWORD cb = sizeof(buffer);
        ::RegGetValueA(HKEY_CURRENT_USER, kThemeKey, "ThemeActive", RRF_RT_REG_SZ, nullptr, buffer, &cb);
        return std::string(buffer);
    };
    const std::string before = themeActive();
    const struct { const char *mode, *filter, *active, *version; } cases[] = {
        { kPlain, "PlainChild.*", "0", nullptr }, { kThemed, "ThemedChild.*", "1", nullptr },
        { "vista", "VersionChild.*", nullptr, "vista" }, { "winxp64", "VersionChild.*", nullptr, "winxp64" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.mode);
        int nExit;
        {
            CSavedValues saved;
            if (c.active != nullptr)
            {
                saved.Set(kThemeKey, "ThemeActive", c.active);
                saved.Set(kThemeKey, "DllName", file);
                saved.Set(kThemeKey, "ColorName", "");
                saved.Set(kThemeKey, "SizeName", "");
            }
            if (c.version != nullptr)
                saved.Set(appDefaults, "Version", c.version);
            nExit = RunChild(c.filter, c.mode);
        }
        EXPECT_EQ(0, nExit);
        EXPECT_EQ(before, themeActive());
    }
    ::RegDeleteKeyA(HKEY_CURRENT_USER, appDefaults.c_str());
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

TEST_F(PlainChild, DISABLED_PlainStripPictureAndNoLeaksAcrossCreateDestroy)
{
    HBITMAP hbm = StripPicture();
    ASSERT_NE(nullptr, hbm);
    EXPECT_FALSE(m_tabs->IsThemed());
    // A plain unselected tab is the button face; the selected one the window colour; the
    // highlighted one tinted with the highlight colour.
    auto leftOf = [&](int nItem) {
        CRect r;
        m_tabs->GetItemRect(nItem, r);
        return WindowPicture::PixelAt(hbm, r.left + 1, 3);
    };
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), leftOf(2));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), leftOf(1));
    EXPECT_NE(::GetSysColor(COLOR_BTNFACE), leftOf(3));
    EXPECT_GT(GetBValue(leftOf(3)), GetRValue(leftOf(3)));
    ::DeleteObject(hbm);
    ExpectNoLeaksOverRounds([&](int i) {
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
    });
}

TEST_F(ThemedChild, DISABLED_ThemeUtilOpensTheLightTheme)
{
    CThemeUtil theme;
    ASSERT_EQ(1, theme.OpenThemeData(m_frame.m_hWnd, L"BUTTON"));
    EXPECT_NE(nullptr, theme.m_hTheme);
    EXPECT_NE(nullptr, theme.m_hThemeFile);
    EXPECT_TRUE(Called("orvou_call_LoadLibrary(UxTheme.dll)"));
    const HANDLE hFirst = theme.m_hTheme;
    EXPECT_EQ(0, theme.OpenThemeData(m_frame.m_hWnd, L"TAB"));   // a second open keeps the first theme
    EXPECT_EQ(hFirst, theme.m_hTheme);
    wchar_t file[MAX_PATH] = {}, colour[MAX_PATH] = {}, size[MAX_PATH] = {};
    EXPECT_EQ(1, theme.GetCurrentThemeName(file, MAX_PATH, colour, MAX_PATH, size, MAX_PATH));
    EXPECT_NE(std::wstring::npos, std::wstring(file).find(L"light.msstyles"));
    EXPECT_TRUE(Called("light.msstyles"));
    // The push button's image lives in the theme file under its name with "\" and "." as "_".
    wchar_t image[MAX_PATH] = {}, path[] = L"Blue\\Button.bmp", missing[] = L"Blue\\NoSuchImage.bmp";
    EXPECT_EQ(1, theme.GetThemeFilename(BP_PUSHBUTTON_, 1, TMT_IMAGEFILE_, image, MAX_PATH));
    EXPECT_NE(std::wstring::npos, std::wstring(image).find(L'.'));
    for (wchar_t* name : { image, path })
    {
        HBITMAP hbm = theme.LoadBitmapA(name);
        ASSERT_NE(nullptr, hbm);
        BITMAP bm = {};
        ::GetObjectA(hbm, sizeof(bm), &bm);
        EXPECT_GT(bm.bmWidth, 0);
        ::DeleteObject(hbm);
    }
    EXPECT_EQ(nullptr, theme.LoadBitmapA(missing));
    theme.CloseThemeData();
    EXPECT_EQ(nullptr, theme.m_hTheme);
    EXPECT_EQ(nullptr, theme.m_hThemeFile);
    ExpectAllZero(theme);
}

TEST_F(ThemedChild, DISABLED_ThemedStripPictureAndNoLeaks)
{
    HBITMAP hbm = StripPicture();
    ASSERT_NE(nullptr, hbm);
    ASSERT_TRUE(m_tabs->IsThemed());
    // The highlighted tab is the theme's hot tab, pixel for pixel inside its outline, which
    // reaches half the strip's height (22) beyond its text on either side.
    CRect rText;
    m_tabs->GetItemRect(3, rText);
    CRect r = rText;
    r.InflateRect(11, 0);
    CThemeUtil theme;
    ASSERT_EQ(1, theme.OpenThemeData(m_frame.m_hWnd, L"TAB"));
    const CRect rHot(0, 0, r.Width(), r.Height());
    HBITMAP hHot = DrawInto(r.Width(), r.Height(), [&](HDC hDC) {
        EXPECT_EQ(1, theme.DrawThemePart(hDC, TABP_TABITEM_, 2, &rHot));
    });
    // Right of the text (the last tab: nothing lies over it there), clear of the outline.
    for (int y = r.top + 1; y < r.top + 6; ++y)
        for (int x = rText.right + 1; x < rText.right + 4; ++x)
            EXPECT_EQ(WindowPicture::PixelAt(hHot, x - r.left, y - r.top), WindowPicture::PixelAt(hbm, x, y));
    ::DeleteObject(hHot);
    ::DeleteObject(hbm);
    ExpectNoLeaksOverRounds([&](int i) {
        Create(CTCS_AUTOHIDEBUTTONS | (i % 2 ? CTCS_VERTICAL : 0), i % 2 ? CRect(0, 0, 22, 200) : CRect(0, 0, 200, 22));
        AddTabs(5);
        m_tabs->SetCurSel(2);
        m_tabs->SendMessage(WM_THEMECHANGED);
        m_tabs->UpdateWindow();
        ::DeleteObject(WindowPicture::Render(m_tabs->m_hWnd));
        m_tabs.reset();
        AfxPumpPendingMessages();
        AfxDeleteTempMaps();
    });
}

// Last of the themed child's cases: the host refuses to load the theme file from here on.
TEST_F(ThemedChild, DISABLED_ThemeFileThatFailsToLoadClosesTheTheme)
{
    TestHost::g_csFailLoadLibrary = ".msstyles";
    CThemeUtil theme;
    EXPECT_EQ(0, theme.OpenThemeData(m_frame.m_hWnd, L"TAB"));
    EXPECT_EQ(nullptr, theme.m_hTheme);
    EXPECT_EQ(nullptr, theme.m_hThemeFile);
    ExpectAllZero(theme);
    Create(CTCS_AUTOHIDEBUTTONS, CRect(0, 0, 300, 22));
    EXPECT_FALSE(m_tabs->IsThemed());   // the strip falls back to its plain drawing
}

using VersionChild = TabTest;

TEST_F(VersionChild, DISABLED_OlderVersionDecidesWhetherUxThemeLoads)
{
    const std::string mode = ChildMode();
    if (mode.empty())
        GTEST_SKIP() << "runs in a child process of ThemeUtilTest";
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ::GetVersionExA(&info);
#pragma GCC diagnostic pop
    CThemeUtil theme;
    // 6.0 counts as 6: not theme-capable, nothing is loaded and nothing opens; 5.2 counts as
    // 0x20005: the library is loaded.
    const bool bVista = mode == "vista";
    ASSERT_EQ(bVista ? 6u : 5u, info.dwMajorVersion);
    ASSERT_EQ(bVista ? 0u : 2u, info.dwMinorVersion);
    EXPECT_EQ(!bVista, Called("orvou_call_LoadLibrary(UxTheme.dll)"));
    EXPECT_EQ(!bVista, theme.m_hUxTheme != nullptr);
    EXPECT_TRUE(!bVista || theme.OpenThemeData(m_frame.m_hWnd, L"TAB") == 0);
}
}  // namespace
