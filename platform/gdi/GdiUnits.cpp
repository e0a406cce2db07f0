#include "gdi/GdiUnits.h"

#include "gdi/DwmApi.h"
#include "gdi/Fonts.h"
#include "gdi/GdiObjects.h"
#include "gdi/GdiPlus.h"
#include "gdi/MsImg32.h"
#include "gdi/SysColors.h"
#include "gdi/UxTheme.h"

void GdiStart() {
  GdiObjectsStart();
  SysColorsStart();
  FontsStart();
  UxThemeStart();
  DwmApiStart();
  MsImg32Start();
  GdiPlusStart();
}

void GdiEnd() {
  FontsEnd();
  SysColorsEnd();
  GdiObjectsEnd();
}
