// The mask modes' common protocol and the standard mode.

#include "toolkit/editors/kvMaskEdit.h"
#include "user/WindowEffects.h"

namespace {

String JoinChars(const std::vector<String>& Chars) {
  String text;
  for (const String& ch : Chars) text += ch;
  return text;
}

}  // namespace

TAVREN_CLASS_IMPL(TkvMaskEditModeArgs)
TAVREN_CLASS_IMPL(TkvMaskEditCustomMode)
TAVREN_CLASS_IMPL(TkvMaskEditStandardMode)

bool IsBlankEditMask(const String& Mask) {
  for (char c : Mask)
    if (c != ' ' && c != '\0' && c != '\t' && c != '\n' && c != '\f' && c != '\r') return false;
  return true;
}

// ---- Base ----------------------------------------------------------------------------------

TkvMaskEditCustomMode::TkvMaskEditCustomMode(TkvMaskEditModeArgs* Args) : FEditor(Args->Editor) {
  // Only a mode without editor keeps Properties of its own.
  if (!FEditor) FProperties = Args->Properties;
}

TkvCustomMaskEditProperties* TkvMaskEditCustomMode::GetMaskProperties() {
  return FEditor ? FEditor->MaskProperties() : FProperties;
}

void TkvMaskEditCustomMode::Beep() {
  TkvCustomMaskEditProperties* properties = GetMaskProperties();
  if (properties && properties->GetBeepOnError()) MessageBeep(0);
}

void TkvMaskEditCustomMode::SyncWithEditValue() {
  if (!HasWorkingEditor()) return;
  String text;
  if (FEditor->ModifiedAfterEnter()) {
    text = FormatText(FEditor->InnerText(), true);
  } else {
    Variant display;
    GetMaskProperties()->MakeDisplayValue(FEditor->MaskEditValue(), display, FEditor->MaskEditFocused());
    text = VarToStr(display);
  }
  FEditor->SetInnerEditValue(text);
}

// ---- Standard mode -------------------------------------------------------------------------

TkvMaskEditStandardMode::TkvMaskEditStandardMode(TkvMaskEditModeArgs* Args)
    : TkvMaskEditCustomMode(Args), FMask(std::make_unique<TkvStandardMask>()) {}

bool TkvMaskEditStandardMode::IsLiteralAt(Integer Position) const {
  return Position >= 0 && Position < FMask->Count() && FMask->Item(Position).IsLiteral();
}

bool TkvMaskEditStandardMode::IsEditableAt(Integer Position) const {
  return Position >= 0 && Position < FMask->Count() && !FMask->Item(Position).IsLiteral();
}

String TkvMaskEditStandardMode::BlankFor(Integer) { return FMask->GetBlankChar(); }

void TkvMaskEditStandardMode::SetMask(const String& Mask) {
  FMaskText = Mask;
  if (IsBlankEditMask(Mask)) {
    // No positions: the editor stops routing keys here and texts pass unchanged.
    FMask->Clear();
    return;
  }
  FMask->Parse(Mask);
  FEmptyValuePending = !HasWorkingEditor();
}

String TkvMaskEditStandardMode::FormatText(const String& Text, bool TextHasLiterals) {
  String text = Text;
  FMask->ApplyText(text, true, TextHasLiterals);
  return text;
}

bool TkvMaskEditStandardMode::CaretAtBegin() {
  Integer literals = 0;
  while (IsLiteralAt(literals)) ++literals;
  const Integer s = SelStart();
  return literals >= s && (SelLength() < 2 || FEditor->CharCaretIndex() == s);
}

bool TkvMaskEditStandardMode::CaretAtEnd() { return static_cast<Integer>(TextChars().size()) == SelStart(); }

bool TkvMaskEditStandardMode::IsValidText(const String& Text) {
  String text = Text;
  if (FMask->IsComplete(text)) return true;
  return GetMaskProperties()->GetIgnoreMaskBlank() && Text == FormatText(String(), true);
}

void TkvMaskEditStandardMode::SelectionChanged() {
  if (FEditor && FEditor->InnerWindowExists() && FMask->Count() > 0 && SelLength() == 0)
    FEditor->SetSelLengthItself(1);
}

void TkvMaskEditStandardMode::BeforePaste() {
  FSavedSelStart = SelStart();
  FEditor->MoveCaretItself(FSavedSelStart);
  FEditor->SetSelLengthItself(FPasteLength);
}

void TkvMaskEditStandardMode::AfterPaste() {
  const Integer length = static_cast<Integer>(TextChars().size());
  Integer caret = FSavedSelStart + FPasteLength;
  if (caret >= length) caret = length - 1;
  if (caret < 0) caret = 0;
  FEditor->PlaceCaretAtChar(caret);
  if (IsLiteralAt(caret)) {
    FEditor->SetShiftHeld(false);
    RightKey();
  }
}

bool TkvMaskEditStandardMode::Backspace() {
  if (SelLength() <= 1) LeftKey();
  DeleteChar();
  return false;
}

bool TkvMaskEditStandardMode::DeleteChar() {
  const Integer s = SelStart(), l = SelLength();
  std::vector<String> chars = TextChars();
  const Integer end = std::min<Integer>(s + l, static_cast<Integer>(chars.size()));
  bool changed = false;
  for (Integer i = s; i < end; ++i) {
    if (!IsEditableAt(i)) continue;
    String blank = BlankFor(i + 1);
    if (blank.empty()) continue;
    chars[size_t(i)] = blank;
    changed = true;
  }
  if (changed) {
    FEditor->SetInnerEditValue(JoinChars(chars));
    FEditor->PlaceCaretAtChar(s);
  }
  return false;
}

bool TkvMaskEditStandardMode::EndKey() {
  if (FEditor->GetShiftHeld()) return true;
  FEditor->PlaceCaretAtChar(static_cast<Integer>(TextChars().size()));
  return false;
}

bool TkvMaskEditStandardMode::HomeKey() {
  if (FEditor->GetShiftHeld()) return true;
  FEditor->PlaceCaretAtChar(0);
  if (FMask->Count() > 0 && IsLiteralAt(0)) RightKey();
  return false;
}

bool TkvMaskEditStandardMode::LeftKey() {
  const Integer s = SelStart(), l = SelLength();
  if (FEditor->GetShiftHeld()) {
    // The block's right edge anchors the selection; the native Shift+Left then takes one more.
    if (l == 1) FEditor->SelectItself(s + 1, s);
    return true;
  }
  const Integer length = static_cast<Integer>(TextChars().size());
  if (l >= 2) {
    const bool reachesEnd = s + l >= length;
    const Integer last = reachesEnd ? s + l - 1 : s + l;
    for (Integer p = s; p <= last; ++p) {
      if (IsEditableAt(p)) {
        FEditor->PlaceCaretAtChar(p);
        return false;
      }
    }
    FEditor->PlaceCaretAtChar(reachesEnd ? s + l : s);
    return false;
  }
  if (s == 0) return false;
  Integer literals = 0;
  while (IsLiteralAt(s - 1 - literals)) ++literals;
  const Integer target = s - (literals + 1);
  FEditor->PlaceCaretAtChar(target < 0 ? s : target);
  return false;
}

bool TkvMaskEditStandardMode::RightKey() {
  const Integer s = SelStart(), l = SelLength();
  if (FEditor->GetShiftHeld()) {
    if (l == 1 && FEditor->CharCaretIndex() == s) FEditor->SetSelLengthItself(0);
    return true;
  }
  const Integer length = static_cast<Integer>(TextChars().size());
  if (l < 2) {
    Integer literals = 0;
    while (IsLiteralAt(s + 1 + literals)) ++literals;
    const Integer target = s + literals + 1;
    FEditor->PlaceCaretAtChar(target > length ? s : target);
    return false;
  }
  Integer e = s + l;
  if (e < length) {
    Integer literals = 0;
    while (literals < l && IsLiteralAt(e - 1 - literals)) ++literals;
    e -= literals == l ? 1 : 1 + literals;
  }
  FEditor->PlaceCaretAtChar(0);
  FEditor->PlaceCaretAtChar(e);
  return false;
}

bool TkvMaskEditStandardMode::TypeChar(String& Ch) {
  const Integer s = SelStart(), l = SelLength();
  std::vector<String> chars = TextChars();
  if (chars.empty() || s >= static_cast<Integer>(chars.size())) return false;
  if (IsLiteralAt(s)) {
    // Typing skips literals: the character lands in the next editable position.
    FEditor->SetShiftHeld(false);
    if (l > 1) DeleteChar();
    RightKey();
    if (SelStart() != s) TypeChar(Ch);
    return false;
  }
  if (!IsEditableAt(s) || !FMask->Item(s).Accepts(Ch)) return false;
  if (!FEditor->AcceptsCharAt(Ch, s + 1)) return false;
  if (Ch.empty() || Ch == String(1, '\0')) {
    Beep();
    return false;
  }
  if (l > 1) DeleteChar();
  chars = TextChars();
  if (s >= static_cast<Integer>(chars.size())) return false;
  chars[size_t(s)] = Ch;
  FEditor->SetInnerEditValue(JoinChars(chars));
  FEditor->PlaceCaretAtChar(s);
  FEditor->SetShiftHeld(false);
  RightKey();
  return false;
}

void TkvMaskEditStandardMode::SyncWithEditValue() {
  TkvMaskEditCustomMode::SyncWithEditValue();
  SelectionChanged();
}

void TkvMaskEditStandardMode::ApplyPendingEmptyValue() {
  if (!FEmptyValuePending || !FEditor) return;
  FEditor->SetMaskEditValueInternal(FMask->EmptyValue());
  FEmptyValuePending = false;
}

String TkvMaskEditStandardMode::DisplayToValue(const String& Text, bool TextHasLiterals) {
  if (FMask->Count() == 0) return Text;
  String text = Text;
  FMask->ApplyText(text, GetMaskProperties()->GetCharCase() == ecNormal, TextHasLiterals);
  FMask->ExtractValue(text);
  return text;
}
