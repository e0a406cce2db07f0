#pragma once
// The editors' units started over a headless screen with a fake clock, for the benchmarks that
// run real windows; everything ends with the scope.

#include "backend/HeadlessBackend.h"
#include "controls/ControlsUnits.h"
#include "toolkit/editors/EditorsUnits.h"
#include "toolkit/foundation/FoundationUnits.h"
#include "user/Clock.h"
#include "user/UserUnits.h"
#include "vcl/VclUnits.h"

class BenchScreen {
 public:
  BenchScreen() {
    SetClock(&clock);
    UserStart();
    ControlsStart();
    VclStart();
    FoundationStart();
    EditorsStart();
    screen = std::make_unique<HeadlessBackend>();
    SetDisplayBackend(screen.get());
  }
  ~BenchScreen() {
    SetDisplayBackend(nullptr);
    screen.reset();
    EditorsEnd();
    FoundationEnd();
    VclEnd();
    ControlsEnd();
    UserEnd();
  }

 private:
  FakeClock clock;
  std::unique_ptr<HeadlessBackend> screen;
};
