// The editable list's editor against everything that moves rows under it: the wheel, the host
// scrolling or bringing a row into view, and the auto-sort tick. The typed value must land in the
// row the editor was opened on, and never be taken half typed.
#include "CellEditTest.h"

#include "lists/gxEditCell.h"
#include "lists/gxListCtrl.h"

#include <functional>

namespace
{
class CScrollHost : public CMessageRecorder
{
public:
    int OnColumnUpdate(int nColumn, CString csText)
    {
        m_calls.push_back(std::to_string(nColumn) + ":" + (LPCTSTR)csText);
        return 1;
    }
    std::vector<std::string> m_calls;
};
}  // namespace

class EditableListScrollTest : public CellEditTest
{
protected:
    void SetUp() override
    {
        CellEditTest::SetUp();
        ASSERT_TRUE(m_host.CreateRecorder(&m_frame, CRect(0, 0, 500, 300)));
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 400, 200), &m_host, 55));
        m_list.InsertColumn(0, "Qty", LVCFMT_LEFT, 80, 0);
        m_list.InsertColumn(1, "Price", LVCFMT_RIGHT, 90, 1);
        for (int i = 0; i < 60; ++i)
        {
            m_list.InsertItem(i, std::to_string(100 + i).c_str());
            m_list.SetItemText(i, 1, std::to_string(10 * i).c_str());
        }
        m_list.m_arrEditableColumns.Add(1);
        m_list.SetCallbackForColUpdate(
            static_cast<gxListCtrl::PFN_COLUMN_UPDATE_CALLBACK>(&CScrollHost::OnColumnUpdate));
        m_host.m_bRecordReflected = true;
        m_host.Clear();
    }
    void TearDown() override
    {
        m_list.DestroyWindow();
        m_host.DestroyWindow();
        CellEditTest::TearDown();
    }
    void OpenEditor(int nRow)
    {
        CRect rc;
        m_list.GetSubItemRect(nRow, 1, LVIR_BOUNDS, rc);
        const LPARAM lParam = MAKELPARAM(rc.CenterPoint().x, rc.CenterPoint().y);
        m_list.PostMessage(WM_LBUTTONUP, 0, lParam);
        m_list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lParam);
        AfxPumpPendingMessages();
    }
    HWND Editor() const { return ::GetDlgItem(m_list.m_hWnd, GX_EDIT_CELL_ID); }
    std::string Cell(int nRow) { return (LPCTSTR)m_list.CListCtrl::GetItemText(nRow, 1); }

    CScrollHost m_host;
    gxListCtrl m_list;
};

TEST_F(EditableListScrollTest, AnyScrollEndsTheEditInTheRowItWasOpenedOn)
{
    struct Case
    {
        const char* name;
        std::function<void()> scroll;
    };
    const Case cases[] = {
        // The wheel reaches the list with the pointer over it (a single-line editor with the focus
        // passes it up too, on Windows).
        { "mouse wheel",
          [this] { m_list.PostMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(-3 * WHEEL_DELTA)), MAKELPARAM(100, 100)); } },
        { "the host's Scroll", [this] { m_list.Scroll(CSize(0, 200)); } },
        { "the host's EnsureVisible", [this] { m_list.EnsureVisible(50, FALSE); } },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        m_list.EnsureVisible(0, FALSE);
        OpenEditor(2);
        ASSERT_NE(nullptr, Editor());
        Type(Editor(), "77");
        m_host.m_calls.clear();
        c.scroll();
        AfxPumpPendingMessages();
        EXPECT_EQ(nullptr, Editor());
        EXPECT_GT(m_list.GetTopIndex(), 0);   // the list did scroll
        EXPECT_TRUE(SameSequence(m_host.m_calls, { "1:77" }));
        EXPECT_EQ("77", Cell(2));
        m_list.SetItemText(2, 1, "20");
    }
    // A row already in view scrolls nothing and leaves the edit open.
    m_list.EnsureVisible(0, FALSE);
    OpenEditor(2);
    m_list.EnsureVisible(3, FALSE);
    EXPECT_NE(nullptr, Editor());
}

TEST_F(EditableListScrollTest, AutoSortWaitsWhileTheEditorIsOpen)
{
    m_list.m_bAutoSort = true;
    OpenEditor(4);
    ASSERT_NE(nullptr, Editor());
    Type(Editor(), "5");
    m_host.m_calls.clear();
    m_list.SendMessage(WM_TIMER, LIST_AUTOSORT_TIMER);
    AfxPumpPendingMessages();
    ASSERT_NE(nullptr, Editor());
    EXPECT_EQ("5", Text(Editor()));
    EXPECT_TRUE(m_host.m_calls.empty());
    PressKey(Editor(), VK_RETURN);
    EXPECT_TRUE(SameSequence(m_host.m_calls, { "1:5" }));
    EXPECT_EQ("5", Cell(4));
}
