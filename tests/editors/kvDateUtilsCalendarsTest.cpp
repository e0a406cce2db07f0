#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "toolkit/editors/kvDateUtils.h"

namespace {

TDateTime Day(Word y, Word m, Word d) { return EncodeDate(y, m, d); }

struct Expected {
  Integer era, year, month, day;
};

void ExpectDate(TkvCustomCalendarTable& table, TDateTime value, const Expected& e) {
  TkvCalendarDateTime r = table.DecodeValue(value);
  if (e.era != -2) {
    EXPECT_EQ(r.Era, e.era);
  }
  EXPECT_EQ(r.Year, e.year);
  EXPECT_EQ(r.Month, e.month);
  EXPECT_EQ(r.Day, e.day);
  EXPECT_EQ(table.EncodeRecord(r), value);
}

TEST(kvCalendars, EveryDayOfEachRangeComesBack) {
  for (Integer type : {CAL_GREGORIAN, CAL_JAPAN, CAL_TAIWAN, CAL_KOREA, CAL_HIJRI, CAL_THAI, CAL_HEBREW}) {
    std::unique_ptr<TkvCustomCalendarTable> table = CalendarTableForType(type);
    SCOPED_TRACE(table->ClassName());
    Integer first = static_cast<Integer>(table->FirstSupportedDay());
    Integer last = static_cast<Integer>(std::trunc(table->LastSupportedDay()));
    Integer failures = 0;
    for (Integer day = first; day <= last && failures < 5; ++day) {
      TkvCalendarDateTime r = table->DecodeValue(day);
      if (table->EncodeRecord(r) != day || !table->DayAllowedIn(r.Era, r.Year, r.Month, r.Day)) {
        ADD_FAILURE() << "day " << day << " decodes to " << r.Year << "-" << r.Month << "-" << r.Day;
        ++failures;
      }
    }
  }
}

TEST(kvCalendars, JapaneseEras) {
  TkvJapaneseCalendarTable table;
  struct Case {
    TDateTime value;
    Integer number, year;
  };
  const Case kCases[] = {
      {Day(1912, 7, 30), 2, 1}, {Day(1926, 12, 25), 3, 1}, {Day(1989, 1, 8), 4, 1},  {Day(2019, 5, 1), 5, 1},
      {Day(1989, 1, 7), 3, 64}, {Day(2019, 4, 30), 4, 31}, {Day(1868, 9, 8), 1, 1},  {Day(2024, 1, 1), 5, 6},
  };
  for (const Case& c : kCases) {
    TkvCalendarDateTime r = table.DecodeValue(c.value);
    ASSERT_GE(r.Era, 0);
    EXPECT_EQ(table.Eras()->Era(r.Era)->Number, c.number) << DateToStr(c.value);
    EXPECT_EQ(r.Year, c.year) << DateToStr(c.value);
  }
  EXPECT_EQ(table.MainEra()->Number, 5);
  EXPECT_EQ(table.EraIndexAt(1989, 1, 8), 3);
  // A year on from the first year of the second era is its second; two years back, the first era's 43rd.
  TkvCalendarDateTime taisho = table.DecodeValue(Day(1912, 8, 1));
  EXPECT_EQ(table.DecodeValue(table.ShiftYearsOf(taisho, 1)).Year, 2);
  TkvCalendarDateTime back = table.DecodeValue(table.ShiftYearsOf(taisho, -2));
  EXPECT_EQ(back.Era, 0);
  EXPECT_EQ(back.Year, 43);
  EXPECT_EQ(table.FirstSupportedDay(), Day(1868, 9, 8));
}

TEST(kvCalendars, SingleEraYearCounts) {
  struct Case {
    Integer type;
    Integer year;
  };
  for (const Case& c : {Case{CAL_TAIWAN, 89}, Case{CAL_THAI, 2543}, Case{CAL_KOREA, 4333}}) {
    std::unique_ptr<TkvCustomCalendarTable> table = CalendarTableForType(c.type);
    EXPECT_EQ(table->CalendarIdentifier(), c.type);
    ExpectDate(*table, Day(2000, 5, 1), {0, c.year, 5, 1});
    EXPECT_EQ(table->Eras()->GetCount(), 1);
  }
}

TEST(kvCalendars, HijriTabularDates) {
  TkvHijriCalendarTable table;
  ExpectDate(table, Day(2018, 9, 11), {-2, 1440, 1, 1});
  ExpectDate(table, Day(2023, 7, 18), {-2, 1445, 1, 1});
  ExpectDate(table, Day(2024, 7, 7), {-2, 1446, 1, 1});
  ExpectDate(table, Day(2024, 3, 10), {-2, 1445, 9, 1});
  ExpectDate(table, Day(2005, 2, 10), {-2, 1426, 1, 1});
  ExpectDate(table, Day(622, 7, 18), {-2, 1, 1, 1});
  ExpectDate(table, Day(9999, 12, 31), {-2, 9666, 4, 3});
  EXPECT_TRUE(table.LeapYear(1442));
  EXPECT_TRUE(table.LeapYear(2));
  EXPECT_EQ(table.YearLength(2), 355);
  EXPECT_EQ(table.MonthLength(2, 12), 30);
  EXPECT_EQ(table.MonthLength(3, 12), 29);
  // Before the first day a value is taken as the first day.
  EXPECT_EQ(table.DecodeValue(Day(622, 7, 16)).Day, 1);
}

TEST(kvCalendars, HebrewYears) {
  TkvHebrewCalendarTable table;
  struct Case {
    TDateTime tishrei;
    Integer year, length, type;
  };
  const Case kCases[] = {
      {Day(1839, 9, 9), 5600, 0, 0},     {Day(1999, 9, 11), 5760, 0, 0},  {Day(2020, 9, 19), 5781, 353, 1},
      {Day(2021, 9, 7), 5782, 384, 5},   {Day(2023, 9, 16), 5784, 383, 4}, {Day(2024, 10, 3), 5785, 355, 3},
      {Day(2025, 9, 23), 5786, 354, 2},  {Day(2026, 9, 12), 5787, 385, 6},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.year);
    ExpectDate(table, c.tishrei, {-2, c.year, 1, 1});
    if (c.length) {
      EXPECT_EQ(table.YearLength(c.year), c.length);
      EXPECT_EQ(table.YearType(c.year), c.type);
    }
  }
  ExpectDate(table, Day(2024, 4, 23), {-2, 5784, 8, 15});
  ExpectDate(table, Day(2239, 9, 29), {-2, 5999, 13, 29});
  ExpectDate(table, Day(1583, 1, 1), {-2, 5343, 4, 7});
  EXPECT_EQ(table.DecodeValue(Day(1500, 1, 1)).Day, table.DecodeValue(Day(1583, 1, 1)).Day);
  EXPECT_EQ(table.YearType(5344), 3);
  EXPECT_EQ(table.MonthCount(5344), 12);
  EXPECT_EQ(table.YearLength(5344), 355);
  EXPECT_EQ(table.MonthCount(5784), 13);
  EXPECT_TRUE(table.LeapMonth(5784, 7));
  EXPECT_EQ(table.YearLength(6000), 0);
  EXPECT_EQ(HebrewNumeralValue("\xd7\xaa\xd7\xa9\xd7\xa4\xd7\x93"), 784);  // tav shin pe dalet
  EXPECT_EQ(HebrewNumeralValue("\xd7\x9a\xd7\x9b"), 40);                  // final kaf and kaf
  EXPECT_EQ(table.ParseYear("\xd7\xaa\xd7\xa9\xd7\xa4\xd7\x93"), 5784);
  EXPECT_EQ(table.ParseDay("\xd7\x98\xd7\x95"), 15);
  EXPECT_EQ(table.ParseDay("7"), 7);
}

TEST(kvCalendars, GregorianRulesAndArithmetic) {
  TkvGregorianCalendarTable table;
  EXPECT_EQ(table.MonthLength(2024, 2), 29);
  EXPECT_EQ(table.MonthLength(1900, 2), 28);
  EXPECT_EQ(table.YearLength(2000), 366);
  EXPECT_TRUE(table.LeapDay(2024, 2, 29));
  EXPECT_FALSE(table.DayAllowed(2023, 2, 29));
  // One month on from 31 January is the last day of February.
  EXPECT_EQ(table.ShiftMonths(Day(2024, 1, 31), 1), Day(2024, 2, 29));
  EXPECT_EQ(table.ShiftMonths(Day(2024, 1, 15), -13), Day(2022, 12, 15));
  EXPECT_EQ(table.ShiftYears(Day(2024, 2, 29), 1), Day(2025, 2, 28));
  EXPECT_EQ(table.ShiftWeeks(Day(2024, 1, 1), 2), Day(2024, 1, 15));
  TkvCalendarDateTime bad;
  bad.Year = 2023, bad.Month = 2, bad.Day = 30;
  EXPECT_EQ(table.ShiftMonthsOf(bad, 1), table.FirstSupportedDay());
  EXPECT_EQ(table.ShiftDays(table.DecodeValue(Day(9999, 12, 30)), 5), table.LastSupportedDay());
  EXPECT_EQ(table.DayInYear(Day(2024, 3, 1)), 61);
  EXPECT_EQ(table.WeekStartOfValue(Day(2024, 5, 15)), Day(2024, 5, 12));
  EXPECT_EQ(table.WeekStartFrom(Day(2024, 5, 15), 1), Day(2024, 5, 13));
  EXPECT_EQ(table.WholeWeeksInYear(2022), 53);  // starts on a Saturday
  EXPECT_EQ(table.WholeWeeksInYear(2016), 53);  // a leap year starting on a Friday
  EXPECT_EQ(table.WholeWeeksInYear(2020), 52);
  EXPECT_EQ(table.WholeWeeksInYear(2023), 52);
  std::unique_ptr<TkvCustomCalendarTable> french = CalendarTableForType(CAL_GREGORIAN_ME_FRENCH);
  EXPECT_EQ(french->WeekFirstDay(), 1);
  EXPECT_EQ(CalendarTableForType(CAL_GREGORIAN_ARABIC)->WeekFirstDay(), 6);
  EXPECT_EQ(CalendarTableForType(99)->CalendarIdentifier(), CAL_GREGORIAN);
  EXPECT_TRUE(IsGregorianCalendar());
  EXPECT_FALSE(IsGregorianCalendar(CalendarTableForType(CAL_HIJRI).get()));
}

TEST(kvCalendars, WeekNumbers) {
  TkvGregorianCalendarTable table;
  // Rule 3 from Monday is ISO 8601 week numbering: check every Monday of two centuries.
  for (TDateTime monday = Day(1900, 1, 1); monday <= Day(2100, 12, 31); monday += 7) {
    Word y, m, d;
    DecodeDate(monday, y, m, d);
    // ISO: the week holds its Thursday; week 1 holds 4 January.
    TDateTime thursday = monday + 3;
    Word ty, tm, td;
    DecodeDate(thursday, ty, tm, td);
    Integer iso = static_cast<Integer>(thursday - Day(ty, 1, 1)) / 7 + 1;
    ASSERT_EQ(table.WeekOfYearValue(monday, 1, 3), iso) << y << "-" << m << "-" << d;
  }
  // 1 January 2021 (a Friday) lies before week 1 and answers 1, as the count truncates.
  EXPECT_EQ(table.WeekOfYearValue(Day(2021, 1, 1), 1, 3), 1);
  EXPECT_EQ(table.WeekOfYearValue(Day(2024, 12, 30), 1, 3), 1);
  EXPECT_EQ(table.WeekOfYearValue(Day(2024, 12, 29), 0, 1), 1);
  EXPECT_EQ(table.WeekOfYearValue(Day(2024, 1, 7), 0, 2), 1);
  EXPECT_EQ(table.WeekOfYearValue(Day(2024, 1, 6), 0, 0), 1);
  TkvHebrewCalendarTable hebrew;
  EXPECT_EQ(hebrew.WeekOfYearValue(Day(2023, 9, 16), 3, 1), 1);
  EXPECT_EQ(hebrew.WeekOfYearValue(Day(2023, 9, 24), 3, 1), 3);
}

TEST(kvCalendars, ParsingYears) {
  SetWallClock([] { return EncodeDate(2026, 6, 1); });
  TkvGregorianCalendarTable table;
  EXPECT_EQ(table.ParseYear("29"), 2029);
  EXPECT_EQ(table.ParseYear("76"), 1976);
  EXPECT_EQ(table.ParseYear("75"), 2075);
  EXPECT_EQ(table.ParseYear("030"), 30);
  EXPECT_EQ(table.ParseMonth(2024, "march"), 3);
  EXPECT_EQ(table.ParseMonth(2024, "Sep"), 9);
  EXPECT_EQ(table.ParseMonth(2024, "11"), 11);
  EXPECT_THROW(table.ParseDay("x"), EConvertError);
  SetWallClock(nullptr);
}

}  // namespace
