#include "toolkit/ribbon/qzRibbonQuickAccessPopup.h"

#include "toolkit/bars/qzBarNavigation.h"
#include "toolkit/ribbon/qzRibbon.h"
#include "toolkit/ribbon/qzRibbonQuickAccessCustomize.h"
#include "toolkit/ribbon/qzRibbonSkins.h"
#include "gdi/Regions.h"
#include "user/Painting.h"

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

void TqzRibbonQuickAccessPopupPainter::DrawCustomizeButton(HDC DC, const TRect& R, Integer AState) {
  TqzCustomRibbonSkin* scheme = GetRibbon() ? GetRibbon()->GetColorScheme() : nullptr;
  if (!scheme) return;
  if (AState != 0) scheme->DrawSmallButton(DC, R, AState);
  scheme->DrawQuickAccessMark(DC, R, AState == 3 ? 2 : AState);
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

TqzRibbonQuickAccessBarControl* TqzRibbonQuickAccessPopupBarControl::Toolbar() const {
  return dynamic_cast<TqzRibbonQuickAccessBarControl*>(GetOpenerBar());
}

bool TqzRibbonQuickAccessPopupBarControl::ToolbarHidesLinks() const {
  TqzRibbonQuickAccessBarControl* toolbar = Toolbar();
  return toolbar && toolbar->GetLinksHidden();
}

TqzCustomRibbon* TqzRibbonQuickAccessPopupBarControl::Ribbon() {
  TqzRibbonQuickAccessBarControl* toolbar = Toolbar();
  return toolbar ? toolbar->Ribbon() : nullptr;
}

bool TqzRibbonQuickAccessPopupBarControl::HasShadow() { return ToolbarHidesLinks() && inherited::HasShadow(); }

void TqzRibbonQuickAccessPopupBarControl::PopupSize(TSize& ASize) {
  HandleNeeded();
  TRect mark, work;
  GetParentOpenerRect(mark);
  WorkAreaAtPoint(mark.TopLeft(), work);
  CalcSize(dsNone, work.Width(), ASize);
}

void TqzRibbonQuickAccessPopupBarControl::ShowAsPopup(const TRect& AOwnerRect) {
  const bool hidesLinks = ToolbarHidesLinks();
  HandleNeeded();
  if (!hidesLinks) SetWindowRgn(GetHandle(), CreateRectRgn(0, 0, 0, 0), TRUE);
  PlaceAsPopup(AOwnerRect, false);
  // The links were placed in the window's first size: they take its popup size now.
  CalcViewInfoNow();
  ChangeActive(true);
  RepaintAll();
  if (!hidesLinks) OpenCustomizeMenuAtMark();
}

void TqzRibbonQuickAccessPopupBarControl::OpenCustomizeMenuAtMark() {
  TqzBarItemLinks* links = GetItemLinks();
  TqzBarItemLink* last = links && links->GetVisibleLinkCount() > 0
                             ? links->GetVisibleLink(links->GetVisibleLinkCount() - 1)
                             : nullptr;
  auto* entry = last ? dynamic_cast<TqzRibbonQuickAccessPopupSubItemControl*>(last->GetControl()) : nullptr;
  TqzRibbonQuickAccessBarControl* toolbar = Toolbar();
  if (!entry || !toolbar) return;
  TRect mark;
  toolbar->MarkScreenRect(mark);
  TPoint offset;
  ClientOffset(offset);
  const TRect& r = last->GetItemRect();
  SetWindowPos(GetHandle(), nullptr, mark.Left - offset.X - r.Left, mark.Top - offset.Y - r.Top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetSelectedControl(entry);
  entry->OpenSubMenu(false);
  TqzBarSubMenuControl* menu = entry->GetSubMenu();
  if (!menu || NavigationControllerInstance()->InNavigationMode()) return;
  TqzBarItemLink* first = menu->GetItemLinks() ? menu->GetItemLinks()->FirstSelectableLink() : nullptr;
  if (first && first->GetControl()) menu->SetSelectedControl(first->GetControl());
}
