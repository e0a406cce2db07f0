#pragma once
// Menus the bars build for themselves: a menu window that owns its links, the customizing popup
// (a link's context menu while customizing, the ribbon's customize menu) and the toolbars popup
// (the list of toolbars a right click on a toolbar shows). Their links hold internal items of the
// design controller and are never customized themselves.

#include <memory>

#include "toolkit/bars/qzBarSubMenuControl.h"

class TqzBarInternalSubMenuControl : public TqzBarSubMenuControl {
  TAVREN_CLASS(TqzBarInternalSubMenuControl, TqzBarSubMenuControl)
 public:
  explicit TqzBarInternalSubMenuControl(TComponent* AOwner);
  ~TqzBarInternalSubMenuControl() override;
  bool IsInternalMenu() override { return true; }

 private:
  std::unique_ptr<TqzBarSubMenuControlItemLinks> FOwnLinks;
};

class TqzBarCustomizingPopup : public TqzBarInternalSubMenuControl {
  TAVREN_CLASS(TqzBarCustomizingPopup, TqzBarInternalSubMenuControl)
 public:
  explicit TqzBarCustomizingPopup(TComponent* AOwner);
};

class TqzBarToolbarsPopup : public TqzBarInternalSubMenuControl {
  TAVREN_CLASS(TqzBarToolbarsPopup, TqzBarInternalSubMenuControl)
 public:
  using TqzBarInternalSubMenuControl::TqzBarInternalSubMenuControl;
};
