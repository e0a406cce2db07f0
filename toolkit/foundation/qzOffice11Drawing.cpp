#include <algorithm>

#include "gdi/Blits.h"
#include "gdi/DeviceContexts.h"
#include "gdi/Drawing.h"
#include "gdi/GdiObjects.h"
#include "gdi/Modules.h"
#include "gdi/SysColors.h"
#include "rtl/Math.h"
#include "toolkit/foundation/qzOffice11.h"
#include "user/Painting.h"
#include "vcl/Graphics.h"

namespace {

using TGradientFill = decltype(&::GradientFill);
HMODULE imageLibrary = nullptr;
TGradientFill gradientFill = nullptr;

struct TChannels {
  Integer R, G, B;
};

TChannels ChannelsOf(TColor C) {
  COLORREF c = ColorToRGB(C);
  return {GetRValue(c), GetGValue(c), GetBValue(c)};
}

TColor ChannelsColor(Integer R, Integer G, Integer B) {
  return RGB(static_cast<BYTE>(R), static_cast<BYTE>(G), static_cast<BYTE>(B));
}

Integer ClampChannel(Integer Value) { return std::clamp(Value, 0, 255); }

// One band of the axis: [From, To) along it, the whole extent across it.
TRect BandRect(const TRect& Rect, bool Horizontal, Integer From, Integer To) {
  return Horizontal ? TRect{From, Rect.Top, To, Rect.Bottom} : TRect{Rect.Left, From, Rect.Right, To};
}

}  // namespace

// ---- Colour arithmetic --------------------------------------------------------------------

TColor NearestScreenColor(TColor C) {
  HDC dc = GetDC(nullptr);
  COLORREF result = GetNearestColor(dc, ColorToRGB(C));
  ReleaseDC(nullptr, dc);
  return result;
}

TColor ColorMix(TColor C1, TColor C2, Integer P) {
  TChannels a = ChannelsOf(C1), b = ChannelsOf(C2);
  // A percentage outside 0..100 can push a channel below 0 as well as above 255.
  auto mix = [P](Integer x, Integer y) { return ClampChannel(MulDiv(x, P, 100) + MulDiv(y, 100 - P, 100)); };
  return NearestScreenColor(ChannelsColor(mix(a.R, b.R), mix(a.G, b.G), mix(a.B, b.B)));
}

TColor SystemLightColor(Integer PFace, Integer PHilite, Integer PWindow) {
  if (HighContrastBlackFace() || HighContrastWhiteFace()) return ColorToRGB(clHighlight);
  TChannels f = ChannelsOf(clBtnFace), h = ChannelsOf(clHighlight), w = ChannelsOf(clWindow);
  auto mix = [&](Integer x, Integer y, Integer z) {
    return ClampChannel(MulDiv(x, PFace, 100) + MulDiv(y, PHilite, 100) + MulDiv(z, PWindow, 100));
  };
  return ChannelsColor(mix(f.R, h.R, w.R), mix(f.G, h.G, w.G), mix(f.B, h.B, w.B));
}

TColor ColorScaled(TColor C, Integer P) {
  TChannels c = ChannelsOf(C);
  auto scale = [P](Integer x) { return ClampChannel(static_cast<Integer>(Round(P * x / 100.0L))); };
  return ChannelsColor(scale(c.R), scale(c.G), scale(c.B));
}

TColor ColorWhitened(TColor C, Integer P) {
  TChannels c = ChannelsOf(C);
  auto whiten = [P](Integer x) { return ClampChannel(255 - static_cast<Integer>(Round(P / 100.0L * (255 - x)))); };
  return ChannelsColor(whiten(c.R), whiten(c.G), whiten(c.B));
}

TColor NavPaneCaptionColor(bool Light) {
  TChannels c = ChannelsOf(clBtnFace);
  auto tone = [Light](Integer x) { return Light ? x * 127 / 255 + 128 : (x - x * 4 / 255 + 4) & 0xFF; };
  return NearestScreenColor(ChannelsColor(tone(c.R), tone(c.G), tone(c.B)));
}

bool HighContrastBlackFace() { return ColorToRGB(clBtnFace) == 0; }
bool HighContrastWhiteFace() { return ColorToRGB(clBtnFace) == 0xFFFFFF; }
bool BlackFaceColoredText() { return HighContrastBlackFace() && ColorToRGB(clBtnText) != 0xFFFFFF; }

// ---- Gradients and fills ------------------------------------------------------------------

void SolidFillRect(HDC DC, const TRect& Rect, TColor Color) {
  // The DC's own brush colour: gradients fill a band at a time, and a brush object per band
  // costs more than the band's pixels.
  const COLORREF previous = SetDCBrushColor(DC, ColorToRGB(Color));
  FillRect(DC, &Rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  SetDCBrushColor(DC, previous);
}

void SolidFrameRect(HDC DC, const TRect& Rect, TColor Color) {
  HBRUSH brush = CreateSolidBrush(ColorToRGB(Color));
  FrameRect(DC, &Rect, brush);
  DeleteObject(brush);
}

void PaintGradientRect(HDC DC, const TRect& Rect, TColor Color1, TColor Color2, bool Horizontal) {
  if (ColorToRGB(Color1) == ColorToRGB(Color2)) {
    SolidFillRect(DC, Rect, Color1);
    return;
  }
  TChannels a = ChannelsOf(Color1), b = ChannelsOf(Color2);
  if (gradientFill) {
    TRIVERTEX vertices[2];
    vertices[0] = {Rect.Left, Rect.Top, static_cast<COLOR16>(a.R << 8), static_cast<COLOR16>(a.G << 8),
                   static_cast<COLOR16>(a.B << 8), 0};
    vertices[1] = {Rect.Right, Rect.Bottom, static_cast<COLOR16>(b.R << 8), static_cast<COLOR16>(b.G << 8),
                   static_cast<COLOR16>(b.B << 8), 0};
    GRADIENT_RECT mesh{0, 1};
    gradientFill(DC, vertices, 2, &mesh, 1, Horizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
    return;
  }
  Integer start = Horizontal ? Rect.Left : Rect.Top;
  Integer far = Horizontal ? Rect.Right : Rect.Bottom;
  Integer size = far - start;
  if (size <= 0) return;
  Integer bands = std::min(size, 256);
  Integer from = start;
  for (Integer i = 0; i < bands && from < far; ++i) {
    Integer to = std::min(start + MulDiv(i + 1, size, bands), far);
    if (to <= from) continue;
    TColor color = bands == 1 ? Color1
                              : ChannelsColor(a.R + MulDiv(i, b.R - a.R, bands - 1), a.G + MulDiv(i, b.G - a.G, bands - 1),
                                              a.B + MulDiv(i, b.B - a.B, bands - 1));
    SolidFillRect(DC, BandRect(Rect, Horizontal, from, to), color);
    from = to;
  }
}

TColor GradientColorAt(const TRect& Rect, Integer Pos, TColor Color1, TColor Color2, bool Horizontal) {
  Integer start = Horizontal ? Rect.Left : Rect.Top;
  Integer size = (Horizontal ? Rect.Right : Rect.Bottom) - start;
  if (size <= 0) return ColorToRGB(Color1);
  Integer bands = std::min(size, 256);
  if (bands == 1) return ColorToRGB(Color1);
  Integer i = std::max(MulDiv(Pos - start + 1, bands, size) - 1, 0);
  TChannels a = ChannelsOf(Color1), b = ChannelsOf(Color2);
  return ChannelsColor(a.R + MulDiv(i, b.R - a.R, bands - 1), a.G + MulDiv(i, b.G - a.G, bands - 1),
                       a.B + MulDiv(i, b.B - a.B, bands - 1));
}

void PaintSplitGradient(HDC DC, const TRect& Rect, TColor Color1, TColor Color2, bool Horizontal) {
  if (ColorToRGB(Color1) == ColorToRGB(Color2)) {
    SolidFillRect(DC, Rect, Color1);
    return;
  }
  Integer start = Horizontal ? Rect.Left : Rect.Top;
  Integer far = Horizontal ? Rect.Right : Rect.Bottom;
  Integer n = far - start;
  if (n <= 0) return;
  Integer h = n / 2;
  Integer p = Office11SplitPercent();
  TChannels c1 = ChannelsOf(Color1), c2 = ChannelsOf(Color2);
  Integer c1s[3] = {c1.R, c1.G, c1.B}, c2s[3] = {c2.R, c2.G, c2.B};
  Integer m[3], e[3], s[3];
  for (Integer k = 0; k < 3; ++k) {
    m[k] = c1s[k] - MulDiv(c1s[k] - c2s[k], p, 200);
    // With one pixel there is no half to spread over (h = 0): that pixel takes the middle colour.
    e[k] = h > 0 ? c1s[k] - MulDiv(c1s[k] - m[k], n, h) : m[k];
    s[k] = h > 0 ? c2s[k] + MulDiv(m[k] - c2s[k], n, h) : m[k];
  }
  // Bands outside the clip box would be cut away whole: menus fill their background a sliver at a
  // time, and each sliver would otherwise fill every band of the gradient.
  Integer first = 0, last = n;
  RECT clip;
  const int clipKind = GetClipBox(DC, &clip);
  if (clipKind == NULLREGION) return;
  if (clipKind != ERROR) {
    first = std::clamp((Horizontal ? clip.Left : clip.Top) - start, 0, n);
    last = std::clamp((Horizontal ? clip.Right : clip.Bottom) - start, 0, n);
  }
  for (Integer i = first; i < last; ++i) {
    Integer ch[3];
    for (Integer k = 0; k < 3; ++k) {
      if (i < h)
        ch[k] = c1s[k] + MulDiv(i, e[k] - c1s[k], n - 1);
      else if (i == h)
        ch[k] = m[k];
      else
        ch[k] = s[k] + MulDiv(i, c2s[k] - s[k], n - 1);
      ch[k] &= 0xFF;
    }
    SolidFillRect(DC, BandRect(Rect, Horizontal, start + i, start + i + 1), ChannelsColor(ch[0], ch[1], ch[2]));
  }
}

// ---- Glyphs -------------------------------------------------------------------------------

void Office11FrameSelection(HDC DC, const TRect& Rect) {
  if (HighContrastBlackFace())
    SolidFrameRect(DC, Rect, clHighlightText);
  else
    FrameRect(DC, &Rect, Office11Brush(5));
}

void Office11PaintGripDots(HDC DC, const TRect& Rect, bool Column, HBRUSH Brush1, HBRUSH Brush2) {
  if (!Brush1) Brush1 = Office11Brush(0);
  if (!Brush2) Brush2 = Office11Brush(1);
  Integer across = Column ? Rect.Bottom - Rect.Top : Rect.Right - Rect.Left;
  Integer r = across % 4;
  Integer shift = r < 2 ? r : r / 2;
  TRect cell = Column ? TRect{Rect.Left + shift, Rect.Top, Rect.Left + shift + 4, Rect.Top + 4}
                      : TRect{Rect.Left, Rect.Top + shift, Rect.Left + 4, Rect.Top + shift + 4};
  do {
    TRect dot{cell.Left + 1, cell.Top + 1, cell.Right - 1, cell.Bottom - 1};
    FillRect(DC, &dot, Brush2);
    TRect light{dot.Left - 1, dot.Top - 1, dot.Right - 1, dot.Bottom - 1};
    FillRect(DC, &light, Brush1);
    if (Column) {
      cell.Top += 4;
      cell.Bottom += 4;
    } else {
      cell.Left += 4;
      cell.Right += 4;
    }
  } while (Column ? cell.Bottom <= Rect.Bottom : cell.Right <= Rect.Right);
}

void Office11PaintSizeGrip(HDC DC, const TRect& Rect, TColor Color1, TColor Color2) {
  HBRUSH brush1 = Color1 == clDefault ? nullptr : CreateSolidBrush(ColorToRGB(Color1));
  HBRUSH brush2 = Color2 == clDefault ? nullptr : CreateSolidBrush(ColorToRGB(Color2));
  TRect strip{Rect.Right - 12, Rect.Bottom - 3, Rect.Right, Rect.Bottom};
  for (Integer row = 0; row < 3; ++row) {
    Office11PaintGripDots(DC, strip, false, brush1, brush2);
    strip.Left += 4;
    strip.Top -= 4;
    strip.Bottom -= 4;
  }
  if (brush1) DeleteObject(brush1);
  if (brush2) DeleteObject(brush2);
}

void Office11PaintItemArrow(HDC DC, const TRect& Rect, bool Down, bool Enabled, bool Selected) {
  Integer d = Down ? Rect.Right - Rect.Left - 8 : Rect.Bottom - Rect.Top - 6;
  Integer size = (d - 1) / 2 + (d % 2 != 0 ? 1 : 0);
  Office11PaintArrowSized(DC, Rect, Down, std::max(size, 3), Selected, Enabled);
}

void Office11PaintArrowSized(HDC DC, const TRect& Rect, bool Down, Integer Size, bool Selected, bool Enabled) {
  TColor color = !Enabled                                ? Office11Color(52)
                 : Selected && HighContrastWhiteFace()   ? clWhite
                                                         : Office11Color(51);
  POINT points[3];
  if (Down) {
    Integer x = (Rect.Left + Rect.Right - (2 * Size - 1)) / 2;
    Integer y = (Rect.Top + Rect.Bottom - Size) / 2;
    points[0] = {x, y};
    points[1] = {x + 2 * Size - 2, y};
    points[2] = {x + Size - 1, y + Size - 1};
  } else {
    Integer x = (Rect.Left + Rect.Right - Size) / 2;
    Integer y = (Rect.Top + Rect.Bottom - (2 * Size - 1)) / 2;
    points[0] = {x, y};
    points[1] = {x, y + 2 * Size - 2};
    points[2] = {x + Size - 1, y + Size - 1};
  }
  COLORREF rgb = ColorToRGB(color);
  HPEN pen = CreatePen(PS_SOLID, 1, rgb);
  HBRUSH brush = CreateSolidBrush(rgb);
  HGDIOBJ oldPen = SelectObject(DC, pen);
  HGDIOBJ oldBrush = SelectObject(DC, brush);
  Polygon(DC, points, 3);
  SelectObject(DC, oldPen);
  SelectObject(DC, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

void qzOffice11Start() {
  imageLibrary = LoadLibrary("msimg32.dll");
  if (imageLibrary) gradientFill = reinterpret_cast<TGradientFill>(GetProcAddress(imageLibrary, "GradientFill"));
}

void qzOffice11End() {
  if (imageLibrary) FreeLibrary(imageLibrary);
  imageLibrary = nullptr;
  gradientFill = nullptr;
}
