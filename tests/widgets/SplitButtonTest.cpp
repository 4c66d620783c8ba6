// The split button driven by real mouse and keyboard input: which part a click hits, what the
// registered parent receives and reads from the result member, the menu shown through the modal
// seam, the face as it is drawn, and owners that delete the button from its command or menu.
#include "WidgetTest.h"

#include "Quarantine.h"

#include <widgets/OrvoSplitButton.h>

#include <functional>

namespace
{
enum { IDC_SPLIT = 1100, ID_BUY_LIMIT = 2001, ID_BUY_STOP = 2002, ID_BUY_MARKET = 2003 };
const int kWidth = 120;
const int kHeight = 30;
const CPoint kMainPart(30, kHeight / 2);
const CPoint kArrowPart(kWidth - 6, kHeight / 2);
const CPoint kOffButton(kWidth + 40, kHeight + 40);

// Runs an action while the menu is being tracked, then answers as the recording script does.
class CMenuTimeScript : public CRecordingModalScript
{
public:
    std::function<void()> m_whileOpen;
    UINT TrackPopupMenu(const std::vector<CModalMenuItem>& items, UINT nFlags, int x, int y, HWND hOwner) override
    {
        if (m_whileOpen)
            m_whileOpen();
        return CRecordingModalScript::TrackPopupMenu(items, nFlags, x, y, hOwner);
    }
};
}  // namespace

class SplitButtonTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        ASSERT_TRUE(Make(m_button, 20, IDC_SPLIT));
        m_button.m_menu.AppendMenu(MF_STRING, ID_BUY_STOP, "Buy &stop");
        m_button.m_menu.AppendMenu(MF_STRING, ID_BUY_MARKET, "Buy &market");
        m_observer = [this]() { return m_button.m_nSelectedCommand; };
        Pump();
    }
    // A button of the parent at (20, y), registered with it, with a "Buy limit" item.
    BOOL Make(COrvoSplitButton& button, int y, UINT nID, bool bRegister = true)
    {
        if (!button.Create("Buy", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(20, y, 20 + kWidth, y + kHeight), &m_parent,
                           nID))
            return FALSE;
        button.m_menu.AppendMenu(MF_STRING, ID_BUY_LIMIT, "Buy &limit");
        button.RegisterParentDlg(bRegister ? &m_parent : nullptr);
        return TRUE;
    }
    std::vector<sReceived> Commands() const { return Received(WM_COMMAND); }

    COrvoSplitButton m_button;
};

TEST_F(SplitButtonTest, ClicksAndKeysSendTheMainCommandOrTheMenuChoice)
{
    EXPECT_EQ((DWORD)BS_OWNERDRAW, m_button.GetStyle() & BS_TYPEMASK);
    const struct
    {
        const char* name;
        std::function<void()> act;
        std::vector<UINT> menuAnswers;   // none: the menu is dismissed
        size_t nMenus;
        int nCommand;                    // what the parent reads with the command; -1: no command
        int nSelected;                   // left in the result member
    } cases[] = {
        { "main part", [this] { Click(m_button, kMainPart); }, {}, 0, COrvoSplitButton::SPLIT_MAIN_COMMAND,
          COrvoSplitButton::SPLIT_MAIN_COMMAND },
        { "arrow, a choice", [this] { Click(m_button, kArrowPart); }, { ID_BUY_STOP }, 1, ID_BUY_STOP, ID_BUY_STOP },
        { "arrow, dismissed", [this] { m_button.m_nSelectedCommand = 55; Click(m_button, kArrowPart); }, {}, 1, -1, 0 },
        { "arrow, command 1 sends nothing", [this] { Click(m_button, kArrowPart); }, { 1 }, 1, -1, 1 },
        { "Space", [this] { m_button.SetFocus(); PressKey(VK_SPACE); }, { ID_BUY_MARKET }, 1, ID_BUY_MARKET,
          ID_BUY_MARKET },
        { "Down, dismissed", [this] { m_button.SetFocus(); PressKey(VK_DOWN); }, {}, 1, -1, 0 },
        { "other keys are the platform's", [this] { m_button.SetFocus(); PressKey('A'); }, {}, 0, -1, 0 },
        { "dragged off while pressed",
          [this] { MouseDown(m_button, kMainPart); MouseMoveTo(m_button, kOffButton); MouseUp(); }, {}, 0, -1, 0 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        m_script.Clear();
        m_received.clear();
        m_button.m_nSelectedCommand = 0;
        m_script.m_menuAnswers.assign(c.menuAnswers.begin(), c.menuAnswers.end());
        c.act();
        EXPECT_EQ(c.nMenus, m_script.Count("menu"));
        const std::vector<sReceived> commands = Commands();
        ASSERT_EQ(c.nCommand >= 0 ? 1u : 0u, commands.size());
        if (c.nCommand >= 0)
        {
            EXPECT_EQ((WPARAM)MAKEWPARAM(IDC_SPLIT, BN_CLICKED), commands[0].wParam);
            EXPECT_EQ((LPARAM)m_button.GetSafeHwnd(), commands[0].lParam);
            EXPECT_EQ(c.nCommand, commands[0].nObserved);
        }
        EXPECT_EQ(c.nSelected, m_button.m_nSelectedCommand);
        EXPECT_EQ(0, m_button.m_bPressed);
        EXPECT_EQ(0, m_button.m_bMenuOpen);
        EXPECT_EQ(nullptr, ::GetCapture());
        EXPECT_TRUE(c.nMenus == 0 || m_button.GetSafeHwnd() == ::GetFocus());
        CRect rc;   // the menu opens below the button
        m_button.GetWindowRect(&rc);
        EXPECT_TRUE(c.nMenus == 0 || CPoint(m_script.m_records.back().pt) == CPoint(rc.left, rc.bottom));
    }
}

TEST_F(SplitButtonTest, WithoutARegisteredParentOrMenuItsOwnRulesApply)
{
    COrvoSplitButton lone;
    ASSERT_TRUE(Make(lone, 80, IDC_SPLIT + 1, false));
    Click(lone, kMainPart);
    m_script.m_menuAnswers = { ID_BUY_LIMIT };
    Click(lone, kArrowPart);
    // Not even the platform's own BN_CLICKED reaches the window's parent.
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(ID_BUY_LIMIT, lone.m_nSelectedCommand);
    lone.DestroyWindow();

    // An empty menu makes the arrow part a plain button, and Space the platform's click.
    COrvoSplitButton plain;
    ASSERT_TRUE(Make(plain, 80, IDC_SPLIT));
    plain.m_menu.RemoveMenu(0, MF_BYPOSITION);
    m_observer = [&plain]() { return plain.m_nSelectedCommand; };
    m_script.Clear();
    Click(plain, kArrowPart);
    ASSERT_EQ(1u, Commands().size());
    EXPECT_EQ(COrvoSplitButton::SPLIT_MAIN_COMMAND, Commands()[0].nObserved);
    plain.SetFocus();
    PressKey(VK_SPACE);
    EXPECT_EQ(0u, m_script.Count("menu"));
}

// The fault: deleted from a timer, a message the menu loop dispatched or a host callback while
// its menu was open, the button stored the choice into freed memory and read it back.
TEST_F(SplitButtonTest, ButtonDeletedWhileItsMenuIsOpenOrOnItsCommandIsNotTouchedAgain)
{
    using CGoneButton = CQuarantined<COrvoSplitButton>;
    enum { BY_CLICK, BY_KEY, ON_COMMAND };
    for (int nWhen : { BY_CLICK, BY_KEY, ON_COMMAND })
    {
        SCOPED_TRACE(nWhen);
        CGoneButton* pButton = new CGoneButton;
        ASSERT_TRUE(Make(*pButton, 80, 1200));
        const HWND hButton = pButton->m_hWnd;
        CMenuTimeScript script;
        script.m_menuAnswers = { ID_BUY_LIMIT };
        (nWhen == ON_COMMAND ? m_onCommand : script.m_whileOpen) = [&pButton] {
            delete pButton;
            pButton = nullptr;
        };
        CModalScriptScope scope(&script);
        m_observer = nullptr;
        m_received.clear();
        if (nWhen == BY_KEY)
        {
            pButton->SetFocus();
            PressKey(VK_DOWN);
        }
        else
        {
            Click(*pButton, kArrowPart);
        }
        EXPECT_EQ(1u, script.Count("menu"));
        EXPECT_EQ(nullptr, pButton);
        EXPECT_FALSE(::IsWindow(hButton));
        // Deleted while its menu was open, the button that would have sent the command is gone.
        EXPECT_EQ(nWhen == ON_COMMAND ? 1u : 0u, m_received.size());
        EXPECT_EQ(0u, CGoneButton::WrittenAfterDelete());
        CGoneButton::Release();
        m_onCommand = nullptr;
    }
}

// One picture: the button held down (pressed and focused) above a disabled one.
TEST_F(SplitButtonTest, FaceShowsTheArrowSeparatorFocusPressedAndDisabledLook)
{
    COrvoSplitButton disabled;
    ASSERT_TRUE(Make(disabled, 80, IDC_SPLIT + 1));
    disabled.EnableWindow(FALSE);
    MouseDown(m_button, kMainPart);
    HBITMAP h = Render(m_parent);
    MouseMoveTo(m_button, kOffButton);
    MouseUp();
    ASSERT_NE(nullptr, h);
    const COLORREF text = ::GetSysColor(COLOR_WINDOWTEXT), black = RGB(0, 0, 0);
    // Arrow of the held button: apex two below the centre of the 16-pixel part, shifted one pixel
    // right and down; rows of 1, 3, 5, 7 pixels going up. The disabled one sits 60 pixels lower.
    const int xArrow = 20 + kWidth - 8 + 1, yApex = 20 + kHeight / 2 + 2 + 1, xSep = 20 + kWidth - 2 - 16;
    const struct { const char* rule; int x, y; COLORREF cr; bool bSame; } probes[] = {
        { "arrow apex", xArrow, yApex, text, true },
        { "left of the apex", xArrow - 1, yApex, text, false },
        { "arrow top left", xArrow - 3, yApex - 3, text, true },
        { "arrow top right", xArrow + 3, yApex - 3, text, true },
        { "pressed: black frame", 20, 20, black, true },
        { "pressed: black frame corner", 20 + kWidth - 1, 20 + kHeight - 1, black, true },
        { "disabled: grey arrow", xArrow - 1, yApex - 1 + 60, ::GetSysColor(COLOR_GRAYTEXT), true },
        { "disabled: raised frame", 20, 80, black, false },
        { "separator shadow", xSep, 80 + kHeight / 2, ::GetSysColor(COLOR_BTNSHADOW), true },
        { "separator highlight", xSep + 1, 80 + kHeight / 2, ::GetSysColor(COLOR_BTNHIGHLIGHT), true },
    };
    for (const auto& p : probes)
        EXPECT_EQ(p.bSame, Pixel(h, p.x, p.y) == p.cr) << p.rule << ": " << std::hex << Pixel(h, p.x, p.y);
    EXPECT_EQ(16, CountColour(h, CRect(xArrow - 4, yApex - 4, xArrow + 5, yApex + 2), text));
    // The focus rectangle: dotted, 4 pixels inside the face (5 when pressed), short of the arrow part.
    int nDots[2] = { 0, 0 };
    for (int i = 0; i < 2; ++i)
        for (int x = 26; x < 20 + kWidth - 16 - 6; x++)
            nDots[i] += Pixel(h, x, i == 0 ? 25 : 84) != ::GetSysColor(COLOR_BTNFACE) ? 1 : 0;
    EXPECT_GT(nDots[0], 20);
    EXPECT_EQ(0, nDots[1]);
    ::DeleteObject(h);
}
