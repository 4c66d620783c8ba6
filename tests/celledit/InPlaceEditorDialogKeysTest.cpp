// Enter and Escape in a cell editor belong to the editor: inside a dialog they must end the edit and
// nothing else (no OK or Cancel of the dialog), and a drop-down with an edit part must end on them
// as the drop-down list does.
#include "CellEditTest.h"

#include "editors/InPlaceCombo.h"
#include "editors/InPlaceDTPicker.h"
#include "editors/InPlaceEdit.h"
#include "editors/InPlacePriceEdit.h"
#include "market/CategoryListCtrl.h"

namespace
{
const UINT kListId = 78;
const UINT kEditorId = 501;
const CRect kCell(20, 20, 140, 40);

class CCountingDialog : public CDialog
{
public:
    int m_nOk = 0;
    int m_nCancel = 0;
    void OnOK() override { ++m_nOk; }
    void OnCancel() override { ++m_nCancel; }
};

enum eEditor { kText, kPrice, kDropList, kDropDown, kPicker };
}  // namespace

class InPlaceEditorDialogKeysTest : public CellEditTest
{
protected:
    void SetUp() override
    {
        CellEditTest::SetUp();
        // The grid dialog without its grid, with an OK (default) and a Cancel button.
        ASSERT_TRUE(m_dialog.Create(3100, &m_frame));
        m_dialog.GetDlgItem(1001)->DestroyWindow();
        const DWORD dwButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
        ASSERT_TRUE(m_ok.Create("OK", dwButton | BS_DEFPUSHBUTTON, CRect(200, 230, 260, 250), &m_dialog, IDOK));
        ASSERT_TRUE(m_cancel.Create("Cancel", dwButton, CRect(270, 230, 330, 250), &m_dialog, IDCANCEL));
        ASSERT_TRUE(m_list.CreateRecorder(&m_dialog, CRect(5, 5, 400, 200), kListId));
    }
    void TearDown() override
    {
        CInPlaceEdit::DeleteInstance();
        CInPlacePriceEdit::DeleteInstance();
        CInPlaceCombo::DeleteInstance();
        CInPlaceDTPicker::DeleteInstance();
        if (m_list.GetSafeHwnd() != nullptr)
            m_list.DestroyWindow();
        if (m_dialog.GetSafeHwnd() != nullptr)
            m_dialog.DestroyWindow();
        CellEditTest::TearDown();
    }
    // Opens the editor over row 1, column 2 with the cell text "BUY"; returns the editor window.
    HWND Show(eEditor editor)
    {
        CString strText = "BUY", strValid;
        CStringList items;
        items.AddTail("BUY");
        items.AddTail("SELL");
        switch (editor)
        {
        case kText:
            CInPlaceEdit::GetInstance()->ShowEditCtrl(WS_BORDER, kCell, &m_list, kEditorId, 1, 2, strValid, strText,
                                                      &m_list);
            return CInPlaceEdit::GetInstance()->GetSafeHwnd();
        case kPrice:
            strText = "12.5";
            CInPlacePriceEdit::GetInstance()->ShowPriceEditCtrl(WS_BORDER, kCell, &m_list, kEditorId, 1, 2, strText,
                                                                &m_list);
            return CInPlacePriceEdit::GetInstance()->GetSafeHwnd();
        case kDropList:
        case kDropDown:
            CInPlaceCombo::GetInstance()->ShowComboCtrl(
                WS_VSCROLL | (editor == kDropList ? CBS_DROPDOWNLIST : CBS_DROPDOWN), CRect(20, 20, 140, 200),
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
    // The texts of the end-of-edit reports that reached the list.
    std::vector<std::string> Reports()
    {
        AfxPumpPendingMessages();
        std::vector<std::string> texts;
        for (const sRecordedMsg& r : m_list.Of(WM_NOTIFY, LVN_ENDLABELEDITA))
            texts.push_back(r.line.substr(r.line.find("text=")));
        return texts;
    }

    CCountingDialog m_dialog;
    CButton m_ok, m_cancel;
    CMessageRecorder m_list;
};

// A drop-down with an edit part reports the typed text on Enter and the cell's text after Escape;
// a click elsewhere afterwards reports nothing a second time.
TEST_F(InPlaceEditorDialogKeysTest, EnterAndEscapeEndTheEditWithoutPressingTheDialogsButtons)
{
    struct sCase { eEditor editor; const char* typed; const char* enter; const char* escape; } const cases[] = {
        { kText, nullptr, "BUY", "BUY" },           { kPrice, nullptr, "12.5", "12.5" },
        { kDropList, nullptr, "BUY", "BUY" },       { kDropDown, nullptr, "BUY", "BUY" },
        { kDropDown, "LIMIT", "LIMIT", "BUY" },     { kPicker, nullptr, "10:00:00", "10:00:00" },
    };
    for (const sCase& c : cases)
    {
        for (UINT vk : { VK_RETURN, VK_ESCAPE })
        {
            SCOPED_TRACE(std::to_string(c.editor) + (c.typed ? " typed " : " ") + (vk == VK_RETURN ? "Enter" : "Escape"));
            m_list.Clear();
            m_dialog.m_nOk = m_dialog.m_nCancel = 0;
            HWND hEditor = Show(c.editor);
            ASSERT_NE(nullptr, hEditor);
            AfxPumpPendingMessages();
            // The key goes where the keyboard is: a drop-down's edit part when it has one.
            HWND hKeys = ::GetFocus();
            EXPECT_EQ(c.editor == kDropDown, hKeys != hEditor && ::IsChild(hEditor, hKeys));
            if (c.typed)
                ::SetWindowTextA(hKeys, c.typed);
            PressKey(hKeys, vk);
            m_dialog.GetDlgItem(IDOK)->SetFocus();
            EXPECT_EQ(0, m_dialog.m_nOk);
            EXPECT_EQ(0, m_dialog.m_nCancel);
            EXPECT_EQ(std::vector<std::string>{ std::string("text=\"") + (vk == VK_RETURN ? c.enter : c.escape) + "\"" },
                      Reports());
            EXPECT_FALSE(::IsWindow(hEditor));
        }
    }
}

TEST_F(InPlaceEditorDialogKeysTest, ACategoryListInADialogKeepsTabAndEnterInTheGrid)
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
    AfxPumpPendingMessages();
    ASSERT_NE(nullptr, pEdit->GetSafeHwnd());
    EXPECT_EQ(pEdit->GetSafeHwnd(), ::GetFocus());
    EXPECT_EQ(1, pEdit->m_iRowIndex);
    EXPECT_EQ(0, pEdit->m_iColumnIndex);
    PressKey(::GetFocus(), VK_RETURN);
    AfxPumpPendingMessages();
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
    AfxPumpPendingMessages();
    EXPECT_EQ(list.GetSafeHwnd(), ::GetFocus());
    list.DestroyWindow();
}
