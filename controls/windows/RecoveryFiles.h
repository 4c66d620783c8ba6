// The two settings files the host names with CCommonListCtrl::SetRecoveryFiles, as the dialog
// base reads them: the application-data settings file (multi-monitor modes) and the dialog
// position file.
#pragma once

#include <afxwin.h>

// Records both names (SetRecoveryFiles passes its two arguments on, in the same order).
CONTROLS_API void SetRecoveryFileNames(const CString& csRecoveryFile, const CString& csDialogPosPath);
// File name for the tools library's application-data settings operations.
CONTROLS_API CString GetRecoveryFileName();
// Path of the file the dialog positions go to through the private-profile functions.
CONTROLS_API CString GetDialogPosPath();
