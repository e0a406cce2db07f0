#include "rtl/SysUtils.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "rtl/Math.h"
#include "rtl/UnicodeCase.h"

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

[[noreturn]] void ConvertError(const char* message, const String& text) {
  throw EConvertError(Format(message, text));
}

// Parses a whole integer text with the framework's rules for a value of `bits` (32 or 64) bits.
bool ParseInteger(const String& s, int bits, Int64& result) {
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  unsigned base = 10;
  if (i < s.size() && s[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == s.size()) return false;
  // Hexadecimal texts spell the bit pattern ("$FFFFFFFF" is -1); decimal ones the signed range.
  const UInt64 maxSigned = (UInt64{1} << (bits - 1)) - 1;
  const UInt64 limit = base == 16 ? (bits == 64 ? ~UInt64{0} : 0xFFFFFFFFu) : maxSigned + (negative ? 1 : 0);
  UInt64 magnitude = 0;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    unsigned digit;
    if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
    else if (base == 16 && c >= 'a' && c <= 'f') digit = static_cast<unsigned>(c - 'a' + 10);
    else if (base == 16 && c >= 'A' && c <= 'F') digit = static_cast<unsigned>(c - 'A' + 10);
    else return false;
    if (magnitude > (limit - digit) / base) return false;
    magnitude = magnitude * base + digit;
  }
  // Two's complement negation in unsigned arithmetic: no signed overflow for the minimum value.
  if (negative) magnitude = 0 - magnitude;
  if (bits == 32 && base == 16) magnitude = static_cast<UInt64>(static_cast<Int64>(static_cast<int32_t>(magnitude)));
  result = static_cast<Int64>(magnitude);
  return true;
}

}  // namespace

// ---- Integers -------------------------------------------------------------------------------

String sysutils_detail::HexText(UInt64 value, Integer digits) {
  static const char kDigits[] = "0123456789ABCDEF";
  String out;
  do {
    out += kDigits[value & 0xF];
    value >>= 4;
  } while (value != 0);
  if (digits > 0 && out.size() < static_cast<size_t>(digits)) out.append(static_cast<size_t>(digits) - out.size(), '0');
  std::reverse(out.begin(), out.end());
  return out;
}

bool TryStrToInt(const String& s, Integer& value) {
  Int64 result;
  if (!ParseInteger(s, 32, result)) return false;
  value = static_cast<Integer>(result);
  return true;
}

Integer StrToInt(const String& s) {
  Integer value;
  if (!TryStrToInt(s, value)) ConvertError("'%s' is not a valid integer value", s);
  return value;
}

Integer StrToIntDef(const String& s, Integer defaultValue) {
  Integer value;
  return TryStrToInt(s, value) ? value : defaultValue;
}

bool TryStrToInt64(const String& s, Int64& value) { return ParseInteger(s, 64, value); }

Int64 StrToInt64(const String& s) {
  Int64 value;
  if (!TryStrToInt64(s, value)) ConvertError("'%s' is not a valid integer value", s);
  return value;
}

Int64 StrToInt64Def(const String& s, Int64 defaultValue) {
  Int64 value;
  return TryStrToInt64(s, value) ? value : defaultValue;
}

// ---- Booleans -------------------------------------------------------------------------------

String BoolToStr(bool value, bool useBoolStrs) {
  if (useBoolStrs) return value ? "True" : "False";
  return value ? "-1" : "0";
}

bool TryStrToBool(const String& s, bool& value) {
  const String text = Trim(s);
  if (SameText(text, "True")) {
    value = true;
    return true;
  }
  if (SameText(text, "False")) {
    value = false;
    return true;
  }
  Extended number;
  if (!TryStrToFloat(text, number)) return false;
  value = number != 0;
  return true;
}

bool StrToBool(const String& s) {
  bool value;
  if (!TryStrToBool(s, value)) ConvertError("'%s' is not a valid boolean value", s);
  return value;
}

bool StrToBoolDef(const String& s, bool defaultValue) {
  bool value;
  return TryStrToBool(s, value) ? value : defaultValue;
}

// ---- Text -----------------------------------------------------------------------------------

String Trim(const String& s) { return TrimLeft(TrimRight(s)); }

char* StrPLCopy(char* Dest, const String& Source, Cardinal MaxLen) {
  size_t length = std::min(Source.size(), static_cast<size_t>(MaxLen));
  if (length < Source.size())
    while (length > 0 && (static_cast<unsigned char>(Source[length]) & 0xC0) == 0x80) --length;
  std::memcpy(Dest, Source.data(), length);
  Dest[length] = 0;
  return Dest;
}

String TrimLeft(const String& s) {
  size_t start = 0;
  while (start < s.size() && IsBlank(s[start])) ++start;
  return s.substr(start);
}

String TrimRight(const String& s) {
  size_t end = s.size();
  while (end > 0 && IsBlank(s[end - 1])) --end;
  return s.substr(0, end);
}

String UpperCase(const String& s) {
  String out = s;
  std::transform(out.begin(), out.end(), out.begin(), AsciiUpper);
  return out;
}

String LowerCase(const String& s) {
  String out = s;
  std::transform(out.begin(), out.end(), out.begin(), AsciiLower);
  return out;
}

String AnsiUpperCase(const String& s) { return Utf8UpperCase(s); }

String AnsiLowerCase(const String& s) { return Utf8LowerCase(s); }

Integer CompareStr(const String& a, const String& b) { return Sign(a.compare(b)); }

Integer CompareText(const String& a, const String& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(AsciiUpper(a[i]));
    const auto cb = static_cast<unsigned char>(AsciiUpper(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

bool SameText(const String& a, const String& b) { return CompareText(a, b) == 0; }

Integer AnsiCompareText(const String& a, const String& b) {
  // Folding keeps byte lengths and maps ASCII to ASCII, so the texts are walked side by side
  // without copies; from the first non-ASCII byte on (a character boundary in both, as every
  // byte before it is a whole character) the rests are folded whole.
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[i]);
    if ((ca | cb) & 0x80) {
      const std::string_view restA = std::string_view(a).substr(i), restB = std::string_view(b).substr(i);
      return Sign(Utf8LowerCase(restA).compare(Utf8LowerCase(restB)));
    }
    const auto la = static_cast<unsigned char>(AsciiLower(static_cast<char>(ca)));
    const auto lb = static_cast<unsigned char>(AsciiLower(static_cast<char>(cb)));
    if (la != lb) return la < lb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

Integer AnsiCompareStr(const String& a, const String& b) {
  const Integer folded = AnsiCompareText(a, b);
  if (folded != 0) return folded;
  // Same letters: the first case difference decides, lower case first. Lower-casing keeps byte
  // positions, so the texts can be walked side by side.
  for (size_t i = 0; i < a.size() && i < b.size(); ++i)
    if (a[i] != b[i]) return static_cast<unsigned char>(a[i]) > static_cast<unsigned char>(b[i]) ? -1 : 1;
  return 0;
}

bool AnsiSameStr(const String& a, const String& b) { return a == b; }

bool AnsiStartsText(const String& prefix, const String& text) {
  const size_t n = prefix.size();
  if (text.size() < n) return false;
  // As in AnsiCompareText: ASCII side by side, the rests folded whole from the first other byte.
  for (size_t i = 0; i < n; ++i) {
    const auto cp = static_cast<unsigned char>(prefix[i]), ct = static_cast<unsigned char>(text[i]);
    if ((cp | ct) & 0x80) return AnsiUpperCase(prefix.substr(i)) == AnsiUpperCase(text.substr(i, n - i));
    if (AsciiUpper(static_cast<char>(cp)) != AsciiUpper(static_cast<char>(ct))) return false;
  }
  return true;
}

// Folding keeps byte lengths: texts of different lengths never match.
bool AnsiSameText(const String& a, const String& b) { return a.size() == b.size() && AnsiCompareText(a, b) == 0; }

Integer Pos(std::string_view sub, std::string_view s) {
  if (sub.empty()) return 0;
  const size_t at = s.find(sub);
  return at == std::string_view::npos ? 0 : static_cast<Integer>(at + 1);
}

String Copy(const String& s, Integer index, Integer count) {
  const Int64 start = std::max<Int64>(index, 1) - 1;
  if (start >= static_cast<Int64>(s.size()) || count <= 0) return String();
  return s.substr(static_cast<size_t>(start), static_cast<size_t>(count));
}

Integer LastDelimiter(std::string_view delimiters, std::string_view s) {
  const size_t at = s.find_last_of(delimiters);
  return at == std::string_view::npos ? 0 : static_cast<Integer>(at + 1);
}

String QuotedStr(const String& s) { return AnsiQuotedStr(s, '\''); }

String AnsiQuotedStr(const String& s, Char quote) {
  String out(1, quote);
  for (char c : s) {
    out += c;
    if (c == quote) out += quote;
  }
  out += quote;
  return out;
}

String AnsiDequotedStr(const String& s, Char quote) {
  if (s.empty() || s.front() != quote) return s;
  String text;
  size_t i = 1;
  while (i < s.size()) {
    if (s[i] == quote) {
      if (i + 1 < s.size() && s[i + 1] == quote) {
        text += quote;
        i += 2;
        continue;
      }
      ++i;
      break;
    }
    text += s[i++];
  }
  // An unterminated or empty quotation that does not also end with the quote is not a quoted text.
  const bool atEnd = i >= s.size();
  if ((text.empty() || atEnd) && s.back() != quote) return s;
  return text;
}

String StringReplace(const String& s, const String& oldPattern, const String& newPattern,
                     TReplaceFlags flags) {
  if (oldPattern.empty()) return s;
  const bool ignoreCase = flags.Contains(rfIgnoreCase);
  // Case mapping keeps byte positions, so positions found in the mapped texts apply to s.
  const String haystack = ignoreCase ? Utf8UpperCase(s) : s;
  const String needle = ignoreCase ? Utf8UpperCase(oldPattern) : oldPattern;
  String out;
  size_t from = 0;
  while (from <= s.size()) {
    const size_t at = haystack.find(needle, from);
    if (at == String::npos) break;
    out.append(s, from, at - from);
    out += newPattern;
    from = at + needle.size();
    if (!flags.Contains(rfReplaceAll)) break;
  }
  out.append(s, from, String::npos);
  return out;
}

bool IsValidIdent(const String& ident, bool allowDots) {
  const auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  if (ident.empty() || !alpha(ident[0])) return false;
  for (size_t i = 1; i < ident.size(); ++i) {
    const char c = ident[i];
    if (c == '.' && allowDots) {
      // A dot must separate two identifiers.
      if (ident[i - 1] == '.' || i + 1 == ident.size() || !alpha(ident[i + 1])) return false;
      continue;
    }
    if (!alpha(c) && !digit(c)) return false;
  }
  return true;
}
