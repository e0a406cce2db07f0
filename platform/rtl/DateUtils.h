#pragma once
// Dates and times as the framework keeps them: a TDateTime is a double counting days since
// 1899-12-30 00:00, the fraction being the time of day. Before that day the value is negative and
// the fraction still counts forward from midnight ("-1.25" is 1899-12-29 06:00).

#include <functional>

#include "rtl/FormatSettings.h"
#include "rtl/Types.h"

using TDateTime = Double;

constexpr Integer HoursPerDay = 24;
constexpr Integer MinsPerDay = 24 * 60;
constexpr Integer SecsPerDay = 24 * 60 * 60;
constexpr Integer MSecsPerDay = SecsPerDay * 1000;
constexpr Integer DateDelta = 693594;  // days from 0001-01-01 to 1899-12-30

// Encoding raises EConvertError on a field out of range; the Try forms answer false instead.
TDateTime EncodeDate(Word year, Word month, Word day);
bool TryEncodeDate(Word year, Word month, Word day, TDateTime& date);
TDateTime EncodeTime(Word hour, Word min, Word sec, Word msec);
bool TryEncodeTime(Word hour, Word min, Word sec, Word msec, TDateTime& time);
void DecodeDate(TDateTime date, Word& year, Word& month, Word& day);
void DecodeTime(TDateTime time, Word& hour, Word& min, Word& sec, Word& msec);

// The local date and time, from the wall clock: the system's, or the source a test set.
TDateTime Now();
TDateTime Date();
TDateTime Time();
// Replaces the wall clock Now, Date and Time read; an empty source brings the system's back.
void SetWallClock(std::function<TDateTime()> source);

// 1 for Sunday through 7 for Saturday.
Integer DayOfWeek(TDateTime date);
bool IsLeapYear(Word year);
Word DaysInAMonth(Word year, Word month);
// The same day `months` later, clipped to the end of a shorter month; the time of day is kept.
TDateTime IncMonth(TDateTime date, Integer months = 1);

// Format letters: c d dd ddd dddd ddddd dddddd m mm mmm mmmm yy yyyy h hh n nn s ss z zzz t tt
// am/pm a/p ampm / : 'quoted' "quoted"; m right after h is the minute.
String FormatDateTime(const String& format, TDateTime dateTime);
String FormatDateTime(const String& format, TDateTime dateTime, const TFormatSettings& settings);
String DateToStr(TDateTime date);
String DateToStr(TDateTime date, const TFormatSettings& settings);
String TimeToStr(TDateTime time);
String TimeToStr(TDateTime time, const TFormatSettings& settings);
String DateTimeToStr(TDateTime dateTime);
String DateTimeToStr(TDateTime dateTime, const TFormatSettings& settings);

// Texts in the order of the short date format, with the date and time separators and the AM/PM
// strings of the settings. Failures raise EConvertError ("'x' is not a valid date").
TDateTime StrToDate(const String& s);
TDateTime StrToDate(const String& s, const TFormatSettings& settings);
bool TryStrToDate(const String& s, TDateTime& value);
bool TryStrToDate(const String& s, TDateTime& value, const TFormatSettings& settings);
TDateTime StrToDateDef(const String& s, TDateTime defaultValue);
TDateTime StrToTime(const String& s);
TDateTime StrToTime(const String& s, const TFormatSettings& settings);
bool TryStrToTime(const String& s, TDateTime& value);
bool TryStrToTime(const String& s, TDateTime& value, const TFormatSettings& settings);
TDateTime StrToTimeDef(const String& s, TDateTime defaultValue);
TDateTime StrToDateTime(const String& s);
TDateTime StrToDateTime(const String& s, const TFormatSettings& settings);
bool TryStrToDateTime(const String& s, TDateTime& value);
bool TryStrToDateTime(const String& s, TDateTime& value, const TFormatSettings& settings);
TDateTime StrToDateTimeDef(const String& s, TDateTime defaultValue);
