// The Wb glyph painters: drop-down, direction and close arrows, the custom check-box square and
// the gradient highlight ring.

#include <memory>

#include "gdi/Regions.h"
#include "gdi/UxTheme.h"
#include "toolkit/controls/WbCommon.h"
#include "toolkit/controls/WbGrafx.h"
#include "vcl/Graphics.h"

namespace {

// The arrow colour of the visual style: the middle of a themed drop-down button.
TColor ThemedArrowColor() {
  TColor color = cl3DDkShadow;
  HTHEME theme = OpenThemeData(nullptr, u"combobox");
  if (!theme) return color;
  TBitmap bitmap;
  bitmap.SetSize(17, 21);
  TRect r{0, 0, 16, 20};
  DrawThemeBackground(theme, bitmap.GetCanvas()->GetHandle(), 1, 1, &r, nullptr);
  CloseThemeData(theme);
  TColor sample = bitmap.GetCanvas()->GetPixel(8, 10);
  return ColorsLookAlike(sample, clWindow) ? cl3DDkShadow : sample;
}

// Fills a polygon in the arrow colour with a clear pen, then puts the pen and brush back.
class ArrowPainter {
 public:
  ArrowPainter(TCanvas* Canvas, const TRect& Bounds, bool Themed, bool Enabled) : FCanvas(Canvas) {
    FSavedBrush = Canvas->GetBrush()->GetColor();
    TColor color = !Enabled ? clBtnShadow : Themed ? ThemedArrowColor() : clBlack;
    Canvas->GetBrush()->SetColor(color);
    X = Bounds.Left + (Bounds.Right - Bounds.Left) / 2;
    Y = Bounds.Top + (Bounds.Bottom - Bounds.Top) / 2;
    if ((Bounds.Bottom - Bounds.Top) % 2 == 0) --Y;
  }
  ~ArrowPainter() {
    FCanvas->GetPen()->SetStyle(psSolid);
    FCanvas->GetBrush()->SetColor(FSavedBrush);
  }
  template <size_t N>
  void Fill(const TPoint (&Points)[N]) {
    FCanvas->GetPen()->SetStyle(psClear);
    FCanvas->Polygon(Points, N);
  }
  Integer X, Y;

 private:
  TCanvas* FCanvas;
  TColor FSavedBrush;
};

}  // namespace

void PaintDropDownArrow(TCanvas* Canvas, const TRect& Bounds, bool Themed, bool Enabled, bool Pressed) {
  ArrowPainter a(Canvas, Bounds, Themed, Enabled);
  a.Y += Themed ? 4 : 2;
  if (Pressed) ++a.X, ++a.Y;
  Integer X = a.X, Y = a.Y;
  if (Themed)
    a.Fill({TPoint{X, Y}, {X - 4, Y - 5}, {X - 3, Y - 7}, {X, Y - 3}, {X + 3, Y - 7}, {X + 5, Y - 5}});
  else
    a.Fill({TPoint{X, Y}, {X - 3, Y - 4}, {X + 4, Y - 4}});
}

void PaintDirectionArrow(TCanvas* Canvas, const TRect& Bounds, bool Themed, bool Enabled, bool Pressed,
                         Integer Direction) {
  ArrowPainter a(Canvas, Bounds, Themed, Enabled);
  if (Themed) {
    const Integer dx[] = {0, 0, -1, -3}, dy[] = {4, 2, 0, 0};
    if (Direction >= 0 && Direction < 4) a.X += dx[Direction], a.Y += dy[Direction];
  } else {
    if (Direction == 0 || Direction == 1) a.Y += 2;
    if (Direction == 2 || Direction == 3) a.X -= 2;
  }
  if (Enabled && Pressed) ++a.X, ++a.Y;
  Integer X = a.X, Y = a.Y;
  if (Themed) {
    switch (Direction) {
      case 0: a.Fill({TPoint{X, Y - 5}, {X + 4, Y}, {X + 1, Y}, {X, Y - 2}, {X - 1, Y}, {X - 4, Y}}); break;
      case 1: a.Fill({TPoint{X, Y}, {X - 3, Y - 4}, {X, Y - 4}, {X, Y - 3}, {X + 1, Y - 4}, {X + 4, Y - 4}}); break;
      case 2: a.Fill({TPoint{X, Y}, {X + 4, Y - 4}, {X + 4, Y - 1}, {X + 3, Y}, {X + 4, Y + 1}, {X + 4, Y + 4}}); break;
      case 3: a.Fill({TPoint{X + 4, Y}, {X, Y + 4}, {X, Y + 1}, {X + 1, Y}, {X, Y - 1}, {X, Y - 4}}); break;
      default: break;
    }
  } else {
    switch (Direction) {
      case 0: a.Fill({TPoint{X, Y - 5}, {X + 4, Y}, {X - 4, Y}}); break;
      case 1: a.Fill({TPoint{X, Y + 1}, {X - 3, Y - 3}, {X + 4, Y - 3}}); break;
      case 2: a.Fill({TPoint{X, Y}, {X + 4, Y - 4}, {X + 4, Y + 4}}); break;
      case 3: a.Fill({TPoint{X + 4, Y}, {X, Y + 4}, {X, Y - 4}}); break;
      default: break;
    }
  }
}

void PaintCloseGlyph(TCanvas* Canvas, const TRect& Bounds, bool Themed, bool Enabled, bool Pressed) {
  ArrowPainter a(Canvas, Bounds, Themed, Enabled);
  if (Enabled && Pressed) ++a.X, ++a.Y;
  Integer X = a.X, Y = a.Y;
  a.Fill({TPoint{X, Y - 1}, {X + 3, Y - 4}, {X + 5, Y - 4}, {X + 5, Y - 3}, {X + 2, Y}, {X + 5, Y + 4},
          {X + 5, Y + 5}, {X + 3, Y + 5}, {X, Y + 1}, {X - 3, Y + 5}, {X - 4, Y + 5}, {X - 4, Y + 3},
          {X - 1, Y}, {X - 4, Y - 3}, {X - 4, Y - 4}, {X - 3, Y - 5}});
}

void PaintCheckGlyph(TCanvas* Canvas, const TRect& Bounds, TCheckBoxState State, Integer DrawState, bool Focused,
                     bool ReadOnly, bool ReadOnlyColorOnFocus, TWbButtonHotTrackStyle HotTrackStyle,
                     TColor FrameColor, TColor FillColor, TColor FocusColor, TColor DisabledColor,
                     TColor ReadOnlyColor, TColor MarkColor, TColor HotFrameColor, TColor HotLightColor) {
  const bool hot = DrawState == 2;
  TRect inner = PaintBox(Canvas, Bounds, hot && HotTrackStyle == htsFrame ? HotFrameColor : FrameColor);
  TColor fill;
  if (DrawState == 1) {
    fill = DarkenColor(FocusColor, 20);
  } else if (DrawState == 3) {
    fill = DisabledColor;
    MarkColor = clBtnShadow;
  } else if (Focused) {
    fill = ReadOnly && ReadOnlyColorOnFocus ? ReadOnlyColor : FocusColor;
  } else {
    fill = ReadOnly ? ReadOnlyColor : FillColor;
  }
  Canvas->GetBrush()->SetColor(fill);
  Canvas->FillRect(inner);
  if (State == cbChecked) {
    // Columns 2..8 of the tick, each three pixels tall.
    const Integer firstRow[] = {4, 5, 6, 5, 4, 3, 2};
    for (Integer i = 0; i < 7; ++i)
      for (Integer j = 0; j < 3; ++j) Canvas->SetPixel(inner.Left + 2 + i, inner.Top + firstRow[i] + j, MarkColor);
  } else if (State == cbGrayed) {
    Canvas->GetBrush()->SetColor(MarkColor);
    Canvas->FillRect({inner.Left + 2, inner.Top + 2, inner.Right - 2, inner.Bottom - 2});
  }
  if (hot) {
    if (HotTrackStyle == htsInterior)
      PaintHighlightRing(Canvas, inner, gdDiagonalDown, HotLightColor, HotFrameColor);
    else
      PaintBox(Canvas, inner, HotFrameColor);
  }
}

void PaintHighlightRing(TCanvas* Canvas, const TRect& Bounds, TGradientDirection Direction, TColor StartColor,
                        TColor StopColor) {
  if (!FullColorDisplay) return;
  HDC dc = Canvas->GetHandle();
  // Keep the caller's clipping: it is put back afterwards.
  HRGN saved = CreateRectRgn(0, 0, 0, 0);
  bool hadClip = GetClipRgn(dc, saved) == 1;
  ExcludeClipRect(dc, Bounds.Left + 2, Bounds.Top + 2, Bounds.Right - 2, Bounds.Bottom - 2);
  PaintGradientArea(Canvas, Bounds, Direction, StartColor, StopColor, 1);
  SelectClipRgn(dc, hadClip ? saved : nullptr);
  DeleteObject(saved);
}
