#include "lists/ListCommands.h"

bool IsExportSourceLive(const sListExportSource& src)
{
    return CCommonListCtrl::IsLiveList(src.pList) && src.pList->m_hWnd == src.hWnd && ::IsWindow(src.hWnd);
}

CString ReadHeadingText(CHeaderCtrl* pHeader, int nPosition)
{
    char szText[256] = "";
    HDITEMA item = {};
    item.mask = HDI_TEXT;
    item.pszText = szText;
    item.cchTextMax = sizeof(szText);
    if (pHeader == nullptr || !pHeader->GetItem(nPosition, &item))
        szText[0] = '\0';
    return CString(szText);
}

void RunListExport(CCommonListCtrl& list, UINT nID, int nRows, PFN_EXPORT_TEXT pfnText)
{
    if (nRows == 0)
    {
        AfxMessageBox("No Items in the List");
        return;
    }
    if (CommonListHooks().pfnExport == nullptr)
        return;
    sListExportSource src = { &list, list.m_hWnd };
    CHeaderCtrl* pHeader = list.GetHeaderCtrl();
    int nColumns = pHeader ? pHeader->GetItemCount() : 0;
    int nResult = CommonListHooks().pfnExport(nRows + 1, nColumns, pfnText, &src,
                                              nID == ID_LIST_WRITE_TO_FILE ? list.m_pExportArg : nullptr);
    AfxMessageBox(nResult == 1 ? "File is generated" : "File generation Failed");
    // The list may have gone while the export ran.
    if (IsExportSourceLive(src))
        list.SetFocus();
}

BOOL PassMenuCommandToOwner(CCommonListCtrl& list, WPARAM wParam, LPARAM lParam)
{
    if (lParam != 0 || HIWORD(wParam) != 0)
        return FALSE;
    CWnd* pTarget = list.GetOwnerWnd() ? list.GetOwnerWnd() : list.GetParent();
    if (pTarget == nullptr)
        return FALSE;
    pTarget->SendMessage(WM_COMMAND, wParam, 0);
    return TRUE;
}
