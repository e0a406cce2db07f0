// The hook chains. A chain is walked by handle, newest first; hooks removed while a chain runs
// are only marked, and swept once no chain is running, so that unhooking from inside a hook (or
// unhooking the next one) never pulls the chain from under its caller.

#include "user/Hooks.h"

#include <algorithm>
#include <vector>

#include "user/HookChains.h"

namespace {

struct Hook {
  HHOOK handle = nullptr;
  int type = 0;
  HOOKPROC proc = nullptr;
  DWORD threadId = 0;
  bool removed = false;
};

constexpr int kFirstType = WH_MSGFILTER;
constexpr int kLastType = WH_CALLWNDPROCRET;

std::vector<Hook> gHooks;  // newest first
uintptr_t gNextHandle = 0x2000;
int gRunning = 0;
int gLiveCount[kLastType - kFirstType + 1] = {};

void Sweep() {
  if (gRunning == 0) std::erase_if(gHooks, [](const Hook& h) { return h.removed; });
}

bool AppliesHere(const Hook& h, int type, DWORD thread) {
  return !h.removed && h.type == type && (h.threadId == 0 || h.threadId == thread);
}

// Calls the first live hook of the type after position `from` (inclusive).
LRESULT CallFrom(size_t from, int type, int code, WPARAM wParam, LPARAM lParam) {
  DWORD thread = GetCurrentThreadId();
  for (size_t i = from; i < gHooks.size(); ++i) {
    if (!AppliesHere(gHooks[i], type, thread)) continue;
    HOOKPROC proc = gHooks[i].proc;
    ++gRunning;
    LRESULT result = proc(code, wParam, lParam);
    --gRunning;
    Sweep();
    return result;
  }
  return 0;
}

}  // namespace

bool HooksInstalled(int type) {
  return type >= kFirstType && type <= kLastType && gLiveCount[type - kFirstType] > 0;
}

LRESULT CallHookChain(int type, int code, WPARAM wParam, LPARAM lParam) {
  if (!HooksInstalled(type)) return 0;
  return CallFrom(0, type, code, wParam, lParam);
}

HHOOK SetWindowsHookEx(int hookType, HOOKPROC procedure, HINSTANCE, DWORD threadId) {
  if (!procedure || hookType < kFirstType || hookType > kLastType) return nullptr;
  Hook hook;
  hook.handle = reinterpret_cast<HHOOK>(gNextHandle);
  gNextHandle += 4;
  hook.type = hookType;
  hook.proc = procedure;
  hook.threadId = threadId;
  gHooks.insert(gHooks.begin(), hook);
  gLiveCount[hookType - kFirstType]++;
  return hook.handle;
}

BOOL UnhookWindowsHookEx(HHOOK handle) {
  for (Hook& h : gHooks) {
    if (h.handle == handle && !h.removed) {
      h.removed = true;
      gLiveCount[h.type - kFirstType]--;
      Sweep();
      return TRUE;
    }
  }
  return FALSE;
}

LRESULT CallNextHookEx(HHOOK handle, int code, WPARAM wParam, LPARAM lParam) {
  auto it = std::find_if(gHooks.begin(), gHooks.end(), [&](const Hook& h) { return h.handle == handle; });
  if (it == gHooks.end()) return 0;
  size_t next = static_cast<size_t>(it - gHooks.begin()) + 1;
  return CallFrom(next, it->type, code, wParam, lParam);
}

BOOL CallMsgFilter(MSG* msg, int code) {
  if (!msg) return FALSE;
  return CallHookChain(WH_MSGFILTER, code, 0, reinterpret_cast<LPARAM>(msg)) != 0;
}
