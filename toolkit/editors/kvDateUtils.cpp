#include "toolkit/editors/kvDateUtils.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "gdi/LogFont.h"
#include "gdi/Modules.h"
#include "rtl/SysUtils.h"
#include "rtl/UnicodeCase.h"
#include "rtl/Variants.h"
#include "toolkit/editors/kvFormats.h"
#include "user/DateTimeFormat.h"
#include "user/SystemInfo.h"

namespace {

String LocaleText(LCTYPE Type, const String& Default) {
  char buffer[256];
  return GetLocaleInfo(GetThreadLocale(), Type, buffer, sizeof buffer) > 0 ? String(buffer) : Default;
}

// Typed dates lie in years 1..9999 (and so well inside the value range the editors keep).
bool InTypedRange(TDateTime Value) { return Value >= -693593 && Value < 2958466; }

// The table to use: the caller's, or the locale's for the length of the call.
class TableOrLocale {
 public:
  explicit TableOrLocale(TkvCustomCalendarTable* Table) : FTable(Table) {
    if (!FTable) {
      FOwned = LocaleCalendarTable();
      FTable = FOwned.get();
    }
  }
  TkvCustomCalendarTable* operator->() const { return FTable; }
  TkvCustomCalendarTable* Get() const { return FTable; }

 private:
  TkvCustomCalendarTable* FTable;
  std::unique_ptr<TkvCustomCalendarTable> FOwned;
};

// Day 1 of the value's month in the table's calendar.
TDateTime MonthStart(TkvCustomCalendarTable* Table, TDateTime Value) {
  TkvCalendarDateTime r = Table->DecodeValue(Value);
  r.Day = 1;
  r.Hours = r.Minutes = r.Seconds = 0;
  r.Milliseconds = 0;
  return Table->EncodeRecord(r);
}

// Inserts the year letter twice more after a two-letter year, so "yy" reads "yyyy".
String WithFourDigitYear(String Format) {
  String lower = LowerCase(Format);
  size_t at = lower.find("yy");
  if (at != String::npos && lower.find("yyy") == String::npos) Format.insert(at + 2, 2, Format[at]);
  return Format;
}

}  // namespace

// ---- Calendar choice and texts ------------------------------------------------------------

std::unique_ptr<TkvCustomCalendarTable> CalendarTableForType(Integer CalendarType) {
  switch (CalendarType) {
    case CAL_JAPAN: return std::make_unique<TkvJapaneseCalendarTable>();
    case CAL_TAIWAN: return std::make_unique<TkvTaiwanCalendarTable>();
    case CAL_KOREA: return std::make_unique<TkvKoreanCalendarTable>();
    case CAL_HIJRI: return std::make_unique<TkvHijriCalendarTable>();
    case CAL_THAI: return std::make_unique<TkvThaiCalendarTable>();
    case CAL_HEBREW: return std::make_unique<TkvHebrewCalendarTable>();
    default: {
      auto table = std::make_unique<TkvGregorianCalendarTable>();
      bool gregorian = CalendarType == CAL_GREGORIAN || CalendarType == CAL_GREGORIAN_US ||
                       (CalendarType >= CAL_GREGORIAN_ME_FRENCH && CalendarType <= CAL_GREGORIAN_XLIT_FRENCH);
      table->SetCalendarType(gregorian ? CalendarType : CAL_GREGORIAN);
      return table;
    }
  }
}

Integer LocaleCalendarType() {
  DWORD type = CAL_GREGORIAN;
  if (!GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_ICALENDARTYPE | LOCALE_RETURN_NUMBER, reinterpret_cast<char*>(&type),
                     sizeof type))
    type = CAL_GREGORIAN;
  return static_cast<Integer>(type);
}

std::unique_ptr<TkvCustomCalendarTable> LocaleCalendarTable() { return CalendarTableForType(LocaleCalendarType()); }

bool IsGregorianCalendar(TkvCustomCalendarTable* Table) {
  TableOrLocale table(Table);
  Integer id = table->CalendarIdentifier();
  return id == CAL_GREGORIAN || id == CAL_GREGORIAN_US || (id >= CAL_GREGORIAN_ME_FRENCH && id <= CAL_GREGORIAN_XLIT_FRENCH);
}

bool LocaleDateText(DWORD Flags, const String& Format, TDateTime Value, String& Text) {
  char buffer[256];
  SYSTEMTIME time = DateTimeToSystemTime(Value);
  if (GetDateFormatA(GetThreadLocale(), Flags, &time, Format.empty() ? nullptr : Format.c_str(), buffer,
                     sizeof buffer) > 0) {
    Text = buffer;
    return true;
  }
  Text.clear();
  return false;
}

Integer CalendarInfoText(LCID Locale, Integer Calendar, DWORD InfoType, char* Buffer, Integer Size, DWORD* Number) {
  using TGetCalendarInfo = int (*)(LCID, DWORD, DWORD, char*, int, DWORD*);
  HMODULE kernel = LoadLibrary("Kernel32");
  if (!kernel) return 0;
  auto entry = reinterpret_cast<TGetCalendarInfo>(GetProcAddress(kernel, "GetCalendarInfoA"));
  Integer result = entry ? entry(Locale, static_cast<DWORD>(Calendar), InfoType, Buffer, Size, Number) : 0;
  FreeLibrary(kernel);
  return result;
}

String LocaleShortDateFormat() { return LocaleText(LOCALE_SSHORTDATE, FormatSettings.ShortDateFormat); }

String CalendarMonthName(TkvCustomCalendarTable* Table, TDateTime Value) {
  TableOrLocale table(Table);
  String text;
  if (LocaleDateText(0, "MMMM", MonthStart(table.Get(), Value), text)) return text;
  Integer month = table->DecodeValue(Value).Month;
  return month >= 1 && month <= 12 ? FormatSettings.LongMonthNames[month - 1] : String();
}

String CalendarMonthNameOf(Integer Year, Integer Month, TkvCustomCalendarTable* Table) {
  TableOrLocale table(Table);
  if (!table->MonthAllowed(Year, Month)) return "";
  return CalendarMonthName(table.Get(), table->EncodeParts(Year, Month, 1));
}

String CalendarDateText(TkvCustomCalendarTable* Table, TDateTime Value) {
  TableOrLocale table(Table);
  char format[80];
  String text;
  if (CalendarInfoText(LOCALE_USER_DEFAULT, table->CalendarIdentifier(), CAL_SYEARMONTH, format, sizeof format,
                       nullptr) > 0 &&
      LocaleDateText(0, format, Value, text))
    return text;
  TkvCalendarDateTime r = table->DecodeValue(Value);
  return CalendarMonthNameOf(r.Year, r.Month, table.Get()) + " " + CalendarYearText(table.Get(), Value);
}

String CalendarYearText(TkvCustomCalendarTable* Table, TDateTime Value) {
  TableOrLocale table(Table);
  String text;
  if (LocaleDateText(0, "yyyy", MonthStart(table.Get(), Value), text)) return text;
  return IntToStr(table->YearOfValue(Value));
}

String CalendarDateTimeText(TDateTime Value) {
  String text;
  LocaleDateText(0, LocaleShortDateFormat(), Value, text);
  if (TimePartOf(Value) > 0) text += " " + TimeToStr(Value);
  return text;
}

String CalendarDayText(TDateTime Value) {
  String text;
  if (LocaleDateText(0, "d", Value, text)) return text;
  TFormatSettings settings = FormatSettings;
  settings.ShortDateFormat = "d";
  return DateToStr(Value, settings);
}

String CalendarDayNumberText(Integer Day, TkvCustomCalendarTable* Table) {
  TableOrLocale table(Table);
  return CalendarDayText(table->EncodeParts(table->FirstSupportedYear(), 1, Day));
}

String ShortDayNameText(Integer Day, Byte CharSet) {
  if (Day < 1 || Day > 7) return "";
  bool shortest = (GetVersion() & 0xFF) >= 6;
  String name = LocaleText((shortest ? LOCALE_SSHORTESTDAYNAME1 : LOCALE_SABBREVDAYNAME1) + static_cast<LCTYPE>(Day - 1), "");
  if (name.empty()) return "";
  if (CharSet == DEFAULT_CHARSET) CharSet = ANSI_CHARSET;
  bool last = CharSet == GB2312_CHARSET || CharSet == CHINESEBIG5_CHARSET || CharSet == ARABIC_CHARSET;
  // Whole characters: a UTF-8 sequence is never cut.
  std::vector<size_t> starts;
  for (size_t pos = 0; pos < name.size();) {
    starts.push_back(pos);
    Utf8Decode(name, pos);
  }
  size_t from = last ? starts.back() : 0;
  size_t to = last ? name.size() : (starts.size() > 1 ? starts[1] : name.size());
  return name.substr(from, to - from);
}

// ---- Smart words and conversions ----------------------------------------------------------

std::vector<String> SmartDateWords() {
  std::vector<String> words;
  words.reserve(kvSmartWordCount);
  for (Integer i = 0; i < kvSmartWordCount; ++i) words.push_back(ResourceStringText(skvSmartWordFirst + i));
  return words;
}

bool SmartTextToDate(const String& Text, TDateTime& Value) {
  std::vector<String> words = SmartDateWords();
  std::vector<Integer> order(words.size());
  std::iota(order.begin(), order.end(), 0);
  // Longest first, so "tomorrow" is not taken for a shorter word; ties in reverse text order.
  std::stable_sort(order.begin(), order.end(), [&](Integer a, Integer b) {
    if (words[a].size() != words[b].size()) return words[a].size() > words[b].size();
    return AnsiCompareText(words[a], words[b]) > 0;
  });
  Integer index = -1;
  for (Integer i : order) {
    const String& word = words[i];
    if (!word.empty() && Text.size() >= word.size() && AnsiSameText(Text.substr(0, word.size()), word)) {
      index = i;
      break;
    }
  }
  if (index < 0) return false;
  TDateTime today = Date();
  TDateTime result = today;
  Word year, month, day;
  DecodeDate(today, year, month, day);
  if (index == 1) {
    result = today - 1;
  } else if (index == 2) {
    result = today + 1;
  } else if (index >= 3 && index <= 9) {
    Integer d = (index - 2) - DayOfWeek(today);
    result = today + (d < 0 ? d + 7 : d);
  } else if (index >= 10 && index <= 16) {
    result = today - WeekDayIndex(today) + (index - 10);
  } else if (index == 17) {
    result = EncodeDate(year, month, 1);
  } else if (index == 18) {
    result = EncodeDate(year, month, static_cast<Word>(MonthDayCount(year, month)));
  } else if (index == 19) {
    result = Now();
  }
  String rest = Trim(Text.substr(words[index].size()));
  if (rest.size() >= 2 && (rest[0] == '+' || rest[0] == '-')) {
    Int64 offset = 0;
    if (TryStrToInt64(Trim(rest.substr(1)), offset)) result += rest[0] == '+' ? offset : -offset;
  }
  // An offset keeps to the dates a typed text may give.
  if (!InTypedRange(result)) return false;
  Value = result;
  return true;
}

bool SmartTextToDateTime(const String& Text, TDateTime& Value) {
  String text = Trim(Text);
  if (text.empty()) return false;
  try {
    if (IsGregorianCalendar()) {
      if (SmartTextToDate(text, Value)) return true;
      TkvFormatController* controller = TheFormatController();
      CleanDateText(text, !(controller && controller->UseFrameworkFormats()));
      TDateTime value = VarToDateTime(Variant(text));
      if (!InTypedRange(value)) {
        Value = kvNullDate;
        return false;
      }
      Value = value;
      return true;
    }
    Value = CalendarTextToDateTime(text);
    return true;
  } catch (const Exception&) {
    Value = kvNullDate;
    return false;
  }
}

bool TextToDateTime(const String& Text, bool VariantMode, TDateTime& Value) {
  Value = kvNullDate;
  try {
    if (IsGregorianCalendar()) {
      String text = Text;
      CleanDateText(text, VariantMode);
      Value = VariantMode ? VarToDateTime(Variant(text)) : StrToDateTime(text);
    } else {
      Value = CalendarTextToDateTime(Text);
    }
    return true;
  } catch (const Exception&) {
    Value = kvNullDate;
    return false;
  }
}

void CleanDateText(String& Text, bool VariantMode) {
  std::vector<String> keep;
  String dateSeparator = String(1, FormatSettings.DateSeparator);
  if (VariantMode) {
    dateSeparator = LocaleText(LOCALE_SDATE, "/").substr(0, 1);
    keep = {dateSeparator, LocaleText(LOCALE_STIME, ":").substr(0, 1), LocaleText(LOCALE_S1159, "am"),
            LocaleText(LOCALE_S2359, "pm")};
  } else {
    keep = {dateSeparator, String(1, FormatSettings.TimeSeparator), FormatSettings.TimeAMString,
            FormatSettings.TimePMString};
  }
  for (String& k : keep) k = Utf8UpperCase(Trim(k));
  if (TkvFormatController* controller = TheFormatController()) {
    for (const TkvDateTimeFormatInfo* info : {&controller->DateFormatInfo(), &controller->TimeFormatInfo()}) {
      for (const TkvDateTimeFormatItem& item : info->Items) {
        if (item.Kind != kvdfLiteral) continue;
        String literal = Utf8UpperCase(Trim(item.Text));
        if (literal.empty() || std::find(keep.begin(), keep.end(), literal) != keep.end()) continue;
        // Upper-casing keeps byte lengths, so places found in the upper-cased text hold in Text.
        String upper = Utf8UpperCase(Text);
        for (size_t at = upper.find(literal); at != String::npos; at = upper.find(literal, at + literal.size())) {
          Text.replace(at, literal.size(), literal.size(), ' ');
          upper.replace(at, literal.size(), literal.size(), ' ');
        }
      }
    }
  }
  Text = Trim(Text);
  for (size_t i = 1; i + 1 < Text.size();) {
    if (static_cast<unsigned char>(Text[i]) <= ' ' && static_cast<unsigned char>(Text[i + 1]) <= ' ') Text.erase(i, 1);
    else ++i;
  }
  if (VariantMode && !dateSeparator.empty() && dateSeparator != " ") {
    for (char& c : Text) {
      if (c == dateSeparator[0]) c = ' ';
    }
  }
}

TDateTime CalendarTextToDateTime(const String& Text) {
  std::unique_ptr<TkvCustomCalendarTable> table = LocaleCalendarTable();
  String format = LocaleShortDateFormat();
  Char separator = FormatSettings.DateSeparator;
  String text = Text;
  size_t pos = 0;
  Integer offset = 0;
  if (!format.empty() && (format[0] == 'g' || format[0] == 'G')) {
    size_t digit = text.find_first_of("0123456789");
    String eraName = Trim(text.substr(0, digit));
    for (Integer i = 0; i < table->Eras()->GetCount(); ++i) {
      // The platform has no era names of its own: an era is named by its number.
      if (!eraName.empty() && IntToStr(table->Eras()->Era(i)->Number).find(eraName) != String::npos) {
        offset = table->Eras()->Era(i)->GregorianYearOffset;
        break;
      }
    }
    pos = digit == String::npos ? text.size() : digit;
  } else if (LowerCase(format).find('e') != String::npos && table->Eras()->GetCount() > 0) {
    offset = table->Eras()->Era(0)->GregorianYearOffset;
  }
  auto readPart = [&](char until) {
    size_t end = text.find(until, pos);
    String part = Trim(text.substr(pos, end == String::npos ? String::npos : end - pos));
    pos = end == String::npos ? text.size() : end + 1;
    return part;
  };
  String first = readPart(separator);
  if (separator == ' ') {
    size_t next = text.find_first_not_of(' ', pos);
    if (next != String::npos && !std::isdigit(static_cast<unsigned char>(text[next]))) first += " " + readPart(' ');
  }
  String second = readPart(separator);
  String third = readPart(' ');
  String lower = LowerCase(format);
  size_t d = lower.find('d'), y = lower.find_first_of("ey"), m = lower.find('m');
  size_t firstLetter = std::min({d, y, m});
  String dayText, monthText, yearText;
  if (firstLetter == d && d != String::npos) {
    dayText = first, monthText = second, yearText = third;
  } else if (firstLetter == y && y != String::npos) {
    yearText = first, monthText = second, dayText = third;
  } else {
    monthText = first, dayText = second, yearText = third;
  }
  TkvCalendarDateTime r;
  r.Year = table->ParseYear(yearText);
  r.Month = table->ParseMonth(r.Year, monthText);
  r.Day = table->ParseDay(dayText);
  r.Era = table->EraIndexAt(r.Year + offset, 1, 1);
  if (r.Era < 0 && offset == 0) r.Era = -1;
  String rest = Trim(text.substr(std::min(pos, text.size())));
  TDateTime time = rest.empty() ? 0 : StrToTime(rest);
  Word h, mi, s, ms;
  DecodeTime(time, h, mi, s, ms);
  r.Hours = static_cast<Byte>(h);
  r.Minutes = static_cast<Byte>(mi);
  r.Seconds = static_cast<Byte>(s);
  r.Milliseconds = ms;
  return table->EncodeRecord(r);
}

String DateTimeToDisplayText(bool EditFormat, bool WithTime, bool FourDigitYear, TDateTime Value) {
  if (Value == kvNullDate) return "";
  if (!IsGregorianCalendar()) return CalendarDateTimeText(Value);
  TkvFormatController* controller = TheFormatController();
  if (EditFormat && controller) {
    return WithTime ? FormatDateTime(controller->DateTimeMaskDisplayFormat(), Value)
                    : FormatDateTime(controller->DateMaskDisplayFormat(), WholeDays(Value));
  }
  return DateTimeToLocaleText(FourDigitYear, controller && controller->UseFrameworkFormats(), Value);
}

String DateTimeToLocaleText(bool FourDigitYear, bool FrameworkMode, TDateTime Value) {
  if (Value == kvNullDate) return "";
  bool withTime = TimePartOf(Value) != 0;
  if (FrameworkMode) {
    String format = FormatSettings.ShortDateFormat;
    if (withTime) format += " " + FormatSettings.LongTimeFormat;
    return FormatDateTime(FourDigitYear ? WithFourDigitYear(format) : format, Value);
  }
  String format = LocaleShortDateFormat();
  if (FourDigitYear) format = WithFourDigitYear(format);
  char buffer[100];
  SYSTEMTIME time = DateTimeToSystemTime(Value);
  if (GetDateFormatA(GetThreadLocale(), 0, &time, format.c_str(), buffer, sizeof buffer) > 0) {
    String text = buffer;
    if (withTime && GetTimeFormatA(GetThreadLocale(), 0, &time, nullptr, buffer, sizeof buffer) > 0) {
      text += " ";
      text += buffer;
    }
    return text;
  }
  try {
    return VarToStr(VarFromDateTime(Value));
  } catch (const EVariantError&) {
    return "";
  }
}

// ---- Small routines -----------------------------------------------------------------------

void PreviousMonth(Word& Year, Word& Month) {
  if (Month <= 1) {
    Month = 12;
    --Year;
  } else {
    --Month;
  }
}

void NextMonth(Word& Year, Word& Month) {
  if (Month >= 12) {
    Month = 1;
    ++Year;
  } else {
    ++Month;
  }
}

Integer ShiftMonth(Word& Year, Word& Month, Integer Count) {
  Integer year = Year + Count / 12;
  Integer month = Month + Count % 12;
  if (month <= 0) {
    month += 12;
    --year;
  } else if (month > 12) {
    month -= 12;
    ++year;
  }
  Year = static_cast<Word>(year);
  Month = static_cast<Word>(month);
  return Count / 12;
}

Integer DatePartOf(Integer Part, TkvCustomCalendarTable* Table, TDateTime Value) {
  Integer year, month, day;
  if (Table) {
    TkvCalendarDateTime r = Table->DecodeValue(Value);
    year = r.Year, month = r.Month, day = r.Day;
  } else {
    Word y, m, d;
    DecodeDate(Value, y, m, d);
    year = y, month = m, day = d;
  }
  return Part == 0 ? year : Part == 1 ? month : day;
}

bool IsGregorianLeapYear(Integer Year) { return (Year % 4 == 0 && Year % 100 != 0) || Year % 400 == 0; }

Integer MonthDayCount(Integer Year, Integer Month) {
  static const Integer kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (Month < 1 || Month > 12) return 0;
  return kDays[Month - 1] + (Month == 2 && IsGregorianLeapYear(Year) ? 1 : 0);
}

Integer ClampDay(Integer Year, Integer Month, Integer Day) {
  return Day <= 0 ? 1 : std::min(Day, MonthDayCount(Year, Month));
}

TDateTime TimePartOf(TDateTime Value) { return Value - std::trunc(Value); }
TDateTime WholeDays(TDateTime Value) { return std::trunc(Value); }

Integer WeekDayIndex(TDateTime Value) {
  TkvFormatController* controller = TheFormatController();
  Integer index = DayOfWeek(Value) - (controller ? controller->StartOfWeek() : 0) - 1;
  return index < 0 ? index + 7 : index;
}

TDateTime FirstDayOfBaseYear() { return EncodeDate(100, 1, 1); }
