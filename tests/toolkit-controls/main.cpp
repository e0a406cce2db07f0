#include <gtest/gtest.h>

#include "controls/ControlsUnits.h"
#include "gdi/GdiUnits.h"
#include "rtl/RtlUnits.h"
#include "toolkit/controls/WbUnits.h"
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
  WbControlsStart();
  int result = RUN_ALL_TESTS();
  WbControlsEnd();
  VclEnd();
  ControlsEnd();
  UserEnd();
  GdiEnd();
  RtlEnd();
  SetClock(nullptr);
  return result;
}
