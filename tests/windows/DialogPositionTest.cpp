// The saved-placement text of dialogs and the rules that bring a placement back on screen, given
// monitor work areas: window-free, so also built natively with the sanitizers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "windows/DialogPosition.h"

namespace {

RECT R(int l, int t, int r, int b)
{
    RECT rc = { l, t, r, b };
    return rc;
}

std::string Text(const RECT& rc)
{
    return std::to_string(rc.left) + "," + std::to_string(rc.top) + "," + std::to_string(rc.right) + "," +
           std::to_string(rc.bottom);
}

sDialogPosition Pos(const RECT& rc, int nShowCmd = DIALOG_SHOW_NORMAL, POINT ptMax = { -1, -1 },
                    POINT ptMin = { -1, -1 })
{
    sDialogPosition pos;
    pos.rcNormal = rc;
    pos.ptMax = ptMax;
    pos.ptMin = ptMin;
    pos.nShowCmd = nShowCmd;
    return pos;
}

TEST(DialogPositionText, ReadsNineFieldsInTheStoredOrderAndWritesThemBack)
{
    sDialogPosition pos = {};
    ASSERT_EQ(DIALOG_POSITION_OK, ParseDialogPosition("50,100,350,500,-7,8,-32768,32767,3", pos));
    EXPECT_EQ("100,50,500,350", Text(pos.rcNormal));
    EXPECT_EQ(-7, pos.ptMax.x);
    EXPECT_EQ(8, pos.ptMax.y);
    EXPECT_EQ(-32768, pos.ptMin.x);
    EXPECT_EQ(32767, pos.ptMin.y);
    EXPECT_EQ(3, pos.nShowCmd);
    EXPECT_EQ(CString("50,100,350,500,-7,8,-32768,32767,3"), FormatDialogPosition(pos));

    // Empty fields are skipped wherever they are; leading zeros are digits like any other.
    ASSERT_EQ(DIALOG_POSITION_OK, ParseDialogPosition(",050,,100,350,500,-1,-1,-1,-000000001,1,,", pos));
    EXPECT_EQ(CString("50,100,350,500,-1,-1,-1,-1,1"), FormatDialogPosition(pos));
}

TEST(DialogPositionText, RefusesWhatNoPlacementCouldHaveWritten)
{
    struct sCase { const char* text; eDialogPositionText expected; };
    const sCase cases[] = {
        { "", DIALOG_POSITION_EMPTY },
        { ",,,,", DIALOG_POSITION_INCOMPLETE },
        { "50,100,350", DIALOG_POSITION_INCOMPLETE },
        { "1,2,3,4,5,6,7,8,9,10", DIALOG_POSITION_INCOMPLETE },
        { "50,100,3x0,500,-1,-1,-1,-1,1", DIALOG_POSITION_MALFORMED },
        { "50,100, 350,500,-1,-1,-1,-1,1", DIALOG_POSITION_MALFORMED },
        { "-,100,350,500,-1,-1,-1,-1,1", DIALOG_POSITION_MALFORMED },
        { "--5,100,350,500,-1,-1,-1,-1,1", DIALOG_POSITION_MALFORMED },
        { "0000000050,100,350,500,-1,-1,-1,-1,1", DIALOG_POSITION_MALFORMED },   // ten digits
        { "32768,100,350,500,-1,-1,-1,-1,1", DIALOG_POSITION_MALFORMED },
        { "-32769,100,350,500,-1,-1,-1,-1,1", DIALOG_POSITION_MALFORMED },
        // A bad field after the ninth still counts: the text was not written by a dialog.
        { "1,2,3,4,5,6,7,8,9,x", DIALOG_POSITION_MALFORMED },
    };
    for (const sCase& c : cases)
    {
        SCOPED_TRACE(c.text);
        sDialogPosition pos = Pos(R(1, 2, 3, 4), 7);
        EXPECT_EQ(c.expected, ParseDialogPosition(c.text, pos));
        EXPECT_EQ("1,2,3,4", Text(pos.rcNormal));   // untouched
        EXPECT_EQ(7, pos.nShowCmd);
    }
    sDialogPosition pos = {};
    EXPECT_EQ(DIALOG_POSITION_EMPTY, ParseDialogPosition(nullptr, pos));
    std::string huge(100000, '1');
    EXPECT_EQ(DIALOG_POSITION_MALFORMED, ParseDialogPosition(huge.c_str(), pos));
    std::string commas(100000, ',');
    EXPECT_EQ(DIALOG_POSITION_INCOMPLETE, ParseDialogPosition(commas.c_str(), pos));
}

TEST(DialogPositionMerge, FixedSizeOrEmptyRectanglesKeepTheCurrentSize)
{
    const sDialogPosition current = Pos(R(10, 20, 210, 120));
    const sDialogPosition saved = Pos(R(100, 50, 500, 350), 3, { 4, 5 }, { 6, 7 });

    sDialogPosition resizable = MergeDialogPosition(current, saved, true);
    EXPECT_EQ("100,50,500,350", Text(resizable.rcNormal));
    EXPECT_EQ(3, resizable.nShowCmd);
    EXPECT_EQ(4, resizable.ptMax.x);
    EXPECT_EQ(7, resizable.ptMin.y);

    EXPECT_EQ("100,50,300,150", Text(MergeDialogPosition(current, saved, false).rcNormal));
    EXPECT_EQ("100,50,300,150", Text(MergeDialogPosition(current, Pos(R(100, 50, 100, 350)), true).rcNormal));
    EXPECT_EQ("500,350,700,450", Text(MergeDialogPosition(current, Pos(R(500, 350, 100, 50)), true).rcNormal));
}

// Two monitors side by side, the second lower and smaller, with a monitor to the left of the
// primary at negative coordinates.
const RECT kMonitors[] = { R(0, 0, 1920, 1040), R(1920, 200, 3200, 1000), R(-1280, 0, 0, 1024) };

TEST(DialogPositionOnScreen, WhatTheMonitorsShowStaysOthersMoveOntoTheMonitorThatShowsMostOrTheNearest)
{
    struct sCase { RECT rc; bool bResizable; const char* expected; };
    const sCase cases[] = {
        { R(100, 50, 500, 350), true, "100,50,500,350" },
        { R(1800, 300, 2200, 600), true, "1800,300,2200,600" },   // across two monitors
        { R(-200, 10, 200, 300), true, "-200,10,200,300" },
        { R(0, 0, 1920, 1040), true, "0,0,1920,1040" },
        { R(-5000, -5000, -4600, -4700), true, "-1280,0,-880,300" },   // nearest: the left monitor
        { R(30000, 30000, 30400, 30300), true, "2800,700,3200,1000" },  // nearest: the small one
        { R(100, -50, 500, 250), true, "100,0,500,300" },              // over the top edge
        { R(1700, 100, 2100, 400), true, "1520,100,1920,400" },        // mostly primary, into the gap
        { R(2000, 100, 2400, 400), true, "2000,200,2400,500" },        // mostly the small monitor
        { R(1000, 900, 1400, 1200), true, "1000,740,1400,1040" },      // below the primary
        { R(-9000, 100, 9000, 200), true, "0,100,1920,200" },          // wider than any: shrinks
        { R(-9000, 100, 9000, 200), false, "0,100,18000,200" },        // fixed size: left edge shows
        { R(4000, -3000, 4100, 3000), false, "3100,200,3200,6200" },   // fixed size: top edge shows
    };
    for (const sCase& c : cases)
    {
        SCOPED_TRACE(Text(c.rc));
        sDialogPosition pos = Pos(c.rc);
        BringDialogPositionOnScreen(pos, kMonitors, 3, c.bResizable);
        EXPECT_EQ(c.expected, Text(pos.rcNormal));
        EXPECT_EQ(c.bResizable, IsCoveredByWorkAreas(pos.rcNormal, kMonitors, 3));
    }
}

TEST(DialogPositionOnScreen, ShowCommandsAndPositionsTheUserCouldNotSeeOrExtremeValues)
{
    sDialogPosition pos = Pos(R(100, 50, 500, 350), 2, { -32000, -32000 }, { -32000, -32000 });   // minimised
    BringDialogPositionOnScreen(pos, kMonitors, 3, true);
    EXPECT_EQ(DIALOG_SHOW_NORMAL, pos.nShowCmd);
    EXPECT_EQ(-1, pos.ptMin.x);
    EXPECT_EQ(-1, pos.ptMax.y);
    pos = Pos(R(100, 50, 500, 350), DIALOG_SHOW_MAXIMIZED, { 2000, 300 }, { 5000, 5000 });
    BringDialogPositionOnScreen(pos, kMonitors, 3, true);
    EXPECT_EQ(DIALOG_SHOW_MAXIMIZED, pos.nShowCmd);
    EXPECT_EQ(2000, pos.ptMax.x);   // on the second monitor: kept
    EXPECT_EQ(-1, pos.ptMin.x);

    // Without a monitor with area nothing is known: the rectangle stays.
    const RECT empty[] = { R(0, 0, 0, 100), R(10, 10, 5, 5) };
    pos = Pos(R(-5000, -5000, -4600, -4700));
    BringDialogPositionOnScreen(pos, empty, 2, true);
    EXPECT_EQ("-5000,-5000,-4600,-4700", Text(pos.rcNormal));
    // Coordinates at the ends of the range stay defined.
    pos = Pos(R(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX));
    BringDialogPositionOnScreen(pos, kMonitors, 3, true);
    EXPECT_EQ("0,0,1920,1040", Text(pos.rcNormal));
}

TEST(DialogPositionOnScreen, CoverageCountsTheUnionOfTheMonitors)
{
    const RECT quarters[] = { R(0, 0, 100, 100), R(100, 0, 200, 100), R(0, 100, 100, 200), R(100, 100, 200, 150) };
    EXPECT_TRUE(IsCoveredByWorkAreas(R(50, 50, 150, 140), quarters, 4));
    EXPECT_FALSE(IsCoveredByWorkAreas(R(50, 50, 150, 160), quarters, 4));   // a corner in the hole
    EXPECT_TRUE(IsCoveredByWorkAreas(R(199, 149, 199, 149), quarters, 4));
    EXPECT_FALSE(IsCoveredByWorkAreas(R(200, 0, 200, 0), quarters, 4));     // right edge is outside
}

}  // namespace
