// The cell editors over real windows that record what they report: the in-place editors (text,
// price, quantity, drop-down, date/time, label) over a "list" in a dialog with an OK (default) and
// a Cancel button, reporting LVN_ENDLABELEDIT and the navigation messages in order whichever way
// the edit ends (Enter and Escape belong to the editor); and the editable list, whose host callback
// decides whether an edit is stored, and whose typed value lands in the row the editor was opened
// on whatever moves the rows, never half typed. Keys go through the message pump (so
// PreTranslateMessage sees them) with modifier keys held.
#include "TestHost.h"
#include "TestSupport.h"

#include "editors/InPlaceCombo.h"
#include "editors/InPlaceDTPicker.h"
#include "editors/InPlaceEdit.h"
#include "editors/InPlaceNotify.h"
#include "editors/InPlacePriceEdit.h"
#include "editors/InPlaceQuantityEdit.h"
#include "editors/ListEditCtrl.h"
#include "lists/gxEditCell.h"
#include "lists/gxListCtrl.h"
#include "market/CategoryListCtrl.h"

#include <functional>
#include <string>
#include <vector>

class CellEditTest : public HostTest
{
protected:
    void TearDown() override
    {
        HoldKeys(false, false);
        HostTest::TearDown();
    }

    // Sets the keyboard state's Ctrl and Shift keys as held or not.
    static void HoldKeys(bool bCtrl, bool bShift)
    {
        BYTE keys[256] = {};
        if (bCtrl)
            keys[VK_CONTROL] = keys[VK_LCONTROL] = 0x80;
        if (bShift)
            keys[VK_SHIFT] = keys[VK_LSHIFT] = 0x80;
        ::SetKeyboardState(keys);
    }
    // Posts WM_KEYDOWN to the window and pumps, with the modifiers held meanwhile.
    static void PressKey(HWND hWnd, UINT vk, bool bCtrl = false, bool bShift = false)
    {
        HoldKeys(bCtrl, bShift);
        ::PostMessageA(hWnd, WM_KEYDOWN, vk, 1);
        AfxPumpPendingMessages();
        HoldKeys(false, false);
    }
    static void PostKeyUp(HWND hWnd, UINT vk)
    {
        ::PostMessageA(hWnd, WM_KEYUP, vk, 0xC0000001);
        AfxPumpPendingMessages();
    }
    // WM_CHAR for each byte.
    static void Type(HWND hWnd, const char* pszText)
    {
        for (const char* p = pszText; *p != '\0'; ++p)
            ::SendMessageA(hWnd, WM_CHAR, (WPARAM)(unsigned char)*p, 1);
    }
    static std::string Text(HWND hWnd)
    {
        char sz[1024] = "";
        ::GetWindowTextA(hWnd, sz, sizeof(sz));
        return sz;
    }
    // The LVN_ENDLABELEDIT lines the recorder received.
    static std::vector<std::string> EndEdits(const CMessageRecorder& recorder)
    {
        std::vector<std::string> lines;
        for (const sRecordedMsg& r : recorder.Of(WM_NOTIFY, LVN_ENDLABELEDITA))
            lines.push_back(r.line);
        return lines;
    }
    // The line the recorder writes for an end-of-edit report from the given control id.
    static std::string EndEditLine(UINT nId, int nRow, int nColumn, const char* pszText)
    {
        return "notify " + std::to_string(nId) + " LVN_ENDLABELEDIT item=" + std::to_string(nRow) +
               " sub=" + std::to_string(nColumn) + " text=" + (pszText ? "\"" + std::string(pszText) + "\"" : "null");
    }
    // A click in the middle of a list's cell as the mouse gives it: the list view tracks the mouse
    // until the button comes up, so that is queued first.
    static void ClickCell(CListCtrl& list, int nRow, int nColumn)
    {
        CRect rc;
        list.GetSubItemRect(nRow, nColumn, LVIR_BOUNDS, rc);
        if (nColumn == 0)
            rc.right = rc.left + list.GetColumnWidth(0);
        const LPARAM lParam = MAKELPARAM(rc.CenterPoint().x, rc.CenterPoint().y);
        list.PostMessage(WM_LBUTTONUP, 0, lParam);
        list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lParam);
        AfxPumpPendingMessages();
    }
    // A window's rectangle in its parent's client coordinates.
    static CRect RectInParent(HWND hWnd)
    {
        CRect rc;
        ::GetWindowRect(hWnd, &rc);
        ::MapWindowPoints(nullptr, ::GetParent(hWnd), reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
};

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
