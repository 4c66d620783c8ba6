#include "editors/InPlaceNotify.h"

LRESULT SendEndLabelEdit(CWnd* pTarget, HWND hwndFrom, UINT_PTR idFrom, CWnd* pIdSource, int nRow, int nColumn,
                         LPTSTR pszText, int nTextLen)
{
    if (pTarget == nullptr || !::IsWindow(pTarget->GetSafeHwnd()))
        return 0;
    NMLVDISPINFOA info = {};
    info.hdr.hwndFrom = hwndFrom;
    info.hdr.idFrom = idFrom;
    info.hdr.code = LVN_ENDLABELEDITA;
    info.item.mask = LVIF_TEXT;
    info.item.iItem = nRow;
    info.item.iSubItem = nColumn;
    info.item.pszText = pszText;
    info.item.cchTextMax = nTextLen;
    const WPARAM wParam = pIdSource != nullptr ? (WPARAM)pIdSource->GetDlgCtrlID() : 0;
    return pTarget->SendMessage(WM_NOTIFY, wParam, (LPARAM)&info);
}

void WidenEditToText(CEdit* pEdit, CWnd* pFontSource)
{
    CWnd* pParent = pEdit->GetParent();
    if (pParent == nullptr)
        return;
    CString strText;
    pEdit->GetWindowText(strText);
    CSize size;
    {
        CWindowDC dc(pEdit);
        CFont* pFont = pFontSource != nullptr ? pFontSource->GetFont() : nullptr;
        CFont* pOld = pFont != nullptr ? dc.SelectObject(pFont) : nullptr;
        size = dc.GetTextExtent(strText);
        if (pOld != nullptr)
            dc.SelectObject(pOld);
    }
    CRect rcClient;
    pEdit->GetClientRect(&rcClient);
    if (size.cx + 5 <= rcClient.Width())
        return;
    CRect rcParent;
    pParent->GetClientRect(&rcParent);
    CRect rcWindow;
    pEdit->GetWindowRect(&rcWindow);
    pParent->ScreenToClient(&rcWindow);
    rcWindow.right = rcWindow.left + size.cx + 5;
    if (rcWindow.right > rcParent.right)
        rcWindow.right = rcParent.right;
    pEdit->MoveWindow(&rcWindow, TRUE);
}
