// The table a program without resources links: empty and weak, so that the table rescomp
// generates for a program takes its place (see rtl/ResourceTable.h).
#include "rtl/ResourceTable.h"

extern "C" __attribute__((weak)) const TResourceTable TavrenResourceTable = {nullptr, 0};
