#include <algorithm>
#include <string_view>

#include "gdi/DcState.h"
#include "gdi/FontObject.h"
#include "gdi/Text.h"

namespace {

// The first stop right of x (both counted from the tab origin).
int NextTabStop(int x, int tabPositions, const int* tabStops, int defaultWidth) {
  if (tabPositions == 1 && tabStops && tabStops[0] > 0) return (x / tabStops[0] + 1) * tabStops[0];
  if (tabPositions > 1 && tabStops) {
    for (int i = 0; i < tabPositions; ++i) {
      if (tabStops[i] > x) return tabStops[i];
    }
  }
  return (x / defaultWidth + 1) * defaultWidth;
}

// Walks the text's runs between tabs; draw (when given) gets each run and its x from the origin.
// Answers MAKELONG(width, height), 0 when the DC has no font.
template <class Draw>
LONG WalkTabbedText(HDC handle, int x, const char* text, int count, int tabPositions, const int* tabStops,
                    int tabOrigin, Draw draw) {
  DeviceContext* dc = LookupDc(handle);
  FontObject* font = dc ? SelectedFont(*dc) : nullptr;
  if (!font || (!text && count != 0)) return 0;
  std::string_view view = !text ? std::string_view() : count < 0 ? std::string_view(text)
                                                                 : std::string_view(text, static_cast<size_t>(count));
  const FontMetrics& metrics = font->Instance().Metrics();
  int defaultWidth = std::max(1, 8 * metrics.aveCharWidth);
  int pos = x - tabOrigin;
  size_t start = 0;
  while (start <= view.size()) {
    size_t tab = view.find('\t', start);
    std::string_view run = view.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
    if (!run.empty()) {
      SIZE size{};
      GetTextExtentPoint32(handle, run.data(), static_cast<int>(run.size()), &size);
      draw(tabOrigin + pos, run);
      pos += size.cx;
    }
    if (tab == std::string_view::npos) break;
    pos = NextTabStop(pos, tabPositions, tabStops, defaultWidth);
    start = tab + 1;
  }
  int width = tabOrigin + pos - x;
  return static_cast<LONG>(MAKELONG(static_cast<WORD>(width), static_cast<WORD>(metrics.height)));
}

}  // namespace

LONG TabbedTextOut(HDC dc, int x, int y, const char* text, int count, int tabPositions, const int* tabStops,
                   int tabOrigin) {
  return WalkTabbedText(dc, x, text, count, tabPositions, tabStops, tabOrigin, [&](int runX, std::string_view run) {
    TextOut(dc, runX, y, run.data(), static_cast<int>(run.size()));
  });
}

DWORD GetTabbedTextExtent(HDC dc, const char* text, int count, int tabPositions, const int* tabStops) {
  return static_cast<DWORD>(WalkTabbedText(dc, 0, text, count, tabPositions, tabStops, 0, [](int, std::string_view) {}));
}
