#pragma once
// Interfaces as abstract classes, with the framework's reference counting and checked casts.
//
// An interface derives virtually from IInterface (so an object that implements several has one
// IInterface part) and names its identifier with TAVREN_INTERFACE:
//
//   class IkvPopupMenu : public virtual IInterface {
//     TAVREN_INTERFACE(IkvPopupMenu)
//    public:
//     virtual void ClosePopup() = 0;
//   };
//
// An identifier (TInterfaceId) is one static descriptor per interface type; two identifiers name
// the same interface when they are the same object. The class that implements an interface
// derives from it, and from TInterfacedObject (counted: deleted at the last release) or implements
// the three IInterface methods itself (TInterfacedPersistent and other uncounted objects answer -1).

#include <atomic>
#include <cstddef>
#include <type_traits>
#include <utility>

#include "rtl/Object.h"
#include "rtl/WinTypes.h"

struct TInterfaceId {
  const char* Name;
  // Stores the interface of Instance in *Intf, with a reference added; false when Instance does
  // not implement it.
  bool (*Get)(TObject* Instance, void** Intf);
};

template <class I>
bool GetInterfaceOf(TObject* Instance, void** Intf);

#define TAVREN_INTERFACE(Name)                                                \
 public:                                                                      \
  static constexpr TInterfaceId IID{#Name, &GetInterfaceOf<Name>};           \
                                                                              \
 private:

class IInterface {
  TAVREN_INTERFACE(IInterface)
 public:
  // S_OK with the interface in *Obj (a reference added), or E_NOINTERFACE with *Obj = nullptr.
  virtual HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) = 0;
  virtual Integer _AddRef() = 0;
  virtual Integer _Release() = 0;

 protected:
  ~IInterface() = default;  // objects are freed through their class, never through an interface
};
using IUnknown = IInterface;

template <class I>
bool GetInterfaceOf(TObject* Instance, void** Intf) {
  I* intf = dynamic_cast<I*>(Instance);
  *Intf = intf;
  if (!intf) return false;
  intf->_AddRef();
  return true;
}

// The object's own interfaces, without asking QueryInterface (TObject.GetInterface).
inline bool GetInterface(TObject* Instance, const TInterfaceId& IID, void** Obj) {
  if (!Instance) {
    *Obj = nullptr;
    return false;
  }
  return IID.Get(Instance, Obj);
}

// Reference counted: starts at 0, and the object deletes itself when the count returns to 0.
class TInterfacedObject : public TObject, public virtual IInterface {
  TAVREN_CLASS(TInterfacedObject, TObject)
 public:
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override;
  Integer _AddRef() override;
  Integer _Release() override;
  Integer RefCount() const noexcept { return FRefCount.load(); }

 private:
  std::atomic<Integer> FRefCount{0};
};

// ---- Interface references -----------------------------------------------------------------

// An interface variable: holds one reference on what it points to. Uncounted objects answer -1 to
// both calls, so the same variable serves them too.
template <class I>
class TInterfacePtr {
 public:
  TInterfacePtr() noexcept = default;
  TInterfacePtr(std::nullptr_t) noexcept {}
  TInterfacePtr(I* Intf) : FIntf(Intf) {
    if (FIntf) FIntf->_AddRef();
  }
  TInterfacePtr(const TInterfacePtr& other) : TInterfacePtr(other.FIntf) {}
  TInterfacePtr(TInterfacePtr&& other) noexcept : FIntf(std::exchange(other.FIntf, nullptr)) {}
  TInterfacePtr& operator=(TInterfacePtr other) noexcept {
    std::swap(FIntf, other.FIntf);
    return *this;
  }
  ~TInterfacePtr() {
    if (FIntf) FIntf->_Release();
  }

  // Takes over a reference that was already added (QueryInterface's result).
  static TInterfacePtr Attach(I* Intf) noexcept {
    TInterfacePtr p;
    p.FIntf = Intf;
    return p;
  }

  I* Get() const noexcept { return FIntf; }
  I* operator->() const noexcept { return FIntf; }
  explicit operator bool() const noexcept { return FIntf != nullptr; }
  friend bool operator==(const TInterfacePtr& a, const TInterfacePtr& b) { return a.FIntf == b.FIntf; }

 private:
  I* FIntf = nullptr;
};

// ---- Supports ------------------------------------------------------------------------------

// Asks the object's QueryInterface; Instance is an interface or an object (an object that
// implements no interface supports none).
template <class I, class T>
bool Supports(T* Instance, TInterfacePtr<I>& Intf) {
  IInterface* unknown;
  if constexpr (std::is_convertible_v<T*, IInterface*>)
    unknown = Instance;
  else
    unknown = dynamic_cast<IInterface*>(Instance);
  void* obj = nullptr;
  if (unknown && unknown->QueryInterface(I::IID, &obj) == S_OK && obj) {
    Intf = TInterfacePtr<I>::Attach(static_cast<I*>(obj));
    return true;
  }
  Intf = nullptr;
  return false;
}

// Only tests; never touches the reference count, so a counted object that nobody holds yet is
// not freed by being asked.
template <class I>
bool Supports(TObject* Instance) {
  return dynamic_cast<I*>(Instance) != nullptr;
}
