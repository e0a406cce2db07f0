#pragma once
// Runs a benchmark pass with the editors' units started, a fake clock and a headless screen.

#include "backend/HeadlessBackend.h"
#include "controls/ControlsUnits.h"
#include "toolkit/editors/EditorsUnits.h"
#include "toolkit/foundation/FoundationUnits.h"
#include "user/Clock.h"
#include "user/UserUnits.h"
#include "vcl/VclUnits.h"

template <class F>
void WithHeadlessEditors(F&& Run) {
  FakeClock clock;
  SetClock(&clock);
  UserStart();
  ControlsStart();
  VclStart();
  FoundationStart();
  EditorsStart();
  {
    HeadlessBackend screen;
    SetDisplayBackend(&screen);
    Run();
    SetDisplayBackend(nullptr);
  }
  EditorsEnd();
  FoundationEnd();
  VclEnd();
  ControlsEnd();
  UserEnd();
}
