#include "toolkit/inspector/InspectorUnits.h"

#include "toolkit/inspector/JyThemesSupport.h"

void InspectorStart() { JyThemesSupportStart(); }

void InspectorEnd() {}
