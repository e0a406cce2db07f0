// The ribbon's input: hot tracking, presses and clicks on its elements, holding a scroll button
// (one long step, then short repeats while the mouse stays on it), the wheel, and hints.

#include "toolkit/ribbon/qzRibbonController.h"

#include "toolkit/ribbon/qzRibbon.h"
#include "toolkit/ribbon/qzRibbonGroupsDock.h"
#include "toolkit/ribbon/qzRibbonMenus.h"
#include "toolkit/ribbon/qzRibbonStrs.h"
#include "toolkit/ribbon/qzRibbonTabGroupsPopup.h"
#include "user/Cursors.h"
#include "user/Input.h"
#include "user/Rects.h"
#include "vcl/Forms.h"

TAVREN_CLASS_IMPL(TqzRibbonController)

namespace {

constexpr Integer kFirstScrollDelay = 400;
constexpr Integer kScrollRepeatDelay = 20;
constexpr Integer kTabScrollFirstStep = 14;
constexpr Integer kTabScrollRepeatStep = 3;

bool IsScrollKind(TqzRibbonHitKind AKind) { return AKind >= rhkTabScrollLeft && AKind <= rhkGroupsScrollRight; }

}  // namespace

TqzRibbonController::TqzRibbonController(TqzCustomRibbon* ARibbon)
    : FRibbon(ARibbon), FScrollTimer(std::make_unique<TTimer>(nullptr)) {
  FScrollTimer->SetEnabled(false);
  FScrollTimer->SetOnTimer(MakeEvent<&TqzRibbonController::ScrollTimerTick>(this));
}

TqzRibbonController::~TqzRibbonController() = default;

HRESULT TqzRibbonController::QueryInterface(const TInterfaceId& IID, void** Obj) {
  return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
}

// ---- Hints -----------------------------------------------------------------------------------

bool TqzRibbonController::CanHaveHint(TqzRibbonHitKind AKind) {
  return AKind == rhkTab || AKind == rhkApplicationButton || AKind >= rhkHelpButton;
}

bool TqzRibbonController::HasHint(TqzRibbonHitKind AKind) {
  if (!CanHaveHint(AKind)) return false;
  switch (AKind) {
    case rhkTab: return FRibbon->GetViewInfo()->GetTabsViewInfo()->GetTruncated() && FHintTab;
    case rhkApplicationButton:
      return FRibbon->GetApplicationButton()->GetScreenTip() && !FRibbon->IsApplicationMenuOpen();
    case rhkHelpButton: return FRibbon->GetHelpButtonScreenTip() != nullptr;
    default: return true;
  }
}

bool TqzRibbonController::GetHintTexts(bool& AFlag, String& AHint, String& AShortCut) {
  AFlag = false;
  AHint.clear();
  AShortCut.clear();
  if (!HasHint(FHintElement)) return false;
  auto firstBand = [](TqzBarScreenTip* ATip) { return ATip ? ATip->GetHeader()->GetText() : String(); };
  switch (FHintElement) {
    case rhkTab: AHint = FHintTab->GetCaption(); break;
    case rhkApplicationButton: AHint = firstBand(FRibbon->GetApplicationButton()->GetScreenTip()); break;
    case rhkHelpButton: AHint = firstBand(FRibbon->GetHelpButtonScreenTip()); break;
    case rhkMDIMinimize: AHint = ResourceStringText(sqzRibbonMinimizeWindow); break;
    case rhkMDIRestore: AHint = ResourceStringText(sqzRibbonRestoreWindow); break;
    case rhkMDIClose: AHint = ResourceStringText(sqzRibbonCloseWindow); break;
    default: break;
  }
  return true;
}

// A plain hint: the screen tips of the application and help buttons show their first band.
TqzBarCustomHintViewInfo* TqzRibbonController::CreateHintViewInfo(const String& AHint, const String& AShortCut) {
  TPoint cursor;
  GetCursorPos(&cursor);
  return new TqzBarHintViewInfo(FRibbon->IsBarManagerValid() ? FRibbon->GetBarManager() : nullptr, AHint, AShortCut,
                                cursor);
}

void TqzRibbonController::GetHintPosition(const TPoint& ACursorPos, Integer AWindowHeight, TPoint& APos) {
  if (FHintElement != rhkApplicationButton) {
    APos = TPoint(ACursorPos.X, ACursorPos.Y + 20);
    return;
  }
  const TRect& button = FRibbon->GetViewInfo()->GetApplicationButtonRect();
  APos = FRibbon->ClientToScreen(TPoint(button.Left, button.Bottom));
  const TRect work = MonitorWorkAreaOf(FRibbon->GetHandle());
  if (work.Bottom - APos.Y < AWindowHeight) {
    APos = FRibbon->ClientToScreen(TPoint(button.Left, 0));
    APos.Y -= AWindowHeight;
  }
}

void TqzRibbonController::UpdateHint(const TqzRibbonHitInfo& AHit) {
  if (FRibbon->IsLocked() || !FRibbon->IsBarManagerValid()) return;
  if (AHit.Kind == FHintElement && AHit.Tab == FHintTab) return;
  const TqzRibbonHitKind old = FHintElement;
  FHintElement = AHit.Kind;
  FHintTab = AHit.Kind == rhkTab ? AHit.Tab : nullptr;
  if (CanHaveHint(FHintElement))
    FRibbon->GetBarManager()->ActivateHint(true, "", this);
  else if (CanHaveHint(old))
    HideHint();
}

void TqzRibbonController::HideHint() {
  if (FRibbon->IsBarManagerValid()) FRibbon->GetBarManager()->HideHint();
}

void TqzRibbonController::DropHintElement() {
  FHintElement = rhkNone;
  FHintTab = nullptr;
  HideHint();
}

bool TqzRibbonController::IsTrackingBlocked() {
  if (!FRibbon->IsBarManagerValid() || FRibbon->IsDesignTime() || FScrollingElement != rhkNone) return true;
  return !IsControlFormActive(FRibbon);
}

// ---- Elements --------------------------------------------------------------------------------

void TqzRibbonController::InvalidateElement(TqzRibbonHitKind AKind) {
  if (!FRibbon->HandleAllocated()) return;
  TqzRibbonViewInfo* info = FRibbon->GetViewInfo();
  if (IsScrollKind(AKind)) {
    TRect row = info->GetTabsViewInfo()->GetBounds();
    InvalidateRect(FRibbon->GetHandle(), &row, false);
    FRibbon->GetGroupsSite()->GetViewInfo()->Invalidate();
  } else if (AKind >= rhkHelpButton) {
    TRect mdi{info->GetMDIButtonBounds(0).Left, info->GetMDIButtonBounds(0).Top, info->GetMDIButtonBounds(2).Right,
              info->GetMDIButtonBounds(2).Bottom};
    InvalidateRect(FRibbon->GetHandle(), &mdi, false);
    TRect help = info->GetHelpButtonBounds();
    InvalidateRect(FRibbon->GetHandle(), &help, false);
  }
}

void TqzRibbonController::SetHotElement(TqzRibbonHitKind AKind) {
  if (AKind == FHotElement) return;
  const TqzRibbonHitKind old = FHotElement;
  FHotElement = AKind;
  if (FRibbon->GetViewInfo()->IsApplicationButtonShown(false) && !FRibbon->IsApplicationMenuOpen())
    FRibbon->SetApplicationButtonState(0);
  InvalidateElement(old);
  InvalidateElement(AKind);
}

void TqzRibbonController::SetPressedElement(TqzRibbonHitKind AKind) {
  if (AKind == FPressedElement) return;
  const TqzRibbonHitKind old = FPressedElement;
  FPressedElement = AKind;
  if (AKind > rhkApplicationButton && FRibbon->HandleAllocated()) SetCapture(FRibbon->GetHandle());
  InvalidateElement(old);
  InvalidateElement(AKind);
}

// ---- Mouse -----------------------------------------------------------------------------------

void TqzRibbonController::MouseMove(TShiftState, Integer X, Integer Y) {
  const TqzRibbonHitInfo hit = FRibbon->GetViewInfo()->HitTest(X, Y);
  if (FRibbon->GetViewInfo()->IsApplicationButtonShown(false)) {
    if (FRibbon->IsApplicationMenuOpening() || FRibbon->IsApplicationMenuOpen())
      FRibbon->SetApplicationButtonState(2);
    else
      FRibbon->SetApplicationButtonState(hit.Kind == rhkApplicationButton ? 1 : 0);
  }
  if (IsTrackingBlocked()) return;
  FRibbon->SetHotObject(hit.Kind == rhkTab ? hit.Tab : nullptr);
  SetHotElement(hit.Kind);
  UpdateHint(hit);
}

void TqzRibbonController::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  HideHint();
  if (FRibbon->IsApplicationMenuOpen())
    if (TqzBarApplicationMenu* menu = FRibbon->GetApplicationButton()->GetMenu())
      if (TqzBarSubMenuControl* window = menu->GetMenuControl(); window && IsWindowVisible(window->GetHandle()))
        window->CloseOnce();
  const TqzRibbonHitInfo hit = FRibbon->GetViewInfo()->HitTest(X, Y);
  if (hit.Kind == rhkTab) {
    if (!FRibbon->IsDesignTime() && Shift.Contains(ssDouble) && hit.Tab == FRibbon->GetActiveTab())
      FRibbon->SetShowTabGroups(!FRibbon->GetShowTabGroups());
    else
      TabMouseDown(hit.Tab, Button, Shift);
  } else if (hit.Kind == rhkApplicationButton && Button == mbLeft) {
    if (Shift.Contains(ssDouble)) {
      if (TCustomForm* form = GetParentForm(FRibbon)) form->Close();
      return;
    }
    if (FRibbon->ShowApplicationMenu()) return;
  } else if (IsScrollKind(hit.Kind) && Button == mbLeft) {
    StartScrolling(hit.Kind);
  } else if (Button == mbRight && !FRibbon->IsDesignTime()) {
    // The tab row and a quick access strip below the ribbon offer the ribbon's context menu.
    TqzRibbonViewInfo* info = FRibbon->GetViewInfo();
    const POINT p{X, Y};
    const TRect tabs = info->GetTabsViewInfo()->GetBounds();
    const TRect quick = info->GetQuickAccessToolbarBounds();
    const bool quickBelow = FRibbon->IsQuickAccessToolbarValid() &&
                            FRibbon->GetQuickAccessToolbar()->GetPosition() == qtpBelowRibbon;
    if (PtInRect(&tabs, p) || (quickBelow && PtInRect(&quick, p))) FRibbon->ShowCustomizePopup();
  }
  if (Button == mbLeft) SetPressedElement(hit.Kind);
}

void TqzRibbonController::TabMouseDown(TqzRibbonTab* ATab, TMouseButton Button, TShiftState Shift) {
  if (FRibbon->IsDesignTime()) {
    if (FRibbon->IsBarManagerValid()) FRibbon->SetActiveTab(ATab);
    return;
  }
  if (Button == mbRight) {
    FRibbon->ShowCustomizePopup();
    return;
  }
  if (Button != mbLeft) return;
  FRibbon->SetActiveTab(ATab);
  // A press that has just closed the groups popup on this tab does not open it again.
  TqzRibbonTabGroupsPopupWindow* popup = FRibbon->GetTabGroupsPopup();
  const bool closedByThisPress = popup && popup->TakeOwnerClick();
  if (!Shift.Contains(ssDouble) && !FRibbon->GetShowTabGroups() && !closedByThisPress) FRibbon->ShowTabGroupsPopup();
}

void TqzRibbonController::MouseUp(TMouseButton Button, TShiftState, Integer X, Integer Y) {
  StopScrolling();
  if (Button != mbLeft) return;
  if (GetCapture() == FRibbon->GetHandle()) ReleaseCapture();
  if (FRibbon->GetViewInfo()->IsApplicationButtonShown(false)) FRibbon->SetApplicationMenuOpening(false);
  ClickAt(X, Y);
  SetPressedElement(rhkNone);
}

// The platform has no MDI children, so of the buttons a click reaches only the help button.
void TqzRibbonController::ClickAt(Integer X, Integer Y) {
  const TqzRibbonHitInfo hit = FRibbon->GetViewInfo()->HitTest(X, Y);
  if (hit.Kind != FPressedElement) return;
  if (hit.Kind == rhkHelpButton) FRibbon->DoHelpButtonClick();
}

void TqzRibbonController::MouseLeave() {
  if (CanHaveHint(FHintElement)) DropHintElement();
  FRibbon->SetHotObject(nullptr);
  SetHotElement(rhkNone);
}

void TqzRibbonController::CancelMode() {
  FRibbon->SetHotObject(nullptr);
  StopScrolling();
  DropHintElement();
}

void TqzRibbonController::KeyDown(Word&, TShiftState) { HideHint(); }

// ---- Scrolling -------------------------------------------------------------------------------

void TqzRibbonController::StartScrolling(TqzRibbonHitKind AKind) {
  if (!IsScrollKind(AKind)) return;
  FScrollingElement = AKind;
  FScrollTimer->SetInterval(kFirstScrollDelay);
  ScrollStep(false);
  FScrollTimer->SetEnabled(true);
}

void TqzRibbonController::ScrollTimerTick(TObject*) {
  FScrollTimer->SetInterval(kScrollRepeatDelay);
  TPoint p;
  GetCursorPos(&p);
  p = FRibbon->ScreenToClient(p);
  if (FRibbon->GetViewInfo()->HitTest(p.X, p.Y).Kind == FScrollingElement) ScrollStep(true);
}

// The groups scroll with the active tab's groups dock control, over the width the groups have.
void TqzRibbonController::ScrollStep(bool ARepeat) {
  DropHintElement();
  TqzRibbonTabsViewInfo* tabs = FRibbon->GetViewInfo()->GetTabsViewInfo();
  const Integer step = ARepeat ? kTabScrollRepeatStep : kTabScrollFirstStep;
  if (FScrollingElement == rhkTabScrollLeft) {
    tabs->SetScrollOffset(tabs->GetScrollOffset() - step);
  } else if (FScrollingElement == rhkTabScrollRight) {
    tabs->SetScrollOffset(tabs->GetScrollOffset() + step);
  } else if (TqzRibbonTab* active = FRibbon->GetActiveTab()) {
    TqzRibbonGroupsDockControl* dock = active->GetDockControl();
    dock->GetViewInfo()->ScrollStep(FScrollingElement == rhkGroupsScrollRight, dock->AvailableWidth());
  }
}

void TqzRibbonController::StopScrolling() {
  const TqzRibbonHitKind old = FScrollingElement;
  FScrollingElement = rhkNone;
  FScrollTimer->SetEnabled(false);
  if (old != rhkNone) InvalidateElement(old);
}

// ---- Wheel -----------------------------------------------------------------------------------

bool TqzRibbonController::ActivateNeighbourTab(Integer ADirection) {
  if (!FRibbon->CanSwitchTabsByWheel()) return false;
  TqzRibbonTab* active = FRibbon->GetActiveTab();
  const Integer count = FRibbon->VisibleTabCount();
  if (count == 0) return false;
  TqzRibbonTab* next;
  if (!active || !active->GetVisible())
    next = FRibbon->VisibleTab(ADirection > 0 ? 0 : count - 1);
  else
    next = FRibbon->VisibleTab(active->GetVisibleIndex() + ADirection);
  if (!next) return false;
  FRibbon->SetActiveTab(next);
  return true;
}

bool TqzRibbonController::WheelDown(TShiftState, const TPoint&) { return ActivateNeighbourTab(1); }

bool TqzRibbonController::WheelUp(TShiftState, const TPoint&) { return ActivateNeighbourTab(-1); }
