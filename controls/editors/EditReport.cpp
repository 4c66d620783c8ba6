// Refusal reports, clipboard reading, the paste key and the context menu of the edit boxes.
#include "editors/EditReport.h"

void ReportInputError(CEdit* pEdit, LPCWSTR lpszTitle, LPCWSTR lpszText)
{
    pEdit->ShowBalloonTip(lpszTitle, lpszText, TTI_ERROR);
    AfxMessageBeep(MB_ICONEXCLAMATION);
}

CString GetClipboardText(CWnd* pOwner)
{
    CString text;
    AfxGetClipboardText(pOwner->GetSafeHwnd(), text);
    return text;
}

CString GetTextWithSelectionReplaced(const CEdit* pEdit, const CString& strInsert)
{
    CString strText;
    pEdit->GetWindowText(strText);
    int nStart = 0;
    int nEnd = 0;
    pEdit->GetSel(nStart, nEnd);
    const int nLength = strText.GetLength();
    nStart = nStart < 0 ? 0 : (nStart > nLength ? nLength : nStart);
    nEnd = nEnd < nStart ? nStart : (nEnd > nLength ? nLength : nEnd);
    return strText.Left(nStart) + strInsert + strText.Mid(nEnd);
}

BOOL IsPasteKey(UINT nChar)
{
    return nChar == VK_INSERT && ::GetKeyState(VK_SHIFT) < 0 && ::GetKeyState(VK_CONTROL) >= 0;
}

UINT TrackEditContextMenu(CEdit* pEdit, CPoint ptScreen, BOOL bPasteAllowed)
{
    const bool bReadOnly = (pEdit->GetStyle() & ES_READONLY) != 0;
    int nStart = 0;
    int nEnd = 0;
    pEdit->GetSel(nStart, nEnd);
    const bool bSelection = nEnd > nStart;
    const bool bText = pEdit->GetWindowTextLength() > 0;
    const bool bPaste = bPasteAllowed && !bReadOnly && ::IsClipboardFormatAvailable(CF_TEXT);
    auto state = [](bool bEnabled) { return MF_STRING | (bEnabled ? MF_ENABLED : MF_GRAYED); };

    CMenu menu;
    if (!menu.CreatePopupMenu())
        return 0;
    menu.AppendMenu(state(!bReadOnly && pEdit->CanUndo()), WM_UNDO, "&Undo");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(state(!bReadOnly && bSelection), WM_CUT, "Cu&t");
    menu.AppendMenu(state(bSelection), WM_COPY, "&Copy");
    menu.AppendMenu(state(bPaste), WM_PASTE, "&Paste");
    menu.AppendMenu(state(!bReadOnly && bSelection), WM_CLEAR, "&Delete");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(state(bText && !(nStart == 0 && nEnd >= pEdit->GetWindowTextLength())), EM_SETSEL, "Select &All");

    if (ptScreen.x == -1 && ptScreen.y == -1)
    {
        ptScreen = CPoint(0, 0);
        pEdit->ClientToScreen(&ptScreen);
    }
    return (UINT)menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, ptScreen.x,
                                     ptScreen.y, pEdit);
}

void RunEditCommand(CEdit* pEdit, UINT nCommand)
{
    switch (nCommand)
    {
    case WM_UNDO:
    case WM_CUT:
    case WM_COPY:
    case WM_PASTE:
    case WM_CLEAR:
        pEdit->SendMessage(nCommand, 0, 0);
        break;
    case EM_SETSEL:
        pEdit->SetSel(0, -1);
        break;
    default:
        break;
    }
}
