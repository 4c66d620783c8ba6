// The link: opening through the shell seam by mouse and keyboard, its colours and underline as
// drawn, the hand cursor, and the targets nobody means to give it.
#include "WidgetTest.h"

#include <widgets/StaticLink.h>

namespace
{
enum { IDC_LINK = 1200 };
const COLORREF kUnvisited = RGB(0, 50, 255);
const COLORREF kVisited = RGB(128, 0, 128);
}  // namespace

class StaticLinkTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        ASSERT_TRUE(m_link.Create("www.example.com/rules", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(20, 20, 220, 40),
                                  &m_parent, IDC_LINK));
        Pump();
    }

    // Pixels of a colour in the control's area of the rendered parent.
    int CountColour(COLORREF cr)
    {
        HBITMAP hBitmap = Render(m_parent);
        CRect rc;
        m_link.GetWindowRect(&rc);
        m_parent.ScreenToClient(&rc);
        int n = 0;
        for (int y = rc.top; y < rc.bottom; y++)
            for (int x = rc.left; x < rc.right; x++)
                if (Pixel(hBitmap, x, y) == cr)
                    n++;
        ::DeleteObject(hBitmap);
        return n;
    }
    // The longest horizontal run of a colour in the control: an underline spans the text.
    int LongestRun(COLORREF cr)
    {
        HBITMAP hBitmap = Render(m_parent);
        CRect rc;
        m_link.GetWindowRect(&rc);
        m_parent.ScreenToClient(&rc);
        int nBest = 0;
        for (int y = rc.top; y < rc.bottom; y++)
        {
            int nRun = 0;
            for (int x = rc.left; x < rc.right; x++)
            {
                nRun = Pixel(hBitmap, x, y) == cr ? nRun + 1 : 0;
                nBest = nRun > nBest ? nRun : nBest;
            }
        }
        ::DeleteObject(hBitmap);
        return nBest;
    }
    void ClickText() { Click(m_link, CPoint(10, 8)); }

    CStaticLink m_link;
};

TEST_F(StaticLinkTest, ClickOpensTheWindowTextAndTurnsTheLinkVisited)
{
    EXPECT_GT(CountColour(kUnvisited), 20);
    EXPECT_GT(LongestRun(kUnvisited), 60);   // underlined
    EXPECT_EQ(0, CountColour(kVisited));

    ClickText();
    ASSERT_EQ(1u, m_script.Count("shell"));
    const CModalRecord& call = m_script.m_records.back();
    EXPECT_STREQ("www.example.com/rules", call.text);
    EXPECT_STREQ("open", call.caption);
    EXPECT_EQ((UINT)SW_SHOWNORMAL, call.type);
    EXPECT_EQ(1, m_link.m_bVisited);
    EXPECT_EQ(0u, m_script.Count("beep"));

    EXPECT_GT(CountColour(kVisited), 20);
    EXPECT_EQ(0, CountColour(kUnvisited));
}

TEST_F(StaticLinkTest, TheLinkMemberWinsOverTheText)
{
    m_link.m_link = "https://example.com/margin?x=1&y=\xE9";
    ClickText();
    ASSERT_EQ(1u, m_script.Count("shell"));
    EXPECT_STREQ("https://example.com/margin?x=1&y=\xE9", m_script.m_records.back().text);
}

TEST_F(StaticLinkTest, ATargetThatCannotBeOpenedBeepsAndStaysUnvisited)
{
    m_script.m_shellAnswers = { SE_ERR_FNF };
    ClickText();
    EXPECT_EQ(1u, m_script.Count("shell"));
    EXPECT_EQ(1u, m_script.Count("beep"));
    EXPECT_EQ(0, m_link.m_bVisited);
    EXPECT_GT(CountColour(kUnvisited), 20);
    EXPECT_EQ(0, CountColour(kVisited));
}

TEST_F(StaticLinkTest, SpaceAndEnterOpenTheLinkLikeAClick)
{
    m_link.SetFocus();
    PressKey(VK_SPACE);
    EXPECT_EQ(1u, m_script.Count("shell"));
    PressKey(VK_RETURN);
    EXPECT_EQ(2u, m_script.Count("shell"));
    PressKey('X');
    EXPECT_EQ(2u, m_script.Count("shell"));
}

TEST_F(StaticLinkTest, APlainLinkIsInertTextWithTheHandCursor)
{
    // Plain before its first paint, as a host sets it up.
    m_link.DestroyWindow();
    m_link.m_font.DeleteObject();
    m_link.m_bPlain = 1;
    ASSERT_TRUE(m_link.Create("www.example.com/rules", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(20, 20, 220, 40),
                              &m_parent, IDC_LINK));
    ClickText();
    EXPECT_EQ(0u, m_script.Count("shell"));
    EXPECT_EQ(0u, m_script.Count("beep"));
    EXPECT_EQ(0, m_link.m_bVisited);
    EXPECT_GT(CountColour(kUnvisited), 20);
    EXPECT_LT(LongestRun(kUnvisited), 20);   // no underline

    MouseMoveTo(m_link, CPoint(10, 8));
    m_link.SendMessage(WM_SETCURSOR, (WPARAM)m_link.GetSafeHwnd(), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::LoadCursor(nullptr, IDC_HAND), ::GetCursor());
}

TEST_F(StaticLinkTest, APlainLinkCanStillBeUnderlined)
{
    CStaticLink link;
    link.m_bPlain = 1;
    link.m_bAlwaysUnderline = true;
    ASSERT_TRUE(link.Create("Terms of trading", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(20, 60, 220, 80), &m_parent,
                            IDC_LINK + 1));
    HBITMAP hBitmap = Render(m_parent);
    int nBest = 0;
    for (int y = 60; y < 80; y++)
    {
        int nRun = 0;
        for (int x = 20; x < 220; x++)
        {
            nRun = Pixel(hBitmap, x, y) == kUnvisited ? nRun + 1 : 0;
            nBest = nRun > nBest ? nRun : nBest;
        }
    }
    ::DeleteObject(hBitmap);
    EXPECT_GT(nBest, 50);
}

TEST_F(StaticLinkTest, EmptyAndHugeTargets)
{
    CStaticLink empty;
    ASSERT_TRUE(empty.Create("", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(20, 60, 220, 80), &m_parent, IDC_LINK + 1));
    Click(empty, CPoint(5, 5));
    // Nothing to open: no shell call (the shell would open some folder), a beep.
    EXPECT_EQ(0u, m_script.Count("shell"));
    EXPECT_EQ(1u, m_script.Count("beep"));
    EXPECT_EQ(0, empty.m_bVisited);

    std::string csHuge = "https://example.com/?q=";
    csHuge.append(10 * 1024 - csHuge.size(), 'a');
    m_link.m_link = csHuge.c_str();
    ClickText();
    ASSERT_EQ(1u, m_script.Count("shell"));
    EXPECT_EQ(10 * 1024, m_script.m_records.back().text.GetLength());
}

TEST_F(StaticLinkTest, OtherStaticKindsKeepTheirDefaultColours)
{
    CStaticLink frame;
    ASSERT_TRUE(frame.Create("", WS_CHILD | WS_VISIBLE | SS_BLACKFRAME, CRect(20, 60, 120, 90), &m_parent,
                             IDC_LINK + 1));
    CStatic reference;
    ASSERT_TRUE(reference.Create("", WS_CHILD | WS_VISIBLE | SS_BLACKFRAME, CRect(20, 100, 120, 130), &m_parent,
                                 IDC_LINK + 2));
    HBITMAP hBitmap = Render(m_parent);
    EXPECT_EQ(Pixel(hBitmap, 20, 100), Pixel(hBitmap, 20, 60));
    EXPECT_EQ(Pixel(hBitmap, 70, 100), Pixel(hBitmap, 70, 60));
    ::DeleteObject(hBitmap);
    EXPECT_EQ(nullptr, frame.m_font.GetSafeHandle());
}
