#include "toolkit/editors/kvFormats.h"

#include <algorithm>
#include <cctype>
#include <memory>

#include "rtl/FormatSettings.h"
#include "rtl/SysUtils.h"
#include "toolkit/editors/kvDateUtils.h"
#include "user/LocaleInfo.h"
#include "user/MessageNumbers.h"
#include "user/Messages.h"
#include "vcl/AllocateHWnd.h"
#include "vcl/Forms.h"

TAVREN_CLASS_IMPL(TkvFormatController)

namespace {

enum class TMaskKind { Date, Time, DateTime };

std::unique_ptr<TkvFormatController>& SharedController() {
  static std::unique_ptr<TkvFormatController> controller;
  return controller;
}
bool gFormatsEnded = false;

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool StartsWithNoCase(const String& text, size_t at, const char* word) {
  for (size_t i = 0; word[i]; ++i) {
    if (at + i >= text.size() || Upper(text[at + i]) != Upper(word[i])) return false;
  }
  return true;
}

// Bytes of the UTF-8 sequence that starts at text[at] (1 for ASCII or a stray byte).
size_t SequenceLength(const String& text, size_t at) {
  auto lead = static_cast<unsigned char>(text[at]);
  size_t n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  size_t i = 1;
  while (i < n && at + i < text.size() && (static_cast<unsigned char>(text[at + i]) & 0xC0) == 0x80) ++i;
  return i;
}

class TFormatParser {
 public:
  explicit TFormatParser(TkvDateTimeFormatInfo& Info) : FInfo(Info) {}

  bool Parse(const String& Text, Integer Depth) {
    if (Depth >= 2 || Text.empty()) return true;
    size_t level = FLevelHasAmPm.size();
    FLevelHasAmPm.push_back(false);
    char previousLetter = 0;
    for (size_t i = 0; i < Text.size();) {
      char c = Text[i];
      if (static_cast<unsigned char>(c) >= 0x80) {
        size_t n = SequenceLength(Text, i);
        AddLiteral(Text.substr(i, n));
        i += n;
        continue;
      }
      char upper = Upper(c);
      size_t n = 1;
      if (std::isalpha(static_cast<unsigned char>(c))) {
        while (i + n < Text.size() && Upper(Text[i + n]) == upper) ++n;
      }
      if (upper == 'M' && previousLetter == 'H') upper = 'N';
      if (std::isalpha(static_cast<unsigned char>(c))) previousLetter = upper;
      switch (upper) {
        case '"':
        case '\'': {
          size_t end = Text.find(c, i + 1);
          if (end == String::npos) end = Text.size();
          if (end > i + 1) AddLiteral(Text.substr(i + 1, end - i - 1));
          i = std::min(end + 1, Text.size());
          continue;
        }
        case '/': AddItem(kvdfDateSeparator, ""); break;
        case ':': AddItem(kvdfTimeSeparator, ""); break;
        case 'C':
          if (!Parse(FormatSettings.ShortDateFormat, Depth + 1)) return false;
          AddLiteral(" ");
          if (!Parse(FormatSettings.LongTimeFormat, Depth + 1)) return false;
          n = 1;
          break;
        case 'D':
          if (n <= 4) AddItem(kvdfDay, String(n, 'D'));
          else if (!Parse(n == 5 ? FormatSettings.ShortDateFormat : FormatSettings.LongDateFormat, Depth + 1))
            return false;
          break;
        case 'E':
        case 'Y': AddItem(kvdfYear, n > 2 ? "YYYY" : "YY"); break;
        case 'G': return false;
        case 'H':
          if (!FInfo.Defined[kvdfHour]) FHourLevel = level;
          AddItem(kvdfHour, String(std::min<size_t>(n, 2), 'H'));
          break;
        case 'M': AddItem(kvdfMonth, String(std::min<size_t>(n, 4), 'M')); break;
        case 'N': AddItem(kvdfMinute, String(std::min<size_t>(n, 2), 'N')); break;
        case 'S': AddItem(kvdfSecond, String(std::min<size_t>(n, 2), 'S')); break;
        case 'T':
          if (!Parse(n == 1 ? FormatSettings.ShortTimeFormat : FormatSettings.LongTimeFormat, Depth + 1)) return false;
          break;
        case 'Z': AddItem(kvdfMillisecond, String(std::min<size_t>(n, 3), 'Z')); break;
        case 'A':
          if (StartsWithNoCase(Text, i, "AM/PM")) {
            AddAmPm(level, Text.substr(i, 5));
            n = 5;
          } else if (StartsWithNoCase(Text, i, "A/P")) {
            AddAmPm(level, Text.substr(i, 3));
            n = 3;
          } else if (StartsWithNoCase(Text, i, "AMPM")) {
            AddAmPm(level, "AMPM");
            n = 4;
          } else if (n >= 4) {
            AddItem(kvdfDay, "DDDD");
            n = 4;
          } else if (n == 3) {
            AddItem(kvdfDay, "DDD");
          } else {
            AddLiteral(String(1, c));
            n = 1;
          }
          break;
        default: AddLiteral(Text.substr(i, n)); break;
      }
      i += n;
    }
    return true;
  }

  // The hour takes its clock from the level it came from; a marker without an hour goes.
  void FixHour() {
    if (FInfo.Defined[kvdfHour]) {
      for (TkvDateTimeFormatItem& item : FInfo.Items) {
        if (item.Kind != kvdfHour) continue;
        item.Text = (FHourLevel < FLevelHasAmPm.size() && FLevelHasAmPm[FHourLevel] ? "12" : "24") + item.Text;
        break;
      }
    } else if (FInfo.Defined[kvdfAmPm]) {
      std::erase_if(FInfo.Items, [](const TkvDateTimeFormatItem& item) { return item.Kind == kvdfAmPm; });
      FInfo.Defined[kvdfAmPm] = false;
    }
  }

 private:
  void AddItem(Byte Kind, const String& Text) {
    if (Kind >= kvdfYear && Kind <= kvdfAmPm && FInfo.Defined[Kind]) return;
    FInfo.Items.push_back({Kind, Text});
    FInfo.Defined[Kind] = true;
  }
  void AddLiteral(const String& Text) {
    if (!FInfo.Items.empty() && FInfo.Items.back().Kind == kvdfLiteral) FInfo.Items.back().Text += Text;
    else AddItem(kvdfLiteral, Text);
  }
  void AddAmPm(size_t Level, const String& Text) {
    FLevelHasAmPm[Level] = true;
    AddItem(kvdfAmPm, Text);
  }

  TkvDateTimeFormatInfo& FInfo;
  std::vector<bool> FLevelHasAmPm;
  size_t FHourLevel = SIZE_MAX;
};

// A text as one literal of the regular-expression mask language: inside single quotes, each
// quote of its own written as \'.
String RegexQuote(const String& Text) {
  String out = "'";
  for (char c : Text) {
    if (c == '\'') out += "'\\''";
    else out += c;
  }
  return out + "'";
}

// A text as a literal of a display format: single-quoted runs, a quote itself double-quoted.
String DisplayQuote(const String& Text) {
  String out;
  String run;
  auto flush = [&] {
    if (!run.empty()) out += "'" + run + "'";
    run.clear();
  };
  for (char c : Text) {
    if (c == '\'') {
      flush();
      out += "\"'\"";
    } else {
      run += c;
    }
  }
  flush();
  return out;
}

String SeparatorPattern(Char Separator) {
  if (Separator == '\0') return "";
  if (Separator == ' ') return "' '";
  return String("\\") + Separator;
}

String LongerAmPm() {
  return String(std::max(FormatSettings.TimeAMString.size(), FormatSettings.TimePMString.size()), 'c');
}

String StandardMask(const TkvDateTimeFormatInfo& Info, TMaskKind Kind) {
  if (Info.Items.empty()) return "";
  String mask = Kind == TMaskKind::Time ? "" : "!";
  for (const TkvDateTimeFormatItem& item : Info.Items) {
    switch (item.Kind) {
      case kvdfLiteral:
        for (char c : item.Text) (mask += '\\') += c;
        break;
      case kvdfYear: mask += item.Text.size() == 2 ? "99" : "9999"; break;
      case kvdfMonth:
      case kvdfDay: mask += item.Text.size() > 2 ? "lll" : "99"; break;
      case kvdfHour:
      case kvdfMinute:
      case kvdfSecond: mask += Kind == TMaskKind::Time ? "00" : "99"; break;
      case kvdfAmPm: {
        Byte style = AmPmStyle(item.Text);
        mask += style == 0 ? "c" : style == 1 ? "cc" : LongerAmPm();
        break;
      }
      case kvdfDateSeparator: mask += '/'; break;
      case kvdfTimeSeparator: mask += ':'; break;
      default: break;
    }
  }
  return mask + (Kind == TMaskKind::Time ? ";1;0" : ";1; ");
}

String DatePattern(const TkvDateTimeFormatInfo& Info) {
  String pattern;
  for (const TkvDateTimeFormatItem& item : Info.Items) {
    switch (item.Kind) {
      case kvdfLiteral: pattern += RegexQuote(item.Text); break;
      case kvdfYear: pattern += item.Text.size() == 2 ? "\\d\\d" : "\\d\\d\\d\\d"; break;
      case kvdfMonth: {
        pattern += "((0?[1-9]|1[012])|(";
        const String* names = item.Text == "MMMM" ? FormatSettings.LongMonthNames : FormatSettings.ShortMonthNames;
        for (int m = 0; m < 12; ++m) pattern += (m ? "|" : "") + RegexQuote(names[m]);
        pattern += "))";
        break;
      }
      case kvdfDay: pattern += "([012]?[1-9]|[123]0|31)"; break;
      case kvdfDateSeparator: pattern += SeparatorPattern(FormatSettings.DateSeparator); break;
      default: break;
    }
  }
  return pattern;
}

String TimePattern(const TkvDateTimeFormatInfo& Info) {
  String pattern;
  for (const TkvDateTimeFormatItem& item : Info.Items) {
    switch (item.Kind) {
      case kvdfLiteral: pattern += RegexQuote(item.Text); break;
      case kvdfHour: pattern += item.Text.starts_with("12") ? "(0?[1-9]|1[012])" : "([01]?\\d|2[0-3])"; break;
      case kvdfMinute:
      case kvdfSecond: pattern += "[0-5]?\\d"; break;
      case kvdfAmPm: {
        Byte style = AmPmStyle(item.Text);
        if (style == 0) {
          pattern += "(A|P)?";
        } else if (style == 1) {
          pattern += "(AM|PM)?";
        } else {
          const String& am = FormatSettings.TimeAMString;
          const String& pm = FormatSettings.TimePMString;
          if (!am.empty() && !pm.empty()) pattern += "(" + RegexQuote(am) + "|" + RegexQuote(pm) + ")?";
          else if (!am.empty() || !pm.empty()) pattern += "(" + RegexQuote(am.empty() ? pm : am) + ")?";
        }
        break;
      }
      case kvdfTimeSeparator: pattern += SeparatorPattern(FormatSettings.TimeSeparator); break;
      default: break;
    }
  }
  return pattern;
}

String WithSmartWords(const String& Mask, bool WithNow) {
  std::vector<String> words = SmartDateWords();
  if (!WithNow) words.pop_back();
  String alternatives;
  for (size_t i = 0; i < words.size(); ++i) alternatives += (i ? "|" : "") + RegexQuote(words[i]);
  return "(" + Mask + ")|(" + alternatives + ")((\\+|-)\\d(\\d(\\d\\d?)?)?)?";
}

String MaskDisplayFormat(const TkvDateTimeFormatInfo& Info) {
  String format;
  for (const TkvDateTimeFormatItem& item : Info.Items) {
    switch (item.Kind) {
      case kvdfLiteral: format += DisplayQuote(item.Text); break;
      case kvdfYear:
      case kvdfAmPm: format += LowerCase(item.Text); break;
      case kvdfMonth: format += item.Text.size() > 2 ? "mmm" : "mm"; break;
      case kvdfDay: format += item.Text.size() > 2 ? "ddd" : "dd"; break;
      case kvdfHour: format += "hh"; break;
      case kvdfMinute: format += "nn"; break;
      case kvdfSecond: format += "ss"; break;
      case kvdfDateSeparator: format += '/'; break;
      case kvdfTimeSeparator: format += ':'; break;
      default: break;
    }
  }
  return format;
}

String CurrencyFormatOfLocale() {
  const TFormatSettings& fs = FormatSettings;
  String number = ",0." + String(fs.CurrencyDecimals, '0');
  String currency;
  for (char c : fs.CurrencyString) {
    if (c == ',' || c == '.') currency += String("'") + c + "'";
    else currency += c;
  }
  String positive;
  if (currency.empty()) {
    positive = number;  // no symbol: the bare number, not an empty section
  } else {
    switch (fs.CurrencyFormat) {
      case 1: positive = number + currency; break;
      case 2: positive = currency + " " + number; break;
      case 3: positive = number + " " + currency; break;
      default: positive = currency + number; break;
    }
  }
  const String& C = currency;
  const String& N = number;
  String negative;
  switch (fs.NegCurrFormat) {
    case 1: negative = "-" + C + N; break;
    case 2: negative = C + "-" + N; break;
    case 3: negative = C + N + "-"; break;
    case 4: negative = "(" + N + C + ")"; break;
    case 5: negative = "-" + N + C; break;
    case 6: negative = N + "-" + C; break;
    case 7: negative = N + C + "-"; break;
    case 8: negative = "-" + N + " " + C; break;
    case 9: negative = "-" + C + " " + N; break;
    case 10: negative = N + " " + C + "-"; break;
    case 11: negative = C + " " + N + "-"; break;
    case 12: negative = C + " -" + N; break;
    case 13: negative = N + "- " + C; break;
    case 14: negative = "(" + C + " " + N + ")"; break;
    case 15: negative = "(" + N + " " + C + ")"; break;
    default: negative = "(" + C + N + ")"; break;
  }
  return positive + ";" + negative;
}

// Every lone d becomes dd and every lone M becomes MM.
String EditFormatOf(const String& ShortDate) {
  String out;
  for (size_t i = 0; i < ShortDate.size(); ++i) {
    char c = ShortDate[i];
    bool lone = (c == 'd' || c == 'M') && (i == 0 || ShortDate[i - 1] != c) &&
                (i + 1 >= ShortDate.size() || ShortDate[i + 1] != c);
    out += c;
    if (lone) out += c;
  }
  return out;
}

}  // namespace

// ---- Parsing ------------------------------------------------------------------------------

void BuildFormatInfo(const String& Format, TkvDateTimeFormatInfo& Info) {
  Info = TkvDateTimeFormatInfo{};
  TFormatParser parser(Info);
  if (parser.Parse(Format.empty() ? String("C") : Format, 0)) parser.FixHour();
  else Info = TkvDateTimeFormatInfo{};
}

Integer FormatItemWidth(const TkvDateTimeFormatItem& Item) {
  switch (Item.Kind) {
    case kvdfLiteral: return static_cast<Integer>(Item.Text.size());
    case kvdfYear: return Item.Text.size() == 2 ? 2 : 4;
    case kvdfMonth:
    case kvdfDay: return Item.Text.size() > 2 ? 3 : 2;
    case kvdfHour:
    case kvdfMinute:
    case kvdfSecond: return 2;
    case kvdfAmPm: {
      Byte style = AmPmStyle(Item.Text);
      return style == 0 ? 1 : style == 1 ? 2 : static_cast<Integer>(LongerAmPm().size());
    }
    case kvdfDateSeparator:
    case kvdfTimeSeparator: return 1;
    default: return 0;
  }
}

Byte AmPmStyle(const String& Text) {
  String upper = UpperCase(Text);
  return upper == "A/P" ? 0 : upper == "AM/PM" ? 1 : 2;
}

Byte LocaleStartOfWeek() {
  char buffer[8] = "0";
  if (!GetLocaleInfo(GetThreadLocale(), LOCALE_IFIRSTDAYOFWEEK, buffer, sizeof buffer)) buffer[0] = '0';
  int day = (buffer[0] >= '0' && buffer[0] <= '6' ? buffer[0] - '0' : 0) + 1;
  return static_cast<Byte>(day == 7 ? 0 : day);
}

// 0 the week of 1 January, 1 the first whole week, 2 the first week of four days.
Byte LocaleFirstWeekOfYear() {
  char buffer[8] = "0";
  if (!GetLocaleInfo(GetThreadLocale(), LOCALE_IFIRSTWEEKOFYEAR, buffer, sizeof buffer)) buffer[0] = '0';
  return static_cast<Byte>(buffer[0] >= '0' && buffer[0] <= '2' ? buffer[0] - '0' : 0);
}

// ---- Controller ---------------------------------------------------------------------------

TkvFormatController::TkvFormatController() { Reload(); }

TkvFormatController::~TkvFormatController() {
  if (FWindow) DeallocateHWnd(FWindow);
}

void TkvFormatController::WndProc(TMessage& Message) {
  if (Message.Msg == WM_SETTINGCHANGE) {
    const char* area = reinterpret_cast<const char*>(Message.LParam);
    bool update = !Application() || Application()->GetUpdateFormatSettings();
    if (Message.WParam == 0 && area && String(area) == "intl" && update) {
      GetLocaleFormatSettings("", FormatSettings);
      Reload();
      std::vector<IkvFormatListener*> listeners = FListeners;
      for (IkvFormatListener* listener : listeners) listener->FormatChanged();
      Message.Result = 0;
      return;
    }
  } else if (Message.Msg == WM_TIMECHANGE) {
    std::vector<IkvFormatListener*> listeners = FListeners;
    for (IkvFormatListener* listener : listeners) {
      if (auto* time = dynamic_cast<IkvTimeListener*>(listener)) time->TimeChanged();
    }
    Message.Result = 0;
    return;
  }
  Message.Result = DefWindowProc(FWindow, Message.Msg, Message.WParam, Message.LParam);
}

void TkvFormatController::AddListener(IkvFormatListener* Listener) {
  if (!Listener || std::find(FListeners.begin(), FListeners.end(), Listener) != FListeners.end()) return;
  if (FListeners.empty() && !FWindow) FWindow = AllocateHWnd(MakeEvent<&TkvFormatController::WndProc>(this));
  FListeners.push_back(Listener);
}

void TkvFormatController::RemoveListener(IkvFormatListener* Listener) {
  std::erase(FListeners, Listener);
  if (FListeners.empty() && FWindow) {
    DeallocateHWnd(FWindow);
    FWindow = nullptr;
  }
}

void TkvFormatController::Reload() {
  const TFormatSettings& fs = FormatSettings;
  FCurrencyFormat = CurrencyFormatOfLocale();
  FStartOfWeek = LocaleStartOfWeek();
  FFirstWeekOfYear = LocaleFirstWeekOfYear();
  BuildFormatInfo(fs.ShortDateFormat, FDateFormatInfo);
  BuildFormatInfo(fs.LongTimeFormat, FTimeFormatInfo);
  BuildFormatInfo(fs.ShortDateFormat + " " + fs.LongTimeFormat, FDateTimeFormatInfo);
  FDateStandardMaskSource = StandardMask(FDateFormatInfo, TMaskKind::Date);
  FDateStandardMask = FDateStandardMaskSource;
  String datePattern = DatePattern(FDateFormatInfo);
  FDateRegexMask = WithSmartWords(datePattern, false);
  FDateTimeRegexMask = WithSmartWords(datePattern + " ' '(" + TimePattern(FTimeFormatInfo) + ")?", true);
  FDateTimeStandardMask = StandardMask(FDateTimeFormatInfo, TMaskKind::DateTime);
  FDateMaskDisplayFormat = MaskDisplayFormat(FDateFormatInfo);
  FDateTimeMaskDisplayFormat = MaskDisplayFormat(FDateTimeFormatInfo);
  FDateEditFormat = EditFormatOf(fs.ShortDateFormat);
}

Integer TkvFormatController::FormatTextWidth(const TkvDateTimeFormatInfo& Info) {
  Integer width = 0;
  for (const TkvDateTimeFormatItem& item : Info.Items) width += FormatItemWidth(item);
  return width;
}

bool TkvFormatController::FindFormatItemAt(const TkvDateTimeFormatInfo& Info, Integer Position,
                                           TkvFormatItemPlace& Place) {
  if (Position <= 0 || Info.Items.empty()) return false;
  Integer start = 1;
  for (const TkvDateTimeFormatItem& item : Info.Items) {
    Integer width = FormatItemWidth(item);
    if (Position >= start && Position <= start + width - 1) {
      Place = TkvFormatItemPlace{item.Kind, start, width, 0};
      if (item.Kind == kvdfAmPm) Place.AmPmStyle = AmPmStyle(item.Text);
      return true;
    }
    start += width;
  }
  return false;
}

TkvFormatController* TheFormatController() {
  if (gFormatsEnded) return nullptr;
  std::unique_ptr<TkvFormatController>& controller = SharedController();
  if (!controller) controller = std::make_unique<TkvFormatController>();
  return controller.get();
}

void kvFormatsStart() { gFormatsEnded = false; }

void kvFormatsEnd() {
  SharedController().reset();
  gFormatsEnded = true;
}
