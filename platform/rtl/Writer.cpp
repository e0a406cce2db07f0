#include "rtl/Writer.h"

#include <cmath>

#include "rtl/Collection.h"
#include "rtl/FormParser.h"
#include "rtl/FormPrinter.h"
#include "rtl/Streams.h"
#include "rtl/SysUtils.h"
#include "rtl/TypInfo.h"

TAVREN_CLASS_IMPL(TWriter)

TWriter::TWriter() = default;

TWriter::~TWriter() = default;

void TWriter::WriteRootComponent(TComponent* Root) {
  FRoot = Root;
  FLookupRoot = Root;
  FForm = TFormObject{};
  WriteComponent(Root, FForm, Root);
}

void TWriter::WriteComponent(TComponent* Component, TFormObject& Block, TComponent* ChildRoot) {
  // What the reader would refuse is never written.
  if (FDepth > FormMaxNesting) throw EWriteError("Components are nested too deeply to be written");
  ++FDepth;
  struct TLeave {
    int& Depth;
    ~TLeave() { --Depth; }
  } leave{FDepth};
  bool isInline = Component != FRoot && Component->GetComponentState().Contains(csInline);
  bool inherited = ChildRoot != FRoot;  // below an inline frame: the frame's own components
  Block.Kind = isInline    ? TFormObjectKind::Inline
               : inherited ? TFormObjectKind::Inherited
                           : TFormObjectKind::Object;
  Block.Name = Component->GetName();
  Block.ClassName = Component->ClassName();
  Component->FComponentState.Include(csWriting);
  try {
    WriteProperties(Component, "", Block.Properties);
    // The children of an inline frame are the frame's own: GetChildren picks them by that root.
    TComponent* childRoot = isInline ? Component : ChildRoot;
    Component->GetChildren(
        [&](TComponent* child) {
          Block.Children.emplace_back();
          WriteComponent(child, Block.Children.back(), childRoot);
        },
        childRoot);
  } catch (...) {
    Component->FComponentState.Exclude(csWriting);
    throw;
  }
  Component->FComponentState.Exclude(csWriting);
}

void TWriter::WriteProperties(TPersistent* Instance, const String& Prefix, std::vector<TFormProperty>& Out) {
  for (const TPropInfo* p : GetPropList(Instance->ClassType())) WriteProperty(Instance, p, Prefix, Out);
  std::vector<TFormProperty>* savedOut = FDefinedOut;
  String savedPrefix = FDefinedPrefix;
  FDefinedOut = &Out;
  FDefinedPrefix = Prefix;
  try {
    Instance->DefineProperties(this);
  } catch (...) {
    FDefinedOut = savedOut;
    FDefinedPrefix = savedPrefix;
    throw;
  }
  FDefinedOut = savedOut;
  FDefinedPrefix = savedPrefix;
}

void TWriter::WriteProperty(TPersistent* Instance, const TPropInfo* PropInfo, const String& Prefix,
                            std::vector<TFormProperty>& Out) {
  if (!IsStoredProp(Instance, PropInfo)) return;
  String name = Prefix + PropInfo->Name;
  auto put = [&](TFormValue value) { Out.push_back({name, std::move(value), 0}); };
  if (PropInfo->Kind() == tkClass) {
    TObject* value = GetObjectProp(Instance, PropInfo);
    if (!value) return;
    bool isComponent = value->InheritsFrom(TComponent::ClassInfo());
    if (isComponent && !static_cast<TComponent*>(value)->GetComponentStyle().Contains(csSubComponent)) {
      String reference = ReferenceName(static_cast<TComponent*>(value));
      if (PropInfo->SetObject && !reference.empty()) put(TFormValue::OfIdent(reference));
    } else if (value->InheritsFrom(TCollection::ClassInfo())) {
      auto* collection = static_cast<TCollection*>(value);
      if (collection->GetCount() > 0) put(CollectionValue(collection));
    } else if (value->InheritsFrom(TPersistent::ClassInfo())) {
      WriteProperties(static_cast<TPersistent*>(value), name + ".", Out);
    }
    return;
  }
  // Only what can be read back is written.
  if (!PropInfo->Writable() || IsDefaultPropValue(Instance, PropInfo)) return;
  switch (PropInfo->Kind()) {
    case tkInteger:
    case tkInt64: {
      Int64 v = GetOrdProp(Instance, PropInfo);
      String ident;
      if (PropInfo->IdentMap && IntToIdent(static_cast<Integer>(v), ident, *PropInfo->IdentMap)) {
        put(TFormValue::OfIdent(ident));
      } else {
        put(TFormValue::OfInteger(v));
      }
      break;
    }
    case tkEnumeration:
      put(TFormValue::OfIdent(GetEnumName(PropInfo->PropType, static_cast<Integer>(GetOrdProp(Instance, PropInfo)))));
      break;
    case tkSet: {
      std::vector<String> elements;
      const TTypeInfo* element = PropInfo->PropType->CompType;
      auto bits = static_cast<uint64_t>(GetOrdProp(Instance, PropInfo));
      for (Int64 v = element->MinValue; v <= element->MaxValue && v < 64; ++v)
        if (bits >> v & 1) elements.push_back(GetEnumName(element, static_cast<Integer>(v)));
      put(TFormValue::OfSet(std::move(elements)));
      break;
    }
    case tkFloat: {
      Double v = GetFloatProp(Instance, PropInfo);
      if (!std::isfinite(v)) throw EWriteError(Format("Cannot write %s: the value is not a number", name));
      put(TFormValue::OfFloat(v));
      break;
    }
    case tkString:
      put(TFormValue::OfString(GetStrProp(Instance, PropInfo)));
      break;
    case tkVariant:
      put(VariantValue(GetVariantProp(Instance, PropInfo)));
      break;
    case tkMethod: {
      // Only handlers that are methods of the root have a name in the form.
      TMethod method = GetMethodProp(Instance, PropInfo);
      if (method.Data != FLookupRoot) return;
      String methodName = MethodName(FLookupRoot->ClassType(), method.Code);
      if (!methodName.empty()) put(TFormValue::OfIdent(methodName));
      break;
    }
    default:
      break;
  }
}

TFormValue TWriter::CollectionValue(TCollection* Collection) {
  TFormValue value = TFormValue::OfCollection();
  for (Integer i = 0; i < Collection->GetCount(); ++i) {
    value.CollectionItems.emplace_back();
    WriteProperties(Collection->GetItems(i), "", value.CollectionItems.back().Properties);
  }
  return value;
}

// The name that the reader resolves back to the component: relative to the root, through the
// owners below it (Frame1.Panel1). A component outside the root, or one without a name on the
// way (an editor's inner edit), has no such name.
String TWriter::ReferenceName(TComponent* Component) const {
  if (Component == FLookupRoot) return Component->GetName();
  String path = Component->GetName();
  if (path.empty()) return {};
  for (TComponent* owner = Component->GetOwner(); owner; owner = owner->GetOwner()) {
    if (owner == FLookupRoot) return path;
    if (owner->GetName().empty()) return {};
    path = owner->GetName() + "." + path;
  }
  return {};
}

void TWriter::DefineProperty(const String& Name, const TReaderProc&, const TWriterProc& WriteData, bool HasData) {
  if (!HasData || !WriteData || !FDefinedOut) return;
  std::vector<TFormProperty>* out = FDefinedOut;
  String name = FDefinedPrefix + Name;
  auto saved = std::move(FValues);
  FValues = {{}};
  try {
    WriteData(this);
  } catch (...) {
    FValues = std::move(saved);
    throw;
  }
  if (FValues.size() != 1 || FValues[0].size() != 1) {
    FValues = std::move(saved);
    throw EWriteError(Format("Property %s wrote %s", name, "an incomplete value"));
  }
  out->push_back({name, std::move(FValues[0][0]), 0});
  FValues = std::move(saved);
}

void TWriter::DefineBinaryProperty(const String& Name, const TStreamProc&, const TStreamProc& WriteData,
                                   bool HasData) {
  if (!HasData || !WriteData || !FDefinedOut) return;
  TMemoryStream stream;
  WriteData(&stream);
  String bytes(static_cast<const char*>(stream.GetMemory()), static_cast<size_t>(stream.GetSize()));
  FDefinedOut->push_back({FDefinedPrefix + Name, TFormValue::OfBinary(std::move(bytes)), 0});
}

void TWriter::AddValue(TFormValue Value) {
  if (FValues.empty()) throw EWriteError("Values are written inside DefineProperty only");
  FValues.back().push_back(std::move(Value));
}

void TWriter::WriteListBegin() {
  if (FValues.empty()) throw EWriteError("Values are written inside DefineProperty only");
  if (static_cast<int>(FValues.size()) > FormMaxNesting) throw EWriteError("Lists are nested too deeply to be written");
  FValues.emplace_back();
}

void TWriter::WriteListEnd() {
  if (FValues.size() < 2) throw EWriteError("WriteListEnd without WriteListBegin");
  TFormValue list = TFormValue::OfList(std::move(FValues.back()));
  FValues.pop_back();
  AddValue(std::move(list));
}

void TWriter::WriteInteger(Int64 Value) { AddValue(TFormValue::OfInteger(Value)); }

void TWriter::WriteFloat(Double Value) {
  if (!std::isfinite(Value)) throw EWriteError("Cannot write a value that is not a number");
  AddValue(TFormValue::OfFloat(Value));
}

void TWriter::WriteString(const String& Value) { AddValue(TFormValue::OfString(Value)); }

void TWriter::WriteIdent(const String& Ident) { AddValue(TFormValue::OfIdent(Ident)); }

void TWriter::WriteBoolean(bool Value) { AddValue(TFormValue::OfIdent(Value ? "True" : "False")); }

void TWriter::WriteCollection(TCollection* Collection) { AddValue(CollectionValue(Collection)); }

TFormValue TWriter::VariantValue(const Variant& Value) {
  switch (VarType(Value) & varTypeMask) {
    case varNull:
      return TFormValue::OfIdent("Null");
    case varBoolean:
      return TFormValue::OfIdent(Value.AsBoolean() ? "True" : "False");
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
    case varUInt64:
      return TFormValue::OfInteger(Value.AsInt64());
    case varSingle:
    case varDouble:
    case varCurrency:
    case varDate: {
      Double v = Value.AsDouble();
      if (!std::isfinite(v)) throw EWriteError("Cannot write a value that is not a number");
      return TFormValue::OfFloat(v);
    }
    case varString:
    case varOleStr:
      return TFormValue::OfString(Value.AsString());
    default:
      throw EWriteError(Format("Cannot write a variant of type %s", VarTypeAsText(VarType(Value))));
  }
}

void TWriter::WriteVariant(const Variant& Value) { AddValue(VariantValue(Value)); }

String WriteComponentToText(TComponent* Root) {
  TWriter writer;
  writer.WriteRootComponent(Root);
  return PrintFormText(writer.GetForm());
}
