#include <gtest/gtest.h>

#include "rtl/RtlUnits.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  RtlStart();
  int result = RUN_ALL_TESTS();
  RtlEnd();
  return result;
}
