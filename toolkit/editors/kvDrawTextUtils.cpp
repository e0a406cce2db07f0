#include "toolkit/editors/kvDrawTextUtils.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "rtl/UnicodeCase.h"

namespace {

constexpr char kEllipsis[] = "...";
constexpr Integer kTabbedExtentLimit = 4096;  // the tabbed extent answers 16-bit sizes

bool IsJustified(const TkvTextParams& P) {
  return P.HorzAlignment == kvtfJustify || P.HorzAlignment == kvtfJustifyAll;
}

// Bytes of the character at Text[Index] (1 for a byte outside a well-formed sequence).
Integer CharBytes(const char* Text, Integer Length, Integer Index) {
  std::string_view view(Text, static_cast<size_t>(Length));
  size_t pos = static_cast<size_t>(Index);
  Utf8Decode(view, pos);
  return static_cast<Integer>(pos) - Index;
}

// Widths of text pieces on one DC. The platform lays glyphs on whole-pixel advances without
// kerning, so the width of a text is the sum of its characters' widths; ASCII widths are asked
// once, which keeps character-by-character measuring of long texts cheap.
class TextMeasurer {
 public:
  explicit TextMeasurer(HDC DC) : FDC(DC) {}

  Integer CharWidth(const char* Text, Integer Bytes) {
    auto first = static_cast<unsigned char>(Text[0]);
    if (Bytes == 1 && first < 0x80) {
      if (!FAsciiKnown) {
        if (!GetCharWidth32(FDC, 0, 127, FAscii.data())) FAscii.fill(0);
        FAsciiKnown = true;
      }
      return FAscii[first];
    }
    SIZE size{};
    GetTextExtentPoint32(FDC, Text, Bytes, &size);
    return size.cx;
  }

  // Width of Length bytes, or of as many as it takes to pass Limit (answering a width > Limit).
  Integer WidthUpTo(const char* Text, Integer Length, Integer Limit) {
    Integer width = 0;
    for (Integer i = 0; i < Length && width <= Limit;) {
      Integer bytes = CharBytes(Text, Length, i);
      width += CharWidth(Text + i, bytes);
      i += bytes;
    }
    return width;
  }

  HDC DC() const { return FDC; }

 private:
  HDC FDC;
  std::array<int, 128> FAscii{};
  bool FAsciiKnown = false;
};

// How many bytes of the text surely fit Width, and their width: the start of the row breaker's
// character-by-character measuring. A text more than eight times wider than the row is not
// searched at all; the breaker measures it from its first character.
void FitEstimate(TextMeasurer& M, const char* Text, Integer Length, Integer Width, Integer& Fit, Integer& FitWidth) {
  Fit = 0;
  FitWidth = 0;
  Integer limit = Width > INT32_MAX / 8 ? INT32_MAX : Width * 8;
  if (M.WidthUpTo(Text, Length, limit) > limit) return;
  SIZE size{};
  int fit = 0;
  std::vector<int> extents(static_cast<size_t>(Length));
  if (!GetTextExtentExPoint(M.DC(), Text, Length, Width, &fit, extents.data(), &size)) return;
  Fit = fit;
  FitWidth = fit > 0 ? extents[static_cast<size_t>(fit) - 1] : 0;
}

// Breaks one row off Text[Pos..Length). Answers the position after the row and what follows it.
Integer BreakRow(TextMeasurer& M, const char* Text, Integer Length, Integer Pos, Integer Width,
                 const TkvTextParams& P, bool LastRow, TkvTextRow& Row) {
  Row = TkvTextRow{};
  Row.Text = Text + Pos;
  Row.StartIndex = Pos;
  const char* s = Text + Pos;
  Integer left = Length - Pos;
  bool justified = IsJustified(P);
  bool wrapping = !P.SingleLine && (P.WordWrap || justified);
  bool charWrap = wrapping && P.BreakInWords;
  bool ellipsisCut = !P.WholeRowsOnly && !P.NoClip && !justified && LastRow && P.EndEllipsis;
  bool measuring = wrapping || ellipsisCut || P.SingleLine;

  // Without tabs, widths add up character by character, so measuring from the first character
  // finds the same break as any estimate would; with tabs the estimate spares re-measuring the row.
  Integer fit = 0;
  Integer width = 0;
  if (measuring && P.ExpandTabs) FitEstimate(M, s, left, std::max<Integer>(Width, 1), fit, width);
  Integer rowLength = 0;
  Integer lastBreak = 0;       // row length up to and including the last blank or tab
  Integer breaksAtLast = 0;
  bool overflowed = false;     // the row already passed Width: widths only grow from here
  for (Integer i = 0; i < left;) {
    char c = s[i];
    if ((c == '\r' || c == '\n') && !ellipsisCut && !P.SingleLine) {
      if (P.HorzAlignment == kvtfJustify) Row.BreakCount = 0;
      break;
    }
    Integer bytes = CharBytes(s, left, i);
    rowLength = i + bytes;
    if (c == ' ' || c == '\t') {
      ++Row.BreakCount;
      lastBreak = rowLength;
      breaksAtLast = Row.BreakCount;
    }
    if (measuring && i >= fit) {
      if (!overflowed) {
        width = P.ExpandTabs ? TextExtentOf(M.DC(), s, rowLength, true).cx : width + M.CharWidth(s + i, bytes);
        overflowed = width > Width;
      }
      if (overflowed) {
        if (ellipsisCut || P.SingleLine) break;
        if (lastBreak > 0) {
          rowLength = lastBreak;
          Row.BreakCount = breaksAtLast;
          break;
        }
        if (charWrap) {
          if (i > 0) rowLength = i;
          break;
        }
      }
    }
    i += bytes;
  }
  if (justified) {
    while (rowLength > 0 && (s[rowLength - 1] == ' ' || s[rowLength - 1] == '\t')) {
      --rowLength;
      --Row.BreakCount;
    }
  }
  Row.Length = rowLength;
  if (P.ExpandTabs) {
    TSize extent = TextExtentOf(M.DC(), s, rowLength, true);
    Row.Width = extent.cx;
    Row.Height = extent.cy;
  } else {
    Row.Width = M.WidthUpTo(s, rowLength, INT32_MAX);
    Row.Height = P.RowHeight;
  }

  Integer next = rowLength;
  while (next < left && s[next] == ' ') ++next;
  if (next < left && s[next] == '\t') ++next;
  bool passedCR = next < left && s[next] == '\r';
  if (passedCR) ++next;
  if (next < left && s[next] == '\n') ++next;
  if (passedCR || (next >= left && P.HorzAlignment == kvtfJustify)) Row.BreakCount = 0;
  // Every row moves on by at least one character, whatever the measures said.
  if (next == 0 && left > 0) next = CharBytes(s, left, 0);
  return Pos + next;
}

// The highlighted part of a row, in pixels from the row's left.
void HighlightSpan(HDC DC, const TkvTextRow& Row, Integer From, Integer To, bool RightToLeft, Integer& X1,
                   Integer& X2) {
  std::vector<int> extents(static_cast<size_t>(Row.Length));
  SIZE size{};
  GetTextExtentExPoint(DC, Row.Text, Row.Length, 0, nullptr, extents.data(), &size);
  auto at = [&](Integer n) { return n > 0 ? extents[static_cast<size_t>(n) - 1] : 0; };
  if (RightToLeft) {
    X1 = Row.Width - at(To);
    X2 = Row.Width - at(From);
  } else {
    X1 = at(From);
    X2 = at(To);
  }
}

bool IsRightToLeftCharSet(Byte CharSet) { return CharSet == HEBREW_CHARSET || CharSet == ARABIC_CHARSET; }

void DrawRowText(HDC DC, const TkvTextParams& P, const TkvTextRow& Row, Integer Length) {
  if (P.ExpandTabs) {
    TabbedTextOut(DC, Row.X, Row.Y, Row.Text, Length, 0, nullptr, Row.X);
  } else {
    TextOut(DC, Row.X, Row.Y, Row.Text, Length);
  }
}

}  // namespace

TSize TextExtentOf(HDC DC, const char* Text, Integer Length, bool ExpandTabs) {
  if (!ExpandTabs) {
    SIZE size{};
    GetTextExtentPoint32(DC, Text, Length, &size);
    return size;
  }
  if (Length > kTabbedExtentLimit) {
    TRect r{};
    Integer height = DrawText(DC, Text, Length, &r, DT_NOPREFIX | DT_CALCRECT | DT_EXPANDTABS | DT_SINGLELINE);
    return TSize{r.Width(), height};
  }
  DWORD extent = GetTabbedTextExtent(DC, Text, Length, 0, nullptr);
  return TSize{LOWORD(extent), HIWORD(extent)};
}

TkvTextParams MakeTextParams(HDC DC, Cardinal Flags) {
  TkvTextParams P;
  TEXTMETRIC tm;
  if (!GetTextMetrics(DC, &tm)) tm = TEXTMETRIC{};
  P.AddExternalLeading = (Flags & kvtfExternalLeading) != 0;
  P.RowHeight = tm.tmHeight;
  P.ExternalLeading = P.AddExternalLeading ? tm.tmExternalLeading : 0;
  P.FullRowHeight = P.RowHeight + P.ExternalLeading;
  P.EndEllipsis = (Flags & kvtfEndEllipsis) != 0;
  P.EllipsisWidth = P.EndEllipsis ? TextExtentOf(DC, kEllipsis, 3, false).cx : 0;
  P.BreakChar = tm.tmBreakChar;
  P.HorzAlignment = static_cast<Byte>(Flags & kvtfHorzMask);
  P.VertAlignment = static_cast<Byte>((Flags & kvtfVertMask) >> 4);
  P.WordWrap = (Flags & kvtfWordWrap) != 0;
  P.SingleLine = (Flags & kvtfSingleLine) != 0;
  P.ExpandTabs = (Flags & kvtfExpandTabs) != 0;
  P.WholeRowsOnly = (Flags & kvtfWholeRows) != 0;
  P.NoClip = (Flags & kvtfNoClip) != 0;
  P.NoLeftOverhang = (Flags & kvtfNoLeftOverhang) != 0;
  P.NoTopOverhang = (Flags & kvtfNoTopOverhang) != 0;
  // Far-eastern systems have no blanks between words: there every row may break inside one.
  P.BreakInWords = (Flags & kvtfBreakInWords) != 0 || GetSystemMetrics(SM_DBCSENABLED) != 0;
  P.AnswerRowCount = (Flags & kvtfAnswerRowCount) != 0;
  P.CalcOnly = (Flags & kvtfCalcRect) != 0;
  P.MaxCharWidth = tm.tmMaxCharWidth;
  P.CharSet = tm.tmCharSet;
  return P;
}

TkvTextParams MakeTextParamsOnCanvas(TCanvas* Canvas, Cardinal Flags) {
  Canvas->RequiredState(TCanvasState{csHandleValid, csFontValid});
  return MakeTextParams(Canvas->GetHandle(), Flags);
}

bool MakeTextRows(HDC DC, const char* Text, Integer Length, const TRect& R, const TkvTextParams& P,
                  TkvTextRows& Rows, Integer& RowCount, Integer MaxRows) {
  Rows.clear();
  RowCount = 0;
  if (!Text || Length <= 0) return true;
  TextMeasurer measurer(DC);
  if (P.CalcOnly && P.SingleLine) {
    TkvTextRow row;
    row.Text = Text;
    row.Length = Length;
    TSize extent = TextExtentOf(DC, Text, Length, P.ExpandTabs);
    row.Width = extent.cx;
    row.Height = extent.cy;
    Rows.push_back(row);
    RowCount = 1;
    return true;
  }
  bool countRules = P.VertAlignment != 0 || P.CalcOnly;
  Integer pos = 0;
  Integer height = 0;
  while (pos < Length && !(MaxRows > 0 && RowCount >= MaxRows)) {
    height += P.FullRowHeight;
    bool last;
    if (P.SingleLine) {
      last = true;
    } else if (countRules) {
      last = MaxRows > 0 && RowCount + 1 >= MaxRows;
    } else {
      last = P.WholeRowsOnly ? height + P.FullRowHeight > R.Height() : height > R.Height();
    }
    TkvTextRow row;
    pos = BreakRow(measurer, Text, Length, pos, R.Width(), P, last, row);
    Rows.push_back(row);
    ++RowCount;
    if (last) break;
  }
  bool stoppedByMax = MaxRows > 0 && RowCount >= MaxRows && pos < Length;
  return !(stoppedByMax && !P.SingleLine && !P.CalcOnly);
}

bool MakeTextRowsOnCanvas(TCanvas* Canvas, const char* Text, Integer Length, const TRect& R,
                          const TkvTextParams& Params, TkvTextRows& Rows, Integer& RowCount, Integer MaxRows) {
  Canvas->RequiredState(TCanvasState{csHandleValid, csFontValid});
  return MakeTextRows(Canvas->GetHandle(), Text, Length, R, Params, Rows, RowCount, MaxRows);
}

void PlaceTextRows(HDC, const TRect& R, const TkvTextParams& P, TkvTextRows& Rows, Integer RowCount) {
  RowCount = std::min<Integer>(RowCount, static_cast<Integer>(Rows.size()));
  if (RowCount <= 0) return;
  Integer height = R.Height();
  Integer step = P.FullRowHeight;
  Integer extra = 0;
  if (P.VertAlignment == 3 && RowCount > 1 &&
      static_cast<double>(P.RowHeight) < static_cast<double>(height - P.RowHeight) / (RowCount - 1)) {
    step = (height - P.RowHeight) / (RowCount - 1);
    extra = (height - P.RowHeight) % (RowCount - 1);
  }
  Integer y;
  switch (P.VertAlignment) {
    case 1: y = R.Top + (height - RowCount * step) / 2; break;
    case 2: y = R.Bottom - RowCount * step + P.ExternalLeading; break;
    default: y = R.Top; break;
  }
  if (P.NoTopOverhang && y < R.Top) y = R.Top;
  for (Integer i = 0; i < RowCount; ++i) {
    TkvTextRow& row = Rows[static_cast<size_t>(i)];
    row.Y = y;
    y += step + (i < extra ? 1 : 0);
    switch (P.HorzAlignment) {
      case kvtfCenterX: row.X = R.Left + (R.Width() - row.Width) / 2; break;
      case kvtfRight: row.X = R.Right - row.Width; break;
      default: row.X = R.Left; break;
    }
    if (P.NoLeftOverhang && row.X < R.Left) row.X = R.Left;
  }
}

void DrawTextRowsList(HDC DC, const TRect& R, const TkvTextParams& P, TkvTextRows& Rows, Integer RowCount,
                      Integer HighlightStart, Integer HighlightLength, TColor HighlightBkColor,
                      TColor HighlightTextColor, bool MoreTextFollows) {
  RowCount = std::min<Integer>(RowCount, static_cast<Integer>(Rows.size()));
  COLORREF bk = ColorToRGB(HighlightBkColor);
  COLORREF highlightText = ColorToRGB(HighlightTextColor);
  COLORREF text = GetTextColor(DC);
  int oldMode = SetBkMode(DC, TRANSPARENT);
  HBRUSH brush = HighlightLength > 0 && HighlightBkColor != clNone ? CreateSolidBrush(bk) : nullptr;
  bool rightToLeft = IsRightToLeftCharSet(P.CharSet);
  // Each highlight cuts its part out of the clip; the caller's clip comes back at the end.
  HRGN callerClip = SaveAndIntersectClip(DC, Rect(-32768, -32768, 32767, 32767));
  for (Integer i = 0; i < RowCount; ++i) {
    TkvTextRow& row = Rows[static_cast<size_t>(i)];
    bool lastRow = i == RowCount - 1;
    if (row.Length <= 0) {
      if (lastRow && MoreTextFollows && P.EndEllipsis) TextOut(DC, R.Left, row.Y, kEllipsis, 3);
      continue;
    }
    TRect band = Rect(R.Left, row.Y, R.Right, row.Y + P.FullRowHeight);
    bool ellipsis = P.EndEllipsis && lastRow && (MoreTextFollows || row.Width > R.Width());
    bool justify = IsJustified(P) && !ellipsis && row.BreakCount > 0;
    if (justify) SetTextJustification(DC, R.Width() - row.Width, row.BreakCount);
    HRGN rowClip = nullptr;
    bool clipped = !P.NoClip && (row.Width > R.Width() || band.Top < R.Top || band.Bottom > R.Bottom);
    if (clipped) {
      band.Top = std::max(band.Top, R.Top);
      band.Bottom = std::min(band.Bottom, R.Bottom);
      rowClip = SaveAndIntersectClip(DC, band);
    }
    Integer length = row.Length;
    if (ellipsis) {
      // The row keeps what fits beside the ellipsis, at least one character, placed anew so
      // the text and its ellipsis together follow the alignment.
      int fit = 0;
      SIZE size{};
      GetTextExtentExPoint(DC, row.Text, row.Length, std::max<Integer>(R.Width() - P.EllipsisWidth, 0), &fit,
                           nullptr, &size);
      length = std::max<Integer>(fit, CharBytes(row.Text, row.Length, 0));
      row.Width = TextExtentOf(DC, row.Text, length, P.ExpandTabs).cx;
      Integer whole = row.Width + P.EllipsisWidth;
      if (P.HorzAlignment == kvtfCenterX) row.X = R.Left + (R.Width() - whole) / 2;
      else if (P.HorzAlignment == kvtfRight) row.X = R.Right - whole;
      else row.X = R.Left;
      if (P.NoLeftOverhang && row.X < R.Left) row.X = R.Left;
    }
    bool ellipsisPending = ellipsis;
    Integer from = std::max(HighlightStart, row.StartIndex) - row.StartIndex;
    Integer to = std::min(HighlightStart + HighlightLength, row.StartIndex + length) - row.StartIndex;
    if (HighlightLength > 0 && from < to) {
      Integer x1 = 0, x2 = 0;
      TkvTextRow shown = row;
      shown.Length = length;
      HighlightSpan(DC, shown, from, to, rightToLeft, x1, x2);
      TRect part = Rect(row.X + x1, band.Top, row.X + x2, band.Bottom);
      bool reachesEnd = to == length && ellipsisPending;
      if (reachesEnd && !rightToLeft) part.Right += P.EllipsisWidth;
      HRGN partClip = SaveAndIntersectClip(DC, part);
      if (brush) FillRect(DC, &part, brush);
      SetTextColor(DC, highlightText);
      DrawRowText(DC, P, row, length);
      if (reachesEnd) {
        TextOut(DC, row.X + row.Width, row.Y, kEllipsis, 3);
        ellipsisPending = false;
      }
      SetTextColor(DC, text);
      RestoreClip(DC, partClip);
      ExcludeClipRect(DC, part.Left, part.Top, part.Right, part.Bottom);
    }
    DrawRowText(DC, P, row, length);
    if (justify) SetTextJustification(DC, 0, 0);
    if (ellipsisPending) {
      Integer x = row.X + row.Width;
      if (x < band.Right) {
        HRGN ellipsisClip = P.NoClip ? nullptr : SaveAndIntersectClip(DC, Rect(x, band.Top, band.Right, band.Bottom));
        TextOut(DC, x, row.Y, kEllipsis, 3);
        if (!P.NoClip) RestoreClip(DC, ellipsisClip);
      }
    }
    if (clipped) RestoreClip(DC, rowClip);
  }
  RestoreClip(DC, callerClip);
  if (brush) DeleteObject(brush);
  SetBkMode(DC, oldMode);
}

Integer MaxRowWidth(const TkvTextRows& Rows, Integer RowCount) {
  Integer result = 0;
  Integer count = std::min<Integer>(RowCount, static_cast<Integer>(Rows.size()));
  for (Integer i = 0; i < count; ++i) result = std::max(result, Rows[static_cast<size_t>(i)].Width);
  return result;
}

Integer DrawTextRows(HDC DC, const String& Text, TRect& R, Cardinal Flags, Integer HighlightStart,
                     Integer HighlightLength, TColor HighlightBkColor, TColor HighlightTextColor, Integer MaxRows,
                     Integer LeftIndent, Integer RightIndent) {
  if (Text.empty()) return 0;
  TkvTextParams P = MakeTextParams(DC, Flags);
  TRect r = IndentRect(R, LeftIndent, RightIndent);
  if (P.CalcOnly ? r.Width() <= 0 : (r.Width() <= 0 || r.Height() <= 0)) return 0;
  const char* text = Text.data();
  auto length = static_cast<Integer>(Text.size());
  TkvTextRows rows;
  Integer count = 0;
  bool fitted = MakeTextRows(DC, text, length, r, P, rows, count, MaxRows);
  if (P.CalcOnly) {
    if (MaxRows > 0) count = std::min(count, MaxRows);
    r.Right = r.Left + MaxRowWidth(rows, count);
    if (!P.SingleLine) {
      MakeTextRows(DC, text, length, r, P, rows, count, MaxRows);
      if (MaxRows > 0) count = std::min(count, MaxRows);
    }
    // A measured rectangle keeps its top: vertical alignment places rows in a given height,
    // and the rectangle being measured has none yet.
    TkvTextParams fromTop = P;
    fromTop.VertAlignment = 0;
    PlaceTextRows(DC, r, fromTop, rows, count);
    if (count > 0) r.Bottom = rows[static_cast<size_t>(count) - 1].Y + P.RowHeight;
    R = OutdentRect(r, LeftIndent, RightIndent);
  } else {
    bool more = MaxRows > 0 && count >= MaxRows && !fitted && P.EndEllipsis && P.WholeRowsOnly && !P.SingleLine;
    if (HighlightStart < 0 || HighlightStart >= length) HighlightLength = 0;
    else HighlightLength = std::min(HighlightLength, length - HighlightStart);
    PlaceTextRows(DC, r, P, rows, count);
    DrawTextRowsList(DC, r, P, rows, count, HighlightStart, HighlightLength, HighlightBkColor, HighlightTextColor,
                     more);
  }
  Integer height = count > 0 ? rows[static_cast<size_t>(count) - 1].Y + P.RowHeight - r.Top : 0;
  return P.AnswerRowCount || height == 0 ? count : height;
}

Integer DrawTextRowsOnCanvas(TCanvas* Canvas, const String& Text, TRect& R, Cardinal Flags, Integer HighlightStart,
                             Integer HighlightLength, TColor HighlightBkColor, TColor HighlightTextColor,
                             Integer MaxRows, Integer LeftIndent, Integer RightIndent) {
  Canvas->RequiredState(TCanvasState{csHandleValid, csFontValid});
  return DrawTextRows(Canvas->GetHandle(), Text, R, Flags, HighlightStart, HighlightLength, HighlightBkColor,
                      HighlightTextColor, MaxRows, LeftIndent, RightIndent);
}

Integer DrawTextRowsInFontColor(TCanvas* Canvas, const String& Text, TRect& R, Cardinal Flags, Integer MaxRows,
                                Integer LeftIndent, Integer RightIndent) {
  return DrawTextRowsOnCanvas(Canvas, Text, R, Flags, 0, 0, Canvas->GetFont()->GetColor(), 0, MaxRows, LeftIndent,
                              RightIndent);
}

Integer DrawTextRowsPlain(HDC DC, const String& Text, TRect& R, Cardinal Flags, Integer MaxRows, Integer LeftIndent,
                          Integer RightIndent) {
  return DrawTextRows(DC, Text, R, Flags, 0, 0, static_cast<TColor>(GetTextColor(DC)), 0, MaxRows, LeftIndent,
                      RightIndent);
}

TRect IndentRect(const TRect& R, Integer LeftIndent, Integer RightIndent) {
  return Rect(R.Left + LeftIndent, R.Top, R.Right - RightIndent, R.Bottom);
}

TRect OutdentRect(const TRect& R, Integer LeftIndent, Integer RightIndent) {
  return Rect(R.Left - LeftIndent, R.Top, R.Right + RightIndent, R.Bottom);
}

HRGN SaveAndIntersectClip(HDC DC, const TRect& R) {
  HRGN saved = CreateRectRgn(0, 0, 0, 0);
  if (GetClipRgn(DC, saved) != 1) {
    DeleteObject(saved);
    saved = nullptr;
  }
  IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
  return saved;
}

void RestoreClip(HDC DC, HRGN& Region) {
  SelectClipRgn(DC, Region);
  if (Region) DeleteObject(Region);
  Region = nullptr;
}
