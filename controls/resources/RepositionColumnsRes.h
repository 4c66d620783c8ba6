// Resource ids of the Reposition Columns dialog.
#pragma once

#define IDD_REPOSITION_COLUMNS      197
#define IDC_RC_HIDDEN_LIST          1653
#define IDC_RC_SHOWN_LIST           1654
#define IDC_RC_AUTOSORT             1185
#define IDC_RC_VIEW                 1533
#define IDC_RC_SAVE                 2137
#define IDC_RC_SHOW                 2134
#define IDC_RC_HIDE                 2135
