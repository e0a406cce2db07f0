#include <gtest/gtest.h>

#include <cstdlib>

#include "backend/BackendStart.h"
#include "controls/ControlsUnits.h"
#include "gdi/GdiUnits.h"
#include "rtl/RtlUnits.h"
#include "toolkit/controls/WbUnits.h"
#include "user/UserUnits.h"
#include "vcl/VclUnits.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // Tests draw into the headless screen, whatever display the machine has.
  setenv("TAVREN_BACKEND", "headless", 1);
  RtlStart();
  GdiStart();
  UserStart();
  BackendStart();
  ControlsStart();
  VclStart();
  WbControlsStart();
  int result = RUN_ALL_TESTS();
  WbControlsEnd();
  VclEnd();
  ControlsEnd();
  BackendEnd();
  UserEnd();
  GdiEnd();
  RtlEnd();
  return result;
}
