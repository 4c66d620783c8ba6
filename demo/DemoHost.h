// The sample terminal's host callbacks (exported by name from the executable).
#pragma once

#include <afxwin.h>

namespace DemoHost
{
// Settings go to <outputDir>\DemoSettings.ini, log lines to <outputDir>\demo.log.
void Initialise(const CString& outputDir);
CString SettingsFile();
void Shutdown();
}  // namespace DemoHost
