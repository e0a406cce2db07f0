#include <gtest/gtest.h>

#include "MediaFixture.h"
#include "engine/EngineUnits.h"
#include "gdi/GdiUnits.h"
#include "rtl/RtlUnits.h"
#include "user/UserUnits.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  testing::AddGlobalTestEnvironment(new MediaEnvironment);  // gtest owns it
  RtlStart();
  GdiStart();
  UserStart();
  EngineStart();
  int result = RUN_ALL_TESTS();
  EngineEnd();
  UserEnd();
  GdiEnd();
  RtlEnd();
  return result;
}
