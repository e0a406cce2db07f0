#include <gtest/gtest.h>

#include "VclTestSupport.h"
#include "vcl/Timers.h"

namespace {

using ScreenTest = VclTest;

TEST_F(ScreenTest, CursorIdsMapToTheSystemCursors) {
  struct Case {
    TCursor id;
    const char* system;
  };
  const Case kCases[] = {{crDefault, IDC_ARROW}, {crArrow, IDC_ARROW}, {crIBeam, IDC_IBEAM},
                         {crHandPoint, IDC_HAND}, {crSizeNESW, IDC_SIZENESW}, {crSizeAll, IDC_SIZEALL},
                         {crHourGlass, IDC_WAIT}, {crNo, IDC_NO}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.id);
    EXPECT_EQ(Screen()->GetCursors(c.id), LoadCursor(nullptr, c.system));
  }
  // An id nobody set answers the default cursor; a program's own ids hold what it puts there.
  EXPECT_EQ(Screen()->GetCursors(4101), LoadCursor(nullptr, IDC_ARROW));
  HCURSOR hand = LoadCursor(nullptr, IDC_HAND);
  Screen()->SetCursors(-2099, hand);
  EXPECT_EQ(Screen()->GetCursors(-2099), hand);
  Screen()->SetCursor(crHourGlass);
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
  Screen()->SetCursor(crDefault);
}

TEST_F(ScreenTest, FormsAreListedMostRecentlyActiveFirst) {
  Integer before = Screen()->GetFormCount();
  TForm* a = NewForm(0, 0, 200, 100);
  TForm* b = NewForm(300, 0, 200, 100);
  EXPECT_EQ(Screen()->GetFormCount(), before + 2);
  a->Show();
  b->Show();
  Settle();
  EXPECT_EQ(Screen()->GetActiveForm(), b);
  EXPECT_EQ(Screen()->GetCustomForms(0), b);
  a->SetFocus();
  Settle();
  EXPECT_EQ(Screen()->GetActiveForm(), a);
  EXPECT_EQ(Screen()->GetCustomForms(0), a);
  delete b;
  forms.pop_back();
  EXPECT_EQ(Screen()->GetFormCount(), before + 1);
  EXPECT_GE(Screen()->GetMonitorCount(), 1);
  EXPECT_TRUE(Screen()->GetMonitors(0)->GetPrimary());
}

TEST_F(ScreenTest, TimerFiresOnTheClockAndRestartsWhenChanged) {
  struct Ticks : TObject {
    std::vector<uint64_t> at;
    FakeClock* clock;
    void Tick(TObject*) { at.push_back(clock->Now()); }
  } ticks;
  ticks.clock = &clock;
  TTimer timer(nullptr);
  timer.SetInterval(100);
  uint64_t start = clock.Now();
  timer.SetOnTimer(MakeEvent<&Ticks::Tick>(&ticks));
  while (ticks.at.size() < 3) Application()->HandleMessage();
  EXPECT_EQ(ticks.at[0] - start, 100u);
  EXPECT_EQ(ticks.at[2] - ticks.at[1], 100u);
  timer.SetEnabled(false);
  clock.Advance(1000);
  Application()->ProcessMessages();
  EXPECT_EQ(ticks.at.size(), 3u);
}

}  // namespace
