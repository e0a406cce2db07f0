#include "UserTestSupport.h"

#include "WindowManagerState.h"

std::map<HWND, Handler> UserTest::handlers;
UserTest* UserTest::current = nullptr;

namespace {

LRESULT RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (UserTest::current) UserTest::current->log.push_back({window, message, wParam, lParam});
  auto it = UserTest::handlers.find(window);
  if (it != UserTest::handlers.end()) {
    Handler handler = it->second;  // a copy: the handler may replace itself
    LRESULT result = 0;
    if (handler(window, message, wParam, lParam, &result)) return result;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

void RegisterOnce(const char* name, UINT style) {
  WNDCLASS c;
  if (GetClassInfo(nullptr, name, &c)) return;
  c.style = style;
  c.lpfnWndProc = RecordingProc;
  c.hbrBackground = SysColorClassBrush(COLOR_BTNFACE);
  c.lpszClassName = name;
  RegisterClass(&c);
}

}  // namespace

void UserTest::SetUp() {
  current = this;
  SetClock(&clock);
  RegisterOnce("TestWindow", 0);
  RegisterOnce("TestWindowDbl", CS_DBLCLKS);
}

void UserTest::TearDown() {
  ResetWindowManager();
  handlers.clear();
  current = nullptr;
  SetClock(nullptr);
}

HWND UserTest::Create(DWORD style, const RECT& bounds, HWND parent, DWORD exStyle, bool doubleClicks) {
  return CreateWindowEx(exStyle, doubleClicks ? "TestWindowDbl" : "TestWindow", "test", style, bounds.Left,
                        bounds.Top, bounds.Width(), bounds.Height(), parent, nullptr, nullptr, nullptr);
}

void UserTest::Pump() {
  DispatchQueued();
}

std::vector<UINT> UserTest::Messages(HWND window, std::vector<UINT> only) const {
  std::vector<UINT> out;
  for (const Recorded& r : log) {
    if (window && r.window != window) continue;
    if (!only.empty() && std::find(only.begin(), only.end(), r.message) == only.end()) continue;
    out.push_back(r.message);
  }
  return out;
}

POINT ScreenPoint(HWND window, int x, int y) {
  POINT p{x, y};
  ClientToScreen(window, &p);
  return p;
}

void Click(POINT screen, MouseButton button) {
  InputMouseMove(screen);
  InputMouseButton(screen, button, true);
  InputMouseButton(screen, button, false);
}
