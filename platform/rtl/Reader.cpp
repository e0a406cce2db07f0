#include "rtl/Reader.h"

#include <exception>

#include "rtl/ClassRegistry.h"
#include "rtl/Collection.h"
#include "rtl/FormParser.h"
#include "rtl/Resources.h"
#include "rtl/Streams.h"
#include "rtl/SysUtils.h"
#include "rtl/TypInfo.h"

TAVREN_CLASS_IMPL(TReader)

namespace {

// An EReadError that already says what was being read and on which line: handlers further out
// pass it on unchanged.
class EReadErrorAtLine : public EReadError {
 public:
  using EReadError::EReadError;
  const char* ClassName() const noexcept override { return "EReadError"; }
};

String OnLine(const String& message, Integer line) { return Format("%s on line %d", message, line); }

// The state of the outermost read: every reader started while it runs adds to it.
struct TGlobalLoading {
  std::vector<TComponent*> Loaded;  // in creation order
  std::vector<TComponent*> Roots;   // in the order their reads started
};

TGlobalLoading* GLoading = nullptr;

bool Contains(const std::vector<TComponent*>& list, TComponent* c) {
  for (TComponent* x : list)
    if (x == c) return true;
  return false;
}

// Finds "Button1", "Frame1.Panel1" or "Form1.Button1" from the lookup root.
TComponent* ResolveReference(TComponent* lookupRoot, const String& name) {
  TComponent* current = nullptr;
  size_t start = 0;
  for (;;) {
    size_t dot = name.find('.', start);
    String part = name.substr(start, dot == String::npos ? String::npos : dot - start);
    if (!current) {
      current = lookupRoot->FindComponent(part);
      if (!current && SameText(part, lookupRoot->GetName())) current = lookupRoot;
    } else {
      current = current->FindComponent(part);
    }
    if (!current || dot == String::npos) return current;
    start = dot + 1;
  }
}

}  // namespace

// Opens the global load when none is open; the outermost scope finishes it.
class TReader::TLoadingScope {
 public:
  explicit TLoadingScope(TComponent* Root) : FRoot(Root), FOuter(GLoading == nullptr) {
    if (FOuter) GLoading = &FState;
  }
  ~TLoadingScope() {
    if (!FOuter) return;
    GLoading = nullptr;
    if (!FFinished) Abandon();
  }

  // Ends the loading state and calls Loaded on everything read.
  void Finish();

 private:
  void Abandon() noexcept;

  TComponent* FRoot;
  bool FOuter;
  bool FFinished = false;
  TGlobalLoading FState;
};

void TReader::TLoadingScope::Finish() {
  if (!FOuter) return;
  std::vector<TComponent*> order = FState.Loaded;
  for (auto it = FState.Roots.rbegin(); it != FState.Roots.rend(); ++it)
    if (!Contains(order, *it)) order.push_back(*it);
  for (TComponent* c : order) c->FComponentState.Exclude(csReading);
  FFinished = true;
  // Every component gets its Loaded even when one fails; the first failure is raised after.
  std::exception_ptr failure;
  for (TComponent* c : order) {
    try {
      c->Loaded();
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
    c->FComponentState.Exclude(csLoading);
  }
  if (failure) std::rethrow_exception(failure);
}

// A failed load calls no Loaded. Components created by it may already be gone (a constructor
// that failed frees what it owned), so only those still reachable from the root are touched.
void TReader::TLoadingScope::Abandon() noexcept {
  std::vector<TComponent*> pending{FRoot};
  while (!pending.empty()) {
    TComponent* c = pending.back();
    pending.pop_back();
    c->FComponentState.Exclude(csReading);
    c->FComponentState.Exclude(csLoading);
    for (Integer i = 0; i < c->GetComponentCount(); ++i) pending.push_back(c->GetComponents(i));
  }
}

TReader::TReader(const String& Text) : FForm(ParseFormText(Text)) {}

TReader::~TReader() = default;

void TReader::Error(const String& Message) const { throw EReadError(Message); }

bool TReader::HandleError(const String& Message) {
  bool handled = false;
  if (FOnError) FOnError(this, Message, handled);
  return handled;
}

void TReader::ClaimForLoading(TComponent* Component) {
  if (Component->GetComponentState().Contains(csLoading)) return;
  Component->FComponentState.Include(csLoading);
  Component->FComponentState.Include(csReading);
  GLoading->Loaded.push_back(Component);
}

void TReader::ReadRootComponent(TComponent* Root) {
  TLoadingScope scope(Root);
  FRoot = Root;
  FLookupRoot = Root;
  FOwner = Root;
  FParent = Root;
  if (!Contains(GLoading->Roots, Root)) GLoading->Roots.push_back(Root);
  Root->FComponentState.Include(csLoading);
  Root->FComponentState.Include(csReading);
  if (Root->GetName().empty() && !FForm.Name.empty()) {
    // A second instance of a form takes a free name, as Form1_1.
    String name = FForm.Name;
    TComponent* owner = Root->GetOwner();
    for (Integer n = 1; owner && owner->FindComponent(name); ++n) name = Format("%s_%d", FForm.Name, n);
    Root->SetName(name);
  }
  FBlock = &FForm;
  Root->ReadState(this);
  FixupReferences();
  scope.Finish();
}

// A form's references name components of the same form (or of its frames), so they are all
// known once its text is read; Loaded waits for the outermost read all the same.
void TReader::FixupReferences() {
  std::vector<TFixup> fixups = std::move(FFixups);
  for (TFixup& fixup : fixups) {
    TObject* instance = fixup.Instance.Get();
    if (!instance) continue;  // freed while its form was read: nothing to fix
    TComponent* target = ResolveReference(FLookupRoot, fixup.Name);
    try {
      if (!target) throw EReadError(Format("Component %s not found", fixup.Name));
      SetObjectProp(instance, fixup.PropInfo, target);
    } catch (const Exception& e) {
      String message = OnLine(Format("Error reading %s: %s", fixup.Context, e.Message()), fixup.Line);
      if (!HandleError(message)) throw EReadErrorAtLine(message);
    }
  }
}

void TReader::ReadData(TComponent* Instance) {
  const TFormObject* block = FBlock;
  if (!block) Error("Stream read error");  // a block is read once
  FBlock = nullptr;
  ReadProperties(Instance, block->Properties);
  TComponent* savedOwner = FOwner;
  TComponent* savedParent = FParent;
  FParent = Instance->GetChildParent();
  FOwner = Instance->GetChildOwner();
  if (!FOwner) FOwner = FRoot;
  try {
    for (const TFormObject& child : block->Children) ReadComponent(child);
  } catch (...) {
    FOwner = savedOwner;
    FParent = savedParent;
    throw;
  }
  FOwner = savedOwner;
  FParent = savedParent;
}

void TReader::ReadComponent(const TFormObject& Block) {
  TComponent* component = nullptr;
  try {
    if (Block.Kind == TFormObjectKind::Inherited) {
      component = FOwner->FindComponent(Block.Name);
      if (!component) throw EReadError(Format("Ancestor for '%s' not found", Block.Name));
    } else {
      TPersistentClass cls = FindClass(Block.ClassName);
      if (!cls->InheritsFrom(TComponent::ClassInfo())) throw EReadError(Format("Invalid class type: %s", Block.ClassName));
      component = static_cast<TComponent*>(cls->Create(FOwner));
      if (Block.Kind == TFormObjectKind::Inline) component->SetInline(true);
      component->SetName(Block.Name);
      if (const TFieldInfo* field = FindPublishedField(FOwner->ClassType(), Block.Name)) {
        if (!component->InheritsFrom(field->FieldClass())) {
          throw EReadError(Format("Field %s.%s is not a %s", FOwner->GetName(), Block.Name, component->ClassName()));
        }
        field->Set(FOwner, component);
      }
    }
  } catch (const EReadErrorAtLine&) {
    throw;
  } catch (const EClassNotFound& e) {
    throw EClassNotFound(OnLine(e.Message(), Block.Line));
  } catch (const Exception& e) {
    throw EReadErrorAtLine(OnLine(e.Message(), Block.Line));
  }
  ClaimForLoading(component);
  if (component->HasParent()) component->SetParentComponent(FParent);
  const TFormObject* saved = FBlock;
  FBlock = &Block;
  component->ReadState(this);
  FBlock = saved;
}

void TReader::ReadProperties(TPersistent* Instance, const std::vector<TFormProperty>& Properties) {
  for (const TFormProperty& property : Properties) ReadProperty(Instance, property);
}

void TReader::ReadProperty(TPersistent* Instance, const TFormProperty& Property) {
  try {
    // Leading parts of a dotted name lead into sub-objects: Font.Style, Properties.OnChange.
    TPersistent* target = Instance;
    size_t start = 0;
    for (size_t dot; (dot = Property.Name.find('.', start)) != String::npos; start = dot + 1) {
      String part = Property.Name.substr(start, dot - start);
      const TPropInfo* p = GetPropInfo(target, part);
      if (!p || p->Kind() != tkClass) throw EReadError(Format("Property %s does not exist", part));
      TObject* sub = GetObjectProp(target, p);
      if (!sub || !sub->InheritsFrom(TPersistent::ClassInfo())) throw EReadError("Invalid property path");
      target = static_cast<TPersistent*>(sub);
    }
    String name = Property.Name.substr(start);
    if (const TPropInfo* p = GetPropInfo(target, name)) {
      ReadPropValue(target, p, Property.Value, Property.Name);
      return;
    }
    FPropName = name;
    FPropValue = &Property.Value;
    FPropHandled = false;
    target->DefineProperties(this);
    FPropName.clear();
    FPropValue = nullptr;
    if (!FPropHandled) throw EReadError(Format("Property %s does not exist", name));
  } catch (const EReadErrorAtLine&) {
    throw;
  } catch (const Exception& e) {
    String message =
        OnLine(Format("Error reading %s.%s: %s", Instance->GetNamePath(), Property.Name, e.Message()), Property.Line);
    if (!HandleError(message)) throw EReadErrorAtLine(message);
  }
}

void TReader::ReadPropValue(TPersistent* Instance, const TPropInfo* PropInfo, const TFormValue& Value,
                            const String& PropPath) {
  auto invalid = [] { throw EReadError("Invalid property value"); };
  switch (PropInfo->Kind()) {
    case tkInteger:
    case tkInt64: {
      Int64 v = 0;
      Integer named = 0;
      if (Value.Kind == TFormValueKind::Integer) {
        v = Value.IntValue;
      } else if (Value.Kind == TFormValueKind::Ident && PropInfo->IdentMap &&
                 IdentToInt(Value.Text, named, *PropInfo->IdentMap)) {
        v = named;
      } else {
        invalid();
      }
      if (v < PropInfo->PropType->MinValue || v > PropInfo->PropType->MaxValue) invalid();
      SetOrdProp(Instance, PropInfo, v);
      break;
    }
    case tkEnumeration: {
      if (Value.Kind != TFormValueKind::Ident) invalid();
      Integer v = GetEnumValue(PropInfo->PropType, Value.Text);
      if (v < 0) invalid();
      SetOrdProp(Instance, PropInfo, v);
      break;
    }
    case tkSet: {
      if (Value.Kind != TFormValueKind::Set) invalid();
      uint64_t bits = 0;
      for (const String& element : Value.SetElements) {
        Integer v = GetEnumValue(PropInfo->PropType->CompType, element);
        if (v < 0 || v >= 64) invalid();
        bits |= uint64_t{1} << v;
      }
      SetOrdProp(Instance, PropInfo, static_cast<Int64>(bits));
      break;
    }
    case tkFloat:
      if (Value.Kind == TFormValueKind::Float) {
        SetFloatProp(Instance, PropInfo, Value.FloatValue);
      } else if (Value.Kind == TFormValueKind::Integer) {
        SetFloatProp(Instance, PropInfo, static_cast<Double>(Value.IntValue));
      } else {
        invalid();
      }
      break;
    case tkString:
      if (Value.Kind != TFormValueKind::String) invalid();
      SetStrProp(Instance, PropInfo, Value.Text);
      break;
    case tkClass:
      if (Value.Kind == TFormValueKind::Collection) {
        TObject* collection = GetObjectProp(Instance, PropInfo);
        if (!collection || !collection->InheritsFrom(TCollection::ClassInfo())) invalid();
        ReadCollectionValue(static_cast<TCollection*>(collection), Value);
      } else if (Value.Kind == TFormValueKind::Ident && SameText(Value.Text, "nil")) {
        SetObjectProp(Instance, PropInfo, nullptr);
      } else if (Value.Kind == TFormValueKind::Ident) {
        if (!PropInfo->SetObject) throw EReadError(Format("Property %s is read-only", PropInfo->Name));
        String context = Format("%s.%s", Instance->GetNamePath(), PropPath);
        FFixups.push_back({Instance, PropInfo, Value.Text, context, Value.Line});
      } else {
        invalid();
      }
      break;
    case tkVariant:
      SetVariantProp(Instance, PropInfo, VariantOf(Value));
      break;
    case tkMethod: {
      if (Value.Kind != TFormValueKind::Ident) invalid();
      if (SameText(Value.Text, "nil")) {
        SetMethodProp(Instance, PropInfo, TMethod{});
        break;
      }
      const TMethodInfo* method = FindPublishedMethod(FRoot->ClassType(), Value.Text);
      if (!method) throw EReadError(Format("Method %s not found in %s", Value.Text, FRoot->ClassName()));
      SetMethodProp(Instance, PropInfo, BindMethod(method->Code, FRoot));
      break;
    }
    default:
      invalid();
  }
}

void TReader::ReadCollectionValue(TCollection* Collection, const TFormValue& Value) {
  Collection->BeginUpdate();
  try {
    Collection->Clear();
    for (const TFormCollectionItem& item : Value.CollectionItems) {
      TCollectionItem* instance = Collection->Add();
      ReadProperties(instance, item.Properties);
    }
  } catch (...) {
    Collection->EndUpdate();
    throw;
  }
  Collection->EndUpdate();
}

void TReader::DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc&, bool) {
  if (FPropHandled || !FPropValue || !ReadData || !SameText(Name, FPropName)) return;
  FPropHandled = true;
  // The procedure reads as many values as it wants; whatever it leaves is skipped.
  std::vector<TCursor> saved = std::move(FCursors);
  FCursors = {TCursor{FPropValue, 1, 0}};
  try {
    ReadData(this);
  } catch (...) {
    FCursors = std::move(saved);
    throw;
  }
  FCursors = std::move(saved);
}

void TReader::DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc&, bool) {
  if (FPropHandled || !FPropValue || !ReadData || !SameText(Name, FPropName)) return;
  FPropHandled = true;
  if (FPropValue->Kind != TFormValueKind::Binary) Error("Invalid property value");
  TMemoryStream stream;
  stream.WriteBuffer(FPropValue->Bytes.data(), static_cast<Integer>(FPropValue->Bytes.size()));
  stream.SetPosition(0);
  ReadData(&stream);
}

const TFormValue& TReader::TakeValue() {
  if (FCursors.empty() || FCursors.back().Pos >= FCursors.back().Count) Error("Invalid property value");
  TCursor& cursor = FCursors.back();
  return cursor.Values[cursor.Pos++];
}

TValueType TReader::NextValue() const {
  if (FCursors.empty() || FCursors.back().Pos >= FCursors.back().Count) return vaNull;
  const TFormValue& v = FCursors.back().Values[FCursors.back().Pos];
  switch (v.Kind) {
    case TFormValueKind::Integer:
      return v.IntValue >= INT32_MIN && v.IntValue <= INT32_MAX ? vaInt32 : vaInt64;
    case TFormValueKind::Float: return vaExtended;
    case TFormValueKind::String: return vaString;
    case TFormValueKind::Ident:
      if (SameText(v.Text, "True")) return vaTrue;
      if (SameText(v.Text, "False")) return vaFalse;
      if (SameText(v.Text, "nil")) return vaNil;
      return vaIdent;
    case TFormValueKind::Set: return vaSet;
    case TFormValueKind::Binary: return vaBinary;
    case TFormValueKind::List: return vaList;
    case TFormValueKind::Collection: return vaCollection;
  }
  return vaNull;
}

void TReader::ReadListBegin() {
  const TFormValue& v = TakeValue();
  if (v.Kind != TFormValueKind::List) Error("Invalid property value");
  FCursors.push_back({v.Items.data(), v.Items.size(), 0});
}

void TReader::ReadListEnd() {
  if (FCursors.size() < 2 || !EndOfList()) Error("Invalid property value");
  FCursors.pop_back();
}

Integer TReader::ReadInteger() {
  if (NextValue() != vaInt32) Error("Invalid property value");
  return static_cast<Integer>(TakeValue().IntValue);
}

Int64 TReader::ReadInt64() {
  TValueType type = NextValue();
  if (type != vaInt32 && type != vaInt64) Error("Invalid property value");
  return TakeValue().IntValue;
}

Double TReader::ReadFloat() {
  TValueType type = NextValue();
  if (type == vaExtended) return TakeValue().FloatValue;
  if (type == vaInt32 || type == vaInt64) return static_cast<Double>(TakeValue().IntValue);
  Error("Invalid property value");
}

String TReader::ReadString() {
  if (NextValue() != vaString) Error("Invalid property value");
  return TakeValue().Text;
}

String TReader::ReadIdent() {
  TValueType type = NextValue();
  if (type != vaIdent && type != vaTrue && type != vaFalse && type != vaNil) Error("Invalid property value");
  return TakeValue().Text;
}

bool TReader::ReadBoolean() {
  TValueType type = NextValue();
  if (type != vaTrue && type != vaFalse) Error("Invalid property value");
  TakeValue();
  return type == vaTrue;
}

Variant TReader::VariantOf(const TFormValue& Value) {
  switch (Value.Kind) {
    case TFormValueKind::Integer:
      if (Value.IntValue >= INT32_MIN && Value.IntValue <= INT32_MAX) return static_cast<Integer>(Value.IntValue);
      return Value.IntValue;
    case TFormValueKind::Float:
      return Value.FloatValue;
    case TFormValueKind::String:
      return Value.Text;
    case TFormValueKind::Ident:
      if (SameText(Value.Text, "Null")) return Null();
      if (SameText(Value.Text, "True")) return true;
      if (SameText(Value.Text, "False")) return false;
      break;
    default:
      break;
  }
  throw EReadError("Invalid property value");
}

Variant TReader::ReadVariant() { return VariantOf(TakeValue()); }

void TReader::ReadCollection(TCollection* Collection) {
  if (NextValue() != vaCollection) Error("Invalid property value");
  ReadCollectionValue(Collection, TakeValue());
}

void TReader::SkipValue() { TakeValue(); }

void ReadComponentFromText(const String& Text, TComponent* Root) {
  TReader reader(Text);
  reader.ReadRootComponent(Root);
}

namespace {

// The text of the "FORM" resource named ResName; false when there is none.
bool FindFormResource(const String& ResName, String& Text) {
  HRSRC info = FindResource(MainInstance, ResName.c_str(), "FORM");
  if (!info) return false;
  const char* data = static_cast<const char*>(LockResource(LoadResource(MainInstance, info)));
  Text.assign(data, SizeofResource(MainInstance, info));
  return true;
}

}  // namespace

TComponent* ReadComponentRes(const String& ResName, TComponent* Instance) {
  String text;
  if (!FindFormResource(ResName, text)) throw EResNotFound(Format("Resource %s not found", ResName));
  ReadComponentFromText(text, Instance);
  return Instance;
}

bool InitInheritedComponent(TComponent* Instance, TClass RootAncestor) {
  std::vector<TClass> chain;
  for (TClass c = Instance->ClassType(); c && c != RootAncestor && c != TComponent::ClassInfo(); c = c->Parent)
    chain.push_back(c);
  TReader::TLoadingScope scope(Instance);
  bool found = false;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    String text;
    if (!FindFormResource((*it)->Name, text)) continue;
    found = true;
    ReadComponentFromText(text, Instance);
  }
  scope.Finish();
  return found;
}
