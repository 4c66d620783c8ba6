// Resource ids of the filter value popup.
#pragma once

#define IDD_FILTER_TEXT             101
#define IDC_FILTER_VALUES           1670
