// The month calendar under two week rules set by the test (A: weeks from Sunday, the week of
// 1 January first; B: weeks from Monday, the first four-day week first): the grid's first day and
// week numbers, keys at month ends and at the ends of the usable range, the buttons with the
// test's clock, the arrows' repeat, the month list's scrolling, and pictures of both kinds.

#include <sys/stat.h>

#include <cstdlib>

#include <gtest/gtest.h>

#include "EditTestFixture.h"
#include "toolkit/editors/kvCalendar.h"
#include "toolkit/editors/kvFormats.h"
#include "user/LocaleInfo.h"
#include "user/VirtualKeys.h"

namespace {

struct WeekRules {
  const char* name;
  int firstDayFromMonday;  // as LOCALE_IFIRSTDAYOFWEEK
  int firstWeek;           // as LOCALE_IFIRSTWEEKOFYEAR
};

TDateTime Day(Word Y, Word M, Word D) { return EncodeDate(Y, M, D); }

class Calendar : public EditEventsTest, public ::testing::WithParamInterface<WeekRules> {
 protected:
  void SetUp() override {
    EditEventsTest::SetUp();
    OverrideLocaleWeekRules(GetParam().firstDayFromMonday, GetParam().firstWeek);
    TheFormatController()->Reload();
    SetWallClock([] { return Day(2024, 2, 14) + 0.5; });
    form->SetBounds(50, 50, 500, 400);
    calendar = new TkvCustomCalendar(form);
    calendar->SetParent(form);
    calendar->SetLeft(10);
    calendar->SetTop(10);
    Pump();
  }
  void TearDown() override {
    EditEventsTest::TearDown();
    SetWallClock(nullptr);
    OverrideLocaleWeekRules(-1, -1);
    TheFormatController()->Reload();
  }
  bool Sunday() const { return GetParam().firstDayFromMonday == 6; }
  POINT Screen(const TRect& R) {
    const TPoint p = calendar->ClientToScreen(TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2));
    return POINT{p.X, p.Y};
  }
  struct Chosen : TObject {
    Integer count = 0;
    void Fire(TObject*) { ++count; }
  } chosen;

  TkvCustomCalendar* calendar = nullptr;
};

TEST_P(Calendar, TheGridStartsAWeekEarlierForAMonthThatStartsTheWeek) {
  struct Case {
    TDateTime month;
    TDateTime firstSunday;  // weeks from Sunday
    TDateTime firstMonday;  // weeks from Monday
  };
  // 1 September 2024 is a Sunday, 1 July 2024 and 1 January 2024 Mondays.
  const Case cases[] = {
      {Day(2024, 9, 1), Day(2024, 8, 25), Day(2024, 8, 26)},
      {Day(2024, 7, 1), Day(2024, 6, 30), Day(2024, 6, 24)},
      {Day(2024, 1, 1), Day(2023, 12, 31), Day(2023, 12, 25)},
  };
  for (const Case& c : cases) {
    calendar->SetDisplayedMonth(c.month + 10);
    EXPECT_EQ(calendar->FirstGridDate(), Sunday() ? c.firstSunday : c.firstMonday);
    EXPECT_EQ(calendar->LastGridDate(), calendar->FirstGridDate() + 41);
  }
  // The base year's first month is not pushed back out of the usable range.
  calendar->SetDisplayedMonth(FirstDayOfBaseYear());
  EXPECT_GT(calendar->FirstGridDate(), FirstDayOfBaseYear() - 7);
  EXPECT_LE(calendar->FirstGridDate(), FirstDayOfBaseYear());
  // Week numbers of the first row, by each rule.
  TkvCustomCalendarTable* table = calendar->GetTable();
  const Integer start = TheFormatController()->StartOfWeek();
  const Integer rule = TheFormatController()->FirstWeekOfYear() + 1;
  EXPECT_EQ(TheFormatController()->FirstWeekOfYear(), GetParam().firstWeek);
  EXPECT_EQ(table->WeekOfYearValue(Day(2024, 8, 25), start, rule), Sunday() ? 35 : 34);
  EXPECT_EQ(table->WeekOfYearValue(Day(2024, 6, 24), start, rule), 26);
  EXPECT_EQ(table->WeekOfYearValue(Day(2023, 12, 25), start, rule), 52);
}

TEST_P(Calendar, KeysMoveTheSelectionAndTheMonthFollows) {
  struct Case {
    TDateTime from;
    UINT key;
    UINT modifiers;
    TDateTime sunday, monday;
  };
  const Case cases[] = {
      {Day(2024, 1, 31), VK_RIGHT, 0, Day(2024, 2, 1), Day(2024, 2, 1)},
      {Day(2024, 3, 1), VK_LEFT, 0, Day(2024, 2, 29), Day(2024, 2, 29)},
      {Day(2024, 2, 27), VK_DOWN, 0, Day(2024, 3, 5), Day(2024, 3, 5)},
      {Day(2024, 1, 31), VK_NEXT, 0, Day(2024, 2, 29), Day(2024, 2, 29)},
      {Day(2024, 3, 31), VK_PRIOR, 0, Day(2024, 2, 29), Day(2024, 2, 29)},
      {Day(2024, 2, 29), VK_HOME, 0, Day(2024, 2, 25), Day(2024, 2, 26)},
      {Day(2024, 2, 29), VK_END, 0, Day(2024, 3, 2), Day(2024, 3, 3)},
      {Day(2024, 2, 10), VK_HOME, kCtrl, Day(2024, 2, 1), Day(2024, 2, 1)},
      {Day(2024, 2, 10), VK_END, kCtrl, Day(2024, 2, 29), Day(2024, 2, 29)},
      // The ends of the usable range hold.
      {2958465, VK_RIGHT, 0, 2958465, 2958465},
      {FirstDayOfBaseYear(), VK_LEFT, 0, FirstDayOfBaseYear(), FirstDayOfBaseYear()},
  };
  calendar->SetFocus();
  Pump();
  for (const Case& c : cases) {
    SCOPED_TRACE(DateToStr(c.from));
    calendar->SetSelectedDate(c.from);
    Key(c.key, c.modifiers);
    const TDateTime expected = Sunday() ? c.sunday : c.monday;
    EXPECT_EQ(calendar->GetSelectedDate(), expected);
    Word y, m, d;
    DecodeDate(expected, y, m, d);
    EXPECT_EQ(calendar->GetDisplayedMonth(), expected - (d - 1));
  }
}

TEST_P(Calendar, ButtonsGiveNullNowTodayAndTheSelectedDayWithTheClocksTime) {
  calendar->SetOnDateChosen(MakeEvent<&Chosen::Fire>(&chosen));
  calendar->SetSelectedDate(Day(2024, 3, 5));
  calendar->ClickButton(0);
  EXPECT_EQ(calendar->GetSelectedDate(), kvNullDate);
  calendar->ClickButton(2);
  EXPECT_EQ(calendar->GetSelectedDate(), Day(2024, 2, 14));
  calendar->SetKind(ckDateTime);
  calendar->SetDateButtons(TDateButtons{btnClear, btnNow});
  Pump();
  EXPECT_TRUE(calendar->GetButton(btnNow)->GetVisible());
  EXPECT_FALSE(calendar->GetButton(btnToday)->GetVisible());
  calendar->ClickButton(1);
  EXPECT_DOUBLE_EQ(calendar->GetSelectedDate(), Day(2024, 2, 14) + 0.5);
  EXPECT_DOUBLE_EQ(calendar->GetClock()->GetTime(), 0.5);
  calendar->GetTimeEdit()->SetTime(0.25);
  calendar->SetSelectedDate(Day(2024, 3, 5));
  calendar->ClickButton(3);
  EXPECT_DOUBLE_EQ(calendar->GetSelectedDate(), Day(2024, 3, 5) + 0.25);
  EXPECT_EQ(chosen.count, 4);
  // By the mouse, the OK button of the date-and-time kind.
  ScriptClick(Screen(calendar->GetButton(btnOk)->GetBoundsRect()));
  Pump();
  EXPECT_EQ(chosen.count, 5);
}

TEST_P(Calendar, AHeldArrowRepeatsEvery200Ms) {
  calendar->SetSelectedDate(Day(2024, 2, 14));
  const POINT next = Screen(calendar->GetArrowRect(caNextMonth));
  InputMouseButton(next, MouseButton::Left, true);
  Pump();
  EXPECT_EQ(calendar->GetDisplayedMonth(), Day(2024, 3, 1));
  PassTime(190);
  EXPECT_EQ(calendar->GetDisplayedMonth(), Day(2024, 3, 1));
  PassTime(10);
  EXPECT_EQ(calendar->GetDisplayedMonth(), Day(2024, 4, 1));
  PassTime(200);
  EXPECT_EQ(calendar->GetDisplayedMonth(), Day(2024, 5, 1));
  InputMouseButton(next, MouseButton::Left, false);
  Pump();
  EXPECT_FALSE(calendar->GetArrowTimer()->GetEnabled());
  PassTime(400);
  EXPECT_EQ(calendar->GetDisplayedMonth(), Day(2024, 5, 1));
  EXPECT_EQ(calendar->GetSelectedDate(), Day(2024, 2, 14));
}

TEST_P(Calendar, TheScrollingMonthListScrollsFasterFartherAwayAndPicksTheHotRow) {
  calendar->SetSelectedDate(Day(2024, 6, 10));
  const POINT caption = Screen(calendar->GetMonthCaptionRect());
  InputMouseButton(caption, MouseButton::Left, true);
  Pump();
  TkvMonthListBox* list = calendar->GetMonthList();
  ASSERT_TRUE(list->GetVisible());
  ASSERT_TRUE(list->IsScrolling());
  const TRect bounds = list->GetBoundsRect();
  const Integer row = calendar->GetMetrics().HeaderHeight - 2;
  struct Case {
    Integer above;  // pixels above the list
    Cardinal interval;
  };
  for (const Case& c : {Case{1, 500}, Case{row + 1, 250}, Case{2 * row + 1, 100}, Case{5 * row, 50}}) {
    InputMouseMove(POINT{bounds.Left + 10, bounds.Top - c.above});
    Pump();
    EXPECT_TRUE(list->GetScrollTimer()->GetEnabled());
    EXPECT_EQ(list->GetScrollTimer()->GetInterval(), c.interval);
  }
  PassTime(100);
  EXPECT_EQ(list->GetTopMonth(), Day(2024, 4, 1));
  // Back inside: the scrolling stops and the row under the cursor is hot.
  InputMouseMove(POINT{bounds.Left + 10, bounds.Top + 2});
  Pump();
  EXPECT_FALSE(list->GetScrollTimer()->GetEnabled());
  EXPECT_EQ(list->GetHotRow(), 0);
  InputMouseButton(POINT{bounds.Left + 10, bounds.Top + 2}, MouseButton::Left, false);
  Pump();
  EXPECT_FALSE(list->GetVisible());
  EXPECT_EQ(calendar->GetDisplayedMonth(), Day(2024, 1, 1));
}

INSTANTIATE_TEST_SUITE_P(WeekRules, Calendar,
                         ::testing::Values(WeekRules{"FromSunday", 6, 0}, WeekRules{"FromMondayFourDays", 0, 2}),
                         [](const auto& Info) { return String(Info.param.name); });

TEST_F(EditEventsTest, CalendarsArePicturedInEachLook) {
  const char* output = std::getenv("TAVREN_TEST_OUTPUT");
  if (!output || !*output) GTEST_SKIP() << "TAVREN_TEST_OUTPUT is not set";
  mkdir(output, 0755);
  SetWallClock([] { return Day(2024, 2, 14) + 0.4; });
  form->SetBounds(0, 0, 560, 300);
  // The colour the date edit gives its calendar: the editor's.
  auto* date = new TkvCustomCalendar(form);
  date->SetParent(form);
  date->SetColor(clWindow);
  date->SetLeft(10);
  date->SetTop(10);
  date->SetWeekNumbers(true);
  date->SetSelectedDate(Day(2024, 2, 20));
  auto* dateTime = new TkvCustomCalendar(form);
  dateTime->SetParent(form);
  dateTime->SetColor(clWindow);
  dateTime->SetLeft(220);
  dateTime->SetTop(10);
  dateTime->SetKind(ckDateTime);
  dateTime->SetDateButtons(TDateButtons{btnClear, btnNow});
  dateTime->GetTimeEdit()->SetTime(0.4);
  dateTime->SetSelectedDate(Day(2024, 2, 14) + 0.4);
  struct Look {
    const char* file;
    TkvLookAndFeelKind kind;
  };
  for (const Look& look : {Look{"standard", lfStandard}, Look{"flat", lfFlat}, Look{"ultraflat", lfUltraFlat},
                           Look{"office11", lfOffice11}}) {
    for (TkvCustomCalendar* c : {date, dateTime}) {
      for (TCalendarButton b : {btnClear, btnNow, btnToday, btnOk}) c->GetButton(b)->GetLookAndFeel()->SetKind(look.kind);
      c->GetTimeEdit()->GetStyle()->GetLookAndFeel()->SetKind(look.kind);
      c->SetFlat(look.kind != lfStandard);
    }
    Pump();
    EXPECT_TRUE(screen.SaveWindowPng(form->GetHandle(), String(output) + "/editors-calendar-" + look.file + ".png"));
  }
  // The month list open over the date calendar's caption.
  const TRect caption = date->GetMonthCaptionRect();
  const TPoint at = date->ClientToScreen(TPoint((caption.Left + caption.Right) / 2, (caption.Top + caption.Bottom) / 2));
  InputMouseButton(POINT{at.X, at.Y}, MouseButton::Left, true);
  Pump();
  InputMouseMove(POINT{at.X, at.Y + 5});
  Pump();
  EXPECT_TRUE(date->GetMonthList()->GetVisible());
  EXPECT_TRUE(screen.SaveScreenPng(String(output) + "/editors-calendar-month-list.png"));
  InputMouseButton(POINT{at.X, at.Y + 5}, MouseButton::Left, false);
  Pump();
  SetWallClock(nullptr);
}

}  // namespace
