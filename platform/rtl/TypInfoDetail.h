#pragma once
// Implementation details of rtl/TypInfo.h: type information of the built-in types and the
// templates that turn member pointers into the erased accessors of a TPropInfo.

#include <cstdint>
#include <limits>

// ---- Type information of built-in types --------------------------------------------------------

template <class T>
constexpr TTypeInfo IntegerTypeInfo(const char* name) {
  return {tkInteger, name, std::numeric_limits<T>::min(), static_cast<Int64>(std::numeric_limits<T>::max())};
}

template <>
struct TTypeInfoOf<Integer> {
  static constexpr TTypeInfo Info = IntegerTypeInfo<Integer>("Integer");
};
template <>
struct TTypeInfoOf<Cardinal> {
  static constexpr TTypeInfo Info = IntegerTypeInfo<Cardinal>("Cardinal");
};
template <>
struct TTypeInfoOf<SmallInt> {
  static constexpr TTypeInfo Info = IntegerTypeInfo<SmallInt>("SmallInt");
};
template <>
struct TTypeInfoOf<Word> {
  static constexpr TTypeInfo Info = IntegerTypeInfo<Word>("Word");
};
template <>
struct TTypeInfoOf<ShortInt> {
  static constexpr TTypeInfo Info = IntegerTypeInfo<ShortInt>("ShortInt");
};
template <>
struct TTypeInfoOf<Byte> {
  static constexpr TTypeInfo Info = IntegerTypeInfo<Byte>("Byte");
};
template <>
struct TTypeInfoOf<Int64> {
  static constexpr TTypeInfo Info{tkInt64, "Int64", std::numeric_limits<Int64>::min(),
                                  std::numeric_limits<Int64>::max()};
};
template <>
struct TTypeInfoOf<bool> {
  static constexpr TTypeInfo Info{tkEnumeration, "Boolean", 0, 1, "False, True"};
};
template <>
struct TTypeInfoOf<Double> {
  static constexpr TTypeInfo Info{tkFloat, "Double"};
};
template <>
struct TTypeInfoOf<Single> {
  static constexpr TTypeInfo Info{tkFloat, "Single"};
};
template <>
struct TTypeInfoOf<String> {
  static constexpr TTypeInfo Info{tkString, "String"};
};
template <>
struct TTypeInfoOf<Variant> {
  static constexpr TTypeInfo Info{tkVariant, "Variant"};
};
template <class E, std::size_t N>
struct TTypeInfoOf<TSet<E, N>> {
  static_assert(N <= 64, "published sets hold at most 64 elements");
  static constexpr TTypeInfo Info{tkSet, "Set", 0, 0, nullptr, &TTypeInfoOf<E>::Info};
};
template <class T>
  requires std::is_base_of_v<TObject, T>
struct TTypeInfoOf<T*> {
  static constexpr TTypeInfo Info{tkClass, "Class", 0, 0, nullptr, nullptr, &T::ClassInfo};
};
template <class Sig>
struct TTypeInfoOf<TEvent<Sig>> {
  static constexpr TTypeInfo Info{tkMethod, "Event", 0, 0, nullptr, nullptr, nullptr,
                                  TEventSignature<Sig>::Id()};
};

namespace typinfo_detail {

template <class E>
constexpr bool CountsFromZero(std::initializer_list<E> values) {
  Int64 expected = 0;
  for (E e : values)
    if (static_cast<Int64>(e) != expected++) return false;
  return true;
}

// The class and value type of a member function (getter, setter, stored predicate) or field.
template <class M>
struct Member;
template <class C, class T>
struct Member<T C::*> {
  using Class = C;
  using Value = T;
  static constexpr bool kTakesIndex = false;
};
template <class... A>
struct LastOf {
  using Type = void;
};
template <class A>
struct LastOf<A> {
  using Type = A;
};
template <class A, class B>
struct LastOf<A, B> {
  using Type = B;
};
template <class... A>
using LastArg = typename LastOf<A...>::Type;
#define TAVREN_MEMBER_FUNCTION(Qualifiers)                                                       \
  template <class C, class R, class... A>                                                        \
  struct Member<R (C::*)(A...) Qualifiers> {                                                     \
    using Class = C;                                                                             \
    using Value = std::conditional_t<std::is_void_v<R>, std::remove_cvref_t<LastArg<A...>>,     \
                                     std::remove_cvref_t<R>>;                                    \
    static constexpr bool kTakesIndex = std::is_void_v<R> ? sizeof...(A) == 2 : sizeof...(A) == 1; \
  };
TAVREN_MEMBER_FUNCTION()
TAVREN_MEMBER_FUNCTION(const)
TAVREN_MEMBER_FUNCTION(noexcept)
TAVREN_MEMBER_FUNCTION(const noexcept)
#undef TAVREN_MEMBER_FUNCTION

template <auto M>
using ClassOf = typename Member<decltype(M)>::Class;
template <auto M>
using ValueOf = typename Member<decltype(M)>::Value;

// Reads through a getter or a field.
template <auto G>
ValueOf<G> Get(TObject* o, Integer index) {
  auto* self = static_cast<ClassOf<G>*>(o);
  if constexpr (std::is_member_object_pointer_v<decltype(G)>)
    return self->*G;
  else if constexpr (Member<decltype(G)>::kTakesIndex)
    return (self->*G)(index);
  else
    return (self->*G)();
}

// Writes through a setter or a field.
template <auto S, class V>
void Set(TObject* o, Integer index, V value) {
  auto* self = static_cast<ClassOf<S>*>(o);
  if constexpr (std::is_member_object_pointer_v<decltype(S)>)
    self->*S = static_cast<ValueOf<S>>(value);
  else if constexpr (Member<decltype(S)>::kTakesIndex)
    (self->*S)(index, static_cast<ValueOf<S>>(value));
  else
    (self->*S)(static_cast<ValueOf<S>>(value));
}

template <class T>
Int64 ToOrd(const T& v) {
  if constexpr (requires { v.ToBits(); })
    return static_cast<Int64>(v.ToBits());
  else
    return static_cast<Int64>(v);
}
template <class T>
T FromOrd(Int64 v) {
  if constexpr (requires { T::FromBits(0); })
    return T::FromBits(static_cast<uint64_t>(v));
  else if constexpr (std::is_same_v<T, bool>)
    return v != 0;
  else
    return static_cast<T>(v);
}

template <auto G>
Int64 GetOrd(TObject* o, Integer index) {
  return ToOrd(Get<G>(o, index));
}
template <auto S>
void SetOrd(TObject* o, Integer index, Int64 v) {
  Set<S>(o, index, FromOrd<ValueOf<S>>(v));
}
template <auto G>
Double GetFloat(TObject* o, Integer index) {
  return static_cast<Double>(Get<G>(o, index));
}
template <auto S>
void SetFloat(TObject* o, Integer index, Double v) {
  Set<S>(o, index, v);
}
template <auto G>
String GetStr(TObject* o, Integer index) {
  return Get<G>(o, index);
}
template <auto S>
void SetStr(TObject* o, Integer index, const String& v) {
  Set<S, const String&>(o, index, v);
}
template <auto G>
TObject* GetObject(TObject* o, Integer index) {
  return Get<G>(o, index);
}
// The reader checks the object's class against the property's before it calls this.
template <auto S>
void SetObject(TObject* o, Integer index, TObject* v) {
  Set<S>(o, index, static_cast<ValueOf<S>>(v));
}
template <auto G>
TMethod GetMethod(TObject* o, Integer index) {
  return Get<G>(o, index).ToMethod();
}
template <auto S>
void SetMethod(TObject* o, Integer index, const TMethod& v) {
  Set<S>(o, index, ValueOf<S>::FromMethod(v));
}

template <auto G>
Variant GetVariant(TObject* o, Integer index) {
  return Get<G>(o, index);
}
template <auto S>
void SetVariant(TObject* o, Integer index, const Variant& v) {
  Set<S, const Variant&>(o, index, v);
}

template <auto P>
bool Stored(TObject* o, Integer index) {
  auto* self = static_cast<ClassOf<P>*>(o);
  if constexpr (Member<decltype(P)>::kTakesIndex)
    return (self->*P)(index);
  else
    return (self->*P)();
}

template <class T>
constexpr TTypeKind KindOf() {
  return TTypeInfoOf<T>::Info.Kind;
}

}  // namespace typinfo_detail

template <auto G, auto S>
TPropInfo MakePropInfo(const char* name) {
  using namespace typinfo_detail;
  using T = ValueOf<G>;
  constexpr TTypeKind kind = KindOf<T>();
  constexpr bool writable = !std::is_same_v<decltype(S), std::nullptr_t>;
  TPropInfo p;
  p.Name = name;
  p.PropType = &TTypeInfoOf<T>::Info;
  if constexpr (kind == tkInteger || kind == tkEnumeration || kind == tkSet || kind == tkInt64) {
    p.GetOrd = &GetOrd<G>;
    if constexpr (writable) p.SetOrd = &SetOrd<S>;
  } else if constexpr (kind == tkFloat) {
    p.GetFloat = &GetFloat<G>;
    if constexpr (writable) p.SetFloat = &SetFloat<S>;
  } else if constexpr (kind == tkString) {
    p.GetStr = &GetStr<G>;
    if constexpr (writable) p.SetStr = &SetStr<S>;
  } else if constexpr (kind == tkClass) {
    p.GetObject = &GetObject<G>;
    if constexpr (writable) p.SetObject = &SetObject<S>;
  } else if constexpr (kind == tkMethod) {
    p.GetMethod = &GetMethod<G>;
    if constexpr (writable) p.SetMethod = &SetMethod<S>;
  } else if constexpr (kind == tkVariant) {
    p.GetVariant = &GetVariant<G>;
    if constexpr (writable) p.SetVariant = &SetVariant<S>;
  }
  return p;
}

template <class V>
TPropInfo TPropInfo::Default(V value) const {
  TPropInfo p = *this;
  p.HasDefault = true;
  p.DefaultValue = typinfo_detail::ToOrd(value);
  return p;
}

template <auto IsStored>
TPropInfo TPropInfo::Stored() const {
  TPropInfo p = *this;
  p.StoredProc = &typinfo_detail::Stored<IsStored>;
  return p;
}

template <auto F>
TFieldInfo MakeFieldInfo(const char* name) {
  using namespace typinfo_detail;
  using T = std::remove_pointer_t<ValueOf<F>>;
  static_assert(std::is_base_of_v<TObject, T>, "published fields point to objects");
  TFieldInfo f;
  f.Name = name;
  f.FieldClass = &T::ClassInfo;
  f.Set = [](TObject* root, TObject* value) { static_cast<ClassOf<F>*>(root)->*F = static_cast<T*>(value); };
  return f;
}
