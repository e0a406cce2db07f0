#include <gtest/gtest.h>

#include "controls/ControlsUnits.h"
#include "gdi/GdiUnits.h"
#include "rtl/RtlUnits.h"
#include "toolkit/editors/EditorsUnits.h"
#include "toolkit/foundation/FoundationUnits.h"
#include "toolkit/skins/SkinsUnits.h"
#include "user/Clock.h"
#include "user/UserUnits.h"
#include "vcl/VclUnits.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  FakeClock clock;
  SetClock(&clock);
  RtlStart();
  GdiStart();
  UserStart();
  ControlsStart();
  VclStart();
  FoundationStart();
  // The skins give the editors' pictures a skinned look.
  SkinsStart();
  EditorsStart();
  int result = RUN_ALL_TESTS();
  EditorsEnd();
  SkinsEnd();
  FoundationEnd();
  VclEnd();
  ControlsEnd();
  UserEnd();
  GdiEnd();
  RtlEnd();
  SetClock(nullptr);
  return result;
}
