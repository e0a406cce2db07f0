#include "vcl/Mask.h"

#include "rtl/ClassRegistry.h"
#include "rtl/WideText.h"
#include "user/Messages.h"
#include "user/VirtualKeys.h"
#include "user/WindowEffects.h"

const char* const SMaskEditErr = "Invalid input value.  Use escape key to abandon changes";

TAVREN_CLASS_IMPL(TCustomMaskEdit)
TAVREN_MESSAGE_TABLE(TCustomMaskEdit, MESSAGE_HANDLER(CM_EXIT, CMExit))
TAVREN_CLASS_IMPL_PUBLISHED(TMaskEdit,
    PROPERTY(EditMask),
    PROPERTY(MaxLength).Default(0),
    PROPERTY(ReadOnly).Default(false),
    PROPERTY(Text),
    PROPERTY(OnChange))

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
TCustomMaskEdit::~TCustomMaskEdit() = default;

void TCustomMaskEdit::SetEditMask(const String& Value) {
  if (Value == FEditMask) return;
  const String value = GetText();
  FEditMask = Value;
  FMask = std::make_unique<TEditMask>(Value);
  if (IsMasked()) {
    SetMaxLength(FMask->Length());
    SetTextBuf(value);
  }
}

String TCustomMaskEdit::GetEditText() { return inherited::GetTextBuf(); }

void TCustomMaskEdit::SetEditText(const String& Value) {
  if (!IsMasked()) {
    inherited::SetTextBuf(Value);
    return;
  }
  WideString text = UTF8Decode(Value);
  WideString fitted = FMask->EditTextFor(u"");
  // Characters that fit their place are kept, the rest stays blank.
  for (Integer i = 0; i < FMask->Length() && size_t(i) < text.size(); ++i) {
    char16_t c = text[size_t(i)];
    if (!FMask->IsLiteral(i) && c != FMask->Blank() && FMask->Accepts(i, c)) fitted[size_t(i)] = c;
  }
  inherited::SetTextBuf(UTF8Encode(fitted));
}

String TCustomMaskEdit::GetTextBuf() {
  if (!IsMasked()) return inherited::GetTextBuf();
  return UTF8Encode(FMask->ValueOf(UTF8Decode(inherited::GetTextBuf())));
}

void TCustomMaskEdit::SetTextBuf(const String& Value) {
  if (!IsMasked()) {
    inherited::SetTextBuf(Value);
    return;
  }
  inherited::SetTextBuf(UTF8Encode(FMask->EditTextFor(UTF8Decode(Value))));
}

void TCustomMaskEdit::PutEditText(const WideString& Text, Integer Caret) {
  inherited::SetTextBuf(UTF8Encode(Text));
  SetModified(true);
  SetSelStart(Caret);
  SetSelLength(0);
}

void TCustomMaskEdit::BlankPlaces(WideString& Text, Integer From, Integer To) {
  for (Integer i = std::max(From, 0); i < To && i < FMask->Length(); ++i)
    if (!FMask->IsLiteral(i)) Text[size_t(i)] = FMask->Blank();
}

void TCustomMaskEdit::KeyDown(Word& Key, TShiftState Shift) {
  inherited::KeyDown(Key, Shift);
  if (!IsMasked() || Key == 0) return;
  if (Key == VK_ESCAPE) {
    Reset();
    return;
  }
  if (GetReadOnly() || (Key != VK_DELETE && Key != VK_BACK)) return;
  WideString text = UTF8Decode(GetEditText());
  Integer start = GetSelStart(), length = GetSelLength();
  if (length > 0) {
    BlankPlaces(text, start, start + length);
  } else if (Key == VK_DELETE) {
    BlankPlaces(text, start, start + 1);
  } else {
    // Back over literals to the previous entry place.
    Integer pos = start - 1;
    while (pos >= 0 && FMask->IsLiteral(pos)) --pos;
    if (pos < 0) {
      Key = 0;
      return;
    }
    BlankPlaces(text, pos, pos + 1);
    start = pos;
  }
  PutEditText(text, start);
  Key = 0;
}

void TCustomMaskEdit::KeyPress(Char& Key) {
  inherited::KeyPress(Key);
  if (!IsMasked() || Key == 0 || GetReadOnly()) return;
  if (Key == '\b' || Key == '\r' || Key == 27 || Key == '\t') {
    if (Key == '\b') Key = 0;  // done on key down
    return;
  }
  WideString text = UTF8Decode(GetEditText());
  Integer start = GetSelStart(), length = GetSelLength();
  if (length > 0) BlankPlaces(text, start, start + length);
  Integer pos = start;
  while (pos < FMask->Length() && FMask->IsLiteral(pos)) ++pos;
  char16_t c = char16_t(static_cast<unsigned char>(Key));
  Key = 0;
  if (pos >= FMask->Length() || !FMask->Accepts(pos, c)) {
    MessageBeep(0);
    return;
  }
  text[size_t(pos)] = c;
  Integer next = pos + 1;
  while (next < FMask->Length() && FMask->IsLiteral(next)) ++next;
  PutEditText(text, next);
}

void TCustomMaskEdit::DoEnter() {
  FOldValue = GetEditText();
  inherited::DoEnter();
}

void TCustomMaskEdit::Reset() {
  if (!IsMasked()) return;
  inherited::SetTextBuf(FOldValue);
  SetModified(false);
}

void TCustomMaskEdit::ValidateEdit() {
  if (!IsMasked()) return;
  Integer bad = FMask->FirstInvalid(UTF8Decode(GetEditText()));
  if (bad < 0) return;
  if (HandleAllocated()) {
    SetSelStart(bad);
    SetSelLength(0);
  }
  ValidateError();
}

void TCustomMaskEdit::ValidateError() {
  MessageBeep(0);
  throw EDBEditError(SMaskEditErr);
}

void TCustomMaskEdit::CMExit(TMessage& Message) {
  if (IsMasked() && GetModified()) {
    try {
      ValidateEdit();
    } catch (...) {
      // The focus stays with the edit until its text is valid or abandoned.
      SetFocus();
      throw;
    }
  }
  InheritedMessage(Message);
}

void MaskStart() { RegisterClasses({TMaskEdit::ClassInfo()}); }
