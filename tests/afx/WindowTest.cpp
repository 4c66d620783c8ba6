// The windowed framework through real windows where the controls' own tests would not show a
// fault: reflection order, the permanent map, subclassing, exchange and resource refusals, the
// clipboard without text, wrappers without a window, check-list checks. (The splitter's bars are
// dragged by the brick bar's tests.)
#include "TestHost.h"
#include "TestSupport.h"

#include <afxcmn.h>

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
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingChild, CWnd)
    ON_NOTIFY_REFLECT(NM_CLICK, OnClickReflect)
    ON_NOTIFY_REFLECT_EX(NM_RETURN, OnReturnReflectEx)
    ON_CONTROL_REFLECT_EX(EN_CHANGE, OnChangeReflectEx)
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
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordingParent, CWnd)
    ON_NOTIFY(NM_CLICK, 100, OnChildClick)
    ON_NOTIFY(NM_DBLCLK, 100, OnChildDblClk)
    ON_NOTIFY(NM_RETURN, 100, OnChildReturn)
    ON_CONTROL(EN_CHANGE, 100, OnChildChange)
    ON_CONTROL(EN_SETFOCUS, 100, OnChildSetFocus)
    ON_COMMAND_RANGE(500, 510, OnMenuRange)
END_MESSAGE_MAP()

class CExchangeDialog : public CDialog
{
public:
    CExchangeDialog() : CDialog(9001) {}
    int m_count = 3;
protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, 1002, m_count); }
};

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
    m_parent.SendMessage(WM_COMMAND, MAKEWPARAM(510, 0), 0);
    m_parent.SendMessage(WM_COMMAND, MAKEWPARAM(511, 0), 0);   // outside the range: nothing
    EXPECT_EQ(Events({ "command 510" }), g_events);
}

// The liveness checks of the controls rest on a destroyed window leaving the permanent map.
TEST_F(WindowTest, DestroyedWindowsLeaveTheMapAndOwnedWindowsAreNotSubclassedTwice)
{
    HWND hChild = m_child.m_hWnd;
    m_child.DestroyWindow();
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hChild));
    HWND hEdit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 60, 100, 20, m_parent.m_hWnd,
                                   (HMENU)100, nullptr, nullptr);
    CReflectingChild edit;
    ASSERT_TRUE(edit.SubclassDlgItem(100, &m_parent));
    EXPECT_FALSE(CWnd().SubclassWindow(hEdit));   // already owned by another object
    ::SendMessageA(hEdit, WM_CHAR, 'x', 0);
    EXPECT_EQ(Events({ "child change" }), g_events);
}

TEST_F(WindowTest, BadExchangesMissingResourcesAndClipboardsWithoutTextAreRefused)
{
    CExchangeDialog dlg;
    ASSERT_TRUE(dlg.Create(9001, &m_frame));
    dlg.SetDlgItemText(1002, "12");
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    // A number field that does not hold a number fails the exchange with a message.
    dlg.SetDlgItemText(1002, "12x");
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ(1u, m_script.Count("message"));
    EXPECT_EQ(12, dlg.m_count);

    EXPECT_EQ(nullptr, AfxFindResourceHandle(MAKEINTRESOURCE(31999), RT_DIALOG));
    CExchangeDialog missing;
    EXPECT_FALSE(missing.Create(31999, &m_frame));
    EXPECT_EQ(nullptr, missing.m_hWnd);
    CString text("kept");
    text = MAKEINTRESOURCE(9003);
    EXPECT_STREQ("Second", text);
    text = MAKEINTRESOURCE(31999);
    EXPECT_TRUE(text.IsEmpty());
    text = "kept";
    EXPECT_FALSE(text.LoadString(31999));
    EXPECT_TRUE(text.IsEmpty());

    ASSERT_TRUE(::OpenClipboard(m_frame.m_hWnd));
    ::EmptyClipboard();
    ::SetClipboardData(CF_DIB, ::GlobalAlloc(GMEM_MOVEABLE, 4));
    ::CloseClipboard();
    text = "stale";
    EXPECT_FALSE(AfxGetClipboardText(m_frame.m_hWnd, text));
    EXPECT_TRUE(text.IsEmpty());
}

// A wrapper without a window, or with a destroyed one, asserts in debug builds instead of
// answering 0 ("inserted at row 0", "no items").
TEST_F(WindowTest, WrappersWithoutAWindowAssertInDebugBuilds)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    CListCtrl list;
    EXPECT_DEBUG_DEATH(list.InsertItem(0, "row"), "IsWindow");
    CListBox box;
    ASSERT_TRUE(box.Create(WS_CHILD | LBS_NOTIFY, CRect(0, 0, 100, 80), &m_frame, 77));
    HWND hBox = box.m_hWnd;
    box.DestroyWindow();
    box.m_hWnd = hBox;   // a stale handle, as a wrapper kept past its window's end would hold
    EXPECT_DEBUG_DEATH(box.GetCount(), "IsWindow");
    box.m_hWnd = nullptr;
}

// The trend dialog clicks the boxes; here the library's own use: checks set on a filled list, then
// the list emptied and filled again (its columns change) must not keep a stale tick.
TEST_F(WindowTest, CheckListBoxChecksStayInRangeAndDoNotOutliveTheirEntries)
{
    CMessageRecorder parent;
    ASSERT_TRUE(parent.CreateRecorder(&m_frame, CRect(0, 0, 300, 300), 0));
    CCheckListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY, CRect(5, 5, 200, 200), &parent, 400));
    list.AddString("CC");
    list.AddString("MM");
    EXPECT_TRUE(list.SetCheck(1, 1));
    EXPECT_TRUE(list.GetCheck(0) == 0 && list.GetCheck(1) == 1);
    EXPECT_TRUE(list.GetCheck(2) == -1 && list.GetCheck(-1) == -1 && !list.SetCheck(2, 1));
    EXPECT_EQ(0u, parent.Count(WM_COMMAND, CLBN_CHKCHANGE));   // SetCheck tells nobody
    list.ResetContent();
    list.AddString("NEW");
    list.AddString("NEXT");
    EXPECT_TRUE(list.GetCheck(0) == 0 && list.GetCheck(1) == 0 && list.GetCheck(2) == -1);   // nothing left over
    list.DestroyWindow();
    parent.DestroyWindow();
}
