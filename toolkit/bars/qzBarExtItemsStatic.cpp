// The static item and its control: fixed or computed extents, border and indents.

#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarExtItems.h"

TAVREN_CLASS_IMPL_PUBLISHED(TqzBarStatic,
    PROPERTY(Alignment).Default(taCenter),
    PROPERTY(AllowClick).Default(false),
    PROPERTY(BorderStyle).Default(sbsNone),
    PROPERTY(Glyph),
    PROPERTY_AS(Height, GetSize, SetSize).Indexed(4).Default(0),
    PROPERTY(ImageIndex).Default(-1).Stored<&TqzBarItem::IsImageIndexStored>(),
    PROPERTY_AS(LeftIndent, GetSize, SetSize).Indexed(1).Default(0),
    PROPERTY_AS(RightIndent, GetSize, SetSize).Indexed(2).Default(0),
    PROPERTY(ShowCaption).Default(true),
    PROPERTY_AS(Width, GetSize, SetSize).Indexed(3).Default(0),
    PROPERTY(OnClick).Stored<&TqzBarItem::IsOnClickStored>())
TAVREN_CLASS_IMPL(TqzBarStaticControl)

// ---- Item ----------------------------------------------------------------------------------------

void TqzBarStatic::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  if (!IsLoading()) RepaintControls();
}

void TqzBarStatic::SetBorderStyle(TqzBarStaticBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  if (IsLoading()) return;
  // A fixed size stays as it is: only the look changes.
  if (GetWidth() != 0 && FHeight != 0)
    RepaintControls();
  else
    RebuildBarsOfKinds(qzAllBarKinds);
}

Integer TqzBarStatic::GetSize(Integer Index) const {
  switch (Index) {
    case 1: return FLeftIndent;
    case 2: return FRightIndent;
    case 3: return TqzBarItem::GetWidth();
    default: return FHeight;
  }
}

void TqzBarStatic::SetSize(Integer Index, Integer Value) {
  Value = std::max(Value, 0);
  if (GetSize(Index) == Value) return;
  switch (Index) {
    case 1: FLeftIndent = Value; break;
    case 2: FRightIndent = Value; break;
    case 3: TqzBarItem::SetWidth(Value); break;
    default: FHeight = Value; break;
  }
  if (!IsLoading()) RebuildBarsOfKinds(qzAllBarKinds);
}

// ---- Control -------------------------------------------------------------------------------------

void TqzBarStaticControl::UpdateInBar() {
  TqzBarStatic* item = GetStatic();
  if (item && item->GetWidth() != 0)
    Repaint();
  else
    inherited::UpdateInBar();
}

bool TqzBarStaticControl::ClickFiresItem() {
  TqzBarStatic* item = GetStatic();
  return item && item->GetAllowClick();
}

TAlignment TqzBarStaticControl::GetAlignment() {
  TqzBarStatic* item = GetStatic();
  return item ? item->GetAlignment() : taCenter;
}

void TqzBarStaticControl::FillDrawParams(bool ARefresh) {
  inherited::FillDrawParams(ARefresh);
  if (!ARefresh) return;
  TqzBarStaticLikeControlDrawParams* params = StaticParams();
  TqzBarStatic* item = GetStatic();
  params->Alignment = GetAlignment();
  params->DrawsBorder = true;
  params->BorderStyle = item ? item->GetBorderStyle() : sbsNone;
  Painter()->GetStaticBorderWidths(this, params->BorderStyle, params->BorderWidths);
}

void TqzBarStaticControl::DrawInRect(const TRect& R, Byte) {
  TqzBarStatic* item = GetStatic();
  Integer left = item ? item->GetLeftIndent() : 0;
  Integer right = item ? item->GetRightIndent() : 0;
  Painter()->DrawStaticFrame(GetDrawParams(), R, TRect(left, left, right, right));
}

void TqzBarStaticControl::DrawStaticPart(const TRect& R) { Painter()->DrawStaticItem(GetDrawParams(), R); }

Integer TqzBarStaticControl::GetHeight() {
  if (GetPaintType() == qzPaintMenu) return GetThicknessInBar();
  return inherited::GetHeight();
}

Integer TqzBarStaticControl::GetWidth() {
  if (GetPaintType() == qzPaintMenu) return GetLengthInBar();
  return inherited::GetWidth();
}

Integer TqzBarStaticControl::GetThicknessInBar() {
  TqzBarStatic* item = GetStatic();
  if (item && item->GetHeight() != 0) return item->GetHeight();
  TqzBarStaticLikeControlDrawParams* params = StaticParams();
  Integer text = GetSizeBase();
  bool icon = params->ContentParts & qzContentIcon;
  bool caption = params->ContentParts & qzContentText;
  Integer height = params->GlyphExtent.cy;
  if (GetPaintType() == qzPaintMenu)
    height = text;
  else if (caption)
    height = icon ? std::max(height, text - 3) : text - 3;
  else if (!icon && ReservesEmptyContent())
    height = text - 3;
  return height + params->BorderWidths.Top + params->BorderWidths.Bottom;
}

Integer TqzBarStaticControl::GetLengthInBar() {
  TqzBarStatic* item = GetStatic();
  if (item && item->GetWidth() != 0) return item->GetWidth();
  TqzBarStaticLikeControlDrawParams* params = StaticParams();
  bool icon = params->ContentParts & qzContentIcon;
  bool caption = params->ContentParts & qzContentText;
  Integer width = params->GlyphExtent.cx;
  if (caption) {
    if (!icon)
      width = CaptionWidth() + GetSizeBase() / 2;
    else if (GetPaintType() == qzPaintMenu)
      width = Painter()->ClassRef()->SubItemTextIndent(this) + CaptionWidth() + 4;
    else
      width = params->GlyphExtent.cx + CaptionWidth() + 4;
  } else if (!icon && ReservesEmptyContent()) {
    width = 0;
  }
  Integer indents = item ? item->GetLeftIndent() + item->GetRightIndent() : 0;
  return width + indents + params->BorderWidths.Left + params->BorderWidths.Right;
}
