#include "user/WindowClasses.h"

#include <strings.h>

#include <cstring>
#include <memory>
#include <vector>

#include "user/ExtraBytes.h"
#include "user/Window.h"

namespace {

// Never destroyed, like the window table: exit handlers and static destructors may still destroy
// windows, which point to their class.
std::vector<std::unique_ptr<WindowClass>>& gClasses = *new std::vector<std::unique_ptr<WindowClass>>;
ATOM gNextAtom = 0xC000;

bool IsIntAtom(const char* name) { return reinterpret_cast<uintptr_t>(name) <= 0xFFFF; }

WindowClass* ClassOfWindow(HWND handle) {
  Window* window = WindowFromHandle(handle);
  return window ? window->windowClass : nullptr;
}

ATOM Register(const WNDCLASSEX& c) {
  if (!c.lpszClassName || IsIntAtom(c.lpszClassName) || !*c.lpszClassName) return 0;
  if (FindWindowClass(c.lpszClassName)) return 0;
  auto entry = std::make_unique<WindowClass>();
  entry->name = c.lpszClassName;
  entry->atom = gNextAtom++;
  entry->style = c.style;
  entry->proc = c.lpfnWndProc;
  entry->classExtraBytes = c.cbClsExtra > 0 ? c.cbClsExtra : 0;
  entry->windowExtraBytes = c.cbWndExtra > 0 ? c.cbWndExtra : 0;
  entry->instance = c.hInstance;
  entry->icon = c.hIcon;
  entry->smallIcon = c.hIconSm;
  entry->cursor = c.hCursor;
  entry->background = c.hbrBackground;
  if (c.lpszMenuName && !IsIntAtom(c.lpszMenuName)) entry->menuName = c.lpszMenuName;
  entry->extraBytes.assign(entry->classExtraBytes, 0);
  ATOM atom = entry->atom;
  gClasses.push_back(std::move(entry));
  return atom;
}

void Describe(const WindowClass& c, WNDCLASSEX* out) {
  out->style = c.style;
  out->lpfnWndProc = c.proc;
  out->cbClsExtra = c.classExtraBytes;
  out->cbWndExtra = c.windowExtraBytes;
  out->hInstance = c.instance;
  out->hIcon = c.icon;
  out->hCursor = c.cursor;
  out->hbrBackground = c.background;
  out->lpszMenuName = c.menuName.empty() ? nullptr : c.menuName.c_str();
  out->lpszClassName = c.name.c_str();
  out->hIconSm = c.smallIcon;
}

}  // namespace

WindowClass* FindWindowClass(const char* nameOrAtom) {
  if (!nameOrAtom) return nullptr;
  if (IsIntAtom(nameOrAtom)) {
    ATOM atom = static_cast<ATOM>(reinterpret_cast<uintptr_t>(nameOrAtom));
    for (auto& c : gClasses) if (c->atom == atom) return c.get();
    return nullptr;
  }
  for (auto& c : gClasses) if (strcasecmp(c->name.c_str(), nameOrAtom) == 0) return c.get();
  return nullptr;
}

ATOM RegisterClass(const WNDCLASS* windowClass) {
  if (!windowClass) return 0;
  WNDCLASSEX ex;
  ex.style = windowClass->style;
  ex.lpfnWndProc = windowClass->lpfnWndProc;
  ex.cbClsExtra = windowClass->cbClsExtra;
  ex.cbWndExtra = windowClass->cbWndExtra;
  ex.hInstance = windowClass->hInstance;
  ex.hIcon = windowClass->hIcon;
  ex.hCursor = windowClass->hCursor;
  ex.hbrBackground = windowClass->hbrBackground;
  ex.lpszMenuName = windowClass->lpszMenuName;
  ex.lpszClassName = windowClass->lpszClassName;
  return Register(ex);
}

ATOM RegisterClassEx(const WNDCLASSEX* windowClass) { return windowClass ? Register(*windowClass) : 0; }

BOOL UnregisterClass(const char* className, HINSTANCE) {
  WindowClass* c = FindWindowClass(className);
  if (!c || c->windows > 0) return FALSE;
  std::erase_if(gClasses, [&](const auto& entry) { return entry.get() == c; });
  return TRUE;
}

BOOL GetClassInfoEx(HINSTANCE, const char* className, WNDCLASSEX* windowClass) {
  WindowClass* c = FindWindowClass(className);
  if (!c || !windowClass) return FALSE;
  Describe(*c, windowClass);
  return TRUE;
}

BOOL GetClassInfo(HINSTANCE instance, const char* className, WNDCLASS* windowClass) {
  WNDCLASSEX ex;
  if (!windowClass || !GetClassInfoEx(instance, className, &ex)) return FALSE;
  windowClass->style = ex.style;
  windowClass->lpfnWndProc = ex.lpfnWndProc;
  windowClass->cbClsExtra = ex.cbClsExtra;
  windowClass->cbWndExtra = ex.cbWndExtra;
  windowClass->hInstance = ex.hInstance;
  windowClass->hIcon = ex.hIcon;
  windowClass->hCursor = ex.hCursor;
  windowClass->hbrBackground = ex.hbrBackground;
  windowClass->lpszMenuName = ex.lpszMenuName;
  windowClass->lpszClassName = ex.lpszClassName;
  return TRUE;
}

int GetClassName(HWND window, char* buffer, int size) {
  WindowClass* c = ClassOfWindow(window);
  if (!c || !buffer || size <= 0) return 0;
  int length = std::min<int>(static_cast<int>(c->name.size()), size - 1);
  std::memcpy(buffer, c->name.data(), length);
  buffer[length] = 0;
  return length;
}

ULONG_PTR GetClassLongPtr(HWND window, int index) {
  WindowClass* c = ClassOfWindow(window);
  if (!c) return 0;
  switch (index) {
    case GCLP_HBRBACKGROUND: return reinterpret_cast<ULONG_PTR>(c->background);
    case GCLP_HCURSOR: return reinterpret_cast<ULONG_PTR>(c->cursor);
    case GCLP_HICON: return reinterpret_cast<ULONG_PTR>(c->icon);
    case GCLP_HICONSM: return reinterpret_cast<ULONG_PTR>(c->smallIcon);
    case GCLP_HMODULE: return reinterpret_cast<ULONG_PTR>(c->instance);
    case GCLP_WNDPROC: return reinterpret_cast<ULONG_PTR>(c->proc);
    case GCL_STYLE: return c->style;
    case GCL_CBWNDEXTRA: return static_cast<ULONG_PTR>(c->windowExtraBytes);
    case GCL_CBCLSEXTRA: return static_cast<ULONG_PTR>(c->classExtraBytes);
    case GCW_ATOM: return c->atom;
    default:
      ULONG_PTR value;
      return ReadExtraBytes(c->extraBytes, index, value) ? value : 0;
  }
}

ULONG_PTR SetClassLongPtr(HWND window, int index, LONG_PTR value) {
  WindowClass* c = ClassOfWindow(window);
  if (!c) return 0;
  ULONG_PTR old = GetClassLongPtr(window, index);
  switch (index) {
    case GCLP_HBRBACKGROUND: c->background = reinterpret_cast<HBRUSH>(value); break;
    case GCLP_HCURSOR: c->cursor = reinterpret_cast<HCURSOR>(value); break;
    case GCLP_HICON: c->icon = reinterpret_cast<HICON>(value); break;
    case GCLP_HICONSM: c->smallIcon = reinterpret_cast<HICON>(value); break;
    case GCLP_WNDPROC: c->proc = reinterpret_cast<WNDPROC>(value); break;
    case GCL_STYLE: c->style = static_cast<UINT>(value); break;
    default:
      if (!WriteExtraBytes(c->extraBytes, index, value)) return 0;
      break;
  }
  return old;
}

DWORD GetClassLong(HWND window, int index) { return static_cast<DWORD>(GetClassLongPtr(window, index)); }

DWORD SetClassLong(HWND window, int index, LONG value) {
  return static_cast<DWORD>(SetClassLongPtr(window, index, value));
}
