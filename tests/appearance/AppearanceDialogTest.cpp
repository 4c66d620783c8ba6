// The two appearance dialogs driven through their controls: combo selections, button clicks,
// typed keywords, the Delete key, and the colour and font dialogs answered through the modal
// seam; what they do to the grid and to its stored settings.
#include "AppearanceFixture.h"
#include "dialogs/CustomizedAppearance.h"
#include "dialogs/UserCusomize.h"
#include "dialogs/FontSettingDlg.h"
#include "resources/AppearanceRes.h"
#include "RuleText.h"

namespace
{
class CustomizeDialogTest : public AppearanceTest
{
protected:
    // Opens Customize, keyword rules offered, and returns the dialog; the grid is made first, with
    // its columns, when there is none yet.
    CCustomizedAppearance* Open()
    {
        if (m_list.GetSafeHwnd() == nullptr)
        {
            CreateGrid();
            AddColumns();
        }
        m_list.m_Appearance.m_bKeywordRulesAvailable = true;
        m_list.OnCustomize();
        HWND hDlg = ::FindWindowA(nullptr, "Customize Appearance :Orders ");
        return hDlg != nullptr ? static_cast<CCustomizedAppearance*>(CWnd::FromHandlePermanent(hDlg)) : nullptr;
    }

    static void Select(CComboBox& combo, const char* pszText)
    {
        combo.SetCurSel(combo.FindStringExact(-1, pszText));
        combo.GetParent()->SendMessage(WM_COMMAND, MAKEWPARAM(combo.GetDlgCtrlID(), CBN_SELCHANGE), (LPARAM)combo.m_hWnd);
    }

    static void Click(CWnd* pDlg, int nID)
    {
        ::SendMessageA(::GetDlgItem(pDlg->m_hWnd, nID), BM_CLICK, 0, 0);
    }

    static void Type(CCustomizedAppearance* pDlg, const char* pszKeyword)
    {
        pDlg->m_KeywordEdit.SetWindowText(pszKeyword);
        Click(pDlg, IDC_CA_ADD);
    }

    static std::vector<std::string> Keywords(CXListCtrl& list)
    {
        std::vector<std::string> rows;
        for (int i = 0; i < list.GetItemCount(); ++i)
        {
            char sz[32];
            snprintf(sz, sizeof(sz), "=%lX", (unsigned long)list.GetColorboxColor(i, 1));
            rows.push_back(std::string((LPCTSTR)list.GetItemText(i, 0)) + sz);
        }
        return rows;
    }
};
}  // namespace

TEST_F(CustomizeDialogTest, KeywordsGoInLongestFirstAndTheDeleteKeyRemovesThem)
{
    CCustomizedAppearance* pDlg = Open();
    ASSERT_NE(nullptr, pDlg);
    Select(pDlg->m_PropertyCombo, "Text");
    Type(pDlg, "");
    Type(pDlg, "a,b");
    EXPECT_EQ((std::vector<CString>{ "Enter text to add a new keyword to list", "A keyword cannot contain a comma" }),
              m_script.Messages());
    AnswerColour(0x0000FF);
    Click(pDlg, IDC_CA_COLOR);   // the text colour becomes red
    Type(pDlg, "b");
    Type(pDlg, "BUY");
    Type(pDlg, "bu");
    Type(pDlg, "sell");
    EXPECT_TRUE(SameSequence(Keywords(pDlg->m_KeywordList), { "sell=FF", "BUY=FF", "bu=FF", "b=FF" }));
    pDlg->m_KeywordList.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    pDlg->m_KeywordList.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
    pDlg->m_KeywordList.SendMessage(WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_TRUE(SameSequence(Keywords(pDlg->m_KeywordList), { "sell=FF", "bu=FF" }));

    // "..." frees the column choice; a new column starts with no keywords.
    Click(pDlg, IDC_CA_CHANGE_COLUMN);
    Select(pDlg->m_ColumnCombo, "Status");
    EXPECT_EQ(0, pDlg->m_KeywordList.GetItemCount());
}

TEST_F(CustomizeDialogTest, ApplySetsTheGridAndStoresTheEntryWithRulesInLowerCase)
{
    CCustomizedAppearance* pDlg = Open();
    ASSERT_NE(nullptr, pDlg);
    AnswerColour(0x302010);   // the background
    Click(pDlg, IDC_CA_COLOR);
    // Font: the font setting dialog answered by script through its own combos.
    m_script.m_dialogAnswers.push_back([](CDialog* p) -> INT_PTR {
        CFontSettingDlg* pFont = static_cast<CFontSettingDlg*>(p);
        pFont->m_FontCombo.SelectString(-1, Face().c_str());
        pFont->m_SizeCombo.SelectString(-1, "14");
        pFont->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(p->m_hWnd, IDOK));
        return IDCANCEL;   // the dialog's own OK wins
    });
    Click(pDlg, IDC_CA_FONT);
    Select(pDlg->m_PropertyCombo, "Text");
    Click(pDlg, IDC_CA_CHANGE_COLUMN);
    Select(pDlg->m_ColumnCombo, "Side");
    Type(pDlg, "BUY");
    Type(pDlg, "b");
    // A keyword's colour box changed in place keeps its own colour.
    pDlg->m_KeywordList.SetColorboxColor(1, 1, 0x00AA00);

    Click(pDlg, IDC_CA_APPLY);
    EXPECT_EQ(std::string("302010,FF00,") + Face() + ",14,1,buy,FF00,b,AA00,", Stored("CUSTOMIZE_LISTS", "Orders-1001"));
    EXPECT_EQ(0x302010u, m_list.GetBkColor());
    EXPECT_EQ(Face() + " " + std::to_string(HeightOfPoints(&m_list, 14)), FontOf(&m_list));
    EXPECT_TRUE(pDlg->IsWindowVisible());   // the dialog stays open

    // Cancel hides it; the grid keeps what was applied.
    Click(pDlg, IDCANCEL);
    EXPECT_FALSE(pDlg->IsWindowVisible());
    EXPECT_EQ(0x302010u, m_list.GetBkColor());
}

TEST_F(CustomizeDialogTest, WithoutCustomColoursOnlyTheFontApplies)
{
    m_list.m_bApplyCustomColors = 0;
    CreateGrid();
    AddColumns();
    COLORREF clrBefore = m_list.GetBkColor();
    CCustomizedAppearance* pDlg = Open();
    ASSERT_NE(nullptr, pDlg);
    pDlg->m_Appearance.m_clrBackground = 0x123456;
    Click(pDlg, IDC_CA_APPLY);
    EXPECT_EQ(clrBefore, m_list.GetBkColor());
    EXPECT_EQ("123456,FF00,MS Shell Dlg 2,8", Stored("CUSTOMIZE_LISTS", "Orders-1001"));
}

TEST_F(CustomizeDialogTest, AGridThatGoesAwayIsForgottenAndOtherGridsAreUntouched)
{
    Store("CUSTOMIZE_LISTS", "Trades-1001", (std::string("1,2,") + Face() + ",9").c_str());
    CCustomizedAppearance* pDlg = Open();
    ASSERT_NE(nullptr, pDlg);
    Click(pDlg, IDC_CA_APPLY);
    EXPECT_EQ(std::string("1,2,") + Face() + ",9", Stored("CUSTOMIZE_LISTS", "Trades-1001"));
    EXPECT_NE("<none>", Stored("CUSTOMIZE_LISTS", "Orders-1001"));
    {
        CCommonListCtrl temporary;
        temporary.m_csListName = "Temporary";
        CDialog holder;
        ASSERT_TRUE(holder.Create(3100, &m_frame));
        ASSERT_TRUE(temporary.SubclassDlgItem(1001, &holder));
        temporary.OnCustomize();
        ASSERT_EQ(&temporary, pDlg->GetParentList());
        holder.DestroyWindow();
    }
    EXPECT_EQ(nullptr, pDlg->GetParentList());
    if (pDlg->GetSafeHwnd() != nullptr)
        Click(pDlg, IDC_CA_APPLY);   // nothing to apply to: nothing happens
    EXPECT_EQ("<none>", Stored("CUSTOMIZE_LISTS", "Temporary-1001"));
}

TEST_F(CustomizeDialogTest, TheUserDialogListsUserKeywordsAndStoresThemOnApply)
{
    m_list.m_bUserCustomize = 1;
    CreateGrid();
    CStringArray keywords;
    CColorArray text, back;
    Fill(keywords, { "BUY", "sell" });
    Fill(text, { 0x0000FFul, 0xFF0000ul });
    Fill(back, { 0xFFFFFFul, 0x00FFFFul });
    ASSERT_EQ(1, m_list.SetDefaultProperties(keywords, text, back));
    m_list.OnUserCustomize();
    HWND hDlg = ::FindWindowA(nullptr, "User Customize Appearance :Orders ");
    ASSERT_NE(nullptr, hDlg);
    CUserCusomize* pDlg = static_cast<CUserCusomize*>(CWnd::FromHandlePermanent(hDlg));
    ASSERT_EQ(2, pDlg->m_PropertyList.GetItemCount());
    EXPECT_STREQ("buy", pDlg->m_PropertyList.GetItemText(0, 0));

    AnswerColour(0x222222);
    ::SendMessageA(::GetDlgItem(hDlg, IDC_UC_BACKGROUND), BM_CLICK, 0, 0);
    pDlg->m_PropertyList.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    pDlg->m_PropertyList.SendMessage(WM_KEYDOWN, VK_DELETE, 1);
    ::SendMessageA(::GetDlgItem(hDlg, IDC_UC_APPLY), BM_CLICK, 0, 0);
    EXPECT_EQ("222222,FF00,MS Shell Dlg 2,8,sell,FF0000,FFFF,", Stored("USER_CUSTOMIZE_LISTS", "Orders-1001"));
    EXPECT_EQ(0x222222u, m_list.GetBkColor());
    EXPECT_EQ("sell=FF0000/FFFF;", UserKeywords(m_list.m_Appearance));

    // Without the user-customize option the dialog lists nothing.
    m_list.m_bUserCustomize = 0;
    m_list.OnUserCustomize();
    EXPECT_EQ(0, pDlg->m_PropertyList.GetItemCount());
}

TEST_F(CustomizeDialogTest, ThousandsOfRulesGoThroughTheDialogWhole)
{
    std::string value = "0,FF00," + Face() + ",8,0,";
    for (int i = 0; i < 2000; ++i)
    {
        char sz[48];
        snprintf(sz, sizeof(sz), "kw%04d,%X,", 9999 - i, i * 37);
        value += sz;
    }
    Store("CUSTOMIZE_LISTS", "Orders-1001", value.c_str());
    CCustomizedAppearance* pDlg = Open();
    ASSERT_NE(nullptr, pDlg);
    ASSERT_EQ(2000, pDlg->m_KeywordList.GetItemCount());
    EXPECT_STREQ("kw9999", pDlg->m_KeywordList.GetItemText(0, 0));
    EXPECT_EQ((COLORREF)(1999 * 37), pDlg->m_KeywordList.GetColorboxColor(1999, 1));
    Click(pDlg, IDC_CA_APPLY);
    EXPECT_EQ(value, Stored("CUSTOMIZE_LISTS", "Orders-1001"));
}

// Apply in either dialog with more rules than a settings entry holds (1,000 keywords of 40
// characters, past the 32,766 a line holds): the dialog says why and stays open, and neither the
// grid nor what was stored changes.
TEST_F(CustomizeDialogTest, AnApplyThatCannotBeStoredIsRefusedVisiblyAndChangesNothing)
{
    CStringArray keywords;
    CColorArray red, black;
    for (int i = 0; i < 1000; ++i)
    {
        char sz[48];
        snprintf(sz, sizeof(sz), "keyword-%032d", i);
        keywords.Add(sz);
        red.Add(0xFF);
        black.Add(0);
    }
    Store("CUSTOMIZE_LISTS", "Orders-1001", "0,FF00,MS Shell Dlg 2,8");
    Store("USER_CUSTOMIZE_LISTS", "Orders-1001", "0,FF00,MS Shell Dlg 2,8");
    m_list.m_bUserCustomize = 1;
    CreateGrid();
    AddColumns();
    m_list.m_Appearance.m_bKeywordRulesAvailable = true;
    ASSERT_EQ(1, m_list.SetDefaultAttributes(0, keywords, red));
    ASSERT_EQ(1, m_list.SetDefaultProperties(keywords, red, black));
    const COLORREF clrBefore = m_list.GetBkColor();
    const struct { const char* section; const char* caption; int nApply; } cases[] = {
        { "CUSTOMIZE_LISTS", "Customize Appearance :Orders ", IDC_CA_APPLY },
        { "USER_CUSTOMIZE_LISTS", "User Customize Appearance :Orders ", IDC_UC_APPLY },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.caption);
        if (c.nApply == IDC_CA_APPLY)
            m_list.OnCustomize();
        else
            m_list.OnUserCustomize();
        HWND hDlg = ::FindWindowA(nullptr, c.caption);
        ASSERT_NE(nullptr, hDlg);
        m_script.Clear();
        Click(CWnd::FromHandle(hDlg), c.nApply);
        ASSERT_EQ(1u, m_script.Messages().size());
        EXPECT_NE(-1, m_script.Messages()[0].Find("too long")) << m_script.Messages()[0].GetString();
        EXPECT_TRUE(::IsWindowVisible(hDlg));
        EXPECT_EQ("0,FF00,MS Shell Dlg 2,8", Stored(c.section, "Orders-1001"));
        EXPECT_EQ(clrBefore, m_list.GetBkColor());
    }
}
