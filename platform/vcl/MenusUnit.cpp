// Start and end of the menus unit: the popup window class, and the hooks through which controls
// pop up their context menus and pass keys to them.

#include "vcl/Menus.h"

void RegisterPopupMenuClass();
void UnregisterPopupMenuClass();
void MenuHandlesStart();
void MenuHandlesEnd();

namespace {

TComponent* MenuAsComponent(TPopupMenu* Menu) { return Menu; }

bool PopupForControl(TPopupMenu* Menu, TControl* Control, Integer X, Integer Y) {
  if (!Menu->GetAutoPopup()) return false;
  Menu->SetPopupComponent(Control);
  Menu->Popup(X, Y);
  return true;
}

bool MenuShortCut(TPopupMenu* Menu, TMessage& Message) { return Menu->IsShortCut(Message); }

}  // namespace

void MenusStart() {
  RegisterPopupMenuClass();
  PopupMenuHooks.AsComponent = &MenuAsComponent;
  PopupMenuHooks.Popup = &PopupForControl;
  PopupMenuHooks.IsShortCut = &MenuShortCut;
  MenuHandlesStart();
}

void MenusEnd() {
  MenuHandlesEnd();
  PopupMenuHooks = TPopupMenuHooks{};
  UnregisterPopupMenuClass();
}
