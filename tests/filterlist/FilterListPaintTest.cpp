// Painting of the filter list, checked on pictures of the real window: row colour options, the
// host's cell colours and icons, the text-colour provider, selection, check boxes, number
// formatting, custom draw, the background, and the row height.
#include "FilterListFixture.h"
#include "WindowPicture.h"

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
    int m_nCalls = 0;
    int Provide(DWORD_PTR dwItemData, COLORREF& color, int, int)
    {
        ++m_nCalls;
        const sInstrument* p = reinterpret_cast<const sInstrument*>(dwItemData);
        if (p != nullptr && !p->symbol.empty() && p->symbol[0] == 'K')
            color = RGB(0, 0, 255);
        return 1;
    }
};

const COLORREF kDefaultText = RGB(10, 20, 30);
const COLORREF kDefaultBack = RGB(250, 250, 240);
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
        m_list.SetTextColor(kDefaultText);
        m_list.SetBkColor(kDefaultBack);
        m_list.SetTextBkColor(kDefaultBack);
        Add("ALPHA", "1234567.5");
        Add("KILO", "12a45");
        Add("GAMMA", "-98765");
        Add("DELTA", "7");
        Pump();
    }
    // The colour at the cell's top-right corner (away from its text).
    COLORREF Back(int nRow, int nHeaderItem, int dy = 1)
    {
        CRect rc = Cell(nRow, nHeaderItem);
        return Pixel(rc.right - 2, dy >= 0 ? rc.top + dy : rc.bottom + dy);
    }
    // Pixels of the cell that are neither its background nor close to it: the text's ink.
    int Ink(int nRow, int nHeaderItem)
    {
        CRect rc = Cell(nRow, nHeaderItem);
        COLORREF back = Back(nRow, nHeaderItem);
        return rc.Width() * rc.Height() - Count(rc, back);
    }
    DWORD_PTR Data(size_t i) { return (DWORD_PTR)Row(i); }

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

TEST_F(FilterListPaintTest, DefaultAndHostColoursAndTheirMinusOne)
{
    g_styles[{ Data(2), 0 }].clrBack = RGB(1, 2, 3);
    g_styles[{ Data(2), 0 }].clrText = RGB(200, 100, 50);
    Shoot();
    EXPECT_EQ(kDefaultBack, Back(0, 0));
    EXPECT_EQ(kDefaultBack, Back(0, 2));
    EXPECT_GT(Count(Cell(0, 0), kDefaultText), 5);
    EXPECT_EQ(RGB(1, 2, 3), Back(2, 0));
    EXPECT_EQ(kDefaultBack, Back(2, 1));
    EXPECT_GT(Count(Cell(2, 0), RGB(200, 100, 50)), 5);
    EXPECT_EQ(0, Count(Cell(2, 0), kDefaultText));
    // Under reverse display the host's colours go with their rows.
    m_list.SetReverseDisplay(true);
    m_list.Invalidate();
    Shoot();
    EXPECT_EQ(RGB(1, 2, 3), Back(1, 0));
    EXPECT_EQ(kDefaultBack, Back(2, 0));
}

TEST_F(FilterListPaintTest, AlternateGreyCheckedAndMarkedRows)
{
    m_list.m_bAlternateRowColors = 1;
    Shoot();
    EXPECT_EQ(RGB(240, 247, 249), Back(0, 1));
    EXPECT_EQ(RGB(230, 230, 250), Back(1, 1));
    EXPECT_EQ(RGB(240, 247, 249), Back(2, 2));
    EXPECT_EQ(RGB(230, 230, 250), Back(3, 0));
    // Shaded: from the colour at the top to white at the bottom.
    m_list.SetDrawShades(true);
    Shoot();
    EXPECT_EQ(RGB(230, 230, 250), Back(1, 1, 0));
    EXPECT_EQ(RGB(255, 255, 255), Back(1, 1, -1));
    EXPECT_EQ(RGB(255, 255, 255), Back(0, 2, -1));
    m_list.SetDrawShades(false);

    m_list.m_bAlternateRowColors = 0;
    m_list.m_bGreyRows = 1;
    g_styles[{ Data(3), 1 }].clrBack = RGB(9, 9, 9);   // the host's colour stays
    Shoot();
    EXPECT_EQ(RGB(220, 220, 220), Back(0, 0));
    EXPECT_EQ(RGB(220, 220, 220), Back(3, 0));
    EXPECT_EQ(RGB(9, 9, 9), Back(3, 1));

    // Checked rows under sort-on-checked, whatever the other options say.
    m_list.SetCheck(1, 1);
    m_list.m_bSortOnChecked = true;
    Shoot();
    EXPECT_EQ(RGB(64, 0, 64), Back(1, 0));
    EXPECT_EQ(RGB(64, 0, 64), Back(1, 2));
    EXPECT_EQ(RGB(220, 220, 220), Back(0, 0));
    m_list.m_bSortOnChecked = false;
    Shoot();
    EXPECT_EQ(RGB(220, 220, 220), Back(1, 0));

    // Marked text: red-ish text, no background fill of its own (the erased background shows).
    m_list.m_bGreyRows = 0;
    m_list.m_bMarkedText = 1;
    Shoot();
    EXPECT_GT(Count(Cell(0, 0), RGB(245, 10, 10)), 5);
    EXPECT_EQ(0, Count(Cell(0, 0), kDefaultText));
    EXPECT_EQ(kDefaultBack, Back(0, 0));
}

TEST_F(FilterListPaintTest, SelectedRowsWithAndWithoutFocus)
{
    m_list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    m_list.SetFocus();
    Pump();
    ASSERT_EQ(m_list.m_hWnd, ::GetFocus());
    Shoot();
    EXPECT_EQ(RGB(0x52, 0x7B, 0xE1), Back(2, 0, 0));   // 0xE17B52 at the top
    EXPECT_EQ(RGB(0x3C, 0xA6, 0xFF), Back(2, 2, -1));  // to 0xFFA63C at the bottom
    EXPECT_GT(Count(Cell(2, 0), RGB(255, 255, 255)), 5);
    EXPECT_EQ(kDefaultBack, Back(1, 0));

    m_host.SetFocus();
    Pump();
    Shoot();
    EXPECT_EQ(RGB(0x7E, 0x7E, 0x7E), Back(2, 0, 0));
    EXPECT_EQ(RGB(0x7E, 0x7E, 0x7E), Back(2, 1, -1));
    EXPECT_GT(Count(Cell(2, 0), RGB(255, 255, 255)), 5);
}

TEST_F(FilterListPaintTest, TheProviderColoursTextUnlessTheListIsGrouped)
{
    CColourRule rule;
    m_list.m_pTextColorTarget = &rule;
    m_list.SetPointerToGetTextColor(static_cast<CCommonListCtrl::PFN_GETTEXTCOLOR>(&CColourRule::Provide));
    Shoot();
    EXPECT_GT(rule.m_nCalls, 0);
    EXPECT_GT(Count(Cell(1, 0), RGB(0, 0, 255)), 5);      // KILO
    EXPECT_EQ(0, Count(Cell(1, 0), kDefaultText));
    EXPECT_EQ(0, Count(Cell(0, 0), RGB(0, 0, 255)));      // ALPHA keeps the default
    EXPECT_GT(Count(Cell(0, 0), kDefaultText), 5);

    m_list.m_bGroupedList = true;
    rule.m_nCalls = 0;
    Shoot();
    EXPECT_EQ(0, rule.m_nCalls);
    EXPECT_EQ(0, Count(Cell(1, 0), RGB(0, 0, 255)));
    m_list.m_bGroupedList = false;
}

TEST_F(FilterListPaintTest, NumbersOfTypeTwoGetThousandsSeparators)
{
    // The same texts in a column of type 1 for comparison: commas add ink only to plain numbers.
    Shoot();
    int nAlphaFormatted = Ink(0, 1), nKiloFormatted = Ink(1, 1), nGammaFormatted = Ink(2, 1);
    m_list.m_arrColInfo[1].nDataType = 1;
    Shoot();
    EXPECT_GT(nAlphaFormatted, Ink(0, 1));   // "1,234,567.5"
    EXPECT_GT(nGammaFormatted, Ink(2, 1));   // "-98,765"
    EXPECT_EQ(nKiloFormatted, Ink(1, 1));    // "12a45" is no number
}

TEST_F(FilterListPaintTest, AlignmentInsets)
{
    Row(3)->price = "8";
    Row(3)->symbol = "8";
    m_list.m_arrColInfo[1].nFormat = LVCFMT_RIGHT;
    m_list.m_arrColInfo[0].nFormat = LVCFMT_LEFT;
    m_list.m_arrColInfo[2].nFormat = LVCFMT_CENTER;
    Row(3)->exchange = "8";
    Shoot();
    auto inkSpan = [this](int nRow, int h, int& left, int& right) {
        CRect rc = Cell(nRow, h);
        COLORREF back = Back(nRow, h);
        left = INT_MAX;
        right = INT_MAX;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                if (Pixel(x, y) != back)
                {
                    left = std::min(left, (int)(x - rc.left));
                    right = std::min(right, (int)(rc.right - 1 - x));
                }
    };
    int l, r;
    inkSpan(3, 0, l, r);
    EXPECT_GE(l, 3);
    EXPECT_LE(l, 5);
    inkSpan(3, 1, l, r);
    EXPECT_GE(r, 3);
    EXPECT_LE(r, 5);
    inkSpan(3, 2, l, r);
    EXPECT_LE(std::abs(l - r), 3);
}

TEST_F(FilterListPaintTest, IconsAndIconsThatCannotBeDrawn)
{
    // A 16 x 16 icon, all of it pure red.
    BYTE andMask[32];
    memset(andMask, 0, sizeof(andMask));
    std::vector<DWORD> xorBits(16 * 16, 0x00FF0000);
    HBITMAP hColor = ::CreateBitmap(16, 16, 1, 32, xorBits.data());
    HBITMAP hMask = ::CreateBitmap(16, 16, 1, 1, andMask);
    ICONINFO info = { TRUE, 0, 0, hMask, hColor };
    HICON hIcon = ::CreateIconIndirect(&info);
    ::DeleteObject(hColor);
    ::DeleteObject(hMask);
    ASSERT_NE(nullptr, hIcon);
    g_styles[{ Data(0), 2 }].nImage = (int)(INT_PTR)hIcon;
    Shoot();
    CRect rc = Cell(0, 2);
    int y = rc.top + rc.Height() / 2;
    EXPECT_EQ(RGB(255, 0, 0), Pixel(rc.left + 3 + 7, y));
    EXPECT_EQ(RGB(255, 0, 0), Pixel(rc.left + 3, y));
    EXPECT_NE(RGB(255, 0, 0), Pixel(rc.left + 3 + 14, y));
    // 14 pixels high, centred.
    int nRed = 0;
    for (int yy = rc.top; yy < rc.bottom; ++yy)
        nRed += Pixel(rc.left + 8, yy) == RGB(255, 0, 0);
    EXPECT_EQ(std::min(14, rc.Height()), nRed);
    ::DestroyIcon(hIcon);

    // A handle that is no icon: the cell says so instead of its short text.
    int nBefore = Ink(1, 2);
    g_styles[{ Data(1), 2 }].nImage = 0x7123;
    Shoot();
    EXPECT_GT(Ink(1, 2), nBefore * 3);
}

TEST_F(FilterListPaintTest, CheckBoxesComeFromTheStateImages)
{
    // Two 12 x 12 state images: blue for unchecked, green for checked.
    CImageList images;
    ASSERT_TRUE(images.Create(12, 12, ILC_COLOR24, 2, 0));
    for (COLORREF clr : { RGB(0, 0, 255), RGB(0, 255, 0) })
    {
        CClientDC screen(nullptr);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(&screen, 12, 12);
        CDC dc;
        dc.CreateCompatibleDC(&screen);
        CBitmap* pOld = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, 12, 12, clr);
        dc.SelectObject(pOld);
        images.Add(&bitmap, (CBitmap*)nullptr);
    }
    m_list.SetImageList(&images, LVSIL_STATE);
    m_list.SetCheck(2, 1);
    Shoot();
    CRect rc0 = Cell(0, 0), rc2 = Cell(2, 0);
    EXPECT_EQ(RGB(0, 0, 255), Pixel(rc0.left + 6, rc0.top + rc0.Height() / 2));
    EXPECT_EQ(RGB(0, 255, 0), Pixel(rc2.left + 6, rc2.top + rc2.Height() / 2));
    // Only the first column has one.
    EXPECT_EQ(0, Count(Cell(2, 1), RGB(0, 255, 0)));
    m_list.SetImageList(nullptr, LVSIL_STATE);
}

TEST_F(FilterListPaintTest, BackgroundBandsAndOutsideItemsOnly)
{
    // What the list's own erase paints, into a bitmap of the client's size.
    CRect client;
    m_list.GetClientRect(&client);
    HDC hScreen = ::GetDC(nullptr);
    HDC hdc = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, client.Width(), client.Height());
    ::ReleaseDC(nullptr, hScreen);
    HGDIOBJ hOld = ::SelectObject(hdc, hBitmap);
    auto erase = [&](COLORREF fill) {
        CRect all(0, 0, client.Width(), client.Height());
        ::SetBkColor(hdc, fill);
        ::ExtTextOutA(hdc, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
        return m_list.SendMessage(WM_ERASEBKGND, (WPARAM)hdc, 0);
    };
    CRect rc0 = Cell(0, 1), rc3 = Cell(3, 1);
    int h = rc3.Height();

    m_list.m_bAlternateRowColors = 1;
    EXPECT_EQ(0, erase(RGB(1, 1, 1)));
    EXPECT_EQ(RGB(240, 247, 249), ::GetPixel(hdc, 400, rc0.top + 1));
    EXPECT_EQ(RGB(230, 230, 250), ::GetPixel(hdc, 400, rc0.bottom + 1));
    // Below the four rows the bands go on, one row high each.
    EXPECT_EQ(RGB(240, 247, 249), ::GetPixel(hdc, 400, rc3.bottom + 1));
    EXPECT_EQ(RGB(230, 230, 250), ::GetPixel(hdc, 400, rc3.bottom + h + 1));
    EXPECT_EQ(RGB(240, 247, 249), ::GetPixel(hdc, 400, rc3.bottom + 2 * h + 1));

    m_list.m_bAlternateRowColors = 0;
    m_list.m_bEraseOutsideItems = 1;
    EXPECT_EQ(1, erase(RGB(1, 1, 1)));
    EXPECT_EQ(RGB(1, 1, 1), ::GetPixel(hdc, 50, rc0.top + 2));      // the rows are left alone
    EXPECT_EQ(RGB(1, 1, 1), ::GetPixel(hdc, 50, rc3.bottom - 2));
    EXPECT_EQ(kDefaultBack, ::GetPixel(hdc, 50, rc3.bottom + 1));   // below them
    EXPECT_EQ(kDefaultBack, ::GetPixel(hdc, 50, client.bottom - 1));
    m_list.SetDrawShades(true);
    EXPECT_EQ(1, erase(RGB(1, 1, 1)));
    EXPECT_EQ(RGB(1, 1, 1), ::GetPixel(hdc, 50, rc3.bottom - 2));
    EXPECT_EQ(RGB(255, 255, 255), ::GetPixel(hdc, 50, client.bottom - 1));
    EXPECT_EQ(kDefaultBack, ::GetPixel(hdc, 50, 0));

    // No rows: the platform erases the whole client area.
    m_list.DeleteAllItems();
    Pump();
    EXPECT_NE(0, erase(RGB(1, 1, 1)));
    EXPECT_EQ(kDefaultBack, ::GetPixel(hdc, 50, rc0.top + 2));

    ::SelectObject(hdc, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hdc);
}

TEST_F(FilterListPaintTest, RowHeightFollowsTheFontAndLinesPerRow)
{
    CFont font;
    ASSERT_TRUE(font.CreateFont(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial"));
    m_list.SetFont(&font);
    Pump();
    CRect rc;
    ASSERT_TRUE(m_list.GetItemRect(0, &rc, LVIR_BOUNDS));
    EXPECT_EQ(24, rc.Height());
    m_list.SetNoOfLinesPerRow(2);
    m_list.SetFont(&font);
    ASSERT_TRUE(m_list.GetItemRect(0, &rc, LVIR_BOUNDS));
    EXPECT_EQ(48, rc.Height());
    m_list.SetNoOfLinesPerRow(0);
    m_list.SetFont(&font);
    ASSERT_TRUE(m_list.GetItemRect(0, &rc, LVIR_BOUNDS));
    EXPECT_EQ(24, rc.Height());
    m_list.SetFont(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));

    // The end of a column resize repaints the list only when rows have more than one line.
    NMHEADERA end = {};
    end.hdr.hwndFrom = m_list.GetColorHeader().m_hWnd;
    end.hdr.idFrom = (UINT_PTR)m_list.GetColorHeader().GetDlgCtrlID();
    end.hdr.code = HDN_ENDTRACKA;
    m_list.ValidateRect(nullptr);
    m_list.SendMessage(WM_NOTIFY, end.hdr.idFrom, (LPARAM)&end);
    CRect rcUpdate;
    EXPECT_FALSE(::GetUpdateRect(m_list.m_hWnd, &rcUpdate, FALSE));
    m_list.SetNoOfLinesPerRow(3);
    m_list.ValidateRect(nullptr);
    m_list.SendMessage(WM_NOTIFY, end.hdr.idFrom, (LPARAM)&end);
    EXPECT_TRUE(::GetUpdateRect(m_list.m_hWnd, &rcUpdate, FALSE));
}

class FilterListCustomDrawTest : public FilterListPaintTest
{
protected:
    FilterListCustomDrawTest() { m_dwExtraStyle = 0; }
};

TEST_F(FilterListCustomDrawTest, CustomDrawPaintsTheSameColoursWithASolidSelection)
{
    m_list.m_bCustomDraw = 1;
    m_list.m_bAlternateRowColors = 1;
    g_styles[{ Data(3), 2 }].clrBack = RGB(1, 2, 3);
    m_list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    m_list.SetFocus();
    Pump();
    Shoot();
    EXPECT_EQ(RGB(230, 230, 250), Back(1, 1));
    EXPECT_EQ(RGB(240, 247, 249), Back(2, 0));
    EXPECT_EQ(RGB(1, 2, 3), Back(3, 2));
    EXPECT_EQ(RGB(0x52, 0x7B, 0xE1), Back(0, 1, 0));
    EXPECT_EQ(RGB(0x52, 0x7B, 0xE1), Back(0, 1, -1));
    EXPECT_GT(Count(Cell(0, 1), RGB(255, 255, 255)), 5);

    // Trend marks on custom-drawn cells: none at the first drawing, then a rise and a fall.
    m_list.m_bAlternateRowColors = 0;
    m_list.SetItemState(0, 0, LVIS_SELECTED);
    m_list.m_nTrendType = 1;
    m_list.m_clrTrendPos = RGB(0, 210, 0);
    m_list.m_clrTrendNeg = RGB(210, 0, 0);
    m_list.m_nTrendInterval = 1000;
    AfxSetTestClock(TRUE, 5000);
    SetTrends({ 1 });
    Shoot();
    EXPECT_EQ(kDefaultBack, Back(0, 1));
    Row(0)->price = "2000000";
    Row(2)->price = "-100000";
    Shoot();
    EXPECT_EQ(RGB(0, 210, 0), Back(0, 1));
    EXPECT_EQ(RGB(210, 0, 0), Back(2, 1));
    EXPECT_EQ(kDefaultBack, Back(1, 1));
    AfxAdvanceTestClock(1000);
    Shoot();
    EXPECT_EQ(kDefaultBack, Back(0, 1));
    EXPECT_EQ(kDefaultBack, Back(2, 1));
    AfxSetTestClock(FALSE);

    // Without the option the platform paints the rows.
    m_list.m_bCustomDraw = 0;
    Shoot();
    EXPECT_NE(RGB(1, 2, 3), Back(3, 2));
}

TEST_F(FilterListPaintTest, KeywordRulesOfTheListColourThePaintedText)
{
    // The list's own provider (installed by its constructor) with a rule on the symbol column.
    CStringArray keywords;
    keywords.Add("kilo");
    CColorArray colors;
    colors.Add(RGB(0, 0, 230));
    ASSERT_EQ(1, m_list.SetDefaultAttributes(0, keywords, colors));
    Shoot();
    EXPECT_GT(Count(Cell(1, 0), RGB(0, 0, 230)), 5);   // KILO, every cell of the row
    EXPECT_GT(Count(Cell(1, 2), RGB(0, 0, 230)), 5);
    EXPECT_EQ(0, Count(Cell(0, 0), RGB(0, 0, 230)));    // ALPHA keeps the default
    EXPECT_GT(Count(Cell(0, 0), kDefaultText), 5);
    // A host colour for the cell is what the rule starts from; the rule still wins on a match.
    g_styles[{ Data(1), 2 }].clrText = RGB(200, 100, 50);
    Shoot();
    EXPECT_GT(Count(Cell(1, 2), RGB(0, 0, 230)), 5);
    EXPECT_EQ(0, Count(Cell(1, 2), RGB(200, 100, 50)));
}
