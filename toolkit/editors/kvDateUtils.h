#pragma once
// Calendars and the date routines of the date, time and calendar editors.
//
// A calendar table converts between a TDateTime and a date of one calendar (era, year, month, day,
// time of day) and does that calendar's arithmetic, validation, leap rules and week numbers: the
// Gregorian calendar, the Japanese eras, the Taiwan, Korean and Thai year counts, the tabular Hijri
// calendar and the Hebrew calendar (1583..2239, from a year table made at build time). Invalid
// dates never raise: arithmetic on them gives the first supported day, results are clamped.
//
// Around the tables: smart date words ("today+3", "eom"), text to date-time and back in the
// user's calendar, calendar choice and texts, month and week arithmetic.

#include <memory>
#include <vector>

#include "rtl/DateUtils.h"
#include "rtl/Persistent.h"
#include "rtl/Types.h"
#include "toolkit/foundation/kvClasses.h"
#include "user/LocaleInfo.h"

constexpr TDateTime kvNullDate = -700000;

struct TkvCalendarDate {
  Integer Era = -1;  // -1: the table's default era
  Integer Year = 0;
  Integer Month = 0;
  Integer Day = 0;
};

struct TkvCalendarDateTime {
  Integer Era = -1;
  Integer Year = 0;
  Integer Month = 0;
  Integer Day = 0;
  Byte Hours = 0;
  Byte Minutes = 0;
  Byte Seconds = 0;
  Word Milliseconds = 0;
};

class TkvEra : public TPersistent {
  TAVREN_CLASS(TkvEra, TPersistent)
 public:
  TkvEra(Integer ANumber, Integer AGregorianYearOffset, Integer AFirstYear, Integer ALastYear, TDateTime AFirstDay);
  void Assign(TPersistent* Source) override;

  Integer Number;
  Integer LastYear;
  Integer FirstYear;
  TDateTime FirstDay;
  Integer GregorianYearOffset;  // Gregorian year = era year + offset
};

// The eras of a table, in ascending order of their first days; owns them.
class TkvEras : public TkvObjectList {
  TAVREN_CLASS(TkvEras, TkvObjectList)
 public:
  TkvEra* Era(Integer Index) const { return static_cast<TkvEra*>(ItemAt(Index)); }
};

// Calendar identifiers of the platform.
constexpr Integer CAL_GREGORIAN = 1;
constexpr Integer CAL_GREGORIAN_US = 2;
constexpr Integer CAL_JAPAN = 3;
constexpr Integer CAL_TAIWAN = 4;
constexpr Integer CAL_KOREA = 5;
constexpr Integer CAL_HIJRI = 6;
constexpr Integer CAL_THAI = 7;
constexpr Integer CAL_HEBREW = 8;
constexpr Integer CAL_GREGORIAN_ME_FRENCH = 9;
constexpr Integer CAL_GREGORIAN_ARABIC = 10;
constexpr Integer CAL_GREGORIAN_XLIT_ENGLISH = 11;
constexpr Integer CAL_GREGORIAN_XLIT_FRENCH = 12;

// Calendar information items.
constexpr DWORD CAL_SYEARMONTH = 0x0000002F;
constexpr DWORD CAL_ITWODIGITYEARMAX = 0x00000030;
constexpr DWORD CAL_RETURN_NUMBER = 0x20000000;

// Week-numbering rules: 1 the week of 1 January, 2 the first full week, 3 the first week with
// four days; 0 the locale's.
class TkvCustomCalendarTable : public TObject {
  TAVREN_CLASS(TkvCustomCalendarTable, TObject)
 public:
  TkvCustomCalendarTable();
  ~TkvCustomCalendarTable() override;

  virtual void RecheckEra(Integer& Year, Integer& Era);
  virtual void RecheckEraAt(Integer& Year, Integer& Era, Integer Month, Integer Day);
  virtual Integer AlgorithmKind() = 0;  // 1 solar, 2 lunar, 3 lunisolar
  virtual Integer CalendarIdentifier() = 0;
  virtual TkvEra* MainEra() = 0;
  virtual TDateTime LastSupportedDay() = 0;
  virtual TDateTime FirstSupportedDay() = 0;
  virtual void ClampDate(TDateTime& Value);
  virtual Integer LastSupportedYear() = 0;
  virtual Integer FirstSupportedYear() = 0;
  virtual TDateTime ShiftDays(const TkvCalendarDateTime& Record, Integer Count);
  virtual TDateTime ShiftMonths(TDateTime Value, Integer Count);
  virtual TDateTime ShiftMonthsOf(const TkvCalendarDateTime& Record, Integer Count);
  virtual TDateTime ShiftYears(TDateTime Value, Integer Count);
  virtual TDateTime ShiftYearsOf(const TkvCalendarDateTime& Record, Integer Count);
  virtual TDateTime ShiftWeeks(TDateTime Value, Integer Count);
  virtual TDateTime ShiftWeeksOf(const TkvCalendarDateTime& Record, Integer Count);
  virtual TkvCalendarDateTime DecodeValue(TDateTime Value) = 0;
  virtual TkvCalendarDateTime DecodeParts(Word Year, Word Month, Word Day);
  virtual TkvCalendarDateTime DecodeFullParts(Word Year, Word Month, Word Day, Word Hours, Word Minutes, Word Seconds,
                                              Word Milliseconds);
  virtual Integer DayInYear(TDateTime Value);
  virtual Integer DayInYearOf(const TkvCalendarDateTime& Record);
  virtual Integer MonthLength(Integer Year, Integer Month);
  virtual Integer MonthLengthIn(Integer Era, Integer Year, Integer Month) = 0;
  virtual Integer YearLength(Integer Year);
  virtual Integer YearLengthIn(Integer Era, Integer Year) = 0;
  virtual Integer EraIndexOfYear(Integer Year);
  virtual Integer EraIndexAt(Integer GregorianYear, Integer Month, Integer Day);
  virtual TDateTime WeekStartOfValue(TDateTime Value);
  virtual TDateTime WeekStartFrom(TDateTime Value, Integer StartDay);
  virtual void WeekStartOf(const TkvCalendarDateTime& Record, TkvCalendarDateTime& Result);
  virtual void WeekStartFromOf(const TkvCalendarDateTime& Record, Integer StartDay, TkvCalendarDateTime& Result);
  virtual Integer WeekFirstDay() = 0;  // 0 Sunday .. 6 Saturday
  virtual Integer WholeWeeksInYear(Integer Year) = 0;
  virtual Integer MonthCount(Integer Year);
  virtual Integer MonthCountIn(Integer Era, Integer Year) = 0;
  virtual Integer YearOfValue(TDateTime Value);
  virtual Integer YearOfDateRecord(const TkvCalendarDate& Date);
  virtual Integer YearOfRecord(const TkvCalendarDateTime& Record);
  virtual Integer WeekDayOfValue(TDateTime Value);  // 0 Sunday .. 6 Saturday
  virtual Integer WeekDayOfRecord(const TkvCalendarDateTime& Record);
  virtual Integer WeekOfYearValue(TDateTime Value, Integer StartDay, Integer FirstWeekRule);
  virtual Integer WeekOfYearRecord(const TkvCalendarDateTime& Record, Integer StartDay, Integer FirstWeekRule) = 0;
  virtual bool LeapDay(Integer Year, Integer Month, Integer Day);
  virtual bool LeapDayIn(Integer Era, Integer Year, Integer Month, Integer Day) = 0;
  virtual bool LeapMonth(Integer Year, Integer Month);
  virtual bool LeapMonthIn(Integer Era, Integer Year, Integer Month) = 0;
  virtual bool LeapYear(Integer Year);
  virtual bool LeapYearIn(Integer Era, Integer Year) = 0;
  virtual bool YearAllowed(Integer Year);
  virtual bool YearAllowedIn(Integer Era, Integer Year);
  virtual bool MonthAllowed(Integer Year, Integer Month);
  virtual bool MonthAllowedIn(Integer Era, Integer Year, Integer Month);
  virtual bool DayAllowed(Integer Year, Integer Month, Integer Day);
  virtual bool DayAllowedIn(Integer Era, Integer Year, Integer Month, Integer Day);
  virtual bool ValueAllowed(TDateTime Value);
  virtual TDateTime EncodeDateRecord(const TkvCalendarDate& Date);
  virtual TDateTime EncodeParts(Integer Year, Integer Month, Integer Day);
  virtual TDateTime EncodeFullParts(Integer Year, Integer Month, Integer Day, Integer Hours, Integer Minutes,
                                    Integer Seconds, Integer Milliseconds);
  virtual TDateTime EncodeRecord(const TkvCalendarDateTime& Record) = 0;
  virtual Integer ParseDay(const String& Text);
  virtual Integer ParseMonth(Integer Year, const String& Text);
  virtual Integer ParseYear(const String& Text);

  Integer EraYearToGregorian(Integer Year, Integer Era);
  // True (with the first supported day in Value) when the record is no valid day.
  bool RejectInvalid(const TkvCalendarDateTime& Record, TDateTime& Value);
  TkvEras* Eras() const noexcept { return FEras.get(); }

 protected:
  // The week number in the table's own calendar, weeks starting on its first week day.
  Integer LunarWeekOfYear(const TkvCalendarDateTime& Record, Integer FirstWeekRule);

 private:
  std::unique_ptr<TkvEras> FEras;
};

class TkvGregorianCalendarTable : public TkvCustomCalendarTable {
  TAVREN_CLASS(TkvGregorianCalendarTable, TkvCustomCalendarTable)
 public:
  TkvGregorianCalendarTable();

  Integer AlgorithmKind() override { return 1; }
  Integer CalendarIdentifier() override { return FCalendarType; }
  TkvEra* MainEra() override { return FDefaultEra.get(); }
  TDateTime LastSupportedDay() override;
  TDateTime FirstSupportedDay() override;
  Integer LastSupportedYear() override { return 9999; }
  Integer FirstSupportedYear() override { return 1; }
  TkvCalendarDateTime DecodeValue(TDateTime Value) override;
  Integer MonthLengthIn(Integer Era, Integer Year, Integer Month) override;
  Integer YearLengthIn(Integer Era, Integer Year) override;
  Integer WeekFirstDay() override;
  Integer WholeWeeksInYear(Integer Year) override;
  Integer MonthCountIn(Integer, Integer) override { return 12; }
  Integer WeekOfYearRecord(const TkvCalendarDateTime& Record, Integer StartDay, Integer FirstWeekRule) override;
  bool LeapDayIn(Integer Era, Integer Year, Integer Month, Integer Day) override;
  bool LeapMonthIn(Integer Era, Integer Year, Integer Month) override;
  bool LeapYearIn(Integer Era, Integer Year) override;
  TDateTime EncodeRecord(const TkvCalendarDateTime& Record) override;

  TkvEra* DefaultEra() const noexcept { return FDefaultEra.get(); }
  Integer GetCalendarType() const noexcept { return FCalendarType; }
  void SetCalendarType(Integer Value) { FCalendarType = Value; }

 private:
  std::unique_ptr<TkvEra> FDefaultEra;
  Integer FCalendarType = CAL_GREGORIAN;
};

// Years counted in eras: the Japanese eras, and the single eras of its descendants.
class TkvJapaneseCalendarTable : public TkvGregorianCalendarTable {
  TAVREN_CLASS(TkvJapaneseCalendarTable, TkvGregorianCalendarTable)
 public:
  TkvJapaneseCalendarTable();

  Integer CalendarIdentifier() override { return CAL_JAPAN; }
  TkvEra* MainEra() override;
  TDateTime FirstSupportedDay() override;
  Integer LastSupportedYear() override;
  Integer FirstSupportedYear() override;
  Integer WeekFirstDay() override { return 0; }
  TkvCalendarDateTime DecodeValue(TDateTime Value) override;
  TDateTime EncodeRecord(const TkvCalendarDateTime& Record) override;

 protected:
  struct SingleEra {};
  // For the descendants: only the era they give, no Japanese ones.
  TkvJapaneseCalendarTable(SingleEra, Integer Number, Integer Offset, Integer FirstYear, Integer LastYear,
                           TDateTime FirstDay);
};

class TkvTaiwanCalendarTable : public TkvJapaneseCalendarTable {
  TAVREN_CLASS(TkvTaiwanCalendarTable, TkvJapaneseCalendarTable)
 public:
  TkvTaiwanCalendarTable();
  Integer CalendarIdentifier() override { return CAL_TAIWAN; }
};

class TkvKoreanCalendarTable : public TkvJapaneseCalendarTable {
  TAVREN_CLASS(TkvKoreanCalendarTable, TkvJapaneseCalendarTable)
 public:
  TkvKoreanCalendarTable();
  Integer CalendarIdentifier() override { return CAL_KOREA; }
};

class TkvThaiCalendarTable : public TkvJapaneseCalendarTable {
  TAVREN_CLASS(TkvThaiCalendarTable, TkvJapaneseCalendarTable)
 public:
  TkvThaiCalendarTable();
  Integer CalendarIdentifier() override { return CAL_THAI; }
};

// The tabular Hijri calendar: 1 Muharram 1 is 0622-07-18; eleven leap years in thirty.
class TkvHijriCalendarTable : public TkvCustomCalendarTable {
  TAVREN_CLASS(TkvHijriCalendarTable, TkvCustomCalendarTable)
 public:
  TkvHijriCalendarTable();

  Integer AlgorithmKind() override { return 2; }
  Integer CalendarIdentifier() override { return CAL_HIJRI; }
  TkvEra* MainEra() override { return FDefaultEra.get(); }
  TDateTime LastSupportedDay() override;
  TDateTime FirstSupportedDay() override;
  Integer LastSupportedYear() override { return 9666; }
  Integer FirstSupportedYear() override { return 1; }
  TkvCalendarDateTime DecodeValue(TDateTime Value) override;
  Integer MonthLengthIn(Integer Era, Integer Year, Integer Month) override;
  Integer YearLengthIn(Integer Era, Integer Year) override;
  Integer WeekFirstDay() override { return 6; }
  Integer WholeWeeksInYear(Integer) override { return 50; }
  Integer MonthCountIn(Integer, Integer) override { return 12; }
  Integer WeekOfYearRecord(const TkvCalendarDateTime& Record, Integer StartDay, Integer FirstWeekRule) override;
  bool LeapDayIn(Integer Era, Integer Year, Integer Month, Integer Day) override;
  bool LeapMonthIn(Integer Era, Integer Year, Integer Month) override;
  bool LeapYearIn(Integer Era, Integer Year) override;
  TDateTime EncodeRecord(const TkvCalendarDateTime& Record) override;
  Integer ParseMonth(Integer Year, const String& Text) override;

 private:
  std::unique_ptr<TkvEra> FDefaultEra;
};

// The Hebrew calendar for the years 5343..5999 (Gregorian 1583..2239); month 1 is Tishrei.
class TkvHebrewCalendarTable : public TkvCustomCalendarTable {
  TAVREN_CLASS(TkvHebrewCalendarTable, TkvCustomCalendarTable)
 public:
  TkvHebrewCalendarTable();

  Integer AlgorithmKind() override { return 3; }
  Integer CalendarIdentifier() override { return CAL_HEBREW; }
  TkvEra* MainEra() override { return FDefaultEra.get(); }
  TDateTime LastSupportedDay() override;
  TDateTime FirstSupportedDay() override;
  Integer LastSupportedYear() override { return 5999; }
  Integer FirstSupportedYear() override { return 5343; }
  TkvCalendarDateTime DecodeValue(TDateTime Value) override;
  Integer MonthLengthIn(Integer Era, Integer Year, Integer Month) override;
  Integer YearLengthIn(Integer Era, Integer Year) override;
  Integer WeekFirstDay() override { return 0; }
  Integer WholeWeeksInYear(Integer Year) override { return YearLength(Year) / 7; }
  Integer MonthCountIn(Integer Era, Integer Year) override;
  Integer WeekOfYearRecord(const TkvCalendarDateTime& Record, Integer StartDay, Integer FirstWeekRule) override;
  bool LeapDayIn(Integer Era, Integer Year, Integer Month, Integer Day) override;
  bool LeapMonthIn(Integer Era, Integer Year, Integer Month) override;
  bool LeapYearIn(Integer Era, Integer Year) override;
  TDateTime EncodeRecord(const TkvCalendarDateTime& Record) override;
  Integer ParseDay(const String& Text) override;
  Integer ParseMonth(Integer Year, const String& Text) override;
  Integer ParseYear(const String& Text) override;

  // 1..6: 353, 354, 355 days, then the leap years of 383, 384, 385; 0 outside the table.
  Integer YearType(Integer Year);

 private:
  std::unique_ptr<TkvEra> FDefaultEra;
};

// The sum of the letter values of the Hebrew letters (U+05D0..U+05EA, finals as their letters).
Integer HebrewNumeralValue(const String& Text);

// ---- Calendar choice and texts --------------------------------------------------------------

// Types 1, 2 and 9..12 are Gregorian tables of that type; 3..8 their calendars; others type 1.
std::unique_ptr<TkvCustomCalendarTable> CalendarTableForType(Integer CalendarType);
Integer LocaleCalendarType();
std::unique_ptr<TkvCustomCalendarTable> LocaleCalendarTable();
bool IsGregorianCalendar(TkvCustomCalendarTable* Table = nullptr);
// The platform's date formatter; False (and no text) when it produced nothing.
bool LocaleDateText(DWORD Flags, const String& Format, TDateTime Value, String& Text);
// The platform's calendar information, looked up by name; 0 where the platform has none.
Integer CalendarInfoText(LCID Locale, Integer Calendar, DWORD InfoType, char* Buffer, Integer Size, DWORD* Number);
String LocaleShortDateFormat();
String CalendarMonthName(TkvCustomCalendarTable* Table, TDateTime Value);
String CalendarMonthNameOf(Integer Year, Integer Month, TkvCustomCalendarTable* Table);
String CalendarDateText(TkvCustomCalendarTable* Table, TDateTime Value);
String CalendarYearText(TkvCustomCalendarTable* Table, TDateTime Value);
String CalendarDateTimeText(TDateTime Value);
String CalendarDayText(TDateTime Value);
String CalendarDayNumberText(Integer Day, TkvCustomCalendarTable* Table);
// Day 1..7 from Monday, reduced to one character (the last for Chinese and Arabic sets).
String ShortDayNameText(Integer Day, Byte CharSet);

// ---- Conversions ----------------------------------------------------------------------------

// Resource numbers of the twenty smart words: today, yesterday, tomorrow, the seven week days
// (Sunday first), first .. seventh day of the week, bom, eom, now.
constexpr Integer skvSmartWordFirst = 64300;
constexpr Integer kvSmartWordCount = 20;

// The smart words in table order, read from the string table each time.
std::vector<String> SmartDateWords();

bool TextToDateTime(const String& Text, bool VariantMode, TDateTime& Value);
bool SmartTextToDateTime(const String& Text, TDateTime& Value);
bool SmartTextToDate(const String& Text, TDateTime& Value);
TDateTime CalendarTextToDateTime(const String& Text);
String DateTimeToDisplayText(bool EditFormat, bool WithTime, bool FourDigitYear, TDateTime Value);
String DateTimeToLocaleText(bool FourDigitYear, bool FrameworkMode, TDateTime Value);
void CleanDateText(String& Text, bool VariantMode);

// ---- Small routines -------------------------------------------------------------------------

void PreviousMonth(Word& Year, Word& Month);
void NextMonth(Word& Year, Word& Month);
// Answers Count div 12.
Integer ShiftMonth(Word& Year, Word& Month, Integer Count);
// Part 0 year, 1 month, 2 day, in the table's calendar (Gregorian without one).
Integer DatePartOf(Integer Part, TkvCustomCalendarTable* Table, TDateTime Value);
bool IsGregorianLeapYear(Integer Year);
Integer MonthDayCount(Integer Year, Integer Month);
Integer ClampDay(Integer Year, Integer Month, Integer Day);
TDateTime TimePartOf(TDateTime Value);
TDateTime WholeDays(TDateTime Value);
// 0..6 counted from the format controller's first day of the week.
Integer WeekDayIndex(TDateTime Value);
TDateTime FirstDayOfBaseYear();
