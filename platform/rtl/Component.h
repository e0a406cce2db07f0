#pragma once
// TComponent: named, owned objects that the framework streams and notifies.
//
// An owner deletes what it owns, last created first. Whoever deletes a component, its owner and
// the components that asked for free notification are told (Notification with opRemove) before
// it goes, so no reference to it survives. csDesigning is never set: there is no designer.

#include <cstdint>
#include <functional>
#include <vector>

#include "rtl/Persistent.h"
#include "rtl/Sets.h"

class TBasicAction;
class TReader;
class TWriter;
class TComponent;

enum TOperation { opInsert, opRemove };

enum TComponentStateItem {
  csLoading,
  csReading,
  csWriting,
  csDestroying,
  csDesigning,
  csAncestor,
  csUpdating,
  csFixups,
  csFreeNotification,
  csInline,
  csDesignInstance,
};
using TComponentState = TSet<TComponentStateItem>;

enum TComponentStyleItem { csInheritable, csCheckPropAvail, csSubComponent, csTransient };
using TComponentStyle = TSet<TComponentStyleItem>;

using TGetChildProc = std::function<void(TComponent* Child)>;

class TComponent : public TPersistent {
  TAVREN_CLASS(TComponent, TPersistent)
 public:
  using TCreateArg = TComponent*;

  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;

  void BeforeDestruction() override;
  void DestroyComponents();
  // Marks this component and those it owns as being destroyed.
  void Destroying();

  // Case-insensitive; nullptr when the owner has no component of that name.
  TComponent* FindComponent(const String& AName) const;
  // AComponent is told (Notification opRemove) when this component is deleted, and the other way
  // round, until either removes the link.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);
  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);

  virtual bool HasParent();
  virtual TComponent* GetParentComponent();

  TComponent* GetOwner() override { return FOwner; }
  String GetNamePath() override;
  Integer GetComponentCount() const noexcept { return static_cast<Integer>(FComponents.size()); }
  TComponent* GetComponents(Integer Index) const;
  // -1 without an owner.
  Integer GetComponentIndex() const;
  // Moves the component in its owner's list; the index is clamped into the list.
  void SetComponentIndex(Integer Value);
  TComponentState GetComponentState() const noexcept { return FComponentState; }
  TComponentStyle GetComponentStyle() const noexcept { return FComponentStyle; }
  const String& GetName() const noexcept { return FName; }
  // Raises EComponentError when NewName is not an identifier or the owner has a component of that
  // name already.
  virtual void SetName(const String& NewName);
  // Wide enough for the pointers the system keeps in tags.
  intptr_t GetTag() const noexcept { return FTag; }
  void SetTag(intptr_t Value) noexcept { FTag = Value; }
  void SetSubComponent(bool IsSubComponent);

  // An action that found no handler of its own is offered to components: one that the action
  // takes as its target (HandlesTarget) runs or updates it there and answers true. Overrides try
  // their own handling first and then what they delegate to.
  virtual bool ExecuteAction(TBasicAction* Action);
  virtual bool UpdateAction(TBasicAction* Action);

 protected:
  virtual void ChangeName(const String& NewName);
  // Points the owner's published field of this component's name at it, or clears it, so that a
  // form's field follows renames and never names a removed or freed component.
  void SetReference(bool Enable);
  // Calls Proc for each child that streams with this component; Root is the streamed root.
  virtual void GetChildren(const TGetChildProc& Proc, TComponent* Root);
  virtual TComponent* GetChildOwner();
  virtual TComponent* GetChildParent();
  virtual void SetChildOrder(TComponent* Child, Integer Order);
  virtual void SetParentComponent(TComponent* Value);
  // Called once the whole stream is read and references are fixed up; ends csLoading.
  virtual void Loaded();
  // The base forwards the notice to every owned component and drops free-notification links to a
  // removed component; overrides call it.
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  virtual void ReadState(TReader* Reader);
  virtual void Updating();
  virtual void Updated();
  virtual void ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName);
  virtual void ValidateContainer(TComponent* AComponent);
  virtual void ValidateInsert(TComponent* AComponent);
  void SetAncestor(bool Value);
  void SetInline(bool Value);

  friend class TReader;
  friend class TWriter;

 private:
  void Insert(TComponent* AComponent);
  void Remove(TComponent* AComponent);
  void RemoveFreeNotifications() noexcept;
  void LeaveOwner() noexcept;

  TComponentState FComponentState;

  TComponent* FOwner = nullptr;
  String FName;
  intptr_t FTag = 0;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  TComponentStyle FComponentStyle{csInheritable};
};

using TComponentClass = TClassOf<TComponent>;
