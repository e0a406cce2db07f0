// Button controls: the button-like base and the control of a TqzBarButton link.

#include "toolkit/bars/qzBarItemControlButtons.h"

#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarPopupMenu.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "vcl/Menus.h"

TAVREN_CLASS_IMPL(TqzBarButtonLikeControlDrawParams)
TAVREN_CLASS_IMPL(TqzBarButtonLikeControl)
TAVREN_CLASS_IMPL(TqzBarButtonControl)
TAVREN_CLASS_IMPL(TqzBarApplicationMenuButtonControlDrawParams)
TAVREN_CLASS_IMPL(TqzBarApplicationMenuButtonControl)

// ---- Button-like -------------------------------------------------------------------------------

namespace {

// The one control of the program whose drop-down waits to open, and the one whose drop-down
// waits to close, with their thread timers.
constexpr UINT kDropDownDelay = 400;
TqzBarButtonLikeControl* gPendingOpen = nullptr;
UINT_PTR gOpenTimer = 0;
TqzBarButtonLikeControl* gPendingClose = nullptr;
UINT_PTR gCloseTimer = 0;

void CancelPendingOpen() {
  if (gOpenTimer) KillTimer(nullptr, gOpenTimer);
  gOpenTimer = 0;
  gPendingOpen = nullptr;
}

void CancelPendingClose() {
  if (gCloseTimer) KillTimer(nullptr, gCloseTimer);
  gCloseTimer = 0;
  gPendingClose = nullptr;
}

// The wait ends before the control runs, so a control that waits again from there keeps its
// new timer.
void OpenTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  TqzBarButtonLikeControl* control = gPendingOpen;
  CancelPendingOpen();
  if (control) control->Activate(true);
}

void CloseTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  TqzBarButtonLikeControl* control = gPendingClose;
  CancelPendingClose();
  if (control) control->Deactivate(true);
}

}  // namespace

TqzBarButtonLikeControl::~TqzBarButtonLikeControl() {
  if (gPendingOpen == this) CancelPendingOpen();
  if (gPendingClose == this) CancelPendingClose();
}

void TqzBarButtonLikeControl::Activate(bool AByMouse) {
  if (IsDroppedDown()) {
    // Back on its control before the wait ran out: the drop-down stays.
    if (gPendingOpen == this) CancelPendingOpen();
    if (gPendingClose == this) CancelPendingClose();
    return;
  }
  inherited::Activate(AByMouse);
  if (!HasDropDown() || !IsActionable()) return;
  bool openNow = AByMouse;
  TCustomqzBarControl* parent = GetParent();
  if (parent && parent->BarKind() == 0) {
    if (!parent->IsCustomizing() && !parent->GetKeptDown()) return;
    openNow = true;
  }
  TqzBarManager* manager = GetBarManager();
  if (openNow || (manager && manager->IsCustomizingOrDesigning())) {
    if (TqzBarButtonLikeControl* closing = gPendingClose) {
      CancelPendingClose();
      TkvObjectLink* self = LinkToObject(this);
      closing->Deactivate(true);
      const bool alive = self->Ref != nullptr;
      ReleaseObjectLink(self);
      if (!alive) return;
    }
    OpenDropDown(true);
    return;
  }
  if (gPendingClose == this) CancelPendingClose();
  CancelPendingOpen();
  gPendingOpen = this;
  gOpenTimer = SetTimer(nullptr, 0, kDropDownDelay, OpenTimerProc);
}

void TqzBarButtonLikeControl::Deactivate(bool AFlag) {
  TCustomqzBarControl* parent = GetParent();
  TqzBarManager* manager = GetBarManager();
  if (AFlag || !parent || parent->BarKind() == 0 || parent->IsDestroying() ||
      (manager && manager->IsCustomizingOrDesigning())) {
    inherited::Deactivate(AFlag);
    CloseUp(GetDropDownWindow() != nullptr);
    return;
  }
  if (gPendingOpen == this) CancelPendingOpen();
  if (IsDroppedDown()) {
    CancelPendingClose();
    gPendingClose = this;
    gCloseTimer = SetTimer(nullptr, 0, kDropDownDelay, CloseTimerProc);
  }
}

void TqzBarButtonLikeControl::CloseUp(bool AClose) {
  if (gPendingOpen == this) CancelPendingOpen();
  if (gPendingClose == this) CancelPendingClose();
  if (AClose)
    if (TqzBarSubMenuControl* window = GetDropDownWindow()) window->Dismiss();
  Repaint();
}

TClassOf<TqzBarItemControlDrawParams> TqzBarButtonLikeControl::DrawParamsClass() {
  return TqzBarButtonLikeControlDrawParams::ClassInfo();
}

void TqzBarButtonLikeControl::FillDrawParams(bool ARefresh) {
  inherited::FillDrawParams(ARefresh);
  TqzBarButtonLikeControlDrawParams* params = ButtonParams();
  if (ARefresh) {
    params->GroupPositionCopy = GetViewInfo() ? GetViewInfo()->GetActualGroupPlace() : 0;
    params->HotLookB = LookFlagB();
    params->HotLookA = LookFlagA();
    params->GrayGlyphLook = DrawsGlyphGray();
  }
  params->ButtonSize = TSize(GetDropArrowWidth(), GetParent() ? GetParent()->GetMenuArrowHeight() : 4);
}

void TqzBarButtonLikeControl::DrawInRect(const TRect& R, Byte) { Painter()->DrawButtonItem(GetDrawParams(), R); }

// A second press on a button whose drop-down is open closes it.
void TqzBarButtonLikeControl::SelectInBar(bool ASelected, bool& AHandled) {
  if (!ASelected) {
    inherited::SelectInBar(ASelected, AHandled);
    return;
  }
  TCustomqzBarControl* parent = GetParent();
  if (!parent || !parent->GetKeptDown() || !IsDroppedDown()) return;
  // The press is spent on closing: it opens nothing again.
  AHandled = true;
  parent->ClearSelection();
}

Integer TqzBarButtonLikeControl::GetDropArrowWidth() {
  if (auto* menu = dynamic_cast<TqzBarSubMenuControl*>(GetParent())) return menu->GetButtonArrowWidth();
  return Painter()->SplitArrowWidth(GetBarManager());
}

bool TqzBarButtonLikeControl::IsActionable() {
  TqzBarManager* manager = GetBarManager();
  return IsEnabled() || (manager && manager->IsDesigning());
}

void TqzBarButtonLikeControl::ActivateByKey(bool) {
  if (GetParent()) GetParent()->SetKeptDown(true);
}

bool TqzBarButtonLikeControl::LookFlagA() { return Painter()->ClassRef()->ArrowUsesTextColor(GetDrawParams()); }

bool TqzBarButtonLikeControl::LookFlagB() { return Painter()->ButtonItemHeightExtra(this) != 0; }

// ---- Button ------------------------------------------------------------------------------------

TqzBarButton* TqzBarButtonControl::GetButton() const { return dynamic_cast<TqzBarButton*>(GetItem()); }

TqzBarPaintStyle TqzBarButtonControl::GetPaintStyle() {
  TqzBarPaintStyle style = GetLink() ? GetLink()->GetPaintStyle() : psStandard;
  if (style == psStandard && GetParent() && GetParent()->BarKind() == 0) AdjustPaintStyle(style);
  return style;
}

void TqzBarButtonControl::AdjustPaintStyle(TqzBarPaintStyle& AStyle) {
  if (!HasImage(GetViewSize())) AStyle = psCaption;
}

TqzBarButtonControl::~TqzBarButtonControl() {
  if (TqzBarSubMenuControl* window = FDroppedDown ? GetDropDownWindow() : nullptr) {
    window->SetOpenerControl(nullptr);
    window->Dismiss();
  }
}

TqzBarSubMenuControl* TqzBarButtonControl::GetDropDownWindow() const {
  TqzBarButton* button = GetButton();
  TqzBarSubMenuControl* window = button && button->GetDropDownMenu() ? button->GetDropDownMenu()->GetMenuControl() : nullptr;
  return window && window->GetOpenerControl() == this ? window : nullptr;
}

void TqzBarButtonControl::DropDownMenu(bool AByMouse) {
  TqzBarButton* button = GetButton();
  TCustomqzBarControl* parent = GetParent();
  if (IsDroppedDown() || !IsEnabled() || !button || !button->GetDropDownEnabled() || !button->GetDropDownMenu() ||
      !parent || !parent->HandleAllocated())
    return;
  FDroppedDown = true;
  // The window takes the keyboard with this control selected, however the drop-down was asked for
  // (a press has done so already): the menu then hangs in the active chain from its opener.
  TkvObjectLink* self = LinkToObject(this);
  parent->SelectControlFocused(this);
  bool alive = self->Ref != nullptr;
  if (!alive || !IsBarControlLive(parent)) {
    ReleaseObjectLink(self);
    return;
  }
  Repaint();
  TRect r = GetItemRect();
  TPoint at(r.Left, r.Bottom);
  if (GetPaintType() == qzPaintMenu)
    at = TPoint(r.Right, r.Top - Painter()->ClassRef()->MenuFrameWidth());
  else if (parent->IsVertical())
    at = TPoint(r.Right, r.Top);
  at = parent->ClientToScreen(at);
  button->DropDown(this, at.X, at.Y, AByMouse);
  alive = self->Ref != nullptr;
  ReleaseObjectLink(self);
  if (!alive) return;
  // The menu may refuse to open (it is open elsewhere already).
  if (!GetDropDownWindow()) FDroppedDown = false;
  Repaint();
}

void TqzBarButtonControl::DropDownClosed() {
  FDroppedDown = false;
  Repaint();
}

void TqzBarButtonControl::CloseUp(bool AClose) {
  inherited::CloseUp(AClose);
  FDroppedDown = false;
}

void TqzBarButtonControl::ActivateByKey(bool AFlag) {
  inherited::ActivateByKey(AFlag);
  DropDownMenu(false);
}

bool TqzBarButtonControl::WantsKey(Word AKey) {
  if (!HasDropDown()) return false;
  return GetPaintType() == qzPaintMenu ? AKey == VK_RIGHT : AKey == VK_UP || AKey == VK_DOWN;
}

void TqzBarButtonControl::KeyDown(Word& AKey, TShiftState) {
  if (!WantsKey(AKey) || !IsEnabled()) return;
  AKey = 0;
  ActivateByKey(false);
}

void TqzBarButtonControl::SelectInBar(bool ASelected, bool& AHandled) {
  TCustomqzBarControl* parent = GetParent();
  if (ASelected && parent && parent->GetKeptDown() && IsDroppedDown() && GetHotPart() == 0) {
    if (parent->KindFlags() & qzKindSplitPressClears) parent->ClearSelection();
    parent->SetSelectedControl(this);
    return;
  }
  inherited::SelectInBar(ASelected, AHandled);
}

void TqzBarButtonControl::UserActivate(bool AByMouse) {
  TCustomqzBarControl* parent = GetParent();
  bool toolbar = parent && parent->BarKind() == 0;
  if (toolbar && !parent->GetKeptDown()) return;
  // A press on the arrow part opens the drop-down at once.
  if (HasDropDown() && AByMouse && GetHotPart() == 1) {
    DropDownMenu(true);
    return;
  }
  if (toolbar || HasDropDown()) Repaint();
}

void TqzBarButtonControl::DoClick() {
  // A click on the arrow part of a split button, or outside the parts, runs nothing.
  if (GetHotPart() != 0 && GetHotPart() != qzNoHotPart) return;
  // The check styles' Down toggles in the item's own click, which the inherited click runs.
  Deactivate(true);
  inherited::DoClick();
}

bool TqzBarButtonControl::IsDrawnSelected() {
  return (IsSelected() && !(GetParent() && GetParent()->IsCustomizing())) || GetClickState();
}

Byte TqzBarButtonControl::GetViewStructure() {
  if (GetViewInfo() && GetViewInfo()->GetViewLevel() == ivlSmallIcon) return qzContentIcon;
  return inherited::GetViewStructure();
}

Byte TqzBarButtonControl::GetContentKind() {
  bool menu = GetPaintType() == qzPaintMenu;
  switch (GetPaintStyle()) {
    case psStandard:
      if (menu) return qzContentIcon | qzContentText;
      return HasImage(GetViewSize()) ? qzContentIcon : qzContentText;
    case psCaption:
      return qzContentText;
    case psCaptionInMenu:
      return menu ? qzContentText : qzContentIcon;
    default:
      return qzContentIcon | qzContentText;
  }
}

Integer TqzBarButtonControl::GetPartCount() { return GetDrawParams()->HasDropDownPart ? 2 : 1; }

void TqzBarButtonControl::FillDrawParams(bool ARefresh) {
  inherited::FillDrawParams(ARefresh);
  if (!ARefresh) return;
  TqzBarButtonLikeControlDrawParams* params = ButtonParams();
  TqzBarButton* button = GetButton();
  params->ShortCutText = ShortCutOf() ? ShortCutToText(ShortCutOf()) : String();
  bool check = button && (button->GetButtonStyle() == bsChecked || button->GetButtonStyle() == bsCheckedDropDown);
  params->PressedLook =
      (IsDrawnSelected() && IsPressedUnderMouse() && GetHotPart() == 0) || (GetClickState() && !check);
  params->DownLook = button && button->GetDown();
  params->PushedLook = params->PressedLook;
  params->DropDownOpen = IsDroppedDown();
  params->OpenLook = Painter()->ClassRef()->IsFlat() && IsDroppedDown();
  params->ButtonLook = true;
  params->DropDownEnabledLook = button && button->GetDropDownEnabled();
  params->SpecialLookCopy = false;
  params->LoweredLook = button && button->GetLowered();
}

void TqzBarButtonControl::CalcPartRects() {
  inherited::CalcPartRects();
  std::vector<TRect> parts = GetPartRects();
  Painter()->CalcButtonPartRects(GetDrawParams(), GetItemRect(), parts);
  SetPartRects(parts);
}

Integer TqzBarButtonControl::GetHeight() {
  Integer h = inherited::GetHeight();
  TqzBarButton* button = GetButton();
  if (button && button->GetLowered()) h += 2 * Painter()->ClassRef()->ButtonBorderWidth(this);
  return h;
}

Integer TqzBarButtonControl::GetWidth() {
  Integer w = inherited::GetWidth();
  Painter()->AddButtonExtraWidth(GetDrawParams(), w);
  TqzBarButton* button = GetButton();
  if (button && button->GetLowered()) w += 2 * Painter()->ClassRef()->ButtonBorderWidth(this);
  return w;
}

Integer TqzBarButtonControl::NormalHeight() {
  Integer h = inherited::NormalHeight();
  if (GetDrawParams()->ContentParts & qzContentText) h = std::max(h, RotatedExtent().cy);
  return h;
}

bool TqzBarButtonControl::CountsUse() {
  TqzBarButton* button = GetButton();
  return (GetParent() && GetParent()->BarKind() == 0) || (button && button->GetCloseSubMenuOnClick());
}

bool TqzBarButtonControl::HasDropDown() {
  TqzBarButton* button = GetButton();
  return button && (button->GetButtonStyle() == bsDropDown || button->GetButtonStyle() == bsCheckedDropDown);
}

bool TqzBarButtonControl::LookFlagA() { return !LookFlagB() || inherited::LookFlagA(); }

bool TqzBarButtonControl::LookFlagB() {
  TqzBarPainterClass painter = Painter()->ClassRef();
  if (!painter->IsFlat()) return false;
  TqzBarButton* button = GetButton();
  bool pressed = ButtonParams()->PressedLook;
  bool down = button && button->GetDown();
  bool selected = IsDrawnSelected();
  if ((pressed || (down && selected)) && painter->ButtonHotTracks()) return true;
  return (pressed || down || selected) && inherited::LookFlagB();
}

bool TqzBarButtonControl::CapturesMouseOnPress() {
  return !IsDroppedDown() && GetParent() && GetParent()->BarKind() == 0;
}

// ---- Application menu buttons ----------------------------------------------------------------------

void TqzBarApplicationMenuButtonControl::InvalidateParent() {
  if (GetParent() && GetParent()->HandleAllocated()) GetParent()->Invalidate();
}

Byte TqzBarApplicationMenuButtonControl::GetContentKind() {
  return HasImage(GetViewSize()) ? qzContentIcon | qzContentText : qzContentText;
}

TClassOf<TqzBarItemControlDrawParams> TqzBarApplicationMenuButtonControl::DrawParamsClass() {
  return TqzBarApplicationMenuButtonControlDrawParams::ClassInfo();
}

void TqzBarApplicationMenuButtonControl::FillDrawParams(bool ARefresh) {
  inherited::FillDrawParams(ARefresh);
  if (ARefresh)
    static_cast<TqzBarApplicationMenuButtonControlDrawParams*>(GetDrawParams())->NaturalWidth =
        TqzBarButtonLikeControl::GetLengthInBar();
}

void TqzBarApplicationMenuButtonControl::DrawInRect(const TRect& R, Byte) {
  Painter()->DrawAppMenuExtra(GetDrawParams(), R);
}

Integer TqzBarApplicationMenuButtonControl::GetLengthInBar() {
  Integer width = GetItem() ? GetItem()->GetWidth() : 0;
  return width != 0 ? width : TqzBarButtonLikeControl::GetLengthInBar();
}
