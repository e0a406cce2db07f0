#pragma once
// Result codes of every engine entry point: one byte, 0 for success. The conversion core turns a
// non-zero code into its error message, so the numbers are fixed.

#include "rtl/Types.h"

using TEngineResult = Byte;

enum : TEngineResult {
  erSuccess = 0,
  erInputNotFound = 1,      // "Cannot find input file"
  erCannotCreateOutput = 2, // "Cannot create output file"
  erUnsupportedFormat = 3,  // "Cannot support file format"
  erDecoderFailed = 4,      // "Cannot find/open decoder"
  erEncoderFailed = 5,      // "Cannot find/open encoder"
  erOutputParameters = 6,   // "Cannot support output parameters in this format"
};
