// Edit masks: edit texts, values and validation.

#include <gtest/gtest.h>

#include "rtl/MaskUtils.h"
#include "rtl/WideText.h"

TEST(MaskUtils, FormatsValuesByTheMask) {
  struct Case {
    const char* Mask;
    const char* Value;
    const char* Text;
  };
  const Case kCases[] = {
      {"!00:00:00.000;1;_", "01:02:03.456", "01:02:03.456"},
      {"!00:00:00.000;1;_", "01:0", "01:0 :  .   "},
      {"!(999)000-0000;0;_", "5551234567", "(555)123-4567"},
      {"!(999)000-0000;0;_", "1234567", "(   )123-4567"},  // right-justified into the places
      {">LL-00;0;*", "ab12", "AB-12"},
      {"\\A00;1; ", "A12", "A12"},
      {"", "as is", "as is"},
  };
  for (const auto& c : kCases) EXPECT_EQ(FormatMaskText(c.Mask, c.Value), c.Text) << c.Mask << " " << c.Value;
}

TEST(MaskUtils, EditTextValueAndValidation) {
  TEditMask mask("!00:00:00.000;1;_");
  EXPECT_EQ(mask.Length(), 12);
  EXPECT_TRUE(mask.SaveLiterals());
  EXPECT_EQ(UTF8Encode(mask.EditTextFor(u"")), "__:__:__.___");
  EXPECT_EQ(UTF8Encode(mask.EditTextFor(u"1x:22")), "1_:22:__.___");  // x refused by a digit place
  EXPECT_EQ(UTF8Encode(mask.ValueOf(u"12:3_:__.___")), "12:3 :  .   ");
  EXPECT_EQ(mask.FirstInvalid(u"12:34:56.789"), -1);
  EXPECT_EQ(mask.FirstInvalid(u"12:3_:56.789"), 4);
  TEditMask optional("990;0;_");
  EXPECT_EQ(optional.FirstInvalid(u"__5"), -1);
  EXPECT_EQ(optional.FirstInvalid(u"5__"), 2);
  EXPECT_EQ(UTF8Encode(optional.ValueOf(u"_15")), " 15");
}
