// The scroll bars of a window (WS_VSCROLL, WS_HSCROLL): their values, the calls that set and read
// them, and their painting and tracking in the places the window manager keeps in the frame.

#include <unordered_map>

#include "controls/ScrollBarState.h"
#include "gdi/Gdi.h"
#include "gdi/Modules.h"
#include "user/Monitors.h"
#include "user/NonClientScrollBars.h"
#include "user/User.h"

namespace {

struct WindowBars {
  ScrollBarValues horz;
  ScrollBarValues vert;
};

// Handles are never reused, so entries of destroyed windows are harmless; they are swept now
// and then as the table grows.
std::unordered_map<HWND, WindowBars> gBars;
size_t gSweepAt = 64;

WindowBars* BarsOf(HWND window) {
  if (!IsWindow(window)) return nullptr;
  auto it = gBars.find(window);
  if (it != gBars.end()) return &it->second;
  if (gBars.size() >= gSweepAt) {
    std::erase_if(gBars, [](const auto& entry) { return !IsWindow(entry.first); });
    gSweepAt = std::max<size_t>(64, gBars.size() * 2);
  }
  return &gBars[window];
}

ScrollBarValues* WindowBarValues(HWND window, int bar) {
  WindowBars* bars = BarsOf(window);
  if (!bars || (bar != SB_HORZ && bar != SB_VERT)) return nullptr;
  return bar == SB_VERT ? &bars->vert : &bars->horz;
}

DWORD StyleBit(int bar) { return bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL; }

bool BarWindowRect(HWND window, int bar, RECT* rect) {
  RECT v, h;
  if (!GetNonClientScrollBarRects(window, &v, &h, nullptr)) return false;
  *rect = bar == SB_VERT ? v : h;
  return true;
}

// Shows or hides the bar by its style bit; the frame is laid out again.
void ShowBar(HWND window, int bar, bool show) {
  DWORD style = static_cast<DWORD>(GetWindowLong(window, GWL_STYLE));
  DWORD wanted = show ? (style | StyleBit(bar)) : (style & ~StyleBit(bar));
  if (wanted == style) return;
  SetWindowLong(window, GWL_STYLE, static_cast<LONG>(wanted));
  SetWindowPos(window, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PaintBars(HWND window, HDC dc, const RECT& vScroll, const RECT& hScroll, const RECT& sizeBox) {
  WindowBars* bars = BarsOf(window);
  if (!bars) return;
  bool enabled = IsWindowEnabled(window) != FALSE;
  if (vScroll.Right > vScroll.Left && vScroll.Bottom > vScroll.Top) {
    DrawScrollBar(dc, LayoutScrollBar(vScroll, true, bars->vert, enabled), bars->vert, enabled, nullptr);
  }
  if (hScroll.Right > hScroll.Left && hScroll.Bottom > hScroll.Top) {
    DrawScrollBar(dc, LayoutScrollBar(hScroll, false, bars->horz, enabled), bars->horz, enabled, nullptr);
  }
  if (sizeBox.Right > sizeBox.Left && sizeBox.Bottom > sizeBox.Top) FillRect(dc, &sizeBox, GetSysColorBrush(COLOR_BTNFACE));
}

void PressBar(HWND window, LRESULT hitCode, POINT screenPoint) {
  if (!IsWindowEnabled(window)) return;
  TrackScrollBar({window, hitCode == HTVSCROLL ? SB_VERT : SB_HORZ}, screenPoint);
}

const NonClientScrollBarHandler kHandler{PaintBars, PressBar};

// The system binds these by name from the window manager's library at run time. The table is made
// here, above the window manager, because the scroll bar information lives here; it carries the
// window manager's monitor functions too, since a library has one table.
const ModuleExport kUser32[] = {
    {"GetScrollBarInfo", ExportOf(&GetScrollBarInfo)},
    {"GetScrollInfo", ExportOf(&GetScrollInfo)},
    {"SetScrollInfo", ExportOf(&SetScrollInfo)},
    {"MonitorFromPoint", ExportOf(&MonitorFromPoint)},
    {"MonitorFromRect", ExportOf(&MonitorFromRect)},
    {"MonitorFromWindow", ExportOf(&MonitorFromWindow)},
    {"GetMonitorInfoA", ExportOf(&GetMonitorInfo)},
    {"GetMonitorInfo", ExportOf(&GetMonitorInfo)},
    {"EnumDisplayMonitors", ExportOf(&EnumDisplayMonitors)},
};

void RedrawWindowBar(HWND window, int bar) {
  if (!IsWindowVisible(window) || !(GetWindowLong(window, GWL_STYLE) & StyleBit(bar))) return;
  WindowBars* bars = BarsOf(window);
  RECT rect;
  if (!bars || !BarWindowRect(window, bar, &rect) || rect.Right <= rect.Left) return;
  HDC dc = GetDCEx(window, nullptr, DCX_WINDOW | DCX_CACHE | DCX_CLIPSIBLINGS);
  if (!dc) return;
  bool enabled = IsWindowEnabled(window) != FALSE;
  ScrollBarValues& values = bar == SB_VERT ? bars->vert : bars->horz;
  DrawScrollBar(dc, LayoutScrollBar(rect, bar == SB_VERT, values, enabled), values, enabled, nullptr);
  ReleaseDC(window, dc);
}

bool IsControl(HWND window) { return ControlScrollBarValues(window) != nullptr; }

}  // namespace

ScrollBarValues* ScrollBarValuesOf(const ScrollBarHost& host) {
  if (host.bar == SB_CTL) return ControlScrollBarValues(host.window);
  return WindowBarValues(host.window, host.bar);
}

bool ScrollBarScreenGeometry(const ScrollBarHost& host, ScrollBarGeometry* geometry) {
  ScrollBarValues* values = ScrollBarValuesOf(host);
  if (!values) return false;
  RECT rect;
  POINT origin{0, 0};
  bool vertical;
  if (host.bar == SB_CTL) {
    GetClientRect(host.window, &rect);
    ClientToScreen(host.window, &origin);
    vertical = ControlScrollBarVertical(host.window);
  } else {
    if (!BarWindowRect(host.window, host.bar, &rect)) return false;
    RECT window;
    GetWindowRect(host.window, &window);
    origin = window.TopLeft();
    vertical = host.bar == SB_VERT;
  }
  rect = {rect.Left + origin.X, rect.Top + origin.Y, rect.Right + origin.X, rect.Bottom + origin.Y};
  *geometry = LayoutScrollBar(rect, vertical, *values, IsWindowEnabled(host.window) != FALSE);
  return true;
}

void RedrawScrollBar(const ScrollBarHost& host) {
  if (host.bar == SB_CTL) {
    RedrawWindow(host.window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  } else {
    RedrawWindowBar(host.window, host.bar);
  }
}

int SetScrollInfo(HWND window, int bar, LPCSCROLLINFO info, BOOL redraw) {
  if (!info) return 0;
  if (bar == SB_CTL) return static_cast<int>(SendMessage(window, SBM_SETSCROLLINFO, redraw, reinterpret_cast<LPARAM>(info)));
  ScrollBarValues* values = WindowBarValues(window, bar);
  if (!values) return 0;
  int pos = values->Apply(*info);
  if (info->fMask & (SIF_RANGE | SIF_PAGE)) {
    bool show = values->CanScroll() || (info->fMask & SIF_DISABLENOSCROLL);
    bool shown = (GetWindowLong(window, GWL_STYLE) & StyleBit(bar)) != 0;
    if (show != shown) {
      ShowBar(window, bar, show);
      return pos;  // the frame is painted anew
    }
  }
  if (redraw) RedrawWindowBar(window, bar);
  return pos;
}

BOOL GetScrollInfo(HWND window, int bar, LPSCROLLINFO info) {
  if (!info || !(info->fMask & SIF_ALL)) return FALSE;
  if (bar == SB_CTL) return static_cast<BOOL>(SendMessage(window, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(info)));
  ScrollBarValues* values = WindowBarValues(window, bar);
  if (!values) return FALSE;
  values->Fill(*info);
  return TRUE;
}

int SetScrollPos(HWND window, int bar, int position, BOOL redraw) {
  SCROLLINFO info;
  info.fMask = SIF_POS;
  if (!GetScrollInfo(window, bar, &info)) return 0;
  int previous = info.nPos;
  info.nPos = position;
  SetScrollInfo(window, bar, &info, redraw);
  return previous;
}

int GetScrollPos(HWND window, int bar) {
  SCROLLINFO info;
  info.fMask = SIF_POS;
  return GetScrollInfo(window, bar, &info) ? info.nPos : 0;
}

BOOL SetScrollRange(HWND window, int bar, int minimum, int maximum, BOOL redraw) {
  SCROLLINFO info;
  info.fMask = SIF_RANGE;
  info.nMin = minimum;
  info.nMax = maximum;
  if (bar == SB_CTL ? !IsControl(window) : !WindowBarValues(window, bar)) return FALSE;
  SetScrollInfo(window, bar, &info, redraw);
  return TRUE;
}

BOOL GetScrollRange(HWND window, int bar, int* minimum, int* maximum) {
  SCROLLINFO info;
  info.fMask = SIF_RANGE;
  if (!minimum || !maximum || !GetScrollInfo(window, bar, &info)) return FALSE;
  *minimum = info.nMin;
  *maximum = info.nMax;
  return TRUE;
}

BOOL ShowScrollBar(HWND window, int bar, BOOL show) {
  if (!IsWindow(window)) return FALSE;
  switch (bar) {
    case SB_CTL:
      ShowWindow(window, show ? SW_SHOW : SW_HIDE);
      return TRUE;
    case SB_HORZ:
    case SB_VERT:
      ShowBar(window, bar, show != FALSE);
      return TRUE;
    case SB_BOTH: {
      DWORD style = static_cast<DWORD>(GetWindowLong(window, GWL_STYLE));
      DWORD wanted = show ? (style | WS_VSCROLL | WS_HSCROLL) : (style & ~(WS_VSCROLL | WS_HSCROLL));
      if (wanted != style) {
        SetWindowLong(window, GWL_STYLE, static_cast<LONG>(wanted));
        SetWindowPos(window, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      return TRUE;
    }
    default:
      return FALSE;
  }
}

BOOL EnableScrollBar(HWND window, UINT bar, UINT arrows) {
  if (bar == SB_CTL) return static_cast<BOOL>(SendMessage(window, SBM_ENABLE_ARROWS, arrows, 0));
  bool changed = false;
  for (int one : {SB_HORZ, SB_VERT}) {
    if (bar != SB_BOTH && static_cast<int>(bar) != one) continue;
    ScrollBarValues* values = WindowBarValues(window, one);
    if (!values) return FALSE;
    if (values->disabledArrows != (arrows & ESB_DISABLE_BOTH)) {
      values->disabledArrows = arrows & ESB_DISABLE_BOTH;
      changed = true;
      RedrawWindowBar(window, one);
    }
  }
  return changed;
}

BOOL GetScrollBarInfo(HWND window, LONG idObject, SCROLLBARINFO* info) {
  if (!info || info->cbSize != sizeof(SCROLLBARINFO) || !IsWindow(window)) return FALSE;
  if (idObject == OBJID_CLIENT) {
    if (!IsControl(window)) return FALSE;
    return static_cast<BOOL>(SendMessage(window, SBM_GETSCROLLBARINFO, 0, reinterpret_cast<LPARAM>(info)));
  }
  if (idObject != OBJID_VSCROLL && idObject != OBJID_HSCROLL) return FALSE;
  int bar = idObject == OBJID_VSCROLL ? SB_VERT : SB_HORZ;
  ScrollBarValues* values = WindowBarValues(window, bar);
  ScrollBarGeometry g;
  if (!values || !ScrollBarScreenGeometry({window, bar}, &g)) return FALSE;
  FillScrollBarInfo(g, *values, IsWindowEnabled(window) != FALSE, info);
  if (!(GetWindowLong(window, GWL_STYLE) & StyleBit(bar))) {
    info->rgstate[0] |= STATE_SYSTEM_INVISIBLE;
  } else if (g.bar.Right <= g.bar.Left || g.bar.Bottom <= g.bar.Top) {
    info->rgstate[0] |= STATE_SYSTEM_OFFSCREEN;
  }
  return TRUE;
}

void FillScrollBarInfo(const ScrollBarGeometry& g, const ScrollBarValues& values, bool enabled, SCROLLBARINFO* info) {
  info->rcScrollBar = g.bar;
  info->dxyLineButton = g.arrowLength;
  if (g.thumb.Right > g.thumb.Left && g.thumb.Bottom > g.thumb.Top) {
    info->xyThumbTop = g.vertical ? g.thumb.Top - g.bar.Top : g.thumb.Left - g.bar.Left;
    info->xyThumbBottom = g.vertical ? g.thumb.Bottom - g.bar.Top : g.thumb.Right - g.bar.Left;
  } else {
    info->xyThumbTop = info->xyThumbBottom = 0;
  }
  info->reserved = 0;
  for (DWORD& state : info->rgstate) state = 0;
  bool scrolls = enabled && values.CanScroll();
  if (!scrolls || values.disabledArrows == ESB_DISABLE_BOTH) info->rgstate[0] |= STATE_SYSTEM_UNAVAILABLE;
  if (!scrolls || (values.disabledArrows & ESB_DISABLE_LTUP)) info->rgstate[1] |= STATE_SYSTEM_UNAVAILABLE;
  if (!scrolls || (values.disabledArrows & ESB_DISABLE_RTDN)) info->rgstate[5] |= STATE_SYSTEM_UNAVAILABLE;
  if (values.tracking && values.pressed != ScrollBarPart::None) {
    info->rgstate[static_cast<int>(values.pressed)] |= STATE_SYSTEM_PRESSED;
  }
}

void ScrollBarsStart() {
  SetNonClientScrollBarHandler(&kHandler);
  RegisterModule("user32", kUser32);
  RegisterScrollBarClass();
}

void ScrollBarsEnd() {
  UnregisterScrollBarClass();
  SetNonClientScrollBarHandler(nullptr);
  gBars.clear();
  FreeScrollBarTroughBrush();
}
