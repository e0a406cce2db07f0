#include "user/Rectangles.h"

namespace {
bool Empty(const RECT& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }
}

BOOL SubtractRect(RECT* Dest, const RECT* Source1, const RECT* Source2) {
  RECT r = *Source1;
  const RECT& s = *Source2;
  if (!Empty(r) && !Empty(s)) {
    const bool spansX = s.Left <= r.Left && s.Right >= r.Right;
    const bool spansY = s.Top <= r.Top && s.Bottom >= r.Bottom;
    if (spansX && spansY) {
      r = {};
    } else if (spansX) {
      if (s.Top <= r.Top && s.Bottom > r.Top) r.Top = s.Bottom;
      else if (s.Bottom >= r.Bottom && s.Top < r.Bottom) r.Bottom = s.Top;
    } else if (spansY) {
      if (s.Left <= r.Left && s.Right > r.Left) r.Left = s.Right;
      else if (s.Right >= r.Right && s.Left < r.Right) r.Right = s.Left;
    }
  }
  if (Empty(r)) {
    *Dest = {};
    return FALSE;
  }
  *Dest = r;
  return TRUE;
}
