#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "rtl/FMTBcd.h"
#include "rtl/SqlTimSt.h"
#include "toolkit/editors/kvDataStorage.h"

namespace {

// A zeroed record buffer large enough for every value type; released by its type at the end.
class Buffer {
 public:
  explicit Buffer(TkvValueTypeClass Type) : FType(Type) { FBytes.fill(0); }
  ~Buffer() { FType->ReleaseBuffer(Data()); }
  void* Data() { return FBytes.data(); }

 private:
  TkvValueTypeClass FType;
  alignas(8) std::array<Byte, 40> FBytes;
};

TEST(kvDataStorage, RegisteredTypesAndTheirCaptions) {
  const char* kCaptions[] = {"String",   "WideString", "Smallint", "Integer", "Word",         "Boolean",
                             "Float",    "Currency",   "DateTime", "LargeInt", "FMTBcd",      "SQLTimeStamp",
                             "Variant",  "Object"};
  TkvValueTypeClassList* list = ValueTypeClasses();
  ASSERT_EQ(list->Count(), 14);
  for (Integer i = 0; i < 14; ++i) EXPECT_EQ(list->Items(i)->Caption(), kCaptions[i]);
  list->Register(ValueTypeClassOf<TkvStringValueType>());
  EXPECT_EQ(list->Count(), 14);
}

TEST(kvDataStorage, ValuesGoThroughBuffersAndStreams) {
  struct Case {
    TkvValueTypeClass type;
    Variant value;
    Integer size;
    TVarType kind;
    const char* text;
  };
  TDateTime moment = EncodeDate(2024, 2, 29) + EncodeTime(6, 30, 0, 0);
  const Case kCases[] = {
      {ValueTypeClassOf<TkvStringValueType>(), Variant("h\xc3\xa9"), sizeof(void*), varString, "h\xc3\xa9"},
      {ValueTypeClassOf<TkvWideStringValueType>(), Variant(u"wide"), sizeof(void*), varOleStr, "wide"},
      {ValueTypeClassOf<TkvSmallintValueType>(), Variant(-3), 2, varSmallint, "-3"},
      {ValueTypeClassOf<TkvIntegerValueType>(), Variant(70000), 4, varInteger, "70000"},
      {ValueTypeClassOf<TkvWordValueType>(), Variant(65535), 2, varWord, "65535"},
      {ValueTypeClassOf<TkvBooleanValueType>(), Variant(true), 1, varBoolean, "True"},
      {ValueTypeClassOf<TkvFloatValueType>(), Variant(0.1), 8, varDouble, "0.1"},
      {ValueTypeClassOf<TkvCurrencyValueType>(), VarFromCurrency(15000), 8, varCurrency, "1.5"},
      {ValueTypeClassOf<TkvDateTimeValueType>(), VarFromDateTime(moment), 8, varDate, "2/29/2024 6:30:00 AM"},
      {ValueTypeClassOf<TkvLargeIntValueType>(), Variant(Int64{1} << 40), 8, varInt64, "1099511627776"},
      {ValueTypeClassOf<TkvFMTBcdValueType>(), Variant("12.50"), 34, VarFMTBcd(), "12.5"},
      {ValueTypeClassOf<TkvSQLTimeStampValueType>(), VarFromDateTime(moment), 16, varDate, "2/29/2024 6:30:00 AM"},
      {ValueTypeClassOf<TkvVariantValueType>(), Variant(7), sizeof(void*), varInteger, "7"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.type->Caption());
    EXPECT_EQ(c.type->BufferSize(), c.size);
    Buffer buffer(c.type);
    c.type->VariantToBuffer(buffer.Data(), c.value);
    Variant stored = c.type->BufferToVariant(buffer.Data());
    EXPECT_EQ(VarType(stored), c.kind);
    EXPECT_EQ(c.type->DefaultText(buffer.Data()), c.text);

    TMemoryStream stream;
    c.type->SaveBuffer(buffer.Data(), &stream);
    stream.SetPosition(0);
    Buffer loaded(c.type);
    c.type->LoadBuffer(loaded.Data(), &stream);
    EXPECT_EQ(stream.GetPosition(), stream.GetSize());
    EXPECT_EQ(c.type->OrderBuffers(buffer.Data(), loaded.Data()), 0);
    EXPECT_EQ(c.type->DefaultText(loaded.Data()), c.text);
  }
}

TEST(kvDataStorage, OrderRules) {
  TkvValueTypeClass text = ValueTypeClassOf<TkvStringValueType>();
  Buffer empty(text), blank(text), a(text), b(text);
  text->VariantToBuffer(blank.Data(), Variant(""));
  text->VariantToBuffer(a.Data(), Variant("a"));
  text->VariantToBuffer(b.Data(), Variant("B"));
  EXPECT_EQ(text->OrderBuffers(a.Data(), b.Data()), 1);  // byte order: "B" first
  EXPECT_EQ(text->OrderBuffers(empty.Data(), blank.Data()), -1);
  EXPECT_TRUE(VarIsNull(text->BufferToVariant(empty.Data())));
  void* cell = a.Data();
  text->ResolveBuffer(cell);
  EXPECT_EQ(VarToStr(text->ValueFromPointer(cell)), "a");

  TkvValueTypeClass stamp = ValueTypeClassOf<TkvSQLTimeStampValueType>();
  TSQLTimeStamp x = DateTimeToSQLTimeStamp(45000.5), y = x;
  y.Fractions = x.Fractions + 1;
  EXPECT_EQ(stamp->OrderValues(&x, &y), -1);
  EXPECT_EQ(stamp->OrderValues(&y, &x), 1);

  TkvValueTypeClass boolean = ValueTypeClassOf<TkvBooleanValueType>();
  Byte no = 0, yes = 1;
  EXPECT_EQ(boolean->OrderValues(&no, &yes), -1);

  TkvValueTypeClass variant = ValueTypeClassOf<TkvVariantValueType>();
  Buffer none(variant), five(variant);
  variant->VariantToBuffer(five.Data(), Variant(5));
  EXPECT_EQ(variant->OrderBuffers(none.Data(), five.Data()), -1);
  EXPECT_TRUE(VarIsNull(variant->BufferToVariant(none.Data())));
}

TEST(kvDataStorage, AcceptableValuesAndTextCells) {
  TkvValueTypeClass integer = ValueTypeClassOf<TkvIntegerValueType>();
  Variant twelve("12");
  EXPECT_TRUE(integer->IsValueAcceptable(twelve));
  EXPECT_EQ(VarType(twelve), varInteger);
  EXPECT_EQ(twelve.AsInteger(), 12);
  Variant letters("abc");
  EXPECT_FALSE(integer->IsValueAcceptable(letters));
  EXPECT_EQ(VarToStr(letters), "abc");
  Variant null = Null();
  EXPECT_TRUE(integer->IsValueAcceptable(null));
  EXPECT_TRUE(ValueTypeClassOf<TkvVariantValueType>()->IsValueAcceptable(letters));
  EXPECT_TRUE(ValueTypeClassOf<TkvStringValueType>()->IsTextType());
  EXPECT_FALSE(integer->IsTextType());

  String* cell = nullptr;
  EXPECT_EQ(integer->CellText(cell), "");
  integer->SetCellText(cell, "shown");
  TMemoryStream stream;
  integer->WriteCellText(cell, &stream);
  integer->ReleaseTextCell(cell);
  EXPECT_EQ(cell, nullptr);
  stream.SetPosition(0);
  integer->ReadCellText(cell, &stream);
  EXPECT_EQ(integer->CellText(cell), "shown");
  integer->ReleaseTextCell(cell);

  // An object buffer owns its object and has no stream form.
  TkvValueTypeClass object = ValueTypeClassOf<TkvObjectValueType>();
  Buffer owner(object);
  object->VariantToBuffer(owner.Data(), object->BufferToVariant(owner.Data()));
  auto* held = new TObject;
  std::memcpy(owner.Data(), &held, sizeof held);
  TMemoryStream nothing;
  object->SaveBuffer(owner.Data(), &nothing);
  EXPECT_EQ(nothing.GetSize(), 0);
}

class BindingListener : public TObject {
 public:
  void StateChanged() { ++states; }
  void DataChanged() { ++data; }
  int states = 0;
  int data = 0;
};

TEST(kvDataStorage, DataBindingDefaults) {
  TComponent owner(nullptr);
  BindingListener listener;
  TkvCustomDataBinding binding(&owner, &owner);
  binding.SetOnStateChanged(MakeEvent<&BindingListener::StateChanged>(&listener));
  binding.SetOnDataChanged(MakeEvent<&BindingListener::DataChanged>(&listener));
  EXPECT_EQ(binding.GetOwner(), &owner);
  EXPECT_TRUE(binding.CanModify());
  EXPECT_TRUE(binding.CanEdit());
  EXPECT_TRUE(VarIsNull(binding.GetStoredValue()));
  binding.ChangeReadOnly(false);
  EXPECT_EQ(listener.states, 0);
  binding.ChangeReadOnly(true);
  EXPECT_EQ(listener.states, 1);
  EXPECT_FALSE(binding.CanModify());
  EXPECT_TRUE(binding.IsDataReadOnly());
  binding.DataChanged();
  binding.RequestUpdate();
  EXPECT_EQ(listener.data, 1);
  EXPECT_FALSE(binding.ExecuteAction(nullptr));
  EXPECT_FALSE(binding.UpdateAction(nullptr));
}

}  // namespace
