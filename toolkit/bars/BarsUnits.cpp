#include "toolkit/bars/BarsUnits.h"

#include "toolkit/bars/qzBar.h"

void BarsStart() { qzBarStart(); }

void BarsEnd() { qzBarEnd(); }
