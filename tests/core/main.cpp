#include <gtest/gtest.h>

#include "engine/EngineUnits.h"
#include "gdi/GdiUnits.h"
#include "rtl/RtlUnits.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  RtlStart();
  GdiStart();
  EngineStart();
  int result = RUN_ALL_TESTS();
  EngineEnd();
  GdiEnd();
  RtlEnd();
  return result;
}
