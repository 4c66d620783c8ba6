// What the edit boxes share: the refusal report (an error balloon on the box, then the warning
// beep) and the text on the clipboard.
#pragma once

#include <afxwin.h>

// Shows the error balloon with the title and text on the box, then beeps MB_ICONEXCLAMATION.
CONTROLS_API void ReportInputError(CEdit* pEdit, LPCWSTR lpszTitle, LPCWSTR lpszText);

// The clipboard's CF_TEXT, opened with pOwner as owner; empty when there is none or the
// clipboard cannot be opened.
CONTROLS_API CString GetClipboardText(CWnd* pOwner);
