// A form's focus: the active control, OnEnter/OnExit along the way from the control that had the
// focus to the one that gets it, activation, and the dialog keys (Tab and arrows) it handles.

#include "vcl/Forms.h"

void TCustomForm::SetActiveControl(TWinControl* Control) {
  if (FActiveControl == Control) return;
  bool loading = GetComponentState().Contains(csLoading);
  if (Control && (Control == this || ::GetParentForm(Control) != this || (!loading && !Control->CanFocus())))
    throw EInvalidOperation("Cannot focus a disabled or invisible window");
  FActiveControl = Control;
  if (!loading) {
    if (FActive) SetWindowFocus();
    ActiveChanged();
  }
}

void TCustomForm::FocusControl(TWinControl* Control) {
  bool wasActive = FActive;
  SetActiveControl(Control);
  if (!wasActive) SetFocus();
}

void TCustomForm::SetFocus() {
  if (FActive) return;
  if (!FVisible || !GetEnabled()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  SetWindowFocus();
}

void TCustomForm::SetWindowFocus() {
  HWND focus = FActiveControl ? FActiveControl->GetHandle() : GetHandle();
  if (focus) ::SetFocus(focus);
}

namespace {
// Sends a focus notification; false when a handler moved the focus meanwhile.
Integer gFocusCount = 0;
bool SendFocusMessage(HWND window, UINT msg) {
  Integer count = gFocusCount;
  SendMessage(window, msg, 0, 0);
  return gFocusCount == count;
}
}  // namespace

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
  ++gFocusCount;
  FActiveControl = Control != this ? Control : nullptr;
  if (Screen()) Screen()->SetFocusedForm(this, Control);
  if (Control->FControlState.Contains(csFocusing)) return false;
  Control->FControlState.Include(csFocusing);
  struct TFocusingGuard {
    TWinControl* Control;
    ~TFocusingGuard() { Control->FControlState.Exclude(csFocusing); }
  } guard{Control};
  if (Screen() && Screen()->FFocusedForm != this) {
    if (TCustomForm* previous = Screen()->FFocusedForm) {
      Screen()->FFocusedForm = nullptr;
      if (previous->HandleAllocated() && !SendFocusMessage(previous->FHandle, CM_DEACTIVATE)) return false;
    }
    Screen()->FFocusedForm = this;
    if (!SendFocusMessage(GetHandle(), CM_ACTIVATE)) return false;
  }
  if (!FFocusedControl) FFocusedControl = this;
  if (FFocusedControl != Control) {
    // Out of the controls that do not hold the new one, innermost first...
    while (FFocusedControl && !FFocusedControl->ContainsControl(Control)) {
      HWND handle = FFocusedControl->GetHandle();
      FFocusedControl = FFocusedControl->GetParent();
      if (!SendFocusMessage(handle, CM_EXIT)) return false;
    }
    // ...and into the ones that do, outermost first.
    while (FFocusedControl != Control) {
      TWinControl* step = Control;
      while (step->GetParent() != FFocusedControl) step = step->GetParent();
      FFocusedControl = step;
      if (!SendFocusMessage(step->GetHandle(), CM_ENTER)) return false;
    }
    for (TWinControl* parent = Control->GetParent(); parent; parent = parent->GetParent())
      if (auto* scrolling = dynamic_cast<TScrollingWinControl*>(parent)) scrolling->ScrollInView(Control);
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
  }
  return true;
}

void TCustomForm::DefocusControl(TWinControl* Control, bool Removing) {
  if (Removing && Control->ContainsControl(FFocusedControl)) FFocusedControl = Control->GetParent();
  if (Control->ContainsControl(FActiveControl)) SetActiveControl(nullptr);
}

void TCustomForm::CMFocusChanged(TMessage& Message) { InheritedMessage(Message); }

void TCustomForm::WMActivate(TMessage& Message) {
  DefaultHandler(Message);
  bool active = LOWORD(Message.WParam) != WA_INACTIVE;
  FActive = active;
  if (active) {
    if (!FActiveControl) FActiveControl = FindNextControl(nullptr, true, true, false);
    SetWindowFocus();
  }
}

void TCustomForm::CMActivate(TMessage&) {
  if (GetComponentState().Contains(csReading))
    FFormState.Include(fsActivated);
  else
    Activate();
}

void TCustomForm::CMDeactivate(TMessage&) {
  if (!GetComponentState().Contains(csReading)) Deactivate();
}

void TCustomForm::CMDialogKey(TMessage& Message) {
  if (GetKeyState(VK_MENU) >= 0) {
    switch (Message.WParam) {
      case VK_TAB:
        if (GetKeyState(VK_CONTROL) >= 0) {
          SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
          Message.Result = 1;
          return;
        }
        break;
      case VK_LEFT:
      case VK_RIGHT:
      case VK_UP:
      case VK_DOWN:
        if (FActiveControl && FActiveControl->GetParent()) {
          FActiveControl->GetParent()->SelectNext(FActiveControl, Message.WParam == VK_RIGHT || Message.WParam == VK_DOWN,
                                                  false);
          Message.Result = 1;
        }
        return;
    }
  }
  InheritedMessage(Message);
}

bool TCustomForm::IsShortCut(TMessage& Message) {
  bool handled = false;
  FOnShortCut(Message, handled);
  return handled;
}

void TCustomForm::SendCancelMode(TControl* Sender) {
  if (FActive && FActiveControl) FActiveControl->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(Sender));
}
