// The multi-line list puts its rows in order (SortOn, a header click) while the host, asked for a
// text by the sort, deletes the top row, adds a row or destroys the list: every order is shown
// once with its own texts, and a destroyed list asks for no further text.
#include "TestHost.h"
#include "TestSupport.h"
#include "market/MultiLineListCtrl.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{
struct sOrder
{
    std::string symbol;
    std::string price;
};

std::function<void()> g_onText;   // what the host does from inside its routine, once
int g_nTextCalls = 0;

int OrderText(ULONGLONG dwValue, int nColumn, CString& text, unsigned long&, unsigned long&, int&, int)
{
    ++g_nTextCalls;
    if (g_onText)
    {
        std::function<void()> act = std::move(g_onText);
        g_onText = nullptr;
        act();
    }
    const sOrder& order = *reinterpret_cast<const sOrder*>(dwValue);
    text = nColumn == 0 ? order.symbol.c_str() : order.price.c_str();
    return 1;
}

enum eAction
{
    kDeleteTop,
    kAddRow,
    kDestroy
};
}  // namespace

class MultiLineListSortHostTest : public HostTest
{
protected:
    void TearDown() override
    {
        g_onText = nullptr;
        m_list.reset();
        if (m_host.GetSafeHwnd() != nullptr)
            m_host.DestroyWindow();
        HostTest::TearDown();
    }
    // Orders D 40, B 20, E 50, A 10, C 30 (shown in that order) with columns Order and Price.
    void Build()
    {
        if (m_host.GetSafeHwnd() == nullptr)
        {
            ASSERT_TRUE(m_host.CreateRecorder(&m_frame, CRect(0, 0, 600, 400), 0));
        }
        m_list = std::make_unique<CMultiLineListCtrl>();
        ASSERT_TRUE(m_list->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_OWNERDRAWFIXED,
                                  CRect(0, 0, 580, 380), &m_host, 1002));
        static const char* const names[] = { "Order", "Price" };
        for (int c = 0; c < 2; ++c)
        {
            sOrvoColInfo info = {};
            snprintf(info.szColName, sizeof(info.szColName), "%s", names[c]);
            info.nWidth = 150;
            info.nDataType = c == 0 ? LIST_SORT_TEXT : LIST_SORT_DECIMAL;
            m_list->m_arrColInfo.Add(info);
        }
        m_list->m_csListName = "OrderBook";
        m_list->InitColumnTextRtn(&OrderText);
        m_list->InsertColumnsForList(nullptr);
        m_list->SetUseFilter(TRUE);
        m_orders.clear();
        for (const char* s : { "D", "B", "E", "A", "C" })
            Add(s);
    }
    void Add(const char* symbol)
    {
        m_orders.push_back({ symbol, std::to_string((symbol[0] - 'A' + 1) * 10) });
        m_list->InsertItem(0, "");
        m_list->SetItemData(0, (DWORD_PTR)&m_orders.back(), 1);
    }
    // "order/price" of each line, top to bottom.
    std::vector<std::string> Lines()
    {
        std::vector<std::string> lines;
        for (int i = 0; i < m_list->GetVisibleCountEx(); ++i)
            lines.push_back(std::string((LPCTSTR)m_list->GetItemText(i, 0)) + "/" + (LPCTSTR)m_list->GetItemText(i, 1));
        return lines;
    }

    CMessageRecorder m_host;
    std::unique_ptr<CMultiLineListCtrl> m_list;
    std::deque<sOrder> m_orders;
};

TEST_F(MultiLineListSortHostTest, HostChangingRowsDuringTheSortLosesOrMixesNothing)
{
    const struct
    {
        const char* name;
        eAction action;
        std::vector<std::string> expected;   // in any order
    } cases[] = {
        { "top deleted", kDeleteTop, { "A/10", "B/20", "C/30", "E/50" } },
        { "row added", kAddRow, { "A/10", "B/20", "C/30", "D/40", "E/50", "Z/260" } },
        { "list destroyed", kDestroy, {} },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        Build();
        ASSERT_EQ((std::vector<std::string>{ "D/40", "B/20", "E/50", "A/10", "C/30" }), Lines());
        HWND hList = m_list->m_hWnd;
        int nCallsAtDestroy = -1;
        g_onText = [&] {
            switch (c.action)
            {
            case kDeleteTop:
                m_list->DeleteItem(0);
                break;
            case kAddRow:
                Add("Z");
                break;
            case kDestroy:
                m_list->DestroyWindow();
                nCallsAtDestroy = g_nTextCalls;
                break;
            }
        };
        m_list->SortOn(0, 1);
        AfxPumpPendingMessages();
        EXPECT_FALSE(g_onText);   // the host acted
        g_onText = nullptr;
        if (c.action == kDestroy)
        {
            EXPECT_FALSE(::IsWindow(hList));
            EXPECT_EQ(nCallsAtDestroy, g_nTextCalls);   // no text asked for a list that is gone
            continue;
        }
        std::vector<std::string> lines = Lines();
        std::vector<std::string> expected = c.expected;
        std::sort(lines.begin(), lines.end());
        EXPECT_EQ(expected, lines);
    }
}
