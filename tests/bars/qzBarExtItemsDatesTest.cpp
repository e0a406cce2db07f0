#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "BarsTestSupport.h"
#include "backend/ScriptedInput.h"
#include "rtl/DateUtils.h"
#include "rtl/FormatSettings.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarExtItems.h"
#include "toolkit/bars/qzBarExtItemsCombos.h"
#include "toolkit/bars/qzBarExtItemsDates.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "toolkit/editors/kvDateUtils.h"
#include "user/Clock.h"
#include "user/Input.h"
#include "user/InputEvents.h"
#include "user/Messages.h"
#include "user/ModalResponder.h"
#include "user/Painting.h"
#include "user/Rects.h"
#include "user/VirtualKeys.h"
#include "vcl/StdCtrls.h"

namespace {

// The wall clock stands on Friday 11 December 2026; the week starts on Sunday unless a test
// says otherwise.
class DateItems : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    today = EncodeDate(2026, 12, 11);
    SetWallClock([this] { return today; });
    savedFirstDay = BarFirstWeekDay();
    SetBarFirstWeekDay(0);
    form->SetBounds(40, 30, 420, 300);
    form->SetColor(clBtnFace);
  }
  void TearDown() override {
    SetBarFirstWeekDay(savedFirstDay);
    SetWallClock(nullptr);
    BarManagerOnForm::TearDown();
  }
  void Advance(UINT AMilliseconds) {
    static_cast<FakeClock&>(CurrentClock()).Advance(AMilliseconds);
    Pump();
  }
  // The locale's text of a date.
  static String Short(TDateTime ADate) { return CalendarDateTimeText(ADate); }
  static String Day(TDateTime ADate) { return FormatDateTime("ddd ", ADate); }

  TDateTime today = 0;
  Integer savedFirstDay = 0;
};

// ---- Date combo ---------------------------------------------------------------------------------

TEST_F(DateItems, DatesAreShownWithTheirDayAndKeptInTheirBounds) {
  auto* combo = new TqzBarDateCombo(form);
  EXPECT_EQ(combo->GetText(), Day(today) + Short(today));
  EXPECT_EQ(combo->GetDateOnStart(), bdsToday);
  combo->SetShowDayText(false);
  EXPECT_EQ(combo->GetText(), Short(today));
  // A typed day name with its blank is dropped; a text that is no date is no date.
  TDateTime christmas = EncodeDate(2026, 12, 25);
  const struct {
    String text;
    TDateTime date;
  } kTexts[] = {
      {Day(christmas) + Short(christmas), christmas},
      {Short(christmas), christmas},
      {"no date", NullDate},
      {"", NullDate},
  };
  for (const auto& c : kTexts) {
    SCOPED_TRACE(c.text);
    combo->SetText(c.text);
    EXPECT_EQ(combo->GetDate(), c.date);
    EXPECT_EQ(combo->GetText(), c.date == NullDate ? String() : Short(c.date));
  }
  EXPECT_EQ(combo->GetDateOnStart(), bdsCustom);

  // A lone lower bound is refused (the upper one is still 0); with both, dates move in, and no
  // date becomes the lower bound.
  TDateTime low = EncodeDate(2026, 12, 1), high = EncodeDate(2026, 12, 31);
  combo->SetMinDate(low);
  EXPECT_EQ(combo->GetMinDate(), 0);
  combo->SetDate(EncodeDate(2027, 3, 1));
  combo->SetMaxDate(high);
  EXPECT_EQ(combo->GetDate(), high);
  combo->SetMinDate(low);
  EXPECT_EQ(combo->GetMinDate(), low);
  combo->SetText("nonsense");
  EXPECT_EQ(combo->GetDate(), low);
  combo->SetDate(EncodeDate(2026, 11, 2));
  EXPECT_EQ(combo->GetDate(), low);
}

TEST_F(DateItems, ALoneUpperBoundLeavesNoDateAndEarlierDatesAlone) {
  auto* combo = new TqzBarDateCombo(form);
  combo->SetMaxDate(EncodeDate(2026, 12, 31));
  combo->SetDate(NullDate);
  EXPECT_EQ(combo->GetText(), "");
  combo->SetDate(EncodeDate(1999, 1, 1));
  EXPECT_EQ(combo->GetDate(), EncodeDate(1999, 1, 1));
  combo->SetDate(EncodeDate(2030, 1, 1));
  EXPECT_EQ(combo->GetDate(), EncodeDate(2026, 12, 31));
}

String FormWithDateCombo(const String& ALines) {
  return "object Form1: TForm\n"
         "  object BarManager1: TqzBarManager\n"
         "    Categories.Strings = (\n"
         "      'Default')\n"
         "    Categories.ItemsVisibles = (\n"
         "      2)\n"
         "    Categories.Visibles = (\n"
         "      True)\n"
         "    object When: TqzBarDateCombo\n"
         "      Category = 0\n" +
         ALines +
         "    end\n"
         "  end\n"
         "end\n";
}

TEST_F(DateItems, TheStartRuleDecidesTheDateAfterLoading) {
  TDateTime stored = EncodeDate(2025, 7, 4);
  String text = Short(stored);
  const struct {
    String lines;
    TDateTime date;
    bool textWritten;
  } kCases[] = {
      {"      DateOnStart = bdsCustom\n      Text = '" + text + "'\n", stored, true},
      {"      DateOnStart = bdsNullDate\n", NullDate, false},
      // The stored text does not count for today's rule.
      {"      Text = '" + text + "'\n", EncodeDate(2026, 12, 11), false},
      {"      DateOnStart = bdsCustom\n      MaxDate = 46000\n      MinDate = 45900\n      Text = '" + text + "'\n",
       45900, true},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.lines);
    auto copy = std::make_unique<TForm>(nullptr, 0);
    ReadComponentFromText(FormWithDateCombo(c.lines), copy.get());
    auto* combo = dynamic_cast<TqzBarDateCombo*>(copy->FindComponent("When"));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->GetDate(), c.date);
    String written = WriteComponentToText(copy.get());
    EXPECT_EQ(written.find("Text =") != String::npos, c.textWritten) << written;
  }
}

TEST_F(DateItems, PlusAndMinusStepTheEditorsDateAndAreNotTyped) {
  form->Show();
  TqzBar* bar = manager->GetBars()->AddBar();
  auto* combo = new TqzBarDateCombo(form);
  combo->SetWidth(180);
  combo->SetShowDayText(false);
  combo->SetDate(EncodeDate(2026, 12, 31));
  bar->GetItemLinks()->AddLinkForItem(combo);
  bar->SetDockingStyle(dsTop);
  bar->SetVisible(true);
  Pump();
  auto* control = dynamic_cast<TqzBarDateComboControl*>(combo->GetLink(0)->GetControl());
  ASSERT_NE(control, nullptr);
  TRect edit = control->GetPartRects()[qzEditPart];
  TPoint at = bar->GetBarControl()->ClientToScreen(TPoint((edit.Left + edit.Right) / 2, (edit.Top + edit.Bottom) / 2));
  ScriptClick({at.X, at.Y});
  Pump();
  ASSERT_TRUE(control->GetInPlaceActive());
  auto editorText = [control] {
    String text;
    control->GetInnerText(text);
    return text;
  };
  ScriptKeyPress(0, 0, '+');
  Pump();
  EXPECT_EQ(editorText(), Short(EncodeDate(2027, 1, 1)));
  ScriptKeyPress(0, 0, '-');
  ScriptKeyPress(0, 0, '-');
  Pump();
  EXPECT_EQ(editorText(), Short(EncodeDate(2026, 12, 30)));
  control->SetInnerText("");
  ScriptKeyPress(0, 0, '+');
  Pump();
  EXPECT_EQ(editorText(), "");
}

TEST_F(DateItems, TheDialogTakesTheTypedDate) {
  auto* combo = new TqzBarDateCombo(form);
  combo->SetShowDayText(false);
  TDateTime picked = EncodeDate(2027, 2, 14);
  std::vector<String> kinds;
  SetModalResponder([&](const ModalRequest& request) {
    kinds.push_back(request.kind);
    TWinControl* dialog = FindControl(request.window);
    auto* edit = dialog ? dynamic_cast<TEdit*>(dialog->FindComponent("DateEdit")) : nullptr;
    auto* navigator = dialog ? dynamic_cast<TqzBarDateNavigator*>(dialog->FindComponent("Navigator")) : nullptr;
    if (!edit || !navigator) return IDCANCEL;
    EXPECT_EQ(edit->GetText(), Short(today));
    // The calendar follows what is typed.
    edit->SetText(Short(picked));
    EXPECT_EQ(navigator->GetSelStart(), picked);
    EXPECT_EQ(navigator->GetFirstDate(), EncodeDate(2027, 2, 1));
    return IDOK;
  });
  combo->ClickItem();
  SetModalResponder(nullptr);
  EXPECT_EQ(kinds, std::vector<String>{"SelectDateDialog"});
  EXPECT_EQ(combo->GetDate(), picked);
}

// ---- Navigator ----------------------------------------------------------------------------------

TEST_F(DateItems, TheGridStartsOnTheLocalesFirstWeekDay) {
  // June 2026 begins on a Monday.
  const struct {
    Integer firstDay;
    TDateTime firstVisible;
  } kCases[] = {
      {0, EncodeDate(2026, 5, 31)},
      // Starting on the first week day, the whole week before shows first.
      {1, EncodeDate(2026, 5, 25)},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.firstDay);
    SetBarFirstWeekDay(c.firstDay);
    TqzBarDateNavigator navigator(nullptr, nullptr, false);
    navigator.SetFirstDate(EncodeDate(2026, 6, 17));
    EXPECT_EQ(navigator.GetFirstDate(), EncodeDate(2026, 6, 1));
    EXPECT_EQ(navigator.GetFirstVisibleDate(), c.firstVisible);
    EXPECT_EQ(navigator.GetLastVisibleDate(), c.firstVisible + 41);
    EXPECT_EQ(navigator.WeekdayIndex(c.firstVisible), 0);
  }
}

// A popup calendar shown at the form's corner, as the combo drops it down.
class PopupNavigator : public DateItems {
 protected:
  void SetUp() override {
    DateItems::SetUp();
    form->Show();
    combo = new TqzBarDateCombo(form);
    navigator = combo->GetDatePopup();
    navigator->SetFirstDate(today);
    navigator->SelectDate(today);
    navigator->SetShowClearButton(true);
    SetWindowPos(navigator->GetHandle(), HWND_TOP, 100, 100, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    Pump();
  }
  static void Press(POINT at) { InputMouseButton(at, MouseButton::Left, true); }
  static void Release(POINT at) { InputMouseButton(at, MouseButton::Left, false); }
  static void Move(POINT at) { InputMouseMove(at); }
  POINT Screen(const TRect& R) {
    TPoint p = navigator->ClientToScreen(TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2));
    return {p.X, p.Y};
  }
  void Key(Word AKey) {
    SendMessage(navigator->GetHandle(), WM_KEYDOWN, AKey, 0);
    Pump();
  }
  TqzBarDateCombo* combo = nullptr;
  TqzBarDateNavigator* navigator = nullptr;
};

TEST_F(PopupNavigator, KeysMoveTheSelection) {
  const struct {
    TDateTime from;
    Word key;
    TDateTime to;
  } kCases[] = {
      {EncodeDate(2027, 1, 31), VK_NEXT, EncodeDate(2027, 2, 28)},
      {EncodeDate(2028, 1, 31), VK_NEXT, EncodeDate(2028, 2, 29)},
      {EncodeDate(2026, 3, 31), VK_PRIOR, EncodeDate(2026, 2, 28)},
      {EncodeDate(2026, 12, 11), VK_LEFT, EncodeDate(2026, 12, 10)},
      {EncodeDate(2026, 12, 31), VK_RIGHT, EncodeDate(2027, 1, 1)},
      {EncodeDate(2026, 12, 11), VK_UP, EncodeDate(2026, 12, 4)},
      {EncodeDate(2026, 12, 11), VK_DOWN, EncodeDate(2026, 12, 18)},
      // Friday: the week runs from Sunday the 6th to Saturday the 12th.
      {EncodeDate(2026, 12, 11), VK_HOME, EncodeDate(2026, 12, 6)},
      {EncodeDate(2026, 12, 11), VK_END, EncodeDate(2026, 12, 12)},
  };
  for (const auto& c : kCases) {
    navigator->SelectDate(c.from);
    Key(c.key);
    EXPECT_EQ(navigator->GetSelStart(), c.to) << FormatDateTime("yyyy-mm-dd", c.from) << " key " << c.key;
    // The month shown follows the selection.
    EXPECT_LE(navigator->GetFirstVisibleDate(), c.to);
    EXPECT_GE(navigator->GetLastVisibleDate(), c.to);
  }
}

TEST_F(PopupNavigator, EnterTakesTheDateIntoTheItem) {
  combo->SetShowDayText(false);
  navigator->SelectDate(EncodeDate(2026, 12, 24));
  Key(VK_RETURN);
  EXPECT_EQ(combo->GetDate(), EncodeDate(2026, 12, 24));
}

TEST_F(PopupNavigator, AHeldArrowStepsEvery170MillisecondsWhileOverIt) {
  POINT arrow = Screen(navigator->LeftArrowRect());
  Move(arrow);
  Press(arrow);
  Pump();
  EXPECT_EQ(navigator->GetFirstDate(), EncodeDate(2026, 11, 1));
  Advance(169);
  EXPECT_EQ(navigator->GetFirstDate(), EncodeDate(2026, 11, 1));
  Advance(1);
  EXPECT_EQ(navigator->GetFirstDate(), EncodeDate(2026, 10, 1));
  Advance(170);
  EXPECT_EQ(navigator->GetFirstDate(), EncodeDate(2026, 9, 1));
  // Off the arrow the steps wait.
  POINT away = Screen(navigator->CalendarRect());
  Move(away);
  Advance(340);
  EXPECT_EQ(navigator->GetFirstDate(), EncodeDate(2026, 9, 1));
  Release(away);
  Pump();
  EXPECT_EQ(navigator->GetArrowTimer(), 0u);
}

TEST_F(PopupNavigator, TheMonthListScrollsFasterTheFurtherAway) {
  TRect caption = navigator->MonthCaptionRect();
  POINT at = Screen(caption);
  Press(at);
  Pump();
  TAMonthListBox* list = navigator->GetMonthList();
  ASSERT_NE(list, nullptr);
  // The pressed month is the fourth row.
  EXPECT_EQ(list->GetTopDate(), EncodeDate(2026, 9, 1));
  RECT bounds;
  GetWindowRect(list->GetHandle(), &bounds);
  const struct {
    Integer y;
    UINT interval;
    Integer months;
  } kCases[] = {
      {bounds.Bottom + 40, 50, 1},
      {bounds.Top - 5, 500, -1},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.y);
    TDateTime before = list->GetTopDate();
    Move({at.X, c.y});
    Pump();
    EXPECT_EQ(list->GetScrollInterval(), c.interval);
    EXPECT_EQ(list->GetItemIndex(), -1);
    Advance(c.interval);
    EXPECT_EQ(list->GetTopDate(), IncMonth(before, c.months));
  }
  // Back over a row: the scrolling stops and the row's month is taken on release.
  POINT row = {at.X, bounds.Top + list->GetItemHeight() / 2 + 1};
  Move(row);
  Pump();
  EXPECT_EQ(list->GetScrollInterval(), 0u);
  TDateTime month = list->GetDate();
  Release(row);
  Pump();
  EXPECT_EQ(navigator->GetMonthList(), nullptr);
  EXPECT_EQ(navigator->GetFirstDate(), month);
}

TEST_F(PopupNavigator, TodayCountsOnlyWhenReleasedOverIt) {
  POINT todayButton = Screen(navigator->TodayButtonRect());
  POINT away = Screen(navigator->HeaderRect());
  navigator->SelectDate(EncodeDate(2026, 12, 1));
  // Off and back on: today.
  Press(todayButton);
  Move(away);
  Move(todayButton);
  Release(todayButton);
  Pump();
  EXPECT_EQ(navigator->GetSelStart(), today);
  // Released off it: nothing.
  navigator->SelectDate(EncodeDate(2026, 12, 1));
  Press(todayButton);
  Move(away);
  Release(away);
  Pump();
  EXPECT_EQ(navigator->GetSelStart(), EncodeDate(2026, 12, 1));
}

TEST_F(PopupNavigator, ScreenshotOfTheCalendar) {
  const char* dir = std::getenv("TAVREN_TEST_OUTPUT");
  String folder = dir ? dir : "test-output";
  std::filesystem::create_directories(folder);
  navigator->SelectDate(EncodeDate(2026, 12, 24));
  Pump();
  EXPECT_TRUE(screen.SaveWindowPng(navigator->GetHandle(), folder + "/date-navigator.png"));
  // The buttons stand below the days, not covered by the background filled after them.
  HDC dc = GetDC(navigator->GetHandle());
  for (const TRect& button : {navigator->TodayButtonRect(), navigator->ClearButtonRect()})
    EXPECT_NE(GetPixel(dc, button.Left + 3, button.Top + 3), ColorToRGB(navigator->GetColor()));
  ReleaseDC(navigator->GetHandle(), dc);
}

}  // namespace
