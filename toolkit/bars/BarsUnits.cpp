#include "toolkit/bars/BarsUnits.h"

#include "toolkit/bars/kvAccessibility.h"
#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarExtItems.h"
#include "toolkit/bars/qzBarSkin.h"

void BarsStart() {
  kvAccessibilityStart();
  qzBarStart();
  qzBarSkinStart();
  qzBarExtItemsStart();
}

void BarsEnd() {
  qzBarExtItemsEnd();
  qzBarSkinEnd();
  qzBarEnd();
  kvAccessibilityEnd();
}
