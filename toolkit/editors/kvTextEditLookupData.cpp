// The lookup texts behind a text editor: current key, highlighted row and prefix search.

#include <algorithm>

#include "rtl/SysUtils.h"
#include "toolkit/editors/kvTextEdit.h"

Integer LookupStepTarget(Integer Base, TkvLookupStep Direction, Integer Count, Integer PageRows, bool Cycle) {
  Integer last = Count - 1;
  switch (Direction) {
    case lsFirst: return 0;
    case lsLast: return last;
    case lsNext: return Base >= last ? (Cycle ? 0 : Base) : Base + 1;
    case lsPrevious: return Base - 1 < 0 ? (Cycle ? last : Base) : Base - 1;
    case lsPageUp:
      if (Base <= 0) return Cycle ? last : Base;
      return std::max(0, Base - PageRows + 1);
    case lsPageDown:
      if (Base == last && Cycle) return 0;
      return std::min(last, Base == -1 ? PageRows - 1 : Base + PageRows - 1);
  }
  return Base;
}

TAVREN_CLASS_IMPL(TkvCustomTextEditLookupData)

TClassOf<TkvCustomTextEditLookupData> TkvCustomTextEditProperties::LookupDataClass() {
  return TkvCustomTextEditLookupData::ClassInfo();
}

TkvCustomEdit* TkvCustomTextEditLookupData::GetOwnerEdit() { return dynamic_cast<TkvCustomEdit*>(GetOwner()); }

TkvCustomTextEditProperties* TkvCustomTextEditLookupData::GetOwnerProperties() {
  TkvCustomEdit* edit = GetOwnerEdit();
  return edit ? dynamic_cast<TkvCustomTextEditProperties*>(edit->GetEffectiveProperties()) : nullptr;
}

String TkvCustomTextEditLookupData::ItemText(Integer Index) {
  return GetOwnerProperties()->GetLookupItems()->GetStrings(Index);
}

Integer TkvCustomTextEditLookupData::ItemCount() {
  TkvCustomTextEditProperties* properties = GetOwnerProperties();
  return properties ? properties->GetLookupItems()->GetCount() : 0;
}

Integer TkvCustomTextEditLookupData::FindText(const String& Text) {
  Integer count = ItemCount();
  for (Integer i = 0; i < count; ++i)
    if (AnsiSameText(ItemText(i), Text)) return i;
  return -1;
}

String TkvCustomTextEditLookupData::KeyText(Integer Key) {
  return Key >= 0 && Key < ItemCount() ? ItemText(Key) : String();
}

void TkvCustomTextEditLookupData::StoreCurrentKey(Integer Key) {
  if (Key < -1 || Key >= ItemCount()) return;
  FCurrentKey = Key;
  HighlightRow(Key);
}

void TkvCustomTextEditLookupData::HighlightRow(Integer Index) {
  if (Index < -1 || Index >= ItemCount()) return;
  if (Index == FHighlightedRow && Index != -1) return;
  FHighlightedRow = Index;
}

bool TkvCustomTextEditLookupData::Locate(String& Text, String& Tail, bool Exact, bool FromCurrent) {
  Integer count = ItemCount();
  bool prefix = !Exact || !GetOwnerProperties()->GetExactLookup();
  if (count > 0 && !prefix) {
    Integer found = FindText(Text);
    if (found != -1) Tail.clear();
    StoreCurrentKey(found);
    return found != -1;
  }
  if (count > 0 && !Text.empty()) {
    size_t n = Text.size();
    String wanted = AnsiUpperCase(Text);
    for (Integer i = (FromCurrent ? FHighlightedRow : -1) + 1; i < count; ++i) {
      String item = ItemText(i);
      if (item.size() < n || AnsiUpperCase(item.substr(0, n)) != wanted) continue;
      Text = item.substr(0, n);
      Tail = item.substr(n);
      StoreCurrentKey(i);
      return true;
    }
  }
  // A list style keeps the key a typed text last matched.
  Byte style = count > 0 ? GetOwnerProperties()->EditingStyleCode() : Byte(kvEditingFreeText);
  bool keep = prefix && ((style == kvEditingListText && !Text.empty()) || style == kvEditingStrictList);
  if (!keep) StoreCurrentKey(-1);
  return false;
}
