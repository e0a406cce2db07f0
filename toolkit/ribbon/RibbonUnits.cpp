#include "toolkit/ribbon/RibbonUnits.h"

#include "toolkit/ribbon/qzRibbon.h"
#include "toolkit/ribbon/qzRibbonSkins.h"
#include "toolkit/ribbon/qzStatusBar.h"

void RibbonStart() {
  qzRibbonSkinsStart();
  qzStatusBarStart();
  qzRibbonStart();
}

void RibbonEnd() {
  qzRibbonEnd();
  qzStatusBarEnd();
  qzRibbonSkinsEnd();
}
