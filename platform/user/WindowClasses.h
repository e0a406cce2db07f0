#pragma once
// Window classes: the procedure, styles, cursor and background brush that windows of a class
// start with. Names are compared without regard to case.

#include "rtl/WinTypes.h"
#include "user/Messages.h"
#include "user/WindowStyles.h"

struct WNDCLASS {
  UINT style = 0;
  WNDPROC lpfnWndProc = nullptr;
  int cbClsExtra = 0;
  int cbWndExtra = 0;
  HINSTANCE hInstance = nullptr;
  HICON hIcon = nullptr;
  HCURSOR hCursor = nullptr;
  HBRUSH hbrBackground = nullptr;
  const char* lpszMenuName = nullptr;
  const char* lpszClassName = nullptr;
};
using WNDCLASSA = WNDCLASS;

struct WNDCLASSEX {
  UINT cbSize = sizeof(WNDCLASSEX);
  UINT style = 0;
  WNDPROC lpfnWndProc = nullptr;
  int cbClsExtra = 0;
  int cbWndExtra = 0;
  HINSTANCE hInstance = nullptr;
  HICON hIcon = nullptr;
  HCURSOR hCursor = nullptr;
  HBRUSH hbrBackground = nullptr;
  const char* lpszMenuName = nullptr;
  const char* lpszClassName = nullptr;
  HICON hIconSm = nullptr;
};
using WNDCLASSEXA = WNDCLASSEX;

// GetClassLong(Ptr) / SetClassLong(Ptr) indices
constexpr int GCLP_MENUNAME = -8;
constexpr int GCLP_HBRBACKGROUND = -10;
constexpr int GCLP_HCURSOR = -12;
constexpr int GCLP_HICON = -14;
constexpr int GCLP_HMODULE = -16;
constexpr int GCL_CBWNDEXTRA = -18;
constexpr int GCL_CBCLSEXTRA = -20;
constexpr int GCLP_WNDPROC = -24;
constexpr int GCL_STYLE = -26;
constexpr int GCW_ATOM = -32;
constexpr int GCLP_HICONSM = -34;
constexpr int GCL_HBRBACKGROUND = GCLP_HBRBACKGROUND;
constexpr int GCL_HCURSOR = GCLP_HCURSOR;
constexpr int GCL_WNDPROC = GCLP_WNDPROC;

// A class background of a system colour is written as (HBRUSH)(COLOR_xxx + 1).
inline HBRUSH SysColorClassBrush(int colorIndex) {
  return reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(colorIndex + 1));
}

// The class atom, 0 when the name is taken or missing.
ATOM RegisterClass(const WNDCLASS* windowClass);
ATOM RegisterClassEx(const WNDCLASSEX* windowClass);
inline ATOM RegisterClassA(const WNDCLASS* c) { return RegisterClass(c); }
inline ATOM RegisterClassExA(const WNDCLASSEX* c) { return RegisterClassEx(c); }
// Fails while windows of the class exist.
BOOL UnregisterClass(const char* className, HINSTANCE instance);
BOOL GetClassInfo(HINSTANCE instance, const char* className, WNDCLASS* windowClass);
BOOL GetClassInfoEx(HINSTANCE instance, const char* className, WNDCLASSEX* windowClass);
inline BOOL UnregisterClassA(const char* n, HINSTANCE i) { return UnregisterClass(n, i); }
inline BOOL GetClassInfoA(HINSTANCE i, const char* n, WNDCLASS* c) { return GetClassInfo(i, n, c); }
// Copies the class name (cut to size - 1, zero-terminated); answers the characters copied.
int GetClassName(HWND window, char* buffer, int size);
inline int GetClassNameA(HWND window, char* buffer, int size) { return GetClassName(window, buffer, size); }
DWORD GetClassLong(HWND window, int index);
ULONG_PTR GetClassLongPtr(HWND window, int index);
DWORD SetClassLong(HWND window, int index, LONG value);
ULONG_PTR SetClassLongPtr(HWND window, int index, LONG_PTR value);
