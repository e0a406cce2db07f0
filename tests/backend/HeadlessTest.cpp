#include <cstdio>
#include <fstream>
#include <iterator>

#include "BackendFixture.h"

namespace {

constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 200);
constexpr COLORREF kGreen = RGB(0, 160, 0);

WNDPROC gPaintedProc = nullptr;

// A window that lets every point through to what lies beneath it.
LRESULT ClickThroughProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCHITTEST) return HTTRANSPARENT;
  return CallWindowProc(gPaintedProc, window, message, wParam, lParam);
}

}  // namespace

TEST_F(BackendTest, ScreenComposesWindowsInZOrderWithLayeringAndRegions) {
  HWND bottom = Create(WS_POPUP | WS_VISIBLE, Bounds(100, 100, 200, 200), kRed);
  HWND top = Create(WS_POPUP | WS_VISIBLE, Bounds(150, 150, 200, 200), kBlue);
  Pump();
  uint32_t desktop = Rgb(GetSysColor(COLOR_BACKGROUND));
  EXPECT_EQ(ScreenPixel(50, 50), desktop);
  EXPECT_EQ(ScreenPixel(120, 120), Rgb(kRed));
  EXPECT_EQ(ScreenPixel(200, 200), Rgb(kBlue));  // the later window is on top

  SetWindowPos(bottom, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  Pump();
  EXPECT_EQ(ScreenPixel(200, 200), Rgb(kRed));

  // Half transparent on top: the two colours mix.
  SetWindowPos(top, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetWindowLong(top, GWL_EXSTYLE, WS_EX_LAYERED);
  SetLayeredWindowAttributes(top, 0, 128, LWA_ALPHA);
  Pump();
  uint32_t mixed = ScreenPixel(200, 200);
  EXPECT_NEAR(static_cast<int>((mixed >> 16) & 0xFF), 100, 2);
  EXPECT_NEAR(static_cast<int>(mixed & 0xFF), 100, 2);

  // A colour key lets what is below show through.
  SetLayeredWindowAttributes(top, kBlue, 255, LWA_COLORKEY);
  Pump();
  EXPECT_EQ(ScreenPixel(200, 200), Rgb(kRed));

  // Outside its region a window shows nothing.
  HWND shaped = Create(WS_POPUP | WS_VISIBLE, Bounds(500, 500, 100, 100), kGreen);
  SetWindowRgn(shaped, CreateEllipticRgn(0, 0, 100, 100), TRUE);
  Pump();
  EXPECT_EQ(ScreenPixel(550, 550), Rgb(kGreen));
  EXPECT_EQ(ScreenPixel(502, 502), desktop);

  ShowWindow(bottom, SW_HIDE);
  Pump();
  EXPECT_EQ(ScreenPixel(120, 120), desktop);
}

// As key tips are shown: a translucent top-level tool window over a form, which clicks pass.
TEST_F(BackendTest, ClickThroughToolWindowShowsTranslucentAndPassesClicksBeneath) {
  HWND form = Create(WS_POPUP | WS_VISIBLE, Bounds(100, 100, 200, 200), kRed);
  HWND tip = Create(WS_POPUP, Bounds(150, 150, 40, 20), kBlue, nullptr, WS_EX_TOOLWINDOW | WS_EX_LAYERED | WS_EX_TOPMOST);
  gPaintedProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtr(tip, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ClickThroughProc)));
  SetLayeredWindowAttributes(tip, 0, 153, LWA_ALPHA);
  ShowWindow(tip, SW_SHOWNOACTIVATE);
  Pump();
  uint32_t mixed = ScreenPixel(160, 160);
  EXPECT_NEAR(static_cast<int>((mixed >> 16) & 0xFF), 200 * 102 / 255, 2);
  EXPECT_NEAR(static_cast<int>(mixed & 0xFF), 200 * 153 / 255, 2);
  EXPECT_EQ(ScreenPixel(120, 120), Rgb(kRed));

  EXPECT_EQ(WindowFromPoint({160, 160}), form);
  ScriptClick({160, 160});
  Pump();
  EXPECT_EQ(MessagesOf(form, WM_LBUTTONDOWN).size(), 1u);
  EXPECT_TRUE(MessagesOf(tip, WM_LBUTTONDOWN).empty());
  EXPECT_NE(GetActiveWindow(), tip);
}

TEST_F(BackendTest, ScreenAndWindowSaveAsPng) {
  HWND window = Create(WS_POPUP | WS_VISIBLE, Bounds(10, 10, 40, 30), kGreen);
  Pump();
  String folder = testing::TempDir();
  String screenFile = folder + "/headless-screen.png";
  String windowFile = folder + "/headless-window.png";
  ASSERT_TRUE(screen.SaveScreenPng(screenFile));
  ASSERT_TRUE(screen.SaveWindowPng(window, windowFile));
  struct Expected { const String* file; int width; int height; };
  for (Expected e : {Expected{&screenFile, 1280, 1024}, Expected{&windowFile, 40, 30}}) {
    std::ifstream in(*e.file, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    PixelImage image;
    ASSERT_TRUE(DecodePng(bytes.data(), bytes.size(), image));
    EXPECT_EQ(image.width, e.width);
    EXPECT_EQ(image.height, e.height);
    std::remove(e.file->c_str());
  }
  EXPECT_FALSE(screen.SaveWindowPng(nullptr, folder + "/none.png"));
}

TEST_F(BackendTest, ScriptedInputReachesTheWindowsUnderIt) {
  HWND frame = Create(WS_POPUP | WS_VISIBLE, Bounds(100, 100, 300, 200), kRed);
  HWND child = Create(WS_CHILD | WS_VISIBLE, Bounds(50, 40, 100, 50), kBlue, frame);
  Pump();

  ScriptClick({160, 150});
  Pump();
  auto presses = MessagesOf(child, WM_LBUTTONDOWN);
  ASSERT_EQ(presses.size(), 1u);
  EXPECT_EQ(GET_X_LPARAM(presses[0].lParam), 10);
  EXPECT_EQ(GET_Y_LPARAM(presses[0].lParam), 10);
  EXPECT_EQ(MessagesOf(frame, WM_LBUTTONDOWN).size(), 0u);

  ScriptDoubleClick({110, 110});
  Pump();
  EXPECT_EQ(MessagesOf(frame, WM_LBUTTONDBLCLK).size(), 1u);

  SetFocus(child);  // the wheel goes to the focus
  ScriptWheel({160, 150}, -2);
  Pump();
  auto wheels = MessagesOf(child, WM_MOUSEWHEEL);
  ASSERT_EQ(wheels.size(), 1u);
  EXPECT_EQ(static_cast<SHORT>(HIWORD(wheels[0].wParam)), -240);

  ScriptDrag({300, 250}, {340, 270});
  Pump();
  auto moves = MessagesOf(frame, WM_MOUSEMOVE);
  ASSERT_FALSE(moves.empty());
  EXPECT_EQ(GET_X_LPARAM(MessagesOf(frame, WM_LBUTTONUP).back().lParam), 240);

  SetFocus(child);
  log.clear();
  ScriptTypeText("Hé 1");
  ScriptKeyPress('A', kCtrl);
  ScriptKeyPress(VK_F4, kShift);
  Pump();
  String typed;
  for (const Seen& s : MessagesOf(child, WM_CHAR)) typed += static_cast<char>(s.wParam);
  EXPECT_EQ(typed, "H\xC3\xA9 1\x01");
  auto keys = MessagesOf(child, WM_KEYDOWN);
  ASSERT_FALSE(keys.empty());
  EXPECT_EQ(keys.back().wParam, VK_F4);
}

// A child window that leaves its parent to float as a popup owned by the form, and comes back:
// what a toolbar does when it is dragged off its dock and onto it again.
TEST_F(BackendTest, AChildThatFloatsAsAnOwnedPopupAndComesBackShowsInBothPlaces) {
  HWND form = Create(WS_POPUP | WS_VISIBLE, Bounds(100, 100, 400, 300), kRed);
  HWND bar = Create(WS_CHILD | WS_VISIBLE, Bounds(10, 20, 120, 30), kBlue, form);
  Pump();
  ASSERT_EQ(ScreenPixel(115, 125), Rgb(kBlue));
  EXPECT_FALSE(screen.NativeWindowVisible(bar));

  auto floatAt = [&](const RECT& screenRect) {
    SetWindowLong(bar, GWL_STYLE, (GetWindowLong(bar, GWL_STYLE) & ~WS_CHILD) | WS_POPUP);
    SetParent(bar, nullptr);
    SetWindowLongPtr(bar, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(form));
    SetWindowPos(bar, HWND_TOP, screenRect.Left, screenRect.Top, screenRect.Width(), screenRect.Height(),
                 SWP_NOACTIVATE);
  };
  RECT docked;
  GetWindowRect(bar, &docked);
  floatAt(docked);
  Pump();
  RECT now;
  GetWindowRect(bar, &now);
  EXPECT_EQ(now, docked) << "it floats where it was docked";
  EXPECT_TRUE(IsWindowVisible(bar));
  EXPECT_TRUE(screen.NativeWindowVisible(bar));
  EXPECT_EQ(GetWindow(bar, GW_OWNER), form);
  EXPECT_EQ(ScreenPixel(115, 125), Rgb(kBlue));

  // Moved off the form: the form repaints where it was.
  floatAt(Bounds(600, 500, 120, 30));
  Pump();
  EXPECT_EQ(ScreenPixel(115, 125), Rgb(kRed));
  EXPECT_EQ(ScreenPixel(605, 505), Rgb(kBlue));
  EXPECT_EQ(screen.WindowImage(bar).width, 120);

  // Docked again lower down: the popup's native window and surface go, the form shows it.
  SetWindowLong(bar, GWL_STYLE, (GetWindowLong(bar, GWL_STYLE) & ~WS_POPUP) | WS_CHILD);
  SetParent(bar, form);
  SetWindowPos(bar, nullptr, 10, 200, 120, 30, SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
  EXPECT_FALSE(screen.NativeWindowVisible(bar));
  EXPECT_EQ(screen.WindowImage(bar).width, 0);
  EXPECT_TRUE(IsWindowVisible(bar));
  EXPECT_EQ(ScreenPixel(605, 505), Rgb(GetSysColor(COLOR_BACKGROUND)));
  EXPECT_EQ(ScreenPixel(115, 305), Rgb(kBlue));
  EXPECT_EQ(ScreenPixel(115, 125), Rgb(kRed));
}

// A loop of its own (as a drag runs) sees its timer fire during a scripted pause, and the input
// after the pause neither arrives nor moves the cursor before its time.
TEST_F(BackendTest, ScriptedPausesLetTheTimersOfALoopFireBetweenEvents) {
  HWND window = Create(WS_POPUP | WS_VISIBLE, Bounds(0, 0, 300, 300), kRed);
  Pump();
  log.clear();
  SetTimer(window, 1, 10, nullptr);
  const uint64_t start = clock.Now();
  ScriptMouseMove({10, 10});
  ScriptPause(25);
  ScriptMouseMove({50, 50});
  ScriptClick({60, 60});
  std::vector<std::pair<UINT, uint64_t>> seen;
  MSG msg;
  while (GetMessage(&msg, nullptr, 0, 0)) {
    if (msg.message == WM_TIMER || msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP)
      seen.push_back({msg.message, clock.Now() - start});
    if (msg.message == WM_TIMER) {
      POINT cursor;
      GetCursorPos(&cursor);
      EXPECT_EQ(cursor.X, 10) << "nothing after the pause is seen before its time";
    }
    DispatchMessage(&msg);
    if (msg.message == WM_LBUTTONUP) break;
  }
  KillTimer(window, 1);
  // The two moves after the pause come in together and merge, as unseen moves do.
  const std::vector<std::pair<UINT, uint64_t>> expected{
      {WM_MOUSEMOVE, 0}, {WM_TIMER, 10}, {WM_TIMER, 20}, {WM_MOUSEMOVE, 25}, {WM_LBUTTONUP, 25}};
  EXPECT_EQ(seen, expected);

  // What still waits behind a pause can be forgotten.
  ScriptPause(5);
  ScriptClick({70, 70});
  InputDropHeld();
  clock.Advance(10);
  Pump();
  EXPECT_EQ(MessagesOf(window, WM_LBUTTONDOWN).size(), 1u);
}
