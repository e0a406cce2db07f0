// The default backgrounds of toolbar windows and dock sites: a toolbar takes its own bitmap or
// colour, else the part of its dock site behind it, else (floating) the plain bar brush.

#include "gdi/Drawing.h"
#include "gdi/GdiTypes.h"
#include "gdi/SysColors.h"
#include "gdi/UxTheme.h"
#include "toolkit/bars/qzBarDockControl.h"
#include "toolkit/bars/qzBarPainter.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "toolkit/bars/qzBarToolbars.h"
#include "toolkit/foundation/qzThemeManager.h"
#include "user/Rects.h"

namespace {

constexpr int RP_BACKGROUND = 0;

TColor FillColor(TColor AColor) { return AColor == clNone ? clBtnFace : AColor; }

// The window's client rectangle in the coordinates of the DC that R and AClipRect describe.
TRect ClientRectInDC(TCustomqzBarControl* ABarControl, const TRect& R, const TRect& AClipRect) {
  TRect client = ABarControl->GetClientRect();
  OffsetRect(&client, AClipRect.Left - R.Left, AClipRect.Top - R.Top);
  return client;
}

}  // namespace

void TqzBarPainter::DrawDockBackground(TqzDockControl*, HDC DC, TColor AColor, HBRUSH ABrush, const TRect& R,
                                       const TRect&) {
  FillAreaSolidOrTiled(DC, R, R, nullptr, FillColor(AColor), ABrush);
}

void TqzBarPainter::FillFromDockSite(TCustomqzBarControl* ABarControl, HDC DC, TColor AColor, HBRUSH ABrush,
                                     const TRect& R, const TRect& AClipRect) {
  auto* toolbar = dynamic_cast<TqzBarControl*>(ABarControl);
  TqzDockControl* site = toolbar ? toolbar->GetDockControl() : nullptr;
  if (!site || !toolbar->HandleAllocated() || !site->HandleAllocated()) {
    FillAreaSolidOrTiled(DC, AClipRect, AClipRect, nullptr, FillColor(AColor), ABrush);
    return;
  }
  // The window's client origin in the site's client coordinates.
  POINT origin{0, 0};
  MapWindowPoints(toolbar->GetHandle(), site->GetHandle(), &origin, 1);
  TRect siteRect = R;
  OffsetRect(&siteRect, origin.X, origin.Y);
  site->FillBackground(DC, AClipRect, AColor, ABrush, siteRect);
}

void TqzBarPainter::FillFromBarBitmap(TCustomqzBarControl* ABarControl, HDC DC, TColor AColor, HBRUSH ABrush,
                                      const TRect& R, const TRect& AClipRect) {
  TqzBarManager* manager = ABarControl ? ABarControl->GetControlBarManager() : nullptr;
  // The tiling starts at the client area's corner.
  FillAreaSolidOrTiled(DC, AClipRect, R, manager ? manager->GetBackgrounds()->GetBar() : nullptr, FillColor(AColor),
                       ABrush);
}

void TqzBarPainter::FillToolbarBackground(TCustomqzBarControl* ABarControl, HDC DC, TColor AColor, HBRUSH ABrush,
                                          const TRect& R, const TRect& AClipRect) {
  auto* toolbar = dynamic_cast<TqzBarControl*>(ABarControl);
  TqzBar* bar = toolbar ? toolbar->GetBar() : nullptr;
  if (!bar) {
    FillAreaSolidOrTiled(DC, AClipRect, AClipRect, nullptr, FillColor(AColor), ABrush);
    return;
  }
  if (!bar->GetBackgroundBitmap()->GetEmpty()) {
    // The tiling starts at the client area's corner.
    FillAreaSolidOrTiled(DC, AClipRect, R, bar->GetBackgroundBitmap(), clBtnFace, nullptr);
  } else if (bar->IsStatusBarLike()) {
    FillDockedToolbar(ABarControl, DC, AColor, ABrush, ClientRectInDC(ABarControl, R, AClipRect), AClipRect);
  } else if (bar->GetColor() != clDefault) {
    FillAreaSolidOrTiled(DC, AClipRect, AClipRect, nullptr, bar->GetColor(), nullptr);
  } else if (toolbar->IsFloating()) {
    FillFromBarBitmap(ABarControl, DC, AColor, ABrush, R, AClipRect);
  } else {
    FillFromDockSite(ABarControl, DC, AColor, ABrush, R, AClipRect);
  }
}

void TqzBarPainter::FillDockedToolbar(TCustomqzBarControl*, HDC DC, TColor AColor, HBRUSH ABrush, const TRect& R,
                                      const TRect& AClipRect) {
  if (ClassRef()->PaintsNativeBackground() && ThemeAvailableFor(totRebar)) {
    RECT r = R, clip = AClipRect;
    DrawThemeBackground(ObtainTheme(totRebar), DC, RP_BACKGROUND, 0, &r, &clip);
    return;
  }
  TRect area;
  if (!IntersectRect(&area, &R, &AClipRect)) return;
  FillAreaSolidOrTiled(DC, area, area, nullptr, FillColor(AColor), ABrush);
}
