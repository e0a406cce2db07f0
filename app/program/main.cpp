// The program: every library's units started in their order (the forms' classes, skins, colour
// schemes and editors registered before any window is made), then the converter itself.

#include "app/Converter.h"
#include "app/ProgramUnits.h"

int main() {
  ProgramUnitsStart();
  const int result = RunConverter();
  ProgramUnitsEnd();
  return result;
}
