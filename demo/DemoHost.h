// The sample terminal's host callbacks (exported by name from the executable).
#pragma once

#include <afxwin.h>

namespace DemoHost
{
// Settings go to <outputDir>\DemoSettings.ini, log lines to <outputDir>\demo.log.
void Initialise(const CString& outputDir);
CString SettingsFile();
void Shutdown();

// The market watch's cell texts: the terminal answers MrktWatchGetColumnText through this.
typedef int (*PFN_MARKET_TEXT)(CWnd* pListParent, void* pRecord, int nColumnId, CString& csText);
void SetMarketTextProvider(PFN_MARKET_TEXT pfn);
PFN_MARKET_TEXT GetMarketTextProvider();
}  // namespace DemoHost
