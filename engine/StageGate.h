#pragma once
// The gate every stage passes before each unit of work: it holds the stages while the job is
// paused and tells them to stop when the job is cancelled or has failed.

#include <condition_variable>
#include <mutex>

class StageGate {
 public:
  // Waits while paused; false once the job is stopping.
  bool Proceed() {
    std::unique_lock lock(FLock);
    FChanged.wait(lock, [&] { return !FPaused || FStopped; });
    return !FStopped;
  }

  void Pause() { Set(FPaused, true); }
  void Continue() { Set(FPaused, false); }
  void Stop() { Set(FStopped, true); }

  bool Stopped() const {
    std::lock_guard lock(FLock);
    return FStopped;
  }

 private:
  void Set(bool& flag, bool value) {
    std::lock_guard lock(FLock);
    flag = value;
    FChanged.notify_all();
  }

  mutable std::mutex FLock;
  std::condition_variable FChanged;
  bool FPaused = false;
  bool FStopped = false;
};
