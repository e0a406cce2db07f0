#include "gdi/UxTheme.h"

#include <algorithm>
#include <memory>
#include <unordered_set>

#include "gdi/Bitmaps.h"
#include "gdi/Blits.h"
#include "gdi/DeviceContexts.h"
#include "gdi/Modules.h"
#include "gdi/SysColors.h"
#include "gdi/SysMetrics.h"

namespace {

ThemeProvider platformAnswers;
ThemeProvider* provider = &platformAnswers;

}  // namespace

void SetThemeProvider(ThemeProvider* replacement) { provider = replacement ? replacement : &platformAnswers; }

BOOL IsThemeActive() { return provider->IsThemeActive(); }
BOOL IsAppThemed() { return provider->IsAppThemed(); }
HTHEME OpenThemeData(HWND window, const char16_t* classList) { return provider->OpenThemeData(window, classList); }
HRESULT CloseThemeData(HTHEME theme) { return provider->CloseThemeData(theme); }

HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect, const RECT* clip) {
  return provider->DrawThemeBackground(theme, dc, part, state, rect, clip);
}

HRESULT DrawThemeEdge(HTHEME theme, HDC dc, int part, int state, const RECT* destRect, UINT edge, UINT flags,
                      RECT* contentRect) {
  return provider->DrawThemeEdge(theme, dc, part, state, destRect, edge, flags, contentRect);
}

HRESULT DrawThemeIcon(HTHEME, HDC, int, int, const RECT*, HIMAGELIST, int) { return E_NOTIMPL; }

HRESULT DrawThemeParentBackground(HWND window, HDC dc, const RECT* rect) {
  return provider->DrawThemeParentBackground(window, dc, rect);
}

HRESULT DrawThemeText(HTHEME theme, HDC dc, int part, int state, const char16_t* text, int count, DWORD textFlags,
                      DWORD textFlags2, const RECT* rect) {
  return provider->DrawThemeText(theme, dc, part, state, text, count, textFlags, textFlags2, rect);
}

HRESULT DrawThemeTextEx(HTHEME theme, HDC dc, int part, int state, const char16_t* text, int count, DWORD textFlags,
                        RECT* rect, const DTTOPTS* options) {
  return provider->DrawThemeTextEx(theme, dc, part, state, text, count, textFlags, rect, options);
}

HRESULT EnableThemeDialogTexture(HWND, DWORD) { return E_NOTIMPL; }

HRESULT GetCurrentThemeName(char16_t* fileName, int fileNameSize, char16_t* colour, int colourSize, char16_t* size,
                            int sizeSize) {
  return provider->GetCurrentThemeName(fileName, fileNameSize, colour, colourSize, size, sizeSize);
}

DWORD GetThemeAppProperties() { return 0; }

HRESULT GetThemeBackgroundContentRect(HTHEME theme, HDC dc, int part, int state, const RECT* bounds, RECT* content) {
  return provider->GetThemeBackgroundContentRect(theme, dc, part, state, bounds, content);
}

HRESULT GetThemeBackgroundRegion(HTHEME theme, HDC dc, int part, int state, const RECT* rect, HRGN* region) {
  return provider->GetThemeBackgroundRegion(theme, dc, part, state, rect, region);
}

HRESULT GetThemeBackgroundExtent(HTHEME, HDC, int, int, const RECT*, RECT*) { return E_NOTIMPL; }
HRESULT GetThemeBool(HTHEME, int, int, int, BOOL*) { return E_NOTIMPL; }

HRESULT GetThemeColor(HTHEME theme, int part, int state, int property, COLORREF* colour) {
  return provider->GetThemeColor(theme, part, state, property, colour);
}

HRESULT GetThemeDocumentationProperty(const char16_t*, const char16_t*, char16_t*, int) { return E_NOTIMPL; }
HRESULT GetThemeEnumValue(HTHEME, int, int, int, int*) { return E_NOTIMPL; }
HRESULT GetThemeFilename(HTHEME, int, int, int, char16_t*, int) { return E_NOTIMPL; }
HRESULT GetThemeFont(HTHEME, HDC, int, int, int, LOGFONTW*) { return E_NOTIMPL; }
HRESULT GetThemeInt(HTHEME, int, int, int, int*) { return E_NOTIMPL; }
HRESULT GetThemeIntList(HTHEME, int, int, int, INTLIST*) { return E_NOTIMPL; }
HRESULT GetThemeMargins(HTHEME, HDC, int, int, int, RECT*, MARGINS*) { return E_NOTIMPL; }
HRESULT GetThemeMetric(HTHEME, HDC, int, int, int, int*) { return E_NOTIMPL; }

HRESULT GetThemePartSize(HTHEME theme, HDC dc, int part, int state, const RECT* rect, THEMESIZE kind, SIZE* size) {
  return provider->GetThemePartSize(theme, dc, part, state, rect, kind, size);
}

HRESULT GetThemePosition(HTHEME, int, int, int, POINT*) { return E_NOTIMPL; }
HRESULT GetThemePropertyOrigin(HTHEME, int, int, int, int*) { return E_NOTIMPL; }
HRESULT GetThemeRect(HTHEME, int, int, int, RECT*) { return E_NOTIMPL; }
HRESULT GetThemeString(HTHEME, int, int, int, char16_t*, int) { return E_NOTIMPL; }
BOOL GetThemeSysBool(HTHEME, int) { return FALSE; }
// Without a theme the system's own colours, brushes and sizes answer, as documented.
COLORREF GetThemeSysColor(HTHEME, int colourId) { return GetSysColor(colourId); }
HBRUSH GetThemeSysColorBrush(HTHEME, int colourId) { return GetSysColorBrush(colourId); }
HRESULT GetThemeSysFont(HTHEME, int, LOGFONTW*) { return E_NOTIMPL; }
HRESULT GetThemeSysInt(HTHEME, int, int*) { return E_NOTIMPL; }
int GetThemeSysSize(HTHEME, int sizeId) { return GetSystemMetrics(sizeId); }
HRESULT GetThemeSysString(HTHEME, int, char16_t*, int) { return E_NOTIMPL; }
HRESULT GetThemeTextExtent(HTHEME, HDC, int, int, const char16_t*, int, DWORD, const RECT*, RECT*) { return E_NOTIMPL; }
HRESULT GetThemeTextMetrics(HTHEME, HDC, int, int, TEXTMETRICW*) { return E_NOTIMPL; }
HTHEME GetWindowTheme(HWND) { return nullptr; }
HRESULT HitTestThemeBackground(HTHEME, HDC, int, int, DWORD, const RECT*, HRGN, POINT, WORD*) { return E_NOTIMPL; }
BOOL IsThemePartDefined(HTHEME, int, int) { return FALSE; }

BOOL IsThemeBackgroundPartiallyTransparent(HTHEME theme, int part, int state) {
  return provider->IsThemeBackgroundPartiallyTransparent(theme, part, state);
}

BOOL IsThemeDialogTextureEnabled(HWND) { return FALSE; }
void SetThemeAppProperties(DWORD) {}
HRESULT SetWindowTheme(HWND, const char16_t*, const char16_t*) { return S_OK; }
HRESULT BufferedPaintInit() { return S_OK; }
HRESULT BufferedPaintUnInit() { return S_OK; }

// ---- Buffered painting -----------------------------------------------------------------------------

namespace {

// An off-screen 32-bit top-down bitmap standing for a rectangle of the target: the paint DC takes
// the target's coordinates, so what is painted at a point of the rectangle lands on that point.
struct PaintBuffer {
  HDC target = nullptr;
  RECT rect{};
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ oldBitmap = nullptr;
  uint32_t* bits = nullptr;
};

std::unordered_set<PaintBuffer*>& LiveBuffers() {
  static std::unordered_set<PaintBuffer*> live;
  return live;
}

PaintBuffer* FindBuffer(HPAINTBUFFER handle) {
  auto* buffer = static_cast<PaintBuffer*>(handle);
  return buffer && LiveBuffers().count(buffer) ? buffer : nullptr;
}

}  // namespace

HPAINTBUFFER BeginBufferedPaint(HDC target, const RECT* rect, int, BP_PAINTPARAMS*, HDC* paintDc) {
  if (paintDc) *paintDc = nullptr;
  if (!target || !rect || !paintDc || rect->Right <= rect->Left || rect->Bottom <= rect->Top) return nullptr;
  auto buffer = std::make_unique<PaintBuffer>();
  buffer->target = target;
  buffer->rect = *rect;
  buffer->bitmap = CreateDibSection32(rect->Width(), rect->Height(), &buffer->bits);
  if (!buffer->bitmap) return nullptr;
  buffer->dc = CreateCompatibleDC(target);
  if (!buffer->dc) {
    DeleteObject(buffer->bitmap);
    return nullptr;
  }
  buffer->oldBitmap = SelectObject(buffer->dc, buffer->bitmap);
  SetWindowOrgEx(buffer->dc, rect->Left, rect->Top, nullptr);
  *paintDc = buffer->dc;
  LiveBuffers().insert(buffer.get());
  return buffer.release();
}

HRESULT EndBufferedPaint(HPAINTBUFFER handle, BOOL updateTarget) {
  PaintBuffer* buffer = FindBuffer(handle);
  if (!buffer) return E_INVALIDARG;
  LiveBuffers().erase(buffer);
  std::unique_ptr<PaintBuffer> owned(buffer);
  const RECT& r = buffer->rect;
  if (updateTarget) BitBlt(buffer->target, r.Left, r.Top, r.Width(), r.Height(), buffer->dc, r.Left, r.Top, SRCCOPY);
  SelectObject(buffer->dc, buffer->oldBitmap);
  DeleteDC(buffer->dc);
  DeleteObject(buffer->bitmap);
  return S_OK;
}

HRESULT BufferedPaintSetAlpha(HPAINTBUFFER handle, const RECT* rect, BYTE alpha) {
  PaintBuffer* buffer = FindBuffer(handle);
  if (!buffer) return E_INVALIDARG;
  // The rectangle is in the target's coordinates; null means the whole buffer.
  const RECT& whole = buffer->rect;
  RECT r = rect ? *rect : whole;
  const int left = std::max(r.Left, whole.Left) - whole.Left;
  const int right = std::min(r.Right, whole.Right) - whole.Left;
  const int top = std::max(r.Top, whole.Top) - whole.Top;
  const int bottom = std::min(r.Bottom, whole.Bottom) - whole.Top;
  const uint32_t value = uint32_t{alpha} << 24;
  for (int y = top; y < bottom; ++y) {
    uint32_t* row = buffer->bits + static_cast<size_t>(y) * static_cast<size_t>(whole.Width());
    for (int x = left; x < right; ++x) row[x] = (row[x] & 0x00FFFFFFu) | value;
  }
  return S_OK;
}

void UxThemeStart() {
  static const ModuleExport kExports[] = {
      {"CloseThemeData", ExportOf(&CloseThemeData)},
      {"DrawThemeBackground", ExportOf(&DrawThemeBackground)},
      {"DrawThemeEdge", ExportOf(&DrawThemeEdge)},
      {"DrawThemeIcon", ExportOf(&DrawThemeIcon)},
      {"DrawThemeParentBackground", ExportOf(&DrawThemeParentBackground)},
      {"DrawThemeText", ExportOf(&DrawThemeText)},
      {"DrawThemeTextEx", ExportOf(&DrawThemeTextEx)},
      {"EnableThemeDialogTexture", ExportOf(&EnableThemeDialogTexture)},
      {"GetCurrentThemeName", ExportOf(&GetCurrentThemeName)},
      {"GetThemeAppProperties", ExportOf(&GetThemeAppProperties)},
      {"GetThemeBackgroundContentRect", ExportOf(&GetThemeBackgroundContentRect)},
      {"GetThemeBackgroundRegion", ExportOf(&GetThemeBackgroundRegion)},
      {"GetThemeBackgroundExtent", ExportOf(&GetThemeBackgroundExtent)},
      {"GetThemeBool", ExportOf(&GetThemeBool)},
      {"GetThemeColor", ExportOf(&GetThemeColor)},
      {"GetThemeDocumentationProperty", ExportOf(&GetThemeDocumentationProperty)},
      {"GetThemeEnumValue", ExportOf(&GetThemeEnumValue)},
      {"GetThemeFilename", ExportOf(&GetThemeFilename)},
      {"GetThemeFont", ExportOf(&GetThemeFont)},
      {"GetThemeInt", ExportOf(&GetThemeInt)},
      {"GetThemeIntList", ExportOf(&GetThemeIntList)},
      {"GetThemeMargins", ExportOf(&GetThemeMargins)},
      {"GetThemeMetric", ExportOf(&GetThemeMetric)},
      {"GetThemePartSize", ExportOf(&GetThemePartSize)},
      {"GetThemePosition", ExportOf(&GetThemePosition)},
      {"GetThemePropertyOrigin", ExportOf(&GetThemePropertyOrigin)},
      {"GetThemeRect", ExportOf(&GetThemeRect)},
      {"GetThemeString", ExportOf(&GetThemeString)},
      {"GetThemeSysBool", ExportOf(&GetThemeSysBool)},
      {"GetThemeSysColor", ExportOf(&GetThemeSysColor)},
      {"GetThemeSysColorBrush", ExportOf(&GetThemeSysColorBrush)},
      {"GetThemeSysFont", ExportOf(&GetThemeSysFont)},
      {"GetThemeSysInt", ExportOf(&GetThemeSysInt)},
      {"GetThemeSysSize", ExportOf(&GetThemeSysSize)},
      {"GetThemeSysString", ExportOf(&GetThemeSysString)},
      {"GetThemeTextExtent", ExportOf(&GetThemeTextExtent)},
      {"GetThemeTextMetrics", ExportOf(&GetThemeTextMetrics)},
      {"GetWindowTheme", ExportOf(&GetWindowTheme)},
      {"HitTestThemeBackground", ExportOf(&HitTestThemeBackground)},
      {"IsAppThemed", ExportOf(&IsAppThemed)},
      {"IsThemeActive", ExportOf(&IsThemeActive)},
      {"IsThemePartDefined", ExportOf(&IsThemePartDefined)},
      {"IsThemeBackgroundPartiallyTransparent", ExportOf(&IsThemeBackgroundPartiallyTransparent)},
      {"IsThemeDialogTextureEnabled", ExportOf(&IsThemeDialogTextureEnabled)},
      {"OpenThemeData", ExportOf(&OpenThemeData)},
      {"SetThemeAppProperties", ExportOf(&SetThemeAppProperties)},
      {"SetWindowTheme", ExportOf(&SetWindowTheme)},
      {"BufferedPaintInit", ExportOf(&BufferedPaintInit)},
      {"BufferedPaintUnInit", ExportOf(&BufferedPaintUnInit)},
      {"BeginBufferedPaint", ExportOf(&BeginBufferedPaint)},
      {"EndBufferedPaint", ExportOf(&EndBufferedPaint)},
      {"BufferedPaintSetAlpha", ExportOf(&BufferedPaintSetAlpha)},
  };
  RegisterModule("uxtheme", kExports);
}
