#include "toolkit/foundation/qzUxTheme.h"

#include "gdi/DeviceContexts.h"
#include "gdi/Modules.h"
#include "rtl/WideText.h"
#include "user/SystemInfo.h"

namespace {

bool xpOrNewer = false;
HMODULE themeLibrary = nullptr;
TqzUxThemeEntryPoints entryPoints;

void BindEntryPoints() {
#define QZ_UXTHEME_BIND(Name) \
  entryPoints.Name = reinterpret_cast<decltype(entryPoints.Name)>(GetProcAddress(themeLibrary, #Name));
  QZ_UXTHEME_ENTRY_POINTS(QZ_UXTHEME_BIND)
#undef QZ_UXTHEME_BIND
}

}  // namespace

const TqzUxThemeEntryPoints& UxThemeEntryPoints() { return entryPoints; }
bool RunningOnXPOrNewer() { return xpOrNewer; }
bool ThemeLibraryLoaded() { return themeLibrary != nullptr; }

HTHEME UxOpenThemeData(HWND Window, const char16_t* ClassList) { return entryPoints.OpenThemeData(Window, ClassList); }
HRESULT UxCloseThemeData(HTHEME Theme) { return entryPoints.CloseThemeData(Theme); }

HRESULT UxDrawThemeBackground(HTHEME Theme, HDC DC, int Part, int State, const RECT* Rect, const RECT* ClipRect) {
  return entryPoints.DrawThemeBackground(Theme, DC, Part, State, Rect, ClipRect);
}

HRESULT UxDrawThemeBackgroundByRef(HTHEME Theme, HDC DC, int Part, int State, const RECT& Rect,
                                   const RECT& ClipRect) {
  return entryPoints.DrawThemeBackground(Theme, DC, Part, State, &Rect, &ClipRect);
}

HRESULT UxDrawThemeTextW(HTHEME Theme, HDC DC, int Part, int State, const char16_t* Text, int CharCount,
                         DWORD Flags, DWORD Flags2, const RECT* Rect) {
  return entryPoints.DrawThemeText(Theme, DC, Part, State, Text, CharCount, Flags, Flags2, Rect);
}

HRESULT UxDrawThemeText(HTHEME Theme, HDC DC, int Part, int State, const String& Text, int CharCount, DWORD Flags,
                        DWORD Flags2, const RECT* Rect) {
  WideString wide = UTF8Decode(Text);
  // A count of -1 means "to the terminator"; any other count is of the widened text.
  int count = CharCount < 0 ? -1 : static_cast<int>(wide.size());
  return entryPoints.DrawThemeText(Theme, DC, Part, State, wide.c_str(), count, Flags, Flags2, Rect);
}

HRESULT UxDrawThemeTextEx(HTHEME Theme, HDC DC, int Part, int State, const String& Text, int CharCount,
                          DWORD Flags, RECT* Rect, const DTTOPTS* Options) {
  WideString wide = UTF8Decode(Text);  // a private copy: the call may modify its text
  int count = CharCount < 0 ? -1 : static_cast<int>(wide.size());
  return entryPoints.DrawThemeTextEx(Theme, DC, Part, State, wide.c_str(), count, Flags, Rect, Options);
}

HRESULT UxGetThemeBackgroundContentRect(HTHEME Theme, HDC DC, int Part, int State, const RECT* Bounds,
                                        RECT* Content) {
  return entryPoints.GetThemeBackgroundContentRect(Theme, DC, Part, State, Bounds, Content);
}

HRESULT UxGetThemePartSize(HTHEME Theme, HDC DC, int Part, int State, const RECT* Rect, THEMESIZE SizeKind,
                           SIZE* Size) {
  return entryPoints.GetThemePartSize(Theme, DC, Part, State, Rect, SizeKind, Size);
}

HRESULT UxThemePartSize(HTHEME Theme, HDC DC, int Part, int State, THEMESIZE SizeKind, SIZE* Size) {
  return entryPoints.GetThemePartSize(Theme, DC, Part, State, nullptr, SizeKind, Size);
}

HRESULT UxGetThemeBackgroundRegion(HTHEME Theme, HDC DC, int Part, int State, const RECT* Rect, HRGN* Region) {
  return entryPoints.GetThemeBackgroundRegion(Theme, DC, Part, State, Rect, Region);
}

HRESULT UxDrawThemeEdge(HTHEME Theme, HDC DC, int Part, int State, const RECT* DestRect, UINT Edge, UINT Flags,
                        RECT* ContentRect) {
  return entryPoints.DrawThemeEdge(Theme, DC, Part, State, DestRect, Edge, Flags, ContentRect);
}

BOOL UxIsThemeBackgroundPartiallyTransparent(HTHEME Theme, int Part, int State) {
  return entryPoints.IsThemeBackgroundPartiallyTransparent(Theme, Part, State);
}

HRESULT UxDrawThemeParentBackground(HWND Window, HDC DC, const RECT* Rect) {
  HGDIOBJ font = GetCurrentObject(DC, OBJ_FONT);
  HRESULT result = entryPoints.DrawThemeParentBackground(Window, DC, Rect);
  SelectObject(DC, font);
  return result;
}

HRESULT UxGetThemeColor(HTHEME Theme, int Part, int State, int PropId, COLORREF* Color) {
  return entryPoints.GetThemeColor(Theme, Part, State, PropId, Color);
}

BOOL UxIsThemeActive() { return entryPoints.IsThemeActive ? entryPoints.IsThemeActive() : FALSE; }

HRESULT UxGetCurrentThemeName(char16_t* FileName, int FileNameChars, char16_t* Color, int ColorChars,
                              char16_t* Size, int SizeChars) {
  return entryPoints.GetCurrentThemeName(FileName, FileNameChars, Color, ColorChars, Size, SizeChars);
}

HRESULT UxBufferedPaintInit() { return entryPoints.BufferedPaintInit(); }
HRESULT UxBufferedPaintUnInit() { return entryPoints.BufferedPaintUnInit(); }

HPAINTBUFFER UxBeginBufferedPaint(HDC Target, const RECT* Rect, int Format, BP_PAINTPARAMS* Params, HDC* PaintDC) {
  return entryPoints.BeginBufferedPaint(Target, Rect, Format, Params, PaintDC);
}

HRESULT UxEndBufferedPaint(HPAINTBUFFER Buffer, BOOL UpdateTarget) {
  return entryPoints.EndBufferedPaint(Buffer, UpdateTarget);
}

HRESULT UxBufferedPaintSetAlpha(HPAINTBUFFER Buffer, const RECT* Rect, BYTE Alpha) {
  return entryPoints.BufferedPaintSetAlpha(Buffer, Rect, Alpha);
}

void qzUxThemeStart() {
  OSVERSIONINFO info;
  GetVersionEx(&info);
  xpOrNewer = info.dwMajorVersion > 5 || (info.dwMajorVersion == 5 && info.dwMinorVersion != 0);
  // The common controls are registered by the controls library's own start.
  if (!xpOrNewer) return;
  themeLibrary = LoadLibrary("UxTheme.dll");
  if (themeLibrary) BindEntryPoints();
}

void qzUxThemeEnd() {
  if (themeLibrary) FreeLibrary(themeLibrary);
  themeLibrary = nullptr;
  entryPoints = TqzUxThemeEntryPoints{};
}
