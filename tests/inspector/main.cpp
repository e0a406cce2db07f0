#include <gtest/gtest.h>

#include "controls/ControlsUnits.h"
#include "gdi/GdiUnits.h"
#include "rtl/RtlUnits.h"
#include "toolkit/inspector/InspectorUnits.h"
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
  InspectorStart();
  int result = RUN_ALL_TESTS();
  InspectorEnd();
  VclEnd();
  ControlsEnd();
  UserEnd();
  GdiEnd();
  RtlEnd();
  SetClock(nullptr);
  return result;
}
