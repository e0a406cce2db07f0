// The label's painting: the text drawn once into a kept picture with its depth copies, its raised,
// lowered or outlined style and its picture fill, and copied to the screen on every paint.

#include <cmath>

#include "gdi/Drawing.h"
#include "gdi/TextLayout.h"
#include "user/Rects.h"
#include "vcl/Menus.h"
#include "toolkit/editors/kvLabel.h"
#include "toolkit/foundation/qzOffice11.h"

namespace {

Integer Sign(Integer V) { return V > 0 ? 1 : V < 0 ? -1 : 0; }

HDC FontReady(TCanvas* Canvas) {
  Canvas->RequiredState(TCanvasState{csHandleValid, csFontValid});
  return Canvas->GetHandle();
}

// A channel of the fading copies: from the background towards the shadow colour.
Integer FadeChannel(Integer Shadow, Integer Background, Integer I, Integer N) {
  return static_cast<Integer>(std::trunc(static_cast<double>(I) * (Shadow - Background) / N + Background));
}

}  // namespace

void TkvCustomLabelViewInfo::PaintContent(TkvCanvas* Canvas) {
  DrawEditBackgroundAndButtons(Canvas, this, true, 0);
  TCanvas* canvas = Canvas->GetCanvas();
  TFont saved;
  saved.Assign(canvas->GetFont());
  try {
    TRect l = LabelRect;
    TRect t = l;
    if (Inplace)
      t = TRect(t.Left + InplaceOffsets.Left, t.Top + InplaceOffsets.Top, t.Right - InplaceOffsets.Right,
                t.Bottom - InplaceOffsets.Bottom);
    else if (BorderStyle != cbsNone)
      t = TRect(t.Left + 1, t.Top, t.Right - 1, t.Bottom);
    if (!Inplace && IsTransparent() && PaintsDataCopy) {
      PaintLabelContent(Canvas, l, t, l, true);
    } else if (l.Width() > 0 && l.Height() > 0) {
      const bool moved = ControlPosition.X != LastPaintPosition.X || ControlPosition.Y != LastPaintPosition.Y;
      if (moved || Redraw || IsTransparent() || !Buffer) {
        LastPaintPosition = ControlPosition;
        if (!Buffer) Buffer = std::make_unique<TBitmap>();
        Buffer->SetSize(l.Width(), l.Height());
        TkvCanvas buffer(Buffer->GetCanvas());
        // The buffer is drawn in view coordinates: its origin is the label rectangle's corner.
        SetWindowOrgEx(Buffer->GetCanvas()->GetHandle(), l.Left, l.Top, nullptr);
        PaintLabelContent(&buffer, l, t, l, false);
        SetWindowOrgEx(Buffer->GetCanvas()->GetHandle(), 0, 0, nullptr);
        Redraw = false;
        ++TextDrawCount;
      }
      BitBlt(Canvas->DCHandle(), l.Left, l.Top, l.Width(), l.Height(), Buffer->GetCanvas()->GetHandle(), 0, 0,
             SRCCOPY);
    }
  } catch (...) {
    canvas->SetFont(&saved);
    throw;
  }
  canvas->SetFont(&saved);
  if (!IsRectEmpty(&FocusRect) && Focused) Canvas->DrawFocusFrame(FocusRect);
}

void TkvCustomLabelViewInfo::DrawTextAt(TCanvas* Canvas, const TPoint& P, const TRect& T, bool Rotated) {
  HDC dc = FontReady(Canvas);
  if (Rotated) {
    String text = ShowAccelChar ? StripHotkey(Text) : Text;
    ExtTextOut(dc, P.X, P.Y, 0, nullptr, text.data(), static_cast<UINT>(text.size()), nullptr);
    return;
  }
  TRect r(T.Left + P.X, T.Top + P.Y, T.Right - EffectOffsets.X + P.X, T.Bottom - EffectOffsets.Y + P.Y);
  Integer flags = BuildTextFlags(WordWrap ? 0 : ktfSingleLine, Alignment->GetHorz(), Alignment->GetVert(),
                                 ShowEndEllipsis, WordWrap, 0, false, ShowAccelChar);
  DrawTextToDC(dc, Text, r, KvTextFlagsToDT(flags));
}

std::unique_ptr<TkvBitmap> TkvCustomLabelViewInfo::TextMask(TCanvas* Canvas, const TPoint& P, const TRect& T,
                                                            bool Rotated, const TRect& B) {
  auto mask = std::make_unique<TkvBitmap>(B.Width(), B.Height());
  TCanvas* mc = mask->GetCanvas();
  mc->SetFont(Canvas->GetFont());
  mc->GetFont()->SetColor(clWhite);
  HDC dc = FontReady(mc);
  SolidFillRect(dc, TRect(0, 0, B.Width(), B.Height()), clBlack);
  SetBkMode(dc, TRANSPARENT);
  SetWindowOrgEx(dc, B.Left, B.Top, nullptr);
  DrawTextAt(mc, P, T, Rotated);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  return mask;
}

void TkvCustomLabelViewInfo::PaintLabelContent(TkvCanvas* Canvas, const TRect& B, const TRect& T, const TRect& L,
                                               bool Copy) {
  TCanvas* canvas = Canvas->GetCanvas();
  HDC dc = canvas->GetHandle();
  // a. Background.
  const bool transparent = IsTransparent();
  if (transparent && (!Inplace || !Focused)) {
    if (!Inplace && !Copy && Edit) CopyParentImage(Edit, Canvas, L, true);
  } else {
    SolidFillRect(dc, B, BackgroundColor);
  }
  // b. The font, turned when asked.
  const bool trueType = SetCanvasAngle(canvas, Font, Angle);
  const Integer angle = trueType ? ((Angle % 360) + 360) % 360 : 0;
  const bool rotated = angle != 0;
  // c. Start point and step.
  const Integer s = StyleOffset();
  const Integer ex = EffectOffsets.X, ey = EffectOffsets.Y;
  TPoint p{0, 0};
  if (rotated) {
    TFont plain;
    plain.Assign(Font);
    TBitmap measure;
    measure.GetCanvas()->SetFont(&plain);
    TRect r(0, 0, 0, 0);
    String text = ShowAccelChar ? StripHotkey(Text) : Text;
    DrawTextToDC(FontReady(measure.GetCanvas()), text, r, DT_CALCRECT | DT_NOPREFIX);
    const double w = r.Width(), h = r.Height();
    const TRect t2(T.Left, T.Top, T.Right - ex, T.Bottom - ey);
    const double a = angle * M_PI / 180;
    p.X = static_cast<Integer>(std::nearbyint((t2.Left + t2.Right) / 2.0 - w / 2 * std::cos(a) - h / 2 * std::sin(a)));
    p.Y = static_cast<Integer>(std::nearbyint((t2.Top + t2.Bottom) / 2.0 + w / 2 * std::sin(a) - h / 2 * std::cos(a)));
  }
  Integer sx = 0, sy = 0;
  const bool effect = LabelEffect != kvleNormal && Depth > 0;
  if (effect) {
    sx = ex;
    sy = ey;
    if (Orientation == kvoRight || Orientation == kvoRightTop || Orientation == kvoRightBottom) {
      p.X += s + ex;
      sx = -ex;
    }
    if (Orientation == kvoBottom || Orientation == kvoLeftBottom || Orientation == kvoRightBottom) {
      p.Y += s + ey;
      sy = -ey;
    }
    if (LabelEffect == kvleFun || LabelEffect == kvleExtrude) {
      sx = Sign(sx);
      sy = Sign(sy);
    }
  }
  // d. Clear brush.
  SetBkMode(dc, TRANSPARENT);
  canvas->GetBrush()->SetStyle(bsClear);
  TFont* font = canvas->GetFont();
  // e. Depth copies.
  if (effect && (sx != 0 || sy != 0)) {
    const Integer n = Depth / std::abs(sx != 0 ? sx : sy);
    const TColor shadow = ColorToRGB(ShadowedColor), background = ColorToRGB(BackgroundColor);
    for (Integer i = 1; i <= n; ++i) {
      TColor color = shadow;
      if (LabelEffect == kvleFun) {
        color = static_cast<TColor>(
            RGB(FadeChannel(GetRValue(shadow), GetRValue(background), i, n),
                FadeChannel(GetGValue(shadow), GetGValue(background), i, n),
                FadeChannel(GetBValue(shadow), GetBValue(background), i, n)));
      }
      font->SetColor(color);
      DrawTextAt(canvas, p, T, rotated);
      p.X += sx;
      p.Y += sy;
    }
  }
  // f. Back by the style offset where the copies ran backwards.
  if (sx < 0) p.X -= s;
  if (sy < 0) p.Y -= s;
  // g. The text itself.
  const bool large = Font && Font->GetSize() >= 12;
  auto at = [&](TColor Color, Integer DX, Integer DY) {
    font->SetColor(Color);
    DrawTextAt(canvas, TPoint{p.X + DX, p.Y + DY}, T, rotated);
  };
  // h. A picture fill: the picture, tiled, shows through the text's pixels.
  auto mainText = [&](Integer DX, Integer DY) {
    if (trueType && Glyph && !Glyph->GetEmpty()) {
      TPoint q{p.X + DX, p.Y + DY};
      std::unique_ptr<TkvBitmap> mask = TextMask(canvas, q, T, rotated, B);
      TBitmap tiles;
      tiles.SetSize(B.Width(), B.Height());
      TkvCanvas tileCanvas(tiles.GetCanvas());
      tileCanvas.FillTiled(TRect(0, 0, B.Width(), B.Height()), Glyph, false);
      // Keep the ground where the mask is black, take the tiles where it is white.
      BitBlt(tiles.GetCanvas()->GetHandle(), 0, 0, B.Width(), B.Height(), mask->GetCanvas()->GetHandle(), 0, 0, SRCAND);
      PatBlt(mask->GetCanvas()->GetHandle(), 0, 0, B.Width(), B.Height(), DSTINVERT);
      BitBlt(dc, B.Left, B.Top, B.Width(), B.Height(), mask->GetCanvas()->GetHandle(), 0, 0, SRCAND);
      BitBlt(dc, B.Left, B.Top, B.Width(), B.Height(), tiles.GetCanvas()->GetHandle(), 0, 0, SRCPAINT);
    } else {
      at(TextColor, DX, DY);
    }
  };
  switch (LabelStyle) {
    case kvlsNormal:
      mainText(0, 0);
      break;
    case kvlsRaised:
      at(clBtnHighlight, 0, 0);
      if (large) at(clBtnShadow, 2, 2);
      mainText(1, 1);
      break;
    case kvlsLowered:
      if (large) at(clBtnShadow, 0, 0);
      at(clBtnHighlight, 2, 2);
      mainText(1, 1);
      break;
    case kvlsOutLine:
      if (!trueType) {
        at(TextColor, 0, 0);
        break;
      }
      if (Glyph && !Glyph->GetEmpty()) mainText(0, 0);
      StrokeTextOutline(canvas, p, T, rotated, B);
      break;
  }
  // i. Solid brush again.
  canvas->GetBrush()->SetStyle(bsSolid);
}

// The outline of the text's shape, PenWidth pixels wide, in the text colour: the text's pixels
// that touch a pixel outside it, grown by the pen.
void TkvCustomLabelViewInfo::StrokeTextOutline(TCanvas* Canvas, const TPoint& P, const TRect& T, bool Rotated,
                                               const TRect& B) {
  std::unique_ptr<TkvBitmap> mask = TextMask(Canvas, P, T, Rotated, B);
  const Integer w = B.Width(), h = B.Height();
  TRGBColors pixels;
  mask->GetPixels(pixels);
  // Bottom-up rows.
  auto inside = [&](Integer X, Integer Y) {
    if (X < 0 || Y < 0 || X >= w || Y >= h) return false;
    return (pixels[static_cast<size_t>(h - 1 - Y) * w + X] & 0xFF) > 127;
  };
  const Integer half = std::max(PenWidth, 1) / 2;
  const Integer reach = std::max(PenWidth, 1) - 1 - half;
  HDC dc = Canvas->GetHandle();
  const TColor color = ColorToRGB(TextColor);
  for (Integer y = 0; y < h; ++y)
    for (Integer x = 0; x < w; ++x) {
      if (!inside(x, y)) continue;
      if (inside(x - 1, y) && inside(x + 1, y) && inside(x, y - 1) && inside(x, y + 1)) continue;
      SolidFillRect(dc, TRect(B.Left + x - half, B.Top + y - half, B.Left + x + reach + 1, B.Top + y + reach + 1),
                    color);
    }
}
