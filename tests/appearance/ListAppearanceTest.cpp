// A grid's appearance settings as the host and the user meet them: the entries read when the
// grid initialises, the host's default keyword rules, fonts by face and size, the global
// appearance pushed to every grid, and the commands that open the appearance dialogs.
#include "AppearanceFixture.h"
#include "RuleText.h"

namespace
{
bool LogHas(const std::string& part)
{
    for (const std::string& line : TestHost::LogLines())
        if (line.find(part) != std::string::npos)
            return true;
    return part.empty();
}

cCustomizedAppearanceSettings Global(const std::string& face, COLORREF back, COLORREF text, const char* pszSize)
{
    cCustomizedAppearanceSettings global;
    global.m_clrBackground = back;
    global.m_clrText = text;
    global.m_csFontName = face.c_str();
    global.m_csFontSize = pszSize;
    return global;
}
}  // namespace

TEST_F(AppearanceTest, TheStoredEntryOrTheGlobalAppearanceIsReadWhenTheGridInitialises)
{
    const std::string F = Face(), D = "MS Shell Dlg 2";
    CStringArray stop;
    CColorArray red;
    Fill(stop, { "STOP" });
    Fill(red, { 0x0000FFul });
    // stored empty: no entry, the global appearance is 101010/FFFF, 10 points, and the host's
    // defaults (STOP, red) apply.
    struct Case { const char* name; std::string stored; bool bLoaded; COLORREF back, text; std::string face;
                  int nPoints, nColumn; const char* log; };
    const Case cases[] = {
        { "entry", "FFFFFF,800000," + F + ",12,1,BUY,FF,sell,FF00,", true, 0xFFFFFF, 0x800000, F, 12, 1, "" },
        { "no entry", "", false, 0x101010, 0x00FFFF, F, 10, -1, "" },
        { "unknown face, absurd size", "0,FF00,No Such Font Anywhere,5000", true, 0, 0xFF00, D, 8, -1,
          "is not installed" },
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
    {
        const Case& c = cases[i];
        SCOPED_TRACE(c.name);
        // A grid of its own per case (named Orders0, Orders1...): nothing carries over.
        const std::string name = "Orders" + std::to_string(i);
        TestHost::LogLines().clear();
        if (!c.stored.empty())
            Store("CUSTOMIZE_LISTS", (name + "-1001").c_str(), c.stored.c_str());
        Set_Apperance_setting(c.stored.empty() ? Global(F, 0x101010, 0x00FFFF, "10") : cCustomizedAppearanceSettings());
        CDialog dialog;
        ASSERT_TRUE(dialog.Create(3100, &m_frame));
        CCommonListCtrl list;
        list.m_csListName = name.c_str();
        ASSERT_TRUE(list.SubclassDlgItem(1001, &dialog));
        EXPECT_EQ(c.bLoaded, list.m_bCustomizeLoaded);
        EXPECT_EQ(c.back, list.GetBkColor());
        EXPECT_EQ(c.text, list.GetTextColor());
        EXPECT_STREQ(c.face.c_str(), list.m_Appearance.m_csFontName);
        EXPECT_STREQ(std::to_string(c.nPoints).c_str(), list.m_Appearance.m_csFontSize);
        if (c.face != D)
        {
            EXPECT_EQ(c.face + " " + std::to_string(HeightOfPoints(&list, c.nPoints)), FontOf(&list));
        }
        EXPECT_EQ(c.nColumn, list.m_Appearance.m_nKeywordColumn);
        EXPECT_TRUE(LogHas(c.log)) << c.log;
        if (!c.bLoaded)
        {
            EXPECT_EQ(1, list.SetDefaultAttributes(2, stop, red));
            EXPECT_EQ("stop=FF;", Rules(list.m_Appearance));
        }
        dialog.DestroyWindow();
    }
}

TEST_F(AppearanceTest, HostDefaultsNeverReplaceLoadedRulesAndUnstorableOnesAreRefused)
{
    CStringArray sell, bad;
    CColorArray green, one, two;
    Fill(sell, { "Sell" });
    Fill(bad, { "a,b" });
    Fill(green, { 0xFF00ul });
    Fill(one, { 1ul });
    Fill(two, { 2ul });
    // Loaded rules are never replaced; a keyword the settings cannot hold is refused whole.
    Store("CUSTOMIZE_LISTS", "Orders-1001", ("0,FF00," + Face() + ",8,1,buy,FF,").c_str());
    CreateGrid();
    EXPECT_EQ(1, m_list.SetDefaultAttributes(2, sell, green));
    EXPECT_EQ(1, m_list.m_Appearance.m_nKeywordColumn);
    EXPECT_EQ("buy=FF;", Rules(m_list.m_Appearance));
    m_list.m_Appearance.m_pKeywords->RemoveAll();
    EXPECT_EQ(0, m_list.SetDefaultAttributes(3, bad, one));
    EXPECT_EQ(1, m_list.m_Appearance.m_nKeywordColumn);
    EXPECT_EQ(0, m_list.m_Appearance.m_pKeywords->GetSize());

    // User keywords are read for every grid, dialog or not; defaults do not replace them.
    Store("USER_CUSTOMIZE_LISTS", "Loose-7", ("FFFFFF,0," + Face() + ",9,BUY,FF,FFFF,").c_str());
    CCommonListCtrl loose;
    loose.m_csListName = "Loose";
    ASSERT_TRUE(loose.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 200, 100), &m_frame, 7));
    EXPECT_EQ("buy=FF/FFFF;", UserKeywords(loose.m_Appearance));
    EXPECT_EQ(0xFFFFFFu, loose.GetBkColor());
    EXPECT_EQ(1, loose.SetDefaultProperties(sell, one, two));
    EXPECT_EQ("buy=FF/FFFF;", UserKeywords(loose.m_Appearance));
    loose.DestroyWindow();
}

TEST_F(AppearanceTest, FontsAreSetOnlyFromSensibleFacesAndSizes)
{
    CreateGrid();
    const std::string F = Face();
    ASSERT_EQ(1, CCommonListCtrl::SetListFontProperty(&m_list, 1001, F.c_str(), "14"));
    const std::string expected = F + " " + std::to_string(HeightOfPoints(&m_list, 14));
    EXPECT_EQ(expected, FontOf(&m_list));
    const std::pair<const char*, const char*> refused[] = {
        { F.c_str(), "0" }, { F.c_str(), "5000" }, { F.c_str(), "12pt" }, { "No Such Font Anywhere", "12" }, { "", "12" },
    };
    for (const auto& r : refused)
        EXPECT_EQ(0, CCommonListCtrl::SetListFontProperty(&m_list, 1001, r.first, r.second)) << r.first << " " << r.second;
    EXPECT_EQ(expected, FontOf(&m_list));
    // Through the dialog and the list's identifier.
    ASSERT_EQ(1, CCommonListCtrl::SetListFontProperty(&m_dialog, 1001, F.c_str(), "9"));
    EXPECT_EQ(F + " " + std::to_string(HeightOfPoints(&m_list, 9)), FontOf(&m_list));
    CWnd bare;   // a window without a font keeps having none
    ASSERT_TRUE(bare.CreateEx(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, m_frame.m_hWnd, (HMENU)5));
    EXPECT_EQ(0, CCommonListCtrl::SetListFontProperty(&bare, 5, F.c_str(), "9"));
    bare.DestroyWindow();
}

TEST_F(AppearanceTest, TheGlobalAppearanceReachesGridsThatWereNotCustomizedUnlessForced)
{
    Store("CUSTOMIZE_LISTS", "Orders-1001", ("FFFFFF,0," + Face() + ",12,1,buy,FF,").c_str());
    CreateGrid();
    CDialog second;
    ASSERT_TRUE(second.Create(3100, &m_frame));
    CCommonListCtrl plain;
    plain.m_csListName = "Trades";
    ASSERT_TRUE(plain.SubclassDlgItem(1001, &second));
    Set_Apperance_setting(Global(Face(), 0x202020, 0x00C0C0, "16"));
    CCommonListCtrl::ApplyGeneralSettings(false);
    EXPECT_EQ(0x202020u, plain.GetBkColor());
    EXPECT_EQ(0x00C0C0u, plain.GetTextColor());
    EXPECT_EQ(Face() + " " + std::to_string(HeightOfPoints(&plain, 16)), FontOf(&plain));
    EXPECT_EQ(0xFFFFFFu, m_list.GetBkColor());   // customized: left alone
    EXPECT_EQ("<none>", Stored("CUSTOMIZE_LISTS", "Trades-1001"));

    CCommonListCtrl::ApplyGeneralSettings(true);
    EXPECT_EQ(0x202020u, m_list.GetBkColor());
    // Rewritten without the rules: the grid has no filter model, so keyword rules are not offered.
    EXPECT_EQ("202020,C0C0," + Face() + ",16", Stored("CUSTOMIZE_LISTS", "Orders-1001"));
    second.DestroyWindow();
}

TEST_F(AppearanceTest, TheMenuCommandsAndCtrlShiftCOpenTheDialogs)
{
    CreateGrid();
    AddColumns();
    const char* const kCustomize = "Customize Appearance :Orders ";
    const struct { const char* name; std::function<void()> act; const char* caption; } cases[] = {
        { "Customize", [&] { m_list.SendMessage(WM_COMMAND, ID_LIST_CUSTOMIZE); }, kCustomize },
        { "User Customize", [&] { m_list.SendMessage(WM_COMMAND, ID_LIST_USER_CUSTOMIZE); },
          "User Customize Appearance :Orders " },
        { "Ctrl+Shift+C copies and opens Customize again", [&] {
              BYTE keys[256] = {};
              keys[VK_CONTROL] = keys[VK_LCONTROL] = keys[VK_SHIFT] = keys[VK_LSHIFT] = 0x80;
              ::SetKeyboardState(keys);
              m_list.PostMessage(WM_KEYDOWN, 'C', 1);
              AfxPumpPendingMessages();
          }, kCustomize },
    };
    HWND hCustomize = nullptr;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        c.act();
        HWND hDlg = ::FindWindowA(nullptr, c.caption);
        ASSERT_NE(nullptr, hDlg);
        EXPECT_TRUE(::IsWindowVisible(hDlg));
        ::ShowWindow(hDlg, SW_HIDE);
        if (c.caption == kCustomize && hCustomize == nullptr)
            hCustomize = hDlg;
        EXPECT_TRUE(c.caption != kCustomize || hDlg == hCustomize);   // the same window each time
    }
}
