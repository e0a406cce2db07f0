// The toolbars list: a sub-item whose menu lists the manager's toolbars to show and hide them.

#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarDesignController.h"
#include "toolkit/bars/qzBarExtItems.h"
#include "toolkit/bars/qzBarSubMenuControl.h"

TAVREN_CLASS_IMPL(TqzBarToolbarsListItem)
TAVREN_CLASS_IMPL(TqzBarToolbarsListItemControl)

bool TqzBarToolbarsListItem::SameKindAs(TqzBarItem* AItem) {
  return dynamic_cast<TqzBarToolbarsListItem*>(AItem) != nullptr;
}

TqzBarSubMenuControl* TqzBarToolbarsListItemControl::CreateSubMenu() {
  TqzBarManager* manager = GetBarManager();
  auto* item = dynamic_cast<TCustomqzBarSubItem*>(GetItem());
  // While the bars are being customized the list shows no menu.
  if (!manager || !item || manager->IsCustomizingOrDesigning()) return nullptr;
  // The entries are made anew each time: toolbars come, go and change their visibility.
  DesignControllerInstance()->FillToolbarsList(item->GetItemLinks());
  return inherited::CreateSubMenu();
}
