#pragma once
// Painting: update regions, the paint messages made when the queue is idle (parents before their
// children; WM_NCPAINT, WM_ERASEBKGND, WM_PAINT), DCs onto a window's part of its top-level
// window's surface, window regions, layered windows and scrolling. Every visible top-level window
// owns one surface of 32-bit pixels; what changes on it is presented through user/Backend.h.

#include "rtl/WinTypes.h"

struct PAINTSTRUCT {
  HDC hdc = nullptr;
  BOOL fErase = FALSE;  // the background still needs erasing (WM_ERASEBKGND answered 0)
  RECT rcPaint;
  BOOL fRestore = FALSE;
  BOOL fIncUpdate = FALSE;
  BYTE rgbReserved[32] = {};
};
using LPPAINTSTRUCT = PAINTSTRUCT*;

constexpr UINT RDW_INVALIDATE = 0x0001;
constexpr UINT RDW_INTERNALPAINT = 0x0002;
constexpr UINT RDW_ERASE = 0x0004;
constexpr UINT RDW_VALIDATE = 0x0008;
constexpr UINT RDW_NOINTERNALPAINT = 0x0010;
constexpr UINT RDW_NOERASE = 0x0020;
constexpr UINT RDW_NOCHILDREN = 0x0040;
constexpr UINT RDW_ALLCHILDREN = 0x0080;
constexpr UINT RDW_UPDATENOW = 0x0100;
constexpr UINT RDW_ERASENOW = 0x0200;
constexpr UINT RDW_FRAME = 0x0400;
constexpr UINT RDW_NOFRAME = 0x0800;

constexpr DWORD DCX_WINDOW = 0x00000001;
constexpr DWORD DCX_CACHE = 0x00000002;
constexpr DWORD DCX_NORESETATTRS = 0x00000004;
constexpr DWORD DCX_CLIPCHILDREN = 0x00000008;
constexpr DWORD DCX_CLIPSIBLINGS = 0x00000010;
constexpr DWORD DCX_PARENTCLIP = 0x00000020;
constexpr DWORD DCX_EXCLUDERGN = 0x00000040;
constexpr DWORD DCX_INTERSECTRGN = 0x00000080;
constexpr DWORD DCX_EXCLUDEUPDATE = 0x00000100;
constexpr DWORD DCX_INTERSECTUPDATE = 0x00000200;
constexpr DWORD DCX_LOCKWINDOWUPDATE = 0x00000400;
constexpr DWORD DCX_VALIDATE = 0x00200000;

constexpr UINT SW_SCROLLCHILDREN = 0x0001;
constexpr UINT SW_INVALIDATE = 0x0002;
constexpr UINT SW_ERASE = 0x0004;
constexpr UINT SW_SMOOTHSCROLL = 0x0010;

constexpr DWORD LWA_COLORKEY = 0x00000001;
constexpr DWORD LWA_ALPHA = 0x00000002;
constexpr DWORD ULW_COLORKEY = 0x00000001;
constexpr DWORD ULW_ALPHA = 0x00000002;
constexpr DWORD ULW_OPAQUE = 0x00000004;

// Rectangles and regions are in client coordinates; a null rectangle or region means the whole
// client area. A null window invalidates every top-level window.
BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase);
BOOL InvalidateRgn(HWND window, HRGN region, BOOL erase);
BOOL ValidateRect(HWND window, const RECT* rect);
BOOL ValidateRgn(HWND window, HRGN region);
// The bounds of the update region (client coordinates); erase sends WM_ERASEBKGND when pending.
BOOL GetUpdateRect(HWND window, RECT* rect, BOOL erase);
// The kind of the update region (NULLREGION...), copied into region.
int GetUpdateRgn(HWND window, HRGN region, BOOL erase);
// rect and region are in client coordinates (window coordinates with RDW_FRAME on the whole
// window when both are null).
BOOL RedrawWindow(HWND window, const RECT* updateRect, HRGN updateRegion, UINT flags);
// Sends WM_PAINT now when the update region is not empty (WM_NCPAINT, WM_ERASEBKGND first).
BOOL UpdateWindow(HWND window);

HDC BeginPaint(HWND window, PAINTSTRUCT* paint);
BOOL EndPaint(HWND window, const PAINTSTRUCT* paint);
// A DC on the client area (DCX_WINDOW: the whole window), clipped to what is visible of it.
HDC GetDC(HWND window);
HDC GetDCEx(HWND window, HRGN clip, DWORD flags);
HDC GetWindowDC(HWND window);
int ReleaseDC(HWND window, HDC dc);
// The window whose DC this is (0 for other DCs).
HWND WindowFromDC(HDC dc);

// The window takes the region (window coordinates) and deletes it later; null removes it.
int SetWindowRgn(HWND window, HRGN region, BOOL redraw);
// Copies the window region into region; ERROR when the window has none.
int GetWindowRgn(HWND window, HRGN region);
int GetWindowRgnBox(HWND window, RECT* rect);

BOOL SetLayeredWindowAttributes(HWND window, COLORREF colorKey, BYTE alpha, DWORD flags);
BOOL GetLayeredWindowAttributes(HWND window, COLORREF* colorKey, BYTE* alpha, DWORD* flags);
struct BLENDFUNCTION;
// Replaces the window's surface with the source DC's pixels (premultiplied when blend carries
// AC_SRC_ALPHA); position and size move the window.
BOOL UpdateLayeredWindow(HWND window, HDC screenDC, POINT* position, SIZE* size, HDC sourceDC,
                         POINT* sourcePoint, COLORREF colorKey, const BLENDFUNCTION* blend, DWORD flags);

// Scrolls the client area's pixels by (dx, dy): the part uncovered (and what was hidden before)
// becomes invalid when SW_INVALIDATE is given; SW_SCROLLCHILDREN moves the child windows too.
int ScrollWindowEx(HWND window, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN updateRegion,
                   RECT* updateRect, UINT flags);
BOOL ScrollWindow(HWND window, int dx, int dy, const RECT* scroll, const RECT* clip);
// Only one window at a time: others draw nothing into it and paint nothing until unlocked.
BOOL LockWindowUpdate(HWND window);

// Paints what is pending in the thread's windows (in tree order) and presents the changed
// surfaces; what an idle message loop does. Tests call it to settle.
void UpdateAllWindows();
