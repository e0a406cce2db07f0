// Actions and their links.

#include "vcl/ActnList.h"

#include <algorithm>

#include "rtl/TypInfo.h"
#include "vcl/Controls.h"
#include "vcl/Forms.h"

TAVREN_CLASS_IMPL(TActionLink)
TAVREN_CLASS_IMPL(TCustomAction)
TAVREN_CLASS_IMPL(TActionList)
TAVREN_CLASS_IMPL_PUBLISHED(TAction,
    PROPERTY(AutoCheck).Default(false),
    PROPERTY(Caption),
    PROPERTY(Category),
    PROPERTY(Checked).Default(false),
    PROPERTY(Enabled).Default(true),
    PROPERTY(GroupIndex).Default(0),
    PROPERTY(HelpContext).Default(0),
    PROPERTY(Hint),
    PROPERTY(ImageIndex).Default(-1),
    PROPERTY(ShortCut).Default(0),
    PROPERTY(Visible).Default(true))

bool TActionLink::IsCaptionLinked() { return dynamic_cast<TCustomAction*>(GetAction()) != nullptr; }
bool TActionLink::IsCheckedLinked() { return dynamic_cast<TCustomAction*>(GetAction()) != nullptr; }
bool TActionLink::IsEnabledLinked() { return dynamic_cast<TCustomAction*>(GetAction()) != nullptr; }
bool TActionLink::IsHintLinked() { return dynamic_cast<TCustomAction*>(GetAction()) != nullptr; }
bool TActionLink::IsImageIndexLinked() { return dynamic_cast<TCustomAction*>(GetAction()) != nullptr; }
bool TActionLink::IsShortCutLinked() { return dynamic_cast<TCustomAction*>(GetAction()) != nullptr; }
bool TActionLink::IsVisibleLinked() { return dynamic_cast<TCustomAction*>(GetAction()) != nullptr; }
bool TActionLink::IsOnExecuteLinked() { return GetAction() != nullptr; }

template <class F>
void TCustomAction::ForEachActionLink(F Apply) {
  for (TBasicActionLink* link : std::vector<TBasicActionLink*>(Clients()))
    if (auto* actionLink = dynamic_cast<TActionLink*>(link)) Apply(actionLink);
}

TCustomAction::~TCustomAction() { SetActionList(nullptr); }

void TCustomAction::SetActionList(TActionList* Value) {
  if (FActionList == Value) return;
  if (FActionList) std::erase(FActionList->FActions, this);
  FActionList = Value;
  if (Value) Value->FActions.push_back(this);
}

TComponent* TCustomAction::GetParentComponent() { return FActionList; }

void TCustomAction::SetParentComponent(TComponent* Value) {
  if (auto* list = dynamic_cast<TActionList*>(Value)) SetActionList(list);
}

bool TCustomAction::Execute() {
  Update();
  if (!FEnabled) return false;
  if (FAutoCheck && !(FChecked && FGroupIndex > 0)) SetChecked(!FChecked);
  return inherited::Execute() || OfferToTargets(true);
}

bool TCustomAction::Update() { return inherited::Update() || OfferToTargets(false); }

bool TCustomAction::OfferToTargets(bool ToExecute) {
  return Application() && Application()->DispatchAction(ToExecute ? CM_ACTIONEXECUTE : CM_ACTIONUPDATE, this);
}

void TCustomAction::SetCaption(const String& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  ForEachActionLink([&](TActionLink* link) { if (link->IsCaptionLinked()) link->SetCaption(Value); });
  Change();
}

void TCustomAction::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  ForEachActionLink([&](TActionLink* link) { if (link->IsCheckedLinked()) link->SetChecked(Value); });
  // Checking one action of a group unchecks the others of its owner in that group.
  if (Value && FGroupIndex > 0 && GetOwner()) {
    for (Integer i = 0; i < GetOwner()->GetComponentCount(); ++i) {
      auto* other = dynamic_cast<TCustomAction*>(GetOwner()->GetComponents(i));
      if (other && other != this && other->FGroupIndex == FGroupIndex) other->SetChecked(false);
    }
  }
  Change();
}

void TCustomAction::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  ForEachActionLink([&](TActionLink* link) { if (link->IsEnabledLinked()) link->SetEnabled(Value); });
  Change();
}

void TCustomAction::SetHint(const String& Value) {
  if (FHint == Value) return;
  FHint = Value;
  ForEachActionLink([&](TActionLink* link) { if (link->IsHintLinked()) link->SetHint(Value); });
  Change();
}

void TCustomAction::SetImageIndex(Integer Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  ForEachActionLink([&](TActionLink* link) { if (link->IsImageIndexLinked()) link->SetImageIndex(Value); });
  Change();
}

void TCustomAction::SetShortCut(TShortCut Value) {
  if (FShortCut == Value) return;
  FShortCut = Value;
  ForEachActionLink([&](TActionLink* link) { if (link->IsShortCutLinked()) link->SetShortCut(Value); });
  Change();
}

void TCustomAction::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  ForEachActionLink([&](TActionLink* link) { if (link->IsVisibleLinked()) link->SetVisible(Value); });
  Change();
}

void TCustomAction::SetGroupIndex(Integer Value) {
  if (FGroupIndex == Value) return;
  FGroupIndex = Value;
  if (FChecked && Value > 0) {
    FChecked = false;  // checking again applies the group's rule
    SetChecked(true);
  }
}

// ---- Action list ---------------------------------------------------------------------------------

namespace {

std::vector<TActionList*>& LiveActionLists() {
  static std::vector<TActionList*> lists;
  return lists;
}

}  // namespace

TActionList::TActionList(TComponent* AOwner) : TComponent(AOwner) { LiveActionLists().push_back(this); }

TActionList::~TActionList() {
  std::erase(LiveActionLists(), this);
  while (!FActions.empty()) FActions.back()->SetActionList(nullptr);
}

void TActionList::UpdateActions() {
  for (TCustomAction* action : std::vector<TCustomAction*>(FActions))
    if (std::find(FActions.begin(), FActions.end(), action) != FActions.end()) action->Update();
}

void TActionList::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  for (TCustomAction* action : FActions)
    if (action->GetOwner() == Root) Proc(action);
}

void UpdateIdleActionLists() {
  for (TActionList* list : std::vector<TActionList*>(LiveActionLists())) {
    if (std::find(LiveActionLists().begin(), LiveActionLists().end(), list) == LiveActionLists().end()) continue;
    auto* owner = dynamic_cast<TControl*>(list->GetOwner());
    if (!owner || owner->GetVisible()) list->UpdateActions();
  }
}
