#include "toolkit/bars/qzDropDownFrame.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "backend/HeadlessBackend.h"
#include "user/Rects.h"

namespace {

// A drop-down list window as the combo items make it: a one-pixel frame and, when sizable, the
// grip band on the corner's edge; its non-client painting draws the frame.
struct TDropDownLook {
  bool sizable = true;
  bool flat = false;
  TqzGripCorner corner = gcBottomRight;
  bool hot = false;
  bool down = false;
  TRect grip, close;
};

std::map<HWND, TDropDownLook>& Looks() {
  static std::map<HWND, TDropDownLook> looks;
  return looks;
}

LRESULT DropDownProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TDropDownLook& look = Looks()[window];
  switch (message) {
    case WM_NCCALCSIZE: {
      auto* r = reinterpret_cast<RECT*>(lParam);
      if (wParam) r = &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0];
      InflateRect(r, -1, -1);
      if (look.sizable) {
        if (look.corner == gcTopLeft || look.corner == gcTopRight) r->Top += GripBandHeight();
        else r->Bottom -= GripBandHeight();
      }
      return 0;
    }
    case WM_NCPAINT:
      DrawDropDownWindowFrame(window, look.sizable, look.flat, look.corner, look.grip, look.close, look.hot, look.down);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      RECT client;
      GetClientRect(window, &client);
      FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
      HGDIOBJ font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
      SetBkMode(dc, TRANSPARENT);
      const char* items[] = {"Red", "Green", "Blue", "Yellow", "Purple"};
      for (int i = 0; i < 5; ++i) {
        RECT row = Bounds(client.Left, client.Top + i * 16, client.Width(), 16);
        if (i == 2) FillRect(dc, &row, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(i == 2 ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        InflateRect(&row, -3, 0);
        DrawText(dc, items[i], -1, &row, DT_SINGLELINE | DT_VCENTER);
      }
      SelectObject(dc, font);
      EndPaint(window, &ps);
      return 0;
    }
  }
  return DefWindowProc(window, message, wParam, lParam);
}

class DropDownFrames : public testing::Test {
 protected:
  void SetUp() override {
    SetDisplayBackend(&screen);
    WNDCLASS c;
    if (!GetClassInfo(nullptr, "TestDropDownList", &c)) {
      c.lpfnWndProc = DropDownProc;
      c.hbrBackground = nullptr;
      c.lpszClassName = "TestDropDownList";
      RegisterClass(&c);
    }
  }
  void TearDown() override {
    for (HWND w : windows) DestroyWindow(w);
    Looks().clear();
    SetDisplayBackend(nullptr);
  }
  HWND Show(const TDropDownLook& ALook, const TRect& ABounds, HWND AParent = nullptr, DWORD AStyle = 0) {
    HWND window = CreateWindowEx(0, "TestDropDownList", "", (AParent ? WS_CHILD : WS_POPUP) | AStyle,
                                 ABounds.Left, ABounds.Top, ABounds.Width(), ABounds.Height(), AParent, nullptr,
                                 nullptr, nullptr);
    Looks()[window] = ALook;
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    if (!AParent) windows.push_back(window);
    return window;
  }
  static COLORREF WindowPixel(HWND AWindow, int AX, int AY) {
    HDC dc = GetWindowDC(AWindow);
    COLORREF pixel = GetPixel(dc, AX, AY);
    ReleaseDC(AWindow, dc);
    return pixel;
  }
  HeadlessBackend screen;
  std::vector<HWND> windows;
};

TEST(DropDownGrip, CornerFollowsWhereTheListOpensAndNamesItsHitTest) {
  const TRect edit(100, 100, 200, 120);
  struct Case {
    TRect dropDown;
    TqzGripCorner corner;
    Integer hitTest;
  };
  const Case kCases[] = {
      {{100, 120, 250, 220}, gcBottomRight, HTBOTTOMRIGHT},  // below and to the right
      {{100, 0, 250, 100}, gcTopRight, HTTOPRIGHT},          // above
      {{0, 120, 100, 220}, gcBottomLeft, HTBOTTOMLEFT},      // ends where the edit starts
      {{0, 0, 90, 100}, gcTopLeft, HTTOPLEFT},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(GripCornerOf(edit, c.dropDown), c.corner);
    EXPECT_EQ(HitTestOfCorner(c.corner), c.hitTest);
  }
  // Caption buttons of 18 and scroll bars of 16: the scroll bar's rule.
  EXPECT_EQ(GripBandHeight(), GetSystemMetrics(SM_CYHSCROLL) + 3);
}

TEST_F(DropDownFrames, BandLiesOnTheCornersEdgeWithGripAndCloseButtonAtItsEnds) {
  const TRect bounds(100, 100, 250, 210);
  for (TqzGripCorner corner : {gcTopLeft, gcTopRight, gcBottomLeft, gcBottomRight}) {
    SCOPED_TRACE(corner);
    TDropDownLook look;
    look.corner = corner;
    HWND window = Show(look, bounds);
    const TDropDownLook& drawn = Looks()[window];
    bool top = corner == gcTopLeft || corner == gcTopRight;
    bool right = corner == gcTopRight || corner == gcBottomRight;
    TRect band = top ? TRect(101, 101, 249, 101 + GripBandHeight() - 1) : TRect(101, 209 - GripBandHeight() + 1, 249, 209);
    EXPECT_GE(drawn.grip.Top, band.Top);
    EXPECT_LE(drawn.grip.Bottom, band.Bottom);
    EXPECT_GE(drawn.close.Top, band.Top);
    EXPECT_LE(drawn.close.Bottom, band.Bottom);
    EXPECT_EQ(drawn.grip.Width(), GetSystemMetrics(SM_CXVSCROLL) + 4);
    EXPECT_EQ(drawn.close.Width(), GetSystemMetrics(SM_CXSIZE) - 2);
    if (right) {
      EXPECT_EQ(drawn.grip.Right, 251);
      EXPECT_EQ(drawn.close.Left, 102);
    } else {
      EXPECT_EQ(drawn.grip.Left, 99);
      EXPECT_EQ(drawn.close.Right, 248);
    }
    // The line between band and list has the frame colour.
    Integer lineY = (top ? band.Bottom : band.Top - 1) - bounds.Top;
    EXPECT_EQ(WindowPixel(window, 75, lineY), GetSysColor(COLOR_WINDOWFRAME));
  }
}

TEST_F(DropDownFrames, AWindowThatIsNotSizableGetsTheFrameOnly) {
  TDropDownLook look;
  look.sizable = false;
  look.flat = true;
  HWND window = Show(look, TRect(100, 100, 250, 210));
  EXPECT_EQ(Looks()[window].grip, TRect());
  EXPECT_EQ(Looks()[window].close, TRect());
  EXPECT_EQ(WindowPixel(window, 0, 50), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(WindowPixel(window, 75, 104), GetSysColor(COLOR_WINDOW));  // the list reaches the frame
}

TEST_F(DropDownFrames, CloseButtonIsRaisedWhenHotOrDownAndSunkenWhenBoth) {
  struct Case {
    bool hot, down, flat;
    int topLeft;  // system colour of the button's top-left pixel
  };
  const Case kCases[] = {
      {false, false, false, COLOR_BTNFACE}, {true, false, false, COLOR_BTNHIGHLIGHT},
      {false, true, false, COLOR_BTNHIGHLIGHT}, {true, true, false, COLOR_BTNSHADOW},
      {true, true, true, COLOR_BTNFACE},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << "hot " << c.hot << ", down " << c.down << ", flat " << c.flat);
    TDropDownLook look;
    look.hot = c.hot;
    look.down = c.down;
    look.flat = c.flat;
    HWND window = Show(look, TRect(100, 100, 250, 210));
    const TRect& close = Looks()[window].close;
    EXPECT_EQ(WindowPixel(window, close.Left - 100, close.Top - 100), GetSysColor(c.topLeft));
  }
}

TEST_F(DropDownFrames, ScrollBarCornerAboveTheBandIsFilled) {
  TDropDownLook look;
  HWND window = Show(look, TRect(100, 100, 250, 210), nullptr, WS_VSCROLL | WS_HSCROLL);
  HDC dc = GetWindowDC(window);
  TRect black(0, 0, 150, 110);
  FillRect(dc, &black, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  TRect grip, close;
  DrawDropDownWindowFrame(window, true, false, gcBottomRight, grip, close, false, false);
  Integer lineTop = 109 - GripBandHeight();
  EXPECT_EQ(GetPixel(dc, 148 - 2, lineTop - 2), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(GetPixel(dc, 148 - GetSystemMetrics(SM_CXVSCROLL) - 2, lineTop - 2), RGB(0, 0, 0));
  ReleaseDC(window, dc);
}

// The frames of every corner, sizable and not, with the close button normal, hot and pressed.
TEST_F(DropDownFrames, Picture) {
  HWND sheet = CreateWindowEx(0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, 660, 420, nullptr, nullptr, nullptr, nullptr);
  windows.push_back(sheet);
  struct Cell {
    TqzGripCorner corner;
    bool sizable, flat, hot, down;
  };
  const Cell kCells[] = {
      {gcTopLeft, true, false, false, false},     {gcTopRight, true, false, false, false},
      {gcBottomLeft, true, false, false, false},  {gcBottomRight, true, false, false, false},
      {gcTopLeft, false, false, false, false},    {gcTopRight, false, true, false, false},
      {gcBottomRight, true, false, true, false},  {gcBottomRight, true, false, true, true},
      {gcBottomLeft, true, true, false, false},   {gcBottomLeft, true, true, true, false},
      {gcTopRight, true, true, true, true},       {gcTopRight, true, false, false, true},
  };
  for (size_t i = 0; i < std::size(kCells); ++i) {
    const Cell& c = kCells[i];
    TDropDownLook look;
    look.corner = c.corner;
    look.sizable = c.sizable;
    look.flat = c.flat;
    look.hot = c.hot;
    look.down = c.down;
    Show(look, Bounds(12 + static_cast<int>(i % 4) * 162, 12 + static_cast<int>(i / 4) * 136, 150, 120), sheet);
  }
  RedrawWindow(sheet, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  if (const char* root = std::getenv("TAVREN_TEST_OUTPUT"); root && *root) {
    std::filesystem::create_directories(std::string(root) + "/bars");
    EXPECT_TRUE(screen.SaveWindowPng(sheet, std::string(root) + "/bars/drop-down-frames.png"));
  }
}

}  // namespace
