#pragma once
// Showing and hiding with an animation, the beep and the flash. Windows appear and go at once
// (the animation flags are accepted); the beep is the backend's.

#include "rtl/WinTypes.h"

constexpr DWORD AW_HOR_POSITIVE = 0x00000001;
constexpr DWORD AW_HOR_NEGATIVE = 0x00000002;
constexpr DWORD AW_VER_POSITIVE = 0x00000004;
constexpr DWORD AW_VER_NEGATIVE = 0x00000008;
constexpr DWORD AW_CENTER = 0x00000010;
constexpr DWORD AW_HIDE = 0x00010000;
constexpr DWORD AW_ACTIVATE = 0x00020000;
constexpr DWORD AW_SLIDE = 0x00040000;
constexpr DWORD AW_BLEND = 0x00080000;

// Fails (changing nothing) when the window is already in the state asked for.
BOOL AnimateWindow(HWND window, DWORD time, DWORD flags);

constexpr UINT BEEP_SIMPLE = 0xFFFFFFFF;
BOOL MessageBeep(UINT type);
