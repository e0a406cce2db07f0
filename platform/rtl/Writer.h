#pragma once
// TWriter: writes a component tree in the text form format. Published properties are written in
// declaration order, leaving out those not stored and those at their default; sub-objects as
// dotted names (Font.Style), collections item by item, component references by name relative to
// the root, events by the name under which the root publishes the method; then what the classes
// define in DefineProperties; then the children that GetChildren gives. Reading what was written
// rebuilds the same state, and writing a form that was read gives its text back.
//
// Inline frames are written with their whole state (there are no ancestors to compare against).

#include <vector>

#include "rtl/Component.h"
#include "rtl/Filer.h"
#include "rtl/FormSyntax.h"
#include "rtl/Variants.h"

class TCollection;

class TWriter : public TFiler {
  TAVREN_CLASS(TWriter, TFiler)
 public:
  TWriter();
  ~TWriter() override;

  void WriteRootComponent(TComponent* Root);
  const TFormObject& GetForm() const noexcept { return FForm; }

  void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                      bool HasData) override;
  void DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                            bool HasData) override;

  // Values of a defined property; a write procedure writes one value (or a list of them).
  void WriteListBegin();
  void WriteListEnd();
  void WriteInteger(Int64 Value);
  void WriteFloat(Double Value);
  void WriteString(const String& Value);
  void WriteIdent(const String& Ident);
  void WriteBoolean(bool Value);
  void WriteCollection(TCollection* Collection);
  // Null, Booleans, numbers and text; EWriteError for other kinds.
  void WriteVariant(const Variant& Value);

 private:
  void WriteComponent(TComponent* Component, TFormObject& Block, TComponent* ChildRoot);
  void WriteProperties(TPersistent* Instance, const String& Prefix, std::vector<TFormProperty>& Out);
  void WriteProperty(TPersistent* Instance, const struct TPropInfo* PropInfo, const String& Prefix,
                     std::vector<TFormProperty>& Out);
  TFormValue CollectionValue(TCollection* Collection);
  String ReferenceName(TComponent* Component) const;
  void AddValue(TFormValue Value);
  static TFormValue VariantValue(const Variant& Value);

  TFormObject FForm;
  // Where DefineProperties puts what it writes, and the value lists being built.
  std::vector<TFormProperty>* FDefinedOut = nullptr;
  String FDefinedPrefix;
  std::vector<std::vector<TFormValue>> FValues;
  int FDepth = 0;  // components being written inside one another
};

String WriteComponentToText(TComponent* Root);
