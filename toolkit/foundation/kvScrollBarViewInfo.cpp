// The part rectangles of a TkvScrollBar: two arrows at the ends, the thumb on the track between
// them and the two page areas on either side of the thumb. Everything is computed along the bar's
// axis and laid across its full breadth.

#include <algorithm>

#include "gdi/SysMetrics.h"
#include "toolkit/foundation/kvScrollBar.h"

TAVREN_CLASS_IMPL(TkvScrollBarViewInfo)

namespace {

// Number * Numerator / Denominator rounded half away from zero, as MulDiv does, but in 64 bits:
// a scroll range may span more than an Integer holds. Callers never pass a zero denominator.
Int64 ScaleBy(Int64 Number, Int64 Numerator, Int64 Denominator) {
  Int64 product = Number * Numerator;
  bool negative = (product < 0) != (Denominator < 0);
  Int64 a = product < 0 ? -product : product;
  Int64 b = Denominator < 0 ? -Denominator : Denominator;
  Int64 result = (a + b / 2) / b;
  return negative ? -result : result;
}

}  // namespace

TkvScrollBarViewInfo::TkvScrollBarViewInfo(TkvScrollBar* AScrollBar) : FScrollBar(AScrollBar) {}

bool TkvScrollBarViewInfo::IsVertical() const { return FScrollBar->GetKind() == sbVertical; }

void TkvScrollBarViewInfo::CalculateRects() {
  Integer width = FScrollBar->GetWidth();
  Integer height = FScrollBar->GetHeight();
  if (IsVertical()) {
    Integer arrow = std::min(GetSystemMetrics(SM_CXVSCROLL), height / 2);
    TopLeftArrow = Rect(0, 0, width, arrow);
    BottomRightArrow = Rect(0, height - arrow, width, height);
  } else {
    Integer arrow = std::min(GetSystemMetrics(SM_CYHSCROLL), width / 2);
    TopLeftArrow = Rect(0, 0, arrow, height);
    BottomRightArrow = Rect(width - arrow, 0, width, height);
  }
  CalculateThumb();
}

Integer TkvScrollBarViewInfo::TrackLength() const {
  return IsVertical() ? BottomRightArrow.Top - TopLeftArrow.Bottom : BottomRightArrow.Left - TopLeftArrow.Right;
}

Integer TkvScrollBarViewInfo::ThumbLength() const { return IsVertical() ? Thumb.Height() : Thumb.Width(); }

void TkvScrollBarViewInfo::CalculateThumb() {
  Thumb = PageUp = PageDown = TRect();
  if (!FScrollBar->GetEnabled()) return;
  const Int64 min = FScrollBar->GetMin();
  const Int64 max = FScrollBar->GetMax();
  const Int64 position = FScrollBar->GetPosition();
  const Int64 pageSize = FScrollBar->GetPageSize();
  const Integer track = TrackLength();
  Integer length;
  Integer offset = 0;
  if (pageSize != 0) {
    length = static_cast<Integer>(std::min<Int64>(track, ScaleBy(pageSize, track, max - min + 1)));
    if (track < MinThumbSize || max == min) return;
    length = std::max(length, MinThumbSize);
    // With a page as long as the whole range there is nowhere to move: the thumb fills the track
    // (a straight MulDiv would answer -1 here and shift it into the arrow).
    Int64 distance = max - min - pageSize + 1;
    if (distance > 0) offset = static_cast<Integer>(ScaleBy(track - length, std::min(position - min, distance), distance));
  } else {
    length = GetSystemMetrics(IsVertical() ? SM_CYVTHUMB : SM_CXHTHUMB);
    if (track < length) return;
    if (track - length > 0 && max != min) offset = static_cast<Integer>(ScaleBy(track - length, position - min, max - min));
  }
  Integer start = (IsVertical() ? TopLeftArrow.Bottom : TopLeftArrow.Right) + offset;
  Thumb = IsVertical() ? Rect(0, start, FScrollBar->GetWidth(), start + length)
                       : Rect(start, 0, start + length, FScrollBar->GetHeight());
  PlaceThumb(offset);
}

void TkvScrollBarViewInfo::PlaceThumb(Integer Start) {
  if (!HasThumb()) return;
  Integer length = ThumbLength();
  Start = std::clamp(Start, 0, std::max(TrackLength() - length, 0));
  if (IsVertical()) {
    Thumb.Top = TopLeftArrow.Bottom + Start;
    Thumb.Bottom = Thumb.Top + length;
    PageUp = Rect(0, TopLeftArrow.Bottom, Thumb.Right, Thumb.Top);
    PageDown = Rect(0, Thumb.Bottom, Thumb.Right, BottomRightArrow.Top);
  } else {
    Thumb.Left = TopLeftArrow.Right + Start;
    Thumb.Right = Thumb.Left + length;
    PageUp = Rect(TopLeftArrow.Right, 0, Thumb.Left, Thumb.Bottom);
    PageDown = Rect(Thumb.Right, 0, BottomRightArrow.Left, Thumb.Bottom);
  }
}

Integer TkvScrollBarViewInfo::PositionFromThumb() const {
  const Int64 min = FScrollBar->GetMin();
  const Int64 pageSize = FScrollBar->GetPageSize();
  Integer free = TrackLength() - ThumbLength();
  // A thumb that fills the track stands for the first position (and there is nothing to divide by).
  if (free <= 0) return static_cast<Integer>(min);
  Int64 range = FScrollBar->GetMax() - min + (pageSize > 0 ? 1 - pageSize : 0);
  Integer start = IsVertical() ? Thumb.Top - TopLeftArrow.Bottom : Thumb.Left - TopLeftArrow.Right;
  return static_cast<Integer>(min + ScaleBy(range, start, free));
}

TkvScrollBarPart TkvScrollBarViewInfo::HitTest(const TPoint& P) const {
  if (!RectHoldsPoint(FScrollBar->GetClientRect(), P)) return sbpNone;
  if (RectHoldsPoint(TopLeftArrow, P)) return sbpLineUp;
  if (RectHoldsPoint(BottomRightArrow, P)) return sbpLineDown;
  if (!HasThumb()) return sbpNone;
  if (RectHoldsPoint(Thumb, P)) return sbpThumbnail;
  if (RectHoldsPoint(PageUp, P)) return sbpPageUp;
  if (RectHoldsPoint(PageDown, P)) return sbpPageDown;
  return sbpNone;
}
