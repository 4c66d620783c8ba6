// The date/time editor's result texts, from what the picker shows (window-free; also native).
#include <gtest/gtest.h>

#include "editors/InPlaceDateText.h"

TEST(InPlaceDateText, DatesComeOutAsDayMonthYear)
{
    EXPECT_STREQ("05/03/2024", InPlaceDateText("05/03/2024"));
    EXPECT_STREQ("05/03/2024", InPlaceDateText("5/3/2024"));
    EXPECT_STREQ("01/03/2024", InPlaceDateText("30/02/2024"));   // normalised as the calendar does
    EXPECT_STREQ("", InPlaceDateText("99999999999/99999999999/99999999999"));
    EXPECT_STREQ("", InPlaceDateText(""));
}

TEST(InPlaceDateText, TimesReadTwelveHourDesignators)
{
    const CTime today(2024, 3, 5, 8, 0, 0);
    EXPECT_STREQ("14:07:09", InPlaceTimeText("14:07:09", today));
    EXPECT_STREQ("14:07:09", InPlaceTimeText("2:07:09 PM", today));
    EXPECT_STREQ("12:30:00", InPlaceTimeText("12:30:00 PM", today));
    EXPECT_STREQ("00:30:00", InPlaceTimeText("12:30:00 AM", today));
    EXPECT_STREQ("09:05:00", InPlaceTimeText("9:5", today));   // missing seconds read as 0
}

TEST(InPlaceDateText, CancelledEditsGiveTheInitialTimeInTheModesFormat)
{
    const CTime initial(2023, 12, 31, 23, 59, 58);
    EXPECT_STREQ("31/12/2023", InPlaceInitialText(initial, false));
    EXPECT_STREQ("23:59:58", InPlaceInitialText(initial, true));
}
