// What the edit boxes share: the refusal report (an error balloon on the box, then the warning
// beep), the text on the clipboard, and the ways text can reach a box besides typing: the paste
// key and the box's own context menu.
#pragma once

#include <afxwin.h>

// Shows the error balloon with the title and text on the box, then beeps MB_ICONEXCLAMATION.
CONTROLS_API void ReportInputError(CEdit* pEdit, LPCWSTR lpszTitle, LPCWSTR lpszText);

// The clipboard's CF_TEXT, opened with pOwner as owner; empty when there is none or the
// clipboard cannot be opened.
CONTROLS_API CString GetClipboardText(CWnd* pOwner);

// The text the box would hold if strInsert replaced its selection.
CONTROLS_API CString GetTextWithSelectionReplaced(const CEdit* pEdit, const CString& strInsert);

// Shift+Insert (Ctrl up): a paste that some platforms carry out inside the edit control without
// sending WM_PASTE. The boxes turn it into WM_PASTE so that their paste checks apply.
CONTROLS_API BOOL IsPasteKey(UINT nChar);

// The boxes' own context menu, shown through the modal seam instead of the edit control's:
// "&Undo", "Cu&t", "&Copy", "&Paste", "&Delete", "Select &All", each command carrying the id of
// the message that carries it out (WM_UNDO, WM_CUT, WM_COPY, WM_PASTE, WM_CLEAR, EM_SETSEL) and
// greyed when it could do nothing; Paste also when bPasteAllowed is FALSE. ptScreen (-1, -1), the
// keyboard's menu request, places it at the box's top-left corner. Returns the command, 0 for none.
CONTROLS_API UINT TrackEditContextMenu(CEdit* pEdit, CPoint ptScreen, BOOL bPasteAllowed);

// Carries out a command of that menu by sending its message to the box, so that the box's own
// checks see it; EM_SETSEL selects the whole text.
CONTROLS_API void RunEditCommand(CEdit* pEdit, UINT nCommand);
