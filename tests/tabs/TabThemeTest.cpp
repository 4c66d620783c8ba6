// The theme utility and the strip's drawing. Without visual styles (a host that cannot load them)
// in this process; with Wine's light theme in one child process of this program, started while
// the registry names that theme (the theme is read once per process), the registry put back after.
#include "TabFixture.h"

#include "DrawInto.h"
#include "WindowPicture.h"
#include "host/ControlBlock.h"
#include "widgets/ThemeUtil.h"

#include <cstdlib>

namespace
{
const char kThemeKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager";
const char kChildVariable[] = "TABS_THEME_CHILD";
// Theme parts and properties used below (the platform's values).
const int TABP_TABITEM_ = 1, TMT_IMAGEFILE_ = 3001, TMT_TEXTCOLOR_ = 3803, TMT_BGTYPE_ = 4001,
          TMT_CONTENTMARGINS_ = 3602, TMT_BORDERSIZE_ = 2403;

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

class ThemeTest : public TabTest
{
protected:
    // The four-tab strip of the pictures: tab 1 selected, tab 3 highlighted.
    HBITMAP StripPicture()
    {
        Make(CTCS_AUTOHIDEBUTTONS | CTCS_CLOSEBUTTON | CTCS_MULTIHIGHLIGHT, { "Market watch", "Orders", "Trades", "Depth" },
             1, CRect(0, 0, 420, 22));
        m_tabs->HighlightItem(3, TRUE);
        return WindowPicture::Render(m_tabs->m_hWnd);
    }
};

TEST(ThemeUtilVersion, MinorVersionIsTheMoreSignificantHalf)
{
    const struct { DWORD major, minor; bool bCapable; } cases[] = {
        { 5, 1, true }, { 5, 2, true }, { 6, 1, true }, { 5, 0, false }, { 6, 0, false }, { 10, 0, false },
        { 4, 1, false }, { 5, 0x8000, false },   // a minor version that overflows the signed value
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.bCapable, CThemeUtil::IsThemeCapableVersion(c.major, c.minor)) << c.major << "." << c.minor;
}

TEST_F(ThemeTest, AHostWithoutTheLoadCallbackGetsThePlainStrip)
{
    // A callback table looked up on a module that exports none of the host's callbacks.
    CControlBlock bare(::GetModuleHandleA("Controls.dll"));
    ASSERT_EQ(nullptr, bare.orvou_call_LoadLibrary);
    CControlBlock* pPrevious = g_pControlBlock;
    g_pControlBlock = &bare;
    CThemeUtil theme;
    HBITMAP hbm = StripPicture();   // the strip's own utility is made here too
    g_pControlBlock = pPrevious;
    EXPECT_EQ(nullptr, theme.m_hUxTheme);
    EXPECT_EQ(0, theme.OpenThemeData(m_frame.m_hWnd, L"TAB"));
    wchar_t file[MAX_PATH] = L"x", colour[MAX_PATH] = L"y", size[MAX_PATH] = L"z";
    EXPECT_EQ(0, theme.GetCurrentThemeName(file, MAX_PATH, colour, MAX_PATH, size, MAX_PATH));
    EXPECT_FALSE(Called("orvou_call_LoadLibrary(UxTheme.dll)"));

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
}

// Runs the themed child test in a child process while the registry names the light theme; the values are
// put back (or removed) when it ends.
TEST_F(ThemeTest, TheLightThemeInAChildProcess)
{
    char windows[MAX_PATH] = {}, exe[MAX_PATH] = {};
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    const std::string file = std::string(windows) + "\\resources\\themes\\light\\light.msstyles";
    struct sSaved { const char* name; std::string value; DWORD type; bool bExisted; };
    std::vector<sSaved> saved;
    for (const char* name : { "ThemeActive", "DllName", "ColorName", "SizeName" })
    {
        char buffer[1024] = {};
        DWORD cb = sizeof(buffer) - 1, type = REG_SZ;
        const bool bExisted = ::RegGetValueA(HKEY_CURRENT_USER, kThemeKey, name, RRF_RT_ANY | RRF_NOEXPAND, &type,
                                             buffer, &cb) == ERROR_SUCCESS;
        saved.push_back({ name, std::string(buffer, bExisted ? cb : 0), type, bExisted });
        const std::string value = saved.size() == 1 ? "1" : saved.size() == 2 ? file : "";
        ASSERT_EQ(ERROR_SUCCESS, ::RegSetKeyValueA(HKEY_CURRENT_USER, kThemeKey, name, REG_SZ, value.c_str(),
                                                   (DWORD)value.size() + 1));
    }
    std::string command = std::string("\"") + exe + "\" --gtest_also_run_disabled_tests"
                          " --gtest_filter=ThemeTest.DISABLED_ThemedChild*";
    ::SetEnvironmentVariableA(kChildVariable, "themed");
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    const BOOL bStarted = ::CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    ::SetEnvironmentVariableA(kChildVariable, nullptr);
    DWORD dwExit = 99;
    if (bStarted && ::WaitForSingleObject(pi.hProcess, 120000) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(pi.hProcess, &dwExit);
    else if (bStarted)
        ::TerminateProcess(pi.hProcess, 98);
    for (const sSaved& s : saved)
        s.bExisted ? (void)::RegSetKeyValueA(HKEY_CURRENT_USER, kThemeKey, s.name, s.type, s.value.data(), (DWORD)s.value.size())
                   : (void)::RegDeleteKeyValueA(HKEY_CURRENT_USER, kThemeKey, s.name);
    ASSERT_TRUE(bStarted);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    EXPECT_EQ(0u, dwExit);
}

TEST_F(ThemeTest, DISABLED_ThemedChildUtilityStripLeaksAndAThemeFileThatFailsToLoad)
{
    if (std::getenv(kChildVariable) == nullptr)
        GTEST_SKIP() << "runs in a child process of TheLightThemeInAChildProcess";
    CThemeUtil theme;
    EXPECT_EQ(0, theme.OpenThemeData(nullptr, L"TAB"));
    ASSERT_EQ(1, theme.OpenThemeData(m_frame.m_hWnd, L"TAB"));
    EXPECT_TRUE(Called("orvou_call_LoadLibrary(UxTheme.dll)"));
    EXPECT_TRUE(Called("light.msstyles"));   // the theme file, loaded through the host
    EXPECT_NE(nullptr, theme.m_hThemeFile);

    // The highlighted tab is the theme's hot tab, pixel for pixel inside its outline, which
    // reaches half the strip's height (22) beyond its text on either side.
    HBITMAP hbm = StripPicture();
    ASSERT_TRUE(m_tabs->IsThemed());
    CRect rText;
    m_tabs->GetItemRect(3, rText);
    CRect r = rText;
    r.InflateRect(11, 0);
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
    theme.CloseThemeData();
    EXPECT_EQ(nullptr, theme.m_hThemeFile);
    ExpectAllZero(theme);

    // The program's leak check: strips of every kind, themed and (the host refusing the theme
    // file) plain, created, drawn, re-themed and destroyed; GDI objects and windows stay as they
    // were (two rounds first: the system cursors and the tooltip class make theirs once).
    auto round = [&](int i) {
        TestHost::g_csFailLoadLibrary = i % 2 ? ".msstyles" : "";
        Create(CTCS_AUTOHIDEBUTTONS | CTCS_TOOLTIPS | CTCS_CLOSEBUTTON | CTCS_FOURBUTTONS | (i % 4 < 2 ? CTCS_VERTICAL : 0),
               i % 4 < 2 ? CRect(0, 0, 22, 200) : CRect(0, 0, 200, 22));
        EXPECT_EQ(i % 2 == 0, m_tabs->IsThemed() != FALSE);
        AddTabs(12);
        m_tabs->SetItemTooltipText(3, "tip");
        m_tabs->SetCurSel(11);
        m_tabs->SendMessage(WM_THEMECHANGED);
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
    for (int i = 0; i < 4; ++i)
        round(i);
    const int nGdi = TestLeaks::GdiObjects(), nWindows = TestLeaks::Windows();
    for (int i = 0; i < 20; ++i)
        round(i);
    EXPECT_EQ(nGdi, TestLeaks::GdiObjects());
    EXPECT_EQ(nWindows, TestLeaks::Windows());

    // From here on the host refuses to load the theme file: the theme is closed again.
    TestHost::g_csFailLoadLibrary = ".msstyles";
    CThemeUtil refused;
    EXPECT_EQ(0, refused.OpenThemeData(m_frame.m_hWnd, L"TAB"));
    EXPECT_EQ(nullptr, refused.m_hTheme);
    EXPECT_EQ(nullptr, refused.m_hThemeFile);
}
}  // namespace
