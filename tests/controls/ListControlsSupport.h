#pragma once
// A parent window that records what the list controls tell it (WM_COMMAND codes, WM_NOTIFY codes,
// owner-draw requests) and lets a test answer, input helpers, and a screenshot of a window.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/CommonNotify.h"
#include "controls/ImageList.h"
#include "controls/OwnerDraw.h"
#include "gdi/Gdi.h"
#include "user/User.h"

// A list of solid 12 x 12 squares, one per colour (0xAARRGGBB).
HIMAGELIST SquareImages(std::initializer_list<uint32_t> colours);
// Image 0 a solid blue 12 x 12 square, image 1 a red mark on its bottom-left 4 x 4 pixels (the
// rest clear), registered as overlay 2. The overlay is seen at (1, 10) of the image, the image alone
// at (10, 1).
HIMAGELIST ImagesWithOverlay();
constexpr COLORREF kOverlayImageColour = RGB(0x20, 0x50, 0xD0);
constexpr COLORREF kOverlayMarkColour = RGB(0xE0, 0x20, 0x20);
// The colour at (x, y) of what the control paints for WM_PRINTCLIENT.
COLORREF PrintedPixel(HWND control, int x, int y);

struct ParentEvent {
  UINT message;
  UINT code;  // WM_COMMAND notification code or WM_NOTIFY code; item id for owner draw
};

class ListControlsTest : public testing::Test {
 public:
  void SetUp() override;
  void TearDown() override;

  // A visible top-level window 400 x 300 whose client area holds the controls.
  HWND parent = nullptr;
  HWND Child(const char* className, DWORD style, const RECT& bounds, int id = 7, DWORD exStyle = 0);
  void Pump();
  void Click(HWND window, int x, int y, WPARAM keys = 0, bool doubleClick = false);
  void Key(UINT vk, uint32_t character = 0);
  void KeyWith(UINT modifier, UINT vk);
  void Type(const std::string& text);
  // Codes of the notifications (WM_COMMAND / WM_NOTIFY) received, in order.
  std::vector<UINT> Codes(UINT message) const;
  void ClearEvents() { events.clear(); }
  // Writes the window's pixels to $TAVREN_TEST_OUTPUT/<name>.png.
  void SaveScreenshot(HWND topLevel, const std::string& name);

  std::vector<ParentEvent> events;
  // Answers the parent's messages first when set; return true when handled.
  std::function<bool(UINT, WPARAM, LPARAM, LRESULT*)> answer;
  FakeClock clock;
  static ListControlsTest* current;

 private:
  Clock* previousClock_ = nullptr;
};
