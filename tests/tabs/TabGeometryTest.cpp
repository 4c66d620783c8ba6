// The tab strip's window-free geometry: item and text rectangles, the button block, scrolling,
// hit testing along the slanted edges, and the drop-target rule. Built natively as well.
#include <gtest/gtest.h>

#include "windows/TabGeometry.h"

#include <vector>

namespace
{
void ExpectRect(const CRect& r, int l, int t, int ri, int b)
{
    EXPECT_EQ(l, r.left);
    EXPECT_EQ(t, r.top);
    EXPECT_EQ(ri, r.right);
    EXPECT_EQ(b, r.bottom);
}

// Ten tabs with texts 20 pixels wide on a strip 20 pixels thick: each tab is 44 wide, the next
// starts 34 further on, the last ends at 350.
CTabGeometry TenTabs(DWORD dwStyle, int nLength, int nFirst = 0)
{
    CTabGeometry g;
    g.Layout(dwStyle, nLength, 20, std::vector<int>(10, 20), nFirst);
    return g;
}
}  // namespace

TEST(TabGeometry, ItemsOverlapByHalfTheThicknessAndTextSitsBetweenTheSlants)
{
    CTabGeometry g;
    g.Layout(0, 400, 20, { 30, 10, 0 }, 0);
    ASSERT_EQ(3, g.GetCount());
    ExpectRect(g.ItemRect(0), 0, 1, 54, 19);
    ExpectRect(g.TextRect(0), 10, 1, 44, 19);
    ExpectRect(g.ItemRect(1), 44, 1, 78, 19);
    ExpectRect(g.TextRect(1), 54, 1, 68, 19);
    // An empty text still makes a tab of the slants and the margin.
    ExpectRect(g.ItemRect(2), 68, 1, 92, 19);
    EXPECT_EQ(92, g.TotalWidth());

    CTabGeometry top;
    top.Layout(CTCS_TOP, 400, 20, { 30 }, 0);
    ExpectRect(top.ItemRect(0), 0, 0, 54, 18);
    ExpectRect(top.TextRect(0), 10, 0, 44, 18);
}

TEST(TabGeometry, FixedWidthGivesEveryTabTheWidestText)
{
    CTabGeometry g;
    g.Layout(CTCS_FIXEDWIDTH, 400, 20, { 5, 40, 0 }, 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(64, g.ItemRect(i).Width()) << i;
    EXPECT_EQ(54, g.ItemRect(1).left);
}

TEST(TabGeometry, ButtonBlockAtTheEndCloseButtonFirst)
{
    CTabGeometry g = TenTabs(CTCS_CLOSEBUTTON | CTCS_FOURBUTTONS, 400);
    const int bw = g.ButtonWidth();
    EXPECT_EQ(15, bw);
    EXPECT_EQ(400 - 5 * bw, g.ButtonRect(CTCHT_ONCLOSEBUTTON).left);
    EXPECT_EQ(g.ButtonRect(CTCHT_ONCLOSEBUTTON).right, g.ButtonRect(CTCHT_ONFIRSTBUTTON).left);
    EXPECT_EQ(g.ButtonRect(CTCHT_ONFIRSTBUTTON).right, g.ButtonRect(CTCHT_ONPREVBUTTON).left);
    EXPECT_EQ(g.ButtonRect(CTCHT_ONPREVBUTTON).right, g.ButtonRect(CTCHT_ONNEXTBUTTON).left);
    EXPECT_EQ(g.ButtonRect(CTCHT_ONNEXTBUTTON).right, g.ButtonRect(CTCHT_ONLASTBUTTON).left);
    EXPECT_EQ(400, g.ButtonRect(CTCHT_ONLASTBUTTON).right);
    EXPECT_EQ(400 - 5 * bw, g.ItemAreaRight());

    CTabGeometry two = TenTabs(0, 400);
    EXPECT_FALSE(two.IsButtonShown(CTCHT_ONFIRSTBUTTON));
    EXPECT_FALSE(two.IsButtonShown(CTCHT_ONLASTBUTTON));
    EXPECT_FALSE(two.IsButtonShown(CTCHT_ONCLOSEBUTTON));
    EXPECT_TRUE(two.IsButtonShown(CTCHT_ONPREVBUTTON));
    EXPECT_TRUE(two.IsButtonShown(CTCHT_ONNEXTBUTTON));
}

TEST(TabGeometry, AutoHiddenScrollButtonsAppearOnlyWhenTabsDoNotFit)
{
    EXPECT_FALSE(TenTabs(CTCS_AUTOHIDEBUTTONS, 350).ScrollButtonsShown());
    EXPECT_TRUE(TenTabs(CTCS_AUTOHIDEBUTTONS, 349).ScrollButtonsShown());
    // The close button's width counts against the room.
    EXPECT_TRUE(TenTabs(CTCS_AUTOHIDEBUTTONS | CTCS_CLOSEBUTTON, 360).ScrollButtonsShown());
    EXPECT_FALSE(TenTabs(CTCS_AUTOHIDEBUTTONS | CTCS_CLOSEBUTTON, 365).ScrollButtonsShown());
    // A single tab never scrolls, however wide.
    CTabGeometry one;
    one.Layout(CTCS_AUTOHIDEBUTTONS, 50, 20, { 500 }, 0);
    EXPECT_FALSE(one.ScrollButtonsShown());
    EXPECT_EQ(0, one.MaxFirstVisible());
}

TEST(TabGeometry, ScrollStepsStopWhereTheLastTabIsInView)
{
    // 200 long with two 15-pixel buttons leaves 170 for tabs: from tab 6 on (left 204) the rest fits.
    CTabGeometry g = TenTabs(CTCS_AUTOHIDEBUTTONS, 200);
    EXPECT_EQ(170, g.ItemAreaRight());
    EXPECT_EQ(6, g.MaxFirstVisible());
    EXPECT_EQ(1, g.ScrollTarget(CTCHT_ONNEXTBUTTON));
    EXPECT_EQ(0, g.ScrollTarget(CTCHT_ONPREVBUTTON));
    EXPECT_EQ(6, g.ScrollTarget(CTCHT_ONLASTBUTTON));

    CTabGeometry scrolled = TenTabs(CTCS_AUTOHIDEBUTTONS, 200, 4);
    EXPECT_EQ(4, scrolled.FirstVisible());
    EXPECT_EQ(0, scrolled.ItemRect(4).left);
    EXPECT_EQ(-34, scrolled.ItemRect(3).left);
    EXPECT_EQ(3, scrolled.ScrollTarget(CTCHT_ONPREVBUTTON));
    EXPECT_EQ(0, scrolled.ScrollTarget(CTCHT_ONFIRSTBUTTON));
    // Asking past the end keeps the end in view.
    EXPECT_EQ(6, TenTabs(CTCS_AUTOHIDEBUTTONS, 200, 9).FirstVisible());
    EXPECT_EQ(0, TenTabs(CTCS_AUTOHIDEBUTTONS, 200, -3).FirstVisible());
}

TEST(TabGeometry, FirstVisibleForBringsATabOutOfViewIn)
{
    CTabGeometry g = TenTabs(CTCS_AUTOHIDEBUTTONS, 200);
    EXPECT_FALSE(g.IsItemVisible(7));
    // Tab 7 ends at 282: shifting by tab 4's left (136) brings it to 146 <= 170; tab 3 (102) is not enough.
    EXPECT_EQ(4, g.FirstVisibleFor(7));
    EXPECT_EQ(6, g.FirstVisibleFor(9));
    EXPECT_EQ(0, g.FirstVisibleFor(2));
    CTabGeometry back = TenTabs(CTCS_AUTOHIDEBUTTONS, 200, 6);
    EXPECT_EQ(2, back.FirstVisibleFor(2));
    CTabGeometry shown = TenTabs(CTCS_AUTOHIDEBUTTONS, 200, 4);
    EXPECT_TRUE(shown.IsItemVisible(7));
    EXPECT_EQ(4, shown.FirstVisibleFor(7));
}

TEST(TabGeometry, HitTestFollowsTheSlantedEdgesDockedAtTheBottom)
{
    CTabGeometry g;
    g.Layout(0, 400, 20, { 30, 10, 0 }, 0);
    // The wide edge is at the top: the whole width of tab 0 at y = 1.
    EXPECT_EQ(0, g.HitTest(CPoint(0, 1), -1));
    EXPECT_EQ(0, g.HitTest(CPoint(53, 1), -1));   // overlapping tab 1, the earlier tab is on top
    EXPECT_EQ(1, g.HitTest(CPoint(53, 1), 1));    // unless the later one is selected
    EXPECT_EQ(1, g.HitTest(CPoint(54, 1), -1));
    // At the narrow edge (y = 18) the sides have come in by 17 * 10 / 18 = 9.
    EXPECT_EQ(CTCHT_NOWHERE, g.HitTest(CPoint(8, 18), -1));
    EXPECT_EQ(0, g.HitTest(CPoint(9, 18), -1));
    EXPECT_EQ(0, g.HitTest(CPoint(44, 18), -1));
    EXPECT_EQ(CTCHT_NOWHERE, g.HitTest(CPoint(45, 18), -1));   // the notch between two tabs
    EXPECT_EQ(CTCHT_NOWHERE, g.HitTest(CPoint(52, 18), -1));
    EXPECT_EQ(1, g.HitTest(CPoint(53, 18), -1));
    // Outside the tabs' rows and past the last tab.
    EXPECT_EQ(CTCHT_NOWHERE, g.HitTest(CPoint(20, 0), -1));
    EXPECT_EQ(CTCHT_NOWHERE, g.HitTest(CPoint(20, 19), -1));
    EXPECT_EQ(CTCHT_NOWHERE, g.HitTest(CPoint(200, 5), -1));
    EXPECT_EQ(CTCHT_NOWHERE, g.HitTest(CPoint(-1, 5), -1));
    // The buttons win over anything under them.
    EXPECT_EQ(CTCHT_ONPREVBUTTON, g.HitTest(CPoint(370, 10), -1));
    EXPECT_EQ(CTCHT_ONNEXTBUTTON, g.HitTest(CPoint(399, 10), -1));
    EXPECT_EQ(CTCHT_NOWHERE, g.HitTest(CPoint(400, 10), -1));
}

TEST(TabGeometry, HitTestDockedAtTheTopHasTheWideEdgeBelow)
{
    CTabGeometry g;
    g.Layout(CTCS_TOP, 400, 20, { 30, 10 }, 0);
    EXPECT_EQ(0, g.HitTest(CPoint(0, 17), -1));
    EXPECT_EQ(CTCHT_NOWHERE, g.HitTest(CPoint(0, 18), -1));
    EXPECT_EQ(CTCHT_NOWHERE, g.HitTest(CPoint(8, 0), -1));
    EXPECT_EQ(0, g.HitTest(CPoint(9, 0), -1));
    EXPECT_EQ(CTCHT_NOWHERE, g.HitTest(CPoint(45, 0), -1));
    EXPECT_EQ(1, g.HitTest(CPoint(53, 0), -1));
}

TEST(TabGeometry, TabsUnderTheButtonBlockOrScrolledAwayAreNotHit)
{
    CTabGeometry g = TenTabs(CTCS_AUTOHIDEBUTTONS, 200, 4);
    // Tab 3 reaches 10 pixels into view with its slanted side (its right edge is at 10).
    EXPECT_EQ(3, g.HitTest(CPoint(5, 1), -1));
    EXPECT_EQ(4, g.HitTest(CPoint(12, 1), -1));
    EXPECT_EQ(4, g.HitTest(CPoint(5, 1), 4));
    // Tab 8 runs from 136 to 180 and tab 9 would start at 170, under the prev button: the
    // area ends at 170 whatever lies beyond.
    EXPECT_EQ(8, g.HitTest(CPoint(169, 1), -1));
    EXPECT_EQ(CTCHT_ONPREVBUTTON, g.HitTest(CPoint(170, 1), -1));
    EXPECT_EQ(CTCHT_ONPREVBUTTON, g.HitTest(CPoint(175, 10), -1));
}

TEST(TabGeometry, DropTargetMovesOneTabPastAQuarterOfTheThickness)
{
    CTabGeometry g = TenTabs(0, 400);
    // Tab 2's text runs from 78 to 102; a quarter of the thickness is 5.
    EXPECT_EQ(2, g.DropTarget(2, 73));
    EXPECT_EQ(1, g.DropTarget(2, 72));
    EXPECT_EQ(2, g.DropTarget(2, 107));
    EXPECT_EQ(3, g.DropTarget(2, 108));
    EXPECT_EQ(3, g.DropTarget(2, 5000));   // one step at a time
    EXPECT_EQ(0, g.DropTarget(0, -100));
    EXPECT_EQ(9, g.DropTarget(9, 5000));
    EXPECT_EQ(9, g.DropTarget(42, 5000));  // out-of-range targets come back into the tabs
}

TEST(TabGeometry, DegenerateStripsAndCountsStaySafe)
{
    CTabGeometry none;
    none.Layout(CTCS_AUTOHIDEBUTTONS | CTCS_CLOSEBUTTON, 300, 20, {}, 5);
    EXPECT_EQ(0, none.GetCount());
    EXPECT_EQ(0, none.FirstVisible());
    EXPECT_FALSE(none.ScrollButtonsShown());
    EXPECT_EQ(CTCHT_NOWHERE, none.HitTest(CPoint(10, 10), 0));
    EXPECT_EQ(CTCHT_ONCLOSEBUTTON, none.HitTest(CPoint(290, 10), -1));
    EXPECT_EQ(0, none.DropTarget(0, 10));

    // Too thin and too short to show a tab: nothing is hit, nothing is negative in size.
    CTabGeometry thin;
    thin.Layout(0, 5, 1, { 10, 10 }, 0);
    EXPECT_EQ(0, thin.ItemAreaRight());
    EXPECT_EQ(CTCHT_NOWHERE, thin.HitTest(CPoint(0, 0), 0));
    CTabGeometry flat;
    flat.Layout(CTCS_AUTOHIDEBUTTONS, 100, 0, { 10 }, 0);
    EXPECT_EQ(CTCHT_NOWHERE, flat.HitTest(CPoint(5, 0), 0));
    CTabGeometry negative;
    negative.Layout(0, -10, -10, { -5 }, 0);
    EXPECT_GE(negative.ItemRect(0).Width(), 0);

    // Ten thousand tabs: the last scroll position shows the last tab.
    CTabGeometry many;
    many.Layout(CTCS_AUTOHIDEBUTTONS, 1000, 20, std::vector<int>(10000, 30), 0);
    EXPECT_TRUE(many.ScrollButtonsShown());
    CTabGeometry end;
    end.Layout(CTCS_AUTOHIDEBUTTONS, 1000, 20, std::vector<int>(10000, 30), many.MaxFirstVisible());
    EXPECT_TRUE(end.IsItemVisible(9999));
    EXPECT_FALSE(end.IsItemVisible(end.FirstVisible() - 1));
    EXPECT_EQ(9999, end.HitTest(CPoint(end.TextRect(9999).left + 1, 5), -1));
}
