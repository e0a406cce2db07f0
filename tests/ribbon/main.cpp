#include <gtest/gtest.h>

#include "controls/ControlsUnits.h"
#include "gdi/GdiUnits.h"
#include "rtl/RtlUnits.h"
#include "toolkit/bars/BarsUnits.h"
#include "toolkit/editors/EditorsUnits.h"
#include "toolkit/ribbon/RibbonUnits.h"
#include "toolkit/foundation/FoundationUnits.h"
#include "user/Clock.h"
#include "user/UserUnits.h"
#include "vcl/VclUnits.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  FakeClock clock;
  SetClock(&clock);
  RtlStart();
  GdiStart();
  UserStart();
  ControlsStart();
  VclStart();
  FoundationStart();
  EditorsStart();
  BarsStart();
  RibbonStart();
  int result = RUN_ALL_TESTS();
  RibbonEnd();
  BarsEnd();
  EditorsEnd();
  FoundationEnd();
  VclEnd();
  ControlsEnd();
  UserEnd();
  GdiEnd();
  RtlEnd();
  SetClock(nullptr);
  return result;
}
