// Edits, combos and spin edits of the skinned look: the edit area and its frame take the skin's
// edit colours, every button of an edit is the skin's edit button face in the state its rule gives.

#include "gdi/Drawing.h"
#include "gdi/GdiTypes.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarItemControlEdits.h"
#include "toolkit/bars/qzBarSkinnedPainter.h"
#include "user/Rects.h"

namespace {

// The clip region of a DC as it was on entry, given back when the scope ends, also on failure.
class TClipBackup {
 public:
  explicit TClipBackup(HDC DC) : FDC(DC) { BackupClipRegion(DC, FRegion, FExisted); }
  ~TClipBackup() { RestoreClipRegionBackup(FDC, FRegion, FExisted); }
  TClipBackup(const TClipBackup&) = delete;
  TClipBackup& operator=(const TClipBackup&) = delete;

 private:
  HDC FDC;
  HRGN FRegion = nullptr;
  bool FExisted = false;
};

bool InPlaceActive(TqzBarItemControlDrawParams* AParams) {
  auto* params = dynamic_cast<TqzBarEditLikeControlDrawParams*>(AParams);
  return params && params->InPlaceActiveLook;
}

bool FramesWholeItem(TqzBarItemControlDrawParams* AParams) {
  auto* params = dynamic_cast<TqzBarEditLikeControlDrawParams*>(AParams);
  return params && params->FramesWholeItemLook;
}

// The box the in-place editor fills: the control's edit area inside the edit borders.
TRect EditBox(TqzBarPainterClass AClass, TqzBarItemControlDrawParams* AParams) {
  TRect area, borders;
  static_cast<TqzBarCustomEditControl*>(AParams->ItemControl)->GetEditAreaRect(area);
  AClass->GetEditBorders(AParams->PaintKind, borders);
  return TRect(area.Left + borders.Left, area.Top + borders.Top, area.Right - borders.Right,
               area.Bottom - borders.Bottom);
}

}  // namespace

Integer SkinEditState(TqzBarItemControlDrawParams* AParams, Integer APartIndex) {
  if (AParams->CustomizingLook) return qzSkinStateNormal;
  bool active = InPlaceActive(AParams);
  switch (APartIndex) {
    case 0:
      if (AParams->DropDownOpen) return qzSkinStateOpened;
      if (active) return qzSkinStatePressed;
      return SkinGenericState(AParams, 0);
    case 3:
      if (AParams->DropDownOpen) return qzSkinStateOpened;
      if ((AParams->PressedLook && AParams->HotPartIndex == 3) || active) return qzSkinStateHot;
      return SkinGenericState(AParams, 3);
    case 4:
      if (AParams->PressedLook) return qzSkinStatePressed;
      if (AParams->DropDownOpen || active) return qzSkinStateHot;
      return SkinGenericState(AParams, 4);
    default:
      return qzSkinStateNormal;
  }
}

Integer SkinSpinState(TqzBarItemControlDrawParams* AParams, Integer APartIndex) {
  if (AParams->CustomizingLook) return qzSkinStateNormal;
  auto* spin = dynamic_cast<TqzBarSpinEditDrawParams*>(AParams);
  if (spin && spin->PressedPart == APartIndex && AParams->HotPartIndex == APartIndex) return qzSkinStateOpened;
  Integer state = SkinGenericState(AParams, APartIndex);
  // Highlighted only while the edit part or a spin button is hot, not for the caption or glyph.
  Integer hot = AParams->HotPartIndex;
  if (state == qzSkinStateHighlighted && (hot == qzNoHotPart || hot == 1 || hot == 2 || hot == 100))
    return qzSkinStateNormal;
  return state;
}

// ---- Edits --------------------------------------------------------------------------------------

TColor TqzBarSkinnedPainter::EditAreaColor(TqzBarItemControlDrawParams* AParams) {
  TInterfacePtr<IqzSkin> skin = GetSkin();
  if (!skin) return TqzBarOffice11Painter::EditAreaColor(AParams);
  return skin->GetPartColor(qzSkinPartEditBackground, SkinEditState(AParams, 0));
}

void TqzBarSkinnedPainter::DrawEditButtonArea(TqzBarItemControlDrawParams* AParams, Integer AState, HBRUSH,
                                              const TRect& R) {
  if (TInterfacePtr<IqzSkin> skin = GetSkin())
    skin->DrawBackground(AParams->TargetCanvas->DCHandle(), R, qzSkinPartEditButton, AState);
}

void TqzBarSkinnedPainter::EditHook253(TqzBarItemControlDrawParams* AParams, Integer AState, TRect& AInner,
                                       TRect& R) {
  TRect borders;
  ClassRef()->GetEditBorders(AParams->PaintKind, borders);
  AInner = TRect(R.Left + borders.Left, R.Top + borders.Top, R.Right - borders.Right, R.Bottom - borders.Bottom);
  if (AState < qzSkinStateHot || AState > qzSkinStateDownHot) return;
  TInterfacePtr<IqzSkin> skin = GetSkin();
  if (!skin) return;
  TkvCanvas* canvas = AParams->TargetCanvas;
  TqzBarItemControl* control = AParams->ItemControl;
  TRect bounds = control->GetViewInfo() ? control->GetViewInfo()->GetBounds() : control->GetItemRect();
  TRect clip;
  IntersectRect(&clip, &bounds, &R);
  {
    TClipBackup backup(canvas->DCHandle());
    canvas->ClipToRect(clip);
    canvas->PaintFrame(R, skin->GetPartColor(qzSkinPartEditButtonBorder, AState));
  }
  R = AInner;
}

void TqzBarSkinnedPainter::DrawEditButton(IqzSkin* ASkin, TqzBarItemControlDrawParams* AParams, Integer APart,
                                          const TRect& R) {
  Integer state = SkinEditState(AParams, APart);
  TRect face = R;
  TRect inner = R;
  EditHook253(AParams, state, inner, face);
  DrawEditButtonArea(AParams, state, nullptr, face);
  if (APart == 3)
    DrawSmallDropDownArrow(ASkin, AParams->TargetCanvas->DCHandle(), inner, state);
  else
    DrawDotsButton(AParams, inner);
}

void TqzBarSkinnedPainter::ComboDrawDropButton(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  if (TInterfacePtr<IqzSkin> skin = GetSkin()) DrawEditButton(skin.Get(), AParams, 3, R);
}

void TqzBarSkinnedPainter::DrawImageEditButton(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  if (TInterfacePtr<IqzSkin> skin = GetSkin()) DrawEditButton(skin.Get(), AParams, 4, R);
}

void TqzBarSkinnedPainter::DrawEditFrame(TqzBarItemControlDrawParams* AParams) {
  TqzBarPainterClass cls = ClassRef();
  TRect box = EditBox(cls, AParams);
  TqzBarItemControl* control = AParams->ItemControl;
  HDC DC = AParams->TargetCanvas->DCHandle();
  TClipBackup backup(DC);
  ExcludeClipRect(DC, box.Left, box.Top, box.Right, box.Bottom);
  cls->FillItemBackground(control, DC, false, nullptr, control->GetItemRect());
}

void TqzBarSkinnedPainter::DrawEditBorder(TqzBarItemControlDrawParams* AParams, TRect& R) {
  TInterfacePtr<IqzSkin> skin = GetSkin();
  if (skin && !FramesWholeItem(AParams))
    AParams->TargetCanvas->PaintFrame(R, skin->GetPartColor(qzSkinPartEditBorder, SkinEditState(AParams, 0)));
  InflateRect(&R, -1, -1);
}

void TqzBarSkinnedPainter::DrawEditSelection(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  TInterfacePtr<IqzSkin> skin = GetSkin();
  if (!skin) return;
  TqzBarPainterClass cls = ClassRef();
  TRect box = EditBox(cls, AParams);
  HDC DC = AParams->TargetCanvas->DCHandle();
  Integer state = AParams->EnabledLook ? qzSkinStateHighlighted : qzSkinStateDisabledHighlighted;
  TClipBackup backup(DC);
  ExcludeClipRect(DC, box.Left, box.Top, box.Right, box.Bottom);
  skin->DrawBackground(DC, R, qzSkinPartSmallButton, state);
  TRect area;
  static_cast<TqzBarCustomEditControl*>(AParams->ItemControl)->GetEditAreaRect(area);
  FillSolid(DC, TRect(area.Left, area.Top + 1, area.Left + 1, area.Bottom - 1),
            skin->GetPartColor(qzSkinPartEditSelectedLine, state));
}

// ---- Spin edits ---------------------------------------------------------------------------------

void TqzBarSkinnedPainter::DrawSpinArrow(TqzBarItemControlDrawParams* AParams, const TPoint&, Integer ADirection) {
  const std::vector<TRect>& parts = AParams->ItemControl->GetPartRects();
  if (static_cast<Integer>(parts.size()) <= ADirection) return;
  Integer size = static_cast<TqzBarSpinEditDrawParams*>(AParams)->ArrowSize.cy;
  DrawClippedArrow(AParams->TargetCanvas, parts[ADirection], ADirection == qzSpinDownPart, size, clNone);
}

void TqzBarSkinnedPainter::CalcSpinPartRects(TqzBarItemControlDrawParams* AParams, const TRect& R,
                                             std::vector<TRect>& AParts) {
  TqzBarOffice11Painter::CalcSpinPartRects(AParams, R, AParts);
  TRect& up = AParts[qzSpinUpPart];
  if (IsRectEmpty(&up)) return;
  --up.Bottom;
  AParts[qzEditPart].Right = up.Left;
}

void TqzBarSkinnedPainter::GetSpinArrowOrigin(TqzBarItemControlDrawParams* AParams, const TRect& R, TPoint& AOrigin,
                                              Integer ADirection) {
  const TSize& arrow = static_cast<TqzBarSpinEditDrawParams*>(AParams)->ArrowSize;
  Integer d = R.Height() / 2 - arrow.cy / 2;
  AOrigin.X = R.Left + R.Width() / 2 - arrow.cx / 2;
  AOrigin.Y = ADirection == qzSpinUpPart ? R.Bottom - d : R.Top + d - 1;
}

void TqzBarSkinnedPainter::CalcSpinButtonRects(TqzBarItemControlDrawParams* AParams, const TRect& R, TRect& AButton,
                                               Integer APart) {
  TRect inner = R;
  InflateRect(&inner, -1, -1);
  TqzBarOffice11Painter::CalcSpinButtonRects(AParams, inner, AButton, APart);
}

Integer TqzBarSkinnedPainter::SpinButtonWidth(Byte APaintKind, const TRect& R) {
  TRect margins;
  ClassRef()->GetSpinButtonMargins(APaintKind, margins);
  return (R.Height() / 2) * 8 / 5 + 1 - margins.Left - margins.Right;
}

void TqzBarSkinnedPainter::DrawSpinButton(TqzBarItemControlDrawParams* AParams, const TRect& R, Integer APart) {
  TInterfacePtr<IqzSkin> skin = GetSkin();
  if (!skin || IsRectEmpty(&R)) return;
  Integer state = SkinSpinState(AParams, APart);
  TRect inner = R;
  InflateRect(&inner, -1, -1);
  TRect face = R;
  switch (state) {
    case qzSkinStateNormal:
    case qzSkinStateDisabled:
    case qzSkinStateHighlighted:
    case qzSkinStateDisabledHighlighted:
      // Without a frame of its own the button reaches onto the other one's edge.
      if (APart == qzSpinUpPart)
        ++face.Bottom;
      else
        --face.Top;
      break;
    default:
      AParams->TargetCanvas->PaintFrame(face, skin->GetPartColor(qzSkinPartEditButtonBorder, state));
  }
  InflateRect(&face, -1, -1);
  DrawEditButtonArea(AParams, state, nullptr, face);
  TPoint origin;
  GetSpinArrowOrigin(AParams, inner, origin, APart);
  DrawSpinArrow(AParams, origin, APart);
}

void TqzBarSkinnedPainter::DrawSpinEditArea(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  TInterfacePtr<IqzSkin> skin = GetSkin();
  if (!skin) return;
  Integer hot = AParams->HotPartIndex;
  TColor color;
  if (hot == qzEditPart || hot == qzSpinUpPart || hot == qzSpinDownPart)
    color = skin->GetPartColor(qzSkinPartEditButtonBorder, qzSkinStateHighlighted);
  else
    color = skin->GetPartColor(qzSkinPartEditBackground,
                               SkinEditState(AParams, 0) == qzSkinStateDisabled ? qzSkinStateDisabled : qzSkinStateNormal);
  AParams->TargetCanvas->PaintFrame(R, color);
}
