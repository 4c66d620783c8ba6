// The price box driven as a user drives it: keys typed into the real edit control, pastes from
// the real clipboard, and the balloon reports it sends.
#include "EditorTest.h"

#include "editors/PriceEdit.h"

#include <string>

namespace
{
const wchar_t kTitleA[] = L"Unacceptable Character";
const wchar_t kTextA[] = L"You can only type a number here.";
const wchar_t kTitleB[] = L"Max limit reached";
const wchar_t kTextB[] = L"Only 15 digits allowed";
const wchar_t kTitleC[] = L"Out Of Range";
const wchar_t kTextC[] = L"Entered value is Out Of Range";

class PriceEditTest : public EditorTest
{
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        CreateBox(m_box);
    }
    void TearDown() override
    {
        m_box.DestroyWindow();
        EditorTest::TearDown();
    }

    // Every balloon so far is the given report on the box, with one beep per balloon.
    void ExpectOnlyReports(const wchar_t* pszTitle, const wchar_t* pszText)
    {
        ASSERT_FALSE(Balloons().empty());
        for (const sBalloon& b : Balloons())
        {
            EXPECT_EQ(m_box.GetSafeHwnd(), b.hWnd);
            EXPECT_EQ(pszTitle, b.title);
            EXPECT_EQ(pszText, b.text);
            EXPECT_EQ(TTI_ERROR, b.icon);
        }
        EXPECT_EQ(Balloons().size(), Beeps());
        for (const CModalRecord& r : m_script.m_records)
        {
            if (r.kind == "beep")
            {
                EXPECT_EQ((UINT)MB_ICONEXCLAMATION, r.type);
            }
        }
    }
    void ExpectNoReport()
    {
        EXPECT_TRUE(Balloons().empty());
        EXPECT_EQ(0u, Beeps());
    }
    void Reset()
    {
        Balloons().clear();
        m_script.Clear();
    }

    CPriceEdit m_box;
};

TEST_F(PriceEditTest, TypingGroupsDigitsWithCaretAtEnd)
{
    Type(m_box, "1234567");
    EXPECT_STREQ("1,234,567", Text(m_box));
    EXPECT_EQ(std::make_pair(9, 9), Selection(m_box));
    Type(m_box, ".25");
    EXPECT_STREQ("1,234,567.25", Text(m_box));
    ExpectNoReport();
    // The parent still hears of every change.
    EXPECT_GT(Updates(), 0);
}

TEST_F(PriceEditTest, TypingInTheMiddleKeepsTheCaretBehindTheNewDigit)
{
    Type(m_box, "12345");
    ASSERT_STREQ("12,345", Text(m_box));
    Caret(m_box, 1);   // between 1 and the comma
    Type(m_box, "9");
    EXPECT_STREQ("192,345", Text(m_box));
    EXPECT_EQ(std::make_pair(2, 2), Selection(m_box));
    Caret(m_box, 0);
    Type(m_box, "8");
    EXPECT_STREQ("8,192,345", Text(m_box));
    EXPECT_EQ(std::make_pair(2, 2), Selection(m_box));
}

TEST_F(PriceEditTest, SecondPointAndMisplacedMinusAreUndone)
{
    Type(m_box, "12.5");
    Type(m_box, ".");
    EXPECT_STREQ("12.5", Text(m_box));
    ExpectOnlyReports(kTitleA, kTextA);

    Reset();
    Type(m_box, "-");
    EXPECT_STREQ("12.5", Text(m_box));
    ExpectOnlyReports(kTitleA, kTextA);

    Reset();
    Caret(m_box, 0);
    Type(m_box, "-");
    EXPECT_STREQ("-12.5", Text(m_box));
    ExpectNoReport();
}

TEST_F(PriceEditTest, PrecisionCountsDecimalsWithoutTrailingZeros)
{
    EXPECT_TRUE(m_box.IsPriceValid("0.12340"));
    ExpectNoReport();
    EXPECT_FALSE(m_box.IsPriceValid("0.12345"));
    ExpectOnlyReports(kTitleA, kTextA);

    Reset();
    Type(m_box, "0.1234");
    Type(m_box, "5");
    EXPECT_STREQ("0.1234", Text(m_box));
    ExpectOnlyReports(kTitleA, kTextA);

    Reset();
    m_box.setPrecision(0);
    EXPECT_TRUE(m_box.IsPriceValid("12.000"));
    EXPECT_FALSE(m_box.IsPriceValid("12.5"));
}

TEST_F(PriceEditTest, SignificantDigitsAgainstTheLimit)
{
    EXPECT_TRUE(m_box.IsPriceValid("0001234567890123"));         // 3 zeros + 13 digits
    EXPECT_TRUE(m_box.IsPriceValid("-123456789012345"));         // the sign does not count
    EXPECT_TRUE(m_box.IsPriceValid("12345678901.2340"));          // 15 with the trailing zero cut
    ExpectNoReport();
    EXPECT_FALSE(m_box.IsPriceValid("1234567890123456"));
    ExpectOnlyReports(kTitleB, kTextB);

    Reset();
    EXPECT_FALSE(m_box.IsPriceValid("123456789012.3456"));
    ExpectOnlyReports(kTitleB, kTextB);

    // The report names 15 whatever the limit.
    Reset();
    m_box.SetMaxDigit(5);
    EXPECT_TRUE(m_box.IsPriceValid("123.45"));
    EXPECT_FALSE(m_box.IsPriceValid("1234.56"));
    ExpectOnlyReports(kTitleB, kTextB);

    Reset();
    Type(m_box, "123456");
    EXPECT_STREQ("12,345", Text(m_box));
    ExpectOnlyReports(kTitleB, kTextB);
}

TEST_F(PriceEditTest, BoundsAreInclusiveAndEmptyMeansZero)
{
    EXPECT_TRUE(m_box.IsPriceValid(""));
    EXPECT_TRUE(m_box.IsPriceValid("-"));
    EXPECT_TRUE(m_box.IsPriceValid("."));
    ExpectNoReport();

    m_box.m_dMinValue = 1.0;
    m_box.m_dMaxValue = 500.0;
    EXPECT_FALSE(m_box.IsPriceValid(""));
    ExpectOnlyReports(kTitleC, kTextC);
    Reset();
    EXPECT_TRUE(m_box.IsPriceValid("1"));
    EXPECT_TRUE(m_box.IsPriceValid("500"));
    EXPECT_FALSE(m_box.IsPriceValid("500.0001"));
    ExpectOnlyReports(kTitleC, kTextC);

    Reset();
    m_box.SetWindowText("50");
    Caret(m_box, 2);
    Type(m_box, "1");
    EXPECT_STREQ("50", Text(m_box));
    ExpectOnlyReports(kTitleC, kTextC);
}

TEST_F(PriceEditTest, PasteChecksTheClipboardTextWithoutCommas)
{
    SetClipboard("1,234.5");
    m_box.SendMessage(WM_PASTE);
    EXPECT_STREQ("1,234.5", Text(m_box));
    ExpectNoReport();

    m_box.SetWindowText("");
    SetClipboard("1234567");
    m_box.SendMessage(WM_PASTE);
    EXPECT_STREQ("1,234,567", Text(m_box));

    m_box.SetWindowText("");
    SetClipboard("12a");
    EXPECT_EQ(0, m_box.SendMessage(WM_PASTE));
    EXPECT_STREQ("", Text(m_box));
    ExpectOnlyReports(kTitleA, kTextA);
}

TEST_F(PriceEditTest, PasteOfBadOrMissingClipboardData)
{
    m_box.SetWindowText("42");
    SetClipboard(std::string(5000, '7').c_str());
    m_box.SendMessage(WM_PASTE);
    EXPECT_STREQ("42", Text(m_box));
    ExpectOnlyReports(kTitleB, kTextB);

    Reset();
    SetClipboard("\xE9\xB5");
    m_box.SendMessage(WM_PASTE);
    EXPECT_STREQ("42", Text(m_box));
    ExpectOnlyReports(kTitleA, kTextA);

    // No text on the clipboard: an empty text, valid unless the bounds exclude zero.
    Reset();
    SetClipboard(nullptr);
    m_box.SendMessage(WM_PASTE);
    EXPECT_STREQ("42", Text(m_box));
    ExpectNoReport();
    m_box.m_dMinValue = 10.0;
    m_box.SendMessage(WM_PASTE);
    EXPECT_STREQ("42", Text(m_box));
    ExpectOnlyReports(kTitleC, kTextC);

    // No allowed characters: nothing is pasted and nothing reported.
    Reset();
    SetClipboard("5");
    m_box.m_strValidChars.Empty();
    m_box.SendMessage(WM_PASTE);
    EXPECT_STREQ("42", Text(m_box));
    ExpectNoReport();
}

TEST_F(PriceEditTest, PastedTextIsCheckedAgainWithTheTextAround)
{
    // The pasted part alone is fine, the combined text has a second point: nothing is pasted and
    // the second point is reported once.
    m_box.SetWindowText("1.5");
    Caret(m_box, 3);
    SetClipboard("2.5");
    EXPECT_EQ(0, m_box.SendMessage(WM_PASTE));
    EXPECT_STREQ("1.5", Text(m_box));
    ExpectOnlyReports(kTitleA, kTextA);
    EXPECT_EQ(1u, Balloons().size());
}

TEST_F(PriceEditTest, GetCommaDataCutsAndGroups)
{
    m_box.setPrecision(2);
    CString s = "1234.5678";
    EXPECT_STREQ("1,234.56", m_box.GetCommaData(s));
    s = "-1234567.891";
    EXPECT_STREQ("-1,234,567.89", m_box.GetCommaData(s));
    s = ".5";
    EXPECT_STREQ(".5", m_box.GetCommaData(s));
    s = "12";
    EXPECT_STREQ("12", m_box.GetCommaData(s));
    s = "1,2,3,4";
    EXPECT_STREQ("1,234", m_box.GetCommaData(s));
    s = "--123456";
    EXPECT_STREQ("-123,456", m_box.GetCommaData(s));
    s = "123.";
    EXPECT_STREQ("123.", m_box.GetCommaData(s));
    s = "";
    EXPECT_STREQ("", m_box.GetCommaData(s));
    m_box.setPrecision(0);
    s = "9999.99";
    EXPECT_STREQ("9,999.", m_box.GetCommaData(s));

    EXPECT_STREQ("1234567.5", m_box.GetTrueValue("1,234,567.5"));

    m_box.m_bFormatEnabled = false;   // let the raw text stand
    m_box.SetWindowText("9876543.21");
    m_box.m_bFormatEnabled = true;
    m_box.setPrecision(4);
    m_box.SetDisplayText();
    EXPECT_STREQ("9,876,543.21", Text(m_box));
}

TEST_F(PriceEditTest, ProcessCharacterVerdicts)
{
    EXPECT_EQ(1, m_box.processCharacter('.'));
    EXPECT_EQ(1, m_box.processCharacter('-'));
    EXPECT_EQ(1, m_box.processCharacter('7'));
    ExpectNoReport();
    EXPECT_EQ(0, m_box.processCharacter('x'));       // empty box: refused and reported
    ExpectOnlyReports(kTitleA, kTextA);
    Reset();
    EXPECT_EQ(0, m_box.processCharacter(8));          // backspace on an empty box: quietly refused
    ExpectNoReport();

    m_box.setPrecision(2);
    m_box.SetWindowText("1,234.56");
    Caret(m_box, 2);
    EXPECT_EQ(0, m_box.processCharacter('.'));        // jumps behind the existing point
    EXPECT_EQ(std::make_pair(6, 6), Selection(m_box));
    Caret(m_box, 8);
    EXPECT_EQ(0, m_box.processCharacter('3'));        // decimals full
    Caret(m_box, 2);
    EXPECT_EQ(1, m_box.processCharacter('3'));        // integer digits are still welcome
    m_box.SetWindowText("1,234.5");
    Caret(m_box, 7);
    EXPECT_EQ(1, m_box.processCharacter('3'));

    Caret(m_box, 0);
    EXPECT_EQ(1, m_box.processCharacter('-'));
    Caret(m_box, 3);
    EXPECT_EQ(0, m_box.processCharacter('-'));        // not at the start
    m_box.SetWindowText("-5");
    Caret(m_box, 0);
    EXPECT_EQ(0, m_box.processCharacter('-'));        // already signed
    EXPECT_EQ(0, m_box.processCharacter('a'));
    EXPECT_EQ(0, m_box.processCharacter(8));
    ExpectNoReport();
}

TEST_F(PriceEditTest, BadKeystrokesNeverLeaveAnInvalidText)
{
    m_box.m_dMinValue = -1000.0;
    m_box.m_dMaxValue = 1000.0;
    Type(m_box, "-.");
    EXPECT_STREQ("-.", Text(m_box));   // a lone sign and point read as 0
    m_box.SetWindowText("");
    Reset();
    const char keys[] = "12a\xE9\x80-+e,..9999";
    Type(m_box, keys);
    CString strText = Text(m_box);
    strText.Remove(',');
    EXPECT_GE(1000.0, atof(strText));
    EXPECT_STREQ("12.9999", Text(m_box));   // the third point and the fifth decimal refused
    EXPECT_FALSE(Balloons().empty());
}
}  // namespace
