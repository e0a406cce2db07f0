#pragma once
// Movable memory blocks as the clipboard passes them around (GlobalAlloc and its partners).
// Handles are checked: a freed or made-up handle is refused, never dereferenced.

#include <cstddef>

#include "rtl/WinTypes.h"

constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GMEM_DDESHARE = 0x2000;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;
constexpr UINT GPTR = GMEM_FIXED | GMEM_ZEROINIT;

HGLOBAL GlobalAlloc(UINT flags, size_t bytes);
LPVOID GlobalLock(HGLOBAL memory);
BOOL GlobalUnlock(HGLOBAL memory);
// Null when freed, the handle itself when it was not a block.
HGLOBAL GlobalFree(HGLOBAL memory);
size_t GlobalSize(HGLOBAL memory);
