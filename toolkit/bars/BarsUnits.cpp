#include "toolkit/bars/BarsUnits.h"

#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarSkin.h"

void BarsStart() {
  qzBarStart();
  qzBarSkinStart();
}

void BarsEnd() {
  qzBarSkinEnd();
  qzBarEnd();
}
