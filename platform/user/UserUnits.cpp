#include "user/UserUnits.h"

#include "gdi/SysMetrics.h"
#include "user/Backend.h"
#include "user/Caret.h"
#include "user/Clipboard.h"
#include "user/Cursors.h"
#include "user/MessageBox.h"
#include "user/ModalResponder.h"
#include "user/VideoSurface.h"
#include "user/Window.h"
#include "user/WindowClasses.h"
#include "user/WindowTree.h"

namespace {

Window* gDesktopWindow = nullptr;

// The desktop window answers nothing: it is the root of the tree and the screen.
LRESULT DesktopProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

}  // namespace

void UserStart() {
  SIZE screen = CurrentDisplayBackend().DisplaySize();
  SetSystemScreenSize(screen.cx, screen.cy);
  WNDCLASS desktopClass;
  desktopClass.lpfnWndProc = DesktopProc;
  desktopClass.lpszClassName = "#32769";
  RegisterClass(&desktopClass);
  auto desktop = std::make_unique<Window>();
  desktop->windowClass = FindWindowClass("#32769");
  desktop->proc = DesktopProc;
  desktop->style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  desktop->windowRect = desktop->clientRect = {0, 0, screen.cx, screen.cy};
  gDesktopWindow = desktop.get();
  AllocateWindowHandle(desktop.release());
  SetDesktopWindowObject(gDesktopWindow);
}

void UserEnd() {
  if (!gDesktopWindow) return;
  std::vector<HWND> windows;
  for (Window* t = gDesktopWindow->firstChild; t; t = t->next) windows.push_back(t->handle);
  for (HWND h : windows) DestroyWindow(h);
  VideoSurfaceEnd();
  MessageBoxEnd();
  CaretEnd();
  ClipboardEnd();
  CursorsEnd();
  SetModalResponder(nullptr);
  SetDesktopWindowObject(nullptr);
  ReleaseWindowHandle(gDesktopWindow);
  gDesktopWindow = nullptr;
  UnregisterClass("#32769", nullptr);
}
