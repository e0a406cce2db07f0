// The themed look: parts of the platform's visual styles.

#include "toolkit/bars/qzBarXPPainter.h"

#include <algorithm>

#include "gdi/Bitmaps.h"
#include "gdi/Drawing.h"
#include "gdi/GdiTypes.h"
#include "gdi/SysColors.h"
#include "gdi/UxTheme.h"
#include "rtl/Math.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarDockControl.h"
#include "toolkit/bars/qzBarFlatPainter.h"
#include "toolkit/bars/qzBarItemControlButtons.h"
#include "toolkit/bars/qzBarItemControlEdits.h"
#include "toolkit/bars/qzBarItemControlStatics.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "toolkit/bars/qzBarToolbars.h"
#include "toolkit/bars/qzDropDownFrame.h"
#include "toolkit/foundation/qzThemeManager.h"
#include "user/Rects.h"

TAVREN_CLASS_IMPL(TqzBarXPPainter)

namespace {

// Parts and states of the visual-style classes.
constexpr int TP_BUTTON = 1, TP_SPLITBUTTON = 3, TP_SPLITBUTTONDROPDOWN = 4, TP_SEPARATOR = 5, TP_SEPARATORVERT = 6;
constexpr int TS_NORMAL = 1, TS_HOT = 2, TS_PRESSED = 3, TS_DISABLED = 4, TS_CHECKED = 5;
constexpr int RP_GRIPPER = 1, RP_GRIPPERVERT = 2;
constexpr int WP_MDIMINBUTTON = 16, WP_SMALLCLOSEBUTTON = 19, WP_MDICLOSEBUTTON = 20, WP_MDIRESTOREBUTTON = 22;
constexpr int SP_GRIPPER = 3;
constexpr int PP_BAR = 1, PP_BARVERT = 2, PP_CHUNK = 3, PP_CHUNKVERT = 4;
constexpr int EP_EDITTEXT = 1;
constexpr int CP_DROPDOWNBUTTON = 1;
constexpr int SPNP_UP = 1, SPNP_DOWN = 2;

TqzBarThemeMetrics gMetrics;

TqzBarButtonLikeControlDrawParams* ButtonLike(TqzBarItemControlDrawParams* AParams) {
  return dynamic_cast<TqzBarButtonLikeControlDrawParams*>(AParams);
}

void DrawPart(TqzThemedObjectType AKind, HDC DC, int APart, int AState, const TRect& R) {
  RECT r = R;
  DrawThemeBackground(ObtainTheme(AKind), DC, APart, AState, &r, nullptr);
}

TSize TruePartSize(TqzThemedObjectType AKind, int APart, const TSize& ADefault) {
  SIZE size{};
  if (GetThemePartSize(ObtainTheme(AKind), nullptr, APart, 1, nullptr, TS_TRUE, &size) != S_OK) return ADefault;
  return TSize(size.cx, size.cy);
}

// The margins of a part's content inside (0, 0, 100, 100).
TRect ContentMargins(TqzThemedObjectType AKind, int APart, const TRect& ADefault) {
  RECT bounds{0, 0, 100, 100}, content{};
  if (GetThemeBackgroundContentRect(ObtainTheme(AKind), nullptr, APart, 1, &bounds, &content) != S_OK)
    return ADefault;
  return TRect(content.Left, content.Top, 100 - content.Right, 100 - content.Bottom);
}

void ReadThemeMetrics() {
  if (!VisualStylesInUse()) return;
  gMetrics.SeparatorThickness = TruePartSize(totToolBar, TP_SEPARATOR, TSize(6, 6)).cx;
  gMetrics.CaptionButtonSize = TruePartSize(totWindow, WP_SMALLCLOSEBUTTON, gMetrics.CaptionButtonSize);
  TRect face = ContentMargins(totToolBar, TP_SPLITBUTTON, TRect(3, 3, 3, 3));
  gMetrics.ButtonFaceInset = face.Top + face.Bottom;
  gMetrics.ComboArrowWidth = TruePartSize(totComboBox, CP_DROPDOWNBUTTON, TSize(13, 13)).cx;
  gMetrics.EditBorders = ContentMargins(totEdit, EP_EDITTEXT, gMetrics.EditBorders);
  gMetrics.GripperWidth = TruePartSize(totRebar, RP_GRIPPER, TSize(3, 3)).cx;
  TRect bar = ContentMargins(totProgress, PP_BAR, TRect());
  gMetrics.ProgressChunkGap = TruePartSize(totProgress, PP_CHUNK, TSize()).cy + bar.Left + bar.Right;
  gMetrics.SizeGripSize = TruePartSize(totStatus, SP_GRIPPER, TSize());
  gMetrics.MenuSeparatorHeight = TruePartSize(totToolBar, TP_SEPARATORVERT, TSize(10, 10)).cy;
}

}  // namespace

const TqzBarThemeMetrics& BarThemeMetrics() { return gMetrics; }

TqzBarXPPainter::TqzBarXPPainter(TObject* AData) : TqzBarPainter(AData) { ReadThemeMetrics(); }

void TqzBarXPPainter::DrawImageFrame(TqzBarItemControlDrawParams* AParams, HDC DC, const TRect& R, bool, bool,
                                     HBRUSH ABrush) {
  TqzBarButtonLikeControlDrawParams* button = ButtonLike(AParams);
  TqzBarItemControl* control = AParams->ItemControl;
  bool split = button && button->ButtonLook && AParams->HasDropDownPart;
  bool open = AParams->DropDownOpen;
  bool pressed = button && button->PushedLook;
  bool down = button && button->DownLook;
  bool hot = AParams->SelectedLook;
  bool menu = AParams->PaintKind == qzPaintMenu;
  // A hot menu item and a control with a brush of its own keep that brush.
  bool ownFill = (hot && menu && !down) || control->HasOwnBrush();
  if (!ownFill) ClassRef()->FillItemBackground(control, DC, false, ABrush, R);
  if (ClassRef()->SuppressesPressedShift(control) && !menu && (pressed || hot || down || open)) {
    FillWith(DC, R, SysColorBrushCode(COLOR_HIGHLIGHT));
  } else if (!ownFill) {
    int state = !control->IsEnabled()           ? TS_DISABLED
                : pressed                       ? TS_PRESSED
                : down || (open && !split)      ? TS_CHECKED
                : hot                           ? TS_HOT
                                                : TS_NORMAL;
    DrawPart(totToolBar, DC, split ? TP_SPLITBUTTON : TP_BUTTON, state, R);
  } else {
    FillWith(DC, R, ABrush);
  }
}

void TqzBarXPPainter::PaintCheckMark(TqzBarItemControl* AControl, HDC DC, Integer AScale, Integer ATop,
                                     Integer ALeft) {
  BarPainterClassOf<TqzBarFlatPainter>()->PaintCheckMark(AControl, DC, AScale, ATop, ALeft);
}

bool TqzBarXPPainter::SuppressesPressedShift(TqzBarItemControl* AControl) {
  return AControl->GetParent() && AControl->GetParent()->IsMainMenu();
}

void TqzBarXPPainter::DrawMarkBackground(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush, const TRect& R) {
  ABarControl->FillBackground(DC, R, false, clNone, ABrush);
  static constexpr int states[3] = {TS_NORMAL, TS_HOT, TS_PRESSED};
  Byte state = ABarControl->GetMarkState();
  DrawPart(totToolBar, DC, TP_BUTTON, states[state <= 2 ? state : 0], R);
}

void TqzBarXPPainter::OffsetFloatingCaption(TCustomqzBarControl* ABarControl, Integer& ATextX, TRect& ACaptionRect) {
  BarPainterClassOf<TqzBarFlatPainter>()->OffsetFloatingCaption(ABarControl, ATextX, ACaptionRect);
}

void TqzBarXPPainter::DrawMenuItemBand(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  TqzBarItemControl* control = AParams->ItemControl;
  FillMenuItemBand(AParams, R, AParams->SelectedLook || control->IsSelected(), control->GetParent()->BackgroundBrush());
}

HBRUSH TqzBarXPPainter::ItemBackgroundBrush(TqzBarItemControl* AControl, Byte APaintKind, bool ADown, bool ASelected,
                                            bool AAbsent) {
  if (ASelected && APaintKind == qzPaintMenu && AAbsent && !ADown) return AControl->GetParent()->SelectedBrush();
  return AControl->GetBackgroundBrush();
}

Integer TqzBarXPPainter::GripperAreaSize(TCustomqzBarControl* ABarControl) {
  return GripperWidth(ABarControl) + ClassRef()->GripperOffset() + 2;
}

HBRUSH TqzBarXPPainter::ToolbarBrush(TCustomqzBarControl* ABarControl) {
  TqzBarManager* manager = ABarControl ? ABarControl->GetControlBarManager() : nullptr;
  HBRUSH themed = manager ? manager->ThemedToolbarBrush() : nullptr;
  return themed ? themed : TqzBarPainter::ToolbarBrush(ABarControl);
}

void TqzBarXPPainter::FillCaptionBackground(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH, const TRect& R) {
  bool active = IsManagerFormActive(ABarControl->GetControlBarManager());
  FillWith(DC, R, SysColorBrushCode(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
}

void TqzBarXPPainter::DrawBarSeparator(TCustomqzBarControl* ABarControl, HDC DC, bool AHorizontal, HBRUSH ABrush,
                                       const TRect& R) {
  ABarControl->FillBackground(DC, R, false, clNone, ABrush);
  DrawPart(totToolBar, DC, AHorizontal ? TP_SEPARATORVERT : TP_SEPARATOR, TS_NORMAL, R);
}

void TqzBarXPPainter::DrawMDIButton(TCustomqzBarControl* ABarControl, Integer AButton, const TRect& R, HDC DC,
                                    Integer AState) {
  ABarControl->FillBackground(DC, R, false, clNone, ABarControl->BackgroundBrush());
  static constexpr int parts[3] = {WP_MDIMINBUTTON, WP_MDIRESTOREBUTTON, WP_MDICLOSEBUTTON};
  if (AButton < 0 || AButton > 2) return;
  // 1 inactive, 2 hot, 4 pressed and hot.
  int state = AState == 1 ? TS_DISABLED : AState == 2 ? TS_HOT : AState == 4 ? TS_PRESSED : TS_NORMAL;
  DrawPart(totWindow, DC, parts[AButton], state, R);
}

void TqzBarXPPainter::DrawButtonArrow(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  // In toolbars the themed split part shows its own arrow.
  if (AParams->PaintKind == qzPaintMenu) TqzBarPainter::DrawButtonArrow(AParams, R);
}

void TqzBarXPPainter::DrawArrowPartBackground(TqzBarItemControlDrawParams* AParams, const TRect& R, HBRUSH ABrush) {
  TqzBarPainter::DrawArrowPartBackground(AParams, R, ABrush);
  TqzBarButtonLikeControlDrawParams* button = ButtonLike(AParams);
  bool menu = AParams->PaintKind == qzPaintMenu;
  bool pressed = button && button->PushedLook;
  bool down = button && button->DownLook;
  int state = !AParams->EnabledLook || (button && !button->DropDownEnabledLook) ? TS_DISABLED
              : AParams->DropDownOpen || (pressed && !menu)                    ? TS_PRESSED
              : down && !menu                                                  ? TS_CHECKED
              : AParams->SelectedLook                                          ? TS_HOT
                                                                               : TS_NORMAL;
  DrawPart(totToolBar, AParams->TargetCanvas->DCHandle(), menu ? TP_BUTTON : TP_SPLITBUTTONDROPDOWN, state, R);
}

void TqzBarXPPainter::ComboDrawDropButton(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  HDC DC = AParams->TargetCanvas->DCHandle();
  int state = !AParams->EnabledLook ? TS_DISABLED
              : AParams->DropDownOpen ? TS_PRESSED
              : AParams->SelectedLook ? TS_HOT
                                      : TS_NORMAL;
  HTHEME theme = ObtainTheme(totComboBox);
  // A part that lets its background through stands on the edit area.
  if (IsThemeBackgroundPartiallyTransparent(theme, CP_DROPDOWNBUTTON, state)) {
    if (AParams->EnabledLook)
      FillWith(DC, R, SysColorBrushCode(COLOR_WINDOW));
    else
      ClassRef()->FillItemBackground(AParams->ItemControl, DC, false, AParams->ItemControl->GetBackgroundBrush(), R);
  }
  DrawPart(totComboBox, DC, CP_DROPDOWNBUTTON, state, R);
}

Integer TqzBarXPPainter::DetachCaptionHeight(TqzBarSubMenuControl* AMenu) { return AMenu->GetDetachCaptionHeight() + 1; }

void TqzBarXPPainter::GetBandGapRect(TqzBarSubMenuControl* AMenu, TqzBarItemControl*, TRect& ABand, const TRect& R) {
  ABand = R;
  ABand.Bottom = R.Top;
  ABand.Top = ABand.Bottom - AMenu->SeparatorSize();
}

void TqzBarXPPainter::GetDetachCaptionInset(TqzBarSubMenuControl*, TRect& R) { InflateRect(&R, -2, -2); }

void TqzBarXPPainter::DrawMenuBorder(TqzBarSubMenuControl* AMenu, HDC DC, const TRect& R) {
  FrameWith(DC, R, SysColorBrushCode(COLOR_BTNSHADOW));
  if (!AMenu->HasDetachCaption()) return;
  FrameWith(DC, TRect(R.Left + 1, R.Top + 1, R.Right - 1, R.Top + 1 + AMenu->GetDetachCaptionHeight() + 1),
            ClassRef()->MenuBrush(AMenu));
  TRect caption;
  AMenu->GetDetachCaptionRect(caption);
  DrawDetachCaption(AMenu, DC, caption);
}

void TqzBarXPPainter::DrawMenuInnerFrame(TqzBarSubMenuControl* AMenu, HDC DC, HBRUSH, const TRect& R) {
  FrameWith(DC, R, ClassRef()->MenuBrush(AMenu));
}

void TqzBarXPPainter::DrawMenuSeparatorItem(TqzBarSubMenuControl* AMenu, TqzBarItemControl* AControl, const TRect& R,
                                            TkvCanvas* ACanvas) {
  ClassRef()->FillItemBackground(AControl, ACanvas->DCHandle(), AControl->IsSelected(), AMenu->BackgroundBrush(), R);
  DrawMenuSeparatorLine(ACanvas, R);
}

void TqzBarXPPainter::DrawMenuSeparatorLine(TkvCanvas* ACanvas, const TRect& R) {
  DrawPart(totToolBar, ACanvas->DCHandle(), TP_SEPARATORVERT, TS_NORMAL, R);
}

HBRUSH TqzBarXPPainter::EditCaptionBrush(TqzBarItemControl* AControl) {
  return BarPainterClassOf<TqzBarFlatPainter>()->EditCaptionBrush(AControl);
}

void TqzBarXPPainter::DrawDropDownNonClient(HWND AWnd, bool ASizable, TqzGripCorner ACorner, TRect& AGripRect,
                                            TRect& ACloseButtonRect, bool AHot, bool ADown) {
  DrawDropDownWindowFrame(AWnd, ASizable, true, ACorner, AGripRect, ACloseButtonRect, AHot, ADown,
                          ClassRef()->DropDownGripHeight());
}

Integer TqzBarXPPainter::DropDownGripHeight() {
  return std::max(BarThemeMetrics().CaptionButtonSize.cy + 4, BarThemeMetrics().SizeGripSize.cy + 1);
}

void TqzBarXPPainter::DrawDot(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  if (!AParams->EnabledLook) {
    TqzBarPainter::DrawDot(AParams, R);
    return;
  }
  FillWith(AParams->TargetCanvas->DCHandle(), R, SysColorBrushCode(COLOR_BTNTEXT));
}

bool TqzBarXPPainter::IsEditLabelSelected(TqzBarItemControlDrawParams* AParams) {
  return AParams->PaintKind == qzPaintMenu && (AParams->SelectedLook || AParams->ItemControl->IsSelected());
}

void TqzBarXPPainter::DrawSpinButton(TqzBarItemControlDrawParams* AParams, const TRect& R, Integer APart) {
  TqzBarPainterClass cls = ClassRef();
  TqzBarItemControl* control = AParams->ItemControl;
  HDC DC = AParams->TargetCanvas->DCHandle();
  cls->FillItemBackground(control, DC, false, control->GetParent()->BackgroundBrush(), R);
  DrawPart(totSpin, DC, APart == qzSpinUpPart ? SPNP_UP : SPNP_DOWN, cls->SpinButtonState(AParams, APart), R);
}

void TqzBarXPPainter::DrawDateNavigatorButton(TqzBarItem*, HDC DC, bool APushed, const String& AText,
                                              const TRect& R) {
  FillWith(DC, R, SysColorBrushCode(COLOR_WINDOW));
  DrawPart(totToolBar, DC, TP_BUTTON, APushed ? TS_PRESSED : TS_HOT, R);
  ClassRef()->DrawPushButtonText(DC, R, false, AText, APushed ? 1 : 0);
}

// ---- Toolbar frames ----------------------------------------------------------------------------

void TqzBarXPPainter::DrawCloseButton(TCustomqzBarControl* ABarControl, HDC DC, const TRect& R) {
  auto* toolbar = dynamic_cast<TqzBarControl*>(ABarControl);
  static constexpr int states[3] = {TS_NORMAL, TS_HOT, TS_PRESSED};
  Byte state = toolbar ? toolbar->GetCloseButtonState() : 0;
  DrawPart(totWindow, DC, WP_SMALLCLOSEBUTTON, states[state <= 2 ? state : 0], R);
}

void TqzBarXPPainter::DrawDockedBorder(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH, const TRect& R) {
  auto* toolbar = dynamic_cast<TqzBarControl*>(ABarControl);
  if (!toolbar || !toolbar->CanMoveBar()) return;
  TRect r = R;
  InflateRect(&r, -2, -2);
  Integer offset = ClassRef()->GripperOffset(), width = GripperWidth(ABarControl);
  bool horizontal = toolbar->IsDockedHorizontally();
  TRect grip = horizontal ? TRect(r.Left + offset, r.Top, r.Left + offset + width, r.Bottom)
                          : TRect(r.Left, r.Top + offset, r.Right, r.Top + offset + width);
  DrawPart(totRebar, DC, horizontal ? RP_GRIPPER : RP_GRIPPERVERT, 1, grip);
}

void TqzBarXPPainter::DrawFloatingBorder(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush,
                                         const TRect& ACaptionRect, const TRect& R) {
  BarPainterClassOf<TqzBarFlatPainter>()->DrawFloatingBorder(ABarControl, DC, ABrush, ACaptionRect, R);
}

// ---- Dock sites and progress bars --------------------------------------------------------------

void TqzBarXPPainter::DrawDockBackground(TqzDockControl* ADockControl, HDC DC, TColor, HBRUSH, const TRect& R,
                                         const TRect& ASiteRect) {
  TBitmap* cache = ADockControl->GetBackgroundCache();
  if (cache->GetEmpty()) {
    TRect site = ADockControl->GetClientRect();
    cache->SetSize(site.Width(), site.Height());
    HDC target = cache->GetCanvas()->GetHandle();
    DrawPart(totRebar, target, 0, 0, site);
    bool vertical = ADockControl->IsVertical();
    for (Integer i = 0; i < ADockControl->GetRowCount(); ++i) {
      TqzDockRow* row = ADockControl->GetRow(i);
      // The row's band: across the site, as deep as its windows reach.
      Integer from = vertical ? site.Right : site.Bottom, to = vertical ? site.Left : site.Top;
      bool bordered = row->GetColCount() > 0;
      for (Integer c = 0; c < row->GetColCount(); ++c) {
        TqzBarControl* window = row->GetCol(c)->GetBarControl();
        TRect bounds = window->GetBoundsRect();
        from = std::min(from, vertical ? bounds.Left : bounds.Top);
        to = std::max(to, vertical ? bounds.Right : bounds.Bottom);
        if (c == 0) bordered = window->GetBar()->GetBorderStyle() != bbsNone && !window->GetBar()->IsStatusBarLike();
      }
      if (!bordered || from >= to) continue;
      auto line = [&](Integer AAt, int AColor) {
        FillWith(target, vertical ? TRect(AAt, site.Top, AAt + 1, site.Bottom) : TRect(site.Left, AAt, site.Right, AAt + 1),
                 SysColorBrushCode(AColor));
      };
      // The first row of a site at its form's edge has no line on that edge; the last row none after it.
      if (i > 0) line(from, COLOR_BTNHIGHLIGHT);
      if (i + 1 < ADockControl->GetRowCount()) line(to - 1, COLOR_BTNSHADOW);
    }
  }
  BitBlt(DC, R.Left, R.Top, R.Width(), R.Height(), cache->GetCanvas()->GetHandle(), ASiteRect.Left, ASiteRect.Top,
         SRCCOPY);
}

TColor TqzBarXPPainter::ProgressBarColor() {
  COLORREF color = 0;
  if (GetThemeColor(ObtainTheme(totProgress), PP_CHUNK, 1, TMT_FILLCOLOR, &color) == S_OK)
    return static_cast<TColor>(color);
  return TqzBarPainter::ProgressBarColor();
}

void TqzBarXPPainter::DrawProgressBar(TqzBarItemControlDrawParams* AParams, const TRect& R, TColor AColor) {
  auto* params = dynamic_cast<TqzBarProgressControlDrawParams*>(AParams);
  HDC DC = AParams->TargetCanvas->DCHandle();
  bool vertical = AParams->PaintKind == qzPaintRotated;
  int bar = vertical ? PP_BARVERT : PP_BAR;
  HTHEME theme = ObtainTheme(totProgress);
  if (IsThemeBackgroundPartiallyTransparent(theme, bar, 1)) {
    // The theme's part covers the whole rectangle: the trough's inset is not its own.
    TRect trough = R;
    DrawProgressBackground(AParams, trough);
  }
  DrawPart(totProgress, DC, bar, 1, R);
  if (!params || params->Max <= params->Min || params->Position <= params->Min) return;
  RECT bounds = R, content{};
  if (GetThemeBackgroundContentRect(theme, DC, bar, 1, &bounds, &content) != S_OK) content = bounds;
  TRect filled = content;
  Integer position = std::min(params->Position, params->Max) - params->Min;
  if (vertical)
    filled.Bottom = filled.Top + MulDiv(filled.Height(), position, params->Max - params->Min);
  else
    filled.Right = filled.Left + MulDiv(filled.Width(), position, params->Max - params->Min);
  if (IsRectEmpty(&filled)) return;
  if (params->Smooth) {
    HBRUSH brush = CreateSolidBrush(ColorToRGB(AColor));
    FillWith(DC, filled, brush);
    DeleteObject(brush);
  } else {
    DrawPart(totProgress, DC, vertical ? PP_CHUNKVERT : PP_CHUNK, 1, filled);
  }
}
