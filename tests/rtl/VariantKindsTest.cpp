#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "rtl/DateUtils.h"
#include "rtl/Extended80.h"
#include "rtl/FMTBcd.h"
#include "rtl/SqlTimSt.h"
#include "rtl/Variants.h"

namespace {

TEST(VariantKinds, ArraysAreOneDimensionalAndCopiedByValue) {
  Variant a = VarArrayCreate(2, 4, varVariant);
  EXPECT_TRUE(VarIsArray(a));
  EXPECT_EQ(VarType(a), varArray | varVariant);
  EXPECT_EQ(VarArrayDimCount(a), 1);
  EXPECT_EQ(VarArrayDimCount(Variant(1)), 0);
  EXPECT_EQ(VarArrayLowBound(a, 1), 2);
  EXPECT_EQ(VarArrayHighBound(a, 1), 4);
  EXPECT_TRUE(VarIsEmpty(VarArrayGet(a, 3)));
  VarArrayPut(a, Variant("x"), 3);
  Variant copy = a;
  VarArrayPut(copy, Variant(7), 3);
  EXPECT_EQ(VarToStr(VarArrayGet(a, 3)), "x");
  EXPECT_EQ(VarArrayGet(copy, 3).AsInteger(), 7);
  EXPECT_THROW(VarArrayGet(a, 5), EVariantError);
  EXPECT_THROW(VarArrayPut(a, Variant(1), 1), EVariantError);
  EXPECT_THROW(VarArrayHighBound(a, 2), EVariantError);
  EXPECT_EQ(VarArrayHighBound(VarArrayCreate(0, -1, varVariant), 1), -1);
  EXPECT_THROW(VarToStr(a), EVariantTypeCastError);
  EXPECT_THROW((void)(a == Variant(1)), EVariantTypeCastError);
}

TEST(VariantKinds, BcdTextsDoublesAndOrder) {
  struct Case {
    const char* text;
    const char* shown;
    double value;
  };
  const Case kCases[] = {
      {"0", "0", 0},           {"-0.0", "0", 0},         {"12.50", "12.5", 12.5},
      {"-0.001", "-0.001", -0.001}, {"007", "7", 7},    {"123456789012345678901234567890", "123456789012345678901234567890", 1.2345678901234568e29},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text);
    TBcd bcd = StrToBcd(c.text);
    EXPECT_EQ(BcdToStr(bcd), c.shown);
    EXPECT_DOUBLE_EQ(BcdToDouble(bcd), c.value);
  }
  EXPECT_THROW(StrToBcd("1.2.3"), EBcdException);
  EXPECT_THROW(StrToBcd(""), EBcdException);
  EXPECT_THROW(StrToBcd(String(65, '9')), EBcdOverflowException);
  EXPECT_EQ(BcdToStr(DoubleToBcd(0.1)), "0.1");
  EXPECT_EQ(BcdToStr(DoubleToBcd(-1234.5)), "-1234.5");
  EXPECT_EQ(BcdToStr(DoubleToBcd(1e20)), "100000000000000000000");
  EXPECT_EQ(BcdCompare(StrToBcd("1.50"), StrToBcd("1.5")), 0);
  EXPECT_EQ(BcdCompare(StrToBcd("-2"), StrToBcd("1")), -1);
  EXPECT_EQ(BcdCompare(StrToBcd("-2"), StrToBcd("-10")), 1);
  EXPECT_EQ(BcdCompare(StrToBcd("0.3"), StrToBcd("0.25")), 1);
  EXPECT_EQ(BcdToStrF(StrToBcd("3.14159"), ffGeneral, 0, 0), "3.14159");
  EXPECT_EQ(BcdToStrF(StrToBcd("3.14159"), ffGeneral, 3, 0), "3.14");
  EXPECT_EQ(BcdToStrF(StrToBcd("99.96"), ffGeneral, 3, 0), "100");
}

TEST(VariantKinds, BcdAndTimeStampVariantsConvertAndCompare) {
  Variant bcd = VarFMTBcdCreate(StrToBcd("2.5"));
  EXPECT_TRUE(VarIsFMTBcd(bcd));
  EXPECT_GE(VarFMTBcd(), 0x010F);
  EXPECT_NE(VarFMTBcd(), VarSQLTimeStamp());
  EXPECT_EQ(VarToStr(bcd), "2.5");
  EXPECT_DOUBLE_EQ(bcd.AsDouble(), 2.5);
  EXPECT_EQ(VarTypeAsText(VarFMTBcd()), "FMTBcd");
  EXPECT_TRUE(bcd == Variant(2.5));
  EXPECT_TRUE(Variant(2) < bcd);
  EXPECT_TRUE(bcd == VarFMTBcdCreate(StrToBcd("2.50")));
  EXPECT_EQ(BcdToStr(VarToBcd(Variant("-7.25"))), "-7.25");
  EXPECT_EQ(BcdToStr(VarToBcd(VarFromCurrency(12345))), "1.2345");
  EXPECT_EQ(BcdToStr(VarToBcd(Variant(Int64{-9007199254740993}))), "-9007199254740993");

  TDateTime moment = EncodeDate(2024, 2, 29) + EncodeTime(13, 45, 30, 250);
  Variant stamp = VarSQLTimeStampCreate(moment);
  TSQLTimeStamp fields = VarToSQLTimeStamp(stamp);
  EXPECT_EQ(fields.Year, 2024);
  EXPECT_EQ(fields.Month, 2);
  EXPECT_EQ(fields.Day, 29);
  EXPECT_EQ(fields.Hour, 13);
  EXPECT_EQ(fields.Second, 30);
  EXPECT_EQ(fields.Fractions, 250u);
  EXPECT_DOUBLE_EQ(VarToDateTime(stamp), moment);
  EXPECT_TRUE(stamp == VarFromDateTime(moment));
  TSQLTimeStamp later = fields;
  later.Fractions = 251;
  EXPECT_TRUE(stamp < VarSQLTimeStampCreate(later));
  TSQLTimeStamp bad = fields;
  bad.Month = 13;
  EXPECT_THROW(SQLTimeStampToDateTime(bad), EConvertError);
  EXPECT_DOUBLE_EQ(SQLTimeStampToDateTime(DateTimeToSQLTimeStamp(-1.25)), -1.25);
}

TEST(VariantKinds, ExtendedCodecIsExactForDoublesAndSaturatesBeyond) {
  Byte one[10];
  DoubleToExtended80(1.0, one);
  const Byte kOne[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F};
  EXPECT_EQ(std::memcmp(one, kOne, 10), 0);
  const double kValues[] = {0.0, -0.0, 1.0, -2.5, 0.1, 1e308, std::numeric_limits<double>::max(),
                            std::numeric_limits<double>::min(), std::numeric_limits<double>::denorm_min(), 3e-320,
                            std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
  for (double v : kValues) {
    Byte bytes[10];
    DoubleToExtended80(v, bytes);
    double back = Extended80ToDouble(bytes);
    EXPECT_EQ(std::memcmp(&back, &v, sizeof v), 0) << v;
  }
  Byte nan[10];
  DoubleToExtended80(std::numeric_limits<double>::quiet_NaN(), nan);
  EXPECT_TRUE(std::isnan(Extended80ToDouble(nan)));
  // 1e4000 and 1e-4000 lie beyond the double range; 1 + 2^-53 (a tie) rounds to even.
  const Byte kHuge[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0x7C};
  const Byte kTiny[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0x80 | 0x01};
  const Byte kTie[10] = {0, 0x04, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F};
  const Byte kAboveTie[10] = {1, 0x04, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F};
  EXPECT_EQ(Extended80ToDouble(kHuge), std::numeric_limits<double>::infinity());
  double tiny = Extended80ToDouble(kTiny);
  EXPECT_EQ(tiny, 0.0);
  EXPECT_TRUE(std::signbit(tiny));
  EXPECT_EQ(Extended80ToDouble(kTie), 1.0);
  EXPECT_EQ(Extended80ToDouble(kAboveTie), std::nextafter(1.0, 2.0));
}

TEST(VariantKinds, WallClockCanBeSetAndGivenBack) {
  SetWallClock([] { return EncodeDate(2024, 2, 29) + 0.75; });
  EXPECT_DOUBLE_EQ(Now(), EncodeDate(2024, 2, 29) + 0.75);
  EXPECT_DOUBLE_EQ(Date(), EncodeDate(2024, 2, 29));
  EXPECT_DOUBLE_EQ(Time(), 0.75);
  SetWallClock(nullptr);
  EXPECT_GT(Now(), EncodeDate(2024, 1, 1));
}

}  // namespace

namespace {

TEST(VariantKinds, TextDatesMaySeparateTheirNumbersWithBlanks) {
  TFormatSettings saved = FormatSettings;
  GetLocaleFormatSettings("C", FormatSettings);
  EXPECT_EQ(VarToDateTime(Variant("3 5 2024")), EncodeDate(2024, 3, 5));
  EXPECT_EQ(VarToDateTime(Variant("  3  5 2024 2:05 PM")), EncodeDate(2024, 3, 5) + EncodeTime(14, 5, 0, 0));
  EXPECT_THROW(VarToDateTime(Variant("3 5")), EVariantTypeCastError);
  EXPECT_THROW(VarToDateTime(Variant("3 5 2024x")), EVariantTypeCastError);
  FormatSettings = saved;
}

}  // namespace
