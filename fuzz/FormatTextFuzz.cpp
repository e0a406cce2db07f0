// Format, FormatFloat and FormatDateTime with hostile patterns: the input's first eight bytes are
// the number, the rest the pattern. A pattern that does not fit its arguments raises the
// conversion error, a date beyond any calendar the invalid-operation error; nothing else may go wrong.

#include <algorithm>
#include <cmath>
#include <cstring>

#include "FuzzTarget.h"
#include "rtl/DateUtils.h"
#include "rtl/Math.h"
#include "rtl/SysUtils.h"

TAVREN_FUZZ_TARGET(FormatText) {
  double number = 0;
  if (size >= sizeof number) {
    std::memcpy(&number, data, sizeof number);
    data += sizeof number;
    size -= sizeof number;
  }
  const String pattern(FuzzText(data, size));
  const TFormatSettings settings;
  try {
    FormatFloat(pattern, number, settings);
  } catch (const EConvertError&) {
  }
  const Integer whole = std::isfinite(number) ? static_cast<Integer>(std::clamp(number, -2e9, 2e9)) : 0;
  const TVarRec args[] = {TVarRec(whole), TVarRec(static_cast<Int64>(size) - 7), TVarRec(number),
                          TVarRec("text"), TVarRec(static_cast<Integer>(size)), TVarRec(number)};
  try {
    FormatArgs(pattern, args, settings);
  } catch (const EConvertError&) {
  }
  try {
    FormatDateTime(pattern, number, settings);
  } catch (const EConvertError&) {
  } catch (const EInvalidOp&) {
  }
}
