// The caret's state and its blinking. Inverting twice gives back the pixels under it, so the
// caret can come and go without the window repainting.

#include "user/Caret.h"

#include "gdi/Blits.h"
#include "gdi/DeviceContexts.h"
#include "gdi/SysMetrics.h"
#include "user/Painting.h"
#include "user/Timers.h"
#include "user/WindowTree.h"

namespace {

// The blink timer's id on the caret's window: out of the range programs number their timers in.
constexpr UINT_PTR kBlinkTimerId = 0xCA7E7000;
constexpr UINT kDefaultBlinkTime = 530;

struct CaretState {
  HWND window = nullptr;
  HBITMAP bitmap = nullptr;
  int width = 0;
  int height = 0;
  POINT position;
  int hideCount = 0;
  bool on = false;           // its pixels are inverted right now
  bool pausedForPaint = false;
};

CaretState gCaret;
UINT gBlinkTime = kDefaultBlinkTime;

void Invert() {
  HDC dc = GetDC(gCaret.window);
  if (!dc) return;
  HBITMAP shape = gCaret.bitmap;
  if (shape && shape != reinterpret_cast<HBITMAP>(1)) {
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, shape);
    BitBlt(dc, gCaret.position.X, gCaret.position.Y, gCaret.width, gCaret.height, source, 0, 0, SRCINVERT);
    SelectObject(source, old);
    DeleteDC(source);
  } else {
    PatBlt(dc, gCaret.position.X, gCaret.position.Y, gCaret.width, gCaret.height, DSTINVERT);
  }
  ReleaseDC(gCaret.window, dc);
}

void TurnOff() {
  if (!gCaret.on) return;
  Invert();
  gCaret.on = false;
}

void BlinkTick(HWND, UINT, UINT_PTR, DWORD) {
  if (!gCaret.window || gCaret.hideCount > 0 || gCaret.pausedForPaint) return;
  Invert();
  gCaret.on = !gCaret.on;
}

// Shows the caret at once and starts the blink over, as after a move or ShowCaret.
void TurnOnAndRestartBlink() {
  if (gCaret.hideCount > 0 || !gCaret.window) return;
  if (!gCaret.on) {
    Invert();
    gCaret.on = true;
  }
  SetTimer(gCaret.window, kBlinkTimerId, gBlinkTime, BlinkTick);
}

bool Owns(HWND window) { return gCaret.window && (window == nullptr || window == gCaret.window); }

}  // namespace

BOOL CreateCaret(HWND window, HBITMAP bitmap, int width, int height) {
  if (!IsWindow(window)) return FALSE;
  DestroyCaret();
  if (bitmap && bitmap != reinterpret_cast<HBITMAP>(1)) {
    BITMAP info;
    if (!GetObject(bitmap, sizeof info, &info)) return FALSE;
    width = info.bmWidth;
    height = info.bmHeight;
  }
  gCaret.window = window;
  gCaret.bitmap = bitmap;
  gCaret.width = width > 0 ? width : GetSystemMetrics(SM_CXBORDER);
  gCaret.height = height > 0 ? height : GetSystemMetrics(SM_CYBORDER);
  gCaret.position = {0, 0};
  gCaret.hideCount = 1;
  gCaret.on = false;
  gCaret.pausedForPaint = false;
  return TRUE;
}

BOOL DestroyCaret() {
  if (!gCaret.window) return FALSE;
  if (IsWindow(gCaret.window)) {
    TurnOff();
    KillTimer(gCaret.window, kBlinkTimerId);
  }
  gCaret = CaretState();
  return TRUE;
}

BOOL SetCaretPos(int x, int y) {
  if (!gCaret.window) return FALSE;
  if (gCaret.position.X == x && gCaret.position.Y == y) return TRUE;
  TurnOff();
  gCaret.position = {x, y};
  TurnOnAndRestartBlink();
  return TRUE;
}

BOOL GetCaretPos(POINT* point) {
  if (!point || !gCaret.window) return FALSE;
  *point = gCaret.position;
  return TRUE;
}

BOOL ShowCaret(HWND window) {
  if (!Owns(window) || gCaret.hideCount == 0) return FALSE;
  if (--gCaret.hideCount == 0) TurnOnAndRestartBlink();
  return TRUE;
}

BOOL HideCaret(HWND window) {
  if (!Owns(window)) return FALSE;
  if (gCaret.hideCount++ == 0) {
    TurnOff();
    KillTimer(gCaret.window, kBlinkTimerId);
  }
  return TRUE;
}

UINT GetCaretBlinkTime() { return gBlinkTime; }

BOOL SetCaretBlinkTime(UINT milliseconds) {
  if (milliseconds == 0) return FALSE;
  gBlinkTime = milliseconds;
  if (gCaret.window && gCaret.hideCount == 0) SetTimer(gCaret.window, kBlinkTimerId, gBlinkTime, BlinkTick);
  return TRUE;
}

void CaretPaintBegins(HWND window) {
  if (!gCaret.window || window != gCaret.window || gCaret.pausedForPaint) return;
  gCaret.pausedForPaint = gCaret.on;
  TurnOff();
}

void CaretPaintEnds(HWND window) {
  if (window != gCaret.window || !gCaret.pausedForPaint) return;
  gCaret.pausedForPaint = false;
  if (gCaret.hideCount == 0) {
    Invert();
    gCaret.on = true;
  }
}

void CaretEnd() { gCaret = CaretState(); gBlinkTime = kDefaultBlinkTime; }
