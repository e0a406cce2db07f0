#pragma once
// The inspector controls' binding to the theme library, made once at run time. Without the library,
// or with visual styles off, IsThemed answers false and every control draws its classic look.

#include "rtl/Types.h"
#include "rtl/WinTypes.h"

// Loads "uxtheme.dll" once and binds its entry points; the library stays loaded.
void LoadThemeLibrary();
// Whether the application and the desktop both have visual styles on. Failures inside raise
// Exception("Error in Themes").
bool IsThemed();
// Draws Part/State of the theme class ClassName over Rect. Callers ask IsThemed first.
void DrawThemed(HWND Wnd, HDC DC, const TRect& Rect, const char16_t* ClassName, int Part, int State);

void JyThemesSupportStart();
