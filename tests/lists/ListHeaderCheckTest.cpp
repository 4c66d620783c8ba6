// The header check box of the common list, clicked with the mouse on the header, kept in step
// with the rows' check boxes, and safe against a host that deletes rows while all are checked.
#include "ListFixture.h"

class ListHeaderCheckTest : public PlainListTest
{
protected:
    void SetUp() override
    {
        PlainListTest::SetUp();
        Make(0, { "Symbol", "Last" }, { "ROW0", "ROW1", "ROW2", "ROW3" });
        m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_CHECKBOXES);
        m_list.EnableHeaderCheckBox();
        RowDrag::Pump();
        m_parent.Clear();
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
};

TEST_F(ListHeaderCheckTest, ClicksOnTheBoxTickEveryRowAndTheBoxFollowsRowChanges)
{
    // checks: the rows' boxes afterwards
    const struct { const char* name; std::function<void()> act; int nState; const char* checks; } steps[] = {
        { "the box clicked", [this] { ClickHeaderBox(); }, 1, "xxxx" },
        { "clicked again", [this] { ClickHeaderBox(); }, 0, "...." },
        { "all rows ticked one by one", [this] { for (int r = 0; r < 4; ++r) m_list.SetCheck(r, TRUE); }, 1, "xxxx" },
        { "one row cleared", [this] { m_list.SetCheck(2, FALSE); }, 0, "xx.x" },
        { "an unticked row added", [this] { m_list.SetCheck(2, TRUE); m_list.InsertItem(4, "NEW"); }, 0, "xxxx." },
        { "that row deleted", [this] { m_list.DeleteItem(4); }, 1, "xxxx" },
        { "sorted on column 0", [this] { m_list.SortOn(0, 1); }, 1, "xxxx" },
        { "every row deleted", [this] { m_list.DeleteAllItems(); }, 0, "" },
        { "the box clicked on an empty list", [this] { m_list.CheckAllItems(1); }, 0, "" },
    };
    for (const auto& step : steps)
    {
        SCOPED_TRACE(step.name);
        step.act();
        RowDrag::Pump();
        EXPECT_EQ(step.nState, m_list.GetHeaderCheckboxState());
        EXPECT_EQ(step.checks, Checks());
        if (&step == &steps[0]) { EXPECT_EQ(4u, m_parent.Count(WM_NOTIFY, LVN_ITEMCHANGED)); }   // every row
    }
}

TEST_F(ListHeaderCheckTest, HostDeletingRowsOrTheListWhileAllAreChecked)
{
    // The parent deletes a row on every change it hears of.
    m_parent.m_answer = [this](const sRecordedMsg& record, LRESULT&) {
        if (record.message == WM_NOTIFY && record.code == LVN_ITEMCHANGED && m_list.GetItemCount() > 1)
            m_list.DeleteItem(m_list.GetItemCount() - 1);
        return false;
    };
    ClickHeaderBox();
    RowDrag::Pump();
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
