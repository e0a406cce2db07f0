#include "WbTestSupport.h"

#include <cstdint>
#include <string>

#include "gdi/Drawing.h"
#include "gdi/DeviceContexts.h"
#include "gdi/GdiTypes.h"
#include "gdi/Text.h"
#include "rtl/WideText.h"

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

// The handle names the class: 1 spin, 2 combo box, 3 scroll bar, 4 button, 5 anything else.
HTHEME RecordingTheme::OpenThemeData(HWND, const char16_t* ClassList) {
  const std::u16string name = ClassList ? ClassList : u"";
  uintptr_t kind = name == u"spin" ? 1 : name == u"combobox" ? 2 : name == u"scrollbar" ? 3 : name == u"button" ? 4 : 5;
  return reinterpret_cast<HTHEME>(kind);
}

HRESULT RecordingTheme::GetThemeColor(HTHEME, int, int, int Property, COLORREF* Color) {
  LastColourProperty = Property;
  *Color = Colour;
  return S_OK;
}

namespace {

void Solid(HDC DC, const RECT& R, COLORREF Color) {
  HBRUSH brush = CreateSolidBrush(Color);
  FillRect(DC, &R, brush);
  DeleteObject(brush);
}

// A rounded face: a one-pixel outline with the corners left out and a vertical blend inside.
void RoundedFace(HDC DC, const RECT& R, COLORREF Outline, COLORREF Top, COLORREF Bottom) {
  const int h = R.Bottom - R.Top;
  for (int y = R.Top + 1; y < R.Bottom - 1; ++y) {
    double t = h > 2 ? double(y - R.Top - 1) / (h - 3 > 0 ? h - 3 : 1) : 0;
    auto ch = [&](int shift) {
      return COLORREF(((Top >> shift) & 0xFF) * (1 - t) + ((Bottom >> shift) & 0xFF) * t) << shift;
    };
    Solid(DC, {R.Left + 1, y, R.Right - 1, y + 1}, ch(0) | ch(8) | ch(16));
  }
  Solid(DC, {R.Left + 1, R.Top, R.Right - 1, R.Top + 1}, Outline);
  Solid(DC, {R.Left + 1, R.Bottom - 1, R.Right - 1, R.Bottom}, Outline);
  Solid(DC, {R.Left, R.Top + 1, R.Left + 1, R.Bottom - 1}, Outline);
  Solid(DC, {R.Right - 1, R.Top + 1, R.Right, R.Bottom - 1}, Outline);
}

// A small filled triangle pointing in Direction (0 up, 1 down, 2 left, 3 right) at the centre.
void Arrow(HDC DC, const RECT& R, int Direction, COLORREF Color) {
  const int cx = (R.Left + R.Right) / 2, cy = (R.Top + R.Bottom) / 2;
  for (int i = 0; i < 4; ++i) {
    switch (Direction) {
      case 0: Solid(DC, {cx - i, cy - 2 + i, cx + i + 1, cy - 1 + i}, Color); break;
      case 1: Solid(DC, {cx - 3 + i, cy - 1 + i, cx + 4 - i, cy + i}, Color); break;
      case 2: Solid(DC, {cx - 2 + i, cy - i, cx - 1 + i, cy + i + 1}, Color); break;
      default: Solid(DC, {cx - 1 + i, cy - 3 + i, cx + i, cy + 4 - i}, Color); break;
    }
  }
}

}  // namespace

HRESULT RecordingTheme::DrawThemeBackground(HTHEME Theme, HDC DC, int Part, int State, const RECT* Rect, const RECT*) {
  ++Parts;
  LastPart = Part;
  LastState = State;
  if (!Pictures) {
    // A recognisable themed face: a solid fill in the theme colour.
    Solid(DC, *Rect, Colour);
    return S_OK;
  }
  const RECT& r = *Rect;
  const int look = (State - 1) % 4;  // normal, hot, pressed, disabled
  const COLORREF outline = look == 3 ? RGB(201, 199, 186) : RGB(112, 130, 160);
  const COLORREF top = look == 1 ? RGB(255, 250, 235) : look == 2 ? RGB(205, 215, 235) : RGB(252, 252, 254);
  const COLORREF bottom = look == 1 ? RGB(250, 215, 150) : look == 2 ? RGB(180, 195, 225) : RGB(214, 224, 244);
  const COLORREF mark = look == 3 ? RGB(190, 190, 180) : RGB(77, 97, 133);
  const uintptr_t kind = reinterpret_cast<uintptr_t>(Theme);
  if (kind == 4 && Part == 4) {  // a group box: only its rounded frame
    const COLORREF frame = RGB(150, 150, 135);
    Solid(DC, {r.Left + 2, r.Top, r.Right - 2, r.Top + 1}, frame);
    Solid(DC, {r.Left + 2, r.Bottom - 1, r.Right - 2, r.Bottom}, frame);
    Solid(DC, {r.Left, r.Top + 2, r.Left + 1, r.Bottom - 2}, frame);
    Solid(DC, {r.Right - 1, r.Top + 2, r.Right, r.Bottom - 2}, frame);
    for (POINT p : {POINT{r.Left + 1, r.Top + 1}, POINT{r.Right - 2, r.Top + 1}, POINT{r.Left + 1, r.Bottom - 2},
                    POINT{r.Right - 2, r.Bottom - 2}})
      Solid(DC, {p.X, p.Y, p.X + 1, p.Y + 1}, frame);
    return S_OK;
  }
  if (kind == 4 && Part == 3) {  // a check box
    RoundedFace(DC, r, look == 3 ? RGB(202, 200, 187) : RGB(28, 81, 128), RGB(220, 220, 215), RGB(255, 255, 255));
    const int state = (State - 1) / 4;
    const COLORREF tick = look == 3 ? RGB(202, 200, 187) : RGB(33, 161, 33);
    if (state == 1)
      for (int i = 0; i < 7; ++i) {
        int y = r.Top + (i < 3 ? 5 + i : 9 - i) ;
        Solid(DC, {r.Left + 3 + i, y, r.Left + 4 + i, y + 3}, tick);
      }
    if (state == 2) Solid(DC, {r.Left + 3, r.Top + 3, r.Right - 3, r.Bottom - 3}, tick);
    return S_OK;
  }
  RoundedFace(DC, r, outline, top, bottom);
  // Spin arrows (up, down, up-horizontal, down-horizontal) and the drop-down mark.
  static const int kSpinDirection[] = {0, 0, 1, 3, 2};
  if (kind == 1 && Part >= 1 && Part <= 4) Arrow(DC, r, kSpinDirection[Part], mark);
  if (kind == 2) Arrow(DC, r, 1, mark);
  return S_OK;
}

HRESULT RecordingTheme::DrawThemeText(HTHEME, HDC DC, int, int State, const char16_t* Text, int Count, DWORD Flags,
                                      DWORD, const RECT* Rect) {
  if (!Pictures) return S_OK;
  String text = UTF8Encode(WideString(Text, Count < 0 ? std::char_traits<char16_t>::length(Text) : size_t(Count)));
  RECT r = *Rect;
  COLORREF oldColour = SetTextColor(DC, State == 2 ? RGB(172, 168, 153) : Colour);
  int oldMode = SetBkMode(DC, TRANSPARENT);
  DrawText(DC, text.c_str(), -1, &r, Flags);
  SetBkMode(DC, oldMode);
  SetTextColor(DC, oldColour);
  return S_OK;
}
