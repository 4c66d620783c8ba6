// The header check box of the common list, clicked with the mouse on the header, kept in step
// with the rows' check boxes, and safe against a host that deletes rows while all are checked.
#include "TestHost.h"
#include "TestSupport.h"
#include "RowDrag.h"
#include "lists/CommonListCtrl.h"

#include <string>

class ListHeaderCheckTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        ASSERT_TRUE(m_parent.CreateRecorder(&m_frame, CRect(0, 0, 500, 300)));
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 480, 280), &m_parent, 1001));
        m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_CHECKBOXES);
        m_list.InsertColumn(0, "Symbol", LVCFMT_LEFT, 120, 0);
        m_list.InsertColumn(1, "Last", LVCFMT_RIGHT, 80, 1);
        for (int r = 0; r < 4; ++r)
            m_list.InsertItem(r, ("ROW" + std::to_string(r)).c_str());
        m_list.EnableHeaderCheckBox();
        RowDrag::Pump();
    }
    void TearDown() override
    {
        if (m_list.GetSafeHwnd() != nullptr)
            m_list.DestroyWindow();
        m_parent.DestroyWindow();
        HostTest::TearDown();
    }
    // A left click on the box at the left of column 0's header item.
    void ClickHeaderBox()
    {
        HWND hHeader = m_list.GetHeaderCtrl()->m_hWnd;
        RECT rc = {};
        ::SendMessageA(hHeader, HDM_GETITEMRECT, 0, (LPARAM)&rc);
        CPoint pt(rc.left + 4 + 6, (rc.top + rc.bottom) / 2);
        RowDrag::Post(hHeader, WM_LBUTTONDOWN, MK_LBUTTON, pt);
        RowDrag::Post(hHeader, WM_LBUTTONUP, 0, pt);
    }
    std::string Checks()
    {
        std::string s;
        for (int r = 0; r < m_list.GetItemCount(); ++r)
            s += m_list.GetCheck(r) ? 'x' : '.';
        return s;
    }

    CMessageRecorder m_parent;
    CCommonListCtrl m_list;
};

TEST_F(ListHeaderCheckTest, ClickingTheBoxTicksAndClearsEveryRow)
{
    HDITEMA item = {};
    item.mask = HDI_FORMAT;
    m_list.GetHeaderCtrl()->GetItem(0, &item);
    EXPECT_TRUE(item.fmt & HDF_CHECKBOX);
    EXPECT_TRUE(m_list.GetHeaderCtrl()->GetStyle() & HDS_CHECKBOXES);
    std::printf("platform header check boxes: %s\n", CCommonListCtrl::PlatformHasHeaderCheckBoxes() ? "yes" : "no");

    ClickHeaderBox();
    EXPECT_EQ("xxxx", Checks());
    EXPECT_EQ(1, m_list.GetHeaderCheckboxState());
    // The parent heard of every row's change.
    EXPECT_EQ(4u, m_parent.Count(WM_NOTIFY, LVN_ITEMCHANGED));
    ClickHeaderBox();
    EXPECT_EQ("....", Checks());
    EXPECT_EQ(0, m_list.GetHeaderCheckboxState());
}

TEST_F(ListHeaderCheckTest, TheBoxFollowsRowChanges)
{
    struct sStep
    {
        const char* name;
        std::function<void(CCommonListCtrl&)> act;
        int nState;
    };
    const sStep steps[] = {
        { "all rows ticked one by one", [](CCommonListCtrl& l) { for (int r = 0; r < 4; ++r) l.SetCheck(r, TRUE); }, 1 },
        { "one row cleared", [](CCommonListCtrl& l) { l.SetCheck(2, FALSE); }, 0 },
        { "ticked again", [](CCommonListCtrl& l) { l.SetCheck(2, TRUE); }, 1 },
        { "an unticked row added", [](CCommonListCtrl& l) { l.InsertItem(4, "NEW"); }, 0 },
        { "that row deleted", [](CCommonListCtrl& l) { l.DeleteItem(4); }, 1 },
        { "sorted on column 0", [](CCommonListCtrl& l) { l.SortOn(0, 1); }, 1 },
        { "every row deleted", [](CCommonListCtrl& l) { l.DeleteAllItems(); }, 0 },
        { "the box clicked on an empty list", [](CCommonListCtrl& l) { l.CheckAllItems(1); }, 0 },
    };
    for (const sStep& step : steps)
    {
        SCOPED_TRACE(step.name);
        step.act(m_list);
        RowDrag::Pump();
        EXPECT_EQ(step.nState, m_list.GetHeaderCheckboxState());
    }
}

TEST_F(ListHeaderCheckTest, HostDeletingRowsWhileAllAreChecked)
{
    // The parent deletes a row on every change it hears of.
    m_parent.m_answer = [this](const sRecordedMsg& record, LRESULT&) {
        if (record.message == WM_NOTIFY && record.code == LVN_ITEMCHANGED && m_list.GetItemCount() > 1)
            m_list.DeleteItem(m_list.GetItemCount() - 1);
        return false;
    };
    ClickHeaderBox();
    RowDrag::Pump();
    EXPECT_GE(m_list.GetItemCount(), 1);
    EXPECT_EQ(std::string((size_t)m_list.GetItemCount(), 'x'), Checks());
    EXPECT_EQ(1, m_list.GetHeaderCheckboxState());

    // And one that destroys the list on the first change.
    m_parent.m_answer = [this](const sRecordedMsg& record, LRESULT&) {
        if (record.message == WM_NOTIFY && record.code == LVN_ITEMCHANGED && m_list.GetSafeHwnd() != nullptr)
            m_list.DestroyWindow();
        return false;
    };
    m_list.CheckAllItems(0);
    EXPECT_EQ(nullptr, m_list.GetSafeHwnd());
}
