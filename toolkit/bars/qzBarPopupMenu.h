#pragma once
// Popup menus: a component with its own links that opens them as a menu window at a point,
// running a message loop of its own until the menu closes.

#include <memory>

#include "toolkit/bars/qzBar.h"

class TqzBarSubMenuControl;

class TqzBarCustomPopupMenu : public TqzBarComponent, public virtual IqzBarLinksOwner {
  TAVREN_CLASS(TqzBarCustomPopupMenu, TqzBarComponent)
 public:
  // Raises when no bar manager exists at all; else takes the manager that serves the owner, or
  // the first one.
  explicit TqzBarCustomPopupMenu(TComponent* AOwner);
  ~TqzBarCustomPopupMenu() override;
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override;
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }

  // Links owner.
  bool CanContainItem(TqzBarItem* AItem, String& AMessage) override;
  TComponent* GetOwnerComponent() override { return this; }
  TqzBarItemLinks* GetItemLinks() override { return FItemLinks.get(); }
  // A popup menu is always enabled and visible as a component.
  bool GetEnabled() override { return true; }
  void SetEnabled(bool) override {}
  void SetVisible(TqzBarItemVisible) override {}

  // Opens the menu with its top-left corner at the screen point; with the own message loop (the
  // default) it returns once the menu closed. Nothing while it is open.
  void PopupAt(Integer X, Integer Y);
  // Opens it for an element (the element's width beside it, or its height below it).
  void PopupForOwner(Integer X, Integer Y, Integer AOwnerWidth, Integer AOwnerHeight, bool AUseOwnMessageLoop);
  bool IsOpen() const noexcept { return FPopupVisible; }
  TqzBarSubMenuControl* GetMenuControl() const;
  TNotifyEvent GetOnPopup() const { return FOnPopup; }
  void SetOnPopup(TNotifyEvent Value) { FOnPopup = Value; }
  TNotifyEvent GetOnCloseUp() const { return FOnCloseUp; }
  void SetOnCloseUp(TNotifyEvent Value) { FOnCloseUp = Value; }

  // Operations in slot order.
  virtual TClassOf<TqzBarSubMenuControl> GetMenuControlClass();
  virtual bool TryShortCut(TShortCut) { return false; }
  virtual TqzBarSubMenuControl* CreateMenuControl();

 private:
  void WindowClosedUp(TObject* Sender);
  void WindowPoppedUp(TObject* Sender);

  std::unique_ptr<TqzBarSubMenuControlItemLinks> FItemLinks;
  bool FPopupVisible = false;
  bool FUseOwnMessageLoop = true;
  Integer FOwnerWidth = 0;
  Integer FOwnerHeight = 0;
  TNotifyEvent FOnPopup;
  TNotifyEvent FOnCloseUp;
};

class TqzBarPopupMenu : public TqzBarCustomPopupMenu {
  TAVREN_CLASS(TqzBarPopupMenu, TqzBarCustomPopupMenu)
 public:
  using TqzBarCustomPopupMenu::TqzBarCustomPopupMenu;
};
