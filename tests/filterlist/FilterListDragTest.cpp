// Rows of a filter list reordered with the mouse (normal and reverse display): dropped rows land in
// order with their check states, drops that must move nothing, the host refilling the list
// mid-drag, and the header check box following the rows' own check states.
#include "FilterListFixture.h"
#include "RowDrag.h"

#include <algorithm>

namespace
{
const int kBelowRows = -1;   // drop on the empty area below the last row
}

class FilterListDragTest : public FilterListTest
{
protected:
    void Fill(const Texts& symbols, bool bReverse = false)
    {
        Build();
        m_list.m_bRowDrag = 1;
        m_list.SetReverseDisplay(bReverse);
        Refill(symbols);
        m_list.PopulateList();
    }
    void Select(const std::vector<int>& rows)
    {
        m_list.SetItemState(-1, 0, LVIS_SELECTED);
        for (int r : rows)
            m_list.SetItemState(r, LVIS_SELECTED, LVIS_SELECTED);
    }
    CPoint DropPoint(int nRow)
    {
        CRect client;
        m_list.GetClientRect(&client);
        return nRow == kBelowRows ? CPoint(40, client.bottom - 10) : RowDrag::RowPoint(m_list.m_hWnd, nRow);
    }
    // Symbols of the rows whose check box is ticked (or that are selected), top to bottom.
    Texts Checked(bool bSelected = false)
    {
        Texts shown = Shown(), rows;
        for (size_t r = 0; r < shown.size(); ++r)
            if (bSelected ? m_list.GetItemState((int)r, LVIS_SELECTED) != 0 : m_list.GetCheck((int)r) != 0)
                rows.push_back(shown[r]);
        return rows;
    }
};

TEST_F(FilterListDragTest, DroppedRowsLandInOrderAndKeepTheirChecks)
{
    const struct
    {
        const char* name;
        bool bReverse;
        std::vector<int> selected;   // screen rows; the press is on the first
        int nDrop;                   // screen row, or kBelowRows
        Texts expected;
    } cases[] = {
        { "one row down", false, { 0 }, 2, { "B", "C", "A", "D", "E" } },
        { "one row up", false, { 4 }, 1, { "A", "E", "B", "C", "D" } },
        { "one row below the rows", false, { 1 }, kBelowRows, { "A", "C", "D", "E", "B" } },
        { "reverse, top row on row 2", true, { 0 }, 2, { "D", "C", "E", "B", "A" } },
        { "two rows up", false, { 3, 4 }, 1, { "A", "D", "E", "B", "C" } },
        { "two rows down", false, { 0, 1 }, 3, { "C", "D", "A", "B", "E" } },
        { "reverse, two rows down", true, { 0, 1 }, 3, { "C", "B", "E", "D", "A" } },
        { "rows apart onto a row between", false, { 0, 4 }, 2, { "B", "C", "A", "E", "D" } },
        { "all but one onto one of themselves", false, { 0, 2, 3, 4 }, 0, { "A", "C", "D", "E", "B" } },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        Fill({ "A", "B", "C", "D", "E" }, c.bReverse);
        // A and D carry ticks wherever they go.
        Texts shown = Shown(), expectedChecked;
        for (size_t r = 0; r < shown.size(); ++r)
            m_list.SetCheck((int)r, shown[r] == "A" || shown[r] == "D");
        Select(c.selected);
        RowDrag::Drag(m_list.m_hWnd, c.selected.front(), DropPoint(c.nDrop));
        EXPECT_EQ(c.expected, Shown());
        std::copy_if(c.expected.begin(), c.expected.end(), std::back_inserter(expectedChecked),
                     [](const std::string& s) { return s == "A" || s == "D"; });
        EXPECT_EQ(expectedChecked, Checked());
        EXPECT_TRUE(Checked(true).empty());
        EXPECT_FALSE(m_list.IsDragging());
        EXPECT_NE(m_list.m_hWnd, ::GetCapture());
        ExpectInvariants();
    }
}

TEST_F(FilterListDragTest, DropsThatMoveNothing)
{
    // Released over another window, or the option is off.
    CWnd other;
    ASSERT_TRUE(other.CreateEx(WS_EX_TOPMOST, "STATIC", "other", WS_POPUP | WS_VISIBLE, CRect(700, 100, 900, 300), nullptr, 0));
    Fill({ "A", "B", "C" });
    Select({ 0 });
    CPoint overOther(750, 150);
    m_list.ScreenToClient(&overOther);
    RowDrag::Drag(m_list.m_hWnd, 0, overOther);
    EXPECT_EQ((Texts{ "A", "B", "C" }), Shown());
    EXPECT_EQ((Texts{ "A" }), Checked(true));   // nothing dropped, selection kept
    other.DestroyWindow();
    Fill({ "A", "B", "C" });
    m_list.m_bRowDrag = 0;
    Select({ 0 });
    RowDrag::Drag(m_list.m_hWnd, 0, DropPoint(2));
    EXPECT_EQ((Texts{ "A", "B", "C" }), Shown());
}

TEST_F(FilterListDragTest, HostRefillingTheListMidDrag)
{
    // The host empties the list and adds two rows while the drag runs: nothing is lost or doubled.
    Fill({ "A", "B", "C", "D", "E" });
    Select({ 3, 4 });
    RowDrag::Begin(m_list.m_hWnd, RowDrag::RowPoint(m_list.m_hWnd, 3), RowDrag::RowPoint(m_list.m_hWnd, 1));
    ASSERT_TRUE(m_list.IsDragging());
    Refill({ "X", "Y" });
    RowDrag::Release(m_list.m_hWnd, DropPoint(kBelowRows));
    Texts shown = Shown();
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ((Texts{ "X", "Y" }), shown);
    ExpectInvariants();
}

TEST_F(FilterListDragTest, HeaderBoxFollowsTheRowRecords)
{
    Fill({ "A", "B", "C" });
    m_list.EnableHeaderCheckBox();
    m_list.CheckAllItems(1);
    EXPECT_EQ((Texts{ "A", "B", "C" }), Checked());
    EXPECT_EQ(1, m_list.GetHeaderCheckboxState());
    m_list.SetCheck(1, 0);   // as a click on the row's box does
    EXPECT_EQ(0, m_list.GetHeaderCheckboxState());
    m_list.SetMapItemCheck(1, 1);
    Pump();
    EXPECT_EQ(1, m_list.GetHeaderCheckboxState());
    m_list.DeleteAllItems();
    EXPECT_EQ(0, m_list.GetHeaderCheckboxState());   // an empty list never shows it checked
}
