#pragma once
// Win32 scalar and handle types, with their documented sizes. Handles are distinct opaque pointer
// types so that a brush cannot be passed where a window is expected; every one converts to HANDLE
// and HGDIOBJ as in Win32.

#include <cstdint>

#include "rtl/Types.h"

using BOOL = int32_t;
using BYTE = uint8_t;
using WORD = uint16_t;
using DWORD = uint32_t;
using UINT = uint32_t;
using INT = int32_t;
using LONG = int32_t;
using ULONG = uint32_t;
using SHORT = int16_t;
using USHORT = uint16_t;
using LONGLONG = int64_t;
using ULONGLONG = uint64_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using LONG_PTR = intptr_t;
using ULONG_PTR = uintptr_t;
using DWORD_PTR = uintptr_t;
using UINT_PTR = uintptr_t;
using INT_PTR = intptr_t;
using ATOM = uint16_t;
using COLORREF = uint32_t;
using HRESULT = int32_t;
using LPVOID = void*;
using LPCVOID = const void*;
using LPSTR = char*;
using LPCSTR = const char*;

constexpr BOOL FALSE = 0;
constexpr BOOL TRUE = 1;

using RECT = TRect;
using POINT = TPoint;
using SIZE = TSize;
using LPRECT = TRect*;
using LPPOINT = TPoint*;

using HANDLE = void*;
using HGDIOBJ = void*;

#define TAVREN_DECLARE_HANDLE(name) \
  struct name##__;                  \
  using name = name##__*

TAVREN_DECLARE_HANDLE(HWND);
TAVREN_DECLARE_HANDLE(HDC);
TAVREN_DECLARE_HANDLE(HBITMAP);
TAVREN_DECLARE_HANDLE(HBRUSH);
TAVREN_DECLARE_HANDLE(HPEN);
TAVREN_DECLARE_HANDLE(HFONT);
TAVREN_DECLARE_HANDLE(HRGN);
TAVREN_DECLARE_HANDLE(HPALETTE);
TAVREN_DECLARE_HANDLE(HICON);
TAVREN_DECLARE_HANDLE(HMENU);
TAVREN_DECLARE_HANDLE(HINSTANCE);
TAVREN_DECLARE_HANDLE(HRSRC);
TAVREN_DECLARE_HANDLE(HHOOK);
TAVREN_DECLARE_HANDLE(HMONITOR);
TAVREN_DECLARE_HANDLE(HIMAGELIST);
TAVREN_DECLARE_HANDLE(HTHEME);
using HCURSOR = HICON;
using HMODULE = HINSTANCE;
using HGLOBAL = HANDLE;

#undef TAVREN_DECLARE_HANDLE

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);

// Object states, as scroll-bar information and accessibility nodes report them.
constexpr DWORD STATE_SYSTEM_UNAVAILABLE = 0x00000001;
constexpr DWORD STATE_SYSTEM_PRESSED = 0x00000008;
constexpr DWORD STATE_SYSTEM_INVISIBLE = 0x00008000;
constexpr DWORD STATE_SYSTEM_OFFSCREEN = 0x00010000;

inline constexpr WORD LOWORD(uintptr_t v) { return static_cast<WORD>(v & 0xFFFF); }
inline constexpr WORD HIWORD(uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
inline constexpr BYTE LOBYTE(uintptr_t v) { return static_cast<BYTE>(v & 0xFF); }
inline constexpr BYTE HIBYTE(uintptr_t v) { return static_cast<BYTE>((v >> 8) & 0xFF); }
inline constexpr DWORD MAKELONG(WORD lo, WORD hi) { return static_cast<DWORD>(lo) | (static_cast<DWORD>(hi) << 16); }
inline constexpr LPARAM MAKELPARAM(WORD lo, WORD hi) { return static_cast<LPARAM>(MAKELONG(lo, hi)); }
inline constexpr WPARAM MAKEWPARAM(WORD lo, WORD hi) { return static_cast<WPARAM>(MAKELONG(lo, hi)); }
// Signed coordinates packed in an LPARAM, as mouse messages carry them.
inline constexpr int GET_X_LPARAM(LPARAM lp) { return static_cast<SHORT>(LOWORD(static_cast<uintptr_t>(lp))); }
inline constexpr int GET_Y_LPARAM(LPARAM lp) { return static_cast<SHORT>(HIWORD(static_cast<uintptr_t>(lp))); }
inline constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
  return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}
inline constexpr BYTE GetRValue(COLORREF c) { return static_cast<BYTE>(c & 0xFF); }
inline constexpr BYTE GetGValue(COLORREF c) { return static_cast<BYTE>((c >> 8) & 0xFF); }
inline constexpr BYTE GetBValue(COLORREF c) { return static_cast<BYTE>((c >> 16) & 0xFF); }
