#include <gtest/gtest.h>

#include <memory>

#include "rtl/FormatSettings.h"
#include "rtl/UnicodeCase.h"
#include "toolkit/editors/kvRegExpr.h"

namespace {

// The full texts of the errors a mask compiles with, one a line; "" when it compiles.
String CompileErrors(TkvRegExpr& expr, const String& mask) {
  try {
    expr.Compile(mask);
  } catch (const EkvRegExprError& e) {
    EXPECT_FALSE(expr.IsCompiled());
    return e.Message();
  }
  EXPECT_TRUE(expr.IsCompiled());
  return "";
}

String CompileErrors(const String& mask) {
  TkvRegExpr expr;
  return CompileErrors(expr, mask);
}

std::vector<String> Chars(const String& text) {
  std::vector<String> chars;
  for (size_t pos = 0; pos < text.size();) {
    const size_t start = pos;
    Utf8Decode(text, pos);
    chars.push_back(text.substr(start, pos - start));
  }
  return chars;
}

// Compiles mask and types keys ("~" steps back). The trace holds, after the compilation and
// after each key: the accepted character or "x", "B"/"b" for a step back taken or refused,
// "+c" for each completed literal, "-" for each one taken back, "$" when the text is complete.
String Trace(const String& mask, const String& keys, bool caseInsensitive = false, bool autoComplete = false) {
  TkvRegExpr expr;
  String trace, events;
  expr.OnCharAdded = [&](const String& c) { events += "+" + c; };
  expr.OnCharRemoved = [&] { events += "-"; };
  expr.SetCaseInsensitive(caseInsensitive);
  expr.SetAutoComplete(autoComplete);
  expr.Compile(mask);
  auto whole = [&] {
    trace += events;
    events.clear();
    if (expr.AcceptsWhole()) trace += "$";
  };
  whole();
  for (String key : Chars(keys)) {
    if (key == "~") trace += expr.StepBack() ? "B" : "b";
    else trace += expr.Advance(key) ? key : "x";
    whole();
  }
  return trace;
}

TEST(kvRegExpr, CompilerReportsErrorsWithPositions) {
  struct Case {
    const char* mask;
    const char* errors;
  };
  const Case kCases[] = {
      {"abc", ""},
      {"a b c", ""},
      {"'a b'", ""},
      {"''''", ""},
      {"a*?", ""},
      {"[a-]", ""},
      {"[-a]", ""},
      {"'abc", "Line1, Char5: Missing ' ' '"},
      {"(a|b", "Missing ')'"},
      {"a)", "Unnecessary ')'"},
      {")(", "Line1, Char1: Illegal ')'\nThe alternative should not be empty"},
      {"[]", "Line1, Char2: Can't create empty enumeration"},
      {"[^]", "Line1, Char3: Can't create empty enumeration"},
      {"[z-a]", "Line1, Char4: The starting character of the subrange must be less than the finishing one"},
      {"[a-a]", "Line1, Char4: The starting character of the subrange must be less than the finishing one"},
      {"[a-b-c]", "Line1, Char5: Illegal '-'"},
      {"\\x4", "Line1, Char4: Hexadecimal number expected"},
      {"\\x4g", "Line1, Char4: Hexadecimal number expected but 'g' found"},
      {"a\\ b", "Line1, Char3: The space character is not allowed after '\\'"},
      {"a{2,1}", "Line1, Char5: Incorrect parameter quantifier\nLine1, Char6: Illegal '}'"},
      {"a{,3}",
       "Line1, Char3: Incorrect parameter quantifier\nLine1, Char4: Illegal integer value\nLine1, Char5: Illegal '}'"},
      {"a{x}", "Line1, Char3: Illegal 'x'"},
      {"*a", "Line1, Char1: Illegal quantifier '*'"},
      {"a?*", "Line1, Char3: The '*' quantifier cannot be applied here"},
      {"a?+", "Line1, Char3: The '+' quantifier cannot be applied here"},
      {"a?{2}", "Line1, Char3: The parameter quantifier cannot be applied here"},
      {"{2}", "Line1, Char1: Incorrect parameter quantifier\nLine1, Char2: Illegal integer value\nLine1, Char3: Illegal '}'"},
      {"(a\\2)(b)", "Line1, Char3: Too big reference number"},
      {"|a", "Line1, Char1: The alternative should not be empty"},
      {"a|", "The alternative should not be empty"},
      {"  \t\r\n", "The source stream is empty"},
      {"ab\r\nc|*", "Line2, Char3: Illegal quantifier '*'"},
  };
  for (const Case& c : kCases) EXPECT_EQ(CompileErrors(c.mask), c.errors) << c.mask;
}

TEST(kvRegExpr, HostileMasksEndBounded) {
  struct Case {
    String mask;
    const char* errors;
    const char* feed;  // typed 40 times when the mask compiles
  };
  const Case kCases[] = {
      {"(a?){2,}", "Line1, Char5: The parameter quantifier cannot be applied here", ""},
      {"(a{0}){1,}", "Line1, Char7: The parameter quantifier cannot be applied here", ""},
      {"((a?)){3,}", "Line1, Char7: The parameter quantifier cannot be applied here", ""},
      {"(\\d+)+", "", "5"},
      {"((((a)+)+)+)+", "", "a"},
      {"(a|a)*", "", "a"},
      {"(a*)*", "Line1, Char5: The '*' quantifier cannot be applied here", ""},
      {"a**", "Line1, Char3: The '*' quantifier cannot be applied here", ""},
      {"a{99999999999}", "Line1, Char3: Illegal integer value\nLine1, Char14: Illegal '}'", ""},
      {"a{2147483647}", "Line1, Char2: Incorrect parameter quantifier", ""},
      {"((a{100}){100}){100}", "Line1, Char10: Incorrect parameter quantifier", ""},
      {"(a{0}){2000000}", "Line1, Char7: Incorrect parameter quantifier", ""},
      {"|", "Line1, Char1: The alternative should not be empty\nThe alternative should not be empty", ""},
      {"||",
       "Line1, Char1: The alternative should not be empty\nLine1, Char2: The alternative should not be empty\n"
       "The alternative should not be empty",
       ""},
      {"(|)", "Line1, Char2: The alternative should not be empty\nLine1, Char3: The block should not be empty", ""},
      {"(a|)", "Line1, Char4: The block should not be empty", ""},
      {"()", "Line1, Char2: The block should not be empty", ""},
      {"[abc", "Line1, Char5: Missing ']'", ""},
      {"[", "Line1, Char2: Missing ']'", ""},
      {"[^", "Line1, Char3: Missing ']'", ""},
      {"[a-", "Line1, Char4: Missing ']'", ""},
      {"{", "Line1, Char2: Missing '}'", ""},
      {"a{3", "Line1, Char4: Missing '}'", ""},
      {"\\x", "Line1, Char3: Hexadecimal number expected", ""},
      {String(10000, '(') + "a" + String(10000, ')'), "Line1, Char65: Illegal '('", ""},
      {"a" + String(10000, '?'), "Line1, Char67: Illegal quantifier '?'", ""},
      {[] { String s = "a"; for (int i = 0; i < 5000; ++i) s += "{1}"; return s; }(),
       "Line1, Char194: Incorrect parameter quantifier", ""},
      {String(100000, 'a'), "Line1, Char4097: Illegal 'a'", ""},
  };
  for (const Case& c : kCases) {
    TkvRegExpr expr;
    ASSERT_EQ(CompileErrors(expr, c.mask), c.errors) << c.mask.substr(0, 40);
    if (!*c.feed) continue;
    for (int i = 0; i < 40; ++i) {
      String ch = c.feed;
      ASSERT_TRUE(expr.Advance(ch)) << c.mask;
      EXPECT_LE(expr.Automat().Current().Count(), 4u) << c.mask;
      EXPECT_LE(expr.Automat().LastVisits(), 64) << c.mask;
    }
    EXPECT_TRUE(expr.AcceptsWhole()) << c.mask;
  }
}

TEST(kvRegExpr, MatchingFollowsTheMask) {
  struct Case {
    const char* mask;
    const char* keys;
    bool caseInsensitive, autoComplete;
    const char* trace;
  };
  const Case kCases[] = {
      {"a?", "aa", false, false, "$a$x$"},
      {"abc", "abcd", false, false, "abc$x$"},
      {"abc", "~", false, false, "b"},
      {"abc", "ab~~~", false, false, "abBBb"},
      {"xa?", "xaa", false, false, "x$a$x$"},
      {"a b c", "abc", false, false, "abc$"},
      {"'a b'", "a b", false, false, "a b$"},
      {"''''", "'", false, false, "'$"},
      {"[a-]", "-", false, false, "-$"},
      {"[-a]", "a", false, false, "a$"},
      {"[\\1]", "1", false, false, "1$"},
      {"\\0\\q\\x41", "0qA", false, false, "0qA$"},
      {"[^a-c]", "bd", false, false, "xd$"},
      {"\\w\\W\\d\\D\\s\\S", "_!5x a", false, false, "_!5x a$"},
      {"a{2,4}", "aaaaa", false, false, "aa$a$a$x$"},
      {"a{2,}", "aaaa", false, false, "aa$a$a$"},
      {"a+{0,1}", "aa", false, false, "$a$x$"},
      {"a{0}b", "ab", false, false, "xb$"},
      {"(ab)\\1", "abab", false, false, "abab$"},
      {"(a|bc)+d", "abcad", false, false, "abcad$"},
      {"a*?b", "aab", false, false, "aab$"},
      // A block that may match nothing does not hold back the completion.
      {"x(a?)", "xa", false, false, "x$a$"},
      {"xa{0,2}", "xaaa", false, false, "x$a$a$x$"},
      {"(a?)", "", false, false, "$"},
      // Case: the mask's own character is handed back; ranges never fold.
      {"(AM|PM)", "p", true, true, "P+M$"},
      {"[A-Z]", "a", true, false, "x"},
      {"\u00e9", "\u00c9", true, false, "\u00e9$"},
      // Forced literals.
      {"abc", "", false, true, "+a+b+c$"},
      {"\\d\\d:\\d\\d", "12~3", false, true, "12+:B-3+:"},
      {"(a|b)c", "a", false, true, "a+c$"},
      {"a?c", "c", false, true, "c$"},
      // Whole characters: ranges compare code points, \xHH is that code point.
      {"[\u00e0-\u00f6]\\xe9", "\u00e9\u00e9", false, false, "\u00e9\u00e9$"},
      {"..", "\u20ac\u00e9", false, false, "\u20ac\u00e9$"},
      // A byte that is no whole character is never taken, nor is it part of a mask.
      {"C\xC3.", "\xC3" "C\xA9", false, false, "xCx"},
  };
  for (const Case& c : kCases)
    EXPECT_EQ(Trace(c.mask, c.keys, c.caseInsensitive, c.autoComplete), c.trace) << c.mask;
}

TEST(kvRegExpr, ReferenceRepeatsThePatternOfItsBlock) {
  for (const char* keys : {"ababa", "abab~b", "aba~a"})
    EXPECT_EQ(Trace("(ab)\\1", keys), Trace("(ab)(ab)", keys)) << keys;
  EXPECT_EQ(Trace("(a|b)\\1", "ab"), "ab$");
}

TEST(kvRegExpr, SeparatorsFollowTheRegionalSettings) {
  const TFormatSettings saved = FormatSettings;
  FormatSettings.TimeSeparator = '.';
  FormatSettings.DateSeparator = '-';
  FormatSettings.DecimalSeparator = ',';
  EXPECT_EQ(Trace("\\d:\\d/\\p", "1.2-,"), "1.2-,$");
  EXPECT_EQ(Trace("\\d:\\d", "1:"), "1x");
  FormatSettings = saved;
}

TEST(kvRegExpr, FeedTextAndRecompilation) {
  TkvRegExpr expr;
  String accepted;
  EXPECT_THROW(expr.FeedText("1", accepted), EkvEditError);
  try {
    expr.AcceptsWhole();
  } catch (const EkvEditError& e) {
    EXPECT_EQ(e.Message(), "Regular expression is not compiled");
  }
  EXPECT_EQ(CompileErrors(expr, "(a|b"), "Missing ')'");
  EXPECT_EQ(expr.CompiledSource(), nullptr);
  EXPECT_TRUE(expr.Lexems().empty());
  EXPECT_EQ(CompileErrors(expr, "\\d\\d"), "");
  EXPECT_TRUE(expr.Errors().empty());
  EXPECT_EQ(expr.Lexems().size(), 2u);
  expr.FeedText("a1b2", accepted);
  EXPECT_EQ(accepted, "12");
  EXPECT_TRUE(expr.AcceptsWhole());
  TStringStream copy;
  copy.CopyFrom(expr.CompiledSource(), 0);
  EXPECT_EQ(copy.GetDataString(), "\\d\\d");
  expr.Restart();
  EXPECT_TRUE(expr.AtStart());
}

TEST(kvRegExpr, ErrorOutlivesTheExpression) {
  std::unique_ptr<EkvRegExprError> error;
  {
    TkvRegExpr expr;
    try {
      expr.Compile("*a|");
    } catch (const EkvRegExprError& e) {
      error = std::make_unique<EkvRegExprError>(e);
    }
    EXPECT_THROW(expr.Compile(static_cast<TStream*>(nullptr)), EkvRegExprError);
    EXPECT_EQ(expr.Errors().at(0).Message, "The source stream is not assigned");
  }
  ASSERT_TRUE(error);
  ASSERT_EQ(error->Errors().size(), 2u);
  EXPECT_EQ(error->Errors()[0].FullText(), "Line1, Char1: Illegal quantifier '*'");
  EXPECT_EQ(error->Errors()[1].Line, 0);
}

}  // namespace
