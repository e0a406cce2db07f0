#pragma once
// The ribbon's part of the bars' keyboard navigation: the nodes of the ribbon, its tab row and
// tabs, its application button, a tab's groups dock control, the group windows and the quick
// access toolbar's window. They give the key tips' texts, anchors and actions; the bars'
// navigation controller matches what is typed. The ribbon's root node keeps the key-tip windows.

#include "toolkit/bars/qzBarAccessibility.h"

class TqzCustomRibbon;
class TqzRibbonTab;
class TqzRibbonGroupBarControl;
class TqzRibbonGroupsDockControl;
class TqzRibbonQuickAccessBarControl;

// The ribbon, a root. Children: the application button, the tab row and the quick access
// toolbar's window (when it has one); navigation visits the tab row first.
class TqzRibbonAccessibilityHelper : public TqzBarAccessibilityHelper {
  TAVREN_CLASS(TqzRibbonAccessibilityHelper, TqzBarAccessibilityHelper)
 public:
  using TqzBarAccessibilityHelper::TqzBarAccessibilityHelper;
  TqzCustomRibbon* Ribbon() const;

  TkvAccessibilityHelper* ChildAt(Integer AIndex) override;
  Integer ChildTotal() override;
  Integer IndexOfChild(TkvAccessibilityHelper* AChild) override;
  TqzBarAccessibilityHelper* NavChildAt(Integer AIndex) override;
  Integer NavChildTotal() override;
  Integer NavIndexOfChild(TqzBarAccessibilityHelper* AChild) override;
  HWND OwnerWindow() override;
  TRect ScreenRect(Integer AChildID) override;
  Integer StateFlags(Integer AChildID) override;
  TqzBarManager* OwningBarManager() override;
  // The key-tip windows, made on first use.
  bool KeyTipsAvailable(TInterfacePtr<IqzBarKeyTipWindowsManager>& AWindowsManager) override;
  // The active tab while the groups show, else the application button when it can be selected.
  TqzBarHelperRef DefaultNavigationObject() override;
  // Without tab headers the groups of the active tab are the first level of key tips: there is
  // no tab to type first.
  void CollectChildKeyTipData(TqzBarKeyTipList& AList) override;

 private:
  TInterfacePtr<IqzBarKeyTipWindowsManager> FKeyTipWindows;
};

// The tab row: one child per tab; navigation enters only the active tab (or the first tab that
// can be selected while the groups are hidden).
class TqzRibbonTabCollectionAccessibilityHelper : public TqzBarAccessibilityHelper {
  TAVREN_CLASS(TqzRibbonTabCollectionAccessibilityHelper, TqzBarAccessibilityHelper)
 public:
  // The owner is the ribbon (whose Tabs the node walks).
  using TqzBarAccessibilityHelper::TqzBarAccessibilityHelper;
  TqzCustomRibbon* Ribbon() const;

  TkvAccessibilityHelper* ChildAt(Integer AIndex) override;
  Integer ChildTotal() override;
  Integer IndexOfChild(TkvAccessibilityHelper* AChild) override;
  TqzBarAccessibilityHelper* NavChildAt(Integer AIndex) override;
  Integer NavChildTotal() override;
  Integer NavIndexOfChild(TqzBarAccessibilityHelper* AChild) override;
  TkvAccessibilityHelper* ParentNode() override;
  HWND OwnerWindow() override;
  TRect ScreenRect(Integer AChildID) override;
  Integer StateFlags(Integer AChildID) override;
  TqzBarManager* OwningBarManager() override;
  // Every tab the keyboard can select has its key tip, not only the one navigation enters.
  void CollectChildKeyTipData(TqzBarKeyTipList& AList) override;
};

// A tab: its child is its groups dock control. Its key tip (default "Y") makes it the key-tip
// container, so that its groups' key tips show.
class TqzRibbonTabAccessibilityHelper : public TqzBarAccessibilityHelper {
  TAVREN_CLASS(TqzRibbonTabAccessibilityHelper, TqzBarAccessibilityHelper)
 public:
  using TqzBarAccessibilityHelper::TqzBarAccessibilityHelper;
  TqzRibbonTab* Tab() const;

  TkvAccessibilityHelper* ChildAt(Integer AIndex) override;
  Integer ChildTotal() override;
  Integer IndexOfChild(TkvAccessibilityHelper* AChild) override;
  TkvAccessibilityHelper* ParentNode() override;
  HWND OwnerWindow() override;
  TRect ScreenRect(Integer AChildID) override;
  bool IsSelectableTarget() override;
  Integer StateFlags(Integer AChildID) override;
  TqzBarManager* OwningBarManager() override;
  // Selecting a tab while the groups show activates it.
  void BecomeSelected(bool ASetFocus) override;
  void LoseSelection(const TqzBarHelperRef& ANextSelected) override;
  // An assigned key tip that starts with a digit is dropped.
  String AssignedKeyTip() override;
  String DefaultKeyTip() override { return "Y"; }
  // Centred on the header, below its text.
  void FillKeyTipInfo(TqzBarKeyTipInfo& AInfo) override;
  // The tab's groups' key tips; on a minimized ribbon the tab opens its groups in the popup first.
  void KeyTipExecute() override;
  // Closes the groups popup the key tip opened.
  void LeaveKeyTipLevel() override;
  // Left and Right go along the tabs and on to the application button past either end, Up to the
  // quick access toolbar, Down into the tab's groups.
  TqzBarHelperRef NeighbourInDirection(Integer ADirection) override;
  // On a minimized ribbon Enter and Space open the tab's groups with their first element selected.
  bool ProcessNavKey(Word& AKey) override;
  bool AcceptsKey(Word AKey) override;
};

// The application button.
class TqzRibbonApplicationButtonAccessibilityHelper : public TqzBarAccessibilityHelper {
  TAVREN_CLASS(TqzRibbonApplicationButtonAccessibilityHelper, TqzBarAccessibilityHelper)
 public:
  // The owner is the ribbon (whose application button the node stands for).
  using TqzBarAccessibilityHelper::TqzBarAccessibilityHelper;
  TqzCustomRibbon* Ribbon() const;

  TkvAccessibilityHelper* ParentNode() override;
  HWND OwnerWindow() override;
  TRect ScreenRect(Integer AChildID) override;
  bool IsSelectableTarget() override;
  Integer StateFlags(Integer AChildID) override;
  TqzBarManager* OwningBarManager() override;
  String AssignedKeyTip() override;
  String DefaultKeyTip() override { return "F"; }
  // The button looks hot while selected.
  void BecomeSelected(bool ASetFocus) override;
  void LoseSelection(const TqzBarHelperRef& ANextSelected) override;
  // Centred on the button.
  void FillKeyTipInfo(TqzBarKeyTipInfo& AInfo) override;
  // The key tip opens the application menu with its key tips shown.
  void KeyTipExecute() override;
  // Right goes to the first tab, Left to the last; Up stays.
  TqzBarHelperRef NeighbourInDirection(Integer ADirection) override;
  // Space and Down open the application menu with its first element selected.
  bool ProcessNavKey(Word& AKey) override;
  bool AcceptsKey(Word AKey) override;

 private:
  // Opens the menu, running until it closes; false without a menu.
  bool OpenMenuByKey(UINT AMessage);
  // Esc closing the menu gives the keyboard back to the button.
  void MenuClosedUp(TObject* Sender);

  TNotifyEvent FPreviousCloseUp;
};

// A tab's groups dock control: its children are the visible groups in order; its parent is the
// tab.
class TqzRibbonGroupsDockControlAccessibilityHelper : public TqzDockControlAccessibilityHelper {
  TAVREN_CLASS(TqzRibbonGroupsDockControlAccessibilityHelper, TqzDockControlAccessibilityHelper)
 public:
  using TqzDockControlAccessibilityHelper::TqzDockControlAccessibilityHelper;
  TqzRibbonGroupsDockControl* GroupsDockControl() const;

  TkvAccessibilityHelper* ChildAt(Integer AIndex) override;
  Integer ChildTotal() override;
  Integer IndexOfChild(TkvAccessibilityHelper* AChild) override;
  // None while the groups show in the minimized ribbon's popup: navigation stays inside it.
  TkvAccessibilityHelper* ParentNode() override;
  // The tab, also while the groups show in the popup.
  TqzBarAccessibilityHelper* KeyTipParent() override;
  Integer StateFlags(Integer AChildID) override;
  // The first element of the groups.
  TqzBarHelperRef DefaultNavigationObject() override;
};

// A group window: its item controls; a collapsed group is a single element with a key tip of its
// own ("Z" and the first letter of the caption by default).
class TqzRibbonGroupBarControlAccessibilityHelper : public TqzBarControlAccessibilityHelper {
  TAVREN_CLASS(TqzRibbonGroupBarControlAccessibilityHelper, TqzBarControlAccessibilityHelper)
 public:
  using TqzBarControlAccessibilityHelper::TqzBarControlAccessibilityHelper;
  TqzRibbonGroupBarControl* GroupBarControl() const;

  Integer ChildTotal() override;
  bool IsSelectableTarget() override;
  // Only a popup (which owns its bar) is a level of key tips of its own.
  bool HasKeyTip() override;
  String AssignedKeyTip() override;
  String DefaultKeyTip() override;
  // A collapsed group: centred, on the group's bottom key-tip line.
  void FillKeyTipInfo(TqzBarKeyTipInfo& AInfo) override;
  // A collapsed group the keyboard selects is the navigation's selected object, looks hot and is
  // scrolled into view.
  void BecomeSelected(bool ASetFocus) override;
  void LoseSelection(const TqzBarHelperRef& ANextSelected) override;
  // A collapsed group's key tip opens its popup, whose items' key tips then show.
  void KeyTipExecute() override;
  // A popup's key-tip level is below its collapsed group's.
  TqzBarAccessibilityHelper* KeyTipParent() override;
  // Leaving a popup's key tips closes it and shows those of the level the group belongs to.
  void LeaveKeyTipLevel() override;
  // One-row items on the key-tip line of their row (at their image when they show one), large
  // items on the line of the third row.
  void ItemKeyTipPlacement(TqzBarItemControl* AControl, TPoint& AAnchor, Byte& AVertAlign, Byte& AHorzAlign) override;
  // Items and collapsed groups move by position: Left and Right across every group of the row,
  // Up and Down within the group. Past the top the active tab follows, past the bottom the
  // group's caption buttons or the quick access toolbar (not from a popup).
  TqzBarHelperRef ItemNeighbourInDirection(TqzBarItemControl* AControl, Integer ADirection) override;
  TqzBarHelperRef NeighbourInDirection(Integer ADirection) override;
  // Enter and Space open a collapsed group with the first element of its popup selected.
  bool ProcessNavKey(Word& AKey) override;
  bool AcceptsKey(Word AKey) override;

 private:
  TqzBarHelperRef GroupNeighbour(TqzBarAccessibilityHelper* AFrom, Integer ADirection);
};

// The quick access toolbar's window or its mark's popup: the toolbar's links are numbered by
// position, "1" to "9", then "09" down to "01", then "0A" onwards, and keep their numbers in the
// popup. While links are hidden the mark's key tip comes first.
class TqzRibbonQuickAccessBarControlAccessibilityHelper : public TqzBarControlAccessibilityHelper {
  TAVREN_CLASS(TqzRibbonQuickAccessBarControlAccessibilityHelper, TqzBarControlAccessibilityHelper)
 public:
  using TqzBarControlAccessibilityHelper::TqzBarControlAccessibilityHelper;
  // The item controls, then the mark while it shows (the window has no caption buttons).
  TkvAccessibilityHelper* ChildAt(Integer AIndex) override;
  Integer ChildTotal() override;
  Integer IndexOfChild(TkvAccessibilityHelper* AChild) override;
  TkvAccessibilityHelper* ParentNode() override;
  void CollectChildKeyTipData(TqzBarKeyTipList& AList) override;
  // Arrows move by position among the window's items and its mark, and leave it no other way.
  TqzBarHelperRef ItemNeighbourInDirection(TqzBarItemControl* AControl, Integer ADirection) override;
  TqzBarHelperRef NeighbourOf(TqzBarAccessibilityHelper* AFrom, Integer ADirection);
  // The mark's popup is a key-tip level of its own; leaving it closes it and selects the mark.
  bool HasKeyTip() override;
  TqzBarAccessibilityHelper* KeyTipParent() override;
  void LeaveKeyTipLevel() override;
  // Centred on the item, below its middle.
  void ItemKeyTipPlacement(TqzBarItemControl* AControl, TPoint& AAnchor, Byte& AVertAlign, Byte& AHorzAlign) override;
};

// The quick access toolbar's mark: "00" while links are hidden, opening their popup.
class TqzRibbonQuickAccessBarControlMarkAccessibilityHelper : public TqzBarControlMarkAccessibilityHelper {
  TAVREN_CLASS(TqzRibbonQuickAccessBarControlMarkAccessibilityHelper, TqzBarControlMarkAccessibilityHelper)
 public:
  using TqzBarControlMarkAccessibilityHelper::TqzBarControlMarkAccessibilityHelper;
  String DefaultKeyTip() override;
  // Centred on the mark, below its middle.
  void FillKeyTipInfo(TqzBarKeyTipInfo& AInfo) override;
  void KeyTipExecute() override;
  // Back along the toolbar's items, as they move among themselves.
  TqzBarHelperRef NeighbourInDirection(Integer ADirection) override;
};

// A group button of the quick access toolbar: its key tip opens the group's popup.
class TqzRibbonQuickAccessGroupButtonControlAccessibilityHelper : public TqzBarButtonLikeControlAccessibilityHelper {
  TAVREN_CLASS(TqzRibbonQuickAccessGroupButtonControlAccessibilityHelper, TqzBarButtonLikeControlAccessibilityHelper)
 public:
  using TqzBarButtonLikeControlAccessibilityHelper::TqzBarButtonLikeControlAccessibilityHelper;
  bool HasDropDown() override { return true; }
  bool DropDownByKey() override;
};

// The key tip of the n-th link (from 0) of the quick access toolbar; empty from the 46th on.
String QuickAccessKeyTip(Integer AIndex);

// The navigation root of the ribbon that contains the window (the window itself, a ribbon of the
// form, or the nearest ribbon among its parents) while that ribbon is visible and shows its tab
// headers or groups; nil otherwise.
TqzBarHelperRef RibbonNavigationRoot(HWND AWnd);
