#include "toolkit/controls/WbUnits.h"

#include "toolkit/controls/WbCommon.h"

void WbControlsStart() { WbCommonStart(); }

void WbControlsEnd() {}
