// The colour button as a user sees it: pixels of the rendered face and frame in each state the
// platform reports (normal, pressed, focused, disabled), the default state drawn by its owner, the
// caption's colour and position, and the font descriptions it shows as its caption.
#include "WidgetTest.h"

#include "WindowPicture.h"

#include <widgets/ClrButton.h>

#include <string>

namespace
{
const int IDC_COLOUR = 1200;
const int kWidth = 140;
const int kHeight = 40;
const COLORREF kFace = RGB(30, 90, 200);
const COLORREF kCaption = RGB(250, 220, 20);

// The box around every pixel of one colour in rc of the picture; empty when there is none.
CRect PixelsOf(HBITMAP hPicture, const CRect& rc, COLORREF clr, int* pnCount = nullptr)
{
    CRect box(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            if (WindowPicture::PixelAt(hPicture, x, y) == clr)
            {
                ++n;
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    if (pnCount != nullptr)
        *pnCount = n;
    return n > 0 ? box : CRect(0, 0, 0, 0);
}
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
    COLORREF At(HBITMAP h, int x, int y) { return WindowPicture::PixelAt(h, x, y); }

    // The four corners of the outer and inner frame rings, clockwise from the top-left.
    struct sRing
    {
        COLORREF topLeft, bottomRight;
    };
    sRing Ring(HBITMAP h, int nInset)
    {
        // Sample the middle of the top and bottom edges so corner overlaps do not matter.
        return { At(h, kWidth / 2, nInset), At(h, kWidth / 2, kHeight - 1 - nInset) };
    }

    CClrButton m_button;
    CFont m_font;
};

TEST_F(ClrButtonTest, SystemFrameColoursAreDistinctSoTheFrameTestsCanTellThemApart)
{
    // The frame tests below identify each ring by its system colour.
    COLORREF roles[] = { ::GetSysColor(COLOR_3DLIGHT), ::GetSysColor(COLOR_BTNHIGHLIGHT),
                         ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_3DDKSHADOW), RGB(0, 0, 0), kFace };
    for (size_t i = 0; i < 6; ++i)
        for (size_t j = i + 1; j < 6; ++j)
            EXPECT_NE(roles[i], roles[j]) << i << " " << j;
    // A new button holds the system colours in its roles.
    CClrButton fresh;
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), fresh.GetColor());
    EXPECT_EQ(::GetSysColor(COLOR_BTNTEXT), fresh.m_clrText);
    EXPECT_EQ(CLR_FONT_NO_STYLE, fresh.GetFontStyle());
}

TEST_F(ClrButtonTest, RaisedFrameAroundTheFaceColourWhenIdle)
{
    HBITMAP h = Picture();
    ASSERT_NE(nullptr, h);
    EXPECT_EQ(kFace, At(h, 6, kHeight / 2));
    EXPECT_EQ(kFace, At(h, kWidth - 7, 5));
    sRing outer = Ring(h, 0), inner = Ring(h, 1);
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), outer.topLeft);
    EXPECT_EQ(::GetSysColor(COLOR_3DDKSHADOW), outer.bottomRight);
    EXPECT_EQ(::GetSysColor(COLOR_3DLIGHT), inner.topLeft);
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), inner.bottomRight);
    // Left and right edges too.
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), At(h, 0, kHeight / 2));
    EXPECT_EQ(::GetSysColor(COLOR_3DDKSHADOW), At(h, kWidth - 1, kHeight / 2));
    EXPECT_EQ(::GetSysColor(COLOR_3DLIGHT), At(h, 1, kHeight / 2));
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), At(h, kWidth - 2, kHeight / 2));
    // No black outline and no focus rectangle while the button has no focus.
    EXPECT_EQ(0, PixelsOf(h, CRect(0, 0, kWidth, kHeight), RGB(0, 0, 0)).Width());
    ::DeleteObject(h);
}

TEST_F(ClrButtonTest, PressedFrameIsDarkAllRoundAndTheCaptionMovesDownRight)
{
    HBITMAP hIdle = Picture();
    CRect rcIdle = PixelsOf(hIdle, CRect(0, 0, kWidth, kHeight), kCaption);
    ASSERT_FALSE(rcIdle.IsRectEmpty());
    ::DeleteObject(hIdle);

    m_button.SetState(TRUE);   // held down: the platform reports it as selected
    HBITMAP h = Picture();
    sRing outer = Ring(h, 0), inner = Ring(h, 1);
    EXPECT_EQ(::GetSysColor(COLOR_3DDKSHADOW), outer.topLeft);
    EXPECT_EQ(::GetSysColor(COLOR_3DDKSHADOW), outer.bottomRight);
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), inner.topLeft);
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), inner.bottomRight);
    EXPECT_EQ(kFace, At(h, 6, kHeight / 2));
    CRect rcPressed = PixelsOf(h, CRect(0, 0, kWidth, kHeight), kCaption);
    EXPECT_EQ(rcIdle.left + 1, rcPressed.left);
    EXPECT_EQ(rcIdle.top + 1, rcPressed.top);
    EXPECT_EQ(rcIdle.Size(), rcPressed.Size());
    // The caption is centred: its middle is within two pixels of the face's middle.
    EXPECT_NEAR(kWidth / 2, (rcPressed.left + rcPressed.right) / 2, 2);
    EXPECT_NEAR(kHeight / 2, (rcPressed.top + rcPressed.bottom) / 2, 3);
    ::DeleteObject(h);
    m_button.SetState(FALSE);
}

TEST_F(ClrButtonTest, FocusedButtonGetsABlackOutlineWithTheRaisedFrameInside)
{
    m_button.SetFocus();
    HBITMAP h = Picture();
    ASSERT_EQ(m_button.m_hWnd, ::GetFocus());
    EXPECT_EQ(RGB(0, 0, 0), Ring(h, 0).topLeft);
    EXPECT_EQ(RGB(0, 0, 0), Ring(h, 0).bottomRight);
    EXPECT_EQ(RGB(0, 0, 0), At(h, 0, kHeight / 2));
    EXPECT_EQ(RGB(0, 0, 0), At(h, kWidth - 1, kHeight / 2));
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), Ring(h, 1).topLeft);
    EXPECT_EQ(::GetSysColor(COLOR_3DDKSHADOW), Ring(h, 1).bottomRight);
    EXPECT_EQ(::GetSysColor(COLOR_3DLIGHT), Ring(h, 2).topLeft);
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), Ring(h, 2).bottomRight);
    // The focus rectangle: a dotted line 4 pixels inside the face moved up-left by one, so the
    // row y = 4 - 1 = 3 holds pixels other than the face colour between the frame and the text.
    int nNonFace = 0;
    for (int x = 10; x < 30; ++x)
        if (At(h, x, 3) != kFace)
            ++nNonFace;
    EXPECT_GT(nNonFace, 4);
    ::DeleteObject(h);
}

TEST_F(ClrButtonTest, DefaultStateDrawnByTheOwnerHasTheOutlineButNoFocusRectangle)
{
    // The platform does not report the default state to owner-drawn buttons; an owner that draws
    // its default button passes ODS_DEFAULT itself.
    CClientDC screen(nullptr);
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(&screen));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, kWidth, kHeight));
    CBitmap* pOld = dc.SelectObject(&bitmap);
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = IDC_COLOUR;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = ODS_DEFAULT;
    dis.hwndItem = m_button.m_hWnd;
    dis.hDC = dc.m_hDC;
    dis.rcItem = CRect(0, 0, kWidth, kHeight);
    m_button.DrawItem(&dis);
    EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(kWidth / 2, 0));
    EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(kWidth / 2, kHeight - 1));
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), dc.GetPixel(kWidth / 2, 1));
    EXPECT_EQ(::GetSysColor(COLOR_3DLIGHT), dc.GetPixel(kWidth / 2, 2));
    for (int x = 10; x < 30; ++x)
        EXPECT_EQ(kFace, dc.GetPixel(x, 3)) << x;   // no focus rectangle
    dc.SelectObject(pOld);
}

TEST_F(ClrButtonTest, DisabledCaptionIsWhiteOverGreyWhateverTheTextColour)
{
    m_button.SetColour(kCaption, kFace, RGB(200, 200, 210));
    m_button.EnableWindow(FALSE);
    HBITMAP h = Picture();
    CRect all(2, 2, kWidth - 2, kHeight - 2);
    EXPECT_EQ(RGB(200, 200, 210), At(h, 6, kHeight / 2));
    int nCaption = 0, nWhite = 0, nGrey = 0;
    PixelsOf(h, all, kCaption, &nCaption);
    CRect rcWhite = PixelsOf(h, all, RGB(255, 255, 255), &nWhite);
    CRect rcGrey = PixelsOf(h, all, RGB(128, 128, 128), &nGrey);
    EXPECT_EQ(0, nCaption);
    EXPECT_GT(nWhite, 10);
    EXPECT_GT(nGrey, 20);
    // The grey copy sits one pixel up and left of the white one (the engraving): the white shows
    // one pixel past the grey on the right and at the bottom, where the grey cannot cover it.
    EXPECT_EQ(rcGrey.right + 1, rcWhite.right);
    EXPECT_EQ(rcGrey.bottom + 1, rcWhite.bottom);
    ::DeleteObject(h);

    // The two-colour form puts the disabled face back to the system's button face.
    m_button.SetColour(kCaption, kFace);
    h = Picture();
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), At(h, 6, kHeight / 2));
    ::DeleteObject(h);
    m_button.EnableWindow(TRUE);
    h = Picture();
    EXPECT_EQ(kFace, At(h, 6, kHeight / 2));
    ::DeleteObject(h);
}

TEST_F(ClrButtonTest, ResetColourGoesBackToTheSystemFace)
{
    m_button.ResetColour();
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), m_button.GetColor());
    HBITMAP h = Picture();
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), At(h, 6, kHeight / 2));
    int nText = 0;
    PixelsOf(h, CRect(2, 2, kWidth - 2, kHeight - 2), ::GetSysColor(COLOR_BTNTEXT), &nText);
    EXPECT_GT(nText, 20);
    ::DeleteObject(h);
}

TEST_F(ClrButtonTest, FontDescriptionsInTheCaption)
{
    struct
    {
        int style;
        const char* caption;
    } cases[] = {
        { 1, "Arial (Bold , 10)" },  { 2, "Arial (Italic , 10)" }, { 3, "Arial (Bold Italic , 10)" },
        { 0, "Arial (Regular , 10)" }, { 7, "Arial (Regular , 10)" }, { -1, "Arial (10)" },
        { -2, "Arial (Regular , 10)" }, { INT_MAX, "Arial (Regular , 10)" },
    };
    for (const auto& c : cases)
    {
        m_button.DisplayFont("Arial", "10", (eFontStyle)c.style);
        CString caption;
        m_button.GetWindowText(caption);
        EXPECT_STREQ(c.caption, caption) << c.style;
        EXPECT_STREQ("Arial", m_button.GetFont());
        EXPECT_STREQ("10", m_button.GetSize());
        EXPECT_EQ(c.style, (int)m_button.GetFontStyle());
    }
    // Empty and non-ASCII values are shown as given.
    m_button.DisplayFont("", "", CLR_FONT_NO_STYLE);
    CString caption;
    m_button.GetWindowText(caption);
    EXPECT_STREQ(" ()", caption);
    m_button.DisplayFont("Ma\xefve", "8.5", CLR_FONT_ITALIC);
    m_button.GetWindowText(caption);
    EXPECT_STREQ("Ma\xefve (Italic , 8.5)", caption);
}

TEST_F(ClrButtonTest, StoredFontValuesChangeNeitherCaptionNorWindowFont)
{
    m_button.SetWindowText("Sample");
    HFONT hBefore = (HFONT)m_button.SendMessage(WM_GETFONT);
    m_button.SetFont("Courier New");
    m_button.SetSize("14");
    m_button.SetFontStyle(CLR_FONT_BOLD);
    CString caption;
    m_button.GetWindowText(caption);
    EXPECT_STREQ("Sample", caption);
    EXPECT_EQ(hBefore, (HFONT)m_button.SendMessage(WM_GETFONT));
    EXPECT_STREQ("Courier New", m_button.GetFont());
    EXPECT_EQ(CLR_FONT_BOLD, m_button.GetFontStyle());
}

TEST_F(ClrButtonTest, LongCaptionsAndRepeatedDrawingLeakNothing)
{
    std::string huge(100000, 'M');
    m_button.SetWindowText(huge.c_str());
    HBITMAP h = Picture();   // drawn from the first 511 characters, no overrun
    ASSERT_NE(nullptr, h);
    EXPECT_EQ(kFace, At(h, 3, 3));
    ::DeleteObject(h);
    m_button.SetWindowText("WWW");
    h = Picture();
    ::DeleteObject(h);
    int nGdi = TestLeaks::GdiObjects();
    for (int i = 0; i < 200; ++i)
    {
        m_button.SetColour(RGB(i, 0, 0), RGB(0, i, 255 - i));
        m_button.SetState(i % 2);
        m_button.UpdateWindow();
        h = Picture();
        ::DeleteObject(h);
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
