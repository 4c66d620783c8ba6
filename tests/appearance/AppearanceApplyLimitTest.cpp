// Apply in either appearance dialog with more rules than a settings entry holds: the dialog says
// why and stays open, and neither the grid nor what was stored changes.
#include "AppearanceFixture.h"
#include "dialogs/CustomizedAppearance.h"
#include "dialogs/UserCusomize.h"
#include "resources/AppearanceRes.h"

namespace
{
class AppearanceApplyLimit : public AppearanceTest
{
protected:
    // 1,000 keywords of 40 characters: about 48,000 characters stored, past the 32,766 a line holds.
    static CStringArray& ManyKeywords()
    {
        static CStringArray keywords;
        if (keywords.IsEmpty())
            for (int i = 0; i < 1000; ++i)
            {
                char sz[48];
                snprintf(sz, sizeof(sz), "keyword-%032d", i);
                keywords.Add(sz);
            }
        return keywords;
    }
    static void Fill(CColorArray& colors, COLORREF clr)
    {
        for (int i = 0; i < ManyKeywords().GetSize(); ++i)
            colors.Add(clr);
    }
};
}  // namespace

TEST_F(AppearanceApplyLimit, AnApplyThatCannotBeStoredIsRefusedVisiblyAndChangesNothing)
{
    struct sCase
    {
        const char* name;
        const char* section;
        const char* caption;
        int nApply;
    };
    const sCase cases[] = {
        { "customize", "CUSTOMIZE_LISTS", "Customize Appearance :Orders ", IDC_CA_APPLY },
        { "user customize", "USER_CUSTOMIZE_LISTS", "User Customize Appearance :Orders ", IDC_UC_APPLY },
    };
    // Stored entries without rules; the host then hands the grid more rules than can be stored
    // (nothing is written for those yet).
    Store("CUSTOMIZE_LISTS", "Orders-1001", "0,FF00,MS Shell Dlg 2,8");
    Store("USER_CUSTOMIZE_LISTS", "Orders-1001", "0,FF00,MS Shell Dlg 2,8");
    m_list.m_bUserCustomize = 1;
    CreateGrid();
    AddColumns();
    m_list.m_Appearance.m_bKeywordRulesAvailable = true;
    CColorArray red, black;
    Fill(red, 0xFF);
    Fill(black, 0);
    ASSERT_EQ(1, m_list.SetDefaultAttributes(0, ManyKeywords(), red));
    ASSERT_EQ(1, m_list.SetDefaultProperties(ManyKeywords(), red, black));
    const COLORREF clrBefore = m_list.GetBkColor();
    size_t nMessages = 0;
    for (const sCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        const std::string before = Stored(c.section, "Orders-1001");
        if (c.nApply == IDC_CA_APPLY)
            m_list.OnCustomize();
        else
            m_list.OnUserCustomize();
        HWND hDlg = ::FindWindowA(nullptr, c.caption);
        ASSERT_NE(nullptr, hDlg);
        ::SendMessageA(::GetDlgItem(hDlg, c.nApply), BM_CLICK, 0, 0);

        ASSERT_EQ(++nMessages, m_script.Messages().size());
        const CString csShown = m_script.Messages().back();
        EXPECT_NE(-1, csShown.Find("too long")) << csShown.GetString();
        EXPECT_TRUE(::IsWindowVisible(hDlg));
        EXPECT_EQ(before, Stored(c.section, "Orders-1001"));
        EXPECT_EQ(clrBefore, m_list.GetBkColor());
    }
}
