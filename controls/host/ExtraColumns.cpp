#include "host/ExtraColumns.h"

int iMrktInfoColCount = 100;
int iNewDataArrCnt = 0;
