#include "user/Clock.h"

#include <chrono>
#include <thread>

namespace {

SystemClock gSystemClock;
std::atomic<Clock*> gClock{nullptr};

}  // namespace

uint64_t SystemClock::Now() const {
  using namespace std::chrono;
  return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SystemClock::Sleep(uint32_t milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void SystemClock::WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& wake,
                            uint64_t deadline) {
  if (deadline == UINT64_MAX) {
    wake.wait(lock);
    return;
  }
  uint64_t now = Now();
  if (deadline > now) wake.wait_for(lock, std::chrono::milliseconds(deadline - now));
}

void FakeClock::WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& wake, uint64_t deadline) {
  if (deadline == UINT64_MAX) {
    wake.wait(lock);
    return;
  }
  if (deadline > FNow.load()) FNow = deadline;
}

Clock& CurrentClock() {
  Clock* clock = gClock.load();
  return clock ? *clock : gSystemClock;
}

void SetClock(Clock* clock) { gClock = clock; }
