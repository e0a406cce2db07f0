// The spin edit control: its value read from the text or kept from the last step, typing limited
// to numbers, steps by keys, buttons and the wheel, and the auto-repeat of a held button.

#include "rtl/ClassRegistry.h"
#include "rtl/SysUtils.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/editors/kvSpinEdit.h"
#include "user/Input.h"
#include "user/VirtualKeys.h"
#include "user/WindowEffects.h"

TAVREN_CLASS_IMPL(TkvCustomSpinEdit)
TAVREN_CLASS_IMPL_PUBLISHED(TkvSpinEdit, PROPERTY(AutoSize).Default(true), PROPERTY(BeepOnEnter).Default(true),
                            PROPERTY(ImeMode).Default(imDontCare), PROPERTY(ImeName),
                            PROPERTY_AS(Properties, GetSpinEditProperties, SetSpinEditProperties),
                            PROPERTY_AS(Style, GetEditStyle, SetEditStyle),
                            PROPERTY_AS(StyleDisabled, GetEditStyleDisabled, SetEditStyleDisabled),
                            PROPERTY_AS(StyleFocused, GetEditStyleFocused, SetEditStyleFocused),
                            PROPERTY_AS(StyleHot, GetEditStyleHot, SetEditStyleHot),
                            PROPERTY(Value).Stored<&TkvSpinEdit::IsValueStored>(), PROPERTY(OnEditing))

namespace {

constexpr Cardinal kFirstRepeat = 400;
constexpr Cardinal kNextRepeats = 100;

bool IsSpinKey(Word Key) { return Key == VK_UP || Key == VK_DOWN || Key == VK_PRIOR || Key == VK_NEXT; }

Integer SpinKeyKind(Word Key) {
  switch (Key) {
    case VK_UP: return 1;
    case VK_DOWN: return 0;
    case VK_PRIOR: return 3;
    default: return 2;
  }
}

}  // namespace

TkvCustomSpinEdit::TkvCustomSpinEdit(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass)
    : TkvCustomMaskEdit(AOwner, AInplace, APropertiesClass) {
  // A new editor shows 0.
  SetEditValue(SpinProperties()->ToValueType(Variant(0)));
}

TkvCustomSpinEdit::~TkvCustomSpinEdit() { FRepeatTimer.reset(); }

TkvContainerStyleValues TkvCustomSpinEdit::GetHiddenStyleValues() {
  TkvContainerStyleValues values = TkvCustomMaskEdit::GetHiddenStyleValues();
  values.Exclude(svButtonStyle);
  values.Exclude(svButtonTransparency);
  values.Exclude(svGradientButtons);
  return values;
}

// ---- Value ---------------------------------------------------------------------------------------

Variant TkvCustomSpinEdit::ZeroClamped() {
  TkvCustomSpinEditProperties* properties = SpinProperties();
  return properties->Clamp(properties->ToValueType(Variant(0)));
}

bool TkvCustomSpinEdit::TextToValue(const String& Text, Variant& Value, String& ErrorText, bool AllowRaise) {
  TkvCustomSpinEditProperties* properties = SpinProperties();
  if (Text.empty()) {
    Value = Null();
    return true;
  }
  bool error = !properties->ParsesTextValues() || !properties->ParseNumber(Text, Value);
  if (error) {
    ErrorText.clear();
    // A handler supplies a value by giving one; it may also refuse with a text of its own.
    Variant supplied;
    bool refused = false;
    auto ask = [&](TkvCustomSpinEditProperties* From) {
      if (!From || !From->GetOnGetValue()) return;
      try {
        From->GetOnGetValue()(this, Text, supplied, ErrorText, refused);
      } catch (const Exception& E) {
        if (AllowRaise) throw;
        ErrorText = E.Message();
        refused = true;
      }
    };
    ask(static_cast<TkvCustomSpinEditProperties*>(GetProperties()));
    if (TkvEditRepositoryItem* item = GetRepositoryItem())
      ask(dynamic_cast<TkvCustomSpinEditProperties*>(item->GetProperties()));
    if (!refused && !VarIsEmpty(supplied)) {
      try {
        Value = VarIsNull(supplied) ? supplied : properties->ToValueType(supplied);
        error = false;
      } catch (const Exception& E) {
        ErrorText = E.Message();
      }
    }
  } else {
    Value = properties->ToValueType(Value);
  }
  if (!error) return true;
  if (ErrorText.empty()) ErrorText = ResourceStringText(skvEditInvalidNumericValue);
  if (!properties->GetExceptionOnInvalidInput())
    ErrorText.clear();
  else if (AllowRaise)
    throw EkvEditError(ErrorText);
  Value = FValue;
  return false;
}

Variant TkvCustomSpinEdit::GetValue() { return ReadValue(true); }

Variant TkvCustomSpinEdit::ReadValue(bool AllowRaise) {
  TkvCustomSpinEditProperties* properties = SpinProperties();
  Variant value;
  if (Focused()) {
    String error;
    if (!FTextEdited || !TextToValue(GetText(), value, error, AllowRaise)) value = FValue;
  } else {
    Variant edit;
    GetEditValue(edit);
    String error;
    if (VarIsNumeric(edit))
      value = edit;
    else if (VarIsStr(edit) && !VarToStr(edit).empty() && TextToValue(VarToStr(edit), value, error, false))
      ;
    else
      value = Null();
  }
  if (!VarIsNumeric(value)) return ZeroClamped();
  return properties->ToValueType(value);
}

void TkvCustomSpinEdit::SetValue(const Variant& Value) {
  if (!VarIsNumeric(Value)) return;
  TkvCustomSpinEditProperties* properties = SpinProperties();
  if (properties->AcceptsEditValue(Value)) SetEditValue(properties->ToValueType(Value));
}

String TkvCustomSpinEdit::DisplayTextOf(const Variant& Value) {
  Variant display;
  MakeDisplayValue(Value, display, PrefersEditFormat());
  return VarToStr(display);
}

void TkvCustomSpinEdit::UpdateDisplayFromEditValue() {
  TkvCustomMaskEdit::UpdateDisplayFromEditValue();
  TkvCustomSpinEditProperties* properties = SpinProperties();
  Variant edit;
  GetEditValue(edit);
  Variant value;
  try {
    if (properties->AcceptsEditValue(edit)) value = properties->ToValueType(edit);
  } catch (const Exception&) {
  }
  FValue = VarIsNumeric(value) ? value : ZeroClamped();
}

void TkvCustomSpinEdit::UpdateEditValueFromDisplay() {
  TkvCustomMaskEdit::UpdateEditValueFromDisplay();
  Variant edit;
  GetEditValue(edit);
  if (VarIsNumeric(edit)) FValue = SpinProperties()->ToValueType(edit);
}

void TkvCustomSpinEdit::ConvertDisplayToEditValue(const Variant& Display, Variant& Value, bool) {
  String error;
  TextToValue(VarToStr(Display), Value, error, true);
}

void TkvCustomSpinEdit::HandleInnerEditChange() {
  FTextEdited = FTyping;
  TkvCustomMaskEdit::HandleInnerEditChange();
}

void TkvCustomSpinEdit::ValueBoundsDefined() {
  if (IsDesignTime() || !GetValueModified()) return;
  // A Properties change is no time to report the text.
  const Variant value = ReadValue(false);
  const Variant clamped = SpinProperties()->Clamp(value);
  if (VarSameTypeAndValue(value, clamped)) return;
  const bool keyboard = IsKeyboardAction();
  SetKeyboardAction(true);
  try {
    SetValue(clamped);
  } catch (...) {
    SetKeyboardAction(keyboard);
    throw;
  }
  SetKeyboardAction(keyboard);
}

// ---- Steps ---------------------------------------------------------------------------------------

Variant TkvCustomSpinEdit::GetIncrement(Integer Kind) {
  TkvCustomSpinEditProperties* properties = SpinProperties();
  return SpinStepDelta(Kind, properties->GetIncrement(), properties->GetLargeIncrement(), properties->GetValueType());
}

bool TkvCustomSpinEdit::StepValue(Integer Kind) {
  TWeakRef<TkvCustomSpinEdit> self(this);
  bool changed = false;
  {
    TkvChangeEventsLock lock(this);
    if (!RequestEdit() || !self) return false;
    TkvCustomSpinEditProperties* properties = SpinProperties();
    const Variant stepped = SpinSteppedValue(GetValue(), GetIncrement(Kind), Kind % 2 == 1, properties->StepRange());
    if (VarIsNull(stepped)) return false;
    const Variant value = properties->ToValueType(stepped);
    const String before = TkvCustomTextEdit::GetText();
    const String text = DisplayTextOf(value);
    const Integer selStart = CurrentSelStart(), selLength = CurrentSelLength();
    FValue = value;
    const bool keyboard = IsKeyboardAction();
    SetKeyboardAction(true);
    try {
      PutDisplayValue(Variant(text));
    } catch (...) {
      if (self) SetKeyboardAction(keyboard);
      throw;
    }
    if (!self) return false;
    SetKeyboardAction(keyboard);
    FTextEdited = false;
    changed = TkvCustomTextEdit::GetText() != before;
    if (changed) {
      MarkModifiedByUser(true);
      if (properties->PreservesSelection())
        SelectRange(selStart, selLength);
      else
        PlaceCaret(static_cast<Integer>(TkvCustomTextEdit::GetText().size()));
      if (properties->GetImmediatePost() && !IsDesignTime() && CanPostValue() && RunValidation(true) && self) {
        CommitEditValue(false);
        if (self) UpdateDisplayFromEditValue();
      }
    }
  }
  return changed && self;
}

// ---- Auto-repeat ---------------------------------------------------------------------------------

void TkvCustomSpinEdit::AfterButtonDown(Integer VisibleIndex) {
  TkvCustomMaskEdit::AfterButtonDown(VisibleIndex);
  if (FKeyPressedCode != 0) return;
  TWeakRef<TkvCustomSpinEdit> self(this);
  try {
    StepValue(GetEditViewInfo()->Buttons[VisibleIndex]->Index);
  } catch (...) {
    if (self) ReleaseButtons();
    throw;
  }
  if (self) StartAutoRepeat();
}

void TkvCustomSpinEdit::StartAutoRepeat() {
  if (SpinProperties()->GetReadOnly() || !GetDataBinding()->HasData()) return;
  FRepeatTimer = std::make_unique<TkvTimer>(nullptr);
  FRepeatTimer->SetInterval(kFirstRepeat);
  FRepeatTimer->SetOnTimer(MakeEvent<&TkvCustomSpinEdit::RepeatTick>(this));
}

void TkvCustomSpinEdit::StopAutoRepeat() { FRepeatTimer.reset(); }

void TkvCustomSpinEdit::RepeatTick(TObject*) {
  if (FRepeatTimer->GetInterval() == kFirstRepeat) FRepeatTimer->SetInterval(kNextRepeats);
  const Integer pressed = GetEditViewInfo()->PressedButton;
  if (pressed < 0) return;
  TWeakRef<TkvCustomSpinEdit> self(this);
  try {
    StepValue(GetEditViewInfo()->Buttons[pressed]->Index);
  } catch (...) {
    // A step that raises stops the repeat: else every tick would raise again.
    if (self) ReleaseButtons();
    throw;
  }
}

void TkvCustomSpinEdit::SetKeyPressedCode(Integer Value) {
  if (FKeyPressedCode == Value) return;
  FKeyPressedCode = Value;
  RecalcAtCursor();
}

void TkvCustomSpinEdit::ReleaseButtons() {
  SetKeyPressedCode(0);
  TkvCustomEditViewInfo* info = GetEditViewInfo();
  for (Integer i = 0; i < info->ButtonCount() && i < 2; ++i) {
    TkvEditButtonViewInfo* button = info->Buttons[i].get();
    if (button->State != ebsPressed) continue;
    button->State = ebsNormal;
    if (info->PressedButton == i) info->PressedButton = -1;
    if (HandleAllocated()) {
      const RECT r = button->Bounds;
      InvalidateRect(GetHandle(), &r, FALSE);
    }
  }
  StopAutoRepeat();
  if (HandleAllocated() && GetCapture() == GetHandle()) ReleaseCapture();
}

bool TkvCustomSpinEdit::CalculateViewInfoAt(const TPoint& P, Integer Button, TShiftState Shift, bool IsMouseEvent) {
  const bool result = TkvCustomMaskEdit::CalculateViewInfoAt(P, Button, Shift, IsMouseEvent);
  TkvCustomEditViewInfo* info = GetEditViewInfo();
  if (FRepeatTimer && info->ButtonCount() > 0 && info->PressedButton < 0 && GetCaptureButtonIndex() < 0)
    StopAutoRepeat();
  return result;
}

void TkvCustomSpinEdit::InitViewData(TkvCustomEditViewData* ViewData) {
  TkvCustomMaskEdit::InitViewData(ViewData);
  if (auto* data = dynamic_cast<TkvSpinEditViewData*>(ViewData)) data->KeyPressedCode = FKeyPressedCode;
}

void TkvCustomSpinEdit::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TWeakRef<TkvCustomSpinEdit> self(this);
  TkvCustomMaskEdit::MouseUp(Button, Shift, X, Y);
  if (self) ReleaseButtons();
}

void TkvCustomSpinEdit::HandleFocusChanged() {
  TWeakRef<TkvCustomSpinEdit> self(this);
  TkvCustomMaskEdit::HandleFocusChanged();
  if (self) ReleaseButtons();
}

void TkvCustomSpinEdit::DblClick() {
  TWeakRef<TkvCustomSpinEdit> self(this);
  TkvCustomMaskEdit::DblClick();
  if (!self || !HandleAllocated()) return;
  if (ButtonAtPoint(ScreenToClient(CursorPosOrInvalid())) < 0) ReleaseButtons();
}

bool TkvCustomSpinEdit::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  if (TkvCustomMaskEdit::DoMouseWheelDown(Shift, MousePos)) return true;
  if (!MouseWheelAllowed(Shift)) return false;
  StepValue(0);
  return true;
}

bool TkvCustomSpinEdit::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  if (TkvCustomMaskEdit::DoMouseWheelUp(Shift, MousePos)) return true;
  if (!MouseWheelAllowed(Shift)) return false;
  StepValue(1);
  return true;
}

// ---- Keys and typing -----------------------------------------------------------------------------

void TkvCustomSpinEdit::HandleKeyDown(Word& Key, TShiftState Shift) {
  TkvCustomSpinEditProperties* properties = SpinProperties();
  if (IsSpinKey(Key) && (!properties->GetUseCtrlIncrement() || Shift.Contains(ssCtrl))) {
    const Integer kind = SpinKeyKind(Key);
    Key = 0;
    if (!GetValueModified() && !RequestEdit()) return;
    SetKeyPressedCode(kind + 1);
    if (GetInnerControl() && GetInnerControl()->HandleAllocated() && GetCapture() == GetInnerControl()->GetHandle())
      ReleaseCapture();
    StepValue(kind);
    return;
  }
  StopAutoRepeat();
  if (Key != VK_ESCAPE) FTyping = true;
  if (!properties->GetCanEdit() && IsModifyingKey(Key, Shift)) {
    FireKeyDownUnhandled(Key, Shift);
    Key = 0;
    return;
  }
  TkvCustomMaskEdit::HandleKeyDown(Key, Shift);
}

void TkvCustomSpinEdit::HandleKeyUp(Word& Key, TShiftState Shift) {
  FTyping = false;
  const bool spinKey = IsSpinKey(Key);
  TWeakRef<TkvCustomSpinEdit> self(this);
  TkvCustomMaskEdit::HandleKeyUp(Key, Shift);
  if (self && spinKey) ReleaseButtons();
}

void TkvCustomSpinEdit::HandleKeyPress(Char& Character) {
  if (Character == '.' || Character == ',') Character = FormatSettings.DecimalSeparator;
  const auto c = static_cast<unsigned char>(Character);
  if (c >= 32 || c == 8) {
    if (!IsCharAllowed(Character)) {
      Character = 0;
      MessageBeep(0);
      return;
    }
    FTyping = true;
  }
  TkvCustomMaskEdit::HandleKeyPress(Character);
}

bool TkvCustomSpinEdit::IsCharAllowed(Char Character) {
  TkvCustomSpinEditProperties* properties = SpinProperties();
  const auto c = static_cast<unsigned char>(Character);
  if (!properties->GetCanEdit()) return c < 32 && c != 8;
  if (properties->GetOnGetValue()) return true;
  if ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == 'e' || c == 'E' || c < 32) return true;
  if (properties->GetValueType() == vtFloat && Character == FormatSettings.DecimalSeparator) return true;
  return properties->GetAcceptedChars().test(c);
}

template <class F>
void TkvCustomSpinEdit::AsTyping(F Operation) {
  if (Focused() && !SpinProperties()->GetCanEdit()) return;
  TWeakRef<TkvCustomSpinEdit> self(this);
  FTyping = true;
  try {
    Operation();
  } catch (...) {
    if (self) FTyping = false;
    throw;
  }
  if (self) FTyping = false;
}

void TkvCustomSpinEdit::ClipboardCut() {
  AsTyping([this] { TkvCustomMaskEdit::ClipboardCut(); });
}

void TkvCustomSpinEdit::ClipboardPaste() {
  AsTyping([this] { TkvCustomMaskEdit::ClipboardPaste(); });
}

void TkvCustomSpinEdit::DeleteSelectedText() {
  AsTyping([this] { TkvCustomMaskEdit::DeleteSelectedText(); });
}

// ---- Published editor ----------------------------------------------------------------------------

bool TkvSpinEdit::IsValueStored() {
  const Variant value = GetValue();
  return GetSpinEditProperties()->GetValueType() == vtInt ? value.AsInt64() != 0 : value.AsDouble() != 0;
}
