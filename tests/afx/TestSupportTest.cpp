// The shared test support measures what other tests rely on: the leak counters must see objects
// come and go, and the recorder must see a real control's notification with its payload and let
// the test answer it.
#include "TestHost.h"
#include "TestSupport.h"

#include <vector>

class TestSupportTest : public HostTest
{
};

TEST_F(TestSupportTest, LeakCountersSeeObjectsComeAndGo)
{
    const int nGdi = TestLeaks::GdiObjects();
    std::vector<HBRUSH> brushes;
    for (int i = 0; i < 25; ++i)
        brushes.push_back(::CreateSolidBrush(RGB(i, 0, 0)));
    EXPECT_EQ(nGdi + 25, TestLeaks::GdiObjects());
    for (HBRUSH h : brushes)
        ::DeleteObject(h);
    EXPECT_EQ(nGdi, TestLeaks::GdiObjects());

    const int nWindows = TestLeaks::Windows();
    CWnd child;
    ASSERT_TRUE(child.CreateEx(0, "STATIC", "x", WS_CHILD, 0, 0, 5, 5, m_frame.m_hWnd, nullptr));
    EXPECT_EQ(nWindows + 1, TestLeaks::Windows());
    child.DestroyWindow();
    EXPECT_EQ(nWindows, TestLeaks::Windows());
}

TEST_F(TestSupportTest, RecorderSeesLabelEditWithPayloadAndItsAnswerVetoes)
{
    CMessageRecorder parent;
    ASSERT_TRUE(parent.CreateRecorder(&m_frame, CRect(0, 0, 300, 200)));
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_EDITLABELS, CRect(0, 0, 300, 200), &parent, 7));
    list.InsertColumn(0, "Name", LVCFMT_LEFT, 100);
    list.InsertItem(0, "first");
    parent.Clear();

    // Refuse the edit: the list must keep its text.
    parent.m_answer = [](const sRecordedMsg& r, LRESULT& lResult) {
        if (r.message != WM_NOTIFY || r.code != LVN_ENDLABELEDITA)
            return false;
        lResult = FALSE;
        return true;
    };
    list.SetFocus();
    HWND hEdit = (HWND)list.SendMessage(LVM_EDITLABELA, 0, 0);
    ASSERT_NE(nullptr, hEdit);
    ::SetWindowTextA(hEdit, "second");
    ::SendMessageA(hEdit, WM_KEYDOWN, VK_RETURN, 0);
    AfxPumpPendingMessages();

    std::vector<std::string> edits;
    for (const std::string& line : parent.Lines())
    {
        if (line.find("LABELEDIT") != std::string::npos)
            edits.push_back(line);
    }
    EXPECT_FALSE(SameSequence({ "a", "x" }, { "a", "b" }));
    EXPECT_TRUE(SameSequence(edits, { "notify 7 LVN_BEGINLABELEDIT item=0 sub=0 text=\"first\"",
                                      "notify 7 LVN_ENDLABELEDIT item=0 sub=0 text=\"second\"" }));
    EXPECT_EQ(CString("first"), list.GetItemText(0, 0));
}

TEST_F(TestSupportTest, ClipboardTextEndsAtItsFirstNulAndEmptyHasNone)
{
    ASSERT_TRUE(TestClipboard::SetText(std::string("ab\0cd", 5)));
    EXPECT_EQ("ab", TestClipboard::Text());   // CF_TEXT ends at the first NUL
    ASSERT_TRUE(TestClipboard::Empty());
    EXPECT_EQ("<none>", TestClipboard::Text());
}
