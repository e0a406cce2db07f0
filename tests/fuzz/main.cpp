#include <gtest/gtest.h>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);  // fuzz/FuzzMain.cpp

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  LLVMFuzzerInitialize(&argc, &argv);
  return RUN_ALL_TESTS();
}
