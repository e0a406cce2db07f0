#include "toolkit/ribbon/RibbonUnits.h"

#include "toolkit/ribbon/qzRibbonSkins.h"
#include "toolkit/ribbon/qzStatusBar.h"

void RibbonStart() {
  qzRibbonSkinsStart();
  qzStatusBarStart();
}

void RibbonEnd() {
  qzStatusBarEnd();
  qzRibbonSkinsEnd();
}
