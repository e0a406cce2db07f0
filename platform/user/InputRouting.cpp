// Routing input to windows, done when a loop takes the input from the queue: the capture window
// or the window under the mouse (WM_NCHITTEST), client or non-client message, double clicks,
// the WH_MOUSE and WH_KEYBOARD hooks, WM_MOUSEACTIVATE and WM_SETCURSOR; keys go to the focus.

#include <algorithm>
#include <cstdlib>

#include "gdi/SysMetrics.h"
#include "user/Focus.h"
#include "user/HookChains.h"
#include "user/Hooks.h"
#include "user/InputState.h"
#include "user/KeyboardLayout.h"
#include "user/MessageQueue.h"
#include "user/VirtualKeys.h"
#include "user/WindowInternals.h"

namespace {

LPARAM PackPoint(POINT p) { return MAKELPARAM(static_cast<WORD>(p.X), static_cast<WORD>(p.Y)); }

UINT ButtonMessage(MouseButton button, bool down) {
  switch (button) {
    case MouseButton::Right: return down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    case MouseButton::Middle: return down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    default: return down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
  }
}

// A press near the last one, on the same window, within the double-click time.
bool IsDoubleClick(UINT message, HWND window, POINT point, DWORD time) {
  InputState& state = Input();
  int cx = GetSystemMetrics(SM_CXDOUBLECLK) / 2;
  int cy = GetSystemMetrics(SM_CYDOUBLECLK) / 2;
  return state.lastClickMessage == message && state.lastClickWindow == window &&
         time - state.lastClickTime <= state.doubleClickTime && std::abs(point.X - state.lastClickPoint.X) <= cx &&
         std::abs(point.Y - state.lastClickPoint.Y) <= cy;
}

bool RouteMouse(RawInput& raw) {
  InputState& state = Input();
  MSG& msg = raw.routedMessage;
  msg.time = raw.time;
  msg.pt = raw.point;

  if (raw.kind == RawInput::Kind::MouseWheel) {
    Window* target = WindowFromHandle(GetFocus());
    if (!target) target = WindowFromHandle(GetActiveWindow());
    if (!target) return false;
    msg.hwnd = target->handle;
    msg.message = WM_MOUSEWHEEL;
    msg.wParam = MAKEWPARAM(static_cast<WORD>(raw.mouseKeys), static_cast<WORD>(raw.wheelDelta));
    msg.lParam = PackPoint(raw.point);
    // The wheel passes the mouse hooks too, with its delta in the high word of mouseData.
    if (HooksInstalled(WH_MOUSE)) {
      MOUSEHOOKSTRUCTEX info{raw.point, target->handle, HTCLIENT, 0,
                             static_cast<DWORD>(static_cast<WORD>(raw.wheelDelta)) << 16};
      if (CallHookChain(WH_MOUSE, HC_ACTION, WM_MOUSEWHEEL, reinterpret_cast<LPARAM>(&info))) return false;
      if (target->destroyed) return false;
    }
    return true;
  }

  Window* target;
  LRESULT hit;
  Window* capture = WindowFromHandle(state.capture);
  if (capture) {
    target = capture;
    hit = HTCLIENT;
  } else {
    target = HitTestWindow(raw.point, &hit);
  }
  UINT message = raw.kind == RawInput::Kind::MouseMove ? WM_MOUSEMOVE : ButtonMessage(raw.button, raw.down);
  UpdateMouseTracking(target ? target->handle : nullptr, hit == HTCLIENT, raw.point);
  if (!target) return false;
  WindowGuard guard(target);

  if (hit == HTERROR) {
    // A disabled window: the mouse hooks see the message (non-client, with the error hit code)
    // and may take it elsewhere; unless one swallowed it the cursor is set. It goes nowhere.
    if (HooksInstalled(WH_MOUSE)) {
      MOUSEHOOKSTRUCT info{raw.point, target->handle, static_cast<UINT>(hit), 0};
      LRESULT swallowed = CallHookChain(WH_MOUSE, HC_ACTION, message - WM_MOUSEMOVE + WM_NCMOUSEMOVE,
                                        reinterpret_cast<LPARAM>(&info));
      if (swallowed || target->destroyed) return false;
    }
    SendInternalMessage(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target->handle), MAKELPARAM(static_cast<WORD>(hit), static_cast<WORD>(message)));
    return false;
  }

  bool client = hit == HTCLIENT;
  if (raw.kind == RawInput::Kind::MouseButton && raw.down) {
    bool dblClk = (!client || (target->windowClass && (target->windowClass->style & CS_DBLCLKS))) &&
                  IsDoubleClick(message, target->handle, raw.point, raw.time);
    if (dblClk) {
      state.lastClickMessage = 0;
      message += WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
    } else {
      state.lastClickMessage = message;
      state.lastClickWindow = target->handle;
      state.lastClickTime = raw.time;
      state.lastClickPoint = raw.point;
    }
  }
  if (!client) message = message - WM_MOUSEMOVE + WM_NCMOUSEMOVE;

  msg.hwnd = target->handle;
  msg.message = message;
  if (client) {
    POINT origin = ClientOrigin(target);
    msg.wParam = raw.mouseKeys;
    msg.lParam = PackPoint({raw.point.X - origin.X, raw.point.Y - origin.Y});
  } else {
    msg.wParam = static_cast<WPARAM>(hit);
    msg.lParam = PackPoint(raw.point);
  }

  if (HooksInstalled(WH_MOUSE)) {
    MOUSEHOOKSTRUCT info{raw.point, target->handle, static_cast<UINT>(hit), 0};
    if (CallHookChain(WH_MOUSE, HC_ACTION, message, reinterpret_cast<LPARAM>(&info))) return false;
    if (target->destroyed) return false;
  }

  bool press = raw.kind == RawInput::Kind::MouseButton && raw.down;
  if (press && !capture) {
    Window* top = TopLevelOf(target);
    // A child-style window floating on the desktop (a drop-down list) is never activated: only
    // real top-level windows take activation from a click.
    if (top && top->handle != GetActiveWindow() && !(top->exStyle & WS_EX_NOACTIVATE) && !(top->style & WS_CHILD)) {
      LRESULT answer = SendInternalMessage(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top->handle),
                                     MAKELPARAM(static_cast<WORD>(hit), static_cast<WORD>(message)));
      if (target->destroyed) return false;
      if (answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT || answer == 0) ActivateWindow(top, WA_CLICKACTIVE);
      if (answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT) return false;
      if (target->destroyed) return false;
    }
  }
  if (!capture) {
    SendInternalMessage(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target->handle),
                  MAKELPARAM(static_cast<WORD>(hit), static_cast<WORD>(message)));
  }
  return !target->destroyed;
}

bool RouteKey(RawInput& raw) {
  Window* target = WindowFromHandle(GetFocus());
  bool noFocus = target == nullptr;
  if (noFocus) target = WindowFromHandle(GetActiveWindow());
  if (!target) return false;
  UINT vk = GenericKey(raw.virtualKey);
  // Alt combinations (but not AltGr, which is Alt with Ctrl), Alt itself and F10 are system keys;
  // so are all keys when no window has the focus.
  bool system = noFocus || vk == VK_F10 || vk == VK_MENU || (raw.altDown && !raw.ctrlDown);
  if (!raw.down && vk == VK_MENU) system = true;
  MSG& msg = raw.routedMessage;
  msg.hwnd = target->handle;
  msg.message = raw.down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  msg.wParam = vk;
  DWORD flags = 1 | (static_cast<DWORD>(raw.characterSlot) << 16);
  if (raw.altDown) flags |= static_cast<DWORD>(KF_ALTDOWN) << 16;
  if (raw.previousDown) flags |= static_cast<DWORD>(KF_REPEAT) << 16;
  if (!raw.down) flags |= static_cast<DWORD>(KF_UP) << 16 | static_cast<DWORD>(KF_REPEAT) << 16;
  msg.lParam = static_cast<LPARAM>(static_cast<int32_t>(flags));
  msg.time = raw.time;
  msg.pt = raw.point;
  if (HooksInstalled(WH_KEYBOARD) &&
      CallHookChain(WH_KEYBOARD, HC_ACTION, vk, msg.lParam)) {
    return false;
  }
  return true;
}

// What the message changes in the state GetKeyState reports, applied when it is taken.
void ApplyToSyncState(const RawInput& raw) {
  BYTE* keys = Input().syncKeys;
  switch (raw.kind) {
    case RawInput::Kind::Key:
      ApplyKeyToState(keys, raw.virtualKey, raw.down);
      break;
    case RawInput::Kind::MouseButton:
      ApplyKeyToState(keys, raw.button == MouseButton::Right ? VK_RBUTTON
                             : raw.button == MouseButton::Middle ? VK_MBUTTON : VK_LBUTTON, raw.down);
      break;
    default:
      break;
  }
}

}  // namespace

bool TakeInputMessage(MessageQueue& q, HWND filter, UINT filterMin, UINT filterMax, bool remove, MSG* msg) {
  for (size_t i = 0; i < q.input.size();) {
    if (q.input[i].routing) {
      ++i;
      continue;
    }
    if (!q.input[i].routed) {
      q.input[i].routing = true;
      RawInput raw = q.input[i];
      raw.routing = false;
      bool keep = raw.kind == RawInput::Kind::Key ? RouteKey(raw) : RouteMouse(raw);
      // Routing sends messages, and a nested loop may have taken input meanwhile: find the entry
      // again by its serial number.
      auto it = std::find_if(q.input.begin(), q.input.end(), [&](const RawInput& r) { return r.serial == raw.serial; });
      if (it == q.input.end()) return false;
      it->routing = false;
      i = static_cast<size_t>(it - q.input.begin());
      if (!keep) {
        ApplyToSyncState(raw);
        q.input.erase(it);
        continue;
      }
      raw.routed = true;
      *it = raw;
    }
    const RawInput& raw = q.input[i];
    if (MessagePassesFilter(raw.routedMessage.message, filterMin, filterMax) &&
        WindowPassesFilter(raw.routedMessage.hwnd, filter)) {
      *msg = raw.routedMessage;
      if (remove) {
        ApplyToSyncState(raw);
        q.input.erase(q.input.begin() + static_cast<ptrdiff_t>(i));
      }
      return true;
    }
    ++i;
  }
  return false;
}

uint32_t CharacterOfKeyMessage(const MSG& msg) {
  InputState& state = Input();
  BYTE slot = static_cast<BYTE>((msg.lParam >> 16) & 0xFF);
  if (slot) return state.characters[slot];
  bool shift = state.syncKeys[VK_SHIFT] & 0x80;
  bool caps = state.syncKeys[VK_CAPITAL] & 0x01;
  bool ctrl = (state.syncKeys[VK_CONTROL] & 0x80) && !(state.syncKeys[VK_MENU] & 0x80);
  if ((state.syncKeys[VK_CONTROL] & 0x80) && (state.syncKeys[VK_MENU] & 0x80)) return 0;
  return UsLayoutCharacter(static_cast<UINT>(msg.wParam), shift, caps, ctrl);
}
