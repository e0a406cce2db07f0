// The progress item and its control: a range-checked position and the bar after the caption.

#include "rtl/Math.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarExtItems.h"
#include "user/Painting.h"
#include "user/Rects.h"
#include "gdi/Regions.h"
#include "gdi/Drawing.h"

TAVREN_CLASS_IMPL_PUBLISHED(TqzBarProgressItem,
    PROPERTY(BorderStyle).Default(sbsLowered),
    PROPERTY(Color).Default(clDefault),
    PROPERTY(Max).Default(100),
    PROPERTY(Min).Default(0),
    PROPERTY(Position).Default(0),
    PROPERTY(Smooth).Default(false),
    PROPERTY(Step).Default(10))
TAVREN_CLASS_IMPL(TqzBarProgressControl)

namespace {

// The bar's room along an unturned item when it has no fixed width.
constexpr Integer kBarLength = 150;

}  // namespace

// ---- Item ----------------------------------------------------------------------------------------

TqzBarProgressItem::TqzBarProgressItem(TComponent* AOwner) : TqzBarStatic(AOwner) { SetBorderStyle(sbsLowered); }

void TqzBarProgressItem::InvalidateBars() {
  if (IsLoading()) return;
  for (Integer i = 0; i < GetLinkCount(); ++i) {
    auto* control = dynamic_cast<TqzBarProgressControl*>(GetLink(i)->GetControl());
    if (!control || !control->GetParent() || !control->GetParent()->HandleAllocated()) continue;
    RECT r = control->BarRect();
    InvalidateRect(control->GetParent()->GetHandle(), &r, false);
  }
}

void TqzBarProgressItem::SetPosition(Integer Value) {
  // The range is streamed before the position, so a read position is checked too.
  Value = std::clamp(Value, FMin, FMax);
  if (FPosition == Value) return;
  FPosition = Value;
  InvalidateBars();
}

void TqzBarProgressItem::SetMin(Integer Value) {
  if (FMin != Value) SetRange(Value, std::max(FMax, Value));
}

void TqzBarProgressItem::SetMax(Integer Value) {
  if (FMax != Value) SetRange(std::min(Value, FMin), Value);
}

void TqzBarProgressItem::SetRange(Integer AMin, Integer AMax) {
  if (FMin == AMin && FMax == AMax) return;
  FMin = AMin;
  FMax = AMax;
  if (IsLoading()) return;
  if (FPosition < FMin || FPosition > FMax)
    SetPosition(FPosition);
  else
    InvalidateBars();
}

void TqzBarProgressItem::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  InvalidateBars();
}

void TqzBarProgressItem::SetSmooth(bool Value) {
  if (FSmooth == Value) return;
  FSmooth = Value;
  InvalidateBars();
}

// ---- Control -------------------------------------------------------------------------------------

TClassOf<TqzBarItemControlDrawParams> TqzBarProgressControl::DrawParamsClass() {
  return TqzBarProgressControlDrawParams::ClassInfo();
}

void TqzBarProgressControl::FillDrawParams(bool ARefresh) {
  inherited::FillDrawParams(ARefresh);
  if (!ARefresh) return;
  auto* params = static_cast<TqzBarProgressControlDrawParams*>(GetDrawParams());
  TqzBarProgressItem* item = GetProgressItem();
  if (!item) return;
  params->Max = item->GetMax();
  params->Min = item->GetMin();
  params->Position = item->GetPosition();
  params->Smooth = item->GetSmooth();
}

TqzBarItemViewLevels TqzBarProgressControl::GetPossibleViewLevels() {
  TqzBarItemViewLevels levels = inherited::GetPossibleViewLevels();
  levels.Include(ivlControlOnly);
  return levels;
}

TColor TqzBarProgressControl::GetBarColor() {
  TqzBarProgressItem* item = GetProgressItem();
  if (!item || item->GetColor() == clDefault) return Painter()->ClassRef()->ProgressBarColor();
  return static_cast<TColor>(ColorToRGB(item->GetColor()));
}

Integer TqzBarProgressControl::GetThicknessInBar() {
  const TRect& border = StaticParams()->BorderWidths;
  return std::max(inherited::GetThicknessInBar(),
                  Painter()->ClassRef()->ProgressMinHeight() + border.Top + border.Bottom + 2);
}

Integer TqzBarProgressControl::GetLengthInBar() {
  Integer length = inherited::GetLengthInBar();
  TqzBarProgressItem* item = GetProgressItem();
  if (item && item->GetWidth() == 0) length += (StaticParams()->ContentParts & qzContentText) ? kBarLength + 2 : kBarLength + 4;
  return length + Painter()->ClassRef()->ProgressExtraWidth(GetDrawParams());
}

TRect TqzBarProgressControl::BarRect() {
  TqzBarProgressItem* item = GetProgressItem();
  TRect r = GetItemRect();
  if (!item || IsRectEmpty(&r)) return TRect();
  TqzBarStaticLikeControlDrawParams* params = StaticParams();
  const TRect& border = params->BorderWidths;
  bool rotated = GetDrawParams()->PaintKind == qzPaintRotated;
  Integer across = rotated ? r.Width() - border.Left - border.Right : r.Height() - border.Top - border.Bottom;
  Integer thickness = MulDiv(across, 2, 3);
  if ((thickness & 1) != (across & 1)) ++thickness;
  bool caption = params->ContentParts & qzContentText;
  Integer length = kBarLength;
  bool fills = item->GetAlign() == iaClient || GetPaintType() == qzPaintMenu;
  if (item->GetWidth() != 0 || fills) {
    Integer available = fills ? (rotated ? r.Height() : r.Width()) : item->GetWidth();
    Integer content = params->GlyphExtent.cx + (caption ? CaptionWidth() : 0);
    length = std::max(0, available - content - (caption ? 2 : 4));
  }
  Integer farEnd = (rotated ? r.Bottom - border.Bottom : r.Right - border.Right) - item->GetRightIndent() - 2;
  if (rotated) {
    Integer left = r.Left + (r.Width() - thickness) / 2;
    return TRect(left, farEnd - length, left + thickness, farEnd);
  }
  Integer top = r.Top + (r.Height() - thickness) / 2;
  return TRect(farEnd - length, top, farEnd, top + thickness);
}

void TqzBarProgressControl::DrawStaticPart(const TRect& R) {
  HDC dc = GetDrawParams()->TargetCanvas->DCHandle();
  TRect bar = BarRect();
  TRect content = R;
  Integer indent = Painter()->ClassRef()->ProgressExtraWidth(GetDrawParams());
  if (indent != 0) {
    TRect skipped = R;
    skipped.Right = skipped.Left + indent;
    GetParent()->FillBackground(dc, skipped, true, clNone, GetParent()->BackgroundBrush());
    content.Left += indent;
  }
  Integer saved = SaveDC(dc);
  if (!IsRectEmpty(&bar)) ExcludeClipRect(dc, bar.Left, bar.Top, bar.Right, bar.Bottom);
  Painter()->DrawStaticItem(GetDrawParams(), content);
  RestoreDC(dc, saved);
  if (!IsRectEmpty(&bar)) Painter()->DrawProgressBar(GetDrawParams(), bar, GetBarColor());
}
