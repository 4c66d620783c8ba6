#include "host/RecoveryFiles.h"

// Function-local statics: initialised on first use, so the list control's static references can
// bind to them during the library's start-up in any order.
CString& RecoveryFileStorage()
{
    static CString csRecoveryFile;
    return csRecoveryFile;
}

CString& DialogPosPathStorage()
{
    static CString csDialogPosPath;
    return csDialogPosPath;
}

void SetRecoveryFileNames(const CString& csRecoveryFile, const CString& csDialogPosPath)
{
    RecoveryFileStorage() = csRecoveryFile;
    DialogPosPathStorage() = csDialogPosPath;
}

CString GetRecoveryFileName()
{
    return RecoveryFileStorage();
}

CString GetDialogPosPath()
{
    return DialogPosPathStorage();
}
