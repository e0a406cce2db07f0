#include <gtest/gtest.h>

#include "rtl/FormatSettings.h"
#include "toolkit/editors/kvStandardMask.h"

namespace {

TEST(kvStandardMask, ParseGivesPositionsAndSuffix) {
  struct Case {
    const char* mask;
    Integer count;
    const char* emptyText;
    const char* emptyValue;
    bool keepsLiterals;
    const char* blank;
  };
  const Case kCases[] = {
      {"(999) 000-0000", 14, "(___) ___-____", "(   )    -    ", true, "_"},
      {"(999) 000-0000;0;*", 14, "(***) ***-****", "          ", false, "*"},
      {"999;0", 3, "___", "   ", false, "_"},
      {"999;1; ", 3, "   ", "   ", true, " "},
      {"999;2", 5, "___;2", "   ;2", true, "_"},
      {"999;;_", 6, "___;;_", "   ;;_", true, "_"},
      {"\\\\", 1, "\\", "\\", true, "_"},
      {"a\\", 1, "_", " ", true, "_"},
      {"!99!", 3, "__!", "  !", true, "_"},
      {">L<l<>Cc#", 5, "_____", "     ", true, "_"},
      {"_\u00e9C", 3, "_\u00e9_", "_\u00e9 ", true, "_"},
      {"", 0, "", "", true, "_"},
      // Damaged bytes are no characters: they make no position and fill none.
      {"\xC3\\\xA9", 0, "", "", true, "_"},
      {"C\xA9" "C", 2, "__", "  ", true, "_"},
  };
  TkvStandardMask mask;
  for (const Case& c : kCases) {
    mask.Parse(c.mask);
    EXPECT_EQ(mask.Count(), c.count) << c.mask;
    EXPECT_EQ(mask.EmptyText(), c.emptyText) << c.mask;
    EXPECT_EQ(mask.EmptyValue(), c.emptyValue) << c.mask;
    EXPECT_EQ(mask.GetKeepsLiterals(), c.keepsLiterals) << c.mask;
    EXPECT_EQ(mask.GetBlankChar(), c.blank) << c.mask;
    EXPECT_EQ(mask.MaskText(), c.mask);
  }
  mask.Parse("!999");
  EXPECT_TRUE(mask.GetFillFromEnd());
}

TEST(kvStandardMask, ApplyTextPlacesCharacters) {
  struct Case {
    const char* mask;
    const char* text;
    bool converted, hasLiterals;
    const char* result;
  };
  const Case kCases[] = {
      {"!999", "12", true, true, "_12"},
      {"999", "12", true, true, "12_"},
      {">LL", "ab", true, true, "AB"},
      {">LL", "ab", false, true, "ab"},
      {"000", "1a2", true, true, "12_"},
      {"(999) 000-0000", "(12) 345", true, true, "(12_) 345-____"},
      {"(999) 000-0000;0", "1234567890", true, false, "(123) 456-7890"},
      {"(999) 000-0000", "5551234567", true, false, "(555) 123-4567"},
      {"00-00", "1_-2", true, true, "1_-2_"},
      {"<ll", "XY", true, true, "xy"},
      {"CC", "\u00e9\u20ac", true, true, "\u00e9\u20ac"},
      {"00", "\u00e91", true, true, "1_"},
      {"", "abc", true, true, ""},
      {"C", "\xC3", true, true, "_"},
  };
  TkvStandardMask mask;
  for (const Case& c : kCases) {
    mask.Parse(c.mask);
    String text = c.text;
    mask.ApplyText(text, c.converted, c.hasLiterals);
    EXPECT_EQ(text, c.result) << c.mask << " " << c.text;
  }
}

TEST(kvStandardMask, ValueAndCompleteness) {
  struct Case {
    const char* mask;
    const char* text;
    const char* value;
    bool complete;
    const char* afterComplete;
  };
  const Case kCases[] = {
      {"00", "1_", "1 ", false, "1_"},
      {"09", "1_", "1 ", true, "1_"},
      {"09", "1 ", "1 ", true, "1 "},
      {">LL", "ab", "ab", true, "AB"},
      {"(999) 000-0000", "(555) 123-4567", "(555) 123-4567", true, "(555) 123-4567"},
      {"(999) 000-0000;0", "(555) 123-4567", "5551234567", true, "(555) 123-4567"},
      {"(999) 000-0000;0;*", "(***) 1**-****", "   1      ", false, "(***) 1**-****"},
      {"(999) 000-0000", "(555) 123", "(555) 123", false, "(555) 123"},
      {"##", "+_", "+ ", true, "+_"},
      {"C\u00e9", "\u20ac\u00e9", "\u20ac\u00e9", true, "\u20ac\u00e9"},
      {"", "", "", true, ""},
  };
  TkvStandardMask mask;
  for (const Case& c : kCases) {
    mask.Parse(c.mask);
    String value = c.text;
    mask.ExtractValue(value);
    EXPECT_EQ(value, c.value) << c.mask << " " << c.text;
    String text = c.text;
    EXPECT_EQ(mask.IsComplete(text), c.complete) << c.mask << " " << c.text;
    EXPECT_EQ(text, c.afterComplete) << c.mask << " " << c.text;
  }
}

TEST(kvStandardMask, SeparatorsAreTakenWhenParsed) {
  const TFormatSettings saved = FormatSettings;
  FormatSettings.DateSeparator = '.';
  FormatSettings.TimeSeparator = '-';
  TkvStandardMask mask;
  mask.Parse("99/99 90:00");
  FormatSettings = saved;
  EXPECT_EQ(mask.EmptyText(), "__.__ __-__");
}

}  // namespace
