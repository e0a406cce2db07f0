#pragma once
// Variant: a value that carries its kind, with the framework's conversions and comparison rules.
//
// - Conversions between kinds: numbers convert to one another (floats round half to even into
//   integer kinds, out-of-range values raise EVariantOverflowError), Boolean is -1 or 0 as a
//   number and "True"/"False" as text, text converts to a number by the locale's number format or
//   to a date by its date format, Empty is 0, "" or False. Null converts to nothing but text
//   (VarToStr gives ""). A conversion that cannot be made raises EVariantTypeCastError "Could not
//   convert variant of type (String) into type (Integer)".
// - Comparison: numbers compare numerically; text compares with text by the locale's order; text
//   against a number or a date is converted first; Null equals only Null and orders below every
//   other value; Empty equals the zero of the other side's kind.
// - Arithmetic (+ - * /) on numbers; + of two texts concatenates. Null in an operation gives Null.
// - Arrays (varArray | varVariant) are one-dimensional and hold variants; they convert to nothing.
// - Kinds registered at run time (TCustomVariantType: BCD, SQL time stamp) hold their record and
//   convert through their type; against another kind they compare in their natural kind.

#include <concepts>
#include <vector>

#include "rtl/DateUtils.h"
#include "rtl/Exceptions.h"
#include "rtl/Types.h"

TAVREN_DECLARE_EXCEPTION(EVariantTypeCastError, EVariantError);
TAVREN_DECLARE_EXCEPTION(EVariantOverflowError, EVariantError);

using TVarType = Word;

enum : TVarType {
  varEmpty = 0x0000,
  varNull = 0x0001,
  varSmallint = 0x0002,
  varInteger = 0x0003,
  varSingle = 0x0004,
  varDouble = 0x0005,
  varCurrency = 0x0006,
  varDate = 0x0007,
  varOleStr = 0x0008,
  varDispatch = 0x0009,
  varError = 0x000A,
  varBoolean = 0x000B,
  varVariant = 0x000C,
  varUnknown = 0x000D,
  varShortInt = 0x0010,
  varByte = 0x0011,
  varWord = 0x0012,
  varLongWord = 0x0013,
  varInt64 = 0x0014,
  varUInt64 = 0x0015,
  varString = 0x0100,
  varTypeMask = 0x0FFF,
  varArray = 0x2000,
  varByRef = 0x4000,
};

class Variant {
 public:
  Variant() = default;  // Empty
  Variant(bool value) : FType(varBoolean), FInt(value) {}
  template <typename T>
    requires(std::integral<T> && !std::same_as<T, bool> && !std::same_as<T, char>)
  Variant(T value) : FType(IntegerKind<T>()), FInt(static_cast<Int64>(value)) {}
  Variant(float value) : FType(varSingle), FDouble(value) {}
  Variant(double value) : FType(varDouble), FDouble(value) {}
  Variant(const char* value) : FType(varString), FString(value ? value : "") {}
  Variant(const String& value) : FType(varString), FString(value) {}
  Variant(String&& value) : FType(varString), FString(std::move(value)) {}
  Variant(const WideString& value) : FType(varOleStr), FWide(value) {}
  Variant(const char16_t* value) : FType(varOleStr), FWide(value ? value : u"") {}

  TVarType VType() const { return FType; }

  // A value of a kind registered at run time, holding that kind's record.
  static Variant FromRecord(TVarType kind, const void* record, size_t size);
  const String& RecordBytes() const { return FString; }

  // The value in another kind, by the conversion rules above.
  Integer AsInteger() const;
  Int64 AsInt64() const;
  Double AsDouble() const;
  bool AsBoolean() const;
  Currency AsCurrency() const;  // the fixed-point value * 10000
  TDateTime AsDateTime() const;
  String AsString() const;
  WideString AsWideString() const;

  friend bool operator==(const Variant& a, const Variant& b);
  friend bool operator<(const Variant& a, const Variant& b);
  friend bool operator>(const Variant& a, const Variant& b) { return b < a; }
  friend bool operator<=(const Variant& a, const Variant& b) { return !(b < a); }
  friend bool operator>=(const Variant& a, const Variant& b) { return !(a < b); }

  friend Variant operator+(const Variant& a, const Variant& b);
  friend Variant operator-(const Variant& a, const Variant& b);
  friend Variant operator*(const Variant& a, const Variant& b);
  friend Variant operator/(const Variant& a, const Variant& b);

 private:
  template <typename T>
  static constexpr TVarType IntegerKind() {
    if constexpr (std::is_signed_v<T>)
      return sizeof(T) == 1 ? varShortInt : sizeof(T) == 2 ? varSmallint : sizeof(T) == 4 ? varInteger : varInt64;
    else
      return sizeof(T) == 1 ? varByte : sizeof(T) == 2 ? varWord : sizeof(T) == 4 ? varLongWord : varUInt64;
  }
  friend Variant Null();
  friend Variant VarFromDateTime(TDateTime value);
  friend Variant VarFromCurrency(Currency value);
  friend Variant VarAsType(const Variant& value, TVarType varType);
  friend struct VariantAccess;
  friend Variant VarArrayCreate(Integer low, Integer high, TVarType elementKind);
  friend Variant VarArrayGet(const Variant& array, Integer index);
  friend void VarArrayPut(Variant& array, const Variant& value, Integer index);
  friend Integer VarArrayLowBound(const Variant& array, Integer dim);
  friend Integer VarArrayHighBound(const Variant& array, Integer dim);

  TVarType FType = varEmpty;
  Int64 FInt = 0;      // integer kinds, Boolean (0 or 1), Currency (scaled)
  Double FDouble = 0;  // Single, Double, Date
  String FString;      // varString; the record of a registered kind
  WideString FWide;    // varOleStr
  std::vector<Variant> FItems;  // arrays, from FInt as the low bound
};

Variant Null();
Variant Unassigned();
Variant VarFromDateTime(TDateTime value);
Variant VarFromCurrency(Currency value);

TVarType VarType(const Variant& value);
bool VarIsNull(const Variant& value);
bool VarIsEmpty(const Variant& value);
bool VarIsClear(const Variant& value);
bool VarIsType(const Variant& value, TVarType varType);
// Integer kinds, floats and Currency (not Date, not Boolean).
bool VarIsNumeric(const Variant& value);
bool VarIsOrdinal(const Variant& value);
bool VarIsFloat(const Variant& value);
bool VarIsStr(const Variant& value);

// Null gives "".
String VarToStr(const Variant& value);
// Default when the value is Null.
String VarToStrDef(const Variant& value, const String& defaultValue);
WideString VarToWideStr(const Variant& value);
TDateTime VarToDateTime(const Variant& value);
// The value converted to the kind. Null converts only to Null and Empty; Empty gives the kind's zero.
Variant VarAsType(const Variant& value, TVarType varType);
// "Integer", "String", "OleStr"... as conversion messages name kinds.
String VarTypeAsText(TVarType varType);

// One-dimensional arrays of variants (elementKind varVariant), every element Empty at first.
// A bound or index outside the array raises EVariantError "Variant array bounds error".
Variant VarArrayCreate(Integer low, Integer high, TVarType elementKind);
bool VarIsArray(const Variant& value);
// 1 for an array, 0 for any other value.
Integer VarArrayDimCount(const Variant& value);
Integer VarArrayLowBound(const Variant& array, Integer dim);
Integer VarArrayHighBound(const Variant& array, Integer dim);
Variant VarArrayGet(const Variant& array, Integer index);
void VarArrayPut(Variant& array, const Variant& value, Integer index);

// A kind registered at run time. Constructing one takes the next free code from 0x010F; its values
// hold the kind's record (Variant::FromRecord).
class TCustomVariantType {
 public:
  TCustomVariantType();
  virtual ~TCustomVariantType();
  TCustomVariantType(const TCustomVariantType&) = delete;
  TCustomVariantType& operator=(const TCustomVariantType&) = delete;

  TVarType VarType() const { return FVarType; }
  virtual String Name() const = 0;
  // Source holds this kind: the value as the built-in kind (raising as conversions do).
  virtual Variant CastTo(const Variant& source, TVarType kind) const = 0;
  // Source holds a built-in kind: the value as this kind.
  virtual Variant CastFrom(const Variant& source) const = 0;
  // Both hold this kind: -1, 0 or 1.
  virtual int Compare(const Variant& a, const Variant& b) const = 0;
  // The built-in kind its values take to meet values of other kinds.
  virtual TVarType NaturalKind() const = 0;

 private:
  TVarType FVarType;
};

// The registered kind with that code, nullptr when there is none.
const TCustomVariantType* FindCustomVariantType(TVarType varType);
