#include <algorithm>
#include <cmath>

#include "rtl/SysUtils.h"
#include "toolkit/editors/kvDateUtils.h"
#include "toolkit/editors/kvFormats.h"

// Made at build time by tools/hebrew-years: per Gregorian year 1583..2239, the code of the Hebrew
// date of 1 January and the type of Hebrew year G + 3760.
extern const unsigned char kvHebrewYearTable[657][2];

TAVREN_CLASS_IMPL(TkvEra)
TAVREN_CLASS_IMPL(TkvEras)
TAVREN_CLASS_IMPL(TkvCustomCalendarTable)
TAVREN_CLASS_IMPL(TkvGregorianCalendarTable)
TAVREN_CLASS_IMPL(TkvJapaneseCalendarTable)
TAVREN_CLASS_IMPL(TkvTaiwanCalendarTable)
TAVREN_CLASS_IMPL(TkvKoreanCalendarTable)
TAVREN_CLASS_IMPL(TkvThaiCalendarTable)
TAVREN_CLASS_IMPL(TkvHijriCalendarTable)
TAVREN_CLASS_IMPL(TkvHebrewCalendarTable)

namespace {

constexpr Integer kHebrewFirstGregorianYear = 1583;
constexpr Integer kHebrewLastGregorianYear = 2239;
constexpr Integer kHebrewYearDelta = 3760;
constexpr Integer kHijriDayBase = 227013;

const Integer kHebrewMonthLengths[6][13] = {
    {30, 29, 29, 29, 30, 29, 30, 29, 30, 29, 30, 29, 0}, {30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 0},
    {30, 30, 30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 0}, {30, 29, 29, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29},
    {30, 29, 30, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29}, {30, 30, 30, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29},
};

TDateTime GregorianDay(Integer Year, Integer Month, Integer Day) {
  TDateTime date = 0;
  if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 ||
      !TryEncodeDate(static_cast<Word>(Year), static_cast<Word>(Month), static_cast<Word>(Day), date))
    return kvNullDate;
  return date;
}

// A day and a time of day as one value; before 1899-12-30 the fraction still counts forward.
TDateTime WithTime(TDateTime Day, const TkvCalendarDateTime& R) {
  double time = (R.Hours * 3600000.0 + R.Minutes * 60000.0 + R.Seconds * 1000.0 + R.Milliseconds) / MSecsPerDay;
  return Day < 0 ? Day - time : Day + time;
}

void TimeOf(TDateTime Value, TkvCalendarDateTime& R) {
  Word h, m, s, ms;
  DecodeTime(Value, h, m, s, ms);
  R.Hours = static_cast<Byte>(h);
  R.Minutes = static_cast<Byte>(m);
  R.Seconds = static_cast<Byte>(s);
  R.Milliseconds = ms;
}

Integer GregorianYearOf(TDateTime Value) {
  Word y, m, d;
  DecodeDate(Value, y, m, d);
  return y;
}

bool IsHijriLeap(Integer Year) {
  switch (((Year % 30) + 30) % 30) {
    case 2: case 5: case 7: case 10: case 13: case 15: case 18: case 21: case 24: case 26: case 29: return true;
    default: return false;
  }
}

Integer HijriLeapsBefore(Integer CycleYear) {
  Integer count = 0;
  for (Integer y = 1; y <= CycleYear; ++y) count += IsHijriLeap(y) ? 1 : 0;
  return count;
}

TDateTime FirstGregorianDay() { return EncodeDate(1, 1, 1); }

// The locale's first-week rule for rule 0 (the locale has none of its own: the week of 1 January).
Integer EffectiveRule(Integer Rule) {
  if (Rule != 0) return Rule;
  TkvFormatController* controller = TheFormatController();
  return (controller ? controller->FirstWeekOfYear() : 0) + 1;
}

// Integer division that truncates toward zero, as the week count asks.
Integer TruncDiv(Integer A, Integer B) { return A / B; }

}  // namespace

// ---- Eras ---------------------------------------------------------------------------------

TkvEra::TkvEra(Integer ANumber, Integer AGregorianYearOffset, Integer AFirstYear, Integer ALastYear, TDateTime AFirstDay)
    : Number(ANumber),
      LastYear(ALastYear),
      FirstYear(AFirstYear),
      FirstDay(AFirstDay),
      GregorianYearOffset(AGregorianYearOffset) {}

void TkvEra::Assign(TPersistent* Source) {
  if (auto* era = dynamic_cast<TkvEra*>(Source)) {
    Number = era->Number;
    LastYear = era->LastYear;
    FirstYear = era->FirstYear;
    FirstDay = era->FirstDay;
    GregorianYearOffset = era->GregorianYearOffset;
    return;
  }
  TPersistent::Assign(Source);
}

// ---- Base table ---------------------------------------------------------------------------

TkvCustomCalendarTable::TkvCustomCalendarTable() : FEras(std::make_unique<TkvEras>()) {}
TkvCustomCalendarTable::~TkvCustomCalendarTable() = default;

void TkvCustomCalendarTable::RecheckEra(Integer& Year, Integer& Era) { RecheckEraAt(Year, Era, 1, 1); }

void TkvCustomCalendarTable::RecheckEraAt(Integer& Year, Integer& Era, Integer Month, Integer Day) {
  Integer gregorian = EraYearToGregorian(Year, Era);
  Era = EraIndexAt(gregorian, Month, Day);
  if (Era >= 0) Year = gregorian - FEras->Era(Era)->GregorianYearOffset;
}

void TkvCustomCalendarTable::ClampDate(TDateTime& Value) {
  Value = std::min(std::max(Value, FirstSupportedDay()), LastSupportedDay());
}

TDateTime TkvCustomCalendarTable::ShiftDays(const TkvCalendarDateTime& Record, Integer Count) {
  TDateTime value = EncodeRecord(Record) + Count;
  ClampDate(value);
  return value;
}

TDateTime TkvCustomCalendarTable::ShiftMonths(TDateTime Value, Integer Count) {
  return ShiftMonthsOf(DecodeValue(Value), Count);
}

TDateTime TkvCustomCalendarTable::ShiftMonthsOf(const TkvCalendarDateTime& Record, Integer Count) {
  if (!DayAllowedIn(Record.Era, Record.Year, Record.Month, Record.Day)) return FirstSupportedDay();
  TkvCalendarDateTime r = Record;
  Integer month = r.Month + Count;
  if (month > MonthCountIn(r.Era, r.Year) || month <= 0) {
    bool forward = month > 0;
    while (month > MonthCountIn(r.Era, r.Year) || month <= 0) {
      if (forward) {
        month -= MonthCountIn(r.Era, r.Year);
        ++r.Year;
      } else {
        month += MonthCountIn(r.Era, r.Year - 1);
        --r.Year;
      }
    }
  }
  r.Month = month;
  r.Day = std::min(r.Day, MonthLengthIn(r.Era, r.Year, r.Month));
  RecheckEraAt(r.Year, r.Era, r.Month, r.Day);
  if (!DayAllowedIn(r.Era, r.Year, r.Month, r.Day)) return FirstSupportedDay();
  TDateTime value = EncodeRecord(r);
  ClampDate(value);
  return value;
}

TDateTime TkvCustomCalendarTable::ShiftYears(TDateTime Value, Integer Count) {
  return ShiftYearsOf(DecodeValue(Value), Count);
}

TDateTime TkvCustomCalendarTable::ShiftYearsOf(const TkvCalendarDateTime& Record, Integer Count) {
  if (!DayAllowedIn(Record.Era, Record.Year, Record.Month, Record.Day)) return FirstSupportedDay();
  TkvCalendarDateTime r = Record;
  r.Year += Count;
  RecheckEra(r.Year, r.Era);
  if (!YearAllowedIn(r.Era, r.Year)) return FirstSupportedDay();
  r.Month = std::min(r.Month, MonthCountIn(r.Era, r.Year));
  r.Day = std::min(r.Day, MonthLengthIn(r.Era, r.Year, r.Month));
  RecheckEraAt(r.Year, r.Era, r.Month, r.Day);
  TDateTime value = EncodeRecord(r);
  ClampDate(value);
  return value;
}

TDateTime TkvCustomCalendarTable::ShiftWeeks(TDateTime Value, Integer Count) {
  return ShiftWeeksOf(DecodeValue(Value), Count);
}

TDateTime TkvCustomCalendarTable::ShiftWeeksOf(const TkvCalendarDateTime& Record, Integer Count) {
  TDateTime value = ShiftDays(Record, 7 * Count);
  ClampDate(value);
  return value;
}

TkvCalendarDateTime TkvCustomCalendarTable::DecodeParts(Word Year, Word Month, Word Day) {
  return DecodeFullParts(Year, Month, Day, 0, 0, 0, 0);
}

TkvCalendarDateTime TkvCustomCalendarTable::DecodeFullParts(Word Year, Word Month, Word Day, Word Hours, Word Minutes,
                                                            Word Seconds, Word Milliseconds) {
  TDateTime date = GregorianDay(Year, Month, Day);
  TDateTime time = 0;
  if (date == kvNullDate) date = FirstSupportedDay();
  if (!TryEncodeTime(Hours, Minutes, Seconds, Milliseconds, time)) time = 0;
  return DecodeValue(date < 0 ? date - time : date + time);
}

Integer TkvCustomCalendarTable::DayInYear(TDateTime Value) { return DayInYearOf(DecodeValue(Value)); }

Integer TkvCustomCalendarTable::DayInYearOf(const TkvCalendarDateTime& Record) {
  Integer days = Record.Day;
  for (Integer m = 1; m < Record.Month; ++m) days += MonthLengthIn(Record.Era, Record.Year, m);
  return days;
}

Integer TkvCustomCalendarTable::MonthLength(Integer Year, Integer Month) { return MonthLengthIn(-1, Year, Month); }
Integer TkvCustomCalendarTable::YearLength(Integer Year) { return YearLengthIn(-1, Year); }
Integer TkvCustomCalendarTable::EraIndexOfYear(Integer Year) { return EraIndexAt(Year, 1, 1); }

Integer TkvCustomCalendarTable::EraIndexAt(Integer GregorianYear, Integer Month, Integer Day) {
  if (FEras->GetCount() == 0 || GregorianYear < 1) return -1;
  TDateTime date;
  if (GregorianYear > 9999) {
    date = LastSupportedDay();
  } else {
    Integer month = std::clamp(Month, 1, 12);
    date = GregorianDay(GregorianYear, month, std::clamp(Day, 1, MonthDayCount(GregorianYear, month)));
  }
  Integer found = -1;
  for (Integer i = 0; i < FEras->GetCount(); ++i) {
    if (FEras->Era(i)->FirstDay <= date) found = i;
  }
  return found;
}

TDateTime TkvCustomCalendarTable::WeekStartOfValue(TDateTime Value) {
  TkvCalendarDateTime start;
  WeekStartOf(DecodeValue(Value), start);
  return EncodeRecord(start);
}

TDateTime TkvCustomCalendarTable::WeekStartFrom(TDateTime Value, Integer StartDay) {
  return Value - ((WeekDayOfValue(Value) - StartDay + 7) % 7 + 7) % 7;
}

void TkvCustomCalendarTable::WeekStartOf(const TkvCalendarDateTime& Record, TkvCalendarDateTime& Result) {
  Integer back = ((WeekDayOfRecord(Record) - WeekFirstDay()) % 7 + 7) % 7;
  Result = DecodeValue(ShiftDays(Record, -back));
}

void TkvCustomCalendarTable::WeekStartFromOf(const TkvCalendarDateTime& Record, Integer StartDay,
                                             TkvCalendarDateTime& Result) {
  Result = DecodeValue(WeekStartFrom(EncodeRecord(Record), StartDay));
}

Integer TkvCustomCalendarTable::MonthCount(Integer Year) { return MonthCountIn(-1, Year); }
Integer TkvCustomCalendarTable::YearOfValue(TDateTime Value) { return DecodeValue(Value).Year; }
Integer TkvCustomCalendarTable::YearOfDateRecord(const TkvCalendarDate& Date) { return Date.Year; }
Integer TkvCustomCalendarTable::YearOfRecord(const TkvCalendarDateTime& Record) { return Record.Year; }
Integer TkvCustomCalendarTable::WeekDayOfValue(TDateTime Value) { return DayOfWeek(Value) - 1; }
Integer TkvCustomCalendarTable::WeekDayOfRecord(const TkvCalendarDateTime& Record) {
  return WeekDayOfValue(EncodeRecord(Record));
}
Integer TkvCustomCalendarTable::WeekOfYearValue(TDateTime Value, Integer StartDay, Integer FirstWeekRule) {
  return WeekOfYearRecord(DecodeValue(Value), StartDay, FirstWeekRule);
}
bool TkvCustomCalendarTable::LeapDay(Integer Year, Integer Month, Integer Day) { return LeapDayIn(-1, Year, Month, Day); }
bool TkvCustomCalendarTable::LeapMonth(Integer Year, Integer Month) { return LeapMonthIn(-1, Year, Month); }
bool TkvCustomCalendarTable::LeapYear(Integer Year) { return LeapYearIn(-1, Year); }
bool TkvCustomCalendarTable::YearAllowed(Integer Year) { return YearAllowedIn(-1, Year); }
bool TkvCustomCalendarTable::YearAllowedIn(Integer, Integer Year) {
  return Year >= FirstSupportedYear() && Year <= LastSupportedYear();
}
bool TkvCustomCalendarTable::MonthAllowed(Integer Year, Integer Month) { return MonthAllowedIn(-1, Year, Month); }
bool TkvCustomCalendarTable::MonthAllowedIn(Integer Era, Integer Year, Integer Month) {
  return YearAllowedIn(Era, Year) && Month >= 1 && Month <= MonthCountIn(Era, Year);
}
bool TkvCustomCalendarTable::DayAllowed(Integer Year, Integer Month, Integer Day) {
  return DayAllowedIn(-1, Year, Month, Day);
}
bool TkvCustomCalendarTable::DayAllowedIn(Integer Era, Integer Year, Integer Month, Integer Day) {
  return MonthAllowedIn(Era, Year, Month) && Day >= 1 && Day <= MonthLengthIn(Era, Year, Month);
}
bool TkvCustomCalendarTable::ValueAllowed(TDateTime Value) {
  TkvCalendarDateTime r = DecodeValue(Value);
  return DayAllowed(r.Year, r.Month, r.Day);
}

TDateTime TkvCustomCalendarTable::EncodeDateRecord(const TkvCalendarDate& Date) {
  TkvCalendarDateTime r;
  r.Era = Date.Era;
  r.Year = Date.Year;
  r.Month = Date.Month;
  r.Day = Date.Day;
  return EncodeRecord(r);
}

TDateTime TkvCustomCalendarTable::EncodeParts(Integer Year, Integer Month, Integer Day) {
  return EncodeFullParts(Year, Month, Day, 0, 0, 0, 0);
}

TDateTime TkvCustomCalendarTable::EncodeFullParts(Integer Year, Integer Month, Integer Day, Integer Hours,
                                                  Integer Minutes, Integer Seconds, Integer Milliseconds) {
  TkvCalendarDateTime r;
  r.Year = Year;
  r.Month = Month;
  r.Day = Day;
  r.Hours = static_cast<Byte>(std::clamp(Hours, 0, 23));
  r.Minutes = static_cast<Byte>(std::clamp(Minutes, 0, 59));
  r.Seconds = static_cast<Byte>(std::clamp(Seconds, 0, 59));
  r.Milliseconds = static_cast<Word>(std::clamp(Milliseconds, 0, 999));
  return EncodeRecord(r);
}

Integer TkvCustomCalendarTable::ParseDay(const String& Text) { return StrToInt(Trim(Text)); }

Integer TkvCustomCalendarTable::ParseMonth(Integer, const String& Text) {
  for (int m = 0; m < 12; ++m) {
    if (SameText(Text, FormatSettings.LongMonthNames[m]) || SameText(Text, FormatSettings.ShortMonthNames[m]))
      return m + 1;
  }
  return StrToInt(Trim(Text));
}

Integer TkvCustomCalendarTable::ParseYear(const String& Text) {
  String text = Trim(Text);
  Integer n = StrToInt(text);
  if (text.size() > 2) return n;
  DWORD maximum = 0;
  if (CalendarInfoText(LOCALE_USER_DEFAULT, CalendarIdentifier(), CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER, nullptr,
                       0, &maximum) != 0) {
    Integer y = static_cast<Integer>(maximum);
    return n + (y / 100) * 100 - (y % 100 < n ? 100 : 0);
  }
  // Without the calendar's own maximum: the framework's century window around this year.
  Integer threshold = GregorianYearOf(Date()) - FormatSettings.TwoDigitYearCenturyWindow;
  Integer year = n + (threshold / 100) * 100;
  if (FormatSettings.TwoDigitYearCenturyWindow > 0 && year < threshold) year += 100;
  return year;
}

Integer TkvCustomCalendarTable::EraYearToGregorian(Integer Year, Integer Era) {
  if (Era == -1) return Year + (MainEra() ? MainEra()->GregorianYearOffset : 0);
  if (Era >= 0 && Era < FEras->GetCount()) return Year + FEras->Era(Era)->GregorianYearOffset;
  return Year;
}

bool TkvCustomCalendarTable::RejectInvalid(const TkvCalendarDateTime& Record, TDateTime& Value) {
  if (DayAllowedIn(Record.Era, Record.Year, Record.Month, Record.Day)) return false;
  Value = FirstSupportedDay();
  return true;
}

Integer TkvCustomCalendarTable::LunarWeekOfYear(const TkvCalendarDateTime& Record, Integer FirstWeekRule) {
  Integer rule = EffectiveRule(FirstWeekRule);
  TDateTime yearStart = EncodeParts(Record.Year, 1, 1);
  TDateTime s = std::trunc(WeekStartOfValue(yearStart));
  if (rule == 2 && s < yearStart) s += 7;
  if (rule == 3 && s + 3 < yearStart) s += 7;
  TDateTime x = std::trunc(EncodeRecord(Record));
  if (Record.Month == MonthCount(Record.Year)) {
    TDateTime nextYear = EncodeParts(Record.Year + 1, 1, 1);
    TDateTime w = std::trunc(WeekStartOfValue(x));
    if (YearAllowed(Record.Year + 1) && ((rule == 1 && w + 6 >= nextYear) || (rule == 3 && w + 3 >= nextYear))) return 1;
  }
  return TruncDiv(static_cast<Integer>(x - s), 7) + 1;
}

// ---- Gregorian ----------------------------------------------------------------------------

TkvGregorianCalendarTable::TkvGregorianCalendarTable() : FDefaultEra(std::make_unique<TkvEra>(-1, 0, 1, 9999, kvNullDate)) {}

TDateTime TkvGregorianCalendarTable::LastSupportedDay() { return 2958465.99999; }
TDateTime TkvGregorianCalendarTable::FirstSupportedDay() { return -657434; }

TkvCalendarDateTime TkvGregorianCalendarTable::DecodeValue(TDateTime Value) {
  TkvCalendarDateTime r;
  Value = std::min(std::max(Value, -693593.0), 2958465.99999);
  Word y, m, d;
  DecodeDate(Value, y, m, d);
  r.Year = y;
  r.Month = m;
  r.Day = d;
  TimeOf(Value, r);
  return r;
}

Integer TkvGregorianCalendarTable::MonthLengthIn(Integer Era, Integer Year, Integer Month) {
  if (Month < 1 || Month > 12) return 0;
  if (Month == 2) return LeapYearIn(Era, Year) ? 29 : 28;
  return MonthDayCount(2001, Month);
}

Integer TkvGregorianCalendarTable::YearLengthIn(Integer Era, Integer Year) { return LeapYearIn(Era, Year) ? 366 : 365; }

Integer TkvGregorianCalendarTable::WeekFirstDay() {
  switch (FCalendarType) {
    case CAL_GREGORIAN_ME_FRENCH:
    case CAL_GREGORIAN_XLIT_ENGLISH:
    case CAL_GREGORIAN_XLIT_FRENCH: return 1;
    case CAL_GREGORIAN_ARABIC: return 6;
    default: return 0;
  }
}

Integer TkvGregorianCalendarTable::WholeWeeksInYear(Integer Year) {
  Integer d = ((WeekDayOfValue(EncodeParts(Year, 1, 1)) - WeekFirstDay()) % 7 + 7) % 7;
  return (LeapYear(Year) && d > 4) || d > 5 ? 53 : 52;
}

Integer TkvGregorianCalendarTable::WeekOfYearRecord(const TkvCalendarDateTime& Record, Integer StartDay,
                                                    Integer FirstWeekRule) {
  Integer rule = EffectiveRule(FirstWeekRule);
  Integer year = EraYearToGregorian(Record.Year, Record.Era);
  TDateTime x = std::trunc(GregorianDay(year, Record.Month, Record.Day));
  TDateTime january = GregorianDay(year, 1, 1);
  TDateTime s = WeekStartFrom(january, StartDay);
  if (rule == 2 && s < january) s += 7;
  if (rule == 3 && s + 3 < january) s += 7;
  if (Record.Month == 12) {
    TDateTime w = WeekStartFrom(x, StartDay);
    Integer wYear = 0;
    if (rule == 1) wYear = GregorianYearOf(w + 6);
    if (rule == 3) wYear = GregorianYearOf(w + 3);
    if (wYear > year) return 1;
  }
  return TruncDiv(static_cast<Integer>(x - s), 7) + 1;
}

bool TkvGregorianCalendarTable::LeapDayIn(Integer Era, Integer Year, Integer Month, Integer Day) {
  return Month == 2 && Day == 29 && LeapYearIn(Era, Year);
}
bool TkvGregorianCalendarTable::LeapMonthIn(Integer Era, Integer Year, Integer Month) {
  return Month == 2 && LeapYearIn(Era, Year);
}
bool TkvGregorianCalendarTable::LeapYearIn(Integer Era, Integer Year) {
  return IsGregorianLeapYear(EraYearToGregorian(Year, Era));
}

TDateTime TkvGregorianCalendarTable::EncodeRecord(const TkvCalendarDateTime& Record) {
  TDateTime day = GregorianDay(Record.Year, Record.Month, Record.Day);
  if (day == kvNullDate) return FirstSupportedDay();
  return WithTime(day, Record);
}

// ---- Japanese and the single-era tables ---------------------------------------------------

TkvJapaneseCalendarTable::TkvJapaneseCalendarTable() {
  Eras()->Add(new TkvEra(1, 1867, 1, 45, EncodeDate(1868, 9, 8)));
  Eras()->Add(new TkvEra(2, 1911, 1, 15, EncodeDate(1912, 7, 30)));
  Eras()->Add(new TkvEra(3, 1925, 1, 64, EncodeDate(1926, 12, 25)));
  Eras()->Add(new TkvEra(4, 1988, 1, 31, EncodeDate(1989, 1, 8)));
  Eras()->Add(new TkvEra(5, 2018, 1, 7981, EncodeDate(2019, 5, 1)));
}

TkvJapaneseCalendarTable::TkvJapaneseCalendarTable(SingleEra, Integer Number, Integer Offset, Integer FirstYear,
                                                   Integer LastYear, TDateTime FirstDay) {
  Eras()->Add(new TkvEra(Number, Offset, FirstYear, LastYear, FirstDay));
}

TkvEra* TkvJapaneseCalendarTable::MainEra() { return Eras()->Era(Eras()->GetCount() - 1); }
TDateTime TkvJapaneseCalendarTable::FirstSupportedDay() { return Eras()->Era(0)->FirstDay; }
Integer TkvJapaneseCalendarTable::LastSupportedYear() { return MainEra()->LastYear; }
Integer TkvJapaneseCalendarTable::FirstSupportedYear() { return MainEra()->FirstYear; }

TkvCalendarDateTime TkvJapaneseCalendarTable::DecodeValue(TDateTime Value) {
  TkvCalendarDateTime r = TkvGregorianCalendarTable::DecodeValue(Value);
  r.Era = EraIndexAt(r.Year, r.Month, r.Day);
  TkvEra* era = r.Era >= 0 ? Eras()->Era(r.Era) : MainEra();
  r.Year -= era->GregorianYearOffset;
  return r;
}

TDateTime TkvJapaneseCalendarTable::EncodeRecord(const TkvCalendarDateTime& Record) {
  TDateTime value;
  if (RejectInvalid(Record, value)) return value;
  TkvCalendarDateTime r = Record;
  r.Year = EraYearToGregorian(Record.Year, Record.Era);
  return TkvGregorianCalendarTable::EncodeRecord(r);
}

TkvTaiwanCalendarTable::TkvTaiwanCalendarTable()
    : TkvJapaneseCalendarTable(SingleEra{}, 1, 1911, 1, 8088, EncodeDate(1912, 1, 1)) {}
TkvKoreanCalendarTable::TkvKoreanCalendarTable()
    : TkvJapaneseCalendarTable(SingleEra{}, 0, -2333, 2334, 12332, EncodeDate(1, 1, 1)) {}
TkvThaiCalendarTable::TkvThaiCalendarTable()
    : TkvJapaneseCalendarTable(SingleEra{}, 0, -543, 544, 10542, EncodeDate(1, 1, 1)) {}

// ---- Hijri --------------------------------------------------------------------------------

TkvHijriCalendarTable::TkvHijriCalendarTable() : FDefaultEra(std::make_unique<TkvEra>(-1, 0, 1, 9999, kvNullDate)) {}

TDateTime TkvHijriCalendarTable::LastSupportedDay() { return 2958465.99999; }
TDateTime TkvHijriCalendarTable::FirstSupportedDay() { return EncodeDate(622, 7, 18); }

TkvCalendarDateTime TkvHijriCalendarTable::DecodeValue(TDateTime Value) {
  ClampDate(Value);
  TkvCalendarDateTime r;
  Integer n = static_cast<Integer>(std::trunc(Value - FirstGregorianDay() + 1)) - kHijriDayBase;
  Integer year = static_cast<Integer>((30LL * n) / 10631) + 1;
  n -= (year - 1) * 354;
  n -= ((year - 1) / 30) * 11;
  n -= HijriLeapsBefore((year - 1) % 30);
  Integer month = 1;
  while (n > MonthLengthIn(-1, year, month)) {
    n -= MonthLengthIn(-1, year, month);
    if (++month > 12) {
      month = 1;
      ++year;
    }
  }
  if (n <= 0) {
    --year;
    month = 12;
    n += MonthLengthIn(-1, year, month);
  }
  r.Year = year;
  r.Month = month;
  r.Day = n;
  TimeOf(Value, r);
  return r;
}

Integer TkvHijriCalendarTable::MonthLengthIn(Integer Era, Integer Year, Integer Month) {
  if (Month < 1 || Month > 12) return 0;
  if (LeapMonthIn(Era, Year, Month)) return 30;
  return Month % 2 == 0 ? 29 : 30;
}

Integer TkvHijriCalendarTable::YearLengthIn(Integer Era, Integer Year) { return LeapYearIn(Era, Year) ? 355 : 354; }

Integer TkvHijriCalendarTable::WeekOfYearRecord(const TkvCalendarDateTime& Record, Integer, Integer FirstWeekRule) {
  return LunarWeekOfYear(Record, FirstWeekRule);
}

bool TkvHijriCalendarTable::LeapDayIn(Integer Era, Integer Year, Integer Month, Integer Day) {
  return Day == 30 && LeapMonthIn(Era, Year, Month);
}
bool TkvHijriCalendarTable::LeapMonthIn(Integer Era, Integer Year, Integer Month) {
  return Month == 12 && LeapYearIn(Era, Year);
}
bool TkvHijriCalendarTable::LeapYearIn(Integer, Integer Year) { return IsHijriLeap(Year); }

TDateTime TkvHijriCalendarTable::EncodeRecord(const TkvCalendarDateTime& Record) {
  TDateTime value;
  if (RejectInvalid(Record, value)) return value;
  Integer y = Record.Year - 1;
  TDateTime day = static_cast<TDateTime>(y) * 354 + kHijriDayBase + (y / 30) * 11 + HijriLeapsBefore(y % 30) +
                  DayInYearOf(Record) + FirstGregorianDay() - 1;
  return WithTime(day, Record);
}

Integer TkvHijriCalendarTable::ParseMonth(Integer Year, const String& Text) {
  for (Integer m = 1; m <= 12; ++m) {
    if (SameText(Text, CalendarMonthNameOf(Year, m, this))) return m;
  }
  return TkvCustomCalendarTable::ParseMonth(Year, Text);
}

// ---- Hebrew -------------------------------------------------------------------------------

namespace {

struct HebrewDay {
  Integer Month;
  Integer Day;
};

HebrewDay JanuaryDay(Integer GregorianYear) {
  Integer code = kvHebrewYearTable[GregorianYear - kHebrewFirstGregorianYear][0];
  switch (code) {
    case 0: return {5, 1};
    case 31: return {5, 2};
    case 32: return {5, 3};
    case 33: return {3, 29};
    case 30: return {3, 30};
    default: return {4, code};
  }
}

}  // namespace

TkvHebrewCalendarTable::TkvHebrewCalendarTable() : FDefaultEra(std::make_unique<TkvEra>(-1, 0, 1, 9999, kvNullDate)) {}

TDateTime TkvHebrewCalendarTable::FirstSupportedDay() { return EncodeDate(1583, 1, 1); }
TDateTime TkvHebrewCalendarTable::LastSupportedDay() { return EncodeDate(2239, 9, 29) + EncodeTime(23, 59, 59, 999); }

Integer TkvHebrewCalendarTable::YearType(Integer Year) {
  Integer g = Year - kHebrewYearDelta;
  if (g < kHebrewFirstGregorianYear || g > kHebrewLastGregorianYear) return 0;
  return kvHebrewYearTable[g - kHebrewFirstGregorianYear][1];
}

Integer TkvHebrewCalendarTable::MonthCountIn(Integer Era, Integer Year) { return LeapYearIn(Era, Year) ? 13 : 12; }

Integer TkvHebrewCalendarTable::MonthLengthIn(Integer, Integer Year, Integer Month) {
  Integer type = YearType(Year);
  if (type == 0 || Month < 1 || Month > 13) return 0;
  return kHebrewMonthLengths[type - 1][Month - 1];
}

Integer TkvHebrewCalendarTable::YearLengthIn(Integer, Integer Year) {
  Integer type = YearType(Year);
  if (type == 0) return 0;
  Integer common = type == 2 || type == 5 ? 354 : type == 3 || type == 6 ? 355 : 353;
  return common + (type > 3 ? 30 : 0);
}

Integer TkvHebrewCalendarTable::WeekOfYearRecord(const TkvCalendarDateTime& Record, Integer, Integer FirstWeekRule) {
  return LunarWeekOfYear(Record, FirstWeekRule);
}

bool TkvHebrewCalendarTable::LeapDayIn(Integer Era, Integer Year, Integer Month, Integer Day) {
  return DayAllowedIn(Era, Year, Month, Day) && LeapMonthIn(Era, Year, Month);
}
bool TkvHebrewCalendarTable::LeapMonthIn(Integer Era, Integer Year, Integer Month) {
  return MonthAllowedIn(Era, Year, Month) && LeapYearIn(Era, Year) && Month == 7;
}
bool TkvHebrewCalendarTable::LeapYearIn(Integer, Integer Year) { return YearType(Year) > 3; }

TkvCalendarDateTime TkvHebrewCalendarTable::DecodeValue(TDateTime Value) {
  ClampDate(Value);
  Integer year = GregorianYearOf(Value) + kHebrewYearDelta;
  // 1 Tishrei of that year: 1 January of the Gregorian year less the days before its Hebrew date.
  HebrewDay january = JanuaryDay(year - kHebrewYearDelta);
  TkvCalendarDateTime first;
  first.Year = year;
  first.Month = january.Month;
  first.Day = january.Day;
  Integer offset = static_cast<Integer>(std::trunc(Value) - EncodeDate(static_cast<Word>(year - kHebrewYearDelta), 1, 1)) +
                   DayInYearOf(first) - 1;
  Integer month = 1;
  while (offset >= MonthLengthIn(-1, year, month) && MonthLengthIn(-1, year, month) > 0) {
    offset -= MonthLengthIn(-1, year, month);
    if (++month > MonthCount(year)) {
      month = 1;
      ++year;
    }
  }
  TkvCalendarDateTime r;
  r.Year = year;
  r.Month = month;
  r.Day = offset + 1;
  TimeOf(Value, r);
  return r;
}

TDateTime TkvHebrewCalendarTable::EncodeRecord(const TkvCalendarDateTime& Record) {
  TDateTime value;
  if (RejectInvalid(Record, value)) return value;
  Integer g = Record.Year - kHebrewYearDelta;
  HebrewDay january = JanuaryDay(g);
  TkvCalendarDateTime first = Record;
  first.Month = january.Month;
  first.Day = january.Day;
  TDateTime day = EncodeDate(static_cast<Word>(g), 1, 1) + DayInYearOf(Record) - DayInYearOf(first);
  return WithTime(day, Record);
}

Integer HebrewNumeralValue(const String& Text) {
  // Letters U+05D0..U+05EA; finals (kaf, mem, nun, pe, tsadi) count as their letters.
  static const Integer kValues[27] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10,  20,  20,  30, 40,
                                      40, 50, 50, 60, 70, 80, 80, 90, 90, 100, 200, 300, 400};
  Integer sum = 0;
  for (size_t i = 0; i + 1 < Text.size(); ++i) {
    auto lead = static_cast<unsigned char>(Text[i]);
    auto trail = static_cast<unsigned char>(Text[i + 1]);
    if (lead != 0xD7 || trail < 0x90 || trail > 0xAA) continue;
    sum += kValues[trail - 0x90];
    ++i;
  }
  return sum;
}

Integer TkvHebrewCalendarTable::ParseDay(const String& Text) {
  Integer value = HebrewNumeralValue(Text);
  return value != 0 ? value : TkvCustomCalendarTable::ParseDay(Text);
}

Integer TkvHebrewCalendarTable::ParseYear(const String& Text) {
  Integer value = HebrewNumeralValue(Text);
  return value != 0 ? value + 5000 : TkvCustomCalendarTable::ParseYear(Text);
}

Integer TkvHebrewCalendarTable::ParseMonth(Integer Year, const String& Text) {
  Integer value = HebrewNumeralValue(Text);
  if (value != 0 && MonthAllowed(Year, value)) return value;
  for (Integer m = 1; m <= 13; ++m) {
    if (MonthAllowed(Year, m) && SameText(Text, CalendarMonthNameOf(Year, m, this))) return m;
  }
  return TkvCustomCalendarTable::ParseMonth(Year, Text);
}
