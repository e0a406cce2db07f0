#include "toolkit/inspector/InspectorUnits.h"

#include "toolkit/inspector/JyEdit.h"
#include "toolkit/inspector/JyThemesSupport.h"

void InspectorStart() {
  JyThemesSupportStart();
  JyEditStart();
}

void InspectorEnd() {}
