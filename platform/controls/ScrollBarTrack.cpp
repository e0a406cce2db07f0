// Following a press on a scroll bar: arrows and page areas step at once and then repeat on a
// timer of the window manager's clock while the mouse stays on them; the thumb sends
// SB_THUMBTRACK as it moves and SB_THUMBPOSITION where it is let go. SB_ENDSCROLL ends every press.

#include "controls/ScrollBarState.h"
#include "user/User.h"

namespace {

constexpr UINT_PTR kRepeatTimer = 0xFFFA;
constexpr UINT kRepeatInterval = 50;

int Along(const ScrollBarGeometry& g, POINT p) { return g.vertical ? p.Y - g.bar.Top : p.X - g.bar.Left; }

WORD CodeOf(ScrollBarPart part) {
  switch (part) {
    case ScrollBarPart::LineUp: return SB_LINEUP;
    case ScrollBarPart::PageUp: return SB_PAGEUP;
    case ScrollBarPart::PageDown: return SB_PAGEDOWN;
    default: return SB_LINEDOWN;
  }
}

}  // namespace

void SendScrollCode(const ScrollBarHost& host, WORD code, int position) {
  WPARAM wParam = MAKEWPARAM(code, static_cast<WORD>(position));
  if (host.bar == SB_CTL) {
    UINT message = ControlScrollBarVertical(host.window) ? WM_VSCROLL : WM_HSCROLL;
    SendMessage(GetParent(host.window), message, wParam, reinterpret_cast<LPARAM>(host.window));
  } else {
    SendMessage(host.window, host.bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, wParam, 0);
  }
}

void TrackScrollBar(const ScrollBarHost& host, POINT screenPoint) {
  HWND window = host.window;
  ScrollBarGeometry g;
  ScrollBarValues* values = ScrollBarValuesOf(host);
  if (!values || !ScrollBarScreenGeometry(host, &g)) return;
  ScrollBarPart part = ScrollBarHitTest(g, screenPoint);
  if (part == ScrollBarPart::None) return;
  bool thumb = part == ScrollBarPart::Thumb;
  int grab = thumb ? Along(g, screenPoint) - (g.vertical ? g.thumb.Top - g.bar.Top : g.thumb.Left - g.bar.Left) : 0;
  POINT cursor = screenPoint;
  bool over = true;
  SetCapture(window);
  values->tracking = true;
  values->pressed = part;
  values->trackPos = values->pos;
  RedrawScrollBar(host);
  if (!thumb) SendScrollCode(host, CodeOf(part), 0);
  SetTimer(window, kRepeatTimer, GetDoubleClickTime() * 4 / 5, nullptr);
  MSG msg;
  for (;;) {
    if (!GetMessage(&msg, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (!IsWindow(window) || GetCapture() != window || !(values = ScrollBarValuesOf(host))) break;
    if (msg.message == WM_TIMER && msg.hwnd == window && msg.wParam == kRepeatTimer) {
      SetTimer(window, kRepeatTimer, kRepeatInterval, nullptr);
      // A page area repeats only while the thumb has not reached the mouse.
      if (!thumb && over && ScrollBarScreenGeometry(host, &g) && ScrollBarHitTest(g, cursor) == part) {
        SendScrollCode(host, CodeOf(part), 0);
      }
      continue;
    }
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
      cursor = msg.pt;
      if (!ScrollBarScreenGeometry(host, &g)) break;
      if (thumb) {
        int pos = ScrollBarPosFromThumb(g, *values, Along(g, cursor) - grab);
        if (msg.message == WM_LBUTTONUP) {
          SendScrollCode(host, SB_THUMBPOSITION, values->trackPos);
          break;
        }
        if (pos != values->trackPos) {
          values->trackPos = pos;
          RedrawScrollBar(host);
          SendScrollCode(host, SB_THUMBTRACK, pos);
        }
      } else {
        if (msg.message == WM_LBUTTONUP) break;
        bool nowOver = ScrollBarHitTest(g, cursor) == part;
        if (nowOver != over) {
          over = nowOver;
          values->pressed = over ? part : ScrollBarPart::None;
          RedrawScrollBar(host);
        }
      }
      continue;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) break;
    if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) continue;
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  if (!IsWindow(window)) return;
  KillTimer(window, kRepeatTimer);
  if (GetCapture() == window) ReleaseCapture();
  if ((values = ScrollBarValuesOf(host))) {
    values->tracking = false;
    values->pressed = ScrollBarPart::None;
    values->trackPos = values->pos;
  }
  RedrawScrollBar(host);
  SendScrollCode(host, SB_ENDSCROLL, 0);
}
