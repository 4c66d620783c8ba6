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
    // Pixels of a colour in a link's area of the rendered parent, and their longest horizontal
    // run (an underline spans the text).
    int CountColour(COLORREF cr, int* pnLongestRun = nullptr, CWnd* pLink = nullptr)
    {
        HBITMAP hBitmap = Render(m_parent);
        CRect rc;
        (pLink ? pLink : &m_link)->GetWindowRect(&rc);
        m_parent.ScreenToClient(&rc);
        int n = 0, nBest = 0;
        for (int y = rc.top; y < rc.bottom; y++)
            for (int x = rc.left, nRun = 0; x < rc.right; x++)
            {
                nRun = Pixel(hBitmap, x, y) == cr ? nRun + 1 : 0;
                n += nRun > 0 ? 1 : 0;
                nBest = std::max(nBest, nRun);
            }
        ::DeleteObject(hBitmap);
        if (pnLongestRun != nullptr)
            *pnLongestRun = nBest;
        return n;
    }
    void ClickText() { Click(m_link, CPoint(10, 8)); }

    CStaticLink m_link;
};

TEST_F(StaticLinkTest, OpeningByClickOrKeyTurnsTheLinkVisited)
{
    int nRun = 0;
    EXPECT_GT(CountColour(kUnvisited, &nRun), 20);
    EXPECT_GT(nRun, 60);   // underlined
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
    // Space and Enter open it like a click; other keys do not.
    m_link.SetFocus();
    PressKey(VK_SPACE);
    PressKey(VK_RETURN);
    PressKey('X');
    EXPECT_EQ(3u, m_script.Count("shell"));
}

TEST_F(StaticLinkTest, TargetsOpenedOrRefused)
{
    const std::string huge = "https://example.com/?q=" + std::string(10 * 1024 - 23, 'a');
    const struct
    {
        const char* name;
        const char* text;    // the window's
        std::string link;    // the member, wins over the text
        std::vector<int> shellAnswers;
        const char* opened;  // null: no shell call
        bool bBeep;
    } cases[] = {
        { "link member", "www.example.com/rules", "https://example.com/margin?x=1&y=\xE9", {},
          "https://example.com/margin?x=1&y=\xE9", false },
        { "10 KB link", "www.example.com/rules", huge, {}, huge.c_str(), false },
        { "cannot be opened", "www.example.com/rules", "", { SE_ERR_FNF }, "www.example.com/rules", true },
        // Nothing to open: no shell call (the shell would open some folder), a beep.
        { "empty", "", "", {}, nullptr, true },
    };
    int x = 10;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        m_script.Clear();
        m_link.m_bVisited = 0;
        m_link.SetWindowText(c.text);
        m_link.m_link = c.link.c_str();
        m_script.m_shellAnswers.assign(c.shellAnswers.begin(), c.shellAnswers.end());
        Click(m_link, CPoint(x, 8));   // a new place each time: never a double click
        x += 25;
        ASSERT_EQ(c.opened ? 1u : 0u, m_script.Count("shell"));
        for (const CModalRecord& r : m_script.m_records)
            EXPECT_TRUE(r.kind != "shell" || r.text == c.opened) << r.text;
        EXPECT_EQ(c.bBeep ? 1u : 0u, m_script.Count("beep"));
        EXPECT_EQ(c.bBeep ? 0 : 1, m_link.m_bVisited);
        if (c.bBeep && c.opened)
        {
            EXPECT_GT(CountColour(kUnvisited), 20);
            EXPECT_EQ(0, CountColour(kVisited));
        }
    }
}

TEST_F(StaticLinkTest, APlainLinkIsInertTextWithTheHandCursorAndMayBeUnderlined)
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
    int nRun = 0;
    EXPECT_GT(CountColour(kUnvisited, &nRun), 20);
    EXPECT_LT(nRun, 20);   // no underline
    MouseMoveTo(m_link, CPoint(10, 8));
    m_link.SendMessage(WM_SETCURSOR, (WPARAM)m_link.GetSafeHwnd(), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::LoadCursor(nullptr, IDC_HAND), ::GetCursor());

    CStaticLink underlined;
    underlined.m_bPlain = 1;
    underlined.m_bAlwaysUnderline = true;
    ASSERT_TRUE(underlined.Create("Terms of trading", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(20, 60, 220, 80),
                                  &m_parent, IDC_LINK + 1));
    CountColour(kUnvisited, &nRun, &underlined);
    EXPECT_GT(nRun, 50);
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
