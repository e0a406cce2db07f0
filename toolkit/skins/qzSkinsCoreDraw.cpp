#include <algorithm>

#include "gdi/Gdi.h"
#include "rtl/Math.h"
#include "toolkit/foundation/qzOffice11.h"
#include "toolkit/skins/qzSkinsCore.h"
#include "vcl/Graphics.h"

TAVREN_CLASS_IMPL(TqzSkinCanvas)
TAVREN_CLASS_IMPL(TqzSkinElementCache)

namespace {

// Restores the interpolation mode it found, also when drawing fails.
class TInterpolationScope {
 public:
  TInterpolationScope(TqzSkinCanvas* ACanvas, InterpolationMode AMode)
      : FCanvas(ACanvas), FSaved(ACanvas->GetInterpolationMode()) {
    FCanvas->SetInterpolationMode(AMode);
  }
  ~TInterpolationScope() { GdiPlus().GdipSetInterpolationMode(FCanvas->Graphics(), FSaved); }
  TInterpolationScope(const TInterpolationScope&) = delete;
  TInterpolationScope& operator=(const TInterpolationScope&) = delete;

 private:
  TqzSkinCanvas* FCanvas;
  InterpolationMode FSaved;
};

// Paints on DC through a temporary canvas.
template <class F>
void PaintThroughCanvas(HDC DC, const TRect& R, F Paint) {
  TqzSkinCanvas canvas;
  canvas.BeginPaint(DC, R);
  try {
    Paint(&canvas);
  } catch (...) {
    canvas.EndPaint();
    throw;
  }
  canvas.EndPaint();
}

}  // namespace

// ---- Canvas -------------------------------------------------------------------------------

TqzSkinCanvas::~TqzSkinCanvas() {
  if (FGraphics && FOwnsGraphics && GdiPlus().GdipDeleteGraphics) GdiPlus().GdipDeleteGraphics(FGraphics);
}

bool TqzSkinCanvas::IsLowColorDevice(HDC DC) { return GetDeviceCaps(DC, BITSPIXEL) < 9; }

bool TqzSkinCanvas::CanDraw(HDC DC, const TRect& R) { return !RectIsVoid(R) && RectVisible(DC, &R); }

void TqzSkinCanvas::BeginPaint(HDC DC, const TRect& R) {
  FRect = R;
  FSourceDC = DC;
  HDC target = DC;
  if (IsLowColorDevice(DC)) {
    FBuffer = std::make_unique<TkvBitmap>(R.Width(), R.Height());
    HDC buffer = FBuffer->GetCanvas()->GetHandle();
    BitBlt(buffer, 0, 0, R.Width(), R.Height(), DC, R.Left, R.Top, SRCCOPY);
    SetWindowOrgEx(buffer, R.Left, R.Top, nullptr);
    target = buffer;
  }
  GpCheckStatus(GdiPlus().GdipCreateFromHDC(target, &FGraphics));
  FOwnsGraphics = true;
}

void TqzSkinCanvas::BeginPaintOnGraphics(GpGraphics* AGraphics, const TRect& R) {
  FRect = R;
  FSourceDC = nullptr;
  FGraphics = AGraphics;
  FOwnsGraphics = true;
}

void TqzSkinCanvas::EndPaint() {
  GpGraphics* graphics = FGraphics;
  FGraphics = nullptr;
  FOwnsGraphics = false;
  if (graphics) GpCheckStatus(GdiPlus().GdipDeleteGraphics(graphics));
  if (FBuffer) {
    HDC buffer = FBuffer->GetCanvas()->GetHandle();
    SetWindowOrgEx(buffer, 0, 0, nullptr);
    SaveDC(FSourceDC);
    BitBlt(FSourceDC, FRect.Left, FRect.Top, FRect.Width(), FRect.Height(), buffer, 0, 0, SRCCOPY);
    RestoreDC(FSourceDC, -1);
    FBuffer.reset();
  }
}

void TqzSkinCanvas::FillRect(const TRect& R, TColor AColor) {
  HBRUSH brush = CreateSolidBrush(ColorToRGB(AColor));
  HDC dc = nullptr;
  GpCheckStatus(GdiPlus().GdipGetDC(FGraphics, &dc));
  ::FillRect(dc, &R, brush);
  GdiPlus().GdipReleaseDC(FGraphics, dc);
  DeleteObject(brush);
}

void TqzSkinCanvas::FillGradientRect(const TRect& R, TColor AColor1, TColor AColor2, TqzSkinGradientMode AMode) {
  if (AColor2 == AColor1 || AColor2 == clNone || AColor2 == clDefault) {
    FillRect(R, AColor1);
  } else if (AMode == gmHorizontal || AMode == gmVertical) {
    HDC dc = nullptr;
    GpCheckStatus(GdiPlus().GdipGetDC(FGraphics, &dc));
    PaintGradientRect(dc, R, AColor1, AColor2, AMode == gmHorizontal);
    GdiPlus().GdipReleaseDC(FGraphics, dc);
  } else {
    FillDiagonalGradient(R, AColor1, AColor2, AMode == gmForwardDiagonal);
  }
}

void TqzSkinCanvas::FillDiagonalGradient(const TRect& R, TColor AColor1, TColor AColor2, bool AForward) {
  GpRect rect{R.Left, R.Top, R.Width(), R.Height()};
  GpBrush* brush = nullptr;
  GpCheckStatus(GdiPlus().GdipCreateLineBrushFromRectI(
      &rect, SkinColorToARGB(AColor1, 255), SkinColorToARGB(AColor2, 255),
      AForward ? LinearGradientModeForwardDiagonal : LinearGradientModeBackwardDiagonal, WrapModeTile, &brush));
  GpStatus status = GdiPlus().GdipFillRectangleI(FGraphics, brush, rect.X, rect.Y, rect.Width, rect.Height);
  GdiPlus().GdipDeleteBrush(brush);
  GpCheckStatus(status);
}

void TqzSkinCanvas::DrawImage(TqzPNGImage* APicture, const TRect& ADest, const TRect& ASource) {
  APicture->DrawToGraphics(FGraphics, ADest, ASource);
}

void TqzSkinCanvas::DrawImageUnscaled(TqzPNGImage* APicture, const TRect& ADest, const TRect& ASource) {
  TInterpolationScope scope(this, InterpolationModeNearestNeighbor);
  DrawImage(APicture, ADest, ASource);
}

void TqzSkinCanvas::TileImage(TqzPNGImage* APicture, const TRect& ADest, const TRect& ASource) {
  Integer tileWidth = ASource.Width(), tileHeight = ASource.Height();
  if (ADest.Height() <= 0 || tileWidth <= 0 || tileHeight <= 0) return;
  TInterpolationScope scope(this, InterpolationModeNearestNeighbor);
  for (Integer y = ADest.Top; y < ADest.Bottom; y += tileHeight) {
    Integer cutBottom = std::max(0, y + tileHeight - ADest.Bottom);
    for (Integer x = ADest.Left; x < ADest.Right; x += tileWidth) {
      Integer cutRight = std::max(0, x + tileWidth - ADest.Right);
      TRect dest{x, y, x + tileWidth - cutRight, y + tileHeight - cutBottom};
      TRect source{ASource.Left, ASource.Top, ASource.Right - cutRight, ASource.Bottom - cutBottom};
      APicture->DrawWhenLoaded(FGraphics, dest, source);
    }
  }
}

InterpolationMode TqzSkinCanvas::GetInterpolationMode() {
  InterpolationMode mode = InterpolationModeDefault;
  GpCheckStatus(GdiPlus().GdipGetInterpolationMode(FGraphics, &mode));
  return mode;
}

void TqzSkinCanvas::SetInterpolationMode(InterpolationMode AMode) {
  GpCheckStatus(GdiPlus().GdipSetInterpolationMode(FGraphics, AMode));
}

// ---- Image frames -------------------------------------------------------------------------

void TqzSkinImage::CheckInfo() {
  if (!FDirty) return;
  CalculateInfo();
  FDirty = false;
}

void TqzSkinImage::CalculateInfo() {
  FStateCount = 0;
  for (Integer s = 0; s < kqzSkinElementStateCount; ++s) {
    FFrameIndex[s] = 0;
    if (FStates.Contains(static_cast<TqzSkinElementState>(s))) FFrameIndex[s] = static_cast<Byte>(FStateCount++);
  }
  FFrameSize = PictureSize();
  Integer imageCount = FOwner ? FOwner->GetImageCount() : 1;
  if (FStateCount > 0) {
    Integer& length = FImageLayout == ilHorizontal ? FFrameSize.cx : FFrameSize.cy;
    length = length / imageCount / FStateCount;
  }
  for (Integer s = 0; s < kqzSkinElementStateCount; ++s) {
    Integer i = FFrameIndex[s];
    FFrameRects[s] = FImageLayout == ilHorizontal
                         ? TRect{FFrameSize.cx * i, 0, FFrameSize.cx * (i + 1), FFrameSize.cy}
                         : TRect{0, FFrameSize.cy * i, FFrameSize.cx, FFrameSize.cy * (i + 1)};
  }
}

TSize TqzSkinImage::Size() {
  CheckInfo();
  return FFrameSize;
}

Integer TqzSkinImage::StateCount() {
  CheckInfo();
  return FStateCount;
}

TRect TqzSkinImage::GetStateRect(Integer AImageIndex, TqzSkinElementState AState) {
  CheckInfo();
  TRect r = FFrameRects[AState];
  if (AImageIndex > 0) {
    // Beyond the picture the frame lies outside it and draws nothing; the shift must not overflow.
    Int64 shift = Int64{AImageIndex} * FStateCount * (FImageLayout == ilHorizontal ? FFrameSize.cx : FFrameSize.cy);
    Integer step = static_cast<Integer>(std::min<Int64>(shift, kqzSkinMaxPictureSide * 2));
    r = FImageLayout == ilHorizontal ? RectShifted(r, step, 0) : RectShifted(r, 0, step);
  }
  return r;
}

void TqzSkinImage::CheckState(TqzSkinElementState& AState) {
  if (FStates.Contains(AState)) return;
  for (Integer s = 0; s < kqzSkinElementStateCount; ++s)
    if (FStates.Contains(static_cast<TqzSkinElementState>(s))) {
      AState = static_cast<TqzSkinElementState>(s);
      return;
    }
}

void TqzSkinImage::CalculateParts(const TRect& R, TRect (&AParts)[9], bool (&AVisible)[9], bool AIsDestination) {
  TRect m = FMargins->RectRef();
  for (Integer k = 0; k < 9; ++k) FPartStretched[k] = !(k == 0 || k == 2 || k == 6 || k == 8);
  if (AIsDestination) {
    Integer s = m.Left + m.Right;
    if (s > R.Width()) {
      Integer e = s - R.Width();
      m.Left -= MulDiv(m.Left, e, s);
      m.Right -= MulDiv(m.Right, e, s);
      for (Integer k : {0, 1, 2, 6, 7, 8}) FPartStretched[k] = true;
    }
    s = m.Top + m.Bottom;
    if (s > R.Height()) {
      Integer e = s - R.Height();
      m.Top -= MulDiv(m.Top, e, s);
      m.Bottom -= MulDiv(m.Bottom, e, s);
      for (Integer k : {0, 3, 6, 2, 5, 8}) FPartStretched[k] = true;
    }
  }
  TRect inner{R.Left + m.Left, R.Top + m.Top, R.Right - m.Right, R.Bottom - m.Bottom};
  inner.Left = std::min(inner.Left, R.Right);
  inner.Right = std::min(std::max(inner.Right, inner.Left), R.Right);
  inner.Top = std::min(inner.Top, R.Bottom);
  inner.Bottom = std::min(std::max(inner.Bottom, inner.Top), R.Bottom);
  const Integer columns[4] = {R.Left, inner.Left, inner.Right, R.Right};
  const Integer rows[4] = {R.Top, inner.Top, inner.Bottom, R.Bottom};
  for (Integer column = 0; column < 3; ++column)
    for (Integer row = 0; row < 3; ++row) {
      Integer k = column * 3 + row;
      if (!AVisible[k]) continue;
      AParts[k] = TRect{columns[column], rows[row], columns[column + 1], rows[row + 1]};
      AVisible[k] = AParts[k].Left < AParts[k].Right && AParts[k].Top < AParts[k].Bottom;
    }
}

// ---- Image drawing ------------------------------------------------------------------------

void TqzSkinImage::DrawPart(TqzSkinCanvas* ACanvas, const TRect& ADest, const TRect& ASource, bool AStretched,
                            bool AIsCentre) {
  if (AIsCentre && FGradientBeginColor != clNone)
    ACanvas->FillGradientRect(ADest, FGradientBeginColor, FGradientEndColor, FGradient);
  else if (!AStretched)
    ACanvas->DrawImageUnscaled(Picture(), ADest, ASource);
  else if (FStretch == smTile)
    ACanvas->TileImage(Picture(), ADest, ASource);
  else
    ACanvas->DrawImage(Picture(), ADest, ASource);
}

void TqzSkinImage::DrawEx(TqzSkinCanvas* ACanvas, const TRect& R, Integer AImageIndex, TqzSkinElementState AState) {
  if (Empty()) return;
  Picture();  // decoded before the geometry is taken from it
  CheckInfo();
  CheckState(AState);
  if (FStretch == smNoResize) {
    ACanvas->DrawImageUnscaled(Picture(), RectCenteredSize(R, FFrameSize), GetStateRect(AImageIndex, AState));
    return;
  }
  TRect sourceParts[9], destParts[9];
  bool visible[9];
  std::fill(std::begin(visible), std::end(visible), true);
  CalculateParts(GetStateRect(AImageIndex, AState), sourceParts, visible, false);
  CalculateParts(R, destParts, visible, true);
  for (Integer row = 0; row < 3; ++row)
    for (Integer column = 0; column < 3; ++column) {
      Integer k = column * 3 + row;
      if (visible[k] && !RectIsVoid(sourceParts[k]) && !RectIsVoid(destParts[k]))
        DrawPart(ACanvas, destParts[k], sourceParts[k], FPartStretched[k], k == 4);
    }
}

void TqzSkinImage::Draw(HDC DC, const TRect& R, Integer AImageIndex, TqzSkinElementState AState) {
  if (Empty()) return;
  Picture();
  CheckInfo();
  if (FFrameSize.cx < 1 || FFrameSize.cy < 1 || !TqzSkinCanvas::CanDraw(DC, R)) return;
  PaintThroughCanvas(DC, R, [&](TqzSkinCanvas* canvas) { DrawEx(canvas, R, AImageIndex, AState); });
}

// ---- Borders and elements -----------------------------------------------------------------

void TqzSkinBorder::DrawEx(TqzSkinCanvas* ACanvas, const TRect& R) {
  if (FColor == clNone) return;
  TRect strip = R;
  switch (FSide) {
    case 0: strip.Right = R.Left + FThin; break;
    case 1: strip.Bottom = R.Top + FThin; break;
    case 2: strip.Left = R.Right - FThin; break;
    default: strip.Top = R.Bottom - FThin; break;
  }
  ACanvas->FillRect(strip, FColor);
}

void TqzSkinBorder::Draw(HDC DC, const TRect& R) {
  if (FColor == clNone) return;
  PaintThroughCanvas(DC, R, [&](TqzSkinCanvas* canvas) { DrawEx(canvas, R); });
}

GpBrush* TqzSkinElement::FillBrush() {
  if (!FBrush) GpCheckStatus(GdiPlus().GdipCreateSolidFill(SkinColorToARGB(FColor, FAlpha), &FBrush));
  return FBrush;
}

void TqzSkinElement::FillBackground(TqzSkinCanvas* ACanvas, const TRect& R) {
  if (!FIsColorAssigned) return;
  if (!FImage->Empty() && FImage->GetStretch() != smNoResize && !HasAlpha()) return;
  if (FAlpha == 255)
    ACanvas->FillRect(R, FColor);
  else
    GpCheckStatus(GdiPlus().GdipFillRectangleI(ACanvas->Graphics(), FillBrush(), R.Left, R.Top, R.Width(), R.Height()));
}

void TqzSkinElement::DrawEx(TqzSkinCanvas* ACanvas, const TRect& R, Integer AImageIndex, TqzSkinElementState AState) {
  if (FImage->Empty()) {
    TRect content = R;
    for (Integer side = 0; side < 4; ++side) {
      TqzSkinBorder* border = FBorders->Items(side);
      if (border->GetColor() == clNone) continue;
      border->DrawEx(ACanvas, R);
      switch (side) {
        case 0: content.Left += border->GetThin(); break;
        case 1: content.Top += border->GetThin(); break;
        case 2: content.Right -= border->GetThin(); break;
        default: content.Bottom -= border->GetThin(); break;
      }
    }
    FillBackground(ACanvas, content);
  } else {
    FillBackground(ACanvas, R);
    FImage->DrawEx(ACanvas, R, AImageIndex, AState);
  }
  FGlyph->DrawEx(ACanvas, RectInsideMargins(R, FContentOffset->RectRef()), AImageIndex, AState);
}

void TqzSkinElement::Draw(HDC DC, const TRect& R, Integer AImageIndex, TqzSkinElementState AState) {
  if (!TqzSkinCanvas::CanDraw(DC, R)) return;
  if (!FCanvas) FCanvas = std::make_unique<TqzSkinCanvas>();
  FCanvas->BeginPaint(DC, R);
  try {
    DrawEx(FCanvas.get(), R, AImageIndex, AState);
  } catch (...) {
    FCanvas->EndPaint();
    throw;
  }
  FCanvas->EndPaint();
}

void TqzSkinEmptyElement::Draw(HDC DC, const TRect& R, Integer, TqzSkinElementState) {
  ::FillRect(DC, &R, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FrameRect(DC, &R, red);
  DeleteObject(red);
}

// ---- Element cache ------------------------------------------------------------------------

TqzSkinElementCache::~TqzSkinElementCache() {
  if (FBitmap && GdiPlus().GdipDisposeImage) GdiPlus().GdipDisposeImage(FBitmap);  // a destructor reports nothing
  if (FOpaque) DeleteObject(FOpaque);
}

void TqzSkinElementCache::CheckCacheState(TqzSkinElement* AElement, const TRect& R, TqzSkinElementState AState,
                                          Integer AImageIndex) {
  if (AElement == FElement && AState == FState && AImageIndex == FImageIndex && R.Width() == FRect.Width() &&
      R.Height() == FRect.Height())
    return;
  FElement = AElement;
  FState = AState;
  FImageIndex = AImageIndex;
  FRect = R;
  FHasAlpha = AElement->HasAlpha();
  Render();
}

void TqzSkinElementCache::Render() {
  TRect r{0, 0, FRect.Width(), FRect.Height()};
  FreeCache();
  if (RectIsVoid(r)) return;
  // An opaque picture is drawn straight into a bitmap of the platform's, so that drawing it
  // later is one copy; one with alpha into a bitmap of the graphics library's.
  HDC memory = nullptr;
  HGDIOBJ old = nullptr;
  GpGraphics* graphics = nullptr;
  if (!FHasAlpha) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = r.Right;
    info.bmiHeader.biHeight = -r.Bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    FOpaque = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    memory = CreateCompatibleDC(nullptr);
    old = SelectObject(memory, FOpaque);
    GpCheckStatus(GdiPlus().GdipCreateFromHDC(memory, &graphics));
  } else {
    GpCheckStatus(GdiPlus().GdipCreateBitmapFromScan0(r.Right, r.Bottom, 0, PixelFormat32bppPARGB, nullptr, &FBitmap));
    GpCheckStatus(GdiPlus().GdipGetImageGraphicsContext(FBitmap, &graphics));
  }
  TqzSkinCanvas canvas;
  canvas.BeginPaintOnGraphics(graphics, r);
  try {
    FElement->DrawEx(&canvas, r, FImageIndex, FState);
  } catch (...) {
    canvas.EndPaint();
    if (memory) {
      SelectObject(memory, old);
      DeleteDC(memory);
    }
    throw;
  }
  canvas.EndPaint();
  if (memory) {
    SelectObject(memory, old);
    DeleteDC(memory);
  }
  ++FRenderCount;
}

void TqzSkinElementCache::Draw(HDC DC, const TRect& R) {
  if (FOpaque) {
    HDC memory = CreateCompatibleDC(DC);
    HGDIOBJ old = SelectObject(memory, FOpaque);
    BitBlt(DC, R.Left, R.Top, R.Width(), R.Height(), memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    return;
  }
  if (!FBitmap) return;
  if (FHasAlpha) {
    GpGraphics* graphics = nullptr;
    GpCheckStatus(GdiPlus().GdipCreateFromHDC(DC, &graphics));
    GpStatus status = GdiPlus().GdipDrawImageRectI(graphics, FBitmap, R.Left, R.Top, R.Width(), R.Height());
    GdiPlus().GdipDeleteGraphics(graphics);
    GpCheckStatus(status);
    return;
  }
  HDC memory = CreateCompatibleDC(DC);
  HBITMAP bitmap = nullptr;
  GpStatus status = GdiPlus().GdipCreateHBITMAPFromBitmap(FBitmap, &bitmap, 0);
  if (status == Ok) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(DC, R.Left, R.Top, R.Width(), R.Height(), memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  GpCheckStatus(status);
}

void TqzSkinElementCache::FreeCache() {
  if (FBitmap) GdiPlus().GdipDisposeImage(FBitmap);
  FBitmap = nullptr;
  if (FOpaque) DeleteObject(FOpaque);
  FOpaque = nullptr;
}
