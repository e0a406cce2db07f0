// Keyboard focus and activation of top-level windows, with the message order of the platform.

#include "user/Focus.h"

#include "user/Backend.h"
#include "user/WindowInternals.h"
#include "user/WindowPos.h"

namespace {

HWND gFocus = nullptr;
HWND gActive = nullptr;
bool gAppActive = false;

Window* Live(HWND handle) { return WindowFromHandle(handle); }

WPARAM ActivateParam(WORD how, const Window* w) {
  return MAKEWPARAM(how, static_cast<WORD>((w->style & WS_MINIMIZE) ? 1 : 0));
}

void SendActivateApp(BOOL active) {
  std::vector<HWND> windows;
  for (Window* t = Desktop()->firstChild; t; t = t->next) {
    if (WindowOfCurrentThread(t)) windows.push_back(t->handle);
  }
  for (HWND h : windows) {
    if (Window* t = Live(h)) SendInternalMessage(t, WM_ACTIVATEAPP, active, 0);
  }
}

bool CanActivate(const Window* t, const Window* except) {
  return t != except && !t->destroying && t->Visible() && t->Enabled() && !(t->style & WS_MINIMIZE) &&
         !(t->exStyle & WS_EX_NOACTIVATE) && WindowOfCurrentThread(t);
}

// The window that takes over activation from `leaving`: its owner when it can, else the top one.
Window* NextToActivate(Window* leaving) {
  if (leaving->owner && CanActivate(leaving->owner, leaving)) return leaving->owner;
  for (Window* t = Desktop()->firstChild; t; t = t->next) {
    if (CanActivate(t, leaving) && t->owner != leaving) return t;
  }
  return nullptr;
}

void Deactivate() {
  Window* old = Live(gActive);
  gActive = nullptr;
  if (old) {
    WindowGuard guard(old);
    SendInternalMessage(old, WM_NCACTIVATE, FALSE, 0);
    SendInternalMessage(old, WM_ACTIVATE, ActivateParam(WA_INACTIVE, old), 0);
  }
  if (gActive) return;  // a handler activated something meanwhile
  if (gFocus) SetFocus(nullptr);
  if (gAppActive) {
    gAppActive = false;
    SendActivateApp(FALSE);
  }
}

}  // namespace

void ActivateWindow(Window* w, WORD how) {
  if (!w || !WindowOfCurrentThread(w) || w->handle == gActive) return;
  WindowGuard guard(w);
  HWND handle = w->handle;
  HWND oldHandle = gActive;
  Window* old = Live(oldHandle);
  if (w->Visible()) {
    SetWindowPosInternal(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (w->destroyed) return;
  }
  gActive = handle;
  if (old) {
    WindowGuard oldGuard(old);
    SendInternalMessage(old, WM_NCACTIVATE, FALSE, 0);
    SendInternalMessage(old, WM_ACTIVATE, ActivateParam(WA_INACTIVE, old), reinterpret_cast<LPARAM>(handle));
  }
  if (!gAppActive) {
    gAppActive = true;
    SendActivateApp(TRUE);
  }
  if (gActive != handle || w->destroyed) return;
  SendInternalMessage(w, WM_NCACTIVATE, TRUE, 0);
  SendInternalMessage(w, WM_ACTIVATE, ActivateParam(how, w), reinterpret_cast<LPARAM>(oldHandle));
  if (gActive != handle || w->destroyed) return;
  // The focus belongs inside the active window; when its WM_ACTIVATE did not take it, it goes.
  Window* focus = Live(gFocus);
  if (focus && TopLevelOf(focus) != w) SetFocus(nullptr);
  CurrentDisplayBackend().ActivateNativeWindow(handle);
}

HWND SetFocus(HWND window) {
  HWND old = gFocus;
  if (!window) {
    gFocus = nullptr;
    if (Window* loser = Live(old)) SendInternalMessage(loser, WM_KILLFOCUS, 0, 0);
    return old;
  }
  Window* w = Live(window);
  if (!w || !WindowOfCurrentThread(w)) return nullptr;
  if (window == old) return old;
  for (Window* p = w->parent; p && p != Desktop(); p = p->parent) {
    if (p->style & (WS_MINIMIZE | WS_DISABLED)) return nullptr;
  }
  Window* top = TopLevelOf(w);
  if (top->handle != gActive) {
    ActivateWindow(top, WA_ACTIVE);
    if (!Live(window)) return nullptr;
    if (gFocus == window) return old;
    old = gFocus;
  }
  gFocus = window;
  if (Window* loser = Live(old)) SendInternalMessage(loser, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
  if (gFocus != window) return old;  // the focus moved on meanwhile
  SendInternalMessage(w, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  return old;
}

HWND GetFocus() { return Live(gFocus) ? gFocus : nullptr; }

HWND SetActiveWindow(HWND window) {
  HWND old = GetActiveWindow();
  if (!window) {
    Deactivate();
    return old;
  }
  Window* w = Live(window);
  if (!w || !WindowOfCurrentThread(w)) return nullptr;
  ActivateWindow(TopLevelOf(w), WA_ACTIVE);
  return old;
}

HWND GetActiveWindow() { return Live(gActive) ? gActive : nullptr; }

BOOL SetForegroundWindow(HWND window) {
  Window* w = Live(window);
  if (!w) return FALSE;
  ActivateWindow(TopLevelOf(w), WA_ACTIVE);
  return TRUE;
}

HWND GetForegroundWindow() { return GetActiveWindow(); }

void FocusWindowHidden(Window* w) {
  WindowGuard guard(w);
  Window* focus = Live(gFocus);
  if (focus) {
    bool inside = false;
    for (Window* f = focus; f; f = f->parent) {
      if (f == w) { inside = true; break; }
    }
    if (inside) SetFocus(w->IsChild() && w->parent != Desktop() ? w->parent->handle : nullptr);
  }
  if (w->IsTopLevel() && gActive == w->handle) {
    if (Window* next = NextToActivate(w)) ActivateWindow(next, WA_ACTIVE); else Deactivate();
  }
}

void FocusWindowDestroyed(Window* w) {
  FocusWindowHidden(w);
  if (gActive == w->handle) Deactivate();
}
