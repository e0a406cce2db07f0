// Gradients in bands of solid colour: each channel is a 16.16 fixed-point accumulator, and a band
// ends when the rebuilt colour changes. Linear gradients compute one 8-pixel strip and copy it;
// box gradients compute one quadrant and mirror it.

#include "toolkit/controls/WbGrafx.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "gdi/Bitmaps.h"
#include "gdi/Blits.h"
#include "gdi/DeviceContexts.h"
#include "gdi/Drawing.h"
#include "gdi/Regions.h"
#include "vcl/Controls.h"
#include "vcl/Forms.h"
#include "vcl/Graphics.h"
#include "vcl/GraphicsBlits.h"

namespace {

// The least number of steps a band covers, less one.
Integer BandSteps(Byte Band, Integer Divisor) {
  Integer q = Band <= 8 ? Band : Divisor / Band + 1;
  return q - 1 < 0 ? 0 : q - 1;
}

// A colour held as three 16.16 channels, stepped towards another over a number of steps.
struct ColorRamp {
  Integer R, G, B, DR = 0, DG = 0, DB = 0;
  ColorRamp(TColor From, TColor To, Integer Steps) {
    COLORREF a = ColorToRGB(From), b = ColorToRGB(To);
    R = Integer(a & 0xFF) << 16;
    G = Integer((a >> 8) & 0xFF) << 16;
    B = Integer((a >> 16) & 0xFF) << 16;
    if (Steps > 0) {
      DR = ((Integer(b & 0xFF) << 16) - R) / Steps;
      DG = ((Integer((b >> 8) & 0xFF) << 16) - G) / Steps;
      DB = ((Integer((b >> 16) & 0xFF) << 16) - B) / Steps;
    }
  }
  void Step() { R += DR, G += DG, B += DB; }
  // The last band may step past the end colour: a channel stays inside 0..255 instead of wrapping.
  COLORREF Color() const { return Channel(R) | (Channel(G) << 8) | (Channel(B) << 16); }
  static COLORREF Channel(Integer v) { return COLORREF(std::clamp(v >> 16, 0, 255)); }
};

void FillSolid(HDC DC, const RECT& Rect, COLORREF Color) {
  if (Rect.Right <= Rect.Left || Rect.Bottom <= Rect.Top) return;
  HBRUSH brush = CreateSolidBrush(Color);
  FillRect(DC, &Rect, brush);
  DeleteObject(brush);
}

void FillPolygon(HDC DC, const POINT (&Points)[4], COLORREF Color) {
  HBRUSH brush = CreateSolidBrush(Color);
  HGDIOBJ oldBrush = SelectObject(DC, brush);
  HGDIOBJ oldPen = SelectObject(DC, GetStockObject(NULL_PEN));
  Polygon(DC, Points, 4);
  SelectObject(DC, oldPen);
  SelectObject(DC, oldBrush);
  DeleteObject(brush);
}

// One pass of the linear fill, from position Start down to End.
void LinearPass(HDC DC, bool Horizontal, Integer Start, Integer End, TColor From, TColor To, Integer Q) {
  ColorRamp ramp(From, To, Start - End + 1);
  Integer p = Start;
  while (p >= End) {
    COLORREF band = ramp.Color();
    Integer previous = p, steps = 0;
    do {
      ramp.Step();
      --p;
      ++steps;
    } while ((ramp.Color() == band || steps < Q + 1) && p >= End);
    FillSolid(DC, Horizontal ? RECT{p, 0, previous, 8} : RECT{0, p, 8, previous}, band);
  }
}

}  // namespace

void GradientLinearFill(HDC DC, Integer SplitX, Integer SplitY, Integer Extent, TColor FirstColor, TColor OtherColor,
                        Byte Band) {
  const bool horizontal = SplitX != 0;
  const Integer split = horizontal ? SplitX : SplitY;
  const Integer q = BandSteps(Band, 255);
  LinearPass(DC, horizontal, split < 0 ? Extent : split + 1, 1, FirstColor, OtherColor, q);
  if (split > 0) LinearPass(DC, horizontal, Extent, split + 2, OtherColor, FirstColor, q);
}

void ReplicateStrip(HDC DC, Integer X, Integer Y, Integer FilledWidth, Integer FilledHeight, Integer FullWidth,
                    Integer FullHeight, DWORD Rop) {
  for (Integer w = FilledWidth; w > 0 && w < FullWidth;) {
    Integer part = std::min(w, FullWidth - w);
    BitBlt(DC, X + w, Y, part, FilledHeight, DC, X, Y, Rop);
    w += part;
  }
  Integer width = std::max(FilledWidth, FullWidth);
  for (Integer h = FilledHeight; h > 0 && h < FullHeight;) {
    Integer part = std::min(h, FullHeight - h);
    BitBlt(DC, X, Y + h, width, part, DC, X, Y, Rop);
    h += part;
  }
}

void GradientBoxFill(HDC DC, Integer Width, Integer Height, TColor CentreColor, TColor EdgeColor, Integer InsetX,
                     Integer InsetY, Byte Band) {
  if (ColorToRGB(CentreColor) == ColorToRGB(EdgeColor) || Width <= 4 || Height <= 4) {
    FillSolid(DC, {0, 0, Width + 1, Height + 1}, ColorToRGB(EdgeColor));
    return;
  }
  const Integer q = BandSteps(Band, 256);
  const Integer mx = (Width - 1) / 2, my = (Height - 1) / 2;
  const Integer rx = mx - InsetX, ry = my - InsetY;
  const Integer n = std::max(rx, ry) + 1;
  ColorRamp ramp(CentreColor, EdgeColor, n);
  Integer x = rx << 16, y = ry << 16;
  const Integer dx = (rx << 16) / n, dy = (ry << 16) / n;
  Integer cornerX = mx + 1, cornerY = my + 1;
  auto done = [&] { return x < 0 && y < 0; };
  while (!done()) {
    COLORREF band = ramp.Color();
    Integer steps = 0;
    do {
      ramp.Step();
      x -= dx;
      y -= dy;
      ++steps;
    } while ((ramp.Color() == band || steps < q + 1) && !done());
    const Integer nx = x >> 16, ny = y >> 16;
    FillSolid(DC, {nx, ny, mx + 1, cornerY}, band);
    FillSolid(DC, {nx, ny, cornerX, my + 1}, band);
    cornerX = nx;
    cornerY = ny;
  }
}

void MirrorQuadrant(HDC DC, Integer X, Integer Y, Integer Width, Integer Height, DWORD Rop) {
  // The top rows over the left half and the centre column, then the left columns, each turned
  // over about the centre line, one pixel for one pixel.
  const Integer hw = Width >> 1, hh = Height >> 1;
  const Integer centre = Width & 1;
  if (hh > 0) StretchBlt(DC, X, Y + Height - 1, hw + centre, -hh, DC, X, Y, hw + centre, hh, Rop);
  if (hw > 0) StretchBlt(DC, X + Width - 1, Y, -hw, Height, DC, X, Y, hw, Height, Rop);
}

void GradientDiagonalFill(HDC DC, Integer Width, Integer Height, TColor ColorA, TColor ColorB, Byte Band) {
  const bool fromLeft = Width > 0;
  const Integer w = std::abs(Width);
  const Integer q = BandSteps(Band, 255);
  const Integer d = Integer(std::sqrt(double(w) * w + double(Height) * Height)) + 1;
  ColorRamp ramp(fromLeft ? ColorB : ColorA, fromLeft ? ColorA : ColorB, d);
  const Integer half = std::max<Integer>(Integer(unsigned(d) >> 1), 1);
  const Integer dx = (w << 16) / half, dy = (Height << 16) / half;
  // Positions are measured from the starting side; a sweep from the right mirrors them.
  auto px = [&](Integer x) { return fromLeft ? x : w - x; };
  auto sweep = [&](bool second) {
    Integer x = 0, y = Height << 16;
    while (true) {
      COLORREF band = ramp.Color();
      Integer x0 = x, y0 = y, steps = 0;
      do {
        ramp.Step();
        x += dx;
        y -= dy;
        ++steps;
      } while ((ramp.Color() == band || steps < q + 1) && y >= 0);
      bool closing = y < 0;
      Integer xa = x0 >> 16, xb = closing ? w : x >> 16;
      Integer ya = y0 >> 16, yb = closing ? 0 : y >> 16;
      // First half: the starting side edge joined to the bottom edge; second half: the top
      // edge joined to the opposite side edge.
      POINT points[4];
      if (!second)
        points[0] = {px(0), yb}, points[1] = {px(0), ya}, points[2] = {px(xa), Height}, points[3] = {px(xb), Height};
      else
        points[0] = {px(xa), 0}, points[1] = {px(xb), 0}, points[2] = {px(w), yb}, points[3] = {px(w), ya};
      if (xa != xb || ya != yb) FillPolygon(DC, points, band);
      if (closing) break;
    }
  };
  sweep(false);
  sweep(true);
}

void PaintGradientArea(TCanvas* Canvas, const TRect& Bounds, TGradientDirection Direction, TColor StartColor,
                       TColor StopColor, Byte Band) {
  const Integer W = std::abs(Bounds.Right - Bounds.Left), H = std::abs(Bounds.Bottom - Bounds.Top);
  if (W == 0 || H == 0) return;
  TBitmap bitmap;
  bitmap.SetSize(W, H);
  HDC dc = bitmap.GetCanvas()->GetHandle();
  const bool equal = ColorToRGB(StartColor) == ColorToRGB(StopColor);
  switch (Direction) {
    case gdDiagonalUp:
    case gdDiagonalDown:
      if (equal)
        FillSolid(dc, {0, 0, W, H}, ColorToRGB(StartColor));
      else
        GradientDiagonalFill(dc, Direction == gdDiagonalUp ? W : -W, H, StopColor, StartColor, Band);
      break;
    case gdHorizontalEnd:
    case gdHorizontalCenter:
      GradientLinearFill(dc, 0, Direction == gdHorizontalEnd ? -1 : H / 2, H, StopColor, StartColor, Band);
      ReplicateStrip(dc, 0, 0, 8, H, W, H, SRCCOPY);
      break;
    case gdVerticalEnd:
    case gdVerticalCenter:
      GradientLinearFill(dc, Direction == gdVerticalEnd ? -1 : W / 2, 0, W, StopColor, StartColor, Band);
      ReplicateStrip(dc, 0, 0, W, 8, W, H, SRCCOPY);
      break;
    case gdHorizontalBox:
    case gdVerticalBox:
    case gdSquareBox:
    case gdBigSquareBox: {
      if (Direction == gdHorizontalBox || Direction == gdSquareBox) FillSolid(dc, {0, 0, W, H}, ColorToRGB(StartColor));
      Integer insetX = Direction == gdHorizontalBox || Direction == gdBigSquareBox ? Integer(unsigned(W) >> 2) : 0;
      Integer insetY = Direction == gdVerticalBox || Direction == gdBigSquareBox ? Integer(unsigned(H) >> 2) : 0;
      GradientBoxFill(dc, W, H, StopColor, StartColor, insetX, insetY, Band);
      MirrorQuadrant(dc, 0, 0, W, H, SRCCOPY);
      break;
    }
  }
  Canvas->Draw(Bounds.Left, Bounds.Top, &bitmap);
}

// ---- Transparent copies ------------------------------------------------------------------------

namespace {

// SourceRect of the bitmap stretched to Width x Height.
std::unique_ptr<TBitmap> ScaledCopy(TBitmap* Bitmap, const TRect& SourceRect, Integer Width, Integer Height) {
  auto copy = std::make_unique<TBitmap>();
  copy->SetSize(Width, Height);
  copy->GetCanvas()->CopyRect({0, 0, Width, Height}, Bitmap->GetCanvas(), SourceRect);
  return copy;
}

// White where the image has TransparentColor, black elsewhere.
std::unique_ptr<TBitmap> MaskOf(TBitmap* Image, TColor TransparentColor) {
  auto mask = std::make_unique<TBitmap>();
  mask->SetMonochrome(true);
  mask->SetSize(Image->GetWidth(), Image->GetHeight());
  HDC source = Image->GetCanvas()->GetHandle();
  COLORREF oldBk = SetBkColor(source, ColorToRGB(TransparentColor));
  BitBlt(mask->GetCanvas()->GetHandle(), 0, 0, Image->GetWidth(), Image->GetHeight(), source, 0, 0, SRCCOPY);
  SetBkColor(source, oldBk);
  return mask;
}

}  // namespace

void PaintTransparentBitmapFull(TCanvas* Canvas, TBitmap* Bitmap, const TRect& DestRect, const TRect& SourceRect,
                                TColor TransparentColor) {
  const Integer dw = DestRect.Right - DestRect.Left, dh = DestRect.Bottom - DestRect.Top;
  if (dw <= 0 || dh <= 0 || Bitmap->GetEmpty()) return;
  auto image = ScaledCopy(Bitmap, SourceRect, dw, dh);
  auto mask = MaskOf(image.get(), TransparentColor);
  // The scaled copy already has the destination's size: it goes 1:1 to DestRect's own place.
  TransparentStretchBlt(Canvas->GetHandle(), DestRect.Left, DestRect.Top, dw, dh, image->GetCanvas()->GetHandle(), 0, 0,
                        dw, dh, mask->GetCanvas()->GetHandle(), 0, 0);
}

void PaintTransparentBitmap(TCanvas* Canvas, TBitmap* Bitmap, const TRect& DestRect, const TRect& SourceRect,
                            TColor TransparentColor) {
  const Integer dw = DestRect.Right - DestRect.Left, dh = DestRect.Bottom - DestRect.Top;
  if (dw <= 0 || dh <= 0 || Bitmap->GetEmpty()) return;
  auto image = ScaledCopy(Bitmap, SourceRect, dw, dh);
  auto mask = MaskOf(image.get(), TransparentColor);
  if (ColorToRGB(TransparentColor) != 0) {
    // The left-out pixels must be black for the OR step.
    HDC imageDc = image->GetCanvas()->GetHandle();
    HDC maskDc = mask->GetCanvas()->GetHandle();
    COLORREF oldBk = SetBkColor(imageDc, 0), oldText = SetTextColor(imageDc, 0xFFFFFF);
    BitBlt(imageDc, 0, 0, dw, dh, maskDc, 0, 0, SRCAND);
    SetBkColor(imageDc, oldBk);
    SetTextColor(imageDc, oldText);
  }
  TRect whole{0, 0, dw, dh};
  TCopyMode saved = Canvas->GetCopyMode();
  Canvas->SetCopyMode(cmSrcAnd);
  Canvas->CopyRect(DestRect, mask->GetCanvas(), whole);
  Canvas->SetCopyMode(cmSrcPaint);
  Canvas->CopyRect(DestRect, image->GetCanvas(), whole);
  Canvas->SetCopyMode(saved);
}

void PaintTransparentStretched(TCanvas* Canvas, TBitmap* Bitmap, const TRect& DestRect, TColor TransparentColor) {
  PaintTransparentBitmap(Canvas, Bitmap, DestRect, {0, 0, Bitmap->GetWidth(), Bitmap->GetHeight()},
                         TransparentColor);
}

void PaintTransparentTiled(TCanvas* Canvas, TBitmap* Bitmap, const TRect& DestRect, TColor TransparentColor) {
  const Integer bw = Bitmap->GetWidth(), bh = Bitmap->GetHeight();
  if (bw <= 0 || bh <= 0) return;
  for (Integer y = DestRect.Top; y < DestRect.Bottom; y += bh) {
    Integer h = std::min(bh, DestRect.Bottom - y);
    for (Integer x = DestRect.Left; x < DestRect.Right; x += bw) {
      Integer w = std::min(bw, DestRect.Right - x);
      PaintTransparentBitmap(Canvas, Bitmap, {x, y, x + w, y + h}, {0, 0, w, h}, TransparentColor);
    }
  }
}

// ---- Parent background -------------------------------------------------------------------------

void PaintParentBackground(TControl* Control, HDC DC, bool InvalidateParent) {
  TWinControl* parent = Control->GetParent();
  if (!parent) return;
  int saved = SaveDC(DC);
  OffsetViewportOrgEx(DC, -Control->GetLeft(), -Control->GetTop(), nullptr);
  IntersectClipRect(DC, 0, 0, parent->GetClientWidth(), parent->GetClientHeight());
  parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), 0);
  parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
  RestoreDC(DC, saved);
  if (InvalidateParent && !parent->InheritsFrom(TCustomControl::ClassInfo()) &&
      !parent->InheritsFrom(TCustomForm::ClassInfo()))
    parent->Invalidate();
}

void PaintParentBackground(TControl* Control, TCanvas* Canvas, bool InvalidateParent) {
  PaintParentBackground(Control, Canvas->GetHandle(), InvalidateParent);
}
