#pragma once
// TComponentList: an object list of components that is told when one of them is freed and takes
// it out (extracts it) at once, so that it never holds a freed component.

#include "rtl/FreeNotifier.h"
#include "rtl/Lists.h"

class TComponentList : public TObjectList {
  TAVREN_CLASS(TComponentList, TObjectList)
 public:
  explicit TComponentList(bool AOwnsObjects = true);
  ~TComponentList() override;

  Integer Add(TComponent* AComponent) { return TObjectList::Add(AComponent); }
  void Insert(Integer Index, TComponent* AComponent) { TObjectList::Insert(Index, AComponent); }
  Integer IndexOf(TComponent* AComponent) const { return TObjectList::IndexOf(AComponent); }
  Integer Remove(TComponent* AComponent) { return TObjectList::Remove(AComponent); }
  TComponent* GetItems(Integer Index) const { return static_cast<TComponent*>(TList::GetItems(Index)); }

 protected:
  // Watches what comes in and stops watching what goes; descendants call it first.
  void Notify(void* Ptr, TListNotification Action) override;

 private:
  void HandleFreeNotify(TComponent* AComponent);
  TFreeNotifier FNotifier;
};
