// The colour button as a user sees it: one picture of buttons in each state (idle, pressed,
// focused, disabled, system colours) probed for frame rings, face and caption, and the font
// descriptions it shows.
#include "WidgetTest.h"

#include <widgets/ClrButton.h>

namespace
{
const int IDC_COLOUR = 1200;
const int kWidth = 140;
const int kHeight = 40;
const COLORREF kFace = RGB(30, 90, 200);
const COLORREF kCaption = RGB(250, 220, 20);
const COLORREF kDisabledFace = RGB(200, 200, 210);
enum { IDLE, PRESSED, FOCUSED, DISABLED, TWO_COLOUR, RESET, BUTTONS };
}  // namespace

class ClrButtonTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        LOGFONTA lf = {};
        lf.lfHeight = -22;
        lf.lfWeight = FW_BOLD;
        lf.lfQuality = NONANTIALIASED_QUALITY;
        strcpy(lf.lfFaceName, "Tahoma");
        m_font.CreateFontIndirect(&lf);
        for (int i = 0; i < BUTTONS; ++i)
        {
            ASSERT_TRUE(m_buttons[i].Create("WWW", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, Place(i),
                                            &m_parent, IDC_COLOUR + i));
            m_buttons[i].CWnd::SetFont(&m_font);
            m_buttons[i].SetColour(kCaption, kFace);
        }
        Pump();
    }
    static CRect Place(int i)
    {
        return CRect(CPoint(20 + 180 * (i % 2), 20 + 60 * (i / 2)), CSize(kWidth, kHeight));
    }

    CClrButton m_buttons[BUTTONS];
    CFont m_font;
};

TEST_F(ClrButtonTest, FrameRingsFaceAndCaptionInEachState)
{
    const COLORREF hi = ::GetSysColor(COLOR_BTNHIGHLIGHT), dk = ::GetSysColor(COLOR_3DDKSHADOW),
                   lt = ::GetSysColor(COLOR_3DLIGHT), sh = ::GetSysColor(COLOR_BTNSHADOW), black = RGB(0, 0, 0),
                   grey = RGB(128, 128, 128), white = RGB(255, 255, 255);
    // The rings are told apart by colour: the system's roles must differ here.
    const COLORREF roles[] = { lt, hi, sh, dk, black, kFace };
    for (size_t i = 0; i < 6; ++i)
        for (size_t j = i + 1; j < 6; ++j)
            ASSERT_NE(roles[i], roles[j]) << i << " " << j;
    m_buttons[PRESSED].SetState(TRUE);
    m_buttons[FOCUSED].SetFocus();
    m_buttons[DISABLED].SetColour(kCaption, kFace, kDisabledFace);
    m_buttons[TWO_COLOUR].SetColour(kCaption, kFace, kDisabledFace);
    m_buttons[TWO_COLOUR].SetColour(kCaption, kFace);   // puts the disabled face back to the system's
    m_buttons[RESET].ResetColour();
    m_buttons[DISABLED].EnableWindow(FALSE);
    m_buttons[TWO_COLOUR].EnableWindow(FALSE);
    Pump();
    HBITMAP h = Render(m_parent);
    ASSERT_NE(nullptr, h);
    const struct
    {
        int n;
        std::vector<std::pair<COLORREF, COLORREF>> rings;   // top/left and bottom/right, outside in
        COLORREF face, caption;
    } cases[] = {
        { IDLE, { { hi, dk }, { lt, sh } }, kFace, kCaption },
        { PRESSED, { { dk, dk }, { sh, sh } }, kFace, kCaption },
        { FOCUSED, { { black, black }, { hi, dk }, { lt, sh } }, kFace, kCaption },
        { DISABLED, { { hi, dk }, { lt, sh } }, kDisabledFace, grey },
        { TWO_COLOUR, {}, ::GetSysColor(COLOR_BTNFACE), grey },
        { RESET, {}, ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNTEXT) },
    };
    CRect rcCaptions[BUTTONS];
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.n);
        const CRect rc = Place(c.n), inner(rc.left + 2, rc.top + 2, rc.right - 2, rc.bottom - 2);
        const int x0 = rc.left, y0 = rc.top;
        EXPECT_EQ(c.face, Pixel(h, x0 + 6, y0 + kHeight / 2));
        for (int i = 0; i < (int)c.rings.size(); ++i)
        {
            SCOPED_TRACE(i);
            EXPECT_EQ(c.rings[i].first, Pixel(h, x0 + kWidth / 2, y0 + i));
            EXPECT_EQ(c.rings[i].first, Pixel(h, x0 + i, y0 + kHeight / 2));
            EXPECT_EQ(c.rings[i].second, Pixel(h, x0 + kWidth / 2, y0 + kHeight - 1 - i));
            EXPECT_EQ(c.rings[i].second, Pixel(h, x0 + kWidth - 1 - i, y0 + kHeight / 2));
        }
        // The focus rectangle: dotted, 4 pixels inside the button moved up-left by one.
        int nNonFace = 0;
        for (int x = 10; x < 30; ++x)
            nNonFace += Pixel(h, x0 + x, y0 + 3) != c.face ? 1 : 0;
        EXPECT_TRUE(c.n == FOCUSED ? nNonFace > 4 : nNonFace == 0) << nNonFace;
        CRect& rcCaption = rcCaptions[c.n];
        EXPECT_GT(CountColour(h, inner, c.caption, &rcCaption), 20);
        rcCaption.OffsetRect(-x0, -y0);
        EXPECT_NEAR(kWidth / 2, rcCaption.CenterPoint().x, 2);   // centred within two or three pixels
        EXPECT_NEAR(kHeight / 2, rcCaption.CenterPoint().y, 3);
    }
    EXPECT_EQ(rcCaptions[IDLE] + CPoint(1, 1), rcCaptions[PRESSED]);
    // Disabled: engraved, the grey copy one pixel up and left of the white one.
    CRect inner = Place(DISABLED), rcWhite;
    inner.DeflateRect(2, 2);
    EXPECT_EQ(0, CountColour(h, inner, kCaption));
    EXPECT_GT(CountColour(h, inner, white, &rcWhite), 10);
    rcWhite.OffsetRect(-Place(DISABLED).TopLeft());
    EXPECT_EQ(rcCaptions[DISABLED].BottomRight() + CPoint(1, 1), rcWhite.BottomRight());
    ::DeleteObject(h);
}

TEST_F(ClrButtonTest, FontDescriptionsInTheCaption)
{
    const struct
    {
        const char *font, *size;
        int style;
        const char* caption;
    } cases[] = {
        { "Arial", "10", 1, "Arial (Bold , 10)" },     { "Arial", "10", 2, "Arial (Italic , 10)" },
        { "Arial", "10", 3, "Arial (Bold Italic , 10)" }, { "Arial", "10", 0, "Arial (Regular , 10)" },
        { "Arial", "10", 7, "Arial (Regular , 10)" },  { "Arial", "10", -1, "Arial (10)" },
        { "Arial", "10", -2, "Arial (Regular , 10)" }, { "Arial", "10", INT_MAX, "Arial (Regular , 10)" },
        { "", "", CLR_FONT_NO_STYLE, " ()" },          { "Ma\xefve", "8.5", CLR_FONT_ITALIC, "Ma\xefve (Italic , 8.5)" },
    };
    for (const auto& c : cases)
    {
        m_buttons[0].DisplayFont(c.font, c.size, (eFontStyle)c.style);
        CString caption;
        m_buttons[0].GetWindowText(caption);
        EXPECT_STREQ(c.caption, caption) << c.style;
    }
}

TEST_F(ClrButtonTest, AHugeCaptionIsDrawnAndAClickStillReachesTheParent)
{
    m_buttons[0].SetWindowText(std::string(100000, 'M').c_str());
    HBITMAP h = Render(m_buttons[0]);   // drawn from the first 511 characters, no overrun
    ASSERT_NE(nullptr, h);
    EXPECT_EQ(kFace, Pixel(h, 3, 3));
    ::DeleteObject(h);
    Click(m_buttons[0], CPoint(kWidth / 2, kHeight / 2));
    ASSERT_EQ(1u, m_received.size());
    EXPECT_EQ((WPARAM)MAKEWPARAM(IDC_COLOUR, BN_CLICKED), m_received[0].wParam);
}
