#pragma once
// Published properties, fields and methods of classes: what the form reader and writer see.
//
// A class lists what it publishes in its class record, next to its class implementation:
//
//   TAVREN_CLASS_IMPL_PUBLISHED(TMyButton,
//       PROPERTY(Caption),                                   // GetCaption / SetCaption
//       PROPERTY(Width).Default(75),
//       PROPERTY(Color).Idents(ColorIdentMap).Default(clBtnFace),
//       PROPERTY(Kind).Stored<&TMyButton::IsKindStored>(),
//       PROPERTY_READ(Font),                                 // a sub-object: written into
//       PROPERTY_AS(Tag, FTag, FTag).Stored(false),          // any members: methods or fields
//       PROPERTY(OnClick))
//
//   TAVREN_CLASS_IMPL_PUBLISHED(TMainForm,
//       FIELD(Button1),                                      // set when Button1 is read
//       METHOD(Button1Click))                                // bound by "OnClick = Button1Click"
//
// The accessors may be private: the list is evaluated inside the class's own ClassInfo(). The
// kind of a property follows from its getter's type: integers, Int64, Double, String, Variant, bool,
// enumerations declared with TAVREN_ENUM_INFO, TSet of those, pointers to TObject descendants
// (sub-objects, collections and component references) and TEvent types. Indexed properties take
// .Indexed(n); their getter and setter receive the index as first argument.
//
// Properties are written in declaration order, ancestors' first. A property without a default is
// always written; strings and floats are not written when empty or zero.

#include <initializer_list>
#include <type_traits>
#include <utility>
#include <vector>

#include "rtl/Events.h"
#include "rtl/Exceptions.h"
#include "rtl/IdentMap.h"
#include "rtl/Object.h"
#include "rtl/Sets.h"
#include "rtl/Variants.h"

TAVREN_DECLARE_EXCEPTION(EPropertyError, Exception);

enum TTypeKind {
  tkUnknown,
  tkInteger,
  tkChar,
  tkEnumeration,
  tkFloat,
  tkString,
  tkSet,
  tkClass,
  tkMethod,
  tkVariant,
  tkInt64,
};

struct TTypeInfo {
  TTypeKind Kind = tkUnknown;
  const char* Name = "";
  Int64 MinValue = 0;                   // integers and enumerations
  Int64 MaxValue = 0;
  const char* EnumNames = nullptr;      // tkEnumeration: the literal names as declared, "a, b, c"
  const TTypeInfo* CompType = nullptr;  // tkSet: the element enumeration
  TClass (*ClassType)() noexcept = nullptr;  // tkClass: the class the property holds
  const void* Signature = nullptr;      // tkMethod: the event's call signature
};

// The type information of a C++ type. Enumerations get theirs from TAVREN_ENUM_INFO.
template <class T>
struct TTypeInfoOf;

// Declares the literal names of an enumeration, in order from 0, at global scope after the enum:
//   enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
//   TAVREN_ENUM_INFO(TBevelCut, bvNone, bvLowered, bvRaised, bvSpace);
#define TAVREN_ENUM_INFO(E, ...)                                                                 \
  template <>                                                                                    \
  struct TTypeInfoOf<E> {                                                                        \
    static_assert(typinfo_detail::CountsFromZero<E>({__VA_ARGS__}),                              \
                  "TAVREN_ENUM_INFO lists the enumeration's values in order from 0");            \
    static constexpr TTypeInfo Info{tkEnumeration, #E, 0,                                        \
                                    std::initializer_list<E>{__VA_ARGS__}.size() - 1, #__VA_ARGS__}; \
  }

// ---- Properties -------------------------------------------------------------------------------

constexpr Integer kNoIndex = static_cast<Integer>(0x80000000u);

struct TPropInfo {
  const char* Name = "";
  const TTypeInfo* PropType = nullptr;
  const TIdentMap* IdentMap = nullptr;  // names for values of an integer property (colours)
  Integer Index = kNoIndex;
  bool HasDefault = false;
  Int64 DefaultValue = 0;
  bool StoredConst = true;
  bool (*StoredProc)(TObject*, Integer) = nullptr;

  // One family is set, after the property's kind (ordinals: integer, enumeration, set, Int64).
  Int64 (*GetOrd)(TObject*, Integer) = nullptr;
  void (*SetOrd)(TObject*, Integer, Int64) = nullptr;
  Double (*GetFloat)(TObject*, Integer) = nullptr;
  void (*SetFloat)(TObject*, Integer, Double) = nullptr;
  String (*GetStr)(TObject*, Integer) = nullptr;
  void (*SetStr)(TObject*, Integer, const String&) = nullptr;
  TObject* (*GetObject)(TObject*, Integer) = nullptr;
  void (*SetObject)(TObject*, Integer, TObject*) = nullptr;
  TMethod (*GetMethod)(TObject*, Integer) = nullptr;
  void (*SetMethod)(TObject*, Integer, const TMethod&) = nullptr;
  Variant (*GetVariant)(TObject*, Integer) = nullptr;
  void (*SetVariant)(TObject*, Integer, const Variant&) = nullptr;

  TTypeKind Kind() const { return PropType->Kind; }
  bool Writable() const { return SetOrd || SetFloat || SetStr || SetObject || SetMethod || SetVariant; }

  template <class V>
  TPropInfo Default(V value) const;
  TPropInfo Stored(bool stored) const {
    TPropInfo p = *this;
    p.StoredConst = stored;
    return p;
  }
  template <auto IsStored>
  TPropInfo Stored() const;
  TPropInfo Indexed(Integer index) const {
    TPropInfo p = *this;
    p.Index = index;
    return p;
  }
  TPropInfo Idents(const TIdentMap& map) const {
    TPropInfo p = *this;
    p.IdentMap = &map;
    return p;
  }
};

// A published field: the reader sets it on the root when it reads the component of that name.
struct TFieldInfo {
  const char* Name = "";
  TClass (*FieldClass)() noexcept = nullptr;
  void (*Set)(TObject* Root, TObject* Value) = nullptr;
};

// A published method: event properties are bound to it by name.
struct TMethodInfo {
  const char* Name = "";
  TMethodCode Code;
};

struct TPropTable {
  std::vector<TPropInfo> Properties;
  std::vector<TFieldInfo> Fields;
  std::vector<TMethodInfo> Methods;
};

// One entry of a TAVREN_PUBLISHED list.
struct TPublishedEntry {
  TPublishedEntry(const TPropInfo& p) : Kind(0), Prop(p) {}
  TPublishedEntry(const TFieldInfo& f) : Kind(1), Field(f) {}
  TPublishedEntry(const TMethodInfo& m) : Kind(2), Method(m) {}
  int Kind;
  TPropInfo Prop;
  TFieldInfo Field;
  TMethodInfo Method;
};
TPropTable MakePropTable(std::initializer_list<TPublishedEntry> entries);

#define TAVREN_PUBLISHED(C, ...)                                           \
  [] {                                                                     \
    using Self [[maybe_unused]] = C;                                       \
    static const TPropTable table = MakePropTable({__VA_ARGS__});          \
    return &table;                                                         \
  }()

#define TAVREN_CLASS_IMPL_PUBLISHED(C, ...) TAVREN_CLASS_IMPL(C, TAVREN_PUBLISHED(C, __VA_ARGS__))

#define PROPERTY(P) MakePropInfo<&Self::Get##P, &Self::Set##P>(#P)
#define PROPERTY_READ(P) MakePropInfo<&Self::Get##P, nullptr>(#P)
#define PROPERTY_AS(P, Getter, Setter) MakePropInfo<&Self::Getter, &Self::Setter>(#P)
#define FIELD(F) MakeFieldInfo<&Self::F>(#F)
#define METHOD(M) TMethodInfo{#M, MethodCodeOf<&Self::M>()}

// ---- Lookup and access ------------------------------------------------------------------------

// Case-insensitive, through the parent chain; nullptr when the class publishes no such property.
const TPropInfo* GetPropInfo(TClass AClass, const String& PropName);
const TPropInfo* GetPropInfo(const TObject* Instance, const String& PropName);
// Every published property, ancestors' first, each name once (a redeclaration in a descendant
// replaces the ancestor's entry in its place).
std::vector<const TPropInfo*> GetPropList(TClass AClass);
bool IsPublishedProp(TClass AClass, const String& PropName);

// By property info; the kind must fit (EPropertyError otherwise).
Int64 GetOrdProp(TObject* Instance, const TPropInfo* PropInfo);
void SetOrdProp(TObject* Instance, const TPropInfo* PropInfo, Int64 Value);
Double GetFloatProp(TObject* Instance, const TPropInfo* PropInfo);
void SetFloatProp(TObject* Instance, const TPropInfo* PropInfo, Double Value);
String GetStrProp(TObject* Instance, const TPropInfo* PropInfo);
void SetStrProp(TObject* Instance, const TPropInfo* PropInfo, const String& Value);
TObject* GetObjectProp(TObject* Instance, const TPropInfo* PropInfo);
void SetObjectProp(TObject* Instance, const TPropInfo* PropInfo, TObject* Value);
TMethod GetMethodProp(TObject* Instance, const TPropInfo* PropInfo);
void SetMethodProp(TObject* Instance, const TPropInfo* PropInfo, const TMethod& Value);
Variant GetVariantProp(TObject* Instance, const TPropInfo* PropInfo);
void SetVariantProp(TObject* Instance, const TPropInfo* PropInfo, const Variant& Value);
// The stored predicate alone; defaults are the writer's second test.
bool IsStoredProp(TObject* Instance, const TPropInfo* PropInfo);
// True when the value equals the property's default (or is empty for strings, zero for floats,
// nil for objects and methods, Unassigned for variants), i.e. when a writer leaves it out.
bool IsDefaultPropValue(TObject* Instance, const TPropInfo* PropInfo);

// By name; EPropertyError "Property X does not exist" when the class publishes no such property.
Int64 GetOrdProp(TObject* Instance, const String& PropName);
void SetOrdProp(TObject* Instance, const String& PropName, Int64 Value);
Double GetFloatProp(TObject* Instance, const String& PropName);
void SetFloatProp(TObject* Instance, const String& PropName, Double Value);
String GetStrProp(TObject* Instance, const String& PropName);
void SetStrProp(TObject* Instance, const String& PropName, const String& Value);
TObject* GetObjectProp(TObject* Instance, const String& PropName);
void SetObjectProp(TObject* Instance, const String& PropName, TObject* Value);
TMethod GetMethodProp(TObject* Instance, const String& PropName);
void SetMethodProp(TObject* Instance, const String& PropName, const TMethod& Value);
// An enumeration property by literal name; a set property as "a,b" (brackets optional on input).
String GetEnumProp(TObject* Instance, const String& PropName);
void SetEnumProp(TObject* Instance, const String& PropName, const String& Value);
String GetSetProp(TObject* Instance, const String& PropName, bool Brackets = false);
void SetSetProp(TObject* Instance, const String& PropName, const String& Value);

// Enumeration names; GetEnumValue answers -1 for an unknown name (case-insensitive).
String GetEnumName(const TTypeInfo* TypeInfo, Integer Value);
Integer GetEnumValue(const TTypeInfo* TypeInfo, const String& Name);
// A set (as its element bits) and its text "a,b"; StringToSet raises EPropertyError on an
// unknown element.
String SetToString(const TTypeInfo* SetType, Int64 Value, bool Brackets = false);
Int64 StringToSet(const TTypeInfo* SetType, const String& Value);

// Published methods and fields through the parent chain.
const TMethodInfo* FindPublishedMethod(TClass AClass, const String& Name);
// The name under which AClass publishes the code; empty when it does not.
String MethodName(TClass AClass, const TMethodCode& Code);
const TFieldInfo* FindPublishedField(TClass AClass, const String& Name);

// ---- Implementation details of the macros ------------------------------------------------------

#include "rtl/TypInfoDetail.h"
