// The lookup texts behind a text editor: current key, highlighted row and prefix search.

#include <algorithm>

#include "controls/ListBox.h"
#include "rtl/SysUtils.h"
#include "user/Rects.h"
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

TkvCustomTextEditLookupData::~TkvCustomTextEditLookupData() {
  // The list belongs to the editor as a component; it goes with the lookup that made it.
  delete FList;
}

TClassOf<TkvCustomTextEditLookupData> TkvCustomTextEditProperties::LookupDataClass() {
  return TkvCustomTextEditLookupData::ClassInfo();
}

TkvCustomEdit* TkvCustomTextEditLookupData::GetOwnerEdit() { return FOwnerEdit; }

TkvCustomTextEditLookupData::TScan::TScan(TkvCustomTextEditLookupData* Data)
    : FData(Data), FSaved(Data->FScanProperties) {
  Data->FScanProperties = Data->GetOwnerProperties();
}

TkvCustomTextEditLookupData::TScan::~TScan() { FData->FScanProperties = FSaved; }

TkvCustomTextEditProperties* TkvCustomTextEditLookupData::GetOwnerProperties() {
  if (FScanProperties) return FScanProperties;
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
  TScan scan(this);
  Integer count = ItemCount();
  for (Integer i = 0; i < count; ++i)
    if (AnsiSameText(ItemText(i), Text)) return i;
  return -1;
}

String TkvCustomTextEditLookupData::KeyText(const Variant& Key) {
  return VarIsNull(Key) || VarIsEmpty(Key) ? String() : KeyText(Key.AsInteger());
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
  if (FList) {
    // Through row 0, so that the list scrolls back to the top.
    if (Index == -1 && FList->GetItems()->GetCount() > 0) FList->SetItemIndex(0);
    FList->SetItemIndex(Index);
  }
  FHighlightedRow = Index;
}

void TkvCustomTextEditLookupData::MoveCurrentKey(const Variant& Key) {
  MoveCurrentKey(VarIsNull(Key) || VarIsEmpty(Key) ? -1 : Key.AsInteger());
}

void TkvCustomTextEditLookupData::MoveCurrentKey(Integer Key) {
  Integer old = FCurrentKey;
  StoreCurrentKey(Key);
  bool wasLocked = FTextChangeLock;
  FTextChangeLock = true;
  try {
    if (FCurrentKey != old || (Key >= 0 && Key < ItemCount() && KeyText(Key) != EditorText())) FOnItemPicked(this);
  } catch (...) {
    FTextChangeLock = wasLocked;
    throw;
  }
  FTextChangeLock = wasLocked;
}

void TkvCustomTextEditLookupData::Step(TkvLookupStep Direction, bool Cycle) {
  Integer count = ItemCount();
  if (count == 0) return;
  Integer base = FHighlightedRow != -1 ? FHighlightedRow : FCurrentKey;
  Integer target = LookupStepTarget(base, Direction, count, GetOwnerProperties()->LookupPageRows(), Cycle);
  TkvCustomEdit* edit = GetOwnerEdit();
  bool listShown = FList && FList->IsVisible();
  if (!listShown || (GetOwnerProperties()->GetImmediateUpdateText() && edit->RequestEdit()))
    MoveCurrentKey(target);
  else
    HighlightRow(target);
}

void TkvCustomTextEditLookupData::PickHighlightedRow() {
  if (FHighlightedRow == -1) return;
  Integer row = FHighlightedRow;
  if (FCurrentKey == row && !GetOwnerEdit()->RequestEdit()) return;
  Integer old = FCurrentKey;
  MoveCurrentKey(row);
  if (FCurrentKey == old) FOnItemPicked(this);
}

void TkvCustomTextEditLookupData::RehighlightCurrentKey() {
  if (!EditorSwitchingEditMode()) HighlightRow(FCurrentKey);
}

void TkvCustomTextEditLookupData::EditorTextChanged() {
  if (EditorSwitchingEditMode()) return;
  if (FHighlightedRow < ItemCount() && AnsiSameText(KeyText(FHighlightedRow), EditorText())) return;
  String text = EditorText(), tail;
  Locate(text, tail, true, false);
}

bool TkvCustomTextEditLookupData::EditorSwitchingEditMode() {
  TkvCustomEdit* edit = GetOwnerEdit();
  return edit && edit->IsSwitchingEditMode();
}

String TkvCustomTextEditLookupData::EditorText() {
  String text;
  if (TkvCustomEdit* edit = GetOwnerEdit()) edit->ReadDisplayText(text);
  return text;
}

// ---- The list ---------------------------------------------------------------------------------

TkvCustomEditListBoxClass TkvCustomTextEditLookupData::ListBoxClass() { return TkvCustomEditListBoxClass(); }

TWinControl* TkvCustomTextEditLookupData::ListControl() { return FList; }

void TkvCustomTextEditLookupData::ListRowChanged(TObject*) { FHighlightedRow = FList->GetItemIndex(); }

void TkvCustomTextEditLookupData::SyncListRowCount() {
  if (FList) FList->SetRowCount(ItemCount());
}

void TkvCustomTextEditLookupData::ItemListChanged() { SyncListRowCount(); }

void TkvCustomTextEditLookupData::PrepareList(TWinControl* Parent) {
  TkvCustomEdit* edit = GetOwnerEdit();
  if (!FList) {
    TkvCustomEditListBoxClass listClass = ListBoxClass();
    if (!listClass) return;
    FList = listClass.Create(edit);
  }
  TkvContainerStyle* style = edit->GetActiveStyle();
  FList->SetColor(style->GetColor());
  FList->GetFont()->Assign(style->GetEffectiveFont());
  FList->GetCanvas()->GetFont()->Assign(style->GetEffectiveFont());
  FList->SetParent(Parent);
  FList->SetOnSelectionChanged(MakeEvent<&TkvCustomTextEditLookupData::ListRowChanged>(this));
  SyncListRowCount();
  FList->SetItemIndex(FHighlightedRow);
  FList->PrepareForShowing();
  EditorTextChanged();
}

void TkvCustomTextEditLookupData::PlaceList(const TRect& R) {
  if (!FList) return;
  FList->SetBoundsRect(R);
  if (!FList->HandleAllocated()) return;
  // Set again, so that the window measures its horizontal range for the new width.
  WPARAM width = FList->Perform(LB_GETHORIZONTALEXTENT, 0, 0);
  FList->Perform(LB_SETHORIZONTALEXTENT, 0, 0);
  FList->Perform(LB_SETHORIZONTALEXTENT, width, 0);
}

bool TkvCustomTextEditLookupData::PointOverList(const TPoint& ScreenPoint) {
  if (!FList) return false;
  // Client coordinates meet the client rectangle (the bounds lie in the parent's coordinates).
  TRect client = FList->GetClientRect();
  return PtInRect(&client, FList->ScreenToClient(ScreenPoint));
}

bool TkvCustomTextEditLookupData::Locate(String& Text, String& Tail, bool Exact, bool FromCurrent) {
  // The key is stored after the scan: storing it runs the owner's handlers.
  Integer key = -1;
  bool found = false;
  {
    TScan scan(this);
    Integer count = ItemCount();
    bool prefix = !Exact || !GetOwnerProperties()->GetExactLookup();
    if (count > 0 && !prefix) {
      key = FindText(Text);
      found = key != -1;
      if (found) Tail.clear();
    } else {
      if (count > 0 && !Text.empty()) {
        size_t n = Text.size();
        for (Integer i = (FromCurrent ? FHighlightedRow : -1) + 1; i < count && !found; ++i) {
          String item = ItemText(i);
          if (!AnsiStartsText(Text, item)) continue;
          Text = item.substr(0, n);
          Tail = item.substr(n);
          key = i;
          found = true;
        }
      }
      // A list style keeps the key a typed text last matched.
      Byte style = count > 0 ? GetOwnerProperties()->EditingStyleCode() : Byte(kvEditingFreeText);
      if (!found && prefix && ((style == kvEditingListText && !Text.empty()) || style == kvEditingStrictList))
        return false;
    }
  }
  StoreCurrentKey(key);
  return found;
}
