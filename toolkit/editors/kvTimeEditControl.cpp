// The time edit control: seconds of the day read from the text, the date part kept across stored
// values, steps of the item under the caret, and the typing rules of the digits and designator.

#include <cmath>

#include "rtl/ClassRegistry.h"
#include "rtl/SysUtils.h"
#include "toolkit/editors/kvTimeEdit.h"

TAVREN_CLASS_IMPL(TkvCustomTimeEdit)
TAVREN_CLASS_IMPL_PUBLISHED(TkvTimeEdit, PROPERTY(AutoSize).Default(true), PROPERTY(BeepOnEnter).Default(true),
                            PROPERTY_AS(EditValue, GetEditValueProp, SetEditValue),
                            PROPERTY(ImeMode).Default(imDontCare), PROPERTY(ImeName),
                            PROPERTY_AS(Properties, GetTimeEditProperties, SetTimeEditProperties),
                            PROPERTY_AS(Style, GetEditStyle, SetEditStyle),
                            PROPERTY_AS(StyleDisabled, GetEditStyleDisabled, SetEditStyleDisabled),
                            PROPERTY_AS(StyleFocused, GetEditStyleFocused, SetEditStyleFocused),
                            PROPERTY_AS(StyleHot, GetEditStyleHot, SetEditStyleHot),
                            PROPERTY(Time).Stored(false), PROPERTY(OnEditing))

namespace {

// The step of each item, in seconds; the designator's toggles the half of the day.
constexpr Integer kItemSteps[] = {3600, 60, 1, SecsPerDay / 2};

String Joined(const std::vector<String>& Chars) {
  String text;
  for (const String& c : Chars) text += c;
  return text;
}

bool IsDigit(const String& Ch) { return Ch.size() == 1 && Ch[0] >= '0' && Ch[0] <= '9'; }

// The characters from the 1-based position Start on.
String Tail(const std::vector<String>& Chars, Integer Start) {
  String text;
  for (size_t i = static_cast<size_t>(std::max<Integer>(Start - 1, 0)); i < Chars.size(); ++i) text += Chars[i];
  return text;
}

bool EndsWithText(const String& Text, const String& Suffix) {
  const String text = TrimRight(Text);
  return !Suffix.empty() && text.size() >= Suffix.size() &&
         AnsiSameText(text.substr(text.size() - Suffix.size()), Suffix);
}

}  // namespace

TkvCustomTimeEdit::TkvCustomTimeEdit(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass)
    : TkvCustomSpinEdit(AOwner, AInplace, APropertiesClass) {
  SetControlStyle(GetControlStyle() - TControlStyle{csSetCaption});
  SetEditValue(Null());
}

// ---- Values ----------------------------------------------------------------------------------

Integer TkvCustomTimeEdit::TextNumber(const std::vector<String>& Chars, Integer Start) {
  Integer number = 0;
  for (Integer i = Start - 1; i < Start + 1 && i < static_cast<Integer>(Chars.size()); ++i)
    if (IsDigit(Chars[i])) number = number * 10 + (Chars[i][0] - '0');
  return number;
}

Variant TkvCustomTimeEdit::GetValue() {
  if (!Focused()) return Variant(std::round(GetTime() * SecsPerDay));
  TkvCustomTimeEditProperties* properties = TimeProperties();
  const std::vector<String> chars = kvSplitChars(TkvCustomTextEdit::GetText());
  const bool twelve = !properties->GetUse24HourFormat();
  const TkvTimeEditTimeFormat format = properties->GetTimeFormat();
  Integer hours = TextNumber(chars, 1);
  if (twelve) hours %= 12;
  Integer seconds = 3600 * hours;
  if (format != tfHour) seconds += 60 * TextNumber(chars, 4);
  if (format == tfHourMinSec) seconds += TextNumber(chars, 7);
  if (twelve && EndsWithText(Joined(chars), TimeEditPMString())) seconds += SecsPerDay / 2;
  return Variant(static_cast<Double>(seconds));
}

void TkvCustomTimeEdit::SetValue(const Variant& Value) {
  if (VarIsNumeric(Value)) SetTime(Value.AsDouble() / SecsPerDay);
}

String TkvCustomTimeEdit::DisplayTextOf(const Variant& Value) {
  return TkvCustomSpinEdit::DisplayTextOf(Variant(Value.AsDouble() / SecsPerDay));
}

Variant TkvCustomTimeEdit::TextToDateTime(const String& Text) {
  TkvCustomTimeEditProperties* properties = TimeProperties();
  const bool twelve = !properties->GetUse24HourFormat();
  const std::vector<String> chars = kvSplitChars(Text);
  String text = Text;
  if (twelve) {
    const Integer start = properties->ItemStart(tiAmPm);
    String digits;
    for (Integer i = 0; i < start - 1 && i < static_cast<Integer>(chars.size()); ++i) digits += chars[i];
    text = TrimRight(digits);
  }
  if (kvSplitChars(text).size() == 2) text += ":00";
  if (twelve) {
    const String designator = Tail(chars, properties->ItemStart(tiAmPm));
    const bool am = AnsiUpperCase(designator).find(AnsiUpperCase(TimeEditAMString())) != String::npos;
    text += " " + (am ? TimeEditAMString() : TimeEditPMString());
  }
  TDateTime time = 0;
  if (!TryStrToTime(text, time, TimeEditFormatSettings())) time = 0;
  const TDateTime value = FDatePart < 0 ? FDatePart - time : FDatePart + time;
  return value != 0 ? VarFromDateTime(value) : Variant(0.0);
}

void TkvCustomTimeEdit::ConvertDisplayToEditValue(const Variant& Display, Variant& Value, bool) {
  Value = TextToDateTime(VarToStr(Display));
}

void TkvCustomTimeEdit::EditingValueToEditValue(Variant& Value) {
  ConvertDisplayToEditValue(Variant(TkvCustomTextEdit::GetText()), Value, true);
}

TDateTime TkvCustomTimeEdit::GetTime() {
  Variant value;
  if (Focused()) {
    value = TextToDateTime(TkvCustomTextEdit::GetText());
  } else {
    GetEditValue(value);
  }
  TDateTime time = 0;
  if (VarIsStr(value)) {
    if (!TryStrToDateTime(VarToStr(value), time, TimeEditFormatSettings())) time = 0;
  } else if (VarIsNumeric(value) || VarType(value) == varDate) {
    time = VarToDateTime(value);
  }
  return std::fabs(time - std::trunc(time));
}

void TkvCustomTimeEdit::SetTime(TDateTime Value) {
  const TDateTime fraction = std::fabs(Value - std::trunc(Value));
  const TDateTime value = FDatePart < 0 ? FDatePart - fraction : FDatePart + fraction;
  SetEditValue(VarFromDateTime(value));
}

void TkvCustomTimeEdit::StoreEditValue(const Variant& Value) {
  TkvCustomTimeEditProperties* properties = TimeProperties();
  TDateTime date = 0;
  if (VarIsNull(Value) || VarIsEmpty(Value) || !properties->AcceptsEditValue(Value)) {
    date = 0;
  } else if (VarIsStr(Value)) {
    TDateTime read = 0;
    if (TryStrToDateTime(VarToStr(Value), read, TimeEditFormatSettings())) date = std::trunc(read);
  } else {
    date = std::trunc(VarToDateTime(Value));
  }
  FDatePart = date;
  TkvCustomSpinEdit::StoreEditValue(Value);
}

void TkvCustomTimeEdit::SetDisplayValue(const Variant& Value) {
  // Shown unfocused, the text may carry a date the mask has no room for; an empty 12-hour text
  // stays empty.
  if (!Focused() || (!TimeProperties()->GetUse24HourFormat() && VarToStr(Value).empty())) {
    TkvCustomTextEdit::SetDisplayValue(Value);
    return;
  }
  TkvCustomSpinEdit::SetDisplayValue(Value);
}

void TkvCustomTimeEdit::ApplyPropertiesChange(TObject* Properties) {
  if (!Focused() && !InnerEditMissing() && !GetComponentState().Contains(csLoading))
    GetDataBinding()->UpdateDisplayValue();
  TkvCustomSpinEdit::ApplyPropertiesChange(Properties);
  if (!InnerEditMissing()) PlaceCaret(static_cast<Integer>(TkvCustomTextEdit::GetText().size()));
}

// ---- Steps ---------------------------------------------------------------------------------------

Integer TkvCustomTimeEdit::CaretItem() { return TimeProperties()->TimeItemAt(CharSelStart() + 1); }

Variant TkvCustomTimeEdit::GetIncrement(Integer Kind) {
  const Integer item = CaretItem();
  if (item == tiAmPm) {
    // Either way, the other half of the day.
    const bool morning = GetValue().AsDouble() < SecsPerDay / 2;
    return Variant(static_cast<Double>(morning ? SecsPerDay / 2 : -SecsPerDay / 2));
  }
  Integer step = kItemSteps[item];
  if (Kind >= 2 && item != tiHour) step *= 10;
  return Variant(static_cast<Double>(Kind % 2 == 0 ? -step : step));
}

bool TkvCustomTimeEdit::StepValue(Integer Kind) {
  TkvCustomTimeEditProperties* properties = TimeProperties();
  const Integer item = CaretItem();
  Integer start, length;
  if (item == tiAmPm) {
    // From the designator's first character, as long as the designator the step leads to.
    const std::vector<String> chars = kvSplitChars(TkvCustomTextEdit::GetText());
    start = properties->ItemStart(tiAmPm) - 1;
    while (start < static_cast<Integer>(chars.size()) && chars[start] == " ") ++start;
    const bool afternoon = GetValue().AsDouble() >= SecsPerDay / 2;
    length = static_cast<Integer>(kvSplitChars(afternoon ? TimeEditAMString() : TimeEditPMString()).size());
  } else {
    start = properties->ItemStart(item);
    length = 1;
  }
  TWeakRef<TkvCustomTimeEdit> self(this);
  const bool changed = TkvCustomSpinEdit::StepValue(Kind);
  if (self) SelectItself(start, start + length);
  return changed;
}

// ---- Typing --------------------------------------------------------------------------------------

bool TkvCustomTimeEdit::AcceptsCharAt(String& Ch, Integer Position) {
  TkvCustomTimeEditProperties* properties = TimeProperties();
  TkvTimeItemPlace place;
  place.Item = properties->TimeItemAt(Position);
  place.Start = properties->ItemStart(place.Item);
  // The designator runs to the end of the text.
  place.Length = place.Item == tiAmPm
                     ? static_cast<Integer>(kvSplitChars(TkvCustomTextEdit::GetText()).size()) - place.Start + 1
                     : 2;
  place.Use24Hour = properties->GetUse24HourFormat();
  return TypeTimeItemChar(this, place, Ch, Position);
}

namespace {

bool DigitRules(IkvMaskEditModeHost* Editor, std::vector<String>& Chars, const TkvTimeItemPlace& Place, String& Ch,
                Integer Position) {
  const Integer start = Place.Start;
  if (!IsDigit(Ch) || start + 1 > static_cast<Integer>(Chars.size())) return true;
  const bool twelve = !Place.Use24Hour;
  const Integer low = Place.Item == tiHour && twelve ? 1 : 0;
  const Integer high = Place.Item != tiHour ? 59 : twelve ? 12 : 23;
  String first = Chars[start - 1], second = Chars[start];
  const bool atFirst = Position == start;
  (atFirst ? first : second) = Ch;
  const Integer number = (IsDigit(first) ? first[0] - '0' : 0) * 10 + (IsDigit(second) ? second[0] - '0' : 0);
  if (number >= low && number <= high) return true;
  // Both digits written, and the caret on to the next item, as typing does.
  auto write = [&](String A, String B) {
    Chars[start - 1] = A;
    Chars[start] = B;
    Editor->SetInnerEditValue(Joined(Chars));
    Editor->PlaceCaretAtChar(start);
    Editor->SetShiftHeld(false);
    Editor->MaskMode()->RightKey();
  };
  const char top = static_cast<char>('0' + high / 10);
  if (atFirst) {
    if (Ch == "0") {
      // "0" and then the old first digit.
      write("0", Chars[start - 1]);
    } else if (Ch[0] > top) {
      // The typed digit belongs to the second place.
      write("0", Ch);
    } else {
      write(Ch, "0");
    }
    return false;
  }
  if (Ch == "0") {
    Ch = String(1, '\0');
    return true;
  }
  Chars[start - 1] = "0";
  Editor->SetInnerEditValue(Joined(Chars));
  Editor->PlaceCaretAtChar(Position - 1);
  return true;
}

bool DesignatorRules(IkvMaskEditModeHost* Editor, std::vector<String>& Chars, const TkvTimeItemPlace& Place,
                     String& Ch, Integer Position) {
  const std::vector<String> am = kvSplitChars(TimeEditAMString()), pm = kvSplitChars(TimeEditPMString());
  const Integer start = Place.Start;
  Integer k = 0;
  while (k < static_cast<Integer>(std::min(am.size(), pm.size())) && AnsiSameText(am[k], pm[k])) ++k;
  const Integer offset = Position - start;
  if (offset < 0) return true;
  if (offset < k) {
    if (!AnsiSameText(Ch, am[offset])) {
      Ch = String(1, '\0');
      return true;
    }
    Ch = am[offset];
    return true;
  }
  if (offset > k) {
    if (offset < Place.Length && Position <= static_cast<Integer>(Chars.size()) && AnsiSameText(Ch, Chars[Position - 1])) {
      Ch = Chars[Position - 1];
      return true;
    }
    Ch = String(1, '\0');
    return true;
  }
  const std::vector<String>* chosen = nullptr;
  if (offset < static_cast<Integer>(am.size()) && AnsiSameText(Ch, am[offset])) chosen = &am;
  else if (offset < static_cast<Integer>(pm.size()) && AnsiSameText(Ch, pm[offset])) chosen = &pm;
  if (!chosen) {
    Ch = String(1, '\0');
    return true;
  }
  // The whole designator in the item's place, and the caret at its end.
  const size_t from = static_cast<size_t>(start - 1);
  const size_t to = std::min(Chars.size(), from + static_cast<size_t>(std::max<Integer>(Place.Length, 0)));
  if (from > Chars.size()) return true;
  Chars.erase(Chars.begin() + static_cast<std::ptrdiff_t>(from), Chars.begin() + static_cast<std::ptrdiff_t>(to));
  Chars.insert(Chars.begin() + static_cast<std::ptrdiff_t>(from), chosen->begin(), chosen->end());
  Editor->SetInnerEditValue(Joined(Chars));
  Editor->PlaceCaretAtChar(start - 1 + static_cast<Integer>(chosen->size()));
  return false;
}

}  // namespace

bool TypeTimeItemChar(IkvMaskEditModeHost* Editor, const TkvTimeItemPlace& Place, String& Ch, Integer Position) {
  std::vector<String> chars = kvSplitChars(Editor->InnerText());
  if (Place.Item == tiAmPm) return DesignatorRules(Editor, chars, Place, Ch, Position);
  return DigitRules(Editor, chars, Place, Ch, Position);
}
