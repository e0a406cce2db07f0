#include "app/ProgramUnits.h"

#include "app/AppUnits.h"
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

void ProgramUnitsStart() {
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
}

void ProgramUnitsEnd() {
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
}
