#pragma once
// TReader: reads a form in the text form format (docs/form-format.md) into a root component.
//
// Components named in `object` blocks are created by class name (rtl/ClassRegistry.h) with the
// reading component's child owner, `inherited` blocks find an existing component of the owner, and
// `inline` blocks create a frame, whose constructor reads the frame's own form, and then apply the
// block's overrides to it. Properties are set through the property tables (rtl/TypInfo.h); event
// properties bind to the root's published methods by name; component references are resolved once
// the whole text has been read. Loading is global: a form read while another is being read
// (a frame inside a form, an inherited form's ancestors) joins the outer load, and when the
// outermost read ends every component read gets csReading and csLoading cleared and Loaded called,
// once, in creation order, with each root after its children.
//
// Malformed text raises EParserError; text that does not fit the classes raises EReadError (or
// EClassNotFound), with the line number in the message. A property error ("Error reading
// Button1.Foo: Property Foo does not exist on line 7") can be skipped by an OnError handler.

#include <vector>

#include "rtl/Component.h"
#include "rtl/Events.h"
#include "rtl/Filer.h"
#include "rtl/FormSyntax.h"
#include "rtl/Variants.h"

class TCollection;

// What the next value of a defined property is.
enum TValueType {
  vaNull,  // the end of the list being read
  vaList,
  vaInt32,
  vaInt64,
  vaExtended,
  vaString,
  vaIdent,
  vaFalse,
  vaTrue,
  vaBinary,
  vaSet,
  vaNil,
  vaCollection,
};

class TReader;
using TReaderError = TEvent<void(TReader* Reader, const String& Message, bool& Handled)>;

class TReader : public TFiler {
  TAVREN_CLASS(TReader, TFiler)
 public:
  // Parses the text; EParserError when it is malformed.
  explicit TReader(const String& Text);
  ~TReader() override;

  void ReadRootComponent(TComponent* Root);
  // Reads the properties and the children of the block being read into Instance; the base
  // TComponent::ReadState calls it, once per block.
  void ReadData(TComponent* Instance);

  void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                      bool HasData) override;
  void DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                            bool HasData) override;

  // Values of a defined property, in order. Each raises EReadError "Invalid property value" when
  // the next value is of another kind or there is none.
  TValueType NextValue() const;
  bool EndOfList() const { return NextValue() == vaNull; }
  void ReadListBegin();
  void ReadListEnd();
  Integer ReadInteger();
  Int64 ReadInt64();
  Double ReadFloat();  // integers too
  String ReadString();
  String ReadIdent();
  bool ReadBoolean();
  // Null, True/False, integers, floats and strings.
  Variant ReadVariant();
  void ReadCollection(TCollection* Collection);
  void SkipValue();

  // The owner and parent that components created now get.
  TComponent* GetOwner() const noexcept { return FOwner; }
  void SetOwner(TComponent* Value) noexcept { FOwner = Value; }
  TComponent* GetParent() const noexcept { return FParent; }
  void SetParent(TComponent* Value) noexcept { FParent = Value; }

  TReaderError GetOnError() const { return FOnError; }
  void SetOnError(const TReaderError& Value) { FOnError = Value; }

 private:
  friend bool InitInheritedComponent(TComponent* Instance, TClass RootAncestor);
  class TLoadingScope;
  // A component reference waiting for the end of the text.
  struct TFixup {
    TWeakRef<TObject> Instance;
    const struct TPropInfo* PropInfo;
    String Name;
    String Context;  // "Button1.PopupMenu", for the error message
    Integer Line;
  };
  struct TCursor {
    const TFormValue* Values;
    size_t Count;
    size_t Pos;
  };

  void ReadComponent(const TFormObject& Block);
  void ReadProperties(TPersistent* Instance, const std::vector<TFormProperty>& Properties);
  void ReadProperty(TPersistent* Instance, const TFormProperty& Property);
  void ReadPropValue(TPersistent* Instance, const struct TPropInfo* PropInfo, const TFormValue& Value,
                     const String& PropPath);
  void ReadCollectionValue(TCollection* Collection, const TFormValue& Value);
  const TFormValue& TakeValue();
  static Variant VariantOf(const TFormValue& Value);
  [[noreturn]] void Error(const String& Message) const;
  bool HandleError(const String& Message);
  void ClaimForLoading(TComponent* Component);
  void FixupReferences();

  TFormObject FForm;
  const TFormObject* FBlock = nullptr;  // the block whose ReadData comes next
  TComponent* FOwner = nullptr;
  TComponent* FParent = nullptr;
  TReaderError FOnError;
  std::vector<TFixup> FFixups;

  // The property being read, for DefineProperties.
  String FPropName;
  const TFormValue* FPropValue = nullptr;
  bool FPropHandled = false;
  std::vector<TCursor> FCursors;
};

// Reads a form text into Root (its class's form, or an ancestor's).
void ReadComponentFromText(const String& Text, TComponent* Root);
// Reads the "FORM" resource named ResName into Instance; EResNotFound when there is none.
TComponent* ReadComponentRes(const String& ResName, TComponent* Instance);
// Reads the "FORM" resources of Instance's class and of its ancestors below RootAncestor, ancestors
// first, in one load. Answers false when none of these classes has a form resource.
bool InitInheritedComponent(TComponent* Instance, TClass RootAncestor);
