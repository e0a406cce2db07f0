// The thread's message queue: posting, sending, and the retrieval order of GetMessage and
// PeekMessage (messages sent from other threads, posted messages, WM_QUIT, input, WM_PAINT,
// WM_TIMER).

#include "user/MessageQueue.h"

#include <strings.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <map>
#include <memory>

#include "user/Clock.h"
#include "user/HookChains.h"
#include "user/Hooks.h"
#include "user/Input.h"
#include "user/WindowTree.h"
#include "user/WindowInternals.h"

namespace {

// Never destroyed, like the main thread's queue below: exit handlers and static destructors may
// still destroy windows, which point to their queue.
std::mutex& gRegistryMutex = *new std::mutex;
std::map<DWORD, MessageQueue*>& gQueues = *new std::map<DWORD, MessageQueue*>;

thread_local MessageQueue* tQueue = nullptr;

// Frees the queue of a thread that ends; the main thread's queue stays for the exit path.
struct QueueReaper {
  ~QueueReaper() {
    if (!tQueue || ::syscall(SYS_gettid) == ::getpid()) return;
    {
      std::lock_guard<std::mutex> lock(gRegistryMutex);
      gQueues.erase(tQueue->threadId);
    }
    delete tQueue;
    tQueue = nullptr;
  }
};
thread_local QueueReaper tQueueReaper;

MSG MakeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG msg;
  msg.hwnd = window;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  msg.time = static_cast<DWORD>(CurrentClock().Now());
  GetCursorPos(&msg.pt);
  return msg;
}

LRESULT SendHere(Window* w, UINT message, WPARAM wParam, LPARAM lParam, bool fromOtherThread) {
  if (HooksInstalled(WH_CALLWNDPROC)) {
    CWPSTRUCT call{lParam, wParam, message, w->handle};
    WindowGuard guard(w);
    CallHookChain(WH_CALLWNDPROC, HC_ACTION, fromOtherThread, reinterpret_cast<LPARAM>(&call));
    if (w->destroyed) return 0;
  }
  // Read only now: a hook may have replaced the procedure to swallow this very message.
  LRESULT result = CallProcedure(w, message, wParam, lParam);
  if (HooksInstalled(WH_CALLWNDPROCRET)) {
    CWPRETSTRUCT ret{result, lParam, wParam, message, w->handle};
    CallHookChain(WH_CALLWNDPROCRET, HC_ACTION, fromOtherThread, reinterpret_cast<LPARAM>(&ret));
  }
  return result;
}

}  // namespace

LRESULT SendInternalMessage(Window* window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!window || window->destroyed) return 0;
  return SendHere(window, message, wParam, lParam, false);
}

namespace {

// Queues a message for another thread's window; waits for the answer unless it is a notification.
LRESULT SendToOtherThread(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool notify) {
  MessageQueue& me = CurrentQueue();
  std::unique_lock<std::mutex> table;
  MessageQueue* target = QueueOfWindow(window, table);
  if (!target) return 0;
  auto record = std::make_unique<CrossThreadSend>();
  record->msg = MakeMessage(window, message, wParam, lParam);
  record->notify = notify;
  CrossThreadSend* pending = record.get();
  {
    std::lock_guard<std::mutex> lock(target->mutex);
    target->sent.push_back(record.release());
    target->Arrived(QS_SENDMESSAGE);
  }
  table.unlock();
  if (notify) return 0;
  std::unique_ptr<CrossThreadSend> owned(pending);
  for (;;) {
    {
      std::unique_lock<std::mutex> lock(target->mutex);
      if (target->sendDone.wait_for(lock, std::chrono::milliseconds(5), [&] { return pending->done; })) {
        return pending->result;
      }
    }
    // Answer what is sent to us meanwhile, so that two threads sending to each other go on.
    ReceiveCrossThreadSends(me);
  }
}

void MarkLooked(MessageQueue& q) {
  std::lock_guard<std::mutex> lock(q.mutex);
  q.seenWakeCount = q.wakeCount;
  q.lastLookTime = CurrentClock().Now();
}

bool Peek(MessageQueue& q, MSG* msg, HWND filter, UINT filterMin, UINT filterMax, UINT flags) {
  bool remove = (flags & PM_REMOVE) != 0;
  PumpNativeEvents();
  ReceiveCrossThreadSends(q);
  DeliverDueHeldInput(q);
  bool found = false;
  {
    std::lock_guard<std::mutex> lock(q.mutex);
    for (auto it = q.posted.begin(); it != q.posted.end(); ++it) {
      if (!MessagePassesFilter(it->message, filterMin, filterMax) || !WindowPassesFilter(it->hwnd, filter)) continue;
      *msg = *it;
      if (remove) q.posted.erase(it);
      found = true;
      break;
    }
    // WM_QUIT is given whatever the filter, as on the platform.
    if (!found && q.quitPosted) {
      *msg = MakeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(q.quitCode), 0);
      if (remove) q.quitPosted = false;
      found = true;
    }
  }
  if (!found) found = TakeInputMessage(q, filter, filterMin, filterMax, remove, msg);
  if (!found && MessagePassesFilter(WM_PAINT, filterMin, filterMax)) found = TakePaintMessage(q, filter, msg);
  if (!found && MessagePassesFilter(WM_TIMER, filterMin, filterMax)) found = TakeDueTimer(q, filter, remove, msg);
  if (!found && MessagePassesFilter(WM_MOUSEHOVER, filterMin, filterMax)) found = TakeHoverMessage(q, remove, msg);
  MarkLooked(q);
  if (!found) return false;
  q.lastMessageTime = msg->time;
  q.lastMessagePoint = msg->pt;
  if (HooksInstalled(WH_GETMESSAGE)) {
    CallHookChain(WH_GETMESSAGE, HC_ACTION, remove ? PM_REMOVE : PM_NOREMOVE, reinterpret_cast<LPARAM>(msg));
  }
  return true;
}

// Waits until something new arrives or `deadline` passes.
void WaitForChange(MessageQueue& q, uint64_t deadline) {
  PresentDirtySurfaces();
  std::unique_lock<std::mutex> lock(q.mutex);
  if (q.wakeCount != q.seenWakeCount || q.HasWaitingInput() || !q.sent.empty()) return;
  uint64_t now = CurrentClock().Now();
  if (deadline != UINT64_MAX && deadline <= now) return;
  // A backend with native events waits on them; a wake-up from a queue ends its wait too.
  lock.unlock();
  if (WaitNativeEvents(deadline == UINT64_MAX ? UINT64_MAX : deadline - now)) return;
  lock.lock();
  if (q.wakeCount != q.seenWakeCount || q.HasWaitingInput() || !q.sent.empty()) return;
  CurrentClock().WaitUntil(lock, q.wake, deadline);
}

uint64_t Earliest(uint64_t a, uint64_t b) { return a < b ? a : b; }

}  // namespace

MessageQueue& CurrentQueue() {
  if (!tQueue) {
    (void)&tQueueReaper;  // registers the reaper of this thread's queue
    tQueue = new MessageQueue;
    tQueue->threadId = GetCurrentThreadId();
    std::lock_guard<std::mutex> lock(gRegistryMutex);
    gQueues[tQueue->threadId] = tQueue;
  }
  return *tQueue;
}

MessageQueue* QueueOfThread(DWORD threadId, std::unique_lock<std::mutex>& lock) {
  lock = std::unique_lock<std::mutex>(gRegistryMutex);
  auto it = gQueues.find(threadId);
  return it == gQueues.end() ? nullptr : it->second;
}

void PostToQueue(MessageQueue& queue, const MSG& msg) {
  std::lock_guard<std::mutex> lock(queue.mutex);
  queue.posted.push_back(msg);
  queue.Arrived(QS_POSTMESSAGE);
}

void ReceiveCrossThreadSends(MessageQueue& q) {
  for (;;) {
    CrossThreadSend* record;
    {
      std::lock_guard<std::mutex> lock(q.mutex);
      if (q.sent.empty()) return;
      record = q.sent.front();
      q.sent.pop_front();
    }
    LRESULT result = 0;
    if (Window* w = WindowFromHandle(record->msg.hwnd)) {
      ++q.crossThreadSendDepth;
      result = SendHere(w, record->msg.message, record->msg.wParam, record->msg.lParam, true);
      --q.crossThreadSendDepth;
    }
    if (record->notify) {
      delete record;
      continue;
    }
    std::lock_guard<std::mutex> lock(q.mutex);
    record->result = result;
    record->done = true;
    q.sendDone.notify_all();
  }
}

bool WindowPassesFilter(HWND window, HWND filter) {
  if (filter == nullptr) return true;
  if (filter == reinterpret_cast<HWND>(static_cast<intptr_t>(-1))) return window == nullptr;
  return window == filter || IsChild(filter, window);
}

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window == HWND_BROADCAST) {
    std::vector<HWND> all;
    for (Window* t = Desktop()->firstChild; t; t = t->next) all.push_back(t->handle);
    for (HWND h : all) SendMessage(h, message, wParam, lParam);
    return 0;
  }
  MessageQueue& me = CurrentQueue();
  Window* w = WindowFromHandle(window);
  if (w && w->queue == &me) return SendHere(w, message, wParam, lParam, false);
  return SendToOtherThread(window, message, wParam, lParam, false);
}

BOOL SendNotifyMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window == HWND_BROADCAST) {
    std::vector<HWND> all;
    for (Window* t = Desktop()->firstChild; t; t = t->next) all.push_back(t->handle);
    for (HWND h : all) SendNotifyMessage(h, message, wParam, lParam);
    return TRUE;
  }
  Window* w = WindowFromHandle(window);
  if (w && w->queue == &CurrentQueue()) {
    SendHere(w, message, wParam, lParam, false);
    return TRUE;
  }
  std::unique_lock<std::mutex> table;
  if (!QueueOfWindow(window, table)) return FALSE;
  table.unlock();
  SendToOtherThread(window, message, wParam, lParam, true);
  return TRUE;
}

BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window == nullptr) return PostThreadMessage(GetCurrentThreadId(), message, wParam, lParam);
  if (window == HWND_BROADCAST) {
    std::vector<HWND> all;
    for (Window* t = Desktop()->firstChild; t; t = t->next) all.push_back(t->handle);
    for (HWND h : all) PostMessage(h, message, wParam, lParam);
    return TRUE;
  }
  MSG msg = MakeMessage(window, message, wParam, lParam);
  std::unique_lock<std::mutex> table;
  MessageQueue* queue = QueueOfWindow(window, table);
  if (!queue) return FALSE;
  PostToQueue(*queue, msg);
  return TRUE;
}

BOOL PostThreadMessage(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
  if (threadId == GetCurrentThreadId()) CurrentQueue();
  MSG msg = MakeMessage(nullptr, message, wParam, lParam);
  std::unique_lock<std::mutex> registry;
  MessageQueue* queue = QueueOfThread(threadId, registry);
  if (!queue) return FALSE;
  PostToQueue(*queue, msg);
  return TRUE;
}

void PostQuitMessage(int exitCode) {
  MessageQueue& q = CurrentQueue();
  std::lock_guard<std::mutex> lock(q.mutex);
  q.quitPosted = true;
  q.quitCode = exitCode;
  q.Arrived(QS_POSTMESSAGE);
}

UINT RegisterWindowMessage(const char* name) {
  static std::mutex mutex;
  static std::vector<std::string> names;
  if (!name || !*name) return 0;
  std::lock_guard<std::mutex> lock(mutex);
  for (size_t i = 0; i < names.size(); ++i) {
    if (strcasecmp(names[i].c_str(), name) == 0) return static_cast<UINT>(0xC000 + i);
  }
  if (names.size() >= 0x4000) return 0;
  names.emplace_back(name);
  return static_cast<UINT>(0xC000 + names.size() - 1);
}

BOOL PeekMessage(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
  if (!msg) return FALSE;
  MessageQueue& q = CurrentQueue();
  if (Peek(q, msg, window, filterMin, filterMax, removeFlags)) return TRUE;
  PresentDirtySurfaces();
  return FALSE;
}

BOOL GetMessage(MSG* msg, HWND window, UINT filterMin, UINT filterMax) {
  if (!msg) return -1;
  MessageQueue& q = CurrentQueue();
  for (;;) {
    if (Peek(q, msg, window, filterMin, filterMax, PM_REMOVE)) return msg->message != WM_QUIT;
    uint64_t deadline = UINT64_MAX;
    if (MessagePassesFilter(WM_TIMER, filterMin, filterMax)) deadline = NextTimerDue(q, window);
    if (MessagePassesFilter(WM_MOUSEHOVER, filterMin, filterMax)) deadline = Earliest(deadline, NextHoverDue());
    WaitForChange(q, Earliest(deadline, NextHeldInputDue(q)));
  }
}

BOOL WaitMessage() {
  MessageQueue& q = CurrentQueue();
  uint64_t deadline = Earliest(Earliest(NextTimerDue(q, nullptr, q.lastLookTime), NextHoverDue()), NextHeldInputDue(q));
  WaitForChange(q, deadline);
  MarkLooked(q);
  return TRUE;
}

DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE*, BOOL, DWORD milliseconds, DWORD) {
  if (count != 0) return WAIT_FAILED;
  MessageQueue& q = CurrentQueue();
  uint64_t start = CurrentClock().Now();
  uint64_t limit = milliseconds == INFINITE ? UINT64_MAX : start + milliseconds;
  uint64_t deadline =
      Earliest(Earliest(Earliest(NextTimerDue(q, nullptr, q.lastLookTime), NextHoverDue()), NextHeldInputDue(q)), limit);
  uint64_t before;
  {
    std::lock_guard<std::mutex> lock(q.mutex);
    before = q.wakeCount;
    if (q.wakeCount != q.seenWakeCount || q.HasWaitingInput() || !q.sent.empty()) return WAIT_OBJECT_0;
  }
  WaitForChange(q, deadline);
  std::lock_guard<std::mutex> lock(q.mutex);
  bool woke = q.wakeCount != before || q.HasWaitingInput() || !q.sent.empty();
  if (!woke && CurrentClock().Now() >= limit) return WAIT_TIMEOUT;
  return WAIT_OBJECT_0;
}

BOOL TranslateMessage(const MSG* msg) {
  if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return FALSE;
  uint32_t character = CharacterOfKeyMessage(*msg);
  if (character == 0) return TRUE;
  UINT charMessage = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
  MessageQueue& q = CurrentQueue();
  // UTF-8 plays the multi-byte code page: a character above 0x7F arrives as its bytes.
  char bytes[4];
  int count = 0;
  if (character < 0x80) {
    bytes[count++] = static_cast<char>(character);
  } else if (character < 0x800) {
    bytes[count++] = static_cast<char>(0xC0 | (character >> 6));
    bytes[count++] = static_cast<char>(0x80 | (character & 0x3F));
  } else if (character < 0x10000) {
    bytes[count++] = static_cast<char>(0xE0 | (character >> 12));
    bytes[count++] = static_cast<char>(0x80 | ((character >> 6) & 0x3F));
    bytes[count++] = static_cast<char>(0x80 | (character & 0x3F));
  } else {
    bytes[count++] = static_cast<char>(0xF0 | (character >> 18));
    bytes[count++] = static_cast<char>(0x80 | ((character >> 12) & 0x3F));
    bytes[count++] = static_cast<char>(0x80 | ((character >> 6) & 0x3F));
    bytes[count++] = static_cast<char>(0x80 | (character & 0x3F));
  }
  for (int i = 0; i < count; ++i) {
    MSG typed = *msg;
    typed.message = charMessage;
    typed.wParam = static_cast<BYTE>(bytes[i]);
    PostToQueue(q, typed);
  }
  return TRUE;
}

LRESULT DispatchMessage(const MSG* msg) {
  if (!msg) return 0;
  if (msg->message == WM_TIMER && msg->lParam) {
    auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
    if (msg->hwnd && !IsWindow(msg->hwnd)) return 0;
    proc(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
    return 0;
  }
  Window* w = WindowFromHandle(msg->hwnd);
  if (!w || !WindowOfCurrentThread(w)) return 0;
  return CallProcedure(w, msg->message, msg->wParam, msg->lParam);
}

DWORD GetMessagePos() {
  const MessageQueue& q = CurrentQueue();
  return MAKELONG(static_cast<WORD>(q.lastMessagePoint.X), static_cast<WORD>(q.lastMessagePoint.Y));
}

LONG GetMessageTime() { return static_cast<LONG>(CurrentQueue().lastMessageTime); }

BOOL InSendMessage() { return CurrentQueue().crossThreadSendDepth > 0; }

DWORD GetQueueStatus(UINT flags) {
  MessageQueue& q = CurrentQueue();
  UINT present = 0;
  if (q.HasWaitingInput()) present |= QS_INPUT;
  if (NextTimerDue(q, nullptr) <= CurrentClock().Now()) present |= QS_TIMER;
  if (q.windowsToPaint > 0) present |= QS_PAINT;
  std::lock_guard<std::mutex> lock(q.mutex);
  if (!q.posted.empty() || q.quitPosted) present |= QS_POSTMESSAGE | QS_ALLPOSTMESSAGE;
  if (!q.sent.empty()) present |= QS_SENDMESSAGE;
  UINT changed = q.changedBits & flags;
  q.changedBits &= ~flags;
  return MAKELONG(static_cast<WORD>(changed), static_cast<WORD>(present & flags));
}

BOOL GetInputState() { return CurrentQueue().HasWaitingInput(); }

LRESULT CallWindowProc(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!procedure) return 0;
  Window* w = WindowFromHandle(window);
  WindowGuard guard(w);
  return procedure(window, message, wParam, lParam);
}

DWORD GetCurrentThreadId() {
  thread_local DWORD id = static_cast<DWORD>(syscall(SYS_gettid));
  return id;
}

DWORD GetCurrentProcessId() { return static_cast<DWORD>(getpid()); }

DWORD GetWindowThreadProcessId(HWND window, DWORD* processId) {
  Window* w = WindowFromHandle(window);
  if (!w) return 0;
  if (processId) *processId = GetCurrentProcessId();
  return w->threadId;
}
