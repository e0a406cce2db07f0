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
