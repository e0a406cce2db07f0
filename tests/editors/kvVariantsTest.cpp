#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rtl/FMTBcd.h"
#include "rtl/SqlTimSt.h"
#include "toolkit/editors/kvVariants.h"

namespace {

Variant Array(std::vector<Variant> items) {
  Variant a = VarArrayCreate(0, static_cast<Integer>(items.size()) - 1, varVariant);
  for (size_t i = 0; i < items.size(); ++i) VarArrayPut(a, items[i], static_cast<Integer>(i));
  return a;
}

std::vector<Byte> Written(const Variant& v) {
  TMemoryStream stream;
  StreamWriteVariant(&stream, v);
  const Byte* data = static_cast<const Byte*>(stream.GetMemory());
  return std::vector<Byte>(data, data + stream.GetSize());
}

Variant ReadBack(const std::vector<Byte>& bytes) {
  TMemoryStream stream;
  if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<Integer>(bytes.size()));
  stream.SetPosition(0);
  return StreamReadVariant(&stream);
}

TEST(kvVariants, OrderAndEquality) {
  struct Case {
    const char* name;
    Variant a, b;
    int order;
  };
  const Case kCases[] = {
      {"empty, empty", Variant(), Variant(), 0},
      {"empty, null", Variant(), Null(), -1},
      {"null, 5", Null(), Variant(5), -1},
      {"5, null", Variant(5), Null(), 1},
      {"5, empty", Variant(5), Variant(), 1},
      {"2, 10", Variant(2), Variant(10), -1},
      {"text 10, number 10", Variant("10"), Variant(10), 0},
      {"short array first by high bound", Array({1, 2}), Array({1, 2, 3}), -1},
      {"arrays by elements", Array({1, 3}), Array({1, 2}), 1},
      {"nested arrays", Array({Array({1})}), Array({Array({1})}), 0},
      {"array after a scalar", Array({1}), Variant(1), 1},
      {"bcd against a double", VarFMTBcdCreate(StrToBcd("1.5")), Variant(1.25), 1},
      // The value model cannot compare these; they order by kind code, then by text.
      {"text that is no number", Variant("abc"), Variant(5), 1},
      {"and the other way", Variant(5), Variant("abc"), -1},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    Integer order = VariantOrder(c.a, c.b);
    EXPECT_EQ(order < 0 ? -1 : order > 0 ? 1 : 0, c.order);
    EXPECT_EQ(VariantsEqual(c.a, c.b), c.order == 0);
  }
  EXPECT_EQ(VariantArrayOrder(Array({1, 2}), Array({1, 2, 3})), -1);
}

TEST(kvVariants, LooseEqualityAndClassification) {
  struct Case {
    Variant a, b;
    bool equal;
  };
  const Case kCases[] = {
      {Variant(true), Variant("True"), true}, {Variant(true), Variant(1), false},
      {Null(), Variant(false), false},        {Variant(3), Variant(3.0), true},
      {Variant(false), Variant("False"), true},
  };
  for (const Case& c : kCases) EXPECT_EQ(VarEqualsLoose(c.a, c.b), c.equal);

  EXPECT_TRUE(VarIsDateLike(VarFromDateTime(1)));
  EXPECT_TRUE(VarIsDateLike(VarSQLTimeStampCreate(1.0)));
  EXPECT_FALSE(VarIsDateLike(Variant(1.0)));
  EXPECT_TRUE(VarIsNumericOrBcd(VarFMTBcdCreate(StrToBcd("1"))));
  EXPECT_TRUE(VarIsNumericOrBcd(Variant(1)));
  EXPECT_FALSE(VarIsNumericOrBcd(Variant("1")));
  EXPECT_FALSE(VarIsNullOrEmptyText(Variant()));
  EXPECT_TRUE(VarIsNullOrEmptyText(Null()));
  EXPECT_TRUE(VarIsNullOrEmptyText(Variant(u"")));
  EXPECT_TRUE(VarIsNullOrEmptyText(Variant("")));
  EXPECT_FALSE(VarIsNullOrEmptyText(Variant(" ")));
}

TEST(kvVariants, TaggedEncodings) {
  struct Case {
    const char* name;
    Variant value;
    std::vector<Byte> head;  // the first bytes written
    size_t size;
    TVarType readKind;
  };
  const Case kCases[] = {
      {"127", Variant(127), {2, 127}, 2, varShortInt},
      {"200", Variant(200), {3, 200, 0}, 3, varSmallint},
      {"-129", Variant(-129), {3, 0x7F, 0xFF}, 3, varSmallint},
      {"2^31", Variant(Int64{2147483648}), {19, 0, 0, 0, 0x80, 0, 0, 0, 0}, 9, varInt64},
      {"a byte comes back smaller", Variant(Byte{200}), {3}, 3, varSmallint},
      {"word", Variant(Word{40000}), {4}, 5, varInteger},
      {"1.0", Variant(1.0), {5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}, 11, varDouble},
      {"single", Variant(1.5f), {15}, 5, varSingle},
      {"currency", VarFromCurrency(12345), {16, 0x39, 0x30}, 9, varCurrency},
      {"date", VarFromDateTime(2.5), {17}, 9, varDate},
      {"255 bytes", Variant(String(255, 'x')), {6, 255, 'x'}, 257, varString},
      {"256 bytes", Variant(String(256, 'x')), {12, 0, 1, 0, 0, 'x'}, 261, varString},
      {"wide", Variant(u"\u00e9"), {18, 1, 0, 0, 0, 0xE9, 0}, 7, varOleStr},
      {"true", Variant(true), {9}, 1, varBoolean},
      {"false", Variant(false), {8}, 1, varBoolean},
      {"empty", Variant(), {13}, 1, varEmpty},
      {"null", Null(), {0}, 1, varNull},
      {"list", Array({1, "a"}), {1, 2, 2, 2, 1, 6, 1, 'a'}, 8, varArray | varVariant},
      {"bcd as text", VarFMTBcdCreate(StrToBcd("-1.25")), {6, 5, '-', '1', '.', '2', '5'}, 7, varString},
      {"time stamp as date", VarSQLTimeStampCreate(36526.5), {17}, 9, varDate},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    std::vector<Byte> bytes = Written(c.value);
    ASSERT_EQ(bytes.size(), c.size);
    EXPECT_EQ(std::vector<Byte>(bytes.begin(), bytes.begin() + c.head.size()), c.head);
    Variant back = ReadBack(bytes);
    EXPECT_EQ(VarType(back), c.readKind);
    EXPECT_TRUE(VariantsEqual(back, c.value) || VarIsFMTBcd(c.value));
  }
}

TEST(kvVariants, MalformedStreamsRaiseReadErrors) {
  std::vector<Byte> deep;
  for (int i = 0; i < 65; ++i) deep.insert(deep.end(), {1, 2, 1});
  deep.push_back(0);
  std::vector<Byte> shallow;
  for (int i = 0; i < 64; ++i) shallow.insert(shallow.end(), {1, 2, 1});
  shallow.push_back(0);
  struct Case {
    const char* name;
    std::vector<Byte> bytes;
  };
  const Case kCases[] = {
      {"empty stream", {}},
      {"tag 7", {7}},
      {"tag 10", {10}},
      {"tag 11", {11}},
      {"tag 14", {14}},
      {"tag 20", {20}},
      {"tag 200", {200}},
      {"short integer", {4, 1, 2}},
      {"short extended", {5, 0, 0, 0}},
      {"short text", {6, 5, 'a', 'b'}},
      {"long text longer than the stream", {12, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}},
      {"negative long text", {12, 0xFF, 0xFF, 0xFF, 0xFF}},
      {"huge wide count", {18, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0}},
      {"huge list", {1, 4, 0xFF, 0xFF, 0xFF, 0x7F, 0}},
      {"negative list", {1, 2, 0xFF}},
      {"list short of elements", {1, 2, 3, 0, 0}},
      {"nesting beyond 64", deep},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    try {
      ReadBack(c.bytes);
      ADD_FAILURE() << "no error";
    } catch (const EReadError& e) {
      EXPECT_EQ(e.Message(), "Stream read error");
    }
  }
  EXPECT_TRUE(VarIsArray(ReadBack(shallow)));
  EXPECT_EQ(VarArrayHighBound(ReadBack({1, 2, 0}), 1), -1);
}

TEST(kvVariants, UntaggedValuesRoundTrip) {
  TMemoryStream stream;
  StreamWriteText(&stream, "h\xc3\xa9");
  StreamWriteWideText(&stream, u"wide");
  StreamWriteBoolean(&stream, true);
  StreamWriteExtended(&stream, 0.1);
  StreamWriteCurrency(&stream, -5);
  StreamWriteDateTime(&stream, 45000.25);
  StreamWriteInteger(&stream, -7);
  StreamWriteInt64(&stream, Int64{1} << 40);
  StreamWriteSmallint(&stream, -2);
  StreamWriteWord(&stream, 65534);
  EXPECT_EQ(stream.GetSize(), 4 + 3 + 4 + 8 + 1 + 10 + 8 + 8 + 4 + 8 + 2 + 2);
  stream.SetPosition(0);
  EXPECT_EQ(StreamReadText(&stream), "h\xc3\xa9");
  WideString wide;
  StreamReadWideText(&stream, wide);
  EXPECT_EQ(wide, u"wide");
  EXPECT_TRUE(StreamReadBoolean(&stream));
  EXPECT_EQ(StreamReadExtended(&stream), 0.1);
  EXPECT_EQ(StreamReadCurrency(&stream), -5);
  EXPECT_EQ(StreamReadDateTime(&stream), 45000.25);
  EXPECT_EQ(StreamReadInteger(&stream), -7);
  EXPECT_EQ(StreamReadInt64(&stream), Int64{1} << 40);
  EXPECT_EQ(StreamReadSmallint(&stream), -2);
  EXPECT_EQ(StreamReadWord(&stream), 65534);
  EXPECT_THROW(StreamReadWord(&stream), EReadError);
  // A stored length beyond the bytes left is refused before anything is allocated.
  TMemoryStream bad;
  StreamWriteInteger(&bad, 1 << 30);
  bad.SetPosition(0);
  EXPECT_THROW(StreamReadText(&bad), EReadError);
}

}  // namespace
