#pragma once
// The theme library's entry points. Visual styles are not in use on this platform: by default
// IsThemeActive and IsAppThemed answer FALSE, OpenThemeData answers null and the drawing calls
// fail, so the system's code takes its classic paths. A theme provider installed with
// SetThemeProvider answers the calls that themed painters make instead (tests install a
// recording one), so that those painters stay testable.

#include "rtl/WinTypes.h"

using HPAINTBUFFER = HANDLE;

struct MARGINS {
  int cxLeftWidth = 0;
  int cxRightWidth = 0;
  int cyTopHeight = 0;
  int cyBottomHeight = 0;
};

// DrawThemeTextEx options: which fields of DTTOPTS count.
constexpr DWORD DTT_TEXTCOLOR = 0x0001;
constexpr DWORD DTT_GLOWSIZE = 0x0800;
constexpr DWORD DTT_COMPOSITED = 0x2000;

using DTT_CALLBACK_PROC = int (*)(HDC dc, char16_t* text, int length, RECT* rect, UINT flags, LPARAM data);

struct DTTOPTS {
  DWORD dwSize = sizeof(DTTOPTS);
  DWORD dwFlags = 0;
  COLORREF crText = 0;
  COLORREF crBorder = 0;
  COLORREF crShadow = 0;
  int iTextShadowType = 0;
  POINT ptShadowOffset{0, 0};
  int iBorderSize = 0;
  int iFontPropId = 0;
  int iColorPropId = 0;
  int iStateId = 0;
  BOOL fApplyOverlay = FALSE;
  int iGlowSize = 0;
  DTT_CALLBACK_PROC pfnDrawTextCallback = nullptr;
  LPARAM lParam = 0;
};

// Records only passed through to a provider.
struct LOGFONTW;
struct TEXTMETRICW;
struct INTLIST;
struct BP_PAINTPARAMS;

enum THEMESIZE { TS_MIN = 0, TS_TRUE = 1, TS_DRAW = 2 };

// Colour properties the system reads.
constexpr int TMT_BORDERCOLOR = 3801;
constexpr int TMT_FILLCOLOR = 3802;
constexpr int TMT_TEXTCOLOR = 3803;

// Parts and states of the button class the system draws.
constexpr int BP_RADIOBUTTON = 2;
constexpr int BP_GROUPBOX = 4;
constexpr int RBS_UNCHECKEDNORMAL = 1;
constexpr int RBS_UNCHECKEDHOT = 2;
constexpr int RBS_UNCHECKEDPRESSED = 3;
constexpr int RBS_UNCHECKEDDISABLED = 4;
constexpr int RBS_CHECKEDNORMAL = 5;
constexpr int RBS_CHECKEDHOT = 6;
constexpr int RBS_CHECKEDPRESSED = 7;
constexpr int RBS_CHECKEDDISABLED = 8;
constexpr int GBS_NORMAL = 1;
constexpr int GBS_DISABLED = 2;

// What a theme answers. The base class is the platform's own answer: no visual styles.
class ThemeProvider {
 public:
  virtual ~ThemeProvider() = default;
  virtual BOOL IsThemeActive() { return FALSE; }
  virtual BOOL IsAppThemed() { return FALSE; }
  virtual HTHEME OpenThemeData(HWND, const char16_t*) { return nullptr; }
  virtual HRESULT CloseThemeData(HTHEME) { return E_NOTIMPL; }
  virtual HRESULT DrawThemeBackground(HTHEME, HDC, int, int, const RECT*, const RECT*) { return E_NOTIMPL; }
  virtual HRESULT DrawThemeEdge(HTHEME, HDC, int, int, const RECT*, UINT, UINT, RECT*) { return E_NOTIMPL; }
  virtual HRESULT DrawThemeParentBackground(HWND, HDC, const RECT*) { return E_NOTIMPL; }
  virtual HRESULT DrawThemeText(HTHEME, HDC, int, int, const char16_t*, int, DWORD, DWORD, const RECT*) {
    return E_NOTIMPL;
  }
  virtual HRESULT DrawThemeTextEx(HTHEME, HDC, int, int, const char16_t*, int, DWORD, RECT*, const DTTOPTS*) {
    return E_NOTIMPL;
  }
  virtual HRESULT GetThemeBackgroundContentRect(HTHEME, HDC, int, int, const RECT*, RECT*) { return E_NOTIMPL; }
  virtual HRESULT GetThemeBackgroundRegion(HTHEME, HDC, int, int, const RECT*, HRGN*) { return E_NOTIMPL; }
  virtual HRESULT GetThemePartSize(HTHEME, HDC, int, int, const RECT*, THEMESIZE, SIZE*) { return E_NOTIMPL; }
  virtual HRESULT GetThemeColor(HTHEME, int, int, int, COLORREF*) { return E_NOTIMPL; }
  virtual BOOL IsThemeBackgroundPartiallyTransparent(HTHEME, int, int) { return FALSE; }
  virtual HRESULT GetCurrentThemeName(char16_t*, int, char16_t*, int, char16_t*, int) { return E_NOTIMPL; }
};

// Installs a provider (not owned); null brings back the platform's answers.
void SetThemeProvider(ThemeProvider* provider);

BOOL IsThemeActive();
BOOL IsAppThemed();
HTHEME OpenThemeData(HWND window, const char16_t* classList);
HRESULT CloseThemeData(HTHEME theme);
HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect, const RECT* clip);
HRESULT DrawThemeEdge(HTHEME theme, HDC dc, int part, int state, const RECT* destRect, UINT edge, UINT flags,
                      RECT* contentRect);
HRESULT DrawThemeIcon(HTHEME theme, HDC dc, int part, int state, const RECT* rect, HIMAGELIST images, int index);
HRESULT DrawThemeParentBackground(HWND window, HDC dc, const RECT* rect);
HRESULT DrawThemeText(HTHEME theme, HDC dc, int part, int state, const char16_t* text, int count, DWORD textFlags,
                      DWORD textFlags2, const RECT* rect);
HRESULT DrawThemeTextEx(HTHEME theme, HDC dc, int part, int state, const char16_t* text, int count, DWORD textFlags,
                        RECT* rect, const DTTOPTS* options);
HRESULT EnableThemeDialogTexture(HWND window, DWORD flags);
HRESULT GetCurrentThemeName(char16_t* fileName, int fileNameSize, char16_t* colour, int colourSize, char16_t* size,
                            int sizeSize);
DWORD GetThemeAppProperties();
HRESULT GetThemeBackgroundContentRect(HTHEME theme, HDC dc, int part, int state, const RECT* bounds, RECT* content);
HRESULT GetThemeBackgroundRegion(HTHEME theme, HDC dc, int part, int state, const RECT* rect, HRGN* region);
HRESULT GetThemeBackgroundExtent(HTHEME theme, HDC dc, int part, int state, const RECT* content, RECT* extent);
HRESULT GetThemeBool(HTHEME theme, int part, int state, int property, BOOL* value);
HRESULT GetThemeColor(HTHEME theme, int part, int state, int property, COLORREF* colour);
HRESULT GetThemeDocumentationProperty(const char16_t* themeName, const char16_t* propertyName, char16_t* value,
                                      int valueSize);
HRESULT GetThemeEnumValue(HTHEME theme, int part, int state, int property, int* value);
HRESULT GetThemeFilename(HTHEME theme, int part, int state, int property, char16_t* fileName, int fileNameSize);
HRESULT GetThemeFont(HTHEME theme, HDC dc, int part, int state, int property, LOGFONTW* font);
HRESULT GetThemeInt(HTHEME theme, int part, int state, int property, int* value);
HRESULT GetThemeIntList(HTHEME theme, int part, int state, int property, INTLIST* list);
HRESULT GetThemeMargins(HTHEME theme, HDC dc, int part, int state, int property, RECT* rect, MARGINS* margins);
HRESULT GetThemeMetric(HTHEME theme, HDC dc, int part, int state, int property, int* value);
HRESULT GetThemePartSize(HTHEME theme, HDC dc, int part, int state, const RECT* rect, THEMESIZE kind, SIZE* size);
HRESULT GetThemePosition(HTHEME theme, int part, int state, int property, POINT* point);
HRESULT GetThemePropertyOrigin(HTHEME theme, int part, int state, int property, int* origin);
HRESULT GetThemeRect(HTHEME theme, int part, int state, int property, RECT* rect);
HRESULT GetThemeString(HTHEME theme, int part, int state, int property, char16_t* text, int textSize);
BOOL GetThemeSysBool(HTHEME theme, int boolId);
COLORREF GetThemeSysColor(HTHEME theme, int colourId);
HBRUSH GetThemeSysColorBrush(HTHEME theme, int colourId);
HRESULT GetThemeSysFont(HTHEME theme, int fontId, LOGFONTW* font);
HRESULT GetThemeSysInt(HTHEME theme, int intId, int* value);
int GetThemeSysSize(HTHEME theme, int sizeId);
HRESULT GetThemeSysString(HTHEME theme, int stringId, char16_t* text, int textSize);
HRESULT GetThemeTextExtent(HTHEME theme, HDC dc, int part, int state, const char16_t* text, int count, DWORD flags,
                           const RECT* bounds, RECT* extent);
HRESULT GetThemeTextMetrics(HTHEME theme, HDC dc, int part, int state, TEXTMETRICW* metrics);
HTHEME GetWindowTheme(HWND window);
HRESULT HitTestThemeBackground(HTHEME theme, HDC dc, int part, int state, DWORD options, const RECT* rect,
                               HRGN region, POINT point, WORD* hitCode);
BOOL IsThemePartDefined(HTHEME theme, int part, int state);
BOOL IsThemeBackgroundPartiallyTransparent(HTHEME theme, int part, int state);
BOOL IsThemeDialogTextureEnabled(HWND window);
void SetThemeAppProperties(DWORD flags);
HRESULT SetWindowTheme(HWND window, const char16_t* appName, const char16_t* idList);
HRESULT BufferedPaintInit();
HRESULT BufferedPaintUnInit();
// Buffered painting: the paint DC draws into an off-screen 32-bit bitmap over `rect` (in the
// target's coordinates, starting all zero); EndBufferedPaint copies it onto the target when asked
// and frees it; BufferedPaintSetAlpha sets the alpha of the buffer's pixels inside a rectangle of
// the target (null: all). An empty rectangle gives no buffer (null).
HPAINTBUFFER BeginBufferedPaint(HDC target, const RECT* rect, int format, BP_PAINTPARAMS* params, HDC* paintDc);
HRESULT EndBufferedPaint(HPAINTBUFFER buffer, BOOL updateTarget);
HRESULT BufferedPaintSetAlpha(HPAINTBUFFER buffer, const RECT* rect, BYTE alpha);

// Unit start: registers the library "uxtheme" for run-time binding.
void UxThemeStart();
