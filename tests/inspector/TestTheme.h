#pragma once
// A theme for the themed drawing paths: it answers that visual styles are on, records every part
// drawn, and paints each part in a soft look of its own so that pictures show what was asked.

#include <vector>

#include "gdi/UxTheme.h"
#include "rtl/Types.h"

class TestTheme : public ThemeProvider {
 public:
  struct Drawn {
    String themeClass;
    int part;
    int state;
    TRect rect;
  };
  BOOL IsThemeActive() override { return TRUE; }
  BOOL IsAppThemed() override { return TRUE; }
  HTHEME OpenThemeData(HWND, const char16_t* classList) override;
  HRESULT CloseThemeData(HTHEME) override { return S_OK; }
  HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect, const RECT* clip) override;

  std::vector<Drawn> drawn;

 private:
  std::vector<String> FClasses;
};

// Installs the theme for the life of the object.
struct ThemeScope {
  explicit ThemeScope(ThemeProvider* theme) { SetThemeProvider(theme); }
  ~ThemeScope() { SetThemeProvider(nullptr); }
};
