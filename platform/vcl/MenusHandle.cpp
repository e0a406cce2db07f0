// The tracker of menu handles: a handle's items shown by the framework's popup menu window.

#include <memory>

#include "user/PopupMenus.h"
#include "vcl/Menus.h"

namespace {

UINT TrackMenuHandle(HMENU Menu, POINT Where) {
  TMenuItem root(nullptr);
  const int count = GetMenuItemCount(Menu);
  for (int i = 0; i < count; ++i) {
    auto* item = new TMenuItem(nullptr);
    const UINT state = GetMenuState(Menu, static_cast<UINT>(i), MF_BYPOSITION);
    if (state & MF_SEPARATOR) {
      item->SetCaption("-");
    } else {
      char text[256] = {};
      GetMenuStringA(Menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
      item->SetCaption(text);
      item->SetTag(static_cast<intptr_t>(GetMenuItemID(Menu, i)));
      item->SetEnabled(!(state & (MF_GRAYED | MF_DISABLED)));
      item->SetDefault((state & MF_DEFAULT) != 0);
    }
    root.Add(item);
  }
  TMenuItem* chosen = TrackPopupMenuItems(&root, TPoint(Where.X, Where.Y), paLeft);
  return chosen ? static_cast<UINT>(chosen->GetTag()) : 0;
}

}  // namespace

void MenuHandlesStart() { SetPopupMenuTracker(&TrackMenuHandle); }

void MenuHandlesEnd() { SetPopupMenuTracker(nullptr); }
