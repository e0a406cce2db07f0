// Menus, edits, spin buttons and other items of the skinned look.

#include <algorithm>

#include "gdi/GdiTypes.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarItemControlButtons.h"
#include "toolkit/bars/qzBarItemControlStatics.h"
#include "toolkit/bars/qzBarSkinnedPainter.h"
#include "toolkit/foundation/qzOffice11.h"
#include "user/Rects.h"

void TqzBarSkinnedPainter::FillArrowShape(TkvCanvas* ACanvas, const TRect& R, TColor) {
  if (TInterfacePtr<IqzSkin> skin = GetSkin()) skin->DrawBackground(ACanvas->DCHandle(), R, qzSkinPartArrow, 0);
}

Integer TqzBarSkinnedPainter::MenuIconAreaSize(TCustomqzBarControl* ABarControl) {
  Integer size = TqzBarOffice11Painter::MenuIconAreaSize(ABarControl);
  TqzBarItemLinks* links = ABarControl->GetItemLinks();
  if (ABarControl->BarKind() == 2 && links && links->GetEffectiveItemSize() == misNormal) size += 2;
  return size;
}

void TqzBarSkinnedPainter::DrawMenuItemBand(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  TqzBarItemControl* control = AParams->ItemControl;
  HDC DC = AParams->TargetCanvas->DCHandle();
  ClassRef()->FillItemBackground(control, DC, false, control->GetBackgroundBrush(), R);
  TInterfacePtr<IqzSkin> skin = GetSkin();
  if (!AParams->SelectedLook || !skin) return;
  auto* button = dynamic_cast<TqzBarButtonLikeControlDrawParams*>(AParams);
  bool split = button && button->ButtonLook && AParams->HasDropDownPart;
  const std::vector<TRect>& parts = control->GetPartRects();
  for (Integer k = 0; k < (split ? 2 : 1) && k < static_cast<Integer>(parts.size()); ++k) {
    Integer state = SkinGenericState(AParams, k);
    if (k == 1 && AParams->DropDownOpen) state = qzSkinStateHot;
    if (k == 0 && AParams->GlyphSizeKind != qzGlyphLarge) state = qzSkinStateHot;
    Integer part = !split ? qzSkinPartSmallButton : k == 0 ? qzSkinPartSmallSplitMain : qzSkinPartSmallSplitArrow;
    skin->DrawBackground(DC, parts[k], part, state);
  }
}

void TqzBarSkinnedPainter::DrawDropDownListBorder(HDC DC, TColor, const TRect& R) {
  if (TInterfacePtr<IqzSkin> skin = GetSkin()) skin->DrawBackground(DC, R, qzSkinPartMenuBorder, 0);
}

void TqzBarSkinnedPainter::DrawMenuSeparatorLine(TkvCanvas* ACanvas, const TRect& R) {
  if (TInterfacePtr<IqzSkin> skin = GetSkin()) skin->DrawBackground(ACanvas->DCHandle(), R, qzSkinPartMenuSeparator, 0);
}

Integer TqzBarSkinnedPainter::MenuItemTextSize(TkvCanvas* ACanvas) {
  TqzBarPainterClass cls = ClassRef();
  return cls->BarTextSize(ACanvas) + 2 * (cls->MenuExtraLeft() + cls->MenuExtraRight());
}

TColor TqzBarSkinnedPainter::DateHeaderColor() {
  TInterfacePtr<IqzSkin> skin = GetSkin();
  return skin ? skin->GetPartColor(qzSkinPartDateHeader, 0) : TqzBarOffice11Painter::DateHeaderColor();
}

void TqzBarSkinnedPainter::DrawScreenTipBackground(TkvCanvas* ACanvas, const TRect& R) {
  if (TInterfacePtr<IqzSkin> skin = GetSkin()) skin->DrawBackground(ACanvas->DCHandle(), R, qzSkinPartScreenTip, 0);
}

void TqzBarSkinnedPainter::DrawScreenTipFooterLine(TkvCanvas* ACanvas, const TRect& R) {
  TInterfacePtr<IqzSkin> skin = GetSkin();
  if (!skin) return;
  HDC DC = ACanvas->DCHandle();
  SolidFillRect(DC, TRect(R.Left, R.Top, R.Right, R.Top + 1), skin->GetPartColor(qzSkinPartScreenTipFooterLine, 0));
  SolidFillRect(DC, TRect(R.Left, R.Top + 1, R.Right, R.Top + 2), static_cast<TColor>(0xFFFFFF));
}

void TqzBarSkinnedPainter::DrawStaticBorder(TqzBarItemControlDrawParams* AParams, TRect& R) {
  auto* params = dynamic_cast<TqzBarStaticLikeControlDrawParams*>(AParams);
  TInterfacePtr<IqzSkin> skin = GetSkin();
  if (!params || params->BorderStyle == sbsNone || !skin) return;
  AParams->TargetCanvas->PaintFrame(R, skin->GetPartColor(qzSkinPartEditBorder, 0));
  InflateRect(&R, -1, -1);
}

void TqzBarSkinnedPainter::DrawSeparatorCaption(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  TInterfacePtr<IqzSkin> skin = GetSkin();
  if (!skin) return;
  HDC DC = AParams->TargetCanvas->DCHandle();
  FillSolid(DC, R, skin->GetPartColor(qzSkinPartSeparatorBackground, 0));
  TRect margins;
  ClassRef()->GetSeparatorMargins(AParams, margins);
  TRect text = R;
  text.Left += margins.Left;
  auto* params = dynamic_cast<TqzBarStaticLikeControlDrawParams*>(AParams);
  TAlignment alignment = params ? params->Alignment : taLeftJustify;
  Integer code = alignment == taLeftJustify ? 0 : alignment == taCenter ? 1 : 2;
  // The caption was measured in the canvas font; the DC may still hold another control's.
  AParams->TargetCanvas->GetCanvas()->RequiredState(TCanvasState{csHandleValid, csFontValid});
  DrawCaptionText(AParams->ItemControl, DC, DT_SINGLELINE, false, false, AParams->PaintKind == qzPaintRotated, false,
                  AParams->EnabledLook, code, text, AParams->CaptionText);
}

Integer TqzBarSkinnedPainter::InPlaceSubItemTextStart(TqzBarItemControlDrawParams* AParams) {
  return static_cast<TqzBarButtonLikeControlDrawParams*>(AParams)->ButtonSize.cx;
}

void TqzBarSkinnedPainter::DrawInPlaceSubItemArrow(TqzBarItemControlDrawParams* AParams, Integer ADirection,
                                                   const TRect& R) {
  if (TInterfacePtr<IqzSkin> skin = GetSkin()) DrawScaledArrow(skin.Get(), AParams, ADirection, R);
}

void TqzBarSkinnedPainter::DrawInPlaceSubItemFace(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  if (AParams->SelectedLook) {
    DrawMenuItemBand(AParams, R);
    return;
  }
  if (TInterfacePtr<IqzSkin> skin = GetSkin())
    skin->DrawBackground(AParams->TargetCanvas->DCHandle(), R, qzSkinPartMenuGlyphColumn, 0);
}

void TqzBarSkinnedPainter::DrawProgressBackground(TqzBarItemControlDrawParams* AParams, TRect& R) {
  TqzBarOffice11Painter::DrawProgressBackground(AParams, R);
  TInterfacePtr<IqzSkin> skin = GetSkin();
  if (!skin) return;
  skin->DrawBackground(AParams->TargetCanvas->DCHandle(), R, qzSkinPartProgressBackground, 0);
  InflateRect(&R, -2, -2);
}

void TqzBarSkinnedPainter::FillProgressRect(TqzBarItemControlDrawParams* AParams, const TRect& R, HBRUSH) {
  if (TInterfacePtr<IqzSkin> skin = GetSkin())
    skin->DrawBackground(AParams->TargetCanvas->DCHandle(), R, qzSkinPartProgressSolid, 0);
}

void TqzBarSkinnedPainter::FillProgressChunk(TqzBarItemControlDrawParams* AParams, const TRect& R, HBRUSH) {
  if (TInterfacePtr<IqzSkin> skin = GetSkin())
    skin->DrawBackground(AParams->TargetCanvas->DCHandle(), R, qzSkinPartProgressChunk, 0);
}
