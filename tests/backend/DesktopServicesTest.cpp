#include <cstring>
#include <thread>

#include "BackendFixture.h"
#include "gdi/Drawing.h"

namespace {

uint32_t WindowPixel(HWND window, int x, int y) {
  PixelSurface surface;
  if (!GetWindowSurface(window, &surface)) return 0xDEADBEEF;
  return surface.Row32(y)[x] & 0x00FFFFFF;
}

}  // namespace

TEST_F(BackendTest, CaretBlinksOnTheClockAndLeavesThePixelsAsTheyWere) {
  HWND window = Create(WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 100), RGB(255, 255, 255));
  Pump();
  ASSERT_TRUE(CreateCaret(window, nullptr, 2, 10));
  SetCaretPos(20, 30);
  Pump();
  EXPECT_EQ(WindowPixel(window, 20, 30), 0xFFFFFFu) << "a new caret is hidden";
  ShowCaret(window);
  Pump();
  EXPECT_EQ(WindowPixel(window, 20, 30), 0u);
  EXPECT_EQ(WindowPixel(window, 21, 39), 0u);
  EXPECT_EQ(WindowPixel(window, 22, 30), 0xFFFFFFu);

  UINT blink = GetCaretBlinkTime();
  clock.Advance(blink);
  Pump();
  EXPECT_EQ(WindowPixel(window, 20, 30), 0xFFFFFFu);
  clock.Advance(blink);
  Pump();
  EXPECT_EQ(WindowPixel(window, 20, 30), 0u);

  // Repainting the window under a shown caret keeps one caret, not a ghost.
  InvalidateRect(window, nullptr, TRUE);
  Pump();
  EXPECT_EQ(WindowPixel(window, 20, 30), 0u);
  HideCaret(window);
  EXPECT_EQ(WindowPixel(window, 20, 30), 0xFFFFFFu);
  EXPECT_FALSE(ShowCaret(Create(WS_POPUP, Bounds(0, 0, 10, 10), 0))) << "not the caret's window";
  POINT at;
  ASSERT_TRUE(GetCaretPos(&at));
  EXPECT_EQ(at.X, 20);
  DestroyCaret();
  EXPECT_FALSE(GetCaretPos(&at));
}

TEST_F(BackendTest, ClipboardTextRoundTripsBetweenFormats) {
  EXPECT_EQ(SetClipboardData(CF_TEXT, GlobalAlloc(GHND, 4)), nullptr) << "the clipboard is not open";
  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(EmptyClipboard());
  const char text[] = "Gr\xC3\xBC\xC3\x9F" "e";
  HGLOBAL block = GlobalAlloc(GHND, sizeof text);
  std::memcpy(GlobalLock(block), text, sizeof text);
  GlobalUnlock(block);
  EXPECT_NE(SetClipboardData(CF_TEXT, block), nullptr);
  CloseClipboard();

  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
  ASSERT_TRUE(OpenClipboard(nullptr));
  auto* wide = static_cast<const char16_t*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)));
  ASSERT_NE(wide, nullptr);
  EXPECT_EQ(std::u16string(wide), u"Grüße");
  auto* narrow = static_cast<const char*>(GlobalLock(GetClipboardData(CF_TEXT)));
  EXPECT_STREQ(narrow, text);
  EmptyClipboard();
  CloseClipboard();
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
}

TEST_F(BackendTest, ClipboardStringsGoInAndOutInOneStep) {
  String text;
  ASSERT_TRUE(SetClipboardString(nullptr, "12,5 \xE2\x82\xAC"));
  ASSERT_TRUE(GetClipboardString(nullptr, text));
  EXPECT_EQ(text, "12,5 \xE2\x82\xAC");
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  EXPECT_FALSE(GetClipboardString(nullptr, text)) << "no text";
}

TEST_F(BackendTest, OneMonitorCoversTheScreen) {
  HMONITOR inside = MonitorFromPoint({10, 10}, MONITOR_DEFAULTTONULL);
  ASSERT_NE(inside, nullptr);
  EXPECT_EQ(MonitorFromPoint({-5, 10}, MONITOR_DEFAULTTONULL), nullptr);
  EXPECT_EQ(MonitorFromPoint({5000, 10}, MONITOR_DEFAULTTONEAREST), inside);
  RECT offscreen{2000, 2000, 2100, 2100};
  EXPECT_EQ(MonitorFromRect(&offscreen, MONITOR_DEFAULTTONULL), nullptr);
  HWND window = Create(WS_POPUP, Bounds(1200, 900, 200, 200), 0);
  EXPECT_EQ(MonitorFromWindow(window, MONITOR_DEFAULTTONULL), inside);

  MONITORINFO info;
  ASSERT_TRUE(GetMonitorInfo(inside, &info));
  EXPECT_EQ(info.rcMonitor, (RECT{0, 0, 1280, 1024}));
  EXPECT_EQ(info.rcWork, (RECT{0, 0, 1280, 1024}));
  EXPECT_EQ(info.dwFlags, MONITORINFOF_PRIMARY);
  info.cbSize = 12;
  EXPECT_FALSE(GetMonitorInfo(inside, &info));

  int calls = 0;
  RECT clip{100, 100, 5000, 200};
  EnumDisplayMonitors(
      nullptr, &clip,
      [](HMONITOR, HDC, RECT* area, LPARAM data) {
        ++*reinterpret_cast<int*>(data);
        EXPECT_EQ(*area, (RECT{100, 100, 1280, 200}));
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&calls));
  EXPECT_EQ(calls, 1);
}

TEST_F(BackendTest, CursorsFollowWmSetCursorAndTheShowCount) {
  HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
  ASSERT_NE(arrow, nullptr);
  EXPECT_EQ(LoadCursor(nullptr, IDC_ARROW), arrow);
  EXPECT_EQ(SystemCursorId(LoadCursor(nullptr, IDC_HAND)), 32649);
  EXPECT_EQ(LoadCursor(nullptr, IdcName(12345)), nullptr);
  ICONINFO info;
  ASSERT_TRUE(GetIconInfo(arrow, &info));
  EXPECT_FALSE(info.fIcon);
  DeleteObject(info.hbmMask);
  DeleteObject(info.hbmColor);

  HWND window = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, Bounds(100, 100, 300, 200), RGB(255, 255, 255));
  Pump();
  SetCursor(nullptr);
  ScriptMouseMove({250, 200});
  Pump();
  EXPECT_EQ(screen.ShownCursor(), arrow) << "the class cursor over the client area";
  RECT frame;
  GetWindowRect(window, &frame);
  ScriptMouseMove({frame.Right - 1, 200});
  Pump();
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_SIZEWE));

  EXPECT_EQ(ShowCursor(FALSE), -1);
  EXPECT_EQ(screen.ShownCursor(), nullptr);
  EXPECT_EQ(ShowCursor(TRUE), 0);
  EXPECT_NE(screen.ShownCursor(), nullptr);
}

TEST_F(BackendTest, AnimateWindowShowsAndHidesAtOnce) {
  HWND window = Create(WS_POPUP, Bounds(10, 10, 50, 50), RGB(0, 0, 255));
  EXPECT_FALSE(AnimateWindow(window, 200, AW_HIDE | AW_BLEND));
  ASSERT_TRUE(AnimateWindow(window, 200, AW_SLIDE | AW_VER_POSITIVE));
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_NE(GetActiveWindow(), window);
  EXPECT_FALSE(AnimateWindow(window, 200, AW_BLEND));
  ASSERT_TRUE(AnimateWindow(window, 200, AW_HIDE | AW_BLEND));
  EXPECT_FALSE(IsWindowVisible(window));
  int beeps = screen.Beeps();
  MessageBeep(MB_ICONERROR);
  EXPECT_EQ(screen.Beeps(), beeps + 1);
}

TEST_F(BackendTest, VideoFramesFromAnotherThreadShowScaledInTheClientArea) {
  HWND frame = Create(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, Bounds(0, 0, 200, 150), RGB(255, 255, 255));
  HWND video = Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, Bounds(20, 10, 80, 60), RGB(0, 0, 0), frame);
  HWND over = Create(WS_CHILD | WS_VISIBLE, Bounds(90, 60, 30, 30), RGB(255, 0, 0), frame);
  SetWindowPos(over, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  Pump();
  // A 2 x 2 frame: green on the left, blue on the right.
  const uint32_t pixels[] = {0x0000FF00, 0x000000FF, 0x0000FF00, 0x000000FF};
  std::thread engine([&] { EXPECT_TRUE(VideoSurfaceShowFrame(video, pixels, 2, 2, 8)); });
  engine.join();
  Pump();
  EXPECT_EQ(WindowPixel(frame, 21, 11), 0x00FF00u);
  EXPECT_EQ(WindowPixel(frame, 98, 30), 0x0000FFu);
  EXPECT_EQ(WindowPixel(frame, 95, 65), 0xFF0000u) << "a sibling above keeps its pixels";
  EXPECT_EQ(WindowPixel(frame, 5, 5), 0xFFFFFFu);

  // Its own painting going over the picture does not lose it.
  InvalidateRect(video, nullptr, TRUE);
  Pump();
  EXPECT_EQ(WindowPixel(frame, 21, 11), 0x00FF00u);

  // Frames still coming while the window goes away are dropped.
  std::atomic<bool> stop{false};
  std::thread late([&] {
    while (!stop) VideoSurfaceShowFrame(video, pixels, 2, 2, 8);
  });
  Pump();
  DestroyWindow(video);
  Pump();
  stop = true;
  late.join();
  Pump();
  EXPECT_FALSE(VideoSurfaceShowFrame(video, pixels, 2, 2, 8));
  EXPECT_FALSE(VideoSurfaceShowFrame(frame, pixels, 2, 2, 4)) << "a stride shorter than a row";
}
