// The edit's layout: the font's measures, lines (hard breaks, and soft ones when words wrap),
// character positions, scrolling to the caret and the multi-line edit's scroll bars.

#include <algorithm>

#include "controls/EditControl.h"
#include "controls/ScrollBars.h"
#include "gdi/Gdi.h"
#include "user/Caret.h"
#include "user/User.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

void EditControl::SetFont(HFONT font) {
  FFont = font;
  SelectObject(FMeasureDC, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
  TEXTMETRIC metrics;
  if (GetTextMetrics(FMeasureDC, &metrics)) {
    FLineHeight = std::max<int>(1, metrics.tmHeight);
    FAveCharWidth = std::max<int>(1, metrics.tmAveCharWidth);
  }
  if (FFocused) {
    CreateCaret(FWindow, nullptr, 1, FLineHeight);
    ShowCaret(FWindow);
  }
}

void EditControl::ResetFormatRect() {
  RECT client;
  GetClientRect(FWindow, &client);
  FFormatRect = {client.Left + FLeftMargin, client.Top, std::max(client.Left + FLeftMargin, client.Right - FRightMargin),
                 client.Bottom};
}


void EditControl::MeasureLine(size_t start, size_t end, std::vector<int>& xs) const {
  xs.assign(end - start + 1, 0);
  if (ShowsPassword()) {
    String glyph = PasswordGlyph();
    SIZE size{0, 0};
    GetTextExtentPoint32(FMeasureDC, glyph.c_str(), static_cast<int>(glyph.size()), &size);
    int x = 0;
    for (size_t i = start; i < end;) {
      size_t next = std::min(NextChar(i), end);
      x += size.cx;
      for (size_t b = i + 1; b <= next; ++b) xs[b - start] = x;
      i = next;
    }
    return;
  }
  int x = 0;
  int tab = 8 * FAveCharWidth;
  std::vector<int> extents;
  for (size_t i = start; i < end;) {
    if (FText[i] == '\t') {
      x = (x / tab + 1) * tab;
      xs[++i - start] = x;
      continue;
    }
    size_t j = i;
    while (j < end && FText[j] != '\t') ++j;
    extents.resize(j - i);
    GetTextExtentExPoint(FMeasureDC, FText.data() + i, static_cast<int>(j - i), 0, nullptr, extents.data(), nullptr);
    for (size_t k = 0; k < j - i; ++k) xs[i + k + 1 - start] = x + extents[k];
    x = xs[j - start];
    i = j;
  }
}

int EditControl::LineWidth(const EditLine& line) const {
  std::vector<int> xs;
  MeasureLine(line.start, line.end, xs);
  return xs.back();
}

int EditControl::AlignOffset(const EditLine& line) const {
  DWORD align = Style() & (ES_CENTER | ES_RIGHT);
  if (align == ES_LEFT) return 0;
  int room = FFormatRect.Width() - LineWidth(line);
  if (room <= 0) return 0;
  return align == ES_CENTER ? room / 2 : room - 1;
}

void EditControl::Relayout() {
  FLines.clear();
  size_t n = FText.size();
  if (!Multi()) {
    FLines.push_back({0, n, n});
    FWidestLine = LineWidth(FLines.back());
    return;
  }
  int width = std::max(1, FFormatRect.Width());
  bool wrap = Wraps();
  std::vector<int> xs;
  size_t p = 0;
  for (;;) {
    size_t e = p;
    while (e < n && FText[e] != '\r' && FText[e] != '\n') ++e;
    size_t next = e;
    if (e < n) next = (FText[e] == '\r' && e + 1 < n && FText[e + 1] == '\n') ? e + 2 : e + 1;
    if (!wrap) {
      FLines.push_back({p, e, next});
    } else {
      MeasureLine(p, e, xs);
      size_t s = p;
      for (;;) {
        if (xs[e - p] - xs[s - p] <= width) {
          FLines.push_back({s, e, next});
          break;
        }
        size_t fit = s;
        while (fit < e) {
          size_t after = std::min(NextChar(fit), e);
          if (xs[after - p] - xs[s - p] > width) break;
          fit = after;
        }
        if (fit == s) fit = std::min(NextChar(s), e);  // a line holds at least one character
        size_t end = fit, lineNext = fit;
        if (IsBlank(FText[fit])) {
          while (lineNext < e && IsBlank(FText[lineNext])) ++lineNext;
        } else {
          size_t q = fit;
          while (q > s && !IsBlank(FText[q - 1])) --q;
          if (q > s) end = lineNext = q;
        }
        if (lineNext >= e) {
          FLines.push_back({s, end, next});
          break;
        }
        FLines.push_back({s, end, lineNext});
        s = lineNext;
      }
    }
    if (e >= n) break;
    p = next;
  }
  FWidestLine = 0;
  if (!wrap) {
    for (const EditLine& line : FLines) FWidestLine = std::max(FWidestLine, LineWidth(line));
  }
}

int EditControl::LineOfChar(size_t index) const {
  auto it = std::upper_bound(FLines.begin(), FLines.end(), index,
                             [](size_t i, const EditLine& line) { return i < line.start; });
  if (it == FLines.begin()) return 0;
  return static_cast<int>(it - FLines.begin()) - 1;
}

POINT EditControl::PosOfChar(size_t index) const {
  int l = LineOfChar(index);
  const EditLine& line = FLines[static_cast<size_t>(l)];
  std::vector<int> xs;
  MeasureLine(line.start, line.end, xs);
  size_t k = std::min(std::max(index, line.start), line.end) - line.start;
  return {FFormatRect.Left + AlignOffset(line) + xs[k] - FXOffset, FFormatRect.Top + (l - FFirstLine) * FLineHeight};
}

size_t EditControl::CharAtPoint(POINT point) const {
  int rel = point.Y - FFormatRect.Top;
  int row = rel >= 0 ? rel / FLineHeight : -((-rel + FLineHeight - 1) / FLineHeight);
  int l = std::clamp(FFirstLine + (Multi() ? row : 0), 0, static_cast<int>(FLines.size()) - 1);
  const EditLine& line = FLines[static_cast<size_t>(l)];
  std::vector<int> xs;
  MeasureLine(line.start, line.end, xs);
  int x = point.X - FFormatRect.Left - AlignOffset(line) + FXOffset;
  size_t best = line.start;
  for (size_t i = line.start; i < line.end;) {
    size_t next = std::min(NextChar(i), line.end);
    // Past the middle of a character is after it.
    if (x >= (xs[i - line.start] + xs[next - line.start] + 1) / 2) best = next;
    else break;
    i = next;
  }
  return best;
}

int EditControl::VisibleLines() const { return std::max(1, FFormatRect.Height() / FLineHeight); }

void EditControl::ScrollToCaret() {
  int firstLine = FFirstLine, xOffset = FXOffset;
  int l = LineOfChar(FCaret);
  if (Multi()) {
    int visible = VisibleLines();
    if (l < FFirstLine) FFirstLine = l;
    else if (l >= FFirstLine + visible) FFirstLine = l - visible + 1;
  }
  if (!Wraps()) {
    int width = std::max(1, FFormatRect.Width());
    POINT at = PosOfChar(FCaret);
    int x = at.X - FFormatRect.Left + FXOffset;
    if (x < FXOffset) FXOffset = std::max(0, x - width / 4);
    else if (x >= FXOffset + width) FXOffset = x - width + width / 4;
    // Text that got shorter comes back into view.
    FXOffset = std::max(0, std::min(FXOffset, FWidestLine + 1 - width));
  } else {
    FXOffset = 0;
  }
  if (firstLine != FFirstLine || xOffset != FXOffset) {
    Invalidate();
    UpdateScrollBars();
  }
}

void EditControl::ScrollLines(int lines, bool notify) {
  if (!Multi()) return;
  int maxFirst = std::max(0, static_cast<int>(FLines.size()) - VisibleLines());
  int target = std::clamp(FFirstLine + lines, 0, maxFirst);
  if (target == FFirstLine) return;
  if (notify) Notify(EN_VSCROLL);
  if (FDestroyed) return;
  FFirstLine = target;
  Invalidate();
  UpdateScrollBars();
  PlaceCaret();
}

void EditControl::ScrollColumns(int pixels) {
  int width = std::max(1, FFormatRect.Width());
  int target = std::clamp(FXOffset + pixels, 0, std::max(0, FWidestLine + 1 - width));
  if (Wraps() || target == FXOffset) return;
  FXOffset = target;
  Invalidate();
  UpdateScrollBars();
  PlaceCaret();
}

void EditControl::UpdateScrollBars() {
  DWORD style = Style();
  if (!Multi()) return;
  if (style & WS_VSCROLL) {
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = static_cast<int>(FLines.size()) - 1;
    info.nPage = static_cast<UINT>(VisibleLines());
    info.nPos = FFirstLine;
    SetScrollInfo(FWindow, SB_VERT, &info, TRUE);
  }
  if (style & WS_HSCROLL) {
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = FWidestLine;
    info.nPage = static_cast<UINT>(std::max(1, FFormatRect.Width()));
    info.nPos = FXOffset;
    SetScrollInfo(FWindow, SB_HORZ, &info, TRUE);
  }
}

void EditControl::PlaceCaret() {
  if (!FFocused) return;
  POINT at = PosOfChar(FCaret);
  SetCaretPos(at.X, at.Y);
}

void EditControl::OnScroll(int bar, WORD code) {
  if (bar == SB_VERT) {
    int visible = VisibleLines();
    switch (code) {
      case SB_LINEUP: ScrollLines(-1, true); break;
      case SB_LINEDOWN: ScrollLines(1, true); break;
      case SB_PAGEUP: ScrollLines(-visible, true); break;
      case SB_PAGEDOWN: ScrollLines(visible, true); break;
      case SB_TOP: ScrollLines(-FFirstLine, true); break;
      case SB_BOTTOM: ScrollLines(static_cast<int>(FLines.size()), true); break;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION: {
        SCROLLINFO info;
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(FWindow, SB_VERT, &info);
        ScrollLines(info.nTrackPos - FFirstLine, true);
        break;
      }
      default: break;
    }
    return;
  }
  int width = std::max(1, FFormatRect.Width());
  int step = 0;
  switch (code) {
    case SB_LINELEFT: step = -FAveCharWidth; break;
    case SB_LINERIGHT: step = FAveCharWidth; break;
    case SB_PAGELEFT: step = -width; break;
    case SB_PAGERIGHT: step = width; break;
    case SB_LEFT: step = -FXOffset; break;
    case SB_RIGHT: step = FWidestLine; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info;
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(FWindow, SB_HORZ, &info);
      step = info.nTrackPos - FXOffset;
      break;
    }
    default: return;
  }
  if (step == 0) return;
  Notify(EN_HSCROLL);
  if (!FDestroyed) ScrollColumns(step);
}
