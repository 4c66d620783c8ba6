// Resource ids of the font setting dialog and the two appearance dialogs.
#pragma once

#define IDD_FONT_SETTING                302
#define IDC_FS_FONT                     33076
#define IDC_FS_SIZE                     33077

#define IDD_CUSTOMIZED_APPEARANCE       466
#define IDC_CA_PROPERTY                 1694
#define IDC_CA_COLOR                    1026
#define IDC_CA_FONT                     1695
#define IDC_CA_GROUP                    1040
#define IDC_CA_COLUMN_LABEL             1041
#define IDC_CA_KEYWORD_LABEL            1042
#define IDC_CA_COLUMN                   1035
#define IDC_CA_CHANGE_COLUMN            1001
#define IDC_CA_KEYWORD                  1033
#define IDC_CA_ADD                      2626
#define IDC_CA_KEYWORDS                 1032
#define IDC_CA_APPLY                    1696

#define IDD_USER_CUSTOMIZE              701
#define IDC_UC_LIST                     1034
#define IDC_UC_BACKGROUND               1965
#define IDC_UC_APPLY                    33047
