// The check box editor: its state over the edit value, toggled by Space, the mouse and its
// caption's accelerator.

#include "user/VirtualKeys.h"
#include "vcl/ControlsMessages.h"
#include "vcl/ActnList.h"
#include "vcl/StdCtrls.h"
#include "toolkit/editors/kvCheckBox.h"

TAVREN_CLASS_IMPL(TkvCustomCheckBox)
TAVREN_MESSAGE_TABLE(TkvCustomCheckBox, MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar),
                     MESSAGE_HANDLER(WM_LBUTTONUP, WMLButtonUp))

TkvCustomCheckBox::TkvCustomCheckBox(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass)
    : TkvCustomEdit(AOwner, AInplace, APropertiesClass) {
  SetControlStyle(GetControlStyle() - TControlStyle{csDoubleClicks});
  SetParentColor(true);
  SetWidth(121);
  KeepEditValue(CheckProperties()->GetValueUnchecked());
  CheckViewInfo()->State = cbsUnchecked;
}

TkvContainerStyleValues TkvCustomCheckBox::GetHiddenStyleValues() {
  TkvContainerStyleValues values = TkvCustomEdit::GetHiddenStyleValues();
  values.Include(3);
  return values;
}

TkvCheckBoxState TkvCustomCheckBox::GetState() {
  Variant value;
  GetEditValue(value);
  return CheckProperties()->StateOf(value);
}

void TkvCustomCheckBox::SetState(TkvCheckBoxState Value) {
  if (GetComponentState().Contains(csLoading)) {
    FLoadedState = Value;
    FStateRead = true;
    return;
  }
  ApplyState(Value);
}

void TkvCustomCheckBox::ApplyState(TkvCheckBoxState Value) {
  if (Value == GetState()) return;
  SetEditValue(CheckProperties()->ValueOf(Value));
}

bool TkvCustomCheckBox::IsStateStored() {
  // An action's Checked that gives the same state stores it already.
  auto* link = dynamic_cast<TkvCheckBoxActionLink*>(GetActionLink());
  auto* action = link ? dynamic_cast<TCustomAction*>(link->GetAction()) : nullptr;
  if (action && GetState() == (action->GetChecked() ? cbsChecked : cbsUnchecked)) return false;
  return GetState() != cbsUnchecked;
}

TClassOf<TActionLink> TkvCustomCheckBox::GetActionLinkClass() { return TkvCheckBoxActionLink::ClassInfo(); }

void TkvCustomCheckBox::ActionChange(TObject* Sender, bool CheckDefaults) {
  TkvCustomEdit::ActionChange(Sender, CheckDefaults);
  auto* action = dynamic_cast<TCustomAction*>(Sender);
  // A grayed box is not linked to the action.
  if (!action || FStateRead || GetState() == cbsGrayed || (CheckDefaults && GetChecked())) return;
  LockChangeEvents(true);
  try {
    SetChecked(action->GetChecked());
  } catch (...) {
    LockChangeEvents(false);
    throw;
  }
  LockChangeEvents(false);
}

TAVREN_CLASS_IMPL(TkvCheckBoxActionLink)

TkvCheckBoxActionLink::TkvCheckBoxActionLink(TObject* AClient)
    : TWinControlActionLink(AClient), FBox(dynamic_cast<TkvCustomCheckBox*>(AClient)) {}

bool TkvCheckBoxActionLink::IsCheckedLinked() {
  auto* action = dynamic_cast<TCustomAction*>(GetAction());
  return TWinControlActionLink::IsCheckedLinked() && FBox && action && FBox->GetState() != cbsGrayed &&
         FBox->GetChecked() == action->GetChecked();
}

void TkvCheckBoxActionLink::SetChecked(bool Value) {
  if (!IsCheckedLinked() || !FBox) return;
  FBox->LockChangeEvents(true);
  try {
    FBox->SetChecked(Value);
  } catch (...) {
    FBox->LockChangeEvents(false);
    throw;
  }
  FBox->LockChangeEvents(false);
}

void TkvCustomCheckBox::UpdateDisplayFromEditValue() {
  const TkvCheckBoxState state = GetState();
  const bool changed = state != FShownState;
  FShownState = state;
  CheckViewInfo()->State = state;
  if (changed) Click();
  RefreshView();
}

void TkvCustomCheckBox::ApplyPropertiesChange(TObject* Properties) {
  TkvCustomCheckBoxProperties* p = CheckProperties();
  if (p->IsCaptionAssigned()) {
    p->ClearCaptionAssigned();
    SetCaption(p->GetCaption());
  }
  TkvCustomEdit::ApplyPropertiesChange(Properties);
  const TkvCheckBoxState state = GetState();
  if (state == FShownState) return;
  FShownState = state;
  CheckViewInfo()->State = state;
  if (HandleAllocated()) InvalidateRect(GetHandle(), &CheckViewInfo()->CheckRect, false);
  if (!ChangeEventsLocked()) {
    Click();
    RaiseChange();
  }
}

void TkvCustomCheckBox::Toggle() {
  TkvCheckBoxState next = cbsChecked;
  switch (GetState()) {
    case cbsUnchecked:
      next = CheckProperties()->GetAllowGrayed() ? cbsGrayed : cbsChecked;
      break;
    case cbsChecked:
      next = cbsUnchecked;
      break;
    case cbsGrayed:
      next = cbsChecked;
      break;
  }
  TWeakRef<TkvCustomCheckBox> self(this);
  LockChangeEvents(true);
  SetKeyboardAction(true);
  try {
    // A user's change: clicks are not locked here.
    if (RequestEdit()) {
      StoreEditValue(CheckProperties()->ValueOf(next));
    }
  } catch (...) {
    if (self) {
      SetKeyboardAction(false);
      LockChangeEvents(false);
    }
    throw;
  }
  if (!self) return;
  SetKeyboardAction(false);
  LockChangeEvents(false);
  if (self && GetEffectiveProperties()->GetImmediatePost() && CanPostValue() && RunValidation(false))
    CommitEditValue(false);
}

void TkvCustomCheckBox::InitViewData(TkvCustomEditViewData* ViewData) {
  TkvCustomEdit::InitViewData(ViewData);
  auto* data = static_cast<TkvCustomCheckBoxViewData*>(ViewData);
  data->SpaceHeld = FSpaceHeld;
  data->WasPressed = CheckViewInfo()->CheckButtonState == kvcbsPressed;
}

bool TkvCustomCheckBox::CalculateViewInfoAt(const TPoint& P, Integer Button, TShiftState Shift, bool IsMouseEvent) {
  const Integer before = CheckViewInfo()->CheckButtonState;
  const bool result = TkvCustomEdit::CalculateViewInfoAt(P, Button, Shift, IsMouseEvent);
  // Released over the box it was pressed on.
  if (before == kvcbsPressed && CheckViewInfo()->CheckButtonState == kvcbsHot && !FSpaceHeld) Toggle();
  return result;
}

void TkvCustomCheckBox::HandleKeyDown(Word& Key, TShiftState Shift) {
  const Integer state = CheckViewInfo()->CheckButtonState;
  if (Key == VK_SPACE && (state == kvcbsNormal || state == kvcbsHot)) {
    FSpaceHeld = true;
    RecalcAtCursor();
    Key = 0;
    return;
  }
  TkvCustomEdit::HandleKeyDown(Key, Shift);
}

void TkvCustomCheckBox::HandleKeyUp(Word& Key, TShiftState Shift) {
  if (Key == VK_SPACE && FSpaceHeld) {
    FSpaceHeld = false;
    CheckViewInfo()->CheckButtonState = kvcbsNormal;
    RecalcAtCursor();
    Toggle();
    return;
  }
  TkvCustomEdit::HandleKeyUp(Key, Shift);
}

void TkvCustomCheckBox::HandleKeyPress(Char& Character) {
  if (Character == ' ' && IsInplace() && CheckViewInfo()->CheckButtonState == kvcbsNormal) {
    Toggle();
    Character = 0;
    return;
  }
  if (Character == ' ') {
    Character = 0;
    return;
  }
  TkvCustomEdit::HandleKeyPress(Character);
}

void TkvCustomCheckBox::DoExit() {
  FSpaceHeld = false;
  TkvCustomEdit::DoExit();
}

void TkvCustomCheckBox::CMDialogChar(TMessage& Message) {
  if (!IsAccel(static_cast<Word>(Message.WParam), GetCaption())) return TkvCustomEdit::CMDialogChar(Message);
  if (CanFocus()) {
    SetFocus();
    if (Focused()) Toggle();
  }
  Message.Result = 1;
}

void TkvCustomCheckBox::WMLButtonUp(TMessage& Message) {
  // The click comes from the state change alone.
  SetControlState(GetControlState() - TControlState{csClicked});
  InheritedMessage(Message);
}

void TkvCustomCheckBox::Loaded() {
  LockChangeEvents(true);
  FInsideLoaded = true;
  try {
    TkvCustomEdit::Loaded();
    if (FStateRead)
      ApplyState(FLoadedState);
    else if (!IsDataStorageBound())
      ApplyState(cbsUnchecked);
  } catch (...) {
    FInsideLoaded = false;
    LockChangeEvents(false);
    throw;
  }
  FInsideLoaded = false;
  FStateRead = false;
  LockChangeEvents(false);
}

TAVREN_CLASS_IMPL_PUBLISHED(TkvCheckBox, PROPERTY(AutoSize).Default(true), PROPERTY(Caption),
                            PROPERTY(Checked).Stored(false),
                            PROPERTY_AS(Properties, GetCheckBoxProperties, SetCheckBoxProperties),
                            PROPERTY(State).Stored<&TkvCustomCheckBox::IsStateStored>(),
                            PROPERTY_AS(Style, GetEditStyle, SetEditStyle),
                            PROPERTY_AS(StyleDisabled, GetEditStyleDisabled, SetEditStyleDisabled),
                            PROPERTY_AS(StyleFocused, GetEditStyleFocused, SetEditStyleFocused),
                            PROPERTY_AS(StyleHot, GetEditStyleHot, SetEditStyleHot),
                            PROPERTY(Transparent).Default(false), PROPERTY(OnEditing))
