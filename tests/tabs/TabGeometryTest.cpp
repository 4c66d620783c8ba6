// The tab strip's window-free geometry: item and text rectangles, the button block, scrolling,
// hit testing along the slanted edges, and the drop-target rule. Built natively as well.
#include <gtest/gtest.h>

#include "windows/TabGeometry.h"

#include <vector>

namespace
{
// Ten tabs with texts 20 pixels wide on a strip 20 pixels thick: each tab is 44 wide, the next
// starts 34 further on, the last ends at 350.
CTabGeometry TenTabs(DWORD dwStyle, int nLength, int nFirst = 0)
{
    CTabGeometry g;
    g.Layout(dwStyle, nLength, 20, std::vector<int>(10, 20), nFirst);
    return g;
}

CTabGeometry Tabs(DWORD dwStyle, std::vector<int> widths, int nLength = 400, int nThickness = 20)
{
    CTabGeometry g;
    g.Layout(dwStyle, nLength, nThickness, widths, 0);
    return g;
}
}  // namespace

TEST(TabGeometry, ItemsOverlapByHalfTheThicknessAndTextSitsBetweenTheSlants)
{
    const struct { DWORD dwStyle; std::vector<int> widths; int nItem; CRect item, text; } cases[] = {
        { 0, { 30, 10, 0 }, 0, CRect(0, 1, 54, 19), CRect(10, 1, 44, 19) },
        { 0, { 30, 10, 0 }, 1, CRect(44, 1, 78, 19), CRect(54, 1, 68, 19) },
        { 0, { 30, 10, 0 }, 2, CRect(68, 1, 92, 19), CRect(78, 1, 82, 19) },   // an empty text still makes a tab
        { CTCS_TOP, { 30 }, 0, CRect(0, 0, 54, 18), CRect(10, 0, 44, 18) },
        { CTCS_FIXEDWIDTH, { 5, 40, 0 }, 1, CRect(54, 1, 118, 19), CRect(64, 1, 108, 19) },   // the widest text
    };
    for (const auto& c : cases)
    {
        CTabGeometry g = Tabs(c.dwStyle, c.widths);
        EXPECT_EQ(c.item, g.ItemRect(c.nItem)) << c.dwStyle << " " << c.nItem;
        EXPECT_EQ(c.text, g.TextRect(c.nItem)) << c.dwStyle << " " << c.nItem;
    }
    EXPECT_EQ(92, Tabs(0, { 30, 10, 0 }).TotalWidth());
}

TEST(TabGeometry, ButtonBlockAtTheEndCloseButtonFirstAndShownOnlyWhenNeeded)
{
    CTabGeometry g = TenTabs(CTCS_CLOSEBUTTON | CTCS_FOURBUTTONS, 400);
    ASSERT_EQ(15, g.ButtonWidth());
    int nLeft = 400 - 5 * 15;
    EXPECT_EQ(nLeft, g.ItemAreaRight());
    for (int nButton : { CTCHT_ONCLOSEBUTTON, CTCHT_ONFIRSTBUTTON, CTCHT_ONPREVBUTTON, CTCHT_ONNEXTBUTTON,
                         CTCHT_ONLASTBUTTON })
    {
        EXPECT_EQ(nLeft, g.ButtonRect(nButton).left) << nButton;
        nLeft = g.ButtonRect(nButton).right;
    }
    EXPECT_EQ(400, nLeft);
    CTabGeometry two = TenTabs(0, 400);
    for (int nButton : { CTCHT_ONFIRSTBUTTON, CTCHT_ONLASTBUTTON, CTCHT_ONCLOSEBUTTON })
        EXPECT_FALSE(two.IsButtonShown(nButton)) << nButton;
    EXPECT_TRUE(two.IsButtonShown(CTCHT_ONPREVBUTTON) && two.IsButtonShown(CTCHT_ONNEXTBUTTON));
    // Auto-hidden scroll buttons appear only when the tabs do not fit; the close button's width
    // counts against the room; a single tab never scrolls, however wide.
    EXPECT_FALSE(TenTabs(CTCS_AUTOHIDEBUTTONS, 350).ScrollButtonsShown());
    EXPECT_TRUE(TenTabs(CTCS_AUTOHIDEBUTTONS, 349).ScrollButtonsShown());
    EXPECT_TRUE(TenTabs(CTCS_AUTOHIDEBUTTONS | CTCS_CLOSEBUTTON, 360).ScrollButtonsShown());
    EXPECT_FALSE(TenTabs(CTCS_AUTOHIDEBUTTONS | CTCS_CLOSEBUTTON, 365).ScrollButtonsShown());
    CTabGeometry one = Tabs(CTCS_AUTOHIDEBUTTONS, { 500 }, 50);
    EXPECT_FALSE(one.ScrollButtonsShown());
    EXPECT_EQ(0, one.MaxFirstVisible());
}

TEST(TabGeometry, ScrollingStopsWhereTheLastTabIsInViewAndBringsTabsIn)
{
    // 200 long with two 15-pixel buttons leaves 170 for tabs: from tab 6 on (left 204) the rest fits.
    CTabGeometry g = TenTabs(CTCS_AUTOHIDEBUTTONS, 200);
    EXPECT_EQ(170, g.ItemAreaRight());
    EXPECT_EQ(6, g.MaxFirstVisible());
    EXPECT_EQ(1, g.ScrollTarget(CTCHT_ONNEXTBUTTON));
    EXPECT_EQ(6, g.ScrollTarget(CTCHT_ONLASTBUTTON));
    CTabGeometry scrolled = TenTabs(CTCS_AUTOHIDEBUTTONS, 200, 4);
    EXPECT_EQ(0, scrolled.ItemRect(4).left);
    EXPECT_EQ(-34, scrolled.ItemRect(3).left);
    EXPECT_EQ(3, scrolled.ScrollTarget(CTCHT_ONPREVBUTTON));
    EXPECT_EQ(0, scrolled.ScrollTarget(CTCHT_ONFIRSTBUTTON));
    EXPECT_EQ(6, TenTabs(CTCS_AUTOHIDEBUTTONS, 200, 9).FirstVisible());   // past the end: the end in view
    // Tab 7 ends at 282: shifting by tab 4's left (136) brings it to 146 <= 170; tab 3 (102) is not enough.
    EXPECT_FALSE(g.IsItemVisible(7));
    EXPECT_EQ(4, g.FirstVisibleFor(7));
    EXPECT_EQ(2, TenTabs(CTCS_AUTOHIDEBUTTONS, 200, 6).FirstVisibleFor(2));
    EXPECT_TRUE(scrolled.IsItemVisible(7));
    EXPECT_EQ(4, scrolled.FirstVisibleFor(7));
}

TEST(TabGeometry, HitTestFollowsTheSlantedEdgesAndTheButtons)
{
    const CTabGeometry bottom = Tabs(0, { 30, 10, 0 }), top = Tabs(CTCS_TOP, { 30, 10 }),
                       scrolled = TenTabs(CTCS_AUTOHIDEBUTTONS, 200, 4);
    const struct { const char* name; const CTabGeometry& g; CPoint pt; int nSelected, nHit; } cases[] = {
        // Docked at the bottom the wide edge is at the top: the whole width of tab 0 at y = 1.
        { "wide edge", bottom, CPoint(0, 1), -1, 0 },
        { "overlap: the earlier tab on top", bottom, CPoint(53, 1), -1, 0 },
        { "overlap: unless the later is selected", bottom, CPoint(53, 1), 1, 1 },
        // At the narrow edge (y = 18) the sides have come in by 17 * 10 / 18 = 9.
        { "narrow edge, outside", bottom, CPoint(8, 18), -1, CTCHT_NOWHERE },
        { "narrow edge, inside", bottom, CPoint(9, 18), -1, 0 },
        { "narrow edge, end", bottom, CPoint(44, 18), -1, 0 },
        { "notch start", bottom, CPoint(45, 18), -1, CTCHT_NOWHERE },
        { "notch end", bottom, CPoint(52, 18), -1, CTCHT_NOWHERE },
        { "after the notch", bottom, CPoint(53, 18), -1, 1 },
        { "above the rows", bottom, CPoint(20, 0), -1, CTCHT_NOWHERE },
        { "below the rows", bottom, CPoint(20, 19), -1, CTCHT_NOWHERE },
        { "past the last tab", bottom, CPoint(200, 5), -1, CTCHT_NOWHERE },
        { "prev button", bottom, CPoint(370, 10), -1, CTCHT_ONPREVBUTTON },
        { "next button", bottom, CPoint(399, 10), -1, CTCHT_ONNEXTBUTTON },
        { "past the strip", bottom, CPoint(400, 10), -1, CTCHT_NOWHERE },
        // Docked at the top the wide edge is below.
        { "top: wide edge", top, CPoint(0, 17), -1, 0 },
        { "top: narrow, outside", top, CPoint(8, 0), -1, CTCHT_NOWHERE },
        { "top: narrow, inside", top, CPoint(9, 0), -1, 0 },
        // Scrolled to tab 4: tab 3 reaches 10 pixels into view with its slant; the area ends at 170.
        { "scrolled: the slant of tab 3", scrolled, CPoint(5, 1), -1, 3 },
        { "scrolled: selected 4 on top", scrolled, CPoint(5, 1), 4, 4 },
        { "scrolled: the button over tab 9", scrolled, CPoint(170, 1), -1, CTCHT_ONPREVBUTTON },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.nHit, c.g.HitTest(c.pt, c.nSelected)) << c.name;
}

TEST(TabGeometry, DropTargetMovesOneTabPastAQuarterOfTheThickness)
{
    CTabGeometry g = TenTabs(0, 400);
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
    CTabGeometry thin = Tabs(0, { 10, 10 }, 5, 1);
    EXPECT_EQ(0, thin.ItemAreaRight());
    EXPECT_EQ(CTCHT_NOWHERE, thin.HitTest(CPoint(0, 0), 0));
    EXPECT_EQ(CTCHT_NOWHERE, Tabs(CTCS_AUTOHIDEBUTTONS, { 10 }, 100, 0).HitTest(CPoint(5, 0), 0));
    EXPECT_GE(Tabs(0, { -5 }, -10, -10).ItemRect(0).Width(), 0);
    // Ten thousand tabs: the last scroll position shows the last tab.
    CTabGeometry many = Tabs(CTCS_AUTOHIDEBUTTONS, std::vector<int>(10000, 30), 1000);
    EXPECT_TRUE(many.ScrollButtonsShown());
    CTabGeometry end;
    end.Layout(CTCS_AUTOHIDEBUTTONS, 1000, 20, std::vector<int>(10000, 30), many.MaxFirstVisible());
    EXPECT_TRUE(end.IsItemVisible(9999));
    EXPECT_FALSE(end.IsItemVisible(end.FirstVisible() - 1));
    EXPECT_EQ(9999, end.HitTest(CPoint(end.TextRect(9999).left + 1, 5), -1));
}
