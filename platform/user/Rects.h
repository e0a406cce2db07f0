#pragma once
// The window manager's rectangle helpers: hit tests, insets, moves, intersections and differences.

#include "rtl/WinTypes.h"

// Whether Point lies in Rect (right and bottom edges excluded).
inline BOOL PtInRect(const RECT* Rect, POINT Point) {
  return Point.X >= Rect->Left && Point.X < Rect->Right && Point.Y >= Rect->Top && Point.Y < Rect->Bottom;
}
inline BOOL IsRectEmpty(const RECT* Rect) { return Rect->Right <= Rect->Left || Rect->Bottom <= Rect->Top; }
inline BOOL InflateRect(RECT* Rect, int DX, int DY) {
  Rect->Left -= DX;
  Rect->Top -= DY;
  Rect->Right += DX;
  Rect->Bottom += DY;
  return TRUE;
}
inline BOOL OffsetRect(RECT* Rect, int DX, int DY) {
  Rect->Left += DX;
  Rect->Top += DY;
  Rect->Right += DX;
  Rect->Bottom += DY;
  return TRUE;
}
// The common part of A and B; an empty rectangle (and FALSE) when they do not meet.
BOOL IntersectRect(RECT* Result, const RECT* A, const RECT* B);
// Source1 less Source2 when what is left is a rectangle (Source2 covers Source1 across one whole
// side); otherwise Source1 as it is. FALSE when the result is empty.
BOOL SubtractRect(RECT* Dest, const RECT* Source1, const RECT* Source2);
