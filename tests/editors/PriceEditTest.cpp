// The price box driven as a user drives it: keys typed into the real edit control, the price
// rules and the balloon reports it sends (pastes: PasteRoutesTest).
#include "EditorTest.h"

#include "editors/PriceEdit.h"

#include <cfloat>
#include <climits>

namespace
{
enum eReport
{
    kNone,
    kChar,     // "Unacceptable Character" / "You can only type a number here."
    kDigits,   // "Max limit reached" / "Only 15 digits allowed", whatever the limit
    kRange,    // "Out Of Range" / "Entered value is Out Of Range"
    kSome,     // at least one report, of any kind
};

// The box's settings for one case; the defaults are the box's own.
// bNoChars: an empty set of allowed characters
struct sSetup { int nPrecision = 4; int nMaxDigit = 15; double dMin = -DBL_MAX, dMax = DBL_MAX; bool bNoChars = false; };
const sSetup kMaxDigit5 = { 4, 5 }, kBounds1To500 = { 4, 15, 1, 500 }, kBounds1000 = { 4, 15, -1000, 1000 };

class PriceEditTest : public EditorTest
{
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        CreateBox(m_box);
        m_strChars = m_box.m_strValidChars;
    }
    void Apply(const sSetup& s)
    {
        m_box.setPrecision(s.nPrecision);
        m_box.SetMaxDigit(s.nMaxDigit);
        m_box.m_dMinValue = s.dMin;
        m_box.m_dMaxValue = s.dMax;
        m_box.m_strValidChars = s.bNoChars ? CString() : m_strChars;
    }
    // bOnce: exactly one report, else at least one (a refused keystroke may report twice).
    void Reports(eReport report, bool bOnce = true)
    {
        static const wchar_t* const titles[] = { L"", L"Unacceptable Character", L"Max limit reached", L"Out Of Range" };
        static const wchar_t* const texts[] = { L"", L"You can only type a number here.", L"Only 15 digits allowed",
                                                L"Entered value is Out Of Range" };
        if (report == kSome)
        {
            EXPECT_FALSE(Balloons().empty());
            Reset();
        }
        else { ExpectReports(m_box, report == kNone ? 0 : 1, titles[report], texts[report], !bOnce); }
    }

    CPriceEdit m_box;
    CString m_strChars;
};

TEST_F(PriceEditTest, TypedKeysAreGroupedOrUndoneWithTheirReport)
{
    // nCaretAfter: -1: not checked
    struct Case { sSetup setup; const char* start; int nCaret; const char* keys; const char* text; int nCaretAfter; eReport report; } const cases[] = {
        { {}, "", 0, "1234567", "1,234,567", 9, kNone },
        { {}, "1,234,567", 9, ".25", "1,234,567.25", -1, kNone },
        { {}, "12,345", 1, "9", "192,345", 2, kNone },   // the caret behind the new digit
        { {}, "192,345", 0, "8", "8,192,345", 2, kNone },
        { {}, "12.5", 4, ".", "12.5", -1, kChar },          // a second point
        { {}, "12.5", 4, "-", "12.5", -1, kChar },          // a minus not at the start
        { {}, "12.5", 0, "-", "-12.5", -1, kNone },
        { {}, "0.1234", 6, "5", "0.1234", -1, kChar },      // a fifth decimal
        { kMaxDigit5, "", 0, "123456", "12,345", -1, kDigits },
        { kBounds1To500, "50", 2, "1", "50", -1, kRange },
        { kBounds1000, "", 0, "-.", "-.", -1, kNone },   // a lone sign and point read as 0
        { kBounds1000, "", 0, "12a\xE9\x80-+e,..9999", "12.9999", -1, kSome },
        { { INT_MAX }, "", 0, "1234.56789", "1,234.56789", -1, kNone },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.start) + " + " + c.keys);
        Apply(c.setup);
        m_box.SetWindowText(c.start);
        Caret(m_box, c.nCaret);
        Reset();
        Type(m_box, c.keys);
        EXPECT_STREQ(c.text, Text(m_box));
        if (c.nCaretAfter >= 0) { EXPECT_EQ(std::make_pair(c.nCaretAfter, c.nCaretAfter), Selection(m_box)); }
        Reports(c.report, false);
    }
    EXPECT_GT(Updates(), 0u);   // the parent still hears of every change
}

TEST_F(PriceEditTest, IsPriceValidChecksPrecisionDigitsAndBounds)
{
    struct Case { sSetup setup; const char* text; bool bValid; eReport report; } const cases[] = {
        { {}, "0.12340", true, kNone },   // trailing zeros are no decimals
        { {}, "0.12345", false, kChar },
        { { 0 }, "12.5", false, kChar },
        { { INT_MIN }, "12.000", true, kNone },
        { {}, "-123456789012345", true, kNone },   // the sign does not count
        { {}, "1234567890123456", false, kDigits },
        { {}, "123456789012.3456", false, kDigits },
        { {}, "-", true, kNone },   // a lone sign: zero
        { kBounds1To500, "", false, kRange },
        { kBounds1To500, "1", true, kNone },      // the bounds are inclusive
        { kBounds1To500, "500", true, kNone },
        { kBounds1To500, "0.5", false, kRange },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        Apply(c.setup);
        EXPECT_EQ(c.bValid, m_box.IsPriceValid(c.text) != FALSE);
        Reports(c.report);
    }
}

TEST_F(PriceEditTest, CommaDataCutsAndGroups)
{
    struct Case { int nPrecision; const char* in; const char* out; } const cases[] = {
        { 2, "1234.5678", "1,234.56" }, { 2, "-1234567.891", "-1,234,567.89" }, { 2, ".5", ".5" },
        { 2, "12", "12" },              { 2, "1,2,3,4", "1,234" },            { 2, "--123456", "-123,456" },
        { 2, "123.", "123." },          { 2, "", "" },                        { 0, "9999.99", "9,999." },
        { INT_MAX, "-9876.543210987", "-9,876.543210987" },                   { INT_MIN, "12.5", "12" },
    };
    for (const Case& c : cases)
    {
        m_box.setPrecision(c.nPrecision);
        CString s = c.in;
        EXPECT_STREQ(c.out, m_box.GetCommaData(s)) << c.in;
    }
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
    // nCaretAfter: -1: not checked
    struct Case { const char* text; int nCaret; unsigned ch; int nResult; eReport report; int nCaretAfter; } const cases[] = {
        { "", 0, '.', 1, kNone, -1 },        { "", 0, '-', 1, kNone, -1 },
        { "", 0, '7', 1, kNone, -1 },        { "", 0, 'x', 0, kChar, -1 },   // empty box: refused and reported
        { "", 0, 8, 0, kNone, -1 },          // backspace on an empty box: quietly refused
        { "1,234.56", 2, '.', 0, kNone, 6 }, // jumps behind the existing point
        { "1,234.56", 8, '3', 0, kNone, -1 }, // decimals full
        { "1,234.56", 2, '3', 1, kNone, -1 }, // integer digits still welcome
        { "1,234.5", 7, '3', 1, kNone, -1 },  { "1,234.5", 0, '-', 1, kNone, -1 },
        { "1,234.5", 3, '-', 0, kNone, -1 },  // not at the start
        { "-5", 0, '-', 0, kNone, -1 },       // already signed
        { "-5", 0, 'a', 0, kNone, -1 },       { "-5", 0, 8, 0, kNone, -1 },
    };
    m_box.setPrecision(2);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.text) + " + " + std::to_string(c.ch));
        m_box.SetWindowText(c.text);
        Caret(m_box, c.nCaret);
        Reset();
        EXPECT_EQ(c.nResult, m_box.processCharacter(c.ch));
        if (c.nCaretAfter >= 0) { EXPECT_EQ(std::make_pair(c.nCaretAfter, c.nCaretAfter), Selection(m_box)); }
        Reports(c.report);
    }
}
}  // namespace
