#include "user/LocaleInfo.h"

#include <langinfo.h>
#include <locale.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "rtl/FormatSettings.h"

namespace {

int gFirstDayOverride = -1;
int gFirstWeekOverride = -1;
int gCalendarTypeOverride = 0;

// Win32 numbers the days from Monday, the format settings from Sunday.
const String& DayName(const String (&names)[7], int fromMonday) { return names[(fromMonday + 1) % 7]; }

// The first day of the week of the environment's time locale, as "0" (Monday) .. "6" (Sunday).
// The C library counts it (1 = the reference day) from a reference date: a Sunday, 1997-11-30, in
// most locales, a Monday, 1997-12-01, in some.
String FirstDayOfWeek() {
  if (gFirstDayOverride >= 0) return String(1, static_cast<char>('0' + gFirstDayOverride));
  locale_t locale = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(0));
  int fromMonday = 6;  // the C locale: Sunday
  if (locale) {
    int first = static_cast<unsigned char>(*nl_langinfo_l(_NL_TIME_FIRST_WEEKDAY, locale));
    auto reference = static_cast<unsigned>(reinterpret_cast<uintptr_t>(nl_langinfo_l(_NL_TIME_WEEK_1STDAY, locale)));
    freelocale(locale);
    int referenceFromMonday = reference == 19971201 ? 0 : 6;
    if (first >= 1 && first <= 7) fromMonday = (referenceFromMonday + first - 1) % 7;
  }
  return String(1, static_cast<char>('0' + fromMonday));
}

// The first week of the year of the environment's time locale: by the days of it the first week
// needs (1: any, 4: four, 7: all of them).
String FirstWeekOfYear() {
  if (gFirstWeekOverride >= 0) return String(1, static_cast<char>('0' + gFirstWeekOverride));
  locale_t locale = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(0));
  char rule = '0';
  if (locale) {
    const int days = static_cast<unsigned char>(*nl_langinfo_l(_NL_TIME_WEEK_1STWEEK, locale));
    freelocale(locale);
    if (days == 7) rule = '1';
    else if (days == 4) rule = '2';
  }
  return String(1, rule);
}

std::optional<String> Value(LCTYPE type) {
  const TFormatSettings& fs = FormatSettings;
  if (type >= LOCALE_SDAYNAME1 && type < LOCALE_SDAYNAME1 + 7) return DayName(fs.LongDayNames, static_cast<int>(type - LOCALE_SDAYNAME1));
  if (type >= LOCALE_SABBREVDAYNAME1 && type < LOCALE_SABBREVDAYNAME1 + 7) {
    return DayName(fs.ShortDayNames, static_cast<int>(type - LOCALE_SABBREVDAYNAME1));
  }
  if (type >= LOCALE_SSHORTESTDAYNAME1 && type < LOCALE_SSHORTESTDAYNAME1 + 7) {
    // Two characters of the abbreviated name (whole UTF-8 sequences).
    const String& name = DayName(fs.ShortDayNames, static_cast<int>(type - LOCALE_SSHORTESTDAYNAME1));
    size_t end = 0;
    for (int characters = 0; end < name.size() && characters < 2; ++characters) {
      ++end;
      while (end < name.size() && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) ++end;
    }
    return name.substr(0, end);
  }
  if (type >= LOCALE_SMONTHNAME1 && type < LOCALE_SMONTHNAME1 + 12) return fs.LongMonthNames[type - LOCALE_SMONTHNAME1];
  if (type >= LOCALE_SABBREVMONTHNAME1 && type < LOCALE_SABBREVMONTHNAME1 + 12) {
    return fs.ShortMonthNames[type - LOCALE_SABBREVMONTHNAME1];
  }
  switch (type) {
    case LOCALE_SLIST: return String(1, fs.ListSeparator);
    case LOCALE_SDECIMAL: return String(1, fs.DecimalSeparator);
    case LOCALE_STHOUSAND: return fs.ThousandSeparator ? String(1, fs.ThousandSeparator) : String();
    case LOCALE_SCURRENCY: return fs.CurrencyString;
    case LOCALE_SDATE: return String(1, fs.DateSeparator);
    case LOCALE_STIME: return String(1, fs.TimeSeparator);
    case LOCALE_SSHORTDATE: return fs.ShortDateFormat;
    case LOCALE_SLONGDATE: return fs.LongDateFormat;
    case LOCALE_STIMEFORMAT: return fs.LongTimeFormat;
    case LOCALE_S1159: return fs.TimeAMString;
    case LOCALE_S2359: return fs.TimePMString;
    case LOCALE_ICALENDARTYPE: return std::to_string(gCalendarTypeOverride > 0 ? gCalendarTypeOverride : 1);
    case LOCALE_IFIRSTDAYOFWEEK: return FirstDayOfWeek();
    case LOCALE_IFIRSTWEEKOFYEAR: return FirstWeekOfYear();
    default: return std::nullopt;
  }
}

}  // namespace

void OverrideLocaleWeekRules(int FirstDayOfWeek, int FirstWeekOfYear) {
  gFirstDayOverride = FirstDayOfWeek >= 0 && FirstDayOfWeek <= 6 ? FirstDayOfWeek : -1;
  gFirstWeekOverride = FirstWeekOfYear >= 0 && FirstWeekOfYear <= 2 ? FirstWeekOfYear : -1;
}

void OverrideLocaleCalendarType(int CalendarType) { gCalendarTypeOverride = CalendarType > 0 ? CalendarType : 0; }

int GetLocaleInfo(LCID, LCTYPE type, char* buffer, int size) {
  std::optional<String> value = Value(type & ~(LOCALE_NOUSEROVERRIDE | LOCALE_RETURN_NUMBER));
  if (!value || size < 0) return 0;
  if (type & LOCALE_RETURN_NUMBER) {
    // The value as a DWORD, for the numeric (I) kinds.
    char* end = nullptr;
    unsigned long number = std::strtoul(value->c_str(), &end, 10);
    if (value->empty() || *end) return 0;
    constexpr int kNeeded = sizeof(DWORD);
    if (size == 0) return kNeeded;
    if (!buffer || size < kNeeded) return 0;
    auto dword = static_cast<DWORD>(number);
    std::memcpy(buffer, &dword, sizeof dword);
    return kNeeded;
  }
  int needed = static_cast<int>(value->size()) + 1;
  if (size == 0) return needed;
  if (!buffer || size < needed) return 0;
  std::memcpy(buffer, value->c_str(), value->size() + 1);
  return needed;
}

LCID GetUserDefaultLCID() { return 0x0409; }
LCID GetSystemDefaultLCID() { return 0x0409; }
LCID GetThreadLocale() { return 0x0409; }
