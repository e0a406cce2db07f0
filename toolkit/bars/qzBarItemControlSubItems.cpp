// The sub-item control: opening its menu next to the entry, toggling it by press, closing it with
// the control, and the arrow that marks a sub-menu inside a menu.

#include "toolkit/bars/qzBarItemControlSubItems.h"

#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "user/Messages.h"

TAVREN_CLASS_IMPL(TqzBarSubItemControl)
TAVREN_CLASS_IMPL(TqzBarInPlaceSubItemControlDrawParams)

TqzBarSubItemControl::~TqzBarSubItemControl() { CloseSubMenu(); }

TqzBarSubMenuControl* TqzBarSubItemControl::GetSubMenu() const {
  return IsBarControlLive(FSubMenu) ? FSubMenu : nullptr;
}

void TqzBarSubItemControl::SubMenuClosed(TObject* Sender) {
  if (Sender == FSubMenu) FSubMenu = nullptr;
  TqzBarItemControl::Deactivate(false);
  Repaint();
}

void TqzBarSubItemControl::OpenSubMenu(bool) {
  TCustomqzBarControl* parent = GetParent();
  auto* item = dynamic_cast<TCustomqzBarSubItem*>(GetItem());
  if (!parent || !item || GetSubMenu() || !parent->HandleAllocated()) return;
  // An entry opened without being selected (a key tip, the program) is selected first, its window
  // taking the keyboard: it shows lit as the opener of its menu, and the menu joins the chain
  // after it. Selecting forgets the wish to roll the menu out; it is kept.
  if (parent->GetSelectedControl() != this) {
    const bool animate = GetAnimateNextOpen();
    TkvObjectLink* self = LinkToObject(this);
    parent->SelectControlFocused(this);
    const bool alive = self->Ref != nullptr && IsBarControlLive(parent);
    ReleaseObjectLink(self);
    if (!alive || GetSubMenu()) return;
    SetAnimateNextOpen(animate);
  }
  // Another menu of the same window closes first.
  if (auto* other = dynamic_cast<TqzBarSubMenuControl*>(parent->GetOpenedBar())) other->Dismiss();
  TqzBarSubMenuControl* menu = CreateSubMenu();
  if (!menu) return;
  FSubMenu = menu;
  menu->SetOpenerControl(this);
  menu->SetOpenerBar(parent);
  menu->SetOnCloseUp(MakeEvent<&TqzBarSubItemControl::SubMenuClosed>(this));
  menu->SetItemLinks(item->GetItemLinks());
  TRect r = GetItemRect();
  TPoint topLeft = parent->ClientToScreen(TPoint(r.Left, r.Top));
  TPoint bottomRight = parent->ClientToScreen(TPoint(r.Right, r.Bottom));
  menu->SetOwnerBounds(TRect(topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y), parent);
  TPoint at;
  if (GetPaintType() == qzPaintMenu || parent->IsVertical()) {
    // Beside the entry, level with it (a menu's frame moves it up by the frame's width).
    Integer frame = GetPaintType() == qzPaintMenu ? Painter()->ClassRef()->MenuFrameWidth() : 0;
    menu->SetOpenerExtents(r.Width(), 0);
    at = TPoint(bottomRight.X, topLeft.Y - frame);
  } else {
    menu->SetOpenerExtents(0, r.Height());
    at = TPoint(topLeft.X, bottomRight.Y);
  }
  TqzBarItemControl::Activate(false);
  // A click or a key rolls the menu out; hovering opens it at once.
  menu->SetAnimateOnShow(GetAnimateNextOpen());
  SetAnimateNextOpen(false);
  item->FirePopup();
  TkvObjectLink* self = LinkToObject(this);
  menu->Popup(at);
  if (self->Ref && GetSubMenu()) Repaint();
  ReleaseObjectLink(self);
}

TqzBarSubMenuControl* TqzBarSubItemControl::CreateSubMenu() { return new TqzBarSubMenuControl(GetBarManager()); }

void TqzBarSubItemControl::CloseSubMenu() {
  TqzBarSubMenuControl* menu = GetSubMenu();
  FSubMenu = nullptr;
  if (menu) {
    menu->SetOnCloseUp(TNotifyEvent());
    menu->Dismiss();
    if (auto* item = dynamic_cast<TCustomqzBarSubItem*>(GetItem())) item->FireCloseUp();
  }
  TqzBarItemControl::Deactivate(false);
}

void TqzBarSubItemControl::UserActivate(bool AByMouse) {
  if (!IsEnabled()) return;
  if (GetSubMenu()) {
    // A press on the entry of an open menu closes it (not inside a menu: there it stays).
    if (GetPaintType() != qzPaintMenu) {
      CloseSubMenu();
      Repaint();
    }
    return;
  }
  OpenSubMenu(AByMouse);
}

void TqzBarSubItemControl::ActivateByKey(bool AFlag) {
  TqzBarButtonLikeControl::ActivateByKey(AFlag);
  PressAt(mbLeft, TShiftState());
}

void TqzBarSubItemControl::CloseUp(bool AClose) {
  if (AClose) CloseSubMenu();
  TqzBarButtonLikeControl::CloseUp(AClose);
}

bool TqzBarSubItemControl::WantsKey(Word AKey) {
  return (AKey == VK_RIGHT && GetPaintType() == qzPaintMenu) || AKey == VK_RETURN ||
         (AKey == VK_DOWN && GetPaintType() == qzPaintHorizontal);
}

void TqzBarSubItemControl::KeyDown(Word& AKey, TShiftState) {
  if (!WantsKey(AKey) || !IsEnabled()) return;
  AKey = 0;
  OpenSubMenuByKey();
}

void TqzBarSubItemControl::OpenSubMenuByKey() {
  OpenSubMenu(false);
  if (TqzBarSubMenuControl* menu = GetSubMenu()) {
    TqzBarItemLinks* links = menu->GetItemLinks();
    TqzBarItemLink* first = links ? links->FirstSelectableLink() : nullptr;
    if (first && first->GetControl() && menu->SelectsFirstOnKeyboardOpen()) menu->SetSelectedControl(first->GetControl());
  }
}

void TqzBarSubItemControl::FillDrawParams(bool ARefresh) {
  TqzBarButtonLikeControl::FillDrawParams(ARefresh);
  if (!ARefresh) return;
  TqzBarButtonLikeControlDrawParams* params = ButtonParams();
  bool open = IsDroppedDown();
  params->PressedLook = open && GetHotPart() != qzNoHotPart && IsPressedUnderMouse();
  params->PushedLook = open;
  params->DropDownOpen = open;
  params->MainMenuLook = GetParent() && GetParent()->IsMainMenu();
}

Byte TqzBarSubItemControl::GetContentKind() {
  if (GetPaintType() == qzPaintMenu) return qzContentIcon | qzContentText;
  return HasImage(GetViewSize()) ? qzContentIcon : qzContentText;
}

namespace {

// The menu arrow's size; the arrow takes the last three of it at a menu item's right end.
Integer MenuArrowSizeOf(TqzBarItemControl* AControl) {
  return AControl->GetParent() ? AControl->GetParent()->GetMenuArrowHeight() : 4;
}

}  // namespace

Integer TqzBarSubItemControl::ExtraWidth() {
  return GetPaintType() == qzPaintMenu ? 3 * MenuArrowSizeOf(this) : 0;
}

void TqzBarSubItemControl::DrawInRect(const TRect& R, Byte AState) {
  ButtonParams()->OpenLook = GetSubMenu() != nullptr;
  // The painter's button drawing ends with the arrow that tells a sub-menu.
  TqzBarButtonLikeControl::DrawInRect(R, AState);
}
