#include "toolkit/ribbon/RibbonUnits.h"

#include "toolkit/ribbon/qzRibbonSkins.h"

void RibbonStart() { qzRibbonSkinsStart(); }

void RibbonEnd() { qzRibbonSkinsEnd(); }
