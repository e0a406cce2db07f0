#include "rtl/TypInfo.h"

#include <string_view>

#include "rtl/SysUtils.h"

namespace {

// The Index-th name of an enumeration's name list as declared ("a, b, c"), without a qualifier.
std::string_view EnumNameAt(const char* names, Integer index) {
  std::string_view rest(names);
  for (Integer i = 0;; ++i) {
    size_t comma = rest.find(',');
    std::string_view name = rest.substr(0, comma);
    if (i == index) {
      while (!name.empty() && (name.front() == ' ' || name.front() == '\n')) name.remove_prefix(1);
      while (!name.empty() && (name.back() == ' ' || name.back() == '\n')) name.remove_suffix(1);
      size_t scope = name.rfind("::");
      if (scope != std::string_view::npos) name.remove_prefix(scope + 2);
      return name;
    }
    if (comma == std::string_view::npos) return {};
    rest.remove_prefix(comma + 1);
  }
}

[[noreturn]] void PropertyNotFound(const String& name) {
  throw EPropertyError(Format("Property %s does not exist", name));
}

[[noreturn]] void WrongKind(const TPropInfo* p) {
  throw EPropertyError(Format("Invalid property type: %s", p->Name));
}

[[noreturn]] void ReadOnly(const TPropInfo* p) { throw EPropertyError(Format("Property %s is read-only", p->Name)); }

const TPropInfo* Require(TObject* instance, const String& name) {
  const TPropInfo* p = GetPropInfo(instance, name);
  if (!p) PropertyNotFound(name);
  return p;
}

bool IsOrdinal(TTypeKind kind) {
  return kind == tkInteger || kind == tkEnumeration || kind == tkSet || kind == tkInt64;
}

}  // namespace

TPropTable MakePropTable(std::initializer_list<TPublishedEntry> entries) {
  TPropTable table;
  for (const TPublishedEntry& e : entries) {
    if (e.Kind == 0) table.Properties.push_back(e.Prop);
    if (e.Kind == 1) table.Fields.push_back(e.Field);
    if (e.Kind == 2) table.Methods.push_back(e.Method);
  }
  return table;
}

const TPropInfo* GetPropInfo(TClass AClass, const String& PropName) {
  for (TClass c = AClass; c; c = c->Parent) {
    if (!c->Properties) continue;
    for (const TPropInfo& p : c->Properties->Properties)
      if (SameText(p.Name, PropName)) return &p;
  }
  return nullptr;
}

const TPropInfo* GetPropInfo(const TObject* Instance, const String& PropName) {
  return GetPropInfo(Instance->ClassType(), PropName);
}

std::vector<const TPropInfo*> GetPropList(TClass AClass) {
  std::vector<TClass> chain;
  for (TClass c = AClass; c; c = c->Parent) chain.push_back(c);
  std::vector<const TPropInfo*> list;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    if (!(*it)->Properties) continue;
    for (const TPropInfo& p : (*it)->Properties->Properties) {
      bool replaced = false;
      for (const TPropInfo*& known : list) {
        if (SameText(known->Name, p.Name)) {
          known = &p;
          replaced = true;
        }
      }
      if (!replaced) list.push_back(&p);
    }
  }
  return list;
}

bool IsPublishedProp(TClass AClass, const String& PropName) { return GetPropInfo(AClass, PropName) != nullptr; }

Int64 GetOrdProp(TObject* Instance, const TPropInfo* PropInfo) {
  if (!PropInfo->GetOrd) WrongKind(PropInfo);
  return PropInfo->GetOrd(Instance, PropInfo->Index);
}

void SetOrdProp(TObject* Instance, const TPropInfo* PropInfo, Int64 Value) {
  if (!IsOrdinal(PropInfo->Kind())) WrongKind(PropInfo);
  if (!PropInfo->SetOrd) ReadOnly(PropInfo);
  PropInfo->SetOrd(Instance, PropInfo->Index, Value);
}

Double GetFloatProp(TObject* Instance, const TPropInfo* PropInfo) {
  if (!PropInfo->GetFloat) WrongKind(PropInfo);
  return PropInfo->GetFloat(Instance, PropInfo->Index);
}

void SetFloatProp(TObject* Instance, const TPropInfo* PropInfo, Double Value) {
  if (PropInfo->Kind() != tkFloat) WrongKind(PropInfo);
  if (!PropInfo->SetFloat) ReadOnly(PropInfo);
  PropInfo->SetFloat(Instance, PropInfo->Index, Value);
}

String GetStrProp(TObject* Instance, const TPropInfo* PropInfo) {
  if (!PropInfo->GetStr) WrongKind(PropInfo);
  return PropInfo->GetStr(Instance, PropInfo->Index);
}

void SetStrProp(TObject* Instance, const TPropInfo* PropInfo, const String& Value) {
  if (PropInfo->Kind() != tkString) WrongKind(PropInfo);
  if (!PropInfo->SetStr) ReadOnly(PropInfo);
  PropInfo->SetStr(Instance, PropInfo->Index, Value);
}

TObject* GetObjectProp(TObject* Instance, const TPropInfo* PropInfo) {
  if (!PropInfo->GetObject) WrongKind(PropInfo);
  return PropInfo->GetObject(Instance, PropInfo->Index);
}

// The setter takes the property's class, so anything else is refused before it gets there.
void SetObjectProp(TObject* Instance, const TPropInfo* PropInfo, TObject* Value) {
  if (PropInfo->Kind() != tkClass) WrongKind(PropInfo);
  if (!PropInfo->SetObject) ReadOnly(PropInfo);
  if (Value && !Value->InheritsFrom(PropInfo->PropType->ClassType())) {
    throw EPropertyError(Format("Invalid property value: %s is not a %s", Value->ClassName(),
                                PropInfo->PropType->ClassType()->Name));
  }
  PropInfo->SetObject(Instance, PropInfo->Index, Value);
}

TMethod GetMethodProp(TObject* Instance, const TPropInfo* PropInfo) {
  if (!PropInfo->GetMethod) WrongKind(PropInfo);
  return PropInfo->GetMethod(Instance, PropInfo->Index);
}

void SetMethodProp(TObject* Instance, const TPropInfo* PropInfo, const TMethod& Value) {
  if (PropInfo->Kind() != tkMethod) WrongKind(PropInfo);
  if (!PropInfo->SetMethod) ReadOnly(PropInfo);
  try {
    PropInfo->SetMethod(Instance, PropInfo->Index, Value);
  } catch (const EInvalidCast&) {
    throw EPropertyError(Format("Invalid method type for %s", PropInfo->Name));
  }
}

Variant GetVariantProp(TObject* Instance, const TPropInfo* PropInfo) {
  if (!PropInfo->GetVariant) WrongKind(PropInfo);
  return PropInfo->GetVariant(Instance, PropInfo->Index);
}

void SetVariantProp(TObject* Instance, const TPropInfo* PropInfo, const Variant& Value) {
  if (PropInfo->Kind() != tkVariant) WrongKind(PropInfo);
  if (!PropInfo->SetVariant) ReadOnly(PropInfo);
  PropInfo->SetVariant(Instance, PropInfo->Index, Value);
}

bool IsStoredProp(TObject* Instance, const TPropInfo* PropInfo) {
  if (PropInfo->StoredProc) return PropInfo->StoredProc(Instance, PropInfo->Index);
  return PropInfo->StoredConst;
}

bool IsDefaultPropValue(TObject* Instance, const TPropInfo* PropInfo) {
  switch (PropInfo->Kind()) {
    case tkInteger:
    case tkEnumeration:
    case tkSet:
    case tkInt64:
      return PropInfo->HasDefault && GetOrdProp(Instance, PropInfo) == PropInfo->DefaultValue;
    case tkFloat:
      return GetFloatProp(Instance, PropInfo) == 0;
    case tkString:
      return GetStrProp(Instance, PropInfo).empty();
    case tkClass:
      return GetObjectProp(Instance, PropInfo) == nullptr;
    case tkMethod:
      return !GetMethodProp(Instance, PropInfo).Assigned();
    case tkVariant:
      return VarIsEmpty(GetVariantProp(Instance, PropInfo));
    default:
      return false;
  }
}

Int64 GetOrdProp(TObject* Instance, const String& PropName) { return GetOrdProp(Instance, Require(Instance, PropName)); }
void SetOrdProp(TObject* Instance, const String& PropName, Int64 Value) {
  SetOrdProp(Instance, Require(Instance, PropName), Value);
}
Double GetFloatProp(TObject* Instance, const String& PropName) {
  return GetFloatProp(Instance, Require(Instance, PropName));
}
void SetFloatProp(TObject* Instance, const String& PropName, Double Value) {
  SetFloatProp(Instance, Require(Instance, PropName), Value);
}
String GetStrProp(TObject* Instance, const String& PropName) { return GetStrProp(Instance, Require(Instance, PropName)); }
void SetStrProp(TObject* Instance, const String& PropName, const String& Value) {
  SetStrProp(Instance, Require(Instance, PropName), Value);
}
TObject* GetObjectProp(TObject* Instance, const String& PropName) {
  return GetObjectProp(Instance, Require(Instance, PropName));
}
void SetObjectProp(TObject* Instance, const String& PropName, TObject* Value) {
  SetObjectProp(Instance, Require(Instance, PropName), Value);
}
TMethod GetMethodProp(TObject* Instance, const String& PropName) {
  return GetMethodProp(Instance, Require(Instance, PropName));
}
void SetMethodProp(TObject* Instance, const String& PropName, const TMethod& Value) {
  SetMethodProp(Instance, Require(Instance, PropName), Value);
}

String GetEnumProp(TObject* Instance, const String& PropName) {
  const TPropInfo* p = Require(Instance, PropName);
  if (p->Kind() != tkEnumeration) WrongKind(p);
  return GetEnumName(p->PropType, static_cast<Integer>(GetOrdProp(Instance, p)));
}

void SetEnumProp(TObject* Instance, const String& PropName, const String& Value) {
  const TPropInfo* p = Require(Instance, PropName);
  if (p->Kind() != tkEnumeration) WrongKind(p);
  Integer v = GetEnumValue(p->PropType, Value);
  if (v < 0) throw EPropertyError(Format("Invalid property element: %s", Value));
  SetOrdProp(Instance, p, v);
}

String GetSetProp(TObject* Instance, const String& PropName, bool Brackets) {
  const TPropInfo* p = Require(Instance, PropName);
  if (p->Kind() != tkSet) WrongKind(p);
  return SetToString(p->PropType, GetOrdProp(Instance, p), Brackets);
}

void SetSetProp(TObject* Instance, const String& PropName, const String& Value) {
  const TPropInfo* p = Require(Instance, PropName);
  if (p->Kind() != tkSet) WrongKind(p);
  SetOrdProp(Instance, p, StringToSet(p->PropType, Value));
}

String GetEnumName(const TTypeInfo* TypeInfo, Integer Value) {
  if (Value < TypeInfo->MinValue || Value > TypeInfo->MaxValue || !TypeInfo->EnumNames) return IntToStr(Value);
  return String(EnumNameAt(TypeInfo->EnumNames, Value));
}

Integer GetEnumValue(const TTypeInfo* TypeInfo, const String& Name) {
  if (!TypeInfo->EnumNames) return -1;
  for (Int64 v = TypeInfo->MinValue; v <= TypeInfo->MaxValue; ++v) {
    if (SameText(String(EnumNameAt(TypeInfo->EnumNames, static_cast<Integer>(v))), Name)) {
      return static_cast<Integer>(v);
    }
  }
  return -1;
}

String SetToString(const TTypeInfo* SetType, Int64 Value, bool Brackets) {
  const TTypeInfo* element = SetType->CompType;
  String text;
  for (Int64 v = element->MinValue; v <= element->MaxValue && v < 64; ++v) {
    if (!(static_cast<uint64_t>(Value) >> v & 1)) continue;
    if (!text.empty()) text += ',';
    text += GetEnumName(element, static_cast<Integer>(v));
  }
  return Brackets ? "[" + text + "]" : text;
}

Int64 StringToSet(const TTypeInfo* SetType, const String& Value) {
  String text = Trim(Value);
  if (!text.empty() && text.front() == '[') text.erase(0, 1);
  if (!text.empty() && text.back() == ']') text.pop_back();
  uint64_t bits = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    String name = Trim(text.substr(start, comma == String::npos ? String::npos : comma - start));
    if (!name.empty() || comma != String::npos) {
      Integer v = GetEnumValue(SetType->CompType, name);
      if (v < 0 || v >= 64) throw EPropertyError(Format("Invalid property element: %s", name));
      bits |= uint64_t{1} << v;
    }
    if (comma == String::npos) break;
    start = comma + 1;
  }
  return static_cast<Int64>(bits);
}

const TMethodInfo* FindPublishedMethod(TClass AClass, const String& Name) {
  for (TClass c = AClass; c; c = c->Parent) {
    if (!c->Properties) continue;
    for (const TMethodInfo& m : c->Properties->Methods)
      if (SameText(m.Name, Name)) return &m;
  }
  return nullptr;
}

String MethodName(TClass AClass, const TMethodCode& Code) {
  for (TClass c = AClass; c; c = c->Parent) {
    if (!c->Properties) continue;
    for (const TMethodInfo& m : c->Properties->Methods)
      if (m.Code == Code) return m.Name;
  }
  return {};
}

const TFieldInfo* FindPublishedField(TClass AClass, const String& Name) {
  for (TClass c = AClass; c; c = c->Parent) {
    if (!c->Properties) continue;
    for (const TFieldInfo& f : c->Properties->Fields)
      if (SameText(f.Name, Name)) return &f;
  }
  return nullptr;
}
