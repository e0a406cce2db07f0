#include "user/Rects.h"

#include <algorithm>

BOOL IntersectRect(RECT* Result, const RECT* A, const RECT* B) {
  RECT r{std::max(A->Left, B->Left), std::max(A->Top, B->Top), std::min(A->Right, B->Right),
         std::min(A->Bottom, B->Bottom)};
  if (IsRectEmpty(&r)) {
    *Result = RECT{};
    return FALSE;
  }
  *Result = r;
  return TRUE;
}

BOOL SubtractRect(RECT* Dest, const RECT* Source1, const RECT* Source2) {
  RECT r = *Source1;
  const RECT& s = *Source2;
  if (!IsRectEmpty(&r) && !IsRectEmpty(&s)) {
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
  if (IsRectEmpty(&r)) {
    *Dest = {};
    return FALSE;
  }
  *Dest = r;
  return TRUE;
}
