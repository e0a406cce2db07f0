#pragma once
// The control of a sub-item link: a button that opens its item's links as a menu window below
// its toolbar entry or beside its menu item, and closes it again.

#include "toolkit/bars/qzBarItemControlButtons.h"
#include "toolkit/bars/qzBarSubMenuControl.h"

class TCustomqzBarContainerItem;

// What an in-place sub-item's entry in a menu draws by: expanded or not, and the expand mark's
// width.
class TqzBarInPlaceSubItemControlDrawParams : public TqzBarButtonLikeControlDrawParams {
  TAVREN_CLASS(TqzBarInPlaceSubItemControlDrawParams, TqzBarButtonLikeControlDrawParams)
 public:
  using TqzBarButtonLikeControlDrawParams::TqzBarButtonLikeControlDrawParams;
  bool Expanded = false;
  Integer ExpandMarkWidth = 0;
};

class TqzBarSubItemControl : public TqzBarButtonLikeControl {
  TAVREN_CLASS(TqzBarSubItemControl, TqzBarButtonLikeControl)
 public:
  using TqzBarButtonLikeControl::TqzBarButtonLikeControl;
  ~TqzBarSubItemControl() override;

  // The open menu, nullptr while closed.
  TqzBarSubMenuControl* GetSubMenu() const;
  bool IsDroppedDown() override { return GetSubMenu() != nullptr; }
  void OpenSubMenu(bool AByMouse);
  // Opens the menu as a key does: its first selectable link is selected.
  void OpenSubMenuByKey();
  void CloseSubMenu();

  // The waits and the opening of the button-like rule, for an entry that can open at all.
  void Activate(bool AByMouse) override;
  void Deactivate(bool AFlag) override;
  void UserActivate(bool AByMouse) override;
  // The button's rule, then the press that opens the menu.
  void ActivateByKey(bool AFlag) override;
  TqzBarSubMenuControl* GetDropDownWindow() const override { return GetSubMenu(); }
  void OpenDropDown(bool AByMouse) override { OpenSubMenu(AByMouse); }
  void CloseUp(bool AClose) override;
  void DoClick() override {}
  bool ClickFiresItem() override { return false; }
  bool CountsUse() override { return false; }
  bool IsExpandable() override { return true; }
  bool HasDropDown() override { return true; }
  bool WantsKey(Word AKey) override;
  TClassOf<TqzBarAccessibilityHelper> AccessibilityHelperClass() override;
  void KeyDown(Word& AKey, TShiftState AShift) override;
  // A sub-item may also show as a large button.
  TqzBarItemViewLevels GetPossibleViewLevels() override;
  // The caption when the item shows it (always in a menu); the glyph when there is one, and in
  // place of a caption that is not shown.
  Byte GetContentKind() override;
  bool IsInMainMenu() override;
  // An open menu shows its entry pushed and open; an entry of the main menu shows no arrow.
  void FillDrawParams(bool ARefresh) override;
  // The caption's room as the painter lays a sub-item out: its indent, and room for the arrow.
  Integer TextIndent() override;
  Integer TextPartWidth() override;
  // In a menu: room for the sub-menu arrow the painter puts after the caption.
  Integer ExtraWidth() override;
  void DrawInRect(const TRect& R, Byte AState) override;

 protected:
  // The menu window the entry opens; nullptr opens none.
  virtual TqzBarSubMenuControl* CreateSubMenu();
  // Where the menu opens (screen coordinates), and the entry's extent in the direction the menu
  // must not cover when it flips: beside a menu item its width, below a toolbar entry its height.
  virtual void GetSubMenuPosition(TPoint& APoint, Integer& AOwnerWidth, Integer& AOwnerHeight);
  // False: the entry neither waits to open nor opens by hovering or leaving.
  virtual bool CanOpen() { return true; }

 private:
  void SubMenuClosed(TObject* Sender);
  TqzBarSubMenuControl* FSubMenu = nullptr;
};

// The menu a container item opens on a toolbar: it shows the links the item generates for it,
// which go again when the menu closes. It is never customized itself.
class TContainerItemSubMenuControl : public TqzBarSubMenuControl {
  TAVREN_CLASS(TContainerItemSubMenuControl, TqzBarSubMenuControl)
 public:
  using TqzBarSubMenuControl::TqzBarSubMenuControl;
  ~TContainerItemSubMenuControl() override;
  TCustomqzBarContainerItem* GetContainerItem() const noexcept { return FContainerItem; }
  // The item whose links the menu shows, and its expansion into them for AContainerLink.
  void ShowContainer(TCustomqzBarContainerItem* AItem, TqzBarItemLink* AContainerLink);
  bool IsCustomizing() override { return false; }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TCustomqzBarContainerItem* FContainerItem = nullptr;
};

// A container item (a list, the recent files) where it does not spread its links in place: on a
// toolbar, and in menus while they are customized. It opens as a sub-item whose menu the item
// fills when it opens.
class TqzBarContainerItemControl : public TqzBarSubItemControl {
  TAVREN_CLASS(TqzBarContainerItemControl, TqzBarSubItemControl)
 public:
  using TqzBarSubItemControl::TqzBarSubItemControl;
  bool IsDrawnSelected() override;
  // In a menu an item that spreads its links there is named in parentheses: "(Recent)".
  String GetCaption() override;
  // In a menu a plain entry, without the sub-menu arrow.
  void DrawInRect(const TRect& R, Byte AState) override;
  bool IsExpandable() override;

 protected:
  // None while customizing or designing.
  TqzBarSubMenuControl* CreateSubMenu() override;
};
