#include <gtest/gtest.h>

#include <cstring>

#include "TestProgram.h"
#include "controls/ControlsUnits.h"
#include "gdi/GdiUnits.h"
#include "rtl/RtlUnits.h"
#include "tests/xserver/XDriver.h"
#include "user/UserUnits.h"
#include "vcl/VclUnits.h"

int main(int argc, char** argv) {
  // The scripts talk to the X server from threads of their own.
  EnableXThreads();
  // The program the process tests start: this binary again.
  if (argc == 3 && std::strcmp(argv[1], kTestProgramSwitch) == 0) return RunTestProgram(argv[2]);
  testing::InitGoogleTest(&argc, argv);
  RtlStart();
  GdiStart();
  UserStart();
  ControlsStart();
  VclStart();
  int result = RUN_ALL_TESTS();
  VclEnd();
  ControlsEnd();
  UserEnd();
  GdiEnd();
  RtlEnd();
  return result;
}
