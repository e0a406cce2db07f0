#include "rtl/Variants.h"

#include <cctype>
#include <cmath>
#include <limits>

#include "rtl/FormatSettings.h"
#include "rtl/Math.h"
#include "rtl/SysUtils.h"
#include "rtl/WideText.h"

// Reaches the fields for the conversion helpers below.
struct VariantAccess {
  static Variant Make(TVarType type, Int64 i, Double d = 0) {
    Variant v;
    v.FType = type;
    v.FInt = i;
    v.FDouble = d;
    return v;
  }
  static Int64 Int(const Variant& v) { return v.FInt; }
  static Double Float(const Variant& v) { return v.FDouble; }
  static const String& Str(const Variant& v) { return v.FString; }
  static const WideString& Wide(const Variant& v) { return v.FWide; }
};

namespace {

using A = VariantAccess;

constexpr TVarType kFirstCustomKind = 0x010F;

std::vector<TCustomVariantType*>& CustomTypes() {
  static std::vector<TCustomVariantType*> types;
  return types;
}

// The value of a registered kind as the built-in kind `to`; any other value as it is.
const Variant& Builtin(const Variant& v, TVarType to, Variant& holder) {
  const TCustomVariantType* custom = FindCustomVariantType(v.VType());
  if (!custom) return v;
  holder = custom->CastTo(v, to);
  return holder;
}

bool IsIntegerKind(TVarType t) {
  switch (t) {
    case varSmallint: case varInteger: case varShortInt: case varByte: case varWord:
    case varLongWord: case varInt64: case varUInt64:
      return true;
    default:
      return false;
  }
}
bool IsFloatKind(TVarType t) { return t == varSingle || t == varDouble; }
bool IsTextKind(TVarType t) { return t == varString || t == varOleStr; }
// Kinds that act as numbers in comparisons and arithmetic.
bool IsNumberLike(TVarType t) {
  return IsIntegerKind(t) || IsFloatKind(t) || t == varCurrency || t == varDate || t == varBoolean;
}

[[noreturn]] void CastError(TVarType from, TVarType to) {
  throw EVariantTypeCastError(
      Format("Could not convert variant of type (%s) into type (%s)", VarTypeAsText(from), VarTypeAsText(to)));
}
[[noreturn]] void OverflowError(TVarType from, TVarType to) {
  throw EVariantOverflowError(
      Format("Overflow while converting variant of type (%s) into type (%s)", VarTypeAsText(from), VarTypeAsText(to)));
}

String Text(const Variant& v) { return v.VType() == varOleStr ? UTF8Encode(A::Wide(v)) : A::Str(v); }

Int64 DoubleToInt64(Double d, TVarType from, TVarType to) {
  // 2^63 is exactly representable; anything at or beyond it does not fit.
  if (!std::isfinite(d) || d >= 9223372036854775808.0 || d < -9223372036854775808.0) OverflowError(from, to);
  return Round(d);
}

Int64 ToInt64(const Variant& value, TVarType to) {
  Variant holder;
  const Variant& v = Builtin(value, varInt64, holder);
  TVarType t = v.VType();
  if (t == varEmpty) return 0;
  if (IsIntegerKind(t)) return A::Int(v);
  if (t == varBoolean) return A::Int(v) ? -1 : 0;
  if (IsFloatKind(t) || t == varDate) return DoubleToInt64(A::Float(v), t, to);
  if (t == varCurrency) {
    Int64 whole = A::Int(v) / 10000, rest = A::Int(v) % 10000;
    // Halves go to the even neighbour, as Round does.
    if (rest > 5000 || (rest == 5000 && (whole & 1))) ++whole;
    if (rest < -5000 || (rest == -5000 && (whole & 1))) --whole;
    return whole;
  }
  if (IsTextKind(t)) {
    String s = Text(v);
    Int64 i;
    if (TryStrToInt64(s, i)) return i;
    Extended d;
    if (TryStrToFloat(s, d)) return DoubleToInt64(d, t, to);
  }
  CastError(t, to);
}

Double ToDouble(const Variant& value, TVarType to) {
  Variant holder;
  const Variant& v = Builtin(value, varDouble, holder);
  TVarType t = v.VType();
  if (t == varEmpty) return 0;
  if (IsIntegerKind(t)) return t == varUInt64 ? static_cast<Double>(static_cast<UInt64>(A::Int(v))) : static_cast<Double>(A::Int(v));
  if (t == varBoolean) return A::Int(v) ? -1 : 0;
  if (IsFloatKind(t) || t == varDate) return A::Float(v);
  if (t == varCurrency) return static_cast<Double>(A::Int(v)) / 10000;
  if (IsTextKind(t)) {
    Extended d;
    if (TryStrToFloat(Text(v), d)) return d;
  }
  CastError(t, to);
}

// "5 3 2024 14:05": three numbers apart by blanks take the locale's date separator, as a
// variant's text-to-date conversion reads them.
String WithDateSeparators(const String& s) {
  String out;
  size_t i = 0;
  int numbers = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  while (numbers < 3) {
    size_t start = i;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i;
    if (i == start) return "";
    out.append(s, start, i - start);
    ++numbers;
    size_t blanks = i;
    while (i < s.size() && s[i] == ' ') ++i;
    if (numbers < 3) {
      if (i == blanks) return "";
      out += FormatSettings.DateSeparator;
    } else if (i < s.size() && i == blanks) {
      return "";
    }
  }
  return out + (i < s.size() ? " " + s.substr(i) : String());
}

TDateTime ToDate(const Variant& value) {
  Variant holder;
  const Variant& v = Builtin(value, varDate, holder);
  if (IsTextKind(v.VType())) {
    String s = Text(v);
    TDateTime d;
    if (TryStrToDateTime(s, d)) return d;
    String separated = WithDateSeparators(s);
    if (!separated.empty() && TryStrToDateTime(separated, d)) return d;
    Extended f;
    if (TryStrToFloat(s, f)) return f;
    CastError(v.VType(), varDate);
  }
  return ToDouble(v, varDate);
}

bool ToBool(const Variant& value) {
  Variant holder;
  const Variant& v = Builtin(value, varBoolean, holder);
  TVarType t = v.VType();
  if (t == varEmpty) return false;
  if (t == varBoolean || IsIntegerKind(t) || t == varCurrency) return A::Int(v) != 0;
  if (IsFloatKind(t) || t == varDate) return A::Float(v) != 0;
  bool b;
  if (IsTextKind(t) && TryStrToBool(Text(v), b)) return b;
  CastError(t, varBoolean);
}

Currency ToCurrency(const Variant& value) {
  Variant holder;
  const Variant& v = Builtin(value, varCurrency, holder);
  TVarType t = v.VType();
  if (t == varCurrency) return A::Int(v);
  if (IsIntegerKind(t) || t == varBoolean || t == varEmpty) {
    Int64 i = ToInt64(v, varCurrency), scaled;
    if (__builtin_mul_overflow(i, Int64{10000}, &scaled)) OverflowError(t, varCurrency);
    return scaled;
  }
  return DoubleToInt64(ToDouble(v, varCurrency) * 10000, t, varCurrency);
}

String ToText(const Variant& value) {
  Variant holder;
  const Variant& v = Builtin(value, varString, holder);
  TVarType t = v.VType();
  switch (t) {
    case varEmpty:
    case varNull: return "";
    case varBoolean: return A::Int(v) ? "True" : "False";
    case varSingle: return FloatToStrF(A::Float(v), ffGeneral, 7, 0);
    case varDouble: return FloatToStr(A::Float(v));
    case varCurrency: return CurrToStr(A::Int(v));
    case varDate: return DateTimeToStr(A::Float(v));
    case varUInt64: return IntToStr(static_cast<UInt64>(A::Int(v)));
    case varString:
    case varOleStr: return Text(v);
    default:
      if (IsIntegerKind(t)) return IntToStr(A::Int(v));
      CastError(t, varString);
  }
}

// The range each integer kind holds.
bool FitsKind(Int64 i, TVarType kind) {
  switch (kind) {
    case varShortInt: return i >= -128 && i <= 127;
    case varByte: return i >= 0 && i <= 255;
    case varSmallint: return i >= -32768 && i <= 32767;
    case varWord: return i >= 0 && i <= 65535;
    case varInteger: return i >= std::numeric_limits<Integer>::min() && i <= std::numeric_limits<Integer>::max();
    case varLongWord: return i >= 0 && i <= 0xFFFFFFFFll;
    case varUInt64: return i >= 0;
    default: return true;
  }
}

// Three-way comparison of two non-Null values by the rules in the header.
int CompareValues(const Variant& a, const Variant& b) {
  TVarType ta = a.VType(), tb = b.VType();
  const TCustomVariantType* ca = FindCustomVariantType(ta);
  const TCustomVariantType* cb = FindCustomVariantType(tb);
  if (ca && ta == tb) return ca->Compare(a, b);
  if (ca || cb) {
    Variant ha, hb;
    return CompareValues(ca ? Builtin(a, ca->NaturalKind(), ha) : a, cb ? Builtin(b, cb->NaturalKind(), hb) : b);
  }
  if (ta == varEmpty && tb == varEmpty) return 0;
  if (IsTextKind(ta) && (IsTextKind(tb) || tb == varEmpty)) return Sign(AnsiCompareStr(Text(a), Text(b)));
  if (IsTextKind(tb) && ta == varEmpty) return Sign(AnsiCompareStr("", Text(b)));
  if (ta == varBoolean && tb == varBoolean) return int(A::Int(a) != 0) - int(A::Int(b) != 0);
  // Text against a Boolean compares as Booleans; against a date as dates; otherwise as numbers.
  if ((ta == varBoolean && IsTextKind(tb)) || (tb == varBoolean && IsTextKind(ta)))
    return int(ToBool(a)) - int(ToBool(b));
  if (IsIntegerKind(ta) && IsIntegerKind(tb) && ta != varUInt64 && tb != varUInt64)
    return A::Int(a) < A::Int(b) ? -1 : A::Int(a) > A::Int(b);
  if (ta == varCurrency && tb == varCurrency) return A::Int(a) < A::Int(b) ? -1 : A::Int(a) > A::Int(b);
  Double da = ta == varDate || tb == varDate ? ToDate(a) : ToDouble(a, IsTextKind(ta) ? tb : ta);
  Double db = ta == varDate || tb == varDate ? ToDate(b) : ToDouble(b, IsTextKind(tb) ? ta : tb);
  return da < db ? -1 : da > db ? 1 : 0;
}

enum class TOp { Add, Subtract, Multiply, Divide };

Variant Arithmetic(const Variant& a, const Variant& b, TOp op) {
  TVarType ta = a.VType(), tb = b.VType();
  if (ta == varNull || tb == varNull) return Null();
  if (op == TOp::Add && IsTextKind(ta) && IsTextKind(tb)) {
    if (ta == varOleStr && tb == varOleStr) return Variant(A::Wide(a) + A::Wide(b));
    return Variant(Text(a) + Text(b));
  }
  // Text takes part as a number (or as a date beside a date).
  auto numberKind = [](TVarType t, TVarType other) -> TVarType {
    if (IsTextKind(t)) return other == varDate ? varDate : varDouble;
    return t == varEmpty ? TVarType{varInteger} : t;
  };
  TVarType ka = numberKind(ta, tb), kb = numberKind(tb, ta);
  if (!IsNumberLike(ka) || !IsNumberLike(kb)) CastError(IsNumberLike(ka) ? tb : ta, varDouble);

  bool integral = (IsIntegerKind(ka) || ka == varBoolean) && (IsIntegerKind(kb) || kb == varBoolean);
  if (integral && op != TOp::Divide) {
    Int64 x = ToInt64(a, varInt64), y = ToInt64(b, varInt64), r;
    bool overflow = op == TOp::Add        ? __builtin_add_overflow(x, y, &r)
                    : op == TOp::Subtract ? __builtin_sub_overflow(x, y, &r)
                                          : __builtin_mul_overflow(x, y, &r);
    if (!overflow) {
      bool wide = ka == varInt64 || kb == varInt64 || ka == varUInt64 || kb == varUInt64 || ka == varLongWord ||
                  kb == varLongWord;
      return (!wide && FitsKind(r, varInteger)) ? Variant(static_cast<Integer>(r)) : Variant(r);
    }
  }
  if ((ka == varCurrency || kb == varCurrency) && op != TOp::Divide && ka != varDate && kb != varDate &&
      !IsFloatKind(ka) && !IsFloatKind(kb)) {
    // Exact in 128 bits; the product of two scaled values carries the scale twice.
    __int128 x = ToCurrency(a), y = ToCurrency(b);
    __int128 r = op == TOp::Add ? x + y : op == TOp::Subtract ? x - y : x * y / 10000;
    if (r > std::numeric_limits<Int64>::max() || r < std::numeric_limits<Int64>::min())
      OverflowError(varCurrency, varCurrency);
    return VarFromCurrency(static_cast<Int64>(r));
  }
  Double x = ka == varDate ? ToDate(a) : ToDouble(a, varDouble);
  Double y = kb == varDate ? ToDate(b) : ToDouble(b, varDouble);
  switch (op) {
    case TOp::Add:
      return ka == varDate || kb == varDate ? VarFromDateTime(x + y) : Variant(x + y);
    case TOp::Subtract:
      return ka == varDate && kb != varDate ? VarFromDateTime(x - y) : Variant(x - y);
    case TOp::Multiply:
      return Variant(x * y);
    case TOp::Divide:
      if (y == 0) throw EVariantError("Division by zero");
      return Variant(x / y);
  }
  return Null();
}

}  // namespace

// ---- Variant ------------------------------------------------------------------------------------

Integer Variant::AsInteger() const {
  Int64 i = ToInt64(*this, varInteger);
  if (!FitsKind(i, varInteger)) OverflowError(FType, varInteger);
  return static_cast<Integer>(i);
}
Int64 Variant::AsInt64() const { return ToInt64(*this, varInt64); }
Double Variant::AsDouble() const { return ToDouble(*this, varDouble); }
bool Variant::AsBoolean() const { return ToBool(*this); }
Currency Variant::AsCurrency() const { return ToCurrency(*this); }
TDateTime Variant::AsDateTime() const { return ToDate(*this); }
String Variant::AsString() const {
  if (FType == varNull) CastError(varNull, varString);
  return ToText(*this);
}
WideString Variant::AsWideString() const { return FType == varOleStr ? FWide : UTF8Decode(AsString()); }

bool operator==(const Variant& a, const Variant& b) {
  if (a.FType == varNull || b.FType == varNull) return a.FType == b.FType;
  return CompareValues(a, b) == 0;
}

bool operator<(const Variant& a, const Variant& b) {
  if (a.FType == varNull || b.FType == varNull) return a.FType == varNull && b.FType != varNull;
  return CompareValues(a, b) < 0;
}

Variant operator+(const Variant& a, const Variant& b) { return Arithmetic(a, b, TOp::Add); }
Variant operator-(const Variant& a, const Variant& b) { return Arithmetic(a, b, TOp::Subtract); }
Variant operator*(const Variant& a, const Variant& b) { return Arithmetic(a, b, TOp::Multiply); }
Variant operator/(const Variant& a, const Variant& b) { return Arithmetic(a, b, TOp::Divide); }

// ---- Functions ----------------------------------------------------------------------------------

Variant Null() { return A::Make(varNull, 0); }
Variant Unassigned() { return Variant(); }
Variant VarFromDateTime(TDateTime value) { return A::Make(varDate, 0, value); }
Variant VarFromCurrency(Currency value) { return A::Make(varCurrency, value); }

TVarType VarType(const Variant& value) { return value.VType(); }
bool VarIsNull(const Variant& value) { return value.VType() == varNull; }
bool VarIsEmpty(const Variant& value) { return value.VType() == varEmpty; }
bool VarIsClear(const Variant& value) { return value.VType() == varEmpty; }
bool VarIsType(const Variant& value, TVarType varType) { return value.VType() == varType; }
bool VarIsNumeric(const Variant& value) {
  return IsIntegerKind(value.VType()) || IsFloatKind(value.VType()) || value.VType() == varCurrency;
}
bool VarIsOrdinal(const Variant& value) { return IsIntegerKind(value.VType()) || value.VType() == varBoolean; }
bool VarIsFloat(const Variant& value) { return IsFloatKind(value.VType()) || value.VType() == varCurrency; }
bool VarIsStr(const Variant& value) { return IsTextKind(value.VType()); }

String VarToStr(const Variant& value) { return ToText(value); }
String VarToStrDef(const Variant& value, const String& defaultValue) {
  return VarIsNull(value) ? defaultValue : ToText(value);
}
WideString VarToWideStr(const Variant& value) {
  return value.VType() == varOleStr ? A::Wide(value) : UTF8Decode(ToText(value));
}
TDateTime VarToDateTime(const Variant& value) {
  if (VarIsNull(value)) CastError(varNull, varDate);
  return ToDate(value);
}

Variant VarAsType(const Variant& value, TVarType varType) {
  TVarType from = value.VType();
  if (varType == from) return value;
  if (varType == varEmpty) return Variant();
  if (varType == varNull) return Null();
  if (from == varNull) CastError(varNull, varType);
  if (const TCustomVariantType* target = FindCustomVariantType(varType)) {
    Variant holder;
    const TCustomVariantType* source = FindCustomVariantType(from);
    return target->CastFrom(source ? Builtin(value, source->NaturalKind(), holder) : value);
  }
  switch (varType) {
    case varString: return Variant(ToText(value));
    case varOleStr: return Variant(VarToWideStr(value));
    case varBoolean: return Variant(ToBool(value));
    case varSingle: return A::Make(varSingle, 0, static_cast<float>(ToDouble(value, varSingle)));
    case varDouble: return Variant(ToDouble(value, varDouble));
    case varDate: return VarFromDateTime(ToDate(value));
    case varCurrency: return VarFromCurrency(ToCurrency(value));
    default: break;
  }
  if (!IsIntegerKind(varType)) CastError(from, varType);
  Int64 i = ToInt64(value, varType);
  // A UInt64 beyond Int64 shows as negative here; every other kind must hold the value.
  if (!(from == varUInt64 && varType == varUInt64) && !FitsKind(i, varType)) OverflowError(from, varType);
  return A::Make(varType, i);
}

String VarTypeAsText(TVarType varType) {
  switch (varType & varTypeMask) {
    case varEmpty: return "Empty";
    case varNull: return "Null";
    case varSmallint: return "Smallint";
    case varInteger: return "Integer";
    case varSingle: return "Single";
    case varDouble: return "Double";
    case varCurrency: return "Currency";
    case varDate: return "Date";
    case varOleStr: return "OleStr";
    case varDispatch: return "Dispatch";
    case varError: return "Error";
    case varBoolean: return "Boolean";
    case varVariant: return "Variant";
    case varUnknown: return "Unknown";
    case varShortInt: return "ShortInt";
    case varByte: return "Byte";
    case varWord: return "Word";
    case varLongWord: return "LongWord";
    case varInt64: return "Int64";
    case varUInt64: return "UInt64";
    case varString: return "String";
    default:
      if (const TCustomVariantType* custom = FindCustomVariantType(varType & varTypeMask)) return custom->Name();
      return "Unknown";
  }
}

// ---- Arrays -------------------------------------------------------------------------------------

namespace {

[[noreturn]] void BoundsError() { throw EVariantError("Variant array bounds error"); }

constexpr TVarType kVariantArray = varArray | varVariant;

}  // namespace

Variant VarArrayCreate(Integer low, Integer high, TVarType elementKind) {
  if (elementKind != varVariant) throw EVariantError("Variant arrays hold variants only");
  if (high < low - 1 || static_cast<Int64>(high) - low + 1 > 0x10000000) BoundsError();
  Variant v;
  v.FType = kVariantArray;
  v.FInt = low;
  v.FItems.resize(static_cast<size_t>(static_cast<Int64>(high) - low + 1));
  return v;
}

bool VarIsArray(const Variant& value) { return (value.VType() & varArray) != 0; }
Integer VarArrayDimCount(const Variant& value) { return VarIsArray(value) ? 1 : 0; }

Integer VarArrayLowBound(const Variant& array, Integer dim) {
  if (!VarIsArray(array) || dim != 1) BoundsError();
  return static_cast<Integer>(array.FInt);
}

Integer VarArrayHighBound(const Variant& array, Integer dim) {
  if (!VarIsArray(array) || dim != 1) BoundsError();
  return static_cast<Integer>(array.FInt + static_cast<Int64>(array.FItems.size()) - 1);
}

Variant VarArrayGet(const Variant& array, Integer index) {
  if (!VarIsArray(array) || index < array.FInt || index - array.FInt >= static_cast<Int64>(array.FItems.size()))
    BoundsError();
  return array.FItems[static_cast<size_t>(index - array.FInt)];
}

void VarArrayPut(Variant& array, const Variant& value, Integer index) {
  if (!VarIsArray(array) || index < array.FInt || index - array.FInt >= static_cast<Int64>(array.FItems.size()))
    BoundsError();
  array.FItems[static_cast<size_t>(index - array.FInt)] = value;
}

// ---- Kinds registered at run time ---------------------------------------------------------------

Variant Variant::FromRecord(TVarType kind, const void* record, size_t size) {
  Variant v;
  v.FType = kind;
  v.FString.assign(static_cast<const char*>(record), size);
  return v;
}

TCustomVariantType::TCustomVariantType() {
  std::vector<TCustomVariantType*>& types = CustomTypes();
  TVarType code = kFirstCustomKind;
  while (FindCustomVariantType(code)) ++code;
  FVarType = code;
  types.push_back(this);
}

TCustomVariantType::~TCustomVariantType() { std::erase(CustomTypes(), this); }

const TCustomVariantType* FindCustomVariantType(TVarType varType) {
  if (varType < kFirstCustomKind || varType > varTypeMask) return nullptr;
  for (const TCustomVariantType* type : CustomTypes()) {
    if (type->VarType() == varType) return type;
  }
  return nullptr;
}
