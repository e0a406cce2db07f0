#pragma once
// The syntax tree of the text form format (docs/form-format.md). The parser builds it from text, the
// printer turns it back into text, the reader walks it into components and the writer builds it from
// components. Every node remembers its line so that errors can say where they are.

#include <vector>

#include "rtl/Types.h"

enum class TFormValueKind {
  Integer,     // 12, -3, $1F
  Float,       // 2.5, -1.0E-3
  String,      // 'it''s'#13#10 + 'more'
  Ident,       // clBtnFace, True, Button1, Frame1.Panel1, nil, Null
  Set,         // [fsBold, fsItalic]
  Binary,      // { 0A1B2C }
  List,        // ( 1 'a' b )
  Collection,  // < item ... end >
};

struct TFormProperty;

// One item of a collection value: `item ... end`.
struct TFormCollectionItem {
  std::vector<TFormProperty> Properties;
  Integer Line = 0;
};

struct TFormValue {
  TFormValueKind Kind = TFormValueKind::Integer;
  Int64 IntValue = 0;
  Double FloatValue = 0;
  String Text;                      // String: the decoded text; Ident: the identifier
  std::vector<String> SetElements;  // Set
  String Bytes;                     // Binary: raw bytes
  std::vector<TFormValue> Items;    // List
  std::vector<TFormCollectionItem> CollectionItems;
  Integer Line = 0;

  static TFormValue OfInteger(Int64 v);
  static TFormValue OfFloat(Double v);
  static TFormValue OfString(String s);
  static TFormValue OfIdent(String s);
  static TFormValue OfSet(std::vector<String> elements);
  static TFormValue OfBinary(String bytes);
  static TFormValue OfList(std::vector<TFormValue> items);
  // Empty: its items are added to CollectionItems as they are read or written.
  static TFormValue OfCollection();
};

// `Name = Value`; Name may be a dotted path into sub-objects (Font.Style).
struct TFormProperty {
  String Name;
  TFormValue Value;
  Integer Line = 0;
};

enum class TFormObjectKind {
  Object,     // object Button1: TButton
  Inherited,  // inherited Button1: TButton (a component that already exists)
  Inline,     // inline Frame1: TFrame1 (a frame, read from its own form first)
};

struct TFormObject {
  TFormObjectKind Kind = TFormObjectKind::Object;
  String Name;  // may be empty: `object TButton`
  String ClassName;
  std::vector<TFormProperty> Properties;
  std::vector<TFormObject> Children;
  Integer Line = 0;
};
