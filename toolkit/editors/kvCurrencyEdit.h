#pragma once
// The currency edit: a one-line numeric editor for money amounts. Unfocused it shows its value in
// the display format (the locale's currency format unless one is set); while typing it limits the
// decimals, optionally keeps thousand separators, and refuses what would not leave a number. The
// value is clamped to the bounds, and an empty value shows a text of its own (NullString).

#include "toolkit/editors/kvTextEdit.h"

// Whether Text is a number a currency value can hold: the locale's thousand separators dropped,
// an empty text reads 0; else 0 or a magnitude within the double range. Value gets the number, or
// 0 when the text is no such number.
bool CheckCurrencyText(const String& Text, double& Value);
// The same, after refusing a text with more than Places digits behind the decimal separator (up
// to an exponent).
bool CheckCurrencyDecimals(const String& Text, Integer Places, double& Value);

// Adds the DecimalPlaces flag to the text editor's.
class TkvCurrencyEditPropertiesValues : public TkvTextEditPropertiesValues {
  TAVREN_CLASS(TkvCurrencyEditPropertiesValues, TkvTextEditPropertiesValues)
 public:
  using TkvTextEditPropertiesValues::TkvTextEditPropertiesValues;
  void Assign(TPersistent* Source) override;
  void ClearAssigned() override;

  bool GetDecimalPlaces() const { return FDecimalPlaces; }
  void SetDecimalPlaces(bool Value);

 private:
  bool FDecimalPlaces = false;
};

class TkvCustomCurrencyEditProperties : public TkvCustomTextEditProperties {
  TAVREN_CLASS(TkvCustomCurrencyEditProperties, TkvCustomTextEditProperties)
 public:
  explicit TkvCustomCurrencyEditProperties(TPersistent* AOwner);
  void Assign(TPersistent* Source) override;
  TkvCustomEditPropertiesValuesClass GetAssignedValuesClass() override;
  // A data field's display format may serve, currency or not.
  Byte GetDisplayFormatOptions() override { return 3; }
  TClass GetEditorClass() override;
  void MakeDisplayValue(const Variant& EditValue, Variant& DisplayValue, bool Editing) override;
  void CheckDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error, TkvCustomEdit* Editor) override;
  // 1 for display when the data field has its own text handler.
  Integer GetValueFormatKind(bool Editing) override;
  String KindDisplayFormat() override;
  // Typed separators stay, but never while the display is rewritten from the value.
  bool UsesThousandSeparators(bool Synchronising) override { return FUseThousandSeparator && !Synchronising; }
  bool IsValueNumeric() override { return true; }
  bool AcceptsTextValue(Variant& Value, bool EditFormatMayDecide) override;

  // An edit format of its own or a data field's text handler decides the editing text.
  bool IsEditFormatInForce(TkvCustomEdit* Editor);
  TkvCurrencyEditPropertiesValues* GetCurrencyAssignedValues();

  Integer GetDecimalPlaces();
  void SetDecimalPlaces(Integer Value);
  bool IsDecimalPlacesStored() { return GetCurrencyAssignedValues()->GetDecimalPlaces(); }
  bool GetNullable() const { return FNullable; }
  void SetNullable(bool Value) { Store(FNullable, Value); }
  String GetNullString() const { return FNullString; }
  void SetNullString(const String& Value) { Store(FNullString, Value); }
  bool GetUseThousandSeparator() const { return FUseThousandSeparator; }
  void SetUseThousandSeparator(bool Value) { Store(FUseThousandSeparator, Value); }
  // While set the editors leave Properties changes unanswered.
  bool GetChangesIgnored() const { return FChangesIgnored; }
  void SetChangesIgnored(bool Value) { FChangesIgnored = Value; }

 private:
  Integer FDecimalPlaces = 2;
  bool FNullable = true;
  String FNullString;
  bool FUseThousandSeparator = false;
  bool FChangesIgnored = false;
};

class TkvCurrencyEditProperties : public TkvCustomCurrencyEditProperties {
  TAVREN_CLASS(TkvCurrencyEditProperties, TkvCustomCurrencyEditProperties)
 public:
  using TkvCustomCurrencyEditProperties::TkvCustomCurrencyEditProperties;
  void SetAlignmentProp(TkvEditAlignment* Value) { SetAlignment(Value); }
};

class TkvCustomCurrencyEdit : public TkvCustomTextEdit {
  TAVREN_CLASS(TkvCustomCurrencyEdit, TkvCustomTextEdit)
 public:
  explicit TkvCustomCurrencyEdit(TComponent* AOwner)
      : TkvCustomCurrencyEdit(AOwner, false, TkvCustomCurrencyEditProperties::ClassInfo()) {}
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvCustomCurrencyEditProperties::ClassInfo(); }
  TkvCustomCurrencyEditProperties* CurrencyProperties() {
    return static_cast<TkvCustomCurrencyEditProperties*>(GetEffectiveProperties());
  }

  // While the user edits, the typed number; else the edit value as a number (0 for Null or a
  // text that is no number).
  double GetValue();
  // Clamped to the bounds in force.
  void SetValue(double Value);

  void EditingValueToEditValue(Variant& Value) override;
  bool IsCharAllowed(Char Character) override;
  void ApplyPropertiesChange(TObject* Properties) override;
  void ClipboardPaste() override;
  // A number text becomes a double; an empty text, NullString or no number Null (0 unless Nullable).
  void ConvertDisplayToEditValue(const Variant& Display, Variant& Value, bool EditFocused) override;
  void ValueBoundsDefined() override;

 protected:
  TkvCustomCurrencyEdit(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass);
  // "," and "." type the decimal separator, unless the one is the kept thousand separator.
  void KeyPress(Char& Key) override;
};

class TkvCurrencyEdit : public TkvCustomCurrencyEdit {
  TAVREN_CLASS(TkvCurrencyEdit, TkvCustomCurrencyEdit)
 public:
  explicit TkvCurrencyEdit(TComponent* AOwner)
      : TkvCustomCurrencyEdit(AOwner, false, TkvCurrencyEditProperties::ClassInfo()) {}
  TkvCurrencyEdit(TComponent* AOwner, bool AInplace)
      : TkvCustomCurrencyEdit(AOwner, AInplace, TkvCurrencyEditProperties::ClassInfo()) {}
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvCurrencyEditProperties::ClassInfo(); }
  TkvCurrencyEditProperties* GetCurrencyEditProperties() const {
    return static_cast<TkvCurrencyEditProperties*>(GetProperties());
  }
  void SetCurrencyEditProperties(TkvCurrencyEditProperties* Value) { SetProperties(Value); }
};

class TkvFilterCurrencyEditHelper : public TkvFilterTextEditHelper {
  TAVREN_CLASS(TkvFilterCurrencyEditHelper, TkvFilterTextEditHelper)
 public:
  TClass FilterEditorClass() override { return TkvCurrencyEdit::ClassInfo(); }
  // No pattern operators.
  TkvFilterOperators FilterOperatorSet(TkvValueTypeClass ValueType, bool Extended) override;
  // Unbounded and nullable, an empty value shown empty.
  void InitFilterProperties(TkvCustomEditProperties* Properties, TkvCustomEditProperties* Source,
                            bool KeepButtons) override;
};

void kvCurrencyEditStart();
void kvCurrencyEditEnd();
