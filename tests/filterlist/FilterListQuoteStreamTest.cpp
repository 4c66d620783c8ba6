// A stream of quotes through RepaintMapItem: rows leave and come back many times between two
// renumberings of the rows' display indexes, in a display array in filter order and in one a sort
// reordered; and an on-screen row is repainted for every quote, its invalidation waiting at most
// for the next message that reaches the list.
#include "FilterListFixture.h"

#include <algorithm>

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
