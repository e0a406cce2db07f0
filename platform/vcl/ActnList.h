#pragma once
// Actions: a command with its caption, state and handlers, shared by the controls and menu
// items linked to it. A link follows its action: the action tells every link of each change, and
// the client (a control, a menu item) takes what its link says it shows of the action.

#include "rtl/Actions.h"

using TShortCut = Word;

// A link whose client shows the properties of a TCustomAction; each Set* is the client's part.
class TActionLink : public TBasicActionLink {
  TAVREN_CLASS(TActionLink, TBasicActionLink)
 public:
  using TBasicActionLink::TBasicActionLink;
  virtual bool IsCaptionLinked();
  virtual bool IsCheckedLinked();
  virtual bool IsEnabledLinked();
  virtual bool IsHintLinked();
  virtual bool IsImageIndexLinked();
  virtual bool IsShortCutLinked();
  virtual bool IsVisibleLinked();
  virtual bool IsOnExecuteLinked();
  virtual void SetCaption(const String&) {}
  virtual void SetChecked(bool) {}
  virtual void SetEnabled(bool) {}
  virtual void SetHint(const String&) {}
  virtual void SetImageIndex(Integer) {}
  virtual void SetShortCut(TShortCut) {}
  virtual void SetVisible(bool) {}
};

class TActionList;

class TCustomAction : public TBasicAction {
  TAVREN_CLASS(TCustomAction, TBasicAction)
 public:
  explicit TCustomAction(TComponent* AOwner) : TBasicAction(AOwner) {}
  ~TCustomAction() override;

  // The list the action belongs to; in a form it streams inside that list.
  TActionList* GetActionList() const { return FActionList; }
  void SetActionList(TActionList* Value);
  // While being read, so that the reader hands it the list it stands in.
  bool HasParent() override { return FActionList || GetComponentState().Contains(csReading); }
  TComponent* GetParentComponent() override;
  void SetParentComponent(TComponent* Value) override;

  // Updates first; a disabled action does not run. AutoCheck toggles Checked before OnExecute.
  // Without an OnExecute the action is offered to the application's forms, whose controls may
  // take it as their target (TComponent::ExecuteAction).
  bool Execute() override;
  // OnUpdate, or else the same offer to targets (TComponent::UpdateAction).
  bool Update() override;

  String GetCaption() const { return FCaption; }
  void SetCaption(const String& Value);
  bool GetChecked() const { return FChecked; }
  void SetChecked(bool Value);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  String GetHint() const { return FHint; }
  void SetHint(const String& Value);
  Integer GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);
  TShortCut GetShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);
  Integer GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(Integer Value);
  bool GetAutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value) { FAutoCheck = Value; }
  Integer GetHelpContext() const { return FHelpContext; }
  void SetHelpContext(Integer Value) { FHelpContext = Value; }
  String GetCategory() const { return FCategory; }
  void SetCategory(const String& Value) { FCategory = Value; }

 private:
  bool OfferToTargets(bool ToExecute);
  // Calls Apply(link) for each link that shows this action's properties.
  template <class F>
  void ForEachActionLink(F Apply);

  String FCaption;
  String FHint;
  String FCategory;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  bool FAutoCheck = false;
  Integer FImageIndex = -1;
  Integer FGroupIndex = 0;
  Integer FHelpContext = 0;
  TShortCut FShortCut = 0;
  TActionList* FActionList = nullptr;
};

class TAction : public TCustomAction {
  TAVREN_CLASS(TAction, TCustomAction)
 public:
  using TCustomAction::TCustomAction;
};

// The actions of a form, updated while the application is idle: each action of a list whose
// owner is no control, or a control that shows, runs its OnUpdate.
class TActionList : public TComponent {
  TAVREN_CLASS(TActionList, TComponent)
 public:
  explicit TActionList(TComponent* AOwner);
  ~TActionList() override;

  Integer GetActionCount() const { return static_cast<Integer>(FActions.size()); }
  TCustomAction* GetAction(Integer Index) const { return FActions[Index]; }
  // Each action's OnUpdate, in list order.
  void UpdateActions();
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

 private:
  friend class TCustomAction;
  std::vector<TCustomAction*> FActions;
};

// Called by the application's idle handling: every live list whose owner shows.
void UpdateIdleActionLists();
