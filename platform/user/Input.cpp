#include "user/Input.h"

#include <cstring>

#include "gdi/SysMetrics.h"
#include "user/Backend.h"
#include "user/Clock.h"
#include "user/Hooks.h"
#include "user/InputEvents.h"
#include "user/InputState.h"
#include "user/WindowTree.h"
#include "user/Messages.h"
#include "user/MessageQueue.h"
#include "user/WindowInternals.h"

InputState& Input() {
  static InputState state;
  return state;
}

UINT GenericKey(UINT vk) {
  switch (vk) {
    case VK_LSHIFT: case VK_RSHIFT: return VK_SHIFT;
    case VK_LCONTROL: case VK_RCONTROL: return VK_CONTROL;
    case VK_LMENU: case VK_RMENU: return VK_MENU;
    default: return vk;
  }
}

void ApplyKeyToState(BYTE* keys, UINT vk, bool down) {
  vk &= 0xFF;
  auto set = [&](UINT key) {
    if (down) {
      if (!(keys[key] & 0x80)) keys[key] ^= 0x01;  // the toggle bit flips on each press
      keys[key] |= 0x80;
    } else {
      keys[key] &= ~0x80;
    }
  };
  set(vk);
  UINT generic = GenericKey(vk);
  if (generic != vk) {
    // The generic key is down while either side is.
    UINT left = generic == VK_SHIFT ? VK_LSHIFT : generic == VK_CONTROL ? VK_LCONTROL : VK_LMENU;
    bool either = (keys[left] & 0x80) || (keys[left + 1] & 0x80);
    if (either) keys[generic] |= 0x80; else keys[generic] &= ~0x80;
  } else if (vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU) {
    UINT left = vk == VK_SHIFT ? VK_LSHIFT : vk == VK_CONTROL ? VK_LCONTROL : VK_LMENU;
    if (down) keys[left] |= 0x80; else keys[left] &= ~0x80, keys[left + 1] &= ~0x80;
  }
}

WPARAM MouseKeyFlags() {
  const BYTE* keys = Input().asyncKeys;
  WPARAM flags = 0;
  if (keys[VK_LBUTTON] & 0x80) flags |= MK_LBUTTON;
  if (keys[VK_RBUTTON] & 0x80) flags |= MK_RBUTTON;
  if (keys[VK_MBUTTON] & 0x80) flags |= MK_MBUTTON;
  if (keys[VK_SHIFT] & 0x80) flags |= MK_SHIFT;
  if (keys[VK_CONTROL] & 0x80) flags |= MK_CONTROL;
  return flags;
}

SHORT GetKeyState(int virtualKey) {
  BYTE state = Input().syncKeys[virtualKey & 0xFF];
  return static_cast<SHORT>(((state & 0x80) ? 0x8000 : 0) | (state & 0x01));
}

SHORT GetAsyncKeyState(int virtualKey) {
  return (Input().asyncKeys[virtualKey & 0xFF] & 0x80) ? static_cast<SHORT>(0x8000) : 0;
}

BOOL GetKeyboardState(BYTE* keyState) {
  if (!keyState) return FALSE;
  std::memcpy(keyState, Input().syncKeys, 256);
  return TRUE;
}

BOOL SetKeyboardState(const BYTE* keyState) {
  if (!keyState) return FALSE;
  std::memcpy(Input().syncKeys, keyState, 256);
  return TRUE;
}

BOOL GetCursorPos(POINT* point) {
  if (!point) return FALSE;
  point->X = Input().cursorX.load();
  point->Y = Input().cursorY.load();
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  CurrentDisplayBackend().CursorPositionSet({x, y});
  InputMouseMove({x, y});
  return TRUE;
}

UINT GetDoubleClickTime() { return Input().doubleClickTime; }

BOOL SetDoubleClickTime(UINT milliseconds) {
  Input().doubleClickTime = milliseconds ? milliseconds : 500;
  return TRUE;
}

HWND SetCapture(HWND window) {
  InputState& state = Input();
  HWND old = state.capture;
  Window* w = WindowFromHandle(window);
  if (!w || !WindowOfCurrentThread(w)) return nullptr;
  if (old == window) return old;
  state.capture = window;
  CurrentDisplayBackend().CaptureChanged(window);
  if (Window* loser = WindowFromHandle(old)) SendInternalMessage(loser, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(window));
  return old;
}

BOOL ReleaseCapture() {
  InputState& state = Input();
  HWND old = state.capture;
  if (!old) return TRUE;
  state.capture = nullptr;
  CurrentDisplayBackend().CaptureChanged(nullptr);
  if (Window* loser = WindowFromHandle(old)) SendInternalMessage(loser, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture() {
  HWND capture = Input().capture;
  return IsWindow(capture) ? capture : nullptr;
}

void UpdateMouseTracking(HWND window, bool client, POINT screen) {
  InputState& state = Input();
  if (!state.trackWindow) return;
  bool nonClient = (state.trackFlags & TME_NONCLIENT) != 0;
  bool stillThere = window == state.trackWindow && client != nonClient;
  if (!stillThere) {
    HWND left = state.trackWindow;
    DWORD flags = state.trackFlags;
    state.trackWindow = nullptr;
    state.trackFlags = 0;
    state.hoverDue = UINT64_MAX;
    if (flags & TME_LEAVE) PostMessage(left, nonClient ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
    return;
  }
  if (state.trackFlags & TME_HOVER) {
    int cx = GetSystemMetrics(SM_CXDOUBLECLK) / 2;
    int cy = GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    if (std::abs(screen.X - state.hoverPoint.X) > cx || std::abs(screen.Y - state.hoverPoint.Y) > cy) {
      state.hoverPoint = screen;
      state.hoverDue = CurrentClock().Now() + state.hoverTime;
    }
  }
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* track) {
  if (!track || track->cbSize < sizeof(TRACKMOUSEEVENT)) return FALSE;
  InputState& state = Input();
  if (track->dwFlags & TME_QUERY) {
    track->dwFlags = state.trackWindow ? state.trackFlags : 0;
    track->hwndTrack = state.trackWindow;
    track->dwHoverTime = state.hoverTime;
    return TRUE;
  }
  Window* w = WindowFromHandle(track->hwndTrack);
  if (!w || !WindowOfCurrentThread(w)) return FALSE;
  DWORD kinds = track->dwFlags & (TME_LEAVE | TME_HOVER);
  bool nonClient = (track->dwFlags & TME_NONCLIENT) != 0;
  if (track->dwFlags & TME_CANCEL) {
    if (state.trackWindow == track->hwndTrack) {
      state.trackFlags &= ~kinds;
      if (!(state.trackFlags & (TME_LEAVE | TME_HOVER))) state.trackWindow = nullptr;
      if (!(state.trackFlags & TME_HOVER)) state.hoverDue = UINT64_MAX;
    }
    return TRUE;
  }
  POINT cursor;
  GetCursorPos(&cursor);
  LRESULT hit = HTNOWHERE;
  Window* under = Input().capture ? WindowFromHandle(Input().capture) : HitTestWindow(cursor, &hit);
  if (Input().capture) hit = HTCLIENT;
  bool there = under == w && ((hit == HTCLIENT) != nonClient);
  if (!there) {
    // Not over the window already: the leave is due at once.
    if (kinds & TME_LEAVE) PostMessage(track->hwndTrack, nonClient ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
    return TRUE;
  }
  if (state.trackWindow != track->hwndTrack) state.trackFlags = 0;
  state.trackWindow = track->hwndTrack;
  state.trackFlags |= kinds | (nonClient ? TME_NONCLIENT : 0);
  if (kinds & TME_HOVER) {
    state.hoverTime = track->dwHoverTime == HOVER_DEFAULT ? 400 : track->dwHoverTime;
    state.hoverPoint = cursor;
    state.hoverDue = CurrentClock().Now() + state.hoverTime;
  }
  return TRUE;
}

uint64_t NextHoverDue() { return Input().trackWindow ? Input().hoverDue : UINT64_MAX; }

bool TakeHoverMessage(MessageQueue&, bool remove, MSG* msg) {
  InputState& state = Input();
  if (!state.trackWindow || !(state.trackFlags & TME_HOVER) || state.hoverDue > CurrentClock().Now()) return false;
  Window* w = WindowFromHandle(state.trackWindow);
  if (!w || !WindowOfCurrentThread(w)) return false;
  bool nonClient = (state.trackFlags & TME_NONCLIENT) != 0;
  POINT origin = ClientOrigin(w);
  msg->hwnd = state.trackWindow;
  msg->message = nonClient ? WM_NCMOUSEHOVER : WM_MOUSEHOVER;
  msg->wParam = nonClient ? HTCLIENT : MouseKeyFlags();
  POINT p = state.hoverPoint;
  if (!nonClient) p = {p.X - origin.X, p.Y - origin.Y};
  msg->lParam = MAKELPARAM(static_cast<WORD>(p.X), static_cast<WORD>(p.Y));
  msg->time = static_cast<DWORD>(CurrentClock().Now());
  msg->pt = state.hoverPoint;
  if (remove) {
    state.trackFlags &= ~TME_HOVER;
    state.hoverDue = UINT64_MAX;
    if (!(state.trackFlags & TME_LEAVE)) state.trackWindow = nullptr;
  }
  return true;
}

void InputWindowDestroyed(Window* window) {
  InputState& state = Input();
  if (state.capture == window->handle) ReleaseCapture();
  if (state.trackWindow == window->handle) {
    state.trackWindow = nullptr;
    state.trackFlags = 0;
    state.hoverDue = UINT64_MAX;
  }
  if (state.lastClickWindow == window->handle) state.lastClickWindow = nullptr;
  // Keys routed to the window but not taken yet go again to wherever the focus is when they are, so
  // the key state follows them; other input for the window is dropped.
  for (RawInput& raw : window->queue->input) {
    if (raw.routed && raw.routedMessage.hwnd == window->handle && raw.kind == RawInput::Kind::Key)
      raw.routed = false;
  }
  std::erase_if(window->queue->input, [&](const RawInput& raw) {
    return raw.routed && raw.routedMessage.hwnd == window->handle;
  });
}

BOOL DragDetect(HWND window, POINT point) {
  if (!IsWindow(window)) return FALSE;
  int cx = GetSystemMetrics(SM_CXDRAG);
  int cy = GetSystemMetrics(SM_CYDRAG);
  RECT area{point.X - cx, point.Y - cy, point.X + cx + 1, point.Y + cy + 1};
  SetCapture(window);
  auto finish = [&](BOOL result) {
    if (GetCapture() == window) ReleaseCapture();
    return result;
  };
  MSG msg;
  for (;;) {
    while (PeekMessage(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE) ||
           PeekMessage(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return finish(FALSE);
      }
      if (CallMsgFilter(&msg, MSGF_NEXTWINDOW)) continue;
      if (GetCapture() != window) return finish(FALSE);
      switch (msg.message) {
        case WM_LBUTTONUP:
          return finish(FALSE);
        case WM_MOUSEMOVE:
          if (msg.pt.X < area.Left || msg.pt.X >= area.Right || msg.pt.Y < area.Top || msg.pt.Y >= area.Bottom) {
            return finish(TRUE);
          }
          break;
        case WM_KEYDOWN:
          if (msg.wParam == VK_ESCAPE) return finish(FALSE);
          break;
        default:
          break;
      }
    }
    if (GetCapture() != window) return finish(FALSE);
    WaitMessage();
  }
}
