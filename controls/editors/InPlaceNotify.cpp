#include "editors/InPlaceNotify.h"

#include <cstdlib>

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

bool HandleInPlaceEditKey(CEdit* pEdit, UINT nKey, int nColumn, CWnd* pListWnd, BOOL& bESC, bool bStripCommas)
{
    if (nKey != VK_ESCAPE && nKey != VK_RETURN && nKey != VK_UP && nKey != VK_DOWN && nKey != VK_TAB)
        return false;
    if (nKey == VK_ESCAPE)
        bESC = TRUE;
    if ((nKey == VK_UP || nKey == VK_DOWN) && nColumn == INPLACE_STEP_COLUMN)
    {
        CString strText;
        pEdit->GetWindowText(strText);
        if (bStripCommas)
            strText.Remove(',');
        // 32-bit arithmetic, as the value is kept.
        long lValue = atol(strText);
        if (nKey == VK_UP)
            lValue = (long)(int)((unsigned int)lValue * 2u);
        else if (lValue / 2 > 0)
            lValue /= 2;
        strText.Format("%ld", lValue);
        pEdit->SetWindowText(strText);
        return true;
    }
    if (nKey == VK_TAB && pListWnd != nullptr)
    {
        pListWnd->SetFocus();
        pListWnd->PostMessage(IsShiftDown() ? WM_INPLACE_PREVCELL : WM_INPLACE_NEXTCELL, 0, 0);
    }
    else if ((nKey == VK_UP || nKey == VK_DOWN) && pListWnd != nullptr)
    {
        pListWnd->SetFocus();
        pListWnd->PostMessage(nKey == VK_DOWN ? WM_INPLACE_DOWNCELL : WM_INPLACE_PREVCELL, 0, 0);
    }
    if (pEdit->GetSafeHwnd() != nullptr && pEdit->GetParent() != nullptr)
        pEdit->GetParent()->SetFocus();
    return false;
}

void ReportInPlaceEditEnd(CEdit* pEdit, int nRow, int nColumn, const CString& strInitial, BOOL bESC,
                          bool bStripCommas, bool bClose)
{
    CString strText = strInitial;
    if (!bESC)
    {
        pEdit->GetWindowText(strText);
        if (bStripCommas)
            strText.Remove(',');
    }
    CWnd* pParent = pEdit->GetParent();
    if (pParent != nullptr)
        SendEndLabelEdit(pParent, pParent->GetSafeHwnd(), pEdit->GetDlgCtrlID(), pParent, nRow, nColumn,
                         strText.GetBuffer(), strText.GetLength());
    strText.ReleaseBuffer();
    if (bClose && pEdit->GetSafeHwnd() != nullptr)
        pEdit->PostMessage(WM_CLOSE);
}
