// CSearchListBox: Ctrl+V is caught before the list box sees it, so the box's own type-ahead never
// reacts to the V.
#include "widgets/SearchListBox.h"

BOOL CSearchListBox::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd == m_hWnd && pMsg->message == WM_KEYDOWN && pMsg->wParam == 'V' &&
        ::GetKeyState(VK_CONTROL) < 0)
    {
        SelectByClipboard();
        return TRUE;
    }
    return CListBox::PreTranslateMessage(pMsg);
}

void CSearchListBox::SelectByClipboard()
{
    CString csText;
    if (!AfxGetClipboardText(m_hWnd, csText) || csText.IsEmpty())
        return;
    const int nFound = FindString(-1, csText);
    if (nFound == LB_ERR)
        return;
    if (GetStyle() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL))
    {
        SetSel(-1, FALSE);
        SetSel(nFound, TRUE);
        SetCaretIndex(nFound);
    }
    else
    {
        SetCurSel(nFound);
    }
}
