#pragma once
// What the preview and selection-window tests share: a window to play into, a pump that runs
// the user-interface thread's queue, and a clip whose pictures say which frame they are.

#include <functional>

#include "rtl/Types.h"
#include "rtl/WinTypes.h"

// A 2 s clip, 64 x 48 at 25 fps, frame n a flat grey of luma 16 + 4n (stored losslessly), with a
// tone; made on first use.
const String& RampClip();
// The frame number a pixel of the ramp clip shows (its blue byte).
int RampFrame(uint8_t grey);

// A visible top-level window of a plain class at (x, y) on the screen.
HWND MakeTestWindow(int x, int y, int width, int height);
// Runs the queue and paints until `done` answers true or `seconds` pass; the last answer.
bool PumpUntil(const std::function<bool()>& done, double seconds);
