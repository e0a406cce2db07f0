#pragma once
// The control of a sub-item link: a button that opens its item's links as a menu window below
// its toolbar entry or beside its menu item, and closes it again.

#include "toolkit/bars/qzBarItemControlButtons.h"

class TqzBarSubMenuControl;

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
  Byte GetContentKind() override;
  // An open menu shows its entry pushed and open; an entry of the main menu shows no arrow.
  void FillDrawParams(bool ARefresh) override;
  // In a menu: room for the sub-menu arrow the painter puts after the caption.
  Integer ExtraWidth() override;
  void DrawInRect(const TRect& R, Byte AState) override;

 protected:
  // The menu window the entry opens; nullptr opens none.
  virtual TqzBarSubMenuControl* CreateSubMenu();

 private:
  void SubMenuClosed(TObject* Sender);
  TqzBarSubMenuControl* FSubMenu = nullptr;
};
