// Trend colouring of the filter list driven as the host drives it: settings stored under the list's
// name, rows streamed in with price changes, real repaints of the owner-drawn rows, timer 4000
// ticks delivered as the platform delivers them, and the test clock moved instead of sleeping.
#include "FilterListFixture.h"
#include "WindowPicture.h"

#include <random>

namespace
{
const int kPrice = 1;   // the fixture's Price column
const COLORREF kPos = RGB(0, 200, 0);
const COLORREF kNeg = RGB(200, 0, 0);

std::vector<std::string> TrendSettingCalls(int nMode)
{
    std::vector<std::string> calls;
    const std::string prefix = "UserSetting(" + std::to_string(nMode) + ",FilterGrid,";
    for (const std::string& call : TestHost::Calls())
    {
        if (call.compare(0, prefix.size(), prefix) != 0)
            continue;
        std::string key = call.substr(prefix.size(), call.size() - prefix.size() - 1);
        if (key == "TrendColumns" || key == "TrendType" || key == "NegColor" || key == "PosColor" || key == "Interval")
            calls.push_back(key);
    }
    return calls;
}

// Bytes in use in every heap of the process (the C run-time's included).
long long HeapBytesInUse()
{
    HANDLE heaps[64];
    DWORD n = ::GetProcessHeaps(64, heaps);
    long long total = 0;
    for (DWORD i = 0; i < n && i < 64; ++i)
    {
        PROCESS_HEAP_ENTRY entry = {};
        if (!::HeapLock(heaps[i]))
            continue;
        while (::HeapWalk(heaps[i], &entry))
        {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                total += entry.cbData;
        }
        ::HeapUnlock(heaps[i]);
    }
    return total;
}
}  // namespace

class FilterListTrendTest : public FilterListTest
{
protected:
    FilterListTrendTest() { m_dwExtraStyle = LVS_OWNERDRAWFIXED; }

    void SetUp() override
    {
        FilterListTest::SetUp();
        AfxSetTestClock(TRUE, 100000);
    }
    void TearDown() override
    {
        FilterListTest::TearDown();
        AfxSetTestClock(FALSE);
    }

    // Columns built, five rows, trends on Price with the given interval, background marks.
    void Start(int nInterval, BYTE nType = 1)
    {
        Build();
        for (int i = 0; i < 5; ++i)
            Add(("SYM" + std::to_string(i)).c_str(), "100");
        m_list.m_nTrendInterval = nInterval;
        m_list.m_nTrendType = nType;
        m_list.m_clrTrendPos = kPos;
        m_list.m_clrTrendNeg = kNeg;
        CArray<int, int> columns;
        columns.Add(kPrice);
        m_list.SetTrendColumns(&columns);
        // Nothing has been drawn since: the next repaint is each cell's first drawing.
    }

    // Every shown row painted once, as a real repaint does it.
    void Repaint()
    {
        m_list.Invalidate(FALSE);
        m_list.UpdateWindow();
    }

    sTrendValues* Record(int nMapIndex, int nColumn = kPrice)
    {
        CTrendValueArray* pArray = nullptr;
        if (!m_list.m_mapTrend.Lookup(nColumn, pArray) || pArray == nullptr || nMapIndex >= pArray->GetSize())
            return nullptr;
        return pArray->GetAt(nMapIndex);
    }

    void Tick() { m_list.SendMessage(WM_TIMER, FILTER_TREND_TIMER, 0); }

    // The background colour of the price cell of a screen row, from a picture of the list.
    COLORREF PriceBack(int nScreenRow)
    {
        CRect rc;
        if (!m_list.GetCellRect(nScreenRow, kPrice, rc))
            return CLR_NONE;
        HBITMAP hPicture = WindowPicture::Render(m_list.m_hWnd);
        COLORREF clr = WindowPicture::PixelAt(hPicture, rc.left + 1, rc.top + 1);
        ::DeleteObject(hPicture);
        return clr;
    }
};

TEST_F(FilterListTrendTest, FirstDrawingNeverMarksWhateverTheValue)
{
    Start(1000);
    Row(0)->price = "-5";
    Row(1)->price = "99999";
    Repaint();
    for (int m = 0; m < 5; ++m)
    {
        ASSERT_NE(nullptr, Record(m));
        EXPECT_EQ(3, Record(m)->nState) << m;
        EXPECT_EQ(0, Record(m)->nChangeTime) << m;
    }
    EXPECT_EQ(-5.0, Record(0)->dPrevious);
    EXPECT_NE(kPos, PriceBack(0));
    EXPECT_NE(kNeg, PriceBack(0));
}

TEST_F(FilterListTrendTest, RiseMarksRiseAgainRestartsFallSwitchesAtOnce)
{
    Start(1000);
    Repaint();
    Row(2)->price = "101";
    EXPECT_EQ(kPos, PriceBack(2));
    EXPECT_EQ(1, Record(2)->nState);
    EXPECT_EQ(100000, Record(2)->nChangeTime);
    EXPECT_NE(kPos, PriceBack(1));   // the others did not move

    AfxAdvanceTestClock(800);
    Row(2)->price = "102";           // again within the interval: the mark stays, its time restarts
    EXPECT_EQ(kPos, PriceBack(2));
    EXPECT_EQ(100800, Record(2)->nChangeTime);
    AfxAdvanceTestClock(800);        // 1,600 after the first rise, 800 after the second
    Tick();
    EXPECT_EQ(kPos, PriceBack(2));

    Row(2)->price = "99.5";          // a fall while the positive mark shows
    EXPECT_EQ(kNeg, PriceBack(2));
    EXPECT_EQ(2, Record(2)->nState);

    AfxAdvanceTestClock(1000);
    Tick();
    EXPECT_EQ(3, Record(2)->nState);
    EXPECT_EQ(0, Record(2)->nChangeTime);
    COLORREF clr = PriceBack(2);
    EXPECT_NE(kNeg, clr);
    EXPECT_NE(kPos, clr);
}

TEST_F(FilterListTrendTest, IntervalZeroClearsOnTheNextTickAndTheTickRepaintsOnlyThatCell)
{
    Start(0);
    Repaint();
    Row(3)->price = "120";
    EXPECT_EQ(kPos, PriceBack(3));
    m_list.ValidateRect(nullptr);
    Tick();
    EXPECT_EQ(3, Record(3)->nState);
    CRect rcUpdate, rcCell;
    ASSERT_TRUE(::GetUpdateRect(m_list.m_hWnd, &rcUpdate, FALSE));
    ASSERT_TRUE(m_list.GetCellRect(3, kPrice, rcCell));
    EXPECT_EQ(rcCell, rcUpdate);
    EXPECT_NE(kPos, PriceBack(3));
}

TEST_F(FilterListTrendTest, TextMarksColourTheTextNotTheBackground)
{
    Start(1000, 0);
    Repaint();
    Row(1)->price = "90";
    CRect rc;
    ASSERT_TRUE(m_list.GetCellRect(1, kPrice, rc));
    HBITMAP hPicture = WindowPicture::Render(m_list.m_hWnd);
    int nMarked = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            nMarked += WindowPicture::PixelAt(hPicture, x, y) == kNeg;
    EXPECT_NE(kNeg, WindowPicture::PixelAt(hPicture, rc.left + 1, rc.top + 1));
    ::DeleteObject(hPicture);
    EXPECT_GT(nMarked, 5);
    // Expired and unchanged: drawn in the ordinary colour again.
    AfxAdvanceTestClock(1500);
    hPicture = WindowPicture::Render(m_list.m_hWnd);
    nMarked = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            nMarked += WindowPicture::PixelAt(hPicture, x, y) == kNeg;
    ::DeleteObject(hPicture);
    EXPECT_EQ(0, nMarked);
    EXPECT_EQ(3, Record(1)->nState);
}

TEST_F(FilterListTrendTest, HiddenColumnsAreLeftToTheNextDrawing)
{
    Start(500);
    Repaint();
    Row(0)->price = "130";
    Repaint();
    ASSERT_EQ(1, Record(0)->nState);
    // The price column leaves the visible columns: the timer no longer looks at it.
    for (INT_PTR v = m_list.m_arrVisibleColumns.GetSize() - 1; v >= 0; --v)
        if (m_list.m_arrVisibleColumns[v].nColumn == kPrice)
            m_list.m_arrVisibleColumns.RemoveAt(v);
    AfxAdvanceTestClock(2000);
    Tick();
    EXPECT_EQ(1, Record(0)->nState);
    EXPECT_NE(0, Record(0)->nChangeTime);
    // Drawn again unchanged after the interval: cleared there.
    Repaint();
    EXPECT_EQ(3, Record(0)->nState);
    EXPECT_EQ(0, Record(0)->nChangeTime);
}

TEST_F(FilterListTrendTest, ReverseDisplayMarksTheRowsStoreIndex)
{
    m_list.SetReverseDisplay(true);
    Start(1000);
    Repaint();
    Row(0)->price = "140";   // map index 0 is the last row on screen
    Repaint();
    EXPECT_EQ(1, Record(0)->nState);
    EXPECT_EQ(3, Record(4)->nState);
    EXPECT_EQ(kPos, PriceBack(4));
    EXPECT_NE(kPos, PriceBack(0));
    AfxAdvanceTestClock(1000);
    m_list.ValidateRect(nullptr);
    Tick();
    CRect rcUpdate, rcCell;
    ASSERT_TRUE(::GetUpdateRect(m_list.m_hWnd, &rcUpdate, FALSE));
    ASSERT_TRUE(m_list.GetCellRect(4, kPrice, rcCell));
    EXPECT_EQ(rcCell, rcUpdate);
}

TEST_F(FilterListTrendTest, NonNumericTextsCountAsZeroAndAWrappingClockStillMeasures)
{
    Start(500);
    Row(0)->price = "5";
    Row(1)->price = "abc";
    Repaint();
    Row(0)->price = "n/a";   // 5 -> 0: a fall
    Row(1)->price = "xyz";   // 0 -> 0: nothing
    Repaint();
    EXPECT_EQ(2, Record(0)->nState);
    EXPECT_EQ(3, Record(1)->nState);

    // A change just before the clock's 32 bits run out, looked at after they wrapped.
    AfxSetTestClock(TRUE, 0xFFFFFF00u);
    Row(2)->price = "200";
    Repaint();
    ASSERT_EQ(1, Record(2)->nState);
    AfxAdvanceTestClock(0x100);   // the clock reads 0 now, 256 ms later
    Tick();
    EXPECT_EQ(1, Record(2)->nState);
    AfxAdvanceTestClock(300);     // 556 ms after the change
    Tick();
    EXPECT_EQ(3, Record(2)->nState);
}

TEST_F(FilterListTrendTest, SettingsAreReadInTheirOrderAndWrittenBackInTheirs)
{
    TestSettings::Put("FilterGrid", "TrendType", "FALSE");
    TestSettings::Put("FilterGrid", "NegColor", "128");
    TestSettings::Put("FilterGrid", "PosColor", "32768");
    TestSettings::Put("FilterGrid", "Interval", "3000");
    TestSettings::Put("FilterGrid", "TrendColumns", "2 1 ");
    TestHost::Calls().clear();
    Build();
    EXPECT_TRUE(SameSequence(TrendSettingCalls(0), { "TrendType", "NegColor", "PosColor", "Interval", "TrendColumns" }));
    EXPECT_EQ(0, m_list.m_nTrendType);
    EXPECT_EQ(128u, m_list.m_clrTrendNeg);
    EXPECT_EQ(32768u, m_list.m_clrTrendPos);
    EXPECT_EQ(3000, m_list.m_nTrendInterval);
    EXPECT_TRUE(m_list.IsTrendRunning());
    EXPECT_EQ(2, m_list.m_mapTrend.GetCount());
    CTrendValueArray* pArray = nullptr;
    EXPECT_TRUE(m_list.m_mapTrend.Lookup(1, pArray));
    EXPECT_TRUE(m_list.m_mapTrend.Lookup(2, pArray));

    m_list.m_nTrendType = 1;
    m_list.m_clrTrendNeg = 0x123456;
    m_list.m_nTrendInterval = 0;
    TestHost::Calls().clear();
    m_list.SaveColumnProfile();
    EXPECT_TRUE(SameSequence(TrendSettingCalls(1), { "TrendColumns", "TrendType", "NegColor", "PosColor", "Interval" }));
    std::string columns = TestSettings::Get("FilterGrid", "TrendColumns");
    EXPECT_TRUE(columns == "1 2 " || columns == "2 1 ") << columns;
    EXPECT_EQ("TRUE", TestSettings::Get("FilterGrid", "TrendType"));
    EXPECT_EQ(std::to_string(0x123456), TestSettings::Get("FilterGrid", "NegColor"));
    EXPECT_EQ("32768", TestSettings::Get("FilterGrid", "PosColor"));
    EXPECT_EQ("0", TestSettings::Get("FilterGrid", "Interval"));

    // Destroying the list saves them; a new list under the same name reads them back.
    TestSettings::Put("FilterGrid", "TrendColumns", "<old>");
    m_list.DestroyWindow();
    EXPECT_NE("<old>", TestSettings::Get("FilterGrid", "TrendColumns"));
    CFilterListCtrl again;
    ASSERT_TRUE(again.Create(WS_CHILD | LVS_REPORT | LVS_OWNERDATA, CRect(0, 0, 300, 200), &m_host, 1002));
    for (int c = 0; c < 3; ++c)
    {
        sOrvoColInfo info = {};
        static const char* const names[] = { "Symbol", "Price", "Exchange" };
        snprintf(info.szColName, sizeof(info.szColName), "%s", names[c]);
        info.nWidth = 80;
        again.m_arrColInfo.Add(info);
    }
    again.m_csListName = "FilterGrid";
    again.InitColumnTextRtn(&FilterListTest::ColumnText);
    again.InsertColumnsForList();
    EXPECT_EQ(2, again.m_mapTrend.GetCount());
    EXPECT_EQ(1, again.m_nTrendType);
    EXPECT_EQ(0x123456u, again.m_clrTrendNeg);
    again.DestroyWindow();
}

TEST_F(FilterListTrendTest, NothingIsWrittenWhenTrendsStoppedOrDisabled)
{
    Start(1000);
    CArray<int, int> none;
    m_list.SetTrendColumns(&none);
    EXPECT_FALSE(m_list.IsTrendRunning());
    // The timer itself is gone: the platform has no timer 4000 of the list left to kill.
    EXPECT_FALSE(::KillTimer(m_list.m_hWnd, FILTER_TREND_TIMER));
    EXPECT_EQ(0, m_list.m_mapTrend.GetCount());
    TestHost::Calls().clear();
    m_list.SaveColumnProfile();
    EXPECT_TRUE(TrendSettingCalls(1).empty());
    EXPECT_EQ("<none>", TestSettings::Get("FilterGrid", "TrendColumns"));
    // Nothing drawn marks now either.
    Row(0)->price = "500";
    Repaint();
    EXPECT_NE(kPos, PriceBack(0));

    CArray<int, int> columns;
    columns.Add(kPrice);
    m_list.SetTrendColumns(&columns);
    m_list.m_bTrendEnabled = false;
    TestHost::Calls().clear();
    m_list.SaveColumnProfile();
    EXPECT_TRUE(TrendSettingCalls(1).empty());
    // A null pointer changes nothing.
    m_list.m_bTrendEnabled = true;
    EXPECT_EQ(1, m_list.SetTrendColumns(nullptr));
    EXPECT_EQ(1, m_list.m_mapTrend.GetCount());
    EXPECT_TRUE(m_list.IsTrendRunning());
    EXPECT_NE(0u, CFilterListCtrl::TrendTimerHandle());
    // Running again: the platform has the timer (killed here, started again by the next set).
    EXPECT_TRUE(::KillTimer(m_list.m_hWnd, FILTER_TREND_TIMER));
}

TEST_F(FilterListTrendTest, GarbageSettingsTakeDefaultsAndNeverBreakTheArrays)
{
    struct sCase
    {
        const char* columns;
        const char* neg;
        const char* pos;
        const char* interval;
        std::vector<int> expectColumns;   // empty: none set
        COLORREF expectNeg;
        COLORREF expectPos;
        int expectInterval;
    };
    const sCase cases[] = {
        { "abc def ", "red", "", "x", {}, 255, 65280, 0 },
        { "-1 -7 1 ", "-5", "16777216", "-1", { 1 }, 255, 65280, 0 },
        { "7 3 2 99999999999999999999 ", "16777215", "0", "2147483647", { 2 }, 0xFFFFFF, 0, 2147483647 },
        { "1 1 1 2x 0 ", "99999999999999", "12abc", "2147483648", { 1, 2, 0 }, 255, 12, 0 },
        // Trailing characters are ignored, as atoi and atol ignore them.
        { " 2;", "128 blue", " 65280\t", "1000ms", { 2 }, 128, 65280, 1000 },
        { "   ", "", "", "", {}, 255, 65280, 0 },
    };
    for (const sCase& c : cases)
    {
        TestHost::Reset();
        TestSettings::Put("FilterGrid", "TrendColumns", c.columns);
        TestSettings::Put("FilterGrid", "NegColor", c.neg);
        TestSettings::Put("FilterGrid", "PosColor", c.pos);
        TestSettings::Put("FilterGrid", "Interval", c.interval);
        CArray<int, int> none;
        m_list.SetTrendColumns(&none);
        Build();
        SCOPED_TRACE(c.columns);
        EXPECT_EQ(c.expectNeg, m_list.m_clrTrendNeg);
        EXPECT_EQ(c.expectPos, m_list.m_clrTrendPos);
        EXPECT_EQ(c.expectInterval, m_list.m_nTrendInterval);
        EXPECT_EQ((int)c.expectColumns.size(), m_list.m_mapTrend.GetCount());
        for (int id : c.expectColumns)
        {
            CTrendValueArray* pArray = nullptr;
            EXPECT_TRUE(m_list.m_mapTrend.Lookup(id, pArray)) << id;
        }
        if (std::string(c.neg) == "red")
        {
            EXPECT_FALSE(TestHost::LogLines().empty());
        }
        Add("ROW", "1");
        Repaint();
        ExpectInvariants();
        m_list.DeleteAllItems();
    }
    // A huge list of one id.
    std::string huge;
    for (int i = 0; i < 200000; ++i)
        huge += "1 ";
    TestSettings::Put("FilterGrid", "TrendColumns", huge);
    Build();
    EXPECT_EQ(1, m_list.m_mapTrend.GetCount());
    // The interval of 2^31-1 never expires: a mark stays through a long wait.
    m_list.m_nTrendInterval = INT_MAX;
    Add("X", "1");
    Repaint();
    Row(m_rows.size() - 1)->price = "2";
    Repaint();
    AfxAdvanceTestClock(3600 * 1000);
    Tick();
    EXPECT_EQ(1, Record(0)->nState);
    ExpectInvariants();
}

TEST_F(FilterListTrendTest, ArraysFollowTheMapThroughRandomInsertsAndDeletes)
{
    Build();
    CArray<int, int> columns;
    columns.Add(0);
    columns.Add(kPrice);
    m_list.SetTrendColumns(&columns);
    std::mt19937 random(1234);
    std::vector<const sInstrument*> model;   // the map as the host expects it
    for (int step = 0; step < 600; ++step)
    {
        int op = (int)(random() % 10);
        if (op < 5)
        {
            m_rows.push_back({ "R" + std::to_string(step), std::to_string(step % 17), "NSE" });
            int at = (int)(random() % (model.size() + 2));
            int m = m_list.InsertItem(at, "", 0);
            ASSERT_GE(m, 0);
            m_list.SetMapItemCheck(m, 0);
            // The new record's data, set on its map entry directly (the host's pointer).
            m_list.m_arrMap[m]->dwItemData = (DWORD_PTR)&m_rows.back();
            model.insert(model.begin() + m, &m_rows.back());
        }
        else if (op < 8 && !model.empty())
        {
            int m = (int)(random() % model.size());
            ASSERT_EQ(1, m_list.DeleteMapItem(m));
            model.erase(model.begin() + m);
        }
        else if (op == 8 && !model.empty() && m_list.GetDisplayCount() > 0)
        {
            int r = (int)(random() % (unsigned)m_list.GetDisplayCount());
            int m = m_list.GetMapIndexFromDisplayIndex(r);
            ASSERT_EQ(1, m_list.DeleteItem(r));
            model.erase(model.begin() + m);
        }
        else if (random() % 8 == 0)
        {
            m_list.DeleteAllItems();
            model.clear();
        }
        if (step % 50 == 0)
            Repaint();
        CString reason;
        ASSERT_TRUE(m_list.CheckInvariants(&reason)) << step << ": " << (LPCTSTR)reason;
        ASSERT_EQ((INT_PTR)model.size(), m_list.m_arrMap.GetSize());
        POSITION pos = m_list.m_mapTrend.GetStartPosition();
        while (pos != nullptr)
        {
            int nColumn;
            CTrendValueArray* pArray;
            m_list.m_mapTrend.GetNextAssoc(pos, nColumn, pArray);
            ASSERT_EQ((INT_PTR)model.size(), pArray->GetSize()) << step;
            for (INT_PTR k = 0; k < pArray->GetSize(); ++k)
                ASSERT_NE(nullptr, pArray->GetAt(k));
        }
        for (size_t k = 0; k < model.size(); ++k)
            ASSERT_EQ((DWORD_PTR)model[k], m_list.GetMapItemData((int)k)) << step;
    }
}

TEST_F(FilterListTrendTest, ReplacingTheColumnsAThousandTimesLeaksNothing)
{
    Build();
    for (int i = 0; i < 400; ++i)
        Add(("L" + std::to_string(i)).c_str(), std::to_string(i).c_str());
    CArray<int, int> columns;
    columns.Add(0);
    columns.Add(1);
    columns.Add(2);
    m_list.SetTrendColumns(&columns);
    Repaint();
    const int nGdi = TestLeaks::GdiObjects();
    const int nWindows = TestLeaks::Windows();
    const long long nBytes = HeapBytesInUse();
    ASSERT_GT(nBytes, 0);
    for (int i = 0; i < 1000; ++i)
    {
        columns.RemoveAll();
        columns.Add(i % 3);
        columns.Add((i + 1) % 3);
        m_list.SetTrendColumns(&columns);
        if (i % 100 == 0)
            Repaint();
    }
    const long long nGrowth = HeapBytesInUse() - nBytes;
    EXPECT_EQ(nGdi, TestLeaks::GdiObjects());
    EXPECT_EQ(nWindows, TestLeaks::Windows());
    // A leak of the records alone would be 1,000 x 800 records (about 25 MB).
    EXPECT_LT(nGrowth, 256LL * 1024) << nGrowth;
    ExpectInvariants();
}
