// Edits and spin edits of the flat look and of the Office-11 look, which draw one-pixel borders.

#include "gdi/Drawing.h"
#include "gdi/SysColors.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarItemControlEdits.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "toolkit/bars/qzBarOffice11Painter.h"
#include "toolkit/bars/qzBarXPPainter.h"
#include "toolkit/bars/qzDropDownFrame.h"
#include "toolkit/foundation/qzOffice11.h"
#include "user/Rects.h"

namespace {

// Brush B7 of the Office-11 table: menu items and the frames of menu edits.
constexpr Integer kMenuItemBrush = 7;

}  // namespace

void TqzBarFlatPainter::CalcSpinPartRects(TqzBarItemControlDrawParams* AParams, const TRect& R,
                                          std::vector<TRect>& AParts) {
  TqzBarPainter::CalcSpinPartRects(AParams, R, AParts);
  if (!IsRectEmpty(&AParts[qzSpinUpPart])) ++AParts[qzSpinUpPart].Bottom;
}

void TqzBarFlatPainter::DrawEditBorder(TqzBarItemControlDrawParams* AParams, TRect& R) {
  TqzBarPainterClass cls = ClassRef();
  TqzBarItemControl* control = AParams->ItemControl;
  HBRUSH background = control->GetParent()->BackgroundBrush();
  HDC DC = AParams->TargetCanvas->DCHandle();
  bool whole = static_cast<TqzBarEditLikeControlDrawParams*>(AParams)->FramesWholeItemLook;
  if (AParams->SelectedLook)
    cls->DrawSelectedFrame(DC, R);
  else if (AParams->PaintKind == qzPaintMenu && !whole)
    FrameWith(DC, R, background);
  else if (AParams->EnabledLook || whole)
    cls->FrameItemBackground(control, DC, false, background, R);
  else
    FrameWith(DC, R, SysColorBrushCode(COLOR_BTNSHADOW));
  InflateRect(&R, -1, -1);
}

void TqzBarFlatPainter::DrawEditSelection(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  TqzBarPainter::DrawEditSelection(AParams, R);
  TRect inner = R;
  InflateRect(&inner, -1, -1);
  HDC DC = AParams->TargetCanvas->DCHandle();
  HRGN ring = CreateRectRgn(inner.Left, inner.Top, inner.Right, inner.Bottom);
  HRGN inside = CreateRectRgn(inner.Left + 1, inner.Top + 1, inner.Right - 1, inner.Bottom - 1);
  CombineRgn(ring, ring, inside, RGN_DIFF);
  ExtSelectClipRgn(DC, ring, RGN_DIFF);
  DeleteObject(inside);
  DeleteObject(ring);
}

bool TqzBarFlatPainter::IsEditLabelSelected(TqzBarItemControlDrawParams* AParams) {
  return AParams->PaintKind == qzPaintMenu && (AParams->SelectedLook || AParams->ItemControl->IsSelected());
}

void TqzBarOffice11Painter::DrawEditBorder(TqzBarItemControlDrawParams* AParams, TRect& R) {
  TqzBarItemControl* control = AParams->ItemControl;
  HDC DC = AParams->TargetCanvas->DCHandle();
  bool whole = static_cast<TqzBarEditLikeControlDrawParams*>(AParams)->FramesWholeItemLook;
  if (AParams->SelectedLook) {
    Office11FrameSelection(DC, R);
  } else if (!AParams->EnabledLook && !whole) {
    HBRUSH brush = CreateSolidBrush(ColorToRGB(EditDisabledTextColor()));
    FrameWith(DC, R, brush);
    DeleteObject(brush);
  } else if (AParams->PaintKind != qzPaintMenu || whole) {
    ClassRef()->FrameItemBackground(control, DC, false, control->GetParent()->BackgroundBrush(), R);
  } else {
    FrameWith(DC, R, Office11Brush(kMenuItemBrush));
  }
  InflateRect(&R, -1, -1);
}

bool TqzBarOffice11Painter::IsEditLabelSelected(TqzBarItemControlDrawParams* AParams) {
  return AParams->PaintKind == qzPaintMenu && AParams->SelectedLook;
}

bool TqzBarOffice11Painter::IsEditFramedSelected(TqzBarItemControlDrawParams* AParams) {
  return AParams->PaintKind == qzPaintMenu && AParams->SelectedLook;
}

Integer TqzBarOffice11Painter::EditGlyphSpacing(TqzBarItemControlDrawParams* AParams) {
  if (AParams->PaintKind == qzPaintMenu) return ClassRef()->MenuCaptionIndent(AParams);
  return AParams->ItemControl->GlyphPartWidth();
}

void TqzBarOffice11Painter::GetEditMenuMargins(TqzBarItemControlDrawParams* AParams, TRect& AMargins) {
  TqzBarItemControl* control = AParams->ItemControl;
  AMargins = TRect(control->GetParent()->IconAreaSize() - control->TextIndent(), 0, 0, 0);
}

void TqzBarOffice11Painter::DrawDateNavigatorButton(TqzBarItem* AItem, HDC DC, bool APushed, const String& AText,
                                                    const TRect& R) {
  if (ThemeAvailableFor(totToolBar))
    BarPainterClassOf<TqzBarXPPainter>()->DrawDateNavigatorButton(AItem, DC, APushed, AText, R);
  else
    TqzBarFlatPainter::DrawDateNavigatorButton(AItem, DC, APushed, AText, R);
}

void TqzBarFlatPainter::DrawDropDownNonClient(HWND AWnd, bool ASizable, TqzGripCorner ACorner, TRect& AGripRect,
                                              TRect& ACloseButtonRect, bool AHot, bool ADown) {
  DrawDropDownWindowFrame(AWnd, ASizable, true, ACorner, AGripRect, ACloseButtonRect, AHot, ADown,
                          ClassRef()->DropDownGripHeight());
}

void TqzBarFlatPainter::DrawComboButtonFace(TqzBarItemControlDrawParams* AParams, TRect& R, HBRUSH ABrush) {
  HDC dc = AParams->TargetCanvas->DCHandle();
  TqzBarItemControl* control = AParams->ItemControl;
  if (AParams->SelectedLook) {
    TRect frame = R;
    InflateRect(&frame, 1, 1);
    ClassRef()->DrawSelectedFrame(dc, frame);
  } else {
    auto* edit = dynamic_cast<TqzBarCustomEditControl*>(control);
    HBRUSH frame = AParams->EnabledLook && edit ? edit->GetEditBrush() : control->GetParent()->BackgroundBrush();
    FrameWith(dc, R, frame);
    FillWith(dc, TRect(R.Left - 1, R.Top, R.Left, R.Bottom), frame);
    InflateRect(&R, -1, -1);
  }
  FillWith(dc, R, ABrush);
}

Integer TqzBarFlatPainter::EditMenuSpacing(TqzBarItemControlDrawParams* AParams) {
  return ClassRef()->MenuCaptionIndent(AParams) - AParams->ItemControl->GetParent()->IconAreaSize();
}

void TqzBarFlatPainter::DrawSpinArrow(TqzBarItemControlDrawParams* AParams, const TPoint& AOrigin,
                                      Integer ADirection) {
  TColor color = !AParams->EnabledLook                                   ? clBtnShadow
                 : AParams->SelectedLook && HighContrastWhiteFace() ? clBtnFace
                                                                        : clBtnText;
  FillSpinArrow(AParams, AOrigin, ADirection, color);
}

void TqzBarFlatPainter::DrawSpinButton(TqzBarItemControlDrawParams* AParams, const TRect& R, Integer APart) {
  auto* spin = static_cast<TqzBarSpinEditDrawParams*>(AParams);
  bool hot = AParams->SelectedLook && AParams->HotPartIndex == APart;
  ClassRef()->DrawSmallButtonFace(AParams->ItemControl, AParams->TargetCanvas->DCHandle(), spin->PressedPart == APart,
                                  hot, AParams->EnabledLook, R);
  TPoint origin;
  GetSpinArrowOrigin(AParams, R, origin, APart);
  DrawSpinArrow(AParams, origin, APart);
}
