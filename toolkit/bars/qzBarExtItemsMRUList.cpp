// The recent-entries list: a capped list item whose long paths are shortened for the menu.

#include "toolkit/bars/qzBarExtItems.h"
#include "user/WindowDC.h"

TAVREN_CLASS_IMPL_PUBLISHED(TqzBarMRUListItem,
    PROPERTY(MaxItemCount).Default(5),
    PROPERTY(RemoveItemOnClick).Default(false))

namespace {

// How long a shortened entry may be on the screen.
constexpr Integer kEntryWidth = 300;

}  // namespace

String TqzBarMRUListItem::DisplayTextOf(const String& AEntry) {
  String text = inherited::DisplayTextOf(AEntry);
  if (text.empty()) return text;
  // The shortened text never outgrows the entry it comes from, so a copy of the entry is room
  // enough, whatever its length.
  String buffer = text;
  RECT r = {0, 0, kEntryWidth, 100};
  HDC screen = GetDC(nullptr);
  DrawText(screen, buffer.data(), -1, &r,
           DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX | DT_PATH_ELLIPSIS | DT_MODIFYSTRING);
  ReleaseDC(nullptr, screen);
  buffer.resize(std::char_traits<char>::length(buffer.c_str()));
  return buffer;
}

void TqzBarMRUListItem::RemoveItem(const String& AText, TObject* AObject) {
  TStrings* items = GetItems();
  Integer index = AText.empty() ? items->IndexOfObject(AObject) : items->IndexOf(AText);
  if (index >= 0) items->Delete(index);
}

void TqzBarMRUListItem::SetMaxItemCount(Integer Value) {
  Value = std::max(Value, 0);
  if (FMaxItemCount == Value) return;
  FMaxItemCount = Value;
  if (FMaxItemCount == 0) return;
  TStrings* items = GetItems();
  items->BeginUpdate();
  while (items->GetCount() > FMaxItemCount) items->Delete(items->GetCount() - 1);
  items->EndUpdate();
}

void TqzBarMRUListItem::EntryClick(TObject* Sender) {
  inherited::EntryClick(Sender);
  TqzBarManager* manager = GetBarManager();
  if (!FRemoveItemOnClick || (manager && manager->IsCustomizingOrDesigning())) return;
  Integer index = GetItemIndex();
  if (index >= 0 && index < GetItems()->GetCount()) GetItems()->Delete(index);
  SetItemIndex(-1);
}
