// The colour button as a user sees it: pixels of the face and frame in each state (idle, pressed,
// focused, default, disabled), the caption's colour and place, and the font descriptions it shows.
#include "WidgetTest.h"

#include <widgets/ClrButton.h>

#include <functional>

namespace
{
const int IDC_COLOUR = 1200;
const int kWidth = 140;
const int kHeight = 40;
const COLORREF kFace = RGB(30, 90, 200);
const COLORREF kCaption = RGB(250, 220, 20);
const CRect kAll(0, 0, kWidth, kHeight);
}  // namespace

class ClrButtonTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        ASSERT_TRUE(m_button.Create("WWW", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW,
                                    CRect(20, 20, 20 + kWidth, 20 + kHeight), &m_parent, IDC_COLOUR));
        LOGFONTA lf = {};
        lf.lfHeight = -22;
        lf.lfWeight = FW_BOLD;
        lf.lfQuality = NONANTIALIASED_QUALITY;
        strcpy(lf.lfFaceName, "Tahoma");
        m_font.CreateFontIndirect(&lf);
        m_button.CWnd::SetFont(&m_font);
        m_button.SetColour(kCaption, kFace);
        Pump();
    }
    // The button as drawn now, through the platform's own owner-draw request.
    HBITMAP Picture()
    {
        Pump();
        return Render(m_button);
    }
    // Drawn by an owner passing ODS_DEFAULT itself (the platform never reports it to owner-drawn
    // buttons).
    HBITMAP DrawnAsDefault()
    {
        return DrawInto(kWidth, kHeight, [this](HDC hDC) {
            DRAWITEMSTRUCT dis = { ODT_BUTTON, IDC_COLOUR, 0, ODA_DRAWENTIRE, ODS_DEFAULT, m_button.m_hWnd, hDC, kAll, 0 };
            m_button.DrawItem(&dis);
        });
    }

    CClrButton m_button;
    CFont m_font;
};

TEST_F(ClrButtonTest, FrameRingsCaptionAndFocusRectangleInEachState)
{
    const COLORREF hi = ::GetSysColor(COLOR_BTNHIGHLIGHT), dk = ::GetSysColor(COLOR_3DDKSHADOW),
                   lt = ::GetSysColor(COLOR_3DLIGHT), sh = ::GetSysColor(COLOR_BTNSHADOW), black = RGB(0, 0, 0);
    // The rings are told apart by colour: the system's roles must differ here.
    const COLORREF roles[] = { lt, hi, sh, dk, black, kFace };
    for (size_t i = 0; i < 6; ++i)
        for (size_t j = i + 1; j < 6; ++j)
            ASSERT_NE(roles[i], roles[j]) << i << " " << j;
    struct Case
    {
        const char* name;
        std::function<HBITMAP()> draw;
        std::vector<std::pair<COLORREF, COLORREF>> rings;   // top/left and bottom/right, outside in
        bool bFocusRect;
        int nCaptionShift;   // against the idle caption; -1: not compared
    };
    const Case cases[] = {
        { "idle", [this] { return Picture(); }, { { hi, dk }, { lt, sh } }, false, 0 },
        { "pressed", [this] { m_button.SetState(TRUE); HBITMAP h = Picture(); m_button.SetState(FALSE); return h; },
          { { dk, dk }, { sh, sh } }, false, 1 },
        { "focused", [this] { m_button.SetFocus(); HBITMAP h = Picture(); m_frame.SetFocus(); return h; },
          { { black, black }, { hi, dk }, { lt, sh } }, true, -1 },
        { "default", [this] { return DrawnAsDefault(); }, { { black, black }, { hi, dk }, { lt, sh } }, false, -1 },
    };
    CRect rcIdle;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        HBITMAP h = c.draw();
        ASSERT_NE(nullptr, h);
        EXPECT_EQ(kFace, Pixel(h, 8, kHeight / 2));
        for (int i = 0; i < (int)c.rings.size(); ++i)
        {
            SCOPED_TRACE(i);
            EXPECT_EQ(c.rings[i].first, Pixel(h, kWidth / 2, i));
            EXPECT_EQ(c.rings[i].first, Pixel(h, i, kHeight / 2));
            EXPECT_EQ(c.rings[i].second, Pixel(h, kWidth / 2, kHeight - 1 - i));
            EXPECT_EQ(c.rings[i].second, Pixel(h, kWidth - 1 - i, kHeight / 2));
        }
        EXPECT_EQ(c.rings[0].first != black, CountColour(h, kAll, black) == 0);
        // The focus rectangle: dotted, 4 pixels inside the button moved up-left by one.
        int nNonFace = 0;
        for (int x = 10; x < 30; ++x)
            nNonFace += Pixel(h, x, 3) != kFace ? 1 : 0;
        EXPECT_EQ(c.bFocusRect, nNonFace > 4) << nNonFace;
        EXPECT_TRUE(c.bFocusRect || nNonFace == 0) << nNonFace;
        CRect rcCaption;
        EXPECT_GT(CountColour(h, kAll, kCaption, &rcCaption), 20);
        if (c.nCaptionShift == 0)
            rcIdle = rcCaption;
        EXPECT_TRUE(c.nCaptionShift < 0 || rcIdle + CPoint(c.nCaptionShift, c.nCaptionShift) == rcCaption);
        // Centred within two or three pixels.
        EXPECT_NEAR(kWidth / 2, rcCaption.CenterPoint().x, 2);
        EXPECT_NEAR(kHeight / 2, rcCaption.CenterPoint().y, 3);
        ::DeleteObject(h);
    }
}

TEST_F(ClrButtonTest, DisabledCaptionIsEngravedAndResetGivesTheSystemColoursBack)
{
    const CRect inner(2, 2, kWidth - 2, kHeight - 2);
    m_button.SetColour(kCaption, kFace, RGB(200, 200, 210));
    m_button.EnableWindow(FALSE);
    HBITMAP h = Picture();
    EXPECT_EQ(RGB(200, 200, 210), Pixel(h, 6, kHeight / 2));
    CRect rcWhite, rcGrey;
    EXPECT_EQ(0, CountColour(h, inner, kCaption));
    EXPECT_GT(CountColour(h, inner, RGB(255, 255, 255), &rcWhite), 10);
    EXPECT_GT(CountColour(h, inner, RGB(128, 128, 128), &rcGrey), 20);
    // The grey copy sits one pixel up and left of the white one: the white shows past it.
    EXPECT_EQ(rcGrey.right + 1, rcWhite.right);
    EXPECT_EQ(rcGrey.bottom + 1, rcWhite.bottom);
    ::DeleteObject(h);
    // The two-colour form puts the disabled face back to the system's button face.
    m_button.SetColour(kCaption, kFace);
    h = Picture();
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), Pixel(h, 6, kHeight / 2));
    ::DeleteObject(h);
    m_button.EnableWindow(TRUE);
    m_button.ResetColour();
    h = Picture();
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), Pixel(h, 6, kHeight / 2));
    EXPECT_GT(CountColour(h, inner, ::GetSysColor(COLOR_BTNTEXT)), 20);
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
        m_button.DisplayFont(c.font, c.size, (eFontStyle)c.style);
        CString caption;
        m_button.GetWindowText(caption);
        EXPECT_STREQ(c.caption, caption) << c.style;
    }
}

TEST_F(ClrButtonTest, HugeCaptionsAndRepeatedDrawingLeakNothing)
{
    std::string huge(100000, 'M');
    m_button.SetWindowText(huge.c_str());
    HBITMAP h = Picture();   // drawn from the first 511 characters, no overrun
    ASSERT_NE(nullptr, h);
    EXPECT_EQ(kFace, Pixel(h, 3, 3));
    ::DeleteObject(h);
    m_button.SetWindowText("WWW");
    ::DeleteObject(Picture());
    int nGdi = TestLeaks::GdiObjects();
    for (int i = 0; i < 40; ++i)
    {
        m_button.SetColour(RGB(i, 0, 0), RGB(0, i, 255 - i));
        m_button.SetState(i % 2);
        ::DeleteObject(Picture());
    }
    m_button.SetState(FALSE);
    EXPECT_EQ(nGdi, TestLeaks::GdiObjects());
}

TEST_F(ClrButtonTest, ClickStillReachesTheParent)
{
    Click(m_button, CPoint(kWidth / 2, kHeight / 2));
    ASSERT_EQ(1u, m_received.size());
    EXPECT_EQ((WPARAM)MAKEWPARAM(IDC_COLOUR, BN_CLICKED), m_received[0].wParam);
}
