// The edit-box test fixture.
#include "EditorTest.h"

namespace
{
HHOOK g_hHook = nullptr;

LRESULT CALLBACK RecordBalloons(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION)
    {
        const CWPSTRUCT* p = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (p->message == EM_SHOWBALLOONTIP && p->lParam != 0)
        {
            const EDITBALLOONTIP* tip = reinterpret_cast<const EDITBALLOONTIP*>(p->lParam);
            sBalloon b;
            b.hWnd = p->hwnd;
            b.title = tip->pszTitle ? tip->pszTitle : L"";
            b.text = tip->pszText ? tip->pszText : L"";
            b.icon = tip->ttiIcon;
            EXPECT_EQ(sizeof(EDITBALLOONTIP), tip->cbStruct);
            EditorTest::Balloons().push_back(b);
        }
    }
    return ::CallNextHookEx(g_hHook, nCode, wParam, lParam);
}
}  // namespace

std::vector<sBalloon>& EditorTest::Balloons()
{
    static std::vector<sBalloon> balloons;
    return balloons;
}

void EditorTest::SetUp()
{
    HostTest::SetUp();
    Balloons().clear();
    ASSERT_TRUE(m_parent.CreateRecorder(&m_frame, CRect(0, 0, 600, 400)));
    m_hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, RecordBalloons, nullptr, ::GetCurrentThreadId());
    g_hHook = m_hHook;
    ASSERT_NE(nullptr, m_hHook);
}

void EditorTest::TearDown()
{
    if (m_hHook != nullptr)
        ::UnhookWindowsHookEx(m_hHook);
    g_hHook = m_hHook = nullptr;
    if (m_parent.GetSafeHwnd() != nullptr)
        m_parent.DestroyWindow();
    HostTest::TearDown();
}

void EditorTest::CreateBox(CEdit& box, DWORD dwStyle, UINT nID)
{
    ASSERT_TRUE(box.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | dwStyle, CRect(10, 10, 250, 34),
                           &m_parent, nID));
}

CString EditorTest::Text(const CWnd& box) const
{
    CString strText;
    box.GetWindowText(strText);
    return strText;
}

void EditorTest::Type(CWnd& box, const char* pszKeys)
{
    for (const char* p = pszKeys; *p != '\0'; p++)
        box.SendMessage(WM_CHAR, (WPARAM)(unsigned char)*p, 1);
}

std::pair<int, int> EditorTest::Selection(const CEdit& box) const
{
    int nStart = -1;
    int nEnd = -1;
    box.GetSel(nStart, nEnd);
    return { nStart, nEnd };
}
