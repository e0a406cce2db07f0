#include "toolkit/foundation/kvGeometry.h"

#include <algorithm>

#include "rtl/ClassRegistry.h"
#include "rtl/TypInfo.h"

TAVREN_CLASS_IMPL_PUBLISHED(TkvRect,
    PROPERTY_AS(Left, GetSide, SetSide).Indexed(0).Default(0),
    PROPERTY_AS(Top, GetSide, SetSide).Indexed(1).Default(0),
    PROPERTY_AS(Right, GetSide, SetSide).Indexed(2).Default(0),
    PROPERTY_AS(Bottom, GetSide, SetSide).Indexed(3).Default(0),
    PROPERTY(OnChange))
TAVREN_CLASS_IMPL_PUBLISHED(TkvSize,
    PROPERTY_AS(Height, GetValue, SetByIndex).Indexed(0).Stored<&TkvSize::IsValueStored>(),
    PROPERTY_AS(Width, GetValue, SetByIndex).Indexed(1).Stored<&TkvSize::IsValueStored>())

// ---- TkvRect ------------------------------------------------------------------------------

void TkvRect::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TkvRect*>(Source)) AssignRect(source->FRect);
}

void TkvRect::AssignRect(const TRect& Rect) {
  if (FRect == Rect) return;
  FRect = Rect;
  FOnChange(this);
}

Integer TkvRect::GetSide(Integer Index) const {
  switch (Index) {
    case 0: return FRect.Left;
    case 1: return FRect.Top;
    case 2: return FRect.Right;
    default: return FRect.Bottom;
  }
}

void TkvRect::SetSide(Integer Index, Integer Value) {
  TRect r = FRect;
  switch (Index) {
    case 0: r.Left = Value; break;
    case 1: r.Top = Value; break;
    case 2: r.Right = Value; break;
    case 3: r.Bottom = Value; break;
    default: return;
  }
  AssignRect(r);
}

bool TkvRect::EqualsRect(const TRect& Rect) const { return FRect == Rect; }

bool TkvRect::EqualsRectObject(const TkvRect* Other) const { return Other && FRect == Other->FRect; }

// ---- TkvSize ------------------------------------------------------------------------------

TSize SizeValueOf(const TkvSize* Source) { return TSize{Source->GetValue(1), Source->GetValue(0)}; }

Integer TkvSize::GetValue(Integer Index) const { return Index != 0 ? FSize.cx : FSize.cy; }

void TkvSize::SetSize(const TSize& Size) {
  TSize value{std::max(Size.cx, 0), std::max(Size.cy, 0)};
  if (value == FSize) return;
  FSize = value;
  DoChange();
}

void TkvSize::SetByIndex(Integer Index, Integer Value) {
  TSize size = FSize;
  if (Index == 1)
    size.cx = Value;
  else if (Index == 0)
    size.cy = Value;
  SetSize(size);
}

void TkvSize::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TkvSize*>(Source))
    SetSize(SizeValueOf(source));
  else
    inherited::Assign(Source);
}

bool TkvSize::EqualsSizeObject(const TkvSize* Other) const { return Other && SizeValueOf(Other) == FSize; }

// ---- Routines -----------------------------------------------------------------------------

Integer RectWidthOf(const TRect& R) { return R.Right - R.Left; }
Integer RectHeightOf(const TRect& R) { return R.Bottom - R.Top; }
TSize RectSizeOf(const TRect& R) { return TSize{RectWidthOf(R), RectHeightOf(R)}; }
bool RectIsVoid(const TRect& R) { return R.Left >= R.Right || R.Top >= R.Bottom; }
bool RectsEqual(const TRect& A, const TRect& B) { return A == B; }
bool RectsMatch(const TRect& A, const TRect& B) { return A == B; }

bool RectIntersection(const TRect& A, const TRect& B, TRect& R) {
  R = TRect{std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right),
            std::min(A.Bottom, B.Bottom)};
  if (R.Right <= R.Left || R.Bottom <= R.Top) {
    R = TRect{};
    return false;
  }
  return true;
}

TRect RectsUnion(const TRect& A, const TRect& B) {
  if (RectWidthOf(B) <= 0 || RectHeightOf(B) <= 0) return A;
  return TRect{std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
               std::max(A.Bottom, B.Bottom)};
}

bool RectEncloses(const TRect& Bounds, const TRect& Inner) {
  return Inner.Left >= Bounds.Left && Inner.Top >= Bounds.Top && Inner.Right <= Bounds.Right &&
         Inner.Bottom <= Bounds.Bottom;
}

bool RectHoldsPoint(const TRect& R, const TPoint& P) { return RectHoldsXY(R, P.X, P.Y); }
bool RectHoldsXY(const TRect& R, Integer X, Integer Y) {
  return R.Left <= X && X < R.Right && R.Top <= Y && Y < R.Bottom;
}

TRect RectInflated(const TRect& R, Integer DX, Integer DY) { return RectInflatedSides(R, DX, DY, DX, DY); }
TRect RectInflatedSides(const TRect& R, Integer DLeft, Integer DTop, Integer DRight, Integer DBottom) {
  return TRect{R.Left - DLeft, R.Top - DTop, R.Right + DRight, R.Bottom + DBottom};
}
TRect RectInsideMargins(const TRect& R, const TRect& M) {
  return TRect{R.Left + M.Left, R.Top + M.Top, R.Right - M.Right, R.Bottom - M.Bottom};
}
TRect RectShifted(const TRect& R, Integer DX, Integer DY) {
  return TRect{R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY};
}
TRect RectShiftedByPoint(const TRect& R, const TPoint& P) { return RectShifted(R, P.X, P.Y); }
TRect RectShiftedHorz(const TRect& R, Integer DX) { return RectShifted(R, DX, 0); }
TRect MakeRect(Integer L, Integer T, Integer R, Integer B) { return TRect{L, T, R, B}; }
TRect MakeRectFromCorners(const TRect& R, const TPoint& P) { return TRect{R.Left, R.Top, P.X, P.Y}; }
TRect MakeBoundsRect(Integer L, Integer T, Integer W, Integer H) { return TRect{L, T, L + W, T + H}; }
TRect RectWithWidth(const TRect& R, Integer W) { return TRect{R.Left, R.Top, R.Left + W, R.Bottom}; }
TRect RectWithHeight(const TRect& R, Integer H) { return TRect{R.Left, R.Top, R.Right, R.Top + H}; }
TRect RectWithLeftAt(const TRect& R, Integer X, Integer W) { return TRect{X, R.Top, X + W, R.Bottom}; }
TRect RectWithHorzSpan(const TRect& R, Integer X, Integer W) { return RectWithLeftAt(R, X, W); }
TRect RectMovedToLeft(const TRect& R, Integer X) { return TRect{X, R.Top, X + RectWidthOf(R), R.Bottom}; }
TRect RectWithRightAt(const TRect& R, Integer X, Integer W) { return TRect{X - W, R.Top, X, R.Bottom}; }
TRect RectWithTopAt(const TRect& R, Integer Y, Integer H) { return TRect{R.Left, Y, R.Right, Y + H}; }
TRect RectWithBottomAt(const TRect& R, Integer Y, Integer H) { return TRect{R.Left, Y - H, R.Right, Y}; }
TRect RectHorzSlice(const TRect& R, Integer L, Integer Rt) { return TRect{L, R.Top, Rt, R.Bottom}; }
TRect RectVertSlice(const TRect& R, Integer T, Integer B) { return TRect{R.Left, T, R.Right, B}; }
TPoint RectCenterPoint(const TRect& R) { return TPoint{(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}; }

TRect RectCentered(const TRect& R, Integer W, Integer H) {
  Integer left = (R.Left + R.Right - W) / 2;
  Integer top = (R.Top + R.Bottom - H) / 2;
  return TRect{left, top, left + W, top + H};
}

TRect RectCenteredSize(const TRect& R, const TSize& S) { return RectCentered(R, S.cx, S.cy); }
TPoint MakePoint(Integer X, Integer Y) { return TPoint{X, Y}; }
TSize MakeSize(Integer W, Integer H) { return TSize{W, H}; }
TPoint PointShifted(const TPoint& P, Integer DX, Integer DY) { return TPoint{P.X + DX, P.Y + DY}; }
TPoint PointShiftedByPoint(const TPoint& P, const TPoint& D) { return PointShifted(P, D.X, D.Y); }
TPoint PointNegated(const TPoint& P) { return TPoint{-P.X, -P.Y}; }
bool PointsEqual(const TPoint& A, const TPoint& B) { return A == B; }
bool SizesEqual(const TSize& A, const TSize& B) { return A == B; }

void kvGeometryStart() { RegisterClass(TkvRect::ClassInfo()); }
void kvGeometryEnd() { UnRegisterClass(TkvRect::ClassInfo()); }
