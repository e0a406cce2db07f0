#include "rtl/SysUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>

namespace {

// Fixed English settings, whatever the machine's locale.
TFormatSettings English() { return TFormatSettings(); }

TFormatSettings German() {
  TFormatSettings fs;
  fs.DecimalSeparator = ',';
  fs.ThousandSeparator = '.';
  fs.CurrencyString = "€";
  fs.CurrencyFormat = 3;
  fs.NegCurrFormat = 8;
  return fs;
}

template <typename... Args>
String F(const char* format, const Args&... args) {
  const std::array<TVarRec, sizeof...(Args)> list{TVarRec(args)...};
  return FormatArgs(format, list, English());
}

}  // namespace

TEST(Format, EachSpecifierWithWidthPrecisionAndIndex) {
  int value = 0x1234;
  struct Case {
    String got;
    const char* expected;
  };
  const Case cases[] = {
      {F("%d|%5d|%-5d|%.3d|%.3d", 42, -7, 3, 5, -5), "42|   -7|3    |005|-005"},
      {F("%d %d", Int64(-9223372036854775807LL - 1), UInt64(18446744073709551615ULL)),
       "-9223372036854775808 18446744073709551615"},
      {F("%u %u %u", -1, Int64(-1), 7u), "4294967295 18446744073709551615 7"},
      {F("%x %X %.4x %x", 255, -1, 10, Int64(-1)), "FF FFFFFFFF 000A FFFFFFFFFFFFFFFF"},
      {F("%s|%6s|%-6s|%.2s|%s", "abc", "ab", "ab", "abcdef", String("str")), "abc|    ab|ab    |ab|str"},
      {F("%s%s", 'x', std::string_view("yz")), "xyz"},
      {F("%3s|%.1s", "é", "éa"), "  é|é"},  // widths count characters, precision never splits one
      {F("%f|%.0f|%.3f|%f", 3.14159, 2.5, -0.0004, 1.005), "3.14|3|0.000|1.01"},
      {F("%e|%.3e", 1234.5, -0.000123), "1.23450000000000E+003|-1.23E-004"},
      {F("%g|%g|%g|%.3g", 0.1, 1e20, 123456.0, 3.14159), "0.1|1E20|123456|3.14"},
      {F("%n|%.0n", 1234567.891, -1234.5), "1,234,567.89|-1,235"},
      {F("%m|%m|%.0m", 5.5, -5.5, 12.0), "$5.50|($5.50)|$12"},
      {F("%1:s %0:s %s", "a", "b"), "b a b"},
      {F("%*d|%-*d|%.*f|%*.*f", 4, 1, 3, 2, 1, 2.25, 6, 2, 1.5), "   1|2  |2.3|  1.50"},
      {F("%*d|", -3, 1), "1  |"},
      {F("100%% %d%%", 5), "100% 5%"},
      {F("%D %S", 1, "a"), "1 a"},
      {F("%p", reinterpret_cast<void*>(static_cast<uintptr_t>(value))),
       sizeof(void*) == 8 ? "0000000000001234" : "00001234"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.expected);
}

TEST(Format, MismatchOrMissingArgumentRaisesConvertError) {
  struct Case {
    std::function<String()> run;
    const char* format;
  };
  const Case cases[] = {
      {[] { return F("%d", 1.5); }, "%d"},
      {[] { return F("%f", 1); }, "%f"},
      {[] { return F("%s", 1); }, "%s"},
      {[] { return F("%d", "1"); }, "%d"},
      {[] { return F("%x", true); }, "%x"},
      {[] { return F("%p", 5); }, "%p"},
      {[] { return F("%d %d", 1); }, "%d %d"},
      {[] { return F("%2:d", 1, 2); }, "%2:d"},
      {[] { return F("%*d", 2.0, 1); }, "%*d"},
      // widths from arguments have the bound of written ones: past it, the format is refused
      {[] { return F("%*d", Int64(INT64_MIN), 1); }, "%*d"},
      {[] { return F("%*d", INT32_MIN, 1); }, "%*d"},
      {[] { return F("%-*d", Int64(INT64_MAX), 1); }, "%-*d"},
      {[] { return F("%.*s", (1 << 20) + 1, "a"); }, "%.*s"},
      {[] { return F("%q", 1); }, "%q"},
      {[] { return F("abc %", 1); }, "abc %"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    try {
      c.run();
      ADD_FAILURE() << "no exception";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), String("Format '") + c.format + "' invalid or incompatible with argument");
    }
  }
}

TEST(Format, FollowsTheSettingsSeparators) {
  const TVarRec args[] = {1234567.5, -3.25};
  EXPECT_EQ(FormatArgs("%n %m", args, German()), "1.234.567,50 -3,25 €");
  EXPECT_EQ(Format("%d-%s", 7, String("x")), "7-x");
}

TEST(IntegerText, ConvertsBothWaysAndRejectsBadInput) {
  EXPECT_EQ(IntToStr(-42), "-42");
  EXPECT_EQ(IntToStr(Int64(1) << 40), "1099511627776");
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
  EXPECT_EQ(IntToHex(Int64(-1), 0), "FFFFFFFFFFFFFFFF");
  EXPECT_EQ(IntToHex(Byte(200), 1), "C8");

  struct Case {
    const char* text;
    bool valid;
    Integer value;
  };
  const Case cases[] = {
      {"0", true, 0},           {"  12", true, 12},       {"+7", true, 7},
      {"-2147483648", true, INT32_MIN}, {"2147483647", true, INT32_MAX}, {"$FF", true, 255},
      {"0x1f", true, 31},       {"$FFFFFFFF", true, -1},  {"2147483648", false, 0},
      {"-2147483649", false, 0}, {"12a", false, 0},       {"", false, 0},
      {"-", false, 0},          {"12 ", false, 0},        {"1.5", false, 0},
      {"$", false, 0},          {"$100000000", false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Integer value = 99;
    EXPECT_EQ(TryStrToInt(c.text, value), c.valid);
    EXPECT_EQ(StrToIntDef(c.text, -5), c.valid ? c.value : -5);
    if (c.valid) {
      EXPECT_EQ(value, c.value);
    } else {
      try {
        StrToInt(c.text);
        ADD_FAILURE() << "no exception";
      } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), String("'") + c.text + "' is not a valid integer value");
      }
    }
  }
  EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
  EXPECT_EQ(StrToInt64("$FFFFFFFFFFFFFFFF"), -1);
  EXPECT_EQ(StrToInt64Def("9223372036854775808", 3), 3);
  EXPECT_THROW(StrToInt64("x"), EConvertError);
}

TEST(FloatText, FormatsRoundingHalvesAwayFromZeroOnTheWrittenNumber) {
  const TFormatSettings fs = English();
  struct Case {
    double value;
    TFloatFormat format;
    int precision, digits;
    const char* expected;
  };
  const Case cases[] = {
      {0.1 + 0.2, ffGeneral, 15, 0, "0.3"},
      {1.0 / 3, ffGeneral, 15, 0, "0.333333333333333"},
      {123456789012345.0, ffGeneral, 15, 0, "123456789012345"},
      {1e15, ffGeneral, 15, 0, "1E15"},
      {0.00001, ffGeneral, 15, 0, "0.00001"},
      {0.000001, ffGeneral, 15, 0, "1E-6"},
      {-2.5e-10, ffGeneral, 15, 2, "-2.5E-10"},
      {0.0, ffGeneral, 15, 0, "0"},
      {-0.0, ffGeneral, 15, 0, "0"},
      {1234.5, ffExponent, 4, 2, "1.235E+03"},
      {0.0, ffExponent, 3, 0, "0.00E+0"},
      {1.005, ffFixed, 18, 2, "1.01"},
      {2.675, ffFixed, 18, 2, "2.68"},
      {-0.004, ffFixed, 18, 2, "0.00"},
      {999.996, ffFixed, 18, 2, "1000.00"},
      {1.23456, ffFixed, 3, 4, "1.2300"},
      {1e20, ffFixed, 15, 2, "1E20"},
      {-1234567.891, ffNumber, 18, 1, "-1,234,567.9"},
      {123.0, ffNumber, 18, 0, "123"},
      {-1234.5, ffCurrency, 18, 2, "($1,234.50)"},
      {NAN, ffGeneral, 15, 0, "NAN"},
      {-INFINITY, ffFixed, 15, 2, "-INF"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(FloatToStrF(c.value, c.format, c.precision, c.digits, fs), c.expected);
  }
  EXPECT_EQ(FloatToStr(-1.5, German()), "-1,5");
}

TEST(FloatText, FormatFloatPatterns) {
  struct Case {
    const char* pattern;
    double value;
    const char* expected;
  };
  const Case cases[] = {
      {"0.00", 1234.567, "1234.57"},
      {"#,##0.00", -1234567.5, "-1,234,567.50"},
      {"#,##0", 999.5, "1,000"},
      {"#.##", 0.5, ".5"},
      {"#.##", 0, ""},
      {"0.0#", 2, "2.0"},
      {"0.0#", 2.456, "2.46"},
      {"000", 7, "007"},
      {"00-00", 1234, "12-34"},
      {"0", 12345, "12345"},
      {"$.00", 12.5, "$12.50"},
      {"0.00E+00", 1234, "1.23E+03"},
      {"0.###E-0", 0.000123, "1.23E-4"},
      {"00.0E+0", 1234, "12.3E+2"},
      // the placeholders end at the exponent: what follows is plain text
      {"0E+0 00#", 5, "5E+0 00#"},
      {"#E-00##0.0", 123, "1E02##0.0"},
      {"#,##0;(#,##0);zero", -1234, "(1,234)"},
      {"#,##0;(#,##0);zero", 0.2, "zero"},
      {"#,##0;;zero", -5, "-5"},
      {"0.0 'kg'", 1.25, "1.3 kg"},
      {"\"#\"0", 4, "#4"},
      {"0.00", -0.001, "0.00"},
      {"", 1.5, "1.5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern);
    EXPECT_EQ(FormatFloat(c.pattern, c.value, English()), c.expected);
  }
  EXPECT_EQ(FormatFloat("#,##0.00", 1234.5, German()), "1.234,50");
}

TEST(FloatText, ReadsWithTheSettingsDecimalSeparatorOnly) {
  struct Case {
    const char* text;
    bool valid;
    double value;
  };
  const Case cases[] = {
      {"1.5", true, 1.5},      {" -2.25 ", true, -2.25}, {"+3", true, 3},     {".5", true, 0.5},
      {"5.", true, 5},         {"1e3", true, 1000},      {"1.5E-2", true, 0.015}, {"1e-400", true, 0},
      {"INF", true, INFINITY}, {"1e400", false, 0},     {"1,5", false, 0},   {"", false, 0},
      {"1.2.3", false, 0},     {"e5", false, 0},        {"1e", false, 0},    {"0x10", false, 0},
      {"1 000", false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Extended value = -99;
    ASSERT_EQ(TryStrToFloat(c.text, value, English()), c.valid);
    if (c.valid) {
      EXPECT_EQ(value, c.value);
    }
  }
  EXPECT_EQ(StrToFloat("1,5", German()), 1.5);
  EXPECT_EQ(StrToFloatDef("1.5", 7, German()), 7);
  try {
    StrToFloat("abc", English());
    ADD_FAILURE() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'abc' is not a valid floating point value");
  }
}

TEST(FloatText, CurrencyIsExactFromTheFixedPointValue) {
  EXPECT_EQ(CurrToStr(Currency(12345), English()), "1.2345");
  EXPECT_EQ(CurrToStr(Currency(-50000), English()), "-5");
  EXPECT_EQ(CurrToStr(Currency(15000), German()), "1,5");
  EXPECT_EQ(CurrToStr(INT64_MIN, English()), "-922337203685477.5808");
}

TEST(BooleanText, ConvertsBothWays) {
  EXPECT_EQ(BoolToStr(true), "-1");
  EXPECT_EQ(BoolToStr(false, true), "False");
  const std::pair<const char*, bool> valid[] = {{"true", true}, {"FALSE", false}, {"0", false}, {"-1", true}, {"2", true}};
  for (const auto& [text, expected] : valid) EXPECT_EQ(StrToBool(text), expected) << text;
  EXPECT_TRUE(StrToBoolDef("maybe", true));
  try {
    StrToBool("yes");
    ADD_FAILURE() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'yes' is not a valid boolean value");
  }
}

TEST(Text, TrimsBlanksAndControlCharacters) {
  EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
  EXPECT_EQ(TrimLeft("  a "), "a ");
  EXPECT_EQ(TrimRight("  a \x01"), "  a");
  EXPECT_EQ(Trim("é "), "é");  // bytes of multi-byte characters are not blanks
  EXPECT_EQ(Trim("   "), "");
}

TEST(Text, CaseMappingAsciiOnlyOrEveryLetter) {
  EXPECT_EQ(UpperCase("abc é"), "ABC é");
  EXPECT_EQ(LowerCase("ABC É"), "abc É");
  EXPECT_EQ(AnsiUpperCase("straße éàü ÿ ąč привет αβγς"), "STRAßE ÉÀÜ Ÿ ĄČ ПРИВЕТ ΑΒΓΣ");
  EXPECT_EQ(AnsiLowerCase("ÉÀÜ Ÿ ĄČ ПРИВЕТ ΑΒΓ"), "éàü ÿ ąč привет αβγ");
  EXPECT_EQ(AnsiUpperCase("a\xC3 b\xFF"), "A\xC3 B\xFF");  // damaged bytes stay as they are
}

TEST(Text, Comparisons) {
  struct Case {
    const char *a, *b;
    int str, text, ansiStr, ansiText;
  };
  const Case cases[] = {
      {"abc", "abc", 0, 0, 0, 0},
      {"abc", "ABC", 1, 0, -1, 0},
      {"a", "B", 1, -1, -1, -1},
      {"ab", "abc", -1, -1, -1, -1},
      {"é", "É", 1, 1, -1, 0},
      {"Ägypten", "äGYPTEN", -1, -1, 1, 0},
      {"", "a", -1, -1, -1, -1},
      // ASCII first, then letters beyond it; ASCII punctuation between the cases of a letter.
      {"Zone é", "zONE É", -1, 1, 1, 0},
      {"x[", "XA", 1, 1, -1, -1},
      {"ab_", "abé", -1, -1, -1, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(String(c.a) + " / " + c.b);
    EXPECT_EQ(CompareStr(c.a, c.b), c.str);
    EXPECT_EQ(CompareText(c.a, c.b), c.text);
    EXPECT_EQ(AnsiCompareStr(c.a, c.b), c.ansiStr);
    EXPECT_EQ(AnsiCompareText(c.a, c.b), c.ansiText);
    EXPECT_EQ(AnsiCompareStr(c.b, c.a), -c.ansiStr);
  }
  EXPECT_TRUE(SameText("Hello", "hELLO"));
  EXPECT_TRUE(AnsiSameText("ÉCOLE", "école"));
  EXPECT_FALSE(AnsiSameText("école", "écoles"));
  EXPECT_TRUE(AnsiStartsText("wmv é", "WMV Éclair"));
  EXPECT_TRUE(AnsiStartsText("", "a"));
  EXPECT_FALSE(AnsiStartsText("wmv", "WM"));
  EXPECT_FALSE(AnsiStartsText("ab_", "ABé"));
  EXPECT_TRUE(AnsiStartsText("ς", "Σ"));  // final sigma and sigma share their upper case
  EXPECT_FALSE(AnsiSameStr("a", "A"));
}

TEST(Text, PositionsQuotesAndReplacement) {
  EXPECT_EQ(Pos("lo", "hello"), 4);
  EXPECT_EQ(Pos("x", "hello"), 0);
  EXPECT_EQ(Pos("", "hello"), 0);
  EXPECT_EQ(Copy("hello", 2, 3), "ell");
  EXPECT_EQ(Copy("hello", 0, 2), "he");
  EXPECT_EQ(Copy("hello", 4, 100), "lo");
  EXPECT_EQ(Copy("hello", 9, 1), "");
  EXPECT_EQ(Copy("hello", 2, -1), "");
  EXPECT_EQ(LastDelimiter("/\\", "a/b\\c"), 4);

  EXPECT_EQ(QuotedStr("it's"), "'it''s'");
  EXPECT_EQ(AnsiQuotedStr("say \"hi\"", '"'), "\"say \"\"hi\"\"\"");
  const std::pair<const char*, const char*> dequoted[] = {
      {"'abc'", "abc"}, {"'it''s'", "it's"}, {"abc", "abc"},   {"'abc", "'abc"},
      {"''", ""},       {"'ab'cd", "ab"},    {"''x", "''x"},   {"", ""},
  };
  for (const auto& [text, expected] : dequoted) EXPECT_EQ(AnsiDequotedStr(text, '\''), expected) << text;

  EXPECT_EQ(StringReplace("a-b-c", "-", "+", {}), "a+b-c");
  EXPECT_EQ(StringReplace("a-b-c", "-", "--", {rfReplaceAll}), "a--b--c");
  EXPECT_EQ(StringReplace("Über über ÜBER", "über", "x", {rfReplaceAll, rfIgnoreCase}), "x x x");
  EXPECT_EQ(StringReplace("aaa", "aa", "a", {rfReplaceAll}), "aa");
  EXPECT_EQ(StringReplace("abc", "", "x", {rfReplaceAll}), "abc");
}

TEST(Text, ValidIdentifiers) {
  const std::pair<const char*, bool> plain[] = {{"Name", true}, {"_x1", true}, {"1x", false}, {"", false},
                                                {"a b", false}, {"a.b", false}, {"é", false}};
  for (const auto& [text, valid] : plain) EXPECT_EQ(IsValidIdent(text), valid) << text;
  const std::pair<const char*, bool> dotted[] = {{"a.b", true}, {"a..b", false}, {"a.", false}, {".a", false}, {"a.1", false}};
  for (const auto& [text, valid] : dotted) EXPECT_EQ(IsValidIdent(text, true), valid) << text;
}

TEST(SysUtils, StrPLCopyCutsOnlyBetweenCharacters) {
  char buffer[8];
  EXPECT_STREQ(StrPLCopy(buffer, "abc", 7), "abc");
  EXPECT_STREQ(StrPLCopy(buffer, "abcdefghij", 7), "abcdefg");
  EXPECT_STREQ(StrPLCopy(buffer, "abcde\xC3\xA9", 6), "abcde");  // the two-byte character does not fit
  EXPECT_STREQ(StrPLCopy(buffer, "anything", 0), "");
}
