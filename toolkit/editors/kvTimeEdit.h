#pragma once
// The time edit: a masked spin edit for a time of day. The text keeps a fixed layout ("hh:nn:ss",
// "hh:nn" or "hh", the 12-hour layouts followed by the AM/PM designator); buttons, keys and the
// wheel step the item under the caret; typed digits are corrected to stay in range. The edit value
// is a date-time whose date part the editor keeps.

#include "rtl/DateUtils.h"
#include "toolkit/editors/kvFormats.h"
#include "toolkit/editors/kvSpinEdit.h"

enum TkvTimeEditTimeFormat { tfHourMinSec, tfHourMin, tfHour };
TAVREN_ENUM_INFO(TkvTimeEditTimeFormat, tfHourMinSec, tfHourMin, tfHour);

// Time items.
constexpr Integer tiHour = 0;
constexpr Integer tiMinute = 1;
constexpr Integer tiSecond = 2;
constexpr Integer tiAmPm = 3;

// The designators of the 12-hour layout: the locale's, or "AM" and "PM" when it has none that
// differ (both empty, or equal ignoring case).
String TimeEditAMString();
String TimeEditPMString();
// FormatSettings with those designators, for formatting and reading 12-hour texts.
TFormatSettings TimeEditFormatSettings();
// The display format and the standard mask of a layout; the 12-hour masks follow the locale.
String TimeEditDisplayFormat(TkvTimeEditTimeFormat Format, bool Use24Hour);
String TimeEditMask(TkvTimeEditTimeFormat Format, bool Use24Hour);
// Builds the 12-hour masks from the locale's designators again.
void RebuildTimeEditMasks();

// Where a time item stands in a masked text: the item (tiHour .. tiAmPm), its 1-based start and
// length in characters, and the hour layout.
struct TkvTimeItemPlace {
  Integer Item = tiHour;
  Integer Start = 1;
  Integer Length = 2;
  bool Use24Hour = true;
};
// The typing rules of a time item, for every masked editor with time items: digits corrected to
// stay in range, designators typed by their differing character. Answers whether Editor's mask
// mode goes on to type Ch (changed, or a zero character to refuse); false when the rule has
// written the item itself.
bool TypeTimeItemChar(IkvMaskEditModeHost* Editor, const TkvTimeItemPlace& Place, String& Ch, Integer Position);

// The standard mode whose empty digit shows '0' and whose designator has no blank.
class TkvTimeEditMaskMode : public TkvMaskEditStandardMode {
  TAVREN_CLASS(TkvTimeEditMaskMode, TkvMaskEditStandardMode)
 public:
  using TkvMaskEditStandardMode::TkvMaskEditStandardMode;
  String BlankFor(Integer Position) override;
};

// Rebuilds the 12-hour masks whenever the locale's formats change; one lives while the unit does.
class TkvTimeEditFormatListener : public TkvInterfacedPersistent, public IkvFormatListener {
  TAVREN_CLASS(TkvTimeEditFormatListener, TkvInterfacedPersistent)
 public:
  TkvTimeEditFormatListener();
  ~TkvTimeEditFormatListener() override;
  void FormatChanged() override { RebuildTimeEditMasks(); }
};

class TkvCustomTimeEditProperties : public TkvCustomSpinEditProperties {
  TAVREN_CLASS(TkvCustomTimeEditProperties, TkvCustomSpinEditProperties)
 public:
  explicit TkvCustomTimeEditProperties(TPersistent* AOwner);
  void Assign(TPersistent* Source) override;
  TClass GetEditorClass() override;
  bool AcceptsEditValue(const Variant& Value) override;
  // Null shows the time 0 while focused, nothing else; a value that is no string, date or number
  // raises EConvertError "Could not convert to time".
  void MakeDisplayValue(const Variant& EditValue, Variant& DisplayValue, bool Editing) override;
  // An error without a text is "Could not convert to time".
  void CheckDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error, TkvCustomEdit* Editor) override;
  bool HasDefaultDisplayFormat(bool EditorFocused) override {
    return TkvCustomEditProperties::HasDefaultDisplayFormat(EditorFocused);
  }
  // The 12-hour masks follow the locale: the editors take the mask again.
  void ReapplyLocaleFormats() override;
  String EmptyDisplayValue() override;
  bool IsValueNumeric() override { return false; }
  // A text that reads as a time becomes the display format's text.
  bool AcceptsTextValue(Variant& Value, bool Editing) override;
  TkvMaskEditModeClass GetModeClass(TkvEditMaskKind) override { return TkvTimeEditMaskMode::ClassInfo(); }
  // A step past midnight is refused unless Circular.
  bool ClampsAtBounds() override { return false; }
  bool ParsesTextValues() override { return false; }
  bool PreservesSelection() override { return true; }

  // The item at a 1-based text position.
  Integer TimeItemAt(Integer Position);
  // The 1-based position an item starts at; every digit item is 2 characters long.
  Integer ItemStart(Integer Item) { return Item == tiAmPm ? 10 - 3 * FTimeFormat : 3 * Item + 1; }
  String DisplayFormat() { return TimeEditDisplayFormat(FTimeFormat, FUse24HourFormat); }
  // Formats a time with the display format (trailing blanks removed).
  String FormatTime(TDateTime Time);

  bool GetAutoCorrectHours() const { return FAutoCorrectHours; }
  void SetAutoCorrectHours(bool Value) { FAutoCorrectHours = Value; }
  bool GetShowDate() const { return FShowDate; }
  void SetShowDate(bool Value) { Store(FShowDate, Value); }
  TkvTimeEditTimeFormat GetTimeFormat() const { return FTimeFormat; }
  void SetTimeFormat(TkvTimeEditTimeFormat Value);
  bool GetUse24HourFormat() const { return FUse24HourFormat; }
  void SetUse24HourFormat(bool Value);
  bool GetUseTimeFormatWhenUnfocused() const { return FUseTimeFormatWhenUnfocused; }
  void SetUseTimeFormatWhenUnfocused(bool Value) { Store(FUseTimeFormatWhenUnfocused, Value); }

 private:
  void ApplyMask();

  bool FAutoCorrectHours = true;
  bool FShowDate = false;
  TkvTimeEditTimeFormat FTimeFormat = tfHourMinSec;
  bool FUse24HourFormat = true;
  bool FUseTimeFormatWhenUnfocused = true;
};

class TkvTimeEditProperties : public TkvCustomTimeEditProperties {
  TAVREN_CLASS(TkvTimeEditProperties, TkvCustomTimeEditProperties)
 public:
  using TkvCustomTimeEditProperties::TkvCustomTimeEditProperties;
  void SetAlignmentProp(TkvEditAlignment* Value) { SetAlignment(Value); }
};

class TkvCustomTimeEdit : public TkvCustomSpinEdit {
  TAVREN_CLASS(TkvCustomTimeEdit, TkvCustomSpinEdit)
 public:
  explicit TkvCustomTimeEdit(TComponent* AOwner)
      : TkvCustomTimeEdit(AOwner, false, TkvCustomTimeEditProperties::ClassInfo()) {}
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvCustomTimeEditProperties::ClassInfo(); }
  TkvCustomTimeEditProperties* TimeProperties() {
    return static_cast<TkvCustomTimeEditProperties*>(GetEffectiveProperties());
  }

  void EditingValueToEditValue(Variant& Value) override;
  void SetDisplayValue(const Variant& Value) override;
  // Keeps the date part of the value stored.
  void StoreEditValue(const Variant& Value) override;
  // The mask decides.
  bool IsCharAllowed(Char) override { return true; }
  void ApplyPropertiesChange(TObject* Properties) override;
  void ResetEditValue() override { SetTime(0); }
  void ConvertDisplayToEditValue(const Variant& Display, Variant& Value, bool EditFocused) override;
  // The text as shown, literals and designator included.
  String TextForMessage() override { return TkvCustomTextEdit::TextForMessage(); }
  // The digit and designator rules of typing.
  bool AcceptsCharAt(String& Ch, Integer Position) override;

  Variant GetIncrement(Integer Kind) override;
  // The seconds since midnight the text shows.
  Variant GetValue() override;
  String DisplayTextOf(const Variant& Value) override;
  void SetValue(const Variant& Value) override;
  // The spin's step, then the stepped item selected.
  bool StepValue(Integer Kind) override;

  // The time of day: of the text while focused, else of the edit value.
  TDateTime GetTime();
  // Keeps the date part.
  void SetTime(TDateTime Value);
  // The item under the caret.
  Integer CaretItem();

 protected:
  TkvCustomTimeEdit(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass);

 private:
  // The date-time a display text stands for, with the kept date part.
  Variant TextToDateTime(const String& Text);
  Integer TextNumber(const std::vector<String>& Chars, Integer Start);

  // The whole days of the last value stored, signed like it.
  Double FDatePart = 0;
};

class TkvTimeEdit : public TkvCustomTimeEdit {
  TAVREN_CLASS(TkvTimeEdit, TkvCustomTimeEdit)
 public:
  explicit TkvTimeEdit(TComponent* AOwner) : TkvCustomTimeEdit(AOwner, false, TkvTimeEditProperties::ClassInfo()) {}
  TkvTimeEdit(TComponent* AOwner, bool AInplace)
      : TkvCustomTimeEdit(AOwner, AInplace, TkvTimeEditProperties::ClassInfo()) {}
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvTimeEditProperties::ClassInfo(); }
  TkvTimeEditProperties* GetTimeEditProperties() const { return static_cast<TkvTimeEditProperties*>(GetProperties()); }
  void SetTimeEditProperties(TkvTimeEditProperties* Value) { SetProperties(Value); }
};

class TkvFilterTimeEditHelper : public TkvFilterSpinEditHelper {
  TAVREN_CLASS(TkvFilterTimeEditHelper, TkvFilterSpinEditHelper)
 public:
  TClass FilterEditorClass() override { return TkvTimeEdit::ClassInfo(); }
  // The filter editor starts at 00:00.
  void InitEditorForFilter(TkvCustomEdit* Editor, TkvCustomEditProperties* Source) override;
};

void kvTimeEditStart();
void kvTimeEditEnd();
