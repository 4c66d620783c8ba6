// Rows and quotes streamed in as a feed sends them: quotes move rows across the filter in filter
// order and in a sorted order; an on-screen row is repainted for every quote, no later than the next
// message; under reverse display the newest row is brought into view unless the list has the focus,
// and a burst of rows hands the platform its item count once.
#include "FilterListFixture.h"

#include <algorithm>

namespace
{
HWND s_hCounted = nullptr;
int s_nCountHandovers = 0;

LRESULT CALLBACK CountHandovers(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* p = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (nCode == HC_ACTION && p->hwnd == s_hCounted && p->message == LVM_SETITEMCOUNT)
        ++s_nCountHandovers;
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}
}  // namespace

TEST_F(FilterListTest, QuoteStreamKeepsEveryRowInItsPlaceInFilterOrderAndSorted)
{
    for (bool bShuffled : { false, true })
    {
        SCOPED_TRACE(bShuffled ? "sorted display" : "display in filter order");
        if (m_list.m_arrColInfo.GetSize() == 0)
            Build();
        Refill();
        const int nRows = 300;
        for (int k = 0; k < nRows; ++k)
            Add(("S" + std::to_string(1000 + k)).c_str(), k % 3 == 0 ? "10" : "100");
        CString filter = ">50";
        m_list.AddToFilteredCols(1, filter);
        m_list.PopulateList();
        if (bShuffled)
        {
            // An order no map index order gives, as a sort leaves it.
            for (INT_PTR d = 0; d + 1 < m_list.m_arrDisplay.GetSize(); d += 2)
                std::swap(m_list.m_arrDisplay[d], m_list.m_arrDisplay[m_list.GetDisplayCount() - 1 - d / 2]);
            m_list.OnDisplayArrayChanged();
        }
        std::vector<int> display(m_list.m_arrDisplay.GetData(), m_list.m_arrDisplay.GetData() + m_list.GetDisplayCount());

        unsigned seed = 77;
        for (int step = 0; step < 3000 && !HasFailure(); ++step)
        {
            seed = seed * 1103515245u + 12345u;
            const int m = (int)((seed >> 8) % (unsigned)nRows);
            sInstrument* pRow = Row((size_t)m);
            // Most quotes keep the row where it is; every third one moves it across the filter.
            if ((seed >> 20) % 3 == 0)
                pRow->price = pRow->price == "10" ? "100" : "10";
            const bool bPasses = pRow->price == "100";
            auto at = std::find(display.begin(), display.end(), m);
            // 0: repainted in place, -1: left the display, 1: not shown (came back if it passes).
            const int expected = at != display.end() ? (bPasses ? 0 : -1) : 1;
            if (at != display.end() && !bPasses)
                display.erase(at);
            else if (at == display.end() && bPasses)
                display.insert(std::find_if(display.begin(), display.end(), [m](int e) { return e > m; }), m);
            ASSERT_EQ(expected, m_list.RepaintMapItem(m)) << "step " << step;
            ASSERT_EQ((int)display.size(), m_list.GetDisplayCount()) << "step " << step;
            ASSERT_TRUE(std::equal(display.begin(), display.end(), m_list.m_arrDisplay.GetData())) << "step " << step;
        }
        ExpectInvariants();
    }
}

TEST_F(FilterListTest, OnScreenRowQuotedIsRepaintedAtTheNextMessageEveryTime)
{
    Build();
    for (int k = 0; k < 20; ++k)
        Add(("S" + std::to_string(k)).c_str(), "100");
    Pump(600);   // the fill's coalesced repaint is over
    CRect rcRow, rcClient;
    ASSERT_TRUE(m_list.GetItemRect(2, &rcRow, LVIR_BOUNDS));
    m_list.GetClientRect(&rcClient);
    rcRow.IntersectRect(&rcRow, &rcClient);
    for (int nQuote = 0; nQuote < 3; ++nQuote)
    {
        CRect rcUpdate;
        ASSERT_FALSE(::GetUpdateRect(m_list.m_hWnd, &rcUpdate, FALSE)) << "quote " << nQuote;
        Row(2)->price = std::to_string(101 + nQuote);
        EXPECT_EQ(0, m_list.RepaintMapItem(2));
        EXPECT_EQ(0, m_list.RepaintMapItem(2));   // twice before the paint
        // Invalid before any message reaches the list, a paint included.
        m_list.SendMessage(WM_NULL);
        ASSERT_TRUE(::GetUpdateRect(m_list.m_hWnd, &rcUpdate, FALSE)) << "quote " << nQuote;
        EXPECT_EQ(rcRow, rcUpdate) << "quote " << nQuote;
        const int nCallsBefore = s_nTextCalls;
        Pump();
        EXPECT_GT(s_nTextCalls, nCallsBefore) << "quote " << nQuote << ": the row was not painted";
    }
    // A quote alone, the host's loop running: painted without anything else happening.
    Row(2)->price = "200";
    EXPECT_EQ(0, m_list.RepaintMapItem(2));
    const int nCallsBefore = s_nTextCalls;
    Pump();
    EXPECT_GT(s_nTextCalls, nCallsBefore);
    CRect rcUpdate;
    EXPECT_FALSE(::GetUpdateRect(m_list.m_hWnd, &rcUpdate, FALSE));
}

TEST_F(FilterListTest, ReverseFillShowsTheNewestRowAndHandsTheCountOverOnce)
{
    const struct { const char* name; bool bFocusOnList, bDeleteLast, bHostAsksTop; } cases[] = {
        { "unfocused: the newest row is brought into view", false, false, false },
        { "unfocused, the host asks the top row at once", false, false, true },
        { "unfocused, the burst ends with a delete of the top row", false, true, false },
        { "focused: the user's page stays", true, false, false },
    };
    CEdit other;
    ASSERT_TRUE(other.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), &m_frame, 77));
    Build();
    m_list.SetReverseDisplay(true);
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        Refill();
        for (int i = 0; i < 60; ++i)
            Add(("OLD" + std::to_string(i)).c_str());
        Pump();
        m_list.EnsureVisible(59, FALSE);   // the user scrolled down
        Pump();
        const int nUserTop = m_list.GetTopIndex();
        ASSERT_GT(nUserTop, 0);
        if (c.bFocusOnList)
            m_list.SetFocus();
        else
            other.SetFocus();
        Pump();
        s_hCounted = m_list.m_hWnd;
        s_nCountHandovers = 0;
        HHOOK hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, &CountHandovers, nullptr, ::GetCurrentThreadId());
        ASSERT_NE(nullptr, hHook);
        for (int i = 0; i < 40; ++i)
            Add(("NEW" + std::to_string(i)).c_str());
        if (c.bDeleteLast)
        {
            EXPECT_EQ(1, m_list.DeleteItem(0));
        }
        const int nTopAsked = c.bHostAsksTop ? m_list.GetTopIndex() : -1;   // before any pump
        Pump();
        ::UnhookWindowsHookEx(hHook);
        EXPECT_LE(s_nCountHandovers, 1);
        const int nTop = m_list.GetTopIndex();
        EXPECT_EQ(c.bFocusOnList ? nUserTop : 0, nTop);
        if (c.bHostAsksTop)
        {
            EXPECT_EQ(nTop, nTopAsked);
        }
        Texts shown = Shown();
        ASSERT_EQ(c.bDeleteLast ? 99u : 100u, shown.size());
        EXPECT_EQ(c.bDeleteLast ? "NEW38" : "NEW39", shown[0]);
        EXPECT_EQ("OLD0", shown.back());
        ExpectInvariants();
    }
}
