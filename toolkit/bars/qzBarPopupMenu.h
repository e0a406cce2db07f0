#pragma once
// Popup menus: a component with its own links that opens them as a menu window at a point,
// running a message loop of its own until the menu closes.

#include <algorithm>
#include <memory>

#include "toolkit/bars/qzBar.h"
#include "toolkit/foundation/kvControls.h"

class TqzBarSubMenuControl;

class TqzBarCustomPopupMenu : public TqzBarComponent,
                              public virtual IqzBarLinksOwner,
                              public virtual IqzBarSubMenuOwner,
                              public virtual IkvPopupMenu {
  TAVREN_CLASS(TqzBarCustomPopupMenu, TqzBarComponent)
 public:
  // Raises when no bar manager exists at all; else takes the manager that serves the owner, or
  // the first one.
  explicit TqzBarCustomPopupMenu(TComponent* AOwner) : TqzBarCustomPopupMenu(AOwner, &NewItemLinks) {}
  ~TqzBarCustomPopupMenu() override;
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override;
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }
  void Loaded() override;

  // Links owner.
  bool CanContainItem(TqzBarItem* AItem, String& AMessage) override;
  TComponent* GetOwnerComponent() override { return this; }
  TqzBarItemLinks* GetItemLinks() override { return FItemLinks.get(); }
  // A popup menu is always enabled and visible as a component.
  bool GetEnabled() override { return true; }
  void SetEnabled(bool) override {}
  void SetVisible(TqzBarItemVisible) override {}
  // Sub-menu owner: the side band of the menu window.
  Integer GetBarSize() override { return FBarSize; }
  void PaintBar(TCanvas* ACanvas, const TRect& R) override { FOnPaintBar(this, ACanvas, R); }
  // Popup menu of the toolkit's controls: a key message's shortcut runs the menu's items.
  bool IsShortCut(TMessage& Message) override;
  void Popup(Integer X, Integer Y) override { PopupAt(X, Y); }

  // Moves the menu to another manager's popup-menu list; nil is ignored.
  void SetBarManager(TqzBarManager* Value);

  // Opens the menu with its top-left corner at the screen point; with the own message loop (the
  // default) it returns once the menu closed. Nothing while it is open.
  void PopupAt(Integer X, Integer Y);
  void PopupAtCursor();
  // Opens it for an element (the element's width beside it, or its height below it); the
  // settings go back to their defaults afterwards.
  void PopupForOwner(Integer X, Integer Y, Integer AOwnerWidth, Integer AOwnerHeight, bool AShowAnimation,
                     const TRect* AOwnerBounds, bool AUseOwnMessageLoop, TWinControl* AOwnerControl);
  bool IsOpen() const noexcept { return FPopupVisible; }
  TqzBarSubMenuControl* GetMenuControl() const;
  const TRect* GetOwnerBounds() const noexcept { return FOwnerBounds; }
  TWinControl* GetOwnerControl() const noexcept { return FOwnerControl; }
  bool GetShowAnimation() const noexcept { return FShowAnimation; }

  TBitmap* GetBackgroundBitmap() const noexcept { return FBackgroundBitmap.get(); }
  void SetBackgroundBitmap(TBitmap* Value) { FBackgroundBitmap->Assign(Value); }
  void SetBarSize(Integer Value) { FBarSize = std::max(Value, 0); }
  // The menu follows the manager's font until it is given one of its own.
  TFont* GetFont() const noexcept { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TFont* GetEditFont() const noexcept { return FEditFont.get(); }
  bool GetUseOwnFont() const noexcept { return FUseOwnFont; }
  void SetUseOwnFont(bool Value);
  bool IsFontStored() const noexcept { return FUseOwnFont; }
  // The manager's font changed: a menu without a font of its own takes it.
  void ManagerFontChanged();
  void SetItemLinks(TqzBarItemLinks* Value) { FItemLinks->Assign(Value); }
  TqzBarItemOptions* GetItemOptions() const { return FItemLinks->GetItemOptions(); }
  void SetItemOptions(TqzBarItemOptions* Value) { FItemLinks->SetItemOptions(Value); }
  bool GetUseRecentItems() const { return FItemLinks->GetUseRecentItems(); }
  void SetUseRecentItems(bool Value) { FItemLinks->SetUseRecentItems(Value); }
  TNotifyEvent GetOnPopup() const { return FOnPopup; }
  void SetOnPopup(TNotifyEvent Value) { FOnPopup = Value; }
  TNotifyEvent GetOnCloseUp() const { return FOnCloseUp; }
  void SetOnCloseUp(TNotifyEvent Value) { FOnCloseUp = Value; }
  TqzBarPaintSubMenuBarEvent GetOnPaintBar() const { return FOnPaintBar; }
  void SetOnPaintBar(TqzBarPaintSubMenuBarEvent Value) { FOnPaintBar = Value; }

  // Operations in slot order.
  virtual TClassOf<TqzBarSubMenuControl> GetMenuControlClass();
  // The manager offers a key to its popup menus after its bars; a plain popup menu declines.
  virtual bool TryShortCut(TShortCut) { return false; }
  virtual TqzBarSubMenuControl* CreateMenuControl();

 protected:
  // Makes the menu's links: menus with links of their own kind pass their maker.
  using TItemLinksMaker = TqzBarSubMenuControlItemLinks* (*)(TqzBarManager* AManager, TqzBarCustomPopupMenu* AMenu);
  TqzBarCustomPopupMenu(TComponent* AOwner, TItemLinksMaker AMakeLinks);

 private:
  static TqzBarSubMenuControlItemLinks* NewItemLinks(TqzBarManager* AManager, TqzBarCustomPopupMenu* AMenu);

  void WindowClosedUp(TObject* Sender);
  void WindowPoppedUp(TObject* Sender);
  void OwnFontChanged(TObject* Sender);
  void RestoreOpeningDefaults();

  std::unique_ptr<TBitmap> FBackgroundBitmap;
  Integer FBarSize = 0;
  std::unique_ptr<TFont> FEditFont;
  std::unique_ptr<TFont> FFont;
  bool FInternalFontChange = false;
  std::unique_ptr<TqzBarSubMenuControlItemLinks> FItemLinks;
  const TRect* FOwnerBounds = nullptr;
  TWinControl* FOwnerControl = nullptr;
  Integer FOwnerWidth = 0;
  Integer FOwnerHeight = 0;
  bool FPopupVisible = false;
  bool FShowAnimation = true;
  bool FUseOwnFont = false;
  bool FUseOwnMessageLoop = true;
  TNotifyEvent FOnCloseUp;
  TqzBarPaintSubMenuBarEvent FOnPaintBar;
  TNotifyEvent FOnPopup;
};

class TqzBarPopupMenu : public TqzBarCustomPopupMenu {
  TAVREN_CLASS(TqzBarPopupMenu, TqzBarCustomPopupMenu)
 public:
  using TqzBarCustomPopupMenu::TqzBarCustomPopupMenu;
};
