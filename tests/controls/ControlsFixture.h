#pragma once
// A parent window that records what its controls tell it, input helpers, and screenshots of
// controls saved as PNG under $TAVREN_TEST_OUTPUT/controls for a person to look at.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "gdi/Gdi.h"
#include "user/User.h"

struct Notice {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class ControlsTest : public testing::Test {
 public:
  void SetUp() override;
  void TearDown() override;

  // A child of the parent window, visible, at client coordinates.
  HWND Child(const char* className, const char* text, DWORD style, RECT bounds, int id = 1, DWORD exStyle = 0);
  // Runs everything queued, paints, and returns when nothing is left.
  static void Pump();
  // Keys with modifiers held, through the input path (so GetKeyState sees them), then pumped.
  static void Key(UINT virtualKey, bool shift = false, bool ctrl = false);
  // Types text (UTF-8) one character per key press.
  static void Type(const std::string& text);
  // Plays a script: plain characters are typed; {Left}, {S-Left}, {C-Right}, {CS-Home}, {Back},
  // {Del}, {Enter}, {C-a}, {S-Ins}... press keys with Shift (S) and Ctrl (C).
  static void Play(const std::string& script);
  static void Click(HWND window, int x, int y, bool shift = false);
  static void DoubleClick(HWND window, int x, int y);
  static void Drag(HWND window, POINT from, POINT to);

  static std::string Text(HWND window);
  // WM_COMMAND notification codes sent by one control, in order.
  std::vector<WORD> Commands(HWND control) const;
  std::vector<Notice> Received(UINT message) const;
  // Saves the window (frame, client and children) as <name>.png.
  static void Screenshot(HWND window, const std::string& name);

  HWND parent = nullptr;
  std::vector<Notice> notices;
  // Optional answer of the parent to a message (return true when handled).
  std::function<bool(UINT, WPARAM, LPARAM, LRESULT*)> answer;
  static ControlsTest* current;
};

