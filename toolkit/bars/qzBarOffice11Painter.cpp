// The Office-11 look, in the colours of the shared Office-11 table.

#include "toolkit/bars/qzBarOffice11Painter.h"

#include "gdi/Drawing.h"
#include "gdi/GdiTypes.h"
#include "gdi/SysColors.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarItemControlButtons.h"
#include "toolkit/bars/qzBarItemControlEdits.h"
#include "toolkit/bars/qzBarDockControl.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "toolkit/bars/qzBarToolbars.h"
#include "toolkit/foundation/qzOffice11.h"
#include "vcl/Graphics.h"
#include "user/Rects.h"

TAVREN_CLASS_IMPL(TqzBarOffice11Painter)

namespace {

// Where each colour of the look stands in the table (docs/bars.md lists the choice).
namespace slot {
constexpr Integer MarkStart[3] = {4, 5, 6}, MarkEnd[3] = {7, 8, 9};
constexpr Integer ToolbarShadow = 10;
constexpr Integer MenuSeparator = 20, SelectedItemText = 22;
constexpr Integer ChevronDark = 22, ChevronLight = 23;
constexpr Integer FloatingOuter = 24, FloatingInner = 25, CaptionColor = 27, CaptionText = 28;
constexpr Integer FloatingCaption = 27;
constexpr Integer MarkArrowHot = 29, MarkArrowDropped = 30;
constexpr Integer OpenedGradient1 = 32, OpenedGradient2 = 33;
constexpr Integer HotGradient1 = 42, HotGradient2 = 43, PressedGradient1 = 44, PressedGradient2 = 45;
constexpr Integer FlatPressed = 47, PressedHot = 48;
constexpr Integer ItemText = 51, DisabledText = 52, DateHeader = 54;
}  // namespace slot

namespace brush {
constexpr Integer SeparatorDark = 2, SeparatorLight = 3, Menu = 4, Selected = 6, MenuItem = 7, Down = 8;
constexpr Integer DownSelected = 9, Border = 10, Join = 11, DownFrame = 12, StaticBorder = 15;
// The table has no brush of its own for progress frames: they share the static items' border.
constexpr Integer ProgressFrame = StaticBorder;
}  // namespace brush

TColor O11(Integer ASlot) { return Office11Color(ASlot); }

TqzBarButtonLikeControlDrawParams* ButtonLike(TqzBarItemControlDrawParams* AParams) {
  return dynamic_cast<TqzBarButtonLikeControlDrawParams*>(AParams);
}

// An item whose drop-down is open is drawn as one with its popup: a sub-item, or a split button.
bool TakesOpenedLook(TqzBarItemControlDrawParams* AParams) {
  TqzBarButtonLikeControlDrawParams* button = ButtonLike(AParams);
  // A menu keeps its items' selected look while their sub-menus are open: only a bar's entry joins
  // the popup that hangs from it.
  return AParams->DropDownOpen && AParams->PaintKind != qzPaintMenu &&
         (!button || !button->ButtonLook || AParams->HasDropDownPart);
}

}  // namespace

void TqzBarOffice11Painter::StateGradient(bool APlain, bool APressed, bool AHot, TColor& AFirst, TColor& ASecond) {
  if (APlain) {
    AFirst = ASecond = O11(APressed ? slot::FlatPressed : slot::HotGradient1);
  } else if (!APressed) {
    AFirst = O11(slot::HotGradient1);
    ASecond = O11(slot::HotGradient2);
  } else if (AHot) {
    AFirst = O11(slot::PressedGradient2);
    ASecond = O11(slot::PressedGradient1);
  } else {
    AFirst = O11(slot::PressedGradient1);
    ASecond = O11(slot::PressedGradient2);
    if (AFirst == ASecond) AFirst = ASecond = O11(slot::PressedHot);
  }
}

void TqzBarOffice11Painter::DrawImageFrame(TqzBarItemControlDrawParams* AParams, HDC DC, const TRect& R, bool,
                                           bool AHasRoom, HBRUSH ABrush) {
  TqzBarButtonLikeControlDrawParams* button = ButtonLike(AParams);
  TqzBarItemControl* control = AParams->ItemControl;
  TCustomqzBarControl* bar = control->GetParent();
  bool down = button && button->DownLook;
  bool pressed = button && button->PushedLook;
  bool hot = AParams->SelectedLook;
  bool menu = AParams->PaintKind == qzPaintMenu;
  if ((hot && menu && !down) || control->HasOwnBrush()) {
    FillWith(DC, R, ABrush);
    return;
  }
  // Gradients run across the bar.
  bool across = bar->IsVertical();
  if (TakesOpenedLook(AParams) && !down) {
    PaintGradientRect(DC, R, O11(slot::OpenedGradient1), O11(slot::OpenedGradient2), across);
  } else if (!menu && (down || hot || pressed)) {
    TColor first, second;
    StateGradient(false, pressed || down, hot, first, second);
    PaintGradientRect(DC, R, first, second, across);
  } else {
    ClassRef()->FillItemBackground(control, DC, down || hot || pressed, ABrush, R);
  }
  if (down || (hot && !menu) || AParams->DropDownOpen) {
    if (AParams->DropDownOpen)
      DrawOpenedFrame(bar, DC, bar->GetOpenedBar(), control, R);
    else if (hot || (down && button && button->ButtonLook))
      Office11FrameSelection(DC, R);
    else
      FrameWith(DC, R, Office11Brush(brush::DownFrame));
  } else if (AHasRoom) {
    ClassRef()->FrameItemBackground(control, DC, false, ABrush, R);
  }
}

void TqzBarOffice11Painter::DrawDropDownArrow(HDC DC, const TRect& R, TColor, bool, bool ASelected, bool AEnabled,
                                              Integer ADirection) {
  Office11PaintItemArrow(DC, R, ADirection == 1, AEnabled, ASelected);
}

void TqzBarOffice11Painter::DrawArrow(HDC DC, const TRect& R, TColor, bool, bool ASelected, bool AEnabled,
                                      Integer ADirection, Integer AArrowSize) {
  Office11PaintArrowSized(DC, R, ADirection == 1, AArrowSize, ASelected, AEnabled);
}

void TqzBarOffice11Painter::DrawSelectedFrame(HDC DC, const TRect& R) { Office11FrameSelection(DC, R); }

TColor TqzBarOffice11Painter::ItemTextColor(TqzBarItemControl*, bool ASelected, bool AFlat) {
  if (ASelected && !AFlat) return HighContrastWhiteFace() ? clWhite : O11(slot::SelectedItemText);
  return O11(slot::ItemText);
}

void TqzBarOffice11Painter::DisabledCaptionColors(TqzBarItemControl*, bool, bool, TColor& AShadowColor,
                                                  TColor& ATextColor) {
  ATextColor = AShadowColor = O11(slot::DisabledText);
}

TColor TqzBarOffice11Painter::CaptionSysColor(Integer) { return O11(slot::CaptionColor); }

TColor TqzBarOffice11Painter::CaptionTextColor(TCustomqzBarControl*) { return O11(slot::CaptionText); }

TColor TqzBarOffice11Painter::MarkArrowColor(TCustomqzBarControl*, Integer AMarkState) {
  if (AMarkState == 1) return O11(slot::MarkArrowHot);
  if (AMarkState == 2) return O11(slot::MarkArrowDropped);
  return O11(slot::CaptionText);
}

void TqzBarOffice11Painter::DrawMarkBackground(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH, const TRect& R) {
  Integer state = ABarControl->GetMarkState();
  if (state < 0 || state > 2) state = 0;
  PaintSplitGradient(DC, R, O11(slot::MarkStart[state]), O11(slot::MarkEnd[state]), ABarControl->IsVertical());
}

void TqzBarOffice11Painter::DrawMarkGlyphs(TCustomqzBarControl* ABarControl, HDC DC, const TRect& R) {
  auto* toolbar = dynamic_cast<TqzBarControl*>(ABarControl);
  bool vertical = ABarControl->IsVertical();
  auto dot = [DC](Integer AX, Integer AY, TColor AColor) { SolidFillRect(DC, TRect(AX, AY, AX + 1, AY + 1), AColor); };
  // Light first, one pixel down and right, then dark over it.
  const struct {
    Integer shift;
    TColor color;
  } passes[2] = {{1, O11(slot::ChevronLight)}, {0, O11(slot::ChevronDark)}};
  if (ClassRef()->SupportsQuickCustomizing()) {
    // The frame's margin is part of the mark on a bar with a border.
    Integer inset = toolbar && toolbar->GetBar()->GetBorderStyle() != bbsNone ? 2 : 0;
    // A 5-pixel bar, a free row, a 5 x 3 triangle; pointing right on a vertical bar.
    Integer centre = vertical ? R.Bottom - 6 - inset : R.Right - 6 - inset;
    Integer start = vertical ? R.Right - 8 - inset : R.Bottom - 8 - inset;
    for (const auto& pass : passes)
      for (Integer row = 0; row < 5; ++row) {
        if (row == 1) continue;
        Integer half = row == 0 ? 2 : 4 - row;
        for (Integer i = -half; i <= half; ++i) {
          Integer along = start + row + pass.shift, across = centre + i + pass.shift;
          if (vertical)
            dot(along, across, pass.color);
          else
            dot(across, along, pass.color);
        }
      }
  }
  if (!toolbar || !toolbar->GetLinksHidden()) return;
  // Two chevrons of three-pixel arms near the start, pointing along the bar.
  Integer from = (vertical ? R.Top : R.Left) + 3;
  Integer middle = vertical ? R.Left + R.Width() / 2 : R.Top + 6;
  for (Integer chevron = 0; chevron < 2; ++chevron)
    for (const auto& pass : passes)
      for (Integer i = 0; i < 5; ++i) {
        Integer along = from + chevron * 4 + (i < 3 ? i : 4 - i) + pass.shift, across = middle - 2 + i + pass.shift;
        if (vertical)
          dot(across, along, pass.color);
        else
          dot(along, across, pass.color);
      }
}

void TqzBarOffice11Painter::DrawMenuItemBand(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  TqzBarItemControl* control = AParams->ItemControl;
  TCustomqzBarControl* menu = control->GetParent();
  TqzBarPainterClass cls = ClassRef();
  HDC DC = AParams->TargetCanvas->DCHandle();
  TRect icon;
  cls->GetMenuIconRect(R, menu->IconAreaSize(), icon);
  bool selected = AParams->SelectedLook;
  // Unselected parts come from the menu's own background, which paints the band's gradient.
  HBRUSH brush = selected ? menu->SelectedBrush() : menu->BackgroundBrush();
  if (selected) {
    cls->DrawSelectedFrame(DC, R);
  } else {
    cls->FillItemBackground(control, DC, false, brush, TRect(R.Left, R.Top, R.Right, R.Top + 1));
    cls->FillItemBackground(control, DC, false, brush, TRect(R.Left, R.Bottom - 1, R.Right, R.Bottom));
    cls->FillItemBackground(control, DC, false, brush, TRect(R.Left, R.Top, R.Left + 1, R.Bottom));
    cls->FillItemBackground(control, DC, false, brush, TRect(R.Right - 1, R.Top, R.Right, R.Bottom));
  }
  TRect r = R;
  InflateRect(&r, -1, -1);
  cls->FillItemBackground(control, DC, selected, brush, TRect(icon.Right, icon.Top, icon.Right + 2, icon.Bottom));
  if (r.Top < icon.Top)
    cls->FillItemBackground(control, DC, selected, brush, TRect(icon.Left, r.Top, icon.Right + 2, icon.Top));
  if (r.Bottom > icon.Bottom)
    cls->FillItemBackground(control, DC, selected, brush, TRect(icon.Left, icon.Bottom, icon.Right + 2, r.Bottom));
  r.Left = icon.Right + 2;
  if (r.Right > r.Left) cls->FillItemBackground(control, DC, selected, brush, r);
}

void TqzBarOffice11Painter::DrawSmallButtonFace(TqzBarItemControl* AControl, HDC DC, bool APressed, bool ASelected,
                                                bool AEnabled, const TRect& R) {
  TCustomqzBarControl* bar = AControl->GetParent();
  TRect inner = R;
  InflateRect(&inner, -1, -1);
  if (ASelected) {
    Office11FrameSelection(DC, R);
    FillWith(DC, inner, APressed ? bar->DownSelectedBrush() : bar->SelectedBrush());
  } else if (AEnabled) {
    FrameWith(DC, R, bar->BackgroundBrush());
    FillWith(DC, inner, Office11Brush(brush::MenuItem));
  } else {
    SolidFrameRect(DC, R, O11(slot::DisabledText));
    FillWith(DC, inner, SysColorBrushCode(COLOR_BTNFACE));
  }
}

bool TqzBarOffice11Painter::ButtonHotTracks() {
  return !Office11SchemeInUse() && TqzBarFlatPainter::ButtonHotTracks();
}

HBRUSH TqzBarOffice11Painter::OwnerLinkBrush(TqzBarManager* AManager) {
  HBRUSH menuItem = Office11Brush(brush::MenuItem);
  return menuItem ? menuItem : TqzBarFlatPainter::OwnerLinkBrush(AManager);
}

void TqzBarOffice11Painter::DrawQuickFrame(TCustomqzBarControl* ABarControl, HDC DC) {
  TRect strip;
  ABarControl->GetOwnerJoinRect(false, strip);
  if (!IsRectEmpty(&strip)) FillWith(DC, strip, Office11Brush(brush::Join));
}

HBRUSH TqzBarOffice11Painter::ToolbarBrush(TCustomqzBarControl* ABarControl) {
  HBRUSH menu = Office11Brush(brush::Menu);
  return menu ? menu : TqzBarFlatPainter::ToolbarBrush(ABarControl);
}

HBRUSH TqzBarOffice11Painter::BarBrush(TCustomqzBarControl* ABarControl) {
  auto* toolbar = dynamic_cast<TqzBarControl*>(ABarControl);
  if (toolbar && (toolbar->IsMainMenu() || toolbar->GetBar()->IsStatusBarLike()))
    return SysColorBrushCode(COLOR_BTNFACE);
  return TqzBarFlatPainter::BarBrush(ABarControl);
}

HBRUSH TqzBarOffice11Painter::DownBrush(TCustomqzBarControl* ABarControl) {
  HBRUSH down = Office11Brush(brush::Down);
  return down ? down : TqzBarFlatPainter::DownBrush(ABarControl);
}

HBRUSH TqzBarOffice11Painter::DownSelectedBrush(TCustomqzBarControl* ABarControl) {
  HBRUSH downSelected = Office11Brush(brush::DownSelected);
  return downSelected ? downSelected : TqzBarFlatPainter::DownSelectedBrush(ABarControl);
}

HBRUSH TqzBarOffice11Painter::SelectedBrush(TCustomqzBarControl* ABarControl) {
  HBRUSH selected = Office11Brush(brush::Selected);
  return selected ? selected : TqzBarFlatPainter::SelectedBrush(ABarControl);
}

void TqzBarOffice11Painter::GetDockedMargins(TqzBar* ABar, Integer ADockingStyle, TRect& R) {
  if (ABar && ABar->GetIsMainMenu()) {
    bool horizontal = ADockingStyle == 2 || ADockingStyle == 4;
    R = horizontal ? TRect(0, 2, 0, 2) : TRect(2, 0, 2, 0);
    return;
  }
  TqzBarFlatPainter::GetDockedMargins(ABar, ADockingStyle, R);
}

void TqzBarOffice11Painter::DrawBarSeparator(TCustomqzBarControl* ABarControl, HDC DC, bool AHorizontal,
                                             HBRUSH ABrush, const TRect& R) {
  ABarControl->FillBackground(DC, R, false, clNone, ABrush);
  Integer offset = SeparatorOffset();
  HBRUSH dark = Office11Brush(brush::SeparatorDark), light = Office11Brush(brush::SeparatorLight);
  if (!dark || !light) return;
  if (AHorizontal) {
    Integer top = R.Top + offset;
    FillWith(DC, TRect(R.Left + 3, top, R.Right - 4, top + 1), dark);
    FillWith(DC, TRect(R.Left + 4, top + 1, R.Right - 3, top + 2), light);
  } else {
    Integer left = R.Left + offset;
    FillWith(DC, TRect(left, R.Top + 3, left + 1, R.Bottom - 4), dark);
    FillWith(DC, TRect(left + 1, R.Top + 4, left + 2, R.Bottom - 3), light);
  }
}

void TqzBarOffice11Painter::DrawFloatingBorder(TCustomqzBarControl*, HDC DC, HBRUSH, const TRect&, const TRect& R) {
  TRect ring = R;
  for (Integer i = 0; i < 2; ++i) {
    SolidFrameRect(DC, ring, O11(slot::FloatingOuter));
    InflateRect(&ring, -1, -1);
  }
  SolidFrameRect(DC, ring, O11(slot::FloatingInner));
  if (ring.Width() < 2 || ring.Height() < 2) return;
  // The inner ring's corners take the outer colour, which rounds the frame.
  for (TPoint p : {TPoint(ring.Left, ring.Top), TPoint(ring.Right - 1, ring.Top), TPoint(ring.Left, ring.Bottom - 1),
                   TPoint(ring.Right - 1, ring.Bottom - 1)})
    SolidFillRect(DC, TRect(p.X, p.Y, p.X + 1, p.Y + 1), O11(slot::FloatingOuter));
}

HBRUSH TqzBarOffice11Painter::ButtonBackgroundBrush(TqzBarItemControlDrawParams* AParams) {
  TCustomqzBarControl* bar = AParams->ItemControl->GetParent();
  if (!AParams->EnabledLook) return SysColorBrushCode(COLOR_BTNFACE);
  if (!AParams->SelectedLook) return bar->BackgroundBrush();
  return AParams->DropDownOpen ? bar->DownSelectedBrush() : bar->SelectedBrush();
}

TColor TqzBarOffice11Painter::ComboArrowColor(TqzBarItemControlDrawParams* AParams) {
  if (!AParams->EnabledLook) return O11(slot::DisabledText);
  if (AParams->SelectedLook) {
    if (HighContrastWhiteFace()) return clWhite;
    if (AParams->DropDownOpen && !Office11SchemeInUse()) return clHighlightText;
  }
  return O11(slot::ItemText);
}

HBRUSH TqzBarOffice11Painter::ComboButtonBrush(TqzBarItemControlDrawParams* AParams) {
  TCustomqzBarControl* bar = AParams->ItemControl->GetParent();
  if (AParams->SelectedLook) return bar->SelectedBrush();
  if (AParams->DropDownOpen) return bar->DownSelectedBrush();
  return ButtonBackgroundBrush(AParams);
}

void TqzBarOffice11Painter::DrawComboButtonFace(TqzBarItemControlDrawParams* AParams, TRect& R, HBRUSH ABrush) {
  HDC dc = AParams->TargetCanvas->DCHandle();
  TqzBarItemControl* control = AParams->ItemControl;
  if (AParams->SelectedLook) {
    InflateRect(&R, 1, 1);
    Office11FrameSelection(dc, R);
    InflateRect(&R, -1, -1);
    TColor first, second;
    StateGradient(false, AParams->DropDownOpen, true, first, second);
    PaintGradientRect(dc, R, first, second, false);
    InflateRect(&R, -1, -1);
    return;
  }
  auto* edit = dynamic_cast<TqzBarCustomEditControl*>(control);
  HBRUSH frame = AParams->EnabledLook && edit ? edit->GetEditBrush() : ABrush;
  FrameWith(dc, R, frame);
  FillWith(dc, TRect(R.Left - 1, R.Top, R.Left, R.Bottom), frame);
  InflateRect(&R, -1, -1);
  if (AParams->EnabledLook && AParams->PaintKind == qzPaintMenu)
    FillWith(dc, R, Office11Brush(brush::MenuItem));
  else
    ClassRef()->FillItemBackground(control, dc, false, ABrush, R);
  if (AParams->DropDownOpen) OffsetRect(&R, 1, 1);
}

void TqzBarOffice11Painter::DrawDropDownListBorder(HDC DC, TColor, const TRect& R) {
  FrameWith(DC, R, Office11Brush(brush::Border));
  TRect inner = R;
  InflateRect(&inner, -1, -1);
  FrameWith(DC, inner, Office11Brush(brush::Join));
}

void TqzBarOffice11Painter::GetMenuCheckSize(TkvCanvas* ACanvas, Integer ATextSize, Integer& AHeight,
                                             Integer& AWidth) {
  TqzBarFlatPainter::GetMenuCheckSize(ACanvas, ATextSize, AHeight, AWidth);
  if (TBitmap* glyph = Office11SubMenuExpandBitmap()) AHeight = glyph->GetHeight() + 2;
}

HBRUSH TqzBarOffice11Painter::MenuBrush(TqzBarSubMenuControl* AMenu) {
  HBRUSH menu = Office11Brush(brush::Menu);
  return menu ? menu : TqzBarFlatPainter::MenuBrush(AMenu);
}

void TqzBarOffice11Painter::DrawArrowPartFrame(TqzBarItemControl* AControl, HDC DC, bool ADown, bool ASelected,
                                               Byte APaintKind, HBRUSH ABrush, const TRect& R) {
  bool menu = APaintKind == qzPaintMenu;
  if (!ASelected && !menu && !ADown)
    ClassRef()->FrameItemBackground(AControl, DC, false, ABrush, R);
  else if (ASelected || !menu)
    Office11FrameSelection(DC, R);
  else
    FrameWith(DC, R, Office11Brush(brush::SeparatorDark));
}

HBRUSH TqzBarOffice11Painter::MenuItemBackgroundBrush(TqzBarItemControl* AControl) {
  return AControl->GetParent()->BackgroundBrush();
}

HBRUSH TqzBarOffice11Painter::StaticBorderBrush(TqzBarItemControl*, Integer) {
  return Office11Brush(brush::StaticBorder);
}

void TqzBarOffice11Painter::FrameOpenedOwner(TCustomqzBarControl*, HDC DC, const TRect& R) {
  FrameWith(DC, R, Office11Brush(brush::Border));
}

void TqzBarOffice11Painter::FillOwnerJoin(TCustomqzBarControl* ABarControl, HDC DC, TqzBarItemControl* AControl,
                                          const TRect& AJoinRect, const TRect& R) {
  TqzBarItemControlDrawParams* params = AControl ? AControl->GetDrawParams() : nullptr;
  if (!params || !TakesOpenedLook(params)) {
    TqzBarFlatPainter::FillOwnerJoin(ABarControl, DC, AControl, AJoinRect, R);
    return;
  }
  // The join takes the opened gradient's colour of the edge it touches.
  bool far = ABarControl->IsVertical() ? AJoinRect.Left >= (R.Left + R.Right) / 2
                                       : AJoinRect.Top >= (R.Top + R.Bottom) / 2;
  SolidFillRect(DC, AJoinRect, O11(far ? slot::OpenedGradient2 : slot::OpenedGradient1));
}

TColor TqzBarOffice11Painter::MenuSeparatorColor() { return O11(slot::MenuSeparator); }

void TqzBarOffice11Painter::DrawGripDots(TCustomqzBarControl*, HDC DC, bool AHorizontal, const TRect& R) {
  Office11PaintGripDots(DC, R, !AHorizontal);
}

TColor TqzBarOffice11Painter::EditDisabledTextColor() { return O11(slot::DisabledText); }

TColor TqzBarOffice11Painter::DateHeaderColor() { return O11(slot::DateHeader); }

Integer TqzBarOffice11Painter::ProgressExtraWidth(TqzBarItemControlDrawParams* AParams) {
  auto* menu = dynamic_cast<TqzBarSubMenuControl*>(AParams->ItemControl->GetParent());
  if (!menu || (AParams->ContentParts & qzContentIcon) || AParams->PaintKind != qzPaintMenu) return 0;
  return ClassRef()->MenuTextIndent(menu);
}

HBRUSH TqzBarOffice11Painter::InPlaceSubItemBrush() { return Office11Brush(brush::ProgressFrame); }

void TqzBarOffice11Painter::DrawCaptionButtonFace(TCustomqzBarControl*, HDC DC, Integer AState, const TRect& R) {
  if (AState == 0) {
    SolidFillRect(DC, R, O11(slot::CaptionColor));
    return;
  }
  Office11FrameSelection(DC, R);
  TRect inner = R;
  InflateRect(&inner, -1, -1);
  SolidFillRect(DC, inner, O11(AState == 1 ? slot::HotGradient1 : slot::HotGradient2));
}

// ---- Toolbar frames ----------------------------------------------------------------------------

void TqzBarOffice11Painter::DrawDockedBorder(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH, const TRect& R) {
  auto* toolbar = dynamic_cast<TqzBarControl*>(ABarControl);
  if (!toolbar) return;
  bool horizontal = toolbar->IsDockedHorizontally();
  // Parts of the frame that show the dock site behind the window (R is the window at the origin).
  TqzDockControl* site = toolbar->GetDockControl();
  TRect bounds = toolbar->GetBoundsRect();
  auto showSite = [&](const TRect& APart) {
    if (!site || IsRectEmpty(&APart)) return;
    TRect behind = APart;
    OffsetRect(&behind, bounds.Left - R.Left, bounds.Top - R.Top);
    DrawDockBackground(site, DC, clNone, nullptr, APart, behind);
  };
  if (toolbar->IsMainMenu()) {
    // The menu bar lies flat on the site: only its two outer rows show the site.
    showSite(horizontal ? TRect(R.Left, R.Top, R.Right, R.Top + 1) : TRect(R.Left, R.Top, R.Left + 1, R.Bottom));
    showSite(horizontal ? TRect(R.Left, R.Bottom - 1, R.Right, R.Bottom) : TRect(R.Right - 1, R.Top, R.Right, R.Bottom));
  } else {
    // The body's shadow along its far edge.
    TRect shadow = horizontal ? TRect(R.Left + 2, R.Bottom - 1, R.Right - 2, R.Bottom)
                              : TRect(R.Right - 1, R.Top + 2, R.Right, R.Bottom - 2);
    SolidFillRect(DC, shadow, O11(slot::ToolbarShadow));
    // Rounded corners: the window's corner pixels show the site.
    showSite(TRect(R.Left, R.Top, R.Left + 1, R.Top + 1));
    showSite(TRect(R.Right - 1, R.Top, R.Right, R.Top + 1));
    showSite(TRect(R.Left, R.Bottom - 1, R.Left + 1, R.Bottom));
    showSite(TRect(R.Right - 1, R.Bottom - 1, R.Right, R.Bottom));
  }
  if (!toolbar->CanMoveBar()) return;
  TRect r = R;
  InflateRect(&r, -2, -2);
  Integer offset = ClassRef()->GripperOffset(), width = GripperWidth(ABarControl);
  TRect grip = horizontal ? TRect(r.Left + offset, r.Top + 3, r.Left + offset + width, r.Bottom - 3)
                          : TRect(r.Left + 3, r.Top + offset, r.Right - 3, r.Top + offset + width);
  DrawGripDots(ABarControl, DC, !horizontal, grip);
}

void TqzBarOffice11Painter::GetBarMarkRect(TCustomqzBarControl* ABarControl, TRect& R) {
  TqzBarFlatPainter::GetBarMarkRect(ABarControl, R);
  auto* toolbar = dynamic_cast<TqzBarControl*>(ABarControl);
  if (!toolbar || IsRectEmpty(&R) || toolbar->IsFloating() || toolbar->IsMainMenu() ||
      toolbar->GetBar()->GetBorderStyle() == bbsNone)
    return;
  if (toolbar->IsDockedVertically())
    R = TRect(R.Left - 1, R.Top, R.Right + 1, R.Bottom + 2);
  else
    R = TRect(R.Left, R.Top - 1, R.Right + 2, R.Bottom + 1);
}

void TqzBarOffice11Painter::InvalidateMark(TCustomqzBarControl* ABarControl) {
  TqzBarFlatPainter::InvalidateMark(ABarControl);
  auto* toolbar = dynamic_cast<TqzBarControl*>(ABarControl);
  // The part of the mark in the frame is drawn with the frame.
  if (toolbar && toolbar->HandleAllocated() && !toolbar->IsFloating()) SendMessage(toolbar->GetHandle(), WM_NCPAINT, 1, 0);
}

void TqzBarOffice11Painter::DrawFloatingCaption(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH,
                                                const TRect& ACaptionRect, const TRect& R) {
  HBRUSH caption = CreateSolidBrush(ColorToRGB(O11(slot::FloatingCaption)));
  TqzBarFlatPainter::DrawFloatingCaption(ABarControl, DC, caption, ACaptionRect, R);
  DeleteObject(caption);
}
