// The tab strip's window-free geometry: one table of hit tests over several layouts (the slanted
// edges, overlaps, the button block), when scroll buttons show, scrolling, and the drop-target
// rule. Built natively as well.
#include <gtest/gtest.h>

#include "windows/TabGeometry.h"

#include <vector>

namespace
{
// Tabs of the given text widths on a strip 20 pixels thick: each tab is its text + 24 wide, the
// next starts text + 14 further on. Ten texts 20 wide: tab i starts at 34 * i, the last ends at 350.
CTabGeometry Tabs(DWORD dwStyle, std::vector<int> widths, int nLength = 400, int nFirst = 0, int nThickness = 20)
{
    CTabGeometry g;
    g.Layout(dwStyle, nLength, nThickness, widths, nFirst);
    return g;
}
const std::vector<int> kTen(10, 20);
}  // namespace

TEST(TabGeometry, HitTestFollowsTheSlantedEdgesOverlapsAndButtons)
{
    const CTabGeometry bottom = Tabs(0, { 30, 10, 0 }), top = Tabs(CTCS_TOP, { 30, 10 }),
                       fixed = Tabs(CTCS_FIXEDWIDTH, { 5, 40, 0 }), scrolled = Tabs(CTCS_AUTOHIDEBUTTONS, kTen, 200, 4),
                       buttons = Tabs(CTCS_CLOSEBUTTON | CTCS_FOURBUTTONS, kTen);
    const struct { const char* name; const CTabGeometry& g; CPoint pt; int nSelected, nHit; } cases[] = {
        // Docked at the bottom the wide edge is at the top: the whole width of tab 0 (0-54) at y = 1.
        { "wide edge", bottom, CPoint(0, 1), -1, 0 },
        { "overlap: the earlier tab on top", bottom, CPoint(53, 1), -1, 0 },
        { "overlap: unless the later is selected", bottom, CPoint(53, 1), 1, 1 },
        // At the narrow edge (y = 18) the sides have come in by 17 * 10 / 18 = 9.
        { "narrow edge, outside", bottom, CPoint(8, 18), -1, CTCHT_NOWHERE },
        { "narrow edge, inside", bottom, CPoint(9, 18), -1, 0 },
        { "narrow edge, end", bottom, CPoint(44, 18), -1, 0 },
        { "notch start", bottom, CPoint(45, 18), -1, CTCHT_NOWHERE },
        { "after the notch", bottom, CPoint(53, 18), -1, 1 },
        { "an empty text still makes a tab (68-92)", bottom, CPoint(80, 10), -1, 2 },
        { "the end of the last tab", bottom, CPoint(91, 1), -1, 2 },
        { "past the last tab", bottom, CPoint(92, 1), -1, CTCHT_NOWHERE },
        { "above the rows", bottom, CPoint(20, 0), -1, CTCHT_NOWHERE },
        { "below the rows", bottom, CPoint(20, 19), -1, CTCHT_NOWHERE },
        { "prev button", bottom, CPoint(370, 10), -1, CTCHT_ONPREVBUTTON },
        { "next button", bottom, CPoint(399, 10), -1, CTCHT_ONNEXTBUTTON },
        { "past the strip", bottom, CPoint(400, 10), -1, CTCHT_NOWHERE },
        // Docked at the top the wide edge is below.
        { "top: wide edge", top, CPoint(0, 17), -1, 0 },
        { "top: narrow, outside", top, CPoint(8, 0), -1, CTCHT_NOWHERE },
        { "top: narrow, inside", top, CPoint(9, 0), -1, 0 },
        // Fixed width: every tab as wide as the widest text (tab 1: 54-118).
        { "fixed: tab 1 to its end", fixed, CPoint(117, 1), -1, 1 },
        { "fixed: tab 2 after it", fixed, CPoint(118, 1), -1, 2 },
        // Five 15-pixel buttons at the end, the close button first; the tabs end where they start.
        { "tab 9 up to the buttons", buttons, CPoint(324, 1), -1, 9 },
        { "close button", buttons, CPoint(325, 10), -1, CTCHT_ONCLOSEBUTTON },
        { "first button", buttons, CPoint(340, 10), -1, CTCHT_ONFIRSTBUTTON },
        { "prev button after it", buttons, CPoint(369, 10), -1, CTCHT_ONPREVBUTTON },
        { "next button", buttons, CPoint(370, 10), -1, CTCHT_ONNEXTBUTTON },
        { "last button", buttons, CPoint(385, 10), -1, CTCHT_ONLASTBUTTON },
        // Scrolled to tab 4: tab 3 reaches 10 pixels into view with its slant; the area ends at 170.
        { "scrolled: the slant of tab 3", scrolled, CPoint(5, 1), -1, 3 },
        { "scrolled: selected 4 on top", scrolled, CPoint(5, 1), 4, 4 },
        { "scrolled: the button over tab 9", scrolled, CPoint(170, 1), -1, CTCHT_ONPREVBUTTON },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.nHit, c.g.HitTest(c.pt, c.nSelected)) << c.name;
}

TEST(TabGeometry, ScrollButtonsShowWhenNeededAndScrollingStopsWithTheLastTabInView)
{
    // Auto-hidden scroll buttons appear only when the tabs do not fit; the close button's width
    // counts against the room; a single tab never scrolls, however wide.
    EXPECT_FALSE(Tabs(CTCS_AUTOHIDEBUTTONS, kTen, 350).ScrollButtonsShown());
    EXPECT_TRUE(Tabs(CTCS_AUTOHIDEBUTTONS, kTen, 349).ScrollButtonsShown());
    EXPECT_TRUE(Tabs(CTCS_AUTOHIDEBUTTONS | CTCS_CLOSEBUTTON, kTen, 360).ScrollButtonsShown());
    EXPECT_FALSE(Tabs(CTCS_AUTOHIDEBUTTONS | CTCS_CLOSEBUTTON, kTen, 365).ScrollButtonsShown());
    EXPECT_FALSE(Tabs(CTCS_AUTOHIDEBUTTONS, { 500 }, 50).ScrollButtonsShown());
    EXPECT_EQ(0, Tabs(CTCS_AUTOHIDEBUTTONS, { 500 }, 50).MaxFirstVisible());
    // 200 long with two 15-pixel buttons leaves 170 for tabs: from tab 6 on (left 204) the rest fits.
    CTabGeometry g = Tabs(CTCS_AUTOHIDEBUTTONS, kTen, 200);
    EXPECT_EQ(6, g.MaxFirstVisible());
    EXPECT_EQ(1, g.ScrollTarget(CTCHT_ONNEXTBUTTON));
    EXPECT_EQ(6, g.ScrollTarget(CTCHT_ONLASTBUTTON));
    CTabGeometry scrolled = Tabs(CTCS_AUTOHIDEBUTTONS, kTen, 200, 4);
    EXPECT_EQ(3, scrolled.ScrollTarget(CTCHT_ONPREVBUTTON));
    EXPECT_EQ(0, scrolled.ScrollTarget(CTCHT_ONFIRSTBUTTON));
    EXPECT_EQ(6, Tabs(CTCS_AUTOHIDEBUTTONS, kTen, 200, 9).FirstVisible());   // past the end: the end in view
    // Tab 7 ends at 282: shifting by tab 4's left (136) brings it to 146 <= 170; tab 3 (102) is not enough.
    EXPECT_FALSE(g.IsItemVisible(7));
    EXPECT_EQ(4, g.FirstVisibleFor(7));
    EXPECT_EQ(2, Tabs(CTCS_AUTOHIDEBUTTONS, kTen, 200, 6).FirstVisibleFor(2));
    EXPECT_TRUE(scrolled.IsItemVisible(7));
    EXPECT_EQ(4, scrolled.FirstVisibleFor(7));
}

TEST(TabGeometry, DropTargetMovesOneTabPastAQuarterOfTheThickness)
{
    CTabGeometry g = Tabs(0, kTen);
    // Tab 2's text runs from 78 to 102; a quarter of the thickness is 5.
    const struct { int nTarget, x, nExpected; } cases[] = {
        { 2, 73, 2 }, { 2, 72, 1 }, { 2, 107, 2 }, { 2, 108, 3 },
        { 2, 5000, 3 },   // one step at a time
        { 0, -100, 0 }, { 9, 5000, 9 },
        { 42, 5000, 9 },  // out-of-range targets come back into the tabs
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.nExpected, g.DropTarget(c.nTarget, c.x)) << c.nTarget << " at " << c.x;
}

TEST(TabGeometry, DegenerateStripsStaySafe)
{
    CTabGeometry none = Tabs(CTCS_AUTOHIDEBUTTONS | CTCS_CLOSEBUTTON, {}, 300, 5);
    EXPECT_EQ(0, none.FirstVisible());
    EXPECT_FALSE(none.ScrollButtonsShown());
    EXPECT_EQ(CTCHT_NOWHERE, none.HitTest(CPoint(10, 10), 0));
    EXPECT_EQ(CTCHT_ONCLOSEBUTTON, none.HitTest(CPoint(290, 10), -1));
    EXPECT_EQ(0, none.DropTarget(0, 10));
    // Too thin and too short to show a tab: nothing is hit, nothing is negative in size.
    EXPECT_EQ(CTCHT_NOWHERE, Tabs(0, { 10, 10 }, 5, 0, 1).HitTest(CPoint(0, 0), 0));
    EXPECT_EQ(CTCHT_NOWHERE, Tabs(CTCS_AUTOHIDEBUTTONS, { 10 }, 100, 0, 0).HitTest(CPoint(5, 0), 0));
    EXPECT_GE(Tabs(0, { -5 }, -10, 0, -10).ItemRect(0).Width(), 0);
}
