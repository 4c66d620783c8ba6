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
        ASSERT_TRUE(m_button.Create("Buy", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                    CRect(20, 20, 20 + kWidth, 20 + kHeight), &m_parent, IDC_SPLIT));
        m_button.m_menu.AppendMenu(MF_STRING, ID_BUY_LIMIT, "Buy &limit");
        m_button.m_menu.AppendMenu(MF_STRING, ID_BUY_STOP, "Buy &stop");
        m_button.m_menu.AppendMenu(MF_STRING, ID_BUY_MARKET, "Buy &market");
        m_button.RegisterParentDlg(&m_parent);
        m_observer = [this]() { return m_button.m_nSelectedCommand; };
        Pump();
    }
    std::vector<sReceived> Commands() const { return Received(WM_COMMAND); }
    void ExpectOneCommand(int nSelected)
    {
        std::vector<sReceived> commands = Commands();
        ASSERT_EQ(1u, commands.size());
        EXPECT_EQ((WPARAM)MAKEWPARAM(IDC_SPLIT, BN_CLICKED), commands[0].wParam);
        EXPECT_EQ((LPARAM)m_button.GetSafeHwnd(), commands[0].lParam);
        EXPECT_EQ(nSelected, commands[0].nObserved);
    }

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
        if (c.nCommand >= 0)
            ExpectOneCommand(c.nCommand);
        else
            EXPECT_TRUE(Commands().empty());
        EXPECT_EQ(c.nSelected, m_button.m_nSelectedCommand);
        EXPECT_EQ(0, m_button.m_bPressed);
        EXPECT_EQ(0, m_button.m_bMenuOpen);
        EXPECT_EQ(nullptr, ::GetCapture());
        EXPECT_TRUE(c.nMenus == 0 || m_button.GetSafeHwnd() == ::GetFocus());
    }
}

TEST_F(SplitButtonTest, WithoutARegisteredParentOrMenuItsOwnRulesApply)
{
    COrvoSplitButton lone;
    ASSERT_TRUE(lone.Create("Sell", WS_CHILD | WS_VISIBLE, CRect(20, 80, 20 + kWidth, 80 + kHeight), &m_parent,
                            IDC_SPLIT + 1));
    lone.m_menu.AppendMenu(MF_STRING, ID_BUY_LIMIT, "Buy limit");
    lone.RegisterParentDlg(nullptr);   // ignored: never registered
    Click(lone, kMainPart);
    m_script.m_menuAnswers = { ID_BUY_LIMIT };
    Click(lone, kArrowPart);
    // Not even the platform's own BN_CLICKED reaches the window's parent.
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(ID_BUY_LIMIT, lone.m_nSelectedCommand);
    EXPECT_EQ(0, lone.m_bPressed);
    lone.DestroyWindow();

    // An empty menu makes the arrow part a plain button, and Space the platform's click.
    COrvoSplitButton plain;
    ASSERT_TRUE(plain.Create("Sell", WS_CHILD | WS_VISIBLE, CRect(20, 80, 20 + kWidth, 80 + kHeight), &m_parent,
                             IDC_SPLIT));
    plain.RegisterParentDlg(&m_parent);
    m_observer = [&plain]() { return plain.m_nSelectedCommand; };
    m_script.Clear();
    Click(plain, kArrowPart);
    ASSERT_EQ(1u, Commands().size());
    EXPECT_EQ(COrvoSplitButton::SPLIT_MAIN_COMMAND, Commands()[0].nObserved);
    plain.SetFocus();
    PressKey(VK_SPACE);
    EXPECT_EQ(0u, m_script.Count("menu"));
}

TEST_F(SplitButtonTest, DownReachesTheButtonInsideADialog)
{
    CDialog dlg;   // a real dialog of the test host's resources, its "Apply" button made a split button
    ASSERT_TRUE(dlg.Create(9001, &m_frame));
    dlg.ShowWindow(SW_SHOW);
    COrvoSplitButton button;
    ASSERT_TRUE(button.SubclassDlgItem(1003, &dlg));
    button.m_menu.AppendMenu(MF_STRING, ID_BUY_LIMIT, "Buy limit");
    dlg.SetForegroundWindow();
    button.SetFocus();
    Pump();
    m_script.m_menuAnswers = { ID_BUY_LIMIT };
    PressKey(VK_DOWN);
    EXPECT_EQ(1u, m_script.Count("menu"));
    EXPECT_EQ(button.GetSafeHwnd(), ::GetFocus());
    EXPECT_EQ(ID_BUY_LIMIT, button.m_nSelectedCommand);
    button.UnsubclassWindow();
    dlg.DestroyWindow();
}

TEST_F(SplitButtonTest, DraggingOffWhilePressedReleasesWithoutACommand)
{
    MouseDown(m_button, kMainPart);
    EXPECT_EQ(1, m_button.m_bPressed);
    EXPECT_EQ(m_button.GetSafeHwnd(), ::GetCapture());
    MouseMoveTo(m_button, CPoint(kWidth + 40, kHeight + 40));
    EXPECT_EQ(0, m_button.m_bPressed);
    EXPECT_EQ(nullptr, ::GetCapture());
    MouseUp();
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(0, m_button.m_nSelectedCommand);
}

TEST_F(SplitButtonTest, MenuItemOperationsShowInTheMenuAndCollectTheirResults)
{
    EXPECT_EQ((int)MF_ENABLED, m_button.EnableMenuItem(ID_BUY_STOP, "ignored", MF_BYCOMMAND | MF_GRAYED));
    m_button.ChangeMenuFlags(ID_BUY_MARKET, MF_BYCOMMAND | MF_CHECKED);
    EXPECT_NE(0, m_button.RemoveMenuItem(ID_BUY_LIMIT, "", MF_BYCOMMAND));
    Click(m_button, kArrowPart);
    ASSERT_EQ(1u, m_script.Count("menu"));
    const CModalRecord& menu = m_script.m_records.back();
    EXPECT_TRUE(menu.type & TPM_RETURNCMD);
    CRect rcWindow;   // below the button
    m_button.GetWindowRect(&rcWindow);
    EXPECT_EQ(CPoint(rcWindow.left, rcWindow.bottom), CPoint(menu.pt));
    const std::vector<CModalMenuItem>& items = menu.menu;
    ASSERT_EQ(2u, items.size());
    EXPECT_EQ((UINT)ID_BUY_STOP, items[0].id);
    EXPECT_STREQ("Buy &stop", items[0].text);
    EXPECT_TRUE(items[0].state & MF_GRAYED);
    EXPECT_TRUE(items[1].state & MF_CHECKED);
    EXPECT_EQ(1, m_button.m_nMenuResult);   // 0 from the enabling, 1 from the removal
    // An item that does not exist: -1 from the platform, and it taints the collected flags.
    EXPECT_EQ(0, m_button.RemoveMenuItem(9999, "", MF_BYCOMMAND));
    EXPECT_EQ(-1, m_button.EnableMenuItem(9999, "", MF_BYCOMMAND | MF_ENABLED));
    EXPECT_EQ(-1, m_button.m_nMenuResult);
}

// The fault: deleted from a timer, a message the menu loop dispatched or a host callback while
// its menu was open, the button stored the choice into freed memory and read it back.
TEST_F(SplitButtonTest, ButtonDeletedWhileItsMenuIsOpenOrOnItsCommandIsNotTouchedAgain)
{
    using CGoneButton = CQuarantined<COrvoSplitButton>;
    enum { BY_CLICK, BY_KEY, ON_COMMAND };
    for (int nWhen : { BY_CLICK, BY_KEY, ON_COMMAND })
    {
        SCOPED_TRACE(nWhen == BY_KEY ? "menu opened by the Down key" : nWhen == BY_CLICK ? "menu opened by a click"
                                                                                       : "by the owner on its command");
        const bool bByKey = nWhen == BY_KEY;
        CGoneButton* pButton = new CGoneButton;
        ASSERT_TRUE(pButton->Create("Buy", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(20, 80, 140, 110), &m_parent,
                                    1200));
        pButton->m_menu.AppendMenu(MF_STRING, ID_BUY_LIMIT, "Buy limit");
        pButton->RegisterParentDlg(&m_parent);
        const HWND hButton = pButton->m_hWnd;
        CMenuTimeScript script;
        script.m_menuAnswers = { ID_BUY_LIMIT };
        auto destroy = [&pButton] {
            delete pButton;
            pButton = nullptr;
        };
        (nWhen == ON_COMMAND ? m_onCommand : script.m_whileOpen) = destroy;
        CModalScriptScope scope(&script);
        m_observer = nullptr;
        m_received.clear();
        if (bByKey)
        {
            pButton->SetFocus();
            PressKey(VK_DOWN);
        }
        else
        {
            Click(*pButton, CPoint(120 - 6, 15));
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

TEST_F(SplitButtonTest, FaceShowsTheArrowSeparatorFocusAndPressedLook)
{
    HBITMAP hNormal = Render(m_button);
    ASSERT_NE(nullptr, hNormal);
    const COLORREF crText = ::GetSysColor(COLOR_WINDOWTEXT);
    // Arrow: apex two below the centre of the 16-pixel part, rows of 1, 3, 5, 7 pixels going up.
    const int xCentre = kWidth - 8, yApex = kHeight / 2 + 2;
    EXPECT_EQ(crText, Pixel(hNormal, xCentre, yApex));
    EXPECT_NE(crText, Pixel(hNormal, xCentre - 1, yApex));
    EXPECT_EQ(crText, Pixel(hNormal, xCentre - 3, yApex - 3));
    EXPECT_EQ(crText, Pixel(hNormal, xCentre + 3, yApex - 3));
    EXPECT_EQ(16, CountColour(hNormal, CRect(xCentre - 4, yApex - 4, xCentre + 5, yApex + 2), crText));
    // Separator: shadow line then highlight line, 16 pixels left of the inner right edge.
    const int xSep = kWidth - 2 - 16;
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), Pixel(hNormal, xSep, kHeight / 2));
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), Pixel(hNormal, xSep + 1, kHeight / 2));
    EXPECT_NE(RGB(0, 0, 0), Pixel(hNormal, 0, 0));   // not pressed: the raised frame
    // The focus rectangle: dotted, 4 pixels inside the face, short of the arrow part.
    auto focusDots = [this](HBITMAP hBitmap) {
        int n = 0;
        for (int x = 6; x < kWidth - 16 - 6; x++)
            n += Pixel(hBitmap, x, 4) != ::GetSysColor(COLOR_BTNFACE) ? 1 : 0;
        return n;
    };
    EXPECT_EQ(0, focusDots(hNormal));
    m_button.SetFocus();
    HBITMAP hFocused = Render(m_button);
    EXPECT_GT(focusDots(hFocused), 20);
    // Pressed: framed in black, the arrow one pixel right and down.
    MouseDown(m_button, kMainPart);
    HBITMAP hPressed = Render(m_button);
    EXPECT_EQ(RGB(0, 0, 0), Pixel(hPressed, 0, 0));
    EXPECT_EQ(RGB(0, 0, 0), Pixel(hPressed, kWidth - 1, kHeight - 1));
    EXPECT_EQ(crText, Pixel(hPressed, xCentre + 1, yApex + 1));
    MouseMoveTo(m_button, CPoint(kWidth + 40, kHeight + 40));
    MouseUp();
    m_button.EnableWindow(FALSE);
    HBITMAP hDisabled = Render(m_button);
    EXPECT_EQ(::GetSysColor(COLOR_GRAYTEXT), Pixel(hDisabled, xCentre, yApex));
    for (HBITMAP h : { hNormal, hFocused, hPressed, hDisabled })
        ::DeleteObject(h);
}

TEST_F(SplitButtonTest, OpenMenuSinksTheArrowPart)
{
    HBITMAP hOpen = nullptr;
    CMenuTimeScript script;
    script.m_whileOpen = [&] { hOpen = Render(m_button); };
    CModalScriptScope scope(&script);
    Click(m_button, kArrowPart);
    ASSERT_NE(nullptr, hOpen);
    // The sunken edge: shadow on the top-left of the arrow part grown by one pixel.
    const int xLeft = kWidth - 16 - 1;
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), Pixel(hOpen, xLeft, kHeight / 2));
    HBITMAP hAfter = Render(m_button);
    EXPECT_NE(::GetSysColor(COLOR_BTNSHADOW), Pixel(hAfter, xLeft, kHeight / 2));
    ::DeleteObject(hOpen);
    ::DeleteObject(hAfter);
}
