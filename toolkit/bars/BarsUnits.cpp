#include "toolkit/bars/BarsUnits.h"

#include "toolkit/bars/kvAccessibility.h"
#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarSkin.h"

void BarsStart() {
  kvAccessibilityStart();
  qzBarStart();
  qzBarSkinStart();
}

void BarsEnd() {
  qzBarSkinEnd();
  qzBarEnd();
  kvAccessibilityEnd();
}
