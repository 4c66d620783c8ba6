// Formula columns the trader defines in the terminal's market watch: "Mid = (Bid + Ask) / 2" built
// in the dialog by clicks on the grid's "Add Custom Columns", a second column typed over the
// existing Spread, Mid edited, Spread deleted (the column built on it goes too), and a restart
// that brings the remaining columns back from the saved settings.
#include "DemoScene.h"
#include "DemoTerminal.h"

#include "dialogs/AddUserColDlg.h"
#include "host/ExtraColumns.h"
#include "market/MrktWatchListCtrl.h"
#include "resources/UserColumnRes.h"

namespace
{
void Click(CWnd& dlg, UINT nID, bool bCtrl = false)
{
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = bCtrl ? 0x80 : 0;
    ::SetKeyboardState(keys);
    ::SendMessage(dlg.GetDlgItem(nID)->m_hWnd, BM_CLICK, 0, 0);
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
}

void Type(CWnd& dlg, UINT nID, const char* pszText)
{
    for (const char* p = pszText; *p != '\0'; ++p)
        dlg.GetDlgItem(nID)->SendMessage(WM_CHAR, (WPARAM)(BYTE)*p, 0);
}

void Select(CAddUserColDlg& dlg, const char* pszName)
{
    for (int i = 0; i < dlg.m_ColumnList.GetCount(); ++i)
    {
        CString text;
        dlg.m_ColumnList.GetText(i, text);
        if (text == pszName)
            dlg.m_ColumnList.SetCurSel(i);
    }
}

void Choose(CAddUserColDlg& dlg, const char* pszName)
{
    dlg.m_UserColumnList.SetCurSel(dlg.m_UserColumnList.FindStringExact(-1, pszName));
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UCOL_USER_COLUMNS, CBN_SELCHANGE), (LPARAM)dlg.m_UserColumnList.m_hWnd);
}

// The grid's own menu command, as the trader picks it.
CAddUserColDlg& Command(UINT nID)
{
    DemoTerminalList()->SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0), 0);
    return AddUserColDlg();
}

// Confirms, lets the terminal rebuild its grid, streams a few ticks.
void Confirm(CDemoContext& context, CAddUserColDlg& dlg, const char* pszWhat)
{
    Click(dlg, IDOK);
    context.Pump();
    DemoTerminalTicks(5);
    context.Pump();
    context.Print("user columns: %s; columns now %s", pszWhat, DemoTerminalColumns().c_str());
}

// Bid, Ask and the named column of the first rows, to read the formula's result against.
void PrintRows(CDemoContext& context, const char* pszColumn)
{
    CMrktWatchListCtrl* pList = DemoTerminalList();
    CHeaderCtrl* pHeader = pList->GetHeaderCtrl();
    int nBid = -1, nAsk = -1, nColumn = -1;
    for (int i = 0; i < pHeader->GetItemCount(); ++i)
    {
        char sz[64] = "";
        HDITEMA item = {};
        item.mask = HDI_TEXT;
        item.pszText = sz;
        item.cchTextMax = sizeof(sz);
        pHeader->GetItem(i, &item);
        const CString csText = sz;
        nBid = csText == "Bid" ? i : nBid;
        nAsk = csText == "Ask" ? i : nAsk;
        nColumn = csText == pszColumn ? i : nColumn;
    }
    for (int r = 0; r < 3 && nColumn >= 0; ++r)
        context.Print("user columns:   row %d  Bid %s  Ask %s  %s %s", r, (LPCTSTR)pList->GetItemText(r, nBid),
                      (LPCTSTR)pList->GetItemText(r, nAsk), pszColumn, (LPCTSTR)pList->GetItemText(r, nColumn));
}
}  // namespace

DEMO_SCENE(UserColumns, 2)
{
    if (!context.m_bHeadless || DemoTerminalList() == nullptr)
        return;
    // The settings outlive a run: the session starts from the terminal's first two user columns.
    DemoTerminalRestart(context, true);

    // Mid, by clicks: "(", Bid "+", Ask "End", ")", Ctrl+"/" and a typed 2.
    CAddUserColDlg& add = Command(ID_LIST_ADD_CUSTOM_COLUMNS);
    add.CenterWindow(context.m_pMainWnd);
    Type(add, IDC_UCOL_NAME, "Mid");
    Click(add, IDC_UCOL_OPEN);
    Select(add, "Bid");
    Click(add, IDC_UCOL_PLUS);
    context.Capture(&add, "usercolumns_add_halfway");
    Select(add, "Ask");
    Click(add, IDC_UCOL_END);
    Click(add, IDC_UCOL_CLOSE);
    Click(add, IDC_UCOL_DIVIDE, true);
    Type(add, IDC_UCOL_EXPRESSION, "2");
    context.Capture(&add, "usercolumns_add_ready");
    Confirm(context, add, "Mid added");
    PrintRows(context, "Mid");
    context.Capture(context.m_pMainWnd, "usercolumns_mid_live");

    // Half Spread, typed over the terminal's Spread column.
    CAddUserColDlg& half = Command(ID_LIST_ADD_CUSTOM_COLUMNS);
    Type(half, IDC_UCOL_NAME, "Half Spread");
    Type(half, IDC_UCOL_EXPRESSION, "\"Spread\" / 2");
    Confirm(context, half, "Half Spread added");

    // Mid edited: the last price joins the average.
    CAddUserColDlg& edit = Command(ID_LIST_EDIT_CUSTOM_COLUMNS);
    edit.CenterWindow(context.m_pMainWnd);
    Choose(edit, "Mid");
    edit.SetDlgItemText(IDC_UCOL_EXPRESSION, "(\"Bid\" + \"Ask\" + \"Last\") / 3");
    context.Capture(&edit, "usercolumns_edit");
    Confirm(context, edit, "Mid edited");
    PrintRows(context, "Mid");

    // Spread deleted: Half Spread, built on it, goes too.
    CAddUserColDlg& del = Command(ID_LIST_DELETE_CUSTOM_COLUMNS);
    Choose(del, "Spread");
    Confirm(context, del, "Spread deleted");
    context.Capture(context.m_pMainWnd, "usercolumns_after_delete");

    DemoTerminalRestart(context);
    DemoTerminalTicks(5);
    context.Pump();
    context.Print("user columns: after a restart: %s (iMrktInfoColCount %d)", DemoTerminalColumns().c_str(),
                  iMrktInfoColCount);
    PrintRows(context, "Mid");
    context.Capture(context.m_pMainWnd, "usercolumns_restarted");
}
