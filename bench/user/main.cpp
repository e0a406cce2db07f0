// The window manager's costs on a form of 300 child controls (741 x 436): one full repaint and a
// mouse move across the form, against painting the same rectangles straight into one surface
// (the lower bound), the repaint again with a call-window hook installed (the editors keep one
// for the whole user-interface thread); and posting plus dispatching one message.

#include <chrono>
#include <cstdio>
#include <vector>

#include "backend/HeadlessBackend.h"
#include "gdi/Gdi.h"
#include "gdi/GdiUnits.h"
#include "rtl/RtlUnits.h"
#include "user/User.h"
#include "user/UserUnits.h"

namespace {

constexpr int kFormWidth = 741;
constexpr int kFormHeight = 436;
constexpr int kColumns = 20;
constexpr int kRows = 15;

using Timing = std::chrono::steady_clock;

double Microseconds(Timing::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

RECT ControlRect(int index) {
  int column = index % kColumns;
  int row = index / kColumns;
  return Bounds(4 + column * 36, 4 + row * 28, 32, 24);
}

// What a simple control draws: its face and a frame.
void PaintControl(HDC dc, const RECT& rect) {
  FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
  FrameRect(dc, &rect, GetSysColorBrush(COLOR_BTNSHADOW));
}

LRESULT ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    PaintControl(dc, client);
    EndPaint(window, &ps);
    return 0;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

void Register(const char* name, WNDPROC proc, HBRUSH background) {
  WNDCLASS c;
  c.lpfnWndProc = proc;
  c.lpszClassName = name;
  c.hbrBackground = background;
  c.hCursor = LoadCursor(nullptr, IDC_ARROW);
  RegisterClass(&c);
}

void Settle() {
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  UpdateAllWindows();
}

double LowerBoundRepaint(int rounds) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = kFormWidth;
  info.bmiHeader.biHeight = -kFormHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT form{0, 0, kFormWidth, kFormHeight};
  auto start = Timing::now();
  for (int r = 0; r < rounds; ++r) {
    FillRect(dc, &form, GetSysColorBrush(COLOR_WINDOW));
    for (int i = 0; i < kColumns * kRows; ++i) PaintControl(dc, ControlRect(i));
  }
  double each = Microseconds(Timing::now() - start) / rounds;
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bitmap);
  return each;
}

HHOOK gPassHook = nullptr;

LRESULT PassOn(int code, WPARAM wParam, LPARAM lParam) { return CallNextHookEx(gPassHook, code, wParam, lParam); }

}  // namespace

int main() {
  RtlStart();
  GdiStart();
  UserStart();
  HeadlessBackend screen;
  SetDisplayBackend(&screen);
  Register("BenchForm", DefWindowProc, GetSysColorBrush(COLOR_WINDOW));
  Register("BenchControl", ControlProc, nullptr);
  HWND form = CreateWindowEx(0, "BenchForm", "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, kFormWidth,
                             kFormHeight, nullptr, nullptr, nullptr, nullptr);
  for (int i = 0; i < kColumns * kRows; ++i) {
    RECT r = ControlRect(i);
    CreateWindowEx(0, "BenchControl", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, r.Left, r.Top, r.Width(),
                   r.Height(), form, nullptr, nullptr, nullptr);
  }
  Settle();

  constexpr int kRounds = 200;
  double bound = LowerBoundRepaint(kRounds);
  auto start = Timing::now();
  for (int r = 0; r < kRounds; ++r) {
    RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  double repaint = Microseconds(Timing::now() - start) / kRounds;
  std::printf("full repaint of 300 controls: %.1f us, lower bound %.1f us, ratio %.2f (goal <= 1.5)\n", repaint,
              bound, repaint / bound);

  gPassHook = SetWindowsHookEx(WH_CALLWNDPROC, PassOn, nullptr, GetCurrentThreadId());
  start = Timing::now();
  for (int r = 0; r < kRounds; ++r) {
    RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  double hooked = Microseconds(Timing::now() - start) / kRounds;
  UnhookWindowsHookEx(gPassHook);
  std::printf("full repaint with a call-window hook: %.1f us, %.2f of the repaint without\n", hooked,
              hooked / repaint);

  int moves = 0;
  start = Timing::now();
  for (int r = 0; r < 4; ++r) {
    for (int x = 0; x < kFormWidth; ++x, ++moves) {
      InputMouseMove({x, (x * kFormHeight) / kFormWidth});
      Settle();
    }
  }
  double move = Microseconds(Timing::now() - start) / moves;
  std::printf("mouse move across the form: %.2f us per move (%.4f of a full repaint's lower bound)\n", move,
              move / bound);

  constexpr int kMessages = 1000000;
  MSG msg;
  start = Timing::now();
  for (int i = 0; i < kMessages; ++i) {
    PostMessage(form, WM_USER, 0, 0);
    PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);
    DispatchMessage(&msg);
  }
  double post = Microseconds(Timing::now() - start) * 1000.0 / kMessages;
  std::printf("post + dispatch: %.0f ns per message (goal < 1000 ns)\n", post);

  DestroyWindow(form);
  SetDisplayBackend(nullptr);
  UserEnd();
  GdiEnd();
  RtlEnd();
  return 0;
}
