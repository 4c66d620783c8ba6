// Rows streamed into a visible filter list under reverse display (the newest row on top): the
// newest row is brought into view unless the list has the focus, and a burst of rows hands the
// platform its item count once, not once per row.
#include "FilterListFixture.h"

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
