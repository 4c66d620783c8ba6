// The tab strip's buttons (scrolling, the close button), bringing a tab out of view into it,
// tooltips, and the faults of painting an empty strip and of redrawing.
#include "TabFixture.h"

#include "WindowPicture.h"

namespace
{
class TabButtonsTest : public TabTest
{
protected:
    COLORREF FirstTabPixel()   // a real WM_PAINT, then the strip as the user sees it
    {
        m_tabs->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        HBITMAP hbm = WindowPicture::Render(m_tabs->m_hWnd);
        const COLORREF clr = WindowPicture::PixelAt(hbm, 20, 10);
        ::DeleteObject(hbm);
        return clr;
    }
};

TEST_F(TabButtonsTest, ScrollButtonsStepAndJumpToTheEndsAndTheCutTabIsBroughtIn)
{
    Create(CTCS_AUTOHIDEBUTTONS | CTCS_FOURBUTTONS, CRect(0, 0, 300, 20));   // thirty tabs: far more than fit
    AddTabs(30, "Instrument");
    m_tabs->SetCurSel(0);
    const CPoint next = ButtonCenter(CTCHT_ONNEXTBUTTON);
    Click(next);
    Click(next);
    EXPECT_EQ(2, m_tabs->GetFirstVisibleItem());
    Click(ButtonCenter(CTCHT_ONPREVBUTTON));
    EXPECT_EQ(1, m_tabs->GetFirstVisibleItem());
    Click(ButtonCenter(CTCHT_ONLASTBUTTON));
    const int nLastFirst = m_tabs->GetFirstVisibleItem();
    EXPECT_GT(nLastFirst, 20);
    EXPECT_EQ(29, m_tabs->HitTest(Center(29)));
    Click(next);
    EXPECT_EQ(nLastFirst, m_tabs->GetFirstVisibleItem());
    Click(ButtonCenter(CTCHT_ONFIRSTBUTTON));
    EXPECT_EQ(0, m_tabs->GetFirstVisibleItem());
    EXPECT_EQ("-2:-3 -2:-3 -2:-2 -2:-4 -2:-3 -2:-1", Notes());
    EXPECT_EQ(0, m_tabs->GetCurSel());   // the selection does not move with the scrolling

    // Clicking the tab cut by the buttons brings it wholly into view (as selecting a tab out of
    // view does: the ten-thousand-tab test).
    CRect r;
    int nCut = -1;
    for (int i = 2; i < 30 && nCut < 0; ++i)
    {
        m_tabs->GetItemRect(i, r);
        if (m_tabs->HitTest(CPoint(r.left + 2, 10)) == i && m_tabs->HitTest(CPoint(r.right - 1, 10)) != i)
            nCut = i;
    }
    ASSERT_GT(nCut, 0);
    Click(CPoint(r.left + 2, 10));
    EXPECT_EQ(nCut, m_tabs->GetCurSel());
    m_tabs->GetItemRect(nCut, r);
    EXPECT_EQ(nCut, m_tabs->HitTest(CPoint(r.right - 1, 10)));
}

TEST_F(TabButtonsTest, CloseButtonTellsTheParentWhichClosesTheTab)
{
    Make(CTCS_AUTOHIDEBUTTONS | CTCS_CLOSEBUTTON, { "Market watch", "Orders", "Trades" }, 1);
    m_recorder.m_onNote = [this](const sTabNote& n) {
        if (n.code == CTCN_LBUTTONDOWN && n.nItem == CTCHT_ONCLOSEBUTTON)
            m_tabs->DeleteItem(m_tabs->GetCurSel());
    };
    const CPoint close = ButtonCenter(CTCHT_ONCLOSEBUTTON);
    Click(close);
    EXPECT_EQ("-2:-5", Notes());
    EXPECT_EQ(Names({ "Market watch", "Trades" }), Texts());
    EXPECT_EQ(1, m_tabs->GetCurSel());
    for (int i = 0; i < 3; ++i)   // closing every tab leaves the button with nothing to close
        Click(close);
    EXPECT_EQ(0, m_tabs->GetItemCount());
    EXPECT_EQ(-1, m_tabs->GetCurSel());
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), FirstTabPixel());   // the empty strip's fault, below
}

TEST_F(TabButtonsTest, TooltipsMoveWithTheirTabs)
{
    Make(CTCS_AUTOHIDEBUTTONS | CTCS_TOOLTIPS | CTCS_CLOSEBUTTON, { "a", "b" });
    m_tabs->SetItemTooltipText(1, "second tab");
    m_tabs->SetItemTooltipText(CTCHT_ONCLOSEBUTTON, "Close");
    auto tipText = [&](UINT_PTR id) {
        m_tabs->UpdateWindow();   // the tabs' tools follow at the next paint
        char buffer[80] = {};
        TTTOOLINFOA ti;
        if (!m_tabs->m_ctrlToolTip.GetToolInfo(&ti, m_tabs.get(), id))
            return std::string("<none>");
        ti.lpszText = buffer;
        m_tabs->m_ctrlToolTip.SendMessage(TTM_GETTEXTA, sizeof(buffer), (LPARAM)&ti);
        return std::string(buffer);
    };
    m_tabs->InsertItem(0, "new");
    EXPECT_EQ("<none>", tipText(2));
    EXPECT_EQ("second tab", tipText(3));
    m_tabs->MoveItem(2, 0);
    EXPECT_EQ("second tab", tipText(1));
    m_tabs->DeleteItem(0);
    EXPECT_EQ("<none>", tipText(1));
    EXPECT_EQ("Close", tipText((UINT_PTR)(INT_PTR)CTCHT_ONCLOSEBUTTON));
}

// The fault: an empty strip read tab 0 while painting. It paints only its face, however it
// became empty (also by the close button, above), and a tab inserted later is painted over it.
TEST_F(TabButtonsTest, AStripWithoutTabsPaintsOnlyItsFace)
{
    const struct { const char* name; std::function<void()> empty; } cases[] = {
        { "before the first insert", [] {} },
        { "after DeleteAllItems", [this] { AddTabs(3); m_tabs->DeleteAllItems(); } },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        Create(CTCS_CLOSEBUTTON | CTCS_FOURBUTTONS, CRect(0, 0, 300, 20));
        c.empty();
        ASSERT_EQ(0, m_tabs->GetItemCount());
        EXPECT_EQ(-1, m_tabs->GetCurSel());
        EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), FirstTabPixel());
        m_tabs->InsertItem(0, "Orders");
        m_tabs->SetCurSel(0);
        EXPECT_NE(::GetSysColor(COLOR_BTNFACE), FirstTabPixel());
    }
}

// The fault: with drawing switched off and on again, later changes no longer queued a repaint.
TEST_F(TabButtonsTest, ChangesAfterDrawingIsSwitchedBackOnAreRepainted)
{
    Create(CTCS_AUTOHIDEBUTTONS);
    m_tabs->UpdateWindow();
    m_tabs->SetRedraw(FALSE);
    AddTabs(3);
    m_tabs->SetRedraw(TRUE);
    m_tabs->ValidateRect(nullptr);
    m_tabs->InsertItem(3, "Trades");
    CRect rc;
    EXPECT_TRUE(::GetUpdateRect(m_tabs->m_hWnd, &rc, FALSE));
    m_tabs->UpdateWindow();
    EXPECT_FALSE(::GetUpdateRect(m_tabs->m_hWnd, &rc, FALSE));
}
}  // namespace
