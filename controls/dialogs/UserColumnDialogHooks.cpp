// The library's user-defined column dialogs: one market-watch dialog, reached by the base list's
// commands through the hook table, and two general dialogs for hosts. All are constructed on first
// use and destroyed when the library unloads; a dialog whose list went away lets go of it when
// next used (CCommonListCtrl::IsLiveList).
#include "dialogs/AddUserColDlg.h"
#include "dialogs/UserDefinedColDlg.h"
#include "lists/CommonListCtrl.h"
#include "lists/CommonListHooks.h"
#include "host/ControlsModule.h"
#include "resources/UserColumnRes.h"

namespace
{
CAddUserColDlg* g_pAddUserCol = nullptr;
CUserDefinedColDlg* g_pUserDefinedCol[2] = { nullptr, nullptr };

struct sModeTexts
{
    int nMode;
    LPCTSTR lpszTitle;
    LPCTSTR lpszOk;
};
const sModeTexts kModes[] = {
    { AUC_MODE_ADD, "Add User Defined Columns", "&Add" },
    { AUC_MODE_DELETE, "Delete User Defined Columns", "Delete" },
    { AUC_MODE_EDIT, "Edit User Defined Columns", "&Save" },
};

// Commands 32859, 33406 and 60338 of the base list: the window is made again for every command.
void OpenAddUserColumn(CCommonListCtrl* pList, int nMode)
{
    if (pList == nullptr || pList->GetSafeHwnd() == nullptr)
        return;
    const sModeTexts* pTexts = nullptr;
    for (const sModeTexts& texts : kModes)
    {
        if (texts.nMode == nMode)
            pTexts = &texts;
    }
    if (pTexts == nullptr)
        return;
    CAddUserColDlg& dlg = AddUserColDlg();
    if (dlg.GetSafeHwnd() != nullptr)
        dlg.DestroyWindow();
    if (!dlg.Create(IDD_ADD_USER_COL, pList))
        return;
    dlg.m_nMode = nMode;
    dlg.m_pList = pList;
    dlg.FillValuesToList();
    const bool bAdd = nMode == AUC_MODE_ADD;
    dlg.GetDlgItem(IDC_UCOL_NAME)->ShowWindow(bAdd ? SW_SHOW : SW_HIDE);
    dlg.GetDlgItem(IDC_UCOL_USER_COLUMNS)->ShowWindow(bAdd ? SW_HIDE : SW_SHOW);
    dlg.SetWindowText(pTexts->lpszTitle);
    dlg.SetDlgItemText(IDOK, pTexts->lpszOk);
    dlg.ShowWindow(SW_SHOW);
}

template <class TDialog>
void Release(TDialog*& pDlg)
{
    if (pDlg == nullptr)
        return;
    if (pDlg->GetSafeHwnd() != nullptr)
        pDlg->DestroyWindow();
    delete pDlg;
    pDlg = nullptr;
}

void ReleaseDialogs()
{
    Release(g_pAddUserCol);
    Release(g_pUserDefinedCol[0]);
    Release(g_pUserDefinedCol[1]);
}

const bool s_bHooked = []
{
    CommonListHooks().pfnUserDefinedColumn = &OpenAddUserColumn;
    AddLibraryUnloadAction(&ReleaseDialogs);
    return true;
}();
}  // namespace

CAddUserColDlg& AddUserColDlg()
{
    if (g_pAddUserCol == nullptr)
        g_pAddUserCol = new CAddUserColDlg();
    return *g_pAddUserCol;
}

CUserDefinedColDlg& UserDefinedColDlg(int nIndex)
{
    CUserDefinedColDlg*& pDlg = g_pUserDefinedCol[nIndex == 0 ? 0 : 1];
    if (pDlg == nullptr)
        pDlg = new CUserDefinedColDlg();
    return *pDlg;
}
