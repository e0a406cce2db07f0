#include "rtl/RtlUnits.h"

void RtlStart() {}

void RtlEnd() {}
