// The brick bar as the host drives it: texts as shown, settings written through the test host and
// restored by a new bar, the context menu answered by the modal script after a real right click,
// bars dragged with the real mouse, a rendered brick, and resources counted around lives of bars.
#include <gtest/gtest.h>

#include "TestHost.h"
#include "TestSupport.h"
#include "WindowPicture.h"
#include "windows/HolderView.h"
#include "windows/VXBrickBar.h"

#include <algorithm>
#include <climits>
#include <functional>
#include <string>
#include <vector>

namespace
{
const int kPerCaption = INT_MIN;
const char kDefaultFont[] = "18,0,0,0,400,0,0,0,0,0,0,0,32,Trebuchet MS";

void Pump() { AfxPumpPendingMessages(); }
const auto SendMouse = TestInput::Mouse;

std::string Value(int nWidth, long nColour, const char* pszFont = kDefaultFont)
{
    return std::to_string(nWidth) + "\xA7" + std::to_string(nColour) + "\xA7" + pszFont;
}

class BrickBarTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        m_frame.SetForegroundWindow();
    }
    void TearDown() override
    {
        if (m_pBar != nullptr && ::IsWindow(m_hBar))
            m_pBar->DestroyWindow();
        SendMouse(MOUSEEVENTF_LEFTUP, CPoint(700, 700));
        HostTest::TearDown();
    }
    // A bar of the given captions (one brick per caption unless nCount is given), 600 x 40 unless told.
    int Make(std::vector<const char*> captions, const char* pszName = "", int nCount = kPerCaption, BOOL bResizable = TRUE,
             CWnd* pParent = nullptr, CRect rect = CRect(0, 0, 600, 40))
    {
        CArray<CString, CString> arr;
        for (const char* psz : captions)
            arr.Add(psz);
        m_pBar = new CVXBrickBar;
        m_pBar->m_csName = pszName;
        const int nResult = m_pBar->CreateBrickBars(pParent ? pParent : &m_frame, nCount != kPerCaption ? nCount : (int)captions.size(),
                                                    arr, rect, bResizable);
        if (nResult == 0)
        {
            delete m_pBar;
            m_pBar = nullptr;
        }
        m_hBar = m_pBar ? m_pBar->m_hWnd : nullptr;
        Pump();
        return nResult;
    }
    CHolderView* View(int i) { return static_cast<CHolderView*>(m_pBar->GetSplitterWnd()->GetPane(0, i)); }
    int PaneWidth(int i)
    {
        CRect rc;
        View(i)->GetWindowRect(&rc);
        return rc.Width();
    }
    std::string Saved(int i)
    {
        char szKey[16];
        snprintf(szKey, sizeof(szKey), "PANE_%d", i);
        return TestSettings::Get("BRICK_BAR_MW", szKey);
    }
    void RightClick(int i)
    {
        CRect rc;
        View(i)->GetWindowRect(&rc);
        SendMouse(MOUSEEVENTF_RIGHTDOWN, rc.CenterPoint());
        SendMouse(MOUSEEVENTF_RIGHTUP, rc.CenterPoint());
        Pump();
    }
    CVXBrickBar* m_pBar = nullptr;
    HWND m_hBar = nullptr;
};

TEST_F(BrickBarTest, TextsGroupDigitsAndKeepTheSeparatorTheyWereShownWith)
{
    ASSERT_EQ(1, Make({ "Bid", "Ask", "Last" }));
    m_pBar->m_bGroupDigits = 1;
    struct Case { int nBrick; const char* pszText; const char* pszLine; const char* pszText2; };
    const Case cases[] = {
        { 2, "1234567.891", " Last : 1,234,567.891", " 1,234,567.891" },
        { 0, "-1234.5", " Bid : -1,234.5", " -1,234.5" },
        { 1, "12", " Ask : 12", " 12" },
        { 1, "1,2345678.", " Ask : 12,345,678.", " 12,345,678." },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszText);
        EXPECT_EQ(1, m_pBar->SetText(c.nBrick, c.pszText, RGB(255, 0, 0)));
        CString csLine, csText;
        EXPECT_EQ(1, m_pBar->GetTextWithCaption(c.nBrick, csLine));
        EXPECT_EQ(1, m_pBar->GetText(c.nBrick, csText));
        EXPECT_STREQ(c.pszLine, csLine);
        EXPECT_STREQ(c.pszText2, csText);
    }
    EXPECT_EQ(1, m_pBar->SetCaptionSeperator(" = "));
    m_pBar->SetText(0, "5", 0);
    CString csLine;
    m_pBar->GetTextWithCaption(0, csLine);
    EXPECT_STREQ(" Bid = 5", csLine);
    m_pBar->GetTextWithCaption(2, csLine);
    EXPECT_STREQ(" Last : 1,234,567.891", csLine);
    // A new caption replaces the old one in the line shown; the view puts its space in front again.
    EXPECT_EQ(1, m_pBar->SetCaption(0, "Buy", 0));
    m_pBar->GetTextWithCaption(0, csLine);
    EXPECT_STREQ("  Buy = 5", csLine);
}

TEST_F(BrickBarTest, RefusesBadCountsAndIndexesAndSurvivesHostileInput)
{
    struct Refusal { const char* name; std::vector<const char*> captions; int nCount; };
    const Refusal refusals[] = {
        { "no bricks", { "A" }, 0 },
        { "a negative count", { "A" }, -3 },
        { "no captions", {}, 2 },
        { "more captions than bricks", { "A", "B", "C" }, 2 },
        { "too many bricks", { "A" }, BRICK_BAR_MAX_BRICKS + 1 },
    };
    for (const Refusal& r : refusals)
    {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(0, Make(r.captions, "", r.nCount));
    }

    ASSERT_EQ(1, Make({ "Bid", "Ask" }, "", 500));
    EXPECT_EQ(500, m_pBar->GetPaneCount());
    CString csCaption = "kept", csText = "kept";
    for (int i : { -1, 500, 501, INT_MIN })
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(0, m_pBar->SetText(i, "1", 0));
        EXPECT_EQ(0, m_pBar->SetCaption(i, "X", 0));
        EXPECT_EQ(0, m_pBar->SetTextColor(i, 1));
        EXPECT_EQ(0, m_pBar->GetCaption(i, csCaption));
        EXPECT_STREQ("kept", csCaption);
        csText = "kept";
        EXPECT_EQ(0, m_pBar->GetText(i, csText));
        EXPECT_STREQ("", csText);
    }
    EXPECT_EQ(0, m_pBar->SetFont(0, nullptr));

    const CString csHuge(std::string(100000, '9').c_str());
    const CString csSeparator(std::string(1024, ';').c_str());
    for (const CString& csSep : { CString(""), csSeparator })
    {
        m_pBar->SetCaptionSeperator(csSep);
        EXPECT_EQ(1, m_pBar->SetText(1, csHuge, 0));
        m_pBar->GetText(1, csText);
        EXPECT_EQ(1 + csHuge.GetLength(), csText.GetLength());
    }
    HBITMAP hbm = WindowPicture::Render(m_pBar->m_hWnd);
    EXPECT_TRUE(hbm != nullptr);
    ::DeleteObject(hbm);

    // Rectangles of any width: the bar is made, its bricks share what there is.
    for (int nWidth : { -5, 0, INT_MAX })
    {
        SCOPED_TRACE(nWidth);
        ASSERT_EQ(1, Make({ "Bid", "Ask" }, "", kPerCaption, TRUE, nullptr, CRect(0, 0, nWidth, 40)));
        EXPECT_EQ(1, m_pBar->SetText(1, "1", 0));
        EXPECT_EQ(1, m_pBar->FitToWindow());
        m_pBar->DestroyWindow();
        m_pBar = nullptr;
    }
}

TEST_F(BrickBarTest, SavesEachBrickOnDestroyAndANewBarRestoresIt)
{
    ASSERT_EQ(1, Make({ "Bid", "Ask", "Last" }, "MW"));
    m_pBar->SetTextColor(1, RGB(200, 0, 0));
    m_pBar->DestroyWindow();
    Pump();
    EXPECT_EQ(Value(200, 0), Saved(0));
    EXPECT_EQ(Value(200, 200), Saved(1)) << "colour 200 is RGB(200, 0, 0)";
    EXPECT_EQ(Value(598 - 400 - 10, 0), Saved(2));

    // Widths, colours and fonts come back; a failing save is reported once per brick.
    TestSettings::Put("BRICK_BAR_MW", "PANE_0", Value(150, 255, "-20,0,0,0,700,1,0,0,0,0,0,0,34,Arial"));
    ASSERT_EQ(1, Make({ "Bid", "Ask", "Last" }, "MW"));
    EXPECT_EQ(150, PaneWidth(0));
    EXPECT_EQ(RGB(255, 0, 0), View(0)->GetTitleColor());
    EXPECT_EQ(RGB(200, 0, 0), View(1)->GetTitleColor());
    TestHost::g_bFailSettings = true;
    m_pBar->DestroyWindow();
    TestHost::g_bFailSettings = false;
    m_pBar = nullptr;
    std::vector<std::string> messages;
    for (const CString& cs : m_script.Messages())
        messages.push_back((LPCTSTR)cs);
    EXPECT_EQ(std::vector<std::string>(3, "Error while saving brick bar information"), messages);
    EXPECT_EQ(Value(150, 255, "-20,0,0,0,700,1,0,0,0,0,0,0,34,Arial"), Saved(0));
}

TEST_F(BrickBarTest, RestoreStopsAtAShortValueAndKeepsWhatWasRead)
{
    const std::string face(10000, 'F');
    struct Case { const char* name; std::string v0, v1; std::string w0, w1; int nRead; };
    const Case cases[] = {
        { "width and colour, empty font part", "120\xA7" "255\xA7", "90\xA7" "65280\xA7",
          Value(120, 255), Value(90, 65280), 1 },
        { "only a width stops", "120", "90\xA7" "65280\xA7", Value(120, 0), Value(200, 0), 0 },
        { "width and colour without a third field stop", "120\xA7" "255", "90\xA7" "1\xA7",
          Value(120, 255), Value(200, 0), 0 },
        { "short font part stops", "120\xA7" "255\xA7" "1,2,3", "90\xA7" "1\xA7", Value(120, 255), Value(200, 0), 0 },
        { "garbage and a huge face", "abc\xA7xyz\xA7" "a,b,c,d,e,f,g,h,i,j,k,l,m," + face, "-5\xA7" "1\xA7",
          Value(0, 0, ("0,0,0,0,0,0,0,0,0,0,0,0,0," + face.substr(0, 31)).c_str()), Value(0, 1), 1 },
        { "huge width", "2147483647\xA7" "0\xA7", "", Value(598, 0), Value(0, 0), 1 },
        { "not found and empty leave the bricks", "Settings not found", "", Value(200, 0), Value(200, 0), 1 },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        TestHost::Reset();
        TestSettings::Put("BRICK_BAR_MW", "PANE_0", c.v0);
        TestSettings::Put("BRICK_BAR_MW", "PANE_1", c.v1);
        ASSERT_EQ(1, Make({ "Bid", "Ask", "Last" }, "MW"));
        m_pBar->m_bSaveOnDestroy = 0;
        EXPECT_EQ(c.nRead, m_pBar->ReadFromINI());
        m_pBar->GetSplitterWnd()->RecalcLayout();
        EXPECT_EQ(1, m_pBar->WriteToINI());
        EXPECT_EQ(c.w0, Saved(0));
        EXPECT_EQ(c.w1, Saved(1));
        m_pBar->DestroyWindow();
        m_pBar = nullptr;
    }
}

TEST_F(BrickBarTest, ContextMenuCommandsAnsweredByTheScript)
{
    auto colour = [](COLORREF clr) {
        return [clr](CCommonDialog* pDlg) {
            static_cast<CColorDialog*>(pDlg)->m_cc.rgbResult = clr;
            return (INT_PTR)IDOK;
        };
    };
    auto font = [](CCommonDialog* pDlg) {
        LOGFONT& lf = static_cast<CFontDialog*>(pDlg)->m_lf;
        lf = {};
        lf.lfHeight = -16;
        lf.lfWeight = FW_BOLD;
        strcpy(lf.lfFaceName, "Arial");
        return (INT_PTR)IDOK;
    };
    const char kArial[] = "-16,0,0,0,700,0,0,0,0,0,0,0,0,Arial";
    const char kDefault[] = "13,0,0,0,600,0,0,0,0,0,0,0,32,Trebuchet MS";
    struct Case { const char* name; UINT nCommand; std::function<INT_PTR(CCommonDialog*)> answer;
                  std::vector<std::string> saved; };
    const Case cases[] = {
        { "Set Color", ID_BRICK_SET_COLOR, colour(RGB(0, 128, 0)),
          { Value(200, 0x0000FF), Value(200, 0x008000), Value(588, 0) } },
        { "Set Font", ID_BRICK_SET_FONT, font, { Value(200, 0x0000FF), Value(200, 0, kArial), Value(588, 0) } },
        { "Set Color to All Bricks", ID_BRICK_SET_COLOR_ALL, colour(RGB(1, 2, 3)),
          { Value(200, 0x030201), Value(200, 0x030201), Value(588, 0x030201) } },
        { "Set Font to All Bricks", ID_BRICK_SET_FONT_ALL, font,
          { Value(200, 0x0000FF, kArial), Value(200, 0, kArial), Value(588, 0, kArial) } },
        { "Set Default Values", ID_BRICK_SET_DEFAULT_VALUES, nullptr,
          { Value(200, 0, kDefault), Value(200, 0, kDefault), Value(588, 0, kDefault) } },
        // A third of the 1,000 pixels each, the splitter bars from the last.
        { "Fit To Window", ID_BRICK_FIT_TO_WINDOW, nullptr, { Value(333, 0x0000FF), Value(333, 0), Value(322, 0) } },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        TestHost::Reset();
        ASSERT_EQ(1, Make({ "Bid", "Ask", "Last" }, "MW"));
        m_pBar->SetTextColor(0, RGB(255, 0, 0));
        m_script.Clear();
        m_script.m_menuAnswers = { c.nCommand };
        if (c.answer)
            m_script.m_commonAnswers = { c.answer };
        CRect rcWindow, rcClient;   // a bar whose client area is 1,000 pixels wide
        m_pBar->GetWindowRect(&rcWindow);
        m_pBar->GetClientRect(&rcClient);
        m_pBar->MoveWindow(0, 0, 1000 + rcWindow.Width() - rcClient.Width(), 40);
        RightClick(1);
        ASSERT_EQ(1u, m_script.Count("menu"));
        m_pBar->GetSplitterWnd()->RecalcLayout();
        m_pBar->WriteToINI();
        for (size_t i = 0; i < c.saved.size(); ++i)
            EXPECT_EQ(c.saved[i], Saved((int)i)) << "brick " << i;
        m_pBar->m_bSaveOnDestroy = 0;
        m_pBar->DestroyWindow();
        m_pBar = nullptr;
    }
}

TEST_F(BrickBarTest, BricksArePaintedRaisedWithTheTitleInItsColour)
{
    ASSERT_EQ(1, Make({ "Bid", "Ask", "Last" }));
    m_pBar->SetText(0, "8888", 0);
    m_pBar->SetTextColor(0, RGB(220, 0, 0));
    m_pBar->MoveWindow(0, 0, 600, 48);   // resized by the host: whole bricks show
    CRect rcBar, rc;
    m_pBar->GetWindowRect(&rcBar);
    View(0)->GetWindowRect(&rc);
    rc.OffsetRect(-rcBar.left, -rcBar.top);
    HBITMAP hbm = WindowPicture::Render(m_pBar->m_hWnd);
    ASSERT_TRUE(hbm != nullptr);
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), WindowPicture::PixelAt(hbm, rc.left, rc.top));
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), WindowPicture::PixelAt(hbm, rc.right - 1, rc.bottom - 1));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), WindowPicture::PixelAt(hbm, rc.right - 3, rc.top + 3));
    int nRed = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            nRed += WindowPicture::PixelAt(hbm, x, y) == RGB(220, 0, 0) ? 1 : 0;
    ::DeleteObject(hbm);
    EXPECT_GT(nRed, 20);
}

TEST_F(BrickBarTest, FixedBarsIgnoreDragsAndResizableOnesFollowThem)
{
    for (BOOL bResizable : { FALSE, TRUE })
    {
        SCOPED_TRACE(bResizable);
        ASSERT_EQ(1, Make({ "Bid", "Ask", "Last" }, "", kPerCaption, bResizable));
        CPoint pt = m_pBar->GetSplitterWnd()->GetBarRect(0).CenterPoint();
        m_pBar->GetSplitterWnd()->ClientToScreen(&pt);
        SendMouse(MOUSEEVENTF_LEFTDOWN, pt);
        SendMouse(0, CPoint(pt.x + 50, pt.y));
        SendMouse(MOUSEEVENTF_LEFTUP, CPoint(pt.x + 50, pt.y));
        EXPECT_EQ(bResizable ? 250 : 200, PaneWidth(0));
        m_pBar->DestroyWindow();
        m_pBar = nullptr;
    }
}

TEST_F(BrickBarTest, WhateverTheBarCreatesItFrees)
{
    // One bar first, so that lazily made system objects (classes, cursors, stock fonts) exist.
    ASSERT_EQ(1, Make({ "Bid", "Ask" }, "MW"));
    m_pBar->DestroyWindow();
    Pump();
    const int nGdi = TestLeaks::GdiObjects();
    const int nWindows = TestLeaks::Windows();
    for (int n = 0; n < 10; ++n)
    {
        ASSERT_EQ(1, Make({ "Bid", "Ask", "Last" }, "MW"));
        m_script.m_menuAnswers = { ID_BRICK_SET_DEFAULT_VALUES, ID_BRICK_SET_FONT_ALL };
        m_script.m_commonAnswers = { [](CCommonDialog*) { return (INT_PTR)IDOK; } };
        RightClick(0);
        RightClick(1);
        m_pBar->SetText(2, "1", 0);
        m_pBar->DestroyWindow();
        Pump();
    }
    // The parent goes first: the bar goes with it, saved.
    CWnd* pParent = new CWnd;
    ASSERT_TRUE(pParent->CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 600, 60), &m_frame, 0));
    ASSERT_EQ(1, Make({ "Bid" }, "PARENT", kPerCaption, TRUE, pParent));
    pParent->DestroyWindow();
    delete pParent;
    m_pBar = nullptr;
    Pump();
    EXPECT_NE("<none>", TestSettings::Get("BRICK_BAR_PARENT", "PANE_0"));
    EXPECT_EQ(nGdi, TestLeaks::GdiObjects());
    EXPECT_EQ(nWindows, TestLeaks::Windows());
}
}  // namespace
