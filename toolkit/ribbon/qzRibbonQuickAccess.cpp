// The quick access toolbar's site, painter and bar window.

#include "toolkit/ribbon/qzRibbonQuickAccess.h"
#include "toolkit/ribbon/qzRibbonQuickAccessPopup.h"

#include <algorithm>

#include "toolkit/bars/qzBarDesignController.h"
#include "toolkit/bars/qzBarItemControlButtons.h"
#include "toolkit/bars/qzBarNavigation.h"
#include "toolkit/ribbon/qzRibbon.h"
#include "toolkit/ribbon/qzRibbonNavigation.h"
#include "user/Rects.h"
#include "user/WindowTree.h"

TAVREN_CLASS_IMPL(TqzRibbonQuickAccessPainter)
TAVREN_CLASS_IMPL(TqzRibbonQuickAccessDockControl)
TAVREN_CLASS_IMPL(TqzRibbonQuickAccessBarControlDesignHelper)
TAVREN_CLASS_IMPL(TqzRibbonQuickAccessBarControlViewInfo)
TAVREN_CLASS_IMPL(TqzRibbonQuickAccessBarControl)

// ---- Painter ---------------------------------------------------------------------------------

void TqzRibbonQuickAccessPainter::DrawRibbonBehind(TCustomqzBarControl* ABarControl, HDC DC) {
  TqzCustomRibbon* ribbon = GetRibbon();
  if (!ribbon || !ribbon->HandleAllocated() || !ABarControl->HandleAllocated()) return;
  const int saved = SaveDC(DC);
  IntersectClipRect(DC, 0, 0, ABarControl->GetClientWidth(), ABarControl->GetClientHeight());
  // The drawing is the ribbon's, in its coordinates.
  POINT origin{0, 0};
  MapWindowPoints(ABarControl->GetHandle(), ribbon->GetHandle(), &origin, 1);
  OffsetWindowOrgEx(DC, origin.X, origin.Y, nullptr);
  TqzRibbonViewInfo* viewInfo = ribbon->GetViewInfo();
  TCanvas canvas;
  canvas.SetHandle(DC);
  if (viewInfo->IsQuickAccessToolbarInCaption(false) && ribbon->GetFormCaptionHelper()) {
    // Glass shows through where the window is black.
    if (viewInfo->GetUseCompositionFrame()) {
      const TRect bounds = viewInfo->GetQuickAccessToolbarBounds();
      FillRect(DC, &bounds, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    ribbon->GetFormCaptionHelper()->DrawCaptionArea(&canvas);
  } else {
    ribbon->GetPainter()->DrawQuickAccessToolbar(&canvas, viewInfo->GetQuickAccessToolbarBounds(), true);
  }
  canvas.SetHandle(nullptr);
  RestoreDC(DC, saved);
}

void TqzRibbonQuickAccessPainter::DrawBarBackground(TCustomqzBarControl* ABarControl, TkvCanvas* ACanvas) {
  DrawRibbonBehind(ABarControl, ACanvas->DCHandle());
}

void TqzRibbonQuickAccessPainter::FillToolbarBackground(TCustomqzBarControl* ABarControl, HDC DC, TColor, HBRUSH,
                                                        const TRect&, const TRect& AClipRect) {
  const int saved = SaveDC(DC);
  IntersectClipRect(DC, AClipRect.Left, AClipRect.Top, AClipRect.Right, AClipRect.Bottom);
  DrawRibbonBehind(ABarControl, DC);
  RestoreDC(DC, saved);
}

void TqzRibbonQuickAccessPainter::DrawMarkBackground(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH,
                                                     const TRect& R) {
  // The window keeps the mark out of its background: the mark stands on the ribbon's.
  FillToolbarBackground(ABarControl, DC, clNone, nullptr, R, R);
  TqzCustomRibbonSkin* scheme = GetRibbon() ? GetRibbon()->GetColorScheme() : nullptr;
  const Byte state = ABarControl->GetMarkState();
  if (scheme && state != 0) scheme->DrawSmallButton(DC, R, state == 1 ? 3 : 4);
}

void TqzRibbonQuickAccessPainter::DrawMarkGlyphs(TCustomqzBarControl* ABarControl, HDC DC, const TRect& R) {
  TqzCustomRibbonSkin* scheme = GetRibbon() ? GetRibbon()->GetColorScheme() : nullptr;
  if (!scheme) return;
  auto* toolbar = dynamic_cast<TqzBarControl*>(ABarControl);
  if (toolbar && toolbar->GetLinksHidden())
    scheme->DrawQuickAccessMarkMore(DC, R, ABarControl->GetMarkState());
  else
    scheme->DrawQuickAccessMark(DC, R, ABarControl->GetMarkState());
}

void TqzRibbonQuickAccessPainter::GetMarkRect(TCustomqzBarControl* ABarControl, TRect& R) {
  R = ABarControl->GetClientRect();
  R.Left = R.Right - MarkWidth();
}

void TqzRibbonQuickAccessPainter::DrawGroupButton(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  TqzCustomRibbon* ribbon = GetRibbon();
  auto* params = dynamic_cast<TqzBarButtonLikeControlDrawParams*>(AParams);
  if (!ribbon || !params) return;
  HDC DC = AParams->TargetCanvas->DCHandle();
  constexpr Integer kBorderButtonPart = 520;
  ribbon->DrawBackground(DC, R, kBorderButtonPart, SkinButtonState(params, 0));
  const TRect offsets = ribbon->GetContentOffsets(kBorderButtonPart);
  const TRect inner(R.Left + offsets.Left, R.Top + offsets.Top, R.Right - offsets.Right, R.Bottom - offsets.Bottom);
  // The glyph keeps its small size, centred.
  const Integer side = std::min<Integer>({16, inner.Width(), inner.Height()});
  if (side <= 0) return;
  const Integer x = inner.Left + (inner.Width() - side) / 2, y = inner.Top + (inner.Height() - side) / 2;
  DrawGlyphImage(AParams, DC, TRect(x, y, x + side, y + side), TRect(), nullptr);
}

Integer TqzRibbonQuickAccessPainter::MarkWidth() {
  return GetRibbon() ? ((GetRibbon()->GroupRowHeight() + 2) / 2) | 1 : 0;
}

Integer TqzRibbonQuickAccessPainter::MarkIndent() {
  TqzCustomRibbon* ribbon = GetRibbon();
  TqzCustomRibbonSkin* scheme = ribbon ? ribbon->GetColorScheme() : nullptr;
  if (!scheme) return 0;
  return scheme->QuickAccessMarkOffset(ribbon->GetQuickAccessToolbar()->GetPosition() == qtpBelowRibbon);
}

// ---- Site ------------------------------------------------------------------------------------

namespace {
TqzBarControl* NewQuickAccessBarControl(TComponent* AOwner, TqzBar* ABar) {
  return new TqzRibbonQuickAccessBarControl(AOwner, ABar);
}
}  // namespace

TqzRibbonQuickAccessDockControl::TqzRibbonQuickAccessDockControl(TqzCustomRibbon* ARibbon)
    : TqzCustomRibbonDockControl(nullptr), FRibbon(ARibbon),
      FPainter(std::make_unique<TqzRibbonQuickAccessPainter>(ARibbon)) {
  SetAllowDocking(false);
  SetVisible(false);
  SetParent(ARibbon);
}

TqzRibbonQuickAccessDockControl::~TqzRibbonQuickAccessDockControl() = default;

TqzBarControlFactory TqzRibbonQuickAccessDockControl::BarControlClass() { return &NewQuickAccessBarControl; }

void TqzRibbonQuickAccessDockControl::ArrangeRows() {
  if (!FLayingOut) {
    TqzBarFlagScope layingOut(FLayingOut);
    FRibbon->Changed();
  }
  inherited::ArrangeRows();
}

void TqzRibbonQuickAccessDockControl::VisibleChanged() {
  if (!FLayingOut && HandleAllocated() && !FRibbon->GetComponentState().Contains(csDestroying) && !FRibbon->IsLocked())
    FRibbon->Changed();
}

void TqzRibbonQuickAccessDockControl::PrepareWindows() {
  TqzBarFlagScope layingOut(FLayingOut);
  HandleNeeded();
  TqzBar* toolbar = FRibbon->GetQuickAccessToolbar()->GetToolbar();
  if (toolbar && toolbar->GetBarControl() && toolbar->GetDockControl() == this) toolbar->GetBarControl()->HandleNeeded();
}

void TqzRibbonQuickAccessDockControl::Place(bool AShown, const TRect& ABounds) {
  TqzBarFlagScope layingOut(FLayingOut);
  SetVisible(AShown);
  if (AShown) SetBoundsRect(ABounds);
}

// ---- Bar window ------------------------------------------------------------------------------

bool TqzRibbonQuickAccessBarControlViewInfo::StopsAfter(TqzBarItemControl* AControl) {
  return AControl == static_cast<TqzRibbonQuickAccessBarControl*>(GetBarControl())->FLastVisibleControl;
}

TqzRibbonQuickAccessBarControl::TqzRibbonQuickAccessBarControl(TComponent* AOwner, TqzBar* ABar)
    : TqzRibbonCustomBarControl(AOwner, ABar) {}

TqzRibbonQuickAccessBarControl::TqzRibbonQuickAccessBarControl(TCustomqzBarControl* AOpener, TqzBar* ASourceBar,
                                                               TqzChildBar)
    : TqzRibbonCustomBarControl(AOpener, ASourceBar, TqzChildBar{}) {}

TqzQuickControlFactory TqzRibbonQuickAccessBarControl::QuickControlClass() { return &NewQuickAccessPopupBarControl; }

TqzRibbonQuickAccessBarControl::~TqzRibbonQuickAccessBarControl() {
  TqzRibbonQuickAccessDockControl* dock = QuickAccessDockControl();
  if (dock && !dock->GetComponentState().Contains(csDestroying)) dock->SetVisible(false);
}

TqzRibbonQuickAccessDockControl* TqzRibbonQuickAccessBarControl::QuickAccessDockControl() const {
  return dynamic_cast<TqzRibbonQuickAccessDockControl*>(GetDockControl());
}

TqzCustomRibbon* TqzRibbonQuickAccessBarControl::Ribbon() {
  TqzRibbonQuickAccessDockControl* dock = QuickAccessDockControl();
  return dock ? dock->GetRibbon() : nullptr;
}

TqzBarPainter* TqzRibbonQuickAccessBarControl::Painter() {
  TqzRibbonQuickAccessDockControl* dock = QuickAccessDockControl();
  return dock ? dock->GetPainter() : inherited::Painter();
}

bool TqzRibbonQuickAccessBarControl::ShowsMark() {
  TqzCustomRibbon* ribbon = Ribbon();
  return ribbon && !ribbon->GetPopupMenuItems().Empty();
}

bool TqzRibbonQuickAccessBarControl::RefreshesEdits() {
  TqzCustomRibbon* ribbon = Ribbon();
  if (!ribbon) return false;
  TqzRibbonViewInfo* viewInfo = ribbon->GetViewInfo();
  return viewInfo->IsQuickAccessToolbarInCaption(false) && viewInfo->GetUseCompositionFrame();
}

Integer TqzRibbonQuickAccessBarControl::ControlViewLevel(TqzBarItemControl* AControl) {
  return AControl->GetViewInfo()->GetMostCompactLevel();
}

TClassOf<TqzBarAccessibilityHelper> TqzRibbonQuickAccessBarControl::GetAccessibilityHelperClass() {
  return TqzRibbonQuickAccessBarControlAccessibilityHelper::ClassInfo();
}

TClassOf<TqzBarAccessibilityHelper> TqzRibbonQuickAccessBarControl::MarkAccessibilityHelperClass() {
  return TqzRibbonQuickAccessBarControlMarkAccessibilityHelper::ClassInfo();
}

void TqzRibbonQuickAccessBarControl::ShowContextPopup(TqzBarItemControl* AControl) {
  TqzCustomRibbon* ribbon = Ribbon();
  if (IsCustomizing() || !ribbon) {
    inherited::ShowContextPopup(AControl);
    return;
  }
  TqzBarItemLink* link = AControl ? AControl->GetLink() : nullptr;
  TqzRibbonPopupMenuItems items = ContextMenuItems();
  if (!link) items.Exclude(rpmiQATAddRemoveItem);
  DesignControllerInstance()->ShowCustomizingPopup(
      GetControlBarManager(), ribbon->GetGroupsPainter(), link, this,
      [this, ribbon, items](TqzBarItemLinks* ALinks) { ribbon->AddContextItems(ALinks, items, this); });
}

void TqzRibbonQuickAccessBarControl::CreateWnd() {
  FCreatingWindow = true;
  try {
    inherited::CreateWnd();
  } catch (...) {
    FCreatingWindow = false;
    throw;
  }
  FCreatingWindow = false;
  if (TqzRibbonQuickAccessDockControl* dock = QuickAccessDockControl()) dock->SetVisible(true);
}

Integer TqzRibbonQuickAccessBarControl::CalcRowExtent(TqzBarDockingStyle AStyle) {
  TqzCustomRibbon* ribbon = Ribbon();
  const Integer row = ribbon ? ribbon->GroupRowHeight() : 0;
  if (!HandleAllocated() || !IsWindowVisible(GetHandle())) return row;
  return std::max(inherited::CalcRowExtent(AStyle), row);
}

void TqzRibbonQuickAccessBarControl::PlaceControls() {
  TqzBarItemLinks* links = GetItemLinks();
  FLastVisibleControl = nullptr;
  SetLinksHidden(false);
  if (!links) return;
  TRect margins;
  GetMargins(margins);
  const TRect client = GetClientRect();
  Integer x = margins.Left;
  TqzBarItemLink* lastFitting = nullptr;
  for (Integer i = 0; i < links->GetVisibleLinkCount(); ++i) {
    TqzBarItemLink* link = links->GetVisibleLink(i);
    if (GetLinksHidden()) {
      HideHostedWindowOf(link);
      continue;
    }
    if (!link->GetControl()) link->CreateControl();
    TqzBarItemControl* control = link->GetControl();
    if (!control) continue;
    const Integer width = control->CalcWidth();
    if (client.Width() - MarkSize() < x + width) {
      SetLinksHidden(true);
      HideHostedWindowOf(link);
      continue;
    }
    const TRect r(x, margins.Top, x + width, client.Height() - margins.Bottom);
    link->SetItemRect(r);
    link->SetRowHeight(client.Height());
    x = r.Right;
    lastFitting = link;
  }
  // Not even the first link fits: it still closes the row.
  if (!lastFitting && links->GetVisibleLinkCount() > 0) lastFitting = links->GetVisibleLink(0);
  FLastVisibleControl = lastFitting ? lastFitting->GetControl() : nullptr;
}

void TqzRibbonQuickAccessBarControl::CalcSize(TqzBarDockingStyle AStyle, Integer ALimit, TSize& ASize) {
  ASize = TSize(0, 0);
  if (!HandleAllocated() || FCreatingWindow) return;
  ASize = TSize(MarkSize(), CalcRowExtent(AStyle));
  TqzBarItemLinks* links = GetItemLinks();
  bool anyFits = false;
  for (Integer i = 0; links && i < links->GetVisibleLinkCount(); ++i) {
    TqzBarItemLink* link = links->GetVisibleLink(i);
    if (!link->GetControl()) link->CreateControl();
    TqzBarItemControl* control = link->GetControl();
    if (!control) continue;
    const Integer width = control->CalcWidth();
    if (ASize.cx + width > ALimit) break;
    ASize.cx += width;
    ASize.cy = std::max(ASize.cy, control->CalcHeight());
    anyFits = true;
  }
  if (ShowsMark() && !anyFits) ASize.cx -= QuickAccessDockControl() ? QuickAccessDockControl()->GetPainter()->MarkIndent() : 0;
  TRect margins;
  GetMargins(margins);
  ASize.cx += margins.Left + margins.Right;
  ASize.cy += margins.Top + margins.Bottom;
}
