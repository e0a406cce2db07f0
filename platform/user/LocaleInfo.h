#pragma once
// Locale information as the system reads it: every value comes from the process's format settings
// (rtl/FormatSettings.h, read from the environment's locale), the first day of the week from the
// C library's locale. Any LCID is answered with the user's locale.

#include "rtl/WinTypes.h"

using LCID = DWORD;
using LCTYPE = DWORD;

constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;
constexpr LCID LOCALE_USER_DEFAULT = 0x0400;

constexpr LCTYPE LOCALE_NOUSEROVERRIDE = 0x80000000;
constexpr LCTYPE LOCALE_RETURN_NUMBER = 0x20000000;
constexpr LCTYPE LOCALE_SLIST = 0x0000000C;
constexpr LCTYPE LOCALE_SDECIMAL = 0x0000000E;
constexpr LCTYPE LOCALE_STHOUSAND = 0x0000000F;
constexpr LCTYPE LOCALE_SCURRENCY = 0x00000014;
constexpr LCTYPE LOCALE_SDATE = 0x0000001D;
constexpr LCTYPE LOCALE_STIME = 0x0000001E;
constexpr LCTYPE LOCALE_SSHORTDATE = 0x0000001F;
constexpr LCTYPE LOCALE_SLONGDATE = 0x00000020;
constexpr LCTYPE LOCALE_S1159 = 0x00000028;
constexpr LCTYPE LOCALE_S2359 = 0x00000029;
constexpr LCTYPE LOCALE_SDAYNAME1 = 0x0000002A;          // Monday .. LOCALE_SDAYNAME7 Sunday
constexpr LCTYPE LOCALE_SABBREVDAYNAME1 = 0x00000031;    // Mon .. +6
constexpr LCTYPE LOCALE_SMONTHNAME1 = 0x00000038;        // January .. +11
constexpr LCTYPE LOCALE_SABBREVMONTHNAME1 = 0x00000044;  // Jan .. +11
constexpr LCTYPE LOCALE_SSHORTESTDAYNAME1 = 0x00000060;  // Mo .. +6
constexpr LCTYPE LOCALE_STIMEFORMAT = 0x00001003;
constexpr LCTYPE LOCALE_ICALENDARTYPE = 0x00001009;
constexpr LCTYPE LOCALE_IFIRSTDAYOFWEEK = 0x0000100C;   // "0" Monday .. "6" Sunday
// "0" the week holding 1 January, "1" the first whole week, "2" the first week of four days.
constexpr LCTYPE LOCALE_IFIRSTWEEKOFYEAR = 0x0000100D;

// Answers the characters written with the 0, or the size needed when size is 0; 0 when the value
// is unknown or the buffer too small.
int GetLocaleInfo(LCID locale, LCTYPE type, char* buffer, int size);
inline int GetLocaleInfoA(LCID locale, LCTYPE type, char* buffer, int size) {
  return GetLocaleInfo(locale, type, buffer, size);
}
// Fixes the week rules the locale answers (as LOCALE_IFIRSTDAYOFWEEK and LOCALE_IFIRSTWEEKOFYEAR
// number them), for tests; -1 gives a rule back to the environment's locale.
void OverrideLocaleWeekRules(int FirstDayOfWeek, int FirstWeekOfYear);
// Fixes the calendar the locale answers (as LOCALE_ICALENDARTYPE numbers it), for tests; 0 gives
// back the Gregorian calendar of the environment's locale.
void OverrideLocaleCalendarType(int CalendarType);
LCID GetUserDefaultLCID();
LCID GetSystemDefaultLCID();
LCID GetThreadLocale();
