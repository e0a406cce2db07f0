#include <gtest/gtest.h>

#include "gdi/GdiUnits.h"
#include "rtl/RtlUnits.h"
#include "user/UserUnits.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  RtlStart();
  GdiStart();
  UserStart();
  int result = RUN_ALL_TESTS();
  UserEnd();
  GdiEnd();
  RtlEnd();
  return result;
}
