// Painting of the tab control: everything goes into one off-screen bitmap (background, tabs from
// the back row to the front, cards, the current tab last) that is copied to the screen in one step.
// Outlines and card frames are recorded as drawing commands first, so that the two shadow blends
// can read the parent's background.

#include <algorithm>

#include "gdi/Blits.h"
#include "gdi/DeviceContexts.h"
#include "gdi/Fonts.h"
#include "gdi/Regions.h"
#include "gdi/Text.h"
#include "toolkit/controls/WbGrafx.h"
#include "toolkit/controls/WbTabs.h"
#include "user/Rects.h"

namespace {
struct Piece {
  String Text;
  bool Underline;
};

// A line cut at its first "&": before it, the accelerator (underlined) and the rest. "&&" is one
// "&" without underline; a final "&" is not drawn.
std::vector<Piece> LinePieces(const String& Line) {
  size_t at = Line.find('&');
  if (at == String::npos) return {{Line, false}};
  std::vector<Piece> pieces;
  if (at > 0) pieces.push_back({Line.substr(0, at), false});
  if (at + 1 >= Line.size()) return pieces;
  if (Line[at + 1] == '&') {
    pieces.push_back({"&" + Line.substr(at + 2), false});
    return pieces;
  }
  pieces.push_back({Line.substr(at + 1, 1), true});
  if (at + 2 < Line.size()) pieces.push_back({Line.substr(at + 2), false});
  return pieces;
}
}  // namespace

// ---- Paint ------------------------------------------------------------------------------------

void TWbCustomTabControl::Paint() {
  FPaintedOnce = true;
  UpdateLayout();
  if (FBitmap->GetWidth() != GetWidth() || FBitmap->GetHeight() != GetHeight()) FBitmap->SetSize(GetWidth(), GetHeight());
  TCanvas* c = FBitmap->GetCanvas();
  const TRect client{0, 0, GetWidth(), GetHeight()};
  // Only what the screen needs is drawn: tabs and shadows outside it are skipped.
  GetClipBox(GetCanvas()->GetHandle(), &FPaintClip);
  HDC dc = c->GetHandle();
  // The canvas lets go of its pens and brushes around the saved state, which would otherwise
  // bring back objects it has since deleted.
  c->Refresh();
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, FPaintClip.Left, FPaintClip.Top, FPaintClip.Right, FPaintClip.Bottom);
  bool handled = false;
  PaintBackground(c, client, handled);
  if (!handled) {
    if (FTransparent) {
      PaintParentBackground(this, c, false);
    } else {
      c->GetBrush()->SetStyle(bsSolid);
      c->GetBrush()->SetColor(FBackgroundColor);
      c->FillRect(client);
    }
  }
  PlaceButtons();
  for (TWbTabButton* b : {static_cast<TWbTabButton*>(FMenuButton), static_cast<TWbTabButton*>(FCloseButton),
                          static_cast<TWbTabButton*>(FScroller)})
    if (b) b->Invalidate();
  PaintTabsAndCards(c);
  c->Refresh();
  if (saved) RestoreDC(dc, saved);
  GetCanvas()->CopyRect(client, c, client);
  FHotTrackOnly = false;
}

void TWbCustomTabControl::PaintBackground(TCanvas* Canvas, const TRect& Rect, bool& Handled) {
  FOnPaintBackground(this, Canvas, Rect, Handled);
}

void TWbCustomTabControl::PaintCardBackground(TCanvas* Canvas, Integer Row, const TRect& Rect, bool& Handled) {
  FOnPaintCardBackground(this, Canvas, Row, Rect, Handled);
}

void TWbCustomTabControl::PaintTabBackground(TCanvas* Canvas, Integer TabIndex, const TRect& Rect, bool& Handled) {
  FOnPaintTabBackground(this, Canvas, TabIndex, Rect, Handled);
}

void TWbCustomTabControl::QueryTextColor(Integer TabIndex, TWbTextStyle Style, TColor& Color) {
  bool handled = false;
  TColor asked = Color;
  FOnGetTextColor(this, TabIndex, Style, asked, handled);
  if (handled) Color = asked;
}

void TWbCustomTabControl::PaintTabsAndCards(TCanvas* Canvas) {
  const Integer n = FTabs->GetCount();
  Integer b = 0;
  for (Integer i = 0; i < n; ++i)
    if (FTabs->GetItems(i)->TabVisible && FTabs->GetItems(i)->Row == 0) {
      b = i;
      break;
    }
  Integer c = FTabRowCount - 1;
  if (n > 0) {
    const Integer start = b == 0 ? n - 1 : b - 1;
    Integer i = start;
    do {
      TWbTabData* tab = FTabs->GetItems(i);
      if (tab->TabVisible && TabFullyShown(i) && i >= FFirstVisibleTab && i != FTabIndex) {
        if (tab->Row < c && c > 0) {
          PaintCard(Canvas, c);
          c = tab->Row;
        }
        PaintTab(Canvas, i);
      }
      i = i == 0 ? n - 1 : i - 1;
    } while (i != start);
  }
  if (c == 1) PaintCard(Canvas, 1);
  if (FTabIndex >= 0 && FTabIndex < n && FTabIndex >= FFirstVisibleTab && TabFullyShown(FTabIndex))
    PaintTab(Canvas, FTabIndex);
  PaintCard(Canvas, 0);
}

// ---- One tab ----------------------------------------------------------------------------------

void TWbCustomTabControl::PaintTab(TCanvas* Canvas, Integer Index) {
  const TRect R = TabClientRect(Index);
  HDC dc = Canvas->GetHandle();
  RECT clip, both;
  GetClipBox(dc, &clip);
  if (!IntersectRect(&both, &clip, &R)) return;
  // A tab whose region cannot be made is left out of this paint rather than failing it.
  HRGN region = TabShapeRegion(Index, R);
  if (!region) return;
  Canvas->Refresh();
  const int saved = SaveDC(dc);
  if (!saved) return;
  SelectClipRgn(dc, region);
  bool handled = false;
  PaintTabBackground(Canvas, Index, R, handled);
  if (!handled) {
    TWbTabData* tab = FTabs->GetItems(Index);
    TColor fill = GetColor(), light = FTabColors->GetUnselected(), shadow = FTabColors->GetShadow();
    if (FUseColoredTabs) {
      fill = light = tab->Color;
      shadow = ColorToRGB(tab->Color) == 0xFFFFFF ? clBtnFace : DarkenColor(tab->Color, 30);
    }
    Canvas->GetBrush()->SetStyle(bsSolid);
    if (Index == FTabIndex) {
      Canvas->GetBrush()->SetColor(fill);
      Canvas->FillRect(R);
    } else if (FUseGradients && FullColorDisplay) {
      switch (FTabOrientation) {
        case toTop: PaintGradientArea(Canvas, R, gdHorizontalEnd, light, shadow, 1); break;
        case toLeft: PaintGradientArea(Canvas, R, gdVerticalEnd, light, shadow, 1); break;
        case toBottom: PaintGradientArea(Canvas, R, gdHorizontalEnd, shadow, light, 1); break;
        case toRight: PaintGradientArea(Canvas, R, gdVerticalEnd, shadow, light, 1); break;
      }
    } else {
      Canvas->GetBrush()->SetColor(light);
      Canvas->FillRect(R);
    }
  }
  PaintTabContents(Canvas, Index);
  Canvas->Refresh();
  RestoreDC(dc, saved);
  RecordOutline(Index);
  ExecuteCommands(Canvas);
}

void TWbCustomTabControl::PaintHotBar(TCanvas* Canvas, Integer Index, TColor Color) {
  TRect r = TabClientRect(Index);
  InflateRect(&r, 1, 1);
  switch (FTabOrientation) {
    case toTop: r.Bottom = r.Top + 6; break;
    case toLeft: r.Right = r.Left + 6; break;
    case toBottom: r.Top = r.Bottom - 4; break;
    case toRight: r.Left = r.Right - 4; break;
  }
  Canvas->GetBrush()->SetStyle(bsSolid);
  Canvas->GetBrush()->SetColor(Color);
  Canvas->FillRect(r);
}

void TWbCustomTabControl::PaintTabContents(TCanvas* Canvas, Integer Index) {
  TWbTabData* tab = FTabs->GetItems(Index);
  const TRect C = ContentRect(Index);
  TSize image{0, 0};
  if (FImages && tab->ImageIndex != -1) image = {FImages->GetWidth(), FImages->GetHeight()};
  const Integer m = tab->ImageIndex != -1 ? FImageMargin : 0;
  TRect text = C, pic = C;
  switch (FImagePosition) {
    case ipLeft: text.Left += image.cx + m, pic.Right = pic.Left + image.cx; break;
    case ipTop: text.Top += image.cy + m, pic.Bottom = pic.Top + image.cy; break;
    case ipRight: text.Right -= image.cx + m, pic.Left = pic.Right - image.cx; break;
    case ipBottom: text.Bottom -= image.cy + m, pic.Top = pic.Bottom - image.cy; break;
    default: break;
  }
  if (FImages && tab->ImageIndex != -1) {
    Integer x = pic.Left, y = pic.Top;
    if (FImagePosition != ipStretch) {
      if (FImageAlignment == haCenter) x += (pic.Right - pic.Left - image.cx) / 2;
      if (FImageAlignment == haRight) x = pic.Right - image.cx;
      if (FImageAlignmentVertical == vaCenter) y += (pic.Bottom - pic.Top - image.cy) / 2;
      if (FImageAlignmentVertical == vaBottom) y = pic.Bottom - image.cy;
    }
    if (tab->DisabledIndex == -1) FImages->Draw(Canvas, x, y, tab->ImageIndex, tab->TabEnabled);
    else FImages->Draw(Canvas, x, y, tab->TabEnabled ? tab->ImageIndex : tab->DisabledIndex, true);
  }
  const bool current = Index == FTabIndex;
  const bool bold = FBoldCurrentTab && current;
  TColor color;
  if (!tab->TabEnabled) {
    color = FTextColors->GetDisabledHighlight();
    QueryTextColor(Index, tsDisabledHighlight, color);
    if (!tab->Caption.empty()) PaintCaption(Canvas, Index, text, color, bold, 1);
    color = FTextColors->GetDisabledShadow();
    QueryTextColor(Index, tsDisabledShadow, color);
  } else if (FHotTrack && Index == FHotTab) {
    TColor hot = FHotTrackColorType == htctActual ? FHotTrackColor : OppositeHueColor(FHotTrackColor, 140);
    color = FHotTrackStyle == htsText ? hot : FTextColors->GetSelected();
    QueryTextColor(Index, tsHotTrack, color);
    if (FHotTrackStyle == htsTab) PaintHotBar(Canvas, Index, hot);
  } else if (current) {
    color = FTextColors->GetSelected();
    QueryTextColor(Index, tsSelected, color);
    if (FHotTrack && FHotTrackStyle == htsTab) PaintHotBar(Canvas, Index, FTabColors->GetHighlightBar());
  } else {
    color = FTextColors->GetUnselected();
    QueryTextColor(Index, tsUnselected, color);
  }
  if (!tab->Caption.empty()) PaintCaption(Canvas, Index, text, color, bold, 0);
  if (FShowFocusRect && current && Focused()) {
    TRect f = text;
    if (Vertical()) InflateRect(&f, 0, 1); else InflateRect(&f, 1, 0), ++f.Bottom;
    if (FTabStyle == tsRoundCorners) {
      switch (FTabOrientation) {
        case toTop: ++f.Top; break;
        case toLeft: f.Left += 2; break;
        case toBottom: --f.Bottom; break;
        case toRight: f.Right -= 2; break;
      }
    }
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(clWhite);
    Canvas->GetFont()->SetColor(clBlack);
    Canvas->DrawFocusRect(f);
  }
}

void TWbCustomTabControl::PaintCaption(TCanvas* Canvas, Integer Index, const TRect& T, TColor Color, bool Bold,
                                       Integer Shift) {
  HDC dc = Canvas->GetHandle();
  Canvas->Refresh();
  const int saved = SaveDC(dc);
  if (!saved) return;
  HFONT plain = CreateCaptionFont(Bold, false), underlined = CreateCaptionFont(Bold, true);
  SelectObject(dc, plain);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Color));
  const bool vtext = FTextOrientation == orVertical, down = FTabOrientation == toRight;
  const std::vector<String> lines = TabCaptionLines(FTabs->GetItems(Index)->Caption);
  std::vector<TSize> sizes;
  TSize block{0, 0};
  for (const String& line : lines) {
    String shown;
    for (const Piece& p : LinePieces(line)) shown += p.Text;
    TSize e = MeasureLine(dc, shown);
    sizes.push_back(e);
    // e.cx runs along the text, e.cy across it.
    block.cx = std::max(block.cx, e.cx);
    block.cy += e.cy;
  }
  auto place = [](Integer from, Integer to, Integer size, Integer how) {
    return how == 0 ? from : how == 1 ? from + (to - from - size) / 2 : to - size;
  };
  const Integer hAlign = FTextAlignment, vAlign = FTextAlignmentVertical;
  Integer across = vtext ? place(T.Left, T.Right, block.cy, hAlign) : place(T.Top, T.Bottom, block.cy, vAlign);
  if (vtext && down) across += block.cy;
  for (size_t k = 0; k < lines.size(); ++k) {
    const TSize e = sizes[k];
    Integer x, y;
    if (!vtext) {
      x = place(T.Left, T.Right, e.cx, hAlign), y = across;
      across += e.cy;
    } else if (!down) {
      // Turned 90 degrees: read upwards, starting at the bottom end.
      x = across;
      y = vAlign == vaBottom ? T.Bottom : vAlign == vaTop ? T.Top + e.cx : T.Bottom - (T.Bottom - T.Top - e.cx) / 2;
      across += e.cy;
    } else {
      // Turned 270 degrees: read downwards, lines following each other to the left.
      x = across;
      y = vAlign == vaTop ? T.Top : vAlign == vaBottom ? T.Bottom - e.cx : T.Top + (T.Bottom - T.Top - e.cx) / 2;
      across -= e.cy;
    }
    x += Shift, y += Shift;
    for (const Piece& p : LinePieces(lines[k])) {
      SelectObject(dc, p.Underline ? underlined : plain);
      TextOut(dc, x, y, p.Text.c_str(), int(p.Text.size()));
      const Integer advance = MeasureLine(dc, p.Text).cx;
      if (!vtext) x += advance;
      else if (!down) y -= advance;
      else y += advance;
    }
  }
  RestoreDC(dc, saved);
  DeleteObject(plain);
  DeleteObject(underlined);
}

// ---- Cards ------------------------------------------------------------------------------------

void TWbCustomTabControl::PaintCard(TCanvas* Canvas, Integer Row) {
  TRect R = CardRect(Row);
  if (IsRectEmpty(&R)) return;
  if (FCardVisible) ++R.Right, ++R.Bottom;
  bool handled = false;
  PaintCardBackground(Canvas, Row, R, handled);
  if (!handled) {
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(FUseColoredTabs && FTabIndex >= 0 && FTabIndex < FTabs->GetCount()
                                     ? FTabs->GetItems(FTabIndex)->Color
                                     : GetColor());
    Canvas->FillRect(R);
  }
  if (!FShowCardFrame) return;
  RecordCardFrame(Row);
  ExecuteCommands(Canvas);
}

// ---- Drawing commands -------------------------------------------------------------------------

void TWbCustomTabControl::RecordOutline(Integer Index) {
  FCommands.clear();
  TPoint P[6];
  Integer n = 0;
  if (!TabClientShape(Index, P, n)) return;
  FCommands.push_back({0, 0, Index});
  FCommands.push_back({1, 0, 0});
  auto move = [&](TPoint p) { FCommands.push_back({2, p.X, p.Y}); };
  auto line = [&](TPoint p) { FCommands.push_back({3, p.X, p.Y}); };
  if (FTabStyle != tsRoundCorners) {
    move(P[0]);
    for (Integer i = 1; i < n; ++i) line(P[i]);
  } else if (FTabOrientation != toLeft) {
    move(P[4]), line(P[5]);
    move(P[4]), line(P[3]), line(P[2]), line(P[1]), line(P[0]);
  } else {
    move(P[1]), line(P[0]);
    move(P[1]), line(P[2]), line(P[3]), line(P[4]), line(P[5]);
  }
}

void TWbCustomTabControl::RecordCardFrame(Integer Row) {
  FCommands.clear();
  const TRect R = CardRect(Row);
  const TPoint TL{R.Left, R.Top}, TR{R.Right, R.Top}, BR{R.Right, R.Bottom}, BL{R.Left, R.Bottom};
  FCommands.push_back({0, 1, Row});
  FCommands.push_back({1, 0, 0});
  auto M = [&](TPoint p) { FCommands.push_back({2, p.X, p.Y}); };
  auto L = [&](TPoint p) { FCommands.push_back({3, p.X, p.Y}); };
  auto at = [](TPoint p, Integer dx, Integer dy) { return TPoint{p.X + dx, p.Y + dy}; };
  const bool shadowCase = FTabOrientation == toTop && FTabSequence == tsStandard && FShowShadow;
  auto shadow = [&] {
    // The two-pixel bands right of and below the frame.
    RECT right{R.Right - 1, R.Top, R.Right + 1, R.Bottom + 1}, below{R.Left, R.Bottom - 1, R.Right + 1, R.Bottom + 1}, both;
    if (FHotTrackOnly || (!IntersectRect(&both, &right, &FPaintClip) && !IntersectRect(&both, &below, &FPaintClip)))
      return;
    M(at(TR, -1, 1));
    FCommands.push_back({4, BR.X - 1, BR.Y - 1});
    FCommands.push_back({4, BL.X, BL.Y - 1});
    M(at(TR, -1, 0));
    for (TPoint p : {TR, BR, BL, at(BL, 0, -1)}) FCommands.push_back({5, p.X, p.Y});
  };
  const bool open = FTabIndex >= 0 && FTabIndex < FTabs->GetCount() && Row == 0 && TabFullyShown(FTabIndex);
  if (!open) {
    if (shadowCase) {
      M(TL), L(at(TR, -2, 0)), L(at(BR, -2, -2)), L(at(BL, 0, -2)), L(TL);
      shadow();
    } else {
      M(TL), L(TR);
      if (FShowFullFrame) L(BR), L(BL), L(TL);
    }
    return;
  }
  const TRect s = TabStripRect(FTabIndex);
  TPoint G1 = StripToClient({s.Left + 1, s.Bottom}), G2 = StripToClient({s.Right, s.Bottom});
  // The gap runs from G1 to G2 in the frame's direction on every side, whatever the sequence.
  if (FTabSequence == tsReverse) std::swap(G1, G2);
  const bool full = FShowFullFrame;
  if (FTabStyle != tsRoundCorners) {
    switch (FTabOrientation) {
      case toTop:
        if (shadowCase) {
          M(TL), L(G1), M(G2), L(at(TR, -2, 0));
          if (full) L(at(BR, -2, -2)), L(at(BL, 0, -2)), L(at(TL, 0, -1));
          shadow();
        } else if (full) {
          M(TL), L(G1), M(G2), L(TR), L(BR), L(BL), L(TL);
        } else {
          M(TL), L(G1), M(G2), L(at(TR, 1, 0));
        }
        break;
      case toLeft:
        if (full) M(TL), L(TR), L(BR), L(BL), L(G1), M(G2), L(TL);
        else M(at(BL, -1, 0)), L(at(G1, -1, 0)), M(at(G2, -1, 0)), L(at(TL, -1, 0));
        break;
      case toBottom:
        if (full) M(TL), L(TR), L(BR), L(at(G2, -1, 0)), M(at(G1, -1, 0)), L(BL), L(TL);
        else M(at(BR, 0, 1)), L(at(G2, -1, 1)), M(at(G1, -1, 1)), L(at(BL, 0, 1));
        break;
      case toRight:
        if (full) M(TL), L(TR), L(G1), M(G2), L(BR), L(BL), L(TL);
        else M(at(TR, 1, 0)), L(at(G1, 1, 0)), M(at(G2, 1, 0)), L(at(BR, 1, 1));
        break;
    }
    return;
  }
  auto joint = [&] { M(G2), L(at(G2, 1, 0)); };
  switch (FTabOrientation) {
    case toTop:
      if (shadowCase) {
        M(at(BL, 0, -2)), L(TL), L(G1), M(G2), L(at(TR, -2, 0)), L(at(BR, -2, -2)), L(at(BL, -1, -2));
        shadow();
      } else if (full) {
        M(BL), L(TL), L(G1), M(G2), L(TR), L(BR), L(at(BL, -1, 0));
      } else {
        M(TL), L(G1), M(G2), L(at(TR, 1, 0));
      }
      joint();
      break;
    case toLeft:
      if (full) M(BL), L(G1), M(G2), L(TL), L(TR), L(BR), L(at(BL, -1, 0));
      else M(at(BL, -1, 0)), L(at(G1, -1, 0)), M(at(G2, -1, 0)), L(at(TL, -1, 0));
      break;
    case toBottom:
      if (full) M(BL), L(TL), L(TR), L(BR), L(at(G2, -1, 0)), M(at(G1, -1, 0)), L(BL);
      else M(at(BR, 0, 1)), L(at(G2, -1, 1)), M(at(G1, -1, 1)), L(at(BL, -1, 1));
      break;
    case toRight:
      if (full) M(BL), L(TL), L(at(TR, 1, 0)), M(TR), L(G1), M(G2), L(BR), L(at(BL, -1, 0));
      else M(at(TR, 1, 0)), L(at(G1, 1, 0)), M(at(G2, 1, 0)), L(at(BR, 1, 1));
      break;
  }
}

void TWbCustomTabControl::ExecuteCommands(TCanvas* Canvas) {
  const bool shadows = std::any_of(FCommands.begin(), FCommands.end(), [](const Command& c) { return c.Kind >= 4; });
  std::unique_ptr<TBitmap> parent;
  if (shadows) {
    parent = std::make_unique<TBitmap>();
    parent->SetSize(GetWidth(), GetHeight());
    PaintParentBackground(this, parent->GetCanvas(), false);
  }
  TColor lineColor = AdjustedFlatColor();
  TPoint pen{0, 0};
  for (const Command& c : FCommands) {
    switch (c.Kind) {
      case 0: lineColor = AdjustedFlatColor(); break;
      case 1:
        Canvas->GetPen()->SetStyle(psSolid);
        Canvas->GetPen()->SetWidth(1);
        Canvas->GetPen()->SetColor(lineColor);
        break;
      case 2:
        Canvas->MoveTo(c.X, c.Y);
        pen = {c.X, c.Y};
        break;
      case 3:
        Canvas->LineTo(c.X, c.Y);
        pen = {c.X, c.Y};
        break;
      default: {
        const Byte weight = c.Kind == 4 ? 30 : 15;
        const Integer dx = c.X > pen.X ? 1 : c.X < pen.X ? -1 : 0, dy = c.Y > pen.Y ? 1 : c.Y < pen.Y ? -1 : 0;
        for (TPoint p = pen;; p.X += dx, p.Y += dy) {
          Canvas->SetPixel(p.X, p.Y, MixColors(clBlack, parent->GetCanvas()->GetPixel(p.X, p.Y), weight));
          if (p.X == c.X && p.Y == c.Y) break;
          if (dx == 0 && dy == 0) break;
        }
        Canvas->MoveTo(c.X, c.Y);
        pen = {c.X, c.Y};
      }
    }
  }
}
