// The in-place cell editors over a real "list" window that records what they report: the
// LVN_ENDLABELEDIT record and the navigation messages, in order, whichever way the edit ends. The
// list sits in a dialog with an OK (default) and a Cancel button: Enter and Escape in an editor
// belong to the editor, and must end the edit and nothing else.
#include "CellEditTest.h"

#include "editors/InPlaceCombo.h"
#include "editors/InPlaceDTPicker.h"
#include "editors/InPlaceEdit.h"
#include "editors/InPlaceNotify.h"
#include "editors/InPlacePriceEdit.h"
#include "editors/InPlaceQuantityEdit.h"
#include "editors/ListEditCtrl.h"
#include "market/CategoryListCtrl.h"

namespace
{
const UINT kListId = 77;
const UINT kEditorId = 500;
const CRect kCell(40, 30, 160, 50);

class CCountingDialog : public CDialog
{
public:
    int m_nOk = 0;
    int m_nCancel = 0;
    void OnOK() override { ++m_nOk; }
    void OnCancel() override { ++m_nCancel; }
};

enum eEditor { kText, kPrice, kDropList, kDropDown, kPicker, kQuantity };
}  // namespace

class InPlaceEditorTest : public CellEditTest
{
protected:
    void SetUp() override
    {
        CellEditTest::SetUp();
        // The grid dialog without its grid.
        ASSERT_TRUE(m_dialog.Create(3100, &m_frame));
        m_dialog.GetDlgItem(1001)->DestroyWindow();
        const DWORD dwButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
        ASSERT_TRUE(m_ok.Create("OK", dwButton | BS_DEFPUSHBUTTON, CRect(200, 230, 260, 250), &m_dialog, IDOK));
        ASSERT_TRUE(m_cancel.Create("Cancel", dwButton, CRect(270, 230, 330, 250), &m_dialog, IDCANCEL));
        ASSERT_TRUE(m_list.CreateRecorder(&m_dialog, CRect(0, 0, 400, 220), kListId));
        m_list.SetFocus();
        m_list.Clear();
    }
    void TearDown() override
    {
        CInPlaceEdit::DeleteInstance();
        CInPlacePriceEdit::DeleteInstance();
        CInPlaceQuantityEdit::DeleteInstance();
        CInPlaceCombo::DeleteInstance();
        CInPlaceDTPicker::DeleteInstance();
        if (m_list.GetSafeHwnd() != nullptr)
            m_list.DestroyWindow();
        if (m_dialog.GetSafeHwnd() != nullptr)
            m_dialog.DestroyWindow();
        CellEditTest::TearDown();
    }
    // Shows the text editor over kCell for (row, column).
    HWND ShowText(int nRow, int nColumn, const char* pszText, const char* pszValid = "")
    {
        CString strValid = pszValid;
        CString strText = pszText;
        EXPECT_TRUE(CInPlaceEdit::GetInstance()->ShowEditCtrl(WS_BORDER | ES_AUTOHSCROLL, kCell, &m_list, kEditorId,
                                                              nRow, nColumn, strValid, strText, &m_list));
        return CInPlaceEdit::GetInstance()->GetSafeHwnd();
    }
    // Opens the editor over row 1, column 2 with the cell text given, else "BUY" ("12.5" for the
    // price, two decimals); returns the editor window.
    HWND Show(eEditor editor, const char* pszText = nullptr, const char* pszValid = "")
    {
        CString strText = pszText ? pszText : editor == kPrice ? "12.5" : "BUY";
        CStringList items;
        items.AddTail("BUY");
        items.AddTail("SELL");
        switch (editor)
        {
        case kText:
            return ShowText(1, 2, strText, pszValid);
        case kPrice:
            CInPlacePriceEdit::GetInstance()->setPrecision(2);
            CInPlacePriceEdit::GetInstance()->ShowPriceEditCtrl(WS_BORDER, kCell, &m_list, kEditorId, 1, 2, strText,
                                                                &m_list);
            return CInPlacePriceEdit::GetInstance()->GetSafeHwnd();
        case kQuantity:
            CInPlaceQuantityEdit::GetInstance()->ShowQuantityEditCtrl(WS_BORDER, kCell, &m_list, kEditorId, 1, 2, strText,
                                                                      &m_list);
            return CInPlaceQuantityEdit::GetInstance()->GetSafeHwnd();
        case kDropList:
        case kDropDown:
            CInPlaceCombo::GetInstance()->ShowComboCtrl(
                WS_VSCROLL | (editor == kDropList ? CBS_DROPDOWNLIST : CBS_DROPDOWN), CRect(40, 30, 160, 200),
                &m_list, kEditorId, 1, 2, &items, "BUY");
            return CInPlaceCombo::GetInstance()->GetSafeHwnd();
        case kPicker:
        {
            CInPlaceDTPicker* p = CInPlaceDTPicker::GetInstance();
            p->ShowDTPickerCtrl(9, kCell, &m_list, kEditorId, 1, 2, CTime(2024, 3, 5, 10, 0, 0));
            p->m_pListWnd = &m_list;
            p->SetFocus();
            return p->GetSafeHwnd();
        }
        }
        return nullptr;
    }
    // What the list received, the editors' own focus and change notifications left out: the
    // end-of-edit reports and the navigation messages ("message 0x784 ...").
    std::vector<std::string> Lines()
    {
        AfxPumpPendingMessages();
        std::vector<std::string> lines;
        for (const sRecordedMsg& r : m_list.m_records)
            if (r.message != WM_COMMAND && (r.message != WM_NOTIFY || r.code == LVN_ENDLABELEDITA))
                lines.push_back(r.line);
        return lines;
    }
    static std::string EndEdit(int nRow, int nColumn, const char* pszText)
    {
        return EndEditLine(kEditorId, nRow, nColumn, pszText);
    }

    CCountingDialog m_dialog;
    CButton m_ok, m_cancel;
    CMessageRecorder m_list;
};

const char* const kNext = "message 0x784 w=0x0 l=0x0";
const char* const kPrev = "message 0x785 w=0x0 l=0x0";
const char* const kDown = "message 0x78E w=0x0 l=0x0";

// Each key ends the edit with one report, then the navigation message if any, and nothing else:
// Enter and Escape belong to the editor, not to the dialog's buttons; a click elsewhere afterwards
// reports nothing a second time.
TEST_F(InPlaceEditorTest, EachKeyReportsOnceThenMovesOnWithoutPressingTheDialogsButtons)
{
    // typed: put in over "BUY" ("12.5" for the price); report: the text reported; message: the
    // navigation message after it, if any
    struct sCase { eEditor editor; const char* typed; UINT vk; bool bShift; const char* report; const char* message; } const cases[] = {
        { kText, "typed", VK_ESCAPE, false, "BUY", nullptr },   // the text the cell had
        { kText, "typed", VK_RETURN, false, "typed", nullptr }, { kText, "typed", VK_TAB, false, "typed", kNext },
        { kText, "typed", VK_TAB, true, "typed", kPrev },       { kText, "typed", VK_UP, false, "typed", kPrev },
        { kText, "typed", VK_DOWN, false, "typed", kDown },     { kPrice, nullptr, VK_RETURN, false, "12.5", nullptr },
        { kPrice, nullptr, VK_ESCAPE, false, "12.5", nullptr }, { kDropList, nullptr, VK_RETURN, false, "BUY", nullptr },
        { kDropList, nullptr, VK_ESCAPE, false, "BUY", nullptr }, { kDropDown, nullptr, VK_RETURN, false, "BUY", nullptr },
        { kDropDown, "LIMIT", VK_RETURN, false, "LIMIT", nullptr }, { kDropDown, "LIMIT", VK_ESCAPE, false, "BUY", nullptr },
        { kPicker, nullptr, VK_RETURN, false, "10:00:00", nullptr }, { kPicker, nullptr, VK_ESCAPE, false, "10:00:00", nullptr },
    };
    for (const sCase& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.editor) + (c.typed ? " typed, key " : ", key ") + std::to_string(c.vk) + (c.bShift ? " shifted" : ""));
        m_list.Clear();
        m_dialog.m_nOk = m_dialog.m_nCancel = 0;
        HWND hEditor = Show(c.editor);
        ASSERT_NE(nullptr, hEditor);
        AfxPumpPendingMessages();
        if (c.editor == kText) { EXPECT_EQ(kCell, RectInParent(hEditor)); }
        // The key goes where the keyboard is: a drop-down's edit part when it has one.
        HWND hKeys = ::GetFocus();
        EXPECT_EQ(c.editor == kDropDown, hKeys != hEditor && ::IsChild(hEditor, hKeys));
        if (c.typed)
            ::SetWindowTextA(hKeys, c.typed);
        PressKey(hKeys, c.vk, false, c.bShift);
        m_dialog.GetDlgItem(IDOK)->SetFocus();
        EXPECT_EQ(0, m_dialog.m_nOk);
        EXPECT_EQ(0, m_dialog.m_nCancel);
        std::vector<std::string> expected = { EndEdit(1, 2, c.report) };
        if (c.message)
            expected.push_back(c.message);
        EXPECT_TRUE(SameSequence(Lines(), expected));
        EXPECT_FALSE(::IsWindow(hEditor));
    }
    // The list received it with its own id as wParam and itself as the sender.
    const sRecordedMsg& r = m_list.Of(WM_NOTIFY, LVN_ENDLABELEDITA).at(0);
    EXPECT_EQ(kListId, r.wParam);
    EXPECT_EQ(m_list.m_hWnd, r.hwndFrom);
}

TEST_F(InPlaceEditorTest, ColumnSevenDoublesAndHalvesInsteadOfLeaving)
{
    HWND hEdit = ShowText(0, INPLACE_STEP_COLUMN, "25");
    // 32-bit arithmetic wraps
    struct sCase { const char* before; UINT vk; const char* after; } const cases[] = {
        { "25", VK_UP, "50" }, { "1", VK_DOWN, "1" }, { "5", VK_DOWN, "2" }, { "2000000000", VK_UP, "-294967296" } };
    for (const sCase& c : cases)
    {
        ::SetWindowTextA(hEdit, c.before);
        PressKey(hEdit, c.vk);
        EXPECT_EQ(c.after, Text(hEdit)) << c.before;
    }
    EXPECT_NE(nullptr, CInPlaceEdit::GetInstance()->GetSafeHwnd());   // still open
    EXPECT_TRUE(EndEdits(m_list).empty());
}

TEST_F(InPlaceEditorTest, TypedAndPastedTextIsRefusedOrShownThenReportedPerEditorKind)
{
    // keys typed, then paste pasted, over the selection nStart..nEnd; shown: the editor's text;
    // reported: the text of the end-of-edit report when the list takes the focus; bBeep: refusal heard
    struct sCase { const char* name; eEditor editor; const char* pszValid; const char* start; int nStart, nEnd; const char* keys; const char* paste; const char* shown; const char* reported; bool bBeep; } const cases[] = {
        { "letters typed", kText, "0123456789", "", 0, 0, "1a2", nullptr, "12", "12", true },
        { "a letter pasted", kText, "0123456789", "12", 2, 2, nullptr, "3b", "12", "12", false },
        { "digits pasted", kText, "0123456789", "12", 2, 2, nullptr, "34", "1234", "1234", false },
        { "no set: anything typed, nothing pasted", kText, "", "free", 4, 4, "!", "34", "free!", "free!", false },
        { "separators shown, reported without", kPrice, nullptr, "  1234567.5 ", 0, 0, "", nullptr, "1,234,567.5", "1234567.5", false },
        { "a third decimal", kPrice, nullptr, "1.25", 4, 4, "3", nullptr, "1.25", "1.25", true },
        { "a pasted second point", kPrice, nullptr, "1.25", 4, 4, nullptr, "5.5", "1.25", "1.25", true },
        { "a sign and a point", kQuantity, nullptr, "214748364", 0, -1, "-.", nullptr, "214,748,364", "214748364", true },
        { "beyond the 32-bit limit", kQuantity, nullptr, "214748364", 11, 11, "8", nullptr, "214,748,364", "214748364", true },
        { "up to the 32-bit limit", kQuantity, nullptr, "214748364", 11, 11, "7", nullptr, "2,147,483,647", "2147483647", false },
    };
    for (const sCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        m_list.Clear();
        m_script.Clear();
        HWND hEdit = Show(c.editor, c.start, c.pszValid ? c.pszValid : "");
        ASSERT_NE(nullptr, hEdit);
        ::SendMessageA(hEdit, EM_SETSEL, c.nStart, c.nEnd);
        if (c.keys)
            Type(hEdit, c.keys);
        if (c.paste)
        {
            ASSERT_TRUE(TestClipboard::SetText(c.paste));
            ::SendMessageA(hEdit, WM_PASTE, 0, 0);
        }
        EXPECT_EQ(c.shown, Text(hEdit));
        EXPECT_EQ(c.bBeep, m_script.Count("beep") > 0);   // a refused key may beep twice
        if (c.editor == kText)   // text by another road (the edit's own menu, Shift+Insert under Wine)
        {
            ::SendMessageA(hEdit, EM_REPLACESEL, TRUE, (LPARAM) "x");
            EXPECT_EQ(c.shown + std::string(*c.pszValid ? "" : "x"), Text(hEdit));
            ::SetWindowTextA(hEdit, c.shown);
        }
        m_list.SetFocus();
        EXPECT_TRUE(SameSequence(Lines(), { EndEdit(1, 2, c.reported) }));
    }
    // The price editor's colours, as the list paints it.
    CString strText = "8";
    CInPlacePriceEdit* pPrice = CInPlacePriceEdit::GetInstance();
    ASSERT_TRUE(pPrice->ShowPriceEditCtrl(WS_BORDER, kCell, &m_list, kEditorId, 0, 0, strText, &m_list));
    HDC hdc = ::GetDC(pPrice->m_hWnd);
    HBRUSH hBrush = (HBRUSH)::SendMessageA(m_list.m_hWnd, WM_CTLCOLOREDIT, (WPARAM)hdc, (LPARAM)pPrice->m_hWnd);
    EXPECT_EQ(RGB(139, 69, 19), ::GetTextColor(hdc));
    LOGBRUSH lb = {};
    ::GetObjectA(hBrush, sizeof(lb), &lb);
    EXPECT_EQ(RGB(238, 232, 170), lb.lbColor);
    ::ReleaseDC(pPrice->m_hWnd, hdc);
}

TEST_F(InPlaceEditorTest, ComboOffersTheItemsAndReportsTheChoice)
{
    CStringList items;
    for (const char* psz : { "BUY", "SELL", "SHORT" })
        items.AddTail(psz);
    CInPlaceCombo* pCombo = CInPlaceCombo::GetInstance();
    // text: the cell's text (found without regard to case), or the item index; nSelected: what the combo shows first; nChoose: then chosen, -1: none; vk: 0: the drop-down part is opened and closed
    struct sCase { const char* name; const char* text; int nIndex; int nSelected; int nChoose; UINT vk; const char* report; const char* message; } const cases[] = {
        { "Enter reports the choice", "sell", -1, 1, 2, VK_RETURN, "SHORT", nullptr },
        { "Escape reports the remembered item", "", 0, 0, 1, VK_ESCAPE, "BUY", nullptr },
        { "closing the drop-down ends the edit", "", 2, 2, -1, 0, "SHORT", nullptr },
        { "Tab goes on to the next cell", "", 1, 1, -1, VK_TAB, "SELL", kNext },
    };
    for (const sCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        m_list.Clear();
        ASSERT_TRUE(pCombo->ShowComboCtrl(WS_VSCROLL | CBS_DROPDOWNLIST, CRect(40, 30, 160, 150), &m_list, kEditorId,
                                          3, 4, &items, c.text, c.nIndex));
        EXPECT_EQ(c.nSelected, pCombo->GetCurSel());
        if (c.nChoose >= 0)
            pCombo->SetCurSel(c.nChoose);
        if (c.vk != 0)
        {
            PressKey(pCombo->m_hWnd, c.vk);
        }
        else
        {
            pCombo->ShowDropDown(TRUE);
            pCombo->ShowDropDown(FALSE);
        }
        std::vector<std::string> expected = { EndEdit(3, 4, c.report) };
        if (c.message)
            expected.push_back(c.message);
        EXPECT_TRUE(SameSequence(Lines(), expected));
        EXPECT_EQ(nullptr, pCombo->GetSafeHwnd());
    }
}

TEST_F(InPlaceEditorTest, DatePickerReportsDayMonthYearAndOpeningTheCalendarEndsNothing)
{
    // Opening the calendar (a click on the drop-down part) does not end the edit.
    CInPlaceDTPicker* pPicker = CInPlaceDTPicker::GetInstance();
    ASSERT_TRUE(pPicker->ShowDTPickerCtrl(0, kCell, &m_list, kEditorId, 0, 0, CTime(2024, 3, 5, 0, 0, 0)));
    pPicker->SetFocus();
    const LPARAM lParam = MAKELPARAM(kCell.Width() - 5, kCell.Height() / 2);
    pPicker->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lParam);
    AfxPumpPendingMessages();
    CWnd* pCalendar = pPicker->GetMonthCalCtrl();
    ASSERT_TRUE(pCalendar != nullptr && pCalendar->IsWindowVisible());
    EXPECT_TRUE(Lines().empty());
    EXPECT_NE(nullptr, pPicker->GetSafeHwnd());
    pCalendar->ShowWindow(SW_HIDE);
    pPicker->DestroyWindow();   // ends once, even so
    EXPECT_TRUE(SameSequence(Lines(), { EndEdit(0, 0, "05/03/2024") }));

    m_list.Clear();
    ASSERT_TRUE(pPicker->ShowDTPickerCtrl(0, kCell, &m_list, kEditorId, 0, 0, CTime(2023, 12, 31, 0, 0, 0)));
    pPicker->m_pListWnd = &m_list;
    pPicker->SetFocus();
    pPicker->SetTime(CTime(2025, 1, 2, 0, 0, 0));
    PressKey(pPicker->m_hWnd, VK_ESCAPE);
    EXPECT_TRUE(SameSequence(Lines(), { EndEdit(0, 0, "31/12/2023") }));
}

TEST_F(InPlaceEditorTest, EachEditorEndsOnceWhenTheListIsDestroyedWhileOpen)
{
    const int nWindows = TestLeaks::Windows();
    ShowText(0, 0, "t");
    m_list.DestroyWindow();
    AfxPumpPendingMessages();
    EXPECT_EQ(1u, EndEdits(m_list).size());
    EXPECT_EQ(nullptr, CInPlaceEdit::GetInstance()->GetSafeHwnd());
    EXPECT_EQ(nWindows - 1, TestLeaks::Windows());   // the list went, nothing stayed behind

    // The next edit over a new list works as the first did.
    ASSERT_TRUE(m_list.CreateRecorder(&m_dialog, CRect(0, 0, 400, 220), kListId));
    m_list.Clear();
    HWND hEdit = ShowText(0, 0, "u");
    ASSERT_NE(nullptr, hEdit);
    m_list.SetFocus();
    EXPECT_TRUE(SameSequence(Lines(), { EndEdit(0, 0, "u") }));
}

TEST_F(InPlaceEditorTest, LabelEditorReportsToTheListsParentAndDeletesItself)
{
    // The label editor's list is a child of the recorder; the report goes to the recorder.
    CWnd list;
    ASSERT_TRUE(list.CreateEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 100), &m_list, 9));
    CListEditCtrl* pEdit = new CListEditCtrl(3, 1, "abc");
    ASSERT_TRUE(pEdit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(10, 10, 40, 30), &list, 321));
    HWND hEdit = pEdit->m_hWnd;
    ::SendMessageA(hEdit, EM_SETSEL, 3, 3);
    Type(hEdit, "defghijklmnop");
    PressKey(hEdit, VK_ESCAPE);
    EXPECT_FALSE(::IsWindow(hEdit));
    EXPECT_TRUE(SameSequence(EndEdits(m_list), { "notify 321 LVN_ENDLABELEDIT item=3 sub=1 text=null" }));
    EXPECT_EQ(9u, m_list.Of(WM_NOTIFY, LVN_ENDLABELEDITA)[0].wParam);

    m_list.Clear();
    pEdit = new CListEditCtrl(0, 0, "x");
    ASSERT_TRUE(pEdit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 40, 30), &list, 321));
    ::SendMessageA(pEdit->m_hWnd, EM_SETSEL, 1, 1);
    Type(pEdit->m_hWnd, "y");
    PressKey(pEdit->m_hWnd, VK_RETURN);
    EXPECT_TRUE(SameSequence(EndEdits(m_list), { "notify 321 LVN_ENDLABELEDIT item=0 sub=0 text=\"xy\"" }));
    list.DestroyWindow();
}

TEST_F(InPlaceEditorTest, ACategoryListInADialogKeepsTabAndEnterInTheGrid)
{
    CCategoryListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(5, 5, 400, 200), &m_dialog, 300));
    for (const char* name : { "Symbol", "Qty" })
    {
        sOrvoColInfo info = {};
        lstrcpynA(info.szColName, name, sizeof(info.szColName));
        info.nWidth = 100;
        list.m_arrColInfo.Add(info);
    }
    list.InsertColumnsForList(nullptr);
    list.InsertColumnForCategoryList(1, 1, "25");
    list.SetItemState(0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    ClickCell(list, 0, 1);
    CInPlaceEdit* pEdit = CInPlaceEdit::GetInstance();
    ASSERT_EQ(pEdit->GetSafeHwnd(), ::GetFocus());
    // Tab moves to the next cell (row 1, column 0): the dialog's focus stays in the grid.
    PressKey(::GetFocus(), VK_TAB);
    ASSERT_EQ(pEdit->GetSafeHwnd(), ::GetFocus());
    EXPECT_EQ(std::make_pair(1, 0), std::make_pair(pEdit->m_iRowIndex, pEdit->m_iColumnIndex));
    PressKey(::GetFocus(), VK_RETURN);
    EXPECT_EQ(nullptr, pEdit->GetSafeHwnd());
    EXPECT_EQ(0, m_dialog.m_nOk);
    EXPECT_EQ(0, m_dialog.m_nCancel);
    // Where Tab finds no other editable cell the keyboard stays with the grid, not on a button
    // that the next Enter would press.
    list.DeleteItem(0);
    list.SetReadOnlyColumns(0, true);
    list.SetItemState(0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    ClickCell(list, 0, 1);
    ASSERT_EQ(pEdit->GetSafeHwnd(), ::GetFocus());
    PressKey(::GetFocus(), VK_TAB);
    EXPECT_EQ(list.GetSafeHwnd(), ::GetFocus());
    list.DestroyWindow();
}
