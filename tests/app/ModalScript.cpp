#include "ModalScript.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "user/Messages.h"
#include "user/Focus.h"

void TModalScript::Run(std::vector<TStep> ASteps) {
  FSteps = std::move(ASteps);
  FNext = 0;
  FWaited = 0;
  Application()->SetOnIdle(MakeEvent<&TModalScript::Idle>(this));
  FInstalled = true;
}

void TModalScript::Stop() {
  if (!FInstalled) return;
  Application()->SetOnIdle(nullptr);
  FInstalled = false;
}

void TModalScript::Idle(TObject*, bool& Done) {
  if (Finished()) return;
  // The loop comes back at once: nothing may wait on the test clock without a deadline.
  Done = false;
  FClock.Advance(10);
  std::this_thread::sleep_for(std::chrono::milliseconds(1));
  if (FSteps[FNext]()) {
    ++FNext;
    FWaited = 0;
  } else if (++FWaited == 6000) {
    ADD_FAILURE() << "step " << FNext << " waited in vain";
    FNext = FSteps.size();
    if (HWND active = GetActiveWindow()) PostMessage(active, WM_CLOSE, 0, 0);
  }
}
