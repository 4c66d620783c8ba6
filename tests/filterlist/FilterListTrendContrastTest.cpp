// A trend mark never hides the value: where the mark colour and the text colour would be too alike
// (green text on a green mark, a green text mark on a green cell) the text is drawn in black or
// white, whichever stands out more; readable combinations keep their colours.
#include "FilterListFixture.h"
#include "WindowPicture.h"

namespace
{
const int kPrice = 1;
COLORREF s_clrHostText = (COLORREF)-1;
COLORREF s_clrHostBack = (COLORREF)-1;
}  // namespace

class FilterListTrendContrastTest : public FilterListTest
{
protected:
    FilterListTrendContrastTest() { m_dwExtraStyle = LVS_OWNERDRAWFIXED; }

    // The fixture's texts, in the host's colours.
    static int ColouredText(ULONGLONG dwItemData, int nColumn, CString& text, unsigned long& clrText,
                            unsigned long& clrBack, int& nImage)
    {
        clrText = s_clrHostText;
        clrBack = s_clrHostBack;
        return ColumnText(dwItemData, nColumn, text, clrText, clrBack, nImage);
    }
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

    // Pixels of the price cell of row 0 in the given colour.
    int CountInPriceCell(COLORREF clr)
    {
        CRect rc;
        if (!m_list.GetCellRect(0, kPrice, rc))
            return -1;
        HBITMAP hPicture = WindowPicture::Render(m_list.m_hWnd);
        int n = 0;
        for (int y = rc.top + 1; y < rc.bottom - 1; ++y)
            for (int x = rc.left + 1; x < rc.right - 1; ++x)
                n += WindowPicture::PixelAt(hPicture, x, y) == clr;
        ::DeleteObject(hPicture);
        return n;
    }
};

TEST_F(FilterListTrendContrastTest, MarksThatWouldHideTheTextGiveItBlackOrWhite)
{
    const COLORREF kGreen = RGB(0, 200, 0);
    const COLORREF kNavy = RGB(0, 0, 80);
    struct
    {
        const char* pszName;
        BYTE nTrendType;   // 1: the mark is the background, 0: the text colour
        COLORREF clrHostText, clrHostBack, clrPos;
        COLORREF clrExpectedText;
    } const cases[] = {
        { "green host text on a green background mark", 1, kGreen, (COLORREF)-1, kGreen, RGB(0, 0, 0) },
        { "green text mark on a green host background", 0, (COLORREF)-1, kGreen, kGreen, RGB(0, 0, 0) },
        { "navy text mark on a dark blue host background", 0, (COLORREF)-1, RGB(0, 0, 90), kNavy, RGB(255, 255, 255) },
        { "green text mark on white stays green", 0, (COLORREF)-1, RGB(255, 255, 255), kGreen, kGreen },
        { "black host text on a green mark stays black", 1, RGB(0, 0, 0), (COLORREF)-1, kGreen, RGB(0, 0, 0) },
    };
    Build();
    m_list.InitColumnTextRtn(&ColouredText);
    Add("SYM", "100");
    CArray<int, int> columns;
    columns.Add(kPrice);
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        s_clrHostText = c.clrHostText;
        s_clrHostBack = c.clrHostBack;
        m_list.m_nTrendType = c.nTrendType;
        m_list.m_clrTrendPos = c.clrPos;
        m_list.m_nTrendInterval = 100000;
        m_list.SetTrendColumns(&columns);
        Row(0)->price = "100";
        m_list.Invalidate(FALSE);
        m_list.UpdateWindow();   // the first drawing: no mark
        Row(0)->price = "101";   // a rise
        m_list.Invalidate(FALSE);
        m_list.UpdateWindow();
        EXPECT_GT(CountInPriceCell(c.clrExpectedText), 5);
    }
    s_clrHostText = s_clrHostBack = (COLORREF)-1;
}
