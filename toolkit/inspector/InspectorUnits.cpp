#include "toolkit/inspector/InspectorUnits.h"

#include "toolkit/inspector/JyEdit.h"
#include "toolkit/inspector/JyInspector.h"
#include "toolkit/inspector/JyPropertyItemDisplay.h"
#include "toolkit/inspector/JyThemesSupport.h"

void InspectorStart() {
  JyThemesSupportStart();
  JyEditStart();
  JyInspectorStart();
}

void InspectorEnd() { JyPropertyItemDisplayEnd(); }
