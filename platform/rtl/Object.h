#pragma once
// The root of the object model: TObject, class references and weak links.
//
// A class reference (TClass) points to the static class record of a class: its name, its parent's
// record, a factory that creates an instance through the class's own constructor (for classes that
// streaming or code creates by reference), and the published-property table of the streaming layer.
// Every class of the framework and of the system declares its record with two macros:
//
//   // TMyButton.h
//   class TMyButton : public TButton {
//     TAVREN_CLASS(TMyButton, TButton)        // first in the class body; what follows is private
//    public:
//     explicit TMyButton(TComponent* AOwner);
//   };
//
//   // TMyButton.cpp
//   TAVREN_CLASS_IMPL(TMyButton)                 // or TAVREN_CLASS_IMPL(TMyButton, MyButtonProps())
//
// TAVREN_CLASS also declares `inherited` as the parent class, so overrides read
// `inherited::Loaded();`. The optional second argument of TAVREN_CLASS_IMPL is an expression of
// type `const TPropTable*`; it is evaluated once, on the first use of the class record.
//
// Creation through a class reference ("virtual constructors"): the factory calls the constructor
// that takes the class's TCreateArg, a type each base declares (TComponent: the owner,
// TCollectionItem: the collection), or the default constructor when the class has no TCreateArg.
// A class whose constructor takes another argument type declares its own TCreateArg; a class that
// cannot be constructed that way (abstract, or other arguments) gets no factory. Creation with other
// arguments ("CreateSized(w, h)") is a virtual method of a static instance of the class, as all
// class-level virtual methods are.

#include <cstddef>
#include <new>
#include <type_traits>
#include <utility>

#include "rtl/Exceptions.h"
#include "rtl/Types.h"

// GCC takes the destroying delete below for a release that does not match `new` wherever it
// sees both; the pairing is right, and sanitizer builds check it for real.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

class TObject;
struct TPropTable;  // published properties; defined by the streaming layer in rtl/TypInfo.h
struct TClassRecord;
using TClass = const TClassRecord*;

struct TClassRecord {
  const char* Name;
  TClass Parent;                         // nullptr for TObject
  TObject* (*Factory)(TObject* Arg);     // nullptr when the class cannot be created by reference
  const TPropTable* Properties;          // nullptr when the class publishes nothing of its own

  bool InheritsFrom(TClass Ancestor) const noexcept;
  // A new instance through the class's own constructor, with AfterConstruction called. Arg is the
  // owner of a component, the collection of an item, ignored by classes without TCreateArg.
  // Raises EInvalidOperation when the class has no factory, EInvalidCast when Arg is of the wrong
  // class.
  TObject* Create(TObject* Arg = nullptr) const;
};

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;  // objects are referenced, never copied
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject();

  static TClass ClassInfo() noexcept;
  virtual TClass ClassType() const noexcept { return ClassInfo(); }
  String ClassName() const;
  TClass ClassParent() const noexcept;
  bool InheritsFrom(TClass Ancestor) const noexcept;
  // Case-insensitive, as class names are identifiers.
  bool ClassNameIs(const String& Name) const;

  // AfterConstruction runs after creation through a class reference (code that creates with `new`
  // and needs it calls it). BeforeDestruction runs on the complete object before any destructor,
  // whenever an object is deleted: `delete` is the framework's Free.
  virtual void AfterConstruction() {}
  virtual void BeforeDestruction() {}
  void operator delete(TObject* Self, std::destroying_delete_t);

 private:
  template <class T>
  friend class TWeakRef;
  struct TWeakBlock {
    TObject* Object;
    Integer Refs;  // the weak references plus one for the live object
  };
  TWeakBlock* AcquireWeakBlock() const;
  static void ReleaseWeakBlock(TWeakBlock* block) noexcept;
  void DetachWeakRefs() noexcept;

  mutable TWeakBlock* FWeak = nullptr;
};

// ---- Class declaration macros -------------------------------------------------------------

#define TAVREN_CLASS(Name, Parent)                                     \
 public:                                                               \
  using inherited = Parent;                                            \
  static TClass ClassInfo() noexcept;                                  \
  TClass ClassType() const noexcept override { return ClassInfo(); }   \
                                                                       \
 private:

#define TAVREN_CLASS_IMPL(Name, ...)                                                       \
  TClass Name::ClassInfo() noexcept {                                                      \
    static const TClassRecord record{#Name, Name::inherited::ClassInfo(),                   \
                                     ClassFactoryOf<Name>(), ClassProperties(__VA_ARGS__)}; \
    return &record;                                                                        \
  }

constexpr const TPropTable* ClassProperties(const TPropTable* table = nullptr) { return table; }

// ---- Typed class references ---------------------------------------------------------------

// A class reference restricted to T and its descendants ("class of T"). Converting a TClass that
// does not descend from T raises EInvalidCast.
template <class T>
class TClassOf {
 public:
  constexpr TClassOf() noexcept = default;
  constexpr TClassOf(std::nullptr_t) noexcept {}
  TClassOf(TClass Class) : FClass(Class) {
    if (Class && !Class->InheritsFrom(T::ClassInfo())) throw EInvalidCast("Invalid class typecast");
  }

  // From a reference to another class ("TComponentClass(FindClass(name))"), checked the same way.
  template <class U>
  TClassOf(TClassOf<U> Other) : TClassOf(static_cast<TClass>(Other)) {}

  constexpr operator TClass() const noexcept { return FClass; }
  constexpr TClass operator->() const noexcept { return FClass; }
  explicit constexpr operator bool() const noexcept { return FClass != nullptr; }

  // The framework's `ClassRef.Create(...)`.
  T* Create() const
    requires(!requires { typename T::TCreateArg; })
  {
    return static_cast<T*>(Checked()->Create(nullptr));
  }
  template <class A = T>
  T* Create(typename A::TCreateArg Arg) const {
    return static_cast<T*>(Checked()->Create(Arg));
  }

 private:
  TClass Checked() const {
    if (!FClass) throw EInvalidOperation("Class reference is not assigned");
    return FClass;
  }
  TClass FClass = nullptr;
};

// ---- Weak links ---------------------------------------------------------------------------

// A link to an object that reads nullptr once the object is deleted, for holders that must not
// keep an object alive nor dangle when someone else frees it. The link clears before the object's
// BeforeDestruction runs. User-interface thread only.
template <class T>
class TWeakRef {
 public:
  TWeakRef() noexcept = default;
  TWeakRef(T* Object) : FBlock(Object ? Object->AcquireWeakBlock() : nullptr) {}
  TWeakRef(const TWeakRef& other) noexcept : FBlock(other.FBlock) {
    if (FBlock) ++FBlock->Refs;
  }
  TWeakRef& operator=(const TWeakRef& other) noexcept {
    TWeakRef copy(other);
    std::swap(FBlock, copy.FBlock);
    return *this;
  }
  ~TWeakRef() { TObject::ReleaseWeakBlock(FBlock); }

  T* Get() const noexcept { return FBlock ? static_cast<T*>(FBlock->Object) : nullptr; }
  T* operator->() const noexcept { return Get(); }
  explicit operator bool() const noexcept { return Get() != nullptr; }

 private:
  TObject::TWeakBlock* FBlock = nullptr;
};

// ---- Implementation details of the macros ------------------------------------------------

template <class A>
A CreateArgCast(TObject* Arg) {
  if (!Arg) return nullptr;
  A typed = dynamic_cast<A>(Arg);
  if (!typed) throw EInvalidCast("Invalid class typecast");
  return typed;
}

template <class T>
TObject* NewInstanceOf(TObject* Arg) {
  if constexpr (requires { typename T::TCreateArg; })
    return new T(CreateArgCast<typename T::TCreateArg>(Arg));
  else
    return new T();
}

template <class T>
constexpr TObject* (*ClassFactoryOf())(TObject*) {
  if constexpr (std::is_abstract_v<T>) {
    return nullptr;
  } else if constexpr (requires { typename T::TCreateArg; }) {
    if constexpr (std::is_constructible_v<T, typename T::TCreateArg>)
      return &NewInstanceOf<T>;
    else
      return nullptr;
  } else if constexpr (std::is_default_constructible_v<T>) {
    return &NewInstanceOf<T>;
  } else {
    return nullptr;
  }
}
