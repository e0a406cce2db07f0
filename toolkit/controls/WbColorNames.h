#pragma once
// The Wb colour-name table: forty named plain colours and the thirty system colours, each with its
// display name from the string table (ids 64720 onward, in row order). Filled at start-up,
// emptied at shutdown.

#include "rtl/Types.h"

struct TColorData {
  TColor Value;
  String Name;
};

constexpr Integer WbColorNameCount = 70;
extern TColorData WbColorNameTable[WbColorNameCount];

void WbColorNamesStart();
void WbColorNamesEnd();
