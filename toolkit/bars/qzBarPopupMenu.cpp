// Popup menus: the manager they use, opening the menu window at a point with its own message loop,
// and closing.

#include "toolkit/bars/qzBarPopupMenu.h"

#include "toolkit/bars/qzBarStrs.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "user/Input.h"
#include "user/Messages.h"
#include "vcl/Controls.h"

TAVREN_CLASS_IMPL(TqzBarCustomPopupMenu)
TAVREN_CLASS_IMPL(TqzBarPopupMenu)

namespace {

TqzBarManager* ManagerForPopup(TComponent* AOwner) {
  if (TqzBarManager* manager = FindBarManagerOfComponent(AOwner)) return manager;
  TqzBarManagerList* list = BarManagerList();
  TqzBarManager* first = list && list->GetCount() > 0 ? list->GetManager(0) : nullptr;
  if (!first) throw Exception(ResourceStringText(sqzBarNoBarManagers));
  return first;
}

}  // namespace

TqzBarCustomPopupMenu::TqzBarCustomPopupMenu(TComponent* AOwner) : TqzBarComponent(AOwner) {
  TqzBarManager* manager = ManagerForPopup(AOwner);
  SetBarManager(manager);
  FItemLinks = std::make_unique<TqzBarSubMenuControlItemLinks>(manager, this);
  FItemLinks->SetUseRecentItems(false);
}

TqzBarCustomPopupMenu::~TqzBarCustomPopupMenu() {
  if (TqzBarSubMenuControl* menu = GetMenuControl()) {
    menu->SetOnCloseUp(TNotifyEvent());
    menu->Dismiss();
  }
  FItemLinks.reset();
}

HRESULT TqzBarCustomPopupMenu::QueryInterface(const TInterfaceId& IID, void** Obj) {
  return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
}

bool TqzBarCustomPopupMenu::CanContainItem(TqzBarItem* AItem, String& AMessage) {
  return AItem->CanBePlacedOn(1, nullptr, AMessage);
}

TqzBarSubMenuControl* TqzBarCustomPopupMenu::GetMenuControl() const {
  return FItemLinks ? dynamic_cast<TqzBarSubMenuControl*>(FItemLinks->GetBarControl()) : nullptr;
}

TClassOf<TqzBarSubMenuControl> TqzBarCustomPopupMenu::GetMenuControlClass() { return TqzBarSubMenuControl::ClassInfo(); }

TqzBarSubMenuControl* TqzBarCustomPopupMenu::CreateMenuControl() {
  auto* menu = static_cast<TqzBarSubMenuControl*>(GetMenuControlClass()->Factory(GetBarManager()));
  menu->SetItemLinks(FItemLinks.get());
  return menu;
}

void TqzBarCustomPopupMenu::WindowPoppedUp(TObject*) { FOnPopup(this); }

void TqzBarCustomPopupMenu::WindowClosedUp(TObject*) {
  FPopupVisible = false;
  FOnCloseUp(this);
}

void TqzBarCustomPopupMenu::PopupForOwner(Integer X, Integer Y, Integer AOwnerWidth, Integer AOwnerHeight,
                                          bool AUseOwnMessageLoop) {
  FOwnerWidth = AOwnerWidth;
  FOwnerHeight = AOwnerHeight;
  FUseOwnMessageLoop = AUseOwnMessageLoop;
  try {
    PopupAt(X, Y);
  } catch (...) {
    FOwnerWidth = FOwnerHeight = 0;
    FUseOwnMessageLoop = true;
    throw;
  }
  FOwnerWidth = FOwnerHeight = 0;
  FUseOwnMessageLoop = true;
}

void TqzBarCustomPopupMenu::PopupAt(Integer X, Integer Y) {
  if (GetMenuControl() || FPopupVisible) return;
  TqzBarManager* manager = GetBarManager();
  if (!manager->GetIsCustomizing() && !manager->IsDesigning()) {
    if (HWND capture = GetCapture()) {
      SendMessage(capture, CM_CANCELMODE, 0, 0);
      ReleaseCapture();
    }
  }
  TqzBarSubMenuControl* menu = CreateMenuControl();
  menu->SetOpenerExtents(FOwnerWidth, FOwnerHeight);
  if (auto* owner = dynamic_cast<TWinControl*>(GetOwner())) menu->SetOwnerWindowHandle(owner->GetHandle());
  menu->SetOnCloseUp(MakeEvent<&TqzBarCustomPopupMenu::WindowClosedUp>(this));
  menu->SetOnPopup(MakeEvent<&TqzBarCustomPopupMenu::WindowPoppedUp>(this));
  FPopupVisible = true;
  TkvObjectLink* self = LinkToObject(this);
  try {
    menu->Popup(TPoint(X, Y));
  } catch (...) {
    if (IsBarControlLive(menu)) menu->CloseOnce();
    if (self->Ref) FPopupVisible = false;
    ReleaseObjectLink(self);
    throw;
  }
  if (FUseOwnMessageLoop) {
    MSG msg;
    while (self->Ref && FPopupVisible) {
      if (!GetMessage(&msg, nullptr, 0, 0)) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        break;
      }
      if (!self->Ref || !FPopupVisible) {
        PostMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
        break;
      }
      // Commands sent while the menu is open would run behind it: they are dropped.
      if (msg.message == WM_COMMAND) continue;
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  }
  ReleaseObjectLink(self);
}
