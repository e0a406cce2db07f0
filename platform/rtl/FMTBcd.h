#pragma once
// Packed decimal numbers (TBcd, 34 bytes: precision, sign and places, 64 digits two to a byte,
// the first digit in the high half of the first byte) and the variant kind that holds them.
// Texts use the decimal separator of FormatSettings; a malformed text raises EBcdException.

#include "rtl/Exceptions.h"
#include "rtl/SysUtils.h"
#include "rtl/Variants.h"

TAVREN_DECLARE_EXCEPTION(EBcdException, Exception);
TAVREN_DECLARE_EXCEPTION(EBcdOverflowException, EBcdException);

#pragma pack(push, 1)
struct TBcd {
  Byte Precision = 1;          // digits in Fraction, 1..64
  Byte SignSpecialPlaces = 0;  // bit 7 negative, bits 0..5 digits after the decimal point
  Byte Fraction[32] = {};
};
#pragma pack(pop)
static_assert(sizeof(TBcd) == 34);

TBcd StrToBcd(const String& text);
bool TryStrToBcd(const String& text, TBcd& bcd);
String BcdToStr(const TBcd& bcd);
// Exact for integers; other doubles by their shortest decimal text, cut to 64 digits.
TBcd DoubleToBcd(Double value);
Double BcdToDouble(const TBcd& bcd);
// -1, 0 or 1 by value (so 1.50 equals 1.5).
int BcdCompare(const TBcd& a, const TBcd& b);
// General format: at most Precision significant digits (0: all), no trailing zeros after the point.
String BcdToStrF(const TBcd& bcd, TFloatFormat format, Integer precision, Integer digits);

// The BCD variant kind, registered on first use.
TVarType VarFMTBcd();
Variant VarFMTBcdCreate(const TBcd& bcd);
bool VarIsFMTBcd(const Variant& value);
// Any value that converts to a number or a decimal text.
TBcd VarToBcd(const Variant& value);
