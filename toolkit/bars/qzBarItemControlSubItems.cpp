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
  // The menu closed itself (a click that ran an item, Esc, a click elsewhere): the program hears
  // of it as when the entry closes it.
  if (auto* item = dynamic_cast<TCustomqzBarSubItem*>(GetItem())) item->FireCloseUp();
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
  Integer ownerWidth = 0;
  Integer ownerHeight = 0;
  GetSubMenuPosition(at, ownerWidth, ownerHeight);
  menu->SetOpenerExtents(ownerWidth, ownerHeight);
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

void TqzBarSubItemControl::GetSubMenuPosition(TPoint& APoint, Integer& AOwnerWidth, Integer& AOwnerHeight) {
  TCustomqzBarControl* parent = GetParent();
  TRect r = GetItemRect();
  if (GetPaintType() == qzPaintMenu || parent->IsVertical()) {
    // Beside the entry, level with it (a menu's frame moves it up by the frame's width).
    Integer frame = GetPaintType() == qzPaintMenu ? Painter()->ClassRef()->MenuFrameWidth() : 0;
    APoint = TPoint(r.Right, r.Top - frame);
    AOwnerWidth = r.Width();
    AOwnerHeight = 0;
  } else {
    APoint = TPoint(r.Left, r.Bottom);
    AOwnerWidth = 0;
    AOwnerHeight = r.Height();
  }
  APoint = parent->ClientToScreen(APoint);
}

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

void TqzBarSubItemControl::Activate(bool AByMouse) {
  if (CanOpen()) inherited::Activate(AByMouse);
}

void TqzBarSubItemControl::Deactivate(bool AFlag) {
  if (CanOpen()) inherited::Deactivate(AFlag);
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
  params->MainMenuLook = IsInMainMenu();
}

bool TqzBarSubItemControl::IsInMainMenu() { return GetParent() && GetParent()->IsMainMenu(); }

TqzBarItemViewLevels TqzBarSubItemControl::GetPossibleViewLevels() {
  TqzBarItemViewLevels levels = inherited::GetPossibleViewLevels();
  levels.Include(ivlLargeIconWithText);
  return levels;
}

Byte TqzBarSubItemControl::GetContentKind() {
  if (GetPaintType() == qzPaintMenu) return qzContentIcon | qzContentText;
  TqzBarItem* item = GetItem();
  Byte parts = item && item->GetShowCaption() ? qzContentText : 0;
  if (!parts || HasImage(GetViewSize())) parts |= qzContentIcon;
  return parts;
}

namespace {

// The menu arrow's size; the arrow takes the last three of it at a menu item's right end.
Integer MenuArrowSizeOf(TqzBarItemControl* AControl) {
  return AControl->GetParent() ? AControl->GetParent()->GetMenuArrowHeight() : 4;
}

}  // namespace

Integer TqzBarSubItemControl::TextIndent() { return Painter()->ClassRef()->SubItemTextIndent(this); }

Integer TqzBarSubItemControl::TextPartWidth() {
  Integer width = inherited::TextPartWidth();
  Painter()->AddButtonExtraWidth(GetDrawParams(), width);
  return width;
}

Integer TqzBarSubItemControl::ExtraWidth() {
  return GetPaintType() == qzPaintMenu ? 3 * MenuArrowSizeOf(this) : 0;
}

void TqzBarSubItemControl::DrawInRect(const TRect& R, Byte AState) {
  ButtonParams()->OpenLook = GetSubMenu() != nullptr;
  // The painter's button drawing ends with the arrow that tells a sub-menu.
  TqzBarButtonLikeControl::DrawInRect(R, AState);
}

// ---- Container items -----------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TContainerItemSubMenuControl)
TAVREN_CLASS_IMPL(TqzBarContainerItemControl)

TContainerItemSubMenuControl::~TContainerItemSubMenuControl() {
  // The generated links go before the menu's own close-up; the item makes them anew next time.
  if (!FContainerItem) return;
  TCustomqzBarContainerItem* item = FContainerItem;
  FContainerItem = nullptr;
  item->RemoveFreeNotification(this);
  item->CollapseLinksFrom(item->GetItemLinks(), 0);
  item->MarkGeneratedItemsStale();
}

void TContainerItemSubMenuControl::ShowContainer(TCustomqzBarContainerItem* AItem, TqzBarItemLink* AContainerLink) {
  FContainerItem = AItem;
  AItem->FreeNotification(this);
  AItem->ExpandLinksInto(AItem->GetItemLinks(), 0, AContainerLink, true);
}

void TContainerItemSubMenuControl::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FContainerItem) FContainerItem = nullptr;
}

bool TqzBarContainerItemControl::IsDrawnSelected() {
  return inherited::IsDrawnSelected() && !(GetParent() && GetParent()->IsCustomizing());
}

String TqzBarContainerItemControl::GetCaption() {
  String caption = inherited::GetCaption();
  auto* item = dynamic_cast<TCustomqzBarContainerItem*>(GetItem());
  if (GetPaintType() == qzPaintMenu && item && item->ReplacesOwnLink()) return "(" + caption + ")";
  return caption;
}

void TqzBarContainerItemControl::DrawInRect(const TRect& R, Byte AState) {
  if (AState != qzPaintMenu) {
    inherited::DrawInRect(R, AState);
    return;
  }
  // An entry that stands for links, not a menu of its own: no arrow.
  TqzBarButtonLikeControlDrawParams* params = ButtonParams();
  const bool dropDown = params->HasDropDownPart;
  params->HasDropDownPart = false;
  Painter()->DrawButtonItem(params, R);
  params->HasDropDownPart = dropDown;
}

bool TqzBarContainerItemControl::IsExpandable() {
  TqzBarManager* manager = GetBarManager();
  return inherited::IsExpandable() && !(manager && manager->IsCustomizingOrDesigning());
}

TqzBarSubMenuControl* TqzBarContainerItemControl::CreateSubMenu() {
  TqzBarManager* manager = GetBarManager();
  auto* item = dynamic_cast<TCustomqzBarContainerItem*>(GetItem());
  if (!manager || !item || manager->IsCustomizingOrDesigning()) return nullptr;
  auto* menu = new TContainerItemSubMenuControl(manager);
  menu->ShowContainer(item, GetLink());
  return menu;
}
