// The item's action link and the menu options of a link collection.

#include "toolkit/bars/qzBar.h"

TAVREN_CLASS_IMPL(TqzBarItemActionLink)
TAVREN_CLASS_IMPL_PUBLISHED(TqzBarItemOptions,
    PROPERTY(ShowDescriptions).Stored<&TqzBarItemOptions::IsShowDescriptionsStored>(),
    PROPERTY(ShowShortCuts).Stored<&TqzBarItemOptions::IsShowShortCutsStored>(),
    PROPERTY(Size).Stored<&TqzBarItemOptions::IsSizeStored>())

// ---- Action link ---------------------------------------------------------------------------

TqzBarItemActionLink::TqzBarItemActionLink(TObject* AClient)
    : TActionLink(AClient), FClient(dynamic_cast<TqzBarItem*>(AClient)) {
  if (!FClient) throw EInvalidCast("Invalid class typecast");
}

// A value is linked while the item still shows the action's value of it.
bool TqzBarItemActionLink::IsCaptionLinked() {
  return TActionLink::IsCaptionLinked() && FClient->GetCaption() == Action()->GetCaption();
}

bool TqzBarItemActionLink::IsCheckedLinked() {
  auto* button = dynamic_cast<TqzBarButton*>(FClient);
  return TActionLink::IsCheckedLinked() && button && button->GetDown() == Action()->GetChecked();
}

bool TqzBarItemActionLink::IsEnabledLinked() {
  return TActionLink::IsEnabledLinked() && FClient->GetEnabled() == Action()->GetEnabled();
}

bool TqzBarItemActionLink::IsHelpContextLinked() {
  return Action() && FClient->GetHelpContext() == Action()->GetHelpContext();
}

bool TqzBarItemActionLink::IsHintLinked() {
  return TActionLink::IsHintLinked() && (FClient->GetHint() == Action()->GetHint() || FClient->HintFollowsCaption());
}

bool TqzBarItemActionLink::IsImageIndexLinked() {
  return TActionLink::IsImageIndexLinked() && FClient->ReadImageIndex() == Action()->GetImageIndex();
}

bool TqzBarItemActionLink::IsShortCutLinked() {
  return TActionLink::IsShortCutLinked() && FClient->GetShortCut() == Action()->GetShortCut();
}

bool TqzBarItemActionLink::IsVisibleLinked() {
  if (!TActionLink::IsVisibleLinked()) return false;
  TqzBarItemVisible visible = FClient->IsLoading() ? FClient->GetLoadedVisible() : FClient->GetVisible();
  return visible == (Action()->GetVisible() ? ivAlways : ivNever);
}

bool TqzBarItemActionLink::IsOnExecuteLinked() {
  // Only the code is compared: the handler may sit on another object of the same form.
  return TActionLink::IsOnExecuteLinked() && FClient->GetOnClick().ToMethod().Code == GetAction()->GetOnExecute().ToMethod().Code;
}

void TqzBarItemActionLink::SetCaption(const String& Value) {
  if (IsCaptionLinked()) FClient->SetCaption(Value);
}

void TqzBarItemActionLink::SetChecked(bool Value) {
  if (!IsCheckedLinked()) return;
  static_cast<TqzBarButton*>(FClient)->SetDown(Value);
}

void TqzBarItemActionLink::SetEnabled(bool Value) {
  if (IsEnabledLinked()) FClient->SetEnabled(Value);
}

void TqzBarItemActionLink::SetHelpContext(Integer Value) {
  if (IsHelpContextLinked()) FClient->SetHelpContext(Value);
}

void TqzBarItemActionLink::SetHint(const String& Value) {
  if (IsHintLinked()) FClient->SetHint(Value);
}

void TqzBarItemActionLink::SetImageIndex(Integer Value) {
  if (IsImageIndexLinked()) FClient->WriteImageIndex(Value);
}

void TqzBarItemActionLink::SetShortCut(TShortCut Value) {
  if (IsShortCutLinked()) FClient->SetShortCut(Value);
}

void TqzBarItemActionLink::SetVisible(bool Value) {
  if (IsVisibleLinked()) FClient->SetVisible(Value ? ivAlways : ivNever);
}

void TqzBarItemActionLink::SetOnExecute(TNotifyEvent Value) {
  if (IsOnExecuteLinked()) FClient->SetOnClick(Value);
}

// ---- Item options --------------------------------------------------------------------------

TqzBarItemOptions::TqzBarItemOptions(TqzBarItemLinks* AItemLinks)
    : FItemLinks(AItemLinks),
      FShowDescriptions(AItemLinks->DefaultItemOption(ioShowDescriptions).AsBoolean()),
      FShowShortCuts(AItemLinks->DefaultItemOption(ioShowShortCuts).AsBoolean()),
      FSize(static_cast<TqzBarMenuItemSize>(AItemLinks->DefaultItemOption(ioSize).AsInteger())) {}

TPersistent* TqzBarItemOptions::GetOwner() { return FItemLinks; }

void TqzBarItemOptions::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TqzBarItemOptions*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  FAssignedValues = source->FAssignedValues;
  FShowDescriptions = source->FShowDescriptions;
  FShowShortCuts = source->FShowShortCuts;
  FSize = source->FSize;
}

bool TqzBarItemOptions::GetShowDescriptions() const {
  if (IsValueStored(ioShowDescriptions)) return FShowDescriptions;
  return FItemLinks->DefaultItemOption(ioShowDescriptions).AsBoolean();
}

void TqzBarItemOptions::SetShowDescriptions(bool Value) {
  FShowDescriptions = Value;
  FAssignedValues.Include(ioShowDescriptions);
}

bool TqzBarItemOptions::GetShowShortCuts() const {
  if (IsValueStored(ioShowShortCuts)) return FShowShortCuts;
  return FItemLinks->DefaultItemOption(ioShowShortCuts).AsBoolean();
}

void TqzBarItemOptions::SetShowShortCuts(bool Value) {
  FShowShortCuts = Value;
  FAssignedValues.Include(ioShowShortCuts);
}

TqzBarMenuItemSize TqzBarItemOptions::GetSize() const {
  if (IsValueStored(ioSize)) return FSize;
  return static_cast<TqzBarMenuItemSize>(FItemLinks->DefaultItemOption(ioSize).AsInteger());
}

void TqzBarItemOptions::SetSize(TqzBarMenuItemSize Value) {
  FSize = Value;
  FAssignedValues.Include(ioSize);
}

Variant TqzBarItemOptions::GetValue(TqzBarItemOptionValue AOption) const {
  switch (AOption) {
    case ioShowDescriptions: return Variant(GetShowDescriptions());
    case ioShowShortCuts: return Variant(GetShowShortCuts());
    case ioSize: break;
  }
  return Variant(static_cast<Integer>(GetSize()));
}
