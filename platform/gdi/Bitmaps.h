#pragma once
// Device bitmaps and DIB sections. Every bitmap keeps its pixels in memory that DCs draw into and
// read back; a DIB section's bits pointer is that memory, in the DIB's own format and row order.

#include "gdi/GdiTypes.h"

// 32 bits per pixel, or monochrome when the DC holds a monochrome bitmap (as GDI does for a fresh
// memory DC).
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
// planes * bitsPerPixel of 1 or 32 (others are stored as 32); rows of bits are word aligned.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
HBITMAP CreateBitmapIndirect(const BITMAP* bitmap);
// 1, 4, 8, 24 or 32 bits; a negative height is top-down. *bits receives the pixel memory.
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset);
// The layer's own shorthand: a 32-bit top-down DIB section; *bits receives its first row.
HBITMAP CreateDibSection32(int width, int height, uint32_t** bits);
HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage);
constexpr DWORD CBM_INIT = 0x04;

// Reads scan lines [start, start + lines) in the format info asks for. With a null bits pointer
// fills in info (size, colour table) and answers the line count. 0 on failure.
int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT usage);
int SetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, const void* bits, const BITMAPINFO* info,
              UINT usage);
int SetDIBitsToDevice(HDC dc, int x, int y, DWORD width, DWORD height, int sourceX, int sourceY,
                      UINT startScan, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage);
int StretchDIBits(HDC dc, int x, int y, int width, int height, int sourceX, int sourceY, int sourceWidth,
                  int sourceHeight, const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop);
// The bitmap's rows top-down, each padded to 16 bits, in its own pixel size.
LONG GetBitmapBits(HBITMAP bitmap, LONG size, void* bits);
LONG SetBitmapBits(HBITMAP bitmap, DWORD size, const void* bits);

// Copies a bitmap (or icon/cursor); width/height 0 keep the size. LR_CREATEDIBSECTION makes a DIB
// section, LR_MONOCHROME a monochrome bitmap, LR_COPYDELETEORG deletes the original.
HANDLE CopyImage(HANDLE image, UINT type, int width, int height, UINT flags);
