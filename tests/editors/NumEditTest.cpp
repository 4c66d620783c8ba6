// The number box (range 0..100, two decimals) on a real edit control: keys typed and text pasted
// by every route, the two IsValid forms and the value read back.
#include "EditorTest.h"

#include "editors/NumEdit.h"

namespace
{
const wchar_t kNumTitle[] = L"Unacceptable Character";
const wchar_t kNumText[] = L"Unacceptable Character.";

class NumEditTest : public EditorTest
{
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        CreateBox(m_box);
        m_box.SetRange(100, 0);   // the upper bound first
    }
    void Reports(size_t n) { ExpectReports(m_box, n, kNumTitle, kNumText); }
    CNumEdit m_box;
};

TEST_F(NumEditTest, TypedAndPastedTextThatBreaksTheRulesIsUndone)
{
    // keys: typed at nCaret; nullptr: paste pasted there by every route (a refused paste is silent)
    struct Case { const char* start; int nCaret; const char* keys; std::string paste; const char* text; size_t reports; } const cases[] = {
        { "", 0, "12.34", "", "12.34", 0 },
        { "12.34", 5, "5", "", "12.34", 1 },   // a third decimal
        { "10", 2, "1", "", "10", 1 },         // 101 > 100
        { "10", 2, "x", "", "10", 1 },
        { "5", 1, "\b", "", "5", 0 },          // erasing the last character: undone without a balloon
        { "", 0, "4 2", "", "42", 0 },         // a blank is dropped
        { "5", 1, nullptr, "50", "5", 0 },     // 550
        { "5", 1, nullptr, ".25", "5.25", 0 },
        { "5.25", 4, nullptr, "1", "5.25", 0 },
        { "", 0, nullptr, "12.5", "12.5", 0 },
        { "", 0, nullptr, "12.555", "", 0 },   { "", 0, nullptr, "1a", "", 0 }, { "", 0, nullptr, "150", "", 0 },
        { "", 0, nullptr, "-1", "", 0 },       { "", 0, nullptr, "1 ", "", 0 },
        { "", 0, nullptr, std::string(4000, '1'), "", 0 },
    };
    for (const Case& c : cases)
    {
        for (int r = 0; r < (c.keys ? 1 : 4); ++r)
        {
            SCOPED_TRACE(std::string(c.start) + " + " + (c.keys ? c.keys : kRouteNames[r] + (" " + c.paste.substr(0, 9))));
            m_box.SetWindowText(c.start);
            m_box.SetSel(c.nCaret, c.nCaret);
            if (c.keys)
                Type(m_box, c.keys);
            else
            {
                SetClipboard(c.paste.c_str());
                PasteBy(m_box, kRoutes[r]);
            }
            EXPECT_STREQ(c.text, Text(m_box));
            Reports(c.reports);
        }
    }
    m_box.SetWindowText("12.34");
    m_box.SetSel(5, 5);
    Type(m_box, "5");
    EXPECT_EQ(std::make_pair(4, 5), Selection(m_box));   // the refused character stays selected
    Reset();
    // The Delete key that leaves no number is undone, as Backspace is.
    m_box.SetWindowText("7");
    m_box.SetSel(0, 1);
    PressDelete(m_box);
    EXPECT_STREQ("7", Text(m_box));
    // No allowed characters: nothing pasted.
    m_box.m_strValidChars.Empty();
    SetClipboard("5");
    EXPECT_EQ(0, m_box.SendMessage(WM_PASTE));
    EXPECT_STREQ("7", Text(m_box));

    // Keys queued behind a refused one are discarded.
    m_box.SetWindowText("42");
    m_box.SetSel(2, 2);
    m_box.PostMessage(WM_CHAR, '7', 1);
    m_box.PostMessage(WM_CHAR, '8', 1);
    Type(m_box, "9");
    EXPECT_STREQ("42", Text(m_box));
    MSG msg;
    EXPECT_FALSE(::PeekMessageA(&msg, m_box.GetSafeHwnd(), WM_CHAR, WM_CHAR, PM_NOREMOVE));
}

TEST_F(NumEditTest, IsValidOfTheWindowTextAndOfAGivenText)
{
    // 0 valid, 1 outside the number rules, 2 no number or a foreign character (later steps win);
    // -1: that form not asked.
    // bAnyChars: without a character set: only the number rules
    struct Case { const char* text; bool bAnyChars; int nWindow, nGiven; size_t reports; } const cases[] = {
        { "42.5", false, 0, -1, 0 },  { "150", false, 1, 1, 1 },   { "1.234", false, 1, -1, 1 },
        { "abc", false, 2, 2, 1 },     { "12abc", false, 2, 0, 1 }, { "1.234x", false, 2, -1, 1 },
        { "42 ", false, 2, -1, 1 },    { "-5", false, 2, -1, 1 },   { "", false, 2, 2, 0 },
        { "99.999", false, -1, 0, 0 }, { "-5", true, 1, -1, 1 },    { "42  ", true, 0, -1, 0 },
        { "42.5  ", true, 1, -1, 1 },  { "200 ", true, 1, -1, 1 },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string("\"") + c.text + (c.bAnyChars ? "\" any characters" : "\""));
        m_box.m_strValidChars = c.bAnyChars ? "" : "0123456789.,";
        m_box.SetWindowText(c.text);
        if (c.nWindow >= 0) { EXPECT_EQ(c.nWindow, m_box.IsValid()); }
        Reports(c.reports);
        if (c.nGiven >= 0) { EXPECT_EQ(c.nGiven, m_box.IsValid(CString(c.text))); }
        Reports(0);   // the given form never reports
    }
    m_box.SetWindowText("42.5");
    EXPECT_EQ(42.5f, m_box.GetValue());
    Reports(0);
    m_box.SetWindowText("abc");
    EXPECT_EQ(0.0f, m_box.GetValue());
    Reports(1);
}
}  // namespace
