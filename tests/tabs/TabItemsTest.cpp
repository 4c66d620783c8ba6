// The tab strip's items and the notifications a host receives for clicks: selection, highlight,
// the record's fields, refusals of bad input, ten thousand tabs.
#include "TabFixture.h"

#include <cstddef>

namespace
{
using TabItemsTest = TabTest;

TEST_F(TabItemsTest, NotificationRecordHasTheDocumentedLayoutAndFields)
{
    static_assert(offsetof(CTC_NMHDR, hdr.code) == 16 && offsetof(CTC_NMHDR, nItem) == 24 &&
                      offsetof(CTC_NMHDR, pszText) == 28 && offsetof(CTC_NMHDR, lParam) == 64 &&
                      offsetof(CTC_NMHDR, rItem) == 72 && offsetof(CTC_NMHDR, ptHitTest) == 88 &&
                      offsetof(CTC_NMHDR, fSelected) == 96 && offsetof(CTC_NMHDR, fHighlighted) == 100,
                  "the host reads the record by these offsets");
    Make(CTCS_AUTOHIDEBUTTONS, { "EURUSD", "Orders", "A name of exactly 29 chars.." }, 0);
    char name[64] = {};   // the strip's own window class, as hosts look it up
    ::GetClassNameA(m_tabs->m_hWnd, name, sizeof(name));
    EXPECT_STREQ("CCustomTabCtrl", name);

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
    EXPECT_FALSE(m_recorder.m_notes[0].fSelected);   // the press is told before anything changes
    EXPECT_EQ(2, m_tabs->GetCurSel());
    // Clicks on the selected tab and on nothing, right clicks: the press only.
    m_recorder.m_notes.clear();
    Click(pt);
    Click(CPoint(390, 10));
    Mouse(WM_RBUTTONDOWN, Center(0), MK_RBUTTON);
    Mouse(WM_RBUTTONDBLCLK, Center(1), MK_RBUTTON);
    EXPECT_EQ("-2:2 -2:-6 -5:0 -6:1", Notes());
    EXPECT_EQ(2, m_tabs->GetCurSel());
    EXPECT_EQ("", m_recorder.m_notes[1].text);   // a press on nothing carries no item fields
    EXPECT_EQ(CRect(0, 0, 0, 0), m_recorder.m_notes[1].rect);
    // A vertical strip takes its clicks the same way.
    Make(CTCS_VERTICAL | CTCS_AUTOHIDEBUTTONS, Names(3, "Orders"), -1, CRect(0, 0, 24, 200));
    Click(Center(1));
    EXPECT_EQ("-2:1 0:1", Notes());
}

TEST_F(TabItemsTest, HighlightsFollowTheSelectionInOrderAndTheirRules)
{
    Make(CTCS_AUTOHIDEBUTTONS | CTCS_MULTIHIGHLIGHT, Names(5, "t"), 0);
    auto highlights = [this] {
        std::string s;
        for (int i = 0; i < m_tabs->GetItemCount(); ++i)
            s += m_tabs->IsItemHighlighted(i) == 1 ? 'h' : '.';
        return s;
    };
    Click(Center(2), MK_CONTROL);
    Click(Center(3), MK_CONTROL);
    EXPECT_EQ("-2:2 1:2 -2:3 1:3", Notes());
    EXPECT_EQ("h.hh.", highlights());   // the selected tab is highlighted too
    EXPECT_EQ(0, m_tabs->GetCurSel());
    EXPECT_TRUE(m_recorder.m_notes[1].fHighlighted);
    // A plain click selects and leaves only the new selection highlighted: the selection first,
    // then each changed highlight in tab order.
    m_recorder.m_notes.clear();
    Click(Center(4));
    EXPECT_EQ("-2:4 0:4 1:0 1:2 1:3 1:4", Notes());
    EXPECT_EQ("....h", highlights());
    EXPECT_FALSE(m_recorder.m_notes[2].fHighlighted);
    EXPECT_TRUE(m_recorder.m_notes[5].fHighlighted);
    // Removing the style clears every highlight; adding it highlights the selection again.
    m_tabs->HighlightItem(1, TRUE);
    EXPECT_TRUE(m_tabs->ModifyStyle(CTCS_MULTIHIGHLIGHT, 0));
    EXPECT_EQ(".....", highlights());
    EXPECT_EQ(CTCERR_NOMULTIHIGHLIGHTSTYLE, m_tabs->HighlightItem(1, TRUE));
    m_tabs->ModifyStyle(0, CTCS_MULTIHIGHLIGHT);
    EXPECT_EQ("....h", highlights());

    Make(CTCS_AUTOHIDEBUTTONS | CTCS_MULTIHIGHLIGHT, Names(3, "t"));
    EXPECT_EQ(0, m_tabs->HighlightItem(2, TRUE));   // nothing selected: highlighting selects
    EXPECT_EQ(2, m_tabs->GetCurSel());
    EXPECT_EQ(0, m_tabs->HighlightItem(2, FALSE));  // the selected tab's highlight stays
    EXPECT_EQ("..h", highlights());
    EXPECT_EQ(CTCERR_INDEXOUTOFRANGE, m_tabs->HighlightItem(3, TRUE));
    EXPECT_EQ(CTCERR_INDEXOUTOFRANGE, m_tabs->IsItemHighlighted(-1));
    EXPECT_TRUE(m_recorder.m_notes.empty());
}

TEST_F(TabItemsTest, InsertDeleteMoveAndCopyKeepTheSelectionOnItsTab)
{
    Make(CTCS_AUTOHIDEBUTTONS, { "a", "b", "c" }, 0);
    const struct { const char* name; std::function<int()> change; Names texts; int nSelected; } steps[] = {
        { "insert first", [&] { return m_tabs->InsertItem(0, "new"); }, { "new", "a", "b", "c" }, 1 },
        { "insert last", [&] { return m_tabs->InsertItem(4, "end") - 4; }, { "new", "a", "b", "c", "end" }, 1 },
        { "delete before", [&] { return m_tabs->DeleteItem(0); }, { "a", "b", "c", "end" }, 0 },
        { "delete the selected", [&] { return m_tabs->DeleteItem(0); }, { "b", "c", "end" }, 0 },
        { "delete the selected last", [&] { m_tabs->SetCurSel(2); return m_tabs->DeleteItem(2); }, { "b", "c" }, 1 },
        { "move forward", [&] { m_tabs->InsertItem(2, "d"); m_tabs->InsertItem(3, "e"); return m_tabs->MoveItem(1, 3); },
          { "b", "d", "e", "c" }, 3 },
        { "move before", [&] { return m_tabs->MoveItem(0, 2); }, { "d", "e", "b", "c" }, 3 },
        { "copy to the start", [&] { return m_tabs->CopyItem(3, 0); }, { "c", "d", "e", "b", "c" }, 4 },
        { "copy past the end", [&] { return m_tabs->CopyItem(0, 5); }, { "c", "d", "e", "b", "c", "c" }, 4 },
        { "delete the rest", [&] { while (m_tabs->GetItemCount() > 0) m_tabs->DeleteItem(0); return 0; }, {}, -1 },
    };
    for (const auto& s : steps)
    {
        SCOPED_TRACE(s.name);
        EXPECT_EQ(0, s.change());
        EXPECT_EQ(s.texts, Texts());
        EXPECT_EQ(s.nSelected, m_tabs->GetCurSel());
    }
    EXPECT_TRUE(m_recorder.m_notes.empty());   // only clicks and drags notify
}

TEST_F(TabItemsTest, BadIndexesAndTextsAreRefusedWithoutChange)
{
    Make(CTCS_AUTOHIDEBUTTONS, { "a", "b" }, 1);
    const std::string thirty(30, 'x'), tenKB(10240, 'y');
    DWORD_PTR data = 99;
    CString s = "keep";
    CRect r(1, 2, 3, 4);
    const struct { int nResult, nExpected; } cases[] = {
        { m_tabs->InsertItem(0, thirty.c_str()), CTCERR_TEXTTOOLONG },
        { m_tabs->InsertItem(0, tenKB.c_str()), CTCERR_TEXTTOOLONG },
        { m_tabs->SetItemText(0, thirty.c_str()), CTCERR_TEXTTOOLONG },
        { m_tabs->SetItemText(0, std::string(29, 'z').c_str()), 0 },
        { m_tabs->SetItemText(1, ""), 0 },
        { m_tabs->InsertItem(3, "c"), CTCERR_INDEXOUTOFRANGE },
        { m_tabs->InsertItem(-1, "c"), CTCERR_INDEXOUTOFRANGE },
        { m_tabs->DeleteItem(2), CTCERR_INDEXOUTOFRANGE },
        { m_tabs->SetCurSel(2), CTCERR_INDEXOUTOFRANGE }, { m_tabs->SetCurSel(-1), CTCERR_INDEXOUTOFRANGE },
        { m_tabs->SetCurSel(INT_MAX), CTCERR_INDEXOUTOFRANGE },
        { m_tabs->GetItemData(5, data), CTCERR_INDEXOUTOFRANGE },
        { m_tabs->SetItemData(-3, 1), CTCERR_INDEXOUTOFRANGE },
        { m_tabs->GetItemText(2, s), CTCERR_INDEXOUTOFRANGE },
        { m_tabs->GetItemRect(-1, r), CTCERR_INDEXOUTOFRANGE },
        { m_tabs->MoveItem(0, 2), CTCERR_INDEXOUTOFRANGE },
        { m_tabs->CopyItem(2, 0), CTCERR_INDEXOUTOFRANGE },
        { m_tabs->CopyItem(0, 3), CTCERR_INDEXOUTOFRANGE },
        { m_tabs->SetItemTooltipText(0, "tip"), CTCERR_NOTOOLTIPSSTYLE },
        { m_tabs->EditLabel(1), CTCERR_NOEDITLABELSTYLE },
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
        EXPECT_EQ(cases[i].nExpected, cases[i].nResult) << "case " << i;
    EXPECT_EQ(99u, data);
    EXPECT_EQ("keep", std::string(s));
    EXPECT_EQ(CRect(1, 2, 3, 4), r);
    EXPECT_EQ(Names({ std::string(29, 'z'), "" }), Texts());
    EXPECT_EQ(1, m_tabs->GetCurSel());
    EXPECT_EQ("", Notes());
}

TEST_F(TabItemsTest, TenThousandTabs)
{
    Create(CTCS_AUTOHIDEBUTTONS | CTCS_FOURBUTTONS);
    m_tabs->SetRedraw(FALSE);
    for (int i = 0; i < 10000; ++i)
        ASSERT_EQ(i, m_tabs->InsertItem(i, CString("T") + std::to_string(i).c_str(), i));
    m_tabs->SetRedraw(TRUE);
    EXPECT_EQ(0, m_tabs->SetCurSel(9999));
    EXPECT_GT(m_tabs->GetFirstVisibleItem(), 9900);
    EXPECT_EQ(9999, m_tabs->HitTest(Center(9999)));
}
}  // namespace
