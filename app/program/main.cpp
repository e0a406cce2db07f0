// The program: every library's units started in their order (the forms' classes, skins, colour
// schemes and editors registered before any window is made), then the converter itself.

#include "app/AppUnits.h"
#include "app/Converter.h"
#include "backend/BackendStart.h"
#include "controls/ControlsUnits.h"
#include "engine/EngineUnits.h"
#include "gdi/GdiUnits.h"
#include "rtl/RtlUnits.h"
#include "toolkit/bars/BarsUnits.h"
#include "toolkit/controls/WbUnits.h"
#include "toolkit/editors/EditorsUnits.h"
#include "toolkit/foundation/FoundationUnits.h"
#include "toolkit/inspector/InspectorUnits.h"
#include "toolkit/ribbon/RibbonUnits.h"
#include "toolkit/skins/SkinsUnits.h"
#include "user/UserUnits.h"
#include "vcl/VclUnits.h"

int main() {
  RtlStart();
  GdiStart();
  UserStart();
  BackendStart();
  ControlsStart();
  VclStart();
  EngineStart();
  FoundationStart();
  SkinsStart();
  EditorsStart();
  BarsStart();
  RibbonStart();
  WbControlsStart();
  InspectorStart();
  AppStart();
  const int result = RunConverter();
  AppEnd();
  InspectorEnd();
  WbControlsEnd();
  RibbonEnd();
  BarsEnd();
  EditorsEnd();
  SkinsEnd();
  FoundationEnd();
  EngineEnd();
  VclEnd();
  ControlsEnd();
  BackendEnd();
  UserEnd();
  GdiEnd();
  RtlEnd();
  return result;
}
