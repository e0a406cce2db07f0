#include <gtest/gtest.h>

#include <cstdlib>

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

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // Tests draw into the headless screen, whatever display the machine has.
  setenv("TAVREN_BACKEND", "headless", 1);
  // The preview's sound goes nowhere: no test listens.
  setenv("SDL_AUDIODRIVER", "dummy", 0);
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
  int result = RUN_ALL_TESTS();
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
