#include "ControlsFixture.h"
#include "controls/ScrollBars.h"
#include "gdi/Modules.h"

namespace {

class ScrollBar : public ControlsTest {
 public:
  // Statics let clicks through unless they notify.
  static constexpr DWORD SS_NOTIFY_STYLE = 0x0100;
  // The scroll codes a window received (its own bars) or its parent received (the control).
  std::vector<WORD> Codes(UINT message) const {
    std::vector<WORD> codes;
    for (const Notice& n : Received(message)) codes.push_back(LOWORD(n.wParam));
    return codes;
  }
  static POINT BarPoint(HWND window, LONG object, int along, bool fromEnd = false) {
    SCROLLBARINFO info;
    EXPECT_TRUE(GetScrollBarInfo(window, object, &info));
    RECT r = info.rcScrollBar;
    bool vertical = object != OBJID_HSCROLL && (object != OBJID_CLIENT || r.Height() > r.Width());
    if (vertical) return {(r.Left + r.Right) / 2, fromEnd ? r.Bottom - 1 - along : r.Top + along};
    return {fromEnd ? r.Right - 1 - along : r.Left + along, (r.Top + r.Bottom) / 2};
  }
  static void Press(POINT screen) {
    InputMouseMove(screen);
    InputMouseButton(screen, MouseButton::Left, true);
  }
  static void Release(POINT screen) { InputMouseButton(screen, MouseButton::Left, false); }
};

TEST_F(ScrollBar, InfoIsClampedToRangeAndPage) {
  struct Case {
    int min, max;
    UINT page;
    int pos;
    int wantPos;
    UINT wantPage;
    int wantMax;
  };
  const Case kCases[] = {
      {0, 100, 10, 50, 50, 10, 100},
      {0, 100, 10, 95, 91, 10, 100},   // the page's last position is max - page + 1
      {0, 100, 0, 150, 100, 0, 100},
      {0, 100, 10, -5, 0, 10, 100},
      {0, 100, 500, 7, 0, 101, 100},   // a page larger than the range is cut to it
      {0, 0, 0, 3, 0, 0, 0},           // an empty range
      {0, 0, 5, 3, 0, 1, 0},
      {20, 10, 0, 15, 20, 0, 20},      // a maximum below the minimum is taken as the minimum
      {-2147483647 - 1, 2147483647, 0x7FFFFFFF, 0, 0, 0x7FFFFFFF, 2147483647},
  };
  HWND window = Child("STATIC", "", 0, Bounds(10, 10, 100, 100), 1);
  HWND control = Child("SCROLLBAR", "", SBS_VERT, Bounds(200, 10, 17, 100), 2);
  for (HWND target : {window, control}) {
    int bar = target == control ? SB_CTL : SB_VERT;
    for (const Case& c : kCases) {
      SCOPED_TRACE(testing::Message() << (bar == SB_CTL ? "control " : "window ") << c.min << ".." << c.max << " page "
                                      << c.page << " pos " << c.pos);
      SCROLLINFO in;
      in.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
      in.nMin = c.min;
      in.nMax = c.max;
      in.nPage = c.page;
      in.nPos = c.pos;
      EXPECT_EQ(SetScrollInfo(target, bar, &in, TRUE), c.wantPos);
      SCROLLINFO out;
      out.fMask = SIF_ALL;
      ASSERT_TRUE(GetScrollInfo(target, bar, &out));
      EXPECT_EQ(out.nPos, c.wantPos);
      EXPECT_EQ(out.nPage, c.wantPage);
      EXPECT_EQ(out.nMax, c.wantMax);
      EXPECT_EQ(out.nTrackPos, c.wantPos);
      // Whatever the values, the bar paints and answers its geometry.
      UpdateWindow(target);
      SCROLLBARINFO info;
      EXPECT_TRUE(GetScrollBarInfo(target, bar == SB_CTL ? OBJID_CLIENT : OBJID_VSCROLL, &info));
    }
  }
  // The widest range in 64 bits: the last position is max - page + 1.
  EXPECT_EQ(SetScrollPos(control, SB_CTL, 3, TRUE), 0);
  EXPECT_EQ(GetScrollPos(control, SB_CTL), 1);
  SCROLLINFO none;
  none.fMask = 0;
  EXPECT_FALSE(GetScrollInfo(window, SB_VERT, &none));
  EXPECT_FALSE(GetScrollInfo(window, 7, &none));
}

TEST_F(ScrollBar, WindowBarsShowOnlyWhileThereIsSomethingToScroll) {
  HWND window = Child("STATIC", "", 0, Bounds(10, 10, 150, 100), 1);
  SCROLLBARINFO info;
  ASSERT_TRUE(GetScrollBarInfo(window, OBJID_VSCROLL, &info));
  EXPECT_TRUE(info.rgstate[0] & STATE_SYSTEM_INVISIBLE);
  SCROLLINFO in;
  in.fMask = SIF_RANGE | SIF_PAGE;
  in.nMax = 99;
  in.nPage = 20;
  SetScrollInfo(window, SB_VERT, &in, TRUE);
  EXPECT_TRUE(GetWindowLong(window, GWL_STYLE) & WS_VSCROLL);
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.Right, 150 - GetSystemMetrics(SM_CXVSCROLL));
  ASSERT_TRUE(GetScrollBarInfo(window, OBJID_VSCROLL, &info));
  EXPECT_EQ(info.rgstate[0], 0u);
  EXPECT_EQ(info.dxyLineButton, GetSystemMetrics(SM_CYVSCROLL));
  EXPECT_LT(info.xyThumbTop, info.xyThumbBottom);
  in.nPage = 100;
  SetScrollInfo(window, SB_VERT, &in, TRUE);
  EXPECT_FALSE(GetWindowLong(window, GWL_STYLE) & WS_VSCROLL);
  in.fMask |= SIF_DISABLENOSCROLL;
  SetScrollInfo(window, SB_VERT, &in, TRUE);
  EXPECT_TRUE(GetWindowLong(window, GWL_STYLE) & WS_VSCROLL);
  ASSERT_TRUE(GetScrollBarInfo(window, OBJID_VSCROLL, &info));
  EXPECT_TRUE(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
  EXPECT_TRUE(ShowScrollBar(window, SB_BOTH, TRUE));
  EXPECT_TRUE(GetWindowLong(window, GWL_STYLE) & WS_HSCROLL);
  EXPECT_TRUE(ShowScrollBar(window, SB_VERT, FALSE));
  EXPECT_FALSE(GetWindowLong(window, GWL_STYLE) & WS_VSCROLL);
  // A wrong size is refused.
  info.cbSize = 40;
  EXPECT_FALSE(GetScrollBarInfo(window, OBJID_HSCROLL, &info));
  // The system finds it by name.
  HMODULE user32 = LoadLibrary("user32.dll");
  EXPECT_EQ(GetProcAddress(user32, "GetScrollBarInfo"), ExportOf(&GetScrollBarInfo));
  FreeLibrary(user32);
}

TEST_F(ScrollBar, ArrowClickOnAWindowBarStepsOnceThenEnds) {
  HWND window = Child("STATIC", "", SS_NOTIFY_STYLE | WS_VSCROLL, Bounds(10, 10, 150, 200), 1);
  std::vector<WORD> codes;
  // The window's own messages: subclass it to see them.
  static std::vector<WORD>* sink;
  static WNDPROC previous;
  sink = &codes;
  previous = reinterpret_cast<WNDPROC>(SetWindowLongPtr(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    if (m == WM_VSCROLL) sink->push_back(LOWORD(w));
    return CallWindowProc(previous, h, m, w, l);
  })));
  POINT down = BarPoint(window, OBJID_VSCROLL, 3, true);
  Press(down);
  Release(down);
  Pump();
  EXPECT_EQ(codes, (std::vector<WORD>{SB_LINEDOWN, SB_ENDSCROLL}));
  codes.clear();
  POINT up = BarPoint(window, OBJID_VSCROLL, 3);
  Press(up);
  Release(up);
  Pump();
  EXPECT_EQ(codes, (std::vector<WORD>{SB_LINEUP, SB_ENDSCROLL}));
  // Two quick presses are two steps.
  codes.clear();
  for (int i = 0; i < 2; ++i) {
    Press(up);
    Release(up);
  }
  Pump();
  EXPECT_EQ(codes, (std::vector<WORD>{SB_LINEUP, SB_ENDSCROLL, SB_LINEUP, SB_ENDSCROLL}));
}

TEST_F(ScrollBar, HeldArrowRepeatsOnTheClock) {
  HWND control = Child("SCROLLBAR", "", SBS_HORZ, Bounds(10, 10, 200, 17), 4);
  SetScrollRange(control, SB_CTL, 0, 50, TRUE);
  POINT right = BarPoint(control, OBJID_CLIENT, 3, true);
  int steps = 0;
  answer = [&](UINT message, WPARAM wParam, LPARAM lParam, LRESULT*) {
    if (message == WM_HSCROLL && LOWORD(wParam) == SB_LINERIGHT) {
      EXPECT_EQ(reinterpret_cast<HWND>(lParam), control);
      SetScrollPos(control, SB_CTL, GetScrollPos(control, SB_CTL) + 1, TRUE);
      if (++steps == 4) Release(right);
    }
    return false;
  };
  Press(right);
  Pump();
  EXPECT_EQ(steps, 4);
  EXPECT_EQ(GetScrollPos(control, SB_CTL), 4);
  EXPECT_EQ(Codes(WM_HSCROLL).back(), SB_ENDSCROLL);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ScrollBar, ThumbDragTracksThenSetsPosition) {
  HWND control = Child("SCROLLBAR", "", SBS_VERT, Bounds(10, 10, 17, 217), 4);
  SCROLLINFO in;
  in.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  in.nMax = 109;
  in.nPage = 10;
  SetScrollInfo(control, SB_CTL, &in, TRUE);
  SCROLLBARINFO info;
  ASSERT_TRUE(GetScrollBarInfo(control, OBJID_CLIENT, &info));
  POINT grab{(info.rcScrollBar.Left + info.rcScrollBar.Right) / 2, info.rcScrollBar.Top + info.xyThumbTop + 2};
  int track = info.rcScrollBar.Height() - 2 * info.dxyLineButton - (info.xyThumbBottom - info.xyThumbTop);
  std::vector<int> tracked;
  // Each move is made once the bar has answered the one before (moves not yet read collapse).
  const POINT kMoves[] = {{grab.X, grab.Y + track / 4}, {grab.X, grab.Y + track / 2}, {grab.X, grab.Y + track * 4}};
  answer = [&](UINT message, WPARAM wParam, LPARAM, LRESULT*) {
    if (message == WM_VSCROLL && LOWORD(wParam) == SB_THUMBTRACK) {
      SCROLLINFO now;
      now.fMask = SIF_TRACKPOS;
      GetScrollInfo(control, SB_CTL, &now);
      EXPECT_EQ(now.nTrackPos, HIWORD(wParam));
      tracked.push_back(now.nTrackPos);
      if (tracked.size() < 3) InputMouseMove(kMoves[tracked.size()]);
      else Release(kMoves[2]);
    }
    return false;
  };
  Press(grab);
  InputMouseMove(kMoves[0]);
  Pump();
  ASSERT_EQ(tracked.size(), 3u);
  EXPECT_NEAR(tracked[0], 25, 1);
  EXPECT_NEAR(tracked[1], 50, 1);
  EXPECT_EQ(tracked[2], 100);
  std::vector<WORD> codes = Codes(WM_VSCROLL);
  ASSERT_GE(codes.size(), 2u);
  EXPECT_EQ(codes[codes.size() - 2], SB_THUMBPOSITION);
  EXPECT_EQ(HIWORD(Received(WM_VSCROLL)[codes.size() - 2].wParam), 100);
  EXPECT_EQ(codes.back(), SB_ENDSCROLL);
  // The bar itself does not move the position: the parent does.
  EXPECT_EQ(GetScrollPos(control, SB_CTL), 0);
}

TEST_F(ScrollBar, TroughClickPagesTowardTheMouse) {
  HWND control = Child("SCROLLBAR", "", SBS_VERT, Bounds(10, 10, 17, 200), 4);
  SCROLLINFO in;
  in.fMask = SIF_RANGE | SIF_PAGE;
  in.nMax = 99;
  in.nPage = 10;
  SetScrollInfo(control, SB_CTL, &in, TRUE);
  POINT below = BarPoint(control, OBJID_CLIENT, 30, true);
  Press(below);
  Release(below);
  Pump();
  EXPECT_EQ(Codes(WM_VSCROLL), (std::vector<WORD>{SB_PAGEDOWN, SB_ENDSCROLL}));
  notices.clear();
  SetFocus(control);
  Key(VK_HOME);
  EXPECT_EQ(Codes(WM_VSCROLL), (std::vector<WORD>{SB_TOP, SB_ENDSCROLL}));
  EXPECT_EQ(SendMessage(control, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
  // Disabled arrows stay quiet.
  EXPECT_TRUE(EnableScrollBar(control, SB_CTL, ESB_DISABLE_BOTH));
  notices.clear();
  Press(below);
  Release(below);
  Pump();
  EXPECT_TRUE(Codes(WM_VSCROLL).empty());
}

TEST_F(ScrollBar, Screenshot) {
  HWND both = Child("STATIC", "", WS_VSCROLL | WS_HSCROLL, Bounds(10, 10, 160, 120), 1, WS_EX_CLIENTEDGE);
  SCROLLINFO in;
  in.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  in.nMax = 99;
  in.nPage = 25;
  in.nPos = 30;
  SetScrollInfo(both, SB_VERT, &in, TRUE);
  in.nPage = 60;
  in.nPos = 0;
  SetScrollInfo(both, SB_HORZ, &in, TRUE);
  HWND vertical = Child("SCROLLBAR", "", SBS_VERT, Bounds(200, 10, 17, 150), 2);
  in.nPage = 0;
  in.nPos = 50;
  SetScrollInfo(vertical, SB_CTL, &in, TRUE);
  HWND horizontal = Child("SCROLLBAR", "", SBS_HORZ, Bounds(10, 150, 160, 17), 3);
  EnableWindow(horizontal, FALSE);
  Child("SCROLLBAR", "", SBS_SIZEGRIP, Bounds(230, 140, 17, 17), 4);
  Pump();
  Screenshot(parent, "scrollbars");
}

}  // namespace
