#include "toolkit/editors/kvVariants.h"

#include <limits>

#include "rtl/Exceptions.h"
#include "rtl/Extended80.h"
#include "rtl/FMTBcd.h"
#include "rtl/SqlTimSt.h"

namespace {

// The component stream's value tags.
enum : Byte {
  vaNull = 0,
  vaList = 1,
  vaInt8 = 2,
  vaInt16 = 3,
  vaInt32 = 4,
  vaExtended = 5,
  vaString = 6,
  vaFalse = 8,
  vaTrue = 9,
  vaLString = 12,
  vaNil = 13,
  vaSingle = 15,
  vaCurrency = 16,
  vaDate = 17,
  vaWString = 18,
  vaInt64 = 19,
};

constexpr Integer kMaxListDepth = 64;

[[noreturn]] void ReadError() { throw EReadError("Stream read error"); }
[[noreturn]] void WriteError() { throw EWriteError("Stream write error"); }

Int64 BytesLeft(TStream* Stream) { return Stream->GetSize() - Stream->GetPosition(); }

// A count of items of ItemSize bytes that the stream must still hold.
void CheckCount(TStream* Stream, Int64 Count, Int64 ItemSize) {
  if (Count < 0 || Count > BytesLeft(Stream) / ItemSize) ReadError();
}

template <class T>
T ReadRaw(TStream* Stream) {
  T value;
  Stream->ReadBuffer(&value, sizeof(T));
  return value;
}

template <class T>
void WriteRaw(TStream* Stream, T Value) {
  Stream->WriteBuffer(&Value, sizeof(T));
}

String ReadBytes(TStream* Stream, Int64 Length) {
  CheckCount(Stream, Length, 1);
  String value(static_cast<size_t>(Length), '\0');
  if (Length > 0) Stream->ReadBuffer(value.data(), static_cast<Integer>(Length));
  return value;
}

WideString ReadUnits(TStream* Stream, Int64 Count) {
  CheckCount(Stream, Count, 2);
  WideString value(static_cast<size_t>(Count), u'\0');
  if (Count > 0) Stream->ReadBuffer(value.data(), static_cast<Integer>(Count * 2));
  return value;
}

void WriteTaggedInteger(TStream* Stream, Int64 Value) {
  if (Value >= -128 && Value <= 127) {
    WriteRaw<Byte>(Stream, vaInt8);
    WriteRaw<int8_t>(Stream, static_cast<int8_t>(Value));
  } else if (Value >= -32768 && Value <= 32767) {
    WriteRaw<Byte>(Stream, vaInt16);
    WriteRaw<int16_t>(Stream, static_cast<int16_t>(Value));
  } else if (Value >= std::numeric_limits<Integer>::min() && Value <= std::numeric_limits<Integer>::max()) {
    WriteRaw<Byte>(Stream, vaInt32);
    WriteRaw<Integer>(Stream, static_cast<Integer>(Value));
  } else {
    WriteRaw<Byte>(Stream, vaInt64);
    WriteRaw<Int64>(Stream, Value);
  }
}

void WriteTaggedText(TStream* Stream, const String& Value) {
  if (Value.size() <= 255) {
    WriteRaw<Byte>(Stream, vaString);
    WriteRaw<Byte>(Stream, static_cast<Byte>(Value.size()));
  } else {
    if (Value.size() > static_cast<size_t>(std::numeric_limits<Integer>::max())) WriteError();
    WriteRaw<Byte>(Stream, vaLString);
    WriteRaw<Integer>(Stream, static_cast<Integer>(Value.size()));
  }
  if (!Value.empty()) Stream->WriteBuffer(Value.data(), static_cast<Integer>(Value.size()));
}

void WriteVariant(TStream* Stream, const Variant& V) {
  if (VarIsArray(V)) {
    if (VarArrayDimCount(V) != 1) WriteError();
    Integer low = VarArrayLowBound(V, 1), high = VarArrayHighBound(V, 1);
    WriteRaw<Byte>(Stream, vaList);
    WriteTaggedInteger(Stream, static_cast<Int64>(high) - low + 1);
    for (Integer i = low; i <= high; ++i) WriteVariant(Stream, VarArrayGet(V, i));
    return;
  }
  switch (VarType(V) & varTypeMask) {
    case varEmpty: WriteRaw<Byte>(Stream, vaNil); return;
    case varNull: WriteRaw<Byte>(Stream, vaNull); return;
    case varSmallint: case varInteger: case varShortInt: case varByte: case varWord: case varLongWord: case varInt64:
      WriteTaggedInteger(Stream, V.AsInt64());
      return;
    case varSingle:
      WriteRaw<Byte>(Stream, vaSingle);
      WriteRaw<float>(Stream, static_cast<float>(V.AsDouble()));
      return;
    case varDouble:
      WriteRaw<Byte>(Stream, vaExtended);
      StreamWriteExtended(Stream, V.AsDouble());
      return;
    case varCurrency:
      WriteRaw<Byte>(Stream, vaCurrency);
      WriteRaw<Currency>(Stream, V.AsCurrency());
      return;
    case varDate:
      WriteRaw<Byte>(Stream, vaDate);
      WriteRaw<Double>(Stream, V.AsDateTime());
      return;
    case varOleStr:
      WriteRaw<Byte>(Stream, vaWString);
      StreamWriteWideText(Stream, V.AsWideString());
      return;
    case varBoolean: WriteRaw<Byte>(Stream, V.AsBoolean() ? vaTrue : vaFalse); return;
    case varString: WriteTaggedText(Stream, V.AsString()); return;
    default: break;
  }
  if (VarType(V) == VarSQLTimeStamp()) {
    WriteRaw<Byte>(Stream, vaDate);
    WriteRaw<Double>(Stream, V.AsDateTime());
    return;
  }
  String text;
  try {
    text = V.AsString();
  } catch (const EVariantError&) {
    WriteError();
  }
  WriteTaggedText(Stream, text);
}

Variant ReadVariant(TStream* Stream, Integer Depth) {
  Byte tag = ReadRaw<Byte>(Stream);
  switch (tag) {
    case vaNull: return Null();
    case vaList: {
      if (Depth >= kMaxListDepth) ReadError();
      Byte countTag = ReadRaw<Byte>(Stream);
      Int64 count = countTag == vaInt8    ? ReadRaw<int8_t>(Stream)
                    : countTag == vaInt16 ? ReadRaw<int16_t>(Stream)
                    : countTag == vaInt32 ? ReadRaw<Integer>(Stream)
                                          : ReadRaw<Int64>(Stream);
      CheckCount(Stream, count, 1);  // every element takes at least its tag byte
      Variant list = VarArrayCreate(0, static_cast<Integer>(count) - 1, varVariant);
      for (Integer i = 0; i < count; ++i) VarArrayPut(list, ReadVariant(Stream, Depth + 1), i);
      return list;
    }
    case vaInt8: return Variant(ReadRaw<int8_t>(Stream));
    case vaInt16: return Variant(ReadRaw<int16_t>(Stream));
    case vaInt32: return Variant(ReadRaw<Integer>(Stream));
    case vaExtended: return Variant(StreamReadExtended(Stream));
    case vaString: return Variant(ReadBytes(Stream, ReadRaw<Byte>(Stream)));
    case vaFalse: return Variant(false);
    case vaTrue: return Variant(true);
    case vaLString: return Variant(ReadBytes(Stream, ReadRaw<Integer>(Stream)));
    case vaNil: return Variant();
    case vaSingle: return Variant(ReadRaw<float>(Stream));
    case vaCurrency: return VarFromCurrency(ReadRaw<Currency>(Stream));
    case vaDate: return VarFromDateTime(ReadRaw<Double>(Stream));
    case vaWString: return Variant(ReadUnits(Stream, ReadRaw<Integer>(Stream)));
    case vaInt64: return Variant(ReadRaw<Int64>(Stream));
    default: ReadError();
  }
}

// Text of a value for ordering values the model cannot compare; "" when it has none.
String OrderText(const Variant& V) {
  try {
    return VarToStr(V);
  } catch (const EVariantError&) {
    return "";
  }
}

}  // namespace

// ---- Comparison ---------------------------------------------------------------------------

Integer VariantOrder(const Variant& A, const Variant& B) {
  if (VarIsArray(A) || VarIsArray(B)) return VariantArrayOrder(A, B);
  return VariantScalarOrder(A, B);
}

Integer VariantArrayOrder(const Variant& A, const Variant& B) {
  bool arrayA = VarIsArray(A), arrayB = VarIsArray(B);
  if (arrayA && !arrayB) return 1;
  if (arrayB && !arrayA) return -1;
  if (!arrayA) return VariantScalarOrder(A, B);
  Integer highA = VarArrayHighBound(A, 1), highB = VarArrayHighBound(B, 1);
  if (highA != highB) return highA - highB;
  // Elements pair up by their place from the low bound, whatever the bounds are.
  Integer lowA = VarArrayLowBound(A, 1), lowB = VarArrayLowBound(B, 1);
  for (Integer i = 0; i <= highA; ++i) {
    if (lowA + i > highA || lowB + i > highB) break;
    Integer order = VariantOrder(VarArrayGet(A, lowA + i), VarArrayGet(B, lowB + i));
    if (order != 0) return order;
  }
  return 0;
}

Integer VariantScalarOrder(const Variant& A, const Variant& B) {
  if (VarIsEmpty(A)) return VarIsEmpty(B) ? 0 : -1;
  if (VarIsEmpty(B)) return 1;
  try {
    if (A == B) return 0;
    if (VarIsNull(A)) return -1;
    if (VarIsNull(B)) return 1;
    return A < B ? -1 : 1;
  } catch (const EVariantError&) {
    if (VarType(A) != VarType(B)) return VarType(A) < VarType(B) ? -1 : 1;
    String a = OrderText(A), b = OrderText(B);
    return a < b ? -1 : a > b ? 1 : 0;
  }
}

bool VariantsEqual(const Variant& A, const Variant& B) { return VariantOrder(A, B) == 0; }

bool VarEqualsLoose(const Variant& A, const Variant& B) {
  bool booleans = VarType(A) == varBoolean || VarType(B) == varBoolean;
  if (VarIsNull(A) || VarIsNull(B) || !booleans) return VariantsEqual(A, B);
  try {
    return A.AsString() == B.AsString();
  } catch (const EVariantError&) {
    return false;
  }
}

bool VarTypeIsDateLike(TVarType VarType) { return VarType == varDate || VarType == VarSQLTimeStamp(); }
bool VarIsDateLike(const Variant& V) { return VarTypeIsDateLike(VarType(V)); }
bool VarIsNumericOrBcd(const Variant& V) { return VarIsNumeric(V) || VarType(V) == VarFMTBcd(); }

bool VarIsNullOrEmptyText(const Variant& V) {
  if (VarIsNull(V)) return true;
  return VarIsStr(V) && V.AsString().empty();
}

// ---- Untagged values ----------------------------------------------------------------------

String StreamReadText(TStream* Stream) { return ReadBytes(Stream, ReadRaw<Integer>(Stream)); }
void StreamReadText(TStream* Stream, String& Value) { Value = StreamReadText(Stream); }
void StreamWriteText(TStream* Stream, const String& Value) {
  if (Value.size() > static_cast<size_t>(std::numeric_limits<Integer>::max())) WriteError();
  WriteRaw<Integer>(Stream, static_cast<Integer>(Value.size()));
  if (!Value.empty()) Stream->WriteBuffer(Value.data(), static_cast<Integer>(Value.size()));
}

WideString StreamReadWideText(TStream* Stream) { return ReadUnits(Stream, ReadRaw<Integer>(Stream)); }
void StreamReadWideText(TStream* Stream, WideString& Value) { Value = StreamReadWideText(Stream); }
void StreamWriteWideText(TStream* Stream, const WideString& Value) {
  if (Value.size() > static_cast<size_t>(std::numeric_limits<Integer>::max() / 2)) WriteError();
  WriteRaw<Integer>(Stream, static_cast<Integer>(Value.size()));
  if (!Value.empty()) Stream->WriteBuffer(Value.data(), static_cast<Integer>(Value.size() * 2));
}

bool StreamReadBoolean(TStream* Stream) { return ReadRaw<Byte>(Stream) != 0; }
void StreamReadBoolean(TStream* Stream, bool& Value) { Value = StreamReadBoolean(Stream); }
void StreamWriteBoolean(TStream* Stream, bool Value) { WriteRaw<Byte>(Stream, Value ? 1 : 0); }

Double StreamReadExtended(TStream* Stream) {
  Byte bytes[10];
  Stream->ReadBuffer(bytes, 10);
  return Extended80ToDouble(bytes);
}
void StreamReadExtended(TStream* Stream, Double& Value) { Value = StreamReadExtended(Stream); }
void StreamWriteExtended(TStream* Stream, Double Value) {
  Byte bytes[10];
  DoubleToExtended80(Value, bytes);
  Stream->WriteBuffer(bytes, 10);
}

Currency StreamReadCurrency(TStream* Stream) { return ReadRaw<Currency>(Stream); }
void StreamReadCurrency(TStream* Stream, Currency& Value) { Value = StreamReadCurrency(Stream); }
void StreamWriteCurrency(TStream* Stream, Currency Value) { WriteRaw<Currency>(Stream, Value); }

TDateTime StreamReadDateTime(TStream* Stream) { return ReadRaw<Double>(Stream); }
void StreamReadDateTime(TStream* Stream, TDateTime& Value) { Value = StreamReadDateTime(Stream); }
void StreamWriteDateTime(TStream* Stream, TDateTime Value) { WriteRaw<Double>(Stream, Value); }

Integer StreamReadInteger(TStream* Stream) { return ReadRaw<Integer>(Stream); }
void StreamReadInteger(TStream* Stream, Integer& Value) { Value = StreamReadInteger(Stream); }
void StreamWriteInteger(TStream* Stream, Integer Value) { WriteRaw<Integer>(Stream, Value); }

Int64 StreamReadInt64(TStream* Stream) { return ReadRaw<Int64>(Stream); }
void StreamReadInt64(TStream* Stream, Int64& Value) { Value = StreamReadInt64(Stream); }
void StreamWriteInt64(TStream* Stream, Int64 Value) { WriteRaw<Int64>(Stream, Value); }

SmallInt StreamReadSmallint(TStream* Stream) { return ReadRaw<SmallInt>(Stream); }
void StreamReadSmallint(TStream* Stream, SmallInt& Value) { Value = StreamReadSmallint(Stream); }
void StreamWriteSmallint(TStream* Stream, SmallInt Value) { WriteRaw<SmallInt>(Stream, Value); }

Word StreamReadWord(TStream* Stream) { return ReadRaw<Word>(Stream); }
void StreamReadWord(TStream* Stream, Word& Value) { Value = StreamReadWord(Stream); }
void StreamWriteWord(TStream* Stream, Word Value) { WriteRaw<Word>(Stream, Value); }

// ---- Tagged variants ----------------------------------------------------------------------

Variant StreamReadVariant(TStream* Stream) { return ReadVariant(Stream, 0); }
void StreamReadVariant(TStream* Stream, Variant& Value) { Value = StreamReadVariant(Stream); }
void StreamWriteVariant(TStream* Stream, const Variant& Value) { WriteVariant(Stream, Value); }
