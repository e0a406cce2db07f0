// The flat look: frames instead of edges, the manager's flat brushes for faces and states.

#include "toolkit/bars/qzBarFlatPainter.h"

#include "gdi/Drawing.h"
#include "gdi/Edges.h"
#include "gdi/GdiTypes.h"
#include "gdi/Regions.h"
#include "gdi/SysColors.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarItemControlButtons.h"
#include "toolkit/bars/qzBarItemControlStatics.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "toolkit/foundation/qzOffice11.h"
#include "user/Rects.h"

TAVREN_CLASS_IMPL(TqzBarFlatPainter)

namespace {

TqzBarButtonLikeControlDrawParams* ButtonLike(TqzBarItemControlDrawParams* AParams) {
  return dynamic_cast<TqzBarButtonLikeControlDrawParams*>(AParams);
}

bool FaceIsBlack() { return ColorToRGB(clBtnFace) == 0; }

}  // namespace

void TqzBarFlatPainter::DrawImageFrame(TqzBarItemControlDrawParams* AParams, HDC DC, const TRect& R, bool,
                                       bool AHasRoom, HBRUSH ABrush) {
  TqzBarButtonLikeControlDrawParams* button = ButtonLike(AParams);
  TqzBarItemControl* control = AParams->ItemControl;
  bool down = button && button->DownLook;
  bool pressed = button && button->PushedLook;
  if (AParams->DropDownOpen) {
    TCustomqzBarControl* bar = control->GetParent();
    DrawOpenedFrame(bar, DC, bar->GetOpenedBar(), control, R);
  } else if (down || (AParams->SelectedLook && AParams->PaintKind != qzPaintMenu)) {
    ClassRef()->DrawSelectedFrame(DC, R);
  } else if (AHasRoom) {
    bool useBrush = AParams->SelectedLook || pressed || control->HasOwnBrush();
    ClassRef()->FrameItemBackground(control, DC, useBrush, ABrush, R);
  }
}

void TqzBarFlatPainter::PaintCheckMark(TqzBarItemControl* AControl, HDC DC, Integer s, Integer y, Integer x) {
  bool enabled = AControl->IsEnabled();
  TColor color = !enabled ? clBtnShadow : HighContrastWhiteFace() || FaceIsBlack() ? clWhite : clBlack;
  HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(color));
  HGDIOBJ previous = SelectObject(DC, pen);
  // A disabled tick sits one pixel lower.
  for (Integer k = enabled ? 0 : 1, last = k + 2 * s; k < last; ++k) {
    const POINT points[3] = {{x + s, y + 2 * s + k}, {x + 3 * s, y + 4 * s + k}, {x + 8 * s, y - s + k}};
    Polyline(DC, points, 3);
  }
  SelectBackAndDelete(DC, previous);
}

void TqzBarFlatPainter::DrawSelectedFrame(HDC DC, const TRect& R) {
  // On a black face the highlight would not show against the text colour.
  HBRUSH brush = CreateSolidBrush(ColorToRGB(FaceIsBlack() ? clHighlightText : clHighlight));
  FrameWith(DC, R, brush);
  DeleteObject(brush);
}

void TqzBarFlatPainter::DrawFloatingMark(TCustomqzBarControl* ABarControl, HDC DC, const TRect& R) {
  Integer state = ABarControl->GetMarkState();
  if (state == 2)
    DrawOpenedElement(ABarControl, DC, ABarControl->GetOpenedBar(), R);
  else
    ClassRef()->DrawCaptionButtonFace(ABarControl, DC, state, R);
  DrawMarkArrow(ABarControl, DC, R);
}

void TqzBarFlatPainter::DrawMarkBackground(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush,
                                           const TRect& R) {
  TRect inner = R;
  InflateRect(&inner, -1, -1);
  switch (ABarControl->GetMarkState()) {
    case 2:
      DrawOpenedElement(ABarControl, DC, ABarControl->GetOpenedBar(), R);
      break;
    case 1:
      ClassRef()->DrawSelectedFrame(DC, R);
      FillWith(DC, inner, ABarControl->SelectedBrush());
      break;
    default:
      FrameWith(DC, R, ABrush);
      ABarControl->FillBackground(DC, inner, false, clNone, ABrush);
      break;
  }
}

void TqzBarFlatPainter::OffsetFloatingCaption(TCustomqzBarControl* ABarControl, Integer& ATextX,
                                              TRect& ACaptionRect) {
  TRect mark;
  ABarControl->MarkRect(mark);
  ATextX += 2;
  ACaptionRect.Right = mark.Left;
}

Integer TqzBarFlatPainter::MarkElementColorIndex(TCustomqzBarControl* ABarControl) {
  if (HighContrastWhiteFace() && ABarControl->GetMarkState() == 1) return COLOR_BTNFACE;
  return TqzBarPainter::MarkElementColorIndex(ABarControl);
}

Integer TqzBarFlatPainter::SubItemTextIndent(TqzBarItemControl* AControl) {
  if (AControl->GetParent()->IsMainMenu()) return 8;
  return TqzBarPainter::SubItemTextIndent(AControl);
}

void TqzBarFlatPainter::DrawMenuItemBand(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  TqzBarItemControl* control = AParams->ItemControl;
  TCustomqzBarControl* menu = control->GetParent();
  TqzBarPainterClass cls = ClassRef();
  HDC DC = AParams->TargetCanvas->DCHandle();
  HBRUSH face = menu->GetControlBarManager()->FlatFaceBrush();
  Integer iconArea = menu->IconAreaSize();
  TRect icon;
  cls->GetMenuIconRect(R, iconArea, icon);
  bool selected = AParams->SelectedLook;
  bool useBrush = selected || control->IsSelected();
  if (selected) {
    cls->DrawSelectedFrame(DC, R);
  } else {
    // The ring takes the band's tint left of the band's edge and the menu's background after it.
    Integer x = R.Left + iconArea + 1;
    HBRUSH background = menu->BackgroundBrush();
    cls->FillItemBackground(control, DC, true, face, TRect(R.Left, R.Top, x, R.Top + 1));
    cls->FillItemBackground(control, DC, true, face, TRect(R.Left, R.Bottom - 1, x, R.Bottom));
    cls->FillItemBackground(control, DC, true, face, TRect(R.Left, R.Top, R.Left + 1, R.Bottom));
    cls->FillItemBackground(control, DC, useBrush, background, TRect(x, R.Top, R.Right, R.Top + 1));
    cls->FillItemBackground(control, DC, useBrush, background, TRect(x, R.Bottom - 1, R.Right, R.Bottom));
    cls->FillItemBackground(control, DC, useBrush, background, TRect(R.Right - 1, R.Top, R.Right, R.Bottom));
  }
  TRect r = R;
  InflateRect(&r, -1, -1);
  HBRUSH band = selected ? menu->SelectedBrush() : face;
  cls->FillItemBackground(control, DC, true, band, TRect(icon.Right, icon.Top, icon.Right + 2, icon.Bottom));
  if (r.Top < icon.Top) cls->FillItemBackground(control, DC, true, band, TRect(icon.Left, r.Top, icon.Right + 2, icon.Top));
  if (r.Bottom > icon.Bottom)
    cls->FillItemBackground(control, DC, true, band, TRect(icon.Left, icon.Bottom, icon.Right + 2, r.Bottom));
  r.Left = icon.Right + 2;
  if (r.Right > r.Left)
    cls->FillItemBackground(control, DC, true, selected ? menu->SelectedBrush() : control->GetBackgroundBrush(), r);
}

void TqzBarFlatPainter::DrawSunkenFrame(HDC DC, TRect& R) {
  FrameWith(DC, R, GetSysColorBrush(COLOR_BTNSHADOW));
  InflateRect(&R, -1, -1);
}

void TqzBarFlatPainter::DrawSmallButtonFace(TqzBarItemControl* AControl, HDC DC, bool APressed, bool ASelected,
                                            bool, const TRect& R) {
  TCustomqzBarControl* bar = AControl->GetParent();
  TRect inner = R;
  InflateRect(&inner, -1, -1);
  if (ASelected) {
    ClassRef()->DrawSelectedFrame(DC, R);
    FillWith(DC, inner, APressed ? bar->DownSelectedBrush() : bar->SelectedBrush());
  } else {
    FrameWith(DC, R, bar->BackgroundBrush());
    FillWith(DC, inner, bar->BackgroundBrush());
  }
}

HBRUSH TqzBarFlatPainter::ItemBackgroundBrush(TqzBarItemControl* AControl, Byte APaintKind, bool ADown,
                                              bool ASelected, bool) {
  TCustomqzBarControl* bar = AControl->GetParent();
  TqzBarItemControlDrawParams* params = AControl->GetDrawParams();
  bool pressed = params && params->PressedLook;
  if (params && params->DropDownOpen && APaintKind != qzPaintMenu)
    return ADown ? bar->DownSelectedBrush() : ClassRef()->OwnerLinkBrush(bar->GetControlBarManager());
  if (ASelected) return ADown || pressed ? bar->DownSelectedBrush() : bar->SelectedBrush();
  if (ADown) return bar->DownBrush();
  if (APaintKind == qzPaintMenu && AControl->GetBackgroundBrush() == bar->BackgroundBrush())
    return MenuItemBackgroundBrush(AControl);
  return AControl->GetBackgroundBrush();
}

bool TqzBarFlatPainter::FillsGlyphBackground(TqzBarItemControl* AControl, bool ADown, bool AAbsent, bool ASelected,
                                             bool APressed) {
  bool base = TqzBarPainter::FillsGlyphBackground(AControl, ADown, AAbsent, ASelected, APressed);
  if (ADown) return base;
  TqzBarItemControlDrawParams* params = AControl->GetDrawParams();
  return base || ASelected || APressed || (params && params->PaintKind == qzPaintMenu);
}

Integer TqzBarFlatPainter::MenuCheckIndent(TqzBarItemControl* AControl) {
  TCustomqzBarControl* bar = AControl->GetParent();
  return bar->BarKind() == 2 ? bar->GetTextSizeValue() + 3 : 0;
}

Integer TqzBarFlatPainter::GripperAreaSize(TCustomqzBarControl* ABarControl) {
  return GripperWidth(ABarControl) + ClassRef()->GripperOffset() + 2;
}

HBRUSH TqzBarFlatPainter::ToolbarBrush(TCustomqzBarControl* ABarControl) {
  TqzBarManager* manager = ABarControl ? ABarControl->GetControlBarManager() : nullptr;
  return manager ? manager->FlatFaceBrush() : TqzBarPainter::ToolbarBrush(ABarControl);
}

void TqzBarFlatPainter::DrawQuickItemCheck(TqzBarItemControl* AControl, HDC DC, Integer AState, const TRect& R) {
  if (AState == 0) return;
  ClassRef()->DrawSelectedFrame(DC, R);
  FillWith(DC, TRect(R.Right, R.Top, R.Right + 2, R.Bottom), AControl->GetParent()->SelectedBrush());
}

HBRUSH TqzBarFlatPainter::BarBrush(TCustomqzBarControl* ABarControl) {
  if (ABarControl && ABarControl->IsMainMenu()) return SysColorBrushCode(COLOR_BTNFACE);
  return ClassRef()->ToolbarBrush(ABarControl);
}

HBRUSH TqzBarFlatPainter::DownBrush(TCustomqzBarControl* ABarControl) {
  TqzBarManager* manager = ABarControl ? ABarControl->GetControlBarManager() : nullptr;
  return manager ? manager->FlatPressedBrush() : TqzBarPainter::DownBrush(ABarControl);
}

HBRUSH TqzBarFlatPainter::DownSelectedBrush(TCustomqzBarControl* ABarControl) {
  TqzBarManager* manager = ABarControl ? ABarControl->GetControlBarManager() : nullptr;
  return manager ? manager->FlatPressedHotBrush() : TqzBarPainter::DownSelectedBrush(ABarControl);
}

HBRUSH TqzBarFlatPainter::SelectedBrush(TCustomqzBarControl* ABarControl) {
  TqzBarManager* manager = ABarControl ? ABarControl->GetControlBarManager() : nullptr;
  return manager ? manager->FlatHotBrush() : TqzBarPainter::SelectedBrush(ABarControl);
}

void TqzBarFlatPainter::DrawBarSeparator(TCustomqzBarControl* ABarControl, HDC DC, bool AHorizontal, HBRUSH ABrush,
                                         const TRect& R) {
  Integer offset = SeparatorOffset();
  HBRUSH line = GetSysColorBrush(COLOR_BTNSHADOW);
  if (AHorizontal) {
    ABarControl->FillBackground(DC, TRect(R.Left, R.Top, R.Right, R.Top + offset), false, clNone, ABrush);
    ABarControl->FillBackground(DC, TRect(R.Left, R.Bottom - offset, R.Right, R.Bottom), false, clNone, ABrush);
    FillWith(DC, TRect(R.Left, R.Top + offset, R.Right, R.Top + offset + 1), line);
  } else {
    ABarControl->FillBackground(DC, TRect(R.Left, R.Top, R.Left + offset, R.Bottom), false, clNone, ABrush);
    ABarControl->FillBackground(DC, TRect(R.Right - offset, R.Top, R.Right, R.Bottom), false, clNone, ABrush);
    FillWith(DC, TRect(R.Left + offset, R.Top, R.Left + offset + 1, R.Bottom), line);
  }
}

HBRUSH TqzBarFlatPainter::ButtonBackgroundBrush(TqzBarItemControlDrawParams* AParams) {
  if (!AParams->SelectedLook) return TqzBarPainter::ButtonBackgroundBrush(AParams);
  TCustomqzBarControl* bar = AParams->ItemControl->GetParent();
  return AParams->DropDownOpen || HighContrastWhiteFace() ? bar->DownSelectedBrush() : bar->SelectedBrush();
}

void TqzBarFlatPainter::DrawArrowPartBackground(TqzBarItemControlDrawParams* AParams, const TRect& R,
                                                HBRUSH ABrush) {
  TqzBarPainter::DrawArrowPartBackground(AParams, R, ABrush);
  if (AParams->PaintKind != qzPaintMenu && AParams->DropDownOpen) return;
  TqzBarButtonLikeControlDrawParams* button = ButtonLike(AParams);
  DrawArrowPartFrame(AParams->ItemControl, AParams->TargetCanvas->DCHandle(), button && button->DownLook,
                     AParams->SelectedLook, AParams->PaintKind, ABrush, R);
}

TColor TqzBarFlatPainter::ComboArrowColor(TqzBarItemControlDrawParams* AParams) {
  if (AParams->SelectedLook && (AParams->DropDownOpen || HighContrastWhiteFace())) return clHighlightText;
  if (!AParams->SelectedLook && !AParams->EnabledLook) return clBtnShadow;
  return TqzBarPainter::ComboArrowColor(AParams);
}

HBRUSH TqzBarFlatPainter::ComboButtonBrush(TqzBarItemControlDrawParams* AParams) {
  if (AParams->PaintKind == qzPaintMenu && !AParams->SelectedLook)
    return AParams->ItemControl->GetParent()->BackgroundBrush();
  return TqzBarPainter::ComboButtonBrush(AParams);
}

void TqzBarFlatPainter::GetMenuCheckSize(TkvCanvas* ACanvas, Integer ATextSize, Integer& AHeight, Integer& AWidth) {
  TqzBarPainter::GetMenuCheckSize(ACanvas, ATextSize, AHeight, AWidth);
  Integer inset = ClassRef()->MenuCheckInset(AHeight - 2);
  if (inset % 2 != 0) AHeight = 2 * inset + 4;
}

Integer TqzBarFlatPainter::MenuCheckInset(Integer AHeight) {
  Integer inset = (AHeight - 4) / 2;
  return inset >= 5 && inset % 2 != 0 ? inset - 1 : inset;
}

void TqzBarFlatPainter::GetMenuIconRect(const TRect& AItemRect, Integer AIconAreaSize, TRect& R) {
  TRect item = AItemRect;
  InflateRect(&item, -1, -1);
  TqzBarPainter::GetMenuIconRect(item, AIconAreaSize - 2, R);
}

void TqzBarFlatPainter::DrawMenuSeparatorLine(TkvCanvas* ACanvas, const TRect& R) {
  HBRUSH brush = CreateSolidBrush(ColorToRGB(MenuSeparatorColor()));
  FillWith(ACanvas->DCHandle(), TRect(R.Left, R.Top, R.Right, R.Top + 1), brush);
  DeleteObject(brush);
}

HBRUSH TqzBarFlatPainter::MenuBrush(TqzBarSubMenuControl*) { return SysColorBrushCode(COLOR_WINDOW); }

void TqzBarFlatPainter::DrawArrowPartFrame(TqzBarItemControl* AControl, HDC DC, bool ADown, bool ASelected,
                                           Byte APaintKind, HBRUSH, const TRect& R) {
  bool menu = APaintKind == qzPaintMenu;
  if (!ASelected && !menu && !ADown)
    FrameWith(DC, R, AControl->GetParent()->BackgroundBrush());
  else if (ASelected || !menu)
    ClassRef()->DrawSelectedFrame(DC, R);
  else
    FrameWith(DC, R, GetSysColorBrush(COLOR_BTNSHADOW));
}

HBRUSH TqzBarFlatPainter::MenuItemBackgroundBrush(TqzBarItemControl* AControl) {
  return AControl->GetBarManager()->FlatFaceBrush();
}

HBRUSH TqzBarFlatPainter::StaticBorderBrush(TqzBarItemControl*, Integer) { return GetSysColorBrush(COLOR_BTNSHADOW); }

bool TqzBarFlatPainter::IsInPlaceSubItemSelected(TqzBarItemControlDrawParams* AParams) {
  return TqzBarPainter::IsInPlaceSubItemSelected(AParams) && ClassRef()->IsFlatOnColouredFace();
}

bool TqzBarFlatPainter::InPlaceSubItemShowsArrow(TqzBarItemControlDrawParams* AParams) {
  return !AParams->SelectedLook || HighContrastWhiteFace();
}

void TqzBarFlatPainter::DrawStaticBorder(TqzBarItemControlDrawParams* AParams, TRect& R) {
  auto* params = dynamic_cast<TqzBarStaticLikeControlDrawParams*>(AParams);
  if (!params || !params->DrawsBorder || params->BorderStyle == sbsNone) return;
  HDC dc = AParams->TargetCanvas->DCHandle();
  const TRect& w = params->BorderWidths;
  TRect content(R.Left + w.Left, R.Top + w.Top, R.Right - w.Right, R.Bottom - w.Bottom);
  HRGN saved = nullptr;
  bool existed = false;
  BackupClipRegion(dc, saved, existed);
  ExcludeClipRect(dc, content.Left, content.Top, content.Right, content.Bottom);
  FillWith(dc, R, StaticBorderBrush(AParams->ItemControl, params->BorderStyle));
  RestoreClipRegionBackup(dc, saved, existed);
  R = content;
}

void TqzBarFlatPainter::DrawOpenedElement(TCustomqzBarControl* ABarControl, HDC DC, TCustomqzBarControl* APopup,
                                          const TRect& R) {
  DrawOpenedFrame(ABarControl, DC, APopup, nullptr, R);
  TRect inner = R;
  InflateRect(&inner, -1, -1);
  FillWith(DC, inner, ClassRef()->OwnerLinkBrush(ABarControl->GetControlBarManager()));
}

void TqzBarFlatPainter::DrawOpenedFrame(TCustomqzBarControl* ABarControl, HDC DC, TCustomqzBarControl* APopup,
                                        TqzBarItemControl* AControl, const TRect& R) {
  HRGN saved = nullptr;
  bool existed = false;
  BackupClipRegion(DC, saved, existed);
  if (APopup && APopup->HandleAllocated()) {
    TRect strip;
    APopup->GetOwnerJoinRect(true, strip);
    if (!IsRectEmpty(&strip)) {
      TPoint topLeft = ABarControl->ScreenToClient(TPoint(strip.Left, strip.Top));
      TRect join(topLeft.X, topLeft.Y, topLeft.X + strip.Width(), topLeft.Y + strip.Height());
      FillOwnerJoin(ABarControl, DC, AControl, join, R);
      ExcludeClipRect(DC, join.Left, join.Top, join.Right, join.Bottom);
    }
  }
  FrameOpenedOwner(ABarControl, DC, R);
  RestoreClipRegionBackup(DC, saved, existed);
}

void TqzBarFlatPainter::FrameOpenedOwner(TCustomqzBarControl* ABarControl, HDC DC, const TRect& R) {
  FrameWith(DC, R, ABarControl->GetControlBarManager()->FlatBorderBrush());
}

void TqzBarFlatPainter::FillOwnerJoin(TCustomqzBarControl* ABarControl, HDC DC, TqzBarItemControl*,
                                      const TRect& AJoinRect, const TRect&) {
  FillWith(DC, AJoinRect, ClassRef()->OwnerLinkBrush(ABarControl->GetControlBarManager()));
}

TColor TqzBarFlatPainter::MenuSeparatorColor() { return clBtnShadow; }

HBRUSH TqzBarFlatPainter::EditCaptionBrush(TqzBarItemControl* AControl) {
  TCustomqzBarControl* bar = AControl->GetParent();
  TqzBarItemControlDrawParams* params = AControl->GetDrawParams();
  bool selectedInMenu = params && params->PaintKind == qzPaintMenu && AControl->IsDrawnSelected();
  return selectedInMenu ? bar->SelectedBrush() : bar->BackgroundBrush();
}

bool TqzBarFlatPainter::DrawsEditGlyphSelected(TqzBarItemControl* AControl) {
  TqzBarItemControlDrawParams* params = AControl->GetDrawParams();
  return params && params->PaintKind == qzPaintMenu && AControl->IsDrawnSelected();
}

void TqzBarFlatPainter::DrawDateNavigatorButton(TqzBarItem*, HDC DC, bool, const String& AText, const TRect& R) {
  TRect r = R;
  FrameWith(DC, r, GetSysColorBrush(COLOR_BTNSHADOW));
  InflateRect(&r, -1, -1);
  FrameWith(DC, r, GetSysColorBrush(COLOR_BTNFACE));
  InflateRect(&r, -1, -1);
  ClassRef()->DrawPushButtonText(DC, r, true, AText, 0);
}

// ---- Toolbar frames ----------------------------------------------------------------------------

void TqzBarFlatPainter::DrawCloseButton(TCustomqzBarControl* ABarControl, HDC DC, const TRect& R) {
  auto* toolbar = dynamic_cast<TqzBarControl*>(ABarControl);
  Integer state = toolbar ? toolbar->GetCloseButtonState() : 0;
  DrawCaptionButtonFace(ABarControl, DC, state, R);
  TRect r = R;
  InflateRect(&r, -3, -4);
  if (r.Width() % 2 != 0) --r.Right;
  r.Bottom = r.Top + r.Width() - 1;
  if (r.Width() <= 0) return;
  // A cross two pixels thick.
  HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(ClassRef()->MarkArrowColor(ABarControl, state)));
  HGDIOBJ previous = SelectObject(DC, pen);
  const Integer L = r.Left, T = r.Top, Rt = r.Right, B = r.Bottom;
  const POINT lines[4][2] = {{{L, T}, {Rt - 1, B}}, {{L + 1, T}, {Rt, B}}, {{L, B - 1}, {Rt - 1, T - 1}},
                             {{L + 1, B - 1}, {Rt, T - 1}}};
  for (const auto& line : lines) Polyline(DC, line, 2);
  SelectBackAndDelete(DC, previous);
}

void TqzBarFlatPainter::DrawDockedBorder(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush, const TRect& R) {
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  TRect r = R;
  FrameWith(DC, r, face);
  InflateRect(&r, -1, -1);
  for (TPoint p : {TPoint(r.Left, r.Top), TPoint(r.Right - 1, r.Top), TPoint(r.Left, r.Bottom - 1),
                   TPoint(r.Right - 1, r.Bottom - 1)})
    FillWith(DC, TRect(p.X, p.Y, p.X + 1, p.Y + 1), face);
  InflateRect(&r, -1, -1);
  auto* toolbar = dynamic_cast<TqzBarControl*>(ABarControl);
  if (!toolbar || !toolbar->CanMoveBar()) return;
  Integer offset = ClassRef()->GripperOffset(), width = GripperWidth(ABarControl);
  bool horizontal = toolbar->IsDockedHorizontally();
  TRect grip = horizontal ? TRect(r.Left + offset, r.Top + 3, r.Left + offset + width, r.Bottom - 3)
                          : TRect(r.Left + 3, r.Top + offset, r.Right - 3, r.Top + offset + width);
  // Striped across its length: every other line in the shadow colour.
  HBRUSH shadow = GetSysColorBrush(COLOR_BTNSHADOW);
  Integer length = horizontal ? grip.Height() : grip.Width();
  for (Integer i = 0; i < length; ++i) {
    TRect line = horizontal ? TRect(grip.Left, grip.Top + i, grip.Right, grip.Top + i + 1)
                            : TRect(grip.Left + i, grip.Top, grip.Left + i + 1, grip.Bottom);
    FillWith(DC, line, i % 2 == 0 ? shadow : ABrush);
  }
}

void TqzBarFlatPainter::DrawFloatingBorder(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush, const TRect&,
                                           const TRect& R) {
  TRect ring = R;
  FrameWith(DC, ring, ABarControl->GetControlBarManager()->FlatBorderBrush());
  InflateRect(&ring, -1, -1);
  FrameWith(DC, ring, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
  // Rings of the background down to the one just outside the client area.
  TPoint client;
  ABarControl->ClientOffset(client);
  for (Integer i = 0; i < client.X - R.Left - 2 && ring.Width() > 2 && ring.Height() > 2; ++i) {
    InflateRect(&ring, -1, -1);
    FrameWith(DC, ring, ABrush);
  }
}
