#pragma once
// Position, size, z-order and visibility of windows, coordinate mapping and finding the window
// under a point. Child rectangles are kept relative to the parent's client area.

#include "rtl/WinTypes.h"
#include "user/WindowTree.h"

struct WINDOWPOS {
  HWND hwnd = nullptr;
  HWND hwndInsertAfter = nullptr;
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
  UINT flags = 0;
};
using LPWINDOWPOS = WINDOWPOS*;

struct NCCALCSIZE_PARAMS {
  RECT rgrc[3];
  WINDOWPOS* lppos = nullptr;
};

struct MINMAXINFO {
  POINT ptReserved;
  POINT ptMaxSize;
  POINT ptMaxPosition;
  POINT ptMinTrackSize;
  POINT ptMaxTrackSize;
};

constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOREDRAW = 0x0008;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr UINT SWP_FRAMECHANGED = 0x0020;
constexpr UINT SWP_DRAWFRAME = SWP_FRAMECHANGED;
constexpr UINT SWP_SHOWWINDOW = 0x0040;
constexpr UINT SWP_HIDEWINDOW = 0x0080;
constexpr UINT SWP_NOCOPYBITS = 0x0100;
constexpr UINT SWP_NOOWNERZORDER = 0x0200;
constexpr UINT SWP_NOREPOSITION = SWP_NOOWNERZORDER;
constexpr UINT SWP_NOSENDCHANGING = 0x0400;
constexpr UINT SWP_DEFERERASE = 0x2000;
constexpr UINT SWP_ASYNCWINDOWPOS = 0x4000;

const HWND HWND_TOP = nullptr;
const HWND HWND_BOTTOM = reinterpret_cast<HWND>(static_cast<intptr_t>(1));
const HWND HWND_TOPMOST = reinterpret_cast<HWND>(static_cast<intptr_t>(-1));
const HWND HWND_NOTOPMOST = reinterpret_cast<HWND>(static_cast<intptr_t>(-2));

constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_NORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_MAXIMIZE = 3;
constexpr int SW_SHOWNOACTIVATE = 4;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_SHOWMINNOACTIVE = 7;
constexpr int SW_SHOWNA = 8;
constexpr int SW_RESTORE = 9;
constexpr int SW_SHOWDEFAULT = 10;
constexpr int SW_FORCEMINIMIZE = 11;

constexpr UINT CWP_ALL = 0x0000;
constexpr UINT CWP_SKIPINVISIBLE = 0x0001;
constexpr UINT CWP_SKIPDISABLED = 0x0002;
constexpr UINT CWP_SKIPTRANSPARENT = 0x0004;

// Sends WM_WINDOWPOSCHANGING (unless SWP_NOSENDCHANGING), WM_NCCALCSIZE when the size or frame
// changes, WM_WINDOWPOSCHANGED (whose default sends WM_MOVE and WM_SIZE); activates a shown
// top-level window unless SWP_NOACTIVATE.
BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags);
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);

// Several windows of one parent positioned as one batch: the steps are collected and applied
// together by EndDeferWindowPos, before anything is painted. A step for a window that is not
// there, or of another parent than the batch's first window, fails: the batch is closed and 0
// answered. EndDeferWindowPos closes the batch also when one of its steps fails (the others are
// still applied) and then answers FALSE.
struct HDWP__;
using HDWP = HDWP__*;
HDWP BeginDeferWindowPos(int numWindows);
HDWP DeferWindowPos(HDWP batch, HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags);
BOOL EndDeferWindowPos(HDWP batch);
// Answers whether the window was visible before.
BOOL ShowWindow(HWND window, int command);
BOOL BringWindowToTop(HWND window);

// Window rectangle in screen coordinates; client rectangle at (0, 0).
BOOL GetWindowRect(HWND window, RECT* rect);
BOOL GetClientRect(HWND window, RECT* rect);
// Answers the offset packed as (dx low word, dy high word).
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
BOOL ClientToScreen(HWND window, POINT* point);
BOOL ScreenToClient(HWND window, POINT* point);
BOOL AdjustWindowRect(RECT* rect, DWORD style, BOOL menu);
BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle);

// The deepest visible, enabled window under a screen point, asking WM_NCHITTEST of each window
// of this thread (HTTRANSPARENT passes the point to the window beneath) and respecting window
// regions.
HWND WindowFromPoint(POINT point);
// The child of parent (one level down) under a point in parent's client coordinates; parent
// itself when no child is there, 0 when the point is outside parent.
HWND ChildWindowFromPoint(HWND parent, POINT point);
HWND ChildWindowFromPointEx(HWND parent, POINT point, UINT flags);
HWND RealChildWindowFromPoint(HWND parent, POINT point);
