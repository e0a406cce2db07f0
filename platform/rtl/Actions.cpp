// Basic actions and their links.

#include "rtl/Actions.h"

#include <algorithm>

#include "rtl/TypInfo.h"

TAVREN_CLASS_IMPL(TBasicActionLink)
TAVREN_CLASS_IMPL_PUBLISHED(TBasicAction, PROPERTY(OnExecute), PROPERTY(OnUpdate))

// ---- Links --------------------------------------------------------------------------------------

TBasicActionLink::~TBasicActionLink() {
  if (FAction) std::erase(FAction->FClients, this);
}

void TBasicActionLink::SetAction(TBasicAction* Value) {
  if (FAction == Value) return;
  if (FAction) std::erase(FAction->FClients, this);
  FAction = Value;
  if (FAction) FAction->FClients.push_back(this);
  Change();
}

bool TBasicActionLink::Execute(TComponent* AComponent) {
  if (!FAction) return false;
  FAction->SetActionComponent(AComponent);
  bool result = false;
  try {
    result = FAction->Execute();
  } catch (...) {
    if (FAction) FAction->SetActionComponent(nullptr);
    throw;
  }
  if (FAction) FAction->SetActionComponent(nullptr);
  return result;
}

void TBasicActionLink::Change() { FOnChange(FAction); }

bool TBasicActionLink::Update() { return FAction && FAction->Update(); }

// ---- Actions ------------------------------------------------------------------------------------

TBasicAction::~TBasicAction() {
  // The links outlive the action: they let go of it.
  while (!FClients.empty()) FClients.back()->SetAction(nullptr);
  SetActionComponent(nullptr);
}

bool TBasicAction::Execute() {
  if (!FOnExecute) return false;
  FOnExecute(this);
  return true;
}

bool TBasicAction::Update() {
  if (!FOnUpdate) return false;
  FOnUpdate(this);
  return true;
}

void TBasicAction::SetActionComponent(TComponent* Value) {
  if (FActionComponent == Value) return;
  if (FActionComponent) FActionComponent->RemoveFreeNotification(this);
  FActionComponent = Value;
  if (FActionComponent) FActionComponent->FreeNotification(this);
}

void TBasicAction::SetOnExecute(TNotifyEvent Value) {
  if (FOnExecute == Value) return;
  FOnExecute = Value;
  for (TBasicActionLink* link : std::vector<TBasicActionLink*>(FClients)) link->SetOnExecute(Value);
  Change();
}

void TBasicAction::Change() {
  for (TBasicActionLink* link : std::vector<TBasicActionLink*>(FClients)) link->Change();
}

void TBasicAction::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FActionComponent) FActionComponent = nullptr;
}

