// Resource ids of the Trend Settings dialog.
#pragma once

#define IDD_LIST_TREND_SETTING          332
#define IDC_TRENDSET_COLUMNS            2001
#define IDC_TRENDSET_BKGRND             1185
#define IDC_TRENDSET_TEXT               33049
#define IDC_TRENDSET_POSTREND           2002
#define IDC_TRENDSET_NEGTREND           2784
#define IDC_TRENDSET_SLIDER             1020
#define IDC_TRENDSET_TIME_LABEL         2005
