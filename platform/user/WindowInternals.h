#pragma once
// What the window manager's files ask of each other (internal). Each group says which file
// answers it.

#include "rtl/WinTypes.h"
#include "user/Window.h"

struct WINDOWPOS;

// WindowTree.cpp: linking into the sibling list (z-order).
void LinkWindow(Window* window, Window* parent, Window* insertAfter);  // null: top; lastChild: bottom
void UnlinkWindow(Window* window);
// The hidden windows that have never been shown get no paint; windows of this thread only.
bool WindowOfCurrentThread(const Window* window);

// WindowPos.cpp
// Sends WM_NCCALCSIZE(FALSE) and takes the answer as the client rectangle.
void RecalcClientRect(Window* window);
bool SetWindowPosInternal(Window* window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
// What DefWindowProc does with WM_WINDOWPOSCHANGED: WM_MOVE and WM_SIZE for a client area that
// moved or changed size.
void SendMoveAndSize(Window* window, const WINDOWPOS* pos);
// Sends WM_GETMINMAXINFO with the defaults filled in.
void QueryMinMaxInfo(Window* window, struct MINMAXINFO* info);
// Deepest visible, enabled window of this thread under a screen point, with its hit-test code.
Window* HitTestWindow(POINT screenPoint, LRESULT* hitCode);

// Focus.cpp: the window is going away or being hidden: move focus and activation off it.
void FocusWindowHidden(Window* window);
void FocusWindowDestroyed(Window* window);
// Activation as the mouse does it (WA_CLICKACTIVE).
void ActivateWindow(Window* window, WORD how);

// InputRouting.cpp / Input.cpp: forget the window as capture, tracking or click target.
void InputWindowDestroyed(Window* window);
// The state of mouse buttons and modifiers as MK_ flags.
WPARAM MouseKeyFlags();

// Painting.cpp
// Marks the area (window coordinates) of the window, and of its children when allChildren, as
// needing paint; FRAME/ERASE flags as RedrawWindow's.
void InvalidateWindowArea(Window* window, const Region* area, UINT rdwFlags);
// The area a window covers on its parent's client area went away or changed: repaint what shows
// there now (parent client coordinates).
void InvalidateParentArea(Window* window, const RECT& parentRect);
void PaintWindowDestroyed(Window* window);
// Top-level surface: create, resize (keeping what fits) or free, following visibility and size.
void UpdateWindowSurface(Window* window);
void PresentDirtySurfaces();
// One top-level window's changed pixels only: windows still waiting for their paint stay unshown.
void PresentDirtySurface(Window* window);

// NonClient.cpp
LRESULT DefNcCalcSize(Window* window, BOOL calcValidRects, LPARAM lParam);
LRESULT DefNcHitTest(Window* window, POINT screenPoint);
void DefNcPaint(Window* window, HRGN region);
LRESULT DefNcActivate(Window* window, BOOL active);
LRESULT DefNcLButtonDown(Window* window, WPARAM hitCode, POINT screenPoint);
LRESULT DefSysCommand(Window* window, WPARAM command, LPARAM lParam);
// Which frame the window has, as widths.
RECT FrameInsets(DWORD style, DWORD exStyle, bool child);

// MoveSize.cpp: the modal loop that moves or sizes a window by the mouse (hit: HTCAPTION or a
// border code).
void RunMoveSizeLoop(Window* window, LRESULT hit, POINT screenPoint);

// Backend.cpp: native window bookkeeping of top-level windows.
void NativeWindowShown(Window* window, bool activate);
void NativeWindowHidden(Window* window);
void NativeWindowMoved(Window* window);
void NativeWindowDestroyed(Window* window);
void NativeWindowTextChanged(Window* window);
void NativeStackingChanged();
void NativeLayeringChanged(Window* window);
// LWA_ flags as Window::layeredFlags keeps them.
constexpr DWORD LWA_COLORKEY_FLAG = 0x1;
constexpr DWORD LWA_ALPHA_FLAG = 0x2;
