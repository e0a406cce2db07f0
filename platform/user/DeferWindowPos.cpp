// Batches of window positions applied together.

#include <algorithm>
#include <memory>
#include <vector>

#include "user/WindowInternals.h"
#include "user/WindowPos.h"

struct HDWP__ {
  std::vector<WINDOWPOS> steps;
  Window* parent = nullptr;
};

namespace {

// The open batches: a handle is checked against them, so a stale or made-up one is refused
// rather than followed.
std::vector<std::unique_ptr<HDWP__>>& OpenBatches() {
  static std::vector<std::unique_ptr<HDWP__>> batches;
  return batches;
}

bool IsOpen(HDWP batch) {
  auto& batches = OpenBatches();
  return batch && std::any_of(batches.begin(), batches.end(), [&](const auto& b) { return b.get() == batch; });
}

// Takes the batch out of the open ones; the caller owns it.
std::unique_ptr<HDWP__> CloseBatch(HDWP batch) {
  auto& batches = OpenBatches();
  auto it = std::find_if(batches.begin(), batches.end(), [&](const auto& b) { return b.get() == batch; });
  if (it == batches.end()) return nullptr;
  std::unique_ptr<HDWP__> closed = std::move(*it);
  batches.erase(it);
  return closed;
}

}  // namespace

HDWP BeginDeferWindowPos(int numWindows) {
  if (numWindows < 0) return nullptr;
  auto batch = std::make_unique<HDWP__>();
  batch->steps.reserve(static_cast<size_t>(numWindows));
  OpenBatches().push_back(std::move(batch));
  return OpenBatches().back().get();
}

HDWP DeferWindowPos(HDWP batch, HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
  if (!IsOpen(batch)) return nullptr;
  Window* w = WindowFromHandle(window);
  if (!w || w == Desktop() || w->destroyed || (batch->parent && w->parent != batch->parent)) {
    CloseBatch(batch);
    return nullptr;
  }
  batch->parent = w->parent;
  batch->steps.push_back({window, insertAfter, x, y, width, height, flags});
  return batch;
}

BOOL EndDeferWindowPos(HDWP batch) {
  std::unique_ptr<HDWP__> closed = CloseBatch(batch);
  if (!closed) return FALSE;
  bool all = true;
  for (const WINDOWPOS& step : closed->steps) {
    // A window destroyed by an earlier step's messages is looked up again and fails its step.
    if (!SetWindowPosInternal(WindowFromHandle(step.hwnd), step.hwndInsertAfter, step.x, step.y, step.cx, step.cy,
                              step.flags))
      all = false;
  }
  return all ? TRUE : FALSE;
}
