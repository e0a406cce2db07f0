// The scroll-bar model, roll mode and the framed control's drawn bar.

#include <gtest/gtest.h>

#include "InspectorTestSupport.h"
#include "controls/ScrollBars.h"
#include "gdi/Gdi.h"
#include "toolkit/inspector/JyScrollControl.h"
#include "user/User.h"
#include "vcl/Forms.h"

namespace {

// A scroll control that counts the pixels it is asked to shift.
class TCountingScroll : public TJyScrollControl {
  TAVREN_CLASS(TCountingScroll, TJyScrollControl)
 public:
  using TJyScrollControl::TJyScrollControl;
  Integer GetVertScrollDelta(Integer Old, Integer New) override { return (Old - New) * 10; }
  void ScrollContent(TJyCustomScrollBar* Bar, Integer DX, Integer DY) override {
    Shifted += DY;
    ++Scrolls;
    inherited::ScrollContent(Bar, DX, DY);
  }
  Integer Shifted = 0;
  Integer Scrolls = 0;
};

class TFramed : public TJyControl {
  TAVREN_CLASS(TFramed, TJyControl)
 public:
  using TJyControl::TJyControl;
};

}  // namespace

TAVREN_CLASS_IMPL(TCountingScroll)
TAVREN_CLASS_IMPL(TFramed)

using JyScrollControlTest = InspectorTest;

TEST_F(JyScrollControlTest, BarModelClampsItsValues) {
  TForm* form = NewForm();
  auto* control = new TCountingScroll(form);
  control->SetParent(form);
  TJyScrollBar* bar = control->GetVertScrollBar();
  struct Step {
    const char* what;
    void (*apply)(TJyScrollBar*);
    Integer max, position, page;
    bool visible;
  };
  const Step steps[] = {
      {"negative max becomes 0", [](TJyScrollBar* b) { b->SetMax(-3); }, 0, 0, 0, false},
      {"page size at least 8", [](TJyScrollBar* b) { b->SetPageSize(3); }, 0, 0, 8, false},
      {"a range shows the bar", [](TJyScrollBar* b) { b->SetMax(20); }, 20, 0, 8, true},
      {"position clamped to max", [](TJyScrollBar* b) { b->SetPosition(50); }, 20, 20, 8, true},
      {"position never below 0", [](TJyScrollBar* b) { b->SetPosition(-4); }, 20, 0, 8, true},
      {"max 0 resets the position", [](TJyScrollBar* b) {
         b->SetPosition(5);
         b->SetMax(0);
       }, 0, 0, 8, false},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.what);
    s.apply(bar);
    EXPECT_EQ(bar->GetMax(), s.max);
    EXPECT_EQ(bar->GetPosition(), s.position);
    EXPECT_EQ(bar->GetPageSize(), s.page);
    EXPECT_EQ(bar->GetVisible(), s.visible);
  }
}

TEST_F(JyScrollControlTest, PositionChangesShiftTheContent) {
  TForm* form = NewForm();
  auto* control = new TCountingScroll(form);
  control->SetParent(form);
  form->Show();
  Pump();
  TJyScrollBar* bar = control->GetVertScrollBar();
  bar->SetMax(10);
  bar->SetPosition(3);
  EXPECT_EQ(control->Shifted, -30);
  SendMessage(control->GetHandle(), WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_EQ(bar->GetPosition(), 2);
  EXPECT_EQ(bar->GetScrollKind(), skLine);
  EXPECT_EQ(control->Shifted, -20);
  SendMessage(control->GetHandle(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(bar->GetPosition(), 10);
  bar->SetManualScroll(true);
  bar->SetPosition(0);
  EXPECT_EQ(control->Shifted, -100);
  // The window's own bar follows the model.
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  GetScrollInfo(control->GetHandle(), SB_VERT, &info);
  EXPECT_EQ(info.nMax, 10);
  EXPECT_EQ(info.nPos, 0);
}

TEST_F(JyScrollControlTest, RollModeScrollsByDistanceFromTheMark) {
  TForm* form = NewForm();
  auto* control = new TCountingScroll(form);
  control->SetParent(form);
  control->SetBounds(10, 10, 200, 200);
  form->Show();
  Pump();
  control->GetVertScrollBar()->SetMax(1000);
  control->GetVertScrollBar()->SetPosition(500);
  // The roll cursors are the program's own, not the arrow unknown ids fall back to.
  for (Integer id : {crRoll, crRollUp, crRollDown}) EXPECT_NE(Screen()->GetCursors(id), Screen()->GetCursors(9999));
  Press(control, 100, 100, MouseButton::Middle);
  EXPECT_TRUE(control->GetRollState().Contains(rsActive));
  EXPECT_TRUE(control->GetRollShadow()->GetVisible());
  EXPECT_EQ(GetCapture(), control->GetHandle());

  MoveTo(control, 100, 96);
  EXPECT_EQ(Screen()->GetCursor(), crRoll);
  Wait(200);
  EXPECT_EQ(control->GetVertScrollBar()->GetPosition(), 500);

  MoveTo(control, 100, 60);
  EXPECT_EQ(Screen()->GetCursor(), crRollUp);
  Wait(600);
  EXPECT_EQ(control->GetRollTimer()->GetInterval(), 60u);
  const Integer lines = 500 - control->GetVertScrollBar()->GetPosition();
  EXPECT_GE(lines, 9);
  EXPECT_LE(lines, 11);

  Release(control, 100, 60, MouseButton::Middle);
  EXPECT_FALSE(control->GetRollState().Contains(rsActive));
  EXPECT_FALSE(control->GetRollShadow()->GetVisible());
  EXPECT_EQ(Screen()->GetCursor(), crDefault);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(JyScrollControlTest, DrawnBarRepeatsWhileHeld) {
  TForm* form = NewForm();
  auto* control = new TFramed(form);
  control->SetParent(form);
  control->SetBounds(10, 10, 100, 84);
  form->Show();
  Pump();
  TJyVertScrollBar* bar = control->GetVertScrollBar();
  bar->SetMax(100);
  const Integer b = GetSystemMetrics(SM_CXVSCROLL);
  bar->SetBounds(control->GetClientWidth() - b - 2, 2, b, control->GetClientHeight() - 4);
  const TRect down = bar->DownArrowRect();
  Press(control, down.Left + 2, down.Top + 2);
  EXPECT_EQ(bar->GetPosition(), 1);
  Wait(290, 10);
  EXPECT_EQ(bar->GetPosition(), 1);
  Wait(110, 10);  // past the delay, then a line every 50 ms
  EXPECT_GE(bar->GetPosition(), 2);
  EXPECT_LE(bar->GetPosition(), 4);
  Release(control, down.Left + 2, down.Top + 2);
  const Integer held = bar->GetPosition();
  Wait(200, 10);
  EXPECT_EQ(bar->GetPosition(), held);

  // Dragging the thumb to the top of the track gives position 0; a bar with no track ignores it.
  const TRect thumb = bar->ThumbRect();
  Press(control, thumb.Left + 2, thumb.Top + 2);
  MoveTo(control, thumb.Left + 2, 0);
  EXPECT_EQ(bar->GetPosition(), 0);
  bar->SetBounds(bar->GetBarRect().Left, 2, b, 2 * b);
  MoveTo(control, thumb.Left + 2, 40);
  EXPECT_EQ(bar->GetPosition(), 0);
  Release(control, thumb.Left + 2, 40);
}
