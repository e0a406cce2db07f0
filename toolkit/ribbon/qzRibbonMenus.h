#pragma once
// The ribbon's menus: popup menus placed on ribbon forms and the application menu its application
// button opens. Both draw with the ribbon's groups painter and open their context menus on button
// release as the ribbon's own menus do.

#include "toolkit/bars/qzBarApplicationMenu.h"
#include "toolkit/bars/qzBarApplicationMenuControl.h"
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

// The application menu's window as the ribbon opens it: the place of the application button lets
// the mouse through to the ribbon, so that a click there closes the menu.
class TqzRibbonApplicationMenuControl : public TqzBarApplicationMenuControl {
  TAVREN_CLASS(TqzRibbonApplicationMenuControl, TqzBarApplicationMenuControl)
 public:
  using TqzBarApplicationMenuControl::TqzBarApplicationMenuControl;
  Word KindFlags() override { return TqzBarApplicationMenuControl::KindFlags() | qzKindContextOnRelease; }
  // A right click on an entry offers the ribbon's context commands (the quick access toolbar's
  // add or remove among them); the menu closes after one runs.
  void FillCustomizingPopup(TqzBarItemLinks* ALinks, TqzBarItemLink* ALink) override;

 protected:
  void WndProc(TMessage& Message) override;
};

class TqzBarApplicationMenu : public TqzBarCustomApplicationMenu {
  TAVREN_CLASS(TqzBarApplicationMenu, TqzBarCustomApplicationMenu)
 public:
  using TqzBarCustomApplicationMenu::TqzBarCustomApplicationMenu;
  TClassOf<TqzBarSubMenuControl> GetMenuControlClass() override;

  // Read from older forms only: the pane's values under the menu's own names.
  double GetExtraPaneWidthRatio() const { return GetExtraPane()->GetWidthRatio(); }
  void SetExtraPaneWidthRatio(double Value) { GetExtraPane()->SetWidthRatio(Value); }
  Integer GetExtraPaneSize() const { return GetExtraPane()->GetSize(); }
  void SetExtraPaneSize(Integer Value) { GetExtraPane()->SetSize(Value); }
  TqzBarExtraPaneItems* GetExtraPaneItems() const { return GetExtraPane()->GetItems(); }
  void SetExtraPaneItems(TqzBarExtraPaneItems* Value) { GetExtraPane()->SetItems(Value); }
  String GetExtraPaneHeader() const { return GetExtraPane()->GetHeader(); }
  void SetExtraPaneHeader(const String& Value) { GetExtraPane()->SetHeader(Value); }
  TqzBarExtraPaneNotifyEvent GetOnExtraPaneItemClick() const { return GetExtraPane()->GetOnItemClick(); }
  void SetOnExtraPaneItemClick(TqzBarExtraPaneNotifyEvent Value) { GetExtraPane()->SetOnItemClick(Value); }
};
