// The inner text edit's helper: the side of the inner edit the edit framework and the text
// editor talk to.

#include "rtl/Variants.h"
#include "toolkit/editors/kvTextEdit.h"
#include "user/Messages.h"

TAVREN_CLASS_IMPL(TkvCustomInnerTextEditHelper)

// ---- Inner edit ----------------------------------------------------------------------------

TWinControl* TkvCustomInnerTextEditHelper::InnerControl() { return FEdit; }

TkvContainer* TkvCustomInnerTextEditHelper::HostContainer() { return FEdit->GetOwnerEdit(); }

LRESULT TkvCustomInnerTextEditHelper::DefaultWindowProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
  return CallWindowProc(FEdit->FDefWndProc, FEdit->GetHandle(), Msg, WParam, LParam);
}

void TkvCustomInnerTextEditHelper::ReadInnerValue(Variant& Value) { Value = FEdit->GetText(); }

TNotifyEvent TkvCustomInnerTextEditHelper::GetChangeHandler() { return FEdit->GetOnChange(); }

bool TkvCustomInnerTextEditHelper::IsInnerReadOnly() { return FEdit->GetReadOnly(); }

void TkvCustomInnerTextEditHelper::FreezeBounds(bool Freeze) {
  if (Freeze)
    ++FEdit->FBoundsHoldCount;
  else if (FEdit->FBoundsHoldCount > 0)
    --FEdit->FBoundsHoldCount;
}

void TkvCustomInnerTextEditHelper::SetFocusSafely() {
  const bool autoSelect = FEdit->TCustomEdit::GetAutoSelect();
  FEdit->TCustomEdit::SetAutoSelect(false);
  try {
    if (FEdit->CanFocus()) FEdit->SetFocus();
  } catch (...) {
    FEdit->TCustomEdit::SetAutoSelect(autoSelect);
    throw;
  }
  FEdit->TCustomEdit::SetAutoSelect(autoSelect);
}

void TkvCustomInnerTextEditHelper::WriteInnerValue(const Variant& Value) {
  const String text = VarToStr(Value);
  const bool differs = text != FEdit->GetText();
  FEdit->SetText(text);
  // The designer's edit sends no change of its own.
  if (differs && FEdit->GetComponentState().Contains(csDesigning)) FEdit->Change();
}

void TkvCustomInnerTextEditHelper::SetEditorParent(TWinControl* Editor) { FEdit->SetParent(Editor); }

void TkvCustomInnerTextEditHelper::SetChangeHandler(TNotifyEvent Handler) { FEdit->SetOnChange(Handler); }

void TkvCustomInnerTextEditHelper::SetInnerReadOnly(bool Value) { FEdit->SetReadOnly(Value); }

// ---- Text edit -----------------------------------------------------------------------------

void TkvCustomInnerTextEditHelper::ClearSelection() {
  if (FEdit->HandleAllocated()) SendMessage(FEdit->GetHandle(), WM_CLEAR, 0, 0);
}

void TkvCustomInnerTextEditHelper::CopyToClipboard() {
  if (FEdit->HandleAllocated()) SendMessage(FEdit->GetHandle(), WM_COPY, 0, 0);
}

TAlignment TkvCustomInnerTextEditHelper::GetAlignment() { return FEdit->FAlignment; }

bool TkvCustomInnerTextEditHelper::GetAutoSelect() { return FEdit->TCustomEdit::GetAutoSelect(); }

TEditCharCase TkvCustomInnerTextEditHelper::GetCharCase() { return FEdit->TCustomEdit::GetCharCase(); }

TkvEditEchoMode TkvCustomInnerTextEditHelper::GetEchoMode() { return FEdit->FEchoMode; }

bool TkvCustomInnerTextEditHelper::GetHideSelection() { return FEdit->TCustomEdit::GetHideSelection(); }

Char TkvCustomInnerTextEditHelper::GetPendingLeadByte() { return FEdit->FImeCount == 2 ? FEdit->FPendingLeadByte : '\0'; }

TImeMode TkvCustomInnerTextEditHelper::GetImeMode() { return FEdit->FImeMode; }

TImeName TkvCustomInnerTextEditHelper::GetImeName() { return FEdit->FImeName; }

bool TkvCustomInnerTextEditHelper::GetKeyHandledByOwner() { return FEdit->FKeyHandledByOwner; }

Integer TkvCustomInnerTextEditHelper::GetMaxLength() { return FEdit->TCustomEdit::GetMaxLength(); }

bool TkvCustomInnerTextEditHelper::GetOEMConvert() { return FEdit->TCustomEdit::GetOEMConvert(); }

TNotifyEvent TkvCustomInnerTextEditHelper::GetSelectionChangedHandler() { return FEdit->FOnSelectionChanged; }

Char TkvCustomInnerTextEditHelper::GetPasswordChar() { return FEdit->FStoredPasswordChar; }

Integer TkvCustomInnerTextEditHelper::GetSelLength() {
  if (FEdit->FImeCount > 0) return FImeSelLength;
  return FEdit->HandleAllocated() ? FEdit->TCustomEdit::GetSelLength() : 0;
}

Integer TkvCustomInnerTextEditHelper::GetSelStart() {
  if (FEdit->FImeCount > 0) return FImeSelStart;
  return FEdit->HandleAllocated() ? FEdit->TCustomEdit::GetSelStart() : 0;
}

String TkvCustomInnerTextEditHelper::GetSelText() {
  return FEdit->HandleAllocated() ? FEdit->TCustomEdit::GetSelText() : String();
}

void TkvCustomInnerTextEditHelper::SelectAll() {
  if (FEdit->HandleAllocated()) FEdit->TCustomEdit::SelectAll();
}

void TkvCustomInnerTextEditHelper::SetAlignment(TAlignment Value) {
  if (FAlignmentChanging || FEdit->FAlignment == Value) return;
  FEdit->FAlignment = Value;
  FEdit->UpdateShownAlignment();
}

void TkvCustomInnerTextEditHelper::SetAutoSelect(bool Value) { FEdit->TCustomEdit::SetAutoSelect(Value); }

void TkvCustomInnerTextEditHelper::SetCharCase(TEditCharCase Value) { FEdit->TCustomEdit::SetCharCase(Value); }

void TkvCustomInnerTextEditHelper::SetEchoMode(TkvEditEchoMode Value) {
  if (FEdit->FEchoMode == Value) return;
  FEdit->FEchoMode = Value;
  FEdit->UpdateNativePasswordChar();
}

void TkvCustomInnerTextEditHelper::SetHideSelection(bool Value) { FEdit->TCustomEdit::SetHideSelection(Value); }

void TkvCustomInnerTextEditHelper::SetKeyHandledByOwner(bool Value) { FEdit->FKeyHandledByOwner = Value; }

void TkvCustomInnerTextEditHelper::SetImeMode(TImeMode Value) { FEdit->FImeMode = Value; }

void TkvCustomInnerTextEditHelper::SetImeName(const TImeName& Value) { FEdit->FImeName = Value; }

void TkvCustomInnerTextEditHelper::SetMaxLength(Integer Value) { FEdit->TCustomEdit::SetMaxLength(Value); }

void TkvCustomInnerTextEditHelper::SetOEMConvert(bool Value) { FEdit->TCustomEdit::SetOEMConvert(Value); }

void TkvCustomInnerTextEditHelper::SetSelectionChangedHandler(TNotifyEvent Value) { FEdit->FOnSelectionChanged = Value; }

void TkvCustomInnerTextEditHelper::SetPasswordChar(Char Value) {
  if (FEdit->FStoredPasswordChar == Value) return;
  FEdit->FStoredPasswordChar = Value;
  if (FEdit->FEchoMode == eemPassword) FEdit->UpdateNativePasswordChar();
}

void TkvCustomInnerTextEditHelper::SetSelLength(Integer Value) {
  if (!FEdit->HandleAllocated()) return;
  if (FEdit->FImeCount > 0)
    FImeSelLength = Value;
  else
    FEdit->TCustomEdit::SetSelLength(Value);
}

void TkvCustomInnerTextEditHelper::SetSelStart(Integer Value) {
  if (!FEdit->HandleAllocated()) return;
  if (FEdit->FImeCount > 0)
    FImeSelStart = Value;
  else
    FEdit->TCustomEdit::SetSelStart(Value);
}

void TkvCustomInnerTextEditHelper::SetSelText(const String& Value) { FEdit->TCustomEdit::SetSelText(Value); }

bool TkvCustomInnerTextEditHelper::UseLeftAlignmentOnEditing() {
  TkvCustomEdit* owner = FEdit->GetOwnerEdit();
  return owner && owner->GetEffectiveProperties()->GetUseLeftAlignmentOnEditing();
}

void TkvCustomInnerTextEditHelper::SaveImeSelection() {
  const Integer count = FEdit->FImeCount;
  // Read the native selection, not the one an earlier IME character saved.
  FEdit->FImeCount = 0;
  FImeSelStart = GetSelStart();
  FImeSelLength = GetSelLength();
  FEdit->FImeCount = count;
}

void TkvCustomInnerTextEditHelper::ApplyImeSelection() {
  if (!FEdit->HandleAllocated()) return;
  FEdit->TCustomEdit::SetSelStart(FImeSelStart);
  FEdit->TCustomEdit::SetSelLength(FImeSelLength);
}
