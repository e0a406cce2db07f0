// Dates and times read from text, with the default settings and with a date pattern taken from
// the input's first line.

#include "FuzzTarget.h"
#include "rtl/DateUtils.h"
#include "rtl/SysUtils.h"

TAVREN_FUZZ_TARGET(DateText) {
  const String input(FuzzText(data, size));
  const size_t line = input.find('\n');
  TFormatSettings custom;
  if (line != String::npos) custom.ShortDateFormat = input.substr(0, line);
  const String text = line == String::npos ? input : input.substr(line + 1);
  for (const TFormatSettings& settings : {TFormatSettings(), custom}) {
    TDateTime value;
    TryStrToDate(text, value, settings);
    TryStrToTime(text, value, settings);
    if (TryStrToDateTime(text, value, settings)) FormatDateTime("c", value, settings);
  }
}
