// The Wb frame painters: sides and bevels, the frame styles in system colours or in shades of one
// face colour, the rounded flat border, a panel's inner and outer borders and an edit's frame.

#include "toolkit/controls/WbCommon.h"
#include "vcl/Graphics.h"

namespace {

struct FrameColors {
  TColor UL, LR;
};

const FrameColors kFrameColors[] = {
    {clWindow, clWindow},             // fsNone
    {cl3DDkShadow, cl3DDkShadow},     // fsFlat
    {clBtnShadow, clBtnHighlight},    // fsGroove
    {clBtnHighlight, clBtnShadow},    // fsBump
    {clBtnShadow, clBtnHighlight},    // fsLowered
    {clNone, clNone},                 // fsButtonDown
    {cl3DDkShadow, clBtnFace},        // fsRaised
    {clNone, clNone},                 // fsButtonUp
    {clBtnShadow, clBtnHighlight},    // fsStatus
    {clBtnHighlight, clBtnShadow},    // fsPopup
    {clBtnShadow, clBtnShadow},       // fsFlatBold
    {clBtnShadow, clBtnShadow},       // fsFlatRounded: drawn elsewhere
};

// Outer ring first.
struct EdgeRings {
  FrameColors Outer, Inner;
};
const EdgeRings kRaisedEdge{{cl3DLight, cl3DDkShadow}, {clBtnHighlight, clBtnShadow}};
const EdgeRings kLoweredEdge{{clBtnShadow, clBtnHighlight}, {cl3DDkShadow, cl3DLight}};
const EdgeRings kButtonUpEdge{{clBtnHighlight, cl3DDkShadow}, {cl3DLight, clBtnShadow}};
const EdgeRings kButtonDownEdge{{clBtnText, clBtnText}, {clBtnShadow, clBtnShadow}};

TRect PaintRings(TCanvas* Canvas, const TRect& Bounds, const EdgeRings& Rings, TSides Sides) {
  TRect r = PaintSides(Canvas, Bounds, Rings.Outer.UL, Rings.Outer.LR, Sides);
  return PaintSides(Canvas, r, Rings.Inner.UL, Rings.Inner.LR, Sides);
}

// The etched groove or bump; corner pixels first, so that a frame open on some sides ends cleanly.
TRect PaintEtched(TCanvas* Canvas, const TRect& R, TColor Dark, TColor Light, TSides Sides) {
  bool l = Sides.Contains(sdLeft), t = Sides.Contains(sdTop), rt = Sides.Contains(sdRight),
       b = Sides.Contains(sdBottom);
  if (rt) Canvas->SetPixel(R.Right - 1, R.Top, Light);
  if (t && !rt) Canvas->SetPixel(R.Right - 1, R.Top, Dark);
  if (b) Canvas->SetPixel(R.Left, R.Bottom - 1, Light);
  if (l && !b) Canvas->SetPixel(R.Left, R.Bottom - 1, Dark);
  if (t && !l) Canvas->SetPixel(R.Left, R.Top + 1, Light);
  if (l && !t) Canvas->SetPixel(R.Left + 1, R.Top, Light);
  if (b && !rt) Canvas->SetPixel(R.Right - 1, R.Bottom - 2, Dark);
  if (rt && !b) Canvas->SetPixel(R.Right - 2, R.Bottom - 1, Dark);
  TRect inner{R.Left + 1, R.Top + 1, R.Right, R.Bottom};
  PaintSides(Canvas, inner, Light, Light, Sides);
  PaintSides(Canvas, {inner.Left - 1, inner.Top - 1, inner.Right - 1, inner.Bottom - 1}, Dark, Dark, Sides);
  TRect result = R;
  if (l) result.Left += 2;
  if (t) result.Top += 2;
  if (rt) result.Right -= 2;
  if (b) result.Bottom -= 2;
  return result;
}

void Line(TCanvas* Canvas, Integer x1, Integer y1, Integer x2, Integer y2) {
  Canvas->MoveTo(x1, y1);
  Canvas->LineTo(x2, y2);
}

// The outer or inner style of a panel border.
TRect PaintPanelBorder(TCanvas* Canvas, TRect R, TFrameStyleEx Style, TSides Sides, TColor Flat, TColor Highlight,
                       TColor Shadow, Integer BevelWidth) {
  switch (Style) {
    case fsFlat: return PaintBevel(Canvas, R, Flat, Flat, 1, Sides);
    case fsFlatBold: return PaintBevel(Canvas, R, Flat, Flat, 2, Sides);
    case fsFlatRounded: return PaintRoundedFlatBorder(Canvas, R, Flat, Sides);
    case fsPopup: return PaintBevel(Canvas, R, Highlight, Shadow, BevelWidth, Sides);
    case fsStatus: return PaintBevel(Canvas, R, Shadow, Highlight, BevelWidth, Sides);
    default: return PaintBorderSides(Canvas, R, Style, Sides);
  }
}

TRect Inflated(const TRect& R, Integer d) { return {R.Left - d, R.Top - d, R.Right + d, R.Bottom + d}; }

}  // namespace

TRect PaintSides(TCanvas* Canvas, const TRect& Bounds, TColor ULColor, TColor LRColor, TSides Sides) {
  const TRect& r = Bounds;
  TPen* pen = Canvas->GetPen();
  if (ULColor != clNone) {
    pen->SetColor(ULColor);
    if (Sides.Contains(sdLeft)) Line(Canvas, r.Left, r.Top, r.Left, r.Bottom);
    if (Sides.Contains(sdTop)) Line(Canvas, r.Left, r.Top, r.Right, r.Top);
  }
  if (LRColor != clNone) {
    pen->SetColor(LRColor);
    if (Sides.Contains(sdRight)) Line(Canvas, r.Right - 1, r.Top, r.Right - 1, r.Bottom);
    if (Sides.Contains(sdBottom)) Line(Canvas, r.Left, r.Bottom - 1, r.Right, r.Bottom - 1);
  }
  TRect result = r;
  if (Sides.Contains(sdLeft)) ++result.Left;
  if (Sides.Contains(sdTop)) ++result.Top;
  if (Sides.Contains(sdRight)) --result.Right;
  if (Sides.Contains(sdBottom)) --result.Bottom;
  return result;
}

TRect PaintBevel(TCanvas* Canvas, const TRect& Bounds, TColor ULColor, TColor LRColor, Integer Width, TSides Sides) {
  Canvas->GetPen()->SetWidth(1);
  TRect r = Bounds;
  for (Integer i = 0; i < Width; ++i) r = PaintSides(Canvas, r, ULColor, LRColor, Sides);
  return r;
}

TRect PaintBox(TCanvas* Canvas, const TRect& Bounds, TColor Color) {
  return PaintSides(Canvas, Bounds, Color, Color, AllSides);
}

TRect PaintBorderSides(TCanvas* Canvas, const TRect& Bounds, TFrameStyle Style, TSides Sides) {
  const FrameColors& c = kFrameColors[Style];
  switch (Style) {
    case fsNone: return Bounds;
    case fsFlat:
    case fsStatus:
    case fsPopup: return PaintSides(Canvas, Bounds, c.UL, c.LR, Sides);
    case fsFlatBold: return PaintBevel(Canvas, Bounds, clBtnShadow, clBtnShadow, 2, Sides);
    case fsLowered: return PaintRings(Canvas, Bounds, kLoweredEdge, Sides);
    case fsRaised: return PaintRings(Canvas, Bounds, kRaisedEdge, Sides);
    case fsButtonDown: return PaintRings(Canvas, Bounds, kButtonDownEdge, Sides);
    case fsButtonUp: return PaintRings(Canvas, Bounds, kButtonUpEdge, Sides);
    case fsGroove:
    case fsBump: return PaintEtched(Canvas, Bounds, c.UL, c.LR, Sides);
    case fsFlatRounded: return PaintRoundedFlatBorder(Canvas, Bounds, clBtnShadow, Sides);
  }
  return Bounds;
}

TRect PaintBorder(TCanvas* Canvas, const TRect& Bounds, TFrameStyle Style) {
  return PaintBorderSides(Canvas, Bounds, Style, AllSides);
}

TRect PaintColorButtonEdge(TCanvas* Canvas, const TRect& Bounds, TColor FaceColor, TSides Sides, bool Down) {
  EdgeRings rings = Down ? EdgeRings{{DarkenColor(FaceColor, 100), DarkenColor(FaceColor, 100)},
                                     {DarkenColor(FaceColor, 50), DarkenColor(FaceColor, 50)}}
                         : EdgeRings{{LightenColor(FaceColor, 100), DarkenColor(FaceColor, 100)},
                                     {LightenColor(FaceColor, 40), DarkenColor(FaceColor, 50)}};
  return PaintRings(Canvas, Bounds, rings, Sides);
}

TRect PaintColorBorderSides(TCanvas* Canvas, const TRect& Bounds, TColor FaceColor, TSides Sides, TFrameStyle Style) {
  auto dk = [FaceColor](Byte n) { return DarkenColor(FaceColor, n); };
  auto lt = [FaceColor](Byte n) { return LightenColor(FaceColor, n); };
  switch (Style) {
    case fsNone: return Bounds;
    case fsFlat: return PaintSides(Canvas, Bounds, dk(50), dk(50), Sides);
    case fsGroove: return PaintEtched(Canvas, Bounds, dk(50), lt(100), Sides);
    case fsBump: return PaintEtched(Canvas, Bounds, lt(100), dk(50), Sides);
    case fsLowered: return PaintRings(Canvas, Bounds, {{dk(50), lt(100)}, {dk(100), lt(50)}}, Sides);
    case fsRaised: return PaintRings(Canvas, Bounds, {{lt(50), dk(100)}, {lt(100), dk(50)}}, Sides);
    case fsButtonDown: return PaintColorButtonEdge(Canvas, Bounds, FaceColor, Sides, true);
    case fsButtonUp: return PaintColorButtonEdge(Canvas, Bounds, FaceColor, Sides, false);
    case fsStatus: return PaintSides(Canvas, Bounds, dk(50), lt(100), Sides);
    case fsPopup: return PaintSides(Canvas, Bounds, lt(100), dk(50), Sides);
    case fsFlatBold: return PaintRings(Canvas, Bounds, {{dk(50), dk(50)}, {dk(50), dk(50)}}, Sides);
    case fsFlatRounded: return PaintRoundedFlatBorder(Canvas, Bounds, dk(50), Sides);
  }
  return Bounds;
}

TRect PaintColorBorder(TCanvas* Canvas, const TRect& Bounds, TColor FaceColor, TFrameStyle Style) {
  return PaintColorBorderSides(Canvas, Bounds, FaceColor, AllSides, Style);
}

TRect PaintRoundedFlatBorder(TCanvas* Canvas, const TRect& Bounds, TColor Color, TSides Sides) {
  const TRect& r = Bounds;
  bool l = Sides.Contains(sdLeft), t = Sides.Contains(sdTop), rt = Sides.Contains(sdRight),
       b = Sides.Contains(sdBottom);
  Integer top = t ? r.Top + 2 : r.Top, bottom = b ? r.Bottom - 2 : r.Bottom;
  Integer left = l ? r.Left + 2 : r.Left, right = rt ? r.Right - 2 : r.Right;
  Canvas->GetPen()->SetColor(Color);
  if (l) Line(Canvas, r.Left, top, r.Left, bottom);
  if (t) Line(Canvas, left, r.Top, right, r.Top);
  if (rt) Line(Canvas, r.Right - 1, top, r.Right - 1, bottom);
  if (b) Line(Canvas, left, r.Bottom - 1, right, r.Bottom - 1);
  if (l && t) Canvas->SetPixel(r.Left + 1, r.Top + 1, Color);
  if (t && rt) Canvas->SetPixel(r.Right - 2, r.Top + 1, Color);
  if (rt && b) Canvas->SetPixel(r.Right - 2, r.Bottom - 2, Color);
  if (l && b) Canvas->SetPixel(r.Left + 1, r.Bottom - 2, Color);
  return {left, top, right, bottom};
}

TRect PaintDottedFocusRect(TCanvas* Canvas, const TRect& Bounds) {
  const TRect& r = Bounds;
  for (Integer y = r.Top + 1; y < r.Bottom; y += 2) {
    Canvas->SetPixel(r.Left, y, clBlack);
    Canvas->SetPixel(r.Right - 1, y, clBlack);
  }
  for (Integer x = r.Left + 1; x < r.Right; x += 2) {
    Canvas->SetPixel(x, r.Top, clBlack);
    Canvas->SetPixel(x, r.Bottom - 1, clBlack);
  }
  return Inflated(r, -1);
}

TRect PaintInnerOuterBorders(TCanvas* Canvas, const TRect& Bounds, TFrameStyleEx BorderOuter,
                             TFrameStyleEx BorderInner, Integer BorderWidth, TSides BorderSides, TColor BorderColor,
                             TColor BorderHighlight, TColor BorderShadow, Integer BevelWidth, TColor FlatColor,
                             Integer FlatColorAdjustment, TColor Color, TColor ParentColor, bool Transparent) {
  TColor flat = ShiftColorLightness(FlatColor, FlatColorAdjustment);
  TRect r = Bounds;
  if (BorderOuter == fsFlatRounded) {
    // The rounded corners leave pixels that show the colours behind and inside the frame.
    bool banded = BorderWidth > 0 || BorderInner != fsNone;
    if (!Transparent) {
      TRect inner = PaintBox(Canvas, r, ParentColor);
      PaintBox(Canvas, inner, banded ? BorderColor : Color);
    } else if (banded) {
      PaintBox(Canvas, Inflated(r, -1), BorderColor);
    }
  }
  r = PaintPanelBorder(Canvas, r, BorderOuter, BorderSides, flat, BorderHighlight, BorderShadow, BevelWidth);
  if (BorderWidth > 0) r = PaintBevel(Canvas, r, BorderColor, BorderColor, BorderWidth, BorderSides);
  if (BorderInner == fsFlatRounded) {
    if (!Transparent) {
      TRect inner = PaintBox(Canvas, r, BorderColor);
      PaintBox(Canvas, inner, Color);
    } else {
      PaintBox(Canvas, r, BorderColor);
    }
  }
  return PaintPanelBorder(Canvas, r, BorderInner, BorderSides, flat, BorderHighlight, BorderShadow, BevelWidth);
}

void PaintNonClientFrame(TCanvas* Canvas, Integer Width, Integer Height, TFrameStyle Style, TColor Color,
                         TColor FrameColor, TSides Sides) {
  TRect r{0, 0, Width, Height};
  // Cover the window's standard two-pixel sunken edge first.
  PaintBevel(Canvas, r, Color, Color, 2, AllSides);
  switch (Style) {
    case fsFlat: PaintSides(Canvas, r, FrameColor, FrameColor, Sides); break;
    case fsFlatBold: PaintBevel(Canvas, r, FrameColor, FrameColor, 2, Sides); break;
    default:
      if (Color == clWindow)
        PaintBorderSides(Canvas, r, Style, Sides);
      else
        PaintColorBorderSides(Canvas, r, Color, Sides, Style);
  }
}

TRect RectCenteredIn(const TRect& Bounds, Integer Width, Integer Height) {
  Integer left = (Bounds.Left + Bounds.Right - Width) / 2;
  Integer top = (Bounds.Top + Bounds.Bottom - Height) / 2;
  return {left, top, left + Width, top + Height};
}
