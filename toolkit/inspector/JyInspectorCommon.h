#pragma once
// The classic expand box of inspector rows and clipping of a canvas to a rectangle.

#include "vcl/Graphics.h"

// A 9 x 9 box at P with a minus, and a plus across it when not Expanded.
void DrawExpandBox(TCanvas* Canvas, TPoint P, bool Expanded, bool IsCategory, TColor Color);
void SetClipRect(TCanvas* Canvas, const TRect& Rect);
