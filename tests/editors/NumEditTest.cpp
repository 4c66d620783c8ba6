// The number box: range and two-decimal rules on typing, the two IsValid forms, paste rules and
// the value round trip, on a real edit control.
#include "EditorTest.h"

#include "editors/NumEdit.h"

#include <string>

namespace
{
class NumEditTest : public EditorTest
{
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        CreateBox(m_box);
        m_box.SetRange(100, 0);
    }
    void TearDown() override
    {
        m_box.DestroyWindow();
        EditorTest::TearDown();
    }
    void ExpectBalloons(size_t n)
    {
        ASSERT_EQ(n, Balloons().size());
        for (const sBalloon& b : Balloons())
        {
            EXPECT_EQ(m_box.GetSafeHwnd(), b.hWnd);
            EXPECT_EQ(L"Unacceptable Character", b.title);
            EXPECT_EQ(L"Unacceptable Character.", b.text);
            EXPECT_EQ(TTI_ERROR, b.icon);
        }
        EXPECT_EQ(n, Beeps());
    }
    void Reset()
    {
        Balloons().clear();
        m_script.Clear();
    }
    int IsValidText(const char* pszText)
    {
        m_box.SetWindowText(pszText);
        return m_box.IsValid();
    }

    CNumEdit m_box;
};

TEST(NumEdit, RangeTakesTheUpperBoundFirst)
{
    CNumEdit box;
    // Through the base class pointer as an owner holding a CEdit* would call them.
    CNumEdit* p = &box;
    p->SetRange(250.0f, -5.0f);
    float fFirst = 0;
    float fSecond = 0;
    p->GetRange(fFirst, fSecond);
    EXPECT_EQ(250.0f, fFirst);    // upper first
    EXPECT_EQ(-5.0f, fSecond);
    EXPECT_EQ(250.0f, box.m_fMaxValue);
    EXPECT_EQ(-5.0f, box.m_fMinValue);
    p->Verbose(TRUE);
    EXPECT_TRUE(p->Verbose());
}

TEST_F(NumEditTest, KeystrokesThatBreakTheRulesAreUndone)
{
    Type(m_box, "12.34");
    EXPECT_STREQ("12.34", Text(m_box));
    ExpectBalloons(0);

    Type(m_box, "5");                                  // a third decimal
    EXPECT_STREQ("12.34", Text(m_box));
    EXPECT_EQ(std::make_pair(4, 5), Selection(m_box));   // the last character selected
    ExpectBalloons(1);

    Reset();
    m_box.SetWindowText("");
    Type(m_box, "10");
    Type(m_box, "1");                                  // 101 > 100
    EXPECT_STREQ("10", Text(m_box));
    ExpectBalloons(1);

    Reset();
    Type(m_box, "x");
    EXPECT_STREQ("10", Text(m_box));
    ExpectBalloons(1);
}

TEST_F(NumEditTest, ErasingTheLastCharacterIsUndoneWithoutBalloon)
{
    Type(m_box, "5");
    Type(m_box, "\b");
    EXPECT_STREQ("5", Text(m_box));
    ExpectBalloons(0);
}

TEST_F(NumEditTest, SpaceIsDroppedAndQueuedKeysAreDiscardedAfterARefusal)
{
    Type(m_box, "4 2");
    EXPECT_STREQ("42", Text(m_box));

    m_box.PostMessage(WM_CHAR, '7', 1);
    m_box.PostMessage(WM_CHAR, '8', 1);
    Type(m_box, "9");   // 429 is out of range
    EXPECT_STREQ("42", Text(m_box));
    MSG msg;
    EXPECT_FALSE(::PeekMessageA(&msg, m_box.GetSafeHwnd(), WM_CHAR, WM_CHAR, PM_NOREMOVE));
}

TEST_F(NumEditTest, IsValidOfTheWindowTextLaterStepsWin)
{
    EXPECT_EQ(0, IsValidText("42.5"));
    ExpectBalloons(0);
    EXPECT_EQ(1, IsValidText("150"));
    EXPECT_EQ(1, IsValidText("1.234"));
    EXPECT_EQ(2, IsValidText("abc"));
    EXPECT_EQ(2, IsValidText("12abc"));
    EXPECT_EQ(2, IsValidText("1.234x"));   // decimals say 1, the foreign character says 2
    EXPECT_EQ(2, IsValidText("42 "));       // the blank is not an allowed character
    EXPECT_EQ(2, IsValidText("-5"));        // '-' is not allowed (and below 0 anyway)
    ExpectBalloons(7);
    Reset();
    EXPECT_EQ(2, IsValidText(""));          // not a number, but nothing to complain about
    ExpectBalloons(0);

    m_box.m_strValidChars.Empty();          // no character set: only the number rules
    EXPECT_EQ(1, IsValidText("-5"));
    EXPECT_EQ(0, IsValidText("42  "));      // white space behind the number is fine
    EXPECT_EQ(1, IsValidText("42.5  "));    // ... but counts as characters behind the point
    EXPECT_EQ(1, IsValidText("200 "));
}

TEST_F(NumEditTest, IsValidOfAGivenTextIgnoresTheRest)
{
    EXPECT_EQ(1, m_box.IsValid(CString("150")));
    EXPECT_EQ(0, m_box.IsValid(CString("12abc")));
    EXPECT_EQ(0, m_box.IsValid(CString("99.999")));
    EXPECT_EQ(2, m_box.IsValid(CString("abc")));
    EXPECT_EQ(2, m_box.IsValid(CString("")));
    ExpectBalloons(0);
}

TEST_F(NumEditTest, PasteRules)
{
    SetClipboard("12.5");
    EXPECT_EQ(1, m_box.SendMessage(WM_PASTE));
    EXPECT_STREQ("12.5", Text(m_box));

    m_box.SetWindowText("");
    for (const char* psz : { "12.555", "1a", "150", "-1", "1 " })
    {
        SetClipboard(psz);
        EXPECT_EQ(0, m_box.SendMessage(WM_PASTE)) << psz;
        EXPECT_STREQ("", Text(m_box)) << psz;
    }
    SetClipboard(nullptr);
    EXPECT_EQ(1, m_box.SendMessage(WM_PASTE));   // an empty text is 0, inside the range
    SetClipboard(std::string(4000, '1').c_str());
    EXPECT_EQ(0, m_box.SendMessage(WM_PASTE));
    ExpectBalloons(0);

    m_box.m_strValidChars.Empty();
    SetClipboard("5");
    EXPECT_EQ(0, m_box.SendMessage(WM_PASTE));
    EXPECT_STREQ("", Text(m_box));
}

TEST_F(NumEditTest, SetValueAndGetValue)
{
    m_box.SetValue(12.5f);
    EXPECT_STREQ("12.500000", Text(m_box));
    m_box.SetWindowText("42.5");
    EXPECT_EQ(42.5f, m_box.GetValue());
    ExpectBalloons(0);
    m_box.SetWindowText("abc");
    EXPECT_EQ(0.0f, m_box.GetValue());
    ExpectBalloons(1);
}
}  // namespace
