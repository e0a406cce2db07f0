#pragma once
// A headless screen and a fake clock per test, windows that fill their client area with one
// colour and record the messages they get, and a pump that runs the queue dry.

#include <gtest/gtest.h>

#include <vector>

#include "backend/HeadlessBackend.h"
#include "backend/ScriptedInput.h"
#include "gdi/Gdi.h"
#include "user/User.h"

struct Seen {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class BackendTest : public testing::Test {
 public:
  void SetUp() override;
  void TearDown() override;

  // A window whose client area is painted in `colour`.
  HWND Create(DWORD style, const RECT& bounds, COLORREF colour, HWND parent = nullptr, DWORD exStyle = 0);
  void Pump();
  // The screen pixel as 0x00RRGGBB.
  uint32_t ScreenPixel(int x, int y) const;
  std::vector<Seen> MessagesOf(HWND window, UINT message) const;

  HeadlessBackend screen;
  FakeClock clock;
  static std::vector<Seen> log;
};

// 0x00RRGGBB of a COLORREF, as ScreenPixel answers.
constexpr uint32_t Rgb(COLORREF c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }
