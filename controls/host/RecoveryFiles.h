// The two settings files the host names with CCommonListCtrl::SetRecoveryFiles: the
// application-data settings file (appearance settings, multi-monitor modes) and the dialog
// position file. They live here, at the host layer, so the dialog base and the lists both read
// them without including each other; CCommonListCtrl's statics are views of these two strings.
#pragma once

#include <afxwin.h>

// Records both names (SetRecoveryFiles passes its two arguments on, in the same order).
CONTROLS_API void SetRecoveryFileNames(const CString& csRecoveryFile, const CString& csDialogPosPath);
// File name for the tools library's application-data settings operations.
CONTROLS_API CString GetRecoveryFileName();
// Path of the file the dialog positions go to through the private-profile functions.
CONTROLS_API CString GetDialogPosPath();

// The stored strings themselves, for the list control's static members that alias them.
CONTROLS_API CString& RecoveryFileStorage();
CONTROLS_API CString& DialogPosPathStorage();
