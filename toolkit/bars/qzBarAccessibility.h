#pragma once
// The navigation nodes of the bars' windows and item controls: each maps the tree of keyboard
// navigation onto its owner and adds the keys and key tips its kind of object handles. Owners make
// their node from the class a virtual operation of theirs returns, so hosts substitute their own.

#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarDockControl.h"
#include "toolkit/bars/qzBarItemControl.h"
#include "toolkit/bars/qzBarNavigation.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "toolkit/bars/qzBarToolbarControl.h"

// A bar window's node: its children are the item controls of its layout, in layout order.
class TCustomqzBarControlAccessibilityHelper : public TqzBarAccessibilityHelper {
  TAVREN_CLASS(TCustomqzBarControlAccessibilityHelper, TqzBarAccessibilityHelper)
 public:
  using TqzBarAccessibilityHelper::TqzBarAccessibilityHelper;

  TkvAccessibilityHelper* ChildAt(Integer AIndex) override;
  Integer ChildTotal() override;
  Integer IndexOfChild(TkvAccessibilityHelper* AChild) override;
  HWND OwnerWindow() override;
  TRect ScreenRect(Integer AChildID) override;
  Integer StateFlags(Integer AChildID) override;
  TqzBarManager* OwningBarManager() override;
  // Not while the selected control edits in place: its editor takes the keys.
  bool MayEnterChildren(Word AKey) override;

  // The bar window whose item controls run the key tips of this one's; hosts answer.
  virtual TqzBarAccessibilityHelper* LinkedBarHelper();
  virtual TCustomqzBarControl* BarControl();
  virtual void ItemKeyTipPlacement(TqzBarItemControl* AControl, TPoint& AAnchor, Byte& AVertAlign, Byte& AHorzAlign);
  virtual TqzBarHelperRef ItemNeighbourInDirection(TqzBarItemControl* AControl, Integer ADirection);
  virtual bool HidesChildren() { return false; }
  virtual void ItemSelectionLost();

  // The screen rectangle of the item control's own node.
  TRect GetItemControlBounds(TqzBarItemControl* AControl);
};

// An item control's node.
class TqzBarItemControlAccessibilityHelper : public TqzBarAccessibilityHelper {
  TAVREN_CLASS(TqzBarItemControlAccessibilityHelper, TqzBarAccessibilityHelper)
 public:
  using TqzBarAccessibilityHelper::TqzBarAccessibilityHelper;

  HWND OwnerWindow() override;
  TkvAccessibilityHelper* ParentNode() override;
  TRect ScreenRect(Integer AChildID) override;
  bool IsSelectableTarget() override;
  Integer StateFlags(Integer AChildID) override;
  TqzBarManager* OwningBarManager() override;
  TqzBarHelperRef NeighbourInDirection(Integer ADirection) override;
  bool ProcessNavKey(Word& AKey) override;
  void BecomeSelected(bool ASetFocus) override;
  void LoseSelection(const TqzBarHelperRef& ANextSelected) override;
  String AssignedKeyTip() override;
  // Ctrl plus a letter gives the letter, else the caption's accelerator, else "Y".
  String DefaultKeyTip() override;
  void FillKeyTipInfo(TqzBarKeyTipInfo& AInfo) override;

  virtual bool ExecutesThroughLinkedBar() { return false; }
  // A hidden control's key tip runs on the control at its place in the linked bar window.
  void ForwardedKeyTipExecute();
  TqzBarItemControl* GetItemControl() const { return static_cast<TqzBarItemControl*>(GetOwnerObject()); }

 protected:
  TCustomqzBarControlAccessibilityHelper* BarHelper();
};

// A button-like control's node: its key tip clicks it or opens its drop-down.
class TqzBarButtonLikeControlAccessibilityHelper : public TqzBarItemControlAccessibilityHelper {
  TAVREN_CLASS(TqzBarButtonLikeControlAccessibilityHelper, TqzBarItemControlAccessibilityHelper)
 public:
  using TqzBarItemControlAccessibilityHelper::TqzBarItemControlAccessibilityHelper;

  void KeyTipExecute() override;
  bool ExecutesThroughLinkedBar() override { return HasDropDown(); }

  // Keyboard handling ends, then the control clicks as if the button were pressed and released.
  virtual void ClickByKeyTip();
  virtual bool HasDropDown() { return false; }
  // Opens the drop-down; whether it is open now.
  virtual bool DropDownByKey() { return false; }
};

// A dock site's node, a root: its children are the bar windows of its rows, row by row.
class TqzDockControlAccessibilityHelper : public TqzBarAccessibilityHelper {
  TAVREN_CLASS(TqzDockControlAccessibilityHelper, TqzBarAccessibilityHelper)
 public:
  using TqzBarAccessibilityHelper::TqzBarAccessibilityHelper;

  TkvAccessibilityHelper* ChildAt(Integer AIndex) override;
  Integer ChildTotal() override;
  Integer IndexOfChild(TkvAccessibilityHelper* AChild) override;
  HWND OwnerWindow() override;
  TRect ScreenRect(Integer AChildID) override;
  Integer StateFlags(Integer AChildID) override;
  TqzBarManager* OwningBarManager() override;
  TqzDockControl* DockControl() const { return static_cast<TqzDockControl*>(GetOwnerObject()); }
};

// A toolbar window's node: a navigation root of its own, under its dock site while docked. Its
// keys follow the bar's orientation.
class TqzBarControlAccessibilityHelper : public TCustomqzBarControlAccessibilityHelper {
  TAVREN_CLASS(TqzBarControlAccessibilityHelper, TCustomqzBarControlAccessibilityHelper)
 public:
  using TCustomqzBarControlAccessibilityHelper::TCustomqzBarControlAccessibilityHelper;

  TkvAccessibilityHelper* ParentNode() override;
  TqzBarManager* OwningBarManager() override;
  TqzBarHelperRef DefaultNavigationObject() override { return BarHelperRef(this); }
  // On a vertical bar the arrows turn: Left is Up, Right is Down and back.
  bool ProcessNavKey(Word& AKey) override;
  // The window takes the keyboard with no control selected.
  void BecomeSelected(bool ASetFocus) override;
  void LoseSelection(const TqzBarHelperRef& ANextSelected) override;
  // Along the bar by link order, across it by geometry.
  TqzBarHelperRef ItemNeighbourInDirection(TqzBarItemControl* AControl, Integer ADirection) override;
  // After the item controls comes the group of the bar's caption buttons.
  TkvAccessibilityHelper* ChildAt(Integer AIndex) override;
  Integer ChildTotal() override;
  Integer IndexOfChild(TkvAccessibilityHelper* AChild) override;
  // Where a caption button's key tip stands; hosts that show caption-button key tips answer.
  virtual void CaptionButtonKeyTipPlacement(TqzBarCaptionButton* AButton, Integer& AAnchorY, Byte& AVertAlign);
  TqzBarControl* ToolbarControl() const { return static_cast<TqzBarControl*>(GetOwnerObject()); }
};

// A menu window's node: the arrows walk the menu, Left and Right leave it for the menu it came
// from or the next entry of its root toolbar, a selected control that takes a key has it first.
// A menu is a level of key tips of its own, below the entry that opened it.
class TqzBarSubMenuControlAccessibilityHelper : public TCustomqzBarControlAccessibilityHelper {
  TAVREN_CLASS(TqzBarSubMenuControlAccessibilityHelper, TCustomqzBarControlAccessibilityHelper)
 public:
  using TCustomqzBarControlAccessibilityHelper::TCustomqzBarControlAccessibilityHelper;

  TqzBarManager* OwningBarManager() override;
  // A rolling-out menu stands at once; Ctrl+Down, and Down or Tab on the last shown link, expand
  // a menu that shows its expand mark.
  bool ProcessNavKey(Word& AKey) override;
  void ItemSelectionLost() override;
  // Left of the captions, in the middle of the icon column, level with the item.
  void ItemKeyTipPlacement(TqzBarItemControl* AControl, TPoint& AAnchor, Byte& AVertAlign, Byte& AHorzAlign) override;
  // The node of the entry that opened the menu; nil for a menu without opener bar.
  TqzBarAccessibilityHelper* KeyTipParent() override;
  bool HasKeyTip() override { return true; }
  // Esc closes the menu and the key tips of the level it was opened from show again.
  void LeaveKeyTipLevel() override;

  // The next (or previous) selectable link; without a link the first one, when any fits.
  TqzBarItemLink* NextLink(TqzBarItemLink* ALink, bool AForward);
  void HorizontalNavigate(bool ALeft);
  void VerticalNavigate(bool AUp, bool AByTab);
  TqzBarSubMenuControl* SubMenuControl() const { return static_cast<TqzBarSubMenuControl*>(GetOwnerObject()); }
};

// A sub-item control's node: its key tip opens its menu.
class TqzBarSubItemControlAccessibilityHelper : public TqzBarButtonLikeControlAccessibilityHelper {
  TAVREN_CLASS(TqzBarSubItemControlAccessibilityHelper, TqzBarButtonLikeControlAccessibilityHelper)
 public:
  using TqzBarButtonLikeControlAccessibilityHelper::TqzBarButtonLikeControlAccessibilityHelper;
  bool HasDropDown() override { return true; }
  bool DropDownByKey() override;
};

// A button control's node: a drop-down button's key tip opens its menu.
class TqzBarButtonControlAccessibilityHelper : public TqzBarButtonLikeControlAccessibilityHelper {
  TAVREN_CLASS(TqzBarButtonControlAccessibilityHelper, TqzBarButtonLikeControlAccessibilityHelper)
 public:
  using TqzBarButtonLikeControlAccessibilityHelper::TqzBarButtonLikeControlAccessibilityHelper;
  bool HasDropDown() override;
  bool DropDownByKey() override;
};

// A toolbar mark's node: selected by the keyboard the mark shows hot, Enter or Space opens its
// quick control.
class TqzBarControlMarkAccessibilityHelper : public TqzBarAccessibilityHelper {
  TAVREN_CLASS(TqzBarControlMarkAccessibilityHelper, TqzBarAccessibilityHelper)
 public:
  using TqzBarAccessibilityHelper::TqzBarAccessibilityHelper;

  HWND OwnerWindow() override;
  TkvAccessibilityHelper* ParentNode() override;
  TRect ScreenRect(Integer AChildID) override;
  bool IsSelectableTarget() override { return IsVisible(); }
  Integer StateFlags(Integer AChildID) override;
  TqzBarManager* OwningBarManager() override;
  bool ProcessNavKey(Word& AKey) override;
  bool AcceptsKey(Word AKey) override;
  void BecomeSelected(bool ASetFocus) override;
  void LoseSelection(const TqzBarHelperRef& ANextSelected) override;

  // The toolbar calls it as the mark's quick control closes: in navigation the mark is selected
  // again, so the keyboard goes on from where it opened the popup.
  void ReselectMark(bool AAfterDropDown);
  TqzBarControl* ToolbarControl() const { return static_cast<TqzBarControl*>(GetOwnerObject()); }
};

// An in-place edit's or combo's node: its key tip puts the keyboard into its window.
class TqzBarWinControlAccessibilityHelper : public TqzBarItemControlAccessibilityHelper {
  TAVREN_CLASS(TqzBarWinControlAccessibilityHelper, TqzBarItemControlAccessibilityHelper)
 public:
  using TqzBarItemControlAccessibilityHelper::TqzBarItemControlAccessibilityHelper;
  void KeyTipExecute() override;
  bool ExecutesThroughLinkedBar() override { return true; }
};

// The node of a toolbar's caption buttons, the last child of the toolbar's node; it lists the
// buttons from the last to the first, as they stand from the caption's right edge.
class TqzBarCaptionButtonsAccessibilityHelper : public TqzBarAccessibilityHelper {
  TAVREN_CLASS(TqzBarCaptionButtonsAccessibilityHelper, TqzBarAccessibilityHelper)
 public:
  using TqzBarAccessibilityHelper::TqzBarAccessibilityHelper;

  TkvAccessibilityHelper* ChildAt(Integer AIndex) override;
  Integer ChildTotal() override;
  Integer IndexOfChild(TkvAccessibilityHelper* AChild) override;
  HWND OwnerWindow() override;
  TkvAccessibilityHelper* ParentNode() override;
  TRect ScreenRect(Integer AChildID) override;
  Integer StateFlags(Integer AChildID) override;
  TqzBarManager* OwningBarManager() override;
  // The buttons' states follow the mouse again.
  void LoseSelection(const TqzBarHelperRef& ANextSelected) override;

  TqzBarCaptionButtons* Buttons() const { return static_cast<TqzBarCaptionButtons*>(GetOwnerObject()); }
  // The buttons' states anew from the cursor, in the bar window's coordinates.
  void UpdateButtonStates();
};

// A caption button's node: Enter or Space clicks it, Esc closes the bar window.
class TqzBarCaptionButtonAccessibilityHelper : public TqzBarAccessibilityHelper {
  TAVREN_CLASS(TqzBarCaptionButtonAccessibilityHelper, TqzBarAccessibilityHelper)
 public:
  using TqzBarAccessibilityHelper::TqzBarAccessibilityHelper;

  HWND OwnerWindow() override;
  TkvAccessibilityHelper* ParentNode() override;
  TRect ScreenRect(Integer AChildID) override;
  bool IsSelectableTarget() override { return IsVisible(); }
  Integer StateFlags(Integer AChildID) override;
  TqzBarManager* OwningBarManager() override;
  bool ProcessNavKey(Word& AKey) override;
  bool AcceptsKey(Word AKey) override;
  void BecomeSelected(bool ASetFocus) override;
  void LoseSelection(const TqzBarHelperRef& ANextSelected) override;
  String AssignedKeyTip() override;
  String DefaultKeyTip() override { return "Y"; }
  void FillKeyTipInfo(TqzBarKeyTipInfo& AInfo) override;
  void KeyTipExecute() override;

  TqzBarCaptionButton* Button() const { return static_cast<TqzBarCaptionButton*>(GetOwnerObject()); }

 private:
  TqzBarCaptionButtonsAccessibilityHelper* GroupHelper();
  void Click();
};
