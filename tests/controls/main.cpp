#include <gtest/gtest.h>

#include "controls/ControlsUnits.h"
#include "gdi/GdiUnits.h"
#include "rtl/RtlUnits.h"
#include "user/Clock.h"
#include "user/UserUnits.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  RtlStart();
  GdiStart();
  UserStart();
  ControlsStart();
  // Repeats, carets and double clicks run on a clock the tests move themselves.
  FakeClock clock;
  SetClock(&clock);
  int result = RUN_ALL_TESTS();
  SetClock(nullptr);
  ControlsEnd();
  UserEnd();
  GdiEnd();
  RtlEnd();
  return result;
}
