// Popup menus of ribbon forms.

#include "toolkit/ribbon/qzRibbonMenus.h"

#include "toolkit/ribbon/qzRibbon.h"

TAVREN_CLASS_IMPL(TqzRibbonPopupMenuControl)
TAVREN_CLASS_IMPL_PUBLISHED(TqzRibbonPopupMenu, PROPERTY(Ribbon))

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
