#include "EditTestInnerEdit.h"

#include "user/Messages.h"

TAVREN_CLASS_IMPL(TInnerTestProperties)
TAVREN_CLASS_IMPL(TTestInnerEdit)
TAVREN_CLASS_IMPL(TInnerTestEdit)

// ---- Fixture inner edit --------------------------------------------------------------------

TTestInnerEdit::TTestInnerEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
  SetBorderStyle(bsNone);
  SetAutoSize(false);
}

TkvContainer* TTestInnerEdit::HostContainer() { return dynamic_cast<TkvContainer*>(GetOwner()); }

void TTestInnerEdit::SetFocusSafely() {
  const bool autoSelect = GetAutoSelect();
  SetAutoSelect(false);
  if (CanFocus()) SetFocus();
  SetAutoSelect(autoSelect);
}

void TTestInnerEdit::KeyDown(Word& Key, TShiftState Shift) {
  if (auto* edit = dynamic_cast<TInnerTestEdit*>(GetOwner())) edit->KeyDown(Key, Shift);
  if (Key != 0) TCustomEdit::KeyDown(Key, Shift);
}

void TTestInnerEdit::KeyPress(Char& Key) {
  // The Tab that moved the focus on still brings its character here.
  if (Key == '\t') Key = 0;
  if (Key == 0) return;
  if (auto* edit = dynamic_cast<TInnerTestEdit*>(GetOwner())) edit->KeyPress(Key);
  if (Key != 0) TCustomEdit::KeyPress(Key);
}

void TTestInnerEdit::KeyUp(Word& Key, TShiftState Shift) {
  if (auto* edit = dynamic_cast<TInnerTestEdit*>(GetOwner())) edit->KeyUp(Key, Shift);
  if (Key != 0) TCustomEdit::KeyUp(Key, Shift);
}

// ---- Editor --------------------------------------------------------------------------------

TInnerTestEdit::TInnerTestEdit(TComponent* AOwner, bool AInplace, TClassOf<TWinControl> AInnerClass)
    : TTestEdit(AOwner, AInplace, TInnerTestProperties::ClassInfo(), AInnerClass) {}

void TInnerTestEdit::ReadDisplayText(String& Text) {
  Variant value;
  if (HasInnerEdit()) GetInnerEdit()->ReadInnerValue(value);
  Text = VarToStr(value);
}

void TInnerTestEdit::PutDisplayValue(const Variant& Value) {
  SetDisplayValue(Value);
  StoreEditValue(Value);
}

void TInnerTestEdit::UpdateDisplayFromEditValue() {
  if (failDisplay) throw Exception("the value cannot be shown");
  if (HasInnerEdit()) GetInnerEdit()->WriteInnerValue(VarToStr(GetEditValueProp()));
}

void TInnerTestEdit::EditingValueToEditValue(Variant& Value) {
  String text;
  ReadDisplayText(text);
  Value = text;
}

void TInnerTestEdit::SelectWholeText() {
  if (HasInnerEdit() && Inner()->HandleAllocated()) Inner()->SelectAll();
}

void TInnerTestEdit::ClipboardCopy() { GetInnerEdit()->DefaultWindowProc(WM_COPY, 0, 0); }
void TInnerTestEdit::ClipboardCut() { GetInnerEdit()->DefaultWindowProc(WM_CUT, 0, 0); }
void TInnerTestEdit::ClipboardPaste() { GetInnerEdit()->DefaultWindowProc(WM_PASTE, 0, 0); }

void TInnerTestEdit::DblClick() {
  log.push_back("dblclick");
  TTestEdit::DblClick();
}
