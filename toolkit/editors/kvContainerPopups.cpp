// The custom popup window, the list of shown popups and the thread hooks that close them.

#include <algorithm>

#include "rtl/Exceptions.h"
#include "toolkit/editors/kvContainer.h"
#include "user/Hooks.h"
#include "vcl/ControlsMessages.h"

namespace {

std::vector<TkvCustomPopupWindow*>* GVisiblePopups = nullptr;
HHOOK GCallWndProcHook = nullptr;
HHOOK GGetMessageHook = nullptr;
HHOOK GMouseHook = nullptr;
// Raised while a popup moves the focus itself: activation messages of that phase are swallowed.
Integer CountPopupFocusChange = 0;
// Set while a popup is shown or closed by a click: the owner's form keeps its active caption.
bool GClickClose = false;
WNDPROC GBlockedProcedure = nullptr;

struct TFocusChangeScope {
  TFocusChangeScope() { ++CountPopupFocusChange; }
  ~TFocusChangeScope() { --CountPopupFocusChange; }
};

bool IsDestroying(TComponent* Component) {
  return Component && Component->GetComponentState().Contains(csDestroying);
}

HWND WindowOf(TWinControl* Control) {
  return Control && Control->HandleAllocated() ? Control->GetHandle() : nullptr;
}

TCustomForm* OwnerFormOf(TkvCustomPopupWindow* Popup) {
  TControl* owner = Popup->GetOwnerControl();
  return owner ? GetParentForm(owner) : nullptr;
}

LRESULT BlockerStub(HWND Window, UINT, WPARAM, LPARAM) {
  SetWindowLongPtr(Window, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(GBlockedProcedure));
  return 1;
}

std::vector<TkvCustomPopupWindow*>& Popups() { return *GVisiblePopups; }
bool AnyPopupShown() { return GVisiblePopups && !GVisiblePopups->empty(); }

// ---- WH_CALLWNDPROC ------------------------------------------------------------------------

void PopupWindowDestroyed(HWND Window) {
  for (TkvCustomPopupWindow* p : Popups()) {
    if (IsDestroying(p) || WindowOf(p) != Window) continue;
    p->Close();
    if (!IsVisiblePopup(p) && !IsDestroying(p) && p->GetTerminateOnDestroy()) Application()->Terminate();
    return;
  }
}

void WindowClosing(HWND Window) {
  for (TkvCustomPopupWindow* p : std::vector<TkvCustomPopupWindow*>(Popups())) {
    if (!IsVisiblePopup(p) || IsDestroying(p)) continue;
    TControl* owner = p->GetOwnerControl();
    if (WindowOf(p) == Window) {
      if (p->CloseQuery()) p->Dismiss();
      if (!IsVisiblePopup(p) && p->GetCaptureFocus() && owner && !IsDestroying(owner)) {
        if (auto* ownerWindow = dynamic_cast<TWinControl*>(owner); WindowOf(ownerWindow))
          SendMessage(TopLevelAncestorWindow(ownerWindow->GetHandle()), WM_CLOSE, 0, 0);
      }
      return;
    }
    if (!p->GetCaptureFocus() && owner && !IsDestroying(owner)) {
      TCustomForm* form = OwnerFormOf(p);
      if (!form || !form->HandleAllocated() || Window == form->GetHandle()) p->Dismiss();
      return;
    }
  }
}

void WindowHidden(HWND Window) {
  std::vector<TkvCustomPopupWindow*>& popups = Popups();
  for (Integer i = static_cast<Integer>(popups.size()) - 1; i >= 0; --i) {
    TkvCustomPopupWindow* p = popups[i];
    auto* owner = dynamic_cast<TWinControl*>(p->GetOwnerControl());
    if (IsDestroying(p) || !owner || IsDestroying(owner) || WindowOf(owner) != Window) continue;
    // Every popup shown after this one goes too, the last first.
    while (static_cast<Integer>(Popups().size()) > i) Popups().back()->Dismiss();
    return;
  }
}

void ApplicationDeactivated() {
  size_t i = 0;
  while (AnyPopupShown() && i < Popups().size()) {
    TkvCustomPopupWindow* p = Popups()[i];
    if (TCustomForm* form = OwnerFormOf(p); form && form->HandleAllocated())
      PostMessage(form->GetHandle(), WM_NCACTIVATE, 0, 0);
    bool keep = (p->GetCaptureFocus() && p->GetActive()) || (p->HandleAllocated() && !IsWindowEnabled(p->GetHandle()));
    if (keep) {
      ++i;
      continue;
    }
    TWeakRef<TControl> owner(p->GetOwnerControl());
    p->Dismiss();
    if (auto* container = dynamic_cast<TkvContainer*>(owner.Get())) container->FireFocusChanged();
    i = 0;
  }
}

void WindowPositionChanged(HWND Window) {
  size_t i = 0;
  while (AnyPopupShown() && i < Popups().size()) {
    TkvCustomPopupWindow* p = Popups()[i];
    auto* owner = dynamic_cast<TWinControl*>(p->GetOwnerControl());
    if (p->HandleAllocated() && !IsDestroying(p) && WindowOf(owner) && !IsDestroying(owner) &&
        owner->GetHandle() == Window && !IsWindowShown(owner)) {
      p->Dismiss();
      i = 0;
    } else {
      ++i;
    }
  }
}

bool IsOwnerFormOfShownPopup(HWND Window) {
  for (TkvCustomPopupWindow* p : Popups()) {
    if (IsDestroying(p)) continue;
    if (TCustomForm* form = OwnerFormOf(p); form && WindowOf(form) == Window) return true;
  }
  return false;
}

LRESULT CallWndProcHook(int Code, WPARAM WParam, LPARAM LParam) {
  if (Code == HC_ACTION) {
    const CWPSTRUCT call = *reinterpret_cast<CWPSTRUCT*>(LParam);
    if ((call.message == CM_ACTIVATE || call.message == CM_DEACTIVATE) && PopupFocusChanging()) {
      BlockNextMessage(call.hwnd);
    } else if (AnyPopupShown()) {
      switch (call.message) {
        case WM_DESTROY: PopupWindowDestroyed(call.hwnd); break;
        case WM_CLOSE: WindowClosing(call.hwnd); break;
        case WM_SHOWWINDOW:
          if (call.wParam == 0) WindowHidden(call.hwnd);
          break;
        case WM_ACTIVATEAPP:
          if (call.wParam == 0) ApplicationDeactivated();
          break;
        case WM_WINDOWPOSCHANGED: WindowPositionChanged(call.hwnd); break;
        case WM_NCACTIVATE:
          if (call.wParam == 0 && (GClickClose || IsOwnerFormOfShownPopup(call.hwnd))) BlockNextMessage(call.hwnd);
          break;
        default: break;
      }
    }
  }
  return CallNextHookEx(GCallWndProcHook, Code, WParam, LParam);
}

// ---- WH_GETMESSAGE and WH_MOUSE ------------------------------------------------------------

LRESULT GetMessageHook(int Code, WPARAM WParam, LPARAM LParam) {
  if (Code == HC_ACTION && WParam == PM_REMOVE && AnyPopupShown()) {
    auto* msg = reinterpret_cast<MSG*>(LParam);
    if (msg->message == WM_SYSKEYDOWN) {
      TkvCustomPopupWindow* last = Popups().back();
      if (!(last->GetCaptureFocus() && last->GetOwnLoop()) && !last->AcceptsSystemKey(static_cast<Word>(msg->wParam)))
        msg->message = WM_NULL;
    }
  }
  return CallNextHookEx(GGetMessageHook, Code, WParam, LParam);
}

bool IsButtonDownMessage(WPARAM Message) {
  switch (Message) {
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: return true;
    default: return false;
  }
}

LRESULT MouseHook(int Code, WPARAM WParam, LPARAM LParam) {
  if (Code == HC_ACTION && AnyPopupShown() && IsButtonDownMessage(WParam)) {
    auto* mouse = reinterpret_cast<MOUSEHOOKSTRUCT*>(LParam);
    if (!PopupClickDecision(mouse->hwnd, static_cast<UINT>(WParam), mouse->pt)) return 1;
  }
  return CallNextHookEx(GMouseHook, Code, WParam, LParam);
}

}  // namespace

// ---- The shown list, the blocker and the click decision ------------------------------------

bool PopupFocusChanging() { return CountPopupFocusChange != 0; }

bool IsVisiblePopup(TCustomForm* Form) {
  return GVisiblePopups && std::find(Popups().begin(), Popups().end(), Form) != Popups().end();
}

void AddVisiblePopup(TkvCustomPopupWindow* Popup) {
  if (!Popup || !GVisiblePopups || IsVisiblePopup(Popup)) throw EAssertionFailed("The popup is shown already");
  Popups().push_back(Popup);
}

void RemoveVisiblePopup(TkvCustomPopupWindow* Popup) {
  if (!Popup || !IsVisiblePopup(Popup)) throw EAssertionFailed("The popup is not shown");
  Popups().erase(std::find(Popups().begin(), Popups().end(), Popup));
}

Integer VisiblePopupCount() { return GVisiblePopups ? static_cast<Integer>(Popups().size()) : 0; }

TkvCustomPopupWindow* VisiblePopup(Integer Index) { return Popups()[Index]; }

void BlockNextMessage(HWND Window) {
  GBlockedProcedure = reinterpret_cast<WNDPROC>(GetWindowLongPtr(Window, GWL_WNDPROC));
  SetWindowLongPtr(Window, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&BlockerStub));
}

bool IsWindowInOwnerForm(TControl* Control, HWND Window) {
  TCustomForm* form = Control ? GetParentForm(Control) : nullptr;
  if (!form) return false;
  if (OwnsWindow(form, Window, true)) return true;
  if (form->GetParent() || !form->HandleAllocated() || !HasChildStyle(form->GetHandle())) return false;
  HWND top = form->GetHandle();
  while (HasChildStyle(top) && GetParent(top)) top = GetParent(top);
  return Window == top || IsChild(top, Window);
}

bool IsInMdiFamily(TkvCustomPopupWindow*, HWND) {
  // This platform has no MDI: no form is an MDI child or an MDI frame.
  return false;
}

bool PopupClickDecision(HWND Window, UINT Message, const TPoint& MousePoint) {
  bool result = true;
  bool onOwner = false;
  size_t i = 0;
  while (AnyPopupShown() && i < Popups().size()) {
    TkvCustomPopupWindow* p = Popups()[i];
    bool pass = true;
    if ((p->GetCaptureFocus() && !p->GetActive()) || OwnsWindow(p, Window, true)) {
      ++i;
      continue;
    }
    TControl* owner = p->GetOwnerControl();
    auto* ownerForm = owner ? dynamic_cast<TkvCustomPopupWindow*>(GetParentForm(owner)) : nullptr;
    if (IsWindowInOwnerForm(owner, Window) || (ownerForm && !IsVisiblePopup(ownerForm))) {
      auto* ownerWindow = dynamic_cast<TWinControl*>(owner);
      TShiftState shift = CurrentShiftState();
      if (ownerWindow && OwnsWindow(ownerWindow, Window, true) &&
          (Message == WM_LBUTTONDOWN || Message == WM_LBUTTONDBLCLK) &&
          RectHoldsPoint(p->OwnerScreenBounds(), MousePoint)) {
        onOwner = true;
        pass = false;
        if (p->HandlesOwnerClick(Window, Message, MousePoint, shift)) p->MarkOwnerClick();
      }
      GClickClose = true;
      p->Lock(true);
      try {
        TWeakRef<TControl> ownerRef(owner);
        if (result && pass) result = !p->HandlesOwnerClick(Window, Message, MousePoint, shift);
        p->Dismiss();
        if (onOwner && (!ownerRef || IsDestroying(ownerRef.Get()) || !ownerRef->GetVisible())) result = false;
      } catch (...) {
        p->Lock(false);
        GClickClose = false;
        throw;
      }
      p->Lock(false);
      GClickClose = false;
      i = 0;
    } else if (IsInMdiFamily(p, Window)) {
      result = result && !p->HandlesOwnerClick(Window, Message, MousePoint, CurrentShiftState());
      p->Dismiss();
      i = 0;
    } else {
      ++i;
    }
  }
  return result;
}

HWND PopupOwnerWindowOf(HWND Window) {
  for (HWND w = Window; w; w = GetParent(w)) {
    if (auto* popup = dynamic_cast<TkvCustomPopupWindow*>(FindControl(w))) {
      auto* owner = dynamic_cast<TWinControl*>(popup->GetOwnerControl());
      return WindowOf(owner) ? owner->GetHandle() : Window;
    }
  }
  return Window;
}

void InstallPopupHooks() {
  if (GCallWndProcHook || GGetMessageHook || GMouseHook) throw EAssertionFailed("The popup hooks are installed");
  GVisiblePopups = new std::vector<TkvCustomPopupWindow*>();
  DWORD thread = GetCurrentThreadId();
  GCallWndProcHook = SetWindowsHookEx(WH_CALLWNDPROC, CallWndProcHook, nullptr, thread);
  GGetMessageHook = SetWindowsHookEx(WH_GETMESSAGE, GetMessageHook, nullptr, thread);
  GMouseHook = SetWindowsHookEx(WH_MOUSE, MouseHook, nullptr, thread);
}

void RemovePopupHooks() {
  UnhookWindowsHookEx(GMouseHook);
  UnhookWindowsHookEx(GGetMessageHook);
  UnhookWindowsHookEx(GCallWndProcHook);
  GMouseHook = GGetMessageHook = GCallWndProcHook = nullptr;
  delete GVisiblePopups;
  GVisiblePopups = nullptr;
}

// ---- TkvCustomPopupWindow ------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvCustomPopupWindow)

TAVREN_MESSAGE_TABLE(TkvCustomPopupWindow, MESSAGE_HANDLER(WM_ACTIVATEAPP, WMActivateApp),
                     MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd), MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter),
                     MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave), MESSAGE_HANDLER(KVM_POPUPCLOSE, KVMPopupClose),
                     MESSAGE_HANDLER(KVM_POPUPPRESENT, KVMPopupPresent))

TkvCustomPopupWindow::TkvCustomPopupWindow(TControl* OwnerControl, const TClasses& Classes)
    : TkvPopupWindow(nullptr), FClasses(Classes), FOwnerControl(OwnerControl) {
  SetFormStyle(fsNormal);
  SetVisible(false);
  TkvContainerStyleArgs args(this, kvcsNormal, nullptr, false);
  FStyle.reset(StyleClass().Create(&args));
  FStyle->SetOnChanged(MakeEvent<&TkvCustomPopupWindow::StyleChanged>(this));
  FViewInfo.reset(ViewInfoClass().Create());
  SetKeyPreview(true);
  // The popup's owner may go first: it is forgotten then.
  if (FOwnerControl) FOwnerControl->FreeNotification(this);
}

void TkvCustomPopupWindow::BeforeDestruction() {
  InvalidateObjectLinks(this);
  if (IsVisiblePopup(this)) RemoveVisiblePopup(this);
  TkvPopupWindow::BeforeDestruction();
}

TkvCustomPopupWindow::~TkvCustomPopupWindow() {
  if (FOwnerControl) FOwnerControl->RemoveFreeNotification(this);
  FViewInfo.reset();
  FStyle->SetOnChanged({});
  FStyle.reset();
}

void TkvCustomPopupWindow::Notification(TComponent* AComponent, TOperation Operation) {
  TkvPopupWindow::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FOwnerControl) {
    FOwnerControl = nullptr;
    Dismiss();
  }
  if (AComponent == FFocusControl) FFocusControl = nullptr;
}

HWND TkvCustomPopupWindow::OwnerWindow() const {
  if (!FOwnerControl) return nullptr;
  if (auto* owner = dynamic_cast<TWinControl*>(FOwnerControl)) return WindowOf(owner);
  return WindowOf(FOwnerControl->GetParent());
}

bool TkvCustomPopupWindow::OwnerShown() {
  HWND window = OwnerWindow();
  return window && IsWindowVisible(window);
}

bool TkvCustomPopupWindow::HasMouseCapture() { return HandleAllocated() && GetCapture() == GetHandle(); }

bool TkvCustomPopupWindow::TakeOwnerClick() { return std::exchange(FOwnerClick, false); }

bool TkvCustomPopupWindow::AcceptsSystemKey(Word Key) { return (Key >= VK_PRIOR && Key <= VK_DOWN) || Key == VK_F4; }

void TkvCustomPopupWindow::FitToWorkArea(TPoint& Point) {
  if (!ClipsToWorkArea()) return;
  TRect area = NearestMonitorWorkArea(Point);
  Integer width = GetWidth();
  Integer height = GetHeight();
  if (Point.X < area.Left) {
    width -= area.Left - Point.X;
    Point.X = area.Left;
  }
  if (Point.Y < area.Top) {
    height -= area.Top - Point.Y;
    Point.Y = area.Top;
  }
  Integer limitedHeight = std::min(height, area.Bottom - Point.Y);
  width = std::min(width, area.Right - Point.X);
  SetWidth(width);
  SetHeight(limitedHeight);
  if (GetHeight() != limitedHeight && Point.Y == area.Top) Point.Y += limitedHeight - GetHeight();
}

TRect TkvCustomPopupWindow::OwnerScreenBounds() {
  TRect bounds = GetOwnerBounds();
  TControl* parent = GetOwnerParent();
  auto* ownerWindow = dynamic_cast<TWinControl*>(FOwnerControl);
  if (parent && WindowOf(ownerWindow) && HasChildStyle(ownerWindow->GetHandle())) {
    TPoint topLeft = parent->ClientToScreen(bounds.TopLeft());
    TPoint bottomRight = parent->ClientToScreen(bounds.BottomRight());
    bounds = TRect(topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y);
  }
  return bounds;
}

void TkvCustomPopupWindow::Present(TWinControl* FocusControl) {
  if (IsVisiblePopup(this) || !OwnerShown()) return;
  TWeakRef<TkvCustomPopupWindow> self(this);
  TakeOwnerFont();
  AdjustToChildren();
  TPoint p;
  ComputePosition(p);
  FitToWorkArea(p);
  GClickClose = true;
  try {
    AddVisiblePopup(this);
    FireShowing();
    SetBounds(p.X, p.Y, GetWidth(), GetHeight());
    Show();
    TWinControl* focus = FocusControl;
    if (FCaptureFocus) {
      if (!focus || !focus->CanFocus() || !focus->GetTabStop()) focus = FindNextControl(nullptr, true, true, false);
      if (!focus) focus = this;
    }
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = focus;
    if (FFocusControl) FFocusControl->FreeNotification(this);
    if (focus) focus->SetFocus();
    else SetFocus();
    TCustomForm* form = OwnerFormOf(this);
    bool topmost = !FCaptureFocus || !form || (form->HandleAllocated() &&
                                                (GetWindowLong(form->GetHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST));
    if (self && HandleAllocated())
      SetWindowPos(GetHandle(), topmost ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
                   SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
  } catch (...) {
    GClickClose = false;
    throw;
  }
  GClickClose = false;
  if (!self) return;
  SetModalResult(mrNone);
  FireShown();
  if (!self || !FCaptureFocus || !FOwnLoop) return;
  // The loop holds a link, not the popup: a handler inside may free the popup or its owner.
  TkvObjectLink* link = LinkToObject(this);
  try {
    while (link->Ref && FOwnerControl && GetVisible() && !Application()->GetTerminated()) {
      MSG msg;
      if (PeekMessage(&msg, nullptr, WM_SYSKEYDOWN, WM_SYSKEYDOWN, PM_NOREMOVE) &&
          (msg.wParam == VK_RETURN || msg.wParam == VK_MENU || msg.wParam == VK_SPACE))
        PeekMessage(&msg, nullptr, WM_SYSKEYDOWN, WM_SYSKEYDOWN, PM_REMOVE);
      if (GetModalResult() != mrNone) {
        if (CloseQuery())
          CloseForModalResult();
        else
          SetModalResult(mrNone);
        if (!link->Ref || !GetVisible()) break;
      }
      Application()->HandleMessage();
    }
  } catch (...) {
    ReleaseObjectLink(link);
    throw;
  }
  ReleaseObjectLink(link);
}

void TkvCustomPopupWindow::Dismiss() {
  if (!IsVisiblePopup(this)) return;
  TWeakRef<TkvCustomPopupWindow> self(this);
  TCustomForm* ownerForm = OwnerFormOf(this);
  TWeakRef<TCustomForm> formRef(ownerForm);
  {
    TFocusChangeScope scope;
    RemoveVisiblePopup(this);
    FireClosing();
    if (!self) return;
    if (HandleAllocated()) ShowWindow(GetHandle(), SW_HIDE);
    Hide();
    FireClosed();
    if (!self) return;
    if (HandleAllocated()) {
      HWND capture = GetCapture();
      if (capture && OwnsWindow(this, capture, true)) SetCaptureControl(nullptr);
    }
    if (Screen()->GetActiveForm() == this) {
      TWinControl* focus = FindControl(GetFocus());
      TCustomForm* focusForm = focus ? ::GetParentForm(focus) : nullptr;
      if (focusForm && focusForm != this) focusForm->SetFocusedControl(focus);
    }
  }
  if (VisiblePopupCount() == 0 && formRef && formRef->HandleAllocated() && !formRef->GetActive())
    SendMessage(formRef->GetHandle(), WM_NCACTIVATE, 0, 0);
}

void TkvCustomPopupWindow::PostClose() {
  if (HandleAllocated()) PostMessage(GetHandle(), KVM_POPUPCLOSE, 0, 0);
}

void TkvCustomPopupWindow::KVMPopupClose(TMessage&) {
  TWeakRef<TkvCustomPopupWindow> self(this);
  Lock(true);
  {
    TFocusChangeScope scope;
    Dismiss();
  }
  if (!self) return;
  Lock(false);
  if (HWND owner = OwnerWindow(); owner && dynamic_cast<TWinControl*>(FOwnerControl))
    SendMessage(owner, WM_SETFOCUS, 0, 0);
}

void TkvCustomPopupWindow::KVMPopupPresent(TMessage&) { Present(FFocusControl); }

void TkvCustomPopupWindow::SetRememberedFocusControl(TWinControl* Control) {
  if (FFocusControl == Control) return;
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Control;
  if (FFocusControl) FFocusControl->FreeNotification(this);
}

void TkvCustomPopupWindow::Represent() {
  if (HandleAllocated()) {
    // The focus leaving the old window is the popup's own doing: no form reacts to it.
    TFocusChangeScope scope;
    RecreateWnd();
  }
  if (!IsVisiblePopup(this)) return;
  Dismiss();
  Present(FFocusControl);
}

void TkvCustomPopupWindow::SetCaptureFocus(bool Value) {
  if (FCaptureFocus == Value) return;
  FCaptureFocus = Value;
  Represent();
}

void TkvCustomPopupWindow::SetTopmostRequest(bool Value) {
  if (FTopmostRequest == Value) return;
  FTopmostRequest = Value;
  Represent();
}

bool TkvCustomPopupWindow::Focused() {
  if (!IsVisiblePopup(this) || !FCaptureFocus) return false;
  return OwnsWindow(this, GetFocus(), true);
}

bool TkvCustomPopupWindow::IsShortCut(TMessage& Message) {
  if (TkvPopupWindow::IsShortCut(Message)) return true;
  TCustomForm* form = OwnerFormOf(this);
  return form && form != this && form->IsShortCut(Message);
}

void TkvCustomPopupWindow::AdjustClientRect(TRect& Rect) { Rect = FViewInfo->ClientRect; }

bool TkvCustomPopupWindow::SetFocusedControl(TWinControl* Control) {
  TFocusChangeScope scope;
  return TkvPopupWindow::SetFocusedControl(Control);
}

void TkvCustomPopupWindow::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_ESCAPE && IsVisiblePopup(this) && HasMouseCapture()) {
    SetCaptureControl(nullptr);
    Key = 0;
    return;
  }
  TkvPopupWindow::KeyDown(Key, Shift);
}

void TkvCustomPopupWindow::Deactivate() {
  FDeactivateByte = 0;
  if (IsLocked()) return;
  if (AnyPopupShown()) {
    HWND active = GetActiveWindow();
    std::vector<TkvCustomPopupWindow*> popups = Popups();
    for (auto it = popups.rbegin(); it != popups.rend(); ++it) {
      TkvCustomPopupWindow* p = *it;
      if (!IsVisiblePopup(p)) continue;
      if (WindowOf(p) == active) return;
      if (p->HandleAllocated() && IsWindowEnabled(p->GetHandle()) && !p->IsLocked()) p->Dismiss();
    }
  }
  if (AnyPopupShown()) Dismiss();
}

void TkvCustomPopupWindow::Paint() { FViewInfo->Draw(GetKvCanvas()); }

void TkvCustomPopupWindow::WMEraseBkgnd(TMessage& Message) {
  if (ErasesBackground())
    InheritedMessage(Message);
  else
    Message.Result = 1;
}

void TkvCustomPopupWindow::CMMouseEnter(TMessage& Message) {
  InheritedMessage(Message);
  auto* control = reinterpret_cast<TControl*>(Message.LParam);
  MouseEnterHook(control ? control : this);
}

void TkvCustomPopupWindow::CMMouseLeave(TMessage& Message) {
  InheritedMessage(Message);
  auto* control = reinterpret_cast<TControl*>(Message.LParam);
  MouseLeaveHook(control ? control : this);
}

void TkvCustomPopupWindow::AfterVisibilityChange() {
  TkvPopupWindow::AfterVisibilityChange();
  auto* owner = dynamic_cast<TWinControl*>(FOwnerControl);
  if (!FCaptureFocus || !WindowOf(owner) || IsWindowVisible(owner->GetHandle())) return;
  TCustomForm* form = ::GetParentForm(owner);
  if (form && GetFocus() == WindowOf(form) && owner->CanFocus() && !form->GetComponentState().Contains(csDesigning))
    owner->SetFocus();
}

void TkvCustomPopupWindow::CreateHandle() {
  // The hooks treat the popup as shown while its window is made.
  bool listed = IsVisiblePopup(this);
  if (!listed && GVisiblePopups) AddVisiblePopup(this);
  try {
    TkvPopupWindow::CreateHandle();
  } catch (...) {
    if (!listed && IsVisiblePopup(this)) RemoveVisiblePopup(this);
    throw;
  }
  if (!listed && IsVisiblePopup(this)) RemoveVisiblePopup(this);
}

void TkvCustomPopupWindow::CreateParams(TCreateParams& Params) {
  TkvPopupWindow::CreateParams(Params);
  TCustomForm* form = OwnerFormOf(this);
  if (FCaptureFocus) {
    if (form && form != this) Params.WndParent = form->GetHandle();
    Params.Style = (Params.Style & ~WS_CHILD) | WS_POPUP;
    if (FTopmostRequest && (!form || !form->HandleAllocated() ||
                            (GetWindowLong(form->GetHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST)))
      Params.ExStyle |= WS_EX_TOPMOST;
  } else {
    Params.Style = WS_CHILD;
    Params.ExStyle |= WS_EX_TOOLWINDOW;
    if (!Params.WndParent) {
      if (TkvMessageWindow* sink = MessageWindowInstance()) Params.WndParent = sink->GetHandle();
    }
  }
  Params.Style |= WS_CLIPCHILDREN;
}

void TkvCustomPopupWindow::CreateWnd() {
  TkvPopupWindow::CreateWnd();
  // A popup that never takes the focus floats on the desktop without activating.
  if (!FCaptureFocus && HandleAllocated()) ::SetParent(GetHandle(), nullptr);
}
