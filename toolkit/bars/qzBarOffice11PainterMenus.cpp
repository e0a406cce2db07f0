// The Office-11 look of menu windows: the icon band's gradient under the items, a border in the
// border brush that stays open where the menu joins its opener, and the menu-coloured frame.

#include <algorithm>

#include "gdi/Drawing.h"
#include "gdi/Regions.h"
#include "toolkit/bars/qzBarOffice11Painter.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "toolkit/foundation/qzOffice11.h"
#include "user/Rects.h"

namespace {

// The band's gradient is the toolbars' (slots 2 and 3), copied to slots of its own.
constexpr Integer BandGradient1 = 34, BandGradient2 = 35;
// Brushes B4 (menu) and B10 (border) of the table.
constexpr Integer MenuBrushIndex = 4, BorderBrushIndex = 10;
constexpr Integer DetachCaptionBrushIndex = 13, HotDetachCaptionBrushIndex = 14;

}  // namespace

void TqzBarOffice11Painter::FillMenuBackground(TqzBarSubMenuControl* AMenu, HDC DC, TColor AColor, HBRUSH ABrush,
                                               const TRect& R) {
  if (AMenu->BackgroundBitmap()) {
    TqzBarFlatPainter::FillMenuBackground(AMenu, DC, AColor, ABrush, R);
    return;
  }
  TRect client = AMenu->GetClientRect();
  TRect area;
  if (!IntersectRect(&area, &R, &client)) return;
  Integer bandEnd = AMenu->GetGlyphColumnEnd();
  // Items fill small pieces of the background one by one. The band's gradient runs across it, so
  // its rows are all alike: the window keeps the band painted once and each piece is copied from
  // it, where painting the gradient again would cost a brush per column per piece.
  if (area.Left < bandEnd) {
    const Integer width = bandEnd - client.Left, height = client.Height();
    TBitmap* cache = AMenu->GetBackgroundCache();
    if (cache->GetWidth() != width || cache->GetHeight() != height) {
      cache->SetSize(width, height);
      // One row of the gradient, then the rows made so far copied below them: a column at a time
      // down the whole height would walk the memory across.
      HDC rows = cache->GetCanvas()->GetHandle();
      PaintSplitGradient(rows, TRect(0, 0, width, 1), Office11Color(BandGradient1), Office11Color(BandGradient2),
                         true);
      for (Integer done = 1; done < height; done *= 2)
        BitBlt(rows, 0, done, width, std::min(done, height - done), rows, 0, 0, SRCCOPY);
    }
    const TRect band(area.Left, area.Top, std::min(bandEnd, area.Right), area.Bottom);
    BitBlt(DC, band.Left, band.Top, band.Width(), band.Height(), cache->GetCanvas()->GetHandle(),
           band.Left - client.Left, band.Top - client.Top, SRCCOPY);
  }
  if (area.Right > bandEnd)
    FillAreaSolidOrTiled(DC, TRect(std::max(bandEnd, area.Left), area.Top, area.Right, area.Bottom), client, nullptr,
                         AColor, ABrush);
}

void TqzBarOffice11Painter::DrawExpandChevrons(TqzBarSubMenuControl*, HDC DC, bool, const TRect& R) {
  TBitmap* glyph = Office11SubMenuExpandBitmap();
  if (!glyph) return;
  Integer side = R.Height() - 2;
  Integer left = R.Left + (R.Width() - side) / 2;
  TCanvas canvas;
  canvas.SetHandle(DC);
  glyph->SetTransparent(true);
  canvas.StretchDraw(TRect(left, R.Top + 1, left + side, R.Top + 1 + side), glyph);
  canvas.SetHandle(nullptr);
}

Integer TqzBarOffice11Painter::DetachCaptionHeight(TqzBarSubMenuControl* AMenu) {
  return AMenu->GetDetachCaptionHeight() + 5;
}

void TqzBarOffice11Painter::GetDetachCaptionInset(TqzBarSubMenuControl*, TRect& R) { InflateRect(&R, -2, -4); }

void TqzBarOffice11Painter::DrawMenuBorder(TqzBarSubMenuControl* AMenu, HDC DC, const TRect& R) {
  FrameWith(DC, R, Office11Brush(BorderBrushIndex));
  HBRUSH menu = Office11Brush(MenuBrushIndex);
  TRect strip;
  AMenu->GetOwnerJoinRect(false, strip);
  if (!IsRectEmpty(&strip)) FillWith(DC, strip, menu);
  if (!AMenu->HasDetachCaption()) return;
  TRect band(R.Left + 1, R.Top + 1, R.Right - 1, R.Top + 1 + AMenu->GetDetachCaptionHeight() + 5);
  FrameWith(DC, band, menu);
  FillWith(DC, TRect(band.Left, band.Top, band.Right, band.Top + 2), menu);
  FillWith(DC, TRect(band.Left, band.Bottom - 1, band.Right, band.Bottom), menu);
  TRect caption;
  AMenu->GetDetachCaptionRect(caption);
  DrawDetachCaption(AMenu, DC, caption);
}

void TqzBarOffice11Painter::DrawDetachCaption(TqzBarSubMenuControl* AMenu, HDC DC, const TRect& R) {
  bool hot = AMenu->GetDetachCaptionHot();
  TRect face = R;
  if (hot) {
    ClassRef()->DrawSelectedFrame(DC, face);
    InflateRect(&face, -1, -1);
  }
  FillWith(DC, face, Office11Brush(hot ? HotDetachCaptionBrushIndex : DetachCaptionBrushIndex));
  TRect dots = face;
  InflateRect(&dots, -(dots.Width() + (hot ? 0 : 2)) / 4, hot ? -1 : -2);
  DrawGripDots(AMenu, DC, true, dots);
}

void TqzBarOffice11Painter::DrawMenuInnerFrame(TqzBarSubMenuControl* AMenu, HDC DC, HBRUSH, const TRect& R) {
  HBRUSH menu = Office11Brush(MenuBrushIndex);
  if (!AMenu->BackgroundBitmap()) {
    FrameWith(DC, R, menu);
    return;
  }
  FillWith(DC, TRect(R.Left, R.Top, R.Right, R.Top + 1), menu);
  FillWith(DC, TRect(R.Right - 1, R.Top, R.Right, R.Bottom), menu);
  FillWith(DC, TRect(R.Left, R.Bottom - 1, R.Right, R.Bottom), menu);
  HBRUSH band = CreateSolidBrush(ColorToRGB(Office11Color(BandGradient1)));
  FillWith(DC, TRect(R.Left, R.Top, R.Left + 1, R.Bottom), band);
  DeleteObject(band);
}
