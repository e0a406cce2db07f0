#pragma once
// Creating and destroying windows and walking the window tree: parents, owners, z-order of
// siblings, styles and the window's own data (text, properties, extra bytes, user data).

#include "rtl/WinTypes.h"
#include "user/Messages.h"
#include "user/WindowStyles.h"

struct CREATESTRUCT {
  void* lpCreateParams = nullptr;
  HINSTANCE hInstance = nullptr;
  HMENU hMenu = nullptr;
  HWND hwndParent = nullptr;
  int cy = 0;
  int cx = 0;
  int y = 0;
  int x = 0;
  LONG style = 0;
  const char* lpszName = nullptr;
  const char* lpszClass = nullptr;
  DWORD dwExStyle = 0;
};
using CREATESTRUCTA = CREATESTRUCT;

struct STYLESTRUCT {
  DWORD styleOld = 0;
  DWORD styleNew = 0;
};

struct WINDOWINFO {
  DWORD cbSize = sizeof(WINDOWINFO);
  RECT rcWindow;
  RECT rcClient;
  DWORD dwStyle = 0;
  DWORD dwExStyle = 0;
  DWORD dwWindowStatus = 0;
  UINT cxWindowBorders = 0;
  UINT cyWindowBorders = 0;
  ATOM atomWindowType = 0;
  WORD wCreatorVersion = 0;
};
constexpr DWORD WS_ACTIVECAPTION = 0x0001;

constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000);
const HWND HWND_MESSAGE = reinterpret_cast<HWND>(static_cast<intptr_t>(-3));

// GetWindowLong(Ptr) / SetWindowLong(Ptr) indices
constexpr int GWL_WNDPROC = -4;
constexpr int GWL_HINSTANCE = -6;
constexpr int GWL_HWNDPARENT = -8;
constexpr int GWL_STYLE = -16;
constexpr int GWL_EXSTYLE = -20;
constexpr int GWL_USERDATA = -21;
constexpr int GWL_ID = -12;
constexpr int GWLP_WNDPROC = GWL_WNDPROC;
constexpr int GWLP_HINSTANCE = GWL_HINSTANCE;
constexpr int GWLP_HWNDPARENT = GWL_HWNDPARENT;
constexpr int GWLP_USERDATA = GWL_USERDATA;
constexpr int GWLP_ID = GWL_ID;

// GetWindow
constexpr UINT GW_HWNDFIRST = 0;
constexpr UINT GW_HWNDLAST = 1;
constexpr UINT GW_HWNDNEXT = 2;
constexpr UINT GW_HWNDPREV = 3;
constexpr UINT GW_OWNER = 4;
constexpr UINT GW_CHILD = 5;
constexpr UINT GW_ENABLEDPOPUP = 6;

// GetAncestor
constexpr UINT GA_PARENT = 1;
constexpr UINT GA_ROOT = 2;
constexpr UINT GA_ROOTOWNER = 3;

using WNDENUMPROC = BOOL (*)(HWND window, LPARAM lParam);

// Messages in order: WM_GETMINMAXINFO (resizable top-level), WM_NCCREATE, WM_NCCALCSIZE,
// WM_CREATE, WM_SIZE, WM_MOVE, then the WS_VISIBLE show. 0 when the class is unknown, the parent
// is not a window, or WM_NCCREATE answers 0 or WM_CREATE -1 (the window is destroyed again).
HWND CreateWindowEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x,
                    int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance, void* param);
inline HWND CreateWindowExA(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                            int x, int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, void* param) {
  return CreateWindowEx(exStyle, className, windowName, style, x, y, width, height, parent, menu,
                        instance, param);
}
inline HWND CreateWindow(const char* className, const char* windowName, DWORD style, int x, int y,
                         int width, int height, HWND parent, HMENU menu, HINSTANCE instance, void* param) {
  return CreateWindowEx(0, className, windowName, style, x, y, width, height, parent, menu, instance, param);
}
// Hides the window, sends WM_DESTROY to it and then to its children, WM_NCDESTROY to the children
// and last to it; owned windows are destroyed first. Safe inside the window's own messages: the
// handle is dead at once, the object lives until its procedures return.
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);
HWND GetDesktopWindow();

HWND GetParent(HWND window);  // the parent of a child, the owner of a top-level window
HWND SetParent(HWND window, HWND newParent);
HWND GetAncestor(HWND window, UINT flags);
HWND GetWindow(HWND window, UINT command);
HWND GetTopWindow(HWND window);
inline HWND GetNextWindow(HWND window, UINT command) { return GetWindow(window, command); }
BOOL IsChild(HWND parent, HWND window);
// Every descendant, parents before their children, in z-order.
BOOL EnumChildWindows(HWND parent, WNDENUMPROC callback, LPARAM lParam);
// Every top-level window, in z-order.
BOOL EnumWindows(WNDENUMPROC callback, LPARAM lParam);
BOOL EnumThreadWindows(DWORD threadId, WNDENUMPROC callback, LPARAM lParam);
HWND FindWindow(const char* className, const char* windowName);
HWND FindWindowEx(HWND parent, HWND childAfter, const char* className, const char* windowName);
inline HWND FindWindowA(const char* c, const char* n) { return FindWindow(c, n); }

LONG GetWindowLong(HWND window, int index);
LONG SetWindowLong(HWND window, int index, LONG value);
LONG_PTR GetWindowLongPtr(HWND window, int index);
LONG_PTR SetWindowLongPtr(HWND window, int index, LONG_PTR value);
inline LONG GetWindowLongA(HWND w, int i) { return GetWindowLong(w, i); }
inline LONG SetWindowLongA(HWND w, int i, LONG v) { return SetWindowLong(w, i, v); }
inline LONG_PTR GetWindowLongPtrA(HWND w, int i) { return GetWindowLongPtr(w, i); }
inline LONG_PTR SetWindowLongPtrA(HWND w, int i, LONG_PTR v) { return SetWindowLongPtr(w, i, v); }
BOOL GetWindowInfo(HWND window, WINDOWINFO* info);
// Windows here carry no menu bar: always 0.
inline HMENU GetMenu(HWND) { return nullptr; }

BOOL IsWindowVisible(HWND window);  // the window and all its ancestors have WS_VISIBLE
BOOL IsWindowEnabled(HWND window);
// Sends WM_CANCELMODE before disabling, then WM_ENABLE; answers whether it was disabled before.
BOOL EnableWindow(HWND window, BOOL enable);
BOOL IsIconic(HWND window);
BOOL IsZoomed(HWND window);
BOOL IsWindowUnicode(HWND window);

// Window text goes through WM_SETTEXT / WM_GETTEXT / WM_GETTEXTLENGTH.
BOOL SetWindowText(HWND window, const char* text);
int GetWindowText(HWND window, char* buffer, int size);
int GetWindowTextLength(HWND window);
inline BOOL SetWindowTextA(HWND w, const char* t) { return SetWindowText(w, t); }
inline int GetWindowTextA(HWND w, char* b, int s) { return GetWindowText(w, b, s); }
inline int GetWindowTextLengthA(HWND w) { return GetWindowTextLength(w); }

BOOL SetProp(HWND window, const char* name, HANDLE data);
HANDLE GetProp(HWND window, const char* name);
HANDLE RemoveProp(HWND window, const char* name);
inline BOOL SetPropA(HWND w, const char* n, HANDLE d) { return SetProp(w, n, d); }
inline HANDLE GetPropA(HWND w, const char* n) { return GetProp(w, n); }
inline HANDLE RemovePropA(HWND w, const char* n) { return RemoveProp(w, n); }
