// The default look of the bar painter: metrics, brushes, backgrounds, separators and the mark of
// bar windows.

#include "toolkit/bars/qzBarPainter.h"

#include <cmath>

#include "gdi/Drawing.h"
#include "gdi/Edges.h"
#include "gdi/GdiTypes.h"
#include "gdi/SysColors.h"
#include "gdi/SysMetrics.h"
#include "gdi/TextLayout.h"
#include "gdi/UxTheme.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "toolkit/bars/qzBarXPPainter.h"
#include "toolkit/foundation/qzThemeManager.h"
#include "user/Focus.h"
#include "user/Rects.h"
#include "user/WindowTree.h"

TAVREN_CLASS_IMPL(TqzBarPainter)

bool IsManagerFormActive(TqzBarManager* AManager) {
  TWinControl* owner = AManager ? AManager->GetOwnerControl() : nullptr;
  return owner && owner->HandleAllocated() && GetAncestor(owner->GetHandle(), GA_ROOT) == GetActiveWindow();
}

namespace {

// The Status class's gripper part.
constexpr int kStatusGripperPart = 3;

void FillTriangle(HDC DC, const POINT (&APoints)[3], TColor AColor) {
  FillPolygonWithColors(DC, APoints, 2, AColor, AColor);
}

}  // namespace

TqzBarPainter::TqzBarPainter(TObject*) {}

void TqzBarPainter::DrawBarBackground(TCustomqzBarControl* ABarControl, TkvCanvas* ACanvas) {
  ABarControl->FillBackground(ACanvas->DCHandle(), ABarControl->GetClientRect(), false, clNone,
                              ABarControl->BackgroundBrush());
}

void TqzBarPainter::DrawSkinnedBarFrame(TCustomqzBarControl*, HDC) {}

void TqzBarPainter::GetFloatingCaptionRect(const TRect& AWindowRect, TRect& ARect) {
  TqzBarPainterClass cls = ClassRef();
  ARect = AWindowRect;
  InflateRect(&ARect, -cls->FloatBorderX(), -cls->FloatBorderY());
  ARect.Bottom = ARect.Top + cls->SmallCaptionHeight();
}

bool TqzBarPainter::DrawsBarFrameItself() { return false; }

bool TqzBarPainter::AllowsLargeIcons() { return true; }

bool TqzBarPainter::IsMarkRectShort(TCustomqzBarControl*, const TRect& R) { return R.Height() < 17; }

TColor TqzBarPainter::CaptionSysColor(Integer AStateIndex) {
  return AStateIndex == 0 ? clInactiveCaption : clActiveCaption;
}

TColor TqzBarPainter::CaptionTextColor(TCustomqzBarControl*) { return clCaptionText; }

TColor TqzBarPainter::MarkArrowColor(TCustomqzBarControl*, Integer) { return clCaptionText; }

void TqzBarPainter::DrawSizeGrip(TCustomqzBarControl*, HDC DC, HBRUSH, const TRect& R) {
  if (ClassRef()->PaintsNativeBackground() && ThemeAvailableFor(totStatus)) {
    RECT r = R;
    DrawThemeBackground(ObtainTheme(totStatus), DC, kStatusGripperPart, 0, &r, nullptr);
  } else {
    DrawMaskedSizeGrip(DC, R);
  }
}

void TqzBarPainter::DrawMarkArrow(TCustomqzBarControl* ABarControl, HDC DC, const TRect& R) {
  Integer x = (R.Left + R.Right - 7) / 2;
  // Rounded up, also for odd negative sums.
  Integer sum = R.Top + R.Bottom - 4;
  Integer y = sum / 2 + (sum % 2 > 0 ? 1 : 0);
  POINT points[3] = {{x, y}, {x + 6, y}, {x + 3, y + 3}};
  FillTriangle(DC, points, ClassRef()->MarkArrowColor(ABarControl, ABarControl->GetMarkState()));
}

void TqzBarPainter::DrawMarkChevrons(TCustomqzBarControl* ABarControl, HDC DC, Integer APosition, const TRect& R) {
  HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(clBtnText));
  HGDIOBJ previous = SelectObject(DC, pen);
  Integer p = APosition;
  if (!ABarControl->IsVertical()) {
    Integer y = ClassRef()->IsMarkRectShort(ABarControl, R) ? 3 : 4;
    const POINT first[3] = {{p, y}, {p + 2, y + 2}, {p - 1, y + 5}};
    const POINT second[3] = {{p + 1, y}, {p + 3, y + 2}, {p, y + 5}};
    Polyline(DC, first, 3);
    Polyline(DC, second, 3);
  } else {
    Integer w = ABarControl->GetClientWidth();
    const POINT first[3] = {{w - 8, p}, {w - 6, p + 2}, {w - 3, p - 1}};
    const POINT second[3] = {{w - 8, p + 1}, {w - 6, p + 3}, {w - 3, p}};
    Polyline(DC, first, 3);
    Polyline(DC, second, 3);
  }
  SelectBackAndDelete(DC, previous);
}

void TqzBarPainter::DrawMarkBackground(TCustomqzBarControl*, HDC, HBRUSH, const TRect&) {}

void TqzBarPainter::DrawMarkGlyphs(TCustomqzBarControl* ABarControl, HDC DC, const TRect& R) {
  TqzBarPainterClass cls = ClassRef();
  bool vertical = ABarControl->IsVertical();
  if (cls->SupportsQuickCustomizing()) {
    TColor color = static_cast<TColor>(GetSysColor(cls->MarkElementColorIndex(ABarControl)));
    if (!vertical) {
      Integer x = R.Left + 3;
      Integer y = R.Bottom - 7 - (cls->IsMarkRectShort(ABarControl, R) ? 1 : 0);
      POINT points[3] = {{x, y}, {x + 4, y}, {x + 2, y + 2}};
      FillTriangle(DC, points, color);
    } else {
      Integer x = R.Left + 5, y = R.Top + 3;
      POINT points[3] = {{x, y}, {x, y + 4}, {x - 2, y + 2}};
      FillTriangle(DC, points, color);
    }
  }
  auto* toolbar = dynamic_cast<TqzBarControl*>(ABarControl);
  if (!toolbar || !toolbar->GetLinksHidden()) return;
  Integer start = vertical ? R.Top : R.Left;
  cls->DrawMarkChevrons(ABarControl, DC, start + 2, R);
  cls->DrawMarkChevrons(ABarControl, DC, start + 6, R);
}

void TqzBarPainter::OffsetFloatingCaption(TCustomqzBarControl* ABarControl, Integer& ATextX, TRect& ACaptionRect) {
  TRect mark;
  ABarControl->MarkRect(mark);
  if (mark.Left < ATextX) {
    ATextX = mark.Right + 3;
    return;
  }
  // A mark at the band's far end (beside the close button): the text keeps the band's start and
  // stops at the mark instead of running under it.
  ATextX += 2;
  ACaptionRect.Right = mark.Left;
}

Integer TqzBarPainter::MarkElementColorIndex(TCustomqzBarControl*) { return COLOR_BTNTEXT; }

void TqzBarPainter::GetTextMargins(TRect& AMargins) { AMargins = TRect(4, 0, 0, 0); }

void TqzBarPainter::GetCaptionExtent(TqzBarItemControlDrawParams* AParams, TRect& R) {
  R = TRect();
  if (!AParams->TargetCanvas || AParams->CaptionText.empty()) return;
  AParams->TargetCanvas->MeasureTextInRect(AParams->CaptionText, R, ktfSingleLine | ktfShowPrefix);
}

Integer TqzBarPainter::DockedBarSpacing() { return 0; }

Integer TqzBarPainter::BarContentIndent() { return 0; }

Integer TqzBarPainter::MenuIconAreaSize(TCustomqzBarControl* ABarControl) {
  Integer size = ABarControl->GetTextSizeValue();
  TqzBarItemLinks* links = ABarControl->GetItemLinks();
  if (links && links->GetEffectiveItemSize() == misLarge)
    size = static_cast<Integer>(std::lround(40 * ABarControl->GetRatio()));
  ClassRef()->AdjustMenuItemHeight(size);
  return size;
}

Integer TqzBarPainter::BarTextSize(TkvCanvas* ACanvas) { return ACanvas->TextHeightOf("Wg") + 6; }

Integer TqzBarPainter::PopupBorderWidth() { return 2; }

bool TqzBarPainter::IsFlat() { return false; }

Integer TqzBarPainter::GripperOffset() { return 0; }

Integer TqzBarPainter::FloatBorderX() { return GetSystemMetrics(SM_CXFRAME); }

Integer TqzBarPainter::FloatBorderY() { return GetSystemMetrics(SM_CYFRAME); }

Integer TqzBarPainter::DockedBorderMetric() { return 0; }

Integer TqzBarPainter::GripperAreaSize(TCustomqzBarControl*) { return 0; }

Integer TqzBarPainter::GripperWidth(TCustomqzBarControl*) { return 3; }

Integer TqzBarPainter::MenuGroupIndent() { return 0; }

bool TqzBarPainter::PaintsNativeBackground() { return false; }

bool TqzBarPainter::BarWindowFlag(TCustomqzBarControl*) { return false; }

bool TqzBarPainter::IsWindowFlat(TCustomqzBarControl*) {
  // No customizing copy of a bar window exists yet: every window counts.
  return IsFlatInstance();
}

bool TqzBarPainter::IsControlFlat(TCustomqzBarControl* ABarControl) { return IsWindowFlat(ABarControl); }

HBRUSH TqzBarPainter::OwnerLinkBrush(TqzBarManager* AManager) {
  // The tint of the flat looks' menu band, so that an opened element and its menu read as one.
  return AManager ? AManager->FlatFaceBrush() : SysColorBrushCode(COLOR_BTNFACE);
}

Integer TqzBarPainter::DockRowGap() { return 0; }

void TqzBarPainter::DrawQuickFrame(TCustomqzBarControl* ABarControl, HDC DC) {
  TRect strip;
  ABarControl->GetOwnerJoinRect(false, strip);
  if (IsRectEmpty(&strip)) return;
  RECT r = strip;
  FillRect(DC, &r, ClassRef()->OwnerLinkBrush(ABarControl->GetControlBarManager()));
}

HBRUSH TqzBarPainter::ToolbarBrush(TCustomqzBarControl*) { return SysColorBrushCode(COLOR_BTNFACE); }

HBRUSH TqzBarPainter::BarBrush(TCustomqzBarControl* ABarControl) { return ClassRef()->ToolbarBrush(ABarControl); }

HBRUSH TqzBarPainter::QuickBarBrush(TCustomqzBarControl* ABarControl) { return ClassRef()->BarBrush(ABarControl); }

HBRUSH TqzBarPainter::DownBrush(TCustomqzBarControl*) { return CheckerboardBrush(); }

HBRUSH TqzBarPainter::DownSelectedBrush(TCustomqzBarControl*) { return SysColorBrushCode(COLOR_BTNFACE); }

HBRUSH TqzBarPainter::SelectedBrush(TCustomqzBarControl*) { return SysColorBrushCode(COLOR_HIGHLIGHT); }

Integer TqzBarPainter::ComboArrowWidthFor(TCustomqzBarControl*, Integer ACharWidth) { return 2 * ACharWidth - 1; }

void TqzBarPainter::AdjustWindowShape(HWND, const TRect&, bool) {}

bool TqzBarPainter::HotTracksWindowParts() { return true; }

bool TqzBarPainter::SupportsQuickCustomizing() { return true; }

Integer TqzBarPainter::SeparatorOffset() { return (SeparatorThickness() - 2) / 2; }

Integer TqzBarPainter::SeparatorThickness() { return 6; }

void TqzBarPainter::GetDockedBorderRect(TCustomqzBarControl*, TRect& R) {
  Integer width = ClassRef()->DockedBorderWidth();
  R = TRect(width, width, width, width);
}

Integer TqzBarPainter::DockedBorderWidth() { return 1; }

void TqzBarPainter::GetDockedMargins(TqzBar*, Integer, TRect& R) { R = TRect(2, 2, 2, 2); }

Integer TqzBarPainter::FloatingCaptionHeight() { return ClassRef()->SmallCaptionHeight() + 1; }

void TqzBarPainter::FillCaptionBackground(TCustomqzBarControl*, HDC DC, HBRUSH ABrush, const TRect& R) {
  RECT r = R;
  FillRect(DC, &r, ABrush);
}

Integer TqzBarPainter::SmallCaptionHeight() {
  NONCLIENTMETRICS metrics;
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  return metrics.iCaptionHeight;
}

bool TqzBarPainter::HasCaptionBackground() { return false; }

void TqzBarPainter::GetCaptionButtonSize(TSize& ASize) {
  Integer height = ClassRef()->SmallCaptionHeight();
  ASize = TSize(height, height);
}

void TqzBarPainter::DrawBarSeparator(TCustomqzBarControl* ABarControl, HDC DC, bool AHorizontal, HBRUSH ABrush,
                                     const TRect& R) {
  Integer offset = SeparatorOffset();
  RECT line = R;
  if (AHorizontal) {
    ABarControl->FillBackground(DC, TRect(R.Left, R.Top, R.Right, R.Top + offset), false, clNone, ABrush);
    ABarControl->FillBackground(DC, TRect(R.Left, R.Bottom - offset, R.Right, R.Bottom), false, clNone, ABrush);
    line.Top += offset;
    line.Bottom -= offset;
    DrawEdge(DC, &line, EDGE_ETCHED, BF_TOP);
  } else {
    ABarControl->FillBackground(DC, TRect(R.Left, R.Top, R.Left + offset, R.Bottom), false, clNone, ABrush);
    ABarControl->FillBackground(DC, TRect(R.Right - offset, R.Top, R.Right, R.Bottom), false, clNone, ABrush);
    line.Left += offset;
    line.Right -= offset;
    DrawEdge(DC, &line, EDGE_ETCHED, BF_LEFT);
  }
}

void TqzBarPainter::DrawCaptionButtonFace(TCustomqzBarControl* ABarControl, HDC DC, Integer AState,
                                          const TRect& R) {
  TqzBarPainterClass cls = ClassRef();
  RECT r = R;
  if (AState == 0) {
    HBRUSH brush = CreateSolidBrush(ColorToRGB(ABarControl->GetCaptionSysColor()));
    FillRect(DC, &r, brush);
    DeleteObject(brush);
    return;
  }
  cls->DrawSelectedFrame(DC, R);
  InflateRect(&r, -1, -1);
  FillRect(DC, &r, AState == 1 ? ABarControl->SelectedBrush() : ABarControl->DownSelectedBrush());
}

void TqzBarPainter::DrawCloseButton(TCustomqzBarControl*, HDC, const TRect&) {}

void TqzBarPainter::DrawDockedBorder(TCustomqzBarControl*, HDC, HBRUSH, const TRect&) {}

void TqzBarPainter::DrawFloatingBorder(TCustomqzBarControl*, HDC, HBRUSH, const TRect&, const TRect&) {}

void TqzBarPainter::DrawFloatingMark(TCustomqzBarControl* ABarControl, HDC DC, const TRect& R) {
  DrawMarkArrow(ABarControl, DC, R);
}

void TqzBarPainter::DrawMDIButton(TCustomqzBarControl*, Integer, const TRect&, HDC, Integer) {}

void TqzBarPainter::DrawSizeGripArea(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush, const TRect& R) {
  TRect margins;
  GetSizeGripMargins(margins);
  TRect area(R.Left + margins.Left, R.Top + margins.Top, R.Right - margins.Right, R.Bottom - margins.Bottom);
  TSize grip;
  GetSizeGripSize(ABarControl->GetControlBarManager(), grip);
  if (IsRectEmpty(&area) || grip.cx <= 0 || grip.cy <= 0) return;
  ABarControl->FillBackground(DC, TRect(area.Right - grip.cx, area.Top, area.Right, area.Bottom), false, clNone,
                              ABrush);
  DrawSizeGrip(ABarControl, DC, ABrush,
               TRect(area.Right - grip.cx, area.Bottom - grip.cy, area.Right, area.Bottom));
}

void TqzBarPainter::FillCaptionStrip(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush, const TRect& R) {
  ABarControl->FillBackground(DC, TRect(R.Left, R.Top, R.Right, R.Top + ClassRef()->CaptionStripHeight()), false,
                              clNone, ABrush);
}

Integer TqzBarPainter::FloatingFrameInset() { return 0; }

Integer TqzBarPainter::FloatingCaptionTopExtra() { return 0; }

Integer TqzBarPainter::FloatingCaptionBottomExtra() { return 0; }

bool TqzBarPainter::LeavesCloseButtonToSystem() { return false; }

bool TqzBarPainter::TracksCaptionMark() { return false; }

Integer TqzBarPainter::MarkSize(TCustomqzBarControl*) { return 11; }

void TqzBarPainter::GetSizeGripMargins(TRect& AMargins) { AMargins = TRect(); }

Integer TqzBarPainter::CaptionStripHeight() { return 2; }

void TqzBarPainter::GetSizeGripSize(TqzBarManager*, TSize& ASize) {
  if (ClassRef()->PaintsNativeBackground() && ThemeAvailableFor(totStatus) && BarThemeMetrics().SizeGripSize.cx > 0) {
    ASize = BarThemeMetrics().SizeGripSize;
    return;
  }
  // The width of a horizontal scroll bar's arrow, both ways: the grip is square.
  Integer size = GetSystemMetrics(SM_CXHSCROLL);
  ASize = TSize(size, size);
}

void TqzBarPainter::SetQuickItemRect(Integer& ARight, TRect& R) {
  R.Right = R.Left + R.Height();
  ARight = R.Right;
}

void TqzBarPainter::DrawQuickItemCheck(TqzBarItemControl*, HDC, Integer, const TRect&) {}

Integer TqzBarPainter::QuickItemCheckWidth() { return 0; }

void TqzBarPainter::GetMenuTextMargins(TRect& AMargins) { AMargins = TRect(3, 0, 3, 0); }

bool TqzBarPainter::IsFlatInstance() { return ClassRef()->IsFlat(); }

Integer TqzBarPainter::ButtonHeightExtra() { return 6; }

Integer TqzBarPainter::ButtonWidthExtra() { return 7; }

Integer TqzBarPainter::ButtonHeightFor(Integer AImageSize) { return AImageSize + ButtonHeightExtra(); }

Integer TqzBarPainter::ButtonWidthFor(Integer AImageSize) { return AImageSize + ButtonWidthExtra(); }

void TqzBarPainter::GetButtonSize(Integer AImageSize, Integer, TSize& ASize) {
  ASize = TSize(ButtonWidthFor(AImageSize), ButtonHeightFor(AImageSize));
}

void TqzBarPainter::AdjustMenuItemHeight(Integer&) {}

void TqzBarPainter::AdjustMenuItemWidth(Integer&) {}

