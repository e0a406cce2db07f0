#pragma once
// Monitors. The display backend shows one screen, so there is one monitor: the whole screen, with
// the work area the backend reports (the desktop's panels left out under SDL2).

#include "rtl/WinTypes.h"

constexpr DWORD MONITOR_DEFAULTTONULL = 0x00000000;
constexpr DWORD MONITOR_DEFAULTTOPRIMARY = 0x00000001;
constexpr DWORD MONITOR_DEFAULTTONEAREST = 0x00000002;
constexpr DWORD MONITORINFOF_PRIMARY = 0x00000001;
constexpr int CCHDEVICENAME = 32;

struct MONITORINFO {
  DWORD cbSize = sizeof(MONITORINFO);
  RECT rcMonitor;
  RECT rcWork;
  DWORD dwFlags = 0;
};
static_assert(sizeof(MONITORINFO) == 40);
struct MONITORINFOEX : MONITORINFO {
  MONITORINFOEX() { cbSize = sizeof(MONITORINFOEX); }
  char szDevice[CCHDEVICENAME] = {};
};
using MONITORINFOA = MONITORINFO;
using MONITORINFOEXA = MONITORINFOEX;

using MONITORENUMPROC = BOOL (*)(HMONITOR monitor, HDC dc, RECT* monitorRect, LPARAM data);

HMONITOR MonitorFromPoint(POINT point, DWORD flags);
HMONITOR MonitorFromRect(const RECT* rect, DWORD flags);
HMONITOR MonitorFromWindow(HWND window, DWORD flags);
// cbSize must be that of MONITORINFO or MONITORINFOEX.
BOOL GetMonitorInfo(HMONITOR monitor, MONITORINFO* info);
inline BOOL GetMonitorInfoA(HMONITOR monitor, MONITORINFO* info) { return GetMonitorInfo(monitor, info); }
// Calls back once per monitor that meets clip (screen coordinates; dc is not supported and must
// be null).
BOOL EnumDisplayMonitors(HDC dc, const RECT* clip, MONITORENUMPROC callback, LPARAM data);
