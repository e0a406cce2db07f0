#include "rtl/SysUtils.h"

#include <algorithm>
#include <optional>

namespace {

class TFormatter {
 public:
  TFormatter(const String& format, std::span<const TVarRec> args, const TFormatSettings& settings)
      : FFormat(format), FArgs(args), FSettings(settings) {}

  String Run() {
    String out;
    while (FPos < FFormat.size()) {
      const char c = FFormat[FPos++];
      if (c != '%') {
        out += c;
      } else if (Peek() == '%') {
        out += '%';
        ++FPos;
      } else {
        out += Specifier();
      }
    }
    return out;
  }

 private:
  [[noreturn]] void Invalid() const {
    throw EConvertError("Format '" + FFormat + "' invalid or incompatible with argument");
  }

  char Peek() const { return FPos < FFormat.size() ? FFormat[FPos] : '\0'; }

  const TVarRec& NextArg() {
    if (FArg >= FArgs.size()) Invalid();
    return FArgs[FArg++];
  }

  // Counts beyond this are nonsense: a written one stops there, one from an argument is refused.
  static constexpr Int64 MaxCount = 1 << 20;

  // A count written in the format, or '*' taking it from the next argument.
  std::optional<Int64> Number() {
    if (Peek() == '*') {
      ++FPos;
      const TVarRec& arg = NextArg();
      if (arg.VType() != TVarRec::vtInteger && arg.VType() != TVarRec::vtInt64) Invalid();
      const Int64 value = arg.AsInt64();
      if (value < -MaxCount || value > MaxCount) Invalid();
      return value;
    }
    if (Peek() < '0' || Peek() > '9') return std::nullopt;
    Int64 value = 0;
    while (Peek() >= '0' && Peek() <= '9') value = std::min<Int64>(value * 10 + (FFormat[FPos++] - '0'), MaxCount);
    return value;
  }

  String Specifier() {
    bool left = false;
    std::optional<Int64> width = Number();
    if (width && Peek() == ':') {
      ++FPos;
      FArg = static_cast<size_t>(std::max<Int64>(*width, 0));
      width.reset();
    }
    if (!width) {
      if (Peek() == '-') {
        left = true;
        ++FPos;
      }
      width = Number();
    }
    std::optional<Int64> precision;
    if (Peek() == '.') {
      ++FPos;
      precision = Number().value_or(0);
    }
    if (FPos >= FFormat.size()) Invalid();
    const char type = static_cast<char>(FFormat[FPos++] & ~0x20);  // letters in either case
    String text = Convert(type, NextArg(), precision);
    Int64 w = width.value_or(0);
    if (w < 0) {
      left = true;
      w = -w;
    }
    const Int64 length = CharCount(text);
    if (length < w) {
      const String pad(static_cast<size_t>(w - length), ' ');
      text = left ? text + pad : pad + text;
    }
    return text;
  }

  String Convert(char type, const TVarRec& arg, std::optional<Int64> precision) {
    const auto isInteger = arg.VType() == TVarRec::vtInteger || arg.VType() == TVarRec::vtInt64 ||
                           arg.VType() == TVarRec::vtUInt64;
    const int digits = static_cast<int>(std::min<Int64>(precision.value_or(-1), MaxCount));
    switch (type) {
      case 'D':
      case 'U':
      case 'X': {
        if (!isInteger) Invalid();
        if (type == 'D') {
          if (arg.VType() == TVarRec::vtUInt64) return ZeroPad(std::to_string(arg.AsUInt64()), digits);
          const Int64 v = arg.AsInt64();
          const String magnitude = std::to_string(v < 0 ? 0 - static_cast<UInt64>(v) : static_cast<UInt64>(v));
          return (v < 0 ? "-" : "") + ZeroPad(magnitude, digits);
        }
        // Unsigned and hexadecimal texts show the bit pattern of the argument's width.
        UInt64 bits = arg.AsUInt64();
        if (arg.VType() == TVarRec::vtInteger) bits &= 0xFFFFFFFFu;
        if (type == 'U') return ZeroPad(std::to_string(bits), digits);
        return sysutils_detail::HexText(bits, digits);
      }
      case 'E':
      case 'F':
      case 'G':
      case 'N':
      case 'M': {
        if (arg.VType() != TVarRec::vtExtended) Invalid();
        const Extended v = arg.AsExtended();
        switch (type) {
          case 'E': return FloatToStrF(v, ffExponent, precision ? digits : 15, 3, FSettings);
          case 'F': return FloatToStrF(v, ffFixed, 18, precision ? digits : 2, FSettings);
          case 'G': return FloatToStrF(v, ffGeneral, precision ? digits : 15, 0, FSettings);
          case 'N': return FloatToStrF(v, ffNumber, 18, precision ? digits : 2, FSettings);
          default: return FloatToStrF(v, ffCurrency, 18, precision ? digits : FSettings.CurrencyDecimals, FSettings);
        }
      }
      case 'S': {
        if (arg.VType() != TVarRec::vtString && arg.VType() != TVarRec::vtChar) Invalid();
        std::string_view s = arg.AsString();
        if (precision) s = CharPrefix(s, *precision);
        return String(s);
      }
      case 'P': {
        if (arg.VType() != TVarRec::vtPointer) Invalid();
        return sysutils_detail::HexText(reinterpret_cast<uintptr_t>(arg.AsPointer()),
                                        static_cast<Integer>(sizeof(void*) * 2));
      }
      default:
        Invalid();
    }
  }

  static String ZeroPad(const String& digits, int count) {
    if (count <= static_cast<int>(digits.size())) return digits;
    return String(static_cast<size_t>(count) - digits.size(), '0') + digits;
  }

  // Widths and string precisions count characters, not the bytes of their UTF-8 form.
  static bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

  static Int64 CharCount(std::string_view s) {
    Int64 count = 0;
    for (char c : s)
      if (!IsContinuation(c)) ++count;
    return count;
  }

  static std::string_view CharPrefix(std::string_view s, Int64 count) {
    size_t end = 0;
    for (Int64 n = 0; end < s.size(); ++end) {
      if (!IsContinuation(s[end]) && n++ == count) break;
    }
    return s.substr(0, end);
  }

  const String& FFormat;
  std::span<const TVarRec> FArgs;
  const TFormatSettings& FSettings;
  size_t FPos = 0;
  size_t FArg = 0;
};

}  // namespace

String FormatArgs(const String& format, std::span<const TVarRec> args, const TFormatSettings& settings) {
  return TFormatter(format, args, settings).Run();
}

String FormatArgs(const String& format, std::span<const TVarRec> args) {
  return FormatArgs(format, args, FormatSettings);
}
