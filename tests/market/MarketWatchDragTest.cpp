// Rows of the market watch reordered with the mouse: each dragged row is deleted and inserted
// again with its texts, item data and check box, in normal order; the host, which owns the row
// records and hears every delete and insert, ends with the same records, none lost or doubled.
#include "TestHost.h"
#include "TestSupport.h"
#include "RowDrag.h"
#include "market/MrktWatchListCtrl.h"

#include <algorithm>
#include <string>

class MarketWatchDragTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        ASSERT_TRUE(m_holder.CreateRecorder(&m_frame, CRect(0, 0, 600, 400)));
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(0, 0, 560, 300),
                                  &m_holder, 1201));
        m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_CHECKBOXES);
        m_list.CListCtrl::InsertColumn(0, "Symbol", LVCFMT_LEFT, 100, 0);
        m_list.CListCtrl::InsertColumn(1, "Last", LVCFMT_RIGHT, 80, 1);
        m_list.m_bRowDrag = 1;
        const char* symbols[] = { "ACC", "BPCL", "CIPLA", "DLF", "EICHER" };
        for (int r = 0; r < 5; ++r)
        {
            m_records[r] = { nullptr, nullptr };
            m_list.CListCtrl::InsertItem(LVIF_TEXT | LVIF_PARAM, r, symbols[r], 0, 0, 0, (LPARAM)&m_records[r]);
            m_list.CListCtrl::SetItemText(r, 1, std::to_string(100 + r).c_str());
        }
        m_list.SetCheck(1, TRUE);   // BPCL
        m_list.SetCheck(3, TRUE);   // DLF
    }
    void TearDown() override
    {
        if (m_list.GetSafeHwnd() != nullptr)
            m_list.DestroyWindow();
        m_holder.DestroyWindow();
        HostTest::TearDown();
    }
    // "symbol/last/record/check" of each row, top to bottom.
    std::vector<std::string> Rows()
    {
        std::vector<std::string> rows;
        for (int r = 0; r < m_list.GetItemCount(); ++r)
        {
            int nRecord = (int)((sMWStruct*)m_list.CListCtrl::GetItemData(r) - m_records);
            rows.push_back(std::string((LPCTSTR)m_list.CListCtrl::GetItemText(r, 0)) + "/" +
                           (LPCTSTR)m_list.CListCtrl::GetItemText(r, 1) + "/" + std::to_string(nRecord) +
                           (m_list.GetCheck(r) ? "/x" : "/."));
        }
        return rows;
    }
    void Select(const std::vector<int>& rows)
    {
        m_list.SetItemState(-1, 0, LVIS_SELECTED);
        for (int r : rows)
            m_list.SetItemState(r, LVIS_SELECTED, LVIS_SELECTED);
    }

    CMessageRecorder m_holder;
    CMrktWatchListCtrl m_list;
    sMWStruct m_records[5];
};

TEST_F(MarketWatchDragTest, DraggedRowsAreReinsertedWithTextsDataAndChecks)
{
    struct sCase
    {
        const char* name;
        std::vector<int> selected;
        int nDrop;
        std::vector<std::string> expected;
    };
    const std::string A = "ACC/100/0/.", B = "BPCL/101/1/x", C = "CIPLA/102/2/.", D = "DLF/103/3/x", E = "EICHER/104/4/.";
    const sCase cases[] = {
        { "one row down", { 0 }, 2, { B, C, A, D, E } },
        { "two rows up", { 3, 4 }, 1, { A, D, E, B, C } },
        { "two rows down", { 0, 1 }, 3, { C, D, A, B, E } },
    };
    for (const sCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        std::vector<std::string> before = Rows();
        Select(c.selected);
        m_holder.Clear();
        RowDrag::Drag(m_list.m_hWnd, c.selected.front(), RowDrag::RowPoint(m_list.m_hWnd, c.nDrop));
        EXPECT_EQ(c.expected, Rows());
        EXPECT_EQ(0u, m_list.GetSelectedCount());
        // The host heard of one delete and one insert per dragged row.
        EXPECT_EQ(c.selected.size(), m_holder.Count(WM_NOTIFY, LVN_DELETEITEM));
        EXPECT_EQ(c.selected.size(), m_holder.Count(WM_NOTIFY, LVN_INSERTITEM));
        // Back to the starting order for the next case, by the host.
        m_list.DeleteAllItems();
        for (size_t r = 0; r < before.size(); ++r)
        {
            const char* names[] = { "ACC", "BPCL", "CIPLA", "DLF", "EICHER" };
            m_list.CListCtrl::InsertItem(LVIF_TEXT | LVIF_PARAM, (int)r, names[r], 0, 0, 0, (LPARAM)&m_records[r]);
            m_list.CListCtrl::SetItemText((int)r, 1, std::to_string(100 + r).c_str());
            m_list.SetCheck((int)r, r == 1 || r == 3);
        }
    }
}

TEST_F(MarketWatchDragTest, AHostDeletingRowsDuringTheDropLosesAndDoublesNothing)
{
    // On the first insert it hears of, the host deletes the top row (ACC).
    int nInserts = 0;
    m_holder.m_answer = [&](const sRecordedMsg& record, LRESULT&) {
        if (record.message == WM_NOTIFY && record.code == LVN_INSERTITEM && nInserts++ == 0)
            m_list.CListCtrl::DeleteItem(0);
        return false;
    };
    Select({ 3, 4 });
    RowDrag::Drag(m_list.m_hWnd, 3, RowDrag::RowPoint(m_list.m_hWnd, 1));
    std::vector<int> seen(5, 0);
    for (int r = 0; r < m_list.GetItemCount(); ++r)
        seen[(size_t)((sMWStruct*)m_list.CListCtrl::GetItemData(r) - m_records)]++;
    for (int i = 0; i < 5; ++i)
        EXPECT_LE(seen[(size_t)i], 1) << i;
    EXPECT_EQ(1, seen[3]);   // the dragged ones are back
    EXPECT_EQ(1, seen[4]);
    EXPECT_EQ(0, seen[0]);
    EXPECT_EQ(4, m_list.GetItemCount());
}
