#include "gdi/SysColors.h"

#include "gdi/Drawing.h"
#include "gdi/GdiObjects.h"

namespace {

// The classic Windows scheme. Index 25 has no name; Windows answers a grey for it.
constexpr COLORREF kClassicScheme[SYS_COLOR_COUNT] = {
    RGB(212, 208, 200),  // COLOR_SCROLLBAR
    RGB(58, 110, 165),   // COLOR_BACKGROUND
    RGB(10, 36, 106),    // COLOR_ACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
    RGB(212, 208, 200),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(212, 208, 200),  // COLOR_ACTIVEBORDER
    RGB(212, 208, 200),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(10, 36, 106),    // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(212, 208, 200),  // COLOR_BTNFACE
    RGB(128, 128, 128),  // COLOR_BTNSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(212, 208, 200),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(64, 64, 64),     // COLOR_3DDKSHADOW
    RGB(212, 208, 200),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(181, 181, 181),  // (unnamed)
    RGB(0, 0, 128),      // COLOR_HOTLIGHT
    RGB(166, 202, 240),  // COLOR_GRADIENTACTIVECAPTION
    RGB(192, 192, 192),  // COLOR_GRADIENTINACTIVECAPTION
    RGB(10, 36, 106),    // COLOR_MENUHILIGHT
    RGB(212, 208, 200),  // COLOR_MENUBAR
};

bool InTable(int index) { return index >= 0 && index < SYS_COLOR_COUNT; }

HBRUSH brushes[SYS_COLOR_COUNT] = {};

}  // namespace

DWORD GetSysColor(int index) { return InTable(index) ? kClassicScheme[index] : 0; }

HBRUSH GetSysColorBrush(int index) { return InTable(index) ? brushes[index] : nullptr; }

void SysColorsStart() {
  for (int i = 0; i < SYS_COLOR_COUNT; ++i) {
    brushes[i] = CreateSolidBrush(kClassicScheme[i]);
    MarkStockObject(brushes[i]);
  }
}

void SysColorsEnd() {
  // The object table's end frees the brushes themselves.
  for (HBRUSH& brush : brushes) brush = nullptr;
}
