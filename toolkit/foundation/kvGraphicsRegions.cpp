// TkvRegion: an owned platform region with clip arithmetic.

#include "gdi/Gdi.h"
#include "toolkit/foundation/kvGraphics.h"

TAVREN_CLASS_IMPL(TkvRegion)

TkvRegion::TkvRegion(HRGN Handle) : FHandle(Handle) {}

TkvRegion::TkvRegion(const TRect& R) : FHandle(CreateRectRgnIndirect(&R)) {}

TkvRegion::TkvRegion(Integer Left, Integer Top, Integer Right, Integer Bottom)
    : TkvRegion(Rect(Left, Top, Right, Bottom)) {}

TkvRegion::TkvRegion() : TkvRegion(0, 0, 0, 0) {}

TkvRegion::~TkvRegion() { ReleaseHandle(); }

TkvRegion* TkvRegion::CreateRounded(const TRect& R, Integer EllipseWidth, Integer EllipseHeight) {
  return CreateRoundedFromCoords(R.Left, R.Top, R.Right, R.Bottom, EllipseWidth, EllipseHeight);
}

TkvRegion* TkvRegion::CreateRoundedFromCoords(Integer Left, Integer Top, Integer Right, Integer Bottom,
                                              Integer EllipseWidth, Integer EllipseHeight) {
  return new TkvRegion(CreateRoundRectRgn(Left + 1, Top + 1, Right, Bottom, EllipseWidth, EllipseHeight));
}

void TkvRegion::ReleaseHandle() {
  if (FHandle) DeleteObject(FHandle);
  FHandle = nullptr;
}

void TkvRegion::CombineWith(TkvRegion* Other, TkvRegionOperation Operation, bool DestroyOther) {
  static constexpr int kModes[] = {RGN_COPY, RGN_OR, RGN_DIFF, RGN_AND};
  if (Other && FHandle) {
    // A copy takes its only operand first; the others combine this region with Other.
    HRGN first = Operation == roSet ? Other->FHandle : FHandle;
    CombineRgn(FHandle, first, Other->FHandle, kModes[Operation]);
  }
  if (DestroyOther) delete Other;
}

bool TkvRegion::IsEmpty() const {
  RECT box{};
  return !FHandle || GetRgnBox(FHandle, &box) == NULLREGION;
}

bool TkvRegion::SameAs(const TkvRegion* Other) const {
  if (!Other) return false;
  return (IsEmpty() && Other->IsEmpty()) || SameAsHandle(Other->FHandle);
}

bool TkvRegion::SameAsHandle(HRGN Handle) const { return FHandle && Handle && EqualRgn(FHandle, Handle); }

void TkvRegion::MoveBy(Integer DX, Integer DY) {
  if (FHandle) OffsetRgn(FHandle, DX, DY);
}
