// The label-like item control base and the separator control.

#include "toolkit/bars/qzBarItemControlStatics.h"

#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarControl.h"

TAVREN_CLASS_IMPL(TqzBarStaticLikeControlDrawParams)
TAVREN_CLASS_IMPL(TqzBarProgressControlDrawParams)
TAVREN_CLASS_IMPL(TqzBarCustomStaticControl)
TAVREN_CLASS_IMPL(TqzBarSeparatorControl)

bool TqzBarCustomStaticControl::CanSelect() {
  TqzBarManager* manager = GetBarManager();
  return inherited::CanSelect() && manager && manager->IsCustomizingOrDesigning();
}

Byte TqzBarCustomStaticControl::GetContentKind() {
  TqzBarItem* item = GetItem();
  Byte parts = item && item->GetShowCaption() ? qzContentText : 0;
  if (HasImage(GetViewSize())) parts |= qzContentIcon;
  return parts;
}

TClassOf<TqzBarItemControlDrawParams> TqzBarCustomStaticControl::DrawParamsClass() {
  return TqzBarStaticLikeControlDrawParams::ClassInfo();
}

void TqzBarCustomStaticControl::DrawInRect(const TRect& R, Byte) { Painter()->DrawStaticItem(GetDrawParams(), R); }

// ---- Separator -----------------------------------------------------------------------------------

Byte TqzBarSeparatorControl::GetContentKind() {
  TqzBarItem* item = GetItem();
  return GetPaintType() == qzPaintMenu && item && item->GetShowCaption() ? qzContentText : 0;
}

Integer TqzBarSeparatorControl::GetMenuItemSize() { return misNormal; }

void TqzBarSeparatorControl::DrawInRect(const TRect& R, Byte) { Painter()->DrawSeparatorItem(GetDrawParams(), R); }

void TqzBarSeparatorControl::SelectItemFont(TFont*, TkvStyle*, TqzSavedItemFont& ASaved) {
  TkvCanvas* canvas = GetCanvas();
  if (!canvas) return;
  ASaved.Changed = true;
  ASaved.Font = std::make_unique<TFont>();
  ASaved.Font->Assign(canvas->CurrentFont());
  TFont bold;
  bold.Assign(canvas->CurrentFont());
  TFontStyles style = bold.GetStyle();
  style.Include(fsBold);
  bold.SetStyle(style);
  canvas->AssignFont(&bold);
}

void TqzBarSeparatorControl::GetTextMargins(Byte, TRect& AMargins) { Painter()->GetSeparatorMargins(GetDrawParams(), AMargins); }

Integer TqzBarSeparatorControl::MenuHeight() {
  if (!(GetContentKind() & qzContentText)) return GetParent() ? GetParent()->SeparatorSize() : 0;
  const bool first = GetLink() && GetLink()->GetVisibleIndex() == 0;
  return Painter()->SeparatorLineHeight() * (first ? 1 : 2) + inherited::MenuHeight();
}

Integer TqzBarSeparatorControl::MinimumWidth() {
  return Painter()->SeparatorTextIndent(GetDrawParams()) + (GetParent() ? GetParent()->GetIconAreaSizeValue() : 0);
}

Integer TqzBarSeparatorControl::GetLengthInBar() { return GetParent() ? GetParent()->SeparatorSize() : 0; }
