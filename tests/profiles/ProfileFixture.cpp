#include "ProfileFixture.h"

BEGIN_MESSAGE_MAP(CProfileGridDialog, CDialog)
    ON_MESSAGE(WM_LIST_COLUMNS_REBUILT, OnColumnsRebuilt)
END_MESSAGE_MAP()
