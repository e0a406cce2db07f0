#include "gdi/SysMetrics.h"

#include <cstring>

namespace {

int screenWidth = 1280;
UINT wheelScrollLines = 3;
int screenHeight = 1024;

// Window-frame values of the classic scheme at 96 dpi.
constexpr int kCaptionButtonWidth = 18;   // iCaptionWidth
constexpr int kCaptionButtonHeight = 18;  // iCaptionHeight
constexpr int kSmCaptionButtonWidth = 12;
constexpr int kSmCaptionButtonHeight = 14;
constexpr int kMenuButtonWidth = 18;
constexpr int kMenuButtonHeight = 18;
constexpr int kScrollBarSize = 16;
constexpr int kSizingFrame = 4;
constexpr int kFixedFrame = 3;

int MetricFor(int index) {
  switch (index) {
    case SM_CXSCREEN: case SM_CXVIRTUALSCREEN: return screenWidth;
    case SM_CYSCREEN: case SM_CYVIRTUALSCREEN: return screenHeight;
    case SM_XVIRTUALSCREEN: case SM_YVIRTUALSCREEN: return 0;
    case SM_CXFULLSCREEN: return screenWidth;
    case SM_CYFULLSCREEN: return screenHeight - (kCaptionButtonHeight + 1);
    case SM_CXVSCROLL: case SM_CYHSCROLL: case SM_CYVSCROLL: case SM_CXHSCROLL:
    case SM_CYVTHUMB: case SM_CXHTHUMB: return kScrollBarSize;
    case SM_CYCAPTION: return kCaptionButtonHeight + 1;
    case SM_CXBORDER: case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME: case SM_CYDLGFRAME: return kFixedFrame;
    case SM_CXFRAME: case SM_CYFRAME: return kSizingFrame;
    case SM_CXEDGE: case SM_CYEDGE: return 2;
    case SM_CXICON: case SM_CYICON: case SM_CXCURSOR: case SM_CYCURSOR: return 32;
    case SM_CXSMICON: case SM_CYSMICON: return 16;
    case SM_CYMENU: return kMenuButtonHeight + 1;
    case SM_CXSIZE: return kCaptionButtonWidth;
    case SM_CYSIZE: return kCaptionButtonHeight;
    case SM_CYSMCAPTION: return kSmCaptionButtonHeight + 1;
    case SM_CXSMSIZE: return kSmCaptionButtonWidth;
    case SM_CYSMSIZE: return kSmCaptionButtonHeight;
    case SM_CXMENUSIZE: return kMenuButtonWidth;
    case SM_CYMENUSIZE: return kMenuButtonHeight;
    case SM_CXMIN: case SM_CXMINTRACK: return 112;
    case SM_CYMIN: case SM_CYMINTRACK: return 27;
    case SM_CXMAXTRACK: return screenWidth + 2 * kSizingFrame + 4;
    case SM_CYMAXTRACK: return screenHeight + 2 * kSizingFrame + 4;
    case SM_CXMAXIMIZED: return screenWidth + 2 * kSizingFrame;
    case SM_CYMAXIMIZED: return screenHeight + 2 * kSizingFrame;
    case SM_CXDOUBLECLK: case SM_CYDOUBLECLK: case SM_CXDRAG: case SM_CYDRAG: return 4;
    case SM_CXICONSPACING: case SM_CYICONSPACING: return 75;
    case SM_CXMENUCHECK: case SM_CYMENUCHECK: return 13;
    case SM_MOUSEPRESENT: case SM_MOUSEWHEELPRESENT: case SM_CMONITORS: case SM_SAMEDISPLAYFORMAT: return 1;
    case SM_CMOUSEBUTTONS: return 3;
    default: return 0;  // SM_SWAPBUTTON, SM_DEBUG, SM_DBCSENABLED, SM_REMOTESESSION, unknown
  }
}

// The classic scheme's interface font: Tahoma 8 pt, which is 11 pixels at 96 dpi.
LOGFONT InterfaceFont(LONG weight) {
  LOGFONT font;
  font.lfHeight = -11;
  font.lfWeight = weight;
  font.lfCharSet = DEFAULT_CHARSET;
  std::strcpy(font.lfFaceName, "Tahoma");
  return font;
}

NONCLIENTMETRICS ClassicNonClientMetrics() {
  NONCLIENTMETRICS metrics;
  metrics.cbSize = sizeof(NONCLIENTMETRICS);
  metrics.iBorderWidth = 1;
  metrics.iScrollWidth = kScrollBarSize;
  metrics.iScrollHeight = kScrollBarSize;
  metrics.iCaptionWidth = kCaptionButtonWidth;
  metrics.iCaptionHeight = kCaptionButtonHeight;
  metrics.lfCaptionFont = InterfaceFont(FW_BOLD);
  metrics.iSmCaptionWidth = kSmCaptionButtonWidth;
  metrics.iSmCaptionHeight = kSmCaptionButtonHeight;
  metrics.lfSmCaptionFont = InterfaceFont(FW_NORMAL);
  metrics.iMenuWidth = kMenuButtonWidth;
  metrics.iMenuHeight = kMenuButtonHeight;
  metrics.lfMenuFont = InterfaceFont(FW_NORMAL);
  metrics.lfStatusFont = InterfaceFont(FW_NORMAL);
  metrics.lfMessageFont = InterfaceFont(FW_NORMAL);
  return metrics;
}

template <typename T>
BOOL Answer(void* out, T value) {
  if (!out) return FALSE;
  *static_cast<T*>(out) = value;
  return TRUE;
}

}  // namespace

int GetSystemMetrics(int index) { return MetricFor(index); }

void SetSystemScreenSize(int width, int height) {
  if (width <= 0 || height <= 0) return;
  screenWidth = width;
  screenHeight = height;
}

BOOL SystemParametersInfo(UINT action, UINT uiParam, void* pvParam, UINT) {
  switch (action) {
    case SPI_GETWORKAREA:
      // No taskbar on our desktop: the work area is the whole screen.
      return Answer(pvParam, RECT{0, 0, screenWidth, screenHeight});
    case SPI_GETNONCLIENTMETRICS: {
      auto* metrics = static_cast<NONCLIENTMETRICS*>(pvParam);
      if (!metrics || metrics->cbSize != sizeof(NONCLIENTMETRICS)) return FALSE;
      *metrics = ClassicNonClientMetrics();
      return TRUE;
    }
    case SPI_GETICONTITLELOGFONT:
      if (uiParam != 0 && uiParam != sizeof(LOGFONT)) return FALSE;
      return Answer(pvParam, InterfaceFont(FW_NORMAL));
    case SPI_GETHIGHCONTRAST: {
      auto* contrast = static_cast<HIGHCONTRAST*>(pvParam);
      if (!contrast) return FALSE;
      contrast->dwFlags = 0;
      contrast->lpszDefaultScheme = nullptr;
      return TRUE;
    }
    case SPI_GETBORDER: return Answer<int>(pvParam, 1);
    case SPI_GETKEYBOARDSPEED: return Answer<DWORD>(pvParam, 31);
    case SPI_GETKEYBOARDDELAY: return Answer<int>(pvParam, 1);
    case SPI_GETWHEELSCROLLLINES: return Answer<UINT>(pvParam, wheelScrollLines);
    case SPI_SETWHEELSCROLLLINES: wheelScrollLines = uiParam; return TRUE;
    case SPI_GETMENUSHOWDELAY: return Answer<DWORD>(pvParam, 400);
    case SPI_GETMOUSEHOVERTIME: return Answer<UINT>(pvParam, 400);
    case SPI_GETMOUSEHOVERWIDTH: case SPI_GETMOUSEHOVERHEIGHT: return Answer<UINT>(pvParam, 4);
    // Switches the classic desktop has on.
    case SPI_GETDRAGFULLWINDOWS: case SPI_GETFONTSMOOTHING: case SPI_GETGRADIENTCAPTIONS:
    case SPI_GETMENUANIMATION: case SPI_GETCOMBOBOXANIMATION: case SPI_GETLISTBOXSMOOTHSCROLLING:
    case SPI_GETHOTTRACKING: case SPI_GETTOOLTIPANIMATION: case SPI_GETUIEFFECTS:
      return Answer<BOOL>(pvParam, TRUE);
    // And those it has off: keyboard cues hidden until Alt is pressed, no fades or shadows.
    case SPI_GETKEYBOARDCUES: case SPI_GETFLATMENU: case SPI_GETMENUFADE: case SPI_GETSELECTIONFADE:
    case SPI_GETTOOLTIPFADE: case SPI_GETCURSORSHADOW: case SPI_GETDROPSHADOW: case SPI_GETMENUDROPALIGNMENT:
    case SPI_GETSHOWSOUNDS: case SPI_GETSCREENREADER: case SPI_GETACTIVEWINDOWTRACKING:
      return Answer<BOOL>(pvParam, FALSE);
    default:
      return FALSE;
  }
}
