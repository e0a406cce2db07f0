#pragma once
// The persistent geometry values that skins and options store in form data, and the rectangle and
// point routines of all drawing and layout code. Every routine returns a new value; halving
// rounds toward zero. Right and Bottom lie outside a rectangle.

#include "rtl/Events.h"
#include "rtl/Persistent.h"
#include "rtl/Types.h"

class TkvRect : public TPersistent {
  TAVREN_CLASS(TkvRect, TPersistent)
 public:
  using TCreateArg = TPersistent*;
  explicit TkvRect(TPersistent* AOwner = nullptr) : FOwner(AOwner) {}

  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override { return FOwner; }

  // Stores the rectangle and fires OnChange, unless it equals the stored one.
  void AssignRect(const TRect& Rect);
  // 0 Left, 1 Top, 2 Right, any other index Bottom.
  Integer GetSide(Integer Index) const;
  void SetSide(Integer Index, Integer Value);
  bool EqualsRect(const TRect& Rect) const;
  bool EqualsRectObject(const TkvRect* Other) const;
  const TRect& RectRef() const noexcept { return FRect; }

  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }

 private:
  TPersistent* FOwner;
  TRect FRect;
  TNotifyEvent FOnChange;
};

class TkvSize : public TPersistent {
  TAVREN_CLASS(TkvSize, TPersistent)
 public:
  using TCreateArg = TPersistent*;
  explicit TkvSize(TPersistent* AOwner = nullptr) : FOwner(AOwner) {}

  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override { return FOwner; }

  // Width for a non-zero index, Height for 0.
  virtual Integer GetValue(Integer Index) const;
  virtual bool IsValueStored(Integer Index) const { return GetValue(Index) != 0; }
  // Negative components become 0; a change is stored and reported.
  virtual void SetSize(const TSize& Size);
  void SetByIndex(Integer Index, Integer Value);
  bool EqualsSizeObject(const TkvSize* Other) const;
  const TSize& SizeRef() const noexcept { return FSize; }

  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }

 protected:
  virtual void DoChange() { FOnChange(this); }

 private:
  TPersistent* FOwner;
  TSize FSize;
  TNotifyEvent FOnChange;
};

// A size read through Source's GetValue.
TSize SizeValueOf(const TkvSize* Source);

Integer RectWidthOf(const TRect& R);
Integer RectHeightOf(const TRect& R);
TSize RectSizeOf(const TRect& R);
bool RectIsVoid(const TRect& R);
bool RectsEqual(const TRect& A, const TRect& B);
bool RectsMatch(const TRect& A, const TRect& B);
// False, with R all zero, when the two have no area in common.
bool RectIntersection(const TRect& A, const TRect& B, TRect& R);
// A unchanged when B has no area; A itself is not checked.
TRect RectsUnion(const TRect& A, const TRect& B);
bool RectEncloses(const TRect& Bounds, const TRect& Inner);
bool RectHoldsPoint(const TRect& R, const TPoint& P);
bool RectHoldsXY(const TRect& R, Integer X, Integer Y);
TRect RectInflated(const TRect& R, Integer DX, Integer DY);
TRect RectInflatedSides(const TRect& R, Integer DLeft, Integer DTop, Integer DRight, Integer DBottom);
TRect RectInsideMargins(const TRect& R, const TRect& M);
TRect RectShifted(const TRect& R, Integer DX, Integer DY);
TRect RectShiftedByPoint(const TRect& R, const TPoint& P);
TRect RectShiftedHorz(const TRect& R, Integer DX);
TRect MakeRect(Integer L, Integer T, Integer R, Integer B);
TRect MakeRectFromCorners(const TRect& R, const TPoint& P);
TRect MakeBoundsRect(Integer L, Integer T, Integer W, Integer H);
TRect RectWithWidth(const TRect& R, Integer W);
TRect RectWithHeight(const TRect& R, Integer H);
TRect RectWithLeftAt(const TRect& R, Integer X, Integer W);
TRect RectWithHorzSpan(const TRect& R, Integer X, Integer W);
TRect RectMovedToLeft(const TRect& R, Integer X);
TRect RectWithRightAt(const TRect& R, Integer X, Integer W);
TRect RectWithTopAt(const TRect& R, Integer Y, Integer H);
TRect RectWithBottomAt(const TRect& R, Integer Y, Integer H);
TRect RectHorzSlice(const TRect& R, Integer L, Integer Rt);
TRect RectVertSlice(const TRect& R, Integer T, Integer B);
TPoint RectCenterPoint(const TRect& R);
TRect RectCentered(const TRect& R, Integer W, Integer H);
TRect RectCenteredSize(const TRect& R, const TSize& S);
TPoint MakePoint(Integer X, Integer Y);
TSize MakeSize(Integer W, Integer H);
TPoint PointShifted(const TPoint& P, Integer DX, Integer DY);
TPoint PointShiftedByPoint(const TPoint& P, const TPoint& D);
TPoint PointNegated(const TPoint& P);
bool PointsEqual(const TPoint& A, const TPoint& B);
bool SizesEqual(const TSize& A, const TSize& B);

// Unit start: TkvRect streams by name. End: it no longer does.
void kvGeometryStart();
void kvGeometryEnd();
