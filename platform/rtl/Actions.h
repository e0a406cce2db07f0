#pragma once
// The least of an action: a command that runs its OnExecute, and the link through which a client
// follows it. An action without a handler of its own may be offered to targets: a component that
// the action handles (HandlesTarget) runs it through TComponent::ExecuteAction.

#include <vector>

#include "rtl/Component.h"
#include "rtl/Events.h"

class TBasicAction;

class TBasicActionLink : public TObject {
  TAVREN_CLASS(TBasicActionLink, TObject)
 public:
  // Links are made through their class for their client ("GetActionLinkClass.Create(Self)").
  using TCreateArg = TObject*;
  explicit TBasicActionLink(TObject* AClient) : FClient(AClient) {}
  ~TBasicActionLink() override;

  virtual bool Execute(TComponent* AComponent = nullptr);
  virtual bool Update();
  TBasicAction* GetAction() const { return FAction; }
  virtual void SetAction(TBasicAction* Value);
  TObject* GetClient() const { return FClient; }
  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }
  // The action's OnExecute changed; a client that shows it takes the new one.
  virtual void SetOnExecute(TNotifyEvent) {}

 protected:
  friend class TBasicAction;
  virtual void Change();

 private:
  TObject* FClient;
  TBasicAction* FAction = nullptr;
  TNotifyEvent FOnChange;
};

class TBasicAction : public TComponent {
  TAVREN_CLASS(TBasicAction, TComponent)
 public:
  explicit TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}
  ~TBasicAction() override;

  // Runs OnExecute; false when there is none.
  virtual bool Execute();
  // Runs OnUpdate; false when there is none.
  virtual bool Update();
  virtual bool HandlesTarget(TObject*) { return false; }
  virtual void ExecuteTarget(TObject*) {}
  virtual void UpdateTarget(TObject*) {}
  TComponent* GetActionComponent() const { return FActionComponent; }
  void SetActionComponent(TComponent* Value);
  TNotifyEvent GetOnExecute() const { return FOnExecute; }
  void SetOnExecute(TNotifyEvent Value);
  TNotifyEvent GetOnUpdate() const { return FOnUpdate; }
  void SetOnUpdate(TNotifyEvent Value) { FOnUpdate = Value; }

 protected:
  friend class TBasicActionLink;
  // Tells every link that the action changed (their OnChange gets the action as Sender).
  virtual void Change();
  void Notification(TComponent* AComponent, TOperation Operation) override;
  const std::vector<TBasicActionLink*>& Clients() const { return FClients; }

 private:
  std::vector<TBasicActionLink*> FClients;
  TComponent* FActionComponent = nullptr;
  TNotifyEvent FOnExecute;
  TNotifyEvent FOnUpdate;
};

using TBasicActionClass = TClassOf<TBasicAction>;
