#pragma once
// Drawing shared by the inspector controls: colour blending, gradients, focus frames, text in a
// rectangle and per-pixel alpha bitmaps. The providers hold no state; their operations belong to
// the class.

#include "vcl/Controls.h"
#include "vcl/Graphics.h"
#include "vcl/StdCtrls.h"

enum TVerticalAlignment { vaTop, vaMiddle, vaBottom };
TAVREN_ENUM_INFO(TVerticalAlignment, vaTop, vaMiddle, vaBottom);

// A colour as RGB: system colours (high byte 0x80) through GetSysColor of their low byte.
COLORREF ResolveColor(TColor Color);

class TGraphicsProvider {
 public:
  // Each channel round(X * C2 + (1 - X) * C1).
  static TColor BlendColor(TColor C1, TColor C2, double X);
  // Solid: a clHighlight frame; otherwise the dotted focus rectangle.
  static void DrawFocus(TCanvas* Canvas, const TRect& Rect, bool Solid);
  // One line per scan line, from FromColor at the top towards ToColor.
  static void DrawGradient(TCanvas* Canvas, const TRect& Rect, TColor FromColor, TColor ToColor);
  // Single line, vertically centred, with an end ellipsis.
  static void DrawTextRect(TCanvas* Canvas, const TRect& Rect, bool RightToLeft, const String& Text,
                           TAlignment Alignment);
  static void DrawTextRectEx(TCanvas* Canvas, const TRect& Rect, TBiDiMode BiDiMode, const String& Text,
                             bool WordWrap, TVerticalAlignment VerticalAlignment, TAlignment Alignment);
};

class TMaskProvider {
 public:
  // A weighted by Alpha (0..255) over B; Alpha >= 256 fails an assertion.
  static TColor MixColors(TColor A, TColor B, Integer Alpha);
};

class TDrawProvider {
 public:
  // A 32-bit bitmap is blended by its per-pixel alpha; any other graphic drawn as it is.
  static void DrawGraphic(TCanvas* Canvas, Integer X, Integer Y, TGraphic* Graphic);
};

// The DrawText alignment flag of a horizontal alignment.
UINT AlignmentFlag(TAlignment Alignment);
