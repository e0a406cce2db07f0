// Office-11 backgrounds: dock sites in the dock gradient (kept as a picture by the site, since
// every toolbar in it asks for the part behind it), toolbar bodies in the toolbar gradient.

#include "gdi/Drawing.h"
#include "gdi/GdiTypes.h"
#include "toolkit/bars/qzBarDockControl.h"
#include "toolkit/bars/qzBarOffice11Painter.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "toolkit/bars/qzBarToolbars.h"
#include "toolkit/foundation/qzOffice11.h"
#include "user/Rects.h"
#include "vcl/Graphics.h"

namespace {

constexpr Integer DockGradient1 = 0, DockGradient2 = 1, ToolbarGradient1 = 2, ToolbarGradient2 = 3;

// Paints with the DC clipped to R; the clip is put back afterwards.
template <class F>
void PaintClipped(HDC DC, const TRect& R, F APaint) {
  HRGN saved;
  bool existed;
  BackupClipRegion(DC, saved, existed);
  IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
  APaint();
  RestoreClipRegionBackup(DC, saved, existed);
}

bool ContainsRect(const TRect& AOuter, const TRect& AInner) {
  return AInner.Left >= AOuter.Left && AInner.Top >= AOuter.Top && AInner.Right <= AOuter.Right &&
         AInner.Bottom <= AOuter.Bottom;
}

}  // namespace

void TqzBarOffice11Painter::DrawDockBackground(TqzDockControl* ADockControl, HDC DC, TColor, HBRUSH, const TRect& R,
                                               const TRect& ASiteRect) {
  TBitmap* cache = ADockControl->GetBackgroundCache();
  if (cache->GetEmpty()) {
    TRect site = ADockControl->GetClientRect();
    cache->SetSize(site.Width(), site.Height());
    HDC target = cache->GetCanvas()->GetHandle();
    // A side site shows the end of the gradient that lies on its side of the form.
    switch (ADockControl->GetDockingStyle()) {
      case dsLeft:
        SolidFillRect(target, site, Office11Color(DockGradient1));
        break;
      case dsRight:
        SolidFillRect(target, site, Office11Color(DockGradient2));
        break;
      default:
        PaintGradientRect(target, site, Office11Color(DockGradient1), Office11Color(DockGradient2), true);
        break;
    }
  }
  BitBlt(DC, R.Left, R.Top, R.Width(), R.Height(), cache->GetCanvas()->GetHandle(), ASiteRect.Left, ASiteRect.Top,
         SRCCOPY);
}

void TqzBarOffice11Painter::FillFromDockSite(TCustomqzBarControl* ABarControl, HDC DC, TColor AColor, HBRUSH ABrush,
                                             const TRect& R, const TRect& AClipRect) {
  auto* toolbar = dynamic_cast<TqzBarControl*>(ABarControl);
  if (!toolbar || toolbar->GetBar()->GetBorderStyle() == bbsNone || toolbar->IsMainMenu()) {
    TqzBarFlatPainter::FillFromDockSite(ABarControl, DC, AColor, ABrush, R, AClipRect);
    return;
  }
  // The body: the whole window less one pixel on both sides across the bar, in DC coordinates.
  TPoint clientOffset;
  toolbar->ClientOffset(clientOffset);
  RECT window{};
  if (toolbar->HandleAllocated()) ::GetWindowRect(toolbar->GetHandle(), &window);
  bool horizontal = !toolbar->IsDockedVertically();
  const Integer width = window.Right - window.Left, height = window.Bottom - window.Top;
  TRect body(0, 0, width, height);
  if (horizontal)
    InflateRect(&body, 0, -1);
  else
    InflateRect(&body, -1, 0);
  // The window keeps its body's gradient: every item's background is a part of it, and painting
  // the gradient anew for each would cost a brush per line per item.
  TBitmap* cache = toolbar->GetBackgroundCache();
  if (cache->GetWidth() != width || cache->GetHeight() != height) {
    cache->SetSize(width, height);
    PaintSplitGradient(cache->GetCanvas()->GetHandle(), body, Office11Color(ToolbarGradient1),
                       Office11Color(ToolbarGradient2), !horizontal);
  }
  const Integer dx = AClipRect.Left - R.Left - clientOffset.X, dy = AClipRect.Top - R.Top - clientOffset.Y;
  OffsetRect(&body, dx, dy);
  // The pixels outside the body show the site behind the bar.
  if (!ContainsRect(body, AClipRect))
    TqzBarFlatPainter::FillFromDockSite(ABarControl, DC, AColor, ABrush, R, AClipRect);
  TRect part;
  if (!IntersectRect(&part, &body, &AClipRect)) return;
  BitBlt(DC, part.Left, part.Top, part.Width(), part.Height(), cache->GetCanvas()->GetHandle(), part.Left - dx,
         part.Top - dy, SRCCOPY);
}

void TqzBarOffice11Painter::FillFromBarBitmap(TCustomqzBarControl* ABarControl, HDC DC, TColor AColor,
                                              HBRUSH ABrush, const TRect& R, const TRect& AClipRect) {
  TRect client = ABarControl->GetClientRect();
  OffsetRect(&client, AClipRect.Left - R.Left, AClipRect.Top - R.Top);
  if (!ContainsRect(client, AClipRect))
    TqzBarFlatPainter::FillFromBarBitmap(ABarControl, DC, AColor, ABrush, R, AClipRect);
  PaintClipped(DC, AClipRect, [&] {
    PaintGradientRect(DC, client, Office11Color(ToolbarGradient1), Office11Color(ToolbarGradient2), false);
  });
}
