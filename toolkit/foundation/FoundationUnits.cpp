#include "toolkit/foundation/FoundationUnits.h"

#include "toolkit/foundation/kvClasses.h"
#include "toolkit/foundation/kvControls.h"
#include "toolkit/foundation/kvDWMApi.h"
#include "toolkit/foundation/kvGeometry.h"
#include "toolkit/foundation/kvGraphics.h"
#include "toolkit/foundation/kvLookAndFeelPainters.h"
#include "toolkit/foundation/kvLookAndFeels.h"
#include "toolkit/foundation/kvScrollBar.h"
#include "toolkit/foundation/qzGDIPlusAPI.h"
#include "toolkit/foundation/qzGDIPlusClasses.h"
#include "toolkit/foundation/qzOffice11.h"
#include "toolkit/foundation/qzThemeManager.h"
#include "toolkit/foundation/qzUxTheme.h"

void FoundationStart() {
  kvClassesStart();
  kvGeometryStart();
  qzUxThemeStart();
  qzThemeManagerStart();
  kvDWMApiStart();
  qzOffice11Start();
  kvLookAndFeelsStart();
  kvLookAndFeelPaintersStart();
  kvGraphicsStart();
  kvScrollBarStart();
  kvControlsStart();
  qzGDIPlusAPIStart();
  qzGDIPlusClassesStart();
}

void FoundationEnd() {
  qzGDIPlusClassesEnd();
  qzGDIPlusAPIEnd();
  kvControlsEnd();
  kvScrollBarEnd();
  kvGraphicsEnd();
  kvLookAndFeelPaintersEnd();
  kvLookAndFeelsEnd();
  qzOffice11End();
  kvDWMApiEnd();
  qzThemeManagerEnd();
  qzUxThemeEnd();
  kvGeometryEnd();
  kvClassesEnd();
}
