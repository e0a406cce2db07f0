#include "rtl/DateUtils.h"

#include <gtest/gtest.h>

#include <cmath>

#include "rtl/Exceptions.h"

namespace {

TDateTime At(Word y, Word m, Word d, Word h = 0, Word n = 0, Word s = 0, Word ms = 0) {
  return EncodeDate(y, m, d) + EncodeTime(h, n, s, ms);
}

TFormatSettings German() {
  TFormatSettings fs;
  fs.DateSeparator = '.';
  fs.ShortDateFormat = "dd/mm/yyyy";
  fs.LongTimeFormat = "hh:nn:ss";
  fs.TimeAMString = "";
  fs.TimePMString = "";
  fs.DecimalSeparator = ',';
  return fs;
}

}  // namespace

TEST(DateUtils, EncodesAndDecodesAroundTheEpoch) {
  struct Case {
    Word y, m, d;
    double serial;
  };
  const Case cases[] = {{1899, 12, 30, 0}, {1900, 1, 1, 2}, {1899, 12, 29, -1}, {2000, 2, 29, 36585},
                        {1, 1, 1, -693593}, {9999, 12, 31, 2958465}, {1970, 1, 1, 25569}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.serial);
    EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.serial);
    Word y, m, d;
    DecodeDate(c.serial, y, m, d);
    EXPECT_EQ(y, c.y);
    EXPECT_EQ(m, c.m);
    EXPECT_EQ(d, c.d);
  }
  // Before the epoch the fraction still counts forward from midnight.
  Word y, m, d, h, n, s, ms;
  DecodeDate(-1.25, y, m, d);
  DecodeTime(-1.25, h, n, s, ms);
  EXPECT_EQ(d, 29);
  EXPECT_EQ(h, 6);
  DecodeTime(At(2020, 1, 1, 23, 59, 59, 999), h, n, s, ms);
  EXPECT_EQ(h * 10000000 + n * 100000 + s * 1000 + ms, 235959999);
}

TEST(DateUtils, RejectsFieldsOutOfRange) {
  TDateTime value;
  EXPECT_FALSE(TryEncodeDate(2001, 2, 29, value));
  EXPECT_FALSE(TryEncodeDate(0, 1, 1, value));
  EXPECT_FALSE(TryEncodeDate(2000, 13, 1, value));
  EXPECT_FALSE(TryEncodeTime(24, 0, 0, 0, value));
  EXPECT_FALSE(TryEncodeTime(0, 0, 0, 1000, value));
  try {
    EncodeDate(2001, 2, 29);
    ADD_FAILURE() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Invalid argument to date encode");
  }
  EXPECT_THROW(EncodeTime(12, 60, 0, 0), EConvertError);
}

TEST(DateUtils, CalendarHelpers) {
  EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7);  // Saturday
  EXPECT_EQ(DayOfWeek(EncodeDate(2024, 5, 19)), 1);   // Sunday
  EXPECT_EQ(DayOfWeek(EncodeDate(1, 1, 1)), 2);       // Monday
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_EQ(DaysInAMonth(2024, 2), 29);
  EXPECT_EQ(DaysInAMonth(2023, 2), 28);
  EXPECT_EQ(IncMonth(At(2024, 1, 31, 12)), At(2024, 2, 29, 12));
  EXPECT_EQ(IncMonth(At(2024, 3, 15), -14), At(2023, 1, 15));
  EXPECT_EQ(IncMonth(At(2024, 12, 1), 1), At(2025, 1, 1));
  EXPECT_THROW(IncMonth(At(9999, 12, 1), 1), EConvertError);
  const TDateTime now = Now();
  EXPECT_GT(now, EncodeDate(2020, 1, 1));
  EXPECT_EQ(Date(), std::trunc(Date()));
  EXPECT_LT(Time(), 1.0);
}

TEST(DateUtils, FormatDateTimeLetters) {
  const TFormatSettings en;
  const TDateTime t = At(2024, 3, 5, 14, 7, 9, 45);
  struct Case {
    const char* format;
    const char* expected;
  };
  const Case cases[] = {
      {"d dd ddd dddd", "5 05 Tue Tuesday"},
      {"m mm mmm mmmm", "3 03 Mar March"},
      {"yy yyyy", "24 2024"},
      {"h hh n nn s ss z zzz", "14 14 7 07 9 09 45 045"},
      {"hh:mm", "14:07"},  // m after h is the minute
      {"hh:nn:ss am/pm", "02:07:09 pm"},
      {"h:nn AM/PM", "2:07 PM"},
      {"h:nn a/p", "2:07 p"},
      {"h:nn ampm", "2:07 PM"},
      {"hh:nn", "14:07"},
      {"ddddd", "3/5/2024"},
      {"dddddd", "Tuesday, March 5, 2024"},
      {"t|tt", "2:07 PM|2:07:09 PM"},
      {"c", "3/5/2024 2:07:09 PM"},
      {"", "3/5/2024 2:07:09 PM"},
      {"yyyy/mm/dd", "2024/03/05"},
      {"'d' \"m\" d", "d m 5"},
      {"'Tag' d.", "Tag 5."},
      {"Tag", "2:07 PMag"},  // an unquoted t is the short time
      {"dddddddd", "Tuesday, March 5, 202405"},  // six letters at most, then dd
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    EXPECT_EQ(FormatDateTime(c.format, t, en), c.expected);
  }
  EXPECT_EQ(FormatDateTime("c", EncodeDate(2024, 3, 5), en), "3/5/2024");  // midnight: no time
  EXPECT_EQ(FormatDateTime("h ampm", At(2024, 3, 5, 0, 30), en), "12 AM");
  EXPECT_EQ(FormatDateTime("h ampm", At(2024, 3, 5, 12, 30), en), "12 PM");
  EXPECT_EQ(DateTimeToStr(t, German()), "05.03.2024 14:07:09");
  EXPECT_EQ(DateToStr(t, German()), "05.03.2024");
  EXPECT_EQ(TimeToStr(t, German()), "14:07:09");
  // A format that names itself does not recurse without end.
  TFormatSettings looping;
  looping.ShortDateFormat = "c";
  EXPECT_EQ(FormatDateTime("c", EncodeDate(2024, 3, 5), looping), "");
}

TEST(DateUtils, ReadsDatesInTheShortFormatOrder) {
  TFormatSettings en;
  TFormatSettings de = German();
  TFormatSettings iso;
  iso.ShortDateFormat = "yyyy/mm/dd";
  iso.DateSeparator = '-';
  struct Case {
    const TFormatSettings* fs;
    const char* text;
    double expected;  // NAN: not a date
  };
  const Case cases[] = {
      {&en, "3/5/2024", EncodeDate(2024, 3, 5)},
      {&en, " 12/31/1999 ", EncodeDate(1999, 12, 31)},
      {&de, "05.03.2024", EncodeDate(2024, 3, 5)},
      {&iso, "2024-03-05", EncodeDate(2024, 3, 5)},
      {&en, "2/30/2024", NAN},
      {&en, "13/1/2024", NAN},
      {&en, "3-5-2024", NAN},
      {&en, "3/5/2024x", NAN},
      {&en, "", NAN},
      {&en, "3/", NAN},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    TDateTime value = -1;
    EXPECT_EQ(TryStrToDate(c.text, value, *c.fs), !std::isnan(c.expected));
    if (!std::isnan(c.expected)) {
      EXPECT_EQ(value, c.expected);
    }
  }
  try {
    StrToDate("31/12/2024", en);
    ADD_FAILURE() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'31/12/2024' is not a valid date");
  }
  // Two-digit years fall in the window of 50 years around now; day and month alone take this year.
  Word thisYear, m, d;
  DecodeDate(Date(), thisYear, m, d);
  Word y;
  const String twoDigits = std::to_string(thisYear % 100 + 100).substr(1);
  DecodeDate(StrToDate("1/1/" + twoDigits, en), y, m, d);
  EXPECT_EQ(y, thisYear);
  DecodeDate(StrToDate("6/7", en), y, m, d);
  EXPECT_EQ(y, thisYear);
  EXPECT_EQ(m, 6);
  EXPECT_EQ(d, 7);
}

TEST(DateUtils, ReadsTimesAndDateTimes) {
  TFormatSettings en;
  TFormatSettings de = German();
  struct Case {
    const TFormatSettings* fs;
    const char* text;
    double expected;
  };
  const Case cases[] = {
      {&en, "14:07", EncodeTime(14, 7, 0, 0)},
      {&en, "2:07:09 PM", EncodeTime(14, 7, 9, 0)},
      {&en, "12:00 am", EncodeTime(0, 0, 0, 0)},
      {&en, "12:30 PM", EncodeTime(12, 30, 0, 0)},
      {&en, "10 PM", EncodeTime(22, 0, 0, 0)},
      {&en, "1:02:03.250", EncodeTime(1, 2, 3, 250)},
      {&de, "1:02:03,250", EncodeTime(1, 2, 3, 250)},
      {&en, "13:00 PM", NAN},
      {&en, "24:00", NAN},
      {&en, "10", NAN},
      {&en, "10:61", NAN},
      {&en, "10:00 XM", NAN},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    TDateTime value = -1;
    EXPECT_EQ(TryStrToTime(c.text, value, *c.fs), !std::isnan(c.expected));
    if (!std::isnan(c.expected)) {
      EXPECT_DOUBLE_EQ(value, c.expected);
    }
  }
  EXPECT_DOUBLE_EQ(StrToDateTime("3/5/2024 2:07:09 PM", en), At(2024, 3, 5, 14, 7, 9));
  EXPECT_DOUBLE_EQ(StrToDateTime("05.03.2024 14:07", de), At(2024, 3, 5, 14, 7));
  EXPECT_DOUBLE_EQ(StrToDateTime("3/5/2024", en), EncodeDate(2024, 3, 5));
  EXPECT_DOUBLE_EQ(StrToDateTime("14:07", en), EncodeTime(14, 7, 0, 0));
  // What DateTimeToStr writes reads back.
  const TDateTime t = At(1999, 12, 31, 23, 59, 58);
  EXPECT_DOUBLE_EQ(StrToDateTime(DateTimeToStr(t, en), en), t);
  EXPECT_DOUBLE_EQ(StrToDateTime(DateTimeToStr(t, de), de), t);
  try {
    StrToTime("soon", en);
    ADD_FAILURE() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'soon' is not a valid time");
  }
  EXPECT_THROW(StrToDateTime("3/5/2024 noon", en), EConvertError);
}
