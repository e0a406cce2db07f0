#include <gtest/gtest.h>

#include "../rtl/GermanLocale.h"
#include "../rtl/ScopedEnv.h"
#include "gdi/LogFont.h"
#include "user/SystemInfo.h"
#include "toolkit/editors/kvDateUtils.h"
#include "toolkit/editors/kvFormats.h"

namespace {

// Today is Thursday 2024-02-15, 13:30, in the classic locale.
class DateUtilsTest : public testing::Test {
 protected:
  void SetUp() override {
    GetLocaleFormatSettings("", FormatSettings);
    TheFormatController()->Reload();
    SetWallClock([this] { return FNow; });
  }
  void TearDown() override {
    SetWallClock(nullptr);
    GetLocaleFormatSettings("", FormatSettings);
    TheFormatController()->Reload();
  }
  TDateTime FNow = EncodeDate(2024, 2, 15) + EncodeTime(13, 30, 0, 0);
  ScopedEnv FLocale{"LC_ALL", "C"};
};

TEST_F(DateUtilsTest, SmartWords) {
  TDateTime today = EncodeDate(2024, 2, 15);
  struct Case {
    const char* text;
    bool ok;
    TDateTime value;
  };
  const Case kCases[] = {
      {"today", true, today},
      {"today+3", true, today + 3},
      {"TODAY + 3", true, today + 3},
      {"today -10", true, today - 10},
      {"today+", true, today},
      {"today+x", true, today},
      {"todayx", true, today},
      {"sun", false, 0},
      {"yesterday", true, today - 1},
      {"tomorrow", true, today + 1},
      {"Thursday", true, today},
      {"Saturday", true, EncodeDate(2024, 2, 17)},
      {"monday", true, EncodeDate(2024, 2, 19)},
      {"first", true, EncodeDate(2024, 2, 11)},
      {"seventh", true, EncodeDate(2024, 2, 17)},
      {"bom", true, EncodeDate(2024, 2, 1)},
      {"eom", true, EncodeDate(2024, 2, 29)},
      {"now", true, EncodeDate(2024, 2, 15) + EncodeTime(13, 30, 0, 0)},
      {"today+3000000", false, 0},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text);
    TDateTime value = -1;
    EXPECT_EQ(SmartTextToDate(c.text, value), c.ok);
    if (c.ok) {
      EXPECT_DOUBLE_EQ(value, c.value);
    }
  }
  // A Saturday gives itself; "first" follows the controller's first day of the week.
  FNow = EncodeDate(2024, 2, 17);
  TDateTime value;
  ASSERT_TRUE(SmartTextToDate("Saturday", value));
  EXPECT_EQ(value, EncodeDate(2024, 2, 17));
  FNow = EncodeDate(2024, 2, 15);
  EXPECT_EQ(WeekDayIndex(EncodeDate(2024, 2, 12)), 1);
}

TEST_F(DateUtilsTest, TextsToDatesAndBack) {
  TDateTime value;
  EXPECT_TRUE(SmartTextToDateTime(" today+1 ", value));
  EXPECT_EQ(value, EncodeDate(2024, 2, 16));
  EXPECT_TRUE(SmartTextToDateTime("3/5/2024", value));
  EXPECT_EQ(value, EncodeDate(2024, 3, 5));
  EXPECT_TRUE(SmartTextToDateTime("3/5/2024 2:05 PM", value));
  EXPECT_EQ(value, EncodeDate(2024, 3, 5) + EncodeTime(14, 5, 0, 0));
  EXPECT_FALSE(SmartTextToDateTime("1/1/10000", value));
  EXPECT_EQ(value, kvNullDate);
  EXPECT_FALSE(SmartTextToDateTime("", value));
  EXPECT_FALSE(SmartTextToDateTime("nonsense", value));
  EXPECT_TRUE(TextToDateTime("12/31/1999", false, value));
  EXPECT_EQ(value, EncodeDate(1999, 12, 31));
  EXPECT_FALSE(TextToDateTime("31/31/1999", false, value));
  EXPECT_EQ(value, kvNullDate);

  TDateTime moment = EncodeDate(2024, 3, 5) + EncodeTime(14, 5, 9, 0);
  EXPECT_EQ(DateTimeToDisplayText(false, false, false, kvNullDate), "");
  EXPECT_EQ(DateTimeToDisplayText(true, false, false, moment), "03/05/2024");
  EXPECT_EQ(DateTimeToDisplayText(true, true, false, moment), "03/05/2024 02:05:09 PM");
  EXPECT_EQ(DateTimeToDisplayText(false, false, false, moment), "3/5/2024 2:05:09 PM");
  EXPECT_EQ(DateTimeToLocaleText(false, false, EncodeDate(2024, 3, 5)), "3/5/2024");
  EXPECT_EQ(DateTimeToLocaleText(false, true, moment), "3/5/2024 2:05:09 PM");
  FormatSettings.ShortDateFormat = "M/d/yy";
  EXPECT_EQ(DateTimeToLocaleText(false, true, EncodeDate(2024, 3, 5)), "3/5/24");
  EXPECT_EQ(DateTimeToLocaleText(true, true, EncodeDate(2024, 3, 5)), "3/5/2024");
}

TEST_F(DateUtilsTest, CleaningTexts) {
  FormatSettings.ShortDateFormat = "d 'de' mmmm 'de' yyyy";
  TheFormatController()->Reload();
  String text = "  5 de   march de 2024 ";
  CleanDateText(text, false);
  EXPECT_EQ(text, "5 march 2024");
  text = "3/5/2024";
  CleanDateText(text, true);
  EXPECT_EQ(text, "3 5 2024");
}

TEST_F(DateUtilsTest, CalendarTexts) {
  std::unique_ptr<TkvCustomCalendarTable> table = LocaleCalendarTable();
  EXPECT_EQ(LocaleCalendarType(), CAL_GREGORIAN);
  TDateTime day = EncodeDate(2024, 3, 5);
  EXPECT_EQ(CalendarMonthName(table.get(), day), "March");
  EXPECT_EQ(CalendarMonthNameOf(2024, 13, table.get()), "");
  EXPECT_EQ(CalendarYearText(nullptr, day), "2024");
  EXPECT_EQ(CalendarDateText(nullptr, day), "March 2024");
  EXPECT_EQ(CalendarDayText(day), "5");
  EXPECT_EQ(CalendarDayNumberText(7, table.get()), "7");
  EXPECT_EQ(CalendarDateTimeText(day + 0.5), "3/5/2024 12:00:00 PM");
  EXPECT_EQ(CalendarInfoText(LOCALE_USER_DEFAULT, CAL_GREGORIAN, CAL_SYEARMONTH, nullptr, 0, nullptr), 0);
  String text;
  EXPECT_TRUE(LocaleDateText(0, "", day, text));
  EXPECT_EQ(text, "3/5/2024");
  EXPECT_EQ(ShortDayNameText(1, DEFAULT_CHARSET), "M");
  // Sunday's shortest name ("Su") on a platform of version 6 or later, else its abbreviation.
  EXPECT_EQ(ShortDayNameText(7, ARABIC_CHARSET), (GetVersion() & 0xFF) >= 6 ? "u" : "n");
  EXPECT_EQ(ShortDayNameText(8, DEFAULT_CHARSET), "");
  EXPECT_EQ(CalendarTextToDateTime("3/5/2024 1:00 PM"), day + EncodeTime(13, 0, 0, 0));
}

TEST_F(DateUtilsTest, SmallRoutines) {
  struct Case {
    Word year, month;
    Integer count;
    Word year2, month2;
  };
  for (const Case& c : {Case{2020, 1, -1, 2019, 12}, Case{2020, 12, 13, 2022, 1}, Case{2020, 6, -18, 2018, 12},
                        Case{2020, 6, 30, 2022, 12}}) {
    Word y = c.year, m = c.month;
    EXPECT_EQ(ShiftMonth(y, m, c.count), c.count / 12);
    EXPECT_EQ(y, c.year2);
    EXPECT_EQ(m, c.month2);
  }
  Word y = 2024, m = 1;
  PreviousMonth(y, m);
  EXPECT_EQ(y, 2023);
  EXPECT_EQ(m, 12);
  NextMonth(y, m);
  EXPECT_EQ(y, 2024);
  EXPECT_EQ(m, 1);
  EXPECT_EQ(MonthDayCount(2024, 2), 29);
  EXPECT_EQ(MonthDayCount(2100, 2), 28);
  EXPECT_EQ(ClampDay(2023, 2, 31), 28);
  EXPECT_EQ(ClampDay(2023, 2, 0), 1);
  EXPECT_DOUBLE_EQ(TimePartOf(45000.25), 0.25);
  EXPECT_EQ(WholeDays(45000.75), 45000);
  EXPECT_EQ(DatePartOf(1, nullptr, EncodeDate(2024, 3, 5)), 3);
  TkvHebrewCalendarTable hebrew;
  EXPECT_EQ(DatePartOf(0, &hebrew, EncodeDate(2024, 4, 23)), 5784);
  EXPECT_EQ(FirstDayOfBaseYear(), EncodeDate(100, 1, 1));
  EXPECT_EQ(WeekDayIndex(EncodeDate(2024, 2, 11)), 0);  // Sunday, the C locale's first day
}

}  // namespace

namespace {

TEST(DateUtilsGerman, TheWeekStartsOnMonday) {
  {
    GermanFormatSettings german;
    if (!german.Available()) GTEST_SKIP() << "de_DE.UTF-8 is neither installed nor buildable";
    TheFormatController()->Reload();
    SetWallClock([] { return EncodeDate(2024, 2, 15); });
    EXPECT_EQ(TheFormatController()->StartOfWeek(), 1);
    EXPECT_EQ(WeekDayIndex(EncodeDate(2024, 2, 12)), 0);
    TDateTime value;
    ASSERT_TRUE(SmartTextToDate("first", value));
    EXPECT_EQ(value, EncodeDate(2024, 2, 12));
    EXPECT_TRUE(SmartTextToDateTime("05.03.2024", value));
    EXPECT_EQ(value, EncodeDate(2024, 3, 5));
    EXPECT_EQ(DateTimeToDisplayText(false, false, false, EncodeDate(2024, 3, 5)), "05.03.2024");
    SetWallClock(nullptr);
  }
  TheFormatController()->Reload();
}

}  // namespace
