// Shared fixture of the edit-box tests: a parent that records the notifications it receives, a
// thread hook that records every EM_SHOWBALLOONTIP sent on the thread (title, text, icon), typing,
// every route of the real clipboard into a box, and one check of the balloon-and-beep reports.
#pragma once

#include "TestHost.h"
#include "TestSupport.h"

#include <string>
#include <vector>

struct sBalloon { HWND hWnd; std::wstring title, text; int icon; };

// WM_PASTE as a host sends it, Ctrl+V, Shift+Insert (which Wine's edit control carries out without
// WM_PASTE) and Paste on the right-button context menu.
enum class Route { Message, CtrlV, ShiftInsert, RightClick };
const Route kRoutes[] = { Route::Message, Route::CtrlV, Route::ShiftInsert, Route::RightClick };
const char* const kRouteNames[] = { "WM_PASTE", "Ctrl+V", "Shift+Insert", "right-click Paste" };

class EditorTest : public HostTest
{
protected:
    static std::vector<sBalloon>& Balloons()
    {
        static std::vector<sBalloon> balloons;
        return balloons;
    }
    static LRESULT CALLBACK RecordBalloons(int nCode, WPARAM wParam, LPARAM lParam)
    {
        const CWPSTRUCT* p = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (nCode == HC_ACTION && p->message == EM_SHOWBALLOONTIP && p->lParam != 0)
        {
            const EDITBALLOONTIP* tip = reinterpret_cast<const EDITBALLOONTIP*>(p->lParam);
            EXPECT_EQ(sizeof(EDITBALLOONTIP), tip->cbStruct);
            Balloons().push_back({ p->hwnd, tip->pszTitle ? tip->pszTitle : L"", tip->pszText ? tip->pszText : L"",
                                   tip->ttiIcon });
        }
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
    void SetUp() override
    {
        HostTest::SetUp();
        Balloons().clear();
        ASSERT_TRUE(m_parent.CreateRecorder(&m_frame, CRect(0, 0, 600, 400)));
        m_hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, RecordBalloons, nullptr, ::GetCurrentThreadId());
        ASSERT_NE(nullptr, m_hHook);
    }
    void TearDown() override
    {
        ::UnhookWindowsHookEx(m_hHook);
        MSG msg;   // nothing typed for one test may stay queued for the next
        while (::PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE))
        {
        }
        if (m_parent.GetSafeHwnd() != nullptr)
            m_parent.DestroyWindow();
        HostTest::TearDown();
    }
    void CreateBox(CEdit& box, DWORD dwStyle = 0, UINT nID = 1001)
    {
        ASSERT_TRUE(box.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | dwStyle, CRect(10, 10, 250, 34),
                               &m_parent, nID));
    }
    static CString Text(const CWnd& box)
    {
        CString strText;
        box.GetWindowText(strText);
        return strText;
    }
    // WM_CHAR for each byte as typed, 128 and above included.
    static void Type(CWnd& box, const char* pszKeys)
    {
        for (const char* p = pszKeys; *p != '\0'; p++)
            box.SendMessage(WM_CHAR, (WPARAM)(unsigned char)*p, 1);
    }
    static std::pair<int, int> Selection(const CEdit& box)
    {
        int nStart = -1, nEnd = -1;
        box.GetSel(nStart, nEnd);
        return { nStart, nEnd };
    }
    // Places text on the real clipboard as CF_TEXT; nullptr empties it.
    static void SetClipboard(const char* pszText)
    {
        ASSERT_TRUE(pszText != nullptr ? TestClipboard::SetText(pszText) : TestClipboard::Empty());
    }
    static void HoldKey(int nKey, bool bDown)
    {
        BYTE state[256];
        ::GetKeyboardState(state);
        state[nKey] = bDown ? 0x80 : 0;
        ::SetKeyboardState(state);
    }
    // Pastes the clipboard into the box the way a user or host does it.
    void PasteBy(CEdit& box, Route route)
    {
        switch (route)
        {
        case Route::Message:
            box.SendMessage(WM_PASTE);
            break;
        case Route::CtrlV:
            HoldKey(VK_CONTROL, true);
            box.SendMessage(WM_KEYDOWN, 'V', 0x002F0001);
            box.SendMessage(WM_CHAR, 0x16, 0x002F0001);
            box.SendMessage(WM_KEYUP, 'V', 0xC02F0001);
            HoldKey(VK_CONTROL, false);
            break;
        case Route::ShiftInsert:
            HoldKey(VK_SHIFT, true);
            box.SendMessage(WM_KEYDOWN, VK_INSERT, 0x01520001);
            box.SendMessage(WM_KEYUP, VK_INSERT, 0xC1520001);
            HoldKey(VK_SHIFT, false);
            break;
        case Route::RightClick:
        {
            // A menu of the platform's own would run a modal loop here: the queued 'p' picks its
            // Paste, the Escape closes whatever is left, so the test never blocks. The box's own
            // menu goes through the modal script, which answers with the Paste command.
            ::PostMessageA(box.m_hWnd, WM_CHAR, 'p', 0x00190001);
            ::PostMessageA(box.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
            m_script.m_menuAnswers.push_back(WM_PASTE);
            box.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
            box.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
            MSG msg;
            while (::PeekMessageA(&msg, box.m_hWnd, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE))
            {
            }
            m_script.m_menuAnswers.clear();
            break;
        }
        }
    }
    // The command chosen on the box's own context menu.
    void Command(CEdit& box, UINT nCommand)
    {
        m_script.m_menuAnswers.push_back(nCommand);
        box.SendMessage(WM_CONTEXTMENU, (WPARAM)box.m_hWnd, MAKELPARAM(20, 20));
    }
    static void PressDelete(CEdit& box) { box.SendMessage(WM_KEYDOWN, VK_DELETE, 0x01530001); }
    size_t Beeps() const { return m_script.Count("beep"); }
    void Reset()
    {
        Balloons().clear();
        m_script.Clear();
    }
    // n reports so far (at least n, if bAtLeast), each the given balloon on the box with its
    // exclamation beep; then forgets them.
    void ExpectReports(const CWnd& box, size_t n, const wchar_t* pszTitle = L"", const wchar_t* pszText = L"",
                       bool bAtLeast = false)
    {
        EXPECT_TRUE(bAtLeast ? n <= Balloons().size() : n == Balloons().size()) << Balloons().size() << " reports";
        for (const sBalloon& b : Balloons())
        {
            EXPECT_EQ(box.GetSafeHwnd(), b.hWnd);
            EXPECT_EQ(pszTitle, b.title);
            EXPECT_EQ(pszText, b.text);
            EXPECT_EQ(TTI_ERROR, b.icon);
        }
        EXPECT_EQ(Balloons().size(), Beeps());
        for (const CModalRecord& r : m_script.m_records)
            if (r.kind == "beep") { EXPECT_EQ((UINT)MB_ICONEXCLAMATION, r.type); }
        Reset();
    }

    CMessageRecorder m_parent;
    HHOOK m_hHook = nullptr;
};
