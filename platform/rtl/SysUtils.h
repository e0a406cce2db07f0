#pragma once
// Strings, number conversions and Format, as the framework's runtime offers them. Texts are UTF-8;
// plain routines (UpperCase, CompareText) work on ASCII letters only, the Ansi ones on every letter.

#include <array>
#include <concepts>
#include <span>
#include <string_view>
#include <type_traits>

#include "rtl/Exceptions.h"
#include "rtl/FormatSettings.h"
#include "rtl/Sets.h"
#include "rtl/Types.h"

// ---- Format ---------------------------------------------------------------------------------

// One argument of Format, the framework's "array of const" element. It is built implicitly from
// the C++ value, so Format("%s: %d", name, count) reads as the framework's Format call does.
class TVarRec {
 public:
  enum TVarType : Byte { vtInteger, vtInt64, vtUInt64, vtExtended, vtString, vtChar, vtPointer, vtBoolean };

  TVarRec(bool value) : FType(vtBoolean), FInt(value) {}
  TVarRec(char value) : FType(vtChar), FChar(value) {}
  template <typename T>
    requires(std::integral<T> && !std::same_as<T, bool> && !std::same_as<T, char>)
  TVarRec(T value) : FType(IntType<T>()), FInt(static_cast<Int64>(value)), FUInt(static_cast<UInt64>(value)) {}
  template <typename T>
    requires std::is_enum_v<T>
  TVarRec(T value) : TVarRec(static_cast<std::underlying_type_t<T>>(value)) {}
  template <typename T>
    requires std::floating_point<T>
  TVarRec(T value) : FType(vtExtended), FFloat(static_cast<Extended>(value)) {}
  TVarRec(const char* value) : FType(vtString), FString(value ? value : "") {}
  TVarRec(const String& value) : FType(vtString), FString(value) {}
  TVarRec(std::string_view value) : FType(vtString), FString(value) {}
  template <typename T>
    requires(!std::same_as<std::remove_cv_t<T>, char>)
  TVarRec(T* value) : FType(vtPointer), FPointer(value) {}
  TVarRec(std::nullptr_t) : FType(vtPointer) {}

  TVarType VType() const { return FType; }
  Int64 AsInt64() const { return FInt; }
  UInt64 AsUInt64() const { return FUInt; }
  Extended AsExtended() const { return FFloat; }
  std::string_view AsString() const { return FType == vtChar ? std::string_view(&FChar, 1) : FString; }
  const void* AsPointer() const { return FPointer; }

 private:
  template <typename T>
  static constexpr TVarType IntType() {
    if constexpr (std::is_signed_v<T>) return sizeof(T) <= 4 ? vtInteger : vtInt64;
    else return sizeof(T) < 4 ? vtInteger : vtUInt64;
  }

  TVarType FType;
  Int64 FInt = 0;
  UInt64 FUInt = 0;
  Extended FFloat = 0;
  std::string_view FString;  // a view of the caller's text, which outlives the Format call
  const void* FPointer = nullptr;
  char FChar = 0;
};

// Format with the specifiers %d %u %x %s %f %g %e %n %m %p, "%[index:][-][width][.precision]type",
// '*' taking width or precision from the arguments, and "%%". A specifier that does not fit its
// argument, or runs out of arguments, raises EConvertError.
String FormatArgs(const String& format, std::span<const TVarRec> args);
String FormatArgs(const String& format, std::span<const TVarRec> args, const TFormatSettings& settings);

template <typename... Args>
String Format(const String& format, const Args&... args) {
  const std::array<TVarRec, sizeof...(Args)> list{TVarRec(args)...};
  return FormatArgs(format, list);
}

// ---- Integers -------------------------------------------------------------------------------

template <typename T>
  requires(std::integral<T> && !std::same_as<T, bool>)
String IntToStr(T value) {
  return std::to_string(value);
}
// Hexadecimal, upper case, at least `digits` digits; negative values print as their two's complement
// of the argument's width (at least 32 bits).
namespace sysutils_detail {
String HexText(UInt64 value, Integer digits);
}
template <typename T>
  requires(std::integral<T> && !std::same_as<T, bool>)
String IntToHex(T value, Integer digits) {
  constexpr size_t bytes = sizeof(T) < 4 ? 4 : sizeof(T);
  const UInt64 mask = bytes >= 8 ? ~UInt64{0} : (UInt64{1} << (bytes * 8)) - 1;
  return sysutils_detail::HexText(static_cast<UInt64>(static_cast<Int64>(value)) & mask, digits);
}

// Decimal with an optional sign, or hexadecimal with '$' or "0x"; leading blanks are allowed.
Integer StrToInt(const String& s);
Integer StrToIntDef(const String& s, Integer defaultValue);
bool TryStrToInt(const String& s, Integer& value);
Int64 StrToInt64(const String& s);
Int64 StrToInt64Def(const String& s, Int64 defaultValue);
bool TryStrToInt64(const String& s, Int64& value);

// ---- Floating point -------------------------------------------------------------------------

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// Decimal rounding is half away from zero on the shortest text that reads back as the same double,
// so 1.005 shows as "1.01" with two decimals, as the number was written.
String FloatToStr(Extended value);
String FloatToStr(Extended value, const TFormatSettings& settings);
String FloatToStrF(Extended value, TFloatFormat format, Integer precision, Integer digits);
String FloatToStrF(Extended value, TFloatFormat format, Integer precision, Integer digits,
                   const TFormatSettings& settings);
// Pattern with '0' '#' '.' ',' "E+00" 'literal' "literal" and up to three ';' sections.
String FormatFloat(const String& format, Extended value);
String FormatFloat(const String& format, Extended value, const TFormatSettings& settings);
// Currency is the fixed-point value * 10000.
String CurrToStr(Currency value);
String CurrToStr(Currency value, const TFormatSettings& settings);
String CurrToStr(Double value) = delete;  // a Double here would be truncated, not scaled

Extended StrToFloat(const String& s);
Extended StrToFloat(const String& s, const TFormatSettings& settings);
Extended StrToFloatDef(const String& s, Extended defaultValue);
Extended StrToFloatDef(const String& s, Extended defaultValue, const TFormatSettings& settings);
bool TryStrToFloat(const String& s, Extended& value);
bool TryStrToFloat(const String& s, Extended& value, const TFormatSettings& settings);

// ---- Booleans -------------------------------------------------------------------------------

// "-1"/"0", or "True"/"False" when useBoolStrs.
String BoolToStr(bool value, bool useBoolStrs = false);
// "True"/"False" in any case, or any number (non-zero is True).
bool StrToBool(const String& s);
bool StrToBoolDef(const String& s, bool defaultValue);
bool TryStrToBool(const String& s, bool& value);

// ---- Text -----------------------------------------------------------------------------------

// Blanks are spaces and control characters.
String Trim(const String& s);
// Copies at most MaxLen bytes of Source into Dest and ends it with a zero; a character that would
// not fit whole is left out. Answers Dest.
char* StrPLCopy(char* Dest, const String& Source, Cardinal MaxLen);
String TrimLeft(const String& s);
String TrimRight(const String& s);

String UpperCase(const String& s);
String LowerCase(const String& s);
String AnsiUpperCase(const String& s);
String AnsiLowerCase(const String& s);

// Comparisons answer < 0, 0 or > 0.
Integer CompareStr(const String& a, const String& b);
Integer CompareText(const String& a, const String& b);
bool SameText(const String& a, const String& b);
// Letters compare by their case-folded code points; for AnsiCompareStr, texts that differ only in
// case order lower case first, as the locale order does.
Integer AnsiCompareStr(const String& a, const String& b);
Integer AnsiCompareText(const String& a, const String& b);
bool AnsiSameStr(const String& a, const String& b);
bool AnsiSameText(const String& a, const String& b);
// True when text begins with prefix, letters compared in upper case (AnsiUpperCase of both).
bool AnsiStartsText(const String& prefix, const String& text);

// 1-based positions as the framework counts: Pos answers 0 when absent; Copy clips to the text.
Integer Pos(std::string_view sub, std::string_view s);
String Copy(const String& s, Integer index, Integer count);
// Position (1-based) of the last character of s that is one of delimiters, 0 when none.
Integer LastDelimiter(std::string_view delimiters, std::string_view s);

String QuotedStr(const String& s);
String AnsiQuotedStr(const String& s, Char quote);
// Removes the quotes and undoubles inner ones; text that is not quoted comes back unchanged.
String AnsiDequotedStr(const String& s, Char quote);

enum TReplaceFlag { rfReplaceAll, rfIgnoreCase };
using TReplaceFlags = TSet<TReplaceFlag, 2>;
String StringReplace(const String& s, const String& oldPattern, const String& newPattern,
                     TReplaceFlags flags);

bool IsValidIdent(const String& ident, bool allowDots = false);
