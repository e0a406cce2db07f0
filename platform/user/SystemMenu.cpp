#include "user/MessageNumbers.h"
#include "user/PopupMenus.h"
#include "user/WindowInternals.h"
#include "user/WindowStyles.h"
#include "user/WindowTree.h"

namespace {

HMENU StandardSystemMenu() {
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, SC_RESTORE, "&Restore");
  AppendMenuA(menu, MF_STRING, SC_MOVE, "&Move");
  AppendMenuA(menu, MF_STRING, SC_SIZE, "&Size");
  AppendMenuA(menu, MF_STRING, SC_MINIMIZE, "Mi&nimize");
  AppendMenuA(menu, MF_STRING, SC_MAXIMIZE, "Ma&ximize");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING | MF_DEFAULT, SC_CLOSE, "&Close");
  return menu;
}

// Grays what the window cannot do now; the items a program removed stay away.
void UpdateSystemMenu(const Window* window) {
  const bool minimized = IsIconic(window->handle);
  const bool maximized = IsZoomed(window->handle);
  const DWORD style = window->style;
  auto state = [](bool enabled) { return MF_BYCOMMAND | (enabled ? 0u : MF_GRAYED); };
  EnableMenuItem(window->systemMenu, SC_RESTORE, state(minimized || maximized));
  EnableMenuItem(window->systemMenu, SC_MOVE, state(!maximized));
  EnableMenuItem(window->systemMenu, SC_SIZE, state(!minimized && !maximized && (style & WS_THICKFRAME)));
  EnableMenuItem(window->systemMenu, SC_MINIMIZE, state(!minimized && (style & WS_MINIMIZEBOX)));
  EnableMenuItem(window->systemMenu, SC_MAXIMIZE, state(!maximized && (style & WS_MAXIMIZEBOX)));
}

}  // namespace

HMENU GetSystemMenu(HWND handle, BOOL revert) {
  Window* window = WindowFromHandle(handle);
  if (!window) return nullptr;
  if (revert) {
    if (window->systemMenu) DestroyMenu(window->systemMenu);
    window->systemMenu = nullptr;
    return nullptr;
  }
  if (!(window->style & WS_SYSMENU)) return nullptr;
  if (!window->systemMenu) window->systemMenu = StandardSystemMenu();
  UpdateSystemMenu(window);
  return window->systemMenu;
}
