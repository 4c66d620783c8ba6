// The category list as an order-entry host drives it: clicks and keys, a parent that answers the
// list's requests and records its messages, the shared editors checked for the cell they lie over.
#include "TestHost.h"
#include "TestSupport.h"
#include "ShownColumns.h"

#include "editors/InPlaceCombo.h"
#include "editors/InPlaceDTPicker.h"
#include "editors/InPlaceEdit.h"
#include "editors/InPlacePriceEdit.h"
#include "market/CategoryListCtrl.h"
#include <OrvoTools.h>

namespace
{
const UINT kListId = 1201;
const char* const kNames[] = { "Symbol", "Side", "Qty", "Price", "Validity", "Value" };
}  // namespace

class CategoryListTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        ASSERT_TRUE(m_parent.CreateRecorder(&m_frame, CRect(0, 0, 640, 320), 0));
        m_parent.m_answer = [this](const sRecordedMsg& r, LRESULT&) {
            Answer(r);
            return false;
        };
    }
    void TearDown() override
    {
        if (m_pList != nullptr && m_pList->GetSafeHwnd() != nullptr)
            m_pList->DestroyWindow();
        delete m_pList;
        CInPlaceEdit::DeleteInstance();
        CInPlaceCombo::DeleteInstance();
        CInPlaceDTPicker::DeleteInstance();
        CInPlacePriceEdit::DeleteInstance();
        m_parent.DestroyWindow();
        HostTest::TearDown();
    }
    // A list of nColumns columns (names from kNames, then "C<n>") and nRows rows whose cell (r, c)
    // reads "r<r>c<c>": texts kept by the platform list, or in filter mode read from the host's
    // records (m_records) by its text routine.
    void Build(int nColumns = 6, int nRows = 4, bool bFilter = false)
    {
        m_pList = new CCategoryListCtrl;
        ASSERT_TRUE(m_pList->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS | (bFilter ? LVS_OWNERDATA : 0),
                                    CRect(0, 0, 600, 260), &m_parent, kListId));
        for (int c = 0; c < nColumns; ++c)
        {
            sOrvoColInfo info = {};
            strlcpy(info.szColName, c < 6 ? kNames[c] : ("C" + std::to_string(c)).c_str(), sizeof(info.szColName));
            info.nWidth = 90;
            info.nFormat = LVCFMT_LEFT;
            info.nDataType = LIST_SORT_NATURAL;
            m_pList->m_arrColInfo.Add(info);
        }
        if (bFilter)
            m_pList->InitColumnTextRtn(&RecordText);
        m_pList->SetRedraw(FALSE);
        m_pList->InsertColumnsForList(nullptr);
        for (int r = 0; r < nRows && !bFilter; ++r)
            for (int c = 0; c < nColumns; ++c)
                m_pList->InsertColumnForCategoryList(r, c, Cell(r, c).c_str());
        m_pList->SetRedraw(TRUE);
        if (bFilter)
            m_pList->SetUseFilter(TRUE);
        m_records.assign((size_t)nRows, 0);
        for (int r = 0; r < nRows && bFilter; ++r)
        {
            m_records[(size_t)r] = r;
            m_pList->InsertItem(0, "", 0);
            m_pList->SetItemData(0, (DWORD_PTR)&m_records[(size_t)r]);
        }
        m_events.clear();
    }
    static std::string Cell(int r, int c) { return "r" + std::to_string(r) + "c" + std::to_string(c); }
    static int RecordText(ULONGLONG dwItemData, int nColumn, CString& text, unsigned long&, unsigned long&, int&)
    {
        text = Cell(*reinterpret_cast<const int*>(dwItemData), nColumn).c_str();
        return 1;
    }

    // The parent: records what the list sends, answers requests from m_kinds (owner-decides, by
    // list column) or with two choices (combo columns), and destroys the list when told to.
    void Answer(const sRecordedMsg& r)
    {
        switch (r.message)
        {
        case WM_LIST_CELLCLICKED:
            m_events.push_back("clicked " + std::to_string(r.wParam));
            break;
        case WM_LIST_CELLSKIP:
            m_events.push_back("skip " + std::to_string(LOWORD(r.wParam)) + " " +
                               std::to_string((short)HIWORD(r.wParam) + 1));
            break;
        case WM_LIST_CELLREQUEST:
            if (m_pList->m_bOwnerDecides)
            {
                sCellRequest* p = reinterpret_cast<sCellRequest*>(r.lParam);
                const int nColumn = HIWORD(r.wParam);
                m_events.push_back("request " + std::to_string(LOWORD(r.wParam)) + " " + std::to_string(nColumn));
                p->nKind = m_kinds.count(nColumn) ? m_kinds[nColumn] : 0;
                p->nPrecision = 0;
                for (const std::string& s : m_choices)
                    p->lstChoices.AddTail(s.c_str());
            }
            else
            {
                m_events.push_back("choices " + std::to_string(r.wParam));
                for (const std::string& s : m_choices)
                    reinterpret_cast<CStringList*>(r.lParam)->AddTail(s.c_str());
            }
            break;
        case WM_LIST_ENDEDIT:
        {
            const NMLVDISPINFOA* p = reinterpret_cast<const NMLVDISPINFOA*>(r.lParam);
            m_events.push_back("end " + std::to_string(p->item.iItem) + " " + std::to_string(p->item.iSubItem) + " " +
                               (p->item.pszText ? p->item.pszText : "<null>"));
            break;
        }
        default:
            return;
        }
        if (r.message == m_nDestroyOn && m_pList->GetSafeHwnd() != nullptr)
            m_pList->DestroyWindow();
    }

    // A click in the middle of a cell (list column), as the mouse gives it.
    void ClickCell(int nRow, int nColumn, UINT nFlags = MK_LBUTTON)
    {
        CRect rc;
        m_pList->GetSubItemRect(nRow, nColumn, LVIR_BOUNDS, rc);
        if (nColumn == 0)
            rc.right = rc.left + m_pList->GetColumnWidth(0);
        const LPARAM lParam = MAKELPARAM(rc.CenterPoint().x, rc.CenterPoint().y);
        m_pList->PostMessage(WM_LBUTTONUP, 0, lParam);
        m_pList->SendMessage(WM_LBUTTONDOWN, nFlags, lParam);
        Pump();
    }
    // Focuses the row the way the user's first click does, then clicks the cell.
    void OpenByClick(int nRow, int nColumn)
    {
        m_pList->SetItemState(nRow, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
        ClickCell(nRow, nColumn);
    }
    // A key posted to the window that has the keyboard, with Shift held or not, then pumped.
    static void PressKey(UINT vk, bool bShift = false)
    {
        BYTE keys[256] = {};
        if (bShift)
            keys[VK_SHIFT] = keys[VK_LSHIFT] = 0x80;
        ::SetKeyboardState(keys);
        ::PostMessageA(::GetFocus(), WM_KEYDOWN, vk, 1);
        Pump();
        BYTE none[256] = {};
        ::SetKeyboardState(none);
    }
    static void Pump()
    {
        for (int i = 0; i < 3; ++i)
            AfxPumpPendingMessages();
    }
    // The editor that is open: "<kind> <row> <column>", or "none". Fails the test when it does not
    // lie over the cell it names.
    std::string OpenEditor()
    {
        std::string open = "none";
        auto check = [&](const char* kind, auto* pWnd) {
            if (pWnd->GetSafeHwnd() == nullptr || !pWnd->IsWindowVisible())
                return;
            const int nRow = pWnd->m_iRowIndex, nColumn = pWnd->m_iColumnIndex;
            open = std::string(kind) + " " + std::to_string(nRow) + " " + std::to_string(nColumn);
            CRect rcEditor, rcCell, rcClient;
            pWnd->GetWindowRect(&rcEditor);
            m_pList->ScreenToClient(&rcEditor);
            m_pList->GetSubItemRect(nRow, nColumn, LVIR_BOUNDS, rcCell);
            m_pList->GetClientRect(&rcClient);
            EXPECT_EQ(rcCell.TopLeft(), rcEditor.TopLeft()) << open << " does not lie on its cell";
            EXPECT_TRUE(rcEditor.left >= rcClient.left && rcEditor.left < rcClient.right) << open << " is out of view";
        };
        check("text", CInPlaceEdit::GetInstance());
        check("combo", CInPlaceCombo::GetInstance());
        check("picker", CInPlaceDTPicker::GetInstance());
        check("price", CInPlacePriceEdit::GetInstance());
        return open;
    }
    // Destroys and deletes the list (between the cases of a table).
    void Drop()
    {
        m_pList->DestroyWindow();
        delete m_pList;
        m_pList = nullptr;
    }

    CMessageRecorder m_parent;
    CCategoryListCtrl* m_pList = nullptr;
    std::vector<std::string> m_events;
    std::vector<int> m_records;   // the host's row records in filter mode: the row number each was made for
    std::map<int, int> m_kinds;
    std::vector<std::string> m_choices = { "BUY", "SELL" };
    UINT m_nDestroyOn = 0;
};

TEST_F(CategoryListTest, TabAndShiftTabWalkTheCellsWrapAndSkipReadOnlyColumns)
{
    // readOnly: column ids, made read-only once the start cell is open.
    struct sCase { const char* name; int nColumns, nRows; std::vector<int> readOnly; int nStartRow, nStartColumn;
                   bool bShift; std::vector<std::string> events; const char* editor; };
    const sCase cases[] = {
        { "last cell wraps to the first", 6, 4, {}, 3, 5, false,
          { "end 3 5 r3c5", "skip 0 0" }, "text 0 0" },
        { "read-only cells are reported and passed", 6, 4, { 1, 2, 3 }, 0, 0, false,
          { "end 0 0 r0c0", "skip 0 1", "skip 0 2", "skip 0 3", "skip 0 4" }, "text 0 4" },
        { "a single editable cell stops without reopening", 6, 1, { 1, 2, 3, 4, 5 }, 0, 0, false,
          { "end 0 0 r0c0", "skip 0 1", "skip 0 2", "skip 0 3", "skip 0 4", "skip 0 5" }, "none" },
        { "Shift+Tab on the first cell goes to the last", 6, 4, {}, 0, 0, true,
          { "end 0 0 r0c0", "skip 3 5" }, "text 3 5" },
        { "Shift+Tab steps back over read-only cells", 6, 4, { 4, 5 }, 2, 0, true,
          { "end 2 0 r2c0", "skip 1 5", "skip 1 4", "skip 1 3" }, "text 1 3" },
        { "one column: Tab goes down the rows and wraps", 1, 3, {}, 2, 0, false,
          { "end 2 0 r2c0", "skip 0 0" }, "text 0 0" },
        { "Shift+Tab scrolls the last of 30 columns into view", 30, 2, {}, 0, 0, true,
          { "end 0 0 r0c0", "skip 1 29" }, "text 1 29" },
        { "every column read-only: the edit ends, nothing opens", 6, 2, { 0, 1, 2, 3, 4, 5 }, 1, 2, false,
          { "end 1 2 r1c2" }, "none" },
    };
    for (const sCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        Build(c.nColumns, c.nRows);
        EXPECT_EQ(0, m_pList->OnTabPress(true));   // no cell to start from
        OpenByClick(c.nStartRow, c.nStartColumn);
        ASSERT_EQ("text " + std::to_string(c.nStartRow) + " " + std::to_string(c.nStartColumn), OpenEditor());
        for (int nColumn : c.readOnly)
            m_pList->SetReadOnlyColumns(nColumn, true);
        m_events.clear();
        PressKey(VK_TAB, c.bShift);
        EXPECT_TRUE(SameSequence(m_events, c.events));
        EXPECT_EQ(c.editor, OpenEditor());
        Drop();
    }
}

TEST_F(CategoryListTest, ClicksOpenOnlyOnTheFocusedRowWithoutModifiersAndKeysEndTheEdit)
{
    Build();
    m_pList->SetComboColumns(1, true);
    m_pList->SetReadOnlyColumns(5, true);
    m_choices = { "BUY", "r2c1" };
    // An unfocused row: the click focuses it first, and the editor opens on it.
    ClickCell(2, 2);
    EXPECT_TRUE(SameSequence(m_events, { "clicked 1201" }));
    EXPECT_EQ("text 2 2", OpenEditor());
    struct sCase { int nRow, nColumn; UINT nFlags; std::vector<std::string> events; const char* editor; };
    const sCase cases[] = {
        { 2, 1, MK_LBUTTON, { "end 2 2 r2c2", "clicked 1201", "choices 1" }, "combo 2 1" },
        { 2, 5, MK_LBUTTON, { "end 2 1 r2c1", "clicked 1201" }, "none" },
        { 1, 3, MK_LBUTTON | MK_SHIFT, { "clicked 1201" }, "none" },
        { 1, 3, MK_LBUTTON | MK_CONTROL, { "clicked 1201" }, "none" },
    };
    for (const sCase& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.nRow) + "," + std::to_string(c.nColumn) + " flags " + std::to_string(c.nFlags));
        m_pList->SetItemState(c.nRow, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
        m_events.clear();
        ClickCell(c.nRow, c.nColumn, c.nFlags);
        EXPECT_TRUE(SameSequence(m_events, c.events));
        EXPECT_EQ(c.editor, OpenEditor());
    }
    // Below the last row: no cell, nothing at all.
    m_events.clear();
    m_pList->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(50, 240));
    m_pList->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 240));
    Pump();
    EXPECT_TRUE(SameSequence(m_events, {}));
    // Escape reports the cell's own text whatever the drop-down shows; Enter what was typed.
    OpenByClick(1, 1);
    CInPlaceCombo::GetInstance()->SetCurSel(0);
    m_events.clear();
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(SameSequence(m_events, { "end 1 1 r1c1" }));
    OpenByClick(1, 2);
    ::SetWindowTextA(::GetFocus(), "typed");
    m_events.clear();
    PressKey(VK_RETURN);
    EXPECT_TRUE(SameSequence(m_events, { "end 1 2 typed" }));
    EXPECT_EQ("none", OpenEditor());
}

TEST_F(CategoryListTest, OwnerDecidesEachCellAndEveryEditorEndsOnce)
{
    Build();
    m_pList->m_bOwnerDecides = true;
    m_kinds = { { 0, 0 }, { 1, 1 }, { 2, 2 }, { 3, 4 }, { 4, 3 }, { 5, 5 } };
    m_choices = { "BUY", "r2c1" };
    // Kind 5 is the price editor on a click; on Tab it moves on (and kind 4 is the Tab one).
    OpenByClick(1, 5);
    EXPECT_TRUE(SameSequence(m_events, { "clicked 1201", "request 1 5" }));
    EXPECT_EQ("price 1 5", OpenEditor());
    struct sStep { bool bShift; std::vector<std::string> events; const char* editor; };
    const sStep steps[] = {
        { false, { "end 1 5 r1c5", "request 2 0", "request 2 1" }, "combo 2 1" },
        { false, { "end 2 1 r2c1", "request 2 2" }, "text 2 2" },
        { false, { "end 2 2 r2c2", "request 2 3" }, "price 2 3" },
        { false, { "end 2 3 r2c3", "request 2 4" }, "picker 2 4" },
        { true, { "end 2 4 00:00:00", "request 2 3", "request 2 2" }, "text 2 2" },
    };
    for (const sStep& s : steps)
    {
        SCOPED_TRACE(s.editor);
        m_events.clear();
        PressKey(VK_TAB, s.bShift);
        EXPECT_TRUE(SameSequence(m_events, s.events));
        EXPECT_EQ(s.editor, OpenEditor());
    }
    // Kind 4 on a click opens nothing.
    m_events.clear();
    m_pList->SetFocus();
    Pump();
    OpenByClick(0, 3);
    EXPECT_TRUE(SameSequence(m_events, { "end 2 2 r2c2", "clicked 1201", "request 0 3" }));
    EXPECT_EQ("none", OpenEditor());
}

// The rows move while an edit is open: it ends on its own record (in filter mode a re-sort or a
// re-filter by the host once left it on the row that took the record's place).
TEST_F(CategoryListTest, AnOpenEditEndsOnItsOwnRecordWhateverMovesTheRows)
{
    struct sCase { const char* name; bool bFilter; std::function<void(CCategoryListCtrl&)> move; const char* end; int nNewRow; };
    const sCase cases[] = {
        { "a row above deleted", false, [](CCategoryListCtrl& l) { l.DeleteItem(0); }, "end 1 1 typed", -1 },
        { "a row inserted above", false, [](CCategoryListCtrl& l) { l.InsertItem(0, "new"); }, "end 3 1 typed", -1 },
        { "the row itself deleted", false, [](CCategoryListCtrl& l) { l.DeleteItem(2); }, "end -1 1 <null>", -1 },
        { "mouse wheel", false, [](CCategoryListCtrl& l) { l.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0); },
          "end 2 1 typed", -1 },
        { "scroll bar", false, [](CCategoryListCtrl& l) { l.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0); }, "end 2 1 typed", -1 },
        { "filter mode: re-sorted, descending", true, [](CCategoryListCtrl& l) { l.SortOn(1, 2); }, "end 2 1 typed", 0 },
        { "filter mode: a row above deleted by the host", true, [](CCategoryListCtrl& l) { l.DeleteMapItem(0); },
          "end 1 1 typed", 1 },
        { "filter mode: re-filtered to its row", true,
          [](CCategoryListCtrl& l) {
              CString csFilter = "r2c0";
              l.SetMapColumnFilter(0, csFilter, 0);
              l.PopulateList();
          },
          "end 0 1 typed", 0 },
    };
    for (const sCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        Build(3, c.bFilter ? 3 : 16, c.bFilter);
        const DWORD_PTR dwRecord = m_pList->GetItemData(2);
        OpenByClick(2, 1);
        ASSERT_EQ("text 2 1", OpenEditor());
        CInPlaceEdit::GetInstance()->SetWindowText("typed");
        m_events.clear();
        c.move(*m_pList);
        Pump();
        m_pList->UpdateWindow();
        Pump();
        EXPECT_TRUE(SameSequence(m_events, { c.end }));
        if (c.nNewRow >= 0)
        {
            EXPECT_EQ(dwRecord, m_pList->GetItemData(c.nNewRow));
        }
        EXPECT_EQ("none", OpenEditor());
        Drop();
    }
}

TEST_F(CategoryListTest, AListDestroyedInsideAnyOfItsMessagesIsNeverTouchedAgain)
{
    for (UINT nMessage : { WM_LIST_CELLCLICKED, WM_LIST_CELLREQUEST, WM_LIST_CELLSKIP, WM_LIST_ENDEDIT })
    {
        for (bool bOwner : { false, true })
        {
            SCOPED_TRACE(std::to_string(nMessage) + (bOwner ? " owner-decides" : " column sets"));
            Build(4, 3);
            m_pList->m_bOwnerDecides = bOwner;
            m_pList->SetComboColumns(1, true);
            m_kinds = { { 0, 2 }, { 1, 1 }, { 2, 2 }, { 3, 2 } };
            OpenByClick(0, 0);
            m_nDestroyOn = nMessage;
            OpenByClick(0, 1);
            if (m_pList->GetSafeHwnd() != nullptr)
                PressKey(VK_TAB);
            if (m_pList->GetSafeHwnd() != nullptr)
                m_pList->DestroyWindow();
            Pump();
            EXPECT_EQ("none", OpenEditor());
            m_nDestroyOn = 0;
            delete m_pList;
            m_pList = nullptr;
        }
    }
}

TEST_F(CategoryListTest, GarbageAnswersOpenNothingOrABoundedDropDown)
{
    Build(3, 3);
    m_pList->m_bOwnerDecides = true;
    // Unknown kinds everywhere: a click opens nothing, and Tab from an opened cell asks each
    // cell once around the grid.
    m_kinds = { { 0, 77 }, { 1, -1 }, { 2, 2 } };
    OpenByClick(0, 0);
    EXPECT_EQ("none", OpenEditor());
    OpenByClick(0, 2);
    ASSERT_EQ("text 0 2", OpenEditor());
    m_kinds[2] = 1000;
    m_events.clear();
    PressKey(VK_TAB);
    EXPECT_EQ(9u, m_events.size());   // the end, then 8 requests until back at the start
    EXPECT_EQ("none", OpenEditor());
    // A cell of 100 KB in the text editors: shown cut, and left unchanged it is reported whole.
    const std::string huge(100 * 1024, '7');
    m_pList->InsertColumnForCategoryList(2, 0, huge.c_str());
    for (int nKind : { CATEGORY_CELL_TEXT, CATEGORY_CELL_PRICE_CLICK })
    {
        SCOPED_TRACE(nKind);
        m_kinds = { { 0, nKind } };
        m_events.clear();
        OpenByClick(2, 0);
        EXPECT_NE("none", OpenEditor());
        m_pList->SetFocus();
        Pump();
        ASSERT_EQ(3u, m_events.size());   // clicked, request, end
        EXPECT_TRUE(m_events[2] == "end 2 0 " + huge) << m_events[2].substr(0, 40);
    }
    // Drop-downs with no choice and with 10,000 choices of 100 KB-long texts.
    for (size_t n : { (size_t)0, (size_t)10000 })
    {
        SCOPED_TRACE(n);
        m_kinds = { { 1, 1 } };
        m_choices.assign(n, std::string(n ? 100 : 0, 'x'));
        OpenByClick(1, 1);
        EXPECT_EQ("combo 1 1", OpenEditor());
        EXPECT_EQ((int)n, CInPlaceCombo::GetInstance()->GetCount());
        m_pList->SetFocus();
        Pump();
    }
}

TEST_F(CategoryListTest, HeaderClicksSortOnlyWhenAllowedAndDropsReorderTheColumns)
{
    Build(3, 3);
    for (bool bSort : { false, true })
    {
        SCOPED_TRACE(bSort ? "sorting on" : "sorting off");
        m_pList->m_bSortOnHeaderClick = bSort;
        // Two header clicks on one column, as the platform reports them, sort both ways.
        std::vector<std::string> tops;
        for (int nClick = 0; nClick < 2; ++nClick)
        {
            NMLISTVIEW view = {};
            view.hdr = { m_pList->m_hWnd, kListId, LVN_COLUMNCLICK };
            view.iItem = -1;
            m_parent.SendMessage(WM_NOTIFY, kListId, (LPARAM)&view);
            Pump();
            tops.push_back((LPCTSTR)m_pList->CListCtrl::GetItemText(0, 0));
        }
        EXPECT_EQ(bSort, tops[0] != tops[1]);
    }
    std::vector<std::string> before;
    for (int c = 0; c < 3; ++c)
        before.push_back((LPCTSTR)m_pList->CListCtrl::GetItemText(0, c));
    // A drag that has not been allowed is refused when it starts and when it ends.
    NMHEADERA drag = {};
    drag.hdr = { m_pList->GetHeaderCtrl()->m_hWnd, 0, HDN_BEGINDRAG };
    drag.iItem = 1;
    EXPECT_EQ(TRUE, m_pList->SendMessage(WM_NOTIFY, 0, (LPARAM)&drag));
    drag.hdr.code = HDN_ENDDRAG;
    EXPECT_EQ(TRUE, m_pList->SendMessage(WM_NOTIFY, 0, (LPARAM)&drag));
    // Allowed: Side dragged before Symbol; the columns are rebuilt in that order with their cells.
    m_pList->m_bAllowHeaderDrag = true;
    drag.hdr.code = HDN_BEGINDRAG;
    EXPECT_EQ(FALSE, m_pList->SendMessage(WM_NOTIFY, 0, (LPARAM)&drag));
    int order[] = { 1, 0, 2 };
    m_pList->SetColumnOrderArray(3, order);
    m_pList->PostMessage(WM_LIST_HEADERDROPPED, 90, 1);
    Pump();
    EXPECT_TRUE(SameSequence(ShownColumns(*m_pList), { "Side=" + before[1], "Symbol=" + before[0], "Qty=" + before[2] }));
    // The column sets follow the ids: Side (id 1) is now list column 0.
    m_pList->SetComboColumns(1, true);
    EXPECT_TRUE(m_pList->IsCombo(0));
    EXPECT_FALSE(m_pList->IsCombo(1));
}

TEST_F(CategoryListTest, AFormulaColumnOpensNoEditor)
{
    Build(3, 3);
    sOrvoColInfo formula = {};
    strlcpy(formula.szColName, "Value", sizeof(formula.szColName));
    formula.nWidth = 90;
    formula.csText1 = " \"1\" * \"2\"";
    m_pList->m_arrColInfo.Add(formula);
    m_pList->m_arrColPosition.SetAtGrow(3, 3);
    m_pList->m_arrColWidth.SetAtGrow(3, 90);
    m_pList->InsertColumnsForList(nullptr);
    ASSERT_EQ(4, m_pList->GetHeaderCtrl()->GetItemCount());
    for (int nColumn : { 3, 2 })
    {
        m_pList->SetFocus();
        Pump();
        OpenByClick(1, nColumn);
        EXPECT_EQ(nColumn == 3 ? "none" : "text 1 2", OpenEditor());
    }
}

TEST_F(CategoryListTest, RowStepsReadOnlyLabelEditsAndTheIndexWeightageSpaceKey)
{
    Build(10, 4);
    OpenByClick(1, 2);
    struct sStep { UINT message; const char* editor; };
    const sStep steps[] = {
        { WM_LIST_EDITNEXTROW, "text 2 2" }, { WM_LIST_EDITNEXTROW, "text 3 2" },
        { WM_LIST_EDITNEXTROW, "text 3 2" },   // no row below the last
        { WM_LIST_EDITPREVROW, "text 2 2" },
    };
    for (const sStep& s : steps)
    {
        m_pList->PostMessage(s.message);
        Pump();
        EXPECT_EQ(s.editor, OpenEditor());
    }
    m_pList->SetFocus();
    Pump();
    m_pList->ModifyStyle(0, LVS_EDITLABELS);   // the platform's label edit: refused on a read-only column
    m_pList->SetReadOnlyColumns(0, true);
    EXPECT_EQ(0, m_pList->SendMessage(LVM_EDITLABELA, 1));
    m_pList->SetReadOnlyColumns(0, false);
    m_pList->ModifyStyle(LVS_EDITLABELS, 0);
    // Space on a selected row of the "IndexWeightage" list edits the column showing id 8.
    for (const char* name : { "Basket", "IndexWeightage" })
    {
        SCOPED_TRACE(name);
        m_pList->m_csListName = name;
        m_pList->SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        m_pList->SetFocus();
        Pump();
        PressKey(VK_SPACE);
        EXPECT_EQ(strcmp(name, "IndexWeightage") == 0 ? "text 2 8" : "none", OpenEditor());
    }
}

