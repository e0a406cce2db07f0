#pragma once
// The theme library, loaded at run time and bound by name, with thin wrappers over the entry
// points the toolkit draws through. Apart from UxIsThemeActive the wrappers do not test their
// entry point: callers know it is bound from ThemesAvailableFor, ThemeAvailableFor or a non-zero
// ObtainTheme.

#include "gdi/UxTheme.h"
#include "rtl/Types.h"
#include "rtl/WinTypes.h"

// Every bound entry point, in binding order; a name the library lacks stays nil.
#define QZ_UXTHEME_ENTRY_POINTS(X)                                                               \
  X(CloseThemeData) X(DrawThemeBackground) X(DrawThemeEdge) X(DrawThemeIcon)                     \
  X(DrawThemeParentBackground) X(DrawThemeText) X(DrawThemeTextEx) X(EnableThemeDialogTexture)   \
  X(GetCurrentThemeName) X(GetThemeAppProperties) X(GetThemeBackgroundContentRect)               \
  X(GetThemeBackgroundRegion) X(GetThemeBackgroundExtent) X(GetThemeBool) X(GetThemeColor)       \
  X(GetThemeDocumentationProperty) X(GetThemeEnumValue) X(GetThemeFilename) X(GetThemeFont)      \
  X(GetThemeInt) X(GetThemeIntList) X(GetThemeMargins) X(GetThemeMetric) X(GetThemePartSize)     \
  X(GetThemePosition) X(GetThemePropertyOrigin) X(GetThemeRect) X(GetThemeString)                \
  X(GetThemeSysBool) X(GetThemeSysColor) X(GetThemeSysColorBrush) X(GetThemeSysFont)             \
  X(GetThemeSysInt) X(GetThemeSysSize) X(GetThemeSysString) X(GetThemeTextExtent)                \
  X(GetThemeTextMetrics) X(GetWindowTheme) X(HitTestThemeBackground) X(IsAppThemed)              \
  X(IsThemeActive) X(IsThemePartDefined) X(IsThemeBackgroundPartiallyTransparent)                \
  X(IsThemeDialogTextureEnabled) X(OpenThemeData) X(SetThemeAppProperties) X(SetWindowTheme)     \
  X(BufferedPaintInit) X(BufferedPaintUnInit) X(BeginBufferedPaint) X(EndBufferedPaint)          \
  X(BufferedPaintSetAlpha)

struct TqzUxThemeEntryPoints {
#define QZ_UXTHEME_POINTER(Name) decltype(&::Name) Name = nullptr;
  QZ_UXTHEME_ENTRY_POINTS(QZ_UXTHEME_POINTER)
#undef QZ_UXTHEME_POINTER
};

// The bound entry points (all nil while the library is not loaded).
const TqzUxThemeEntryPoints& UxThemeEntryPoints();
// The platform reports version 5.1 or later.
bool RunningOnXPOrNewer();
bool ThemeLibraryLoaded();

HTHEME UxOpenThemeData(HWND Window, const char16_t* ClassList);
HRESULT UxCloseThemeData(HTHEME Theme);
HRESULT UxDrawThemeBackground(HTHEME Theme, HDC DC, int Part, int State, const RECT* Rect, const RECT* ClipRect);
HRESULT UxDrawThemeBackgroundByRef(HTHEME Theme, HDC DC, int Part, int State, const RECT& Rect, const RECT& ClipRect);
HRESULT UxDrawThemeTextW(HTHEME Theme, HDC DC, int Part, int State, const char16_t* Text, int CharCount,
                         DWORD Flags, DWORD Flags2, const RECT* Rect);
// The 8-bit text is widened first.
HRESULT UxDrawThemeText(HTHEME Theme, HDC DC, int Part, int State, const String& Text, int CharCount, DWORD Flags,
                        DWORD Flags2, const RECT* Rect);
HRESULT UxDrawThemeTextEx(HTHEME Theme, HDC DC, int Part, int State, const String& Text, int CharCount,
                          DWORD Flags, RECT* Rect, const DTTOPTS* Options);
HRESULT UxGetThemeBackgroundContentRect(HTHEME Theme, HDC DC, int Part, int State, const RECT* Bounds,
                                        RECT* Content);
HRESULT UxGetThemePartSize(HTHEME Theme, HDC DC, int Part, int State, const RECT* Rect, THEMESIZE SizeKind,
                           SIZE* Size);
// The part's size without a reference rectangle.
HRESULT UxThemePartSize(HTHEME Theme, HDC DC, int Part, int State, THEMESIZE SizeKind, SIZE* Size);
HRESULT UxGetThemeBackgroundRegion(HTHEME Theme, HDC DC, int Part, int State, const RECT* Rect, HRGN* Region);
HRESULT UxDrawThemeEdge(HTHEME Theme, HDC DC, int Part, int State, const RECT* DestRect, UINT Edge, UINT Flags,
                        RECT* ContentRect);
BOOL UxIsThemeBackgroundPartiallyTransparent(HTHEME Theme, int Part, int State);
// Keeps the font selected into DC across the call.
HRESULT UxDrawThemeParentBackground(HWND Window, HDC DC, const RECT* Rect);
HRESULT UxGetThemeColor(HTHEME Theme, int Part, int State, int PropId, COLORREF* Color);
// 0 when the entry point is not bound.
BOOL UxIsThemeActive();
HRESULT UxGetCurrentThemeName(char16_t* FileName, int FileNameChars, char16_t* Color, int ColorChars,
                              char16_t* Size, int SizeChars);
HRESULT UxBufferedPaintInit();
HRESULT UxBufferedPaintUnInit();
HPAINTBUFFER UxBeginBufferedPaint(HDC Target, const RECT* Rect, int Format, BP_PAINTPARAMS* Params, HDC* PaintDC);
HRESULT UxEndBufferedPaint(HPAINTBUFFER Buffer, BOOL UpdateTarget);
HRESULT UxBufferedPaintSetAlpha(HPAINTBUFFER Buffer, const RECT* Rect, BYTE Alpha);

// Unit start: the version flag; on that version or later the library is loaded and bound.
// End: the library is freed.
void qzUxThemeStart();
void qzUxThemeEnd();
