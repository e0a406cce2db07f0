#pragma once
// The quick access toolbar's customize entry: the last entry of the mark's popup, drawn as the
// mark, opening a menu of one check item per toolbar link (showing or hiding it) followed by the
// ribbon's commands.

#include "toolkit/bars/qzBarItemControlButtons.h"
#include "toolkit/bars/qzBarItemControlSubItems.h"
#include "toolkit/bars/qzBarItems.h"
#include "toolkit/bars/qzBarSubMenuControl.h"

class TqzRibbonQuickAccessBarControl;

// The customize menu. Closed by Esc while the toolbar hides nothing (its popup is invisible
// then), it takes the toolbar's mark back to normal, which closes that popup too.
class TqzRibbonQuickAccessPopupSubMenuControl : public TqzBarSubMenuControl {
  TAVREN_CLASS(TqzRibbonQuickAccessPopupSubMenuControl, TqzBarSubMenuControl)
 public:
  TqzRibbonQuickAccessPopupSubMenuControl(TComponent* AOwner, TqzRibbonQuickAccessBarControl* AToolbar);
  void HideBar() override;
  // Its entries are the toolbar's own, made for this opening: they offer no context menu.
  void ShowContextPopup(TqzBarItemControl*) override {}

 private:
  TqzRibbonQuickAccessBarControl* FToolbar;
};

class TqzRibbonQuickAccessPopupSubItem : public TqzBarSubItem {
  TAVREN_CLASS(TqzRibbonQuickAccessPopupSubItem, TqzBarSubItem)
 public:
  using TqzBarSubItem::TqzBarSubItem;
};

class TqzRibbonQuickAccessPopupSubItemControl : public TqzBarSubItemControl {
  TAVREN_CLASS(TqzRibbonQuickAccessPopupSubItemControl, TqzBarSubItemControl)
 public:
  using TqzBarSubItemControl::TqzBarSubItemControl;
  // As wide as the toolbar's mark.
  Integer GetWidth() override;
  // The mark's look: pressed while the menu is open, hot while selected.
  void DrawInRect(const TRect& R, Byte AState) override;

 protected:
  TqzBarSubMenuControl* CreateSubMenu() override;
};

// A check item of the customize menu; its Tag holds the toolbar link it stands for, which its
// click shows or hides.
class TqzRibbonQuickAccessPopupSubItemButton : public TqzBarButton {
  TAVREN_CLASS(TqzRibbonQuickAccessPopupSubItemButton, TqzBarButton)
 public:
  using TqzBarButton::TqzBarButton;
  void Click() override;
};

// The check item's control: an ordinary check button of the menu, its own class so that the
// registry pairs the check items with it.
class TqzRibbonQuickAccessPopupSubItemButtonControl : public TqzBarButtonControl {
  TAVREN_CLASS(TqzRibbonQuickAccessPopupSubItemButtonControl, TqzBarButtonControl)
 public:
  using TqzBarButtonControl::TqzBarButtonControl;
};
