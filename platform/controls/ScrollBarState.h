#pragma once
// What the scroll bar code shares between the control and the window's own bars (internal): the
// values of one bar, its geometry, painting and the tracking loop.

#include "controls/ScrollBars.h"

// The parts of a bar, in the order of SCROLLBARINFO::rgstate.
enum class ScrollBarPart { None = 0, LineUp = 1, PageUp = 2, Thumb = 3, PageDown = 4, LineDown = 5 };

struct ScrollBarValues {
  int min = 0;
  int max = 100;
  int page = 0;
  int pos = 0;
  int trackPos = 0;
  UINT disabledArrows = 0;  // ESB_ flags
  // While a press is tracked: the part held and whether the mouse is still on it.
  ScrollBarPart pressed = ScrollBarPart::None;
  bool tracking = false;

  // The highest position the page allows.
  int MaxPos() const;
  // Whether the range leaves anything to scroll.
  bool CanScroll() const;
  // Applies the masked fields of info with the clamping rules; answers the new position.
  int Apply(const SCROLLINFO& info);
  void Fill(SCROLLINFO& info) const;
};

// The parts of a bar in the coordinates of its rectangle's owner.
struct ScrollBarGeometry {
  bool vertical = true;
  RECT bar;
  RECT lineUp;
  RECT lineDown;
  RECT thumb;  // empty when no thumb is shown
  int arrowLength = 0;
  int trackStart = 0;  // along the bar
  int trackLength = 0;
  int thumbLength = 0;
};

ScrollBarGeometry LayoutScrollBar(const RECT& bar, bool vertical, const ScrollBarValues& values, bool enabled);
ScrollBarPart ScrollBarHitTest(const ScrollBarGeometry& geometry, POINT point);
// The position a thumb whose leading edge is at `along` (offset from the bar's start) stands for.
int ScrollBarPosFromThumb(const ScrollBarGeometry& geometry, const ScrollBarValues& values, int along);
void DrawScrollBar(HDC dc, const ScrollBarGeometry& geometry, const ScrollBarValues& values, bool enabled,
                   HBRUSH trackBrush);
// The fill of the trough: the classic checker of highlight and face.
HBRUSH ScrollBarTroughBrush();
void FreeScrollBarTroughBrush();

// How the tracking loop reaches one bar; window bars and the control answer differently.
struct ScrollBarHost {
  HWND window;  // holds the bar; gets the capture
  int bar;      // SB_VERT, SB_HORZ or SB_CTL
};
// The bar's values (null when gone), its rectangle on screen and whether it is enabled.
ScrollBarValues* ScrollBarValuesOf(const ScrollBarHost& host);
bool ScrollBarScreenGeometry(const ScrollBarHost& host, ScrollBarGeometry* geometry);
void RedrawScrollBar(const ScrollBarHost& host);
// Sends one WM_VSCROLL/WM_HSCROLL for the bar.
void SendScrollCode(const ScrollBarHost& host, WORD code, int position);
// Follows a left press at a screen point until the button is let go.
void TrackScrollBar(const ScrollBarHost& host, POINT screenPoint);

// The control's part (ScrollBarControl.cpp).
ScrollBarValues* ControlScrollBarValues(HWND control);
bool ControlScrollBarVertical(HWND control);
void FillScrollBarInfo(const ScrollBarGeometry& geometry, const ScrollBarValues& values, bool enabled,
                       SCROLLBARINFO* info);
void RegisterScrollBarClass();
void UnregisterScrollBarClass();
