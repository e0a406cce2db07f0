#pragma once
// The scroll bars of the list controls. Each control keeps its own scroll position; this shows it
// on the window's bar and turns a WM_VSCROLL / WM_HSCROLL request into a new position.

#include "rtl/WinTypes.h"

enum class ListBar { Horizontal, Vertical };

// Range 0..count - 1 with page units visible; the bar shows only while count > page, unless
// keepShown asks for a disabled bar instead.
void SetListScrollBar(HWND window, ListBar bar, int count, int page, int position, bool keepShown = false);

// The position a scroll request (wParam of WM_VSCROLL / WM_HSCROLL) asks for, clamped to
// 0..count - page. Thumb requests read the bar's 32-bit track position.
int ScrollRequestPosition(HWND window, ListBar bar, WPARAM request, int position, int line, int page, int count);
