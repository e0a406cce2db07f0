#include "rtl/Mbcs.h"
#include "rtl/UnicodeCase.h"

#include <gtest/gtest.h>

TEST(Mbcs, ByteTypesOverUtf8) {
  // "aé€😀" then a stray continuation byte and a lead byte cut short.
  const String s = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\x80\xC3";
  const TMbcsByteType expected[] = {mbSingleByte, mbLeadByte,  mbTrailByte, mbLeadByte,  mbTrailByte, mbTrailByte,
                                    mbLeadByte,   mbTrailByte, mbTrailByte, mbTrailByte, mbSingleByte, mbSingleByte};
  ASSERT_EQ(s.size(), std::size(expected));
  for (size_t i = 0; i < s.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(ByteType(s, static_cast<Integer>(i + 1)), expected[i]);
    EXPECT_EQ(StrByteType(s.c_str(), static_cast<Cardinal>(i)), expected[i]);
  }
  EXPECT_EQ(ByteType(s, 0), mbSingleByte);
  EXPECT_EQ(ByteType(s, 99), mbSingleByte);
  // Overlong and surrogate encodings are not characters.
  EXPECT_EQ(ByteType("\xC0\xAF", 1), mbSingleByte);
  EXPECT_EQ(ByteType("\xED\xA0\x80", 2), mbSingleByte);
  EXPECT_TRUE(IsLeadByte(0xC3));
  EXPECT_FALSE(IsLeadByte('a'));
  EXPECT_FALSE(IsLeadByte(0x80));
}

TEST(Mbcs, WalksCharactersForwardAndBack) {
  const char* s = "a\xC3\xA9\xE2\x82\xAC\x80z";
  const int starts[] = {0, 1, 3, 6, 7, 8};  // a, é, €, stray byte, z, terminator
  const char* p = s;
  for (size_t i = 1; i < std::size(starts); ++i) {
    p = CharNext(p);
    EXPECT_EQ(p - s, starts[i]);
  }
  EXPECT_EQ(CharNext(p), p);  // stays on the terminator
  for (size_t i = std::size(starts) - 1; i > 0; --i) {
    p = CharPrev(s, p);
    EXPECT_EQ(p - s, starts[i - 1]);
  }
  EXPECT_EQ(CharPrev(s, s), s);
  const String text = "a\xC3\xA9\xE2\x82\xAC";
  EXPECT_EQ(CharLength(text, 1), 1);
  EXPECT_EQ(CharLength(text, 2), 2);
  EXPECT_EQ(CharLength(text, 4), 3);
  EXPECT_EQ(CharLength(text, 5), 1);  // a trail byte alone
}

TEST(UnicodeCase, EncodeAndDecodeRoundTrip) {
  for (char32_t c : {char32_t(0x41), char32_t(0xE9), char32_t(0x20AC), char32_t(0x1F600)}) {
    const String text = Utf8Encode(c);
    size_t pos = 0;
    EXPECT_EQ(Utf8Decode(text, pos), c);
    EXPECT_EQ(pos, text.size());
  }
  EXPECT_EQ(Utf8Encode(0xE9), "\xC3\xA9");
}
