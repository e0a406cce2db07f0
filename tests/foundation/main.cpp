#include <gtest/gtest.h>

#include "controls/ControlsUnits.h"
#include "gdi/GdiUnits.h"
#include "rtl/RtlUnits.h"
#include "toolkit/foundation/FoundationUnits.h"
#include "user/Clock.h"
#include "user/UserUnits.h"
#include "vcl/VclUnits.h"

// Ends the units main starts, last first; the exit-path test ends them from an exit handler too.
void EndUnits() {
  FoundationEnd();
  VclEnd();
  ControlsEnd();
  UserEnd();
  GdiEnd();
  RtlEnd();
}

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
  int result = RUN_ALL_TESTS();
  EndUnits();
  SetClock(nullptr);
  return result;
}
