// Trend colouring of the filter list driven as the host drives it: settings stored under the list's
// name, rows streamed in with price changes, real repaints of the owner-drawn rows, timer 4000
// ticks delivered as the platform delivers them, and the test clock moved instead of sleeping.
#include "FilterListFixture.h"

#include <algorithm>

namespace
{
const int kPrice = 1;   // the fixture's Price column
const COLORREF kPos = RGB(0, 200, 0);
const COLORREF kNeg = RGB(200, 0, 0);
COLORREF s_clrHostText = (COLORREF)-1;
COLORREF s_clrHostBack = (COLORREF)-1;

// The trend keys of the host's UserSetting calls of one mode (0 read, 1 write), in order.
Texts TrendSettingCalls(int nMode)
{
    Texts calls;
    const std::string prefix = "UserSetting(" + std::to_string(nMode) + ",FilterGrid,";
    for (const std::string& call : TestHost::Calls())
        for (const char* key : { "TrendColumns", "TrendType", "NegColor", "PosColor", "Interval" })
            if (call == prefix + key + ")")
                calls.push_back(key);
    return calls;
}

int LogLinesWith(const std::string& text)
{
    const auto& lines = TestHost::LogLines();
    return (int)std::count_if(lines.begin(), lines.end(),
                              [&text](const std::string& line) { return line.find(text) != std::string::npos; });
}

// Bytes in use in every heap of the process (the C run-time's included).
long long HeapBytesInUse()
{
    HANDLE heaps[64];
    long long total = 0;
    for (DWORD i = 0, n = std::min<DWORD>(::GetProcessHeaps(64, heaps), 64); i < n; ++i)
    {
        PROCESS_HEAP_ENTRY entry = {};
        ::HeapLock(heaps[i]);
        while (::HeapWalk(heaps[i], &entry))
            total += (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) ? entry.cbData : 0;
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
        s_clrHostText = s_clrHostBack = (COLORREF)-1;
    }

    // Columns built, five rows, trends on Price with the given interval and type. Nothing has been
    // drawn since: the next repaint is each cell's first drawing.
    void Start(int nInterval, BYTE nType = 1)
    {
        Build();
        for (int i = 0; i < 5; ++i)
            Add(("SYM" + std::to_string(i)).c_str(), "100");
        m_list.m_nTrendInterval = nInterval;
        m_list.m_nTrendType = nType;
        m_list.m_clrTrendPos = kPos;
        m_list.m_clrTrendNeg = kNeg;
        SetTrends({ kPrice });
    }

    int State(int nMapIndex)
    {
        CTrendValueArray* pArray = nullptr;
        if (!m_list.m_mapTrend.Lookup(kPrice, pArray) || pArray == nullptr || nMapIndex >= pArray->GetSize())
            return -1;
        return pArray->GetAt(nMapIndex)->nState;
    }

    void Tick() { m_list.SendMessage(WM_TIMER, FILTER_TREND_TIMER, 0); }

    // The background colour of the price cell of a screen row, from a picture of the list.
    COLORREF PriceBack(int nScreenRow)
    {
        Shoot();
        CRect rc = Cell(nScreenRow, kPrice);
        return Pixel(rc.left + 1, rc.top + 1);
    }

    // The fixture's texts, in the host's colours.
    static int ColouredText(ULONGLONG dwItemData, int nColumn, CString& text, unsigned long& clrText,
                            unsigned long& clrBack, int& nImage)
    {
        clrText = s_clrHostText;
        clrBack = s_clrHostBack;
        return ColumnText(dwItemData, nColumn, text, clrText, clrBack, nImage);
    }
};

TEST_F(FilterListTrendTest, FirstDrawingNeverMarksThenRiseRiseAgainAndFall)
{
    Start(1000);
    Row(0)->price = "-5";
    Row(1)->price = "99999";
    Repaint();
    Shoot();
    for (int r = 0; r < 5; ++r)
        EXPECT_EQ(0, Count(Cell(r, kPrice), kPos) + Count(Cell(r, kPrice), kNeg)) << r;
    Row(2)->price = "101";
    EXPECT_EQ(kPos, PriceBack(2));
    EXPECT_NE(kPos, PriceBack(1));   // the others did not move
    AfxAdvanceTestClock(800);
    Row(2)->price = "102";           // again within the interval: the mark stays, its time restarts
    EXPECT_EQ(kPos, PriceBack(2));
    AfxAdvanceTestClock(800);        // 1,600 after the first rise, 800 after the second
    Tick();
    EXPECT_EQ(kPos, PriceBack(2));
    Row(2)->price = "99.5";          // a fall while the positive mark shows
    EXPECT_EQ(kNeg, PriceBack(2));
    AfxAdvanceTestClock(1000);
    Tick();
    EXPECT_EQ(3, State(2));
    COLORREF clr = PriceBack(2);
    EXPECT_TRUE(clr != kPos && clr != kNeg);
}

// A rise is marked on the row's own record and cleared by the first tick after the interval, which
// repaints that price cell alone.
TEST_F(FilterListTrendTest, MarksAreClearedByTheTickThatRepaintsOnlyTheirCell)
{
    // The mark is the background under type 1, the text colour under type 0.
    const struct { const char* pszName; bool bReverse; BYTE nType; int nInterval, nMapIndex, nScreenRow; } cases[] = {
        { "interval 0: the next tick", false, 1, 0, 3, 3 },
        { "reverse display: the last row on screen is map index 0", true, 1, 1000, 0, 4 },
        { "a text mark colours the text, not the background", false, 0, 1000, 1, 1 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        m_list.SetReverseDisplay(c.bReverse);
        Refill();
        Start(c.nInterval, c.nType);
        Repaint();
        Row(c.nMapIndex)->price = "140";
        Shoot();
        const CRect rc = Cell(c.nScreenRow, kPrice);
        EXPECT_EQ(c.nType == 1, Pixel(rc.left + 1, rc.top + 1) == kPos);
        EXPECT_GT(Count(rc, kPos), 5);
        EXPECT_EQ(1, State(c.nMapIndex));
        EXPECT_EQ(0, Count(Cell(c.nScreenRow == 0 ? 1 : 0, kPrice), kPos));
        AfxAdvanceTestClock(c.nInterval);
        m_list.ValidateRect(nullptr);
        Tick();
        CRect rcUpdate;
        ASSERT_TRUE(::GetUpdateRect(m_list.m_hWnd, &rcUpdate, FALSE));
        EXPECT_EQ(rc, rcUpdate);
        EXPECT_EQ(3, State(c.nMapIndex));
        Shoot();
        EXPECT_EQ(0, Count(rc, kPos));
        SetTrends({});
    }
}

// A mark never hides the value: where the mark and the text colour would be too alike the text is
// drawn in black or white, whichever stands out more; readable combinations keep their colours.
TEST_F(FilterListTrendTest, MarksThatWouldHideTheTextGiveItBlackOrWhite)
{
    const COLORREF kGreen = RGB(0, 200, 0), kNone = (COLORREF)-1;
    // Trend type 1: the mark is the background, 0: the text colour.
    const struct { const char* pszName; BYTE nTrendType; COLORREF clrHostText, clrHostBack, clrPos, clrText; } cases[] = {
        { "green host text on a green background mark", 1, kGreen, kNone, kGreen, RGB(0, 0, 0) },
        { "green text mark on a green host background", 0, kNone, kGreen, kGreen, RGB(0, 0, 0) },
        { "navy text mark on a dark blue host background", 0, kNone, RGB(0, 0, 90), RGB(0, 0, 80), RGB(255, 255, 255) },
        { "green text mark on white stays green", 0, kNone, RGB(255, 255, 255), kGreen, kGreen },
        { "black host text on a green mark stays black", 1, RGB(0, 0, 0), kNone, kGreen, RGB(0, 0, 0) },
    };
    Start(100000);
    m_list.InitColumnTextRtn(&ColouredText);
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        s_clrHostText = c.clrHostText;
        s_clrHostBack = c.clrHostBack;
        m_list.m_nTrendType = c.nTrendType;
        m_list.m_clrTrendPos = c.clrPos;
        SetTrends({ kPrice });
        Row(0)->price = "100";
        Repaint();   // the first drawing: no mark
        Row(0)->price = "101";
        Shoot();
        CRect rc = Cell(0, kPrice);
        rc.DeflateRect(1, 1);
        EXPECT_GT(Count(rc, c.clrText), 5);
    }
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
    EXPECT_EQ(2, State(0));
    EXPECT_EQ(3, State(1));
    // A change just before the clock's 32 bits run out, looked at after they wrapped.
    AfxSetTestClock(TRUE, 0xFFFFFF00u);
    Row(2)->price = "200";
    Repaint();
    ASSERT_EQ(1, State(2));
    for (int nAdvance : { 0x100, 300 })   // the clock reads 0 (256 ms later), then 556 ms after the change
    {
        AfxAdvanceTestClock(nAdvance);
        Tick();
        EXPECT_EQ(nAdvance == 300 ? 3 : 1, State(2)) << nAdvance;
    }
}

// The values read are the garbage test's; here: the order of the host's calls, and settings kept
// from one list to the next of the same name.
TEST_F(FilterListTrendTest, SettingsAreReadAndWrittenInTheirOrdersKeptAcrossListsAndNotWrittenWhenStopped)
{
    TestSettings::Put("FilterGrid", "TrendType", "FALSE");
    TestSettings::Put("FilterGrid", "TrendColumns", "2 1 ");
    TestHost::Calls().clear();
    Build();
    EXPECT_TRUE(SameSequence(TrendSettingCalls(0), { "TrendType", "NegColor", "PosColor", "Interval", "TrendColumns" }));
    EXPECT_EQ(0, m_list.m_nTrendType);
    EXPECT_TRUE(m_list.IsTrendRunning());
    m_list.m_nTrendType = 1;
    m_list.m_clrTrendNeg = 0x123456;
    m_list.m_clrTrendPos = 32768;
    m_list.m_nTrendInterval = 0;
    TestHost::Calls().clear();
    m_list.SaveColumnProfile();
    EXPECT_TRUE(SameSequence(TrendSettingCalls(1), { "TrendColumns", "TrendType", "NegColor", "PosColor", "Interval" }));
    std::string columns = TestSettings::Get("FilterGrid", "TrendColumns");
    EXPECT_TRUE(columns == "1 2 " || columns == "2 1 ") << columns;
    for (const auto& kv : { std::make_pair("TrendType", "TRUE"), std::make_pair("NegColor", "1193046"),
                            std::make_pair("PosColor", "32768"), std::make_pair("Interval", "0") })
        EXPECT_EQ(kv.second, TestSettings::Get("FilterGrid", kv.first)) << kv.first;
    // Destroying the list saves them; a new list under the same name reads them back.
    TestSettings::Put("FilterGrid", "TrendColumns", "<old>");
    m_list.DestroyWindow();
    EXPECT_NE("<old>", TestSettings::Get("FilterGrid", "TrendColumns"));
    SetTrends({});
    m_list.m_nTrendType = 0;
    m_list.m_clrTrendNeg = 0;
    ASSERT_TRUE(m_list.Create(WS_CHILD | LVS_REPORT | LVS_OWNERDATA, CRect(0, 0, 300, 200), &m_host, 1002));
    Build();
    EXPECT_EQ(2, m_list.m_mapTrend.GetCount());
    EXPECT_EQ(1, m_list.m_nTrendType);
    EXPECT_EQ(0x123456u, m_list.m_clrTrendNeg);
    // Stopped or disabled trends write nothing; stopped ones leave the platform no timer 4000.
    SetTrends({});
    EXPECT_FALSE(::KillTimer(m_list.m_hWnd, FILTER_TREND_TIMER));
    TestHost::Calls().clear();
    m_list.SaveColumnProfile();
    SetTrends({ kPrice });
    m_list.m_bTrendEnabled = false;
    m_list.SaveColumnProfile();
    EXPECT_TRUE(TrendSettingCalls(1).empty());
    EXPECT_TRUE(::KillTimer(m_list.m_hWnd, FILTER_TREND_TIMER));
}

TEST_F(FilterListTrendTest, GarbageSettingsTakeDefaultsAndNeverBreakTheArrays)
{
    std::string huge;   // one id 200,000 times
    for (int i = 0; i < 200000; ++i)
        huge += "1 ";
    // Stored columns, NegColor, PosColor, Interval; the trend column ids, colours and interval read.
    const struct { const char *columns, *neg, *pos, *interval; std::vector<int> ids; COLORREF neg2, pos2; int nInterval; }
        cases[] = {
        { "abc def ", "red", "", "x", {}, 255, 65280, 0 },
        { "-1 -7 1 ", "-5", "16777216", "-1", { 1 }, 255, 65280, 0 },
        { "7 3 1 99999999999999999999 ", "16777215", "0", "2147483647", { 1 }, 0xFFFFFF, 0, 2147483647 },
        { "1 1 1 2x 0 ", "99999999999999", "12abc", "2147483648", { 1, 2, 0 }, 255, 12, 0 },
        // Trailing characters are ignored, as atoi and atol ignore them ("1000ms" is 1000).
        { " 2;", "128 blue", " 65280\t", "1000ms", { 2 }, 128, 65280, 1000 },
        { "   ", "", "", "", {}, 255, 65280, 0 },
        { huge.c_str(), "", "", "", { 1 }, 255, 65280, 0 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string(c.columns).substr(0, 30));
        TestHost::Reset();
        for (const auto& kv : { std::make_pair("TrendColumns", c.columns), std::make_pair("NegColor", c.neg),
                                std::make_pair("PosColor", c.pos), std::make_pair("Interval", c.interval) })
            TestSettings::Put("FilterGrid", kv.first, kv.second);
        SetTrends({});
        Build();
        EXPECT_EQ(c.neg2, m_list.m_clrTrendNeg);
        EXPECT_EQ(c.pos2, m_list.m_clrTrendPos);
        EXPECT_EQ(c.nInterval, m_list.m_nTrendInterval);
        EXPECT_EQ((int)c.ids.size(), m_list.m_mapTrend.GetCount());
        for (int id : c.ids)
        {
            CTrendValueArray* pArray = nullptr;
            EXPECT_TRUE(m_list.m_mapTrend.Lookup(id, pArray)) << id;
        }
        EXPECT_TRUE(std::string(c.neg) != "red" || !TestHost::LogLines().empty());
        // A rise on the price an hour old: cleared by a tick, unless the interval is longer.
        Refill({ "ROW" });
        Repaint();
        Row(0)->price = "2";
        Repaint();
        AfxAdvanceTestClock(3600 * 1000);
        Tick();
        const bool bPriceTrend = std::find(c.ids.begin(), c.ids.end(), kPrice) != c.ids.end();
        EXPECT_EQ(!bPriceTrend ? -1 : c.nInterval > 3600 * 1000 ? 1 : 3, State(0));
        ExpectInvariants();
    }
}

// Trend settings are written when the list closes, where nobody sees a failure: each refused key
// gets one line in the host's log, and a damaged stored value is logged cut to a readable length.
TEST_F(FilterListTrendTest, RefusedWritesAndDamagedValuesAreLoggedShortly)
{
    TestSettings::Put("FilterGrid", "NegColor", std::string(1 << 20, '7') + "x");
    TestHost::LogLines().clear();
    Build();
    ASSERT_EQ(1, LogLinesWith("NegColor"));
    for (const std::string& line : TestHost::LogLines())
        EXPECT_LT(line.size(), 300u) << line.substr(0, 100);
    EXPECT_EQ(1, LogLinesWith("(1048577 characters)"));

    SetTrends({ kPrice });
    TestHost::LogLines().clear();
    TestHost::g_bFailSettings = true;
    m_list.SaveColumnProfile();
    TestHost::g_bFailSettings = false;
    for (const char* key : { "TrendColumns", "TrendType", "NegColor", "PosColor", "Interval" })
        EXPECT_EQ(1, LogLinesWith(std::string("Could not save the trend settings [FilterGrid] ") + key)) << key;
}

// The one leak check of this program: trend records, pictures and windows across a thousand
// replacements of the trend columns of 400 rows.
TEST_F(FilterListTrendTest, ReplacingTheColumnsAThousandTimesLeaksNothing)
{
    Build();
    for (int i = 0; i < 400; ++i)
        Add(("L" + std::to_string(i)).c_str(), std::to_string(i).c_str());
    SetTrends({ 0, 1, 2 });
    Repaint();
    const int nGdi = TestLeaks::GdiObjects(), nWindows = TestLeaks::Windows();
    const long long nBytes = HeapBytesInUse();
    ASSERT_GT(nBytes, 0);
    for (int i = 0; i < 1000; ++i)
    {
        SetTrends({ i % 3, (i + 1) % 3 });
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
