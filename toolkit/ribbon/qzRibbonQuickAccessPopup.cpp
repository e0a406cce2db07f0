#include "toolkit/ribbon/qzRibbonQuickAccessPopup.h"

#include "toolkit/ribbon/qzRibbon.h"
#include "toolkit/ribbon/qzRibbonSkins.h"

TAVREN_CLASS_IMPL(TqzRibbonQuickAccessPopupPainter)
TAVREN_CLASS_IMPL(TqzRibbonQuickAccessPopupBarControl)

// ---- Painter ---------------------------------------------------------------------------------

void TqzRibbonQuickAccessPopupPainter::DrawBarBackground(TCustomqzBarControl* ABarControl, TkvCanvas* ACanvas) {
  if (TqzCustomRibbonSkin* scheme = GetRibbon() ? GetRibbon()->GetColorScheme() : nullptr)
    scheme->DrawQuickAccessPopupBackground(ACanvas->DCHandle(), ABarControl->GetClientRect());
}

void TqzRibbonQuickAccessPopupPainter::FillToolbarBackground(TCustomqzBarControl* ABarControl, HDC DC, TColor, HBRUSH,
                                                             const TRect&, const TRect& AClipRect) {
  TqzCustomRibbonSkin* scheme = GetRibbon() ? GetRibbon()->GetColorScheme() : nullptr;
  if (!scheme) return;
  const int saved = SaveDC(DC);
  IntersectClipRect(DC, AClipRect.Left, AClipRect.Top, AClipRect.Right, AClipRect.Bottom);
  scheme->DrawQuickAccessPopupBackground(DC, ABarControl->GetClientRect());
  RestoreDC(DC, saved);
}

// ---- Popup -----------------------------------------------------------------------------------

TqzBarControl* NewQuickAccessPopupBarControl(TqzBarControl* AParent, TqzBar* ABar) {
  return new TqzRibbonQuickAccessPopupBarControl(static_cast<TqzRibbonQuickAccessBarControl*>(AParent), ABar);
}

TqzRibbonQuickAccessPopupBarControl::TqzRibbonQuickAccessPopupBarControl(TqzRibbonQuickAccessBarControl* AToolbar,
                                                                         TqzBar* ABar)
    : TqzRibbonQuickAccessBarControl(AToolbar, ABar, TqzChildBar{}),
      FPainter(std::make_unique<TqzRibbonQuickAccessPopupPainter>(AToolbar->Ribbon())) {}

TqzRibbonQuickAccessPopupBarControl::~TqzRibbonQuickAccessPopupBarControl() {
  if (!IsDestroying() && GetActive()) ChangeActive(false);
}

TqzCustomRibbon* TqzRibbonQuickAccessPopupBarControl::Ribbon() {
  auto* toolbar = dynamic_cast<TqzRibbonQuickAccessBarControl*>(GetOpenerBar());
  return toolbar ? toolbar->Ribbon() : nullptr;
}

void TqzRibbonQuickAccessPopupBarControl::PopupSize(TSize& ASize) {
  HandleNeeded();
  TRect mark, work;
  GetParentOpenerRect(mark);
  WorkAreaAtPoint(mark.TopLeft(), work);
  CalcSize(dsNone, work.Width(), ASize);
}

void TqzRibbonQuickAccessPopupBarControl::ShowAsPopup(const TRect& AOwnerRect) {
  PlaceAsPopup(AOwnerRect, false);
  // The links were placed in the window's first size: they take its popup size now.
  CalcViewInfoNow();
  ChangeActive(true);
  RepaintAll();
}
