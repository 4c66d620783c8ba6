// Rows of a filter list dropped after a mouse drag, or put in order by a header click, while the
// host, hearing of the drop (the drop highlight going) or asked for a text by the repopulation
// that follows it or by the sort, deletes the top row, adds a row or destroys the list. Every row keeps its own texts and check box; no record is lost
// or doubled; a destroyed list is not touched again.
#include "FilterListFixture.h"
#include "RowDrag.h"

#include <algorithm>

namespace
{
enum eAction
{
    kDeleteTop,
    kAddRow,
    kDestroy
};

enum ePhase
{
    kHighlightGoes,   // the parent hears LVN_ITEMCHANGED
    kColumnText,      // the column text routine is called after that (the list repopulates)
    kSortClick        // the routine is called by a header click's sort (which moves the records)
};
}  // namespace

class FilterListDropHostTest : public FilterListTest
{
protected:
    static FilterListDropHostTest* s_pTest;
    static bool s_bArmed;

    static int HostileText(ULONGLONG dwItemData, int nColumn, CString& text, unsigned long& clrText,
                           unsigned long& clrBack, int& nImage)
    {
        int nResult = ColumnText(dwItemData, nColumn, text, clrText, clrBack, nImage);
        if (s_bArmed && s_pTest != nullptr && s_pTest->m_phase != kHighlightGoes && s_pTest->m_bDropping)
            s_pTest->Act();
        return nResult;
    }

    void Act()
    {
        s_bArmed = false;
        ++m_nActed;
        switch (m_action)
        {
        case kDeleteTop:
            m_list.DeleteItem(0);
            break;
        case kAddRow:
            Add("Z");
            break;
        case kDestroy:
            m_list.DestroyWindow();
            m_nTextCallsAtDestroy = s_nTextCalls;
            break;
        }
    }

    // A..E on NSE with A and D ticked, filtered on NSE (so that a repopulation asks the routine).
    void Fill()
    {
        m_rows.clear();
        Build();
        m_list.InitColumnTextRtn(&FilterListDropHostTest::HostileText);
        m_list.m_bRowDrag = 1;
        for (const char* s : { "A", "B", "C", "D", "E" })
            Add(s);
        CString filter = "NSE";
        m_list.AddToFilteredCols(2, filter);
        m_list.PopulateList();
        std::vector<std::string> shown = Shown();
        for (size_t r = 0; r < shown.size(); ++r)
            m_list.SetCheck((int)r, shown[r] == "A" || shown[r] == "D");
    }
    // "symbol/check" of each shown row, top to bottom.
    std::vector<std::string> Rows()
    {
        std::vector<std::string> shown = Shown(), rows;
        for (size_t r = 0; r < shown.size(); ++r)
            rows.push_back(shown[r] + (m_list.GetCheck((int)r) ? "/x" : "/."));
        return rows;
    }

    // D and E dragged onto B with the mouse, the host armed from the release on.
    void Drop()
    {
        HWND hList = m_list.m_hWnd;
        m_list.SetItemState(-1, 0, LVIS_SELECTED);
        m_list.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
        m_list.SetItemState(4, LVIS_SELECTED, LVIS_SELECTED);
        CPoint to = RowDrag::RowPoint(hList, 1);
        RowDrag::Begin(hList, RowDrag::RowPoint(hList, 3), to);
        ASSERT_TRUE(m_list.IsDragging());
        s_bArmed = true;
        auto populate = m_host.m_answer;
        m_host.m_answer = [&](const sRecordedMsg& record, LRESULT& lResult) {
            // Paints before the release ask for texts too: the routine acts only once the drop began.
            if (s_bArmed && record.message == WM_NOTIFY && record.code == LVN_ITEMCHANGED && record.hwndFrom == hList)
            {
                m_bDropping = true;
                if (m_phase == kHighlightGoes)
                    Act();
            }
            return populate(record, lResult);
        };
        RowDrag::Release(hList, to);
        m_host.m_answer = populate;
    }
    // A click on the Symbol title, as the mouse gives it (the filter row is the lower half), the
    // host armed from the press on.
    void SortClick()
    {
        CHeaderCtrl* pHeader = m_list.GetHeaderCtrl();
        HWND hHeader = pHeader->m_hWnd;
        CRect rcItem, rcClient;
        pHeader->GetItemRect(0, &rcItem);
        pHeader->GetClientRect(&rcClient);
        LPARAM at = MAKELPARAM(rcItem.CenterPoint().x, rcClient.Height() / 4);
        m_bDropping = s_bArmed = true;
        ::SendMessageA(hHeader, WM_LBUTTONDOWN, MK_LBUTTON, at);
        if (::IsWindow(hHeader))
            ::SendMessageA(hHeader, WM_LBUTTONUP, 0, at);
        Pump();
    }

    ePhase m_phase = kHighlightGoes;
    eAction m_action = kDeleteTop;
    int m_nActed = 0;
    int m_nTextCallsAtDestroy = 0;
    bool m_bDropping = false;   // the drop highlight went: the drop itself is under way
};

FilterListDropHostTest* FilterListDropHostTest::s_pTest = nullptr;
bool FilterListDropHostTest::s_bArmed = false;

TEST_F(FilterListDropHostTest, HostChangingRowsDuringTheDropLosesOrMixesNothing)
{
    s_pTest = this;
    // D and E dragged onto B, or a sort by symbol. bOrdered: the order is checked too, else only that each row is there.
    const struct
    {
        const char* name;
        ePhase phase;
        eAction action;
        bool bOrdered;
        std::vector<std::string> expected;
    } cases[] = {
        { "highlight goes, top deleted", kHighlightGoes, kDeleteTop, true, { "D/x", "E/.", "B/.", "C/." } },
        { "highlight goes, row added", kHighlightGoes, kAddRow, false, { "Z/.", "A/x", "D/x", "E/.", "B/.", "C/." } },
        { "highlight goes, list destroyed", kHighlightGoes, kDestroy, true, {} },
        { "text asked, top deleted", kColumnText, kDeleteTop, false, { "B/.", "C/.", "D/x", "E/." } },
        { "text asked, row added", kColumnText, kAddRow, false, { "Z/.", "A/x", "D/x", "E/.", "B/.", "C/." } },
        { "text asked, list destroyed", kColumnText, kDestroy, true, {} },
        { "sort asks a text, top deleted", kSortClick, kDeleteTop, false, { "B/.", "C/.", "D/x", "E/." } },
        { "sort asks a text, row added", kSortClick, kAddRow, false, { "Z/.", "A/x", "D/x", "E/.", "B/.", "C/." } },
        { "sort asks a text, list destroyed", kSortClick, kDestroy, true, {} },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        if (m_list.GetSafeHwnd() == nullptr)
        {
            ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS,
                                      CRect(0, 0, 580, 380), &m_host, 1001));
        }
        m_list.DeleteAllItems();
        Fill();
        ASSERT_EQ((std::vector<std::string>{ "A/x", "B/.", "C/.", "D/x", "E/." }), Rows());
        HWND hList = m_list.m_hWnd;
        m_phase = c.phase;
        m_action = c.action;
        m_nActed = 0;
        m_bDropping = false;
        if (c.phase == kSortClick)
            SortClick();
        else
            Drop();
        s_bArmed = false;
        EXPECT_EQ(1, m_nActed);
        if (c.action == kDestroy)
        {
            EXPECT_FALSE(::IsWindow(hList));
            EXPECT_FALSE(m_list.IsDragging());
            EXPECT_EQ(m_nTextCallsAtDestroy, s_nTextCalls);   // no text asked for a list that is gone
            continue;
        }
        std::vector<std::string> rows = Rows();
        std::vector<std::string> expected = c.expected;
        if (!c.bOrdered)
        {
            std::sort(rows.begin(), rows.end());
            std::sort(expected.begin(), expected.end());
        }
        EXPECT_EQ(expected, rows);
        ExpectInvariants();
    }
    s_pTest = nullptr;
}
