#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <vector>

#include "MediaFixture.h"
#include "PreviewTestSupport.h"
#include "engine/SelRect.h"
#include "engine/SelRectGeometry.h"
#include "gdi/Gdi.h"
#include "gdi/ImageFiles.h"
#include "user/Cursors.h"
#include "user/User.h"

namespace {

constexpr UINT kSelMessage = 0x464;
std::vector<std::array<int32_t, 4>> gReceived;

LRESULT ListenerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kSelMessage) {
    const int32_t* r = reinterpret_cast<const int32_t*>(wParam);
    gReceived.push_back({r[0], r[1], r[2], r[3]});
    return 0;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

using Rect4 = std::array<int32_t, 4>;

}  // namespace

TEST(SelRectGeometry, DragsMoveAndResizeInsideTheBounds) {
  const TRect bounds{0, 0, 360, 240};
  const TRect start{40, 30, 200, 130};
  struct Case { const char* name; TSelPart part; Integer dx, dy; TRect expected; };
  const Case cases[] = {
      {"move", TSelPart::Move, 10, -5, {50, 25, 210, 125}},
      {"move stops at the right and top", TSelPart::Move, 500, -100, {200, 0, 360, 100}},
      {"move stops at the left and bottom", TSelPart::Move, -500, 500, {0, 140, 160, 240}},
      {"corner past the bounds", TSelPart::BottomRight, 400, 400, {40, 30, 360, 240}},
      {"corner", TSelPart::TopLeft, -10, 5, {30, 35, 200, 130}},
      {"edge moves one side only", TSelPart::Right, 20, 50, {40, 30, 220, 130}},
      {"left edge stops short of the right", TSelPart::Left, 400, 0, {200 - kSelMinSize, 30, 200, 130}},
      {"top edge stops short of the bottom", TSelPart::Top, 0, 400, {40, 130 - kSelMinSize, 200, 130}},
      {"nothing grabbed", TSelPart::None, 10, 10, start},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DragSelection(start, c.part, c.dx, c.dy, bounds), c.expected);
  }
}

TEST(SelRectGeometry, PartsUnderTheMouse) {
  const TRect r{40, 30, 200, 130};
  struct Case { TPoint point; TSelPart part; };
  const Case cases[] = {
      {{40, 30}, TSelPart::TopLeft},      {{120, 31}, TSelPart::Top},        {{202, 28}, TSelPart::TopRight},
      {{199, 80}, TSelPart::Right},       {{200, 130}, TSelPart::BottomRight}, {{120, 128}, TSelPart::Bottom},
      {{41, 131}, TSelPart::BottomLeft},  {{38, 80}, TSelPart::Left},        {{100, 60}, TSelPart::Move},
      {{10, 10}, TSelPart::None},         {{300, 80}, TSelPart::None},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.point.X << "," << c.point.Y);
    EXPECT_EQ(SelPartAt(r, c.point), c.part);
  }
  // Sides come in order and inside the bounds.
  EXPECT_EQ(NormalSelection(TRect{400, -5, 10, 250}, TRect{0, 0, 360, 240}), (TRect{10, 0, 360, 240}));
}

// The crop page's set-up: a 400 x 300 panel at (100, 100) on the screen, the selection window at
// (20, 15) in it, 360 x 240, reporting to a listener window.
class SelRect : public testing::Test {
 public:
  void SetUp() override {
    WNDCLASS c;
    c.lpfnWndProc = ListenerProc;
    c.lpszClassName = "SelRectListener";
    RegisterClass(&c);
    gReceived.clear();
    panel = MakeTestWindow(100, 100, 400, 300);
    listener = CreateWindowEx(0, "SelRectListener", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    window = SCCreateSelrectWnd(panel, nullptr, 20, 15, 360, 240);
    ASSERT_NE(window, nullptr);
    SCSetMSGWnd(listener);
    SCSetMSGRectID(kSelMessage);
    Pump();
  }
  void TearDown() override {
    SCDestroySelrectWnd();
    DestroyWindow(listener);
    DestroyWindow(panel);
    Pump();
  }
  static void Pump() { PumpUntil([] { return true; }, 0); }
  // Screen point of a point in the selection window.
  static POINT At(int x, int y) { return POINT{120 + x, 115 + y}; }
  void Drag(POINT from, POINT to) {
    InputMouseMove(from);
    InputMouseButton(from, MouseButton::Left, true);
    Pump();
    InputMouseMove(POINT{(from.X + to.X) / 2, (from.Y + to.Y) / 2});
    Pump();
    InputMouseMove(to);
    Pump();
    InputMouseButton(to, MouseButton::Left, false);
    Pump();
  }
  // The panel's pixel at a point of the selection window, as 0x00RRGGBB.
  uint32_t PixelAt(int x, int y) {
    Pump();
    PixelSurface surface;
    EXPECT_TRUE(GetWindowSurface(panel, &surface));
    return surface.Row32(15 + y)[20 + x] & 0x00FFFFFF;
  }

  HWND panel = nullptr;
  HWND listener = nullptr;
  HWND window = nullptr;
};

TEST_F(SelRect, DraggingTheInsideMovesTheRectangleAndReportsEachChange) {
  ASSERT_TRUE(SCSetRect(36, 24, 180, 120));
  Pump();
  EXPECT_TRUE(gReceived.empty());  // the caller's own changes are not reported back

  Drag(At(100, 70), At(130, 90));
  ASSERT_FALSE(gReceived.empty());
  EXPECT_EQ(gReceived.back(), (Rect4{66, 44, 210, 140}));
  EXPECT_EQ(gReceived.size(), 2u);  // once per mouse move that changed it

  // A rectangle set outside the window is kept inside it, sides in order.
  gReceived.clear();
  ASSERT_TRUE(SCSetRect(400, -5, 10, 250));
  Drag(At(100, 100), At(99, 100));
  ASSERT_EQ(gReceived.size(), 1u);
  EXPECT_EQ(gReceived.back(), (Rect4{9, 0, 359, 240}));

  // Moving further than the window allows stops at its edge, and a release ends the drag.
  gReceived.clear();
  Drag(At(100, 100), At(-300, 100));
  ASSERT_FALSE(gReceived.empty());
  EXPECT_EQ(gReceived.back(), (Rect4{0, 0, 350, 240}));
  gReceived.clear();
  InputMouseMove(At(200, 100));
  Pump();
  EXPECT_TRUE(gReceived.empty());
}

TEST_F(SelRect, HandlesResizeUpToThePictureAndKeepTheSidesApart) {
  ASSERT_TRUE(SCSetRect(36, 24, 180, 120));
  Drag(At(180, 120), At(500, 400));
  ASSERT_FALSE(gReceived.empty());
  EXPECT_EQ(gReceived.back(), (Rect4{36, 24, 360, 240}));

  Drag(At(36, 132), At(359, 132));  // the left handle, past the right side
  EXPECT_EQ(gReceived.back(), (Rect4{360 - kSelMinSize, 24, 360, 240}));

  Drag(At(356, 24), At(356, -50));  // the top handle, past the top
  EXPECT_EQ(gReceived.back(), (Rect4{360 - kSelMinSize, 0, 360, 240}));
}

TEST_F(SelRect, CursorShowsWhatADragWouldDo) {
  ASSERT_TRUE(SCSetRect(36, 24, 180, 120));
  struct Case { int x, y; const char* cursor; };
  const Case cases[] = {{36, 24, IDC_SIZENWSE}, {180, 24, IDC_SIZENESW}, {108, 120, IDC_SIZENS},
                        {36, 72, IDC_SIZEWE},   {100, 70, IDC_SIZEALL},  {300, 200, IDC_ARROW}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
    InputMouseMove(At(c.x, c.y));
    Pump();
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, c.cursor));
  }
}

TEST_F(SelRect, BackgroundFromPixelsOrABitmapFileKeepsThePictureOnBadFiles) {
  ASSERT_TRUE(SCSetRect(100, 100, 200, 200));
  EXPECT_EQ(PixelAt(5, 5), 0x000000u);  // black until a picture comes

  // A 2 x 2 picture stretched over the window: red on the left, green on the right.
  const uint32_t pixels[4] = {0x00FF0000, 0x0000FF00, 0x00FF0000, 0x0000FF00};
  ASSERT_TRUE(SCDrawBackGroundPixels(pixels, 2, 2));
  EXPECT_EQ(PixelAt(5, 5), 0xFF0000u);
  EXPECT_EQ(PixelAt(350, 230), 0x00FF00u);
  EXPECT_FALSE(SCDrawBackGroundPixels(pixels, 0, 2));
  EXPECT_FALSE(SCDrawBackGroundPixels(nullptr, 2, 2));

  const String folder = NewOutputFolder("selrect");
  const uint32_t blue = 0x000000FF;
  HBITMAP bitmap = BitmapFromImage(PixelImage{1, 1, {blue}, false});
  std::vector<uint8_t> bmp;
  ASSERT_TRUE(EncodeBmp(bitmap, bmp));
  DeleteObject(bitmap);
  const String good = folder + "/snap.bmp";
  std::ofstream(good, std::ios::binary).write(reinterpret_cast<const char*>(bmp.data()), std::streamsize(bmp.size()));
  const String broken = folder + "/broken.bmp";
  std::ofstream(broken, std::ios::binary).write(reinterpret_cast<const char*>(bmp.data()), 20);

  ASSERT_TRUE(SCDrawBackGround(good.c_str()));
  EXPECT_EQ(PixelAt(5, 5), 0x0000FFu);
  for (const String& bad : {broken, folder + "/missing.bmp", folder, String()}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(SCDrawBackGround(bad.c_str()));
    EXPECT_EQ(PixelAt(5, 5), 0x0000FFu);
  }
  EXPECT_FALSE(SCDrawBackGround(nullptr));
}

TEST_F(SelRect, ADestroyedListenerOrWindowIsHarmless) {
  DestroyWindow(listener);
  listener = nullptr;
  Drag(At(100, 70), At(130, 90));
  EXPECT_TRUE(gReceived.empty());
  // The parent going first takes the selection window with it.
  DestroyWindow(panel);
  panel = nullptr;
  EXPECT_FALSE(SCSetRect(1, 2, 3, 4));
  EXPECT_TRUE(SCDestroySelrectWnd());
  Pump();
}
