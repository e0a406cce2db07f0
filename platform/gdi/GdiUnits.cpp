#include "gdi/GdiUnits.h"

#include "gdi/Fonts.h"
#include "gdi/GdiObjects.h"
#include "gdi/SysColors.h"

void GdiStart() {
  GdiObjectsStart();
  SysColorsStart();
  FontsStart();
}

void GdiEnd() {
  FontsEnd();
  SysColorsEnd();
  GdiObjectsEnd();
}
