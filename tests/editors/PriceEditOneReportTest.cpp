// One refused keystroke in the price box: the text stays, and the trader gets one balloon and one
// beep, whatever the rule that refused it and whatever text the box goes back to.
#include "EditorTest.h"

#include "editors/PriceEdit.h"

using PriceEditOneReportTest = EditorTest;

TEST_F(PriceEditOneReportTest, ARefusedKeyIsReportedOnce)
{
    CPriceEdit box;
    CreateBox(box);
    const struct { const char* start; char key; double dMin, dMax; const wchar_t* title; const wchar_t* text; } cases[] = {
        { "12.5", '.', 0, 1e9, L"Unacceptable Character", L"You can only type a number here." },
        { "12.5", 'x', 0, 1e9, L"Unacceptable Character", L"You can only type a number here." },
        { "123,456,789,012,345", '6', 0, 1e20, L"Max limit reached", L"Only 15 digits allowed" },
        { "50", '0', 0, 100, L"Out Of Range", L"Entered value is Out Of Range" },
        { "", '5', 10, 100, L"Out Of Range", L"Entered value is Out Of Range" },   // the text it goes back to is refused too
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string(c.start) + " + " + c.key);
        box.m_dMinValue = c.dMin;
        box.m_dMaxValue = c.dMax;
        box.m_bFormatEnabled = false;   // the start text as it is, checked or not
        box.SetWindowText(c.start);
        box.m_bFormatEnabled = true;
        Caret(box, (int)strlen(c.start));
        Reset();
        const char keys[] = { c.key, 0 };
        Type(box, keys);
        EXPECT_STREQ(c.start, Text(box));
        ExpectReports(box, 1, c.title, c.text);
    }
}
