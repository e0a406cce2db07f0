// The label-like item control base.

#include "toolkit/bars/qzBarItemControlStatics.h"

#include "toolkit/bars/qzBar.h"

TAVREN_CLASS_IMPL(TqzBarStaticLikeControlDrawParams)
TAVREN_CLASS_IMPL(TqzBarProgressControlDrawParams)
TAVREN_CLASS_IMPL(TqzBarCustomStaticControl)

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
