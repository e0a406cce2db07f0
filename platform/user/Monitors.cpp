#include "user/Monitors.h"

#include <algorithm>
#include <cstring>

#include "user/Backend.h"
#include "user/WindowPos.h"

namespace {

const HMONITOR kPrimary = reinterpret_cast<HMONITOR>(static_cast<uintptr_t>(0x00010001));

RECT ScreenRect() {
  SIZE size = CurrentDisplayBackend().DisplaySize();
  return {0, 0, size.cx, size.cy};
}

bool Overlaps(const RECT& a, const RECT& b) {
  return std::max(a.Left, b.Left) < std::min(a.Right, b.Right) && std::max(a.Top, b.Top) < std::min(a.Bottom, b.Bottom);
}

HMONITOR Fallback(DWORD flags) { return (flags & (MONITOR_DEFAULTTOPRIMARY | MONITOR_DEFAULTTONEAREST)) ? kPrimary : nullptr; }

}  // namespace

HMONITOR MonitorFromPoint(POINT point, DWORD flags) {
  RECT screen = ScreenRect();
  bool inside = point.X >= screen.Left && point.X < screen.Right && point.Y >= screen.Top && point.Y < screen.Bottom;
  return inside ? kPrimary : Fallback(flags);
}

HMONITOR MonitorFromRect(const RECT* rect, DWORD flags) {
  if (!rect) return nullptr;
  return Overlaps(*rect, ScreenRect()) ? kPrimary : Fallback(flags);
}

HMONITOR MonitorFromWindow(HWND window, DWORD flags) {
  RECT rect;
  if (!GetWindowRect(window, &rect)) return Fallback(flags);
  // An empty window counts by its position.
  if (rect.Width() <= 0 || rect.Height() <= 0) return MonitorFromPoint(rect.TopLeft(), flags);
  return MonitorFromRect(&rect, flags);
}

BOOL GetMonitorInfo(HMONITOR monitor, MONITORINFO* info) {
  if (monitor != kPrimary || !info) return FALSE;
  if (info->cbSize != sizeof(MONITORINFO) && info->cbSize != sizeof(MONITORINFOEX)) return FALSE;
  info->rcMonitor = ScreenRect();
  info->rcWork = CurrentDisplayBackend().WorkArea();
  info->dwFlags = MONITORINFOF_PRIMARY;
  if (info->cbSize == sizeof(MONITORINFOEX)) {
    std::strncpy(static_cast<MONITORINFOEX*>(info)->szDevice, "\\\\.\\DISPLAY1", CCHDEVICENAME - 1);
  }
  return TRUE;
}

BOOL EnumDisplayMonitors(HDC dc, const RECT* clip, MONITORENUMPROC callback, LPARAM data) {
  if (!callback || dc) return FALSE;
  RECT area = ScreenRect();
  if (clip) {
    if (!Overlaps(area, *clip)) return TRUE;
    area = {std::max(area.Left, clip->Left), std::max(area.Top, clip->Top), std::min(area.Right, clip->Right),
            std::min(area.Bottom, clip->Bottom)};
  }
  callback(kPrimary, nullptr, &area, data);
  return TRUE;
}
