#pragma once
// The 80-bit x87 extended-precision form that streams of the framework hold (10 bytes, little
// endian: a 64-bit significand with its explicit integer bit, then sign and a 15-bit exponent),
// converted in software so it reads the same on every processor.

#include "rtl/Types.h"

// Exact: every double has an extended form.
void DoubleToExtended80(Double value, Byte bytes[10]);
// Rounded to the nearest double (halves to even); values beyond the double range become
// infinities of their sign, values below it zero or a subnormal. NaNs stay NaNs.
Double Extended80ToDouble(const Byte bytes[10]);
