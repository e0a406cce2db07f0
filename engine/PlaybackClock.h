#pragma once
// The time line of a preview: where playback is, in 100-ns units of the source. It runs on the
// system clock and is pulled to the sound actually handed to the audio device whenever the two
// drift apart, so the sound is the master while there is sound and the system clock otherwise.
// It starts when the first picture or sound is ready, so a slow start drops nothing.

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "rtl/Types.h"

class PlaybackClock {
 public:
  explicit PlaybackClock(Int64 start);

  Int64 Now() const;
  // Starts the clock (once; later calls do nothing). Stays still while paused.
  void Start();
  void Pause();
  void Continue();
  bool Paused() const;
  // Where the sound is now: the clock follows it when the two are further apart than a frame of
  // sound steps (the device takes sound in blocks, so small differences are its granularity).
  void FollowSound(Int64 soundTime);
  // Playback has ended at `end`: the clock holds there from now on.
  void Hold(Int64 end);

  // Waits until the clock reaches `time`, `wake` is called, or `timeout` passes; true when the
  // time has come.
  bool WaitFor(Int64 time, std::chrono::milliseconds timeout);
  void Wake();

 private:
  using SteadyClock = std::chrono::steady_clock;
  Int64 NowLocked() const;
  void Rebase(Int64 time);

  mutable std::mutex FLock;
  std::condition_variable FChanged;
  Int64 FBase;                      // the time at FAnchor
  SteadyClock::time_point FAnchor;  // when FBase was taken
  bool FStarted = false;
  bool FPaused = false;
  bool FHeld = false;
  unsigned FWakes = 0;
};
