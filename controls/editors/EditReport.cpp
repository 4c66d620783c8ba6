// Refusal reports and clipboard reading of the edit boxes.
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
