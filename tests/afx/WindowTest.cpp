// The windowed framework driven through real windows: message maps and reflection, subclassing,
// dialogs from templates with data exchange, pre-translation, the modal seam, temporary
// wrappers, resources and the clipboard.
#include "TestHost.h"

#include <string>
#include <vector>

namespace
{
std::vector<std::string> g_events;
using Events = std::vector<std::string>;

// A child control that handles some of its own notifications.
class CReflectingChild : public CWnd
{
public:
    afx_msg void OnClickReflect(NMHDR* pNMHDR, LRESULT* pResult)
    {
        g_events.push_back("child click " + std::to_string(pNMHDR->idFrom));
        *pResult = 7;
    }
    afx_msg BOOL OnReturnReflectEx(NMHDR*, LRESULT*)
    {
        g_events.push_back("child return (declines)");
        return FALSE;
    }
    afx_msg BOOL OnChangeReflectEx()
    {
        g_events.push_back("child change");
        return TRUE;
    }
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor)
    {
        g_events.push_back("child ctlcolor " + std::to_string(nCtlColor));
        pDC->SetTextColor(RGB(255, 0, 0));
        return m_brush;
    }
    CBrush m_brush{ RGB(1, 2, 3) };
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingChild, CWnd)
    ON_NOTIFY_REFLECT(NM_CLICK, OnClickReflect)
    ON_NOTIFY_REFLECT_EX(NM_RETURN, OnReturnReflectEx)
    ON_CONTROL_REFLECT_EX(EN_CHANGE, OnChangeReflectEx)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class CRecordingParent : public CWnd
{
public:
    afx_msg void OnChildClick(NMHDR*, LRESULT*) { g_events.push_back("parent click"); }
    afx_msg void OnChildDblClk(NMHDR*, LRESULT* pResult)
    {
        g_events.push_back("parent dblclk");
        *pResult = 42;
    }
    afx_msg void OnChildReturn(NMHDR*, LRESULT*) { g_events.push_back("parent return"); }
    afx_msg void OnChildChange() { g_events.push_back("parent change"); }
    afx_msg void OnChildSetFocus() { g_events.push_back("parent setfocus"); }
    afx_msg void OnMenuRange(UINT nID) { g_events.push_back("command " + std::to_string(nID)); }
    afx_msg LRESULT OnPrivate(WPARAM wParam, LPARAM lParam)
    {
        g_events.push_back("private " + std::to_string(wParam) + "," + std::to_string(lParam));
        return 99;
    }
    afx_msg LRESULT OnRegistered(WPARAM, LPARAM) { return 1234; }
    afx_msg void OnTimer(UINT_PTR nIDEvent) { g_events.push_back("timer " + std::to_string(nIDEvent)); }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message != WM_KEYDOWN)
            return FALSE;
        g_events.push_back("parent pretranslate " + std::to_string(pMsg->wParam));
        return pMsg->wParam == VK_F5;   // F5 is eaten here; other keys go on
    }
    static UINT s_nRegistered;
    DECLARE_MESSAGE_MAP()
};

UINT CRecordingParent::s_nRegistered = ::RegisterWindowMessageA("ControlsTestRegistered");

BEGIN_MESSAGE_MAP(CRecordingParent, CWnd)
    ON_NOTIFY(NM_CLICK, 100, OnChildClick)
    ON_NOTIFY(NM_DBLCLK, 100, OnChildDblClk)
    ON_NOTIFY(NM_RETURN, 100, OnChildReturn)
    ON_CONTROL(EN_CHANGE, 100, OnChildChange)
    ON_CONTROL(EN_SETFOCUS, 100, OnChildSetFocus)
    ON_COMMAND_RANGE(500, 510, OnMenuRange)
    ON_MESSAGE(WM_USER + 123, OnPrivate)
    ON_REGISTERED_MESSAGE(CRecordingParent::s_nRegistered, OnRegistered)
    ON_WM_TIMER()
END_MESSAGE_MAP()

class CKeyChild : public CWnd
{
public:
    afx_msg void OnKeyDown(UINT nChar, UINT, UINT) { g_events.push_back("child keydown " + std::to_string(nChar)); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CKeyChild, CWnd)
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

class CExchangeDialog : public CDialog
{
public:
    CExchangeDialog() : CDialog(9001) {}
    CString m_name = "initial";
    int m_count = 3;
    CWnd m_nameEdit;
    afx_msg void OnApply() { g_events.push_back("apply"); }
protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, 1001, m_nameEdit);
        DDX_Text(pDX, 1001, m_name);
        DDX_Text(pDX, 1002, m_count);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CExchangeDialog, CDialog)
    ON_BN_CLICKED(1003, OnApply)
END_MESSAGE_MAP()

class WindowTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        g_events.clear();
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, "parent", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &m_frame, 10));
        ASSERT_TRUE(m_child.CreateEx(0, nullptr, "child", WS_CHILD | WS_VISIBLE, CRect(5, 5, 100, 50), &m_parent, 100));
    }
    CRecordingParent m_parent;
    CReflectingChild m_child;
};
}  // namespace

TEST_F(WindowTest, NotificationsGoToTheChildsReflectedHandlerFirstThenToTheParent)
{
    // (Planted fault: a control never gets the first chance at its own WM_COMMAND notification.)
    struct Case { UINT message; UINT code; LRESULT result; Events events; } cases[] = {
        { WM_NOTIFY, NM_CLICK, 7, { "child click 100" } },
        { WM_NOTIFY, NM_DBLCLK, 42, { "parent dblclk" } },
        { WM_NOTIFY, NM_RETURN, 0, { "child return (declines)", "parent return" } },
        { WM_COMMAND, EN_CHANGE, 0, { "child change" } },
        { WM_COMMAND, EN_SETFOCUS, 0, { "parent setfocus" } },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.code);
        g_events.clear();
        NMHDR hdr = { m_child.m_hWnd, 100, c.code };
        LRESULT result = c.message == WM_NOTIFY ? m_parent.SendMessage(WM_NOTIFY, 100, (LPARAM)&hdr)
                                                : m_parent.SendMessage(WM_COMMAND, MAKEWPARAM(100, c.code), (LPARAM)m_child.m_hWnd);
        EXPECT_EQ(c.result, result);
        EXPECT_EQ(c.events, g_events);
    }

    g_events.clear();
    CClientDC dc(&m_child);
    EXPECT_EQ((LRESULT)(HBRUSH)m_child.m_brush, m_parent.SendMessage(WM_CTLCOLOREDIT, (WPARAM)dc.m_hDC, (LPARAM)m_child.m_hWnd));
    EXPECT_EQ(RGB(255, 0, 0), ::GetTextColor(dc.m_hDC));
    m_parent.SendMessage(WM_COMMAND, MAKEWPARAM(505, 0), 0);
    m_parent.SendMessage(WM_COMMAND, MAKEWPARAM(511, 0), 0);   // outside the range: nothing
    EXPECT_EQ(99, m_parent.SendMessage(WM_USER + 123, 3, 4));
    EXPECT_EQ(1234, m_parent.SendMessage(CRecordingParent::s_nRegistered, 0, 0));
    m_parent.SendMessage(WM_TIMER, 4000, 0);
    EXPECT_EQ(Events({ "child ctlcolor 1", "command 505", "private 3,4", "timer 4000" }), g_events);
}

TEST_F(WindowTest, PreTranslateMessageWalksFromTheTargetUpToItsTopLevelWindow)
{
    CKeyChild key;
    ASSERT_TRUE(key.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &m_parent, 101));
    ::PostMessageA(key.m_hWnd, WM_KEYDOWN, VK_F5, 0);
    ::PostMessageA(key.m_hWnd, WM_KEYDOWN, 'A', 0);
    AfxPumpPendingMessages();
    EXPECT_EQ(Events({ "parent pretranslate 116", "parent pretranslate 65", "child keydown 65" }), g_events);
}

TEST_F(WindowTest, SubclassedControlsReflectUntilUnsubclassedAndWrappersLetGoOfTheirWindows)
{
    HWND hEdit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 60, 100, 20, m_parent.m_hWnd,
                                   (HMENU)100, nullptr, nullptr);
    HWND hChild = m_child.m_hWnd;
    m_child.DestroyWindow();
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hChild));
    CReflectingChild edit;
    ASSERT_TRUE(edit.SubclassDlgItem(100, &m_parent));
    EXPECT_FALSE(CWnd().SubclassWindow(hEdit));   // already owned by another object
    ::SendMessageA(hEdit, WM_CHAR, 'x', 0);
    EXPECT_EQ(hEdit, edit.UnsubclassWindow());
    ::SendMessageA(hEdit, WM_CHAR, 'y', 0);
    EXPECT_EQ(Events({ "child change", "parent change" }), g_events);

    // A temporary wrapper goes with the temporary maps; its window stays.
    CWnd* pTemp = m_parent.GetDlgItem(100);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hEdit));
    EXPECT_EQ(pTemp, CWnd::FromHandle(hEdit));
    AfxDeleteTempMaps();
    EXPECT_TRUE(::IsWindow(hEdit));
}

TEST_F(WindowTest, DialogsFromTemplatesExchangeDataAndUnansweredModalsCancel)
{
    CExchangeDialog dlg;
    ASSERT_TRUE(dlg.Create(9001, &m_frame));
    CString text;
    dlg.GetDlgItemText(1001, text);
    EXPECT_STREQ("initial", text);
    EXPECT_EQ(dlg.GetDlgItem(1001), &dlg.m_nameEdit);
    dlg.SetDlgItemText(1001, "typed");
    dlg.SetDlgItemText(1002, "12");
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_STREQ("typed", dlg.m_name);
    EXPECT_EQ(12, dlg.m_count);
    // A number field that does not hold a number fails the exchange with a message.
    dlg.SetDlgItemText(1002, "12x");
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ(1u, m_script.Count("message"));
    EXPECT_EQ(12, dlg.m_count);
    ::SendMessageA(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(1003, BN_CLICKED), (LPARAM)::GetDlgItem(dlg.m_hWnd, 1003));
    EXPECT_EQ(Events({ "apply" }), g_events);

    // Unanswered, a modal dialog is cancelled rather than left waiting.
    EXPECT_EQ(IDCANCEL, CExchangeDialog().DoModal());
}

// The seam answers as the platform would: a menu choice arrives as a posted command, TPM_RETURNCMD
// returns it and posts nothing; a file dialog's answer is split into name and extension.
TEST_F(WindowTest, MenuChoicesArePostedAndFileDialogAnswersSplit)
{
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, 501, "&Copy");
    menu.AppendMenu(MF_STRING | MF_GRAYED | MF_CHECKED, 502, "Grid Lines");
    m_script.m_menuAnswers = { 501, 502 };
    EXPECT_TRUE(menu.TrackPopupMenu(TPM_LEFTALIGN, 10, 10, &m_parent));
    EXPECT_EQ((UINT)(MF_GRAYED | MF_CHECKED), m_script.m_records.back().menu.at(1).state & (MF_GRAYED | MF_CHECKED));
    EXPECT_TRUE(g_events.empty());
    AfxPumpPendingMessages();
    EXPECT_EQ(502, menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &m_parent));
    AfxPumpPendingMessages();
    EXPECT_EQ(Events({ "command 501" }), g_events);

    CFileDialog save(FALSE, "csv", "grid.csv", OFN_OVERWRITEPROMPT, "CSV files (*.csv)|*.csv||");
    m_script.m_commonAnswers.push_back([](CCommonDialog* pDlg) -> INT_PTR {
        static_cast<CFileDialog*>(pDlg)->m_strPathName = "C:\\exports\\grid.csv";
        return IDOK;
    });
    EXPECT_EQ(IDOK, save.DoModal());
    EXPECT_STREQ("grid.csv", save.GetFileName());
    EXPECT_STREQ("csv", save.GetFileExt());
}

// Integer resource ids (MAKEINTRESOURCE) where a text is expected: a CString loads the string
// with that id along the resource chain, and dialogs take the id as their template.
TEST_F(WindowTest, ResourcesAreFoundInTheHostAndMissingOnesLeaveNothing)
{
    EXPECT_EQ(::GetModuleHandleA(nullptr), AfxFindResourceHandle(MAKEINTRESOURCE(9001), RT_DIALOG));
    EXPECT_EQ(nullptr, AfxFindResourceHandle(MAKEINTRESOURCE(31999), RT_DIALOG));
    CExchangeDialog missing;
    EXPECT_FALSE(missing.Create(31999, &m_frame));
    EXPECT_EQ(nullptr, missing.m_hWnd);

    EXPECT_STREQ("Loaded from the host's string table", CString(MAKEINTRESOURCE(9002)));
    CString text("kept");
    text = MAKEINTRESOURCE(9003);
    EXPECT_STREQ("Second", text);
    text = MAKEINTRESOURCE(31999);
    EXPECT_TRUE(text.IsEmpty());
    text = "kept";
    EXPECT_FALSE(text.LoadString(31999));
    EXPECT_TRUE(text.IsEmpty());

    CDialog dlg(MAKEINTRESOURCE(9001), &m_frame);
    ASSERT_TRUE(dlg.Create(MAKEINTRESOURCE(9001), &m_frame));
    dlg.GetWindowText(text);
    EXPECT_STREQ("Exchange test", text);
    dlg.DestroyWindow();
}

TEST_F(WindowTest, ClipboardWithoutTextReadsAsNothing)
{
    CString text;
    ASSERT_TRUE(::OpenClipboard(m_frame.m_hWnd));
    ::EmptyClipboard();
    ::SetClipboardData(CF_DIB, ::GlobalAlloc(GMEM_MOVEABLE, 4));
    ::CloseClipboard();
    text = "stale";
    EXPECT_FALSE(AfxGetClipboardText(m_frame.m_hWnd, text));
    EXPECT_TRUE(text.IsEmpty());
}
