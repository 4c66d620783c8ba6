// The sample terminal's market watch, for the scenes that work on it after the terminal is up.
#pragma once

#include <string>

class CDemoContext;
class CMrktWatchListCtrl;

// The terminal's grid (null before the terminal scene built it).
CMrktWatchListCtrl* DemoTerminalList();
// Quote ticks of the feed, without pumping.
void DemoTerminalTicks(int nTicks);
// Closes the grid (it saves its layout) and builds it again from the settings, as a restart does;
// with bDefaultColumns the terminal's first two user columns replace those stored.
void DemoTerminalRestart(CDemoContext& context, bool bDefaultColumns = false);
// The header texts in display order.
std::string DemoTerminalColumns();
