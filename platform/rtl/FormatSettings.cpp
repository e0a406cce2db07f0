#include "rtl/FormatSettings.h"

#include <langinfo.h>
#include <locale.h>

#include <climits>
#include <cstdlib>
#include <string_view>

TFormatSettings FormatSettings;

namespace {

// The locale name a category takes from the environment, as setlocale(cat, "") would choose it.
String EnvironmentLocale(const char* categoryVariable) {
  for (const char* name : {"LC_ALL", categoryVariable, "LANG"}) {
    const char* value = std::getenv(name);
    if (value && *value) return value;
  }
  return "C";
}

bool IsClassicLocale(const String& name) {
  return name.empty() || name == "C" || name == "POSIX" || name.rfind("C.", 0) == 0;
}

// One locale object per category, so that LC_NUMERIC, LC_MONETARY and LC_TIME may differ.
class TLocale {
 public:
  explicit TLocale(const String& name) : FHandle(IsClassicLocale(name) ? nullptr : newlocale(LC_ALL_MASK, name.c_str(), nullptr)) {}
  ~TLocale() {
    if (FHandle) freelocale(FHandle);
  }
  TLocale(const TLocale&) = delete;
  TLocale& operator=(const TLocale&) = delete;

  bool Valid() const { return FHandle != nullptr; }
  String Text(nl_item item) const { return nl_langinfo_l(item, FHandle); }
  int Number(nl_item item) const { return static_cast<unsigned char>(nl_langinfo_l(item, FHandle)[0]); }

 private:
  locale_t FHandle;
};

// A separator of the framework is one byte; a multi-byte one (a narrow no-break space, say)
// becomes the nearest single-byte character.
Char SingleByte(const String& text, Char fallback) {
  if (text.empty()) return '\0';
  if (text.size() == 1) return text[0];
  return fallback;
}

// Translates a C library date or time pattern ("%d.%m.%Y", "%I:%M:%S %p") into the framework's
// letters, noting the separator it uses.
String FromPattern(const TLocale& locale, std::string_view pattern, Char& separator, int depth = 0) {
  String out;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c != '%' || i + 1 == pattern.size()) {
      if (c == '/' || c == '.' || c == '-' || c == ':') {
        if (separator == '\0') separator = c;
        out += c == ':' ? ':' : '/';
      } else if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
        out += '"';
        out += c;
        out += '"';
      } else {
        out += c;
      }
      continue;
    }
    char field = pattern[++i];
    while ((field == 'E' || field == 'O' || field == '-' || field == '_' || field == '0') && i + 1 < pattern.size())
      field = pattern[++i];
    switch (field) {
      case 'd': out += "dd"; break;
      case 'e': out += "d"; break;
      case 'm': out += "mm"; break;
      case 'y': out += "yy"; break;
      case 'Y': out += "yyyy"; break;
      case 'b': case 'h': out += "mmm"; break;
      case 'B': out += "mmmm"; break;
      case 'a': out += "ddd"; break;
      case 'A': out += "dddd"; break;
      case 'H': out += "hh"; break;
      case 'k': out += "h"; break;
      case 'I': out += "hh"; break;
      case 'l': out += "h"; break;
      case 'M': out += "nn"; break;
      case 'S': out += "ss"; break;
      case 'p': case 'P': out += "AMPM"; break;
      case 'n': case 't': out += ' '; break;
      case 'T': out += FromPattern(locale, "%H:%M:%S", separator, depth + 1); break;
      case 'R': out += FromPattern(locale, "%H:%M", separator, depth + 1); break;
      case 'D': out += FromPattern(locale, "%m/%d/%y", separator, depth + 1); break;
      case 'F': out += FromPattern(locale, "%Y-%m-%d", separator, depth + 1); break;
      case 'r':
        if (depth < 2) out += FromPattern(locale, locale.Text(T_FMT_AMPM), separator, depth + 1);
        break;
      case '%': out += '%'; break;
      default: break;  // time zones, week numbers: nothing the framework's patterns can say
    }
  }
  return out;
}

// The framework's short forms always show four-digit years.
String WithFullYear(String format) {
  const size_t at = format.find("yy");
  if (at != String::npos && format.compare(at, 4, "yyyy") != 0) format.insert(at, "yy");
  return format;
}

// The short time format is the long one without its seconds.
String WithoutSeconds(String format) {
  const size_t at = format.find(":ss");
  if (at != String::npos) format.erase(at, 3);
  return format;
}

Byte NegativeCurrencyFormat(int symbolFirst, int space, int signPosition) {
  static const Byte kFormats[2][2][5] = {
      {{4, 5, 7, 6, 7}, {15, 8, 10, 13, 10}},   // symbol after the number: no space, space
      {{0, 1, 3, 1, 2}, {14, 9, 11, 9, 12}},    // symbol before the number
  };
  if (signPosition < 0 || signPosition > 4) signPosition = 1;
  return kFormats[symbolFirst ? 1 : 0][space ? 1 : 0][signPosition];
}

void ReadNumeric(const TLocale& locale, TFormatSettings& s) {
  s.DecimalSeparator = SingleByte(locale.Text(RADIXCHAR), '.');
  if (s.DecimalSeparator == '\0') s.DecimalSeparator = '.';
  s.ThousandSeparator = SingleByte(locale.Text(THOUSEP), ' ');
  if (s.ThousandSeparator == s.DecimalSeparator) s.ThousandSeparator = '\0';
  // A comma decimal separator needs another list separator, as the desktop locales choose.
  s.ListSeparator = s.DecimalSeparator == ',' ? ';' : ',';
}

void ReadMonetary(const TLocale& locale, TFormatSettings& s) {
  s.CurrencyString = locale.Text(CURRENCY_SYMBOL);
  const int decimals = locale.Number(FRAC_DIGITS);
  if (decimals != CHAR_MAX) s.CurrencyDecimals = static_cast<Byte>(decimals);
  const int first = locale.Number(P_CS_PRECEDES);
  const int space = locale.Number(P_SEP_BY_SPACE);
  if (first != CHAR_MAX && space != CHAR_MAX) s.CurrencyFormat = static_cast<Byte>((first ? 0 : 1) + (space ? 2 : 0));
  const int negFirst = locale.Number(N_CS_PRECEDES);
  const int negSpace = locale.Number(N_SEP_BY_SPACE);
  const int negSign = locale.Number(N_SIGN_POSN);
  if (negFirst != CHAR_MAX && negSpace != CHAR_MAX)
    s.NegCurrFormat = NegativeCurrencyFormat(negFirst, negSpace, negSign == CHAR_MAX ? 1 : negSign);
}

void ReadTime(const TLocale& locale, TFormatSettings& s) {
  for (int i = 0; i < 12; ++i) {
    s.ShortMonthNames[i] = locale.Text(static_cast<nl_item>(ABMON_1 + i));
    s.LongMonthNames[i] = locale.Text(static_cast<nl_item>(MON_1 + i));
  }
  for (int i = 0; i < 7; ++i) {
    s.ShortDayNames[i] = locale.Text(static_cast<nl_item>(ABDAY_1 + i));
    s.LongDayNames[i] = locale.Text(static_cast<nl_item>(DAY_1 + i));
  }
  Char dateSeparator = '\0';
  const String shortDate = FromPattern(locale, locale.Text(D_FMT), dateSeparator);
  if (!shortDate.empty()) s.ShortDateFormat = WithFullYear(shortDate);
  if (dateSeparator != '\0' && dateSeparator != ':') s.DateSeparator = dateSeparator;
  // The C library has no long date pattern of its own; the date part of D_T_FMT comes nearest.
  Char ignored = '\0';
  String longDate = FromPattern(locale, locale.Text(D_T_FMT), ignored);
  const size_t timeAt = longDate.find_first_of("hH");
  if (timeAt != String::npos) longDate = longDate.substr(0, timeAt);
  while (!longDate.empty() && (longDate.back() == ' ' || longDate.back() == ',')) longDate.pop_back();
  if (!longDate.empty()) s.LongDateFormat = WithFullYear(longDate);
  Char timeSeparator = '\0';
  const String longTime = FromPattern(locale, locale.Text(T_FMT), timeSeparator);
  if (!longTime.empty()) {
    s.LongTimeFormat = longTime;
    s.ShortTimeFormat = WithoutSeconds(longTime);
  }
  if (timeSeparator == ':' || timeSeparator == '.') s.TimeSeparator = timeSeparator;
  const String am = locale.Text(AM_STR);
  const String pm = locale.Text(PM_STR);
  s.TimeAMString = am;
  s.TimePMString = pm;
}

}  // namespace

void GetLocaleFormatSettings(const String& localeName, TFormatSettings& settings) {
  settings = TFormatSettings();
  const auto nameFor = [&](const char* variable) { return localeName.empty() ? EnvironmentLocale(variable) : localeName; };
  // A locale the system does not have leaves the classic defaults in place.
  if (const TLocale numeric(nameFor("LC_NUMERIC")); numeric.Valid()) ReadNumeric(numeric, settings);
  if (const TLocale monetary(nameFor("LC_MONETARY")); monetary.Valid()) ReadMonetary(monetary, settings);
  if (const TLocale time(nameFor("LC_TIME")); time.Valid()) ReadTime(time, settings);
}

void FormatSettingsStart() { GetLocaleFormatSettings("", FormatSettings); }
