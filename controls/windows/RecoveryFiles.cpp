#include "RecoveryFiles.h"

#include <CommonListCtrl.h>

// One place holds the names: the list control's statics, which the host sets.
void SetRecoveryFileNames(const CString& csRecoveryFile, const CString& csDialogPosPath)
{
    CCommonListCtrl::SetRecoveryFiles(csRecoveryFile, csDialogPosPath);
}

CString GetRecoveryFileName()
{
    return CCommonListCtrl::m_csGetRecoveryFile;
}

CString GetDialogPosPath()
{
    return CCommonListCtrl::m_csGetDialogPosPath;
}
