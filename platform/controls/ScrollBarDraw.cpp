// The geometry of a scroll bar and its classic painting: arrow buttons, a checkered trough and a
// raised thumb sized to the page.

#include <algorithm>

#include "controls/ScrollBarState.h"
#include "gdi/Gdi.h"

namespace {

HBRUSH gTroughBrush = nullptr;

RECT Span(const RECT& bar, bool vertical, int from, int to) {
  return vertical ? RECT{bar.Left, bar.Top + from, bar.Right, bar.Top + to}
                  : RECT{bar.Left + from, bar.Top, bar.Left + to, bar.Bottom};
}

bool Empty(const RECT& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }

bool Inside(const RECT& r, POINT p) { return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom; }

}  // namespace

ScrollBarGeometry LayoutScrollBar(const RECT& bar, bool vertical, const ScrollBarValues& values, bool enabled) {
  ScrollBarGeometry g;
  g.vertical = vertical;
  g.bar = bar;
  int length = std::max(0, vertical ? bar.Height() : bar.Width());
  int arrow = GetSystemMetrics(vertical ? SM_CYVSCROLL : SM_CXHSCROLL);
  if (2 * arrow > length) arrow = length / 2;
  g.arrowLength = arrow;
  g.lineUp = Span(bar, vertical, 0, arrow);
  g.lineDown = Span(bar, vertical, length - arrow, length);
  g.trackStart = arrow;
  g.trackLength = length - 2 * arrow;
  if (!enabled || !values.CanScroll() || values.disabledArrows == ESB_DISABLE_BOTH) return g;
  int thumb;
  if (values.page <= 0) {
    thumb = GetSystemMetrics(vertical ? SM_CYVTHUMB : SM_CXHTHUMB);
  } else {
    int64_t span = static_cast<int64_t>(values.max) - values.min + 1;
    thumb = static_cast<int>(static_cast<int64_t>(values.page) * g.trackLength / span);
    thumb = std::max(thumb, 8);
  }
  if (thumb > g.trackLength) return g;
  g.thumbLength = thumb;
  int pos = values.tracking && values.pressed == ScrollBarPart::Thumb ? values.trackPos : values.pos;
  int64_t steps = static_cast<int64_t>(values.MaxPos()) - values.min;
  int offset = 0;
  if (steps > 0) {
    offset = static_cast<int>((static_cast<int64_t>(pos) - values.min) * (g.trackLength - thumb) / steps);
  }
  g.thumb = Span(bar, vertical, g.trackStart + offset, g.trackStart + offset + thumb);
  return g;
}

ScrollBarPart ScrollBarHitTest(const ScrollBarGeometry& g, POINT p) {
  if (!Inside(g.bar, p)) return ScrollBarPart::None;
  if (Inside(g.lineUp, p)) return ScrollBarPart::LineUp;
  if (Inside(g.lineDown, p)) return ScrollBarPart::LineDown;
  if (Empty(g.thumb)) return ScrollBarPart::None;
  if (Inside(g.thumb, p)) return ScrollBarPart::Thumb;
  int along = g.vertical ? p.Y : p.X;
  int thumbStart = g.vertical ? g.thumb.Top : g.thumb.Left;
  return along < thumbStart ? ScrollBarPart::PageUp : ScrollBarPart::PageDown;
}

int ScrollBarPosFromThumb(const ScrollBarGeometry& g, const ScrollBarValues& values, int along) {
  int room = g.trackLength - g.thumbLength;
  // An empty track or a thumb that fills it means there is nowhere to go: no division by zero.
  if (room <= 0) return values.min;
  int64_t steps = static_cast<int64_t>(values.MaxPos()) - values.min;
  int64_t offset = std::clamp(along - g.trackStart, 0, room);
  int64_t pos = values.min + (offset * steps + room / 2) / room;
  return static_cast<int>(std::clamp<int64_t>(pos, values.min, values.MaxPos()));
}

HBRUSH ScrollBarTroughBrush() {
  if (!gTroughBrush) {
    uint32_t light = GetSysColor(COLOR_BTNHIGHLIGHT), face = GetSysColor(COLOR_BTNFACE);
    auto pixel = [](COLORREF c) {
      return static_cast<uint32_t>(GetBValue(c)) | (static_cast<uint32_t>(GetGValue(c)) << 8) |
             (static_cast<uint32_t>(GetRValue(c)) << 16);
    };
    uint32_t bits[8 * 8];
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 8; ++x) bits[y * 8 + x] = ((x + y) & 1) ? pixel(face) : pixel(light);
    }
    HBITMAP pattern = CreateBitmap(8, 8, 1, 32, bits);
    gTroughBrush = CreatePatternBrush(pattern);
    DeleteObject(pattern);
  }
  return gTroughBrush;
}

void FreeScrollBarTroughBrush() {
  if (gTroughBrush) DeleteObject(gTroughBrush);
  gTroughBrush = nullptr;
}

void DrawScrollBar(HDC dc, const ScrollBarGeometry& g, const ScrollBarValues& values, bool enabled, HBRUSH trackBrush) {
  if (Empty(g.bar)) return;
  bool scrolls = enabled && values.CanScroll();
  auto arrow = [&](RECT r, UINT kind, ScrollBarPart part, UINT disableFlag) {
    if (Empty(r)) return;
    UINT state = kind;
    if (!scrolls || (values.disabledArrows & disableFlag)) state |= DFCS_INACTIVE;
    if (values.tracking && values.pressed == part) state |= DFCS_PUSHED | DFCS_FLAT;
    DrawFrameControl(dc, &r, DFC_SCROLL, state);
  };
  arrow(g.lineUp, g.vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT, ScrollBarPart::LineUp, ESB_DISABLE_LTUP);
  arrow(g.lineDown, g.vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT, ScrollBarPart::LineDown, ESB_DISABLE_RTDN);
  RECT track = g.vertical ? RECT{g.bar.Left, g.lineUp.Bottom, g.bar.Right, g.lineDown.Top}
                          : RECT{g.lineUp.Right, g.bar.Top, g.lineDown.Left, g.bar.Bottom};
  if (Empty(track)) return;
  FillRect(dc, &track, trackBrush ? trackBrush : ScrollBarTroughBrush());
  if (Empty(g.thumb)) return;
  if (values.tracking && (values.pressed == ScrollBarPart::PageUp || values.pressed == ScrollBarPart::PageDown)) {
    RECT page = track;
    if (values.pressed == ScrollBarPart::PageUp) {
      (g.vertical ? page.Bottom : page.Right) = g.vertical ? g.thumb.Top : g.thumb.Left;
    } else {
      (g.vertical ? page.Top : page.Left) = g.vertical ? g.thumb.Bottom : g.thumb.Right;
    }
    if (!Empty(page)) InvertRect(dc, &page);
  }
  RECT thumb = g.thumb;
  DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
}
