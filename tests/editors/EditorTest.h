// Shared fixture of the edit-box tests: a parent that records the notifications it receives, a
// thread hook that records every EM_SHOWBALLOONTIP sent on the thread (title, text, icon), typing,
// the real clipboard, and one check of the balloon-and-beep reports a box gave.
#pragma once

#include "TestHost.h"
#include "TestSupport.h"

#include <string>
#include <vector>

struct sBalloon { HWND hWnd; std::wstring title, text; int icon; };

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
    static void Caret(CEdit& box, int nPos) { box.SetSel(nPos, nPos); }
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
    size_t Updates() const { return m_parent.Count(WM_COMMAND, EN_UPDATE); }
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
