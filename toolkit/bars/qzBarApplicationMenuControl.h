#pragma once
// The application menu's window: a menu window that adds the extra pane at its right and the row
// of buttons along its bottom edge. The pane is a hidden toolbar of the menu's bar manager, docked
// into a dock site inside the menu window for as long as the menu is open; its toolbar window
// stacks the pane's entries under their header and hands its keys and its closing to the menu.

#include <memory>
#include <vector>

#include "toolkit/bars/qzBarAccessibility.h"
#include "toolkit/bars/qzBarDockControl.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "toolkit/bars/qzBarToolbarControl.h"

class TqzBarApplicationMenuControl;
class TqzBarCustomApplicationMenu;

// The menu's controls, then the placed bottom buttons.
class TqzBarApplicationMenuControlViewInfo : public TqzBarSubMenuControlViewInfo {
  TAVREN_CLASS(TqzBarApplicationMenuControlViewInfo, TqzBarSubMenuControlViewInfo)
 public:
  using TqzBarSubMenuControlViewInfo::TqzBarSubMenuControlViewInfo;
  void Calculate() override;
};

// The dock site of the pane: no target for dragged toolbars; its one toolbar window fills it.
class TqzBarExtraPaneDockControl : public TqzDockControl {
  TAVREN_CLASS(TqzBarExtraPaneDockControl, TqzDockControl)
 public:
  explicit TqzBarExtraPaneDockControl(TComponent* AOwner);
  // The menu window the site lies in (nil before it is parented).
  TqzBarApplicationMenuControl* MenuControl() const;

  void ArrangeRows() override;
  // The menu window places and sizes the site.
  void UpdateSize() override {}
  TqzBarControlFactory BarControlClass() override;
  TClassOf<TqzBarAccessibilityHelper> GetAccessibilityHelperClass() override;
};

// The pane's entries under the header as a separator-parted column. Separators lie across the
// items' width, ending at the top of the item that begins the group.
class TqzBarExtraPaneControlViewInfo : public TqzBarControlViewInfo {
  TAVREN_CLASS(TqzBarExtraPaneControlViewInfo, TqzBarControlViewInfo)
 public:
  using TqzBarControlViewInfo::TqzBarControlViewInfo;
  void CalcSeparatorRect(TqzBarItemLink* ALink, const TRect& ABounds) override;
};

class TqzBarExtraPaneControl : public TqzBarControl {
  TAVREN_CLASS(TqzBarExtraPaneControl, TqzBarControl)
 public:
  using TqzBarControl::TqzBarControl;
  // The menu window the pane belongs to (nil while the window is not docked in a pane site).
  TqzBarApplicationMenuControl* MenuControl() const;

  void CalcClientItemsRect() override;
  void PlaceControls() override;
  TClassOf<TCustomqzBarControlViewInfo> ViewInfoClass() override {
    return TqzBarExtraPaneControlViewInfo::ClassInfo();
  }
  void FillBackground(HDC DC, const TRect& R, bool AOffset, TColor AColor, HBRUSH ABrush) override;
  void DrawBarParts(TkvCanvas* ACanvas) override;
  void DrawItemControl(TqzBarItemControl* AControl, TkvCanvas* ACanvas, const TRect& R) override;
  void DrawFrameOn(HDC) override {}
  bool CanMoveBar() override { return false; }
  bool HasCloseButton() override { return false; }
  bool ShowsMark() override { return false; }
  // The menu window answers for the pane.
  bool IsInActiveChain() override;
  TqzBarItemLink* AccelTarget(Word AKey, TShiftState AShift, bool& AAmbiguous, TqzBarItemLink* AAfterLink) override;
  Word KindFlags() override;
  TqzBarPainter* Painter() override;
  void SelectAndPress(TqzBarItemControl* AControl, bool ASelectOnly) override;
  bool ContextPopupOnPress(bool AOnPress) override;
  void CloseOnEscape() override;
  TClassOf<TqzBarAccessibilityHelper> GetAccessibilityHelperClass() override;
  // Hiding the pane closes the menu.
  void HideBar() override;

 protected:
  // The entries of a container (the pane's list) stand in its place, made with the controls.
  void CreateLinkControls() override;
  void DestroyLinkControls() override;
  void WndProc(TMessage& Message) override;
  void Paint() override;
};

// The menu window's navigation node: its children are its controls and then the pane's site; Up,
// Down and Tab walk the three groups as the window's keys do; the key tip of a bottom button stands
// at the button's centre. Its key tips are a level below the control that opened it (the ribbon).
class TqzBarApplicationMenuControlAccessibilityHelper : public TqzBarSubMenuControlAccessibilityHelper {
  TAVREN_CLASS(TqzBarApplicationMenuControlAccessibilityHelper, TqzBarSubMenuControlAccessibilityHelper)
 public:
  using TqzBarSubMenuControlAccessibilityHelper::TqzBarSubMenuControlAccessibilityHelper;
  TkvAccessibilityHelper* ChildAt(Integer AIndex) override;
  Integer ChildTotal() override;
  Integer IndexOfChild(TkvAccessibilityHelper* AChild) override;
  bool ProcessNavKey(Word& AKey) override;
  void ItemKeyTipPlacement(TqzBarItemControl* AControl, TPoint& AAnchor, Byte& AVertAlign, Byte& AHorzAlign) override;
  // The node of the control that opened the menu, when it stands in the navigation tree.
  TqzBarAccessibilityHelper* KeyTipParent() override;
  TqzBarApplicationMenuControl* MenuControl() const;
};

// The pane site's node lies under the menu window's.
class TqzBarExtraPaneDockControlAccessibilityHelper : public TqzDockControlAccessibilityHelper {
  TAVREN_CLASS(TqzBarExtraPaneDockControlAccessibilityHelper, TqzDockControlAccessibilityHelper)
 public:
  using TqzDockControlAccessibilityHelper::TqzDockControlAccessibilityHelper;
  TkvAccessibilityHelper* ParentNode() override;
};

// The pane window's node hands navigation to the menu window's.
class TqzBarExtraPaneControlAccessibilityHelper : public TqzBarControlAccessibilityHelper {
  TAVREN_CLASS(TqzBarExtraPaneControlAccessibilityHelper, TqzBarControlAccessibilityHelper)
 public:
  using TqzBarControlAccessibilityHelper::TqzBarControlAccessibilityHelper;
  bool ProcessNavKey(Word& AKey) override;
};

class TqzBarApplicationMenuControl : public TqzBarSubMenuControl {
  TAVREN_CLASS(TqzBarApplicationMenuControl, TqzBarSubMenuControl)
 public:
  explicit TqzBarApplicationMenuControl(TComponent* AOwner);
  ~TqzBarApplicationMenuControl() override;
  void BeforeDestruction() override;

  // The menu whose links the window shows (nil for links of another owner).
  TqzBarCustomApplicationMenu* ApplicationMenu() const;
  // No pane and no buttons while the manager is customizing.
  bool HasExtraPane();
  const TRect& GetButtonsRect() const noexcept { return FButtonsRect; }
  const TRect& GetExtraPaneRect() const noexcept { return FExtraPaneRect; }
  Integer GetExtraPaneWidth() const noexcept { return FExtraPaneWidth; }
  TqzBarExtraPaneDockControl* GetExtraPaneDockControl() const noexcept { return FExtraPaneDockControl; }
  TqzBar* GetExtraPaneBar() const noexcept { return FExtraPaneBar; }
  TqzBarItemLinks* GetButtonLinks() const noexcept { return FButtonLinks.get(); }

  // Operations in slot order.
  virtual TClassOf<TqzBarExtraPaneDockControl> GetExtraPaneDockControlClass();

  void SetItemLinks(TqzBarItemLinks* ALinks) override;
  bool HasLinkControl(TqzBarItemControl* AControl) override;
  bool ChildMenuBounds(TRect& R) override;
  void GetContentSize(TSize& ASize) override;
  void ItemsAreaOffset(TRect& R) override;
  void CalcClientItemsRect() override;
  void CalcLayout(Byte AKind, Integer AIndex) override;
  void ShowAnimated() override;
  void PaintItems() override;
  void DrawNonClient(HDC DC, const TRect& R) override;
  void DrawItemControl(TqzBarItemControl* AControl, TkvCanvas* ACanvas, const TRect& R) override;
  Word KindFlags() override { return 0x9E; }
  // Accelerators are looked for in the menu's links, then the pane's, then the buttons'.
  TqzBarItemLink* AccelTarget(Word AKey, TShiftState AShift, bool& AAmbiguous, TqzBarItemLink* AAfterLink) override;
  // The control is selected where it stands (the menu or the pane) and, unless only selected,
  // pressed by an Enter to its window.
  void SelectAndPress(TqzBarItemControl* AControl, bool ASelectOnly) override;

  // The link Up (or Down) moves to from ALink (nil: nothing selected): the neighbour in its group,
  // past a group's end the first (last) selectable link of the next (previous) group, wrapping.
  // The groups are the menu's links, the pane's entries (while there are any) and the buttons.
  TqzBarItemLink* NeighbourLink(TqzBarItemLink* ALink, bool AUp);
  // The selected control in the menu or in the pane; nil for none.
  TqzBarItemControl* NavigationSelection();
  bool IsButtonControl(TqzBarItemControl* AControl) const;
  TClassOf<TCustomqzBarControlViewInfo> ViewInfoClass() override {
    return TqzBarApplicationMenuControlViewInfo::ClassInfo();
  }
  TClassOf<TqzBarAccessibilityHelper> GetAccessibilityHelperClass() override {
    return TqzBarApplicationMenuControlAccessibilityHelper::ClassInfo();
  }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  void WndProc(TMessage& Message) override;

 private:
  TqzBarExtraPaneControl* PaneWindow() const;
  std::vector<TqzBarItemLinks*> NavigationGroups();
  // Selects the control in its window and clears the selection of the other one.
  void SelectForNavigation(TqzBarItemControl* AControl);

  TRect FButtonsRect;
  TRect FExtraPaneRect;
  Integer FExtraPaneWidth = 0;
  TqzBarExtraPaneDockControl* FExtraPaneDockControl = nullptr;
  TqzBar* FExtraPaneBar = nullptr;
  std::unique_ptr<TqzBarItemLinks> FButtonLinks;
};
