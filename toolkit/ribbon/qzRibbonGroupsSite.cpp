// The groups site and the ribbon's shared routines.

#include "toolkit/ribbon/qzRibbonGroupsSite.h"

#include "gdi/Drawing.h"
#include "gdi/Regions.h"
#include <cstdlib>

#include "toolkit/bars/qzBarNavigation.h"
#include "toolkit/ribbon/qzRibbon.h"
#include "toolkit/ribbon/qzRibbonGroupsDock.h"
#include "user/Cursors.h"
#include "user/Monitors.h"
#include "user/Painting.h"
#include "user/Rects.h"

TAVREN_CLASS_IMPL(TqzRibbonGroupsDockControlSiteViewInfo)
TAVREN_CLASS_IMPL(TqzRibbonGroupsDockControlSite)

// ---- Site view info --------------------------------------------------------------------------

// The buttons the active tab's groups dock control reports, each as wide as a tab scroll button
// and as high as the site, at the site's edges.
void TqzRibbonGroupsDockControlSiteViewInfo::Calculate() {
  FScrollButtonBounds[0] = FScrollButtonBounds[1] = TRect{};
  FScrollButtons = 0;
  TqzCustomRibbon* ribbon = FSite->GetRibbon();
  TqzRibbonGroupsDockControl* dock = FSite->ActiveGroupsDockControl();
  if (!dock || !ribbon->GetViewInfo()->AreGroupsShownInRibbon(false)) return;
  TqzRibbonGroupsDockControlViewInfo* groups = dock->GetViewInfo();
  const TRect client = FSite->GetClientRect();
  const Integer width = std::abs(ribbon->GetFonts()->GetTabHeader()->GetHeight()) + 2;
  if (groups->ShowsLeftScrollButton()) {
    FScrollButtons |= 1;
    FScrollButtonBounds[0] = TRect(client.Left, client.Top, client.Left + width, client.Bottom);
  }
  if (groups->ShowsRightScrollButton()) {
    FScrollButtons |= 2;
    FScrollButtonBounds[1] = TRect(client.Right - width, client.Top, client.Right, client.Bottom);
  }
}

bool TqzRibbonGroupsDockControlSiteViewInfo::HitTest(Integer X, Integer Y, TqzRibbonHitInfo& AHit) {
  if (!FSite->HandleAllocated() || FScrollButtons == 0) return false;
  TPoint p = FSite->ScreenToClient(FSite->GetRibbon()->ClientToScreen(TPoint(X, Y)));
  if ((FScrollButtons & 1) && PtInRect(&FScrollButtonBounds[0], p)) {
    AHit.Kind = rhkGroupsScrollLeft;
    return true;
  }
  if ((FScrollButtons & 2) && PtInRect(&FScrollButtonBounds[1], p)) {
    AHit.Kind = rhkGroupsScrollRight;
    return true;
  }
  return false;
}

void TqzRibbonGroupsDockControlSiteViewInfo::Invalidate() { FSite->Invalidate(); }

// ---- Site ------------------------------------------------------------------------------------

TqzRibbonGroupsDockControlSite::TqzRibbonGroupsDockControlSite(TqzCustomRibbon* ARibbon)
    : TkvControl(ARibbon), FRibbon(ARibbon),
      FViewInfo(std::make_unique<TqzRibbonGroupsDockControlSiteViewInfo>(this)) {
  SetDoubleBuffered(true);
}

TqzRibbonGroupsDockControlSite::~TqzRibbonGroupsDockControlSite() = default;

void TqzRibbonGroupsDockControlSite::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TqzRibbonGroupsDockControlSite::Paint() {
  TqzRibbonPainter* painter = FRibbon->GetPainter();
  TCanvas* canvas = GetCanvas();
  painter->DrawGroupsArea(canvas, GetClientRect());
  // The active header overlaps the groups by one pixel: its lower edge is drawn again over the
  // groups background, in ribbon coordinates.
  TqzRibbonViewInfo* viewInfo = FRibbon->GetViewInfo();
  TqzRibbonTab* active = FRibbon->GetActiveTab();
  TqzRibbonTabViewInfo* header = active ? viewInfo->GetTabsViewInfo()->Find(active) : nullptr;
  if (header && viewInfo->AreTabHeadersShown(false)) {
    HDC dc = canvas->GetHandle();
    const int saved = SaveDC(dc);
    POINT old;
    OffsetWindowOrgEx(dc, GetLeft(), GetTop(), &old);
    const TRect clip = viewInfo->GetTabsViewInfo()->GetClipBounds();
    IntersectClipRect(dc, clip.Left, clip.Top, clip.Right, clip.Bottom);
    header->Paint(canvas, viewInfo->GetTabsViewInfo()->GetSeparatorAlpha() == 255);
    RestoreDC(dc, saved);
  }
  TqzRibbonController* controller = FRibbon->GetController();
  if (FViewInfo->GetScrollButtons() & 1)
    painter->DrawGroupsScrollButton(canvas, FViewInfo->GetScrollButtonLeft(),
                                    controller->GetHotElement() == rhkGroupsScrollLeft,
                                    controller->GetScrollingElement() == rhkGroupsScrollLeft, true);
  if (FViewInfo->GetScrollButtons() & 2)
    painter->DrawGroupsScrollButton(canvas, FViewInfo->GetScrollButtonRight(),
                                    controller->GetHotElement() == rhkGroupsScrollRight,
                                    controller->GetScrollingElement() == rhkGroupsScrollRight, false);
}

TqzRibbonGroupsDockControl* TqzRibbonGroupsDockControlSite::ActiveGroupsDockControl() const {
  TqzRibbonTab* active = FRibbon->GetActiveTab();
  return active ? active->GetDockControl() : nullptr;
}

TPoint TqzRibbonGroupsDockControlSite::ToRibbon(Integer X, Integer Y) {
  return FRibbon->ScreenToClient(ClientToScreen(TPoint(X, Y)));
}

void TqzRibbonGroupsDockControlSite::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  const TPoint p = ToRibbon(X, Y);
  FRibbon->GetController()->MouseDown(Button, Shift, p.X, p.Y);
}

void TqzRibbonGroupsDockControlSite::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseMove(Shift, X, Y);
  const TPoint p = ToRibbon(X, Y);
  FRibbon->GetController()->MouseMove(Shift, p.X, p.Y);
}

void TqzRibbonGroupsDockControlSite::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  const TPoint p = ToRibbon(X, Y);
  FRibbon->GetController()->MouseUp(Button, Shift, p.X, p.Y);
}

void TqzRibbonGroupsDockControlSite::FireMouseLeave(TControl* AControl) {
  inherited::FireMouseLeave(AControl);
  FRibbon->GetController()->MouseLeave();
}

void TqzRibbonGroupsDockControlSite::ResetMouseState() {
  inherited::ResetMouseState();
  FRibbon->GetController()->CancelMode();
}

bool TqzRibbonGroupsDockControlSite::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  return inherited::DoMouseWheelDown(Shift, MousePos) || FRibbon->GetController()->WheelDown(Shift, MousePos);
}

bool TqzRibbonGroupsDockControlSite::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  return inherited::DoMouseWheelUp(Shift, MousePos) || FRibbon->GetController()->WheelUp(Shift, MousePos);
}

// ---- Shared routines -------------------------------------------------------------------------

void DockBarTo(TqzBar* AToolbar, TqzDockControl* ADockControl) {
  const bool loading = AToolbar->GetComponentState().Contains(csLoading);
  const bool visible = AToolbar->GetVisible();
  if (!loading) AToolbar->SetVisible(false);
  AToolbar->SetDockControl(ADockControl);
  if (!loading) AToolbar->SetVisible(visible);
}

void UndockBar(TqzBar* AToolbar) {
  if (AToolbar->GetComponentState().Contains(csDestroying)) return;
  const bool visible = AToolbar->GetVisible();
  AToolbar->SetVisible(false);
  AToolbar->SetDockControl(nullptr);
  AToolbar->SetDockedDockingStyle(dsNone);
  AToolbar->SetDockingStyle(dsNone);
  AToolbar->SetVisible(visible);
}

void RedrawControl(TWinControl* AControl, bool AChildren, bool ANow) {
  if (!AControl || !AControl->HandleAllocated() || !IsWindowVisible(AControl->GetHandle())) return;
  UINT flags = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME;
  if (AChildren) flags |= RDW_ALLCHILDREN;
  if (ANow) flags |= RDW_ERASENOW | RDW_UPDATENOW;
  RedrawWindow(AControl->GetHandle(), nullptr, nullptr, flags);
  if (!ANow) AControl->Update();
}

void SelectFirstInBar(TqzBarAccessibilityHelper* AHelper) {
  NavigationControllerInstance()->MoveSelection(false, BarHelperRef(AHelper->FirstSelectableDescendant()));
}

TRect MonitorWorkAreaOf(HWND AWnd) {
  HMONITOR monitor;
  if (AWnd) {
    monitor = MonitorFromWindow(AWnd, MONITOR_DEFAULTTONEAREST);
  } else {
    POINT p;
    GetCursorPos(&p);
    monitor = MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST);
  }
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (monitor && GetMonitorInfo(monitor, &info)) return info.rcWork;
  TRect desktop;
  GetWindowRect(GetDesktopWindow(), &desktop);
  return desktop;
}
