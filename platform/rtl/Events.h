#pragma once
// Events: method pointers, an object and one of its methods, as the framework's "of object" types.
//
//   using TNotifyEvent = TEvent<void(TObject* Sender)>;
//   Button->SetOnClick(MakeEvent<&TMainForm::ButtonClick>(this));
//   if (FOnClick) FOnClick(this);
//
// Representation. An event is (Data, Code): Data is the object, Code the address of a thunk that
// the compiler makes once per (class, method) pair and that calls that method on Data. Two events
// are the same handler when both parts are equal (SameEventHandler), as the framework compares
// them. TMethod is the same pair with the type erased, plus the identity of the call signature, so
// that a handler found by NAME can be checked and stored into an event of any type:
//
//   // a form class lists its published methods, once, e.g. in its property table:
//   { "ButtonClick", MethodCodeOf<&TMainForm::ButtonClick>() }      -> TMethodCode
//   // the reader binds "OnClick = ButtonClick" on the form object `root`:
//   TMethod m = BindMethod(code, root);
//   onClick = TNotifyEvent::FromMethod(m);   // EInvalidCast if the signatures differ
//
// The method's class must be a TObject descendant (Data is stored as TObject*). Events belong to
// the user-interface thread like the objects they call.

#include <cstddef>
#include <type_traits>

#include "rtl/Exceptions.h"
#include "rtl/Object.h"

// The erased code part: the thunk's address and the identity of its call signature.
struct TMethodCode {
  void (*Thunk)() = nullptr;
  const void* Signature = nullptr;
  friend bool operator==(const TMethodCode&, const TMethodCode&) = default;
};

struct TMethod {
  TMethodCode Code;
  TObject* Data = nullptr;
  bool Assigned() const noexcept { return Code.Thunk != nullptr; }
  friend bool operator==(const TMethod& a, const TMethod& b) {
    return a.Code.Thunk == b.Code.Thunk && a.Data == b.Data;
  }
};

inline TMethod BindMethod(const TMethodCode& Code, TObject* Data) { return {Code, Data}; }

// One address per call signature.
template <class Sig>
struct TEventSignature {
  static constexpr char Tag = 0;
  static constexpr const void* Id() noexcept { return &Tag; }
};

namespace event_detail {
template <class M>
struct MethodTraits;
template <class C, class R, class... A>
struct MethodTraits<R (C::*)(A...)> {
  using Class = C;
  using Sig = R(A...);
};
template <class C, class R, class... A>
struct MethodTraits<R (C::*)(A...) noexcept> : MethodTraits<R (C::*)(A...)> {};
template <class C, class R, class... A>
struct MethodTraits<R (C::*)(A...) const> : MethodTraits<R (C::*)(A...)> {};
template <class C, class R, class... A>
struct MethodTraits<R (C::*)(A...) const noexcept> : MethodTraits<R (C::*)(A...)> {};

// The class is a parameter of its own, not only read from M: GCC gives a thunk of a method of a
// class in an unnamed namespace external linkage when the class appears only through M, so two
// sources with a local class of the same name (each test file's "Watcher") would share one thunk.
template <class C, auto M, class R, class... A>
R Thunk(TObject* Data, A... Args) {
  return (static_cast<C*>(Data)->*M)(static_cast<A&&>(Args)...);
}
}  // namespace event_detail

template <class Sig>
class TEvent;

template <class R, class... A>
class TEvent<R(A...)> {
 public:
  using Signature = R(A...);
  using TInvoke = R (*)(TObject*, A...);

  constexpr TEvent() noexcept = default;
  constexpr TEvent(std::nullptr_t) noexcept {}

  template <auto M>
  static TEvent Of(typename event_detail::MethodTraits<decltype(M)>::Class* Object) {
    static_assert(std::is_same_v<typename event_detail::MethodTraits<decltype(M)>::Sig, Signature>,
                  "the method's parameters differ from the event's");
    TEvent e;
    e.FData = Object;
    e.FCode = &event_detail::Thunk<typename event_detail::MethodTraits<decltype(M)>::Class, M, R, A...>;
    return e;
  }

  // Raises EInvalidCast when an assigned method has another signature.
  static TEvent FromMethod(const TMethod& Method) {
    if (!Method.Assigned()) return {};
    if (Method.Code.Signature != TEventSignature<Signature>::Id())
      throw EInvalidCast("Invalid method type for this event");
    TEvent e;
    e.FData = Method.Data;
    e.FCode = reinterpret_cast<TInvoke>(Method.Code.Thunk);
    return e;
  }
  TMethod ToMethod() const noexcept {
    if (!FCode) return {};
    return {{reinterpret_cast<void (*)()>(FCode), TEventSignature<Signature>::Id()}, FData};
  }

  bool Assigned() const noexcept { return FCode != nullptr; }
  explicit operator bool() const noexcept { return Assigned(); }
  TObject* Data() const noexcept { return FData; }

  // Calling an unassigned event does nothing (and answers a default value).
  R operator()(A... Args) const {
    if (!FCode) {
      if constexpr (std::is_void_v<R>)
        return;
      else
        return R{};
    }
    return FCode(FData, static_cast<A&&>(Args)...);
  }

  friend bool operator==(const TEvent& a, const TEvent& b) noexcept {
    return a.FCode == b.FCode && a.FData == b.FData;
  }

 private:
  TObject* FData = nullptr;
  TInvoke FCode = nullptr;
};

// MakeEvent<&TMainForm::ButtonClick>(this): the event type follows from the method.
template <auto M>
auto MakeEvent(typename event_detail::MethodTraits<decltype(M)>::Class* Object) {
  return TEvent<typename event_detail::MethodTraits<decltype(M)>::Sig>::template Of<M>(Object);
}

// The code part of a method, for tables of methods published by name.
template <auto M>
TMethodCode MethodCodeOf() {
  using Traits = event_detail::MethodTraits<decltype(M)>;
  using E = TEvent<typename Traits::Sig>;
  return E::template Of<M>(nullptr).ToMethod().Code;
}

template <class Sig>
bool SameEventHandler(const TEvent<Sig>& a, const TEvent<Sig>& b) noexcept {
  return a == b;
}
inline bool SameEventHandler(const TMethod& a, const TMethod& b) noexcept { return a == b; }

using TNotifyEvent = TEvent<void(TObject* Sender)>;
