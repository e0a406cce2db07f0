#pragma once
// Helpers of the Wb control tests: pixel fixtures on bitmaps and a theme that answers as if
// visual styles were on.

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "gdi/UxTheme.h"
#include "vcl/Graphics.h"

// Width x Height, filled with Color.
void FillBitmap(TBitmap& Bitmap, Integer Width, Integer Height, TColor Color);
// The pixel as 0x00BBGGRR.
COLORREF PixelAt(TBitmap& Bitmap, Integer X, Integer Y);
Integer CountPixels(TBitmap& Bitmap, COLORREF Color);
// Rows of letters, each letter standing for a colour of Legend.
void ExpectPixels(TBitmap& Bitmap, const char* const* Rows,
                  std::initializer_list<std::pair<char, COLORREF>> Legend);

// Installed while it lives: themes active, every colour Colour, every drawn part recorded.
class RecordingTheme : public ThemeProvider {
 public:
  RecordingTheme();
  ~RecordingTheme() override;
  BOOL IsThemeActive() override { return TRUE; }
  BOOL IsAppThemed() override { return TRUE; }
  HTHEME OpenThemeData(HWND, const char16_t*) override;
  HRESULT CloseThemeData(HTHEME) override { return S_OK; }
  HRESULT GetThemeColor(HTHEME, int, int, int Property, COLORREF* Color) override;
  HRESULT DrawThemeBackground(HTHEME, HDC DC, int Part, int State, const RECT* Rect, const RECT*) override;
  HRESULT DrawThemeParentBackground(HWND, HDC, const RECT*) override { return S_OK; }
  HRESULT DrawThemeText(HTHEME, HDC, int, int, const char16_t*, int, DWORD, DWORD, const RECT*) override;

  // Pictures: parts drawn with a plausible face instead of a flat fill.
  bool Pictures = false;
  COLORREF Colour = 0;
  int LastColourProperty = 0;
  int Parts = 0;
  int LastPart = 0, LastState = 0;
};
