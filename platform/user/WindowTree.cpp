#include "user/WindowTree.h"

#include <strings.h>

#include "gdi/SysMetrics.h"
#include "user/ExtraBytes.h"
#include "user/Focus.h"
#include "user/MessageQueue.h"
#include "user/Painting.h"
#include "user/PopupMenus.h"
#include "user/Timers.h"
#include "user/WindowInternals.h"
#include "user/WindowPos.h"

namespace {

bool IsTopmost(const Window* w) { return (w->exStyle & WS_EX_TOPMOST) != 0; }

// Default places for top-level windows that ask for CW_USEDEFAULT, stepped like a cascade.
POINT NextCascadePoint() {
  static int step = 0;
  int offset = 26 * (step++ % 10);
  return {offset + 26, offset + 26};
}

// Collects handles first: callbacks may destroy windows or reorder siblings.
void CollectChildren(const Window* parent, std::vector<HWND>& out, bool deep) {
  for (Window* c = parent->firstChild; c; c = c->next) {
    out.push_back(c->handle);
    if (deep) CollectChildren(c, out, true);
  }
}

void SendDestroyMessages(Window* window) {
  SendInternalMessage(window, WM_DESTROY, 0, 0);
  std::vector<HWND> children;
  CollectChildren(window, children, false);
  for (HWND h : children) {
    if (Window* c = WindowFromHandle(h)) SendDestroyMessages(c);
  }
}

void FreeWindow(Window* window) {
  while (Window* child = window->firstChild) FreeWindow(child);
  SendInternalMessage(window, WM_NCDESTROY, 0, 0);
  KillWindowTimers(window->handle);
  if (window->systemMenu) DestroyMenu(window->systemMenu);
  InputWindowDestroyed(window);
  PaintWindowDestroyed(window);
  if (window->IsTopLevel()) NativeWindowDestroyed(window);
  for (Window* w = Desktop()->firstChild; w; w = w->next) {
    if (w->owner == window) w->owner = nullptr;
  }
  UnlinkWindow(window);
  if (window->windowClass) window->windowClass->windows--;
  ReleaseWindowHandle(window);
}

std::string PropertyKey(const char* name) {
  uintptr_t value = reinterpret_cast<uintptr_t>(name);
  if (value <= 0xFFFF) return "#" + std::to_string(value);
  return name;
}

WindowProperty* FindProperty(Window* w, const char* name) {
  std::string key = PropertyKey(name);
  for (auto& p : w->properties) {
    if (strcasecmp(p.name.c_str(), key.c_str()) == 0) return &p;
  }
  return nullptr;
}

void SetStyle(Window* w, int index, DWORD value) {
  STYLESTRUCT change{index == GWL_STYLE ? w->style : w->exStyle, value};
  SendInternalMessage(w, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
  if (w->destroyed) return;
  if (index == GWL_STYLE) {
    bool wasVisible = w->Visible();
    w->style = change.styleNew;
    if (wasVisible != w->Visible()) ChildLayoutChanged(w->parent);
    if (wasVisible != w->Visible() && w->IsTopLevel()) {
      UpdateWindowSurface(w);
      if (w->Visible()) NativeWindowShown(w, false); else NativeWindowHidden(w);
    }
  } else {
    // The topmost flag follows SetWindowPos only, as on the platform.
    DWORD topmost = w->exStyle & WS_EX_TOPMOST;
    w->exStyle = (change.styleNew & ~WS_EX_TOPMOST) | topmost;
  }
  SendInternalMessage(w, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
}

}  // namespace

void LinkWindow(Window* window, Window* parent, Window* insertAfter) {
  window->parent = parent;
  ChildLayoutChanged(parent);
  if (insertAfter == nullptr) {  // top
    window->prev = nullptr;
    window->next = parent->firstChild;
    if (parent->firstChild) parent->firstChild->prev = window; else parent->lastChild = window;
    parent->firstChild = window;
    return;
  }
  window->prev = insertAfter;
  window->next = insertAfter->next;
  if (insertAfter->next) insertAfter->next->prev = window; else parent->lastChild = window;
  insertAfter->next = window;
}

void UnlinkWindow(Window* window) {
  Window* parent = window->parent;
  if (!parent) return;
  ChildLayoutChanged(parent);
  if (window->prev) window->prev->next = window->next; else parent->firstChild = window->next;
  if (window->next) window->next->prev = window->prev; else parent->lastChild = window->prev;
  window->prev = window->next = nullptr;
}

bool WindowOfCurrentThread(const Window* window) {
  return window && window->queue == &CurrentQueue();
}

HWND CreateWindowEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
                    int width, int height, HWND parentHandle, HMENU menu, HINSTANCE instance, void* param) {
  WindowClass* windowClass = FindWindowClass(className);
  if (!windowClass) return nullptr;
  Window* parent = Desktop();
  Window* owner = nullptr;
  bool child = (style & (WS_CHILD | WS_POPUP)) == WS_CHILD;
  if (child) {
    parent = WindowFromHandle(parentHandle);
    if (!parent) return nullptr;
  } else if (parentHandle && parentHandle != HWND_MESSAGE) {
    Window* ownerCandidate = WindowFromHandle(parentHandle);
    if (!ownerCandidate) return nullptr;
    owner = TopLevelOf(ownerCandidate);
  }

  auto window = std::make_unique<Window>();
  Window* w = window.get();
  w->windowClass = windowClass;
  w->proc = windowClass->proc;
  w->instance = instance;
  w->extraBytes.assign(windowClass->windowExtraBytes, 0);
  w->queue = &CurrentQueue();
  w->threadId = w->queue->threadId;
  w->owner = owner;
  if (child) {
    w->id = reinterpret_cast<LONG_PTR>(menu);
  } else {
    style |= WS_CLIPSIBLINGS;
    if (!(style & WS_POPUP)) style |= WS_CAPTION;
  }
  if ((exStyle & WS_EX_DLGMODALFRAME) || (style & (WS_DLGFRAME | WS_THICKFRAME))) exStyle |= WS_EX_WINDOWEDGE;
  w->style = style & ~WS_VISIBLE;
  w->exStyle = exStyle;

  if (!child) {
    POINT place = NextCascadePoint();
    SIZE screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (x == CW_USEDEFAULT) { x = place.X; y = place.Y; }
    if (width == CW_USEDEFAULT) { width = screen.cx * 3 / 4; height = screen.cy * 3 / 4; }
  } else {
    if (x == CW_USEDEFAULT) x = y = 0;
    if (width == CW_USEDEFAULT) width = height = 0;
  }
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  w->windowRect = Bounds(x, y, width, height);
  w->clientRect = w->windowRect;
  w->normalRect = w->windowRect;

  if (!AllocateWindowHandle(window.release())) return nullptr;
  windowClass->windows++;
  HWND handle = w->handle;
  WindowGuard guard(w);

  // New children go below their siblings (creation order is tab order); top-level windows on top
  // of their band.
  if (child) {
    LinkWindow(w, parent, parent->lastChild);
  } else {
    Window* after = nullptr;
    if (!IsTopmost(w)) {
      for (Window* s = parent->firstChild; s && IsTopmost(s); s = s->next) after = s;
    }
    LinkWindow(w, parent, after);
  }

  CREATESTRUCT create;
  create.lpCreateParams = param;
  create.hInstance = instance;
  create.hMenu = menu;
  create.hwndParent = child ? parent->handle : (owner ? owner->handle : nullptr);
  create.cx = width;
  create.cy = height;
  create.x = x;
  create.y = y;
  create.style = static_cast<LONG>(style);
  create.lpszName = windowName;
  create.lpszClass = className;
  create.dwExStyle = exStyle;

  if (!child && ((style & WS_THICKFRAME) || !(style & WS_POPUP))) {
    MINMAXINFO info;
    QueryMinMaxInfo(w, &info);
    if (w->destroyed) return nullptr;
  }
  if (!SendInternalMessage(w, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create))) {
    DestroyWindow(handle);
    return nullptr;
  }
  RecalcClientRect(w);
  if (w->destroyed) return nullptr;
  if (SendInternalMessage(w, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
    DestroyWindow(handle);
    return nullptr;
  }
  if (w->destroyed) return nullptr;
  RECT client = w->clientRect;
  SendInternalMessage(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(static_cast<WORD>(client.Width()), static_cast<WORD>(client.Height())));
  SendInternalMessage(w, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(client.Left), static_cast<WORD>(client.Top)));
  w->sizeMessagesSent = true;
  if (w->destroyed) return nullptr;
  if (child && !(exStyle & WS_EX_NOPARENTNOTIFY)) {
    SendInternalMessage(parent, WM_PARENTNOTIFY, MAKEWPARAM(static_cast<WORD>(WM_CREATE), static_cast<WORD>(w->id)),
                  reinterpret_cast<LPARAM>(handle));
  }
  if (w->destroyed) return nullptr;
  if (style & WS_VISIBLE) ShowWindow(handle, child ? SW_SHOW : SW_SHOWNORMAL);
  return w->destroyed ? nullptr : handle;
}

BOOL DestroyWindow(HWND handle) {
  Window* w = WindowFromHandle(handle);
  if (!w || w == Desktop() || w->destroying) return FALSE;
  WindowGuard guard(w);
  w->destroying = true;
  std::vector<HWND> subtree;
  CollectChildren(w, subtree, true);
  for (HWND h : subtree) WindowFromHandle(h)->destroying = true;

  if (w->IsChild() && !(w->exStyle & WS_EX_NOPARENTNOTIFY)) {
    SendInternalMessage(w->parent, WM_PARENTNOTIFY, MAKEWPARAM(static_cast<WORD>(WM_DESTROY), static_cast<WORD>(w->id)),
                  reinterpret_cast<LPARAM>(handle));
  }
  if (w->IsTopLevel()) {
    std::vector<HWND> owned;
    for (Window* t = Desktop()->firstChild; t; t = t->next) {
      if (t->owner == w) owned.push_back(t->handle);
    }
    for (HWND h : owned) DestroyWindow(h);
  }
  if (w->destroyed) return TRUE;
  if (w->Visible()) {
    SetWindowPosInternal(w, nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
  }
  FocusWindowDestroyed(w);
  if (w->destroyed) return TRUE;
  SendDestroyMessages(w);
  if (!w->destroyed) FreeWindow(w);
  return TRUE;
}

BOOL IsWindow(HWND window) {
  Window* w = WindowFromHandle(window);
  return w && w != Desktop();
}

HWND GetDesktopWindow() { return Desktop() ? Desktop()->handle : nullptr; }

HWND GetParent(HWND window) {
  Window* w = WindowFromHandle(window);
  if (!w) return nullptr;
  if (w->IsChild()) return w->parent->handle;
  if ((w->style & WS_POPUP) && w->owner) return w->owner->handle;
  return nullptr;
}

HWND SetParent(HWND window, HWND newParentHandle) {
  Window* w = WindowFromHandle(window);
  if (!w || w == Desktop()) return nullptr;
  Window* newParent = newParentHandle ? WindowFromHandle(newParentHandle) : Desktop();
  if (!newParent) return nullptr;
  for (Window* p = newParent; p; p = p->parent) {
    if (p == w) return nullptr;  // a window cannot become its own descendant
  }
  Window* oldParent = w->parent;
  HWND oldHandle = oldParent->handle;
  if (oldParent == newParent) return oldHandle;
  WindowGuard guard(w);
  bool wasVisible = w->Visible();
  if (wasVisible) {
    SetWindowPosInternal(w, nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
  }
  if (w->destroyed) return nullptr;
  bool wasTopLevel = w->IsTopLevel();
  UnlinkWindow(w);
  LinkWindow(w, newParent, nullptr);
  if (wasTopLevel && !w->IsTopLevel()) {
    NativeWindowDestroyed(w);
    UpdateWindowSurface(w);
  }
  if (wasVisible) {
    SetWindowPosInternal(w, HWND_TOP, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
  }
  return oldHandle == GetDesktopWindow() ? GetDesktopWindow() : oldHandle;
}

HWND GetAncestor(HWND window, UINT flags) {
  Window* w = WindowFromHandle(window);
  if (!w || w == Desktop()) return nullptr;
  switch (flags) {
    case GA_PARENT: return w->parent->handle;
    case GA_ROOT: return TopLevelOf(w)->handle;
    case GA_ROOTOWNER: {
      Window* root = TopLevelOf(w);
      while (root->owner) root = root->owner;
      return root->handle;
    }
    default: return nullptr;
  }
}

HWND GetWindow(HWND window, UINT command) {
  Window* w = WindowFromHandle(window);
  if (!w) return nullptr;
  Window* result = nullptr;
  switch (command) {
    case GW_HWNDFIRST: result = w->parent ? w->parent->firstChild : w; break;
    case GW_HWNDLAST: result = w->parent ? w->parent->lastChild : w; break;
    case GW_HWNDNEXT: result = w->next; break;
    case GW_HWNDPREV: result = w->prev; break;
    case GW_OWNER: result = w->owner; break;
    case GW_CHILD: result = w->firstChild; break;
    case GW_ENABLEDPOPUP:
      for (Window* t = Desktop()->firstChild; t; t = t->next) {
        if (t->owner == w && t->Visible() && t->Enabled()) { result = t; break; }
      }
      break;
    default: break;
  }
  return result ? result->handle : nullptr;
}

HWND GetTopWindow(HWND window) {
  Window* w = window ? WindowFromHandle(window) : Desktop();
  return w && w->firstChild ? w->firstChild->handle : nullptr;
}

BOOL IsChild(HWND parentHandle, HWND window) {
  Window* parent = WindowFromHandle(parentHandle);
  Window* w = WindowFromHandle(window);
  if (!parent || !w) return FALSE;
  for (; w && w->IsChild(); w = w->parent) {
    if (w->parent == parent) return TRUE;
  }
  return FALSE;
}

BOOL EnumChildWindows(HWND parentHandle, WNDENUMPROC callback, LPARAM lParam) {
  Window* parent = parentHandle ? WindowFromHandle(parentHandle) : Desktop();
  if (!parent || !callback) return FALSE;
  std::vector<HWND> all;
  CollectChildren(parent, all, true);
  for (HWND h : all) {
    if (IsWindow(h) && !callback(h, lParam)) return FALSE;
  }
  return TRUE;
}

BOOL EnumWindows(WNDENUMPROC callback, LPARAM lParam) {
  if (!callback) return FALSE;
  std::vector<HWND> all;
  CollectChildren(Desktop(), all, false);
  for (HWND h : all) {
    if (IsWindow(h) && !callback(h, lParam)) return FALSE;
  }
  return TRUE;
}

BOOL EnumThreadWindows(DWORD threadId, WNDENUMPROC callback, LPARAM lParam) {
  if (!callback) return FALSE;
  std::vector<HWND> all;
  for (Window* w = Desktop()->firstChild; w; w = w->next) {
    if (w->threadId == threadId) all.push_back(w->handle);
  }
  for (HWND h : all) {
    if (IsWindow(h) && !callback(h, lParam)) return FALSE;
  }
  return TRUE;
}

HWND FindWindowEx(HWND parentHandle, HWND childAfter, const char* className, const char* windowName) {
  Window* parent = parentHandle ? WindowFromHandle(parentHandle) : Desktop();
  if (!parent) return nullptr;
  WindowClass* wanted = className ? FindWindowClass(className) : nullptr;
  if (className && !wanted) return nullptr;
  Window* start = parent->firstChild;
  if (childAfter) {
    Window* after = WindowFromHandle(childAfter);
    if (!after || after->parent != parent) return nullptr;
    start = after->next;
  }
  for (Window* w = start; w; w = w->next) {
    if (wanted && w->windowClass != wanted) continue;
    if (windowName && w->text != windowName) continue;
    return w->handle;
  }
  return nullptr;
}

HWND FindWindow(const char* className, const char* windowName) {
  return FindWindowEx(nullptr, nullptr, className, windowName);
}

LONG_PTR GetWindowLongPtr(HWND window, int index) {
  Window* w = WindowFromHandle(window);
  if (!w) return 0;
  switch (index) {
    case GWL_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWL_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
    case GWL_HWNDPARENT:
      return reinterpret_cast<LONG_PTR>(w->IsChild() ? w->parent->handle : (w->owner ? w->owner->handle : nullptr));
    case GWL_STYLE: return static_cast<LONG>(w->style);
    case GWL_EXSTYLE: return static_cast<LONG>(w->exStyle);
    case GWL_USERDATA: return w->userData;
    case GWL_ID: return w->id;
    default:
      LONG_PTR value;
      return ReadExtraBytes(w->extraBytes, index, value) ? value : 0;
  }
}

LONG_PTR SetWindowLongPtr(HWND window, int index, LONG_PTR value) {
  Window* w = WindowFromHandle(window);
  if (!w) return 0;
  LONG_PTR old = GetWindowLongPtr(window, index);
  switch (index) {
    case GWL_WNDPROC: w->proc = reinterpret_cast<WNDPROC>(value); break;
    case GWL_HINSTANCE: w->instance = reinterpret_cast<HINSTANCE>(value); break;
    case GWL_HWNDPARENT:
      if (w->IsTopLevel()) {
        Window* owner = WindowFromHandle(reinterpret_cast<HWND>(value));
        w->owner = owner ? TopLevelOf(owner) : nullptr;
      }
      break;
    case GWL_STYLE:
    case GWL_EXSTYLE: SetStyle(w, index, static_cast<DWORD>(value)); break;
    case GWL_USERDATA: w->userData = value; break;
    case GWL_ID: w->id = value; break;
    default:
      if (!WriteExtraBytes(w->extraBytes, index, value)) return 0;
      break;
  }
  return old;
}

LONG GetWindowLong(HWND window, int index) {
  Window* w = WindowFromHandle(window);
  if (w && index >= 0) {
    LONG value;
    return ReadExtraBytes(w->extraBytes, index, value) ? value : 0;
  }
  return static_cast<LONG>(GetWindowLongPtr(window, index));
}

LONG SetWindowLong(HWND window, int index, LONG value) {
  Window* w = WindowFromHandle(window);
  if (w && index >= 0) {
    LONG old;
    if (!ReadExtraBytes(w->extraBytes, index, old)) return 0;
    WriteExtraBytes(w->extraBytes, index, value);
    return old;
  }
  // Styles are 32-bit values: keep them unsigned rather than sign-extended.
  LONG_PTR wide = (index == GWL_STYLE || index == GWL_EXSTYLE) ? static_cast<LONG_PTR>(static_cast<DWORD>(value))
                                                               : static_cast<LONG_PTR>(value);
  return static_cast<LONG>(SetWindowLongPtr(window, index, wide));
}

BOOL GetWindowInfo(HWND window, WINDOWINFO* info) {
  Window* w = WindowFromHandle(window);
  if (!w || !info) return FALSE;
  GetWindowRect(window, &info->rcWindow);
  POINT origin = ClientOrigin(w);
  info->rcClient = Bounds(origin.X, origin.Y, w->clientRect.Width(), w->clientRect.Height());
  info->dwStyle = w->style;
  info->dwExStyle = w->exStyle;
  info->dwWindowStatus = GetActiveWindow() == window ? WS_ACTIVECAPTION : 0;
  RECT insets = FrameInsets(w->style, w->exStyle, w->IsChild());
  info->cxWindowBorders = static_cast<UINT>(insets.Left);
  info->cyWindowBorders = static_cast<UINT>(insets.Bottom);
  info->atomWindowType = w->windowClass ? w->windowClass->atom : 0;
  info->wCreatorVersion = 0x0501;
  return TRUE;
}

BOOL IsWindowVisible(HWND window) {
  Window* w = WindowFromHandle(window);
  return w && IsReallyVisible(w);
}

BOOL IsWindowEnabled(HWND window) {
  Window* w = WindowFromHandle(window);
  return w && w->Enabled();
}

BOOL EnableWindow(HWND window, BOOL enable) {
  Window* w = WindowFromHandle(window);
  if (!w) return FALSE;
  BOOL wasDisabled = !w->Enabled();
  if (enable && wasDisabled) {
    w->style &= ~WS_DISABLED;
    SendInternalMessage(w, WM_ENABLE, TRUE, 0);
  } else if (!enable && !wasDisabled) {
    WindowGuard guard(w);
    SendInternalMessage(w, WM_CANCELMODE, 0, 0);
    if (w->destroyed) return FALSE;
    w->style |= WS_DISABLED;
    HWND focus = GetFocus();
    if (focus == window || IsChild(window, focus)) SetFocus(nullptr);
    SendInternalMessage(w, WM_ENABLE, FALSE, 0);
  }
  return wasDisabled;
}

BOOL IsIconic(HWND window) {
  Window* w = WindowFromHandle(window);
  return w && (w->style & WS_MINIMIZE);
}

BOOL IsZoomed(HWND window) {
  Window* w = WindowFromHandle(window);
  return w && (w->style & WS_MAXIMIZE);
}

BOOL IsWindowUnicode(HWND) { return FALSE; }

BOOL SetWindowText(HWND window, const char* text) {
  if (!IsWindow(window)) return FALSE;
  return SendMessage(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")) != 0;
}

int GetWindowText(HWND window, char* buffer, int size) {
  if (!buffer || size <= 0) return 0;
  buffer[0] = 0;
  if (!IsWindow(window)) return 0;
  return static_cast<int>(SendMessage(window, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLength(HWND window) {
  if (!IsWindow(window)) return 0;
  return static_cast<int>(SendMessage(window, WM_GETTEXTLENGTH, 0, 0));
}

BOOL SetProp(HWND window, const char* name, HANDLE data) {
  Window* w = WindowFromHandle(window);
  if (!w || !name) return FALSE;
  if (WindowProperty* p = FindProperty(w, name)) {
    p->value = data;
  } else {
    w->properties.push_back({PropertyKey(name), data});
  }
  return TRUE;
}

HANDLE GetProp(HWND window, const char* name) {
  Window* w = WindowFromHandle(window);
  if (!w || !name) return nullptr;
  WindowProperty* p = FindProperty(w, name);
  return p ? p->value : nullptr;
}

HANDLE RemoveProp(HWND window, const char* name) {
  Window* w = WindowFromHandle(window);
  if (!w || !name) return nullptr;
  WindowProperty* p = FindProperty(w, name);
  if (!p) return nullptr;
  HANDLE value = p->value;
  w->properties.erase(w->properties.begin() + (p - w->properties.data()));
  return value;
}
