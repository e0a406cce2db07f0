#pragma once
// The message queue of a thread (internal to the window manager). Posted messages and messages
// sent from other threads are guarded by the queue's mutex, since any thread may add them; input,
// timers and everything else belong to the queue's own thread.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

#include "rtl/WinTypes.h"
#include "user/Backend.h"
#include "user/InputEvents.h"
#include "user/Messages.h"
#include "user/Timers.h"

// Input as it arrived, routed to a window only when a loop takes it (see InputRouting.cpp).
struct RawInput {
  enum class Kind { MouseMove, MouseButton, MouseWheel, Key } kind = Kind::MouseMove;
  POINT point;
  MouseButton button = MouseButton::Left;
  bool down = false;
  int wheelDelta = 0;
  UINT virtualKey = 0;
  uint32_t character = 0;
  DWORD time = 0;
  // The state when it happened: MK_ flags after it, and for keys Alt and Ctrl and whether the key
  // was down already.
  WPARAM mouseKeys = 0;
  bool altDown = false;
  bool ctrlDown = false;
  bool previousDown = false;
  BYTE characterSlot = 0;
  uint64_t serial = 0;
  // Routed once (by the first loop that looked at it), then kept as this message.
  bool routed = false;
  // Being routed: a loop that a hook or a routing message runs meanwhile passes over it, as the
  // message is taken already.
  bool routing = false;
  MSG routedMessage;
};

// A message sent from another thread; the sender waits on done unless it is a notification.
struct CrossThreadSend {
  MSG msg;
  LRESULT result = 0;
  bool notify = false;
  bool done = false;
};

struct Timer {
  HWND window = nullptr;
  UINT_PTR id = 0;
  UINT elapse = 0;
  TIMERPROC proc = nullptr;
  uint64_t due = 0;
};

struct MessageQueue {
  DWORD threadId = 0;

  std::mutex mutex;
  std::condition_variable wake;  // posted, sent or quit arrived
  std::condition_variable sendDone;
  std::deque<MSG> posted;
  std::deque<CrossThreadSend*> sent;
  bool quitPosted = false;
  int quitCode = 0;
  UINT changedBits = 0;  // QS_ kinds added since GetQueueStatus last looked
  uint64_t wakeCount = 0;  // counts everything that can end a wait

  std::deque<RawInput> input;
  // Input a loop could take: all but the entries being routed.
  bool HasWaitingInput() const {
    for (const RawInput& raw : input)
      if (!raw.routing) return true;
    return false;
  }
  uint64_t nextInputSerial = 1;
  // Input given after a pause (InputPause), kept out of `input` and out of the device state until
  // its delay has passed since the one before it came in. Its own thread only.
  struct HeldInput {
    uint64_t delay;
    std::function<void()> deliver;
  };
  std::deque<HeldInput> held;
  uint64_t heldSince = 0;     // when the one before the first held input came in
  uint64_t pendingPause = 0;  // pause for the next input given
  bool deliveringHeld = false;
  std::vector<Timer> timers;
  UINT_PTR nextThreadTimerId = 1;
  int windowsToPaint = 0;  // windows of this thread with something to paint
  uint64_t windowsMadeDirty = 0;  // counts windows that came to need paint
  // The window the last unfiltered search for a window to paint found, and the counts then: while
  // they hold, every window before it in paint order is still clean (Painting.cpp).
  HWND paintFound = nullptr;
  uint64_t paintFoundDirty = 0;
  uint64_t paintFoundLayout = 0;
  int crossThreadSendDepth = 0;
  uint64_t seenWakeCount = 0;   // wakeCount when a loop last looked into the queue
  uint64_t lastLookTime = 0;    // clock then: timers due before it no longer wake WaitMessage
  DWORD lastMessageTime = 0;
  POINT lastMessagePoint;

  // Something arrived that can end a wait (call with mutex held).
  void Arrived(UINT kind) {
    changedBits |= kind;
    ++wakeCount;
    wake.notify_all();
    WakeNativeEventWait();
  }
  // The same from the queue's own thread, without the lock held.
  void ArrivedHere(UINT kind) {
    std::lock_guard<std::mutex> lock(mutex);
    Arrived(kind);
  }
};

// The calling thread's queue, made on first use.
MessageQueue& CurrentQueue();
// The queue of a thread that has one, for posting: null when that thread has no queue. The
// registry lock is held by `lock` while the caller uses the queue.
MessageQueue* QueueOfThread(DWORD threadId, std::unique_lock<std::mutex>& lock);

// Lets in the held input whose time has come (InputEvents.cpp), and when the next is due.
void DeliverDueHeldInput(MessageQueue& queue);
uint64_t NextHeldInputDue(const MessageQueue& queue);

// Adds a posted message and wakes the owner (any thread).
void PostToQueue(MessageQueue& queue, const MSG& msg);
// Runs the messages other threads sent to this thread (its own thread only).
void ReceiveCrossThreadSends(MessageQueue& queue);

// Timers (Timers.cpp): the due timer for a window filter, made into WM_TIMER.
bool TakeDueTimer(MessageQueue& queue, HWND filter, bool remove, MSG* msg);
// The earliest due time of the timers that pass the filter and were not yet due at `after`.
uint64_t NextTimerDue(const MessageQueue& queue, HWND filter, uint64_t after = 0);
void KillWindowTimers(HWND window);

// Input routing (InputRouting.cpp): routes raw input at the head of the queue until a message
// passes the filter. False when no input message is there.
bool TakeInputMessage(MessageQueue& queue, HWND filter, UINT filterMin, UINT filterMax, bool remove,
                      MSG* msg);
// Mouse hover tracking that is due (InputTracking), as WM_MOUSEHOVER.
bool TakeHoverMessage(MessageQueue& queue, bool remove, MSG* msg);
uint64_t NextHoverDue();
// The character a key-down typed (0 when none), for TranslateMessage.
uint32_t CharacterOfKeyMessage(const MSG& msg);

// Painting (Painting.cpp): the next window of this thread that needs WM_PAINT.
bool TakePaintMessage(MessageQueue& queue, HWND filter, MSG* msg);

// Whether msg's window passes the filter (0: all, -1: thread messages only, else the window and
// its descendants).
bool WindowPassesFilter(HWND window, HWND filter);
inline bool MessagePassesFilter(UINT message, UINT filterMin, UINT filterMax) {
  return (filterMin == 0 && filterMax == 0) || (message >= filterMin && message <= filterMax);
}
