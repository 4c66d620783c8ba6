// Painting of the filter list, checked on pictures of the real window: row colour options, the
// host's cell colours and icons, the text-colour providers, selection, check boxes, number
// formatting, and the row height.
#include "FilterListFixture.h"

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
const COLORREF kGreyBack = RGB(220, 220, 220);
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
    g_styles[{ Data(2), 0 }] = { kHostText, kHostBack };
    g_styles[{ Data(3), 1 }].clrBack = RGB(9, 9, 9);
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
        { kReverse, { { 1, 1, kAt, RGB(9, 9, 9) }, { 3, 1, kAt, kBack } } },
        { kAlternate, { { 0, 1, kAt, kBand1 }, { 1, 1, kAt, kBand2 }, { 2, 2, kAt, kBand1 }, { 3, 0, kAt, kBand2 } } },
        { kAlternate | kShades, { { 1, 1, kAt, kBand2, -2, 0 }, { 1, 1, kAt, kWhite, -2, -1 }, { 0, 2, kAt, kWhite, -2, -1 } } },
        { kGreyRows, { { 0, 0, kAt, kGreyBack }, { 3, 0, kAt, kGreyBack }, { 3, 1, kAt, RGB(9, 9, 9) }, { 1, 0, kAt, kGreyBack } } },
        { kGreyRows | kSortOnChecked, { { 1, 0, kAt, RGB(64, 0, 64) }, { 1, 2, kAt, RGB(64, 0, 64) }, { 0, 0, kAt, kGreyBack } } },
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
