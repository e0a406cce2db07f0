// The ribbon's menus: popup menus of ribbon forms, the application menu and its opening by the
// ribbon.

#include "toolkit/ribbon/qzRibbonMenus.h"

#include "toolkit/ribbon/qzRibbon.h"
#include "user/Messages.h"
#include "user/Rects.h"
#include "user/WindowTree.h"

TAVREN_CLASS_IMPL(TqzRibbonPopupMenuControl)
TAVREN_CLASS_IMPL_PUBLISHED(TqzRibbonPopupMenu, PROPERTY(Ribbon))
TAVREN_CLASS_IMPL(TqzRibbonApplicationMenuControl)
TAVREN_CLASS_IMPL_PUBLISHED(TqzBarApplicationMenu,
    PROPERTY(BackgroundBitmap),
    PROPERTY(BarManager),
    PROPERTY(BarSize).Default(0),
    PROPERTY(Buttons),
    PROPERTY(ExtraPane),
    PROPERTY(ExtraPaneEvents),
    PROPERTY(Font).Stored<&TqzBarCustomPopupMenu::IsFontStored>(),
    PROPERTY(ItemLinks),
    PROPERTY(ItemOptions),
    PROPERTY(UseOwnFont),
    PROPERTY(OnCloseUp),
    PROPERTY(OnPaintBar),
    PROPERTY(OnPopup),
    PROPERTY(ExtraPaneWidthRatio).Stored(false),
    PROPERTY(ExtraPaneSize).Stored(false),
    PROPERTY(ExtraPaneItems).Stored(false),
    PROPERTY(ExtraPaneHeader).Stored(false),
    PROPERTY(OnExtraPaneItemClick).Stored(false))

TqzRibbonPopupMenu::~TqzRibbonPopupMenu() { SetRibbon(nullptr); }

TClassOf<TqzBarSubMenuControl> TqzRibbonPopupMenu::GetMenuControlClass() {
  return TqzRibbonPopupMenuControl::ClassInfo();
}

TqzBarSubMenuControl* TqzRibbonPopupMenu::CreateMenuControl() {
  TqzBarSubMenuControl* menu = inherited::CreateMenuControl();
  if (FRibbon) menu->SetOwnPainter(FRibbon->GetGroupsPainter());
  return menu;
}

void TqzRibbonPopupMenu::SetRibbon(TqzCustomRibbon* Value) {
  if (Value == FRibbon) return;
  if (FRibbon) FRibbon->RemoveFreeNotification(this);
  FRibbon = Value;
  if (FRibbon) FRibbon->FreeNotification(this);
}

void TqzRibbonPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FRibbon) FRibbon = nullptr;
}

// ---- Application menu ----------------------------------------------------------------------------

TClassOf<TqzBarSubMenuControl> TqzBarApplicationMenu::GetMenuControlClass() {
  return TqzRibbonApplicationMenuControl::ClassInfo();
}

void TqzRibbonApplicationMenuControl::WndProc(TMessage& Message) {
  if (Message.Msg == WM_NCHITTEST) {
    auto* ribbon = dynamic_cast<TqzCustomRibbon*>(OwnerControl());
    if (ribbon && ribbon->HandleAllocated()) {
      TRect button = ribbon->GetViewInfo()->GetApplicationButtonRect();
      TPoint topLeft = ribbon->ClientToScreen(TPoint(button.Left, button.Top));
      TRect onScreen(topLeft.X, topLeft.Y, topLeft.X + button.Width(), topLeft.Y + button.Height());
      POINT p{static_cast<int16_t>(LOWORD(Message.LParam)), static_cast<int16_t>(HIWORD(Message.LParam))};
      if (PtInRect(&onScreen, p)) {
        Message.Result = HTTRANSPARENT;
        return;
      }
    }
  }
  TqzBarApplicationMenuControl::WndProc(Message);
}

void TqzRibbonApplicationMenuControl::FillCustomizingPopup(TqzBarItemLinks* ALinks, TqzBarItemLink* ALink) {
  auto* ribbon = dynamic_cast<TqzCustomRibbon*>(OwnerControl());
  if (!ribbon) return;
  TqzRibbonPopupMenuItems items = ribbon->GetPopupMenuItems();
  if (!ribbon->IsQuickAccessToolbarValid() ||
      (IsCustomizing() && ALink && GetItemLinks() && GetItemLinks()->IndexOf(ALink) >= 0))
    items.Exclude(rpmiQATAddRemoveItem);
  ribbon->AddContextItems(ALinks, items, this);
}

// ---- Opening the application menu from the ribbon --------------------------------------------------

TqzBarSubMenuControl* TqzCustomRibbon::PrepareApplicationMenuControl(TqzBarSubMenuControl* AMenuControl) {
  AMenuControl->SetOwnPainter(FGroupsPainter.get());
  return FSavedMenuHook ? FSavedMenuHook(AMenuControl) : AMenuControl;
}

bool TqzCustomRibbon::ShowApplicationMenu() {
  if (IsApplicationMenuOpen()) return false;
  FApplicationMenuOpening = true;
  SetApplicationButtonState(2);
  bool handled = false;
  FOnApplicationMenuClick(this, handled);
  if (handled) return false;
  TqzBarApplicationMenu* menu = FApplicationButton->GetMenu();
  if (!menu) return false;
  const TRect& area = FViewInfo->GetApplicationButtonRect();
  const TRect& image = FViewInfo->GetApplicationButtonImageRect();
  const Integer tabsTop = FViewInfo->TabsAreaBounds().Top;
  TPoint at = ClientToScreen(TPoint(area.Left, tabsTop));
  TPoint imageTopLeft = ClientToScreen(TPoint(image.Left, image.Top));
  TRect ownerBounds(imageTopLeft.X, imageTopLeft.Y, imageTopLeft.X + image.Width(), imageTopLeft.Y + image.Height());
  FSavedMenuHook = menu->GetMenuControlHook();
  menu->SetMenuControlHook(MakeEvent<&TqzCustomRibbon::PrepareApplicationMenuControl>(this));
  FState |= 2;
  TkvObjectLink* self = LinkToObject(this);
  TkvObjectLink* menuLink = LinkToObject(menu);
  auto restore = [&] {
    if (menuLink->Ref) menu->SetMenuControlHook(FSavedMenuHook);
    ReleaseObjectLink(menuLink);
    bool alive = self->Ref != nullptr;
    ReleaseObjectLink(self);
    if (!alive) return;
    FState &= ~2;
    FSavedMenuHook = TqzBarMenuControlHook();
    FApplicationMenuOpening = false;
    SetApplicationButtonState(0);
    FController->SetPressedElement(rhkNone);
  };
  try {
    menu->PopupForOwner(at.X, at.Y, 0, tabsTop - image.Top, true, &ownerBounds, true, this);
  } catch (...) {
    restore();
    throw;
  }
  restore();
  return true;
}

// The application button's keyboard access opened the menu: its first element takes the
// selection, or the menu shows its key tips. Nothing once the menu closed.
void TqzCustomRibbon::QZMRibbonMenuMessage(TMessage& Message) {
  TqzBarApplicationMenu* menu = IsApplicationMenuOpen() ? FApplicationButton->GetMenu() : nullptr;
  TqzBarSubMenuControl* window = menu ? menu->GetMenuControl() : nullptr;
  if (!window || !window->HandleAllocated()) return;
  TqzBarAccessibilityHelper* node = window->GetAccessibilityHelper();
  if (Message.Msg == QZM_RIBBON_SELECTFIRSTINMENU) {
    SelectFirstInBar(node);
  } else {
    NavigationControllerInstance()->SetKeyTipContainer(BarHelperRef(node), String());
  }
}

void TqzCustomRibbon::DrawApplicationButtonOnMenu(HDC DC, Integer APart) {
  auto* menu = FApplicationButton->GetMenu();
  TqzBarSubMenuControl* window = menu ? menu->GetMenuControl() : nullptr;
  if (!window || !window->HandleAllocated() || !HandleAllocated()) return;
  RECT ribbonWindow, menuWindow;
  ::GetWindowRect(GetHandle(), &ribbonWindow);
  ::GetWindowRect(window->GetHandle(), &menuWindow);
  // The ribbon's client top: its window's bottom less the client height.
  TPoint ribbonOrigin(ribbonWindow.Left, ribbonWindow.Bottom - GetClientHeight());
  TPoint menuOrigin = APart == qzSkinPartAppMenuHeader ? window->ClientToScreen(TPoint(0, 0))
                                                        : TPoint(menuWindow.Left, menuWindow.Top);
  TRect r = FViewInfo->GetApplicationButtonImageRect();
  OffsetRect(&r, ribbonOrigin.X - menuOrigin.X, ribbonOrigin.Y - menuOrigin.Y);
  TCanvas canvas;
  canvas.SetHandle(DC);
  try {
    FPainter->DrawApplicationButton(&canvas, r, 2);
  } catch (...) {
    canvas.SetHandle(nullptr);
    throw;
  }
  canvas.SetHandle(nullptr);
}
