// A grid's appearance settings as the host and the user meet them: the entries read when the
// grid initialises, the host's default keyword rules, fonts by face and size, the global
// appearance pushed to every grid, and the commands that open the appearance dialogs.
#include "AppearanceFixture.h"

namespace
{
std::string Rules(const cCustomizedAppearanceSettings& a)
{
    if (a.m_pKeywords == nullptr || a.m_pKeywordColors == nullptr)
        return "<none>";
    std::string out;
    for (INT_PTR i = 0; i < a.m_pKeywords->GetSize() && i < a.m_pKeywordColors->GetSize(); ++i)
    {
        char sz[32];
        snprintf(sz, sizeof(sz), "=%lX;", (unsigned long)a.m_pKeywordColors->GetAt(i));
        out += (LPCTSTR)a.m_pKeywords->GetAt(i);
        out += sz;
    }
    return out;
}

std::string UserKeywords(const cCustomizedAppearanceSettings& a)
{
    if (a.m_pUserKeywords == nullptr)
        return "<none>";
    std::string out;
    for (INT_PTR i = 0; i < a.m_pUserKeywords->GetSize(); ++i)
    {
        char sz[48];
        snprintf(sz, sizeof(sz), "=%lX/%lX;", (unsigned long)a.m_pUserTextColors->GetAt(i),
                 (unsigned long)a.m_pUserBackColors->GetAt(i));
        out += (LPCTSTR)a.m_pUserKeywords->GetAt(i);
        out += sz;
    }
    return out;
}

bool LogHas(const char* pszPart)
{
    for (const std::string& line : TestHost::LogLines())
    {
        if (line.find(pszPart) != std::string::npos)
            return true;
    }
    return false;
}
}  // namespace

TEST_F(AppearanceTest, TheCustomizeEntryIsReadWhenTheGridInitialises)
{
    Store("CUSTOMIZE_LISTS", "Orders-1001", (std::string("FFFFFF,800000,") + Face() + ",12,1,BUY,FF,sell,FF00,").c_str());
    CreateGrid();
    EXPECT_TRUE(m_list.m_bCustomizeLoaded);
    EXPECT_EQ(0xFFFFFFu, m_list.GetBkColor());
    EXPECT_EQ(0xFFFFFFu, m_list.GetTextBkColor());
    EXPECT_EQ(0x800000u, m_list.GetTextColor());
    EXPECT_EQ(Face() + " " + std::to_string(HeightOfPoints(&m_list, 12)), FontOf(&m_list));
    EXPECT_EQ(1, m_list.m_Appearance.m_nKeywordColumn);
    EXPECT_EQ("buy=FF;sell=FF00;", Rules(m_list.m_Appearance));
}

TEST_F(AppearanceTest, WithoutAnEntryTheGridTakesTheGlobalAppearance)
{
    cCustomizedAppearanceSettings global;
    global.m_clrBackground = 0x101010;
    global.m_clrText = 0x00FFFF;
    global.m_csFontName = Face().c_str();
    global.m_csFontSize = "10";
    Set_Apperance_setting(global);
    CreateGrid();
    EXPECT_FALSE(m_list.m_bCustomizeLoaded);
    EXPECT_EQ(0x101010u, m_list.GetBkColor());
    EXPECT_EQ(0x00FFFFu, m_list.GetTextColor());
    EXPECT_EQ(Face() + " " + std::to_string(HeightOfPoints(&m_list, 10)), FontOf(&m_list));
    EXPECT_STREQ(Face().c_str(), m_list.m_Appearance.m_csFontName);
}

TEST_F(AppearanceTest, MalformedKeywordDataEndsTheReadingButKeepsTheColours)
{
    Store("CUSTOMIZE_LISTS", "Orders-1001", (std::string("FF,FF0000,") + Face() + ",9,1,buy,FF,sell").c_str());
    CreateGrid();
    EXPECT_EQ(0xFFu, m_list.GetBkColor());
    EXPECT_EQ(0xFF0000u, m_list.GetTextColor());
    EXPECT_EQ("", Rules(m_list.m_Appearance));
    EXPECT_TRUE(LogHas("CUSTOMIZE_LISTS Orders-1001: malformed"));
}

TEST_F(AppearanceTest, AnUnknownFontOrAbsurdSizeKeepsTheDefaults)
{
    Store("CUSTOMIZE_LISTS", "Orders-1001", "0,FF00,No Such Font Anywhere,5000");
    CreateGrid();
    EXPECT_STREQ("MS Shell Dlg 2", m_list.m_Appearance.m_csFontName);
    EXPECT_STREQ("8", m_list.m_Appearance.m_csFontSize);
    EXPECT_TRUE(LogHas("is not installed"));
}

TEST_F(AppearanceTest, ColumnMinusOneCarriesNoRulesAndHostDefaultsThenApply)
{
    Store("CUSTOMIZE_LISTS", "Orders-1001", (std::string("0,FF00,") + Face() + ",8,-1,buy,FF,").c_str());
    CreateGrid();
    EXPECT_EQ(-1, m_list.m_Appearance.m_nKeywordColumn);
    EXPECT_EQ("<none>", Rules(m_list.m_Appearance));
    CStringArray keywords;
    keywords.Add("STOP");
    CColorArray colors;
    colors.Add(0x0000FF);
    EXPECT_EQ(1, m_list.SetDefaultAttributes(2, keywords, colors));
    EXPECT_EQ(2, m_list.m_Appearance.m_nKeywordColumn);
    EXPECT_EQ("stop=FF;", Rules(m_list.m_Appearance));
}

TEST_F(AppearanceTest, DefaultRulesNeverReplaceLoadedOnes)
{
    Store("CUSTOMIZE_LISTS", "Orders-1001", (std::string("0,FF00,") + Face() + ",8,1,buy,FF,").c_str());
    CreateGrid();
    CStringArray keywords;
    keywords.Add("sell");
    CColorArray colors;
    colors.Add(0xFF00);
    EXPECT_EQ(1, m_list.SetDefaultAttributes(2, keywords, colors));
    EXPECT_EQ(1, m_list.m_Appearance.m_nKeywordColumn);
    EXPECT_EQ("buy=FF;", Rules(m_list.m_Appearance));

    // A keyword the settings could not hold is refused whole.
    CStringArray bad;
    bad.Add("a,b");
    CColorArray badColors;
    badColors.Add(1);
    m_list.m_Appearance.m_pKeywords->RemoveAll();
    EXPECT_EQ(0, m_list.SetDefaultAttributes(3, bad, badColors));
    EXPECT_EQ(1, m_list.m_Appearance.m_nKeywordColumn);
    EXPECT_EQ(0, m_list.m_Appearance.m_pKeywords->GetSize());
}

TEST_F(AppearanceTest, UserKeywordsAreReadForEveryGridAndDefaultsFillOnlyWhatIsMissing)
{
    Store("USER_CUSTOMIZE_LISTS", "Loose-7", (std::string("FFFFFF,0,") + Face() + ",9,BUY,FF,FFFF,").c_str());
    CCommonListCtrl loose;
    loose.m_csListName = "Loose";
    ASSERT_TRUE(loose.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 200, 100), &m_frame, 7));
    EXPECT_EQ("buy=FF/FFFF;", UserKeywords(loose.m_Appearance));
    EXPECT_EQ(0xFFFFFFu, loose.GetBkColor());
    EXPECT_FALSE(loose.m_bCustomizeLoaded);   // not in a dialog: no customize entry

    CStringArray keywords;
    keywords.Add("Sell");
    CColorArray text, back;
    text.Add(1);
    back.Add(2);
    EXPECT_EQ(1, loose.SetDefaultProperties(keywords, text, back));
    EXPECT_EQ("buy=FF/FFFF;", UserKeywords(loose.m_Appearance));
    CCommonListCtrl fresh;
    EXPECT_EQ(1, fresh.SetDefaultProperties(keywords, text, back));
    EXPECT_EQ("sell=1/2;", UserKeywords(fresh.m_Appearance));
    loose.DestroyWindow();
}

TEST_F(AppearanceTest, FontsAreSetOnlyFromSensibleFacesAndSizes)
{
    CreateGrid();
    ASSERT_EQ(1, CCommonListCtrl::SetListFontProperty(&m_list, 1001, Face().c_str(), "14"));
    const std::string expected = Face() + " " + std::to_string(HeightOfPoints(&m_list, 14));
    EXPECT_EQ(expected, FontOf(&m_list));
    EXPECT_EQ(0, CCommonListCtrl::SetListFontProperty(&m_list, 1001, Face().c_str(), "0"));
    EXPECT_EQ(0, CCommonListCtrl::SetListFontProperty(&m_list, 1001, Face().c_str(), "5000"));
    EXPECT_EQ(0, CCommonListCtrl::SetListFontProperty(&m_list, 1001, Face().c_str(), "12pt"));
    EXPECT_EQ(0, CCommonListCtrl::SetListFontProperty(&m_list, 1001, "No Such Font Anywhere", "12"));
    EXPECT_EQ(0, CCommonListCtrl::SetListFontProperty(&m_list, 1001, "", "12"));
    EXPECT_EQ(expected, FontOf(&m_list));
    // Through the dialog and the list's identifier.
    ASSERT_EQ(1, CCommonListCtrl::SetListFontProperty(&m_dialog, 1001, Face().c_str(), "9"));
    EXPECT_EQ(Face() + " " + std::to_string(HeightOfPoints(&m_list, 9)), FontOf(&m_list));
    // A window without a font keeps having none.
    CWnd bare;
    ASSERT_TRUE(bare.CreateEx(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, m_frame.m_hWnd, (HMENU)5));
    EXPECT_EQ(0, CCommonListCtrl::SetListFontProperty(&bare, 5, Face().c_str(), "9"));
    bare.DestroyWindow();
}

TEST_F(AppearanceTest, SettingFontsAgainAndAgainLeavesNoFontsBehind)
{
    CreateGrid();
    CCommonListCtrl::SetListFontProperty(&m_list, 1001, Face().c_str(), "9");
    const int nBefore = TestLeaks::GdiObjects();
    for (int i = 0; i < 50; ++i)
        CCommonListCtrl::SetListFontProperty(&m_list, 1001, Face().c_str(), i % 2 ? "10" : "11");
    EXPECT_LE(TestLeaks::GdiObjects() - nBefore, 1);
}

TEST_F(AppearanceTest, TheGlobalAppearanceReachesGridsThatWereNotCustomizedUnlessForced)
{
    Store("CUSTOMIZE_LISTS", "Orders-1001", (std::string("FFFFFF,0,") + Face() + ",12,1,buy,FF,").c_str());
    CreateGrid();
    CDialog second;
    ASSERT_TRUE(second.Create(3100, &m_frame));
    CCommonListCtrl plain;
    plain.m_csListName = "Trades";
    ASSERT_TRUE(plain.SubclassDlgItem(1001, &second));
    ASSERT_FALSE(plain.m_bCustomizeLoaded);

    cCustomizedAppearanceSettings global;
    global.m_clrBackground = 0x202020;
    global.m_clrText = 0x00C0C0;
    global.m_csFontName = Face().c_str();
    global.m_csFontSize = "16";
    Set_Apperance_setting(global);
    CCommonListCtrl::ApplyGeneralSettings(false);
    EXPECT_EQ(0x202020u, plain.GetBkColor());
    EXPECT_EQ(0x00C0C0u, plain.GetTextColor());
    EXPECT_EQ(Face() + " " + std::to_string(HeightOfPoints(&plain, 16)), FontOf(&plain));
    EXPECT_STREQ("16", plain.m_Appearance.m_csFontSize);
    EXPECT_EQ(0xFFFFFFu, m_list.GetBkColor());   // customized: left alone
    EXPECT_EQ("<none>", Stored("CUSTOMIZE_LISTS", "Trades-1001"));

    CCommonListCtrl::ApplyGeneralSettings(true);
    EXPECT_EQ(0x202020u, m_list.GetBkColor());
    // Rewritten without the rules: the grid has no filter model, so keyword rules are not offered.
    EXPECT_EQ(std::string("202020,C0C0,") + Face() + ",16", Stored("CUSTOMIZE_LISTS", "Orders-1001"));
    second.DestroyWindow();
}

TEST_F(AppearanceTest, TheMenuCommandsAndCtrlShiftCOpenTheDialogs)
{
    CreateGrid();
    AddColumns();
    m_list.SendMessage(WM_COMMAND, MAKEWPARAM(ID_LIST_CUSTOMIZE, 0), 0);
    HWND hCustomize = ::FindWindowA(nullptr, "Customize Appearance :Orders ");
    ASSERT_NE(nullptr, hCustomize);
    EXPECT_TRUE(::IsWindowVisible(hCustomize));
    ::ShowWindow(hCustomize, SW_HIDE);

    m_list.SendMessage(WM_COMMAND, MAKEWPARAM(ID_LIST_USER_CUSTOMIZE, 0), 0);
    HWND hUser = ::FindWindowA(nullptr, "User Customize Appearance :Orders ");
    ASSERT_NE(nullptr, hUser);
    EXPECT_TRUE(::IsWindowVisible(hUser));

    // Ctrl+Shift+C copies and opens Customize again: the same window, shown.
    BYTE keys[256] = {};
    keys[VK_CONTROL] = keys[VK_LCONTROL] = keys[VK_SHIFT] = keys[VK_LSHIFT] = 0x80;
    ::SetKeyboardState(keys);
    m_list.PostMessage(WM_KEYDOWN, 'C', 1);
    AfxPumpPendingMessages();
    EXPECT_EQ(hCustomize, ::FindWindowA(nullptr, "Customize Appearance :Orders "));
    EXPECT_TRUE(::IsWindowVisible(hCustomize));
    // The same through ProcessCommand.
    ::ShowWindow(hCustomize, SW_HIDE);
    m_list.ProcessCommand(ID_LIST_CUSTOMIZE);
    EXPECT_TRUE(::IsWindowVisible(hCustomize));
}
