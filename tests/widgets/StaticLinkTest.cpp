// The link: opening through the shell seam by mouse and keyboard, its colours and underline as
// drawn, the hand cursor, and the targets nobody means to give it.
#include "WidgetTest.h"

#include <widgets/StaticLink.h>

namespace
{
enum { IDC_LINK = 1200 };
const COLORREF kUnvisited = RGB(0, 50, 255);
const COLORREF kVisited = RGB(128, 0, 128);
const char kTarget[] = "www.example.com/rules";
}  // namespace

class StaticLinkTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        ASSERT_TRUE(m_link.Create(kTarget, WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(20, 20, 220, 40), &m_parent,
                                  IDC_LINK));
        Pump();
    }
    CStaticLink m_link;
};

TEST_F(StaticLinkTest, OpeningByClickOrKeyTurnsTheLinkVisited)
{
    Click(m_link, CPoint(10, 8));
    ASSERT_EQ(1u, m_script.Count("shell"));
    const CModalRecord& call = m_script.m_records.back();
    EXPECT_STREQ(kTarget, call.text);
    EXPECT_STREQ("open", call.caption);
    EXPECT_EQ((UINT)SW_SHOWNORMAL, call.type);
    EXPECT_EQ(1, m_link.m_bVisited);
    EXPECT_EQ(0u, m_script.Count("beep"));
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
        { "link member", kTarget, "https://example.com/margin?x=1&y=\xE9", {}, "https://example.com/margin?x=1&y=\xE9",
          false },
        { "10 KB link", kTarget, huge, {}, huge.c_str(), false },
        { "cannot be opened", kTarget, "", { SE_ERR_FNF }, kTarget, true },
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
    }
}

// One picture of links in each state: unvisited and underlined, visited, plain (inert, not
// underlined unless told), and a frame kind drawn as the platform's own.
TEST_F(StaticLinkTest, ColoursUnderlinesAndTheHandCursorAsDrawn)
{
    CStaticLink visited, plain, underlined, frame;
    CStatic reference;
    plain.m_bPlain = underlined.m_bPlain = 1;   // before the first paint, as a host sets it up
    underlined.m_bAlwaysUnderline = true;
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | SS_LEFT;
    ASSERT_TRUE(visited.Create(kTarget, dwStyle, CRect(20, 60, 220, 80), &m_parent, IDC_LINK + 1));
    ASSERT_TRUE(plain.Create(kTarget, dwStyle, CRect(20, 100, 220, 120), &m_parent, IDC_LINK + 2));
    ASSERT_TRUE(underlined.Create("Terms of trading", dwStyle, CRect(20, 140, 220, 160), &m_parent, IDC_LINK + 3));
    const DWORD dwFrame = WS_CHILD | WS_VISIBLE | SS_BLACKFRAME;
    ASSERT_TRUE(frame.Create("", dwFrame, CRect(250, 20, 350, 50), &m_parent, IDC_LINK + 4));
    ASSERT_TRUE(reference.Create("", dwFrame, CRect(250, 60, 350, 90), &m_parent, IDC_LINK + 5));
    Click(visited, CPoint(10, 8));
    Click(plain, CPoint(10, 8));
    EXPECT_EQ(1u, m_script.m_records.size());   // the plain link opens nothing and does not beep
    EXPECT_EQ(0, plain.m_bVisited);
    MouseMoveTo(plain, CPoint(10, 8));
    plain.SendMessage(WM_SETCURSOR, (WPARAM)plain.GetSafeHwnd(), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::LoadCursor(nullptr, IDC_HAND), ::GetCursor());

    HBITMAP h = Render(m_parent);
    ASSERT_NE(nullptr, h);
    // Pixels of a colour in a link's area and their longest horizontal run (an underline spans the text).
    auto count = [&](CWnd& link, COLORREF cr, int* pnLongestRun) {
        CRect rc;
        link.GetWindowRect(&rc);
        m_parent.ScreenToClient(&rc);
        int n = 0;
        *pnLongestRun = 0;
        for (int y = rc.top; y < rc.bottom; y++)
            for (int x = rc.left, nRun = 0; x < rc.right; x++)
            {
                nRun = Pixel(h, x, y) == cr ? nRun + 1 : 0;
                n += nRun > 0 ? 1 : 0;
                *pnLongestRun = std::max(*pnLongestRun, nRun);
            }
        return n;
    };
    const struct { const char* name; CWnd& link; COLORREF crShown, crAbsent; bool bUnderline; } cases[] = {
        { "unvisited", m_link, kUnvisited, kVisited, true },
        { "visited", visited, kVisited, kUnvisited, true },
        { "plain", plain, kUnvisited, kVisited, false },
        { "plain, underlined", underlined, kUnvisited, kVisited, true },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        int nRun = 0;
        EXPECT_GT(count(c.link, c.crShown, &nRun), 20);
        EXPECT_EQ(c.bUnderline, nRun > 50) << nRun;
        EXPECT_EQ(0, count(c.link, c.crAbsent, &nRun));
    }
    EXPECT_EQ(Pixel(h, 250, 60), Pixel(h, 250, 20));
    EXPECT_EQ(Pixel(h, 300, 60), Pixel(h, 300, 20));
    EXPECT_EQ(nullptr, frame.m_font.GetSafeHandle());
    ::DeleteObject(h);
}
