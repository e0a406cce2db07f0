// Geometry of the tab control: measuring captions, laying the tabs out along the strip in one or
// several rows, turning strip coordinates onto the control's side, tab outlines and regions, the
// hit test, the card and page rectangles, scrolling and the places of the strip buttons.

#include <algorithm>
#include <cstdlib>

#include "gdi/DeviceContexts.h"
#include "gdi/Fonts.h"
#include "gdi/Regions.h"
#include "gdi/Text.h"
#include "toolkit/controls/WbTabs.h"
#include "user/Rects.h"

std::vector<String> TabCaptionLines(const String& Caption) {
  std::vector<String> lines;
  size_t start = 0;
  for (;;) {
    size_t at = Caption.find("\r\n", start);
    lines.push_back(Caption.substr(start, at == String::npos ? String::npos : at - start));
    if (at == String::npos) break;
    start = at + 2;
  }
  return lines;
}

namespace {
// The first "&" marks the accelerator and is not measured ("&&" counts as one "&"); a final "&"
// is shown as it is.
String WithoutAccelerator(const String& Line) {
  size_t at = Line.find('&');
  if (at == String::npos || at + 1 >= Line.size()) return Line;
  String out = Line;
  out.erase(at, 1);
  return out;
}
}  // namespace

// ---- Measuring --------------------------------------------------------------------------------

HFONT TWbCustomTabControl::CreateCaptionFont(bool Bold, bool Underline) const {
  TFont font;
  font.Assign(GetFont());
  TFontStyles style = font.GetStyle();
  if (Bold) style.Include(fsBold);
  if (Underline) style.Include(fsUnderline);
  font.SetStyle(style);
  Integer angle = FTextOrientation == orVertical ? (FTabOrientation == toRight ? 270 : 90) : 0;
  return CreateRotatedFont(&font, angle);
}

TSize TWbCustomTabControl::MeasureLine(HDC DC, const String& Line) {
  SIZE size{0, 0};
  if (!GetTextExtentPoint32(DC, Line.c_str(), int(Line.size()), &size)) return {0, 0};
  return {size.cx, size.cy};
}

TSize TWbCustomTabControl::CaptionExtent(const String& Caption, bool Bold) {
  HDC dc = FBitmap->GetCanvas()->GetHandle();
  FBitmap->GetCanvas()->Refresh();
  const int saved = SaveDC(dc);
  HFONT font = CreateCaptionFont(Bold, false);
  HGDIOBJ old = SelectObject(dc, font);
  const bool vertical = FTextOrientation == orVertical;
  TSize total{0, 0};
  for (const String& line : TabCaptionLines(Caption)) {
    TSize e = MeasureLine(dc, WithoutAccelerator(line));
    if (vertical) std::swap(e.cx, e.cy);
    if (vertical) {
      total.cx += e.cx;
      total.cy = std::max(total.cy, e.cy);
    } else {
      total.cx = std::max(total.cx, e.cx);
      total.cy += e.cy;
    }
  }
  SelectObject(dc, old);
  DeleteObject(font);
  if (saved) RestoreDC(dc, saved);
  return total;
}

// ---- Sizes ------------------------------------------------------------------------------------

Integer TWbCustomTabControl::StyleOverlap(Integer X) const {
  switch (FTabStyle) {
    case tsSingleSlant:
    case tsBackSlant: return X / 2;
    case tsDoubleSlant: return X;
    default: return FTabOverlap;
  }
}

TSize TWbCustomTabControl::MinTextSize() {
  TSize e = CaptionExtent(FTabStyle == tsRoundCorners ? "AAA" : "A", false);
  const Integer h = std::abs(GetFont()->GetHeight());
  return FTextOrientation == orVertical ? TSize{h, e.cy} : TSize{e.cx, h};
}

TSize TWbCustomTabControl::ContentSize(Integer Index, bool MinAtLeast) {
  TWbTabData* tab = FTabs->GetItems(Index);
  if (!tab->TabVisible) return {0, 0};
  TSize image{0, 0};
  if (FImages && tab->ImageIndex != -1) image = {FImages->GetWidth(), FImages->GetHeight()};
  TSize text = CaptionExtent(tab->Caption, FBoldCurrentTab);
  TSize c;
  switch (FImagePosition) {
    case ipLeft:
    case ipRight: c = {FImageMargin + image.cx + text.cx, std::max(image.cy, text.cy)}; break;
    case ipTop:
    case ipBottom: c = {std::max(image.cx, text.cx), FImageMargin + image.cy + text.cy}; break;
    case ipBack: c = {std::max(image.cx, text.cx), std::max(image.cy, text.cy)}; break;
    case ipStretch: c = text; break;
  }
  TSize least = MinTextSize();
  if (MinAtLeast || FTabWidth == 0) c.cx = std::max(c.cx, least.cx);
  if (MinAtLeast || FTabHeight == 0) c.cy = std::max(c.cy, least.cy);
  return c;
}

TSize TWbCustomTabControl::TabSizeFromContent(TSize Content) const {
  const Integer w = Content.cx + 2, h = Content.cy + 2, C = FCutCornerSize;
  const bool side = Vertical(), vtext = FTextOrientation == orVertical;
  TSize s;
  switch (FTabStyle) {
    case tsSingleSlant:
    case tsBackSlant:
      s = side ? TSize{w + 4, h + 2 * StyleOverlap(w + 4) + 4 + FTabHeight / 2}
               : TSize{w + 2 * StyleOverlap(h + 4) + 4 + FTabHeight / 2, h + 4};
      break;
    case tsDoubleSlant:
      s = side ? TSize{w + 4, h + 2 * StyleOverlap(w) + 4 + FTabHeight} : TSize{w + 2 * StyleOverlap(h) + 4 + FTabHeight, h + 4};
      break;
    case tsCutCorner:
      if (!vtext) s = side ? TSize{w + C + 5, h + 8} : TSize{w + 2 * C + 6, h + 5};
      else s = side ? TSize{w + 5, h + 2 * C + 6} : TSize{w + 8, h + C + 5};
      break;
    case tsRoundCorners: s = vtext ? TSize{w + 4, h + 14} : TSize{w + 14, h + 4}; break;
  }
  if (FTabWidth > 0) s.cx = FTabWidth;
  if (FTabHeight > 0) s.cy = FTabHeight;
  return s;
}

Integer TWbCustomTabControl::ButtonSize() const {
  auto* self = const_cast<TWbCustomTabControl*>(this);
  TSize e = self->CaptionExtent("A", false);
  const bool vtext = FTextOrientation == orVertical;
  const Integer a = vtext ? e.cx + 2 : e.cy + 4;
  const bool fixedAcross = (!Vertical() && !vtext && FTabHeight >= 1) || (Vertical() && vtext && FTabWidth >= 1);
  return fixedAcross ? std::max(a, FFixedDimension - 2) : std::min(a, FFixedDimension - 2);
}

Integer TWbCustomTabControl::CloseSize() const {
  return FShowCloseButton && FTabs->GetCount() > 0 ? ButtonSize() : 0;
}

Integer TWbCustomTabControl::MenuSize() const { return FShowMenuButton && FTabs->GetCount() > 0 ? ButtonSize() : 0; }

Integer TWbCustomTabControl::AvailableLength() const {
  Integer avail = TabStripLength() - 2 * FMargin;
  if (FMultiLine) return avail - (FTabRowCount - 1) * FRowIndent;
  if (FShowCloseButton) avail -= CloseSize() + 2;
  if (FShowMenuButton) avail -= MenuSize() + 2;
  return avail - (2 * ButtonSize() + 2);
}

Integer TWbCustomTabControl::TabLength(Integer Index, TSize MaxContent, Integer Limit) {
  TSize c = ContentSize(Index, false);
  if (Vertical()) c.cx = std::max(c.cx, MaxContent.cx); else c.cy = std::max(c.cy, MaxContent.cy);
  TSize s = TabSizeFromContent(c);
  Integer along = Vertical() ? s.cy : s.cx;
  // A control too small for one tab still gives every tab a length of at least one pixel.
  return std::max<Integer>(1, std::min(along, Limit - (FTabStyle == tsRoundCorners ? 4 : 0)));
}

Integer TWbCustomTabControl::FirstVisibleIndex() const {
  for (Integer i = 0; i < FTabs->GetCount(); ++i)
    if (FTabs->GetItems(i)->TabVisible) return i;
  return -1;
}

Integer TWbCustomTabControl::LastVisibleIndex() const {
  for (Integer i = FTabs->GetCount() - 1; i >= 0; --i)
    if (FTabs->GetItems(i)->TabVisible) return i;
  return -1;
}

// ---- Rows -------------------------------------------------------------------------------------

Integer TWbCustomTabControl::CountRows(TSize MaxContent) {
  if (!FMultiLine) return 1;
  std::vector<Integer> visible;
  for (Integer i = 0; i < FTabs->GetCount(); ++i)
    if (FTabs->GetItems(i)->TabVisible) visible.push_back(i);
  const Integer n = Integer(visible.size()), ov = StyleOverlap(FFixedDimension);
  Integer A = 1, K = 1, x = FMargin, B = TabStripLength() - 2 * FMargin;
  for (Integer j = 0; j < n;) {
    const Integer L = TabLength(visible[j], MaxContent, B);
    if (x + L < B) {
      x += L - ov + 1;
      ++j;
      continue;
    }
    if (K < A) {
      ++K;
      if (x == FMargin) ++j;
    } else if (x != FMargin || j != n - 1) {
      // Each tab needs at most one row of its own, so this stops by n + 1 rows.
      if (A > n) break;
      ++A;
      K = 1;
      B -= FRowIndent;
      j = 0;
    } else {
      break;
    }
    x = FMargin;
  }
  return K;
}

void TWbCustomTabControl::LayoutTabs() {
  // Depth of a row.
  TSize maxContent{0, 0}, maxTab{0, 0};
  bool any = false;
  for (Integer i = 0; i < FTabs->GetCount(); ++i) {
    if (!FTabs->GetItems(i)->TabVisible) continue;
    any = true;
    TSize c = ContentSize(i, false);
    maxContent = {std::max(maxContent.cx, c.cx), std::max(maxContent.cy, c.cy)};
    TSize t = TabSizeFromContent(ContentSize(i, true));
    maxTab = {std::max(maxTab.cx, t.cx), std::max(maxTab.cy, t.cy)};
  }
  if (!any) maxTab = TabSizeFromContent(MinTextSize());
  FFixedDimension = Vertical() ? maxTab.cx : maxTab.cy;

  FTabRowCount = 1;
  FTabRowCount = CountRows(maxContent);
  const Integer avail = AvailableLength(), ov = StyleOverlap(FFixedDimension);
  const Integer step = FFixedDimension - FRowOverlap;
  Integer y = TabAreaDepth() - FFixedDimension, r = 0;
  const bool reverse = FTabSequence == tsReverse;
  Integer x = reverse ? -FMargin : FMargin;
  for (Integer i = 0; i < FTabs->GetCount();) {
    TWbTabData* tab = FTabs->GetItems(i);
    if (!tab->TabVisible) {
      ++i;
      continue;
    }
    const Integer L = TabLength(i, maxContent, avail);
    const bool start = x == (reverse ? -FMargin : FMargin);
    const bool overflow = FMultiLine && (reverse ? x - L <= -avail : x + L >= avail);
    if (overflow) {
      if (start) {
        tab->StripRect = reverse ? TRect{x - L, y, x, y + FFixedDimension} : TRect{x, y, x + L, y + FFixedDimension};
        tab->Row = r;
        ++i;
      }
      ++r;
      y -= step;
      x = reverse ? -FMargin : FMargin;
      continue;
    }
    tab->StripRect = reverse ? TRect{x - L, y, x, y + FFixedDimension} : TRect{x, y, x + L, y + FFixedDimension};
    tab->Row = r;
    x = reverse ? x - L + ov - 1 : x + L - ov + 1;
    ++i;
  }
  if (reverse) {
    const Integer shift = FMultiLine ? GetWidth() : std::abs(x);
    for (Integer i = 0; i < FTabs->GetCount(); ++i)
      if (FTabs->GetItems(i)->TabVisible) OffsetRect(&FTabs->GetItems(i)->StripRect, shift, 0);
  }
  AlignRows();
}

void TWbCustomTabControl::AlignRows() {
  if (!FMultiLine || !FAlignTabs) return;
  if ((Vertical() ? FTabHeight : FTabWidth) != 0) return;
  const bool reverse = FTabSequence == tsReverse;
  std::vector<Integer> row;
  auto flush = [&] {
    if (row.empty()) return;
    TRect& F = FTabs->GetItems(row.front())->StripRect;
    TRect& G = FTabs->GetItems(row.back())->StripRect;
    Integer len = (reverse ? F.Right - G.Left : G.Right - F.Left) + (FTabStyle == tsRoundCorners ? 4 : 0);
    Integer extra = TabStripLength() - 2 * FMargin - (FTabRowCount - 1) * FRowIndent - len;
    if (extra >= 1) {
      const Integer n = Integer(row.size()), q = extra / n;
      Integer m = extra % n, s = 0;
      for (Integer i : row) {
        Integer t = s + q + (m > 0 ? 1 : 0);
        if (m > 0) --m;
        TRect& sr = FTabs->GetItems(i)->StripRect;
        if (reverse) sr.Left -= t, sr.Right -= s;
        else sr.Left += s, sr.Right += t;
        s = t;
      }
    }
    row.clear();
  };
  for (Integer i = 0; i < FTabs->GetCount(); ++i) {
    TWbTabData* tab = FTabs->GetItems(i);
    if (!tab->TabVisible) continue;
    if (!row.empty() && FTabs->GetItems(row.back())->Row != tab->Row) flush();
    row.push_back(i);
  }
  flush();
}

void TWbCustomTabControl::RotateRowsToFront(Integer Tab) {
  if (!FMultiLine || Tab < 0 || Tab >= FTabs->GetCount() || !FTabs->GetItems(Tab)->TabVisible) return;
  Integer M = 0;
  for (Integer i = 0; i < FTabs->GetCount(); ++i)
    if (FTabs->GetItems(i)->TabVisible) M = std::max(M, FTabs->GetItems(i)->Row);
  const Integer r0 = FTabs->GetItems(Tab)->Row;
  if (r0 == 0) return;
  std::vector<std::unique_ptr<TRectClass>> rows(size_t(M + 1));
  for (Integer i = 0; i < FTabs->GetCount(); ++i) {
    TWbTabData* tab = FTabs->GetItems(i);
    if (!tab->TabVisible || rows[size_t(tab->Row)]) continue;
    auto rect = std::make_unique<TRectClass>();
    rect->Left = tab->StripRect.Left, rect->Top = tab->StripRect.Top;
    rect->Right = tab->StripRect.Right, rect->Bottom = tab->StripRect.Bottom;
    rows[size_t(tab->Row)] = std::move(rect);
  }
  for (Integer i = 0; i < FTabs->GetCount(); ++i) {
    TWbTabData* tab = FTabs->GetItems(i);
    if (!tab->TabVisible) continue;
    tab->Row = (tab->Row + M - r0 + 1) % (M + 1);
    if (const TRectClass* at = rows[size_t(tab->Row)].get()) {
      tab->StripRect.Top = at->Top;
      tab->StripRect.Bottom = at->Bottom;
    }
  }
}

// ---- Areas and the transform ------------------------------------------------------------------

Integer TWbCustomTabControl::TabAreaDepth() const {
  const bool round = FTabStyle == tsRoundCorners;
  if (FCardVisible)
    return (round ? 3 : 0) + FFixedDimension + (FFixedDimension - FRowOverlap) * (FTabRowCount - 1);
  Integer d = Vertical() ? GetWidth() - 1 : GetHeight() - 1;
  if (round && (FTabOrientation == toBottom || FTabOrientation == toRight)) --d;
  return d;
}

TRect TWbCustomTabControl::TabAreaRect() const {
  const Integer D = TabAreaDepth(), W = GetWidth(), H = GetHeight();
  switch (FTabOrientation) {
    case toTop: return {0, 0, W - 1 - (FShowShadow && FTabSequence == tsStandard ? 2 : 0), D};
    case toLeft: return {0, 0, D, H - 1};
    case toBottom: return {0, H - 1 - D, W - 1, H - 1};
    case toRight: return {W - 1 - D, 0, W - 1, H - 1};
  }
  return {};
}

Integer TWbCustomTabControl::TabStripLength() const {
  TRect ta = TabAreaRect();
  return Vertical() ? ta.Bottom - ta.Top : ta.Right - ta.Left;
}

Integer TWbCustomTabControl::ScrollOffset() const {
  const Integer a = FMargin + (FTabStyle == tsRoundCorners ? 2 : 0);
  const bool standard = FTabSequence == tsStandard;
  if (FFirstVisibleTab < 0 || FFirstVisibleTab >= FTabs->GetCount()) return standard ? -a : a;
  const TRect& r = FTabs->GetItems(FFirstVisibleTab)->StripRect;
  return standard ? r.Left - a : r.Right + a;
}

TPoint TWbCustomTabControl::StripToClient(TPoint P) const {
  const TRect ta = TabAreaRect();
  const Integer S = ScrollOffset(), x = P.X, y = P.Y;
  const bool standard = FTabSequence == tsStandard;
  switch (FTabOrientation) {
    case toTop: return standard ? TPoint{x - S + ta.Left, y + ta.Top} : TPoint{ta.Right - S + x, y + ta.Top};
    case toLeft: return standard ? TPoint{y + ta.Left, ta.Bottom - (x - S)} : TPoint{y + ta.Left, S - x + ta.Top};
    case toBottom: return standard ? TPoint{x - S + ta.Left, ta.Bottom - y} : TPoint{ta.Right - S + x, ta.Bottom - y};
    case toRight: return standard ? TPoint{ta.Right - y, x - S + ta.Top} : TPoint{ta.Right - y, ta.Bottom - S + x};
  }
  return P;
}

TRect TWbCustomTabControl::TabStripRect(Integer Index) const {
  const TWbTabData* tab = FTabs->GetItems(Index);
  TRect r = tab->StripRect;
  OffsetRect(&r, (FTabSequence == tsStandard ? 1 : -1) * tab->Row * FRowIndent, 0);
  if (FTabStyle == tsRoundCorners && Index == FTabIndex) {
    r.Left -= 2;
    r.Right += 2;
    r.Top -= 2;
  }
  return r;
}

TRect TWbCustomTabControl::TabClientRect(Integer Index) const {
  const TRect s = TabStripRect(Index);
  const TPoint a = StripToClient({s.Left, s.Top}), b = StripToClient({s.Right, s.Bottom});
  return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

// ---- Outlines and regions ---------------------------------------------------------------------

bool TWbCustomTabControl::TabShapePoints(Integer Index, TPoint* P, Integer& Count) const {
  const TRect s = TabStripRect(Index);
  const Integer L = s.Left, T = s.Top, R = s.Right, B = s.Bottom, H = B - T, C = FCutCornerSize;
  auto set = [&](std::initializer_list<TPoint> points) {
    Count = 0;
    for (TPoint p : points) P[Count++] = p;
  };
  switch (FTabStyle) {
    case tsSingleSlant:
      if (FSoftCorners) set({{L, B}, {L, T + 2}, {L + 2, T}, {R - H - 4, T}, {R - H + 2, T + 2}, {R, B}});
      else set({{L, B}, {L, T + 2}, {L + 2, T}, {R - H, T}, {R, B}});
      break;
    case tsDoubleSlant:
      if (FSoftCorners) set({{L, B}, {L + H - 2, T + 2}, {L + H + 4, T}, {R - H - 4, T}, {R - H + 2, T + 2}, {R, B}});
      else set({{L, B}, {L + H, T}, {R - H, T}, {R, B}});
      break;
    case tsCutCorner: set({{L, B}, {L, T}, {R - C, T}, {R, T + C}, {R, B}}); break;
    case tsRoundCorners: set({{L, B}, {L, T + 2}, {L + 2, T}, {R - 2, T}, {R, T + 2}, {R, B}}); break;
    case tsBackSlant:
      if (FSoftCorners) set({{L, B}, {L + H - 2, T + 2}, {L + H + 4, T}, {R - 2, T}, {R, T + 2}, {R, B}});
      else set({{L, B}, {L + H, T}, {R - 2, T}, {R, T + 2}, {R, B}});
      break;
  }
  // The count each style must give; anything else is not drawn or hit.
  Integer expected = 0;
  switch (FTabStyle) {
    case tsSingleSlant:
    case tsBackSlant: expected = FSoftCorners ? 6 : 5; break;
    case tsDoubleSlant: expected = FSoftCorners ? 6 : 4; break;
    case tsCutCorner: expected = 5; break;
    case tsRoundCorners: expected = 6; break;
  }
  return Count == expected;
}

bool TWbCustomTabControl::TabClientShape(Integer Index, TPoint* P, Integer& Count) const {
  if (!TabShapePoints(Index, P, Count)) return false;
  for (Integer i = 0; i < Count; ++i) P[i] = StripToClient(P[i]);
  return true;
}

HRGN TWbCustomTabControl::TabShapeRegion(Integer Index, const TRect& ClientRect) {
  if (HRGN cached = FRegionCache->Lookup(ClientRect)) return cached;
  TPoint points[6];
  Integer count = 0;
  if (!TabClientShape(Index, points, count) || count < 3) return nullptr;
  POINT raw[6];
  for (Integer i = 0; i < count; ++i) raw[i] = {points[i].X, points[i].Y};
  HRGN region = CreatePolygonRgn(raw, int(count), ALTERNATE);
  if (!region) return nullptr;
  FRegionCache->Add(ClientRect, region);
  return region;
}

Integer TWbCustomTabControl::TabAtPoint(Integer X, Integer Y) {
  const Integer n = FTabs->GetCount();
  if (n == 0 || FFirstVisibleTab < 0) return -1;
  auto hit = [&](Integer i) {
    if (!TabFullyShown(i)) return false;
    TRect r = TabClientRect(i);
    if (!PtInRect(&r, TPoint{X, Y})) return false;
    HRGN region = TabShapeRegion(i, r);
    return region && PtInRegion(region, X, Y);
  };
  if (FTabIndex >= 0 && FTabIndex < n && hit(FTabIndex)) return FTabIndex;
  Integer i = std::min(FFirstVisibleTab, n - 1);
  do {
    if (i != FTabIndex && hit(i)) return i;
    i = (i + 1) % n;
  } while (i != std::min(FFirstVisibleTab, n - 1));
  return -1;
}

// ---- Content, card and page -------------------------------------------------------------------

TRect TWbCustomTabControl::ContentRect(Integer Index) const {
  TRect r = TabClientRect(Index);
  const Integer Hc = r.Bottom - r.Top, Wc = r.Right - r.Left, C = FCutCornerSize;
  const bool side = Vertical(), vtext = FTextOrientation == orVertical;
  const TWbTabOrientation o = FTabOrientation;
  auto inset = [&](Integer dx, Integer dy) { InflateRect(&r, -dx, -dy); };
  auto move = [&](Integer dx, Integer dy) { OffsetRect(&r, dx, dy); };
  switch (FTabStyle) {
    case tsSingleSlant:
      inset(1, 1);
      if (!side) {
        r.Right -= 2 * StyleOverlap(Hc) + 2;
        move(3, 0);
        if (o == toTop) r.Top += 2; else r.Bottom -= 2, move(0, 1);
      } else {
        if (o == toLeft) r.Top += 2 * StyleOverlap(Wc) + 2, move(0, -2);
        else r.Bottom -= 2 * StyleOverlap(Wc) + 2, move(0, 2);
        move(0, 1);
        if (o == toLeft) r.Left += 2; else r.Right -= 2, move(1, 0);
      }
      break;
    case tsBackSlant:
      inset(1, 1);
      if (!side) {
        r.Left += 2 * StyleOverlap(Hc) + 2;
        move(-3, 0);
        if (o == toTop) r.Top += 2; else r.Bottom -= 2, move(0, -1);
      } else {
        if (o == toLeft) r.Bottom -= 2 * StyleOverlap(Wc) + 2, move(0, 2);
        else r.Top += 2 * StyleOverlap(Wc) + 2, move(0, -2);
        move(0, -1);
        if (o == toLeft) r.Left += 2; else r.Right -= 2, move(1, 0);
      }
      break;
    case tsDoubleSlant:
      if (!side) {
        inset(-1, 1);
        inset(StyleOverlap(Hc), 0);
        move(1, 0);
        if (o == toTop) r.Top += 2; else r.Bottom -= 2, move(0, 1);
      } else {
        inset(1, -1);
        inset(0, StyleOverlap(Wc));
        r.Bottom += 2;
        move(0, 1);
        if (o == toLeft) r.Left += 2; else r.Right -= 2, move(1, 0);
      }
      break;
    case tsCutCorner:
      if (!vtext) {
        if (!side) {
          inset(C + 3, 1);
          if (o == toTop) r.Top += 3; else r.Bottom -= 3, move(0, 1);
        } else {
          inset(1, 4);
          if (o == toLeft) r.Left += C + 5; else r.Right -= C + 5, move(1, 0);
        }
      } else {
        if (!side) {
          inset(4, 1);
          if (o == toTop) r.Top += C + 3; else r.Bottom -= C + 3, move(0, 1);
        } else {
          inset(1, C + 3);
          if (o == toLeft) r.Left += 5; else r.Right -= 5, move(1, 0);
        }
      }
      break;
    case tsRoundCorners:
      if (vtext) inset(2, 4); else inset(4, 2);
      break;
  }
  inset(1, 1);
  return r;
}

TRect TWbCustomTabControl::CardRect(Integer Row) const {
  const bool handle = HandleAllocated();
  auto* self = const_cast<TWbCustomTabControl*>(this);
  TRect R{0, 0, (handle ? self->GetClientWidth() : GetWidth()) - 1, (handle ? self->GetClientHeight() : GetHeight()) - 1};
  if (FTabs->GetCount() == 0 && FCardVisible) return R;
  if (!FCardVisible) {
    switch (FTabOrientation) {
      case toTop: R.Left -= 3, R.Right += 3, R.Bottom += 3; break;
      case toLeft: R.Top -= 3, R.Right += 3, R.Bottom += 3; break;
      case toBottom: R.Left -= 3, R.Right += 3, R.Top -= 3; break;
      case toRight: R.Left -= 3, R.Top -= 3, R.Bottom += 3; break;
    }
  }
  const Integer D = TabAreaDepth(), n = FTabRowCount, step = FFixedDimension - FRowOverlap;
  const Integer Da = D - Row * step, off = Row * step, ind = Row * FRowIndent, rind = (n - Row - 1) * FRowIndent;
  const bool standard = FTabSequence == tsStandard;
  switch (FTabOrientation) {
    case toTop:
      R.Top += Da, R.Bottom -= off;
      standard ? (R.Left += ind, R.Right -= rind) : (R.Left += rind, R.Right -= ind);
      break;
    case toLeft:
      R.Left += Da, R.Right -= off;
      standard ? (R.Top += rind, R.Bottom -= ind) : (R.Top += ind, R.Bottom -= rind);
      break;
    case toBottom:
      R.Top += off, R.Bottom -= Da;
      standard ? (R.Left += ind, R.Right -= rind) : (R.Left += rind, R.Right -= ind);
      break;
    case toRight:
      R.Left += off, R.Right -= Da;
      standard ? (R.Top += ind, R.Bottom -= rind) : (R.Top += rind, R.Bottom -= ind);
      break;
  }
  if (R.Right < R.Left || R.Bottom < R.Top) return {0, 0, 0, 0};
  return R;
}

TRect TWbCustomTabControl::PageRect() const {
  if (!FCardVisible) return {-2, -2, -1, -1};
  TRect r = CardRect(0);
  if (!FShowCardFrame) {
    ++r.Right, ++r.Bottom;
  } else if (FShowFullFrame) {
    ++r.Left, ++r.Top;
    if (FTabOrientation == toTop && FTabSequence == tsStandard && FShowShadow) r.Right -= 2, r.Bottom -= 2;
  } else {
    if (FTabOrientation != toRight) ++r.Top;
    ++r.Right, ++r.Bottom;
  }
  return r;
}

// ---- Scrolling --------------------------------------------------------------------------------

bool TWbCustomTabControl::DecideScrollerNeeded() const {
  if (FMultiLine) return false;
  const Integer first = FirstVisibleIndex(), last = LastVisibleIndex();
  if (first < 0) return false;
  Integer room = TabStripLength() - 2 * FMargin;
  if (FShowCloseButton) room -= CloseSize() + 2;
  if (FShowMenuButton) room -= MenuSize() + 2;
  return FTabSequence == tsStandard ? room < FTabs->GetItems(last)->StripRect.Right
                                    : room < FTabs->GetItems(first)->StripRect.Right;
}

bool TWbCustomTabControl::TabFullyShown(Integer Tab) const {
  if (Tab < 0 || Tab >= FTabs->GetCount() || !FTabs->GetItems(Tab)->TabVisible) return false;
  if (!FScrollerNeeded) return true;
  Integer room = TabStripLength() - 2 * ButtonSize() - 2 * FMargin;
  if (FShowCloseButton) room -= CloseSize() + 2;
  if (FShowMenuButton) room -= MenuSize() + 2;
  const Integer S = ScrollOffset();
  const TRect& r = FTabs->GetItems(Tab)->StripRect;
  return FTabSequence == tsStandard ? r.Left >= S && r.Right - S <= room : r.Right <= S && S - r.Left <= room;
}

void TWbCustomTabControl::ScrollTabs(bool Forward) {
  const Integer n = FTabs->GetCount(), old = FFirstVisibleTab;
  if (Forward) {
    const Integer last = LastVisibleIndex();
    if (FFirstVisibleTab >= n - 1 || last < 0 || TabFullyShown(last)) return;
    do ++FFirstVisibleTab;
    while (FFirstVisibleTab < n && !TabFullyShown(FFirstVisibleTab));
    if (FFirstVisibleTab >= n) FFirstVisibleTab = old;
  } else {
    const Integer first = FirstVisibleIndex();
    if (FFirstVisibleTab <= 0 || first < 0 || TabFullyShown(first)) return;
    do --FFirstVisibleTab;
    while (FFirstVisibleTab >= 0 && !TabFullyShown(FFirstVisibleTab));
    if (FFirstVisibleTab < 0) FFirstVisibleTab = old;
  }
  if (FFirstVisibleTab != old) {
    InvalidateTabs();
    if (FScroller) FScroller->Invalidate();
  }
}

void TWbCustomTabControl::UpdateLayout() {
  if (!FLayoutStale) return;
  FLayoutStale = false;
  LayoutTabs();
  FRegionCache->Clear();
  const Integer old = FFirstVisibleTab, F = FirstVisibleIndex(), n = FTabs->GetCount();
  FScrollerNeeded = DecideScrollerNeeded();
  if (FScrollerNeeded) {
    Integer found = -1;
    for (Integer i = std::max(old, 0); i < n && found < 0; ++i) {
      FFirstVisibleTab = i;
      if (TabFullyShown(i)) found = i;
    }
    for (Integer i = std::min(old, n) - 1; i >= 0 && found < 0; --i) {
      FFirstVisibleTab = i;
      if (TabFullyShown(i)) found = i;
    }
    FFirstVisibleTab = found >= 0 ? found : F;
  } else {
    FFirstVisibleTab = F;
  }
  if (F >= 0) {
    Integer pick = -1;
    if (FTabIndex >= 0)
      for (Integer i = FTabIndex; i < n && pick < 0; ++i)
        if (CanSelectTab(i)) pick = i;
    if (pick < 0)
      for (Integer i = FTabIndex == n ? FTabIndex - 1 : FTabIndex; i >= 0 && pick < 0; --i)
        if (CanSelectTab(i)) pick = i;
    if (pick >= 0) {
      FForcedChange = pick != FTabIndex;
      SetTabIndex(pick);
      FForcedChange = false;
    }
  }
  if (PageRect() != FAlignedPageRect) Realign();
}

// ---- Strip buttons ----------------------------------------------------------------------------

void TWbCustomTabControl::PlaceButtons() {
  if (GetComponentState().Contains(csLoading) || GetComponentState().Contains(csReading)) return;
  const TRect TA = TabAreaRect();
  const Integer M = FMargin, CB = FShowCloseButton ? CloseSize() + 2 : 0, MB = FShowMenuButton ? MenuSize() + 2 : 0;
  const Integer sh = FShowShadow ? -1 : 1;
  const bool standard = FTabSequence == tsStandard;
  // Left-top corner of a z-sized button shifted by `before` along the strip from the strip's end.
  auto place = [&](Integer z, Integer len, Integer before) -> TPoint {
    switch (FTabOrientation) {
      case toTop:
        return standard ? TPoint{TA.Right - len - M + sh - before, TA.Bottom - z - 2}
                        : TPoint{TA.Left + M + before, TA.Bottom - z - 2};
      case toLeft:
        return standard ? TPoint{TA.Right - z - 2, TA.Top + M + before}
                        : TPoint{TA.Right - z - 2, TA.Bottom - len - M + 1 - before};
      case toBottom:
        return standard ? TPoint{TA.Right - len - M + 1 - before, TA.Top + 2} : TPoint{TA.Left + M + before, TA.Top + 2};
      case toRight:
        return standard ? TPoint{TA.Left + 2, TA.Bottom - len - M + 1 - before} : TPoint{TA.Left + 2, TA.Top + M + before};
    }
    return {};
  };
  if (FShowCloseButton && FCloseButton) {
    const Integer z = CloseSize();
    TPoint p = place(z, z, 0);
    FCloseButton->SetBounds(p.X, p.Y, z, z);
    FCloseButton->SetVisible(true);
  }
  if (FShowMenuButton && FMenuButton) {
    const Integer z = MenuSize();
    TPoint p = place(z, z, CB);
    FMenuButton->SetBounds(p.X, p.Y, z, z);
    FMenuButton->SetVisible(true);
  }
  if (FScrollerNeeded && !FScroller) CreateScroller();
  if (!FScroller) return;
  const Integer z = ButtonSize(), len = 2 * z - 1;
  if (!FScrollerNeeded) {
    FScroller->SetBounds(-FScroller->GetWidth() - 1, -FScroller->GetHeight() - 1, FScroller->GetWidth(),
                         FScroller->GetHeight());
    return;
  }
  TPoint p = place(z, Vertical() ? len : len, CB + MB);
  if (Vertical()) {
    FScroller->SetOrientation(orVertical);
    FScroller->SetBounds(p.X, p.Y, z, len);
  } else {
    FScroller->SetOrientation(orHorizontal);
    FScroller->SetBounds(p.X, p.Y, len, z);
  }
  FScroller->SetVisible(true);
}
