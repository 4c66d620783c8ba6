// The library's single "Customized Appearance" and "User Customize Appearance" dialogs, reached by
// the lists through their hook table: created on first use, shown for the list that asks, let go
// of a list that goes away, and destroyed when the library unloads.
#include "dialogs/CustomizedAppearance.h"
#include "dialogs/UserCusomize.h"
#include "lists/CommonListHooks.h"
#include "market/MrktWatchListCtrl.h"
#include "host/ControlsModule.h"
#include "resources/AppearanceRes.h"


namespace
{
CCustomizedAppearance* g_pCustomize = nullptr;
CUserCusomize* g_pUserCustomize = nullptr;

// The market watch edits its appearance elsewhere (its own colour and font commands).
bool IsMarketWatch(const CCommonListCtrl* pList)
{
    return pList->IsKindOf(RUNTIME_CLASS(CMrktWatchListCtrl)) != FALSE;
}

// Creates the dialog's window when it has none (first use, or its owner took it down).
template <class TDialog>
bool EnsureWindow(TDialog*& pDlg, UINT nIDTemplate, CCommonListCtrl* pList)
{
    if (pDlg == nullptr)
        pDlg = new TDialog(pList);
    if (pDlg->GetSafeHwnd() != nullptr)
        return true;
    return pDlg->Create(nIDTemplate, pList) != FALSE;
}

template <class TDialog>
void ShowFor(TDialog* pDlg, CCommonListCtrl* pList, LPCTSTR lpszCaption)
{
    pDlg->SetWindowText(CString(lpszCaption) + pList->m_csListName + " ");
    pDlg->SetParentList(pList);
    pDlg->ShowWindow(SW_SHOW);
    pDlg->BringWindowToTop();
    pDlg->CenterWindow(pList);
}

void Customize(CCommonListCtrl* pList)
{
    if (pList->GetSafeHwnd() == nullptr || IsMarketWatch(pList) ||
        !EnsureWindow(g_pCustomize, IDD_CUSTOMIZED_APPEARANCE, pList))
        return;
    ShowFor(g_pCustomize, pList, "Customize Appearance :");
}

void UserCustomize(CCommonListCtrl* pList)
{
    if (pList->GetSafeHwnd() == nullptr || IsMarketWatch(pList) ||
        !EnsureWindow(g_pUserCustomize, IDD_USER_CUSTOMIZE, pList))
        return;
    ShowFor(g_pUserCustomize, pList, "User Customize Appearance :");
}

void ForgetList(CCommonListCtrl* pList)
{
    if (g_pCustomize != nullptr && g_pCustomize->m_pParentList == pList)
    {
        g_pCustomize->m_pParentList = nullptr;
        if (g_pCustomize->GetSafeHwnd() != nullptr)
            g_pCustomize->ShowWindow(SW_HIDE);
    }
    if (g_pUserCustomize != nullptr && g_pUserCustomize->m_pParentList == pList)
    {
        g_pUserCustomize->m_pParentList = nullptr;
        if (g_pUserCustomize->GetSafeHwnd() != nullptr)
            g_pUserCustomize->ShowWindow(SW_HIDE);
    }
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
    Release(g_pCustomize);
    Release(g_pUserCustomize);
}

const bool s_bHooked = []
{
    CommonListHooks().pfnCustomize = &Customize;
    CommonListHooks().pfnUserCustomize = &UserCustomize;
    CommonListHooks().pfnForgetList = &ForgetList;
    AddLibraryUnloadAction(&ReleaseDialogs);
    return true;
}();
}  // namespace
