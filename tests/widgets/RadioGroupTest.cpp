// The radio group over the buttons of a real dialog: exactly one checked, missing buttons skipped.
#include "WidgetTest.h"

#include <widgets/RadioGroup.h>

namespace
{
enum { IDC_DAY = 1301, IDC_GTC = 1302, IDC_IOC = 1303, IDC_OTHER = 1304, IDC_MISSING = 1399 };
}

class RadioGroupTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        CTestDialogTemplate tmpl(L"Validity", 160, 90);
        tmpl.AddItem(CTestDialogTemplate::kButton, L"Day", BS_RADIOBUTTON, 10, 10, 60, 12, IDC_DAY);
        tmpl.AddItem(CTestDialogTemplate::kButton, L"GTC", BS_RADIOBUTTON, 10, 26, 60, 12, IDC_GTC);
        tmpl.AddItem(CTestDialogTemplate::kButton, L"IOC", BS_RADIOBUTTON, 10, 42, 60, 12, IDC_IOC);
        tmpl.AddItem(CTestDialogTemplate::kButton, L"Notify", BS_CHECKBOX, 10, 60, 60, 12, IDC_OTHER);
        ASSERT_TRUE(m_dlg.CreateIndirect(tmpl.Get(), &m_frame));
        m_dlg.CheckDlgButton(IDC_OTHER, BST_CHECKED);
    }
    void TearDown() override
    {
        if (m_dlg.GetSafeHwnd() != nullptr)
            m_dlg.DestroyWindow();
        WidgetTest::TearDown();
    }
    std::string Checks() const
    {
        std::string s;
        for (int id : { IDC_DAY, IDC_GTC, IDC_IOC, IDC_OTHER })
            s += m_dlg.IsDlgButtonChecked(id) ? '1' : '0';
        return s;
    }

    CDialog m_dlg;
    CRadioGroup m_group;
};

TEST_F(RadioGroupTest, ChecksExactlyOneButtonOfTheGroupAndLeavesOthersAlone)
{
    m_group.SetParent(&m_dlg);
    EXPECT_EQ(1, m_group.AddButton(IDC_DAY));
    EXPECT_EQ(1, m_group.AddButton(IDC_MISSING));
    CButton gtc;
    gtc.Attach(::GetDlgItem(m_dlg.GetSafeHwnd(), IDC_GTC));
    EXPECT_EQ(1, m_group.AddButton(gtc));
    gtc.Detach();
    m_group.AddButton(IDC_IOC);
    // The check box outside the group keeps its check through all of it; an id outside the
    // group unchecks every button of it.
    const struct { int id; const char* checks; } steps[] = {
        { IDC_GTC, "0101" }, { IDC_IOC, "0011" }, { IDC_DAY, "1001" }, { IDC_OTHER, "0001" }, { IDC_GTC, "0101" },
        { IDC_MISSING, "0001" },
    };
    for (const auto& s : steps)
    {
        m_group.SetGroupCheck(s.id);
        EXPECT_EQ(s.checks, Checks()) << s.id;
    }
}

TEST_F(RadioGroupTest, WithoutADialogOrButtonsNothingChanges)
{
    m_group.AddButton(IDC_DAY);
    m_dlg.CheckDlgButton(IDC_DAY, BST_CHECKED);
    m_group.SetGroupCheck(IDC_GTC);   // no dialog yet
    EXPECT_EQ("1001", Checks());
    CRadioGroup empty;
    empty.SetParent(&m_dlg);
    empty.SetGroupCheck(IDC_DAY);
    EXPECT_EQ("1001", Checks());
    CButton unborn;   // a button object without a window
    EXPECT_EQ(1, empty.AddButton(unborn));
    empty.SetGroupCheck(IDC_DAY);
    EXPECT_EQ("1001", Checks());
    // The dialog's window gone: nothing to check, no crash.
    m_group.SetParent(&m_dlg);
    m_dlg.DestroyWindow();
    m_group.SetGroupCheck(IDC_DAY);
}
