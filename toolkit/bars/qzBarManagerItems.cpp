// The manager's item list: items register here when they are made and leave when freed.

#include "rtl/SysUtils.h"
#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarStrs.h"

TqzBarItem* TqzBarManager::GetItem(Integer Index) const {
  if (Index < 0 || Index >= FItems->GetCount()) return nullptr;
  return static_cast<TqzBarItem*>(FItems->GetComponent(Index));
}

Integer TqzBarManager::IndexOfItem(TqzBarItem* AItem) const { return FItems->IndexOf(AItem); }

TqzBarItem* TqzBarManager::FindItemByName(const String& AName) const {
  for (Integer i = 0; i < FItems->GetCount(); ++i)
    if (SameText(GetItem(i)->GetName(), AName)) return GetItem(i);
  return nullptr;
}

void TqzBarManager::RegisterItem(TqzBarItem* AItem) {
  if (FItems->IndexOf(AItem) < 0) FItems->Add(AItem);
  AItem->SetBarManager(this);
}

void TqzBarManager::UnregisterItem(TqzBarItem* AItem) { FItems->Remove(AItem); }

void TqzBarManager::MoveItem(Integer AFromIndex, Integer AToIndex) {
  Integer count = FItems->GetCount();
  if (AFromIndex < 0 || AFromIndex >= count || AToIndex < 0 || AToIndex >= count || AFromIndex == AToIndex) return;
  FItems->Move(AFromIndex, AToIndex);
  DesignerModified();
}

void TqzBarManager::FireClickItem(TqzBarItem* AItem) { FOnClickItem(this, AItem); }

TqzBarItem* TqzBarManager::AddItem(TClassOf<TqzBarItem> AItemClass) {
  TqzBarItem* item = AItemClass.Create(this);
  Integer category = GetCategories()->IndexOf(ResourceStringText(sqzBarDefaultCategoryName));
  item->SetCategory(std::max(category, 0));
  return item;
}
