// The editable list: clicks open the number editor on editable columns, keys move it between rows,
// and the host's column-update callback decides whether an edit is stored. Whatever moves rows
// under an open editor, the typed value lands in the row it was opened on, never half typed.
#include "CellEditTest.h"

#include <functional>

#include "lists/gxEditCell.h"
#include "lists/gxListCtrl.h"

namespace
{
// The list's parent: records what reaches it and answers the list's callbacks.
class CEditHost : public CMessageRecorder
{
public:
    int OnColumnUpdate(int nColumn, CString csText)
    {
        m_calls.push_back(std::to_string(nColumn) + ":" + (LPCTSTR)csText);
        if (m_pListToDestroy != nullptr)
            m_pListToDestroy->DestroyWindow();
        return m_nAnswer;
    }
    int OnInsert(int nIndex)
    {
        m_calls.push_back("insert " + std::to_string(nIndex));
        return m_nAnswer;
    }
    std::vector<std::string> m_calls;
    int m_nAnswer = 1;
    CWnd* m_pListToDestroy = nullptr;
};
}  // namespace

class EditableListTest : public CellEditTest
{
protected:
    void SetUp() override
    {
        CellEditTest::SetUp();
        ASSERT_TRUE(m_host.CreateRecorder(&m_frame, CRect(0, 0, 500, 300)));
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 400, 200), &m_host, 55));
        m_list.InsertColumn(0, "Qty", LVCFMT_LEFT, 80, 0);
        m_list.InsertColumn(1, "Price", LVCFMT_RIGHT, 90, 1);
        m_list.InsertColumn(2, "Note", LVCFMT_LEFT, 120, 2);
        for (int i = 0; i < 12; ++i)
        {
            m_list.InsertItem(i, std::to_string(100 + i).c_str());
            m_list.SetItemText(i, 1, std::to_string(10 * i) .c_str());
            m_list.SetItemText(i, 2, "n");
        }
        m_list.m_arrEditableColumns.Add(0);
        m_list.m_arrEditableColumns.Add(1);
        m_list.SetCallbackForColUpdate(static_cast<gxListCtrl::PFN_COLUMN_UPDATE_CALLBACK>(&CEditHost::OnColumnUpdate));
        m_host.m_bRecordReflected = true;   // the list answers its editor's report itself
        m_host.Clear();
    }
    void TearDown() override
    {
        if (m_list.GetSafeHwnd() != nullptr)
            m_list.DestroyWindow();
        m_host.DestroyWindow();
        CellEditTest::TearDown();
    }
    void ClickCell(int nRow, int nColumn) { CellEditTest::ClickCell(m_list, nRow, nColumn); }
    HWND Editor() const { return ::GetDlgItem(m_list.m_hWnd, GX_EDIT_CELL_ID); }
    int Editors() const
    {
        int n = 0;
        for (HWND h = ::GetWindow(m_list.m_hWnd, GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT))
            n += ::GetDlgCtrlID(h) == GX_EDIT_CELL_ID;
        return n;
    }
    std::string Cell(int nRow, int nColumn) { return (LPCTSTR)m_list.CListCtrl::GetItemText(nRow, nColumn); }
    static std::string EndEdit(int nRow, int nColumn, const char* pszText) { return EndEditLine(1001, nRow, nColumn, pszText); }

    CEditHost m_host;
    gxListCtrl m_list;
};

TEST_F(EditableListTest, ClickOpensEditableCellsOnlyAndEnterStoresWhatTheCallbackAccepts)
{
    ClickCell(2, 2);
    EXPECT_EQ(0, Editors());
    ClickCell(2, 1);
    ASSERT_EQ(1, Editors());
    EXPECT_EQ(Editor(), ::GetFocus());
    EXPECT_EQ("20", Text(Editor()));
    CRect rcCell;
    m_list.GetSubItemRect(2, 1, LVIR_BOUNDS, rcCell);
    EXPECT_EQ(rcCell.left + 4, RectInParent(Editor()).left);
    PressKey(Editor(), VK_ESCAPE);
    m_host.Clear();
    m_host.m_calls.clear();

    ClickCell(1, 0);
    Type(Editor(), "7");
    PressKey(Editor(), VK_RETURN);
    EXPECT_EQ(0, Editors());
    EXPECT_TRUE(SameSequence(EndEdits(m_host), { EndEdit(1, 0, "7") }));
    EXPECT_TRUE(SameSequence(m_host.m_calls, { "0:7" }));
    EXPECT_EQ("7", Cell(1, 0));

    m_host.m_nAnswer = 0;   // refused
    ClickCell(1, 0);
    Type(Editor(), "8");
    m_list.SetFocus();      // a click elsewhere
    EXPECT_EQ("7", Cell(1, 0));

    m_list.SetCallbackForColUpdate(nullptr);   // no callback: never stored
    m_host.m_nAnswer = 1;
    ClickCell(1, 0);
    Type(Editor(), "9");
    PressKey(Editor(), VK_RETURN);
    EXPECT_EQ("7", Cell(1, 0));
    EXPECT_EQ(3u, EndEdits(m_host).size());

    m_host.Clear();   // Escape reports no text and leaves the cell
    ClickCell(3, 1);
    Type(Editor(), "55");
    PressKey(Editor(), VK_ESCAPE);
    EXPECT_EQ(0, Editors());
    EXPECT_TRUE(SameSequence(EndEdits(m_host), { EndEdit(3, 1, nullptr) }));
    EXPECT_EQ("30", Cell(3, 1));
}

TEST_F(EditableListTest, LettersBeepAndBadPastesChangeNothing)
{
    ClickCell(0, 0);
    HWND hEdit = Editor();
    ::SendMessageA(hEdit, EM_SETSEL, 3, 3);
    Type(hEdit, "a");
    EXPECT_EQ("100", Text(hEdit));
    EXPECT_EQ(1u, m_script.Count("beep"));
    Type(hEdit, "-1.5");
    EXPECT_EQ("100-1.5", Text(hEdit));   // the accepted characters, not a number check

    ASSERT_TRUE(TestClipboard::SetText("12a"));
    Type(hEdit, "\x16");                          // Ctrl+V
    ::SendMessageA(hEdit, WM_PASTE, 0, 0);         // the edit's own menu
    ::SendMessageA(hEdit, EM_REPLACESEL, TRUE, (LPARAM) "q");   // any other road
    EXPECT_EQ("100-1.5", Text(hEdit));
    ASSERT_TRUE(TestClipboard::SetText("12"));
    Type(hEdit, "\x16");
    EXPECT_EQ("100-1.512", Text(hEdit));
}

TEST_F(EditableListTest, ArrowAndPageKeysMoveTheEditorAlongTheColumn)
{
    ClickCell(0, 1);
    PressKey(Editor(), VK_UP);   // row 0: stays
    EXPECT_EQ(1, Editors());
    EXPECT_TRUE(EndEdits(m_host).empty());

    Type(Editor(), "5");
    PressKey(Editor(), VK_DOWN);
    ASSERT_EQ(1, Editors());
    EXPECT_EQ("10", Text(Editor()));   // now over row 1
    EXPECT_TRUE(SameSequence(EndEdits(m_host), { EndEdit(0, 1, "5") }));

    PressKey(Editor(), VK_END, true);
    EXPECT_EQ("110", Text(Editor()));  // the last row
    PressKey(Editor(), VK_HOME, true);
    EXPECT_EQ("5", Text(Editor()));    // row 0, with its stored edit
    PostKeyUp(Editor(), VK_NEXT);
    const int nPage = m_list.GetCountPerPage();
    EXPECT_EQ(std::to_string(10 * (nPage < 11 ? nPage : 11)), Text(Editor()));   // at most the last row
    PostKeyUp(Editor(), VK_PRIOR);
    EXPECT_EQ("5", Text(Editor()));
    EXPECT_EQ(1, Editors());
}

TEST_F(EditableListTest, DeletingRowsOrTheListUnderTheEditorClosesItOnce)
{
    ClickCell(4, 0);
    m_list.DeleteAllItems();
    EXPECT_EQ(0, Editors());
    EXPECT_EQ(1u, EndEdits(m_host).size());
    EXPECT_EQ(0, m_list.GetItemCount());

    m_list.InsertItem(0, "1");
    ClickCell(0, 0);
    HWND hEdit = Editor();
    m_host.m_calls.clear();
    m_host.m_pListToDestroy = &m_list;   // by the column-update callback
    PressKey(hEdit, VK_RETURN);
    EXPECT_FALSE(::IsWindow(hEdit));
    EXPECT_EQ(nullptr, m_list.GetSafeHwnd());
    EXPECT_EQ(1u, m_host.m_calls.size());
    EXPECT_EQ(2u, EndEdits(m_host).size());
}

TEST_F(EditableListTest, TheEditorRefusesCellsItCannotShow)
{
    EXPECT_EQ(nullptr, m_list.EditSubItem(-1, 0));
    EXPECT_EQ(nullptr, m_list.EditSubItem(12, 0));
    EXPECT_EQ(nullptr, m_list.EditSubItem(0, 3));
    m_list.SetColumnWidth(2, 4);
    EXPECT_EQ(nullptr, m_list.EditSubItem(0, 2));
    EXPECT_EQ(0, Editors());

    // A column beyond the right edge is scrolled into view first.
    m_list.SetColumnWidth(2, 900);
    m_list.InsertColumn(3, "Far", LVCFMT_CENTER, 60, 3);
    gxEditCell* pEdit = m_list.EditSubItem(0, 3);
    ASSERT_NE(nullptr, pEdit);
    CRect rcClient;
    m_list.GetClientRect(&rcClient);
    EXPECT_LE(RectInParent(pEdit->m_hWnd).right, rcClient.right);
}

TEST_F(EditableListTest, InsertItemExAsksTheHostOrAddsANumberedRow)
{
    m_list.SetCallback(static_cast<gxListCtrl::PFN_INSERT_CALLBACK>(&CEditHost::OnInsert));
    EXPECT_EQ(1, m_list.InsertItemEx(3));
    m_host.m_nAnswer = 0;
    EXPECT_EQ(0, m_list.InsertItemEx(4));
    EXPECT_TRUE(SameSequence(m_host.m_calls, { "insert 3", "insert 4" }));
    EXPECT_EQ(12, m_list.GetItemCount());   // the host inserts, not the list

    m_list.SetCallback(nullptr);
    m_list.SetItemText(5, 1, "1f");
    EXPECT_EQ(6, m_list.InsertItemEx(5));
    EXPECT_EQ("Some Text", Cell(6, 0));
    EXPECT_EQ("20", Cell(6, 1));            // 0x1f + 1
    m_list.DeleteAllItems();   // bad places refused
    EXPECT_EQ(0, m_list.InsertItemEx(-1));   // before the first row
    EXPECT_EQ(-1, m_list.InsertItemEx(-2));
    EXPECT_EQ(-1, m_list.InsertItemEx(5));
    EXPECT_EQ("1000", Cell(0, 1));
}

TEST_F(EditableListTest, AnyScrollEndsTheEditInTheRowItWasOpenedOn)
{
    for (int i = 12; i < 60; ++i)
        m_list.InsertItem(i, std::to_string(100 + i).c_str());
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
        ClickCell(2, 1);
        ASSERT_NE(nullptr, Editor());
        Type(Editor(), "77");
        m_host.m_calls.clear();
        c.scroll();
        AfxPumpPendingMessages();
        EXPECT_EQ(nullptr, Editor());
        EXPECT_GT(m_list.GetTopIndex(), 0);   // the list did scroll
        EXPECT_TRUE(SameSequence(m_host.m_calls, { "1:77" }));
        EXPECT_EQ("77", Cell(2, 1));
    }
    // A row already in view scrolls nothing and leaves the edit open.
    m_list.EnsureVisible(0, FALSE);
    ClickCell(2, 1);
    m_list.EnsureVisible(3, FALSE);
    EXPECT_NE(nullptr, Editor());
}

TEST_F(EditableListTest, AutoSortWaitsWhileTheEditorIsOpen)
{
    m_list.m_bAutoSort = true;
    ClickCell(4, 1);
    ASSERT_NE(nullptr, Editor());
    Type(Editor(), "5");
    m_list.SendMessage(WM_TIMER, LIST_AUTOSORT_TIMER);
    AfxPumpPendingMessages();
    ASSERT_NE(nullptr, Editor());
    EXPECT_EQ("5", Text(Editor()));
    EXPECT_TRUE(m_host.m_calls.empty());
    PressKey(Editor(), VK_RETURN);
    EXPECT_TRUE(SameSequence(m_host.m_calls, { "1:5" }));
    EXPECT_EQ("5", Cell(4, 1));
}

TEST_F(EditableListTest, HugeTextsStayWithinTheEditorsLimit)
{
    const std::string longText(300, '9');
    m_list.SetItemText(0, 0, longText.c_str());
    gxEditCell* pEdit = m_list.EditSubItem(0, 0);
    ASSERT_NE(nullptr, pEdit);
    EXPECT_EQ(longText, Text(pEdit->m_hWnd));   // the cell's whole text is shown
    ::SendMessageA(pEdit->m_hWnd, WM_SETTEXT, 0, (LPARAM) "");
    ASSERT_TRUE(TestClipboard::SetText(std::string(1 << 20, '7')));
    Type(pEdit->m_hWnd, "\x16");
    EXPECT_EQ(std::string(250, '7'), Text(pEdit->m_hWnd));   // cut at the limit, nothing else
    ASSERT_TRUE(TestClipboard::SetText(std::string("12\0ab", 5)));
    ::SendMessageA(pEdit->m_hWnd, WM_SETTEXT, 0, (LPARAM) "");
    Type(pEdit->m_hWnd, "\x16");
    EXPECT_EQ("12", Text(pEdit->m_hWnd));   // the clipboard's text ends at its first NUL
    m_list.SetFocus();
    EXPECT_EQ(0, Editors());
}
