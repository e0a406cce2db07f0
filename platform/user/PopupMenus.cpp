#include "user/PopupMenus.h"

#include <algorithm>
#include <string>
#include <unordered_set>
#include <vector>

#include "user/Messages.h"

namespace {

struct MenuItem {
  UINT flags = 0;
  UINT_PTR id = 0;
  std::string text;
};

struct MenuData {
  std::vector<MenuItem> items;
};

std::unordered_set<MenuData*>& LiveMenus() {
  static std::unordered_set<MenuData*> menus;
  return menus;
}

TPopupMenuTracker& Tracker() {
  static TPopupMenuTracker tracker;
  return tracker;
}

MenuData* Data(HMENU menu) {
  auto* data = reinterpret_cast<MenuData*>(menu);
  return LiveMenus().count(data) ? data : nullptr;
}

// The index an item reference names, or -1.
int IndexOf(MenuData* data, UINT item, UINT flags) {
  if (flags & MF_BYPOSITION) return item < data->items.size() ? static_cast<int>(item) : -1;
  for (size_t i = 0; i < data->items.size(); ++i)
    if (!(data->items[i].flags & MF_SEPARATOR) && data->items[i].id == item) return static_cast<int>(i);
  return -1;
}

MenuItem MakeItem(UINT flags, UINT_PTR id, const char* text) {
  MenuItem item;
  item.flags = flags & (MF_GRAYED | MF_DISABLED | MF_SEPARATOR | MF_DEFAULT);
  item.id = item.flags & MF_SEPARATOR ? 0 : id;
  if (text && !(item.flags & MF_SEPARATOR)) item.text = text;
  return item;
}

}  // namespace

HMENU CreatePopupMenu() {
  auto* data = new MenuData;
  LiveMenus().insert(data);
  return reinterpret_cast<HMENU>(data);
}

BOOL DestroyMenu(HMENU menu) {
  MenuData* data = Data(menu);
  if (!data) return FALSE;
  LiveMenus().erase(data);
  delete data;
  return TRUE;
}

BOOL IsMenu(HMENU menu) { return Data(menu) != nullptr; }

BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR id, const char* text) {
  MenuData* data = Data(menu);
  if (!data) return FALSE;
  data->items.push_back(MakeItem(flags, id, text));
  return TRUE;
}

BOOL InsertMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR id, const char* text) {
  MenuData* data = Data(menu);
  if (!data) return FALSE;
  size_t at = data->items.size();
  if (flags & MF_BYPOSITION) {
    if (position != static_cast<UINT>(-1) && position < data->items.size()) at = position;
  } else {
    const int index = IndexOf(data, position, MF_BYCOMMAND);
    if (index < 0) return FALSE;
    at = static_cast<size_t>(index);
  }
  data->items.insert(data->items.begin() + static_cast<std::ptrdiff_t>(at), MakeItem(flags, id, text));
  return TRUE;
}

int GetMenuItemCount(HMENU menu) {
  MenuData* data = Data(menu);
  return data ? static_cast<int>(data->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
  MenuData* data = Data(menu);
  if (!data || position < 0 || static_cast<size_t>(position) >= data->items.size()) return 0xFFFFFFFF;
  const MenuItem& item = data->items[static_cast<size_t>(position)];
  return item.flags & MF_SEPARATOR ? 0xFFFFFFFF : static_cast<UINT>(item.id);
}

int GetMenuStringA(HMENU menu, UINT item, char* text, int max, UINT flags) {
  MenuData* data = Data(menu);
  const int index = data ? IndexOf(data, item, flags) : -1;
  if (index < 0) return 0;
  const std::string& s = data->items[static_cast<size_t>(index)].text;
  if (!text || max <= 0) return static_cast<int>(s.size());
  // Cut on a whole UTF-8 character so that the copy stays valid.
  size_t n = std::min(s.size(), static_cast<size_t>(max - 1));
  while (n > 0 && n < s.size() && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) --n;
  std::copy_n(s.data(), n, text);
  text[n] = '\0';
  return static_cast<int>(n);
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
  MenuData* data = Data(menu);
  const int index = data ? IndexOf(data, item, flags) : -1;
  return index < 0 ? 0xFFFFFFFF : data->items[static_cast<size_t>(index)].flags;
}

UINT EnableMenuItem(HMENU menu, UINT item, UINT enable) {
  MenuData* data = Data(menu);
  const int index = data ? IndexOf(data, item, enable & MF_BYPOSITION) : -1;
  if (index < 0) return 0xFFFFFFFF;
  MenuItem& entry = data->items[static_cast<size_t>(index)];
  const UINT former = entry.flags & (MF_GRAYED | MF_DISABLED);
  entry.flags = (entry.flags & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
  return former;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND window, const RECT*) {
  if (!Data(menu) || !Tracker()) return FALSE;
  const UINT chosen = Tracker()(menu, POINT{x, y});
  if (flags & TPM_RETURNCMD) return static_cast<BOOL>(chosen);
  if (chosen && window) PostMessage(window, WM_COMMAND, chosen, 0);
  return chosen != 0;
}

void SetPopupMenuTracker(TPopupMenuTracker tracker) { Tracker() = std::move(tracker); }
