#include <gtest/gtest.h>

#include "gdi/GdiUnits.h"
#include "rtl/RtlUnits.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  RtlStart();
  GdiStart();
  int result = RUN_ALL_TESTS();
  GdiEnd();
  RtlEnd();
  return result;
}
