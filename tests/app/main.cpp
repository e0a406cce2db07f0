#include <gtest/gtest.h>

#include <cstdlib>

#include "app/ProgramUnits.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // Tests draw into the headless screen, whatever display the machine has.
  setenv("TAVREN_BACKEND", "headless", 1);
  // The preview's sound goes nowhere: no test listens.
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  ProgramUnitsStart();
  int result = RUN_ALL_TESTS();
  ProgramUnitsEnd();
  return result;
}
