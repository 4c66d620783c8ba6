#include "RecoveryFiles.h"

namespace {
CString& RecoveryFile()
{
    static CString csFile;
    return csFile;
}

CString& DialogPosPath()
{
    static CString csPath;
    return csPath;
}
}  // namespace

void SetRecoveryFileNames(const CString& csRecoveryFile, const CString& csDialogPosPath)
{
    RecoveryFile() = csRecoveryFile;
    DialogPosPath() = csDialogPosPath;
}

CString GetRecoveryFileName()
{
    return RecoveryFile();
}

CString GetDialogPosPath()
{
    return DialogPosPath();
}
