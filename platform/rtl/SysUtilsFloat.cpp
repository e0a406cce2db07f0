#include "rtl/SysUtils.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

namespace {

// A decimal number 0.d1d2d3... * 10^Exponent; no trailing zeros in Digits, none at all for zero.
struct TDecimal {
  bool Negative = false;
  std::string Digits;
  int Exponent = 0;

  bool IsZero() const { return Digits.empty(); }
};

// The shortest text that reads back as the same double: rounding then works on the number as it
// was written, not on the binary fraction beside it.
TDecimal Decompose(double value) {
  TDecimal d;
  d.Negative = std::signbit(value);
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific);
  const std::string_view text(buffer, static_cast<size_t>(result.ptr - buffer));
  const size_t e = text.find('e');
  for (char c : text.substr(0, e))
    if (c != '.') d.Digits += c;
  int exponent = 0;
  std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), exponent);
  d.Exponent = exponent + 1;
  while (!d.Digits.empty() && d.Digits.back() == '0') d.Digits.pop_back();
  if (d.Digits.empty()) d.Exponent = 0;
  return d;
}

// Keeps `count` significant digits (count may be <= 0), rounding half away from zero.
void RoundAt(TDecimal& d, int count) {
  if (count >= static_cast<int>(d.Digits.size())) return;
  if (count < 0) {
    d.Digits.clear();
  } else {
    const bool up = d.Digits[static_cast<size_t>(count)] >= '5';
    d.Digits.resize(static_cast<size_t>(count));
    if (up) {
      int i = count - 1;
      while (i >= 0 && d.Digits[static_cast<size_t>(i)] == '9') d.Digits[static_cast<size_t>(i--)] = '0';
      if (i >= 0) {
        ++d.Digits[static_cast<size_t>(i)];
      } else {
        d.Digits.insert(d.Digits.begin(), '1');
        ++d.Exponent;
      }
    }
  }
  while (!d.Digits.empty() && d.Digits.back() == '0') d.Digits.pop_back();
  if (d.Digits.empty()) d.Exponent = 0;
}

char DigitAt(const TDecimal& d, int index) {
  return index >= 0 && index < static_cast<int>(d.Digits.size()) ? d.Digits[static_cast<size_t>(index)] : '0';
}

// Integer digits of d, grouped by `separator` every three digits when it is not '\0'.
String IntegerText(const TDecimal& d, char separator) {
  const int count = std::max(d.Exponent, 1);
  String out;
  for (int i = 0; i < count; ++i) {
    out += d.Exponent <= 0 ? '0' : DigitAt(d, i);
    const int left = count - 1 - i;
    if (separator != '\0' && left > 0 && left % 3 == 0) out += separator;
  }
  return out;
}

String FractionText(const TDecimal& d, int decimals) {
  String out;
  for (int i = 0; i < decimals; ++i) out += DigitAt(d, d.Exponent + i);
  return out;
}

String ExponentText(int exponent, bool plusSign, int minDigits) {
  String digits = std::to_string(std::abs(exponent));
  if (static_cast<int>(digits.size()) < minDigits) digits.insert(0, static_cast<size_t>(minDigits) - digits.size(), '0');
  return (exponent < 0 ? "-" : plusSign ? "+" : "") + digits;
}

String GeneralText(TDecimal d, int precision, int expDigits, const TFormatSettings& fs) {
  RoundAt(d, precision);
  if (d.IsZero()) return "0";
  String out = d.Negative ? "-" : "";
  if (d.Exponent > precision || d.Exponent < -4) {
    out += d.Digits[0];
    if (d.Digits.size() > 1) out += fs.DecimalSeparator + d.Digits.substr(1);
    return out + "E" + ExponentText(d.Exponent - 1, false, expDigits);
  }
  out += IntegerText(d, '\0');
  const int decimals = static_cast<int>(d.Digits.size()) - d.Exponent;
  if (decimals > 0) out += fs.DecimalSeparator + FractionText(d, decimals);
  return out;
}

String ExponentFormText(TDecimal d, int precision, int expDigits, const TFormatSettings& fs) {
  RoundAt(d, precision);
  String out = d.Negative && !d.IsZero() ? "-" : "";
  out += DigitAt(d, 0);
  if (precision > 1) {
    out += fs.DecimalSeparator;
    for (int i = 1; i < precision; ++i) out += DigitAt(d, i);
  }
  return out + "E" + ExponentText(d.IsZero() ? 0 : d.Exponent - 1, true, expDigits);
}

// "1,234.50" without sign: the number part of ffFixed, ffNumber and ffCurrency.
String FixedText(TDecimal& d, int precision, int decimals, char separator, const TFormatSettings& fs) {
  RoundAt(d, std::min(precision, d.Exponent + decimals));
  String out = IntegerText(d, separator);
  if (decimals > 0) out += fs.DecimalSeparator + FractionText(d, decimals);
  return out;
}

String CurrencyText(const String& number, bool negative, const TFormatSettings& fs) {
  const String& c = fs.CurrencyString;
  if (!negative) {
    switch (fs.CurrencyFormat) {
      case 1: return number + c;
      case 2: return c + " " + number;
      case 3: return number + " " + c;
      default: return c + number;
    }
  }
  switch (fs.NegCurrFormat) {
    case 1: return "-" + c + number;
    case 2: return c + "-" + number;
    case 3: return c + number + "-";
    case 4: return "(" + number + c + ")";
    case 5: return "-" + number + c;
    case 6: return number + "-" + c;
    case 7: return number + c + "-";
    case 8: return "-" + number + " " + c;
    case 9: return "-" + c + " " + number;
    case 10: return number + " " + c + "-";
    case 11: return c + " " + number + "-";
    case 12: return c + " -" + number;
    case 13: return number + "- " + c;
    case 14: return "(" + c + " " + number + ")";
    case 15: return "(" + number + " " + c + ")";
    default: return "(" + c + number + ")";
  }
}

// ---- FormatFloat patterns ----

struct TPattern {
  int IntPlaces = 0;      // '0' and '#' before the decimal point (or the exponent)
  int IntZeros = 0;       // places from the first '0' on: the minimum count of integer digits
  int Decimals = 0;       // '0' and '#' after the point
  int MinDecimals = 0;    // places up to the last '0' after the point
  bool Thousands = false;
  bool Scientific = false;
  bool ExpPlus = false;
  int ExpDigits = 0;
};

// The sections of a pattern split at ';' outside quotes.
std::vector<std::string_view> Sections(std::string_view format) {
  std::vector<std::string_view> sections;
  size_t start = 0;
  char quote = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == ';') {
      sections.push_back(format.substr(start, i - start));
      start = i + 1;
    }
  }
  sections.push_back(format.substr(start));
  return sections;
}

bool IsExponentAt(std::string_view section, size_t i) {
  return (section[i] == 'E' || section[i] == 'e') && i + 1 < section.size() &&
         (section[i + 1] == '+' || section[i + 1] == '-');
}

TPattern ParsePattern(std::string_view section) {
  TPattern p;
  bool afterPoint = false;
  char quote = 0;
  for (size_t i = 0; i < section.size(); ++i) {
    const char c = section[i];
    if (quote) {
      if (c == quote) quote = 0;
      continue;
    }
    if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '.') {
      afterPoint = true;
    } else if (c == ',') {
      if (!afterPoint) p.Thousands = true;
    } else if (c == '0' || c == '#') {
      if (afterPoint) {
        ++p.Decimals;
        if (c == '0') p.MinDecimals = p.Decimals;
      } else {
        ++p.IntPlaces;
        if (c == '0' && p.IntZeros == 0) p.IntZeros = 1;
        else if (p.IntZeros > 0) ++p.IntZeros;
      }
    } else if (IsExponentAt(section, i)) {
      p.Scientific = true;
      p.ExpPlus = section[i + 1] == '+';
      for (i += 2; i < section.size() && section[i] == '0' && p.ExpDigits < 4; ++i) ++p.ExpDigits;
      break;
    }
  }
  return p;
}

// The rounded number for a pattern; for scientific patterns also the exponent it is shown with.
TDecimal RoundForPattern(double value, const TPattern& p, int& exponent) {
  TDecimal d = Decompose(value);
  exponent = 0;
  if (p.Scientific) {
    RoundAt(d, std::max(p.IntPlaces, 1) + p.Decimals);
    if (!d.IsZero()) {
      exponent = d.Exponent - std::max(p.IntPlaces, 1);
      d.Exponent -= exponent;
    }
  } else {
    RoundAt(d, d.Exponent + p.Decimals);
  }
  return d;
}

String ApplyPattern(std::string_view section, const TPattern& p, const TDecimal& d, int exponent, bool minus,
                    const TFormatSettings& fs) {
  // Integer digits, at least as many as the '0' places ask for.
  String digits = d.Exponent > 0 ? IntegerText(d, '\0') : "";
  if (static_cast<int>(digits.size()) < p.IntZeros) digits.insert(0, static_cast<size_t>(p.IntZeros) - digits.size(), '0');
  int decimals = p.MinDecimals;
  for (int i = p.Decimals; i > p.MinDecimals; --i)
    if (DigitAt(d, d.Exponent + i - 1) != '0') {
      decimals = i;
      break;
    }
  const String fraction = FractionText(d, decimals);
  const char separator = p.Thousands ? fs.ThousandSeparator : '\0';

  String out = minus ? "-" : "";
  int intPlace = 0;  // integer placeholders seen so far
  int fracPlace = 0;
  bool afterPoint = false;
  const int extra = static_cast<int>(digits.size()) - p.IntPlaces;  // digits beyond the placeholders
  bool integerShown = false;
  bool afterExponent = false;  // the placeholders end at the exponent: the rest is plain text
  // A pattern without integer placeholders shows the integer digits before the point or exponent.
  const auto putLoneInteger = [&] {
    if (p.IntPlaces == 0 && !integerShown) out += digits;
    integerShown = true;
  };
  const auto putDigit = [&](int index) {
    if (index >= static_cast<int>(digits.size())) return;
    out += digits[static_cast<size_t>(index)];
    const int left = static_cast<int>(digits.size()) - 1 - index;
    if (separator != '\0' && left > 0 && left % 3 == 0) out += separator;
  };
  for (size_t i = 0; i < section.size(); ++i) {
    const char c = section[i];
    if (c == '"' || c == '\'') {
      const size_t end = section.find(c, i + 1);
      out += section.substr(i + 1, (end == std::string_view::npos ? section.size() : end) - i - 1);
      i = end == std::string_view::npos ? section.size() : end;
    } else if (afterExponent) {
      out += c;
    } else if ((c == '0' || c == '#') && !afterPoint) {
      if (intPlace == 0)
        for (int k = 0; k < extra; ++k) putDigit(k);
      const int index = extra + intPlace;
      if (index >= 0) putDigit(index);
      ++intPlace;
    } else if ((c == '0' || c == '#') && afterPoint) {
      if (fracPlace < decimals) out += fraction[static_cast<size_t>(fracPlace)];
      ++fracPlace;
    } else if (c == '.') {
      if (!afterPoint) putLoneInteger();
      if (!afterPoint && decimals > 0) out += fs.DecimalSeparator;
      afterPoint = true;
    } else if (c == ',') {
      // grouping is placed with the digits
    } else if (IsExponentAt(section, i)) {
      putLoneInteger();
      out += c;
      out += ExponentText(exponent, p.ExpPlus, p.ExpDigits);
      i += 1;
      while (i + 1 < section.size() && section[i + 1] == '0') ++i;
      afterExponent = true;
    } else {
      out += c;
    }
  }
  return out;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

String FloatToStrF(Extended value, TFloatFormat format, Integer precision, Integer digits,
                   const TFormatSettings& settings) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  precision = std::clamp(precision, 1, 18);
  TDecimal d = Decompose(value);
  switch (format) {
    case ffGeneral:
      return GeneralText(d, precision, std::clamp(digits, 0, 4), settings);
    case ffExponent:
      return ExponentFormText(d, precision, std::clamp(digits, 0, 4), settings);
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
      // Too many integer digits for the precision: the general form says it without false digits.
      if (d.Exponent > precision) return GeneralText(d, precision, 0, settings);
      digits = std::clamp(digits, 0, 18);
      const String number =
          FixedText(d, precision, digits, format == ffFixed ? '\0' : settings.ThousandSeparator, settings);
      const bool negative = d.Negative && !d.IsZero();
      if (format == ffCurrency) return CurrencyText(number, negative, settings);
      return negative ? "-" + number : number;
    }
  }
  return String();
}

String FloatToStrF(Extended value, TFloatFormat format, Integer precision, Integer digits) {
  return FloatToStrF(value, format, precision, digits, FormatSettings);
}

String FloatToStr(Extended value, const TFormatSettings& settings) {
  return FloatToStrF(value, ffGeneral, 15, 0, settings);
}

String FloatToStr(Extended value) { return FloatToStr(value, FormatSettings); }

String FormatFloat(const String& format, Extended value, const TFormatSettings& settings) {
  if (std::isnan(value) || std::isinf(value) || format.empty()) return FloatToStr(value, settings);
  const std::vector<std::string_view> sections = Sections(format);
  std::string_view section = sections[0];
  bool minus = std::signbit(value);
  if (minus && sections.size() > 1 && !sections[1].empty()) {
    section = sections[1];
    minus = false;  // the negative section carries its own sign, if any
  }
  TPattern p = ParsePattern(section);
  if (!p.Scientific && std::fabs(value) >= 1e18) return FloatToStr(value, settings);
  int exponent;
  TDecimal d = RoundForPattern(value, p, exponent);
  if (d.IsZero()) {
    minus = false;
    if (sections.size() > 2 && !sections[2].empty()) {
      section = sections[2];
      p = ParsePattern(section);
      d = RoundForPattern(0.0, p, exponent);
    }
  }
  return ApplyPattern(section, p, d, exponent, minus, settings);
}

String FormatFloat(const String& format, Extended value) { return FormatFloat(format, value, FormatSettings); }

String CurrToStr(Currency value, const TFormatSettings& settings) {
  // Exact from the fixed-point integer; unsigned arithmetic keeps the most negative value whole.
  const bool negative = value < 0;
  const UInt64 magnitude = negative ? 0 - static_cast<UInt64>(value) : static_cast<UInt64>(value);
  String out = (negative ? "-" : "") + std::to_string(magnitude / 10000);
  String fraction = std::to_string(magnitude % 10000 + 10000).substr(1);
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  if (!fraction.empty()) out += settings.DecimalSeparator + fraction;
  return out;
}

String CurrToStr(Currency value) { return CurrToStr(value, FormatSettings); }

bool TryStrToFloat(const String& s, Extended& value, const TFormatSettings& settings) {
  const String text = Trim(s);
  if (SameText(text, "INF") || SameText(text, "+INF") || SameText(text, "-INF") || SameText(text, "NAN")) {
    value = SameText(text, "NAN") ? std::nan("") : text[0] == '-' ? -HUGE_VAL : HUGE_VAL;
    return true;
  }
  // Checked by hand so that only the settings' decimal separator is taken, then read by
  // from_chars, which does not depend on the C library's locale.
  String plain;
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain += text[i++];
  int mantissaDigits = 0;
  int magnitude = 0;  // decimal position of the first significant digit
  bool seenPoint = false;
  bool significant = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDigit(c)) {
      ++mantissaDigits;
      if (c != '0') significant = true;
      if (!seenPoint && significant) ++magnitude;
      if (seenPoint && !significant) --magnitude;
      plain += c;
    } else if (c == settings.DecimalSeparator && !seenPoint) {
      seenPoint = true;
      plain += '.';
    } else {
      break;
    }
  }
  if (mantissaDigits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    plain += 'e';
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain += text[i++];
    const size_t digitsStart = i;
    int exponent = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
      plain += text[i];
      exponent = std::min(exponent * 10 + (text[i] - '0'), 100000);
    }
    if (i == digitsStart) return false;
    magnitude += plain[plain.size() - (i - digitsStart) - 1] == '-' ? -exponent : exponent;
  }
  if (i != text.size()) return false;
  const char* begin = plain.data() + (plain[0] == '+' ? 1 : 0);
  double result = 0;
  const auto [end, error] = std::from_chars(begin, plain.data() + plain.size(), result);
  if (error == std::errc::result_out_of_range) {
    if (magnitude > 0) return false;  // too large for a double
    result = plain[0] == '-' ? -0.0 : 0.0;
  } else if (error != std::errc() || end != plain.data() + plain.size()) {
    return false;
  }
  value = result;
  return true;
}

bool TryStrToFloat(const String& s, Extended& value) { return TryStrToFloat(s, value, FormatSettings); }

Extended StrToFloat(const String& s, const TFormatSettings& settings) {
  Extended value;
  if (!TryStrToFloat(s, value, settings)) throw EConvertError(Format("'%s' is not a valid floating point value", s));
  return value;
}

Extended StrToFloat(const String& s) { return StrToFloat(s, FormatSettings); }

Extended StrToFloatDef(const String& s, Extended defaultValue, const TFormatSettings& settings) {
  Extended value;
  return TryStrToFloat(s, value, settings) ? value : defaultValue;
}

Extended StrToFloatDef(const String& s, Extended defaultValue) {
  return StrToFloatDef(s, defaultValue, FormatSettings);
}
