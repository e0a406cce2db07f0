#pragma once
// The bottom of the toolkit: base classes, class registries, multicast events, weak object links,
// free-notification relay, component collections, resource texts, unique item names and a few
// byte, string and number routines. Holds no windows and draws nothing.

#include <utility>
#include <vector>

#include "rtl/Component.h"
#include "rtl/Events.h"
#include "rtl/Lists.h"
#include "rtl/Persistent.h"
#include "user/LocaleInfo.h"

// ---- Base classes -------------------------------------------------------------------------

// An interfaced persistent that knows its owner (option objects of controls).
class TkvInterfacedPersistent : public TInterfacedPersistent {
  TAVREN_CLASS(TkvInterfacedPersistent, TInterfacedPersistent)
 public:
  using TCreateArg = TPersistent*;
  explicit TkvInterfacedPersistent(TPersistent* AOwner) : FOwner(AOwner) {}
  TPersistent* GetOwner() override { return FOwner; }

 private:
  TPersistent* FOwner;
};

// Implements IUnknown without reference counting: the owner frees it like any object.
class TkvIUnknownObject : public TObject, public virtual IInterface {
  TAVREN_CLASS(TkvIUnknownObject, TObject)
 public:
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override;
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }
};

// A component that clears the weak links to itself when it goes.
class TkvComponent : public TComponent {
  TAVREN_CLASS(TkvComponent, TComponent)
 public:
  explicit TkvComponent(TComponent* AOwner) : TComponent(AOwner) {}
  ~TkvComponent() override;
  void BeforeDestruction() override;

  TComponent* GetFakeComponentLink1() const { return FFakeComponentLinks[0]; }
  void SetFakeComponentLink1(TComponent*) {}
  TComponent* GetFakeComponentLink2() const { return FFakeComponentLinks[1]; }
  void SetFakeComponentLink2(TComponent*) {}
  TComponent* GetFakeComponentLink3() const { return FFakeComponentLinks[2]; }
  void SetFakeComponentLink3(TComponent*) {}

 protected:
  // Components a designer should show as linked to this one; none in the base.
  virtual void GetFakeComponentLinks(TList* List);
  void Loaded() override;
  void RefreshDesignerLinks();

 private:
  TComponent* FFakeComponentLinks[3] = {};
};

// A pointer list that owns its objects.
class TkvObjectList : public TList {
  TAVREN_CLASS(TkvObjectList, TList)
 public:
  ~TkvObjectList() override;
  // Frees every item, first to last, then empties the list.
  void Clear() override;
  TObject* ItemAt(Integer Index) const { return static_cast<TObject*>(GetItems(Index)); }
};

// ---- Multicast events ---------------------------------------------------------------------

using TkvEventHandler = TEvent<void(TComponent* Sender, void* EventData)>;

class TkvEventHandlerCollection : public TObject {
  TAVREN_CLASS(TkvEventHandlerCollection, TObject)
 public:
  // Stored once: a second attach of the same object and method does nothing.
  void AttachHandler(const TkvEventHandler& Handler);
  void DetachHandler(const TkvEventHandler& Handler);
  // Calls the handlers in stored order. Handlers may detach themselves or others: a handler that
  // has left the array by the time its turn comes is not called, and nothing past the end is read.
  void FireAll(TComponent* Sender, void* EventData);
  Integer Count() const noexcept { return static_cast<Integer>(FHandlers.size()); }

 private:
  void DeleteAt(Integer Index);
  Integer IndexOf(const TkvEventHandler& Handler) const;

  std::vector<TkvEventHandler> FHandlers;
};

// ---- Class-to-class registry --------------------------------------------------------------

class TkvRegisteredClassListItemData : public TObject {
  TAVREN_CLASS(TkvRegisteredClassListItemData, TObject)
 public:
  TkvRegisteredClassListItemData(TClass AItemClass, TClass ARegisteredClass)
      : ItemClass(AItemClass), RegisteredClass(ARegisteredClass) {}
  TClass ItemClass;
  TClass RegisteredClass;
};

// Pairs an item class with a class registered for it; the most derived registered ancestor of a
// class answers for it. An entry always comes after the entries of its item class's ancestors.
class TkvRegisteredClassList : public TObject {
  TAVREN_CLASS(TkvRegisteredClassList, TObject)
 public:
  ~TkvRegisteredClassList() override;
  TClass PairedClassOf(TClass ItemClass);
  virtual void AddPair(TClass ItemClass, TClass RegisteredClass);
  virtual void RemovePair(TClass ItemClass, TClass RegisteredClass);
  Integer ClassCount() const noexcept { return static_cast<Integer>(FItems.size()); }

 protected:
  // True with Index at the pair of ItemClass or its nearest registered ancestor; false with Index
  // at the lowest pair of a descendant of ItemClass (untouched when there is none).
  virtual bool Find(TClass ItemClass, Integer& Index);

 private:
  std::vector<TkvRegisteredClassListItemData*> FItems;
};

// Classes with descriptions ("Name|Long description"), optionally sorted by the short name.
class TkvRegisteredClasses : public TObject {
  TAVREN_CLASS(TkvRegisteredClasses, TObject)
 public:
  explicit TkvRegisteredClasses(bool ARegisterClasses = false) : FRegisterClasses(ARegisterClasses) {}

  void AddClass(TClass AClass, const String& Description);
  void RemoveClass(TClass AClass);
  void SetSortedFlag(bool Value);
  bool GetSorted() const noexcept { return FSorted; }

  Integer Count() const noexcept { return static_cast<Integer>(FItems.size()); }
  TClass ClassAt(Integer Index) const { return FItems.at(Index).second; }
  // The whole stored text.
  const String& TextAt(Integer Index) const { return FItems.at(Index).first; }
  // The stored text up to its first "|".
  String DescriptionAt(Integer Index) const;
  Integer IndexOfClass(TClass AClass) const;

 protected:
  virtual Integer CompareItems(Integer Index1, Integer Index2);
  virtual void Sort();

 private:
  bool FRegisterClasses;
  bool FSorted = false;
  std::vector<std::pair<String, TClass>> FItems;
};

// ---- Weak object links --------------------------------------------------------------------

// A link whose Ref becomes nil when InvalidateObjectLinks is called for its object.
class TkvObjectLink : public TObject {
  TAVREN_CLASS(TkvObjectLink, TObject)
 public:
  TObject* Ref = nullptr;
};

// nil for nil.
TkvObjectLink* LinkToObject(TObject* Object);
// nil is ignored. The holder calls it for every link it got, dead or alive.
void ReleaseObjectLink(TkvObjectLink* Link);
void InvalidateObjectLinks(TObject* Object);
// Links handed out and not yet released (the shared controller lives while this is above 0).
Integer ObjectLinkCount();

// ---- Free notification relay --------------------------------------------------------------

using TkvFreeNotificationEvent = TEvent<void(TComponent* Sender)>;

class TkvFreeNotificator : public TComponent {
  TAVREN_CLASS(TkvFreeNotificator, TComponent)
 public:
  explicit TkvFreeNotificator(TComponent* AOwner) : TComponent(AOwner) {}
  void Watch(TComponent* AComponent);
  void Unwatch(TComponent* AComponent);
  TkvFreeNotificationEvent GetOnFreeNotification() const { return FOnFreeNotification; }
  void SetOnFreeNotification(TkvFreeNotificationEvent Value) { FOnFreeNotification = Value; }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TkvFreeNotificationEvent FOnFreeNotification;
};

// ---- Component collections ----------------------------------------------------------------

class TkvComponentCollection;

enum TkvCollectionAction { ccnAdded, ccnChanged, ccnExtracting, ccnExtracted };

// An item of a component collection: a component owned by the parent component's owner, that
// joins its collection when it gets its parent component.
class TkvComponentCollectionItem : public TComponent {
  TAVREN_CLASS(TkvComponentCollectionItem, TComponent)
 public:
  explicit TkvComponentCollectionItem(TComponent* AOwner) : TComponent(AOwner) {}
  ~TkvComponentCollectionItem() override;

  TkvComponentCollection* GetCollection() const noexcept { return FCollection; }
  virtual void SetCollection(TkvComponentCollection* Value);
  Integer GetID() const noexcept { return FID; }
  virtual String GetDisplayName();
  virtual void SetIndex(Integer Value);
  Integer PositionInCollection() const;
  void SignalChanged(bool AllItems);

  TComponent* GetParentComponent() override;
  bool HasParent() override;
  void SetParentComponent(TComponent* Value) override;

 protected:
  virtual TkvComponentCollection* GetCollectionFromParent(TComponent* AParentComponent) = 0;

 private:
  friend class TkvComponentCollection;
  TkvComponentCollection* FCollection = nullptr;
  Integer FID = 0;
};

using TkvComponentCollectionItemClass = TClassOf<TkvComponentCollectionItem>;
using TkvComponentCollectionChangeEvent =
    TEvent<void(TObject* Sender, TkvComponentCollectionItem* AItem, TkvCollectionAction AAction)>;

class TkvComponentCollection : public TPersistent {
  TAVREN_CLASS(TkvComponentCollection, TPersistent)
 public:
  TkvComponentCollection(TComponent* AParentComponent, TkvComponentCollectionItemClass AItemClass);
  ~TkvComponentCollection() override;

  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override { return FParentComponent; }

  TkvComponentCollectionItem* AppendItem();
  void FreeAllItems();
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate(bool ForceUpdate = true);
  TkvComponentCollectionItem* ItemAt(Integer Index) const { return FItems.at(Index); }
  Integer ItemCount() const noexcept { return static_cast<Integer>(FItems.size()); }
  Integer IndexOfItem(const TkvComponentCollectionItem* Item) const;
  TComponent* GetParentComponent() const noexcept { return FParentComponent; }
  TkvComponentCollectionItemClass GetItemClass() const noexcept { return FItemClass; }

  TkvComponentCollectionChangeEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TkvComponentCollectionChangeEvent Value) { FOnChange = Value; }

 protected:
  virtual void ItemNotification(TkvComponentCollectionItem* AItem, TkvCollectionAction AAction);
  virtual void SetItemName(TkvComponentCollectionItem* AItem);
  virtual void ReportChange(TkvComponentCollectionItem* AItem, TkvCollectionAction AAction);

 private:
  friend class TkvComponentCollectionItem;
  void Insert(TkvComponentCollectionItem* AItem);
  void Remove(TkvComponentCollectionItem* AItem);
  void Report(TkvComponentCollectionItem* AItem, TkvCollectionAction AAction);
  void MoveItem(TkvComponentCollectionItem* AItem, Integer NewIndex);

  TComponent* FParentComponent;
  TkvComponentCollectionItemClass FItemClass;
  std::vector<TkvComponentCollectionItem*> FItems;
  Integer FUpdateCount = 0;
  Integer FNextID = 0;
  TkvComponentCollectionChangeEvent FOnChange;
};

// ---- Resource texts and names -------------------------------------------------------------

// The text of a string of the program's string table; every toolkit message and caption is read
// through here. Texts are kept once read.
String ResourceStringText(Integer Ident);

// A component name for a new collection item that no other component of Owner bears.
String UniqueItemName(TComponent* Owner, TComponent* ParentComponent, TComponent* Item,
                      const String& ClassPrefix, const String& BaseName);

// ---- Small routines -----------------------------------------------------------------------

String LocaleInfoOrDefault(LCID Locale, LCTYPE InfoType, const String& Default);
// Positions are 1-based.
Integer CharByteLength(const String& Text, Integer Position);
Integer NextCharPosition(const String& Text, Integer Position);
Integer PrevCharPosition(const String& Text, Integer Position);
String TextBeforeBar(const String& Text);
void InvokeNotifyEvent(TObject* Sender, const TNotifyEvent& Event);
TPersistent* PersistentOwnerOf(TPersistent* Persistent);
TSize MakeSizeValue(Integer Width, Integer Height);
// The middle of A + B rounded down.
Integer RangeMidpoint(Integer A, Integer B);
void ZeroBuffer(void* Buffer, Integer Size);
void MoveBytes(const void* Source, void* Dest, Integer Count);
// Offsets of 0 or less count as 0.
void CopyBytes(const void* Source, void* Dest, Integer SourceOffset, Integer DestOffset, Integer Count);
Byte ReadByteAt(const void* P, Integer Offset);
void WriteByteAt(void* P, Byte Value, Integer Offset);
Integer FloatSign(Double X);

// Unit start: the toolkit's components stream in the controls' class group. End: forgets the
// resource texts read.
void kvClassesStart();
void kvClassesEnd();
