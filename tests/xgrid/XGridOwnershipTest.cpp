// The extended grid against a hostile host: a receiver of its check-box notifications that deletes
// the grid, and item data set through the base list, which the grid must never take for its own
// cells (nor free).
#include "Quarantine.h"
#include "TestHost.h"
#include "TestSupport.h"
#include "xgrid/XListCtrl.h"

#include <functional>
#include <string>
#include <vector>

namespace
{
using CGoneGrid = CQuarantined<CXListCtrl>;

class XGridOwnershipTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        ASSERT_TRUE(m_parent.CreateRecorder(nullptr, CRect(20, 20, 520, 420)));
        m_parent.m_answer = [this](const sRecordedMsg& r, LRESULT&) {
            if (r.message == WM_XLISTCTRL_CHECKBOX_CLICKED)
            {
                m_events.push_back("check " + std::string(reinterpret_cast<char*>(r.wParam)));
                delete[] reinterpret_cast<char*>(r.wParam);
                if (m_onCheck)
                    m_onCheck();
            }
            else if (r.message == WM_XLISTCTRL_HEADER_CHECK)
            {
                m_events.push_back("header");
            }
            return false;
        };
    }
    void TearDown() override
    {
        delete m_pList;
        m_parent.DestroyWindow();
        CGoneGrid::Release();
        HostTest::TearDown();
    }
    // A grid of three rows, each with a check box in column 1 under a header check box.
    void MakeGrid()
    {
        m_pList = new CGoneGrid;
        ASSERT_TRUE(m_pList->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 480, 360), &m_parent, 700));
        m_pList->InsertColumn(0, "Name", LVCFMT_LEFT, 120);
        m_pList->InsertColumn(1, "Active", LVCFMT_LEFT, 80);
        for (int r = 0; r < 3; ++r)
        {
            m_pList->InsertItem(r, ("row " + std::to_string(r)).c_str());
            m_pList->SetCheckbox(r, 1, 0);
        }
        m_pList->SetHeaderCheckedState(1, XHEADER_CHECK_UNCHECKED);
    }

    CMessageRecorder m_parent;
    CXListCtrl* m_pList = nullptr;
    std::vector<std::string> m_events;
    std::function<void()> m_onCheck;
};

TEST_F(XGridOwnershipTest, GridDeletedByTheReceiverOfItsCheckBoxNotificationIsNotUsedAgain)
{
    struct Case
    {
        const char* name;
        bool bHeader;   // the header check box, else a cell's
        std::vector<std::string> events;
    };
    const Case cases[] = { { "cell check box", false, { "check 1|1" } },
                           { "header check box", true, { "header", "check 0|1" } } };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        MakeGrid();
        m_events.clear();
        m_onCheck = [this] {
            delete m_pList;
            m_pList = nullptr;
        };
        const HWND hList = m_pList->m_hWnd;
        CWnd* pWnd = nullptr;
        CPoint pt;
        if (c.bHeader)
        {
            CRect rc;
            m_pList->GetHeaderCtrl()->GetItemRect(1, &rc);
            pWnd = &static_cast<CXListCtrl*>(m_pList)->m_HeaderCtrl;
            pt = rc.CenterPoint();
        }
        else
        {
            CRect rc;
            m_pList->GetCellRect(1, 1, rc);
            pWnd = m_pList;
            pt = CPoint(rc.left + XLIST_CHECKBOX_MARGIN + XLIST_CHECKBOX_SIZE / 2, rc.CenterPoint().y);
        }
        const HWND hTarget = pWnd->m_hWnd;
        ::PostMessageA(hTarget, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        ::SendMessageA(hTarget, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        AfxPumpPendingMessages();
        m_onCheck = nullptr;
        EXPECT_EQ(nullptr, m_pList);
        EXPECT_FALSE(::IsWindow(hList));
        EXPECT_TRUE(SameSequence(m_events, c.events));
        EXPECT_EQ(0u, CGoneGrid::WrittenAfterDelete());
        CGoneGrid::Release();
    }
}

TEST_F(XGridOwnershipTest, ItemDataSetThroughTheBaseListIsTheHostsAndNeverFreed)
{
    // The host's own row record: freeing it as a cell array would corrupt the heap or crash.
    static char hostRecord[256] = "host record";
    struct Case
    {
        const char* name;
        std::function<int(CXListCtrl&)> insert;   // the row holding the host's value
    };
    const Case cases[] = {
        { "base InsertItem with LVIF_PARAM",
          [](CXListCtrl& list) {
              return list.CListCtrl::InsertItem(LVIF_TEXT | LVIF_PARAM, 3, "host row", 0, 0, 0, (LPARAM)hostRecord);
          } },
        { "base SetItemData on a row of the grid",
          [](CXListCtrl& list) {
              const int nRow = list.InsertItem(3, "grid row");
              list.SetCheckbox(nRow, 1, 1);
              list.CListCtrl::SetItemData(nRow, (DWORD_PTR)hostRecord);
              return nRow;
          } },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        MakeGrid();
        m_pList->SetCheckbox(0, 1, 1);
        const int nRow = c.insert(*m_pList);
        ASSERT_EQ(3, nRow);
        // A plain row: no cells to read or change, the host's value kept where it put it.
        EXPECT_EQ((DWORD_PTR)hostRecord, m_pList->CListCtrl::GetItemData(nRow));
        EXPECT_EQ(-1, m_pList->GetCheckbox(nRow, 1));
        EXPECT_EQ(0, m_pList->SetCheckbox(nRow, 1, 1));
        EXPECT_EQ(0u, m_pList->GetItemData(nRow));
        // The header's count covers the grid's own cells only.
        EXPECT_EQ(1, m_pList->CountCheckedItems(1));
        m_pList->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_TRUE(m_pList->DeleteItem(nRow));
        EXPECT_EQ(1, m_pList->CountCheckedItems(1));
        c.insert(*m_pList);
        // Deleting every row, then the grid, leaves the host's record alone.
        EXPECT_TRUE(m_pList->DeleteAllItems());
        EXPECT_EQ(0, m_pList->CountCheckedItems(1));
        c.insert(*m_pList);
        delete m_pList;
        m_pList = nullptr;
        EXPECT_STREQ("host record", hostRecord);
    }
}

TEST_F(XGridOwnershipTest, CheckedCountsFollowRowsWhateverDeletesThem)
{
    MakeGrid();
    for (int r = 0; r < 3; ++r)
        m_pList->SetCheckbox(r, 1, 1);
    EXPECT_EQ(XHEADER_CHECK_CHECKED, m_pList->GetHeaderCheckedState(1));
    EXPECT_EQ(3, m_pList->CountCheckedItems(1));
    m_pList->DeleteItem(0);
    EXPECT_EQ(2, m_pList->CountCheckedItems(1));
    m_pList->SendMessage(LVM_DELETEITEM, 0);   // past the grid's own DeleteItem
    EXPECT_EQ(1, m_pList->CountCheckedItems(1));
    m_pList->SetCheckbox(0, 1, 0);
    EXPECT_EQ(0, m_pList->CountCheckedItems(1));
    EXPECT_EQ(XHEADER_CHECK_UNCHECKED, m_pList->GetHeaderCheckedState(1));
    m_pList->SetCheckbox(0, 1, 1);
    EXPECT_EQ(XHEADER_CHECK_CHECKED, m_pList->GetHeaderCheckedState(1));
}
}  // namespace
