// Where dropped rows land (the order rule alone, table-driven), and a drag in a plain common list:
// no row moved on a drop, the selection cleared and a single-selection list given its style back.
#include "ListFixture.h"
#include "lists/RowDragOrder.h"

#include <algorithm>

TEST(RowDragOrderTest, BlocksLandWhereTheFirstRowDrops)
{
    // expected: rows as letters, A = row 0
    struct sCase { const char* name; int nRows; std::vector<int> dragged; int nDrop; std::string expected; };
    const sCase cases[] = {
        { "one row down onto a row", 5, { 0 }, 2, "BCADE" },
        { "one row up onto a row", 5, { 3 }, 1, "ADBCE" },
        { "onto itself", 5, { 2 }, 2, "ABCDE" },
        { "beyond the rows", 5, { 1 }, 99, "ACDEB" },
        { "drop index -1", 5, { 1 }, -1, "ACDEB" },
        { "two rows down", 5, { 0, 1 }, 3, "CDABE" },
        { "two rows up", 5, { 3, 4 }, 1, "ADEBC" },
        { "selection order kept", 5, { 4, 3 }, 1, "AEDBC" },
        { "rows either side of the drop", 5, { 0, 4 }, 2, "BCAED" },
        { "drop on a dragged row", 5, { 0, 1 }, 1, "ABCDE" },
        { "repeats and rows outside ignored", 5, { 1, 1, -3, 17 }, 3, "ACDBE" },
        { "one row", 1, { 0 }, 0, "A" }, { "no rows", 0, { 0 }, 0, "" },
        { "nothing dragged", 3, {}, 1, "ABC" },
    };
    for (const sCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        std::string got;
        for (int r : RowDragOrder(c.nRows, c.dragged, c.nDrop))
            got += (char)('A' + r);
        EXPECT_EQ(c.expected, got);
    }

    // A hundred thousand rows, every other one dragged: nothing lost or doubled, in one pass.
    std::vector<int> dragged;
    for (int r = 0; r < 100000; r += 2)
        dragged.push_back(r);
    std::vector<int> order = RowDragOrder(100000, dragged, 50001);
    std::vector<char> seen(100000, 0);
    for (int r : order)
        seen[(size_t)r]++;
    EXPECT_EQ(100000u, order.size());
    EXPECT_EQ(100000, (int)std::count(seen.begin(), seen.end(), 1));
    // The block starts after the 25,001 odd rows up to the drop row (dropped on from above).
    EXPECT_EQ(50001, order[25000]);
    EXPECT_EQ(0, order[25001]);
}

TEST_F(PlainListTest, APlainListDragsOnlyWithTheOptionAndMovesNothing)
{
    Make(LVS_SINGLESEL, { "Symbol" }, { "A", "B", "C", "D", "E" });
    m_list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    RowDrag::Begin(m_list.m_hWnd, RowDrag::RowPoint(m_list.m_hWnd, 1), RowDrag::RowPoint(m_list.m_hWnd, 3));
    EXPECT_FALSE(m_list.IsDragging());
    RowDrag::Release(m_list.m_hWnd, RowDrag::RowPoint(m_list.m_hWnd, 3));

    m_list.m_bRowDrag = 1;
    m_list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    m_parent.Clear();
    RowDrag::Begin(m_list.m_hWnd, RowDrag::RowPoint(m_list.m_hWnd, 1), RowDrag::RowPoint(m_list.m_hWnd, 3));
    ASSERT_TRUE(m_list.IsDragging());
    EXPECT_FALSE(m_list.GetStyle() & LVS_SINGLESEL);   // taken away for the drag
    EXPECT_EQ(1u, m_parent.Count(WM_NOTIFY, LVN_BEGINDRAG));   // the parent saw the drag begin too
    RowDrag::Post(m_list.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, RowDrag::RowPoint(m_list.m_hWnd, 4));
    EXPECT_TRUE(m_list.GetItemState(4, LVIS_DROPHILITED));
    RowDrag::Release(m_list.m_hWnd, RowDrag::RowPoint(m_list.m_hWnd, 4));
    EXPECT_FALSE(m_list.IsDragging());
    EXPECT_EQ("ABCDE", Rows());
    EXPECT_FALSE(m_list.GetItemState(4, LVIS_DROPHILITED));
    EXPECT_EQ(0u, m_list.GetSelectedCount());
    EXPECT_TRUE(m_list.GetStyle() & LVS_SINGLESEL);

    // The program's leak check: drags run to their end leave no GDI object behind.
    const int nGdi = TestLeaks::GdiObjects();
    for (int i = 0; i < 5; ++i)
    {
        m_list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
        RowDrag::Drag(m_list.m_hWnd, 0, RowDrag::RowPoint(m_list.m_hWnd, 2));
    }
    EXPECT_EQ(nGdi, TestLeaks::GdiObjects());
}
