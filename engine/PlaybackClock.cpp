#include "engine/PlaybackClock.h"

#include <algorithm>
#include <cstdlib>

namespace {

// A device block of sound is about 20 ms; beyond this the clock is pulled to the sound.
constexpr Int64 kSoundTolerance = 400000;  // 40 ms

Int64 Ticks(std::chrono::steady_clock::duration d) {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(d).count() / 100;
}

}  // namespace

PlaybackClock::PlaybackClock(Int64 start) : FBase(start), FAnchor(SteadyClock::now()) {}

Int64 PlaybackClock::NowLocked() const {
  if (!FStarted || FPaused || FHeld) return FBase;
  return FBase + Ticks(SteadyClock::now() - FAnchor);
}

void PlaybackClock::Rebase(Int64 time) {
  FBase = time;
  FAnchor = SteadyClock::now();
  FChanged.notify_all();
}

Int64 PlaybackClock::Now() const {
  std::lock_guard lock(FLock);
  return NowLocked();
}

void PlaybackClock::Start() {
  std::lock_guard lock(FLock);
  if (FStarted) return;
  FStarted = true;
  Rebase(FBase);
}

void PlaybackClock::Pause() {
  std::lock_guard lock(FLock);
  if (FPaused) return;
  Rebase(NowLocked());
  FPaused = true;
}

void PlaybackClock::Continue() {
  std::lock_guard lock(FLock);
  if (!FPaused) return;
  FPaused = false;
  Rebase(FBase);
}

bool PlaybackClock::Paused() const {
  std::lock_guard lock(FLock);
  return FPaused;
}

void PlaybackClock::FollowSound(Int64 soundTime) {
  std::lock_guard lock(FLock);
  if (!FStarted || FPaused || FHeld) return;
  if (std::llabs(soundTime - NowLocked()) > kSoundTolerance) Rebase(soundTime);
}

void PlaybackClock::Hold(Int64 end) {
  std::lock_guard lock(FLock);
  FHeld = true;
  Rebase(end);
}

bool PlaybackClock::WaitFor(Int64 time, std::chrono::milliseconds timeout) {
  std::unique_lock lock(FLock);
  const unsigned wakes = FWakes;
  const auto deadline = SteadyClock::now() + timeout;
  for (;;) {
    const Int64 left = time - NowLocked();
    if (left <= 0) return true;
    if (FWakes != wakes) return false;
    auto until = deadline;
    if (FStarted && !FPaused && !FHeld && left / 10000 < timeout.count())
      until = std::min(until, SteadyClock::now() + std::chrono::microseconds(left / 10));
    if (FChanged.wait_until(lock, until) == std::cv_status::timeout && SteadyClock::now() >= deadline)
      return NowLocked() >= time;
  }
}

void PlaybackClock::Wake() {
  std::lock_guard lock(FLock);
  ++FWakes;
  FChanged.notify_all();
}
