// The masked editor: the text editor with keys, characters, pastes and conversions routed
// through the mode of its mask.

#include "toolkit/editors/kvMaskEdit.h"
#include "controls/Edit.h"
#include "user/MessageNumbers.h"
#include "user/VirtualKeys.h"

namespace {

// The native edit counts bytes, the modes characters: one place converts between them.
Integer CharIndexOfByte(const String& Text, Integer Offset) {
  Integer index = 0;
  for (size_t i = 0; i < Text.size() && static_cast<Integer>(i) < Offset; ++i)
    if ((static_cast<unsigned char>(Text[i]) & 0xC0) != 0x80) ++index;
  return index;
}

Integer ByteOffsetOfChar(const String& Text, Integer Index) {
  Integer seen = 0;
  for (size_t i = 0; i < Text.size(); ++i) {
    if ((static_cast<unsigned char>(Text[i]) & 0xC0) == 0x80) continue;
    if (seen++ == Index) return static_cast<Integer>(i);
  }
  return static_cast<Integer>(Text.size());
}

size_t Utf8Length(unsigned char Lead) { return Lead >= 0xF0 ? 4 : Lead >= 0xE0 ? 3 : Lead >= 0xC0 ? 2 : 1; }

class TFlagScope {
 public:
  explicit TFlagScope(bool& Flag) : FFlag(Flag), FSaved(Flag) { FFlag = true; }
  ~TFlagScope() { FFlag = FSaved; }

 private:
  bool& FFlag;
  bool FSaved;
};

}  // namespace

TAVREN_CLASS_IMPL(TkvCustomMaskEdit)

TkvCustomMaskEdit::TkvCustomMaskEdit(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass,
                                     TClassOf<TWinControl> AInnerEditClass)
    : TkvCustomTextEdit(AOwner, AInplace, APropertiesClass, AInnerEditClass) {
  // Always the standard mode first: the first Properties change sets the mode of the kind.
  FMode = NewMode(emkStandard);
  MaskProperties()->SetEmptyMaskText(FMode->EmptyValueText());
}

TkvCustomMaskEdit::~TkvCustomMaskEdit() { FMode.reset(); }

std::unique_ptr<TkvMaskEditCustomMode> TkvCustomMaskEdit::NewMode(TkvEditMaskKind Kind) {
  TkvMaskEditModeArgs args(this, MaskProperties());
  return std::unique_ptr<TkvMaskEditCustomMode>(MaskProperties()->GetModeClass(Kind).Create(&args));
}

TkvCustomMaskEditProperties* TkvCustomMaskEdit::MaskProperties() {
  return static_cast<TkvCustomMaskEditProperties*>(GetEffectiveProperties());
}

// ---- The mode's view of the inner edit -----------------------------------------------------

bool TkvCustomMaskEdit::InnerWindowExists() { return GetInnerControl() && GetInnerControl()->HandleAllocated(); }

Integer TkvCustomMaskEdit::CharSelStart() { return CharIndexOfByte(InnerText(), CurrentSelStart()); }

Integer TkvCustomMaskEdit::CharSelLength() {
  const String text = InnerText();
  const Integer start = CurrentSelStart();
  return CharIndexOfByte(text, start + CurrentSelLength()) - CharIndexOfByte(text, start);
}

Integer TkvCustomMaskEdit::CharCaretIndex() { return CharIndexOfByte(InnerText(), CaretIndex()); }

void TkvCustomMaskEdit::PlaceCaretAtChar(Integer Position) { PlaceCaret(ByteOffsetOfChar(InnerText(), Position)); }

void TkvCustomMaskEdit::SetCharSelectionLength(Integer Length) {
  const String text = InnerText();
  const Integer start = CharSelStart();
  SetSelectionLength(ByteOffsetOfChar(text, start + Length) - ByteOffsetOfChar(text, start));
}

void TkvCustomMaskEdit::MoveCaretItself(Integer Position) {
  TFlagScope moving(FMovingCaretItself);
  PlaceCaretAtChar(Position);
}

void TkvCustomMaskEdit::SetSelLengthItself(Integer Length) {
  TFlagScope moving(FMovingCaretItself);
  SetCharSelectionLength(Length);
}

void TkvCustomMaskEdit::SelectItself(Integer Anchor, Integer Caret) {
  if (!InnerWindowExists()) return;
  TFlagScope moving(FMovingCaretItself);
  const String text = InnerText();
  SendMessage(GetInnerControl()->GetHandle(), EM_SETSEL, ByteOffsetOfChar(text, Anchor), ByteOffsetOfChar(text, Caret));
}

void TkvCustomMaskEdit::SetInnerEditValue(const String& Text) { TkvCustomTextEdit::SetDisplayValue(Variant(Text)); }

void TkvCustomMaskEdit::WriteDisplayValue(const String& Text) { GetDataBinding()->SetDisplayValue(Variant(Text)); }

void TkvCustomMaskEdit::SendOwnKey(Word Key) {
  if (!InnerWindowExists()) return;
  TFlagScope sending(FSendingOwnKey);
  SendMessage(GetInnerControl()->GetHandle(), WM_KEYDOWN, Key, 0);
}

void TkvCustomMaskEdit::SendOwnChar(const String& Ch) {
  if (!InnerWindowExists()) return;
  TFlagScope sending(FSendingOwnKey);
  for (unsigned char byte : Ch) SendMessage(GetInnerControl()->GetHandle(), WM_CHAR, byte, 0);
}

// ---- Keys ----------------------------------------------------------------------------------

void TkvCustomMaskEdit::KeyDown(Word& Key, TShiftState Shift) {
  if (!FSendingOwnKey) TkvCustomTextEdit::KeyDown(Key, Shift);
}

void TkvCustomMaskEdit::KeyPress(Char& Key) {
  if (!FSendingOwnKey) TkvCustomTextEdit::KeyPress(Key);
}

void TkvCustomMaskEdit::KeyUp(Word& Key, TShiftState Shift) {
  if (!FSendingOwnKey) TkvCustomTextEdit::KeyUp(Key, Shift);
}

void TkvCustomMaskEdit::HandleKeyDown(Word& Key, TShiftState Shift) {
  if (!HasMask() || IsClearOrClickKey(Key, Shift) || Key == VK_TAB) {
    TkvCustomTextEdit::HandleKeyDown(Key, Shift);
    return;
  }
  if (!CanProcessKey(Key, Shift)) {
    FireKeyDownUnhandled(Key, Shift);
    Key = 0;
    return;
  }
  FShiftHeld = Shift.Contains(ssShift);
  TWeakRef<TkvCustomMaskEdit> guard(this);
  const bool keyboard = IsKeyboardAction();
  SetKeyboardAction(true);
  const bool ctrl = Shift.Contains(ssCtrl);
  switch (Key) {
    case VK_UP:
    case VK_DOWN:
      // Masked editors do not scroll lookups with the arrows.
      if (!IsPopupOpen()) {
        FireKeyDownUnhandled(Key, Shift);
        Key = 0;
      }
      break;
    case VK_LEFT:
    case VK_RIGHT: {
      const bool left = Key == VK_LEFT;
      if (ctrl) {
        SendOwnKey(left ? VK_HOME : VK_END);
        if (!(left ? FMode->HomeKey() : FMode->EndKey())) Key = 0;
        break;
      }
      const bool atEdge = left ? FMode->CaretAtBegin() : FMode->CaretAtEnd();
      if (!(left ? FMode->LeftKey() : FMode->RightKey())) {
        // At its edge the key leaves the editor, for hosts that move between cells.
        if (atEdge && guard) FireKeyDownUnhandled(Key, Shift);
        Key = 0;
      }
      break;
    }
    case VK_DELETE:
      if (Shift.Contains(ssShift)) {
        if (CharSelLength() == 0 && !FMode->Backspace()) Key = 0;
      } else if (!FMode->DeleteChar()) {
        Key = 0;
      }
      break;
    case VK_HOME:
      if (!FMode->HomeKey()) Key = 0;
      break;
    case VK_END:
      if (!FMode->EndKey()) Key = 0;
      break;
    default:
      break;
  }
  if (!guard) return;
  SetKeyboardAction(keyboard);
  if (Key == 0) return;
  const Word passed = Key;
  TkvCustomTextEdit::HandleKeyDown(Key, Shift);
  // A navigation key the mode let through but the framework kept from the native edit: the mode
  // takes the caret from the inner edit again.
  if (guard && Key == 0 && passed >= VK_PRIOR && passed <= VK_DOWN) FMode->SelectionChanged();
}

void TkvCustomMaskEdit::HandleKeyPress(Char& Character) {
  if (!HasMask()) {
    TkvCustomTextEdit::HandleKeyPress(Character);
    return;
  }
  const auto c = static_cast<unsigned char>(Character);
  if (c == 9 || c == 27) {
    Character = 0;
    return;
  }
  if (c == 13) return;
  if (c == 3 || c == 22 || c == 24) {
    TkvCustomTextEdit::HandleKeyPress(Character);
    return;
  }
  if ((c & 0xC0) == 0x80) {
    // The rest of a character: it goes to the mode once whole.
    Character = 0;
    if (FPendingChar.empty()) return;
    FPendingChar += static_cast<char>(c);
    if (FPendingChar.size() < Utf8Length(static_cast<unsigned char>(FPendingChar[0]))) return;
    TypeThroughMode(std::exchange(FPendingChar, String()), Character);
    return;
  }
  FPendingChar.clear();
  if (!IsCharAllowed(Character)) {
    Character = 0;
    return;
  }
  if (c >= 0xC0) {
    FPendingChar = String(1, static_cast<char>(c));
    Character = 0;
    return;
  }
  TypeThroughMode(String(1, static_cast<char>(c)), Character);
}

void TkvCustomMaskEdit::TypeThroughMode(String Ch, Char& Character) {
  TWeakRef<TkvCustomMaskEdit> guard(this);
  const bool keyboard = IsKeyboardAction();
  SetKeyboardAction(true);
  const bool native = Ch == "\b" ? FMode->Backspace() : FMode->TypeChar(Ch);
  if (!guard) return;
  SetKeyboardAction(keyboard);
  Character = 0;
  if (!native) return;
  // A one-byte character goes on to the native edit; a longer one is handed to it whole.
  if (Ch.size() == 1)
    Character = Ch[0];
  else
    SendOwnChar(Ch);
}

// ---- Text and values -----------------------------------------------------------------------

void TkvCustomMaskEdit::HandleInnerEditChange() {
  if (FMode) FValueText = FMode->DisplayToValue(InnerText(), true);
  TkvCustomTextEdit::HandleInnerEditChange();
}

void TkvCustomMaskEdit::SetDisplayValue(const Variant& Value) {
  if (!FMode || !HasMask() || GetComponentState().Contains(csLoading)) {
    TkvCustomTextEdit::SetDisplayValue(Value);
    return;
  }
  const String text = VarToStr(Value);
  String display;
  if (Focused() || FMode->ModeKind() != 0 || MaskProperties()->GetAlwaysShowBlanksAndLiterals())
    display = FMode->FormatText(text, true);
  else
    display = FMode->DisplayToValue(text, true);
  TkvCustomTextEdit::SetDisplayValue(Variant(display));
  if (ModeTracksText()) FMode->TakeText(InnerText());
}

void TkvCustomMaskEdit::ConvertDisplayToEditValue(const Variant& Display, Variant& Value, bool EditFocused) {
  if (!FMode || !HasMask()) {
    TkvCustomTextEdit::ConvertDisplayToEditValue(Display, Value, EditFocused);
    return;
  }
  auto* standard = dynamic_cast<TkvMaskEditStandardMode*>(FMode.get());
  if (EditFocused || !standard ||
      (!standard->GetMask()->GetKeepsLiterals() && MaskProperties()->GetAlwaysShowBlanksAndLiterals()))
    Value = FMode->DisplayToValue(VarToStr(Display), true);
  else
    Value = Display;
}

String TkvCustomMaskEdit::TextForMessage() { return HasMask() ? FValueText : TkvCustomTextEdit::TextForMessage(); }

String TkvCustomMaskEdit::GetText() { return TextForMessage(); }

void TkvCustomMaskEdit::SelectionChangedHook(TObject* Sender) {
  if (!FMovingCaretItself && FMode && HasMask()) FMode->SelectionChanged();
  TkvCustomTextEdit::SelectionChangedHook(Sender);
}

void TkvCustomMaskEdit::SetDisplayTextAsUser(const String& Text) {
  if (!HasMask()) {
    TkvCustomTextEdit::SetDisplayTextAsUser(Text);
    return;
  }
  FMode->SetPasteLength(static_cast<Integer>(kvSplitChars(Text).size()));
  FMode->BeforePaste();
  TkvCustomTextEdit::SetDisplayTextAsUser(Text);
  FMode->AfterPaste();
}

void TkvCustomMaskEdit::ReformatText() { TkvCustomTextEdit::SetText(InnerText()); }

void TkvCustomMaskEdit::SetText(const String& Value) {
  if (HasMask())
    SetTextFromMessage(Value);
  else
    TkvCustomTextEdit::SetText(Value);
}

bool TkvCustomMaskEdit::SetTextFromMessage(const String& Text) {
  if (!HasMask()) return TkvCustomTextEdit::SetTextFromMessage(Text);
  // The text is taken as a value; the value is then what the mask made of it.
  SetEditValue(Variant(Text));
  SetEditValue(Variant(FValueText));
  return true;
}

void TkvCustomMaskEdit::ClipboardCut() {
  if (!HasMask()) {
    TkvCustomTextEdit::ClipboardCut();
    return;
  }
  if (Focused() && !RequestEdit()) return;
  ClipboardCopy();
  const bool keyboard = IsKeyboardAction();
  SetKeyboardAction(true);
  TWeakRef<TkvCustomMaskEdit> guard(this);
  if (FMode->DeleteChar() && guard) SendOwnChar("\b");
  if (guard) SetKeyboardAction(keyboard);
}

void TkvCustomMaskEdit::UndoHook() {
  if (HasMask() && ModeTracksText()) FMode->TakeText(InnerText());
}

void TkvCustomMaskEdit::HookInnerEdit() {
  if (InnerEditMissing()) return;
  if (!HasMask()) return TkvCustomTextEdit::HookInnerEdit();
  if (!InnerWindowExists() || FInnerEditFrozen) return;
  SendMessage(GetInnerControl()->GetHandle(), WM_SETREDRAW, FALSE, 0);
  FInnerEditFrozen = true;
}

void TkvCustomMaskEdit::UnhookInnerEdit() {
  if (InnerEditMissing()) return;
  if (!FInnerEditFrozen) return TkvCustomTextEdit::UnhookInnerEdit();
  FInnerEditFrozen = false;
  if (!InnerWindowExists()) return;
  SendMessage(GetInnerControl()->GetHandle(), WM_SETREDRAW, TRUE, 0);
  GetInnerControl()->Invalidate();
}

void TkvCustomMaskEdit::Loaded() {
  TkvCustomTextEdit::Loaded();
  if (!HasMask()) return;
  // The text read with the form passes through the mask once.
  LockChangeEvents(true);
  try {
    ReformatText();
  } catch (...) {
    LockChangeEvents(false);
    throw;
  }
  LockChangeEvents(false);
}

void TkvCustomMaskEdit::DblClick() {
  if (HasMask()) FMode->MoveToEnd();
  TkvCustomTextEdit::DblClick();
}

void TkvCustomMaskEdit::DoEnter() {
  if (HasMask() && MaskProperties()->GetAutoSelect()) FMode->MoveToEnd();
  TkvCustomTextEdit::DoEnter();
}

void TkvCustomMaskEdit::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (HasMask() && Button == mbLeft) FMode->SelectionChanged();
  TkvCustomTextEdit::MouseDown(Button, Shift, X, Y);
}

void TkvCustomMaskEdit::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  if (HasMask() && Shift.Contains(ssLeft)) {
    // A drag selects: the mode sees it as with Shift held.
    const bool shift = std::exchange(FShiftHeld, true);
    FMode->SelectionChanged();
    FShiftHeld = shift;
  }
  TkvCustomTextEdit::MouseMove(Shift, X, Y);
}

void TkvCustomMaskEdit::ApplyPropertiesChange(TObject* Properties) {
  if (!FMode) {
    TkvCustomTextEdit::ApplyPropertiesChange(Properties);
    return;
  }
  TkvCustomMaskEditProperties* properties = MaskProperties();
  properties->SetChangeLock(true);
  const String mask = properties->GetEditMask();
  const TkvEditMaskKind kind = properties->GetMaskKind();
  // Re-applied locale formats may have changed what ":" and "/" stand for.
  const bool maskChanged = FMode->GetMaskText() != mask || properties->IsReapplyingFormats();
  const bool kindChanged = FMode->ModeKind() != kind;
  const bool caseChanged = properties->GetCharCase() != FMode->GetKnownCharCase();
  bool maskCleared = false;
  bool echoChanged = false;
  Integer selStart = -1, selLength = 0;
  try {
    if (kindChanged) {
      // A mask of one syntax means nothing in the other; the two regular-expression kinds share it.
      const bool wasStandard = FMode->ModeKind() == 0;
      FMode.reset();
      if (wasStandard != (kind == emkStandard)) {
        properties->StoreEditMaskDirect(String());
        maskCleared = true;
      }
      FMode = NewMode(kind);
      FMode->SetMask(properties->GetEditMask());
      if (properties->HasMask()) FMode->SyncWithEditValue();
      properties->SetEmptyMaskText(FMode->EmptyValueText());
    }
    if (maskChanged) {
      FMode->SetMask(mask);
      if (maskCleared) properties->StoreEditMaskDirect(mask);
      if (!IsBlankEditMask(mask))
        FMode->SyncWithEditValue();
      else if (FMode->ModeKind() == 0 && InnerWindowExists() && CharSelLength() == 1)
        SetSelLengthItself(0);
      properties->SetEmptyMaskText(FMode->EmptyValueText());
    }
    if (caseChanged) {
      if (properties->GetCharCase() == ecNormal) {
        if (IkvInnerTextEdit* inner = InnerTextEdit()) inner->SetCharCase(ecNormal);
        FMode->SyncWithEditValue();
      }
      FMode->SetKnownCharCase(properties->GetCharCase());
    }
    // A new echo mode makes the native edit lay its text out again; the selection is kept.
    echoChanged = properties->GetEchoMode() != FMode->GetKnownEchoMode();
    if (echoChanged && InnerWindowExists()) {
      selStart = CharSelStart();
      selLength = CharSelLength();
    }
    if ((InnerEditMissing() || !VarIsNull(GetEditValueProp())) && properties->HasMask())
      FMode->ApplyPendingEmptyValue();
  } catch (...) {
    properties->SetChangeLock(false);
    throw;
  }
  properties->SetChangeLock(false);
  if (auto* regExpr = dynamic_cast<TkvMaskEditRegExprMode*>(FMode.get()))
    regExpr->GetExpression()->SetCaseInsensitive(properties->GetCaseInsensitive());
  if (properties->HasMask()) properties->SetMaxLength(0);
  TWeakRef<TkvCustomMaskEdit> guard(this);
  TkvCustomTextEdit::ApplyPropertiesChange(Properties);
  if (!guard || !FMode) return;
  if (echoChanged) {
    if (selStart >= 0 && InnerWindowExists()) SelectItself(selStart, selStart + selLength);
    FMode->SetKnownEchoMode(properties->GetEchoMode());
  }
  if (maskChanged || kindChanged || caseChanged) FValueText = FMode->DisplayToValue(InnerText(), true);
}

TAVREN_CLASS_IMPL_PUBLISHED(TkvMaskEdit, PROPERTY(AutoSize).Default(true), PROPERTY(BeepOnEnter).Default(true),
                            PROPERTY(ImeMode).Default(imDontCare), PROPERTY(ImeName),
                            PROPERTY_AS(Properties, GetMaskEditProperties, SetMaskEditProperties),
                            PROPERTY_AS(Style, GetEditStyle, SetEditStyle),
                            PROPERTY_AS(StyleDisabled, GetEditStyleDisabled, SetEditStyleDisabled),
                            PROPERTY_AS(StyleFocused, GetEditStyleFocused, SetEditStyleFocused),
                            PROPERTY_AS(StyleHot, GetEditStyleHot, SetEditStyleHot),
                            PROPERTY_AS(Text, GetText, SetText), PROPERTY(OnEditing))
