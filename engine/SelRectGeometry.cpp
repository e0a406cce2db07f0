#include "engine/SelRectGeometry.h"

#include <algorithm>

namespace {

bool Inside(const TRect& r, TPoint p) { return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom; }

// v limited to [low, high]; when the range is empty (a rectangle already smaller than the
// minimum) the side stays where it is.
Integer Limit(Integer v, Integer low, Integer high, Integer stay) {
  if (low > high) return stay;
  return std::clamp(v, low, high);
}

}  // namespace

TRect NormalSelection(const TRect& rect, const TRect& bounds) {
  auto x = [&](Integer v) { return std::clamp(v, bounds.Left, std::max(bounds.Left, bounds.Right)); };
  auto y = [&](Integer v) { return std::clamp(v, bounds.Top, std::max(bounds.Top, bounds.Bottom)); };
  return TRect{x(std::min(rect.Left, rect.Right)), y(std::min(rect.Top, rect.Bottom)), x(std::max(rect.Left, rect.Right)),
               y(std::max(rect.Top, rect.Bottom))};
}

void SelHandles(const TRect& r, TRect handles[8]) {
  const Integer midX = r.Left + r.Width() / 2;
  const Integer midY = r.Top + r.Height() / 2;
  const TPoint centres[8] = {{r.Left, r.Top},     {midX, r.Top},       {r.Right, r.Top},   {r.Right, midY},
                             {r.Right, r.Bottom}, {midX, r.Bottom},    {r.Left, r.Bottom}, {r.Left, midY}};
  const Integer half = kSelHandleSize / 2;
  for (int i = 0; i < 8; ++i)
    handles[i] = TRect{centres[i].X - half, centres[i].Y - half, centres[i].X - half + kSelHandleSize,
                       centres[i].Y - half + kSelHandleSize};
}

TSelPart SelPartAt(const TRect& rect, TPoint point) {
  static const TSelPart kParts[8] = {TSelPart::TopLeft,     TSelPart::Top,    TSelPart::TopRight,   TSelPart::Right,
                                     TSelPart::BottomRight, TSelPart::Bottom, TSelPart::BottomLeft, TSelPart::Left};
  TRect handles[8];
  SelHandles(rect, handles);
  // Corners win over the middles of the edges where a small rectangle makes them overlap.
  for (int i : {0, 2, 4, 6, 1, 3, 5, 7})
    if (Inside(handles[i], point)) return kParts[i];
  return Inside(rect, point) ? TSelPart::Move : TSelPart::None;
}

TRect DragSelection(const TRect& start, TSelPart part, Integer dx, Integer dy, const TRect& bounds) {
  TRect r = start;
  if (part == TSelPart::Move) {
    // The whole rectangle shifts, as far as the bounds let it.
    dx = std::clamp(dx, std::min(0, bounds.Left - start.Left), std::max(0, bounds.Right - start.Right));
    dy = std::clamp(dy, std::min(0, bounds.Top - start.Top), std::max(0, bounds.Bottom - start.Bottom));
    return TRect{start.Left + dx, start.Top + dy, start.Right + dx, start.Bottom + dy};
  }
  const bool left = part == TSelPart::Left || part == TSelPart::TopLeft || part == TSelPart::BottomLeft;
  const bool right = part == TSelPart::Right || part == TSelPart::TopRight || part == TSelPart::BottomRight;
  const bool top = part == TSelPart::Top || part == TSelPart::TopLeft || part == TSelPart::TopRight;
  const bool bottom = part == TSelPart::Bottom || part == TSelPart::BottomLeft || part == TSelPart::BottomRight;
  if (left) r.Left = Limit(start.Left + dx, bounds.Left, start.Right - kSelMinSize, start.Left);
  if (right) r.Right = Limit(start.Right + dx, start.Left + kSelMinSize, bounds.Right, start.Right);
  if (top) r.Top = Limit(start.Top + dy, bounds.Top, start.Bottom - kSelMinSize, start.Top);
  if (bottom) r.Bottom = Limit(start.Bottom + dy, start.Top + kSelMinSize, bounds.Bottom, start.Bottom);
  return r;
}
