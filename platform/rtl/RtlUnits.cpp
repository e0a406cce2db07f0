#include "rtl/RtlUnits.h"

#include "rtl/FormatSettings.h"

void RtlStart() {
  FormatSettingsStart();
}

void RtlEnd() {}
