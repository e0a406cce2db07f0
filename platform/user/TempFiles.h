#pragma once
// The temporary folder and temporary file names. A temporary name is always made by creating the
// file (exclusively, readable by its owner only), so no other program can take it in between.

#include "rtl/WinTypes.h"

// TMPDIR, else /tmp, with a trailing '/'. Answers the length copied, or the size needed
// (with the 0) when size is too small.
DWORD GetTempPath(DWORD size, char* buffer);
inline DWORD GetTempPathA(DWORD size, char* buffer) { return GetTempPath(size, buffer); }

// Creates <path>/<up to 3 prefix characters><hex number>.tmp, new and empty with mode 0600, and
// writes its name into name (MAX_PATH bytes). unique 0 picks an unused number; any other number
// is used as given and fails when that file exists. Answers the number, 0 on failure.
UINT GetTempFileName(const char* path, const char* prefix, UINT unique, char* name);
inline UINT GetTempFileNameA(const char* p, const char* pre, UINT u, char* n) { return GetTempFileName(p, pre, u, n); }
