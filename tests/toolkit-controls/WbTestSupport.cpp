#include "WbTestSupport.h"

#include <string>

#include "gdi/Drawing.h"

void FillBitmap(TBitmap& Bitmap, Integer Width, Integer Height, TColor Color) {
  Bitmap.SetSize(Width, Height);
  Bitmap.GetCanvas()->GetBrush()->SetColor(Color);
  Bitmap.GetCanvas()->GetBrush()->SetStyle(bsSolid);
  Bitmap.GetCanvas()->FillRect({0, 0, Width, Height});
}

COLORREF PixelAt(TBitmap& Bitmap, Integer X, Integer Y) {
  return ColorToRGB(Bitmap.GetCanvas()->GetPixel(X, Y)) & 0xFFFFFF;
}

Integer CountPixels(TBitmap& Bitmap, COLORREF Color) {
  Integer n = 0;
  for (Integer y = 0; y < Bitmap.GetHeight(); ++y)
    for (Integer x = 0; x < Bitmap.GetWidth(); ++x) n += PixelAt(Bitmap, x, y) == Color;
  return n;
}

void ExpectPixels(TBitmap& Bitmap, const char* const* Rows,
                  std::initializer_list<std::pair<char, COLORREF>> Legend) {
  for (Integer y = 0; y < Bitmap.GetHeight(); ++y)
    for (Integer x = 0; x < Bitmap.GetWidth(); ++x) {
      char key = Rows[y][x];
      for (const auto& [letter, colour] : Legend) {
        if (letter != key) continue;
        EXPECT_EQ(PixelAt(Bitmap, x, y), colour) << "at " << x << "," << y << " ('" << key << "')";
      }
    }
}

RecordingTheme::RecordingTheme() { SetThemeProvider(this); }
RecordingTheme::~RecordingTheme() { SetThemeProvider(nullptr); }

HTHEME RecordingTheme::OpenThemeData(HWND, const char16_t*) { return reinterpret_cast<HTHEME>(this); }

HRESULT RecordingTheme::GetThemeColor(HTHEME, int, int, int Property, COLORREF* Color) {
  LastColourProperty = Property;
  *Color = Colour;
  return S_OK;
}

HRESULT RecordingTheme::DrawThemeBackground(HTHEME, HDC DC, int Part, int State, const RECT* Rect, const RECT*) {
  ++Parts;
  LastPart = Part;
  LastState = State;
  // A recognisable themed face: a solid fill in the theme colour.
  HBRUSH brush = CreateSolidBrush(Colour);
  FillRect(DC, Rect, brush);
  DeleteObject(brush);
  return S_OK;
}

HRESULT RecordingTheme::DrawThemeText(HTHEME, HDC, int, int, const char16_t*, int, DWORD, DWORD, const RECT*) {
  return S_OK;
}
