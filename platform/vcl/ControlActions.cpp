// A control's action: the link that keeps the control showing the action, and Click running the
// action's OnExecute.

#include "vcl/Controls.h"

TAVREN_CLASS_IMPL(TControlActionLink)
TAVREN_CLASS_IMPL(TWinControlActionLink)

TControlActionLink::TControlActionLink(TObject* AClient)
    : TActionLink(AClient), FClient(dynamic_cast<TControl*>(AClient)) {
  if (!FClient) throw EInvalidCast("An action link of a control needs a control");
}

namespace {
TCustomAction* CustomAction(TBasicAction* Action) { return dynamic_cast<TCustomAction*>(Action); }
}  // namespace

// A property is linked while the control still shows the action's value of it.
bool TControlActionLink::IsCaptionLinked() {
  return TActionLink::IsCaptionLinked() && FClient->GetCaption() == CustomAction(GetAction())->GetCaption();
}
bool TControlActionLink::IsEnabledLinked() {
  return TActionLink::IsEnabledLinked() && FClient->GetEnabled() == CustomAction(GetAction())->GetEnabled();
}
bool TControlActionLink::IsHintLinked() {
  return TActionLink::IsHintLinked() && FClient->GetHint() == CustomAction(GetAction())->GetHint();
}
bool TControlActionLink::IsVisibleLinked() {
  return TActionLink::IsVisibleLinked() && FClient->GetVisible() == CustomAction(GetAction())->GetVisible();
}
bool TControlActionLink::IsOnExecuteLinked() {
  return TActionLink::IsOnExecuteLinked() && FClient->GetOnClick() == GetAction()->GetOnExecute();
}

void TControlActionLink::SetCaption(const String& Value) {
  if (IsCaptionLinked()) FClient->SetCaption(Value);
}
void TControlActionLink::SetEnabled(bool Value) {
  if (IsEnabledLinked()) FClient->SetEnabled(Value);
}
void TControlActionLink::SetHint(const String& Value) {
  if (IsHintLinked()) FClient->SetHint(Value);
}
void TControlActionLink::SetVisible(bool Value) {
  if (IsVisibleLinked()) FClient->SetVisible(Value);
}
void TControlActionLink::SetOnExecute(TNotifyEvent Value) {
  if (IsOnExecuteLinked()) FClient->SetOnClick(Value);
}

// ---- TControl's side ----------------------------------------------------------------------------

TClassOf<TActionLink> TControl::GetActionLinkClass() { return TControlActionLink::ClassInfo(); }

void TControl::SetAction(TBasicAction* Value) {
  if (!Value) {
    if (TBasicAction* old = GetAction()) old->RemoveFreeNotification(this);
    FActionLink.reset();
    return;
  }
  if (!FActionLink) FActionLink.reset(GetActionLinkClass().Create(this));
  if (TBasicAction* old = GetAction(); old && old != Value) old->RemoveFreeNotification(this);
  FActionLink->SetAction(Value);
  FActionLink->SetOnChange(MakeEvent<&TControl::DoActionChange>(this));
  ActionChange(Value, Value->GetComponentState().Contains(csLoading));
  Value->FreeNotification(this);
}

void TControl::DoActionChange(TObject* Sender) {
  if (Sender == GetAction()) ActionChange(Sender, false);
}

void TControl::ActionChange(TObject* Sender, bool CheckDefaults) {
  auto* action = dynamic_cast<TCustomAction*>(Sender);
  if (!action) return;
  if (!CheckDefaults || GetCaption().empty() || GetCaption() == GetName()) SetCaption(action->GetCaption());
  if (!CheckDefaults || GetEnabled()) SetEnabled(action->GetEnabled());
  if (!CheckDefaults || FHint.empty()) SetHint(action->GetHint());
  if (!CheckDefaults || GetVisible()) SetVisible(action->GetVisible());
  if (!CheckDefaults || !FOnClick) SetOnClick(action->GetOnExecute());
}

// What the action shows is not stored with the control: the action says it.
bool TControl::IsCaptionStored() const { return !FActionLink || !FActionLink->IsCaptionLinked(); }
bool TControl::IsEnabledStored() const { return !FActionLink || !FActionLink->IsEnabledLinked(); }
bool TControl::IsHintStored() const { return !FActionLink || !FActionLink->IsHintLinked(); }
bool TControl::IsVisibleStored() const { return !FActionLink || !FActionLink->IsVisibleLinked(); }
bool TControl::IsOnClickStored() const { return !FActionLink || !FActionLink->IsOnExecuteLinked(); }
