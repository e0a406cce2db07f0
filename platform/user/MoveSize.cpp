// Moving and sizing a window with the mouse: the modal loop that WM_SYSCOMMAND SC_MOVE and
// SC_SIZE run. The window follows the mouse until the button is released; Esc puts it back.

#include <algorithm>

#include "user/Hooks.h"
#include "user/Input.h"
#include "user/WindowInternals.h"
#include "user/WindowPos.h"

namespace {


RECT Track(const RECT& start, LRESULT hit, int dx, int dy, const MINMAXINFO& limits) {
  RECT r = start;
  if (hit == HTCAPTION) return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
  bool left = hit == HTLEFT || hit == HTTOPLEFT || hit == HTBOTTOMLEFT;
  bool right = hit == HTRIGHT || hit == HTTOPRIGHT || hit == HTBOTTOMRIGHT;
  bool top = hit == HTTOP || hit == HTTOPLEFT || hit == HTTOPRIGHT;
  bool bottom = hit == HTBOTTOM || hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT;
  auto clampWidth = [&](int w) { return std::clamp(w, limits.ptMinTrackSize.X, std::max(limits.ptMinTrackSize.X, limits.ptMaxTrackSize.X)); };
  auto clampHeight = [&](int h) { return std::clamp(h, limits.ptMinTrackSize.Y, std::max(limits.ptMinTrackSize.Y, limits.ptMaxTrackSize.Y)); };
  if (left) r.Left = r.Right - clampWidth(start.Width() - dx);
  if (right) r.Right = r.Left + clampWidth(start.Width() + dx);
  if (top) r.Top = r.Bottom - clampHeight(start.Height() - dy);
  if (bottom) r.Bottom = r.Top + clampHeight(start.Height() + dy);
  return r;
}

UINT SizingEdge(LRESULT hit) { return static_cast<UINT>(hit - HTLEFT + 1); }

}  // namespace

void RunMoveSizeLoop(Window* w, LRESULT hit, POINT start) {
  HWND handle = w->handle;
  MINMAXINFO limits;
  QueryMinMaxInfo(w, &limits);
  if (!IsWindow(handle)) return;
  SendMessage(handle, WM_ENTERSIZEMOVE, 0, 0);
  SetCapture(handle);
  RECT original = w->windowRect;  // parent client coordinates
  MSG msg;
  bool done = false;
  while (!done) {
    if (!GetMessage(&msg, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (!IsWindow(handle) || GetCapture() != handle) break;
    if (CallMsgFilter(&msg, MSGF_NEXTWINDOW)) continue;
    switch (msg.message) {
      case WM_MOUSEMOVE:
      case WM_LBUTTONUP: {
        RECT r = Track(original, hit, msg.pt.X - start.X, msg.pt.Y - start.Y, limits);
        SendMessage(handle, hit == HTCAPTION ? WM_MOVING : WM_SIZING, hit == HTCAPTION ? 0 : SizingEdge(hit),
                    reinterpret_cast<LPARAM>(&r));
        if (!IsWindow(handle)) return;
        SetWindowPos(handle, nullptr, r.Left, r.Top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        if (msg.message == WM_LBUTTONUP) done = true;
        break;
      }
      case WM_KEYDOWN:
        if (msg.wParam == VK_ESCAPE) {
          SetWindowPos(handle, nullptr, original.Left, original.Top, original.Width(), original.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
          done = true;
        }
        break;
      default:
        if ((msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) ||
            (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST)) {
          break;
        }
        DispatchMessage(&msg);
        break;
    }
  }
  if (GetCapture() == handle) ReleaseCapture();
  if (IsWindow(handle)) SendMessage(handle, WM_EXITSIZEMOVE, 0, 0);
}
