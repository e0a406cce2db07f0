#pragma once
// A window class whose procedure records every message and lets a test answer any of them, a fake
// clock, and a pump that runs the queue until it is empty.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "gdi/Gdi.h"
#include "user/User.h"

struct Recorded {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

using Handler = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT*)>;

class UserTest : public testing::Test {
 public:
  void SetUp() override;
  void TearDown() override;

  // A top-level or child window of the recording class (with CS_DBLCLKS when asked).
  HWND Create(DWORD style, const RECT& bounds, HWND parent = nullptr, DWORD exStyle = 0, bool doubleClicks = false);
  // Runs everything queued, paints, and returns when nothing is left (timers due later stay).
  void Pump();
  // The messages recorded for a window (or all with null), in order, among the given ones (all
  // when empty).
  std::vector<UINT> Messages(HWND window, std::vector<UINT> only = {}) const;
  std::vector<Recorded> log;
  FakeClock clock;
  static std::map<HWND, Handler> handlers;
  static UserTest* current;
};

POINT ScreenPoint(HWND window, int x, int y);
void Click(POINT screen, MouseButton button = MouseButton::Left);
