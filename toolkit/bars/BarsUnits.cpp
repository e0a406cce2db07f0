#include "toolkit/bars/BarsUnits.h"

#include "toolkit/bars/kvAccessibility.h"
#include "toolkit/bars/qzBar.h"

void BarsStart() {
  kvAccessibilityStart();
  qzBarStart();
}

void BarsEnd() {
  qzBarEnd();
  kvAccessibilityEnd();
}
