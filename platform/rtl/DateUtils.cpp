#include "rtl/DateUtils.h"

#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "rtl/Exceptions.h"
#include "rtl/Math.h"

namespace {

// Days between 1970-01-01 and the civil date (proleptic Gregorian), after H. Hinnant's method.
Int64 DaysFromCivil(Int64 y, unsigned m, unsigned d) {
  y -= m <= 2;
  const Int64 era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<Int64>(doe) - 719468;
}

void CivilFromDays(Int64 z, Int64& y, unsigned& m, unsigned& d) {
  z += 719468;
  const Int64 era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y = static_cast<Int64>(yoe) + era * 400 + (m <= 2);
}

constexpr Int64 kUnixDaysOfDateZero = -25569;  // 1899-12-30 counted from 1970-01-01

// Whole days (toward zero) and the milliseconds of the day, from the value rounded to a
// millisecond as the framework does: 23:59:59.9996 is the next midnight.
void Split(TDateTime value, Int64& days, Int64& msecOfDay) {
  const Int64 msecs = Round(value * MSecsPerDay);
  days = msecs / MSecsPerDay;
  msecOfDay = std::abs(msecs % MSecsPerDay);
}

}  // namespace

bool IsLeapYear(Word year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

Word DaysInAMonth(Word year, Word month) {
  static const Word kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool TryEncodeDate(Word year, Word month, Word day, TDateTime& date) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInAMonth(year, month)) return false;
  date = static_cast<TDateTime>(DaysFromCivil(year, month, day) - kUnixDaysOfDateZero);
  return true;
}

TDateTime EncodeDate(Word year, Word month, Word day) {
  TDateTime date;
  if (!TryEncodeDate(year, month, day, date)) throw EConvertError("Invalid argument to date encode");
  return date;
}

bool TryEncodeTime(Word hour, Word min, Word sec, Word msec, TDateTime& time) {
  if (hour >= 24 || min >= 60 || sec >= 60 || msec >= 1000) return false;
  time = static_cast<TDateTime>(((hour * 60 + min) * 60 + sec) * 1000 + msec) / MSecsPerDay;
  return true;
}

TDateTime EncodeTime(Word hour, Word min, Word sec, Word msec) {
  TDateTime time;
  if (!TryEncodeTime(hour, min, sec, msec, time)) throw EConvertError("Invalid argument to time encode");
  return time;
}

void DecodeDate(TDateTime date, Word& year, Word& month, Word& day) {
  Int64 days, msecOfDay;
  Split(date, days, msecOfDay);
  Int64 y;
  unsigned m, d;
  CivilFromDays(days + kUnixDaysOfDateZero, y, m, d);
  // Outside the framework's years 1..9999 the fields are meaningless; answer zeros as it does.
  if (y < 1 || y > 9999) {
    year = month = day = 0;
    return;
  }
  year = static_cast<Word>(y);
  month = static_cast<Word>(m);
  day = static_cast<Word>(d);
}

void DecodeTime(TDateTime time, Word& hour, Word& min, Word& sec, Word& msec) {
  Int64 days, msecOfDay;
  Split(time, days, msecOfDay);
  hour = static_cast<Word>(msecOfDay / 3600000);
  min = static_cast<Word>(msecOfDay / 60000 % 60);
  sec = static_cast<Word>(msecOfDay / 1000 % 60);
  msec = static_cast<Word>(msecOfDay % 1000);
}

namespace {

std::function<TDateTime()>& WallClock() {
  static std::function<TDateTime()> source;
  return source;
}

}  // namespace

void SetWallClock(std::function<TDateTime()> source) { WallClock() = std::move(source); }

TDateTime Now() {
  if (WallClock()) return WallClock()();
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tm local{};
  localtime_r(&now.tv_sec, &local);
  return EncodeDate(static_cast<Word>(local.tm_year + 1900), static_cast<Word>(local.tm_mon + 1),
                    static_cast<Word>(local.tm_mday)) +
         EncodeTime(static_cast<Word>(local.tm_hour), static_cast<Word>(local.tm_min),
                    static_cast<Word>(std::min(local.tm_sec, 59)), static_cast<Word>(now.tv_nsec / 1000000));
}

TDateTime Date() { return std::trunc(Now()); }

TDateTime Time() { return Frac(Now()); }

Integer DayOfWeek(TDateTime date) {
  Int64 days, msecOfDay;
  Split(date, days, msecOfDay);
  // Day 1 of the framework's count, 0001-01-01, was a Monday.
  const Int64 ordinal = days + DateDelta;
  return static_cast<Integer>(((ordinal % 7) + 7) % 7 + 1);
}

TDateTime IncMonth(TDateTime date, Integer months) {
  Word year, month, day;
  DecodeDate(date, year, month, day);
  const Int64 index = static_cast<Int64>(year) * 12 + (month - 1) + months;
  const Int64 newYear = index >= 0 ? index / 12 : -1;
  const auto newMonth = static_cast<Word>(index >= 0 ? index % 12 + 1 : 1);
  if (newYear < 1 || newYear > 9999) throw EConvertError("Invalid argument to date encode");
  const Word newDay = std::min(day, DaysInAMonth(static_cast<Word>(newYear), newMonth));
  const TDateTime result = EncodeDate(static_cast<Word>(newYear), newMonth, newDay);
  const TDateTime timeOfDay = std::fabs(Frac(date));
  return result >= 0 ? result + timeOfDay : result - timeOfDay;
}
