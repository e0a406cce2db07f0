#include "rtl/Variants.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(Variants, KindsOfConstructedValues) {
  struct Case {
    Variant value;
    TVarType type;
  };
  const Case kCases[] = {
      {Variant(), varEmpty},         {Null(), varNull},
      {Variant(true), varBoolean},   {Variant(Integer{5}), varInteger},
      {Variant(Int64{5}), varInt64}, {Variant(SmallInt{5}), varSmallint},
      {Variant(ShortInt{5}), varShortInt}, {Variant(Byte{5}), varByte},
      {Variant(Word{5}), varWord},   {Variant(Cardinal{5}), varLongWord},
      {Variant(1.5f), varSingle},    {Variant(1.5), varDouble},
      {Variant("text"), varString},  {Variant(u"wide"), varOleStr},
      {VarFromCurrency(15000), varCurrency}, {VarFromDateTime(45000.5), varDate},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(VarTypeAsText(c.type));
    EXPECT_EQ(VarType(c.value), c.type);
  }
  EXPECT_TRUE(VarIsNull(Null()));
  EXPECT_TRUE(VarIsEmpty(Unassigned()));
  EXPECT_TRUE(VarIsClear(Variant()));
  EXPECT_FALSE(VarIsClear(Null()));
}

TEST(Variants, ToText) {
  struct Case {
    Variant value;
    const char* text;
  };
  const Case kCases[] = {
      {Variant(), ""},          {Null(), ""},
      {Variant(true), "True"},  {Variant(false), "False"},
      {Variant(-42), "-42"},    {Variant(Int64{1} << 40), "1099511627776"},
      {Variant(2.5), "2.5"},    {Variant(0.1f), "0.1"},
      {VarFromCurrency(12345), "1.2345"},
      {Variant(u"Grüße"), "Grüße"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(VarToStr(c.value), c.text);
  }
  EXPECT_EQ(VarToStrDef(Null(), "none"), "none");
  EXPECT_EQ(VarToStrDef(Variant(), "none"), "");
  EXPECT_EQ(VarToWideStr(Variant("Grüße")), u"Grüße");
}

TEST(Variants, AsTypeConversions) {
  EXPECT_EQ(VarAsType(Variant("42"), varInteger).AsInteger(), 42);
  EXPECT_EQ(VarType(VarAsType(Variant("42"), varInteger)), varInteger);
  EXPECT_EQ(VarAsType(Variant(2.5), varInteger).AsInteger(), 2);  // half to even
  EXPECT_EQ(VarAsType(Variant(3.5), varInteger).AsInteger(), 4);
  EXPECT_EQ(VarAsType(Variant(" 7 "), varDouble).AsDouble(), 7.0);
  EXPECT_EQ(VarAsType(Variant(true), varInteger).AsInteger(), -1);
  EXPECT_EQ(VarAsType(Variant("true"), varBoolean).AsBoolean(), true);
  EXPECT_EQ(VarAsType(Variant(0), varBoolean).AsBoolean(), false);
  EXPECT_EQ(VarAsType(Variant(2), varCurrency).AsCurrency(), 20000);
  EXPECT_EQ(VarAsType(VarFromCurrency(25000), varInteger).AsInteger(), 2);
  EXPECT_EQ(VarAsType(Variant(), varInteger).AsInteger(), 0);
  EXPECT_EQ(VarType(VarAsType(Variant(1), varOleStr)), varOleStr);
  EXPECT_TRUE(VarIsNull(VarAsType(Variant(1), varNull)));
}

TEST(Variants, FailedConversionsRaise) {
  struct Case {
    Variant value;
    TVarType to;
    const char* message;
  };
  const Case kCases[] = {
      {Variant("abc"), varInteger, "Could not convert variant of type (String) into type (Integer)"},
      {Variant(u"abc"), varDouble, "Could not convert variant of type (OleStr) into type (Double)"},
      {Null(), varInteger, "Could not convert variant of type (Null) into type (Integer)"},
      {Null(), varString, "Could not convert variant of type (Null) into type (String)"},
      {Variant("maybe"), varBoolean, "Could not convert variant of type (String) into type (Boolean)"},
      {Variant(300), varByte, "Overflow while converting variant of type (Integer) into type (Byte)"},
      {Variant(1e20), varInteger, "Overflow while converting variant of type (Double) into type (Integer)"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.message);
    try {
      VarAsType(c.value, c.to);
      FAIL() << "converted";
    } catch (const EVariantError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
  EXPECT_THROW(Variant(Int64{1} << 40).AsInteger(), EVariantOverflowError);
}

TEST(Variants, Comparison) {
  struct Case {
    Variant a;
    Variant b;
    int order;  // -1 a < b, 0 equal, 1 a > b
  };
  const Case kCases[] = {
      {Variant(2), Variant(10), -1},          {Variant(2), Variant(2.0), 0},
      {Variant("10"), Variant(9), 1},         // text against a number compares as numbers
      {Variant("10"), Variant("9"), -1},      // two texts compare as text
      {Variant("abc"), Variant(u"abc"), 0},   {Variant(true), Variant(false), 1},
      {Variant(true), Variant(-1), 0},        {Variant(true), Variant("True"), 0},
      {Null(), Variant(-1000), -1},           {Null(), Variant(""), -1},
      {Variant(5), Null(), 1},                {Null(), Null(), 0},
      {Variant(), Variant(0), 0},             {Variant(), Variant(""), 0},
      {Variant(), Variant(1), -1},            {VarFromCurrency(15000), Variant(1.5), 0},
      {Variant(Int64{1} << 40), Variant(1), 1},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(VarToStr(c.a) + " vs " + VarToStr(c.b));
    EXPECT_EQ(c.a == c.b, c.order == 0);
    EXPECT_EQ(c.a < c.b, c.order < 0);
    EXPECT_EQ(c.a > c.b, c.order > 0);
  }
  EXPECT_FALSE(Null() == Variant(0));
  EXPECT_THROW((void)(Variant("abc") == Variant(1)), EVariantTypeCastError);
}

TEST(Variants, Arithmetic) {
  EXPECT_EQ(VarType(Variant(2) + Variant(3)), varInteger);
  EXPECT_EQ((Variant(2) + Variant(3)).AsInteger(), 5);
  EXPECT_EQ(VarType(Variant(2147483647) + Variant(1)), varInt64);  // grows instead of wrapping
  EXPECT_EQ((Variant(2147483647) + Variant(1)).AsInt64(), 2147483648LL);
  EXPECT_EQ((Variant(7) - Variant(10)).AsInteger(), -3);
  EXPECT_EQ((Variant(6) * Variant(7)).AsInteger(), 42);
  EXPECT_EQ(VarType(Variant(7) / Variant(2)), varDouble);
  EXPECT_DOUBLE_EQ((Variant(7) / Variant(2)).AsDouble(), 3.5);
  EXPECT_DOUBLE_EQ((Variant(1.5) + Variant(1)).AsDouble(), 2.5);
  EXPECT_EQ(VarToStr(Variant("ab") + Variant("cd")), "abcd");
  EXPECT_EQ((Variant("40") + Variant(2)).AsInteger(), 42);
  EXPECT_EQ((VarFromCurrency(15000) * Variant(3)).AsCurrency(), 45000);
  EXPECT_EQ(VarType(VarFromDateTime(45000) + Variant(1)), varDate);
  EXPECT_TRUE(VarIsNull(Null() + Variant(1)));
  EXPECT_THROW(Variant(1) / Variant(0), EVariantError);
  EXPECT_THROW(Variant("x") * Variant(2), EVariantTypeCastError);
  Int64 big = std::numeric_limits<Int64>::max();
  EXPECT_EQ(VarType(Variant(big) + Variant(1)), varDouble);  // past Int64: a float, not a wrap
}

TEST(Variants, Classification) {
  EXPECT_TRUE(VarIsNumeric(Variant(1)));
  EXPECT_TRUE(VarIsNumeric(VarFromCurrency(1)));
  EXPECT_FALSE(VarIsNumeric(Variant(true)));
  EXPECT_FALSE(VarIsNumeric(VarFromDateTime(1)));
  EXPECT_FALSE(VarIsNumeric(Variant("1")));
  EXPECT_TRUE(VarIsOrdinal(Variant(true)));
  EXPECT_TRUE(VarIsFloat(Variant(1.0)));
  EXPECT_TRUE(VarIsStr(Variant(u"")));
  EXPECT_FALSE(VarIsStr(Null()));
}

}  // namespace
