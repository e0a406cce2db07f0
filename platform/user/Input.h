#pragma once
// The state of keyboard and mouse as the window manager sees it: key states, the cursor
// position, mouse capture, mouse tracking and drag detection. Focus and activation are in
// user/Focus.h; the entry points through which input arrives are in user/InputEvents.h.

#include "rtl/WinTypes.h"
#include "user/VirtualKeys.h"

// The state as of the last message retrieved (high bit: down, low bit: toggled).
SHORT GetKeyState(int virtualKey);
// The state right now (high bit: down).
SHORT GetAsyncKeyState(int virtualKey);
BOOL GetKeyboardState(BYTE* keyState);  // 256 bytes
BOOL SetKeyboardState(const BYTE* keyState);

BOOL GetCursorPos(POINT* point);
// Moves the cursor and feeds a mouse move at the new point.
BOOL SetCursorPos(int x, int y);

UINT GetDoubleClickTime();
BOOL SetDoubleClickTime(UINT milliseconds);

// Mouse messages go to the capture window wherever the mouse is. Setting or releasing capture
// sends WM_CAPTURECHANGED to the window that loses it.
HWND SetCapture(HWND window);
BOOL ReleaseCapture();
HWND GetCapture();

struct TRACKMOUSEEVENT {
  DWORD cbSize = sizeof(TRACKMOUSEEVENT);
  DWORD dwFlags = 0;
  HWND hwndTrack = nullptr;
  DWORD dwHoverTime = 0;
};
constexpr DWORD TME_HOVER = 0x00000001;
constexpr DWORD TME_LEAVE = 0x00000002;
constexpr DWORD TME_NONCLIENT = 0x00000010;
constexpr DWORD TME_QUERY = 0x40000000;
constexpr DWORD TME_CANCEL = 0x80000000;
constexpr DWORD HOVER_DEFAULT = 0xFFFFFFFF;

// Posts WM_MOUSELEAVE (WM_NCMOUSELEAVE with TME_NONCLIENT) once the mouse leaves the window (or
// its client area), and WM_MOUSEHOVER once it rests there for the hover time. Tracking ends with
// either message.
BOOL TrackMouseEvent(TRACKMOUSEEVENT* track);
inline BOOL _TrackMouseEvent(TRACKMOUSEEVENT* track) { return TrackMouseEvent(track); }

// Captures the mouse and runs its own loop until the left button is released (false), Esc is
// pressed (false), capture is lost (false) or the mouse leaves the drag rectangle (SM_CXDRAG by
// SM_CYDRAG around point, in screen coordinates) (true).
BOOL DragDetect(HWND window, POINT point);
