// TControl's window procedure and its mouse: clicks, capture, the wheel, entering and leaving,
// and the context popup.

#include "vcl/Controls.h"
#include "vcl/DockTree.h"
#include "vcl/Forms.h"

TPopupMenuHooks PopupMenuHooks;

namespace {
TControl* gCaptureControl = nullptr;

bool IsDoubleClick(UINT msg) {
  return msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
}
}  // namespace

TShiftState KeysToShiftState(WORD Keys) {
  TShiftState shift;
  if (Keys & MK_SHIFT) shift.Include(ssShift);
  if (Keys & MK_CONTROL) shift.Include(ssCtrl);
  if (Keys & MK_LBUTTON) shift.Include(ssLeft);
  if (Keys & MK_RBUTTON) shift.Include(ssRight);
  if (Keys & MK_MBUTTON) shift.Include(ssMiddle);
  if (GetKeyState(VK_MENU) < 0) shift.Include(ssAlt);
  return shift;
}

TShiftState KeyDataToShiftState(LPARAM KeyData) {
  TShiftState shift;
  if (GetKeyState(VK_SHIFT) < 0) shift.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) shift.Include(ssCtrl);
  if (HIWORD(static_cast<uintptr_t>(KeyData)) & KF_ALTDOWN) shift.Include(ssAlt);
  return shift;
}

TShiftState KeyboardStateToShiftState() {
  TShiftState shift;
  if (GetKeyState(VK_SHIFT) < 0) shift.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) shift.Include(ssCtrl);
  if (GetKeyState(VK_MENU) < 0) shift.Include(ssAlt);
  if (GetKeyState(VK_LBUTTON) < 0) shift.Include(ssLeft);
  if (GetKeyState(VK_RBUTTON) < 0) shift.Include(ssRight);
  if (GetKeyState(VK_MBUTTON) < 0) shift.Include(ssMiddle);
  return shift;
}

// ---- Capture ------------------------------------------------------------------------------------

TControl* GetCaptureControl() {
  HWND capture = GetCapture();
  if (!capture) {
    gCaptureControl = nullptr;
    return nullptr;
  }
  if (gCaptureControl && gCaptureControl->GetParent() && gCaptureControl->GetParent()->HandleAllocated() &&
      gCaptureControl->GetParent()->GetHandle() == capture)
    return gCaptureControl;
  return FindControl(capture);
}

void SetCaptureControl(TControl* Control) {
  ReleaseCapture();
  gCaptureControl = nullptr;
  if (!Control) return;
  if (auto* win = dynamic_cast<TWinControl*>(Control)) {
    SetCapture(win->GetHandle());
    return;
  }
  if (Control->GetParent()) {
    gCaptureControl = Control;
    SetCapture(Control->GetParent()->GetHandle());
  }
}

bool TControl::GetMouseCapture() { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool Value) {
  if (GetMouseCapture() == Value) return;
  SetCaptureControl(Value ? this : nullptr);
}

// ---- Window procedure ---------------------------------------------------------------------------

void TControl::WndProc(TMessage& Message) {
  if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST) {
    if (!FControlStyle.Contains(csDoubleClicks) && IsDoubleClick(Message.Msg))
      Message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
    switch (Message.Msg) {
      case WM_MOUSEMOVE:
        if (Application()) Application()->HintMouseMessage(this, Message);
        break;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
        if (FDragMode == dmAutomatic) {
          BeginAutoDrag();
          return;
        }
        FControlState.Include(csLButtonDown);
        break;
      case WM_LBUTTONUP:
        FControlState.Exclude(csLButtonDown);
        break;
    }
  } else if (Message.Msg >= WM_KEYFIRST && Message.Msg <= WM_KEYLAST && Dragging()) {
    // Esc ends a drag without a drop; other keys do nothing while dragging.
    if (Message.Msg == WM_KEYDOWN && Message.WParam == VK_ESCAPE) CancelDrag();
    return;
  }
  Dispatch(Message);
}

// ---- Mouse messages -----------------------------------------------------------------------------

void TControl::DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift) {
  if (FControlStyle.Contains(csNoStdEvents)) return;
  TPoint p = MessagePoint(Message.LParam);
  // A press on a dock site's grabber belongs to its dock manager.
  if (auto* site = dynamic_cast<TWinControl*>(this); site && Button == mbLeft && site->GetDockManager() &&
                                                     site->GetDockManager()->ClickAt(p))
    return;
  MouseDown(Button, KeysToShiftState(static_cast<WORD>(Message.WParam)) + Shift, p.X, p.Y);
}

void TControl::DoMouseUp(TMessage& Message, TMouseButton Button) {
  if (FControlStyle.Contains(csNoStdEvents)) return;
  TPoint p = MessagePoint(Message.LParam);
  MouseUp(Button, KeysToShiftState(static_cast<WORD>(Message.WParam)), p.X, p.Y);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  FOnMouseDown(this, Button, Shift, X, Y);
}
void TControl::MouseMove(TShiftState Shift, Integer X, Integer Y) { FOnMouseMove(this, Shift, X, Y); }
void TControl::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  FOnMouseUp(this, Button, Shift, X, Y);
}

// A handler of the control's own, other than the action's, runs instead of the action.
void TControl::Click() {
  TBasicAction* action = GetAction();
  if (FOnClick && action && FOnClick != action->GetOnExecute())
    FOnClick(this);
  else if (action)
    FActionLink->Execute(this);
  else
    FOnClick(this);
}
void TControl::DblClick() { FOnDblClick(this); }

void TControl::SendCancelMode(TControl* Sender) {
  for (TControl* control = this; control; control = control->FParent) {
    if (auto* form = dynamic_cast<TCustomForm*>(control)) {
      form->SendCancelMode(Sender);
      return;
    }
  }
}

void TControl::WMLButtonDown(TMessage& Message) {
  SendCancelMode(this);
  DefaultHandler(Message);
  if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
  if (FControlStyle.Contains(csClickEvents)) FControlState.Include(csClicked);
  DoMouseDown(Message, mbLeft, {});
}

void TControl::WMLButtonDblClk(TMessage& Message) {
  SendCancelMode(this);
  DefaultHandler(Message);
  if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
  if (FControlStyle.Contains(csClickEvents)) DblClick();
  DoMouseDown(Message, mbLeft, {ssDouble});
}

void TControl::WMLButtonUp(TMessage& Message) {
  DefaultHandler(Message);
  if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(false);
  if (FControlState.Contains(csClicked)) {
    FControlState.Exclude(csClicked);
    TPoint p = MessagePoint(Message.LParam);
    TRect client = GetClientRect();
    if (p.X >= client.Left && p.X < client.Right && p.Y >= client.Top && p.Y < client.Bottom) Click();
  }
  DoMouseUp(Message, mbLeft);
}

void TControl::WMRButtonDown(TMessage& Message) {
  SendCancelMode(this);
  DefaultHandler(Message);
  DoMouseDown(Message, mbRight, {});
}

void TControl::WMRButtonDblClk(TMessage& Message) {
  SendCancelMode(this);
  DefaultHandler(Message);
  DoMouseDown(Message, mbRight, {ssDouble});
}

void TControl::WMRButtonUp(TMessage& Message) {
  DefaultHandler(Message);
  DoMouseUp(Message, mbRight);
}

void TControl::WMMButtonDown(TMessage& Message) {
  SendCancelMode(this);
  DefaultHandler(Message);
  DoMouseDown(Message, mbMiddle, {});
}

void TControl::WMMButtonDblClk(TMessage& Message) {
  SendCancelMode(this);
  DefaultHandler(Message);
  DoMouseDown(Message, mbMiddle, {ssDouble});
}

void TControl::WMMButtonUp(TMessage& Message) {
  DefaultHandler(Message);
  DoMouseUp(Message, mbMiddle);
}

void TControl::WMMouseMove(TMessage& Message) {
  DefaultHandler(Message);
  if (FControlStyle.Contains(csNoStdEvents)) return;
  TPoint p = MessagePoint(Message.LParam);
  MouseMove(KeysToShiftState(static_cast<WORD>(Message.WParam)), p.X, p.Y);
}

void TControl::WMCancelMode(TMessage& Message) {
  DefaultHandler(Message);
  if (GetMouseCapture()) {
    SetMouseCapture(false);
    if (FControlState.Contains(csLButtonDown)) Perform(WM_LBUTTONUP, 0, PointToLParam({-1, -1}));
  } else {
    FControlState.Exclude(csLButtonDown);
  }
}

// ---- The wheel ----------------------------------------------------------------------------------

void TControl::WMMouseWheel(TMessage& Message) {
  Message.Result = Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
  if (Message.Result == 0) DefaultHandler(Message);
}

void TControl::CMMouseWheel(TMessage& Message) {
  TShiftState shift = KeysToShiftState(LOWORD(Message.WParam));
  Integer delta = static_cast<SHORT>(HIWORD(Message.WParam));
  TPoint pos = MessagePoint(Message.LParam);  // screen coordinates
  Message.Result = DoMouseWheel(shift, delta, pos) ? 1 : 0;
}

bool TControl::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) {
  bool handled = false;
  FOnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
  if (handled) return true;
  if (WheelDelta < 0) return DoMouseWheelDown(Shift, MousePos);
  if (WheelDelta > 0) return DoMouseWheelUp(Shift, MousePos);
  return false;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  FOnMouseWheelDown(this, Shift, MousePos, handled);
  return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  FOnMouseWheelUp(this, Shift, MousePos, handled);
  return handled;
}

// ---- Entering and leaving -----------------------------------------------------------------------

// LParam 0: the mouse entered this control; otherwise LParam is the child it entered, passed up
// so that containers learn of it too.
void TControl::CMMouseEnter(TMessage& Message) {
  if (FParent) FParent->Perform(CM_MOUSEENTER, 0, Message.LParam ? Message.LParam : reinterpret_cast<LPARAM>(this));
  if (Message.LParam == 0) MouseEnter();
}

void TControl::CMMouseLeave(TMessage& Message) {
  if (FParent) FParent->Perform(CM_MOUSELEAVE, 0, Message.LParam ? Message.LParam : reinterpret_cast<LPARAM>(this));
  if (Message.LParam == 0) MouseLeave();
}

// ---- Context popup ------------------------------------------------------------------------------

void TControl::DoContextPopup(TPoint MousePos, bool& Handled) { FOnContextPopup(this, MousePos, Handled); }

void TControl::WMContextMenu(TMessage& Message) {
  if (Message.Result != 0) return;
  TPoint pt = MessagePoint(Message.LParam);
  bool fromKeyboard = pt.X == -1 && pt.Y == -1;
  TPoint local = pt;
  if (!fromKeyboard) {
    local = ScreenToClient(pt);
    TRect client = GetClientRect();
    if (local.X < client.Left || local.X >= client.Right || local.Y < client.Top || local.Y >= client.Bottom) {
      DefaultHandler(Message);
      return;
    }
  }
  bool handled = false;
  DoContextPopup(local, handled);
  Message.Result = handled ? 1 : 0;
  if (handled) return;
  TPopupMenu* menu = GetPopupMenuForContext();
  if (menu && PopupMenuHooks.Popup) {
    SendCancelMode(nullptr);
    if (fromKeyboard) pt = ClientToScreen({0, 0});
    if (PopupMenuHooks.Popup(menu, this, pt.X, pt.Y)) Message.Result = 1;
  }
  if (Message.Result == 0) DefaultHandler(Message);
}
