// Item groups: items and nested groups switched on and off together.

#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarStrs.h"

TAVREN_CLASS_IMPL_PUBLISHED(TqzBarGroup,
    PROPERTY(Enabled).Default(true),
    PROPERTY(Visible).Default(ivAlways))

TqzBarGroup::TqzBarGroup(TComponent* AOwner) : TqzBarComponent(AOwner), FItems(std::make_unique<TqzBarComponentList>()) {}

TqzBarGroup::~TqzBarGroup() = default;

Integer TqzBarGroup::Count() const {
  if (IsLoadingAsAncestor(const_cast<TqzBarGroup*>(this)) && FLoadedNames)
    return static_cast<Integer>(FLoadedNames->size());
  return FItems->GetCount();
}

TqzBarComponent* TqzBarGroup::ItemAt(Integer Index) const {
  if (IsLoadingAsAncestor(const_cast<TqzBarGroup*>(this)) && FLoadedNames) {
    TComponent* owner = BarManager() ? BarManager()->GetOwner() : nullptr;
    return owner ? dynamic_cast<TqzBarComponent*>(owner->FindComponent((*FLoadedNames)[Index])) : nullptr;
  }
  return FItems->GetComponent(Index);
}

String TqzBarGroup::ItemName(Integer Index) const {
  if (IsLoadingAsAncestor(const_cast<TqzBarGroup*>(this)) && FLoadedNames) return (*FLoadedNames)[Index];
  return FItems->GetComponent(Index)->GetName();
}

bool TqzBarGroup::Contains(TqzBarGroup* AGroup) const {
  if (AGroup == this) return true;
  for (Integer i = 0; i < FItems->GetCount(); ++i) {
    auto* member = dynamic_cast<TqzBarGroup*>(FItems->GetComponent(i));
    if (member && member->Contains(AGroup)) return true;
  }
  return false;
}

void TqzBarGroup::Add(TqzBarComponent* AComponent) {
  if (!AComponent || FItems->IndexOf(AComponent) >= 0) return;
  if (auto* group = dynamic_cast<TqzBarGroup*>(AComponent); group && group->Contains(this))
    throw Exception(ResourceStringText(sqzBarRecursiveGroups));
  FItems->Add(AComponent);
}

Integer TqzBarGroup::IndexOf(TqzBarComponent* AComponent) const { return FItems->IndexOf(AComponent); }

void TqzBarGroup::Remove(TqzBarComponent* AComponent) { FItems->Remove(AComponent); }

Integer TqzBarGroup::GetGroupIndex() const {
  TqzBarManager* manager = BarManager();
  if (!manager) return -1;
  for (Integer i = 0; i < manager->GetGroupCount(); ++i)
    if (manager->GetGroup(i) == this) return i;
  return -1;
}

void TqzBarGroup::MoveToGroupIndex(Integer Value) {
  if (TqzBarManager* manager = GetBarManager()) manager->MoveGroup(this, Value);
}

void TqzBarGroup::ApplyToMembers(const std::function<void(TqzBarComponent*)>& AApply) {
  TqzBarManager* manager = GetBarManager();
  TComponentState state = GetComponentState();
  if (!manager || state.Contains(csLoading) || state.Contains(csDestroying)) return;
  manager->BeginUpdate();
  try {
    for (Integer i = 0; i < FItems->GetCount(); ++i) AApply(FItems->GetComponent(i));
  } catch (...) {
    manager->EndUpdate(true);
    throw;
  }
  manager->EndUpdate(true);
}

void TqzBarGroup::SetEnabled(bool Value) {
  FEnabled = Value;
  ApplyToMembers([Value](TqzBarComponent* AMember) { AMember->SetEnabled(Value); });
}

void TqzBarGroup::SetVisible(TqzBarItemVisible Value) {
  FVisible = Value;
  ApplyToMembers([Value](TqzBarComponent* AMember) { AMember->SetVisible(Value); });
}

void TqzBarGroup::SetName(const String& NewName) {
  inherited::SetName(NewName);
  NotifyChanged();
}

TComponent* TqzBarGroup::GetParentComponent() { return GetBarManager(); }

void TqzBarGroup::SetParentComponent(TComponent* Value) {
  inherited::SetParentComponent(Value);
  if (auto* manager = dynamic_cast<TqzBarManager*>(Value)) manager->RegisterGroup(this);
}

void TqzBarGroup::ReadState(TReader* Reader) {
  // Read inside its manager's block: it joins the manager before its own values are read.
  if (!GetBarManager())
    if (auto* manager = dynamic_cast<TqzBarManager*>(Reader->GetParent())) SetParentComponent(manager);
  inherited::ReadState(Reader);
}

// ---- Streaming -----------------------------------------------------------------------------

void TqzBarGroup::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineProperty(
      "Items", [this](TReader* R) { ReadItems(R); }, [this](TWriter* W) { WriteItems(W); },
      ItemsStored(dynamic_cast<TqzBarGroup*>(Filer->GetAncestor())));
}

bool TqzBarGroup::ItemsStored(TqzBarGroup* AAncestor) {
  if (!AAncestor || AAncestor->Count() != Count()) return true;
  for (Integer i = 0; i < Count(); ++i)
    if (AAncestor->ItemName(i) != ItemName(i)) return true;
  return false;
}

void TqzBarGroup::WriteItems(TWriter* Writer) {
  Writer->WriteListBegin();
  for (Integer i = 0; i < Count(); ++i) Writer->WriteString(ItemName(i));
  Writer->WriteListEnd();
}

void TqzBarGroup::ReadItems(TReader* Reader) {
  std::vector<String> names;
  Reader->ReadListBegin();
  while (!Reader->EndOfList()) names.push_back(Reader->ReadString());
  Reader->ReadListEnd();
  if (GetComponentState().Contains(csLoading)) {
    FLoadedNames = std::make_unique<std::vector<String>>(std::move(names));
    return;
  }
  FItems->Clear();
  ResolveNames(names);
}

void TqzBarGroup::ResolveNames(const std::vector<String>& ANames) {
  TComponent* owner = GetBarManager() ? GetBarManager()->GetOwner() : GetOwner();
  if (!owner) return;
  for (const String& name : ANames)
    if (auto* member = dynamic_cast<TqzBarComponent*>(owner->FindComponent(name))) Add(member);
}

void TqzBarGroup::Loaded() {
  inherited::Loaded();
  std::unique_ptr<std::vector<String>> names = std::move(FLoadedNames);
  if (names) ResolveNames(*names);
}
