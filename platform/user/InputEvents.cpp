// Input as a backend or a test hands it over: it is noted in the device state at once and queued
// for routing when a loop takes it.

#include "user/InputEvents.h"

#include "user/Clock.h"
#include "user/Input.h"
#include "user/Focus.h"
#include "user/InputState.h"
#include "user/MessageQueue.h"
#include "user/Painting.h"
#include "user/WindowInternals.h"
#include "user/WindowPos.h"

namespace {

void Queue(RawInput raw, UINT kind) {
  MessageQueue& q = CurrentQueue();
  raw.time = static_cast<DWORD>(CurrentClock().Now());
  raw.serial = q.nextInputSerial++;
  // Moves that nobody looked at yet collapse into the latest one, as the platform does.
  if (raw.kind == RawInput::Kind::MouseMove && !q.input.empty()) {
    RawInput& last = q.input.back();
    if (last.kind == RawInput::Kind::MouseMove && !last.routed && !last.routing) {
      raw.serial = last.serial;
      last = raw;
      q.ArrivedHere(kind);
      return;
    }
  }
  q.input.push_back(raw);
  q.ArrivedHere(kind);
}

// True when the input has to wait behind a pause; `deliver` gives it again when its time comes.
bool HeldBack(std::function<void()> deliver) {
  MessageQueue& q = CurrentQueue();
  if (q.deliveringHeld || (q.pendingPause == 0 && q.held.empty())) return false;
  if (q.held.empty()) q.heldSince = CurrentClock().Now();
  q.held.push_back({q.pendingPause, std::move(deliver)});
  q.pendingPause = 0;
  return true;
}

UINT ButtonKey(MouseButton button) {
  switch (button) {
    case MouseButton::Right: return VK_RBUTTON;
    case MouseButton::Middle: return VK_MBUTTON;
    default: return VK_LBUTTON;
  }
}

}  // namespace

void InputMouseMove(POINT screen) {
  if (HeldBack([=] { InputMouseMove(screen); })) return;
  InputState& state = Input();
  state.cursorX = screen.X;
  state.cursorY = screen.Y;
  RawInput raw;
  raw.kind = RawInput::Kind::MouseMove;
  raw.point = screen;
  raw.mouseKeys = MouseKeyFlags();
  Queue(raw, QS_MOUSEMOVE);
}

void InputMouseButton(POINT screen, MouseButton button, bool down) {
  if (HeldBack([=] { InputMouseButton(screen, button, down); })) return;
  InputState& state = Input();
  state.cursorX = screen.X;
  state.cursorY = screen.Y;
  ApplyKeyToState(state.asyncKeys, ButtonKey(button), down);
  RawInput raw;
  raw.kind = RawInput::Kind::MouseButton;
  raw.point = screen;
  raw.button = button;
  raw.down = down;
  raw.mouseKeys = MouseKeyFlags();
  Queue(raw, QS_MOUSEBUTTON);
}

void InputMouseWheel(POINT screen, int delta) {
  if (HeldBack([=] { InputMouseWheel(screen, delta); })) return;
  InputState& state = Input();
  state.cursorX = screen.X;
  state.cursorY = screen.Y;
  RawInput raw;
  raw.kind = RawInput::Kind::MouseWheel;
  raw.point = screen;
  raw.wheelDelta = delta;
  raw.mouseKeys = MouseKeyFlags();
  Queue(raw, QS_MOUSEBUTTON);
}

void InputKey(UINT virtualKey, bool down, uint32_t character) {
  if (HeldBack([=] { InputKey(virtualKey, down, character); })) return;
  InputState& state = Input();
  RawInput raw;
  raw.kind = RawInput::Kind::Key;
  raw.virtualKey = virtualKey & 0xFF;
  raw.down = down;
  raw.previousDown = (state.asyncKeys[raw.virtualKey] & 0x80) != 0;
  ApplyKeyToState(state.asyncKeys, raw.virtualKey, down);
  raw.altDown = (state.asyncKeys[VK_MENU] & 0x80) != 0;
  raw.ctrlDown = (state.asyncKeys[VK_CONTROL] & 0x80) != 0;
  GetCursorPos(&raw.point);
  if (down && character) {
    raw.characterSlot = state.nextCharacterSlot;
    state.characters[raw.characterSlot] = character == kNoCharacter ? 0 : character;
    state.nextCharacterSlot = state.nextCharacterSlot == 255 ? 1 : state.nextCharacterSlot + 1;
  }
  Queue(raw, QS_KEY);
}

void InputPause(uint32_t milliseconds) { CurrentQueue().pendingPause += milliseconds; }

void InputDropHeld() {
  MessageQueue& q = CurrentQueue();
  q.held.clear();
  q.pendingPause = 0;
}

void DeliverDueHeldInput(MessageQueue& q) {
  if (q.deliveringHeld) return;
  q.deliveringHeld = true;
  while (!q.held.empty() && CurrentClock().Now() >= q.heldSince + q.held.front().delay) {
    std::function<void()> deliver = std::move(q.held.front().deliver);
    q.held.pop_front();
    q.heldSince = CurrentClock().Now();
    deliver();
  }
  q.deliveringHeld = false;
}

uint64_t NextHeldInputDue(const MessageQueue& q) {
  return q.held.empty() ? UINT64_MAX : q.heldSince + q.held.front().delay;
}

void InputActivateWindow(HWND window) {
  if (Window* w = WindowFromHandle(window)) {
    if (w->IsTopLevel() && WindowOfCurrentThread(w)) ActivateWindow(w, WA_ACTIVE);
  }
}

void InputDeactivateApp() { SetActiveWindow(nullptr); }

void InputCloseWindow(HWND window) { PostMessage(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

void InputWindowMoved(HWND window, const RECT& rect) {
  Window* w = WindowFromHandle(window);
  if (!w || !w->IsTopLevel() || w->windowRect == rect) return;
  SetWindowPos(window, nullptr, rect.Left, rect.Top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void InputExposeWindow(HWND window) {
  Window* w = WindowFromHandle(window);
  if (!w || !w->surface) return;
  w->surface->dirty = {0, 0, w->surface->width, w->surface->height};
  PresentDirtySurfaces();
}
