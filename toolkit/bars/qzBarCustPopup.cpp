// The menus the bars build for themselves.

#include "toolkit/bars/qzBarCustPopup.h"

TAVREN_CLASS_IMPL(TqzBarInternalSubMenuControl)
TAVREN_CLASS_IMPL(TqzBarCustomizingPopup)
TAVREN_CLASS_IMPL(TqzBarToolbarsPopup)

TqzBarInternalSubMenuControl::TqzBarInternalSubMenuControl(TComponent* AOwner) : TqzBarSubMenuControl(AOwner) {
  FOwnLinks = std::make_unique<TqzBarSubMenuControlItemLinks>(GetControlBarManager(), nullptr);
  FOwnLinks->SetInternal(true);
  SetItemLinks(FOwnLinks.get());
}

TqzBarInternalSubMenuControl::~TqzBarInternalSubMenuControl() {
  // The controls go with the window's links before the links themselves.
  SetItemLinks(nullptr);
}

TqzBarCustomizingPopup::TqzBarCustomizingPopup(TComponent* AOwner) : TqzBarInternalSubMenuControl(AOwner) {
  SetAnimateOnShow(false);
}
