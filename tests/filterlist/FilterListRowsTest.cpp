// Rows of the filter list: insertion, data, deletion and re-filtering, seen through the platform
// list (owner-data texts) and the list's own operations; refusals of rows out of range and of
// corrupt display arrays; cell texts that are not plain (formula columns, routines that fail or
// return huge texts); and the row rules checked against a model over random operations.
#include "FilterListFixture.h"
#include "filter/FilterMatch.h"

#include <algorithm>
#include <random>

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
    m_list.PopulateList();   // does nothing
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
    EXPECT_STREQ("THIRD", m_list.GetItemText(0, 0));   // the host reads screen rows too
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

// Random sequences of row and filter operations against a plain model of the rows: after every
// step the list's invariants hold, its shown rows are exactly the model's and every trend column
// has one record per row. Filtering keeps the display array ascending (rows found by binary
// search); a host's reordering makes it unordered (rows found through the inverse): both must
// give the same rows in the same places.
class FilterListModelTest : public FilterListTest
{
protected:
    // The model: the map's item data (null until data is given), the shown map indexes in order,
    // and the stored filters; each operation updates them by the rules the user and the host rely on.
    std::vector<sInstrument*> m_map;
    std::vector<int> m_display;
    std::vector<std::pair<int, std::string>> m_filters;
    // The operations drawn, as values of pick(100) below; null: all of them, as weighted there.
    const int* m_pMix = nullptr;

    bool Passes(const sInstrument* p)
    {
        for (auto& f : m_filters)
        {
            // A row without data is tested with empty texts.
            const std::string text = p == nullptr ? "" : f.first == 0 ? p->symbol : f.first == 1 ? p->price : p->exchange;
            if (!FilterTextMatches(text.c_str(), f.second.c_str(), false))
                return false;
        }
        return true;
    }
    void ModelPopulate()
    {
        m_display.clear();
        for (int i = 0; i < (int)m_map.size(); ++i)
            if (Passes(m_map[(size_t)i]))
                m_display.push_back(i);
    }
    void ModelErase(int m)
    {
        m_display.erase(std::remove(m_display.begin(), m_display.end(), m), m_display.end());
        for (int& e : m_display)
            if (e > m)
                --e;
        m_map.erase(m_map.begin() + m);
    }
    void Compare(const char* pszOp)
    {
        SCOPED_TRACE(pszOp);
        CString reason;
        ASSERT_TRUE(m_list.CheckInvariants(&reason)) << (LPCTSTR)reason;
        ASSERT_EQ((int)m_map.size(), m_list.GetItemCount());
        const int* pShown = m_list.m_arrDisplay.GetData();   // the invariants hold: as many as the display count
        ASSERT_EQ(m_display, std::vector<int>(pShown, pShown + m_list.GetDisplayCount()));
        for (size_t m = 0; m < m_map.size(); ++m)
            ASSERT_EQ((DWORD_PTR)m_map[m], m_list.GetMapItemData((int)m)) << "record " << m;
        POSITION pos = m_list.m_mapTrend.GetStartPosition();
        while (pos != nullptr)
        {
            int nColumn;
            CTrendValueArray* pArray;
            m_list.m_mapTrend.GetNextAssoc(pos, nColumn, pArray);   // its size is one of the invariants
            for (INT_PTR k = 0; k < pArray->GetSize(); ++k)
                ASSERT_NE(nullptr, pArray->GetAt(k));
        }
    }
    void Run(unsigned seed, int nSteps)
    {
        std::mt19937 rng(seed);
        auto pick = [&rng](int n) { return n <= 0 ? 0 : (int)(rng() % (unsigned)n); };
        static const char* const symbols[] = { "REL", "RELIANCE", "INFY", "TCS", "ITC", "RELCAP", "ABC", "" };
        static const char* const prices[] = { "5", "12.5", "999", "1000", "1500", "abc", "" };
        static const char* const exchanges[] = { "NSE", "BSE", "MCX", "nse" };
        static const char* const filters[] = { "REL", "*CAP", "*E*", ">999", "<13", "I~T", "nse", "~", "*", "" };
        auto newRow = [&]() {
            m_rows.push_back({ symbols[pick(8)], prices[pick(7)], exchanges[pick(4)] });
            return &m_rows.back();
        };
        for (int step = 0; step < nSteps && !HasFatalFailure(); ++step)
        {
            SCOPED_TRACE("step " + std::to_string(step));
            int op = m_pMix != nullptr ? m_pMix[pick(10)] : pick(100);
            const char* name = "";
            if (op < 30)
            {
                name = "insert+data";
                sInstrument* p = newRow();
                int pos = pick(3) == 0 ? pick((int)m_map.size() + 2) : 0;
                int m = m_list.InsertItem(pos, "", 0);
                int expectedM = (pos <= 0 || pos >= (int)m_map.size()) ? (int)m_map.size() : pos;
                ASSERT_EQ(expectedM, m);
                m_map.insert(m_map.begin() + m, nullptr);
                if (m == (int)m_map.size() - 1)
                {
                    // The usual append: row 0 means the last shown row while it has no data yet.
                    m_display.push_back(m);
                    ASSERT_EQ(Passes(p) ? 1 : 0, m_list.SetItemData(0, (DWORD_PTR)p));
                    m_map[(size_t)m] = p;
                    if (!Passes(p))
                        m_display.pop_back();
                }
                else
                {
                    for (int& e : m_display)
                        if (e >= m)
                            ++e;
                    m_display.insert(m_display.begin() + std::min((size_t)pos, m_display.size()), m);
                }
            }
            else if (op < 40)
            {
                name = "set data of a shown row";
                if (m_display.empty())
                    continue;
                int row = pick((int)m_display.size());
                sInstrument* p = newRow();
                // Row 0 means the last shown row while that has no data yet.
                int used = row == 0 && m_map[(size_t)m_display.back()] == nullptr ? (int)m_display.size() - 1 : row;
                m_map[(size_t)m_display[(size_t)used]] = p;
                ASSERT_EQ(Passes(p) ? 1 : 0, m_list.SetItemData(row, (DWORD_PTR)p));
                if (!Passes(p))
                    m_display.erase(m_display.begin() + used);
            }
            else if (op < 55)
            {
                name = "data change + RepaintMapItem";
                if (m_map.empty())
                    continue;
                int m = pick((int)m_map.size());
                sInstrument* p = m_map[(size_t)m];
                if (p != nullptr)
                    *p = { symbols[pick(8)], prices[pick(7)], exchanges[pick(4)] };
                auto it = std::find(m_display.begin(), m_display.end(), m);
                int expected = it != m_display.end() ? (p == nullptr || Passes(p) ? 0 : -1) : 1;
                if (expected == -1)
                    m_display.erase(it);
                else if (expected == 1 && p != nullptr && Passes(p))
                    m_display.insert(std::find_if(m_display.begin(), m_display.end(), [m](int e) { return e > m; }), m);
                ASSERT_EQ(expected, m_list.RepaintMapItem(m));
            }
            else if (op < 65)
            {
                name = "delete shown row";
                int row = pick((int)m_display.size() + 1);
                int r = m_list.DeleteItem(row);
                ASSERT_EQ(row < (int)m_display.size() ? 1 : 0, r);
                if (r == 0)
                    continue;
                ModelErase(m_display[(size_t)row]);
            }
            else if (op < 75)
            {
                name = "delete map item";
                int m = pick((int)m_map.size() + 1);
                int r = m_list.DeleteMapItem(m);
                ASSERT_EQ(m < (int)m_map.size() ? 1 : 0, r);
                if (r == 0)
                    continue;
                ModelErase(m);
            }
            else if (op < 90)
            {
                name = "filter + populate";
                int column = pick(3);
                std::string text = filters[pick(10)];
                CString t = text.c_str();
                m_list.AddToFilteredCols(column, t);
                auto it = std::find_if(m_filters.begin(), m_filters.end(), [column](auto& f) { return f.first == column; });
                if (it != m_filters.end())
                    m_filters.erase(it);
                if (!text.empty())
                    m_filters.push_back({ column, text });
                m_list.PopulateList();
                ModelPopulate();
            }
            else if (op < 92)
            {
                name = "delete all";
                m_list.DeleteAllItems();
                m_map.clear();
                m_display.clear();
            }
            else if (op < 96)
            {
                name = "host reorders two shown rows (as a sort does)";
                if (m_display.size() < 2)
                    continue;
                int a = pick((int)m_display.size()), b = pick((int)m_display.size());
                std::swap(m_display[(size_t)a], m_display[(size_t)b]);
                std::swap(m_list.m_arrDisplay[a], m_list.m_arrDisplay[b]);
                m_list.OnDisplayArrayChanged();
            }
            else
            {
                name = "populate";
                m_list.PopulateList();
                ModelPopulate();
            }
            Compare(name);
        }
    }
};

TEST_F(FilterListModelTest, ThousandsOfRandomStepsAgreeWithTheModel)
{
    static const int kFill[10] = { 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 };
    static const int kReorder[10] = { 40, 40, 40, 40, 40, 0, 0, 55, 92, 96 };
    Build();
    SetTrends({ 0, 1 });
    m_list.ShowWindow(SW_HIDE);   // a hidden list: the platform is not asked to paint each step
    for (unsigned seed : { 1u, 2u, 3u, 7u })
    {
        m_list.DeleteAllItems();
        m_list.RemoveAllFilters();
        m_map.clear();
        m_display.clear();
        m_filters.clear();
        m_pMix = seed == 7 ? kFill : nullptr;
        Run(seed, seed == 7 ? 60 : 2500);
    }
    // Then mostly repaints of rows whose data changed under a filter (a change moves a row in or
    // out), with rows coming and going and a host reordering the shown rows now and then: the
    // display stays unordered for long stretches.
    CString filter = "REL";
    m_list.AddToFilteredCols(0, filter);
    m_filters.push_back({ 0, "REL" });
    m_list.PopulateList();
    ModelPopulate();
    m_pMix = kReorder;
    Run(8, 1500);
    Texts expected;   // what the platform shows is the model's rows
    for (int m : m_display)
        expected.push_back(m_map[(size_t)m] ? m_map[(size_t)m]->symbol : "");
    EXPECT_EQ(expected, Shown());
}
