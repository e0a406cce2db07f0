#pragma once
// An editor whose display text is a plain string: typed characters go through the editor's key
// handling, so the value model, validation and events run as they do under a real inner edit.

#include <vector>

#include "EditTestProperties.h"
#include "rtl/SysUtils.h"
#include "rtl/Variants.h"

// Properties whose validation, Esc restore and value comparison a test switches.
class TValidatingProperties : public TTestEditProperties {
  TAVREN_CLASS(TValidatingProperties, TTestEditProperties)
 public:
  using TTestEditProperties::TTestEditProperties;
  bool CanValidate() override { return validates; }
  bool RestoresValueOnEscape() override { return restores; }
  bool CanCompareEditValues() override { return compares; }
  bool validates = true;
  bool restores = true;
  bool compares = true;
};

class TTestEdit : public TkvCustomEdit {
  TAVREN_CLASS(TTestEdit, TkvCustomEdit)
 public:
  TTestEdit(TComponent* AOwner, bool AInplace)
      : TkvCustomEdit(AOwner, AInplace, TValidatingProperties::ClassInfo()) {}
  explicit TTestEdit(TComponent* AOwner) : TTestEdit(AOwner, false) {}
  TValidatingProperties* Props() { return static_cast<TValidatingProperties*>(GetProperties()); }
  void SetProps(TValidatingProperties* Value) { SetProperties(Value); }

  // The events, in the order they came.
  std::vector<String> log;
  String text;
  bool refuseEditing = false;
  Variant valueInsideEditing;

  // An editor with buttons stores its button style values.
  TkvContainerStyleValues GetHiddenStyleValues() override { return {}; }
  void ReadDisplayText(String& Text) override { Text = text; }
  void SetDisplayValue(const Variant& Value) override { text = VarToStr(Value); }
  void PutDisplayValue(const Variant& Value) override {
    text = VarToStr(Value);
    StoreEditValue(Value);
  }
  void UpdateDisplayFromEditValue() override { text = VarToStr(GetEditValueProp()); }
  void EditingValueToEditValue(Variant& Value) override { Value = text; }
  bool IsModifyingChar(Char Character) override { return static_cast<unsigned char>(Character) >= 32; }
  bool IsModifyingKey(Word Key, TShiftState) override { return Key == VK_DELETE; }
  void HandleKeyPress(Char& Character) override {
    TkvCustomEdit::HandleKeyPress(Character);
    if (static_cast<unsigned char>(Character) < 32) return;
    text += Character;
    HandleInnerEditChange();
  }

  // Binds every event to the log.
  void Listen();
  void Change(TObject*) { log.push_back("change"); }
  void ValueChanged(TObject*) { log.push_back("value"); }
  void Editing(TObject*, bool& CanEdit);
  void Down(TObject*, Word& Key, TShiftState) { log.push_back("down " + IntToStr(Key)); }
  void Press(TObject*, Char& Key) { log.push_back(String("press ") + Key); }
  void Unhandled(TObject*, Word& Key, TShiftState) { log.push_back("unhandled " + IntToStr(Key)); }
  void Button(TObject*, Integer Index) { log.push_back("button " + IntToStr(Index)); }
  void Validate(TObject*, Variant& DisplayValue, String&, bool& Error);
  void Post(TObject*) { log.push_back("post"); }

 protected:
  TTestEdit(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass,
            TClassOf<TWinControl> AInnerEditClass)
      : TkvCustomEdit(AOwner, AInplace, APropertiesClass, AInnerEditClass) {}
};
