#pragma once
// Pictures of windows for a person to look at, saved under $TAVREN_TEST_OUTPUT.

#include "rtl/Types.h"
#include "rtl/WinTypes.h"

// Paints what is pending and saves the window as <Name>.png when TAVREN_TEST_OUTPUT is set; true when there was nothing to
// do or the file was written.
bool SaveWindowShot(HWND Window, const String& Name);
