// Colours of the filter list, checked on pictures of the real window: row colour options, the
// host's cell colours and icons, the text-colour providers, selection, check boxes, number
// formatting, the row height; trend marks on rows streamed in with price changes, timer 4000 ticks
// delivered as the platform delivers them (the test clock moved instead of sleeping), and the trend
// settings stored under the list's name.
#include "FilterListFixture.h"

#include <algorithm>
#include <functional>
#include <map>

namespace
{
struct sCellStyle
{
    unsigned long clrText = (unsigned long)-1;
    unsigned long clrBack = (unsigned long)-1;
    int nImage = -1;
};

// Styles the host gives cells, by row data and column.
std::map<std::pair<ULONGLONG, int>, sCellStyle> g_styles;

// A text-colour provider of the kind a host registers: colours the rows whose symbol starts "K".
class CColourRule : public CWnd
{
public:
    int Provide(DWORD_PTR dwItemData, COLORREF& color, int, int)
    {
        const sInstrument* p = reinterpret_cast<const sInstrument*>(dwItemData);
        if (p != nullptr && !p->symbol.empty() && p->symbol[0] == 'K')
            color = RGB(0, 0, 255);
        return 1;
    }
};

const COLORREF kText = RGB(10, 20, 30);
const COLORREF kBack = RGB(250, 250, 240);
const COLORREF kBand1 = RGB(240, 247, 249);
const COLORREF kBand2 = RGB(230, 230, 250);
const COLORREF kGrey = RGB(220, 220, 220);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kHostBack = RGB(1, 2, 3);
const COLORREF kHostText = RGB(200, 100, 50);
const COLORREF kSelectedTop = RGB(0x52, 0x7B, 0xE1);

// What a probe looks for in a cell: the pixel at (x, y), more than 5 pixels of a colour, or none.
enum eKind { kAt, kInk, kNoInk };
const int kMid = 1000;   // a probe's y: the middle of the cell
struct sProbe
{
    int nRow, nCol;
    eKind kind;
    COLORREF clr;
    int x = -2;   // from the left edge (>= 0) or the right one (< 0)
    int y = 1;    // from the top (>= 0) or the bottom (< 0)
};

const int kPrice = 1;   // the fixture's Price column
const COLORREF kPos = RGB(0, 200, 0);
const COLORREF kNeg = RGB(200, 0, 0);

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

class FilterListPaintTest : public FilterListTest
{
protected:
    FilterListPaintTest() { m_dwExtraStyle = LVS_OWNERDRAWFIXED; }

    void SetUp() override
    {
        FilterListTest::SetUp();
        g_styles.clear();
        Build();
        m_list.InitColumnTextRtn(&StyledText);
        m_list.SetTextColor(kText);
        m_list.SetBkColor(kBack);
        m_list.SetTextBkColor(kBack);
        Add("ALPHA", "1234567.5", "1234567.5");
        Add("KILO", "12a45", "12a45");
        Add("GAMMA", "-98765", "-98765");
        Add("DELTA", "7");
        Add("ECHO");
        Pump();
    }
    // Pixels of the cell that are not its background colour (taken at the top-right corner).
    int Ink(int nRow, int nHeaderItem)
    {
        CRect rc = Cell(nRow, nHeaderItem);
        return rc.Width() * rc.Height() - Count(rc, Pixel(rc.right - 2, rc.top + 1));
    }
    DWORD_PTR Data(size_t i) { return (DWORD_PTR)Row(i); }
    void Check(const sProbe& p)
    {
        SCOPED_TRACE("row " + std::to_string(p.nRow) + ", column " + std::to_string(p.nCol));
        CRect rc = Cell(p.nRow, p.nCol);
        if (p.kind == kInk)
            EXPECT_GT(Count(rc, p.clr), 5);
        else if (p.kind == kNoInk)
            EXPECT_EQ(0, Count(rc, p.clr));
        else
        {
            const int y = p.y == kMid ? rc.CenterPoint().y : (p.y >= 0 ? rc.top : rc.bottom) + p.y;
            EXPECT_EQ(p.clr, Pixel(p.x >= 0 ? rc.left + p.x : rc.right + p.x, y));
        }
    }

    static int StyledText(ULONGLONG dwItemData, int nColumn, CString& text, unsigned long& clrText, unsigned long& clrBack,
                          int& nImage)
    {
        unsigned long t = (unsigned long)-1, b = (unsigned long)-1;
        int i = -1;
        int nResult = FilterListTest::ColumnText(dwItemData, nColumn, text, t, b, i);
        auto it = g_styles.find({ dwItemData, nColumn });
        if (it != g_styles.end())
        {
            clrText = it->second.clrText;
            clrBack = it->second.clrBack;
            nImage = it->second.nImage;
        }
        return nResult;
    }
};

// Options of one picture; the host's colours and a check on row 1 are always there, keyword rules
// once set.
const int kReverse = 1, kAlternate = 2, kShades = 4, kGreyRows = 8, kSortOnChecked = 16, kMarked = 32;
const int kSelected = 64, kFocused = 128, kKeywords = 256, kProvider = 512, kGrouped = 1024;

TEST_F(FilterListPaintTest, EveryColourRuleOnTheCellsItColours)
{
    CColourRule rule;
    CStringArray keywords;
    keywords.Add("kilo");
    CColorArray colors;
    colors.Add(RGB(0, 0, 230));
    const COLORREF kDark = RGB(9, 9, 9), kChecked = RGB(64, 0, 64);
    g_styles[{ Data(2), 0 }] = { kHostText, kHostBack };
    g_styles[{ Data(3), 1 }].clrBack = kDark;
    m_list.SetCheck(1, 1);
    // State images magenta (unchecked) and cyan (checked); a pure red icon in one cell, a handle that
    // is no icon in another.
    std::vector<DWORD> stateBits(24 * 12);
    for (size_t i = 0; i < stateBits.size(); ++i)
        stateBits[i] = i % 24 < 12 ? 0x00FF00FF : 0x0000FFFF;
    HBITMAP hStates = ::CreateBitmap(24, 12, 1, 32, stateBits.data());
    CImageList images;
    ASSERT_TRUE(images.Create(12, 12, ILC_COLOR32, 2, 0));
    ASSERT_EQ(0, ImageList_Add(images.m_hImageList, hStates, nullptr));
    ::DeleteObject(hStates);
    m_list.SetImageList(&images, LVSIL_STATE);
    std::vector<DWORD> xorBits(16 * 16, 0x00FF0000);
    BYTE andMask[32] = {};
    ICONINFO info = { TRUE, 0, 0, ::CreateBitmap(16, 16, 1, 1, andMask), ::CreateBitmap(16, 16, 1, 32, xorBits.data()) };
    HICON hIcon = ::CreateIconIndirect(&info);
    ::DeleteObject(info.hbmMask);
    ::DeleteObject(info.hbmColor);
    ASSERT_NE(nullptr, hIcon);
    g_styles[{ Data(4), 2 }].nImage = (int)(INT_PTR)hIcon;
    g_styles[{ Data(3), 2 }].nImage = 0x7123;
    const COLORREF kKeyword = RGB(0, 0, 230), kRule = RGB(0, 0, 255), kSelectedOff = RGB(0x7E, 0x7E, 0x7E);
    const struct
    {
        int nOptions;
        std::vector<sProbe> probes;
    } states[] = {
        { 0, { { 0, 0, kAt, kBack }, { 0, 2, kAt, kBack }, { 0, 0, kInk, kText }, { 2, 0, kAt, kHostBack },
               { 2, 1, kAt, kBack }, { 2, 0, kInk, kHostText }, { 2, 0, kNoInk, kText }, { 1, 0, kAt, kBack },
               { 0, 0, kAt, RGB(255, 0, 255), 6, kMid }, { 1, 0, kAt, RGB(0, 255, 255), 6, kMid },
               { 1, 1, kNoInk, RGB(0, 255, 255) }, { 4, 2, kAt, RGB(255, 0, 0), 10, kMid } } },
        { kReverse, { { 1, 1, kAt, kDark }, { 3, 1, kAt, kBack } } },
        { kAlternate, { { 0, 1, kAt, kBand1 }, { 1, 1, kAt, kBand2 }, { 2, 2, kAt, kBand1 }, { 3, 0, kAt, kBand2 } } },
        { kAlternate | kShades,
          { { 1, 1, kAt, kBand2, -2, 0 }, { 1, 1, kAt, kWhite, -2, -1 }, { 0, 2, kAt, kWhite, -2, -1 } } },
        { kGreyRows, { { 0, 0, kAt, kGrey }, { 3, 0, kAt, kGrey }, { 3, 1, kAt, kDark }, { 1, 0, kAt, kGrey } } },
        { kGreyRows | kSortOnChecked, { { 1, 0, kAt, kChecked }, { 1, 2, kAt, kChecked }, { 0, 0, kAt, kGrey } } },
        { kMarked, { { 0, 0, kInk, RGB(245, 10, 10) }, { 0, 0, kNoInk, kText }, { 0, 0, kAt, kBack } } },
        { kSelected | kFocused, { { 2, 0, kAt, kSelectedTop, -2, 0 }, { 2, 2, kAt, RGB(0x3C, 0xA6, 0xFF), -2, -1 },
                                  { 2, 0, kInk, kWhite }, { 1, 0, kAt, kBack } } },
        { kSelected, { { 2, 0, kAt, kSelectedOff, -2, 0 }, { 2, 1, kAt, kSelectedOff, -2, -1 }, { 2, 0, kInk, kWhite } } },
        { kKeywords, { { 1, 0, kInk, kKeyword }, { 1, 2, kInk, kKeyword }, { 1, 2, kNoInk, kHostText },
                       { 0, 0, kNoInk, kKeyword }, { 0, 0, kInk, kText } } },
        { kProvider, { { 1, 0, kInk, kRule }, { 1, 0, kNoInk, kText }, { 0, 0, kNoInk, kRule }, { 0, 0, kInk, kText } } },
        { kProvider | kGrouped, { { 1, 0, kNoInk, kRule }, { 1, 0, kInk, kText } } },
    };
    for (const auto& s : states)
    {
        SCOPED_TRACE("options " + std::to_string(s.nOptions));
        const int o = s.nOptions;
        m_list.SetReverseDisplay((o & kReverse) != 0);
        m_list.m_bAlternateRowColors = (o & kAlternate) != 0;
        m_list.SetDrawShades((o & kShades) != 0);
        m_list.m_bGreyRows = (o & kGreyRows) != 0;
        m_list.m_bSortOnChecked = (o & kSortOnChecked) != 0;
        m_list.m_bMarkedText = (o & kMarked) != 0;
        m_list.SetItemState(2, (o & kSelected) ? LVIS_SELECTED : 0, LVIS_SELECTED);
        ((o & kFocused) ? (CWnd&)m_list : (CWnd&)m_host).SetFocus();
        Pump();
        if (o & kKeywords)
        {
            ASSERT_EQ(1, m_list.SetDefaultAttributes(0, keywords, colors));
        }
        m_list.m_pTextColorTarget = (o & kProvider) ? &rule : nullptr;
        if (o & kProvider)
            m_list.SetPointerToGetTextColor(static_cast<CCommonListCtrl::PFN_GETTEXTCOLOR>(&CColourRule::Provide));
        m_list.m_bGroupedList = (o & kGrouped) != 0;
        Shoot();
        for (const sProbe& p : s.probes)
            Check(p);
    }
    // Type 2 numbers get thousands separators: more ink than the same text in the type 1 column.
    EXPECT_GT(Ink(0, 1), Ink(0, 2));   // "1,234,567.5"
    EXPECT_GT(Ink(2, 1), Ink(2, 2));   // "-98,765"
    EXPECT_EQ(Ink(1, 1), Ink(1, 2));   // "12a45" is no number
    EXPECT_GT(Ink(3, 2), 3 * Ink(3, 1));   // the handle that is no icon: the cell says so
    // A column widened after a paint: the cells are drawn at the header's new edges.
    m_list.SetColumnWidth(0, m_list.GetColumnWidth(0) + 40);
    Shoot();
    CRect rcHeader;
    m_list.GetHeaderCtrl()->GetItemRect(1, &rcHeader);
    EXPECT_EQ(kDark, Pixel(rcHeader.right - 3, Cell(3, 1).top + 1));
    m_list.SetImageList(nullptr, LVSIL_STATE);
    ::DestroyIcon(hIcon);
}

TEST_F(FilterListPaintTest, RowHeightFollowsTheFontAndLinesPerRow)
{
    CFont font;
    ASSERT_TRUE(font.CreateFont(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial"));
    for (int nLines : { 1, 2, 0 })
    {
        m_list.SetNoOfLinesPerRow(nLines);
        m_list.SetFont(&font);
        Pump();
        CRect rc;
        ASSERT_TRUE(m_list.GetItemRect(0, &rc, LVIR_BOUNDS));
        EXPECT_EQ(nLines == 2 ? 48 : 24, rc.Height()) << nLines;
    }
    m_list.SetFont(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
}

class FilterListTrendTest : public FilterListPaintTest
{
protected:
    void SetUp() override
    {
        FilterListPaintTest::SetUp();
        AfxSetTestClock(TRUE, 100000);
    }
    void TearDown() override
    {
        FilterListPaintTest::TearDown();
        AfxSetTestClock(FALSE);
    }

    // Five rows, trends on Price with the given interval and type. Nothing has been drawn since:
    // the next repaint is each cell's first drawing.
    void Start(int nInterval, BYTE nType = 1)
    {
        Refill();
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
};

TEST_F(FilterListTrendTest, FirstDrawingNeverMarksThenRiseRiseAgainAndFall)
{
    Start(1000);
    Row(0)->price = "-5";
    Row(1)->price = "99999";
    Row(3)->price = "abc";
    Row(4)->price = "5";
    Repaint();
    Shoot();
    for (int r = 0; r < 5; ++r)
        EXPECT_EQ(0, Count(Cell(r, kPrice), kPos) + Count(Cell(r, kPrice), kNeg)) << r;
    Row(2)->price = "101";
    Row(3)->price = "xyz";   // texts that are no number count as 0: 0 -> 0 is no change
    Row(4)->price = "n/a";   // 5 -> 0: a fall
    EXPECT_EQ(kPos, PriceBack(2));
    EXPECT_NE(kPos, PriceBack(1));   // the others did not move
    EXPECT_EQ(kBack, Pixel(Cell(3, kPrice).left + 1, Cell(3, kPrice).top + 1));
    EXPECT_EQ(kNeg, Pixel(Cell(4, kPrice).left + 1, Cell(4, kPrice).top + 1));
    AfxAdvanceTestClock(800);
    Row(2)->price = "102";           // again within the interval: the mark stays, its time restarts
    EXPECT_EQ(kPos, PriceBack(2));
    AfxAdvanceTestClock(800);        // 1,600 after the first rise, 800 after the second
    Tick();
    EXPECT_EQ(kPos, PriceBack(2));
    Row(2)->price = "99.5";          // a fall while the positive mark shows
    EXPECT_EQ(kNeg, PriceBack(2));
    AfxAdvanceTestClock(1000);       // expired: the next drawing clears it, before any tick
    COLORREF clr = PriceBack(2);
    EXPECT_TRUE(clr != kPos && clr != kNeg);
    EXPECT_EQ(3, State(2));
}

// A rise is marked on the row's own record and cleared by the first tick after the interval, which
// repaints that price cell alone.
TEST_F(FilterListTrendTest, MarksAreClearedByTheTickThatRepaintsOnlyTheirCell)
{
    // The mark is the background under type 1, the text colour under type 0.
    const struct { const char* pszName; bool bReverse; BYTE nType; int nInterval, nMapIndex, nScreenRow; DWORD nClock; }
        cases[] = {
        { "interval 0: the next tick", false, 1, 0, 3, 3, 100000 },
        { "reverse display: the last row on screen is map index 0", true, 1, 1000, 0, 4, 100000 },
        { "a text mark colours the text, not the background", false, 0, 1000, 1, 1, 100000 },
        { "the clock's 32 bits run out half way", false, 1, 1000, 2, 2, 0xFFFFFF00u },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        AfxSetTestClock(TRUE, c.nClock);
        m_list.SetReverseDisplay(c.bReverse);
        Start(c.nInterval, c.nType);
        Repaint();
        Row(c.nMapIndex)->price = "140";
        Shoot();
        const CRect rc = Cell(c.nScreenRow, kPrice);
        EXPECT_EQ(c.nType == 1, Pixel(rc.left + 1, rc.top + 1) == kPos);
        EXPECT_GT(Count(rc, kPos), 5);
        EXPECT_EQ(0, Count(Cell(c.nScreenRow == 0 ? 1 : 0, kPrice), kPos));
        if (c.nInterval > 0)   // half the interval later the mark is still there
        {
            AfxAdvanceTestClock(c.nInterval / 2);
            Tick();
            Shoot();
            EXPECT_GT(Count(rc, kPos), 5);
        }
        AfxAdvanceTestClock(c.nInterval - c.nInterval / 2);
        m_list.ValidateRect(nullptr);
        Tick();
        CRect rcUpdate;
        ASSERT_TRUE(::GetUpdateRect(m_list.m_hWnd, &rcUpdate, FALSE));
        EXPECT_EQ(rc, rcUpdate);
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
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        g_styles[{ Data(0), kPrice }] = { c.clrHostText, c.clrHostBack };
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
    // Written when the list closes, where nobody sees a failure: each refused key is logged once.
    TestHost::LogLines().clear();
    TestHost::g_bFailSettings = true;
    m_list.SaveColumnProfile();
    TestHost::g_bFailSettings = false;
    for (const char* key : { "TrendColumns", "TrendType", "NegColor", "PosColor", "Interval" })
        EXPECT_EQ(1, LogLinesWith(std::string("Could not save the trend settings [FilterGrid] ") + key)) << key;
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
    const std::string damaged = std::string(1 << 20, '7') + "x";
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
        { "", damaged.c_str(), "", "", {}, 255, 65280, 0 },
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
        // Damaged values are logged once each, cut to a readable length.
        EXPECT_TRUE((c.neg != std::string("red") && c.neg != damaged) || LogLinesWith("NegColor") == 1);
        for (const std::string& line : TestHost::LogLines())
            EXPECT_LT(line.size(), 300u) << line.substr(0, 100);
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

// The one leak check of this program: trend records, pictures and windows across a thousand
// replacements of the trend columns of 400 rows.
TEST_F(FilterListTrendTest, ReplacingTheColumnsAThousandTimesLeaksNothing)
{
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
