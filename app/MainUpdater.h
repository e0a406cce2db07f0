#pragma once
// The updater the main window starts at every start: "update.exe" beside the program, told where
// to look for updates, which product and version it serves, the main window to report to and,
// when the uninstaller is there too, how to remove the program quietly.

#include "rtl/WinTypes.h"

// The updater's command line for MainWindow, the program living in Folder (with a trailing
// delimiter).
String UpdaterParameters(HWND MainWindow, const String& Folder);

// Starts Folder's "update.exe" through the shell; the program goes on at once and a missing
// updater is not reported.
void LaunchUpdater(HWND MainWindow, const String& Folder);
