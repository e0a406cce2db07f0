#include <gtest/gtest.h>

#include "MediaFixture.h"
#include "engine/EngineUnits.h"
#include "rtl/RtlUnits.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  testing::AddGlobalTestEnvironment(new MediaEnvironment);  // gtest owns it
  RtlStart();
  EngineStart();
  int result = RUN_ALL_TESTS();
  EngineEnd();
  RtlEnd();
  return result;
}
