#pragma once
// Libraries bound by name at run time. The system loads optional libraries (the theme and
// composition libraries, the 2-D graphics library, the image blending library) with LoadLibrary
// and binds their entry points with GetProcAddress; here each stand-in registers a table of its
// exports under its library name, and the lookups answer from those tables. Names compare
// without regard to case, with or without ".dll".

#include <span>

#include "rtl/WinTypes.h"

using FARPROC = void (*)();

struct ModuleExport {
  const char* name;
  FARPROC proc;
};

template <class F>
FARPROC ExportOf(F* function) {
  return reinterpret_cast<FARPROC>(function);
}

// Adds (or replaces) a library's table; the table must outlive every lookup.
void RegisterModule(const char* name, std::span<const ModuleExport> exports);

// A handle (always above 32) for a registered library, null otherwise. Loads are counted.
HMODULE LoadLibrary(const char* name);
inline HMODULE LoadLibraryA(const char* name) { return LoadLibrary(name); }
BOOL FreeLibrary(HMODULE module);
// A null or empty name answers the program's own instance (HInstance); another name answers a
// library that is loaded, without counting a load, and null for one that is not.
HMODULE GetModuleHandle(const char* name);
inline HMODULE GetModuleHandleA(const char* name) { return GetModuleHandle(name); }
// The entry point of that name, null when the library does not export it.
FARPROC GetProcAddress(HMODULE module, const char* name);

// Error boxes for missing libraries never appear here; the mode is kept for the caller.
constexpr UINT SEM_FAILCRITICALERRORS = 0x0001;
constexpr UINT SEM_NOOPENFILEERRORBOX = 0x8000;
UINT SetErrorMode(UINT mode);
