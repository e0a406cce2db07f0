#pragma once
// The clock the window manager reads: timers, GetTickCount, timeGetTime, Sleep and message times
// all go through it. Tests install a FakeClock and move time themselves; an idle GetMessage on a
// fake clock jumps straight to the next timer instead of waiting for it.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since an arbitrary start.
  virtual uint64_t Now() const = 0;
  virtual void Sleep(uint32_t milliseconds) = 0;
  // Blocks on wake (lock held by the caller) until woken or Now() reaches deadline
  // (UINT64_MAX: no deadline).
  virtual void WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& wake,
                         uint64_t deadline) = 0;
};

class SystemClock : public Clock {
 public:
  uint64_t Now() const override;
  void Sleep(uint32_t milliseconds) override;
  void WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& wake,
                 uint64_t deadline) override;
};

class FakeClock : public Clock {
 public:
  explicit FakeClock(uint64_t start = 1000) : FNow(start) {}
  uint64_t Now() const override { return FNow.load(); }
  // Sleeping on a fake clock moves it.
  void Sleep(uint32_t milliseconds) override { Advance(milliseconds); }
  // With a deadline the clock jumps to it; without one it waits for a real wake-up.
  void WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& wake,
                 uint64_t deadline) override;
  void Advance(uint64_t milliseconds) { FNow += milliseconds; }
  void Set(uint64_t now) { FNow = now; }

 private:
  std::atomic<uint64_t> FNow;
};

// The clock in use; a system clock until SetClock replaces it. SetClock(nullptr) goes back to
// the system clock. The caller keeps the clock alive while it is installed.
Clock& CurrentClock();
void SetClock(Clock* clock);
