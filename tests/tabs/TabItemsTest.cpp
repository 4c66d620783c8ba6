// The tab strip's items and the notifications a host receives for clicks: selection, highlight,
// the record's fields, refusals of bad input, and hit testing in both orientations.
#include "TabFixture.h"

#include <cstddef>

namespace
{
using Names = std::vector<std::string>;

class TabItemsTest : public TabTest
{
};

TEST_F(TabItemsTest, NotificationRecordHasTheDocumentedLayout)
{
    static_assert(offsetof(CTC_NMHDR, hdr.code) == 16, "code");
    static_assert(offsetof(CTC_NMHDR, nItem) == 24, "item");
    static_assert(offsetof(CTC_NMHDR, pszText) == 28, "text");
    static_assert(offsetof(CTC_NMHDR, lParam) == 64, "data");
    static_assert(offsetof(CTC_NMHDR, rItem) == 72, "rectangle");
    static_assert(offsetof(CTC_NMHDR, ptHitTest) == 88, "point");
    static_assert(offsetof(CTC_NMHDR, fSelected) == 96, "selected");
    static_assert(offsetof(CTC_NMHDR, fHighlighted) == 100, "highlighted");

    Create(CTCS_AUTOHIDEBUTTONS);
    AddTabs({ "EURUSD", "Orders", "A name of exactly 29 chars.." });
    ASSERT_EQ(0, m_tabs->SetCurSel(0));
    ASSERT_EQ(0, m_tabs->SetItemData(2, (DWORD_PTR)0x1122334455667788ull));
    const CPoint pt = Center(2);
    Click(pt);
    ASSERT_EQ("-2:2 0:2", Notes());
    const sTabNote& n = m_recorder.m_notes[1];
    EXPECT_EQ("A name of exactly 29 chars..", n.text);
    EXPECT_EQ((LPARAM)0x1122334455667788ull, n.lParam);
    CRect r;
    m_tabs->GetItemRect(2, r);
    EXPECT_EQ(r, n.rect);
    EXPECT_EQ(pt, n.pt);
    EXPECT_TRUE(n.fSelected);
    EXPECT_FALSE(n.fHighlighted);
    // The press notification is sent before the click changes anything.
    EXPECT_FALSE(m_recorder.m_notes[0].fSelected);
    EXPECT_EQ(2, m_tabs->GetCurSel());
}

TEST_F(TabItemsTest, OwnWindowClassWithDoubleClicksAndAnEmptyTitle)
{
    Create(CTCS_AUTOHIDEBUTTONS);
    char name[64] = {};
    ::GetClassNameA(m_tabs->m_hWnd, name, sizeof(name));
    EXPECT_STREQ("CCustomTabCtrl", name);
    const UINT style = (UINT)::GetClassLongPtrA(m_tabs->m_hWnd, GCL_STYLE);
    EXPECT_EQ((UINT)(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW), style & (CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW));
    EXPECT_EQ((LONG_PTR)(COLOR_BTNFACE + 1), (LONG_PTR)::GetClassLongPtrA(m_tabs->m_hWnd, GCLP_HBRBACKGROUND));
    EXPECT_EQ(0, m_tabs->GetWindowTextLength());
    EXPECT_EQ(77, m_tabs->GetDlgCtrlID());
    // A second strip shares the class.
    CCustomTabCtrl second;
    EXPECT_TRUE(second.Create(WS_CHILD, CRect(0, 30, 100, 50), &m_recorder, 78));
    ::GetClassNameA(second.m_hWnd, name, sizeof(name));
    EXPECT_STREQ("CCustomTabCtrl", name);
}

TEST_F(TabItemsTest, ClicksOnTheSelectedTabAndOnNothingSendOnlyThePress)
{
    Create(CTCS_AUTOHIDEBUTTONS);
    AddTabs(3);
    m_tabs->SetCurSel(1);
    Click(Center(1));
    Click(CPoint(390, 10));
    m_tabs->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(Center(0).x, Center(0).y));
    m_tabs->SendMessage(WM_RBUTTONDBLCLK, MK_RBUTTON, MAKELPARAM(Center(2).x, Center(2).y));
    EXPECT_EQ("-2:1 -2:-6 -5:0 -6:2", Notes());
    EXPECT_EQ(1, m_tabs->GetCurSel());
    // The record of a press on nothing carries no item fields.
    EXPECT_EQ("", m_recorder.m_notes[1].text);
    EXPECT_EQ(CRect(0, 0, 0, 0), m_recorder.m_notes[1].rect);
}

TEST_F(TabItemsTest, HighlightNotificationsFollowTheSelectionInOrder)
{
    Create(CTCS_AUTOHIDEBUTTONS | CTCS_MULTIHIGHLIGHT);
    AddTabs(5);
    m_tabs->SetCurSel(0);
    EXPECT_EQ(1, m_tabs->IsItemHighlighted(0));   // the selected tab is highlighted
    Click(Center(2), MK_CONTROL);
    Click(Center(3), MK_CONTROL);
    EXPECT_EQ("-2:2 1:2 -2:3 1:3", Notes());
    EXPECT_EQ(0, m_tabs->GetCurSel());
    EXPECT_TRUE(m_recorder.m_notes[1].fHighlighted);
    // A plain click selects and leaves only the new selection highlighted: the selection first,
    // then each changed highlight in tab order.
    m_recorder.m_notes.clear();
    Click(Center(4));
    EXPECT_EQ("-2:4 0:4 1:0 1:2 1:3 1:4", Notes());
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(0, m_tabs->IsItemHighlighted(i)) << i;
    EXPECT_EQ(1, m_tabs->IsItemHighlighted(4));
    EXPECT_FALSE(m_recorder.m_notes[2].fHighlighted);
    EXPECT_TRUE(m_recorder.m_notes[5].fHighlighted);

    // Removing the style clears every highlight; adding it highlights the selection again.
    m_tabs->HighlightItem(1, TRUE);
    EXPECT_TRUE(m_tabs->ModifyStyle(CTCS_MULTIHIGHLIGHT, 0));
    EXPECT_EQ(0, m_tabs->IsItemHighlighted(1));
    EXPECT_EQ(0, m_tabs->IsItemHighlighted(4));
    EXPECT_EQ(CTCERR_NOMULTIHIGHLIGHTSTYLE, m_tabs->HighlightItem(1, TRUE));
    m_tabs->ModifyStyle(0, CTCS_MULTIHIGHLIGHT);
    EXPECT_EQ(1, m_tabs->IsItemHighlighted(4));
}

TEST_F(TabItemsTest, HighlightItemRules)
{
    Create(CTCS_AUTOHIDEBUTTONS);
    AddTabs(3);
    EXPECT_EQ(CTCERR_NOMULTIHIGHLIGHTSTYLE, m_tabs->HighlightItem(1, TRUE));
    Create(CTCS_AUTOHIDEBUTTONS | CTCS_MULTIHIGHLIGHT);
    AddTabs(3);
    // With nothing selected, highlighting selects instead.
    ASSERT_EQ(-1, m_tabs->GetCurSel());
    EXPECT_EQ(0, m_tabs->HighlightItem(2, TRUE));
    EXPECT_EQ(2, m_tabs->GetCurSel());
    // The selected tab's highlight does not change.
    EXPECT_EQ(0, m_tabs->HighlightItem(2, FALSE));
    EXPECT_EQ(1, m_tabs->IsItemHighlighted(2));
    EXPECT_EQ(0, m_tabs->HighlightItem(0, TRUE));
    EXPECT_EQ(1, m_tabs->IsItemHighlighted(0));
    EXPECT_EQ(0, m_tabs->HighlightItem(0, FALSE));
    EXPECT_EQ(0, m_tabs->IsItemHighlighted(0));
    EXPECT_EQ(CTCERR_INDEXOUTOFRANGE, m_tabs->HighlightItem(3, TRUE));
    EXPECT_EQ(CTCERR_INDEXOUTOFRANGE, m_tabs->IsItemHighlighted(-1));
    EXPECT_TRUE(m_recorder.m_notes.empty());
}

TEST_F(TabItemsTest, InsertAndDeleteKeepTheSelectionOnItsTab)
{
    Create(CTCS_AUTOHIDEBUTTONS);
    AddTabs({ "a", "b", "c" });
    m_tabs->SetCurSel(0);
    EXPECT_EQ(0, m_tabs->InsertItem(0, "new"));
    EXPECT_EQ(1, m_tabs->GetCurSel());
    EXPECT_EQ(4, m_tabs->InsertItem(4, "end"));
    EXPECT_EQ(1, m_tabs->GetCurSel());
    EXPECT_EQ(Names({ "new", "a", "b", "c", "end" }), Texts());

    // Deleting before the selection moves it down; deleting it selects the next tab.
    EXPECT_EQ(0, m_tabs->DeleteItem(0));
    EXPECT_EQ(0, m_tabs->GetCurSel());
    EXPECT_EQ(0, m_tabs->DeleteItem(0));
    EXPECT_EQ(0, m_tabs->GetCurSel());
    CString s;
    m_tabs->GetItemText(0, s);
    EXPECT_EQ("b", std::string(s));
    // Deleting the selected last tab selects the one before it.
    m_tabs->SetCurSel(2);
    EXPECT_EQ(0, m_tabs->DeleteItem(2));
    EXPECT_EQ(1, m_tabs->GetCurSel());
    EXPECT_EQ(0, m_tabs->DeleteItem(1));
    EXPECT_EQ(0, m_tabs->DeleteItem(0));
    EXPECT_EQ(-1, m_tabs->GetCurSel());
    EXPECT_EQ(0, m_tabs->GetItemCount());
    EXPECT_TRUE(m_recorder.m_notes.empty());
}

TEST_F(TabItemsTest, BadIndexesAndTextsAreRefusedWithoutChange)
{
    Create(CTCS_AUTOHIDEBUTTONS);
    AddTabs({ "a", "b" });
    m_tabs->SetCurSel(1);
    const std::string thirty(30, 'x');
    const std::string tenKB(10240, 'y');
    EXPECT_EQ(CTCERR_TEXTTOOLONG, m_tabs->InsertItem(0, thirty.c_str()));
    EXPECT_EQ(CTCERR_TEXTTOOLONG, m_tabs->InsertItem(0, tenKB.c_str()));
    EXPECT_EQ(CTCERR_TEXTTOOLONG, m_tabs->SetItemText(0, thirty.c_str()));
    EXPECT_EQ(0, m_tabs->SetItemText(0, std::string(29, 'z').c_str()));
    EXPECT_EQ(0, m_tabs->SetItemText(1, ""));
    EXPECT_EQ(CTCERR_INDEXOUTOFRANGE, m_tabs->InsertItem(3, "c"));
    EXPECT_EQ(CTCERR_INDEXOUTOFRANGE, m_tabs->InsertItem(-1, "c"));
    EXPECT_EQ(CTCERR_INDEXOUTOFRANGE, m_tabs->DeleteItem(2));
    EXPECT_EQ(CTCERR_INDEXOUTOFRANGE, m_tabs->SetCurSel(2));
    EXPECT_EQ(CTCERR_INDEXOUTOFRANGE, m_tabs->SetCurSel(-1));
    EXPECT_EQ(CTCERR_INDEXOUTOFRANGE, m_tabs->SetCurSel(INT_MAX));
    DWORD_PTR data = 99;
    EXPECT_EQ(CTCERR_INDEXOUTOFRANGE, m_tabs->GetItemData(5, data));
    EXPECT_EQ(99u, data);
    EXPECT_EQ(CTCERR_INDEXOUTOFRANGE, m_tabs->SetItemData(-3, 1));
    CString s = "keep";
    EXPECT_EQ(CTCERR_INDEXOUTOFRANGE, m_tabs->GetItemText(2, s));
    EXPECT_EQ("keep", std::string(s));
    CRect r(1, 2, 3, 4);
    EXPECT_EQ(CTCERR_INDEXOUTOFRANGE, m_tabs->GetItemRect(-1, r));
    EXPECT_EQ(CRect(1, 2, 3, 4), r);
    EXPECT_EQ(CTCERR_INDEXOUTOFRANGE, m_tabs->MoveItem(0, 2));
    EXPECT_EQ(CTCERR_INDEXOUTOFRANGE, m_tabs->CopyItem(2, 0));
    EXPECT_EQ(CTCERR_INDEXOUTOFRANGE, m_tabs->CopyItem(0, 3));
    EXPECT_EQ(CTCERR_NOTOOLTIPSSTYLE, m_tabs->SetItemTooltipText(0, "tip"));
    EXPECT_EQ(CTCERR_NOEDITLABELSTYLE, m_tabs->EditLabel(1));
    EXPECT_EQ(Names({ std::string(29, 'z'), "" }), Texts());
    EXPECT_EQ(1, m_tabs->GetCurSel());
    // The empty tab is still a tab one can click.
    Click(Center(1));
    Click(Center(0));
    EXPECT_EQ("-2:1 -2:0 0:0", Notes());
}

TEST_F(TabItemsTest, MoveAndCopyKeepTheSelectionOnItsTab)
{
    Create(CTCS_AUTOHIDEBUTTONS);
    AddTabs({ "a", "b", "c", "d" });
    m_tabs->SetCurSel(1);
    EXPECT_EQ(0, m_tabs->MoveItem(1, 3));
    EXPECT_EQ(Names({ "a", "c", "d", "b" }), Texts());
    EXPECT_EQ(3, m_tabs->GetCurSel());
    EXPECT_EQ(0, m_tabs->MoveItem(0, 2));
    EXPECT_EQ(Names({ "c", "d", "a", "b" }), Texts());
    EXPECT_EQ(3, m_tabs->GetCurSel());
    EXPECT_EQ(0, m_tabs->CopyItem(3, 0));
    EXPECT_EQ(Names({ "b", "c", "d", "a", "b" }), Texts());
    EXPECT_EQ(4, m_tabs->GetCurSel());
    DWORD_PTR d0 = 0, d4 = 1;
    m_tabs->GetItemData(0, d0);
    m_tabs->GetItemData(4, d4);
    EXPECT_EQ(d4, d0);   // a copy carries the data too
    EXPECT_EQ(0, m_tabs->CopyItem(0, 5));
    EXPECT_EQ(6, m_tabs->GetItemCount());
    EXPECT_TRUE(m_recorder.m_notes.empty());   // only drags notify
}

TEST_F(TabItemsTest, HitTestAtTabEdgesHorizontalAndVertical)
{
    for (DWORD dwOrientation : { (DWORD)0, (DWORD)CTCS_VERTICAL, (DWORD)(CTCS_VERTICAL | CTCS_LEFT), (DWORD)CTCS_TOP })
    {
        SCOPED_TRACE(dwOrientation);
        const bool bVertical = (dwOrientation & CTCS_VERTICAL) != 0;
        Create(CTCS_AUTOHIDEBUTTONS | dwOrientation, bVertical ? CRect(0, 0, 20, 300) : CRect(0, 0, 300, 20));
        AddTabs({ "First", "Second" });
        m_tabs->SetCurSel(0);
        CRect r0, r1;
        m_tabs->GetItemRect(0, r0);
        m_tabs->GetItemRect(1, r1);
        // Along the strip: x for a horizontal strip, y for a vertical one.
        auto at = [&](int along, int across) { return bVertical ? CPoint(across, along) : CPoint(along, across); };
        const int lead = bVertical ? r1.top : r1.left;
        const bool bWideAtZero = !(dwOrientation & CTCS_TOP);
        const int wide = bWideAtZero ? 1 : 17;
        const int narrow = bWideAtZero ? 18 : 0;
        // At the wide edge the first tab (selected) covers the second's slanted start up to the
        // second's text; then the second begins.
        EXPECT_EQ(0, m_tabs->HitTest(at(lead - 1, wide)));
        EXPECT_EQ(1, m_tabs->HitTest(at(lead, wide)));
        // At the narrow edge both sides have come in by 9: a notch lies between the tabs.
        EXPECT_EQ(0, m_tabs->HitTest(at(lead - 10, narrow)));
        EXPECT_EQ(CTCHT_NOWHERE, m_tabs->HitTest(at(lead - 9, narrow)));
        EXPECT_EQ(CTCHT_NOWHERE, m_tabs->HitTest(at(lead - 2, narrow)));
        EXPECT_EQ(1, m_tabs->HitTest(at(lead - 1, narrow)));
        EXPECT_EQ(1, m_tabs->HitTest(bVertical ? CPoint(10, r1.CenterPoint().y) : CPoint(r1.CenterPoint().x, 10)));
        EXPECT_EQ(CTCHT_NOWHERE, m_tabs->HitTest(at(290, 10)));
        EXPECT_EQ(CTCHT_NOWHERE, m_tabs->HitTest(at(5, 25)));
        // The text rectangle is reported transposed for a vertical strip.
        EXPECT_GT(bVertical ? r0.Height() : r0.Width(), bVertical ? r0.Width() : r0.Height());
        // A real click on the second tab selects it.
        m_recorder.m_notes.clear();
        Click(bVertical ? CPoint(10, r1.CenterPoint().y) : CPoint(r1.CenterPoint().x, 10));
        EXPECT_EQ("-2:1 0:1", Notes());
    }
}

TEST_F(TabItemsTest, TenThousandTabsAndATooSmallWindow)
{
    Create(CTCS_AUTOHIDEBUTTONS | CTCS_FOURBUTTONS);
    m_tabs->SetRedraw(FALSE);
    for (int i = 0; i < 10000; ++i)
        ASSERT_EQ(i, m_tabs->InsertItem(i, CString("T") + std::to_string(i).c_str(), i));
    m_tabs->SetRedraw(TRUE);
    EXPECT_EQ(0, m_tabs->SetCurSel(9999));
    EXPECT_GT(m_tabs->GetFirstVisibleItem(), 9900);
    EXPECT_EQ(9999, m_tabs->HitTest(Center(9999)));
    m_tabs->UpdateWindow();
    Click(ButtonCenter(CTCHT_ONFIRSTBUTTON));
    EXPECT_EQ(0, m_tabs->GetFirstVisibleItem());
    EXPECT_EQ(0, m_tabs->HitTest(Center(0)));
    m_tabs->DeleteAllItems();
    EXPECT_EQ(-1, m_tabs->GetCurSel());
    EXPECT_EQ(CTCHT_NOWHERE, m_tabs->HitTest(CPoint(10, 10)));

    // Three pixels high and ten wide: nothing to hit, nothing breaks.
    Create(CTCS_AUTOHIDEBUTTONS | CTCS_CLOSEBUTTON, CRect(0, 0, 10, 3));
    AddTabs(3);
    m_tabs->SetCurSel(1);
    m_tabs->UpdateWindow();
    m_recorder.m_notes.clear();
    Click(CPoint(1, 1));
    Click(CPoint(9, 2));
    EXPECT_EQ(1, m_tabs->GetCurSel());
    for (const sTabNote& n : m_recorder.m_notes)
        EXPECT_EQ(-2, n.code);
}
}  // namespace
