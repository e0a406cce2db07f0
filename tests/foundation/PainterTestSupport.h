#pragma once
// A small drawing surface for painter tests: a 24-bit bitmap cleared to a colour no painter uses,
// read back pixel by pixel in RGB.

#include "gdi/Gdi.h"
#include "toolkit/foundation/kvGeometry.h"
#include "toolkit/foundation/kvGraphics.h"
#include "toolkit/foundation/kvLookAndFeelPainters.h"
#include "vcl/Graphics.h"

constexpr TColor kUntouched = static_cast<TColor>(0x5A3C1E);

struct PainterSurface {
  explicit PainterSurface(Integer Width = 40, Integer Height = 40) : bitmap(Width, Height) { Clear(); }

  TkvCanvas* Canvas() { return bitmap.GetkvCanvas(); }
  void Clear(TColor Color = kUntouched) {
    Canvas()->FillWithColor(Rect(0, 0, bitmap.GetWidth(), bitmap.GetHeight()), Color);
  }
  // Read past whatever clip region the painters left behind.
  COLORREF At(Integer X, Integer Y) {
    HDC dc = bitmap.GetCanvas()->GetHandle();
    const int saved = SaveDC(dc);
    SelectClipRgn(dc, nullptr);
    const COLORREF pixel = GetPixel(dc, X, Y);
    RestoreDC(dc, saved);
    return pixel;
  }
  bool Is(Integer X, Integer Y, TColor Color) { return At(X, Y) == ColorToRGB(Color); }
  // How many pixels of R have Color.
  Integer Count(const TRect& R, TColor Color) {
    Integer n = 0;
    for (Integer y = R.Top; y < R.Bottom; ++y)
      for (Integer x = R.Left; x < R.Right; ++x) n += Is(x, y, Color) ? 1 : 0;
    return n;
  }

  TkvBitmap bitmap;
};

// The painter classes by name, for tables.
inline TkvCustomLookAndFeelPainter* StandardPainter() { return PainterClassOf<TkvStandardLookAndFeelPainter>(); }
inline TkvCustomLookAndFeelPainter* FlatPainter() { return PainterClassOf<TkvFlatLookAndFeelPainter>(); }
inline TkvCustomLookAndFeelPainter* UltraFlatPainter() { return PainterClassOf<TkvUltraFlatLookAndFeelPainter>(); }
inline TkvCustomLookAndFeelPainter* Office11Painter() { return PainterClassOf<TkvOffice11LookAndFeelPainter>(); }
inline TkvCustomLookAndFeelPainter* ThemedPainter() { return PainterClassOf<TkvWinXPLookAndFeelPainter>(); }
