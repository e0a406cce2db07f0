#pragma once
// A whole ribbon group on the quick access toolbar as one button: pressing it opens the group
// as a popup, the same popup a collapsed group opens.

#include "toolkit/bars/qzBarItemControlButtons.h"
#include "toolkit/bars/qzBarItems.h"
#include "toolkit/ribbon/qzRibbonGroupBar.h"

class TqzRibbonQuickAccessGroupButtonPopupBarControl;

class TqzRibbonQuickAccessGroupButton : public TqzBarItem {
  TAVREN_CLASS(TqzRibbonQuickAccessGroupButton, TqzBarItem)
 public:
  explicit TqzRibbonQuickAccessGroupButton(TComponent* AOwner) : TqzBarItem(AOwner) {}
  ~TqzRibbonQuickAccessGroupButton() override;

  // Only on a quick access toolbar, for a toolbar that is a group of the same manager's ribbon
  // and that no other group button of the target shows (always while the manager loads).
  bool CanBePlacedOn(Integer APlaceKind, TqzBar* ABar, String& AMessage) override;
  // The group's caption; "GroupButton" without a group. Never stored, never set.
  String GetCaption() const override;
  bool IsCaptionStored() override { return false; }
  void SetCaption(const String&) override {}

  TqzBar* GetToolbar() const noexcept { return FToolbar; }
  // Ignored unless the toolbar is a group of the ribbon whose quick access toolbar holds the
  // button (any value while loading, before the button has a link, and nil).
  void SetToolbar(TqzBar* Value);

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  bool AcceptsToolbar(TqzBar* AToolbar);

  TqzBar* FToolbar = nullptr;
};

// The group button among the links that shows the toolbar, other than AExcept; nil for none.
TqzRibbonQuickAccessGroupButton* FindGroupButton(TqzBarItemLinks* ALinks, TqzBar* AToolbar,
                                                 TqzBarItem* AExcept = nullptr);

class TqzRibbonQuickAccessGroupButtonControl : public TqzBarButtonLikeControl {
  TAVREN_CLASS(TqzRibbonQuickAccessGroupButtonControl, TqzBarButtonLikeControl)
 public:
  using TqzBarButtonLikeControl::TqzBarButtonLikeControl;
  ~TqzRibbonQuickAccessGroupButtonControl() override;

  TqzRibbonQuickAccessGroupButton* GroupButton() const;
  TqzRibbonQuickAccessGroupButtonPopupBarControl* GetPopup() const noexcept { return FPopup; }

  // Enabled only with a group (or while designing).
  bool IsEnabled() override;
  void FillDrawParams(bool ARefresh) override;
  bool IsDroppedDown() override { return FPopup != nullptr; }
  bool HasDropDown() override { return true; }
  bool CountsUse() override { return false; }
  bool IsActionable() override;
  // A press opens the group's popup (a second press closes it, as for every drop-down).
  void UserActivate(bool AByMouse) override;
  void ActivateByKey(bool AFlag) override;
  // The group as a popup below the button; opened from the keyboard, its first element is
  // selected.
  void OpenDropDown(bool AByMouse) override;
  // The popup goes.
  void CloseUp(bool AClose) override;
  Byte GetContentKind() override { return qzContentIcon; }
  // A square as high as the ribbon's rows, whatever the group shows.
  Integer GetWidth() override;
  Integer GetHeight() override { return GetWidth(); }
  void DrawInRect(const TRect& R, Byte AState) override;
  // The group's glyph, none when it is empty.
  bool GetImageSource(Byte ASize, Integer AFlags, Integer& AIndex, TCustomImageList*& AList,
                      TBitmap*& AGlyph) override;
  String GetHint() override;
  TClassOf<TqzBarAccessibilityHelper> AccessibilityHelperClass() override;

 private:
  friend class TqzRibbonQuickAccessGroupButtonPopupBarControl;
  TqzRibbonQuickAccessGroupButtonPopupBarControl* FPopup = nullptr;
};

// The group button's popup. A press on the open button closes it without opening it again.
class TqzRibbonQuickAccessGroupButtonPopupBarControl : public TqzRibbonCollapsedGroupPopupBarControl {
  TAVREN_CLASS(TqzRibbonQuickAccessGroupButtonPopupBarControl, TqzRibbonCollapsedGroupPopupBarControl)
 public:
  // Opened by AControl for the group's toolbar AGroupBar, with copies of its links.
  TqzRibbonQuickAccessGroupButtonPopupBarControl(TqzRibbonQuickAccessGroupButtonControl* AControl, TqzBar* AGroupBar);
  ~TqzRibbonQuickAccessGroupButtonPopupBarControl() override;

  TqzRibbonQuickAccessGroupButtonControl* GroupButtonControl() const noexcept { return FControl; }
  Word KindFlags() override { return inherited::KindFlags() | 0x20; }
  // The button's rectangle on the screen.
  void GetParentOpenerRect(TRect& R) override;
  // The popup goes through its button.
  void ResetParentMark() override;
  bool CanActivate() override { return !FPressingItem && inherited::CanActivate(); }
  void PressItemControl(TqzBarItemControl* AControl) override;
  // Closed by Esc in keyboard navigation, the keyboard goes back to the button.
  void CloseOnEscape() override;

 protected:
  // The popup opens under its button, wherever the toolbar lies: above the ribbon it may cover
  // the ribbon, which is not its opener.
  void GetAvoidedRect(const TRect& AOwnerRect, TRect& R) override { R = AOwnerRect; }

 private:
  friend class TqzRibbonQuickAccessGroupButtonControl;
  TqzRibbonQuickAccessGroupButtonControl* FControl;
  bool FPressingItem = false;
};
