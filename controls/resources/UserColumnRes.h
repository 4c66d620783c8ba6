// Resource ids of the two user-defined (formula) column dialogs.
#pragma once

#define IDD_USER_DEFINED_COL            30009   // the general dialog (CUserDefinedColDlg)
#define IDD_ADD_USER_COL                173     // the market-watch dialog (CAddUserColDlg)

#define IDC_UCOL_COLUMNS                1004    // list box: the columns a formula may use
#define IDC_UCOL_EXPRESSION             32855   // multi-line edit: the display form
#define IDC_UCOL_NAME                   32856   // edit: the new column's name
#define IDC_UCOL_USER_COLUMNS           1551    // combo box: the existing user columns
#define IDC_UCOL_PLUS                   1032
#define IDC_UCOL_MINUS                  1033
#define IDC_UCOL_MULTIPLY               1034
#define IDC_UCOL_DIVIDE                 1035
#define IDC_UCOL_OPEN                   1031
#define IDC_UCOL_CLOSE                  1517
#define IDC_UCOL_SQUARE                 1036
#define IDC_UCOL_POWER                  1037
#define IDC_UCOL_CLEAR                  1518
#define IDC_UCOL_END                    1519
#define IDC_UCOL_NAME_LABEL             1520
