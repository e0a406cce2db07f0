#pragma once
// Quick customization: the "Add or Remove Buttons" entry of a toolbar's quick control, its menu
// with one check entry per link of the toolbar (a click shows or hides that link) and the further
// commands below them (reset, customize).

#include <vector>

#include "toolkit/bars/qzBarItemControlButtons.h"
#include "toolkit/bars/qzBarItemControlSubItems.h"
#include "toolkit/bars/qzBarSubMenuControl.h"

class TqzBarControl;

// The "Add or Remove Buttons" sub item; it fills its menu from the toolbar it stands for each
// time the menu opens.
class TqzBarQuickAccessItem : public TqzBarSubItem {
  TAVREN_CLASS(TqzBarQuickAccessItem, TqzBarSubItem)
 public:
  explicit TqzBarQuickAccessItem(TComponent* AOwner);
  TqzBarControl* GetToolbar() const;
  void SetToolbar(TqzBarControl* Value);
  // Its menu's entries afresh: the toolbar's links, then its commands.
  void FillEntries();

 private:
  TWeakRef<TqzBarControl> FToolbar;
};

// The menu window of that sub item.
class TqzBarQuickAccessSubControl : public TqzBarSubMenuControl {
  TAVREN_CLASS(TqzBarQuickAccessSubControl, TqzBarSubMenuControl)
 public:
  using TqzBarSubMenuControl::TqzBarSubMenuControl;
  bool IsQuickCustomizingBar() override { return true; }
};

// The sub item's control: its menu is a quick-access menu filled when it opens.
class TqzBarQuickAccessItemControl : public TqzBarSubItemControl {
  TAVREN_CLASS(TqzBarQuickAccessItemControl, TqzBarSubItemControl)
 public:
  using TqzBarSubItemControl::TqzBarSubItemControl;

 protected:
  TqzBarSubMenuControl* CreateSubMenu() override;
};

// One entry per link of the toolbar: each link of the item stands for one toolbar link (its Data
// is the index of the represented link). Clicks keep the menu open.
class TqzBarQuickCustItem : public TqzBarButton {
  TAVREN_CLASS(TqzBarQuickCustItem, TqzBarButton)
 public:
  explicit TqzBarQuickCustItem(TComponent* AOwner);
  // A link of this item standing for the toolbar link.
  TqzBarItemLink* AddRepresentingLink(TqzBarItemLinks* ALinks, TqzBarItemLink* ASource);
  // The toolbar link an entry link stands for; nil once that link is gone.
  TqzBarItemLink* RepresentedLink(TqzBarItemLink* AEntry) const;

 private:
  std::vector<TWeakRef<TqzBarItemLink>> FRepresented;
};

// A further command of the menu ("Reset Toolbar", "Customize...").
class TqzBarQuickCustExtButton : public TqzBarButton {
  TAVREN_CLASS(TqzBarQuickCustExtButton, TqzBarButton)
 public:
  using TqzBarButton::TqzBarButton;
};

// The entries' common control: a square check column at the left, the button right of it.
class TqzCustomQuickCustItemControl : public TqzBarButtonControl {
  TAVREN_CLASS(TqzCustomQuickCustItemControl, TqzBarButtonControl)
 public:
  using TqzBarButtonControl::TqzBarButtonControl;
  Integer GetWidth() override;
  void DrawInRect(const TRect& R, Byte AState) override;

 protected:
  virtual bool IsChecked() { return false; }
};

// Shows the represented link (caption, images, hint, shortcut), checked while it is visible; a
// click shows or hides it.
class TqzBarQuickCustItemControl : public TqzCustomQuickCustItemControl {
  TAVREN_CLASS(TqzBarQuickCustItemControl, TqzCustomQuickCustItemControl)
 public:
  using TqzCustomQuickCustItemControl::TqzCustomQuickCustItemControl;
  TqzBarItemLink* RepresentedLink();
  String GetCaption() override;
  TBitmap* LinkGlyph() override;
  Integer ImageIndexOf() override;
  String GetHint() override;
  TBitmap* LargeGlyphOf() override;
  Integer LargeImageIndexOf() override;
  TShortCut ShortCutOf() override;
  bool CountsUse() override { return false; }
  void DoClick() override;

 protected:
  bool IsChecked() override;
};

class TqzBarQuickCustExtButtonControl : public TqzCustomQuickCustItemControl {
  TAVREN_CLASS(TqzBarQuickCustExtButtonControl, TqzCustomQuickCustItemControl)
 public:
  using TqzCustomQuickCustItemControl::TqzCustomQuickCustItemControl;
};
