// Rows of the filter list: insertion, data, deletion and re-filtering, seen through the platform
// list (owner-data texts) and the list's own operations; refusals of rows out of range and of
// corrupt display arrays; cell texts that are not plain (formula columns, routines that fail or
// return huge texts). The row rules themselves are checked against a model (FilterListModelTest).
#include "FilterListFixture.h"

// The platform list holds the same count before the next message reaches the list.
TEST_F(FilterListTest, ThePlatformCountFollowsInsertsAndDeletes)
{
    Build();
    for (const char* s : { "AAA", "BBB", "CCC" })
        EXPECT_EQ(1, Add(s));
    EXPECT_EQ(Texts({ "AAA", "BBB", "CCC" }), Shown());
    EXPECT_EQ(1, m_list.DeleteItem(1));
    EXPECT_EQ(2, (int)m_list.SendMessage(LVM_GETITEMCOUNT));
    EXPECT_EQ(1, m_list.DeleteAllItems());
    EXPECT_EQ(0, (int)m_list.SendMessage(LVM_GETITEMCOUNT));
    Add("X");
    EXPECT_EQ(1, m_list.DeleteAllMapListItems());
    EXPECT_EQ(0, m_list.GetDisplayCount());
    EXPECT_EQ(0, (int)m_list.SendMessage(LVM_GETITEMCOUNT));
    ExpectInvariants();
}

TEST_F(FilterListTest, MemberRoutineIsCalledOnTheOwner)
{
    struct CTextHost : CWnd
    {
        int Text(ULONGLONG d, int c, CString& t, unsigned long&, unsigned long&, int&)
        {
            t.Format("m%d-%d", (int)d, c);
            return 1;
        }
    };
    Build();
    m_list.InitColumnTextRtn((CFilterListCtrl::PFN_COLUMNTEXT)nullptr);
    m_list.InitColumnTextRtn(static_cast<CFilterListCtrl::PFN_COLUMNTEXT_MEMBER>(&CTextHost::Text));
    CTextHost owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    m_list.InsertItem(0, "", 0);
    m_list.SetItemData(0, 7);
    m_list.SetOwnerWnd(&owner);
    EXPECT_EQ(Texts({ "m7-0" }), Shown(0));
    EXPECT_EQ(Texts({ "m7-2" }), Shown(2));
    m_list.SetOwnerWnd(nullptr);
    owner.DestroyWindow();
}

TEST_F(FilterListTest, WithoutDataDescriptorRowsAreRefused)
{
    m_list.m_csListName = "NoDescriptor";
    sOrvoColInfo info = {};
    strlcpy(info.szColName, "Symbol", sizeof(info.szColName));
    info.nWidth = 100;
    m_list.m_arrColInfo.Add(info);
    m_list.InsertColumnsForList(nullptr);
    m_list.SetUseFilter(TRUE);
    EXPECT_EQ(0, m_list.InsertItem(0, "", 0));
    EXPECT_EQ(0, m_list.SetItemData(0, 5));
    EXPECT_EQ(0, m_list.SetItemText(0, 0, "x"));
    EXPECT_EQ(0, m_list.GetItemCount());
    EXPECT_EQ(1, m_list.CheckForFilteredData(5));   // everything passes
    m_list.PopulateList();
    EXPECT_EQ(0, m_list.GetDisplayCount());
    // A row that exists without a descriptor reads the fixed text.
    m_list.InitColumnTextRtn(&FilterListTest::ColumnText);
    m_rows.push_back({ "X", "1", "N" });
    m_list.InsertItem(0, "", 0);
    m_list.SetItemData(0, (DWORD_PTR)&m_rows.back());
    m_list.InitColumnTextRtn((CFilterListCtrl::PFN_COLUMNTEXT)nullptr);
    EXPECT_STREQ(FILTER_NO_DESCRIPTOR_TEXT, m_list.GetItemText(0, 0));
    ExpectInvariants();
}

TEST_F(FilterListTest, RowsOutOfRangeAreRefused)
{
    Build();
    Add("RELIANCE", "2500");
    Add("INFY", "1500");
    MapFilter(0, "REL");
    EXPECT_EQ(0, Add("TCS"));   // fails the filter: kept in the map, not shown
    EXPECT_EQ(3, m_list.GetItemCount());
    EXPECT_EQ(1, m_list.RepaintMapItem(2));   // still failing
    for (int nBad : { -1, 3, INT_MIN, INT_MAX })
    {
        SCOPED_TRACE(nBad);
        EXPECT_EQ(0, m_list.RepaintMapItem(nBad));
        EXPECT_EQ(0, m_list.RepaintDisplayItem(nBad));
        EXPECT_STREQ("", m_list.GetItemText(nBad, 0));
        EXPECT_EQ(0u, m_list.GetItemData(nBad));
        EXPECT_EQ(0u, m_list.GetMapItemData(nBad));
        EXPECT_EQ(-1, m_list.GetMapIndexFromDisplayIndex(nBad));
        EXPECT_EQ(0, m_list.SetMapItemCheck(nBad, 1));
        EXPECT_EQ(0, m_list.GetMapItemCheck(nBad));
        EXPECT_EQ(0, m_list.DeleteMapItem(nBad));
        EXPECT_EQ(0, m_list.DeleteItem(nBad));
        m_list.RearrangeArrayForDragDrop(0, nBad);   // no such rows: nothing moves
        m_list.RearrangeArrayForDragDrop(nBad, 0);
    }
    EXPECT_STREQ("", m_list.GetItemText(0, INT_MAX));
    EXPECT_EQ(0, m_list.SetItemData(INT_MAX, 5));   // the last row already has data: its own row is past the end
    EXPECT_EQ(1, m_list.GetOriginalColNo(99));      // no column there
    EXPECT_EQ(0, m_list.InvalidateSetItemData((void*)0x1234));
    EXPECT_EQ(1, m_list.SetItemText(0, 0, "ignored"));   // the texts are the host's
    Row(0)->symbol = "XCAP";
    EXPECT_EQ(-1, m_list.RepaintDisplayItem(0));
    EXPECT_EQ(Texts({ "XCAP", "INFY", "TCS" }), MapSymbols());
    EXPECT_EQ(Texts(), Shown());
    // A row inserted but not given data yet shows empty cells.
    m_list.RemoveAllFilters();
    m_list.InsertItem(0, "", 0);
    EXPECT_EQ(Texts({ "XCAP", "INFY", "TCS", "" }), Shown());
    ExpectInvariants();
}

TEST_F(FilterListTest, ReverseDisplayMirrorsEveryRowOperation)
{
    Build();
    Add("FIRST");
    Add("SECOND");
    Add("THIRD");
    m_list.SetReverseDisplay(true);
    EXPECT_EQ(Texts({ "THIRD", "SECOND", "FIRST" }), Shown());
    EXPECT_EQ((DWORD_PTR)Row(2), m_list.GetItemData(0));
    EXPECT_EQ(1, m_list.SetCheck(0, 1));
    EXPECT_EQ(1, m_list.GetMapItemCheck(2));   // screen row 0 is the last record
    EXPECT_EQ(0, m_list.SetCheck(3, 1));
    EXPECT_EQ(1, m_list.GetCheckedItemCount());
    // Deleting screen row 0 removes the last record.
    EXPECT_EQ(1, m_list.DeleteItem(0));
    EXPECT_EQ(Texts({ "FIRST", "SECOND" }), MapSymbols());
    // A new row appended under reverse display shows on top.
    Add("FOURTH");
    EXPECT_EQ(Texts({ "FOURTH", "SECOND", "FIRST" }), Shown());
    EXPECT_EQ(0, m_list.GetCheckedItemCount());
    ExpectInvariants();
}

TEST_F(FilterListTest, CorruptDisplayArraysAreReportedNotFollowed)
{
    Build();
    Refill({ "A", "B", "C" });
    // An entry of -1: inserting inside the map reports and deletes everything.
    m_list.m_arrDisplay[1] = -1;
    EXPECT_EQ(0, m_list.InsertItem(1, "", 0));
    EXPECT_EQ(std::vector<CString>({ "Insert Item: Reindexing Error" }), m_script.Messages());
    EXPECT_EQ(0, m_list.GetItemCount());
    ExpectInvariants();
    // A duplicate entry: deleting reports and deletes everything.
    m_script.Clear();
    Refill({ "A", "B", "C" });
    m_list.m_arrDisplay[2] = 0;
    m_list.OnDisplayArrayChanged();
    EXPECT_EQ(0, m_list.DeleteItem(0));
    EXPECT_EQ(std::vector<CString>({ "Delete item: Reindexing Error" }), m_script.Messages());
    EXPECT_EQ(0, m_list.GetItemCount());
    // A missing row.
    m_script.Clear();
    Add("A");
    m_list.m_arrDisplay[0] = -1;
    EXPECT_EQ(0, m_list.DeleteItem(0));
    EXPECT_EQ(std::vector<CString>({ "Delete item: Item not found" }), m_script.Messages());
    m_list.m_arrDisplay[0] = 0;
    m_list.OnDisplayArrayChanged();
    // A display entry beyond the display count: deleting its record by map index is refused with a
    // line in the host's log.
    Add("B");
    m_list.m_nDisplayCount = 1;
    EXPECT_EQ(0, m_list.DeleteMapItem(1));
    ASSERT_FALSE(TestHost::LogLines().empty());
    EXPECT_NE(std::string::npos, TestHost::LogLines().back().find("Error occured while deleting map item"));
    m_list.m_nDisplayCount = 2;
    // Filter arrays out of step: populating reports and shows nothing.
    m_script.Clear();
    m_list.m_arrFilteredCols.Add(0);
    m_list.PopulateList();
    EXPECT_EQ(std::vector<CString>({ "Error occured while filtering" }), m_script.Messages());
    EXPECT_EQ(0, (int)m_list.SendMessage(LVM_GETITEMCOUNT));
    m_list.m_arrFilteredCols.RemoveAll();
    m_list.PopulateList();
    EXPECT_EQ(2, m_list.GetDisplayCount());
    ExpectInvariants();
}

TEST_F(FilterListTest, FormulaColumnsComputeFromTheRowAndCanBeFiltered)
{
    // F0 = price * 2; F1 = F0 + 1 (a formula column over a formula column).
    Build({ " \"1\" * 2", " \"3\" + 1" });
    Add("A", "10");
    Add("B", "2.5");
    Add("C", "abc");
    EXPECT_EQ(Texts({ "20.00", "5.00", "0.00" }), Shown(3));
    EXPECT_EQ(Texts({ "21.00", "6.00", "1.00" }), Shown(4));
    Filter(3, ">4");
    EXPECT_EQ(Texts({ "A", "B" }), Shown(0));
    EXPECT_TRUE(m_script.Messages().empty());
}

TEST_F(FilterListTest, FailingFormulasShowTheMessageAndReadEmptyInOtherFormulas)
{
    // F0 leaves two operands over: the message through the modal seam. F1 uses F0.
    Build({ " \"1\" 2", " \"3\" + 1" });
    Add("A", "10");
    EXPECT_EQ(Texts({ "" }), Shown(3));
    EXPECT_EQ(std::vector<CString>({ "Invalid Expression,while calculating value" }), m_script.Messages());
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
    Filter(0, "A");
    EXPECT_EQ(0, m_list.GetDisplayCount());
    s_bFailTexts = false;
    m_list.RemoveAllFilters();
    // A megabyte per cell: cut to the platform's buffer (LVN_GETDISPINFO's), matched whole.
    s_nHugeText = 1 << 20;
    Texts shown = Shown();
    ASSERT_EQ(2u, shown.size());
    EXPECT_EQ(511u, shown[0].size());
    Filter(0, "*HHH*");
    EXPECT_EQ(2, m_list.GetDisplayCount());
    ExpectInvariants();
}
