// Window controllers: the call hook that sees windows come and go, the attach window that
// finishes the attachment, subclassing through WindowProc or the raw window procedure, and the
// scroll-bar entry points of skinned forms.

#include <algorithm>
#include <cstring>
#include <memory>

#include "controls/ScrollBars.h"
#include "gdi/Gdi.h"
#include "rtl/ClassRegistry.h"
#include "rtl/SysUtils.h"
#include "toolkit/skins/qzSkinsForm.h"
#include "user/User.h"
#include "vcl/AllocateHWnd.h"

TAVREN_CLASS_IMPL(TqzSkinWinController)
TAVREN_CLASS_IMPL(TqzSkinFormController)

UINT WM_POSTREDRAW = 0;
UINT WM_CHILDCHANGED = 0;
UINT WM_POSTCREATE = 0;
UINT WM_POSTCHECKRGN = 0;

namespace {

constexpr const char* kControllerProp = "qzSkinWinController";

HHOOK hook = nullptr;
std::vector<TqzSkinWinController*>* controllers = nullptr;  // owned
TFormSetScrollPosProc savedSetScrollPos = nullptr;
TFormSetScrollInfoProc savedSetScrollInfo = nullptr;

// The hidden window WM_POSTCREATE is posted to.
class TqzSkinWinControllerHelper : public TObject {
  TAVREN_CLASS(TqzSkinWinControllerHelper, TObject)
 public:
  TqzSkinWinControllerHelper() : FWindow(AllocateHWnd(TWndMethod::Of<&TqzSkinWinControllerHelper::WndProc>(this))) {}
  ~TqzSkinWinControllerHelper() override { DeallocateHWnd(FWindow); }
  HWND Window() const noexcept { return FWindow; }

 private:
  void WndProc(TMessage& Message);
  HWND FWindow;
};
TAVREN_CLASS_IMPL(TqzSkinWinControllerHelper)

TqzSkinWinControllerHelper* helper = nullptr;

// A skin painter that comes or goes makes every form choose its painter again, before the
// information object of a removed skin is freed.
class TqzSkinPaintersListener : public TkvIUnknownObject, public IkvLookAndFeelPainterListener {
  TAVREN_CLASS(TqzSkinPaintersListener, TkvIUnknownObject)
 public:
  void PaintersChanged(TkvCustomLookAndFeelPainterClass) override { RefreshSkinnedWindows(); }
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override {
    return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
  }
};
TAVREN_CLASS_IMPL(TqzSkinPaintersListener)

TqzSkinPaintersListener* paintersListener = nullptr;

String ClassNameOf(HWND Window) {
  char name[64] = {};
  GetClassName(Window, name, sizeof name);
  return name;
}

void Forget(TqzSkinWinController* Controller) {
  if (!controllers) return;
  controllers->erase(std::remove(controllers->begin(), controllers->end(), Controller), controllers->end());
  for (TqzSkinWinController* c : *controllers)
    if (c->ParentController() == Controller) c->SetParentController(nullptr);
}

// Frees the controller now, or marks it to go once its window's dispatch unwinds.
void Release(TqzSkinWinController* Controller) {
  Controller->MarkDestroyed();
  if (Controller->Dispatching()) return;
  Forget(Controller);
  delete Controller;
}

TqzSkinWinController* ControllerOfControl(TWinControl* Control) {
  if (!controllers || !Control) return nullptr;
  for (TqzSkinWinController* c : *controllers)
    if (c->Control() == Control && !c->Destroyed()) return c;
  return nullptr;
}

void AttachSkinController(HWND Window) {
  DWORD process = 0;
  if (!Window || !IsWindow(Window) || !GetWindowThreadProcessId(Window, &process) ||
      process != GetCurrentProcessId())
    return;
  TClass cls = SkinControllerClassFor(Window);
  if (!cls || SkinWinControllerOf(Window)) return;
  TqzSkinWinController* controller = ControllerOfControl(FindControl(Window));
  if (controller) {
    controller->Bind(Window);
  } else {
    controller = TClassOf<TqzSkinWinController>(cls).Create();
    controllers->push_back(controller);
    controller->Bind(Window);
    controller->SetParentController(controller->ParentControllerFor(Window));
  }
  controller->InitPainter();
  controller->Refresh();
  PostMessage(Window, WM_POSTCHECKRGN, 0, 0);
}

void TqzSkinWinControllerHelper::WndProc(TMessage& Message) {
  if (Message.Msg == WM_POSTCREATE) {
    AttachSkinController(reinterpret_cast<HWND>(Message.LParam));
    return;
  }
  Message.Result = DefWindowProc(FWindow, Message.Msg, Message.WParam, Message.LParam);
}

LRESULT CallWndProcHook(int Code, WPARAM WParam, LPARAM LParam) {
  const LRESULT result = CallNextHookEx(hook, Code, WParam, LParam);
  if (Code != HC_ACTION || !controllers) return result;
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(LParam);
  if (call->message == WM_CREATE || call->message == WM_MDICREATE) {
    if (helper) PostMessage(helper->Window(), WM_POSTCREATE, 0, reinterpret_cast<LPARAM>(call->hwnd));
  } else if (call->message == WM_DESTROY || (call->message == WM_MDIDESTROY && call->wParam == 0)) {
    // Marked only: the controller handles this WM_DESTROY itself and goes when it returns.
    if (TqzSkinWinController* controller = SkinWinControllerOf(call->hwnd)) controller->MarkDestroyed();
  } else if (call->message == WM_NCDESTROY) {
    if (TqzSkinWinController* controller = SkinWinControllerOf(call->hwnd)) Release(controller);
  }
  if (call->message == WM_DESTROY || call->message == WM_CHILDACTIVATE || call->message == WM_MDIACTIVATE) {
    HWND parent = GetParent(call->hwnd);
    TqzSkinWinController* client = SkinWinControllerOf(parent);
    if (client && client->IsMDIClient(parent)) SendMessage(GetParent(parent), WM_CHILDCHANGED, 0, 0);
  }
  return result;
}

// Skinned forms draw their scroll bars themselves: the platform must not draw over them.
int SkinnedSetScrollPos(HWND Window, int Bar, int Position, BOOL Redraw) {
  TqzSkinWinController* controller = SkinWinControllerOf(Window);
  if (controller && controller->IsSkinned()) Redraw = FALSE;
  return savedSetScrollPos(Window, Bar, Position, Redraw);
}

int SkinnedSetScrollInfo(HWND Window, int Bar, const SCROLLINFO* Info, BOOL Redraw) {
  TqzSkinWinController* controller = SkinWinControllerOf(Window);
  if (controller && controller->IsSkinned()) Redraw = FALSE;
  return savedSetScrollInfo(Window, Bar, Info, Redraw);
}

}  // namespace

LRESULT SkinRawWindowProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto* controller = static_cast<TqzSkinWinController*>(GetProp(Window, kControllerProp));
  if (!controller) return DefWindowProc(Window, Msg, WParam, LParam);
  TMessage message{Msg, WParam, LParam, 0};
  controller->Dispatch(message);
  return message.Result;
}

// ---- Window controller ----------------------------------------------------------------------

TqzSkinWinController::~TqzSkinWinController() {
  StopMouseLeaveWatch(this);
  Bind(nullptr);
}

void TqzSkinWinController::Bind(HWND AWindow) {
  Unsubclass();
  FHandle = AWindow;
  FControl = AWindow ? FindControl(AWindow) : nullptr;
  if (FHandle) Refresh();
}

TqzSkinLookAndFeelPainter* TqzSkinWinController::ActivePainter() const {
  if (FPainter) return FPainter;
  return FParentController ? FParentController->ActivePainter() : nullptr;
}

bool TqzSkinWinController::IsSkinned() { return ActivePainter() != nullptr; }

TqzSkinWinController* TqzSkinWinController::ParentControllerFor(HWND Window) {
  return IsMDIChild(Window) ? SkinWinControllerOf(GetParent(Window)) : nullptr;
}

bool TqzSkinWinController::UpdatePainter() {
  if (!FControl) return false;
  bool accepted = UseSkins;
  const std::vector<TqzSkinController*>& skinControllers = SkinControllers();
  for (auto it = skinControllers.rbegin(); it != skinControllers.rend(); ++it) {
    if ((*it)->GetComponentState().Contains(csDestroying)) continue;
    accepted = (*it)->AcceptsControl(FControl);
    if (accepted) break;
  }
  return accepted;
}

void TqzSkinWinController::Subclass() {
  if (!FHandle) return;
  Unsubclass();
  if (FControl) {
    FSavedMethod = FControl->GetWindowProc();
    FControl->SetWindowProc(TWndMethod::Of<&TqzSkinWinController::Dispatch>(this));
  } else {
    SetProp(FHandle, kControllerProp, this);
    FSavedProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SkinRawWindowProc)));
  }
}

void TqzSkinWinController::Unsubclass() {
  if (FSavedMethod) {
    if (FControl) FControl->SetWindowProc(FSavedMethod);
    FSavedMethod = nullptr;
  }
  if (FSavedProc) {
    if (IsWindow(FHandle)) {
      SetWindowLongPtr(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FSavedProc));
      RemoveProp(FHandle, kControllerProp);
    }
    FSavedProc = nullptr;
  }
}

void TqzSkinWinController::CallSavedProc(TMessage& Message) {
  if (FSavedProc)
    Message.Result = CallWindowProc(FSavedProc, FHandle, Message.Msg, Message.WParam, Message.LParam);
  else
    FSavedMethod(Message);
}

// Counts the messages in progress, so that a controller whose window went meanwhile is freed
// only when the last of them has returned.
void TqzSkinWinController::Dispatch(TMessage& Message) {
  ++FDispatchDepth;
  // A control freed by one of its own messages is not touched again.
  TWeakRef<TWinControl> control(FControl);
  try {
    WindowProc(Message);
  } catch (...) {
    if (!control) FControl = nullptr;
    --FDispatchDepth;
    if (FDestroyed && FDispatchDepth == 0 && Message.Msg == WM_NCDESTROY) Release(this);
    throw;
  }
  if (!control) FControl = nullptr;
  --FDispatchDepth;
  if (FDestroyed && FDispatchDepth == 0 && (Message.Msg == WM_DESTROY || Message.Msg == WM_NCDESTROY ||
                                            !IsWindow(FHandle))) {
    Unsubclass();
    Release(this);
  }
}

void TqzSkinWinController::WindowProc(TMessage& Message) { CallSavedProc(Message); }

bool TqzSkinWinController::IsMDIChild(HWND) { return false; }

bool TqzSkinWinController::IsMDIClient(HWND Window) { return SameText(ClassNameOf(Window), "MDICLIENT"); }

bool TqzSkinWinController::IsMessageForm(HWND Window) { return ClassNameOf(Window) == "TMessageForm"; }

void TqzSkinWinController::FrameChanged() {
  if (!FHandle) return;
  SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TqzSkinWinController::Refresh() {
  if (!FHandle) return;
  Subclass();
  FrameChanged();
  UINT flags = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW;
  if (FControl) {
    for (Integer i = 0; i < FControl->GetControlCount(); ++i)
      if (!dynamic_cast<TWinControl*>(FControl->GetControls(i))) {
        flags |= RDW_ALLCHILDREN;
        break;
      }
  }
  RedrawWindow(FHandle, nullptr, nullptr, flags);
}

void TqzSkinWinController::MouseLeave() {}

HRESULT TqzSkinWinController::QueryInterface(const TInterfaceId& IID, void** Obj) {
  return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
}

// ---- Unit -------------------------------------------------------------------------------------

TClass SkinControllerClassFor(HWND Window) {
  if (SameText(ClassNameOf(Window), "MDICLIENT")) return TqzSkinFormController::ClassInfo();
  TWinControl* control = FindControl(Window);
  if (!control) return nullptr;
  const String name = control->ClassName();
  // Exactly these classes: descendants may draw themselves.
  if (SameText(name, "TPanel")) return TqzSkinPanelController::ClassInfo();
  if (SameText(name, "TButton")) return TqzSkinButtonController::ClassInfo();
  if (control->InheritsFrom(TCustomFrame::ClassInfo())) return TqzSkinFrameController::ClassInfo();
  if (control->InheritsFrom(TCustomForm::ClassInfo())) return TqzSkinFormController::ClassInfo();
  return nullptr;
}

TqzSkinWinController* SkinWinControllerOf(HWND Window) {
  if (!controllers || !Window) return nullptr;
  for (TqzSkinWinController* c : *controllers)
    if (c->Handle() == Window) return c;
  return nullptr;
}

void qzSkinsFormStart() {
  RegisterClass(TqzSkinController::ClassInfo());
  savedSetScrollPos = FormSetScrollPos;
  savedSetScrollInfo = FormSetScrollInfo;
  FormSetScrollPos = SkinnedSetScrollPos;
  FormSetScrollInfo = SkinnedSetScrollInfo;
  helper = new TqzSkinWinControllerHelper;
  hook = SetWindowsHookEx(WH_CALLWNDPROC, CallWndProcHook, nullptr, GetCurrentThreadId());
  WM_POSTREDRAW = RegisterWindowMessage("WM_POSTREDRAW");
  WM_CHILDCHANGED = RegisterWindowMessage("WM_CHILDCHANGED");
  WM_POSTCREATE = RegisterWindowMessage("WM_POSTCREATE");
  WM_POSTCHECKRGN = RegisterWindowMessage("WM_POSTCHECKRGN");
  controllers = new std::vector<TqzSkinWinController*>;
  paintersListener = new TqzSkinPaintersListener;
  if (TkvExtendedStylePainters* registry = ExtendedStylePaintersInstance()) registry->RegisterListener(paintersListener);
}

void qzSkinsFormEnd() {
  if (TkvExtendedStylePainters* registry = ExtendedStylePaintersInstance())
    registry->UnregisterListener(paintersListener);
  delete paintersListener;
  paintersListener = nullptr;
  FormSetScrollPos = savedSetScrollPos;
  FormSetScrollInfo = savedSetScrollInfo;
  UnhookWindowsHookEx(hook);
  hook = nullptr;
  std::vector<TqzSkinWinController*>* all = controllers;
  controllers = nullptr;
  for (TqzSkinWinController* c : *all) delete c;
  delete all;
  delete helper;
  helper = nullptr;
  UnRegisterClass(TqzSkinController::ClassInfo());
}

void RefreshSkinnedWindows() {
  if (!controllers) return;
  const std::vector<TqzSkinWinController*> all = *controllers;
  for (TqzSkinWinController* c : all) c->SetPainter(nullptr);
  for (TqzSkinWinController* c : all) {
    auto* form = dynamic_cast<TqzSkinFormController*>(c);
    if (form && !form->ParentController()) form->ChooseFormPainter();
  }
  for (TqzSkinWinController* c : all)
    if (!c->Destroyed()) c->Refresh();
}
