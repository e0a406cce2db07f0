// Alpha drawing with or without the platform's AlphaBlend, Lanczos-3 resampling, the glyph
// renderer and a few drawing effects.

#include <algorithm>
#include <cmath>
#include <memory>

#include "gdi/Gdi.h"
#include "gdi/Modules.h"
#include "rtl/Math.h"
#include "toolkit/foundation/kvGraphics.h"
#include "toolkit/foundation/qzOffice11.h"

TkvGlyphDrawHook GlyphDrawHook = nullptr;

namespace {

using TAlphaBlendProc = BOOL (*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);

HMODULE gMsImg32 = nullptr;
TAlphaBlendProc gAlphaBlend = nullptr;

std::unique_ptr<TkvBitmap> CopyDCRectToKvBitmap(HDC DC, const TRect& R) {
  auto bitmap = std::make_unique<TkvBitmap>(R.Width(), R.Height());
  BitBlt(bitmap->GetCanvas()->GetHandle(), 0, 0, R.Width(), R.Height(), DC, R.Left, R.Top, SRCCOPY);
  return bitmap;
}

// One Lanczos pass over Count lines: line l of Source has its pixels at Source[l * LineStep +
// p * PixelStep], the result goes likewise into Dest.
void FilterLines(const TRGBColors& Source, TRGBColors& Dest, const TContributorList& Contributors, Integer Count,
                 Integer SourceLineStep, Integer SourcePixelStep, Integer DestLineStep, Integer DestPixelStep) {
  for (Integer line = 0; line < Count; ++line)
    for (size_t i = 0; i < Contributors.size(); ++i) {
      Integer sums[4] = {};
      for (const TContributor& c : Contributors[i]) {
        const DWORD pixel =
            Source[static_cast<size_t>(line) * SourceLineStep + static_cast<size_t>(c.Pixel) * SourcePixelStep];
        for (int k = 0; k < 4; ++k) sums[k] += static_cast<Integer>((pixel >> (8 * k)) & 0xFF) * c.Weight;
      }
      DWORD result = 0;
      for (int k = 0; k < 4; ++k) result |= DWORD(sums[k] < 0 ? 0 : std::min(255, sums[k] / 256)) << (8 * k);
      Dest[static_cast<size_t>(line) * DestLineStep + i * DestPixelStep] = result;
    }
}

Integer ScreenBitsPerPixel() {
  TkvScreenCanvas* screen = ScreenCanvasInstance();
  return screen ? GetDeviceCaps(screen->DCHandle(), BITSPIXEL) : 32;
}

Double AxisScale(Integer SourceCount, Integer DestCount) {
  if (SourceCount == 1) return static_cast<Double>(DestCount) / SourceCount;
  if (DestCount == 1) return 1.0 / SourceCount;
  return static_cast<Double>(DestCount - 1) / (SourceCount - 1);
}

}  // namespace

bool AlphaBlendRect(HDC DestDC, HDC SourceDC, const TRect& DestRect, const TRect& SourceRect, Byte Alpha) {
  if (!gAlphaBlend) return false;
  BLENDFUNCTION blend{};
  blend.BlendOp = AC_SRC_OVER;
  blend.SourceConstantAlpha = Alpha;
  blend.AlphaFormat = AC_SRC_ALPHA;
  return gAlphaBlend(DestDC, DestRect.Left, DestRect.Top, DestRect.Width(), DestRect.Height(), SourceDC,
                     SourceRect.Left, SourceRect.Top, SourceRect.Width(), SourceRect.Height(), blend) != 0;
}

void DrawAlpha(HDC DestDC, HDC SourceDC, const TRect& DestRect, const TRect& SourceRect, bool Smooth, Byte Alpha) {
  const bool smooth = Smooth && !SameRectSize(DestRect, SourceRect);
  if (gAlphaBlend && !smooth) {
    AlphaBlendRect(DestDC, SourceDC, DestRect, SourceRect, Alpha);
    return;
  }
  if (DestRect.Width() <= 0 || DestRect.Height() <= 0 || SourceRect.Width() <= 0 || SourceRect.Height() <= 0) return;
  std::unique_ptr<TkvBitmap> source = CopyDCRectToKvBitmap(SourceDC, SourceRect);
  std::unique_ptr<TkvBitmap> dest = CopyDCRectToKvBitmap(DestDC, DestRect);
  TkvBitmap scaled(DestRect.Width(), DestRect.Height());
  if (smooth)
    ResampleBitmap(source.get(), &scaled, true);
  else
    StretchBlt(scaled.GetCanvas()->GetHandle(), 0, 0, scaled.GetWidth(), scaled.GetHeight(),
               source->GetCanvas()->GetHandle(), 0, 0, source->GetWidth(), source->GetHeight(), SRCCOPY);
  const TRect whole = scaled.ImageRect();
  if (!AlphaBlendRect(dest->GetCanvas()->GetHandle(), scaled.GetCanvas()->GetHandle(), whole, whole, Alpha)) {
    TRGBColors over, under;
    scaled.GetPixels(over);
    dest->GetPixels(under);
    for (size_t i = 0; i < under.size(); ++i) BlendPixel(over[i], under[i], Alpha);
    dest->SetPixels(under);
  }
  BitBlt(DestDC, DestRect.Left, DestRect.Top, DestRect.Width(), DestRect.Height(), dest->GetCanvas()->GetHandle(), 0,
         0, SRCCOPY);
}

void AlphaDrawBitmap(HDC DestDC, TBitmap* SourceBitmap, const TRect& DestRect, const TRect& SourceRect, bool Smooth,
                     Byte Alpha) {
  DrawAlpha(DestDC, SourceBitmap->GetCanvas()->GetHandle(), DestRect, SourceRect, Smooth, Alpha);
}

void AlphaDrawDC(HDC DestDC, HDC SourceDC, const TRect& DestRect, const TRect& SourceRect, bool Smooth, Byte Alpha) {
  DrawAlpha(DestDC, SourceDC, DestRect, SourceRect, Smooth, Alpha);
}

void AlphaDrawBitmapToBitmap(TBitmap* DestBitmap, TBitmap* SourceBitmap, const TRect& DestRect,
                             const TRect& SourceRect, bool Smooth, Byte Alpha) {
  DrawAlpha(DestBitmap->GetCanvas()->GetHandle(), SourceBitmap->GetCanvas()->GetHandle(), DestRect, SourceRect, Smooth,
            Alpha);
}

void DrawBitmapAlpha(TBitmap* Source, TBitmap* Dest, const TRect& DestRect, Byte Alpha, bool Smooth) {
  AlphaDrawBitmapToBitmap(Dest, Source, DestRect, Rect(0, 0, Source->GetWidth(), Source->GetHeight()), Smooth, Alpha);
}

Double LanczosWeight(Double X) {
  auto sinc = [](float x) -> float {
    if (x == 0.0f) return 1.0f;
    const float px = static_cast<float>(M_PI) * x;
    return std::sin(px) / px;
  };
  const float x = static_cast<float>(X);
  if (std::fabs(x) >= 3.0f) return 0.0;
  return sinc(x) * sinc(x / 3.0f);
}

TContributorList BuildContributors(Integer SourceCount, Integer DestCount, Double Scale) {
  TContributorList list(static_cast<size_t>(std::max(DestCount, 0)));
  if (SourceCount <= 0 || Scale <= 0) return list;
  const Double filterWidth = Scale >= 1 ? 1.0 : 1.0 / Scale;
  const Double radius = 3.0 * filterWidth;
  for (Integer i = 0; i < DestCount; ++i) {
    TContributorArray& entry = list[i];
    entry.reserve(static_cast<size_t>(Trunc(2 * radius + 1)));
    const Double center = i / Scale;
    const Integer first = static_cast<Integer>(std::floor(center - radius));
    const Integer last = static_cast<Integer>(std::ceil(center + radius));
    for (Integer j = first; j <= last; ++j) {
      const Integer weight = static_cast<Integer>(Round(LanczosWeight((center - j) / filterWidth) / filterWidth * 256));
      if (weight == 0) continue;
      Integer pixel = j < 0 ? -j : (j >= SourceCount ? 2 * SourceCount - 1 - j : j);
      // One reflection is not enough when the filter reaches further than the source is wide.
      pixel = std::clamp(pixel, 0, SourceCount - 1);
      entry.push_back({pixel, weight});
    }
  }
  return list;
}

void ResampleBitmap(TBitmap* Source, TBitmap* Dest, bool ForceLanczos) {
  const Integer w = Dest->GetWidth(), h = Dest->GetHeight();
  const Integer sw = Source->GetWidth(), sh = Source->GetHeight();
  if (w == 0 || h == 0 || sw == 0 || sh == 0) return;
  TCanvas* sourceCanvas = Source->GetCanvas();
  TCanvas* destCanvas = Dest->GetCanvas();
  sourceCanvas->Lock();
  destCanvas->Lock();
  if (!ForceLanczos) {
    HDC dc = destCanvas->GetHandle();
    const int oldMode = SetStretchBltMode(dc, HALFTONE);
    StretchBlt(dc, 0, 0, w, h, sourceCanvas->GetHandle(), 0, 0, sw, sh, SRCCOPY);
    SetStretchBltMode(dc, oldMode);
  } else {
    TRGBColors source;
    ReadBitmapPixels(Source, true, source);
    TRGBColors between(static_cast<size_t>(w) * sh);
    FilterLines(source, between, BuildContributors(sw, w, AxisScale(sw, w)), sh, sw, 1, w, 1);
    TRGBColors result(static_cast<size_t>(w) * h);
    FilterLines(between, result, BuildContributors(sh, h, AxisScale(sh, h)), w, 1, w, 1, w);
    StoreBitmapPixels(Dest, result, true);
  }
  destCanvas->Unlock();
  sourceCanvas->Unlock();
}

void BlitBitmapToDC(HDC DC, TBitmap* Bitmap, const TRect& DestRect, const TPoint& SourceTopLeft, DWORD RasterOp) {
  HPALETTE oldPalette = nullptr;
  const bool paletted = GetDeviceCaps(DC, BITSPIXEL) <= 8 && Bitmap->GetPalette();
  if (paletted) {
    oldPalette = SelectPalette(DC, Bitmap->GetPalette(), TRUE);
    RealizePalette(DC);
  }
  BlitRect(DC, Bitmap->GetCanvas()->GetHandle(), DestRect, SourceTopLeft, RasterOp);
  if (paletted) SelectPalette(DC, oldPalette, TRUE);
}

void AddGlyphShadow(TkvBitmap* Bitmap, TkvBitmap* Mask, Integer Offset, TColor ShadowColor, bool Grow) {
  const Integer w = Bitmap->GetWidth(), h = Bitmap->GetHeight();
  TkvBitmap shadow(w + 2 * Offset, h + 2 * Offset, 0xFFFFFFFFu);
  shadow.CopyRectFrom(Mask, Bounds(Offset, Offset, Mask->GetWidth(), Mask->GetHeight()), Point(0, 0));
  TCanvas* canvas = shadow.GetCanvas();
  canvas->GetBrush()->SetColor(ShadowColor);
  canvas->RequiredState(TCanvasState{csHandleValid, csBrushValid});
  BitBlt(canvas->GetHandle(), Offset, Offset, shadow.GetWidth(), shadow.GetHeight(), canvas->GetHandle(), 0, 0,
         0x00200F09);
  shadow.SetFillColor(0);
  shadow.ApplyPixelFilter(pfOpaqueTransparent);
  TkvBitmap result(w + Offset, h + Offset);
  result.CopyRectFrom(Bitmap, Bounds(0, 0, w, h), Point(0, 0));
  result.CopyRectFrom(&shadow, result.ImageRect(), Point(Offset, Offset), SRCPAINT);
  if (Grow) Bitmap->Resize(w + Offset, h + Offset);
  Bitmap->CopyFrom(&result, SRCCOPY);
}

void DrawGlyphOrListImage(HDC DC, TRect ImageRect, const TRect& DestRect, bool UseGlyphTransparency, TColor BkColor,
                          HBRUSH BackgroundBrush, bool Smooth, TkvGlyphDrawMode DrawMode, Integer ImageIndex,
                          TCustomImageList* ImageList, TBitmap* Glyph) {
  const bool hasGlyph = GlyphPresent(Glyph);
  if (!hasGlyph && !ImageIndexInList(ImageList, ImageIndex)) return;
  if (DestRect.Width() <= 0 || DestRect.Height() <= 0) return;
  TkvBitmap* target = ScratchTargetBitmap(DestRect.Width(), DestRect.Height());
  HDC targetDC = target->GetCanvas()->GetHandle();
  if (BackgroundBrush) {
    const TRect whole = target->ImageRect();
    FillRect(targetDC, &whole, BackgroundBrush);
  } else {
    BitBlt(targetDC, 0, 0, DestRect.Width(), DestRect.Height(), DC, DestRect.Left, DestRect.Top, SRCCOPY);
  }
  ImageRect = Rect(ImageRect.Left - DestRect.Left, ImageRect.Top - DestRect.Top, ImageRect.Right - DestRect.Left,
                   ImageRect.Bottom - DestRect.Top);
  if (!(GlyphDrawHook && GlyphDrawHook(target->GetkvCanvas(), ImageList, ImageIndex, DrawMode, ImageRect, Glyph))) {
    const Integer w = hasGlyph ? Glyph->GetWidth() : ImageList->GetWidth();
    const Integer h = hasGlyph ? Glyph->GetHeight() : ImageList->GetHeight();
    TkvBitmap* image = ScratchImageBitmap(w, h);
    bool alpha;
    if (hasGlyph) {
      image->CopyFrom(Glyph, SRCCOPY);
      alpha = Glyph->GetPixelFormat() == pf32bit || (Glyph->GetPixelFormat() == pfDevice && ScreenBitsPerPixel() >= 32);
    } else {
      if (auto* kvList = dynamic_cast<TkvImageList*>(ImageList))
        kvList->GetImageAt(ImageIndex, image, nullptr);
      else
        TkvImageList::ExtractImageAndMask(ImageList->GetHandle(), ImageIndex, nullptr, image);
      alpha = ImageListPixelFormat(ImageList->GetHandle()) >= 32;
    }
    alpha = alpha && image->HasAlpha();
    if (!alpha) image->ApplyPixelFilter(pfOpaque);

    TkvBitmap* mask = ScratchMaskBitmap(w, h);
    mask->CopyFrom(image, SRCCOPY);
    if (!alpha) {
      if (!hasGlyph) {
        TkvBitmap listMask(w, h);
        TkvImageList::ExtractImageAndMask(ImageList->GetHandle(), ImageIndex, &listMask, nullptr);
        listMask.ApplyPixelFilter(pfOpaqueTransparent);
        mask->CopyFrom(&listMask, 0x00220326);
      }
      if (BkColor != clNone) mask->GetColorList()->AddColor(BkColor);
      if (UseGlyphTransparency && hasGlyph) mask->GetColorList()->AddColor(Glyph->GetTransparentColor());
    }
    mask->ApplyPixelFilter(pfMask);
    image->CopyFrom(mask, 0x00220326);

    Byte constantAlpha = 255;
    switch (DrawMode) {
      case gdmDisabled:
        if (alpha) {
          image->ApplyPixelFilter(pfGreenGray);
          constantAlpha = 151;
        } else {
          image->ApplyPixelFilter(pfTintedGray);
          AddGlyphShadow(image, mask, 1, clBtnHighlight, false);
        }
        break;
      case gdmFaded:
        image->ApplyPixelFilter(pfGray);
        constantAlpha = 64;
        break;
      case gdmGrayScale: image->ApplyPixelFilter(pfAverageGray); break;
      case gdmLightened: image->ApplyPixelFilter(pfLighten); break;
      case gdmShadowed:
        AddGlyphShadow(image, mask, 2, clBtnShadow, true);
        ImageRect = Rect(ImageRect.Left - 1, ImageRect.Top - 1, ImageRect.Right + 1, ImageRect.Bottom + 1);
        break;
      default: break;
    }
    DrawBitmapAlpha(image, target, ImageRect, constantAlpha, Smooth);
  }
  BitBlt(DC, DestRect.Left, DestRect.Top, DestRect.Width(), DestRect.Height(), targetDC, 0, 0, SRCCOPY);
}

void PaintHatchedSwatch(TkvCanvas* Canvas, const TRect& R, Integer Index) {
  if (R.Width() <= 0 || R.Height() <= 0) return;
  const TColor background = Index == 0 ? 0xA0FFA0 : 0x9090FF;
  Canvas->PushState();
  Canvas->ClipToRect(R);
  Canvas->FillWithColor(R, background);
  Canvas->CurrentPen()->SetColor(ColorScaled(background, 75));
  const Integer count = MulDiv(R.Right, 3, 2);
  for (Integer i = 1; i <= count; ++i) {
    Canvas->MovePenTo(R.Right - 3 * i, R.Top);
    Canvas->DrawLineTo(R.Right, R.Top + 3 * i);
  }
  Canvas->PaintFrame(R, ColorScaled(background, 50));
  Canvas->PopState();
  Canvas->ClipOutRect(R);
  const TRect shadow = Rect(R.Left + 1, R.Top + 1, R.Right + 1, R.Bottom + 1);
  Canvas->FillWithColor(shadow, clBtnShadow);
  Canvas->ClipOutRect(shadow);
}

void BlendCheckerOverDC(HDC DC, const TRect& R, TColor Color1, TColor Color2, Byte Alpha1, Byte Alpha2,
                        Byte CellSize) {
  if (R.Width() <= 0 || R.Height() <= 0) return;
  std::unique_ptr<TkvBitmap> bitmap = CopyDCRectToKvBitmap(DC, R);
  bitmap->SetCheckerPattern(Color1, Color2, Alpha1, Alpha2, CellSize);
  BitBlt(DC, R.Left, R.Top, R.Width(), R.Height(), bitmap->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
}

void BlendGraphicOnto(TBitmap* Dest, TBitmap* Background, TBitmap* Overlay, Byte Alpha) {
  if (gAlphaBlend) {
    Dest->GetCanvas()->Draw(0, 0, Background);
    BLENDFUNCTION blend{};
    blend.SourceConstantAlpha = Alpha;
    gAlphaBlend(Dest->GetCanvas()->GetHandle(), 0, 0, Overlay->GetWidth(), Overlay->GetHeight(),
                Overlay->GetCanvas()->GetHandle(), 0, 0, Overlay->GetWidth(), Overlay->GetHeight(), blend);
    return;
  }
  const Integer w = std::min({Dest->GetWidth(), Background->GetWidth(), Overlay->GetWidth()});
  const Integer h = std::min({Dest->GetHeight(), Background->GetHeight(), Overlay->GetHeight()});
  TRGBColors under, over, result;
  ReadBitmapPixels(Background, true, under);
  ReadBitmapPixels(Overlay, true, over);
  ReadBitmapPixels(Dest, true, result);
  const Double a = Alpha / 255.0;
  for (Integer y = 0; y < h; ++y)
    for (Integer x = 0; x < w; ++x) {
      const DWORD o = over[static_cast<size_t>(y) * Overlay->GetWidth() + x];
      const DWORD b = under[static_cast<size_t>(y) * Background->GetWidth() + x];
      DWORD& d = result[static_cast<size_t>(y) * Dest->GetWidth() + x];
      DWORD mixed = d & 0xFF000000u;
      for (int shift = 0; shift < 24; shift += 8)
        mixed |= DWORD(ClampChannel(static_cast<Integer>(Round(a * ((o >> shift) & 0xFF)) +
                                                         Round(((b >> shift) & 0xFF) * (1 - a)))))
                 << shift;
      d = mixed;
    }
  StoreBitmapPixels(Dest, result, true);
}

void kvGraphicsAlphaStart() {
  gMsImg32 = LoadLibrary("msimg32.dll");
  gAlphaBlend = gMsImg32 ? reinterpret_cast<TAlphaBlendProc>(GetProcAddress(gMsImg32, "AlphaBlend")) : nullptr;
}

void kvGraphicsAlphaEnd() {
  gAlphaBlend = nullptr;
  if (gMsImg32) FreeLibrary(gMsImg32);
  gMsImg32 = nullptr;
}
