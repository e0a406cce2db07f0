#include "rtl/DateUtils.h"

#include <cmath>
#include <ctime>

#include "rtl/Exceptions.h"
#include "rtl/SysUtils.h"

namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

bool StartsWithText(std::string_view s, size_t pos, std::string_view word) {
  if (pos + word.size() > s.size()) return false;
  for (size_t i = 0; i < word.size(); ++i)
    if (Upper(s[pos + i]) != Upper(word[i])) return false;
  return true;
}

String Number(unsigned value, size_t digits) {
  String text = std::to_string(value);
  if (text.size() < digits) text.insert(0, digits - text.size(), '0');
  return text;
}

class TDateFormatter {
 public:
  TDateFormatter(TDateTime value, const TFormatSettings& settings) : FValue(value), FSettings(settings) {
    DecodeDate(value, FYear, FMonth, FDay);
    DecodeTime(value, FHour, FMin, FSec, FMSec);
  }

  String Run(std::string_view format) {
    Append(format.empty() ? "C" : format, 0);
    return FOut;
  }

 private:
  // Nested formats (c, ddddd, t ...) expand one level deep only, so a format naming itself ends.
  void Append(std::string_view f, int level) {
    char lastToken = ' ';
    size_t i = 0;
    while (i < f.size()) {
      const char starter = f[i];
      char token = Upper(starter);
      size_t count = 1;
      while (i + count < f.size() && f[i + count] == starter) ++count;
      if (token >= 'A' && token <= 'Z') {
        if (token == 'M' && lastToken == 'H') token = 'N';
        lastToken = token;
      }
      switch (token) {
        case 'Y':
          FOut += count <= 2 ? Number(FYear % 100u, 2) : Number(FYear, 4);
          break;
        case 'M':
          if (count <= 2) FOut += Number(FMonth, count);
          else if (FMonth >= 1) FOut += count == 3 ? FSettings.ShortMonthNames[FMonth - 1] : FSettings.LongMonthNames[FMonth - 1];
          count = std::min<size_t>(count, 4);
          break;
        case 'D':
          count = std::min<size_t>(count, 6);
          if (count <= 2) FOut += Number(FDay, count);
          else if (count == 3) FOut += FSettings.ShortDayNames[DayOfWeek(FValue) - 1];
          else if (count == 4) FOut += FSettings.LongDayNames[DayOfWeek(FValue) - 1];
          else if (level < 2) Append(count == 5 ? FSettings.ShortDateFormat : FSettings.LongDateFormat, level + 1);
          break;
        case 'H':
          count = std::min<size_t>(count, 2);
          FOut += Number(TwelveHour(f, i + count) ? (FHour % 12 == 0 ? 12u : FHour % 12u) : FHour, count);
          break;
        case 'N':
          count = std::min<size_t>(count, 2);
          FOut += Number(FMin, count);
          break;
        case 'S':
          count = std::min<size_t>(count, 2);
          FOut += Number(FSec, count);
          break;
        case 'Z':
          count = std::min<size_t>(count, 3);
          FOut += Number(FMSec, count == 1 ? 1 : 3);
          break;
        case 'T':
          count = std::min<size_t>(count, 2);
          if (level < 2) Append(count == 1 ? FSettings.ShortTimeFormat : FSettings.LongTimeFormat, level + 1);
          break;
        case 'C':
          count = 1;
          if (level < 2) {
            Append(FSettings.ShortDateFormat, level + 1);
            if (FHour != 0 || FMin != 0 || FSec != 0) {
              FOut += ' ';
              Append(FSettings.LongTimeFormat, level + 1);
            }
          }
          break;
        case 'A':
          count = AmPm(f, i);
          break;
        case '/':
          count = 1;
          if (FSettings.DateSeparator != '\0') FOut += FSettings.DateSeparator;
          break;
        case ':':
          count = 1;
          if (FSettings.TimeSeparator != '\0') FOut += FSettings.TimeSeparator;
          break;
        case '\'':
        case '"': {
          const size_t end = f.find(starter, i + 1);
          const size_t stop = end == std::string_view::npos ? f.size() : end;
          FOut += f.substr(i + 1, stop - i - 1);
          count = stop - i + (end == std::string_view::npos ? 0 : 1);
          break;
        }
        default:
          // Other text is copied; a multi-byte character goes over whole.
          FOut += f.substr(i, count);
          break;
      }
      i += count;
    }
  }

  // Writes an am/pm specifier at f[i] and answers its length; a lone 'a' is copied.
  size_t AmPm(std::string_view f, size_t i) {
    const bool pm = FHour >= 12;
    if (StartsWithText(f, i, "AMPM")) {
      FOut += pm ? FSettings.TimePMString : FSettings.TimeAMString;
      return 4;
    }
    if (StartsWithText(f, i, "AM/PM")) {
      // The case of the specifier is the case of the text.
      FOut += pm ? f.substr(i + 3, 2) : f.substr(i, 2);
      return 5;
    }
    if (StartsWithText(f, i, "A/P")) {
      FOut += pm ? f[i + 2] : f[i];
      return 3;
    }
    FOut += f[i];
    return 1;
  }

  // Whether the next 'a' after the hour, outside quotes and before another hour, starts an am/pm
  // specifier: that makes the hour a 12-hour clock.
  static bool TwelveHour(std::string_view f, size_t from) {
    for (size_t i = from; i < f.size(); ++i) {
      const char c = Upper(f[i]);
      if (c == '\'' || c == '"') {
        const size_t end = f.find(f[i], i + 1);
        if (end == std::string_view::npos) return false;
        i = end;
      } else if (c == 'A') {
        return StartsWithText(f, i, "AMPM") || StartsWithText(f, i, "AM/PM") || StartsWithText(f, i, "A/P");
      } else if (c == 'H') {
        return false;
      }
    }
    return false;
  }

  TDateTime FValue;
  const TFormatSettings& FSettings;
  Word FYear, FMonth, FDay, FHour, FMin, FSec, FMSec;
  String FOut;
};

// ---- Reading ----

class TScanner {
 public:
  TScanner(const String& s, const TFormatSettings& settings) : FText(s), FSettings(settings) {}

  bool AtEnd() {
    Blanks();
    return FPos >= FText.size();
  }

  bool Date(TDateTime& date) {
    enum TOrder { MDY, DMY, YMD };
    TOrder order = MDY;
    for (char c : FSettings.ShortDateFormat) {
      const char u = Upper(c);
      if (u == 'D') { order = DMY; break; }
      if (u == 'Y') { order = YMD; break; }
      if (u == 'M') { order = MDY; break; }
    }
    Blanks();
    Word n1, n2, n3 = 0;
    size_t yearDigits = 0;
    size_t digits1, digits2, digits3 = 0;
    if (!Number(n1, digits1) || !Skip(FSettings.DateSeparator) || !Number(n2, digits2)) return false;
    const size_t afterTwo = FPos;
    const bool three = Skip(FSettings.DateSeparator) && Number(n3, digits3);
    if (!three) FPos = afterTwo;
    Word y, m, d;
    if (three) {
      switch (order) {
        case MDY: m = n1; d = n2; y = n3; yearDigits = digits3; break;
        case DMY: d = n1; m = n2; y = n3; yearDigits = digits3; break;
        default: y = n1; m = n2; d = n3; yearDigits = digits1; break;
      }
    } else {
      // Day and month only: the current year.
      y = CurrentYear();
      yearDigits = 4;
      if (order == DMY) { d = n1; m = n2; } else { m = n1; d = n2; }
    }
    if (yearDigits <= 2 && y <= 99) y = static_cast<Word>(y + CenturyFor(y));
    return TryEncodeDate(y, m, d, date);
  }

  bool Time(TDateTime& time) {
    Blanks();
    int baseHour = AmPm();
    Word hour, min = 0, sec = 0, msec = 0;
    size_t digits;
    if (!Number(hour, digits)) return false;
    bool minutes = false;
    if (Skip(FSettings.TimeSeparator)) {
      if (!Number(min, digits)) return false;
      minutes = true;
      if (Skip(FSettings.TimeSeparator)) {
        if (!Number(sec, digits)) return false;
        if (Skip(FSettings.DecimalSeparator) && !Number(msec, digits)) return false;
      }
    }
    if (baseHour < 0) baseHour = AmPm();
    if (!minutes && baseHour < 0) return false;
    if (baseHour >= 0) {
      if (hour == 0 || hour > 12) return false;
      if (hour == 12) hour = 0;
      hour = static_cast<Word>(hour + baseHour);
    }
    return TryEncodeTime(hour, min, sec, msec, time);
  }

  size_t Position() const { return FPos; }
  void SetPosition(size_t pos) { FPos = pos; }

 private:
  void Blanks() {
    while (FPos < FText.size() && FText[FPos] == ' ') ++FPos;
  }

  bool Skip(char c) {
    Blanks();
    if (c == '\0' || FPos >= FText.size() || FText[FPos] != c) return false;
    ++FPos;
    return true;
  }

  bool Number(Word& value, size_t& digits) {
    Blanks();
    const size_t start = FPos;
    unsigned n = 0;
    while (FPos < FText.size() && FText[FPos] >= '0' && FText[FPos] <= '9') {
      n = std::min(n * 10 + static_cast<unsigned>(FText[FPos] - '0'), 65535u);
      ++FPos;
    }
    digits = FPos - start;
    value = static_cast<Word>(n);
    return digits > 0;
  }

  // 0 after an AM word, 12 after a PM word, -1 when neither is at the position.
  int AmPm() {
    Blanks();
    const auto match = [&](const String& word) {
      if (word.empty() || !StartsWithText(FText, FPos, word)) return false;
      FPos += word.size();
      return true;
    };
    if (match(FSettings.TimeAMString) || match("AM")) return 0;
    if (match(FSettings.TimePMString) || match("PM")) return 12;
    return -1;
  }

  Word CenturyFor(Word twoDigitYear) const {
    const int current = CurrentYear();
    const int base = current - FSettings.TwoDigitYearCenturyWindow;
    int year = twoDigitYear + base / 100 * 100;
    if (FSettings.TwoDigitYearCenturyWindow > 0 && year < base) year += 100;
    return static_cast<Word>(year - twoDigitYear);
  }

  static Word CurrentYear() {
    Word year, month, day;
    DecodeDate(::Date(), year, month, day);
    return year;
  }

  const String& FText;
  const TFormatSettings& FSettings;
  size_t FPos = 0;
};

}  // namespace

String FormatDateTime(const String& format, TDateTime dateTime, const TFormatSettings& settings) {
  return TDateFormatter(dateTime, settings).Run(format);
}

String FormatDateTime(const String& format, TDateTime dateTime) {
  return FormatDateTime(format, dateTime, FormatSettings);
}

String DateToStr(TDateTime date, const TFormatSettings& settings) { return FormatDateTime("ddddd", date, settings); }
String DateToStr(TDateTime date) { return DateToStr(date, FormatSettings); }
String TimeToStr(TDateTime time, const TFormatSettings& settings) { return FormatDateTime("tt", time, settings); }
String TimeToStr(TDateTime time) { return TimeToStr(time, FormatSettings); }
String DateTimeToStr(TDateTime dateTime, const TFormatSettings& settings) {
  return FormatDateTime("", dateTime, settings);
}
String DateTimeToStr(TDateTime dateTime) { return DateTimeToStr(dateTime, FormatSettings); }

bool TryStrToDate(const String& s, TDateTime& value, const TFormatSettings& settings) {
  TScanner scanner(s, settings);
  TDateTime date;
  if (!scanner.Date(date) || !scanner.AtEnd()) return false;
  value = date;
  return true;
}

bool TryStrToTime(const String& s, TDateTime& value, const TFormatSettings& settings) {
  TScanner scanner(s, settings);
  TDateTime time;
  if (!scanner.Time(time) || !scanner.AtEnd()) return false;
  value = time;
  return true;
}

bool TryStrToDateTime(const String& s, TDateTime& value, const TFormatSettings& settings) {
  TScanner scanner(s, settings);
  TDateTime date = 0, time = 0;
  if (scanner.Date(date)) {
    if (!scanner.AtEnd() && !scanner.Time(time)) return false;
  } else {
    // A time alone is a time on day 0.
    scanner.SetPosition(0);
    if (!scanner.Time(time)) return false;
  }
  if (!scanner.AtEnd()) return false;
  value = date >= 0 ? date + time : date - time;
  return true;
}

bool TryStrToDate(const String& s, TDateTime& value) { return TryStrToDate(s, value, FormatSettings); }
bool TryStrToTime(const String& s, TDateTime& value) { return TryStrToTime(s, value, FormatSettings); }
bool TryStrToDateTime(const String& s, TDateTime& value) { return TryStrToDateTime(s, value, FormatSettings); }

TDateTime StrToDate(const String& s, const TFormatSettings& settings) {
  TDateTime value;
  if (!TryStrToDate(s, value, settings)) throw EConvertError(Format("'%s' is not a valid date", s));
  return value;
}

TDateTime StrToTime(const String& s, const TFormatSettings& settings) {
  TDateTime value;
  if (!TryStrToTime(s, value, settings)) throw EConvertError(Format("'%s' is not a valid time", s));
  return value;
}

TDateTime StrToDateTime(const String& s, const TFormatSettings& settings) {
  TDateTime value;
  if (!TryStrToDateTime(s, value, settings)) throw EConvertError(Format("'%s' is not a valid date and time", s));
  return value;
}

TDateTime StrToDate(const String& s) { return StrToDate(s, FormatSettings); }
TDateTime StrToTime(const String& s) { return StrToTime(s, FormatSettings); }
TDateTime StrToDateTime(const String& s) { return StrToDateTime(s, FormatSettings); }

TDateTime StrToDateDef(const String& s, TDateTime defaultValue) {
  TDateTime value;
  return TryStrToDate(s, value) ? value : defaultValue;
}

TDateTime StrToTimeDef(const String& s, TDateTime defaultValue) {
  TDateTime value;
  return TryStrToTime(s, value) ? value : defaultValue;
}

TDateTime StrToDateTimeDef(const String& s, TDateTime defaultValue) {
  TDateTime value;
  return TryStrToDateTime(s, value) ? value : defaultValue;
}
