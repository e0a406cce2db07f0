#pragma once
// Icons and cursors (a colour bitmap and a monochrome AND mask, or a 32-bit colour bitmap with
// alpha), and loading images from files and from the program's resources.

#include "gdi/GdiTypes.h"

// The bitmaps are copied; the caller keeps its own.
HICON CreateIconIndirect(const ICONINFO* info);
// Hands out copies of the icon's bitmaps; the caller deletes them.
BOOL GetIconInfo(HICON icon, ICONINFO* info);
BOOL DestroyIcon(HICON icon);
inline BOOL DestroyCursor(HCURSOR cursor) { return DestroyIcon(cursor); }
HICON CopyIcon(HICON icon);
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);
BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int width, int height, UINT step, HBRUSH flickerFree,
                UINT flags);

// Loads a BMP, ICO or CUR (and, for bitmaps, PNG or JPEG) from a file with LR_LOADFROMFILE, or
// from the program's resources by name (type RT_BITMAP, RT_GROUP_ICON, RT_GROUP_CURSOR).
// A name may be an integer resource id (MAKEINTRESOURCE). Null when missing or broken.
HANDLE LoadImage(HINSTANCE instance, const char* name, UINT type, int width, int height, UINT flags);
inline HANDLE LoadImageA(HINSTANCE instance, const char* name, UINT type, int width, int height, UINT flags) {
  return LoadImage(instance, name, type, width, height, flags);
}
HBITMAP LoadBitmap(HINSTANCE instance, const char* name);
inline HBITMAP LoadBitmapA(HINSTANCE instance, const char* name) { return LoadBitmap(instance, name); }
