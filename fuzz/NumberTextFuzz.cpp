// Numbers read from text, with the default and a comma-decimal setting.

#include "FuzzTarget.h"
#include "rtl/SysUtils.h"

TAVREN_FUZZ_TARGET(NumberText) {
  const String text(FuzzText(data, size));
  TFormatSettings comma;
  comma.DecimalSeparator = ',';
  comma.ThousandSeparator = '.';
  for (const TFormatSettings& settings : {TFormatSettings(), comma}) {
    Extended value;
    if (TryStrToFloat(text, value, settings)) FloatToStrF(value, ffGeneral, 15, 0, settings);
  }
  Integer integer;
  Int64 wide;
  TryStrToInt(text, integer);
  TryStrToInt64(text, wide);
}
