// TButton, TCustomCheckBox, TRadioButton and TCustomGroupBox.

#include "controls/Button.h"
#include "gdi/Edges.h"
#include "gdi/Text.h"
#include "vcl/StdCtrls.h"

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) {}

TClassOf<TActionLink> TButtonControl::GetActionLinkClass() { return TButtonActionLink::ClassInfo(); }

TAVREN_CLASS_IMPL(TButtonActionLink)

bool TButtonActionLink::IsCheckedLinked() {
  auto* action = dynamic_cast<TCustomAction*>(GetAction());
  auto* button = static_cast<TButtonControl*>(FClient);
  return TWinControlActionLink::IsCheckedLinked() && action && button->GetChecked() == action->GetChecked();
}

void TButtonActionLink::SetChecked(bool Value) {
  if (!IsCheckedLinked()) return;
  auto* button = static_cast<TButtonControl*>(FClient);
  // Taking the action's state is no click of the user's.
  bool disabled = button->FClicksDisabled;
  button->FClicksDisabled = true;
  button->SetChecked(Value);
  button->FClicksDisabled = disabled;
}

// ---- Push button --------------------------------------------------------------------------------

TAVREN_MESSAGE_TABLE(TButton,
    MESSAGE_HANDLER(CN_COMMAND, CNCommand),
    MESSAGE_HANDLER(CM_DIALOGKEY, CMDialogKey),
    MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar),
    MESSAGE_HANDLER(CM_FOCUSCHANGED, CMFocusChanged))

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
}

void TButton::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, "BUTTON");
  Params.Style |= FActive ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::Click() {
  if (TCustomForm* form = GetParentForm()) form->SetModalResult(FModalResult);
  inherited::Click();
}

void TButton::SetDefault(bool Value) {
  FDefault = Value;
  if (!HandleAllocated()) {
    FActive = Value;
    return;
  }
  if (TCustomForm* form = GetParentForm())
    form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->GetActiveControl()));
}

void TButton::SetButtonStyle(bool ADefault) {
  if (!HandleAllocated()) return;
  DWORD style = static_cast<DWORD>(GetWindowLong(FHandle, GWL_STYLE)) & 0xFFFF & ~BS_TYPEMASK;
  SendMessage(FHandle, BM_SETSTYLE, style | (ADefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 1);
}

void TButton::CNCommand(TMessage& Message) {
  if (HIWORD(Message.WParam) == BN_CLICKED) Click();
}

void TButton::CMDialogKey(TMessage& Message) {
  bool isKey = (Message.WParam == VK_RETURN && FActive) || (Message.WParam == VK_ESCAPE && FCancel);
  if (isKey && KeyDataToShiftState(Message.LParam).Empty() && CanFocus()) {
    Click();
    Message.Result = 1;
    return;
  }
  InheritedMessage(Message);
}

void TButton::CMDialogChar(TMessage& Message) {
  if (IsAccel(static_cast<Word>(Message.WParam), GetText()) && CanFocus()) {
    Click();
    Message.Result = 1;
    return;
  }
  InheritedMessage(Message);
}

void TButton::CMFocusChanged(TMessage& Message) {
  auto* focused = reinterpret_cast<TWinControl*>(Message.LParam);
  // A focused button is the one Enter presses; any other control leaves it to the default one.
  bool active = dynamic_cast<TButton*>(focused) ? focused == this : FDefault;
  if (active != FActive) {
    FActive = active;
    SetButtonStyle(active);
  }
  InheritedMessage(Message);
}

// ---- Check box ----------------------------------------------------------------------------------

TAVREN_MESSAGE_TABLE(TCustomCheckBox, MESSAGE_HANDLER(CN_COMMAND, CNCommand))

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  SetBounds(0, 0, 97, 17);
  SetTabStop(true);
}

void TCustomCheckBox::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, "BUTTON");
  // The control keeps the state itself, so the window is a plain three-state box.
  Params.Style |= BS_3STATE;
  if (FAlignment == taLeftJustify) Params.Style |= BS_LEFTTEXT;
}

void TCustomCheckBox::CreateWnd() {
  inherited::CreateWnd();
  SendMessage(FHandle, BM_SETCHECK, static_cast<WPARAM>(FState), 0);
}

void TCustomCheckBox::SetState(TCheckBoxState Value) {
  if (FState == Value) return;
  FState = Value;
  if (HandleAllocated()) SendMessage(FHandle, BM_SETCHECK, static_cast<WPARAM>(Value), 0);
  if (!FClicksDisabled && !GetComponentState().Contains(csLoading)) Click();
}

void TCustomCheckBox::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  RecreateWnd();
}

void TCustomCheckBox::Toggle() {
  switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
  }
}

void TCustomCheckBox::CNCommand(TMessage& Message) {
  if (HIWORD(Message.WParam) == BN_CLICKED) Toggle();
}

// ---- Radio button -------------------------------------------------------------------------------

TAVREN_MESSAGE_TABLE(TRadioButton, MESSAGE_HANDLER(CN_COMMAND, CNCommand))

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  SetBounds(0, 0, 113, 17);
}

void TRadioButton::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, "BUTTON");
  Params.Style |= BS_RADIOBUTTON;
  if (FAlignment == taLeftJustify) Params.Style |= BS_LEFTTEXT;
  if (FWordWrap) Params.Style |= BS_MULTILINE;
}

void TRadioButton::CreateWnd() {
  inherited::CreateWnd();
  SendMessage(FHandle, BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  SetTabStop(Value);
  if (HandleAllocated()) SendMessage(FHandle, BM_SETCHECK, Value ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!Value) return;
  if (TWinControl* parent = GetParent()) {
    for (Integer i = 0; i < parent->GetControlCount(); ++i)
      if (auto* sibling = dynamic_cast<TRadioButton*>(parent->GetControls(i)); sibling && sibling != this)
        sibling->SetChecked(false);
  }
  if (!FClicksDisabled && !GetComponentState().Contains(csLoading)) Click();
}

void TRadioButton::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  RecreateWnd();
}

void TRadioButton::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  RecreateWnd();
}

void TRadioButton::CNCommand(TMessage& Message) {
  switch (HIWORD(Message.WParam)) {
    case BN_CLICKED: SetChecked(true); break;
    case BN_DOUBLECLICKED: DblClick(); break;
  }
}

// ---- Group box ----------------------------------------------------------------------------------

TAVREN_MESSAGE_TABLE(TCustomGroupBox, MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged))

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks,
                                csReplicatable, csParentBackground};
  SetBounds(0, 0, 185, 105);
}

void TCustomGroupBox::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TCustomGroupBox::AdjustClientRect(TRect& Rect) {
  inherited::AdjustClientRect(Rect);
  Rect.Top += TextSizeInFont(GetFont(), "0", DT_SINGLELINE, 0).cy;
  Rect = TRect{Rect.Left + 2, Rect.Top + 2, Rect.Right - 2, Rect.Bottom - 2};
}

void TCustomGroupBox::Paint() {
  TCanvas* canvas = GetCanvas();
  canvas->SetFont(GetFont());
  canvas->GetBrush()->SetColor(GetColor());
  canvas->GetBrush()->SetStyle(bsSolid);
  canvas->RequiredState(TCanvasState{csHandleValid, csFontValid, csBrushValid});
  HDC dc = canvas->GetHandle();
  Integer textHeight = canvas->TextHeight("0");
  RECT frame = GetClientRect();
  frame.Top += textHeight / 2;
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  String text = GetText();
  if (text.empty()) return;
  RECT textRect{0, 0, 0, 0};
  DrawText(dc, text.c_str(), -1, &textRect, DT_SINGLELINE | DT_CALCRECT);
  textRect = TRect{8, 0, 8 + textRect.Right + 2, textHeight};
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, ColorToRGB(GetColor()));
  SetTextColor(dc, ColorToRGB(GetEnabled() ? GetFont()->GetColor() : clGrayText));
  DrawText(dc, text.c_str(), -1, &textRect, DT_SINGLELINE | DT_CENTER);
}

void TCustomGroupBox::CMTextChanged(TMessage&) {
  Invalidate();
  Realign();
}
