#include "engine/SelRect.h"

#include <sys/stat.h>

#include <cstring>
#include <exception>

#include "engine/SelRectGeometry.h"
#include "gdi/Gdi.h"
#include "user/Cursors.h"
#include "user/User.h"

namespace {

const char* const kClassName = "SelectionRectangle";
constexpr UINT kDefaultMessage = WM_USER + 100;

// The library's one window and what it shows.
struct TSelWindow {
  HWND Window = nullptr;
  HWND MessageWindow = nullptr;
  UINT Message = kDefaultMessage;
  TRect Selection{};
  HBITMAP Background = nullptr;
  TSelPart Dragging = TSelPart::None;
  TPoint DragFrom{};
  TRect DragStart{};
};

TSelWindow gSel;

TRect ClientBounds() {
  RECT client{};
  GetClientRect(gSel.Window, &client);
  return client;
}

void SetBackground(HBITMAP bitmap) {
  if (gSel.Background != nullptr) DeleteObject(gSel.Background);
  gSel.Background = bitmap;
  if (gSel.Window != nullptr) InvalidateRect(gSel.Window, nullptr, FALSE);
}

void Notify() {
  if (gSel.MessageWindow == nullptr || !IsWindow(gSel.MessageWindow)) return;
  int32_t values[4] = {gSel.Selection.Left, gSel.Selection.Top, gSel.Selection.Right, gSel.Selection.Bottom};
  SendMessage(gSel.MessageWindow, gSel.Message, reinterpret_cast<WPARAM>(values), 0);
}

void Paint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  const RECT client = ClientBounds();
  if (gSel.Background != nullptr) {
    BITMAP info{};
    GetObject(gSel.Background, sizeof info, &info);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, gSel.Background);
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 0, 0, client.Width(), client.Height(), source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
  } else {
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  // A white frame with a black one inside reads on light and dark pictures alike.
  const TRect r = gSel.Selection;
  FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const RECT inner{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
  if (inner.Right > inner.Left && inner.Bottom > inner.Top)
    FrameRect(dc, &inner, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  TRect handles[8];
  SelHandles(r, handles);
  for (const TRect& h : handles) {
    FillRect(dc, &h, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FrameRect(dc, &h, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  EndPaint(window, &ps);
}

const char* CursorFor(TSelPart part) {
  switch (part) {
    case TSelPart::Move: return IDC_SIZEALL;
    case TSelPart::Left:
    case TSelPart::Right: return IDC_SIZEWE;
    case TSelPart::Top:
    case TSelPart::Bottom: return IDC_SIZENS;
    case TSelPart::TopLeft:
    case TSelPart::BottomRight: return IDC_SIZENWSE;
    case TSelPart::TopRight:
    case TSelPart::BottomLeft: return IDC_SIZENESW;
    case TSelPart::None: break;
  }
  return IDC_ARROW;
}

TPoint MousePoint(LPARAM lParam) { return TPoint{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

LRESULT SelRectProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the picture covers the window
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_LBUTTONDOWN: {
      const TPoint p = MousePoint(lParam);
      gSel.Dragging = SelPartAt(gSel.Selection, p);
      if (gSel.Dragging != TSelPart::None) {
        gSel.DragFrom = p;
        gSel.DragStart = gSel.Selection;
        SetCapture(window);
      }
      return 0;
    }
    case WM_MOUSEMOVE: {
      if (gSel.Dragging == TSelPart::None) return 0;
      const TPoint p = MousePoint(lParam);
      const TRect moved = DragSelection(gSel.DragStart, gSel.Dragging, p.X - gSel.DragFrom.X, p.Y - gSel.DragFrom.Y,
                                        ClientBounds());
      if (moved != gSel.Selection) {
        gSel.Selection = moved;
        InvalidateRect(window, nullptr, FALSE);
        Notify();
      }
      return 0;
    }
    case WM_LBUTTONUP:
      if (gSel.Dragging != TSelPart::None) {
        gSel.Dragging = TSelPart::None;
        ReleaseCapture();
      }
      return 0;
    case WM_CAPTURECHANGED:
      gSel.Dragging = TSelPart::None;
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        POINT p{};
        GetCursorPos(&p);
        ScreenToClient(window, &p);
        const TSelPart part = gSel.Dragging != TSelPart::None ? gSel.Dragging : SelPartAt(gSel.Selection, p);
        SetCursor(LoadCursor(nullptr, CursorFor(part)));
        return TRUE;
      }
      break;
    case WM_NCDESTROY:
      if (window == gSel.Window) {
        gSel.Window = nullptr;
        gSel.Dragging = TSelPart::None;
      }
      break;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

bool RegisterSelClass(HINSTANCE instance) {
  WNDCLASS existing;
  if (GetClassInfo(instance, kClassName, &existing)) return true;
  WNDCLASS c;
  c.lpfnWndProc = SelRectProc;
  c.hInstance = instance;
  c.hCursor = LoadCursor(nullptr, IDC_ARROW);
  c.lpszClassName = kClassName;
  return RegisterClass(&c) != 0;
}

}  // namespace

extern "C" {

HWND SCCreateSelrectWnd(HWND parent, HINSTANCE instance, Integer x, Integer y, Integer width, Integer height) {
  SCDestroySelrectWnd();
  if (!RegisterSelClass(instance)) return nullptr;
  gSel.Window = CreateWindowEx(0, kClassName, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, width, height, parent,
                               nullptr, instance, nullptr);
  if (gSel.Window != nullptr) gSel.Selection = ClientBounds();
  return gSel.Window;
}

BOOL SCSetMSGWnd(HWND window) {
  gSel.MessageWindow = window;
  return TRUE;
}

BOOL SCSetMSGRectID(UINT message) {
  gSel.Message = message;
  return TRUE;
}

BOOL SCSetRect(Integer left, Integer top, Integer right, Integer bottom) {
  if (gSel.Window == nullptr) return FALSE;
  gSel.Selection = NormalSelection(TRect{left, top, right, bottom}, ClientBounds());
  InvalidateRect(gSel.Window, nullptr, FALSE);
  return TRUE;
}

BOOL SCDrawBackGround(const char* path) {
  // Only a plain file: a folder or a pipe given by mistake must not block or break the reader.
  struct stat info {};
  if (path == nullptr || stat(path, &info) != 0 || !S_ISREG(info.st_mode)) return FALSE;
  HANDLE bitmap = nullptr;
  try {
    bitmap = LoadImage(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
  } catch (const std::exception&) {
    bitmap = nullptr;  // a damaged file keeps the picture shown before
  }
  if (bitmap == nullptr) return FALSE;
  SetBackground(static_cast<HBITMAP>(bitmap));
  return TRUE;
}

BOOL SCDrawBackGroundPixels(const void* pixels, Integer width, Integer height) {
  // The size limit keeps width * height * 4 well inside 32 bits.
  if (pixels == nullptr || width <= 0 || height <= 0 || width > 16384 || height > 16384) return FALSE;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr || bits == nullptr) return FALSE;
  memcpy(bits, pixels, size_t(width) * size_t(height) * 4);
  SetBackground(bitmap);
  return TRUE;
}

BOOL SCDestroySelrectWnd() {
  if (gSel.Window != nullptr) DestroyWindow(gSel.Window);
  gSel.Window = nullptr;
  gSel.Dragging = TSelPart::None;
  SetBackground(nullptr);
  return TRUE;
}

}

void SelRectEnd() { SCDestroySelrectWnd(); }
