#include "BackendFixture.h"

#include "tests/user/WindowManagerState.h"

std::vector<Seen> BackendTest::log;

namespace {

LRESULT PaintingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  BackendTest::log.push_back({window, message, wParam, lParam});
  if (message == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtr(window, GWLP_USERDATA)));
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    EndPaint(window, &ps);
    return 0;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

}  // namespace

void BackendTest::SetUp() {
  log.clear();
  SetClock(&clock);
  SetDisplayBackend(&screen);
  WNDCLASS c;
  if (!GetClassInfo(nullptr, "Painted", &c)) {
    c.style = CS_DBLCLKS;
    c.lpfnWndProc = PaintingProc;
    c.hCursor = LoadCursor(nullptr, IDC_ARROW);
    c.lpszClassName = "Painted";
    RegisterClass(&c);
  }
}

void BackendTest::TearDown() {
  ResetWindowManager();
  SetModalResponder(nullptr);
  SetDisplayBackend(nullptr);
  SetClock(nullptr);
}

HWND BackendTest::Create(DWORD style, const RECT& bounds, COLORREF colour, HWND parent, DWORD exStyle) {
  HWND window = CreateWindowEx(exStyle, "Painted", "Window", style, bounds.Left, bounds.Top, bounds.Width(),
                               bounds.Height(), parent, nullptr, nullptr, nullptr);
  SetWindowLongPtr(window, GWLP_USERDATA, static_cast<LONG_PTR>(colour));
  InvalidateRect(window, nullptr, TRUE);
  return window;
}

void BackendTest::Pump() {
  DispatchQueued();
  UpdateAllWindows();
}

uint32_t BackendTest::ScreenPixel(int x, int y) const {
  PixelImage image = screen.ComposeScreen();
  return image.pixels[static_cast<size_t>(y) * image.width + x] & 0x00FFFFFF;
}

std::vector<Seen> BackendTest::MessagesOf(HWND window, UINT message) const {
  std::vector<Seen> out;
  for (const Seen& s : log) {
    if (s.window == window && s.message == message) out.push_back(s);
  }
  return out;
}
