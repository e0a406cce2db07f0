// Painting the edit: the background and colours the parent answers to WM_CTLCOLOREDIT (or
// WM_CTLCOLORSTATIC when read-only or disabled), the visible lines clipped to the formatting
// rectangle, and the selection in the highlight colours while focused or with ES_NOHIDESEL.

#include <algorithm>

#include "controls/EditControl.h"
#include "gdi/Gdi.h"
#include "user/User.h"

namespace {

String Utf8Of(uint32_t c) {
  String out;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | ((c >> 18) & 0x07));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

}  // namespace

bool EditControl::ShowsPassword() const { return FPasswordChar && (Style() & ES_PASSWORD) && !Multi(); }

String EditControl::PasswordGlyph() const { return Utf8Of(FPasswordChar); }

String EditControl::DisplayText(size_t start, size_t end) const {
  if (!ShowsPassword()) return FText.substr(start, end - start);
  String glyph = PasswordGlyph(), shown;
  for (size_t i = start; i < end; i = std::min(NextChar(i), end)) shown += glyph;
  return shown;
}

void EditControl::DrawLine(HDC dc, const EditLine& line, int y, size_t selStart, size_t selEnd, COLORREF text,
                           bool showSelection) const {
  std::vector<int> xs;
  MeasureLine(line.start, line.end, xs);
  int base = FFormatRect.Left + AlignOffset(line) - FXOffset;
  size_t a = std::clamp(selStart, line.start, line.end), b = std::clamp(selEnd, line.start, line.end);
  if (!showSelection) a = b = line.end;
  if (a < b) {
    RECT band{base + xs[a - line.start], y, base + xs[b - line.start], y + FLineHeight};
    FillRect(dc, &band, GetSysColorBrush(COLOR_HIGHLIGHT));
  }
  auto run = [&](size_t from, size_t to, COLORREF colour) {
    SetTextColor(dc, colour);
    for (size_t i = from; i < to;) {
      if (FText[i] == '\t') {
        ++i;
        continue;
      }
      size_t j = i;
      while (j < to && FText[j] != '\t') ++j;
      String shown = DisplayText(i, j);
      TextOut(dc, base + xs[i - line.start], y, shown.c_str(), static_cast<int>(shown.size()));
      i = j;
    }
  };
  run(line.start, a, text);
  run(a, b, GetSysColor(COLOR_HIGHLIGHTTEXT));
  run(b, line.end, text);
}

void EditControl::Paint(HDC dc) {
  RECT client;
  GetClientRect(FWindow, &client);
  bool enabled = IsWindowEnabled(FWindow) != FALSE;
  UINT question = (ReadOnly() || !enabled) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(question == WM_CTLCOLOREDIT ? COLOR_WINDOW : COLOR_BTNFACE));
  HWND parent = GetParent(FWindow);
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessage(parent ? parent : FWindow, question, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(FWindow)));
  if (FDestroyed) return;
  if (!brush) brush = GetSysColorBrush(question == WM_CTLCOLOREDIT ? COLOR_WINDOW : COLOR_BTNFACE);
  FillRect(dc, &client, brush);
  COLORREF text = enabled ? GetTextColor(dc) : GetSysColor(COLOR_GRAYTEXT);
  int saved = SaveDC(dc);
  SelectObject(dc, FFont ? static_cast<HGDIOBJ>(FFont) : GetStockObject(SYSTEM_FONT));
  SetBkMode(dc, TRANSPARENT);
  IntersectClipRect(dc, FFormatRect.Left, FFormatRect.Top, FFormatRect.Right, FFormatRect.Bottom);
  bool showSelection = FFocused || (Style() & ES_NOHIDESEL);
  int y = FFormatRect.Top;
  for (size_t l = static_cast<size_t>(FFirstLine); l < FLines.size() && y < FFormatRect.Bottom; ++l, y += FLineHeight) {
    DrawLine(dc, FLines[l], y, SelStart(), SelEnd(), text, showSelection);
  }
  RestoreDC(dc, saved);
}
