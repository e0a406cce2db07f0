// The progress bar's painting: the bar styles composed in an off-screen bitmap, the glass bar and
// its glow, LED cells, the overload part, the peak marker, the inverted text and the skin path.
// The off-screen bitmap is drawn in view coordinates: its window origin sits where the bar area
// starts, less the frame margin.

#include <algorithm>

#include "gdi/Blits.h"
#include "gdi/Drawing.h"
#include "gdi/Edges.h"
#include "user/Rects.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/editors/kvProgressBar.h"
#include "toolkit/foundation/qzOffice11.h"
#include "toolkit/foundation/qzThemeManager.h"
#include "toolkit/foundation/qzUxTheme.h"

namespace {

constexpr Integer kBarPartHorizontal = 1;
constexpr Integer kBarPartVertical = 2;
constexpr Integer kChunkPartHorizontal = 3;
constexpr Integer kChunkPartVertical = 4;
// How far the chunk part starts before the strip cut from it.
constexpr Integer kChunkLead = 4;

// A gradient along the bar's axis from C1 at the near end to C2 at the far end.
void AxisGradient(HDC DC, const TRect& R, TColor C1, TColor C2, bool Horizontal) {
  if (R.Width() <= 0 || R.Height() <= 0) return;
  PaintGradientRect(DC, R, C1, C2, Horizontal);
}

void DrawBevel(HDC DC, TRect R, TkvProgressBarBevelOuter Bevel) {
  if (Bevel == kvbvNone || R.Width() <= 0 || R.Height() <= 0) return;
  UINT edge = Bevel == kvbvLowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER;
  DrawEdge(DC, &R, edge, BF_TOPLEFT);
  DrawEdge(DC, &R, edge, BF_BOTTOMRIGHT);
}

TRect Joined(const TRect& A, const TRect& B) {
  if (A.Width() <= 0 || A.Height() <= 0) return B;
  if (B.Width() <= 0 || B.Height() <= 0) return A;
  return TRect(std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
               std::max(A.Bottom, B.Bottom));
}

}  // namespace

// ---- Glass bar ---------------------------------------------------------------------------------

// The glass look of the animation styles: darker caps at both ends, bands that fade into the
// colour and a light sheen along one side. Track mode draws the groove under the bar.
void PaintGlassBar(HDC DC, const TRect& R, TColor Color, bool Horizontal, bool Track) {
  Integer length = Horizontal ? R.Width() : R.Height();
  if (length <= 0 || (Horizontal ? R.Height() : R.Width()) <= 0) return;
  Integer cap = Track ? 1 : 4, band = Track ? 8 : 20;
  if ((!Horizontal || !Track) && length < 3 * (cap + band)) {
    Integer whole = 3 * (cap + band);
    Integer shrunkCap = cap * length / whole;
    band = length * band / whole;
    cap = shrunkCap;
  }
  SolidFillRect(DC, R, Color);
  auto span = [&](Integer From, Integer To) {
    return Horizontal ? TRect(R.Left + From, R.Top, R.Left + To, R.Bottom)
                      : TRect(R.Left, R.Top + From, R.Right, R.Top + To);
  };
  const TColor c80 = ColorScaled(Color, 80), c90 = ColorScaled(Color, 90);
  AxisGradient(DC, span(0, cap), c90, c80, Horizontal);
  AxisGradient(DC, span(length - cap, length), c80, c90, Horizontal);
  AxisGradient(DC, span(cap, cap + band), c80, Color, Horizontal);
  AxisGradient(DC, span(length - cap - band, length - cap), Color, c80, Horizontal);
  TRect sheen = Horizontal ? TRect(R.Left, R.Top, R.Right, std::min(R.Top + 6, R.Bottom))
                           : TRect(R.Left, R.Top, std::min(R.Left + 6, R.Right), R.Bottom);
  PaintGradientRect(DC, sheen, ColorWhitened(Color, 40), ColorWhitened(Color, 80), !Horizontal);
}

// ---- View info painting ------------------------------------------------------------------------

void TkvCustomProgressBarViewInfo::PaintContent(TkvCanvas* Canvas) {
  if (Painter) return PaintSkinned(Canvas);
  if (!(Inplace && IsTransparent())) DrawEditBackgroundAndButtons(Canvas, this, false, 0);
  PaintBar(Canvas);
}

void TkvCustomProgressBarViewInfo::PaintBar(TkvCanvas* Canvas) {
  const Integer m = FrameMargin();
  if (BarArea.Width() <= 0 || BarArea.Height() <= 0) return;
  if (AreaChanged || !FOffscreen) {
    FOffscreen = std::make_unique<TkvBitmap>(BarArea.Width() + m, BarArea.Height() + m);
    AreaChanged = false;
    RectanglesChanged = true;
  }
  TkvCanvas* off = FOffscreen->GetkvCanvas();
  const TPoint origin{BarArea.Left - m, BarArea.Top - m};
  off->WriteWindowOrg(origin);
  // A bar whose rectangles stand still keeps its picture unless it shows a text.
  if (RectanglesChanged || (ShowText && !Text.empty()) || IsTransparent()) PaintClassic(off, Canvas);
  RectanglesChanged = false;
  off->WriteWindowOrg(TPoint{0, 0});
  BitBlt(Canvas->DCHandle(), BarArea.Left, BarArea.Top, BarArea.Width(), BarArea.Height(), off->DCHandle(), m, m,
         SRCCOPY);
}

void TkvCustomProgressBarViewInfo::PaintClassic(TkvCanvas* Canvas, TkvCanvas* Target) {
  HDC dc = Canvas->DCHandle();
  const bool horizontal = FOrientation == kvorHorizontal;
  const bool animation = IsAnimationStyle(FBarStyle);
  const bool transparent = IsTransparent();
  HTHEME theme = NativeStyle ? ObtainTheme(totProgress) : nullptr;
  TRect filled = OverloadShown ? Joined(BarRect, OverloadRect) : BarRect;

  Canvas->PushClip();
  // Background.
  if (transparent) {
    if (Inplace)
      BitBlt(dc, BarArea.Left, BarArea.Top, BarArea.Width(), BarArea.Height(), Target->DCHandle(), BarArea.Left,
             BarArea.Top, SRCCOPY);
    else if (Edit)
      CopyParentImage(Edit, Canvas, BarArea, true);
  } else {
    SolidFillRect(dc, BarArea, BackgroundColor);
  }
  if (theme && !Inplace && !transparent)
    UxDrawThemeBackground(theme, dc, horizontal ? kBarPartHorizontal : kBarPartVertical, 1, &BarArea, nullptr);
  if (animation && theme) {
    // The glass bar under a theme has rounded corners.
    TkvRegion* rounded = TkvRegion::CreateRounded(BarArea, 2, 2);
    TPoint o = Canvas->DCOrigin();
    rounded->MoveBy(o.X, o.Y);
    Canvas->ApplyClipRegion(rounded, roIntersect, true, false);
    if (!transparent) PaintGlassBar(dc, BarArea, BackgroundColor, horizontal, true);
  }

  // The filled part.
  TRect block = BlockRect;
  if (horizontal)
    OffsetRect(&block, FAnimationOffset, 0);
  else
    OffsetRect(&block, 0, FAnimationOffset);
  if (!FMarquee || Inplace) {
    Canvas->ClipToRect(filled);
    ClipLEDGaps(Canvas, filled);
  } else {
    Canvas->ClipToRect(filled);
    Canvas->ClipToRect(block);
    ClipLEDGaps(Canvas, block);
    filled = block;
  }

  if (FBarStyle <= kvbsGradientLEDs) {
    if (FBarStyle >= kvbsGradient || theme) {
      if (theme) {
        PaintThemedChunk(dc, theme, horizontal);
      } else if (horizontal) {
        PaintGradientRect(dc, Bounds, BeginColor, EndColor, true);
      } else {
        PaintGradientRect(dc, Bounds, EndColor, BeginColor, false);
      }
      if (OverloadShown) {
        TRect zone(OverloadRect.Left, OverloadRect.Top, Bounds.Right, OverloadRect.Bottom);
        if (horizontal)
          PaintGradientRect(dc, zone, OverloadBeginColor, OverloadEndColor, true);
        else
          PaintGradientRect(dc, zone, OverloadEndColor, OverloadBeginColor, false);
      }
    } else {
      SolidFillRect(dc, BarRect, BeginColor);
      if (OverloadShown) SolidFillRect(dc, OverloadRect, OverloadBeginColor);
    }
    if (!IsLEDStyle(FBarStyle)) DrawBevel(dc, filled, BarBevelOuter);
  } else if (FBarStyle <= kvbsBitmapLEDs) {
    if (ForegroundImage && !ForegroundImage->GetEmpty()) Canvas->FillTiled(filled, ForegroundImage.get(), false);
  } else {
    if (!(FMarquee && Designing)) PaintGlassBar(dc, filled, BeginColor, horizontal, false);
    if (!FMarquee) PaintGlow(Canvas, filled);
  }
  if (IsLEDStyle(FBarStyle) && BarBevelOuter != kvbvNone) PaintBevels(Canvas, filled);
  Canvas->PopClip();

  if (!animation && PeakShown) SolidFillRect(dc, PeakRect, PeakColor);
  PaintText(Canvas);
}

// The theme's chunk is a run of segments along the bar; one cross-section of it, taken clear of a
// segment's leading edge, stretched over the bar gives one continuous fill of any length.
void TkvCustomProgressBarViewInfo::PaintThemedChunk(HDC DC, HTHEME Theme, bool Horizontal) {
  const Integer w = Horizontal ? 1 : BarRect.Width(), h = Horizontal ? BarRect.Height() : 1;
  if (BarRect.Width() <= 0 || BarRect.Height() <= 0) return;
  if (!FChunkStrip || FChunkStripTheme != Theme || FChunkStrip->GetWidth() != w || FChunkStrip->GetHeight() != h) {
    FChunkStrip = std::make_unique<TkvBitmap>(w, h);
    FChunkStripTheme = Theme;
    // The part starts before the strip so that the strip holds the segment's inside.
    TRect part = Horizontal ? TRect(-kChunkLead, 0, w + kChunkLead, h) : TRect(0, -kChunkLead, w, h + kChunkLead);
    UxDrawThemeBackground(Theme, FChunkStrip->GetkvCanvas()->DCHandle(), Horizontal ? kChunkPartHorizontal : kChunkPartVertical,
                          1, &part, nullptr);
  }
  StretchBlt(DC, BarRect.Left, BarRect.Top, BarRect.Width(), BarRect.Height(), FChunkStrip->GetkvCanvas()->DCHandle(), 0, 0, w, h,
             SRCCOPY);
}

void TkvCustomProgressBarViewInfo::ClipLEDGaps(TkvCanvas* Canvas, const TRect& R) {
  if (!IsLEDStyle(FBarStyle)) return;
  const Integer p = LEDSize();
  if (p <= 0) return;
  if (FOrientation == kvorHorizontal) {
    for (Integer i = 1; i <= R.Width() / p; ++i)
      Canvas->ClipOutRect(TRect(R.Left + p * i - 2, R.Top, R.Left + p * i, R.Bottom));
  } else {
    for (Integer i = 1; i <= R.Height() / p; ++i)
      Canvas->ClipOutRect(TRect(R.Left, R.Bottom - p * i, R.Right, R.Bottom - p * i + 2));
  }
}

void TkvCustomProgressBarViewInfo::PaintBevels(TkvCanvas* Canvas, const TRect& Filled) {
  const Integer p = LEDSize();
  if (p <= 0) return;
  HDC dc = Canvas->DCHandle();
  if (FOrientation == kvorHorizontal) {
    Integer i = 0;
    for (; Filled.Left + p * (i + 1) <= Filled.Right; ++i)
      DrawBevel(dc, TRect(Filled.Left + p * i, Filled.Top, Filled.Left + p * (i + 1) - 2, Filled.Bottom), BarBevelOuter);
    DrawBevel(dc, TRect(Filled.Left + p * i, Filled.Top, Filled.Right, Filled.Bottom), BarBevelOuter);
  } else {
    Integer i = 0;
    for (; Filled.Bottom - p * (i + 1) >= Filled.Top; ++i)
      DrawBevel(dc, TRect(Filled.Left, Filled.Bottom - p * (i + 1) + 2, Filled.Right, Filled.Bottom - p * i),
                BarBevelOuter);
    DrawBevel(dc, TRect(Filled.Left, Filled.Top, Filled.Right, Filled.Bottom - p * i), BarBevelOuter);
  }
}

// The glow that runs along a glass bar: the moving block lights up the bar beneath it, brightest
// in its middle.
void TkvCustomProgressBarViewInfo::PaintGlow(TkvCanvas* Canvas, const TRect& Filled) {
  if (!AnimationShouldRun()) {
    FAnimationTimer.reset();
    return;
  }
  if (!FAnimationTimer) RestartAnimation();
  if (!AnimationRunning()) return;
  HDC dc = Canvas->DCHandle();
  const bool horizontal = FOrientation == kvorHorizontal;
  TRect k = BlockRect;
  if (horizontal)
    OffsetRect(&k, FAnimationOffset, 0);
  else
    OffsetRect(&k, 0, FAnimationOffset);
  const Integer nearEdge = horizontal ? k.Left : k.Top;
  const Integer farEdge = horizontal ? k.Right : k.Bottom;
  const Integer h = (farEdge - nearEdge) / 2;
  const Integer centre = nearEdge + h;
  if (h <= 5) return;
  // The sheen lines, each fading into the light of the block's middle.
  for (Integer line = 0; line < 6; ++line) {
    Integer across = (horizontal ? k.Top : k.Left) + line;
    TColor c = horizontal ? GetPixel(dc, Filled.Left + 1, across) : GetPixel(dc, across, Filled.Bottom - 2);
    TColor light = ColorWhitened(c, 60);
    auto piece = [&](Integer From, Integer To, TColor C1, TColor C2) {
      TRect r = horizontal ? TRect(From, across, To, across + 1) : TRect(across, From, across + 1, To);
      if (C1 == C2)
        SolidFillRect(dc, r, C1);
      else
        PaintGradientRect(dc, r, C1, C2, horizontal);
    };
    piece(nearEdge - h, centre - 5, c, light);
    piece(centre - 5, centre + 5, light, light);
    piece(centre + 5, farEdge + h, light, c);
  }
  Canvas->PushClip();
  Canvas->ClipToRect(k);
  for (Integer x = nearEdge; x <= farEdge; ++x) {
    Integer d = std::abs(x - centre);
    Integer q = d <= 5 ? 60 : 60 + (d - 5) * 40 / (h - 5);
    TPoint inside = horizontal ? TPoint{x, k.Top + 6} : TPoint{k.Left + 6, x};
    COLORREF p = GetPixel(dc, inside.X, inside.Y);
    if (p == CLR_INVALID) continue;
    TRect r = horizontal ? TRect(x, k.Top + 6, x + 1, k.Bottom) : TRect(k.Left + 6, x, k.Right, x + 1);
    SolidFillRect(dc, r, ColorWhitened(static_cast<TColor>(p), q));
  }
  Canvas->PopClip();
}

// The text centred in the area: inverted over whatever lies beneath unless a solid colour is asked.
void TkvCustomProgressBarViewInfo::PaintText(TkvCanvas* Canvas) {
  if (!ShowText || Text.empty()) return;
  Canvas->AssignFont(Font);
  TColor color = Painter && Painter->ProgressTextColor() != clDefault ? Painter->ProgressTextColor() : TextColor;
  const bool vertical = TextOrientation == kvorVertical;
  TSize size = Canvas->MeasureText(Text);
  if (vertical) {
    Canvas->SetFontAngle(270);
    std::swap(size.cx, size.cy);
  }
  const TRect& a = BarArea;
  TRect box(a.Left + (a.Width() - size.cx) / 2, a.Top + (a.Height() - size.cy) / 2, 0, 0);
  box.Right = box.Left + size.cx;
  box.Bottom = box.Top + size.cy;
  const TPoint at{vertical ? box.Right : box.Left, box.Top};
  TCanvas* canvas = Canvas->GetCanvas();
  if (SolidTextColor || Painter) {
    canvas->GetBrush()->SetStyle(bsClear);
    canvas->GetFont()->SetColor(color);
    canvas->TextOut(at.X, at.Y, Text);
    canvas->GetBrush()->SetStyle(bsSolid);
    return;
  }
  // White text on black, laid over the bar with XOR: the text shows as the inverse of its ground.
  TkvBitmap mask(a.Width(), a.Height());
  TkvCanvas* mc = mask.GetkvCanvas();
  mc->AssignFont(Font);
  if (vertical) mc->SetFontAngle(270);
  SolidFillRect(mc->DCHandle(), TRect(0, 0, a.Width(), a.Height()), clBlack);
  TCanvas* maskCanvas = mc->GetCanvas();
  maskCanvas->GetBrush()->SetStyle(bsClear);
  maskCanvas->GetFont()->SetColor(clWhite);
  maskCanvas->TextOut(at.X - a.Left, at.Y - a.Top, Text);
  BitBlt(Canvas->DCHandle(), a.Left, a.Top, a.Width(), a.Height(), mc->DCHandle(), 0, 0, SRCINVERT);
}

// ---- Skin path ---------------------------------------------------------------------------------

void TkvCustomProgressBarViewInfo::PaintSkinned(TkvCanvas* Canvas) {
  const Integer w = Bounds.Width(), h = Bounds.Height();
  if (w <= 0 || h <= 0) return;
  if (!FSkinBuffer || FSkinBuffer->GetWidth() != w || FSkinBuffer->GetHeight() != h)
    FSkinBuffer = std::make_unique<TkvBitmap>(w, h);
  TkvCanvas* buffer = FSkinBuffer->GetkvCanvas();
  buffer->WriteWindowOrg(Bounds.TopLeft());
  HDC dc = buffer->DCHandle();
  if (Inplace || !Edit)
    SolidFillRect(dc, Bounds, BackgroundColor);
  else
    CopyParentImage(Edit, buffer, Bounds, true);
  const bool vertical = FOrientation == kvorVertical;
  const TRect r = BarArea;
  TRect content = Shrunk(r, Painter->ProgressFrameWidths(vertical));
  TRect chunk = content;
  const double ratio = RelativePosition();
  if (FMarquee && !Inplace) {
    chunk = BlockRect;
    if (vertical)
      OffsetRect(&chunk, 0, FAnimationOffset);
    else
      OffsetRect(&chunk, FAnimationOffset, 0);
  } else if (vertical) {
    chunk.Top += static_cast<Integer>(content.Height() * (1 - ratio));
  } else {
    chunk.Right = chunk.Left + static_cast<Integer>(content.Width() * ratio);
  }
  Painter->PaintProgressFrame(buffer, r, vertical);
  buffer->PushClip();
  buffer->ClipToRect(content);
  Painter->PaintProgressChunk(buffer, chunk, vertical);
  if (OverloadShown) {
    TRect beyond = chunk;
    const double level = std::clamp((OverloadValue - Min) / Range(), 0.0, 1.0);
    if (vertical)
      beyond.Bottom = content.Bottom - static_cast<Integer>(content.Height() * level);
    else
      beyond.Left = content.Left + static_cast<Integer>(content.Width() * level);
    if (beyond.Width() > 0 && beyond.Height() > 0) buffer->InvertArea(beyond);
  }
  buffer->PopClip();
  PaintText(buffer);
  buffer->WriteWindowOrg(TPoint{0, 0});
  BitBlt(Canvas->DCHandle(), Bounds.Left, Bounds.Top, w, h, dc, 0, 0, SRCCOPY);
}
