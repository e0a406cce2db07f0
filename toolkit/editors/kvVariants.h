#pragma once
// How the editors compare their values (order, equality, a loose equality for booleans), three
// classification tests, and the typed and tagged procedures that keep values on byte streams.
// The tagged form uses the component stream's value tags; reading checks every count and length
// against the bytes the stream has left and nests lists at most 64 deep, so a damaged stream
// raises EReadError "Stream read error" and nothing else.

#include "rtl/Streams.h"
#include "rtl/Types.h"
#include "rtl/Variants.h"

// Negative, zero or positive as A orders before, with or after B. Values the value model cannot
// compare order by kind code, then by text, so sorting by this order is always consistent.
Integer VariantOrder(const Variant& A, const Variant& B);
Integer VariantArrayOrder(const Variant& A, const Variant& B);
Integer VariantScalarOrder(const Variant& A, const Variant& B);
bool VariantsEqual(const Variant& A, const Variant& B);
// With a Boolean on either side (and no Null) both sides compare as text: True equals "True".
bool VarEqualsLoose(const Variant& A, const Variant& B);

bool VarTypeIsDateLike(TVarType VarType);
bool VarIsDateLike(const Variant& V);
bool VarIsNumericOrBcd(const Variant& V);
bool VarIsNullOrEmptyText(const Variant& V);

// Untagged values. Texts carry a 4-byte length (wide texts a count of UTF-16 units).
String StreamReadText(TStream* Stream);
void StreamReadText(TStream* Stream, String& Value);
void StreamWriteText(TStream* Stream, const String& Value);
WideString StreamReadWideText(TStream* Stream);
void StreamReadWideText(TStream* Stream, WideString& Value);
void StreamWriteWideText(TStream* Stream, const WideString& Value);
bool StreamReadBoolean(TStream* Stream);
void StreamReadBoolean(TStream* Stream, bool& Value);
void StreamWriteBoolean(TStream* Stream, bool Value);
// The 10-byte extended form, rounded to a double when read.
Double StreamReadExtended(TStream* Stream);
void StreamReadExtended(TStream* Stream, Double& Value);
void StreamWriteExtended(TStream* Stream, Double Value);
Currency StreamReadCurrency(TStream* Stream);
void StreamReadCurrency(TStream* Stream, Currency& Value);
void StreamWriteCurrency(TStream* Stream, Currency Value);
TDateTime StreamReadDateTime(TStream* Stream);
void StreamReadDateTime(TStream* Stream, TDateTime& Value);
void StreamWriteDateTime(TStream* Stream, TDateTime Value);
Integer StreamReadInteger(TStream* Stream);
void StreamReadInteger(TStream* Stream, Integer& Value);
void StreamWriteInteger(TStream* Stream, Integer Value);
Int64 StreamReadInt64(TStream* Stream);
void StreamReadInt64(TStream* Stream, Int64& Value);
void StreamWriteInt64(TStream* Stream, Int64 Value);
SmallInt StreamReadSmallint(TStream* Stream);
void StreamReadSmallint(TStream* Stream, SmallInt& Value);
void StreamWriteSmallint(TStream* Stream, SmallInt Value);
Word StreamReadWord(TStream* Stream);
void StreamReadWord(TStream* Stream, Word& Value);
void StreamWriteWord(TStream* Stream, Word Value);

// Tagged variants (arrays as lists). Writing a value that has no stream form raises EWriteError.
Variant StreamReadVariant(TStream* Stream);
void StreamReadVariant(TStream* Stream, Variant& Value);
void StreamWriteVariant(TStream* Stream, const Variant& Value);
