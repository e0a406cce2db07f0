// The edit popup's layout: margins of the frame, client edge, shadow and system panel; the grip
// cell and close button in the panel; the sizing hit test.

#include <algorithm>

#include "gdi/SysMetrics.h"
#include "toolkit/editors/kvDropDownEdit.h"
#include "toolkit/foundation/qzThemeManager.h"
#include "toolkit/foundation/qzUxTheme.h"

namespace {

constexpr Integer kBorderWidths[] = {0, 1, 4, 2};
constexpr Integer kClientEdgeWidths[] = {0, 2, 2, 1};
constexpr Integer kWindowCloseButtonPart = 18;
constexpr Integer kScrollBarSizeBoxPart = 10;

TSize ThemePartSize(TqzThemedObjectType Kind, Integer Part) {
  SIZE size{0, 0};
  if (HTHEME theme = ObtainTheme(Kind)) UxThemePartSize(theme, nullptr, Part, 1, TS_TRUE, &size);
  return TSize{size.cx, size.cy};
}

}  // namespace

TAVREN_CLASS_IMPL(TkvCustomEditPopupWindowViewInfo)
TAVREN_CLASS_IMPL(TkvPopupEditPopupWindowViewInfo)

Integer EditPopupBorderWidth(TkvEditPopupBorderStyle Style) { return kBorderWidths[Style]; }

Integer EditPopupClientEdgeWidth(TkvEditPopupBorderStyle Style) { return kClientEdgeWidths[Style]; }

TCursor EditPopupSizingCursor(const TPoint& Direction) {
  if (Direction.X != 0 && Direction.Y != 0) return Direction.X == Direction.Y ? crSizeNWSE : crSizeNESW;
  if (Direction.X != 0) return crSizeWE;
  if (Direction.Y != 0) return crSizeNS;
  return crDefault;
}

Integer TkvCustomEditPopupWindowViewInfo::FrameWidth() {
  return NativeStyle || SkinPainter ? 1 : EditPopupBorderWidth(PopupBorderStyle);
}

Integer TkvCustomEditPopupWindowViewInfo::ClientEdgeWidth() {
  if (!ClientEdge) return 0;
  return NativeStyle || SkinPainter ? 2 : EditPopupClientEdgeWidth(PopupBorderStyle);
}

bool TkvCustomEditPopupWindowViewInfo::HasPanelSeparator() {
  return SysPanelStyle && (NativeStyle || SkinPainter || PopupBorderStyle == epbsSingle);
}

void TkvCustomEditPopupWindowViewInfo::ClientMargins(TRect& Margins) {
  const Integer w = FrameWidth() + ClientEdgeWidth();
  Margins = TRect(w, w, w, w);
  if (Shadow) {
    Margins.Right += kvEditPopupShadowSize;
    Margins.Bottom += kvEditPopupShadowSize;
  }
  if (!SysPanelStyle) return;
  const Integer band = SysPanelHeightNeeded() + (HasPanelSeparator() ? 1 : 0);
  (PanelAtTop() ? Margins.Top : Margins.Bottom) += band;
}

Integer TkvCustomEditPopupWindowViewInfo::BasePanelHeight() {
  Integer h = std::max(GetSystemMetrics(SM_CYHSCROLL), GetSystemMetrics(SM_CYSIZE));
  if (NativeThemeOpen(NativeStyle, totWindow)) {
    h = std::max(h, ThemePartSize(totWindow, kWindowCloseButtonPart).cy);
    h = std::max(h, ThemePartSize(totScrollBar, kScrollBarSizeBoxPart).cy);
  }
  return h;
}

Integer TkvCustomEditPopupWindowViewInfo::SysPanelHeightNeeded() {
  return std::max(BasePanelHeight(), SysPanelMinHeight);
}

void TkvCustomEditPopupWindowViewInfo::Calculate() {
  const Integer width = Bounds.Width(), height = Bounds.Height();
  SizingZone = std::max(GetSystemMetrics(SM_CYHSCROLL), GetSystemMetrics(SM_CYSIZE));
  SysPanelHeight = SysPanelStyle ? SysPanelHeightNeeded() : 0;
  TRect margins;
  ClientMargins(margins);
  ClientRect = TRect(margins.Left, margins.Top, width - margins.Right, height - margins.Bottom);
  const Integer inner = FrameWidth() + (SysPanelStyle ? 0 : ClientEdgeWidth());
  InnerRect = TRect(inner, inner, width - inner, height - inner);
  if (Shadow) {
    InnerRect.Right -= kvEditPopupShadowSize;
    InnerRect.Bottom -= kvEditPopupShadowSize;
  }
  CloseButtonThemeState = ThemedCloseButton() ? CloseButtonState : 0;
  GripCellRect = GripRect = CloseButtonRect = TRect();
  if (!SysPanelStyle) return;
  if (Sizeable) CalculateGripCell();
  CalculateCloseButton();
}

bool TkvCustomEditPopupWindowViewInfo::ThemedCloseButton() {
  return SysPanelStyle && NativeThemeOpen(NativeStyle, totWindow);
}

TSize TkvCustomEditPopupWindowViewInfo::GripCellSize() {
  TSize cell{BasePanelHeight() - 2, BasePanelHeight() - 2};
  if (NativeThemeOpen(NativeStyle, totScrollBar)) {
    const TSize box = ThemePartSize(totScrollBar, kScrollBarSizeBoxPart);
    cell.cx = std::max(cell.cx, box.cx + 2);
    cell.cy = std::max(cell.cy, box.cy + 2);
  }
  return cell;
}

TSize TkvCustomEditPopupWindowViewInfo::CloseButtonSize() {
  if (!ShowCloseButton) return TSize{0, 0};
  if (ThemedCloseButton()) return ThemePartSize(totWindow, kWindowCloseButtonPart);
  return TSize{BasePanelHeight() - 4, BasePanelHeight() - 4};
}

void TkvCustomEditPopupWindowViewInfo::CalculateGripCell() {
  const TSize cell = GripCellSize();
  const Integer left = GripAtLeft() ? InnerRect.Left : InnerRect.Right - cell.cx;
  const Integer top = PanelAtTop() ? InnerRect.Top : InnerRect.Bottom - cell.cy;
  GripCellRect = ::Bounds(left, top, cell.cx, cell.cy);
  GripRect = GripCellRect;
  // The glyph keeps off the window's edges.
  if (GripAtLeft())
    GripRect.Left += 2;
  else
    GripRect.Right -= 2;
  if (PanelAtTop())
    GripRect.Top += 2;
  else
    GripRect.Bottom -= 2;
}

void TkvCustomEditPopupWindowViewInfo::CalculateCloseButton() {
  if (!ShowCloseButton) return;
  const bool themed = CloseButtonThemeState != 0;
  const TSize size = CloseButtonSize();
  const Integer indent = themed ? 1 : 3;
  const Integer left = GripAtLeft() ? InnerRect.Right - indent - size.cx : InnerRect.Left + indent;
  Integer top;
  if (themed) {
    const Integer bandTop = PanelAtTop() ? InnerRect.Top : InnerRect.Bottom - SysPanelHeight;
    top = bandTop + (SysPanelHeight - size.cy) / 2;
  } else {
    top = PanelAtTop() ? InnerRect.Top + 2 : InnerRect.Bottom - 2 - size.cy;
  }
  CloseButtonRect = ::Bounds(left, top, size.cx, size.cy);
}

bool TkvCustomEditPopupWindowViewInfo::SizingPointAt(Integer X, Integer Y, TPoint& Direction) {
  Direction = TPoint(0, 0);
  const TPoint p(X, Y);
  if (!Sizeable || !RectHoldsPoint(TRect(0, 0, Bounds.Width(), Bounds.Height()), p)) return false;
  const bool inGripCell = RectHoldsPoint(GripCellRect, p);
  if (RectHoldsPoint(InnerRect, p) && !inGripCell) return false;
  if (inGripCell) {
    Direction = TPoint(GripAtLeft() ? -1 : 1, PanelAtTop() ? -1 : 1);
    return true;
  }
  if (X < SizingZone && GripAtLeft()) Direction.X = -1;
  else if (X >= Bounds.Width() - SizingZone && !GripAtLeft()) Direction.X = 1;
  if (Y < SizingZone && PanelAtTop()) Direction.Y = -1;
  else if (Y >= Bounds.Height() - SizingZone && !PanelAtTop()) Direction.Y = 1;
  return true;
}
