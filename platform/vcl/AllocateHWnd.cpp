// AllocateHWnd: one window class whose procedure finds the method stored with the window.

#include "vcl/AllocateHWnd.h"


#include "user/User.h"
#include "vcl/Forms.h"

namespace {
constexpr const char* kUtilWindowClass = "TPUtilWindow";
constexpr const char* kMethodProperty = "TavrenWndMethod";

LRESULT UtilWindowProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* method = static_cast<TWndMethod*>(GetProp(window, kMethodProperty));
  if (msg == WM_NCDESTROY && method) {
    RemoveProp(window, kMethodProperty);
    delete method;
    return DefWindowProc(window, msg, wParam, lParam);
  }
  if (!method || !method->Assigned()) return DefWindowProc(window, msg, wParam, lParam);
  TMessage message{msg, wParam, lParam, 0};
  try {
    TWndMethod call = *method;  // the method may deallocate the window
    call(message);
  } catch (...) {
    if (Application()) Application()->HandleException(nullptr);
  }
  return message.Result;
}

void RegisterUtilWindowClass() {
  WNDCLASS existing;
  if (GetClassInfo(nullptr, kUtilWindowClass, &existing)) return;
  WNDCLASS cls;
  cls.lpfnWndProc = &UtilWindowProcedure;
  cls.lpszClassName = kUtilWindowClass;
  RegisterClass(&cls);
}
}  // namespace

HWND AllocateHWnd(TWndMethod Method) {
  RegisterUtilWindowClass();
  HWND window = CreateWindowEx(WS_EX_TOOLWINDOW, kUtilWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               nullptr, nullptr);
  if (!window) throw EOutOfResources("Cannot create a hidden window");
  SetProp(window, kMethodProperty, new TWndMethod(Method));
  return window;
}

void DeallocateHWnd(HWND Wnd) {
  if (Wnd) DestroyWindow(Wnd);
}
