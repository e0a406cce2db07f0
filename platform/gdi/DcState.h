#pragma once
// The inside of a DC, for the units that draw (shapes, blits, text). A DC draws onto a
// PixelSurface: a memory DC onto its selected bitmap, a surface DC onto memory of the window
// manager. Logical points become surface pixels by
//   surface = logical - windowOrg + viewportOrg + dcOrigin
// and everything drawn is clipped to Clip(): the clip region (device coordinates, moved by
// dcOrigin) within the visible region and the surface.

#include <algorithm>
#include <vector>

#include "gdi/GdiObjects.h"
#include "gdi/PixelOps.h"
#include "gdi/PixelSurface.h"
#include "gdi/Region.h"

// The attributes SaveDC saves and RestoreDC brings back.
struct DcAttributes {
  POINT windowOrg;
  POINT viewportOrg;
  bool hasClip = false;
  Region clip;  // device coordinates; meaningful when hasClip
  GdiObjectRef pen;
  GdiObjectRef brush;
  GdiObjectRef font;
  GdiObjectRef bitmap;  // memory DCs
  GdiObjectRef palette;
  COLORREF textColor = 0;
  COLORREF bkColor = 0xFFFFFF;
  int bkMode = OPAQUE;
  int rop2 = R2_COPYPEN;
  int stretchMode = BLACKONWHITE;
  int polyFillMode = ALTERNATE;
  UINT textAlign = TA_LEFT | TA_TOP | TA_NOUPDATECP;
  POINT brushOrg;
  POINT currentPosition;
  COLORREF dcBrushColor = 0xFFFFFF;
  COLORREF dcPenColor = 0;
  // SetTextJustification: pixels spread over the next output's break characters.
  int breakExtra = 0;
  int breakCount = 0;
};

// The path of a DC: figures of surface points, recorded between BeginPath and EndPath.
struct DcPath {
  bool open = false;    // BeginPath .. EndPath: MoveToEx and LineTo record instead of drawing
  bool closed = false;  // EndPath done: FillPath may use it
  std::vector<POINT> points;
  std::vector<INT> counts;  // points per figure
};

class DeviceContext : public GdiObject {
 public:
  // A memory DC (OBJ_MEMDC) holding the stock 1 x 1 monochrome bitmap, or a surface DC (OBJ_DC).
  explicit DeviceContext(DWORD type);
  ~DeviceContext() override;

  DcAttributes attrs;
  std::vector<DcAttributes> saved;
  DcPath path;

  const PixelSurface& Surface() const { return surface_; }
  POINT DcOrigin() const { return dcOrigin_; }
  bool IsMemoryDc() const { return Type() == OBJ_MEMDC; }

  // Logical to surface pixels, and the offset that does it.
  int OffsetX() const { return viewportOrgX() - attrs.windowOrg.X + dcOrigin_.X; }
  int OffsetY() const { return viewportOrgY() - attrs.windowOrg.Y + dcOrigin_.Y; }
  POINT ToSurface(POINT p) const { return {p.X + OffsetX(), p.Y + OffsetY()}; }
  RECT ToSurface(const RECT& r) const {
    return {r.Left + OffsetX(), r.Top + OffsetY(), r.Right + OffsetX(), r.Bottom + OffsetY()};
  }

  // Where drawing may touch, in surface pixels.
  const Region& Clip() const { return effectiveClip_; }
  // Calls fn(RECT) for each part of `rect` (surface pixels) inside Clip().
  template <class F>
  void ForEachClipRect(const RECT& rect, F&& fn) const {
    for (const pixman_box32_t& box : effectiveClip_.Rects()) {
      RECT part{std::max(rect.Left, box.x1), std::max(rect.Top, box.y1), std::min(rect.Right, box.x2),
                std::min(rect.Bottom, box.y2)};
      if (part.Left < part.Right && part.Top < part.Bottom) fn(part);
    }
  }
  const PixelPrimitives& Primitives() const { return *primitives_; }

  // After a change of attrs.clip/hasClip, of the origin or of the surface.
  void ClipChanged();
  // Points the DC at new pixels (memory DCs: the selected bitmap's).
  void SetSurface(const PixelSurface& surface, POINT dcOrigin, const Region* visible);

  // The selected pen and brush, DC_PEN and DC_BRUSH resolved to the DC's colours by the callers
  // that realise them.
  GdiObject* Pen() const { return attrs.pen.get(); }
  GdiObject* Brush() const { return attrs.brush.get(); }

 private:
  int viewportOrgX() const { return attrs.viewportOrg.X; }
  int viewportOrgY() const { return attrs.viewportOrg.Y; }

  PixelSurface surface_;
  POINT dcOrigin_;
  bool hasVisible_ = false;
  Region visible_;  // surface coordinates; the whole surface when !hasVisible_
  Region effectiveClip_;
  const PixelPrimitives* primitives_;
};

// The DC of a handle, null when stale.
DeviceContext* LookupDc(HDC dc);

// Recording into the open path (Paths.cpp): a new figure at the current position, and a line from
// the current position to `to` (logical coordinates).
void RecordPathMove(DeviceContext& dc);
void RecordPathLine(DeviceContext& dc, POINT to);
