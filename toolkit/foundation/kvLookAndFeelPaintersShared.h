#pragma once
// Drawing steps the Standard, Flat, UltraFlat, Office11 and themed painters share.

#include <initializer_list>
#include <utility>

#include "toolkit/foundation/kvGraphics.h"

// Page track of a scroll bar: R filled with the 8 x 8 scroll pattern (the dark one while
// pressed); the brush is solid again afterwards.
void PaintScrollPatternTrack(TkvCanvas* Canvas, const TRect& R, bool Pressed);

// One-pixel lines across the ends of a splitter (top and bottom when Horizontal, else left and
// right), a pair of colours at a time; after each pair the rectangle moves in across the lines and
// out by one along them. What is left takes the view parameters.
void PaintSplitterLines(TkvCanvas* Canvas, const TRect& R, const TkvViewParams& ViewParams, bool Horizontal,
                        std::initializer_list<std::pair<TColor, TColor>> Pairs);
