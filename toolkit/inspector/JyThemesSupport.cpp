#include "toolkit/inspector/JyThemesSupport.h"

#include "gdi/Modules.h"
#include "rtl/Exceptions.h"
#include "toolkit/inspector/JyConsts.h"

namespace {

using TCloseThemeData = HRESULT (*)(HTHEME);
using TDrawThemeBackground = HRESULT (*)(HTHEME, HDC, int, int, const RECT*, const RECT*);
using TDrawThemeEdge = HRESULT (*)(HTHEME, HDC, int, int, const RECT*, UINT, UINT, RECT*);
using TGetThemeSysSize = int (*)(HTHEME, int);
using TIsThemeActive = BOOL (*)();
using TIsAppThemed = BOOL (*)();
using TOpenThemeData = HTHEME (*)(HWND, const char16_t*);

struct ThemeLibrary {
  HMODULE Handle = nullptr;
  bool Tried = false;
  TCloseThemeData CloseThemeData = nullptr;
  TDrawThemeBackground DrawThemeBackground = nullptr;
  TDrawThemeEdge DrawThemeEdge = nullptr;
  TGetThemeSysSize GetThemeSysSize = nullptr;
  TIsThemeActive IsThemeActive = nullptr;
  TIsAppThemed IsAppThemed = nullptr;
  TOpenThemeData OpenThemeData = nullptr;
};
ThemeLibrary gTheme;

template <class F>
void Bind(F& Entry, const char* Name) {
  Entry = reinterpret_cast<F>(GetProcAddress(gTheme.Handle, Name));
}

}  // namespace

void LoadThemeLibrary() {
  if (gTheme.Tried) return;
  gTheme.Tried = true;
  gTheme.Handle = LoadLibrary("uxtheme.dll");
  if (!gTheme.Handle) return;
  Bind(gTheme.CloseThemeData, "CloseThemeData");
  Bind(gTheme.DrawThemeBackground, "DrawThemeBackground");
  Bind(gTheme.DrawThemeEdge, "DrawThemeEdge");
  Bind(gTheme.GetThemeSysSize, "GetThemeSysSize");
  Bind(gTheme.IsThemeActive, "IsThemeActive");
  Bind(gTheme.IsAppThemed, "IsAppThemed");
  Bind(gTheme.OpenThemeData, "OpenThemeData");
}

bool IsThemed() {
  if (!gTheme.Handle) return false;
  try {
    return gTheme.IsAppThemed && gTheme.IsThemeActive && gTheme.IsAppThemed() != 0 && gTheme.IsThemeActive() != 0;
  } catch (...) {
    throw Exception(SErrorInThemes);
  }
}

void DrawThemed(HWND Wnd, HDC DC, const TRect& Rect, const char16_t* ClassName, int Part, int State) {
  if (!gTheme.OpenThemeData || !gTheme.DrawThemeBackground || !gTheme.CloseThemeData) return;
  HTHEME theme = gTheme.OpenThemeData(Wnd, ClassName);
  if (!theme) return;
  gTheme.DrawThemeBackground(theme, DC, Part, State, &Rect, nullptr);
  gTheme.CloseThemeData(theme);
}

void JyThemesSupportStart() { LoadThemeLibrary(); }
