#include "TestTheme.h"

#include "gdi/Gdi.h"
#include "rtl/WideText.h"

HTHEME TestTheme::OpenThemeData(HWND, const char16_t* classList) {
  FClasses.push_back(UTF8Encode(classList));
  return reinterpret_cast<HTHEME>(static_cast<uintptr_t>(FClasses.size()));
}

namespace {

void Fill(HDC dc, const RECT& r, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

void Frame(HDC dc, const RECT& r, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FrameRect(dc, &r, brush);
  DeleteObject(brush);
}

void Gradient(HDC dc, const RECT& r, COLORREF top, COLORREF bottom) {
  const int height = r.Bottom - r.Top;
  for (int y = r.Top; y < r.Bottom; ++y) {
    const double t = height > 1 ? double(y - r.Top) / (height - 1) : 0;
    auto mix = [t](BYTE a, BYTE b) { return static_cast<BYTE>(a + (b - a) * t); };
    const RECT line{r.Left, y, r.Right, y + 1};
    Fill(dc, line, RGB(mix(GetRValue(top), GetRValue(bottom)), mix(GetGValue(top), GetGValue(bottom)),
                       mix(GetBValue(top), GetBValue(bottom))));
  }
}

}  // namespace

HRESULT TestTheme::DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect, const RECT*) {
  const size_t index = reinterpret_cast<uintptr_t>(theme) - 1;
  const String themeClass = index < FClasses.size() ? FClasses[index] : String();
  drawn.push_back({themeClass, part, state, *rect});
  const RECT r = *rect;
  if (themeClass == "rebar") {
    Gradient(dc, r, RGB(252, 252, 254), RGB(214, 223, 238));
  } else if (themeClass == "treeview") {
    Gradient(dc, r, RGB(255, 255, 255), RGB(196, 207, 224));
    Frame(dc, r, RGB(120, 138, 166));
    const int cy = (r.Top + r.Bottom) / 2, cx = (r.Left + r.Right) / 2;
    Fill(dc, RECT{r.Left + 2, cy, r.Right - 2, cy + 1}, RGB(30, 45, 75));
    if (state == 1) Fill(dc, RECT{cx, r.Top + 2, cx + 1, r.Bottom - 2}, RGB(30, 45, 75));
  } else if (themeClass == "toolbar") {
    if (state == 0) return S_OK;
    const bool down = state == 3 || state == 5 || state == 6;
    Gradient(dc, r, down ? RGB(225, 230, 240) : RGB(250, 251, 253), down ? RGB(196, 208, 228) : RGB(222, 230, 242));
    Frame(dc, r, RGB(126, 150, 186));
  } else if (themeClass == "combobox" || themeClass == "button") {
    Gradient(dc, r, state == 3 ? RGB(200, 214, 240) : RGB(236, 242, 252), RGB(188, 204, 232));
    Frame(dc, r, RGB(112, 136, 180));
    if (themeClass == "combobox") {
      const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2 - 1;
      for (int i = 0; i < 3; ++i) Fill(dc, RECT{cx - 2 + i, cy + i, cx + 3 - i, cy + i + 1}, RGB(40, 60, 100));
    }
  } else if (themeClass == "scrollbar") {
    if (part == 6) {
      Fill(dc, r, RGB(240, 242, 248));
    } else {
      Gradient(dc, r, RGB(236, 242, 252), RGB(196, 210, 236));
      Frame(dc, r, RGB(140, 160, 196));
    }
  } else if (themeClass == "edit") {
    Frame(dc, r, RGB(127, 157, 185));
  }
  return S_OK;
}
