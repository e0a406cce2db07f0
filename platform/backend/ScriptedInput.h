#pragma once
// Input as a person gives it, for tests: each call queues the device events (through
// user/InputEvents.h) and returns; the test's message loop routes and dispatches them. Points are
// in screen coordinates.

#include "rtl/Types.h"
#include "user/InputEvents.h"

// Modifier keys held around a key press.
constexpr UINT kShift = 0x1;
constexpr UINT kCtrl = 0x2;
constexpr UINT kAlt = 0x4;

// What is scripted next comes `milliseconds` of the (fake) clock after what came before it, so
// the timers of a loop that runs meanwhile fire in between.
void ScriptPause(uint32_t milliseconds);
void ScriptMouseMove(POINT to);
void ScriptClick(POINT at, MouseButton button = MouseButton::Left);
// Two clicks at once: a double click on a window of a CS_DBLCLKS class.
void ScriptDoubleClick(POINT at, MouseButton button = MouseButton::Left);
// Press at from, move there in steps, release at to.
void ScriptDrag(POINT from, POINT to, int steps = 4, MouseButton button = MouseButton::Left);
// notches > 0 rolls away from the user.
void ScriptWheel(POINT at, int notches);
// A key pressed and released with the modifiers held; character: what it types (0: the US layout
// decides).
void ScriptKeyPress(UINT virtualKey, UINT modifiers = 0, uint32_t character = 0);
// Types UTF-8 text key by key (capitals with Shift, other characters as typed packets).
void ScriptTypeText(const String& text);
