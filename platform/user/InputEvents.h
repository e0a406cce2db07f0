#pragma once
// The entry points through which a display backend (or a test) hands the window manager input
// and native window events. They run on the user-interface thread and only queue: each event is
// routed (capture, WM_NCHITTEST, WM_MOUSEACTIVATE, WM_SETCURSOR, hooks, double clicks) when a
// message loop takes it from the queue, as input is on the platform this layer stands in for.

#include "rtl/WinTypes.h"

enum class MouseButton { Left, Right, Middle };

void InputMouseMove(POINT screenPoint);
void InputMouseButton(POINT screenPoint, MouseButton button, bool down);
// delta in WHEEL_DELTA units (120 per notch, positive away from the user).
void InputMouseWheel(POINT screenPoint, int delta);
// character: the Unicode character the key typed (0 for none); TranslateMessage turns it into
// WM_CHAR (UTF-8 bytes above 0x7F are sent one WM_CHAR each, as a multi-byte code page does).
// With 0 on a key-down, keys that type on a US layout still translate (letters, digits, space...);
// with kNoCharacter the key types nothing, whatever it is.
constexpr uint32_t kNoCharacter = 0xFFFFFFFF;
void InputKey(UINT virtualKey, bool down, uint32_t character = 0);

// The next input given waits until the clock has moved on by `milliseconds` after the input before
// it came in (or after now, when none waits); what follows it waits behind it. Until then it is
// neither queued nor seen in the device state, so timers of a loop fire in between.
void InputPause(uint32_t milliseconds);
// Forgets the input still waiting behind a pause.
void InputDropHeld();

// The native window of a top-level window was activated, or the application lost activation.
void InputActivateWindow(HWND window);
void InputDeactivateApp();
// The user asked to close a top-level window (posted as WM_SYSCOMMAND SC_CLOSE).
void InputCloseWindow(HWND window);
// The native window was moved or resized by the desktop (screen coordinates of the whole window).
void InputWindowMoved(HWND window, const RECT& windowRect);
// The surface of a top-level window must be presented whole again (exposed).
void InputExposeWindow(HWND window);
