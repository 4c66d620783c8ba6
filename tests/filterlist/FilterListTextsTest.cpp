// Cell texts that are not plain: formula columns, routines that fail or return huge texts.
#include "FilterListFixture.h"

using Texts = std::vector<std::string>;

TEST_F(FilterListTest, FormulaColumnsComputeFromTheRowAndCanBeFiltered)
{
    // F0 = price * 2; F1 = F0 + 1 (a formula column over a formula column).
    Build({ " \"1\" * 2", " \"3\" + 1" });
    Add("A", "10");
    Add("B", "2.5");
    Add("C", "abc");
    EXPECT_EQ(Texts({ "20.00", "5.00", "0.00" }), Shown(3));
    EXPECT_EQ(Texts({ "21.00", "6.00", "1.00" }), Shown(4));
    CString filter = ">4";
    m_list.SetVisibleColumnFilter(3, filter, 0);
    EXPECT_EQ(Texts({ "A", "B" }), Shown(0));
    EXPECT_TRUE(m_script.Messages().empty());
}

TEST_F(FilterListTest, FailingFormulasShowTheMessageAndReadEmptyInOtherFormulas)
{
    // F0 leaves two operands over: status 4, the message through the modal seam. F1 uses F0.
    Build({ " \"1\" 2", " \"3\" + 1" });
    Add("A", "10");
    EXPECT_EQ(Texts({ "" }), Shown(3));
    EXPECT_EQ(std::vector<CString>({ "Invalid Expression,while calculating value" }), m_script.Messages());
    m_script.Clear();
    CString text;
    unsigned long c1 = 0, c2 = 0;
    int image = 0;
    m_list.GetColumnText((ULONGLONG)Row(0), 4, text, c1, c2, image);
    EXPECT_STREQ("1.00", text);   // the failed inner column reads as its empty text: 0 + 1
    // A column with no record and a negative column: empty, no call to the host.
    int nCalls = s_nTextCalls;
    text = "keep";
    EXPECT_EQ(1, m_list.GetColumnText((ULONGLONG)Row(0), 1000, text, c1, c2, image));
    EXPECT_STREQ("", text);
    EXPECT_EQ(0, m_list.GetColumnText((ULONGLONG)Row(0), -5, text, c1, c2, image));
    EXPECT_EQ(nCalls, s_nTextCalls);
}

TEST_F(FilterListTest, RoutinesThatFailOrReturnHugeTexts)
{
    Build();
    Add("A");
    Add("B");
    s_bFailTexts = true;
    EXPECT_EQ(Texts({ "", "" }), Shown());
    CString filter = "A";
    m_list.SetVisibleColumnFilter(0, filter, 0);
    EXPECT_EQ(0, m_list.GetDisplayCount());
    s_bFailTexts = false;
    m_list.RemoveAllFilters();
    // A megabyte per cell: cut to the platform's buffer, matched whole.
    s_nHugeText = 1 << 20;
    Texts shown = Shown();
    ASSERT_EQ(2u, shown.size());
    EXPECT_EQ(511u, shown[0].size());
    filter = "*HHH*";
    m_list.SetVisibleColumnFilter(0, filter, 0);
    EXPECT_EQ(2, m_list.GetDisplayCount());
    s_nHugeText = 0;
    ExpectInvariants();
}

TEST_F(FilterListTest, RowsOutOfRangeAreRefused)
{
    Build();
    Add("A");
    EXPECT_EQ(0u, m_list.GetMapItemData(5));
    EXPECT_EQ(0u, m_list.GetMapItemData(-1));
    EXPECT_EQ(-1, m_list.GetMapIndexFromDisplayIndex(1));
    EXPECT_EQ(-1, m_list.GetMapIndexFromDisplayIndex(-1));
    EXPECT_EQ(0, m_list.GetMapIndexFromDisplayIndex(0));
    EXPECT_EQ(0, m_list.SetMapItemCheck(4, 1));
    EXPECT_EQ(0, m_list.GetMapItemCheck(-4));
    EXPECT_EQ(1, m_list.GetOriginalColNo(99));    // no column there
    EXPECT_EQ(2, m_list.GetOriginalColNo(2));
    EXPECT_EQ(0, m_list.SetItemData(INT_MAX, 5));  // the last row already has data: its own row is past the end
    EXPECT_EQ(0, m_list.RepaintDisplayItem(INT_MIN));
    EXPECT_STREQ("", m_list.GetItemText(INT_MAX, INT_MAX));
    ExpectInvariants();
}
