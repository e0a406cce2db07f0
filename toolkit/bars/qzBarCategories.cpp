// The manager's categories of items: names with their visibility data, streamed with the form.

#include "rtl/Reader.h"
#include "rtl/SysUtils.h"
#include "rtl/Writer.h"
#include "vcl/StdCtrls.h"
#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarStrs.h"
#include "toolkit/foundation/kvClasses.h"

TAVREN_CLASS_IMPL(TqzBarCategoryData)
TAVREN_CLASS_IMPL(TqzBarManagerCategories)

TqzBarManagerCategories::~TqzBarManagerCategories() {
  for (Integer i = 0; i < GetCount(); ++i) delete GetObjects(i);
}

void TqzBarManagerCategories::Clear() {
  for (Integer i = 0; i < GetCount(); ++i) delete GetObjects(i);
  inherited::Clear();
}

TqzBarCategoryData* TqzBarManagerCategories::DataOf(Integer Index) {
  if (Index < 0 || Index >= GetCount()) return nullptr;
  if (!GetObjects(Index)) SetObjects(Index, new TqzBarCategoryData());
  return static_cast<TqzBarCategoryData*>(GetObjects(Index));
}

void TqzBarManagerCategories::Renumber(const std::function<Integer(Integer)>& ANewCategory) {
  for (Integer i = 0; i < FBarManager->GetItemCount(); ++i) {
    TqzBarItem* item = FBarManager->GetItem(i);
    if (item->FCategory >= 0) item->FCategory = ANewCategory(item->FCategory);
  }
}

void TqzBarManagerCategories::InsertObject(Integer Index, const String& S, TObject* AObject) {
  inherited::InsertObject(Index, S, AObject);
  if (!FMoving) Renumber([Index](Integer c) { return c >= Index ? c + 1 : c; });
}

void TqzBarManagerCategories::Delete(Integer Index) {
  if (Index < 0 || Index >= GetCount()) {
    inherited::Delete(Index);
    return;
  }
  TObject* data = GetObjects(Index);
  inherited::Delete(Index);
  if (FMoving) {
    // Taken out for a move: the data goes along.
    return;
  }
  delete data;
  // The category's items go with it.
  for (Integer i = FBarManager->GetItemCount() - 1; i >= 0; --i)
    if (i < FBarManager->GetItemCount() && FBarManager->GetItem(i)->GetCategory() == Index) delete FBarManager->GetItem(i);
  Renumber([Index](Integer c) { return c > Index ? c - 1 : c; });
  if (GetCount() == 0) Add(ResourceStringText(sqzBarDefaultCategoryName));
}

void TqzBarManagerCategories::Exchange(Integer Index1, Integer Index2) {
  inherited::Exchange(Index1, Index2);
  Renumber([Index1, Index2](Integer c) { return c == Index1 ? Index2 : c == Index2 ? Index1 : c; });
}

void TqzBarManagerCategories::Move(Integer CurIndex, Integer NewIndex) {
  if (CurIndex == NewIndex) return;
  FMoving = true;
  try {
    inherited::Move(CurIndex, NewIndex);
  } catch (...) {
    FMoving = false;
    throw;
  }
  FMoving = false;
  Renumber([CurIndex, NewIndex](Integer c) {
    if (c == CurIndex) return NewIndex;
    if (CurIndex < NewIndex && c > CurIndex && c <= NewIndex) return c - 1;
    if (NewIndex < CurIndex && c >= NewIndex && c < CurIndex) return c + 1;
    return c;
  });
}

void TqzBarManagerCategories::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  DefineStringsProperty(this, Filer);
  Filer->DefineProperty(
      "ItemsVisibles", [this](TReader* R) { ReadItemsVisibles(R); }, [this](TWriter* W) { WriteItemsVisibles(W); },
      GetCount() > 0);
  Filer->DefineProperty(
      "Visibles", [this](TReader* R) { ReadVisibles(R); }, [this](TWriter* W) { WriteVisibles(W); }, GetCount() > 0);
}

void TqzBarManagerCategories::WriteItemsVisibles(TWriter* Writer) {
  Writer->WriteListBegin();
  for (Integer i = 0; i < GetCount(); ++i) Writer->WriteInteger(FBarManager->GetCategoryItemsVisible(i));
  Writer->WriteListEnd();
}

void TqzBarManagerCategories::ReadItemsVisibles(TReader* Reader) {
  Reader->ReadListBegin();
  for (Integer i = 0; !Reader->EndOfList(); ++i) {
    Integer value = Reader->ReadInteger();
    // An ordinal outside the enumeration leaves the category as it is.
    if (i < GetCount() && value >= ivNever && value <= ivAlways)
      FBarManager->SetCategoryItemsVisible(i, static_cast<TqzBarItemVisible>(value));
  }
  Reader->ReadListEnd();
}

void TqzBarManagerCategories::WriteVisibles(TWriter* Writer) {
  Writer->WriteListBegin();
  for (Integer i = 0; i < GetCount(); ++i) Writer->WriteBoolean(FBarManager->IsCategoryVisible(i));
  Writer->WriteListEnd();
}

void TqzBarManagerCategories::ReadVisibles(TReader* Reader) {
  Reader->ReadListBegin();
  for (Integer i = 0; !Reader->EndOfList(); ++i) {
    bool value = Reader->ReadBoolean();
    if (i < GetCount()) FBarManager->SetCategoryVisible(i, value);
  }
  Reader->ReadListEnd();
}

// ---- The manager's category operations -----------------------------------------------------

bool TqzBarManager::IsCategoryVisible(Integer Index) const {
  if (Index < 0 || Index >= FCategories->GetCount()) return false;
  auto* data = static_cast<TqzBarCategoryData*>(FCategories->GetObjects(Index));
  return !data || data->Visible;
}

TqzBarItemVisible TqzBarManager::GetCategoryItemsVisible(Integer Index) const {
  if (Index < 0 || Index >= FCategories->GetCount()) return ivNever;
  auto* data = static_cast<TqzBarCategoryData*>(FCategories->GetObjects(Index));
  return data ? data->ItemsVisible : ivAlways;
}

void TqzBarManager::SetCategoryItemsVisible(Integer Index, TqzBarItemVisible Value) {
  TqzBarCategoryData* data = FCategories->DataOf(Index);
  if (!data) return;
  if (IsLoading()) {
    data->LoadedItemsVisible = Value;
    return;
  }
  ApplyCategoryItemsVisible(Index, Value);
}

namespace {

bool IsBarEmpty(TqzBar* ABar) { return ABar->GetItemLinks()->GetItemVisibleLinkCount() == 0; }

}  // namespace

void TqzBarManager::ApplyCategoryItemsVisible(Integer Index, TqzBarItemVisible Value) {
  TqzBarCategoryData* data = FCategories->DataOf(Index);
  if (!data || data->ItemsVisible == Value) return;
  const TqzBarItemVisible old = data->ItemsVisible;
  data->ItemsVisible = Value;
  if (!IsDesigning()) {
    std::vector<TqzBar*> emptyBefore;
    if (FAutoHideEmptyBars)
      for (Integer i = 0; i < FBars->GetCount(); ++i)
        if (IsBarEmpty(FBars->GetBar(i))) emptyBefore.push_back(FBars->GetBar(i));
    BeginUpdate();
    try {
      // Items that followed the category follow it on; the others keep what they were given.
      std::vector<TqzBarItem*> items;
      for (Integer i = 0; i < GetItemCount(); ++i)
        if (GetItem(i)->GetCategory() == Index && GetItem(i)->GetVisible() == old) items.push_back(GetItem(i));
      if (Value == ivAlways) std::reverse(items.begin(), items.end());
      for (TqzBarItem* item : items) item->SetVisible(Value);
      if (FAutoHideEmptyBars)
        for (Integer i = 0; i < FBars->GetCount(); ++i) {
          TqzBar* bar = FBars->GetBar(i);
          bool wasEmpty = std::find(emptyBefore.begin(), emptyBefore.end(), bar) != emptyBefore.end();
          if (Value != ivAlways && IsBarEmpty(bar) && !wasEmpty && bar->GetVisible()) {
            bar->SetVisible(false);
            bar->SetHiddenBecauseEmpty(true);
          } else if (Value == ivAlways && bar->IsHiddenBecauseEmpty() && !IsBarEmpty(bar)) {
            bar->SetVisible(true);
          }
        }
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
  }
  DesignerModified();
}

void TqzBarManager::SetCategoryVisible(Integer Index, bool Value) {
  TqzBarCategoryData* data = FCategories->DataOf(Index);
  if (!data) return;
  data->Visible = Value;
  DesignerModified();
}

Integer TqzBarManager::VisibleCategoryToIndex(Integer N) const {
  if (IsDesigning()) return N;
  for (Integer i = 0, seen = 0; i < FCategories->GetCount(); ++i)
    if (IsCategoryVisible(i) && seen++ == N) return i;
  return -1;
}

TStrings* TqzBarManager::GetCategories() const { return FCategories.get(); }

void TqzBarManager::SetCategories(TStrings* Value) { FCategories->Assign(Value); }

void TqzBarManager::GetItemsOfCategory(Integer ACategory, TList* AList) const {
  AList->Clear();
  if (ACategory < 0 || ACategory >= FCategories->GetCount()) return;
  for (Integer i = 0; i < GetItemCount(); ++i)
    if (GetItem(i)->GetCategory() == ACategory) AList->Add(GetItem(i));
}

void TqzBarManager::CollectCategoryItems(Integer ACategory, TList* AList) const {
  GetItemsOfCategory(ACategory, AList);
  if (IsDesigning()) return;
  for (Integer i = AList->GetCount() - 1; i >= 0; --i) {
    auto* item = static_cast<TqzBarItem*>(AList->GetItems(i));
    if (!item->IsAvailable() || item->HostsWindow()) AList->Delete(i);
  }
}

String TqzBarManager::MakeUniqueItemName(TClass AItemClass) const {
  String base = String(AItemClass->Name).substr(1);
  for (Integer n = 1;; ++n)
    if (!FindItemByName(base + IntToStr(n))) return base + IntToStr(n);
}
