// The date/time editor's result texts, from what the picker shows (window-free; also native).
#include <gtest/gtest.h>

#include "editors/InPlaceDateText.h"

TEST(InPlaceDateText, DatesAsDayMonthYearTimesOnTheTwentyFourHourClock)
{
    struct Case { const char* shown; bool bTime; const char* text; } const cases[] = {
        { "05/03/2024", false, "05/03/2024" }, { "5/3/2024", false, "05/03/2024" },
        { "30/02/2024", false, "01/03/2024" },   // normalised as the calendar does
        { "99999999999/99999999999/99999999999", false, "" }, { "", false, "" },
        { "14:07:09", true, "14:07:09" },      { "2:07:09 PM", true, "14:07:09" },
        { "12:30:00 PM", true, "12:30:00" },   { "12:30:00 AM", true, "00:30:00" },
        { "9:5", true, "09:05:00" },   // missing seconds read as 0
    };
    for (const Case& c : cases)
    {
        const CString text = c.bTime ? InPlaceTimeText(c.shown, CTime(2024, 3, 5, 8, 0, 0)) : InPlaceDateText(c.shown);
        EXPECT_STREQ(c.text, text) << c.shown;
    }
    // A cancelled edit gives the initial time in the mode's form.
    const CTime initial(2023, 12, 31, 23, 59, 58);
    EXPECT_STREQ("31/12/2023", InPlaceInitialText(initial, false));
    EXPECT_STREQ("23:59:58", InPlaceInitialText(initial, true));
}
