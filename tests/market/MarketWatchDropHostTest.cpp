// Rows dropped after a mouse drag while the host, hearing one of the list's notifications of the
// drop (the drop highlight going, a row inserted), deletes a row above, inserts one
// above or destroys the list. Every row keeps its own texts, record and check box; no record is
// lost or doubled; a destroyed list is not touched again.
#include "TestHost.h"
#include "TestSupport.h"
#include "RowDrag.h"

#include "market/MrktWatchListCtrl.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace
{
enum eAction
{
    kDeleteTop,
    kInsertTop,
    kDestroy
};
}  // namespace

class MarketWatchDropHostTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        ASSERT_TRUE(m_holder.CreateRecorder(&m_frame, CRect(0, 0, 600, 400)));
    }
    void TearDown() override
    {
        m_holder.m_answer = nullptr;
        m_list.reset();
        m_holder.DestroyWindow();
        HostTest::TearDown();
    }
    // ACC, BPCL, CIPLA, DLF, EICHER with prices 100.. and BPCL, DLF checked.
    void Fill()
    {
        m_list = std::make_unique<CMrktWatchListCtrl>();
        ASSERT_TRUE(m_list->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(0, 0, 560, 300),
                                   &m_holder, 101));
        m_list->SetExtendedStyle(m_list->GetExtendedStyle() | LVS_EX_CHECKBOXES);
        m_list->CListCtrl::InsertColumn(0, "Symbol", LVCFMT_LEFT, 100, 0);
        m_list->CListCtrl::InsertColumn(1, "Last", LVCFMT_RIGHT, 80, 1);
        m_list->m_bRowDrag = 1;
        const char* names[] = { "ACC", "BPCL", "CIPLA", "DLF", "EICHER" };
        for (int r = 0; r < 5; ++r)
        {
            m_list->CListCtrl::InsertItem(LVIF_TEXT | LVIF_PARAM, r, names[r], 0, 0, 0, (LPARAM)&m_records[r]);
            m_list->CListCtrl::SetItemText(r, 1, std::to_string(100 + r).c_str());
            m_list->SetCheck(r, r == 1 || r == 3);
        }
    }
    // "symbol/last/record/check" of each row, top to bottom.
    std::vector<std::string> Rows()
    {
        std::vector<std::string> out;
        for (int r = 0; r < m_list->GetItemCount(); ++r)
            out.push_back(std::string((LPCTSTR)m_list->CListCtrl::GetItemText(r, 0)) + "/" +
                          (LPCTSTR)m_list->CListCtrl::GetItemText(r, 1) + "/" +
                          std::to_string((sMWStruct*)m_list->CListCtrl::GetItemData(r) - m_records) +
                          (m_list->GetCheck(r) ? "/x" : "/."));
        return out;
    }
    void Act(eAction action)
    {
        switch (action)
        {
        case kDeleteTop:
            m_list->CListCtrl::DeleteItem(0);
            break;
        case kInsertTop:
            m_list->CListCtrl::InsertItem(LVIF_TEXT | LVIF_PARAM, 0, "ZEEL", 0, 0, 0, (LPARAM)&m_records[5]);
            m_list->CListCtrl::SetItemText(0, 1, "105");
            break;
        case kDestroy:
            m_list->DestroyWindow();
            m_list.reset();
            break;
        }
    }

    CMessageRecorder m_holder;
    std::unique_ptr<CMrktWatchListCtrl> m_list;
    sMWStruct m_records[6] = {};
};

TEST_F(MarketWatchDropHostTest, HostChangingRowsDuringTheDropLosesOrMixesNothing)
{
    const std::string A = "ACC/100/0/.", B = "BPCL/101/1/x", C = "CIPLA/102/2/.", D = "DLF/103/3/x",
                      E = "EICHER/104/4/.", Z = "ZEEL/105/5/.";
    // DLF and EICHER dragged onto BPCL. The host acts on the first notification of `code` after
    // the drag started; bOrdered: the rows' order is checked too, else only that each is there.
    const struct
    {
        const char* name;
        UINT code;
        eAction action;
        bool bOrdered;
        std::vector<std::string> expected;
    } cases[] = {
        { "drop highlight goes, top deleted", LVN_ITEMCHANGED, kDeleteTop, true, { D, E, B, C } },
        { "drop highlight goes, row inserted on top", LVN_ITEMCHANGED, kInsertTop, true, { Z, A, D, E, B, C } },
        { "drop highlight goes, list destroyed", LVN_ITEMCHANGED, kDestroy, true, {} },
        { "row inserted, top deleted", LVN_INSERTITEM, kDeleteTop, false, { B, C, D, E } },
        { "row inserted, row inserted on top", LVN_INSERTITEM, kInsertTop, false, { A, B, C, D, E, Z } },
        { "row inserted, list destroyed", LVN_INSERTITEM, kDestroy, true, {} },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        Fill();
        HWND hList = m_list->m_hWnd;
        m_list->SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
        m_list->SetItemState(4, LVIS_SELECTED, LVIS_SELECTED);
        CPoint to = RowDrag::RowPoint(hList, 1);
        RowDrag::Begin(hList, RowDrag::RowPoint(hList, 3), to);
        int nActed = 0;
        m_holder.m_answer = [&](const sRecordedMsg& record, LRESULT&) {
            if (record.message == WM_NOTIFY && record.code == c.code && nActed == 0)
            {
                ++nActed;
                Act(c.action);
            }
            return false;
        };
        RowDrag::Release(hList, to);
        m_holder.m_answer = nullptr;
        EXPECT_EQ(1, nActed);
        if (c.action == kDestroy)
        {
            EXPECT_FALSE(::IsWindow(hList));
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
        m_list.reset();
    }
}
