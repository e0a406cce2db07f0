#pragma once
// Date and time texts in the process's locale, Gregorian calendar. Pictures are those the locale
// queries answer (the framework's forms, "dd/mm/yyyy", "h:mm:ss AMPM") as well as the platform's
// own ("dd.MM.yyyy", "HH:mm:ss tt"): '/' and ':' stand for the locale's separators, quoted text
// is copied, an hour is 12-hour only beside an AM/PM marker (t, tt, AMPM, am/pm, a/p).

#include "rtl/DateUtils.h"
#include "rtl/WinTypes.h"
#include "user/LocaleInfo.h"

struct SYSTEMTIME {
  WORD wYear = 0;
  WORD wMonth = 0;
  WORD wDayOfWeek = 0;
  WORD wDay = 0;
  WORD wHour = 0;
  WORD wMinute = 0;
  WORD wSecond = 0;
  WORD wMilliseconds = 0;
};

constexpr DWORD DATE_SHORTDATE = 0x00000001;
constexpr DWORD DATE_LONGDATE = 0x00000002;

// The current local date and time (the wall clock tests can set).
void GetLocalTime(SYSTEMTIME* time);
SYSTEMTIME DateTimeToSystemTime(TDateTime value);

// No date or time means now; no format, the locale's (short date, or long with DATE_LONGDATE;
// the long time format). Answers the characters written with the 0, or the size needed when size
// is 0; 0 for a date or time out of range or a buffer too small.
int GetDateFormat(LCID locale, DWORD flags, const SYSTEMTIME* date, const char* format, char* buffer, int size);
inline int GetDateFormatA(LCID locale, DWORD flags, const SYSTEMTIME* date, const char* format, char* buffer,
                          int size) {
  return GetDateFormat(locale, flags, date, format, buffer, size);
}
int GetTimeFormat(LCID locale, DWORD flags, const SYSTEMTIME* time, const char* format, char* buffer, int size);
inline int GetTimeFormatA(LCID locale, DWORD flags, const SYSTEMTIME* time, const char* format, char* buffer,
                          int size) {
  return GetTimeFormat(locale, flags, time, format, buffer, size);
}
