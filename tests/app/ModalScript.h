#pragma once
// Steps a test takes inside a modal loop the program runs (a dialog shown with ShowModal): the
// loop's idle time runs them in turn, each after the input the one before queued has been
// handled. A step answers false to be asked again later (it waits for something), true when it is
// done. While steps are left, each idle pass moves the test clock on a little and gives the
// engine's threads a moment of real time, so timers fire and pictures arrive as for a person.
// A step that keeps waiting (a minute of the test clock) fails the test and closes the active
// window, so that the loop ends instead of hanging.

#include <functional>
#include <vector>

#include "user/Clock.h"
#include "vcl/Forms.h"

class TModalScript : public TObject {
 public:
  using TStep = std::function<bool()>;
  explicit TModalScript(FakeClock& AClock) : FClock(AClock) {}
  ~TModalScript() override { Stop(); }
  // Installs the steps as the application's idle handler.
  void Run(std::vector<TStep> ASteps);
  // Removes the handler, steps left or not.
  void Stop();
  bool Finished() const { return FNext >= FSteps.size(); }
  size_t Next() const { return FNext; }

 private:
  void Idle(TObject* Sender, bool& Done);

  FakeClock& FClock;
  std::vector<TStep> FSteps;
  size_t FNext = 0;
  Integer FWaited = 0;
  bool FInstalled = false;
};
