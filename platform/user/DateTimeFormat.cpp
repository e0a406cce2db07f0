#include "user/DateTimeFormat.h"

#include <cctype>
#include <cstring>
#include <optional>

#include "rtl/FormatSettings.h"
#include "rtl/SysUtils.h"

namespace {

String Padded(int value, size_t width) {
  String text = std::to_string(value);
  if (text.size() < width) text.insert(0, width - text.size(), '0');
  return text;
}

size_t RunOf(const String& picture, size_t at) {
  size_t n = 1;
  while (at + n < picture.size() && std::tolower(static_cast<unsigned char>(picture[at + n])) ==
                                        std::tolower(static_cast<unsigned char>(picture[at])))
    ++n;
  return n;
}

bool StartsWithNoCase(const String& text, size_t at, const char* word) {
  size_t n = std::strlen(word);
  if (at + n > text.size()) return false;
  for (size_t i = 0; i < n; ++i) {
    if (std::tolower(static_cast<unsigned char>(text[at + i])) != word[i]) return false;
  }
  return true;
}

// Copies a quoted run ('' inside stands for one quote); answers the position after it.
size_t CopyQuoted(const String& picture, size_t at, String& out) {
  char quote = picture[at];
  size_t i = at + 1;
  while (i < picture.size()) {
    if (picture[i] == quote) {
      if (quote == '\'' && i + 1 < picture.size() && picture[i + 1] == '\'') {
        out += '\'';
        i += 2;
        continue;
      }
      return i + 1;
    }
    out += picture[i++];
  }
  return i;
}

bool ValidDate(const SYSTEMTIME& t) {
  return t.wYear >= 1 && t.wYear <= 9999 && t.wMonth >= 1 && t.wMonth <= 12 && t.wDay >= 1 &&
         t.wDay <= DaysInAMonth(t.wYear, t.wMonth);
}

bool ValidTime(const SYSTEMTIME& t) { return t.wHour < 24 && t.wMinute < 60 && t.wSecond < 60 && t.wMilliseconds < 1000; }

String DateText(const SYSTEMTIME& t, const String& picture) {
  const TFormatSettings& fs = FormatSettings;
  String out;
  for (size_t i = 0; i < picture.size();) {
    char c = picture[i];
    size_t n = RunOf(picture, i);
    switch (std::tolower(static_cast<unsigned char>(c))) {
      case '\'':
      case '"': i = CopyQuoted(picture, i, out); continue;
      case 'd': {
        int weekDay = DayOfWeek(EncodeDate(t.wYear, t.wMonth, t.wDay)) - 1;
        out += n == 1 ? std::to_string(t.wDay) : n == 2 ? Padded(t.wDay, 2)
               : n == 3 ? fs.ShortDayNames[weekDay] : fs.LongDayNames[weekDay];
        break;
      }
      case 'm':
        out += n == 1 ? std::to_string(t.wMonth) : n == 2 ? Padded(t.wMonth, 2)
               : n == 3 ? fs.ShortMonthNames[t.wMonth - 1] : fs.LongMonthNames[t.wMonth - 1];
        break;
      case 'y':
        out += n == 1 ? std::to_string(t.wYear % 100) : n == 2 ? Padded(t.wYear % 100, 2) : Padded(t.wYear, 4);
        break;
      case 'g': out += "A.D."; break;
      case '/': out.append(n, fs.DateSeparator); break;
      default: out.append(picture, i, n); break;
    }
    i += n;
  }
  return out;
}

String TimeText(const SYSTEMTIME& t, const String& picture) {
  const TFormatSettings& fs = FormatSettings;
  const String& marker = t.wHour < 12 ? fs.TimeAMString : fs.TimePMString;
  bool twelve = false;
  for (size_t i = 0; i < picture.size(); ++i) {
    if (picture[i] == 't' || StartsWithNoCase(picture, i, "ampm") || StartsWithNoCase(picture, i, "am/pm") ||
        StartsWithNoCase(picture, i, "a/p"))
      twelve = true;
  }
  String out;
  for (size_t i = 0; i < picture.size();) {
    char c = picture[i];
    if (c == '\'' || c == '"') {
      i = CopyQuoted(picture, i, out);
      continue;
    }
    if (StartsWithNoCase(picture, i, "ampm")) {
      out += marker;
      i += 4;
      continue;
    }
    if (StartsWithNoCase(picture, i, "am/pm")) {
      out += t.wHour < 12 ? "am" : "pm";
      i += 5;
      continue;
    }
    if (StartsWithNoCase(picture, i, "a/p")) {
      out += t.wHour < 12 ? "a" : "p";
      i += 3;
      continue;
    }
    size_t n = RunOf(picture, i);
    int hour12 = t.wHour % 12 == 0 ? 12 : t.wHour % 12;
    switch (c) {
      case 'h': case 'H': {
        int hour = (c == 'h' && twelve) ? hour12 : t.wHour;
        out += n == 1 ? std::to_string(hour) : Padded(hour, 2);
        break;
      }
      case 'm': case 'M': case 'n': case 'N': out += n == 1 ? std::to_string(t.wMinute) : Padded(t.wMinute, 2); break;
      case 's': case 'S': out += n == 1 ? std::to_string(t.wSecond) : Padded(t.wSecond, 2); break;
      case 't': out += n == 1 ? marker.substr(0, marker.empty() ? 0 : 1) : marker; break;
      case ':': out.append(n, fs.TimeSeparator); break;
      default: out.append(picture, i, n); break;
    }
    i += n;
  }
  return out;
}

int Answer(const String& text, char* buffer, int size) {
  int needed = static_cast<int>(text.size()) + 1;
  if (size == 0) return needed;
  if (!buffer || size < needed) return 0;
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return needed;
}

}  // namespace

SYSTEMTIME DateTimeToSystemTime(TDateTime value) {
  SYSTEMTIME t;
  DecodeDate(value, t.wYear, t.wMonth, t.wDay);
  DecodeTime(value, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
  t.wDayOfWeek = static_cast<WORD>(DayOfWeek(value) - 1);
  return t;
}

void GetLocalTime(SYSTEMTIME* time) {
  if (time) *time = DateTimeToSystemTime(Now());
}

int GetDateFormat(LCID, DWORD flags, const SYSTEMTIME* date, const char* format, char* buffer, int size) {
  SYSTEMTIME now;
  if (!date) {
    GetLocalTime(&now);
    date = &now;
  }
  if (size < 0 || !ValidDate(*date)) return 0;
  String picture = format ? String(format)
                   : (flags & DATE_LONGDATE) ? FormatSettings.LongDateFormat : FormatSettings.ShortDateFormat;
  return Answer(DateText(*date, picture), buffer, size);
}

int GetTimeFormat(LCID, DWORD, const SYSTEMTIME* time, const char* format, char* buffer, int size) {
  SYSTEMTIME now;
  if (!time) {
    GetLocalTime(&now);
    time = &now;
  }
  if (size < 0 || !ValidTime(*time)) return 0;
  return Answer(TimeText(*time, format ? String(format) : FormatSettings.LongTimeFormat), buffer, size);
}
