// The start of every fuzzer program: the units the harnesses need, started once on the headless
// screen. The exit path is order-safe, so they are never ended.

#include <cstdlib>

#include "backend/BackendStart.h"
#include "controls/ControlsUnits.h"
#include "engine/EngineUnits.h"
#include "gdi/GdiUnits.h"
#include "rtl/RtlUnits.h"
#include "toolkit/foundation/FoundationUnits.h"
#include "user/UserUnits.h"
#include "vcl/VclUnits.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("TAVREN_BACKEND", "headless", 1);
  RtlStart();
  GdiStart();
  UserStart();
  BackendStart();
  ControlsStart();
  VclStart();
  FoundationStart();
  EngineStart();
  return 0;
}
