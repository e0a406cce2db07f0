// The manager's categories of items: names with their visibility data, streamed with the form.

#include "rtl/Reader.h"
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

void TqzBarManagerCategories::InsertObject(Integer Index, const String& S, TObject* AObject) {
  inherited::InsertObject(Index, S, AObject);
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
  if (GetCount() == 0) Add(ResourceStringText(sqzBarDefaultCategoryName));
}

void TqzBarManagerCategories::Exchange(Integer Index1, Integer Index2) { inherited::Exchange(Index1, Index2); }

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

void TqzBarManager::ApplyCategoryItemsVisible(Integer Index, TqzBarItemVisible Value) {
  TqzBarCategoryData* data = FCategories->DataOf(Index);
  if (!data || data->ItemsVisible == Value) return;
  data->ItemsVisible = Value;
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
