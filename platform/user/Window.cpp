#include "user/Window.h"

#include <algorithm>

#include "user/MessageQueue.h"

namespace {

// Handles carry the slot (bits 2..17) and a generation (bits 18..30), so that a stale handle
// names nothing instead of a newer window, and no handle falls on HWND_BOTTOM (1), the negative
// HWND_ constants or HWND_BROADCAST (0xFFFF).
constexpr size_t kMaxWindows = 0xFFFF;
constexpr uint32_t kMaxGeneration = 0x1FFF;

struct Slot {
  std::unique_ptr<Window> window;
  uint32_t generation = 0;
};

// The table is never destroyed: exit handlers and static destructors may still destroy windows.
std::mutex& gTableMutex = *new std::mutex;
// Reserved once: reads on the user-interface thread take no lock, so the slots never move.
std::vector<Slot>& gSlots = *new std::vector<Slot>;
std::vector<size_t>& gFreeSlots = *new std::vector<size_t>;
// Windows whose handle is gone while a procedure of theirs still runs.
std::vector<std::unique_ptr<Window>>& gZombies = *new std::vector<std::unique_ptr<Window>>;

HWND EncodeHandle(size_t index, uint32_t generation) {
  return reinterpret_cast<HWND>((static_cast<uintptr_t>(generation) << 18) | ((index + 1) << 2));
}

bool DecodeHandle(HWND handle, size_t* index, uint32_t* generation) {
  uintptr_t value = reinterpret_cast<uintptr_t>(handle);
  if (value & 3) return false;
  size_t slot = (value >> 2) & 0xFFFF;
  if (slot == 0) return false;
  *index = slot - 1;
  *generation = static_cast<uint32_t>(value >> 18);
  return *index < gSlots.size();
}

Window* Lookup(HWND handle) {
  size_t index;
  uint32_t generation;
  if (!DecodeHandle(handle, &index, &generation)) return nullptr;
  const Slot& slot = gSlots[index];
  return slot.generation == generation ? slot.window.get() : nullptr;
}

void FreeZombie(Window* window) {
  auto it = std::find_if(gZombies.begin(), gZombies.end(), [&](const auto& z) { return z.get() == window; });
  if (it != gZombies.end()) gZombies.erase(it);
}

Window* gDesktop = nullptr;
uint64_t gLayouts = 0;

}  // namespace

Window* WindowFromHandle(HWND handle) {
  if (handle == nullptr) return nullptr;
  return Lookup(handle);
}

Window* Desktop() { return gDesktop; }

void SetDesktopWindowObject(Window* desktop) { gDesktop = desktop; }

HWND AllocateWindowHandle(Window* window) {
  std::lock_guard<std::mutex> lock(gTableMutex);
  if (gSlots.capacity() < kMaxWindows) gSlots.reserve(kMaxWindows);
  size_t index;
  if (!gFreeSlots.empty()) {
    index = gFreeSlots.back();
    gFreeSlots.pop_back();
  } else {
    if (gSlots.size() >= kMaxWindows) return nullptr;
    index = gSlots.size();
    gSlots.emplace_back();
  }
  Slot& slot = gSlots[index];
  slot.generation = slot.generation % kMaxGeneration + 1;
  slot.window.reset(window);
  window->handle = EncodeHandle(index, slot.generation);
  return window->handle;
}

void ReleaseWindowHandle(Window* window) {
  std::unique_ptr<Window> owned;
  {
    std::lock_guard<std::mutex> lock(gTableMutex);
    size_t index;
    uint32_t generation;
    if (!DecodeHandle(window->handle, &index, &generation)) return;
    Slot& slot = gSlots[index];
    if (slot.window.get() != window) return;
    owned = std::move(slot.window);
    gFreeSlots.push_back(index);
  }
  window->destroyed = true;
  if (window->busy > 0) gZombies.push_back(std::move(owned));
}

MessageQueue* QueueOfWindow(HWND handle, std::unique_lock<std::mutex>& lock) {
  lock = std::unique_lock<std::mutex>(gTableMutex);
  Window* window = Lookup(handle);
  return window ? window->queue : nullptr;
}

WindowGuard::~WindowGuard() {
  if (FWindow && --FWindow->busy == 0 && FWindow->destroyed) FreeZombie(FWindow);
}

POINT ClientOrigin(const Window* window) {
  POINT origin{window->clientRect.Left, window->clientRect.Top};
  for (const Window* p = window->parent; p && p->parent; p = p->parent) {
    origin.X += p->clientRect.Left;
    origin.Y += p->clientRect.Top;
  }
  return origin;
}

POINT WindowOrigin(const Window* window) {
  POINT origin{window->windowRect.Left, window->windowRect.Top};
  for (const Window* p = window->parent; p && p->parent; p = p->parent) {
    origin.X += p->clientRect.Left;
    origin.Y += p->clientRect.Top;
  }
  return origin;
}

Window* TopLevelOf(Window* window) {
  while (window && window->parent && !window->IsTopLevel()) window = window->parent;
  return window;
}

void ChildLayoutChanged(Window* parent) {
  // One counter for all parents: a stamp taken under one parent never matches another's.
  ++gLayouts;
  if (parent) parent->childLayout = gLayouts;
}

uint64_t WindowLayoutStamp() { return gLayouts; }

bool IsReallyVisible(const Window* window) {
  for (const Window* w = window; w && w != Desktop(); w = w->parent) {
    if (!w->Visible()) return false;
  }
  return window != nullptr;
}

LRESULT CallProcedure(Window* window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!window || window->destroyed || !window->proc) return 0;
  WindowGuard guard(window);
  return window->proc(window->handle, message, wParam, lParam);
}
