// Window and thread timers. They live in their thread's queue and are looked at only when the
// queue has nothing else to give, so a due timer makes one WM_TIMER however late it is.

#include "user/Timers.h"

#include <algorithm>

#include "user/Clock.h"
#include "user/MessageQueue.h"
#include "user/Window.h"

namespace {

std::vector<Timer>::iterator FindTimer(MessageQueue& queue, HWND window, UINT_PTR id) {
  return std::find_if(queue.timers.begin(), queue.timers.end(),
                      [&](const Timer& t) { return t.window == window && t.id == id; });
}

}  // namespace

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC timerProc) {
  MessageQueue& queue = CurrentQueue();
  if (window) {
    Window* w = WindowFromHandle(window);
    if (!w || w->queue != &queue) return 0;
  }
  elapse = std::clamp<UINT>(elapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
  uint64_t due = CurrentClock().Now() + elapse;
  if (!window) {
    auto existing = id ? FindTimer(queue, nullptr, id) : queue.timers.end();
    if (existing != queue.timers.end()) {
      *existing = {nullptr, id, elapse, timerProc, due};
      return id;
    }
    id = queue.nextThreadTimerId++;
    if (queue.nextThreadTimerId > 0x7FFF) queue.nextThreadTimerId = 1;
    queue.timers.push_back({nullptr, id, elapse, timerProc, due});
    return id;
  }
  auto existing = FindTimer(queue, window, id);
  if (existing != queue.timers.end()) {
    *existing = {window, id, elapse, timerProc, due};
  } else {
    queue.timers.push_back({window, id, elapse, timerProc, due});
  }
  return id ? id : 1;
}

BOOL KillTimer(HWND window, UINT_PTR id) {
  MessageQueue& queue = CurrentQueue();
  auto it = FindTimer(queue, window, id);
  if (it == queue.timers.end()) return FALSE;
  queue.timers.erase(it);
  return TRUE;
}

void KillWindowTimers(HWND window) {
  MessageQueue& queue = CurrentQueue();
  std::erase_if(queue.timers, [&](const Timer& t) { return t.window == window; });
}

uint64_t NextTimerDue(const MessageQueue& queue, HWND filter, uint64_t after) {
  uint64_t next = UINT64_MAX;
  for (const Timer& t : queue.timers) {
    if (t.due > after && WindowPassesFilter(t.window, filter)) next = std::min(next, t.due);
  }
  return next;
}

bool TakeDueTimer(MessageQueue& queue, HWND filter, bool remove, MSG* msg) {
  uint64_t now = CurrentClock().Now();
  Timer* due = nullptr;
  for (Timer& t : queue.timers) {
    if (t.due > now || !WindowPassesFilter(t.window, filter)) continue;
    if (!due || t.due < due->due) due = &t;
  }
  if (!due) return false;
  msg->hwnd = due->window;
  msg->message = WM_TIMER;
  msg->wParam = due->id;
  msg->lParam = reinterpret_cast<LPARAM>(due->proc);
  msg->time = static_cast<DWORD>(now);
  if (remove) due->due = now + due->elapse;
  return true;
}

DWORD GetTickCount() { return static_cast<DWORD>(CurrentClock().Now()); }

ULONGLONG GetTickCount64() { return CurrentClock().Now(); }

DWORD timeGetTime() { return static_cast<DWORD>(CurrentClock().Now()); }

void Sleep(DWORD milliseconds) { CurrentClock().Sleep(milliseconds); }
