// TWinControl's window: creating and destroying it, the window procedure that leads into the
// control, showing, and the messages that keep the control's bounds in step with the window.

#include <unordered_map>

#include "rtl/SysUtils.h"
#include "vcl/Controls.h"
#include "vcl/DockTree.h"
#include "vcl/Forms.h"

namespace {
// The property that ties a window to its control.
constexpr const char* kControlProperty = "TavrenControl";
// Windows set aside by their controls, with the class's default procedure that answers them.
std::unordered_map<HWND, WNDPROC>& KeptWindows() {
  static std::unordered_map<HWND, WNDPROC> kept;
  return kept;
}
// The control whose window is being created: its first message binds the window to it.
TWinControl* gCreationControl = nullptr;
}  // namespace

LRESULT ControlWindowProcedure(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  TWinControl* control = FindControl(Window);
  if (!control) {
    control = gCreationControl;
    if (!control) {
      auto kept = KeptWindows().find(Window);
      if (kept == KeptWindows().end()) return DefWindowProc(Window, Msg, WParam, LParam);
      WNDPROC proc = kept->second;
      if (Msg == WM_NCDESTROY) KeptWindows().erase(kept);
      return CallWindowProc(proc, Window, Msg, WParam, LParam);
    }
    gCreationControl = nullptr;
    control->FHandle = Window;
    SetProp(Window, kControlProperty, control);
  }
  TMessage message{Msg, WParam, LParam, 0};
  control->MainWndProc(message);
  return message.Result;
}

TWinControl* FindControl(HWND Handle) {
  if (!Handle || !IsWindow(Handle)) return nullptr;
  return static_cast<TWinControl*>(GetProp(Handle, kControlProperty));
}

bool IsVclControl(HWND Handle) { return FindControl(Handle) != nullptr; }

void TWinControl::MainWndProc(TMessage& Message) {
  try {
    // A copy: the handler may free the control, and nothing of it is touched afterwards.
    TWndMethod proc = GetWindowProc();
    proc(Message);
  } catch (...) {
    if (Application())
      Application()->HandleException(this);
  }
}

// ---- Window procedure ---------------------------------------------------------------------------

void TWinControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETFOCUS:
      if (TCustomForm* form = GetParentForm(); form && !form->SetFocusedControl(this)) return;
      break;
    case WM_KILLFOCUS:
      if (FControlState.Contains(csFocusing)) return;
      break;
    case WM_NCHITTEST:
      inherited::WndProc(Message);
      if (Message.Result == HTTRANSPARENT && ControlAtPos(ScreenToClient(MessagePoint(Message.LParam)), false))
        Message.Result = HTCLIENT;
      return;
    case WM_CANCELMODE:
      if (TControl* capture = GetCaptureControl();
          capture && capture != this && capture->GetParent() == this && GetCapture() == FHandle)
        capture->Perform(WM_CANCELMODE, 0, 0);
      break;
    default:
      if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST && Message.Msg != WM_MOUSEWHEEL &&
          IsControlMouseMsg(Message)) {
        // The child may have taken this window away (Parent := nil in a handler).
        if (Message.Result == 0 && HandleAllocated())
          DefWindowProc(FHandle, Message.Msg, Message.WParam, Message.LParam);
        return;
      }
      if (Message.Msg >= WM_KEYFIRST && Message.Msg <= WM_KEYLAST && Dragging()) {
        inherited::WndProc(Message);  // the drag sees Esc
        return;
      }
  }
  inherited::WndProc(Message);
}

bool TWinControl::IsControlMouseMsg(TMessage& Message) {
  TControl* control = nullptr;
  if (HandleAllocated() && GetCapture() == FHandle) {
    TControl* capture = GetCaptureControl();
    if (capture && capture != this && capture->GetParent() == this) control = capture;
  } else {
    control = ControlAtPos(MessagePoint(Message.LParam), false);
  }
  if (!control) return false;
  TPoint p = MessagePoint(Message.LParam);
  p = {p.X - control->GetLeft(), p.Y - control->GetTop()};
  Message.Result = control->Perform(Message.Msg, Message.WParam, PointToLParam(p));
  return true;
}

void TWinControl::DefaultHandler(TMessage& Message) {
  if (!FHandle) {
    inherited::DefaultHandler(Message);
    return;
  }
  if (Message.Msg == WM_CONTEXTMENU && FParent) {
    Message.Result = FParent->Perform(Message.Msg, Message.WParam, Message.LParam);
    if (Message.Result != 0) return;
  }
  if (Message.Msg >= WM_CTLCOLORMSGBOX && Message.Msg <= WM_CTLCOLORSTATIC) {
    HWND child = reinterpret_cast<HWND>(Message.LParam);
    Message.Result = IsVclControl(child) ? SendMessage(child, CN_BASE + Message.Msg, Message.WParam, Message.LParam)
                                        : CallWindowProc(FDefWndProc, FHandle, Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  if (Message.Msg >= CN_CTLCOLORMSGBOX && Message.Msg <= CN_CTLCOLORSTATIC) {
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    SetTextColor(dc, ColorToRGB(FFont->GetColor()));
    SetBkColor(dc, ColorToRGB(FBrush->GetColor()));
    Message.Result = reinterpret_cast<LRESULT>(FBrush->GetHandle());
    return;
  }
  Message.Result = CallWindowProc(FDefWndProc, FHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TWinControl::DefWndProc(TMessage& Message) {
  Message.Result = CallWindowProc(FDefWndProc, FHandle, Message.Msg, Message.WParam, Message.LParam);
}

// ---- Creating the window ------------------------------------------------------------------------

void TWinControl::CreateParams(TCreateParams& Params) {
  Params = TCreateParams{};
  Params.Caption = FText;
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (FControlStyle.Contains(csAcceptsControls)) {
    Params.Style |= WS_CLIPCHILDREN;
    Params.ExStyle |= WS_EX_CONTROLPARENT;
  }
  if (!GetEnabled()) Params.Style |= WS_DISABLED;
  if (FTabStop) Params.Style |= WS_TABSTOP;
  Params.X = FLeft;
  Params.Y = FTop;
  Params.Width = FWidth;
  Params.Height = FHeight;
  if (FParent)
    Params.WndParent = MeasuringFrame() && !FParent->HandleAllocated() ? nullptr : FParent->GetHandle();
  else
    Params.WndParent = FParentWindow;
  Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  Params.WindowClass.lpfnWndProc = &DefWindowProc;
  Params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& Params, const char* ControlClassName) {
  WNDCLASS existing;
  if (!GetClassInfo(nullptr, ControlClassName, &existing))
    throw EOutOfResources(Format("Window class %s is not registered", ControlClassName));
  UINT keep = Params.WindowClass.style & (CS_VREDRAW | CS_HREDRAW);
  Params.WindowClass = existing;
  Params.WindowClass.style = (existing.style & ~(CS_VREDRAW | CS_HREDRAW)) | keep;
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  if (!params.WndParent && (params.Style & WS_CHILD)) {
    auto* owner = dynamic_cast<TWinControl*>(GetOwner());
    if (owner && owner->GetComponentState().Contains(csReading))
      params.WndParent = owner->GetHandle();
    else
      throw EInvalidOperation(Format("Control '%s' has no parent window", GetName()));
  }
  FDefWndProc = params.WindowClass.lpfnWndProc ? params.WindowClass.lpfnWndProc : &DefWindowProc;
  WNDCLASS registered;
  bool isRegistered = GetClassInfo(nullptr, params.WinClassName.c_str(), &registered);
  if (!isRegistered || registered.lpfnWndProc != &ControlWindowProcedure) {
    if (isRegistered) UnregisterClass(params.WinClassName.c_str(), nullptr);
    WNDCLASS cls = params.WindowClass;
    cls.lpfnWndProc = &ControlWindowProcedure;
    cls.lpszClassName = params.WinClassName.c_str();
    if (!RegisterClass(&cls)) throw EOutOfResources(Format("Cannot register window class %s", params.WinClassName));
  }
  gCreationControl = this;
  try {
    CreateWindowHandle(params);
  } catch (...) {
    gCreationControl = nullptr;
    throw;
  }
  gCreationControl = nullptr;
  if (!FHandle) throw EOutOfResources(Format("Error creating window for %s", GetName()));
  if ((GetWindowLong(FHandle, GWL_STYLE) & WS_CHILD) && GetWindowLongPtr(FHandle, GWLP_ID) == 0)
    SetWindowLongPtr(FHandle, GWLP_ID, reinterpret_cast<LONG_PTR>(FHandle));
  UpdateBounds();
  Perform(WM_SETFONT, reinterpret_cast<WPARAM>(FFont->GetHandle()), 1);
  if (GetAutoSize()) AdjustSize();
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params) {
  HWND handle = CreateWindowEx(Params.ExStyle, Params.WinClassName.c_str(), Params.Caption.c_str(), Params.Style,
                               Params.X, Params.Y, Params.Width, Params.Height, Params.WndParent, nullptr, nullptr,
                               Params.Param);
  // A window that failed to start may have been bound already; it is gone.
  FHandle = handle;
}

void TWinControl::CreateHandle() {
  if (FHandle) return;
  CreateWnd();
  if (FParent) {
    // Stack the window as the parent's list says (bottom first): this one on top, then the
    // siblings that come after it in the list above it again.
    constexpr UINT kFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    SetWindowPos(FHandle, HWND_TOP, 0, 0, 0, 0, kFlags);
    bool above = false;
    for (TWinControl* sibling : FParent->FWinControls) {
      if (above && sibling->HandleAllocated()) SetWindowPos(sibling->FHandle, HWND_TOP, 0, 0, 0, 0, kFlags);
      if (sibling == this) above = true;
    }
  }
  for (Integer i = 0; i < GetControlCount(); ++i) GetControls(i)->UpdateAnchorRules();
}

HWND TWinControl::GetHandle() {
  HandleNeeded();
  return FHandle;
}

void TWinControl::HandleNeeded() {
  if (FHandle) return;
  if (FParent) FParent->HandleNeeded();
  CreateHandle();
}

void TWinControl::SetParentWindow(HWND Value) {
  if (FParent || FParentWindow == Value) return;
  if (FHandle && FParentWindow && Value) {
    FParentWindow = Value;
    ::SetParent(FHandle, Value);
  } else {
    DestroyHandle();
    FParentWindow = Value;
  }
  UpdateControlState();
}

// ---- Destroying the window ----------------------------------------------------------------------

// BeforeDestruction did this for a deleted control; one on the stack comes here with its window
// and children still there.
TWinControl::~TWinControl() {
  if (FHandle) {
    HWND handle = FHandle;
    RemoveProp(handle, kControlProperty);
    FHandle = nullptr;
    DestroyWindow(handle);
  }
  while (GetControlCount() > 0) {
    TControl* child = GetControls(GetControlCount() - 1);
    Remove(child);
    delete child;
  }
}


void TWinControl::DestroyWnd() {
  // The window held the text; the control keeps it for the next window.
  FText = GetText();
  FreeDeviceContexts(FHandle);
  DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
  FControlState.Include(csDestroyingHandle);
  HWND handle = FHandle;
  DestroyWindow(handle);
  // Freed by a handler while its window was already going (the window's destruction hides it,
  // which moves the focus), the control leaves a window that outlives this call: the window must
  // no longer lead to the control.
  if (IsWindow(handle) && GetProp(handle, kControlProperty) == this) RemoveProp(handle, kControlProperty);
  FControlState.Exclude(csDestroyingHandle);
  FHandle = nullptr;
  FShowing = false;
}

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  for (TWinControl* child : FWinControls) child->DestroyHandle();
  DestroyWnd();
}

void TWinControl::WMNCDestroy(TMessage& Message) {
  DefaultHandler(Message);
  RemoveProp(FHandle, kControlProperty);
  FHandle = nullptr;
  FShowing = false;
}

HWND TWinControl::SetAsideHandle() {
  HWND handle = FHandle;
  if (!handle) return nullptr;
  if (GetCapture() == handle) ReleaseCapture();
  // A canvas still drawing on the kept window would paint where the control no longer is.
  FreeDeviceContexts(handle);
  RemoveProp(handle, kControlProperty);
  KeptWindows()[handle] = FDefWndProc;
  FHandle = nullptr;
  FShowing = false;
  return handle;
}

void TWinControl::TakeBackHandle(HWND Handle) {
  auto kept = KeptWindows().find(Handle);
  if (kept == KeptWindows().end() || !IsWindow(Handle))
    throw EInvalidOperation(Format("Control '%s' cannot take back a window it did not keep", GetName()));
  if (FHandle) DestroyHandle();
  FDefWndProc = kept->second;
  KeptWindows().erase(kept);
  FHandle = Handle;
  SetProp(Handle, kControlProperty, this);
  UpdateBounds();
  FVisible = IsWindowVisible(Handle) != FALSE;
  FShowing = FVisible;
}

void TWinControl::RecreateWnd() {
  if (HandleAllocated()) Perform(CM_RECREATEWND, 0, 0);
}

void TWinControl::CMRecreateWnd(TMessage&) {
  bool wasFocused = Focused();
  DestroyHandle();
  UpdateControlState();
  if (wasFocused && HandleAllocated()) ::SetFocus(FHandle);
}

// ---- Showing ------------------------------------------------------------------------------------

void TWinControl::UpdateShowing() {
  bool show = FVisible && !FControlState.Contains(csReadingState);
  if (show) {
    if (!FHandle) CreateHandle();
    std::vector<TWinControl*> children = FWinControls;
    for (TWinControl* child : children) child->UpdateShowing();
  }
  if (FHandle && FShowing != show) {
    FShowing = show;
    try {
      Perform(CM_SHOWINGCHANGED, 0, 0);
    } catch (...) {
      FShowing = !show;
      throw;
    }
  }
}

void TWinControl::UpdateControlState() {
  TWinControl* control = this;
  while (control->FParent) {
    control = control->FParent;
    if (!control->FShowing) return;
  }
  if (dynamic_cast<TCustomForm*>(control) || control->FParentWindow) UpdateShowing();
}

void TWinControl::CMShowingChanged(TMessage&) {
  UINT flags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, flags | (FShowing ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

// ---- Bounds from the window ---------------------------------------------------------------------

void TWinControl::WMSize(TMessage& Message) {
  UpdateBounds();
  DefaultHandler(Message);
  Realign();
  if (!GetComponentState().Contains(csLoading)) Resize();
}

void TWinControl::WMMove(TMessage& Message) {
  DefaultHandler(Message);
  UpdateBounds();
}

void TWinControl::WMWindowPosChanged(TMessage& Message) {
  if (!FControlState.Contains(csDestroyingHandle) && FHandle) UpdateBounds();
  DefaultHandler(Message);
}

// ---- Reflection ---------------------------------------------------------------------------------

bool TWinControl::DoControlMsg(HWND ControlHandle, TMessage& Message) {
  TWinControl* control = FindControl(ControlHandle);
  if (!control) return false;
  Message.Result = control->Perform(Message.Msg + CN_BASE, Message.WParam, Message.LParam);
  return true;
}

void TWinControl::WMCommand(TMessage& Message) {
  if (!DoControlMsg(reinterpret_cast<HWND>(Message.LParam), Message)) DefaultHandler(Message);
}

void TWinControl::WMNotify(TMessage& Message) {
  auto* header = reinterpret_cast<NMHDR*>(Message.LParam);
  if (!header || !DoControlMsg(header->hwndFrom, Message)) DefaultHandler(Message);
}

void TWinControl::WMDrawItem(TMessage& Message) {
  auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
  if (!item || item->CtlType == ODT_MENU || !DoControlMsg(item->hwndItem, Message)) DefaultHandler(Message);
}

void TWinControl::WMMeasureItem(TMessage& Message) {
  auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
  // The record names the control by its id, which is its handle for our children.
  if (item && item->CtlType != ODT_MENU) {
    for (TWinControl* child : FWinControls) {
      if (child->HandleAllocated() &&
          static_cast<UINT>(GetWindowLongPtr(child->FHandle, GWLP_ID)) == item->CtlID) {
        Message.Result = child->Perform(CN_MEASUREITEM, Message.WParam, Message.LParam);
        return;
      }
    }
  }
  DefaultHandler(Message);
}

void TWinControl::WMDeleteItem(TMessage& Message) {
  auto* item = reinterpret_cast<DELETEITEMSTRUCT*>(Message.LParam);
  if (!item || !DoControlMsg(item->hwndItem, Message)) DefaultHandler(Message);
}

void TWinControl::WMCompareItem(TMessage& Message) {
  auto* item = reinterpret_cast<COMPAREITEMSTRUCT*>(Message.LParam);
  if (!item || !DoControlMsg(item->hwndItem, Message)) DefaultHandler(Message);
}

void TWinControl::WMHScroll(TMessage& Message) {
  if (!DoControlMsg(reinterpret_cast<HWND>(Message.LParam), Message)) DefaultHandler(Message);
}

void TWinControl::WMVScroll(TMessage& Message) {
  if (!DoControlMsg(reinterpret_cast<HWND>(Message.LParam), Message)) DefaultHandler(Message);
}

void TWinControl::WMCharToItem(TMessage& Message) {
  if (!DoControlMsg(reinterpret_cast<HWND>(Message.LParam), Message)) DefaultHandler(Message);
}

void TWinControl::WMVKeyToItem(TMessage& Message) {
  if (!DoControlMsg(reinterpret_cast<HWND>(Message.LParam), Message)) DefaultHandler(Message);
}
