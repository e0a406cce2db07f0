#pragma once
// What the system asks about the platform it runs on: the version it reports (that of the classic
// look, 5.1) and the program's own file.

#include "rtl/WinTypes.h"

struct OSVERSIONINFO {
  DWORD dwOSVersionInfoSize = sizeof(OSVERSIONINFO);
  DWORD dwMajorVersion = 0;
  DWORD dwMinorVersion = 0;
  DWORD dwBuildNumber = 0;
  DWORD dwPlatformId = 0;
  char szCSDVersion[128] = {};
};
static_assert(sizeof(OSVERSIONINFO) == 148);
struct OSVERSIONINFOEX : OSVERSIONINFO {
  OSVERSIONINFOEX() { dwOSVersionInfoSize = sizeof(OSVERSIONINFOEX); }
  WORD wServicePackMajor = 0;
  WORD wServicePackMinor = 0;
  WORD wSuiteMask = 0;
  BYTE wProductType = 0;
  BYTE wReserved = 0;
};
static_assert(sizeof(OSVERSIONINFOEX) == 156);
using OSVERSIONINFOA = OSVERSIONINFO;
using OSVERSIONINFOEXA = OSVERSIONINFOEX;

constexpr DWORD VER_PLATFORM_WIN32_NT = 2;
constexpr BYTE VER_NT_WORKSTATION = 1;

// Fails unless dwOSVersionInfoSize is that of one of the two structures.
BOOL GetVersionEx(OSVERSIONINFO* info);
inline BOOL GetVersionExA(OSVERSIONINFO* info) { return GetVersionEx(info); }
DWORD GetVersion();

// The executable's real path (module is ignored: everything is linked into it). Answers the
// length copied; a buffer too small gets the name cut, 0-terminated, and size is answered.
DWORD GetModuleFileName(HMODULE module, char* buffer, DWORD size);
inline DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size) {
  return GetModuleFileName(module, buffer, size);
}
