#pragma once
// The geometry of the selection-rectangle window: which part of the rectangle is under the
// mouse (the inside or one of eight handles) and where a drag of that part takes the rectangle.

#include "rtl/Types.h"

enum class TSelPart { None, Move, Left, Top, Right, Bottom, TopLeft, TopRight, BottomLeft, BottomRight };

// Handles are squares of this side centred on the corners and the middles of the edges.
inline constexpr Integer kSelHandleSize = 7;
// A drag never makes the rectangle smaller than this, so its handles stay apart.
inline constexpr Integer kSelMinSize = 8;

// Left <= Right and Top <= Bottom, every side inside `bounds`.
TRect NormalSelection(const TRect& rect, const TRect& bounds);
// The handles first (they overlap the inside), then the inside; None elsewhere.
TSelPart SelPartAt(const TRect& rect, TPoint point);
// The handle squares of `rect`, in the order TopLeft, Top, TopRight, Right, BottomRight, Bottom,
// BottomLeft, Left.
void SelHandles(const TRect& rect, TRect handles[8]);
// `start` with `part` moved by (dx, dy): a move keeps the size and stops at the edges of
// `bounds`; a resize moves only the dragged sides, up to the bounds and to kSelMinSize from the
// opposite side.
TRect DragSelection(const TRect& start, TSelPart part, Integer dx, Integer dy, const TRect& bounds);
