// Counts of the market watch's extra (user-defined) columns, shared with the host.
#pragma once

#include <afxdefs.h>

// Highest market-watch column id in use; user-defined columns take the ids above 100.
CONTROLS_API extern int iMrktInfoColCount;
// Extra data slots requested from the host so far.
CONTROLS_API extern int iNewDataArrCnt;
