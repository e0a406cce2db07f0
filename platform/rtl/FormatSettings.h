#pragma once
// The locale values that number, currency, date and time texts follow. The global FormatSettings is
// read from the C library's locale at unit start; code that needs a fixed form (files, tests) passes
// its own TFormatSettings to the routines that take one.

#include "rtl/Types.h"

struct TFormatSettings {
  String CurrencyString = "$";
  Byte CurrencyFormat = 0;  // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
  Byte NegCurrFormat = 0;   // 0 "($1)" ... 15 "(1 $)", as the framework numbers them
  Char ThousandSeparator = ',';  // '\0' means no grouping
  Char DecimalSeparator = '.';
  Byte CurrencyDecimals = 2;
  Char DateSeparator = '/';
  Char TimeSeparator = ':';
  Char ListSeparator = ',';
  String ShortDateFormat = "M/d/yyyy";
  String LongDateFormat = "dddd, MMMM d, yyyy";
  String TimeAMString = "AM";
  String TimePMString = "PM";
  String ShortTimeFormat = "h:mm AMPM";
  String LongTimeFormat = "h:mm:ss AMPM";
  String ShortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  String LongMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};
  String ShortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  String LongDayNames[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  Word TwoDigitYearCenturyWindow = 50;
};

// The process-wide settings, filled by FormatSettingsStart from the environment's locale.
extern TFormatSettings FormatSettings;

// Settings of the named locale ("de_DE.UTF-8"); "" takes the environment (LC_ALL, LC_*, LANG) and
// "C"/"POSIX" or an unknown name give the classic English defaults above.
void GetLocaleFormatSettings(const String& localeName, TFormatSettings& settings);

void FormatSettingsStart();
