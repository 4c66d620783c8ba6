// The price box driven as a user drives it: keys typed and text pasted (by every route) into the
// real edit control, the price rules and the balloon reports it sends.
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
const sSetup kMin10 = { 4, 15, 10 };

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

TEST_F(PriceEditTest, TypedAndPastedTextIsGroupedOrUndoneWithItsReport)
{
    // keys: typed; nullptr: the clipboard (paste; "": no text on it) pasted by every route over the
    // selection nStart..nEnd. nCaretAfter: -1: not checked
    struct Case { sSetup setup; const char* start; int nStart, nEnd; const char* keys; std::string paste; const char* text; eReport report; int nCaretAfter = -1; } const cases[] = {
        { {}, "", 0, 0, "1234567", "", "1,234,567", kNone, 9 },
        { {}, "1,234,567", 9, 9, ".25", "", "1,234,567.25", kNone },
        { {}, "12,345", 1, 1, "9", "", "192,345", kNone, 2 },   // the caret behind the new digit
        { {}, "192,345", 0, 0, "8", "", "8,192,345", kNone, 2 },
        { {}, "12.5", 4, 4, ".", "", "12.5", kChar },          // a second point
        { {}, "12.5", 4, 4, "-", "", "12.5", kChar },          // a minus not at the start
        { {}, "12.5", 0, 0, "-", "", "-12.5", kNone },
        { {}, "0.1234", 6, 6, "5", "", "0.1234", kChar },      // a fifth decimal
        { kMaxDigit5, "", 0, 0, "123456", "", "12,345", kDigits },
        { kBounds1To500, "50", 2, 2, "1", "", "50", kRange },
        { kBounds1000, "", 0, 0, "-.", "", "-.", kNone },   // a lone sign and point read as 0
        { kBounds1000, "", 0, 0, "12a\xE9\x80-+e,..9999", "", "12.9999", kSome },
        { { INT_MAX }, "", 0, 0, "1234.56789", "", "1,234.56789", kNone },
        // The pasted part alone is a fine number; with the text around it there are two points.
        { {}, "1.5", 3, 3, nullptr, "2.5", "1.5", kChar },
        { {}, "1.5", 3, 3, nullptr, "12a", "1.5", kChar },
        { {}, "1.5", 3, 3, nullptr, "67891", "1.5", kChar },   // too many decimals
        { {}, "123,456,789,012", 15, 15, nullptr, "7777", "123,456,789,012", kDigits },
        { {}, "12", 0, 1, nullptr, "34,5", "3,452", kNone },
        { {}, "", 0, 0, nullptr, "1,234.5", "1,234.5", kNone },
        { {}, "", 0, 0, nullptr, "1234567", "1,234,567", kNone },
        { {}, "42", 2, 2, nullptr, std::string(5000, '7'), "42", kDigits },
        { {}, "42", 2, 2, nullptr, "\xE9\xB5", "42", kChar },
        { {}, "42", 2, 2, nullptr, "", "42", kNone },       // no text: zero
        { kMin10, "42", 2, 2, nullptr, "", "42", kRange },  // zero out of bounds
    };
    for (const Case& c : cases)
    {
        for (int r = 0; r < (c.keys ? 1 : 4); ++r)
        {
            SCOPED_TRACE(std::string(c.start) + " + " + (c.keys ? c.keys : kRouteNames[r] + (" " + c.paste.substr(0, 9))));
            Apply(c.setup);
            m_box.SetWindowText(c.start);
            m_box.SetSel(c.nStart, c.nEnd);
            Reset();
            if (c.keys)
                Type(m_box, c.keys);
            else
            {
                SetClipboard(c.paste.empty() ? nullptr : c.paste.c_str());
                PasteBy(m_box, kRoutes[r]);
            }
            EXPECT_STREQ(c.text, Text(m_box));
            if (c.nCaretAfter >= 0) { EXPECT_EQ(std::make_pair(c.nCaretAfter, c.nCaretAfter), Selection(m_box)); }
            Reports(c.report, !c.keys);
        }
    }
    EXPECT_GT(m_parent.Count(WM_COMMAND, EN_UPDATE), 0u);   // the parent still hears of every change
    Apply({ 4, 15, -DBL_MAX, DBL_MAX, true });   // no allowed characters: nothing pasted, nothing said
    SetClipboard("5");
    m_box.SendMessage(WM_PASTE);
    EXPECT_STREQ("42", Text(m_box));
    Reports(kNone);
}

TEST_F(PriceEditTest, CutClearAndDeleteKeepTheBoundsCopyAndSelectAllTheText)
{
    // Cut, Clear and the Delete key (which changes the text without a character message) that
    // would leave a value outside the bounds are refused like a paste.
    m_box.SetWindowText("9,234");
    m_box.m_dMinValue = 1000.0;
    m_box.SetSel(0, 1);
    Command(m_box, WM_CUT);
    EXPECT_STREQ("9,234", Text(m_box));
    Reports(kRange);
    Command(m_box, WM_CLEAR);
    EXPECT_STREQ("9,234", Text(m_box));
    m_box.SetSel(0, 1);
    PressDelete(m_box);
    EXPECT_STREQ("9,234", Text(m_box));
    m_box.m_dMinValue = 0.0;
    m_box.SetSel(0, 1);
    PressDelete(m_box);
    EXPECT_STREQ("234", Text(m_box));
    m_box.SetWindowText("9,234");
    Command(m_box, EM_SETSEL);
    EXPECT_EQ(std::make_pair(0, 5), Selection(m_box));
    Command(m_box, WM_COPY);
    EXPECT_EQ("9,234", TestClipboard::Text());
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
}  // namespace
