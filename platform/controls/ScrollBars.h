#pragma once
// Scroll bars: the SCROLLBAR control and the bars of any window with WS_VSCROLL or WS_HSCROLL,
// drawn in the non-client area the window manager keeps for them. A press runs a modal loop that
// sends WM_VSCROLL/WM_HSCROLL (to the window itself for its own bars, to the parent with the
// control's handle in lParam for the control) and repeats on the window manager's clock.

#include "rtl/WinTypes.h"

// Bars
constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;
constexpr int SB_CTL = 2;
constexpr int SB_BOTH = 3;

// WM_VSCROLL / WM_HSCROLL codes (low word of wParam)
constexpr WORD SB_LINEUP = 0;
constexpr WORD SB_LINELEFT = 0;
constexpr WORD SB_LINEDOWN = 1;
constexpr WORD SB_LINERIGHT = 1;
constexpr WORD SB_PAGEUP = 2;
constexpr WORD SB_PAGELEFT = 2;
constexpr WORD SB_PAGEDOWN = 3;
constexpr WORD SB_PAGERIGHT = 3;
constexpr WORD SB_THUMBPOSITION = 4;
constexpr WORD SB_THUMBTRACK = 5;
constexpr WORD SB_TOP = 6;
constexpr WORD SB_LEFT = 6;
constexpr WORD SB_BOTTOM = 7;
constexpr WORD SB_RIGHT = 7;
constexpr WORD SB_ENDSCROLL = 8;

// SCROLLINFO masks
constexpr UINT SIF_RANGE = 0x0001;
constexpr UINT SIF_PAGE = 0x0002;
constexpr UINT SIF_POS = 0x0004;
constexpr UINT SIF_DISABLENOSCROLL = 0x0008;
constexpr UINT SIF_TRACKPOS = 0x0010;
constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

// EnableScrollBar
constexpr UINT ESB_ENABLE_BOTH = 0x0000;
constexpr UINT ESB_DISABLE_BOTH = 0x0003;
constexpr UINT ESB_DISABLE_LEFT = 0x0001;
constexpr UINT ESB_DISABLE_RIGHT = 0x0002;
constexpr UINT ESB_DISABLE_UP = 0x0001;
constexpr UINT ESB_DISABLE_DOWN = 0x0002;
constexpr UINT ESB_DISABLE_LTUP = ESB_DISABLE_LEFT;
constexpr UINT ESB_DISABLE_RTDN = ESB_DISABLE_RIGHT;

// SCROLLBAR control styles
constexpr DWORD SBS_HORZ = 0x0000;
constexpr DWORD SBS_VERT = 0x0001;
constexpr DWORD SBS_TOPALIGN = 0x0002;
constexpr DWORD SBS_LEFTALIGN = 0x0002;
constexpr DWORD SBS_BOTTOMALIGN = 0x0004;
constexpr DWORD SBS_RIGHTALIGN = 0x0004;
constexpr DWORD SBS_SIZEBOXTOPLEFTALIGN = 0x0002;
constexpr DWORD SBS_SIZEBOXBOTTOMRIGHTALIGN = 0x0004;
constexpr DWORD SBS_SIZEBOX = 0x0008;
constexpr DWORD SBS_SIZEGRIP = 0x0010;

// SCROLLBAR control messages
constexpr UINT SBM_SETPOS = 0x00E0;
constexpr UINT SBM_GETPOS = 0x00E1;
constexpr UINT SBM_SETRANGE = 0x00E2;
constexpr UINT SBM_GETRANGE = 0x00E3;
constexpr UINT SBM_ENABLE_ARROWS = 0x00E4;
constexpr UINT SBM_SETRANGEREDRAW = 0x00E6;
constexpr UINT SBM_SETSCROLLINFO = 0x00E9;
constexpr UINT SBM_GETSCROLLINFO = 0x00EA;
constexpr UINT SBM_GETSCROLLBARINFO = 0x00EB;

// GetScrollBarInfo objects (the states are in rtl/WinTypes.h)
constexpr LONG OBJID_HSCROLL = -6;
constexpr LONG OBJID_VSCROLL = -5;
constexpr LONG OBJID_CLIENT = -4;
constexpr int CCHILDREN_SCROLLBAR = 5;

struct SCROLLINFO {
  UINT cbSize = sizeof(SCROLLINFO);
  UINT fMask = 0;
  int nMin = 0;
  int nMax = 0;
  UINT nPage = 0;
  int nPos = 0;
  int nTrackPos = 0;
};
using LPSCROLLINFO = SCROLLINFO*;
using LPCSCROLLINFO = const SCROLLINFO*;

struct SCROLLBARINFO {
  DWORD cbSize = sizeof(SCROLLBARINFO);
  RECT rcScrollBar;  // screen coordinates
  int dxyLineButton = 0;
  int xyThumbTop = 0;  // from the bar's top (left)
  int xyThumbBottom = 0;
  int reserved = 0;
  // The bar, then the up arrow, page up area, thumb, page down area and down arrow.
  DWORD rgstate[CCHILDREN_SCROLLBAR + 1] = {};
};
static_assert(sizeof(SCROLLBARINFO) == 60);

// The position is kept within nMin .. nMax - nPage + 1 and the page within 0 .. nMax - nMin + 1.
// A window's bar is shown when its range can scroll and hidden (or, with SIF_DISABLENOSCROLL,
// disabled) when it cannot. Answers the new position.
int SetScrollInfo(HWND window, int bar, LPCSCROLLINFO info, BOOL redraw);
BOOL GetScrollInfo(HWND window, int bar, LPSCROLLINFO info);
// Answers the previous position.
int SetScrollPos(HWND window, int bar, int position, BOOL redraw);
int GetScrollPos(HWND window, int bar);
BOOL SetScrollRange(HWND window, int bar, int minimum, int maximum, BOOL redraw);
BOOL GetScrollRange(HWND window, int bar, int* minimum, int* maximum);
BOOL ShowScrollBar(HWND window, int bar, BOOL show);
BOOL EnableScrollBar(HWND window, UINT bar, UINT arrows);
// idObject: OBJID_VSCROLL or OBJID_HSCROLL for a window's bars, OBJID_CLIENT for the control.
BOOL GetScrollBarInfo(HWND window, LONG idObject, SCROLLBARINFO* info);

// Registers the SCROLLBAR class and takes over the window manager's scroll bar places.
void ScrollBarsStart();
void ScrollBarsEnd();
