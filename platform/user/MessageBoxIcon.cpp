#include "user/MessageBoxIcon.h"

#include "gdi/DeviceContexts.h"
#include "gdi/Drawing.h"
#include "gdi/Fonts.h"
#include "gdi/Text.h"
#include "gdi/TextLayout.h"
#include "user/MessageBox.h"

namespace {

// Selects a pen and a brush for the length of a shape.
class ShapeColours {
 public:
  ShapeColours(HDC dc, COLORREF outline, COLORREF fill, int penWidth = 1)
      : FDc(dc), FPen(CreatePen(PS_SOLID, penWidth, outline)), FBrush(CreateSolidBrush(fill)) {
    FOldPen = SelectObject(dc, FPen);
    FOldBrush = SelectObject(dc, FBrush);
  }
  ~ShapeColours() {
    SelectObject(FDc, FOldPen);
    SelectObject(FDc, FOldBrush);
    DeleteObject(FPen);
    DeleteObject(FBrush);
  }
  ShapeColours(const ShapeColours&) = delete;
  ShapeColours& operator=(const ShapeColours&) = delete;

 private:
  HDC FDc;
  HPEN FPen;
  HBRUSH FBrush;
  HGDIOBJ FOldPen;
  HGDIOBJ FOldBrush;
};

void Glyph(HDC dc, int x, int y, const char* text, COLORREF colour, LONG height, LONG weight) {
  LOGFONT font;
  font.lfHeight = -height;
  font.lfWeight = weight;
  std::snprintf(font.lfFaceName, sizeof font.lfFaceName, "%s", "Times New Roman");
  HFONT handle = CreateFontIndirect(&font);
  HGDIOBJ old = SelectObject(dc, handle);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  RECT box{x, y, x + 32, y + 32};
  DrawText(dc, text, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
  DeleteObject(handle);
}

void ErrorIcon(HDC dc, int x, int y) {
  {
    ShapeColours colours(dc, RGB(128, 0, 0), RGB(255, 0, 0));
    Ellipse(dc, x + 1, y + 1, x + 31, y + 31);
  }
  ShapeColours cross(dc, RGB(255, 255, 255), RGB(255, 255, 255), 3);
  MoveToEx(dc, x + 10, y + 10, nullptr);
  LineTo(dc, x + 22, y + 22);
  MoveToEx(dc, x + 22, y + 10, nullptr);
  LineTo(dc, x + 10, y + 22);
}

void WarningIcon(HDC dc, int x, int y) {
  {
    ShapeColours colours(dc, RGB(0, 0, 0), RGB(255, 255, 0));
    POINT triangle[] = {{x + 16, y + 1}, {x + 31, y + 29}, {x + 1, y + 29}};
    Polygon(dc, triangle, 3);
  }
  ShapeColours mark(dc, RGB(0, 0, 0), RGB(0, 0, 0));
  Rectangle(dc, x + 15, y + 9, x + 18, y + 21);
  Rectangle(dc, x + 15, y + 23, x + 18, y + 26);
}

void RoundIcon(HDC dc, int x, int y) {
  ShapeColours colours(dc, RGB(128, 128, 128), RGB(255, 255, 255));
  Ellipse(dc, x + 1, y + 1, x + 31, y + 31);
}

void InformationIcon(HDC dc, int x, int y) {
  RoundIcon(dc, x, y);
  ShapeColours mark(dc, RGB(0, 0, 255), RGB(0, 0, 255));
  Ellipse(dc, x + 14, y + 6, x + 19, y + 11);
  Rectangle(dc, x + 14, y + 13, x + 19, y + 25);
  Rectangle(dc, x + 12, y + 23, x + 21, y + 26);
}

}  // namespace

void DrawMessageBoxIcon(HDC dc, int x, int y, UINT iconFlags) {
  switch (iconFlags & MB_ICONMASK) {
    case MB_ICONERROR: ErrorIcon(dc, x, y); break;
    case MB_ICONWARNING: WarningIcon(dc, x, y); break;
    case MB_ICONINFORMATION: InformationIcon(dc, x, y); break;
    case MB_ICONQUESTION:
      RoundIcon(dc, x, y);
      Glyph(dc, x, y + 1, "?", RGB(0, 0, 255), 24, FW_BOLD);
      break;
    default: break;
  }
}
