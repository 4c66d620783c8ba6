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
        ASSERT_TRUE(m_dlg.Create(9001, &m_frame));   // a real dialog of the test host's resources
        const struct { const char* text; DWORD style; int id; } buttons[] = {
            { "Day", BS_RADIOBUTTON, IDC_DAY }, { "GTC", BS_RADIOBUTTON, IDC_GTC }, { "IOC", BS_RADIOBUTTON, IDC_IOC },
            { "Notify", BS_CHECKBOX, IDC_OTHER },
        };
        for (int i = 0; i < 4; ++i)
            ASSERT_TRUE(m_buttons[i].Create(buttons[i].text, WS_CHILD | WS_VISIBLE | buttons[i].style,
                                            CRect(10, 60 + 20 * i, 100, 76 + 20 * i), &m_dlg, buttons[i].id));
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
    CButton m_buttons[4];
    CRadioGroup m_group;
};

TEST_F(RadioGroupTest, ChecksExactlyOneButtonOfTheGroupAndLeavesOthersAlone)
{
    m_group.SetParent(&m_dlg);
    EXPECT_EQ(1, m_group.AddButton(IDC_DAY));
    EXPECT_EQ(1, m_group.AddButton(IDC_MISSING));
    EXPECT_EQ(1, m_group.AddButton(m_buttons[1]));   // by its button object
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
    CButton unborn;   // a button object without a window
    EXPECT_EQ(1, empty.AddButton(unborn));
    empty.SetGroupCheck(IDC_DAY);
    EXPECT_EQ("1001", Checks());
    // The dialog's window gone: nothing to check, no crash.
    m_group.SetParent(&m_dlg);
    m_dlg.DestroyWindow();
    m_group.SetGroupCheck(IDC_DAY);
}
