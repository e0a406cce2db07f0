#include "gdi/Edges.h"

#include <algorithm>
#include <cstdlib>

#include "gdi/DeviceContexts.h"
#include "gdi/Drawing.h"
#include "gdi/Rasterizer.h"
#include "gdi/RegionObject.h"
#include "gdi/Regions.h"
#include "gdi/SysColors.h"

namespace {

void Fill(HDC dc, int left, int top, int right, int bottom, int sysColour) {
  const RECT r{left, top, right, bottom};
  FillRect(dc, &r, GetSysColorBrush(sysColour));
}

void FillColour(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  const RECT r{left, top, right, bottom};
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

// One ring of an edge: top and left in one colour, bottom and right in another; the top-right and
// bottom-left corner pixels belong to the bottom-right colour.
void Ring(HDC dc, const RECT& r, UINT sides, int topLeft, int bottomRight) {
  if (sides & BF_LEFT) Fill(dc, r.Left, r.Top, r.Left + 1, r.Bottom - 1, topLeft);
  if (sides & BF_TOP) Fill(dc, r.Left, r.Top, r.Right - 1, r.Top + 1, topLeft);
  if (sides & BF_RIGHT) Fill(dc, r.Right - 1, r.Top, r.Right, r.Bottom, bottomRight);
  if (sides & BF_BOTTOM) Fill(dc, r.Left, r.Bottom - 1, r.Right, r.Bottom, bottomRight);
}

// Shrinks the drawn sides of a rectangle by one pixel.
void Shrink(RECT& r, UINT sides) {
  if (sides & BF_LEFT) ++r.Left;
  if (sides & BF_TOP) ++r.Top;
  if (sides & BF_RIGHT) --r.Right;
  if (sides & BF_BOTTOM) --r.Bottom;
}

struct RingColours {
  int topLeft, bottomRight;
};

// The classic colours of the outer and inner rings.
RingColours OuterColours(UINT edge, UINT flags) {
  if (flags & BF_MONO) return {COLOR_WINDOWFRAME, COLOR_WINDOWFRAME};
  if (flags & BF_FLAT) return {COLOR_BTNSHADOW, COLOR_BTNSHADOW};
  if (edge & BDR_RAISEDOUTER) return {(flags & BF_SOFT) ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT, COLOR_3DDKSHADOW};
  return {(flags & BF_SOFT) ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
}

RingColours InnerColours(UINT edge, UINT flags) {
  if (flags & BF_MONO) return {COLOR_WINDOW, COLOR_WINDOW};
  if (flags & BF_FLAT) return {COLOR_BTNFACE, COLOR_BTNFACE};
  if (edge & BDR_RAISEDINNER) return {(flags & BF_SOFT) ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
  return {(flags & BF_SOFT) ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW, COLOR_3DLIGHT};
}

// ---- Frame controls ---------------------------------------------------------------------------

int Side(const RECT& r) { return std::min(r.Width(), r.Height()); }

// The face of a push button, scroll arrow or caption button; answers the content rectangle.
RECT ButtonFace(HDC dc, RECT r, UINT state) {
  UINT edge = EDGE_RAISED, flags = BF_RECT | BF_MIDDLE | BF_SOFT;
  if (state & (DFCS_PUSHED | DFCS_CHECKED)) {
    edge = EDGE_SUNKEN;
    flags = BF_RECT | BF_MIDDLE;
  }
  if (state & DFCS_FLAT) flags |= BF_FLAT;
  if (state & DFCS_MONO) flags |= BF_MONO;
  DrawEdge(dc, &r, edge, flags | BF_ADJUST);
  return r;
}

// A filled triangle pointing in `direction` (0 up, 1 down, 2 left, 3 right) centred in r: a one
// pixel tip and rows that grow by one pixel on each side.
void Arrow(HDC dc, const RECT& r, int direction, int colour, int dx, int dy) {
  const int size = std::max(2, (Side(r) + 2) / 3);
  const int cx = (r.Left + r.Right) / 2 + dx, cy = (r.Top + r.Bottom) / 2 + dy;
  const int start = -size / 2;
  for (int i = 0; i < size; ++i) {
    const int grow = direction == 0 || direction == 2 ? i : size - 1 - i;
    const int at = start + i;
    if (direction <= 1) {
      Fill(dc, cx - grow - 1, cy + at, cx + grow, cy + at + 1, colour);
    } else {
      Fill(dc, cx + at, cy - grow - 1, cx + at + 1, cy + grow, colour);
    }
  }
}

// A glyph drawn raised when enabled, etched in grey when inactive.
template <class Draw>
void Glyph(UINT state, Draw draw) {
  const int offset = (state & DFCS_PUSHED) ? 1 : 0;
  if (state & DFCS_INACTIVE) {
    draw(COLOR_BTNHIGHLIGHT, offset + 1);
    draw(COLOR_GRAYTEXT, offset);
  } else {
    draw(COLOR_BTNTEXT, offset);
  }
}

void CheckMark(HDC dc, int x, int y, int colour) {
  // Seven columns: down two pixels, then up four, three pixels thick.
  for (int i = 0; i < 7; ++i) {
    const int top = i < 3 ? y + 2 + i : y + 4 - (i - 2);
    Fill(dc, x + i, top, x + i + 1, top + 3, colour);
  }
}

BOOL DrawCheckBox(HDC dc, const RECT& rect, UINT state) {
  const int side = std::min(Side(rect), 13);
  RECT box{rect.Left, rect.Top + (rect.Height() - side) / 2, rect.Left + side, rect.Top + (rect.Height() - side) / 2 + side};
  const bool flat = (state & (DFCS_FLAT | DFCS_MONO)) != 0;
  DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT | BF_ADJUST | (flat ? BF_MONO : 0u));
  const bool grey = (state & (DFCS_PUSHED | DFCS_INACTIVE)) || (state & DFCS_BUTTON3STATE);
  Fill(dc, box.Left, box.Top, box.Right, box.Bottom, grey ? COLOR_BTNFACE : COLOR_WINDOW);
  if (state & DFCS_CHECKED) {
    const int colour = (state & (DFCS_INACTIVE | DFCS_BUTTON3STATE)) ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT;
    CheckMark(dc, box.Left + (box.Width() - 7) / 2, box.Top + (box.Height() - 7) / 2 - 1, colour);
  }
  return TRUE;
}

// Paints the pixels of `shape` (surface-independent region in logical coordinates) split by the
// diagonal through its centre: above-left in one colour, below-right in another.
void SplitDisc(HDC dc, const Region& shape, int cx2, int cy2, int topLeft, int bottomRight) {
  for (const pixman_box32_t& box : shape.Rects()) {
    for (int y = box.y1; y < box.y2; ++y) {
      for (int x = box.x1; x < box.x2; ++x) {
        const bool upper = 2 * x + 2 * y + 2 < cx2 + cy2;
        Fill(dc, x, y, x + 1, y + 1, upper ? topLeft : bottomRight);
      }
    }
  }
}

BOOL DrawRadio(HDC dc, const RECT& rect, UINT state) {
  const int side = std::min(Side(rect), 12);
  const RECT box{rect.Left, rect.Top + (rect.Height() - side) / 2, rect.Left + side, rect.Top + (rect.Height() - side) / 2 + side};
  const int cx2 = box.Left + box.Right, cy2 = box.Top + box.Bottom;
  const UINT kind = state & 0xFF;
  if (kind == DFCS_BUTTONRADIOMASK) {
    FillColour(dc, rect.Left, rect.Top, rect.Right, rect.Bottom, RGB(255, 255, 255));
    HRGN disc = CreateEllipticRgn(box.Left, box.Top, box.Right, box.Bottom);
    HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
    FillRgn(dc, disc, black);
    DeleteObject(black);
    DeleteObject(disc);
    return TRUE;
  }
  const Region outer = EllipseRegion(box);
  Region ring1(outer);
  const Region inner1 = EllipseRegion({box.Left + 1, box.Top + 1, box.Right - 1, box.Bottom - 1});
  ring1.Subtract(inner1);
  Region ring2(inner1);
  const Region inner2 = EllipseRegion({box.Left + 2, box.Top + 2, box.Right - 2, box.Bottom - 2});
  ring2.Subtract(inner2);
  const bool flat = (state & (DFCS_FLAT | DFCS_MONO)) != 0;
  SplitDisc(dc, ring1, cx2, cy2, flat ? COLOR_WINDOWFRAME : COLOR_BTNSHADOW, flat ? COLOR_WINDOWFRAME : COLOR_BTNHIGHLIGHT);
  SplitDisc(dc, ring2, cx2, cy2, flat ? COLOR_WINDOW : COLOR_3DDKSHADOW, flat ? COLOR_WINDOW : COLOR_3DLIGHT);
  const int face = (state & (DFCS_PUSHED | DFCS_INACTIVE)) ? COLOR_BTNFACE : COLOR_WINDOW;
  SplitDisc(dc, inner2, cx2, cy2, face, face);
  if (state & DFCS_CHECKED) {
    const int cx = cx2 / 2, cy = cy2 / 2;
    const Region dot = EllipseRegion({cx - 2, cy - 2, cx + 2, cy + 2});
    const int colour = (state & DFCS_INACTIVE) ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT;
    SplitDisc(dc, dot, cx2, cy2, colour, colour);
  }
  return TRUE;
}

BOOL DrawButton(HDC dc, RECT* rect, UINT state) {
  const UINT kind = state & 0xFF;
  if (kind & DFCS_BUTTONPUSH) {
    const RECT content = ButtonFace(dc, *rect, state);
    if (state & DFCS_ADJUSTRECT) *rect = content;
    return TRUE;
  }
  if (kind == DFCS_BUTTONRADIO || kind == DFCS_BUTTONRADIOIMAGE || kind == DFCS_BUTTONRADIOMASK) {
    return DrawRadio(dc, *rect, state);
  }
  return DrawCheckBox(dc, *rect, state);
}

void SizeGrip(HDC dc, const RECT& r, bool mirrored) {
  // Diagonal lines in the corner, outwards from it: face, two shadow lines, a highlight, three
  // times over.
  Fill(dc, r.Left, r.Top, r.Right, r.Bottom, COLOR_BTNFACE);
  const int size = Side(r);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const int distance = 2 * (size - 1) - x - y;  // 0 at the corner pixel
      if (distance < 1 || distance > 12) continue;
      const int phase = (distance - 1) % 4;
      if (phase == 0) continue;
      const int colour = phase == 3 ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW;
      const int px = mirrored ? r.Left + size - 1 - x : r.Right - size + x;
      Fill(dc, px, r.Bottom - size + y, px + 1, r.Bottom - size + y + 1, colour);
    }
  }
}

BOOL DrawScroll(HDC dc, RECT* rect, UINT state) {
  const UINT kind = state & 0xFF;
  if (kind == DFCS_SCROLLSIZEGRIP || kind == DFCS_SCROLLSIZEGRIPRIGHT) {
    SizeGrip(dc, *rect, kind == DFCS_SCROLLSIZEGRIPRIGHT);
    return TRUE;
  }
  RECT content;
  if ((state & DFCS_PUSHED) && (state & DFCS_FLAT) == 0) {
    // A pressed scroll arrow is flat with a shadow frame.
    const RECT r = *rect;
    Ring(dc, r, BF_RECT, COLOR_BTNSHADOW, COLOR_BTNSHADOW);
    content = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    Fill(dc, content.Left, content.Top, content.Right, content.Bottom, COLOR_BTNFACE);
  } else {
    content = ButtonFace(dc, *rect, state & ~DFCS_PUSHED);
  }
  const int direction = kind == DFCS_SCROLLUP ? 0 : kind == DFCS_SCROLLLEFT ? 2 : kind == DFCS_SCROLLRIGHT ? 3 : 1;
  Glyph(state, [&](int colour, int offset) { Arrow(dc, content, direction, colour, offset, offset); });
  if (state & DFCS_ADJUSTRECT) *rect = content;
  return TRUE;
}

void CaptionGlyph(HDC dc, const RECT& r, UINT kind, int colour, int offset) {
  const int size = std::max(4, Side(r) - 4);
  const int x = r.Left + (r.Width() - size) / 2 + offset, y = r.Top + (r.Height() - size) / 2 + offset;
  switch (kind) {
    case DFCS_CAPTIONCLOSE:
      for (int i = 0; i < size; ++i) {
        Fill(dc, x + i, y + i, x + i + 2, y + i + 1, colour);
        Fill(dc, x + size - 1 - i - 1, y + i, x + size - i, y + i + 1, colour);
      }
      break;
    case DFCS_CAPTIONMIN: Fill(dc, x, y + size - 2, x + size - 1, y + size, colour); break;
    case DFCS_CAPTIONMAX:
      Fill(dc, x, y, x + size, y + 2, colour);
      Fill(dc, x, y, x + 1, y + size, colour);
      Fill(dc, x + size - 1, y, x + size, y + size, colour);
      Fill(dc, x, y + size - 1, x + size, y + size, colour);
      break;
    case DFCS_CAPTIONRESTORE: {
      const int small = size * 2 / 3;
      for (int k : {0, 1}) {
        const int bx = x + (k ? 0 : size - small), by = y + (k ? size - small : 0);
        Fill(dc, bx, by, bx + small, by + 2, colour);
        Fill(dc, bx, by, bx + 1, by + small, colour);
        Fill(dc, bx + small - 1, by, bx + small, by + small, colour);
        Fill(dc, bx, by + small - 1, bx + small, by + small, colour);
      }
      break;
    }
    default: {  // help: a question mark
      Fill(dc, x + size / 4, y, x + size * 3 / 4, y + 2, colour);
      Fill(dc, x + size * 3 / 4 - 2, y, x + size * 3 / 4, y + size / 2, colour);
      Fill(dc, x + size / 2 - 1, y + size / 2 - 1, x + size * 3 / 4, y + size / 2 + 1, colour);
      Fill(dc, x + size / 2 - 1, y + size - 2, x + size / 2 + 1, y + size, colour);
      break;
    }
  }
}

BOOL DrawCaption(HDC dc, RECT* rect, UINT state) {
  const RECT content = ButtonFace(dc, *rect, state);
  Glyph(state, [&](int colour, int offset) { CaptionGlyph(dc, content, state & 0xFF, colour, offset); });
  if (state & DFCS_ADJUSTRECT) *rect = content;
  return TRUE;
}

// Menu glyphs are black on white: callers use them as masks.
BOOL DrawMenu(HDC dc, const RECT& r, UINT state) {
  FillColour(dc, r.Left, r.Top, r.Right, r.Bottom, RGB(255, 255, 255));
  const UINT kind = state & 0xFF;
  const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
  if (kind == DFCS_MENUCHECK) {
    HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
    for (int i = 0; i < 7; ++i) {
      const int top = i < 3 ? cy - 2 + i : cy - (i - 2);
      const RECT column{cx - 3 + i, top, cx - 2 + i, top + 3};
      FillRect(dc, &column, black);
    }
    DeleteObject(black);
  } else if (kind == DFCS_MENUBULLET) {
    HRGN dot = CreateEllipticRgn(cx - 3, cy - 3, cx + 3, cy + 3);
    HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
    FillRgn(dc, dot, black);
    DeleteObject(black);
    DeleteObject(dot);
  } else {
    const int size = std::max(2, Side(r) / 3);
    for (int i = 0; i < size; ++i) {
      const bool right = kind != DFCS_MENUARROWRIGHT;  // DFCS_MENUARROW points right, ARROWRIGHT left
      const int x = right ? cx - size / 2 + i : cx + size / 2 - i;
      FillColour(dc, x, cy - (size - 1 - i), x + 1, cy + (size - i), RGB(0, 0, 0));
    }
  }
  return TRUE;
}

}  // namespace

BOOL DrawEdge(HDC dc, RECT* rect, UINT edge, UINT flags) {
  if (!rect) return FALSE;
  RECT r = *rect;
  if (r.Left >= r.Right || r.Top >= r.Bottom) return TRUE;
  const UINT sides = flags & BF_RECT;
  if (edge & BDR_OUTER) {
    const RingColours c = OuterColours(edge, flags);
    Ring(dc, r, sides, c.topLeft, c.bottomRight);
    Shrink(r, sides);
  }
  if (edge & BDR_INNER) {
    const RingColours c = InnerColours(edge, flags);
    Ring(dc, r, sides, c.topLeft, c.bottomRight);
    Shrink(r, sides);
  }
  if (flags & BF_MIDDLE) Fill(dc, r.Left, r.Top, r.Right, r.Bottom, (flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE);
  if (flags & BF_ADJUST) *rect = r;
  return TRUE;
}

BOOL DrawFrameControl(HDC dc, RECT* rect, UINT type, UINT state) {
  if (!rect) return FALSE;
  switch (type) {
    case DFC_BUTTON: return DrawButton(dc, rect, state);
    case DFC_SCROLL: return DrawScroll(dc, rect, state);
    case DFC_CAPTION: return DrawCaption(dc, rect, state);
    case DFC_MENU:
    case DFC_POPUPMENU: return DrawMenu(dc, *rect, state);
    default: return FALSE;
  }
}
