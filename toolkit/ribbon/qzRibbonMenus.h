#pragma once
// Popup menus placed on ribbon forms: drawn with their ribbon's groups painter, and opening
// their context menus on button release as the ribbon's own menus do.

#include "toolkit/bars/qzBarPopupMenu.h"
#include "toolkit/bars/qzBarSubMenuControl.h"

class TqzCustomRibbon;

// Kind flags of the ribbon's menu windows: a menu's, with the context menu on release.
constexpr Word qzKindRibbonMenu = 0x019E;

class TqzRibbonPopupMenuControl : public TqzBarSubMenuControl {
  TAVREN_CLASS(TqzRibbonPopupMenuControl, TqzBarSubMenuControl)
 public:
  using TqzBarSubMenuControl::TqzBarSubMenuControl;
  Word KindFlags() override { return qzKindRibbonMenu; }
};

class TqzRibbonPopupMenu : public TqzBarPopupMenu {
  TAVREN_CLASS(TqzRibbonPopupMenu, TqzBarPopupMenu)
 public:
  using TqzBarPopupMenu::TqzBarPopupMenu;
  ~TqzRibbonPopupMenu() override;

  TClassOf<TqzBarSubMenuControl> GetMenuControlClass() override;
  // The window draws with the ribbon's groups painter while a ribbon is set.
  TqzBarSubMenuControl* CreateMenuControl() override;

  TqzCustomRibbon* GetRibbon() const noexcept { return FRibbon; }
  void SetRibbon(TqzCustomRibbon* Value);

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TqzCustomRibbon* FRibbon = nullptr;
};
