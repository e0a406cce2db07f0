// TApplication: the hidden application window, creating forms, the message loop with its key
// and hint filters, idle time, and the route every escaped exception takes.

#include <unistd.h>

#include <climits>

#include "rtl/SysUtils.h"
#include "vcl/AllocateHWnd.h"
#include "vcl/ActnList.h"
#include "vcl/Forms.h"

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner), FHintColor(clInfoBk) {}

TApplication::~TApplication() {
  // Forms go while the application is whole: their last events may still ask for it.
  DestroyComponents();
  StopHintTimer();
  DeallocateHWnd(FHandle);
}

HWND TApplication::GetHandle() {
  if (!FHandle) {
    FHandle = AllocateHWnd(MakeEvent<&TApplication::WndProc>(this));
    SetWindowText(FHandle, FTitle.c_str());
  }
  return FHandle;
}

void TApplication::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_TIMER:
      if (Message.WParam == reinterpret_cast<WPARAM>(this)) {
        HintTimerExpired();
        return;
      }
      break;
    case WM_CLOSE:
      if (FMainForm) FMainForm->Close();
      return;
  }
  Message.Result = DefWindowProc(FHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TApplication::SetTitle(const String& Value) {
  FTitle = Value;
  if (FHandle) SetWindowText(FHandle, Value.c_str());
}

String TApplication::GetExeName() const {
  char path[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", path, sizeof(path) - 1);
  return n > 0 ? String(path, static_cast<size_t>(n)) : String();
}

// ---- Forms --------------------------------------------------------------------------------------

void TApplication::CreateForm(TComponentClass InstanceClass, const std::function<void(TComponent*)>& Assign) {
  TClass cls = InstanceClass;
  if (!cls || !cls->Factory) throw EInvalidOperation("Cannot create a form of an abstract class");
  auto* instance = static_cast<TComponent*>(cls->Factory(this));
  // The reference is set before the form's OnCreate runs, as forms look themselves up there.
  Assign(instance);
  try {
    instance->AfterConstruction();
  } catch (...) {
    Assign(nullptr);
    delete instance;
    throw;
  }
  if (!FMainForm)
    if (auto* form = dynamic_cast<TForm*>(instance)) {
      form->HandleNeeded();
      FMainForm = form;
    }
}

void TApplication::ControlDestroyed(TControl* Control) {
  if (FMainForm == Control) FMainForm = nullptr;
  if (FMouseControl == Control) FMouseControl = nullptr;
  if (FHintControl == Control) CancelHint();
  if (FHintWindow == Control) FHintWindow = nullptr;
}

// ---- The loop -----------------------------------------------------------------------------------

void TApplication::Run() {
  if (FMainForm) {
    FMainForm->SetVisible(true);
    do {
      try {
        HandleMessage();
      } catch (...) {
        HandleException(this);
      }
    } while (!FTerminate);
  }
}

void TApplication::Terminate() { PostQuitMessage(0); }

bool TApplication::ProcessMessage(MSG& Msg) {
  if (!PeekMessage(&Msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (Msg.message == WM_QUIT) {
    FTerminate = true;
    return true;
  }
  bool handled = false;
  FOnMessage(Msg, handled);
  if (!IsHintMsg(Msg) && !handled && !IsKeyMsg(Msg)) {
    TranslateMessage(&Msg);
    DispatchMessage(&Msg);
  }
  return true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (ProcessMessage(msg)) {
  }
}

void TApplication::HandleMessage() {
  MSG msg;
  if (!ProcessMessage(msg)) Idle(msg);
}

// Keys go to the control first as CN_ messages: a control or its form may take them (Tab, a
// default button's Enter, a shortcut) before the window sees them.
bool TApplication::IsKeyMsg(MSG& Msg) {
  if (Msg.message < WM_KEYFIRST || Msg.message > WM_KEYLAST) return false;
  HWND window = GetCapture();
  if (!window) {
    window = Msg.hwnd;
    while (window && !IsVclControl(window)) window = ::GetParent(window);
    if (!window) window = Msg.hwnd;
  } else if (!IsVclControl(window)) {
    return false;
  }
  return window && SendMessage(window, CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
}

bool TApplication::IsHintMsg(MSG& Msg) {
  if (FHintWindow && FHintWindow->IsHintMsg(Msg)) CancelHint();
  return false;
}

void TApplication::Idle(const MSG&) {
  DoMouseIdle();
  if (FShowHint && !FMouseControl) CancelHint();
  // The long hint of what is under the mouse (the nearest control that has one), for status bars.
  TControl* hinted = FMouseControl;
  while (hinted && hinted->GetHint().empty()) hinted = hinted->GetParent();
  SetHint(hinted ? GetLongHint(hinted->GetHint()) : String());
  bool done = true;
  try {
    UpdateIdleActionLists();
    FOnIdle(this, done);
  } catch (...) {
    HandleException(this);
  }
  if (done) WaitMessage();
}

// Tells controls that the mouse came in or went out, from where the cursor is now.
void TApplication::DoMouseIdle() {
  POINT p;
  GetCursorPos(&p);
  TControl* control = FindDragTarget(p, true);
  TControl* capture = GetCaptureControl();
  if (FMouseControl == control) return;
  auto tracked = [&](TControl* c) { return c && (!capture || c == capture); };
  if (tracked(FMouseControl)) FMouseControl->Perform(CM_MOUSELEAVE, 0, 0);
  FMouseControl = control;
  if (tracked(FMouseControl)) FMouseControl->Perform(CM_MOUSEENTER, 0, 0);
}

// ---- Exceptions ---------------------------------------------------------------------------------

void TApplication::HandleException(TObject* Sender) {
  if (HWND capture = GetCapture()) SendMessage(capture, WM_CANCELMODE, 0, 0);
  auto report = [&](Exception& e) {
    // A handler that fails in turn is shown, never let loose into the window manager.
    try {
      if (FOnException)
        FOnException(Sender, &e);
      else
        ShowException(&e);
    } catch (Exception& inner) {
      ShowException(&inner);
    } catch (...) {
      Exception inner("Unknown exception");
      ShowException(&inner);
    }
  };
  try {
    throw;
  } catch (EAbort&) {
  } catch (Exception& e) {
    report(e);
  } catch (std::exception& e) {
    Exception wrapped(e.what());
    report(wrapped);
  } catch (...) {
    Exception wrapped("Unknown exception");
    report(wrapped);
  }
}

void TApplication::ShowException(Exception* E) {
  String message = E->Message();
  if (!message.empty() && message.back() > '.') message += '.';
  try {
    MessageBox(message, FTitle, MB_OK | MB_ICONSTOP);
  } catch (...) {
    // Nothing is left to tell if the box itself fails.
  }
}

Integer TApplication::MessageBox(const String& Text, const String& Caption, Integer Flags) {
  HWND owner = GetActiveWindow();
  if (!owner) owner = GetHandle();
  return ::MessageBox(owner, Text.c_str(), Caption.c_str(), static_cast<UINT>(Flags));
}

// ---- Windows of the application -----------------------------------------------------------------

void TApplication::BringToFront() {
  TCustomForm* form = Screen() ? Screen()->GetActiveCustomForm() : nullptr;
  if (!form) form = FMainForm;
  if (form && form->HandleAllocated()) SetForegroundWindow(form->GetHandle());
}

void TApplication::Minimize() {
  if (FMainForm && FMainForm->HandleAllocated()) ShowWindow(FMainForm->GetHandle(), SW_MINIMIZE);
}

void TApplication::Restore() {
  if (FMainForm && FMainForm->HandleAllocated() && IsIconic(FMainForm->GetHandle()))
    ShowWindow(FMainForm->GetHandle(), SW_RESTORE);
}
